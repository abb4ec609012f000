#pragma once
// The one place where the record windows plug into the menu bar, the tray
// menu and the toolbar. Each window registers how it is shown and unloaded;
// a window not registered yet is simply not opened.
#include <functional>

enum class RecordWindow { Weather, DiaryEdit, Diary, MarketPrice, Material, Schedule, Observe };

struct RecordWindowHooks {
  std::function<void()> show;    // create if needed, show modeless
  std::function<void()> unload;  // destroy if it exists
};

void RegisterRecordWindow(RecordWindow which, RecordWindowHooks hooks);
bool IsRecordWindowRegistered(RecordWindow which);
void ShowRecordWindow(RecordWindow which);
void UnloadRecordWindow(RecordWindow which);
