#pragma once
// A shell started as the farmer starts it, but with the data directory in a
// temporary XDG data home, a chosen date and screen, and the desktop
// hand-offs (end of process, popups, documents) recorded.
#include <gtest/gtest.h>

#include <QDate>
#include <QMenu>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "platform/Desktop.h"
#include "platform/TrayIcon.h"
#include "shell/frmMenuBar.h"
#include "shell/modMain.h"
#include "store/DataFile.h"
#include "store/Store.h"
#include "support/GuiTest.h"
#include "support/TempDir.h"

class ShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetStore();
    setenv("XDG_DATA_HOME", home.dir().c_str(), 1);
    SetTodayOverride(QDate(2005, 7, 14));
    TrayIcon::SetAvailableOverride(true);
    SetEndProcessHook([this] { ++ended; });
    SetPopupMenuHandler([this](QMenu* m, QPoint) { popups.push_back(m); });
    SetOpenDocumentHandler([this](const QString& p) {
      opened.push_back(p);
      return true;
    });
  }
  void TearDown() override {
    UnloadShell();
    ProcessEvents();
    SetEndProcessHook({});
    SetPopupMenuHandler({});
    SetOpenDocumentHandler({});
    SetTodayOverride(std::nullopt);
    TrayIcon::SetAvailableOverride(std::nullopt);
    StoreErrorHook = nullptr;
    YieldHook = nullptr;
    HomeDataPath.clear();
    ResetStore();
  }

  // The data directory Main chooses.
  std::string dataDir() const { return home.dir() + "vorn/"; }

  StartResult Start(const QString& commandLine = {}, QSize screen = QSize(1024, 768)) {
    StartOptions o;
    o.commandLine = commandLine;
    o.screenSize = screen;
    return Main(o);
  }
  frmMenuBar* bar() const { return MenuBarWindow(); }

  TempDir home;
  int ended = 0;
  std::vector<QMenu*> popups;
  std::vector<QString> opened;
};
