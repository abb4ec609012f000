// Loading and saving the three weather files of a fully populated store.
#include <benchmark/benchmark.h>

#include "DailyRecords.h"

#include "store/DataFile.h"
#include "store/Store.h"
#include "store/WeatherFiles.h"
#include "support/TempDir.h"

namespace {

void Populate() {
  ResetStore();
  PopulateDailyRecords();
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
