#pragma once
// The backup and restore dialog: a drive list, a directory list, and one
// command whose meaning the window's caption decides: "ディスクへ保存" writes
// every data file into the chosen directory, "ディスクから復元" reads them
// from there and writes them into the data directory.
#include <QString>
#include <QWidget>

#include "platform/DriveLists.h"

class QPushButton;

class frmSave : public QWidget {
  Q_OBJECT
 public:
  explicit frmSave(QWidget* parent = nullptr);

  DriveListBox* drvMain;
  DirListBox* dirMain;
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

 private:
  int lastDrive_ = -1;
};
