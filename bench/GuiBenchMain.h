#pragma once
// main() of a benchmark that needs windows: a QApplication on the offscreen
// 1024 x 768 screen, then Google Benchmark.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <string>

#include "platform/MessageBox.h"
#include "platform/Screen.h"

inline int RunGuiBenchmarks(int argc, char** argv) {
  std::string platform = std::string("offscreen:configfile=") + VORN_SOURCE_DIR "/tests/support/screen-1024x768.json";
  setenv("QT_QPA_PLATFORM", platform.c_str(), 0);
  QApplication app(argc, argv);
  CaptureTwipsPerPixel();
  // A benchmark never waits for a person.
  SetMsgBoxHandler([](const MsgBoxCall&) { return MsgResult::Ok; });
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
