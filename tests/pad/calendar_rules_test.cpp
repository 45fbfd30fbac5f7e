// Leap years, month lengths, the accepted date range and the record
// exchanged with the date/time dialog.
#include <climits>
#include <cstring>
#include <tuple>

#include "pad_fixture.h"

namespace {

tagADATE Date(int y, int mo, int d, int h, int mi, double s) { return tagADATE{y, mo, d, h, mi, s, 0.0}; }

class CalendarRulesTest : public PadTest {};

TEST_F(CalendarRulesTest, MonthLengthsAndTheMessageForABadMonth) {
  Build();
  const struct { int month, year, days; } cases[] = {
      {2, 1500, 29}, {2, 1900, 28}, {2, 2000, 29}, {10, 1582, 31},  // no gap for the calendar change
      {4, 2006, 30}, {11, 2006, 30}, {12, 2006, 31}, {1, 2006, 31},
  };
  for (const auto& c : cases) EXPECT_EQ(P().GetDaysOfMonth(c.month, c.year), c.days) << c.month << "/" << c.year;
  EXPECT_TRUE(Boxes().empty());
  for (int month : {0, 13}) EXPECT_EQ(P().GetDaysOfMonth(month, 2000), -1);
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[1].first, QStringLiteral("CLumiraPad::GetDaysOfMonth(): nMonth out of range."));
}

TEST_F(CalendarRulesTest, RangeBoundsAreIncludedAndMoveWithTheZoneOfTheTimeSystem) {
  Build();
  const struct { int timeSys; double tz, longitude; tagADATE date; bool inRange; } cases[] = {
      {1, 0.0, 0.0, Date(99999, 12, 31, 23, 59, 59), true},
      {1, 0.0, 0.0, Date(100000, 1, 1, 0, 0, 0), true},
      {1, 0.0, 0.0, Date(100000, 1, 1, 0, 0, 1), false},
      {1, 0.0, 0.0, Date(-99998, 1, 1, 0, 0, 0), true},
      {1, 0.0, 0.0, Date(-99999, 12, 31, 23, 59, 59), false},
      // Japan standard time: the bounds lie 9 hours later in local time.
      {0, 9.0, 0.0, Date(100000, 1, 1, 9, 0, 0), true},
      {0, 9.0, 0.0, Date(100000, 1, 1, 9, 0, 1), false},
      {0, 9.0, 0.0, Date(-99998, 1, 1, 9, 0, 0), true},
      {0, 9.0, 0.0, Date(-99998, 1, 1, 8, 59, 59), false},
      // Local standard time uses the zone shown.
      {6, -5.0, 0.0, Date(99999, 12, 31, 19, 0, 0), true},
      {6, -5.0, 0.0, Date(99999, 12, 31, 19, 0, 1), false},
      // Local mean time: longitude / 15, here 150 degrees east = 10 hours
      // ... and at 179.3 degrees west the edge the date dialog also keeps.
      {7, 0.0, 150.0, Date(100000, 1, 1, 10, 0, 0), true},
      {7, 0.0, 150.0, Date(100000, 1, 1, 10, 0, 1), false},
      {7, 0.0, -179.3, Date(99999, 12, 31, 12, 2, 48), true},
      {7, 0.0, -179.3, Date(99999, 12, 31, 12, 2, 49), false},
      // The decimal and sidereal displays judge nothing.
      {2, 0.0, 0.0, Date(500000, 1, 1, 0, 0, 0), true},
      {3, 0.0, 0.0, Date(500000, 1, 1, 0, 0, 0), true},
      {4, 0.0, 0.0, Date(500000, 1, 1, 0, 0, 0), true},
      {5, 0.0, 0.0, Date(500000, 1, 1, 0, 0, 0), true},
      {8, 0.0, 0.0, Date(500000, 1, 1, 0, 0, 0), true},
  };
  for (const auto& c : cases) {
    SetDate(c.timeSys, 2006, 1, 1, 0, 0, 0, c.tz);
    P().Longitude() = c.longitude;
    EXPECT_EQ(P().IsDateInRange(c.date), c.inRange)
        << c.timeSys << " " << c.longitude << " " << c.date.nYear << " " << c.date.nHour << ":" << c.date.dSecond;
  }
  // The record handed in stays as it was.
  tagADATE date = Date(2006, 4, 1, 12, 0, 0);
  date.dTimeZone = 3.5;
  EXPECT_TRUE(P().IsDateInRange(date));
  EXPECT_EQ(std::make_pair(date.dTimeZone, date.nHour), std::make_pair(3.5, 12));
}

TEST_F(CalendarRulesTest, UniversalDecimalDayRecordRoundTrip) {
  Build();
  SetDate(2, 2006, 12, 4, 12, 0, 0);
  _DATEPAD record;
  std::memset(&record, 0, sizeof record);
  P().SetDatePadData(&record);
  // Only the decimal day is filled.
  EXPECT_EQ(std::make_tuple(record.nTimeSys, record.nYear, record.nMonth, record.dDay, record.nDay),
            std::make_tuple(2, 2006, 12, 4.5, 0));

  tagADATE date{};
  P().TimeSys() = 0;
  P().GetDatePadData(record, &date);
  EXPECT_EQ(P().TimeSys(), 2);  // the pad switched to the record's system
  EXPECT_EQ(rig.timeSys, 1);
  EXPECT_EQ(std::make_tuple(date.nYear, date.nMonth, date.nDay, date.nHour, date.nMinute, date.dSecond, date.dTimeZone),
            std::make_tuple(2006, 12, 4, 12, 0, 0.0, 0.0));

  // 59.6 seconds round up to 60, not into the next minute.
  record.dDay = 4 + (12 * 3600 + 10 * 60 + 59.6) / 86400.0;
  P().GetDatePadData(record, &date);
  EXPECT_EQ(std::make_tuple(date.nHour, date.nMinute, date.dSecond), std::make_tuple(12, 10, 60.0));

  // A wild decimal day saturates instead of overflowing.
  record.dDay = 1e300;
  P().GetDatePadData(record, &date);
  EXPECT_EQ(date.nDay, INT_MAX);
}

TEST_F(CalendarRulesTest, RecordsOfTheOtherTimeSystems) {
  rig.host.Reply("? Time.jd", "2453827.5");
  rig.host.Reply("? Time.Timezone", "5.5");
  Build();
  // Calendar systems carry the six fields, JD and MJD both the Julian
  // date; sidereal time and no time system leave the zero record alone.
  SetDate(7, 1999, 2, 3, 4, 5, 6);
  const struct { int sys, recordSys, second; double jd; } out[] = {
      {7, 7, 6, 0.0}, {4, 4, 0, 2453827.5}, {5, 5, 0, 2453827.5}, {3, 0, 0, 0.0}, {8, 0, 0, 0.0}};
  for (const auto& c : out) {
    _DATEPAD record{};
    P().TimeSys() = c.sys;
    rig.host.ClearSent();
    P().SetDatePadData(&record);
    EXPECT_EQ(std::make_tuple(record.nTimeSys, record.nSecond, record.dJd, record.dDay),
              std::make_tuple(c.recordSys, c.second, c.jd, 0.0)) << c.sys;
    if (c.recordSys == 0) {
      EXPECT_TRUE(rig.host.Sent().empty());
    }
  }

  // Coming back: MJD is moved to JD (MJD 0 = 1858-11-17 00:00 UT), zones by system.
  tagADATE date{};
  _DATEPAD record{};
  record.nTimeSys = 5;
  P().GetDatePadData(record, &date);
  EXPECT_EQ(std::make_tuple(P().TimeSys(), date.nYear, date.nMonth, date.nDay, date.dTimeZone),
            std::make_tuple(5, 1858, 11, 17, 0.0));
  record = _DATEPAD{0, 2006, 4, 1, 21, 30, 15, 0.0, 0.0};
  P().GetDatePadData(record, &date);
  EXPECT_EQ(std::make_pair(date.dTimeZone, date.dSecond), std::make_pair(9.0, 15.0));
  record.nTimeSys = 6;
  P().GetDatePadData(record, &date);
  EXPECT_EQ(std::make_pair(P().TimeSys(), date.dTimeZone), std::make_pair(6, 5.5));  // the host's zone

  // Sidereal time switches the pad but gives no date; code 3 does nothing.
  date = tagADATE{1, 2, 3, 4, 5, 6.0, 7.0};
  for (int sys : {8, 3}) {
    record.nTimeSys = sys;
    P().GetDatePadData(record, &date);
    EXPECT_EQ(std::make_pair(P().TimeSys(), date.nYear), std::make_pair(8, 1)) << sys;
  }
}

}  // namespace
