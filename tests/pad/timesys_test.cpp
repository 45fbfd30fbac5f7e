// The date text in local standard time, what the pad tells the host, the
// time-system switch and its label rules.
#include <climits>

#include "pad_fixture.h"

class TimeSysTest : public PadTest {};

// Local standard time in the host's zone, the shifted second rounded (the
// other systems' texts, labels and eras are in the recorded sessions).
TEST_F(TimeSysTest, LocalStandardTimeInTheHostsZone) {
  Build();
  const struct { double hostZone; const char* text; } cases[] = {
      {0.0002 + 9, " 2007/01/01 00:00:00"}, {0.0001 + 9, " 2006/12/31 23:59:59"}, {5.5, " 2006/12/31 20:29:59"}};
  for (const auto& c : cases) {
    rig.zone = c.hostZone;
    EXPECT_EQ(ShowWith(6, "? LST(Time)", "LST AD2006/12/31 23:59:59"), c.text) << c.hostZone;
    EXPECT_EQ(LabelText(), "LST");
  }
  // Codes without a system change nothing and ask nothing.
  Host().ClearSent();
  for (int code : {3, -1, 9, INT_MIN}) P().ShowDate(code);
  EXPECT_TRUE(Sent().empty());
}

// Showing only reads the host; the switch that chose the system tells it.
TEST_F(TimeSysTest, TheSwitchTellsTheHostItsCodeAndZone) {
  Host().Reply("? Time.Timezone", "-5");
  Build();
  P().ShowDate(1);
  EXPECT_EQ(rig.timeSys, 0);
  const struct { const char* label; int code; int host; double zone; double padZone; } cases[] = {
      {"UT", 1, 1, 0.0, 0.0},   {"UTD", 2, 1, 0.0, 0.0}, {"JD", 4, 1, 0.0, 0.0}, {"MJD", 5, 1, 0.0, 0.0},
      {"ST", 8, 1, 0.0, 0.0},   {"LST", 6, 0, -5.0, -5.0},
      {"LMT", 7, 2, 9.0, -5.0},  // 135 degrees east: nine hours
      {"JST", 0, 0, 9.0, 9.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    P().Longitude() = 135.0;
    Pad().SendMessage(WM_CHANGETZ, 0, reinterpret_cast<LPARAM>(c.label));
    EXPECT_EQ(P().TimeSys(), c.code);
    EXPECT_EQ(LabelText(), std::string(c.label) == "UTD" ? "UT" : c.label);
    EXPECT_EQ(rig.timeSys, c.host);
    EXPECT_DOUBLE_EQ(rig.zone, c.zone);
  }
  // Switching to UTD keeps the universal date for the dialog.
  Pad().SendMessage(WM_CHANGETZ, 0, reinterpret_cast<LPARAM>("UTD"));
  EXPECT_EQ(P().Hour(), 12);
  EXPECT_EQ(P().Tz(), -5.0);
}

TEST_F(TimeSysTest, ChangeTzTakesTheLabelFromWParamOrLParamExactly) {
  Build();
  static const char ut[] = "UT", st[] = "ST", lower[] = "mjd";
  P().ChangeTz(reinterpret_cast<WPARAM>(ut), reinterpret_cast<LPARAM>(st));  // wParam wins
  EXPECT_EQ(P().TimeSys(), 1);
  // Letter case counts: "mjd" is no label, the current system shows again.
  Host().ClearSent();
  P().ChangeTz(0, reinterpret_cast<LPARAM>(lower));
  EXPECT_EQ(P().TimeSys(), 1);
  EXPECT_EQ(Sent(), std::vector<std::string>{"? UT(Time)"});
  P().ChangeTz(0, 0);  // no label at all: the same
  EXPECT_EQ(P().TimeSys(), 1);
}
