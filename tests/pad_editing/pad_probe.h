// Reads and writes the pad's state and calls its protected operations for
// the editing tests; points of the pad's areas for driving the mouse.
#pragma once

#include <string>
#include <vector>

#include "pad/lumirapad.h"

class CLumiraPadProbe {
 public:
  explicit CLumiraPadProbe(CLumiraPad& pad) : p(pad) {}

  // --- state -------------------------------------------------------------
  int& TimeSys() { return p.m_nTimeSys; }
  int& Year() { return p.m_nYear; }
  int& Month() { return p.m_nMonth; }
  int& Day() { return p.m_nDay; }
  int& Hour() { return p.m_nHour; }
  int& Minute() { return p.m_nMinute; }
  int& Second() { return p.m_nSecond; }
  double& Tz() { return p.m_fTz; }
  double& Longitude() { return p.m_fLongitude; }
  double& Latitude() { return p.m_fLatitude; }
  double& MagLimit() { return p.m_fMagLimit; }
  int& SelDigit() { return p.m_iSelDigit; }
  int& SelMode() { return p.m_nSelMode; }
  int& EdgeDigit() { return p.m_iEdgeDigit; }
  BOOL& Enable() { return p.m_bEnable; }
  BOOL& AskingLock() { return p.m_bAskingLock; }
  BOOL& MenuShown() { return p.m_bMenuShown; }
  BOOL& LButton() { return p.m_holdL.busy; }
  BOOL& RButton() { return p.m_holdR.busy; }
  BOOL& MButton() { return p.m_bMButton; }
  BOOL& WheelBusy() { return p.m_bWheel; }
  BOOL& Playing() { return p.m_bPlaying; }
  UINT TimerL1() const { return p.m_holdL.holdTimer; }
  UINT TimerL2() const { return p.m_holdL.repeatTimer; }
  UINT TimerR1() const { return p.m_holdR.holdTimer; }
  UINT TimerR2() const { return p.m_holdR.repeatTimer; }
  bool AllTimersIdle() const {
    return p.m_holdL.holdTimer == UINT(-1) && p.m_holdL.repeatTimer == UINT(-1) && p.m_holdR.holdTimer == UINT(-1) &&
           p.m_holdR.repeatTimer == UINT(-1);
  }
  CPoint PtL() const { return p.m_holdL.point; }
  CPoint PtR() const { return p.m_holdR.point; }
  UINT FlagsL() const { return p.m_holdL.flags; }
  UINT FlagsR() const { return p.m_holdR.flags; }
  int*& TimeSysPtr() { return p.m_pTimeSys; }
  int*& AnimationPtr() { return p.m_pAnimation; }
  const CString& Speed() const { return p.m_strSpeed; }
  CLmrStatic& DateDisplay() { return p.m_stcDate; }
  CLmrStatic& ObsDisplay() { return p.m_stcObs; }
  CLmrStatic& MagDisplay() { return p.m_stcMag; }
  const CLmrTipMenu& TimeSysMenu() const { return p.m_menuTimeSys; }

  // --- areas and points ---------------------------------------------------
  const CRect& DateRect() const { return p.m_rcDate; }
  const CRect& ObsRect() const { return p.m_rcObs; }
  const CRect& MagRect() const { return p.m_rcMag; }
  const CRect& TimeSysRect() const { return p.m_rcTimeSys; }
  const CRect& ArrowRect() const { return p.m_rcTimeSysArrow; }
  const CRect& EraRect() const { return p.m_rcEra; }
  const CRect& ClientRect() const { return p.m_rcClient; }
  // The middle of a character cell of a value text.
  CPoint DateCell(int index) const { return Cell(p.m_rcDate, index); }
  CPoint ObsCell(int index) const { return Cell(p.m_rcObs, index - 20); }
  CPoint MagCell(int index) const { return Cell(p.m_rcMag, index - 40); }
  static CPoint Middle(const CRect& r) { return CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2); }
  CPoint ScreenOf(CPoint client) const {
    p.ClientToScreen(&client);
    return client;
  }

  // --- protected operations --------------------------------------------------
  int GetLeapYear(int year) const { return p.GetLeapYear(year); }
  int GetDaysOfMonth(int month, int year) { return p.GetDaysOfMonth(month, year); }
  BOOL IsDateInRange(const tagADATE& date) const { return p.IsDateInRange(&date); }
  void SetDatePadData(_DATEPAD* record) { p.SetDatePadData(record); }
  void GetDatePadData(const _DATEPAD& record, tagADATE* date) { p.GetDatePadData(record, date); }
  double GetMagLimit() { return p.GetMagLimit(); }
  void SetCorLmrObs() { p.SetCorLmrObs(); }
  void SetCorLmrMag() { p.SetCorLmrMag(); }
  void OnTimer(UINT_PTR id) { p.OnTimer(id); }
  void StopAnimation() { p.StopAnimation(); }
  LRESULT OnChangeTz(const char* label) { return p.OnChangeTz(0, reinterpret_cast<LPARAM>(label)); }
  void LDown(CPoint pt, UINT flags = 0) { p.OnLButtonDown(flags, pt); }
  void LUp(CPoint pt, UINT flags = 0) { p.OnLButtonUp(flags, pt); }
  void RDown(CPoint pt, UINT flags = 0) { p.OnRButtonDown(flags, pt); }
  void RUp(CPoint pt, UINT flags = 0) { p.OnRButtonUp(flags, pt); }
  void MDown(CPoint pt, UINT flags = 0) { p.OnMButtonDown(flags, pt); }
  void Move(CPoint pt, UINT flags = 0) { p.OnMouseMove(flags, pt); }
  BOOL WheelAt(CPoint clientPt, short delta, UINT flags = 0) { return p.OnMouseWheel(flags, delta, ScreenOf(clientPt)); }
  void LDblClk(CPoint pt, UINT flags = 0) { p.OnLButtonDblClk(flags, pt); }

 private:
  static CPoint Cell(const CRect& r, int cell) { return CPoint(r.left + 7 * cell + 3, (r.top + r.bottom) / 2); }
  CLumiraPad& p;
};
