// The planetarium window and its pad on the fake Stellarium: the pad shows
// Stellarium's state, its steps, menus and console reach Stellarium, a
// session keeps Stellarium's own time and place, and a Stellarium that is
// away abandons steps and gives error replies instead of exceptions.
#include <QAction>
#include <QSettings>
#include <memory>

#include "app/app_settings.h"
#include "app/planetarium_window.h"
#include "framework/resources.h"
#include "framework/scripted_services.h"
#include "host_fixture.h"
#include "pad/module.h"
#include "pad_probe.h"

using namespace lumira;
using Mode = CFakeStellarium::Mode;

class StellariumWindowTest : public StellariumHostTest {
 protected:
  void SetUp() override {
    std::unique_ptr<QSettings> settings(NewAppSettings());
    settings->setValue("Location/Longitude", 139.7447);  // a remembered place
    settings->setValue("Location/Latitude", 35.6544);
    QString why;
    ASSERT_TRUE(resources.Load(QelpadResourcePrefix(), &why)) << why.toStdString();
    ctx = services.Context(&resources);
    window = std::make_unique<PlanetariumWindow>(ctx, mirror, resources, &Host());
    ASSERT_TRUE(window->CreatePad(&why)) << why.toStdString();
    window->show();
    window->Pad()->Invalidate(FALSE);
    window->Pad()->UpdateWindow();  // the first paint's refresh reads Stellarium
    probe = std::make_unique<CLumiraPadProbe>(*window->Pad());
    fake.ClearRequests();
  }
  // Input as the message pump delivers it: a failure stops at the window.
  void Send(UINT msg, CPoint pt) { window->Pad()->DispatchMessage(msg, 0, MAKELPARAM(pt.x, pt.y)); }
  void Click(CPoint pt) {
    Send(WM_LBUTTONDOWN, pt);
    Send(WM_LBUTTONUP, pt);
  }
  CLumiraPadProbe& P() { return *probe; }
  QString DateShown() { return P().DateDisplay().GetWindowText(); }

  CScriptedServices services;
  CResources resources;
  CAppContext ctx;
  std::unique_ptr<PlanetariumWindow> window;
  std::unique_ptr<CLumiraPadProbe> probe;
};

TEST_F(StellariumWindowTest, ASessionShowsAndKeepsStellariumsTimeAndPlace) {
  window->RestoreSession();
  EXPECT_TRUE(fake.Changes().empty()) << "neither the remembered place nor the present time is pushed";
  // 2006-04-01 12:30:15 UT is 21:30:15 in Japan standard time.
  EXPECT_EQ(DateShown(), " 2006/04/01 21:30:15");
  EXPECT_NEAR(P().Latitude(), 48.8534, 1e-5);  // single precision
  EXPECT_DOUBLE_EQ(P().MagLimit(), 6.5);
  window->SaveSession();
  EXPECT_EQ(std::unique_ptr<QSettings>(NewAppSettings())->value("Location/Longitude").toDouble(), 139.7447)
      << "Stellarium's place is not remembered";
}

TEST_F(StellariumWindowTest, AHeldHourDigitSendsOneTimePerStepAndStellariumFollowsEachStep) {
  Send(WM_LBUTTONDOWN, P().DateCell(13));
  services.clock.Advance(1000);
  Send(WM_LBUTTONUP, P().DateCell(13));
  EXPECT_TRUE(P().Idle());
  // One step at the press, then one per 10 ms repeat from 510 ms on;
  // nothing else (the button-up stop finds no clock running).
  const size_t steps = fake.Requests("POST /api/main/time time=").size();
  EXPECT_GE(steps, 40u);
  EXPECT_LE(steps, 60u);
  EXPECT_EQ(fake.Changes().size(), steps);
  EXPECT_NEAR(fake.Sky().jd - FakeSky().jd, steps / 24.0, 1e-9);
  const int hours = 21 + int(steps);
  EXPECT_EQ(DateShown(), QString::asprintf(" 2006/04/%02d %02d:30:15", 1 + hours / 24, hours % 24));
}

TEST_F(StellariumWindowTest, MenusConsoleAndMagnitudeStepsReachStellarium) {
  window->StartAnimation();
  EXPECT_EQ(fake.Sky().rate, 1.0 / 86400);
  EXPECT_TRUE(window->AnimateAction()->isChecked());
  window->StopAnimation();
  EXPECT_EQ(fake.Sky().rate, 0.0);
  EXPECT_FALSE(window->AnimateAction()->isChecked());
  window->RunConsoleCommand("Time = UT(2006,1,1,5,0,0) ; show lumiral");
  EXPECT_EQ(fake.Sky().jd, 2453736.5 + 5.0 / 24);
  EXPECT_EQ(P().Hour(), 14) << "the pad re-read Stellarium (JST)";
  Click(P().MagCell(43));
  EXPECT_DOUBLE_EQ(fake.Sky().magLimit, 6.6);
  EXPECT_TRUE(fake.Sky().magLimitOn);
  EXPECT_DOUBLE_EQ(P().MagLimit(), 6.6);
}

TEST_F(StellariumWindowTest, WhileStellariumIsAwayNothingThrowsAndTheDateIsNeverZero) {
  fake.SetMode(Mode::Down);
  Click(P().DateCell(13));
  Click(P().MagCell(43));
  EXPECT_TRUE(P().Idle());
  EXPECT_TRUE(DateShown().startsWith(" 2006/04/01")) << "nothing read an unanswered query as 0";
  EXPECT_NEAR(P().Longitude(), 2.3488, 1e-5);
  window->RunConsoleCommand("? Time.jd");
  EXPECT_TRUE(window->LastConsoleReply().startsWith("ERROR: Stellarium on 127.0.0.1:"))
      << window->LastConsoleReply().toStdString();
  window->StartAnimation();
  window->SetTrack(true);
  window->Frame().ChangeObs();  // the dialog's refresh fails inside the pad's message
  EXPECT_FALSE(window->LogLines().filter("<! Stellarium on 127.0.0.1").isEmpty());

  // Back: the host refreshes the pad, and steps reach Stellarium again.
  fake.SetMode(Mode::Normal);
  window->Pad()->OnUpdate(0xFF);
  EXPECT_EQ(DateShown(), " 2006/04/01 21:30:15");
  EXPECT_DOUBLE_EQ(P().MagLimit(), 6.5) << "the stepped copies go back to what Stellarium holds";
  Click(P().DateCell(13));
  EXPECT_NEAR(fake.Sky().jd - FakeSky().jd, 1.0 / 24, 1e-9);
  EXPECT_EQ(P().Hour(), 22);
}
