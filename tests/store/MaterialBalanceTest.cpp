#include "store/MaterialBalance.h"

#include <gtest/gtest.h>

#include "runtime/RuntimeError.h"

TEST(MaterialBalance, RemaindersAreCarriedOnInTheOrderOfEntryFromAStockTakeToo) {
  MaterialRec r;
  r.Volume = 20;
  const int32_t rows[][4] = {{20010510, 0, 10, 40}, {20010503, 0, 2, 80}, {20010601, 1, 2, 78}, {20010602, 7, 9, 5}};
  for (int j = 1; j <= 4; ++j) {
    const int32_t* v = rows[j - 1];
    r.Date(j) = v[0], r.Mode(j) = v[1], r.OrVolNum(j) = v[2], r.RemainVol(j) = v[3];
  }
  CarryRemainFrom(r, 1);
  // 10 units bought instead of 2; a transaction of neither mode keeps its own.
  EXPECT_EQ(std::vector<int32_t>(&r.RemainVol(1), &r.RemainVol(5) + 1), (std::vector<int32_t>{200, 240, 238, 5, 0}));
  r.RemainVol(1) = 50;  // counted in the shed
  CarryRemainFrom(r, 2);
  EXPECT_EQ(r.RemainVol(3), 88);
  r.OrVolNum(2) = 200000000;  // beyond 32 bits: nothing carried
  const MaterialRec before = r;
  EXPECT_THROW(CarryRemainFrom(r, 2), rt::RuntimeError);
  EXPECT_TRUE(r == before);
}
