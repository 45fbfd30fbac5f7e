// What the chart shows for the engine's instant, place and magnitude
// limit, as local directions (east, north, up): the catalogue's stars,
// the constellation figures, the Sun, the Moon with its phase, the
// planets, and their trails.  No drawing here; the widget projects it.
//
// Each star's J2000 unit vector is worked out once, when the catalogue is
// read; a frame then turns the stars within the limit with one matrix
// (ApparentSky), and the solar system comes from an interpolating cache
// of libnova's positions.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "sky/apparent_sky.h"
#include "sky/sky_files.h"
#include "sky/sky_state.h"

namespace chart {

struct SceneStar {
  sky::Vec3 local;
  float magnitude;
  int index;  // into the catalogue
};

struct SceneBody {
  sky::SolarBody body;
  sky::Vec3 local;
  sky::Horizontal horizontal;
  double radiusDegrees;  // apparent radius
};

// The Moon's lit part: the illuminated fraction of its disc and the local
// direction of the Sun seen from it (where the bright limb faces).
struct MoonPhase {
  double illuminated = 0.0;
  bool waxing = true;  // the Moon east of the Sun
  sky::Vec3 towardSun{};
};

class SkyScene {
 public:
  explicit SkyScene(sky::SkyFiles files);

  // Brings everything to the state's instant, place and limit.
  void Update(const sky::SkyState& state);
  // Adds the bodies' present places to their trails (at most a few
  // thousand each; the oldest go first).
  void RecordTrails(const sky::SkyState& state);
  void ClearTrails();

  const std::vector<SceneStar>& Stars() const { return m_visibleStars; }  // within the limit
  const std::vector<std::array<sky::Vec3, 2>>& Figures() const { return m_figures; }
  const std::vector<SceneBody>& Bodies() const { return m_bodies; }  // Sun, Moon, Mercury .. Neptune
  const MoonPhase& Moon() const { return m_moon; }
  // Trails as local directions of this frame, one per body.
  std::vector<std::vector<sky::Vec3>> Trails() const;
  bool HasTrails() const;

  const sky::SkyFiles& Files() const { return m_files; }
  // The common name of a catalogue star, or "".
  const std::string& StarName(int index) const { return m_starNames[size_t(index)]; }
  // Where the star is in this frame.
  sky::Vec3 StarLocal(int index) const;
  double SunAltitude() const { return m_bodies.empty() ? -90.0 : m_bodies[0].horizontal.altitude; }
  double Jde() const { return m_jde; }

 private:
  sky::SkyFiles m_files;
  std::vector<sky::Vec3> m_starUnits;  // J2000, in the catalogue's order
  std::vector<std::array<sky::Vec3, 2>> m_figureUnits;
  std::vector<std::string> m_starNames;
  sky::InterpolatedEphemeris m_ephemeris;

  sky::ApparentSky m_sky;
  double m_jde = 0.0;
  std::vector<SceneStar> m_visibleStars;
  std::vector<std::array<sky::Vec3, 2>> m_figures;
  std::vector<SceneBody> m_bodies;
  MoonPhase m_moon;
  std::array<std::vector<sky::Vec3>, sky::kVisibleBodies> m_trails;  // J2000 directions
};

}  // namespace chart
