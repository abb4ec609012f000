#include "weather/modMain.h"

#include <cmath>

#include "platform/PictureBox.h"
#include "platform/Screen.h"
#include "runtime/Convert.h"
#include "runtime/Cp932.h"
#include "runtime/RuntimeError.h"
#include "platform/ErrorReporter.h"
#include "store/Store.h"
#include "store/WeatherWords.h"

int16_t WeatherMouseX = 0;

void WeatherChart::SetGeometry(float innerWidth, float innerHeight) {
  WeatherTop = 0;
  WeatherLeft = 0;
  WeatherBottom = innerHeight;
  WeatherRight = innerWidth;
  WeatherDayWidth = innerWidth / 32.0f;
  WeatherUnit = innerHeight / 60.0f;
  WeatherTenth = WeatherUnit / 10.0f;
}

int32_t Nearest(double v) { return static_cast<int32_t>(rt::RoundHalfEven(v)); }
int32_t FloorInt(double v) { return static_cast<int32_t>(std::floor(v)); }

int32_t WeatherChart::WeatherDayX(int day) const {
  return Nearest(static_cast<float>(day) * WeatherDayWidth + WeatherLeft);
}

int32_t WeatherChart::TemperatureY(float celsius) const {
  // Tenths of a degree above -15.0, 0..600 on the scale.
  int32_t v = Nearest(celsius * 10.0f + 150.0f);
  return Nearest(WeatherBottom - static_cast<float>(FloorInt(static_cast<float>(v) * WeatherTenth)));
}

int32_t RainBarHeight(float mm, float innerHeight) { return FloorInt(innerHeight * mm / 600.0f); }

int32_t WeatherChart::GridLineX(int k) const {
  return Nearest(static_cast<float>(k) * WeatherDayWidth + WeatherLeft);
}

int32_t WeatherChart::GridLineY(int j) const { return Nearest(WeatherBottom - static_cast<float>(j) * WeatherUnit); }

QColor GridLineColor(int j) {
  if (j == 15) return kGridZero;  // 0 degrees
  if (j % 5 == 0) return kGridCyan;
  return kGridMinor;
}

int16_t WeatherChart::DayOfX(double x) const {
  return static_cast<int16_t>(FloorInt(static_cast<float>(x) / WeatherDayWidth + 0.5f));
}

// --- Drawing -----------------------------------------------------------------

void WeatherChart::Draw(PictureBox& g, int16_t year, int16_t month, int16_t markedDay) const {
  g.FilledBox(WeatherLeft, WeatherTop, WeatherRight, WeatherBottom, kGraphBackground);

  const float h = g.ScaleHeight();
  const float half = WeatherDayWidth / 4.0f;
  const int n = DaysInMonth(year, month);
  for (int d = 1; d <= n; ++d) {
    float r = Kousui(year, month, d);
    float x = static_cast<float>(Nearest(static_cast<float>(d) * WeatherDayWidth));
    float top = WeatherBottom - static_cast<float>(RainBarHeight(r, h));
    g.FilledBox(x - half, WeatherBottom, x + half, top, kRainColor);
  }

  for (int k = 0; k <= 31; ++k) {
    float x = static_cast<float>(GridLineX(k));
    g.Line(x, WeatherTop, x, WeatherBottom, kGridCyan);
  }
  for (int j = 1; j <= 60; ++j) {
    float y = static_cast<float>(GridLineY(j));
    g.Line(WeatherLeft, y, WeatherRight, y, GridLineColor(j));
  }

  const float dot = 2.0f * TwipsPerPixelX;
  for (int kind = 0; kind <= 1; ++kind) {
    const QColor& c = kind == 0 ? kLowColor : kHighColor;
    for (int d = 1; d <= n; ++d) {
      float x = static_cast<float>(WeatherDayX(d));
      float y = static_cast<float>(TemperatureY(Ondo(year, month, d, kind)));
      if (d == 1)
        g.Line(x, y, x, y, c);
      else
        g.LineTo(x, y, c);
      g.Circle(x, y, dot, c);
    }
  }

  float yl = static_cast<float>(TemperatureY(Ondo(year, month, markedDay, 0)));
  float yh = static_cast<float>(TemperatureY(Ondo(year, month, markedDay, 1)));
  float x = static_cast<float>(WeatherDayX(markedDay));
  const float big = 6.0f * TwipsPerPixelX;
  const float small = 3.0f * TwipsPerPixelX;
  // Each ring takes the other line's colour, so it stands out on its own line.
  g.Circle(x, yl, big, kHighColor);
  g.Circle(x, yh, big, kLowColor);
  g.Circle(x, yl, small, kHighColor);
  g.Circle(x, yh, small, kLowColor);
}

// --- Selector and scroll bar values -------------------------------------------

const std::array<const char*, 8> kTenkiItems = {"快晴", "晴れ", "曇り", "雨", "霜", "強風", "雪", "台風"};
const std::array<const char*, 4> kConnectorItems = {"時々", "一時", "のち", " "};
const std::array<const char*, 9> kTenki3Items = {"快晴", "晴れ", "曇り", "雨", "霜", "強風", "雪", "台風", " "};

int CodeDigit(const std::string& code, int i) {
  if (i < 1 || static_cast<size_t>(i) > code.size()) return 0;
  char c = code[static_cast<size_t>(i - 1)];
  return c >= '0' && c <= '9' ? c - '0' : 0;
}

long TenthsOf(float value) { return static_cast<long>(rt::RoundHalfEven(value * 10.0f)); }

// --- Read-out texts -----------------------------------------------------------

namespace {
float Low(int16_t y, int16_t m, int16_t d) { return Ondo(y, m, d, 0); }
float High(int16_t y, int16_t m, int16_t d) { return Ondo(y, m, d, 1); }
}  // namespace

QString ReadoutWord(const std::string& code, int position) {
  if (auto word = WeatherWord(code, position)) return QString::fromUtf8(word->data(), static_cast<qsizetype>(word->size()));
  throw rt::RuntimeError(rt::kErrSubscript, "weather code without a word");
}

QString ReadoutWeather(const std::string& stored, const QString& sep) {
  const std::string& code = SavedWeatherCode(stored);
  return ReadoutWord(code, 1) + sep + ReadoutWord(code, 2) + sep + ReadoutWord(code, 3);
}

namespace {
struct ReadoutFailure {
  int16_t year = 0, month = 0, day = 0, number = 0;
  bool operator==(const ReadoutFailure&) const = default;
};
ReadoutFailure& LastReadoutFailure() {
  static ReadoutFailure last;
  return last;
}
}  // namespace

void ForgetReadoutFailure() { LastReadoutFailure() = {}; }

bool CatchReadoutErrors(int16_t year, int16_t month, int16_t day, const std::function<void()>& body) {
  ReadoutFailure& last = LastReadoutFailure();
  try {
    body();
    last = {};
    return true;
  } catch (...) {
    ReadoutFailure now{year, month, day, rt::ErrorNumberOf(std::current_exception())};
    if (!(now == last)) ReportError(now.number);
    last = now;
    return false;
  }
}

QString Tenths(double v) { return QString::fromStdString(rt::Format(v, "#0.0")); }

QString WeatherTooltip(int16_t y, int16_t m, int16_t d) {
  const QString gap = QStringLiteral("　　");
  QString weather = ReadoutWeather(Tenki(y, m, d), QStringLiteral(" "));
  return QString::number(y) + "/" + QString::fromStdString(rt::Format(m, "#0")) + "/" +
         QString::fromStdString(rt::Format(d, "#0")) + gap + weather + gap + Tenths(High(y, m, d)) +
         QStringLiteral("℃/") + Tenths(Low(y, m, d)) + QStringLiteral("℃") + gap + Tenths(Kousui(y, m, d)) +
         QStringLiteral("ｍｍ");
}

std::array<QString, 4> WeatherMenuLines(int16_t y, int16_t m, int16_t d) {
  std::array<QString, 4> lines;
  lines[0] = QString::number(y) + QStringLiteral("年") + QString::fromStdString(rt::Format(m, "0#")) +
             QStringLiteral("月") + QString::fromStdString(rt::Format(d, "0#")) + QStringLiteral("日");
  lines[1] = QStringLiteral("天気   ：") + ReadoutWeather(Tenki(y, m, d), QStringLiteral("  "));
  lines[2] = QStringLiteral("気温   ：") + Tenths(High(y, m, d)) + QStringLiteral("℃／") + Tenths(Low(y, m, d)) +
             QStringLiteral("℃");
  lines[3] = QStringLiteral("降水量：") + Tenths(Kousui(y, m, d)) + QStringLiteral("ｍｍ");
  return lines;
}
