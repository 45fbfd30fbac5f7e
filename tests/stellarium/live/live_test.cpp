// The pad against a real Stellarium, started headless in the network
// namespace of scripts/stellarium-sandbox.sh (only loopback, so that its HTTP
// server is reachable from nowhere else): a recorded session runs through
// `lumira --host stellarium --script`, then the checks read Stellarium's own
// status.  Skipped (77) without Stellarium or outside the sandbox.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
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
constexpr int kSkipped = 77;

// What Stellarium says of itself, straight from its API.
QJsonObject AskStellarium(const char* path) {
  const stel::HttpResult r = stel::CStelHttp(kPort, {}, 10000).Get(path);
  EXPECT_TRUE(r.Ok()) << path << ": " << r.error.toStdString();
  return QJsonDocument::fromJson(r.body).object();
}

// The Julian date the engine makes of a command's time.
double JdOf(const char* command) {
  CSkyEngine engine;
  EXPECT_EQ(engine.Execute(std::string_view(command)), "");
  return sky::ToJulianDate(engine.State().time);
}

// Runs the recorded session with lumira on Stellarium; its standard
// output, one line each.
QStringList RunSession() {
  QProcess p;
  p.setProgram(LUMIRA_BIN);
  p.setArguments({"--host", QString("stellarium:%1").arg(kPort), "--script",
                  QString(LUMIRA_SOURCE_DIR) + "/tests/stellarium/live/scripts/session.lmscript"});
  p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  p.start();
  if (!p.waitForFinished(300000)) p.kill();
  const QStringList out = QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
  EXPECT_TRUE(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
      << out.join('\n').toStdString();
  return out;
}

// The last `show` block's line that starts with `key=`.
QString LastShown(const QStringList& out, const QString& key) {
  for (qsizetype i = out.size() - 1; i >= 0; --i) {
    if (out[i].startsWith(key + "=")) return out[i].mid(key.size() + 1);
  }
  return {};
}

// Stellarium for the whole run, ended with everything it started.
class StellariumProcess {
 public:
  bool Start() {
    m_process.setProgram(QString(LUMIRA_SOURCE_DIR) + "/scripts/stellarium-start.sh");
    m_process.setArguments({m_dir.path() + "/stellarium", QString::number(kPort)});
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.setStandardOutputFile(m_dir.path() + "/stellarium.log");
    // A session of its own: the virtual X server and Stellarium end with it.
    m_process.setChildProcessModifier([] { ::setsid(); });
    m_process.start();
    stel::CStelHttp http(kPort, {}, 2000);
    QElapsedTimer waited;
    waited.start();
    // Until Stellarium answers, its start script ends or the time is up.
    while (m_process.waitForStarted(10000) && waited.elapsed() < kStartSeconds * 1000) {
      if (http.Get("/api/main/status").Ok()) {
        std::printf("Stellarium answered after %.1f s\n", waited.elapsed() / 1000.0);
        return true;
      }
      QThread::msleep(250);  // polling a process that starts up, not a test's timing
    }
    QFile log(m_dir.path() + "/stellarium.log");
    std::fprintf(stderr, "Stellarium did not answer on 127.0.0.1:%d within %d s (%s); its log:\n%s\n", kPort,
                 kStartSeconds, qPrintable(m_process.errorString()),
                 log.open(QIODevice::ReadOnly) ? log.readAll().right(4000).constData() : "");
    return false;
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

}  // namespace

TEST(StellariumLive, ASessionLeavesStellariumWhereThePadPutIt) {
  const QStringList out = RunSession();
  EXPECT_TRUE(out.contains("> animation.time = false")) << "the pad stopped Stellarium's running clock";
  const QJsonObject status = AskStellarium("/api/main/status");
  const QJsonObject properties = AskStellarium("/api/stelproperty/list");
  // The date dialog's 2010-07-22 01:35:00 UT, exactly as sent, the clock
  // stopped.
  EXPECT_EQ(status["time"]["jday"].toDouble(), JdOf("Time = UT(2010,7,22,1,35,0)"));
  EXPECT_EQ(status["time"]["timerate"].toDouble(), 0.0);
  // The location dialog's 135d30m E 34d41m N, sent as "135.500000, 34.683333"
  // and kept in Stellarium's single precision.
  EXPECT_EQ(status["location"]["longitude"].toDouble(), double(135.5f));
  EXPECT_EQ(status["location"]["latitude"].toDouble(), double(34.683333f));
  // 8.0 set by the host, then the tenths digit up, with the limit switched on.
  EXPECT_EQ(properties[stel::kMagLimitProperty]["value"].toDouble(), 8.1);
  EXPECT_TRUE(properties[stel::kMagLimitFlagProperty]["value"].toBool());
  // What the pad showed last (Japan standard time) is Stellarium's time.
  EXPECT_EQ(LastShown(out, "date"), "[ 2010/07/22 10:35:00]");
  EXPECT_EQ(LastShown(out, "obs"), "[135d30mE 34d41mN]");
  EXPECT_EQ(LastShown(out, "mag"), "[ 8.1]");
}

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
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
  return stellarium.Start() ? RUN_ALL_TESTS() : 1;
}
