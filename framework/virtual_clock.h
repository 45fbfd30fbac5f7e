// Window timers on a clock that only moves when told to: tests and replays
// drive the pad's hold and repeat timers by milliseconds, without sleeping.
#pragma once

#include <vector>

#include "framework/services.h"

class CVirtualClock : public ITimerService {
 public:
  // Intervals below 10 ms run at 10 ms, as the original platform's timers do.
  static constexpr UINT kMinimumInterval = 10;

  UINT_PTR SetTimer(CWnd* wnd, UINT_PTR id, UINT ms) override;
  BOOL KillTimer(CWnd* wnd, UINT_PTR id) override;
  void KillAllTimers(CWnd* wnd) override;

  // Moves the clock by `ms`, firing every timer that falls due on the way
  // in due-time order (ties in the order the timers were set).  Each firing
  // is WM_TIMER(id) through the window's DispatchMessage; a timer's next
  // firing is its firing time plus its interval.  Handlers may set and kill
  // timers; a timer set during the advance counts from the moment it fires.
  void Advance(int ms);
  int Now() const { return m_now; }
  bool IsRunning(CWnd* wnd, UINT_PTR id) const;
  int RunningCount() const { return int(m_timers.size()); }
  // Firings delivered so far (all windows).
  int Fired() const { return m_fired; }

 private:
  struct Timer {
    CWnd* wnd;
    UINT_PTR id;
    int interval;
    long long due;
    long long order;  // when it was set: breaks ties
  };
  std::vector<Timer> m_timers;
  long long m_now = 0;
  long long m_nextOrder = 0;
  int m_fired = 0;
};
