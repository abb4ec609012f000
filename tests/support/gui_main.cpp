// Main of every test program with windows: a QApplication on the offscreen
// platform, configured as one 1024 x 768 screen at 96 dpi, and message boxes
// that fail the test unless a test answers them.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <string>

void InstallUnexpectedBoxHandler();

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  std::string platform = std::string("offscreen:configfile=") + VORN_SOURCE_DIR "/tests/support/screen-1024x768.json";
  setenv("QT_QPA_PLATFORM", platform.c_str(), 0);
  QApplication app(argc, argv);
  InstallUnexpectedBoxHandler();
  return RUN_ALL_TESTS();
}
