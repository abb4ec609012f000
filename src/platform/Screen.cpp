#include "platform/Screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
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

int TwipsToPixelsX(double twips) { return static_cast<int>(rt::RoundHalfEven(twips / TwipsPerPixelX)); }
int TwipsToPixelsY(double twips) { return static_cast<int>(rt::RoundHalfEven(twips / TwipsPerPixelY)); }

namespace {
// A control lands on whole pixels with a fraction dropped; a small epsilon
// keeps a value like 52 * 15 / 15 from landing a hair below its pixel after
// float arithmetic.
int FloorPxX(double twips) { return static_cast<int>(std::floor(twips / TwipsPerPixelX + 1e-6)); }
int FloorPxY(double twips) { return static_cast<int>(std::floor(twips / TwipsPerPixelY + 1e-6)); }
}  // namespace

void PlaceTwips(QWidget* w, double left, double top, double width, double height) {
  w->setGeometry(FloorPxX(left), FloorPxY(top), FloorPxX(width), FloorPxY(height));
}

void PlacePixels(QWidget* w, double left, double top, double width, double height) {
  PlaceTwips(w, left * TwipsPerPixelX, top * TwipsPerPixelY, width * TwipsPerPixelX, height * TwipsPerPixelY);
}
