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

constexpr double kJdMin = -34803211.5;
constexpr double kJdMax = 38245309.5;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// What the callers do with a record: the range check on its Julian date.
bool InRange(const tagADATE& date) {
  const double jd = GetJd(&date);
  return jd >= kJdMin && jd <= kJdMax;
}

const tagADATE kLatest = Date(INT_MAX, 12, 31, 23, 59, 59.0);
const tagADATE kEarliest = Date(INT_MIN, 1, 1);

TEST(AbsurdInput, NonFiniteSecondsAndZones) {
  const tagADATE nanSecond = Date(2000, 1, 1, 0, 0, kNaN);
  const tagADATE nanZone = Date(2000, 1, 1, 0, 0, 0.0, kNaN);
  const tagADATE infZone = Date(2000, 1, 1, 0, 0, 0.0, -kInf);
  EXPECT_TRUE(std::isnan(GetJd(&nanSecond)));
  EXPECT_TRUE(std::isnan(GetJd(&nanZone)));
  EXPECT_FALSE(InRange(nanSecond));
  EXPECT_FALSE(InRange(nanZone));
  EXPECT_FALSE(InRange(infZone));

  // ChangeDate saturates: NaN and +inf at the late end, -inf at the early end.
  EXPECT_TRUE(SameFields(Normalised(nanSecond), kLatest));
  EXPECT_TRUE(SameFields(Changed(Date(2000, 1, 1), Diff(0, 0, 0, 0, 0, kInf)), kLatest));
  EXPECT_TRUE(SameFields(Changed(Date(2000, 1, 1), Diff(0, 0, 0, 0, 0, kInf), 1), kEarliest));
  EXPECT_TRUE(SameFields(Changed(Date(2000, 1, 1, 0, 0, kInf), Diff(0, 0, 0, 0, 0, kInf), 1),
                         kLatest));  // inf - inf is NaN
  EXPECT_TRUE(SameFields(Changed(Date(2000, 1, 1), Diff(0, 0, 0, 0, 0, -1e300)), kEarliest));
  EXPECT_FALSE(InRange(kLatest));
  EXPECT_FALSE(InRange(kEarliest));

  tagADATE date = Date(2000, 1, 1, 12);
  ChangeTimezone(&date, kNaN);
  EXPECT_TRUE(IsNormal(date));
  EXPECT_FALSE(InRange(date));
  date = Date(2000, 1, 1, 12, 0, 0.0, kInf);
  ChangeTimezone(&date, 0.0);
  EXPECT_TRUE(SameFields(date, kEarliest));
  date = Date(2000, 1, 1, 12);
  ChangeTimezone(&date, 1e300);
  EXPECT_TRUE(SameFields(date, kLatest));
  EXPECT_EQ(date.dTimeZone, 1e300);

  // JdToDate2 saturates the same way and never writes a non-finite second.
  const double jds[] = {kNaN, kInf, -kInf, 1e300, -1e300, 1e15, -1e15};
  for (double jd : jds) {
    date = Date(0, 0, 0);
    JdToDate2(jd, &date);
    EXPECT_TRUE(IsNormal(date)) << jd;
    EXPECT_FALSE(InRange(date)) << jd;
  }
  JdToDate2(-kInf, &date);
  EXPECT_TRUE(SameFields(date, kEarliest));
  JdToDate2(kNaN, &date);
  EXPECT_TRUE(SameFields(date, kLatest));
}

TEST(AbsurdInput, ExtremeFieldsAndOffsets) {
  const tagADATE maxFields{INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX, 1e300, 0.0};
  const tagADATE minFields{INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN, -1e300, 0.0};
  const tagADATE maxInts{INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX, 0.0, 0.0};
  const tagADATE minInts{INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN, 0.0, 0.0};
  EXPECT_FALSE(InRange(maxFields));
  EXPECT_FALSE(InRange(minFields));
  EXPECT_GT(GetJd(&maxInts), kJdMax);
  EXPECT_LT(GetJd(&minInts), kJdMin);

  const tagADATEDIFF maxDiff{INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX, 1e300};
  const tagADATEDIFF minDiff{INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN, -1e300};
  const tagADATE records[] = {maxFields, minFields, maxInts, minInts, Date(2000, 1, 1)};
  for (const tagADATE& record : records) {
    for (const tagADATEDIFF& diff : {maxDiff, minDiff, Diff(0, 0, 0)}) {
      for (int direction : {0, 1}) {
        const tagADATE result = Changed(record, diff, direction);
        EXPECT_TRUE(IsNormal(result)) << Show(record) << " dir " << direction;
      }
    }
    tagADATE shifted = record;
    ChangeTimezone(&shifted, -1e300);
    EXPECT_TRUE(IsNormal(shifted));
  }
  EXPECT_TRUE(SameFields(Normalised(maxInts), kLatest));
  EXPECT_TRUE(SameFields(Normalised(minInts), kEarliest));

  // Millions of years: exact while the year fits, saturated beyond.
  EXPECT_TRUE(SameFields(Changed(Date(2000, 3, 1), Diff(0, 0, 0, INT_MAX)),
                         Changed(Date(2000, 3, 1), Diff(0, 0, INT_MAX / 24, INT_MAX % 24))));
  EXPECT_TRUE(SameFields(Changed(Date(INT_MAX, 12, 31, 23), Diff(0, 0, 0, 1)), kLatest));
  EXPECT_TRUE(SameFields(Changed(Date(INT_MIN, 1, 1), Diff(0, 0, 0, 0, 0, 1.0), 1), kEarliest));
  EXPECT_TRUE(SameFields(Changed(Date(INT_MAX - 1, 1, 1), Diff(1, 0, 0)), Date(INT_MAX, 1, 1)));
  EXPECT_TRUE(SameFields(Changed(Date(INT_MIN, 1, 1), Diff(0, 0, 0), 1), Date(INT_MIN, 1, 1)));
}

TEST(AbsurdInput, NullPointersAndOddDirections) {
  EXPECT_TRUE(std::isnan(GetJd(nullptr)));
  JdToDate2(2451545.0, nullptr);
  ChangeTimezone(nullptr, 9.0);
  const tagADATEDIFF day = Diff(0, 0, 1);
  ChangeDate(nullptr, &day, 0);

  tagADATE date = Date(2023, 4, 31);
  ChangeDate(&date, nullptr, 0);  // a missing offset is a zero offset
  EXPECT_TRUE(SameFields(date, Date(2023, 5, 1)));
  date = Date(2023, 5, 1);
  ChangeDate(&date, &day, 7);  // any direction other than 0 subtracts
  EXPECT_TRUE(SameFields(date, Date(2023, 4, 30)));
}

}  // namespace
