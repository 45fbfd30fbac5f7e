// A time set to the second in any system reads back to the same second in
// that system, over the whole supported range, and lands on the instant
// the calendar library gives.  (The recorded session sky_range_ends holds
// the ends of the range.)
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

#include "host/qelacl.h"
#include "sky/engine.h"

namespace {

constexpr int64_t kFirstDay = -34803211;  // 99999 BC January 1, from JD kFirstDay - 0.5
constexpr int64_t kLastDay = 38245310;    // 100000-01-01, to JD kLastDay - 0.5

// A random date and time; one draw in ten lies within two days of an end
// of the range, where the zones push some of them outside it.
tagADATE RandomDate(std::mt19937_64& rng) {
  std::uniform_int_distribution<int64_t> anyDay(kFirstDay - 1, kLastDay), nearEnd(0, 3);
  std::uniform_int_distribution<int> pick(0, 19), hour(0, 23), minute(0, 59);
  int64_t day = anyDay(rng);
  const int p = pick(rng);
  if (p == 0) day = kFirstDay - 2 + nearEnd(rng);
  if (p == 1) day = kLastDay - 2 + nearEnd(rng);
  tagADATE d{};
  JdToDate2(static_cast<double>(day), &d);  // noon of that day
  return {d.nYear, d.nMonth, d.nDay, hour(rng), minute(rng), double(minute(rng)), 0.0};
}

}  // namespace

// Each system with the setting that shapes it (a zone, a longitude): the
// pad's commands read back to the second, and only a time outside the
// range is refused.
TEST(TimeRoundTrip, EverySystemAtOddZonesAndLongitudes) {
  struct Case {
    const char* setup;
    const char* system;  // as the pad sets and reads it: UT, JST, LST, LMT
    double zone;         // the system's offset from UT in hours
  };
  const Case cases[] = {
      {"", "UT", 0.0},
      {"", "JST", 9.0},
      {"Time.Timezone = 5.750000", "LST", 5.75},          {"Time.Timezone = 0.123456", "LST", 0.123456},
      {"Time.Timezone = -11.999999", "LST", -11.999999},  {"Time.Timezone = 14", "LST", 14.0},
      {"Time.Timezone = -14", "LST", -14.0},              {"Location = Location(180, 35)", "LMT", 12.0},
      {"Location = Location(139.744700, 35)", "LMT", 139.7447 / 15.0},
      {"Location = Location(-0.000001, 35)", "LMT", -0.000001 / 15.0},
      {"Location = Location(179.999999, 35)", "LMT", 179.999999 / 15.0},
  };
  uint64_t seed = 1;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.system) + " after " + c.setup);
    CSkyEngine e;
    ASSERT_EQ(e.Execute(c.setup), "");
    const std::string system = c.system;
    std::mt19937_64 rng(++seed);
    const int count = system == "UT" || system == "JST" ? 20000 : 5000;
    int refused = 0;
    for (int i = 0; i < count; ++i) {
      tagADATE f = RandomDate(rng);
      f.dTimeZone = c.zone;
      char fields[80], command[120];
      std::snprintf(fields, sizeof fields, "%d,%d,%d,%d,%d,%d", f.nYear, f.nMonth, f.nDay, f.nHour,
                    f.nMinute, int(f.dSecond));
      if (system == "UT" || system == "LMT") {
        std::snprintf(command, sizeof command, "Time = %s(%s) ; show lumiral", c.system, fields);
      } else {  // JST is LST at 9 hours
        std::snprintf(command, sizeof command, "Time = LST(%s,%f) ; show lumiral", fields, c.zone);
      }
      const std::string reply = e.Execute(command);
      const double jd = GetJd(&f);
      if (!reply.empty()) {
        EXPECT_NE(reply.find("outside the supported range"), std::string::npos) << command << reply;
        EXPECT_TRUE(jd < kFirstDay - 0.5 + 1e-6 || jd > kLastDay - 0.5 - 1e-6) << command << " jd " << jd;
        ++refused;
        continue;
      }
      EXPECT_TRUE(jd > kFirstDay - 0.5 - 1e-6 && jd < kLastDay - 0.5 + 1e-6) << command << " jd " << jd;
      // Years before 1 are written as BC years: 0 is 1 BC.
      char shown[80];
      std::snprintf(shown, sizeof shown, "%s %s%d/%02d/%02d %02d:%02d:%02d", c.system,
                    f.nYear > 0 ? "AD" : "BC", f.nYear > 0 ? f.nYear : 1 - f.nYear, f.nMonth, f.nDay,
                    f.nHour, f.nMinute, int(f.dSecond));
      EXPECT_EQ(e.Execute("? " + system + "(Time)"), shown) << command;
      EXPECT_NEAR(std::stod(e.Execute("? Time.jd")), jd, 2e-8) << command;
    }
    EXPECT_LT(refused, count / 10) << "too few times inside the range were drawn";
  }
}
