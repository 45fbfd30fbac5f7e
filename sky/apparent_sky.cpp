#include "sky/apparent_sky.h"

#include <cmath>
#include <numbers>

extern "C" {
#include <erfa.h>
}
#include <erfam.h>
#include <libnova/dynamical_time.h>

#include "sky/astronomy.h"

namespace sky {
namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

double Dot(const Vec3& a, const Vec3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

Vec3 Normalized(const Vec3& v) {
  const double n = std::sqrt(Dot(v, v));
  if (!(n > 0.0)) return {0.0, 0.0, 1.0};
  return {v[0] / n, v[1] / n, v[2] / n};
}

}  // namespace

Vec3 UnitFromRaDec(double raHours, double decDegrees) {
  const double ra = raHours * 15.0 * kDegree, dec = decDegrees * kDegree;
  return {std::cos(dec) * std::cos(ra), std::cos(dec) * std::sin(ra), std::sin(dec)};
}

Horizontal HorizontalOf(const Vec3& local) {
  Horizontal h;
  const double horizontal = std::hypot(local[0], local[1]);
  h.altitude = std::atan2(local[2], horizontal) / kDegree;
  double az = horizontal > 0.0 ? std::atan2(local[0], local[1]) / kDegree : 0.0;
  if (az < 0.0) az += 360.0;
  if (az >= 360.0) az = 0.0;
  h.azimuth = az;
  return h;
}

Vec3 LocalFromHorizontal(const Horizontal& h) {
  const double alt = h.altitude * kDegree, az = h.azimuth * kDegree;
  return {std::cos(alt) * std::sin(az), std::cos(alt) * std::cos(az), std::sin(alt)};
}

double JulianEphemerisDate(const Instant& ut) {
  const double jd = ToJulianDate(ut);
  return jd + ln_get_dynamical_time_diff(jd) / 86400.0;
}

ApparentSky::ApparentSky(const Instant& ut, double longitudeDegrees, double latitudeDegrees) {
  // Two-part dates keep the seconds exact far from J2000.
  const double uta = double(DayNumber(ut)) - 0.5;
  const double utb = SecondsOfDay(ut) / 86400.0;
  const double tta = uta;
  const double ttb = utb + ln_get_dynamical_time_diff(uta + utb) / 86400.0;
  m_jde = tta + ttb;

  double dpsi = 0.0, deps = 0.0, epsa = 0.0;
  double rb[3][3], rp[3][3], rbp[3][3], rn[3][3], rbpn[3][3];
  eraNut06a(tta, ttb, &dpsi, &deps);
  eraPn06(tta, ttb, dpsi, deps, &epsa, rb, rp, rbp, rn, rbpn);
  // Apparent sidereal time: the engine's mean sidereal time plus the
  // equation of the equinoxes.
  const double gast = GreenwichMeanSiderealRadians(ut) + dpsi * std::cos(epsa) + eraEect00(tta, ttb);
  const double last = gast + longitudeDegrees * kDegree;
  const double phi = latitudeDegrees * kDegree;
  const double ct = std::cos(last), st = std::sin(last), cp = std::cos(phi), sp = std::sin(phi);
  // True equator of date to east, north, up.
  double local[3][3] = {
      {-st, ct, 0.0},
      {-sp * ct, -sp * st, cp},
      {cp * ct, cp * st, sp},
  };
  eraRxr(local, rbpn, m_toLocal);

  double heliocentric[2][3], barycentric[2][3];
  eraEpv00(tta, ttb, heliocentric, barycentric);
  const double perDay = ERFA_AULT / 86400.0;  // AU/day over the speed of light
  m_beta = {barycentric[1][0] * perDay, barycentric[1][1] * perDay, barycentric[1][2] * perDay};

  // The observer on the WGS84 ellipsoid, on the local axes, then in J2000.
  double xyz[3];
  if (eraGd2gc(1, 0.0, phi, 0.0, xyz) != 0) xyz[0] = xyz[1] = xyz[2] = 0.0;
  const double rho = xyz[0] / ERFA_DAU, z = xyz[2] / ERFA_DAU;
  const Vec3 observerLocal = {0.0, -sp * rho + cp * z, cp * rho + sp * z};
  for (int i = 0; i < 3; ++i) {
    m_observer[size_t(i)] = m_toLocal[0][i] * observerLocal[0] + m_toLocal[1][i] * observerLocal[1] +
                            m_toLocal[2][i] * observerLocal[2];
  }
}

Vec3 ApparentSky::Aberrated(const Vec3& p) const {
  // To first order in v/c; the second order stays below 0.01".
  const double pb = Dot(p, m_beta);
  return Normalized({p[0] + m_beta[0] - pb * p[0], p[1] + m_beta[1] - pb * p[1], p[2] + m_beta[2] - pb * p[2]});
}

Vec3 ApparentSky::Rotated(const Vec3& v) const {
  return {m_toLocal[0][0] * v[0] + m_toLocal[0][1] * v[1] + m_toLocal[0][2] * v[2],
          m_toLocal[1][0] * v[0] + m_toLocal[1][1] * v[1] + m_toLocal[1][2] * v[2],
          m_toLocal[2][0] * v[0] + m_toLocal[2][1] * v[1] + m_toLocal[2][2] * v[2]};
}

Vec3 ApparentSky::StarToLocal(const Vec3& j2000) const { return Rotated(Aberrated(j2000)); }

Vec3 ApparentSky::TopocentricDirection(const Vec3& geocentric) const {
  return Normalized({geocentric[0] - m_observer[0], geocentric[1] - m_observer[1], geocentric[2] - m_observer[2]});
}

Vec3 ApparentSky::BodyToLocal(const Vec3& geocentric) const {
  return StarToLocal(TopocentricDirection(geocentric));
}

}  // namespace sky
