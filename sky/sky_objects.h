// The objects a position query names: a body of the solar system or a
// star of the Bright Star Catalogue.
#pragma once

#include <string>
#include <string_view>

#include "sky/apparent_sky.h"
#include "sky/sky_files.h"
#include "sky/sky_state.h"

namespace sky {

struct SkyObject {
  bool isStar = false;
  SolarBody body = SolarBody::Sun;
  const CatalogueStar* star = nullptr;
};

// "Sun", "Moon", "Mercury" .. "Neptune" in any letter case, or "HR n" for
// a star of `stars` (which may be null).  Otherwise false, with
// `error` "unknown object \"NAME\"" and, when the catalogue is missing,
// why a star cannot be found.
bool FindSkyObject(std::string_view name, const StarCatalogue* stars, SkyObject* out, std::string* error);

// The object's apparent topocentric altitude and azimuth for the state's
// instant and observer, with libnova at full accuracy.
Horizontal ApparentHorizontal(const SkyState& state, const SkyObject& object);

}  // namespace sky
