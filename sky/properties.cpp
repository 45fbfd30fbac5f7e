#include "sky/properties.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "sky/astronomy.h"
#include "sky/sky_objects.h"
#include "sky/reply_text.h"
#include "sky/text.h"

namespace sky {
namespace {

constexpr const char* kRangeText =
    "the supported range (99999 BC January 1 00:00 UT to 100000-01-01 00:00 UT)";

std::string NumberText(double value) {
  std::string text;
  AppendNumber(text, value);
  return text;
}

// Degrees with six decimals; an azimuth that rounds up to 360 is 0.
void AppendDegrees(std::string& reply, double degrees) {
  char text[48];
  std::snprintf(text, sizeof text, "%.6f", degrees);
  if (std::strcmp(text, "360.000000") == 0) std::snprintf(text, sizeof text, "%.6f", 0.0);
  if (std::strcmp(text, "-0.000000") == 0) std::snprintf(text, sizeof text, "%.6f", 0.0);
  reply += text;
}

const char* SystemName(TimeSystem system) {
  switch (system) {
    case TimeSystem::UT: return "UT";
    case TimeSystem::JST: return "JST";
    case TimeSystem::LST: return "LST";
    case TimeSystem::LMT: return "LMT";
  }
  return "UT";
}

bool Fails(std::string* error, std::string text) {
  *error = std::move(text);
  return false;
}

bool NeedNumber(const Statement& s, std::string* error) {
  if (s.value.kind == ValueKind::Number) return true;
  return Fails(error, std::string(PropertyPath(s.property)) + " takes a number");
}

bool NeedTruth(const Statement& s, bool* target, std::string* error) {
  if (s.value.kind != ValueKind::Truth) {
    return Fails(error, std::string(PropertyPath(s.property)) + " takes TRUE or FALSE");
  }
  *target = s.value.truth;
  return true;
}

// A value within [low, high], named in the message when it is not.
bool InBounds(const char* what, double value, double low, double high, std::string* error) {
  if (value >= low && value <= high) return true;
  return Fails(error, std::string(what) + " " + NumberText(value) + " is outside " +
                          NumberText(low) + ".." + NumberText(high));
}

// East longitudes are accepted as -180..180 and, as the 0..360 form of
// the zone lookup writes them, up to 360; the state keeps -180..180.
bool LongitudeValue(double value, double* out, std::string* error) {
  if (!InBounds("longitude", value, -180.0, 360.0, error)) return false;
  *out = value > 180.0 ? value - 360.0 : value;
  return true;
}

bool WholeField(const char* name, double value, int low, int high, int32_t* out, std::string* error) {
  if (value != std::trunc(value)) {
    return Fails(error, std::string(name) + " " + NumberText(value) + " is not a whole number");
  }
  if (!InBounds(name, value, low, high, error)) return false;
  *out = static_cast<int32_t>(value);
  return true;
}

bool AssignTime(SkyState& state, const Value& v, std::string* error) {
  if (v.kind != ValueKind::TimeOf) {
    return Fails(error, "Time takes UT(...), JST(...), LST(...) or LMT(...)");
  }
  const char* name = SystemName(v.system);
  const int expected = v.system == TimeSystem::LST ? 7 : 6;
  if (v.argCount != expected) {
    return Fails(error, std::string(name) + " takes " + std::to_string(expected) +
                            " numbers (year, month, day, hour, minute, second" +
                            (expected == 7 ? ", zone)" : ")") + ", not " +
                            std::to_string(v.argCount));
  }
  CivilTime local;
  // The year's own bound only keeps the integer sound; the range test
  // below decides.
  if (!WholeField("year", v.args[0], -1000000, 1000000, &local.year, error) ||
      !WholeField("month", v.args[1], 1, 12, &local.month, error) ||
      !WholeField("day", v.args[2], 1, 31, &local.day, error) ||
      !WholeField("hour", v.args[3], 0, 23, &local.hour, error) ||
      !WholeField("minute", v.args[4], 0, 59, &local.minute, error)) {
    return false;
  }
  if (!(v.args[5] >= 0.0 && v.args[5] < 60.0)) {
    return Fails(error, "second " + NumberText(v.args[5]) + " is outside 0..59 (below 60)");
  }
  local.second = v.args[5];

  double zoneSeconds = 0.0;
  if (v.system == TimeSystem::LST) {
    if (!InBounds("zone", v.args[6], -kMaxZoneHours, kMaxZoneHours, error)) return false;
    zoneSeconds = v.args[6] * 3600.0;
  } else {
    zoneSeconds = ZoneSeconds(state, v.system);
  }
  Instant t;
  switch (FromCivil(local, zoneSeconds, &t)) {
    case CivilError::None:
      state.time = t;
      return true;
    case CivilError::Field:
      return Fails(error, "invalid date or time");
    case CivilError::Range:
      break;
  }
  return Fails(error, std::string("the time lies outside ") + kRangeText);
}

bool AssignCatalog(const Statement& s, bool forSwitch, Catalog* target, std::string* error) {
  if (s.value.kind != ValueKind::Name) {
    return Fails(error, std::string(PropertyPath(s.property)) + " takes a catalogue name");
  }
  Catalog catalog;
  if (!CatalogFromName(s.value.name, &catalog) || (forSwitch && catalog == Catalog::Hipparcos)) {
    return Fails(error, std::string("unknown catalogue \"") + Excerpt(s.value.name, 40) +
                            (forSwitch ? "\" (GSC-ACT, Tycho2 or Tycho)"
                                       : "\" (Hipparcos, GSC-ACT, Tycho2 or Tycho)"));
  }
  *target = catalog;
  return true;
}

}  // namespace

double ZoneSeconds(const SkyState& state, TimeSystem system) {
  switch (system) {
    case TimeSystem::UT: return 0.0;
    case TimeSystem::JST: return 9.0 * 3600.0;
    case TimeSystem::LST: return state.timezone * 3600.0;
    case TimeSystem::LMT: return state.longitude * 240.0;  // longitude / 15 hours
  }
  return 0.0;
}

bool AnswerQuery(const SkyState& state, const Statement& q, const StarCatalogue* stars,
                 std::string& reply, std::string* error) {
  if (q.isTimeFunction) {
    AppendDate(reply, SystemName(q.system), ToCivilRounded(state.time, ZoneSeconds(state, q.system)));
    return true;
  }
  switch (q.property) {
    case Property::Time:
      AppendDate(reply, "UT", ToCivilRounded(state.time, 0.0));
      break;
    case Property::TimeJd: AppendNumber(reply, ToJulianDate(state.time)); break;
    case Property::TimeTimezone: AppendNumber(reply, state.timezone); break;
    case Property::TimeLock: AppendTruth(reply, state.timeLock); break;
    case Property::TimeSiderealTime:
      AppendNumber(reply, LocalMeanSiderealHours(state.time, state.longitude));
      break;
    case Property::Location:
      reply += "Location(";
      AppendNumber(reply, state.longitude);
      reply += ", ";
      AppendNumber(reply, state.latitude);
      reply += ')';
      break;
    case Property::LocationLongitude: AppendNumber(reply, state.longitude); break;
    case Property::LocationLatitude: AppendNumber(reply, state.latitude); break;
    case Property::StarCatalog: reply += CatalogName(state.catalog); break;
    case Property::StarCatalogSwitch: AppendTruth(reply, state.catalogSwitch); break;
    case Property::StarCatalogSwitchCatalog: reply += CatalogName(state.switchCatalog); break;
    case Property::StarMagnitudeLimit: AppendNumber(reply, state.magnitudeLimit); break;
    case Property::MoonAge: AppendNumber(reply, MoonAgeDays(state.time)); break;
    case Property::ViewTrack: AppendTruth(reply, state.track); break;
    case Property::ViewTrace: AppendTruth(reply, state.trace); break;
    case Property::Animation: AppendTruth(reply, state.animation); break;
    case Property::AnimationRealtime: AppendTruth(reply, state.realtime); break;
    case Property::AnimationSpeedStep: AppendTruth(reply, state.speedStep); break;
    case Property::AnimationSpeed: AppendNumber(reply, state.speed); break;
    case Property::SkyAltitude:
    case Property::SkyAzimuth: {
      SkyObject object;
      if (!FindSkyObject(q.object, stars, &object, error)) return false;
      const Horizontal h = ApparentHorizontal(state, object);
      AppendDegrees(reply, q.property == Property::SkyAltitude ? h.altitude : h.azimuth);
      break;
    }
  }
  return true;
}

bool Assign(SkyState& state, const Statement& s, std::string* error) {
  const Value& v = s.value;
  switch (s.property) {
    case Property::Time:
      return AssignTime(state, v, error);
    case Property::TimeJd: {
      if (!NeedNumber(s, error)) return false;
      Instant t;
      if (!FromJulianDate(v.number, &t) || !InRange(t)) {
        return Fails(error, "Julian date " + NumberText(v.number) + " lies outside " + kRangeText);
      }
      state.time = t;
      return true;
    }
    case Property::TimeTimezone:
      if (!NeedNumber(s, error) ||
          !InBounds("zone", v.number, -kMaxZoneHours, kMaxZoneHours, error)) {
        return false;
      }
      state.timezone = v.number;
      return true;
    case Property::TimeLock: return NeedTruth(s, &state.timeLock, error);
    case Property::TimeSiderealTime:
    case Property::MoonAge:
    case Property::SkyAltitude:
    case Property::SkyAzimuth:
      return Fails(error, std::string(PropertyPath(s.property)) + " is read-only");
    case Property::Location: {
      if (v.kind != ValueKind::LocationOf || v.argCount != 2) {
        return Fails(error, "Location takes Location(longitude, latitude)");
      }
      double longitude = 0.0;
      if (!LongitudeValue(v.args[0], &longitude, error) ||
          !InBounds("latitude", v.args[1], -90.0, 90.0, error)) {
        return false;
      }
      state.longitude = longitude;
      state.latitude = v.args[1];
      return true;
    }
    case Property::LocationLongitude:
      return NeedNumber(s, error) && LongitudeValue(v.number, &state.longitude, error);
    case Property::LocationLatitude:
      if (!NeedNumber(s, error) || !InBounds("latitude", v.number, -90.0, 90.0, error)) return false;
      state.latitude = v.number;
      return true;
    case Property::StarCatalog: return AssignCatalog(s, false, &state.catalog, error);
    case Property::StarCatalogSwitch: return NeedTruth(s, &state.catalogSwitch, error);
    case Property::StarCatalogSwitchCatalog:
      return AssignCatalog(s, true, &state.switchCatalog, error);
    case Property::StarMagnitudeLimit:
      if (!NeedNumber(s, error) ||
          !InBounds("magnitude limit", v.number, kMinMagnitude, kMaxMagnitude, error)) {
        return false;
      }
      state.magnitudeLimit = v.number;
      return true;
    case Property::ViewTrack: return NeedTruth(s, &state.track, error);
    case Property::ViewTrace: return NeedTruth(s, &state.trace, error);
    case Property::Animation: return NeedTruth(s, &state.animation, error);
    case Property::AnimationRealtime: return NeedTruth(s, &state.realtime, error);
    case Property::AnimationSpeedStep: return NeedTruth(s, &state.speedStep, error);
    case Property::AnimationSpeed:
      if (!NeedNumber(s, error) || !InBounds("speed", v.number, -kMaxSpeed, kMaxSpeed, error)) {
        return false;
      }
      state.speed = v.number;
      return true;
  }
  return Fails(error, "unknown property");
}

}  // namespace sky
