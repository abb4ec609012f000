#include "store/WeatherWords.h"

namespace {
constexpr std::string_view kWeather[] = {"快晴", "晴れ", "曇り", "雨", "霧", "風", "雪", "台風"};
constexpr std::string_view kConnector[] = {"時々", "一時", "のち", ""};
}  // namespace

std::optional<std::string_view> WeatherWord(std::string_view code, int position) {
  char c = position >= 1 && static_cast<size_t>(position) <= code.size() ? code[static_cast<size_t>(position - 1)] : 0;
  int n = c >= '0' && c <= '9' ? c - '0' : -1;
  if (position == 2) {
    if (n >= 0 && n <= 3) return kConnector[n];
  } else if (position == 1 || position == 3) {
    if (n >= 0 && n <= 7) return kWeather[n];
    if (n == 8 && position == 3) return std::string_view();
  }
  return std::nullopt;
}
