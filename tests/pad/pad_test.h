// A built pad with a scripted host, and what the tests read from it.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <memory>
#include <string>
#include <vector>

#include "pad_fixture.h"
#include "pad_probe.h"

class PadTest : public PadFixture {
 protected:
  // Builds the pad and forgets the commands of the first refresh.
  void Build() {
    rig.Build();
    ASSERT_TRUE(rig.pad);
    probe = std::make_unique<CLumiraPadProbe>(*rig.pad);
    rig.host.ClearSent();
  }

  CLumiraPad& Pad() { return *rig.pad; }
  CLumiraPadProbe& P() { return *probe; }
  CScriptedHost& Host() { return rig.host; }
  const std::vector<std::string>& Sent() const { return rig.host.Sent(); }

  std::string DateText() { return P().DateText().GetWindowText().toStdString(); }
  std::string ObsText() { return P().ObsText().GetWindowText().toStdString(); }
  std::string MagText() { return P().MagText().GetWindowText().toStdString(); }
  std::string LabelText() { return Pad().GetDlgItemText(6234).toStdString(); }
  std::string EraText() { return Pad().GetDlgItemText(6232).toStdString(); }

  // Shows the date of a new reply to `query` in `timeSys`.
  // Picks a time system as the pad's menu does.
  void Choose(const char* key) { P().ChangeTz(0, reinterpret_cast<LPARAM>(key)); }

  std::string ShowWith(int timeSys, const std::string& query, const std::string& reply) {
    Host().Reply(query, reply);
    P().ShowDate(timeSys);
    return DateText();
  }

  // A pixel of the pad's own surface, as a colour value.
  COLORREF Pixel(int x, int y) { return ToColorRef(Pad().Surface().pixel(x, y)); }
  static COLORREF ToColorRef(QRgb rgb) { return RGB(qRed(rgb), qGreen(rgb), qBlue(rgb)); }

  // Fills a rectangle of the pad's surface, to see what a call draws over.
  void Paint(const CRect& r, COLORREF c) {
    CDC* dc = Pad().GetDC();
    dc->FillSolidRect(r, c);
    Pad().ReleaseDC(dc);
  }

  std::unique_ptr<CLumiraPadProbe> probe;
};

// Where DrawTTMark puts its box for a pad's rectangles.
inline CPoint MarkOrigin(const CRect& mag, const CRect& client) {
  return {mag.right + (client.right - mag.right) / 2 - 12, (client.top + client.bottom - 12) / 2};
}
