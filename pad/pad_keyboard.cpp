// The bar from the keyboard.
//
// The bar takes the focus by a click or Tab and then frames the display
// the keys act on.  Up and + step the selected digit as a left press on
// it does, Down and - as a right press (Shift reverses Up and Down): the key
// fills in the press of its button's hold and goes through the same
// SPadUpdate, so the step, the range test, the time-lock question and the
// notice to the main window are the mouse's, and a held key repeats on
// the same hold and repeat timers.  The system's own key repeat adds no
// steps.  Left and Right move the selection along the steppable digits of
// the display, Tab to the next display (and out of the bar after the
// last), Enter presses the display's dialog button and Escape clears the
// selection.
#include <QWidget>
#include <algorithm>
#include <vector>

#include "pad/lumirapad.h"
#include "pad/pad_support.h"

namespace {

constexpr int kNoDigit = -99;
constexpr int kCell = CLmrStatic::kCellWidth;
constexpr int kDisplays = 3;  // date, place, magnitude
constexpr COLORREF kFocusMark = CLmrStatic::kTextColor;

// The digits a key can select, left to right: one index per steppable
// unit (the month and the tens of the longitude degrees step as one).
const std::vector<int>& SteppableDigits(int display) {
  static const std::vector<int> date{0, 1, 2, 3, 4, 6, 9, 10, 12, 13, 15, 16, 18, 19};
  static const std::vector<int> obs{20, 22, 24, 25, 27, 29, 30, 32, 33, 35};
  static const std::vector<int> mag{40, 43};
  return display == 0 ? date : display == 1 ? obs : mag;
}

int DisplayOf(int digit) { return digit < 20 ? 0 : digit < 40 ? 1 : 2; }

bool IsStepKey(UINT vk) { return vk == VK_UP || vk == VK_ADD || vk == VK_DOWN || vk == VK_SUBTRACT; }
bool IsUpKey(UINT vk) { return vk == VK_UP || vk == VK_ADD; }

}  // namespace

void CLumiraPad::InitKeyboard() {
  QWidget* bar = Widget();
  if (!bar) return;
  bar->setFocusPolicy(Qt::StrongFocus);
  bar->setAccessibleName(GetWindowText());
  bar->setAccessibleDescription(PadText(
      "↑ と ↓ で選択した桁を増減、← と → で桁を移動、Tab で表示を移動、Enter で入力ダイアログ、Esc で選択を解除"));
  // Screen readers name each part as its tooltip does (the displays, the
  // label, the buttons); the value texts describe themselves with what
  // they show (CLmrStatic).
  for (QWidget* child : bar->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    const CWnd* part = CWnd::FromWidget(child);
    const QString name = part ? m_ToolTip.TextOf(part) : QString();
    if (!name.isEmpty()) child->setAccessibleName(name);
  }
}

void CLumiraPad::OnSetFocus() {
  m_bKeyFocus = 1;
  Invalidate(FALSE);
}

void CLumiraPad::OnKillFocus() {
  // A key released elsewhere never comes up here: its hold ends now.
  if (m_nKeyHeld != 0) {
    StopHold(IsUpKey(m_nKeyHeld) ? m_holdL : m_holdR);
    m_nKeyHeld = 0;
  }
  m_bKeyFocus = 0;
  Invalidate(FALSE);
}

// A frame one pixel around the display the keys act on, in the labels'
// blue: the panel under it is black in both colour schemes.
void CLumiraPad::DrawFocusMark(CDC* dc) {
  if (!m_bKeyFocus) return;
  const CRect* areas[kDisplays] = {&m_rcDate, &m_rcObs, &m_rcMag};
  CRect mark = *areas[std::clamp(m_nKeyDisplay, 0, kDisplays - 1)];
  mark.SetRect(mark.left - 1, mark.top - 1, mark.right + 1, mark.bottom + 1);
  const CBrush brush(kFocusMark);
  dc->FrameRect(mark, &brush);
}

int CLumiraPad::CurrentKeyDisplay() {
  // A click may have selected a digit of another display since.
  if (m_iSelDigit != kNoDigit && DisplayOf(m_iSelDigit) != m_nKeyDisplay) {
    m_nKeyDisplay = DisplayOf(m_iSelDigit);
    Invalidate(FALSE);
  }
  return m_nKeyDisplay;
}

BOOL CLumiraPad::OnKeyDown(UINT vk, UINT /*repeatCount*/, UINT flags) {
  if (!m_bEnable) return FALSE;
  const bool shift = Context().keyboard && Context().keyboard->IsShiftDown();
  switch (vk) {
    case VK_UP: case VK_ADD: case VK_DOWN: case VK_SUBTRACT:
      return StepByKey(vk, flags);
    case VK_LEFT:
    case VK_RIGHT:
      MoveKeySelection(vk == VK_LEFT ? -1 : 1);
      return TRUE;
    case VK_TAB:
      return TabToDisplay(shift ? -1 : 1);
    case VK_RETURN: {
      // As the display's button: the host decides whether it opens.
      const int display = CurrentKeyDisplay();
      if (display == 0) m_btnDate.Click();
      if (display == 1) m_btnObs.Click();
      return display != 2;
    }
    case VK_ESCAPE: {
      CurrentKeyDisplay();
      const bool selected = m_iSelDigit != kNoDigit;
      TurnOffSelection();
      return selected;
    }
    default:
      return FALSE;
  }
}

BOOL CLumiraPad::StepByKey(UINT vk, UINT flags) {
  // The hold repeats the step; the system's repeated key-downs add none.
  if (flags & KF_REPEAT) return TRUE;
  if (m_holdL.busy || m_holdR.busy || m_bMButton || m_bWheel) return TRUE;  // one action at a time
  if (m_iSelDigit == kNoDigit) return TRUE;
  CurrentKeyDisplay();

  const bool up = IsUpKey(vk);
  ButtonHold& hold = up ? m_holdL : m_holdR;
  ButtonHold& other = up ? m_holdR : m_holdL;
  const CRect* area = m_iSelDigit < 20 ? &m_rcDate : m_iSelDigit < 40 ? &m_rcObs : &m_rcMag;
  const int cell = m_iSelDigit % 20;
  // The press is aimed at the middle of the selected cell.
  hold.point = CPoint(area->left + cell * kCell + kCell / 2, area->top + area->Height() / 2);
  // Shift reverses Up and Down; + and - step their own way, since many
  // keyboards need Shift to type +.
  hold.shiftReverses = vk == VK_UP || vk == VK_DOWN;
  hold.flags = (hold.shiftReverses && Context().keyboard && Context().keyboard->IsShiftDown()) ? MK_SHIFT : 0;
  other.point = CPoint(0, 0);
  other.flags = 0;
  if (m_bAskingLock != 1) {
    hold.holdTimer = UINT(SetTimer(hold.holdId, ButtonHold::kHoldMs));
    hold.busy = 1;
    m_nKeyHeld = vk;
  }
  m_bMenuShown = 0;
  SPadUpdate(up ? kLeftPress : kRightPress);
  return TRUE;
}

void CLumiraPad::OnKeyUp(UINT vk, UINT /*repeatCount*/, UINT /*flags*/) {
  if (!m_bEnable || !IsStepKey(vk) || m_nKeyHeld == 0 || IsUpKey(vk) != IsUpKey(m_nKeyHeld)) return;
  StopHold(IsUpKey(vk) ? m_holdL : m_holdR);
  m_nKeyHeld = 0;
  // The end of a step, as a button coming up.
  ExecuteHost("animation.time = false");
}

void CLumiraPad::SelectDigitByKey(int digit) {
  const int cell = digit % 20;
  if (DisplayOf(digit) == 0) {
    SetDateSelectedDigit(CPoint(m_rcDate.left + cell * kCell, m_rcDate.top));
    ClearDisplaySelection(m_stcObs);
    ClearDisplaySelection(m_stcMag);
  } else if (DisplayOf(digit) == 1) {
    SetObsSelectedDigit(CPoint(m_rcObs.left + cell * kCell, m_rcObs.top));
    ClearDisplaySelection(m_stcDate);
    ClearDisplaySelection(m_stcMag);
  } else {
    SetMagSelectedDigit(CPoint(m_rcMag.left + cell * kCell, m_rcMag.top));
    ClearDisplaySelection(m_stcDate);
    ClearDisplaySelection(m_stcObs);
  }
}

void CLumiraPad::MoveKeySelection(int direction) {
  const int display = CurrentKeyDisplay();
  // Only calendar dates have digits to step.
  if (display == 0 && !IsCalendarSystem(m_nTimeSys)) return;
  const std::vector<int>& digits = SteppableDigits(display);
  if (m_iSelDigit == kNoDigit) {
    SelectDigitByKey(direction > 0 ? digits.front() : digits.back());
    return;
  }
  // The unit the selection lies in (a click on a unit's second cell
  // selects that cell), then its neighbour; the ends stay.
  const auto unit = std::upper_bound(digits.begin(), digits.end(), m_iSelDigit) - 1;
  const auto next = direction > 0 ? std::min(unit + 1, digits.end() - 1) : std::max(unit - 1, digits.begin());
  SelectDigitByKey(*next);
}

BOOL CLumiraPad::TabToDisplay(int direction) {
  const int display = CurrentKeyDisplay() + direction;
  if (display < 0 || display >= kDisplays) {
    // Past the last display the focus leaves the bar.
    TurnOffSelection();
    m_nKeyDisplay = direction > 0 ? 0 : kDisplays - 1;
    return FALSE;
  }
  m_nKeyDisplay = display;
  Invalidate(FALSE);
  if (display == 0 && !IsCalendarSystem(m_nTimeSys)) {
    TurnOffSelection();
  } else {
    SelectDigitByKey(SteppableDigits(display).front());
  }
  return TRUE;
}
