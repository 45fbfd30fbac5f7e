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

TEST_F(GeometryTest, MarksPixelByPixel) {
  Build();
  const CRect client = P().Client();
  const CPoint o = MarkOrigin(P().Mag(), client);
  const COLORREF text = P().Text(), back = P().Back(), red = RGB(255, 0, 0);

  // Draws the marks on a red image the size of the client area and reads
  // back the 26 x 12 box as rows of '#' (text), '.' (background), 'r' (untouched).
  auto draw = [&](BOOL track, BOOL trace) {
    P().Track() = track;
    P().Trace() = trace;
    QImage image(client.Width(), client.Height(), QImage::Format_RGB32);
    image.fill(QColor(255, 0, 0));
    CDC dc(&image);
    dc.SetBkColor(RGB(1, 2, 3));
    dc.SetBkMode(OPAQUE);
    P().DrawTTMark(&dc);
    EXPECT_EQ(dc.GetBkColor(), RGB(1, 2, 3));  // restored
    EXPECT_EQ(dc.GetBkMode(), OPAQUE);
    std::vector<std::string> rows;
    for (int y = o.y - 1; y <= o.y + 12; ++y) {
      std::string row;
      for (int x = o.x - 1; x <= o.x + 26; ++x) {
        const COLORREF c = ToColorRef(image.pixel(x, y));
        row += c == text ? '#' : c == back ? '.' : c == red ? 'r' : '?';
      }
      rows.push_back(row);
    }
    return rows;
  };

  const std::vector<std::string> none = draw(FALSE, FALSE);
  const std::string redRow(28, 'r'), clearRow = "r" + std::string(26, '.') + "r";
  EXPECT_EQ(none.front(), redRow);
  EXPECT_EQ(none.back(), redRow);
  for (int i = 1; i <= 12; ++i) EXPECT_EQ(none[i], clearRow) << i;

  // Track: four corners (end points left out) and a dot; trace half clear.
  const std::vector<std::string> track = draw(TRUE, FALSE);
  auto at = [&](const std::vector<std::string>& rows, int dx, int dy) { return rows[dy + 1][dx + 1]; };
  // top-left corner: (0,0)..(3,0) and (0,1)..(0,3)
  for (int dx = 0; dx <= 3; ++dx) EXPECT_EQ(at(track, dx, 0), '#') << dx;
  EXPECT_EQ(at(track, 4, 0), '.');
  for (int dy = 1; dy <= 3; ++dy) EXPECT_EQ(at(track, 0, dy), '#') << dy;
  EXPECT_EQ(at(track, 0, 4), '.');
  // top-right: (8,0)..(10,0), (11,0)..(11,3); (11,4) left out
  for (int dx = 8; dx <= 11; ++dx) EXPECT_EQ(at(track, dx, 0), '#') << dx;
  for (int dy = 0; dy <= 3; ++dy) EXPECT_EQ(at(track, 11, dy), '#') << dy;
  EXPECT_EQ(at(track, 11, 4), '.');
  // bottom-right: (11,8)..(11,11), (10,11)..(8,11); (7,11) left out
  for (int dy = 8; dy <= 11; ++dy) EXPECT_EQ(at(track, 11, dy), '#') << dy;
  for (int dx = 8; dx <= 10; ++dx) EXPECT_EQ(at(track, dx, 11), '#') << dx;
  EXPECT_EQ(at(track, 7, 11), '.');
  // bottom-left: (3,11)..(1,11), (0,11)..(0,8); (0,7) left out
  for (int dx = 0; dx <= 3; ++dx) EXPECT_EQ(at(track, dx, 11), '#') << dx;
  for (int dy = 8; dy <= 11; ++dy) EXPECT_EQ(at(track, 0, dy), '#') << dy;
  EXPECT_EQ(at(track, 0, 7), '.');
  // the dot inside (4,4)-(8,8), the middle of the sides clear
  EXPECT_EQ(at(track, 5, 5), '#');
  EXPECT_EQ(at(track, 6, 6), '#');
  EXPECT_EQ(at(track, 2, 2), '.');
  EXPECT_EQ(at(track, 5, 0), '.');
  EXPECT_EQ(at(track, 11, 6), '.');
  // right half untouched by the track mark
  for (int dy = 0; dy < 12; ++dy) {
    for (int dx = 12; dx < 26; ++dx) EXPECT_EQ(at(track, dx, dy), '.') << dx << "," << dy;
  }

  // Trace only: an outlined 12 x 12 square at x0 + 14 with four strokes;
  // the track half stays clear.
  const std::vector<std::string> trace = draw(FALSE, TRUE);
  for (int dy = 0; dy < 12; ++dy) {
    for (int dx = 0; dx < 14; ++dx) EXPECT_EQ(at(trace, dx, dy), '.') << dx << "," << dy;
  }
  for (int d = 0; d < 12; ++d) {
    EXPECT_EQ(at(trace, 14 + d, 0), '#') << d;   // top
    EXPECT_EQ(at(trace, 14 + d, 11), '#') << d;  // bottom (row y0 + 11)
    EXPECT_EQ(at(trace, 14, d), '#') << d;       // left
    EXPECT_EQ(at(trace, 25, d), '#') << d;       // right (column x1 + 11)
  }
  // Strokes: (5,0)->(0,5) passes (3,2); (0,9)->(9,0) passes (4,5);
  // (11,2)->(1,12) passes (6,7); (6,11)->(11,6) passes (8,9).
  EXPECT_EQ(at(trace, 14 + 3, 2), '#');
  EXPECT_EQ(at(trace, 14 + 4, 5), '#');
  EXPECT_EQ(at(trace, 14 + 6, 7), '#');
  EXPECT_EQ(at(trace, 14 + 8, 9), '#');
  // Between the strokes the square is filled with the background.
  EXPECT_EQ(at(trace, 14 + 1, 1), '.');
  EXPECT_EQ(at(trace, 14 + 6, 2), '.');
  EXPECT_EQ(at(trace, 14 + 10, 9), '.');

  // Both: the union.
  const std::vector<std::string> both = draw(TRUE, TRUE);
  EXPECT_EQ(at(both, 0, 0), '#');
  EXPECT_EQ(at(both, 14, 0), '#');
  // Nothing outside the box is touched in any state.
  for (const auto* rows : {&track, &trace, &both}) {
    EXPECT_EQ(rows->front(), redRow);
    EXPECT_EQ(rows->back(), redRow);
    for (int i = 1; i <= 12; ++i) {
      EXPECT_EQ((*rows)[i].front(), 'r');
      EXPECT_EQ((*rows)[i].back(), 'r');
    }
  }
}
