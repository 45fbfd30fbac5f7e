// The little astronomy the command language answers with: sidereal time
// and the age of the Moon.
#pragma once

#include <cstdint>

#include "sky/instant.h"

namespace sky {

// Greenwich mean sidereal time by ERFA's IAU 2006 expression with UT taken
// as UT1: in radians, [0, 2 pi), and in seconds, [0, 86400).  The engine's
// sidereal time and the chart's Earth rotation both come from here.
double GreenwichMeanSiderealRadians(const Instant& t);
double GreenwichMeanSiderealSeconds(const Instant& t);

// Local mean sidereal time in hours at a longitude (degrees, east
// positive), 0 <= result < 24.
double LocalMeanSiderealHours(const Instant& t, double longitudeDegrees);

// Julian ephemeris date of new moon number k (k = 0 is the new moon of
// 2000 January 6): the mean lunation with the main periodic terms within
// a thousand years of 2000, fading into the plain mean lunation beyond
// two thousand years, where the periodic terms' polynomials stop meaning
// anything.
double NewMoonJde(int64_t k);

// Days since the previous new moon, 0 <= age < 30.
double MoonAgeDays(const Instant& t);

}  // namespace sky
