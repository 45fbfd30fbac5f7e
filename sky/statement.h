// One statement of the command language, parsed.
//
//   statement  := "?" expression | path "=" value | "Show Lumiral"
//               | "Stop Lumiral" | (nothing)
//   expression := path | ("JST" | "UT" | "LST" | "LMT") "(" "Time" ")"
//               | ("Sky.Altitude" | "Sky.Azimuth") "(" object ")"
//   value      := number | "TRUE" | "FALSE" | name | '"' name '"'
//               | constructor "(" number ("," number)* ")"
//
// Names and keywords are matched without regard to letter case; blanks
// may stand between any two tokens.
#pragma once

#include <string>
#include <string_view>

namespace sky {

enum class Property {
  Time,
  TimeJd,
  TimeTimezone,
  TimeLock,
  TimeSiderealTime,
  Location,
  LocationLongitude,
  LocationLatitude,
  StarCatalog,
  StarCatalogSwitch,
  StarCatalogSwitchCatalog,
  StarMagnitudeLimit,
  MoonAge,
  ViewTrack,
  ViewTrace,
  Animation,
  AnimationRealtime,
  AnimationSpeedStep,
  AnimationSpeed,
  SkyAltitude,
  SkyAzimuth,
};

// The path of a property as the documentation writes it.
const char* PropertyPath(Property property);

// How a time is expressed: universal time, Japan standard time (UT + 9 h),
// local standard time in a zone, local mean time of the observer.
enum class TimeSystem { UT, JST, LST, LMT };

enum class ValueKind { Number, Truth, Name, TimeOf, LocationOf };

struct Value {
  ValueKind kind = ValueKind::Number;
  double number = 0.0;
  bool truth = false;
  std::string_view name;  // into the command text
  TimeSystem system = TimeSystem::UT;
  double args[7] = {};    // constructor arguments
  int argCount = 0;
};

enum class StatementKind { Empty, Query, Assign, Show, Stop };

struct Statement {
  StatementKind kind = StatementKind::Empty;
  Property property = Property::Time;
  bool isTimeFunction = false;  // a query of JST(Time), UT(Time)...
  TimeSystem system = TimeSystem::UT;
  Value value;
  // The object of a Sky.Altitude or Sky.Azimuth query, as written (into
  // the command text, blanks trimmed).
  std::string_view object;
};

// Parses one statement (the text between two ";").  On failure returns
// false and says why in `error`.
bool ParseStatement(std::string_view text, Statement* out, std::string* error);

// The end of the statement that begins at `from`: the offset of the next
// ";" outside double quotes, or the text's size.
size_t StatementEnd(std::string_view text, size_t from);

}  // namespace sky
