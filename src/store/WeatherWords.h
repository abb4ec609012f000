#pragma once
// The words a day's weather code reads out as: each of the code's three
// characters names a weather (1st, 3rd) or a connector (2nd). The graph's
// read-outs and the CSV export both use them; they differ from the weather
// selectors' items at positions 4 and 5 (霧 and 風 read out where the
// selectors show 霜 and 強風).
#include <optional>
#include <string_view>

// The word of the code character at `position` (1, 2 or 3): "" for "no
// connector" (2nd "3") and "no second weather" (3rd "8"); nullopt for a
// character the selectors never make (a code from an edited file).
std::optional<std::string_view> WeatherWord(std::string_view code, int position);
