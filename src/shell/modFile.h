#pragma once
// Load-all and save-all as the windows run them: the owner window disabled,
// the progress window shown while the eight files are read or written, and
// the owner active and enabled again afterwards.
class QWidget;

// Reads every data file from DataPath. Returns whether every file was read
// (each failure has been reported already).
bool LoadAll(QWidget* owner);

// The same for a restore: reads only the files DataPath holds and leaves the
// tables of the others as they are.
bool LoadPresent(QWidget* owner);

// Writes every data file into DataPath. The change flags are cleared only
// when every file was written into the program's own data directory: a
// backup elsewhere leaves the data directory as old as it was.
bool SaveAll(QWidget* owner);

// True while LoadAll or SaveAll runs (a second one is refused meanwhile).
bool FileSequenceRunning();
