#include "platform/DriveLists.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QStyle>

#include "platform/ErrorReporter.h"
#include "runtime/RuntimeError.h"

namespace {
constexpr int kPathRole = Qt::UserRole;
}

DriveListBox::DriveListBox(QWidget* parent) : QComboBox(parent) {}

void DriveListBox::Fill() {
  QSignalBlocker block(this);
  clear();
  const QList<QStorageInfo> volumes = QStorageInfo::mountedVolumes();
  for (const QStorageInfo& v : volumes) {
    if (!v.isValid()) continue;
    QString root = v.rootPath();
    QString label = v.displayName() == root ? root : root + QStringLiteral(" [") + v.displayName() + QStringLiteral("]");
    if (findData(root, kPathRole) < 0) addItem(label, root);
  }
  if (count() == 0) addItem(QStringLiteral("/"), QStringLiteral("/"));
}

QString DriveListBox::Root() const { return currentData(kPathRole).toString(); }

void DriveListBox::SelectVolumeOf(const QString& path) {
  QStorageInfo volume(path);
  int at = findData(volume.rootPath(), kPathRole);
  if (at < 0) return;
  QSignalBlocker block(this);
  setCurrentIndex(at);
}

void DriveListBox::CheckReady() const {
  QString root = Root();
  QStorageInfo volume(root);
  if (!QFileInfo(root).isDir() || !volume.isReady()) throw rt::RuntimeError(rt::kErrDeviceUnavailable, root.toStdString());
}

DirListBox::DirListBox(QWidget* parent) : QListWidget(parent) {
  // A click only selects; a double-click (or Enter) opens the folder of the
  // line that was clicked. Opening on the click itself rebuilt the list under
  // the pointer, and the second click of a double-click then opened whatever
  // child had moved there.
  connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) { Open(item); });
}

void DirListBox::Open(QListWidgetItem* item) {
  if (!item) return;
  QString path = item->data(kPathRole).toString();
  CatchErrors([&] { SetPath(path); });
}

QString DirListBox::SelectedPath() const {
  QListWidgetItem* item = currentItem();
  return item ? item->data(kPathRole).toString() : path_;
}

void DirListBox::keyPressEvent(QKeyEvent* e) {
  if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && currentItem()) {
    Open(currentItem());
    return;
  }
  QListWidget::keyPressEvent(e);
}

void DirListBox::SetPath(const QString& path) {
  QFileInfo info(path);
  if (!info.isDir() || !info.isReadable()) throw rt::RuntimeError(rt::kErrPathNotFound, path.toStdString());
  QString clean = QDir::cleanPath(info.absoluteFilePath());
  QStringList chain;
  for (QDir d(clean);;) {
    chain.prepend(d.absolutePath());
    if (d.isRoot() || !d.cdUp()) break;
  }
  // The lines change quietly; PathChanged says when the new folder is shown.
  QSignalBlocker quiet(this);
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
  quiet.unblock();
  emit PathChanged(path_);
}
