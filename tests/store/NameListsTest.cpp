#include <gtest/gtest.h>

#include "store/NameLists.h"
#include "store/PriceFile.h"
#include "store/StoreFixture.h"

using NameLists = StoreTest;

namespace {

// Produce 0..2 with prices on the first and last day of the tables, and
// works 0..2 with a period in 1999 and 2030 that name them.
void ThreeOfEach() {
  RedimPrice(2);
  Schedule.RedimPreserve(2);
  for (int i = 0; i < 3; ++i) {
    PriceItem(i) = PriceItemRec{"p" + std::to_string(i), 300 + i, 7};
    PriceHigh(i)(1999, 1, 1) = 100 + i;
    PriceLow(i)(2030, 12, 31) = 300 + i;
    Schedule(i).Work = "w" + std::to_string(i);
    Schedule(i).SchedulePeriod(1999)(0) = {int16_t(101 + i), 201, uint8_t(i)};
    Schedule(i).SchedulePeriod(2030)(365) = {int16_t(1201 + i), 1231, uint8_t(i)};
  }
}

void ExpectProduce(int entry, int was) {
  SCOPED_TRACE(entry);
  EXPECT_EQ(PriceHigh(entry)(1999, 1, 1), 100 + was);
  EXPECT_EQ(PriceLow(entry)(2030, 12, 31), 300 + was);
  EXPECT_EQ(PriceItem(entry).Max, 300 + was);
}

}  // namespace

TEST_F(NameLists, ProduceKeepTheirPricesANewOneStartsEmptyAndTheFileReadsBack) {
  ThreeOfEach();
  RebuildNameList(NameList::Produce, {{"p0", 0}, {"p1", 1}, {"p2", 2}, {"new", -3}});
  ASSERT_EQ(PriceLow.UBound(), 3);
  for (int i = 0; i < 3; ++i) ExpectProduce(i, i);
  EXPECT_EQ(PriceItem(3), (PriceItemRec{"new", 1000, 0}));
  EXPECT_TRUE(PriceHigh(3).IsEmpty() && PriceMid(3).IsEmpty() && PriceLow(3).IsEmpty());
  // The exit question covers the rebuilt prices even after the schedule
  // window's save has cleared its own flag.
  EXPECT_TRUE(Changed(RecordKind::Price));

  // Reordered, renamed and one deleted.
  RebuildNameList(NameList::Produce, {{"new", 3}, {"p2 renamed", 2}, {"p0", 0}});
  ASSERT_TRUE(SavePrice());
  ResetPrice();
  ASSERT_TRUE(LoadPrice());
  EXPECT_EQ(ListNames(NameList::Produce), (std::vector<std::string>{"new", "p2 renamed", "p0"}));
  EXPECT_TRUE(PriceHigh(0).IsEmpty());
  ExpectProduce(1, 2);
  ExpectProduce(2, 0);
  EXPECT_TRUE(errors.empty());
}

TEST_F(NameLists, AMovedWorkTakesItsPeriodsOfEveryYearAndPeriodsFollowTheirPlaces) {
  ThreeOfEach();
  FarmName.RedimPreserve(2);
  RebuildNameList(NameList::Work, {{"w1", 1}, {"w0", 0}, {"w2", 2}});
  const int was[] = {1, 0, 2};
  for (int w = 0; w < 3; ++w) {
    EXPECT_EQ(Schedule(w).Work, "w" + std::to_string(was[w]));
    EXPECT_EQ(Schedule(w).SchedulePeriod(1999)(0), (SchedulePeriodRec{int16_t(101 + was[w]), 201, uint8_t(was[w])}));
    EXPECT_EQ(Schedule(w).SchedulePeriod(2030)(365).Start, 1201 + was[w]);
  }
  EXPECT_TRUE(Changed(RecordKind::Schedule));

  RebuildNameList(NameList::Place, {{"東", 0}, {"西の畑", 2}, {"北", 1}});
  EXPECT_EQ(Schedule(2).SchedulePeriod(1999)(0).Place, 1);
  EXPECT_EQ(Schedule(2).SchedulePeriod(2030)(365).Place, 1);
}

TEST_F(NameLists, ADeletedCropLosesItsRecordsTheLaterOnesMoveUpARepeatedOneIsCopied) {
  ObserveItem.RedimPreserve(2);
  ObserveFile.RedimPreserve(2);
  for (int i = 0; i < 3; ++i) {
    ObserveItem(i).Name = "crop" + std::to_string(i);
    ObserveItem(i).Comment(2004, 2, 29) = "comment" + std::to_string(i);
    ObserveFile(i)(2004, 2, 29) = "pic" + std::to_string(i) + ".jpg";
  }
  RebuildNameList(NameList::Observe, {{"crop0", 0}, {"crop2", 2}});
  ASSERT_EQ(ObserveFile.UBound(), 1);
  EXPECT_EQ(ObserveItem(0).Comment(2004, 2, 29), "comment0");
  EXPECT_EQ(ObserveItem(1).Name, "crop2");
  EXPECT_EQ(ObserveItem(1).Comment(2004, 2, 29), "comment2");
  EXPECT_EQ(ObserveFile(1)(2004, 2, 29), "pic2.jpg");
  EXPECT_TRUE(Changed(RecordKind::Observe));

  // The first row of an entry takes its records over, a second one copies.
  RebuildNameList(NameList::Observe, {{"copy", 1}, {"crop0", 0}, {"crop2", 1}});
  EXPECT_EQ(ObserveFile(0)(2004, 2, 29), "pic2.jpg");
  EXPECT_EQ(ObserveItem(2).Comment(2004, 2, 29), "comment2");
  EXPECT_EQ(ObserveFile(2)(2004, 2, 29), "pic2.jpg");
}

TEST_F(NameLists, AFailureLeavesEveryArrayAsItWas) {
  ThreeOfEach();
  ObserveItem(0).Name = "crop";
  const auto item = PriceItem;
  const auto high = PriceHigh;
  const auto schedule = Schedule;
  const auto observe = ObserveItem;
  for (NameList list : {NameList::Produce, NameList::Work, NameList::Observe, NameList::Place}) {
    SCOPED_TRACE(static_cast<int>(list));
    // An origin past the list on the last row, met after the others.
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
  EXPECT_EQ(PriceMid.UBound(), 2);
  EXPECT_EQ(Schedule, schedule);
  EXPECT_EQ(ObserveItem, observe);
  EXPECT_EQ(FarmName.UBound(), 0);
  EXPECT_FALSE(Changed(RecordKind::Price));
  EXPECT_FALSE(Changed(RecordKind::Schedule));
  EXPECT_FALSE(Changed(RecordKind::Observe));
}
