#pragma once
// Keeps the keyboard focus where the farmer left it across an action that
// disables a control or a whole window for a while (a save that lets events
// run). Disabling the focused control pushes the focus on to the next one
// (after a save the next Space would press 閉じる) or drops it altogether;
// when the action ends the focus goes back to the control that had it.
#include <QApplication>
#include <QPointer>
#include <QWidget>

class KeepFocus {
 public:
  KeepFocus() : widget_(QApplication::focusWidget()) {}
  ~KeepFocus() {
    if (widget_ && widget_->isEnabled() && widget_->isVisible()) widget_->setFocus(Qt::OtherFocusReason);
  }
  KeepFocus(const KeepFocus&) = delete;
  KeepFocus& operator=(const KeepFocus&) = delete;

 private:
  QPointer<QWidget> widget_;
};
