// The repeat timers' handler and the stop of the host's animation.
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

TEST_F(AnimationTest, TimerHandlerRunsOnlyTheFourRepeatTimers) {
  Build();
  rig.host.ClearSent();
  for (UINT_PTR id : {UINT_PTR(1), UINT_PTR(99), UINT_PTR(104), UINT_PTR(0x7FFF)}) P().OnTimer(id);
  // A repeat tick with no hold in progress (a late message) steps nothing.
  P().OnTimer(101);
  P().OnTimer(103);
  EXPECT_TRUE(rig.host.Sent().empty());
  EXPECT_TRUE(P().AllTimersIdle());

  // The hold timer restarts itself and starts the repeat.
  Send(WM_LBUTTONDOWN, P().DateCell(19));
  P().OnTimer(100);
  EXPECT_EQ(P().TimerL1(), 100u);
  EXPECT_EQ(P().TimerL2(), 101u);
  rig.host.ClearSent();
  P().OnTimer(101);
  EXPECT_EQ(CountSent("Time = LST(2006,4,1,21,30,16,"), 1);
  EXPECT_EQ(P().TimerL2(), 101u);
  Send(WM_LBUTTONUP, P().DateCell(19));
  EXPECT_TRUE(P().AllTimersIdle());
}

TEST_F(AnimationTest, HoldTimingOnTheVirtualClock) {
  Build();
  rig.host.ClearSent();
  Send(WM_LBUTTONDOWN, P().DateCell(19));
  // First repeat 510 ms after the press, then one per 10 ms; the hold timer
  // restarting every 500 ms only shifts the next tick.
  Advance(510);
  EXPECT_EQ(CountSent("Time = "), 2);
  Advance(490);
  const int atOneSecond = CountSent("Time = ");
  EXPECT_GE(atOneSecond, 2 + 48);
  EXPECT_LE(atOneSecond, 2 + 49);
  Advance(1000);
  EXPECT_GE(CountSent("Time = ") - atOneSecond, 98);
  EXPECT_LE(CountSent("Time = ") - atOneSecond, 100);
}

}  // namespace
