#pragma once
// The period calendar: the drop-down month calendar of the day calendar
// (same surface, arrows, geometry, colours and hit test) with which the
// schedule window picks a span of days. A left click picks the first day of
// the period (PeriodFrom), a right click the last (PeriodTo); once both ends
// of a selection are picked the calendar gives the focus to its button, and
// the host's pctCalender2_LostFocus closes it and applies the period.
//
// The first day is framed green, the last red (red over green when they are
// the same day); the calendar date itself is not framed. Grey days of the
// adjacent months: a left click moves there and picks the start, a right
// click only redraws. From the keyboard: the day calendar's browsing keys
// (CalenderKeyMove), Enter picks the start, then the end; Esc closes it.
//
// HOW A HOST USES IT (the schedule window)
//
//   class frmSchedule : public QWidget, public PeriodCalenderHost {
//     ... MakePeriodCalender(this); // place cmdCalender2 yourself
//         ConnectPeriodCalender();
//     void pctCalender2_LostFocus() override { hide, apply or cancel }
//   };
//
// A click anywhere else in the window closes it as a move of the focus does
// (CloseCalenderOnOutsideClick).
#include <QPointer>
#include <QPushButton>
#include <cstdint>
#include <vector>

#include "calendar/modCalender.h"

// 0 = no end picked in this selection, 1 = the start picked, 2 = the end
// picked. Back to 0 when a selection completes and when the calendar opens:
// a selection is made within one opening.
extern int16_t PeriodState;
// The last hit-test code of a mouse move over the period calendar.
extern int16_t PeriodHover;
// Set once a key moved the calendar date in this opening: the date is then
// framed blue, so the day Enter picks can be seen.
extern int16_t PeriodKeyCursor;

class PeriodCalenderHost {
 public:
  // Disconnects the calendar's events (derive from QWidget first).
  virtual ~PeriodCalenderHost();

  QPointer<PictureBox> pctCalender2;
  QPointer<QPushButton> cmdCalender2;
  // Set when a start and an end were both picked since the calendar opened.
  // Only then does its closing carry a period: leaving it any other way
  // (Tab, Esc, a click elsewhere) must change nothing.
  bool PeriodPicked = false;

  // Hides the calendar and applies (or drops) the picked period.
  virtual void pctCalender2_LostFocus() = 0;
  // Opens the calendar (OpenPeriodCalender), honouring the shared toggle
  // CalendarOpen: when it is set, the click only clears it.
  virtual void cmdCalender2_Click();

  // Creates the hidden surface (with its tool tip) and the button
  // "カレンダー" in parent; place the button yourself.
  void MakePeriodCalender(QWidget* parent);
  // Wires the button's click, the surface's mouse moves, releases and
  // LostFocus. Call once, after MakePeriodCalender.
  void ConnectPeriodCalender();

 private:
  std::vector<QMetaObject::Connection> periodConnections_;
};

// Starts the calendar at the current date, places it under its button with
// the right edges aligned, draws it, shows it and gives it the focus.
void OpenPeriodCalender(PeriodCalenderHost& host);

// As DrawCalenderDays, but frames PeriodFrom green and PeriodTo red where
// they lie in the shown month, and not the calendar date.
void DrawPeriodDays(PictureBox* surface, int16_t year, int16_t month, int16_t day);
// Arrow highlighting, as CalenderMouseMove does for the day calendar.
void PeriodMouseMove(PeriodCalenderHost& host, float x, float y);
// Browsing keys, Enter (the start, then the end of the selection), Esc.
void PeriodKeyDown(PeriodCalenderHost& host, int keyCode);
// Arrows and picking; button 1 = left, 2 = right.
void PeriodMouseUp(PeriodCalenderHost& host, int button, float x, float y);
