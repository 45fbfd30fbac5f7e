// ChangeDate and ChangeTimezone: normalisation, calendar steps, leap
// years, the 1582 switch, zone shifts.
#include <cmath>
#include <random>

#include <gtest/gtest.h>

#include "calendar_test_util.h"
#include "host/qelacl.h"

using namespace caltest;

namespace {

TEST(ChangeDate, NormalisesStepsAndCrossesTheSwitch) {
  struct Case {
    tagADATE from;
    tagADATEDIFF by;
    int direction;
    tagADATE want;
  };
  const tagADATEDIFF none = Diff(0, 0, 0), day = Diff(0, 0, 1), month = Diff(0, 1, 0);
  const Case cases[] = {
      // Fields outside their ranges count on.
      {Date(2023, 4, 31), none, 0, Date(2023, 5, 1)},
      {Date(99998, 12, 31, 30), none, 0, Date(99999, 1, 1, 6)},
      {Date(2024, 3, 1, -1), none, 0, Date(2024, 2, 29, 23)},
      {Date(2023, 1, 1, 0, 0, 60.0), none, 0, Date(2023, 1, 1, 0, 1)},
      {Date(2023, 1, 1, 0, 0, -1.0), none, 0, Date(2022, 12, 31, 23, 59, 59.0)},
      {Date(2023, 1, 1, 0, 0, 3600.5), none, 0, Date(2023, 1, 1, 1, 0, 0.5)},
      {Date(2023, 13, 1), none, 0, Date(2024, 1, 1)},
      {Date(2023, -11, 1), none, 0, Date(2022, 1, 1)},
      {Date(2023, 9, 31, 30, 59, 59.0), none, 0, Date(2023, 10, 2, 6, 59, 59.0)},  // from the date dialog
      // Leap years: the Julian rule up to 1582, the Gregorian after.
      {Date(1500, 2, 28), day, 0, Date(1500, 2, 29)},
      {Date(1700, 2, 28), day, 0, Date(1700, 3, 1)},
      {Date(2000, 2, 28), day, 0, Date(2000, 2, 29)},
      {Date(-1, 2, 28), day, 0, Date(-1, 3, 1)},
      {Date(-100, 2, 28), day, 0, Date(-100, 2, 29)},
      // Year and month steps keep the day inside the month; days do not.
      {Date(2023, 1, 31), month, 0, Date(2023, 2, 28)},
      {Date(1500, 1, 31), month, 0, Date(1500, 2, 29)},
      {Date(2024, 3, 31), month, 1, Date(2024, 2, 29)},
      {Date(2024, 2, 29), Diff(1, 0, 0), 0, Date(2025, 2, 28)},
      {Date(2023, 5, 31), Diff(0, 25, 0), 1, Date(2021, 4, 30)},
      {Date(2023, 1, 31), Diff(0, 1, 1), 0, Date(2023, 3, 1)},
      {Date(2023, 4, 31), day, 0, Date(2023, 5, 2)},
      {Date(2000, 2, 29), Diff(1000000, 0, 0), 0, Date(1002000, 2, 29)},
      {Date(2023, 3, 1), Diff(1, 1, 1, 1, 1, 1.0), 1, Date(2022, 1, 30, 22, 58, 59.0)},
      // The switch of 1582: skipped numbers read as proleptic Julian dates.
      {Date(1582, 10, 4), day, 0, Date(1582, 10, 15)},
      {Date(1582, 10, 15), day, 1, Date(1582, 10, 4)},
      {Date(1582, 10, 4, 23), Diff(0, 0, 0, 1), 0, Date(1582, 10, 15)},
      {Date(1582, 10, 15), Diff(0, 0, 0, 0, 0, 0.5), 1, Date(1582, 10, 4, 23, 59, 59.5)},
      {Date(1582, 10, 10), none, 0, Date(1582, 10, 20)},
      {Date(1582, 9, 10), month, 0, Date(1582, 10, 20)},
      {Date(1582, 9, 35), none, 0, Date(1582, 10, 15)},
      {Date(1582, 8, 80), none, 0, Date(1582, 10, 29)},
      {Date(1582, 11, -20), none, 0, Date(1582, 10, 1)},
      {Date(1582, 10, -5), none, 0, Date(1582, 9, 25)},
      {Date(1582, 1, 1), Diff(0, 0, 365), 0, Date(1583, 1, 11)},
      {Date(2023, 6, 1, 0, 0, 0.25), Diff(0, 0, 0, 0, 0, 0.5), 1, Date(2023, 5, 31, 23, 59, 59.75)},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(SameFields(Changed(c.from, c.by, c.direction), c.want)) << Show(c.from) << " dir " << c.direction;
  }
  // A value a hair below a whole second stays below it.
  EXPECT_TRUE(IsNormal(Normalised(Date(2023, 6, 1, 0, 0, std::nextafter(60.0, 0.0)))));
  EXPECT_TRUE(IsNormal(Normalised(Date(2023, 6, 1, 0, 0, -1e-20))));
  const tagADATE carried = Changed(Date(99999, 12, 31, 23, 59, 59.7), Diff(0, 0, 0, 0, 0, 0.5));
  EXPECT_EQ(carried.nYear, 100000);
  EXPECT_NEAR(carried.dSecond, 0.2, 1e-12);
}

TEST(ChangeTimezone, MovesByTheZoneDifferenceExactly) {
  tagADATE date = Date(2024, 1, 1, 0, 0, 12.25, 0.0);
  ChangeTimezone(&date, 5.75);
  EXPECT_TRUE(SameFields(date, Date(2024, 1, 1, 5, 45, 12.25)));
  EXPECT_EQ(date.dTimeZone, 5.75);
  ChangeTimezone(&date, -9.5);
  EXPECT_TRUE(SameFields(date, Date(2023, 12, 31, 14, 30, 12.25)));
  date = Date(2023, 4, 31, 30, 0, 0.0, 9.0);
  ChangeTimezone(&date, 9.0);
  EXPECT_TRUE(SameFields(date, Date(2023, 5, 2, 6))) << "unnormalised fields come out normalised";
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
