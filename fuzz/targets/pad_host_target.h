// The pad reading a host that answers anything: every reply of a run comes
// from the input (one a line, NULs kept), after a healthy refresh has put
// the pad in a known state.  The run refreshes everything, shows every
// time system, steps the magnitude up (the catalogue-name lookup), the
// hour, the place and the era, opens both dialogs (the date dialog with
// OK) and paints.  Besides not crashing: no host call fails, so nothing
// may throw.  A QApplication must exist.
#pragma once

#include <QMainWindow>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/controlbar.h"
#include "framework/resources.h"
#include "framework/scripted_services.h"
#include "fuzz_check.h"
#include "fuzz_inputs.h"
#include "pad/lumirapad.h"

namespace fuzz {

// Answers from a table while healthy, from a queue of fuzz replies after.
class CQueuedHost : public CCorLmr {
 public:
  std::map<std::string, std::string> healthy;
  std::vector<std::string> queue;
  size_t next = 0;
  bool fuzzing = false;

  std::string Execute(const char* command) override {
    if (!fuzzing) {
      const auto it = healthy.find(command);
      return it == healthy.end() ? std::string() : it->second;
    }
    return next < queue.size() ? queue[next++] : std::string();
  }
};

class CPadHostFuzz {
 public:
  CPadHostFuzz() {
    QString error;
    if (!m_resources.Load(":/qelpad/", &error)) {
      std::fprintf(stderr, "pad resources: %s\n", qPrintable(error));
      std::abort();
    }
    m_host.healthy = {
        {"? JST(Time)", "JST AD2006/04/01 21:30:15"},  {"? UT(Time)", "UT AD2006/04/01 12:30:15"},
        {"? LST(Time)", "LST AD2006/04/01 21:30:15"},  {"? LMT(Time)", "LMT AD2006/04/01 21:30:15"},
        {"? Time.Timezone", "9"},                      {"? Time.jd", "2453827.02101"},
        {"? Time.SiderealTime", "10.5"},               {"? Time.Lock", "FALSE"},
        {"? Solar.Moon.age", "3.2"},                   {"? Location.Longitude; ? Location.Latitude", "135;35"},
        {"? Star.AutoMagnitudeLimit.minimum", "6.5"},  {"? View.Track", "FALSE"},
        {"? View.Trace", "FALSE"},                     {"? Star.Catalog", "Hipparcos"},
        {"? Star.Catalog.Switch", "FALSE"},            {"? location.longitude", "135"},
    };
    m_ctx = m_services.Context(&m_resources);
    m_frame = std::make_unique<CFrameWnd>(m_ctx, &m_window);
    m_ctx.mainWnd = m_frame.get();
    m_window.resize(800, 120);
    m_pad = std::make_unique<CLumiraPad>(m_ctx);
    FUZZ_CHECK(m_pad->Create(m_frame.get()) == 1, "pad not created");
    m_frame->DockControlBar(m_pad.get());
    m_pad->SetTimeSysPtr(&m_timeSys, &m_zone);
    m_pad->SetAnimationPtr(&m_animation);
    m_pad->SetpCorLmr(&m_host);
    m_window.show();
    m_pad->Invalidate(FALSE);
    m_pad->UpdateWindow();
  }
  ~CPadHostFuzz() {
    if (m_pad && m_pad->IsWindow()) m_pad->DestroyWindow();
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
    m_services.modal.Push([](CDialog& dialog) { dialog.PressButton(IDOK); });
    m_pad->SendMessage(WM_CHANGEDATE, 0, 0);
    m_pad->SendMessage(WM_CHANGEOBS, 0, 0);
    m_pad->Invalidate(FALSE);
    m_pad->UpdateWindow();
    for (QWidget* child : m_pad->Widget()->findChildren<QWidget*>()) {
      if (CWnd* wnd = CWnd::FromWidget(child)) wnd->UpdateWindow();
    }
    m_services.prompt.ClearShown();
    m_services.modal = CScriptedModalRunner();
  }

 private:
  CScriptedServices m_services;
  CResources m_resources;
  QMainWindow m_window;
  CAppContext m_ctx;
  std::unique_ptr<CFrameWnd> m_frame;
  CQueuedHost m_host;
  int m_timeSys = 0;
  double m_zone = 9.0;
  int m_animation = 0;
  std::unique_ptr<CLumiraPad> m_pad;
};

}  // namespace fuzz
