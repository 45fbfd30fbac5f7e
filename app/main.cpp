// lumira: the planetarium host with the pad docked at the top.
//
//   lumira                          the window (a display is needed)
//   lumira --command TEXT ...       engine commands, one reply a line
//   lumira --script FILE            a recorded session, printed
//   lumira --screenshot FILE.png    the window's picture (with or without --script)
//   lumira --screenshot-bar FILE.png  the docked bar's picture alone
//   lumira --print                  the pad's displays, as `show` prints them
//   lumira --host stellarium[:PORT] ...   any of them on a running Stellarium
//   lumira --lang en ...            any of them in English (ja: Japanese, the default)
//   lumira --help, --version        answered without a display
//
// Every mode but the window runs off-screen unless a platform was chosen.
#include <QApplication>
#include <cstdio>
#include <memory>

#include "app/app_modes.h"
#include "app/app_settings.h"
#include "app/language.h"
#include "app/command_line.h"
#include "framework/resources.h"

namespace {

// Off-screen, Qt reports what its platform plugin cannot do (size hints,
// mouse grabs); those lines say nothing about the run, so they are left
// out of the headless modes' error output.
QtMessageHandler g_defaultHandler = nullptr;

void QuietOffscreenHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith("This plugin does not support")) return;
  if (g_defaultHandler) g_defaultHandler(type, context, message);
}

QStringList Arguments(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  return arguments;
}

}  // namespace

int main(int argc, char** argv) {
  // Read before Qt starts: the platform is chosen then, and help, version
  // and a wrong argument need none.
  const lumira::LaunchRequest request = lumira::ParseCommandLine(Arguments(argc, argv));
  if (request.finished) {
    std::fputs(request.output.toLocal8Bit().constData(), stdout);
    std::fputs(request.error.toLocal8Bit().constData(), stderr);
    return request.exitCode;
  }
  if (request.Headless()) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    g_defaultHandler = qInstallMessageHandler(QuietOffscreenHandler);
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName("lumira");
  QApplication::setOrganizationName("Lumira");
  // Ties the window to the installed menu entry, whose icon the desktop shows.
  QGuiApplication::setDesktopFileName("lumira");
  InstallFontSubstitutions();
  // Replays and pictures are in Japanese unless --lang says otherwise; a
  // user's window opens in the language last chosen in the View menu.
  lumira::Language language = lumira::Language::Japanese;
  if (request.language) {
    language = *request.language;
  } else if (!request.Headless()) {
    std::unique_ptr<QSettings> settings(lumira::NewAppSettings());
    language = lumira::RememberedLanguage(*settings);
  }
  if (!lumira::InstallLanguage(app, language)) {
    std::fputs("lumira: the translation for --lang cannot be loaded\n", stderr);
    return lumira::kExitFailed;
  }

  if (!request.commands.isEmpty()) return lumira::RunCommands(request.commands, request.host);
  if (!request.script.isEmpty()) return lumira::RunScriptFile(request.script, request.shot, request.host);
  if (request.shot.Any()) return lumira::RunOneShot(request.shot, request.host);
  return lumira::RunInteractive(app, request.host);
}
