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
}  // namespace

QString NameListTag() { return Tag(); }

void OpenNameListEditor(const QString& tag, QWidget* parent) {
  Tag() = tag;
  if (Editor()) Editor()(parent);
}

void SetNameListEditor(std::function<void(QWidget*)> showModal) { Editor() = std::move(showModal); }

void RefillNameListOwner(const QString& tag) {
  auto it = Owners().find(tag);
  if (it != Owners().end() && it->second) it->second();
}

void SetNameListOwner(const QString& tag, std::function<void()> refill) { Owners()[tag] = std::move(refill); }
