#include "platform/NameListLink.h"

namespace {
NameList edited = NameList::Produce;
std::function<void(QWidget*)>& Editor() {
  static std::function<void(QWidget*)> f;
  return f;
}
bool editorOpen = false;
}  // namespace

NameList EditedNameList() { return edited; }

void OpenNameListEditor(NameList list, QWidget* parent) {
  if (editorOpen) return;  // one editor at a time
  edited = list;
  if (!Editor()) return;
  struct Open {
    Open() { editorOpen = true; }
    ~Open() { editorOpen = false; }
  } open;
  Editor()(parent);
}

bool NameListEditorOpen() { return editorOpen; }

void SetNameListEditor(std::function<void(QWidget*)> showModal) { Editor() = std::move(showModal); }
