// The pad's pictures as stored: file formats, the four looks of each
// button, the arrow, and the Moon strip's phases.
#include <QFile>
#include <QImage>
#include <QtEndian>
#include <gtest/gtest.h>

#include "pad/module.h"

namespace {

QImage Load(const QString& name) {
  return QImage(QelpadResourcePrefix() + "bitmaps/" + name + ".bmp", "BMP");
}

// Bits per pixel from a BMP file's information header.
int BitsPerPixel(const QString& name) {
  QFile f(QelpadResourcePrefix() + "bitmaps/" + name + ".bmp");
  if (!f.open(QIODevice::ReadOnly)) return -1;
  const QByteArray head = f.read(30);
  if (head.size() < 30 || !head.startsWith("BM")) return -1;
  return qFromLittleEndian<quint16>(head.constData() + 28);
}

TEST(PadBitmaps, FilesHaveTheirSizesAndDepths) {
  for (const char* name : {"DATEU", "DATED", "DATEF", "DATEX", "OBSU", "OBSD", "OBSF", "OBSX"}) {
    EXPECT_EQ(Load(name).size(), QSize(16, 15)) << name;
    EXPECT_EQ(BitsPerPixel(name), 24) << name;
  }
  EXPECT_EQ(Load("6013").size(), QSize(9, 16));
  EXPECT_EQ(Load("6233").size(), QSize(570, 19));
  EXPECT_EQ(BitsPerPixel("6233"), 8);
}

TEST(PadBitmaps, EachButtonLookIsDifferent) {
  for (const QString base : {"DATE", "OBS"}) {
    const QImage up = Load(base + "U").convertToFormat(QImage::Format_RGB32);
    const QImage down = Load(base + "D").convertToFormat(QImage::Format_RGB32);
    const QImage focus = Load(base + "F").convertToFormat(QImage::Format_RGB32);
    const QImage off = Load(base + "X").convertToFormat(QImage::Format_RGB32);
    EXPECT_NE(up, down) << base.toStdString();
    EXPECT_NE(up, focus) << base.toStdString();
    EXPECT_NE(up, off) << base.toStdString();
    // Inside its edge the disabled look is greyed: hardly any colour left.
    for (int y = 1; y < off.height() - 1; ++y) {
      for (int x = 1; x < off.width() - 1; ++x) {
        const QRgb c = off.pixel(x, y);
        EXPECT_LE(std::abs(qRed(c) - qBlue(c)), 10) << base.toStdString() << " " << x << "," << y;
      }
    }
  }
}

TEST(PadBitmaps, ArrowPointsDown) {
  const QImage arrow = Load("6013");
  auto litInRow = [&](int y) {
    int n = 0;
    for (int x = 0; x < arrow.width(); ++x) n += qGray(arrow.pixel(x, y)) > 60;
    return n;
  };
  int widest = -1, previous = 0, rows = 0;
  for (int y = 0; y < arrow.height(); ++y) {
    const int n = litInRow(y);
    if (n == 0) continue;
    ++rows;
    if (widest < 0) widest = n;
    else EXPECT_LT(n, previous) << "row " << y;  // narrower toward the tip
    previous = n;
  }
  EXPECT_GE(rows, 3);
  EXPECT_EQ(previous, 1);  // a one-pixel tip at the bottom
  EXPECT_EQ(qGray(arrow.pixel(0, 0)), 0);  // on the black panel
}

// One 19x19 Moon picture, by age.
struct MoonStats {
  long long brightness = 0;   // sum of grey levels
  int lit = 0;                // pixels clearly lit
  int litLeft = 0, litRight = 0;  // lit pixels left and right of the middle column
};

MoonStats Measure(const QImage& strip, int age) {
  MoonStats s;
  for (int y = 0; y < 19; ++y) {
    for (int x = 0; x < 19; ++x) {
      const int grey = qGray(strip.pixel(age * 19 + x, y));
      s.brightness += grey;
      if (grey > 100) {
        ++s.lit;
        if (x < 9) ++s.litLeft;
        if (x > 9) ++s.litRight;
      }
    }
  }
  return s;
}

TEST(PadBitmaps, MoonStripWaxesFromTheRightAndWanesToTheLeft) {
  const QImage strip = Load("6233");
  ASSERT_EQ(strip.size(), QSize(570, 19));
  std::vector<MoonStats> ages;
  for (int age = 0; age < 30; ++age) ages.push_back(Measure(strip, age));

  // New Moon: no lit pixel, but the dark disc still shows against the sky.
  EXPECT_EQ(ages[0].lit, 0);
  EXPECT_GT(ages[0].brightness, 0);
  EXPECT_EQ(qGray(strip.pixel(0, 0)), 0);
  EXPECT_GT(qGray(strip.pixel(9, 9)), 0);
  for (int age = 1; age < 30; ++age) {
    EXPECT_LT(ages[0].brightness, ages[age].brightness) << age;
  }
  // Brighter every day up to the full Moon at 15, darker after it.
  for (int age = 1; age <= 15; ++age) {
    EXPECT_GT(ages[age].brightness, ages[age - 1].brightness) << age;
  }
  for (int age = 16; age < 30; ++age) {
    EXPECT_LT(ages[age].brightness, ages[age - 1].brightness) << age;
  }
  for (int age = 0; age < 30; ++age) {
    if (age != 15) {
      EXPECT_GE(ages[15].lit, ages[age].lit) << age;
    }
  }
  // First quarter lit on the right only, last quarter on the left only.
  EXPECT_EQ(ages[7].litLeft, 0);
  EXPECT_GT(ages[7].litRight, 40);
  EXPECT_EQ(ages[22].litRight, 0);
  EXPECT_GT(ages[22].litLeft, 40);
  // Each picture stays round inside its own square: the corners are sky.
  for (int age = 0; age < 30; ++age) {
    for (const auto& [x, y] : {std::pair{0, 0}, {18, 0}, {0, 18}, {18, 18}}) {
      EXPECT_EQ(qGray(strip.pixel(age * 19 + x, y)), 0) << age;
    }
  }
}

}  // namespace
