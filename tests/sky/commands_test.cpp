// The command language: every command the pad sends and the reply forms
// it reads, as one session; the grammar's refusals; hostile texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "sky_test_util.h"

using skytest::Snapshot;

// Blanks, line ends and empty statements around a command (the session
// engine_replies in the app's recorded sessions holds every command the
// pad sends, with its reply, in order).
TEST(Commands, BlanksLineEndsAndEmptyStatements) {
  const std::pair<const char*, const char*> session[] = {
      {"  ?   Time.jd  ;  ", "2451545"}, {"\t? Time.jd\r\n", "2451545"}, {"", ""}, {" ; show lumiral", ""}};
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
