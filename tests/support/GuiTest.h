#pragma once
// Support for tests of windows: message boxes are recorded and answered
// instead of shown.
#include <QString>
#include <deque>
#include <functional>
#include <ostream>
#include <vector>

#include "platform/MessageBox.h"

class QWidget;

// While alive, records every message box and answers each with the next
// queued answer (OK for an OK box when nothing is queued). A question with no
// queued answer fails the test and is answered Cancel (or No).
class MessageBoxes {
 public:
  MessageBoxes();
  ~MessageBoxes();
  MessageBoxes(const MessageBoxes&) = delete;
  MessageBoxes& operator=(const MessageBoxes&) = delete;

  void Answer(MsgResult r) { answers_.push_back(r); }
  const std::vector<MsgBoxCall>& calls() const { return calls_; }
  void clear() { calls_.clear(); }

 private:
  std::deque<MsgResult> answers_;
  std::vector<MsgBoxCall> calls_;
};

// While one lives, boxes are the real ones: their modal loop runs and the
// test answers them as a person does (a key or a click on the box).
class RealMessageBoxes {
 public:
  RealMessageBoxes();
  ~RealMessageBoxes();
  RealMessageBoxes(const RealMessageBoxes&) = delete;
  RealMessageBoxes& operator=(const RealMessageBoxes&) = delete;
};

// The error numbers the error reporter has shown among the recorded boxes.
std::vector<int> ReportedErrors(const MessageBoxes& boxes);

// Acts on the dialog of the next modal loop while it runs, as a person
// would: queue it, then press what opens the dialog. A dialog still open a
// while after fails the test, and goes only so that the run can end.
void OnDialog(std::function<void(QWidget*)> act);

// Lets pending events (timers, posted events, deferred deletes) run.
void ProcessEvents(int ms = 0);

// Readable test failures for Qt strings.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
