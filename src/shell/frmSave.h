#pragma once
// The backup and restore dialog: a drive list, a directory list, and one
// command whose meaning the window's caption decides: "ディスクへ保存" writes
// every data file into the chosen directory, "ディスクから復元" reads them
// from there and writes them into the data directory.
#include <QListWidget>
#include <QString>
#include <QWidget>

class QComboBox;
class QPushButton;

// A directory list: the chosen directory's ancestors from the root down,
// then its subdirectories. Clicking a line opens that directory.
class DirListBox : public QListWidget {
  Q_OBJECT
 public:
  explicit DirListBox(QWidget* parent = nullptr);
  QString Path() const { return path_; }
  // Opens a directory; raises run-time error 76 when it is not there.
  void SetPath(const QString& path);

 signals:
  void PathChanged(const QString& path);

 private:
  QString path_;
};

class frmSave : public QWidget {
  Q_OBJECT
 public:
  explicit frmSave(QWidget* parent = nullptr);

  QComboBox* drvMain;  // item data: the volume's root directory
  DirListBox* dirMain;
  QPushButton* cmdSave;
  QPushButton* cmdCancel;

  void drvMain_Change();
  void cmdSave_Click();
  void cmdCancel_Click();

  // The data directory a backup or restore uses for a chosen directory.
  static std::string DirectoryPath(const QString& path);

 private:
  void FillDrives();
  int lastDrive_ = -1;
};
