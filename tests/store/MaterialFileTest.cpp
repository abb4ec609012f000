#include "store/MaterialFile.h"

#include <gtest/gtest.h>

#include "runtime/Cp932.h"
#include "store/DataFile.h"
#include "store/StoreFixture.h"

using MaterialFile = StoreTest;

TEST_F(MaterialFile, WritesKeywordBlocksStoppingAtTheFirstEmptyNameOrDate) {
  Material(1).Name = "肥料";
  Material(1).Price = 1200;
  Material(1).Volume = 20;
  Material(1).Unit = "袋";
  Material(1).Date(1) = 20010505;
  Material(1).Mode(1) = 0;
  Material(1).OrVolNum(1) = 10;
  Material(1).RemainVol(1) = 10;
  Material(1).Date(2) = 20010601;
  Material(1).Mode(2) = 1;
  Material(1).OrVolNum(2) = 3;
  Material(1).RemainVol(2) = 7;
  Material(1).Date(4) = 20010701;  // after the empty transaction 3: not written
  Material(2).Name = "";
  Material(3).Name = "hidden";  // after the empty record 2: not written
  ASSERT_TRUE(SaveMaterial());
  EXPECT_EQ(rt::Cp932ToUtf8(dir.Read("material.dat")),
            CrLf({"#1", "Name=肥料", "Price=1200", "Volume=20", "Unit=袋", "%1", "Date=20010505", "Mode=Buy",
                  "OrVolNum=10", "RemainVol=10", "%End", "%2", "Date=20010601", "Mode=Use", "OrVolNum=3",
                  "RemainVol=7", "%End", "#End", ""}));
}

TEST_F(MaterialFile, AFullTableRoundTrips) {
  for (int k = 1; k <= kMaterials; ++k) {
    Material(k).Name = "m" + std::to_string(k);
    Material(k).Unit = "kg";
    Material(k).Price = -k;
  }
  for (int j = 1; j <= kTransactions; ++j) {
    Material(7).Date(j) = 20000000 + j;
    Material(7).Mode(j) = j % 2;
    Material(7).OrVolNum(j) = j;
    Material(7).RemainVol(j) = -j;
  }
  ASSERT_TRUE(SaveMaterial());
  std::string text = dir.Read("material.dat");
  EXPECT_NE(text.find("#300\r\n"), std::string::npos);
  EXPECT_NE(text.find("%1000\r\n"), std::string::npos);
  auto saved = Material.All();
  for (int k = 1; k <= kMaterials; ++k) Material(k) = MaterialRec{};
  ASSERT_TRUE(LoadMaterial());
  EXPECT_TRUE(saved == Material.All());
}

TEST_F(MaterialFile, ReaderLeavesNoFieldOfMemoryAndFindsEitherSpelling) {
  Material(1).Unit = "old";
  Material(1).Date(5) = 123;
  dir.Write("Material.dat", CrLf({"#1", "Name=a", "%1", "Date=20010101", "Mode=Use", "n lower case is ignored",
                                  "#End", "", "%End"}));
  ASSERT_TRUE(LoadMaterial());
  EXPECT_EQ(Material(1).Name, "a");
  EXPECT_EQ(Material(1).Unit, "");
  EXPECT_EQ(Material(1).Date(1), 20010101);
  EXPECT_EQ(Material(1).Mode(1), 1);
  EXPECT_EQ(Material(1).Date(5), 0);
  // The writer replaces the same file rather than adding a second one.
  ASSERT_TRUE(SaveMaterial());
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"Material.dat"});
  EXPECT_EQ(dir.Read("Material.dat").substr(0, 12), "#1\r\nName=a\r\n");
}

TEST_F(MaterialFile, ErrorsStopTheReader) {
  struct Case {
    std::vector<std::string> lines;
    int number;
    long line;
  };
  std::vector<Case> cases = {
      {{"Name=before any header"}, 9, 1},
      {{"#1", "Date=20010101"}, 9, 2},  // no transaction yet
      {{"#301", "Name=x"}, 9, 2},
      {{"#1", "%1001", "Date=1"}, 9, 3},
      {{"#1", "Price=12yen"}, 13, 2},
      {{"#1", "%1", "Mode=Sell"}, 13, 3},
      {{"#1x"}, 13, 1},
      {{"#1", "Volume=99999999999"}, 6, 2},
  };
  for (auto& c : cases) {
    errors.clear();
    std::string text;
    for (auto& l : c.lines) text += l + "\r\n";
    dir.Write("material.dat", text);
    EXPECT_FALSE(LoadMaterial()) << text;
    ASSERT_EQ(errors.size(), 1u) << text;
    EXPECT_EQ(errors[0].number, c.number) << text;
    EXPECT_EQ(errors[0].line, c.line) << text;
  }
}

TEST_F(MaterialFile, LineBreaksInNameAndUnitCannotForgeLines) {
  Material(1).Name = "a\r\n#2";
  Material(1).Unit = "kg\nPrice=5";
  Material(2).Name = "b";
  ASSERT_TRUE(SaveMaterial());
  for (int k = 1; k <= 2; ++k) Material(k) = MaterialRec{};
  ASSERT_TRUE(LoadMaterial());
  EXPECT_EQ(Material(1).Name, "a #2");
  EXPECT_EQ(Material(1).Unit, "kg Price=5");
  EXPECT_EQ(Material(1).Price, 0);
  EXPECT_EQ(Material(2).Name, "b");
}
