// Every command of the pad's table, carried to the fake Stellarium: the
// requests it makes and the replies it gives.
#include <QByteArray>
#include <vector>

#include "host_fixture.h"
#include "stellarium/stel_api.h"

namespace {

using Lines = std::vector<QByteArray>;

QByteArray Jd(double jd) { return stel::CStelApi::Number(jd); }

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
  EXPECT_EQ(Run("? UT(Time)"), "UT AD2006/12/04 00:00:00");
  EXPECT_EQ(Run("? Location.Longitude; ? Location.Latitude"), "135.5;-35.25");
  EXPECT_EQ(Run("? Star.AutoMagnitudeLimit.minimum"), "7.2");
  // The zone of local standard time is the host's own: 9 hours unless set.
  EXPECT_EQ(Run("? LST(Time)"), "LST AD2006/12/04 09:00:00");
  EXPECT_EQ(Run("? Animation.Time"), "FALSE");
  EXPECT_TRUE(fake.Changes().empty()) << "queries change nothing";
}

TEST_F(StellariumHostTest, WhatStellariumLacksIsAnsweredWithoutAskingIt) {
  EXPECT_EQ(Run("? Time.Lock"), "FALSE");
  EXPECT_EQ(Run("? Time.Timezone"), "9");
  EXPECT_EQ(Run("? Star.Catalog"), "Tycho2");
  EXPECT_EQ(Run("? Star.Catalog.Switch"), "FALSE");
  EXPECT_EQ(Run("? Star.Catalog.Switch.Catalog"), "GSC-ACT");
  EXPECT_EQ(Run("? View.Track"), "FALSE");
  EXPECT_EQ(Run("? View.Trace"), "FALSE");
  EXPECT_EQ(Run("Time.Timezone = 5.500000 ; Show Lumiral"), "");
  EXPECT_EQ(Run("View.Track = TRUE; Star.Catalog = Hipparcos; Star.Catalog.Switch = TRUE"), "");
  EXPECT_EQ(Run("? Time.Timezone"), "5.5");
  EXPECT_EQ(Run("? View.Track"), "TRUE");
  EXPECT_EQ(Run("? Star.Catalog"), "Hipparcos");
  EXPECT_TRUE(fake.Requests().empty());

  // ... and so they are answered while Stellarium is away.
  fake.Stop();
  EXPECT_EQ(Run("? Time.Lock"), "FALSE");
  EXPECT_EQ(Run("? Star.Catalog"), "Hipparcos");
  // A lock stops or frees a running time: that needs Stellarium.
  EXPECT_THROW(Run("Time.Lock = FALSE ; Show Lumiral"), CHostError);
}

TEST_F(StellariumHostTest, TimeCommandsOfEveryTimeSystemSendOneJulianDate) {
  // LST in Japan standard time, as the pad sends it.
  EXPECT_EQ(Run("Time = LST(2006,12,4,9,0,0,9.000000) ; show lumiral"), "");
  EXPECT_EQ(fake.Changes(), Lines{"POST /api/main/time time=" + Jd(2454073.5) + " timerate=0"});
  EXPECT_EQ(fake.Sky().jd, 2454073.5);
  EXPECT_EQ(Run("? JST(Time)"), "JST AD2006/12/04 09:00:00");

  fake.ClearRequests();
  EXPECT_EQ(Run("Time = UT(2006,1,1,5,0,0) ; show lumiral"), "");
  EXPECT_EQ(fake.Changes(), Lines{"POST /api/main/time time=" + Jd(2453736.5 + 5.0 / 24) + " timerate=0"});
  EXPECT_EQ(Run("? UT(Time)"), "UT AD2006/01/01 05:00:00");

  // LMT counts from Stellarium's longitude, 90 degrees east: 6 hours.
  FakeSky sky = fake.Sky();
  sky.longitude = 90.0f;
  fake.SetSky(sky);
  fake.ClearRequests();
  EXPECT_EQ(Run("Time = LMT(2006,1,1,12,0,0) ; show lumiral"), "");
  EXPECT_EQ(fake.Changes(), Lines{"POST /api/main/time time=" + Jd(2453736.75) + " timerate=0"});
  EXPECT_EQ(Run("? LMT(Time)"), "LMT AD2006/01/01 12:00:00");

  // Julian dates and far years, both ends of the range included.
  EXPECT_EQ(Run("Time = UT(100000,1,1,0,0,0)"), "");
  EXPECT_EQ(fake.Sky().jd, 38245309.5);
  EXPECT_EQ(Run("? UT(Time)"), "UT AD100000/01/01 00:00:00");
  EXPECT_EQ(Run("Time = UT(-99998,1,1,0,0,0)"), "");
  EXPECT_EQ(fake.Sky().jd, -34803211.5);
  EXPECT_EQ(Run("? UT(Time)"), "UT BC99999/01/01 00:00:00");
  EXPECT_EQ(Run("Time.jd = 2451545.25"), "");
  EXPECT_EQ(fake.Sky().jd, 2451545.25);

  // A time the engine refuses is not sent.
  fake.ClearRequests();
  EXPECT_EQ(Run("Time = UT(2006,13,1,0,0,0)").rfind("ERROR: statement 1", 0), 0u);
  EXPECT_EQ(Run("Time = UT(100000,1,1,0,0,1)").rfind("ERROR: statement 1", 0), 0u);
  EXPECT_TRUE(fake.Changes().empty());
  EXPECT_EQ(Run("? Time.jd"), "2451545.25");
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
  EXPECT_EQ(Run("Location = Location(135.500000, -35.000000)"), "");
  ASSERT_EQ(fake.Changes().size(), 1u);
  const QByteArray line = fake.Changes()[0];
  EXPECT_TRUE(line.startsWith("POST /api/location/setlocationfields latitude=-35 longitude=135.5 name=Lumira"))
      << line.constData();
  EXPECT_EQ(fake.Sky().longitude, 135.5f);
  EXPECT_EQ(fake.Sky().latitude, -35.0f);
  fake.ClearRequests();
  EXPECT_EQ(Run("Time.Timezone = 9.000000 ; Show Lumiral"), "");
  EXPECT_TRUE(fake.Changes().empty());

  // Stellarium keeps single precision; the pad reads back what it sent.
  EXPECT_EQ(Run("Location = Location(139.744700, 35.654400)"), "");
  EXPECT_NE(double(fake.Sky().longitude), 139.7447);
  EXPECT_EQ(Run("? Location.Longitude; ? Location.Latitude"), "139.7447;35.6544");
  // A place changed in Stellarium itself is read as Stellarium has it.
  FakeSky sky = fake.Sky();
  sky.longitude = -0.25f;
  fake.SetSky(sky);
  EXPECT_EQ(Run("? Location.Longitude; ? Location.Latitude"), "-0.25;" + Number(sky.latitude));

  // One coordinate alone keeps the other.
  fake.ClearRequests();
  EXPECT_EQ(Run("Location.Latitude = 10"), "");
  EXPECT_EQ(fake.Sky().longitude, -0.25f);
  EXPECT_EQ(fake.Sky().latitude, 10.0f);
  EXPECT_EQ(Run("Location = Location(0, 91)").rfind("ERROR: statement 1", 0), 0u);
  EXPECT_EQ(fake.Changes().size(), 1u);
}

TEST_F(StellariumHostTest, MagnitudeLimitSwitchesStellariumsLimitOnOnce) {
  EXPECT_EQ(Run("? Star.AutoMagnitudeLimit.minimum"), "6.5");
  fake.ClearRequests();
  EXPECT_EQ(Run("Star.AutoMagnitudeLimit.Minimum = 7.300000 ; show lumiral"), "");
  EXPECT_EQ(fake.Changes(), (Lines{"POST /api/stelproperty/set id=StelSkyDrawer.customStarMagLimit value=7.3",
                                   "POST /api/stelproperty/set id=StelSkyDrawer.flagStarMagnitudeLimit value=true"}));
  EXPECT_EQ(fake.Sky().magLimit, 7.3);
  EXPECT_TRUE(fake.Sky().magLimitOn);
  fake.ClearRequests();
  EXPECT_EQ(Run("Star.AutoMagnitudeLimit.Minimum = 7.400000 ; show lumiral"), "");
  EXPECT_EQ(fake.Changes(), Lines{"POST /api/stelproperty/set id=StelSkyDrawer.customStarMagLimit value=7.4"});
  EXPECT_EQ(Run("? Star.AutoMagnitudeLimit.minimum"), "7.4");

  // Changed in Stellarium itself.
  FakeSky sky = fake.Sky();
  sky.magLimit = 11.5;
  fake.SetSky(sky);
  EXPECT_EQ(Run("? Star.AutoMagnitudeLimit.minimum"), "11.5");
}

TEST_F(StellariumHostTest, AnimationRunsStellariumsClockAndStopSetsItsRateToZero) {
  Run("? Time.jd");
  fake.ClearRequests();
  const QByteArray realTime = "POST /api/main/time timerate=" + stel::CStelApi::Number(1.0 / 86400);
  EXPECT_EQ(Run("Animation.Time = TRUE"), "");
  EXPECT_EQ(fake.Changes(), Lines{realTime});
  // Speed times real time: 60 simulated seconds a second.
  fake.ClearRequests();
  EXPECT_EQ(Run("Animation.Time.Realtime = FALSE; Animation.Time.Speed.Step = FALSE"), "");
  EXPECT_EQ(fake.Changes(), Lines{"POST /api/main/time timerate=" + stel::CStelApi::Number(60.0 / 86400)});
  // A locked time does not run.
  fake.ClearRequests();
  EXPECT_EQ(Run("Time.Lock = TRUE; Show Lumiral"), "");
  EXPECT_EQ(Run("Time.Lock = FALSE; Show Lumiral"), "");
  EXPECT_EQ(fake.Changes(), (Lines{"POST /api/main/time timerate=0",
                                   "POST /api/main/time timerate=" + stel::CStelApi::Number(60.0 / 86400)}));
  // A time set while the clock runs keeps it running.
  fake.ClearRequests();
  EXPECT_EQ(Run("Time = UT(2006,1,1,0,0,0)"), "");
  EXPECT_EQ(fake.Changes(),
            Lines{"POST /api/main/time time=" + Jd(2453736.5) + " timerate=" + stel::CStelApi::Number(60.0 / 86400)});

  // The pad's stop: Stop Lumiral, Animation.Time = FALSE, then the mode.
  fake.ClearRequests();
  EXPECT_EQ(Run("Stop Lumiral"), "");
  EXPECT_EQ(Run("Animation.Time = FALSE"), "");
  EXPECT_EQ(Run("Animation.Time.Realtime = TRUE; Animation.Time.Speed.Step = FALSE;"), "");
  EXPECT_EQ(Run("animation.time = false"), "");
  EXPECT_EQ(fake.Changes(), Lines{"POST /api/main/time timerate=0"}) << "only a change is sent";
  EXPECT_EQ(fake.Sky().rate, 0.0);
}

TEST_F(StellariumHostTest, StellariumsOwnRunningClockReadsAsAnAnimation) {
  FakeSky sky = fake.Sky();
  sky.rate = 1.0 / 86400;  // Stellarium starts in real time
  fake.SetSky(sky);
  EXPECT_EQ(Run("? Animation.Time; ? Animation.Time.Realtime"), "TRUE;TRUE");
  sky.rate = 3600.0 / 86400;
  fake.SetSky(sky);
  EXPECT_EQ(Run("? Animation.Time; ? Animation.Time.Realtime; ? Animation.Time.Speed.Step; ? Animation.Time.Speed"),
            "TRUE;FALSE;FALSE;3600");
  // The pad's button-up stops it.
  fake.ClearRequests();
  EXPECT_EQ(Run("animation.time = false"), "");
  EXPECT_EQ(fake.Changes(), Lines{"POST /api/main/time timerate=0"});
  EXPECT_EQ(Run("? Animation.Time"), "FALSE");
}

TEST_F(StellariumHostTest, StatementsBeforeAFailingOneAreCarriedOut) {
  EXPECT_EQ(Run("Time = UT(2006,1,1,0,0,0) ; ? Foo").rfind("ERROR: statement 2 \"? Foo\"", 0), 0u);
  EXPECT_EQ(fake.Sky().jd, 2453736.5);
  EXPECT_EQ(Run("Time = UT(2006,1,1,0,0,0); Location = Location(0, 91)").rfind("ERROR: statement 2", 0), 0u);
  EXPECT_EQ(Run("? Foo").rfind("ERROR: statement 1 \"? Foo\": unknown property", 0), 0u);
  EXPECT_EQ(Run("? Time.jd; ? Location.Latitude"), "2453736.5;" + Number(fake.Sky().latitude));
  EXPECT_EQ(Run(""), "");
  EXPECT_EQ(Host().Execute(nullptr), "ERROR: no command");
}
