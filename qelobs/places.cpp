#include "qelobs/places.h"

#include <algorithm>
#include <strings.h>

namespace qelobs {

std::vector<const ZonePlace*> PlacesByName() {
  std::vector<const ZonePlace*> places;
  places.reserve(kZonePlaceCount);
  for (size_t i = 0; i < kZonePlaceCount; ++i) places.push_back(&kZonePlaces[i]);
  std::stable_sort(places.begin(), places.end(), [](const ZonePlace* a, const ZonePlace* b) {
    if (const int byName = strcasecmp(a->place, b->place)) return byName < 0;
    return strcasecmp(a->country, b->country) < 0;
  });
  return places;
}

}  // namespace qelobs
