#include <QApplication>
#include <QStringList>

#include "app/ControlNames.h"
#include "app/RegisterWindows.h"
#include "platform/TestProbe.h"
#include "platform/Translations.h"
#include "shell/modMain.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("vorn"));
  // The desktop entry this program belongs to (its icon and name in docks).
  QGuiApplication::setDesktopFileName(QStringLiteral("org.vorn.Vorn"));
  // Qt's own texts (the buttons of message boxes, the edit menus of text
  // boxes) in Japanese like the rest of the program, whatever the locale.
  LoadQtTranslations();
  RegisterWindows();
  StartOptions options;
  options.commandLine = QCoreApplication::arguments().mid(1).join(QChar(' '));
  // The walks on the virtual screen look into the program through this.
  StartTestProbe(NameControls);
  if (Main(options) != StartResult::Running) return 1;
  int code = app.exec();
  UnloadShell();
  return code;
}
