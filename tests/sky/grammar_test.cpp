// The general grammar of the command language and its refusals.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <random>
#include <string>

#include "sky_test_util.h"

using skytest::Snapshot;

TEST(Grammar, BlanksAndSemicolons) {
  CSkyEngine e;
  EXPECT_EQ(e.Execute("?Time.jd;?Time.Timezone"), "2451545;9");
  EXPECT_EQ(e.Execute("  ?   Time.jd  ;  "), "2451545");
  EXPECT_EQ(e.Execute("\t? Time.jd\r\n"), "2451545");
  EXPECT_EQ(e.Execute("Time.Timezone=3;?Time.Timezone"), "3");
  EXPECT_EQ(e.Execute("? JST ( Time )"), "JST AD2000/01/01 21:00:00");
  EXPECT_EQ(e.Execute("Location = Location( 10 ,20 )"), "");
  EXPECT_EQ(e.Execute("? Location"), "Location(10, 20)");
  EXPECT_EQ(e.Execute(""), "");
  EXPECT_EQ(e.Execute("   "), "");
  EXPECT_EQ(e.Execute(";"), "");
  EXPECT_EQ(e.Execute(";;? Time.Timezone;;"), "3");
}

TEST(Grammar, NamesAndKeywordsIgnoreLetterCase) {
  CSkyEngine e;
  EXPECT_EQ(e.Execute("? TIME.JD; ? time.jd; ? Time.JD"), "2451545;2451545;2451545");
  EXPECT_EQ(e.Execute("? jst(time)"), "JST AD2000/01/01 21:00:00");
  EXPECT_EQ(e.Execute("TIME = ut(2006,1,1,5,0,0); SHOW LUMIRAL; show lumiral; sHoW lUmIrAl"), "");
  EXPECT_EQ(e.Execute("? Time"), "UT AD2006/01/01 05:00:00");
  EXPECT_EQ(e.Execute("Star.Catalog = tycho-2; ? Star.Catalog"), "Tycho2");
  EXPECT_EQ(e.Execute("Star.Catalog = gscact; ? Star.Catalog"), "GSC-ACT");
  EXPECT_EQ(e.Execute("Star.Catalog = \"HIPPARCOS\"; ? Star.Catalog"), "Hipparcos");
  EXPECT_EQ(e.Execute("Star.Catalog.Switch.Catalog = \"Tycho\"; ? Star.Catalog.Switch.Catalog"),
            "Tycho");
  EXPECT_EQ(e.Execute("Star.Catalog = \"GSC-ACT\"; ? Star.Catalog"), "GSC-ACT");
}

TEST(Grammar, QueriesAnswerInOrderBetweenAssignments) {
  CSkyEngine e;
  EXPECT_EQ(e.Execute("? View.Track; Time.Timezone = 3; ? Time.Timezone; View.Track = TRUE; ? View.Track"),
            "FALSE;3;TRUE");
  EXPECT_EQ(e.Execute("Animation.Time.Speed = 3600; ? Animation.Time.Speed"), "3600");
  EXPECT_EQ(e.Execute("Time.jd = +2451545.25e0; ? UT(Time)"), "UT AD2000/01/01 18:00:00");
}

TEST(Grammar, ValuesThatNeedCare) {
  CSkyEngine e;
  // East longitudes up to 360 are taken as -180..180.
  EXPECT_EQ(e.Execute("Location.Longitude = 200; ? Location.Longitude"), "-160");
  EXPECT_EQ(e.Execute("Location.Longitude = 360; ? Location.Longitude"), "0");
  EXPECT_EQ(e.Execute("Location.Longitude = 180; ? Location.Longitude"), "180");
  EXPECT_EQ(e.Execute("Location.Longitude = -180; ? Location.Longitude"), "-180");
  EXPECT_EQ(e.Execute("Location = Location(359.5, -90); ? Location"), "Location(-0.5, -90)");
  // A day past the end of its month counts on from the first.
  EXPECT_EQ(e.Execute("Time = UT(2003,2,29,0,0,0); ? UT(Time)"), "UT AD2003/03/01 00:00:00");
  EXPECT_EQ(e.Execute("Time = UT(2006,4,31,0,0,0); ? UT(Time)"), "UT AD2006/05/01 00:00:00");
  EXPECT_EQ(e.Execute("Time = UT(1582,10,10,0,0,0); ? UT(Time)"), "UT AD1582/10/20 00:00:00");
  EXPECT_EQ(e.Execute("Time = UT(1582,10,4,0,0,0); ? Time.jd"), "2299159.5");
  EXPECT_EQ(e.Execute("Time = UT(1582,10,15,0,0,0); ? Time.jd"), "2299160.5");
  // Seconds may be real.
  EXPECT_EQ(e.Execute("Time = UT(2000,1,1,12,0,30.5); ? Time.jd"), "2451545.0003530094");
  // No exponent ever appears in a number reply.
  EXPECT_EQ(e.Execute("Location.Latitude = 1e-7; ? Location.Latitude"), "0.0000001");
  EXPECT_EQ(e.Execute("Location.Latitude = -0; ? Location.Latitude"), "0");
}

// Each refused statement: the reply names it and why, and the state stays.
TEST(Grammar, RefusedStatementsLeaveTheStateAlone) {
  struct Case {
    const char* command;
    const char* why;
  };
  const Case cases[] = {
      {"? Foo", "unknown property \"Foo\""},
      {"Foo.Bar = 1", "unknown property \"Foo.Bar\""},
      {"? FOO(Time)", "unknown function \"FOO\""},
      {"? JST(Now)", "JST takes Time"},
      {"? JST(Time", "expected \")\""},
      {"? Time.jd extra", "unexpected \"extra\""},
      {"? ", "expected a property"},
      {"Time.SiderealTime = 3", "read-only"},
      {"Solar.Moon.age = 3", "read-only"},
      {"Sky.Altitude = 3", "Sky.Altitude is read-only"},
      {"? Sky.Azimuth", "Sky.Azimuth takes an object: Sky.Azimuth(Sun)"},
      {"? Sky.Altitude(Sun", "expected \")\" after Sky.Altitude("},
      {"? Sky.Altitude(Sun) x", "unexpected \"x\""},
      {"Time =", "expected a value"},
      {"= 5", "expected \"?\", an assignment"},
      {"Show", "expected \"Show Lumiral\""},
      {"Stop Foo", "expected \"Stop Lumiral\""},
      {"Time.Timezone 5", "expected \"=\""},
      {"Time = 5", "Time takes UT(...)"},
      {"Time = XYZ(1)", "unknown constructor \"XYZ\""},
      {"Time = UT(2006,1,1,5,0)", "UT takes 6 numbers"},
      {"Time = LST(2006,1,1,5,0,0)", "LST takes 7 numbers"},
      {"Time = UT(2006,1,1,5,0,0,0,0)", "too many arguments"},
      {"Time = UT(2006,13,1,0,0,0)", "month 13 is outside 1..12"},
      {"Time = UT(2006,0,1,0,0,0)", "month 0 is outside 1..12"},
      {"Time = UT(2006,1,32,0,0,0)", "day 32 is outside 1..31"},
      {"Time = UT(2006,1,1,24,0,0)", "hour 24 is outside 0..23"},
      {"Time = UT(2006,1,1,0,60,0)", "minute 60 is outside 0..59"},
      {"Time = UT(2006,1,1,0,0,60)", "second 60 is outside"},
      {"Time = UT(2006,1,1,0,0,-1)", "second -1 is outside"},
      {"Time = UT(2006.5,1,1,0,0,0)", "year 2006.5 is not a whole number"},
      {"Time = UT(abc,1,1,0,0,0)", "not a number: \"abc\""},
      {"Time = UT(2006;1,1,0,0,0)", "expected \",\" or \")\""},
      {"Time = UT(100000,1,1,0,0,1)", "outside the supported range"},
      {"Time = UT(-99999,12,31,23,59,59)", "outside the supported range"},
      {"Time = UT(2000000000,1,1,0,0,0)", "year 2000000000 is outside"},
      {"Time = LST(2006,1,1,0,0,0,15)", "zone 15 is outside -14..14"},
      {"Time.jd = 1e300", "outside the supported range"},
      {"Time.jd = 1e999", "number out of range"},
      {"Time.jd = nan", "Time.jd takes a number"},
      {"Time.jd = inf", "Time.jd takes a number"},
      {"Time.jd = 0x10", "not a number: \"0x10\""},
      {"Time.jd = 12abc", "not a number: \"12abc\""},
      {"Time.jd = 1.2.3", "not a number: \"1.2.3\""},
      {"Time.jd = --5", "not a number"},
      {"Time.jd = TRUE", "Time.jd takes a number"},
      {"Time.Timezone = 14.5", "zone 14.5 is outside -14..14"},
      {"Location = Location(0, 91)", "latitude 91 is outside -90..90"},
      {"Location = Location(361, 0)", "longitude 361 is outside -180..360"},
      {"Location = Location(-181, 0)", "longitude -181 is outside"},
      {"Location = Location(1)", "Location takes Location(longitude, latitude)"},
      {"Location = 5", "Location takes Location(longitude, latitude)"},
      {"Location.Latitude = -90.5", "latitude -90.5 is outside"},
      {"View.Track = 1", "View.Track takes TRUE or FALSE"},
      {"View.Track = yes", "View.Track takes TRUE or FALSE"},
      {"Star.Catalog = Foo", "unknown catalogue \"Foo\""},
      {"Star.Catalog = 5", "takes a catalogue name"},
      {"Star.Catalog = \"Tycho2", "missing closing \""},
      {"Star.Catalog = \"Tycho;2\"", "unknown catalogue \"Tycho;2\""},
      {"Star.Catalog.Switch.Catalog = Hipparcos", "unknown catalogue \"Hipparcos\""},
      {"Star.AutoMagnitudeLimit.Minimum = 25", "magnitude limit 25 is outside -2..20"},
      {"Star.AutoMagnitudeLimit.Minimum = -2.1", "magnitude limit -2.1 is outside"},
      {"Animation.Time.Speed = 1e11", "speed 100000000000 is outside"},
  };
  for (const Case& c : cases) {
    CSkyEngine e;
    e.Execute("Time = UT(2006,1,1,5,0,0); View.Trace = TRUE");
    const std::string before = Snapshot(e);
    const std::string reply = e.Execute(c.command);
    EXPECT_EQ(reply.rfind("ERROR: statement 1 \"", 0), 0u) << c.command << " -> " << reply;
    EXPECT_NE(reply.find(c.why), std::string::npos) << c.command << " -> " << reply;
    EXPECT_EQ(Snapshot(e), before) << c.command;
  }
}

TEST(Grammar, StatementsBeforeAFailureStayDoneAndTheRestIsNotCarriedOut) {
  CSkyEngine e;
  const std::string reply = e.Execute("Time.Timezone = 3; Time.Timezone = 99; Time.Timezone = 4");
  EXPECT_EQ(reply.rfind("ERROR: statement 2 \"Time.Timezone = 99\": zone 99", 0), 0u) << reply;
  EXPECT_EQ(e.Execute("? Time.Timezone"), "3");
  // A failure replaces the answers already given.
  EXPECT_EQ(e.Execute("? Time.jd; ? Foo; ? Time.jd").rfind("ERROR: statement 2", 0), 0u);
}

TEST(Grammar, HostileTexts) {
  CSkyEngine e;
  const std::string before = Snapshot(e);
  EXPECT_EQ(e.Execute(static_cast<const char*>(nullptr)), "ERROR: no command");

  // Bounded work: a text over 64 KiB is refused unread, one of 64 KiB runs.
  std::string huge(CSkyEngine::kMaxCommandBytes + 1, ' ');
  EXPECT_EQ(e.Execute(huge.c_str()).rfind("ERROR: the command is longer than 65536 bytes", 0), 0u);
  huge.pop_back();
  EXPECT_EQ(e.Execute(huge.c_str()), "");
  std::string many;
  while (many.size() + 10 <= CSkyEngine::kMaxCommandBytes) many += "? Time.jd;";
  const std::string answers = e.Execute(many);
  EXPECT_EQ(std::count(answers.begin(), answers.end(), ';') + 1,
            static_cast<long>(many.size() / 10));

  // A NUL ends a C string; the string_view form refuses it.
  const char withNul[] = "? Time.Timezone\0Time.Timezone = 1";
  EXPECT_EQ(e.Execute(withNul), "9");
  EXPECT_EQ(e.Execute(std::string_view(withNul, sizeof withNul - 1)),
            "ERROR: the command holds a NUL character at byte 15");

  // Malformed UTF-8: stray continuation, overlong, surrogate, cut short,
  // beyond U+10FFFF.
  for (const char* bad : {"? Time.jd \x80", "? Time.jd \xC0\xAF", "? Time.jd \xED\xA0\x80",
                          "? Time.jd \xE3\x81", "? Time.jd \xF4\x90\x80\x80", "\xFF"}) {
    EXPECT_EQ(e.Execute(bad).rfind("ERROR: the command is not valid UTF-8 (byte ", 0), 0u) << bad;
  }
  // Well-formed non-ASCII text is echoed intact in the error.
  EXPECT_EQ(e.Execute("Star.Catalog = \"星表\""),
            "ERROR: statement 1 \"Star.Catalog = \"星表\"\": unknown catalogue \"星表\" "
            "(Hipparcos, GSC-ACT, Tycho2 or Tycho)");
  // A long statement is cut in the error, at a character boundary.
  const std::string longName = "? " + std::string(30, 'x') + std::string(20, 'y') + "星星星";
  const std::string reply = e.Execute(longName);
  EXPECT_NE(reply.find("...\": unknown property"), std::string::npos) << reply;
  EXPECT_EQ(Snapshot(e), before);
}

// Token soup and stray bytes: every reply is well-formed and the state
// keeps its invariants.
TEST(Grammar, RandomTextsKeepTheEngineSound) {
  const char* pieces[] = {
      "?", " ", ";", "=", "(", ")", ",", "\"", ".", "-", "+", "e", "0", "9", "1e308", "-1e-320",
      "2006", "13", "99999", "-99998", "100000", "59.999999", "TRUE", "false", "Time", "Time.jd",
      "Time.Timezone", "Location", "Location.Latitude", "Location.Longitude", "UT", "LST", "LMT",
      "JST", "Show", "Lumiral", "Stop", "Star.Catalog", "Tycho-2", "Solar.Moon.age",
      "Animation.Time.Speed", "\xE6\x98\x9F", "\xFF", "\t", "\n", "\\",
  };
  std::mt19937 rng(5);
  std::uniform_int_distribution<size_t> piece(0, std::size(pieces) - 1);
  std::uniform_int_distribution<int> length(0, 24);
  CSkyEngine e;
  for (int i = 0; i < 20000; ++i) {
    std::string command;
    for (int n = length(rng); n > 0; --n) command += pieces[piece(rng)];
    const std::string reply = e.Execute(command);
    ASSERT_EQ(reply.find('\n'), std::string::npos) << command;
    ASSERT_TRUE(reply.rfind("ERROR: ", 0) == 0 || reply.find("ERROR") == std::string::npos)
        << command << " -> " << reply;
    const double lat = skytest::Number(e, "? Location.Latitude");
    const double zone = skytest::Number(e, "? Time.Timezone");
    const double st = skytest::Number(e, "? Time.SiderealTime");
    const double age = skytest::Number(e, "? Solar.Moon.age");
    ASSERT_TRUE(lat >= -90 && lat <= 90 && zone >= -14 && zone <= 14 && st >= 0 && st < 24 &&
                age >= 0 && age < 30)
        << command;
    ASSERT_EQ(skytest::ReadPadDate(e.Execute("? LMT(Time)")).fields, 8) << command;
  }
}
