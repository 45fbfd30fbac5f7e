// The lumira program end to end: recorded sessions replayed and compared
// with their expected output exactly, the other headless modes, and the
// refusals that stop a run.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#ifndef LUMIRA_BIN
#error "LUMIRA_BIN must name the lumira program"
#endif

namespace {

const QString kScripts = QStringLiteral(LUMIRA_SOURCE_DIR "/tests/app/scripts");

struct Result {
  int exitCode = -1;
  QString out;
  QString err;
};

// Runs lumira with its settings in a directory of the test's own; without
// a display, no platform is named either.
Result RunLumira(const QStringList& args, bool display = true) {
  static QTemporaryDir home;
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.remove("DISPLAY");
  env.remove("QT_QPA_PLATFORM");
  if (display) env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("XDG_CONFIG_HOME", home.path() + "/config");
  env.insert("XDG_RUNTIME_DIR", home.path());
  process.setProcessEnvironment(env);
  process.start(QStringLiteral(LUMIRA_BIN), args);
  Result r;
  if (!process.waitForFinished(60000)) {
    process.kill();
    r.err = "lumira did not finish";
    return r;
  }
  r.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  r.out = QString::fromUtf8(process.readAllStandardOutput());
  r.err = QString::fromUtf8(process.readAllStandardError());
  return r;
}

QString ReadText(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

QString WriteScript(const QTemporaryDir& dir, const QString& name, const QString& text) {
  const QString path = dir.filePath(name);
  QFile f(path);
  if (f.open(QIODevice::WriteOnly)) f.write(text.toUtf8());
  return path;
}

std::vector<std::string> RecordedSessions() {
  std::vector<std::string> names;
  for (const QString& file : QDir(kScripts).entryList({"*.lmscript"}, QDir::Files, QDir::Name)) {
    names.push_back(file.chopped(int(QString(".lmscript").size())).toStdString());
  }
  return names;
}

}  // namespace

class RecordedSession : public ::testing::TestWithParam<std::string> {};

TEST_P(RecordedSession, PrintsExactlyWhatWasRecorded) {
  const QString base = kScripts + "/" + QString::fromStdString(GetParam());
  const QString expected = ReadText(base + ".expected");
  ASSERT_FALSE(expected.isEmpty()) << "no expected output next to " << base.toStdString();
  const Result r = RunLumira({"--script", base + ".lmscript"});
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_EQ(r.out.toStdString(), expected.toStdString());
}

INSTANTIATE_TEST_SUITE_P(Scripts, RecordedSession, ::testing::ValuesIn(RecordedSessions()),
                         [](const auto& info) { return info.param; });

// A script that cannot be read stops before anything happens; a line that
// cannot be carried out stops the run where it stands.
TEST(Replay, ABadLineStopsTheRunWithItsPlace) {
  QTemporaryDir dir;
  const struct {
    const char* script;
    const char* error;       // after "FILE:"
    const char* printed;     // what ran before the stop, or ""
    const char* notPrinted;  // what must not have run
  } cases[] = {
      {"show\n# fine so far\nclick left digit 13\nfly away\n", "4: unknown action \"fly\"", "", "date=["},
      {"click left digit 13\nmenu UT\nshow\n", "2: no menu is open", "@ DATE", "date=["},
      {"dialog obs\nset 4242 1\nok\nshow\n", "2: the dialog has no control 4242", "", "Location ="},
      {"click left arrow\nmenu XYZ\nshow\n", "2: the menu has no entry \"XYZ\"", "", "date=["},
  };
  for (const auto& c : cases) {
    const QString path = WriteScript(dir, "bad.lmscript", c.script);
    const Result r = RunLumira({"--script", path});
    EXPECT_EQ(r.exitCode, 2) << c.script;
    EXPECT_TRUE(r.err.contains(path + ":" + c.error)) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(c.printed) && !r.out.contains(c.notPrinted)) << r.out.toStdString();
  }
  const Result missing = RunLumira({"--script", dir.filePath("none.lmscript")});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_TRUE(missing.err.contains("cannot read")) << missing.err.toStdString();
}

TEST(CommandLine, HelpVersionAndWrongArgumentsNeedNoDisplay) {
  const struct { QStringList args; int exitCode; const char* out; const char* err; } cases[] = {
      {{"--help"}, 0, "--screenshot-bar <FILE>", ""},
      {{"--version"}, 0, "lumira ", ""},
      {{"--bogus"}, 2, "", "Unknown option 'bogus'"},
      {{"stray"}, 2, "", "unexpected argument stray"},
      {{"--command", "? Time.jd", "--screenshot-bar", "f.png"}, 2, "", "--command runs alone"},
  };
  for (const auto& c : cases) {
    const Result r = RunLumira(c.args, false);
    EXPECT_EQ(r.exitCode, c.exitCode) << c.args.join(' ').toStdString() << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(c.out) && r.err.contains(c.err)) << r.out.toStdString() << r.err.toStdString();
  }
}

TEST(CommandMode, EachReplyOnALineOfItsOwnFromAFreshEngine) {
  const Result r = RunLumira({"--command", "? JST(Time)", "--command", "Time = UT(2006,1,1,5,0,0)",
                              "--command", "? JST(Time); ? Time.jd"});
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_EQ(r.out.toStdString(), "JST AD2000/01/01 21:00:00\n\nJST AD2006/01/01 14:00:00;2453736.7083333335\n");

  const Result bad = RunLumira({"--command", "? Time.jd", "--command", "Nonsense = 3"});
  EXPECT_EQ(bad.exitCode, 1);
  const QStringList lines = bad.out.split('\n');
  ASSERT_GE(lines.size(), 2);
  EXPECT_EQ(lines[0], "2451545");
  EXPECT_TRUE(lines[1].startsWith("ERROR:")) << bad.out.toStdString();
}

TEST(ScreenshotMode, WritesTheWindowAndPrintsTheDisplays) {
  QTemporaryDir dir;
  const QString png = dir.filePath("after.png");
  const Result r = RunLumira({"--script", kScripts + "/hour_click_jst.lmscript", "--screenshot", png, "--print"});
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_TRUE(r.out.endsWith("date=[ 2000/01/01 11:00:00]\nera=AD\nlabel=JST\nobs=[139d45mE 35d39mN]\n"
                             "mag=[ 6.5]\nsel=12/1\nmoon=24\ntrack=0\ntrace=0\n"))
      << r.out.toStdString();
  EXPECT_EQ(QImage(png).size(), QSize(1000, 560));
  // Without a script: the window as a user first sees it, at the engine's place.
  const Result start = RunLumira({"--screenshot", png, "--print"});
  EXPECT_EQ(start.exitCode, 0) << start.err.toStdString();
  const QStringList lines = start.out.split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 9) << start.out.toStdString();
  EXPECT_EQ(lines[0].size(), 6 + 20 + 1) << lines[0].toStdString();
  EXPECT_EQ(lines[3], "obs=[139d45mE 35d39mN]");
}
