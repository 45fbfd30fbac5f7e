// The chart's stereographic projection of the local sky (east, north, up
// unit vectors) onto the widget: the view centre in the middle, the
// zenith's side up, east to the right of north as seen from inside the
// sky.  Circles on the sky stay circles, so the horizon is one.
#pragma once

#include "sky/apparent_sky.h"

namespace chart {

constexpr double kMinField = 5.0;    // degrees across the width
constexpr double kMaxField = 180.0;

struct ViewDirection {
  double azimuth = 180.0;  // degrees, where the centre looks
  double altitude = 40.0;
  double field = 150.0;    // degrees across the width
  friend bool operator==(const ViewDirection&, const ViewDirection&) = default;
};

// A view moved by a drag of (dx, dy) pixels on a widget `width` wide: the
// sky follows the pointer.  The altitude stays within -90..90.
ViewDirection Panned(const ViewDirection& view, double dx, double dy, double width);
// Zoomed by `steps` wheel notches (positive zooms in), within the field's
// bounds.
ViewDirection Zoomed(const ViewDirection& view, double steps);

// A circle on the screen, or a straight line when the circle on the sky
// passes through the point opposite the centre.
struct ScreenCircle {
  bool isLine = false;
  double cx = 0.0, cy = 0.0, radius = 0.0;  // the circle
  double nx = 0.0, ny = 0.0;                // the line through the centre: its normal
  bool centreInside = false;  // the view centre lies on the pole's side
};

class Projection {
 public:
  Projection(const ViewDirection& view, double width, double height);

  // The screen point of a local unit vector; false near the point
  // opposite the view centre, which has none.
  bool Project(const sky::Vec3& local, double* x, double* y) const;
  // The local unit vector under a screen point.
  sky::Vec3 Unproject(double x, double y) const;
  // Pixels per radian at the centre.
  double Scale() const { return m_scale; }
  // The great circle whose pole is `pole` (the horizon for the zenith).
  ScreenCircle GreatCircle(const sky::Vec3& pole) const;

 private:
  sky::Vec3 m_centre{}, m_right{}, m_up{};
  double m_scale = 1.0;  // pixels per unit of the plane, 2 tan(angle / 2)
  double m_cx = 0.0, m_cy = 0.0;
};

}  // namespace chart
