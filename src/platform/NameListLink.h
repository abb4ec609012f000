#pragma once
// How the market price, schedule and observation windows open the name list
// editor, and how the editor refills their selectors, without any of them
// knowing the others: the program wires both ends at start-up.
//
// The list kinds are the tag texts the callers pass: "Produce" (market
// prices), "Place" and "Work" (schedule), "Observe" (observations).
#include <QString>
#include <functional>

class QWidget;

// The tag of the list being edited (stands for the menu bar window's tag
// text): set by OpenNameListEditor, read by the editor while it is open.
QString NameListTag();

// Sets the tag and shows the editor modally over parent; returns when it has
// closed. Nothing happens while no editor is installed.
void OpenNameListEditor(const QString& tag, QWidget* parent);
// Installed by the program: shows the editor modally (it reads NameListTag()).
void SetNameListEditor(std::function<void(QWidget* parent)> showModal);
// True while OpenNameListEditor is showing the editor. Its rows refer to the
// store as it was at opening, so the program reads no data files meanwhile
// (and leaves saving until it has closed).
bool NameListEditorOpen();

// The window owning a list refills its selector from the store and selects
// entry 0 (reacting to it as to the user's choice). Called by the editor
// after it has rebuilt the list; nothing happens when the owning window is
// not loaded.
void RefillNameListOwner(const QString& tag);
// Installed by the program, one per tag.
void SetNameListOwner(const QString& tag, std::function<void()> refill);
