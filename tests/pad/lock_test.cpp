// The question that releases the host's time lock.
#include <functional>

#include "pad_fixture.h"

namespace {

// A prompt that looks at the pad while the question is open.
class CWatchingPrompt : public IPrompt {
 public:
  std::function<void()> onAsk;
  int answer = IDNO;
  int MessageBox(const QString& text, UINT type) override {
    texts.push_back(text);
    types.push_back(type);
    if (onAsk) onAsk();
    return answer;
  }
  std::vector<QString> texts;
  std::vector<UINT> types;
};

}  // namespace

class LockTest : public PadTest {
 protected:
  void BuildLocked() {
    Host().Reply("? Time.Lock", "TRUE");
    Build();
    rig.ctx.prompt = &prompt;
  }
  CWatchingPrompt prompt;
};

TEST_F(LockTest, UnlockedOrNotExactlyTrueAsksNothing) {
  for (const char* reply : {"FALSE", "true", "TRUE ", ""}) {
    Host().Reply("? Time.Lock", reply);
    if (!rig.pad) Build();
    rig.ctx.prompt = &prompt;
    Host().ClearSent();
    EXPECT_TRUE(P().TurnOffSpecialTime(0)) << reply;
    EXPECT_EQ(Sent(), std::vector<std::string>{"? Time.Lock"});
  }
  EXPECT_TRUE(prompt.texts.empty());
}

TEST_F(LockTest, YesReleasesTheLockNoKeepsIt) {
  BuildLocked();
  BOOL askingDuringQuestion = FALSE;
  prompt.onAsk = [&] { askingDuringQuestion = P().AskingLock(); };

  prompt.answer = IDYES;
  EXPECT_TRUE(P().TurnOffSpecialTime(0));
  EXPECT_TRUE(askingDuringQuestion);
  EXPECT_FALSE(P().AskingLock());
  EXPECT_EQ(Sent(), (std::vector<std::string>{"? Time.Lock", "Time.Lock = FALSE; Show Lumiral"}));
  ASSERT_EQ(prompt.texts.size(), 1u);
  EXPECT_EQ(prompt.texts[0], QString::fromUtf8("\"時刻の固定(日時ダイアログ)\"を解除して時間を変更します。"));
  EXPECT_EQ(prompt.types[0], MB_YESNO | MB_ICONEXCLAMATION);

  Host().ClearSent();
  prompt.answer = IDNO;
  askingDuringQuestion = FALSE;
  EXPECT_FALSE(P().TurnOffSpecialTime(0));
  EXPECT_TRUE(askingDuringQuestion);
  EXPECT_FALSE(P().AskingLock());
  EXPECT_EQ(Sent(), std::vector<std::string>{"? Time.Lock"});

  // The wording for the start of an animation.
  P().TurnOffSpecialTime(1);
  EXPECT_EQ(prompt.texts.back(),
            QString::fromUtf8("\"時刻の固定(日時ダイアログ)\"を解除してアニメーションを開始します。"));
}

TEST_F(LockTest, AutoRepeatStopsBeforeTheQuestion) {
  BuildLocked();
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
                       !clock.IsRunning(&Pad(), 102) && !Pad().HasCapture() && !P().LButton() &&
                       !P().RButton();
  };
  P().TurnOffSpecialTime(0);
  EXPECT_TRUE(stoppedWhenAsked);
  EXPECT_EQ(P().TimerL1(), UINT(-1));
  EXPECT_EQ(P().TimerL2(), UINT(-1));
  EXPECT_EQ(P().TimerR1(), UINT(-1));
  EXPECT_EQ(P().TimerR2(), UINT(-1));

  // Whatever is left of a hold stops too.
  P().TimerR2() = UINT(Pad().SetTimer(103, 10));
  P().RButton() = TRUE;
  P().TurnOffSpecialTime(0);
  EXPECT_FALSE(clock.IsRunning(&Pad(), 103));
  EXPECT_FALSE(P().RButton());
}
