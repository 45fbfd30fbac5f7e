// GetJd and JdToDate2: known Julian dates, the range ends, zones, the
// 1582 switch, every day of the range, and a cross-check against ERFA on
// Gregorian dates (ERFA uses the Gregorian calendar for every date, so
// only dates from 1582-10-15 on are compared).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <utility>

#include <gtest/gtest.h>

extern "C" {
#include <erfa.h>
}

#include "calendar_test_util.h"
#include "host/qelacl.h"

using namespace caltest;

namespace {

constexpr double kJdMin = -34803211.5;  // -99998-01-01 00:00 (Julian)
constexpr double kJdMax = 38245309.5;   // 100000-01-01 00:00 (Gregorian)

// Times of day on both calendars from the standard tables of Julian days
// (every midnight of the range is walked below, the Gregorian dates are
// compared with ERFA's).
TEST(JulianDate, KnownTimesOnBothCalendars) {
  const std::pair<tagADATE, double> cases[] = {{Date(2000, 1, 1, 12), 2451545.0},
                                                {Date(837, 4, 10, 7, 12), 2026871.8},
                                                {Date(-1001, 8, 17, 21, 36), 1355671.4},
                                                {Date(-4712, 1, 1, 12), 0.0}};
  for (const auto& [date, jd] : cases) {
    EXPECT_NEAR(GetJd(&date), jd, 1e-9) << Show(date);
    tagADATE back = Date(0, 0, 0);
    JdToDate2(jd, &back);
    EXPECT_TRUE(SameFields(RoundToSecond(back), date)) << jd;
  }
}

// (Every day's midnight, the range's ends among them, is walked below.)
TEST(JulianDate, RangeEndsAndZones) {
  const struct {
    tagADATE local;
    double jd;
    tagADATE ut;
  } cases[] = {
      {Date(100000, 1, 1, 9, 0, 0.0, 9.0), kJdMax, Date(100000, 1, 1)},  // east of Greenwich: ahead of UT
      {Date(2000, 1, 1, 12, 0, 0.0, 9.0), 2451544.625, Date(2000, 1, 1, 3)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GetJd(&c.local), c.jd) << Show(c.local);
    tagADATE back = Date(0, 0, 0);
    JdToDate2(c.jd, &back);
    EXPECT_TRUE(SameFields(back, c.ut));
  }
  // One second beyond either end leaves the range.
  const tagADATE after = Date(100000, 1, 1, 0, 0, 1.0), before = Date(-99999, 12, 31, 23, 59, 59.0);
  EXPECT_GT(GetJd(&after), kJdMax);
  EXPECT_LT(GetJd(&before), kJdMin);
}

TEST(JulianDate, TheLastMomentsOfTheJulianCalendar) {
  tagADATE date = Date(0, 0, 0);
  JdToDate2(2299160.49, &date);
  EXPECT_TRUE(SameFields(RoundToSecond(date), Date(1582, 10, 4, 23, 45, 36.0)));
  const tagADATE gap = Date(1582, 10, 5);
  EXPECT_EQ(GetJd(&gap), 2299160.5) << "skipped numbers are proleptic Julian dates";
}

// Every day of the supported range, in order: the JD of each day's 00:00
// gives the calendar day after the previous one, and back.
TEST(JulianDate, EveryDayOfTheRangeFollowsTheCalendarRules) {
  int64_t y = -99998;
  int m = 1, d = 1;
  tagADATE got = Date(0, 0, 0);
  for (double jd = kJdMin; jd <= kJdMax; jd += 1.0) {
    JdToDate2(jd, &got);
    const tagADATE want = Date(static_cast<int32_t>(y), m, d);
    if (!SameFields(got, want) || GetJd(&want) != jd) {
      FAIL() << "JD " << jd << ": " << SameFields(got, want).message() << ", back " << GetJd(&want);
    }
    NextDay(y, m, d);
  }
  EXPECT_TRUE(y == 100000 && m == 1 && d == 2);
}

TEST(JulianDate, FractionsOfTheDay) {
  tagADATE date = Date(0, 0, 0, 0, 0, 0.0, 5.5);
  JdToDate2(2451545.25, &date);
  EXPECT_TRUE(SameFields(date, Date(2000, 1, 1, 18)));
  EXPECT_EQ(date.dTimeZone, 5.5);  // left as it was

  // Just before midnight the seconds carry into the next day on rounding.
  JdToDate2(2451545.5 - 0.4 / 86400.0, &date);
  EXPECT_EQ(date.nDay, 1);
  EXPECT_NEAR(date.dSecond, 59.6, 1e-4);
  EXPECT_TRUE(SameFields(RoundToSecond(date), Date(2000, 1, 2)));

  // A JD a hair below a whole day never yields 24:00.
  JdToDate2(std::nextafter(2451545.5, 0.0), &date);
  EXPECT_TRUE(IsNormal(date));
  JdToDate2(std::nextafter(-0.5, -1.0), &date);  // the largest fraction of a day below 1
  EXPECT_TRUE(IsNormal(date));
  EXPECT_TRUE(SameFields(RoundToSecond(date), Date(-4712, 1, 1)));

  // Fractional seconds survive the trip to within a millisecond.
  const tagADATE precise = Date(99999, 12, 31, 23, 59, 59.25);
  JdToDate2(GetJd(&precise), &date);
  EXPECT_EQ(date.nMinute, 59);
  EXPECT_NEAR(date.dSecond, 59.25, 1e-3);
}

// The first days of the Gregorian calendar, then random dates and times
// both ways: fields to a Julian date, and a Julian date to fields that
// name the same instant as ERFA's (near midnight the two may fall on
// either side of it).
TEST(ErfaCrossCheck, GregorianDatesBothWays) {
  double djm0 = 0.0, djm = 0.0;
  for (int d = 15; d <= 31; ++d) {
    ASSERT_EQ(eraCal2jd(1582, 10, d, &djm0, &djm), 0);
    const tagADATE date = Date(1582, 10, d);
    EXPECT_EQ(GetJd(&date), djm0 + djm) << d;
  }
  std::mt19937_64 rng(1582);
  std::uniform_int_distribution<int> year(1583, 99999), month(1, 12), day(1, 31), second(0, 86399);
  std::uniform_real_distribution<double> jds(2299160.5, 38245309.5);
  for (int i = 0; i < 200000; ++i) {
    const int y = year(rng), m = month(rng), d = std::min(day(rng), DaysIn(y, m)), sod = second(rng);
    ASSERT_EQ(eraCal2jd(y, m, d, &djm0, &djm), 0);
    const tagADATE midnight = Date(y, m, d), date = Date(y, m, d, sod / 3600, sod / 60 % 60, sod % 60);
    ASSERT_EQ(GetJd(&midnight), djm0 + djm) << Show(midnight);
    ASSERT_NEAR(GetJd(&date), djm0 + djm + sod / 86400.0, 1e-8) << Show(date);

    const double jd = jds(rng);
    int ey = 0, em = 0, ed = 0;
    double fd = 0.0;
    ASSERT_EQ(eraJd2cal(jd, 0.0, &ey, &em, &ed, &fd), 0);
    tagADATE ours = Date(0, 0, 0);
    JdToDate2(jd, &ours);
    const tagADATE theirs = Date(ey, em, ed, 0, 0, fd * 86400.0);
    ASSERT_TRUE(IsNormal(ours));
    ASSERT_NEAR((GetJd(&ours) - GetJd(&theirs)) * 86400.0, 0.0, 2e-3) << jd;
  }
}

}  // namespace
