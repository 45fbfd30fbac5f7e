// Hostile texts to the command language.  (The recorded sessions engine_*
// and sky_range_ends hold the pad's commands and the refusals.)
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "sky/engine.h"

TEST(Grammar, HostileTexts) {
  CSkyEngine e;
  EXPECT_EQ(e.Execute(static_cast<const char*>(nullptr)), "ERROR: no command");
  EXPECT_EQ(e.Execute("\t? Time.jd\r\n"), "2451545") << "line ends are blanks";

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
  EXPECT_EQ(e.Execute("? Time.Timezone"), "9") << "nothing after the NUL ran";
}
