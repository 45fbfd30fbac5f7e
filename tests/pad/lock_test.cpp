// The question that releases the host's time lock: that the pad is asking
// while it is open, what each answer sends, and that a hold has stopped
// before it (which digits ask, and the texts, are in recorded sessions).
#include <functional>

#include "pad_fixture.h"

namespace {

// A prompt that looks at the pad while the question is open.
class CWatchingPrompt : public IPrompt {
 public:
  std::function<void()> onAsk;
  int answer = IDNO;
  int MessageBox(const QString& text, UINT type) override {
    shown.emplace_back(text, type);
    if (onAsk) onAsk();
    return answer;
  }
  std::vector<std::pair<QString, UINT>> shown;
};

const char* const kRelease = "Time.Lock = FALSE; Show Lumiral";
const char* const kNextSecond = "Time = LST(2006,4,1,21,30,16,9.000000) ; show lumiral";

class LockTest : public PadTest {
 protected:
  CWatchingPrompt prompt;
};

TEST_F(LockTest, WhichStepsAskAndWhatEachAnswerSends) {
  Build();
  rig.ctx.prompt = &prompt;
  // The host's reply to "? Time.Lock", the digit, the answer, whether the
  // step asks and the commands that go out (queries left out).
  const struct { const char* lock; int digit, answer; bool asks; std::vector<std::string> commands; } cases[] = {
      {"TRUE", 19, IDYES, true, {kRelease, kNextSecond}},
      {"TRUE", 19, IDNO, true, {}},  // declined: dropped, nothing re-read, nobody told
      {"TRUE ", 19, IDNO, false, {kNextSecond}},  // only exactly TRUE is a lock
      {"TRUE", 10, IDNO, false, {"Time = LST(2006,4,2,21,30,15,9.000000) ; show lumiral"}},
  };
  // Outlives the loop: the prompt's watcher still writes it at the
  // animation's question below.
  BOOL askingDuringQuestion = FALSE;
  prompt.onAsk = [&] { askingDuringQuestion = P().AskingLock(); };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.lock << " digit " << c.digit << " answer " << c.answer);
    Host().Reply("? Time.Lock", c.lock);
    prompt.answer = c.answer;
    prompt.shown.clear();
    askingDuringQuestion = FALSE;
    SetDate(0, 2006, 4, 1, 21, 30, 15, 9.0);
    Host().ClearSent();
    const size_t told = rig.Changes().size();
    Step(c.digit, true);
    std::vector<std::string> commands;
    for (const std::string& s : Sent())
      if (s.rfind("? ", 0) != 0) commands.push_back(s);
    EXPECT_EQ(commands, c.commands);
    ASSERT_EQ(prompt.shown.size(), c.asks ? 1u : 0u);
    EXPECT_EQ(askingDuringQuestion, c.asks);
    EXPECT_FALSE(P().AskingLock());
    EXPECT_EQ(rig.Changes().size(), told + (c.commands.empty() ? 0 : 1));
    if (c.asks) {
      EXPECT_EQ(prompt.shown[0].second, MB_YESNO | MB_ICONEXCLAMATION);
    }
    if (c.answer == IDNO) {
      EXPECT_EQ(P().Second(), 15);
    }
  }
  // While the question is open a nested step does not ask again.
  Host().Reply("? Time.Lock", "TRUE");
  prompt.shown.clear();
  P().AskingLock() = 1;
  Step(16, true);
  EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(LockTest, AutoRepeatStopsBeforeTheQuestion) {
  Host().Reply("? Time.Lock", "TRUE");
  Build();
  rig.ctx.prompt = &prompt;
  CVirtualClock& clock = rig.services.clock;
  // A left hold in its repeat phase and a right hold still waiting.
  P().TimerL1() = UINT(Pad().SetTimer(100, 500));
  P().TimerL2() = UINT(Pad().SetTimer(101, 10));
  P().LButton() = TRUE;
  P().TimerR1() = UINT(Pad().SetTimer(102, 500));
  P().RButton() = TRUE;
  Pad().SetCapture();
  bool stoppedWhenAsked = false;
  prompt.onAsk = [&] {
    stoppedWhenAsked = !clock.IsRunning(&Pad(), 100) && !clock.IsRunning(&Pad(), 101) &&
                       !clock.IsRunning(&Pad(), 102) && !Pad().HasCapture() && P().AllTimersIdle() &&
                       !P().LButton() && !P().RButton();
  };
  P().TurnOffSpecialTime(0);
  EXPECT_TRUE(stoppedWhenAsked);
  // Whatever is left of a hold stops too.
  P().TimerR2() = UINT(Pad().SetTimer(103, 10));
  P().RButton() = TRUE;
  P().TurnOffSpecialTime(0);
  EXPECT_FALSE(clock.IsRunning(&Pad(), 103));
  EXPECT_TRUE(P().Idle());
}

}  // namespace
