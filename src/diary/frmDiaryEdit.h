#pragma once
// The diary editor: the entry of the shared current date in one large text
// box. Every change goes straight into Nikki; the save button writes the
// diary file. Closing only hides the window, which keeps its text.
#include <QWidget>

class DiaryTextBox;
class QLineEdit;
class QPushButton;
class QScrollBar;

class frmDiaryEdit : public QWidget {
  Q_OBJECT
 public:
  explicit frmDiaryEdit(QWidget* parent = nullptr);

  QLineEdit* txtCalender;   // the current date as yyyy/MM/dd
  QScrollBar* vscCalender;  // day spinner, 0..2, at rest 1
  QPushButton* cmdCalender;
  QPushButton* cmdSave;
  QPushButton* cmdEnd;
  DiaryTextBox* txtDiary;

  void Form_Load();
  void Form_Resize();
  void txtDiary_Change();
  void cmdSave_Click();
  void cmdEnd_Click();
  void vscCalender_Change();

  // Loads the entry of the current date and writes the date box, as the
  // program (not the farmer) filling the window.
  void LoadCurrentDate();

 protected:
  void resizeEvent(QResizeEvent* e) override;
};
