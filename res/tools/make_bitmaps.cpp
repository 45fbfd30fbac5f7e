// Draws the pad module's bitmaps and writes them as BMP files:
//   DATEU/DATED/DATEF/DATEX  calendar button, up/down/focused/disabled (16x15)
//   OBSU/OBSD/OBSF/OBSX      globe button, the same four looks (16x15)
//   6013                     time-system menu arrow (9x16)
//   6233                     thirty Moon ages side by side (570x19, 8-bit)
// and each again for the larger bar sizes (NAME@150.bmp, NAME@200.bmp),
// drawn at that many device pixels rather than enlarged: every device
// pixel looks up the pad pixel that covers it, as the window layer maps
// them, and the smooth pictures are sampled at the device pixel's own area.
// Usage: make-bitmaps OUTPUT_DIR
//
// Every picture is computed, not hand-drawn, so the files can be remade
// exactly; the output is deterministic.
#include <QColor>
#include <QDir>
#include <QImage>
#include <QString>
#include <QVector>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>
#include <optional>

#include "framework/scale.h"

namespace {

// The pad's dark scheme.
const QRgb kBack = qRgb(53, 58, 66);
const QRgb kLightBlue = qRgb(118, 175, 227);
const QRgb kBevelLight = qRgb(98, 106, 118);
const QRgb kBevelDark = qRgb(26, 29, 34);

constexpr int kButtonWidth = 16;
constexpr int kButtonHeight = 15;

QRgb Mix(QRgb a, QRgb b, double t) {
  auto ch = [t](int x, int y) { return int(std::lround(x + (y - x) * t)); };
  return qRgb(ch(qRed(a), qRed(b)), ch(qGreen(a), qGreen(b)), ch(qBlue(a), qBlue(b)));
}

QRgb Scale(QRgb c, double f) {
  auto ch = [f](int x) { return std::clamp(int(std::lround(x * f)), 0, 255); };
  return qRgb(ch(qRed(c)), ch(qGreen(c)), ch(qBlue(c)));
}

// An icon is a colour at a point of the button (pixel centres at i + 0.5),
// or nothing where the background shows through.
using Icon = std::function<std::optional<QRgb>(double x, double y)>;

// Calendar sheet: two rings, a light-blue header, a grid of days with one
// day marked.  Pixel art, so each point looks up its pixel.
std::optional<QRgb> Calendar(double x, double y) {
  const int px = int(std::floor(x)), py = int(std::floor(y));
  const QRgb page = qRgb(226, 231, 238);
  const QRgb ring = qRgb(196, 202, 210);
  const QRgb day = qRgb(70, 78, 92);
  const QRgb today = qRgb(214, 84, 64);
  const QRgb header = kLightBlue;
  if ((px == 5 || px == 10) && py >= 1 && py <= 3) return ring;
  if (px < 2 || px > 13 || py < 3 || py > 13) return std::nullopt;
  if (px == 2 || px == 13 || py == 13) return Scale(page, 0.78);  // sheet edge
  if (py <= 5) return header;
  const bool dayColumn = px >= 4 && px <= 11 && (px - 4) % 2 == 0;
  const bool dayRow = py == 7 || py == 9 || py == 11;
  if (dayColumn && dayRow) return (px == 8 && py == 9) ? today : day;
  return page;
}

// Globe: a blue disc with two parallels, the equator, the central meridian
// and two meridian ellipses, inside a light rim.
std::optional<QRgb> Globe(double x, double y) {
  // Grid lines fall on pixel centres so they stay crisp at this size.
  const double cx = 7.5, cy = 7.5, r = 6.3;
  const double u = (x - cx) / r, v = (y - cy) / r;
  const double d2 = u * u + v * v;
  if (d2 > 1.0) return std::nullopt;
  const QRgb sea = qRgb(38, 84, 138);
  const QRgb grid = qRgb(176, 212, 242);
  const double line = 0.07;  // half-width of a grid line, in radii
  if (d2 > (1.0 - 2 * line) * (1.0 - 2 * line)) return kLightBlue;  // rim
  const double w = std::sqrt(1.0 - v * v);
  const bool meridian = std::abs(u) < line || std::abs(std::abs(u) - 0.635 * w) < line;
  const bool parallel = std::abs(v) < line || std::abs(std::abs(v) - 0.476) < line;
  if (meridian || parallel) return grid;
  // A little light from the upper left keeps the disc from looking flat.
  const double light = 0.85 + 0.3 * std::max(0.0, -(u + v) * 0.5);
  return Scale(sea, light);
}

enum class Look { Up, Down, Focused, Disabled };

// One button image: bevel (or focus frame), then the icon, supersampled
// 4x4 per pixel.  Down shifts the icon one pixel right and down and darkens
// the face; Disabled turns it into a faint grey.
QImage MakeButton(const Icon& icon, Look look, const CScale& scale) {
  QImage img(scale.Device(kButtonWidth), scale.Device(kButtonHeight), QImage::Format_RGB32);
  img.fill(kBack);
  const double shift = look == Look::Down ? 1.0 : 0.0;
  const double f = scale.Factor();
  constexpr int kSamples = 4;
  for (int dy = scale.Device(1); dy < scale.Device(kButtonHeight - 1); ++dy) {
    for (int dx = scale.Device(1); dx < scale.Device(kButtonWidth - 1); ++dx) {
      double r = 0, g = 0, b = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const double x = (dx + (sx + 0.5) / kSamples) / f - shift;
          const double y = (dy + (sy + 0.5) / kSamples) / f - shift;
          const QRgb c = icon(x, y).value_or(kBack);
          r += qRed(c), g += qGreen(c), b += qBlue(c);
        }
      }
      const double n = kSamples * kSamples;
      QRgb c = qRgb(int(std::lround(r / n)), int(std::lround(g / n)), int(std::lround(b / n)));
      if (look == Look::Down) c = Scale(c, 0.78);
      if (look == Look::Disabled) {
        const int grey = qGray(c);
        c = Mix(kBack, qRgb(grey, grey, grey), 0.4);
      }
      img.setPixel(dx, dy, c);
    }
  }
  const int right = kButtonWidth - 1, bottom = kButtonHeight - 1;
  // The bottom row and right column (with the corners they meet) in one
  // colour, the rest of the edge in the other, each pad pixel whole.
  auto frame = [&](QRgb topLeft, QRgb bottomRight) {
    for (int dy = 0; dy < img.height(); ++dy) {
      for (int dx = 0; dx < img.width(); ++dx) {
        const int x = scale.Logical(dx), y = scale.Logical(dy);
        if (x == right || y == bottom) img.setPixel(dx, dy, bottomRight);
        else if (x == 0 || y == 0) img.setPixel(dx, dy, topLeft);
      }
    }
  };
  switch (look) {
    case Look::Up:
    case Look::Disabled: frame(kBevelLight, kBevelDark); break;
    case Look::Down: frame(kBevelDark, kBevelLight); break;
    case Look::Focused: frame(kLightBlue, kLightBlue); break;
  }
  return img;
}

// The time-system arrow: a small downward triangle in light blue on the
// black display panel.
QImage MakeArrow(const CScale& scale) {
  QImage img(scale.Device(9), scale.Device(16), QImage::Format_RGB32);
  img.fill(qRgb(0, 0, 0));
  for (int dy = 0; dy < img.height(); ++dy) {
    for (int dx = 0; dx < img.width(); ++dx) {
      const int row = scale.Logical(dy) - 6, x = scale.Logical(dx);
      if (row >= 0 && row < 4 && x >= 1 + row && x <= 7 - row) img.setPixel(dx, dy, kLightBlue);
    }
  }
  return img;
}

// --- The Moon strip ---------------------------------------------------------

constexpr int kMoonSize = 19;
constexpr int kMoonAges = 30;
constexpr double kSynodicMonth = 29.53;

// Dark seas on the near side, in disc coordinates (x right, y down, radius
// 1) as seen from the northern hemisphere.
struct Mare { double u, v, r; };
constexpr Mare kMaria[] = {
    {-0.35, -0.42, 0.26},  // Imbrium
    {0.22, -0.40, 0.16},   // Serenitatis
    {0.33, -0.05, 0.20},   // Tranquillitatis
    {0.70, -0.30, 0.11},   // Crisium
    {0.58, 0.18, 0.13},    // Fecunditatis
    {-0.62, 0.00, 0.28},   // Procellarum
    {-0.20, 0.42, 0.15},   // Nubium
};

// Grey level of one point of the Moon's picture at phase angle phase
// (0 new, pi full): 0 sky, a dim level for the unlit disc, brighter for the
// lit part, with seas and a little limb darkening.  The terminator is the
// ellipse u = w cos(phase) across each row of half-width w, so a row's lit
// share is (1 - cos(phase)) / 2, the illuminated fraction.
double MoonLevel(double u, double v, double phase) {
  const double d2 = u * u + v * v;
  if (d2 > 1.0) return 0.0;
  const double w = std::sqrt(1.0 - v * v);
  const double edge = w * std::cos(phase);
  const bool waxing = phase <= std::numbers::pi;  // lit on the right
  const bool lit = waxing ? u > edge : u < -edge;
  if (!lit) return 38.0;
  double level = 228.0 * (0.82 + 0.18 * std::sqrt(1.0 - d2));
  for (const Mare& m : kMaria) {
    const double du = u - m.u, dv = v - m.v;
    if (du * du + dv * dv < m.r * m.r) {
      level *= 0.76;
      break;
    }
  }
  return level;
}

// Thirty 19x19 images, age 0 at the left; an 8-bit image with a 256-entry
// grey palette (slightly warm), so Qt writes it as an 8-bit BMP.
QImage MakeMoonStrip(const CScale& scale) {
  QImage img(scale.Device(kMoonSize * kMoonAges), scale.Device(kMoonSize), QImage::Format_Indexed8);
  QVector<QRgb> palette(256);
  for (int i = 0; i < 256; ++i) palette[i] = qRgb(i, i * 250 / 255, i * 232 / 255);
  img.setColorTable(palette);
  img.fill(0);
  constexpr int kSamples = 8;
  const double centre = kMoonSize / 2.0, radius = 8.6;
  const double f = scale.Factor();
  // Each device pixel belongs to the age whose picture covers its pad pixel.
  for (int dx = 0; dx < img.width(); ++dx) {
    const int age = scale.Logical(dx) / kMoonSize;
    const double phase = 2.0 * std::numbers::pi * age / kSynodicMonth;
    for (int dy = 0; dy < img.height(); ++dy) {
      double sum = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const double u = ((dx + (sx + 0.5) / kSamples) / f - age * kMoonSize - centre) / radius;
          const double v = ((dy + (sy + 0.5) / kSamples) / f - centre) / radius;
          sum += MoonLevel(u, v, phase);
        }
      }
      const int level = std::clamp(int(std::lround(sum / (kSamples * kSamples))), 0, 255);
      img.setPixel(dx, dy, uint(level));
    }
  }
  return img;
}

bool Save(const QImage& img, const QDir& dir, const QString& name) {
  const QString path = dir.filePath(name + ".bmp");
  if (!img.save(path, "BMP")) {
    std::fprintf(stderr, "make-bitmaps: cannot write %s\n", qPrintable(path));
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make-bitmaps OUTPUT_DIR\n");
    return 2;
  }
  const QDir dir(QString::fromLocal8Bit(argv[1]));
  if (!dir.exists()) {
    std::fprintf(stderr, "make-bitmaps: no directory %s\n", argv[1]);
    return 1;
  }
  struct Named { const char* suffix; Look look; };
  const Named looks[] = {{"U", Look::Up}, {"D", Look::Down}, {"F", Look::Focused},
                         {"X", Look::Disabled}};
  bool ok = true;
  for (const int percent : {CScale::kActualSize, 150, 200}) {
    const CScale scale{percent, {}};
    const QString size = scale.IsActualSize() ? QString() : QString("@%1").arg(percent);
    for (const Named& l : looks) {
      ok &= Save(MakeButton(Calendar, l.look, scale), dir, QString("DATE") + l.suffix + size);
      ok &= Save(MakeButton(Globe, l.look, scale), dir, QString("OBS") + l.suffix + size);
    }
    ok &= Save(MakeArrow(scale), dir, "6013" + size);
    ok &= Save(MakeMoonStrip(scale), dir, "6233" + size);
  }
  return ok ? 0 : 1;
}
