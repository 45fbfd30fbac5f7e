// The embedded engine: the commands of one repeat tick per second, and
// its two pieces of astronomy per call against libnova's equivalents.
//
// The command mix is recorded from a real tick of the pad (hour digit,
// Japan standard time) at start-up, so it is exactly what the pad sends:
// the time-lock query, the LST time command and the queries of
// OnUpdate(5).  Each command is also timed on its own.
//
// Moon age: sky::MoonAgeDays (the previous new moon from the mean
// lunation and Meeus' periodic terms) against libnova's
// ln_get_lunar_phase, and against an age from libnova's positions
// (elongation of the Moon from the Sun as a share of the synodic month),
// the nearest libnova gets to "days since new moon".  Sidereal time:
// sky::GreenwichMeanSiderealSeconds against ln_get_mean_sidereal_time.
// Both sides get the same 4096 instants spread over 1000 BC .. AD 3000.
#include <benchmark/benchmark.h>
#include <libnova/lunar.h>
#include <libnova/sidereal_time.h>
#include <libnova/solar.h>

#include <QApplication>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "bench_pad_rig.h"
#include "bench_report.h"
#include "sky/astronomy.h"

namespace {

std::vector<std::string> g_tickCommands;  // recorded in main

// Records what the engine is sent during one repeat tick on the hour.
std::vector<std::string> RecordTickCommands() {
  BenchPadRig rig;
  rig.ClickDateDigit(13);
  std::vector<std::string> sent;
  rig.engine.SetCommandObserver([&sent](std::string_view command, std::string_view) { sent.emplace_back(command); });
  rig.pad->SPadUpdate(CLumiraPad::kLeftRepeat);
  rig.engine.SetCommandObserver(nullptr);
  return sent;
}

void BM_EngineTickMix(benchmark::State& state) {
  CSkyEngine engine;
  for (auto _ : state) {
    for (const std::string& command : g_tickCommands) benchmark::DoNotOptimize(engine.Execute(command.c_str()));
  }
  state.SetItemsProcessed(state.iterations() * int64_t(g_tickCommands.size()));
  state.counters["commands/tick"] = double(g_tickCommands.size());
}
BENCHMARK(BM_EngineTickMix);

void EngineCommand(benchmark::State& state, std::string command) {
  CSkyEngine engine;
  for (auto _ : state) benchmark::DoNotOptimize(engine.Execute(command.c_str()));
  state.SetItemsProcessed(state.iterations());
}

const std::vector<double>& Dates() {
  static const std::vector<double> dates = [] {
    std::mt19937_64 random(20060401);
    std::uniform_real_distribution<double> jd(1355807.5, 2817152.5);  // 1000 BC .. AD 3000
    std::vector<double> out(4096);
    for (double& d : out) d = jd(random);
    return out;
  }();
  return dates;
}

const std::vector<sky::Instant>& Instants() {
  static const std::vector<sky::Instant> instants = [] {
    std::vector<sky::Instant> out;
    for (double jd : Dates()) {
      sky::Instant t;
      sky::FromJulianDate(jd, &t);
      out.push_back(t);
    }
    return out;
  }();
  return instants;
}

void BM_SkyMoonAge(benchmark::State& state) {
  const auto& t = Instants();
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(sky::MoonAgeDays(t[i]));
    i = (i + 1) % t.size();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SkyMoonAge);

void BM_LibnovaLunarPhase(benchmark::State& state) {
  const auto& d = Dates();
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ln_get_lunar_phase(d[i]));
    i = (i + 1) % d.size();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LibnovaLunarPhase);

double LibnovaMoonAge(double jd) {
  ln_lnlat_posn moon{}, sun{};
  ln_get_lunar_ecl_coords(jd, &moon, 0.0001);  // the precision libnova uses for its phase
  ln_get_solar_ecl_coords(jd, &sun);
  double elongation = std::fmod(moon.lng - sun.lng, 360.0);
  if (elongation < 0) elongation += 360.0;
  return elongation / 360.0 * 29.530588861;
}

void BM_LibnovaMoonAgeFromPositions(benchmark::State& state) {
  const auto& d = Dates();
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(LibnovaMoonAge(d[i]));
    i = (i + 1) % d.size();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LibnovaMoonAgeFromPositions);

void BM_SkySiderealTime(benchmark::State& state) {
  const auto& t = Instants();
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(sky::GreenwichMeanSiderealSeconds(t[i]));
    i = (i + 1) % t.size();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SkySiderealTime);

void BM_LibnovaMeanSiderealTime(benchmark::State& state) {
  const auto& d = Dates();
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ln_get_mean_sidereal_time(d[i]));
    i = (i + 1) % d.size();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LibnovaMeanSiderealTime);

// How far the two sides lie apart on the benchmark's instants: the
// figures are only comparable if both compute the same quantity.
void PrintAgreement() {
  double worstSidereal = 0.0, worstAge = 0.0;
  for (size_t i = 0; i < Dates().size(); ++i) {
    const double ours = sky::GreenwichMeanSiderealSeconds(Instants()[i]) / 3600.0;
    double diff = std::fabs(ours - ln_get_mean_sidereal_time(Dates()[i]));
    diff = std::min(diff, 24.0 - diff);
    worstSidereal = std::max(worstSidereal, diff);
    double age = std::fabs(sky::MoonAgeDays(Instants()[i]) - LibnovaMoonAge(Dates()[i]));
    age = std::min(age, 29.530588861 - age);
    worstAge = std::max(worstAge, age);
  }
  std::printf("Agreement on the benchmark's instants: sidereal time within %.3f s, "
              "Moon age within %.2f days of libnova's elongation age\n",
              worstSidereal * 3600.0, worstAge);
}

}  // namespace

int main(int argc, char** argv) {
  PrepareBenchProcess();
  benchmark::Initialize(&argc, argv);
  QApplication app(argc, argv);

  g_tickCommands = RecordTickCommands();
  // 21:00 JST on the engine's first day, the click makes it 22:00, the tick 23:00.
  if (g_tickCommands.size() < 2 || g_tickCommands[1].rfind("Time = LST(2000,1,1,23,0,0,", 0) != 0) {
    std::fprintf(stderr, "unexpected tick: %s\n", g_tickCommands.size() > 1 ? g_tickCommands[1].c_str() : "");
    return 1;
  }
  std::printf("One repeat tick on the hour sends %zu commands:\n", g_tickCommands.size());
  for (size_t i = 0; i < g_tickCommands.size(); ++i) {
    std::printf("  %zu  %s\n", i, g_tickCommands[i].c_str());
    benchmark::RegisterBenchmark(("BM_EngineCommand/" + std::to_string(i)).c_str(), EngineCommand,
                                 g_tickCommands[i]);
  }
  PrintAgreement();

  CRatioReporter reporter;
  reporter.AddPair("Moon age / ln_get_lunar_phase", "BM_SkyMoonAge", "BM_LibnovaLunarPhase");
  reporter.AddPair("Moon age / libnova age from positions", "BM_SkyMoonAge", "BM_LibnovaMoonAgeFromPositions");
  reporter.AddPair("sidereal time / ln_get_mean_sidereal_time", "BM_SkySiderealTime", "BM_LibnovaMeanSiderealTime");
  reporter.AddBudget("one tick's commands, share of the 10 ms repeat", "BM_EngineTickMix", 0.010);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
