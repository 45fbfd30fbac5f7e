// The stop of the host's animation in each of the host's modes.
#include "pad_fixture.h"

namespace {

class AnimationTest : public PadTest {};

TEST_F(AnimationTest, StopAnimationPutsTheHostsSwitchesBackByMode) {
  Build();
  const char* const stepOff = "Animation.Time.Realtime = FALSE; Animation.Time.Speed.Step = FALSE";
  const std::pair<int, const char*> cases[] = {
      {0, stepOff},
      {1, "Animation.Time.Realtime = FALSE; Animation.Time.Speed.Step = TRUE"},
      {2, "Animation.Time.Realtime = TRUE; Animation.Time.Speed.Step = FALSE;"},
      {3, stepOff},
      {7, ""},
      {-1, ""},
  };
  for (auto [mode, third] : cases) {
    rig.animation = mode;
    P().Playing() = 1;
    rig.host.ClearSent();
    P().StopAnimation();
    const auto& sent = rig.host.Sent();
    ASSERT_GE(sent.size(), 4u) << mode;
    EXPECT_EQ(sent[0], "Stop Lumiral");
    EXPECT_EQ(sent[1], "Animation.Time = FALSE");
    EXPECT_EQ(sent[2], third) << mode;
    // Then the time and the magnitude are re-read, not the place.
    EXPECT_TRUE(WasSent("? JST(Time)"));
    EXPECT_TRUE(WasSent("? Star.AutoMagnitudeLimit.minimum"));
    EXPECT_FALSE(WasSent("? Location.Longitude; ? Location.Latitude"));
    EXPECT_EQ(rig.pad->IsPlaying(), 0);
    EXPECT_EQ(P().Speed(), QString::fromUtf8("0/秒"));
  }

  // Without the host's animation variable the mode command is left out.
  P().AnimationPtr() = nullptr;
  rig.host.ClearSent();
  P().StopAnimation();
  const auto& sent = rig.host.Sent();
  ASSERT_GE(sent.size(), 3u);
  EXPECT_EQ(sent[0], "Stop Lumiral");
  EXPECT_EQ(sent[1], "Animation.Time = FALSE");
  EXPECT_EQ(sent[2].rfind("? ", 0), 0u) << sent[2];  // straight to the refresh
}

// The host's own rate, as the step mode's mean: in the largest unit it
// reaches, to four figures; a rate of one unit keeps the menu's text.
TEST_F(AnimationTest, TheHostsRateReadsInItsLargestUnit) {
  Build();
  const std::pair<double, const char*> cases[] = {
      {1818.18, "30.3分/秒"}, {30.0, "30秒/秒"},      {0.5, "0.5秒/秒"},    {-216000.0, "-2.5日/秒"},
      {86164.0905, "1恒星日/秒"}, {86000.0, "23.89時/秒"}, {63115200.0, "2年/秒"}, {0.0, "0/秒"},
  };
  for (auto [rate, text] : cases) {
    rig.pad->SetPlaying(TRUE, rate);
    EXPECT_EQ(rig.pad->SpeedText(), QString::fromUtf8(text)) << rate;
  }
}

}  // namespace
