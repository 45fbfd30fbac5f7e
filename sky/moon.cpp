// The age of the Moon: time since the previous new moon.
//
// New moons come from the mean lunation and the main periodic terms of
// J. Meeus, Astronomical Algorithms (2nd ed.), chapter 49.  Those terms
// are fitted to a few thousand years around the present; their secular
// polynomials run away beyond that (the eccentricity factor E even turns
// negative), so far from 2000 the periodic part fades out and plain mean
// lunations remain.  The fade is over whole lunations, so consecutive new
// moons never change order and the age stays continuous between them.
#include <cmath>
#include <iterator>
#include <numbers>

#include "sky/astronomy.h"

namespace sky {
namespace {

constexpr double kFirstNewMoon = 2451550.09766;  // JDE of new moon k = 0
constexpr double kSynodicMonth = 29.530588861;   // days

double SinDeg(double degrees) {
  return std::sin(std::fmod(degrees, 360.0) * (std::numbers::pi / 180.0));
}

// 1 within ten centuries of 2000, 0 beyond twenty, linear between.
double PeriodicWeight(double centuries) {
  const double a = std::fabs(centuries);
  if (a <= 10.0) return 1.0;
  if (a >= 20.0) return 0.0;
  return (20.0 - a) / 10.0;
}

// Meeus (49.1) beyond the linear term, with the corrections for new moon
// and the fourteen planetary arguments (table 49.A and the A1..A14 list).
double PeriodicPart(double k, double T) {
  const double T2 = T * T, T3 = T2 * T, T4 = T3 * T;
  const double secular = 0.00015437 * T2 - 0.000000150 * T3 + 0.00000000073 * T4;

  const double E = 1.0 - 0.002516 * T - 0.0000074 * T2;
  const double M = 2.5534 + 29.10535670 * k - 0.0000014 * T2 - 0.00000011 * T3;
  const double Mp = 201.5643 + 385.81693528 * k + 0.0107582 * T2 + 0.00001238 * T3 -
                    0.000000058 * T4;
  const double F = 160.7108 + 390.67050284 * k - 0.0016118 * T2 - 0.00000227 * T3 +
                   0.000000011 * T4;
  const double Om = 124.7746 - 1.56375588 * k + 0.0020672 * T2 + 0.00000215 * T3;

  double c = 0.0;
  c += -0.40720 * SinDeg(Mp);
  c += 0.17241 * E * SinDeg(M);
  c += 0.01608 * SinDeg(2 * Mp);
  c += 0.01039 * SinDeg(2 * F);
  c += 0.00739 * E * SinDeg(Mp - M);
  c += -0.00514 * E * SinDeg(Mp + M);
  c += 0.00208 * E * E * SinDeg(2 * M);
  c += -0.00111 * SinDeg(Mp - 2 * F);
  c += -0.00057 * SinDeg(Mp + 2 * F);
  c += 0.00056 * E * SinDeg(2 * Mp + M);
  c += -0.00042 * SinDeg(3 * Mp);
  c += 0.00042 * E * SinDeg(M + 2 * F);
  c += 0.00038 * E * SinDeg(M - 2 * F);
  c += -0.00024 * E * SinDeg(2 * Mp - M);
  c += -0.00017 * SinDeg(Om);
  c += -0.00007 * SinDeg(Mp + 2 * M);
  c += 0.00004 * SinDeg(2 * Mp - 2 * F);
  c += 0.00004 * SinDeg(3 * M);
  c += 0.00003 * SinDeg(Mp + M - 2 * F);
  c += 0.00003 * SinDeg(2 * Mp + 2 * F);
  c += -0.00003 * SinDeg(Mp + M + 2 * F);
  c += 0.00003 * SinDeg(Mp - M + 2 * F);
  c += -0.00002 * SinDeg(Mp - M - 2 * F);
  c += -0.00002 * SinDeg(3 * Mp + M);
  c += 0.00002 * SinDeg(4 * Mp);

  struct Argument { double base, rate, coefficient; };
  static constexpr Argument kPlanetary[] = {
      {299.77, 0.107408, 0.000325}, {251.88, 0.016321, 0.000165},
      {251.83, 26.651886, 0.000164}, {349.42, 36.412478, 0.000126},
      {84.66, 18.206239, 0.000110},  {141.74, 53.303771, 0.000062},
      {207.14, 2.453732, 0.000060},  {154.84, 7.306860, 0.000056},
      {34.52, 27.261239, 0.000047},  {207.19, 0.121824, 0.000042},
      {291.34, 1.844379, 0.000040},  {161.72, 24.198154, 0.000037},
      {239.56, 25.513099, 0.000035}, {331.55, 3.592518, 0.000023},
  };
  for (size_t i = 0; i < std::size(kPlanetary); ++i) {
    double argument = kPlanetary[i].base + kPlanetary[i].rate * k;
    if (i == 0) argument -= 0.009173 * T2;  // A1 has a quadratic term
    c += kPlanetary[i].coefficient * SinDeg(argument);
  }
  return secular + c;
}

// Delta T (TD - UT) in days: the long-term parabola of Morrison and
// Stephenson, -20 s + 32 s u^2 with u in centuries from 1820, which stays
// within about half a minute of the observed values from 1800 to the
// present.  It fades out with the periodic terms, since beyond them the
// age rests on mean lunations alone.
double DeltaTDays(double centuriesFromJ2000) {
  const double u = centuriesFromJ2000 + 1.8;
  return (-20.0 + 32.0 * u * u) / 86400.0 * PeriodicWeight(centuriesFromJ2000);
}

}  // namespace

double NewMoonJde(int64_t k) {
  const double kd = static_cast<double>(k);
  const double T = kd / 1236.85;
  const double mean = kFirstNewMoon + kSynodicMonth * kd;
  const double weight = PeriodicWeight(T);
  return weight == 0.0 ? mean : mean + weight * PeriodicPart(kd, T);
}

double MoonAgeDays(const Instant& t) {
  const double jd = ToJulianDate(t);
  const double jde = jd + DeltaTDays((jd - 2451545.0) / 36525.0);

  auto k = static_cast<int64_t>(std::floor((jde - kFirstNewMoon) / kSynodicMonth));
  double previous = NewMoonJde(k);
  // The periodic terms move a new moon by less than a day, so at most a
  // step or two either way finds the last new moon at or before jde.
  while (previous > jde) previous = NewMoonJde(--k);
  for (double next = NewMoonJde(k + 1); next <= jde; next = NewMoonJde(++k + 1)) {
    previous = next;
  }
  const double age = jde - previous;
  return age < 0.0 ? 0.0 : age;
}

}  // namespace sky
