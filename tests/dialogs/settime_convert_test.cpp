// The date/time dialog: what it opens with, what choosing another time
// system in its list shows, and the record it hands back to the pad.
#include <vector>

#include "dialog_test.h"

namespace {

constexpr int kList = 6029, kBC = 1076;
constexpr int kYear = 1000, kHour = 1083, kJd = 1003, kRealDay = 1084;
enum Entry { kJST, kUT, kUTD, kLST, kLMT, kJD, kMJD };

// The shown fields and labels in the template's order, after the era
// (none while it cannot be chosen): "AD  2006年 1月 1日 5時 0分 0秒".
std::string Shown(CDialog& d) {
  std::string shown = !ui::Enabled(d, kBC) ? "" : ui::Checked(d, kBC) ? "BC " : "AD ";
  for (int id : {kYear, 1068, 1002, 1069, 1001, 1070, kHour, 1012, 1009, 1013, 1011, 1022, kJd, kRealDay, 1071})
    if (!ui::Hidden(d, id)) shown += ui::Text(d, id);
  return shown;
}
// A step that picks a list entry; the other steps type {id, text}.
std::pair<int, std::string> Pick(Entry entry) { return {kList, std::to_string(entry)}; }
std::string Record(const _DATEPAD& r) {
  return QString::asprintf("%d %d/%d/%d %d:%d:%d %.10g %.10g", r.nTimeSys, r.nYear, r.nMonth, r.nDay, r.nHour,
                           r.nMinute, r.nSecond, r.dDay, r.dJd).toStdString();
}

class SetTimeConvertTest : public DialogTest {};

TEST_F(SetTimeConvertTest, SwitchingTheListConvertsTheFields) {
  host.Reply("? Time.Timezone", "-5");
  host.Reply("? location.longitude", "139.5");
  const _DATEPAD jst = Calendar(0, 2006, 1, 1, 5, 0, 0), noon = Calendar(1, 2000, 1, 1, 12, 0, 0);
  const _DATEPAD jst21 = Calendar(0, 2000, 1, 1, 21, 0, 0);  // noon UT
  struct Case {
    _DATEPAD record;
    std::vector<std::pair<int, std::string>> steps;
    std::string shown;
    Entry selected;
    std::string handedBack = "";  // the record after OK; "": OK not pressed
    std::string refusal = "";
  };
  const Case cases[] = {
      // As opened: the record's fields as they are; a system the list lacks
      // (sidereal time) opens as Japan time.
      {jst, {}, "AD 2006年1月1日5時0分0秒", kJST},
      {Calendar(3, 2006, 1, 1, 5, 0, 0), {}, "AD 2006年1月1日5時0分0秒", kJST},
      {{2, 2006, 4, 0, 0, 0, 0, 4.5, 0.0}, {}, "AD 2006年4月4.500000日", kUTD},
      {{5, 0, 0, 0, 0, 0, 0, 0, 2451545.25}, {}, "51544.750000", kMJD, "5 0/0/0 0:0:0 0 51544.75"},
      // The year right-aligned in five places, the other fields in two.
      {jst, {Pick(kUT)}, "AD  2005年12月31日20時 0分 0秒", kUT, "1 2005/12/31 20:0:0 0 0"},
      {jst, {Pick(kUT), Pick(kJST)}, "AD  2006年 1月 1日 5時 0分 0秒", kJST},
      {jst, {Pick(kLST)}, "AD  2005年12月31日15時 0分 0秒", kLST},  // the host's zone
      // 139.5 degrees east: 9 hours 18 minutes ahead of universal time.
      {jst, {Pick(kLMT)}, "AD  2006年 1月 1日 5時18分 0秒", kLMT},
      {jst21, {Pick(kJD)}, "2451545.000000", kJD},
      {jst21, {Pick(kJD), Pick(kMJD)}, "51544.500000", kMJD},
      {jst21, {Pick(kMJD), Pick(kUT)}, "AD  2000年 1月 1日12時 0分 0秒", kUT},
      {noon, {Pick(kUTD)}, "AD  2000年 1月1.500000日", kUTD},
      {noon, {Pick(kUTD), Pick(kUT)}, "AD  2000年 1月 1日12時 0分 0秒", kUT},
      // A real day past the month's end, or below its first day, comes back
      // as an ordinary date.
      {noon, {Pick(kUTD), {kRealDay, "32.25"}, Pick(kUT)}, "AD  2000年 2月 1日 6時 0分 0秒", kUT},
      {noon, {Pick(kUTD), {kRealDay, "0.75"}, Pick(kUT)}, "AD  1999年12月31日18時 0分 0秒", kUT},
      {noon, {Pick(kUTD), {kRealDay, "31.5"}}, "AD  2000年 1月31.5日", kUTD, "2 2000/1/0 0:0:0 31.5 0"},
      {noon, {Pick(kUTD), {kRealDay, "1.51"}, Pick(kUT)}, "AD  2000年 1月 1日12時14分24秒", kUT},
      // The Julian day's field takes 16 characters, as "%.6f" of the first date needs.
      {jst21, {Pick(kJD), {kJd, "2451545.123456789"}}, "2451545.12345678", kJD},
      // Years before Christ: 1 BC is year 0; Japan time just after midnight
      // of 1 January AD 1 is still 1 BC in universal time.
      {Calendar(1, 0, 6, 1, 0, 0, 0), {Pick(kJST)}, "BC     1年 6月 1日 9時 0分 0秒", kJST},
      {Calendar(0, 1, 1, 1, 3, 0, 0), {Pick(kUT)}, "BC     1年12月31日18時 0分 0秒", kUT},
      {Calendar(1, 0, 6, 1, 0, 0, 0), {{kYear, "500"}}, "BC 500年6月1日0時0分0秒", kUT, "1 -499/6/1 0:0:0 0 0"},
      {noon, {{kYear, "0"}}, "AD 0年1月1日12時0分0秒", kUT, "1 0/1/1 12:0:0 0 0"},
      // Hours up to 30 and day 31 go to the pad as typed.
      {Calendar(0, 2006, 2, 31, 30, 59, 59), {}, "AD 2006年2月31日30時59分59秒", kJST,
       "0 2006/2/31 30:59:59 0 0"},
      // 20:00 of 31 December 99999 five hours behind universal time is
      // already past the last date: the fields stay, the list switches.
      {Calendar(6, 99999, 12, 31, 20, 0, 0), {Pick(kUT)}, "AD 99999年12月31日20時 0分 0秒", kUT},
      // A field that is no whole number stops the switch, on that field.
      {jst, {{kYear, "20x6"}, Pick(kUT)}, "AD 20x6年1月1日5時0分0秒", kJST, "", kNotWholeNumber},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << Record(c.record) << " to " << c.shown);
    services.prompt.ClearShown();
    auto d = OpenTime(c.record);
    for (const auto& [id, text] : c.steps) {
      if (id == kList) ui::List(*d, kList)->SelectByUser(std::stoi(text));
      else ui::Type(*d, id, text);
    }
    EXPECT_EQ(Shown(*d), c.shown);
    EXPECT_EQ(ui::Selected(*d, kList), c.selected);
    EXPECT_EQ(Refusal(), c.refusal);
    EXPECT_TRUE(c.refusal.empty() || ui::Focused(*d, kYear));
    if (c.handedBack.empty()) continue;
    ASSERT_TRUE(ui::PressOk(*d));
    _DATEPAD out{};
    d->GetDatePad(out);
    EXPECT_EQ(Record(out), c.handedBack);
  }
  // Queries only: the dialog never changes the host.
  for (const std::string& sent : host.Sent()) EXPECT_EQ(sent.rfind("? ", 0), 0u) << sent;
  // The list names the seven systems.
  auto d = OpenTime(jst);
  QStringList names;
  for (int i = 0; i < ui::List(*d, kList)->GetCount(); ++i) names << ui::List(*d, kList)->GetLBText(i);
  EXPECT_EQ(names.join(u'|'), QStringLiteral("日本時|世界時|世界時(日)|地方標準時|地方平時|ﾕﾘｳｽ日|準ﾕﾘｳｽ日"));
}

}  // namespace
