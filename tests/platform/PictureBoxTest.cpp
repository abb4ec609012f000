// Geometry of the picture box, read back from its retained image pixel by
// pixel, and the events it hands to windows.
#include "platform/PictureBox.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <vector>

#include "platform/Fonts.h"
#include "platform/Screen.h"
#include "runtime/RuntimeError.h"
#include "support/GuiTest.h"
#include "support/TempDir.h"

namespace {

constexpr QRgb kWhite = RGB(255, 255, 255);
constexpr QRgb kRed = RGB(255, 0, 0);
constexpr QRgb kGreen = RGB(0, 255, 0);
constexpr QRgb kBlue = RGB(0, 0, 255);

// Pixels of the given colour inside the image, as (x, y) pairs.
std::vector<QPoint> PixelsOf(const PictureBox& b, QRgb c) {
  std::vector<QPoint> out;
  const QImage& img = b.Image();
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if ((img.pixel(x, y) | 0xff000000u) == c) out.emplace_back(x, y);
  return out;
}

QRect BoundsOf(const std::vector<QPoint>& pts) {
  QRect r;
  for (const QPoint& p : pts) r = r.united(QRect(p, QSize(1, 1)));
  return r;
}

class PictureBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TwipsPerPixelX = TwipsPerPixelY = 15.0f;
    box.resize(40, 30);
    box.Cls();
  }
  // Twips for a pixel position.
  static float T(double px) { return static_cast<float>(px * 15); }
  PictureBox box;
};

TEST_F(PictureBoxTest, DeviceContextRectangleExcludesRightAndBottomEdges) {
  box.SetForeColor(kRed);
  box.SetFillColor(kGreen);
  box.SetFillStyle(PictureBox::kFillSolid);
  ASSERT_TRUE(Rectangle(box.hDC(), 2, 3, 7, 9));
  EXPECT_EQ(BoundsOf(PixelsOf(box, kRed)), QRect(QPoint(2, 3), QPoint(6, 8)));
  EXPECT_EQ(box.PixelAt(2, 3), kRed);
  EXPECT_EQ(box.PixelAt(6, 8), kRed);
  EXPECT_EQ(box.PixelAt(7, 5), kWhite);
  EXPECT_EQ(box.PixelAt(4, 9), kWhite);
  EXPECT_EQ(BoundsOf(PixelsOf(box, kGreen)), QRect(QPoint(3, 4), QPoint(5, 7)));
  EXPECT_EQ(PixelsOf(box, kGreen).size(), 3u * 4u);

  // Hollow brush: the interior stays; a one-pixel-wide box is a column;
  // reversed corners are put in order.
  box.Cls();
  box.SetFillStyle(PictureBox::kFillTransparent);
  Rectangle(box.hDC(), 7, 9, 2, 3);
  EXPECT_EQ(box.PixelAt(4, 5), kWhite);
  EXPECT_EQ(PixelsOf(box, kRed).size(), 5u * 2 + 4u * 2);
  box.Cls();
  Rectangle(box.hDC(), 10, 0, 11, 20);
  EXPECT_EQ(BoundsOf(PixelsOf(box, kRed)), QRect(10, 0, 1, 20));
  box.Cls();
  Rectangle(box.hDC(), 10, 0, 10, 20);
  EXPECT_TRUE(PixelsOf(box, kRed).empty());
}

TEST_F(PictureBoxTest, DeviceContextLineLeavesOutItsEndPoint) {
  box.SetForeColor(kBlue);
  MoveToEx(box.hDC(), 1, 1);
  LineTo(box.hDC(), 5, 1);
  EXPECT_EQ(BoundsOf(PixelsOf(box, kBlue)), QRect(1, 1, 4, 1));
  LineTo(box.hDC(), 5, 4);  // continues from (5, 1), which now gets drawn
  EXPECT_EQ(box.PixelAt(5, 1), kBlue);
  EXPECT_EQ(box.PixelAt(5, 3), kBlue);
  EXPECT_EQ(box.PixelAt(5, 4), kWhite);
  QPoint prev;
  MoveToEx(box.hDC(), 20, 20, &prev);
  EXPECT_EQ(prev, QPoint(5, 4));
  LineTo(box.hDC(), 20, 20);
  EXPECT_EQ(box.PixelAt(20, 20), kWhite);
  // A diagonal is one pixel per step.
  box.Cls();
  MoveToEx(box.hDC(), 0, 0);
  LineTo(box.hDC(), 10, 10);
  EXPECT_EQ(PixelsOf(box, kBlue).size(), 10u);
  EXPECT_EQ(box.PixelAt(9, 9), kBlue);
}

TEST_F(PictureBoxTest, DeviceContextEllipseFitsItsBox) {
  box.SetForeColor(kGreen);
  box.SetFillColor(RGB(176, 255, 176));
  box.SetFillStyle(PictureBox::kFillSolid);
  Ellipse(box.hDC(), 9, 9, 11, 11);  // the smallest dot of a year graph
  EXPECT_EQ(BoundsOf(PixelsOf(box, kGreen)), QRect(9, 9, 2, 2));
  EXPECT_EQ(PixelsOf(box, kGreen).size(), 4u);

  box.Cls();
  Ellipse(box.hDC(), 10, 5, 20, 15);
  auto ring = PixelsOf(box, kGreen);
  EXPECT_EQ(BoundsOf(ring), QRect(10, 5, 10, 10));
  // Symmetric about the box centre, filled inside.
  for (const QPoint& p : ring) {
    EXPECT_EQ(box.PixelAt(29 - p.x(), p.y()), kGreen) << p.x() << "," << p.y();
    EXPECT_EQ(box.PixelAt(p.x(), 19 - p.y()), kGreen) << p.x() << "," << p.y();
  }
  EXPECT_EQ(box.PixelAt(15, 10), RGB(176, 255, 176));
  EXPECT_EQ(box.PixelAt(10, 5), kWhite);  // corners stay outside
}

TEST_F(PictureBoxTest, TwipsLinesIncludeBothEndsAndContinue) {
  box.SetForeColor(kRed);
  box.Line(T(2), T(2), T(6), T(2));
  EXPECT_EQ(BoundsOf(PixelsOf(box, kRed)), QRect(QPoint(2, 2), QPoint(6, 2)));
  EXPECT_EQ(box.CurrentX(), T(6));
  box.LineTo(T(6), T(5), kBlue);
  EXPECT_EQ(BoundsOf(PixelsOf(box, kBlue)), QRect(QPoint(6, 2), QPoint(6, 5)));
  EXPECT_EQ(box.CurrentY(), T(5));

  // A line of zero length is a dot and sets the current position.
  box.Cls();
  box.Line(T(9), T(9), T(9), T(9));
  EXPECT_EQ(PixelsOf(box, kRed), std::vector<QPoint>{QPoint(9, 9)});
  EXPECT_EQ(box.CurrentX(), T(9));

  // Twips between pixels round to the nearest, halves to even.
  box.Cls();
  box.PSet(22.5f, 37.5f);  // 1.5 and 2.5 pixels
  EXPECT_EQ(PixelsOf(box, kRed), std::vector<QPoint>{QPoint(2, 2)});
  box.Cls();
  box.PSet(23.0f, 7.4f);
  EXPECT_EQ(PixelsOf(box, kRed), std::vector<QPoint>{QPoint(2, 0)});

  // A wider pen is centred on the line.
  box.Cls();
  box.SetDrawWidth(3);
  box.Line(T(5), T(10), T(15), T(10));
  EXPECT_EQ(BoundsOf(PixelsOf(box, kRed)), QRect(QPoint(4, 9), QPoint(16, 11)));
}

TEST_F(PictureBoxTest, TwipsBoxesAndCircles) {
  box.SetForeColor(kRed);
  box.SetFillColor(kGreen);
  box.Box(T(1), T(1), T(5), T(4));
  EXPECT_EQ(BoundsOf(PixelsOf(box, kRed)), QRect(QPoint(1, 1), QPoint(5, 4)));
  EXPECT_EQ(box.PixelAt(3, 2), kWhite);  // transparent fill by default
  box.SetFillStyle(PictureBox::kFillSolid);
  box.Box(T(10), T(1), T(14), T(4), kBlue);
  EXPECT_EQ(box.PixelAt(10, 1), kBlue);
  EXPECT_EQ(box.PixelAt(14, 4), kBlue);
  EXPECT_EQ(BoundsOf(PixelsOf(box, kGreen)), QRect(QPoint(11, 2), QPoint(13, 3)));
  box.FilledBox(T(20), T(20), T(22), T(21), kBlue);
  for (int x = 20; x <= 22; ++x)
    for (int y = 20; y <= 21; ++y) EXPECT_EQ(box.PixelAt(x, y), kBlue);
  // Boxes running off the image are clipped, not refused.
  box.FilledBox(T(30), T(25), T(1000), T(1000), kRed);
  EXPECT_EQ(box.PixelAt(39, 29), kRed);

  box.Cls();
  box.SetFillColor(kGreen);
  box.Circle(T(20), T(15), T(2), kBlue);
  auto ring = PixelsOf(box, kBlue);
  EXPECT_EQ(BoundsOf(ring), QRect(QPoint(18, 13), QPoint(22, 17)));
  for (const QPoint& p : ring) EXPECT_EQ(box.PixelAt(40 - p.x(), 30 - p.y()), kBlue);
  EXPECT_EQ(box.PixelAt(20, 15), kGreen);
  EXPECT_EQ(box.PixelAt(18, 13), kWhite);
  EXPECT_EQ(box.CurrentX(), T(20));
  EXPECT_EQ(box.CurrentY(), T(15));
  // A circle of radius 6 spans 13 pixels.
  box.Cls();
  box.SetFillStyle(PictureBox::kFillTransparent);
  box.Circle(T(20), T(15), T(6), kRed);
  EXPECT_EQ(BoundsOf(PixelsOf(box, kRed)), QRect(14, 9, 13, 13));
  EXPECT_EQ(box.PixelAt(20, 15), kWhite);
}

TEST_F(PictureBoxTest, PrintPutsTextTopLeftAtTheCurrentPosition) {
  box.resize(200, 60);
  box.SetDrawFont(MapFont(kGothic, 12, true));
  box.SetForeColor(kRed);
  box.SetCurrentX(T(10));
  box.SetCurrentY(T(5));
  const float h = box.TextHeight();
  const float w = box.TextWidth(QStringLiteral("日曜 12"));
  box.Print(QStringLiteral("日曜 12"));
  auto ink = PixelsOf(box, kRed);
  ASSERT_GT(ink.size(), 40u);  // glyphs, in exactly the fore colour
  QRect r = BoundsOf(ink);
  EXPECT_GE(r.left(), 10);
  EXPECT_GE(r.top(), 5);
  EXPECT_LE(r.right(), 10 + w / 15);
  EXPECT_LE(r.bottom(), 5 + h / 15);
  EXPECT_NEAR(h / 15, 16, 3);  // 12 points on a 96-dpi screen
  EXPECT_EQ(box.CurrentX(), 0);
  EXPECT_EQ(box.CurrentY(), T(5) + h);

  // Text keeps what lies under it; a larger font size is taller.
  box.SetFontSize(14);
  EXPECT_GT(box.TextHeight(), h);
  box.SetCurrentX(T(150));
  box.SetCurrentY(0);
  box.Print(QStringLiteral("x"), false);
  EXPECT_GT(box.CurrentX(), T(150));
  EXPECT_EQ(box.CurrentY(), 0);
  EXPECT_EQ(box.PixelAt(199, 59), kWhite);
}

TEST_F(PictureBoxTest, DrawingWhileHiddenShowsAndSurvivesResize) {
  QWidget host;
  host.resize(100, 100);
  auto* b = new PictureBox(&host);
  b->hide();
  b->setGeometry(10, 10, 30, 20);
  b->SetBackColor(RGB(255, 255, 225));
  b->SetForeColor(kRed);
  MoveToEx(b->hDC(), 0, 0);
  LineTo(b->hDC(), 30, 0);
  b->Box(0, T(5), T(29), T(19), kBlue);
  host.show();
  b->show();
  ProcessEvents();
  QImage shown = b->grab().toImage();
  EXPECT_EQ(shown.pixel(5, 0) | 0xff000000u, kRed);
  EXPECT_EQ(shown.pixel(29, 19) | 0xff000000u, kBlue);
  EXPECT_EQ(shown.pixel(10, 10) | 0xff000000u, RGB(255, 255, 225));

  // Growing keeps the picture at the top left; the new part is back colour.
  b->resize(50, 40);
  EXPECT_EQ(b->Image().size(), QSize(50, 40));
  EXPECT_EQ(b->PixelAt(29, 19), kBlue);
  EXPECT_EQ(b->PixelAt(45, 35), RGB(255, 255, 225));
  b->resize(20, 10);
  EXPECT_EQ(b->PixelAt(5, 0), kRed);
  EXPECT_EQ(b->ScaleWidth(), T(20));
  EXPECT_EQ(b->ScaleHeight(), T(10));

  // A frame takes two pixels on each side from the inner area.
  b->SetBorderStyle(1);
  EXPECT_EQ(b->InnerSize(), QSize(16, 6));
  EXPECT_EQ(b->ScaleWidth(), T(16));
}

TEST_F(PictureBoxTest, PicturesScaleAndStayBehindCls) {
  QImage pic(40, 20, QImage::Format_RGB32);
  pic.fill(kBlue);
  // A source twice the picture's size paints it at half size.
  box.PaintPicture(pic, 0, 0, T(40), T(20), 0, 0, T(80), T(40));
  EXPECT_EQ(BoundsOf(PixelsOf(box, kBlue)), QRect(0, 0, 20, 10));

  box.SetBackColor(kWhite);
  EXPECT_TRUE(PixelsOf(box, kBlue).empty());
  QImage bg(10, 10, QImage::Format_RGB32);
  bg.fill(kGreen);
  box.SetPicture(bg);
  box.SetForeColor(kRed);
  box.Line(0, 0, T(39), 0);
  box.Cls();
  EXPECT_EQ(BoundsOf(PixelsOf(box, kGreen)), QRect(0, 0, 10, 10));
  EXPECT_TRUE(PixelsOf(box, kRed).empty());
  box.SetAutoSize(true);
  EXPECT_EQ(box.size(), QSize(10, 10));

  TempDir dir;
  EXPECT_TRUE(pic.save(QString::fromStdString(dir.file("a.bmp"))));
  EXPECT_EQ(LoadPicture(QString::fromStdString(dir.file("a.bmp"))).size(), QSize(40, 20));
  try {
    LoadPicture(QString::fromStdString(dir.file("none.jpg")));
    ADD_FAILURE() << "no error for a missing file";
  } catch (const rt::RuntimeError& e) {
    EXPECT_EQ(e.number(), 53);
  }
  dir.Write("bad.jpg", "not a picture");
  try {
    LoadPicture(QString::fromStdString(dir.file("bad.jpg")));
    ADD_FAILURE() << "no error for a bad picture";
  } catch (const rt::RuntimeError& e) {
    EXPECT_EQ(e.number(), 321);
  }
}

TEST_F(PictureBoxTest, MouseAndKeyEventsCarryClassicArguments) {
  struct Ev {
    QString what;
    int a, b;
    float x, y;
  };
  std::vector<Ev> got;
  QObject::connect(&box, &PictureBox::MouseDown, [&](int b, int s, float x, float y) { got.push_back({"down", b, s, x, y}); });
  QObject::connect(&box, &PictureBox::MouseUp, [&](int b, int s, float x, float y) { got.push_back({"up", b, s, x, y}); });
  QObject::connect(&box, &PictureBox::MouseMove, [&](int b, int s, float x, float y) { got.push_back({"move", b, s, x, y}); });
  QObject::connect(&box, &PictureBox::Click, [&] { got.push_back({"click", 0, 0, 0, 0}); });
  QObject::connect(&box, &PictureBox::DblClick, [&] { got.push_back({"dbl", 0, 0, 0, 0}); });
  QObject::connect(&box, &PictureBox::KeyDown, [&](int k, int s) { got.push_back({"key", k, s, 0, 0}); });

  auto mouse = [&](QEvent::Type t, QPointF p, Qt::MouseButton b, Qt::MouseButtons held, Qt::KeyboardModifiers m) {
    QMouseEvent e(t, p, box.mapToGlobal(p), b, held, m);
    QApplication::sendEvent(&box, &e);
  };
  mouse(QEvent::MouseButtonPress, {12, 7}, Qt::RightButton, Qt::RightButton, Qt::ShiftModifier);
  mouse(QEvent::MouseMove, {13, 8}, Qt::NoButton, Qt::RightButton | Qt::LeftButton, Qt::ControlModifier);
  mouse(QEvent::MouseButtonRelease, {13, 8}, Qt::RightButton, Qt::NoButton, Qt::NoModifier);
  ASSERT_EQ(got.size(), 4u);
  EXPECT_EQ(got[0].what, "down");
  EXPECT_EQ(got[0].a, 2);
  EXPECT_EQ(got[0].b, 1);
  EXPECT_EQ(got[0].x, T(12));
  EXPECT_EQ(got[0].y, T(7));
  EXPECT_EQ(got[1].what, "move");
  EXPECT_EQ(got[1].a, 3);
  EXPECT_EQ(got[1].b, 2);
  EXPECT_EQ(got[2].what, "up");
  EXPECT_EQ(got[3].what, "click");
  EXPECT_EQ(box.LastMousePixel(), QPoint(13, 8));

  // Double-click: no second MouseDown and no second Click.
  got.clear();
  mouse(QEvent::MouseButtonPress, {1, 1}, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  mouse(QEvent::MouseButtonRelease, {1, 1}, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  mouse(QEvent::MouseButtonDblClick, {1, 1}, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  mouse(QEvent::MouseButtonRelease, {1, 1}, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QStringList order;
  for (auto& e : got) order << e.what;
  EXPECT_EQ(order.join(' '), "down up click dbl up");

  // Pixel-scale boxes report pixels.
  got.clear();
  box.SetScaleMode(PictureBox::kPixels);
  mouse(QEvent::MouseMove, {5, 6}, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  EXPECT_EQ(got.at(0).x, 5);
  EXPECT_EQ(got.at(0).y, 6);

  got.clear();
  for (auto [key, code] : {std::pair{Qt::Key_Return, 13}, {Qt::Key_Escape, 27}, {Qt::Key_Left, 37}, {Qt::Key_Down, 40},
                           {Qt::Key_A, 65}, {Qt::Key_F1, 112}}) {
    QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&box, &e);
    EXPECT_EQ(got.back().a, code);
  }
}

}  // namespace
