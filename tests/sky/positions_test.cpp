// Apparent topocentric positions against ERFA's own ephemerides and its
// full astrometric chain, and the data file readers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>

extern "C" {
#include <erfa.h>
}
#include <erfam.h>

#include "sky/apparent_sky.h"
#include "sky/engine.h"
#include "sky/sky_files.h"
#include "sky/sky_objects.h"

namespace {

double ArcSecondsApart(const sky::Horizontal& a, const sky::Horizontal& b) {
  sky::Vec3 u = sky::LocalFromHorizontal(a), v = sky::LocalFromHorizontal(b);
  return eraSepp(u.data(), v.data()) * ERFA_DR2D * 3600.0;
}

// ERFA's ephemerides as a source: eraEpv00 for the Earth, eraPlan94 for
// the planets, eraMoon98 for the Moon.
sky::Vec3 ErfaSource(sky::SolarBody body, double jde) {
  double pv[2][3], bpv[2][3];
  switch (body) {
    case sky::SolarBody::Earth: eraEpv00(jde, 0.0, pv, bpv); break;
    case sky::SolarBody::Moon: eraMoon98(jde, 0.0, pv); break;
    default: eraPlan94(jde, 0.0, int(body) - int(sky::SolarBody::Mercury) + 1 + (body > sky::SolarBody::Venus), pv);
  }
  return {pv[0][0], pv[0][1], pv[0][2]};
}

// ERFA's chain from an ICRS direction at a distance (AU from the solar
// system's barycentre; 0 for a star) to the observed azimuth and
// altitude, without refraction: CIO-based, with light deflection and
// diurnal aberration, quite apart from the engine's equinox-based one.
sky::Horizontal ErfaObserved(const sky::Vec3& barycentric, double distance, double ut1a, double ut1b,
                             double tt, double lon, double lat) {
  double ebpv[2][3], ehpv[2][3], x, y, s;
  eraEpv00(tt, 0.0, ehpv, ebpv);
  eraXys06a(tt, 0.0, &x, &y, &s);
  eraASTROM astrom;
  eraApco(tt, 0.0, ebpv, ehpv[0], x, y, s, eraEra00(ut1a, ut1b), lon * ERFA_DD2R, lat * ERFA_DD2R, 0.0, 0.0,
          0.0, 0.0, 0.0, 0.0, &astrom);
  double ra, dec, ri, di, aob, zob, hob, dob, rob, direction[3] = {barycentric[0], barycentric[1], barycentric[2]};
  eraC2s(direction, &ra, &dec);
  eraAtciq(ra, dec, 0.0, 0.0, distance > 0.0 ? ERFA_DR2AS / distance : 0.0, 0.0, &astrom, &ri, &di);
  eraAtioq(ri, di, &astrom, &aob, &zob, &hob, &dob, &rob);
  return {90.0 - zob * ERFA_DR2D, aob * ERFA_DR2D};
}

}  // namespace

// Two references over 1900..2100: ERFA's chain fed libnova's own
// positions (which checks the engine's precession, nutation, aberration,
// sidereal time, parallax and light time), and ERFA's chain fed ERFA's
// ephemerides (which checks the theories too; eraPlan94's own errors of
// about a minute of arc dominate for Mars to Uranus).  The worst
// differences are recorded in docs/command-language.md.
TEST(Positions, AgreeWithErfasChainAndEphemeridesFrom1900To2100) {
  std::mt19937_64 rng(12);
  std::uniform_real_distribution<double> jd(2415020.5, 2488069.5), lon(-180.0, 180.0), lat(-70.0, 70.0);
  double chain[sky::kVisibleBodies + 1] = {}, ephemeris[sky::kVisibleBodies] = {};
  double interpolated = 0.0;  // the chart's cache against libnova itself
  sky::InterpolatedEphemeris cache;
  const sky::StarCatalogue stars = sky::LoadSkyFiles(sky::SkyDataDirectory()).catalogue;
  ASSERT_GT(stars.stars.size(), 9000u);
  for (int i = 0; i < 60; ++i) {
    sky::SkyState state;
    ASSERT_TRUE(sky::FromJulianDate(jd(rng), &state.time));
    state.longitude = lon(rng);
    state.latitude = lat(rng);
    const double ut1a = double(sky::DayNumber(state.time)) - 0.5, ut1b = sky::SecondsOfDay(state.time) / 86400.0;
    const double tt = sky::JulianEphemerisDate(state.time);
    double ebpv[2][3], ehpv[2][3];
    eraEpv00(tt, 0.0, ehpv, ebpv);
    auto reference = [&](const sky::Vec3& geo) {
      const sky::Vec3 bary = {ebpv[0][0] + geo[0], ebpv[0][1] + geo[1], ebpv[0][2] + geo[2]};
      const double distance = std::sqrt(bary[0] * bary[0] + bary[1] * bary[1] + bary[2] * bary[2]);
      return ErfaObserved(bary, distance, ut1a, ut1b, tt, state.longitude, state.latitude);
    };
    for (int b = 0; b < sky::kVisibleBodies; ++b) {
      const auto body = sky::SolarBody(b);
      const sky::Horizontal ours = sky::ApparentHorizontal(state, {false, body, nullptr});
      chain[b] = std::max(chain[b], ArcSecondsApart(ours, reference(sky::GeocentricPosition(body, tt, sky::LibnovaPosition))));
      ephemeris[b] = std::max(ephemeris[b], ArcSecondsApart(ours, reference(sky::GeocentricPosition(body, tt, ErfaSource))));
      if (i < 15) {  // each instant costs the cache forty libnova calls
        const sky::Vec3 cached = sky::GeocentricPosition(body, tt, cache.Source());
        interpolated = std::max(interpolated, ArcSecondsApart(sky::HorizontalOf(cached),
                                                              sky::HorizontalOf(sky::GeocentricPosition(body, tt, sky::LibnovaPosition))));
      }
    }
    const sky::CatalogueStar& star = stars.stars[size_t(i) * 150];
    const sky::Horizontal ours = sky::ApparentHorizontal(state, {true, sky::SolarBody::Sun, &star});
    const sky::Horizontal ref = ErfaObserved(sky::UnitFromRaDec(star.raHours, star.decDegrees), 0.0, ut1a, ut1b,
                                             tt, state.longitude, state.latitude);
    chain[sky::kVisibleBodies] = std::max(chain[sky::kVisibleBodies], ArcSecondsApart(ours, ref));
  }
  std::printf("worst difference of the interpolating cache %.3f\"\n", interpolated);
  EXPECT_LT(interpolated, 1.0);
  for (int b = 0; b <= sky::kVisibleBodies; ++b) {
    const bool isStar = b == sky::kVisibleBodies;
    const char* name = isStar ? "stars" : sky::BodyName(sky::SolarBody(b));
    std::printf("worst difference %-8s chain %5.1f\"  ephemerides %5.1f\"\n", name, chain[b],
                isStar ? chain[b] : ephemeris[b]);
    EXPECT_LT(chain[b], 5.0) << name;
    EXPECT_LT(isStar ? 0.0 : ephemeris[b], 120.0) << name;
  }
}

TEST(Positions, ReadersSkipAndCountWhatTheyCannotRead) {
  const sky::StarCatalogue stars = sky::ParseStarCatalogue(
      "# comment\n"
      "\n"
      "-16.7161  6.7525 -1.46 \"  9Alp CMa\" 2491  48915 151881\n"
      " 38.7836 18.6156  0.03 \"  3Alp Lyr\" 7001  172167  67174\r\n"
      " 91.0000  1.0000  1.00 \"bad dec\" 17\n"
      "  1.0000 24.5000  1.00 \"bad ra\" 18\n"
      "  1.0000  1.0000  nan \"no magnitude\" 19\n"
      "  1.0000  1.0000  1.00 \"unclosed 20\n"
      "  1.0000  1.0000  1.00 \"no number\"\n"
      "  1.0000  1.0000  1.00 \"negative\" -4\n"
      "  1.0000  1.0000\n");
  EXPECT_EQ(stars.stars.size(), 2u);
  EXPECT_EQ(stars.skippedLines, 7);
  ASSERT_NE(stars.FindHr(7001), nullptr);
  EXPECT_EQ(stars.FindHr(7001)->designation, "3Alp Lyr");
  EXPECT_EQ(stars.FindHr(18), nullptr);

  const sky::ConstellationFigures figures = sky::ParseConstellationFigures(
      " 42.3187  2.0649  41.4019  1.6134 # And Gamma1-57,And Upsilo-50\n"
      " 42.3187  2.0649  41.4019\n"
      " 42.3187  2.0649  41.4019  1.6134 extra\n"
      "-99.0000  2.0649  41.4019  1.6134\n");
  EXPECT_EQ(figures.segments.size(), 1u);
  EXPECT_EQ(figures.skippedLines, 3);

  const sky::StarLabels labels = sky::ParseStarLabels(
      " -16.71611111       6.75247222 \"Sirius\"\t\timage=none\n"
      " -60.83527778      14.65997222 \"\xce\xb1 Centauri\"\timage=none\n"
      " -16.71611111       6.75247222 Sirius\n"
      " -16.71611111       6.75247222 \"\"\n");
  ASSERT_EQ(labels.labels.size(), 2u);
  EXPECT_EQ(labels.labels[1].name, "\xce\xb1 Centauri");
  EXPECT_EQ(labels.skippedLines, 2);

  // (The app's recorded session engine_positions holds the queries with a
  // catalogue.)  Without one the stars are unknown, and the reply says why.
  EXPECT_EQ(CSkyEngine().Execute("? Sky.Altitude(HR 2491)"),
            "ERROR: unknown object \"HR 2491\" (the Bright Star Catalogue is not loaded)");
}
