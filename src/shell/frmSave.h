#pragma once
// The backup and restore dialog: a drive list, a directory list, and one
// command whose meaning the mode decides: a backup writes every data file
// into the chosen directory, a restore reads them from there and writes them
// into the data directory. The folder the command will use (the one opened
// in the directory list) is shown under the lists; the dialog opens on the
// folder last used in this run. It is modeless (the farmer may look up a
// record meanwhile) and goes when it closes.
#include <QString>
#include <QWidget>

#include "platform/DriveLists.h"

class QLabel;
class QLineEdit;
class QPushButton;

class frmSave : public QWidget {
  Q_OBJECT
 public:
  enum class Mode { Backup, Restore };
  explicit frmSave(Mode mode = Mode::Backup, QWidget* parent = nullptr);
  // Switches the caption, the command and the folder's label.
  void SetMode(Mode mode);

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

 private:
  // Says which folder the command of the current mode will use.
  void ShowFolder();
  Mode mode_ = Mode::Backup;
  int lastDrive_ = -1;
};
