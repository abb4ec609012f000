#pragma once
// The work schedule window: for every kind of work and every year, numbered
// periods of days with the place where the work is done, shown as a year
// chart of bars (one row per work). The user picks a work, an entry number
// and a place, sets the entry's period with the period calendar (left click
// the first day, right click the last), deletes entries, edits the lists of
// works and places with the name list editor, and saves the schedule file.
//
// Every edit goes straight into the record store and marks the schedule as
// changed. The year on screen is the shared current year: the year list
// moves it for the whole program, and the window follows it when another
// window moved it. Closing only hides the window.
#include <QWidget>
#include <cstdint>

#include "calendar/PeriodCalender.h"
#include "platform/RecordForm.h"
#include "schedule/modSchedule.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QWheelEvent;
class PictureBox;

class frmSchedule : public RecordForm, public PeriodCalenderHost {
 public:
  frmSchedule();
  ~frmSchedule() override;

  PictureBox* pctGraph = nullptr;   // the chart
  QScrollBar* vscGraph = nullptr;   // its rows, beside it, 30 at a time
  PictureBox* pctNumber = nullptr;  // work names left of the chart
  PictureBox* pctDay = nullptr;     // an empty strip under the chart
  ScheduleChart Chart;              // its metrics and the bars drawn last

  QGroupBox* Frame1 = nullptr;  // "設定エリア"
  QLabel* lblYear = nullptr;
  QComboBox* cmbYear = nullptr;
  QLabel* lblWork = nullptr;
  QComboBox* cmbWork = nullptr;
  QPushButton* cmdWork = nullptr;
  QLabel* lblScheduleNumber = nullptr;
  QLineEdit* txtScheduleNumber = nullptr;
  QScrollBar* vscScheduleNumber = nullptr;
  QLabel* lblPlace = nullptr;
  QComboBox* cmbPlace = nullptr;
  QPushButton* cmdPlace = nullptr;
  QLabel* lblPeriod = nullptr;
  QLineEdit* txtCalenderFrom = nullptr;
  QLabel* lblPeriodTo = nullptr;
  QLineEdit* txtCalenderTo = nullptr;
  // cmdCalender2 and the drop-down pctCalender2 come with the period
  // calendar host.
  QPushButton* cmdScheduleDelete = nullptr;

  QGroupBox* Frame2 = nullptr;  // "表示エリア": the bar under the pointer
  QLabel* lblPlaceD = nullptr;
  QLineEdit* txtPlaceD = nullptr;
  QLabel* lblWorkD = nullptr;
  QLineEdit* txtWorkD = nullptr;
  QLineEdit* txtDateFromD = nullptr;
  QLabel* lblDateToD = nullptr;
  QLineEdit* txtDateToD = nullptr;

  QPushButton* cmdSave = nullptr;
  QPushButton* cmdClose = nullptr;

  // The year the chart and the period boxes show. Edits go into this year,
  // even when another window has moved the current year meanwhile; the
  // window catches up when it is activated again.
  int16_t ShownYear = 0;
  // The bar whose details Frame2 shows.
  int16_t ShownWork = -1, ShownEntry = -1;

  // Event handlers, named after control and event; each catches its errors.
  void cmbYear_Click();
  void cmbWork_Click();
  void vscScheduleNumber_Change();
  void cmbPlace_Click();
  void cmdScheduleDelete_Click();
  void cmdSave_Click();
  void cmdClose_Click();
  void cmdWork_Click();
  void cmdPlace_Click();
  void cmdCalender2_Click() override;
  void pctCalender2_LostFocus() override;
  void vscGraph_Change();
  void pctGraph_MouseMove(int button, int shift, float x, float y);
  void pctGraph_DblClick();

  // After the name list editor rebuilt a list: the selector is filled from
  // the store again and its entry 0 chosen as the user would.
  void RefillWorks();
  void RefillPlaces();
  // After the data files were read again: both selectors filled from the
  // store, the remembered selection kept where the lists still hold it (the
  // first work otherwise), the period boxes and the chart shown afresh.
  void ReloadFromStore();

  // The chart for the year on screen.
  void RedrawChart();

 protected:
  void PlaceControls() override;
  void Form_Load() override;
  // A click on the background cancels an open period calendar.
  void BackgroundClicked() override;
  bool eventFilter(QObject* watched, QEvent* e) override;
  bool event(QEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  void BuildControls();
  void Layout();
  // Chart metrics for the chart's size and the year shown at load.
  void MeasureChart();
  int16_t metricsYear_ = 0;
  void FillWorks();
  void FillPlaces();
  // SelWork, SelPlace and SelEntry inside the lists of the store.
  void KeepSelectionInLists();
  // The entry being edited: SelEntry of SelWork in the year on screen.
  SchedulePeriodRec& Entry() const;
  // The period boxes for the entry (empty for an unused entry).
  void ShowEntryPeriod();
  // cmbPlace to the entry's place, storing nothing.
  void ShowEntryPlace();
  // Forgets the bar the display area shows, so the next pointer move reads
  // the store again.
  void ForgetReadout() { ShownWork = ShownEntry = -1; }
  // Hides an open period calendar without applying anything.
  void CancelPeriodCalender();
  // Writes the picked period (pctCalender2_LostFocus) into the entry shown
  // when the calendar opened.
  void ApplyPickedPeriod();
  int32_t openedWork_ = -1, openedEntry_ = 0;
  int16_t openedYear_ = 0;
  int openedPlace_ = -1;  // the place selector's index then (-1: none shown)
  // The scroll bar's range for the works in the store, and ChartTopRow.
  void UpdateChartScroll();
  // The pointer's last place over the chart (twips), so that a scroll reads
  // out and double-click selects the bar now under it.
  bool pointed_ = false;
  float pointX_ = 0, pointY_ = 0;
  int wheelRest_ = 0;
  // The wheel over the chart or its names scrolls the rows.
  void WheelOverChart(QWheelEvent* e);
};

// The one schedule window of the program (created on first showing).
frmSchedule* LoadedSchedule();
void ShowSchedule();
void UnloadSchedule();
// Hooks for the program's wiring: each does nothing while the window is not
// loaded.
void ReloadSchedule();
void RefillScheduleWorks();
void RefillSchedulePlaces();
