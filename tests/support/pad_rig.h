// A pad on a frame window with scripted services, the pad module's
// resources, a main window that records WM_PADCHANGED, a scripted host
// control (or any other CCorLmr) and the host's three variables: what the
// tests, the benchmarks and the fuzz targets drive.
//
//   PadRig rig;                       // scripted host with a standard moment
//   rig.host.Reply("? View.Track", "TRUE");
//   rig.Build();                      // Create + setters + first paint
//   rig.pad->OnUpdate(CLumiraPad::kRefreshTrack);
#pragma once

#include <QDockWidget>
#include <QMainWindow>
#include <memory>
#include <string>
#include <vector>

#include "framework/controlbar.h"
#include "framework/resources.h"
#include "framework/scripted_services.h"
#include "host/registry.h"
#include "pad/lumirapad.h"
#include "pad_probe.h"
#include "scripted_host.h"
// The application's main window: records the text of every WM_PADCHANGED.
class CPadChangeRecorder : public CFrameWnd {
 public:
  using CFrameWnd::CFrameWnd;
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_PADCHANGED) {
      changes.emplace_back(lp ? reinterpret_cast<const char*>(lp) : "");
      return 0;
    }
    return CFrameWnd::WindowProc(msg, wp, lp);
  }
  std::vector<std::string> changes;
};

// The standard moment the scripted host describes unless a test says
// otherwise: 2006-04-01 21:30:15 JST (12:30:15 UT) at 135.0E 35.0N.
inline void ScriptStandardMoment(CScriptedHost& host) {
  host.Reply("? JST(Time)", "JST AD2006/04/01 21:30:15");
  host.Reply("? UT(Time)", "UT AD2006/04/01 12:30:15");
  host.Reply("? LST(Time)", "LST AD2006/04/01 21:30:15");
  host.Reply("? LMT(Time)", "LMT AD2006/04/01 21:30:15");
  host.Reply("? Time.Timezone", "9");
  host.Reply("? Time.jd", "2453827.02101");
  host.Reply("? Time.SiderealTime", "10.5");
  host.Reply("? Time.Lock", "FALSE");
  host.Reply("? Solar.Moon.age", "3.2");
  host.Reply("? Location.Longitude; ? Location.Latitude", "135;35");
  host.Reply("? Star.AutoMagnitudeLimit.minimum", "6.5");
  host.Reply("? View.Track", "FALSE");
  host.Reply("? View.Trace", "FALSE");
  host.Reply("? Star.Catalog", "Hipparcos");
  host.Reply("? Star.Catalog.Switch", "FALSE");
}

struct PadRig {
  // Before Build(): how the bar is set up.
  int colorScheme = 0;       // written to the settings before the pad reads them
  bool floating = false;     // float the dock the bar is put in at the top of the frame
  bool giveHost = true;      // hand over a host control at all
  bool givePointers = true;  // hand over the three host variables
  CCorLmr* engine = nullptr; // another host control instead of `host`

  CScriptedServices services;  // services.prompt, .clock, .popup ... script and record
  CResources resources;
  QMainWindow window;
  CAppContext ctx;  // the scripted services, the resources and the main window
  std::unique_ptr<CPadChangeRecorder> frame;
  CScriptedHost host;
  int timeSys = 0;
  double zone = 9.0;
  int animation = 0;
  std::unique_ptr<CLumiraPad> pad;
  QString error;

  PadRig() { ScriptStandardMoment(host); }
  ~PadRig() {
    if (pad && pad->IsWindow()) pad->DestroyWindow();
    pad.reset();
  }

  CAppContext& Context() { return ctx; }
  CCorLmr* Host() { return engine ? engine : &host; }
  const std::vector<std::string>& Changes() const { return frame->changes; }

  // Creates the pad on the frame, hands over the host and its variables
  // and paints, so that the first-paint layout and refresh have run and
  // the bar shows their result.
  // False (with `error` set) when the pad's resources or window fail.
  bool Build() {
    if (!resources.Load(":/qelpad/", &error)) return false;
    ctx = services.Context(&resources);
    frame = std::make_unique<CPadChangeRecorder>(ctx, &window);
    ctx.mainWnd = frame.get();
    CRegistry::Write("General", "ColorScheme", colorScheme);
    window.resize(800, 120);
    pad = std::make_unique<CLumiraPad>(Context());
    if (pad->Create(frame.get()) != 1) {
      error = "the pad could not be created";
      return false;
    }
    frame->DockControlBar(pad.get());
    if (floating) frame->FloatControlBar(pad.get(), true);
    window.show();
    if (givePointers) {
      pad->SetTimeSysPtr(&timeSys, &zone);
      pad->SetAnimationPtr(&animation);
    }
    if (giveHost) pad->SetpCorLmr(Host());
    pad->Invalidate(FALSE);
    pad->UpdateWindow();
    pad->UpdateWindow();  // what the first refresh invalidated, as the event loop would
    return true;
  }
};

