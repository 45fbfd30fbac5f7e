#include "qelobs/zone_lookup.h"

#include <cmath>
#include <numbers>

namespace qelobs {
namespace {

constexpr double kEarthRadiusKm = 6371.0;  // mean radius
constexpr double kRadians = std::numbers::pi / 180.0;

// -180..180 for any finite longitude.
double Wrapped(double longitude) {
  double lon = std::fmod(longitude, 360.0);
  if (lon > 180.0) lon -= 360.0;
  if (lon < -180.0) lon += 360.0;
  return lon;
}

// Haversine: well conditioned for the short distances that decide.
double DistanceKm(double lat1, double lon1, double lat2, double lon2) {
  const double dLat = (lat2 - lat1) * kRadians;
  const double dLon = (lon2 - lon1) * kRadians;
  const double s = std::sin(dLat / 2), t = std::sin(dLon / 2);
  const double h = s * s + std::cos(lat1 * kRadians) * std::cos(lat2 * kRadians) * t * t;
  return 2.0 * kEarthRadiusKm * std::asin(std::sqrt(std::fmin(1.0, h)));
}

}  // namespace

double NauticalZone(double longitude) {
  if (!std::isfinite(longitude)) return 0.0;
  return std::round(Wrapped(longitude) / 15.0);
}

ZoneMatch FindZone(double longitude, double latitude) {
  ZoneMatch match;
  if (!std::isfinite(longitude) || !std::isfinite(latitude)) return match;
  const double lon = Wrapped(longitude);
  const double lat = std::fmax(-90.0, std::fmin(90.0, latitude));
  double best = INFINITY;
  for (size_t i = 0; i < kZonePlaceCount; ++i) {
    const ZonePlace& p = kZonePlaces[i];
    const double d = DistanceKm(lat, lon, p.latitude, p.longitude);
    if (d < best) {
      best = d;
      match.place = &p;
    }
  }
  match.distanceKm = best;
  match.nautical = match.place == nullptr || best > kNauticalBeyondKm;
  match.offsetHours = match.nautical ? NauticalZone(lon) : match.place->offsetHours;
  return match;
}

double StandardZoneOf(double longitude, double latitude) {
  return FindZone(longitude, latitude).offsetHours;
}

}  // namespace qelobs
