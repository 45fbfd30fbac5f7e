// The pad itself against the fake Stellarium: what it shows, what a held
// button sends, and what it does while Stellarium is away.
#include <cmath>
#include <memory>
#include <tuple>

#include "host_fixture.h"
#include "pad_fixture.h"
#include "pad_probe.h"

namespace {

int CountWith(const std::vector<QByteArray>& lines, const char* prefix) {
  int n = 0;
  for (const QByteArray& line : lines) n += line.startsWith(prefix) ? 1 : 0;
  return n;
}

}  // namespace

class StellariumPadTest : public StellariumHostTest {
 protected:
  void Build() {
    rig.engine = &Host();
    rig.Build();
    ASSERT_TRUE(rig.pad);
    probe = std::make_unique<CLumiraPadProbe>(*rig.pad);
    fake.ClearRequests();
  }
  void TearDown() override {
    probe.reset();
    if (rig.pad && rig.pad->IsWindow()) rig.pad->DestroyWindow();
    rig.pad.reset();
  }
  // Input as the message pump delivers it: a failure stops at the window.
  void Send(UINT msg, CPoint pt) { rig.pad->DispatchMessage(msg, 0, MAKELPARAM(pt.x, pt.y)); }
  void Click(CPoint pt) {
    Send(WM_LBUTTONDOWN, pt);
    Send(WM_LBUTTONUP, pt);
  }
  CLumiraPadProbe& P() { return *probe; }
  std::tuple<int, int, int, int, int, int> Fields() {
    return {P().Year(), P().Month(), P().Day(), P().Hour(), P().Minute(), P().Second()};
  }

  PadRig rig;
  std::unique_ptr<CLumiraPadProbe> probe;
};

TEST_F(StellariumPadTest, ThePadShowsStellariumsTimeAndPlace) {
  Build();
  // 2006-04-01 12:30:15 UT is 21:30:15 in Japan standard time.
  EXPECT_EQ(Fields(), std::make_tuple(2006, 4, 1, 21, 30, 15));
  // Stellarium keeps the place in single precision.
  EXPECT_NEAR(P().Longitude(), 2.3488, 1e-5);
  EXPECT_NEAR(P().Latitude(), 48.8534, 1e-5);
  EXPECT_DOUBLE_EQ(P().MagLimit(), 6.5);
}

TEST_F(StellariumPadTest, AHeldHourDigitSendsOneTimePerStepAndStellariumFollowsEachStep) {
  Build();
  const double start = fake.Sky().jd;
  Send(WM_LBUTTONDOWN, P().DateCell(13));
  rig.services.clock.Advance(1000);
  Send(WM_LBUTTONUP, P().DateCell(13));
  EXPECT_TRUE(P().Idle());

  const std::vector<QByteArray> changes = fake.Changes();
  const int steps = CountWith(changes, "POST /api/main/time time=");
  // One step at the press, then one per 10 ms repeat from 510 ms on.
  EXPECT_GE(steps, 40);
  EXPECT_LE(steps, 60);
  EXPECT_EQ(CountWith(changes, "POST"), steps) << "nothing but the steps (the button-up stop finds no clock running)";
  EXPECT_NEAR(fake.Sky().jd - start, steps / 24.0, 1e-9);
  // The pad shows what Stellarium has: 21:30:15 plus the steps.
  const int hours = 21 + steps;
  EXPECT_EQ(Fields(), std::make_tuple(2006, 4, 1 + hours / 24, hours % 24, 30, 15));
}

TEST_F(StellariumPadTest, AMagnitudeStepReachesStellarium) {
  Build();
  Click(P().MagCell(43));
  EXPECT_DOUBLE_EQ(fake.Sky().magLimit, 6.6);
  EXPECT_TRUE(fake.Sky().magLimitOn);
  EXPECT_DOUBLE_EQ(P().MagLimit(), 6.6);
}

TEST_F(StellariumPadTest, WhileStellariumIsAwayStepsAreAbandonedAndTheDateIsNeverZero) {
  Build();
  fake.Stop();
  Click(P().DateCell(13));
  Click(P().MagCell(43));
  EXPECT_TRUE(P().Idle());
  EXPECT_FALSE(Host().IsConnected());
  EXPECT_EQ(P().Year(), 2006) << "nothing read an unanswered query as 0";
  EXPECT_EQ(P().Month(), 4);
  EXPECT_NEAR(P().Longitude(), 2.3488, 1e-5);

  // Back: the host refreshes the pad, and steps reach Stellarium again.
  ASSERT_TRUE(fake.Start());
  rig.pad->OnUpdate(0xFF);
  EXPECT_EQ(P().Hour(), 21);
  EXPECT_DOUBLE_EQ(P().MagLimit(), 6.5) << "the stepped copies go back to what Stellarium holds";
  const double start = fake.Sky().jd;
  Click(P().DateCell(13));
  EXPECT_NEAR(fake.Sky().jd - start, 1.0 / 24, 1e-9);
  EXPECT_EQ(P().Hour(), 22);
}
