#pragma once
// The record store: process-wide tables that hold every record from start-up
// to exit. Windows edit slots in place; the file routines fill and write them.
//
// Per-day tables are dense over 1999..2030 x 1..12 x 1..31, whether or not a
// day exists; any index outside raises run-time error 9.
#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "runtime/RuntimeError.h"

constexpr int kFirstYear = 1999;
// The fuzz build narrows the years (a common year, a leap year and the
// boundaries between them are enough to reach every branch) so that a run
// writes three years instead of 32 and the fuzzer goes deep; every other
// build keeps 2030.
#ifndef VORN_LAST_YEAR
#define VORN_LAST_YEAR 2030
#endif
constexpr int kLastYear = VORN_LAST_YEAR;
static_assert(kLastYear >= 2001, "the years must hold a leap year and the year after it");
constexpr int kYears = kLastYear - kFirstYear + 1;
constexpr int kDaySlots = kYears * 12 * 31;  // 11,904

// Days of a month: 31 or 30; February 29 when year mod 4 = 0, else 28 (no
// century rule: inside 1999..2030 this agrees with the calendar). 0 for a
// month outside 1..12.
int16_t DaysInMonth(int year, int month);

// Day number n of a year (1 = 1 January) as "year/month/day" without leading
// zeros; 0 or less gives 1 January, beyond the year 31 December.
std::string DayOfYearToDate(int year, int n);

// Day number of a date in its year (January 1 is 1), and back. A number
// outside the year is clamped to its first or last day, as DayOfYearToDate
// does.
int DayOfYear(int year, int month, int day);
struct MonthDay {
  int Month = 0;
  int Day = 0;
  bool operator==(const MonthDay&) const = default;
};
MonthDay DateOfDayOfYear(int year, int n);
// Days in a year: 366 when year mod 4 = 0, as DaysInMonth counts February.
int DaysInYear(int year);

inline int DaySlot(int year, int month, int day) {
  if (year < kFirstYear || year > kLastYear || month < 1 || month > 12 || day < 1 || day > 31)
    throw rt::RuntimeError(rt::kErrSubscript);
  return ((year - kFirstYear) * 12 + (month - 1)) * 31 + (day - 1);
}

// A per-day table. Its slots are allocated on the first write access, so the
// empty tables of unused list entries (and of entries a reader grows and
// shrinks again) cost almost nothing; reading through a const reference never
// allocates.
template <class T>
class DayTable {
 public:
  T& operator()(int year, int month, int day) {
    int i = DaySlot(year, month, day);
    if (slots_.empty()) slots_.resize(kDaySlots);
    return slots_[static_cast<size_t>(i)];
  }
  const T& operator()(int year, int month, int day) const {
    int i = DaySlot(year, month, day);
    return slots_.empty() ? Empty() : slots_[static_cast<size_t>(i)];
  }
  void Fill(const T& v) {
    if (v == T{})
      slots_.clear();
    else
      slots_.assign(kDaySlots, v);
  }
  bool IsEmpty() const {
    return std::all_of(slots_.begin(), slots_.end(), [](const T& v) { return v == T{}; });
  }
  bool operator==(const DayTable& o) const {
    if (slots_.empty() || o.slots_.empty()) return IsEmpty() && o.IsEmpty();
    return slots_ == o.slots_;
  }

 private:
  static const T& Empty() {
    static const T empty{};
    return empty;
  }
  std::vector<T> slots_;
};

// The text tables (weather codes, diary, and per crop its comments and
// pictures) mostly hold empty days: a crop has a comment every few days at
// most. A day's text takes room only once the day has been written; the
// per-day index (0: never written) comes with the first of them. References
// to a day's text stay valid while the table lives.
template <>
class DayTable<std::string> {
 public:
  DayTable() = default;
  DayTable(const DayTable& o) : t_(o.t_ ? std::make_unique<Texts>(*o.t_) : nullptr) {}
  DayTable(DayTable&&) noexcept = default;
  DayTable& operator=(const DayTable& o) {
    DayTable copy(o);
    t_.swap(copy.t_);
    return *this;
  }
  DayTable& operator=(DayTable&&) noexcept = default;

  std::string& operator()(int year, int month, int day) {
    const auto i = static_cast<size_t>(DaySlot(year, month, day));
    if (!t_) t_ = std::make_unique<Texts>();
    uint16_t& at = t_->index[i];
    if (at == 0) {
      t_->texts.emplace_back();
      at = static_cast<uint16_t>(t_->texts.size());
    }
    return t_->texts[at - 1u];
  }
  const std::string& operator()(int year, int month, int day) const { return At(DaySlot(year, month, day)); }
  void Fill(const std::string& v) {
    t_.reset();
    if (v.empty()) return;
    t_ = std::make_unique<Texts>();
    t_->texts.assign(kDaySlots, v);
    for (size_t i = 0; i < t_->index.size(); ++i) t_->index[i] = static_cast<uint16_t>(i + 1);
  }
  bool IsEmpty() const {
    return !t_ || std::ranges::all_of(t_->texts, [](const std::string& v) { return v.empty(); });
  }
  // By contents: a day written empty equals a day never written.
  bool operator==(const DayTable& o) const {
    if (!t_ || !o.t_) return IsEmpty() && o.IsEmpty();
    for (int i = 0; i < kDaySlots; ++i)
      if (At(i) != o.At(i)) return false;
    return true;
  }

 private:
  static_assert(kDaySlots < 65536, "a day's index must fit 16 bits");
  struct Texts {
    // Room for a text on every day from the start, so that no text ever
    // moves; the pages of room that no day uses are never touched.
    Texts() { texts.reserve(kDaySlots); }
    Texts(const Texts& o) : index(o.index) {
      texts.reserve(kDaySlots);
      texts.insert(texts.end(), o.texts.begin(), o.texts.end());
    }
    std::array<uint16_t, kDaySlots> index{};
    std::vector<std::string> texts;
  };
  const std::string& At(int i) const {
    static const std::string empty;
    const uint16_t at = t_ ? t_->index[static_cast<size_t>(i)] : 0;
    return at == 0 ? empty : t_->texts[at - 1u];
  }
  std::unique_ptr<Texts> t_;
};

// A fixed array with VB-style bounds Lo..Hi; an index outside raises 9.
template <class T, int Lo, int Hi>
class FixedArray {
 public:
  T& operator()(int i) { return a_[Index(i)]; }
  const T& operator()(int i) const { return a_[Index(i)]; }
  static constexpr int LBound() { return Lo; }
  static constexpr int UBound() { return Hi; }
  bool operator==(const FixedArray&) const = default;

 private:
  static size_t Index(int i) {
    if (i < Lo || i > Hi) throw rt::RuntimeError(rt::kErrSubscript);
    return static_cast<size_t>(i - Lo);
  }
  std::array<T, Hi - Lo + 1> a_{};
};

// Each list a user or a file can grow (produce, observed crops, works,
// places) holds at most this many entries: a damaged index such as 32767
// would otherwise make a reader allocate gigabytes of empty day tables, and
// the name list editor refuses to add beyond it.
constexpr int kListLimit = 500;

// A growable array 0..UBound (never empty); an index outside raises 9.
template <class T>
class VarArray {
 public:
  VarArray() : a_(1) {}
  T& operator()(int i) { return a_[Index(i)]; }
  const T& operator()(int i) const { return a_[Index(i)]; }
  int UBound() const { return static_cast<int>(a_.size()) - 1; }
  // New upper bound, keeping the contents of the entries that remain.
  void RedimPreserve(int ubound) {
    if (ubound < 0) throw rt::RuntimeError(rt::kErrSubscript);
    // Large records (a work's schedule is over 2 KB) get room for a whole
    // list at once: a reader grows the list one entry at a time, and each
    // move to a bigger block would copy every record so far. Room never
    // written costs only address space.
    if constexpr (sizeof(T) >= 1024)
      if (ubound <= kListLimit && a_.capacity() < kListLimit + 1) a_.reserve(kListLimit + 1);
    a_.resize(static_cast<size_t>(ubound) + 1);
  }
  // Back to the single empty entry 0.
  void Reset() {
    a_.clear();
    a_.resize(1);
  }
  bool operator==(const VarArray&) const = default;

 private:
  size_t Index(int i) const {
    if (i < 0 || i > UBound()) throw rt::RuntimeError(rt::kErrSubscript);
    return static_cast<size_t>(i);
  }
  std::vector<T> a_;
};

// --- Weather and diary -----------------------------------------------------

class OndoTable {
 public:
  // kind 0 = the day's low, 1 = the day's high.
  float& operator()(int year, int month, int day, int kind) { return t_[Kind(kind)](year, month, day); }
  const float& operator()(int year, int month, int day, int kind) const {
    return t_[Kind(kind)](year, month, day);
  }
  void Fill(float v) {
    t_[0].Fill(v);
    t_[1].Fill(v);
  }

 private:
  static size_t Kind(int k) {
    if (k < 0 || k > 1) throw rt::RuntimeError(rt::kErrSubscript);
    return static_cast<size_t>(k);
  }
  DayTable<float> t_[2];
};

extern OndoTable Ondo;
extern DayTable<float> Kousui;
extern DayTable<std::string> Tenki;  // "038" is a day's default weather code

// A day's weather code as the file holds it once saved: an empty code is
// written as the default "038", so that is what every window shows for it.
const std::string& SavedWeatherCode(const std::string& code);
extern DayTable<std::string> Nikki;  // line breaks held as CR LF

// --- Market prices ---------------------------------------------------------

struct PriceItemRec {
  std::string Name;
  int32_t Max = 0;
  int32_t Min = 0;
  bool operator==(const PriceItemRec&) const = default;
};

extern VarArray<PriceItemRec> PriceItem;
extern VarArray<DayTable<int32_t>> PriceHigh;
extern VarArray<DayTable<int32_t>> PriceMid;
extern VarArray<DayTable<int32_t>> PriceLow;

// Grows or shrinks the four price arrays together, keeping contents.
void RedimPrice(int ubound);
// The four price arrays back to the single empty entry 0.
void ResetPrice();

// --- Materials -------------------------------------------------------------

constexpr int kMaterials = 300;
constexpr int kTransactions = 1000;

struct MaterialRec {
  std::string Name;  // "" marks an unused record
  int32_t Price = 0;
  int32_t Volume = 0;
  std::string Unit;
  FixedArray<int32_t, 1, kTransactions> Date;  // yyyymmdd; 0 marks unused
  FixedArray<int32_t, 1, kTransactions> Mode;  // 0 buy, 1 use
  FixedArray<int32_t, 1, kTransactions> OrVolNum;
  FixedArray<int32_t, 1, kTransactions> RemainVol;
  bool operator==(const MaterialRec&) const = default;
};

// The 300 records take 4.8 MB. They are made on first use, so that a start
// or a tool run that never reads materials never touches that memory (made
// with the program, zeroing it cost a start without any data 2 ms).
class MaterialTable {
 public:
  MaterialTable() = default;
  MaterialTable(const MaterialTable&) = delete;  // a copy is of All()
  MaterialTable& operator=(const MaterialTable&) = delete;
  const FixedArray<MaterialRec, 1, kMaterials>& All() const { return Records(); }
  MaterialRec& operator()(int k) { return Records()(k); }
  const MaterialRec& operator()(int k) const { return Records()(k); }
  static constexpr int LBound() { return 1; }
  static constexpr int UBound() { return kMaterials; }

 private:
  static FixedArray<MaterialRec, 1, kMaterials>& Records() {
    static FixedArray<MaterialRec, 1, kMaterials> records;
    return records;
  }
};

extern MaterialTable Material;

// Every material record back to empty.
void ClearMaterials();

// --- Crop observations -----------------------------------------------------

struct ObserveItemRec {
  std::string Name;
  DayTable<std::string> Comment;  // line breaks held as CR LF
  bool operator==(const ObserveItemRec&) const = default;
};

extern VarArray<ObserveItemRec> ObserveItem;
extern VarArray<DayTable<std::string>> ObserveFile;  // picture path per day

// --- Work schedule ---------------------------------------------------------

struct SchedulePeriodRec {
  int16_t Start = 0;  // month * 100 + day; 0 marks an unused entry
  int16_t End = 0;
  uint8_t Place = 0;  // index into FarmName
  bool operator==(const SchedulePeriodRec&) const = default;
};

// The periods of a work in one year, entries 0..365. A work is done a few
// times a year: the first entries are held in place, the rest are allocated
// on the first write access beyond them, so a work costs about 2 KB instead
// of 70 KB. Reading never allocates; an index outside raises 9.
class YearPeriods {
 public:
  SchedulePeriodRec& operator()(int i) {
    const size_t n = Index(i);
    if (n < kHeld) return held_[n];
    if (rest_.empty()) rest_.resize(kEntries - kHeld);
    return rest_[n - kHeld];
  }
  const SchedulePeriodRec& operator()(int i) const {
    static const SchedulePeriodRec empty{};
    const size_t n = Index(i);
    if (n < kHeld) return held_[n];
    return rest_.empty() ? empty : rest_[n - kHeld];
  }
  static constexpr int LBound() { return 0; }
  static constexpr int UBound() { return kEntries - 1; }
  // By contents: entries allocated but unused equal entries never allocated.
  bool operator==(const YearPeriods& o) const {
    for (int i = LBound(); i <= UBound(); ++i)
      if (!((*this)(i) == o(i))) return false;
    return true;
  }

 private:
  static constexpr int kEntries = 366;
  static constexpr size_t kHeld = 8;
  static size_t Index(int i) {
    if (i < 0 || i >= kEntries) throw rt::RuntimeError(rt::kErrSubscript);
    return static_cast<size_t>(i);
  }
  std::array<SchedulePeriodRec, kHeld> held_{};
  std::vector<SchedulePeriodRec> rest_;  // empty or entries kHeld..365
};

struct ScheduleRec {
  std::string Work;
  // Periods of year y are SchedulePeriod(y)(0..365).
  FixedArray<YearPeriods, kFirstYear, kLastYear> SchedulePeriod;
  bool operator==(const ScheduleRec&) const = default;
};

extern VarArray<ScheduleRec> Schedule;
extern VarArray<std::string> FarmName;

// --- Flags and shared globals ----------------------------------------------

// The records saved together, each with a flag for edits not saved yet: set
// by the writers below when a stored value really changes, cleared by a
// successful save. While the material flag is set the ledger keeps its table
// instead of reading the file again when it is opened anew.
enum class RecordKind { Weather, Diary, Price, Schedule, Observe, Material };
bool Changed(RecordKind kind);
void MarkChanged(RecordKind kind);
void ClearChanged(RecordKind kind);
bool AnyChangeFlag();
void ClearChangeFlags();

// Each writer stores its value and returns true, the kind marked changed, only
// when it differs from the stored one (for weather codes, "" and "038" agree).
bool StoreWeatherCode(int year, int month, int day, const std::string& code);
bool StoreTemperature(int year, int month, int day, int kind, float value);
bool StoreRainfall(int year, int month, int day, float value);
bool StoreDiaryText(int year, int month, int day, const std::string& text);
// One of PriceHigh, PriceMid, PriceLow.
bool StorePrice(VarArray<DayTable<int32_t>>& table, int item, int year, int month, int day, int32_t value);
bool StorePriceItem(int item, const PriceItemRec& rec);
// A new produce after the last one; its number.
int AddPriceItem(const PriceItemRec& rec);
bool StoreMaterial(int m, const MaterialRec& rec);
bool StoreObserveComment(int item, int year, int month, int day, const std::string& text);
bool StoreObservePicture(int item, int year, int month, int day, const std::string& path);
// A schedule period: entries not in use (Start 0) are no record of the file.
bool StorePeriod(int work, int year, int entry, const SchedulePeriodRec& period);

// Listeners of the windows, told after the data files were read again (each
// function once however often it is added).
void OnReloaded(void (*listener)());
void NotifyReloaded();

extern std::string DataPath;  // ends with "/"
extern int16_t Busy;          // 1 while code fills controls

extern int32_t ProgressTotal;
extern int32_t ProgressCount;
extern std::string ProgressCaption;

extern int16_t CurYear, CurMonth, CurDay;

struct YearMonthDay {
  int16_t Year = 0;
  int16_t Month = 0;
  int16_t Day = 0;
  bool operator==(const YearMonthDay&) const = default;
};
extern YearMonthDay PeriodFrom;
extern YearMonthDay PeriodTo;

// Makes a date the shared current date of the daily windows.
inline void SetCurrentDate(const YearMonthDay& d) {
  CurYear = d.Year;
  CurMonth = d.Month;
  CurDay = d.Day;
}
inline YearMonthDay CurrentDate() { return {CurYear, CurMonth, CurDay}; }

// Called once per day value the weather and diary files handle, after
// ProgressCount has grown. The store's own is a no-op; the windows install one
// that lets pending events run (it must stay cheap).
using YieldHookFn = void (*)();
extern YieldHookFn YieldHook;

inline void StepProgress() {
  // Only the file sequences start the count again; the windows' own saves
  // and loads keep counting, so it stops at its limit instead of overflowing.
  if (ProgressCount < INT32_MAX) ++ProgressCount;
  if (YieldHook) YieldHook();
}

// Every table and global back to its start-of-process state (for tests and
// the command-line tool).
void ResetStore();
