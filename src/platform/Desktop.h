#pragma once
// Hand-offs to the desktop: opening a document with its associated program,
// popping up menus and running modal windows. Each can be replaced, so that
// tests never launch a browser or block on a menu or a dialog.
#include <QPoint>
#include <QString>
#include <functional>

class QMenu;
class QWidget;

// Opens path with the desktop's associated program. Returns more than 32
// when the desktop accepted it, 2 when it did not (nothing else happens).
int OpenDocument(const QString& path, int showCommand);
void SetOpenDocumentHandler(std::function<bool(const QString& path)> handler);

// Pops up menu at a screen position without waiting for a choice.
void PopupMenu(QMenu* menu, QPoint at);
void SetPopupMenuHandler(std::function<void(QMenu*, QPoint)> handler);

// Shows window modally and returns when it is hidden or destroyed.
void RunModal(QWidget* window);
void SetRunModalHandler(std::function<void(QWidget*)> handler);
