// CLumiraPad: the date-and-time control pad, a dockable bar at the top of
// the planetarium's frame.  It shows the host's simulated time in one of
// eight time systems, the observer's place, the limiting magnitude, the
// Moon's age and the track/trace marks, and lets the user step single
// digits with the mouse.  The pad owns no astronomy: it asks and changes
// the host's sky-chart control through text commands (CCorLmr).
//
// The class is implemented one concern per file:
//   pad_frame.cpp      creation, layout, painting, colours, destruction
//   pad_refresh.cpp    OnUpdate: re-reading the host's state
//   pad_timesys.cpp    time systems, the date text, the time-lock question
//   pad_geometry.cpp   digit rectangles, hit test, track/trace marks
//   pad_datepad.cpp    the dialog record and the calendar rules
//   pad_mouse.cpp      selection, mouse handlers, click dispatch, menu
//   pad_stepping.cpp   stepping date, place and magnitude; sending them
//   pad_dialogs.cpp    the date/time and location entry dialogs
//   pad_timers.cpp     auto-repeat timers, stopping the host's animation
//   pad_speed.cpp      the time speed: its menu, its text, running time
//   pad_keyboard.cpp   focus, keys, the focus mark, names for screen readers
#pragma once

#include "framework/controlbar.h"
#include "host/corlmr.h"
#include "host/lmrcontrols.h"
#include "host/qelacl.h"
#include "host/timezone.h"
#include "pad/time_systems.h"

// Private window messages (fixed values).
constexpr UINT WM_CHANGETZ = 0x720;     // time-system menu -> pad, lParam/wParam: label
constexpr UINT WM_CHANGESPEED = 0x721;  // animation-speed menu -> pad, lParam/wParam: key
constexpr UINT WM_PADCHANGED = 0x722;   // pad -> main window, lParam: "DATE" or "OBS"
constexpr UINT WM_CHANGEDATE = 0x723;   // host -> pad: open the date/time dialog
constexpr UINT WM_CHANGEOBS = 0x724;    // host -> pad: open the location dialog
static_assert(WM_PADCHANGED == WM_PADCHANGED_VALUE);

// The record exchanged with the date/time dialog.
struct _DATEPAD {
  int32_t nTimeSys;
  int32_t nYear;
  int32_t nMonth;
  int32_t nDay;
  int32_t nHour;
  int32_t nMinute;
  int32_t nSecond;
  double dDay;  // UTD: day + hour/24 + minute/1440 + second/86400
  double dJd;   // JD/MJD: the Julian date (MJD coming back from the dialog)
};

class CLumiraPad : public CDialogBar, public CLmrDialogBase {
 public:
  explicit CLumiraPad(CAppContext& ctx);
  ~CLumiraPad() override;

  int Create(CWnd* frame);
  void SetpCorLmr(CCorLmr* corLmr) { m_pCorLmr = corLmr; }
  void SetTimeSysPtr(int* timeSys) { m_pTimeSys = timeSys; }
  void SetTimeSysPtr(int* timeSys, double* timeZone) { m_pTimeSys = timeSys; m_pTimeZone = timeZone; }
  void SetAnimationPtr(int* animation) { m_pAnimation = animation; }
  int GetEnable() const { return m_bEnable; }
  int IsPlaying() const { return m_bPlaying; }

  // What OnUpdate re-reads from the host, as bits to combine.
  enum RefreshFlag : UINT {
    kRefreshTime = 0x01,       // time system, date text, Moon age
    kRefreshLocation = 0x02,   // longitude and latitude
    kRefreshMagnitude = 0x04,  // limiting magnitude
    kRefreshTrack = 0x08,      // the track mark
    kRefreshTrace = 0x10,      // the trace mark
    kRefreshAll = 0xFF,
  };
  // What SPadUpdate is told happened at the pointer.
  enum PadAction : int {
    kLeftPress = 1,
    kRightPress = 2,
    kLeftRepeat = 3,   // a repeat tick of a held left button
    kRightRepeat = 4,  // ... of a held right button
  };

  // The host's animation-mode variable (SetAnimationPtr).  A stopped
  // animation leaves the engine's switches as the mode says; 3 reads as
  // continuous too.
  enum AnimationMode : int {
    kContinuous = 0,  // the speed times real time
    kStep = 1,        // the speed per tick
    kRealTime = 2,
  };
  // The engine's switches for a mode; an empty command for other values.
  static const char* AnimationModeCommand(int mode);

  // The time speed (pad_speed.cpp).  The host shows the menu's button and
  // the speed text; a choice comes back as WM_CHANGESPEED with its key
  // ("Hour", "-Day", "Stop", ...): the engine runs at that rate, after the
  // time-lock question.
  void ShowSpeedMenu();
  LRESULT OnChangeSpeed(WPARAM wp, LPARAM lp);
  // "1時/秒", "-1日/秒"; "0/秒" while time stands.
  QString SpeedText() const;
  // The widest text SpeedText gives ("-1恒星日/秒"), to size a place for it.
  static QString WidestSpeedText();
  // The host says the time started or stopped running outside the pad
  // (its own menu, the end of the range), at a rate in seconds a second.
  void SetPlaying(BOOL playing, double secondsPerSecond);

  void OnUpdate(UINT flags);
  // How many refreshes have started: a host that refreshes the pad after
  // a change can see that the pad has already done so itself.
  unsigned GetRefreshCount() const { return m_nRefreshes; }
  void SPadUpdate(int action);
  void SetEnable(int enable);
  void EnableAnimation(int enable);

  void OnBtnDatePlus();
  void OnBtnDateMinus();
  void SetCorLmrDate();
  LRESULT OnChangeDate(WPARAM wp, LPARAM lp);
  LRESULT OnChangeObs(WPARAM wp, LPARAM lp);
  // A place (longitude east positive, latitude north positive) applied as
  // the location dialog's OK applies it: sent with its zone, re-read, and
  // told to the main window.
  void ApplyObs(double longitude, double latitude);

  void SetSelectedDigit(int digit, int mode);
  int GetSelectedDigit() const { return m_iSelDigit; }
  void SetDateSelectedDigit(CPoint point);
  void SetObsSelectedDigit(CPoint point);
  void SetMagSelectedDigit(CPoint point);
  void TurnOffSelection();
  int GetLButtonPos(CPoint point) const;
  // The system the date display shows (a timesys::Code).
  int GetTimeSys() const { return m_nTimeSys; }
  BOOL IsDateButtonEnabled() const { return m_nTimeSys != timesys::kST; }
  // The systems shown as a calendar date with editable digits: JST, UT,
  // LST, LMT.
  static bool IsCalendarSystem(int timeSys) { return timesys::IsCalendar(timeSys); }

  // The picture of the Moon strip (0..29) for a Moon age in days; hosts
  // that show the Moon beside the pad use it to show the same picture.
  static int MoonPictureIndex(double age);

  // What the bar shows besides its texts, read-only: for hosts that print
  // or replay the pad (lumira --print, --script).
  struct DisplayState {
    int selDigit;
    int selMode;
    int moonAge;
    BOOL track;
    BOOL trace;
  };
  DisplayState GetDisplayState() const { return {m_iSelDigit, m_nSelMode, m_nMoonAge, m_bTrack, m_bTrace}; }

  BOOL PreTranslateMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 protected:
  // frame, layout, painting
  void InitControls();
  void InitControlPos();
  void AttachControls();
  void MoveWindowVCenter(UINT id, int x, int cx, int cy, int dy);
  void OnPaint() override;
  BOOL OnEraseBkgnd(CDC* dc) override;
  HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind) override;
  void OnDestroy() override;

  // time systems and the date text
  // Reads the host's time in a system and shows it; the caller tells the
  // host which system is shown (TellHostTimeSys).
  void ShowDate(int timeSys);
  LRESULT OnChangeTz(WPARAM wp, LPARAM lp);
  BOOL TurnOffSpecialTime(int animation);
  double GetLMTTimezone(double longitude) const { return timesys::LmtZoneOf(longitude); }

  // digit geometry and marks
  CRect GetDigitRect(int digit);
  void DrawDigitEdge(CDC* dc, int digit);
  void DrawTTMark(CDC* dc);

  // dialog record and calendar rules
  int GetLeapYear(int year) const;
  int GetDaysOfMonth(int month, int year);
  BOOL IsDateInRange(const tagADATE* date) const;
  void SetDatePadData(_DATEPAD* pad);
  void GetDatePadData(_DATEPAD pad, tagADATE* date);

  // stepping
  void SetCorLmrObs();
  void SetCorLmrMag();
  double GetMagLimit();

  // mouse
  void OnTimer(UINT_PTR id) override;
  void OnLButtonDown(UINT flags, CPoint point) override;
  void OnLButtonUp(UINT flags, CPoint point) override;
  void OnLButtonDblClk(UINT flags, CPoint point) override;
  void OnRButtonDown(UINT flags, CPoint point) override;
  void OnRButtonUp(UINT flags, CPoint point) override;
  void OnRButtonDblClk(UINT flags, CPoint point) override;
  void OnMButtonDown(UINT flags, CPoint point) override;
  void OnMouseMove(UINT flags, CPoint point) override;
  BOOL OnMouseWheel(UINT flags, short delta, CPoint screenPoint) override;
  void OnCancelMode() override;

  // animation
  void StopAnimation();

  // keyboard
  BOOL OnKeyDown(UINT vk, UINT repeatCount, UINT flags) override;
  void OnKeyUp(UINT vk, UINT repeatCount, UINT flags) override;
  void OnSetFocus() override;
  void OnKillFocus() override;

  // --- members, in declaration order ----------------------------------
  CCorLmr* m_pCorLmr = nullptr;
  COLORREF m_crText = 0;
  COLORREF m_crBack = 0;
  COLORREF m_crHighlight = 0;
  COLORREF m_crShadow = 0;
  CTimeZone m_TimeZone;
  int* m_pTimeSys = nullptr;
  int* m_pAnimation = nullptr;
  double* m_pTimeZone = nullptr;
  double m_fTz = 0.0;
  BOOL m_bPlaying = 0;
  BOOL m_bEnable = 1;
  BOOL m_bTrace = 0;
  BOOL m_bTrack = 0;
  BOOL m_bTracePrev = 0;
  BOOL m_bTrackPrev = 0;
  CRect m_rcSpeed;
  CRect m_rcTimeSysArrow;
  CRect m_rcClient;
  CRect m_rcTimeSysArea;
  int m_nSpeedUnit = 1;
  int m_nTimeSys = 0;
  double m_fMagLimit = 0.0;
  double m_fLatitude = 0.0;
  double m_fLongitude = 0.0;
  BOOL m_bInitialized = 0;
  CToolTipCtrl m_ToolTip;
  int m_iEdgeDigit = -1;
  int m_nMoonAge = 0;
  CBitmap* m_pbmMoon = nullptr;
  CString m_strEra;
  CString m_strTimeLabel;
  CBitmap* m_pbmDateUp = nullptr;
  CBitmap* m_pbmObsUp = nullptr;
  CBitmapButton m_btnDate;
  CBitmapButton m_btnObs;
  int m_iSelDigit = -99;
  int m_nSelMode = 0;
  // A held left or right button: the press, and the timers that repeat
  // its step.  The hold timer (500 ms) starts at the press and re-arms
  // itself at every tick, restarting the repeat timer (10 ms) with it.
  struct ButtonHold {
    static constexpr UINT kHoldMs = 500;
    static constexpr UINT kRepeatMs = 10;
    ButtonHold(UINT_PTR hold, UINT_PTR repeat) : holdId(hold), repeatId(repeat) {}
    const UINT_PTR holdId;         // the ids of this button's timers
    const UINT_PTR repeatId;
    UINT holdTimer = UINT(-1);     // running hold timer, or -1
    UINT repeatTimer = UINT(-1);   // running repeat timer, or -1
    UINT flags = 0;                // key state at the press (MK_SHIFT)
    CPoint point;                  // where the press was; (0, 0) for none
    BOOL busy = 0;                 // the button is down and steps the pad
    bool shiftReverses = true;     // false for + and -, which often need Shift to be typed
  };
  ButtonHold m_holdL{100, 101};
  ButtonHold m_holdR{102, 103};
  BOOL m_bMenuShown = 0;
  BOOL m_bMButton = 0;
  BOOL m_bWheel = 0;
  CLmrTipMenu m_menuTimeSys;
  CLmrTipMenu m_menuSpeed;
  CLmrStatic m_stcDate;
  CRect m_rcDate;
  CLmrStatic m_stcObs;
  CRect m_rcObs;
  CLmrStatic m_stcMag;
  CRect m_rcMag;
  CRect m_rcDateBtn;
  CRect m_rcObsBtn;
  CRect m_rcTimeSys;
  CRect m_rcEra;
  CRect m_rcSpeedText;
  CString m_strSpeed;
  int m_nYear = 0;
  int m_nMonth = 0;
  int m_nDay = 0;
  int m_nHour = 0;
  int m_nMinute = 0;
  int m_nSecond = 0;
  BOOL m_bAskingLock = 0;
  int m_nColorScheme = 0;
  unsigned m_nRefreshes = 0;  // OnUpdate calls that reached the host
  // The keyboard's place: the display Tab last went to (0 date, 1 place,
  // 2 magnitude), the key whose hold steps now, whether the bar has focus.
  int m_nKeyDisplay = 0;
  UINT m_nKeyHeld = 0;
  BOOL m_bKeyFocus = 0;

  friend class CLumiraPadProbe;  // tests read the pad's state through this

 private:
  // --- editing helpers (pad_datepad, pad_stepping, pad_mouse, pad_timers) --
  // One command to the host; a pad without a host sends nothing.
  std::string ExecuteHost(const std::string& command);
  // WM_PADCHANGED with "DATE" or "OBS" to the application's main window.
  void NotifyMainWindow(const char* what);
  // One step of the value under m_iSelDigit, up or down.
  void StepSelectedValue(BOOL up);
  BOOL StepLongitude(int digit, BOOL up);
  BOOL StepLatitude(int digit, BOOL up);
  BOOL StepMagnitude(int digit, BOOL up);
  void StepDate(int digit, BOOL up);
  // Era flip (AD <-> BC) of the pad's year, sent on to the host.
  void FlipEra();
  // Takes a calendar record into the date fields, the seconds cut toward
  // zero (callers that round add half a second first).
  void TakeDateFields(const tagADATE& date);
  // The date display's text, the label it goes with (the label's area is
  // wiped when it changes) and the era.
  struct DateText {
    QString text;
    const char* fixedLabel = "";
    QString era;
  };
  // Asks the host for its time in a system: the date fields, the zone,
  // the label and the era take the reply; returns what to show.
  DateText ReadHostTime(int timeSys);
  void ShowDateText(const DateText& shown);
  // The host's time-system and zone variables for the shown system.
  void TellHostTimeSys(int timeSys);
  // Switches to the time system of a menu entry, as the menu would.
  void ChangeTimeSysByMenuIndex(int menuIndex);
  void StepTimeSysFromLabel(int action);
  void ShowTimeSysMenu();
  void UpdateSelectionAfterPress(int action);
  void ClearDisplaySelection(CLmrStatic& display);
  // Ends a button's hold, however it ends (button-up, disabling, the
  // time-lock question): kills its timers, releases the capture if the
  // button held it, clears its busy flag.
  void StopHold(ButtonHold& hold);
  void RestartRepeat(ButtonHold& hold);

  // --- keyboard (pad_keyboard.cpp) ------------------------------------
  // Focus by click and Tab, and the names screen readers read.
  void InitKeyboard();
  void DrawFocusMark(CDC* dc);
  // Up/Down start a hold on the selected digit as a left/right press.
  BOOL StepByKey(UINT vk, UINT flags);
  void MoveKeySelection(int direction);
  BOOL TabToDisplay(int direction);
  void SelectDigitByKey(int digit);
  int CurrentKeyDisplay();
};
