#include "schedule/frmSchedule.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWheelEvent>
#include <QApplication>
#include <algorithm>
#include <utility>

#include "platform/Controls.h"
#include "platform/ErrorReporter.h"
#include "platform/Fonts.h"
#include "platform/MessageBox.h"
#include "platform/NameListLink.h"
#include "platform/PictureBox.h"
#include "platform/Screen.h"
#include "platform/WindowSlot.h"
#include "runtime/RuntimeError.h"
#include "schedule/modSchedule.h"
#include "store/ScheduleFile.h"
#include "store/ScopedFlag.h"
#include "store/Store.h"

namespace {

WindowSlot<frmSchedule>& Slot() {
  static WindowSlot<frmSchedule> slot;
  return slot;
}

// Selects an entry of a selector, or none when the index points past the
// list (a place deleted in the name list editor, a list that shrank).
void SelectOrNone(QComboBox* box, int index) { SetListIndex(box, index >= 0 && index < box->count() ? index : -1); }

// A list whose first name is "" counts as empty: the selector stays empty.
template <class Name>
QStringList Names(int last, Name&& name) {
  QStringList items;
  if (name(0).empty()) return items;
  for (int i = 0; i <= last; ++i) items << QString::fromStdString(name(i));
  return items;
}

}  // namespace

frmSchedule::frmSchedule() : RecordForm(OnClose::HideAndKeep, Placement::WholeScreen()) {
  setWindowTitle(QStringLiteral("Vorn　作業工程表"));
  BuildControls();
}

frmSchedule::~frmSchedule() = default;

void frmSchedule::BuildControls() {
  pctGraph = new PictureBox(this);
  pctGraph->setObjectName(QStringLiteral("pctGraph"));
  pctGraph->SetBorderStyle(1);
  pctGraph->SetBackColor(Qt::white);
  pctGraph->setMouseTracking(true);
  vscGraph = new QScrollBar(Qt::Vertical, this);
  vscGraph->setObjectName(QStringLiteral("vscGraph"));
  vscGraph->setSingleStep(1);
  vscGraph->setPageStep(kChartRows);
  vscGraph->setRange(0, 0);
  pctNumber = new PictureBox(this);
  pctNumber->setObjectName(QStringLiteral("pctNumber"));
  pctNumber->SetDrawFont(MapFont(kGothic, ScaledFontSize(10)));
  pctNumber->SetBackColor(palette().color(QPalette::Button));
  pctDay = new PictureBox(this);
  pctDay->setObjectName(QStringLiteral("pctDay"));
  pctDay->SetBackColor(palette().color(QPalette::Button));

  Frame1 = new QGroupBox(QStringLiteral("設定エリア"), this);
  lblYear = new QLabel(QStringLiteral("表示する年(&Y)"), Frame1);
  cmbYear = new QComboBox(Frame1);
  for (int y = kFirstYear; y <= kLastYear; ++y) cmbYear->addItem(QString::number(y));
  lblYear->setBuddy(cmbYear);
  lblWork = new QLabel(QStringLiteral("作業内容(&W)"), Frame1);
  cmbWork = new QComboBox(Frame1);
  lblWork->setBuddy(cmbWork);
  cmdWork = new QPushButton(QStringLiteral("作業の編集"), Frame1);
  lblScheduleNumber = new QLabel(QStringLiteral("行程番号(&S)"), Frame1);
  txtScheduleNumber = MakeShowBox(Frame1);
  txtScheduleNumber->setMaxLength(3);
  txtScheduleNumber->setText(QStringLiteral("0"));
  vscScheduleNumber = MakeBar(Frame1, Qt::Vertical, 0, kEntries - 1, 1, 10, 0);
  lblScheduleNumber->setBuddy(vscScheduleNumber);
  lblPlace = new QLabel(QStringLiteral("作業場所(&P)"), Frame1);
  cmbPlace = new QComboBox(Frame1);
  lblPlace->setBuddy(cmbPlace);
  cmdPlace = new QPushButton(QStringLiteral("場所の編集"), Frame1);
  lblPeriod = new QLabel(QStringLiteral("作業期間(&T)"), Frame1);
  txtCalenderFrom = MakeShowBox(Frame1);
  lblPeriodTo = new QLabel(QStringLiteral("から"), Frame1);
  txtCalenderTo = MakeShowBox(Frame1);
  // The calendar drops down over the chart, so its surface belongs to the
  // window; its button sits in the settings area.
  MakePeriodCalender(this);
  cmdCalender2->setParent(Frame1);
  lblPeriod->setBuddy(cmdCalender2);
  cmdScheduleDelete = new QPushButton(QStringLiteral("行程を削除"), Frame1);

  Frame2 = new QGroupBox(QStringLiteral("表示エリア"), this);
  lblPlaceD = new QLabel(QStringLiteral("作業場所"), Frame2);
  txtPlaceD = MakeShowBox(Frame2);
  lblWorkD = new QLabel(QStringLiteral("作業内容"), Frame2);
  txtWorkD = MakeShowBox(Frame2);
  txtDateFromD = MakeShowBox(Frame2);
  lblDateToD = new QLabel(QStringLiteral("から"), Frame2);
  txtDateToD = MakeShowBox(Frame2);

  cmdSave = new QPushButton(QStringLiteral("保存"), this);
  cmdClose = new QPushButton(QStringLiteral("閉じる"), this);

  const QFont font = MapFont(kGothic, ScaledFontSize(10));
  for (QWidget* w : findChildren<QWidget*>())
    if (w != pctGraph && w != pctNumber && w != pctDay && w != pctCalender2) w->setFont(font);

  connect(cmbYear, &QComboBox::currentIndexChanged, this, [this] { cmbYear_Click(); });
  connect(cmbWork, &QComboBox::currentIndexChanged, this, [this] { cmbWork_Click(); });
  connect(cmbPlace, &QComboBox::currentIndexChanged, this, [this] { cmbPlace_Click(); });
  // A dragged thumb shows the entry number; the entry is shown when let go.
  ConnectBar(vscScheduleNumber, this, [this] { vscScheduleNumber_Change(); },
             [this](int number) { txtScheduleNumber->setText(QString::number(number)); });
  connect(cmdWork, &QPushButton::clicked, this, [this] { cmdWork_Click(); });
  connect(cmdPlace, &QPushButton::clicked, this, [this] { cmdPlace_Click(); });
  connect(cmdScheduleDelete, &QPushButton::clicked, this, [this] { cmdScheduleDelete_Click(); });
  connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
  connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
  connect(pctGraph, &PictureBox::MouseMove, this,
          [this](int b, int s, float x, float y) { pctGraph_MouseMove(b, s, x, y); });
  connect(pctGraph, &PictureBox::DblClick, this, [this] { pctGraph_DblClick(); });
  connect(vscGraph, &QScrollBar::valueChanged, this, [this] { vscGraph_Change(); });
  pctGraph->installEventFilter(this);
  pctNumber->installEventFilter(this);
  ConnectPeriodCalender();
  CloseCalendarOnBackground(pctCalender2, {Frame1, Frame2});
}

// Pixel positions of the 1024 x 768 screen: the chart fills the left, the
// settings and display areas and the two buttons stand at the right edge.
void frmSchedule::Layout() {
  const int column = width() - 118;
  PlacePixels(Frame1, column, 0, 115, 440);
  PlacePixels(Frame2, column, 446, 115, 176);
  PlacePixels(cmdSave, column + 2, 630, 113, 36);
  PlacePixels(cmdClose, column + 2, 670, 113, 36);

  auto row = [](QWidget* w, int top, int height = 22, int left = 6, int width = 103) {
    PlacePixels(w, left, top, width, height);
  };
  row(lblYear, 18, 16);
  row(cmbYear, 35);
  row(lblWork, 64, 16);
  row(cmbWork, 81);
  row(cmdWork, 106, 24);
  row(lblScheduleNumber, 138, 16);
  row(txtScheduleNumber, 155, 22, 6, 50);
  row(vscScheduleNumber, 155, 22, 58, 17);
  row(lblPlace, 185, 16);
  row(cmbPlace, 202);
  row(cmdPlace, 227, 24);
  row(lblPeriod, 259, 16);
  row(txtCalenderFrom, 276);
  row(lblPeriodTo, 300, 16);
  row(txtCalenderTo, 317);
  row(cmdCalender2, 344, 24);
  row(cmdScheduleDelete, 400, 28);

  row(lblPlaceD, 18, 16);
  row(txtPlaceD, 35);
  row(lblWorkD, 62, 16);
  row(txtWorkD, 79);
  row(txtDateFromD, 106);
  row(lblDateToD, 130, 16);
  row(txtDateToD, 147);

  // The chart from 100 pixels in up to its scroll bar beside the settings
  // area, the names left of it on the rows' level (reaching below the chart,
  // so that the last row's name is not cut), the empty strip below.
  const int chartHeight = height() - 36;
  const int bar = 17;
  PlacePixels(pctGraph, 100, 12, column - 100 - bar, chartHeight);
  PlacePixels(vscGraph, column - bar, 12, bar, chartHeight);
  PlacePixels(pctNumber, 0, 14, 98, chartHeight + 16);
  PlacePixels(pctDay, 100, 12 + chartHeight, column - 100, 20);
}

void frmSchedule::MeasureChart() { Chart.SetChartMetrics(*pctGraph, metricsYear_); }

void frmSchedule::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  if (!Started()) return;
  // The controls follow the size the window really got, and the chart is
  // measured again for the year of the first measuring.
  CatchErrors([&] {
    Layout();
    MeasureChart();
    RedrawChart();
  });
}

bool frmSchedule::eventFilter(QObject* watched, QEvent* e) {
  if (watched == pctGraph && e->type() == QEvent::Leave) pointed_ = false;
  if ((watched == pctGraph || watched == pctNumber) && e->type() == QEvent::Wheel) {
    WheelOverChart(static_cast<QWheelEvent*>(e));
    return true;
  }
  return QWidget::eventFilter(watched, e);
}

bool frmSchedule::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate && Busy == 0 && ShownYear != 0 && ShownYear != CurYear &&
      CurYear >= kFirstYear && CurYear <= kLastYear) {
    // Another window moved the current year: show it before the next edit.
    CatchErrors([&] { SetListIndex(cmbYear, CurYear - kFirstYear); });
  }
  return QWidget::event(e);
}

// --- Loading -------------------------------------------------------------------

void frmSchedule::FillWorks() {
  FillList(cmbWork, Names(Schedule.UBound(), [](int i) -> const std::string& { return Schedule(i).Work; }));
}

void frmSchedule::FillPlaces() {
  FillList(cmbPlace, Names(FarmName.UBound(), [](int i) -> const std::string& { return FarmName(i); }));
}

void frmSchedule::PlaceControls() { Layout(); }

void frmSchedule::Form_Load() {
  CatchErrors([&] {
    ScopedFlag busy(Busy);
    FillWorks();
    FillPlaces();

    ShownYear = CurYear;
    SetListIndex(cmbYear, CurYear - kFirstYear);
    SetBarValue(vscScheduleNumber, SelEntry);
    txtScheduleNumber->setText(QString::number(SelEntry));
    if (cmbWork->count() > 0) SelectOrNone(cmbWork, SelWork);
    ShowEntryPlace();
    Chart.MarkWork = static_cast<int16_t>(SelWork);
    Chart.MarkEntry = static_cast<int16_t>(SelEntry);
    ShowEntryPeriod();

    metricsYear_ = ShownYear;
    MeasureChart();
    RedrawChart();
  });
}

// --- The entry -------------------------------------------------------------------

SchedulePeriodRec& frmSchedule::Entry() const { return Schedule(SelWork).SchedulePeriod(ShownYear)(SelEntry); }

void frmSchedule::ShowEntryPeriod() {
  const bool known = SelWork >= 0 && SelWork <= Schedule.UBound();
  const SchedulePeriodRec p = known ? Entry() : SchedulePeriodRec{};
  txtCalenderFrom->setText(p.Start == 0 ? QString() : PeriodText(ShownYear, p.Start));
  txtCalenderTo->setText(p.Start == 0 ? QString() : PeriodText(ShownYear, p.End));
}

void frmSchedule::ShowEntryPlace() {
  ScopedFlag busy(Busy);
  const bool known = SelWork >= 0 && SelWork <= Schedule.UBound();
  SelectOrNone(cmbPlace, known ? Entry().Place : -1);
}

void frmSchedule::RedrawChart() {
  UpdateChartScroll();
  Chart.Draw(*pctGraph, *pctNumber, ShownYear);
}

void frmSchedule::UpdateChartScroll() {
  // Every work of the store has a row; the bar moves whole rows.
  const QSignalBlocker quiet(vscGraph);
  vscGraph->setRange(0, std::max(0, Schedule.UBound() + 1 - kChartRows));
  Chart.ChartTopRow = vscGraph->value();
}

void frmSchedule::vscGraph_Change() {
  CatchErrors([&] {
    RedrawChart();
    // The bars moved under a pointer that stayed: read out the one now
    // under it, which is also the one a double-click takes.
    if (pointed_) {
      pctGraph_MouseMove(0, 0, pointX_, pointY_);
    } else {
      HoverWork = HoverEntry = -1;
    }
  });
}

void frmSchedule::WheelOverChart(QWheelEvent* e) {
  e->accept();
  CatchErrors([&] {
    wheelRest_ += e->angleDelta().y();
    const int notches = wheelRest_ / 120;
    wheelRest_ -= notches * 120;
    if (notches != 0) vscGraph->setValue(vscGraph->value() - notches * QApplication::wheelScrollLines());
  });
}

// --- Handlers ------------------------------------------------------------------------

void frmSchedule::cmbYear_Click() {
  CatchErrors([&] {
    const int i = cmbYear->currentIndex();
    if (i < 0) return;
    CurYear = static_cast<int16_t>(kFirstYear + i);
    // 29 February of a leap year becomes the 28th: the other windows would
    // otherwise show and take edits for a day the files never keep.
    CurDay = std::min(CurDay, DaysInMonth(CurYear, CurMonth));
    ShownYear = CurYear;
    // The boxes show the selected entry of the year now on screen, so what
    // is applied or deleted next is what the user sees.
    ShowEntryPeriod();
    ShowEntryPlace();
    ForgetReadout();
    RedrawChart();
  });
}

void frmSchedule::cmbWork_Click() {
  CatchErrors([&] {
    const int i = cmbWork->currentIndex();
    if (i < 0) return;  // the list was emptied: keep the remembered work
    SelWork = i;
    ShowEntryPeriod();
    ShowEntryPlace();
    RedrawChart();
  });
}

void frmSchedule::vscScheduleNumber_Change() {
  CatchErrors([&] {
    txtScheduleNumber->setText(QString::number(vscScheduleNumber->value()));
    if (Busy != 0) return;
    SelEntry = vscScheduleNumber->value();
    ShowEntryPeriod();
    // Showing the entry's place is no edit of it.
    ShowEntryPlace();
  });
}

void frmSchedule::cmbPlace_Click() {
  CatchErrors([&] {
    SelPlace = cmbPlace->currentIndex();
    if (Busy == 0 && SelPlace >= 0) {
      SchedulePeriodRec p = Entry();
      p.Place = PlaceIndex(SelPlace);
      StorePeriod(SelWork, ShownYear, SelEntry, p);
      ForgetReadout();
    }
    RedrawChart();
  });
}

void frmSchedule::cmdScheduleDelete_Click() {
  CatchErrors([&] {
    StorePeriod(SelWork, ShownYear, SelEntry, SchedulePeriodRec{});
    txtCalenderFrom->clear();
    txtCalenderTo->clear();
    // With no place at all there is no item 0 to show; the entry is deleted
    // all the same.
    if (cmbPlace->count() > 0) SetListIndex(cmbPlace, 0);
    ForgetReadout();
    RedrawChart();
  });
}

void frmSchedule::cmdSave_Click() { RunSave(RecordKind::Schedule, SaveSchedule); }

void frmSchedule::cmdClose_Click() {
  CatchErrors([&] { hide(); });
}

void frmSchedule::cmdWork_Click() {
  CatchErrors([&] { OpenNameListEditor(NameList::Work, this); });
}

void frmSchedule::cmdPlace_Click() {
  CatchErrors([&] { OpenNameListEditor(NameList::Place, this); });
}

// --- The period calendar ---------------------------------------------------------------

void frmSchedule::CancelPeriodCalender() {
  if (!pctCalender2 || !pctCalender2->isVisible()) return;
  PeriodCancel = -1;
  pctCalender2->hide();  // the calendar loses the focus: pctCalender2_LostFocus
  // A calendar that did not hold the focus gets no LostFocus: the mark must
  // not stay behind and drop the next period picked.
  PeriodCancel = 0;
  CalendarOpen = 0;
}

void frmSchedule::BackgroundClicked() { CancelPeriodCalender(); }

void frmSchedule::cmdCalender2_Click() {
  // A period is always a work's: without a work to hold it, a picked period
  // would be stored as a bar no name explains.
  if (cmbWork->count() == 0) {
    MsgBox(QStringLiteral("作業内容がありません。先に「作業の編集」で作業を追加してください。"), MsgButtons::Ok,
           MsgIcon::Exclamation);
    return;
  }
  if (cmbWork->currentIndex() < 0 || Schedule(SelWork).Work.empty()) {
    MsgBox(QStringLiteral("作業内容を選んでください。"), MsgButtons::Ok, MsgIcon::Exclamation);
    return;
  }
  // The period goes into the entry shown now, whatever a click or the wheel
  // moves while the calendar is open.
  openedWork_ = SelWork;
  openedEntry_ = SelEntry;
  openedYear_ = ShownYear;
  openedPlace_ = cmbPlace->currentIndex();
  PeriodCalenderHost::cmdCalender2_Click();
}

void frmSchedule::pctCalender2_LostFocus() {
  CatchErrors([&] {
    pctCalender2->hide();
    CalendarOpen = 0;
    // Only a start and an end picked in this opening make a period; Tab,
    // Esc or a click elsewhere leave the entry as it was.
    const bool picked = PeriodPicked;
    PeriodPicked = false;
    if (PeriodCancel != 0) {
      PeriodCancel = 0;
      return;
    }
    if (picked) ApplyPickedPeriod();
  });
}

void frmSchedule::ApplyPickedPeriod() {
  ScopedFlag busy(Busy);
  auto key = [](const YearMonthDay& d) { return (d.Year * 100 + d.Month) * 100 + d.Day; };
  if (key(PeriodFrom) > key(PeriodTo)) std::swap(PeriodFrom, PeriodTo);

  // Every year's entry is found before anything is written: a period that
  // does not fit is not stored in part.
  // The entry shown when the calendar opened, with the place the selector
  // showed then (the entry's own when it showed none).
  const int work = openedWork_;
  if (work < 0 || work > Schedule.UBound() || Schedule(work).Work.empty()) return;  // no bar of an unnamed work
  const uint8_t place = openedPlace_ >= 0 ? PlaceIndex(openedPlace_)
                                          : Schedule(work).SchedulePeriod(openedYear_)(openedEntry_).Place;
  const PeriodPlan plan = PlanPeriod(work, PeriodFrom, PeriodTo, openedYear_, openedEntry_, place);
  if (plan.FullYear != 0) {
    MsgBox(QStringLiteral("%1年の行程番号は全て使われているため、期間を設定できません。").arg(plan.FullYear),
           MsgButtons::Ok, MsgIcon::Exclamation);
    return;
  }
  if (work == SelWork && openedEntry_ == SelEntry && openedYear_ == ShownYear) {
    txtCalenderFrom->setText(PeriodText(PeriodFrom.Year, PeriodFrom.Month * 100 + PeriodFrom.Day));
    txtCalenderTo->setText(PeriodText(PeriodTo.Year, PeriodTo.Month * 100 + PeriodTo.Day));
  }
  for (const PeriodWrite& w : plan.Writes) StorePeriod(work, w.Year, w.Entry, w.Period);
  ForgetReadout();
  RedrawChart();
}

// --- The chart under the pointer ----------------------------------------------------------

void frmSchedule::pctGraph_MouseMove(int, int, float x, float y) {
  pointed_ = true;
  pointX_ = x;
  pointY_ = y;
  OnPointerMove([&] {
    Chart.ScheduleHitTest(x, y, HoverWork, HoverEntry);
    if (HoverWork > Schedule.UBound()) HoverWork = HoverEntry = -1;  // drawn before the list shrank
    if (HoverWork != -1 && (HoverWork != ShownWork || HoverEntry != ShownEntry)) {
      const SchedulePeriodRec& p = Schedule(HoverWork).SchedulePeriod(ShownYear)(HoverEntry);
      txtDateFromD->setText(PeriodText(ShownYear, p.Start));
      txtDateToD->setText(PeriodText(ShownYear, p.End));
      txtWorkD->setText(QString::fromStdString(Schedule(HoverWork).Work));
      // A place deleted since the entry was made has no name.
      txtPlaceD->setText(p.Place <= FarmName.UBound() ? QString::fromStdString(FarmName(p.Place)) : QString());
      ShownWork = HoverWork;
      ShownEntry = HoverEntry;
    }
    RedrawChart();
  });
}

void frmSchedule::pctGraph_DblClick() {
  CatchErrors([&] {
    ScopedFlag busy(Busy);
    if (HoverWork == -1 || HoverEntry == -1) return;
    if (HoverWork < cmbWork->count()) {
      SetListIndex(cmbWork, HoverWork);  // its handler shows the entry and redraws
    } else {
      // A work the selector does not list (its first name is empty).
      SelWork = HoverWork;
      RedrawChart();
    }
    SetBarValue(vscScheduleNumber, HoverEntry);
    SelEntry = HoverEntry;
    ShowEntryPlace();
    ShowEntryPeriod();
  });
}

// --- Lists refilled ----------------------------------------------------------------------

void frmSchedule::KeepSelectionInLists() {
  // A list read again or edited can be shorter than the work remembered:
  // the first work then, as the selector shows it, never an index past the
  // store (every handler would stop on it).
  if (SelWork < 0 || SelWork > Schedule.UBound()) SelWork = 0;
  if (SelPlace > FarmName.UBound()) SelPlace = -1;
  SelEntry = std::clamp<int32_t>(SelEntry, 0, kEntries - 1);
}

void frmSchedule::RefillWorks() {
  CatchErrors([&] {
    FillWorks();
    KeepSelectionInLists();
    ForgetReadout();
    if (cmbWork->count() > 0)
      SetListIndex(cmbWork, 0);  // as the user's choice: cmbWork_Click
    else
      RedrawChart();
  });
}

void frmSchedule::RefillPlaces() {
  CatchErrors([&] {
    FillPlaces();
    KeepSelectionInLists();
    ForgetReadout();
    // The periods followed their places: the selector shows where the shown
    // entry now is, and edits nothing.
    ShowEntryPlace();
  });
}

void frmSchedule::ReloadFromStore() {
  CatchErrors([&] {
    ScopedFlag busy(Busy);
    FillWorks();
    FillPlaces();
    KeepSelectionInLists();
    SelectOrNone(cmbWork, SelWork);
    HoverWork = HoverEntry = -1;
    ForgetReadout();
    ShowEntryPeriod();
    ShowEntryPlace();
    RedrawChart();
  });
}

// --- The window of the program ----------------------------------------------------------

frmSchedule* LoadedSchedule() { return Slot().Loaded(); }

void ShowSchedule() {
  Slot().Show();
}

void UnloadSchedule() { Slot().Unload(); }

void ReloadSchedule() {
  if (frmSchedule* f = LoadedSchedule()) f->ReloadFromStore();
}

void RefillScheduleWorks() {
  if (frmSchedule* f = LoadedSchedule()) f->RefillWorks();
}

void RefillSchedulePlaces() {
  if (frmSchedule* f = LoadedSchedule()) f->RefillPlaces();
}
