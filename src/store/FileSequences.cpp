#include "store/FileSequences.h"

#include "store/DataFile.h"
#include "store/DiaryFile.h"
#include "store/MaterialFile.h"
#include "store/ObserveFile.h"
#include "store/PriceFile.h"
#include "store/ScheduleFile.h"
#include "store/Store.h"
#include "store/WeatherFiles.h"

namespace {

// The readers and writers in the order of kDataFiles.
constexpr bool (*kReaders[])() = {LoadOndo, LoadSchedule, LoadTenki, LoadMaterial,
                                  LoadKousui, LoadObserve, LoadNikki, LoadPrice};
constexpr bool (*kWriters[])() = {SaveOndo, SaveSchedule, SaveTenki, SaveMaterial,
                                  SaveKousui, SaveObserve, SaveNikki, SavePrice};
static_assert(std::size(kReaders) == kDataFiles.size() && std::size(kWriters) == kDataFiles.size());

// Whether DataPath holds the file, found as the readers find it. One that
// cannot even be looked at counts as there, so that its reader says why.
bool Present(const char* name) {
  try {
    return FindDataFile(name).has_value();
  } catch (...) {
    return true;
  }
}

bool Load(bool presentOnly) {
  ProgressTotal = kLoadAllTotal;
  ProgressCount = 0;
  ProgressCaption = kLoadAllCaption;
  bool ok = true;
  for (size_t i = 0; i < kDataFiles.size(); ++i)
    if (!presentOnly || Present(kDataFiles[i])) ok = kReaders[i]() && ok;
  return ok;
}

}  // namespace

bool LoadAllFiles() { return Load(false); }

bool LoadPresentFiles() { return Load(true); }

std::vector<std::string> MissingDataFiles() {
  std::vector<std::string> missing;
  for (const char* name : kDataFiles)
    if (!Present(name)) missing.emplace_back(name);
  return missing;
}

bool SaveAllFiles() {
  ProgressTotal = kSaveAllTotal;
  ProgressCount = 0;
  ProgressCaption = kSaveAllCaption;
  bool ok = true;
  for (bool (*write)() : kWriters) ok = write() && ok;
  return ok;
}
