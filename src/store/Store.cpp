#include "store/Store.h"

#include <string>
#include <utility>
#include <vector>

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

MaterialTable Material;

VarArray<ObserveItemRec> ObserveItem;
VarArray<DayTable<std::string>> ObserveFile;

VarArray<ScheduleRec> Schedule;
VarArray<std::string> FarmName;

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
  ClearChangeFlags();
  DataPath.clear();
  Busy = 0;
  ProgressTotal = ProgressCount = 0;
  ProgressCaption.clear();
  CurYear = CurMonth = CurDay = 0;
  PeriodFrom = PeriodTo = YearMonthDay{};
  YieldHook = nullptr;
}

namespace {
std::array<bool, 6> changed{};
std::vector<void (*)()> reloadListeners;

// Stores value at table(at...); the const read first leaves an empty day
// table unallocated while nothing but its empty value is stored.
template <class Table, class T, class... Index>
bool Store(RecordKind kind, Table& table, const T& value, Index... at) {
  if (std::as_const(table)(at...) == value) return false;
  table(at...) = value;
  MarkChanged(kind);
  return true;
}
}  // namespace

bool Changed(RecordKind kind) { return changed.at(static_cast<size_t>(kind)); }
void MarkChanged(RecordKind kind) { changed.at(static_cast<size_t>(kind)) = true; }
void ClearChanged(RecordKind kind) { changed.at(static_cast<size_t>(kind)) = false; }
bool AnyChangeFlag() { return std::ranges::find(changed, true) != changed.end(); }
void ClearChangeFlags() { changed.fill(false); }

bool StoreWeatherCode(int year, int month, int day, const std::string& code) {
  if (SavedWeatherCode(std::as_const(Tenki)(year, month, day)) == SavedWeatherCode(code)) return false;
  return Store(RecordKind::Weather, Tenki, code, year, month, day);
}
bool StoreTemperature(int year, int month, int day, int kind, float value) {
  return Store(RecordKind::Weather, Ondo, value, year, month, day, kind);
}
bool StoreRainfall(int year, int month, int day, float value) {
  return Store(RecordKind::Weather, Kousui, value, year, month, day);
}
bool StoreDiaryText(int year, int month, int day, const std::string& text) {
  return Store(RecordKind::Diary, Nikki, text, year, month, day);
}
bool StorePrice(VarArray<DayTable<int32_t>>& table, int item, int year, int month, int day, int32_t value) {
  return Store(RecordKind::Price, table(item), value, year, month, day);
}
bool StorePriceItem(int item, const PriceItemRec& rec) { return Store(RecordKind::Price, PriceItem, rec, item); }
int AddPriceItem(const PriceItemRec& rec) {
  const int item = PriceItem.UBound() + 1;
  RedimPrice(item);
  PriceItem(item) = rec;
  MarkChanged(RecordKind::Price);
  return item;
}
bool StoreMaterial(int m, const MaterialRec& rec) { return Store(RecordKind::Material, Material, rec, m); }
bool StoreObserveComment(int item, int year, int month, int day, const std::string& text) {
  return Store(RecordKind::Observe, ObserveItem(item).Comment, text, year, month, day);
}
bool StoreObservePicture(int item, int year, int month, int day, const std::string& path) {
  return Store(RecordKind::Observe, ObserveFile(item), path, year, month, day);
}
bool StorePeriod(int work, int year, int entry, const SchedulePeriodRec& period) {
  YearPeriods& periods = Schedule(work).SchedulePeriod(year);
  if (periods(entry).Start != 0 || period.Start != 0) return Store(RecordKind::Schedule, periods, period, entry);
  periods(entry) = period;
  return false;
}

void OnReloaded(void (*listener)()) {
  if (std::ranges::find(reloadListeners, listener) == reloadListeners.end()) reloadListeners.push_back(listener);
}
void NotifyReloaded() { std::ranges::for_each(reloadListeners, [](auto* listener) { listener(); }); }
