#include "store/PriceFile.h"

#include <string>
#include <string_view>

#include "runtime/Convert.h"
#include "runtime/Cp932.h"
#include "runtime/RuntimeError.h"
#include "store/DataFile.h"
#include "store/FileText.h"
#include "store/Store.h"

using namespace filetext;

namespace {

constexpr const char* kPrice = "price.dat";

PriceItemRec& ItemAt(int item) { return PriceItem(item); }

DayTable<int32_t>& TableOf(char kind, int item) {
  switch (kind) {
    case 'H': return PriceHigh(item);
    case 'M': return PriceMid(item);
    default: return PriceLow(item);
  }
}

// "H,yyyy/mm," then one value per day. Values before a comma must be
// numbers; the scan stops after the month's last day, and what follows the
// last comma is stored only when it is a number (so a trailing comma adds
// nothing).
void ApplyPriceLine(std::string_view line, int item) {
  DayTable<int32_t>& table = TableOf(line[0], item);
  int year = rt::CInt(rt::Mid(line, 3, 4));
  int month = rt::CInt(rt::Mid(line, 8, 2));
  if (year < kFirstYear || year > kLastYear || month < 1 || month > 12) throw rt::RuntimeError(rt::kErrSubscript);
  std::string_view data = rt::Mid(line, 11);
  int days = DaysInMonth(year, month);
  // A month's days lie side by side in the table.
  int32_t* month1 = &table(year, month, 1);
  int day = 1;
  size_t start = 0;
  bool full = false;
  for (size_t i = 0; i < data.size(); ++i) {
    if (data[i] != ',') continue;
    month1[day - 1] = rt::CLng(data.substr(start, i - start));
    start = i + 1;
    if (++day > days) {
      day = days;
      full = true;
      break;
    }
  }
  if (full) return;
  std::string_view rest = data.substr(start);
  if (IsNumeric(rest)) month1[day - 1] = rt::CLng(rest);
}

void AppendPriceLine(std::string& b, char kind, int y, int m, const DayTable<int32_t>& t) {
  b += kind;
  b += ',';
  AppendInt(b, y);
  b += '/';
  Append2(b, m);
  for (int d = 1, n = DaysInMonth(y, m); d <= n; ++d) {
    b += ',';
    AppendInt(b, t(y, m, d));
  }
  b += "\r\n";
}

}  // namespace

bool LoadPrice() {
  auto missing = [] {
    ResetPrice();
    PriceItem(0).Max = 1000;
    PriceItem(0).Name.clear();
  };
  // Items, names and prices are the file's alone; days it does not mention
  // are 0 and Min is 0 unless the file gives one.
  return RunReader(kPrice, missing, ResetPrice, [](FileReading& f) {
    std::string_view line;
    int item = -1;  // none until the first "#Start"
    bool anyItem = false;
    while (f.NextLine(line)) {
      if (line.size() < 2) continue;
      char a = line[0], b = line[1];
      if (a == '#' && b == 'S') {
        int16_t index = rt::CInt(rt::Mid(line, 7));
        if (index < 0 || index >= MaxListEntries) throw rt::RuntimeError(rt::kErrSubscript);
        RedimPrice(index);
        item = index;
        anyItem = true;
      } else if (a == '#' && b == 'E') {
        item = -1;
      } else if (a == 'N' && b == 'a') {
        ItemAt(item).Name.assign(rt::Mid(line, 6));
      } else if (a == 'M' && b == 'a') {
        PriceItemRec& rec = ItemAt(item);
        rec.Max = rt::CInt(rt::Mid(line, 5));
      } else if (a == 'M' && b == 'i') {
        PriceItemRec& rec = ItemAt(item);
        rec.Min = rt::CLng(rt::Mid(line, 5));
      } else if ((a == 'H' || a == 'M' || a == 'L') && b == ',') {
        ApplyPriceLine(line, item);
      }
    }
    if (!anyItem) {
      ResetPrice();
      PriceItem(0).Name.clear();
    }
  });
}

// One block per item 0..n: "#Start"i, "Name=", "Max=", three lines per month
// (high, middle, low), "#End". Min is never written.
bool SavePrice() {
  return RunWriter(kPrice, [](LineSink& out) {
    std::string& b = out.Buffer();
    for (int i = 0; i <= PriceItem.UBound(); ++i) {
      const PriceItemRec& rec = PriceItem(i);
      b += "#Start";
      AppendInt(b, i);
      b += "\r\nName=";
      AppendOneLine(b, rec.Name);
      b += "\r\nMax=";
      AppendInt(b, rec.Max);
      b += "\r\n";
      const DayTable<int32_t>& high = PriceHigh(i);
      const DayTable<int32_t>& mid = PriceMid(i);
      const DayTable<int32_t>& low = PriceLow(i);
      for (int y = kFirstYear; y <= kLastYear; ++y)
        for (int m = 1; m <= 12; ++m) {
          AppendPriceLine(b, 'H', y, m, high);
          AppendPriceLine(b, 'M', y, m, mid);
          AppendPriceLine(b, 'L', y, m, low);
          out.Spill();
        }
      b += "#End\r\n";
    }
  });
}
