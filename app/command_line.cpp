#include "app/command_line.h"

#include <QCommandLineParser>
#include <QRegularExpression>

#ifndef LUMIRA_VERSION
#define LUMIRA_VERSION "unknown"
#endif

namespace lumira {
namespace {

LaunchRequest Finish(int exitCode, const QString& output, const QString& error) {
  LaunchRequest done;
  done.finished = true;
  done.exitCode = exitCode;
  done.output = output;
  done.error = error;
  return done;
}

LaunchRequest UsageError(const QString& why) {
  return Finish(kExitUsage, {}, "lumira: " + why + " (see --help)\n");
}

}  // namespace

LaunchRequest ParseCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription("Planetarium host with the Lumira pad docked at the top.");
  const QCommandLineOption help({"h", "help"}, "Show this help and exit.");
  const QCommandLineOption version({"v", "version"}, "Show the version and exit.");
  const QCommandLineOption command("command", "Run TEXT on a fresh engine and print its reply (repeatable).",
                                   "TEXT");
  const QCommandLineOption script("script", "Replay the recorded session FILE off-screen and print it.", "FILE");
  const QCommandLineOption screenshot("screenshot", "Write the main window's picture to FILE (PNG).", "FILE");
  const QCommandLineOption barPicture("screenshot-bar", "Write the docked pad bar's picture to FILE (PNG).",
                                      "FILE");
  const QCommandLineOption print("print", "Print the pad's displays once.");
  const QCommandLineOption hostOption(
      "host",
      "Talk to a running Stellarium (its Remote Control plugin on 127.0.0.1, port 8090 unless given; "
      "a password from LUMIRA_STELLARIUM_PASSWORD) instead of the embedded engine.",
      "stellarium[:PORT]");
  const QCommandLineOption lang("lang", "Show every text in LANG: ja (Japanese, the default) or en (English).",
                                "ja|en");
  parser.addOptions({help, version, command, script, screenshot, barPicture, print, hostOption, lang});

  if (!parser.parse(arguments)) return UsageError(parser.errorText());
  if (parser.isSet(help)) {
    // The usage line names the program as it was called.
    QString text = parser.helpText();
    const QString called = arguments.isEmpty() ? QString("lumira") : arguments.first();
    text.replace(QRegularExpression("^Usage: \\S*"), "Usage: " + called);
    return Finish(kExitOk, text, {});
  }
  if (parser.isSet(version)) return Finish(kExitOk, QString("lumira %1\n").arg(LUMIRA_VERSION), {});
  if (!parser.positionalArguments().isEmpty()) {
    return UsageError("unexpected argument " + parser.positionalArguments().first());
  }

  LaunchRequest request;
  if (parser.isSet(hostOption)) {
    QString why;
    if (!ParseStellariumHost(parser.value(hostOption), &request.host.options, &why)) {
      return UsageError("--host: " + why);
    }
    request.host.stellarium = true;
    request.host.options.password = qEnvironmentVariable("LUMIRA_STELLARIUM_PASSWORD");
  }
  if (parser.isSet(lang)) {
    request.language = LanguageOfCode(parser.value(lang));
    if (!request.language) return UsageError("--lang: no language \"" + parser.value(lang) + "\" (ja, en)");
  }
  if (parser.isSet(script) && parser.value(script).isEmpty()) return UsageError("--script needs a file");
  request.commands = parser.values(command);
  request.script = parser.value(script);
  request.shot.screenshot = parser.value(screenshot);
  request.shot.barPicture = parser.value(barPicture);
  request.shot.print = parser.isSet(print);
  if (!request.commands.isEmpty() && (parser.isSet(script) || request.shot.Any())) {
    return UsageError("--command runs alone");
  }
  return request;
}

}  // namespace lumira
