#include "platform/Today.h"

namespace {
std::optional<QDate>& TodayOverride() {
  static std::optional<QDate> d;
  return d;
}
}  // namespace

void SetTodayOverride(std::optional<QDate> today) { TodayOverride() = today; }

YearMonthDay Today() {
  QDate d = TodayOverride() ? *TodayOverride() : QDate::currentDate();
  if (d.year() < kFirstYear) d = QDate(kFirstYear, 1, 1);
  if (d.year() > kLastYear) d = QDate(kLastYear, 12, 31);
  return {static_cast<int16_t>(d.year()), static_cast<int16_t>(d.month()), static_cast<int16_t>(d.day())};
}
