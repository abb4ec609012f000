#include "store/FileSequences.h"

#include "store/DiaryFile.h"
#include "store/MaterialFile.h"
#include "store/ObserveFile.h"
#include "store/PriceFile.h"
#include "store/ScheduleFile.h"
#include "store/Store.h"
#include "store/WeatherFiles.h"

bool LoadAllFiles() {
  ProgressTotal = kLoadAllTotal;
  ProgressCount = 0;
  ProgressCaption = kLoadAllCaption;
  bool ok = true;
  for (bool (*read)() : {LoadOndo, LoadSchedule, LoadTenki, LoadMaterial, LoadKousui, LoadObserve, LoadNikki, LoadPrice})
    ok = read() && ok;
  return ok;
}

bool SaveAllFiles() {
  ProgressTotal = kSaveAllTotal;
  ProgressCount = 0;
  ProgressCaption = kSaveAllCaption;
  bool ok = true;
  for (bool (*write)() : {SaveOndo, SaveSchedule, SaveTenki, SaveMaterial, SaveKousui, SaveObserve, SaveNikki, SavePrice})
    ok = write() && ok;
  return ok;
}
