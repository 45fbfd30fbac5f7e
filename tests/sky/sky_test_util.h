// Helpers shared by the engine's tests.
#pragma once

#include <cstdio>
#include <string>

#include "sky/engine.h"

namespace skytest {

// A date reply read the way the pad reads it: "%4s %2s%d/%d/%d %d:%d:%d",
// the year turned into astronomical numbering when the era is "BC".
struct PadDate {
  std::string label;
  std::string era;
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  int fields = 0;  // how many conversions sscanf made
};

inline PadDate ReadPadDate(const std::string& reply) {
  PadDate d;
  char label[5] = {}, era[3] = {};
  d.fields = std::sscanf(reply.c_str(), "%4s %2s%d/%d/%d %d:%d:%d", label, era, &d.year, &d.month,
                         &d.day, &d.hour, &d.minute, &d.second);
  d.label = label;
  d.era = era;
  if (d.era == "BC") d.year = 1 - d.year;
  return d;
}

// A number read the way the pad reads one: a decimal from the start.
inline double ReadPadNumber(const std::string& reply) { return std::strtod(reply.c_str(), nullptr); }

inline double Number(CSkyEngine& engine, const char* query) {
  return ReadPadNumber(engine.Execute(query));
}

// Everything a client can read, in one reply: equal before and after a
// refused statement means the state was left alone.
inline std::string Snapshot(CSkyEngine& engine) {
  return engine.Execute(
      "? Time.jd; ? Time.Timezone; ? Time.Lock; ? Location; ? Star.Catalog; "
      "? Star.Catalog.Switch; ? Star.Catalog.Switch.Catalog; "
      "? Star.AutoMagnitudeLimit.Minimum; ? View.Track; ? View.Trace; ? Animation.Time; "
      "? Animation.Time.Realtime; ? Animation.Time.Speed.Step; ? Animation.Time.Speed");
}

}  // namespace skytest
