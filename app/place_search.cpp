#include "app/place_search.h"

#include <QLocale>
#include <QStringList>
#include <algorithm>

namespace lumira {
namespace {

constexpr const char* kRecentPlacesKey = "Places/Recent";

bool StartsWordAt(const QString& name, qsizetype i) { return i == 0 || !name[i - 1].isLetterOrNumber(); }

// 1: the name starts with `text`; 2: a later word does; 0: neither.
int MatchRank(const QString& name, const QString& text) {
  if (name.startsWith(text, Qt::CaseInsensitive)) return 1;
  for (qsizetype i = 1; i + text.size() <= name.size(); ++i) {
    if (StartsWordAt(name, i) && QStringView(name).mid(i).startsWith(text, Qt::CaseInsensitive)) return 2;
  }
  return 0;
}

// How a remembered place is written: "Sapporo, JP".
QString PlaceKey(const qelobs::ZonePlace& place) {
  return QString::fromUtf8(place.place) + ", " + QString::fromLatin1(place.country);
}

}  // namespace

PlaceList FindPlaces(const PlaceList& places, const QString& text, size_t limit) {
  const QString wanted = text.trimmed();
  if (wanted.isEmpty()) return {};
  PlaceList byName, byWord;
  for (const qelobs::ZonePlace* place : places) {
    const int rank = MatchRank(QString::fromUtf8(place->place), wanted);
    if (rank == 1) byName.push_back(place);
    else if (rank == 2) byWord.push_back(place);
  }
  byName.insert(byName.end(), byWord.begin(), byWord.end());
  if (byName.size() > limit) byName.resize(limit);
  return byName;
}

QString CountryName(const qelobs::ZonePlace& place) {
  const QString code = QString::fromLatin1(place.country);
  const QLocale::Territory territory = QLocale::codeToTerritory(code);
  return territory == QLocale::AnyTerritory ? code : QLocale::territoryToString(territory);
}

PlaceList RecentPlaces(QSettings& settings, const PlaceList& places) {
  // A damaged value reads as no list, or as entries that name nothing.
  const QStringList keys = settings.value(kRecentPlacesKey).toStringList();
  PlaceList recent;
  for (const QString& key : keys) {
    for (const qelobs::ZonePlace* place : places) {
      if (PlaceKey(*place) != key) continue;
      if (std::find(recent.begin(), recent.end(), place) == recent.end()) recent.push_back(place);
      break;
    }
    if (recent.size() == size_t(kRecentPlaceCount)) break;
  }
  return recent;
}

void RememberPlace(QSettings& settings, const qelobs::ZonePlace& place, const PlaceList& places) {
  // Rewritten from what reads back, so that a damaged entry goes.
  QStringList keys{PlaceKey(place)};
  for (const qelobs::ZonePlace* earlier : RecentPlaces(settings, places)) {
    if (earlier != &place && keys.size() < kRecentPlaceCount) keys << PlaceKey(*earlier);
  }
  settings.setValue(kRecentPlacesKey, keys);
}

}  // namespace lumira
