// A time set to the second in any system reads back to the same second in
// that system, over the whole supported range, and agrees with the
// calendar library in the others.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "host/qelacl.h"
#include "sky_test_util.h"

namespace {

using skytest::ReadPadDate;

constexpr int64_t kFirstDay = -34803211;  // 99999 BC January 1
constexpr int64_t kLastDay = 38245310;    // 100000-01-01
constexpr double kFirstJd = -34803211.5;
constexpr double kLastJd = 38245309.5;

struct Fields {
  int year, month, day, hour, minute, second;
};

// A random date and time; one draw in ten lies within two days of an end
// of the range, where the zones push some of them outside it.
Fields RandomFields(std::mt19937_64& rng) {
  std::uniform_int_distribution<int64_t> anyDay(kFirstDay - 1, kLastDay);
  std::uniform_int_distribution<int64_t> nearEnd(0, 3);
  std::uniform_int_distribution<int> pick(0, 19), hour(0, 23), minute(0, 59);
  int64_t day = anyDay(rng);
  const int p = pick(rng);
  if (p == 0) day = kFirstDay - 2 + nearEnd(rng);
  if (p == 1) day = kLastDay - 2 + nearEnd(rng);
  tagADATE d{};
  JdToDate2(static_cast<double>(day), &d);  // noon of that day
  return {d.nYear, d.nMonth, d.nDay, hour(rng), minute(rng), minute(rng)};
}

double JdOf(const Fields& f, double zoneHours) {
  tagADATE d{f.year, f.month, f.day, f.hour, f.minute, static_cast<double>(f.second), zoneHours};
  return GetJd(&d);
}

// The same instant in another zone, seconds rounded as the engine shows
// them, by the calendar library alone.
Fields InZone(const Fields& ut, double zoneHours) {
  tagADATE d{ut.year, ut.month, ut.day, ut.hour, ut.minute, static_cast<double>(ut.second), 0.0};
  ChangeTimezone(&d, zoneHours);
  tagADATEDIFF half{0, 0, 0, 0, 0, 0.5};
  ChangeDate(&d, &half, 0);
  return {d.nYear, d.nMonth, d.nDay, d.nHour, d.nMinute, static_cast<int>(d.dSecond)};
}

void ExpectFields(const std::string& reply, const char* label, const Fields& f,
                  const std::string& context) {
  const auto d = ReadPadDate(reply);
  ASSERT_EQ(d.fields, 8) << context << " -> " << reply;
  EXPECT_EQ(d.label, label) << context;
  EXPECT_TRUE(d.year == f.year && d.month == f.month && d.day == f.day && d.hour == f.hour &&
              d.minute == f.minute && d.second == f.second)
      << context << " -> " << reply;
}

// Sets `count` random times in one system and reads each back.  `zone` is
// the system's offset from UT in hours, for the range test.
void RoundTrip(CSkyEngine& e, const char* setFormat, double zoneArg, const char* query,
               const char* label, double zone, int count, uint64_t seed) {
  std::mt19937_64 rng(seed);
  int refused = 0;
  for (int i = 0; i < count; ++i) {
    const Fields f = RandomFields(rng);
    char command[160];
    std::snprintf(command, sizeof command, setFormat, f.year, f.month, f.day, f.hour, f.minute,
                  f.second, zoneArg);
    const std::string reply = e.Execute(command);
    const double jd = JdOf(f, zone);
    if (!reply.empty()) {
      // Only a time outside the range may be refused.
      EXPECT_NE(reply.find("outside the supported range"), std::string::npos) << command << reply;
      EXPECT_TRUE(jd < kFirstJd + 1e-6 || jd > kLastJd - 1e-6) << command << " jd " << jd;
      ++refused;
      continue;
    }
    EXPECT_TRUE(jd > kFirstJd - 1e-6 && jd < kLastJd + 1e-6) << command << " jd " << jd;
    ExpectFields(e.Execute(query), label, f, command);
    EXPECT_NEAR(skytest::Number(e, "? Time.jd"), jd, 2e-8) << command;
  }
  EXPECT_LT(refused, count / 10) << "too few times inside the range were drawn";
}

}  // namespace

// Each system with the setting that shapes it (a zone, a longitude): the
// pad's commands read back to the second.
TEST(TimeRoundTrip, EverySystemAtOddZonesAndLongitudes) {
  struct Case {
    const char* setup;
    const char* setFormat;
    double zoneArg;  // the zone written into the command
    const char* query;
    const char* label;
    double zone;  // the system's offset from UT in hours
    int count;
  };
  const char* kSetUt = "Time = UT(%d,%d,%d,%d,%d,%d) ; show lumiral";
  const char* kSetLst = "Time = LST(%d,%d,%d,%d,%d,%d,%f) ; show lumiral";
  const char* kSetLmt = "Time = LMT(%d,%d,%d,%d,%d,%d) ; show lumiral";
  const Case cases[] = {
      {"", kSetUt, 0.0, "? UT(Time)", "UT", 0.0, 20000},
      {"", kSetLst, 9.0, "? JST(Time)", "JST", 9.0, 20000},
      {"Time.Timezone = 5.750000", kSetLst, 5.75, "? LST(Time)", "LST", 5.75, 5000},
      {"Time.Timezone = -9.500000", kSetLst, -9.5, "? LST(Time)", "LST", -9.5, 5000},
      {"Time.Timezone = 0.123456", kSetLst, 0.123456, "? LST(Time)", "LST", 0.123456, 5000},
      {"Time.Timezone = -11.999999", kSetLst, -11.999999, "? LST(Time)", "LST", -11.999999, 5000},
      {"Time.Timezone = 14", kSetLst, 14.0, "? LST(Time)", "LST", 14.0, 5000},
      {"Time.Timezone = -14", kSetLst, -14.0, "? LST(Time)", "LST", -14.0, 5000},
      {"Location = Location(139.744700, 35)", kSetLmt, 0.0, "? LMT(Time)", "LMT", 139.7447 / 15.0, 5000},
      {"Location = Location(-0.000001, 35)", kSetLmt, 0.0, "? LMT(Time)", "LMT", -0.000001 / 15.0, 5000},
      {"Location = Location(179.999999, 35)", kSetLmt, 0.0, "? LMT(Time)", "LMT", 179.999999 / 15.0, 5000},
      {"Location = Location(33.333333, 35)", kSetLmt, 0.0, "? LMT(Time)", "LMT", 33.333333 / 15.0, 5000},
      {"Location = Location(-179.5, 35)", kSetLmt, 0.0, "? LMT(Time)", "LMT", -179.5 / 15.0, 5000},
      {"Location = Location(180, 35)", kSetLmt, 0.0, "? LMT(Time)", "LMT", 12.0, 5000},
  };
  uint64_t seed = 1;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.label) + " after " + c.setup);
    CSkyEngine e;
    ASSERT_EQ(e.Execute(c.setup), "");
    RoundTrip(e, c.setFormat, c.zoneArg, c.query, c.label, c.zone, c.count, ++seed);
  }
}

TEST(TimeRoundTrip, OneTimeInEverySystemAgreesWithTheCalendarLibrary) {
  CSkyEngine e;
  e.Execute("Time.Timezone = -9.5; Location = Location(-122.4194, 37.7749)");
  std::mt19937_64 rng(99);
  for (int i = 0; i < 20000; ++i) {
    const Fields ut = RandomFields(rng);
    char command[120];
    std::snprintf(command, sizeof command, "Time = UT(%d,%d,%d,%d,%d,%d)", ut.year, ut.month,
                  ut.day, ut.hour, ut.minute, ut.second);
    if (!e.Execute(command).empty()) continue;  // outside the range
    ExpectFields(e.Execute("? JST(Time)"), "JST", InZone(ut, 9.0), command);
    ExpectFields(e.Execute("? LST(Time)"), "LST", InZone(ut, -9.5), command);
    ExpectFields(e.Execute("? LMT(Time)"), "LMT", InZone(ut, -122.4194 / 15.0), command);
    ExpectFields(e.Execute("? Time"), "UT", ut, command);
  }
}

TEST(TimeRoundTrip, EndsOfTheRange) {
  CSkyEngine e;
  EXPECT_EQ(e.Execute("Time = UT(-99998,1,1,0,0,0); ? Time.jd"), "-34803211.5");
  EXPECT_EQ(e.Execute("? UT(Time)"), "UT BC99999/01/01 00:00:00");
  EXPECT_NE(e.Execute("Time = UT(-99999,12,31,23,59,59)").find("outside"), std::string::npos);
  EXPECT_EQ(e.Execute("Time = UT(100000,1,1,0,0,0); ? Time.jd"), "38245309.5");
  EXPECT_NE(e.Execute("Time = UT(100000,1,1,0,0,1)").find("outside"), std::string::npos);
  // In a zone the bounds move with it.
  EXPECT_EQ(e.Execute("Time = LST(-99998,1,1,9,0,0,9.000000)"), "");
  EXPECT_NE(e.Execute("Time = LST(-99998,1,1,8,59,59,9.000000)").find("outside"), std::string::npos);
  EXPECT_EQ(e.Execute("Time = LST(99999,12,31,14,0,0,-10.000000); ? UT(Time)"),
            "UT AD100000/01/01 00:00:00");
  // West of Greenwich the first instant is still in 100000 BC locally.
  EXPECT_EQ(e.Execute("Time.Timezone = -5; Time.jd = -34803211.5; ? LST(Time)"),
            "LST BC100000/12/31 19:00:00");
  EXPECT_NE(e.Execute("Time.jd = -34803211.50001").find("outside"), std::string::npos);
  EXPECT_NE(e.Execute("Time.jd = 38245309.50001").find("outside"), std::string::npos);
  // A pad step from the last hour onto the upper bound.
  EXPECT_EQ(e.Execute("Time = UT(99999,12,31,23,0,0); Time = UT(100000,1,1,0,0,0); ? Time"),
            "UT AD100000/01/01 00:00:00");
}
