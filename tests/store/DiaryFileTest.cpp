#include "store/DiaryFile.h"

#include <gtest/gtest.h>

#include "runtime/Cp932.h"
#include "store/DataFile.h"
#include "store/StoreFixture.h"

using DiaryFile = StoreTest;

TEST_F(DiaryFile, WritesOneLinePerRealDayWithMarkersAndASpaceForEmptyDays) {
  Nikki(2001, 5, 5) = "晴れ\r\n畑を耕した";
  Nikki(2001, 5, 6) = "\r\n";
  Nikki(2001, 5, 7) = "a\r\nb\r\nc";
  Nikki(1999, 2, 29) = "never written";
  ASSERT_TRUE(SaveNikki());
  auto lines = SplitLines(rt::Cp932ToUtf8(dir.Read("nikki.dat")));
  ASSERT_EQ(lines.size(), 11688u);
  EXPECT_EQ(lines.front(), "1999/0101, ");
  EXPECT_EQ(lines.back(), "2030/1231, ");
  auto lineOf = [&](const std::string& key) {
    for (auto& l : lines)
      if (l.rfind(key, 0) == 0) return l;
    return std::string("<none>");
  };
  EXPECT_EQ(lineOf("2001/0505,"), "2001/0505,晴れ^~畑を耕した");
  EXPECT_EQ(lineOf("2001/0506,"), "2001/0506,^~");
  EXPECT_EQ(lineOf("2001/0507,"), "2001/0507,a^~b^~c");
  EXPECT_EQ(lineOf("2000/0229,"), "2000/0229, ");
  EXPECT_EQ(lineOf("1999/0229"), "<none>");
  // Shift-JIS on disk.
  EXPECT_NE(dir.Read("nikki.dat").find("\x90\xB0\x82\xEA"), std::string::npos);  // 晴れ
  EXPECT_EQ(ProgressCount, 11688);

  ResetStore();
  DataPath = dir.dir();
  ASSERT_TRUE(LoadNikki());
  EXPECT_EQ(Nikki(2001, 5, 5), "晴れ\r\n畑を耕した");
  EXPECT_EQ(Nikki(2001, 5, 6), "\r\n");
  EXPECT_EQ(Nikki(2001, 5, 7), "a\r\nb\r\nc");
  EXPECT_EQ(Nikki(2001, 5, 8), " ");  // an empty day comes back as one space
  EXPECT_EQ(Nikki(1999, 2, 29), "");
}

TEST_F(DiaryFile, ReaderEmptiesDaysWithoutALineAndTurnsMarkersIntoLineBreaks) {
  Nikki(2001, 5, 5) = "old";
  Nikki(2001, 5, 6) = "not in the file";
  dir.Write("nikki.dat", CrLf({"2001/0505,^~first^~", "2001/0507,x^~y", "2001/05 8,spaced day"}));
  ASSERT_TRUE(LoadNikki());
  EXPECT_EQ(Nikki(2001, 5, 5), "\r\nfirst\r\n");
  EXPECT_EQ(Nikki(2001, 5, 6), "");
  EXPECT_EQ(Nikki(2001, 5, 7), "x\r\ny");
  EXPECT_EQ(Nikki(2001, 5, 8), "spaced day");
  // One progress step per line and one more per marker.
  EXPECT_EQ(ProgressCount, 3 + 2 + 1);
}

TEST_F(DiaryFile, MissingFileLeavesTheTable) {
  Nikki(2001, 1, 1) = "x";
  EXPECT_TRUE(LoadNikki());
  EXPECT_EQ(Nikki(2001, 1, 1), "x");
  EXPECT_TRUE(errors.empty());
}

TEST_F(DiaryFile, ABadDateStopsAtItsLineKeepingEarlierLines) {
  dir.Write("nikki.dat", CrLf({"2001/0101,one", "2001/1301,bad month", "2001/0102,never"}));
  EXPECT_FALSE(LoadNikki());
  EXPECT_EQ(Nikki(2001, 1, 1), "one");
  EXPECT_EQ(Nikki(2001, 1, 2), "");
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].number, 9);
  EXPECT_EQ(errors[0].file, "nikki.dat");
  EXPECT_EQ(errors[0].line, 2);

  for (const char* bad : {"", "2031/0101,x", "2001/0132,x", "9E99/0101,x"}) {
    errors.clear();
    dir.Write("nikki.dat", CrLf({bad}));
    EXPECT_FALSE(LoadNikki()) << bad;
    ASSERT_EQ(errors.size(), 1u) << bad;
    EXPECT_TRUE(errors[0].number == 9 || errors[0].number == 6) << bad;
  }
}

TEST_F(DiaryFile, LoneLineBreaksCannotSplitTheFile) {
  // A text pasted with bare LF or CR line ends is written with markers too.
  Nikki(2002, 3, 4) = "a\nb\rc\r\n";
  Nikki(2002, 3, 5) = "2002/0306,forged";
  ASSERT_TRUE(SaveNikki());
  EXPECT_EQ(SplitLines(rt::Cp932ToUtf8(dir.Read("nikki.dat"))).size(), 11688u);
  ASSERT_TRUE(LoadNikki());
  EXPECT_EQ(Nikki(2002, 3, 4), "a\r\nb\r\nc\r\n");
  EXPECT_EQ(Nikki(2002, 3, 6), " ");
  EXPECT_TRUE(errors.empty());
}
