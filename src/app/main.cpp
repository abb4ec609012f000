#include <QApplication>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/ControlNames.h"
#include "app/RegisterWindows.h"
#include "platform/TestProbe.h"
#include "platform/Translations.h"
#include "shell/frmTitle.h"
#include "shell/modMain.h"

#ifndef VORN_VERSION
#define VORN_VERSION "0.1.0"
#endif

namespace {

const char kUsage[] =
    "使い方: vorn [/t]\n"
    "  /t         メニューバーを出さず、通知領域のアイコンで起動します\n"
    "  --help     この説明を表示して終了します\n"
    "  --version  版を表示して終了します\n"
    "Usage: vorn [/t]   (/t starts in the notification area)\n";

// Answers --help and --version without a display; returns true when it did.
bool AnswerInformationSwitch(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(kUsage, stdout);
      return true;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::puts("vorn " VORN_VERSION);
      return true;
    }
  }
  return false;
}

// Qt ends the process with an English line when no display can be opened;
// the farmer is told in Japanese first, and the program ends with status 1
// instead of an abort.
bool g_starting = true;
QtMessageHandler g_previous = nullptr;
void StartupMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (g_starting && type == QtFatalMsg) {
    std::fputs("画面（ディスプレイ）に接続できないため、Vorn を起動できません。\n", stderr);
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    std::_Exit(1);
  }
  if (g_previous) g_previous(type, context, text);
}

}  // namespace

int main(int argc, char** argv) {
  if (AnswerInformationSwitch(argc, argv)) return 0;
  ReadDataAhead();
  g_previous = qInstallMessageHandler(StartupMessages);
  QApplication app(argc, argv);
  g_starting = false;
  frmTitle::DrawPictureAhead();
  qInstallMessageHandler(g_previous);
  QApplication::setApplicationName(QStringLiteral("vorn"));
  // The desktop entry this program belongs to (its icon and name in docks).
  QGuiApplication::setDesktopFileName(QStringLiteral("org.vorn.Vorn"));
  // Qt's own texts (the buttons of message boxes, the edit menus of text
  // boxes) in Japanese like the rest of the program, whatever the locale.
  LoadQtTranslations();
  RegisterWindows();
  StartOptions options;
  options.commandLine = QCoreApplication::arguments().mid(1).join(QChar(' '));
  // The walks on the virtual screen look into the program through this.
  StartTestProbe(NameControls);
  if (Main(options) != StartResult::Running) return 1;
  int code = app.exec();
  UnloadShell();
  return code;
}
