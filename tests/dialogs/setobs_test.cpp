// The location dialog: how a place opens as degrees and minutes, the check
// of what is typed, and the place OK hands back.
#include "dialog_test.h"

namespace {

constexpr int kWest = 6031, kSouth = 1081;
constexpr int kLonDeg = 6032, kLonMin = 6033, kLatDeg = 1001, kLatMin = 1003;
constexpr UINT kNotWhole = 1;

// "W139 30.0 N36 0.0": hemisphere, degrees and minutes as the dialog shows them.
std::string Place(CDialog& d) {
  return (ui::Checked(d, kWest) ? "W" : "E") + ui::Text(d, kLonDeg) + " " + ui::Text(d, kLonMin) +
         (ui::Checked(d, kSouth) ? " S" : " N") + ui::Text(d, kLatDeg) + " " + ui::Text(d, kLatMin);
}

class SetObsTest : public DialogTest {};

TEST_F(SetObsTest, PlacesOpenAsDegreesAndMinutesAndComeBackFromOk) {
  const struct { double longitude, latitude; const char* shown; } cases[] = {
      {135.75, -135.75, "E135 45.0 S135 45.0"}, {-0.5, 0.5, "W0 30.0 N0 30.0"},
      {35.999, -35.999, "E35 59.9 S35 59.9"},   {35.9995, 0.0, "E36 0.0 N0 0.0"},
      {-180.0, -35.99999, "W180 0.0 S36 0.0"},  {1e300, -1e300, "E1000000000 0.0 S1000000000 0.0"},
  };
  for (const auto& c : cases) {
    auto d = OpenObs(c.longitude, c.latitude);
    EXPECT_EQ(Place(*d), c.shown) << c.longitude;
  }
  // West and south, the minutes rounded to a tenth, come back as shown.
  auto d = OpenObs(-139.5, -35.99999);
  ASSERT_TRUE(ui::PressOk(*d));
  double longitude = 0, latitude = 0;
  d->GetObs(&longitude, &latitude);
  EXPECT_DOUBLE_EQ(longitude, -139.5);
  EXPECT_DOUBLE_EQ(latitude, -36.0);
}

TEST_F(SetObsTest, EveryFieldIsCheckedInOrder) {
  struct Case {
    const char *lonDeg, *lonMin, *latDeg, *latMin;
    UINT message;  // 0: accepted, at the place that follows
    int focus;
    double longitude = 0, latitude = 0;
  };
  const Case cases[] = {
      {"180", "0.0", "35", "0", 0, 0, 180, 35},  {"180", "0.1", "35", "0", 6108, kLonDeg},
      {"135", "0", "90", "0.5", 6109, kLatDeg},  {"135", "0", "90", "0", 0, 0, 135, 90},
      {"135", "60", "35", "60", 0, 0, 136, 36},  {"135", "60.1", "35", "0", 6110, kLonMin},
      {"135", "0", "35", "60.1", 6111, kLatMin}, {"135", "-5", "35", "0", 6112, kLonMin},
      {"135", "5a", "35", "0", 6112, kLonMin},   {"135", "1.2.3", "35", "0", 6112, kLonMin},
      {"135", "0", "35", "-0", 6112, kLatMin},   {"135", "", "35", "", 0, 0, 135, 35},
      {"135", "7.5", "35", "0", 0, 0, 135.125, 35}, {"-5", "0", "35", "0", 6108, kLonDeg},
      {"181", "0", "35", "0", 6108, kLonDeg},    {"135", "0", "-5", "0", 6109, kLatDeg},
      {"0", "0", "0", "30", 0, 0, 0, 0.5},  // Greenwich and the equator: zero degrees are a place
      // Step order: the longitude's minutes before the latitude's degrees.
      {"135", "x", "95", "0", 6112, kLonMin},    {"180", "30", "90", "30", 6108, kLonDeg},
      // Degrees that are a real number pass the check and the exchange refuses them.
      {"135", "0", "35.5", "0", kNotWhole, kLatDeg},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.lonDeg) + "/" + c.lonMin + "/" + c.latDeg + "/" + c.latMin);
    services.prompt.ClearShown();
    auto d = OpenObs(0.0, 0.0);
    ui::Type(*d, kLonDeg, c.lonDeg);
    ui::Type(*d, kLonMin, c.lonMin);
    ui::Type(*d, kLatDeg, c.latDeg);
    ui::Type(*d, kLatMin, c.latMin);
    EXPECT_EQ(ui::PressOk(*d), c.message == 0);
    EXPECT_EQ(Refusal(), c.message == 0 ? "" : c.message == kNotWhole ? kNotWholeNumber : Message(c.message));
    if (c.message != 0) {
      EXPECT_TRUE(ui::Focused(*d, c.focus));
      continue;
    }
    double longitude = 0, latitude = 0;
    d->GetObs(&longitude, &latitude);
    EXPECT_DOUBLE_EQ(longitude, c.longitude);
    EXPECT_DOUBLE_EQ(latitude, c.latitude);
  }
}

}  // namespace
