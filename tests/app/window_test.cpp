// The planetarium window around the pad: the bar's buttons and the menus
// reach the pad and the engine, the date button follows the time system,
// the console, the colour scheme, the animation, the log and the chart.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDateTime>
#include <QDockWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <cmath>
#include <functional>
#include <numbers>

#include "app/app_settings.h"
#include "app/pad_readout.h"
#include "app/place_dialog.h"
#include "app/planetarium_window.h"
#include "app/state_view.h"
#include "chart/sky_chart_widget.h"
#include "framework/resources.h"
#include "framework/scripted_services.h"
#include "host/registry.h"
#include "pad/lumirapad.h"
#include "pad/module.h"
#include "sky/engine.h"

using namespace lumira;

namespace {

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CRegistry::Write("General", "ColorScheme", 0);
    std::unique_ptr<QSettings> settings(NewAppSettings());
    for (const char* group : {"Window", "Location", "Pad", "Sky", "View", "Places"}) settings->remove(group);
    QString why;
    ASSERT_TRUE(resources.Load(QelpadResourcePrefix(), &why)) << why.toStdString();
    ctx = services.Context(&resources);
    window = std::make_unique<PlanetariumWindow>(ctx, engine, resources);
    ASSERT_TRUE(window->CreatePad(&why)) << why.toStdString();
    window->resize(1000, 560);
    window->show();
    window->Pad()->Invalidate(FALSE);
    window->Pad()->UpdateWindow();
  }
  void TearDown() override { window.reset(); }

  QString Shown(int id) { return window->Pad()->GetDlgItem(id)->GetWindowText(); }
  // The bar's visible date button (its hidden slot has the same id).
  CWnd* DateButton() {
    for (CWnd* c : window->Frame().BarControls(kDateButtonId)) {
      if (!c->Widget()->isHidden()) return c;
    }
    return nullptr;
  }
  void ChooseTimeSys(const char* label) {
    window->Pad()->SendMessage(WM_CHANGETZ, 0, reinterpret_cast<LPARAM>(label));
  }
  void Click(CPoint p) {
    window->Pad()->DispatchMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    window->Pad()->DispatchMessage(WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  }
  CPoint DigitPoint(int digit) {
    ScriptTarget t;
    t.kind = ScriptTarget::Kind::Digit;
    t.digit = digit;
    CPoint p;
    QString why;
    EXPECT_TRUE(TargetPoint(*window->Pad(), t, &p, &why)) << why.toStdString();
    return p;
  }

  CScriptedServices services;
  CResources resources;
  CAppContext ctx;
  CSkyEngine engine;
  std::unique_ptr<PlanetariumWindow> window;
};

}  // namespace

TEST_F(WindowTest, TheBarsButtonsOpenTheDialogsAndTheDateButtonFollowsTheTimeSystem) {
  std::vector<UINT> opened;
  auto record = [&](CDialog& d) {
    opened.push_back(d.TemplateId());
    d.EndDialog(IDCANCEL);
  };
  // A click on the bar's date button goes to its owner, the frame.
  auto* date = dynamic_cast<CButton*>(DateButton());
  ASSERT_NE(date, nullptr);
  services.modal.Push(record);
  date->Click();
  services.modal.Push(record);
  window->Frame().SendMessage(WM_COMMAND, MAKEWPARAM(kObsButtonId, BN_CLICKED), 0);
  EXPECT_EQ(opened, (std::vector<UINT>{6025, 6026}));
  // Sidereal time has no date to enter (the menu entry's session shows the same).
  ChooseTimeSys("ST");
  EXPECT_FALSE(DateButton()->IsWindowEnabled());
}

TEST_F(WindowTest, TheBarFloatsWithItsCaptionAndDocksAgain) {
  QDockWidget* dock = window->Pad()->Dock();
  ASSERT_NE(dock, nullptr);
  window->SetPadFloating(true);
  EXPECT_EQ(dock->windowTitle(), "ﾙﾐﾗﾊﾟｯﾄﾞ");
  window->SetPadFloating(false);
  EXPECT_EQ(window->dockWidgetArea(dock), Qt::TopDockWidgetArea);
  // Docked again: the bar's template height (not a pixel less), the
  // window's size as it was, at start as after each float and dock.
  CSkyEngine other;
  PlanetariumWindow fresh(ctx, other, resources);
  QString why;
  ASSERT_TRUE(fresh.CreatePad(&why));
  fresh.RestoreSession();  // a log long enough to scroll
  fresh.show();
  QCoreApplication::processEvents();
  const QSize size = fresh.size();
  const QScrollBar* log = fresh.findChild<QPlainTextEdit*>("padLog")->verticalScrollBar();
  for (int cycle = 0; cycle < 3; ++cycle) {
    QDockWidget* freshDock = fresh.Pad()->Dock();
    EXPECT_EQ(freshDock->widget()->height(), fresh.Pad()->Widget()->sizeHint().height()) << cycle;
    fresh.SetPadFloating(true);
    QCoreApplication::processEvents();
    fresh.SetPadFloating(false);
    QCoreApplication::processEvents();
    EXPECT_EQ(fresh.size(), size) << cycle;
    fresh.RunConsoleCommand("? Time.jd");
    EXPECT_EQ(log->value(), log->maximum()) << "the log follows its new lines";
  }
  // Still the same pad, still answering.
  Click(DigitPoint(13));
  EXPECT_EQ(Shown(kDateTextId), " 2000/01/01 22:00:00");
}

TEST_F(WindowTest, ThePadsSpeedRunsBackwardAndNowJumpsToTheClock) {
  window->SetClock([] { return QDateTime(QDate(2026, 12, 6), QTime(3, 4, 5), Qt::UTC); });
  window->Pad()->SendMessage(WM_CHANGESPEED, 0, reinterpret_cast<LPARAM>("-Hour"));
  EXPECT_TRUE(window->Pad()->IsPlaying());
  EXPECT_EQ(window->SpeedLabelText(), QString::fromUtf8("-1時/秒"));
  EXPECT_TRUE(window->AnimationRunning());
  window->SetDrivesAnimation(false);  // the test's ticks only
  QApplication::processEvents();
  const int paints = window->Chart().Paints();
  window->AnimationTick(2.0);
  EXPECT_EQ(Shown(kDateTextId), " 2000/01/01 19:00:00");
  QApplication::processEvents();
  EXPECT_GT(window->Chart().Paints(), paints) << "the chart follows the ticks";

  // Now: the clock's time in one command, and the speed runs on from it.
  window->JumpToNow();
  EXPECT_EQ(Shown(kDateTextId), " 2026/12/06 12:04:05");
  EXPECT_TRUE(window->Pad()->IsPlaying());
  window->AnimationTick(1.0);
  EXPECT_EQ(Shown(kDateTextId), " 2026/12/06 11:04:05");

  // Stopped by the host: the pad's text and IsPlaying follow.
  window->StopAnimation();
  EXPECT_FALSE(window->Pad()->IsPlaying());
  EXPECT_EQ(window->SpeedLabelText(), QString::fromUtf8("0/秒"));
}

TEST_F(WindowTest, EveryEngineChangeReachesTheViewAndAShowRequestRefreshesThePadOnce) {
  window->SetDrivesAnimation(false);
  window->StartAnimation();
  // Changed behind the window's back, as the pad's button-up stops it.
  engine.Execute("Animation.Time = FALSE; View.Track = TRUE");
  QCoreApplication::processEvents();
  EXPECT_TRUE(window->State().RowText("Animation").startsWith("stopped"));
  EXPECT_EQ(window->State().RowText("Track / trace"), "on / off");

  auto dateReads = [&] { return window->LogLines().count("> ? JST(Time)"); };
  const qsizetype before = dateReads();
  window->PadHost().Execute("Time = UT(2006,1,1,0,0,0) ; SHOW LUMIRAL");
  window->PadHost().Execute("View.Trace = TRUE ; show lumiral");
  EXPECT_EQ(Shown(kDateTextId), " 2000/01/01 21:00:00");  // not inside the sender's handler
  QCoreApplication::processEvents();
  EXPECT_EQ(Shown(kDateTextId), " 2006/01/01 09:00:00");
  EXPECT_TRUE(window->Pad()->GetDisplayState().trace);
  EXPECT_EQ(dateReads() - before, 1);

  // A click refreshes the pad itself: the host adds no second refresh.
  const qsizetype beforeClick = dateReads();
  Click(DigitPoint(13));
  QCoreApplication::processEvents();
  EXPECT_EQ(dateReads() - beforeClick, 1);
}

TEST_F(WindowTest, ASessionRemembersThePlaceAndStartsAtTheCurrentTime) {
  // A fresh start without settings: the engine's own place, the time now.
  const QDateTime before = QDateTime::currentDateTimeUtc();
  window->RestoreSession();
  const double jdNow = 2440587.5 + double(before.toMSecsSinceEpoch()) / 86400000.0;
  const double jd = std::stod(engine.Execute("? Time.jd"));
  EXPECT_NEAR(jd, jdNow, 10.0 / 86400.0);
  EXPECT_EQ(engine.Execute("? Location.Longitude; ? Location.Latitude"), "139.7447;35.6544");
  EXPECT_EQ(Shown(kTimeSysLabelId), "JST");

  window->RunConsoleCommand("Location = Location(-0.5, 51.5); Time.Timezone = 0");
  window->RunConsoleCommand("Star.Catalog = Hipparcos; Star.Catalog.Switch = TRUE; "
                            "Star.Catalog.Switch.Catalog = Tycho; Star.AutoMagnitudeLimit.Minimum = 8.25; "
                            "View.Track = TRUE; View.Trace = TRUE");
  ChooseTimeSys("UTD");
  window->SetColorScheme(1);  // rebuilds the pad (window_menus shows it reading the engine again)
  window->SaveSession();
  int scheme = -1;
  CRegistry::Read("General", "ColorScheme", 0, &scheme, 1);
  EXPECT_EQ(scheme, 1);

  auto restart = [&](CSkyEngine& next) {
    auto again = std::make_unique<PlanetariumWindow>(ctx, next, resources);
    QString why;
    EXPECT_TRUE(again->CreatePad(&why)) << why.toStdString();
    again->RestoreSession();
    return again;
  };
  CSkyEngine next;
  auto again = restart(next);
  EXPECT_EQ(next.Execute("? Location.Longitude; ? Location.Latitude; ? Time.Timezone"), "-0.5;51.5;0");
  EXPECT_EQ(next.Execute("? Star.Catalog; ? Star.Catalog.Switch; ? Star.Catalog.Switch.Catalog; "
                         "? Star.AutoMagnitudeLimit.Minimum; ? View.Track; ? View.Trace"),
            "Hipparcos;TRUE;Tycho;8.25;TRUE;TRUE");
  EXPECT_EQ(ShownTimeSystem(*again->Pad()), "UTD");
  EXPECT_NEAR(std::stod(next.Execute("? Time.jd")), jdNow, 60.0 / 86400.0);  // the time starts now
  again.reset();

  // Damaged and foreign values are left out; the rest still comes back.
  std::unique_ptr<QSettings> settings(NewAppSettings());
  for (const char* key : {"Pad/TimeSystem", "Sky/Catalog", "Sky/MagnitudeLimit", "View/Track", "Location/Latitude"}) {
    settings->setValue(key, "\x01garbage");
  }
  settings->setValue("Sky/SwitchCatalog", QStringList{"Tycho", "GSC-ACT"});
  settings->setValue("Location/Timezone", 99.0);  // out of the engine's range
  settings->sync();
  CSkyEngine third;
  again = restart(third);
  EXPECT_EQ(third.Execute("? Star.Catalog; ? Star.Catalog.Switch; ? Star.Catalog.Switch.Catalog; "
                          "? Star.AutoMagnitudeLimit.Minimum; ? View.Track; ? View.Trace"),
            "Tycho2;TRUE;GSC-ACT;6.5;FALSE;TRUE");
  EXPECT_EQ(third.Execute("? Location.Longitude; ? Location.Latitude; ? Time.Timezone"), "139.7447;35.6544;9");
  EXPECT_EQ(ShownTimeSystem(*again->Pad()), "JST");
  again.reset();  // the window goes before the engine it watches
}

TEST_F(WindowTest, AChosenPlaceGoesToTheEngineWithItsZoneAndIsOfferedFirstNextTime) {
  const PlaceList& places = window->Places();
  const qelobs::ZonePlace* london = FindPlaces(places, "london", 1).at(0);
  const qelobs::ZonePlace* sapporo = FindPlaces(places, "sapporo", 1).at(0);
  window->GoToPlace(*london);
  EXPECT_EQ(engine.Execute("? Location.Longitude; ? Location.Latitude; ? Time.Timezone"), "-0.125278;51.508333;0");
  EXPECT_EQ(window->LogLines().filter("@ OBS").size(), 1);
  window->GoToPlace(*sapporo);
  EXPECT_EQ(engine.Execute("? Location.Longitude; ? Time.Timezone"), "141.35;9");

  std::unique_ptr<QSettings> settings(NewAppSettings());
  PlaceDialog dialog(places, RecentPlaces(*settings, places));
  EXPECT_EQ(dialog.Shown(), (PlaceList{sapporo, london}));
  dialog.show();
  for (int key : {Qt::Key_Down, Qt::Key_Return}) {  // the list's arrows and OK work from the field
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(dialog.Field(), &press);
  }
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.Chosen(), london);

  window->SetAcceptsInput(false);
  window->GoToPlace(*london);
  EXPECT_EQ(engine.Execute("? Time.Timezone"), "9");
}

TEST_F(WindowTest, APadStepTurnsTheChartsSkyAsTheEnginesPositionsSay) {
  window->RunConsoleCommand("Time = UT(2024,1,15,13,0,0)");
  QApplication::processEvents();
  const int paints = window->Chart().Paints();
  const sky::Horizontal before = sky::HorizontalOf(window->Chart().Scene().Bodies()[size_t(sky::SolarBody::Moon)].local);
  Click(DigitPoint(13));  // the hour's units digit: an hour on
  QApplication::processEvents();
  EXPECT_EQ(engine.Execute("? UT(Time)"), "UT AD2024/01/15 14:00:00");
  EXPECT_GT(window->Chart().Paints(), paints);
  // The chart draws the Moon and Sirius where the engine's queries put
  // them (the chart's cache of the Moon within an arcsecond).
  const chart::SkyScene& scene = window->Chart().Scene();
  const sky::Horizontal moon = sky::HorizontalOf(scene.Bodies()[size_t(sky::SolarBody::Moon)].local);
  EXPECT_GT(std::fabs(moon.azimuth - before.azimuth) + std::fabs(moon.altitude - before.altitude), 5.0);
  EXPECT_NEAR(moon.altitude, std::stod(engine.Execute("? Sky.Altitude(Moon)")), 1.0 / 3600);
  EXPECT_NEAR(moon.azimuth, std::stod(engine.Execute("? Sky.Azimuth(Moon)")), 1.0 / 3600 / std::cos(moon.altitude * std::numbers::pi / 180));
  const auto& stars = scene.Files().catalogue;
  const sky::Horizontal sirius = sky::HorizontalOf(scene.StarLocal(int(stars.FindHr(2491) - stars.stars.data())));
  EXPECT_NEAR(sirius.altitude, std::stod(engine.Execute("? Sky.Altitude(HR 2491)")), 1e-5);
  EXPECT_NEAR(sirius.azimuth, std::stod(engine.Execute("? Sky.Azimuth(HR 2491)")), 1e-5);
}
