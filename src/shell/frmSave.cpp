#include "shell/frmSave.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStorageInfo>
#include <QStyle>
#include <QVBoxLayout>

#include "platform/Fonts.h"
#include "platform/MessageBox.h"
#include "runtime/RuntimeError.h"
#include "platform/ErrorReporter.h"
#include "shell/modFile.h"
#include "store/Store.h"

namespace {

const QString kBackupCaption = QStringLiteral("ディスクへ保存");
const QString kRestoreCaption = QStringLiteral("ディスクから復元");

// Puts DataPath back however the routine ends.
class DataPathGuard {
 public:
  DataPathGuard() : saved_(DataPath) {}
  ~DataPathGuard() { DataPath = saved_; }
  void Restore() { DataPath = saved_; }

 private:
  std::string saved_;
};

}  // namespace

frmSave::frmSave(QWidget* parent) : QWidget(parent, Qt::Dialog) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(kBackupCaption);
  setFont(MapFont(kPGothic, 9));
  setFixedSize(330, 300);

  drvMain = new DriveListBox(this);
  dirMain = new DirListBox(this);
  cmdSave = new QPushButton(QStringLiteral("保存"), this);
  cmdCancel = new QPushButton(QStringLiteral("取り消し"), this);

  drvMain->setGeometry(10, 10, 310, 24);
  dirMain->setGeometry(10, 42, 310, 206);
  cmdSave->setGeometry(130, 260, 90, 28);
  cmdCancel->setGeometry(230, 260, 90, 28);

  drvMain->Fill();
  CatchErrors([&] { dirMain->SetPath(QDir::homePath()); });
  drvMain->SelectVolumeOf(QDir::homePath());
  lastDrive_ = drvMain->currentIndex();

  connect(drvMain, &QComboBox::currentIndexChanged, this, [this](int) { drvMain_Change(); });
  connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

void frmSave::drvMain_Change() {
  QString previous = dirMain->Path();
  try {
    drvMain->CheckReady();
    dirMain->SetPath(drvMain->Root());
    lastDrive_ = drvMain->currentIndex();
  } catch (...) {
    if (rt::ErrorNumberOf(std::current_exception()) != rt::kErrDeviceUnavailable) return;
    MsgBox(QStringLiteral("ディスクが用意されていません"), MsgButtons::Ok);
    CatchErrors([&] { dirMain->SetPath(previous); });
    // The drive list shows the drive whose directory is shown.
    QSignalBlocker block(drvMain);
    drvMain->setCurrentIndex(lastDrive_);
  }
}

std::string frmSave::DirectoryPath(const QString& path) {
  std::string p = path.toStdString();
  // A root already ends with the separator.
  if (p.empty() || p.back() != '/') p += '/';
  return p;
}

void frmSave::cmdCancel_Click() { close(); }

void frmSave::cmdSave_Click() {
  CatchErrors([&] {
    if (windowTitle() == kBackupCaption) {
      DataPathGuard guard;
      DataPath = DirectoryPath(dirMain->Path());
      SaveAll(this);
      guard.Restore();
      close();
    } else if (windowTitle() == kRestoreCaption) {
      if (MsgBox(QStringLiteral("既存のデータを上書きします。よろしいですか？"), MsgButtons::YesNo) == MsgResult::No) {
        close();
        return;
      }
      {
        DataPathGuard guard;
        DataPath = DirectoryPath(dirMain->Path());
        LoadAll(this);
      }
      SaveAll(this);
      close();
    }
  });
}
