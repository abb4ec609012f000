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

class frmMarketPrice;

// --- Market state (outlives the window) --------------------------------------

extern int16_t MarketView;        // 0 month view, 1 year view
extern int16_t MarketItem;        // index of the shown produce in PriceItem
extern float PriceDayWidth;       // one day on the graph, twips
extern float PriceGridStep;       // graph inner height / 50, twips
extern float PriceScale;          // twips per yen (0 while the produce has no price range)
extern int32_t PriceGraphWidth;   // graph inner width, whole twips
extern int32_t PriceGraphHeight;  // graph inner height, whole twips
extern int32_t PeakPrice;         // highest price recorded for the shown produce
extern float PriceHoverX;         // pointer x (twips) at the last change of the pointed-at day

// --- Colours -------------------------------------------------------------------

inline const QColor kPriceGridLight{176, 255, 176};
inline const QColor kPriceGridDark{0, 200, 0};
inline const QColor kPriceHighColor{255, 0, 0};
inline const QColor kPriceMidColor{0, 0, 255};
inline const QColor kPriceLowColor{192, 0, 192};
inline const QColor kPriceMarkerColor{0, 255, 0};

// --- Geometry --------------------------------------------------------------------

// Sets PriceGraphWidth, PriceGraphHeight and PriceGridStep from the graph's
// inner size in twips, and PriceDayWidth for the view.
void SetMarketGeometry(float innerWidth, float innerHeight);
// PriceDayWidth for a view: the width over 32 day columns (month), or over
// the days of CurYear plus one (year).
void SetPriceDayWidth(int16_t view);

// The date under pointer x (twips): the month view clamps the day to the
// days of the current month, the year view takes x as a day of CurYear
// (0 and below give 1 January, beyond the year 31 December).
YearMonthDay MarketDateAt(float x);

// --- Drawing ---------------------------------------------------------------------

// The whole graph of a produce for a day: grid and labels, the three lines,
// the markers. Returns false when the produce has no price range (Max equal
// to Min, as for an unnamed gap entry of the price file): then only the grid
// is drawn and PriceScale is 0. Other failures (an index outside the tables)
// are thrown.
bool RedrawMarketGraph(frmMarketPrice& f, int16_t view, int16_t item, int16_t year, int16_t month, int16_t day);

// The three parts, in the order RedrawMarketGraph draws them. The grid sets
// PriceScale and returns whether the produce has a price range.
bool DrawMarketGrid(frmMarketPrice& f, int16_t view, int16_t item);
void DrawMarketLines(frmMarketPrice& f, int16_t view, int16_t item, int16_t year, int16_t month, int16_t day);
void DrawMarketMarkers(frmMarketPrice& f, int16_t view, int16_t item, int16_t year, int16_t month, int16_t day);

// The highest high, middle or low price of the produce on any day of the
// tables (0 when none is recorded).
int32_t HighestPrice(int16_t item);
// Sets PeakPrice to HighestPrice(item).
void FindPeakPrice(int16_t item);
