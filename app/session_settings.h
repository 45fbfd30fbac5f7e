// What a user chose that the next start brings back: the pad's time
// system, the place and zone, the catalogue and its switching, the
// magnitude limit, track and trace.  (The window's layout and the pad's
// colours are kept by their own owners; the time itself starts at "now".)
//
// The choices live in the application's settings file.  A value that is
// damaged or foreign (edited by hand, written by another version) is left
// out with a warning, never applied half-way.
#pragma once

#include <QSettings>
#include <QStringList>
#include <string>
#include <vector>

#include "sky/sky_state.h"

namespace lumira {

struct RememberedChoices {
  QString timeSystem;                 // a menu key of the pad, empty: keep
  std::vector<std::string> commands;  // engine commands that bring the rest back
  QStringList warnings;               // one line per value left out
};

void SaveChoices(QSettings& settings, const QString& timeSystem, const sky::SkyState& state);
RememberedChoices ReadChoices(QSettings& settings);

}  // namespace lumira
