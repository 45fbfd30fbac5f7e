// The bar: creation from its template, buttons, tooltips, fly-by texts,
// colours by scheme, the one-time layout, painting in both schemes docked
// and floating, control colours, the message map and destruction.
#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

#include "pad_test.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kDarkFace = RGB(53, 58, 66);
constexpr COLORREF kLabelBlue = RGB(118, 175, 227);

// A child's rectangle in the pad's client coordinates.
CRect RectOf(CLumiraPad& pad, CWnd& child) {
  CRect r;
  child.GetWindowRect(&r);
  pad.ScreenToClient(&r);
  return r;
}
CRect RectOf(CLumiraPad& pad, int id) { return RectOf(pad, *pad.GetDlgItem(id)); }

}  // namespace

class FrameTest : public PadTest {
 protected:
  // Paints the whole bar again now.
  void Repaint() {
    Pad().Invalidate(FALSE);
    Pad().UpdateWindow();
  }
  // The layer shows fly-by help for the point under a moving pointer.
  void HoverAt(CPoint p) {
    QMouseEvent move(QEvent::MouseMove, QPointF(p.x, p.y), Pad().Widget()->mapToGlobal(QPointF(p.x, p.y)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(Pad().Widget(), &move);
  }
  std::string Status() { return rig.services.status.Last().toStdString(); }
};

TEST_F(FrameTest, CreateBuildsTheBarFromItsTemplate) {
  Build();
  EXPECT_EQ(Pad().GetWindowText(), QString::fromUtf8("ﾙﾐﾗﾊﾟｯﾄﾞ"));
  EXPECT_EQ(Pad().GetBarStyle(), 0x402830u);
  EXPECT_EQ(Pad().GetDlgCtrlID(), 5000u);
  const CRect size = Pad().Units().Map(0, 0, 268, 18);
  EXPECT_EQ(P().Client(), CRect(0, 0, size.Width(), size.Height()));
  // The three value texts are the pad's styled statics.
  EXPECT_EQ(Pad().GetDlgItem(6206), &P().DateText());
  EXPECT_EQ(Pad().GetDlgItem(6212), &P().ObsText());
  EXPECT_EQ(Pad().GetDlgItem(6007), &P().MagText());
  EXPECT_EQ(P().SelDigit(), -99);
  EXPECT_EQ(P().SelMode(), 0);
  EXPECT_EQ(P().EdgeDigit(), -1);

  // Both buttons: 16 x 15 pictures centred in their 13 x 15 unit slots.
  struct { CBitmapButton& button; CBitmap* up; CRect slot; const char* caption; UINT id; } buttons[] = {
      {P().DateButton(), P().DateUp(), P().DateBtn(), "Date", 6217},
      {P().ObsButton(), P().ObsUp(), P().ObsBtn(), "Obs", 6218},
  };
  for (auto& b : buttons) {
    ASSERT_NE(b.up, nullptr);
    EXPECT_EQ(b.up->GetSize(), CSize(16, 15));
    EXPECT_EQ(b.slot.Width(), Pad().Units().Map(0, 0, 13, 15).Width());
    EXPECT_EQ(b.slot.Height(), Pad().Units().Map(0, 0, 13, 15).Height());
    const int x = b.slot.left + (b.slot.Width() - 16) / 2, y = b.slot.top + (b.slot.Height() - 15) / 2;
    EXPECT_EQ(RectOf(Pad(), b.button), CRect(x, y, x + 16, y + 15)) << b.caption;
    EXPECT_EQ(b.button.GetDlgCtrlID(), b.id);
    EXPECT_EQ(b.button.GetWindowText().toStdString(), b.caption);
    EXPECT_TRUE(b.button.IsWindowVisible());
  }
}

TEST_F(FrameTest, TooltipsAndFlyByTexts) {
  Build();
  const struct { int id; const char* tip; } tools[] = {
      {6007, "限界等級"}, {6212, "経緯度"}, {6206, "日時"}, {6234, "時刻系"}, {6008, "月齢"},
  };
  for (const auto& t : tools) {
    EXPECT_EQ(P().ToolTip().TextOf(Pad().GetDlgItem(t.id)).toStdString(), t.tip) << t.id;
    EXPECT_EQ(Pad().GetDlgItem(t.id)->Widget()->toolTip().toStdString(), t.tip) << t.id;
  }
  EXPECT_EQ(P().ToolTip().TextOf(&P().DateButton()).toStdString(), "日時入力");
  EXPECT_EQ(P().ToolTip().TextOf(&P().ObsButton()).toStdString(), "経緯度入力");
  EXPECT_EQ(Pad().PreTranslateMessage(WM_MOUSEMOVE, 0, 0), FALSE);  // relayed, then the bar's own answer

  auto centre = [](const CRect& r) { return CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2); };
  HoverAt(centre(P().Date()));
  EXPECT_EQ(Status(), "現在の日時を表示します");
  HoverAt(centre(P().EraRect()));
  EXPECT_EQ(Status(), "紀元前(BC)／紀元後(AD)を表示します");
  HoverAt(centre(P().Mag()));
  EXPECT_EQ(Status(), "現在の限界等級を表示します");
  HoverAt(centre(RectOf(Pad(), P().DateButton())));
  EXPECT_EQ(Status(), "日付パッドで日時を変更します");
  HoverAt(centre(RectOf(Pad(), 6008)));  // the hidden Moon area still has its text
  EXPECT_EQ(Status(), "現在の月齢を表示します。");
}

TEST_F(FrameTest, DarkSchemeWhenTheSettingIsAbsentOrZero) {
  rig.colorSchemeAbsent = true;
  Build();
  EXPECT_EQ(P().ColorScheme(), 0);
  EXPECT_EQ(P().Text(), 0xE3AF76u);
  EXPECT_EQ(P().Back(), 0x423A35u);
  EXPECT_EQ(P().Highlight(), 0xC0C0C0u);
  EXPECT_EQ(P().Shadow(), 0x404040u);
}

TEST_F(FrameTest, SystemColoursForAnyOtherScheme) {
  rig.colorScheme = 7;
  Build();
  EXPECT_EQ(P().ColorScheme(), 7);
  EXPECT_EQ(P().Text(), GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_EQ(P().Back(), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(P().Highlight(), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(P().Shadow(), GetSysColor(COLOR_BTNSHADOW));
}

TEST_F(FrameTest, TheFirstPaintLaysOutTheTextsOnce) {
  Build();
  const int ch = P().Client().Height();
  const CRect era = P().EraRect(), date = P().Date(), label = P().TimeSysRect(), arrow = P().TimeSysArrow();
  const CRect obs = P().Obs(), mag = P().Mag();
  EXPECT_EQ(date, CRect(era.right + 1, (ch - 13) / 2, era.right + 141, (ch - 13) / 2 + 13));
  EXPECT_EQ(label.left, date.right + 1);
  EXPECT_EQ(label.top, (ch - label.Height()) / 2 + 1);
  EXPECT_EQ(arrow.left, label.right + 1);
  EXPECT_EQ(arrow.top, (ch - arrow.Height()) / 2 + 1);
  EXPECT_EQ(obs, CRect(P().DateBtn().right + 1, (ch - 13) / 2, P().DateBtn().right + 113, (ch - 13) / 2 + 13));
  EXPECT_EQ(mag, CRect(P().ObsBtn().right + 4, (ch - 13) / 2, P().ObsBtn().right + 32, (ch - 13) / 2 + 13));
  // The controls are where the rectangles say.
  EXPECT_EQ(RectOf(Pad(), 6206), date);
  EXPECT_EQ(RectOf(Pad(), 6234), label);
  EXPECT_EQ(RectOf(Pad(), 6018), arrow);
  EXPECT_EQ(RectOf(Pad(), 6212), obs);
  EXPECT_EQ(RectOf(Pad(), 6007), mag);
  // The selector area keeps the template's places of label and arrow.
  EXPECT_EQ(P().TimeSysArea().left, Pad().Units().Map(111, 5, 15, 8).left);
  EXPECT_EQ(P().TimeSysArea().right, Pad().Units().Map(126, 3, 5, 11).left + arrow.Width());

  // Later paints, also after a resize, do not move anything.
  Pad().MoveWindow(0, 0, P().Client().Width(), 41);
  Repaint();
  EXPECT_EQ(P().Client().Height(), 41);
  EXPECT_EQ(P().Date(), date);
  EXPECT_EQ(RectOf(Pad(), 6206), date);
  EXPECT_EQ(RectOf(Pad(), 6007), mag);

  // Centring a control vertically.
  P().MoveWindowVCenter(6234, 10, 20, 8, 2);
  EXPECT_EQ(RectOf(Pad(), 6234), CRect(10, (41 - 8) / 2 + 3, 30, (41 - 8) / 2 + 11));
}

// The pixels every scheme and dock state share: the black panel with its
// sunken edge, the Moon picture and the cleared mark box.
class PaintTest : public FrameTest {
 protected:
  void ExpectPanelMoonAndMarks() {
    const int w = P().Client().Width(), h = P().Client().Height();
    const CRect panel(8, 3, P().Mag().right + 3, h - 3);
    EXPECT_EQ(Pixel(9, 4), kBlack);
    EXPECT_EQ(Pixel(panel.right - 2, h / 2), kBlack);
    EXPECT_EQ(Pixel(40, 3), P().Shadow());                 // top edge
    EXPECT_EQ(Pixel(40, h - 4), P().Highlight());          // bottom edge
    EXPECT_EQ(Pixel(panel.right - 1, h / 2), P().Highlight());  // right edge
    EXPECT_EQ(Pixel(panel.right, h / 2), P().Back());      // outside the panel
    EXPECT_EQ(Pixel(w - 3, h / 2), P().Back());

    // The 19 x 19 picture of the Moon's age, from the strip.
    const QImage& strip = P().MoonStrip()->Image();
    const int top = h / 2 - 9;
    int differing = 0;
    for (int y = 0; y < 19; ++y) {
      for (int x = 0; x < 19; ++x) {
        if (Pixel(10 + x, top + y) != ToColorRef(strip.pixel(19 * P().MoonAge() + x, y))) ++differing;
      }
    }
    EXPECT_EQ(differing, 0) << "Moon age " << P().MoonAge();

    const CPoint o = MarkOrigin(P().Mag(), P().Client());
    for (int y = 0; y < 12; ++y) {
      for (int x = 0; x < 26; ++x) ASSERT_EQ(Pixel(o.x + x, o.y + y), P().Back()) << x << "," << y;
    }
  }
};

TEST_F(PaintTest, DarkSchemeDockedHasItsOwnFrameAndGripper) {
  Build();
  const int w = P().Client().Width(), h = P().Client().Height();
  for (int y = 0; y < h; ++y) {
    ASSERT_EQ(Pixel(0, y), kBlack) << y;
    ASSERT_EQ(Pixel(w - 1, y), kBlack) << y;
  }
  for (int x = 0; x < w; ++x) {
    ASSERT_EQ(Pixel(x, 0), kBlack) << x;
    ASSERT_EQ(Pixel(x, h - 1), kBlack) << x;
  }
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), dark = GetSysColor(COLOR_BTNSHADOW);
  EXPECT_EQ(Pixel(4, 3), light);
  EXPECT_EQ(Pixel(6, 3), light);
  EXPECT_EQ(Pixel(4, h - 5), light);
  EXPECT_EQ(Pixel(7, 3), dark);
  EXPECT_EQ(Pixel(7, h - 4), dark);
  EXPECT_EQ(Pixel(4, h - 4), dark);
  EXPECT_EQ(Pixel(5, h / 2), kDarkFace);  // inside the gripper
  EXPECT_EQ(Pixel(2, h / 2), kDarkFace);
  EXPECT_EQ(Pixel(8, h / 2), kDarkFace);  // the strip left of the gripper covers the panel's left edge
  ExpectPanelMoonAndMarks();
}

TEST_F(PaintTest, DarkSchemeFloatingHasNeitherFrameNorGripper) {
  rig.floating = true;
  Build();
  ASSERT_TRUE(Pad().IsFloating());
  const int w = P().Client().Width(), h = P().Client().Height();
  EXPECT_EQ(Pixel(0, h / 2), kDarkFace);
  EXPECT_EQ(Pixel(w - 1, h / 2), kDarkFace);
  EXPECT_EQ(Pixel(w / 2, 0), kDarkFace);
  EXPECT_EQ(Pixel(4, 3), kDarkFace);
  EXPECT_EQ(Pixel(7, h / 2), kDarkFace);
  EXPECT_EQ(Pixel(8, h / 2), P().Shadow());  // the panel's own left edge
  ExpectPanelMoonAndMarks();
}

TEST_F(PaintTest, SystemSchemeUsesTheLayersBordersAndGripper) {
  rig.colorScheme = 1;
  Build();
  const int w = P().Client().Width(), h = P().Client().Height();
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), dark = GetSysColor(COLOR_BTNSHADOW);
  EXPECT_EQ(Pixel(0, h / 2), P().Back());  // no black frame
  EXPECT_EQ(Pixel(w - 1, h / 2), P().Back());
  EXPECT_EQ(Pixel(w / 2, h - 2), dark);  // the bottom border
  EXPECT_EQ(Pixel(w / 2, h - 1), light);
  EXPECT_EQ(Pixel(2, 2), light);  // the layer's gripper
  ExpectPanelMoonAndMarks();

  rig.frame->FloatControlBar(rig.pad.get(), true);
  Repaint();
  EXPECT_EQ(Pixel(2, 2), P().Back());  // floating: no gripper
  EXPECT_EQ(Pixel(w / 2, h - 1), light);
}

TEST_F(PaintTest, MoonPicturesAtBothEndsOfTheStrip) {
  Build();
  for (const char* age : {"0.2", "29.2", "14.6"}) {
    Host().Reply("? Solar.Moon.age", age);
    Pad().OnUpdate(0x01);
    Repaint();
    ExpectPanelMoonAndMarks();
  }
  EXPECT_EQ(P().MoonAge(), 15);
}

TEST_F(FrameTest, EraseBackgroundDrawsNothing) {
  Build();
  QImage image(20, 20, QImage::Format_RGB32);
  image.fill(QColor(255, 0, 0));
  CDC dc(&image);
  EXPECT_TRUE(P().EraseBkgnd(&dc));
  EXPECT_EQ(ToColorRef(image.pixel(10, 10)), RGB(255, 0, 0));
}

TEST_F(FrameTest, ControlColours) {
  Build();
  CDC dc(nullptr);
  CWnd* era = Pad().GetDlgItem(6232);
  CWnd* label = Pad().GetDlgItem(6234);
  CWnd* date = Pad().GetDlgItem(6206);
  for (CWnd* control : {era, label, date}) {
    dc.SetBkMode(OPAQUE);
    dc.SetTextColor(kBlack);
    EXPECT_EQ(P().CtlColor(&dc, control, CTLCOLOR_STATIC), CBrush::Hollow());
    EXPECT_EQ(dc.GetTextColor(), kLabelBlue);
    EXPECT_EQ(dc.GetBkMode(), TRANSPARENT);
  }
  HBRUSH other = P().CtlColor(&dc, date, CTLCOLOR_BTN);
  ASSERT_NE(other, nullptr);
  EXPECT_NE(other, CBrush::Hollow());
  EXPECT_EQ(other->Color(), kDarkFace);
}

TEST_F(FrameTest, ControlColoursInTheSystemScheme) {
  rig.colorScheme = 2;
  Build();
  CDC dc(nullptr);
  EXPECT_EQ(P().CtlColor(&dc, Pad().GetDlgItem(6232), CTLCOLOR_STATIC), CBrush::Hollow());
  EXPECT_EQ(P().CtlColor(&dc, Pad().GetDlgItem(6234), CTLCOLOR_STATIC), CBrush::Hollow());
  dc.SetTextColor(kBlack);
  EXPECT_NE(P().CtlColor(&dc, Pad().GetDlgItem(6206), CTLCOLOR_STATIC), CBrush::Hollow());
  EXPECT_EQ(dc.GetTextColor(), kBlack);  // the bar's default colouring
}

TEST_F(FrameTest, PrivateMessagesReachTheirHandlers) {
  Build();
  Pad().SendMessage(WM_CHANGETZ, 0, reinterpret_cast<LPARAM>("ST"));
  EXPECT_EQ(P().TimeSys(), 8);
  Pad().SendMessage(WM_CHANGETZ, 0, reinterpret_cast<LPARAM>("JST"));
  Pad().SendMessage(WM_CHANGEDATE);  // the date/time dialog, cancelled by the empty script
  EXPECT_EQ(rig.services.modal.Runs(), 1);
  Pad().SendMessage(WM_CHANGEOBS);  // the location dialog
  EXPECT_EQ(rig.services.modal.Runs(), 2);
  EXPECT_EQ(Pad().SendMessage(WM_CHANGESPEED), 0);  // no handler
}

TEST_F(FrameTest, DestructionFreesWhatThePadCreatedOnly) {
  Build();
  ASSERT_NE(P().MoonStrip(), nullptr);
  Pad().DestroyWindow();
  EXPECT_EQ(P().MoonStrip(), nullptr);  // freed by OnDestroy
  EXPECT_NE(P().DateUp(), nullptr);     // freed by the destructor
  rig.pad.reset();
  probe.reset();
  // What the host handed over is still its own.
  EXPECT_EQ(rig.host.Execute("? Time.jd"), "2453827.02101");
}

// A pad deleted with its window still up ends the window as a pad, too
// (the sanitizer build would report the Moon strip otherwise).
TEST_F(FrameTest, DeletingThePadWithItsWindowUp) {
  Build();
  probe.reset();
  rig.pad.reset();
  EXPECT_EQ(rig.host.Execute("? Time.jd"), "2453827.02101");
}
