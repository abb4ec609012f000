#pragma once
// Connects every record window that exists to the menu bar (see
// shell/RecordWindows.h). Called once at start-up, and by tests that drive
// the whole program.
void RegisterWindows();
