// The pad's two dialog requests from the host (WM_CHANGEDATE,
// WM_CHANGEOBS): where the dialogs open and what a session cannot show
// (the lock question, the time systems and the location's commands are a
// recorded session, tests/app/scripts/pad_dialogs.lmscript).
#include "dialog_test.h"
#include "pad_fixture.h"

namespace {

constexpr int kList = 6029;
constexpr int kYear = 1000, kMonth = 1002, kDay = 1001, kHour = 1083;

class PadDialogsTest : public PadTest {
 protected:
  void Open(UINT message, CScriptedModalRunner::Script script) {
    rig.services.modal.Push(std::move(script));
    Pad().SendMessage(message, 0, 0);
  }
  // What the pad told the host to do (queries left out).
  std::vector<std::string> Commands() const {
    std::vector<std::string> commands;
    for (const std::string& c : Sent())
      if (c.rfind("? ", 0) != 0) commands.push_back(c);
    return commands;
  }
};

TEST_F(PadDialogsTest, DialogsOpenBelowThePadAndCancelChangesNothing) {
  Build();
  CRect pad;
  Pad().GetWindowRect(&pad);
  const struct { UINT message; int left; int hourId; } cases[] = {
      {WM_CHANGEDATE, 20, kHour}, {WM_CHANGEOBS, 100, 6032}};
  for (const auto& c : cases) {
    CRect placed;
    Open(c.message, [&](CDialog& d) {
      d.GetWindowRect(&placed);
      EXPECT_TRUE(c.message != WM_CHANGEDATE || ui::Selected(d, kList) == 0);  // JST
      ui::Type(d, c.hourId, "3");
      d.PressButton(IDCANCEL);
    });
    EXPECT_EQ(placed.top, pad.bottom);
    EXPECT_EQ(placed.left, pad.left + c.left);
    // A script that leaves the dialog open ends it as Cancel does.
    Open(c.message, [](CDialog&) {});
  }
  EXPECT_EQ(rig.services.modal.Runs(), 4);
  EXPECT_TRUE(Commands().empty());
  EXPECT_TRUE(rig.Changes().empty());
  EXPECT_EQ(P().Hour(), 21);
}

// Whatever the dialog's own check says, the pad does not send a date past
// 100000-01-01 00:00 UT.
TEST_F(PadDialogsTest, DateThatNormalisesOutOfRangeIsNotApplied) {
  Build();
  Choose("UT");
  Host().ClearSent();
  Open(WM_CHANGEDATE, [](CDialog& d) {
    for (auto [id, text] : {std::pair{kYear, "99999"}, {kMonth, "12"}, {kDay, "31"}, {kHour, "30"}})
      ui::Type(d, id, text);
    ASSERT_TRUE(d.UpdateData(TRUE));
    d.EndDialog(IDOK);
  });
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(rig.services.prompt.LastText(), rig.resources.String(6107).value_or(QString()));
  EXPECT_TRUE(Commands().empty());
  EXPECT_TRUE(rig.Changes().empty());
  EXPECT_EQ(P().TimeSys(), 1);
}

}  // namespace
