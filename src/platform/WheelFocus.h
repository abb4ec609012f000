#pragma once
// The mouse wheel acts only on the control that has the focus. A drop-down
// list, scroll bar or spinner that merely lies under the pointer passes the
// wheel on to what holds it, so that rolling the wheel to scroll (or by
// accident) never changes a record. The scroll bars of a scrolling view
// still scroll it: the view hands them the wheel itself.
class QObject;
class QEvent;

// Installs the rule for the whole application (once; later calls do
// nothing). Widgets polished from then on take the focus by a click or the
// keyboard, never by the wheel rolling over them.
void InstallWheelFocusRule();

// The rule itself: true when `watched` must pass the wheel event `e` on.
bool PassesWheelOn(QObject* watched, QEvent* e);
