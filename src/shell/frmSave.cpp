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
constexpr int kPathRole = Qt::UserRole;

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

DirListBox::DirListBox(QWidget* parent) : QListWidget(parent) {
  connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    CatchErrors([&] { SetPath(item->data(kPathRole).toString()); });
  });
}

void DirListBox::SetPath(const QString& path) {
  QFileInfo info(path);
  if (!info.isDir() || !info.isReadable()) throw rt::RuntimeError(rt::kErrPathNotFound, path.toStdString());
  QString clean = QDir::cleanPath(info.absoluteFilePath());
  QStringList chain;
  for (QDir d(clean);; ) {
    chain.prepend(d.absolutePath());
    if (d.isRoot() || !d.cdUp()) break;
  }
  clear();
  QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
  QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
  int depth = 0;
  for (const QString& p : chain) {
    QString name = QDir(p).isRoot() ? p : QFileInfo(p).fileName();
    auto* item = new QListWidgetItem(open, QString(depth * 2, QChar(' ')) + name, this);
    item->setData(kPathRole, p);
    ++depth;
  }
  setCurrentRow(count() - 1);
  const QStringList children = QDir(clean).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
  for (const QString& c : children) {
    auto* item = new QListWidgetItem(closed, QString(depth * 2, QChar(' ')) + c, this);
    item->setData(kPathRole, QDir(clean).filePath(c));
  }
  path_ = clean;
  emit PathChanged(path_);
}

frmSave::frmSave(QWidget* parent) : QWidget(parent, Qt::Dialog) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(kBackupCaption);
  setFont(MapFont(kPGothic, 9));
  setFixedSize(330, 300);

  drvMain = new QComboBox(this);
  dirMain = new DirListBox(this);
  cmdSave = new QPushButton(QStringLiteral("保存"), this);
  cmdCancel = new QPushButton(QStringLiteral("取り消し"), this);

  drvMain->setGeometry(10, 10, 310, 24);
  dirMain->setGeometry(10, 42, 310, 206);
  cmdSave->setGeometry(130, 260, 90, 28);
  cmdCancel->setGeometry(230, 260, 90, 28);

  FillDrives();
  CatchErrors([&] { dirMain->SetPath(QDir::homePath()); });
  QStorageInfo home(QDir::homePath());
  int at = drvMain->findData(home.rootPath(), kPathRole);
  if (at >= 0) drvMain->setCurrentIndex(at);
  lastDrive_ = drvMain->currentIndex();

  connect(drvMain, &QComboBox::currentIndexChanged, this, [this](int) { drvMain_Change(); });
  connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

void frmSave::FillDrives() {
  const QList<QStorageInfo> volumes = QStorageInfo::mountedVolumes();
  for (const QStorageInfo& v : volumes) {
    if (!v.isValid()) continue;
    QString root = v.rootPath();
    QString label = v.displayName() == root ? root : root + QStringLiteral(" [") + v.displayName() + QStringLiteral("]");
    if (drvMain->findData(root, kPathRole) < 0) drvMain->addItem(label, root);
  }
  if (drvMain->count() == 0) drvMain->addItem(QStringLiteral("/"), QStringLiteral("/"));
}

void frmSave::drvMain_Change() {
  QString previous = dirMain->Path();
  QString root = drvMain->currentData(kPathRole).toString();
  try {
    QStorageInfo volume(root);
    if (!QFileInfo(root).isDir() || !volume.isReady()) throw rt::RuntimeError(rt::kErrDeviceUnavailable, root.toStdString());
    dirMain->SetPath(root);
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
