#pragma once
// The program's own small pictures: the window and tray icon and the
// toolbar buttons, drawn here so that no icon theme is needed.
#include <QIcon>

enum class ToolIcon { Reload, Save, Backup, Restore, Weather, DiaryEdit, Diary, Market, Material, Schedule, Observe, Quit };

QIcon VornIcon();
QIcon ToolbarIcon(ToolIcon which);
