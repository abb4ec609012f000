// Layout of the weather window: pixel positions of a 1024 x 768 screen,
// converted through twips so that the window looks the same whatever the
// screen's twips per pixel.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "platform/Fonts.h"
#include "platform/Screen.h"
#include "platform/PictureBox.h"
#include "weather/frmMain.h"
#include "weather/modMain.h"

namespace {

void SetFont(QWidget* w, int points, const QString& face = kGothic) { w->setFont(MapFont(face, points)); }

// A drop-down list is as high as its font makes it.
void PlaceCombo(QComboBox* c, double left, double top, double width) {
  PlacePixels(c, left, top, width, c->sizeHint().height());
}

// The read-out boxes are drawn without a frame and at least as high as their
// text, so that a 12-point value is never clipped by a 10-pixel box.
void PlaceReadout(QLineEdit* t, double left, double top, double width, double height) {
  t->setFrame(false);
  PlacePixels(t, left, top, width, height);
  int need = t->fontMetrics().height() + 2;
  if (t->height() < need) t->resize(t->width(), need);
}

}  // namespace

void LayoutWeatherWindow(frmMain& f) {
  const float tx = TwipsPerPixelX;
  const float ty = TwipsPerPixelY;
  const QSize inner(1024, 768);

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

  PlacePixels(f.pctGraph, 52, 19, 861, 671);
  PlacePixels(f.Frame1, 913.5, 0, 111, 403);
  PlacePixels(f.Frame2, 913.5, 403, 111, 212);
  // The buttons sit three twips below their pixel rows.
  PlaceTwips(f.cmdSave, 913 * tx, 615.0 * ty + 3, 110 * tx, 35 * ty);
  PlaceTwips(f.cmdEnd, 913 * tx, 650.0 * ty + 3, 110 * tx, 35 * ty);

  PlacePixels(f.txtCalender, 2, 24, 97, 24);
  PlacePixels(f.vscCalender, 96, 24, 13, 23);
  PlacePixels(f.cmdCalender, 4, 48, 103, 23);
  PlacePixels(f.lblTenki, 4, 72, 61, 19);
  PlaceCombo(f.cmbTenki1, 18, 88, 71);
  PlaceCombo(f.cmbTenki2, 18, 120, 71);
  PlaceCombo(f.cmbTenki3, 18, 152, 71);
  PlacePixels(f.lblKionHigh, 4, 186, 93, 21);
  PlacePixels(f.txtKionHigh, 20, 204, 69, 23);
  PlacePixels(f.hscKionHigh, 6, 224, 97, 11);
  PlacePixels(f.lblKionLow, 4, 240, 93, 21);
  PlacePixels(f.txtKionLow, 20, 258, 69, 23);
  PlacePixels(f.hscKionLow, 6, 278, 97, 11);
  PlacePixels(f.lblRain, 4, 292, 93, 21);
  PlacePixels(f.txtRain, 20, 310, 69, 24);
  PlacePixels(f.hscRain, 6, 332, 97, 11);

  PlaceReadout(f.txtDay, 15, 20, 50, 10);
  PlacePixels(f.lblDayD, 70, 23, 15, 20);
  PlacePixels(f.lblTenkiD, 8, 45, 50, 20);
  PlaceReadout(f.txtTenki, 1, 60, 106, 10);
  PlacePixels(f.lblKionHighD, 8, 82, 100, 20);
  PlaceReadout(f.txtKionHighD, 15, 99, 55, 10);
  PlacePixels(f.lblCHigh, 72, 104, 15, 20);
  PlacePixels(f.lblKionLowD, 8, 125, 100, 20);
  PlaceReadout(f.txtKionLowD, 15, 142, 55, 10);
  PlacePixels(f.lblCLow, 72, 147, 15, 20);
  PlacePixels(f.lblRainD, 8, 168, 100, 20);
  PlaceReadout(f.txtKousui, 15, 185, 55, 10);
  PlacePixels(f.lblRainMM, 72, 190, 20, 20);
  PlacePixels(f.lblGraphName, 2, 706, 100, 15);

  f.Chart.SetGeometry(f.pctGraph->ScaleWidth(), f.pctGraph->ScaleHeight());

  // Scale labels on every fifth grid line, day numbers under their columns.
  const double graphTop = f.pctGraph->y() * ty;
  const double graphLeft = f.pctGraph->x() * tx;
  for (int i = 0; i <= 12; ++i) {
    double top = graphTop - 6.0 * ty + 5.0 * i * f.Chart.WeatherUnit;
    PlaceTwips(f.lblKousui[i], 0, top, 30 * tx, 20 * ty);
    PlaceTwips(f.lblKion[i], 20 * tx, top, 30 * tx, 20 * ty);
  }
  const double daysTop = (f.pctGraph->y() + f.pctGraph->height() + 1) * ty;
  for (int d = 1; d <= 31; ++d) {
    double left = graphLeft + d * f.Chart.WeatherDayWidth - 8.0 * tx;
    PlaceTwips(f.lblDays[d - 1], left, daysTop, 22.0 * tx, 15.0 * ty);
  }

  f.resize(inner);
}
