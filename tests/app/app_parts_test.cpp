// The host's small parts: the recording host channel, the state view's
// formats, the floating bar's place, the place search and the
// recently chosen places.
#include <gtest/gtest.h>

#include <cmath>

#include "app/app_settings.h"
#include "app/dock_placement.h"
#include "app/logging_host.h"
#include "app/place_search.h"
#include "app/state_view.h"
#include "qelobs/places.h"
#include "scripted_host.h"

using namespace lumira;

TEST(LoggingHost, ForwardsEveryCommandTellsTheListenersInOrderAndPassesFailuresOn) {
  CScriptedHost engine;
  engine.Reply("? Time.jd", "2451545");
  CLoggingHost host(engine);
  std::vector<std::string> seen;
  host.AddListener([&](const HostExchange& x) {
    seen.push_back("1:" + x.command + "=" + (x.failed ? "failed " + x.error : x.reply));
  });
  host.AddListener([&](const HostExchange& x) { seen.push_back("2:" + x.command); });
  EXPECT_EQ(host.Execute("? Time.jd"), "2451545");
  EXPECT_EQ(host.Execute("View.Track = TRUE"), "");
  engine.FailOnCall(1);
  EXPECT_THROW(host.Execute("? Time.Lock"), CHostError);
  EXPECT_NO_THROW(host.Execute("? Time.Lock")) << "the channel goes on working after a failure";
  EXPECT_EQ(engine.Sent(), (std::vector<std::string>{"? Time.jd", "View.Track = TRUE", "? Time.Lock", "? Time.Lock"}));
  EXPECT_EQ(seen, (std::vector<std::string>{"1:? Time.jd=2451545", "2:? Time.jd", "1:View.Track = TRUE=",
                                            "2:View.Track = TRUE", "1:? Time.Lock=failed scripted host failure",
                                            "2:? Time.Lock", "1:? Time.Lock=", "2:? Time.Lock"}));
}

TEST(StateViewFormats, PlacesAndHours) {
  EXPECT_EQ(FormatPlace(139.7447, 35.6544), "139°44.7'E  35°39.3'N");
  EXPECT_EQ(FormatPlace(-0.25, -33.5), "  0°15.0'W  33°30.0'S");
  EXPECT_EQ(FormatPlace(135.99999, 0.0), "136°00.0'E   0°00.0'N");  // never 60.0 minutes

  EXPECT_EQ(FormatDecimalDay("UT AD2000/01/04 12:00:00"), "AD2000/01/04.50000");
  EXPECT_EQ(FormatDecimalDay("UT BC100/12/31 18:00:00"), "BC100/12/31.75000");
  EXPECT_EQ(FormatDecimalDay("ERROR: no time"), "--");

  EXPECT_EQ(FormatHours(23.9999999), "23:59:59");  // truncated, never 24:00:00
  EXPECT_EQ(FormatHours(6.5), "06:30:00");
  EXPECT_EQ(FormatHours(std::nan("")), "--:--:--");
}

TEST(FloatingBar, ARestoredPlaceStaysOnAScreenOrTheBarDocksAgain) {
  const QList<QRect> screens = {QRect(0, 0, 1280, 1024), QRect(1280, 0, 800, 600)};
  const struct { QRect saved; std::optional<QRect> placed; } cases[] = {
      {QRect(100, 100, 470, 50), QRect(100, 100, 470, 50)},     // in sight: as saved
      {QRect(1900, 580, 470, 50), QRect(1610, 550, 470, 50)},   // partly off the second screen
      {QRect(-200, -30, 470, 50), QRect(0, 0, 470, 50)},        // off the top left corner
      {QRect(1300, 700, 470, 50), std::nullopt},                // below the small screen, on none
      {QRect(5000, 5000, 470, 50), std::nullopt},               // a screen that is gone
  };
  for (const auto& c : cases) EXPECT_EQ(PlaceFloatingBar(c.saved, screens), c.placed) << c.saved.x() << "," << c.saved.y();
}

TEST(PlaceSearch, TheStartOfTheNameOrOfAWordFindsPlacesInAStableOrder) {
  const PlaceList places = qelobs::PlacesByName();
  auto found = [&](const char* text) {
    QStringList names;
    for (const qelobs::ZonePlace* p : FindPlaces(places, text, 4)) names << QString("%1 %2").arg(p->place, p->country);
    return names.join(", ").toStdString();
  };
  EXPECT_EQ(found("tok"), "Tokyo JP");
  EXPECT_EQ(found(" SAP "), "Sapporo JP");
  EXPECT_EQ(found("lon"), "London GB");
  EXPECT_EQ(found("york"), "New York US");  // a tz name's words
  EXPECT_EQ(found("new y"), "New York US");
  EXPECT_EQ(found("sal"), "Salta AR, El Salvador SV, New Salem US");  // not Jerusalem
  EXPECT_EQ(found("brest"), "Brest BY, Brest FR");
  EXPECT_EQ(found("okyo"), "");
  EXPECT_EQ(found("#?q"), "");
  EXPECT_EQ(found(" "), "");
}

TEST(PlaceSearch, RecentPlacesComeBackNewestFirstAndADamagedValueIsLeftOut) {
  const PlaceList places = qelobs::PlacesByName();
  std::unique_ptr<QSettings> settings(NewAppSettings());
  settings->setValue("Places/Recent", "\x01garbage");
  EXPECT_TRUE(RecentPlaces(*settings, places).empty());
  const qelobs::ZonePlace* tokyo = FindPlaces(places, "tokyo", 1).at(0);
  const qelobs::ZonePlace* london = FindPlaces(places, "london", 1).at(0);
  for (const qelobs::ZonePlace* p : {tokyo, london, tokyo}) RememberPlace(*settings, *p, places);
  EXPECT_EQ(RecentPlaces(*settings, places), (PlaceList{tokyo, london}));
  settings->setValue("Places/Recent", QStringList{"Atlantis, XX", "London, GB", "London, GB", "Tokyo"});
  EXPECT_EQ(RecentPlaces(*settings, places), (PlaceList{london}));
  const PlaceList many = FindPlaces(places, "a", kRecentPlaceCount + 2);
  for (const qelobs::ZonePlace* p : many) RememberPlace(*settings, *p, places);
  EXPECT_EQ(RecentPlaces(*settings, places), PlaceList(many.rbegin(), many.rbegin() + kRecentPlaceCount));
}
