// The start-up path fed with one fuzzed data folder: the input is split into
// the eight data files at each line "#~~~~" and load-all reads them all in
// its order, so that one file's error leaving the store half-filled meets the
// readers after it. Whatever the bytes, load-all must end cleanly, save-all
// must then write every file, the written folder must load without an error,
// and saving it again must give the same bytes.
#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "FuzzFiles.h"
#include "store/DataFile.h"
#include "store/FileSequences.h"
#include "store/FileText.h"
#include "store/Store.h"

namespace {

constexpr std::array<const char*, 8> kFiles = {"ondo.dat",   "Schedule.dat", "tenki.dat", "material.dat",
                                               "kousui.dat", "observe.dat",  "nikki.dat", "price.dat"};
constexpr std::string_view kSeparator = "#~~~~\n";

const std::string& Dir() {
  static const std::string dir = MakeFuzzDir("vorn-fuzz-all");
  return dir;
}

std::array<std::string, 8> Folder() {
  std::array<std::string, 8> files;
  for (size_t i = 0; i < kFiles.size(); ++i) files[i] = ReadBytes(Dir() + kFiles[i]);
  return files;
}

void Fail(const char* what) {
  std::fprintf(stderr, "fuzz load-all: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  filetext::MaxListEntries = 8;
  ResetStore();
  DataPath = Dir();
  HomeDataPath.clear();
  int errors = 0;
  StoreErrorHook = [&errors](const StoreError&) { ++errors; };

  // A file the input does not reach is missing, as on a first start.
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  for (size_t i = 0; i < kFiles.size(); ++i) {
    std::string path = Dir() + kFiles[i];
    ::unlink(path.c_str());
    if (rest.data() == nullptr) continue;
    size_t cut = rest.find(kSeparator);
    WriteBytes(path, rest.substr(0, cut));
    rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + kSeparator.size());
  }

  LoadAllFiles();  // may report errors; must not crash
  errors = 0;
  if (!SaveAllFiles() || errors != 0) Fail("save-all failed after a load-all");
  const auto first = Folder();
  ResetStore();
  DataPath = Dir();
  if (!LoadAllFiles() || errors != 0) Fail("a written folder does not load");
  if (!SaveAllFiles()) Fail("save-all failed on a second save");
  if (Folder() != first) Fail("saving what was loaded gives other bytes");

  StoreErrorHook = nullptr;
  return 0;
}
