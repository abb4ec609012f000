#include "app/RegisterWindows.h"

#include "diary/DiaryWindows.h"
#include "shell/RecordWindows.h"

void RegisterWindows() {
  // Each record window adds its registration here.
  RegisterDiaryWindows();
}
