#include "app/app_settings.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr const char* kBarSizeKey = "View/BarSize";
}

namespace lumira {

QSettings* NewAppSettings() {
  return new QSettings(QSettings::IniFormat, QSettings::UserScope, "Lumira", "Lumira");
}

int ChosenBarSize(QSettings& settings) { return std::max(0, settings.value(kBarSizeKey, 0).toInt()); }

int BarSizePercent(QSettings& settings, double screenRatio) {
  if (const int chosen = ChosenBarSize(settings)) return chosen;
  return std::max(100, int(std::lround(screenRatio * 100)));
}

void RememberBarSize(QSettings& settings, int percent) {
  if (percent > 0) {
    settings.setValue(kBarSizeKey, percent);
  } else {
    settings.remove(kBarSizeKey);
  }
}

}  // namespace lumira
