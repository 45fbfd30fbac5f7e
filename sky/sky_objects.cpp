#include "sky/sky_objects.h"

#include <charconv>

#include "sky/text.h"

namespace sky {
namespace {

// "HR 2491", "hr2491": the number, or 0 when the name is not of that form.
int HrNumber(std::string_view name) {
  if (name.size() < 3 || !IEquals(name.substr(0, 2), "HR")) return 0;
  std::string_view digits = TrimBlanks(name.substr(2));
  int hr = 0;
  const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), hr);
  if (result.ec != std::errc() || result.ptr != digits.data() + digits.size() || digits.front() == '-' ||
      digits.front() == '+') {
    return 0;
  }
  return hr;
}

}  // namespace

bool FindSkyObject(std::string_view name, const StarCatalogue* stars, SkyObject* out, std::string* error) {
  if (BodyFromName(name, &out->body)) {
    out->isStar = false;
    return true;
  }
  *error = "unknown object \"" + Excerpt(name, 40) + "\"";
  const int hr = HrNumber(name);
  if (hr == 0) return false;
  if (stars == nullptr || stars->stars.empty()) {
    *error += " (the Bright Star Catalogue is not loaded)";
    return false;
  }
  out->star = stars->FindHr(hr);
  out->isStar = out->star != nullptr;
  return out->isStar;
}

Horizontal ApparentHorizontal(const SkyState& state, const SkyObject& object) {
  const ApparentSky sky(state.time, state.longitude, state.latitude);
  if (object.isStar) {
    return HorizontalOf(sky.StarToLocal(UnitFromRaDec(object.star->raHours, object.star->decDegrees)));
  }
  return HorizontalOf(sky.BodyToLocal(GeocentricPosition(object.body, sky.Jde(), LibnovaPosition)));
}

}  // namespace sky
