#include "app/dock_placement.h"

#include <QDockWidget>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace lumira {

std::optional<QRect> PlaceFloatingBar(const QRect& saved, const QList<QRect>& screens) {
  const QRect* best = nullptr;
  qint64 bestArea = 0;
  for (const QRect& screen : screens) {
    const QRect common = screen.intersected(saved);
    const qint64 area = qint64(common.width()) * common.height();
    if (area > bestArea) {
      bestArea = area;
      best = &screen;
    }
  }
  if (!best) return std::nullopt;
  // Inside the screen; a bar larger than it keeps its top-left corner (and
  // so its caption) on it.
  QRect placed = saved;
  placed.moveLeft(std::max(best->left(), std::min(saved.left(), best->right() + 1 - saved.width())));
  placed.moveTop(std::max(best->top(), std::min(saved.top(), best->bottom() + 1 - saved.height())));
  return placed;
}

void KeepFloatingBarInSight(QDockWidget* dock, const QRect& saved) {
  if (!dock || !dock->isFloating()) return;
  QList<QRect> screens;
  for (const QScreen* screen : QGuiApplication::screens()) screens << screen->availableGeometry();
  if (const std::optional<QRect> placed = PlaceFloatingBar(saved.isValid() ? saved : dock->frameGeometry(), screens)) {
    dock->move(placed->topLeft());
  } else {
    dock->setFloating(false);
  }
}

}  // namespace lumira
