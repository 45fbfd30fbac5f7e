// Reading replies: decimal numbers only, exact truth, number pairs, and
// date replies read as the label/era/date/time patterns read them.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>

#include "pad/replies.h"

using replies::DateFields;
using replies::ReadDate;
using replies::ReadInt;
using replies::ReadNumber;
using replies::ReadNumberPair;
using replies::ReadTruth;

TEST(Replies, NumbersAreDecimalPrefixes) {
  EXPECT_EQ(ReadNumber("  12abc"), 12.0);
  EXPECT_EQ(ReadNumber("\t-3.25;7"), -3.25);
  EXPECT_EQ(ReadNumber("+6.5"), 6.5);
  EXPECT_EQ(ReadNumber(".5"), 0.5);
  EXPECT_EQ(ReadNumber("5."), 5.0);
  EXPECT_EQ(ReadNumber("2.5e2xyz"), 250.0);
  EXPECT_EQ(ReadNumber("7e"), 7.0);     // an exponent without digits is not part of the number
  EXPECT_EQ(ReadNumber("7e+"), 7.0);
  EXPECT_EQ(ReadNumber("2453827.02101"), 2453827.02101);
  // Not decimal numbers: read as 0 (or as far as they are decimal).
  EXPECT_EQ(ReadNumber("0x1A"), 0.0);
  EXPECT_EQ(ReadNumber("inf"), 0.0);
  EXPECT_EQ(ReadNumber("-infinity"), 0.0);
  EXPECT_EQ(ReadNumber("nan"), 0.0);
  EXPECT_EQ(ReadNumber(""), 0.0);
  EXPECT_EQ(ReadNumber("."), 0.0);
  EXPECT_EQ(ReadNumber("-"), 0.0);
  EXPECT_EQ(ReadNumber("TRUE"), 0.0);
  EXPECT_EQ(ReadNumber(static_cast<const char*>(nullptr)), 0.0);
  // Beyond the double range: infinite or zero as the C library reads them.
  EXPECT_EQ(ReadNumber("1e999"), HUGE_VAL);
  EXPECT_EQ(ReadNumber("-1e999"), -HUGE_VAL);
  EXPECT_EQ(ReadNumber("1e-999"), 0.0);
  EXPECT_EQ(ReadNumber(std::string(400, '9')), HUGE_VAL);
  // The text ends at a NUL, as a C string does.
  EXPECT_EQ(ReadNumber(std::string("12\0" "34", 5)), 12.0);
  // A very long run of digits is still one number, not an overrun.
  EXPECT_DOUBLE_EQ(ReadNumber("0." + std::string(100000, '3')), 1.0 / 3.0);
}

TEST(Replies, IntegersTruncateAndSaturate) {
  EXPECT_EQ(ReadInt("12.9"), 12);
  EXPECT_EQ(ReadInt("-3.9"), -3);
  EXPECT_EQ(ReadInt("1e20"), INT_MAX);
  EXPECT_EQ(ReadInt("-1e20"), INT_MIN);
  EXPECT_EQ(ReadInt("abc"), 0);
}

TEST(Replies, TruthIsExactlyTRUE) {
  EXPECT_TRUE(ReadTruth("TRUE"));
  EXPECT_FALSE(ReadTruth("true"));
  EXPECT_FALSE(ReadTruth("TRUE "));
  EXPECT_FALSE(ReadTruth(" TRUE"));
  EXPECT_FALSE(ReadTruth("FALSE"));
  EXPECT_FALSE(ReadTruth(""));
}

TEST(Replies, NumberPairsSplitAtTheFirstSemicolon) {
  double a = -1, b = -1;
  ReadNumberPair("135.5;35", &a, &b);
  EXPECT_EQ(a, 135.5);
  EXPECT_EQ(b, 35.0);
  ReadNumberPair("135.5; 35", &a, &b);  // a blank after the semicolon changes nothing
  EXPECT_EQ(b, 35.0);
  ReadNumberPair("-12.25", &a, &b);  // no semicolon: latitude 0
  EXPECT_EQ(a, -12.25);
  EXPECT_EQ(b, 0.0);
  ReadNumberPair("1;2;3", &a, &b);
  EXPECT_EQ(a, 1.0);
  EXPECT_EQ(b, 2.0);
}

namespace {
DateFields Preset() {
  DateFields f;
  f.year = -7; f.month = -7; f.day = -7; f.hour = -7; f.minute = -7; f.second = -7;
  return f;
}
}  // namespace

TEST(Replies, DateRepliesFollowTheScanPatterns) {
  DateFields f = Preset();
  EXPECT_EQ(ReadDate("JST AD2006/04/01 21:30:15", 4, &f), 8);
  EXPECT_EQ(f.label, "JST");
  EXPECT_EQ(f.era, "AD");
  EXPECT_EQ(f.year, 2006);
  EXPECT_EQ(f.month, 4);
  EXPECT_EQ(f.day, 1);
  EXPECT_EQ(f.hour, 21);
  EXPECT_EQ(f.minute, 30);
  EXPECT_EQ(f.second, 15);

  // Blanks: any run between label and era, before each number; none is
  // allowed before a "/" or ":".
  f = Preset();
  EXPECT_EQ(ReadDate("  LMT   BC  100/ 1/2   3: 4:5", 4, &f), 8);
  EXPECT_EQ(f.era, "BC");
  EXPECT_EQ(f.year, 100);
  EXPECT_EQ(f.minute, 4);
  f = Preset();
  EXPECT_EQ(ReadDate("JST AD2006 /04/01 21:30:15", 4, &f), 3);
  EXPECT_EQ(f.year, 2006);
  EXPECT_EQ(f.month, -7);  // not supplied: keeps its value

  // The label takes at most four (three) characters; the rest runs on
  // into the era.
  f = Preset();
  EXPECT_EQ(ReadDate("ABCDE AD2006/1/1 0:0:0", 4, &f), 2);
  EXPECT_EQ(f.label, "ABCD");
  EXPECT_EQ(f.era, "E");
  EXPECT_EQ(f.year, -7);
  f = Preset();
  EXPECT_EQ(ReadDate("JST AD2006/1/1 0:0:0", 3, &f), 8);
  f = Preset();
  EXPECT_EQ(ReadDate("UTC1 AD2006/1/1 0:0:0", 3, &f), 2);
  EXPECT_EQ(f.label, "UTC");
  EXPECT_EQ(f.era, "1");

  // Missing label and era read as empty.
  f = Preset();
  f.label = "old";
  f.era = "old";
  EXPECT_EQ(ReadDate("   ", 4, &f), 0);
  EXPECT_EQ(f.label, "");
  EXPECT_EQ(f.era, "");
  EXPECT_EQ(f.year, -7);
  f = Preset();
  EXPECT_EQ(ReadDate("ERROR: no such time", 4, &f), 2);
  EXPECT_EQ(f.label, "ERRO");
  EXPECT_EQ(f.era, "R:");

  // Numbers beyond the int range saturate; signs are read.
  f = Preset();
  EXPECT_EQ(ReadDate("JST AD99999999999/-99999999999/+3 0:0:0", 4, &f), 8);
  EXPECT_EQ(f.year, INT_MAX);
  EXPECT_EQ(f.month, INT_MIN);
  EXPECT_EQ(f.day, 3);

  // Text of any length is read without overrun.
  f = Preset();
  const std::string longLabel(1 << 20, 'X');
  EXPECT_EQ(ReadDate(longLabel, 4, &f), 2);
  EXPECT_EQ(f.label, "XXXX");
  EXPECT_EQ(f.era, "XX");
  f = Preset();
  EXPECT_EQ(ReadDate("JST AD" + std::string(100000, '1') + "/1/1 0:0:0", 4, &f), 8);
  EXPECT_EQ(f.year, INT_MAX);
}
