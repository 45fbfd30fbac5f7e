// Digit rectangles, the hit test and the track/trace marks' pixels.
#include <QImage>

#include "pad_test.h"

namespace {

const char* const kRangeMessage = "CLumiraPad::GetDigitRect(): iDigit out of range.";

CRect Span(const CRect& area, int left, int right) { return CRect(left, area.top, right, area.bottom); }

}  // namespace

class GeometryTest : public PadTest {
 protected:
  CScriptedPrompt& Prompt() { return rig.services.prompt; }
};

TEST_F(GeometryTest, DigitRectanglesOfTheThreeTexts) {
  Build();
  const CRect date = P().Date();
  ASSERT_EQ(date.left, 50);  // right after the era label
  // Calendar systems: the month is one two-cell unit.
  EXPECT_EQ(P().DigitRect(0), Span(date, 50, 57));
  EXPECT_EQ(P().DigitRect(6), Span(date, 92, 106));
  EXPECT_EQ(P().DigitRect(7), Span(date, 92, 106));
  EXPECT_EQ(P().DigitRect(8), Span(date, 106, 113));
  EXPECT_EQ(P().DigitRect(19), Span(date, 183, 190));
  for (int sys : {1, 2, 6, 7}) {
    P().TimeSys() = sys;
    EXPECT_EQ(P().DigitRect(7), Span(date, 92, 106)) << sys;
  }
  // JD, MJD, ST: every cell on its own.
  for (int sys : {4, 5, 8}) {
    P().TimeSys() = sys;
    EXPECT_EQ(P().DigitRect(6), Span(date, 92, 99)) << sys;
    EXPECT_EQ(P().DigitRect(7), Span(date, 99, 106)) << sys;
  }

  const CRect obs = P().Obs();
  EXPECT_EQ(P().DigitRect(20), Span(obs, obs.left, obs.left + 14));
  EXPECT_EQ(P().DigitRect(21), Span(obs, obs.left, obs.left + 14));
  EXPECT_EQ(P().DigitRect(22), Span(obs, obs.left + 14, obs.left + 21));
  EXPECT_EQ(P().DigitRect(35), Span(obs, obs.left + 105, obs.left + 112));

  const CRect mag = P().Mag();
  EXPECT_EQ(P().DigitRect(40), Span(mag, mag.left, mag.left + 14));
  EXPECT_EQ(P().DigitRect(41), Span(mag, mag.left, mag.left + 14));
  EXPECT_EQ(P().DigitRect(42), Span(mag, mag.left + 14, mag.left + 21));
  EXPECT_EQ(P().DigitRect(43), Span(mag, mag.left + 21, mag.left + 28));
  EXPECT_TRUE(Prompt().Shown().empty());
}

TEST_F(GeometryTest, IndicesWithoutACellReportTheRangeFault) {
  Build();
  for (int digit : {36, 39, 44, -1, -99, 90, 91}) {
    Prompt().ClearShown();
    EXPECT_EQ(P().DigitRect(digit), CRect(0, 0, 0, 0)) << digit;
    ASSERT_EQ(Prompt().Shown().size(), 1u) << digit;
    EXPECT_EQ(Prompt().Shown()[0].first.toStdString(), kRangeMessage);
    EXPECT_EQ(Prompt().Shown()[0].second, MB_OK);
  }
  // A date index while no time system is shown.
  for (int sys : {3, -1, 9}) {
    P().TimeSys() = sys;
    Prompt().ClearShown();
    EXPECT_EQ(P().DigitRect(0), CRect(0, 0, 0, 0)) << sys;
    EXPECT_EQ(Prompt().Shown().size(), 1u) << sys;
    EXPECT_EQ(P().DigitRect(20), Span(P().Obs(), P().Obs().left, P().Obs().left + 14)) << sys;
  }
}

TEST_F(GeometryTest, HitTestOfTextsLabelsArrowAndBareBar) {
  Build();
  auto centre = [](const CRect& r) { return CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2); };
  for (const CRect& r : {P().Date(), P().Obs(), P().Mag(), P().TimeSysRect(), P().EraRect()}) {
    EXPECT_EQ(Pad().GetLButtonPos(centre(r)), 0);
    EXPECT_EQ(Pad().GetLButtonPos(r.TopLeft()), 0);
    EXPECT_EQ(Pad().GetLButtonPos(CPoint(r.right, r.top)), -1) << "right edges lie outside";
  }
  EXPECT_EQ(Pad().GetLButtonPos(centre(P().TimeSysArrow())), 1);
  EXPECT_EQ(Pad().GetLButtonPos(CPoint(2, 2)), -1);                   // the gripper
  EXPECT_EQ(Pad().GetLButtonPos(centre(P().DateBtn())), -1);         // the date button's slot
  EXPECT_EQ(Pad().GetLButtonPos(CPoint(P().Client().right - 2, 2)), -1);
}

TEST_F(GeometryTest, DrawDigitEdgeOnlyRemembersTheDigit) {
  Build();
  const QImage before = Pad().Surface().copy();
  P().DrawDigitEdge(27);
  EXPECT_EQ(P().EdgeDigit(), 27);
  EXPECT_EQ(Pad().Surface(), before);
}

// The 26 x 12 mark box row by row: '#' text colour, '.' background, '?'
// a corner of the track mark's dot (left to the circle's rasterising).
const char* const kTrackRows[12] = {
    "####....####", "#..........#", "#..........#", "#..........#",
    "....?##?....", "....####....", "....####....", "....?##?....",
    "#..........#", "#..........#", "#..........#", "####....####",
};
const char* const kTraceRows[12] = {
    "############", "#...#...#..#", "#..#...#...#", "#.#...#...##",
    "##...#...#.#", "#...#...#..#", "#..#...#...#", "#.#...#...##",
    "##...#...#.#", "#...#...#..#", "#..#...#...#", "############",
};

TEST_F(GeometryTest, MarksPixelByPixel) {
  Build();
  const CRect client = P().Client();
  const CPoint o = MarkOrigin(P().Mag(), client);
  const COLORREF red = RGB(255, 0, 0);

  for (int state = 0; state < 4; ++state) {
    const bool track = state & 1, trace = state & 2;
    P().Track() = track;
    P().Trace() = trace;
    QImage image(client.Width(), client.Height(), QImage::Format_RGB32);
    image.fill(QColor(255, 0, 0));
    CDC dc(&image);
    dc.SetBkColor(RGB(1, 2, 3));
    dc.SetBkMode(OPAQUE);
    P().DrawTTMark(&dc);
    EXPECT_EQ(dc.GetBkColor(), RGB(1, 2, 3));  // the context as it was
    EXPECT_EQ(dc.GetBkMode(), OPAQUE);

    for (int y = -1; y <= 12; ++y) {
      for (int x = -1; x <= 26; ++x) {
        const COLORREF c = ToColorRef(image.pixel(o.x + x, o.y + y));
        if (x < 0 || x >= 26 || y < 0 || y >= 12) {
          ASSERT_EQ(c, red) << "outside the box at " << x << "," << y;
          continue;
        }
        char want = '.';
        if (x < 12 && track) want = kTrackRows[y][x];
        if (x >= 14 && trace) want = kTraceRows[y][x - 14];
        if (want == '?') continue;
        ASSERT_EQ(c, want == '#' ? P().Text() : P().Back()) << "state " << state << " at " << x << "," << y;
      }
    }
  }
}
