#include "app/app_modes.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "app/pad_readout.h"
#include "app/planetarium_window.h"
#include "app/script.h"
#include "app/script_runner.h"
#include "framework/qt_services.h"
#include "framework/resources.h"
#include "pad/lumirapad.h"
#include "pad/module.h"
#include "sky/engine.h"
#include "sky/sky_files.h"

namespace lumira {
namespace {

constexpr int kShotWidth = 1000;
constexpr int kShotHeight = 560;
constexpr int kFollowMs = 1000;  // how often the window looks at Stellarium

void PrintLine(const QString& line) {
  const QByteArray utf8 = line.toUtf8();
  std::fwrite(utf8.constData(), 1, size_t(utf8.size()), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

void PrintError(const QString& line) {
  const QByteArray utf8 = line.toUtf8();
  std::fprintf(stderr, "%s\n", utf8.constData());
}

// Replays and command runs start from nothing of the user's: their
// settings (the pad's colour scheme among them) go to a directory of
// their own that is removed afterwards.
class IsolatedSettings {
 public:
  IsolatedSettings() {
    if (m_dir.isValid()) QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path());
  }

 private:
  QTemporaryDir m_dir;
};

// The interactive services, all on Qt, with the pad's resources and the
// status bar the window gives once it exists.
struct QtServices {
  CQtServices qt;
  std::unique_ptr<CQtStatusSink> status;
  CResources resources;
  CAppContext ctx = qt.Context(&resources);

  void AttachStatusBar(QStatusBar* bar) {
    status = std::make_unique<CQtStatusSink>(bar);
    ctx.status = status.get();
  }
};

// The pictures asked for: the window's and the docked bar's alone.
bool SavePictures(PlanetariumWindow& window, const OneShot& shot, QString* why) {
  if (!shot.screenshot.isEmpty() && !SaveScreenshot(window, shot.screenshot, why)) return false;
  if (shot.barPicture.isEmpty()) return true;
  if (!window.Pad()) {
    *why = "no pad to picture";
    return false;
  }
  if (!window.isVisible()) window.show();
  return SaveScreenshot(*window.Pad()->Widget(), shot.barPicture, why);
}

bool FinishShot(PlanetariumWindow& window, const OneShot& shot) {
  if (shot.print && window.Pad()) {
    for (const QString& line : DescribePad(*window.Pad())) PrintLine(line);
  }
  QString why;
  if (!SavePictures(window, shot, &why)) {
    PrintError("lumira: " + why);
    return false;
  }
  return true;
}

// The Stellarium host, when one is chosen, with `engine` as its mirror.
std::unique_ptr<CStellariumHost> MakeRemote(const HostChoice& host, CSkyEngine& engine) {
  if (!host.stellarium) return nullptr;
  return std::make_unique<CStellariumHost>(engine, host.options);
}

// Whether Stellarium answers; says why not on standard error.
bool Reach(CStellariumHost& remote) {
  try {
    remote.Poll();
    return true;
  } catch (const CHostError& e) {
    PrintError(QString("lumira: ") + e.what());
    return false;
  }
}

// The window as an interactive start builds it: real services, the pad
// docked, the engine at the current time and the remembered place (or
// Stellarium's time and place).
std::unique_ptr<PlanetariumWindow> BuildWindow(QtServices& services, CSkyEngine& engine,
                                               CCorLmr* remote = nullptr) {
  QString why;
  if (!services.resources.Load(QelpadResourcePrefix(), &why)) {
    PrintError("lumira: the pad's resources cannot be read: " + why);
    return nullptr;
  }
  auto window = std::make_unique<PlanetariumWindow>(services.ctx, engine, services.resources, remote);
  services.AttachStatusBar(window->statusBar());
  if (!window->CreatePad(&why)) {
    PrintError("lumira: " + why);
    return nullptr;
  }
  window->RestoreSession();
  return window;
}

// A window on a running Stellarium: the status bar and the title say
// whether it answers, and a poll brings the pad to what Stellarium shows,
// when it is changed in Stellarium itself and when it comes back.
// Stellarium's poll names the groups that changed with the pad's own
// refresh bits, so that its answer goes to OnUpdate as it is.
static_assert(kStelChangedTime == CLumiraPad::kRefreshTime);
static_assert(kStelChangedPlace == CLumiraPad::kRefreshLocation);
static_assert(kStelChangedMagnitude == CLumiraPad::kRefreshMagnitude);

void FollowStellarium(PlanetariumWindow& window, CStellariumHost& remote) {
  auto* label = new QLabel(&window);
  window.statusBar()->addPermanentWidget(label);
  const QString where = QString("Stellarium on 127.0.0.1:%1").arg(remote.Options().port);
  auto show = [&window, label, where](bool up, const QString& why) {
    label->setText(up ? where : where + ": not answering (" + why + ")");
    window.setWindowTitle("Lumira planetarium - " + where + (up ? "" : " (disconnected)"));
  };
  show(remote.IsConnected(), remote.LastProblem());
  remote.onConnectionChanged = show;
  auto* poll = new QTimer(&window);
  QObject::connect(poll, &QTimer::timeout, &window, [&window, &remote] {
    try {
      const bool wasUp = remote.IsConnected();
      unsigned changed = remote.Poll();
      if (!wasUp) changed = CLumiraPad::kRefreshAll;  // back: everything may differ
      if (changed && window.Pad()) window.Pad()->OnUpdate(changed);
    } catch (const CHostError&) {
      // The status bar says so; the pad keeps what it showed.
    }
    window.RefreshFromEngine();
  });
  poll->start(kFollowMs);
}

}  // namespace

int RunCommands(const QStringList& commands, const HostChoice& host) {
  IsolatedSettings isolated;
  CSkyEngine engine;
  engine.SetStarCatalogue(std::make_shared<const sky::StarCatalogue>(
      sky::LoadSkyFiles(sky::SkyDataDirectory()).catalogue));
  std::unique_ptr<CStellariumHost> remote = MakeRemote(host, engine);
  bool allGood = true;
  for (const QString& command : commands) {
    const QByteArray utf8 = command.toUtf8();
    std::string reply;
    if (!remote) {
      reply = engine.Execute(std::string_view(utf8.constData(), size_t(utf8.size())));
    } else {
      try {
        reply = remote->Execute(utf8.constData());
      } catch (const CHostError& e) {
        reply = std::string("ERROR: ") + e.what();
      }
    }
    PrintLine(QString::fromUtf8(reply.data(), qsizetype(reply.size())));
    if (reply.rfind("ERROR:", 0) == 0) allGood = false;
  }
  return allGood ? kExitOk : kExitFailed;
}

int RunScriptFile(const QString& file, const OneShot& shot, const HostChoice& host) {
  QFile in(file);
  if (!in.open(QIODevice::ReadOnly)) {
    PrintError(QString("lumira: cannot read %1: %2").arg(file, in.errorString()));
    return kExitFailed;
  }
  const QString text = QString::fromUtf8(in.readAll());
  std::vector<ScriptLine> lines;
  ScriptError error;
  if (!ParseScript(text, &lines, &error)) {
    PrintError(QString("%1:%2: %3").arg(file).arg(error.lineNumber).arg(error.message));
    return kExitScriptLine;
  }

  IsolatedSettings isolated;
  std::unique_ptr<CStellariumHost> remote;  // outlives the runner
  ScriptRunner runner(PrintLine);
  if (host.stellarium) {
    remote = MakeRemote(host, runner.Engine());
    if (!Reach(*remote)) return kExitFailed;
    runner.SetRemote(remote.get());
  }
  QString why;
  if (!runner.Setup(&why)) {
    PrintError("lumira: " + why);
    return kExitFailed;
  }
  if (!runner.Run(lines, &error)) {
    PrintError(QString("%1:%2: %3").arg(file).arg(error.lineNumber).arg(error.message));
    return kExitScriptLine;
  }
  if (shot.print) runner.PrintDisplays();
  runner.Window().RefreshFromEngine();
  if (!SavePictures(runner.Window(), shot, &why)) {
    PrintError("lumira: " + why);
    return kExitFailed;
  }
  return kExitOk;
}

int RunOneShot(const OneShot& shot, const HostChoice& host) {
  QtServices services;
  CSkyEngine engine;
  std::unique_ptr<CStellariumHost> remote = MakeRemote(host, engine);
  if (remote && !Reach(*remote)) return kExitFailed;
  std::unique_ptr<PlanetariumWindow> window = BuildWindow(services, engine, remote.get());
  if (!window) return kExitFailed;
  window->resize(kShotWidth, kShotHeight);
  window->show();
  QApplication::processEvents();
  if (window->Pad()) window->Pad()->UpdateWindow();
  QApplication::processEvents();
  return FinishShot(*window, shot) ? kExitOk : kExitFailed;
}

int RunInteractive(QApplication& app, const HostChoice& host) {
  QtServices services;
  CSkyEngine engine;
  std::unique_ptr<CStellariumHost> remote = MakeRemote(host, engine);
  if (remote) {
    try {
      remote->Poll();
    } catch (const CHostError& e) {
      PrintError(QString("lumira: ") + e.what() + " (the window waits for it)");
    }
  }
  std::unique_ptr<PlanetariumWindow> window = BuildWindow(services, engine, remote.get());
  if (!window) return kExitFailed;
  if (remote) FollowStellarium(*window, *remote);
  services.qt.prompt = CQtPrompt(window.get());
  window->SetRemembersSession(true);
  window->show();
  const int status = app.exec();
  if (remote) remote->onConnectionChanged = nullptr;
  window.reset();
  return status;
}

}  // namespace lumira
