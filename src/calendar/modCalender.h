#pragma once
// modCalender: the drop-down month calendar with which the weather, diary,
// market price and observation windows choose their day.
//
// The calendar is no window of its own: it is a hidden picture box
// (pctCalender, 240 x 200 pixels, "ＭＳ ゴシック" 12 point bold) inside the host
// window, opened under the host's cmdCalender button ("カレンダー") and closed
// as soon as it loses the focus. Beside the button the host has a text box
// txtCalender with the chosen day (yyyy/MM/dd) and a small vertical scroll
// bar vscCalender (0..2, resting at 1) that steps the day without opening
// the calendar.
//
// Two dates: the shared current date CurYear/CurMonth/CurDay (store), which
// only a pick (click on a day of the shown month, or Enter) or the spinner
// changes, and the calendar's own date CalYear/CalMonth/CalDay, the month
// shown and the day framed while browsing. Neither ever leaves
// 1999-01-01 .. 2030-12-31, the range of the record tables.
//
// ---------------------------------------------------------------------------
// HOW A HOST WINDOW USES IT (weather, diary editor, market price, observation)
//
//   class frmMain : public QWidget, public CalenderHost {
//     ...
//     void Form_Load() {
//       MakeCalenderControls(this);          // or create the four yourself
//       // place cmdCalender, txtCalender, vscCalender in the layout
//       ConnectCalender();                   // wires every event below
//     }
//     void RefreshForCurrentDate() override { /* reload fields for CurYear.. */ }
//   };
//
// ConnectCalender connects
//   cmdCalender clicked         -> cmdCalender_Click()      (virtual)
//   pctCalender LostFocus       -> pctCalender_LostFocus()  (virtual)
//   vscCalender value changed   -> vscCalender_Change()     (virtual)
//   pctCalender MouseMove/MouseUp/KeyDown -> CalenderMouseMove/MouseUp/KeyDown
// and closes the calendar when the user clicks anywhere else in the window
// (CloseCalenderOnOutsideClick).
//
// The default handlers do what all four hosts share; override one to add to
// it (call the base, then your own work) or to replace it:
//   cmdCalender_Click      opens: OpenCalender(*this) -- under the button,
//                          right edges aligned (calenderAlign = kAlignRight)
//                          or left edges aligned (kAlignLeft, the diary
//                          editor); drawn for the current date, shown,
//                          focused. With useOpenToggle (market price window)
//                          the shared toggle CalendarOpen is honoured: when
//                          set, the click only clears it.
//   pctCalender_LostFocus  CloseCalender(*this): hides the calendar, clears
//                          CalendarOpen, writes txtCalender; then
//                          RefreshForCurrentDate().
//   vscCalender_Change     CalenderSpin(*this) (steps the current date, writes
//                          txtCalender, puts the spinner back to 1, which
//                          raises one more change), then
//                          RefreshForCurrentDate().
// WriteCalenderText(*this) writes txtCalender for the current date (for the
// host's own loading code); CalenderDateText is the one date text of the
// program (2001/05/06).
//
// The shown day (see ShownDate below): a host's RefreshForCurrentDate loads
// its fields and calls MarkShown(); its change handlers store into
// EditDate(). ConnectCalender also makes the host catch up with a current
// date moved by another window whenever the host window is activated.
// ---------------------------------------------------------------------------
#include <QMetaObject>
#include <QPointer>
#include <cstdint>
#include <vector>

#include "platform/PictureBox.h"
#include "store/Store.h"

class QLineEdit;
class QPushButton;
class QScrollBar;
class QWidget;

// --- Module state --------------------------------------------------------

extern int16_t CalYear, CalMonth, CalDay;  // the calendar's own date
// CalCell(column 0..6 (Sunday..Saturday), row 0..5, value 0..2): text origin
// x, y (twips) and the cell code 100+d (previous month, grey), 200+d (shown
// month), 300+d (following month, grey). 0 for cells not drawn.
int32_t& CalCell(int column, int row, int value);
extern int16_t CalLastRow;    // last grid row the day drawing filled (0..5)
extern int16_t CalHover;      // last hit-test code of a mouse move
extern int16_t CalendarOpen;  // shared open toggle (market price, schedule)

// Arrow numbers, also hover and hit-test codes.
enum CalenderArrow : int16_t {
  kPrevYear = 1,
  kPrevMonth = 2,
  kPrevDay = 3,
  kNextDay = 4,
  kNextMonth = 5,
  kNextYear = 6
};

// --- The host ------------------------------------------------------------

class CalenderHost {
 public:
  enum Align { kAlignRight, kAlignLeft };

  // Disconnects the calendar's events, so that nothing reaches a host that
  // is being destroyed. Derive from QWidget first, then CalenderHost, so this
  // runs before the window's controls go.
  virtual ~CalenderHost();

  // The four controls (children of the host window, or of a frame in it).
  QPointer<PictureBox> pctCalender;
  QPointer<QPushButton> cmdCalender;
  QPointer<QLineEdit> txtCalender;
  QPointer<QScrollBar> vscCalender;

  Align calenderAlign = kAlignRight;
  bool useOpenToggle = false;

  // Reload the window's fields for CurYear/CurMonth/CurDay (and call
  // MarkShown() once they show it).
  virtual void RefreshForCurrentDate() = 0;

  // --- The shown day ------------------------------------------------------
  // The current date is shared, and another window can move it while this
  // one stays open with its fields. An edit here must still go into the day
  // the fields show: handlers store into EditDate(), never into the current
  // date directly. When the window is activated again and Busy is 0, it
  // catches up: RefreshForCurrentDate() runs for the moved date (unless the
  // host turned catchUpWhenActivated off: it then keeps its day until its
  // own calendar or spinner moves it).
  YearMonthDay ShownDate{};  // all 0 until the fields were loaded for a day
  bool catchUpWhenActivated = true;
  // The fields now show the current date.
  void MarkShown() { ShownDate = CurrentDate(); }
  // The fields show no day (a load failed half-way): edits go to the current date.
  void ForgetShown() { ShownDate = {}; }
  // The day an edit goes into: the shown day once one has been loaded, else
  // the current date.
  YearMonthDay EditDate() const { return ShownDate.Year != 0 ? ShownDate : CurrentDate(); }
  // Reloads for the current date when it moved away from the shown day;
  // returns whether it did. Runs on every activation of the host window
  // (when catchUpWhenActivated is set).
  bool CatchUpWithCurrentDate();
  // The calendar and the spinner of a window start from the day that window
  // shows, not from a day another window moved the current date to: before
  // either acts, the shown day becomes the current date (a window that
  // keeps its day, or one not yet activated again, would otherwise pick or
  // step from the other window's day).
  void TakeShownDateAsCurrent();

  virtual void cmdCalender_Click();
  virtual void pctCalender_LostFocus();
  virtual void vscCalender_Change();

  // Creates the four controls with their fixed properties in parent (the
  // picture box hidden, 240 x 200, raised above its siblings whenever it
  // opens). Given a frame, the button, text box and spinner then move into
  // it, while the surface stays in parent to drop down over the whole
  // window. Place the button, text box and spinner yourself.
  void MakeCalenderControls(QWidget* parent, QWidget* frame = nullptr);
  // Connects the events (see the top of this file). Call once, after the
  // four controls exist.
  void ConnectCalender();

 private:
  std::vector<QMetaObject::Connection> calenderConnections_;
  QPointer<QObject> calenderCloser_;
};

// --- Shared host steps ---------------------------------------------------

void OpenCalender(CalenderHost& host);
void CloseCalender(CalenderHost& host);
void WriteCalenderText(CalenderHost& host);
// The text of a date as the text box shows it: 2001/05/06.
QString CalenderDateText(int year, int month, int day);

// --- The routines ----------------------------------------------------------
// Each catches its run-time errors, reports them and returns.

// Background, the six arrows (the one numbered hover in blue), the weekday
// header.
void DrawCalenderFrame(PictureBox* surface, int16_t hover);
// Sets the calendar date, fills CalCell and CalLastRow, prints the title,
// the day grid, the selection frame and the footer.
void DrawCalenderDays(PictureBox* surface, int16_t year, int16_t month, int16_t day);
// 0, an arrow number 1..6 or a cell code, for a point in twips.
int32_t CalenderHitTest(float x, float y);
void CalenderMouseMove(CalenderHost& host, float x, float y);
void CalenderMouseUp(CalenderHost& host, float x, float y);
void CalenderKeyDown(CalenderHost& host, int keyCode);
void CalenderSpin(CalenderHost& host);

// --- Pieces the period calendar shares ---------------------------------------
// The period calendar (PeriodCalender.h) is the same surface with other
// clicks and frames; it draws, places and navigates with these.

// A hidden calendar surface in parent: 240 x 200 pixels, the calendar font.
PictureBox* MakeCalenderSurface(QWidget* parent);
// Moves the surface just under button (in the surface's parent), right or
// left edges aligned, and raises it above its siblings.
void PlaceCalenderUnder(PictureBox* surface, QWidget* button, CalenderHost::Align align);
// The arrow action of a hit-test code 1..6 on the calendar date (never
// leaving 1999..2030, the day clamped to the month); false for other codes.
bool CalenderArrowAction(int32_t code);
// The month a grey cell belongs to: the one before the shown month for
// 101..131, the one after for 301..307. False for other codes and for a
// month outside the record tables (December 1998, January 2031).
bool CalenderGreyMonth(int32_t code, int16_t& year, int16_t& month);
// The keys that browse the calendar date, shared by both calendars: Left and
// Right a day, Up and Down a week, Page Up and Page Down a month (the day
// clamped), Home and End the month's first and last day; never leaving the
// record tables. True when the key is one of them (the date may be
// unchanged at an end).
bool CalenderKeyMove(int keyCode);
// While the surface is open and holds the focus, a press of a mouse button
// anywhere else in its window first gives the focus to button (which closes
// the calendar through its LostFocus), then reaches what was pressed.
void CloseCalenderOnOutsideClick(PictureBox* surface, QWidget* button);
// DrawCalenderDays without the selection frame.
void DrawCalenderMonth(PictureBox* surface, int16_t year, int16_t month, int16_t day);
// Frames day d of the shown month with the selection frame's two outlines
// in colour; a day the month does not have is not framed.
void FrameCalenderDay(PictureBox* surface, int day, QRgb colour);
