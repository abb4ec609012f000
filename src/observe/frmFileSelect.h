#pragma once
// The picture chooser: drive, directory and file lists showing only bitmap
// and JPEG files, and a preview of the clicked file fitted into a small box.
// "選択" accepts the chosen file, whose full path is then the Result();
// "取消", Esc and the close button cancel. Created for each choice; the lists
// start at the process's current directory.
#include <QDialog>
#include <QListWidget>
#include <QString>

class DriveListBox;
class DirListBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class PictureBox;

// A file list: the files of one directory whose names match a pattern
// ("*.bmp;*.jpg" ...; letters match regardless of case), sorted by name.
class FileListBox : public QListWidget {
 public:
  explicit FileListBox(QWidget* parent = nullptr);
  QString Path() const { return path_; }
  // Lists the matching files of a directory; raises run-time error 76 when it
  // cannot be read.
  void SetPath(const QString& path);
  QString Pattern() const { return pattern_; }
  void SetPattern(const QString& pattern);
  // The selected file's name ("" when none is selected).
  QString FileName() const;

 private:
  void Refresh();
  QString path_;
  QString pattern_ = QStringLiteral("*.*");
};

class frmFileSelect : public QDialog {
  Q_OBJECT
 public:
  explicit frmFileSelect(QWidget* owner);
  ~frmFileSelect() override;

  QLineEdit* txtFileName = nullptr;
  DriveListBox* drvMain = nullptr;
  DirListBox* dirMain = nullptr;
  FileListBox* filMain = nullptr;
  QGroupBox* fraInfo = nullptr;
  PictureBox* pctInfo = nullptr;
  PictureBox* pctBuff = nullptr;  // hidden: the clicked picture at its natural size
  QPushButton* cmdOK = nullptr;
  QPushButton* cmdCancel = nullptr;

  void drvMain_Change();
  void dirMain_Click();
  void filMain_Click();
  void cmdOK_Click();
  void cmdCancel_Click();

  // The full path of the selected file, joined with the platform's path
  // rules ("" when no file is selected).
  QString SelectedPath() const;
  // The full path of the file accepted.
  QString Result() const { return chosen_; }

 private:
  QString chosen_;
  int lastDrive_ = -1;
};
