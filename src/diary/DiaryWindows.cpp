#include "diary/DiaryWindows.h"

#include "diary/frmDiary.h"
#include "diary/frmDiaryEdit.h"
#include "platform/WindowSlot.h"

namespace {
WindowSlot<frmDiaryEdit>& EditSlot() {
  static WindowSlot<frmDiaryEdit> slot;
  return slot;
}
WindowSlot<frmDiary>& ViewSlot() {
  static WindowSlot<frmDiary> slot;
  return slot;
}
}  // namespace

frmDiaryEdit* LoadedDiaryEdit() { return EditSlot().Loaded(); }
frmDiary* LoadedDiary() { return ViewSlot().Loaded(); }

void ShowDiaryEdit() { EditSlot().Show(); }
void ShowDiary() { ViewSlot().Show(); }

void UnloadDiaryEdit() { EditSlot().Unload(); }
void UnloadDiary() { ViewSlot().Unload(); }

void ReloadDiaryEdit() {
  if (frmDiaryEdit* w = LoadedDiaryEdit()) w->RefreshForCurrentDate();
}
void ReloadDiary() {
  if (frmDiary* w = LoadedDiary()) w->Reload();
}
