// GetJd and JdToDate2: known Julian dates, the range ends, zones, the
// 1582 switch, and every day of the range.
#include <cmath>
#include <cstdint>
#include <utility>

#include <gtest/gtest.h>

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

TEST(JulianDate, RangeEndsAndZones) {
  const struct {
    tagADATE local;
    double jd;
    tagADATE ut;
  } cases[] = {
      {Date(100000, 1, 1), kJdMax, Date(100000, 1, 1)},
      {Date(-99998, 1, 1), kJdMin, Date(-99998, 1, 1)},
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

}  // namespace
