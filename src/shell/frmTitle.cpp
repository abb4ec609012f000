#include "shell/frmTitle.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <future>
#include <system_error>

#include "platform/Fonts.h"
#include "platform/PictureBox.h"
#include "platform/ErrorReporter.h"
#include "store/Store.h"

namespace {
constexpr int kWidth = 480;
constexpr int kHeight = 300;

std::future<QImage>& PictureAhead() {
  static std::future<QImage> picture;
  return picture;
}

// The picture begun ahead, or drawn now when there is none (or its thread
// failed).
QImage TakePicture() {
  if (PictureAhead().valid()) {
    try {
      return PictureAhead().get();
    } catch (...) {
    }
  }
  return frmTitle::TitlePicture();
}
}  // namespace

void frmTitle::DrawPictureAhead() {
  if (PictureAhead().valid()) return;
  try {
    // Painting on an image, text included, is safe off the GUI thread.
    PictureAhead() = std::async(std::launch::async, &frmTitle::TitlePicture);
  } catch (const std::system_error&) {
    // No thread to be had: the window draws it.
  }
}

void frmTitle::EndPictureAhead() {
  if (PictureAhead().valid()) PictureAhead().wait();
  PictureAhead() = {};
}

frmTitle::frmTitle(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      picture_(PictureAhead().valid() ? QImage() : TitlePicture()) {
  setWindowTitle(QStringLiteral("Vorn"));
  setFixedSize(kWidth, kHeight);
  setFocusPolicy(Qt::StrongFocus);
  if (QScreen* s = QGuiApplication::primaryScreen()) move(s->geometry().center() - rect().center());
}

QImage frmTitle::TitlePicture() {
  QImage img(kWidth, kHeight, QImage::Format_RGB32);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  // Morning sky over the fields.
  QLinearGradient sky(0, 0, 0, 190);
  sky.setColorAt(0, QColor(96, 160, 224));
  sky.setColorAt(1, QColor(232, 244, 252));
  p.fillRect(0, 0, kWidth, 190, sky);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 236, 150));
  p.drawEllipse(QPointF(392, 62), 34, 34);
  p.setBrush(QColor(255, 214, 80));
  p.drawEllipse(QPointF(392, 62), 24, 24);
  // Hills and the furrowed field.
  QPainterPath hills;
  hills.moveTo(0, 190);
  hills.cubicTo(120, 140, 220, 200, 320, 168);
  hills.cubicTo(390, 146, 440, 160, kWidth, 150);
  hills.lineTo(kWidth, kHeight);
  hills.lineTo(0, kHeight);
  p.setBrush(QColor(120, 170, 80));
  p.drawPath(hills);
  p.setBrush(QColor(150, 110, 64));
  p.drawRect(0, 206, kWidth, kHeight - 206);
  p.setPen(QPen(QColor(118, 84, 46), 3));
  for (int i = -8; i <= 16; ++i) p.drawLine(QPointF(kWidth / 2.0 + i * 14, 206), QPointF(kWidth / 2.0 + i * 60, kHeight));
  // Seedlings along the edge of the field.
  p.setPen(QPen(QColor(40, 120, 40), 2));
  for (int x = 22; x < kWidth; x += 38) {
    p.drawLine(QPointF(x, 206), QPointF(x, 194));
    p.setBrush(QColor(70, 160, 60));
    p.drawEllipse(QPointF(x - 5, 193), 5, 3);
    p.drawEllipse(QPointF(x + 5, 191), 5, 3);
  }
  // The name and what the program is.
  QFont big = MapFont(kPGothic, 54, true);
  big.setItalic(true);
  p.setFont(big);
  p.setPen(QColor(20, 60, 30, 90));
  p.drawText(QRect(4, 40, kWidth, 90), Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("Vorn"));
  p.setPen(QColor(255, 255, 255));
  p.drawText(QRect(0, 36, kWidth, 90), Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("Vorn"));
  p.setFont(MapFont(kPGothic, 14, true));
  p.setPen(QColor(30, 70, 30));
  p.drawText(QRect(0, 124, kWidth, 30), Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("農場の記録帳"));
  p.setFont(MapFont(kPGothic, 9));
  p.setPen(QColor(255, 248, 230));
  p.drawText(QRect(0, kHeight - 30, kWidth - 12, 24), Qt::AlignRight | Qt::AlignVCenter,
             QStringLiteral("気象・日記・市場価格・資材・作業工程・作物観察"));
  p.setPen(QPen(QColor(60, 60, 60), 1));
  p.setBrush(Qt::NoBrush);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.drawRect(0, 0, kWidth - 1, kHeight - 1);
  return img;
}

void frmTitle::paintEvent(QPaintEvent*) {
  CatchErrors([&] {
    // The picture begun ahead is waited for only now that it is shown.
    if (picture_.isNull()) picture_ = TakePicture();
    QPainter p(this);
    p.drawImage(0, 0, picture_);
  });
}

void frmTitle::Form_Click() {
  CatchErrors([&] {
    if (Busy == 0) close();
  });
}

void frmTitle::Form_KeyPress(int keyAscii) {
  CatchErrors([&] {
    if (keyAscii == keys::kEsc && Busy == 0) close();
  });
}

void frmTitle::mouseReleaseEvent(QMouseEvent*) { Form_Click(); }

void frmTitle::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Escape) Form_KeyPress(keys::kEsc);
  else QDialog::keyPressEvent(e);
}

void frmTitle::closeEvent(QCloseEvent* e) {
  // The desktop's close command obeys the same rule as a click.
  if (e->spontaneous() && Busy != 0) e->ignore();
  else QDialog::closeEvent(e);
}
