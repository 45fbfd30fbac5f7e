// The pad against the embedded sky-chart engine: every kind of edit
// reaches the engine, and the pad shows what the engine then holds.
#include <string_view>

#include "pad_fixture.h"
#include "pad/replies.h"
#include "sky/engine.h"

namespace {

class EngineEditingTest : public PadTest {
 protected:
  EngineEditingTest() { rig.engine = &engine; }

  double Number(const char* query) { return replies::ReadNumber(engine.Execute(query)); }
  // The engine's Japan standard time as the pad reads it.
  replies::DateFields Jst() {
    replies::DateFields fields;
    replies::ReadDate(engine.Execute("? JST(Time)"), 4, &fields);
    return fields;
  }
  void CountTimeCommands(int* count) {
    engine.SetCommandObserver([count](std::string_view command, std::string_view) {
      if (command.substr(0, 7) == "Time = ") ++*count;
    });
  }

  CSkyEngine engine;
};

TEST_F(EngineEditingTest, LongHoldOnTheSecondsMovesTheTimeByOneSecondPerStep) {
  Build();
  ASSERT_EQ(P().TimeSys(), 0);
  const tagADATE before{P().Year(), P().Month(), P().Day(), P().Hour(), P().Minute(), double(P().Second()), 0.0};
  const double jdBefore = Number("? Time.jd");
  int steps = 0;
  CountTimeCommands(&steps);

  Send(WM_LBUTTONDOWN, P().DateCell(19));
  Advance(500 + 10 * 20500);
  Send(WM_LBUTTONUP, P().DateCell(19));
  engine.SetCommandObserver(nullptr);
  ASSERT_GE(steps, 20000);  // the click and one step per repeat tick

  tagADATE expected = before;
  const tagADATEDIFF diff{0, 0, 0, 0, 0, double(steps)};
  ChangeDate(&expected, &diff, 0);
  const replies::DateFields now = Jst();
  EXPECT_EQ(now.year, expected.nYear);
  EXPECT_EQ(now.month, expected.nMonth);
  EXPECT_EQ(now.day, expected.nDay);
  EXPECT_EQ(now.hour, expected.nHour);
  EXPECT_EQ(now.minute, expected.nMinute);
  EXPECT_EQ(now.second, int(expected.dSecond));
  EXPECT_NEAR((Number("? Time.jd") - jdBefore) * 86400.0, double(steps), 1e-3);
  // The pad shows what the engine holds.
  EXPECT_EQ(P().Hour(), now.hour);
  EXPECT_EQ(P().Second(), now.second);
}

TEST_F(EngineEditingTest, DateDigitsFollowClicksTheWheelAndTheMiddleButton) {
  Build();
  const replies::DateFields start = Jst();
  LeftClick(P().DateCell(4));
  EXPECT_EQ(Jst().year, start.year + 1);
  EXPECT_EQ(P().Year(), start.year + 1);
  RightClick(P().DateCell(4));
  EXPECT_EQ(Jst().year, start.year);

  LeftClick(P().DateCell(13));
  EXPECT_EQ(Jst().hour, (start.hour + 1) % 24);
  RightClick(P().DateCell(13));

  Send(WM_MOUSEMOVE, P().DateCell(16));
  Wheel(P().DateCell(16), 120);
  Wheel(P().DateCell(16), 120);
  EXPECT_EQ(Jst().minute, (start.minute + 2) % 60);
  Wheel(P().DateCell(16), -120);
  EXPECT_EQ(Jst().minute, (start.minute + 1) % 60);

  Send(WM_MBUTTONDOWN, P().DateCell(15));
  EXPECT_EQ(Jst().minute, 0);
  Send(WM_MBUTTONDOWN, P().DateCell(7));
  EXPECT_EQ(Jst().month, 1);

  // Every date digit of the calendar steps the engine by its unit.
  const int digits[] = {0, 1, 2, 3, 4, 6, 9, 10, 12, 13, 15, 16, 18, 19};
  for (int index : digits) {
    const double jd = Number("? Time.jd");
    LeftClick(P().DateCell(index));
    EXPECT_GT(Number("? Time.jd"), jd) << index;
    RightClick(P().DateCell(index));
    EXPECT_NEAR(Number("? Time.jd"), jd, 1e-6) << index;
  }
}

TEST_F(EngineEditingTest, TheEraFlipsOnClickWheelAndEveryTickOfAHold) {
  Build();
  const int year = P().Year();
  ASSERT_GT(year, 0);
  LeftClick(P().Middle(P().EraRect()));
  EXPECT_EQ(Jst().era, "BC");
  EXPECT_EQ(P().Year(), 1 - year);
  Wheel(P().Middle(P().EraRect()), 120);
  EXPECT_EQ(Jst().era, "AD");
  EXPECT_EQ(P().Year(), year);

  int flips = 0;
  CountTimeCommands(&flips);
  Send(WM_LBUTTONDOWN, P().Middle(P().EraRect()));
  Advance(733);
  Send(WM_LBUTTONUP, P().Middle(P().EraRect()));
  engine.SetCommandObserver(nullptr);
  EXPECT_GE(flips, 20);
  EXPECT_EQ(Jst().era, flips % 2 ? "BC" : "AD");
  EXPECT_EQ(P().Year(), flips % 2 ? 1 - year : year);
}

TEST_F(EngineEditingTest, TheEraMarkDoesNothingWhereNoEraIsShown) {
  Build();
  // Shown in JST, then switched to JD, MJD and ST: the date fields still
  // hold Japan time, which must not go out as universal time.
  const CPoint arrow = P().Middle(P().ArrowRect());
  for (int menuIndex : {5, 6, 7}) {  // "JD", "MJD", "ST"
    ChooseFromMenu(menuIndex);
    LeftClick(arrow);
    const double jd = Number("? Time.jd");
    const int year = P().Year();
    LeftClick(P().Middle(P().EraRect()));
    Wheel(P().Middle(P().EraRect()), 120);
    EXPECT_EQ(Number("? Time.jd"), jd) << menuIndex;
    EXPECT_EQ(P().Year(), year) << menuIndex;
  }
}

TEST_F(EngineEditingTest, LocationAndMagnitudeFollowTheirDigits) {
  Build();
  const double lon = Number("? Location.Longitude");
  const double lat = Number("? Location.Latitude");
  LeftClick(P().ObsCell(22));
  EXPECT_NEAR(Number("? Location.Longitude"), lon + 1.0, 1e-6);
  LeftClick(P().ObsCell(25));
  EXPECT_NEAR(Number("? Location.Longitude"), lon + 1.0 + 0.016666666, 1e-6);
  RightClick(P().ObsCell(21));
  EXPECT_NEAR(Number("? Location.Longitude"), lon - 9.0 + 0.016666666, 1e-6);
  LeftClick(P().ObsCell(27));
  EXPECT_NEAR(Number("? Location.Longitude"), -(lon - 9.0 + 0.016666666), 1e-6);
  EXPECT_NEAR(P().Longitude(), -(lon - 9.0 + 0.016666666), 1e-6);
  // The zone follows the place.
  const CTimeZone zones;
  EXPECT_EQ(Number("? Time.Timezone"), zones.GetTimeZone(360.0 + P().Longitude(), P().Latitude()));

  RightClick(P().ObsCell(30));
  EXPECT_NEAR(Number("? Location.Latitude"), lat - 1.0, 1e-6);
  LeftClick(P().ObsCell(35));
  EXPECT_NEAR(Number("? Location.Latitude"), -(lat - 1.0), 1e-6);
  Send(WM_MOUSEMOVE, P().ObsCell(33));
  Wheel(P().ObsCell(33), 120);
  EXPECT_NEAR(Number("? Location.Latitude"), -(lat - 1.0) + 0.016666666, 1e-6);

  const double mag = Number("? Star.AutoMagnitudeLimit.minimum");
  LeftClick(P().MagCell(43));
  EXPECT_NEAR(Number("? Star.AutoMagnitudeLimit.minimum"), mag + 0.1, 1e-6);
  RightClick(P().MagCell(40));
  EXPECT_NEAR(Number("? Star.AutoMagnitudeLimit.minimum"), mag - 0.9, 1e-6);
  EXPECT_NEAR(P().MagLimit(), mag - 0.9, 1e-6);
  // The engine's catalogue sets the ceiling: Tycho-2 stops at 15.3.
  engine.Execute("Star.Catalog = \"Tycho2\"; Star.AutoMagnitudeLimit.Minimum = 15.0");
  rig.pad->OnUpdate(4);
  LeftClick(P().MagCell(41));
  EXPECT_NEAR(Number("? Star.AutoMagnitudeLimit.minimum"), 15.0, 1e-6);
  LeftClick(P().MagCell(43));
  LeftClick(P().MagCell(43));
  LeftClick(P().MagCell(43));
  LeftClick(P().MagCell(43));
  EXPECT_NEAR(Number("? Star.AutoMagnitudeLimit.minimum"), 15.3, 1e-6);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(EngineEditingTest, TimeSystemsFromTheLabelTheWheelAndTheMenu) {
  Build();
  const CPoint label = P().Middle(P().TimeSysRect());
  LeftClick(label);
  EXPECT_EQ(P().TimeSys(), 1);
  EXPECT_EQ(rig.timeSys, 1);
  replies::DateFields ut;
  replies::ReadDate(engine.Execute("? UT(Time)"), 3, &ut);
  EXPECT_EQ(P().Hour(), ut.hour);
  // A step in UT goes out as universal time.
  LeftClick(P().DateCell(13));
  replies::ReadDate(engine.Execute("? UT(Time)"), 3, &ut);
  EXPECT_EQ(P().Hour(), ut.hour);

  ChooseFromMenu(4);  // "LMT"
  LeftClick(P().Middle(P().ArrowRect()));
  EXPECT_EQ(P().TimeSys(), 7);
  EXPECT_EQ(rig.timeSys, 2);
  replies::DateFields lmt;
  replies::ReadDate(engine.Execute("? LMT(Time)"), 4, &lmt);
  EXPECT_EQ(P().Minute(), lmt.minute);
  LeftClick(P().DateCell(16));
  replies::DateFields lmtAfter;
  replies::ReadDate(engine.Execute("? LMT(Time)"), 4, &lmtAfter);
  EXPECT_EQ(lmtAfter.minute, (lmt.minute + 1) % 60);

  Wheel(P().Middle(P().ArrowRect()), 120);  // forward: LST
  EXPECT_EQ(P().TimeSys(), 6);
  EXPECT_EQ(rig.timeSys, 0);
  Wheel(P().Middle(P().ArrowRect()), -120);
  Wheel(P().Middle(P().ArrowRect()), -120);  // backward twice: JD
  EXPECT_EQ(P().TimeSys(), 4);
  EXPECT_EQ(rig.timeSys, 1);
  // In JD the date digits step nothing, the place still steps.
  const double jd = Number("? Time.jd");
  LeftClick(P().DateCell(13));
  EXPECT_EQ(Number("? Time.jd"), jd);
  const double lon = Number("? Location.Longitude");
  LeftClick(P().ObsCell(22));
  EXPECT_NEAR(Number("? Location.Longitude"), lon + 1.0, 1e-6);
}

}  // namespace
