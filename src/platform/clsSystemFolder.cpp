#include "platform/clsSystemFolder.h"

#include <QDir>
#include <QStandardPaths>

#include "runtime/RuntimeError.h"

std::string clsSystemFolder::MyDirPath() {
  QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  if (base.isEmpty()) {
    result_ = -1;
    throw rt::RuntimeError(rt::kErrPathNotFound, "no data location");
  }
  QString dir = QDir(base).filePath(QStringLiteral("vorn"));
  if (!QDir().mkpath(dir)) {
    result_ = -1;
    throw rt::RuntimeError(rt::kErrPathNotFound, dir.toStdString());
  }
  result_ = 0;
  std::string path = QDir::cleanPath(dir).toStdString();
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}
