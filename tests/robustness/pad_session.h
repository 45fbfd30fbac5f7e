// A pad against the real engine behind a host that can be told to fail,
// and a session that touches every operation of the pad the way a user
// and a host do: input through the window layer's message pump, host
// calls (refresh, stopping the animation, enabling) as plain calls.
#pragma once

#include <gtest/gtest.h>

#include <QtGlobal>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/settime_ids.h"
#include "faulty_host.h"
#include "pad_fixture.h"
#include "pad_probe.h"
#include "sky/engine.h"

// Collects what the window layer says when it abandons a message.
class CAbandonLog {
 public:
  CAbandonLog() {
    s_log = this;
    m_previous = qInstallMessageHandler(&CAbandonLog::Handler);
  }
  ~CAbandonLog() {
    qInstallMessageHandler(m_previous);
    s_log = nullptr;
  }
  std::vector<std::string> entries;

 private:
  static void Handler(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (s_log && type == QtWarningMsg && text.contains("abandoned")) s_log->entries.push_back(text.toStdString());
  }
  static inline CAbandonLog* s_log = nullptr;
  QtMessageHandler m_previous;
};

class CPadSession {
 public:
  CPadSession() : host(engine) {
    rig.engine = &host;
    rig.Build();
    probe = std::make_unique<CLumiraPadProbe>(*rig.pad);
  }
  ~CPadSession() {
    probe.reset();
    if (rig.pad && rig.pad->IsWindow()) rig.pad->DestroyWindow();
    rig.pad.reset();
  }

  CLumiraPad& Pad() { return *rig.pad; }
  CLumiraPadProbe& P() { return *probe; }

  // --- input as the window layer delivers it ---------------------------------
  void Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
    Pad().DispatchMessage(msg, wp, lp);
    Paint();
  }
  void Mouse(UINT msg, CPoint pt, UINT flags = 0) { Dispatch(msg, flags, MAKELPARAM(pt.x, pt.y)); }
  void LeftClick(CPoint pt, UINT flags = 0) {
    Mouse(WM_LBUTTONDOWN, pt, flags);
    Mouse(WM_LBUTTONUP, pt, flags);
  }
  void RightClick(CPoint pt, UINT flags = 0) {
    Mouse(WM_RBUTTONDOWN, pt, flags);
    Mouse(WM_RBUTTONUP, pt, flags);
  }
  void Wheel(CPoint clientPt, short delta) {
    Mouse(WM_MOUSEMOVE, clientPt);
    const CPoint screen = P().ScreenOf(clientPt);
    Dispatch(WM_MOUSEWHEEL, MAKEWPARAM(0, UINT(std::uint16_t(delta))), MAKELPARAM(screen.x, screen.y));
  }
  void Hold(bool left, CPoint pt, int ms) {
    Mouse(left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN, pt);
    rig.services.clock.Advance(ms);
    Mouse(left ? WM_LBUTTONUP : WM_RBUTTONUP, pt);
  }
  void ChangeTz(const char* label) { Dispatch(WM_CHANGETZ, 0, reinterpret_cast<LPARAM>(label)); }
  // What the event loop does between messages.
  void Paint() {
    Pad().UpdateWindow();
    CWnd::ProcessPostedMessages();
  }
  // A host's own call into the pad: a failing host call comes back to it
  // as CHostError and as nothing else.
  template <class Call>
  void AsHost(Call call) {
    try {
      call();
    } catch (const CHostError&) {
    }
    Paint();
  }

  // --- the session -------------------------------------------------------------
  // Every time system, every kind of step, holds, the era, the wheel, the
  // middle button, the menu, both dialogs, the lock question, stopping the
  // animation and disabling; ends in Japan standard time.
  void Run() {
    AsHost([&] { Pad().OnUpdate(0xFF); });
    for (const char* label : {"UT", "UTD", "LST", "LMT", "JD", "MJD", "ST", "JST"}) {
      ChangeTz(label);
      LeftClick(P().DateCell(13));
    }
    for (int digit : {0, 1, 2, 3, 4, 5, 7, 9, 10, 12, 15, 16, 18, 19}) LeftClick(P().DateCell(digit));
    RightClick(P().DateCell(10));
    LeftClick(P().DateCell(16), MK_SHIFT);
    RightClick(P().DateCell(19), MK_SHIFT);
    for (int digit : {20, 22, 24, 25, 27, 29, 30, 32, 33, 35}) LeftClick(P().ObsCell(digit));
    RightClick(P().ObsCell(21));
    RightClick(P().ObsCell(30));
    for (int digit : {40, 43}) LeftClick(P().MagCell(digit));
    RightClick(P().MagCell(41));

    // Holds: left on the seconds with Shift turning midway, right on the hour.
    Mouse(WM_LBUTTONDOWN, P().DateCell(19));
    rig.services.clock.Advance(530);
    rig.services.keyboard.SetShift(true);
    rig.services.clock.Advance(30);
    rig.services.keyboard.SetShift(false);
    Mouse(WM_LBUTTONUP, P().DateCell(19));
    Hold(false, P().DateCell(13), 540);
    // The era: a click, a hold, the wheel.
    LeftClick(P().EraMark());
    Hold(true, P().EraMark(), 520);
    Wheel(P().EraMark(), 120);
    // The wheel over digits and over the time-system selector.
    Wheel(P().DateCell(16), 120);
    Wheel(P().DateCell(16), -120);
    Wheel(P().ObsCell(33), 120);
    Wheel(P().TimeSysLabel(), -120);
    Wheel(P().TimeSysLabel(), 120);
    // The middle button on each date field and beside the text.
    for (int digit : {4, 7, 10, 13, 16, 19, 30}) Mouse(WM_MBUTTONDOWN, P().DateCell(digit));
    // The label steps the system; the arrow opens the menu.
    LeftClick(P().TimeSysLabel());
    RightClick(P().TimeSysLabel());
    rig.services.popup.Choose(4);  // LMT
    LeftClick(P().Arrow());
    LeftClick(P().DateCell(16));
    ChangeTz("JST");
    // A double click steps twice.
    Mouse(WM_LBUTTONDOWN, P().DateCell(12));
    Mouse(WM_LBUTTONUP, P().DateCell(12));
    Mouse(WM_LBUTTONDBLCLK, P().DateCell(12));
    Mouse(WM_LBUTTONUP, P().DateCell(12));

    // The lock question, accepted and declined.
    engine.Execute("Time.Lock = TRUE");
    rig.services.prompt.Answer(IDYES);
    LeftClick(P().DateCell(16));
    engine.Execute("Time.Lock = TRUE");
    rig.services.prompt.Answer(IDNO);
    LeftClick(P().DateCell(16));
    engine.Execute("Time.Lock = FALSE");

    // Both dialogs, run by scripts that act on whichever dialog they get.
    rig.services.modal.Push(DialogScript(1));  // universal time
    Dispatch(WM_CHANGEDATE, 0, 0);
    rig.services.modal.Push(DialogScript(4));  // local mean time
    Dispatch(WM_CHANGEDATE, 0, 0);
    rig.services.modal.Push(DialogScript(0));
    Dispatch(WM_CHANGEOBS, 0, 0);
    ChangeTz("JST");

    // What the host does.
    for (int mode : {0, 1, 2, 3, 7}) {
      rig.animation = mode;
      AsHost([&] { P().StopAnimation(); });
    }
    rig.animation = 0;
    AsHost([&] {
      Pad().SetEnable(0);
      LeftClick(P().DateCell(13));
      Pad().SetEnable(1);
      Pad().EnableAnimation(0);
      Pad().EnableAnimation(1);
      Pad().OnUpdate(0x1F);
    });
    ChangeTz("JST");
  }

  // A dialog script: the date dialog switches to list entry `entry`, takes
  // a date and OK; the location dialog takes a place and OK.
  static CScriptedModalRunner::Script DialogScript(int entry) {
    return [entry](CDialog& dialog) {
      if (dialog.TemplateId() == settime::kTemplateId) {
        if (auto* list = dynamic_cast<CComboBox*>(dialog.GetDlgItem(settime::kIdTimeSys))) list->SelectByUser(entry);
        dialog.SetDlgItemText(settime::kIdYear, "2006");
        dialog.SetDlgItemText(settime::kIdMonth, "4");
        dialog.SetDlgItemText(settime::kIdDay, "1");
        dialog.SetDlgItemText(settime::kIdHour, "12");
        dialog.SetDlgItemText(settime::kIdMinute, "30");
        dialog.SetDlgItemText(settime::kIdSecond, "15");
      } else {
        dialog.SetDlgItemText(6032, "135");   // longitude degrees
        dialog.SetDlgItemText(6033, "30.5");  // ... minutes
        dialog.SetDlgItemText(1001, "35");    // latitude degrees
        dialog.SetDlgItemText(1003, "10");    // ... minutes
      }
      dialog.PressButton(IDOK);
    };
  }

  CSkyEngine engine;
  CFaultyHost host;
  PadRig rig;
  std::unique_ptr<CLumiraPadProbe> probe;
};
