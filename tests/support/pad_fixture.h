// A gtest fixture around one PadRig: each test scripts the host and the
// options, calls Build(), then drives the pad through messages and reads
// it through the probe and what the host was sent.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <functional>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "pad_rig.h"

class PadTest : public ::testing::Test {
 protected:
  // Builds the pad and forgets what the build sent.
  void Build() {
    ASSERT_TRUE(rig.Build()) << rig.error.toStdString();
    probe = std::make_unique<CLumiraPadProbe>(*rig.pad);
    rig.host.ClearSent();
  }

  // The pad goes before any host a derived fixture owns.
  void TearDown() override {
    probe.reset();
    if (rig.pad && rig.pad->IsWindow()) rig.pad->DestroyWindow();
    rig.pad.reset();
  }

  CLumiraPad& Pad() { return *rig.pad; }
  CLumiraPadProbe& P() { return *probe; }
  CScriptedHost& Host() { return rig.host; }
  const std::vector<std::string>& Sent() const { return rig.host.Sent(); }

  std::string DateText() { return P().DateDisplay().GetWindowText().toStdString(); }
  std::string MagText() { return P().MagDisplay().GetWindowText().toStdString(); }
  std::string LabelText() { return Pad().GetDlgItemText(6234).toStdString(); }

  // Commands sent since the last ClearSent that begin with `prefix`.
  std::vector<std::string> SentWith(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const std::string& c : Sent())
      if (c.compare(0, prefix.size(), prefix) == 0) found.push_back(c);
    return found;
  }
  int CountSent(const std::string& prefix) const { return int(SentWith(prefix).size()); }
  std::string LastSent(const std::string& prefix) const {
    const auto found = SentWith(prefix);
    return found.empty() ? std::string() : found.back();
  }
  bool WasSent(const std::string& command) const {
    for (const std::string& c : Sent())
      if (c == command) return true;
    return false;
  }
  // Sets the date fields and the time system directly (no host involved).
  void SetDate(int timeSys, int y, int mo, int d, int h, int mi, int s, double tz = 0.0) {
    P().TimeSys() = timeSys;
    P().Year() = y, P().Month() = mo, P().Day() = d;
    P().Hour() = h, P().Minute() = mi, P().Second() = s;
    P().Tz() = tz;
  }
  // Shows the date of a new reply to `query` in `timeSys`.
  std::string ShowWith(int timeSys, const std::string& query, const std::string& reply) {
    Host().Reply(query, reply);
    P().ShowDate(timeSys);
    return DateText();
  }

  // The scripted services behind the pad.
  void Advance(int ms) { rig.services.clock.Advance(ms); }
  void SetShift(bool down) { rig.services.keyboard.SetShift(down); }
  void AnswerNextBox(int answer) { rig.services.prompt.Answer(answer); }
  const std::vector<std::pair<QString, UINT>>& Boxes() const { return rig.services.prompt.Shown(); }
  void ChooseFromMenu(int index) { rig.services.popup.Choose(index); }
  CPoint MenuPoint() const { return rig.services.popup.LastPoint(); }
  int MenusShown() const { return int(rig.services.popup.Shown().size()); }

  // Every message of the helpers below goes through Deliver: a fixture that
  // wants the message pump's own handling of failures overrides it.
  virtual void Deliver(UINT msg, WPARAM wp, LPARAM lp) { Pad().SendMessage(msg, wp, lp); }
  void Send(UINT msg, CPoint pt, UINT flags = 0) { Deliver(msg, flags, MAKELPARAM(pt.x, pt.y)); }
  void LeftClick(CPoint pt, UINT flags = 0) {
    Send(WM_LBUTTONDOWN, pt, flags);
    Send(WM_LBUTTONUP, pt, flags);
  }
  void RightClick(CPoint pt, UINT flags = 0) {
    Send(WM_RBUTTONDOWN, pt, flags);
    Send(WM_RBUTTONUP, pt, flags);
  }
  // The pointer moves there, then the wheel turns (its point is a screen point).
  void Wheel(CPoint clientPt, short delta) {
    Send(WM_MOUSEMOVE, clientPt);
    const CPoint screen = P().ScreenOf(clientPt);
    Deliver(WM_MOUSEWHEEL, MAKEWPARAM(0, UINT(std::uint16_t(delta))), MAKELPARAM(screen.x, screen.y));
  }
  void Hold(UINT down, CPoint pt, int ms) {
    Send(down, pt);
    Advance(ms);
    Send(down == WM_RBUTTONDOWN ? WM_RBUTTONUP : WM_LBUTTONUP, pt);
  }
  // Steps the digit `index` once, as the dispatch does after a press.
  void Step(int index, bool up) {
    P().SelDigit() = index;
    up ? Pad().OnBtnDatePlus() : Pad().OnBtnDateMinus();
  }
  void Choose(const char* key) { P().OnChangeTz(key); }

  // A pixel of the pad's own surface, as a colour value.
  COLORREF Pixel(int x, int y) { return ToColorRef(Pad().Surface().pixel(x, y)); }
  static COLORREF ToColorRef(QRgb rgb) { return RGB(qRed(rgb), qGreen(rgb), qBlue(rgb)); }
  // Fills a rectangle of the pad's surface, to see what a call draws over.
  void Paint(const CRect& r, COLORREF c) {
    CDC* dc = Pad().GetDC();
    dc->FillSolidRect(r, c);
    Pad().ReleaseDC(dc);
  }
  // The corner of the track/trace mark box.
  CPoint MarkOrigin() {
    const CRect mag = P().MagRect(), client = P().ClientRect();
    return {mag.right + (client.right - mag.right) / 2 - 12, (client.top + client.bottom - 12) / 2};
  }

  PadRig rig;
  std::unique_ptr<CLumiraPadProbe> probe;
};
