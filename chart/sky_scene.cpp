#include "chart/sky_scene.h"

#include <cmath>
#include <numbers>

namespace chart {
namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
constexpr size_t kTrailPoints = 4000;
constexpr double kAuKm = 149597870.7;
// The pole of the J2000 ecliptic on the J2000 equatorial axes.
constexpr double kObliquity = 84381.406 / 3600.0 * kDegree;

double Dot(const sky::Vec3& a, const sky::Vec3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
double Length(const sky::Vec3& v) { return std::sqrt(Dot(v, v)); }

double RadiusDegrees(sky::SolarBody body, double distanceAu) {
  const double radiusKm = body == sky::SolarBody::Sun ? 696000.0 : body == sky::SolarBody::Moon ? 1737.4 : 0.0;
  return radiusKm / (distanceAu * kAuKm) / kDegree;
}

}  // namespace

SkyScene::SkyScene(sky::SkyFiles files) : m_files(std::move(files)), m_sky(sky::Instant{}, 0.0, 0.0) {
  const auto& stars = m_files.catalogue.stars;
  m_starUnits.reserve(stars.size());
  for (const sky::CatalogueStar& s : stars) m_starUnits.push_back(sky::UnitFromRaDec(s.raHours, s.decDegrees));
  for (const sky::FigureSegment& s : m_files.figures.segments) {
    m_figureUnits.push_back({sky::UnitFromRaDec(s.raHours1, s.decDegrees1), sky::UnitFromRaDec(s.raHours2, s.decDegrees2)});
  }
  // Each common name goes to the catalogue star at its place (the marker
  // file and the catalogue agree to a few arcseconds).
  m_starNames.assign(stars.size(), std::string());
  for (const sky::StarLabel& label : m_files.labels.labels) {
    const sky::Vec3 at = sky::UnitFromRaDec(label.raHours, label.decDegrees);
    int best = -1;
    double bestDot = std::cos(0.02 * kDegree);
    for (size_t i = 0; i < m_starUnits.size(); ++i) {
      const double d = Dot(at, m_starUnits[i]);
      if (d > bestDot) bestDot = d, best = int(i);
    }
    if (best >= 0 && m_starNames[size_t(best)].empty()) m_starNames[size_t(best)] = label.name;
  }
}

void SkyScene::Update(const sky::SkyState& state) {
  m_sky = sky::ApparentSky(state.time, state.longitude, state.latitude);
  m_jde = m_sky.Jde();

  // Only the stars at or brighter than the limit, and above the horizon.
  m_visibleStars.clear();
  const auto& stars = m_files.catalogue.stars;
  for (size_t i = 0; i < stars.size(); ++i) {
    if (stars[i].magnitude > state.magnitudeLimit) continue;
    const sky::Vec3 local = m_sky.StarToLocal(m_starUnits[i]);
    if (local[2] < -0.02) continue;  // below the horizon
    m_visibleStars.push_back({local, float(stars[i].magnitude), int(i)});
  }
  m_figures.clear();
  for (const auto& segment : m_figureUnits) {
    const sky::Vec3 a = m_sky.StarToLocal(segment[0]), b = m_sky.StarToLocal(segment[1]);
    if (a[2] < 0.0 && b[2] < 0.0) continue;
    m_figures.push_back({a, b});
  }

  m_bodies.clear();
  sky::Vec3 geocentric[sky::kVisibleBodies];
  for (int b = 0; b < sky::kVisibleBodies; ++b) {
    const auto body = sky::SolarBody(b);
    geocentric[b] = sky::GeocentricPosition(body, m_jde, m_ephemeris.Source());
    const sky::Vec3 local = m_sky.BodyToLocal(geocentric[b]);
    m_bodies.push_back({body, local, sky::HorizontalOf(local), RadiusDegrees(body, Length(geocentric[b]))});
  }

  // The Moon's phase from the Sun's and the Moon's places: the phase
  // angle at the Moon, between the Sun and the observer.
  const sky::Vec3& sun = geocentric[int(sky::SolarBody::Sun)];
  const sky::Vec3& moon = geocentric[int(sky::SolarBody::Moon)];
  const sky::Vec3 moonToSun = {sun[0] - moon[0], sun[1] - moon[1], sun[2] - moon[2]};
  const sky::Vec3 moonToEarth = {-moon[0], -moon[1], -moon[2]};
  const double cosPhase = Dot(moonToSun, moonToEarth) / (Length(moonToSun) * Length(moonToEarth));
  m_moon.illuminated = (1.0 + cosPhase) / 2.0;
  const sky::Vec3 pole = {0.0, -std::sin(kObliquity), std::cos(kObliquity)};
  const sky::Vec3 cross = {sun[1] * moon[2] - sun[2] * moon[1], sun[2] * moon[0] - sun[0] * moon[2],
                           sun[0] * moon[1] - sun[1] * moon[0]};
  m_moon.waxing = Dot(cross, pole) > 0.0;
  m_moon.towardSun = m_bodies[int(sky::SolarBody::Sun)].local;
}

void SkyScene::RecordTrails(const sky::SkyState& state) {
  const sky::ApparentSky sky(state.time, state.longitude, state.latitude);
  for (int b = 0; b < sky::kVisibleBodies; ++b) {
    auto& trail = m_trails[size_t(b)];
    if (trail.size() >= kTrailPoints) trail.erase(trail.begin(), trail.begin() + kTrailPoints / 4);
    trail.push_back(sky.TopocentricDirection(sky::GeocentricPosition(sky::SolarBody(b), sky.Jde(), m_ephemeris.Source())));
  }
}

void SkyScene::ClearTrails() {
  for (auto& trail : m_trails) trail.clear();
}

bool SkyScene::HasTrails() const {
  for (const auto& trail : m_trails) {
    if (!trail.empty()) return true;
  }
  return false;
}

std::vector<std::vector<sky::Vec3>> SkyScene::Trails() const {
  std::vector<std::vector<sky::Vec3>> out(m_trails.size());
  for (size_t b = 0; b < m_trails.size(); ++b) {
    out[b].reserve(m_trails[b].size());
    for (const sky::Vec3& d : m_trails[b]) out[b].push_back(m_sky.StarToLocal(d));
  }
  return out;
}

sky::Vec3 SkyScene::StarLocal(int index) const { return m_sky.StarToLocal(m_starUnits[size_t(index)]); }

}  // namespace chart
