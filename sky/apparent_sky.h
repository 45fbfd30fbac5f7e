// Apparent topocentric places for one instant and one observer at sea
// level: precession and nutation (IAU 2006/2000A, ERFA), annual
// aberration, the Earth's rotation by the apparent sidereal time, and for
// the bodies of the solar system the observer's offset from the Earth's
// centre (the Moon's parallax).  No atmospheric refraction.
//
// Everything that depends only on the instant and the place is worked out
// once, in the constructor (a few hundred microseconds); a star then costs
// a handful of multiplications, so a chart turns thousands of them each
// frame.
#pragma once

#include "sky/instant.h"
#include "sky/solar_system.h"

namespace sky {

// Degrees: altitude in [-90, 90], azimuth from north through east in
// [0, 360).
struct Horizontal {
  double altitude = 0.0;
  double azimuth = 0.0;
};

// The unit vector of a J2000 right ascension (hours) and declination.
Vec3 UnitFromRaDec(double raHours, double decDegrees);
// Altitude and azimuth of a vector on the local east, north and up axes.
Horizontal HorizontalOf(const Vec3& local);
// The local unit vector (east, north, up) of an altitude and azimuth.
Vec3 LocalFromHorizontal(const Horizontal& h);

// Julian ephemeris date (TT) of an instant, libnova's Delta T added.
double JulianEphemerisDate(const Instant& ut);

class ApparentSky {
 public:
  ApparentSky(const Instant& ut, double longitudeDegrees, double latitudeDegrees);

  double Jde() const { return m_jde; }

  // A star's J2000 unit vector to its apparent local direction (a unit
  // vector on the east, north and up axes).
  Vec3 StarToLocal(const Vec3& j2000) const;
  // A geocentric position (AU, J2000 equator) to the apparent local
  // direction seen from the observer.
  Vec3 BodyToLocal(const Vec3& geocentric) const;
  // Its direction from the observer on the J2000 axes, before aberration:
  // StarToLocal turns it as it turns a star.
  Vec3 TopocentricDirection(const Vec3& geocentric) const;

 private:
  Vec3 Aberrated(const Vec3& unit) const;
  Vec3 Rotated(const Vec3& v) const;

  double m_jde = 0.0;
  double m_toLocal[3][3] = {};  // J2000 (GCRS) to east, north, up
  Vec3 m_beta{};                // the Earth's velocity over the speed of light
  Vec3 m_observer{};            // the observer from the Earth's centre, AU, J2000
};

}  // namespace sky
