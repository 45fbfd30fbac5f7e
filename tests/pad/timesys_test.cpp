// The date text in the eight time systems, the label and era, what the
// pad tells the host, the time-system switch and its label rules.
#include <climits>

#include "pad_fixture.h"

class TimeSysTest : public PadTest {};

// What each system shows of a reply: the text, the label and the era.
TEST_F(TimeSysTest, TextLabelAndEraOfEachSystem) {
  Build();
  // The label and era are not checked where nullptr; the host's zone variable is 9 unless given.
  const struct { int sys; const char *reply, *text, *label, *era; double hostZone = 9.0; } cases[] = {
      {0, "JST AD2006/04/01 21:30:15", " 2006/04/01 21:30:15", "JST", "AD"},
      {1, "UT AD2006/04/01 12:30:15", " 2006/04/01 12:30:15", "UT", "AD"},
      // Eras and the five-place year.
      {0, "JST BC1/03/04 05:06:07", "    1/03/04 05:06:07", nullptr, "BC"},
      {0, "JST BC100/03/04 05:06:07", "  100/03/04 05:06:07", nullptr, "BC"},
      {0, "JST AD99999/12/31 23:59:59", "99999/12/31 23:59:59", nullptr, "AD"},
      {0, "JST BC99999/01/01 00:00:00", "99999/01/01 00:00:00", nullptr, "BC"},
      {0, "JST AD100000/01/01 00:00:00", "00000/01/01 00:00:00", nullptr, "AD"},
      {0, "", "00000/01/01 00:00:00", "", "AD"},  // no era, no label: the era from the year
      // Years at the ends of the int range stay bounded.
      {0, "JST BC-2147483648/01/01 00:00:00", "00000/01/01 00:00:00", nullptr, nullptr},
      {0, "JST AD-2147483648/01/01 00:00:00", "00000/01/01 00:00:00", nullptr, "BC"},
      {0, "JST AD2006/123/01 00:00:00", " 2006/123/01 00:00:0", nullptr, nullptr},  // cut at 20 cells
      // Universal time with a decimal day.
      {2, "UT AD2006/04/04 12:00:00", " 2006/04/04.50000   ", "UT", nullptr},
      {2, "UT AD2006/12/31 23:59:59", " 2006/12/31.99999   ", nullptr, nullptr},
      {2, "UT BC10/01/01 06:00:00", "   10/01/01.25000   ", nullptr, "BC"},
      // Julian dates and sidereal time.
      {4, "2453827.02101", "    2453827.02101   ", "JD", ""},
      {5, "2400000.5", "          0.00000   ", "MJD", ""},
      {5, "", "   -2400000.50000   ", nullptr, nullptr},  // no number reads as 0
      {4, "-34803211.5", "  -34803211.50000   ", nullptr, nullptr},
      {4, "1e300", "  ***************   ", nullptr, nullptr},  // beyond the 15 places
      {4, "1e999", "              inf   ", nullptr, nullptr},
      {8, "23.9999999", "            23:59:59", "ST", ""},
      {8, "6.5", "            06:30:00", nullptr, nullptr},
      // Local standard time in the host's zone, the shifted second rounded.
      {6, "LST AD2006/12/31 23:59:59", " 2007/01/01 00:00:00", "LST", nullptr, 0.0002 + 9},
      {6, "LST AD2006/12/31 23:59:59", " 2006/12/31 23:59:59", nullptr, nullptr, 0.0001 + 9},
      {6, "LST AD2006/04/01 21:30:15", " 2006/04/01 18:00:15", nullptr, nullptr, 5.5},
  };
  const char* queries[] = {"? JST(Time)", "? UT(Time)", "? UT(Time)", "", "? Time.jd",
                           "? Time.jd",   "? LST(Time)", "",          "? Time.SiderealTime"};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reply);
    rig.zone = c.hostZone;
    EXPECT_EQ(ShowWith(c.sys, queries[c.sys], c.reply), c.text);
    if (c.label) EXPECT_EQ(LabelText(), c.label);
    if (c.era) EXPECT_EQ(EraText(), c.era);
  }
  EXPECT_EQ(ShowWith(8, "? Time.SiderealTime", "1e300").size(), 20u);
  EXPECT_EQ(ShowWith(2, "? UT(Time)", "UT AD2147483647/2147483647/2147483647 0:0:0").size(), 20u);
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
