// A dialog bar from a test template: mouse through transparent statics,
// docking, posted and failing messages; the styled static's highlight; key
// and focus messages.  (The pad's own tests and golden pictures pin its
// template, painting, buttons, tooltips and fly-by texts on this layer.)
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

class TestBar : public CDialogBar, public CLmrDialogBase {
 public:
  explicit TestBar(CAppContext& ctx) : CDialogBar(ctx) {}
  struct Press { UINT msg; UINT flags; CPoint point; };
  std::vector<Press> presses;
  std::vector<std::pair<short, CPoint>> wheels;
  std::vector<std::pair<WPARAM, std::string>> keys;
  CLmrStatic m_stc;

 protected:
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
  EXPECT_FALSE(docked.IsFloating()) << "a bar never docked counts as docked";
  main.DockControlBar(&docked);
  ASSERT_NE(docked.Dock(), nullptr);
  docked.SetWindowText(QStringLiteral("pad"));
  EXPECT_EQ(docked.Dock()->windowTitle(), QStringLiteral("pad"));
  // Docked: the bar's own gripper, no caption; floating: the caption.
  for (bool floating : {true, false}) {
    main.FloatControlBar(&docked, floating);
    EXPECT_EQ(docked.IsFloating(), floating);
    EXPECT_EQ(docked.Dock()->titleBarWidget()->sizeHint().height() > 0, floating);
  }

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

// {index, mode} -> {first cell, count}: stops at the text's end, nothing outside it.
TEST(StyledStatic, HighlightsTheSelectedCellsWithinTheText) {
  const std::pair<std::pair<int, int>, std::pair<int, int>> cells[] = {
      {{1, 2}, {1, 2}}, {{4, 1}, {4, 1}}, {{4, 2}, {4, 1}}, {{2, 0}, {0, 0}},
      {{-99, 1}, {0, 0}}, {{5, 1}, {0, 0}}, {{1, 3}, {0, 0}}};
  for (const auto& [in, out] : cells) EXPECT_EQ(CLmrStatic::HighlightedCells(in.first, in.second, 5), out) << in.first;
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
