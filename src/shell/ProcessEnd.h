#pragma once
// How the program ends and where its guide lives: what the menu bar needs
// from the start-up code, kept apart so that the two do not include each
// other.
#include <QString>
#include <functional>

// The help page: "help/index.html" in the data directory (the farmer's own),
// else the guide installed with the program, "vorn/help/index.html" in the
// desktop's data folders (the launcher and `make run` name the program's
// own share folder among them); empty when there is none.
QString FindHelpFile();

// Ends the process: every window goes at once.
void EndProcess();
// Replaces what EndProcess does (tests); an empty hook restores it.
void SetEndProcessHook(std::function<void()> hook);
