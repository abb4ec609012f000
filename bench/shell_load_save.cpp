// Load-all followed by save-all of a fully populated data set: the store's
// own time, and the same with the progress window shown and the event yield
// installed, as the farmer runs it.
#include <benchmark/benchmark.h>

#include "DailyRecords.h"
#include "GuiBenchMain.h"

#include <QApplication>
#include <QWidget>
#include <cstdlib>
#include <string>

#include "platform/EventYield.h"
#include "platform/MessageBox.h"
#include "platform/Screen.h"
#include "shell/modFile.h"
#include "store/DataFile.h"
#include "store/FileSequences.h"
#include "store/Store.h"
#include "support/TempDir.h"

namespace {

void Populate() {
  ResetStore();
  PopulateDailyRecords([](int i) { return "晴れ。畑の草取りと水やり。\r\nトマトの誘引 " + std::to_string(i); });
  RedimPrice(10);
  for (int k = 1; k <= 10; ++k) {
    PriceItem(k).Name = "品目" + std::to_string(k);
    PriceItem(k).Max = 1000;
    for (int y = 2000; y <= 2010; ++y)
      for (int m = 1; m <= 12; ++m)
        for (int d = 1; d <= DaysInMonth(y, m); ++d) {
          PriceHigh(k)(y, m, d) = 300 + d;
          PriceMid(k)(y, m, d) = 200 + d;
          PriceLow(k)(y, m, d) = 100 + d;
        }
  }
  for (int k = 1; k <= 100; ++k) {
    Material(k).Name = "資材" + std::to_string(k);
    Material(k).Price = 500;
    Material(k).Volume = 20;
    Material(k).Unit = "袋";
    for (int j = 1; j <= 200; ++j) {
      Material(k).Date(j) = 20050101 + (j % 28);
      Material(k).Mode(j) = j % 2;
      Material(k).OrVolNum(j) = 1;
      Material(k).RemainVol(j) = 10;
    }
  }
  ObserveItem.RedimPreserve(5);
  ObserveFile.RedimPreserve(5);
  for (int k = 1; k <= 5; ++k) {
    ObserveItem(k).Name = "作物" + std::to_string(k);
    for (int d = 1; d <= 28; ++d) {
      ObserveItem(k).Comment(2005, 6, d) = "葉の色が良い";
      ObserveFile(k)(2005, 6, d) = "/home/farmer/photos/p" + std::to_string(d) + ".jpg";
    }
  }
  FarmName.RedimPreserve(5);
  for (int k = 1; k <= 5; ++k) FarmName(k) = "圃場" + std::to_string(k);
  Schedule.RedimPreserve(10);
  for (int k = 1; k <= 10; ++k) {
    Schedule(k).Work = "作業" + std::to_string(k);
    for (int y = kFirstYear; y <= kLastYear; ++y)
      for (int j = 0; j < 12; ++j) Schedule(k).SchedulePeriod(y)(j) = {static_cast<int16_t>((j + 1) * 100 + 1),
                                                                        static_cast<int16_t>((j + 1) * 100 + 20),
                                                                        static_cast<uint8_t>(1 + j % 5)};
  }
}

struct DataSet {
  TempDir dir;
  DataSet() {
    Populate();
    DataPath = dir.dir();
    HomeDataPath = DataPath;
    SaveAllFiles();
  }
};

void BM_StoreLoadAllSaveAll(benchmark::State& state) {
  DataSet data;
  YieldHook = nullptr;
  for (auto _ : state) {
    LoadAllFiles();
    SaveAllFiles();
  }
}
BENCHMARK(BM_StoreLoadAllSaveAll)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_LoadAllSaveAllWithProgressWindow(benchmark::State& state) {
  DataSet data;
  InstallEventYield();
  QWidget owner;
  owner.show();
  QCoreApplication::processEvents();
  for (auto _ : state) {
    LoadAll(&owner);
    SaveAll(&owner);
  }
  YieldHook = nullptr;
}
BENCHMARK(BM_LoadAllSaveAllWithProgressWindow)->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace

int main(int argc, char** argv) { return RunGuiBenchmarks(argc, argv); }
