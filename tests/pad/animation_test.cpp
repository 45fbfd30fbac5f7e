// The stop of the host's animation and a chosen speed.
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

TEST_F(AnimationTest, AChosenSpeedPlaysUntilAButtonUpOnAHostThatDoesNotReport) {
  Build();
  rig.animation = 2;
  rig.pad->SendMessage(WM_CHANGESPEED, 0, reinterpret_cast<LPARAM>("-Day"));
  EXPECT_TRUE(WasSent("Animation.Time.Realtime = FALSE; Animation.Time.Speed.Step = FALSE; "
                      "Animation.Time.Speed = -86400; Animation.Time = TRUE"));
  EXPECT_EQ(rig.animation, 0) << "a later stop keeps the rate's switches";
  EXPECT_EQ(rig.pad->IsPlaying(), 1);
  EXPECT_EQ(rig.pad->SpeedText(), QString::fromUtf8("-1日/秒"));
  LeftClick(CPoint(3, 3));
  EXPECT_EQ(rig.pad->IsPlaying(), 0);
  EXPECT_EQ(rig.pad->SpeedText(), QString::fromUtf8("0/秒"));
}

}  // namespace
