// One reader fed with arbitrary bytes as its data file. Whatever the bytes,
// the reader must stop cleanly (an error is fine), the writer must then
// succeed, the written file must read back without an error, and writing
// again must give the same bytes.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "FuzzFiles.h"
#include "store/DataFile.h"
#include "store/DiaryFile.h"
#include "store/FileText.h"
#include "store/MaterialFile.h"
#include "store/ObserveFile.h"
#include "store/PriceFile.h"
#include "store/ScheduleFile.h"
#include "store/Store.h"
#include "store/WeatherFiles.h"

#ifndef VORN_FUZZ_FILE
#error "VORN_FUZZ_FILE names the reader under test"
#endif

namespace {

struct Target {
  const char* key;
  const char* file;
  bool (*load)();
  bool (*save)();
  // Empties what the reader fills. A whole ResetStore per run would spend
  // most of the run clearing 300 material records the reader never touches.
  void (*reset)();
};

constexpr Target kTargets[] = {
    {"ondo", "ondo.dat", LoadOndo, SaveOndo, [] { Ondo.Fill(0.0f); }},
    {"schedule", "Schedule.dat", LoadSchedule, SaveSchedule, [] {
       Schedule.Reset();
       FarmName.Reset();
     }},
    {"tenki", "tenki.dat", LoadTenki, SaveTenki, [] { Tenki.Fill(""); }},
    {"material", "material.dat", LoadMaterial, SaveMaterial,
     [] {
       for (int k = 1; k <= kMaterials; ++k) Material(k) = MaterialRec{};
     }},
    {"kousui", "kousui.dat", LoadKousui, SaveKousui, [] { Kousui.Fill(0.0f); }},
    {"observe", "observe.dat", LoadObserve, SaveObserve, [] {
       ObserveItem.Reset();
       ObserveFile.Reset();
     }},
    {"nikki", "nikki.dat", LoadNikki, SaveNikki, [] { Nikki.Fill(""); }},
    {"price", "price.dat", LoadPrice, SavePrice, ResetPrice},
};

const Target& TheTarget() {
  for (const Target& t : kTargets)
    if (std::strcmp(t.key, VORN_FUZZ_FILE) == 0) return t;
  std::abort();
}

// A private directory, in memory where possible: every run replaces its file.
const std::string& Dir() {
  static const std::string dir = MakeFuzzDir("vorn-fuzz");
  return dir;
}

void Fail(const char* what) {
  std::fprintf(stderr, "fuzz %s: %s\n", VORN_FUZZ_FILE, what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const Target& t = TheTarget();
  // Lists of a few entries reach every branch; hundreds only make each run
  // slower (the index limit itself is still checked).
  filetext::MaxListEntries = 8;
  static const bool once = (ResetStore(), true);
  (void)once;
  t.reset();
  ProgressCount = 0;
  DataPath = Dir();
  HomeDataPath.clear();
  int errors = 0;
  StoreErrorHook = [&errors](const StoreError&) { ++errors; };
  std::string path = Dir() + t.file;
  WriteBytes(path, std::string_view(reinterpret_cast<const char*>(data), size));

  t.load();  // may report an error; must not crash
  errors = 0;
  if (!t.save()) Fail("the writer failed after a load");
  std::string first = ReadBytes(path);
  if (!t.load() || errors != 0) Fail("a written file does not read back");
  if (!t.save()) Fail("the writer failed on a second save");
  if (ReadBytes(path) != first) Fail("writing what was read back gives other bytes");

  StoreErrorHook = nullptr;
  ::unlink(path.c_str());
  return 0;
}
