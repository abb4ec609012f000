#pragma once
// PictureBox: the drawing surface of the calendars and graphs.
//
// A widget that keeps its whole picture in a retained image the size of its
// inner area. Every drawing call paints into that image at once, whether the
// widget is shown or hidden; painting the widget only copies the image. So a
// window may draw into a hidden box and show it later, or show it first and
// draw after: both give the same picture.
//
// Two ways of drawing, as the windows need them:
//
// 1. Scale-unit drawing (twips by default, see SetScaleMode): colours and
//    positions as properties, then the operations
//      Line(x1, y1, x2, y2)          line, both end points drawn; the end point
//                                    becomes the current position
//      LineTo(x2, y2)                line from the current position (CurrentX/Y)
//      Box(x1, y1, x2, y2)           outline in the line colour, both corners
//                                    included; interior in FillColor when
//                                    FillStyle is kFillSolid
//      FilledBox(x1, y1, x2, y2)     whole box in the line colour
//      Circle(x, y, radius)          outline around the centre pixel, interior
//                                    in FillColor when FillStyle is solid; the
//                                    centre becomes the current position
//      PSet(x, y)                    one pixel
//      Print(text)                   text with its top-left corner at
//                                    (CurrentX, CurrentY), in ForeColor and the
//                                    current font, background left untouched;
//                                    afterwards CurrentX returns to 0 and
//                                    CurrentY moves down by TextHeight (with
//                                    newline = false, CurrentX moves past the
//                                    text instead)
//      Cls()                         back colour (and the picture, if any)
//                                    everywhere; current position to (0, 0)
//    The line colour is ForeColor unless a colour is passed. A scale value is
//    turned into a pixel by dividing by TwipsPerPixelX or TwipsPerPixelY (in
//    twips mode) and rounding to the nearest integer, halves to even.
//    Line widths other than 1 (SetDrawWidth) are drawn as squares of that size
//    centred on each pixel of the line.
//
// 2. Pixel drawing on the box's device context, with the rules of the
//    classic Windows graphics interface. hDC() gives a handle for the free
//    functions below; the pen colour is ForeColor and the brush FillColor
//    (hollow unless FillStyle is solid), both read at the time of the call.
//      Rectangle(dc, l, t, r, b)     outline on the columns l..r-1 and rows
//                                    t..b-1 (right and bottom edges excluded),
//                                    interior in the brush colour
//      Ellipse(dc, l, t, r, b)       the ellipse inscribed in the same box
//      MoveToEx(dc, x, y)            sets the device context's own position
//      LineTo(dc, x, y)              line from that position; the end point is
//                                    not drawn and becomes the position
//    The device context's position is separate from CurrentX/CurrentY.
//
// Pictures: LoadPicture reads a BMP, JPEG or PNG file (error 53 when missing,
// 321 when not a readable picture). SetPicture makes one the box's
// background: it is painted at the top left and Cls restores it; with
// AutoSize the box takes the picture's size. PaintPicture draws a picture
// scaled from a source rectangle onto a destination rectangle (both in scale
// units; a source larger than the picture shrinks the picture accordingly).
//
// Events (signals), with the arguments windows expect: button 1 = left,
// 2 = right, 4 = middle (for MouseMove the buttons held, added together);
// shift 1 = Shift, 2 = Ctrl, 4 = Alt; x and y in scale units, measured from
// the top left of the inner area. LastMousePixel() gives the same position
// in whole pixels. Key codes are the classic virtual-key numbers (VbKeyCode):
// Enter 13, Esc 27, Left 37, Up 38, Right 39, Down 40, "A" 65, F1 112, ...
// Click follows a release of the left or right button inside the box; a
// double-click gives MouseDown, MouseUp, Click, DblClick, MouseUp (no second
// MouseDown). The box takes the focus on a click or Tab (StrongFocus; set
// another focus policy for boxes that should not). LostFocus is not sent when the whole window merely
// loses activation or a popup menu opens: only when focus moves elsewhere.
//
// Repainting: drawing schedules a repaint of the widget; SetAutoRedraw is
// accepted for the windows' sake, but the image is always retained.
// Resizing keeps the picture at the top left and fills new area with the back
// colour (the background picture, if any, is painted first).
//
// Tooltips: SetToolTipText also refreshes a tooltip that is showing now, so a
// text that follows the pointer (a graph's read-out) updates in place.
#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QWidget>
#include <vector>

class PictureBox;

// Device-context handle of a picture box (pixel drawing, see above).
struct PictureDc {
  PictureBox* box = nullptr;
};

bool Rectangle(PictureDc dc, int left, int top, int right, int bottom);
bool Ellipse(PictureDc dc, int left, int top, int right, int bottom);
bool MoveToEx(PictureDc dc, int x, int y, QPoint* previous = nullptr);
bool LineTo(PictureDc dc, int x, int y);

// RGB(r, g, b) as the colour values of the windows.
constexpr QRgb RGB(int r, int g, int b) { return qRgb(r, g, b); }

// Classic virtual-key code of a Qt key (0 for keys without one) and the shift
// mask (1 Shift, 2 Ctrl, 4 Alt) of Qt modifiers.
int VbKeyCode(int qtKey, Qt::KeyboardModifiers mods = Qt::NoModifier);
int VbShift(Qt::KeyboardModifiers mods);
// Button mask (1 left, 2 right, 4 middle) of Qt buttons.
int VbButtons(Qt::MouseButtons buttons);

// The key codes (KeyDown) and characters (KeyPress) the handlers act on.
namespace keys {
constexpr int kBack = 8, kEnter = 13, kEsc = 27, kSpace = 32, kPageUp = 33, kPageDown = 34, kEnd = 35, kHome = 36,
              kLeft = 37, kUp = 38, kRight = 39, kDown = 40, kDelete = 46, kPadPlus = 107, kPadMinus = 109,
              kF2 = 113, kDelChar = 127, kInputMethod = 229;
}

// Reads a picture file; throws rt::RuntimeError 53 (missing) or 321 (not a
// picture).
QImage LoadPicture(const QString& path);

class PictureBox : public QWidget {
  Q_OBJECT

 public:
  enum ScaleMode { kTwips = 1, kPixels = 3 };
  enum FillStyle { kFillSolid = 0, kFillTransparent = 1 };

  explicit PictureBox(QWidget* parent = nullptr);
  ~PictureBox() override;

  // --- Properties ---
  QRgb ForeColor() const { return fore_; }
  void SetForeColor(QColor c) { fore_ = c.rgb(); }
  QRgb FillColor() const { return fill_; }
  void SetFillColor(QColor c) { fill_ = c.rgb(); }
  void SetFillStyle(int style) { fillStyle_ = style; }
  QRgb BackColor() const { return back_; }
  // Like the classic property, a new back colour clears the box.
  void SetBackColor(QColor c);
  void SetDrawWidth(int w) { drawWidth_ = w < 1 ? 1 : w; }
  void SetAutoRedraw(bool on);
  void SetScaleMode(int mode) { scaleMode_ = mode == kPixels ? kPixels : kTwips; }
  // 0 none, 1 a two-pixel sunken frame around the inner area.
  void SetBorderStyle(int style);
  void SetAutoSize(bool on);

  // Drawing font ("ＭＳ Ｐゴシック" 9 points until set): SetDrawFont takes the
  // family, bold and so on; the size is in points (pixels = points x dpi / 72,
  // dpi = 1440 / TwipsPerPixelY). Text is drawn without antialiasing.
  void SetDrawFont(const QFont& f);
  double FontSize() const { return font_.pointSizeF(); }
  void SetFontSize(double points);

  float CurrentX() const { return curX_; }
  float CurrentY() const { return curY_; }
  void SetCurrentX(float x) { curX_ = x; }
  void SetCurrentY(float y) { curY_ = y; }

  // Inner size in scale units and in pixels.
  float ScaleWidth() const;
  float ScaleHeight() const;
  QSize InnerSize() const;

  // --- Scale-unit drawing (see the top of this file) ---
  void Line(float x1, float y1, float x2, float y2);
  void Line(float x1, float y1, float x2, float y2, QColor c);
  void LineTo(float x2, float y2);
  void LineTo(float x2, float y2, QColor c);
  void Box(float x1, float y1, float x2, float y2);
  void Box(float x1, float y1, float x2, float y2, QColor c);
  void FilledBox(float x1, float y1, float x2, float y2);
  void FilledBox(float x1, float y1, float x2, float y2, QColor c);
  void Circle(float x, float y, float radius);
  void Circle(float x, float y, float radius, QColor c);
  void PSet(float x, float y);
  void PSet(float x, float y, QColor c);
  void Print(const QString& text, bool newline = true);
  float TextWidth(const QString& text) const;
  float TextHeight(const QString& text = QStringLiteral("Ag")) const;
  void Cls();

  // --- Pictures ---
  void SetPicture(const QImage& picture);
  const QImage& Picture() const { return picture_; }
  void PaintPicture(const QImage& picture, float dx, float dy, float dw, float dh, float sx, float sy, float sw,
                    float sh);

  // --- Device context ---
  PictureDc hDC() { return PictureDc{this}; }

  // --- Tooltip ---
  void SetToolTipText(const QString& text);

  // --- Retained image, for tests and screenshots ---
  const QImage& Image() const;
  QRgb PixelAt(int px, int py) const;
  QPoint LastMousePixel() const { return lastMouse_; }

  // Scale units <-> pixels as the drawing uses them.
  int ToPixelX(float x) const;
  int ToPixelY(float y) const;
  float FromPixelX(double px) const;
  float FromPixelY(double py) const;

  // Brings the image to the inner size (drawing calls do this themselves).
  void SyncImage() const;

 signals:
  void MouseDown(int button, int shift, float x, float y);
  void MouseMove(int button, int shift, float x, float y);
  void MouseUp(int button, int shift, float x, float y);
  void Click();
  void DblClick();
  void KeyDown(int keyCode, int shift);
  void KeyUp(int keyCode, int shift);
  void KeyPress(int keyAscii);
  void GotFocus();
  void LostFocus();

 protected:
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  bool event(QEvent* e) override;

 private:
  friend bool Rectangle(PictureDc, int, int, int, int);
  friend bool Ellipse(PictureDc, int, int, int, int);
  friend bool MoveToEx(PictureDc, int, int, QPoint*);
  friend bool LineTo(PictureDc, int, int);

  // Pixel primitives on the image (clipped).
  void Plot(int x, int y, QRgb c);
  void Span(int x1, int x2, int y, QRgb c);
  void PixelLine(int x1, int y1, int x2, int y2, QRgb c, bool lastPixel);
  void FillRect(int x1, int y1, int x2, int y2, QRgb c);  // inclusive
  void EllipseInBox(double l, double t, double r, double b, QRgb outline, bool fill, QRgb inside);
  void Changed();
  void MapMouse(QMouseEvent* e, float* x, float* y);
  // The drawing font at its pixel size with its metrics, cached for the few
  // fonts a box switches between (a calendar redraw alternates two sizes).
  struct FontSlot {
    QFont key;
    float twipsPerPixel;
    QFont pixel;
    QFontMetrics metrics;
  };
  const FontSlot& PixelFont() const;
  mutable std::vector<FontSlot> fonts_;
  QPoint Origin() const;

  mutable QImage image_;
  QImage picture_;
  QFont font_;
  QRgb fore_ = qRgb(0, 0, 0);
  QRgb fill_ = qRgb(0, 0, 0);
  QRgb back_ = qRgb(255, 255, 255);
  int fillStyle_ = kFillTransparent;
  int drawWidth_ = 1;
  int scaleMode_ = kTwips;
  int border_ = 0;
  bool autoRedraw_ = true;
  bool autoSize_ = false;
  float curX_ = 0, curY_ = 0;
  QPoint dcPos_;
  QPoint lastMouse_;
  bool afterDouble_ = false;  // the release after a double-click sends no Click
};
