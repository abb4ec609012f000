#pragma once
// The backup and restore dialog: a drive list, a directory list, and one
// command whose meaning the window's caption decides: "ディスクへ保存" writes
// every data file into the chosen directory, "ディスクから復元" reads them
// from there and writes them into the data directory. The folder the command
// will use (the one opened in the directory list) is shown under the lists;
// the dialog opens on the folder last used in this run.
#include <QString>
#include <QWidget>

#include "platform/DriveLists.h"

class QLabel;
class QLineEdit;
class QPushButton;

class frmSave : public QWidget {
  Q_OBJECT
 public:
  explicit frmSave(QWidget* parent = nullptr);

  DriveListBox* drvMain;
  DirListBox* dirMain;
  QLabel* lblFolder = nullptr;
  QLineEdit* txtFolder = nullptr;  // the folder 保存 or 復元 uses
  QPushButton* cmdSave;
  QPushButton* cmdCancel;

  void drvMain_Change();
  void cmdSave_Click();
  void cmdCancel_Click();

  // The data directory a backup or restore uses for a chosen directory.
  static std::string DirectoryPath(const QString& path);

 protected:
  // Esc leaves the dialog as 取り消し does.
  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* e) override;

 private:
  // Says which folder the command of the current mode will use.
  void ShowFolder();
  int lastDrive_ = -1;
};
