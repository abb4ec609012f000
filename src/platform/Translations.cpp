#include "platform/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool LoadQtTranslations() {
  static QTranslator* loaded = nullptr;
  if (loaded) return true;
  auto* app = QCoreApplication::instance();
  if (!app) return false;
  auto* t = new QTranslator(app);
  if (!t->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete t;
    return false;
  }
  QCoreApplication::installTranslator(t);
  loaded = t;
  return true;
}
