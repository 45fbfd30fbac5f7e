// The application's settings file: the same INI file the pad's colour
// scheme lives in (organisation and application "Lumira"), with the
// host's own keys in groups of their own (Window/..., Location/...).
#pragma once

#include <QSettings>

namespace lumira {

// A new settings object on that file; the caller deletes it.
QSettings* NewAppSettings();

// The pad bar's size in percent (View › Bar size): the user's choice, or
// without one the screen's device pixel ratio, so that a high-resolution
// screen shows the bar at its usual size with every device pixel drawn.
inline constexpr int kBarSizes[] = {100, 150, 200};
int BarSizePercent(QSettings& settings, double screenRatio);
int ChosenBarSize(QSettings& settings);  // 0 when the screen decides
// Remembers a size; 0 forgets the choice and follows the screen again.
void RememberBarSize(QSettings& settings, int percent);

}  // namespace lumira
