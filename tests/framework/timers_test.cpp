// The virtual clock: a window destroyed in a timer handler loses its
// timers, the others fire on.  (The recorded sessions pin its order.)
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/scripted_services.h"
#include "framework/wnd.h"

namespace {

// A window that hands its timer messages to a function.
class TimerWnd : public CWnd {
 public:
  TimerWnd(CAppContext& ctx, std::function<void(UINT_PTR)> onTimer) : m_onTimer(std::move(onTimer)) {
    CreateEx(ctx, nullptr, CRect(0, 0, 10, 10), 1);
  }

 protected:
  void OnTimer(UINT_PTR id) override { m_onTimer(id); }

 private:
  std::function<void(UINT_PTR)> m_onTimer;
};

}  // namespace

TEST(VirtualClock, DestroyingAWindowStopsItsTimers) {
  CScriptedServices s;
  CAppContext ctx = s.Context();
  std::vector<std::string> log;  // "name:id@time"
  auto logAs = [&](const std::string& name, UINT_PTR id) {
    log.push_back(name + ":" + std::to_string(id) + "@" + std::to_string(s.clock.Now()));
  };
  auto w = std::make_unique<TimerWnd>(ctx, [&](UINT_PTR id) { logAs("w", id); });
  w->SetTimer(1, 10);
  w->SetTimer(2, 10);
  // A handler that destroys another window that has timers running.
  TimerWnd other(ctx, [&](UINT_PTR id) {
    logAs("o", id);
    w.reset();
  });
  other.SetTimer(1, 10);
  s.clock.Advance(10);
  EXPECT_EQ(log, (std::vector<std::string>{"w:1@10", "w:2@10", "o:1@10"}));
  log.clear();
  s.clock.Advance(10);
  EXPECT_EQ(log, (std::vector<std::string>{"o:1@20"}));
  EXPECT_EQ(s.clock.RunningCount(), 1);
  other.DestroyWindow();
  EXPECT_EQ(s.clock.RunningCount(), 0);
}

