#include "store/ObserveFile.h"

#include <gtest/gtest.h>

#include "runtime/Cp932.h"
#include "store/DataFile.h"
#include "store/StoreFixture.h"

using ObserveFileTest = StoreTest;

TEST_F(ObserveFileTest, MissingFileLeavesOneEmptyEntry) {
  ObserveItem.RedimPreserve(3);
  ObserveFile.RedimPreserve(3);
  ObserveItem(0).Name = "x";
  ASSERT_TRUE(LoadObserve());
  EXPECT_EQ(ObserveItem.UBound(), 0);
  EXPECT_EQ(ObserveFile.UBound(), 0);
  EXPECT_EQ(ObserveItem(0).Name, "");
}

TEST_F(ObserveFileTest, WritesEveryDayAndRoundTripsCommentsWithCommasAndBreaks) {
  ObserveItem.RedimPreserve(1);
  ObserveFile.RedimPreserve(1);
  ObserveItem(0).Name = "トマト";
  ObserveItem(0).Comment(2001, 5, 5) = "葉が黄色, 追肥した\r\n雨\r\n";
  ObserveFile(0)(2001, 5, 5) = "/home/farm/写真/a.jpg";
  ObserveItem(1).Name = "なす";
  ObserveFile(1)(2000, 2, 29) = "b.jpg";
  ASSERT_TRUE(SaveObserve());
  auto lines = SplitLines(rt::Cp932ToUtf8(dir.Read("observe.dat")));
  ASSERT_EQ(lines.size(), 2u * (1 + 1 + 32 + 11688 + 1) + 1);
  EXPECT_EQ(lines[0], "#0");
  EXPECT_EQ(lines[1], "Name=トマト");
  EXPECT_EQ(lines[2], "%1999");
  EXPECT_EQ(lines[3], "0101,,");
  EXPECT_EQ(lines[3 + 365], "%2000");
  EXPECT_EQ(lines[1 + 1 + 32 + 11688], "%End");
  EXPECT_EQ(lines.back(), "#End");
  EXPECT_NE(std::find(lines.begin(), lines.end(), "0505,/home/farm/写真/a.jpg,葉が黄色, 追肥した^~雨^~"), lines.end());
  // After a save the comment in memory still holds its line breaks.
  EXPECT_EQ(ObserveItem(0).Comment(2001, 5, 5), "葉が黄色, 追肥した\r\n雨\r\n");

  std::string first = dir.Read("observe.dat");
  ResetStore();
  DataPath = dir.dir();
  ASSERT_TRUE(LoadObserve());
  ASSERT_EQ(ObserveItem.UBound(), 1);
  ASSERT_EQ(ObserveFile.UBound(), 1);
  EXPECT_EQ(ObserveItem(0).Comment(2001, 5, 5), "葉が黄色, 追肥した\r\n雨\r\n");
  EXPECT_EQ(ObserveFile(0)(2001, 5, 5), "/home/farm/写真/a.jpg");
  EXPECT_EQ(ObserveFile(1)(2000, 2, 29), "b.jpg");
  EXPECT_EQ(ObserveItem(1).Name, "なす");
  ASSERT_TRUE(SaveObserve());
  EXPECT_EQ(dir.Read("observe.dat"), first);
}

TEST_F(ObserveFileTest, ItemsKeepTheirIndexesAndAReloadLeavesNoOldPicture) {
  ObserveFile(0)(2001, 1, 1) = "old.jpg";
  dir.Write("observe.dat", CrLf({"#0", "Name=a", "%2001", "0102,,c", "%End", "#2", "Name=c", "#End"}));
  ASSERT_TRUE(LoadObserve());
  EXPECT_EQ(ObserveItem.UBound(), 2);
  EXPECT_EQ(ObserveFile.UBound(), 2);
  EXPECT_EQ(ObserveItem(1).Name, "");
  EXPECT_EQ(ObserveItem(2).Name, "c");
  EXPECT_EQ(ObserveItem(0).Comment(2001, 1, 2), "c");
  EXPECT_EQ(ObserveFile(0)(2001, 1, 1), "");
}

TEST_F(ObserveFileTest, DayLineFields) {
  ObserveFile(0)(2001, 5, 7) = "old.jpg";
  dir.Write("observe.dat", CrLf({"#0", "%2001", "0505,p.jpg,", "0506,,a,b,,c", "0507,only comment", "0508,q.jpg,x^~y",
                                  "0508,,", "#End"}));
  ASSERT_TRUE(LoadObserve());
  EXPECT_EQ(ObserveFile(0)(2001, 5, 5), "p.jpg");
  EXPECT_EQ(ObserveItem(0).Comment(2001, 5, 5), "");
  EXPECT_EQ(ObserveItem(0).Comment(2001, 5, 6), "a,b,,c");
  // With one comma the rest is the comment and there is no picture.
  EXPECT_EQ(ObserveItem(0).Comment(2001, 5, 7), "only comment");
  EXPECT_EQ(ObserveFile(0)(2001, 5, 7), "");
  // A day the file repeats ends with its later, empty values.
  EXPECT_EQ(ObserveFile(0)(2001, 5, 8), "");
  EXPECT_EQ(ObserveItem(0).Comment(2001, 5, 8), "");
}

TEST_F(ObserveFileTest, ErrorsStopTheReader) {
  struct Case {
    std::vector<std::string> lines;
    int number;
    long line;
  };
  std::vector<Case> cases = {
      {{"%2001", "0101,,x"}, 9, 2},           // before any item
      {{"#0", "0101,,x"}, 9, 2},              // before any year
      {{"#0", "%2031", "0101,,x"}, 9, 3},     // year out of range
      {{"#0", "%2001", "1301,,x"}, 9, 3},     // month out of range
      {{"#0", "%2001", "0x01,,x"}, 13, 3},    // month not a number
      {{"#0", "%2001", "0101"}, 9, 3},        // no date field at all
      {{"#1x"}, 13, 1},
      {{"#99999"}, 9, 1},                     // more items than the program holds
      {{"Name=before any item"}, 9, 1},
  };
  for (auto& c : cases) {
    errors.clear();
    std::string text;
    for (auto& l : c.lines) text += l + "\r\n";
    dir.Write("observe.dat", text);
    EXPECT_FALSE(LoadObserve()) << text;
    ASSERT_EQ(errors.size(), 1u) << text;
    EXPECT_EQ(errors[0].number, c.number) << text;
    EXPECT_EQ(errors[0].line, c.line) << text;
  }
}

TEST_F(ObserveFileTest, SeparatorsInPicturePathsAndNamesCannotCorruptTheDay) {
  ObserveItem(0).Name = "a\r\n#5";
  ObserveFile(0)(2001, 5, 5) = "/photos/2001,May/a.jpg";
  ObserveFile(0)(2001, 5, 6) = "x\ny.jpg";
  ObserveItem(0).Comment(2001, 5, 5) = "note, with comma";
  ObserveItem(0).Comment(2001, 5, 6) = "lone\nbreak";
  ASSERT_TRUE(SaveObserve());
  ASSERT_TRUE(LoadObserve());
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(ObserveItem.UBound(), 0);
  EXPECT_EQ(ObserveItem(0).Name, "a #5");
  EXPECT_EQ(ObserveFile(0)(2001, 5, 5), "/photos/2001，May/a.jpg");
  EXPECT_EQ(ObserveItem(0).Comment(2001, 5, 5), "note, with comma");
  EXPECT_EQ(ObserveFile(0)(2001, 5, 6), "x y.jpg");
  EXPECT_EQ(ObserveItem(0).Comment(2001, 5, 6), "lone\r\nbreak");
}
