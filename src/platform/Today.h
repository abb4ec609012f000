#pragma once
// Today's date as the windows use it.
#include <QDate>
#include <optional>

#include "store/Store.h"

// Today's date, clamped into the years the tables hold: before 1999 gives
// 1999-01-01, after 2030 gives 2030-12-31.
YearMonthDay Today();
// Replaces the system date (tests); nullopt restores it.
void SetTodayOverride(std::optional<QDate> today);
