// Calendar conversions of the library against ERFA and libnova, on the
// same pre-generated random dates and Julian dates.
//
//   bench_calendar [--benchmark_filter=...]
//
// Each benchmark cycles through kCount inputs, so the figures are the
// time of one conversion with varied input (no repeated value that the
// branch predictor could learn).
#include <cstdint>
#include <random>
#include <vector>

#include <benchmark/benchmark.h>

extern "C" {
#include <erfa.h>
#include <libnova/julian_day.h>
}

#include "host/qelacl.h"

namespace {

constexpr size_t kCount = 4096;  // a power of two: the index wraps with a mask

struct Inputs {
  std::vector<tagADATE> dates;
  std::vector<ln_date> novaDates;
  std::vector<double> jds;
};

// Random dates from firstYear to 99999 with fractional seconds.  The
// shared set starts at -4700 (ERFA's calendar starts at -4799).
Inputs MakeInputs(int firstYear) {
  Inputs in;
  std::mt19937_64 rng(42);
  std::uniform_int_distribution<int> year(firstYear, 99999);
  std::uniform_int_distribution<int> month(1, 12);
  std::uniform_int_distribution<int> day(1, 28);
  std::uniform_int_distribution<int> hour(0, 23);
  std::uniform_int_distribution<int> minute(0, 59);
  std::uniform_real_distribution<double> second(0.0, 60.0);
  for (size_t i = 0; i < kCount; ++i) {
    const tagADATE d{year(rng), month(rng), day(rng), hour(rng), minute(rng), second(rng), 0.0};
    in.dates.push_back(d);
    in.novaDates.push_back(ln_date{d.nYear, d.nMonth, d.nDay, d.nHour, d.nMinute, d.dSecond});
    in.jds.push_back(GetJd(&d));
  }
  return in;
}

const Inputs& SharedInputs() {
  static const Inputs inputs = MakeInputs(-4700);
  return inputs;
}

// The library's whole range, half of it on the Julian calendar.
const Inputs& WholeRangeInputs() {
  static const Inputs inputs = MakeInputs(-99998);
  return inputs;
}

void DateToJdLibrary(benchmark::State& state) {
  const Inputs& in = SharedInputs();
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(GetJd(&in.dates[i]));
    i = (i + 1) & (kCount - 1);
  }
}

void DateToJdLibraryWholeRange(benchmark::State& state) {
  const Inputs& in = WholeRangeInputs();
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(GetJd(&in.dates[i]));
    i = (i + 1) & (kCount - 1);
  }
}

// eraCal2jd gives the day; the time of day is added as a caller would.
void DateToJdErfa(benchmark::State& state) {
  const Inputs& in = SharedInputs();
  size_t i = 0;
  for (auto _ : state) {
    const tagADATE& d = in.dates[i];
    double djm0 = 0.0;
    double djm = 0.0;
    eraCal2jd(d.nYear, d.nMonth, d.nDay, &djm0, &djm);
    benchmark::DoNotOptimize(djm0 + djm +
                             (d.nHour * 3600.0 + d.nMinute * 60.0 + d.dSecond) / 86400.0);
    i = (i + 1) & (kCount - 1);
  }
}

void DateToJdLibnova(benchmark::State& state) {
  const Inputs& in = SharedInputs();
  std::vector<ln_date> dates = in.novaDates;  // the call takes a non-const pointer
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ln_get_julian_day(&dates[i]));
    i = (i + 1) & (kCount - 1);
  }
}

void JdToDateLibrary(benchmark::State& state) {
  const Inputs& in = SharedInputs();
  tagADATE out{};
  size_t i = 0;
  for (auto _ : state) {
    JdToDate2(in.jds[i], &out);
    benchmark::DoNotOptimize(out);
    i = (i + 1) & (kCount - 1);
  }
}

void JdToDateLibraryWholeRange(benchmark::State& state) {
  const Inputs& in = WholeRangeInputs();
  tagADATE out{};
  size_t i = 0;
  for (auto _ : state) {
    JdToDate2(in.jds[i], &out);
    benchmark::DoNotOptimize(out);
    i = (i + 1) & (kCount - 1);
  }
}

void JdToDateErfa(benchmark::State& state) {
  const Inputs& in = SharedInputs();
  int y = 0;
  int m = 0;
  int d = 0;
  double fd = 0.0;
  size_t i = 0;
  for (auto _ : state) {
    eraJd2cal(in.jds[i], 0.0, &y, &m, &d, &fd);
    benchmark::DoNotOptimize(y);
    benchmark::DoNotOptimize(m);
    benchmark::DoNotOptimize(d);
    benchmark::DoNotOptimize(fd);
    i = (i + 1) & (kCount - 1);
  }
}

void JdToDateLibnova(benchmark::State& state) {
  const Inputs& in = SharedInputs();
  ln_date out{};
  size_t i = 0;
  for (auto _ : state) {
    ln_get_date(in.jds[i], &out);
    benchmark::DoNotOptimize(out);
    i = (i + 1) & (kCount - 1);
  }
}

void ChangeDateOneHour(benchmark::State& state) {
  const Inputs& in = SharedInputs();
  const tagADATEDIFF hour{0, 0, 0, 1, 0, 0.0};
  size_t i = 0;
  for (auto _ : state) {
    tagADATE d = in.dates[i];
    ChangeDate(&d, &hour, 0);
    benchmark::DoNotOptimize(d);
    i = (i + 1) & (kCount - 1);
  }
}

void ChangeTimezoneToJst(benchmark::State& state) {
  const Inputs& in = SharedInputs();
  size_t i = 0;
  for (auto _ : state) {
    tagADATE d = in.dates[i];
    ChangeTimezone(&d, 9.0);
    benchmark::DoNotOptimize(d);
    i = (i + 1) & (kCount - 1);
  }
}

}  // namespace

BENCHMARK(DateToJdLibrary);
BENCHMARK(DateToJdLibraryWholeRange);
BENCHMARK(DateToJdErfa);
BENCHMARK(DateToJdLibnova);
BENCHMARK(JdToDateLibrary);
BENCHMARK(JdToDateLibraryWholeRange);
BENCHMARK(JdToDateErfa);
BENCHMARK(JdToDateLibnova);
BENCHMARK(ChangeDateOneHour);
BENCHMARK(ChangeTimezoneToJst);

BENCHMARK_MAIN();
