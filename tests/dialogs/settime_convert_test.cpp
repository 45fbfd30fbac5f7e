// The date/time dialog: what it opens with, and what choosing another time
// system in its list shows.
#include <vector>

#include "dialog_test.h"

using ui::Text;

namespace {

constexpr int kList = 6029;
constexpr int kBC = 1076, kAD = 1077;
constexpr int kYear = 1000, kMonth = 1002, kDay = 1001, kHour = 1083, kMinute = 1009, kSecond = 1011;
constexpr int kJd = 1003, kRealDay = 1084;
enum Entry { kJST, kUT, kUTD, kLST, kLMT, kJD, kMJD };

struct Shown {
  std::string year, month, day, hour, minute, second;
  friend bool operator==(const Shown&, const Shown&) = default;
};
std::ostream& operator<<(std::ostream& os, const Shown& s) {
  return os << '[' << s.year << '/' << s.month << '/' << s.day << ' ' << s.hour << ':' << s.minute
            << ':' << s.second << ']';
}
Shown Fields(CDialog& d) {
  return {Text(d, kYear), Text(d, kMonth), Text(d, kDay), Text(d, kHour), Text(d, kMinute), Text(d, kSecond)};
}

class SetTimeConvertTest : public DialogTest {};

TEST_F(SetTimeConvertTest, ListHoldsTheSevenSystems) {
  auto d = OpenTime(Calendar(0, 2006, 1, 1, 5, 0, 0));
  auto* list = dynamic_cast<CComboBox*>(d->GetDlgItem(kList));
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->GetCount(), 7);
  const char* texts[] = {"日本時", "世界時", "世界時(日)", "地方標準時", "地方平時", "ﾕﾘｳｽ日", "準ﾕﾘｳｽ日"};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(list->GetLBText(i), QString::fromUtf8(texts[i]));
  // Sidereal time and code 3 have no entry.
  EXPECT_EQ(CDlgSetTime::IndexOfCode(3), -1);
  EXPECT_EQ(CDlgSetTime::IndexOfCode(8), -1);
}

// What the fields show after switching the list from the record's system.
TEST_F(SetTimeConvertTest, SwitchingTheListConvertsTheFields) {
  host.Reply("? Time.Timezone", "-5");
  host.Reply("? location.longitude", "139.5");
  struct Case {
    _DATEPAD record;
    std::vector<Entry> picks;  // the last one's fields are checked
    Shown shown;
    bool bc = false;
  };
  const Case cases[] = {
      // The year right-aligned in five places, the other fields in two.
      {Calendar(0, 2006, 1, 1, 5, 0, 0), {kUT}, {" 2005", "12", "31", "20", " 0", " 0"}},
      {Calendar(0, 2006, 1, 1, 5, 0, 0), {kUT, kJST}, {" 2006", " 1", " 1", " 5", " 0", " 0"}},
      {Calendar(0, 2006, 1, 1, 5, 0, 0), {kLST}, {" 2005", "12", "31", "15", " 0", " 0"}},  // the host's zone
      // 139.5 degrees east: 9 hours 18 minutes ahead of universal time.
      {Calendar(0, 2006, 1, 1, 5, 0, 0), {kLMT}, {" 2006", " 1", " 1", " 5", "18", " 0"}},
      {Calendar(0, 2000, 1, 1, 21, 0, 0), {kJD, kMJD, kUT}, {" 2000", " 1", " 1", "12", " 0", " 0"}},
      {Calendar(1, 2000, 1, 1, 12, 0, 0), {kUTD, kUT}, {" 2000", " 1", " 1", "12", " 0", " 0"}},
      {Calendar(1, 0, 6, 1, 0, 0, 0), {kJST}, {"    1", " 6", " 1", " 9", " 0", " 0"}, true},  // 1 BC
      // Japan time just after midnight of 1 January AD 1 is still 1 BC in
      // universal time: the era follows the converted year.
      {Calendar(0, 1, 1, 1, 3, 0, 0), {kUT}, {"    1", "12", "31", "18", " 0", " 0"}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.record.nTimeSys << " " << c.record.nYear << " to " << c.picks.back());
    auto d = OpenTime(c.record);
    for (Entry entry : c.picks) ui::Pick(*d, kList, entry);
    EXPECT_EQ(Fields(*d), c.shown);
    EXPECT_EQ(ui::Checked(*d, kBC), c.bc);
    EXPECT_EQ(CDlgSetTimeProbe(*d).Index(), c.picks.back());
  }
  // Queries only: the dialog never changes the host.
  for (const std::string& sent : host.Sent()) EXPECT_EQ(sent.rfind("? ", 0), 0u) << sent;

  // A converted date goes back to the pad in the chosen system.
  auto d = OpenTime(Calendar(0, 2006, 1, 1, 5, 0, 0));
  ui::Pick(*d, kList, kUT);
  ASSERT_TRUE(ui::PressOk(*d));
  _DATEPAD out{};
  d->GetDatePad(out);
  EXPECT_EQ(std::make_tuple(out.nTimeSys, out.nYear, out.nMonth, out.nDay, out.nHour, out.nMinute, out.nSecond),
            std::make_tuple(1, 2005, 12, 31, 20, 0, 0));
  EXPECT_EQ(MessageCount(), 0);
}

TEST_F(SetTimeConvertTest, JulianAndModifiedJulianDays) {
  auto d = OpenTime(Calendar(0, 2000, 1, 1, 21, 0, 0));
  ui::Pick(*d, kList, kJD);
  EXPECT_EQ(Text(*d, kJd), "2451545.000000");
  // Only the Julian-day edit is shown, and the era is not asked.
  EXPECT_FALSE(ui::Hidden(*d, kJd));
  for (int id : {kYear, kMonth, kDay, kHour, kMinute, kSecond, kRealDay, 1068, 1069, 1070, 1071, 1012, 1013, 1022}) {
    EXPECT_TRUE(ui::Hidden(*d, id)) << id;
  }
  EXPECT_FALSE(ui::Enabled(*d, kBC));
  EXPECT_FALSE(ui::Enabled(*d, kAD));

  ui::Pick(*d, kList, kMJD);
  EXPECT_EQ(Text(*d, kJd), "51544.500000");
  ui::Pick(*d, kList, kUT);
  EXPECT_TRUE(ui::Enabled(*d, kBC));

  // Records from the pad: JD as is, MJD shown 2400000.5 less; back as typed.
  _DATEPAD jd{};
  jd.nTimeSys = 5;
  jd.dJd = 2451545.25;
  auto m = OpenTime(jd);
  EXPECT_EQ(Text(*m, kJd), "51544.750000");
  ASSERT_TRUE(ui::PressOk(*m));
  _DATEPAD out{};
  m->GetDatePad(out);
  EXPECT_EQ(out.nTimeSys, 5);
  EXPECT_DOUBLE_EQ(out.dJd, 51544.75);
}

TEST_F(SetTimeConvertTest, UniversalTimeWithRealDayAndBack) {
  auto d = OpenTime(Calendar(1, 2000, 1, 1, 12, 0, 0));
  ui::Pick(*d, kList, kUTD);
  EXPECT_EQ(Text(*d, kRealDay), "1.500000");
  EXPECT_FALSE(ui::Hidden(*d, kRealDay));
  EXPECT_FALSE(ui::Hidden(*d, 1071));
  EXPECT_TRUE(ui::Hidden(*d, kDay));
  EXPECT_TRUE(ui::Hidden(*d, kHour));
  EXPECT_EQ(Text(*d, kYear), " 2000");

  // A real day typed past the month's end, or below its first day, comes
  // back as an ordinary date.
  ui::Pick(*d, kList, kUTD);
  ui::Type(*d, kRealDay, "32.25");
  ui::Pick(*d, kList, kUT);
  EXPECT_EQ(Fields(*d), (Shown{" 2000", " 2", " 1", " 6", " 0", " 0"}));
  ui::Pick(*d, kList, kUTD);
  ui::Type(*d, kRealDay, "0.75");
  ui::Pick(*d, kList, kUT);
  EXPECT_EQ(Fields(*d), (Shown{" 2000", " 1", "31", "18", " 0", " 0"}));
}

TEST_F(SetTimeConvertTest, YearsBeforeChristAndYearZero) {
  auto d = OpenTime(Calendar(1, 0, 6, 1, 0, 0, 0));  // 1 BC
  EXPECT_TRUE(ui::Checked(*d, kBC));
  EXPECT_EQ(Text(*d, kYear), "1");
  // 500 BC and year 0 written with AD reach the pad as -499 and 0.
  ui::Type(*d, kYear, "500");
  ASSERT_TRUE(ui::PressOk(*d));
  _DATEPAD out{};
  d->GetDatePad(out);
  EXPECT_EQ(out.nYear, -499);

  auto z = OpenTime(Calendar(1, 2006, 6, 1, 0, 0, 0));
  ui::Type(*z, kYear, "0");
  ASSERT_TRUE(ui::PressOk(*z));
  z->GetDatePad(out);
  EXPECT_EQ(out.nYear, 0);
}

TEST_F(SetTimeConvertTest, SwitchThatLeavesTheRangeKeepsTheTypedFields) {
  // 20:00 of 31 December 99999 in a zone 10 hours behind universal time
  // is already past 100000-01-01 00:00 UT.
  host.Reply("? Time.Timezone", "-10");
  auto d = OpenTime(Calendar(6, 99999, 12, 31, 20, 0, 0));
  ui::Pick(*d, kList, kUT);
  EXPECT_EQ(Fields(*d), (Shown{"99999", "12", "31", "20", " 0", " 0"}));
  EXPECT_EQ(ui::Selected(*d, kList), kUT);  // the list switches all the same
  EXPECT_EQ(MessageCount(), 0);
}

TEST_F(SetTimeConvertTest, FieldThatIsNoWholeNumberStopsTheSwitch) {
  auto d = OpenTime(Calendar(0, 2006, 1, 1, 5, 0, 0));
  ui::Type(*d, kYear, "20x6");
  ui::Pick(*d, kList, kUT);
  EXPECT_EQ(MessageCount(), 1);
  EXPECT_EQ(LastMessage(), kNotWholeNumber);
  EXPECT_TRUE(ui::Focused(*d, kYear));
  EXPECT_EQ(ui::Selected(*d, kList), kJST);
  EXPECT_EQ(CDlgSetTimeProbe(*d).Index(), kJST);
  EXPECT_EQ(Text(*d, kYear), "20x6");
  EXPECT_EQ(Text(*d, kHour), "5");
}

TEST_F(SetTimeConvertTest, OpensWherePlacedAndFilledFromTheRecord) {
  auto d = std::make_unique<CDlgSetTime>(ctx);
  d->SetPosition(300, 140);
  _DATEPAD utd{};
  utd.nTimeSys = 2;
  utd.nYear = 2006;
  utd.nMonth = 4;
  utd.dDay = 4.5;
  d->SetDatePad(utd, &host);
  ASSERT_TRUE(d->CreateFromTemplate());
  CRect window;
  d->GetWindowRect(&window);
  EXPECT_EQ(window.top, 300);
  EXPECT_EQ(window.left, 140);
  EXPECT_EQ(ui::Selected(*d, kList), kUTD);
  EXPECT_EQ(Text(*d, kRealDay), "4.500000");
  EXPECT_EQ(Text(*d, kYear), "2006");
  EXPECT_TRUE(ui::Hidden(*d, kHour));
}

}  // namespace
