// One hour of a held button: the left button held on the seconds' units
// digit against the real engine, the repeat stepping every 10 ms of the
// virtual clock.  The host's time must move by exactly one second per
// step, memory must stay flat, and everything the pad made must be gone
// once it is destroyed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>
#include <cstdio>
#include <fstream>
#include <string_view>
#include <unistd.h>

#include "pad_session.h"

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;  // its quarantine holds freed memory
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

// Resident memory of this process in kilobytes.
long ResidentKb() {
  std::ifstream statm("/proc/self/statm");
  long size = 0, resident = 0;
  statm >> size >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

constexpr int kHourMs = 3600 * 1000;
constexpr int kRepeatMs = 10;
constexpr int kHoldMs = 500;

TEST(Soak, AnHourOfRepeatMovesTheTimeByEachStepAndKeepsMemoryFlat) {
  const int widgetsBefore = int(QApplication::allWidgets().size());
  {
    CPadSession s;
    s.ChangeTz("JST");
    const int64_t start = s.engine.State().time.seconds;
    int steps = 0;
    s.engine.SetCommandObserver([&steps](std::string_view c, std::string_view) {
      if (c.substr(0, 7) == "Time = ") ++steps;
    });

    s.Mouse(WM_LBUTTONDOWN, s.P().DateCell(19));
    // Warm up for a minute (caches, the message log, the surfaces), then
    // measure the rest of the hour.  The bar is painted once a second, as
    // a display would show it.
    auto run = [&](int ms) {
      for (int done = 0; done < ms; done += 1000) {
        s.rig.services.clock.Advance(1000);
        s.Paint();
        s.rig.frame->changes.clear();  // the test's own record of "DATE"s
      }
    };
    run(60 * 1000);
    const long residentBefore = ResidentKb();
    run(kHourMs - 60 * 1000);
    const long residentAfter = ResidentKb();
    s.Mouse(WM_LBUTTONUP, s.P().DateCell(19));
    s.engine.SetCommandObserver(nullptr);

    // The click, then 49 repeat ticks in each 500 ms after the first: each
    // time the hold timer fires again it restarts the 10 ms timer, and the
    // tick that fell due in that same millisecond moves 10 ms on.
    const int expectedSteps = 1 + (kHourMs / kHoldMs - 1) * (kHoldMs / kRepeatMs - 1);
    EXPECT_EQ(steps, expectedSteps);
    EXPECT_EQ(s.engine.State().time.seconds - start, steps);
    EXPECT_TRUE(s.P().Idle()) << s.P().BusyState();
    std::printf("%d steps; resident memory %ld kB -> %ld kB\n", steps, residentBefore, residentAfter);
    if (!kAddressSanitizer) {
      EXPECT_LE(residentAfter - residentBefore, 2048);
    }
  }
  // Every window the pad made is gone with it (LeakSanitizer checks the
  // rest in the sanitizer build).
  EXPECT_EQ(int(QApplication::allWidgets().size()), widgetsBefore);
}

}  // namespace
