// Auto-repeat while a mouse button is held, and stopping the host's time
// animation.
//
// A press starts the 500 ms hold timer (100 left, 102 right).  When it
// fires it starts the 10 ms repeat timer (101, 103), and every repeat tick
// steps once more.  Button-up kills both (pad_mouse.cpp).
#include "pad/lumirapad.h"

namespace {

constexpr UINT kNoTimer = UINT(-1);
constexpr UINT_PTR kTimerHoldL = 100;
constexpr UINT_PTR kTimerRepeatL = 101;
constexpr UINT_PTR kTimerHoldR = 102;
constexpr UINT_PTR kTimerRepeatR = 103;
constexpr UINT kHoldMs = 500;
constexpr UINT kRepeatMs = 10;

}  // namespace

void CLumiraPad::OnTimer(UINT_PTR id) {
  switch (id) {
    case kTimerHoldL:
      KillTimer(kTimerHoldL);
      m_nTimerL1 = UINT(SetTimer(kTimerHoldL, kHoldMs));
      m_nTimerL2 = UINT(SetTimer(kTimerRepeatL, kRepeatMs));
      break;
    case kTimerRepeatL:
      if (m_nTimerL2 == kNoTimer) break;  // the hold has ended already
      SPadUpdate(kLeftRepeat);
      RestartRepeat(m_nTimerL2, kTimerRepeatL);
      break;
    case kTimerHoldR:
      KillTimer(kTimerHoldR);
      m_nTimerR1 = UINT(SetTimer(kTimerHoldR, kHoldMs));
      m_nTimerR2 = UINT(SetTimer(kTimerRepeatR, kRepeatMs));
      break;
    case kTimerRepeatR:
      if (m_nTimerR2 == kNoTimer) break;
      SPadUpdate(kRightRepeat);
      RestartRepeat(m_nTimerR2, kTimerRepeatR);
      break;
    default:
      break;
  }
  CDialogBar::OnTimer(id);
}

void CLumiraPad::RestartRepeat(UINT& repeatTimer, UINT_PTR id) {
  // The step may have ended the hold (the time-lock question stops the
  // repeat before it asks): then the repeat stays stopped.
  if (repeatTimer == kNoTimer) return;
  KillTimer(id);
  repeatTimer = UINT(SetTimer(id, kRepeatMs));
}

void CLumiraPad::StopAnimation() {
  // The pad has no time-jog slider and no speed text on the bar, so only
  // the speed text's value is kept.
  m_strSpeed = QString::fromUtf8("0/秒");
  ExecuteHost("Stop Lumiral");
  ExecuteHost("Animation.Time = FALSE");
  // Put the host's switches back to the mode its variable names.
  if (m_pAnimation) {
    switch (*m_pAnimation) {
      case 0: case 3:
        ExecuteHost("Animation.Time.Realtime = FALSE; Animation.Time.Speed.Step = FALSE");
        break;
      case 1:
        ExecuteHost("Animation.Time.Realtime = FALSE; Animation.Time.Speed.Step = TRUE");
        break;
      case 2:
        ExecuteHost("Animation.Time.Realtime = TRUE; Animation.Time.Speed.Step = FALSE;");
        break;
      default:
        ExecuteHost("");
        break;
    }
  }
  m_bPlaying = FALSE;
  OnUpdate(kRefreshTime | kRefreshMagnitude);
}
