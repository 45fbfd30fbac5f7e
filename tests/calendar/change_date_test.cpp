// ChangeDate and ChangeTimezone: normalisation, calendar steps, the 1582
// switch, zone shifts, and round trips.
#include <cmath>
#include <random>

#include <gtest/gtest.h>

#include "calendar_test_util.h"
#include "host/qelacl.h"

using namespace caltest;

namespace {

TEST(ChangeDate, ZeroOffsetNormalisesEveryField) {
  EXPECT_TRUE(SameFields(Normalised(Date(2023, 4, 31)), Date(2023, 5, 1)));
  EXPECT_TRUE(SameFields(Normalised(Date(2023, 6, 10, 30)), Date(2023, 6, 11, 6)));
  EXPECT_TRUE(SameFields(Normalised(Date(99998, 12, 31, 30)), Date(99999, 1, 1, 6)));
  EXPECT_TRUE(SameFields(Normalised(Date(2024, 3, 1, -1)), Date(2024, 2, 29, 23)));
  EXPECT_TRUE(SameFields(Normalised(Date(2023, 3, 1, -1)), Date(2023, 2, 28, 23)));
  EXPECT_TRUE(SameFields(Normalised(Date(2023, 1, 1, 24 * 400)), Date(2024, 2, 5)));
  EXPECT_TRUE(SameFields(Normalised(Date(2023, 1, 1, -24 * 365)), Date(2022, 1, 1)));
  EXPECT_TRUE(SameFields(Normalised(Date(2023, 1, 1, 0, 75)), Date(2023, 1, 1, 1, 15)));
  EXPECT_TRUE(SameFields(Normalised(Date(2023, 1, 1, 0, -1)), Date(2022, 12, 31, 23, 59)));
  EXPECT_TRUE(SameFields(Normalised(Date(2023, 1, 1, 0, 0, 60.0)), Date(2023, 1, 1, 0, 1)));
  EXPECT_TRUE(
      SameFields(Normalised(Date(2023, 1, 1, 0, 0, -1.0)), Date(2022, 12, 31, 23, 59, 59.0)));
  EXPECT_TRUE(SameFields(Normalised(Date(2023, 1, 1, 0, 0, 3600.5)), Date(2023, 1, 1, 1, 0, 0.5)));
  EXPECT_TRUE(SameFields(Normalised(Date(2023, 13, 1)), Date(2024, 1, 1)));
  EXPECT_TRUE(SameFields(Normalised(Date(2023, 0, 1)), Date(2022, 12, 1)));
  EXPECT_TRUE(SameFields(Normalised(Date(2023, -11, 1)), Date(2022, 1, 1)));
  EXPECT_TRUE(SameFields(Normalised(Date(2024, 3, 0)), Date(2024, 2, 29)));
  EXPECT_TRUE(SameFields(Normalised(Date(2023, 1, -1)), Date(2022, 12, 30)));
  EXPECT_TRUE(SameFields(Normalised(Date(1500, 2, 29)), Date(1500, 2, 29)));
  EXPECT_TRUE(SameFields(Normalised(Date(1900, 2, 29)), Date(1900, 3, 1)));
  // What the date dialog can hand over: hour 30 on day 31 of a 30-day month.
  EXPECT_TRUE(
      SameFields(Normalised(Date(2023, 9, 31, 30, 59, 59.0)), Date(2023, 10, 2, 6, 59, 59.0)));
}

TEST(ChangeDate, LeapYearsFollowTheJulianRuleUpTo1582) {
  struct Case {
    int year;
    bool leap;
  };
  const Case cases[] = {{1500, true},  {1582, false}, {1600, true}, {1700, false},
                        {1900, false}, {2000, true},  {2004, true}, {0, true},
                        {-1, false},   {-4, true},    {-100, true}, {1300, true}};
  for (const Case& c : cases) {
    const tagADATE next = Changed(Date(c.year, 2, 28), Diff(0, 0, 1));
    EXPECT_TRUE(SameFields(next, c.leap ? Date(c.year, 2, 29) : Date(c.year, 3, 1))) << c.year;
  }
}

TEST(ChangeDate, YearAndMonthStepsKeepTheDayInsideTheMonth) {
  EXPECT_TRUE(SameFields(Changed(Date(2023, 1, 31), Diff(0, 1, 0)), Date(2023, 2, 28)));
  EXPECT_TRUE(SameFields(Changed(Date(2024, 1, 31), Diff(0, 1, 0)), Date(2024, 2, 29)));
  EXPECT_TRUE(SameFields(Changed(Date(1500, 1, 31), Diff(0, 1, 0)), Date(1500, 2, 29)));
  EXPECT_TRUE(SameFields(Changed(Date(2024, 3, 31), Diff(0, 1, 0), 1), Date(2024, 2, 29)));
  EXPECT_TRUE(SameFields(Changed(Date(2024, 2, 29), Diff(1, 0, 0)), Date(2025, 2, 28)));
  EXPECT_TRUE(SameFields(Changed(Date(2000, 1, 31), Diff(0, 1, 0), 1), Date(1999, 12, 31)));
  EXPECT_TRUE(SameFields(Changed(Date(2023, 11, 15), Diff(0, 3, 0)), Date(2024, 2, 15)));
  EXPECT_TRUE(SameFields(Changed(Date(2023, 5, 31), Diff(0, 25, 0), 1), Date(2021, 4, 30)));
  // Years and months first, then the span: Jan 31 + 1 month 1 day = Mar 1.
  EXPECT_TRUE(SameFields(Changed(Date(2023, 1, 31), Diff(0, 1, 1)), Date(2023, 3, 1)));
  // The clamp belongs to year and month steps only.
  EXPECT_TRUE(SameFields(Changed(Date(2023, 4, 31), Diff(0, 0, 1)), Date(2023, 5, 2)));
  EXPECT_TRUE(SameFields(Changed(Date(2023, 3, 31, 12), Diff(0, 1, 0)), Date(2023, 4, 30, 12)));
  // Large steps stay exact.
  EXPECT_TRUE(SameFields(Changed(Date(2000, 2, 29), Diff(1000000, 0, 0)), Date(1002000, 2, 29)));
  EXPECT_TRUE(SameFields(Changed(Date(2000, 1, 1), Diff(1000000, 0, 0), 1), Date(-998000, 1, 1)));
}

TEST(ChangeDate, StepsAcrossTheCalendarSwitch) {
  EXPECT_TRUE(SameFields(Changed(Date(1582, 10, 4), Diff(0, 0, 1)), Date(1582, 10, 15)));
  EXPECT_TRUE(SameFields(Changed(Date(1582, 10, 15), Diff(0, 0, 1), 1), Date(1582, 10, 4)));
  EXPECT_TRUE(SameFields(Changed(Date(1582, 10, 4, 23), Diff(0, 0, 0, 1)), Date(1582, 10, 15)));
  EXPECT_TRUE(SameFields(Changed(Date(1582, 10, 15), Diff(0, 0, 0, 0, 0, 0.5), 1),
                         Date(1582, 10, 4, 23, 59, 59.5)));
  EXPECT_TRUE(SameFields(Changed(Date(1582, 10, 31), Diff(0, 0, 1)), Date(1582, 11, 1)));
  // Skipped numbers read as proleptic Julian dates.
  EXPECT_TRUE(SameFields(Normalised(Date(1582, 10, 5)), Date(1582, 10, 15)));
  EXPECT_TRUE(SameFields(Normalised(Date(1582, 10, 10)), Date(1582, 10, 20)));
  EXPECT_TRUE(SameFields(Changed(Date(1582, 9, 10), Diff(0, 1, 0)), Date(1582, 10, 20)));
  // Days beyond a month count on from its first day in real days.
  EXPECT_TRUE(SameFields(Normalised(Date(1582, 9, 35)), Date(1582, 10, 15)));
  EXPECT_TRUE(SameFields(Normalised(Date(1582, 11, 0)), Date(1582, 10, 31)));
  EXPECT_TRUE(SameFields(Normalised(Date(1582, 8, 80)), Date(1582, 10, 29)));
  EXPECT_TRUE(SameFields(Normalised(Date(1582, 11, -20)), Date(1582, 10, 1)));
  EXPECT_TRUE(SameFields(Normalised(Date(1582, 10, 45)), Date(1582, 11, 14)));
  EXPECT_TRUE(SameFields(Normalised(Date(1582, 10, -5)), Date(1582, 9, 25)));
  EXPECT_TRUE(SameFields(Changed(Date(1582, 1, 1), Diff(0, 0, 365)), Date(1583, 1, 11)));
}

TEST(ChangeDate, SecondsCarryWithTheirFraction) {
  const tagADATEDIFF half = Diff(0, 0, 0, 0, 0, 0.5);
  tagADATE date = Changed(Date(99999, 12, 31, 23, 59, 59.7), half);
  EXPECT_TRUE(SameFields(Date(date.nYear, date.nMonth, date.nDay, date.nHour, date.nMinute),
                         Date(100000, 1, 1)));
  EXPECT_NEAR(date.dSecond, 0.2, 1e-12);

  date = Changed(Date(2023, 6, 1, 0, 0, 0.25), half, 1);
  EXPECT_TRUE(SameFields(date, Date(2023, 5, 31, 23, 59, 59.75)));

  // A value a hair below a whole second stays below it.
  date = Normalised(Date(2023, 6, 1, 0, 0, std::nextafter(60.0, 0.0)));
  EXPECT_TRUE(IsNormal(date));
  date = Normalised(Date(2023, 6, 1, 0, 0, -1e-20));
  EXPECT_TRUE(IsNormal(date));

  // Offsets are subtracted field by field.
  EXPECT_TRUE(SameFields(Changed(Date(2023, 3, 1), Diff(1, 1, 1, 1, 1, 1.0), 1),
                         Date(2022, 1, 30, 22, 58, 59.0)));
  EXPECT_TRUE(SameFields(Changed(Date(2023, 3, 1), Diff(0, 0, 0, 0, 0, 10.0)),
                         Date(2023, 3, 1, 0, 0, 10.0)));
}

TEST(ChangeTimezone, MovesByTheZoneDifferenceExactly) {
  tagADATE date = Date(2024, 1, 1, 0, 0, 12.25, 0.0);
  ChangeTimezone(&date, 5.75);
  EXPECT_TRUE(SameFields(date, Date(2024, 1, 1, 5, 45, 12.25)));
  EXPECT_EQ(date.dTimeZone, 5.75);
  ChangeTimezone(&date, -9.5);
  EXPECT_TRUE(SameFields(date, Date(2023, 12, 31, 14, 30, 12.25)));
  EXPECT_EQ(date.dTimeZone, -9.5);
  ChangeTimezone(&date, 0.0);
  EXPECT_TRUE(SameFields(date, Date(2024, 1, 1, 0, 0, 12.25)));

  // Japan standard time to UT, as the range check does at the upper end.
  date = Date(100000, 1, 1, 9, 0, 0.0, 9.0);
  ChangeTimezone(&date, 0.0);
  EXPECT_TRUE(SameFields(date, Date(100000, 1, 1)));
  EXPECT_EQ(GetJd(&date), 38245309.5);

  // Unnormalised fields come out normalised.
  date = Date(2023, 4, 31, 30, 0, 0.0, 9.0);
  ChangeTimezone(&date, 9.0);
  EXPECT_TRUE(SameFields(date, Date(2023, 5, 2, 6)));

  // The instant is kept, whatever the zones (including local mean time).
  std::mt19937_64 rng(7);
  std::uniform_int_distribution<int> year(-99000, 99000);
  std::uniform_real_distribution<double> zone(-15.0, 15.0);
  for (int i = 0; i < 10000; ++i) {
    tagADATE a = Date(year(rng), 6, 15, 11, 30, 17.0, zone(rng));
    const double before = GetJd(&a);
    const double from = a.dTimeZone;
    ChangeTimezone(&a, zone(rng));
    ASSERT_TRUE(IsNormal(a));
    ASSERT_NEAR(GetJd(&a), before, 2e-8);
    ChangeTimezone(&a, from);
    ASSERT_NEAR(a.dSecond, 17.0, 1e-6);
  }
}

}  // namespace
