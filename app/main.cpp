// lumira: the planetarium host with the pad docked at the top.
//
//   lumira                          the window (a display is needed)
//   lumira --command TEXT ...       engine commands, one reply a line
//   lumira --script FILE            a recorded session, printed
//   lumira --screenshot FILE.png    the window's picture (with or without --script)
//   lumira --print                  the pad's displays, as `show` prints them
//   lumira --host stellarium[:PORT] ...   any of them on a running Stellarium
//
// Every mode but the window runs off-screen unless a platform was chosen.
#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>
#include <cstring>

#include "app/app_modes.h"
#include "framework/resources.h"

namespace {

// Whether the command line asks for a mode without a window on screen.
// Read before Qt starts, because the platform is chosen then.
bool WantsHeadless(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    for (const char* option : {"--command", "--script", "--screenshot", "--print"}) {
      const size_t n = std::strlen(option);
      if (std::strncmp(argv[i], option, n) == 0 && (argv[i][n] == '\0' || argv[i][n] == '=')) return true;
    }
  }
  return false;
}

// Off-screen, Qt reports what its platform plugin cannot do (size hints,
// mouse grabs); those lines say nothing about the run, so they are left
// out of the headless modes' error output.
QtMessageHandler g_defaultHandler = nullptr;

void QuietOffscreenHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith("This plugin does not support")) return;
  if (g_defaultHandler) g_defaultHandler(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
  if (WantsHeadless(argc, argv)) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    g_defaultHandler = qInstallMessageHandler(QuietOffscreenHandler);
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName("lumira");
  QApplication::setOrganizationName("Lumira");
  InstallFontSubstitutions();

  QCommandLineParser parser;
  parser.setApplicationDescription("Planetarium host with the Lumira pad docked at the top.");
  parser.addHelpOption();
  const QCommandLineOption command("command", "Run TEXT on a fresh engine and print its reply (repeatable).",
                                   "TEXT");
  const QCommandLineOption script("script", "Replay the recorded session FILE off-screen and print it.", "FILE");
  const QCommandLineOption screenshot("screenshot", "Write the main window's picture to FILE (PNG).", "FILE");
  const QCommandLineOption print("print", "Print the pad's displays once.");
  const QCommandLineOption hostOption(
      "host",
      "Talk to a running Stellarium (its Remote Control plugin on 127.0.0.1, port 8090 unless given; "
      "a password from LUMIRA_STELLARIUM_PASSWORD) instead of the embedded engine.",
      "stellarium[:PORT]");
  parser.addOptions({command, script, screenshot, print, hostOption});
  parser.process(app);
  if (!parser.positionalArguments().isEmpty()) {
    std::fprintf(stderr, "lumira: unexpected argument %s (see --help)\n",
                 qPrintable(parser.positionalArguments().first()));
    return lumira::kExitUsage;
  }
  lumira::HostChoice host;
  if (parser.isSet(hostOption)) {
    QString why;
    if (!ParseStellariumHost(parser.value(hostOption), &host.options, &why)) {
      std::fprintf(stderr, "lumira: --host: %s\n", qPrintable(why));
      return lumira::kExitUsage;
    }
    host.stellarium = true;
    host.options.password = qEnvironmentVariable("LUMIRA_STELLARIUM_PASSWORD");
  }

  if (parser.isSet(command)) {
    if (parser.isSet(script) || parser.isSet(screenshot) || parser.isSet(print)) {
      std::fprintf(stderr, "lumira: --command runs alone\n");
      return lumira::kExitUsage;
    }
    return lumira::RunCommands(parser.values(command), host);
  }
  lumira::OneShot shot;
  shot.screenshot = parser.value(screenshot);
  shot.print = parser.isSet(print);
  if (parser.isSet(script)) return lumira::RunScriptFile(parser.value(script), shot, host);
  if (!shot.screenshot.isEmpty() || shot.print) return lumira::RunOneShot(shot, host);
  return lumira::RunInteractive(app, host);
}
