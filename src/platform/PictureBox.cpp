#include "platform/PictureBox.h"

#include <QCursor>
#include <QFileInfo>
#include <QFontMetrics>
#include <QImageReader>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "platform/Fonts.h"
#include "platform/Screen.h"
#include "runtime/Convert.h"
#include "runtime/RuntimeError.h"

namespace {

// Rounds a pixel coordinate, keeping absurd values (a graph scaled by a zero
// range, say) inside int so clipping can deal with them.
int ToPixel(double v) {
  if (std::isnan(v)) return 0;
  constexpr double kLimit = 1 << 28;
  return static_cast<int>(rt::RoundHalfEven(std::clamp(v, -kLimit, kLimit)));
}

}  // namespace

// --- Free helpers --------------------------------------------------------

int VbKeyCode(int key, Qt::KeyboardModifiers mods) {
  if (mods & Qt::KeypadModifier) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return 96 + (key - Qt::Key_0);
    switch (key) {
      case Qt::Key_Asterisk: return 106;
      case Qt::Key_Plus: return keys::kPadPlus;
      case Qt::Key_Minus: return keys::kPadMinus;
      case Qt::Key_Period: return 110;
      case Qt::Key_Slash: return 111;
      default: break;
    }
  }
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return key;  // same numbers, 65..90
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return key;  // 48..57
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return 112 + (key - Qt::Key_F1);
  switch (key) {
    case Qt::Key_Backspace: return keys::kBack;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 9;
    case Qt::Key_Clear: return 12;
    case Qt::Key_Return:
    case Qt::Key_Enter: return keys::kEnter;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return keys::kEsc;
    case Qt::Key_Space: return keys::kSpace;
    case Qt::Key_PageUp: return keys::kPageUp;
    case Qt::Key_PageDown: return keys::kPageDown;
    case Qt::Key_End: return keys::kEnd;
    case Qt::Key_Home: return keys::kHome;
    case Qt::Key_Left: return keys::kLeft;
    case Qt::Key_Up: return keys::kUp;
    case Qt::Key_Right: return keys::kRight;
    case Qt::Key_Down: return keys::kDown;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return keys::kDelete;
    case Qt::Key_NumLock: return 144;
    default: return 0;
  }
}

int VbShift(Qt::KeyboardModifiers mods) {
  return ((mods & Qt::ShiftModifier) ? 1 : 0) | ((mods & Qt::ControlModifier) ? 2 : 0) |
         ((mods & Qt::AltModifier) ? 4 : 0);
}

int VbButtons(Qt::MouseButtons b) {
  return ((b & Qt::LeftButton) ? 1 : 0) | ((b & Qt::RightButton) ? 2 : 0) | ((b & Qt::MiddleButton) ? 4 : 0);
}

QImage LoadPicture(const QString& path) {
  QFileInfo fi(path);
  if (!fi.exists() || !fi.isFile()) throw rt::RuntimeError(rt::kErrFileNotFound, path.toStdString());
  QImageReader reader(path);
  reader.setDecideFormatFromContent(true);
  QImage img = reader.read();
  if (img.isNull()) throw rt::RuntimeError(rt::kErrBadPictureFormat, path.toStdString());
  return img.convertToFormat(QImage::Format_RGB32);
}

// --- Construction and properties ----------------------------------------

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  font_ = MapFont(kPGothic, 9);  // the usual default of a picture box
  SyncImage();
}

PictureBox::~PictureBox() = default;

void PictureBox::SetBackColor(QColor c) {
  back_ = c.rgb();
  Cls();
}

void PictureBox::SetAutoRedraw(bool on) {
  autoRedraw_ = on;
  if (on) update();
}

void PictureBox::SetBorderStyle(int style) {
  border_ = style == 1 ? 1 : 0;
  SyncImage();
  update();
}

void PictureBox::SetAutoSize(bool on) {
  autoSize_ = on;
  if (on && !picture_.isNull()) resize(picture_.size() + QSize(4 * border_, 4 * border_));
}

void PictureBox::SetDrawFont(const QFont& f) { font_ = f; }

void PictureBox::SetFontSize(double points) {
  if (points > 0) font_.setPointSizeF(points);
}

QPoint PictureBox::Origin() const { return QPoint(2 * border_, 2 * border_); }

QSize PictureBox::InnerSize() const {
  return QSize(std::max(0, width() - 4 * border_), std::max(0, height() - 4 * border_));
}

float PictureBox::ScaleWidth() const { return FromPixelX(InnerSize().width()); }
float PictureBox::ScaleHeight() const { return FromPixelY(InnerSize().height()); }

int PictureBox::ToPixelX(float x) const {
  return ToPixel(scaleMode_ == kTwips ? static_cast<double>(x) / TwipsPerPixelX : x);
}
int PictureBox::ToPixelY(float y) const {
  return ToPixel(scaleMode_ == kTwips ? static_cast<double>(y) / TwipsPerPixelY : y);
}
float PictureBox::FromPixelX(double px) const {
  return static_cast<float>(scaleMode_ == kTwips ? px * TwipsPerPixelX : px);
}
float PictureBox::FromPixelY(double py) const {
  return static_cast<float>(scaleMode_ == kTwips ? py * TwipsPerPixelY : py);
}

void PictureBox::SyncImage() const {
  QSize want = InnerSize();
  // An empty box keeps its old picture: a box laid out later may grow again.
  if (want.isEmpty() || image_.size() == want) return;
  QImage next(want, QImage::Format_RGB32);
  next.fill(back_);
  QPainter p(&next);
  if (!picture_.isNull()) p.drawImage(0, 0, picture_);
  if (!image_.isNull()) p.drawImage(0, 0, image_);
  p.end();
  image_ = std::move(next);
}

const QImage& PictureBox::Image() const {
  SyncImage();
  return image_;
}

QRgb PictureBox::PixelAt(int px, int py) const {
  SyncImage();
  if (px < 0 || py < 0 || px >= image_.width() || py >= image_.height()) return back_;
  return image_.pixel(px, py) | 0xff000000u;
}

void PictureBox::Changed() { update(); }

// --- Pixel primitives ----------------------------------------------------

void PictureBox::Plot(int x, int y, QRgb c) {
  if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return;
  reinterpret_cast<QRgb*>(image_.scanLine(y))[x] = c;
}

void PictureBox::Span(int x1, int x2, int y, QRgb c) {
  if (y < 0 || y >= image_.height()) return;
  x1 = std::max(x1, 0);
  x2 = std::min(x2, image_.width() - 1);
  if (x1 > x2) return;
  QRgb* row = reinterpret_cast<QRgb*>(image_.scanLine(y));
  std::fill(row + x1, row + x2 + 1, c);
}

void PictureBox::FillRect(int x1, int y1, int x2, int y2, QRgb c) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  y1 = std::max(y1, 0);
  y2 = std::min(y2, image_.height() - 1);
  for (int y = y1; y <= y2; ++y) Span(x1, x2, y, c);
}

void PictureBox::PixelLine(int x1, int y1, int x2, int y2, QRgb c, bool lastPixel) {
  // Clip long lines to a margin around the image first, so a line far out of
  // range does not walk millions of invisible pixels.
  const int w = image_.width(), h = image_.height();
  auto outside = [&](int a1, int a2, int lo, int hi) { return (a1 < lo && a2 < lo) || (a1 > hi && a2 > hi); };
  if (outside(x1, x2, -drawWidth_, w + drawWidth_) || outside(y1, y2, -drawWidth_, h + drawWidth_)) return;
  const int wide = drawWidth_;
  auto put = [&](int x, int y) {
    if (wide <= 1) {
      Plot(x, y, c);
    } else {
      int lo = -(wide - 1) / 2;
      FillRect(x + lo, y + lo, x + lo + wide - 1, y + lo + wide - 1, c);
    }
  };
  long long dx = std::llabs(static_cast<long long>(x2) - x1), dy = -std::llabs(static_cast<long long>(y2) - y1);
  int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
  long long err = dx + dy;
  int x = x1, y = y1;
  for (;;) {
    bool last = x == x2 && y == y2;
    if (last && !lastPixel) break;
    put(x, y);
    if (last) break;
    long long e2 = 2 * err;
    if (e2 >= dy) err += dy, x += sx;
    if (e2 <= dx) err += dx, y += sy;
  }
}

// The ellipse inscribed in the continuous box [l, r) x [t, b): a pixel
// belongs to it when its centre lies inside. The outline is every such pixel
// with a side neighbour outside, so it is one pixel thin and symmetric.
void PictureBox::EllipseInBox(double l, double t, double r, double b, QRgb outline, bool fill, QRgb inside) {
  if (r < l) std::swap(l, r);
  if (b < t) std::swap(t, b);
  const double a = (r - l) / 2, bb = (b - t) / 2;
  if (a <= 0 || bb <= 0) return;
  const double cx = (l + r) / 2, cy = (t + b) / 2;
  const int y0 = static_cast<int>(std::floor(t)), y1 = static_cast<int>(std::ceil(b));
  if (y1 < -1 || y0 > image_.height() + 1) return;
  const int rows = y1 - y0 + 1;
  std::vector<std::pair<int, int>> span(static_cast<size_t>(rows) + 2, {1, 0});  // empty when first > second
  auto at = [&](int y) -> std::pair<int, int>& { return span[static_cast<size_t>(y - y0 + 1)]; };
  for (int y = y0; y <= y1; ++y) {
    double dy = (y + 0.5 - cy) / bb;
    if (std::fabs(dy) > 1 + 1e-9) continue;
    double half = a * std::sqrt(std::max(0.0, 1 - dy * dy));
    int xl = static_cast<int>(std::ceil(cx - half - 0.5 - 1e-9));
    int xr = static_cast<int>(std::floor(cx + half - 0.5 + 1e-9));
    if (xl <= xr) at(y) = {xl, xr};
  }
  for (int y = y0; y <= y1; ++y) {
    auto [xl, xr] = at(y);
    if (xl > xr) continue;
    auto up = at(y - 1), down = at(y + 1);
    for (int x = xl; x <= xr; ++x) {
      bool edge = x == xl || x == xr || x < up.first || x > up.second || x < down.first || x > down.second;
      if (edge)
        Plot(x, y, outline);
      else if (fill)
        Plot(x, y, inside);
    }
  }
}

// --- Scale-unit drawing --------------------------------------------------

void PictureBox::Line(float x1, float y1, float x2, float y2) { Line(x1, y1, x2, y2, QColor(fore_)); }

void PictureBox::Line(float x1, float y1, float x2, float y2, QColor c) {
  SyncImage();
  PixelLine(ToPixelX(x1), ToPixelY(y1), ToPixelX(x2), ToPixelY(y2), c.rgb(), true);
  curX_ = x2;
  curY_ = y2;
  Changed();
}

void PictureBox::LineTo(float x2, float y2) { Line(curX_, curY_, x2, y2); }
void PictureBox::LineTo(float x2, float y2, QColor c) { Line(curX_, curY_, x2, y2, c); }

void PictureBox::Box(float x1, float y1, float x2, float y2) { Box(x1, y1, x2, y2, QColor(fore_)); }

void PictureBox::Box(float x1, float y1, float x2, float y2, QColor c) {
  SyncImage();
  int l = ToPixelX(x1), t = ToPixelY(y1), r = ToPixelX(x2), b = ToPixelY(y2);
  if (l > r) std::swap(l, r);
  if (t > b) std::swap(t, b);
  if (fillStyle_ == kFillSolid && r - l >= 2 && b - t >= 2) FillRect(l + 1, t + 1, r - 1, b - 1, fill_);
  QRgb k = c.rgb();
  PixelLine(l, t, r, t, k, true);
  PixelLine(l, b, r, b, k, true);
  PixelLine(l, t, l, b, k, true);
  PixelLine(r, t, r, b, k, true);
  curX_ = x2;
  curY_ = y2;
  Changed();
}

void PictureBox::FilledBox(float x1, float y1, float x2, float y2) { FilledBox(x1, y1, x2, y2, QColor(fore_)); }

void PictureBox::FilledBox(float x1, float y1, float x2, float y2, QColor c) {
  SyncImage();
  FillRect(ToPixelX(x1), ToPixelY(y1), ToPixelX(x2), ToPixelY(y2), c.rgb());
  curX_ = x2;
  curY_ = y2;
  Changed();
}

void PictureBox::Circle(float x, float y, float radius) { Circle(x, y, radius, QColor(fore_)); }

void PictureBox::Circle(float x, float y, float radius, QColor c) {
  SyncImage();
  int cx = ToPixelX(x), cy = ToPixelY(y);
  double rp = std::fabs(scaleMode_ == kTwips ? static_cast<double>(radius) / TwipsPerPixelX : radius);
  rp = std::round(rp);
  EllipseInBox(cx - rp, cy - rp, cx + rp + 1, cy + rp + 1, c.rgb(), fillStyle_ == kFillSolid, fill_);
  curX_ = x;
  curY_ = y;
  Changed();
}

void PictureBox::PSet(float x, float y) { PSet(x, y, QColor(fore_)); }

void PictureBox::PSet(float x, float y, QColor c) {
  SyncImage();
  Plot(ToPixelX(x), ToPixelY(y), c.rgb());
  curX_ = x;
  curY_ = y;
  Changed();
}

const PictureBox::FontSlot& PictureBox::PixelFont() const {
  for (const FontSlot& f : fonts_)
    if (f.twipsPerPixel == TwipsPerPixelY && f.key == font_) return f;
  QFont f = font_;
  double dpi = 1440.0 / TwipsPerPixelY;
  double points = font_.pointSizeF() > 0 ? font_.pointSizeF() : 9.0;
  f.setPixelSize(std::max(1, static_cast<int>(std::lround(points * dpi / 72.0))));
  // Crisp glyphs in exactly the colour asked for, as on the classic screen.
  f.setStyleStrategy(QFont::NoAntialias);
  if (fonts_.size() >= 4) fonts_.erase(fonts_.begin());
  fonts_.push_back(FontSlot{font_, TwipsPerPixelY, f, QFontMetrics(f)});
  return fonts_.back();
}

float PictureBox::TextWidth(const QString& text) const {
  return FromPixelX(PixelFont().metrics.horizontalAdvance(text));
}

float PictureBox::TextHeight(const QString&) const { return FromPixelY(PixelFont().metrics.height()); }

void PictureBox::Print(const QString& text, bool newline) {
  SyncImage();
  const FontSlot& font = PixelFont();
  const QFontMetrics& fm = font.metrics;
  int x = ToPixelX(curX_), y = ToPixelY(curY_);
  if (!image_.isNull()) {
    QPainter p(&image_);
    p.setFont(font.pixel);
    p.setPen(QColor(fore_));
    p.drawText(x, y + fm.ascent(), text);
  }
  if (newline) {
    curX_ = 0;
    curY_ += FromPixelY(fm.height());
  } else {
    curX_ += FromPixelX(fm.horizontalAdvance(text));
  }
  Changed();
}

void PictureBox::Cls() {
  SyncImage();
  image_.fill(back_);
  if (!picture_.isNull() && !image_.isNull()) {
    QPainter p(&image_);
    p.drawImage(0, 0, picture_);
  }
  curX_ = curY_ = 0;
  Changed();
}

// --- Pictures ------------------------------------------------------------

void PictureBox::SetPicture(const QImage& picture) {
  picture_ = picture.isNull() ? QImage() : picture.convertToFormat(QImage::Format_RGB32);
  if (autoSize_ && !picture_.isNull()) resize(picture_.size() + QSize(4 * border_, 4 * border_));
  Cls();
}

void PictureBox::PaintPicture(const QImage& picture, float dx, float dy, float dw, float dh, float sx, float sy,
                              float sw, float sh) {
  SyncImage();
  if (picture.isNull() || image_.isNull()) return;
  double dxp = ToPixelX(dx), dyp = ToPixelY(dy);
  double dwp = scaleMode_ == kTwips ? dw / TwipsPerPixelX : dw, dhp = scaleMode_ == kTwips ? dh / TwipsPerPixelY : dh;
  double sxp = scaleMode_ == kTwips ? sx / TwipsPerPixelX : sx, syp = scaleMode_ == kTwips ? sy / TwipsPerPixelY : sy;
  double swp = scaleMode_ == kTwips ? sw / TwipsPerPixelX : sw, shp = scaleMode_ == kTwips ? sh / TwipsPerPixelY : sh;
  if (!(dwp > 0 && dhp > 0 && swp > 0 && shp > 0)) return;
  QPainter p(&image_);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.setClipRect(QRectF(dxp, dyp, dwp, dhp));
  p.translate(dxp, dyp);
  p.scale(dwp / swp, dhp / shp);
  p.translate(-sxp, -syp);
  p.drawImage(0, 0, picture);
  p.end();
  Changed();
}

// --- Device context ------------------------------------------------------

bool Rectangle(PictureDc dc, int l, int t, int r, int b) {
  if (!dc.box) return false;
  PictureBox& pb = *dc.box;
  pb.SyncImage();
  if (l > r) std::swap(l, r);
  if (t > b) std::swap(t, b);
  if (r - l < 1 || b - t < 1) return true;
  if (pb.fillStyle_ == PictureBox::kFillSolid && r - l > 2 && b - t > 2) pb.FillRect(l + 1, t + 1, r - 2, b - 2, pb.fill_);
  const int saved = pb.drawWidth_;
  pb.drawWidth_ = 1;
  pb.PixelLine(l, t, r - 1, t, pb.fore_, true);
  pb.PixelLine(l, b - 1, r - 1, b - 1, pb.fore_, true);
  pb.PixelLine(l, t, l, b - 1, pb.fore_, true);
  pb.PixelLine(r - 1, t, r - 1, b - 1, pb.fore_, true);
  pb.drawWidth_ = saved;
  pb.Changed();
  return true;
}

bool Ellipse(PictureDc dc, int l, int t, int r, int b) {
  if (!dc.box) return false;
  PictureBox& pb = *dc.box;
  pb.SyncImage();
  pb.EllipseInBox(l, t, r, b, pb.fore_, pb.fillStyle_ == PictureBox::kFillSolid, pb.fill_);
  pb.Changed();
  return true;
}

bool MoveToEx(PictureDc dc, int x, int y, QPoint* previous) {
  if (!dc.box) return false;
  if (previous) *previous = dc.box->dcPos_;
  dc.box->dcPos_ = QPoint(x, y);
  return true;
}

bool LineTo(PictureDc dc, int x, int y) {
  if (!dc.box) return false;
  PictureBox& pb = *dc.box;
  pb.SyncImage();
  const int saved = pb.drawWidth_;
  pb.drawWidth_ = 1;
  pb.PixelLine(pb.dcPos_.x(), pb.dcPos_.y(), x, y, pb.fore_, false);
  pb.drawWidth_ = saved;
  pb.dcPos_ = QPoint(x, y);
  pb.Changed();
  return true;
}

// --- Tooltip -------------------------------------------------------------

void PictureBox::SetToolTipText(const QString& text) {
  if (text == toolTip()) return;
  setToolTip(text);
  if (QToolTip::isVisible() && underMouse()) {
    if (text.isEmpty())
      QToolTip::hideText();
    else
      QToolTip::showText(QCursor::pos(), text, this);
  }
}

// --- Events --------------------------------------------------------------

void PictureBox::paintEvent(QPaintEvent*) {
  SyncImage();
  QPainter p(this);
  if (border_) {
    const int w = width(), h = height();
    p.fillRect(rect(), palette().color(QPalette::Button));
    p.setPen(QColor(128, 128, 128));
    p.drawLine(0, 0, w - 1, 0);
    p.drawLine(0, 0, 0, h - 1);
    p.setPen(QColor(255, 255, 255));
    p.drawLine(0, h - 1, w - 1, h - 1);
    p.drawLine(w - 1, 0, w - 1, h - 1);
    p.setPen(QColor(64, 64, 64));
    p.drawLine(1, 1, w - 2, 1);
    p.drawLine(1, 1, 1, h - 2);
    p.setPen(QColor(212, 208, 200));
    p.drawLine(1, h - 2, w - 2, h - 2);
    p.drawLine(w - 2, 1, w - 2, h - 2);
  }
  if (!image_.isNull()) p.drawImage(Origin(), image_);
}

void PictureBox::resizeEvent(QResizeEvent*) {
  SyncImage();
  update();
}

void PictureBox::MapMouse(QMouseEvent* e, float* x, float* y) {
  QPointF pos = e->position() - QPointF(Origin());
  lastMouse_ = QPoint(static_cast<int>(std::floor(pos.x())), static_cast<int>(std::floor(pos.y())));
  *x = FromPixelX(lastMouse_.x());
  *y = FromPixelY(lastMouse_.y());
}

void PictureBox::mousePressEvent(QMouseEvent* e) {
  if (focusPolicy() & Qt::ClickFocus) setFocus(Qt::MouseFocusReason);
  float x, y;
  MapMouse(e, &x, &y);
  afterDouble_ = false;
  emit MouseDown(VbButtons(e->button()), VbShift(e->modifiers()), x, y);
}

void PictureBox::mouseMoveEvent(QMouseEvent* e) {
  float x, y;
  MapMouse(e, &x, &y);
  emit MouseMove(VbButtons(e->buttons()), VbShift(e->modifiers()), x, y);
}

void PictureBox::mouseReleaseEvent(QMouseEvent* e) {
  float x, y;
  MapMouse(e, &x, &y);
  int button = VbButtons(e->button());
  emit MouseUp(button, VbShift(e->modifiers()), x, y);
  bool inside = rect().contains(e->position().toPoint());
  if (!afterDouble_ && inside && (button == 1 || button == 2)) emit Click();
  afterDouble_ = false;
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* e) {
  float x, y;
  MapMouse(e, &x, &y);
  afterDouble_ = true;
  emit DblClick();
}

void PictureBox::keyPressEvent(QKeyEvent* e) {
  int code = VbKeyCode(e->key(), e->modifiers());
  emit KeyDown(code, VbShift(e->modifiers()));
  QString t = e->text();
  if (!t.isEmpty()) {
    int ascii = t.at(0).unicode();
    if (code == keys::kEnter || code == keys::kEsc) ascii = code;
    emit KeyPress(ascii);
  }
  e->accept();
}

void PictureBox::keyReleaseEvent(QKeyEvent* e) {
  emit KeyUp(VbKeyCode(e->key(), e->modifiers()), VbShift(e->modifiers()));
  e->accept();
}

void PictureBox::focusInEvent(QFocusEvent* e) {
  QWidget::focusInEvent(e);
  if (e->reason() != Qt::ActiveWindowFocusReason && e->reason() != Qt::PopupFocusReason) emit GotFocus();
}

void PictureBox::focusOutEvent(QFocusEvent* e) {
  QWidget::focusOutEvent(e);
  if (e->reason() != Qt::ActiveWindowFocusReason && e->reason() != Qt::PopupFocusReason) emit LostFocus();
}

bool PictureBox::event(QEvent* e) {
  // Enter, Esc, the arrows and the page keys belong to the box while it has the focus, not
  // to a dialog's default button or a window shortcut.
  if (e->type() == QEvent::ShortcutOverride) {
    auto* k = static_cast<QKeyEvent*>(e);
    switch (k->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
      case Qt::Key_Escape:
      case Qt::Key_Left:
      case Qt::Key_Right:
      case Qt::Key_Up:
      case Qt::Key_Down:
      case Qt::Key_PageUp:
      case Qt::Key_PageDown:
      case Qt::Key_Home:
      case Qt::Key_End:
        e->accept();
        return true;
      default: break;
    }
  }
  return QWidget::event(e);
}
