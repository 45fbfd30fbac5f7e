// Reads and drives the pad's protected state in these tests.
#pragma once

#include <QImage>
#include <QString>

#include "pad/lumirapad.h"

class CLumiraPadProbe {
 public:
  explicit CLumiraPadProbe(CLumiraPad& pad) : p(pad) {}

  // state
  int& TimeSys() { return p.m_nTimeSys; }
  double& Tz() { return p.m_fTz; }
  double& Longitude() { return p.m_fLongitude; }
  double Latitude() const { return p.m_fLatitude; }
  double MagLimit() const { return p.m_fMagLimit; }
  int& MoonAge() { return p.m_nMoonAge; }
  BOOL& Track() { return p.m_bTrack; }
  BOOL& Trace() { return p.m_bTrace; }
  BOOL Initialized() const { return p.m_bInitialized; }
  int EdgeDigit() const { return p.m_iEdgeDigit; }
  int SelDigit() const { return p.m_iSelDigit; }
  int SelMode() const { return p.m_nSelMode; }
  BOOL AskingLock() const { return p.m_bAskingLock; }
  int ColorScheme() const { return p.m_nColorScheme; }
  COLORREF Text() const { return p.m_crText; }
  COLORREF Back() const { return p.m_crBack; }
  COLORREF Highlight() const { return p.m_crHighlight; }
  COLORREF Shadow() const { return p.m_crShadow; }
  const CString& Era() const { return p.m_strEra; }
  const CString& TimeLabel() const { return p.m_strTimeLabel; }
  int Year() const { return p.m_nYear; }
  int Month() const { return p.m_nMonth; }
  int Day() const { return p.m_nDay; }
  int Hour() const { return p.m_nHour; }
  int Minute() const { return p.m_nMinute; }
  int Second() const { return p.m_nSecond; }
  void SetDate(int y, int mo, int d, int h, int mi, int s) {
    p.m_nYear = y; p.m_nMonth = mo; p.m_nDay = d; p.m_nHour = h; p.m_nMinute = mi; p.m_nSecond = s;
  }
  CBitmap* MoonStrip() const { return p.m_pbmMoon; }
  CBitmap* DateUp() const { return p.m_pbmDateUp; }
  CBitmap* ObsUp() const { return p.m_pbmObsUp; }
  CBitmapButton& DateButton() { return p.m_btnDate; }
  CBitmapButton& ObsButton() { return p.m_btnObs; }
  CToolTipCtrl& ToolTip() { return p.m_ToolTip; }
  CLmrStatic& DateText() { return p.m_stcDate; }
  CLmrStatic& ObsText() { return p.m_stcObs; }
  CLmrStatic& MagText() { return p.m_stcMag; }

  // timers and busy flags of the mouse
  UINT& TimerL1() { return p.m_holdL.holdTimer; }
  UINT& TimerL2() { return p.m_holdL.repeatTimer; }
  UINT& TimerR1() { return p.m_holdR.holdTimer; }
  UINT& TimerR2() { return p.m_holdR.repeatTimer; }
  BOOL& LButton() { return p.m_holdL.busy; }
  BOOL& RButton() { return p.m_holdR.busy; }

  // rectangles
  CRect Client() const { return p.m_rcClient; }
  CRect Date() const { return p.m_rcDate; }
  CRect Obs() const { return p.m_rcObs; }
  CRect Mag() const { return p.m_rcMag; }
  CRect TimeSysRect() const { return p.m_rcTimeSys; }
  CRect TimeSysArrow() const { return p.m_rcTimeSysArrow; }
  CRect TimeSysArea() const { return p.m_rcTimeSysArea; }
  CRect EraRect() const { return p.m_rcEra; }
  CRect DateBtn() const { return p.m_rcDateBtn; }
  CRect ObsBtn() const { return p.m_rcObsBtn; }
  void SetDateRect(const CRect& r) { p.m_rcDate = r; }

  // operations
  void ShowDate(int timeSys) { p.ShowDate(timeSys); }
  LRESULT ChangeTz(WPARAM wp, LPARAM lp) { return p.OnChangeTz(wp, lp); }
  BOOL TurnOffSpecialTime(int animation) { return p.TurnOffSpecialTime(animation); }
  double LmtZone(double longitude) const { return p.GetLMTTimezone(longitude); }
  CRect DigitRect(int digit) { return p.GetDigitRect(digit); }
  void DrawDigitEdge(int digit) { p.DrawDigitEdge(nullptr, digit); }
  void DrawTTMark(CDC* dc) { p.DrawTTMark(dc); }
  void MoveWindowVCenter(UINT id, int x, int cx, int cy, int dy) { p.MoveWindowVCenter(id, x, cx, cy, dy); }
  HBRUSH CtlColor(CDC* dc, CWnd* control, UINT kind) { return p.OnCtlColor(dc, control, kind); }
  BOOL EraseBkgnd(CDC* dc) { return p.OnEraseBkgnd(dc); }

  CLumiraPad& p;
};
