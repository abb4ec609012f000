#include "calendar/PeriodCalender.h"

#include "platform/ErrorReporter.h"
#include "runtime/RuntimeError.h"
#include "store/Store.h"

int16_t PeriodState = 0;
int16_t PeriodHover = 0;
int16_t PeriodKeyCursor = 0;

namespace {

constexpr QRgb kStartFrame = RGB(0, 255, 0);
constexpr QRgb kEndFrame = RGB(255, 0, 0);
constexpr QRgb kKeyCursor = RGB(0, 0, 255);

constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;

bool InShownMonth(const YearMonthDay& d) { return d.Year == CalYear && d.Month == CalMonth; }

void Redraw(PictureBox* s, int16_t hover) {
  DrawCalenderFrame(s, hover);
  DrawPeriodDays(s, CalYear, CalMonth, CalDay);
}

// A click with the other button than the one that started the selection
// completes it: the calendar gives the focus away, which closes it and
// makes the host apply the period.
void Complete(PeriodCalenderHost& host) {
  PeriodState = 0;
  host.PeriodPicked = true;
  if (host.cmdCalender2) host.cmdCalender2->setFocus(Qt::OtherFocusReason);
}

void PickStart(PeriodCalenderHost& host, int16_t day) {
  CalDay = day;
  PeriodFrom = {CalYear, CalMonth, day};
  if (PeriodState == 2) {
    Complete(host);
    return;
  }
  PeriodState = 1;
  Redraw(host.pctCalender2, 0);
}

void PickEnd(PeriodCalenderHost& host, int16_t day) {
  PeriodTo = {CalYear, CalMonth, day};
  if (PeriodState == 1) {
    Complete(host);
    return;
  }
  PeriodState = 2;
  Redraw(host.pctCalender2, 0);
}

}  // namespace

void DrawPeriodDays(PictureBox* surface, int16_t year, int16_t month, int16_t day) {
  CatchErrors([&] {
    if (!surface) throw rt::RuntimeError(rt::kErrObjectNotSet);
    DrawCalenderMonth(surface, year, month, day);
    // The day Enter would pick, once the keys are in use; the ends drawn
    // after it stay visible over it.
    if (PeriodKeyCursor) FrameCalenderDay(surface, day, kKeyCursor);
    if (InShownMonth(PeriodFrom)) FrameCalenderDay(surface, PeriodFrom.Day, kStartFrame);
    if (InShownMonth(PeriodTo)) FrameCalenderDay(surface, PeriodTo.Day, kEndFrame);
  });
}

void PeriodMouseMove(PeriodCalenderHost& host, float x, float y) {
  CatchErrors([&] {
    PeriodHover = static_cast<int16_t>(CalenderHitTest(x, y));
    if (PeriodHover >= 0 && PeriodHover <= 6) Redraw(host.pctCalender2, PeriodHover);
  });
}

void PeriodMouseUp(PeriodCalenderHost& host, int button, float x, float y) {
  CatchErrors([&] {
    if (button != kLeftButton && button != kRightButton) return;
    const int32_t code = CalenderHitTest(x, y);
    if (code >= 201 && code <= 231) {
      const auto day = static_cast<int16_t>(code - 200);
      button == kLeftButton ? PickStart(host, day) : PickEnd(host, day);
      return;
    }
    int16_t gy, gm;
    if (button == kLeftButton && CalenderGreyMonth(code, gy, gm)) {
      // The start on a day of the adjacent month: the calendar moves there.
      CalYear = gy;
      CalMonth = gm;
      PickStart(host, static_cast<int16_t>(code % 100));
      return;
    }
    // A grey day outside the record tables, or with the right button, only
    // redraws.
    CalenderArrowAction(code);
    Redraw(host.pctCalender2, 0);
  });
}

void PeriodKeyDown(PeriodCalenderHost& host, int keyCode) {
  CatchErrors([&] {
    if (keyCode == keys::kEsc) {
      // Leaves as a click elsewhere does: the focus goes back to the button.
      if (host.cmdCalender2) host.cmdCalender2->setFocus(Qt::OtherFocusReason);
    } else if (keyCode == keys::kEnter) {
      PeriodKeyCursor = -1;
      PeriodState == 1 ? PickEnd(host, CalDay) : PickStart(host, CalDay);
    } else if (CalenderKeyMove(keyCode)) {
      PeriodKeyCursor = -1;
      Redraw(host.pctCalender2, 0);
    }
  });
}

void OpenPeriodCalender(PeriodCalenderHost& host) {
  PictureBox* pct = host.pctCalender2;
  if (!pct || !host.cmdCalender2) return;
  CalYear = CurYear;
  CalMonth = CurMonth;
  CalDay = CurDay;
  PeriodState = 0;
  PeriodKeyCursor = 0;
  host.PeriodPicked = false;
  PlaceCalenderUnder(pct, host.cmdCalender2, CalenderHost::kAlignRight);
  DrawCalenderFrame(pct, 0);
  DrawPeriodDays(pct, CalYear, CalMonth, CalDay);
  pct->show();
  pct->setFocus(Qt::OtherFocusReason);
}

PeriodCalenderHost::~PeriodCalenderHost() {
  for (const QMetaObject::Connection& c : periodConnections_) QObject::disconnect(c);
}

void PeriodCalenderHost::cmdCalender2_Click() {
  if (CalendarOpen) {
    CalendarOpen = 0;
    return;
  }
  CalendarOpen = -1;
  OpenPeriodCalender(*this);
}

void PeriodCalenderHost::MakePeriodCalender(QWidget* parent) {
  pctCalender2 = MakeCalenderSurface(parent);
  pctCalender2->setObjectName(QStringLiteral("pctCalender2"));
  pctCalender2->SetToolTipText(QStringLiteral("左ｸﾘｯｸと右ｸﾘｯｸで期間を決定してください"));
  // A right click picks the end: no context menu may take it.
  pctCalender2->setContextMenuPolicy(Qt::PreventContextMenu);
  cmdCalender2 = new QPushButton(QStringLiteral("カレンダー"), parent);
  cmdCalender2->setObjectName(QStringLiteral("cmdCalender2"));
}

void PeriodCalenderHost::ConnectPeriodCalender() {
  PictureBox* pct = pctCalender2;
  if (!pct || !cmdCalender2) return;
  auto& keep = periodConnections_;
  keep.push_back(QObject::connect(cmdCalender2, &QPushButton::clicked, cmdCalender2,
                                  [this] { CatchErrors([&] { cmdCalender2_Click(); }); }));
  keep.push_back(
      QObject::connect(pct, &PictureBox::LostFocus, pct, [this] { CatchErrors([&] { pctCalender2_LostFocus(); }); }));
  keep.push_back(
      QObject::connect(pct, &PictureBox::KeyDown, pct, [this](int keyCode, int) { PeriodKeyDown(*this, keyCode); }));
  keep.push_back(QObject::connect(pct, &PictureBox::MouseMove, pct,
                                  [this](int, int, float x, float y) { PeriodMouseMove(*this, x, y); }));
  CloseCalenderOnOutsideClick(pct, cmdCalender2);
  keep.push_back(QObject::connect(pct, &PictureBox::MouseUp, pct,
                                  [this](int button, int, float x, float y) { PeriodMouseUp(*this, button, x, y); }));
}
