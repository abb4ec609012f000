// Writes a fully populated data set into a folder: every day 1999..2030 with
// weather and a diary entry, 30 produce priced every day, 300 materials with
// 1000 transactions each, 30 observed crops with a comment every day, WORKS
// works (200 unless told) with periods every year. VARIANT changes every
// record, so that two variants differ in every file.
//   vorn_make_dataset DIR VARIANT [WORKS]
#include <cstdio>
#include <cstdlib>
#include <string>

#include "store/DataFile.h"
#include "store/FileSequences.h"
#include "store/Store.h"

namespace {

void Populate(int v, int works) {
  int i = 0;
  for (int y = kFirstYear; y <= kLastYear; ++y)
    for (int m = 1; m <= 12; ++m)
      for (int d = 1; d <= DaysInMonth(y, m); ++d, ++i) {
        Ondo(y, m, d, 1) = static_cast<float>((i * 7 + v) % 450) / 10.0f;
        Ondo(y, m, d, 0) = static_cast<float>((i * 13 + v) % 300 - 150) / 10.0f;
        Kousui(y, m, d) = static_cast<float>((i * 31 + v) % 6000) / 10.0f;
        Tenki(y, m, d) = std::to_string(100 + (i + v) % 900);
        Nikki(y, m, d) = "日記 " + std::to_string(v) + " 番 " + std::to_string(i) + "\r\n二行目";
      }
  RedimPrice(29);
  for (int p = 0; p < 30; ++p) {
    PriceItem(p).Name = "産物" + std::to_string(p);
    PriceItem(p).Max = 1000;
    i = 0;
    for (int y = kFirstYear; y <= kLastYear; ++y)
      for (int m = 1; m <= 12; ++m)
        for (int d = 1; d <= DaysInMonth(y, m); ++d, ++i) {
          PriceHigh(p)(y, m, d) = 300 + (i + v + p) % 700;
          PriceMid(p)(y, m, d) = 200 + (i + v + p) % 500;
          PriceLow(p)(y, m, d) = 100 + (i + v + p) % 300;
        }
  }
  for (int k = 1; k <= kMaterials; ++k) {
    MaterialRec& r = Material(k);
    r.Name = "資材" + std::to_string(k);
    r.Price = 100 * k + v;
    r.Volume = 20;
    r.Unit = "袋";
    int remain = 0;
    for (int t = 1; t <= kTransactions; ++t) {
      r.Date(t) = 19990101 + (t % 28) + 100 * (t % 12) + 10000 * (t % 32);
      r.Mode(t) = t % 2;
      r.OrVolNum(t) = 1 + (t + v) % 9;
      remain += r.Mode(t) == 0 ? r.OrVolNum(t) : -r.OrVolNum(t);
      r.RemainVol(t) = remain;
    }
  }
  ObserveItem.RedimPreserve(29);
  ObserveFile.RedimPreserve(29);
  for (int c = 0; c < 30; ++c) {
    ObserveItem(c).Name = "作物" + std::to_string(c);
    i = 0;
    for (int y = kFirstYear; y <= kLastYear; ++y)
      for (int m = 1; m <= 12; ++m)
        for (int d = 1; d <= DaysInMonth(y, m); ++d, ++i)
          if ((i + c) % 7 == 0) {
            ObserveItem(c).Comment(y, m, d) = "観察 " + std::to_string(v) + "-" + std::to_string(i);
            ObserveFile(c)(y, m, d) = "/home/farm/photos/" + std::to_string(i) + ".jpg";
          }
  }
  Schedule.RedimPreserve(works - 1);
  FarmName.RedimPreserve(9);
  for (int f = 0; f < 10; ++f) FarmName(f) = "畑" + std::to_string(f);
  for (int w = 0; w < works; ++w) {
    Schedule(w).Work = "作業" + std::to_string(w);
    for (int y = kFirstYear; y <= kLastYear; ++y)
      for (int e = 0; e < 4; ++e) {
        int month = 1 + (w + e * 3 + v) % 12;
        Schedule(w).SchedulePeriod(y)(e) = {static_cast<int16_t>(month * 100 + 1), static_cast<int16_t>(month * 100 + 20),
                                            static_cast<uint8_t>((w + e) % 10)};
      }
  }
}

}  // namespace

int main(int argc, char** argv) {
  int works = argc == 4 ? std::atoi(argv[3]) : 200;
  if ((argc != 3 && argc != 4) || works < 1 || works > 200) {
    std::fputs("usage: vorn_make_dataset DIR VARIANT [WORKS 1..200]\n", stderr);
    return 2;
  }
  ResetStore();
  std::string dir = argv[1];
  if (dir.empty() || dir.back() != '/') dir += '/';
  DataPath = dir;
  bool failed = false;
  StoreErrorHook = [&](const StoreError& e) {
    std::fprintf(stderr, "vorn_make_dataset: error %d in %s\n", e.number, e.file.c_str());
    failed = true;
  };
  Populate(std::atoi(argv[2]), works);
  return SaveAllFiles() && !failed ? 0 : 1;
}
