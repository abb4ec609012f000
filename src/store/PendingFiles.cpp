// Placeholders until the diary, price, material, observation and schedule
// formats are written; each does nothing and succeeds.
#include "store/DiaryFile.h"
#include "store/MaterialFile.h"
#include "store/ObserveFile.h"
#include "store/PriceFile.h"
#include "store/ScheduleFile.h"

bool LoadNikki() { return true; }
bool SaveNikki() { return true; }
bool LoadPrice() { return true; }
bool SavePrice() { return true; }
bool LoadMaterial() { return true; }
bool SaveMaterial() { return true; }
bool LoadObserve() { return true; }
bool SaveObserve() { return true; }
bool LoadSchedule() { return true; }
bool SaveSchedule() { return true; }
