// Digit selection, the mouse handlers and the click dispatch.
//
// The user aims at one 7-pixel character cell of a value text: a left
// press steps it up, a right press down (Shift reverses both), holding
// repeats (pad_timers.cpp), the wheel steps the cell under the pointer and
// the middle button resets a date field.  The time-system label steps
// through the systems and its arrow opens the time-system menu.
#include <algorithm>
#include <limits>
#include <tuple>
#include <utility>

#include "pad/lumirapad.h"
#include "pad/time_systems.h"

namespace {

constexpr int kCellWidth = CLmrStatic::kCellWidth;
constexpr int kNoDigit = -99;
constexpr int kTimeSysSelector = 90;  // hover value: label and arrow
constexpr int kEraMark = 91;          // hover value: "AD" / "BC"

// The menu place of the shown system; -1 with no system.
int MenuIndexOf(int timeSys) {
  const timesys::Info* info = timesys::Find(timeSys);
  return info ? info->menuIndex : -1;
}

// The cell of a point, counted from an area's left edge (toward zero).
int CellOf(const CRect& area, CPoint point) { return (point.x - area.left) / kCellWidth; }

// Selection of a date cell: {index kept, mode}.
std::pair<int, int> DateSelectionOf(int digit) {
  switch (digit) {
    case 6: case 7:
      return {digit, 2};  // the month steps as a whole
    case 0: case 1: case 2: case 3: case 4:
    case 9: case 10: case 12: case 13: case 15: case 16: case 18: case 19:
      return {digit, 1};
    default:
      return {kNoDigit, 0};
  }
}

std::pair<int, int> ObsSelectionOf(int digit) {
  switch (digit) {
    case 20: case 21:
      return {digit, 2};  // hundreds and tens of the longitude degrees
    case 22: case 24: case 25: case 27: case 29: case 30: case 32: case 33: case 35:
      return {digit, 1};
    default:
      return {kNoDigit, 0};
  }
}

std::pair<int, int> MagSelectionOf(int digit) {
  if (digit == 40 || digit == 41) return {40, 2};  // the whole magnitude
  if (digit == 43) return {43, 1};
  return {kNoDigit, 0};
}

bool IsDateSeparator(int digit) {
  return digit == 5 || digit == 8 || digit == 11 || digit == 14 || digit == 17;
}

bool IsObsSeparator(int digit) {
  return digit == 23 || digit == 26 || digit == 28 || digit == 31 || digit == 34;
}

// Sets a busy flag for the length of an action and clears it however the
// action ends, also when a host call fails in the middle of it.
class CBusyScope {
 public:
  explicit CBusyScope(BOOL& flag) : m_flag(flag) { m_flag = 1; }
  ~CBusyScope() { m_flag = 0; }
  CBusyScope(const CBusyScope&) = delete;
  CBusyScope& operator=(const CBusyScope&) = delete;

 private:
  BOOL& m_flag;
};

}  // namespace

// --- time systems in menu order --------------------------------------------

void CLumiraPad::ChangeTimeSysByMenuIndex(int menuIndex) {
  if (const timesys::Info* info = timesys::AtMenu(menuIndex)) OnChangeTz(0, reinterpret_cast<LPARAM>(info->key));
}

// --- selection ----------------------------------------------------------------

void CLumiraPad::SetSelectedDigit(int digit, int mode) {
  m_iSelDigit = digit;
  m_nSelMode = mode;
}

void CLumiraPad::SetDateSelectedDigit(CPoint point) {
  const int digit = CellOf(m_rcDate, point);
  if (digit < 0 || digit > 19) {
    MessageBox(QStringLiteral("CLumiraPad::SetDateSelectedDigit(): iDigit out of range."), MB_OK);
    return;
  }
  // Only calendar dates have steppable digits; with no time system at all
  // the selection stays as it was.
  if (IsCalendarSystem(m_nTimeSys)) {
    std::tie(m_iSelDigit, m_nSelMode) = DateSelectionOf(digit);
  } else if (m_nTimeSys != timesys::kNone) {
    m_iSelDigit = kNoDigit;
    m_nSelMode = 0;
  }
  m_stcDate.SetSelectedDigit(m_iSelDigit, m_nSelMode);
  m_stcDate.Invalidate(TRUE);
  m_bMenuShown = 0;
}

void CLumiraPad::SetObsSelectedDigit(CPoint point) {
  std::tie(m_iSelDigit, m_nSelMode) = ObsSelectionOf(CellOf(m_rcObs, point) + 20);
  m_stcObs.SetSelectedDigit(m_iSelDigit - 20, m_nSelMode);
  m_stcObs.Invalidate(TRUE);
}

void CLumiraPad::SetMagSelectedDigit(CPoint point) {
  std::tie(m_iSelDigit, m_nSelMode) = MagSelectionOf(CellOf(m_rcMag, point) + 40);
  m_stcMag.SetSelectedDigit(m_iSelDigit - 40, m_nSelMode);
  m_stcMag.Invalidate(TRUE);
}

void CLumiraPad::ClearDisplaySelection(CLmrStatic& display) {
  // A display that shows no highlight has nothing to redraw (every repeat
  // tick clears the two displays it does not step).
  const bool highlighted = display.SelectedMode() != 0;
  display.SetSelectedDigit(kNoDigit, 0);
  if (highlighted) display.Invalidate(TRUE);
}

void CLumiraPad::TurnOffSelection() {
  if (m_iSelDigit == kNoDigit) return;
  m_iSelDigit = kNoDigit;
  m_nSelMode = 0;
  ClearDisplaySelection(m_stcDate);
  ClearDisplaySelection(m_stcObs);
  ClearDisplaySelection(m_stcMag);
}

// --- input on and off ---------------------------------------------------------

void CLumiraPad::SetEnable(int enable) {
  m_bEnable = enable;
  if (!m_bEnable) {
    // No step may run on a disabled pad: a button held now stops repeating.
    StopHold(m_holdL);
    StopHold(m_holdR);
  }
  TurnOffSelection();
  Invalidate(TRUE);
}

void CLumiraPad::EnableAnimation(int enable) { SetEnable(enable ? 1 : 0); }

void CLumiraPad::StopHold(ButtonHold& hold) {
  const bool held = hold.busy || hold.holdTimer != UINT(-1) || hold.repeatTimer != UINT(-1);
  for (UINT* timer : {&hold.holdTimer, &hold.repeatTimer}) {
    if (*timer != UINT(-1)) {
      KillTimer(*timer);
      *timer = UINT(-1);
    }
  }
  if (held) ReleaseCapture();
  hold.busy = 0;
}

// --- click dispatch -------------------------------------------------------------

void CLumiraPad::SPadUpdate(int action) {
  // The press that opened the time-system menu acts no further.
  if (m_bMenuShown) return;

  const bool left = action == kLeftPress || action == kLeftRepeat;
  const CPoint point = left ? m_holdL.point : m_holdR.point;
  int digit = kNoDigit;
  if (m_rcDate.PtInRect(point)) {
    digit = CellOf(m_rcDate, point);
  } else if (m_rcObs.PtInRect(point)) {
    digit = CellOf(m_rcObs, point) + 20;
  } else if (m_rcMag.PtInRect(point)) {
    digit = CellOf(m_rcMag, point) + 40;
  }
  // A press aims anew (a separator too); a repeat tick keeps the aim.
  if (action == kLeftPress || action == kRightPress) m_iSelDigit = digit;

  // Left steps up and right down; Shift reverses.  A repeat tick reads
  // Shift as it is now, so a hold can change direction midway.
  const IKeyboardState* keyboard = Context().keyboard;
  const bool shiftNow = keyboard && keyboard->IsShiftDown();
  bool up = true;
  switch (action) {
    case kLeftPress: up = !(m_holdL.flags & MK_SHIFT); break;
    case kRightPress: up = (m_holdR.flags & MK_SHIFT) != 0; break;
    case kLeftRepeat: up = !(shiftNow && m_holdL.shiftReverses); break;
    case kRightRepeat: up = shiftNow && m_holdR.shiftReverses; break;
    default: return;
  }
  if (up) {
    OnBtnDatePlus();
  } else {
    OnBtnDateMinus();
  }

  UpdateSelectionAfterPress(action);

  if (action == kLeftPress && m_rcTimeSysArrow.PtInRect(m_holdL.point)) ShowTimeSysMenu();
}

void CLumiraPad::UpdateSelectionAfterPress(int action) {
  // The first area that holds the left point, or else the right one
  // (the other button's point is (0, 0), outside every area).
  CPoint point;
  auto hit = [&](const CRect& area) {
    if (area.PtInRect(m_holdL.point)) {
      point = m_holdL.point;
      return true;
    }
    if (area.PtInRect(m_holdR.point)) {
      point = m_holdR.point;
      return true;
    }
    return false;
  };
  if (hit(m_rcDate)) {
    SetDateSelectedDigit(point);
    ClearDisplaySelection(m_stcObs);
    ClearDisplaySelection(m_stcMag);
  } else if (hit(m_rcObs)) {
    SetObsSelectedDigit(point);
    ClearDisplaySelection(m_stcDate);
    ClearDisplaySelection(m_stcMag);
  } else if (hit(m_rcMag)) {
    SetMagSelectedDigit(point);
    ClearDisplaySelection(m_stcDate);
    ClearDisplaySelection(m_stcObs);
  } else if (hit(m_rcTimeSys)) {
    StepTimeSysFromLabel(action);
  } else if (hit(m_rcEra)) {
    FlipEra();
  } else {
    m_iSelDigit = kNoDigit;
    m_nSelMode = 0;
    ClearDisplaySelection(m_stcDate);
    ClearDisplaySelection(m_stcObs);
    ClearDisplaySelection(m_stcMag);
  }
}

void CLumiraPad::StepTimeSysFromLabel(int action) {
  int index = MenuIndexOf(m_nTimeSys);
  if (action == kLeftPress) index += (m_holdL.flags & MK_SHIFT) ? -1 : 1;
  if (action == kRightPress) index += (m_holdR.flags & MK_SHIFT) ? 1 : -1;
  // A repeat tick re-selects the current system; past either end nothing.
  ChangeTimeSysByMenuIndex(index);
}

void CLumiraPad::FlipEra() {
  // Only where an era is shown: in JD, MJD and sidereal time the date
  // fields are those of an earlier display, and sending them would move
  // the host's time by hours or millennia.
  if (!IsCalendarSystem(m_nTimeSys) && m_nTimeSys != timesys::kUTD) return;
  // AD 2006 <-> 2006 BC (astronomical -2005).  A wild year from the host
  // stays within the int range.
  const long long flipped = 1LL - m_nYear;
  m_nYear = flipped > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max() : int(flipped);
  SetCorLmrDate();
  OnUpdate(kRefreshTime);
  NotifyMainWindow("DATE");
}

void CLumiraPad::ShowTimeSysMenu() {
  m_menuTimeSys.RemoveAll();
  for (int index = 0; index < timesys::kMenuEntries; ++index) {
    const timesys::Info& entry = *timesys::AtMenu(index);
    const char* mark = entry.code == m_nTimeSys ? " * " : "   ";
    m_menuTimeSys.Append(QString::fromUtf8(entry.key), QString::fromUtf8(mark) + timesys::Name(entry));
  }
  // The choice comes back as WM_CHANGETZ to OnChangeTz.
  m_menuTimeSys.TrackPopup(CPoint(m_rcTimeSys.left, m_rcClient.bottom - 3), this, WM_CHANGETZ);
  m_bMenuShown = 1;
}

// --- buttons ----------------------------------------------------------------------

void CLumiraPad::OnLButtonDown(UINT flags, CPoint point) {
  if (!m_bEnable) {
    StopHold(m_holdL);
    return;
  }
  if (m_holdR.busy || m_bMButton || m_bWheel) return;  // one action at a time
  // A press on a value, the label or the era starts the hold (not on the
  // arrow, and not while the time-lock question is open).
  if (m_bAskingLock != 1 && GetLButtonPos(point) == 0) {
    m_holdL.holdTimer = UINT(SetTimer(m_holdL.holdId, ButtonHold::kHoldMs));
    SetCapture();
    m_holdL.busy = 1;
  }
  m_holdL.flags = flags;
  m_holdL.shiftReverses = true;
  m_holdL.point = point;
  m_holdR.flags = 0;
  m_holdR.point = CPoint(0, 0);
  m_bMenuShown = 0;
  SPadUpdate(kLeftPress);
  CDialogBar::OnLButtonDown(flags, point);
}

void CLumiraPad::OnRButtonDown(UINT flags, CPoint point) {
  if (!m_bEnable) {
    StopHold(m_holdR);
    return;
  }
  if (m_holdL.busy || m_bMButton || m_bWheel) return;
  if (m_bAskingLock != 1 && GetLButtonPos(point) == 0) {
    m_holdR.holdTimer = UINT(SetTimer(m_holdR.holdId, ButtonHold::kHoldMs));
    SetCapture();
    m_holdR.busy = 1;
  }
  m_holdR.flags = flags;
  m_holdR.shiftReverses = true;
  m_holdR.point = point;
  m_holdL.point = CPoint(0, 0);
  m_bMenuShown = 0;
  SPadUpdate(kRightPress);
  CDialogBar::OnRButtonDown(flags, point);
}

void CLumiraPad::OnLButtonUp(UINT flags, CPoint point) {
  if (!m_bEnable) return;
  StopHold(m_holdL);
  SetFocus();
  CurrentKeyDisplay();  // the focus frame goes to the display clicked on
  ExecuteHost("animation.time = false");
  m_bPlaying = FALSE;
  CDialogBar::OnLButtonUp(flags, point);
}

void CLumiraPad::OnRButtonUp(UINT flags, CPoint point) {
  if (!m_bEnable) return;
  StopHold(m_holdR);
  SetFocus();
  CurrentKeyDisplay();  // the focus frame goes to the display clicked on
  ExecuteHost("animation.time = false");
  m_bPlaying = FALSE;
  CDialogBar::OnRButtonUp(flags, point);
}

// The second press of a double click steps again.
void CLumiraPad::OnLButtonDblClk(UINT flags, CPoint point) {
  const int pos = GetLButtonPos(point);
  if (pos == 0 || pos == 1) PostMessage(WM_LBUTTONDOWN, flags, MAKELPARAM(point.x, point.y));
  CDialogBar::OnLButtonDblClk(flags, point);
}

void CLumiraPad::OnRButtonDblClk(UINT flags, CPoint point) {
  const int pos = GetLButtonPos(point);
  if (pos == 0 || pos == 1) PostMessage(WM_RBUTTONDOWN, flags, MAKELPARAM(point.x, point.y));
  CDialogBar::OnRButtonDblClk(flags, point);
}

// The middle button resets the date field under it (the year is only
// selected).  Only x counts: a press beside the date text acts too.
void CLumiraPad::OnMButtonDown(UINT flags, CPoint point) {
  if (!m_bEnable) {
    m_bMButton = 0;
    return;
  }
  if (m_holdL.busy || m_holdR.busy || m_bWheel) return;
  CBusyScope busy(m_bMButton);
  if (m_nTimeSys == timesys::kUTD || m_nTimeSys == timesys::kJD || m_nTimeSys == timesys::kMJD ||
      m_nTimeSys == timesys::kST) {
    return;
  }

  const int digit = CellOf(m_rcDate, point);
  bool handled = true;
  switch (digit) {
    case 0: case 1: case 2: case 3: case 4:
      SetSelectedDigit(digit, 1);
      break;
    case 6: case 7:
      SetSelectedDigit(6, 2);
      m_nMonth = 1;
      break;
    case 9: case 10:
      SetSelectedDigit(digit, 1);
      m_nDay = 1;
      break;
    case 12: case 13:
      SetSelectedDigit(digit, 1);
      m_nHour = 0;
      break;
    case 15: case 16:
      SetSelectedDigit(digit, 1);
      m_nMinute = 0;
      break;
    case 18: case 19:
      SetSelectedDigit(digit, 1);
      m_nSecond = 0;
      break;
    case 5: case 8: case 11: case 14: case 17:
      SetSelectedDigit(kNoDigit, 0);
      break;
    default:
      SetSelectedDigit(kNoDigit, 0);
      handled = false;
      break;
  }
  m_stcDate.SetSelectedDigit(m_iSelDigit, m_nSelMode);
  m_stcDate.Invalidate(TRUE);
  // The host first, so that the main window, told next, reads the new
  // date.  The pad itself refreshes nothing here: the host answers the
  // command's "show lumiral" with a refresh.
  SetCorLmrDate();
  NotifyMainWindow("DATE");
  if (!handled) CDialogBar::OnMButtonDown(flags, point);
}

// --- pointer and wheel ---------------------------------------------------------------

void CLumiraPad::OnMouseMove(UINT flags, CPoint point) {
  if (!m_bEnable) return;
  if (m_rcDate.PtInRect(point)) {
    const int digit = CellOf(m_rcDate, point);
    if (IsCalendarSystem(m_nTimeSys) && !IsDateSeparator(digit)) m_iEdgeDigit = digit;
  } else if (m_rcObs.PtInRect(point)) {
    const int digit = CellOf(m_rcObs, point) + 20;
    if (!IsObsSeparator(digit)) m_iEdgeDigit = digit;
  } else if (m_rcMag.PtInRect(point)) {
    const int digit = CellOf(m_rcMag, point) + 40;
    if (digit != 42) m_iEdgeDigit = digit;
  } else if (m_rcTimeSysArea.PtInRect(point)) {
    m_iEdgeDigit = kTimeSysSelector;
  } else if (m_rcEra.PtInRect(point)) {
    m_iEdgeDigit = kEraMark;
  }
  // The focus is what brings the wheel's messages to the pad.
  SetFocus();
  CDialogBar::OnMouseMove(flags, point);
}

BOOL CLumiraPad::OnMouseWheel(UINT flags, short delta, CPoint screenPoint) {
  if (!m_bEnable) {
    m_bWheel = 0;
    return CDialogBar::OnMouseWheel(flags, delta, screenPoint);
  }
  if (m_holdL.busy || m_holdR.busy || m_bMButton) return CDialogBar::OnMouseWheel(flags, delta, screenPoint);

  CBusyScope busy(m_bWheel);
  // The wheel acts on the hovered digit; the highlight stays where it was.
  m_iSelDigit = m_iEdgeDigit;
  CPoint point = screenPoint;
  ScreenToClient(&point);
  if (!m_rcClient.PtInRect(point)) {
    m_bWheel = 0;
    return CDialogBar::OnMouseWheel(flags, delta, screenPoint);
  }
  if (m_rcTimeSysArea.PtInRect(point)) {
    // Forward goes up the menu, backward down; the ends re-select.
    const int index = MenuIndexOf(m_nTimeSys);
    ChangeTimeSysByMenuIndex(delta > 0 ? std::max(index - 1, 0) : std::min(index + 1, timesys::kMenuEntries - 1));
  } else if (m_rcEra.PtInRect(point)) {
    FlipEra();
  } else if (delta > 0) {
    OnBtnDatePlus();
  } else {
    OnBtnDateMinus();
  }
  return CDialogBar::OnMouseWheel(flags, delta, screenPoint);
}

// Neither stops the repeat nor releases the capture.
void CLumiraPad::OnCancelMode() { CDialogBar::OnCancelMode(); }
