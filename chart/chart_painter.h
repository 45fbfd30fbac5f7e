// Draws a SkyScene through a Projection with QPainter: the sky's colour
// by the Sun's altitude, the alt-azimuth grid, the constellation figures,
// the stars by magnitude, the Sun, the Moon in its phase, the planets,
// the trails, the ground below the horizon, the cardinal points and the
// names.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <optional>
#include <vector>

#include "chart/projection.h"
#include "chart/sky_scene.h"

namespace chart {

struct ChartPalette {
  QColor nightSky, twilightSky, daySky;
  QColor ground, horizon, grid, figure, star, starName, planet, trail, cardinal, text;
};

// The palettes of the two looks (ChartScheme).
ChartPalette NightPalette();
ChartPalette PrintPalette();

struct ChartOptions {
  bool grid = false;
  bool trails = false;
  std::optional<sky::Vec3> selected;  // a ring around it
};

// The stars' discs, drawn once per palette and stamped each frame.
struct StarStamps {
  QRgb colour = 0;
  std::vector<QImage> sprites;  // one per half magnitude
};

// The sky's colour for the Sun's altitude: day above the horizon, dusk to
// 18 degrees below it, night beyond.
QColor SkyColour(const ChartPalette& palette, double sunAltitude);

void PaintChart(QPainter& painter, const SkyScene& scene, const Projection& projection, const QRectF& area,
                const ChartPalette& palette, const ChartOptions& options, StarStamps& stamps);

}  // namespace chart
