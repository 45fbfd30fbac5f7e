// Everything the engine's commands read and change.
#pragma once

#include <string_view>

#include "sky/instant.h"

namespace sky {

enum class Catalog { Hipparcos, Tycho, Tycho2, GscAct };

// The catalogue a name denotes, without regard to letter case: the
// canonical names and the spellings "Tycho-2" and "GSCACT".  False for
// any other name.
bool CatalogFromName(std::string_view name, Catalog* out);
// The canonical name: "Hipparcos", "Tycho", "Tycho2" or "GSC-ACT".
const char* CatalogName(Catalog catalog);

// The reproducible state of a fresh engine.
struct SkyState {
  // 2000-01-01 12:00:00 UT (JD 2451545.0).
  Instant time{int64_t{2451545} * kSecondsPerDay + 43200, 0.0};
  double timezone = 9.0;  // hours ahead of UT, the zone of LST(Time)
  bool timeLock = false;  // the animation leaves a locked time alone

  double longitude = 139.7447;  // degrees, east positive, -180..180
  double latitude = 35.6544;    // degrees, north positive

  Catalog catalog = Catalog::Tycho2;
  bool catalogSwitch = false;
  Catalog switchCatalog = Catalog::GscAct;
  double magnitudeLimit = 6.5;

  bool track = false;
  bool trace = false;

  bool animation = false;  // the time runs on each Tick
  bool realtime = true;    // ... by the real elapsed time
  bool speedStep = false;  // ... else by `speed` seconds per tick (TRUE)
                           // or `speed` times the elapsed time (FALSE)
  double speed = 60.0;
};

// Bounds of the settable values.
constexpr double kMaxZoneHours = 14.0;
constexpr double kMinMagnitude = -2.0;
constexpr double kMaxMagnitude = 20.0;
constexpr double kMaxSpeed = 1e10;  // seconds of simulated time

}  // namespace sky
