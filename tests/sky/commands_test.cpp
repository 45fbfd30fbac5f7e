// The command language: every command the pad sends and the reply forms
// it reads, as one session; the grammar's refusals; hostile texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "sky_test_util.h"

using skytest::Snapshot;

// One engine from its default state, each command with its exact reply.
TEST(Commands, RepliesInOrder) {
  const std::pair<const char*, const char*> session[] = {
      // The default state as the pad first reads it.
      {"? Time.Timezone", "9"},
      {"? location.longitude; ? Location.Latitude", "139.7447;35.6544"},
      {"? Time.jd", "2451545"},
      {"? JST(Time)", "JST AD2000/01/01 21:00:00"},
      {"? LST(Time)", "LST AD2000/01/01 21:00:00"},
      {"? LMT(Time)", "LMT AD2000/01/01 21:18:59"},  // 139.7447 E: 9 h 18 min 58.728 s ahead of UT
      {"? UT(Time)", "UT AD2000/01/01 12:00:00"},
      {"? Time.Lock; ? View.Track; ? View.Trace", "FALSE;FALSE;FALSE"},
      {"? Star.Catalog; ? Star.Catalog.Switch; ? Star.Catalog.Switch.Catalog", "Tycho2;FALSE;GSC-ACT"},
      {"? Star.AutoMagnitudeLimit.minimum", "6.5"},
      // Blanks, semicolons and letter case.
      {"  ?   Time.jd  ;  ", "2451545"},
      {"\t? Time.jd\r\n", "2451545"},
      {"? TIME.JD; ? time.jd", "2451545;2451545"},
      {"? jst ( time )", "JST AD2000/01/01 21:00:00"},
      {"", ""},
      {";", ""},
      {";;? Time.Timezone;;", "9"},
      {"? View.Track; Time.Timezone = 3; ? Time.Timezone; view.track = true; ? VIEW.TRACK", "FALSE;3;TRUE"},
      {"Time.jd = +2451545.25e0; ? UT(Time)", "UT AD2000/01/01 18:00:00"},
      // Assignments as the pad formats them.
      {"Location = Location(135.500000, 35.000000)", ""},
      {"? Location; ? Time.Timezone", "Location(135.5, 35);3"},  // a place leaves the zone alone
      {"Time.Timezone = 5.750000 ; Show Lumiral", ""},
      {"? Time.Timezone", "5.75"},
      {"Time = UT(2006,1,1,5,0,0) ; SHOW LUMIRAL; show lumiral; ? UT(Time)", "UT AD2006/01/01 05:00:00"},
      {"? JST(Time); ? LST(Time)", "JST AD2006/01/01 14:00:00;LST AD2006/01/01 10:45:00"},
      {"Time = LMT(2006,1,1,5,0,0) ; show lumiral", ""},  // 135.5 E: UT + 9 h 2 min
      {"? LMT(Time); ? UT(Time)", "LMT AD2006/01/01 05:00:00;UT AD2005/12/31 19:58:00"},
      {"Time = LST(2006,12,4,9,0,0,9.000000) ; show lumiral", ""},  // fields in the zone given
      {"? UT(Time); ? Time.Timezone", "UT AD2006/12/04 00:00:00;5.75"},
      {"Star.AutoMagnitudeLimit.Minimum = 15.300000 ; show lumiral", ""},
      {"? Star.AutoMagnitudeLimit.minimum", "15.3"},
      {"Time.Lock = TRUE; ? Time.Lock", "TRUE"},
      {"Time.Lock = FALSE; Show Lumiral; ? Time.Lock", "FALSE"},
      {" ; show lumiral", ""},  // the date command of a system without a date
      {"Star.Catalog = tycho-2; ? Star.Catalog", "Tycho2"},
      {"Star.Catalog = gscact; ? Star.Catalog", "GSC-ACT"},
      {"Star.Catalog = \"HIPPARCOS\"; ? Star.Catalog", "Hipparcos"},
      {"Star.Catalog.Switch.Catalog = \"Tycho\"; ? Star.Catalog.Switch.Catalog", "Tycho"},
      {"Star.Catalog.Switch = TRUE; ? Star.Catalog.Switch", "TRUE"},
      // The animation commands of the pad's stop sequence and speed menu.
      {"Animation.Time = TRUE; Stop Lumiral; ? Animation.Time", "FALSE"},
      {"Animation.Time = TRUE; animation.time = false; ? Animation.Time", "FALSE"},
      {"Animation.Time.Realtime = FALSE; Animation.Time.Speed.Step = TRUE;", ""},
      {"? Animation.Time.Realtime; ? Animation.Time.Speed.Step", "FALSE;TRUE"},
      {"Animation.Time.Speed = 3600; ? Animation.Time.Speed", "3600"},
      // Values that need care.
      {"Location.Longitude = 200; ? Location.Longitude", "-160"},
      {"Location.Longitude = 360; ? Location.Longitude", "0"},
      {"Location.Longitude = -180; ? Location.Longitude", "-180"},
      {"Location = Location( 359.5 , -90 ); ? Location", "Location(-0.5, -90)"},
      {"Time = UT(2003,2,29,0,0,0); ? UT(Time)", "UT AD2003/03/01 00:00:00"},
      {"Time = UT(1582,10,10,0,0,0); ? UT(Time)", "UT AD1582/10/20 00:00:00"},
      {"Time = UT(1582,10,4,0,0,0); ? Time.jd", "2299159.5"},
      {"Time = UT(2000,1,1,12,0,30.5); ? Time.jd", "2451545.0003530094"},
      {"Location.Latitude = 1e-7; ? Location.Latitude", "0.0000001"},  // never an exponent
      {"Location.Latitude = -0; ? Location.Latitude", "0"},
      // Dates before the era and at the end of the range.
      {"Time = UT(0,6,1,0,0,0); ? UT(Time)", "UT BC1/06/01 00:00:00"},
      {"Time = UT(-99,3,1,0,0,0); ? UT(Time)", "UT BC100/03/01 00:00:00"},
      {"Time = UT(100000,1,1,0,0,0); ? JST(Time)", "JST AD100000/01/01 09:00:00"},
      // Seconds round to the nearest, carrying through the year.
      {"Time.jd = 2451545.000689815; ? UT(Time)", "UT AD2000/01/01 12:01:00"},
      {"Time.jd = 2451545.000687500; ? UT(Time)", "UT AD2000/01/01 12:00:59"},
      {"Time.jd = 2451544.4999953; ? UT(Time)", "UT AD2000/01/01 00:00:00"},
      {"Time.jd = 2400000.5; ? Time.jd; ? UT(Time)", "2400000.5;UT AD1858/11/17 00:00:00"},
      {"Time = UT(99999,12,31,23,59,59); ? Time.jd", "38245309.49998843"},
  };
  CSkyEngine e;
  for (const auto& [command, reply] : session) EXPECT_EQ(e.Execute(command), reply) << command;
  // The pad reads a BC year into astronomical numbering, and five decimals
  // of the Julian date survive at the far end of the range.
  e.Execute("Time = UT(-99,3,1,0,0,0)");
  EXPECT_EQ(skytest::ReadPadDate(e.Execute("? JST(Time)")).year, -99);
  CSkyEngine fresh;
  EXPECT_NEAR(skytest::Number(fresh, "? Solar.Moon.age"), 24.56, 0.02);  // new moon 1999-12-07 22:32 UT
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
      {"Time = UT(2006,1,32,0,0,0)", "day 32 is outside 1..31"},
      {"Time = UT(2006,1,1,24,0,0)", "hour 24 is outside 0..23"},
      {"Time = UT(2006,1,1,0,60,0)", "minute 60 is outside 0..59"},
      {"Time = UT(2006,1,1,0,0,60)", "second 60 is outside"},
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
      {"Time.jd = 0x10", "not a number: \"0x10\""},
      {"Time.jd = 12abc", "not a number: \"12abc\""},
      {"Time.jd = 1.2.3", "not a number: \"1.2.3\""},
      {"Time.jd = --5", "not a number"},
      {"Time.jd = TRUE", "Time.jd takes a number"},
      {"Time.Timezone = 14.5", "zone 14.5 is outside -14..14"},
      {"Location = Location(0, 91)", "latitude 91 is outside -90..90"},
      {"Location = Location(361, 0)", "longitude 361 is outside -180..360"},
      {"Location = Location(1)", "Location takes Location(longitude, latitude)"},
      {"Location = 5", "Location takes Location(longitude, latitude)"},
      {"Location.Latitude = -90.5", "latitude -90.5 is outside"},
      {"View.Track = 1", "View.Track takes TRUE or FALSE"},
      {"Star.Catalog = Foo", "unknown catalogue \"Foo\""},
      {"Star.Catalog = 5", "takes a catalogue name"},
      {"Star.Catalog = \"Tycho2", "missing closing \""},
      {"Star.Catalog = \"Tycho;2\"", "unknown catalogue \"Tycho;2\""},
      {"Star.Catalog.Switch.Catalog = Hipparcos", "unknown catalogue \"Hipparcos\""},
      {"Star.AutoMagnitudeLimit.Minimum = 25", "magnitude limit 25 is outside -2..20"},
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
