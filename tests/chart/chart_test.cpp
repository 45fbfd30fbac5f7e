// The star chart on the embedded engine: what it draws, when it redraws,
// track and trace, picking, missing files, the Moon's phase, the mouse.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QImage>
#include <cmath>
#include <numbers>

#include "chart/chart_painter.h"
#include "chart/sky_chart_widget.h"
#include "sky/engine.h"
#include "sky/sky_files.h"
#include "golden.h"

namespace {

using chart::CSkyChartWidget;

sky::SkyFiles Files() { return sky::LoadSkyFiles(sky::SkyDataDirectory()); }

}  // namespace

// One picture per scheme, each at its own magnitude limit: the stars the
// limit lets through, the figures, the names, the ground below the
// horizon and the status line.
TEST(Chart, EachSchemeDrawsStarsByTheLimitAboveTheGround) {
  const struct {
    chart::ChartScheme scheme;
    const char* limit;
    const char* golden;
  } cases[] = {{chart::ChartScheme::Night, "6.5", "chart-night"}, {chart::ChartScheme::Print, "3", "chart-print"}};
  for (const auto& c : cases) {
    CSkyEngine engine;
    ASSERT_EQ(engine.Execute(std::string("Time = JST(2024,1,15,22,0,0); Star.AutoMagnitudeLimit.Minimum = ") + c.limit), "");
    CSkyChartWidget widget(engine, Files());
    widget.SetScheme(c.scheme);
    widget.resize(640, 400);
    EXPECT_TRUE(MatchesGolden(widget.grab().toImage(), c.golden));
  }
}

TEST(Chart, RedrawsOnlyWhenWhatItShowsChangesAndFoldsBursts) {
  CSkyEngine engine;
  CSkyChartWidget widget(engine, Files());
  widget.resize(320, 200);
  widget.show();
  QApplication::processEvents();
  const int before = widget.Paints();

  // The pad's commands: a burst of steps paints once.
  for (int h = 1; h <= 5; ++h) {
    engine.Execute("Time = UT(2024,1,15," + std::to_string(h) + ",0,0) ; Show Lumiral");
  }
  QApplication::processEvents();
  EXPECT_EQ(widget.Paints(), before + 1);
  // What the chart does not show, or a change without "Show Lumiral" that
  // the host has not passed on, paints nothing.
  engine.Execute("Star.Catalog = Tycho ; Time.Timezone = 3 ; Show Lumiral");
  engine.Execute("Location.Latitude = 10");
  QApplication::processEvents();
  EXPECT_EQ(widget.Paints(), before + 1);
  widget.Sync();  // as the host does after its console's commands
  QApplication::processEvents();
  EXPECT_EQ(widget.Paints(), before + 2);
  // The animation's ticks reach it too.
  engine.Execute("Animation.Time = TRUE");
  engine.Tick(60.0);
  QApplication::processEvents();
  EXPECT_EQ(widget.Paints(), before + 3);
}

TEST(Chart, TrackKeepsTheMoonCentredTraceLeavesTrailsAndAClickSelects) {
  CSkyEngine engine;
  CSkyChartWidget widget(engine, Files());
  widget.resize(640, 400);
  engine.Execute("Time = UT(2024,3,15,6,0,0); View.Track = TRUE; View.Trace = TRUE; Show Lumiral");
  for (int h = 7; h <= 9; ++h) engine.Execute("Time = UT(2024,3,15," + std::to_string(h) + ",0,0); Show Lumiral");
  const chart::SceneBody& moon = widget.Scene().Bodies()[size_t(sky::SolarBody::Moon)];
  EXPECT_NEAR(widget.View().azimuth, moon.horizontal.azimuth, 1e-9);
  EXPECT_NEAR(widget.View().altitude, moon.horizontal.altitude, 1e-9);
  EXPECT_EQ(widget.Scene().Trails()[size_t(sky::SolarBody::Moon)].size(), 4u);

  // A click on the centre picks the Moon and tells where it is.
  ASSERT_TRUE(widget.SelectAt(QPointF(320, 200)));
  EXPECT_FALSE(widget.Selected()->isStar);
  EXPECT_TRUE(widget.SelectionText().startsWith("Moon\nmagnitude ")) << widget.SelectionText().toStdString();
  EXPECT_TRUE(widget.SelectionText().contains(QString("altitude %1°").arg(moon.horizontal.altitude, 0, 'f', 2)));

  engine.Execute("View.Trace = FALSE; Show Lumiral");
  EXPECT_FALSE(widget.Scene().HasTrails());
}

TEST(Chart, WithoutItsFilesItDrawsTheSolarSystemAndSaysWhatIsMissing) {
  CSkyEngine engine;
  CSkyChartWidget widget(engine, sky::LoadSkyFiles("/nonexistent"));
  EXPECT_EQ(widget.Scene().Stars().size(), 0u);
  EXPECT_EQ(widget.Scene().Bodies().size(), size_t(sky::kVisibleBodies));
  EXPECT_TRUE(widget.StatusText().contains("Missing file: /nonexistent/stars/BSC (no stars are drawn"));
  EXPECT_TRUE(widget.StatusText().contains("Missing file: /nonexistent/arcs/constellations"));
  widget.resize(200, 150);
  EXPECT_FALSE(widget.grab().isNull());
}

// Every other day of two lunations: the lit part follows the age the pad
// shows, waxing in the first half.
TEST(Chart, MoonPhaseFollowsThePadsMoonAge) {
  CSkyEngine engine;
  CSkyChartWidget widget(engine, sky::SkyFiles{});
  const double start = std::stod(engine.Execute("Time = UT(2024,5,1,0,0,0); ? Time.jd"));
  for (int day = 0; day < 60; day += 2) {
    engine.Execute("Time.jd = " + std::to_string(start + day) + "; Show Lumiral");
    const double age = std::stod(engine.Execute("? Solar.Moon.age"));
    const chart::MoonPhase& moon = widget.Scene().Moon();
    EXPECT_NEAR(moon.illuminated, (1.0 - std::cos(2.0 * std::numbers::pi * age / 29.53)) / 2.0, 0.08) << age;
    EXPECT_TRUE(age <= 1.0 || age >= 13.5 || moon.waxing) << age;
    EXPECT_TRUE(age <= 16.0 || age >= 28.5 || !moon.waxing) << age;
  }
}

TEST(Chart, TheMouseTheWheelAndTheKeysMoveTheViewWithinItsBounds) {
  CSkyEngine engine;
  CSkyChartWidget widget(engine, sky::SkyFiles{});
  widget.resize(400, 300);
  auto send = [&](QEvent&& event) { QApplication::sendEvent(&widget, &event); };
  for (int notches : {40, -40}) {  // far beyond either bound
    send(QWheelEvent(QPointF(200, 150), QPointF(200, 150), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false));
    EXPECT_EQ(widget.View().field, notches > 0 ? chart::kMinField : chart::kMaxField);
  }

  // The sky follows the pointer: dragged right and down, the view looking
  // south turns east (a smaller azimuth) and up.
  widget.ResetView();
  const chart::ViewDirection start = widget.View();
  auto mouse = [&](QEvent::Type type, QPointF at, Qt::MouseButtons buttons) {
    send(QMouseEvent(type, at, at, Qt::LeftButton, buttons, Qt::NoModifier));
  };
  mouse(QEvent::MouseButtonPress, {200, 150}, Qt::LeftButton);
  mouse(QEvent::MouseMove, {260, 200}, Qt::LeftButton);
  mouse(QEvent::MouseButtonRelease, {260, 200}, Qt::NoButton);
  EXPECT_LT(widget.View().azimuth, start.azimuth);
  EXPECT_GT(widget.View().altitude, start.altitude);
  EXPECT_FALSE(widget.Selected().has_value()) << "a drag selects nothing";

  widget.ResetViewAction()->trigger();
  EXPECT_EQ(widget.View(), chart::ViewDirection{});
}
