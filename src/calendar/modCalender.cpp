#include "calendar/modCalender.h"

#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <cmath>

#include "platform/Fonts.h"
#include "platform/Screen.h"
#include "runtime/RuntimeError.h"
#include "platform/ErrorReporter.h"
#include "store/ScopedFlag.h"
#include "store/Store.h"

int16_t CalYear = 0, CalMonth = 0, CalDay = 0;
int16_t CalLastRow = 0;
int16_t CalHover = 0;
int16_t CalendarOpen = 0;

namespace {

int32_t gCells[7][6][3] = {};

constexpr int kWidth = 240;
constexpr int kHeight = 200;

constexpr QRgb kSurface = RGB(255, 255, 225);
constexpr QRgb kHighlight = RGB(0, 0, 255);
constexpr QRgb kSunday = RGB(255, 0, 0);
constexpr QRgb kSaturday = RGB(0, 0, 255);
constexpr QRgb kBlack = RGB(0, 0, 0);
constexpr QRgb kGrey = RGB(200, 200, 200);
constexpr QRgb kFrame = RGB(0, 255, 0);

// 0 = Sunday .. 6 = Saturday, for any Gregorian date.
int WeekdayOf(int y, int m, int d) {
  static const int t[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (m < 3) y -= 1;
  int w = (y + y / 4 - y / 100 + y / 400 + t[m - 1] + d) % 7;
  return w < 0 ? w + 7 : w;
}

// Year-month pairs compared as one number, for the range checks.
int MonthIndex(int y, int m) { return y * 12 + (m - 1); }
bool MonthInRange(int y, int m) {
  return MonthIndex(y, m) >= MonthIndex(kFirstYear, 1) && MonthIndex(y, m) <= MonthIndex(kLastYear, 12);
}

QString Pad2(int v) { return (v < 10 ? QStringLiteral(" ") : QString()) + QString::number(v); }

void PrintAt(PictureBox* s, double px, double py, const QString& text) {
  s->SetCurrentX(s->FromPixelX(px));
  s->SetCurrentY(s->FromPixelY(py));
  s->Print(text);
}

void ClampCalDay() {
  int16_t n = DaysInMonth(CalYear, CalMonth);
  if (n < CalDay) CalDay = n;
}

// The calendar date one day back / forward, stopping at the ends of the tables.
void CalPreviousDay() {
  if (CalDay > 1) {
    CalDay = static_cast<int16_t>(CalDay - 1);
  } else if (CalMonth > 1) {
    CalMonth = static_cast<int16_t>(CalMonth - 1);
    CalDay = DaysInMonth(CalYear, CalMonth);
  } else if (CalYear > kFirstYear) {
    CalYear = static_cast<int16_t>(CalYear - 1);
    CalMonth = 12;
    CalDay = 31;
  }
}

void CalNextDay() {
  if (CalDay < DaysInMonth(CalYear, CalMonth)) {
    CalDay = static_cast<int16_t>(CalDay + 1);
  } else if (CalMonth < 12) {
    CalMonth = static_cast<int16_t>(CalMonth + 1);
    CalDay = 1;
  } else if (CalYear < kLastYear) {
    CalYear = static_cast<int16_t>(CalYear + 1);
    CalMonth = 1;
    CalDay = 1;
  }
}

void Redraw(PictureBox* s, int16_t hover) {
  DrawCalenderFrame(s, hover);
  DrawCalenderDays(s, CalYear, CalMonth, CalDay);
}

// Makes the host catch up with a current date another window moved, when
// the host window is activated.
class ActivationCatchUp : public QObject {
 public:
  ActivationCatchUp(CalenderHost* host, QObject* parent) : QObject(parent), host_(host) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() == QEvent::WindowActivate && host_->catchUpWhenActivated && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->isWindow())
      CatchErrors([&] { host_->CatchUpWithCurrentDate(); });
    return false;
  }

 private:
  CalenderHost* host_;
};

// Watches every press of a mouse button in the program: one in the
// calendar's window but outside the open calendar closes it before the
// pressed control acts. Controls that take no focus (labels, the window's
// background, scroll bars) would otherwise leave the calendar open, and a
// pick made afterwards would land on whatever that click changed.
class OutsideClickCloser : public QObject {
 public:
  OutsideClickCloser(PictureBox* surface, QWidget* button) : QObject(surface), surface_(surface), button_(button) {
    qApp->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() != QEvent::MouseButtonPress || !watched->isWidgetType()) return false;
    if (!surface_ || !button_ || !surface_->isVisible() || !surface_->hasFocus()) return false;
    auto* w = static_cast<QWidget*>(watched);
    if (w == surface_ || surface_->isAncestorOf(w) || w->window() != surface_->window()) return false;
    CatchErrors([&] { button_->setFocus(Qt::MouseFocusReason); });
    return false;
  }

 private:
  QPointer<PictureBox> surface_;
  QPointer<QWidget> button_;
};

}  // namespace

int32_t& CalCell(int column, int row, int value) {
  if (column < 0 || column > 6 || row < 0 || row > 5 || value < 0 || value > 2)
    throw rt::RuntimeError(rt::kErrSubscript);
  return gCells[column][row][value];
}

QString CalenderDateText(int year, int month, int day) {
  return QStringLiteral("%1/%2/%3").arg(year).arg(month, 2, 10, QChar('0')).arg(day, 2, 10, QChar('0'));
}

// --- Drawing ---------------------------------------------------------------

void DrawCalenderFrame(PictureBox* surface, int16_t hover) {
  CatchErrors([&] {
    if (!surface) throw rt::RuntimeError(rt::kErrObjectNotSet);
    PictureBox* s = surface;
    s->FilledBox(0, 0, s->FromPixelX(kWidth), s->FromPixelY(kHeight), QColor(kSurface));

    auto colour = [&](int arrow) -> QRgb {
      if (arrow == hover) return kHighlight;
      if (arrow == kPrevYear || arrow == kNextYear) return RGB(255, 0, 0);
      if (arrow == kPrevMonth || arrow == kNextMonth) return RGB(255, 128, 128);
      return RGB(255, 168, 168);
    };
    // Pointing left: tip -> back top -> back bottom -> tip.
    auto left = [&](int arrow, int count, int tip, int back, int top, int bottom) {
      QColor c(colour(arrow));
      for (int k = 0; k <= count; ++k) {
        s->Line(s->FromPixelX(tip + k), s->FromPixelY(14), s->FromPixelX(back - k), s->FromPixelY(top + k), c);
        s->LineTo(s->FromPixelX(back - k), s->FromPixelY(bottom - k), c);
        s->LineTo(s->FromPixelX(tip + k), s->FromPixelY(14), c);
      }
    };
    // Pointing right: back top -> back bottom -> tip -> back top.
    auto right = [&](int arrow, int count, int back, int top, int bottom, int tip) {
      QColor c(colour(arrow));
      for (int k = 0; k <= count; ++k) {
        s->Line(s->FromPixelX(back + k), s->FromPixelY(top + k), s->FromPixelX(back + k),
                s->FromPixelY(bottom - k), c);
        s->LineTo(s->FromPixelX(tip - k), s->FromPixelY(14), c);
        s->LineTo(s->FromPixelX(back + k), s->FromPixelY(top + k), c);
      }
    };
    left(kPrevYear, 5, 4, 14, 4, 24);
    left(kPrevMonth, 4, 17, 25, 6, 22);
    left(kPrevDay, 3, 28, 34, 8, 20);
    right(kNextDay, 3, 205, 8, 20, 211);
    right(kNextMonth, 4, 214, 6, 22, 222);
    right(kNextYear, 5, 225, 4, 24, 235);

    static const char16_t* const kNames[] = {u"日", u"月", u"火", u"水", u"木", u"金", u"土"};
    for (int c = 0; c <= 6; ++c) {
      s->SetForeColor(c == 0 ? kSunday : c == 6 ? kSaturday : kBlack);
      PrintAt(s, 10 + 34 * c, 30, QString::fromUtf16(kNames[c]));
    }
  });
}

namespace {

// Steps of the day drawing, without catching: the title, the grid with its
// cell table, the footer.
void DrawMonth(PictureBox* s, int16_t y, int16_t m, int16_t d) {
  if (!s) throw rt::RuntimeError(rt::kErrObjectNotSet);
  if (m < 1 || m > 12) throw rt::RuntimeError(rt::kErrSubscript);
  CalYear = y;
  CalMonth = m;
  CalDay = d;
  std::fill(&gCells[0][0][0], &gCells[0][0][0] + 7 * 6 * 3, 0);

  const int w = WeekdayOf(y, m, 1) + 1;  // 1 = Sunday .. 7 = Saturday
  const int py = m == 1 ? y - 1 : y, pm = m == 1 ? 12 : m - 1;
  const int p = DaysInMonth(py, pm), n = DaysInMonth(y, m);

  s->SetForeColor(RGB(0, 0, 255));
  PrintAt(s, 76, 6, QString::number(y) + QStringLiteral("年") + (m < 10 ? QStringLiteral(" ") : QString()) +
                        QString::number(m) + QStringLiteral("月"));

  auto cell = [&](int c, int r, int code, const QString& text) {
    const int ox = 8 + 34 * c, oy = 48 + 20 * r;
    CalCell(c, r, 0) = static_cast<int32_t>(s->FromPixelX(ox));
    CalCell(c, r, 1) = static_cast<int32_t>(s->FromPixelY(oy));
    CalCell(c, r, 2) = code;
    PrintAt(s, ox, oy, text);
  };

  s->SetForeColor(kGrey);
  for (int c = 0; c <= w - 2; ++c) {
    int day = p - w + c + 2;
    cell(c, 0, 100 + day, QString::number(day));
  }

  int c = w - 1, r = 0;
  for (int day = 1; day <= n; ++day) {
    s->SetForeColor(c == 0 ? kSunday : c == 6 ? kSaturday : kBlack);
    cell(c, r, 200 + day, Pad2(day));
    if (++c > 6) c = 0, ++r;
  }

  CalLastRow = static_cast<int16_t>(r);
  s->SetForeColor(kGrey);
  for (int k = 1; c <= 6; ++c, ++k) cell(c, r, 300 + k, QStringLiteral(" ") + QString::number(k));

  // The footer lies below the grid: the frames drawn afterwards never touch it.
  s->SetForeColor(RGB(0, 0, 255));
  s->SetFontSize(ScaledFontSize(14));
  PrintAt(s, 50, 175, QString::number(y) + QStringLiteral("年") + Pad2(m) + QStringLiteral("月") + Pad2(d) +
                          QStringLiteral("日"));
  s->SetFontSize(ScaledFontSize(12));
}

// Two outlines around day d of the shown month. A day outside the month
// (only a caller's mistake) is simply not framed.
void FrameDay(PictureBox* s, int d, QRgb colour) {
  if (!s) throw rt::RuntimeError(rt::kErrObjectNotSet);
  if (d < 1 || d > DaysInMonth(CalYear, CalMonth)) return;
  const int at = WeekdayOf(CalYear, CalMonth, 1) + d - 1;
  const int32_t fx = CalCell(at % 7, at / 7, 0), fy = CalCell(at % 7, at / 7, 1);
  const float tx = TwipsPerPixelX, ty = TwipsPerPixelY;
  s->Box(fx - 2 * tx, fy - 2 * ty, fx + 18 * tx, fy + 18 * ty, QColor(colour));
  s->Box(fx - 1 * tx, fy - 1 * ty, fx + 17 * tx, fy + 17 * ty, QColor(colour));
}

}  // namespace

void DrawCalenderDays(PictureBox* surface, int16_t y, int16_t m, int16_t d) {
  CatchErrors([&] {
    DrawMonth(surface, y, m, d);
    FrameDay(surface, d, kFrame);
  });
}

void DrawCalenderMonth(PictureBox* surface, int16_t y, int16_t m, int16_t d) {
  CatchErrors([&] { DrawMonth(surface, y, m, d); });
}

void FrameCalenderDay(PictureBox* surface, int day, QRgb colour) {
  CatchErrors([&] { FrameDay(surface, day, colour); });
}

// --- Hit test and events -----------------------------------------------------

int32_t CalenderHitTest(float x, float y) {
  int32_t result = 0;
  CatchErrors([&] {
    const double px = x / TwipsPerPixelX, py = y / TwipsPerPixelY;
    auto in = [&](double l, double r, double t, double b) { return l < px && px < r && t < py && py < b; };
    if (in(3, 15, 3, 25))
      result = kPrevYear;
    else if (in(16, 26, 5, 23))
      result = kPrevMonth;
    else if (in(27, 35, 7, 21))
      result = kPrevDay;
    else if (in(204, 212, 7, 21))
      result = kNextDay;
    else if (in(213, 223, 5, 23))
      result = kNextMonth;
    else if (in(224, 236, 3, 25))
      result = kNextYear;
    else if (6 <= px && px <= 230 && 46 <= py && py <= 168) {
      const int column = static_cast<int>((px - 6) / 34), row = static_cast<int>((py - 46) / 20);
      result = (row > CalLastRow || column > 6) ? 0 : CalCell(column, row, 2);
    }
  });
  return result;
}

void CalenderMouseMove(CalenderHost& host, float x, float y) {
  CatchErrors([&] {
    CalHover = static_cast<int16_t>(CalenderHitTest(x, y));
    if (CalHover >= 0 && CalHover <= 6) Redraw(host.pctCalender, CalHover);
  });
}

bool CalenderArrowAction(int32_t code) {
  switch (code) {
    case kPrevYear:
      if (CalYear != kFirstYear) CalYear = static_cast<int16_t>(CalYear - 1);
      ClampCalDay();
      return true;
    case kPrevMonth:
      if (CalMonth == 1) {
        if (CalYear != kFirstYear) CalYear = static_cast<int16_t>(CalYear - 1), CalMonth = 12;
      } else {
        CalMonth = static_cast<int16_t>(CalMonth - 1);
      }
      ClampCalDay();
      return true;
    case kPrevDay:
      CalPreviousDay();
      return true;
    case kNextDay:
      CalNextDay();
      return true;
    case kNextMonth:
      if (CalMonth == 12) {
        if (CalYear != kLastYear) CalYear = static_cast<int16_t>(CalYear + 1), CalMonth = 1;
      } else {
        CalMonth = static_cast<int16_t>(CalMonth + 1);
      }
      ClampCalDay();
      return true;
    case kNextYear:
      if (CalYear != kLastYear) CalYear = static_cast<int16_t>(CalYear + 1);
      ClampCalDay();
      return true;
    default:
      return false;
  }
}

bool CalenderGreyMonth(int32_t code, int16_t& year, int16_t& month) {
  int y, m;
  if (code >= 101 && code <= 131) {
    y = CalMonth == 1 ? CalYear - 1 : CalYear, m = CalMonth == 1 ? 12 : CalMonth - 1;
  } else if (code >= 301 && code <= 307) {
    y = CalMonth == 12 ? CalYear + 1 : CalYear, m = CalMonth == 12 ? 1 : CalMonth + 1;
  } else {
    return false;
  }
  if (!MonthInRange(y, m)) return false;  // December 1998 and January 2031 have no records
  year = static_cast<int16_t>(y);
  month = static_cast<int16_t>(m);
  return true;
}

void CalenderMouseUp(CalenderHost& host, float x, float y) {
  CatchErrors([&] {
    const int32_t code = CalenderHitTest(x, y);
    if (CalenderArrowAction(code)) {
      Redraw(host.pctCalender, 0);
      return;
    }
    int16_t gy, gm;
    if (CalenderGreyMonth(code, gy, gm)) {
      // Only shows the month with that day framed; the second click picks.
      const int16_t day = static_cast<int16_t>(code % 100);
      DrawCalenderFrame(host.pctCalender, 0);
      DrawCalenderDays(host.pctCalender, gy, gm, day);
    } else if (code >= 201 && code <= 231) {
      CurDay = static_cast<int16_t>(code - 200);
      CurYear = CalYear;
      CurMonth = CalMonth;
      if (host.cmdCalender) host.cmdCalender->setFocus(Qt::OtherFocusReason);
    }
  });
}

void CalenderKeyDown(CalenderHost& host, int keyCode) {
  CatchErrors([&] {
    switch (keyCode) {
      case keys::kEnter:
        CurYear = CalYear;
        CurMonth = CalMonth;
        CurDay = CalDay;
        if (host.cmdCalender) host.cmdCalender->setFocus(Qt::OtherFocusReason);
        break;
      case keys::kEsc: {
        ScopedFlag busy(Busy);
        if (host.cmdCalender) host.cmdCalender->setFocus(Qt::OtherFocusReason);
        break;
      }
      default:
        if (CalenderKeyMove(keyCode)) Redraw(host.pctCalender, 0);
        break;
    }
  });
}

bool CalenderKeyMove(int keyCode) {
  switch (keyCode) {
    case keys::kPageUp:
      return CalenderArrowAction(kPrevMonth);
    case keys::kPageDown:
      return CalenderArrowAction(kNextMonth);
    case keys::kEnd:
      CalDay = DaysInMonth(CalYear, CalMonth);
      return true;
    case keys::kHome:
      CalDay = 1;
      return true;
    case keys::kLeft:
      CalPreviousDay();
      return true;
    case keys::kRight:
      CalNextDay();
      return true;
    case keys::kUp:
    case keys::kDown: {
      // A week; a week that would leave the record tables leaves the day.
      const int16_t y = CalYear, m = CalMonth, d = CalDay;
      for (int i = 0; i < 7; ++i) keyCode == keys::kUp ? CalPreviousDay() : CalNextDay();
      const bool moved7 =
          keyCode == keys::kUp ? !(y == kFirstYear && m == 1 && d <= 7) : !(y == kLastYear && m == 12 && d >= 25);
      if (!moved7) CalYear = y, CalMonth = m, CalDay = d;
      return true;
    }
    default:
      return false;
  }
}

void CalenderSpin(CalenderHost& host) {
  CatchErrors([&] {
    if (!host.vscCalender) throw rt::RuntimeError(rt::kErrObjectNotSet);
    const int v = host.vscCalender->value();
    if (v == 0) {
      // One day back, but never before the first day of the tables.
      if (!(CurYear <= kFirstYear && CurMonth == 1 && CurDay == 1)) {
        if (CurDay == 1) {
          if (CurMonth == 1)
            CurMonth = 12, CurYear = static_cast<int16_t>(CurYear - 1);
          else
            CurMonth = static_cast<int16_t>(CurMonth - 1);
          CurDay = DaysInMonth(CurYear, CurMonth);
        } else {
          CurDay = static_cast<int16_t>(CurDay - 1);
        }
      }
    } else if (v == 2) {
      if (!(CurYear >= kLastYear && CurMonth == 12 && CurDay == 31)) {
        if (CurDay == DaysInMonth(CurYear, CurMonth)) {
          CurDay = 1;
          if (CurMonth == 12)
            CurMonth = 1, CurYear = static_cast<int16_t>(CurYear + 1);
          else
            CurMonth = static_cast<int16_t>(CurMonth + 1);
        } else {
          CurDay = static_cast<int16_t>(CurDay + 1);
        }
      }
    }
    WriteCalenderText(host);
    host.vscCalender->setValue(1);  // raises one more change, with value 1
  });
}

// --- Host side ---------------------------------------------------------------

void WriteCalenderText(CalenderHost& host) {
  if (host.txtCalender) host.txtCalender->setText(CalenderDateText(CurYear, CurMonth, CurDay));
}

void PlaceCalenderUnder(PictureBox* pct, QWidget* button, CalenderHost::Align align) {
  if (!pct || !button) return;
  QWidget* parent = pct->parentWidget();
  QPoint at = parent ? parent->mapFromGlobal(button->mapToGlobal(QPoint(0, 0))) : button->pos();
  int left = align == CalenderHost::kAlignLeft ? at.x() : at.x() + button->width() - kWidth;
  pct->setGeometry(left, at.y() + button->height(), kWidth, kHeight);
  pct->raise();
}

void CloseCalenderOnOutsideClick(PictureBox* surface, QWidget* button) {
  if (surface && button) new OutsideClickCloser(surface, button);
}

PictureBox* MakeCalenderSurface(QWidget* parent) {
  auto* pct = new PictureBox(parent);
  pct->hide();
  pct->resize(kWidth, kHeight);
  pct->SetDrawFont(MapFont(kGothic, ScaledFontSize(12), true));
  return pct;
}

void OpenCalender(CalenderHost& host) {
  PictureBox* pct = host.pctCalender;
  QPushButton* cmd = host.cmdCalender;
  if (!pct || !cmd) return;
  PlaceCalenderUnder(pct, cmd, host.calenderAlign);
  pct->show();
  pct->setFocus(Qt::OtherFocusReason);
  DrawCalenderFrame(pct, 0);
  DrawCalenderDays(pct, CurYear, CurMonth, CurDay);
}

void CloseCalender(CalenderHost& host) {
  if (host.pctCalender) host.pctCalender->hide();
  CalendarOpen = 0;
  WriteCalenderText(host);
}

CalenderHost::~CalenderHost() {
  for (const QMetaObject::Connection& c : calenderConnections_) QObject::disconnect(c);
  delete calenderCloser_;
}

bool CalenderHost::CatchUpWithCurrentDate() {
  if (Busy != 0 || ShownDate.Year == 0 || ShownDate == CurrentDate()) return false;
  RefreshForCurrentDate();
  return true;
}

void CalenderHost::TakeShownDateAsCurrent() {
  if (ShownDate.Year != 0 && ShownDate != CurrentDate()) SetCurrentDate(ShownDate);
}

void CalenderHost::cmdCalender_Click() {
  if (useOpenToggle) {
    if (CalendarOpen) {
      CalendarOpen = 0;
      return;
    }
    CalendarOpen = -1;
  }
  TakeShownDateAsCurrent();
  OpenCalender(*this);
}

void CalenderHost::pctCalender_LostFocus() {
  CloseCalender(*this);
  RefreshForCurrentDate();
}

void CalenderHost::vscCalender_Change() {
  // The spin puts the spinner back to the middle, which raises one more
  // change with value 1: nothing moved then, and loading the day twice would
  // show a day that cannot be shown with two boxes for one click.
  if (vscCalender && vscCalender->value() == 1) return;
  TakeShownDateAsCurrent();
  CalenderSpin(*this);
  RefreshForCurrentDate();
}

void CalenderHost::MakeCalenderControls(QWidget* parent, QWidget* frame) {
  pctCalender = MakeCalenderSurface(parent);
  pctCalender->setObjectName(QStringLiteral("pctCalender"));
  cmdCalender = new QPushButton(QStringLiteral("カレンダー"), parent);
  cmdCalender->setObjectName(QStringLiteral("cmdCalender"));
  txtCalender = new QLineEdit(parent);
  txtCalender->setObjectName(QStringLiteral("txtCalender"));
  // The date is chosen with the calendar and the spinner, never typed: the
  // box is no Tab stop.
  txtCalender->setReadOnly(true);
  txtCalender->setFocusPolicy(Qt::NoFocus);
  vscCalender = new QScrollBar(Qt::Vertical, parent);
  vscCalender->setObjectName(QStringLiteral("vscCalender"));
  vscCalender->setRange(0, 2);
  vscCalender->setSingleStep(1);
  vscCalender->setPageStep(1);
  vscCalender->setValue(1);
  if (!frame) return;
  for (QWidget* w : {static_cast<QWidget*>(txtCalender.data()), static_cast<QWidget*>(vscCalender.data()),
                     static_cast<QWidget*>(cmdCalender.data())}) {
    w->setParent(frame);
    w->show();
  }
}

void CalenderHost::ConnectCalender() {
  PictureBox* pct = pctCalender;
  if (!pct || !cmdCalender || !vscCalender) return;
  auto& keep = calenderConnections_;
  keep.push_back(QObject::connect(cmdCalender, &QPushButton::clicked, cmdCalender,
                                  [this] { CatchErrors([&] { cmdCalender_Click(); }); }));
  keep.push_back(
      QObject::connect(pct, &PictureBox::LostFocus, pct, [this] { CatchErrors([&] { pctCalender_LostFocus(); }); }));
  keep.push_back(QObject::connect(vscCalender, &QScrollBar::valueChanged, vscCalender,
                                  [this] { CatchErrors([&] { vscCalender_Change(); }); }));
  keep.push_back(QObject::connect(pct, &PictureBox::MouseMove, pct,
                                  [this](int, int, float x, float y) { CalenderMouseMove(*this, x, y); }));
  keep.push_back(QObject::connect(pct, &PictureBox::MouseUp, pct,
                                  [this](int, int, float x, float y) { CalenderMouseUp(*this, x, y); }));
  keep.push_back(QObject::connect(pct, &PictureBox::KeyDown, pct, [this](int key, int) { CalenderKeyDown(*this, key); }));
  CloseCalenderOnOutsideClick(pct, cmdCalender);
  if (QWidget* window = pct->window(); window && window != pct)
    window->installEventFilter(calenderCloser_ = new ActivationCatchUp(this, pct));
}
