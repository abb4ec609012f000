// vorn-data: a command-line companion for checking a data folder and for
// scripted backups. It reads and writes with the program's own file
// routines, so what it reports and writes is exactly what the program
// would.
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "Export.h"
#include "runtime/RuntimeError.h"
#include "store/DataFile.h"
#include "store/FileSequences.h"
#include "store/Store.h"

namespace {

constexpr const char* kHelp =
    "Usage: vorn-data check DIR\n"
    "       vorn-data copy SRC DST\n"
    "       vorn-data export [--replace] DIR OUT\n"
    "\n"
    "Reads and writes a farm's data folder (the eight .dat files) exactly as\n"
    "the program does.\n"
    "\n"
    "  check DIR      Reads every data file of DIR with the program's readers,\n"
    "                 in the order of loading at start-up, and prints one line\n"
    "                 per file: \"ok\", \"missing\", or the error the program\n"
    "                 would report (its number, its message and the line where\n"
    "                 reading stopped). Writes nothing. Exit status 0 when\n"
    "                 every file present reads cleanly, 1 otherwise.\n"
    "\n"
    "  copy SRC DST   Loads the data set from SRC as the program does at\n"
    "                 start-up (a file that fails to read is reported on\n"
    "                 standard error and the next file is still read), then\n"
    "                 writes all eight files into DST, creating DST if needed.\n"
    "                 Never writes into SRC. Exit status 0, or 1 when any file\n"
    "                 failed to read or write; DST is written all the same, as\n"
    "                 a restore from a backup would be.\n"
    "\n"
    "Progress is shown on standard error when it is a terminal; nothing else\n"
    "is printed on success.\n";

std::string AsDataPath(std::string dir) {
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir;
}

bool IsDirectory(const std::string& path, struct stat* st = nullptr) {
  struct stat s{};
  if (::stat(path.c_str(), &s) != 0 || !S_ISDIR(s.st_mode)) return false;
  if (st) *st = s;
  return true;
}

std::string Describe(const StoreError& e) {
  std::string s = "error " + std::to_string(e.number) + ": " + rt::ErrorMessage(e.number);
  if (e.line > 0) s += ", line " + std::to_string(e.line);
  return s;
}

// Progress on a terminal: the caption and a percentage, redrawn only when
// the percentage changes (the hook runs once per day value).
int lastPercent = -1;
void ShowProgress() {
  if (ProgressTotal <= 0) return;
  long p = static_cast<long>(ProgressCount) * 100 / ProgressTotal;
  if (p > 100) p = 100;
  if (p == lastPercent) return;
  lastPercent = static_cast<int>(p);
  std::fprintf(stderr, "\r%s %3ld%%", ProgressCaption.c_str(), p);
  std::fflush(stderr);
}
void EndProgress() {
  if (lastPercent >= 0) std::fputs("\r\x1b[K", stderr);
  lastPercent = -1;
}

void StartStore(const std::string& dir) {
  ResetStore();
  HomeDataPath.clear();  // never leave copies of damaged files behind
  DataPath = AsDataPath(dir);
  if (::isatty(STDERR_FILENO)) YieldHook = ShowProgress;
}

int Check(const std::string& dir) {
  if (!IsDirectory(dir)) {
    std::fprintf(stderr, "vorn-data: %s: not a directory\n", dir.c_str());
    return 1;
  }
  StartStore(dir);
  std::vector<bool> present;
  for (const char* name : kDataFiles) present.push_back(FindDataFile(name).has_value());
  std::vector<StoreError> errors;
  StoreErrorHook = [&](const StoreError& e) { errors.push_back(e); };
  LoadAllFiles();
  EndProgress();
  StoreErrorHook = nullptr;
  int status = 0;
  for (size_t i = 0; i < kDataFiles.size(); ++i) {
    std::string line;
    for (const StoreError& e : errors)
      if (e.file == kDataFiles[i]) line = Describe(e);
    if (!line.empty())
      status = 1;
    else
      line = present[i] ? "ok" : "missing";
    std::printf("%s: %s\n", kDataFiles[i], line.c_str());
  }
  return status;
}

int Copy(const std::string& src, const std::string& dst) {
  struct stat srcSt{}, dstSt{};
  if (!IsDirectory(src, &srcSt)) {
    std::fprintf(stderr, "vorn-data: %s: not a directory\n", src.c_str());
    return 1;
  }
  std::error_code ec;
  std::filesystem::create_directories(dst, ec);
  if (!IsDirectory(dst, &dstSt)) {
    std::fprintf(stderr, "vorn-data: %s: cannot create the directory%s%s\n", dst.c_str(), ec ? ": " : "",
                 ec ? ec.message().c_str() : "");
    return 1;
  }
  if (srcSt.st_dev == dstSt.st_dev && srcSt.st_ino == dstSt.st_ino) {
    std::fprintf(stderr, "vorn-data: %s and %s are the same directory; nothing written\n", src.c_str(), dst.c_str());
    return 1;
  }
  int status = 0;
  StoreErrorHook = [&](const StoreError& e) {
    EndProgress();
    std::fprintf(stderr, "%s: %s\n", e.file.c_str(), Describe(e).c_str());
    status = 1;
  };
  StartStore(src);
  LoadAllFiles();
  EndProgress();
  DataPath = AsDataPath(dst);
  SaveAllFiles();
  EndProgress();
  StoreErrorHook = nullptr;
  return status;
}

// Loads DIR as copy does, reporting each file that fails to read.
bool LoadReporting(const std::string& dir) {
  bool ok = true;
  StoreErrorHook = [&](const StoreError& e) {
    EndProgress();
    std::fprintf(stderr, "%s: %s\n", e.file.c_str(), Describe(e).c_str());
    ok = false;
  };
  StartStore(dir);
  LoadAllFiles();
  EndProgress();
  StoreErrorHook = nullptr;
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  // Files are read and written as a few buffers of megabytes each. Keeping
  // freed memory in the heap lets the next file reuse it instead of mapping
  // and zeroing fresh pages every time.
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
  std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty() && (args[0] == "--help" || args[0] == "-h" || args[0] == "help")) {
    std::printf("%s\n%s", kHelp, kExportHelp);
    return 0;
  }
  try {
    if (args.size() == 2 && args[0] == "check") return Check(args[1]);
    if (args.size() == 3 && args[0] == "copy") return Copy(args[1], args[2]);
    if (!args.empty() && args[0] == "export") return Export({args.begin() + 1, args.end()}, LoadReporting);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vorn-data: %s\n", e.what());
    return 1;
  }
  std::fputs("vorn-data: expected \"check DIR\", \"copy SRC DST\" or \"export DIR OUT\" (see vorn-data --help)\n",
             stderr);
  return 2;
}
