// Applying an edited name list: the whole list rebuilt in a new order with
// every record of every entry moved along. The farmer waits for it after
// pressing the apply button, so each has to stay well under 100 ms.
//   30 produce with high, middle and low prices on every day, reversed;
//   200 works with 20 periods in every year, reversed;
//   30 observed crops with a comment and a picture on every day, reversed.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "store/NameLists.h"
#include "store/Store.h"

namespace {

// Rows of the list as it stands, bottom entry first.
std::vector<NameListRow> Reversed(NameList list) {
  std::vector<std::string> names = ListNames(list);
  std::vector<NameListRow> rows;
  for (int i = static_cast<int>(names.size()) - 1; i >= 0; --i) rows.push_back({names[static_cast<size_t>(i)], i});
  return rows;
}

template <class Fill>
void EveryDay(Fill&& fill) {
  for (int y = kFirstYear; y <= kLastYear; ++y)
    for (int m = 1; m <= 12; ++m)
      for (int d = 1; d <= DaysInMonth(y, m); ++d) fill(y, m, d);
}

void BM_ApplyProduce(benchmark::State& state) {
  ResetStore();
  RedimPrice(29);
  for (int k = 0; k < 30; ++k) {
    PriceItem(k) = PriceItemRec{"野菜" + std::to_string(k), 1000, 0};
    EveryDay([&](int y, int m, int d) {
      int v = (y * 37 + m * 11 + d * 7 + k * 13) % 900;
      PriceHigh(k)(y, m, d) = v + 100;
      PriceMid(k)(y, m, d) = v + 50;
      PriceLow(k)(y, m, d) = v;
    });
  }
  for (auto _ : state) RebuildNameList(NameList::Produce, Reversed(NameList::Produce));
  benchmark::DoNotOptimize(PriceHigh(0)(2001, 5, 6));
}
BENCHMARK(BM_ApplyProduce)->Unit(benchmark::kMillisecond);

void BM_ApplyWorks(benchmark::State& state) {
  ResetStore();
  Schedule.RedimPreserve(199);
  for (int w = 0; w < 200; ++w) {
    Schedule(w).Work = "作業" + std::to_string(w);
    for (int y = kFirstYear; y <= kLastYear; ++y)
      for (int e = 0; e < 20; ++e)
        Schedule(w).SchedulePeriod(y)(e) = {int16_t((e % 12 + 1) * 100 + 1), int16_t((e % 12 + 1) * 100 + 20),
                                            uint8_t(e % 5)};
  }
  for (auto _ : state) RebuildNameList(NameList::Work, Reversed(NameList::Work));
  benchmark::DoNotOptimize(Schedule(0).SchedulePeriod(2001)(0));
}
BENCHMARK(BM_ApplyWorks)->Unit(benchmark::kMillisecond);

void BM_ApplyObserve(benchmark::State& state) {
  ResetStore();
  ObserveItem.RedimPreserve(29);
  ObserveFile.RedimPreserve(29);
  for (int k = 0; k < 30; ++k) {
    ObserveItem(k).Name = "作物" + std::to_string(k);
    EveryDay([&](int y, int m, int d) {
      ObserveItem(k).Comment(y, m, d) = "本葉" + std::to_string(d % 9) + "枚、生育良好";
      ObserveFile(k)(y, m, d) = "/home/farm/pictures/" + std::to_string(y) + "/" + std::to_string(m * 100 + d) + ".jpg";
    });
  }
  for (auto _ : state) RebuildNameList(NameList::Observe, Reversed(NameList::Observe));
  benchmark::DoNotOptimize(ObserveFile(0)(2001, 5, 6));
}
BENCHMARK(BM_ApplyObserve)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
