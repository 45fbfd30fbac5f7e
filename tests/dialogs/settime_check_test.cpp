// The date/time dialog's check of what is typed before it closes with OK.
#include "dialog_test.h"

namespace {

constexpr int kYear = 1000, kMonth = 1002, kDay = 1001, kHour = 1083, kMinute = 1009, kSecond = 1011;
constexpr int kJd = 1003, kRealDay = 1084;
constexpr int kNone = 0;
// What OK answers: closes, or a message by resource id, or one of these.
constexpr UINT kAccepted = 0, kNotWhole = 1, kBeyond = 2;
const char* const kBeyondLastYear = "日付が100000万年を超えています。";

_DATEPAD Jd(int code, double jd) { return {code, 2006, 4, 0, 0, 0, 0, 1.0, jd}; }
_DATEPAD RealDay(int year, int month) { return {2, year, month, 0, 0, 0, 0, 1.0, 0.0}; }

class SetTimeCheckTest : public DialogTest {};

TEST_F(SetTimeCheckTest, OkClosesOnlyOnATimeInRangeAndOtherwiseSaysWhyOnTheField) {
  const _DATEPAD april = Calendar(1, 2006, 4, 1, 12, 30, 15);
  struct Case { _DATEPAD record; int edit; const char* text; UINT answer; int focus; };  // edit kNone: as opened
  const _DATEPAD jd = Jd(4, 2453827.0), mjd = Jd(5, 2453827.0), utd = Jd(2, 2453827.0);
  const Case cases[] = {
      // Each field outside its range, refused on that field.
      {april, kYear, "100000", 6107, kYear},      {april, kYear, "-100000", 6107, kYear},
      {april, kMonth, "0", 6105, kMonth},         {april, kMonth, "13", 6105, kMonth},
      {april, kDay, "0", 6102, kDay},             {april, kDay, "32", 6102, kDay},
      {april, kHour, "-1", 6103, kHour},          {april, kHour, "31", 6103, kHour},
      {april, kMinute, "-1", 6104, kMinute},      {april, kMinute, "60", 6104, kMinute},
      {april, kSecond, "-1", 6106, kSecond},      {april, kSecond, "60", 6106, kSecond},
      // Texts that are no whole numbers.
      {april, kYear, "12a", kNotWhole, kYear},    {april, kYear, "99999999999", kNotWhole, kYear},
      // Hour 30 of 31 December 99999 UT is past the end; 24:00 is the last
      // instant, but its year needs six places.
      {Calendar(1, 99999, 12, 31, 30, 0, 0), kNone, "", 6107, kYear},
      {Calendar(1, 99999, 12, 31, 24, 0, 0), kNone, "", 6107, kYear},
      {Calendar(1, 99999, 12, 31, 23, 59, 59), kNone, "", kAccepted, kNone},
      // Japan time 30:00 on 31 December 99999 is 21:00 UT, in the year 100000.
      {Calendar(0, 99999, 12, 31, 30, 0, 0), kNone, "", 6107, kYear},
      // 99999 BC January 1: in Japan time its first nine hours are the
      // year before in universal time.
      {Calendar(1, -99998, 1, 1, 0, 0, 0), kNone, "", kAccepted, kNone},
      {Calendar(0, -99998, 1, 1, 8, 59, 59), kNone, "", 6107, kYear},
      {Calendar(1, -99998, 12, 31, 30, 0, 0), kNone, "", kAccepted, kNone},
      // Julian day, modified Julian day, real day: only real numbers.
      {jd, kJd, "abc", 6112, kJd},        {jd, kJd, "1.5.2", 6112, kJd},       {mjd, kJd, "", 6112, kJd},
      {utd, kRealDay, "12abc", 6112, kRealDay},                              {jd, kJd, "1e999", 6107, kNone},
      {mjd, kJd, "1e999", 6107, kNone},   {utd, kRealDay, "1e999", 6107, kNone},
      // Beyond the year 100000 either way (a BC year counts by its size).
      {jd, kJd, "38245310", kBeyond, kNone},  {jd, kJd, "-34803212", kBeyond, kNone},
      {jd, kJd, "-1e300", 6107, kJd},         {jd, kJd, "9e99", 6107, kJd},
      {mjd, kJd, "35845309", kAccepted, kNone},  // the last instant
      // A real day is judged by the date it makes; hours beyond any int.
      {RealDay(99999, 12), kRealDay, "32.5", kBeyond, kNone},
      {RealDay(99999, 12), kRealDay, "999999999", 6107, kRealDay},
      {RealDay(-99998, 1), kRealDay, "0.5", 6107, kNone},
      // A real day: the hidden day, hour, minute and second are not judged.
      {RealDay(2006, 4), kRealDay, "31.5", kAccepted, kNone},
      // Local mean time at 179.3 degrees west (zone -11:57:12): the last
      // instant is 12:02:48 on 31 December 99999, as the pad judges it.
      {Calendar(7, 99999, 12, 31, 12, 2, 48), kNone, "", kAccepted, kNone},
      {Calendar(7, 99999, 12, 31, 12, 2, 49), kNone, "", 6107, kYear},
  };
  host.Reply("? location.longitude", "-179.3");
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.record.nTimeSys << " " << c.record.nYear << " " << c.edit << " " << c.text);
    services.prompt.ClearShown();
    auto d = OpenTime(c.record);
    if (c.edit != kNone) ui::Type(*d, c.edit, c.text);
    EXPECT_EQ(ui::PressOk(*d), c.answer == kAccepted);
    EXPECT_EQ(Refusal(), c.answer == kAccepted ? ""
                         : c.answer == kNotWhole ? kNotWholeNumber
                         : c.answer == kBeyond   ? kBeyondLastYear
                                                 : Message(c.answer));
    EXPECT_TRUE(c.focus == kNone || ui::Focused(*d, c.focus));
    // A text that is no number, corrected: the same dialog closes.
    if (c.answer != kNotWhole && c.answer != 6112) continue;
    ui::Type(*d, c.edit, c.edit == kYear ? "2007" : c.edit == kJd ? "2453827.5" : "1.5");
    EXPECT_TRUE(ui::PressOk(*d));
  }
}

}  // namespace
