// Every command of the pad's table, carried to the fake Stellarium: the
// requests it makes and the replies it gives.
#include <string>

#include "host_fixture.h"

namespace {

std::string Jd(double jd) { return stel::CStelApi::Number(jd).toStdString(); }
std::string Rate(double secondsPerSecond) { return Jd(secondsPerSecond / 86400); }
const std::string kTime = "POST /api/main/time ";
const std::string kProperty = "POST /api/stelproperty/set id=StelSkyDrawer.";

}  // namespace

TEST_F(StellariumHostTest, QueriesReadStellariumsInstantAndPlaceAndComputeTheRest) {
  FakeSky sky;
  sky.jd = 2454073.5;  // 2006-12-04 00:00 UT
  sky.longitude = 135.5f;
  sky.latitude = -35.25f;
  sky.magLimit = 7.2;
  fake.SetSky(sky);
  for (const char* query : {"? UT(Time)", "? JST(Time)", "? LMT(Time)", "? Time.jd", "? Time.SiderealTime",
                            "? Solar.Moon.age", "? location.longitude", "? Location"}) {
    CSkyEngine reference;
    AtStellarium(reference);
    EXPECT_EQ(Run(query), reference.Execute(std::string_view(query))) << query;
  }
  // The zone of local standard time is the host's own: 9 hours unless set.
  EXPECT_EQ(Run("? Location; ? Star.AutoMagnitudeLimit.minimum; ? Animation.Time; ? LST(Time)"),
            "Location(135.5, -35.25);7.2;FALSE;LST AD2006/12/04 09:00:00");
}

TEST_F(StellariumHostTest, WhatStellariumLacksIsAnsweredWithoutAskingIt) {
  const char* all = "? Time.Lock; ? Time.Timezone; ? Star.Catalog; ? Star.Catalog.Switch; "
                    "? Star.Catalog.Switch.Catalog; ? View.Track; ? View.Trace";
  Expect({{all, "FALSE;9;Tycho2;FALSE;GSC-ACT;FALSE;FALSE"},
          {"Time.Timezone = 5.500000 ; Show Lumiral; View.Track = TRUE; Star.Catalog = Hipparcos", ""},
          {all, "FALSE;5.5;Hipparcos;FALSE;GSC-ACT;TRUE;FALSE"}});
  EXPECT_TRUE(fake.Requests().empty());
}

// Each time system sends the one Julian date the engine makes of it, and a
// whole second set reads back as itself, across the range.
TEST_F(StellariumHostTest, TimeCommandsSendOneJulianDateThatReadsBackExactly) {
  FakeSky sky = fake.Sky();
  sky.longitude = 90.0f;  // LMT counts from Stellarium's longitude
  fake.SetSky(sky);
  const char* cases[][2] = {
      {"Time = LST(2006,12,4,9,0,0,9.000000) ; show lumiral", "? JST(Time)"},  // as the pad sends it
      {"Time = LMT(2006,1,1,12,0,0)", "? LMT(Time)"},
      {"Time = LST(1582,10,15,0,0,0,9.000000)", "? JST(Time)"},
      {"Time = LST(-4712,1,1,23,59,59,-9.500000)", "? UT(Time)"},
      {"Time = UT(100000,1,1,0,0,0)", "? UT(Time)"},
      {"Time = UT(-99998,1,1,0,0,1)", "? UT(Time)"},
      {"Time.jd = 2451545.25", "? Time.jd"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c[0]);
    CSkyEngine reference;
    AtStellarium(reference);
    reference.Execute(std::string_view(c[0]));
    const double jd = sky::ToJulianDate(reference.State().time);
    Expect({{c[0], "", kTime + "time=" + Jd(jd) + " timerate=0\n"}});
    EXPECT_EQ(fake.Sky().jd, jd);
    EXPECT_EQ(Run(c[1]), reference.Execute(std::string_view(c[1])));
  }
  // A time the engine refuses is not sent.
  Expect({{"Time = UT(2006,13,1,0,0,0)", "ERROR: statement 1*", ""},
          {"Time = UT(100000,1,1,0,0,1)", "ERROR: statement 1*", ""},
          {"? Time.jd", "2451545.25"}});
}

TEST_F(StellariumHostTest, PlaceFollowsThePadsLocationCommands) {
  Expect({{"Location = Location(135.500000, -35.000000)", "",
           "POST /api/location/setlocationfields latitude=-35 longitude=135.5 name=Lumira 135.5000E 35.0000S\n"},
          // Stellarium keeps single precision; the pad reads back what it sent.
          {"Location = Location(139.744700, 35.654400)", ""},
          {"? Location.Longitude; ? Location.Latitude", "139.7447;35.6544"}});
  EXPECT_NE(double(fake.Sky().longitude), 139.7447);
  // A place changed in Stellarium itself is read, past 180 degrees as west.
  FakeSky sky = fake.Sky();
  sky.longitude = 359.75f;
  fake.SetSky(sky);
  Expect({{"? Location.Longitude", "-0.25"},
          {"Location.Latitude = 10", ""},  // one coordinate alone keeps the other
          {"Location = Location(0, 91)", "ERROR: statement 1*", ""}});
  EXPECT_EQ(fake.Sky().longitude, -0.25f);
  EXPECT_EQ(fake.Sky().latitude, 10.0f);
}

TEST_F(StellariumHostTest, MagnitudeLimitSwitchesStellariumsLimitOnOnce) {
  Expect({{"Star.AutoMagnitudeLimit.Minimum = 7.300000 ; show lumiral", "",
           kProperty + "customStarMagLimit value=7.3\n" + kProperty + "flagStarMagnitudeLimit value=true\n"},
          {"Star.AutoMagnitudeLimit.Minimum = 7.400000", "", kProperty + "customStarMagLimit value=7.4\n"}});
  EXPECT_TRUE(fake.Sky().magLimitOn);
  // Changed in Stellarium itself.
  FakeSky sky = fake.Sky();
  sky.magLimit = 11.5;
  fake.SetSky(sky);
  EXPECT_EQ(Run("? Star.AutoMagnitudeLimit.minimum"), "11.5");
}

TEST_F(StellariumHostTest, AnimationRunsStellariumsClockAndStopSetsItsRateToZero) {
  const std::string minute = kTime + "timerate=" + Rate(60) + "\n";
  Expect({{"Animation.Time = TRUE", "", kTime + "timerate=" + Rate(1) + "\n"},
          // Speed times real time: 60 simulated seconds a second.
          {"Animation.Time.Realtime = FALSE; Animation.Time.Speed.Step = FALSE", "", minute},
          // A locked time does not run.
          {"Time.Lock = TRUE; Show Lumiral", "", kTime + "timerate=0\n"},
          {"Time.Lock = FALSE; Show Lumiral", "", minute},
          // A time set while the clock runs keeps it running.
          {"Time = UT(2006,1,1,0,0,0)", "", kTime + "time=" + Jd(2453736.5) + " timerate=" + Rate(60) + "\n"},
          // The pad's stop: Stop Lumiral, Animation.Time = FALSE, then the
          // mode; only a change is sent.
          {"Stop Lumiral", "", kTime + "timerate=0\n"},
          {"Animation.Time = FALSE", "", ""},
          {"Animation.Time.Realtime = TRUE; Animation.Time.Speed.Step = FALSE;", "", ""}});
  // Stellarium's own running clock reads as an animation, not held, which
  // the pad's button-up stops.
  EXPECT_EQ(Run("Time.Lock = TRUE"), "");
  FakeSky sky = fake.Sky();
  sky.rate = 1.0 / 86400;  // real time, as Stellarium starts
  fake.SetSky(sky);
  EXPECT_EQ(Run("? Animation.Time; ? Animation.Time.Realtime; ? Time.Lock"), "TRUE;TRUE;FALSE");
  sky.rate = 3600.0 / 86400;
  fake.SetSky(sky);
  Expect({{"? Animation.Time.Realtime; ? Animation.Time.Speed.Step; ? Animation.Time.Speed", "FALSE;FALSE;3600"},
          {"animation.time = false", "", kTime + "timerate=0\n"}});
  EXPECT_EQ(fake.Sky().rate, 0.0);
}

TEST_F(StellariumHostTest, StatementsBeforeAFailingOneAreCarriedOut) {
  Expect({{"Time = UT(2006,1,1,0,0,0) ; ? Foo", "ERROR: statement 2 \"? Foo\": unknown property*"},
          {"Time = UT(2006,1,1,0,0,0); Location = Location(0, 91)", "ERROR: statement 2*"},
          {"? Time.jd; ? Location.Latitude", "2453736.5;" + Number(fake.Sky().latitude)},
          {"", ""}});
  EXPECT_EQ(Host().Execute(nullptr), "ERROR: no command");
}
