// The application's settings file: the same INI file the pad's colour
// scheme lives in (organisation and application "Lumira"), with the
// host's own keys in groups of their own (Window/..., Location/...).
#pragma once

#include <QSettings>

namespace lumira {

// A new settings object on that file; the caller deletes it.
QSettings* NewAppSettings();

}  // namespace lumira
