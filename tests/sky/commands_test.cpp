// The command language: blanks and empty statements, hostile texts.  (The
// app's recorded sessions engine_replies and engine_refusals hold every
// command the pad sends and every refusal, with their replies.)
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "sky_test_util.h"

using skytest::Snapshot;

// Blanks, line ends and empty statements around a command (the session
// engine_replies in the app's recorded sessions holds every command the
// pad sends, with its reply, in order).
TEST(Commands, BlanksLineEndsAndEmptyStatements) {
  const std::pair<const char*, const char*> session[] = {
      {"  ?   Time.jd  ;  ", "2451545"}, {"\t? Time.jd\r\n", "2451545"}, {"", ""}, {" ; show lumiral", ""}};
  CSkyEngine e;
  for (const auto& [command, reply] : session) EXPECT_EQ(e.Execute(command), reply) << command;
  // The pad reads a BC year into astronomical numbering, and five decimals
  // of the Julian date survive at the far end of the range.
  e.Execute("Time = UT(-99,3,1,0,0,0)");
  EXPECT_EQ(skytest::ReadPadDate(e.Execute("? JST(Time)")).year, -99);
  CSkyEngine fresh;
  EXPECT_NEAR(skytest::Number(fresh, "? Solar.Moon.age"), 24.56, 0.02);  // new moon 1999-12-07 22:32 UT
}

TEST(Grammar, HostileTexts) {
  CSkyEngine e;
  const std::string before = Snapshot(e);
  EXPECT_EQ(e.Execute(static_cast<const char*>(nullptr)), "ERROR: no command");

  // Bounded work: a text over 64 KiB is refused unread, one of 64 KiB runs.
  std::string huge(CSkyEngine::kMaxCommandBytes + 1, ' ');
  EXPECT_EQ(e.Execute(huge.c_str()).rfind("ERROR: the command is longer than 65536 bytes", 0), 0u);
  huge.pop_back();
  EXPECT_EQ(e.Execute(huge.c_str()), "");
  std::string many;
  while (many.size() + 10 <= CSkyEngine::kMaxCommandBytes) many += "? Time.jd;";
  const std::string answers = e.Execute(many);
  EXPECT_EQ(std::count(answers.begin(), answers.end(), ';') + 1,
            static_cast<long>(many.size() / 10));

  // A NUL ends a C string; the string_view form refuses it.
  const char withNul[] = "? Time.Timezone\0Time.Timezone = 1";
  EXPECT_EQ(e.Execute(withNul), "9");
  EXPECT_EQ(e.Execute(std::string_view(withNul, sizeof withNul - 1)),
            "ERROR: the command holds a NUL character at byte 15");

  // Malformed UTF-8: stray continuation, overlong, surrogate, cut short,
  // beyond U+10FFFF.
  for (const char* bad : {"? Time.jd \x80", "? Time.jd \xC0\xAF", "? Time.jd \xED\xA0\x80",
                          "? Time.jd \xE3\x81", "? Time.jd \xF4\x90\x80\x80", "\xFF"}) {
    EXPECT_EQ(e.Execute(bad).rfind("ERROR: the command is not valid UTF-8 (byte ", 0), 0u) << bad;
  }
  // Well-formed non-ASCII text is echoed intact in the error.
  EXPECT_EQ(e.Execute("Star.Catalog = \"星表\""),
            "ERROR: statement 1 \"Star.Catalog = \"星表\"\": unknown catalogue \"星表\" "
            "(Hipparcos, GSC-ACT, Tycho2 or Tycho)");
  // A long statement is cut in the error, at a character boundary.
  const std::string longName = "? " + std::string(30, 'x') + std::string(20, 'y') + "星星星";
  const std::string reply = e.Execute(longName);
  EXPECT_NE(reply.find("...\": unknown property"), std::string::npos) << reply;
  EXPECT_EQ(Snapshot(e), before);
}
