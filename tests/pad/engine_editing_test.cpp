// A long hold against the embedded sky-chart engine: twenty thousand
// steps move the engine's time by as many seconds as the calendar library
// counts, and the pad shows what the engine then holds.  (The other edits
// against the engine are recorded sessions in tests/app/scripts.)
#include <string_view>
#include <tuple>

#include "pad_fixture.h"
#include "pad/replies.h"
#include "sky/engine.h"

namespace {

class EngineEditingTest : public PadTest {
 protected:
  EngineEditingTest() { rig.engine = &engine; }

  double Number(const char* query) { return replies::ReadNumber(engine.Execute(query)); }

  CSkyEngine engine;
};

TEST_F(EngineEditingTest, LongHoldOnTheSecondsMovesTheTimeByOneSecondPerStep) {
  Build();
  ASSERT_EQ(P().TimeSys(), 0);
  const tagADATE before{P().Year(), P().Month(), P().Day(), P().Hour(), P().Minute(), double(P().Second()), 0.0};
  const double jdBefore = Number("? Time.jd");
  int steps = 0;
  engine.SetCommandObserver([&steps](std::string_view command, std::string_view) {
    if (command.substr(0, 7) == "Time = ") ++steps;
  });

  Send(WM_LBUTTONDOWN, P().DateCell(19));
  Advance(500 + 10 * 20500);
  Send(WM_LBUTTONUP, P().DateCell(19));
  engine.SetCommandObserver(nullptr);
  ASSERT_GE(steps, 20000);  // the click and one step per repeat tick

  tagADATE expected = before;
  const tagADATEDIFF diff{0, 0, 0, 0, 0, double(steps)};
  ChangeDate(&expected, &diff, 0);
  replies::DateFields now;  // the engine's Japan standard time as the pad reads it
  replies::ReadDate(engine.Execute("? JST(Time)"), 4, &now);
  EXPECT_EQ(std::make_tuple(now.year, now.month, now.day, now.hour, now.minute, now.second),
            std::make_tuple(expected.nYear, expected.nMonth, expected.nDay, expected.nHour, expected.nMinute,
                            int(expected.dSecond)));
  EXPECT_NEAR((Number("? Time.jd") - jdBefore) * 86400.0, double(steps), 1e-3);
  // The pad shows what the engine holds.
  EXPECT_EQ(P().Hour(), now.hour);
  EXPECT_EQ(P().Second(), now.second);
}

}  // namespace
