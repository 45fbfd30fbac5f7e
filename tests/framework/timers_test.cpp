// The virtual clock's timers, the scripted prompt and the popup chooser.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/scripted_services.h"
#include "framework/wnd.h"

namespace {

// A window that records its timer messages as "name:id@time".
class TimerWnd : public CWnd {
 public:
  TimerWnd(CAppContext& ctx, CVirtualClock& clock, std::string name, std::vector<std::string>& log)
      : m_clock(clock), m_name(std::move(name)), m_log(log) {
    CreateEx(ctx, nullptr, CRect(0, 0, 10, 10), 1);
  }
  std::function<void(UINT_PTR)> onTimer;

 protected:
  void OnTimer(UINT_PTR id) override {
    m_log.push_back(m_name + ":" + std::to_string(id) + "@" + std::to_string(m_clock.Now()));
    if (onTimer) onTimer(id);
  }

 private:
  CVirtualClock& m_clock;
  std::string m_name;
  std::vector<std::string>& m_log;
};

}  // namespace

TEST(VirtualClock, FiresInDueOrderWithTiesInSettingOrder) {
  CScriptedServices s;
  CAppContext ctx = s.Context();
  std::vector<std::string> log;
  TimerWnd a(ctx, s.clock, "a", log), b(ctx, s.clock, "b", log);
  EXPECT_EQ(b.SetTimer(102, 30), 102u);
  a.SetTimer(100, 20);
  a.SetTimer(101, 30);
  EXPECT_EQ(s.clock.RunningCount(), 3);
  s.clock.Advance(19);
  EXPECT_TRUE(log.empty());
  s.clock.Advance(41);
  EXPECT_EQ(log, (std::vector<std::string>{"a:100@20", "b:102@30", "a:101@30", "a:100@40", "b:102@60",
                                            "a:100@60", "a:101@60"}));
  EXPECT_EQ(s.clock.Now(), 60);
  EXPECT_EQ(s.clock.Fired(), 7);
}

TEST(VirtualClock, HandlersKillAndRestartTimers) {
  CScriptedServices s;
  CAppContext ctx = s.Context();
  std::vector<std::string> log;
  TimerWnd w(ctx, s.clock, "w", log);
  // The hold timer (500 ms) starts the repeat timer (10 ms) and stops itself.
  w.onTimer = [&](UINT_PTR id) {
    if (id == 100) {
      w.KillTimer(100);
      w.SetTimer(101, 10);
    }
    if (id == 101 && s.clock.Now() >= 530) w.KillTimer(101);
  };
  w.SetTimer(100, 500);
  s.clock.Advance(1000);
  EXPECT_EQ(log, (std::vector<std::string>{"w:100@500", "w:101@510", "w:101@520", "w:101@530"}));
  EXPECT_FALSE(s.clock.IsRunning(&w, 100));
  EXPECT_FALSE(s.clock.IsRunning(&w, 101));
  EXPECT_EQ(s.clock.RunningCount(), 0);

  // Setting a running id restarts it from now.
  log.clear();
  w.onTimer = nullptr;
  w.SetTimer(5, 100);
  s.clock.Advance(60);
  w.SetTimer(5, 100);
  s.clock.Advance(100);
  EXPECT_EQ(log, (std::vector<std::string>{"w:5@1160"}));
  EXPECT_TRUE(w.KillTimer(5));
  EXPECT_FALSE(w.KillTimer(5)) << "killing a stopped timer does nothing";
  EXPECT_FALSE(w.KillTimer(0));

  // Intervals below the platform's minimum run at 10 ms.
  log.clear();
  w.SetTimer(7, 0);
  s.clock.Advance(25);
  EXPECT_EQ(log.size(), 2u);
}

TEST(VirtualClock, DestroyingAWindowStopsItsTimers) {
  CScriptedServices s;
  CAppContext ctx = s.Context();
  std::vector<std::string> log;
  auto w = std::make_unique<TimerWnd>(ctx, s.clock, "w", log);
  w->SetTimer(1, 10);
  w->SetTimer(2, 10);
  TimerWnd other(ctx, s.clock, "o", log);
  other.SetTimer(1, 10);
  // A handler that destroys the window of the next due timer.
  other.onTimer = [&](UINT_PTR) { w.reset(); };
  s.clock.Advance(10);
  EXPECT_EQ(log, (std::vector<std::string>{"w:1@10", "w:2@10", "o:1@10"}));
  log.clear();
  s.clock.Advance(10);
  EXPECT_EQ(log, (std::vector<std::string>{"o:1@20"}));
  EXPECT_EQ(s.clock.RunningCount(), 1);
  other.DestroyWindow();
  EXPECT_EQ(s.clock.RunningCount(), 0);
}

