// Helpers shared by the calendar tests: record builders, an independent
// statement of the calendar rules, and a field-by-field comparison.
#pragma once

#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "host/qelacl.h"

namespace caltest {

inline tagADATE Date(int32_t y, int32_t m, int32_t d, int32_t h = 0, int32_t mi = 0, double s = 0.0,
                     double zone = 0.0) {
  return tagADATE{y, m, d, h, mi, s, zone};
}

inline tagADATEDIFF Diff(int32_t years, int32_t months, int32_t days, int32_t hours = 0,
                         int32_t minutes = 0, double seconds = 0.0) {
  return tagADATEDIFF{years, months, days, hours, minutes, seconds};
}

// The leap-year rule written out plainly, independent of the library.
// Up to 1582 the signed remainder: 0, -4, -8 ... are leap years.
inline bool Leap(int64_t y) { return y > 1582 ? (y % 4 == 0 && y % 100 != 0) || y % 400 == 0 : y % 4 == 0; }

inline int DaysIn(int64_t y, int m) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && Leap(y) ? 29 : kDays[m - 1];
}

// The calendar day after (y, m, d), with the jump of October 1582.
inline void NextDay(int64_t& y, int& m, int& d) {
  if (y == 1582 && m == 10 && d == 4) {
    d = 15;
  } else if (d < DaysIn(y, m)) {
    ++d;
  } else {
    d = 1;
    if (++m > 12) m = 1, ++y;
  }
}

inline std::string Show(const tagADATE& a) {
  return std::to_string(a.nYear) + "-" + std::to_string(a.nMonth) + "-" + std::to_string(a.nDay) +
         " " + std::to_string(a.nHour) + ":" + std::to_string(a.nMinute) + ":" +
         std::to_string(a.dSecond) + " z" + std::to_string(a.dTimeZone);
}

// Every field in its ordinary range, the day within its month.
inline ::testing::AssertionResult IsNormal(const tagADATE& a) {
  const bool ok = a.nMonth >= 1 && a.nMonth <= 12 && a.nDay >= 1 &&
                  a.nDay <= DaysIn(a.nYear, a.nMonth) && a.nHour >= 0 && a.nHour <= 23 &&
                  a.nMinute >= 0 && a.nMinute <= 59 && a.dSecond >= 0.0 && a.dSecond < 60.0 &&
                  !(a.nYear == 1582 && a.nMonth == 10 && a.nDay > 4 && a.nDay < 15);
  return ok ? ::testing::AssertionSuccess() : ::testing::AssertionFailure() << "not normalised: " << Show(a);
}

// Same calendar fields and second (exact), zone ignored.
inline ::testing::AssertionResult SameFields(const tagADATE& got, const tagADATE& want) {
  const bool same = got.nYear == want.nYear && got.nMonth == want.nMonth && got.nDay == want.nDay &&
                    got.nHour == want.nHour && got.nMinute == want.nMinute && got.dSecond == want.dSecond;
  if (same) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "got " << Show(got) << ", want " << Show(want);
}

inline tagADATE Changed(tagADATE date, const tagADATEDIFF& diff, int direction = 0) {
  ChangeDate(&date, &diff, direction);
  return date;
}

inline tagADATE Normalised(const tagADATE& date) { return Changed(date, Diff(0, 0, 0)); }

// How the callers make whole seconds: add 0.5 s with ChangeDate, then cut.
inline tagADATE RoundToSecond(tagADATE a) {
  a = Changed(a, Diff(0, 0, 0, 0, 0, 0.5));
  a.dSecond = static_cast<double>(static_cast<int>(a.dSecond));
  return a;
}

}  // namespace caltest
