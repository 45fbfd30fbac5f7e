// A built pad with a scripted host that can watch each command as it
// arrives, and helpers to read what the pad sent.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "pad_fixture.h"
#include "pad_probe.h"

// A scripted host that lets a test look at the pad at the moment a command
// arrives (before the pad re-reads the host's state).
class CHookedHost : public CScriptedHost {
 public:
  std::function<void(const std::string&)> onCommand;
  std::string Execute(const char* command) override {
    if (onCommand) onCommand(command);
    return CScriptedHost::Execute(command);
  }
};

class EditingTest : public ::testing::Test {
 protected:
  EditingTest() {
    ScriptStandardMoment(host);
    rig.engine = &host;
  }

  // Builds the pad and forgets what the build sent.
  void Build() {
    rig.Build();
    ASSERT_TRUE(rig.pad);
    probe = std::make_unique<CLumiraPadProbe>(*rig.pad);
    host.ClearSent();
  }

  // The pad goes before any host a derived fixture owns.
  void TearDown() override {
    probe.reset();
    if (rig.pad && rig.pad->IsWindow()) rig.pad->DestroyWindow();
    rig.pad.reset();
  }

  CLumiraPadProbe& P() { return *probe; }

  // Commands sent since the last ClearSent that begin with `prefix`.
  std::vector<std::string> SentWith(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const std::string& c : host.Sent()) {
      if (c.compare(0, prefix.size(), prefix) == 0) found.push_back(c);
    }
    return found;
  }
  int CountSent(const std::string& prefix) const { return int(SentWith(prefix).size()); }
  std::string LastSent(const std::string& prefix) const {
    const auto found = SentWith(prefix);
    return found.empty() ? std::string() : found.back();
  }
  bool WasSent(const std::string& command) const {
    for (const std::string& c : host.Sent()) {
      if (c == command) return true;
    }
    return false;
  }
  // Position of the first command equal to `command`, -1 when none.
  int IndexOf(const std::string& command) const {
    const auto& sent = host.Sent();
    for (size_t i = 0; i < sent.size(); ++i) {
      if (sent[i] == command) return int(i);
    }
    return -1;
  }

  // Sets the date fields and the time system directly (no host involved).
  void SetDate(int timeSys, int y, int mo, int d, int h, int mi, int s, double tz = 0.0) {
    P().TimeSys() = timeSys;
    P().Year() = y;
    P().Month() = mo;
    P().Day() = d;
    P().Hour() = h;
    P().Minute() = mi;
    P().Second() = s;
    P().Tz() = tz;
  }

  // The scripted services behind the pad.
  void Advance(int ms) { rig.services.clock.Advance(ms); }
  void SetShift(bool down) { rig.services.keyboard.SetShift(down); }
  void AnswerNextBox(int answer) { rig.services.prompt.Answer(answer); }
  const std::vector<std::pair<QString, UINT>>& Boxes() const { return rig.services.prompt.Shown(); }
  void ChooseFromMenu(int index) { rig.services.popup.Choose(index); }
  CPoint MenuPoint() const { return rig.services.popup.LastPoint(); }
  int MenusShown() const { return int(rig.services.popup.Shown().size()); }

  // Mouse messages as the window layer delivers them.
  void Send(UINT msg, CPoint pt, UINT flags = 0) { rig.pad->SendMessage(msg, flags, MAKELPARAM(pt.x, pt.y)); }
  void LeftClick(CPoint pt, UINT flags = 0) {
    Send(WM_LBUTTONDOWN, pt, flags);
    Send(WM_LBUTTONUP, pt, flags);
  }
  void RightClick(CPoint pt, UINT flags = 0) {
    Send(WM_RBUTTONDOWN, pt, flags);
    Send(WM_RBUTTONUP, pt, flags);
  }
  // The wheel's point is a screen point.
  void Wheel(CPoint clientPt, short delta) {
    const CPoint screen = P().ScreenOf(clientPt);
    rig.pad->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, UINT(std::uint16_t(delta))), MAKELPARAM(screen.x, screen.y));
  }

  // Steps the digit `index` once, as the dispatch does after a press.
  void Step(int index, bool up) {
    P().SelDigit() = index;
    if (up) {
      rig.pad->OnBtnDatePlus();
    } else {
      rig.pad->OnBtnDateMinus();
    }
  }

  CHookedHost host;
  PadRig rig;
  std::unique_ptr<CLumiraPadProbe> probe;
};
