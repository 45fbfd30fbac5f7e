#include "chart/projection.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace chart {
namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

double Dot(const sky::Vec3& a, const sky::Vec3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

}  // namespace

ViewDirection Panned(const ViewDirection& view, double dx, double dy, double width) {
  ViewDirection v = view;
  const double degreesPerPixel = view.field / std::max(1.0, width);
  // Near the zenith a pixel sideways is many degrees of azimuth.
  const double stretch = 1.0 / std::max(0.2, std::cos(view.altitude * kDegree));
  v.azimuth = std::fmod(view.azimuth - dx * degreesPerPixel * stretch + 360.0, 360.0);
  if (v.azimuth < 0.0) v.azimuth += 360.0;
  v.altitude = std::clamp(view.altitude + dy * degreesPerPixel, -90.0, 90.0);
  return v;
}

ViewDirection Zoomed(const ViewDirection& view, double steps) {
  ViewDirection v = view;
  v.field = std::clamp(view.field * std::pow(0.85, steps), kMinField, kMaxField);
  return v;
}

Projection::Projection(const ViewDirection& view, double width, double height) {
  const double az = view.azimuth * kDegree, alt = view.altitude * kDegree;
  m_centre = sky::LocalFromHorizontal({view.altitude, view.azimuth});
  m_right = {std::cos(az), -std::sin(az), 0.0};
  m_up = {-std::sin(az) * std::sin(alt), -std::cos(az) * std::sin(alt), std::cos(alt)};
  const double halfField = std::clamp(view.field, kMinField, kMaxField) * kDegree / 2.0;
  m_scale = (width / 2.0) / (2.0 * std::tan(halfField / 2.0));
  m_cx = width / 2.0;
  m_cy = height / 2.0;
}

bool Projection::Project(const sky::Vec3& p, double* x, double* y) const {
  const double d = 1.0 + Dot(p, m_centre);
  if (d < 1e-6) return false;
  *x = m_cx + 2.0 * m_scale * Dot(p, m_right) / d;
  *y = m_cy - 2.0 * m_scale * Dot(p, m_up) / d;
  return true;
}

sky::Vec3 Projection::Unproject(double x, double y) const {
  const double X = (x - m_cx) / m_scale, Y = (m_cy - y) / m_scale;
  const double r2 = X * X + Y * Y;
  const double k = 1.0 / (4.0 + r2);
  const double a = 4.0 * X * k, b = 4.0 * Y * k, c = (4.0 - r2) * k;
  return {a * m_right[0] + b * m_up[0] + c * m_centre[0], a * m_right[1] + b * m_up[1] + c * m_centre[1],
          a * m_right[2] + b * m_up[2] + c * m_centre[2]};
}

ScreenCircle Projection::GreatCircle(const sky::Vec3& pole) const {
  // On the plane (X, Y) = 2 (right, up) / (1 + centre) the circle is
  // (X - 2 ux/uz)^2 + (Y - 2 uy/uz)^2 = 4 / uz^2 with u the pole on the
  // (right, up, centre) axes.
  const double ux = Dot(pole, m_right), uy = Dot(pole, m_up), uz = Dot(pole, m_centre);
  ScreenCircle c;
  c.centreInside = uz > 0.0;
  if (std::fabs(uz) < 1e-4) {
    c.isLine = true;
    c.cx = m_cx;
    c.cy = m_cy;
    c.nx = ux;
    c.ny = -uy;
    return c;
  }
  c.cx = m_cx + m_scale * 2.0 * ux / uz;
  c.cy = m_cy - m_scale * 2.0 * uy / uz;
  c.radius = m_scale * 2.0 / std::fabs(uz);
  return c;
}

}  // namespace chart
