// The standard time zone of a place, from a table of the tz database's
// principal locations; no window, no files, no network.
#pragma once

#include <cstddef>

namespace qelobs {

// A principal location of a zone of zone1970.tab with its standard (not
// daylight-saving) offset from UT.
struct ZonePlace {
  double latitude;     // degrees, north positive
  double longitude;    // degrees, east positive
  double offsetHours;  // standard offset, hours east of Greenwich
  const char* name;    // the tz name ("Asia/Tokyo")
  const char* country;  // ISO 3166 code ("JP")
  const char* place;    // the place's own name ("Sapporo", "New York")
};

// The generated table (zone_table.cpp).
extern const ZonePlace kZonePlaces[];
extern const size_t kZonePlaceCount;
// The tz data the table was made from ("2025b-0+deb12u2").
extern const char* const kZoneDataVersion;

// Farther than this from every principal location, a place is taken to
// be at sea and gets the nautical zone.
constexpr double kNauticalBeyondKm = 1500.0;

struct ZoneMatch {
  const ZonePlace* place = nullptr;  // the nearest principal location
  double distanceKm = 0.0;           // great-circle distance to it
  bool nautical = false;             // beyond kNauticalBeyondKm
  double offsetHours = 0.0;          // the zone of the place
};

// Longitude 0..360 or -180..180 (east positive), latitude -90..90
// (clamped).  A value that is not finite gives zone 0.
ZoneMatch FindZone(double longitude, double latitude);
double StandardZoneOf(double longitude, double latitude);

// The nautical zone: longitude / 15 rounded, with 0..360 taken as
// -180..180 (so 180 gives 12 and 181 gives -12).
double NauticalZone(double longitude);

}  // namespace qelobs
