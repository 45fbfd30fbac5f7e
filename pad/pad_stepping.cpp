// Stepping the value under the selected digit (date and time, observer
// location, limiting magnitude) and sending the pad's values to the host.
//
// Every step follows one road: change the pad's own copy, send it to the
// host, re-read the host's state, and tell the main window what changed
// ("DATE" or "OBS").  The magnitude is the one value the main window is
// not told of: it belongs to the chart, not to the time or the place.
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <limits>

#include "pad/lumirapad.h"
#include "pad/pad_support.h"
#include "pad/replies.h"
#include "pad/time_systems.h"

namespace {

// printf into a string of any length (a "%f" of a wild double is long).
std::string Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  const int size = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string text(size > 0 ? size_t(size) : 0, '\0');
  if (size > 0) std::vsnprintf(text.data(), text.size() + 1, format, args);
  va_end(args);
  return text;
}

constexpr char kShowLumiral[] = " ; show lumiral";

// The offset one step of a date digit makes; every index that is not a
// date digit steps by nothing (the date is only normalised and re-sent).
tagADATEDIFF DateStepOf(int digit) {
  tagADATEDIFF diff{};
  switch (digit) {
    case 0: diff.nYears = 10000; break;
    case 1: diff.nYears = 1000; break;
    case 2: diff.nYears = 100; break;
    case 3: diff.nYears = 10; break;
    case 4: diff.nYears = 1; break;
    case 6: case 7: diff.nMonths = 1; break;
    case 9: diff.nDays = 10; break;
    case 10: diff.nDays = 1; break;
    case 12: diff.nHours = 10; break;
    case 13: diff.nHours = 1; break;
    case 15: diff.nMinutes = 10; break;
    case 16: diff.nMinutes = 1; break;
    case 18: diff.dSeconds = 10.0; break;
    case 19: diff.dSeconds = 1.0; break;
    default: break;
  }
  return diff;
}

// Changing the time of day (not the date) needs the host's time lock off.
bool IsTimeOfDayDigit(int digit) {
  return digit == 12 || digit == 13 || digit == 15 || digit == 16 || digit == 18 || digit == 19;
}

// Catalogue ceilings of the limiting magnitude; NaN when the name is not
// one of them.  Hipparcos counts only when catalogue switching is off.
double CeilingOf(const std::string& reply, bool hipparcosAllowed) {
  const QString name = QString::fromStdString(reply);
  auto is = [&](const char* candidate) {
    return name.compare(QLatin1String(candidate), Qt::CaseInsensitive) == 0;
  };
  if (hipparcosAllowed && is("Hipparcos")) return 14.0;
  if (is("GSC-ACT") || is("GSCACT")) return 17.2;
  if (is("Tycho2") || is("Tycho-2")) return 15.3;
  if (is("Tycho")) return 15.2;
  return std::numeric_limits<double>::quiet_NaN();
}

}  // namespace

std::string CLumiraPad::ExecuteHost(const std::string& command) {
  if (!m_pCorLmr) return std::string();
  return m_pCorLmr->Execute(command.c_str());
}

void CLumiraPad::NotifyMainWindow(const char* what) {
  if (CWnd* main = Context().mainWnd) main->SendMessage(WM_PADCHANGED, 0, reinterpret_cast<LPARAM>(what));
}

void CLumiraPad::OnBtnDatePlus() { StepSelectedValue(TRUE); }

void CLumiraPad::OnBtnDateMinus() { StepSelectedValue(FALSE); }

void CLumiraPad::StepSelectedValue(BOOL up) {
  const int digit = m_iSelDigit;
  if (digit == -99) return;
  if (StepLongitude(digit, up) || StepLatitude(digit, up)) {
    // Sent and re-read whether the guards let the value change or not.
    SetCorLmrObs();
    OnUpdate(kRefreshTime | kRefreshLocation | kRefreshMagnitude);
    NotifyMainWindow("OBS");
    return;
  }
  if (StepMagnitude(digit, up)) {
    SetCorLmrMag();
    OnUpdate(kRefreshMagnitude);
    return;
  }
  StepDate(digit, up);
}

BOOL CLumiraPad::StepLongitude(int digit, BOOL up) {
  double unit = 0.0;
  switch (digit) {
    case 20: case 21: unit = 10.0; break;
    case 22: unit = 1.0; break;
    case 24: unit = 0.16666666; break;    // 10 arc-minutes, as written
    case 25: unit = 0.016666666; break;   // 1 arc-minute
    case 27: m_fLongitude = -m_fLongitude; return TRUE;  // east <-> west
    default: return FALSE;
  }
  // Kept within -180..180; exactly +-180 stays.
  if (up) {
    m_fLongitude += unit;
    if (m_fLongitude > 180.0) m_fLongitude -= 360.0;
  } else {
    m_fLongitude -= unit;
    if (m_fLongitude < -180.0) m_fLongitude += 360.0;
  }
  return TRUE;
}

BOOL CLumiraPad::StepLatitude(int digit, BOOL up) {
  double unit = 0.0;
  double guard = 0.0;  // a step must start strictly inside +-guard
  switch (digit) {
    case 29: unit = 10.0; guard = 80.0; break;
    case 30: unit = 1.0; guard = 89.0; break;
    case 32: unit = 0.16666666; guard = 89.8333333; break;
    case 33: unit = 0.016666666; guard = 89.98333333; break;
    case 35: m_fLatitude = -m_fLatitude; return TRUE;  // north <-> south
    default: return FALSE;
  }
  if (up) {
    if (m_fLatitude < guard) m_fLatitude += unit;
  } else {
    if (m_fLatitude > -guard) m_fLatitude -= unit;
  }
  return TRUE;
}

BOOL CLumiraPad::StepMagnitude(int digit, BOOL up) {
  double unit = 0.0;
  double lowest = 0.0;  // the lowest value a step down may start from
  switch (digit) {
    case 40: case 41: unit = 1.0; lowest = -1.0; break;
    case 43: unit = 0.1; lowest = -1.9; break;
    default: return FALSE;
  }
  if (up) {
    // The catalogue may have changed since the last step: ask every time.
    if (GetMagLimit() - unit >= m_fMagLimit) m_fMagLimit += unit;
  } else {
    if (m_fMagLimit >= lowest) m_fMagLimit -= unit;
  }
  return TRUE;
}

void CLumiraPad::TakeDateFields(const tagADATE& date) {
  m_nYear = date.nYear;
  m_nMonth = date.nMonth;
  m_nDay = date.nDay;
  m_nHour = date.nHour;
  m_nMinute = date.nMinute;
  m_nSecond = pad::TruncToInt(date.dSecond);
}

void CLumiraPad::StepDate(int digit, BOOL up) {
  if (!IsCalendarSystem(m_nTimeSys)) return;

  const tagADATE before{m_nYear, m_nMonth, m_nDay, m_nHour, m_nMinute, double(m_nSecond), 0.0};
  tagADATE date = before;
  const tagADATEDIFF diff = DateStepOf(digit);
  ChangeDate(&date, &diff, up ? 0 : 1);
  // A step out of the accepted range is dropped; the old date goes out again.
  if (IsDateInRange(&date)) TakeDateFields(date);
  // A declined question drops the step: the fields go back to the date the
  // host still has, so the next accepted step starts from there.
  if (IsTimeOfDayDigit(digit) && m_bAskingLock != 1) {
    if (!TurnOffSpecialTime(0)) {
      TakeDateFields(before);
      return;
    }
  }
  SetCorLmrDate();
  OnUpdate(kRefreshTime | kRefreshMagnitude);
  NotifyMainWindow("DATE");
}

void CLumiraPad::SetCorLmrDate() {
  // The command is in the host's time of the shown system.  Sidereal time
  // and no system at all carry no date: only " ; show lumiral" goes out.
  const timesys::Info* system = timesys::Find(m_nTimeSys);
  const timesys::HostCode hostCode = system ? system->hostCode : timesys::kHostUniversalTime;
  std::string command;
  if (system && m_nTimeSys != timesys::kST) {
    switch (hostCode) {
      case timesys::kHostZoneTime:  // JST is the zone 9.0
        command = Format("Time = LST(%d,%d,%d,%d,%d,%d,%f)", m_nYear, m_nMonth, m_nDay, m_nHour,
                         m_nMinute, m_nSecond, m_fTz);
        break;
      case timesys::kHostUniversalTime:  // the decimal displays hold universal time
        command = Format("Time = UT(%d,%d,%d,%d,%d,%d)", m_nYear, m_nMonth, m_nDay, m_nHour,
                         m_nMinute, m_nSecond);
        break;
      case timesys::kHostLocalMeanTime:
        command = Format("Time = LMT(%d,%d,%d,%d,%d,%d)", m_nYear, m_nMonth, m_nDay, m_nHour,
                         m_nMinute, m_nSecond);
        break;
    }
  }
  if (m_pTimeSys) *m_pTimeSys = hostCode;
  ExecuteHost(command + kShowLumiral);
}

void CLumiraPad::SetCorLmrObs() {
  ExecuteHost(Format("Location = Location(%f, %f)", m_fLongitude, m_fLatitude));
  // A new place brings its own standard zone.
  const double longitude = m_fLongitude < 0.0 ? m_fLongitude + 360.0 : m_fLongitude;
  m_fTz = m_TimeZone.GetTimeZone(longitude, m_fLatitude);
  ExecuteHost(Format("Time.Timezone = %f ; Show Lumiral", m_fTz));
}

void CLumiraPad::SetCorLmrMag() {
  ExecuteHost(Format("Star.AutoMagnitudeLimit.Minimum = %f", m_fMagLimit) + kShowLumiral);
}

double CLumiraPad::GetMagLimit() {
  const std::string catalog = ExecuteHost("? Star.Catalog");
  const std::string switching = ExecuteHost("? Star.Catalog.Switch");
  if (replies::ReadTruth(switching)) {
    const std::string switched = ExecuteHost("? Star.Catalog.Switch.Catalog");
    const double ceiling = CeilingOf(switched, false);
    if (std::isnan(ceiling)) {
      MessageBox(QStringLiteral("CLumiraPad::GetMagLimit(): Invalid return value for ? Star.Catalog.Switch.Catalog: ") +
                     QString::fromStdString(switched),
                 MB_OK);
      return -9.9;
    }
    return ceiling;
  }
  const double ceiling = CeilingOf(catalog, true);
  if (std::isnan(ceiling)) {
    MessageBox(QStringLiteral("CLumiraPad::GetMagLimit(): Invalid return value for ? Star.Catalog: ") +
                   QString::fromStdString(catalog),
               MB_OK);
    return -9.9;
  }
  return ceiling;
}
