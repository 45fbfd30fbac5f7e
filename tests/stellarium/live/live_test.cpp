// The pad against a real Stellarium: one Stellarium, started headless for
// all the checks, in the network namespace that scripts/stellarium-sandbox.sh
// makes (only loopback), so that its HTTP server is reachable from nowhere
// else.  Recorded sessions run through `lumira --host stellarium --script`;
// the checks read Stellarium's own status afterwards.
//
// Exits with 77 (skipped) where Stellarium is not installed or the test does
// not run inside the sandbox.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <cstdlib>

#include "sky/engine.h"
#include "sky/instant.h"
#include "stellarium/stel_api.h"
#include "stellarium/stel_http.h"

namespace {

constexpr quint16 kPort = 8090;  // the namespace is the test's own
constexpr int kStartSeconds = 180;

QString ScriptPath(const char* name) {
  return QString(LUMIRA_SOURCE_DIR) + "/tests/stellarium/live/scripts/" + name;
}

// What Stellarium says of itself, straight from its API.
struct Told {
  double jd = 0, rate = 0, longitude = 0, latitude = 0, magLimit = 0;
  bool magLimitOn = false;
};

Told AskStellarium() {
  stel::CStelHttp http(kPort, {}, 10000);
  Told t;
  const stel::HttpResult status = http.Get("/api/main/status");
  EXPECT_TRUE(status.Ok()) << status.error.toStdString();
  const QJsonObject root = QJsonDocument::fromJson(status.body).object();
  t.jd = root["time"].toObject()["jday"].toDouble();
  t.rate = root["time"].toObject()["timerate"].toDouble();
  t.longitude = root["location"].toObject()["longitude"].toDouble();
  t.latitude = root["location"].toObject()["latitude"].toDouble();
  const stel::HttpResult props = http.Get("/api/stelproperty/list");
  EXPECT_TRUE(props.Ok()) << props.error.toStdString();
  const QJsonObject list = QJsonDocument::fromJson(props.body).object();
  t.magLimit = list[stel::kMagLimitProperty].toObject()["value"].toDouble();
  t.magLimitOn = list[stel::kMagLimitFlagProperty].toObject()["value"].toBool();
  return t;
}

// The Julian date the engine makes of a command's time.
double JdOf(const char* command) {
  CSkyEngine engine;
  EXPECT_EQ(engine.Execute(std::string_view(command)), "");
  return sky::ToJulianDate(engine.State().time);
}

// Runs lumira on Stellarium; its standard output, one line each.
QStringList Lumira(const QStringList& args, int* exitCode) {
  QProcess p;
  p.setProgram(LUMIRA_BIN);
  p.setArguments(QStringList{"--host", QString("stellarium:%1").arg(kPort)} + args);
  p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  p.start();
  if (!p.waitForFinished(300000)) {
    p.kill();
    p.waitForFinished();
  }
  *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  return QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

QStringList RunScript(const char* name) {
  int code = 0;
  const QStringList out = Lumira({"--script", ScriptPath(name)}, &code);
  EXPECT_EQ(code, 0) << name << "\n" << out.join('\n').toStdString();
  return out;
}

// The last `show` block's line that starts with `key=`.
QString LastShown(const QStringList& out, const QString& key) {
  for (qsizetype i = out.size() - 1; i >= 0; --i) {
    if (out[i].startsWith(key + "=")) return out[i].mid(key.size() + 1);
  }
  return {};
}

}  // namespace

TEST(StellariumLive, ASessionLeavesStellariumWhereThePadPutIt) {
  const QStringList out = RunScript("session.lmscript");
  const Told t = AskStellarium();
  // The date dialog's 2010-07-22 01:35:00 UT, exactly as sent.
  EXPECT_EQ(t.jd, JdOf("Time = UT(2010,7,22,1,35,0)"));
  EXPECT_EQ(t.rate, 0.0);
  // The location dialog's 135d30m E 34d41m N, sent as "135.500000, 34.683333"
  // and kept in Stellarium's single precision.
  EXPECT_EQ(t.longitude, double(135.5f));
  EXPECT_EQ(t.latitude, double(34.683333f));
  // 8.0 set by the host, then the tenths digit up.
  EXPECT_EQ(t.magLimit, 8.1);
  EXPECT_TRUE(t.magLimitOn);
  // What the pad showed last (Japan standard time) is Stellarium's time.
  EXPECT_EQ(LastShown(out, "date"), "[ 2010/07/22 10:35:00]");
  EXPECT_EQ(LastShown(out, "obs"), "[135d30mE 34d41mN]");
  EXPECT_EQ(LastShown(out, "mag"), "[ 8.1]");
  EXPECT_TRUE(out.contains("label=LMT")) << "the time systems were switched";
}

TEST(StellariumLive, AHeldHourDigitMovesStellariumByExactlyTheStepsTaken) {
  const QStringList out = RunScript("hold.lmscript");
  const int steps = int(out.filter(QRegularExpression("^> Time = LST\\(")).size());
  EXPECT_GE(steps, 40);
  const Told t = AskStellarium();
  CSkyEngine engine;
  engine.Execute(std::string_view("Time = UT(2006,4,1,12,30,15)"));
  const double expected = sky::ToJulianDate(sky::Shifted(engine.State().time, steps * 3600.0));
  EXPECT_EQ(t.jd, expected) << steps << " steps";
  // The pad shows it: 21:30:15 JST on April 1 plus the steps.
  const int hours = 21 + steps;
  EXPECT_EQ(LastShown(out, "date"),
            QString::asprintf("[ 2006/04/%02d %02d:30:15]", 1 + hours / 24, hours % 24));
}

TEST(StellariumLive, AnimationRunsStellariumsClockAndAButtonUpStopsIt) {
  int code = 0;
  Lumira({"--command", "Animation.Time.Realtime = TRUE; Animation.Time.Speed.Step = FALSE;", "--command",
          "Animation.Time = TRUE"},
         &code);
  EXPECT_EQ(code, 0);
  const Told running = AskStellarium();
  EXPECT_DOUBLE_EQ(running.rate, stel::kRealTimeRate);
  const QStringList out = RunScript("animation.lmscript");
  EXPECT_TRUE(out.contains("> animation.time = false")) << out.join('\n').toStdString();
  const Told stopped = AskStellarium();
  EXPECT_EQ(stopped.rate, 0.0);
  // The clock ran in between: Stellarium's time is later than it was.
  EXPECT_GT(stopped.jd, running.jd);
}

namespace {

// Stellarium for the whole run, ended with everything it started.
class StellariumProcess {
 public:
  bool Start(QString* why) {
    if (!m_dir.isValid()) {
      *why = "no temporary directory";
      return false;
    }
    m_process.setProgram(QString(LUMIRA_SOURCE_DIR) + "/scripts/stellarium-start.sh");
    m_process.setArguments({m_dir.path() + "/stellarium", QString::number(kPort)});
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.setStandardOutputFile(m_dir.path() + "/stellarium.log");
    // A session of its own: the virtual X server and Stellarium end with it.
    m_process.setChildProcessModifier([] { ::setsid(); });
    m_process.start();
    if (!m_process.waitForStarted(10000)) {
      *why = "the start script did not start: " + m_process.errorString();
      return false;
    }
    stel::CStelHttp http(kPort, {}, 2000);
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < kStartSeconds * 1000) {
      if (http.Get("/api/main/status").Ok()) {
        std::printf("Stellarium answered after %.1f s\n", waited.elapsed() / 1000.0);
        return true;
      }
      if (m_process.state() == QProcess::NotRunning) break;
      QThread::msleep(250);  // polling a process that starts up, not a test's timing
    }
    *why = QString("Stellarium did not answer on 127.0.0.1:%1 within %2 s; its log:\n%3")
               .arg(kPort)
               .arg(kStartSeconds)
               .arg(Log());
    return false;
  }
  QString Log() const {
    QFile log(m_dir.path() + "/stellarium.log");
    return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll().right(4000)) : QString();
  }
  ~StellariumProcess() {
    const qint64 pid = m_process.processId();
    if (pid <= 0) return;
    ::kill(-pid_t(pid), SIGTERM);
    if (!m_process.waitForFinished(15000)) {
      ::kill(-pid_t(pid), SIGKILL);
      m_process.waitForFinished(5000);
    }
  }

 private:
  QTemporaryDir m_dir;
  QProcess m_process;
};

constexpr int kSkipped = 77;

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM") || !*std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QStandardPaths::setTestModeEnabled(true);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);

  if (qEnvironmentVariable("LUMIRA_IN_SANDBOX") != "1") {
    std::printf("skipped: run through scripts/stellarium-sandbox.sh (Stellarium listens on every interface)\n");
    return kSkipped;
  }
  if (QStandardPaths::findExecutable("stellarium").isEmpty()) {
    std::printf("skipped: Stellarium is not installed (scripts/setup-stellarium.sh installs it)\n");
    return kSkipped;
  }
  StellariumProcess stellarium;
  QString why;
  if (!stellarium.Start(&why)) {
    std::fprintf(stderr, "%s\n", why.toUtf8().constData());
    return 1;
  }
  return RUN_ALL_TESTS();
}
