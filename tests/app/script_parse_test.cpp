// Reading recorded sessions: every action's form, and the refusals that
// must stop a run before anything happens.
#include <gtest/gtest.h>

#include "app/script.h"

using lumira::MouseAction;
using lumira::MouseButton;
using lumira::ParseScript;
using lumira::ParseScriptLine;
using lumira::ScriptError;
using lumira::ScriptLine;
using lumira::ScriptTarget;

namespace {

ScriptLine Parse(const QString& text) {
  ScriptLine line;
  QString error;
  EXPECT_TRUE(ParseScriptLine(text, 1, &line, &error)) << text.toStdString() << ": " << error.toStdString();
  return line;
}

QString Refusal(const QString& text) {
  ScriptLine line;
  QString error;
  EXPECT_FALSE(ParseScriptLine(text, 1, &line, &error)) << text.toStdString();
  return error;
}

}  // namespace

TEST(ScriptParse, BlankLinesAndCommentsAreSkipped) {
  ScriptLine line;
  QString error;
  for (const char* text : {"", "   ", "\t", "# a comment", "   # indented comment", "\r"}) {
    EXPECT_FALSE(ParseScriptLine(text, 3, &line, &error)) << text;
    EXPECT_TRUE(error.isEmpty()) << text;
  }
}

TEST(ScriptParse, HostAndSetKeepTheirTextVerbatim) {
  ScriptLine host = Parse("host Time = UT(2006,1,1,0,0,0) ; show lumiral");
  EXPECT_EQ(host.kind, ScriptLine::Kind::Host);
  EXPECT_EQ(host.text, "Time = UT(2006,1,1,0,0,0) ; show lumiral");

  ScriptLine set = Parse("set 6033   3 0.5");
  EXPECT_EQ(set.kind, ScriptLine::Kind::Set);
  EXPECT_EQ(set.id, 6033);
  EXPECT_EQ(set.text, "3 0.5");
  EXPECT_EQ(Parse("set 1000").text, "");             // clears the edit
  EXPECT_EQ(Parse("set 1003 日本\r").text, "日本");  // CRLF scripts read the same
  EXPECT_EQ(Refusal("host"), "host needs a command");
}

TEST(ScriptParse, UpdateFlagsInDecimalAndHex) {
  EXPECT_EQ(Parse("update 255").flags, 255u);
  EXPECT_EQ(Parse("update 0x18").flags, 0x18u);
  EXPECT_EQ(Parse("update 0XFF").flags, 0xFFu);
  Refusal("update");
  Refusal("update -1");
  Refusal("update 0xZZ");
  Refusal("update 1 2");
}

TEST(ScriptParse, MouseLinesWithEveryTarget) {
  ScriptLine click = Parse("click left digit 13");
  EXPECT_EQ(click.kind, ScriptLine::Kind::Mouse);
  EXPECT_EQ(click.action, MouseAction::Click);
  EXPECT_EQ(click.button, MouseButton::Left);
  EXPECT_EQ(click.target.kind, ScriptTarget::Kind::Digit);
  EXPECT_EQ(click.target.digit, 13);
  EXPECT_FALSE(click.shift);

  ScriptLine press = Parse("press right 60,9 shift");
  EXPECT_EQ(press.action, MouseAction::Press);
  EXPECT_EQ(press.button, MouseButton::Right);
  EXPECT_EQ(press.target.kind, ScriptTarget::Kind::Point);
  EXPECT_EQ(press.target.x, 60);
  EXPECT_EQ(press.target.y, 9);
  EXPECT_TRUE(press.shift);

  EXPECT_EQ(Parse("release middle era").target.kind, ScriptTarget::Kind::Era);
  EXPECT_EQ(Parse("dblclick left timesys").action, MouseAction::DoubleClick);
  EXPECT_EQ(Parse("click left arrow").target.kind, ScriptTarget::Kind::Arrow);
  EXPECT_EQ(Parse("click left bar").target.kind, ScriptTarget::Kind::Bar);
  EXPECT_EQ(Parse("click left digit 43").target.digit, 43);

  EXPECT_EQ(Refusal("click up digit 1"), "unknown button \"up\"");
  EXPECT_EQ(Refusal("click left digit 36"), "digit needs an index 0..35 or 40..43");
  Refusal("click left digit 44");
  Refusal("click left digit -1");
  Refusal("click left digit");
  Refusal("click left");
  Refusal("click left 3;4");
  EXPECT_EQ(Refusal("click left era shift now"), "unexpected \"now\"");
}

TEST(ScriptParse, WheelMoveShiftWaitAnswerMenu) {
  ScriptLine wheel = Parse("wheel -120 digit 19 shift");
  EXPECT_EQ(wheel.kind, ScriptLine::Kind::Wheel);
  EXPECT_EQ(wheel.delta, -120);
  EXPECT_EQ(wheel.target.digit, 19);
  EXPECT_TRUE(wheel.shift);
  Refusal("wheel 40000 era");
  Refusal("wheel up era");

  EXPECT_EQ(Parse("move 3,3").kind, ScriptLine::Kind::Move);
  EXPECT_TRUE(Parse("shift down").shift);
  EXPECT_FALSE(Parse("shift up").shift);
  Refusal("shift");

  EXPECT_EQ(Parse("wait 1000").milliseconds, 1000);
  Refusal("wait -5");
  Refusal("wait soon");

  EXPECT_TRUE(Parse("answer yes").yes);
  EXPECT_FALSE(Parse("answer no").yes);
  Refusal("answer maybe");

  EXPECT_EQ(Parse("menu UT").text, "UT");
  Refusal("menu");

  EXPECT_EQ(Parse("keyup plus").action, MouseAction::Release);
  Refusal("key space");
  Refusal("keydown");
  EXPECT_EQ(Refusal("key tab shift now"), "unexpected \"now\"");
}

TEST(ScriptParse, DialogLinesAndSwitches) {
  EXPECT_TRUE(Parse("dialog date").dateDialog);
  EXPECT_FALSE(Parse("dialog obs").dateDialog);
  Refusal("dialog time");
  ScriptLine select = Parse("select 6029 1");
  EXPECT_EQ(select.id, 6029);
  EXPECT_EQ(select.index, 1);
  Refusal("select 6029");
  Refusal("select 6029 -1");
  EXPECT_EQ(Parse("check 1076").id, 1076);
  EXPECT_EQ(Parse("ok").kind, ScriptLine::Kind::Ok);
  EXPECT_EQ(Parse("cancel").kind, ScriptLine::Kind::Cancel);
  Refusal("ok now");
  EXPECT_TRUE(Parse("enable 1").enable);
  EXPECT_FALSE(Parse("enable 0").enable);
  Refusal("enable 2");
  EXPECT_EQ(Parse("show").kind, ScriptLine::Kind::Show);
  EXPECT_EQ(Refusal("jump 3"), "unknown action \"jump\"");
  EXPECT_EQ(Refusal("Show"), "unknown action \"Show\"");
}

TEST(ScriptParse, WholeScriptKeepsLineNumbersAndStopsAtTheFirstBadLine) {
  std::vector<ScriptLine> lines;
  ScriptError error;
  ASSERT_TRUE(ParseScript("# hour up\n\nclick left digit 13\r\nshow\n", &lines, &error));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].lineNumber, 3);
  EXPECT_EQ(lines[1].lineNumber, 4);

  lines.clear();
  EXPECT_FALSE(ParseScript("show\nshow\nfly away\nshow\n", &lines, &error));
  EXPECT_EQ(error.lineNumber, 3);
  EXPECT_EQ(error.message, "unknown action \"fly\"");
  EXPECT_TRUE(lines.empty());

  // A dialog's lines need the dialog line above them.
  EXPECT_FALSE(ParseScript("show\nset 1000 2006\n", &lines, &error));
  EXPECT_EQ(error.lineNumber, 2);
  EXPECT_TRUE(ParseScript("dialog date\nset 1000 2006\ncheck 1077\nok\n", &lines, &error));
  EXPECT_FALSE(ParseScript("dialog obs\nok\nshow\ncancel\n", &lines, &error));
  EXPECT_EQ(error.lineNumber, 4);
}
