#pragma once
// How the market price, schedule and observation windows open the name list
// editor without knowing it: the program installs the editor at start-up.
// The windows refill their selectors as listeners of the store's rebuild.
#include <functional>

#include "store/NameLists.h"

class QWidget;

// The list being edited: set by OpenNameListEditor, read by the editor while
// it is open.
NameList EditedNameList();

// Sets the list and shows the editor modally over parent; returns when it
// has closed. Nothing happens while no editor is installed.
void OpenNameListEditor(NameList list, QWidget* parent);
// Installed by the program: shows the editor modally (it reads EditedNameList()).
void SetNameListEditor(std::function<void(QWidget* parent)> showModal);
// True while OpenNameListEditor is showing the editor. Its rows refer to the
// store as it was at opening, so the program reads no data files meanwhile
// (and leaves saving until it has closed).
bool NameListEditorOpen();
