#include "app/log_follow.h"

#include <QPlainTextEdit>
#include <QScrollBar>

namespace lumira {
namespace {
constexpr const char* kAtEnd = "lumiraAtEnd";  // the view was at its end before the range changed
}

void FollowNewLines(QPlainTextEdit* log) {
  QScrollBar* bar = log->verticalScrollBar();
  bar->setProperty(kAtEnd, true);
  QObject::connect(bar, &QScrollBar::valueChanged, log,
                   [bar](int value) { bar->setProperty(kAtEnd, value >= bar->maximum()); });
  QObject::connect(bar, &QScrollBar::rangeChanged, log, [bar](int, int maximum) {
    if (bar->property(kAtEnd).toBool()) bar->setValue(maximum);
  });
}

}  // namespace lumira
