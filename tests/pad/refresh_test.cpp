// OnUpdate without a host, the host-code mapping and the marks' change
// detection (the texts read from odd replies are in the recorded sessions).
#include "pad_fixture.h"

class RefreshTest : public PadTest {};

TEST_F(RefreshTest, NothingHappensWithoutAHost) {
  rig.giveHost = false;
  Build();
  // Painted before the host handed over its control: the first refresh
  // waits for the next paint instead of leaving fields never read.
  EXPECT_FALSE(P().Initialized());
  EXPECT_EQ(DateText(), "");
  Pad().OnUpdate(0xFF);
  P().ShowDate(0);
  Pad().SendMessage(WM_CHANGETZ, 0, reinterpret_cast<LPARAM>("LST"));
  EXPECT_EQ(P().TimeSys(), 6);
  EXPECT_EQ(rig.timeSys, 0);
  EXPECT_TRUE(P().TurnOffSpecialTime(0));
  EXPECT_EQ(rig.host.Calls(), 0);
  EXPECT_EQ(DateText(), "");
  Pad().SetpCorLmr(&rig.host);
  Pad().Invalidate();
  Pad().UpdateWindow();
  EXPECT_TRUE(P().Initialized());
  EXPECT_GT(rig.host.Calls(), 0);
}

TEST_F(RefreshTest, HostCodesMapToPadSystems) {
  Build();
  const struct { int hostCode; double zone; int before; int after; } cases[] = {
      {0, 9.0, 1, 0},  {0, 8.5, 0, 6},  {0, 9.0, 6, 0},               // zone time: JST only at +9 exactly
      {1, 0.0, 5, 5},  {1, 0.0, 2, 2},  {1, 0.0, 4, 4}, {1, 0.0, 8, 8},  // universal systems survive
      {1, 0.0, 0, 1},  {1, 0.0, 6, 1},  {1, 0.0, 7, 1},
      {2, 0.0, 0, 7},  {2, 0.0, 5, 7},                                // local mean time
      {5, 0.0, 4, 4},  {-1, 0.0, 2, 2},                              // unknown: unchanged
  };
  for (const auto& c : cases) {
    P().TimeSys() = c.before;
    rig.timeSys = c.hostCode;
    rig.zone = c.zone;
    Pad().OnUpdate(0x01);
    EXPECT_EQ(P().TimeSys(), c.after) << "host " << c.hostCode << " zone " << c.zone << " from " << c.before;
  }
}

TEST_F(RefreshTest, MarksAreRedrawnAtOnceOnlyWhenAFlagChanges) {
  Build();
  const CPoint o = MarkOrigin();
  const CRect box(o.x, o.y, o.x + 26, o.y + 12);
  const COLORREF red = RGB(255, 0, 0);

  Paint(box, red);
  Pad().OnUpdate(0x18);  // FALSE and FALSE again: nothing drawn
  EXPECT_EQ(Pixel(o.x + 1, o.y + 1), red);

  Host().Reply("? View.Track", "TRUE");
  Pad().OnUpdate(0x08);  // changed: drawn on the window at once
  EXPECT_TRUE(P().Track());
  EXPECT_EQ(Pixel(o.x, o.y), P().TextColor());          // a corner of the track mark
  EXPECT_EQ(Pixel(o.x + 20, o.y + 6), P().BackColor());  // the trace half cleared

  Paint(box, red);
  Pad().OnUpdate(0x08);  // TRUE again: nothing drawn
  EXPECT_EQ(Pixel(o.x, o.y), red);

  Host().Reply("? View.Trace", "true");  // not exactly TRUE: false, no change
  Pad().OnUpdate(0x10);
  EXPECT_FALSE(P().Trace());
  EXPECT_EQ(Pixel(o.x, o.y), red);
  Host().Reply("? View.Trace", "TRUE");
  Pad().OnUpdate(0x10);
  EXPECT_TRUE(P().Trace());
  EXPECT_EQ(Pixel(o.x + 14, o.y), P().TextColor());  // the trace mark's corner
}
