#include "shell/modFile.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <memory>

#include "platform/KeepFocus.h"
#include "platform/ErrorReporter.h"
#include "shell/frmProgress.h"
#include "store/DataFile.h"
#include "store/FileSequences.h"
#include "store/ScopedFlag.h"
#include "store/Store.h"

namespace {

int16_t running = 0;

// Runs one file sequence in the window frame. An error of the frame itself
// is reported and leaves the owner disabled, as nothing can be trusted then.
bool RunInFrame(QWidget* owner, bool (*sequence)()) {
  ReentryGuard once(running);
  if (!once.Enter()) return false;
  bool ok = false;
  QPointer<QWidget> guard(owner);
  KeepFocus focus;
  CatchErrors([&] {
    if (owner) owner->setEnabled(false);
    auto progress = std::make_unique<frmProgress>();
    progress->show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    ok = sequence();
    progress.reset();
    if (guard) {
      // Enabled first: a disabled window cannot take the focus.
      guard->setEnabled(true);
      if (guard->isVisible()) guard->activateWindow();
    }
  });
  return ok;
}

}  // namespace

bool FileSequenceRunning() { return running != 0; }

namespace {

bool LoadInFrame(QWidget* owner, bool (*sequence)()) {
  if (running != 0) return false;
  bool ok = RunInFrame(owner, sequence);
  // Also after a partial load: the lists may have shrunk under the open
  // windows, which must not keep an index into them.
  NotifyReloaded();
  return ok;
}

}  // namespace

bool LoadAll(QWidget* owner) { return LoadInFrame(owner, &LoadAllFiles); }

bool LoadPresent(QWidget* owner) { return LoadInFrame(owner, &LoadPresentFiles); }

bool SaveAll(QWidget* owner) {
  if (running != 0) return false;
  bool ok = RunInFrame(owner, &SaveAllFiles);
  bool home = HomeDataPath.empty() || DataPath == HomeDataPath;
  if (ok && home) ClearChangeFlags();
  return ok;
}
