// The bar: its title, tooltips and fly-by texts, one picture per colour
// scheme and dock state, the label colours and destruction.
#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include "golden.h"
#include "pad_fixture.h"

class FrameTest : public PadTest {
 protected:
  // The bar's own surface, repainted: the frame, gripper, panel, Moon and
  // marks (the texts are child controls, pinned by their texts).
  QImage Picture() {
    QApplication::processEvents();  // the dock lays out a rebuilt bar
    Pad().Invalidate(FALSE);
    Pad().UpdateWindow();
    return Pad().Surface().copy();
  }
  // The layer shows fly-by help for the point under a moving pointer.
  std::string StatusAt(CPoint p) {
    QMouseEvent move(QEvent::MouseMove, QPointF(p.x, p.y), Pad().Widget()->mapToGlobal(QPointF(p.x, p.y)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(Pad().Widget(), &move);
    return rig.services.status.Last().toStdString();
  }
  CPoint MiddleOf(int id) {
    CRect r;
    Pad().GetDlgItem(id)->GetWindowRect(&r);
    Pad().ScreenToClient(&r);
    return CLumiraPadProbe::Middle(r);
  }
};

TEST_F(FrameTest, TitleTooltipsAndFlyByTexts) {
  Build();
  EXPECT_EQ(Pad().GetWindowText(), QString::fromUtf8("ﾙﾐﾗﾊﾟｯﾄﾞ"));
  const struct { int id; const char* tip; const char* status; } cases[] = {
      {6007, "限界等級", "現在の限界等級を表示します"},
      {6212, "経緯度", nullptr},
      {6206, "日時", "現在の日時を表示します"},
      {6234, "時刻系", nullptr},
      {6008, "月齢", "現在の月齢を表示します。"},  // the hidden Moon area still has its text
      {6217, nullptr, "日付パッドで日時を変更します"},
      {6232, nullptr, "紀元前(BC)／紀元後(AD)を表示します"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.id);
    if (c.tip) {
      EXPECT_EQ(P().ToolTip().TextOf(Pad().GetDlgItem(c.id)).toStdString(), c.tip);
    }
    if (c.status) {
      EXPECT_EQ(StatusAt(MiddleOf(c.id)), c.status);
    }
  }
}

// One picture per scheme and dock state, with both marks on, the Moon at
// 14.6 days and a place and magnitude of more digits than the standard.
TEST_F(FrameTest, PicturesOfEachSchemeAndDockState) {
  const struct { const char* name; int scheme; bool floating; } cases[] = {
      {"bar-dark-docked", 0, false}, {"bar-dark-floating", 0, true},
      {"bar-system-docked", 1, false}, {"bar-system-floating", 7, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    rig.colorScheme = c.scheme;
    rig.floating = c.floating;
    Host().Reply("? View.Track", "TRUE");
    Host().Reply("? View.Trace", "TRUE");
    Host().Reply("? Solar.Moon.age", "14.6");
    Host().Reply("? Location.Longitude; ? Location.Latitude", "-122.75;-33.5");
    Host().Reply("? Star.AutoMagnitudeLimit.minimum", "11.3");
    Build();
    EXPECT_TRUE(MatchesGolden(Picture(), c.name));
    // Later paints, also after a resize, move nothing.
    const CRect date = P().DateRect();
    Pad().MoveWindow(0, 0, P().ClientRect().Width(), 41);
    Picture();
    EXPECT_EQ(P().DateRect(), date);
  }
}

// The era and time-system labels draw transparently in light blue in
// both schemes.
TEST_F(FrameTest, LabelColours) {
  for (int scheme : {0, 1}) {
    TearDown();
    rig.colorScheme = scheme;
    Build();
    CDC dc(nullptr);
    for (int id : {6232, 6234}) {
      dc.SetBkMode(OPAQUE);
      EXPECT_EQ(P().CtlColor(&dc, Pad().GetDlgItem(id), CTLCOLOR_STATIC), CBrush::Hollow()) << id;
      EXPECT_EQ(dc.GetTextColor(), RGB(118, 175, 227));
      EXPECT_EQ(dc.GetBkMode(), TRANSPARENT);
    }
  }
}

TEST_F(FrameTest, DestructionFreesWhatThePadCreatedOnly) {
  Build();
  ASSERT_NE(P().MoonStrip(), nullptr);
  Pad().DestroyWindow();
  EXPECT_EQ(P().MoonStrip(), nullptr);  // freed by OnDestroy
  EXPECT_NE(P().DateUp(), nullptr);     // freed by the destructor
  probe.reset();
  rig.pad.reset();
  EXPECT_EQ(rig.host.Execute("? Time.jd"), "2453827.02101");  // the host's own
  // A pad deleted with its window still up ends the window as a pad, too
  // (the sanitizer build would report the Moon strip otherwise).
  Build();
  probe.reset();
  rig.pad.reset();
}
