// The places the zone table knows, by name: the tz database's principal
// locations and the further cities of the table, read-only, for hosts
// that let a user pick a place by its name.
#pragma once

#include <vector>

#include "qelobs/zone_lookup.h"

namespace qelobs {

// Every row of the zone table, ordered by place name (ignoring case),
// then by country code.
std::vector<const ZonePlace*> PlacesByName();

}  // namespace qelobs
