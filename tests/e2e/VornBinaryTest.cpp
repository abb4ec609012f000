// Starts the real program on a virtual 1024 x 768 X screen, waits for the
// menu bar, closes it as a window manager would and expects a clean exit.
#include <gtest/gtest.h>

#include "e2e/XScreen.h"

TEST(VornBinary, StartsOnAVirtualScreenAndEndsWhenTheMenuBarIsClosed) {
  QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
  if (xvfb.isEmpty()) GTEST_SKIP() << "Xvfb is not installed";
  e2e::VirtualScreen x(xvfb.toStdString());
  ASSERT_FALSE(x.display().empty()) << "Xvfb did not start";
  e2e::Screen s(x.display());
  ASSERT_TRUE(s.ok());

  TempDir home;
  e2e::Vorn vorn(x.display(), home);
  ASSERT_TRUE(vorn.process.waitForStarted(10000));
  e2e::Window bar;
  e2e::WaitFor([&] { return (bar = e2e::MenuBar(s)).id != XCB_NONE || !vorn.running(); }, 30000);
  ASSERT_NE(bar.id, static_cast<xcb_window_t>(XCB_NONE)) << "no menu bar appeared";
  EXPECT_TRUE(std::filesystem::is_directory(home.file("vorn")));

  s.Close(bar.id);
  ASSERT_TRUE(vorn.Ended(20000)) << "the program did not end";
  EXPECT_EQ(vorn.process.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(vorn.process.exitCode(), 0);
  EXPECT_FALSE(std::filesystem::exists(home.file("vorn/.vorn.lock")));
}
