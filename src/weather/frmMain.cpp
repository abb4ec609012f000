#include "weather/frmMain.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QDate>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "platform/KeepFocus.h"
#include "platform/Controls.h"
#include "platform/ErrorReporter.h"
#include "platform/Fonts.h"
#include "platform/PictureBox.h"
#include "platform/Screen.h"
#include "platform/Today.h"
#include "platform/WindowSlot.h"
#include "runtime/RuntimeError.h"
#include "store/ScopedFlag.h"
#include "store/Store.h"
#include "store/WeatherFiles.h"
#include "weather/modMain.h"

namespace {

WindowSlot<frmMain>& Slot() {
  static WindowSlot<frmMain> slot;
  return slot;
}

void DefaultPopup(QMenu* menu, const QPoint& at) { menu->exec(at); }
frmMain::PopupFn& Popup() {
  static frmMain::PopupFn fn = DefaultPopup;
  return fn;
}

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kGreen(0, 128, 0);
const QColor kPurple(192, 0, 192);

void SetTextColor(QWidget* w, const QColor& c) {
  QPalette p = w->palette();
  p.setColor(QPalette::WindowText, c);
  p.setColor(QPalette::Text, c);
  w->setPalette(p);
}

// A whole day is loaded, and the graph redrawn, inside one handler: the
// window paints only when the handler has returned, from its double buffer,
// so the intermediate states of the graph and controls never reach the
// screen and nothing flickers. The picture box keeps the graph between
// repaints.

// Loads the current day into the controls under Busy. Each part loads on its
// own: a value a control cannot take is reported once, the other controls
// still show the day, and Busy always returns to 0.
enum class LoadOrder { TemperaturesFirst, CodeFirst };
void LoadCurrentDay(frmMain& f, LoadOrder order) {
  rt::FirstError e;
  {
    ScopedFlag busy(Busy);
    // Each part loads on its own, so the fields show this day even when one
    // value could not be shown: edits go into it from now on.
    f.MarkShown();
    e.Try([&] { f.RedrawGraph(CurYear, CurMonth, CurDay); });
    if (order == LoadOrder::TemperaturesFirst) {
      e.Try([&] { ShowTemperatures(f, CurYear, CurMonth, CurDay); });
      e.Try([&] { ShowWeatherCode(f, CurYear, CurMonth, CurDay); });
    } else {
      e.Try([&] { ShowWeatherCode(f, CurYear, CurMonth, CurDay); });
      e.Try([&] { ShowTemperatures(f, CurYear, CurMonth, CurDay); });
    }
    e.Try([&] { ShowRainfall(f, CurYear, CurMonth, CurDay); });
  }
  if (e.number != 0) ReportError(e.number);
}

int16_t ClampDay(int16_t d) {
  int16_t n = DaysInMonth(CurYear, CurMonth);
  if (d > n) return n;
  if (d < 1) return 1;
  return d;
}

QLabel* MakeLabel(QWidget* parent, const QString& text) {
  auto* l = new QLabel(text, parent);
  return l;
}

}  // namespace

void frmMain::SetPopupHandler(PopupFn fn) { Popup() = fn ? std::move(fn) : PopupFn(DefaultPopup); }

frmMain::frmMain() : RecordForm(OnClose::HideAndKeep, Placement::WholeScreen()) {
  setWindowTitle(QStringLiteral("Vorn　気象グラフ"));
  BuildControls();
}

frmMain::~frmMain() = default;

void frmMain::BuildControls() {
  pctGraph = new PictureBox(this);
  pctGraph->SetBorderStyle(1);
  pctGraph->SetBackColor(Qt::white);

  for (int i = 0; i <= 12; ++i) {
    lblKousui[i] = MakeLabel(this, QString::number(600 - 50 * i));
    SetTextColor(lblKousui[i], kPurple);
    int t = 45 - 5 * i;
    lblKion[i] = MakeLabel(this, QString::number(t));
    lblKion[i]->setAlignment(Qt::AlignRight | Qt::AlignTop);
    SetTextColor(lblKion[i], t > 0 ? kRed : t == 0 ? kGreen : kBlue);
  }
  for (int d = 0; d < 31; ++d) {
    lblDays[d] = MakeLabel(this, QString::number(d + 1));
    lblDays[d]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    SetTextColor(lblDays[d], kGreen);
  }
  lblGraphName = MakeLabel(this, QStringLiteral("降水量｜気温/日"));

  Frame1 = new QGroupBox(QStringLiteral("設定エリア"), this);
  // The calendar drops down over everything else in the window, so its
  // picture box belongs to the window; the button, date box and spinner sit
  // in the entry area.
  MakeCalenderControls(this, Frame1);
  // The date is chosen with the calendar and the spinner: keys are discarded
  // (below), and pasting or dropping text is refused as well.
  txtCalender->setReadOnly(true);
  txtCalender->installEventFilter(this);
  lblTenki = MakeLabel(Frame1, QStringLiteral("天気(&W)"));
  cmbTenki1 = new QComboBox(Frame1);
  cmbTenki2 = new QComboBox(Frame1);
  cmbTenki3 = new QComboBox(Frame1);
  for (const char* s : kTenkiItems) cmbTenki1->addItem(QString::fromUtf8(s));
  for (const char* s : kConnectorItems) cmbTenki2->addItem(QString::fromUtf8(s));
  for (const char* s : kTenki3Items) cmbTenki3->addItem(QString::fromUtf8(s));
  lblTenki->setBuddy(cmbTenki1);

  lblKionHigh = MakeLabel(Frame1, QStringLiteral("最高気温(&H)"));
  SetTextColor(lblKionHigh, kRed);
  txtKionHigh = MakeShowBox(Frame1, QStringLiteral(" 20.0"));
  hscKionHigh = MakeBar(Frame1, Qt::Horizontal, -150, 450, 1, 10, 200);
  lblKionHigh->setBuddy(hscKionHigh);
  lblKionLow = MakeLabel(Frame1, QStringLiteral("最低気温(&L)"));
  SetTextColor(lblKionLow, kBlue);
  txtKionLow = MakeShowBox(Frame1, QStringLiteral(" 20.0"));
  hscKionLow = MakeBar(Frame1, Qt::Horizontal, -150, 450, 1, 10, 200);
  lblKionLow->setBuddy(hscKionLow);
  lblRain = MakeLabel(Frame1, QStringLiteral("降水量(&R)"));
  SetTextColor(lblRain, kPurple);
  txtRain = MakeShowBox(Frame1, QStringLiteral(" 0.0"));
  hscRain = MakeBar(Frame1, Qt::Horizontal, 0, 6000, 5, 100, 0);
  lblRain->setBuddy(hscRain);

  Frame2 = new QGroupBox(QStringLiteral("表示エリア"), this);
  txtDay = MakeShowBox(Frame2);
  lblDayD = MakeLabel(Frame2, QStringLiteral("日"));
  lblTenkiD = MakeLabel(Frame2, QStringLiteral("天気"));
  txtTenki = MakeShowBox(Frame2);
  lblKionHighD = MakeLabel(Frame2, QStringLiteral("最高気温"));
  SetTextColor(lblKionHighD, kRed);
  txtKionHighD = MakeShowBox(Frame2);
  lblCHigh = MakeLabel(Frame2, QStringLiteral("℃"));
  lblKionLowD = MakeLabel(Frame2, QStringLiteral("最低気温"));
  SetTextColor(lblKionLowD, kBlue);
  txtKionLowD = MakeShowBox(Frame2);
  lblCLow = MakeLabel(Frame2, QStringLiteral("℃"));
  lblRainD = MakeLabel(Frame2, QStringLiteral("降水量"));
  SetTextColor(lblRainD, kPurple);
  txtKousui = MakeShowBox(Frame2);
  lblRainMM = MakeLabel(Frame2, QStringLiteral("mm"));

  cmdSave = new QPushButton(QStringLiteral("保存"), this);
  cmdEnd = new QPushButton(QStringLiteral("閉じる"), this);

  mnuRightClick = new QMenu(QStringLiteral("メニュー"), this);
  mnuRightClickData1 = mnuRightClick->addAction(QString());
  mnuRightClickData2 = mnuRightClick->addAction(QString());
  mnuRightClickData3 = mnuRightClick->addAction(QString());
  mnuRightClickData4 = mnuRightClick->addAction(QString());
  mnuRightClick->addSeparator();
  mnuRightClickSettingDay = mnuRightClick->addAction(QStringLiteral("設定日にする(&S)"));

  connect(cmbTenki1, &QComboBox::currentIndexChanged, this, [this] { cmbTenki1_Click(); });
  connect(cmbTenki2, &QComboBox::currentIndexChanged, this, [this] { cmbTenki2_Click(); });
  connect(cmbTenki3, &QComboBox::currentIndexChanged, this, [this] { cmbTenki3_Click(); });
  // A dragged thumb shows its value beside the bar and is stored when let go.
  auto shows = [](QLineEdit* box) { return [box](int tenths) { box->setText(Tenths(tenths / 10.0f)); }; };
  ConnectBar(hscKionHigh, this, [this] { hscKionHigh_Change(); }, shows(txtKionHigh));
  ConnectBar(hscKionLow, this, [this] { hscKionLow_Change(); }, shows(txtKionLow));
  ConnectBar(hscRain, this, [this] { hscRain_Change(); }, shows(txtRain));
  connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
  connect(cmdEnd, &QPushButton::clicked, this, [this] { cmdEnd_Click(); });
  connect(pctGraph, &PictureBox::MouseMove, this,
          [this](int b, int s, float x, float y) { pctGraph_MouseMove(b, s, x, y); });
  connect(pctGraph, &PictureBox::MouseUp, this, [this](int b, int s, float x, float y) { pctGraph_MouseUp(b, s, x, y); });
  connect(pctGraph, &PictureBox::DblClick, this, [this] { pctGraph_DblClick(); });
  connect(mnuRightClickSettingDay, &QAction::triggered, this, [this] { mnuRightClickSettingDay_Click(); });
  CloseCalendarOnBackground(pctCalender, {Frame1, Frame2});
  ConnectCalender();
}

bool frmMain::eventFilter(QObject* watched, QEvent* e) {
  if (watched == txtCalender && (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease ||
                                 e->type() == QEvent::InputMethod)) {
    // The date is chosen with the calendar and the spinner only; every key
    // press is discarded (focus keys still move the focus on).
    if (e->type() == QEvent::KeyPress) {
      auto* k = static_cast<QKeyEvent*>(e);
      if (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) return false;
    }
    return true;
  }
  return QWidget::eventFilter(watched, e);
}

// --- Handlers ------------------------------------------------------------------

void frmMain::PlaceControls() { LayoutWeatherWindow(*this); }

void frmMain::Form_Load() {
  CatchErrors([&] {
    // Today, kept inside the years the record tables hold.
    SetCurrentDate(Today());
    LoadCurrentDay(*this, LoadOrder::TemperaturesFirst);
    WriteCalenderText(*this);
  });
}

void frmMain::StoreWeatherCode() {
  if (Busy != 0) return;
  const YearMonthDay d = EditDate();
  std::string code = std::to_string(cmbTenki1->currentIndex()) + std::to_string(cmbTenki2->currentIndex()) +
                     std::to_string(cmbTenki3->currentIndex());
  ::StoreWeatherCode(d.Year, d.Month, d.Day, code);
}

void frmMain::cmbTenki1_Click() {
  CatchErrors([&] { StoreWeatherCode(); });
}
void frmMain::cmbTenki2_Click() {
  CatchErrors([&] { StoreWeatherCode(); });
}
void frmMain::cmbTenki3_Click() {
  CatchErrors([&] { StoreWeatherCode(); });
}

void frmMain::StoreTemperature(QScrollBar* bar, QLineEdit* box, int kind) {
  float t = static_cast<float>(bar->value()) / 10.0f;
  box->setText(Tenths(t));
  const YearMonthDay d = EditDate();
  if (Busy == 0) ::StoreTemperature(d.Year, d.Month, d.Day, kind, t);
  RedrawGraph(d.Year, d.Month, d.Day);
}

void frmMain::hscKionHigh_Change() {
  CatchErrors([&] { StoreTemperature(hscKionHigh, txtKionHigh, 1); });
}
void frmMain::hscKionLow_Change() {
  CatchErrors([&] { StoreTemperature(hscKionLow, txtKionLow, 0); });
}

void frmMain::hscRain_Change() {
  // Cleared also after a failure, or the bar would never store again.
  ReentryGuard rain(RainBusy);
  if (!rain.Enter()) return;
  CatchErrors([&] {
    float r = static_cast<float>(hscRain->value()) / 10.0f;
    txtRain->setText(Tenths(r));
    const YearMonthDay d = EditDate();
    if (Busy == 0) StoreRainfall(d.Year, d.Month, d.Day, r);
    RedrawGraph(d.Year, d.Month, d.Day);
  });
}

void frmMain::RefreshForCurrentDate() {
  CatchErrors([&] {
    LoadCurrentDay(*this, LoadOrder::CodeFirst);
    WriteCalenderText(*this);
  });
}

void frmMain::cmdSave_Click() {
  // Each file reports its own failure; the flag is cleared only when all
  // three are safely written.
  RunSave(RecordKind::Weather, [] {
    bool ok = SaveOndo();
    ok = SaveTenki() && ok;
    return SaveKousui() && ok;
  });
}

void frmMain::cmdEnd_Click() {
  CatchErrors([&] { hide(); });
}

void frmMain::RedrawGraph(int16_t year, int16_t month, int16_t markedDay) {
  Chart.Draw(*pctGraph, year, month, markedDay);
}

// --- Pointing ----------------------------------------------------------------

void frmMain::pctGraph_MouseMove(int, int, float x, float) {
  OnPointerMove([&] {
    WeatherMouseX = static_cast<int16_t>(Nearest(x));
    int16_t d = Chart.DayOfX(WeatherMouseX);
    if (d != WeatherHoverDay && d >= 1 && d <= DaysInMonth(CurYear, CurMonth)) {
      WeatherHoverDay = d;
      CatchReadoutErrors(CurYear, CurMonth, d, [&] {
        RedrawGraph(CurYear, CurMonth, d);
        txtDay->setText(QString::number(d));
        txtKionHighD->setText(Tenths(Ondo(CurYear, CurMonth, d, 1)));
        txtKionLowD->setText(Tenths(Ondo(CurYear, CurMonth, d, 0)));
        txtKousui->setText(Tenths(Kousui(CurYear, CurMonth, d)));
        txtTenki->setText(ReadoutWeather(Tenki(CurYear, CurMonth, d), QStringLiteral(" ")));
        pctGraph->SetToolTipText(WeatherTooltip(CurYear, CurMonth, d));
      });
    }
  });
}

void frmMain::pctGraph_MouseUp(int button, int, float, float) {
  if (button != 2) return;
  CatchErrors([&] {
    // The day of the last pointer move: the menu reads out what was pointed at.
    int16_t d = ClampDay(Chart.DayOfX(WeatherMouseX));
    std::array<QString, 4> lines;
    if (!CatchReadoutErrors(CurYear, CurMonth, d, [&] { lines = WeatherMenuLines(CurYear, CurMonth, d); })) return;
    mnuRightClickData1->setText(lines[0]);
    mnuRightClickData2->setText(lines[1]);
    mnuRightClickData3->setText(lines[2]);
    mnuRightClickData4->setText(lines[3]);
    BackgroundClicked();
    Popup()(mnuRightClick, QCursor::pos());
    RedrawGraph(CurYear, CurMonth, d);
  });
}

void frmMain::mnuRightClickSettingDay_Click() {
  CatchErrors([&] {
    CurDay = ClampDay(Chart.DayOfX(WeatherMouseX));
    WriteCalenderText(*this);
    ShowWeatherDay(*this);
  });
}

void frmMain::pctGraph_DblClick() {
  CatchErrors([&] {
    CurDay = ClampDay(Chart.DayOfX(WeatherMouseX));
    WriteCalenderText(*this);
    RedrawGraph(CurYear, CurMonth, CurDay);
    ShowWeatherDay(*this);
  });
}

// --- Module routines -----------------------------------------------------------

void ShowWeatherDay(frmMain& f) {
  LoadCurrentDay(f, LoadOrder::CodeFirst);
}

void ShowWeatherCode(frmMain& f, int16_t year, int16_t month, int16_t day) {
  const std::string& code = SavedWeatherCode(Tenki(year, month, day));
  rt::FirstError e;
  e.Try([&] { SetListIndex(f.cmbTenki1, CodeDigit(code, 1)); });
  e.Try([&] { SetListIndex(f.cmbTenki2, CodeDigit(code, 2)); });
  e.Try([&] { SetListIndex(f.cmbTenki3, CodeDigit(code, 3)); });
  e.Rethrow();
}

void ShowTemperatures(frmMain& f, int16_t year, int16_t month, int16_t day) {
  rt::FirstError e;
  e.Try([&] { SetBarValue(f.hscKionHigh, TenthsOf(Ondo(year, month, day, 1))); });
  e.Try([&] { SetBarValue(f.hscKionLow, TenthsOf(Ondo(year, month, day, 0))); });
  e.Rethrow();
}

void ShowRainfall(frmMain& f, int16_t year, int16_t month, int16_t day) {
  SetBarValue(f.hscRain, TenthsOf(Kousui(year, month, day)));
}

frmMain* WeatherWindow() { return Slot().Loaded(); }

void ShowWeatherWindow() {
  Slot().Show();
}

void UnloadWeatherWindow() { Slot().Unload(); }

void ReloadWeatherWindow() {
  if (frmMain* w = WeatherWindow()) w->RefreshForCurrentDate();
}
