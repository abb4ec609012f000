// The floor of the start-up benchmark: the smallest Qt Widgets program with a
// menu bar, a window as wide as the screen with one menu, as the program's
// own menu bar window is. Nothing else is set up.
#include <QApplication>
#include <QMenuBar>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("floor"));
  auto* layout = new QVBoxLayout(&window);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* bar = new QMenuBar(&window);
  bar->addMenu(QStringLiteral("ファイル"))->addAction(QStringLiteral("終了"), &app, &QApplication::quit);
  layout->setMenuBar(bar);
  window.setGeometry(0, 0, 1024, 60);
  window.show();
  return app.exec();
}
