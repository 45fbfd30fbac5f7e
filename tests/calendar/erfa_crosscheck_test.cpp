// Cross-check against ERFA on Gregorian dates.  ERFA uses the Gregorian
// calendar for every date, so only dates from 1582-10-15 on are compared.
#include <cmath>
#include <random>

#include <gtest/gtest.h>

extern "C" {
#include <erfa.h>
}

#include "calendar_test_util.h"
#include "host/qelacl.h"

using namespace caltest;

namespace {

TEST(ErfaCrossCheck, DateToJulianDate) {
  std::mt19937_64 rng(1582);
  std::uniform_int_distribution<int> year(1583, 99999);
  std::uniform_int_distribution<int> month(1, 12);
  std::uniform_int_distribution<int> day(1, 31);
  std::uniform_int_distribution<int> second(0, 86399);
  for (int i = 0; i < 200000; ++i) {
    const int y = year(rng);
    const int m = month(rng);
    const int d = std::min(day(rng), DaysIn(y, m));
    const int sod = second(rng);
    double djm0 = 0.0;
    double djm = 0.0;
    ASSERT_EQ(eraCal2jd(y, m, d, &djm0, &djm), 0);
    const tagADATE midnight = Date(y, m, d);
    ASSERT_EQ(GetJd(&midnight), djm0 + djm) << Show(midnight);
    const tagADATE date = Date(y, m, d, sod / 3600, sod / 60 % 60, sod % 60);
    ASSERT_NEAR(GetJd(&date), djm0 + djm + sod / 86400.0, 1e-8) << Show(date);
  }
  // The last days of 1582 as well.
  for (int d = 15; d <= 31; ++d) {
    double djm0 = 0.0;
    double djm = 0.0;
    ASSERT_EQ(eraCal2jd(1582, 10, d, &djm0, &djm), 0);
    const tagADATE date = Date(1582, 10, d);
    EXPECT_EQ(GetJd(&date), djm0 + djm) << d;
  }
}

TEST(ErfaCrossCheck, JulianDateToDate) {
  std::mt19937_64 rng(2451545);
  std::uniform_real_distribution<double> jds(2299160.5, 38245309.5);
  for (int i = 0; i < 200000; ++i) {
    const double jd = jds(rng);
    int y = 0;
    int m = 0;
    int d = 0;
    double fd = 0.0;
    ASSERT_EQ(eraJd2cal(jd, 0.0, &y, &m, &d, &fd), 0);
    tagADATE date = Date(0, 0, 0);
    JdToDate2(jd, &date);
    const double seconds = date.nHour * 3600.0 + date.nMinute * 60.0 + date.dSecond;
    const double erfaSeconds = fd * 86400.0;
    if (erfaSeconds > 1.0 && erfaSeconds < 86399.0) {
      ASSERT_TRUE(SameFields(Date(date.nYear, date.nMonth, date.nDay), Date(y, m, d))) << jd;
      ASSERT_NEAR(seconds, erfaSeconds, 2e-3) << jd;
    } else {  // near midnight the two may fall on either side of it
      const tagADATE erfaDate = Date(y, m, d, 0, 0, erfaSeconds);
      ASSERT_NEAR((GetJd(&date) - GetJd(&erfaDate)) * 86400.0, 0.0, 2e-3) << jd;
    }
  }
}

}  // namespace
