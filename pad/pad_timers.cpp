// Auto-repeat while a mouse button is held, and stopping the host's time
// animation.
//
// A press starts its button's 500 ms hold timer (pad_mouse.cpp).  When it
// fires it re-arms itself and starts the 10 ms repeat timer, and every
// repeat tick steps once more; the re-armed hold timer keeps restarting
// the repeat for as long as the button is down.  Whatever ends the hold
// (button-up, disabling, the time-lock question) goes through StopHold.
#include "pad/lumirapad.h"
#include "pad/pad_support.h"

void CLumiraPad::OnTimer(UINT_PTR id) {
  for (ButtonHold* hold : {&m_holdL, &m_holdR}) {
    if (id == hold->holdId) {
      KillTimer(hold->holdId);
      hold->holdTimer = UINT(SetTimer(hold->holdId, ButtonHold::kHoldMs));
      hold->repeatTimer = UINT(SetTimer(hold->repeatId, ButtonHold::kRepeatMs));
    } else if (id == hold->repeatId && hold->repeatTimer != UINT(-1)) {  // else the hold has ended
      SPadUpdate(hold == &m_holdL ? kLeftRepeat : kRightRepeat);
      RestartRepeat(*hold);
    }
  }
  CDialogBar::OnTimer(id);
}

void CLumiraPad::RestartRepeat(ButtonHold& hold) {
  // The step may have ended the hold (the time-lock question stops the
  // repeat before it asks): then the repeat stays stopped.
  if (hold.repeatTimer == UINT(-1)) return;
  KillTimer(hold.repeatId);
  hold.repeatTimer = UINT(SetTimer(hold.repeatId, ButtonHold::kRepeatMs));
}

const char* CLumiraPad::AnimationModeCommand(int mode) {
  switch (mode) {
    case kContinuous: case 3:
      return "Animation.Time.Realtime = FALSE; Animation.Time.Speed.Step = FALSE";
    case kStep:
      return "Animation.Time.Realtime = FALSE; Animation.Time.Speed.Step = TRUE";
    case kRealTime:
      return "Animation.Time.Realtime = TRUE; Animation.Time.Speed.Step = FALSE;";
    default:
      return "";
  }
}

void CLumiraPad::StopAnimation() {
  // The pad has no time-jog slider and no speed text on the bar, so only
  // the speed text's value is kept.
  m_strSpeed = PadText("0/秒");
  ExecuteHost("Stop Lumiral");
  ExecuteHost("Animation.Time = FALSE");
  // Put the host's switches back to the mode its variable names.
  if (m_pAnimation) ExecuteHost(AnimationModeCommand(*m_pAnimation));
  m_bPlaying = FALSE;
  OnUpdate(kRefreshTime | kRefreshMagnitude);
}
