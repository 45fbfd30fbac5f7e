// The Sun, the Moon and the planets from libnova's theories: VSOP87 for
// the planets and the Earth, ELP 2000-82B for the Moon.
#pragma once

#include <array>
#include <functional>
#include <string_view>

namespace sky {

using Vec3 = std::array<double, 3>;

// The bodies a user can name, then the Earth, which no one sees.
enum class SolarBody { Sun, Moon, Mercury, Venus, Mars, Jupiter, Saturn, Uranus, Neptune, Earth };
constexpr int kVisibleBodies = 9;  // Sun .. Neptune

// "Sun", "Moon", "Mercury", ...
const char* BodyName(SolarBody body);
// A visible body's name in any letter case.
bool BodyFromName(std::string_view name, SolarBody* out);

// Where a theory puts a body at a Julian ephemeris date (TT), in AU on
// the axes of the J2000 equator: heliocentric for the planets and the
// Earth, geocentric for the Moon (the Sun is not asked).
using EphemerisSource = std::function<Vec3(SolarBody body, double jde)>;

// libnova itself, at full accuracy (a few hundred microseconds a body).
Vec3 LibnovaPosition(SolarBody body, double jde);

// The visual magnitude of a visible body (libnova's for the planets; the
// Moon's from its phase angle).
double ApparentMagnitude(SolarBody body, double jde);

// The geocentric position of a visible body (AU, J2000 equator) as it is
// seen at `jde`: the planets where they were when their light left them.
Vec3 GeocentricPosition(SolarBody body, double jde, const EphemerisSource& source);

// A source that remembers libnova's positions at whole steps of time
// (six hours for the Moon, a day for the rest) and interpolates between
// four of them: when the time is stepped, as the pad does, libnova runs
// about once a day of simulated time rather than on every frame.  The
// interpolation stays well below an arcsecond.
class InterpolatedEphemeris {
 public:
  Vec3 Position(SolarBody body, double jde);
  EphemerisSource Source() {
    return [this](SolarBody body, double jde) { return Position(body, jde); };
  }
  int LibnovaCalls() const { return m_calls; }

 private:
  struct Node {
    long long index = 0;
    Vec3 position{};
    bool filled = false;
  };
  static constexpr int kNodesPerBody = 8;
  const Vec3& NodeAt(SolarBody body, long long index);

  std::array<std::array<Node, kNodesPerBody>, kVisibleBodies + 1> m_nodes{};
  std::array<int, kVisibleBodies + 1> m_next{};
  int m_calls = 0;
};

}  // namespace sky
