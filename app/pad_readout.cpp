#include "app/pad_readout.h"

#include "pad/lumirapad.h"
#include "pad/time_systems.h"

namespace lumira {
namespace {

constexpr int kCellWidth = CLmrStatic::kCellWidth;

QString TextOf(const CLumiraPad& pad, int id) {
  CWnd* control = pad.GetDlgItem(id);
  return control ? control->GetWindowText() : QString();
}

}  // namespace

QStringList DescribePad(const CLumiraPad& pad) {
  const CLumiraPad::DisplayState s = pad.GetDisplayState();
  return {
      QString("date=[%1]").arg(TextOf(pad, kDateTextId)),
      QString("era=%1").arg(TextOf(pad, kEraLabelId)),
      QString("label=%1").arg(TextOf(pad, kTimeSysLabelId)),
      QString("obs=[%1]").arg(TextOf(pad, kObsTextId)),
      QString("mag=[%1]").arg(TextOf(pad, kMagTextId)),
      QString("sel=%1/%2").arg(s.selDigit).arg(s.selMode),
      QString("moon=%1").arg(s.moonAge),
      QString("track=%1").arg(s.track ? 1 : 0),
      QString("trace=%1").arg(s.trace ? 1 : 0),
  };
}

QString ShownTimeSystem(const CLumiraPad& pad) {
  const timesys::Info* info = timesys::Find(pad.GetTimeSys());
  return info ? QString::fromLatin1(info->key) : QString();
}

bool ControlRect(const CLumiraPad& pad, int id, CRect* rect) {
  CWnd* control = pad.GetDlgItem(id);
  if (!control || !control->IsWindow()) return false;
  control->GetWindowRect(rect);
  pad.ScreenToClient(rect);
  return true;
}

bool TargetPoint(const CLumiraPad& pad, const ScriptTarget& target, CPoint* point, QString* error) {
  auto centreOf = [&](int id) {
    CRect r;
    if (!ControlRect(pad, id, &r)) {
      *error = QString("the bar has no control %1").arg(id);
      return false;
    }
    *point = CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    return true;
  };
  switch (target.kind) {
    case ScriptTarget::Kind::Point:
      *point = CPoint(target.x, target.y);
      return true;
    case ScriptTarget::Kind::Era:
      return centreOf(kEraLabelId);
    case ScriptTarget::Kind::TimeSys:
      return centreOf(kTimeSysLabelId);
    case ScriptTarget::Kind::Arrow:
      return centreOf(kTimeSysArrowId);
    case ScriptTarget::Kind::Bar:
      // Left of the gripper and above every control.
      *point = CPoint(3, 3);
      return true;
    case ScriptTarget::Kind::Digit: {
      const int i = target.digit;
      const int id = i < 20 ? kDateTextId : i < 40 ? kObsTextId : kMagTextId;
      const int cell = i < 20 ? i : i < 40 ? i - 20 : i - 40;
      CRect r;
      if (!ControlRect(pad, id, &r)) {
        *error = QString("the bar has no control %1").arg(id);
        return false;
      }
      // Characters sit in 7-pixel cells from the display's left edge.
      *point = CPoint(r.left + cell * kCellWidth + kCellWidth / 2, (r.top + r.bottom) / 2);
      return true;
    }
  }
  *error = "unknown target";
  return false;
}

}  // namespace lumira
