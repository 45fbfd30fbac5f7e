// Access to the entry dialogs' members for these tests.
#pragma once

#include "dialogs/dlgsetobs.h"
#include "dialogs/dlgsettime.h"

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
