// What the Stellarium tests read of the pad, and where its digits lie.
#pragma once

#include "pad/lumirapad.h"

class CLumiraPadProbe {
 public:
  explicit CLumiraPadProbe(CLumiraPad& pad) : p(pad) {}

  int Year() const { return p.m_nYear; }
  int Month() const { return p.m_nMonth; }
  int Day() const { return p.m_nDay; }
  int Hour() const { return p.m_nHour; }
  int Minute() const { return p.m_nMinute; }
  int Second() const { return p.m_nSecond; }
  double Longitude() const { return p.m_fLongitude; }
  double Latitude() const { return p.m_fLatitude; }
  double MagLimit() const { return p.m_fMagLimit; }
  bool Idle() const {
    return !p.m_holdL.busy && !p.m_holdR.busy && p.m_holdL.holdTimer == UINT(-1) && p.m_holdL.repeatTimer == UINT(-1);
  }

  CPoint DateCell(int index) const { return Cell(p.m_rcDate, index); }
  CPoint MagCell(int index) const { return Cell(p.m_rcMag, index - 40); }

 private:
  static CPoint Cell(const CRect& r, int cell) { return CPoint(r.left + 7 * cell + 3, (r.top + r.bottom) / 2); }
  CLumiraPad& p;
};
