// A dialog bar from a test template: mouse through transparent statics,
// docking, posted and failing messages, key and focus messages; the styled
// static's highlight.  (The pad's own tests and golden pictures pin its
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

constexpr UINT WM_TESTPOST = WM_USER + 5;
constexpr UINT WM_TESTTHROW = WM_USER + 6;

// Logs each message it handles as a line: "L down 34,11 flags 5".
class TestBar : public CDialogBar, public CLmrDialogBase {
 public:
  explicit TestBar(CAppContext& ctx) : CDialogBar(ctx) {}
  std::vector<QString> seen;
  CLmrStatic m_stc;

 protected:
  void Log(const QString& what, CPoint p, UINT flags) {
    seen.push_back(QString("%1 %2,%3 flags %4").arg(what).arg(p.x).arg(p.y).arg(flags));
  }
  void OnLButtonDown(UINT f, CPoint p) override { Log("L down", p, f); }
  void OnLButtonUp(UINT f, CPoint p) override { Log("L up", p, f); }
  void OnRButtonDown(UINT f, CPoint p) override { Log("R down", p, f); }
  BOOL OnMouseWheel(UINT, short delta, CPoint p) override {
    Log(QString("wheel %1").arg(delta), p, 0);
    return TRUE;
  }
  BOOL OnKeyDown(UINT vk, UINT, UINT flags) override {
    seen.push_back(QString("down %1%2").arg(vk).arg(flags & KF_REPEAT ? " repeat" : ""));
    return TRUE;
  }
  void OnKeyUp(UINT vk, UINT, UINT) override { seen.push_back(QString("up %1").arg(vk)); }
  void OnSetFocus() override { seen.push_back("focus"); }
  void OnKillFocus() override { seen.push_back("blur"); }
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_TESTPOST) {
      seen.push_back(reinterpret_cast<const char*>(lp));
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
  QTest::mouseRelease(bar.m_stc.Widget(), Qt::RightButton, Qt::NoModifier, QPoint(9, 1));
  // The wheel: signed delta, screen point.
  QWheelEvent wheel(QPointF(5, 6), QPointF(bar.Widget()->mapToGlobal(QPoint(5, 6))), QPoint(), QPoint(0, -120),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(label, &wheel);
  CPoint screen(5, 6);
  bar.ClientToScreen(&screen);
  const std::vector<QString> expected{"L down 34,11 flags 5", "L up 34,11 flags 0", "R down 60,8 flags 2",
                                      QString("wheel -120 %1,%2 flags 0").arg(screen.x).arg(screen.y)};
  EXPECT_EQ(bar.seen, expected);

  // Through the window system: Qt's own hit test passes the statics by.
  bar.seen.clear();
  frame.Widget()->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.Widget()));
  const QPoint at = bar.Widget()->mapTo(frame.Widget(), QPoint(40, 12));
  QTest::mousePress(frame.Widget()->windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
  ASSERT_FALSE(bar.seen.empty());
  EXPECT_EQ(bar.seen[0], "L down 40,12 flags 1");
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
  // Docked: the bar's own gripper, no caption; floating: the caption.  The
  // framework's border and gripper in one picture per dock state.
  for (bool floating : {true, false}) {
    main.FloatControlBar(&docked, floating);
    EXPECT_EQ(docked.IsFloating(), floating);
    EXPECT_EQ(docked.Dock()->titleBarWidget()->sizeHint().height() > 0, floating);
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
  bar.PostMessage(WM_TESTPOST, 3, reinterpret_cast<LPARAM>("posted"));
  EXPECT_TRUE(bar.seen.empty()) << "posted messages wait for the loop";
  CWnd::ProcessPostedMessages();
  EXPECT_EQ(bar.seen, std::vector<QString>{"posted"});
  // The pump stops an exception at the window's edge; SendMessage does not.
  EXPECT_EQ(bar.DispatchMessage(WM_TESTTHROW, 0, 0), 0);
  EXPECT_THROW(bar.SendMessage(WM_TESTTHROW), std::runtime_error);
  EXPECT_EQ(bar.SendMessage(0x7FFF), 0) << "unknown messages give 0";

  bar.DestroyWindow();
  EXPECT_FALSE(bar.IsWindow());
  EXPECT_FALSE(bar.PostMessage(WM_TESTPOST, 0, 0));
}

// {index, mode} -> {first cell, count}: stops at the text's end, nothing outside it.
TEST(StyledStatic, HighlightsTheSelectedCellsWithinTheText) {
  const std::pair<std::pair<int, int>, std::pair<int, int>> cells[] = {
      {{1, 2}, {1, 2}}, {{4, 1}, {4, 1}}, {{4, 2}, {4, 1}}, {{2, 0}, {0, 0}},
      {{-99, 1}, {0, 0}}, {{5, 1}, {0, 0}}, {{1, 3}, {0, 0}}};
  for (const auto& [in, out] : cells) EXPECT_EQ(CLmrStatic::HighlightedCells(in.first, in.second, 5), out) << in.first;
}

// Qt's key and focus events become messages: the system's repeat is
// flagged and its releases dropped, shortcuts and unknown keys stay Qt's.
TEST_F(BarTest, KeysAndFocusReachTheWindow) {
  auto key = [&](QEvent::Type type, int qtKey, bool autoRepeat, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent e(type, qtKey, mods, QString(), autoRepeat);
    QCoreApplication::sendEvent(bar.Widget(), &e);
  };
  key(QEvent::KeyPress, Qt::Key_Up, false);
  key(QEvent::KeyRelease, Qt::Key_Up, true);
  key(QEvent::KeyPress, Qt::Key_Up, true);
  key(QEvent::KeyRelease, Qt::Key_Up, false);
  key(QEvent::KeyPress, Qt::Key_Backtab, false, Qt::ShiftModifier);
  key(QEvent::KeyPress, Qt::Key_Minus, false, Qt::ControlModifier);
  key(QEvent::KeyPress, Qt::Key_A, false);
  QFocusEvent in(QEvent::FocusIn), out(QEvent::FocusOut);
  QCoreApplication::sendEvent(bar.Widget(), &in);
  QCoreApplication::sendEvent(bar.Widget(), &out);
  const std::vector<QString> expected{"down 38", "down 38 repeat", "up 38", "down 9", "focus", "blur"};
  EXPECT_EQ(bar.seen, expected);
}
