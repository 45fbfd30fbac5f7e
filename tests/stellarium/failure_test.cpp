// Stellarium refusing, away, hanging, answering garbage, asking for a
// password; reuse of a fresh status; no event processing inside a request.
#include <QCoreApplication>
#include <QTimer>
#include <string>
#include <vector>

#include "host_fixture.h"
#include "stellarium/stel_http.h"

using Mode = CFakeStellarium::Mode;

TEST_F(StellariumHostTest, ARefusedChangeRepliesWithAnErrorAndLeavesTheMirrorAsStellariumIs) {
  EXPECT_EQ(Run("? Time.jd"), "2453827.0210069446");
  fake.RefusePath("/api/main/time");
  EXPECT_EQ(Run("Time = UT(2006,1,1,0,0,0) ; show lumiral"),
            "ERROR: Stellarium did not take the time: error: refused by the test");
  EXPECT_EQ(Run("? Time.jd"), "2453827.0210069446") << "the pad re-reads the time Stellarium still has";
  EXPECT_TRUE(Host().IsConnected()) << "a refusal is an answer";
  // The other changes of the same command still go through.
  fake.RefusePath("/api/stelproperty/set");
  EXPECT_EQ(Run("Location = Location(10, 20); Star.AutoMagnitudeLimit.Minimum = 9"),
            "ERROR: Stellarium did not take the limiting magnitude: error: refused by the test");
  EXPECT_EQ(Run("? Location.Longitude; ? Location.Latitude; ? Star.AutoMagnitudeLimit.minimum"), "10;20;6.5");
  // An answer without Stellarium's "ok" confirms nothing either.
  options.freshnessMs = 60000;  // the status is reused, so that only the change meets the page
  host.reset();
  Run("? Time.jd");
  fake.SetMode(Mode::Garbage);
  EXPECT_EQ(Run("Time = UT(2006,1,1,0,0,0)"),
            "ERROR: Stellarium did not take the time: no confirmation: \"<html>not here</html>\"");
}

// Every way of not answering: an error that says where and why, nothing of
// the command kept, the changes after an undelivered one not tried, and the
// same host working again once Stellarium answers.
TEST_F(StellariumHostTest, EveryWayOfNotAnsweringFailsClearlyAndLosesNothing) {
  // statusFresh: the status is reused, so that the change itself fails.
  struct Case { Mode mode; bool statusFresh; const char* why; };
  const Case kCases[] = {
      {Mode::Down, true, "connection refused"},         {Mode::Hang, true, "no answer in time"},
      {Mode::Close, true, "closed"},                    {Mode::Garbage, false, "not a JSON object"},
      {Mode::Locked, false, "HTTP 401"},                {Mode::Locked, true, "refused the password"},
  };
  const std::string where = "Stellarium on 127.0.0.1:" + std::to_string(fake.Port()) + " is not answering: ";
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.why);
    options.freshnessMs = c.statusFresh ? 60000 : 0;
    host.reset();
    EXPECT_EQ(Run("? Time.jd"), "2453827.0210069446");
    fake.SetMode(c.mode);
    fake.ClearRequests();
    try {
      Run("Time = UT(2006,1,1,0,0,0); Location = Location(1, 2)");
      ADD_FAILURE() << "no error";
    } catch (const CHostError& e) {
      const std::string said = e.what();
      EXPECT_TRUE(said.rfind(where, 0) == 0 && said.find(c.why) != std::string::npos) << said;
    }
    for (const QByteArray& sent : fake.Changes()) EXPECT_TRUE(sent.startsWith("POST /api/main/time")) << sent.data();
    fake.SetMode(Mode::Normal);
    EXPECT_EQ(Run("? Time.jd; ? Location.Longitude"), "2453827.0210069446;" + Number(FakeSky().longitude));
  }
}

TEST_F(StellariumHostTest, StellariumAwayIsToldOnceEveryCallThrowsAndTheHostRecovers) {
  std::vector<bool> told;
  Host().onConnectionChanged = [&told](bool up, const QString&) { told.push_back(up); };
  EXPECT_EQ(Run("? Location.Latitude"), Number(fake.Sky().latitude));
  fake.SetMode(Mode::Down);
  for (const char* command : {"? Time.jd", "? JST(Time)", "? Solar.Moon.age", "? Location.Latitude", "Stop Lumiral",
                              "? Star.AutoMagnitudeLimit.minimum", "Time = UT(2006,1,1,0,0,0) ; show lumiral",
                              "Location = Location(1, 2)", "animation.time = false"}) {
    EXPECT_THROW(Run(command), CHostError) << command;
  }
  EXPECT_FALSE(Host().IsConnected());
  // Back: the same host works again, with what Stellarium holds now.
  FakeSky sky = fake.Sky();
  sky.jd = 2451545.0;
  fake.SetSky(sky);
  fake.SetMode(Mode::Normal);
  EXPECT_EQ(Run("? UT(Time)"), "UT AD2000/01/01 12:00:00");
  EXPECT_EQ(told, std::vector<bool>({true, false, true})) << "told once, however many calls fail";

  // After a failure, calls fail at once until the retry time, asking nothing.
  options.retryAfterMs = 60000;
  host.reset();
  fake.SetMode(Mode::Down);
  EXPECT_THROW(Run("? Time.jd"), CHostError);
  fake.SetMode(Mode::Normal);
  fake.ClearRequests();
  EXPECT_THROW(Run("? Time.jd"), CHostError);
  EXPECT_TRUE(fake.Requests().empty());
  EXPECT_EQ(Run("? View.Trace"), "FALSE");
}

TEST_F(StellariumHostTest, PasswordTravelsAsBasicAuthorization) {
  fake.SetMode(Mode::Locked);
  options.password = CFakeStellarium::kPassword;
  EXPECT_EQ(Run("Time.jd = 2451545"), "");
  EXPECT_EQ(fake.Sky().jd, 2451545.0);
}

TEST_F(StellariumHostTest, AFreshStatusIsReusedWithOwnChangesAndAPollSaysWhatChanged) {
  options.freshnessMs = 60000;
  EXPECT_EQ(Run("Time = LST(2006,4,1,22,30,15,9.000000) ; show lumiral"), "");
  EXPECT_EQ(Run("? JST(Time)"), "JST AD2006/04/01 22:30:15") << "the change is in the mirror without reading again";
  EXPECT_EQ(fake.Requests("GET").size(), 1u);
  FakeSky sky = fake.Sky();
  sky.latitude = 10.0f;
  fake.SetSky(sky);
  EXPECT_EQ(Host().Poll(), kStelChangedPlace);
  EXPECT_EQ(Host().Poll(), 0u);
  // A running clock is carried on from the reading: never behind it.
  sky.rate = 1.0;  // a day a second
  fake.SetSky(sky);
  EXPECT_EQ(Host().Poll(), kStelChangedTime);
  EXPECT_GE(std::stod(Run("? Time.jd")), fake.Sky().jd);
}

TEST_F(StellariumHostTest, NoEventIsHandledWhileARequestWaits) {
  // The pad's repeat timer must not start a second step inside the first.
  bool fired = false;
  QTimer::singleShot(0, [&fired] { fired = true; });
  EXPECT_EQ(Run("Time = UT(2006,1,1,0,0,0) ; show lumiral"), "");
  EXPECT_FALSE(fired);
  QCoreApplication::processEvents();
  EXPECT_TRUE(fired);
}

TEST(StellariumHostSpec, ReadsStellariumAndAPort) {
  StellariumOptions options;
  QString why;
  EXPECT_TRUE(ParseStellariumHost("stellarium:8091", &options, &why));
  EXPECT_TRUE(ParseStellariumHost("stellarium", &options, &why));
  for (const char* bad : {"stellarium:", "stellarium:0", "stellarium:65536", "stellarium:80a", "Stellarium"}) {
    EXPECT_FALSE(ParseStellariumHost(bad, &options, &why)) << bad;
  }
  EXPECT_FALSE(why.isEmpty());
  EXPECT_EQ(options.port, 8091) << "kept by a name alone and by every refusal";
}

TEST(StellariumHttp, FormFieldsArePercentEncodedPlusIncluded) {
  EXPECT_EQ(stel::CStelHttp::EncodeForm({{"time", "2451545.5"}, {"name", "Lumira 1+2&3=4\xc3\xa9"}}),
            "time=2451545.5&name=Lumira%201%2B2%263%3D4%C3%A9");
}
