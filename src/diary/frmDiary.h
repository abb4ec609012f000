#pragma once
// The diary viewer: the entries of one calendar day in four consecutive
// years, one under the other. It only reads Nikki; text typed into its boxes
// is never stored and is gone at the next change of a list.
#include <QWidget>
#include <cstdint>

#include "platform/RecordForm.h"

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

class frmDiary : public RecordForm {
  Q_OBJECT
 public:
  frmDiary();

  QLabel* lblYear1;
  QComboBox* cmbYear;  // "1999" .. "2027": the first of the four years
  QLabel* lblYear4;    // "～" and the last of the four years
  QLabel* lblMonth1;
  QComboBox* cmbMonth;
  QLabel* lblDay1;
  QComboBox* cmbDay;
  QPushButton* cmdClose;
  QPlainTextEdit* txtDiary1;
  QPlainTextEdit* txtDiary2;
  QPlainTextEdit* txtDiary3;
  QPlainTextEdit* txtDiary4;

  // The window's inner area in twips, as last laid out.
  int16_t ScaleLeft = 0;
  int16_t ScaleWidth = 0;
  int16_t ScaleHeight = 0;

  void Form_Resize();
  void cmbYear_Click();
  void cmbMonth_Click();
  void cmbDay_Click();
  void cmdClose_Click();

  // The four boxes get the entries of the chosen day in the four years.
  void ShowEntries();
  // After the data files were read again: the entries shown come afresh
  // from the store (the lists stay as chosen).
  void Reload();

 protected:
  void PlaceControls() override;
  void Form_Load() override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  void RecordScale();
};

// Refills the viewer's day list for the chosen year and month, keeping the
// chosen day where the month has it and otherwise taking the month's last
// day; choosing the day shows the entries (unless DiaryLoading is set).
void FillDayList(frmDiary& form);

// The last year the year list offers, so that the fourth year is the last
// year of the records.
constexpr int kDiaryLastFirstYear = 2027;
