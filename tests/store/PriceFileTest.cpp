#include "store/PriceFile.h"

#include <gtest/gtest.h>

#include "runtime/Cp932.h"
#include "store/DataFile.h"
#include "store/StoreFixture.h"

using PriceFile = StoreTest;

namespace {
std::string Days(int n, const std::string& v) {
  std::string s;
  for (int i = 0; i < n; ++i) s += (i ? "," : "") + v;
  return s;
}
}  // namespace

TEST_F(PriceFile, MissingOrEmptyFileResetsToOneUnnamedItem) {
  RedimPrice(4);
  PriceItem(0).Name = "トマト";
  PriceHigh(0)(2001, 1, 1) = 5;
  ASSERT_TRUE(LoadPrice());
  EXPECT_EQ(PriceItem.UBound(), 0);
  EXPECT_EQ(PriceHigh.UBound(), 0);
  EXPECT_EQ(PriceLow.UBound(), 0);
  EXPECT_EQ(PriceItem(0).Name, "");
  EXPECT_EQ(PriceItem(0).Max, 1000);
  EXPECT_EQ(PriceHigh(0)(2001, 1, 1), 0);

  RedimPrice(2);
  PriceItem(0).Name = "x";
  dir.Write("price.dat", CrLf({"no items here", "#End"}));
  ASSERT_TRUE(LoadPrice());
  EXPECT_EQ(PriceItem.UBound(), 0);
  EXPECT_EQ(PriceItem(0).Name, "");
}

TEST_F(PriceFile, WritesBlocksAndReadsThemBack) {
  RedimPrice(1);
  PriceItem(0) = {"トマト", 1200, 50};
  PriceItem(1) = {"なす", 300, 0};
  PriceHigh(0)(2001, 4, 30) = 120;
  PriceMid(0)(2001, 4, 1) = -7;
  PriceLow(1)(2000, 2, 29) = 99;
  ASSERT_TRUE(SavePrice());
  auto lines = SplitLines(rt::Cp932ToUtf8(dir.Read("price.dat")));
  ASSERT_EQ(lines.size(), 2u * 1156);
  EXPECT_EQ(lines[0], "#Start0");
  EXPECT_EQ(lines[1], "Name=トマト");
  EXPECT_EQ(lines[2], "Max=1200");
  EXPECT_EQ(lines[3], "H,1999/01," + Days(31, "0"));
  EXPECT_EQ(lines[4].substr(0, 11), "M,1999/01,0");
  EXPECT_EQ(lines[5].substr(0, 11), "L,1999/01,0");
  EXPECT_EQ(lines[1155], "#End");
  EXPECT_EQ(lines[1156], "#Start1");
  size_t apr2001 = 3 + ((2001 - 1999) * 12 + 3) * 3;
  EXPECT_EQ(lines[apr2001], "H,2001/04," + Days(29, "0") + ",120");
  EXPECT_EQ(lines[apr2001 + 1], "M,2001/04,-7," + Days(29, "0"));
  EXPECT_EQ(std::count(lines[3 + 3 * 13].begin(), lines[3 + 3 * 13].end(), ','), 1 + 29);  // Feb 2000
  for (auto& l : lines) EXPECT_NE(l.rfind("Min", 0), 0u);  // never written

  std::string first = dir.Read("price.dat");
  ResetStore();
  DataPath = dir.dir();
  ASSERT_TRUE(LoadPrice());
  ASSERT_EQ(PriceItem.UBound(), 1);
  EXPECT_EQ(PriceItem(0).Name, "トマト");
  EXPECT_EQ(PriceItem(0).Max, 1200);
  EXPECT_EQ(PriceItem(0).Min, 0);
  EXPECT_EQ(PriceHigh(0)(2001, 4, 30), 120);
  EXPECT_EQ(PriceMid(0)(2001, 4, 1), -7);
  EXPECT_EQ(PriceLow(1)(2000, 2, 29), 99);
  ASSERT_TRUE(SavePrice());
  EXPECT_EQ(dir.Read("price.dat"), first);
}

TEST_F(PriceFile, IndexGapsAndShrinkingLeaveOnlyTheFilesContents) {
  RedimPrice(4);
  for (int i = 0; i <= 4; ++i) PriceItem(i).Name = "old" + std::to_string(i);
  PriceHigh(1)(2001, 1, 1) = 11;
  PriceHigh(0)(2001, 1, 2) = 12;
  dir.Write("price.dat", CrLf({"#Start0", "Name=a", "#End", "#Start1", "Name=b", "#End"}));
  ASSERT_TRUE(LoadPrice());
  EXPECT_EQ(PriceItem.UBound(), 1);
  EXPECT_EQ(PriceMid.UBound(), 1);
  EXPECT_EQ(PriceItem(1).Name, "b");
  // Prices the file does not hold are gone, whichever item held them.
  EXPECT_EQ(PriceHigh(1)(2001, 1, 1), 0);
  EXPECT_EQ(PriceHigh(0)(2001, 1, 2), 0);

  ResetPrice();
  dir.Write("price.dat", CrLf({"#Start0", "Name=a", "#End", "#Start3", "Name=d", "#End"}));
  ASSERT_TRUE(LoadPrice());
  EXPECT_EQ(PriceItem.UBound(), 3);
  EXPECT_EQ(PriceLow.UBound(), 3);
  EXPECT_EQ(PriceItem(1).Name, "");
  EXPECT_EQ(PriceItem(2).Max, 0);
  EXPECT_EQ(PriceHigh(2)(2001, 1, 1), 0);
}

TEST_F(PriceFile, PriceLineScanning) {
  PriceHigh(0)(2001, 4, 5) = 55;
  PriceLow(0)(2001, 2, 28) = 77;
  dir.Write("price.dat", CrLf({"#Start0", "Min=42",
                               "H,2001/04,1,2,3,4,",            // trailing comma: nothing more
                               "M,2001/04, 7 ,8,junk",          // a last non-number is ignored
                               "L,2001/02," + Days(28, "9") + ",10,11",  // extra values ignored
                               "H,2001/03,1.5,2.5", "#End"}));
  ASSERT_TRUE(LoadPrice());
  EXPECT_EQ(PriceItem(0).Min, 42);
  EXPECT_EQ(PriceHigh(0)(2001, 4, 4), 4);
  EXPECT_EQ(PriceHigh(0)(2001, 4, 5), 0);
  EXPECT_EQ(PriceMid(0)(2001, 4, 1), 7);
  EXPECT_EQ(PriceMid(0)(2001, 4, 2), 8);
  EXPECT_EQ(PriceLow(0)(2001, 2, 28), 9);
  EXPECT_EQ(PriceLow(0)(2001, 2, 29), 0);
  EXPECT_EQ(PriceLow(0)(2001, 3, 1), 0);
  EXPECT_EQ(PriceHigh(0)(2001, 3, 1), 2);  // halves round to even
  EXPECT_EQ(PriceHigh(0)(2001, 3, 2), 2);
}

TEST_F(PriceFile, ErrorsStopTheReaderWithTheRightNumber) {
  struct Case {
    std::vector<std::string> lines;
    int number;
    long line;
  };
  std::vector<Case> cases = {
      {{"#Start0", "H,2001/04,1,,3"}, 13, 2},
      {{"#Start0", "H,2001/04,x,3"}, 13, 2},
      {{"#Start0", "H,2031/01,1"}, 9, 2},
      {{"#Start0", "H,2001/13,1"}, 9, 2},
      {{"#Start0", "#End", "Name=after end"}, 9, 3},
      {{"Name=before start"}, 9, 1},
      {{"#Start0", "Max=40000"}, 6, 2},
      {{"#Start-1"}, 9, 1},
      {{"#Start"}, 13, 1},
      {{"#Start32767"}, 9, 1},  // more items than the program holds
  };
  for (auto& c : cases) {
    errors.clear();
    std::string text;
    for (auto& l : c.lines) text += l + "\r\n";
    dir.Write("price.dat", text);
    EXPECT_FALSE(LoadPrice()) << text;
    ASSERT_EQ(errors.size(), 1u) << text;
    EXPECT_EQ(errors[0].number, c.number) << text;
    EXPECT_EQ(errors[0].line, c.line) << text;
  }
  // Lines before the error stay applied.
  errors.clear();
  dir.Write("price.dat", CrLf({"#Start1", "Name=kept", "Max=x"}));
  EXPECT_FALSE(LoadPrice());
  EXPECT_EQ(PriceItem.UBound(), 1);
  EXPECT_EQ(PriceItem(1).Name, "kept");
}

TEST_F(PriceFile, LineBreaksInANameStayOnTheNameLine) {
  PriceItem(0).Name = "トマト\r\n#Start5";
  ASSERT_TRUE(SavePrice());
  ASSERT_TRUE(LoadPrice());
  EXPECT_EQ(PriceItem.UBound(), 0);
  EXPECT_EQ(PriceItem(0).Name, "トマト #Start5");
}
