// Reads and drives the pad's protected state for tests, benchmarks and
// fuzz targets, and finds the points of its areas for driving the mouse.
#pragma once

#include <cstdio>
#include <string>

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
  BOOL& Track() { return p.m_bTrack; }
  BOOL& Trace() { return p.m_bTrace; }
  BOOL Initialized() const { return p.m_bInitialized; }
  int& SelDigit() { return p.m_iSelDigit; }
  int& EdgeDigit() { return p.m_iEdgeDigit; }
  BOOL& AskingLock() { return p.m_bAskingLock; }
  BOOL& Playing() { return p.m_bPlaying; }
  const CString& Speed() const { return p.m_strSpeed; }
  int*& TimeSysPtr() { return p.m_pTimeSys; }
  int*& AnimationPtr() { return p.m_pAnimation; }
  CLmrStatic& DateDisplay() { return p.m_stcDate; }
  CLmrStatic& MagDisplay() { return p.m_stcMag; }
  const CLmrTipMenu& TimeSysMenu() const { return p.m_menuTimeSys; }
  COLORREF TextColor() const { return p.m_crText; }
  COLORREF BackColor() const { return p.m_crBack; }
  CToolTipCtrl& ToolTip() { return p.m_ToolTip; }
  CBitmap* MoonStrip() const { return p.m_pbmMoon; }
  CBitmap* DateUp() const { return p.m_pbmDateUp; }

  // --- holds of the two buttons -------------------------------------------
  UINT& TimerL1() { return p.m_holdL.holdTimer; }
  UINT& TimerL2() { return p.m_holdL.repeatTimer; }
  UINT& TimerR1() { return p.m_holdR.holdTimer; }
  UINT& TimerR2() { return p.m_holdR.repeatTimer; }
  BOOL& LButton() { return p.m_holdL.busy; }
  BOOL& RButton() { return p.m_holdR.busy; }
  bool AllTimersIdle() const {
    return p.m_holdL.holdTimer == UINT(-1) && p.m_holdL.repeatTimer == UINT(-1) &&
           p.m_holdR.holdTimer == UINT(-1) && p.m_holdR.repeatTimer == UINT(-1);
  }
  // Nothing of a mouse action or a question may outlive it.
  bool Idle() const {
    return !p.m_holdL.busy && !p.m_holdR.busy && !p.m_bMButton && !p.m_bWheel && !p.m_bAskingLock &&
           AllTimersIdle();
  }
  std::string BusyState() const {
    char text[160];
    std::snprintf(text, sizeof text, "L%d R%d M%d W%d ask%d timers %d %d %d %d", p.m_holdL.busy, p.m_holdR.busy,
                  p.m_bMButton, p.m_bWheel, p.m_bAskingLock, int(p.m_holdL.holdTimer), int(p.m_holdL.repeatTimer),
                  int(p.m_holdR.holdTimer), int(p.m_holdR.repeatTimer));
    return text;
  }

  // --- areas and points ----------------------------------------------------
  const CRect& DateRect() const { return p.m_rcDate; }
  const CRect& ObsRect() const { return p.m_rcObs; }
  const CRect& MagRect() const { return p.m_rcMag; }
  const CRect& TimeSysRect() const { return p.m_rcTimeSys; }
  const CRect& EraRect() const { return p.m_rcEra; }
  const CRect& ClientRect() const { return p.m_rcClient; }
  // The middle of a character cell of a value text.
  CPoint DateCell(int index) const { return Cell(p.m_rcDate, index); }
  CPoint ObsCell(int index) const { return Cell(p.m_rcObs, index - 20); }
  CPoint MagCell(int index) const { return Cell(p.m_rcMag, index - 40); }
  CPoint TimeSysLabel() const { return Middle(p.m_rcTimeSys); }
  CPoint Arrow() const { return Middle(p.m_rcTimeSysArrow); }
  CPoint EraMark() const { return Middle(p.m_rcEra); }
  static CPoint Middle(const CRect& r) { return CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2); }
  CPoint ScreenOf(CPoint client) const {
    p.ClientToScreen(&client);
    return client;
  }

  // --- protected operations ------------------------------------------------
  void ShowDate(int timeSys) { p.ShowDate(timeSys); }
  BOOL TurnOffSpecialTime(int animation) { return p.TurnOffSpecialTime(animation); }
  CRect DigitRect(int digit) { return p.GetDigitRect(digit); }
  HBRUSH CtlColor(CDC* dc, CWnd* control, UINT kind) { return p.OnCtlColor(dc, control, kind); }
  int GetDaysOfMonth(int month, int year) { return p.GetDaysOfMonth(month, year); }
  BOOL IsDateInRange(const tagADATE& date) const { return p.IsDateInRange(&date); }
  void SetDatePadData(_DATEPAD* record) { p.SetDatePadData(record); }
  void GetDatePadData(const _DATEPAD& record, tagADATE* date) { p.GetDatePadData(record, date); }
  void StopAnimation() { p.StopAnimation(); }
  double GetMagLimit() { return p.GetMagLimit(); }
  LRESULT OnChangeTz(const char* label) { return p.OnChangeTz(0, reinterpret_cast<LPARAM>(label)); }
  LRESULT ChangeTz(WPARAM wp, LPARAM lp) { return p.OnChangeTz(wp, lp); }

 private:
  static CPoint Cell(const CRect& r, int cell) { return CPoint(r.left + 7 * cell + 3, (r.top + r.bottom) / 2); }
  CLumiraPad& p;
};
