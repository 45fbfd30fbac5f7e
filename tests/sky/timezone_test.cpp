// The standard time zone of a place.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

#include "host/timezone.h"
#include "qelobs/zone_lookup.h"

TEST(TimeZone, ThePadsLongitudesAndOddInputs) {
  CTimeZone zone;
  ASSERT_TRUE(zone.Create(nullptr));
  // Longitudes as the pad passes them: 0..360.
  EXPECT_EQ(zone.GetTimeZone(85.3240, 27.7172), 5.75);   // Kathmandu
  EXPECT_EQ(zone.GetTimeZone(285.9940, 40.7128), -5.0);  // New York
  EXPECT_EQ(zone.GetTimeZone(353.7397, 53.3498), 0.0) << "Dublin: winter time, not Irish summer time";
  EXPECT_EQ(zone.GetTimeZone(NAN, 35.0), 0.0);
  EXPECT_EQ(zone.GetTimeZone(139.7, INFINITY), 0.0);
  EXPECT_EQ(zone.GetTimeZone(139.7447 + 720.0, 35.6544), 9.0) << "any turn of the globe";
  EXPECT_EQ(zone.GetTimeZone(139.7447, 135.0), zone.GetTimeZone(139.7447, 90.0)) << "clamped";
  // Either pole has some zone, and the same one at every longitude.
  const double north = zone.GetTimeZone(0.0, 90.0);
  for (double lon = 0; lon < 360; lon += 45) EXPECT_EQ(zone.GetTimeZone(lon, 90.0), north);
}

// Every place of the list, in both longitude forms.
TEST(TimeZone, KnownPlacesGetTheirOwnZone) {
  std::ifstream file(std::string(LUMIRA_SOURCE_DIR) + "/tests/sky/zone_places.txt");
  ASSERT_TRUE(file.is_open());
  std::string line;
  int places = 0;
  while (std::getline(file, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream in(line);
    std::string name;
    double lat = 0, lon = 0, expected = 0;
    ASSERT_TRUE(in >> name >> lat >> lon >> expected) << line;
    const auto match = qelobs::FindZone(lon < 0 ? lon + 360.0 : lon, lat);
    EXPECT_EQ(match.offsetHours, expected)
        << name << " via " << (match.place ? match.place->name : "-") << " " << match.distanceKm << " km";
    EXPECT_EQ(qelobs::StandardZoneOf(lon, lat), expected) << name;
    ++places;
  }
  EXPECT_GT(places, 600);
}

TEST(TimeZone, NauticalZoneFarOutAtSea) {
  auto m = qelobs::FindZone(220.0, 30.0);  // North Pacific between Hawaii and California
  EXPECT_TRUE(m.nautical && m.offsetHours == -9.0);
  EXPECT_EQ(qelobs::StandardZoneOf(230.0, -40.0), -9.0);  // South Pacific
  EXPECT_EQ(qelobs::StandardZoneOf(80.0, -30.0), 5.0);    // Indian Ocean
  // Near land the listed place wins over the meridian.
  m = qelobs::FindZone(330.0, 30.0);  // 950 km from the Azores
  EXPECT_TRUE(!m.nautical && m.offsetHours == -1.0);

  const std::pair<double, double> nautical[] = {{7.4, 0.0}, {22.6, 2.0}, {180.0, 12.0}, {181.0, -12.0}, {-97.0, -6.0}};
  for (const auto& [lon, hours] : nautical) EXPECT_EQ(qelobs::NauticalZone(lon), hours) << lon;
}
