// OnUpdate without a host, the host-code mapping, the Moon
// age, the location and magnitude texts, the marks' change detection.
#include <cmath>

#include "pad/replies.h"
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

TEST_F(RefreshTest, MoonAgeRoundsToWholeDaysWithinTheStrip) {
  Build();
  const struct { const char* reply; int days; } cases[] = {
      {"29.6", 0}, {"29.4", 29}, {"0.49", 0}, {"0.5", 1}, {"14.5", 15}, {"", 0}, {"29.5", 0},
      // outside a lunation: wrapped into the strip
      {"-0.7", 0}, {"-5", 26}, {"30.2", 0}, {"30", 0}, {"44.9", 15}, {"1e300", -1}, {"1e999", 0},
      {"-1e999", 0}, {"nan", 0},
  };
  for (const auto& c : cases) {
    Host().Reply("? Solar.Moon.age", c.reply);
    Pad().OnUpdate(0x01);
    if (c.days >= 0) {
      EXPECT_EQ(P().MoonAge(), c.days) << c.reply;
    }
    EXPECT_GE(P().MoonAge(), 0) << c.reply;
    EXPECT_LE(P().MoonAge(), 29) << c.reply;
    // Hosts that show the Moon beside the pad pick the same picture.
    EXPECT_EQ(CLumiraPad::MoonPictureIndex(replies::ReadNumber(c.reply)), P().MoonAge()) << c.reply;
  }
  EXPECT_EQ(CLumiraPad::MoonPictureIndex(std::nan("")), 0);
}

TEST_F(RefreshTest, LocationText) {
  Build();
  const struct { const char* reply; const char* text; double lon; double lat; } cases[] = {
      {"135.999;-35.5", "136d00mE 35d30mS", 135.999, -35.5},
      {"-0.25;0", "000d15mW 00d00mN", -0.25, 0.0},
      {"135.5; 35", "135d30mE 35d00mN", 135.5, 35.0},
      {"135.5", "135d30mE 00d00mN", 135.5, 0.0},  // no semicolon: latitude 0
      {"", "000d00mE 00d00mN", 0.0, 0.0},
      {"-179.9999;89.9999", "180d00mW 90d00mN", -179.9999, 89.9999},
  };
  for (const auto& c : cases) {
    Host().Reply("? Location.Longitude; ? Location.Latitude", c.reply);
    Pad().OnUpdate(0x02);
    EXPECT_EQ(ObsText(), c.text) << c.reply;
    EXPECT_EQ(P().Longitude(), c.lon);
    EXPECT_EQ(P().Latitude(), c.lat);
  }
  // Absurd values stay within the sixteen cells.
  Host().Reply("? Location.Longitude; ? Location.Latitude", "1e300;-1e999");
  Pad().OnUpdate(0x02);
  EXPECT_EQ(ObsText().size(), 16u);
}

TEST_F(RefreshTest, MagnitudeText) {
  Build();
  const struct { const char* reply; const char* text; } cases[] = {
      {"6.54", " 6.5"}, {"12.0", "12.0"}, {"", " 0.0"}, {"-1.24", "-1.2"}, {"99.94", "99.9"},
      {"100", "****"},  // more places than the four cells
  };
  for (const auto& c : cases) {
    Host().Reply("? Star.AutoMagnitudeLimit.minimum", c.reply);
    Pad().OnUpdate(0x04);
    EXPECT_EQ(MagText(), c.text) << c.reply;
  }
  EXPECT_EQ(P().MagLimit(), 100.0);
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
