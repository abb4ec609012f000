#include "platform/Screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

#include "runtime/Convert.h"

float TwipsPerPixelX = 15.0f;
float TwipsPerPixelY = 15.0f;

void CaptureTwipsPerPixel() {
  QScreen* s = QGuiApplication::primaryScreen();
  if (!s) return;
  TwipsPerPixelX = static_cast<float>(1440.0 / s->logicalDotsPerInchX());
  TwipsPerPixelY = static_cast<float>(1440.0 / s->logicalDotsPerInchY());
}

QSize ScreenSizeInPixels() {
  QScreen* s = QGuiApplication::primaryScreen();
  if (!s) return {};
  QSize px = s->size();
  double twX = px.width() * 1440.0 / s->logicalDotsPerInchX();
  double twY = px.height() * 1440.0 / s->logicalDotsPerInchY();
  return QSize(static_cast<int>(rt::RoundHalfEven(twX / TwipsPerPixelX)),
               static_cast<int>(rt::RoundHalfEven(twY / TwipsPerPixelY)));
}

int ScaledFontSize(double n, double denominator) {
  return static_cast<int>(std::floor(TwipsPerPixelX * n / denominator));
}

int PixelsToTwipsX(double px) { return static_cast<int>(rt::RoundHalfEven(px * TwipsPerPixelX)); }
int PixelsToTwipsY(double px) { return static_cast<int>(rt::RoundHalfEven(px * TwipsPerPixelY)); }
