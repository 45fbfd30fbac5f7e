#include "sky/solar_system.h"

#include <cmath>
#include <libnova/earth.h>
#include <libnova/jupiter.h>
#include <libnova/lunar.h>
#include <libnova/mars.h>
#include <libnova/mercury.h>
#include <libnova/neptune.h>
#include <libnova/saturn.h>
#include <libnova/uranus.h>
#include <libnova/venus.h>

#include "sky/text.h"

namespace sky {
namespace {

constexpr double kAuKm = 149597870.7;
constexpr double kLightDaysPerAu = 499.004783836 / 86400.0;
// Obliquity of the J2000 ecliptic (IAU 2006), radians.
constexpr double kObliquityJ2000 = 84381.406 / 3600.0 * 3.14159265358979323846 / 180.0;
// libnova's lunar series drops terms below this (its own unit): 0.2" from
// the full series at a hundredth of its cost.
constexpr double kLunarPrecision = 1e-7;

struct BodyEntry {
  SolarBody body;
  const char* name;
  void (*helio)(double, ln_rect_posn*);
  double (*magnitude)(double);
};

constexpr BodyEntry kBodies[] = {
    {SolarBody::Sun, "Sun", nullptr, nullptr},
    {SolarBody::Moon, "Moon", nullptr, nullptr},
    {SolarBody::Mercury, "Mercury", ln_get_mercury_rect_helio, ln_get_mercury_magnitude},
    {SolarBody::Venus, "Venus", ln_get_venus_rect_helio, ln_get_venus_magnitude},
    {SolarBody::Mars, "Mars", ln_get_mars_rect_helio, ln_get_mars_magnitude},
    {SolarBody::Jupiter, "Jupiter", ln_get_jupiter_rect_helio, ln_get_jupiter_magnitude},
    {SolarBody::Saturn, "Saturn", ln_get_saturn_rect_helio, ln_get_saturn_magnitude},
    {SolarBody::Uranus, "Uranus", ln_get_uranus_rect_helio, ln_get_uranus_magnitude},
    {SolarBody::Neptune, "Neptune", ln_get_neptune_rect_helio, ln_get_neptune_magnitude},
    {SolarBody::Earth, "Earth", ln_get_earth_rect_helio, nullptr},
};

const BodyEntry& Entry(SolarBody body) { return kBodies[int(body)]; }

Vec3 Minus(const Vec3& a, const Vec3& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
double Length(const Vec3& v) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }

// J2000 ecliptic to J2000 equator.
Vec3 EclipticToEquator(const Vec3& v) {
  const double c = std::cos(kObliquityJ2000), s = std::sin(kObliquityJ2000);
  return {v[0], c * v[1] - s * v[2], s * v[1] + c * v[2]};
}

}  // namespace

const char* BodyName(SolarBody body) { return Entry(body).name; }

bool BodyFromName(std::string_view name, SolarBody* out) {
  for (int i = 0; i < kVisibleBodies; ++i) {
    if (IEquals(name, kBodies[i].name)) {
      *out = kBodies[i].body;
      return true;
    }
  }
  return false;
}

Vec3 LibnovaPosition(SolarBody body, double jde) {
  ln_rect_posn p{};
  if (body == SolarBody::Moon) {  // the lunar theory answers on the ecliptic
    ln_get_lunar_geo_posn(jde, &p, kLunarPrecision);
    return EclipticToEquator({p.X / kAuKm, p.Y / kAuKm, p.Z / kAuKm});
  }
  if (Entry(body).helio == nullptr) return {0.0, 0.0, 0.0};
  Entry(body).helio(jde, &p);
  return {p.X, p.Y, p.Z};
}

double ApparentMagnitude(SolarBody body, double jde) {
  if (body == SolarBody::Sun) return -26.74;
  if (body == SolarBody::Moon) {
    const double i = std::fabs(ln_get_lunar_phase(jde));  // phase angle, degrees
    return -12.73 + 0.026 * i + 4e-9 * i * i * i * i;
  }
  return Entry(body).magnitude ? Entry(body).magnitude(jde) : 0.0;
}

Vec3 GeocentricPosition(SolarBody body, double jde, const EphemerisSource& source) {
  if (body == SolarBody::Moon) return source(SolarBody::Moon, jde);
  const Vec3 earth = source(SolarBody::Earth, jde);
  if (body == SolarBody::Sun) return {-earth[0], -earth[1], -earth[2]};
  // Two rounds of light time bring the planet within a millisecond of it.
  Vec3 geocentric = Minus(source(body, jde), earth);
  for (int round = 0; round < 2; ++round) {
    const double lightDays = Length(geocentric) * kLightDaysPerAu;
    geocentric = Minus(source(body, jde - lightDays), earth);
  }
  return geocentric;
}

const Vec3& InterpolatedEphemeris::NodeAt(SolarBody body, long long index) {
  auto& nodes = m_nodes[size_t(body)];
  for (const Node& n : nodes) {
    if (n.filled && n.index == index) return n.position;
  }
  Node& slot = nodes[size_t(m_next[size_t(body)])];
  m_next[size_t(body)] = (m_next[size_t(body)] + 1) % kNodesPerBody;
  const double step = body == SolarBody::Moon ? 0.25 : 1.0;
  slot.index = index;
  slot.position = LibnovaPosition(body, double(index) * step);
  slot.filled = true;
  ++m_calls;
  return slot.position;
}

Vec3 InterpolatedEphemeris::Position(SolarBody body, double jde) {
  const double step = body == SolarBody::Moon ? 0.25 : 1.0;
  const double x = jde / step;
  if (!std::isfinite(x) || std::fabs(x) > 1e15) return LibnovaPosition(body, jde);
  const long long i = static_cast<long long>(std::floor(x));
  const double u = x - double(i);  // in [0, 1): between nodes i and i + 1
  // Lagrange's cubic through the nodes i - 1, i, i + 1, i + 2.
  const double w[4] = {-u * (u - 1.0) * (u - 2.0) / 6.0, (u + 1.0) * (u - 1.0) * (u - 2.0) / 2.0,
                       -(u + 1.0) * u * (u - 2.0) / 2.0, (u + 1.0) * u * (u - 1.0) / 6.0};
  Vec3 result{0.0, 0.0, 0.0};
  for (int k = 0; k < 4; ++k) {
    const Vec3& p = NodeAt(body, i - 1 + k);
    for (int c = 0; c < 3; ++c) result[size_t(c)] += w[k] * p[size_t(c)];
  }
  return result;
}

}  // namespace sky
