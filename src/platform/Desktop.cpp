#include "platform/Desktop.h"

#include <QDesktopServices>
#include <QMenu>
#include <QUrl>

namespace {
std::function<bool(const QString&)>& OpenHandler() {
  static std::function<bool(const QString&)> h;
  return h;
}
std::function<void(QMenu*, QPoint)>& PopupHandler() {
  static std::function<void(QMenu*, QPoint)> h;
  return h;
}
}  // namespace

void SetOpenDocumentHandler(std::function<bool(const QString&)> handler) { OpenHandler() = std::move(handler); }

int OpenDocument(const QString& path, int /*showCommand*/) {
  bool ok = OpenHandler() ? OpenHandler()(path) : QDesktopServices::openUrl(QUrl::fromLocalFile(path));
  return ok ? 42 : 2;
}

void SetPopupMenuHandler(std::function<void(QMenu*, QPoint)> handler) { PopupHandler() = std::move(handler); }

void PopupMenu(QMenu* menu, QPoint at) {
  if (PopupHandler())
    PopupHandler()(menu, at);
  else
    menu->popup(at);
}

bool ExecDialog(QDialog* dialog) { return dialog->exec() == QDialog::Accepted; }
