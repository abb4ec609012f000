#include "shell/modMain.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <memory>
#include <string>

#include "platform/EventYield.h"
#include "platform/MessageBox.h"
#include "platform/Screen.h"
#include "platform/SingleInstance.h"
#include "platform/TrayIcon.h"
#include "platform/WheelFocus.h"
#include "platform/clsSystemFolder.h"
#include "runtime/Convert.h"
#include "runtime/RuntimeError.h"
#include "platform/ErrorReporter.h"
#include "shell/frmMenuBar.h"
#include "shell/frmTitle.h"
#include "shell/modFile.h"
#include "store/DataFile.h"
#include "store/FileSequences.h"
#include "store/ScopedFlag.h"

namespace {

const QString kTitle = QStringLiteral("Vorn");

}  // namespace

bool StartsInTray(const QString& commandLine) {
  // Only spaces are trimmed, as the command line is.
  QString s = commandLine;
  while (s.startsWith(QChar(' '))) s.remove(0, 1);
  while (s.endsWith(QChar(' '))) s.chop(1);
  return s == QStringLiteral("/t") || s == QStringLiteral("/T");
}

QString LockFailureText(int16_t number) {
  const QString crlf = QStringLiteral("\r\n");
  return QStringLiteral("ﾃﾞｰﾀﾌｫﾙﾀﾞにﾛｯｸﾌｧｲﾙを作成できないため、起動できません。") + crlf +
         QStringLiteral("ﾌｫﾙﾀﾞ：") + QDir::toNativeSeparators(QString::fromStdString(DataPath)) + crlf +
         QStringLiteral("ｴﾗｰｺｰﾄﾞ:") + QString::fromStdString(rt::Str(static_cast<long long>(number))) + crlf +
         QStringLiteral("ｴﾗｰ内容:") + QString::fromUtf8(rt::ErrorMessage(number));
}

void ReadDataAhead() {
  try {
    clsSystemFolder folder;
    DataPath = folder.MyDirPath();
    HomeDataPath = DataPath;
    BeginLoadAll();
  } catch (...) {
    // Main finds the same trouble and tells the farmer.
  }
}

StartResult Main(const StartOptions& options) {
  bool running = false;
  std::unique_ptr<frmTitle> title;
  // Set for the whole start, cleared however it ends.
  ScopedFlag busy(Busy);
  // The wheel only for the focused control, before the first window.
  InstallWheelFocusRule();
  CatchErrors([&] {

    clsSystemFolder folder;
    std::string path = folder.MyDirPath();
    // Damaged copies of a file a reader stopped in are kept only here.
    // A read begun for this folder before the windows existed goes on; the
    // paths change only once no reader is looking at them.
    if (path != DataPath || path != HomeDataPath) {
      EndLoadAhead();
      DataPath = path;
      HomeDataPath = path;
    }

    YearMonthDay today = Today();
    SetCurrentDate(today);
    PeriodFrom = today;
    PeriodTo = today;

    CaptureTwipsPerPixel();

    QSize screen = options.screenSize ? *options.screenSize : ScreenSizeInPixels();
    if (screen.width() != 1024 || screen.height() != 768) {
      MsgBox(QStringLiteral("このﾌﾟﾛｸﾞﾗﾑは、解像度が[1024x768]の場合のみ、動作します。") + QStringLiteral("\r\n") +
                 QStringLiteral("解像度を[1024x768]に変更して、再度ﾌﾟﾛｸﾞﾗﾑを起動してください。"),
             MsgButtons::Ok, MsgIcon::Exclamation, kTitle);
      return;
    }

    InstanceLock lock = TakeInstanceLock(QString::fromStdString(DataPath) + QStringLiteral(".vorn.lock"));
    if (lock.outcome == InstanceLock::HeldByRunningCopy) {
      MsgBox(QStringLiteral("既に起動されています。"), MsgButtons::Ok, MsgIcon::Exclamation, kTitle);
      return;
    }
    if (lock.outcome == InstanceLock::CannotBeMade) {
      // Not a running copy: the folder itself is the trouble (read-only,
      // gone, full), and the farmer needs to know which folder and why.
      MsgBox(LockFailureText(lock.errorNumber), MsgButtons::Ok, MsgIcon::Exclamation, kTitle);
      return;
    }

    // The large data files are read while the windows below are built and
    // shown; load-all then finishes the load and reports as it always has.
    BeginLoadAll();
    InstallStoreErrorReporter();
    InstallEventYield();
    // The program lives on in the tray with no window shown.
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) app->setQuitOnLastWindowClosed(false);

    title = std::make_unique<frmTitle>();
    title->show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    LoadAll(title.get());

    title.reset();

    auto* bar = new frmMenuBar;
    SetMenuBarWindow(bar);
    // Without a notification area "/t" would hide the only window for good.
    if (StartsInTray(options.commandLine) && TrayIcon::Available())
      bar->AddTrayIcon();
    else
      bar->show();

    bar->RefreshHelpItem();

    running = true;
  });
  if (!running) title.reset();
  EndLoadAhead();
  frmTitle::EndPictureAhead();
  return running ? StartResult::Running : StartResult::Ended;
}

void UnloadShell() {
  if (frmMenuBar* bar = MenuBarWindow()) {
    SetMenuBarWindow(nullptr);
    delete bar;
  }
  ReleaseInstanceLock();
}
