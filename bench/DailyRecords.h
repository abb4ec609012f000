#pragma once
// Every day of 1999..2030 with weather (and, given a text for day number i,
// a diary entry), for the benchmarks of the files and of load-all / save-all.
#include <functional>
#include <string>

#include "store/Store.h"

inline void PopulateDailyRecords(const std::function<std::string(int i)>& diary = nullptr) {
  int i = 0;
  for (int y = kFirstYear; y <= kLastYear; ++y)
    for (int m = 1; m <= 12; ++m)
      for (int d = 1; d <= DaysInMonth(y, m); ++d, ++i) {
        Ondo(y, m, d, 1) = static_cast<float>((i * 7) % 450) / 10.0f;
        Ondo(y, m, d, 0) = static_cast<float>((i * 13) % 300 - 150) / 10.0f;
        Kousui(y, m, d) = static_cast<float>((i * 31) % 6000) / 10.0f;
        Tenki(y, m, d) = std::to_string(100 + i % 900);
        if (diary) Nikki(y, m, d) = diary(i);
      }
}
