#include "platform/RecordForm.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>

#include "platform/ErrorReporter.h"
#include "platform/KeepFocus.h"
#include "store/ScopedFlag.h"
#include "store/Store.h"

// Frames take the clicks on their own area; a press on one is a click on
// the window's background.
class RecordForm::BackgroundClicks : public QObject {
 public:
  explicit BackgroundClicks(RecordForm* form) : QObject(form), form_(form) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() == QEvent::MouseButtonPress) CatchErrors([&] { form_->BackgroundClicked(); });
    return QObject::eventFilter(watched, e);
  }

 private:
  RecordForm* form_;
};

RecordForm::RecordForm(OnClose onClose, Placement placement)
    : QWidget(nullptr), onClose_(onClose), placement_(placement) {
  if (placement_.wholeScreen) setWindowFlag(Qt::FramelessWindowHint);
}

void RecordForm::Start() {
  if (started_) return;
  CatchErrors([&] {
    if (placement_.wholeScreen) {
      QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
      setGeometry(s ? s->geometry() : QRect(0, 0, 1024, 768));
    } else {
      if (placement_.moved) move(placement_.at);
      resize(placement_.size);
    }
    PlaceControls();
  });
  started_ = true;
  Form_Load();
}

void RecordForm::Unload() {
  hide();
  if (saving_ != 0)
    unloadWhenSaved_ = true;
  else
    deleteLater();
}

void RecordForm::BackgroundClicked() {
  if (calendar_ && calendar_->isVisible()) calendar_->hide();
}

void RecordForm::CloseCalendarOnBackground(QWidget* calendar, std::initializer_list<QWidget*> frames) {
  calendar_ = calendar;
  auto* clicks = new BackgroundClicks(this);
  for (QWidget* f : frames) f->installEventFilter(clicks);
}

void RecordForm::RunSave(RecordKind kind, const std::function<bool()>& saver) {
  ReentryGuard saving(saving_);
  if (!saving.Enter()) return;
  // Destroyed last: the focus goes back once the window takes input again.
  KeepFocus focus;
  struct Finish {
    RecordForm* w;
    ~Finish() {
      w->setEnabled(true);
      if (w->unloadWhenSaved_) w->deleteLater();
    }
  } finish{this};
  setEnabled(false);
  CatchErrors([&] {
    if (saver()) ClearChanged(kind);
  });
}

void RecordForm::OnPointerMove(const std::function<void()>& body) {
  if (Busy != 0) return;
  ReentryGuard guard(pointerBusy_);
  if (!guard.Enter()) return;
  CatchErrors(body);
}

void RecordForm::closeEvent(QCloseEvent* e) {
  if (onClose_ == OnClose::Unload) {
    e->accept();
    Unload();
  } else if (e->spontaneous()) {
    // The farmer's close only hides (and closing the last visible window never
    // counts as leaving the program).
    e->ignore();
    hide();
  } else {
    // A close the program asks for itself (at exit) is let through.
    e->accept();
  }
}

void RecordForm::mousePressEvent(QMouseEvent* e) {
  CatchErrors([&] { BackgroundClicked(); });
  QWidget::mousePressEvent(e);
}
