#pragma once
// The crop observation diary: for each observed crop and each day a comment
// and one picture. The settings area on the right edits the day shown there
// (comment, picture path, a fitted preview); the strip across the top marks
// the days of the year that hold something, and pointing at a day shows its
// date, picture, path and comment in the large display area; a double-click
// makes that day the current day.
//
// Comments and picture paths go straight into the record store and mark the
// observations as changed; the save button writes the observation file.
// Closing unloads the window: the next opening starts afresh with the first
// crop.
#include <QImage>
#include <QString>
#include <QWidget>
#include <cstdint>

#include "calendar/modCalender.h"
#include "platform/RecordForm.h"
#include "observe/modObserve.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class PictureBox;

class frmObserve : public RecordForm, public CalenderHost {
  Q_OBJECT
 public:
  frmObserve();
  ~frmObserve() override;

  PictureBox* pctGraph = nullptr;
  ObserveChart Chart;  // the strip's geometry

  // Display area: the day under the pointer on the strip.
  QGroupBox* Frame2 = nullptr;
  QLineEdit* txtDate = nullptr;
  QLineEdit* txtFilePath = nullptr;
  PictureBox* pctPicture = nullptr;
  QPlainTextEdit* txtCommentD = nullptr;

  // Settings area: the day shown (the calendar's controls come with the
  // calendar host).
  QGroupBox* Frame1 = nullptr;
  QLabel* Label2 = nullptr;
  QComboBox* cmbProduce = nullptr;
  QPushButton* cmdEdit = nullptr;
  QLabel* Label3 = nullptr;
  QLineEdit* txtFileName = nullptr;
  QPushButton* cmdFileName = nullptr;
  QPushButton* cmdFileDelete = nullptr;
  PictureBox* pctInfo = nullptr;
  PictureBox* pctBuff = nullptr;  // hidden: the day's picture as read for the preview
  QLabel* Label1 = nullptr;
  QPlainTextEdit* txtComment = nullptr;

  QPushButton* cmdSave = nullptr;
  QPushButton* cmdClose = nullptr;

  // Event handlers, named after control and event; each catches its errors.
  void cmbProduce_Click();
  void txtComment_Change();
  void cmdFileName_Click();
  void cmdFileDelete_Click();
  void pctGraph_MouseMove(int button, int shift, float x, float y);
  void pctGraph_DblClick();
  void pctPicture_MouseDown(int button, int shift, float x, float y);
  void pctPicture_MouseUp(int button, int shift, float x, float y);
  void cmdEdit_Click();
  void cmdSave_Click();
  void cmdClose_Click();
  // The calendar (opening, closing, the spinner) is the calendar host's;
  // after each the window shows the current day.
  void RefreshForCurrentDate() override;

  // Fills the crop list from the store and selects entry `select` (or
  // entry 0 when the list no longer holds it) as the user's choice would.
  void RefillCrops(int select);

  // The crop an edit goes into: the one on screen, kept inside the list.
  int CropShown() const;
  // The year the strip shows (the year of the day shown).
  int ChartYear() const;

 protected:
  void PlaceControls() override;
  void Form_Load() override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void BuildControls();
  void Redraw();
  // Shows the picture of the hovered day in pctPicture, or the note that
  // says why it cannot be shown.
  void ShowHoveredPicture(const QString& path);
  // The display area for the day last pointed at on the strip, of the crop
  // shown.
  void ShowPointedDay();

  // The decoded picture of the day under the pointer, kept while the pointer
  // stays on that day.
  struct HoverPicture {
    int crop = -1;
    YearMonthDay day{};
    QString path;
    QImage image;
    QString note;  // why the picture cannot be shown ("" when it can)
  };
  HoverPicture hover_;
};

// --- Routines of the module --------------------------------------------------

// Shows the picture of (year, month, day) of the shown crop fitted into
// pctInfo (cleared first), or the note that says why it cannot be shown.
void ShowObservePicture(frmObserve& f, int year, int month, int day);

// --- The one observation window ----------------------------------------------

// The loaded window, or nullptr.
frmObserve* LoadedObserve();
// Loads the window on first showing and shows it.
void ShowObserve();
// Destroys the window when it is loaded.
void UnloadObserve();
// After the data files were read again: refills the crop list, keeping the
// crop shown when the list still holds it, and shows the current day.
void ReloadObserve();
// After the name list editor rebuilt the crop list: refills it and selects
// the first crop.
void RefillObserveCrops();
