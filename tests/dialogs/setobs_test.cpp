// The location dialog: how a place opens as degrees and minutes, and the
// check of what is typed.
#include "dialog_test.h"

namespace {

constexpr int kEast = 6030, kWest = 6031, kNorth = 1080, kSouth = 1081;
constexpr int kLonDeg = 6032, kLonMin = 6033, kLatDeg = 1001, kLatMin = 1003;

class SetObsTest : public DialogTest {};

TEST_F(SetObsTest, PlacesSplitIntoDegreesAndMinutes) {
  struct Case {
    double value;
    int hemisphere, degrees;
    const char* minutes;
  };
  const Case cases[] = {
      {135.75, 0, 135, "45.0"}, {-0.5, 1, 0, "30.0"},   {35.999, 0, 35, "59.9"},
      {35.9995, 0, 36, "0.0"},  {35.99999, 0, 36, "0.0"}, {-139.5, 1, 139, "30.0"},
      {0.0, 0, 0, "0.0"},       {-180.0, 1, 180, "0.0"}, {1e300, 0, 1000000000, "0.0"},
  };
  for (const Case& c : cases) {
    CDlgSetObs d(ctx);
    d.SetObs(c.value, -c.value);
    CDlgSetObsProbe p(d);
    EXPECT_EQ(p.EW(), c.hemisphere) << c.value;
    EXPECT_EQ(p.LonDeg(), c.degrees) << c.value;
    EXPECT_EQ(p.LonMin().toStdString(), c.minutes) << c.value;
    EXPECT_EQ(p.NS(), c.value > 0 ? 1 : 0) << c.value;
    EXPECT_EQ(p.LatDeg(), c.degrees) << c.value;
    EXPECT_EQ(p.LatMin().toStdString(), c.minutes) << c.value;
  }
}

TEST_F(SetObsTest, OpensWithThePlaceAndReturnsItUnchanged) {
  auto d = std::make_unique<CDlgSetObs>(ctx);
  d->SetPosition(250, 180);
  d->SetObs(-139.5, 35.99999);
  ASSERT_TRUE(d->CreateFromTemplate());
  EXPECT_TRUE(ui::Checked(*d, kWest));
  EXPECT_FALSE(ui::Checked(*d, kEast));
  EXPECT_TRUE(ui::Checked(*d, kNorth));
  EXPECT_FALSE(ui::Checked(*d, kSouth));
  EXPECT_EQ(ui::Text(*d, kLonDeg), "139");
  EXPECT_EQ(ui::Text(*d, kLonMin), "30.0");
  EXPECT_EQ(ui::Text(*d, kLatDeg), "36");
  EXPECT_EQ(ui::Text(*d, kLatMin), "0.0");
  CRect window;
  d->GetWindowRect(&window);
  EXPECT_EQ(window.top, 250);
  EXPECT_EQ(window.left, 180);

  ASSERT_TRUE(ui::PressOk(*d));
  double longitude = 0, latitude = 0;
  d->GetObs(&longitude, &latitude);
  EXPECT_DOUBLE_EQ(longitude, -139.5);
  EXPECT_DOUBLE_EQ(latitude, 36.0);
  EXPECT_EQ(MessageCount(), 0);
}

TEST_F(SetObsTest, EveryFieldIsCheckedInOrder) {
  struct Case {
    const char *lonDeg, *lonMin, *latDeg, *latMin;
    UINT message;  // 0: accepted
    int focus;
  };
  const Case cases[] = {
      {"180", "0.0", "35", "0", 0, 0},          {"180", "0.1", "35", "0", 6108, kLonDeg},
      {"135", "0", "90", "0.5", 6109, kLatDeg}, {"135", "0", "90", "0", 0, 0},
      {"135", "60", "35", "60", 0, 0},          {"135", "60.1", "35", "0", 6110, kLonMin},
      {"135", "0", "35", "60.1", 6111, kLatMin}, {"135", "-5", "35", "0", 6112, kLonMin},
      {"135", " 5", "35", "0", 6112, kLonMin},  {"135", "5a", "35", "0", 6112, kLonMin},
      {"135", "1.2.3", "35", "0", 6112, kLonMin}, {"135", "1e1", "35", "0", 6112, kLonMin},
      {"135", "0", "35", "-0", 6112, kLatMin},  {"135", "", "35", "", 0, 0},
      {"135", "5.", "35", "0", 0, 0},           {"-5", "0", "35", "0", 6108, kLonDeg},
      {"181", "0", "35", "0", 6108, kLonDeg},   {"135", "0", "-5", "0", 6109, kLatDeg},
      {"99999999999", "0", "35", "0", 6108, kLonDeg},
      {"135", "99999999999999999999", "35", "0", 6110, kLonMin},
      // Step order: the longitude's minutes before the latitude's degrees.
      {"135", "x", "95", "0", 6112, kLonMin},   {"180", "30", "90", "30", 6108, kLonDeg},
  };
  for (const Case& c : cases) {
    services.prompt.ClearShown();
    auto d = OpenObs(0.0, 0.0);
    ui::Type(*d, kLonDeg, c.lonDeg);
    ui::Type(*d, kLonMin, c.lonMin);
    ui::Type(*d, kLatDeg, c.latDeg);
    ui::Type(*d, kLatMin, c.latMin);
    const std::string label = std::string(c.lonDeg) + "/" + c.lonMin + "/" + c.latDeg + "/" + c.latMin;
    if (c.message == 0) {
      EXPECT_TRUE(ui::PressOk(*d)) << label;
      EXPECT_EQ(MessageCount(), 0) << label << ": " << LastMessage();
      continue;
    }
    EXPECT_FALSE(ui::PressOk(*d)) << label;
    ASSERT_EQ(MessageCount(), 1) << label;
    EXPECT_EQ(LastMessage(), Message(c.message)) << label;
    EXPECT_EQ(services.prompt.Shown()[0].second, UINT(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_TRUE(ui::Focused(*d, c.focus)) << label;
  }
}

TEST_F(SetObsTest, MinutesAndHemispheresMakeTheValues) {
  auto d = OpenObs(135.0, 35.0);
  ui::Type(*d, kLonMin, "60");
  ui::Type(*d, kLatMin, "");
  ui::Check(*d, kWest);
  ui::Check(*d, kSouth);
  ASSERT_TRUE(ui::PressOk(*d));
  double longitude = 0, latitude = 0;
  d->GetObs(&longitude, &latitude);
  EXPECT_DOUBLE_EQ(longitude, -136.0);
  EXPECT_DOUBLE_EQ(latitude, -35.0);
}

TEST_F(SetObsTest, DegreesThatAreNoWholeNumberKeepTheDialogOpen) {
  auto d = OpenObs(135.0, 35.0);
  ui::Type(*d, kLatDeg, "35.5");  // a real number: the check passes it ...
  EXPECT_FALSE(ui::PressOk(*d));  // ... and the exchange refuses it
  EXPECT_EQ(MessageCount(), 1);
  EXPECT_EQ(LastMessage(), kNotWholeNumber);
  EXPECT_TRUE(ui::Focused(*d, kLatDeg));
  ui::Type(*d, kLatDeg, "35");
  EXPECT_TRUE(ui::PressOk(*d));

  services.prompt.ClearShown();
  auto c = OpenObs(135.0, 35.0);
  ui::Type(*c, kLonDeg, "200");
  c->PressButton(IDCANCEL);
  EXPECT_TRUE(c->HasEnded());
  EXPECT_EQ(c->Result(), IDCANCEL);
  EXPECT_EQ(MessageCount(), 0);
}

}  // namespace
