// Absurd input: NaN and infinite seconds and zones, offsets of millions of
// years, extreme int32 fields and null pointers give defined results that
// the callers' range check refuses.  Run under the sanitizer build too.
#include <climits>
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "calendar_test_util.h"
#include "host/qelacl.h"

using namespace caltest;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// What the callers do with a record: the range check on its Julian date.
bool InRange(const tagADATE& date) {
  const double jd = GetJd(&date);
  return jd >= -34803211.5 && jd <= 38245309.5;
}

tagADATE InZone(tagADATE date, double zone) {
  ChangeTimezone(&date, zone);
  return date;
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
