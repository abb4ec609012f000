#include "shell/RecordWindows.h"

#include <map>

namespace {
std::map<RecordWindow, RecordWindowHooks>& Registry() {
  static std::map<RecordWindow, RecordWindowHooks> r;
  return r;
}
}  // namespace

void RegisterRecordWindow(RecordWindow which, RecordWindowHooks hooks) { Registry()[which] = std::move(hooks); }

bool IsRecordWindowRegistered(RecordWindow which) { return Registry().count(which) != 0; }

void ShowRecordWindow(RecordWindow which) {
  auto it = Registry().find(which);
  if (it != Registry().end() && it->second.show) it->second.show();
}

void UnloadRecordWindow(RecordWindow which) {
  auto it = Registry().find(which);
  if (it != Registry().end() && it->second.unload) it->second.unload();
}
