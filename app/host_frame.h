// The planetarium's main frame as the pad sees it: the owner of the bar,
// the receiver of its button commands and of its change notices.
//
// The frame builds the pad (construct, Create, hand over the host control
// and the host's variables, dock at the top), turns the bar's button
// commands 6217 and 6218 into WM_CHANGEDATE and WM_CHANGEOBS for the pad,
// keeps each button enabled exactly while the pad allows its dialog, and
// passes every WM_PADCHANGED on to the application.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "framework/controlbar.h"
#include "pad/lumirapad.h"

class QMainWindow;

namespace lumira {

// Command ids of the bar's two bitmap buttons.
constexpr UINT kDateButtonId = 6217;
constexpr UINT kObsButtonId = 6218;

// The host's variables that the pad reads and writes.  A new host starts
// in Japan standard time (code 0, zone 9.0) in continuous animation mode.
struct HostVariables {
  int timeSys = 0;     // timesys::HostCode: 0 zone time, 1 universal time, 2 local mean time
  double zone = 9.0;   // hours east of Greenwich
  int animation = 0;   // the Time menu's animation mode: 0 continuous
                       // (speed times real time), 1 step (speed per
                       // tick), 2 real time
};

class CPadHostFrame : public CFrameWnd {
 public:
  // `host` is what the pad talks to; it must outlive the pad.
  CPadHostFrame(CAppContext& ctx, QMainWindow* window, CCorLmr& host);
  ~CPadHostFrame() override;

  // Builds the pad and docks it at the top of the window.  With `dock`
  // false the bar stays a plain child of the frame (replays).  On failure
  // `*error` says what went wrong and no pad exists.
  bool CreatePad(bool dock, QString* error);
  // Destroys the pad's window and the pad.
  void DestroyPad();
  CLumiraPad* Pad() const { return m_pad.get(); }
  HostVariables& Variables() { return m_vars; }
  // Puts `host` between the pad and the host given at construction, for
  // the pad there is and every pad built after (replays answer queries of
  // their own this way).  It must outlive the pads.
  void SetPadHost(CCorLmr& host);

  // What the bar's buttons do: open the date/time or the location dialog.
  // Both are refused while the pad takes no input; the date dialog also
  // while the pad disables its button (in sidereal time the pad has no
  // date to offer).
  void ChangeDate();
  void ChangeObs();
  bool DateDialogAllowed() const;
  bool ObsDialogAllowed() const;

  // Enables each of the bar's buttons exactly when the pad allows its
  // dialog.  Cheap when nothing changed, so it may follow every host
  // exchange (a time-system choice from the pad's menu sends no change
  // notice).
  void RefreshButtons(bool force = false);

  // Every control of the bar with this id.  The date button shares its id
  // with the hidden slot it was centred in, so a lookup by id alone may
  // find the slot rather than the button.
  std::vector<CWnd*> BarControls(UINT id) const;

  // Told each WM_PADCHANGED's text ("DATE" or "OBS").
  std::function<void(const QString&)> onPadChanged;
  // Told whenever a button's state may have changed: whether each dialog
  // is allowed.
  std::function<void(bool date, bool obs)> onButtonsChanged;

  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  CCorLmr* m_host;
  HostVariables m_vars;
  std::unique_ptr<CLumiraPad> m_pad;
  int m_buttonsShown = -1;  // what the buttons last showed (bit 0 date, 1 location): -1 unknown
};

}  // namespace lumira
