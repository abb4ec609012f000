#include "store/ScheduleFile.h"

#include <gtest/gtest.h>

#include "runtime/Cp932.h"
#include "store/DataFile.h"
#include "store/StoreFixture.h"

using ScheduleFile = StoreTest;

TEST_F(ScheduleFile, MissingFileLeavesOneEmptyEntryEach) {
  Schedule.RedimPreserve(2);
  FarmName.RedimPreserve(2);
  FarmName(0) = "x";
  ASSERT_TRUE(LoadSchedule());
  EXPECT_EQ(Schedule.UBound(), 0);
  EXPECT_EQ(FarmName.UBound(), 0);
  EXPECT_EQ(FarmName(0), "");
}

TEST_F(ScheduleFile, WritesUsedEntriesAndReadsThemBackPacked) {
  FarmName.RedimPreserve(12);
  for (int i = 0; i <= 12; ++i) FarmName(i) = "畑" + std::to_string(i);
  FarmName(1) = "北,東側";
  Schedule.RedimPreserve(1);
  Schedule(0).Work = "田植え";
  Schedule(0).SchedulePeriod(2001)(3) = {523, 525, 1};
  Schedule(0).SchedulePeriod(2001)(7) = {1101, 1231, 255};
  Schedule(1).Work = "稲刈り";
  ASSERT_TRUE(SaveSchedule());
  auto lines = SplitLines(rt::Cp932ToUtf8(dir.Read("Schedule.dat")));
  EXPECT_EQ(lines[0], "#Farm");
  EXPECT_EQ(lines[1], "0,畑0");
  EXPECT_EQ(lines[2], "1,北,東側");
  EXPECT_EQ(lines[14], "#End");
  EXPECT_EQ(lines[15], "#0");
  EXPECT_EQ(lines[16], "Work=田植え");
  EXPECT_EQ(lines[17], "%1999");
  EXPECT_EQ(lines[18], "%End");
  size_t y2001 = 17 + 2 * 2;
  EXPECT_EQ(lines[y2001], "%2001");
  EXPECT_EQ(lines[y2001 + 1], "0523/0525,1");
  EXPECT_EQ(lines[y2001 + 2], "1101/1231,255");
  EXPECT_EQ(lines[y2001 + 3], "%End");
  EXPECT_EQ(lines.size(), 15u + 2 * (2 + 64 + 1) + 2);
  EXPECT_EQ(lines.back(), "#End");

  std::string first = dir.Read("Schedule.dat");
  ASSERT_TRUE(LoadSchedule());
  EXPECT_EQ(FarmName.UBound(), 12);
  EXPECT_EQ(FarmName(1), "北,東側");
  EXPECT_EQ(FarmName(12), "畑12");
  EXPECT_EQ(Schedule.UBound(), 1);
  EXPECT_EQ(Schedule(1).Work, "稲刈り");
  EXPECT_EQ(Schedule(0).SchedulePeriod(2001)(0), (SchedulePeriodRec{523, 525, 1}));
  EXPECT_EQ(Schedule(0).SchedulePeriod(2001)(1), (SchedulePeriodRec{1101, 1231, 255}));
  EXPECT_EQ(Schedule(0).SchedulePeriod(2001)(3).Start, 0);
  ASSERT_TRUE(SaveSchedule());
  EXPECT_EQ(dir.Read("Schedule.dat"), first);
}

TEST_F(ScheduleFile, ReaderStateRules) {
  // The entry counter resets only at "%End"; "#End" returns to work 0.
  dir.Write("Schedule.dat", CrLf({"#Farm", "3,c", "#End", "#2", "Work=w2", "%2001", "0101/0102,0", "%2002",
                                  "0201/0202,1", "%End", "#End", "%2003", "0301/0302,2", "%End"}));
  ASSERT_TRUE(LoadSchedule());
  EXPECT_EQ(FarmName.UBound(), 3);
  EXPECT_EQ(FarmName(3), "c");
  EXPECT_EQ(Schedule.UBound(), 2);
  EXPECT_EQ(Schedule(2).SchedulePeriod(2001)(0).Start, 101);
  EXPECT_EQ(Schedule(2).SchedulePeriod(2002)(1).Start, 201);
  EXPECT_EQ(Schedule(2).SchedulePeriod(2002)(0).Start, 0);
  EXPECT_EQ(Schedule(0).SchedulePeriod(2003)(0).Place, 2);
}

TEST_F(ScheduleFile, ErrorsStopTheReader) {
  std::string full = "%2001\r\n";
  for (int i = 0; i < 367; ++i) full += "0101/0101,0\r\n";
  struct Case {
    std::string text;
    int number;
    long line;
  };
  std::vector<Case> cases = {
      {CrLf({"0101/0102,0"}), 9, 1},                      // outside a year block
      {CrLf({"%2031", "0101/0102,0"}), 9, 2},
      {CrLf({"%2001", "0101/0102,256"}), 6, 2},           // Place above 255
      {CrLf({"%2001", "0101/0102,-1"}), 6, 2},
      {CrLf({"%2001", "0101/-102,1"}), 6, 2},             // a negative day cannot be written back
      {CrLf({"%2001", "1E4 /0102,1"}), 6, 2},             // nor one of five digits
      {CrLf({"%2001", "01x1/0102,1"}), 13, 2},
      {CrLf({"%2001", "0101/0102,"}), 13, 2},
      {CrLf({"#Farm", "5 no comma"}), 9, 2},
      {CrLf({"#Farm", "x5,a"}), 0, 0},                    // not a digit: ignored
      {CrLf({"#Farm", "-1,a"}), 0, 0},                    // not a digit: ignored
      {CrLf({"#Farm", "1a,name"}), 13, 2},
      {CrLf({"#1000"}), 9, 1},                            // more works than the program holds
      {full, 9, 368},                                     // a 367th period in one year
  };
  for (auto& c : cases) {
    errors.clear();
    dir.Write("Schedule.dat", c.text);
    EXPECT_EQ(LoadSchedule(), c.number == 0) << c.text.substr(0, 40);
    if (c.number == 0) continue;
    ASSERT_EQ(errors.size(), 1u) << c.text.substr(0, 40);
    EXPECT_EQ(errors[0].number, c.number) << c.text.substr(0, 40);
    EXPECT_EQ(errors[0].line, c.line) << c.text.substr(0, 40);
  }
}

TEST_F(ScheduleFile, LineBreaksInNamesCannotForgeLines) {
  FarmName(0) = "a\r\n1,forged";
  Schedule(0).Work = "w\n%2001";
  ASSERT_TRUE(SaveSchedule());
  ASSERT_TRUE(LoadSchedule());
  EXPECT_EQ(FarmName.UBound(), 0);
  EXPECT_EQ(FarmName(0), "a 1,forged");
  EXPECT_EQ(Schedule(0).Work, "w %2001");
}
