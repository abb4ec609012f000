#include <gtest/gtest.h>

#include <limits>

#include "store/NameLists.h"
#include "store/PriceFile.h"
#include "store/ScheduleFile.h"
#include "store/StoreFixture.h"

using NameLists = StoreTest;

namespace {

// Three produce, each with a price on its first and last day of the range.
void ThreeProduce() {
  RedimPrice(2);
  const char* names[] = {"トマト", "ナス", "キュウリ"};
  for (int i = 0; i < 3; ++i) {
    PriceItem(i) = PriceItemRec{names[i], 300 + i, 7};
    PriceHigh(i)(1999, 1, 1) = 100 + i;
    PriceMid(i)(2015, 6, 15) = 200 + i;
    PriceLow(i)(2030, 12, 31) = 300 + i;
  }
}

void ExpectProducePrices(int entry, int was) {
  SCOPED_TRACE(entry);
  EXPECT_EQ(PriceHigh(entry)(1999, 1, 1), 100 + was);
  EXPECT_EQ(PriceMid(entry)(2015, 6, 15), 200 + was);
  EXPECT_EQ(PriceLow(entry)(2030, 12, 31), 300 + was);
  EXPECT_EQ(PriceItem(entry).Max, 300 + was);
}

// Works 0..2, each with a period in 1999 and in 2030 that names it.
void ThreeWorks() {
  Schedule.RedimPreserve(2);
  for (int w = 0; w < 3; ++w) {
    Schedule(w).Work = "work" + std::to_string(w);
    Schedule(w).SchedulePeriod(1999)(0) = {int16_t(101 + w), int16_t(201 + w), uint8_t(w)};
    Schedule(w).SchedulePeriod(2030)(365) = {int16_t(1201 + w), int16_t(1231), uint8_t(10 + w)};
  }
}

}  // namespace

TEST_F(NameLists, AddedProduceStartsEmptyWithLimit1000AndTheOthersKeepTheirPrices) {
  ThreeProduce();
  RebuildNameList(NameList::Produce, {{"トマト", 0}, {"ナス", 1}, {"キュウリ", 2}, {"ピーマン", -3}});
  ASSERT_EQ(PriceItem.UBound(), 3);
  ASSERT_EQ(PriceHigh.UBound(), 3);
  ASSERT_EQ(PriceMid.UBound(), 3);
  ASSERT_EQ(PriceLow.UBound(), 3);
  for (int i = 0; i < 3; ++i) ExpectProducePrices(i, i);
  EXPECT_EQ(PriceItem(3).Name, "ピーマン");
  EXPECT_EQ(PriceItem(3).Max, 1000);
  EXPECT_EQ(PriceItem(3).Min, 0);
  EXPECT_TRUE(PriceHigh(3).IsEmpty() && PriceMid(3).IsEmpty() && PriceLow(3).IsEmpty());
  // The exit question must cover the rebuilt prices even after the
  // schedule window's save has cleared its own flag.
  EXPECT_EQ(PriceChanged, -1);
}

TEST_F(NameLists, ReorderedAndRenamedProduceCarryTheirRecordsAndReadBackFromTheFile) {
  ThreeProduce();
  // A new row at the top, the old entry 0 second, the middle one deleted.
  RebuildNameList(NameList::Produce, {{"新", -2}, {"トマト", 0}, {"胡瓜", 2}});
  ASSERT_EQ(PriceItem.UBound(), 2);
  EXPECT_EQ(PriceItem(0).Name, "新");
  EXPECT_EQ(PriceItem(0).Max, 1000);
  EXPECT_TRUE(PriceHigh(0).IsEmpty());
  ExpectProducePrices(1, 0);
  ExpectProducePrices(2, 2);
  EXPECT_EQ(PriceItem(2).Name, "胡瓜");
  EXPECT_EQ(PriceItem(2).Min, 7);

  ASSERT_TRUE(SavePrice());
  ResetPrice();
  ASSERT_TRUE(LoadPrice());
  ASSERT_EQ(PriceItem.UBound(), 2);
  EXPECT_EQ(PriceItem(0).Name, "新");
  EXPECT_EQ(PriceItem(2).Name, "胡瓜");
  ExpectProducePrices(1, 0);
  EXPECT_EQ(PriceLow(2)(2030, 12, 31), 302);
  EXPECT_TRUE(errors.empty());
}

TEST_F(NameLists, MovedWorkTakesItsPeriodsOfEveryYear) {
  ThreeWorks();
  RebuildNameList(NameList::Work, {{"work1", 1}, {"work0", 0}, {"work2", 2}});
  for (int w = 0; w < 3; ++w) {
    int was = w == 0 ? 1 : w == 1 ? 0 : 2;
    SCOPED_TRACE(w);
    EXPECT_EQ(Schedule(w).Work, "work" + std::to_string(was));
    EXPECT_EQ(Schedule(w).SchedulePeriod(1999)(0),
              (SchedulePeriodRec{int16_t(101 + was), int16_t(201 + was), uint8_t(was)}));
    EXPECT_EQ(Schedule(w).SchedulePeriod(2030)(365).Start, 1201 + was);
  }
  EXPECT_EQ(ScheduleChanged, -1);
}

TEST_F(NameLists, RenamedPlaceKeepsItsPeriodsPointingAtIt) {
  ThreeWorks();
  FarmName.RedimPreserve(2);
  FarmName(0) = "東";
  FarmName(1) = "西";
  FarmName(2) = "南";
  RebuildNameList(NameList::Place, {{"東", 0}, {"西の畑", 1}, {"南", 2}});
  EXPECT_EQ(ListNames(NameList::Place), (std::vector<std::string>{"東", "西の畑", "南"}));
  EXPECT_EQ(Schedule(1).SchedulePeriod(1999)(0).Place, 1);
  EXPECT_EQ(Schedule(1).Work, "work1");

  // A deleted place is not renumbered in the periods either: they keep
  // their number, which now names whatever place holds it.
  RebuildNameList(NameList::Place, {{"西の畑", 1}, {"南", 2}});
  EXPECT_EQ(Schedule(2).SchedulePeriod(1999)(0).Place, 2);
  EXPECT_EQ(FarmName.UBound(), 1);

  // The renamed list reads back with the schedule.
  ASSERT_TRUE(SaveSchedule());
  FarmName.Reset();
  ASSERT_TRUE(LoadSchedule());
  EXPECT_EQ(ListNames(NameList::Place), (std::vector<std::string>{"西の畑", "南"}));
  EXPECT_EQ(Schedule(2).SchedulePeriod(2030)(0).Start, 1203);  // packed from 0 on reading
}

TEST_F(NameLists, DeletedObservedCropLosesItsRecordsAndTheLaterOnesMoveUp) {
  ObserveItem.RedimPreserve(2);
  ObserveFile.RedimPreserve(2);
  for (int i = 0; i < 3; ++i) {
    ObserveItem(i).Name = "crop" + std::to_string(i);
    ObserveItem(i).Comment(2004, 2, 29) = "comment" + std::to_string(i);
    ObserveFile(i)(2004, 2, 29) = "pic" + std::to_string(i) + ".jpg";
  }
  RebuildNameList(NameList::Observe, {{"crop0", 0}, {"crop2", 2}});
  ASSERT_EQ(ObserveItem.UBound(), 1);
  ASSERT_EQ(ObserveFile.UBound(), 1);
  EXPECT_EQ(ObserveItem(0).Comment(2004, 2, 29), "comment0");
  EXPECT_EQ(ObserveItem(1).Name, "crop2");
  EXPECT_EQ(ObserveItem(1).Comment(2004, 2, 29), "comment2");
  EXPECT_EQ(ObserveFile(1)(2004, 2, 29), "pic2.jpg");

  // Records are taken over by the first row of their entry; a second row of
  // the same entry gets copies, whichever comes first.
  RebuildNameList(NameList::Observe, {{"copy", 1}, {"crop0", 0}, {"crop2", 1}});
  EXPECT_EQ(ObserveItem(0).Comment(2004, 2, 29), "comment2");
  EXPECT_EQ(ObserveFile(0)(2004, 2, 29), "pic2.jpg");
  EXPECT_EQ(ObserveItem(2).Name, "crop2");
  EXPECT_EQ(ObserveFile(2)(2004, 2, 29), "pic2.jpg");
  EXPECT_EQ(ObserveItem(1).Comment(2004, 2, 29), "comment0");
}

TEST_F(NameLists, AFailureLeavesEveryArrayAsItWas) {
  ThreeProduce();
  ThreeWorks();
  ObserveItem(0).Name = "crop";
  const auto item = PriceItem;
  const auto high = PriceHigh;
  const auto low = PriceLow;
  const auto schedule = Schedule;
  const auto observe = ObserveItem;

  // An origin past the list on the last row: the rows before it have been
  // copied when it is met.
  for (NameList list : {NameList::Produce, NameList::Work, NameList::Observe, NameList::Place}) {
    SCOPED_TRACE(static_cast<int>(list));
    try {
      RebuildNameList(list, {{"a", 1}, {"b", 0}, {"c", 99}});
      ADD_FAILURE() << "no error";
    } catch (const rt::RuntimeError& e) {
      EXPECT_EQ(e.number(), rt::kErrSubscript);
    }
    // A list is never left empty.
    EXPECT_THROW(RebuildNameList(list, {}), rt::RuntimeError);
  }
  EXPECT_EQ(PriceItem, item);
  EXPECT_EQ(PriceHigh, high);
  EXPECT_EQ(PriceLow, low);
  EXPECT_EQ(PriceMid.UBound(), 2);
  EXPECT_EQ(Schedule, schedule);
  EXPECT_EQ(ObserveItem, observe);
  EXPECT_EQ(FarmName.UBound(), 0);
  EXPECT_EQ(PriceChanged, 0);
  EXPECT_EQ(ScheduleChanged, 0);
}

TEST_F(NameLists, TagsAndLimits) {
  EXPECT_EQ(NameListOfTag("Produce"), NameList::Produce);
  EXPECT_EQ(NameListOfTag("Observe"), NameList::Observe);
  EXPECT_EQ(NameListOfTag("produce"), std::nullopt);
  EXPECT_EQ(NameListOfTag(""), std::nullopt);
  // Every place must be reachable from a period's one-byte place number.
  EXPECT_EQ(NameListLimit(NameList::Place) - 1, std::numeric_limits<decltype(SchedulePeriodRec::Place)>::max());
  EXPECT_EQ(NameListLimit(NameList::Work), kListLimit);
}
