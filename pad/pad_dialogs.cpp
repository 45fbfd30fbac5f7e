// The two entry dialogs the host asks the pad for (WM_CHANGEDATE,
// WM_CHANGEOBS): each opens below the pad, and an accepted entry is applied
// like a step: the pad's copy changes, goes to the host, the pad re-reads
// the host and tells the main window.
#include <QString>
#include <cmath>

#include "dialogs/dlgsetobs.h"
#include "dialogs/dlgsettime.h"
#include "pad/lumirapad.h"
#include "pad/pad_support.h"
#include "pad/replies.h"

namespace {

constexpr int kDateDialogLeft = 20;  // pixels right of the pad's left edge
constexpr int kObsDialogLeft = 100;
constexpr UINT kMsgDateOutOfRange = 6107;
constexpr double kHalfSecond = 0.5 / 86400.0;  // in days

// The zones in which the date fields of a record are written.
struct RecordZones {
  double lst = 0.0;  // local standard time
  double lmt = 0.0;  // local mean time
};

double ZoneOf(int code, const RecordZones& zones) {
  switch (code) {
    case timesys::kJST: return 9.0;
    case timesys::kLST: return zones.lst;
    case timesys::kLMT: return zones.lmt;
    default: return 0.0;
  }
}

// The universal-time Julian date of the instant a dialog record names.
// `modifiedJd`: an MJD record holds the modified Julian date (records
// coming back from the dialog) rather than the Julian date (records the
// pad fills).
double RecordJd(const _DATEPAD& record, const RecordZones& zones, bool modifiedJd) {
  switch (record.nTimeSys) {
    case timesys::kUTD: {
      // Day 0 at 00:00 plus the real day, which counts on from it.
      tagADATE date{record.nYear, record.nMonth, 0, 0, 0, record.dDay * 86400.0, 0.0};
      return GetJd(&date);
    }
    case timesys::kJD:
      return record.dJd;
    case timesys::kMJD:
      return modifiedJd ? record.dJd + timesys::kMjdZero : record.dJd;
    default: {
      tagADATE date{record.nYear, record.nMonth, record.nDay, record.nHour, record.nMinute,
                    static_cast<double>(record.nSecond), ZoneOf(record.nTimeSys, zones)};
      return GetJd(&date);
    }
  }
}

// Whether the record's instant, taken to the nearest whole second as the
// pad will take it, lies within the accepted dates.
bool IsRecordInRange(const _DATEPAD& record, const RecordZones& zones) {
  const double jd = RecordJd(record, zones, true);
  return jd >= timesys::kFirstJd - kHalfSecond && jd < timesys::kLastJd + kHalfSecond;
}

bool SameAtSixDecimals(double a, double b) {
  return QString::asprintf("%.6f", a) == QString::asprintf("%.6f", b);
}

// Whether accepting the dialog changes the time of day, the part of the
// host's time that its lock holds (a changed date alone does not ask, as
// with the pad's own year, month and day steps).  The real and Julian days
// are compared as the dialog shows them, to six decimals, so an unchanged
// entry never counts as a change; a system switched in the dialog is
// compared by the instant it names.
bool TimeOfDayChanged(const _DATEPAD& before, const _DATEPAD& after, int hour, int minute,
                      int second, const RecordZones& beforeZones, const RecordZones& afterZones) {
  if (after.nTimeSys == before.nTimeSys) {
    switch (after.nTimeSys) {
      case timesys::kUTD: return !SameAtSixDecimals(after.dDay, before.dDay);
      case timesys::kJD: return !SameAtSixDecimals(after.dJd, before.dJd);
      case timesys::kMJD: return !SameAtSixDecimals(after.dJd, before.dJd - timesys::kMjdZero);
      default: return after.nHour != hour || after.nMinute != minute || after.nSecond != second;
    }
  }
  const double beforeJd = RecordJd(before, beforeZones, false);
  if (!CLumiraPad::IsCalendarSystem(after.nTimeSys)) {
    return !(std::fabs(RecordJd(after, afterZones, true) - beforeJd) < kHalfSecond);
  }
  // The time of day the pad held, in the dialog's system, to the second.
  tagADATE held{};
  JdToDate2(beforeJd + ZoneOf(after.nTimeSys, afterZones) / 24.0, &held);
  tagADATEDIFF half{};
  half.dSeconds = 0.5;
  ChangeDate(&held, &half, 0);
  return after.nHour != held.nHour || after.nMinute != held.nMinute ||
         after.nSecond != pad::TruncToInt(held.dSecond);
}

}  // namespace

LRESULT CLumiraPad::OnChangeDate(WPARAM, LPARAM) {
  // Sidereal time (the host disables the date button then) and code 3
  // have no date to offer: nothing opens.
  if (CDlgSetTime::IndexOfCode(m_nTimeSys) < 0) return 0;

  CDlgSetTime dialog(Context(), nullptr);
  CRect window;
  GetWindowRect(&window);
  dialog.SetPosition(window.bottom, window.left + kDateDialogLeft);

  _DATEPAD before{};
  SetDatePadData(&before);
  dialog.SetDatePad(before, m_pCorLmr);
  if (dialog.DoModal() != IDOK) return 0;

  _DATEPAD after{};
  dialog.GetDatePad(after);
  const timesys::Info* chosen = timesys::Find(after.nTimeSys);
  if (!chosen || chosen->dialogIndex < 0) return 0;

  const double lmtZone = GetLMTTimezone(m_fLongitude);
  const RecordZones beforeZones{m_fTz, lmtZone};
  RecordZones afterZones = beforeZones;
  if (after.nTimeSys == timesys::kLST && before.nTimeSys != timesys::kLST) {
    afterZones.lst = replies::ReadNumber(ExecuteHost("? Time.Timezone"));
  }
  // A date that normalising would push outside the accepted dates is not
  // applied: the host keeps its time, and nothing else changes either.
  if (!IsRecordInRange(after, afterZones)) {
    MessageBox(LoadString(kMsgDateOutOfRange), MB_OK | MB_ICONEXCLAMATION);
    return 0;
  }
  if (m_bAskingLock != 1 &&
      TimeOfDayChanged(before, after, m_nHour, m_nMinute, m_nSecond, beforeZones, afterZones) &&
      !TurnOffSpecialTime(0)) {
    return 0;
  }

  tagADATE date{};
  GetDatePadData(after, &date);
  m_nTimeSys = after.nTimeSys;
  // Normalises hours up to 30 and carried seconds, and takes the second to
  // the nearest whole one: a Julian day of six decimals is 0.0864 s coarse,
  // and cutting its seconds would move an unchanged time back a second.
  tagADATEDIFF half{};
  half.dSeconds = 0.5;
  ChangeDate(&date, &half, 0);
  TakeDateFields(date);

  SetCorLmrDate();
  OnUpdate(kRefreshTime | kRefreshMagnitude);
  NotifyMainWindow("DATE");
  return 0;
}

LRESULT CLumiraPad::OnChangeObs(WPARAM, LPARAM) {
  CDlgSetObs dialog(Context(), nullptr);
  CRect window;
  GetWindowRect(&window);
  dialog.SetPosition(window.bottom, window.left + kObsDialogLeft);
  dialog.SetObs(m_fLongitude, m_fLatitude);
  if (dialog.DoModal() != IDOK) return 0;

  double longitude = 0.0, latitude = 0.0;
  dialog.GetObs(&longitude, &latitude);
  ApplyObs(longitude, latitude);
  return 0;
}

void CLumiraPad::ApplyObs(double longitude, double latitude) {
  m_fLongitude = longitude;
  m_fLatitude = latitude;
  SetCorLmrObs();
  OnUpdate(kRefreshTime | kRefreshLocation | kRefreshMagnitude);
  NotifyMainWindow("OBS");
}
