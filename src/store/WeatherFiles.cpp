#include "store/WeatherFiles.h"

#include <string>
#include <string_view>
#include <vector>

#include "runtime/Convert.h"
#include "runtime/Cp932.h"
#include "store/DataFile.h"
#include "store/FileText.h"
#include "store/Store.h"

namespace {

constexpr const char* kKousui = "kousui.dat";
constexpr const char* kOndo = "ondo.dat";
constexpr const char* kTenki = "tenki.dat";
constexpr const char* kDefaultCode = "038";

using filetext::KeyNumber;
using filetext::ToSingle;

void CheckYearMonth(int year, int month) {
  if (year < kFirstYear || year > kLastYear || month < 1 || month > 12)
    throw rt::RuntimeError(rt::kErrSubscript);
}

// Scans the day values of a month line from character `dataStart`: each
// value before a comma goes to the current day; the scan stops at the comma
// after the month's last day, and whatever follows the last comma read goes
// to the current day once more (so a long line's last day gets "").
template <class Store>
void ScanMonth(std::string_view line, size_t dataStart, int year, int month, Store store) {
  std::string_view data = rt::Mid(line, dataStart);
  int days = DaysInMonth(year, month);
  int day = 1;
  size_t start = 0;
  for (size_t i = 0; i < data.size(); ++i) {
    if (data[i] != ',') continue;
    store(day, data.substr(start, i - start));
    start = i + 1;
    if (day >= days) {
      store(day, std::string_view{});
      return;
    }
    StepProgress();
    ++day;
  }
  store(day, data.substr(start));
}

// Files every line under its key (the last line per key wins), then empties
// the table and applies the filed lines month by month, so that days the
// file does not fill hold their empty value and not what was in memory.
// Nothing of the file reaches the table, and the table stays as it was, when
// a key is bad.
template <class KeyOf, class Clear, class Apply>
void ReadMonthLines(FileReading& f, int kinds, KeyOf keyOf, Clear clear, Apply apply) {
  const std::vector<std::string_view>& lines = f.Lines();
  std::vector<int> filed(static_cast<size_t>(kYears * 12 * kinds), -1);
  for (size_t n = 0; n < lines.size(); ++n) {
    f.At(n);
    filed[keyOf(lines[n])] = static_cast<int>(n);
  }
  clear();
  for (int y = kFirstYear; y <= kLastYear; ++y)
    for (int m = 1; m <= 12; ++m)
      for (int k = 0; k < kinds; ++k) {
        int n = filed[static_cast<size_t>(((y - kFirstYear) * 12 + (m - 1)) * kinds + k)];
        if (n >= 0) f.At(static_cast<size_t>(n));
        apply(n >= 0 ? lines[static_cast<size_t>(n)] : std::string_view{}, y, m, k);
      }
}

size_t YearMonthKey(std::string_view line) {
  int year = KeyNumber(line, 1, 4), month = KeyNumber(line, 6, 2);
  CheckYearMonth(year, month);
  return static_cast<size_t>((year - kFirstYear) * 12 + (month - 1));
}

std::string MonthKey(int year, int month) { return std::to_string(year) + "/" + rt::Format(month, "00"); }

// One line per month, "yyyy/mm" and a comma and the value text of each day.
template <class ValueText>
void WriteMonthLines(LineSink& out, ValueText valueText) {
  std::string& b = out.Buffer();
  for (int y = kFirstYear; y <= kLastYear; ++y)
    for (int m = 1; m <= 12; ++m) {
      b += MonthKey(y, m);
      for (int d = 1, n = DaysInMonth(y, m); d <= n; ++d) {
        b += ',';
        valueText(b, y, m, d);
        StepProgress();
      }
      out.EndLine();
    }
}

}  // namespace

bool LoadKousui() {
  return RunReader(kKousui, nullptr, nullptr, [](FileReading& f) {
    ReadMonthLines(f, 1, YearMonthKey, [] { Kousui.Fill(0.0f); }, [](std::string_view line, int y, int m, int) {
      ScanMonth(line, 9, y, m, [&](int d, std::string_view v) { Kousui(y, m, d) = ToSingle(rt::Val(v)); });
    });
  });
}

bool SaveKousui() {
  return RunWriter(kKousui, [](LineSink& out) {
    WriteMonthLines(out, [](std::string& b, int y, int m, int d) { b += rt::NumText(Kousui(y, m, d)); });
  });
}

bool LoadOndo() {
  return RunReader(kOndo, nullptr, nullptr, [](FileReading& f) {
    auto key = [](std::string_view line) {
      int kind = KeyNumber(line, 1, 1), year = KeyNumber(line, 3, 4), month = KeyNumber(line, 8, 2);
      CheckYearMonth(year, month);
      if (kind < 0 || kind > 1) throw rt::RuntimeError(rt::kErrSubscript);
      return static_cast<size_t>(((year - kFirstYear) * 12 + (month - 1)) * 2 + kind);
    };
    ReadMonthLines(f, 2, key, [] { Ondo.Fill(0.0f); }, [](std::string_view line, int y, int m, int k) {
      ScanMonth(line, 11, y, m, [&](int d, std::string_view v) { Ondo(y, m, d, k) = ToSingle(rt::Val(v)); });
    });
  });
}

bool SaveOndo() {
  return RunWriter(kOndo, [](LineSink& out) {
    std::string high, low;
    for (int y = kFirstYear; y <= kLastYear; ++y)
      for (int m = 1; m <= 12; ++m) {
        std::string key = MonthKey(y, m);
        high = "1," + key;
        low = "0," + key;
        for (int d = 1, n = DaysInMonth(y, m); d <= n; ++d) {
          high += ',';
          high += rt::NumText(Ondo(y, m, d, 1));
          low += ',';
          low += rt::NumText(Ondo(y, m, d, 0));
          StepProgress();
        }
        out.Line(high);
        out.Line(low);
      }
  });
}

bool LoadTenki() {
  auto missing = [] {
    for (int y = kFirstYear; y <= kLastYear; ++y)
      for (int m = 1; m <= 12; ++m)
        for (int d = 1, n = DaysInMonth(y, m); d <= n; ++d) Tenki(y, m, d) = kDefaultCode;
  };
  return RunReader(kTenki, missing, nullptr, [](FileReading& f) {
    ReadMonthLines(f, 1, YearMonthKey, [] { Tenki.Fill(""); }, [](std::string_view line, int y, int m, int) {
      ScanMonth(line, 9, y, m, [&](int d, std::string_view v) { Tenki(y, m, d).assign(v); });
    });
  });
}

bool SaveTenki() {
  return RunWriter(kTenki, [](LineSink& out) {
    WriteMonthLines(out, [](std::string& b, int y, int m, int d) {
      const std::string& code = Tenki(y, m, d);
      b += SavedWeatherCode(code);
    });
  });
}
