#include "platform/NameListLink.h"

namespace {
NameList edited = NameList::Produce;
std::function<void(QWidget*)> editor;
bool editorOpen = false;
}  // namespace

NameList EditedNameList() { return edited; }

void OpenNameListEditor(NameList list, QWidget* parent) {
  if (editorOpen) return;  // one editor at a time
  edited = list;
  if (!editor) return;
  struct Open {
    Open() { editorOpen = true; }
    ~Open() { editorOpen = false; }
  } open;
  editor(parent);
}

bool NameListEditorOpen() { return editorOpen; }

void SetNameListEditor(std::function<void(QWidget*)> showModal) { editor = std::move(showModal); }
