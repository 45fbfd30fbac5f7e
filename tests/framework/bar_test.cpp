// A dialog bar from a test template: painting into its surface, mouse
// through transparent statics, docking, posted and failing messages; the
// styled static; key and focus messages.  (The pad's own tests pin its
// buttons, tooltips and fly-by texts on this layer.)
#include <QDockWidget>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMainWindow>
#include <QTest>
#include <QWheelEvent>
#include <stdexcept>
#include <string>

#include "framework/scripted_services.h"
#include "host/lmrcontrols.h"
#include "golden.h"
#include "test_resources.h"

namespace {

constexpr UINT WM_TESTKEY = WM_USER + 5;
constexpr UINT WM_TESTTHROW = WM_USER + 6;
constexpr COLORREF kDark = RGB(53, 58, 66);
constexpr COLORREF kLight = RGB(118, 175, 227);

class TestBar : public CDialogBar, public CLmrDialogBase {
 public:
  explicit TestBar(CAppContext& ctx) : CDialogBar(ctx) {}
  struct Press { UINT msg; UINT flags; CPoint point; };
  std::vector<Press> presses;
  std::vector<std::pair<short, CPoint>> wheels;
  std::vector<std::pair<WPARAM, std::string>> keys;
  int paints = 0;
  CLmrStatic m_stc;

 protected:
  void OnPaint() override {
    CPaintDC dc(this);
    ++paints;
    CRect rc;
    GetClientRect(&rc);
    DrawBackground(&dc, rc, 0);
    dc.FillSolidRect(CRect(8, 3, 20, 10), RGB(0, 0, 0));
  }
  BOOL OnEraseBkgnd(CDC*) override { return TRUE; }
  HBRUSH OnCtlColor(CDC* dc, CWnd*, UINT) override {
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(kLight);
    return CBrush::Hollow();
  }
  void OnLButtonDown(UINT f, CPoint p) override { presses.push_back({WM_LBUTTONDOWN, f, p}); }
  void OnLButtonUp(UINT f, CPoint p) override { presses.push_back({WM_LBUTTONUP, f, p}); }
  void OnRButtonDown(UINT f, CPoint p) override { presses.push_back({WM_RBUTTONDOWN, f, p}); }
  BOOL OnMouseWheel(UINT, short delta, CPoint p) override {
    wheels.push_back({delta, p});
    return TRUE;
  }
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_TESTKEY) {
      keys.push_back({wp, std::string(reinterpret_cast<const char*>(lp))});
      return 0;
    }
    if (msg == WM_TESTTHROW) throw std::runtime_error("host failed");
    return CDialogBar::WindowProc(msg, wp, lp);
  }
};

class BarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallFontSubstitutions();
    LoadTestResources(res);
    ctx = s.Context(&res);
    frame.CreateEx(ctx, nullptr, CRect(0, 0, 300, 100), 0);
    ASSERT_TRUE(bar.Create(&frame, 7000, 0x402830, 7000));
  }
  QWidget* Child(int id) { return bar.GetDlgItem(id)->Widget(); }

  CResources res;
  CScriptedServices s;
  CAppContext ctx;
  CWnd frame;
  TestBar bar{ctx};
};



}  // namespace

TEST_F(BarTest, BuildsFromTheTemplate) {
  TestBar missing(ctx);
  EXPECT_FALSE(missing.Create(&frame, 4242, 0, 1));
  EXPECT_EQ(bar.GetOwner(), &frame);
  EXPECT_FALSE(Child(7108)->isVisibleTo(bar.Widget())) << "hidden in the template, hidden here";
  EXPECT_TRUE(Child(7132)->isVisibleTo(bar.Widget()));
  EXPECT_EQ(bar.GetDlgItemText(7134), QStringLiteral("MJD"));

  ASSERT_TRUE(bar.m_stc.Attach(7106, &bar));
  EXPECT_EQ(bar.GetDlgItem(7106), &bar.m_stc) << "the attached object answers for the control";
  EXPECT_EQ(bar.m_stc.GetWindowText(), QStringLiteral("12345"));
  EXPECT_EQ(bar.m_stc.GetParent(), &bar);
  CLmrStatic second;
  EXPECT_FALSE(second.Attach(9999, &bar));
}

TEST_F(BarTest, PaintsThroughOnPaintIntoItsSurface) {
  bar.UpdateWindow();
  bar.UpdateWindow();
  EXPECT_EQ(bar.paints, 1) << "nothing invalid, nothing painted";
  // GetDC draws into the surface at once.
  CDC* dc = bar.GetDC();
  dc->FillSolidRect(CRect(100, 0, 101, 1), RGB(1, 2, 3));
  bar.ReleaseDC(dc);
  EXPECT_EQ(CDC(&bar.Surface()).GetPixel(100, 0), RGB(1, 2, 3));
  // On screen the statics lie over the bar: the era label in light blue
  // on the bar's own background (its brush was hollow), the hidden
  // frame and button not at all.
  EXPECT_TRUE(MatchesGolden(bar.Widget()->grab().toImage(), "framework-bar"));
  EXPECT_EQ(bar.paints, 1) << "the grab shows the surface without repainting";
  bar.Invalidate(FALSE);
  bar.UpdateWindow();
  EXPECT_EQ(bar.paints, 2);
  // The surface keeps its size with the window.
  bar.MoveWindow(0, 0, 200, 29);
  EXPECT_EQ(bar.Surface().size(), QSize(200, 29));
  EXPECT_TRUE(bar.IsInvalid());
}

TEST_F(BarTest, MouseOnTransparentStaticsReachesTheBar) {
  ASSERT_TRUE(bar.m_stc.Attach(7106, &bar));
  QWidget* label = Child(7132);
  ASSERT_TRUE(label->testAttribute(Qt::WA_TransparentForMouseEvents));
  // Sent to the static itself: the bar gets it at the bar's point.
  QTest::mousePress(label, Qt::LeftButton, Qt::ShiftModifier, QPoint(2, 3));
  QTest::mouseRelease(label, Qt::LeftButton, Qt::NoModifier, QPoint(2, 3));
  QTest::mousePress(bar.m_stc.Widget(), Qt::RightButton, Qt::NoModifier, QPoint(9, 1));
  ASSERT_EQ(bar.presses.size(), 3u);
  EXPECT_EQ(bar.presses[0].msg, WM_LBUTTONDOWN);
  EXPECT_EQ(bar.presses[0].point, CPoint(34, 11));
  EXPECT_EQ(bar.presses[0].flags, MK_LBUTTON | MK_SHIFT);
  EXPECT_EQ(bar.presses[1].msg, WM_LBUTTONUP);
  EXPECT_EQ(bar.presses[1].flags, 0u);
  EXPECT_EQ(bar.presses[2].msg, WM_RBUTTONDOWN);
  EXPECT_EQ(bar.presses[2].point, CPoint(51 + 9, 7 + 1));

  // Through the window system: Qt's own hit test passes the statics by.
  bar.presses.clear();
  frame.Widget()->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.Widget()));
  const QPoint at = bar.Widget()->mapTo(frame.Widget(), QPoint(40, 12));
  QTest::mousePress(frame.Widget()->windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
  QTest::mouseRelease(frame.Widget()->windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
  ASSERT_FALSE(bar.presses.empty());
  EXPECT_EQ(bar.presses[0].point, CPoint(40, 12));

  // The wheel: signed delta, screen point.
  QWheelEvent wheel(QPointF(5, 6), QPointF(bar.Widget()->mapToGlobal(QPoint(5, 6))), QPoint(), QPoint(0, -120),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(Child(7132), &wheel);
  ASSERT_EQ(bar.wheels.size(), 1u);
  EXPECT_EQ(bar.wheels[0].first, -120);
  CPoint screen(5, 6);
  bar.ClientToScreen(&screen);
  EXPECT_EQ(bar.wheels[0].second, screen);
}

TEST_F(BarTest, DockingFloatingAndTheFrame) {
  QMainWindow window;
  CFrameWnd main(ctx, &window);
  TestBar docked(ctx);
  ASSERT_TRUE(docked.Create(&main, 7000, 0x402830, 7000));
  docked.SetWindowText(QStringLiteral("ﾙﾐﾗﾊﾟｯﾄﾞ"));
  EXPECT_FALSE(docked.IsFloating()) << "a bar never docked counts as docked";
  main.DockControlBar(&docked);
  ASSERT_NE(docked.Dock(), nullptr);
  EXPECT_EQ(window.dockWidgetArea(docked.Dock()), Qt::TopDockWidgetArea);
  EXPECT_EQ(docked.Dock()->windowTitle(), QStringLiteral("ﾙﾐﾗﾊﾟｯﾄﾞ"));
  EXPECT_EQ(docked.Dock()->titleBarWidget()->sizeHint().height(), 0) << "docked: the bar's own gripper, no caption";
  EXPECT_FALSE(docked.IsFloating());
  docked.SetWindowText(QStringLiteral("pad"));
  EXPECT_EQ(docked.Dock()->windowTitle(), QStringLiteral("pad"));
  main.FloatControlBar(&docked, true);
  EXPECT_TRUE(docked.IsFloating());
  EXPECT_GT(docked.Dock()->titleBarWidget()->sizeHint().height(), 0) << "floating: the caption shows";
  main.FloatControlBar(&docked, false);
  EXPECT_FALSE(docked.IsFloating());
  EXPECT_EQ(docked.Widget()->size(), QSize(175, 29));

  // The framework's border and gripper, in one picture per dock state.
  for (bool floating : {false, true}) {
    main.FloatControlBar(&docked, floating);
    QImage img(40, 20, QImage::Format_RGB32);
    img.fill(Qt::magenta);  // neither the highlight nor the shadow
    CDC dc(&img);
    CRect r(0, 0, 40, 20);
    docked.DrawBorders(&dc, r);
    docked.DrawGripper(&dc, r);
    EXPECT_TRUE(MatchesGolden(img, floating ? "framework-edges-floating" : "framework-edges-docked"));
  }
}

TEST_F(BarTest, MessagesPostedSentAndFailing) {
  bar.PostMessage(WM_TESTKEY, 3, reinterpret_cast<LPARAM>("posted"));
  EXPECT_TRUE(bar.keys.empty()) << "posted messages wait for the loop";
  CWnd::ProcessPostedMessages();
  ASSERT_EQ(bar.keys.size(), 1u);
  EXPECT_EQ(bar.keys[0].second, "posted");
  // The pump stops an exception at the window's edge; SendMessage does not.
  EXPECT_EQ(bar.DispatchMessage(WM_TESTTHROW, 0, 0), 0);
  EXPECT_THROW(bar.SendMessage(WM_TESTTHROW), std::runtime_error);
  EXPECT_EQ(bar.SendMessage(0x7FFF), 0) << "unknown messages give 0";

  bar.DestroyWindow();
  EXPECT_FALSE(bar.IsWindow());
  EXPECT_FALSE(bar.PostMessage(WM_TESTKEY, 0, 0));
}

TEST_F(BarTest, StyledStaticDrawsCellsAndHighlight) {
  ASSERT_TRUE(bar.m_stc.Attach(7106, &bar));
  bar.m_stc.MoveWindow(51, 7, 70, 13);
  bar.m_stc.SetWindowTextA(QStringLiteral("12345"));
  auto pixel = [&](int x, int y) { return CDC(&bar.m_stc.Surface()).GetPixel(x, y); };
  auto inkIn = [&](int left, int right) {
    int ink = 0;
    for (int y = 0; y < 13; ++y)
      for (int x = left; x < right; ++x) ink += GetBValue(pixel(x, y)) > 90 ? 1 : 0;
    return ink;
  };
  bar.m_stc.UpdateWindow();
  EXPECT_EQ(pixel(0, 0), RGB(0, 0, 0));
  EXPECT_GT(inkIn(0, 7), 3) << "'1' in the first cell";
  EXPECT_EQ(inkIn(35, 70), 0) << "nothing after the fifth cell";

  bar.m_stc.SetSelectedDigit(1, 2);
  EXPECT_EQ(bar.m_stc.SelectedIndex(), 1);
  EXPECT_EQ(bar.m_stc.SelectedMode(), 2);
  bar.m_stc.Invalidate();
  bar.m_stc.UpdateWindow();
  EXPECT_EQ(pixel(7, 0), kLight) << "cells 1 and 2 inverted";
  EXPECT_EQ(pixel(20, 12), kLight);
  EXPECT_EQ(pixel(6, 0), RGB(0, 0, 0));
  EXPECT_EQ(pixel(21, 0), RGB(0, 0, 0));

  // {index, mode} -> {first cell, count}: stops at the text's end, nothing outside it.
  const std::pair<std::pair<int, int>, std::pair<int, int>> cells[] = {
      {{4, 1}, {4, 1}}, {{4, 2}, {4, 1}}, {{2, 0}, {0, 0}}, {{-99, 1}, {0, 0}}, {{5, 1}, {0, 0}}, {{1, 3}, {0, 0}}};
  for (const auto& [in, out] : cells) EXPECT_EQ(CLmrStatic::HighlightedCells(in.first, in.second, 5), out) << in.first;
  bar.m_stc.SetSelectedDigit(-99, 0);
  bar.m_stc.Invalidate();
  bar.m_stc.UpdateWindow();
  EXPECT_EQ(pixel(7, 0), RGB(0, 0, 0));
}

namespace {

class KeyWnd : public CWnd {
 public:
  std::vector<QString> seen;

 protected:
  BOOL OnKeyDown(UINT vk, UINT, UINT flags) override {
    seen.push_back(QString("down %1%2").arg(vk).arg(flags & KF_REPEAT ? " repeat" : ""));
    return TRUE;
  }
  void OnKeyUp(UINT vk, UINT, UINT) override { seen.push_back(QString("up %1").arg(vk)); }
  void OnSetFocus() override { seen.push_back("focus"); }
  void OnKillFocus() override { seen.push_back("blur"); }
};

}  // namespace

// Qt's key and focus events become messages: the system's repeat is
// flagged and its releases dropped, shortcuts and unknown keys stay Qt's.
TEST(KeyMessages, KeysAndFocusReachTheWindow) {
  CAppContext ctx;
  KeyWnd w;
  w.CreateEx(ctx, nullptr, CRect(0, 0, 10, 10), 1);
  auto key = [&](QEvent::Type type, int qtKey, bool autoRepeat, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent e(type, qtKey, mods, QString(), autoRepeat);
    QCoreApplication::sendEvent(w.Widget(), &e);
  };
  key(QEvent::KeyPress, Qt::Key_Up, false);
  key(QEvent::KeyRelease, Qt::Key_Up, true);
  key(QEvent::KeyPress, Qt::Key_Up, true);
  key(QEvent::KeyRelease, Qt::Key_Up, false);
  key(QEvent::KeyPress, Qt::Key_Backtab, false, Qt::ShiftModifier);
  key(QEvent::KeyPress, Qt::Key_Minus, false, Qt::ControlModifier);
  key(QEvent::KeyPress, Qt::Key_A, false);
  QFocusEvent in(QEvent::FocusIn), out(QEvent::FocusOut);
  QCoreApplication::sendEvent(w.Widget(), &in);
  QCoreApplication::sendEvent(w.Widget(), &out);
  const std::vector<QString> expected{"down 38", "down 38 repeat", "up 38", "down 9", "focus", "blur"};
  EXPECT_EQ(w.seen, expected);
}
