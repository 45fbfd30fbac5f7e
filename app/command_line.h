// What the command line asks lumira to do, read before any GUI object
// exists: --help, --version and a wrong argument are answered without a
// display.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

#include "app/app_modes.h"
#include "app/language.h"

namespace lumira {

struct LaunchRequest {
  // Set when the program ends at once: the text goes to standard output
  // (help, version) or standard error (a wrong argument), then the exit.
  bool finished = false;
  int exitCode = kExitOk;
  QString output;
  QString error;

  QStringList commands;  // --command, in order
  QString script;        // --script FILE
  OneShot shot;          // --screenshot FILE, --screenshot-bar FILE, --print
  HostChoice host;       // --host stellarium[:PORT]
  std::optional<Language> language;  // --lang ja|en; unset: the remembered one

  // Whether no window needs to reach a screen (every mode but the window).
  bool Headless() const { return !commands.isEmpty() || !script.isEmpty() || shot.Any(); }
};

// Reads `arguments` (the program's name first).  Needs no application
// object; LUMIRA_STELLARIUM_PASSWORD is read from the environment.
LaunchRequest ParseCommandLine(const QStringList& arguments);

}  // namespace lumira
