// Stellarium refusing, away, hanging, answering garbage, asking for a
// password; reuse of a fresh status; no event processing inside a request.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <string>
#include <vector>

#include "host_fixture.h"
#include "stellarium/stel_http.h"

namespace {

// Every call that needs Stellarium must fail as CHostError, never with a
// reply the pad would read as a number.
void ExpectHostError(CStellariumHost& host, const char* command) {
  EXPECT_THROW(host.Execute(command), CHostError) << command;
}

}  // namespace

TEST_F(StellariumHostTest, ARefusedChangeRepliesWithAnErrorAndLeavesTheMirrorAsStellariumIs) {
  EXPECT_EQ(Run("? Time.jd"), "2453827.0210069446");
  fake.RefusePath("/api/main/time");
  const std::string reply = Run("Time = UT(2006,1,1,0,0,0) ; show lumiral");
  EXPECT_EQ(reply, "ERROR: Stellarium did not take the time: error: refused by the test");
  EXPECT_EQ(Run("? Time.jd"), "2453827.0210069446") << "the pad re-reads the time Stellarium still has";
  EXPECT_TRUE(Host().IsConnected()) << "a refusal is an answer";

  // The other changes of the same command still go through.
  fake.RefusePath("/api/stelproperty/set");
  EXPECT_EQ(Run("Location = Location(10, 20); Star.AutoMagnitudeLimit.Minimum = 9"),
            "ERROR: Stellarium did not take the limiting magnitude: error: refused by the test");
  EXPECT_EQ(Run("? Location.Longitude; ? Location.Latitude; ? Star.AutoMagnitudeLimit.minimum"), "10;20;6.5");
  fake.RefusePath({});
  EXPECT_EQ(Run("Star.AutoMagnitudeLimit.Minimum = 9"), "");
  EXPECT_EQ(fake.Sky().magLimit, 9.0);
}

TEST_F(StellariumHostTest, StellariumAwayThrowsAndTheHostRecoversWhenItComesBack) {
  std::vector<std::pair<bool, QString>> told;
  Host().onConnectionChanged = [&told](bool up, const QString& why) { told.emplace_back(up, why); };
  EXPECT_EQ(Run("? Location.Latitude"), Number(fake.Sky().latitude));
  ASSERT_EQ(told.size(), 1u);
  EXPECT_TRUE(told[0].first);

  fake.Stop();
  for (const char* command : {"? Time.jd", "? JST(Time)", "? Solar.Moon.age", "? Location.Longitude; ? Location.Latitude",
                              "? Star.AutoMagnitudeLimit.minimum", "Time = UT(2006,1,1,0,0,0) ; show lumiral",
                              "Location = Location(1, 2)", "Stop Lumiral", "animation.time = false"}) {
    ExpectHostError(Host(), command);
  }
  EXPECT_FALSE(Host().IsConnected());
  ASSERT_EQ(told.size(), 2u) << "told once, however many calls fail";
  EXPECT_FALSE(told[1].first);
  EXPECT_TRUE(told[1].second.contains("refused")) << told[1].second.toStdString();
  try {
    Run("? Time.jd");
  } catch (const CHostError& e) {
    EXPECT_NE(std::string(e.what()).find("127.0.0.1:" + std::to_string(fake.Port())), std::string::npos) << e.what();
  }

  // Back: the same host works again, with what Stellarium holds now.
  ASSERT_TRUE(fake.Start());
  FakeSky sky = fake.Sky();
  sky.jd = 2451545.0;
  fake.SetSky(sky);
  EXPECT_EQ(Run("? UT(Time)"), "UT AD2000/01/01 12:00:00");
  EXPECT_TRUE(Host().IsConnected());
  ASSERT_EQ(told.size(), 3u);
  EXPECT_TRUE(told[2].first);
  EXPECT_EQ(Run("Time = UT(2006,1,1,0,0,0)"), "");
  EXPECT_EQ(fake.Sky().jd, 2453736.5);
}

TEST_F(StellariumHostTest, AChangeThatCannotBeDeliveredLeavesTheMirrorAsBefore) {
  // The status is fresh enough to be reused, so that the change itself is
  // what fails.
  options.freshnessMs = 60000;
  EXPECT_EQ(Run("? Time.jd"), "2453827.0210069446");
  fake.SetMode(CFakeStellarium::Mode::Close);
  ExpectHostError(Host(), "Time = UT(2006,1,1,0,0,0); Location = Location(1, 2)");
  fake.SetMode(CFakeStellarium::Mode::Normal);
  EXPECT_EQ(Run("? Time.jd; ? Location.Longitude"), "2453827.0210069446;" + Number(fake.Sky().longitude));
  for (const QByteArray& change : fake.Changes()) {
    EXPECT_TRUE(change.startsWith("POST /api/main/time")) << "the place is not tried after the time failed";
  }
}

TEST_F(StellariumHostTest, HangingOrGarbageAnswersFailWithinTheTimeout) {
  EXPECT_EQ(Run("? Time.Lock"), "FALSE");
  fake.SetMode(CFakeStellarium::Mode::Hang);
  QElapsedTimer clock;
  clock.start();
  ExpectHostError(Host(), "? Time.jd");
  ExpectHostError(Host(), "Time = UT(2006,1,1,0,0,0)");
  // Bounded: two requests of 400 ms each, with room for a loaded machine.
  EXPECT_LT(clock.elapsed(), 5000);

  fake.SetMode(CFakeStellarium::Mode::Garbage);
  try {
    Run("? Time.jd");
    ADD_FAILURE() << "a body that is no status was read";
  } catch (const CHostError& e) {
    EXPECT_NE(std::string(e.what()).find("not a JSON object"), std::string::npos) << e.what();
  }
  fake.SetMode(CFakeStellarium::Mode::Normal);
  EXPECT_EQ(Run("? Time.jd"), "2453827.0210069446");
}

TEST_F(StellariumHostTest, AfterAFailureCallsFailAtOnceUntilTheRetryTime) {
  options.retryAfterMs = 60000;
  fake.Stop();
  ExpectHostError(Host(), "? Time.jd");
  ASSERT_TRUE(fake.Start());
  fake.ClearRequests();
  ExpectHostError(Host(), "? Time.jd");
  EXPECT_TRUE(fake.Requests().empty()) << "no request within the retry time";
  EXPECT_EQ(Run("? View.Trace"), "FALSE");
}

TEST_F(StellariumHostTest, PasswordTravelsAsBasicAuthorization) {
  fake.RequirePassword("sesame");
  ExpectHostError(Host(), "? Time.jd");
  EXPECT_TRUE(Host().LastProblem().contains("401")) << Host().LastProblem().toStdString();
  host.reset();
  options.password = "sesame";
  EXPECT_EQ(Run("? Time.jd"), "2453827.0210069446");
  EXPECT_EQ(Run("Time.jd = 2451545"), "");
  EXPECT_EQ(fake.Sky().jd, 2451545.0);
}

TEST_F(StellariumHostTest, AFreshStatusAnswersARefreshAndMovesOnWithStellariumsRate) {
  options.freshnessMs = 60000;
  EXPECT_EQ(Run("? JST(Time)"), "JST AD2006/04/01 21:30:15");
  for (const char* query : {"? Solar.Moon.age", "? Location.Longitude; ? Location.Latitude",
                            "? Star.AutoMagnitudeLimit.minimum", "? Time.jd"}) {
    Run(query);
  }
  EXPECT_EQ(fake.StatusReads(), 1);
  // Own changes are in the mirror at once, without reading again.
  EXPECT_EQ(Run("Time = LST(2006,4,1,22,30,15,9.000000) ; show lumiral"), "");
  EXPECT_EQ(Run("? JST(Time)"), "JST AD2006/04/01 22:30:15");
  EXPECT_EQ(fake.StatusReads(), 1);
  // A poll reads whatever the age, and says what changed.
  FakeSky sky = fake.Sky();
  sky.latitude = 10.0f;
  fake.SetSky(sky);
  EXPECT_EQ(Host().Poll(), kStelChangedPlace);
  EXPECT_EQ(Host().Poll(), 0u);
  EXPECT_EQ(fake.StatusReads(), 3);

  // A running clock is carried on from the reading: never behind it.
  sky.rate = 1.0;  // a day a second
  fake.SetSky(sky);
  EXPECT_EQ(Host().Poll(), kStelChangedTime);
  const double read = fake.Sky().jd;
  EXPECT_GE(std::stod(Run("? Time.jd")), read);
}

TEST_F(StellariumHostTest, NoEventIsHandledWhileARequestWaits) {
  // The pad's repeat timer must not start a second step inside the first.
  bool fired = false;
  QTimer::singleShot(0, [&fired] { fired = true; });
  EXPECT_EQ(Run("Time = UT(2006,1,1,0,0,0) ; show lumiral"), "");
  EXPECT_EQ(Run("? UT(Time)"), "UT AD2006/01/01 00:00:00");
  EXPECT_FALSE(fired);
  QCoreApplication::processEvents();
  EXPECT_TRUE(fired);
}

TEST(StellariumHostSpec, ReadsStellariumAndAPort) {
  StellariumOptions options;
  QString why;
  EXPECT_TRUE(ParseStellariumHost("stellarium", &options, &why));
  EXPECT_EQ(options.port, 8090);
  EXPECT_TRUE(ParseStellariumHost("stellarium:8091", &options, &why));
  EXPECT_EQ(options.port, 8091);
  for (const char* bad : {"stellarium:", "stellarium:0", "stellarium:65536", "stellarium:80a", "celestia", "Stellarium",
                          "stellarium:-1", ""}) {
    EXPECT_FALSE(ParseStellariumHost(bad, &options, &why)) << bad;
    EXPECT_FALSE(why.isEmpty());
  }
  EXPECT_EQ(options.port, 8091);
}

TEST(StellariumHttp, FormFieldsArePercentEncodedPlusIncluded) {
  EXPECT_EQ(stel::CStelHttp::EncodeForm({{"time", "2451545.5"}, {"name", "Lumira 1+2&3=4\xc3\xa9"}}),
            "time=2451545.5&name=Lumira%201%2B2%263%3D4%C3%A9");
  EXPECT_EQ(stel::CStelHttp::EncodeForm({}), "");
}

TEST(StellariumHttp, NobodyListeningIsRefusedAtOnce) {
  quint16 port = 0;
  {
    CFakeStellarium gone;  // a port that was free a moment ago
    port = gone.Port();
  }
  stel::CStelHttp http(port, {}, 2000);
  const stel::HttpResult r = http.Get("/api/main/status");
  EXPECT_EQ(r.kind, stel::HttpResult::Kind::Refused);
  EXPECT_FALSE(r.Ok());
}
