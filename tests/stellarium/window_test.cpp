// The planetarium window on the fake Stellarium: its menus and console go
// to Stellarium, a session keeps Stellarium's own time and place, and a
// Stellarium that is away gives error replies instead of exceptions.
#include <QAction>
#include <QSettings>
#include <memory>

#include "app/app_settings.h"
#include "app/planetarium_window.h"
#include "framework/resources.h"
#include "framework/scripted_services.h"
#include "host/registry.h"
#include "host_fixture.h"
#include "pad/module.h"
#include "pad_probe.h"

using namespace lumira;

class StellariumWindowTest : public StellariumHostTest {
 protected:
  void SetUp() override {
    CRegistry::Write("General", "ColorScheme", 0);
    std::unique_ptr<QSettings> settings(NewAppSettings());
    settings->setValue("Location/Longitude", 139.7447);  // a remembered place
    settings->setValue("Location/Latitude", 35.6544);
    QString why;
    ASSERT_TRUE(resources.Load(QelpadResourcePrefix(), &why)) << why.toStdString();
    ctx = services.Context(&resources);
    window = std::make_unique<PlanetariumWindow>(ctx, mirror, resources, &Host());
    ASSERT_TRUE(window->CreatePad(&why)) << why.toStdString();
    window->show();
    fake.ClearRequests();
  }
  void TearDown() override {
    window.reset();
    std::unique_ptr<QSettings>(NewAppSettings())->remove("Location");
  }
  CLumiraPadProbe Probe() { return CLumiraPadProbe(*window->Pad()); }

  CScriptedServices services;
  CResources resources;
  CAppContext ctx;
  std::unique_ptr<PlanetariumWindow> window;
};

TEST_F(StellariumWindowTest, ASessionKeepsStellariumsTimeAndPlace) {
  window->RestoreSession();
  EXPECT_TRUE(fake.Changes().empty()) << "neither the remembered place nor the present time is pushed";
  EXPECT_EQ(Probe().Hour(), 21);
  EXPECT_NEAR(Probe().Latitude(), 48.8534, 1e-5);
  window->SaveSession();
  EXPECT_EQ(std::unique_ptr<QSettings>(NewAppSettings())->value("Location/Longitude").toDouble(), 139.7447)
      << "Stellarium's place is not remembered";
}

TEST_F(StellariumWindowTest, MenusAndConsoleReachStellarium) {
  window->StartAnimation();
  EXPECT_EQ(fake.Sky().rate, 1.0 / 86400);
  EXPECT_TRUE(window->AnimateAction()->isChecked());
  window->StopAnimation();
  EXPECT_EQ(fake.Sky().rate, 0.0);
  EXPECT_FALSE(window->AnimateAction()->isChecked());

  window->RunConsoleCommand("Time = UT(2006,1,1,5,0,0) ; show lumiral");
  EXPECT_EQ(fake.Sky().jd, 2453736.5 + 5.0 / 24);
  EXPECT_EQ(Probe().Hour(), 14) << "the pad re-read Stellarium (JST)";

  // Away: the console says so, nothing throws out of the window.
  fake.SetMode(CFakeStellarium::Mode::Down);
  window->RunConsoleCommand("? Time.jd");
  EXPECT_TRUE(window->LastConsoleReply().startsWith("ERROR: Stellarium on 127.0.0.1:"))
      << window->LastConsoleReply().toStdString();
  window->StartAnimation();
  window->SetTrack(true);
  window->Frame().ChangeObs();  // the dialog's refresh fails inside the pad's message
  EXPECT_EQ(Probe().Year(), 2006);
  EXPECT_FALSE(window->LogLines().filter("<! Stellarium on 127.0.0.1").isEmpty());
}
