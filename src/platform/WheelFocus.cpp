#include "platform/WheelFocus.h"

#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QScrollBar>

namespace {

// A scroll bar that belongs to a scrolling view (a list, a text box).
bool IsViewScrollBar(QWidget* w) {
  for (QWidget* p = w->parentWidget(); p; p = p->parentWidget()) {
    if (auto* area = qobject_cast<QAbstractScrollArea*>(p))
      return area->verticalScrollBar() == w || area->horizontalScrollBar() == w;
    if (p->isWindow()) break;
  }
  return false;
}

bool TakesWheel(QWidget* w) {
  return qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
         (qobject_cast<QAbstractSlider*>(w) && !IsViewScrollBar(w));
}

class WheelFocusFilter : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() == QEvent::Polish && watched->isWidgetType()) {
      // Qt gives a drop-down list or spinner the focus when the wheel rolls
      // over it; here the focus comes by a click or the keyboard only.
      auto* w = static_cast<QWidget*>(watched);
      if (w->focusPolicy() == Qt::WheelFocus && TakesWheel(w)) w->setFocusPolicy(Qt::StrongFocus);
      return false;
    }
    if (!PassesWheelOn(watched, e)) return false;
    // Not accepted: Qt offers the event to the parent next.
    e->ignore();
    return true;
  }
};

}  // namespace

bool PassesWheelOn(QObject* watched, QEvent* e) {
  if (e->type() != QEvent::Wheel || !watched->isWidgetType()) return false;
  auto* w = static_cast<QWidget*>(watched);
  return TakesWheel(w) && !w->hasFocus();
}

void InstallWheelFocusRule() {
  static WheelFocusFilter* filter = nullptr;
  if (filter || !QCoreApplication::instance()) return;
  filter = new WheelFocusFilter(QCoreApplication::instance());
  QCoreApplication::instance()->installEventFilter(filter);
}
