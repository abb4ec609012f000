#pragma once
// The diary editor: the entry of the shared current date in one large text
// box. Every change goes straight into Nikki; the save button writes the
// diary file. Closing only hides the window, which keeps its text.
#include <QWidget>

#include "calendar/modCalender.h"

class DiaryTextBox;
class QPushButton;

// The day calendar's controls (txtCalender with the current date, the day
// spinner vscCalender, cmdCalender and the drop-down pctCalender) come from
// CalenderHost; the calendar opens with its left edge under the button.
class frmDiaryEdit : public QWidget, public CalenderHost {
  Q_OBJECT
 public:
  explicit frmDiaryEdit(QWidget* parent = nullptr);

  QPushButton* cmdSave;
  QPushButton* cmdEnd;
  DiaryTextBox* txtDiary;

  void Form_Load();
  void Form_Resize();
  void txtDiary_Change();
  void cmdSave_Click();
  void cmdEnd_Click();

  // Loads the entry of the current date and writes the date box, as the
  // program (not the farmer) filling the window: after the calendar closes
  // and after every step of the day spinner.
  void RefreshForCurrentDate() override;

  // Unloads the window: at once, or, while the diary file is being written
  // (the writer lets events run, so the menu bar can ask for this meanwhile),
  // hidden now and destroyed when the save has finished.
  void Unload();

 private:
  // Shows the entry of the current date and marks that date shown: the
  // current date is shared and other windows move it while this one keeps
  // its text; typing goes to the day shown (EditDate()), never to another.
  void LoadEntry();

  int16_t saving_ = 0;  // set while the diary file is being written
  bool unloadWhenSaved_ = false;

 protected:
  void resizeEvent(QResizeEvent* e) override;
};
