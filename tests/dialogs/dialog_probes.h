// Access to the entry dialogs' members and the pad's state for these tests.
#pragma once

#include "dialogs/dlgsetobs.h"
#include "dialogs/dlgsettime.h"
#include "pad/lumirapad.h"

class CDlgSetTimeProbe {
 public:
  explicit CDlgSetTimeProbe(CDlgSetTime& dialog) : d(dialog) {}
  int Index() const { return d.m_nTimeSysIndex; }

 private:
  CDlgSetTime& d;
};

class CDlgSetObsProbe {
 public:
  explicit CDlgSetObsProbe(CDlgSetObs& dialog) : d(dialog) {}
  int LonDeg() const { return d.m_nLonDeg; }
  const CString& LonMin() const { return d.m_strLonMin; }
  int LatDeg() const { return d.m_nLatDeg; }
  const CString& LatMin() const { return d.m_strLatMin; }
  int EW() const { return d.m_nEW; }
  int NS() const { return d.m_nNS; }

 private:
  CDlgSetObs& d;
};

class CLumiraPadProbe {
 public:
  explicit CLumiraPadProbe(CLumiraPad& pad) : p(pad) {}
  int& TimeSys() { return p.m_nTimeSys; }
  int& Year() { return p.m_nYear; }
  int& Month() { return p.m_nMonth; }
  int& Day() { return p.m_nDay; }
  int& Hour() { return p.m_nHour; }
  double& Longitude() { return p.m_fLongitude; }
  double& Latitude() { return p.m_fLatitude; }
  BOOL& AskingLock() { return p.m_bAskingLock; }
  LRESULT OnChangeTz(const char* label) { return p.OnChangeTz(0, reinterpret_cast<LPARAM>(label)); }

 private:
  CLumiraPad& p;
};
