// The pad itself against the fake Stellarium: what it shows, what a held
// button sends, and what it does while Stellarium is away.
#include <memory>
#include <tuple>

#include "host_fixture.h"
#include "pad_probe.h"
#include "pad_rig.h"

class StellariumPadTest : public StellariumHostTest {
 protected:
  void SetUp() override {
    rig.engine = &Host();
    ASSERT_TRUE(rig.Build()) << rig.error.toStdString();
    probe = std::make_unique<CLumiraPadProbe>(*rig.pad);
    fake.ClearRequests();
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

  PadRig rig;  // goes before the host it is handed
  std::unique_ptr<CLumiraPadProbe> probe;
};

TEST_F(StellariumPadTest, ThePadShowsStellariumsStateAndAMagnitudeStepReachesIt) {
  // 2006-04-01 12:30:15 UT is 21:30:15 in Japan standard time.
  EXPECT_EQ(Fields(), std::make_tuple(2006, 4, 1, 21, 30, 15));
  EXPECT_NEAR(P().Latitude(), 48.8534, 1e-5);  // single precision
  EXPECT_DOUBLE_EQ(P().MagLimit(), 6.5);
  Click(P().MagCell(43));
  EXPECT_DOUBLE_EQ(fake.Sky().magLimit, 6.6);
  EXPECT_TRUE(fake.Sky().magLimitOn);
  EXPECT_DOUBLE_EQ(P().MagLimit(), 6.6);
}

TEST_F(StellariumPadTest, AHeldHourDigitSendsOneTimePerStepAndStellariumFollowsEachStep) {
  const double start = fake.Sky().jd;
  Send(WM_LBUTTONDOWN, P().DateCell(13));
  rig.services.clock.Advance(1000);
  Send(WM_LBUTTONUP, P().DateCell(13));
  EXPECT_TRUE(P().Idle());
  // One step at the press, then one per 10 ms repeat from 510 ms on;
  // nothing else (the button-up stop finds no clock running).
  const size_t steps = fake.Requests("POST /api/main/time time=").size();
  EXPECT_GE(steps, 40u);
  EXPECT_LE(steps, 60u);
  EXPECT_EQ(fake.Changes().size(), steps);
  EXPECT_NEAR(fake.Sky().jd - start, steps / 24.0, 1e-9);
  const int hours = 21 + int(steps);
  EXPECT_EQ(Fields(), std::make_tuple(2006, 4, 1 + hours / 24, hours % 24, 30, 15));
}

TEST_F(StellariumPadTest, WhileStellariumIsAwayStepsAreAbandonedAndTheDateIsNeverZero) {
  fake.SetMode(CFakeStellarium::Mode::Down);
  Click(P().DateCell(13));
  Click(P().MagCell(43));
  EXPECT_TRUE(P().Idle());
  EXPECT_EQ(P().Year(), 2006) << "nothing read an unanswered query as 0";
  EXPECT_EQ(P().Month(), 4);
  EXPECT_NEAR(P().Longitude(), 2.3488, 1e-5);
  // Back: the host refreshes the pad, and steps reach Stellarium again.
  fake.SetMode(CFakeStellarium::Mode::Normal);
  rig.pad->OnUpdate(0xFF);
  EXPECT_EQ(P().Hour(), 21);
  EXPECT_DOUBLE_EQ(P().MagLimit(), 6.5) << "the stepped copies go back to what Stellarium holds";
  Click(P().DateCell(13));
  EXPECT_NEAR(fake.Sky().jd - FakeSky().jd, 1.0 / 24, 1e-9);
  EXPECT_EQ(P().Hour(), 22);
}
