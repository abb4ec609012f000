// Load-all and save-all over a fully populated data set: weather and diary
// text for every day, 30 produce with prices every day, 30 observed crops
// with comments, 50 works with 20 periods a year, 300 materials with 1000
// transactions each.
//   bench_data_files                       runs the benchmarks
//   bench_data_files --write-dataset DIR   writes the data set into DIR (for
//                                          scripts/bench-data-copy.sh)
#include <benchmark/benchmark.h>
#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "store/DataFile.h"
#include "store/FileSequences.h"
#include "store/Store.h"
#include "support/TempDir.h"

#include "DailyRecords.h"

namespace {

const char* const kPhrases[] = {"晴れ。畑を耕した", "朝から雨、ハウスの換気", "トマトの脇芽かき", "なすに追肥（化成）",
                                "霜注意！ 被覆した", "出荷 ３０ケース", "草刈り、水路の掃除", "苗の定植を終えた"};

void Populate() {
  ResetStore();
  PopulateDailyRecords([](int i) {
    return std::string(kPhrases[i % 8]) + "\r\n" + kPhrases[(i / 8) % 8] + "。気温 " + std::to_string(i % 35) + "度";
  });
  RedimPrice(29);
  for (int k = 0; k < 30; ++k) {
    PriceItem(k).Name = "野菜" + std::to_string(k);
    PriceItem(k).Max = 1000;
    for (int y = kFirstYear; y <= kLastYear; ++y)
      for (int m = 1; m <= 12; ++m)
        for (int d = 1; d <= DaysInMonth(y, m); ++d) {
          int v = (y * 37 + m * 11 + d * 7 + k * 13) % 900;
          PriceHigh(k)(y, m, d) = v + 100;
          PriceMid(k)(y, m, d) = v + 50;
          PriceLow(k)(y, m, d) = v;
        }
  }
  ObserveItem.RedimPreserve(29);
  ObserveFile.RedimPreserve(29);
  for (int k = 0; k < 30; ++k) {
    ObserveItem(k).Name = "作物" + std::to_string(k);
    int n = 0;
    for (int y = kFirstYear; y <= kLastYear; ++y)
      for (int m = 1; m <= 12; ++m)
        for (int d = 1; d <= DaysInMonth(y, m); ++d, ++n) {
          ObserveItem(k).Comment(y, m, d) = std::string(kPhrases[(n + k) % 8]) + "\r\n" + kPhrases[n % 8];
          if (n % 7 == 0) ObserveFile(k)(y, m, d) = "/home/farm/写真/" + std::to_string(y) + "/img" + std::to_string(n) + ".jpg";
        }
  }
  FarmName.RedimPreserve(19);
  for (int f = 0; f < 20; ++f) FarmName(f) = "畑" + std::to_string(f);
  Schedule.RedimPreserve(49);
  for (int w = 0; w < 50; ++w) {
    Schedule(w).Work = "作業" + std::to_string(w);
    for (int y = kFirstYear; y <= kLastYear; ++y)
      for (int e = 0; e < 20; ++e) {
        int month = e * 12 / 20 + 1;
        Schedule(w).SchedulePeriod(y)(e) = {static_cast<int16_t>(month * 100 + 1), static_cast<int16_t>(month * 100 + 15),
                                            static_cast<uint8_t>((w + e) % 20)};
      }
  }
  for (int k = 1; k <= kMaterials; ++k) {
    MaterialRec& r = Material(k);
    r.Name = "資材" + std::to_string(k);
    r.Price = 100 + k;
    r.Volume = 20;
    r.Unit = "袋";
    int remain = 0;
    for (int j = 1; j <= kTransactions; ++j) {
      r.Date(j) = 19990101 + (j % 12) * 100 + j % 28;
      r.Mode(j) = j % 3 == 0 ? 1 : 0;
      r.OrVolNum(j) = j % 17 + 1;
      remain += r.Mode(j) ? -r.OrVolNum(j) : r.OrVolNum(j);
      r.RemainVol(j) = remain;
    }
  }
}

void BM_SaveAll(benchmark::State& state) {
  TempDir dir;
  Populate();
  DataPath = dir.dir();
  for (auto _ : state) SaveAllFiles();
}
BENCHMARK(BM_SaveAll)->Unit(benchmark::kMillisecond);

void BM_LoadAll(benchmark::State& state) {
  TempDir dir;
  Populate();
  DataPath = dir.dir();
  SaveAllFiles();
  for (auto _ : state) LoadAllFiles();
}
BENCHMARK(BM_LoadAll)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--write-dataset") {
    ::mkdir(argv[2], 0755);
    Populate();
    DataPath = std::string(argv[2]) + "/";
    StoreErrorHook = [](const StoreError& e) { std::fprintf(stderr, "%s: error %d\n", e.file.c_str(), e.number); };
    return SaveAllFiles() ? 0 : 1;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
