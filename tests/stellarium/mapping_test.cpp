// Every command of the pad's table, carried to the fake Stellarium: the
// requests it makes and the replies it gives.
#include <string>

#include "host_fixture.h"
#include "stellarium/stel_api.h"

namespace {

std::string Jd(double jd) { return stel::CStelApi::Number(jd).toStdString(); }
std::string Rate(double secondsPerSecond) { return stel::CStelApi::Number(secondsPerSecond / 86400).toStdString(); }
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
                            "? Solar.Moon.age", "? Location.Longitude; ? Location.Latitude", "? location.longitude",
                            "? Location"}) {
    EXPECT_EQ(Run(query), Reference(query)) << query;
  }
  Expect({{"? UT(Time)", "UT AD2006/12/04 00:00:00", ""},
          {"? Location.Longitude; ? Location.Latitude", "135.5;-35.25", ""},
          {"? Star.AutoMagnitudeLimit.minimum", "7.2", ""},
          // The zone of local standard time is the host's own: 9 hours unless set.
          {"? LST(Time)", "LST AD2006/12/04 09:00:00", ""},
          {"? Animation.Time", "FALSE", ""}});
}

TEST_F(StellariumHostTest, WhatStellariumLacksIsAnsweredWithoutAskingIt) {
  Expect({{"? Time.Lock", "FALSE"},
          {"? Time.Timezone", "9"},
          {"? Star.Catalog", "Tycho2"},
          {"? Star.Catalog.Switch", "FALSE"},
          {"? Star.Catalog.Switch.Catalog", "GSC-ACT"},
          {"? View.Track", "FALSE"},
          {"? View.Trace", "FALSE"},
          {"Time.Timezone = 5.500000 ; Show Lumiral", ""},
          {"View.Track = TRUE; Star.Catalog = Hipparcos; Star.Catalog.Switch = TRUE", ""},
          {"? Time.Timezone", "5.5"},
          {"? View.Track", "TRUE"},
          {"? Star.Catalog", "Hipparcos"}});
  EXPECT_TRUE(fake.Requests().empty());

  // ... and so they are answered while Stellarium is away.
  fake.Stop();
  Expect({{"? Time.Lock", "FALSE"}, {"? Star.Catalog", "Hipparcos"}});
  // A lock stops or frees a running time: that needs Stellarium.
  EXPECT_THROW(Run("Time.Lock = FALSE ; Show Lumiral"), CHostError);
}

TEST_F(StellariumHostTest, TimeCommandsOfEveryTimeSystemSendOneJulianDate) {
  FakeSky sky = fake.Sky();
  sky.longitude = 90.0f;  // LMT counts from Stellarium's longitude: 6 hours
  fake.SetSky(sky);
  const std::string stopped = " timerate=0\n";
  Expect({// LST in Japan standard time, as the pad sends it.
          {"Time = LST(2006,12,4,9,0,0,9.000000) ; show lumiral", "", kTime + "time=" + Jd(2454073.5) + stopped},
          {"? JST(Time)", "JST AD2006/12/04 09:00:00"},
          {"Time = UT(2006,1,1,5,0,0) ; show lumiral", "", kTime + "time=" + Jd(2453736.5 + 5.0 / 24) + stopped},
          {"? UT(Time)", "UT AD2006/01/01 05:00:00"},
          {"Time = LMT(2006,1,1,12,0,0) ; show lumiral", "", kTime + "time=" + Jd(2453736.75) + stopped},
          {"? LMT(Time)", "LMT AD2006/01/01 12:00:00"},
          // Julian dates and far years, both ends of the range included.
          {"Time = UT(100000,1,1,0,0,0)", "", kTime + "time=" + Jd(38245309.5) + stopped},
          {"? UT(Time)", "UT AD100000/01/01 00:00:00"},
          {"Time = UT(-99998,1,1,0,0,0)", "", kTime + "time=" + Jd(-34803211.5) + stopped},
          {"? UT(Time)", "UT BC99999/01/01 00:00:00"},
          {"Time.jd = 2451545.25", "", kTime + "time=" + Jd(2451545.25) + stopped},
          // A time the engine refuses is not sent.
          {"Time = UT(2006,13,1,0,0,0)", "ERROR: statement 1*", ""},
          {"Time = UT(100000,1,1,0,0,1)", "ERROR: statement 1*", ""},
          {"? Time.jd", "2451545.25"}});
}

TEST_F(StellariumHostTest, InstantsSetToTheSecondReadBackExactly) {
  // The pad re-reads at once what it set; a whole second must come back
  // as itself, in every system and across the range.
  const char* cases[][2] = {
      {"Time = UT(2006,4,1,12,30,15)", "? UT(Time)"},
      {"Time = LST(1582,10,15,0,0,0,9.000000)", "? JST(Time)"},
      {"Time = LST(-4712,1,1,23,59,59,-9.500000)", "? UT(Time)"},
      {"Time = UT(99999,12,31,23,59,59)", "? UT(Time)"},
      {"Time = UT(-99998,1,1,0,0,1)", "? UT(Time)"},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(Run(c[0]), "") << c[0];
    CSkyEngine engine;
    engine.Execute(std::string_view(c[0]));
    EXPECT_EQ(Run(c[1]), engine.Execute(std::string_view(c[1]))) << c[0];
    EXPECT_EQ(fake.Sky().jd, sky::ToJulianDate(engine.State().time)) << c[0];
  }
}

TEST_F(StellariumHostTest, PlaceAndZoneFollowThePadsLocationCommands) {
  const std::string place = "POST /api/location/setlocationfields ";
  Expect({{"Location = Location(135.500000, -35.000000)", "",
           place + "latitude=-35 longitude=135.5 name=Lumira 135.5000E 35.0000S\n"},
          {"Time.Timezone = 9.000000 ; Show Lumiral", "", ""},
          // Stellarium keeps single precision; the pad reads back what it sent.
          {"Location = Location(139.744700, 35.654400)", ""},
          {"? Location.Longitude; ? Location.Latitude", "139.7447;35.6544"}});
  EXPECT_NE(double(fake.Sky().longitude), 139.7447);
  // A place changed in Stellarium itself is read as Stellarium has it.
  FakeSky sky = fake.Sky();
  sky.longitude = -0.25f;
  fake.SetSky(sky);
  Expect({{"? Location.Longitude; ? Location.Latitude", "-0.25;" + Number(sky.latitude)},
          // One coordinate alone keeps the other.
          {"Location.Latitude = 10", ""},
          {"Location = Location(0, 91)", "ERROR: statement 1*", ""}});
  EXPECT_EQ(fake.Sky().longitude, -0.25f);
  EXPECT_EQ(fake.Sky().latitude, 10.0f);
}

TEST_F(StellariumHostTest, MagnitudeLimitSwitchesStellariumsLimitOnOnce) {
  Expect({{"? Star.AutoMagnitudeLimit.minimum", "6.5"},
          {"Star.AutoMagnitudeLimit.Minimum = 7.300000 ; show lumiral", "",
           kProperty + "customStarMagLimit value=7.3\n" + kProperty + "flagStarMagnitudeLimit value=true\n"},
          {"Star.AutoMagnitudeLimit.Minimum = 7.400000 ; show lumiral", "",
           kProperty + "customStarMagLimit value=7.4\n"},
          {"? Star.AutoMagnitudeLimit.minimum", "7.4"}});
  EXPECT_TRUE(fake.Sky().magLimitOn);
  // Changed in Stellarium itself.
  FakeSky sky = fake.Sky();
  sky.magLimit = 11.5;
  fake.SetSky(sky);
  EXPECT_EQ(Run("? Star.AutoMagnitudeLimit.minimum"), "11.5");
}

TEST_F(StellariumHostTest, AnimationRunsStellariumsClockAndStopSetsItsRateToZero) {
  const std::string minute = kTime + "timerate=" + Rate(60) + "\n";
  Expect({{"? Time.jd", "2453827.0210069446"},
          {"Animation.Time = TRUE", "", kTime + "timerate=" + Rate(1) + "\n"},
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
          {"Animation.Time.Realtime = TRUE; Animation.Time.Speed.Step = FALSE;", "", ""},
          {"animation.time = false", "", ""}});
  EXPECT_EQ(fake.Sky().rate, 0.0);
}

TEST_F(StellariumHostTest, StellariumsOwnRunningClockReadsAsAnAnimation) {
  FakeSky sky = fake.Sky();
  sky.rate = 1.0 / 86400;  // Stellarium starts in real time
  fake.SetSky(sky);
  EXPECT_EQ(Run("? Animation.Time; ? Animation.Time.Realtime"), "TRUE;TRUE");
  sky.rate = 3600.0 / 86400;
  fake.SetSky(sky);
  // The pad's button-up stops it.
  Expect({{"? Animation.Time; ? Animation.Time.Realtime; ? Animation.Time.Speed.Step; ? Animation.Time.Speed",
           "TRUE;FALSE;FALSE;3600"},
          {"animation.time = false", "", kTime + "timerate=0\n"},
          {"? Animation.Time", "FALSE"}});
}

TEST_F(StellariumHostTest, StatementsBeforeAFailingOneAreCarriedOut) {
  Expect({{"Time = UT(2006,1,1,0,0,0) ; ? Foo", "ERROR: statement 2 \"? Foo\"*"},
          {"Time = UT(2006,1,1,0,0,0); Location = Location(0, 91)", "ERROR: statement 2*"},
          {"? Foo", "ERROR: statement 1 \"? Foo\": unknown property*"},
          {"? Time.jd; ? Location.Latitude", "2453736.5;" + Number(fake.Sky().latitude)},
          {"", ""}});
  EXPECT_EQ(Host().Execute(nullptr), "ERROR: no command");
}
