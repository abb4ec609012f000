#include <QApplication>
#include <QLabel>

#include "app/RegisterWindows.h"
#include "shell/ErrorReporter.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  InstallStoreErrorReporter();
  RegisterWindows();
  QLabel placeholder(QStringLiteral("Vorn"));
  placeholder.setWindowTitle(QStringLiteral("Vorn"));
  placeholder.resize(400, 100);
  placeholder.show();
  return app.exec();
}
