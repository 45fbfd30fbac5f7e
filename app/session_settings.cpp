#include "app/session_settings.h"

#include <cmath>
#include <optional>

#include "pad/time_systems.h"

namespace lumira {
namespace {

// Keys of the settings file, with the engine property each one restores.
constexpr const char* kTimeSystemKey = "Pad/TimeSystem";
constexpr const char* kLongitudeKey = "Location/Longitude";
constexpr const char* kLatitudeKey = "Location/Latitude";
constexpr const char* kZoneKey = "Location/Timezone";
QString Truth(bool on) { return on ? "true" : "false"; }

struct EngineChoice {
  const char* key;
  const char* property;
  enum Kind { Truth, Number, Catalog } kind;
  QString (*stored)(const sky::SkyState&);  // the value to keep
};
const EngineChoice kEngineChoices[] = {
    // The catalogue before the magnitude limit, as a user would set them.
    {"Sky/Catalog", "Star.Catalog", EngineChoice::Catalog,
     [](const sky::SkyState& s) { return QString(sky::CatalogName(s.catalog)); }},
    {"Sky/CatalogSwitch", "Star.Catalog.Switch", EngineChoice::Truth,
     [](const sky::SkyState& s) { return Truth(s.catalogSwitch); }},
    {"Sky/SwitchCatalog", "Star.Catalog.Switch.Catalog", EngineChoice::Catalog,
     [](const sky::SkyState& s) { return QString(sky::CatalogName(s.switchCatalog)); }},
    {"Sky/MagnitudeLimit", "Star.AutoMagnitudeLimit.Minimum", EngineChoice::Number,
     [](const sky::SkyState& s) { return QString::number(s.magnitudeLimit, 'g', 17); }},
    {"View/Track", "View.Track", EngineChoice::Truth, [](const sky::SkyState& s) { return Truth(s.track); }},
    {"View/Trace", "View.Trace", EngineChoice::Truth, [](const sky::SkyState& s) { return Truth(s.trace); }},
};

QString Warning(const char* key, const QVariant& value) {
  return QString("settings: %1 = \"%2\" is not understood and is left out").arg(key, value.toString());
}

// The engine's assignment for a stored value, or empty when the value is
// not of the kind the key holds.
std::string Assignment(const EngineChoice& choice, const QVariant& value) {
  const QString text = value.toString().trimmed();
  QString right;
  switch (choice.kind) {
    case EngineChoice::Truth:
      if (text.compare("true", Qt::CaseInsensitive) == 0) right = "TRUE";
      else if (text.compare("false", Qt::CaseInsensitive) == 0) right = "FALSE";
      break;
    case EngineChoice::Number: {
      bool ok = false;
      const double number = text.toDouble(&ok);
      if (ok && std::isfinite(number)) right = QString::number(number, 'g', 17);
      break;
    }
    case EngineChoice::Catalog: {
      sky::Catalog catalog;
      const QByteArray name = text.toUtf8();
      if (sky::CatalogFromName(std::string_view(name.constData(), size_t(name.size())), &catalog)) {
        right = sky::CatalogName(catalog);
      }
      break;
    }
  }
  if (right.isEmpty()) return {};
  return std::string(choice.property) + " = " + right.toStdString();
}

}  // namespace

// A stored number, or nothing (with a warning) when the value is none.
std::optional<double> Number(QSettings& settings, const char* key, QStringList* warnings) {
  if (!settings.contains(key)) return std::nullopt;
  bool ok = false;
  const double number = settings.value(key).toDouble(&ok);
  if (ok && std::isfinite(number)) return number;
  *warnings << Warning(key, settings.value(key));
  return std::nullopt;
}

void SaveChoices(QSettings& settings, const QString& timeSystem, const sky::SkyState& state) {
  settings.setValue(kTimeSystemKey, timeSystem);
  for (const EngineChoice& choice : kEngineChoices) settings.setValue(choice.key, choice.stored(state));
  settings.setValue(kLongitudeKey, state.longitude);
  settings.setValue(kLatitudeKey, state.latitude);
  settings.setValue(kZoneKey, state.timezone);
}

RememberedChoices ReadChoices(QSettings& settings) {
  RememberedChoices choices;
  if (settings.contains(kTimeSystemKey)) {
    const QString key = settings.value(kTimeSystemKey).toString();
    if (timesys::OfKey(key.toStdString())) {  // a system of the pad's menu
      choices.timeSystem = key;
    } else {
      choices.warnings << Warning(kTimeSystemKey, settings.value(kTimeSystemKey));
    }
  }
  for (const EngineChoice& choice : kEngineChoices) {
    if (!settings.contains(choice.key)) continue;
    const std::string command = Assignment(choice, settings.value(choice.key));
    if (command.empty()) {
      choices.warnings << Warning(choice.key, settings.value(choice.key));
    } else {
      choices.commands.push_back(command);
    }
  }
  // The place only as a pair; the engine checks the ranges.
  const std::optional<double> longitude = Number(settings, kLongitudeKey, &choices.warnings);
  const std::optional<double> latitude = Number(settings, kLatitudeKey, &choices.warnings);
  if (longitude && latitude) {
    choices.commands.push_back(QString::asprintf("Location = Location(%.17g, %.17g)", *longitude, *latitude).toStdString());
  }
  if (const std::optional<double> zone = Number(settings, kZoneKey, &choices.warnings)) {
    choices.commands.push_back(QString::asprintf("Time.Timezone = %.17g", *zone).toStdString());
  }
  return choices;
}

}  // namespace lumira
