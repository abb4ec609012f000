#include "platform/Desktop.h"

#include <QDesktopServices>
#include <QEvent>
#include <QEventLoop>
#include <QMenu>
#include <QPointer>
#include <QUrl>
#include <QWidget>

namespace {
std::function<bool(const QString&)>& OpenHandler() {
  static std::function<bool(const QString&)> h;
  return h;
}
std::function<void(QMenu*, QPoint)>& PopupHandler() {
  static std::function<void(QMenu*, QPoint)> h;
  return h;
}
std::function<void(QWidget*)>& ModalHandler() {
  static std::function<void(QWidget*)> h;
  return h;
}

// Ends a local event loop when the watched window hides or goes away.
class HideWatcher : public QObject {
 public:
  HideWatcher(QWidget* w, QEventLoop* loop) : loop_(loop) { w->installEventFilter(this); }

 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::Hide) loop_->quit();
    return QObject::eventFilter(o, e);
  }

 private:
  QEventLoop* loop_;
};
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

void SetRunModalHandler(std::function<void(QWidget*)> handler) { ModalHandler() = std::move(handler); }

void RunModal(QWidget* window) {
  if (ModalHandler()) {
    ModalHandler()(window);
    return;
  }
  QPointer<QWidget> w(window);
  QEventLoop loop;
  QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
  HideWatcher watcher(window, &loop);
  window->setWindowModality(Qt::ApplicationModal);
  window->show();
  loop.exec();
  if (w) w->setWindowModality(Qt::NonModal);
}
