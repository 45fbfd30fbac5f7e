// Mean sidereal time.
//
// GMST(UT1) = 24110.54841 s + 8640184.812866 s T + 0.093104 s T^2
//             - 6.2e-6 s T^3 + the UT1 seconds since noon (with the T
// term taken at the same instant, it carries the daily excess rotation).
// T is counted in Julian centuries from J2000.0.  At the ends of the
// supported range T is about 1000 and the linear term some 10^10 s, so
// the whole days and the seconds within the day are kept apart and the
// large term is reduced on its own before anything is added to it.
#include <cmath>

#include "sky/astronomy.h"

namespace sky {
namespace {

// Seconds since the epoch (see Instant) of J2000.0, JD 2451545.0 (noon).
constexpr int64_t kJ2000Seconds = int64_t{2451545} * kSecondsPerDay + 43200;

constexpr double kA = 24110.54841 - 43200.0;  // the day starts at noon here
constexpr double kB = 8640184.812866;
constexpr double kC = 0.093104;
constexpr double kD = -6.2e-6;

double Reduced(double seconds) {
  double r = std::fmod(seconds, 86400.0);
  if (r < 0.0) r += 86400.0;
  if (r >= 86400.0) r = 0.0;  // -tiny + 86400 rounded up
  return r;
}

}  // namespace

double GreenwichMeanSiderealSeconds(const Instant& t) {
  const int64_t sinceJ2000 = t.seconds - kJ2000Seconds;
  int64_t days = sinceJ2000 / kSecondsPerDay;
  if (sinceJ2000 % kSecondsPerDay < 0) --days;
  const double sinceNoon =
      static_cast<double>(sinceJ2000 - days * kSecondsPerDay) + t.fraction;
  const double dayFraction = sinceNoon / 86400.0;
  const double centuries = (static_cast<double>(days) + dayFraction) / 36525.0;

  const double linearDays = Reduced(kB / 36525.0 * static_cast<double>(days));
  const double linearFraction = kB / 36525.0 * dayFraction;
  const double higher = (kC + kD * centuries) * centuries * centuries;
  return Reduced(kA + linearDays + linearFraction + Reduced(higher) + sinceNoon);
}

double LocalMeanSiderealHours(const Instant& t, double longitudeDegrees) {
  const double seconds =
      Reduced(GreenwichMeanSiderealSeconds(t) + longitudeDegrees * 240.0);
  const double hours = seconds / 3600.0;
  return hours < 24.0 ? hours : 0.0;
}

}  // namespace sky
