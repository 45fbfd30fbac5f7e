// Cross-check against ERFA on Gregorian dates.  ERFA uses the Gregorian
// calendar for every date, so only dates from 1582-10-15 on are compared.
#include <algorithm>
#include <random>

#include <gtest/gtest.h>

extern "C" {
#include <erfa.h>
}

#include "calendar_test_util.h"
#include "host/qelacl.h"

using namespace caltest;

namespace {

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
