#include "platform/NameListLink.h"

#include <map>

namespace {
QString& Tag() {
  static QString tag;
  return tag;
}
std::function<void(QWidget*)>& Editor() {
  static std::function<void(QWidget*)> f;
  return f;
}
std::map<QString, std::function<void()>>& Owners() {
  static std::map<QString, std::function<void()>> m;
  return m;
}
bool editorOpen = false;
}  // namespace

QString NameListTag() { return Tag(); }

void OpenNameListEditor(const QString& tag, QWidget* parent) {
  if (editorOpen) return;  // one editor at a time
  Tag() = tag;
  if (!Editor()) return;
  struct Open {
    Open() { editorOpen = true; }
    ~Open() { editorOpen = false; }
  } open;
  Editor()(parent);
}

bool NameListEditorOpen() { return editorOpen; }

void SetNameListEditor(std::function<void(QWidget*)> showModal) { Editor() = std::move(showModal); }

void RefillNameListOwner(const QString& tag) {
  auto it = Owners().find(tag);
  if (it != Owners().end() && it->second) it->second();
}

void SetNameListOwner(const QString& tag, std::function<void()> refill) { Owners()[tag] = std::move(refill); }
