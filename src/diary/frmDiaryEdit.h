#pragma once
// The diary editor: the entry of the shared current date in one large text
// box. Every change goes straight into Nikki; the save button writes the
// diary file. Closing only hides the window, which keeps its text.
#include <QWidget>

#include "calendar/modCalender.h"
#include "platform/RecordForm.h"

class StorableTextBox;
class QPushButton;

// The day calendar's controls (txtCalender with the current date, the day
// spinner vscCalender, cmdCalender and the drop-down pctCalender) come from
// CalenderHost; the calendar opens with its left edge under the button.
class frmDiaryEdit : public RecordForm, public CalenderHost {
  Q_OBJECT
 public:
  frmDiaryEdit();

  QPushButton* cmdSave;
  QPushButton* cmdEnd;
  StorableTextBox* txtDiary;

  void Form_Resize();
  void txtDiary_Change();
  void cmdSave_Click();
  void cmdEnd_Click();

  // Loads the entry of the current date and writes the date box, as the
  // program (not the farmer) filling the window: after the calendar closes
  // and after every step of the day spinner.
  void RefreshForCurrentDate() override;

 private:
  // Shows the entry of the current date and marks that date shown: the
  // current date is shared and other windows move it while this one keeps
  // its text; typing goes to the day shown (EditDate()), never to another.
  void LoadEntry();

 protected:
  void PlaceControls() override;
  void Form_Load() override;
  void resizeEvent(QResizeEvent* e) override;
};
