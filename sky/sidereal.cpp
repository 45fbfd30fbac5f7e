// Mean sidereal time by ERFA's IAU 2006 expression (the Earth rotation
// angle plus the precession in right ascension), UT taken as UT1.
//
// The instant reaches ERFA as a two-part date, the day's midnight and the
// fraction of the day, so the Earth rotation angle keeps its seconds exact
// far from J2000.  TT is taken as UT in the precession polynomial: Delta T
// moves it by far less than a millisecond between 1900 and 2100.
#include <cmath>
#include <numbers>

extern "C" {
#include <erfa.h>
}

#include "sky/astronomy.h"

namespace sky {

double GreenwichMeanSiderealRadians(const Instant& t) {
  const double midnight = double(DayNumber(t)) - 0.5;
  const double fraction = SecondsOfDay(t) / 86400.0;
  return eraGmst06(midnight, fraction, midnight, fraction);
}

double GreenwichMeanSiderealSeconds(const Instant& t) {
  const double seconds = GreenwichMeanSiderealRadians(t) * (43200.0 / std::numbers::pi);
  return seconds < 86400.0 ? seconds : 0.0;
}

double LocalMeanSiderealHours(const Instant& t, double longitudeDegrees) {
  double seconds = std::fmod(GreenwichMeanSiderealSeconds(t) + longitudeDegrees * 240.0, 86400.0);
  if (seconds < 0.0) seconds += 86400.0;
  const double hours = seconds / 3600.0;
  return hours < 24.0 ? hours : 0.0;
}

}  // namespace sky
