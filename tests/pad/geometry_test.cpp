// Which digit a point falls on, the hit test and the range fault.
#include "pad_fixture.h"

class GeometryTest : public PadTest {};

TEST_F(GeometryTest, IndicesWithoutACellReportTheRangeFault) {
  Build();
  CScriptedPrompt& prompt = rig.services.prompt;
  const struct { int sys; int digit; } cases[] = {
      {0, 36}, {0, 39}, {0, 44}, {0, -1}, {0, -99}, {0, 90}, {3, 0}, {-1, 0}, {9, 0},  // no system shown
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.sys << " " << c.digit);
    P().TimeSys() = c.sys;
    prompt.ClearShown();
    EXPECT_EQ(P().DigitRect(c.digit), CRect(0, 0, 0, 0));
    ASSERT_EQ(prompt.Shown().size(), 1u);
    EXPECT_EQ(prompt.Shown()[0].first.toStdString(), "CLumiraPad::GetDigitRect(): iDigit out of range.");
    EXPECT_EQ(prompt.Shown()[0].second, MB_OK);
  }
  // The place's digits have cells in every system.
  EXPECT_EQ(P().DigitRect(20).left, P().ObsRect().left);
}

TEST_F(GeometryTest, HitTestOfTextsLabelsArrowAndBareBar) {
  Build();
  for (const CRect& r : {P().DateRect(), P().ObsRect(), P().MagRect(), P().TimeSysRect(), P().EraRect()}) {
    EXPECT_EQ(Pad().GetLButtonPos(CLumiraPadProbe::Middle(r)), 0);
    EXPECT_EQ(Pad().GetLButtonPos(r.TopLeft()), 0);
    EXPECT_EQ(Pad().GetLButtonPos(CPoint(r.right, r.top)), -1) << "right edges lie outside";
  }
  // Each text ends with its last 7-pixel cell: a pixel further would be a
  // cell without a digit.
  const struct { const CRect& area; int cells; } texts[] = {
      {P().DateRect(), 20}, {P().ObsRect(), 16}, {P().MagRect(), 4}};
  for (const auto& t : texts) {
    EXPECT_EQ(Pad().GetLButtonPos(CPoint(t.area.left + 7 * t.cells - 1, t.area.top)), 0) << t.cells;
    EXPECT_EQ(Pad().GetLButtonPos(CPoint(t.area.left + 7 * t.cells, t.area.top)), -1) << t.cells;
  }
  EXPECT_EQ(Pad().GetLButtonPos(P().Arrow()), 1);
  EXPECT_EQ(Pad().GetLButtonPos(CPoint(2, 2)), -1);  // the gripper
  EXPECT_EQ(Pad().GetLButtonPos(CPoint(P().ClientRect().right - 2, 2)), -1);
}
