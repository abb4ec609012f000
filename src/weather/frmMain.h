#pragma once
// The weather window: the sky of the current day in three selectors, high and
// low temperature and rainfall on scroll bars, and the whole month as a graph
// that reads out the day under the pointer.
//
// Every change made with a selector or scroll bar goes straight into the
// record store and marks the weather as changed; the save button writes the
// three weather files. Closing only hides the window, so it keeps its day.
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>

#include "calendar/modCalender.h"
#include "platform/RecordForm.h"
#include "weather/modMain.h"

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QScrollBar;
class PictureBox;

class frmMain : public RecordForm, public CalenderHost {
 public:
  frmMain();
  ~frmMain() override;

  // Graph and scales.
  PictureBox* pctGraph = nullptr;
  std::array<QLabel*, 13> lblKousui{};
  std::array<QLabel*, 13> lblKion{};
  std::array<QLabel*, 31> lblDays{};
  QLabel* lblGraphName = nullptr;
  WeatherChart Chart;  // the month graph's geometry

  // Entry area.
  QGroupBox* Frame1 = nullptr;
  // txtCalender, vscCalender, cmdCalender and the drop-down pctCalender come
  // with the calendar host.
  QLabel* lblTenki = nullptr;
  QComboBox* cmbTenki1 = nullptr;
  QComboBox* cmbTenki2 = nullptr;
  QComboBox* cmbTenki3 = nullptr;
  QLabel* lblKionHigh = nullptr;
  QLineEdit* txtKionHigh = nullptr;
  QScrollBar* hscKionHigh = nullptr;
  QLabel* lblKionLow = nullptr;
  QLineEdit* txtKionLow = nullptr;
  QScrollBar* hscKionLow = nullptr;
  QLabel* lblRain = nullptr;
  QLineEdit* txtRain = nullptr;
  QScrollBar* hscRain = nullptr;

  // Read-out area.
  QGroupBox* Frame2 = nullptr;
  QLabel* lblDayD = nullptr;
  QLineEdit* txtDay = nullptr;
  QLabel* lblTenkiD = nullptr;
  QLineEdit* txtTenki = nullptr;
  QLabel* lblKionHighD = nullptr;
  QLineEdit* txtKionHighD = nullptr;
  QLabel* lblCHigh = nullptr;
  QLabel* lblKionLowD = nullptr;
  QLineEdit* txtKionLowD = nullptr;
  QLabel* lblCLow = nullptr;
  QLabel* lblRainD = nullptr;
  QLineEdit* txtKousui = nullptr;
  QLabel* lblRainMM = nullptr;

  QPushButton* cmdSave = nullptr;
  QPushButton* cmdEnd = nullptr;

  // Right-click menu of the graph.
  QMenu* mnuRightClick = nullptr;
  QAction* mnuRightClickData1 = nullptr;
  QAction* mnuRightClickData2 = nullptr;
  QAction* mnuRightClickData3 = nullptr;
  QAction* mnuRightClickData4 = nullptr;
  QAction* mnuRightClickSettingDay = nullptr;

  // Edits go into the day the selectors and scroll bars show (the calendar
  // host's EditDate()), even after another window moved the shared date; the
  // window catches up with the current date when it is activated again.

  int16_t RainBusy = 0;         // 1 while the rainfall handler runs
  int16_t WeatherHoverDay = 0;  // the day last read out by pointing

  // Shows a pop-up menu at a global position and returns when it has closed.
  // Tests replace it so that nothing waits on a real menu.
  using PopupFn = std::function<void(QMenu*, const QPoint&)>;
  static void SetPopupHandler(PopupFn fn);

  // Event handlers, named after control and event; each catches its errors.
  void cmbTenki1_Click();
  void cmbTenki2_Click();
  void cmbTenki3_Click();
  void hscKionHigh_Change();
  void hscKionLow_Change();
  void hscRain_Change();
  // The calendar: opening, closing and the spinner are the calendar host's;
  // after each the window reloads the current day and writes the date box.
  void RefreshForCurrentDate() override;
  void cmdSave_Click();
  void cmdEnd_Click();
  void pctGraph_MouseMove(int button, int shift, float x, float y);
  void pctGraph_MouseUp(int button, int shift, float x, float y);
  void pctGraph_DblClick();
  void mnuRightClickSettingDay_Click();

  // Redraws the month graph; a failure is thrown to the handler.
  void RedrawGraph(int16_t year, int16_t month, int16_t markedDay);

 protected:
  void PlaceControls() override;
  void Form_Load() override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void BuildControls();
  void StoreWeatherCode();
  void StoreTemperature(QScrollBar* bar, QLineEdit* box, int kind);
};

// --- Routines of the weather window (module) ---------------------------------

// Sizes and places the window and its controls, sets font sizes and computes
// the graph geometry.
void LayoutWeatherWindow(frmMain& f);

// Redraws the graph and loads the current day into the selectors and scroll
// bars, without storing anything.
void ShowWeatherDay(frmMain& f);

// Load one part of a day into the controls. A stored value the control cannot
// take raises run-time error 380 (invalid property value).
void ShowWeatherCode(frmMain& f, int16_t year, int16_t month, int16_t day);
void ShowTemperatures(frmMain& f, int16_t year, int16_t month, int16_t day);
void ShowRainfall(frmMain& f, int16_t year, int16_t month, int16_t day);

// The one weather window of the program (created on first showing).
frmMain* WeatherWindow();
void ShowWeatherWindow();
void UnloadWeatherWindow();
// After the data files were read again: the loaded window shows the current
// date from the store afresh.
void ReloadWeatherWindow();
