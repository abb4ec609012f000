// Layout of the weather window: pixel positions of a 1024 x 768 screen,
// converted through twips so that the window looks the same whatever the
// screen's twips per pixel.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <cmath>

#include "platform/Fonts.h"
#include "platform/Screen.h"
#include "platform/PictureBox.h"
#include "weather/frmMain.h"
#include "weather/modMain.h"

namespace {

// Twips to whole pixels; a fraction of a pixel is dropped, as the window
// system does when it places a control.
int PxX(double twips) { return static_cast<int>(std::floor(twips / TwipsPerPixelX + 1e-6)); }
int PxY(double twips) { return static_cast<int>(std::floor(twips / TwipsPerPixelY + 1e-6)); }

// Places a control given in design pixels (left, top, width, height).
void Place(QWidget* w, double left, double top, double width, double height) {
  w->setGeometry(PxX(left * TwipsPerPixelX), PxY(top * TwipsPerPixelY), PxX(width * TwipsPerPixelX),
                 PxY(height * TwipsPerPixelY));
}

// The same with a top given in twips.
void PlaceTwipsTop(QWidget* w, double left, double topTwips, double width, double height) {
  w->setGeometry(PxX(left * TwipsPerPixelX), PxY(topTwips), PxX(width * TwipsPerPixelX),
                 PxY(height * TwipsPerPixelY));
}

void SetFont(QWidget* w, int points, const QString& face = kGothic) { w->setFont(MapFont(face, points)); }

// A drop-down list is as high as its font makes it.
void PlaceCombo(QComboBox* c, double left, double top, double width) {
  c->setGeometry(PxX(left * TwipsPerPixelX), PxY(top * TwipsPerPixelY), PxX(width * TwipsPerPixelX),
                 c->sizeHint().height());
}

// The read-out boxes are drawn without a frame and at least as high as their
// text, so that a 12-point value is never clipped by a 10-pixel box.
void PlaceReadout(QLineEdit* t, double left, double top, double width, double height) {
  t->setFrame(false);
  Place(t, left, top, width, height);
  int need = t->fontMetrics().height() + 2;
  if (t->height() < need) t->resize(t->width(), need);
}

}  // namespace

void LayoutWeatherWindow(frmMain& f) {
  const float tx = TwipsPerPixelX;
  const float ty = TwipsPerPixelY;
  const QSize inner(PxX(1024.0 * tx), PxY(768.0 * ty));

  // Inner area exactly 1024 x 768 at (-3, -3): the frame lies off screen.
  f.move(-3, -3);
  f.resize(inner);

  const int f17 = ScaledFontSize(17), f14 = ScaledFontSize(14), f11 = ScaledFontSize(11), f12 = ScaledFontSize(12);
  const int scale = ScaledFontSize(11, 14), title = ScaledFontSize(9, 14);
  for (QWidget* w : {static_cast<QWidget*>(f.Frame1), static_cast<QWidget*>(f.Frame2)}) SetFont(w, f12);
  for (QComboBox* c : {f.cmbTenki1, f.cmbTenki2, f.cmbTenki3}) SetFont(c, f17);
  for (QLineEdit* t : {f.txtKionHigh, f.txtKionLow, f.txtRain}) SetFont(t, f14);
  SetFont(f.txtTenki, f11, kPGothic);
  for (QWidget* w : std::initializer_list<QWidget*>{
           f.txtCalender, f.cmdCalender, f.lblTenki, f.lblKionHigh, f.lblKionLow, f.lblRain, f.lblDayD, f.txtDay,
           f.lblTenkiD, f.lblKionHighD, f.txtKionHighD, f.lblCHigh, f.lblKionLowD, f.txtKionLowD, f.lblCLow,
           f.lblRainD, f.txtKousui, f.lblRainMM, f.cmdSave, f.cmdEnd})
    SetFont(w, f12);
  for (int i = 0; i <= 12; ++i) {
    SetFont(f.lblKousui[i], scale);
    SetFont(f.lblKion[i], scale);
  }
  for (QLabel* l : f.lblDays) SetFont(l, scale);
  SetFont(f.lblGraphName, title, kPGothic);

  Place(f.pctGraph, 52, 19, 861, 671);
  Place(f.Frame1, 913.5, 0, 111, 403);
  Place(f.Frame2, 913.5, 403, 111, 212);
  PlaceTwipsTop(f.cmdSave, 913, 615.0 * ty + 3, 110, 35);
  PlaceTwipsTop(f.cmdEnd, 913, 650.0 * ty + 3, 110, 35);

  Place(f.txtCalender, 2, 24, 97, 24);
  Place(f.vscCalender, 96, 24, 13, 23);
  Place(f.cmdCalender, 4, 48, 103, 23);
  Place(f.lblTenki, 4, 72, 61, 19);
  PlaceCombo(f.cmbTenki1, 18, 88, 71);
  PlaceCombo(f.cmbTenki2, 18, 120, 71);
  PlaceCombo(f.cmbTenki3, 18, 152, 71);
  Place(f.lblKionHigh, 4, 186, 93, 21);
  Place(f.txtKionHigh, 20, 204, 69, 23);
  Place(f.hscKionHigh, 6, 224, 97, 11);
  Place(f.lblKionLow, 4, 240, 93, 21);
  Place(f.txtKionLow, 20, 258, 69, 23);
  Place(f.hscKionLow, 6, 278, 97, 11);
  Place(f.lblRain, 4, 292, 93, 21);
  Place(f.txtRain, 20, 310, 69, 24);
  Place(f.hscRain, 6, 332, 97, 11);

  PlaceReadout(f.txtDay, 15, 20, 50, 10);
  Place(f.lblDayD, 70, 23, 15, 20);
  Place(f.lblTenkiD, 8, 45, 50, 20);
  PlaceReadout(f.txtTenki, 1, 60, 106, 10);
  Place(f.lblKionHighD, 8, 82, 100, 20);
  PlaceReadout(f.txtKionHighD, 15, 99, 55, 10);
  Place(f.lblCHigh, 72, 104, 15, 20);
  Place(f.lblKionLowD, 8, 125, 100, 20);
  PlaceReadout(f.txtKionLowD, 15, 142, 55, 10);
  Place(f.lblCLow, 72, 147, 15, 20);
  Place(f.lblRainD, 8, 168, 100, 20);
  PlaceReadout(f.txtKousui, 15, 185, 55, 10);
  Place(f.lblRainMM, 72, 190, 20, 20);
  Place(f.lblGraphName, 2, 706, 100, 15);

  SetWeatherGeometry(f.pctGraph->ScaleWidth(), f.pctGraph->ScaleHeight());

  // Scale labels on every fifth grid line, day numbers under their columns.
  const double graphTop = f.pctGraph->y() * ty;
  const double graphLeft = f.pctGraph->x() * tx;
  for (int i = 0; i <= 12; ++i) {
    double top = graphTop - 6.0 * ty + 5.0 * i * WeatherUnit;
    PlaceTwipsTop(f.lblKousui[i], 0, top, 30, 20);
    PlaceTwipsTop(f.lblKion[i], 20, top, 30, 20);
  }
  const double daysTop = (f.pctGraph->y() + f.pctGraph->height() + 1) * ty;
  for (int d = 1; d <= 31; ++d) {
    double left = graphLeft + d * WeatherDayWidth - 8.0 * tx;
    f.lblDays[d - 1]->setGeometry(PxX(left), PxY(daysTop), PxX(22.0 * tx), PxY(15.0 * ty));
  }

  f.resize(inner);
}
