// Reading recorded sessions: the forms the replays do not show, and the
// refusals that must stop a run before anything happens.
#include <gtest/gtest.h>

#include "app/script.h"

using lumira::ParseScript;
using lumira::ParseScriptLine;
using lumira::ScriptError;
using lumira::ScriptLine;
using lumira::ScriptTarget;

TEST(ScriptParse, ReadsEveryFormAndRefusesTheRest) {
  ScriptLine line;
  QString error;
  for (const char* text : {"", "   ", "\t", "# a comment", "   # indented comment", "\r"}) {
    EXPECT_FALSE(ParseScriptLine(text, 3, &line, &error)) << text;
    EXPECT_TRUE(error.isEmpty()) << "skipped, not refused: " << text;
  }
  auto parse = [&](const char* text) {
    line = ScriptLine{};
    EXPECT_TRUE(ParseScriptLine(QString::fromUtf8(text), 1, &line, &error)) << text << ": " << error.toStdString();
    return line;
  };
  EXPECT_EQ(parse("set 6033   3 0.5").text, "3 0.5");
  EXPECT_EQ(parse("set 1000").text, "");
  EXPECT_EQ(parse("set 1003 日本\r").text, "日本") << "CRLF scripts read the same";
  EXPECT_EQ(parse("update 0XFF").flags, 0xFFu);
  const ScriptLine press = parse("press right 60,9 shift");
  EXPECT_TRUE(press.target.kind == ScriptTarget::Kind::Point && press.target.x == 60 && press.target.y == 9 && press.shift);

  struct Refusal {
    const char* text;
    const char* message;  // "" when any message will do
  };
  const Refusal refusals[] = {
      {"host", "host needs a command"}, {"choose", "choose needs a name"}, {"update 0xZZ", ""}, {"update 1 2", ""},
      {"click up digit 1", "unknown button \"up\""}, {"click left digit 36", "digit needs an index 0..35 or 40..43"},
      {"click left digit 44", ""}, {"click left digit -1", ""}, {"click left", ""},
      {"click left era shift now", "unexpected \"now\""}, {"wheel 40000 era", ""}, {"wait -5", ""},
      {"answer maybe", ""}, {"key space", ""}, {"dialog time", ""}, {"select 6029 -1", ""}, {"enable 2", ""},
      {"Show", "unknown action \"Show\""},
  };
  for (const Refusal& r : refusals) {
    EXPECT_FALSE(ParseScriptLine(QString::fromUtf8(r.text), 1, &line, &error)) << r.text;
    if (*r.message) {
      EXPECT_EQ(error.toStdString(), r.message) << r.text;
    }
    EXPECT_FALSE(error.isEmpty()) << r.text;
  }
}

TEST(ScriptParse, WholeScriptKeepsLineNumbersAndStopsAtTheFirstBadLine) {
  std::vector<ScriptLine> lines;
  ScriptError error;
  ASSERT_TRUE(ParseScript("# hour up\n\nclick left digit 13\r\nshow\n", &lines, &error));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1].lineNumber, 4);
  lines.clear();
  EXPECT_FALSE(ParseScript("show\nshow\nfly away\nshow\n", &lines, &error));
  EXPECT_EQ(error.lineNumber, 3);
  EXPECT_TRUE(lines.empty());
  // A dialog's lines need the dialog line above them.
  EXPECT_FALSE(ParseScript("show\nset 1000 2006\n", &lines, &error));
  EXPECT_EQ(error.lineNumber, 2);
  EXPECT_TRUE(ParseScript("dialog date\nset 1000 2006\ncheck 1077\nok\n", &lines, &error));
  EXPECT_FALSE(ParseScript("dialog obs\nok\nshow\ncancel\n", &lines, &error));
  EXPECT_EQ(error.lineNumber, 4);
}
