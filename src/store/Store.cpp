#include "store/Store.h"

#include <string>

OndoTable Ondo;
DayTable<float> Kousui;
DayTable<std::string> Tenki;

const std::string& SavedWeatherCode(const std::string& code) {
  static const std::string kDefault = "038";
  return code.empty() ? kDefault : code;
}
DayTable<std::string> Nikki;

VarArray<PriceItemRec> PriceItem;
VarArray<DayTable<int32_t>> PriceHigh;
VarArray<DayTable<int32_t>> PriceMid;
VarArray<DayTable<int32_t>> PriceLow;

FixedArray<MaterialRec, 1, kMaterials> Material;

VarArray<ObserveItemRec> ObserveItem;
VarArray<DayTable<std::string>> ObserveFile;

VarArray<ScheduleRec> Schedule;
VarArray<std::string> FarmName;

int16_t WeatherChanged = 0;
int16_t DiaryChanged = 0;
int16_t PriceChanged = 0;
int16_t ScheduleChanged = 0;
int16_t ObserveChanged = 0;
int16_t MaterialChanged = 0;

std::string DataPath;
int16_t Busy = 0;
int32_t ProgressTotal = 0;
int32_t ProgressCount = 0;
std::string ProgressCaption;
int16_t CurYear = 0, CurMonth = 0, CurDay = 0;
YearMonthDay PeriodFrom;
YearMonthDay PeriodTo;
YieldHookFn YieldHook = nullptr;

int16_t DaysInMonth(int year, int month) {
  switch (month) {
    case 1: case 3: case 5: case 7: case 8: case 10: case 12: return 31;
    case 4: case 6: case 9: case 11: return 30;
    case 2: return year % 4 == 0 ? 29 : 28;
    default: return 0;
  }
}

std::string DayOfYearToDate(int year, int n) {
  MonthDay md = DateOfDayOfYear(year, n);
  return std::to_string(year) + "/" + std::to_string(md.Month) + "/" + std::to_string(md.Day);
}

int DaysInYear(int year) { return year % 4 == 0 ? 366 : 365; }

int DayOfYear(int year, int month, int day) {
  int n = day;
  for (int m = 1; m < month; ++m) n += DaysInMonth(year, m);
  return n;
}

MonthDay DateOfDayOfYear(int year, int n) {
  int month = 1;
  if (n < 1) n = 1;
  while (month < 12 && n > DaysInMonth(year, month)) {
    n -= DaysInMonth(year, month);
    ++month;
  }
  if (n > DaysInMonth(year, month)) n = DaysInMonth(year, month);
  return {month, n};
}

void RedimPrice(int ubound) {
  PriceItem.RedimPreserve(ubound);
  PriceHigh.RedimPreserve(ubound);
  PriceMid.RedimPreserve(ubound);
  PriceLow.RedimPreserve(ubound);
}

void ResetPrice() {
  PriceItem.Reset();
  PriceHigh.Reset();
  PriceMid.Reset();
  PriceLow.Reset();
}

void ClearMaterials() {
  // Comparing first: clearing all 300 records (16 KB each) every time costs
  // more than reading the few that are in use.
  static const MaterialRec empty{};
  for (int k = 1; k <= kMaterials; ++k)
    if (!(Material(k) == empty)) Material(k) = MaterialRec{};
}

void ResetStore() {
  Ondo.Fill(0.0f);
  Kousui.Fill(0.0f);
  Tenki.Fill("");
  Nikki.Fill("");
  ResetPrice();
  ClearMaterials();
  ObserveItem.Reset();
  ObserveFile.Reset();
  Schedule.Reset();
  FarmName.Reset();
  WeatherChanged = DiaryChanged = PriceChanged = ScheduleChanged = 0;
  ObserveChanged = 0;
  MaterialChanged = 0;
  DataPath.clear();
  Busy = 0;
  ProgressTotal = ProgressCount = 0;
  ProgressCaption.clear();
  CurYear = CurMonth = CurDay = 0;
  PeriodFrom = PeriodTo = YearMonthDay{};
  YieldHook = nullptr;
}
