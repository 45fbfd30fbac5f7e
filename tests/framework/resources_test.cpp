// The resource-script reader: templates, strings, bitmaps, errors with
// their line numbers, garbage, and dialog units.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <array>
#include <random>

#include "framework/gdi.h"
#include "test_resources.h"

namespace {

QString ErrorOf(const char* script) {
  CResources res;
  QString error;
  EXPECT_FALSE(res.Parse(QString::fromUtf8(script), &error)) << script;
  return error;
}

}  // namespace

TEST(ResourceScript, ReadsDialogsStringsAndShortForms) {
  CResources res;
  LoadTestResources(res);
  const CDialogTemplate* bar = res.Dialog(7000);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->cx, 100);
  EXPECT_EQ(bar->cy, 18);
  EXPECT_EQ(bar->style, WS_CHILD);
  EXPECT_EQ(bar->fontName, QStringLiteral("ＭＳ Ｐゴシック"));
  EXPECT_EQ(bar->fontPoints, 9);
  ASSERT_EQ(bar->controls.size(), 5u);
  const CControlTemplate& frame = bar->controls[0];
  EXPECT_EQ(frame.id, 7108);
  EXPECT_EQ(frame.className, QStringLiteral("Static"));
  EXPECT_EQ(frame.style & 0x1F, SS_BLACKFRAME);
  EXPECT_EQ(frame.style & WS_VISIBLE, 0u) << "NOT WS_VISIBLE hides it";
  const CControlTemplate& date = bar->controls[2];
  EXPECT_EQ(date.text, QStringLiteral("12345"));
  EXPECT_EQ(date.style & 0x0F, BS_OWNERDRAW);
  EXPECT_NE(date.style & WS_VISIBLE, 0u);
  EXPECT_EQ((std::array{date.x, date.y, date.cx, date.cy}), (std::array{29, 4, 40, 10}));
  EXPECT_EQ(bar->controls[3].style & 0x1F, SS_RIGHT);
  EXPECT_EQ(bar->controls[4].style & BS_BITMAP, BS_BITMAP);

  const CDialogTemplate* dlg = res.Dialog(7001);
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(dlg->exStyle, WS_EX_CLIENTEDGE);
  ASSERT_EQ(dlg->controls.size(), 10u);
  EXPECT_EQ(dlg->controls[0].style & 0x0F, BS_AUTORADIOBUTTON);
  EXPECT_NE(dlg->controls[0].style & WS_GROUP, 0u);
  EXPECT_EQ(dlg->controls[1].style & WS_GROUP, 0u);
  EXPECT_EQ(dlg->controls[2].className, QStringLiteral("ComboBox"));
  EXPECT_EQ(dlg->controls[2].style & 0x3, CBS_DROPDOWNLIST);
  EXPECT_EQ(dlg->controls[3].id, IDOK);
  EXPECT_EQ(dlg->controls[4].id, IDCANCEL);
  EXPECT_EQ(dlg->controls[5].className, QStringLiteral("Edit"));
  EXPECT_EQ(dlg->controls[5].style & 0x3, ES_RIGHT);
  EXPECT_NE(dlg->controls[6].style & WS_GROUP, 0u) << "LTEXT starts a group, as the compiler makes it";

  EXPECT_EQ(res.String(7106).value_or(""), QStringLiteral("日時を表示します"));
  EXPECT_EQ(res.String(7132).value_or(""), QStringLiteral("紀元を表示します")) << "comma is optional";
  EXPECT_EQ(res.String(7117).value_or(""), QStringLiteral("\"引用\"です")) << "\"\" is one quote";
  EXPECT_FALSE(res.String(1).has_value());
  EXPECT_EQ(res.Dialog(1), nullptr);
}

TEST(ResourceScript, LoadsScriptAndBitmapsUnderThePrefix) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
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
  const QImage loaded = res.Bitmap(QStringLiteral("7013"));  // backslash path in the script
  ASSERT_FALSE(loaded.isNull());
  EXPECT_EQ(loaded.size(), QSize(9, 16));
  EXPECT_EQ(QColor(loaded.pixel(4, 4)), QColor(10, 20, 30));
  EXPECT_TRUE(res.Bitmap(QStringLiteral("MARK")).isNull()) << "named but missing file";
  EXPECT_TRUE(res.Bitmap(QStringLiteral("NONE")).isNull());

  CBitmap bmp;
  EXPECT_TRUE(bmp.LoadBitmap(res, 7013u));
  EXPECT_EQ(bmp.GetSize(), CSize(9, 16));
  EXPECT_FALSE(bmp.LoadBitmap(res, "NONE"));

  CResources missing;
  EXPECT_FALSE(missing.Load(dir.path() + QStringLiteral("/nowhere/"), &error));
  EXPECT_TRUE(error.contains(QStringLiteral("cannot open")));

  QFile bad(dir.path() + QStringLiteral("/resources.rc"));
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly | QIODevice::Truncate));
  bad.write("\n\n1 DIALOGEX 0, 0, 1, 1\nBEGIN\n");
  bad.close();
  EXPECT_FALSE(missing.Load(dir.path() + u'/', &error));
  EXPECT_TRUE(error.contains(QStringLiteral("resources.rc"))) << error.toStdString();
  EXPECT_TRUE(error.contains(QStringLiteral("line 5"))) << error.toStdString();
}

TEST(ResourceScript, DefinesExpressionsAndSkippedResources) {
  CResources res;
  QString error;
  const char* script = R"rc(
#include "resource.h"
#define IDD_BAR 300
#define IDC_TEXT 0x12
LANGUAGE LANG_JAPANESE, SUBLANG_DEFAULT
IDI_ICON ICON "app.ico"
IDR_MENU MENU
BEGIN
    POPUP "x" BEGIN MENUITEM "y", 1 END
END
/* a block
   comment */
IDD_BAR DIALOG 0, 0, (10+2), 8
STYLE DS_SETFONT | WS_CHILD | WS_VISIBLE | NOT WS_VISIBLE
FONT 9, "ＭＳ Ｐゴシック", 400, 0, 0x80
{
    RTEXT "x", IDC_TEXT, -2, 0, 10, 8, NOT WS_GROUP | SS_NOTIFY
    CONTROL 6013, IDC_STATIC, "STATIC", SS_BITMAP, 0, 0, 5, 5, WS_EX_TRANSPARENT
}
)rc";
  ASSERT_TRUE(res.Parse(QString::fromUtf8(script), &error)) << error.toStdString();
  const CDialogTemplate* d = res.Dialog(300);
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(d->cx, 12);
  EXPECT_EQ(d->style, WS_CHILD | 0x40u);
  ASSERT_EQ(d->controls.size(), 2u);
  EXPECT_EQ(d->controls[0].id, 0x12);
  EXPECT_EQ(d->controls[0].x, -2);
  EXPECT_EQ(d->controls[0].style & WS_GROUP, 0u);
  EXPECT_EQ(d->controls[0].style & 0x1F, SS_RIGHT);
  EXPECT_EQ(d->controls[1].text, QStringLiteral("#6013"));
  EXPECT_EQ(d->controls[1].id, -1);
  EXPECT_EQ(d->controls[1].className, QStringLiteral("Static"));
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
      {"\n\n, 1 2", "line 3: expected a resource statement, found \",\""},
      {"STRINGTABLE\nBEGIN\n 5, \"a\"\n 6 7\nEND\n", "line 4: expected a text, found \"7\""},
      {"STRINGTABLE\nBEGIN\n 5, \"a\"\n", "line 4: missing END of STRINGTABLE"},
      {"STRINGTABLE\nBEGIN\n 70000, \"a\"\nEND\n", "line 3: string id 70000 out of range"},
      {"X BITMAP\n", "line 2: expected a bitmap file name, found end of file"},
      {"1 DIALOGEX 0, 0, 1, 1\nBEGIN\n CONTROL \"a\", 1, Static, 0, 0, 0, 1, 1\nEND\n",
       "line 3: expected a control class, found \"Static\""},
      {"1 DIALOGEX 0, 0, 1, 1\nSTYLE ((((((((((((((((((((((((((((((((((1\nBEGIN\nEND\n",
       "line 2: expression nested too deeply"},
      {"1 DIALOGEX 0, 0, 1, 1\nSTYLE (1\nBEGIN\nEND\n", "line 3: expected \")\", found \"BEGIN\""},
      {"1 DIALOGEX 0, 0, 1, 1\nFONT 9\nBEGIN\nEND\n", "line 3: expected \",\", found \"BEGIN\""},
      {"1 RCDATA\nBEGIN\n 1, 2\n", "line 4: missing END"},
      {"#define X y\n", "line 1: #define X needs a number"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ErrorOf(c.script).toStdString(), c.expected) << c.script;
  }
}

TEST(ResourceScript, AFailedParseKeepsWhatWasLoaded) {
  CResources res;
  LoadTestResources(res);
  QString error;
  EXPECT_FALSE(res.Parse(QStringLiteral("1 DIALOGEX"), &error));
  EXPECT_NE(res.Dialog(7000), nullptr);
  EXPECT_TRUE(res.String(7106).has_value());
}

// Truncations and random damage of a good script: the reader answers
// every one with a result, and a refusal always names a line.
TEST(ResourceScript, GarbageNeverCrashes) {
  const QString good = QString::fromUtf8(kTestScript);
  std::mt19937 rng(12345);
  const QString alphabet = QStringLiteral("\"\\,|-+(){}#/*\n 0123456789xABEGINDNOTWS_年");
  int refused = 0;
  auto check = [&](const QString& script) {
    CResources res;
    QString error;
    if (!res.Parse(script, &error)) {
      ++refused;
      EXPECT_TRUE(error.startsWith(QStringLiteral("line "))) << error.toStdString();
    }
  };
  for (qsizetype cut = 0; cut < good.size(); cut += 3) check(good.left(cut));
  for (int round = 0; round < 1500; ++round) {
    QString s = good;
    const int edits = 1 + int(rng() % 6);
    for (int e = 0; e < edits; ++e) {
      const qsizetype at = qsizetype(rng() % quint32(s.size()));
      switch (rng() % 3) {
        case 0: s[at] = alphabet[qsizetype(rng() % quint32(alphabet.size()))]; break;
        case 1: s.remove(at, qsizetype(rng() % 8)); break;
        default: s.insert(at, alphabet[qsizetype(rng() % quint32(alphabet.size()))]); break;
      }
    }
    check(s);
  }
  std::string bytes(4096, '\0');
  for (char& b : bytes) b = char(rng() % 256);
  check(QString::fromLatin1(bytes.data(), qsizetype(bytes.size())));
  check(QString::fromUtf8(bytes.data(), qsizetype(bytes.size())));
  EXPECT_GT(refused, 100);
}

TEST(DialogUnits, DialogFontGivesSevenByThirteen) {
  InstallFontSubstitutions();
  for (const char* name : {"ＭＳ Ｐゴシック", "MS PGothic", "IPAPGothic"}) {
    const CDialogUnits u = CDialogUnits::ForFont(QString::fromUtf8(name), 9);
    EXPECT_EQ(u.baseX, 7) << name;
    EXPECT_EQ(u.baseY, 13) << name;
  }
  const CDialogUnits u;
  // The era label of the pad (18, 5, 10, 8) ends at x = 49.
  EXPECT_EQ(u.Map(18, 5, 10, 8), CRect(32, 8, 49, 21));
  EXPECT_EQ(u.Map(0, 0, 268, 18), CRect(0, 0, 469, 29));
  EXPECT_EQ(u.Map(1, 1, 0, 0), CRect(2, 2, 2, 2)) << "7/4 and 13/8 round half up";
  EXPECT_EQ(u.Map(-1, -1, 0, 0), CRect(-2, -2, -2, -2)) << "and half away from zero";
}
