// Renders every registered window into PNG files.
#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "platform/MessageBox.h"
#include "platform/Screen.h"
#include "screenshots/Screenshots.h"

namespace {
std::map<std::string, std::function<QImage()>>& Registry() {
  static std::map<std::string, std::function<QImage()>> r;
  return r;
}
void Settle() {
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}
}  // namespace

ScreenshotRegistrar::ScreenshotRegistrar(const char* name, std::function<QImage()> make) {
  Registry()[name] = std::move(make);
}

QImage GrabWidget(QWidget* w) {
  if (!w->isVisible()) w->show();
  Settle();
  return w->grab().toImage();
}

QImage GrabScreen(std::initializer_list<QWidget*> windows) {
  QImage screen(1024, 768, QImage::Format_RGB32);
  screen.fill(QColor(0, 128, 128));
  QPainter p(&screen);
  for (QWidget* w : windows) {
    if (!w->isVisible()) w->show();
    Settle();
    p.drawImage(w->geometry().topLeft(), w->grab().toImage());
  }
  return screen;
}

int main(int argc, char** argv) {
  std::string platform = std::string("offscreen:configfile=") + VORN_SOURCE_DIR "/tests/support/screen-1024x768.json";
  setenv("QT_QPA_PLATFORM", platform.c_str(), 0);
  QApplication app(argc, argv);
  CaptureTwipsPerPixel();
  // Nothing here may block on a dialog.
  SetMsgBoxHandler([](const MsgBoxCall& c) {
    std::fprintf(stderr, "message box: %s\n", c.text.toStdString().c_str());
    return c.buttons == MsgButtons::YesNoCancel ? MsgResult::Cancel : c.buttons == MsgButtons::YesNo ? MsgResult::No : MsgResult::Ok;
  });
  QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
  QDir().mkpath(out);
  int failures = 0;
  for (auto& [name, make] : Registry()) {
    QImage img = make();
    QString file = out + "/" + QString::fromStdString(name) + ".png";
    if (img.isNull() || !img.save(file)) {
      std::fprintf(stderr, "could not render %s\n", name.c_str());
      ++failures;
    } else {
      std::printf("%s\n", file.toStdString().c_str());
    }
  }
  return failures == 0 ? 0 : 1;
}
