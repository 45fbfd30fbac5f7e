// Every command the pad sends, word for word, and the reply forms it reads.
#include <gtest/gtest.h>

#include "sky_test_util.h"

using skytest::Number;
using skytest::ReadPadDate;

TEST(PadCommands, QueriesOfTheDefaultState) {
  CSkyEngine e;
  EXPECT_EQ(e.Execute("? Time.Timezone"), "9");
  EXPECT_EQ(e.Execute("? location.longitude"), "139.7447");
  EXPECT_EQ(e.Execute("? Time.jd"), "2451545");
  EXPECT_EQ(e.Execute("? JST(Time)"), "JST AD2000/01/01 21:00:00");
  EXPECT_EQ(e.Execute("? LST(Time)"), "LST AD2000/01/01 21:00:00");
  // 139.7447 degrees are 9 h 18 min 58.728 s ahead of UT.
  EXPECT_EQ(e.Execute("? LMT(Time)"), "LMT AD2000/01/01 21:18:59");
  EXPECT_EQ(e.Execute("? UT(Time)"), "UT AD2000/01/01 12:00:00");
  EXPECT_EQ(e.Execute("? Time.Lock"), "FALSE");
  EXPECT_EQ(e.Execute("? Star.Catalog"), "Tycho2");
  EXPECT_EQ(e.Execute("? Star.Catalog.Switch"), "FALSE");
  EXPECT_EQ(e.Execute("? Star.Catalog.Switch.Catalog"), "GSC-ACT");
  EXPECT_EQ(e.Execute("? Location.Longitude; ? Location.Latitude"), "139.7447;35.6544");
  EXPECT_EQ(e.Execute("? Star.AutoMagnitudeLimit.minimum"), "6.5");
  EXPECT_EQ(e.Execute("? View.Track"), "FALSE");
  EXPECT_EQ(e.Execute("? View.Trace"), "FALSE");
  const double st = Number(e, "? Time.SiderealTime");
  EXPECT_GE(st, 0.0);
  EXPECT_LT(st, 24.0);
  const double age = Number(e, "? Solar.Moon.age");
  EXPECT_NEAR(age, 24.56, 0.02);  // new moon 1999-12-07 22:32 UT
}

TEST(PadCommands, AssignmentsAsThePadFormatsThem) {
  CSkyEngine e;
  EXPECT_EQ(e.Execute("Location = Location(135.500000, 35.000000)"), "");
  EXPECT_EQ(e.Execute("? Location.Longitude; ? Location.Latitude"), "135.5;35");
  EXPECT_EQ(e.Execute("? Time.Timezone"), "9") << "a location leaves the zone alone";

  EXPECT_EQ(e.Execute("Time.Timezone = 5.750000 ; Show Lumiral"), "");
  EXPECT_EQ(e.Execute("? Time.Timezone"), "5.75");

  EXPECT_EQ(e.Execute("Time = UT(2006,1,1,5,0,0) ; show lumiral"), "");
  EXPECT_EQ(e.Execute("? JST(Time)"), "JST AD2006/01/01 14:00:00");
  EXPECT_EQ(e.Execute("? LST(Time)"), "LST AD2006/01/01 10:45:00");

  // Local mean time at 135.5 E is UT + 9 h 2 min.
  EXPECT_EQ(e.Execute("Time = LMT(2006,1,1,5,0,0) ; show lumiral"), "");
  EXPECT_EQ(e.Execute("? LMT(Time)"), "LMT AD2006/01/01 05:00:00");
  EXPECT_EQ(e.Execute("? UT(Time)"), "UT AD2005/12/31 19:58:00");

  // LST fields are read in the zone given; Time.Timezone stays.
  EXPECT_EQ(e.Execute("Time = LST(2006,12,4,9,0,0,9.000000) ; show lumiral"), "");
  EXPECT_EQ(e.Execute("? JST(Time)"), "JST AD2006/12/04 09:00:00");
  EXPECT_EQ(e.Execute("? UT(Time)"), "UT AD2006/12/04 00:00:00");
  EXPECT_EQ(e.Execute("? Time.Timezone"), "5.75");

  EXPECT_EQ(e.Execute("Star.AutoMagnitudeLimit.Minimum = 15.300000 ; show lumiral"), "");
  EXPECT_EQ(e.Execute("? Star.AutoMagnitudeLimit.minimum"), "15.3");
  EXPECT_EQ(e.Execute("Star.AutoMagnitudeLimit.Minimum = -2.000000 ; show lumiral"), "");

  EXPECT_EQ(e.Execute("Time.Lock = TRUE"), "");
  EXPECT_EQ(e.Execute("? Time.Lock"), "TRUE");
  EXPECT_EQ(e.Execute("Time.Lock = FALSE; Show Lumiral"), "");
  EXPECT_EQ(e.Execute("? Time.Lock"), "FALSE");

  // The date command of the systems without a date is the suffix alone.
  EXPECT_EQ(e.Execute(" ; show lumiral"), "");
}

TEST(PadCommands, AnimationStopSequence) {
  CSkyEngine e;
  e.Execute("Animation.Time = TRUE");
  EXPECT_EQ(e.Execute("? Animation.Time"), "TRUE");
  EXPECT_EQ(e.Execute("animation.time = false"), "");
  EXPECT_EQ(e.Execute("? Animation.Time"), "FALSE");

  e.Execute("Animation.Time = TRUE");
  EXPECT_EQ(e.Execute("Stop Lumiral"), "");
  EXPECT_EQ(e.Execute("? Animation.Time"), "FALSE");
  EXPECT_EQ(e.Execute("Animation.Time = FALSE"), "");
  EXPECT_EQ(e.Execute("Animation.Time.Realtime = FALSE; Animation.Time.Speed.Step = FALSE"), "");
  EXPECT_EQ(e.Execute("? Animation.Time.Realtime; ? Animation.Time.Speed.Step"), "FALSE;FALSE");
  EXPECT_EQ(e.Execute("Animation.Time.Realtime = FALSE; Animation.Time.Speed.Step = TRUE"), "");
  EXPECT_EQ(e.Execute("? Animation.Time.Realtime; ? Animation.Time.Speed.Step"), "FALSE;TRUE");
  EXPECT_EQ(e.Execute("Animation.Time.Realtime = TRUE; Animation.Time.Speed.Step = FALSE;"), "");
  EXPECT_EQ(e.Execute("? Animation.Time.Realtime; ? Animation.Time.Speed.Step"), "TRUE;FALSE");
  EXPECT_EQ(e.Execute(""), "");  // an unknown animation mode sends nothing
}

TEST(PadCommands, TruthRepliesAreUpperCase) {
  CSkyEngine e;
  EXPECT_EQ(e.Execute("view.track = true; View.Trace = True"), "");
  EXPECT_EQ(e.Execute("? view.track; ? VIEW.TRACE"), "TRUE;TRUE");
  EXPECT_EQ(e.Execute("Star.Catalog.Switch = TRUE; ? Star.Catalog.Switch"), "TRUE");
}

TEST(PadCommands, TimeQueryRightAfterTheAssignmentShowsTheNewTime) {
  CSkyEngine e;
  EXPECT_EQ(e.Execute("Time = UT(2006,1,1,5,0,0) ; show lumiral; ? UT(Time)"),
            "UT AD2006/01/01 05:00:00");
  EXPECT_EQ(e.Execute("Time = UT(2006,1,1,6,0,0)"), "");
  EXPECT_EQ(e.Execute("? UT(Time)"), "UT AD2006/01/01 06:00:00");
}

TEST(PadCommands, DateRepliesReadWithThePadsPatterns) {
  CSkyEngine e;
  e.Execute("Time = UT(0,6,1,0,0,0)");
  auto d = ReadPadDate(e.Execute("? JST(Time)"));
  EXPECT_EQ(d.fields, 8);
  EXPECT_EQ(d.label, "JST");
  EXPECT_EQ(d.era, "BC");
  EXPECT_EQ(d.year, 0);  // 1 BC
  EXPECT_EQ(d.hour, 9);
  EXPECT_EQ(e.Execute("? UT(Time)"), "UT BC1/06/01 00:00:00");

  e.Execute("Time = UT(-99,3,1,0,0,0)");
  EXPECT_EQ(e.Execute("? UT(Time)"), "UT BC100/03/01 00:00:00");
  EXPECT_EQ(ReadPadDate(e.Execute("? UT(Time)")).year, -99);

  e.Execute("Time = UT(99999,12,31,23,0,0)");
  EXPECT_EQ(e.Execute("? UT(Time)"), "UT AD99999/12/31 23:00:00");
  e.Execute("Time = UT(100000,1,1,0,0,0)");
  EXPECT_EQ(e.Execute("? UT(Time)"), "UT AD100000/01/01 00:00:00");
  EXPECT_EQ(ReadPadDate(e.Execute("? JST(Time)")).year, 100000);
}

TEST(PadCommands, SecondsRoundToTheNearestWithCarry) {
  CSkyEngine e;
  // 12:00:59.6 shows 12:01:00; 12:00:59.4 shows 12:00:59.
  e.Execute("Time.jd = 2451545.000689815");  // + 59.6 s
  EXPECT_EQ(e.Execute("? UT(Time)"), "UT AD2000/01/01 12:01:00");
  e.Execute("Time.jd = 2451545.000687500");  // + 59.4 s
  EXPECT_EQ(e.Execute("? UT(Time)"), "UT AD2000/01/01 12:00:59");
  // The carry runs through the year.
  e.Execute("Time.jd = 2451544.4999953");  // 1999-12-31 23:59:59.6
  EXPECT_EQ(e.Execute("? UT(Time)"), "UT AD2000/01/01 00:00:00");
}

TEST(PadCommands, JulianDatesTheMjdDisplayNeeds) {
  CSkyEngine e;
  e.Execute("Time.jd = 2400000.5");
  EXPECT_EQ(e.Execute("? Time.jd"), "2400000.5");
  EXPECT_EQ(e.Execute("? UT(Time)"), "UT AD1858/11/17 00:00:00");
  // Five decimals of the day survive the reply at the far end of the range.
  e.Execute("Time = UT(99999,12,31,23,59,59)");
  char shown[40];
  std::snprintf(shown, sizeof shown, "%15.5f", Number(e, "? Time.jd"));
  EXPECT_STREQ(shown, " 38245309.49999");
}
