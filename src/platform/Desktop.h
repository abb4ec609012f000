#pragma once
// Hand-offs to the desktop: opening a document with its associated program,
// popping up menus and running modal dialogs. The first two can be replaced,
// so that tests never launch a browser or block on a menu; a dialog always
// runs its own modal loop, which a test answers by clicking its buttons.
#include <QDialog>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <functional>
#include <optional>

class QMenu;

// Opens path with the desktop's associated program. Returns more than 32
// when the desktop accepted it, 2 when it did not (nothing else happens).
int OpenDocument(const QString& path, int showCommand);
void SetOpenDocumentHandler(std::function<bool(const QString& path)> handler);

// Pops up menu at a screen position without waiting for a choice.
void PopupMenu(QMenu* menu, QPoint at);
void SetPopupMenuHandler(std::function<void(QMenu*, QPoint)> handler);

// Runs the dialog's modal loop; true when it was accepted.
bool ExecDialog(QDialog* dialog);

// Shows dialog modally over the whole program until its own buttons, Esc or
// its close button end it, then deletes it (unless it went with its owner
// meanwhile). A dialog with a Result() gives that when it was accepted and
// nothing when it was cancelled; any other gives whether it was accepted.
// The caller's own window may be gone by then: it checks before it goes on.
template <class D>
auto RunDialog(D* dialog) {
  struct Drop {
    QPointer<D> d;
    ~Drop() { delete d.data(); }
  } drop{dialog};
  const bool accepted = ExecDialog(dialog) && drop.d;
  if constexpr (requires { dialog->Result(); }) {
    return accepted ? std::optional(drop.d->Result()) : std::nullopt;
  } else {
    return accepted;
  }
}
