#pragma once
// Shared routines of the weather window: the month graph (32 day columns
// across, 60 units down, 1 degree or 10 mm per unit) and the read-out texts
// of the day under the pointer.
//
// Everything is measured in the graph's own unit, the twip, from the inner
// size of pctGraph; the window layout measures its chart once.
#include <QColor>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <string>

class PictureBox;

// The last x the pointer was at on the graph (whole twips).
extern int16_t WeatherMouseX;

// Nearest integer with halves to the even neighbour, and the largest integer
// not above v.
int32_t Nearest(double v);
int32_t FloorInt(double v);

int32_t RainBarHeight(float mm, float innerHeight);  // twips
QColor GridLineColor(int j);                          // j = 1..60 units above the bottom

// Graph colours.
inline const QColor kGraphBackground{255, 255, 255};
inline const QColor kRainColor{255, 160, 255};
inline const QColor kGridCyan{0, 255, 255};
inline const QColor kGridZero{0, 200, 0};
inline const QColor kGridMinor{176, 255, 176};
inline const QColor kLowColor{0, 0, 255};
inline const QColor kHighColor{255, 0, 0};

// The month graph of one picture box, measured from its inner size.
class WeatherChart {
 public:
  int16_t WeatherTop = 0;     // top edge (0)
  int16_t WeatherLeft = 0;    // left edge (0)
  float WeatherBottom = 0;    // inner height; y grows downwards
  float WeatherRight = 0;     // inner width
  float WeatherDayWidth = 1;  // one day column; day d sits on x = d * WeatherDayWidth
  float WeatherUnit = 1;      // one grid unit: 1 degree or 10 mm
  float WeatherTenth = 0.1f;  // 0.1 degree

  // Takes the geometry from the picture box's inner size in twips.
  void SetGeometry(float innerWidth, float innerHeight);

  // Where things land on the graph, in twips.
  int32_t WeatherDayX(int day) const;         // x of a day column
  int32_t TemperatureY(float celsius) const;  // y of a temperature
  int32_t GridLineX(int k) const;             // k = 0..31
  int32_t GridLineY(int j) const;             // j = 1..60 units above the bottom
  int16_t DayOfX(double x) const;             // nearest day column (0 left of day 1's half)

  // The whole chart, straight onto the picture box in its twips: background,
  // rain bars, grid, low line, high line, rings on the marked day (later
  // drawing covers earlier). A date outside the tables throws.
  void Draw(PictureBox& g, int16_t year, int16_t month, int16_t markedDay) const;
};

// --- Selector and scroll bar values -------------------------------------------

// Selector items, by list position.
extern const std::array<const char*, 8> kTenkiItems;      // first weather
extern const std::array<const char*, 4> kConnectorItems;  // connector; 3 = none
extern const std::array<const char*, 9> kTenki3Items;     // second weather; 8 = none

// List position of code character i (1..3) by the numeric-prefix rule: a
// non-digit or a missing character gives 0.
int CodeDigit(const std::string& code, int i);

// A stored temperature or rainfall as a scroll bar value in tenths
// (value * 10, halves to even).
long TenthsOf(float value);

// --- Read-out texts -----------------------------------------------------------

// The read-out word of one code character at position 1, 2 or 3. A character
// without a word (not made by the selectors) raises run-time error 9.
QString ReadoutWord(const std::string& code, int position);

// The three words joined with sep; an empty code reads as the default
// "038" it is saved as.
QString ReadoutWeather(const std::string& code, const QString& sep);

// Runs the read-out of a day, reporting a failure unless the read-out before
// failed the same way for the same day (pointing back at a day whose code
// has no words, or opening its menu, shows the box once). Returns whether
// the read-out finished.
bool CatchReadoutErrors(int16_t year, int16_t month, int16_t day, const std::function<void()>& body);
// Forgets the last failed read-out, so that the next failure is reported.
void ForgetReadoutFailure();

// Tooltip line of a day: 2001/5/6, the weather, high and low, rainfall.
QString WeatherTooltip(int16_t year, int16_t month, int16_t day);

// The four information lines of the right-click menu.
std::array<QString, 4> WeatherMenuLines(int16_t year, int16_t month, int16_t day);

// A value formatted "#0.0".
QString Tenths(double v);
