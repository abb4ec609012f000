#pragma once
// The start routine and the end of the process.
#include <QDate>
#include <QSize>
#include <QString>
#include <functional>
#include <optional>

#include "platform/Today.h"
#include "shell/ProcessEnd.h"
#include "store/Store.h"

struct StartOptions {
  // The command line after the program name, arguments joined by spaces.
  QString commandLine;
  // The screen size in pixels; unset means the real screen's.
  std::optional<QSize> screenSize;
};

enum class StartResult { Running, Ended };

// Checks the screen and the running instances, finds the data directory,
// sets today's date, loads everything behind the title window and shows the
// menu bar (or only the tray icon for "/t"). Ended means the process is to
// end now (a check refused it, or start-up failed and was reported).
StartResult Main(const StartOptions& options);

// Starts reading the data directory's large files on worker threads before
// there is a QApplication, so that they are read while Qt starts; Main
// finishes that load when it is for the same directory. Nothing is reported
// here: Main meets any trouble again and says so.
void ReadDataAhead();

// The message for a lock file that cannot be created in DataPath: the
// folder, the error number and its explanation.
QString LockFailureText(int16_t number);

// True for a command line that is exactly "/t" or "/T" after trimming spaces.
bool StartsInTray(const QString& commandLine);

// Undoes Main (tests): destroys the menu bar and releases the instance lock.
void UnloadShell();
