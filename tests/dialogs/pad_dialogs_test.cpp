// The pad's two dialog requests from the host (WM_CHANGEDATE,
// WM_CHANGEOBS): what reaches the host and the main window for each way a
// dialog can end.
#include <memory>

#include "dialog_test.h"
#include "pad_fixture.h"
#include "sky/engine.h"

namespace {

constexpr int kList = 6029;
constexpr int kYear = 1000, kMonth = 1002, kDay = 1001, kHour = 1083;
enum Entry { kJST, kUT, kUTD, kLST, kLMT, kJD, kMJD };
const char* const kStandardJst = "Time = LST(2006,4,1,21,30,15,9.000000) ; show lumiral";

class PadDialogsTest : public PadTest {
 protected:
  void OpenDate(CScriptedModalRunner::Script script) {
    rig.services.modal.Push(std::move(script));
    rig.pad->SendMessage(WM_CHANGEDATE, 0, 0);
  }
  void OpenObs(CScriptedModalRunner::Script script) {
    rig.services.modal.Push(std::move(script));
    rig.pad->SendMessage(WM_CHANGEOBS, 0, 0);
  }

  // What the pad told the host to do (queries left out).
  std::vector<std::string> Commands() const {
    std::vector<std::string> commands;
    for (const std::string& c : rig.host.Sent()) {
      if (c.rfind("? ", 0) != 0) commands.push_back(c);
    }
    return commands;
  }
  int Questions() const { return int(rig.services.prompt.Shown().size()); }
  std::string Message(UINT id) const { return rig.resources.String(id).value_or(QString()).toStdString(); }
  void Forget() {
    rig.host.ClearSent();
    rig.services.prompt.ClearShown();
    rig.frame->changes.clear();
  }
};

using Changes = std::vector<std::string>;

TEST_F(PadDialogsTest, DateDialogOpensBelowThePadAndCancelChangesNothing) {
  Build();
  CRect pad;
  rig.pad->GetWindowRect(&pad);
  CRect placed;
  int shownIndex = -1;
  OpenDate([&](CDialog& d) {
    d.GetWindowRect(&placed);
    shownIndex = ui::Selected(d, kList);
    ui::Type(d, kHour, "3");
    d.PressButton(IDCANCEL);
  });
  EXPECT_EQ(rig.services.modal.Runs(), 1);
  EXPECT_EQ(placed.top, pad.bottom);
  EXPECT_EQ(placed.left, pad.left + 20);
  EXPECT_EQ(shownIndex, kJST);
  // A script that leaves the dialog open ends it as Cancel does.
  OpenDate([](CDialog&) {});
  EXPECT_TRUE(Commands().empty());
  EXPECT_TRUE(rig.Changes().empty());
  EXPECT_EQ(probe->Hour(), 21);
  EXPECT_EQ(probe->TimeSys(), 0);
}

TEST_F(PadDialogsTest, UnchangedEntryResendsTheTimeWithoutAsking) {
  rig.host.Reply("? Time.Lock", "TRUE");
  Build();
  OpenDate([](CDialog& d) { ui::PressOk(d); });
  EXPECT_EQ(Questions(), 0);
  EXPECT_EQ(Commands(), Changes{kStandardJst});
  EXPECT_EQ(rig.Changes(), Changes{"DATE"});
  EXPECT_EQ(rig.timeSys, 0);
}

TEST_F(PadDialogsTest, ChangedTimeOfDayAsksToReleaseTheLock) {
  rig.host.Reply("? Time.Lock", "TRUE");
  Build();
  // Declined: nothing goes to the host, nobody is told.
  OpenDate([](CDialog& d) {
    ui::Type(d, kHour, "22");
    ui::PressOk(d);
  });
  ASSERT_EQ(Questions(), 1);
  EXPECT_EQ(rig.services.prompt.LastText().toStdString(), Message(6101));
  EXPECT_TRUE(Commands().empty());
  EXPECT_TRUE(rig.Changes().empty());

  Forget();
  rig.services.prompt.Answer(IDYES);
  OpenDate([](CDialog& d) {
    ui::Type(d, kHour, "22");
    ui::PressOk(d);
  });
  EXPECT_EQ(Questions(), 1);
  EXPECT_EQ(Commands(), (Changes{"Time.Lock = FALSE; Show Lumiral",
                                 "Time = LST(2006,4,1,22,30,15,9.000000) ; show lumiral"}));
  EXPECT_EQ(rig.Changes(), Changes{"DATE"});

  // While a question is already open the pad does not ask again.
  Forget();
  probe->AskingLock() = 1;
  OpenDate([](CDialog& d) {
    ui::Type(d, kHour, "23");
    ui::PressOk(d);
  });
  EXPECT_EQ(Questions(), 0);
  EXPECT_EQ(Commands(), Changes{"Time = LST(2006,4,1,23,30,15,9.000000) ; show lumiral"});
}

TEST_F(PadDialogsTest, SameTimeOfDayDoesNotAsk) {
  rig.host.Reply("? Time.Lock", "TRUE");
  Build();
  // Another day at the same time, as the pad's own day steps.
  OpenDate([](CDialog& d) {
    ui::Type(d, kDay, "2");
    ui::PressOk(d);
  });
  EXPECT_EQ(Questions(), 0);
  EXPECT_EQ(Commands(), Changes{"Time = LST(2006,4,2,21,30,15,9.000000) ; show lumiral"});

  // The same instant in another system: the pad switches with it.
  Forget();
  OpenDate([](CDialog& d) {
    ui::Pick(d, kList, kUT);
    ui::PressOk(d);
  });
  EXPECT_EQ(Questions(), 0);
  EXPECT_EQ(Commands(), Changes{"Time = UT(2006,4,1,12,30,15) ; show lumiral"});
  EXPECT_EQ(probe->TimeSys(), 1);
  EXPECT_EQ(rig.timeSys, 1);
  EXPECT_EQ(rig.Changes(), Changes{"DATE"});
}

TEST_F(PadDialogsTest, HoursUpTo30AreNormalisedByThePad) {
  Build();
  OpenDate([](CDialog& d) {
    ui::Type(d, kHour, "30");
    ui::PressOk(d);
  });
  EXPECT_EQ(Commands(), Changes{"Time = LST(2006,4,2,6,30,15,9.000000) ; show lumiral"});
}

TEST_F(PadDialogsTest, DateThatNormalisesOutOfRangeIsNotApplied) {
  Build();
  probe->OnChangeTz("UT");
  Forget();
  // Whatever the dialog's own check says, the pad does not send a date past
  // 100000-01-01 00:00 UT.
  OpenDate([](CDialog& d) {
    ui::Type(d, kYear, "99999");
    ui::Type(d, kMonth, "12");
    ui::Type(d, kDay, "31");
    ui::Type(d, kHour, "30");
    ASSERT_TRUE(d.UpdateData(TRUE));
    d.EndDialog(IDOK);
  });
  ASSERT_EQ(Questions(), 1);
  EXPECT_EQ(rig.services.prompt.LastText().toStdString(), Message(6107));
  EXPECT_TRUE(Commands().empty());
  EXPECT_TRUE(rig.Changes().empty());
  EXPECT_EQ(probe->TimeSys(), 1);
}

TEST_F(PadDialogsTest, UnchangedJulianDayKeepsTheSecond) {
  // 2006-04-01 12:30:17 UT.  Six decimals of it put the second 0.008 s
  // early; cut toward zero that would send 12:30:16.
  rig.host.Reply("? Time.jd", "2453827.0210300925");
  rig.host.Reply("? Time.Lock", "TRUE");
  Build();
  for (const char* label : {"JD", "MJD"}) {
    probe->OnChangeTz(label);
    Forget();
    std::string shown;
    OpenDate([&](CDialog& d) {
      shown = ui::Text(d, 1003);
      ui::PressOk(d);
    });
    EXPECT_EQ(shown, std::string(label) == "JD" ? "2453827.021030" : "53826.521030");
    EXPECT_EQ(Questions(), 0) << label;
    EXPECT_EQ(Commands(), Changes{"Time = UT(2006,4,1,12,30,17) ; show lumiral"}) << label;
    EXPECT_EQ(rig.Changes(), Changes{"DATE"}) << label;
  }
  // A changed Julian day asks.
  probe->OnChangeTz("JD");
  Forget();
  OpenDate([](CDialog& d) {
    ui::Type(d, 1003, "2453827.5");
    ui::PressOk(d);
  });
  EXPECT_EQ(Questions(), 1);
  EXPECT_TRUE(Commands().empty());
}

TEST_F(PadDialogsTest, SiderealTimeOpensNoDialog) {
  Build();
  probe->OnChangeTz("ST");
  Forget();
  rig.pad->SendMessage(WM_CHANGEDATE, 0, 0);
  EXPECT_EQ(rig.services.modal.Runs(), 0);
  EXPECT_TRUE(Commands().empty());
  EXPECT_TRUE(rig.Changes().empty());
}

TEST_F(PadDialogsTest, LocationDialogSendsThePlaceAndItsZone) {
  Build();
  CRect pad;
  rig.pad->GetWindowRect(&pad);
  CRect placed;
  OpenObs([&](CDialog& d) {
    d.GetWindowRect(&placed);
    ui::Type(d, 6032, "139");
    ui::Type(d, 6033, "30");
    ui::Check(d, 6031);
    ui::PressOk(d);
  });
  EXPECT_EQ(placed.top, pad.bottom);
  EXPECT_EQ(placed.left, pad.left + 100);
  const auto commands = Commands();
  ASSERT_EQ(commands.size(), 2u);
  EXPECT_EQ(commands[0], "Location = Location(-139.500000, 35.000000)");
  EXPECT_EQ(commands[1].rfind("Time.Timezone = ", 0), 0u) << commands[1];
  EXPECT_EQ(rig.Changes(), Changes{"OBS"});

  // Refused, then cancelled: nothing more goes out.
  Forget();
  OpenObs([](CDialog& d) {
    ui::Type(d, 6032, "181");
    ui::PressOk(d);
    EXPECT_FALSE(d.HasEnded());
    d.PressButton(IDCANCEL);
  });
  EXPECT_EQ(Questions(), 1);
  EXPECT_TRUE(Commands().empty());
  EXPECT_TRUE(rig.Changes().empty());
}

TEST_F(PadDialogsTest, EntriesReachTheEmbeddedEngine) {
  CSkyEngine engine;
  rig.engine = &engine;
  Build();
  OpenDate([](CDialog& d) {
    ui::Pick(d, kList, kUT);
    ui::Type(d, kYear, "2010");
    ui::Type(d, kMonth, "7");
    ui::Type(d, kDay, "15");
    ui::Type(d, kHour, "3");
    ui::Type(d, 1009, "4");
    ui::Type(d, 1011, "5");
    ui::PressOk(d);
  });
  EXPECT_EQ(engine.Execute("? UT(Time)"), "UT AD2010/07/15 03:04:05");
  EXPECT_EQ(std::make_tuple(probe->Year(), probe->Month(), probe->Day(), probe->Hour()),
            std::make_tuple(2010, 7, 15, 3));

  OpenObs([](CDialog& d) {
    ui::Type(d, 6032, "10");
    ui::Type(d, 6033, "15.0");
    ui::Type(d, 1001, "51");
    ui::Type(d, 1003, "30");
    ui::PressOk(d);
  });
  EXPECT_NEAR(probe->Longitude(), 10.25, 1e-9);
  EXPECT_NEAR(probe->Latitude(), 51.5, 1e-9);
  EXPECT_EQ(rig.Changes(), (Changes{"DATE", "OBS"}));
}

}  // namespace
