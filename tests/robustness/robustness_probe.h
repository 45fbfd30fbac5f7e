// The pad's state that the robustness tests look at, and its protected
// operations that a host reaches without a message.
#pragma once

#include <cstdio>
#include <string>

#include "pad/lumirapad.h"

class CLumiraPadProbe {
 public:
  explicit CLumiraPadProbe(CLumiraPad& pad) : p(pad) {}

  int TimeSys() const { return p.m_nTimeSys; }
  int Year() const { return p.m_nYear; }
  int Month() const { return p.m_nMonth; }
  int Day() const { return p.m_nDay; }
  int Hour() const { return p.m_nHour; }
  int Minute() const { return p.m_nMinute; }
  int Second() const { return p.m_nSecond; }
  double Tz() const { return p.m_fTz; }

  // Nothing of a mouse action or a question may outlive it.
  bool Idle() const {
    return !p.m_holdL.busy && !p.m_holdR.busy && !p.m_bMButton && !p.m_bWheel && !p.m_bAskingLock &&
           p.m_holdL.holdTimer == UINT(-1) && p.m_holdL.repeatTimer == UINT(-1) && p.m_holdR.holdTimer == UINT(-1) &&
           p.m_holdR.repeatTimer == UINT(-1);
  }
  std::string BusyState() const {
    char text[160];
    std::snprintf(text, sizeof text, "L%d R%d M%d W%d ask%d timers %d %d %d %d", p.m_holdL.busy, p.m_holdR.busy,
                  p.m_bMButton, p.m_bWheel, p.m_bAskingLock, int(p.m_holdL.holdTimer), int(p.m_holdL.repeatTimer),
                  int(p.m_holdR.holdTimer), int(p.m_holdR.repeatTimer));
    return text;
  }

  CPoint DateCell(int index) const { return Cell(p.m_rcDate, index); }
  CPoint ObsCell(int index) const { return Cell(p.m_rcObs, index - 20); }
  CPoint MagCell(int index) const { return Cell(p.m_rcMag, index - 40); }
  CPoint TimeSysLabel() const { return Middle(p.m_rcTimeSys); }
  CPoint Arrow() const { return Middle(p.m_rcTimeSysArrow); }
  CPoint Era() const { return Middle(p.m_rcEra); }
  CPoint ScreenOf(CPoint client) const {
    p.ClientToScreen(&client);
    return client;
  }

  void StopAnimation() { p.StopAnimation(); }

 private:
  static CPoint Cell(const CRect& r, int cell) { return CPoint(r.left + 7 * cell + 3, (r.top + r.bottom) / 2); }
  static CPoint Middle(const CRect& r) { return CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2); }
  CLumiraPad& p;
};
