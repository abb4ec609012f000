#include <QApplication>
#include <QStringList>

#include "app/RegisterWindows.h"
#include "shell/modMain.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("vorn"));
  RegisterWindows();
  StartOptions options;
  options.commandLine = QCoreApplication::arguments().mid(1).join(QChar(' '));
  if (Main(options) != StartResult::Running) return 1;
  int code = app.exec();
  UnloadShell();
  return code;
}
