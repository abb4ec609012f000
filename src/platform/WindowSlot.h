#pragma once
// The one copy of a modeless record window (a RecordForm): built and started
// on first showing, destroyed when the program unloads it.
#include <QPointer>
#include <QWidget>

#include "platform/ErrorReporter.h"

template <class W>
class WindowSlot {
 public:
  // The loaded window, or nullptr when it is not loaded.
  W* Loaded() const { return window_.data(); }

  // Builds and starts the window on first showing, then shows it modeless
  // and brings it to the front. A failure is reported.
  W* Show() {
    CatchErrors([&] {
      if (!window_) {
        window_ = new W();
        window_->Start();
      }
      window_->show();
      window_->raise();
      window_->activateWindow();
    });
    return window_.data();
  }

  // Unloads the window: gone for the program at once, so the next showing
  // builds it afresh; the window itself decides when it is deleted (it may
  // be in the middle of a save).
  void Unload() {
    W* w = window_.data();
    window_ = nullptr;
    if (w) w->Unload();
  }

 private:
  QPointer<W> window_;
};
