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

TEST(Replies, NumbersIntegersTruthAndPairs) {
  const struct { std::string text; double number; } numbers[] = {
      {"  12abc", 12.0}, {"\t-3.25;7", -3.25}, {"+6.5", 6.5}, {".5", 0.5}, {"5.", 5.0},
      {"2.5e2xyz", 250.0}, {"7e", 7.0}, {"7e+", 7.0},  // an exponent without digits is not part of it
      {"2453827.02101", 2453827.02101},
      // Not decimal numbers: read as 0 (or as far as they are decimal).
      {"0x1A", 0.0}, {"inf", 0.0}, {"-infinity", 0.0}, {"nan", 0.0}, {"", 0.0}, {".", 0.0}, {"-", 0.0},
      {"TRUE", 0.0},
      // Beyond the double range: infinite or zero as the C library reads them.
      {"1e999", HUGE_VAL}, {"-1e999", -HUGE_VAL}, {"1e-999", 0.0}, {std::string(400, '9'), HUGE_VAL},
      {std::string("12\0" "34", 5), 12.0},  // the text ends at a NUL, as a C string does
  };
  for (const auto& c : numbers) EXPECT_EQ(ReadNumber(c.text), c.number) << c.text;
  EXPECT_EQ(ReadNumber(static_cast<const char*>(nullptr)), 0.0);
  EXPECT_DOUBLE_EQ(ReadNumber("0." + std::string(100000, '3')), 1.0 / 3.0);  // no overrun

  const struct { const char* text; int value; } ints[] = {
      {"12.9", 12}, {"-3.9", -3}, {"1e20", INT_MAX}, {"-1e20", INT_MIN}, {"abc", 0}};
  for (const auto& c : ints) EXPECT_EQ(ReadInt(c.text), c.value) << c.text;

  for (const char* text : {"true", "TRUE ", " TRUE", "FALSE", ""}) EXPECT_FALSE(ReadTruth(text)) << text;
  EXPECT_TRUE(ReadTruth("TRUE"));

  // Pairs split at the first semicolon; without one the second is 0.
  const struct { const char* text; double a, b; } pairs[] = {
      {"135.5;35", 135.5, 35.0}, {"135.5; 35", 135.5, 35.0}, {"-12.25", -12.25, 0.0}, {"1;2;3", 1.0, 2.0}};
  for (const auto& c : pairs) {
    double a = -1, b = -1;
    ReadNumberPair(c.text, &a, &b);
    EXPECT_EQ(a, c.a) << c.text;
    EXPECT_EQ(b, c.b) << c.text;
  }
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
