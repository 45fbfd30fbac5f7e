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

// Applies that to a restored dock, on the screens there are now.
void KeepFloatingBarInSight(QDockWidget* dock);

}  // namespace lumira
