// Reading replies: decimal numbers only, exact truth, number pairs, and
// date replies read as the label/era/date/time patterns read them.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>
#include <tuple>

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

TEST(Replies, DateRepliesFollowTheScanPatterns) {
  constexpr int k = -7;  // a field the reply does not supply keeps its value
  const struct {
    std::string text;
    int labelWidth, read;
    const char *label, *era;
    int year, month, day, hour, minute, second;
  } cases[] = {
      {"JST AD2006/04/01 21:30:15", 4, 8, "JST", "AD", 2006, 4, 1, 21, 30, 15},
      // Blanks: any run between label and era, before each number; none is
      // allowed before a "/" or ":".
      {"  LMT   BC  100/ 1/2   3: 4:5", 4, 8, "LMT", "BC", 100, 1, 2, 3, 4, 5},
      {"JST AD2006 /04/01 21:30:15", 4, 3, "JST", "AD", 2006, k, k, k, k, k},
      // The label takes at most four (three) characters; the rest runs on
      // into the era.
      {"ABCDE AD2006/1/1 0:0:0", 4, 2, "ABCD", "E", k, k, k, k, k, k},
      {"JST AD2006/1/1 0:0:0", 3, 8, "JST", "AD", 2006, 1, 1, 0, 0, 0},
      {"UTC1 AD2006/1/1 0:0:0", 3, 2, "UTC", "1", k, k, k, k, k, k},
      // Missing label and era read as empty.
      {"   ", 4, 0, "", "", k, k, k, k, k, k},
      {"ERROR: no such time", 4, 2, "ERRO", "R:", k, k, k, k, k, k},
      // Numbers beyond the int range saturate; signs are read.
      {"JST AD99999999999/-99999999999/+3 0:0:0", 4, 8, "JST", "AD", INT_MAX, INT_MIN, 3, 0, 0, 0},
      // Text of any length is read without overrun.
      {std::string(1 << 20, 'X'), 4, 2, "XXXX", "XX", k, k, k, k, k, k},
      {"JST AD" + std::string(100000, '1') + "/1/1 0:0:0", 4, 8, "JST", "AD", INT_MAX, 1, 1, 0, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 40));
    DateFields f;
    f.label = f.era = "old";
    f.year = f.month = f.day = f.hour = f.minute = f.second = k;
    EXPECT_EQ(ReadDate(c.text, c.labelWidth, &f), c.read);
    EXPECT_EQ(std::tie(f.label, f.era, f.year, f.month, f.day, f.hour, f.minute, f.second),
              std::make_tuple(std::string(c.label), std::string(c.era), c.year, c.month, c.day, c.hour, c.minute,
                              c.second));
  }
}
