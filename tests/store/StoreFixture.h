#pragma once
// A fresh store with DataPath in a temporary directory; errors of the file
// routines are collected instead of shown.
#include <gtest/gtest.h>

#include <vector>

#include "store/DataFile.h"
#include "store/Store.h"
#include "support/TempDir.h"

class StoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetStore();
    DataPath = dir.dir();
    HomeDataPath.clear();
    StoreErrorHook = [this](const StoreError& e) { errors.push_back(e); };
  }
  void TearDown() override {
    StoreErrorHook = nullptr;
    HomeDataPath.clear();
    ResetStore();
  }
  // Error numbers reported so far.
  std::vector<int> numbers() const {
    std::vector<int> n;
    for (auto& e : errors) n.push_back(e.number);
    return n;
  }

  TempDir dir;
  std::vector<StoreError> errors;
};

// Lines joined with CR LF, each line ended.
inline std::string CrLf(std::initializer_list<std::string> lines) {
  std::string s;
  for (auto& l : lines) s += l + "\r\n";
  return s;
}
