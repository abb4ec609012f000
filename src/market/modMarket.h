#pragma once
// modMarket: the market price graph. The high, middle and low price of one
// produce as three polylines over a month or a year, on a grid whose height is
// the produce's upper price limit, with the price labels in the strip left of
// the graph and green circles on the chosen (or pointed-at) day.
//
// The graph works in the twips of pctGraph, origin top left; the bottom edge
// is price 0 and price p lies at PriceGraphHeight - PriceScale * p. The grid
// and the year view draw in pixels on the box's device context, a twips value
// divided by the screen's twips per pixel and rounded halves to even; the
// month view draws in twips with the box's own line and circle operations.
#include <QColor>
#include <cstdint>

#include "store/Store.h"

class PictureBox;

// --- Market state (outlives the window) --------------------------------------

extern int16_t MarketView;        // 0 month view, 1 year view
extern int16_t MarketItem;        // index of the shown produce in PriceItem
extern int32_t PeakPrice;         // highest price recorded for the shown produce
extern float PriceHoverX;         // pointer x (twips) at the last change of the pointed-at day

// --- Colours -------------------------------------------------------------------

inline const QColor kPriceGridLight{176, 255, 176};
inline const QColor kPriceGridDark{0, 200, 0};
inline const QColor kPriceHighColor{255, 0, 0};
inline const QColor kPriceMidColor{0, 0, 255};
inline const QColor kPriceLowColor{192, 0, 192};
inline const QColor kPriceMarkerColor{0, 255, 0};

// --- The graph ---------------------------------------------------------------------

class MarketChart {
 public:
  int16_t View = 0;              // the view PriceDayWidth is for: 0 month, 1 year
  float PriceDayWidth = 0;       // one day on the graph, twips
  float PriceGridStep = 0;       // graph inner height / 50, twips
  float PriceScale = 0;          // twips per yen (0 while the produce has no price range)
  int32_t PriceGraphWidth = 0;   // graph inner width, whole twips
  int32_t PriceGraphHeight = 0;  // graph inner height, whole twips

  // Takes the graph's inner size in twips, keeping the view.
  void SetGeometry(float innerWidth, float innerHeight);
  // The view, and PriceDayWidth for it: the width over 32 day columns
  // (month), or over the days of CurYear plus one (year).
  void SetView(int16_t view);

  // The date under pointer x (twips): the month view clamps the day to the
  // days of the current month, the year view takes x as a day of CurYear
  // (0 and below give 1 January, beyond the year 31 December).
  YearMonthDay MarketDateAt(float x) const;

  // The whole graph of a produce for a day: grid and price labels (in
  // `number`, the strip left of the graph), the three lines, the markers.
  // A produce without a price range (Max equal to Min, as for an unnamed gap
  // entry of the price file) gets the grid only and PriceScale 0. An index
  // outside the tables throws.
  void Draw(PictureBox& graph, PictureBox& number, int16_t item, int16_t year, int16_t month, int16_t day);

 private:
  void DrawGrid(PictureBox& graph, PictureBox& number, int16_t item);
  void DrawLines(PictureBox& graph, int16_t item, int16_t year, int16_t month) const;
  void DrawMarkers(PictureBox& graph, int16_t item, int16_t year, int16_t month, int16_t day) const;
  double PriceY(int32_t price) const;
};

// The highest high, middle or low price of the produce on any day of the
// tables (0 when none is recorded).
int32_t HighestPrice(int16_t item);
// Sets PeakPrice to HighestPrice(item).
void FindPeakPrice(int16_t item);
