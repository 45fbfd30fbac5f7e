// What a recorded session cannot show of the mouse (tests/app/scripts has
// the clicks, holds, wheel, middle button and label): that nothing of a
// hold outlives it, the menu's entries and place, and the focus mark.
#include "pad_fixture.h"

class MouseTest : public PadTest {};

// Every way a hold ends leaves no timer, capture or busy flag behind.
TEST_F(MouseTest, NothingOfAHoldOutlivesIt) {
  Build();
  const struct { const char* how; UINT down; int heldMs; std::function<void()> end; } cases[] = {
      {"released early", WM_LBUTTONDOWN, 490, [&] { Send(WM_LBUTTONUP, P().DateCell(13)); }},
      {"SetEnable(0)", WM_LBUTTONDOWN, 600, [&] { Pad().SetEnable(0); }},
      {"EnableAnimation(0)", WM_RBUTTONDOWN, 600, [&] { Pad().EnableAnimation(0); }},
      {"lock question", WM_LBUTTONDOWN, 505, [&] {
         Host().Reply("? Time.Lock", "TRUE");
         AnswerNextBox(IDYES);
         Advance(5);  // the first repeat tick asks
         Host().Reply("? Time.Lock", "FALSE");
       }},
      {"focus lost during a key", WM_KEYDOWN, 520, [&] { Pad().SendMessage(WM_KILLFOCUS); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    Pad().EnableAnimation(5);
    EXPECT_EQ(Pad().GetEnable(), 1);
    LeftClick(P().DateCell(13));
    Host().ClearSent();
    if (c.down == WM_KEYDOWN) {
      Pad().SendMessage(WM_KEYDOWN, VK_UP);
    } else {
      Send(c.down, P().DateCell(13));
      EXPECT_TRUE(Pad().HasCapture());
      Pad().SendMessage(WM_CANCELMODE);  // keeps the hold
    }
    Advance(c.heldMs);
    c.end();
    EXPECT_TRUE(P().Idle()) << P().BusyState();
    EXPECT_FALSE(Pad().HasCapture());
    const int steps = CountSent("Time = ");
    Advance(1000);
    EXPECT_EQ(CountSent("Time = "), steps);
    Send(c.down == WM_RBUTTONDOWN ? WM_RBUTTONUP : WM_LBUTTONUP, P().DateCell(13));
  }
  // Disabled, the pad ignores the mouse.
  Pad().EnableAnimation(0);
  EXPECT_EQ(Pad().GetEnable(), 0);
  Host().ClearSent();
  LeftClick(P().DateCell(13));
  EXPECT_EQ(CountSent("Time = "), 0);
}

TEST_F(MouseTest, TheArrowOpensTheMenuBelowTheLabelWithTheCurrentSystemMarked) {
  Build();
  P().OnChangeTz("LMT");
  ChooseFromMenu(6);  // "MJD"
  Send(WM_LBUTTONDOWN, P().Arrow());
  EXPECT_EQ(P().TimerL1(), UINT(-1));  // the arrow holds nothing
  const auto& entries = P().TimeSysMenu().Entries();
  ASSERT_EQ(entries.size(), 8u);
  const char* texts[] = {"   日本時",   "   世界時", "   世界時(日)", "   地方標準時",
                         " * 地方平時", "   ﾕﾘｳｽ日", "   準ﾕﾘｳｽ日",  "   恒星時"};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(entries[i].second, QString::fromUtf8(texts[i])) << i;
  EXPECT_EQ(MenuPoint(), P().ScreenOf(CPoint(P().TimeSysRect().left, P().ClientRect().bottom - 3)));
  EXPECT_EQ(P().TimeSys(), 5);  // the choice came back as WM_CHANGETZ
  Send(WM_LBUTTONUP, P().Arrow());
  const int menus = MenusShown();
  RightClick(P().Arrow());  // a right press opens nothing
  EXPECT_EQ(MenusShown(), menus);
}

// The focus mark beside the date text, and what screen readers read.
TEST_F(MouseTest, FocusMarkAndTheDateTextsAccessibleDescription) {
  Build();
  auto markShown = [&](const CRect& around) {
    Pad().UpdateWindow();
    return Pad().Surface().pixel(around.left - 1, around.top + 5) == qRgb(118, 175, 227);
  };
  const CRect date = P().DateRect(), obs = P().ObsRect();
  EXPECT_FALSE(markShown(date));
  Pad().SendMessage(WM_SETFOCUS);
  EXPECT_TRUE(markShown(date));
  // A click takes the mark to the display it selects a digit of.
  LeftClick(P().ObsCell(25));
  EXPECT_TRUE(markShown(obs) && !markShown(date));
  LeftClick(P().DateCell(13));
  EXPECT_TRUE(markShown(date) && !markShown(obs));
  Pad().SendMessage(WM_KILLFOCUS);
  EXPECT_FALSE(markShown(date));
  CWnd* text = Pad().GetDlgItem(6206);
  text->UpdateWindow();
  EXPECT_EQ(text->Widget()->accessibleName(), QString::fromUtf8("日時"));
  EXPECT_EQ(text->Widget()->accessibleDescription(), QString::fromUtf8("2006/04/01 21:30:15（選択中の桁: 1）"));
}
