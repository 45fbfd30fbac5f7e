// The resource-script reader: templates, strings and bitmaps as the pad
// reads them, every refusal with its line, and dialog units.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "framework/gdi.h"
#include "test_resources.h"

TEST(ResourceScript, ReadsDialogsStringsAndShortForms) {
  CResources res;
  LoadTestResources(res);
  const CDialogTemplate* bar = res.Dialog(7000);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->fontName, QStringLiteral("ＭＳ Ｐゴシック"));
  ASSERT_EQ(bar->controls.size(), 5u);
  EXPECT_EQ(bar->controls[0].style & WS_VISIBLE, 0u) << "NOT WS_VISIBLE hides it";
  const CControlTemplate& date = bar->controls[2];
  EXPECT_EQ(date.text, QStringLiteral("12345"));
  EXPECT_EQ(date.style & 0x0F, BS_OWNERDRAW);
  EXPECT_EQ(CRect(date.x, date.y, date.cx, date.cy), CRect(29, 4, 40, 10));

  const CDialogTemplate* dlg = res.Dialog(7001);
  ASSERT_NE(dlg, nullptr);
  ASSERT_EQ(dlg->controls.size(), 10u);
  EXPECT_EQ(dlg->controls[0].style & (0x0F | WS_GROUP), BS_AUTORADIOBUTTON | WS_GROUP);
  EXPECT_EQ(dlg->controls[1].style & WS_GROUP, 0u);
  EXPECT_EQ(dlg->controls[2].className, QStringLiteral("ComboBox"));
  EXPECT_EQ(dlg->controls[3].id, IDOK);
  EXPECT_EQ(dlg->controls[5].style & 0x3, ES_RIGHT);
  EXPECT_NE(dlg->controls[6].style & WS_GROUP, 0u) << "LTEXT starts a group, as the compiler makes it";

  EXPECT_EQ(res.String(7132).value_or(""), QStringLiteral("紀元を表示します")) << "comma is optional";
  EXPECT_EQ(res.String(7117).value_or(""), QStringLiteral("\"引用\"です")) << "\"\" is one quote";
  EXPECT_FALSE(res.String(1).has_value());

  QString error;
  EXPECT_FALSE(res.Parse(QStringLiteral("1 DIALOGEX"), &error));
  EXPECT_NE(res.Dialog(7000), nullptr) << "a failed parse keeps what was loaded";

}

TEST(ResourceScript, LoadsBitmapsUnderThePrefixAndNamesTheBadLine) {
  QTemporaryDir dir;
  QDir(dir.path()).mkdir(QStringLiteral("bitmaps"));
  QImage arrow(9, 16, QImage::Format_RGB32);
  arrow.fill(QColor(10, 20, 30));
  ASSERT_TRUE(arrow.save(dir.path() + QStringLiteral("/bitmaps/arrow.bmp")));
  QFile rc(dir.path() + QStringLiteral("/resources.rc"));
  ASSERT_TRUE(rc.open(QIODevice::WriteOnly));
  rc.write(kTestScript);
  rc.close();

  CResources res;
  QString error;
  ASSERT_TRUE(res.Load(dir.path() + u'/', &error)) << error.toStdString();
  CBitmap bmp;
  EXPECT_TRUE(bmp.LoadBitmap(res, 7013u)) << "backslash path in the script";
  EXPECT_EQ(bmp.GetSize(), CSize(9, 16));
  EXPECT_EQ(QColor(res.Bitmap(QStringLiteral("7013")).pixel(4, 4)), QColor(10, 20, 30));
  EXPECT_TRUE(res.Bitmap(QStringLiteral("MARK")).isNull()) << "named but missing file";

  CResources missing;
  EXPECT_FALSE(missing.Load(dir.path() + QStringLiteral("/nowhere/"), &error));
  EXPECT_TRUE(error.contains(QStringLiteral("cannot open")));
  ASSERT_TRUE(rc.open(QIODevice::WriteOnly | QIODevice::Truncate));
  rc.write("\n\n1 DIALOGEX 0, 0, 1, 1\nBEGIN\n");
  rc.close();
  EXPECT_FALSE(missing.Load(dir.path() + u'/', &error));
  EXPECT_TRUE(error.contains(QStringLiteral("resources.rc")) && error.contains(QStringLiteral("line 5")))
      << error.toStdString();
}

TEST(ResourceScript, EveryErrorNamesItsLine) {
  struct Case {
    const char* script;
    const char* expected;
  };
  const Case cases[] = {
      {"1 DIALOGEX 0, 0, 10, 10\nCAPTION \"open\nBEGIN\nEND\n", "line 2: unterminated text"},
      {"1 DIALOGEX 0, 0, 10, 10\nBEGIN\n  LTEXT \"a\", 1, 0, 0, 1, 1\n", "line 4: missing END of dialog 1"},
      {"1 DIALOGEX 0, 0, 10, 10\nSTYLE WS_CHILD | WS_BOGUS\nBEGIN\nEND\n", "line 2: unknown name \"WS_BOGUS\""},
      {"1 DIALOGEX 0, 0, 10, 10\nBEGIN\n  SLIDER \"a\", 1, 0, 0, 1, 1\nEND\n", "line 3: unknown control statement \"SLIDER\""},
      {"1 DIALOGEX 0, 0, 10, 1x\nBEGIN\nEND\n", "line 1: bad number \"1x\""},
      {"1 DIALOGEX 0, 0, 10 10\nBEGIN\nEND\n", "line 1: expected \",\", found \"10\""},
      {"\n1 DIALOGEX 0, 0, 10, 10\nSTYLE WS_CHILD\n", "line 4: missing BEGIN of dialog 1"},
      {"/* never\nclosed", "line 1: unterminated comment"},
      {"1 DIALOGEX 0, 0, 40000, 10\nBEGIN\nEND\n", "line 1: width 40000 out of range"},
      {"ABC DIALOGEX 0, 0, 1, 1\nBEGIN\nEND\n", "line 1: dialog needs a number id"},
      {"STRINGTABLE\nBEGIN\n 5, \"a\"\n 6 7\nEND\n", "line 4: expected a text, found \"7\""},
      {"STRINGTABLE\nBEGIN\n 70000, \"a\"\nEND\n", "line 3: string id 70000 out of range"},
      {"X BITMAP\n", "line 2: expected a bitmap file name, found end of file"},
      {"1 DIALOGEX 0, 0, 1, 1\nSTYLE ((((((((((((((((((((((((((((((((((1\nBEGIN\nEND\n",
       "line 2: expression nested too deeply"},
      {"1 RCDATA\nBEGIN\n 1, 2\n", "line 4: missing END"},
      {"#define X y\n", "line 1: #define X needs a number"},
  };
  for (const Case& c : cases) {
    CResources res;
    QString error;
    EXPECT_FALSE(res.Parse(QString::fromUtf8(c.script), &error)) << c.script;
    EXPECT_EQ(error.toStdString(), c.expected) << c.script;
  }
}

TEST(DialogUnits, DialogFontGivesSevenByThirteenRoundingHalfAway) {
  InstallFontSubstitutions();
  for (const char* name : {"ＭＳ Ｐゴシック", "IPAPGothic"}) {
    const CDialogUnits u = CDialogUnits::ForFont(QString::fromUtf8(name), 9);
    EXPECT_EQ(CSize(u.baseX, u.baseY), CSize(7, 13)) << name;
  }
  const CDialogUnits u;
  EXPECT_EQ(u.Map(18, 5, 10, 8), CRect(32, 8, 49, 21)) << "the pad's era label ends at x = 49";
  EXPECT_EQ(u.Map(1, 1, 0, 0), CRect(2, 2, 2, 2));
  EXPECT_EQ(u.Map(-1, -1, 0, 0), CRect(-2, -2, -2, -2));
}
