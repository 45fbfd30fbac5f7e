// The pad against the embedded sky-chart engine: every time system shows
// the engine's one instant, the place, the magnitude, the Moon and the
// marks; a host-side change reaches the bar through OnUpdate.
#include <cmath>
#include <cstdio>

#include "host/qelacl.h"
#include "pad/replies.h"
#include "pad_fixture.h"
#include "sky/engine.h"

namespace {

double JdOf(int y, int mo, int d, int h, int mi, int s, double zone) {
  const tagADATE date{y, mo, d, h, mi, static_cast<double>(s), zone};
  return GetJd(&date);
}

// "hh:mm:ss" at cells 12 to 19 of a sidereal date text, in hours.
double SiderealHours(const std::string& text) {
  int h = -1, m = -1, s = -1;
  std::sscanf(text.c_str() + 12, "%d:%d:%d", &h, &m, &s);
  return h + m / 60.0 + s / 3600.0;
}

}  // namespace

class EngineTest : public PadTest {
 protected:
  EngineTest() { rig.engine = &engine; }

  void BuildAt(const char* time) {
    engine.Execute(time);
    Build();
  }
  double EngineNumber(const char* query) { return replies::ReadNumber(engine.Execute(query)); }
  void Switch(const char* label) { Pad().SendMessage(WM_CHANGETZ, 0, reinterpret_cast<LPARAM>(label)); }

  CSkyEngine engine;
};

TEST_F(EngineTest, EveryTimeSystemShowsTheSameInstant) {
  BuildAt("Time = UT(2006,4,1,12,30,15)");
  const double jd = EngineNumber("? Time.jd");
  const double oneSecond = 1.0 / 86400;

  Switch("JST");
  EXPECT_EQ(DateText(), " 2006/04/01 21:30:15");
  Switch("UT");
  EXPECT_EQ(DateText(), " 2006/04/01 12:30:15");
  EXPECT_NEAR(JdOf(P().Year(), P().Month(), P().Day(), P().Hour(), P().Minute(), P().Second(), 0.0), jd, 1e-6);
  Switch("UTD");
  EXPECT_NEAR(replies::ReadNumber(DateText().substr(9)), 1 + (12 * 3600 + 30 * 60 + 15) / 86400.0, 1e-5);
  Switch("LST");
  EXPECT_EQ(LabelText(), "LST");
  EXPECT_NEAR(JdOf(P().Year(), P().Month(), P().Day(), P().Hour(), P().Minute(), P().Second(), P().Tz()), jd, 1e-6);
  Switch("LMT");
  EXPECT_EQ(LabelText(), "LMT");
  EXPECT_EQ(rig.timeSys, 2);
  EXPECT_NEAR(JdOf(P().Year(), P().Month(), P().Day(), P().Hour(), P().Minute(), P().Second(), rig.zone), jd,
              oneSecond);
  Switch("JD");
  EXPECT_NEAR(replies::ReadNumber(DateText()), jd, 1e-5);
  Switch("MJD");
  EXPECT_NEAR(replies::ReadNumber(DateText()) + 2400000.5, jd, 1e-5);
  Switch("ST");
  const double st = EngineNumber("? Time.SiderealTime");
  EXPECT_NEAR(SiderealHours(DateText()), st, 1.0 / 3600);
  EXPECT_LE(SiderealHours(DateText()), st);  // truncated, never ahead
  Switch("JST");
  EXPECT_NEAR(JdOf(P().Year(), P().Month(), P().Day(), P().Hour(), P().Minute(), P().Second(), 9.0), jd, 1e-6);

  // A zone of the host's own: LST shows the engine's instant in it.
  rig.zone = 5.5;
  P().ShowDate(6);
  EXPECT_EQ(DateText(), " 2006/04/01 18:00:15");
}

TEST_F(EngineTest, ShowsPlaceMagnitudeMoonAndMarksAndFollowsTheHost) {
  BuildAt("Time = UT(2006,4,1,12,30,15); Location = Location(135.5, -35.25); Star.AutoMagnitudeLimit.Minimum = 7.2");
  EXPECT_EQ(ObsText(), "135d30mE 35d15mS");
  EXPECT_EQ(MagText(), " 7.2");
  const double age = EngineNumber("? Solar.Moon.age");
  EXPECT_EQ(P().MoonAge(), static_cast<int>(age + 0.5) % 30);
  EXPECT_FALSE(P().Track());

  engine.Execute("View.Track = TRUE; View.Trace = TRUE; Time = UT(1999,12,31,23,59,59)");
  Pad().OnUpdate(0xFF);
  EXPECT_TRUE(P().Track());
  EXPECT_TRUE(P().Trace());
  EXPECT_EQ(DateText(), " 2000/01/01 08:59:59");
  const CPoint o = MarkOrigin();
  EXPECT_EQ(Pixel(o.x, o.y), P().TextColor());
  EXPECT_EQ(Pixel(o.x + 14, o.y), P().TextColor());
}
