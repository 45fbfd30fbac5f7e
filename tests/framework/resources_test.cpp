// The resource-script reader: bitmaps under the prefix, and a broken
// script refused with its line.  (What the pad reads from its own script
// is the pad resources' table to pin.)
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "framework/gdi.h"
#include "test_resources.h"

TEST(ResourceScript, LoadsBitmapsUnderThePrefixAndNamesTheBadLine) {
  QTemporaryDir dir;
  QDir(dir.path()).mkdir(QStringLiteral("bitmaps"));
  QImage arrow(9, 16, QImage::Format_RGB32);
  arrow.fill(QColor(10, 20, 30));
  ASSERT_TRUE(arrow.save(dir.path() + QStringLiteral("/bitmaps/arrow.bmp")));
  auto writeScript = [&](const char* text) {
    QFile rc(dir.path() + QStringLiteral("/resources.rc"));
    ASSERT_TRUE(rc.open(QIODevice::WriteOnly | QIODevice::Truncate));
    rc.write(text);
  };
  writeScript(kTestScript);

  CResources res;
  QString error;
  ASSERT_TRUE(res.Load(dir.path() + u'/', &error)) << error.toStdString();
  CBitmap bmp;
  EXPECT_TRUE(bmp.LoadBitmap(res, 7013u)) << "backslash path in the script";
  EXPECT_EQ(bmp.GetSize(), CSize(9, 16));
  EXPECT_EQ(QColor(res.Bitmap(QStringLiteral("7013")).pixel(4, 4)), QColor(10, 20, 30));
  EXPECT_TRUE(res.Bitmap(QStringLiteral("MARK")).isNull()) << "named but missing file";

  CResources missing;
  writeScript("\n\n1 DIALOGEX 0, 0, 1, 1\nBEGIN\n");
  EXPECT_FALSE(missing.Load(dir.path() + u'/', &error));
  EXPECT_TRUE(error.contains(QStringLiteral("resources.rc")) && error.contains(QStringLiteral("line 5")))
      << error.toStdString();
}

TEST(ResourceScript, EveryErrorNamesItsLine) {
  struct Case { const char* script; const char* expected; };
  const Case cases[] = {
      {"1 DIALOGEX 0, 0, 10, 10\nCAPTION \"open\nBEGIN\nEND\n", "line 2: unterminated text"},
      {"1 DIALOGEX 0, 0, 10, 10\nBEGIN\n  LTEXT \"a\", 1, 0, 0, 1, 1\n", "line 4: missing END of dialog 1"},
      {"1 DIALOGEX 0, 0, 10, 10\nBEGIN\n  SLIDER \"a\", 1, 0, 0, 1, 1\nEND\n", "line 3: unknown control statement \"SLIDER\""},
      {"1 DIALOGEX 0, 0, 10, 1x\nBEGIN\nEND\n", "line 1: bad number \"1x\""},
      {"/* never\nclosed", "line 1: unterminated comment"},
      {"1 DIALOGEX 0, 0, 40000, 10\nBEGIN\nEND\n", "line 1: width 40000 out of range"},
      {"STRINGTABLE\nBEGIN\n 70000, \"a\"\nEND\n", "line 3: string id 70000 out of range"},
      {"1 DIALOGEX 0, 0, 1, 1\nSTYLE ((((((((((((((((((((((((((((((((((1\nBEGIN\nEND\n",
       "line 2: expression nested too deeply"},
  };
  for (const Case& c : cases) {
    CResources res;
    QString error;
    EXPECT_FALSE(res.Parse(QString::fromUtf8(c.script), &error)) << c.script;
    EXPECT_EQ(error.toStdString(), c.expected) << c.script;
  }
}
