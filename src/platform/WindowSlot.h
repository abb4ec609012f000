#pragma once
// The one copy of a modeless record window: created on first showing, kept
// (hidden) when closed, destroyed when the program unloads it.
#include <QCloseEvent>
#include <QPointer>
#include <QWidget>
#include <functional>

#include "platform/ErrorReporter.h"

template <class W>
class WindowSlot {
 public:
  // The loaded window, or nullptr when it is not loaded.
  W* Loaded() const { return window_.data(); }

  // Loads the window on first showing (make builds it and runs its loading),
  // then shows it modeless and brings it to the front. A failure is reported.
  W* Show(const std::function<W*()>& make = [] { return new W; }) {
    CatchErrors([&] {
      if (!window_) window_ = make();
      window_->show();
      window_->raise();
      window_->activateWindow();
    });
    return window_.data();
  }

  // The same for a window whose loading is its Form_Load(), run once right
  // after it is built.
  W* ShowLoaded() {
    return Show([] {
      W* w = new W();
      w->Form_Load();
      return w;
    });
  }

  // Unloads the window: gone for the program at once, so the next showing
  // loads it afresh. A window with an Unload() of its own decides how it
  // goes (it may be in the middle of a save); any other is hidden now and
  // deleted when control is back in the event loop, in case one of its own
  // handlers is still running (a menu or message box that let the caller in).
  void Unload() {
    W* w = window_.data();
    window_ = nullptr;
    if (!w) return;
    if constexpr (requires { w->Unload(); }) {
      w->Unload();
    } else {
      w->hide();
      w->deleteLater();
    }
  }

 private:
  QPointer<W> window_;
};

// For a record window's closeEvent: the farmer's close only hides the
// window, which keeps its state until the program unloads it (and closing
// the last visible window never counts as leaving the program); a close the
// program asks for itself (at exit) is let through, which hides too.
inline void HideOnUserClose(QWidget* window, QCloseEvent* e) {
  if (e->spontaneous()) {
    e->ignore();
    window->hide();
  } else {
    e->accept();
  }
}
