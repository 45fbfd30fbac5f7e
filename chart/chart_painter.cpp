#include "chart/chart_painter.h"

#include <QImage>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

namespace chart {
namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
constexpr int kMagnitudeBuckets = 20;  // half a magnitude each, from -1.5

QColor Mix(const QColor& a, const QColor& b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t), float(a.greenF() + (b.greenF() - a.greenF()) * t),
                          float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

// A star's dot: brighter stars larger.
double StarDiameter(double magnitude) { return std::clamp(5.6 - 0.62 * (magnitude + 1.5), 1.3, 6.5); }

int Bucket(double magnitude) {
  return std::clamp(int(std::floor((magnitude + 1.5) * 2.0)), 0, kMagnitudeBuckets - 1);
}

bool OnArea(const QRectF& area, double x, double y, double margin) {
  return x > area.left() - margin && x < area.right() + margin && y > area.top() - margin &&
         y < area.bottom() + margin;
}

// A polyline through local directions; broken where a step jumps across
// the screen (near the point opposite the centre).
void DrawPolyline(QPainter& p, const Projection& proj, const std::vector<sky::Vec3>& points, double maxStep) {
  QPolygonF run;
  auto flush = [&] {
    if (run.size() > 1) p.drawPolyline(run);
    run.clear();
  };
  for (const sky::Vec3& v : points) {
    double x, y;
    if (!proj.Project(v, &x, &y)) {
      flush();
      continue;
    }
    if (!run.isEmpty() && std::hypot(x - run.back().x(), y - run.back().y()) > maxStep) flush();
    run << QPointF(x, y);
  }
  flush();
}

void PaintGrid(QPainter& p, const Projection& proj, const QRectF& area, const ChartPalette& pal) {
  p.setPen(QPen(pal.grid, 1.0, Qt::DotLine));
  const double maxStep = area.width() / 3.0;
  std::vector<sky::Vec3> line;
  for (int alt = -80; alt <= 80; alt += 10) {
    if (alt == 0) continue;  // the horizon has its own line
    line.clear();
    for (int az = 0; az <= 360; az += 3) line.push_back(sky::LocalFromHorizontal({double(alt), double(az)}));
    DrawPolyline(p, proj, line, maxStep);
  }
  for (int az = 0; az < 360; az += 30) {
    line.clear();
    for (int alt = -88; alt <= 88; alt += 2) line.push_back(sky::LocalFromHorizontal({double(alt), double(az)}));
    DrawPolyline(p, proj, line, maxStep);
  }
}

void PaintFigures(QPainter& p, const SkyScene& scene, const Projection& proj, const QRectF& area,
                  const ChartPalette& pal) {
  QVector<QLineF> lines;
  lines.reserve(qsizetype(scene.Figures().size()));
  for (const auto& segment : scene.Figures()) {
    double x1, y1, x2, y2;
    if (!proj.Project(segment[0], &x1, &y1) || !proj.Project(segment[1], &x2, &y2)) continue;
    if (!OnArea(area, x1, y1, area.width()) || !OnArea(area, x2, y2, area.width())) continue;
    lines << QLineF(x1, y1, x2, y2);
  }
  p.setPen(QPen(pal.figure, 1.0));
  p.drawLines(lines);
}

// A star's disc, drawn once and stamped: QPainter strokes a wide round
// point as an ellipse, which costs microseconds a star.
QImage StarSprite(const QColor& colour, double diameter) {
  const int size = int(std::ceil(diameter)) + 2;
  QImage sprite(size, size, QImage::Format_ARGB32_Premultiplied);
  sprite.fill(Qt::transparent);
  QPainter p(&sprite);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawEllipse(QPointF(size / 2.0, size / 2.0), diameter / 2.0, diameter / 2.0);
  return sprite;
}

// How much of a star's light shows against the sky: all of it at night,
// a third in daylight.
double StarVisibility(double sunAltitude) { return std::clamp(1.0 - (sunAltitude + 12.0) / 18.0, 0.35, 1.0); }

void PaintStars(QPainter& p, const SkyScene& scene, const Projection& proj, const QRectF& area,
                const ChartPalette& pal, StarStamps& stamps) {
  std::array<QVector<QPointF>, kMagnitudeBuckets> buckets;
  for (const SceneStar& s : scene.Stars()) {
    double x, y;
    if (!proj.Project(s.local, &x, &y) || !OnArea(area, x, y, 4.0)) continue;
    buckets[size_t(Bucket(s.magnitude))] << QPointF(x, y);
  }
  const double visibility = StarVisibility(scene.SunAltitude());
  auto alphaOf = [visibility](double magnitude) { return visibility * std::clamp(1.15 - 0.1 * magnitude, 0.45, 1.0); };
  QColor key = pal.star;
  key.setAlphaF(float(visibility));
  if (stamps.colour != key.rgba() || stamps.sprites.empty()) {
    stamps.colour = key.rgba();
    stamps.sprites.clear();
    for (int b = 0; b < kMagnitudeBuckets; ++b) {
      const double magnitude = -1.5 + (b + 0.5) / 2.0;
      QColor colour = pal.star;
      colour.setAlphaF(float(alphaOf(magnitude)));
      stamps.sprites.push_back(StarSprite(colour, StarDiameter(magnitude)));
    }
  }
  const bool antialiased = p.testRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::Antialiasing, false);
  for (int b = 0; b < kMagnitudeBuckets; ++b) {
    const QVector<QPointF>& points = buckets[size_t(b)];
    if (points.isEmpty()) continue;
    const double magnitude = -1.5 + (b + 0.5) / 2.0;
    if (StarDiameter(magnitude) < 1.9) {
      // The faint ones, most of the catalogue: one pixel each.
      QColor colour = pal.star;
      colour.setAlphaF(float(alphaOf(magnitude)));
      p.setPen(QPen(colour, 1.0));
      p.drawPoints(points.constData(), int(points.size()));
      continue;
    }
    const QImage& sprite = stamps.sprites[size_t(b)];
    const double half = sprite.width() / 2.0;
    for (const QPointF& at : points) p.drawImage(QPointF(std::round(at.x() - half), std::round(at.y() - half)), sprite);
  }
  p.setRenderHint(QPainter::Antialiasing, antialiased);
}

// The Moon: a dark disc, the half toward the Sun lit, and the terminator
// an ellipse that adds to the lit half (gibbous) or takes from it
// (crescent).
void PaintMoon(QPainter& p, const SkyScene& scene, const SceneBody& moon, const Projection& proj, double x,
               double y, double r) {
  double sx, sy;
  // A point a little way from the Moon toward the Sun gives the bright
  // limb's direction on the screen.
  const sky::Vec3& m = moon.local;
  const sky::Vec3& s = scene.Moon().towardSun;
  const double along = m[0] * s[0] + m[1] * s[1] + m[2] * s[2];
  sky::Vec3 toward = {s[0] - along * m[0], s[1] - along * m[1], s[2] - along * m[2]};
  const double n = std::sqrt(toward[0] * toward[0] + toward[1] * toward[1] + toward[2] * toward[2]);
  double angle = 0.0;
  if (n > 1e-12) {
    const sky::Vec3 step = {m[0] + 0.01 * toward[0] / n, m[1] + 0.01 * toward[1] / n, m[2] + 0.01 * toward[2] / n};
    if (proj.Project(step, &sx, &sy)) angle = std::atan2(sy - y, sx - x) / kDegree;
  }
  p.save();
  p.translate(x, y);
  p.rotate(angle);  // the Sun now lies along +x
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(60, 60, 66));
  p.drawEllipse(QPointF(0, 0), r, r);
  const double k = scene.Moon().illuminated;
  const double w = r * std::fabs(2.0 * k - 1.0);  // the terminator's half-width
  QPainterPath lit;
  lit.moveTo(0, -r);
  lit.arcTo(QRectF(-r, -r, 2 * r, 2 * r), 90, -180);  // the half toward +x
  QPainterPath terminator;
  terminator.addEllipse(QPointF(0, 0), w, r);
  lit = k >= 0.5 ? lit.united(terminator) : lit.subtracted(terminator);
  p.setBrush(QColor(240, 236, 220));
  p.drawPath(lit);
  p.restore();
}

void PaintBodies(QPainter& p, const SkyScene& scene, const Projection& proj, const QRectF& area,
                 const ChartPalette& pal) {
  for (auto it = scene.Bodies().rbegin(); it != scene.Bodies().rend(); ++it) {  // the Sun and Moon last, on top
    const SceneBody& b = *it;
    double x, y;
    if (b.local[2] < -0.05 || !proj.Project(b.local, &x, &y) || !OnArea(area, x, y, 40.0)) continue;
    const double disc = proj.Scale() * b.radiusDegrees * kDegree;
    if (b.body == sky::SolarBody::Sun) {
      const double r = std::max(6.0, disc);
      p.setPen(QPen(QColor(255, 190, 60), 1.5));
      p.setBrush(QColor(255, 230, 120));
      p.drawEllipse(QPointF(x, y), r, r);
    } else if (b.body == sky::SolarBody::Moon) {
      PaintMoon(p, scene, b, proj, x, y, std::max(7.0, disc));
    } else {
      p.setPen(Qt::NoPen);
      p.setBrush(pal.planet);
      p.drawEllipse(QPointF(x, y), 3.0, 3.0);
      p.setPen(pal.planet);
      p.drawText(QPointF(x + 6, y - 4), sky::BodyName(b.body));
    }
  }
}

void PaintTrails(QPainter& p, const SkyScene& scene, const Projection& proj, const QRectF& area,
                 const ChartPalette& pal) {
  p.setPen(QPen(pal.trail, 1.2));
  for (const auto& trail : scene.Trails()) DrawPolyline(p, proj, trail, area.width() / 4.0);
}

// The ground: whatever lies below the horizon circle.
void PaintGround(QPainter& p, const Projection& proj, const QRectF& area, const ChartPalette& pal) {
  const ScreenCircle h = proj.GreatCircle({0.0, 0.0, 1.0});
  QPainterPath ground;
  if (h.isLine) {
    // The half-plane on the far side from the zenith's direction.
    const double big = 4.0 * (area.width() + area.height());
    const QPointF c(h.cx, h.cy), along(-h.ny * big, h.nx * big), away(-h.nx * big, -h.ny * big);
    ground.addPolygon(QPolygonF({c + along, c - along, c - along + away, c + along + away}));
  } else {
    QPainterPath circle;
    circle.addEllipse(QPointF(h.cx, h.cy), h.radius, h.radius);
    if (h.centreInside) {
      // The widget with the horizon's disc cut out.
      ground.setFillRule(Qt::OddEvenFill);
      ground.addRect(area.adjusted(-2, -2, 2, 2));
      ground.addEllipse(QPointF(h.cx, h.cy), h.radius, h.radius);
    } else {
      ground = circle;
    }
  }
  p.setPen(Qt::NoPen);
  p.setBrush(pal.ground);
  p.drawPath(ground);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(pal.horizon, 1.5));
  if (h.isLine) {
    const double big = 4.0 * (area.width() + area.height());
    p.drawLine(QPointF(h.cx - h.ny * big, h.cy + h.nx * big), QPointF(h.cx + h.ny * big, h.cy - h.nx * big));
  } else {
    p.drawEllipse(QPointF(h.cx, h.cy), h.radius, h.radius);
  }
}

void PaintCardinals(QPainter& p, const Projection& proj, const QRectF& area, const ChartPalette& pal) {
  static const char* const kNames[] = {"N", "E", "S", "W"};
  QFont font = p.font();
  font.setBold(true);
  font.setPointSizeF(font.pointSizeF() * 1.3);
  p.setFont(font);
  p.setPen(pal.cardinal);
  for (int i = 0; i < 4; ++i) {
    double x, y;
    if (!proj.Project(sky::LocalFromHorizontal({0.0, 90.0 * i}), &x, &y) || !OnArea(area, x, y, 0.0)) continue;
    p.drawText(QRectF(x - 20, y + 2, 40, 24), Qt::AlignHCenter | Qt::AlignTop, kNames[i]);
  }
}

void PaintStarNames(QPainter& p, const SkyScene& scene, const Projection& proj, const QRectF& area,
                    const ChartPalette& pal) {
  QFont font = p.font();
  font.setBold(false);
  font.setPointSizeF(std::max(7.0, font.pointSizeF() * 0.75));
  p.setFont(font);
  p.setPen(pal.starName);
  for (const SceneStar& s : scene.Stars()) {
    const std::string& name = scene.StarName(s.index);
    if (name.empty() || s.local[2] < 0.0) continue;
    double x, y;
    if (!proj.Project(s.local, &x, &y) || !OnArea(area, x, y, 0.0)) continue;
    p.drawText(QPointF(x + 5, y + 12), QString::fromStdString(name));
  }
}

}  // namespace

ChartPalette NightPalette() {
  ChartPalette p;
  p.nightSky = QColor(4, 6, 18);
  p.twilightSky = QColor(36, 48, 96);
  p.daySky = QColor(70, 120, 190);
  p.ground = QColor(22, 34, 18);
  p.horizon = QColor(120, 150, 100);
  p.grid = QColor(150, 170, 215, 120);
  p.figure = QColor(60, 90, 150);
  p.star = QColor(255, 255, 250);
  p.starName = QColor(170, 190, 230);
  p.planet = QColor(255, 170, 120);
  p.trail = QColor(230, 140, 90, 200);
  p.cardinal = QColor(240, 200, 110);
  p.text = QColor(220, 225, 235);
  return p;
}

ChartPalette PrintPalette() {
  ChartPalette p;
  p.nightSky = QColor(250, 248, 240);
  p.twilightSky = QColor(232, 236, 244);
  p.daySky = QColor(214, 230, 248);
  p.ground = QColor(196, 184, 150);
  p.horizon = QColor(110, 90, 50);
  p.grid = QColor(160, 170, 190);
  p.figure = QColor(120, 150, 200);
  p.star = QColor(10, 10, 20);
  p.starName = QColor(40, 60, 120);
  p.planet = QColor(170, 40, 20);
  p.trail = QColor(200, 80, 40, 200);
  p.cardinal = QColor(120, 40, 20);
  p.text = QColor(20, 20, 30);
  return p;
}

QColor SkyColour(const ChartPalette& palette, double sunAltitude) {
  if (sunAltitude >= 0.0) return Mix(palette.twilightSky, palette.daySky, 0.4 + sunAltitude / 10.0);
  if (sunAltitude >= -18.0) return Mix(palette.nightSky, palette.twilightSky, (sunAltitude + 18.0) / 18.0);
  return palette.nightSky;
}

void PaintChart(QPainter& p, const SkyScene& scene, const Projection& proj, const QRectF& area,
                const ChartPalette& pal, const ChartOptions& options, StarStamps& stamps) {
  p.fillRect(area, SkyColour(pal, scene.SunAltitude()));
  p.setRenderHint(QPainter::Antialiasing, true);
  if (options.grid) PaintGrid(p, proj, area, pal);
  PaintFigures(p, scene, proj, area, pal);
  PaintStars(p, scene, proj, area, pal, stamps);
  if (options.trails) PaintTrails(p, scene, proj, area, pal);
  PaintBodies(p, scene, proj, area, pal);
  PaintGround(p, proj, area, pal);
  PaintCardinals(p, proj, area, pal);
  PaintStarNames(p, scene, proj, area, pal);
  if (options.selected) {
    double x, y;
    if (proj.Project(*options.selected, &x, &y)) {
      p.setPen(QPen(pal.cardinal, 1.5));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(QPointF(x, y), 11.0, 11.0);
    }
  }
}

}  // namespace chart
