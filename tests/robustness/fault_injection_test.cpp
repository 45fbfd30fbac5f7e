// A host call that fails at any point of a session that touches every
// operation: for each call N of the session, the Nth call throws, and
// (in turn) answers with one kind of garbage.  The pad must abandon only
// the failing operation, let nothing of a mouse action or a question
// outlive it, swallow nothing but the host's own failure, and step
// normally afterwards.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "pad/replies.h"
#include "pad_session.h"

namespace {

constexpr int kShards = 4;

// The garbage kinds, taken in turn by successive calls.
constexpr Fault kGarbage[] = {Fault::RandomBytes, Fault::HugeText, Fault::NaN,  Fault::MinusInf,
                              Fault::WildDate,    Fault::BareWildDate, Fault::True, Fault::Empty};

class FaultSessionTest : public ::testing::Test {
 protected:
  // Each run starts from the same place: the engine's default state, the
  // pad in Japan standard time, no answers left from the last run.
  void Prepare() {
    s.host.Heal();
    s.engine.Reset();
    s.rig.services.prompt = CScriptedPrompt();
    s.rig.services.modal = CScriptedModalRunner();
    s.rig.services.popup = CScriptedPopup();
    s.rig.services.keyboard.SetShift(false);
    s.rig.animation = 0;
    s.ChangeTz("JST");
    s.rig.frame->changes.clear();
  }

  // After the failing run, with the host healthy again: the pad is idle,
  // and a left click on the hour steps the engine's time by one hour with
  // the command the pad's date calls for.
  void ExpectWorksNormally(const std::string& what) {
    SCOPED_TRACE(what);
    s.host.Heal();
    EXPECT_TRUE(s.P().Idle()) << s.P().BusyState();
    EXPECT_EQ(s.rig.services.clock.RunningCount(), 0);
    EXPECT_EQ(s.Pad().GetEnable(), 1);

    s.engine.Reset();
    s.rig.services.prompt = CScriptedPrompt();
    s.ChangeTz("JST");
    ASSERT_EQ(s.P().TimeSys(), 0);
    replies::DateFields jst;
    replies::ReadDate(s.engine.Execute("? JST(Time)"), 4, &jst);
    tagADATE expected{jst.year, jst.month, jst.day, jst.hour, jst.minute, double(jst.second), 0.0};
    const tagADATEDIFF hour{0, 0, 0, 1, 0, 0.0};
    ChangeDate(&expected, &hour, 0);
    char command[160];
    std::snprintf(command, sizeof command, "Time = LST(%d,%d,%d,%d,%d,%d,9.000000) ; show lumiral",
                  expected.nYear, expected.nMonth, expected.nDay, expected.nHour, expected.nMinute,
                  int(expected.dSecond));

    const int64_t before = s.engine.State().time.seconds;
    std::vector<std::string> sent;
    s.engine.SetCommandObserver([&sent](std::string_view c, std::string_view) {
      if (c.substr(0, 7) == "Time = ") sent.emplace_back(c);
    });
    s.rig.frame->changes.clear();
    s.LeftClick(s.P().DateCell(13));
    s.engine.SetCommandObserver(nullptr);

    EXPECT_EQ(sent, std::vector<std::string>{command});
    EXPECT_EQ(s.engine.State().time.seconds - before, 3600);
    EXPECT_EQ(s.P().Hour(), expected.nHour);
    EXPECT_EQ(s.rig.frame->changes, std::vector<std::string>{"DATE"});
  }

  CPadSession s;
};

class FaultInjection : public FaultSessionTest, public ::testing::WithParamInterface<int> {};

TEST_F(FaultSessionTest, TheSessionRunsCleanAndReachesEveryKindOfCommand) {
  Prepare();
  std::vector<std::string> sent;
  s.engine.SetCommandObserver([&sent](std::string_view c, std::string_view) { sent.emplace_back(c); });
  CAbandonLog abandoned;
  const int before = s.host.Calls();
  s.Run();
  s.engine.SetCommandObserver(nullptr);
  EXPECT_TRUE(abandoned.entries.empty());
  std::printf("the session makes %d host calls\n", s.host.Calls() - before);

  auto seen = [&](const char* prefix) {
    for (const std::string& c : sent) {
      if (c.rfind(prefix, 0) == 0) return true;
    }
    return false;
  };
  for (const char* prefix :
       {"Time = LST(", "Time = UT(", "Time = LMT(", "Location = Location(", "Time.Timezone = ",
        "Star.AutoMagnitudeLimit.Minimum = ", "Time.Lock = FALSE", "animation.time = false", "Stop Lumiral",
        "Animation.Time.Realtime = TRUE", "? Star.Catalog", "? Time.SiderealTime", "? Time.jd",
        "? UT(Time)", "? LMT(Time)", "? LST(Time)", "? View.Track", "? location.longitude"}) {
    EXPECT_TRUE(seen(prefix)) << prefix;
  }
  EXPECT_EQ(s.rig.services.modal.Runs(), 3);
  ExpectWorksNormally("after the clean session");
}

TEST_P(FaultInjection, EveryCallOfTheSessionMayFail) {
  Prepare();
  const int first = s.host.Calls();
  s.Run();
  const int calls = s.host.Calls() - first;
  ASSERT_GT(calls, 100);

  for (int n = GetParam() + 1; n <= calls; n += kShards) {
    for (Fault fault : {Fault::Throw, kGarbage[(n / kShards) % std::size(kGarbage)]}) {
      const std::string what = "call " + std::to_string(n) + " of " + std::to_string(calls) + ": " + FaultName(fault);
      Prepare();
      CAbandonLog abandoned;
      s.host.FailOnCall(n, fault, std::uint32_t(n));
      s.Run();
      EXPECT_TRUE(s.host.Failed()) << what;
      s.host.ResetFailed();
      // Only the host's own failure is stopped at the window's edge.
      for (const std::string& entry : abandoned.entries) {
        EXPECT_NE(entry.find("injected host failure"), std::string::npos) << what << ": " << entry;
      }
      if (fault != Fault::Throw) {
        EXPECT_TRUE(abandoned.entries.empty()) << what;
      }
      ExpectWorksNormally(what);
      if (HasFailure()) return;  // one broken call is enough to read
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Shards, FaultInjection, ::testing::Range(0, kShards));

}  // namespace
