// The device context's pixel rules: exclusive right and bottom, lines
// without their end point, outlines inside the box.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPalette>
#include <algorithm>
#include <set>
#include <utility>

#include "framework/gdi.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

struct Canvas {
  QImage image{12, 12, QImage::Format_RGB32};
  CDC dc{&image};
  Canvas() { image.fill(Qt::white); }
  // Every pixel that is not white.
  std::set<std::pair<int, int>> Set() const {
    std::set<std::pair<int, int>> out;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (dc.GetPixel(x, y) != kWhite) out.insert({x, y});
    return out;
  }
};

std::set<std::pair<int, int>> Box(int l, int t, int r, int b) {
  std::set<std::pair<int, int>> out;
  for (int y = t; y < b; ++y)
    for (int x = l; x < r; ++x) out.insert({x, y});
  return out;
}

}  // namespace

TEST(DeviceContext, FillsCoverExactlyTheExclusiveRectangle) {
  Canvas c;
  c.dc.FillSolidRect(CRect(2, 3, 5, 7), kRed);
  EXPECT_EQ(c.Set(), Box(2, 3, 5, 7));
  EXPECT_EQ(c.dc.GetBkColor(), kRed) << "FillSolidRect leaves its colour as the background colour";

  Canvas f;
  const CBrush blue(kBlue);
  f.dc.FillRect(CRect(0, 0, 3, 2), &blue);
  EXPECT_EQ(f.Set(), Box(0, 0, 3, 2));
  EXPECT_EQ(f.dc.GetBkColor(), kWhite) << "FillRect keeps the background colour";
  f.dc.FillRect(CRect(5, 5, 9, 9), CBrush::Hollow());
  EXPECT_EQ(f.Set(), Box(0, 0, 3, 2)) << "the hollow brush fills nothing";

  Canvas clip;
  clip.dc.FillSolidRect(CRect(-5, -5, 100, 1), kRed);  // clipped, no crash
  EXPECT_EQ(clip.Set(), Box(0, 0, 12, 1));
}

TEST(DeviceContext, LinesStopBeforeTheirEndPoint) {
  Canvas c;
  const CPoint points[] = {{0, 0}, {4, 0}, {4, 4}};
  c.dc.Polyline(points, 3);
  std::set<std::pair<int, int>> expected = {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {4, 1}, {4, 2}, {4, 3}};
  EXPECT_EQ(c.Set(), expected) << "(4, 4) stays unset";

  Canvas l;
  l.dc.MoveTo(1, 1);
  l.dc.LineTo(1, 1);
  EXPECT_TRUE(l.Set().empty()) << "a line to its own start draws nothing";
  l.dc.MoveTo(5, 2);
  l.dc.LineTo(2, 5);  // diagonal, leftwards
  EXPECT_EQ(l.Set(), (std::set<std::pair<int, int>>{{5, 2}, {4, 3}, {3, 4}}));

  Canvas pen;
  CPen red(1, kRed);
  CPen* old = pen.dc.SelectObject(&red);
  pen.dc.MoveTo(0, 6);
  pen.dc.LineTo(3, 6);
  EXPECT_EQ(pen.dc.GetPixel(0, 6), kRed);
  EXPECT_EQ(pen.dc.GetPixel(2, 6), kRed);
  EXPECT_EQ(pen.dc.GetPixel(3, 6), kWhite);
  pen.dc.SelectObject(old);
  pen.dc.LineTo(3, 9);
  EXPECT_EQ(pen.dc.GetPixel(3, 6), RGB(0, 0, 0)) << "the default pen is black";
  CPen none;  // a pen never created draws nothing
  pen.dc.SelectObject(&none);
  pen.dc.MoveTo(8, 0);
  pen.dc.LineTo(8, 5);
  EXPECT_EQ(pen.dc.GetPixel(8, 0), kWhite);
}

TEST(DeviceContext, RectangleOutlinesInsideItsBox) {
  Canvas c;
  CPen red(1, kRed);
  CBrush blue(kBlue);
  c.dc.SelectObject(&red);
  c.dc.SelectObject(&blue);
  c.dc.Rectangle(0, 0, 5, 5);
  EXPECT_EQ(c.Set(), Box(0, 0, 5, 5));
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(c.dc.GetPixel(0, i), kRed);
    EXPECT_EQ(c.dc.GetPixel(4, i), kRed);
    EXPECT_EQ(c.dc.GetPixel(i, 0), kRed);
    EXPECT_EQ(c.dc.GetPixel(i, 4), kRed);
  }
  EXPECT_EQ(c.dc.GetPixel(2, 2), kBlue);
  EXPECT_EQ(c.dc.GetPixel(3, 3), kBlue);

  Canvas hollow;
  hollow.dc.SelectObject(CBrush::Hollow());
  hollow.dc.Rectangle(CRect(1, 1, 4, 4));
  std::set<std::pair<int, int>> ring = Box(1, 1, 4, 4);
  ring.erase({2, 2});
  EXPECT_EQ(hollow.Set(), ring);
}

TEST(DeviceContext, FrameAndThreeDimensionalEdges) {
  Canvas f;
  const CBrush black(RGB(0, 0, 0));
  f.dc.FrameRect(CRect(1, 1, 6, 5), &black);
  std::set<std::pair<int, int>> ring = Box(1, 1, 6, 5);
  for (auto p : Box(2, 2, 5, 4)) ring.erase(p);
  EXPECT_EQ(f.Set(), ring);

  Canvas e;
  e.dc.Draw3dRect(CRect(1, 1, 6, 5), kRed, kBlue);
  // top row and left column without their last pixel in the first colour
  for (int x = 1; x <= 4; ++x) EXPECT_EQ(e.dc.GetPixel(x, 1), kRed) << x;
  for (int y = 1; y <= 3; ++y) EXPECT_EQ(e.dc.GetPixel(1, y), kRed) << y;
  // bottom row and right column in full in the second
  for (int x = 1; x <= 5; ++x) EXPECT_EQ(e.dc.GetPixel(x, 4), kBlue) << x;
  for (int y = 1; y <= 4; ++y) EXPECT_EQ(e.dc.GetPixel(5, y), kBlue) << y;
  EXPECT_EQ(e.dc.GetPixel(5, 1), kBlue) << "top-right corner";
  EXPECT_EQ(e.dc.GetPixel(1, 4), kBlue) << "bottom-left corner";
  EXPECT_EQ(e.Set(), ring);
  EXPECT_EQ(e.dc.GetBkColor(), kBlue);
}

TEST(DeviceContext, EllipseStaysInsideItsBox) {
  Canvas c;
  CPen red(1, kRed);
  c.dc.SelectObject(&red);
  c.dc.Ellipse(2, 2, 9, 8);
  const auto set = c.Set();
  ASSERT_FALSE(set.empty());
  int minX = 99, maxX = -1, minY = 99, maxY = -1;
  for (auto [x, y] : set) {
    minX = std::min(minX, x); maxX = std::max(maxX, x);
    minY = std::min(minY, y); maxY = std::max(maxY, y);
  }
  EXPECT_EQ(minX, 2);
  EXPECT_EQ(maxX, 8);
  EXPECT_EQ(minY, 2);
  EXPECT_EQ(maxY, 7);
  EXPECT_EQ(c.dc.GetPixel(5, 5), kWhite) << "the default white brush fills the inside";
}

TEST(DeviceContext, BitBltCopiesTheBlock) {
  CBitmap strip;
  ASSERT_TRUE(strip.CreateCompatibleBitmap(6, 2));
  CDC mem;
  mem.CreateCompatibleDC(nullptr);
  CBitmap* old = mem.SelectObject(&strip);
  EXPECT_EQ(old, nullptr);
  mem.FillSolidRect(CRect(0, 0, 3, 2), kRed);
  mem.FillSolidRect(CRect(3, 0, 6, 2), kBlue);
  EXPECT_EQ(mem.GetPixel(0, 0), kRed);
  EXPECT_EQ(strip.Image().pixel(4, 1), qRgb(0, 0, 255));

  Canvas c;
  c.dc.BitBlt(5, 5, 3, 2, &mem, 3, 0, SRCCOPY);
  EXPECT_EQ(c.Set(), Box(5, 5, 8, 7));
  EXPECT_EQ(c.dc.GetPixel(5, 5), kBlue);
  c.dc.BitBlt(0, 0, 4, 1, &mem, 4, 1);  // half outside the source
  EXPECT_EQ(c.dc.GetPixel(0, 0), kBlue);
  EXPECT_EQ(c.dc.GetPixel(1, 0), kBlue);
  EXPECT_EQ(c.dc.GetPixel(2, 0), kWhite) << "only the part inside the source is copied";
  mem.SelectObject(old);
  EXPECT_FALSE(mem.BitBlt(0, 0, 1, 1, &c.dc, 0, 0)) << "nothing selected: nothing to draw into";
  EXPECT_EQ(mem.GetPixel(0, 0), 0xFFFFFFFFu);
  CBitmap empty;
  EXPECT_FALSE(empty.CreateCompatibleBitmap(0, 5));
}

TEST(DeviceContext, TextUsesModeAndColours) {
  QImage img(60, 20, QImage::Format_RGB32);
  img.fill(Qt::black);
  CDC dc(&img);
  dc.SetBkColor(kBlue);
  dc.SetTextColor(kRed);
  dc.TextOut(2, 2, QStringLiteral("MJD"));
  EXPECT_EQ(dc.GetPixel(2, 2), kBlue) << "opaque mode fills the text box";
  bool red = false;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 60; ++x) red = red || QColor(img.pixel(x, y)).red() > 200;
  EXPECT_TRUE(red);

  img.fill(Qt::black);
  dc.SetBkMode(TRANSPARENT);
  dc.TextOut(2, 2, QStringLiteral("MJD"));
  EXPECT_EQ(dc.GetPixel(2, 2), RGB(0, 0, 0)) << "transparent mode leaves the background";
  EXPECT_GT(dc.GetTextExtent(QStringLiteral("MJD")).cx, 10);
}

TEST(DeviceContext, SystemColoursFollowThePalette) {
  const QPalette pal = QGuiApplication::palette();
  const QColor face = pal.color(QPalette::Button);
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(face.red(), face.green(), face.blue()));
  const QColor light = pal.color(QPalette::Light);
  EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), RGB(light.red(), light.green(), light.blue()));
  const QColor dark = pal.color(QPalette::Dark);
  EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), RGB(dark.red(), dark.green(), dark.blue()));
}
