#include "shell/frmSave.h"

#include <sys/stat.h>

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStorageInfo>
#include <QStringList>
#include <QStyle>
#include <QVBoxLayout>

#include "platform/Fonts.h"
#include "platform/MessageBox.h"
#include "runtime/RuntimeError.h"
#include "platform/ErrorReporter.h"
#include "shell/modFile.h"
#include "store/DataFile.h"
#include "store/FileSequences.h"
#include "store/Store.h"

namespace {

// Puts DataPath back however the routine ends.
class DataPathGuard {
 public:
  DataPathGuard() : saved_(DataPath) {}
  ~DataPathGuard() { DataPath = saved_; }
  void Restore() { DataPath = saved_; }

 private:
  std::string saved_;
};

// Whether a chosen directory is the program's own data directory, however
// it was reached (another spelling, a link).
bool IsDataDirectory(const std::string& dir) {
  if (HomeDataPath.empty()) return false;
  struct stat chosen{}, home{};
  return ::stat(dir.c_str(), &chosen) == 0 && ::stat(HomeDataPath.c_str(), &home) == 0 &&
         chosen.st_dev == home.st_dev && chosen.st_ino == home.st_ino;
}

// The folder of the last backup or restore in this run: the farmer who
// backs up every evening finds the dialog there again.
QString& LastFolder() {
  static QString folder;
  return folder;
}

}  // namespace

frmSave::frmSave(Mode mode, QWidget* parent) : QWidget(parent, Qt::Dialog) {
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(MapFont(kPGothic, 9));
  setFixedSize(330, 350);

  drvMain = new DriveListBox(this);
  dirMain = new DirListBox(this);
  lblFolder = new QLabel(this);
  txtFolder = new QLineEdit(this);
  txtFolder->setReadOnly(true);
  lblFolder->setBuddy(txtFolder);
  cmdSave = new QPushButton(QStringLiteral("保存"), this);
  cmdCancel = new QPushButton(QStringLiteral("取り消し"), this);

  drvMain->setGeometry(10, 10, 310, 24);
  dirMain->setGeometry(10, 42, 310, 206);
  lblFolder->setGeometry(10, 254, 310, 18);
  txtFolder->setGeometry(10, 274, 310, 24);
  cmdSave->setGeometry(130, 310, 90, 28);
  cmdCancel->setGeometry(230, 310, 90, 28);

  connect(dirMain, &DirListBox::PathChanged, this, [this] { ShowFolder(); });
  const QString start = QFileInfo(LastFolder()).isDir() ? LastFolder() : QDir::homePath();
  drvMain->Fill();
  CatchErrors([&] { dirMain->SetPath(start); });
  drvMain->SelectVolumeOf(start);
  lastDrive_ = drvMain->currentIndex();

  SetMode(mode);
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

void frmSave::SetMode(Mode mode) {
  mode_ = mode;
  const bool restore = mode == Mode::Restore;
  setWindowTitle(restore ? QStringLiteral("ディスクから復元") : QStringLiteral("ディスクへ保存"));
  cmdSave->setText(restore ? QStringLiteral("復元") : QStringLiteral("保存"));
  ShowFolder();
}

void frmSave::ShowFolder() {
  lblFolder->setText(mode_ == Mode::Restore ? QStringLiteral("復元元のフォルダ：")
                                            : QStringLiteral("保存先のフォルダ："));
  txtFolder->setText(QDir::toNativeSeparators(dirMain->Path()));
  txtFolder->setCursorPosition(0);
  txtFolder->setToolTip(txtFolder->text());
}

std::string frmSave::DirectoryPath(const QString& path) {
  std::string p = path.toStdString();
  // A root already ends with the separator.
  if (p.empty() || p.back() != '/') p += '/';
  return p;
}

void frmSave::cmdCancel_Click() { close(); }

void frmSave::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    cmdCancel_Click();
    return;
  }
  QWidget::keyPressEvent(event);
}

void frmSave::cmdSave_Click() {
  CatchErrors([&] {
    const bool backup = mode_ == Mode::Backup;
    const std::string chosen = DirectoryPath(dirMain->Path());
    // A backup onto the data files themselves would leave the farmer without
    // the copy asked for, and a restore from them only reads back what is
    // there. The dialog stays open for another choice.
    if (IsDataDirectory(chosen)) {
      MsgBox(QStringLiteral("データのフォルダが選ばれています。") + QStringLiteral("\r\n") +
                 QStringLiteral("別のフォルダを選んでください。"),
             MsgButtons::Ok, MsgIcon::Exclamation);
      return;
    }
    if (backup) {
      LastFolder() = dirMain->Path();
      DataPathGuard guard;
      DataPath = chosen;
      const bool written = SaveAll(this);
      guard.Restore();
      // A file that could not be written has been reported on its own; the
      // farmer is told of a backup only when every file is in the folder.
      if (written) {
        QStringList names;
        for (const char* name : kDataFiles)
          names << QFileInfo(QString::fromStdString(ResolveFile(chosen, name))).fileName();
        MsgBox(QStringLiteral("次のフォルダにデータを保存しました。") + QStringLiteral("\r\n") +
                   QDir::toNativeSeparators(dirMain->Path()) + QStringLiteral("\r\n") + names.join(QStringLiteral("、")),
               MsgButtons::Ok);
      }
      close();
      return;
    }

    // A file the folder lacks would reset its tables and the save after the
    // restore would wipe it from the data directory: those tables stay as
    // they are, the farmer is told which, and a folder without any of the
    // files restores nothing.
    std::vector<std::string> missing;
    {
      DataPathGuard guard;
      DataPath = chosen;
      missing = MissingDataFiles();
    }
    if (missing.size() == kDataFiles.size()) {
      MsgBox(QStringLiteral("このフォルダには、復元するデータがありません。"), MsgButtons::Ok, MsgIcon::Exclamation);
      return;
    }
    QString question = QStringLiteral("既存のデータを上書きします。よろしいですか？");
    if (!missing.empty()) {
      QStringList names;
      for (const std::string& name : missing) names << QString::fromStdString(name);
      question = QStringLiteral("このフォルダにない次のファイルは、今のデータのまま残ります。") + QStringLiteral("\r\n") +
                 names.join(QStringLiteral("、")) + QStringLiteral("\r\n") + question;
    }
    if (AskDestructive(question, MsgIcon::None) == MsgResult::No) {
      close();
      return;
    }
    LastFolder() = dirMain->Path();
    {
      DataPathGuard guard;
      DataPath = chosen;
      LoadPresent(this);
    }
    SaveAll(this);
    close();
  });
}
