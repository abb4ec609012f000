#include "store/WeatherFiles.h"

#include <gtest/gtest.h>

#include "store/DataFile.h"
#include "store/StoreFixture.h"

using WeatherFiles = StoreTest;

namespace {
std::vector<std::string> FileLines(const TempDir& d, const std::string& name) {
  return SplitLines(d.Read(name));
}
}  // namespace

TEST_F(WeatherFiles, FirstStartWithoutTenkiGives038EverywhereAndSaves384Lines) {
  ASSERT_TRUE(LoadTenki());
  EXPECT_EQ(Tenki(1999, 1, 1), "038");
  EXPECT_EQ(Tenki(2000, 2, 29), "038");
  EXPECT_EQ(Tenki(2030, 12, 31), "038");
  EXPECT_EQ(Tenki(1999, 2, 29), "");  // not a real day
  EXPECT_EQ(Tenki(2001, 4, 31), "");
  ASSERT_TRUE(SaveTenki());
  auto lines = FileLines(dir, "tenki.dat");
  ASSERT_EQ(lines.size(), 384u);
  EXPECT_EQ(lines[0].substr(0, 12), "1999/01,038,");
  EXPECT_EQ(lines[1], "1999/02" + [] {
    std::string s;
    for (int i = 0; i < 28; ++i) s += ",038";
    return s;
  }());
  EXPECT_EQ(dir.Read("tenki.dat").substr(dir.Read("tenki.dat").size() - 6), ",038\r\n");
}

TEST_F(WeatherFiles, MissingRainAndTemperatureFilesLeaveTheTables) {
  Kousui(2001, 1, 1) = 5.0f;
  Ondo(2001, 1, 1, 1) = 7.0f;
  EXPECT_TRUE(LoadKousui());
  EXPECT_TRUE(LoadOndo());
  EXPECT_EQ(Kousui(2001, 1, 1), 5.0f);
  EXPECT_EQ(Ondo(2001, 1, 1, 1), 7.0f);
  EXPECT_TRUE(errors.empty());
}

TEST_F(WeatherFiles, MonthLinesHoldExactlyTheDaysOfTheMonth) {
  ASSERT_TRUE(SaveKousui());
  auto lines = FileLines(dir, "kousui.dat");
  ASSERT_EQ(lines.size(), 384u);
  auto values = [&](const std::string& key) {
    for (auto& l : lines)
      if (l.rfind(key, 0) == 0) return std::count(l.begin(), l.end(), ',');
    return -1L;
  };
  EXPECT_EQ(values("1999/02"), 28);
  EXPECT_EQ(values("2000/02"), 29);
  EXPECT_EQ(values("2028/02"), 29);
  EXPECT_EQ(values("2030/02"), 28);
  EXPECT_EQ(values("2001/04"), 30);
  EXPECT_EQ(lines.back().substr(0, 8), "2030/12,");
}

TEST_F(WeatherFiles, TemperaturesWriteHighsThenLowsAndRoundTrip) {
  Ondo(2001, 5, 6, 1) = 20.1f;
  Ondo(2001, 5, 6, 0) = -0.5f;
  Ondo(2000, 2, 29, 1) = 0.3f;
  Ondo(2030, 12, 31, 0) = -15.0f;
  ASSERT_TRUE(SaveOndo());
  auto lines = FileLines(dir, "ondo.dat");
  ASSERT_EQ(lines.size(), 768u);
  EXPECT_EQ(lines[0].substr(0, 11), "1,1999/01,0");
  EXPECT_EQ(lines[1].substr(0, 11), "0,1999/01,0");
  size_t may2001 = ((2001 - 1999) * 12 + 4) * 2;
  EXPECT_NE(lines[may2001].find(",20.1,"), std::string::npos);
  EXPECT_EQ(lines[may2001].rfind("1,2001/05", 0), 0u);
  EXPECT_NE(lines[may2001 + 1].find(",-.5,"), std::string::npos);
  std::string first = dir.Read("ondo.dat");

  ResetStore();
  DataPath = dir.dir();
  ASSERT_TRUE(LoadOndo());
  EXPECT_EQ(Ondo(2001, 5, 6, 1), 20.1f);
  EXPECT_EQ(Ondo(2001, 5, 6, 0), -0.5f);
  EXPECT_EQ(Ondo(2000, 2, 29, 1), 0.3f);
  EXPECT_EQ(Ondo(2030, 12, 31, 0), -15.0f);
  ASSERT_TRUE(SaveOndo());
  EXPECT_EQ(dir.Read("ondo.dat"), first);
}

TEST_F(WeatherFiles, ReadsPointThreeWithOrWithoutTheLeadingZero) {
  dir.Write("kousui.dat", CrLf({"2001/04,.3,0.3, 1.5,abc,,7mm"}));
  ASSERT_TRUE(LoadKousui());
  EXPECT_EQ(Kousui(2001, 4, 1), 0.3f);
  EXPECT_EQ(Kousui(2001, 4, 2), 0.3f);
  EXPECT_EQ(Kousui(2001, 4, 3), 1.5f);
  EXPECT_EQ(Kousui(2001, 4, 4), 0.0f);
  EXPECT_EQ(Kousui(2001, 4, 5), 0.0f);
  EXPECT_EQ(Kousui(2001, 4, 6), 7.0f);
}

TEST_F(WeatherFiles, AShortLineFillsOnlyItsDaysTheOthersAreEmpty) {
  for (int d = 1; d <= 30; ++d) Kousui(2001, 4, d) = 9.0f;
  dir.Write("kousui.dat", CrLf({"2001/04,1,2,3"}));
  ASSERT_TRUE(LoadKousui());
  EXPECT_EQ(Kousui(2001, 4, 1), 1.0f);
  EXPECT_EQ(Kousui(2001, 4, 3), 3.0f);
  EXPECT_EQ(Kousui(2001, 4, 4), 0.0f);
  EXPECT_EQ(Kousui(2001, 4, 30), 0.0f);
  // A month without a line is empty, whatever it held in memory.
  Kousui(2002, 1, 1) = 4.0f;
  Kousui(2002, 1, 2) = 4.0f;
  ASSERT_TRUE(LoadKousui());
  EXPECT_EQ(Kousui(2002, 1, 1), 0.0f);
  EXPECT_EQ(Kousui(2002, 1, 2), 0.0f);
}

TEST_F(WeatherFiles, ALongLinesLastDayGetsTheEmptyAccumulator) {
  std::string line = "2001/04";
  for (int d = 1; d <= 32; ++d) line += "," + std::to_string(d);
  dir.Write("kousui.dat", CrLf({line}));
  ASSERT_TRUE(LoadKousui());
  EXPECT_EQ(Kousui(2001, 4, 29), 29.0f);
  EXPECT_EQ(Kousui(2001, 4, 30), 0.0f);
  EXPECT_EQ(Kousui(2001, 4, 31), 0.0f);  // never a real day
  std::string codes = "2001/04";
  for (int d = 1; d <= 31; ++d) codes += ",116";
  dir.Write("tenki.dat", CrLf({codes}));
  ASSERT_TRUE(LoadTenki());
  EXPECT_EQ(Tenki(2001, 4, 29), "116");
  EXPECT_EQ(Tenki(2001, 4, 30), "");
}

TEST_F(WeatherFiles, TheLastLineForAMonthWins) {
  dir.Write("tenki.dat", CrLf({"2001/04,116,116", "2001/04,023"}));
  ASSERT_TRUE(LoadTenki());
  EXPECT_EQ(Tenki(2001, 4, 1), "023");
}

TEST_F(WeatherFiles, ABadKeyRejectsTheWholeFile) {
  Kousui(2001, 4, 1) = 9.0f;
  dir.Write("kousui.dat", CrLf({"2001/04,1,2,3", "2031/01,5"}));
  EXPECT_FALSE(LoadKousui());
  EXPECT_EQ(numbers(), std::vector<int>{9});
  EXPECT_EQ(Kousui(2001, 4, 1), 9.0f);

  errors.clear();
  dir.Write("kousui.dat", CrLf({"2001/04,1", ""}));  // an empty line reads as year 0
  EXPECT_FALSE(LoadKousui());
  EXPECT_EQ(numbers(), std::vector<int>{9});
  EXPECT_EQ(errors[0].line, 2);

  errors.clear();
  dir.Write("ondo.dat", CrLf({"2,2001/04,1"}));
  EXPECT_FALSE(LoadOndo());
  EXPECT_EQ(numbers(), std::vector<int>{9});

  errors.clear();
  dir.Write("tenki.dat", CrLf({"2001/13,023"}));
  EXPECT_FALSE(LoadTenki());
  EXPECT_EQ(numbers(), std::vector<int>{9});
}

TEST_F(WeatherFiles, FebruaryTwentyNinthOnlyInLeapYears) {
  std::string lines;
  for (int y : {1999, 2000, 2028, 2030}) {
    std::string l = std::to_string(y) + "/02";
    for (int d = 1; d <= 29; ++d) l += ",1";
    lines += l + "\r\n";
  }
  dir.Write("kousui.dat", lines);
  ASSERT_TRUE(LoadKousui());
  EXPECT_EQ(Kousui(2000, 2, 29), 1.0f);
  EXPECT_EQ(Kousui(2028, 2, 29), 1.0f);
  EXPECT_EQ(Kousui(1999, 2, 28), 0.0f);  // 29 values: the last day gets the empty value
  EXPECT_EQ(Kousui(1999, 2, 29), 0.0f);
  EXPECT_EQ(Kousui(2030, 2, 29), 0.0f);
}

TEST_F(WeatherFiles, EveryDayValueCountsProgressAndYields) {
  static int yields;
  yields = 0;
  YieldHook = [] { ++yields; };
  ProgressCount = 0;
  ASSERT_TRUE(SaveKousui());
  EXPECT_EQ(ProgressCount, 11688);
  EXPECT_EQ(yields, 11688);
  ProgressCount = 0;
  ASSERT_TRUE(LoadKousui());
  EXPECT_EQ(ProgressCount, 11688 - 384);  // the comma after a month's last day does not count

  // A window's own saves never start the count again; after enough of them
  // it stays at its limit instead of overflowing.
  ProgressCount = INT32_MAX - 5;
  ASSERT_TRUE(SaveKousui());
  EXPECT_EQ(ProgressCount, INT32_MAX);
}
