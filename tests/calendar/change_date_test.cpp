// ChangeDate and ChangeTimezone: normalisation, calendar steps, leap
// years, the 1582 switch, zone shifts; and absurd input (NaN and infinite
// seconds and zones, offsets of millions of years, extreme int32 fields,
// null pointers), which gives defined results that the callers' range
// check refuses.  Run under the sanitizer build too.
#include <climits>
#include <cmath>
#include <limits>
#include <random>

#include <gtest/gtest.h>

#include "calendar_test_util.h"
#include "host/qelacl.h"

using namespace caltest;

namespace {

tagADATE InZone(tagADATE date, double zone) {
  ChangeTimezone(&date, zone);
  return date;
}

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
      {Date(1582, 10, 15), Diff(0, 0, 0, 0, 0, 0.5), 1, Date(1582, 10, 4, 23, 59, 59.5)},
      {Date(1582, 10, 10), none, 0, Date(1582, 10, 20)},
      {Date(1582, 9, 10), month, 0, Date(1582, 10, 20)},
      {Date(1582, 9, 35), none, 0, Date(1582, 10, 15)},
      {Date(1582, 8, 80), none, 0, Date(1582, 10, 29)},
      {Date(1582, 11, -20), none, 0, Date(1582, 10, 1)},
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
  const tagADATE east = InZone(Date(2024, 1, 1, 0, 0, 12.25, 0.0), 5.75);
  EXPECT_TRUE(SameFields(east, Date(2024, 1, 1, 5, 45, 12.25)));
  EXPECT_EQ(east.dTimeZone, 5.75);
  EXPECT_TRUE(SameFields(InZone(east, -9.5), Date(2023, 12, 31, 14, 30, 12.25)));
  EXPECT_TRUE(SameFields(InZone(Date(2023, 4, 31, 30, 0, 0.0, 9.0), 9.0), Date(2023, 5, 2, 6)))
      << "unnormalised fields come out normalised";
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

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// What the callers do with a record: the range check on its Julian date.
bool InRange(const tagADATE& date) {
  const double jd = GetJd(&date);
  return jd >= -34803211.5 && jd <= 38245309.5;
}

tagADATE FromJd(double jd) {
  tagADATE date = Date(0, 0, 0);
  JdToDate2(jd, &date);
  return date;
}

const tagADATE kLatest = Date(INT_MAX, 12, 31, 23, 59, 59.0);
const tagADATE kEarliest = Date(INT_MIN, 1, 1);
const tagADATE kMaxFields{INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX, 1e300, 0.0};
const tagADATE kMinFields{INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN, -1e300, 0.0};
const tagADATE kMaxInts{INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX, 0.0, 0.0};
const tagADATE kMinInts{INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN, 0.0, 0.0};
const tagADATEDIFF kMaxDiff{INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX, 1e300};
const tagADATEDIFF kMinDiff{INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN, -1e300};

// Each absurd input gives a record with every field in its range that the
// range check refuses: saturated at the end named, NaN at the late one.
TEST(AbsurdInput, EveryResultIsNormalAndRefused) {
  struct Case {
    const char* input;
    tagADATE result;
    tagADATE end;
  };
  const Case cases[] = {
      {"NaN second", Normalised(Date(2000, 1, 1, 0, 0, kNaN)), kLatest},
      {"+inf seconds added", Changed(Date(2000, 1, 1), Diff(0, 0, 0, 0, 0, kInf)), kLatest},
      {"+inf seconds taken", Changed(Date(2000, 1, 1), Diff(0, 0, 0, 0, 0, kInf), 1), kEarliest},
      {"inf - inf", Changed(Date(2000, 1, 1, 0, 0, kInf), Diff(0, 0, 0, 0, 0, kInf), 1), kLatest},
      {"-1e300 seconds", Changed(Date(2000, 1, 1), Diff(0, 0, 0, 0, 0, -1e300)), kEarliest},
      {"to a NaN zone", InZone(Date(2000, 1, 1, 12), kNaN), kLatest},
      {"from an infinite zone", InZone(Date(2000, 1, 1, 12, 0, 0.0, kInf), 0.0), kEarliest},
      {"to zone 1e300", InZone(Date(2000, 1, 1, 12), 1e300), kLatest},
      {"JD NaN", FromJd(kNaN), kLatest},
      {"JD -inf", FromJd(-kInf), kEarliest},
      {"JD 1e15", FromJd(1e15), kLatest},
      {"JD -1e300", FromJd(-1e300), kEarliest},
      {"int32 maxima", Normalised(kMaxInts), kLatest},
      {"int32 minima", Normalised(kMinInts), kEarliest},
      {"an hour after the last int32 year", Changed(Date(INT_MAX, 12, 31, 23), Diff(0, 0, 0, 1)), kLatest},
      {"a second before the first", Changed(Date(INT_MIN, 1, 1), Diff(0, 0, 0, 0, 0, 1.0), 1), kEarliest},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    EXPECT_TRUE(IsNormal(c.result));
    EXPECT_FALSE(InRange(c.result));
    EXPECT_TRUE(SameFields(c.result, c.end));
  }
  // Every extreme record, moved by every extreme offset either way, or
  // shifted into an absurd zone, comes out normalised.
  for (const tagADATE& record : {kMaxFields, kMinFields, kMaxInts, kMinInts, Date(2000, 1, 1)}) {
    for (const tagADATEDIFF& diff : {kMaxDiff, kMinDiff, Diff(0, 0, 0)}) {
      for (int direction : {0, 1}) EXPECT_TRUE(IsNormal(Changed(record, diff, direction))) << Show(record);
    }
    EXPECT_TRUE(IsNormal(InZone(record, -1e300)));
  }
}

TEST(AbsurdInput, JulianDatesOfAbsurdRecords) {
  const tagADATE nanSecond = Date(2000, 1, 1, 0, 0, kNaN), nanZone = Date(2000, 1, 1, 0, 0, 0.0, kNaN);
  EXPECT_TRUE(std::isnan(GetJd(&nanSecond)));
  EXPECT_TRUE(std::isnan(GetJd(&nanZone)));
  EXPECT_TRUE(std::isnan(GetJd(nullptr)));
  EXPECT_FALSE(InRange(Date(2000, 1, 1, 0, 0, 0.0, -kInf)));
  EXPECT_GT(GetJd(&kMaxInts), 38245309.5);
  EXPECT_LT(GetJd(&kMinInts), -34803211.5);
  // Millions of years stay exact while the year fits.
  EXPECT_TRUE(SameFields(Changed(Date(2000, 3, 1), Diff(0, 0, 0, INT_MAX)),
                         Changed(Date(2000, 3, 1), Diff(0, 0, INT_MAX / 24, INT_MAX % 24))));
  EXPECT_TRUE(SameFields(Changed(Date(INT_MAX - 1, 1, 1), Diff(1, 0, 0)), Date(INT_MAX, 1, 1)));
  EXPECT_TRUE(SameFields(Changed(Date(INT_MIN, 1, 1), Diff(0, 0, 0), 1), Date(INT_MIN, 1, 1)));
}

TEST(AbsurdInput, NullPointersAndOddDirections) {
  JdToDate2(2451545.0, nullptr);
  ChangeTimezone(nullptr, 9.0);
  const tagADATEDIFF day = Diff(0, 0, 1);
  ChangeDate(nullptr, &day, 0);
  tagADATE date = Date(2023, 4, 31);
  ChangeDate(&date, nullptr, 0);  // a missing offset is a zero offset
  EXPECT_TRUE(SameFields(date, Date(2023, 5, 1)));
  EXPECT_TRUE(SameFields(Changed(Date(2023, 5, 1), day, 7), Date(2023, 4, 30))) << "any direction but 0 subtracts";
}

}  // namespace
