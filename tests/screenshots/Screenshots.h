#pragma once
// `make screenshots` renders every window into build/screenshots/<name>.png on
// the offscreen 1024 x 768 screen. Each window adds a file here with
//
//   SCREENSHOT(weather_window) { ...; return GrabWidget(window); }
#include <QImage>
#include <functional>

class QWidget;

struct ScreenshotRegistrar {
  ScreenshotRegistrar(const char* name, std::function<QImage()> make);
};

// The widget as it shows now (shown first if hidden; events processed).
QImage GrabWidget(QWidget* w);

// A 1024 x 768 image of the whole screen with the given top-level windows
// painted at their positions, as a farmer would see them.
QImage GrabScreen(std::initializer_list<QWidget*> windows);

#define SCREENSHOT(name)                                                     \
  static QImage Screenshot_##name();                                         \
  static ScreenshotRegistrar ScreenshotReg_##name(#name, Screenshot_##name); \
  static QImage Screenshot_##name()
