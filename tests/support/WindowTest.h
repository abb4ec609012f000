#pragma once
// What every record window test starts from: a fresh store whose files live
// in a temporary directory, store failures shown by the error reporter,
// message boxes recorded and answered, and the window under test in f
// (built by the test). A fixture adds its own state after SetUp() and drops
// its own hooks before TearDown().
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/ErrorReporter.h"
#include "platform/Screen.h"
#include "store/DataFile.h"
#include "store/Store.h"
#include "support/GuiTest.h"
#include "support/TempDir.h"

template <class Window>
class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetStore();
    CaptureTwipsPerPixel();
    DataPath = dir.dir();
    HomeDataPath.clear();
    InstallStoreErrorReporter();
  }
  void TearDown() override {
    f.reset();
    StoreErrorHook = nullptr;
    ResetStore();
  }

  // Error numbers shown by the error reporter so far.
  std::vector<int> Reported() const { return ReportedErrors(boxes); }

  TempDir dir;
  MessageBoxes boxes;
  std::unique_ptr<Window> f;
};
