#pragma once
// Screen metrics as the windows use them: twips per pixel (1440 / logical
// dots per inch, 15 on a 96-dpi screen) and the screen size in pixels.
#include <QSize>

extern float TwipsPerPixelX;
extern float TwipsPerPixelY;

// Stores the primary screen's twips per pixel into the two globals.
void CaptureTwipsPerPixel();

// The primary screen's size in pixels, computed as the screen's size in
// twips divided by twips per pixel, each rounded.
QSize ScreenSizeInPixels();

// Integer part of (TwipsPerPixelX * n / 15): a window's font size in points
// for a design size n.
int ScaledFontSize(double n, double denominator = 15.0);

// Pixels to twips and back with the captured factors.
int PixelsToTwipsX(double px);
int PixelsToTwipsY(double px);

// Twips to pixels, nearest with halves to even.
int TwipsToPixelsX(double twips);
int TwipsToPixelsY(double twips);

class QWidget;
// Places a control given in twips (left, top, width, height), relative to
// its parent's inner area; each value lands on a whole pixel with the
// fraction dropped.
void PlaceTwips(QWidget* w, double left, double top, double width, double height);
// Places a control given in design pixels of the 1024 x 768 screen: each
// value goes through twips, so the result is the same as PlaceTwips with
// pixels times twips per pixel.
void PlacePixels(QWidget* w, double left, double top, double width, double height);
