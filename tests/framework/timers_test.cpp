// The virtual clock: a window destroyed in a timer handler loses its
// timers, the others fire on.  (The recorded sessions pin its order.)
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

