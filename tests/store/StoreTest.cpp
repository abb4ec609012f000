#include "store/Store.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>

using rt::RuntimeError;

TEST(DaysInMonth, FollowsTheYearModFourRule) {
  EXPECT_EQ(DaysInMonth(1999, 2), 28);
  EXPECT_EQ(DaysInMonth(2000, 2), 29);
  EXPECT_EQ(DaysInMonth(2028, 2), 29);
  EXPECT_EQ(DaysInMonth(2030, 2), 28);
  EXPECT_EQ(DaysInMonth(2001, 4), 30);
  EXPECT_EQ(DaysInMonth(2001, 12), 31);
  EXPECT_EQ(DaysInMonth(2001, 0), 0);
  EXPECT_EQ(DaysInMonth(2001, 13), 0);
}

TEST(DayOfYearToDate, WalksTheMonths) {
  EXPECT_EQ(DayOfYearToDate(2001, 1), "2001/1/1");
  EXPECT_EQ(DayOfYearToDate(2001, 123), "2001/5/3");
  EXPECT_EQ(DayOfYearToDate(2000, 60), "2000/2/29");
  EXPECT_EQ(DayOfYearToDate(2001, 60), "2001/3/1");
  EXPECT_EQ(DayOfYearToDate(2001, 0), "2001/1/1");
  EXPECT_EQ(DayOfYearToDate(2001, 365), "2001/12/31");
  EXPECT_EQ(DayOfYearToDate(2001, 400), "2001/12/31");
}

TEST(DayOfYear, EveryDayOfALeapAndACommonYearComesBackAndNumbersOutsideAreClamped) {
  for (int year : {2000, 2001}) {
    SCOPED_TRACE(year);
    int n = 0;
    for (int m = 1; m <= 12; ++m)
      for (int d = 1; d <= DaysInMonth(year, m); ++d) {
        ++n;
        ASSERT_EQ(DayOfYear(year, m, d), n) << m << "/" << d;
        ASSERT_EQ(DateOfDayOfYear(year, n), (MonthDay{m, d})) << n;
      }
    EXPECT_EQ(n, DaysInYear(year));
  }
  EXPECT_EQ(DaysInYear(2000), 366);
  EXPECT_EQ(DaysInYear(2030), 365);
  EXPECT_EQ(DayOfYear(2000, 3, 1), 61);  // after 29 February
  EXPECT_EQ(DayOfYear(2001, 3, 1), 60);
  EXPECT_EQ(DateOfDayOfYear(2001, 0), (MonthDay{1, 1}));
  EXPECT_EQ(DateOfDayOfYear(2001, -5), (MonthDay{1, 1}));
  EXPECT_EQ(DateOfDayOfYear(2001, 366), (MonthDay{12, 31}));
  EXPECT_EQ(DateOfDayOfYear(2000, 366), (MonthDay{12, 31}));
  EXPECT_EQ(DateOfDayOfYear(2000, 1000), (MonthDay{12, 31}));
}

TEST(Tables, IndexesOutsideTheirRangeRaiseNine) {
  ResetStore();
  auto number = [](auto f) {
    try {
      f();
    } catch (const RuntimeError& e) {
      return static_cast<int>(e.number());
    }
    return 0;
  };
  EXPECT_EQ(number([] { Kousui(1998, 12, 31); }), 9);
  EXPECT_EQ(number([] { Tenki(2031, 1, 1); }), 9);
  EXPECT_EQ(number([] { Nikki(2001, 13, 1); }), 9);
  EXPECT_EQ(number([] { Ondo(2001, 1, 32, 0); }), 9);
  EXPECT_EQ(number([] { Ondo(2001, 1, 1, 2); }), 9);
  EXPECT_EQ(number([] { Material(301); }), 9);
  EXPECT_EQ(number([] { Material(1).Date(1001); }), 9);
  EXPECT_EQ(number([] { PriceItem(1); }), 9);
  EXPECT_EQ(number([] { Schedule(0).SchedulePeriod(2001)(366); }), 9);
  // Days a month does not have still have slots.
  Kousui(2001, 2, 31) = 1.5f;
  EXPECT_EQ(Kousui(2001, 2, 31), 1.5f);
  ResetStore();
}

TEST(Tables, GrowingKeepsContentsAndResetLeavesOneEmptyEntry) {
  ResetStore();
  PriceItem(0).Name = "なす";
  PriceHigh(0)(2001, 5, 6) = 120;
  RedimPrice(3);
  EXPECT_EQ(PriceItem.UBound(), 3);
  EXPECT_EQ(PriceLow.UBound(), 3);
  EXPECT_EQ(PriceItem(0).Name, "なす");
  EXPECT_EQ(PriceHigh(0)(2001, 5, 6), 120);
  EXPECT_EQ(PriceHigh(3)(2001, 5, 6), 0);
  ResetPrice();
  EXPECT_EQ(PriceItem.UBound(), 0);
  EXPECT_EQ(PriceItem(0).Name, "");
  EXPECT_EQ(PriceHigh(0)(2001, 5, 6), 0);
}

TEST(Tables, EmptyDayTablesReadAsEmptyWithoutAllocating) {
  DayTable<std::string> a;
  const DayTable<std::string>& ca = a;
  EXPECT_EQ(ca(2001, 5, 6), "");
  DayTable<std::string> b;
  EXPECT_TRUE(a == b);
  b(2001, 5, 6) = "";  // allocated, still all empty
  EXPECT_TRUE(a == b);
  b(2001, 5, 6) = "x";
  EXPECT_FALSE(a == b);
  EXPECT_EQ(static_cast<const DayTable<std::string>&>(b)(2001, 5, 6), "x");
  b.Fill("");
  EXPECT_TRUE(a == b);
  EXPECT_THROW(ca(2031, 1, 1), RuntimeError);
  b.Fill("038");
  EXPECT_EQ(b(2030, 12, 31), "038");
}

TEST(Tables, ScheduleYearsCompareByContentsAndCopiesKeepTheirOwnEntries) {
  ScheduleRec a, b;
  b.SchedulePeriod(2001)(300) = {};  // room for the late entries, none in use
  EXPECT_TRUE(a == b);
  b.SchedulePeriod(2001)(300).Start = 101;
  EXPECT_FALSE(a == b);
  a = b;
  b.SchedulePeriod(2001)(300).Start = 0;
  EXPECT_EQ(std::as_const(a).SchedulePeriod(2001)(300).Start, 101);
  EXPECT_FALSE(a == b);
}

TEST(Changes, AWriteOfTheStoredValueMarksNothingAndARealChangeMarksOnlyItsKind) {
  ResetStore();
  const std::pair<RecordKind, std::function<bool()>> writes[] = {
      {RecordKind::Weather, [] { return StoreTemperature(2001, 2, 3, 1, 12.5f); }},
      {RecordKind::Weather, [] { return StoreWeatherCode(2001, 2, 3, "120"); }},
      {RecordKind::Diary, [] { return StoreDiaryText(2001, 2, 3, "晴れ"); }},
      {RecordKind::Price, [] { return StorePriceItem(0, {"トマト", 900, 0}); }},
      {RecordKind::Material, [] {
         MaterialRec rec;
         rec.Name = "肥料";
         return StoreMaterial(2, rec);
       }},
      {RecordKind::Observe, [] { return StoreObserveComment(0, 2001, 2, 3, "芽"); }},
      {RecordKind::Schedule, [] { return StorePeriod(0, 2001, 4, {301, 310, 0}); }},
  };
  for (const auto& [kind, write] : writes) {
    ClearChangeFlags();
    EXPECT_TRUE(write());
    for (RecordKind k : {RecordKind::Weather, RecordKind::Diary, RecordKind::Price, RecordKind::Schedule,
                         RecordKind::Observe, RecordKind::Material})
      EXPECT_EQ(Changed(k), k == kind) << static_cast<int>(kind);
    ClearChangeFlags();
    EXPECT_FALSE(write());
    EXPECT_FALSE(AnyChangeFlag()) << static_cast<int>(kind);
  }
  // What the files would hold the same is no change either: the default
  // weather code for an empty one, a place given to an unused period.
  EXPECT_FALSE(StoreWeatherCode(2002, 1, 1, "038"));
  EXPECT_FALSE(StorePeriod(0, 2001, 5, {0, 0, 3}));
  EXPECT_FALSE(AnyChangeFlag());
  EXPECT_TRUE(StorePeriod(0, 2001, 4, {}));  // deleting a used period is
  EXPECT_TRUE(Changed(RecordKind::Schedule));
  ResetStore();
}
