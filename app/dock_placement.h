// Where a floating bar restored from the settings may go: a place saved on
// a screen that is gone (or moved) must not leave the bar out of sight.
#pragma once

#include <QList>
#include <QRect>
#include <optional>

class QDockWidget;

namespace lumira {

// The rectangle a floating bar saved at `saved` gets on `screens` (their
// available areas): moved just inside the screen it overlaps most, or
// nothing when it overlaps none, meaning the bar is docked again.
std::optional<QRect> PlaceFloatingBar(const QRect& saved, const QList<QRect>& screens);

// Applies that to a restored floating dock, on the screens there are now,
// for the place it was saved at (the window's restored state has already
// pulled it onto a screen, which would hide a place off every screen).
void KeepFloatingBarInSight(QDockWidget* dock, const QRect& saved);

}  // namespace lumira
