#include "framework/virtual_clock.h"

#include <algorithm>

#include "framework/wnd.h"

UINT_PTR CVirtualClock::SetTimer(CWnd* wnd, UINT_PTR id, UINT ms) {
  if (!wnd) return 0;
  const int interval = int(std::max<UINT>(ms, kMinimumInterval));
  KillTimer(wnd, id);
  m_timers.push_back({wnd, id, interval, m_now + interval, m_nextOrder++});
  return id;
}

BOOL CVirtualClock::KillTimer(CWnd* wnd, UINT_PTR id) {
  auto it = std::find_if(m_timers.begin(), m_timers.end(),
                         [&](const Timer& t) { return t.wnd == wnd && t.id == id; });
  if (it == m_timers.end()) return FALSE;
  m_timers.erase(it);
  return TRUE;
}

void CVirtualClock::KillAllTimers(CWnd* wnd) {
  std::erase_if(m_timers, [&](const Timer& t) { return t.wnd == wnd; });
}

bool CVirtualClock::IsRunning(CWnd* wnd, UINT_PTR id) const {
  return std::any_of(m_timers.begin(), m_timers.end(),
                     [&](const Timer& t) { return t.wnd == wnd && t.id == id; });
}

void CVirtualClock::Advance(int ms) {
  const long long end = m_now + std::max(ms, 0);
  for (;;) {
    auto next = std::min_element(m_timers.begin(), m_timers.end(), [](const Timer& a, const Timer& b) {
      return a.due != b.due ? a.due < b.due : a.order < b.order;
    });
    if (next == m_timers.end() || next->due > end) break;
    m_now = next->due;
    next->due += next->interval;  // before the handler, which may kill or reset it
    CWnd* wnd = next->wnd;
    const UINT_PTR id = next->id;
    ++m_fired;
    wnd->DispatchMessage(WM_TIMER, id, 0);
  }
  m_now = end;
}
