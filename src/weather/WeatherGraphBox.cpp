#include "weather/WeatherGraphBox.h"

#include <QMouseEvent>

#include "platform/Screen.h"
#include "weather/frmMain.h"

namespace {
int ButtonNumber(Qt::MouseButton b) {
  switch (b) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
  }
}
int ShiftState(Qt::KeyboardModifiers m) {
  return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
}
}  // namespace

WeatherGraphBox::WeatherGraphBox(frmMain* owner, QWidget* parent) : QWidget(parent), owner_(owner) {
  setMouseTracking(true);
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, Qt::white);
  setPalette(p);
}

float WeatherGraphBox::InnerWidth() const { return static_cast<float>(width()) * TwipsPerPixelX; }
float WeatherGraphBox::InnerHeight() const { return static_cast<float>(height()) * TwipsPerPixelY; }

void WeatherGraphBox::FillBox(float, float, float, float, const QColor&) {}
void WeatherGraphBox::Line(float, float, float, float, const QColor&) {}
void WeatherGraphBox::LineTo(float, float, const QColor&) {}
void WeatherGraphBox::Circle(float, float, float, const QColor&) {}

void WeatherGraphBox::mouseMoveEvent(QMouseEvent* e) {
  QPointF p = e->position();
  owner_->pctGraph_MouseMove(ButtonNumber(e->button()), ShiftState(e->modifiers()),
                             static_cast<float>(p.x()) * TwipsPerPixelX, static_cast<float>(p.y()) * TwipsPerPixelY);
}

void WeatherGraphBox::mouseReleaseEvent(QMouseEvent* e) {
  QPointF p = e->position();
  owner_->pctGraph_MouseUp(ButtonNumber(e->button()), ShiftState(e->modifiers()),
                           static_cast<float>(p.x()) * TwipsPerPixelX, static_cast<float>(p.y()) * TwipsPerPixelY);
}

void WeatherGraphBox::mouseDoubleClickEvent(QMouseEvent*) { owner_->pctGraph_DblClick(); }
