// The pad reading a host that answers anything: every reply of a run comes
// from the input (one a line, NULs kept), after a healthy refresh has put
// the pad in a known state.  The run refreshes everything, shows every
// time system, steps the magnitude up (the catalogue-name lookup), the
// hour, the place and the era, opens both dialogs (the date dialog with
// OK) and paints.  Besides not crashing: no host call fails, so nothing
// may throw.  A QApplication must exist.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "fuzz_inputs.h"
#include "pad_rig.h"

namespace fuzz {

// Answers as the tests' scripted host while healthy, from a queue of fuzz
// replies after.
class CQueuedHost : public CScriptedHost {
 public:
  std::vector<std::string> queue;
  size_t next = 0;
  bool fuzzing = false;

  std::string Execute(const char* command) override {
    if (!fuzzing) return CScriptedHost::Execute(command);
    return next < queue.size() ? queue[next++] : std::string();
  }
};

class CPadHostFuzz {
 public:
  CPadHostFuzz() {
    ScriptStandardMoment(m_host);
    m_host.Reply("? location.longitude", "135");
    m_rig.engine = &m_host;
    FUZZ_CHECK(m_rig.Build(), "pad not created");
    m_pad = m_rig.pad.get();
  }
  CPadHostFuzz(const CPadHostFuzz&) = delete;
  CPadHostFuzz& operator=(const CPadHostFuzz&) = delete;

  void Run(const uint8_t* data, size_t size) {
    // A known state first.
    m_host.fuzzing = false;
    m_pad->SendMessage(WM_CHANGETZ, 0, reinterpret_cast<LPARAM>("JST"));
    m_pad->OnUpdate(CLumiraPad::kRefreshAll);

    CInput in(data, size);
    m_host.queue.clear();
    m_host.next = 0;
    while (!in.Empty()) m_host.queue.push_back(in.Line());
    m_host.fuzzing = true;

    m_pad->OnUpdate(CLumiraPad::kRefreshAll);
    for (const char* label : {"UT", "UTD", "LST", "LMT", "JD", "MJD", "ST", "JST"}) {
      m_pad->SendMessage(WM_CHANGETZ, 0, reinterpret_cast<LPARAM>(label));
    }
    for (int digit : {43, 40, 13, 22, 30}) {
      m_pad->SetSelectedDigit(digit, 1);
      m_pad->OnBtnDatePlus();
    }
    m_pad->SetSelectedDigit(13, 1);
    m_pad->OnBtnDateMinus();
    m_rig.services.modal.Push([](CDialog& dialog) { dialog.PressButton(IDOK); });
    m_pad->SendMessage(WM_CHANGEDATE, 0, 0);
    m_pad->SendMessage(WM_CHANGEOBS, 0, 0);
    m_pad->Invalidate(FALSE);
    m_pad->UpdateWindow();
    for (QWidget* child : m_pad->Widget()->findChildren<QWidget*>()) {
      if (CWnd* wnd = CWnd::FromWidget(child)) wnd->UpdateWindow();
    }
    m_rig.services.prompt.ClearShown();
    m_rig.frame->changes.clear();
    m_host.ClearSent();
    m_rig.services.modal = CScriptedModalRunner();
  }

 private:
  CQueuedHost m_host;  // before the rig: the pad goes first
  PadRig m_rig;
  CLumiraPad* m_pad = nullptr;
};

}  // namespace fuzz
