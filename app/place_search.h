// Picking a place by its name: the search over the zone table's places,
// what a row of the choice shows, and the places a user chose last.  No
// display, so that the search and the memory are tested without a dialog.
#pragma once

#include <QSettings>
#include <QString>
#include <vector>

#include "qelobs/zone_lookup.h"

namespace lumira {

using PlaceList = std::vector<const qelobs::ZonePlace*>;

// The places whose name, or a later word of it, starts with `text`
// (ignoring case and blanks around it): the names that start with it
// first, then those with a word that does, each in the order of `places`;
// at most `limit`.  A blank text finds nothing.
PlaceList FindPlaces(const PlaceList& places, const QString& text, size_t limit);

// The country's name ("Japan"), or its code where Qt knows no name.
QString CountryName(const qelobs::ZonePlace& place);

// How many places are remembered.
constexpr int kRecentPlaceCount = 8;

// The places chosen last, newest first, from the application's settings
// file.  A stored entry that names no place of `places` (edited by hand,
// from another table) is left out.
PlaceList RecentPlaces(QSettings& settings, const PlaceList& places);
// Puts `place` (one of `places`) first among the remembered places.
void RememberPlace(QSettings& settings, const qelobs::ZonePlace& place, const PlaceList& places);

}  // namespace lumira
