// An hour of a held button: the left button held on the seconds' units
// digit against the real engine, the repeat stepping every 10 ms of the
// virtual clock.  Reports the steps taken, how far the host's time moved
// (it must be one second a step), the resident memory's growth over the
// hour after a minute of warm-up, and whether the pad ended idle.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <fstream>
#include <string_view>
#include <unistd.h>

#include "bench_pad_rig.h"

namespace {

// Resident memory of this process in kilobytes.
long ResidentKb() {
  std::ifstream statm("/proc/self/statm");
  long size = 0, resident = 0;
  statm >> size >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

void BM_HourOfHeldSeconds(benchmark::State& state) {
  for (auto _ : state) {
    BenchPadRig rig;
    rig.pad->SendMessage(WM_CHANGETZ, 0, reinterpret_cast<LPARAM>("JST"));
    const int64_t start = rig.engine.State().time.seconds;
    int steps = 0;
    rig.engine.SetCommandObserver([&steps](std::string_view c, std::string_view) {
      if (c.substr(0, 7) == "Time = ") ++steps;
    });
    CLumiraPadProbe probe(*rig.pad);
    const CPoint digit = probe.DateCell(19);
    rig.pad->DispatchMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(digit.x, digit.y));
    // The bar is painted once a second, as a display would show it.
    auto run = [&](int ms) {
      for (int done = 0; done < ms; done += 1000) {
        rig.services.clock.Advance(1000);
        rig.PaintBar();
        CWnd::ProcessPostedMessages();
        rig.padRig.frame->changes.clear();
      }
    };
    run(60 * 1000);
    const long residentBefore = ResidentKb();
    run(3600 * 1000 - 60 * 1000);
    const long residentAfter = ResidentKb();
    rig.pad->DispatchMessage(WM_LBUTTONUP, 0, MAKELPARAM(digit.x, digit.y));
    rig.engine.SetCommandObserver(nullptr);
    state.counters["steps"] = steps;
    state.counters["seconds_moved_minus_steps"] = double(rig.engine.State().time.seconds - start - steps);
    state.counters["resident_growth_kB"] = double(residentAfter - residentBefore);
    state.counters["idle_after"] = probe.Idle() ? 1 : 0;
  }
}
BENCHMARK(BM_HourOfHeldSeconds)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
  PrepareBenchProcess();
  benchmark::Initialize(&argc, argv);
  QApplication app(argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
