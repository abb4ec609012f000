#include "store/MaterialBalance.h"

#include <gtest/gtest.h>

#include "runtime/RuntimeError.h"

// A changed count carries the remainders on in the order of entry; a
// stock-take is carried on from; an overflow changes nothing.
TEST(MaterialBalance, RemaindersAreCarriedOnInTheOrderOfEntry) {
  MaterialRec r;
  r.Volume = 20;
  const int32_t tx[][3] = {{20010510, 0, 2}, {20010503, 0, 2}, {20010601, 1, 2}, {20010602, 7, 9}, {20010603, 1, 1}};
  for (int j = 1; j <= 5; ++j) r.Date(j) = tx[j - 1][0], r.Mode(j) = tx[j - 1][1], r.OrVolNum(j) = tx[j - 1][2];
  r.RemainVol(4) = 555;
  r.RemainVol(6) = 99;  // beyond the last transaction: left alone
  r.OrVolNum(1) = 10;
  CarryRemainFrom(r, 1);
  EXPECT_EQ((std::vector<int32_t>{r.RemainVol(1), r.RemainVol(2), r.RemainVol(3), r.RemainVol(4), r.RemainVol(5),
                                  r.RemainVol(6)}),
            (std::vector<int32_t>{200, 240, 238, 555, 237, 99}));
  r.RemainVol(2) = 50;  // counted in the shed
  CarryRemainFrom(r, 3);
  EXPECT_EQ(r.RemainVol(2), 50);
  EXPECT_EQ(r.RemainVol(5), 47);

  const MaterialRec before = r;
  r.OrVolNum(2) = 200000000;
  const MaterialRec changed = r;
  EXPECT_THROW(CarryRemainFrom(r, 2), rt::RuntimeError);
  EXPECT_TRUE(r == changed);
  EXPECT_FALSE(r == before);
}
