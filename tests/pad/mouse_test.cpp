// The pad driven by the mouse (and the keys that share its holds): clicks,
// holds with auto-repeat, the wheel, the middle button, the time-system
// label, its menu and the era mark.
#include "editing_fixture.h"

namespace {

class MouseTest : public EditingTest {
 protected:
  // Time commands sent since the last ClearSent whose hour field is `hour`
  // (the scripted host answers 21:30:15 JST, so +1 h sends 22, -1 h 20).
  int HourSteps(int hour) {
    return CountSent(QString::asprintf("Time = LST(2006,4,1,%d,30,15,", hour).toStdString());
  }
};

TEST_F(MouseTest, ClickSelectsTheCellUnderThePointAndStepsIt) {
  Build();
  const CRect date = P().DateRect();
  const int y = (date.top + date.bottom) / 2;
  // Cells are 7 pixels from the left edge of the text.
  LeftClick(CPoint(date.left + 6, y));
  EXPECT_EQ(P().SelDigit(), 0);
  EXPECT_EQ(P().SelMode(), 1);
  LeftClick(CPoint(date.left + 7, y));
  EXPECT_EQ(P().SelDigit(), 1);
  EXPECT_EQ(P().DateDisplay().SelectedIndex(), 1);
  EXPECT_EQ(P().DateDisplay().SelectedMode(), 1);

  // The month's second digit: index 7 kept, two cells, the month steps.
  host.ClearSent();
  LeftClick(P().DateCell(7));
  EXPECT_EQ(P().SelDigit(), 7);
  EXPECT_EQ(P().SelMode(), 2);
  EXPECT_EQ(LastSent("Time = "), "Time = LST(2006,5,1,21,30,15,9.000000) ; show lumiral");
  EXPECT_EQ(P().ObsDisplay().SelectedIndex(), -99);
  EXPECT_EQ(P().MagDisplay().SelectedIndex(), -99);

  // The magnitude's first character selects the whole part as 40.
  LeftClick(P().MagCell(40));
  EXPECT_EQ(P().SelDigit(), 40);
  EXPECT_EQ(P().SelMode(), 2);
  EXPECT_EQ(P().MagDisplay().SelectedIndex(), 0);
  EXPECT_EQ(P().DateDisplay().SelectedIndex(), -99);
  LeftClick(P().MagCell(43));
  EXPECT_EQ(P().SelDigit(), 43);
  EXPECT_EQ(P().MagDisplay().SelectedIndex(), 3);

  // A location digit: the display is given its own index.
  LeftClick(P().ObsCell(24));
  EXPECT_EQ(P().SelDigit(), 24);
  EXPECT_EQ(P().ObsDisplay().SelectedIndex(), 4);
  EXPECT_EQ(P().ObsDisplay().SelectedMode(), 1);
  LeftClick(P().ObsCell(21));
  EXPECT_EQ(P().SelDigit(), 21);
  EXPECT_EQ(P().SelMode(), 2);
  // A location letter 'd' is no digit: it clears.
  LeftClick(P().ObsCell(23));
  EXPECT_EQ(P().SelDigit(), -99);
  EXPECT_EQ(P().ObsDisplay().SelectedIndex(), -119);
}

TEST_F(MouseTest, ShiftAndTheRightButtonReverseTheStep) {
  Build();
  host.ClearSent();
  LeftClick(P().DateCell(13));
  LeftClick(P().DateCell(13), MK_SHIFT);
  RightClick(P().DateCell(13));
  RightClick(P().DateCell(13), MK_SHIFT);
  const auto sent = SentWith("Time = ");
  ASSERT_EQ(sent.size(), 4u);
  EXPECT_EQ(sent[0], "Time = LST(2006,4,1,22,30,15,9.000000) ; show lumiral");
  EXPECT_EQ(sent[1], "Time = LST(2006,4,1,20,30,15,9.000000) ; show lumiral");
  EXPECT_EQ(sent[2], "Time = LST(2006,4,1,20,30,15,9.000000) ; show lumiral");
  EXPECT_EQ(sent[3], "Time = LST(2006,4,1,22,30,15,9.000000) ; show lumiral");
  EXPECT_EQ(P().PtL(), CPoint(0, 0));  // a right press forgets the left point
}

TEST_F(MouseTest, SeparatorsAndNonCalendarSystems) {
  Build();
  // A separator re-sends the unchanged date, then clears the selection.
  LeftClick(P().DateCell(13));
  host.ClearSent();
  LeftClick(P().DateCell(14));
  EXPECT_EQ(SentWith("Time = "), std::vector<std::string>{"Time = LST(2006,4,1,21,30,15,9.000000) ; show lumiral"});
  EXPECT_EQ(P().SelDigit(), -99);
  EXPECT_EQ(P().DateDisplay().SelectedIndex(), -99);

  // In JD a click on the date changes nothing and clears the selection.
  LeftClick(P().DateCell(13));
  ASSERT_EQ(P().SelDigit(), 13);
  P().OnChangeTz("JD");
  host.ClearSent();
  LeftClick(P().DateCell(13));
  EXPECT_EQ(CountSent("Time = "), 0);
  EXPECT_EQ(P().SelDigit(), -99);
  EXPECT_EQ(P().DateDisplay().SelectedIndex(), -99);
}

TEST_F(MouseTest, ClickReleasedBeforeTheHoldEndsStepsOnce) {
  Build();
  host.ClearSent();
  Send(WM_LBUTTONDOWN, P().DateCell(13));
  EXPECT_EQ(P().TimerL1(), 100u);
  EXPECT_TRUE(rig.pad->HasCapture());
  EXPECT_EQ(P().LButton(), 1);
  Advance(490);
  Send(WM_LBUTTONUP, P().DateCell(13));
  Advance(2000);
  EXPECT_EQ(CountSent("Time = "), 1);
  EXPECT_TRUE(P().AllTimersIdle());
  EXPECT_FALSE(rig.pad->HasCapture());
  EXPECT_EQ(P().LButton(), 0);
  EXPECT_EQ(LastSent("animation"), "animation.time = false");
}

TEST_F(MouseTest, HoldRepeatsAndShiftReversesMidway) {
  Build();
  host.ClearSent();
  Send(WM_LBUTTONDOWN, P().DateCell(13));
  Advance(509);
  EXPECT_EQ(HourSteps(22), 1);  // the click only, no tick before 510 ms
  Advance(1);
  EXPECT_EQ(HourSteps(22), 2);
  EXPECT_EQ(P().TimerL2(), 101u);
  Advance(490);  // up to 1000 ms
  const int upSteps = HourSteps(22);
  EXPECT_GE(upSteps, 45);
  EXPECT_EQ(HourSteps(20), 0);
  SetShift(true);
  Advance(300);
  EXPECT_EQ(HourSteps(22), upSteps);  // from now on only down
  EXPECT_GE(HourSteps(20), 25);
  SetShift(false);
  // Moving the pointer does not move the aim of the hold.
  Send(WM_MOUSEMOVE, P().ObsCell(22));
  EXPECT_EQ(P().EdgeDigit(), 22);
  host.ClearSent();
  Advance(100);
  EXPECT_GE(HourSteps(22), 9);
  EXPECT_EQ(CountSent("Location = "), 0);
  Send(WM_LBUTTONUP, P().ObsCell(22));
  host.ClearSent();
  Advance(1000);
  EXPECT_TRUE(host.Sent().empty());
  EXPECT_TRUE(P().AllTimersIdle());
}

TEST_F(MouseTest, RightHoldRepeatsDownwards) {
  Build();
  host.ClearSent();
  Send(WM_RBUTTONDOWN, P().DateCell(13));
  EXPECT_EQ(P().TimerR1(), 102u);
  Advance(600);
  EXPECT_EQ(P().TimerR2(), 103u);
  EXPECT_GE(HourSteps(20), 10);
  EXPECT_EQ(HourSteps(22), 0);
  Send(WM_RBUTTONUP, P().DateCell(13));
  EXPECT_TRUE(P().AllTimersIdle());
  EXPECT_FALSE(rig.pad->HasCapture());
}

TEST_F(MouseTest, ASecondButtonIsRefusedWhileOneIsHeld) {
  Build();
  Send(WM_LBUTTONDOWN, P().DateCell(13));
  host.ClearSent();
  Send(WM_RBUTTONDOWN, P().ObsCell(22));
  Send(WM_MBUTTONDOWN, P().DateCell(10));
  Wheel(P().ObsCell(22), 120);
  EXPECT_EQ(CountSent("Location = "), 0);
  EXPECT_EQ(CountSent("Time = "), 0);
  EXPECT_EQ(P().TimerR1(), UINT(-1));
  EXPECT_EQ(P().SelDigit(), 13);
  // The left hold still runs; its button-up ends it.
  Advance(600);
  EXPECT_GT(HourSteps(22), 0);
  Send(WM_LBUTTONUP, P().DateCell(13));
  EXPECT_TRUE(P().AllTimersIdle());
  host.ClearSent();
  Advance(600);
  EXPECT_TRUE(host.Sent().empty());
}

TEST_F(MouseTest, EveryButtonUpStopsTheHostsAnimation) {
  Build();
  for (CPoint pt : {P().DateCell(13), CPoint(2, 2), P().Middle(P().ArrowRect())}) {
    host.ClearSent();
    Send(WM_LBUTTONUP, pt);
    Send(WM_RBUTTONUP, pt);
    EXPECT_EQ(CountSent("animation.time = false"), 2);
  }
}

TEST_F(MouseTest, HoldOnTheEraFlipsItOnEveryTick) {
  Build();
  host.ClearSent();
  Send(WM_LBUTTONDOWN, P().Middle(P().EraRect()));
  EXPECT_EQ(CountSent("Time = LST(-2005,4,1,21,30,15,9.000000)"), 1);
  const size_t told = rig.Changes().size();
  Advance(600);
  // The scripted host keeps answering AD 2006, so every tick flips it again.
  const int flips = CountSent("Time = LST(-2005,4,1,21,30,15,9.000000)");
  EXPECT_GE(flips, 10);
  EXPECT_EQ(CountSent("Time = "), flips);
  EXPECT_EQ(rig.Changes().size(), told + size_t(flips - 1));
  EXPECT_EQ(P().SelDigit(), -99);
  Send(WM_LBUTTONUP, P().Middle(P().EraRect()));
}

TEST_F(MouseTest, TheLabelStepsThroughTheTimeSystems) {
  Build();
  const CPoint label = P().Middle(P().TimeSysRect());
  LeftClick(label);
  EXPECT_EQ(P().TimeSys(), 1);  // JST -> UT
  LeftClick(label);
  EXPECT_EQ(P().TimeSys(), 2);  // -> UTD
  LeftClick(label);
  EXPECT_EQ(P().TimeSys(), 6);  // -> LST
  LeftClick(label, MK_SHIFT);
  EXPECT_EQ(P().TimeSys(), 2);
  RightClick(label);
  EXPECT_EQ(P().TimeSys(), 1);
  RightClick(label, MK_SHIFT);
  EXPECT_EQ(P().TimeSys(), 2);
  // Past the first entry nothing happens.
  P().OnChangeTz("JST");
  host.ClearSent();
  RightClick(label);
  EXPECT_EQ(P().TimeSys(), 0);
  EXPECT_FALSE(WasSent("? JST(Time)"));
  // Nor past the last.
  P().OnChangeTz("ST");
  LeftClick(label);
  EXPECT_EQ(P().TimeSys(), 8);
  EXPECT_EQ(rig.timeSys, 1);
}

TEST_F(MouseTest, TheArrowOpensTheMenuWithTheCurrentSystemMarked) {
  Build();
  P().OnChangeTz("LMT");
  LeftClick(P().DateCell(13));
  ASSERT_EQ(P().SelDigit(), 13);
  ChooseFromMenu(6);  // "MJD"
  host.ClearSent();
  const CPoint arrow = P().Middle(P().ArrowRect());
  Send(WM_LBUTTONDOWN, arrow);
  EXPECT_EQ(P().TimerL1(), UINT(-1));  // the arrow holds nothing
  EXPECT_EQ(P().SelDigit(), -99);
  EXPECT_EQ(P().MenuShown(), 1);
  const auto& entries = P().TimeSysMenu().Entries();
  ASSERT_EQ(entries.size(), 8u);
  const char* keys[] = {"JST", "UT", "UTD", "LST", "LMT", "JD", "MJD", "ST"};
  const char* texts[] = {"   日本時",   "   世界時", "   世界時(日)", "   地方標準時",
                         " * 地方平時", "   ﾕﾘｳｽ日", "   準ﾕﾘｳｽ日",  "   恒星時"};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(entries[i].first, QString::fromUtf8(keys[i])) << i;
    EXPECT_EQ(entries[i].second, QString::fromUtf8(texts[i])) << i;
  }
  EXPECT_EQ(MenuPoint(), P().ScreenOf(CPoint(P().TimeSysRect().left, P().ClientRect().bottom - 3)));
  EXPECT_EQ(P().TimeSys(), 5);  // the choice came back as WM_CHANGETZ
  EXPECT_EQ(CountSent("Time = "), 0);
  Send(WM_LBUTTONUP, arrow);

  // A right press on the arrow opens nothing.
  const int menus = MenusShown();
  RightClick(arrow);
  EXPECT_EQ(MenusShown(), menus);
  EXPECT_EQ(P().MenuShown(), 0);
}

TEST_F(MouseTest, WheelStepsTheHoveredDigitWhileAnotherStaysHighlighted) {
  Build();
  LeftClick(P().ObsCell(24));
  ASSERT_EQ(P().ObsDisplay().SelectedIndex(), 4);
  Send(WM_MOUSEMOVE, P().DateCell(13));
  EXPECT_EQ(P().EdgeDigit(), 13);
  host.ClearSent();
  Wheel(P().DateCell(13), 120);
  EXPECT_EQ(SentWith("Time = "), std::vector<std::string>{"Time = LST(2006,4,1,22,30,15,9.000000) ; show lumiral"});
  EXPECT_EQ(CountSent("Location = "), 0);
  EXPECT_EQ(P().SelDigit(), 13);
  EXPECT_EQ(P().ObsDisplay().SelectedIndex(), 4);  // the highlight stays
  EXPECT_EQ(P().SelMode(), 1);
  host.ClearSent();
  Wheel(P().DateCell(13), -120);
  EXPECT_EQ(HourSteps(20), 1);
  EXPECT_EQ(P().WheelBusy(), 0);

  // Hover skips separators and follows the other areas.
  Send(WM_MOUSEMOVE, P().DateCell(14));
  EXPECT_EQ(P().EdgeDigit(), 13);
  Send(WM_MOUSEMOVE, P().ObsCell(26));
  EXPECT_EQ(P().EdgeDigit(), 13);
  Send(WM_MOUSEMOVE, P().MagCell(42));
  EXPECT_EQ(P().EdgeDigit(), 13);
  Send(WM_MOUSEMOVE, P().MagCell(43));
  EXPECT_EQ(P().EdgeDigit(), 43);
  Send(WM_MOUSEMOVE, P().Middle(P().ArrowRect()));
  EXPECT_EQ(P().EdgeDigit(), 90);
  Send(WM_MOUSEMOVE, P().Middle(P().EraRect()));
  EXPECT_EQ(P().EdgeDigit(), 91);
  Send(WM_MOUSEMOVE, CPoint(2, 2));
  EXPECT_EQ(P().EdgeDigit(), 91);
  // In JD the date cells are not hovered.
  P().OnChangeTz("JD");
  Send(WM_MOUSEMOVE, P().DateCell(13));
  EXPECT_EQ(P().EdgeDigit(), 91);

  // Outside the pad the wheel does nothing.
  host.ClearSent();
  Wheel(CPoint(P().ClientRect().right + 50, 5), 120);
  EXPECT_TRUE(host.Sent().empty());
}

TEST_F(MouseTest, WheelOnTheSelectorAndTheEra) {
  Build();
  const CPoint selector = P().Middle(P().ArrowRect());
  Wheel(selector, -120);
  EXPECT_EQ(P().TimeSys(), 1);  // backward: next entry
  Wheel(selector, 120);
  EXPECT_EQ(P().TimeSys(), 0);
  host.ClearSent();
  Wheel(selector, 120);  // forward at the first entry re-selects it
  EXPECT_EQ(P().TimeSys(), 0);
  EXPECT_TRUE(WasSent("? JST(Time)"));
  P().OnChangeTz("ST");
  host.ClearSent();
  Wheel(P().Middle(P().TimeSysRect()), -120);  // backward at the last one
  EXPECT_EQ(P().TimeSys(), 8);
  EXPECT_TRUE(WasSent("? Time.SiderealTime"));

  P().OnChangeTz("UT");
  host.ClearSent();
  const size_t told = rig.Changes().size();
  Wheel(P().Middle(P().EraRect()), -120);
  EXPECT_EQ(LastSent("Time = "), "Time = UT(-2005,4,1,12,30,15) ; show lumiral");
  EXPECT_EQ(rig.Changes().size(), told + 1);
}

TEST_F(MouseTest, MiddleButtonResetsADateField) {
  Build();
  struct Case {
    int cell;
    int sel, mode;
    const char* sent;
  };
  const Case cases[] = {
      {2, 2, 1, "Time = LST(2006,4,1,21,30,15,9.000000) ; show lumiral"},   // the year is only selected
      {7, 6, 2, "Time = LST(2006,1,1,21,30,15,9.000000) ; show lumiral"},
      {10, 10, 1, "Time = LST(2006,4,1,21,30,15,9.000000) ; show lumiral"},
      {12, 12, 1, "Time = LST(2006,4,1,0,30,15,9.000000) ; show lumiral"},
      {16, 16, 1, "Time = LST(2006,4,1,21,0,15,9.000000) ; show lumiral"},
      {18, 18, 1, "Time = LST(2006,4,1,21,30,0,9.000000) ; show lumiral"},
      {11, -99, 0, "Time = LST(2006,4,1,21,30,15,9.000000) ; show lumiral"},
  };
  for (const Case& c : cases) {
    rig.pad->OnUpdate(1);  // the host's moment again
    host.ClearSent();
    Send(WM_MBUTTONDOWN, P().DateCell(c.cell));
    EXPECT_EQ(host.Sent(), std::vector<std::string>{c.sent}) << c.cell;  // no refresh, no lock question
    EXPECT_EQ(P().SelDigit(), c.sel) << c.cell;
    EXPECT_EQ(P().SelMode(), c.mode) << c.cell;
    EXPECT_EQ(P().DateDisplay().SelectedIndex(), c.sel) << c.cell;
    EXPECT_EQ(P().MButton(), 0);
  }
  // The day becomes 1 in February too.
  P().Month() = 2;
  P().Day() = 28;
  host.ClearSent();
  Send(WM_MBUTTONDOWN, P().DateCell(9));
  EXPECT_EQ(LastSent("Time = "), "Time = LST(2006,2,1,21,30,15,9.000000) ; show lumiral");

  // The host gets the date before the main window hears of it, so the
  // main window reads the new date.
  rig.pad->OnUpdate(1);
  size_t toldWhenSent = 0;
  host.onCommand = [&](const std::string& c) {
    if (c.rfind("Time = ", 0) == 0) toldWhenSent = rig.Changes().size();
  };
  const size_t told = rig.Changes().size();
  Send(WM_MBUTTONDOWN, P().DateCell(16));
  host.onCommand = nullptr;
  EXPECT_EQ(toldWhenSent, told);
  EXPECT_EQ(rig.Changes().size(), told + 1);
  EXPECT_EQ(rig.Changes().back(), "DATE");

  // Beside the date (on the magnitude): the selection goes, the date and
  // the notification still go out.
  LeftClick(P().DateCell(13));
  host.ClearSent();
  Send(WM_MBUTTONDOWN, P().MagCell(43));
  EXPECT_EQ(P().SelDigit(), -99);
  EXPECT_EQ(P().DateDisplay().SelectedIndex(), -99);
  EXPECT_EQ(CountSent("Time = "), 1);

  // Not in the decimal and sidereal systems.
  for (const char* label : {"UTD", "JD", "MJD", "ST"}) {
    P().OnChangeTz(label);
    host.ClearSent();
    Send(WM_MBUTTONDOWN, P().DateCell(12));
    EXPECT_TRUE(host.Sent().empty()) << label;
    EXPECT_EQ(P().MButton(), 0);
  }
}

TEST_F(MouseTest, DisabledPadStopsItsHoldAndIgnoresTheMouse) {
  Build();
  LeftClick(P().ObsCell(22));
  ASSERT_EQ(P().ObsDisplay().SelectedIndex(), 2);
  Send(WM_LBUTTONDOWN, P().DateCell(13));
  Advance(600);
  ASSERT_NE(P().TimerL2(), UINT(-1));
  rig.pad->SetEnable(0);
  EXPECT_TRUE(P().AllTimersIdle());
  EXPECT_FALSE(rig.pad->HasCapture());
  EXPECT_EQ(P().LButton(), 0);
  EXPECT_EQ(P().SelDigit(), -99);
  EXPECT_EQ(P().DateDisplay().SelectedIndex(), -99);
  EXPECT_EQ(P().ObsDisplay().SelectedIndex(), -99);
  host.ClearSent();
  const int hovered = P().EdgeDigit();
  Advance(1000);
  Send(WM_LBUTTONUP, P().DateCell(13));
  LeftClick(P().DateCell(13));
  RightClick(P().DateCell(13));
  Send(WM_MBUTTONDOWN, P().DateCell(13));
  Wheel(P().DateCell(13), 120);
  Send(WM_MOUSEMOVE, P().ObsCell(22));
  EXPECT_TRUE(host.Sent().empty());
  EXPECT_EQ(P().EdgeDigit(), hovered);
  EXPECT_TRUE(P().AllTimersIdle());

  rig.pad->EnableAnimation(5);
  EXPECT_EQ(rig.pad->GetEnable(), 1);
  LeftClick(P().DateCell(13));
  EXPECT_EQ(HourSteps(22), 1);
  // EnableAnimation(0) during a right hold stops it the same way.
  Send(WM_RBUTTONDOWN, P().DateCell(13));
  Advance(600);
  rig.pad->EnableAnimation(0);
  EXPECT_TRUE(P().AllTimersIdle());
  EXPECT_EQ(P().RButton(), 0);
  EXPECT_EQ(rig.pad->GetEnable(), 0);
  rig.pad->SetEnable(2);
  EXPECT_EQ(rig.pad->GetEnable(), 2);  // stored as given
}

TEST_F(MouseTest, ALockQuestionDuringAHoldEndsTheRepeat) {
  Build();
  Send(WM_LBUTTONDOWN, P().DateCell(16));
  Advance(505);
  host.Reply("? Time.Lock", "TRUE");
  AnswerNextBox(IDYES);
  host.ClearSent();
  Advance(5);  // the first repeat tick asks
  EXPECT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(CountSent("Time = "), 1);  // answered yes: this step goes out
  EXPECT_TRUE(P().AllTimersIdle());
  EXPECT_FALSE(rig.pad->HasCapture());
  host.ClearSent();
  Advance(1000);
  EXPECT_TRUE(host.Sent().empty());
  EXPECT_EQ(Boxes().size(), 1u);
  Send(WM_LBUTTONUP, P().DateCell(16));
  EXPECT_EQ(host.Sent(), std::vector<std::string>{"animation.time = false"});
}

TEST_F(MouseTest, DoubleClickStepsAgain) {
  Build();
  host.ClearSent();
  const CPoint pt = P().DateCell(19);
  Send(WM_LBUTTONDOWN, pt);
  Send(WM_LBUTTONUP, pt);
  Send(WM_LBUTTONDBLCLK, pt);
  CWnd::ProcessPostedMessages();
  Send(WM_LBUTTONUP, pt);
  EXPECT_EQ(CountSent("Time = LST(2006,4,1,21,30,16,"), 2);
  EXPECT_TRUE(P().AllTimersIdle());
  // Between the areas a double click posts nothing.
  host.ClearSent();
  Send(WM_LBUTTONDBLCLK, CPoint(2, 2));
  CWnd::ProcessPostedMessages();
  EXPECT_TRUE(host.Sent().empty());
}

TEST_F(MouseTest, AFailingHostLeavesNoActionBusy) {
  Build();
  Send(WM_MOUSEMOVE, P().DateCell(13));
  host.FailOnCall(1);
  EXPECT_THROW(P().WheelAt(P().DateCell(13), 120), CHostError);
  EXPECT_EQ(P().WheelBusy(), 0);
  host.FailOnCall(1);
  EXPECT_THROW(P().MDown(P().DateCell(13)), CHostError);
  EXPECT_EQ(P().MButton(), 0);
  // Through the message pump the failure stops at the window's edge.
  host.FailOnCall(2);
  rig.pad->DispatchMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 120),
                           MAKELPARAM(P().ScreenOf(P().DateCell(13)).x, P().ScreenOf(P().DateCell(13)).y));
  EXPECT_EQ(P().WheelBusy(), 0);
  // Later input works (from the pad's own fields: the failed steps never
  // reached the host).
  EXPECT_TRUE(P().AllTimersIdle());
  host.ClearSent();
  LeftClick(P().DateCell(13));
  EXPECT_EQ(CountSent("Time = LST("), 1);
  EXPECT_EQ(host.Sent().back(), "animation.time = false");
}

TEST_F(MouseTest, CancelModeKeepsTheHold) {
  Build();
  Send(WM_LBUTTONDOWN, P().DateCell(13));
  rig.pad->SendMessage(WM_CANCELMODE);
  EXPECT_EQ(P().TimerL1(), 100u);
  EXPECT_TRUE(rig.pad->HasCapture());
  Send(WM_LBUTTONUP, P().DateCell(13));
}

}  // namespace

// What a replayed script cannot show: the focus mark beside the date text, a held
// key whose release never comes because the focus went elsewhere, and
// what screen readers read of the date text.
TEST_F(MouseTest, FocusMarkAndAKeyHeldWhenTheFocusGoes) {
  Build();
  const CRect date = P().DateRect();
  auto markShown = [&] {
    rig.pad->UpdateWindow();
    return rig.pad->Surface().pixel(date.left - 1, date.top + 5) == qRgb(118, 175, 227);
  };
  EXPECT_FALSE(markShown());
  rig.pad->SendMessage(WM_SETFOCUS);
  EXPECT_TRUE(markShown());

  LeftClick(P().DateCell(13));
  rig.pad->SendMessage(WM_KEYDOWN, VK_UP);
  Advance(520);  // the press and two ticks
  rig.pad->SendMessage(WM_KILLFOCUS);
  Advance(1000);
  EXPECT_EQ(CountSent("Time = "), 4);
  EXPECT_TRUE(P().AllTimersIdle());
  EXPECT_FALSE(markShown());

  CWnd* text = rig.pad->GetDlgItem(6206);
  ASSERT_TRUE(text);
  text->UpdateWindow();
  EXPECT_EQ(text->Widget()->accessibleName(), QString::fromUtf8("日時"));
  EXPECT_EQ(text->Widget()->accessibleDescription(), QString::fromUtf8("2006/04/01 21:30:15（選択中の桁: 1）"));
}
