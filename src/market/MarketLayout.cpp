// Layout of the market price window: the strips, frames and buttons at their
// twips positions, the controls inside the frames in pixels of the 1024 x 768
// screen, the graph from the window's inner size.
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>

#include "market/frmMarketPrice.h"
#include "market/modMarket.h"
#include "platform/Fonts.h"
#include "platform/PictureBox.h"
#include "platform/Screen.h"

void PlaceMarketGraph(frmMarketPrice& f, QSize inner) {
  const double tx = TwipsPerPixelX, ty = TwipsPerPixelY;
  PlaceTwips(f.pctGraph, 48 * tx, 12 * ty, f.Frame1->x() * tx - 48 * tx, (inner.height() - 36) * ty);
  f.pctGraph->raise();
  f.Chart.SetGeometry(f.pctGraph->ScaleWidth(), f.pctGraph->ScaleHeight());
}

void LayoutMarketWindow(frmMarketPrice& f) {
  f.setFont(MapFont(kGothic, ScaledFontSize(12)));
  // Small enough for the placeholder to show whole in the narrow frame.
  f.cmbProduce->setFont(MapFont(kPGothic, ScaledFontSize(10)));
  f.pctNumber->SetDrawFont(MapFont(kGothic, 10));

  PlaceTwips(f.pctNumber, 0, 0, 855, 11145);
  PlaceTwips(f.pctDay, 450, 10740, 13155, 405);
  PlaceTwips(f.Frame1, 13590, 0, 1725, 6105);
  PlaceTwips(f.Frame2, 13590, 6300, 1725, 2535);
  PlaceTwips(f.cmdSave, 13620, 8880, 1725, 555);
  PlaceTwips(f.cmdClose, 13620, 9450, 1725, 555);

  PlacePixels(f.txtCalender, 4, 20, 92, 24);
  PlacePixels(f.vscCalender, 96, 20, 15, 24);
  PlacePixels(f.cmdCalender, 4, 46, 107, 24);
  PlacePixels(f.lblProduce, 4, 76, 107, 16);
  PlacePixels(f.cmbProduce, 2, 92, 111, 24);
  PlacePixels(f.cmdEdit, 4, 118, 107, 24);
  PlacePixels(f.Label2, 4, 148, 107, 16);
  PlacePixels(f.optIndicateMonth, 12, 164, 44, 20);
  PlacePixels(f.optIndicateYear, 60, 164, 44, 20);
  PlacePixels(f.Label1, 4, 190, 107, 16);
  PlacePixels(f.txtLimitMax, 20, 206, 70, 24);
  PlacePixels(f.vscLimitMax, 92, 206, 15, 24);
  PlacePixels(f.lblPriceHigh, 4, 236, 107, 16);
  PlacePixels(f.txtPriceHigh, 20, 252, 70, 22);
  PlacePixels(f.hscPriceHigh, 4, 276, 107, 13);
  PlacePixels(f.lblPriceMid, 4, 292, 107, 16);
  PlacePixels(f.txtPriceMid, 20, 308, 70, 22);
  PlacePixels(f.hscPriceMid, 4, 332, 107, 13);
  PlacePixels(f.lblPriceLow, 4, 348, 107, 16);
  PlacePixels(f.txtPriceLow, 20, 364, 70, 22);
  PlacePixels(f.hscPriceLow, 4, 388, 107, 13);

  PlacePixels(f.txtDay, 8, 22, 100, 22);
  PlacePixels(f.lblKionHighD, 8, 58, 34, 18);
  PlacePixels(f.txtPriceHighD, 42, 56, 50, 22);
  PlacePixels(f.lblCHigh, 94, 58, 18, 18);
  PlacePixels(f.lblKionLowD, 8, 94, 34, 18);
  PlacePixels(f.txtPriceMidD, 42, 92, 50, 22);
  PlacePixels(f.lblCLow, 94, 94, 18, 18);
  PlacePixels(f.lblRainD, 8, 130, 34, 18);
  PlacePixels(f.txtPriceLowD, 42, 128, 50, 22);
  PlacePixels(f.lblRainMM, 94, 130, 18, 18);
  for (QLineEdit* t : {f.txtLimitMax, f.txtPriceHigh, f.txtPriceMid, f.txtPriceLow, f.txtPriceHighD, f.txtPriceMidD,
                       f.txtPriceLowD})
    t->setAlignment(Qt::AlignRight);

  PlaceMarketGraph(f, f.size());
}
