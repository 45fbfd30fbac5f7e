// Stepping the date, the location and the magnitude, and what goes to the
// host after each step (the catalogues' ceilings are a recorded session).
#include <climits>
#include <cmath>

#include "pad_fixture.h"
#include "host/timezone.h"

namespace {

class SteppingTest : public PadTest {
 protected:
  // The longitude, latitude or magnitude that digit `index` steps.
  double& Field(int index) { return index < 29 ? P().Longitude() : index < 40 ? P().Latitude() : P().MagLimit(); }
  // From 135E 35N, magnitude 6.5, with the stepped field at `start`: the
  // field's value when the step's command reached the host (before the
  // pad re-read the host's state).
  double StepSeen(double start, int index, bool up) {
    P().Longitude() = 135.0, P().Latitude() = 35.0, P().MagLimit() = 6.5;
    Field(index) = start;
    const std::string prefix = index < 40 ? "Location = " : "Star.AutoMagnitudeLimit.Minimum = ";
    double seen = std::nan("");
    rig.host.onCommand = [&](const std::string& c) {
      if (c.rfind(prefix, 0) == 0) seen = Field(index);
    };
    Step(index, up);
    rig.host.onCommand = nullptr;
    return seen;
  }
};

TEST_F(SteppingTest, DateGoesOutInTheFormOfEachTimeSystem) {
  Build();
  // The pad's system, its zone, the host code stored before the command goes out.
  const struct { int timeSys; double tz; int hostCode; const char* text; } cases[] = {
      {0, 9.0, 0, "Time = LST(2006,12,4,9,0,0,9.000000) ; show lumiral"},
      {6, -3.5, 0, "Time = LST(2006,12,4,9,0,0,-3.500000) ; show lumiral"},
      {1, 0.0, 1, "Time = UT(2006,12,4,9,0,0) ; show lumiral"},
      {2, 0.0, 1, "Time = UT(2006,12,4,9,0,0) ; show lumiral"},
      {4, 0.0, 1, "Time = UT(2006,12,4,9,0,0) ; show lumiral"},
      {5, 0.0, 1, "Time = UT(2006,12,4,9,0,0) ; show lumiral"},
      {7, 0.0, 2, "Time = LMT(2006,12,4,9,0,0) ; show lumiral"},
      {3, 0.0, 1, " ; show lumiral"},
      {8, 0.0, 1, " ; show lumiral"},
  };
  for (const auto& c : cases) {
    SetDate(c.timeSys, 2006, 12, 4, 9, 0, 0, c.tz);
    rig.timeSys = 99;
    int codeWhenSent = -1;
    rig.host.onCommand = [&](const std::string&) { codeWhenSent = rig.timeSys; };
    rig.host.ClearSent();
    rig.pad->SetCorLmrDate();
    rig.host.onCommand = nullptr;
    EXPECT_EQ(Sent(), std::vector<std::string>{c.text}) << c.timeSys;
    EXPECT_EQ(std::make_pair(rig.timeSys, codeWhenSent), std::make_pair(c.hostCode, c.hostCode)) << c.timeSys;
  }
  // Years go out in astronomical numbering; without the host's
  // time-system variable the command still goes out.
  SetDate(1, -2005, 1, 2, 3, 4, 5);
  P().TimeSysPtr() = nullptr;
  rig.host.ClearSent();
  rig.pad->SetCorLmrDate();
  EXPECT_EQ(Sent(), std::vector<std::string>{"Time = UT(-2005,1,2,3,4,5) ; show lumiral"});
}

TEST_F(SteppingTest, PlaceAndMagnitudeStepsWrapOrStopAtTheirLimits) {
  rig.host.Reply("? Star.Catalog", "Tycho-2");  // magnitudes up to 15.3
  Build();
  // The minute steps are the decimal constants, not exact sixths.
  const struct { double start; int digit; bool up; double end; } cases[] = {
      // Longitude: wraps at the antimeridian; exactly 180 stays.
      {175.0, 20, true, -175.0}, {175.0, 21, true, -175.0}, {-175.0, 20, false, 175.0}, {179.0, 22, true, 180.0},
      {-179.0, 22, false, -180.0}, {180.0, 25, true, 180.0 + 0.016666666 - 360.0}, {135.5, 27, true, -135.5},
      {135.5, 27, false, -135.5}, {135.0, 24, true, 135.0 + 0.16666666}, {135.0, 25, false, 135.0 - 0.016666666},
      // Latitude: stops at the guards (a degree step must start below 80).
      {80.0, 29, true, 80.0}, {79.5, 29, true, 89.5}, {-80.0, 29, false, -80.0}, {88.9, 30, true, 88.9 + 1.0},
      {89.0, 30, true, 89.0}, {89.9, 32, true, 89.9}, {89.5, 32, true, 89.5 + 0.16666666},
      {-89.98333333, 33, false, -89.98333333}, {-89.9, 33, false, -89.9 - 0.016666666}, {35.0, 35, true, -35.0},
      {-35.0, 35, false, 35.0},
      // Magnitude: stops at the catalogue's ceiling and at -2.
      {14.3, 40, true, 15.3}, {14.4, 41, true, 14.4}, {15.2, 43, true, 15.2 + 0.1}, {15.3, 43, true, 15.3},
      {-1.0, 40, false, -2.0}, {-1.05, 40, false, -1.05}, {-1.9, 43, false, -1.9 - 0.1}, {-1.95, 43, false, -1.95},
  };
  for (const auto& c : cases) EXPECT_EQ(StepSeen(c.start, c.digit, c.up), c.end) << c.start << " " << c.digit;

  // The place goes out, then the zone of the new place, then the pad
  // re-reads the host and tells the main window.
  rig.host.ClearSent();
  StepSeen(175.0, 20, true);
  const auto sent = rig.host.Sent();
  ASSERT_GE(sent.size(), 2u);
  EXPECT_EQ(sent[0], "Location = Location(-175.000000, 35.000000)");
  EXPECT_EQ(sent[1], QString::asprintf("Time.Timezone = %f ; Show Lumiral", CTimeZone().GetTimeZone(185.0, 35.0))
                         .toStdString());
  EXPECT_TRUE(WasSent("? Location.Longitude; ? Location.Latitude"));
  EXPECT_TRUE(WasSent("? Star.AutoMagnitudeLimit.minimum"));
  ASSERT_FALSE(rig.Changes().empty());
  EXPECT_EQ(rig.Changes().back(), "OBS");
  // A step stopped by its guard still sends the place and tells.
  const size_t told = rig.Changes().size();
  StepSeen(80.0, 29, true);
  EXPECT_EQ(LastSent("Location = "), "Location = Location(135.000000, 80.000000)");
  EXPECT_EQ(rig.Changes().size(), told + 1);

  // Magnitude: up asks the catalogue afresh every time, down never; the
  // magnitude is re-read; the main window is not told.
  rig.host.ClearSent();
  StepSeen(15.2, 43, true);
  EXPECT_EQ(LastSent("Star.AutoMagnitudeLimit.Minimum"), "Star.AutoMagnitudeLimit.Minimum = 15.300000 ; show lumiral");
  StepSeen(6.5, 40, true);
  EXPECT_EQ(CountSent("? Star.Catalog"), 4);  // catalogue and switch, twice
  StepSeen(6.5, 40, false);
  EXPECT_EQ(CountSent("? Star.Catalog"), 4);
  EXPECT_EQ(CountSent("? Star.AutoMagnitudeLimit.minimum"), 3);
  EXPECT_EQ(rig.Changes().size(), told + 1);
}

TEST_F(SteppingTest, EveryIndexThatIsNoStepResendsTheDate) {
  Build();
  // Every index that is not a step of its own re-sends the date unchanged;
  // -99 is no selection at all.
  for (int index : {5, 8, 11, 14, 17, 23, 26, 28, 31, 34, 36, 39, 42, -1, 90, 91, -99}) {
    SetDate(1, 2006, 4, 1, 12, 30, 15);
    rig.host.ClearSent();
    Step(index, true);
    EXPECT_EQ(LastSent("Time = "), index == -99 ? "" : "Time = UT(2006,4,1,12,30,15) ; show lumiral") << index;
    if (index == -99) {
      EXPECT_TRUE(Sent().empty());
    }
  }
}

TEST_F(SteppingTest, DateStepsCarryAndStayInRange) {
  Build();
  // A month step into a shorter month is the calendar library's matter.
  tagADATE shorter{2006, 1, 31, 0, 0, 0.0, 0.0};
  const tagADATEDIFF month{0, 1, 0, 0, 0, 0.0};
  ChangeDate(&shorter, &month, 0);
  const std::string intoShorter =
      QString::asprintf("UT(%d,%d,%d,0,0,0)", shorter.nYear, shorter.nMonth, shorter.nDay).toStdString();
  const struct { int timeSys, year, month, day, hour; double tz; int index; bool up; std::string sent; } cases[] = {
      {1, 2006, 4, 1, 12, 0.0, 0, false, "UT(-7994,4,1,12,0,0)"},
      {1, 2006, 4, 1, 12, 0.0, 7, true, "UT(2006,5,1,12,0,0)"},  // the month's second digit
      {1, 2006, 12, 31, 0, 0.0, 10, true, "UT(2007,1,1,0,0,0)"},
      {1, 2006, 1, 31, 0, 0.0, 7, true, intoShorter},
      // The last accepted instant is 100000-01-01 00:00 UT.
      {1, 99999, 12, 31, 23, 0.0, 13, true, "UT(100000,1,1,0,0,0)"},
      {1, 99999, 12, 31, 23, 0.0, 4, true, "UT(99999,12,31,23,0,0)"},
      {1, -99998, 1, 1, 0, 0.0, 19, false, "UT(-99998,1,1,0,0,0)"},
      // In Japan time the same limit lies at 09:00 local time.
      {0, 100000, 1, 1, 8, 9.0, 13, true, "LST(100000,1,1,9,0,0,9.000000)"},
      {0, 100000, 1, 1, 9, 9.0, 19, true, "LST(100000,1,1,9,0,0,9.000000)"},
      // Wild fields from the host are dropped the same way.
      {1, INT_MAX, 12, 31, 0, 0.0, 0, true, "UT(2147483647,12,31,0,0,0)"},
      {1, INT_MIN, 1, 1, 0, 0.0, 0, false, "UT(-2147483648,1,1,0,0,0)"},
  };
  for (const auto& c : cases) {
    SetDate(c.timeSys, c.year, c.month, c.day, c.hour, 0, 0, c.tz);
    Step(c.index, c.up);
    EXPECT_EQ(LastSent("Time = "), "Time = " + c.sent + " ; show lumiral") << c.year << " " << c.index;
  }
}

}  // namespace
