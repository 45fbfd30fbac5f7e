// Reading the pad from its host: the displays as text lines (`show`,
// --print) and the pad-client point of a script target.
#pragma once

#include <QString>
#include <QStringList>

#include "app/script.h"
#include "framework/wintypes.h"

class CLumiraPad;

namespace lumira {

// Control ids of the bar's displays.
constexpr int kDateTextId = 6206;
constexpr int kObsTextId = 6212;
constexpr int kMagTextId = 6007;
constexpr int kEraLabelId = 6232;
constexpr int kTimeSysLabelId = 6234;
constexpr int kTimeSysArrowId = 6018;

// The pad's displays, one item a line:
//   date=[20-character text]  era=AD  label=JST  obs=[...]  mag=[...]
//   sel=INDEX/MODE  moon=AGE  track=0|1  trace=0|1
QStringList DescribePad(const CLumiraPad& pad);

// The pad's time system by its menu key ("JST", "UT", "UTD", "LST",
// "LMT", "JD", "MJD", "ST"), read from its label and date text: the
// decimal day tells "UTD" from "UT", which share the label.
QString ShownTimeSystem(const CLumiraPad& pad);

// A control's rectangle in the pad's client coordinates; false when the
// bar has no such control.
bool ControlRect(const CLumiraPad& pad, int id, CRect* rect);

// The pad-client point a script target names: the centre of a digit's
// 7-pixel cell in its display, the centre of the era label, of the
// time-system label or of its arrow, a point on the bare bar, or the
// point as given.
bool TargetPoint(const CLumiraPad& pad, const ScriptTarget& target, CPoint* point, QString* error);

}  // namespace lumira
