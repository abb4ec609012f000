#pragma once
// The shape every record window shares, so that each solves the common
// problems once: how it starts, where it first appears, what closing does,
// how a save runs, how a pointer handler keeps out of itself, and what a
// click on the window's background does to an open calendar.
//
// A record window derives from RecordForm (before CalenderHost), builds its
// controls in its constructor, and is started only by WindowSlot, which
// calls Start(): the first placement, then PlaceControls(), then
// Form_Load(). Until Start() has run, Started() is false and handlers that
// resizing or activation may call early leave the window alone.
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <initializer_list>

#include "store/Store.h"

class QCloseEvent;
class QMouseEvent;

class RecordForm : public QWidget {
 public:
  // What the farmer's close does: hide the window and keep it with its state
  // until the program unloads it, or unload it at once.
  enum class OnClose { HideAndKeep, Unload };

  // Where the window appears the first time it is shown: over the whole
  // screen, its inner area exactly the screen and no frame of the window
  // system's (the layouts are made for a 1024 x 768 screen, and a frame or a
  // reserved panel would push their right and bottom edges off it); or with
  // a given inner size, where the window system puts it or with its frame's
  // corner at a given point of the screen.
  struct Placement {
    bool wholeScreen = true;
    bool moved = false;
    QPoint at;
    QSize size;
    static Placement WholeScreen() { return {}; }
    static Placement Sized(QSize inner) { return {false, false, {}, inner}; }
    static Placement At(QPoint corner, QSize inner) { return {false, true, corner, inner}; }
  };

  // Run once by WindowSlot, right after the window was built.
  void Start();
  bool Started() const { return started_; }

  // The program unloads the window: it is hidden now and deleted once control
  // is back in the event loop, or, during a save, when the save has ended.
  void Unload();

  // True while a pointer-move handler of this window runs.
  bool PointerMoveRunning() const { return pointerBusy_ != 0; }

 protected:
  RecordForm(OnClose onClose, Placement placement);

  // Places the controls from the window's layout table.
  virtual void PlaceControls() = 0;
  // Loads the shown records from the store.
  virtual void Form_Load() = 0;
  // A click on the window's background or on one of its frames: closes an
  // open calendar. By default the surface given to CloseCalendarOnBackground
  // is hidden.
  virtual void BackgroundClicked();

  // The calendar surface a background click hides, and the frames whose
  // clicks count as background.
  void CloseCalendarOnBackground(QWidget* calendar, std::initializer_list<QWidget*> frames);

  // The one save path. The window takes no input while saver runs (it may
  // let events run between records), a second save cannot start inside it,
  // an unload asked for meanwhile waits for its end, and the focus stays
  // where it was. saver reports its own failures and returns whether every
  // file was written; only then is the change flag cleared, so the exit
  // question still offers to save after a failure.
  void RunSave(RecordKind kind, const std::function<bool()>& saver);

  // Runs a pointer-move handler's body unless the handler is already running
  // (a message box it opened lets the next move in) or the window is busy
  // loading or storing. Failures are reported.
  void OnPointerMove(const std::function<void()>& body);

  void closeEvent(QCloseEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;

 private:
  class BackgroundClicks;
  OnClose onClose_;
  Placement placement_;
  bool started_ = false;
  int16_t saving_ = 0;
  int16_t pointerBusy_ = 0;
  bool unloadWhenSaved_ = false;
  QPointer<QWidget> calendar_;
};
