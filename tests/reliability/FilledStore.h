#pragma once
// Records of every kind in July 2005, told apart by one number: Fill(1) is
// one version of the data set, Fill(2) another with every kind changed.
#include <string>

#include "store/Store.h"

inline void FillRecords(int v) {
  for (int d = 1; d <= 31; ++d) {
    Ondo(2005, 7, d, 1) = 20.0f + v;
    Kousui(2005, 7, d) = static_cast<float>(v);
    Tenki(2005, 7, d) = v == 1 ? "038" : "138";
    Nikki(2005, 7, d) = "日記" + std::to_string(v);
  }
  PriceItem(0).Name = "トマト";
  PriceItem(0).Max = 1000;
  PriceHigh(0)(2005, 7, 1) = 100 * v;
  Material(1).Name = "肥料";
  Material(1).Date(1) = 20050701;
  Material(1).OrVolNum(1) = v;
  ObserveItem(0).Name = "キュウリ";
  ObserveItem(0).Comment(2005, 7, 1) = "観察" + std::to_string(v);
  Schedule(0).Work = "田植え";
  Schedule(0).SchedulePeriod(2005)(0) = {501, static_cast<int16_t>(510 + v), 0};
  FarmName(0) = "上の田";
}
