// The ways lumira runs: the interactive window, and the headless modes for
// automation, bug reports and tests.
#pragma once

#include <QString>
#include <QStringList>

#include "stellarium/stellarium_host.h"

class QApplication;

namespace lumira {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;  // an engine command answered ERROR, a file
                                // could not be read or written, no pad
constexpr int kExitUsage = 2;  // a wrong command line
constexpr int kExitScriptLine = 2;  // a script line could not be read or run

// The sky-chart control the pad talks to: the embedded engine, or a
// running Stellarium through its Remote Control API (--host stellarium).
struct HostChoice {
  bool stellarium = false;
  StellariumOptions options;
};

// What to do with the window once it stands.
struct OneShot {
  QString screenshot;  // write the window's picture here (PNG)
  QString barPicture;  // write the pad bar's own picture here (PNG)
  bool print = false;  // print the pad's displays

  bool Any() const { return !screenshot.isEmpty() || !barPicture.isEmpty() || print; }
};

// --command: each text on a fresh engine in its default state (or on
// Stellarium), each reply on a line of its own.  Fails when any reply is
// an error.
int RunCommands(const QStringList& commands, const HostChoice& host = {});

// --script FILE: the recorded session against a fresh pad and engine.
int RunScriptFile(const QString& file, const OneShot& shot, const HostChoice& host = {});

// --screenshot / --screenshot-bar / --print without a script: the window as a user would
// first see it, rendered once.
int RunOneShot(const OneShot& shot, const HostChoice& host = {});

// The window, until the user closes it.
int RunInteractive(QApplication& app, const HostChoice& host = {});

}  // namespace lumira
