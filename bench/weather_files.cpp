// Loading and saving the three weather files of a fully populated store.
#include <benchmark/benchmark.h>

#include "store/DataFile.h"
#include "store/Store.h"
#include "store/WeatherFiles.h"
#include "support/TempDir.h"

namespace {

void Populate() {
  ResetStore();
  int i = 0;
  for (int y = kFirstYear; y <= kLastYear; ++y)
    for (int m = 1; m <= 12; ++m)
      for (int d = 1; d <= DaysInMonth(y, m); ++d, ++i) {
        Ondo(y, m, d, 1) = static_cast<float>((i * 7) % 450) / 10.0f;
        Ondo(y, m, d, 0) = static_cast<float>((i * 13) % 300 - 150) / 10.0f;
        Kousui(y, m, d) = static_cast<float>((i * 31) % 6000) / 10.0f;
        Tenki(y, m, d) = std::to_string(100 + i % 900);
      }
}

void BM_SaveWeatherFiles(benchmark::State& state) {
  TempDir dir;
  Populate();
  DataPath = dir.dir();
  for (auto _ : state) {
    SaveOndo();
    SaveTenki();
    SaveKousui();
  }
}
BENCHMARK(BM_SaveWeatherFiles)->Unit(benchmark::kMillisecond);

void BM_LoadWeatherFiles(benchmark::State& state) {
  TempDir dir;
  Populate();
  DataPath = dir.dir();
  SaveOndo();
  SaveTenki();
  SaveKousui();
  for (auto _ : state) {
    LoadOndo();
    LoadTenki();
    LoadKousui();
  }
}
BENCHMARK(BM_LoadWeatherFiles)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
