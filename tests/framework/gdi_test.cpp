// The device context's pixel rules, each drawn on a small white canvas,
// side by side in one golden picture: exclusive right and bottom, lines
// without their end point, outlines inside the box, and copies clipped to
// the source.
#include <gtest/gtest.h>

#include <QPainter>
#include <functional>
#include <string>

#include "framework/gdi.h"
#include "golden.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

}  // namespace

TEST(DeviceContext, DrawsByThePixelRules) {
  static CPen red(1, kRed);
  static CBrush blue(kBlue), black(RGB(0, 0, 0));
  struct Case { const char* what; std::function<void(CDC&)> draw; };
  const Case cases[] = {
      {"fill: right and bottom exclusive, clipped", [](CDC& dc) { dc.FillSolidRect(CRect(-5, 1, 3, 3), kRed); }},
      {"hollow brush fills nothing", [](CDC& dc) { dc.FillRect(CRect(0, 0, 5, 5), CBrush::Hollow()); }},
      {"polyline stops before its last point",
       [](CDC& dc) { const CPoint points[] = {{0, 0}, {4, 0}, {4, 4}}; dc.Polyline(points, 3); }},
      {"diagonal leftwards, a line to its start draws nothing",
       [](CDC& dc) {
         dc.SelectObject(&red);
         dc.MoveTo(1, 1); dc.LineTo(1, 1);
         dc.MoveTo(5, 2); dc.LineTo(2, 5);
       }},
      {"a pen never created draws nothing",
       [](CDC& dc) { static CPen none; dc.SelectObject(&none); dc.MoveTo(0, 0); dc.LineTo(5, 0); }},
      {"rectangle: outline in the pen inside the box, filled with the brush",
       [](CDC& dc) { dc.SelectObject(&red); dc.SelectObject(&blue); dc.Rectangle(0, 0, 5, 4); }},
      {"frame rectangle", [](CDC& dc) { dc.FrameRect(CRect(1, 1, 6, 5), &black); }},
      {"3-D edge: top and left without their last pixel in the first colour",
       [](CDC& dc) { dc.Draw3dRect(CRect(1, 1, 6, 5), kRed, kBlue); }},
      {"ellipse stays inside its box, white inside", [](CDC& dc) { dc.SelectObject(&red); dc.Ellipse(0, 0, 7, 6); }},
      {"copy: only the part inside the source",
       [](CDC& dc) {
         static CBitmap strip;
         strip.CreateCompatibleBitmap(6, 2);
         CDC mem;
         mem.CreateCompatibleDC(nullptr);
         mem.SelectObject(&strip);
         mem.FillSolidRect(CRect(0, 0, 3, 2), kRed);
         mem.FillSolidRect(CRect(3, 0, 6, 2), kBlue);
         dc.BitBlt(1, 1, 4, 2, &mem, 2, 0, SRCCOPY);
         dc.BitBlt(0, 4, 4, 1, &mem, 4, 1);
       }},
  };
  // Each case on a white 8 x 6 canvas of its own, side by side.
  QImage strip(8 * int(std::size(cases)), 6, QImage::Format_RGB32);
  QPainter painter(&strip);
  for (size_t i = 0; i < std::size(cases); ++i) {
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(Qt::white);
    CDC dc(&image);
    cases[i].draw(dc);
    painter.drawImage(8 * int(i), 0, image);
  }
  painter.end();
  EXPECT_TRUE(MatchesGolden(strip, "gdi-pixel-rules"));
}

TEST(DeviceContext, BackgroundColourAndTextMode) {
  QImage img(60, 20, QImage::Format_RGB32);
  img.fill(Qt::black);
  CDC dc(&img);
  dc.FillRect(CRect(0, 0, 1, 1), CBrush::Hollow());
  EXPECT_EQ(dc.GetBkColor(), RGB(255, 255, 255)) << "FillRect keeps the background colour";
  dc.FillSolidRect(CRect(0, 0, 0, 0), kBlue);
  EXPECT_EQ(dc.GetBkColor(), kBlue) << "FillSolidRect leaves its colour as the background colour";
  dc.SetTextColor(kRed);
  dc.TextOut(2, 2, QStringLiteral("MJD"));
  EXPECT_EQ(dc.GetPixel(2, 2), kBlue) << "opaque mode fills the text box";
  int red = 0;
  for (int x = 0; x < 60; ++x) red += QColor(img.pixel(x, 10)).red() > 200;
  EXPECT_GT(red, 0) << "the text shows";
  img.fill(Qt::black);
  dc.SetBkMode(TRANSPARENT);
  dc.TextOut(2, 2, QStringLiteral("MJD"));
  EXPECT_EQ(dc.GetPixel(2, 2), RGB(0, 0, 0)) << "transparent mode leaves the background";
}
