// The date/time dialog's check of what is typed before it closes with OK.
#include "dialog_test.h"

namespace {

constexpr int kList = 6029;
constexpr int kBC = 1076;
constexpr int kYear = 1000, kMonth = 1002, kDay = 1001, kHour = 1083, kMinute = 1009, kSecond = 1011;
constexpr int kJd = 1003, kRealDay = 1084;
enum Entry { kJST, kUT, kUTD, kLST, kLMT, kJD, kMJD };
const char* const kBeyondLastYear = "日付が100000万年を超えています。";

class SetTimeCheckTest : public DialogTest {};

TEST_F(SetTimeCheckTest, EachFieldOutsideItsRangeIsRefusedOnThatField) {
  struct Case {
    int id;
    const char* text;
    UINT message;
  };
  const Case cases[] = {
      {kYear, "100000", 6107}, {kYear, "-100000", 6107}, {kMonth, "0", 6105},  {kMonth, "13", 6105},
      {kDay, "0", 6102},       {kDay, "32", 6102},       {kHour, "-1", 6103},  {kHour, "31", 6103},
      {kMinute, "-1", 6104},   {kMinute, "60", 6104},    {kSecond, "-1", 6106}, {kSecond, "60", 6106},
  };
  for (const Case& c : cases) {
    services.prompt.ClearShown();
    auto d = OpenTime(Calendar(1, 2006, 4, 1, 12, 30, 15));
    ui::Type(*d, c.id, c.text);
    EXPECT_FALSE(ui::PressOk(*d)) << c.id << " " << c.text;
    EXPECT_FALSE(d->HasEnded());
    ASSERT_EQ(MessageCount(), 1) << c.id << " " << c.text;
    EXPECT_EQ(LastMessage(), Message(c.message));
    EXPECT_EQ(services.prompt.Shown()[0].second, UINT(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_TRUE(ui::Focused(*d, c.id)) << c.id << " " << c.text;
  }
}

TEST_F(SetTimeCheckTest, HoursUpTo30AndDay31PassAsTyped) {
  auto d = OpenTime(Calendar(0, 2006, 2, 1, 0, 0, 0));
  ui::Type(*d, kDay, "31");
  ui::Type(*d, kHour, "30");
  ui::Type(*d, kMinute, "59");
  ui::Type(*d, kSecond, "59");
  ASSERT_TRUE(ui::PressOk(*d));
  EXPECT_EQ(MessageCount(), 0);
  _DATEPAD out{};
  d->GetDatePad(out);
  EXPECT_EQ(std::make_tuple(out.nTimeSys, out.nYear, out.nMonth, out.nDay, out.nHour, out.nMinute, out.nSecond),
            std::make_tuple(0, 2006, 2, 31, 30, 59, 59));
}

TEST_F(SetTimeCheckTest, TextsThatAreNoWholeNumbersAreRefusedOnce) {
  for (const char* text : {"12a", "1.5", "", "99999999999", "-99999999999"}) {
    services.prompt.ClearShown();
    auto d = OpenTime(Calendar(1, 2006, 4, 1, 12, 30, 15));
    ui::Type(*d, kYear, text);
    EXPECT_FALSE(ui::PressOk(*d)) << text;
    EXPECT_EQ(MessageCount(), 1) << text;
    EXPECT_EQ(LastMessage(), kNotWholeNumber) << text;
    EXPECT_TRUE(ui::Focused(*d, kYear)) << text;
    // Corrected, the same dialog closes.
    ui::Type(*d, kYear, "2007");
    EXPECT_TRUE(ui::PressOk(*d)) << text;
  }
}

TEST_F(SetTimeCheckTest, DatesOutsideTheAcceptedRange) {
  // Typed in universal time: hour 30 of 31 December 99999 is past the end.
  auto ut = OpenTime(Calendar(1, 99999, 12, 31, 30, 0, 0));
  EXPECT_FALSE(ui::PressOk(*ut));
  EXPECT_EQ(LastMessage(), Message(6107));
  EXPECT_TRUE(ui::Focused(*ut, kYear));
  // 24:00 is the last accepted instant, but its year needs six places.
  services.prompt.ClearShown();
  auto midnight = OpenTime(Calendar(1, 99999, 12, 31, 24, 0, 0));
  EXPECT_FALSE(ui::PressOk(*midnight));
  EXPECT_EQ(LastMessage(), Message(6107));
  services.prompt.ClearShown();
  auto end = OpenTime(Calendar(1, 99999, 12, 31, 23, 59, 59));
  EXPECT_TRUE(ui::PressOk(*end));
  EXPECT_EQ(MessageCount(), 0);

  // Local mean time at 179.3 degrees west (zone -11:57:12, where a zone
  // taken as longitude x 0.0666... would differ in its last bit): the
  // last instant is 12:02:48 on 31 December 99999, as the pad judges it.
  host.Reply("? location.longitude", "-179.3");
  for (int second : {48, 49}) {
    services.prompt.ClearShown();
    auto lmt = OpenTime(Calendar(7, 99999, 12, 31, 12, 2, second));
    EXPECT_EQ(ui::PressOk(*lmt), second == 48);
  }

  // Japan time 30:00 on 31 December 99999 is 21:00 UT, but its date is
  // the year 100000.
  services.prompt.ClearShown();
  auto jst = OpenTime(Calendar(0, 99999, 12, 31, 30, 0, 0));
  EXPECT_FALSE(ui::PressOk(*jst));
  EXPECT_EQ(LastMessage(), Message(6107));

  // The first accepted day, 99999 BC January 1: in Japan time its first
  // nine hours are still the year before in universal time.
  services.prompt.ClearShown();
  auto first = OpenTime(Calendar(1, -99998, 1, 1, 0, 0, 0));
  EXPECT_TRUE(ui::Checked(*first, kBC));
  EXPECT_TRUE(ui::PressOk(*first));
  auto early = OpenTime(Calendar(0, -99998, 1, 1, 8, 59, 59));
  EXPECT_FALSE(ui::PressOk(*early));
  EXPECT_EQ(LastMessage(), Message(6107));
  // 99999 BC December 31 at hour 30 is an ordinary date of 99998 BC.
  services.prompt.ClearShown();
  auto bc = OpenTime(Calendar(1, -99998, 12, 31, 30, 0, 0));
  EXPECT_TRUE(ui::PressOk(*bc));
  EXPECT_EQ(MessageCount(), 0);
}

TEST_F(SetTimeCheckTest, JulianAndRealDayEditsTakeOnlyRealNumbers) {
  // Julian day, modified Julian day and real day: a text that is no real
  // number is refused on its edit, and nothing is applied; a number too
  // large for any date is a number, refused as out of range.
  struct System {
    int code, edit;
    const char* valid;
  };
  for (const System& system : {System{4, kJd, "2453827.5"}, System{5, kJd, "53827"},
                               System{2, kRealDay, "1.5"}}) {
    _DATEPAD record{};
    record.nTimeSys = system.code;
    record.nYear = 2006;
    record.nMonth = 4;
    record.dDay = 1.0;
    record.dJd = 2453827.0;
    for (const char* text : {"abc", "", "12abc", "1.5.2"}) {
      services.prompt.ClearShown();
      auto d = OpenTime(record);
      ui::Type(*d, system.edit, text);
      EXPECT_FALSE(ui::PressOk(*d)) << system.code << " " << text;
      EXPECT_EQ(MessageCount(), 1) << system.code << " " << text;
      EXPECT_EQ(LastMessage(), Message(6112)) << system.code << " " << text;
      EXPECT_TRUE(ui::Focused(*d, system.edit)) << system.code << " " << text;
      // Still open: a real number now goes through.
      services.prompt.ClearShown();
      ui::Type(*d, system.edit, system.valid);
      EXPECT_TRUE(ui::PressOk(*d)) << system.code << " " << text;
      EXPECT_EQ(MessageCount(), 0) << system.code << " " << text;
    }
    services.prompt.ClearShown();
    auto huge = OpenTime(record);
    ui::Type(*huge, system.edit, "1e999");
    EXPECT_FALSE(ui::PressOk(*huge)) << system.code;
    EXPECT_EQ(LastMessage(), Message(6107)) << system.code;
  }
}

TEST_F(SetTimeCheckTest, JulianDayEntryChecksOnlyTheRange) {
  _DATEPAD record{};
  record.nTimeSys = 4;
  record.dJd = 2453827.0;
  // Beyond the year 100000 either way (a BC year counts by its size).
  for (const char* text : {"38245310", "-34803212"}) {
    services.prompt.ClearShown();
    auto far = OpenTime(record);
    ui::Type(*far, kJd, text);
    EXPECT_FALSE(ui::PressOk(*far)) << text;
    EXPECT_EQ(MessageCount(), 1) << text;
    EXPECT_EQ(LastMessage(), kBeyondLastYear) << text;
  }
  // Numbers no calendar holds are refused before any conversion.
  for (const char* text : {"-1e300", "9e99"}) {
    services.prompt.ClearShown();
    auto bad = OpenTime(record);
    ui::Type(*bad, kJd, text);
    EXPECT_FALSE(ui::PressOk(*bad)) << text;
    EXPECT_EQ(MessageCount(), 1) << text;
    EXPECT_EQ(LastMessage(), Message(6107)) << text;
    EXPECT_TRUE(ui::Focused(*bad, kJd)) << text;
  }
  // Modified Julian day: its own offset decides.
  record.nTimeSys = 5;
  services.prompt.ClearShown();
  auto mjd = OpenTime(record);
  ui::Type(*mjd, kJd, "35845309");  // JD 38245309.5, the last instant
  EXPECT_TRUE(ui::PressOk(*mjd));
  EXPECT_EQ(MessageCount(), 0);
}

TEST_F(SetTimeCheckTest, RealDayEntryChecksTheDateItMakes) {
  _DATEPAD record{};
  record.nTimeSys = 2;
  record.nYear = 99999;
  record.nMonth = 12;
  record.dDay = 1.0;
  auto late = OpenTime(record);
  ui::Type(*late, kRealDay, "32.5");
  EXPECT_FALSE(ui::PressOk(*late));
  EXPECT_EQ(LastMessage(), kBeyondLastYear);

  // Hours beyond any int, from the largest text the edit takes.
  services.prompt.ClearShown();
  auto huge = OpenTime(record);
  ui::Type(*huge, kRealDay, "999999999");
  EXPECT_FALSE(ui::PressOk(*huge));
  EXPECT_EQ(LastMessage(), Message(6107));
  EXPECT_TRUE(ui::Focused(*huge, kRealDay));

  // Before 99999 BC.
  record.nYear = -99998;
  record.nMonth = 1;
  services.prompt.ClearShown();
  auto early = OpenTime(record);
  ui::Type(*early, kRealDay, "0.5");
  EXPECT_FALSE(ui::PressOk(*early));
  EXPECT_EQ(LastMessage(), Message(6107));

  // The hidden day, hour, minute and second fields are not judged.
  record.nYear = 2006;
  record.nMonth = 4;
  services.prompt.ClearShown();
  auto ok = OpenTime(record);
  ui::Type(*ok, kRealDay, "31.5");
  EXPECT_TRUE(ui::PressOk(*ok));
  _DATEPAD out{};
  ok->GetDatePad(out);
  EXPECT_EQ(out.nTimeSys, 2);
  EXPECT_DOUBLE_EQ(out.dDay, 31.5);
}

TEST_F(SetTimeCheckTest, CancelEndsWithoutCheckingAnything) {
  auto d = OpenTime(Calendar(1, 2006, 4, 1, 12, 30, 15));
  ui::Type(*d, kMonth, "13");
  d->PressButton(IDCANCEL);
  EXPECT_TRUE(d->HasEnded());
  EXPECT_EQ(d->Result(), IDCANCEL);
  EXPECT_EQ(MessageCount(), 0);
}

}  // namespace
