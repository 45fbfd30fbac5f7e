// What the pad does when its host fails a call or handed over less than
// it should: it abandons the operation, stays usable and never writes or
// reads through a pointer it was not given.
#include "pad_fixture.h"

class RobustnessTest : public PadTest {};

TEST_F(RobustnessTest, AFailingHostCallAbandonsOnlyThatOperation) {
  Build();
  // Through the message pump the failure stops at the window's edge.
  Host().FailOnCall(1);
  EXPECT_EQ(Pad().DispatchMessage(WM_CHANGETZ, 0, reinterpret_cast<LPARAM>("UT")), 0);
  EXPECT_EQ(P().TimeSys(), 1);  // switched before the failing query
  EXPECT_EQ(rig.timeSys, 1);
  EXPECT_EQ(DateText(), " 2006/04/01 21:30:15");  // the text was not replaced

  // The next operation works normally, and the pad still paints.
  Pad().SendMessage(WM_CHANGETZ, 0, reinterpret_cast<LPARAM>("UT"));
  EXPECT_EQ(DateText(), " 2006/04/01 12:30:15");
  Pad().Invalidate(FALSE);
  Pad().UpdateWindow();

  // A failure halfway through a refresh leaves the later groups for the next one.
  Host().Reply("? Star.AutoMagnitudeLimit.minimum", "8.0");
  Host().FailOnCall(2);  // the Moon age
  EXPECT_THROW(Pad().OnUpdate(0xFF), CHostError);
  EXPECT_EQ(MagText(), " 6.5");
  Pad().OnUpdate(0xFF);
  EXPECT_EQ(MagText(), " 8.0");

  // Called directly, the failure reaches the caller.
  Host().FailOnCall(1);
  EXPECT_THROW(P().ShowDate(8), CHostError);
}

TEST_F(RobustnessTest, AFailedFirstRefreshIsRetriedAtTheNextPaint) {
  rig.host.FailOnCall(1);
  Build();
  EXPECT_FALSE(P().Initialized());
  EXPECT_EQ(DateText(), "");
  const CRect date = P().DateRect();
  Pad().Invalidate(FALSE);
  Pad().UpdateWindow();
  EXPECT_TRUE(P().Initialized());
  EXPECT_EQ(DateText(), " 2006/04/01 21:30:15");
  EXPECT_EQ(P().DateRect(), date);  // the layout pass did not move anything the second time
}

TEST_F(RobustnessTest, TheLockFlagIsClearedWhenReleasingTheLockFails) {
  Host().Reply("? Time.Lock", "TRUE");
  Build();
  rig.services.prompt.Answer(IDYES);
  Host().FailOnCall(2);  // "Time.Lock = FALSE; Show Lumiral"
  EXPECT_THROW(P().TurnOffSpecialTime(0), CHostError);
  EXPECT_FALSE(P().AskingLock());
}

TEST_F(RobustnessTest, NoHostVariablesNoWrites) {
  rig.givePointers = false;
  Build();
  EXPECT_EQ(DateText(), " 2006/04/01 21:30:15");
  for (const char* label : {"JST", "UT", "UTD", "LST", "LMT", "JD", "MJD", "ST"}) {
    Pad().SendMessage(WM_CHANGETZ, 0, reinterpret_cast<LPARAM>(label));
    EXPECT_EQ(LabelText(), label == std::string("UTD") ? "UT" : label);
    Pad().OnUpdate(0xFF);
  }
  EXPECT_EQ(rig.timeSys, 0);  // never handed over, never written
  EXPECT_EQ(rig.zone, 9.0);
  // With no host code to map, the refresh keeps the pad's own system.
  EXPECT_EQ(P().TimeSys(), 8);
}

TEST_F(RobustnessTest, OnlyTheTimeSystemHandedOver) {
  rig.givePointers = false;
  Build();
  int timeSys = -1;
  Pad().SetTimeSysPtr(&timeSys);
  // Without a zone variable the host's zone (9) reads as Japan's.
  Pad().SendMessage(WM_CHANGETZ, 0, reinterpret_cast<LPARAM>("LST"));
  EXPECT_EQ(timeSys, 0);
  EXPECT_EQ(DateText(), " 2006/04/01 21:30:15");
  EXPECT_EQ(P().Tz(), 9.0);
  Pad().OnUpdate(0x01);
  EXPECT_EQ(P().TimeSys(), 0);
  timeSys = 2;
  Pad().OnUpdate(0x01);
  EXPECT_EQ(P().TimeSys(), 7);
}
