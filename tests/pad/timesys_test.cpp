// The date text in the eight time systems, the label and era, what the
// pad tells the host, the time-system switch and its label rules.
#include <climits>

#include "pad_fixture.h"

namespace {
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);
}  // namespace

class TimeSysTest : public PadTest {};

TEST_F(TimeSysTest, CalendarSystemsShowTheirTextLabelEraAndTellTheHost) {
  Build();
  EXPECT_EQ(DateText(), " 2006/04/01 21:30:15");  // the first refresh, in JST
  EXPECT_EQ(LabelText(), "JST");
  EXPECT_EQ(EraText(), "AD");
  EXPECT_EQ(rig.timeSys, 0);
  EXPECT_EQ(rig.zone, 9.0);
  EXPECT_EQ(P().Tz(), 9.0);

  // Showing reads the host; the switch that chose the system tells it.
  Host().ClearSent();
  P().ShowDate(1);
  EXPECT_EQ(DateText(), " 2006/04/01 12:30:15");
  EXPECT_EQ(LabelText(), "UT");
  EXPECT_EQ(Sent(), std::vector<std::string>{"? UT(Time)"});
  EXPECT_EQ(rig.timeSys, 0);
  Choose("UT");
  EXPECT_EQ(rig.timeSys, 1);
  EXPECT_EQ(rig.zone, 0.0);
  EXPECT_EQ(P().Tz(), 0.0);

  Host().Reply("? Time.Timezone", "-5");
  P().Longitude() = 135.0;
  Choose("LMT");
  EXPECT_EQ(LabelText(), "LMT");
  EXPECT_EQ(rig.timeSys, 2);
  EXPECT_DOUBLE_EQ(rig.zone, 9.0);  // 135 degrees east: nine hours
  EXPECT_EQ(P().Tz(), -5.0);

  // Codes without a system change nothing and ask nothing.
  Host().ClearSent();
  for (int code : {3, -1, 9, INT_MIN}) P().ShowDate(code);
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(LabelText(), "LMT");
}

TEST_F(TimeSysTest, ErasAndTheFivePlaceYear) {
  Build();
  EXPECT_EQ(ShowWith(0, "? JST(Time)", "JST BC1/03/04 05:06:07"), "    1/03/04 05:06:07");
  EXPECT_EQ(P().Year(), 0);
  EXPECT_EQ(EraText(), "BC");
  EXPECT_EQ(P().Era(), "BC");

  ShowWith(0, "? JST(Time)", "JST BC100/03/04 05:06:07");
  EXPECT_EQ(P().Year(), -99);
  EXPECT_EQ(DateText(), "  100/03/04 05:06:07");

  EXPECT_EQ(ShowWith(0, "? JST(Time)", "JST AD99999/12/31 23:59:59"), "99999/12/31 23:59:59");
  EXPECT_EQ(ShowWith(0, "? JST(Time)", "JST BC99999/01/01 00:00:00"), "99999/01/01 00:00:00");
  EXPECT_EQ(P().Year(), -99998);
  EXPECT_EQ(EraText(), "BC");
  EXPECT_EQ(ShowWith(0, "? JST(Time)", "JST AD100000/01/01 00:00:00"), "00000/01/01 00:00:00");
  EXPECT_EQ(EraText(), "AD");

  // A reply without era or label: the era comes from the year, the label
  // control goes blank.
  EXPECT_EQ(ShowWith(0, "? JST(Time)", ""), "00000/01/01 00:00:00");
  EXPECT_EQ(LabelText(), "");
  EXPECT_EQ(EraText(), "AD");
}

TEST_F(TimeSysTest, YearsAtTheEndsOfTheIntRangeStayBounded) {
  Build();
  // 1 - year would overflow for the smallest int: it saturates instead.
  ShowWith(0, "? JST(Time)", "JST BC-2147483648/01/01 00:00:00");
  EXPECT_EQ(P().Year(), INT_MAX);
  EXPECT_EQ(DateText(), "00000/01/01 00:00:00");
  ShowWith(0, "? JST(Time)", "JST AD-2147483648/01/01 00:00:00");
  EXPECT_EQ(P().Year(), INT_MIN);
  EXPECT_EQ(DateText(), "00000/01/01 00:00:00");
  EXPECT_EQ(EraText(), "BC");
  // Fields beyond their two places: the text is cut at the control's 20 cells.
  EXPECT_EQ(ShowWith(0, "? JST(Time)", "JST AD2006/123/01 00:00:00"), " 2006/123/01 00:00:0");
  EXPECT_EQ(ShowWith(2, "? UT(Time)", "UT AD2147483647/2147483647/2147483647 0:0:0").size(), 20u);
}

TEST_F(TimeSysTest, UniversalTimeWithADecimalDay) {
  Build();
  Host().Reply("? Time.Timezone", "9");
  EXPECT_EQ(ShowWith(2, "? UT(Time)", "UT AD2006/04/04 12:00:00"), " 2006/04/04.50000   ");
  EXPECT_EQ(LabelText(), "UT");
  Choose("UTD");
  EXPECT_EQ(rig.timeSys, 1);
  EXPECT_EQ(rig.zone, 0.0);
  EXPECT_EQ(P().Tz(), 9.0);
  EXPECT_EQ(P().Day(), 4);  // the date fields hold the universal-time date
  EXPECT_EQ(P().Hour(), 12);
  EXPECT_EQ(ShowWith(2, "? UT(Time)", "UT AD2006/12/31 23:59:59"), " 2006/12/31.99999   ");
  // The era is the reply's, the year shown as for the calendar text.
  EXPECT_EQ(ShowWith(2, "? UT(Time)", "UT BC10/01/01 06:00:00"), "   10/01/01.25000   ");
  EXPECT_EQ(EraText(), "BC");
}

TEST_F(TimeSysTest, JulianDatesAndSiderealTime) {
  Build();
  Host().Reply("? Time.Timezone", "9");
  EXPECT_EQ(ShowWith(4, "? Time.jd", "2453827.02101"), "    2453827.02101   ");
  EXPECT_EQ(LabelText(), "JD");
  EXPECT_EQ(EraText(), "");
  Choose("JD");
  EXPECT_EQ(rig.timeSys, 1);
  EXPECT_EQ(rig.zone, 0.0);
  EXPECT_EQ(P().Tz(), 9.0);

  EXPECT_EQ(ShowWith(5, "? Time.jd", "2400000.5"), "          0.00000   ");
  EXPECT_EQ(LabelText(), "MJD");
  EXPECT_EQ(ShowWith(5, "? Time.jd", ""), "   -2400000.50000   ");  // no number reads as 0
  EXPECT_EQ(ShowWith(4, "? Time.jd", "-34803211.5"), "  -34803211.50000   ");
  // Beyond the 15 places: the field says so instead of running on.
  EXPECT_EQ(ShowWith(4, "? Time.jd", "1e300"), "  ***************   ");
  EXPECT_EQ(ShowWith(4, "? Time.jd", "1e999"), "              inf   ");

  EXPECT_EQ(ShowWith(8, "? Time.SiderealTime", "23.9999999"), "            23:59:59");
  EXPECT_EQ(LabelText(), "ST");
  EXPECT_EQ(P().TimeLabel(), "ST");
  EXPECT_EQ(EraText(), "");
  EXPECT_EQ(ShowWith(8, "? Time.SiderealTime", "6.5"), "            06:30:00");
  EXPECT_EQ(ShowWith(8, "? Time.SiderealTime", "1e300").size(), 20u);
  // The date fields stay as the last calendar reply left them.
  EXPECT_EQ(P().Year(), 2006);
}

TEST_F(TimeSysTest, LocalStandardTimeRoundsTheShiftedSecond) {
  Build();
  Host().Reply("? Time.Timezone", "0");
  // The host keeps zone 0.0002 h: 0.72 s ahead of the reply's zone.
  rig.zone = 0.0002;
  EXPECT_EQ(ShowWith(6, "? LST(Time)", "LST AD2006/12/31 23:59:59"), " 2007/01/01 00:00:00");
  EXPECT_EQ(LabelText(), "LST");
  EXPECT_EQ(rig.timeSys, 0);
  EXPECT_EQ(rig.zone, 0.0002);
  EXPECT_EQ(P().Tz(), 0.0002);
  // 0.36 s ahead: 59.36 s shows as 59.
  rig.zone = 0.0001;
  EXPECT_EQ(ShowWith(6, "? LST(Time)", "LST AD2006/12/31 23:59:59"), " 2006/12/31 23:59:59");
  // A whole shift of zones.
  rig.zone = 5.5;
  Host().Reply("? Time.Timezone", "9");
  EXPECT_EQ(ShowWith(6, "? LST(Time)", "LST AD2006/04/01 21:30:15"), " 2006/04/01 18:00:15");
}

TEST_F(TimeSysTest, LabelAndEraAreasAreWipedOnlyWhenTheirTextChanges) {
  Build();
  const CRect label = P().TimeSysRect();
  const CRect era = P().EraRect();
  const CPoint inLabel{label.left + 1, label.top + 1};
  const CPoint inEra{era.left + 1, era.top + 1};

  Paint(label, kRed);
  Paint(era, kRed);
  P().ShowDate(0);  // same label, same era: nothing wiped
  EXPECT_EQ(Pixel(inLabel.x, inLabel.y), kRed);
  EXPECT_EQ(Pixel(inEra.x, inEra.y), kRed);

  P().ShowDate(1);  // label changes, era stays
  EXPECT_EQ(Pixel(inLabel.x, inLabel.y), kBlack);
  EXPECT_EQ(Pixel(inEra.x, inEra.y), kRed);

  Paint(label, kRed);
  P().ShowDate(4);  // label and era change
  EXPECT_EQ(Pixel(inLabel.x, inLabel.y), kBlack);
  EXPECT_EQ(Pixel(inEra.x, inEra.y), kBlack);
}

TEST_F(TimeSysTest, ChangeTzTakesTheLabelFromWParamOrLParamExactly) {
  Build();
  static const char mjd[] = "MJD";
  EXPECT_EQ(P().ChangeTz(0, reinterpret_cast<LPARAM>(mjd)), 0);
  EXPECT_EQ(P().TimeSys(), 5);
  EXPECT_EQ(LabelText(), "MJD");
  EXPECT_EQ(rig.timeSys, 1);

  static const char ut[] = "UT";
  static const char st[] = "ST";
  P().ChangeTz(reinterpret_cast<WPARAM>(ut), reinterpret_cast<LPARAM>(st));  // wParam wins
  EXPECT_EQ(P().TimeSys(), 1);

  // Letter case counts: "mjd" is no label, the current system shows again.
  static const char lower[] = "mjd";
  Host().ClearSent();
  P().ChangeTz(0, reinterpret_cast<LPARAM>(lower));
  EXPECT_EQ(P().TimeSys(), 1);
  EXPECT_EQ(Sent(), std::vector<std::string>{"? UT(Time)"});
  P().ChangeTz(0, 0);  // no label at all: the same
  EXPECT_EQ(P().TimeSys(), 1);

  const struct { const char* label; int code; int host; } table[] = {
      {"JST", 0, 0}, {"UT", 1, 1}, {"UTD", 2, 1}, {"LST", 6, 0},
      {"LMT", 7, 2}, {"JD", 4, 1}, {"MJD", 5, 1}, {"ST", 8, 1},
  };
  for (const auto& row : table) {
    P().ChangeTz(0, reinterpret_cast<LPARAM>(row.label));
    EXPECT_EQ(P().TimeSys(), row.code) << row.label;
    EXPECT_EQ(rig.timeSys, row.host) << row.label;
  }

  // Through the message map, as the menu sends it.
  Pad().SendMessage(WM_CHANGETZ, 0, reinterpret_cast<LPARAM>("JD"));
  EXPECT_EQ(P().TimeSys(), 4);
}

TEST_F(TimeSysTest, LocalStandardTimeInZoneNineReadsBackAsJst) {
  Build();
  Host().Reply("? Time.Timezone", "9.0");
  Pad().SendMessage(WM_CHANGETZ, 0, reinterpret_cast<LPARAM>("LST"));
  EXPECT_EQ(P().TimeSys(), 6);
  EXPECT_EQ(LabelText(), "LST");
  EXPECT_EQ(rig.timeSys, 0);
  EXPECT_EQ(rig.zone, 9.0);
  rig.pad->OnUpdate(0x01);  // the host's time changed
  EXPECT_EQ(P().TimeSys(), 0);
  EXPECT_EQ(LabelText(), "JST");
}

TEST_F(TimeSysTest, SwitchingToUtdKeepsTheUniversalDateForTheDialog) {
  Build();
  EXPECT_EQ(P().Hour(), 21);
  Pad().SendMessage(WM_CHANGETZ, 0, reinterpret_cast<LPARAM>("UTD"));
  EXPECT_EQ(P().Hour(), 12);
  EXPECT_EQ(P().Day(), 1);
}
