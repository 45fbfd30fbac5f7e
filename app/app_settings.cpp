#include "app/app_settings.h"

namespace lumira {

QSettings* NewAppSettings() {
  return new QSettings(QSettings::IniFormat, QSettings::UserScope, "Lumira", "Lumira");
}

}  // namespace lumira
