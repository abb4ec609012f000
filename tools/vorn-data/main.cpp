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
#include "runtime/Cp932.h"
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
    "                 reading stopped); a file that cannot be opened is\n"
    "                 reported the same way and the others are still read.\n"
    "                 Bytes that are not CP932 (the program keeps them as\n"
    "                 they are) are named with their first line, and a file\n"
    "                 saved as UTF-8 is pointed out. Writes nothing. Exit\n"
    "                 status 0 when every file present reads cleanly, 1\n"
    "                 otherwise.\n"
    "\n"
    "  copy SRC DST   Loads the data set from SRC as the program does at\n"
    "                 start-up (a file that fails to read is reported on\n"
    "                 standard error and the next file is still read), then\n"
    "                 writes all eight files into DST, creating DST if needed.\n"
    "                 Never writes into SRC, not even through a symbolic link\n"
    "                 in DST that leads there. Exit status 0, or 1 when any file\n"
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

// The 1-based line of byte `offset`, counting line ends as the readers do.
long LineAt(std::string_view bytes, size_t offset) {
  return static_cast<long>(SplitLineViews(bytes.substr(0, offset)).size()) +
         (offset == 0 || bytes[offset - 1] == '\n' || bytes[offset - 1] == '\r' ? 1 : 0);
}

// What a file holds beyond the code page: its first line with bytes that
// are not CP932, and whether it looks like UTF-8 ("" when neither).
std::string DescribeBytes(const std::string& path) {
  std::string bytes;
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    char buf[1 << 16];
    for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) bytes.append(buf, n);
    std::fclose(f);
  }
  size_t at = rt::FindNonCp932(bytes);
  if (at == std::string::npos) return "";
  std::string s = "bytes that are not CP932 in line " + std::to_string(LineAt(bytes, at)) + " (kept as they are)";
  if (rt::LooksLikeUtf8(bytes)) s += "; the file looks like UTF-8, not CP932";
  return s;
}

int Check(const std::string& dir) {
  if (!IsDirectory(dir)) {
    std::fprintf(stderr, "vorn-data: %s: not a directory\n", dir.c_str());
    return 1;
  }
  StartStore(dir);
  std::vector<StoreError> errors;
  StoreErrorHook = [&](const StoreError& e) { errors.push_back(e); };
  // A file that cannot even be opened is reported by its reader like any
  // other error; the others are read all the same.
  std::vector<std::string> found;
  for (const char* name : kDataFiles) {
    try {
      found.push_back(FindDataFile(name).value_or(""));
    } catch (...) {
      found.push_back("?");
    }
  }
  LoadAllFiles();
  EndProgress();
  StoreErrorHook = nullptr;
  int status = 0;
  for (size_t i = 0; i < kDataFiles.size(); ++i) {
    std::string line;
    for (const StoreError& e : errors)
      if (e.file == kDataFiles[i]) line = Describe(e);
    std::string bytes = found[i].empty() || found[i] == "?" ? "" : DescribeBytes(found[i]);
    if (!line.empty() || !bytes.empty()) {
      status = 1;
      if (line.empty()) line = bytes;
      else if (!bytes.empty()) line += "; " + bytes;
    } else {
      line = found[i].empty() ? "missing" : "ok";
    }
    std::printf("%s: %s\n", kDataFiles[i], line.c_str());
  }
  return status;
}

// The data file of DST that a save would write through a symbolic link into
// SRC ("" when there is none).
std::string LinkIntoSource(const std::string& dst, const struct stat& srcSt) {
  for (const char* name : kDataFiles) {
    std::string target = WriteTarget(ResolveFile(AsDataPath(dst), name));
    size_t slash = target.rfind('/');
    std::string dir = slash == std::string::npos ? "." : target.substr(0, slash + 1);
    struct stat st{};
    if (::stat(dir.c_str(), &st) == 0 && st.st_dev == srcSt.st_dev && st.st_ino == srcSt.st_ino) return name;
  }
  return "";
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
  std::string linked = LinkIntoSource(dst, srcSt);
  if (!linked.empty()) {
    std::fprintf(stderr, "vorn-data: %s in %s leads into %s; nothing written\n", linked.c_str(), dst.c_str(),
                 src.c_str());
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
