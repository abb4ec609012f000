#include "store/NameLists.h"

#include <algorithm>
#include <utility>

#include "runtime/RuntimeError.h"
#include "store/Store.h"

namespace {

constexpr int kPlaceLimit = 256;  // SchedulePeriodRec::Place is one byte
constexpr int kWorkLimit = 201;   // the rows the schedule chart can point at
constexpr int32_t kNewProduceMax = 1000;

// Where each row's records come from. The first row of an origin takes the
// entry's records over (a move); a further row of the same origin (only
// callers other than the editor make one) gets a copy.
struct Plan {
  std::vector<int> source;  // store index, -1 for a new row
  std::vector<bool> moves;
  std::vector<std::string> names;
  int Rows() const { return static_cast<int>(source.size()); }
};

// An origin beyond the list is error 9, raised before anything is built.
Plan MakePlan(const std::vector<NameListRow>& rows, int ubound) {
  if (rows.empty()) throw rt::RuntimeError(rt::kErrSubscript);
  Plan p;
  std::vector<bool> taken(static_cast<size_t>(ubound) + 1);
  for (const NameListRow& r : rows) {
    if (r.Origin > ubound) throw rt::RuntimeError(rt::kErrSubscript);
    const int s = r.Origin < 0 ? -1 : r.Origin;
    const bool first = s >= 0 && !taken[static_cast<size_t>(s)];
    if (first) taken[static_cast<size_t>(s)] = true;
    p.source.push_back(s);
    p.moves.push_back(first);
    p.names.push_back(r.Text);
  }
  return p;
}

// The rebuild of one array in two steps. The constructor does everything
// that can fail (allocating the new array, copying the records of repeated
// origins) and only reads the store; Commit moves the records over and puts
// the new array in place, which cannot fail, so a list's arrays are all
// prepared before the first of them is committed. The arrays of a list are grown
// together, but should a day table array ever be shorter than its names,
// the entries it lacks have no records.
template <class T>
class Rebuild {
 public:
  Rebuild(VarArray<T>& store, const Plan& plan) : store_(store), plan_(plan) {
    next_.RedimPreserve(plan.Rows() - 1);
    for (int i = 0; i < plan.Rows(); ++i)
      if (Has(i) && !plan.moves[static_cast<size_t>(i)]) next_(i) = store(plan.source[static_cast<size_t>(i)]);
  }
  // Entry i of the new array before Commit (new rows are empty).
  T& operator()(int i) { return next_(i); }
  // Moves the records, then lets finish(entry, i) complete each entry.
  template <class Finish>
  void Commit(Finish&& finish) noexcept {
    for (int i = 0; i < plan_.Rows(); ++i) {
      if (Has(i) && plan_.moves[static_cast<size_t>(i)])
        next_(i) = std::move(store_(plan_.source[static_cast<size_t>(i)]));
      finish(next_(i), i);
    }
    store_ = std::move(next_);
  }
  void Commit() noexcept {
    Commit([](T&, int) {});
  }

 private:
  bool Has(int i) const {
    const int s = plan_.source[static_cast<size_t>(i)];
    return s >= 0 && s <= store_.UBound();
  }
  VarArray<T>& store_;
  const Plan& plan_;
  VarArray<T> next_;
};

// Calls f(work, year, entry, period) for every period entry of every work
// and year. It only reads, so the entries a work never used stay
// unallocated unless f writes them.
template <class F>
void ForEachPeriod(F&& f) {
  for (int w = 0; w <= Schedule.UBound(); ++w)
    for (int y = kFirstYear; y <= kLastYear; ++y) {
      const YearPeriods& periods = std::as_const(Schedule)(w).SchedulePeriod(y);
      for (int n = YearPeriods::LBound(); n <= YearPeriods::UBound(); ++n) f(w, y, n, periods(n));
    }
}

// The new number of every place of the list as it was (-1: dropped). A used
// place that no row keeps raises 5 before anything changes.
std::vector<int> PlaceMoves(const Plan& p, int ubound) {
  std::vector<int> moves(static_cast<size_t>(ubound) + 1, -1);
  for (int i = 0; i < p.Rows(); ++i) {
    const int s = p.source[static_cast<size_t>(i)];
    if (s >= 0 && p.moves[static_cast<size_t>(i)]) moves[static_cast<size_t>(s)] = i;
  }
  for (size_t s = 0; s < moves.size(); ++s)
    if (moves[s] < 0 && PlaceUseCount(static_cast<int>(s)) > 0) throw rt::RuntimeError(rt::kErrInvalidCall);
  return moves;
}

// Whether the rows are the list as it is: every entry in its own place under
// its own name, none added or dropped.
bool SameList(NameList list, const std::vector<NameListRow>& rows) {
  const std::vector<std::string> names = ListNames(list);
  if (rows.size() != names.size()) return false;
  for (size_t i = 0; i < rows.size(); ++i)
    if (rows[i].Origin != static_cast<int>(i) || rows[i].Text != names[i]) return false;
  return true;
}

}  // namespace

int PlaceUseCount(int place) {
  int count = 0;
  ForEachPeriod([&](int, int, int, const SchedulePeriodRec& r) { count += r.Start != 0 && r.Place == place ? 1 : 0; });
  return count;
}

std::vector<std::string> ListNames(NameList list) {
  std::vector<std::string> names;
  switch (list) {
    case NameList::Produce:
      for (int i = 0; i <= PriceItem.UBound(); ++i) names.push_back(PriceItem(i).Name);
      break;
    case NameList::Place:
      for (int i = 0; i <= FarmName.UBound(); ++i) names.push_back(FarmName(i));
      break;
    case NameList::Work:
      for (int i = 0; i <= Schedule.UBound(); ++i) names.push_back(Schedule(i).Work);
      break;
    case NameList::Observe:
      for (int i = 0; i <= ObserveItem.UBound(); ++i) names.push_back(ObserveItem(i).Name);
      break;
  }
  return names;
}

int NameListLimit(NameList list) {
  if (list == NameList::Place) return kPlaceLimit;
  return list == NameList::Work ? kWorkLimit : kListLimit;
}

bool RebuildNameList(NameList list, const std::vector<NameListRow>& rows) {
  if (SameList(list, rows)) return false;
  switch (list) {
    case NameList::Produce: {
      Plan p = MakePlan(rows, PriceItem.UBound());
      Rebuild<PriceItemRec> item(PriceItem, p);
      for (int i = 0; i < p.Rows(); ++i)
        if (p.source[static_cast<size_t>(i)] < 0) item(i).Max = kNewProduceMax;
      Rebuild<DayTable<int32_t>> high(PriceHigh, p), mid(PriceMid, p), low(PriceLow, p);
      item.Commit([&](PriceItemRec& rec, int i) noexcept { rec.Name.swap(p.names[static_cast<size_t>(i)]); });
      high.Commit();
      mid.Commit();
      low.Commit();
      MarkChanged(RecordKind::Price);
      break;
    }
    case NameList::Place: {
      // A place is its name; the periods refer to it by its number.
      Plan p = MakePlan(rows, FarmName.UBound());
      const std::vector<int> moves = PlaceMoves(p, FarmName.UBound());
      VarArray<std::string> names;
      names.RedimPreserve(p.Rows() - 1);
      for (int i = 0; i < p.Rows(); ++i) names(i).swap(p.names[static_cast<size_t>(i)]);
      FarmName = std::move(names);
      ForEachPeriod([&](int w, int y, int n, const SchedulePeriodRec& r) {
        if (r.Place >= moves.size()) return;
        const auto place = static_cast<uint8_t>(std::max(moves[r.Place], 0));
        if (place != r.Place) Schedule(w).SchedulePeriod(y)(n).Place = place;
      });
      MarkChanged(RecordKind::Schedule);
      break;
    }
    case NameList::Work: {
      Plan p = MakePlan(rows, Schedule.UBound());
      Rebuild<ScheduleRec> work(Schedule, p);
      work.Commit([&](ScheduleRec& rec, int i) noexcept { rec.Work.swap(p.names[static_cast<size_t>(i)]); });
      MarkChanged(RecordKind::Schedule);
      break;
    }
    case NameList::Observe: {
      Plan p = MakePlan(rows, ObserveItem.UBound());
      Rebuild<ObserveItemRec> item(ObserveItem, p);
      Rebuild<DayTable<std::string>> file(ObserveFile, p);
      item.Commit([&](ObserveItemRec& rec, int i) noexcept { rec.Name.swap(p.names[static_cast<size_t>(i)]); });
      file.Commit();
      MarkChanged(RecordKind::Observe);
      break;
    }
  }
  return true;
}

namespace {
std::array<std::function<void()>, 4> rebuiltListeners;
}  // namespace

void OnListRebuilt(NameList list, std::function<void()> listener) {
  rebuiltListeners.at(static_cast<size_t>(list)) = std::move(listener);
}
void NotifyListRebuilt(NameList list) {
  if (const auto& listener = rebuiltListeners.at(static_cast<size_t>(list))) listener();
}
