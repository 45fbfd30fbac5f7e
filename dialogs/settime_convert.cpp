// The date/time dialog's conversions between time systems.  What is typed
// goes to a universal-time copy (FieldsToUT) and from there into the newly
// chosen system (UTToFields); ConvertFields then writes the controls.
#include <QString>
#include <algorithm>
#include <climits>
#include <cmath>

#include "dialogs/dlgsettime.h"
#include "dialogs/settime_ids.h"
#include "pad/replies.h"

using namespace settime;
using namespace timesys;

namespace settime {

int ApplyEra(int shownYear, int era) {
  if (era == 1) return shownYear;
  const long long year = 1LL - shownYear;  // 1 BC is year 0
  return static_cast<int>(std::clamp<long long>(year, INT_MIN, INT_MAX));
}

void SplitYear(int year, int* era, int* shownYear) {
  if (year >= 1) {
    *era = 1;
    *shownYear = year;
  } else {
    *era = 0;
    *shownYear = static_cast<int>(std::min<long long>(1LL - year, INT_MAX));
  }
}

}  // namespace settime

namespace {

// A real number cut toward zero into an int; beyond the int range it
// saturates (the callers have made sure it cannot matter).
int CutToInt(double value) {
  if (std::isnan(value)) return 0;
  if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (value <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(value);
}

// Zones beyond this many hours are no zones at all; refusing them keeps
// the offset's whole hours inside an int.
constexpr double kZoneLimit = 1.0e6;

// Julian days beyond this size name years outside the calendar library's
// int32 years; they are refused before the library sees them.
constexpr double kConvertibleJd = 1.0e11;

// Moves a date by a zone: from the zone's local time to universal time
// (toUT) or back.  The zone goes in as whole hours, whole minutes and the
// remaining seconds.  False, and the date untouched, for a zone that is
// not a number of hours.
bool ShiftByZone(tagADATE& date, double zone, bool toUT) {
  if (!std::isfinite(zone) || std::fabs(zone) > kZoneLimit) return false;
  const double size = std::fabs(zone);
  const double hours = std::floor(size);
  const double minutes = std::floor((size - hours) * 60);
  tagADATEDIFF offset{};
  offset.nHours = static_cast<int32_t>(hours);
  offset.nMinutes = static_cast<int32_t>(minutes);
  offset.dSeconds = ((size - hours) * 60 - minutes) * 60;
  const bool subtract = toUT ? zone >= 0 : zone < 0;
  ChangeDate(&date, &offset, subtract ? 1 : 0);
  return true;
}

}  // namespace

double CDlgSetTime::QueryNumber(const char* query) {
  if (!m_pCorLmr) return 0.0;
  return replies::ReadNumber(m_pCorLmr->Execute(query));
}

double CDlgSetTime::ZoneOfCode(int code) {
  switch (code) {
    case kJST:
      return 9.0;
    case kLST:
      return QueryNumber("? Time.Timezone");
    case kLMT:
      return LmtZoneOf(QueryNumber("? location.longitude"));
    default:
      return 0.0;  // universal time and its decimal forms
  }
}

void CDlgSetTime::MakeADate(tagADATE& date, int year, int month, int day, int hour, int minute,
                            double second, int code) {
  date.nYear = year;
  date.nMonth = month;
  date.nDay = day;
  date.nHour = hour;
  date.nMinute = minute;
  date.dSecond = second;
  // Code 0 stands for the system the list shows.
  date.dTimeZone = ZoneOfCode(code == 0 ? CodeOfIndex(m_nTimeSysIndex) : code);
}

bool CDlgSetTime::IsDateInRange(const tagADATE& date, int code, double zone,
                                double longitude) const {
  if (!IsCalendar(code)) return true;
  tagADATE copy = date;
  if (code == kLMT) {
    copy.dTimeZone = LmtZoneOf(longitude);
  } else {
    if (!std::isfinite(zone)) return false;
    copy.dTimeZone = zone;
    ChangeTimezone(&copy, 0.0);
  }
  const double jd = GetJd(&copy);
  return jd >= kFirstJd && jd <= kLastJd;  // a JD that is not a number fails
}

bool CDlgSetTime::FieldsToUT(int code) {
  const int current = CodeOfIndex(m_nTimeSysIndex);
  tagADATE d{};
  MakeADate(d, ApplyEra(m_nYear, m_nEra), m_nMonth, m_nDay, m_nHour, m_nMinute, m_nSecond, code);
  tagADATEDIFF offset{};
  switch (current) {
    case kJST:
      offset.nHours = 9;
      ChangeDate(&d, &offset, 1);
      break;
    case kUT:
      ChangeDate(&d, &offset, 0);  // only normalises
      break;
    case kUTD: {
      // The real day counts on from the last whole-day value; the hours
      // it leaves may be negative or span days until the next ChangeDate.
      m_strDay = GetDlgItemText(kIdRealDay);
      const double hours = (replies::ReadNumber(m_strDay) - m_nDay) * 24;
      if (!std::isfinite(hours) || std::fabs(hours) >= static_cast<double>(INT_MAX)) return false;
      SplitYear(d.nYear, &m_nEra, &m_nUtYear);
      m_nUtMonth = d.nMonth;
      m_nUtDay = m_nDay;
      m_nUtHour = CutToInt(hours);
      const double minutes = (hours - m_nUtHour) * 60;
      m_nUtMinute = CutToInt(minutes);
      m_nUtSecond = CutToInt((minutes - m_nUtMinute) * 60 + 0.5);
      return true;
    }
    case kJD:
    case kMJD: {
      m_strJd = GetDlgItemText(kIdJd);
      const double jd = replies::ReadNumber(m_strJd) + (current == kMJD ? kMjdZero : 0.0);
      if (!(std::fabs(jd) <= kConvertibleJd)) return false;
      d.dTimeZone = 0.0;
      JdToDate2(jd, &d);
      break;
    }
    case kLST:
    case kLMT:
      if (!ShiftByZone(d, ZoneOfCode(current), true)) return false;
      break;
    default:
      return false;  // no time system of the list
  }
  // d holds universal time now, whatever system it was typed in, so it is
  // judged at zone 0.
  if (!IsDateInRange(d, code, 0.0, 0.0)) return false;
  SplitYear(d.nYear, &m_nEra, &m_nUtYear);
  m_nUtMonth = d.nMonth;
  m_nUtDay = d.nDay;
  m_nUtHour = d.nHour;
  m_nUtMinute = d.nMinute;
  m_nUtSecond = CutToInt(std::floor(d.dSecond + 0.5));
  return true;
}

bool CDlgSetTime::UTToFields(int code) {
  tagADATE u{};
  MakeADate(u, ApplyEra(m_nUtYear, m_nEra), m_nUtMonth, m_nUtDay, m_nUtHour, m_nUtMinute,
            m_nUtSecond, code);
  switch (code) {
    case kJST: {
      tagADATEDIFF offset{};
      offset.nHours = 9;
      ChangeDate(&u, &offset, 0);
      // u holds Japan standard time: judged in its own zone.
      if (!IsDateInRange(u, kJST, 9.0, 0.0)) return false;
      break;
    }
    case kUT:
      m_nYear = m_nUtYear;
      m_nMonth = m_nUtMonth;
      m_nDay = m_nUtDay;
      m_nHour = m_nUtHour;
      m_nMinute = m_nUtMinute;
      m_nSecond = m_nUtSecond;
      return true;
    case kUTD:
      SplitYear(u.nYear, &m_nEra, &m_nYear);
      m_nMonth = u.nMonth;
      m_strDay = QString::asprintf("%.6f", u.nDay + u.nHour / 24.0 + u.nMinute / 1440.0 +
                                               u.dSecond / 86400.0);
      return true;
    case kJD:
    case kMJD: {
      u.dTimeZone = 0.0;
      const double jd = GetJd(&u);
      m_strJd = QString::asprintf("%.6f", code == kJD ? jd : jd - kMjdZero);
      return true;
    }
    case kLST:
    case kLMT: {
      const double longitude = code == kLMT ? QueryNumber("? location.longitude") : 0.0;
      const double zone = code == kLMT ? LmtZoneOf(longitude) : ZoneOfCode(kLST);
      if (!ShiftByZone(u, zone, false)) return false;
      if (!IsDateInRange(u, code, zone, longitude)) return false;
      break;
    }
    default:
      return false;
  }
  SplitYear(u.nYear, &m_nEra, &m_nYear);
  m_nMonth = u.nMonth;
  m_nDay = u.nDay;
  m_nHour = u.nHour;
  m_nMinute = u.nMinute;
  m_nSecond = CutToInt(std::floor(u.dSecond + 0.5));
  return true;
}

void CDlgSetTime::ConvertFields(int code) {
  // A typed date that cannot be taken to universal time leaves the fields
  // as they are: converting the copy of an earlier entry would replace
  // them with a date nobody typed.
  if (FieldsToUT(code)) UTToFields(code);
  WriteFieldsToControls(code);
}

void CDlgSetTime::WriteFieldsToControls(int code) {
  switch (code) {
    case kJST:
    case kUT:
    case kLST:
    case kLMT: {
      // Half a second rounds the shown second and normalises hours up to
      // 30 and carried seconds into an ordinary date.
      tagADATE shown{ApplyEra(m_nYear, m_nEra), m_nMonth, m_nDay, m_nHour, m_nMinute,
                     static_cast<double>(m_nSecond), 0.0};
      tagADATEDIFF half{};
      half.dSeconds = 0.5;
      ChangeDate(&shown, &half, 0);
      // The era follows the normalised year, so that the year and its era
      // never disagree.
      int era = 1, year = 0;
      SplitYear(shown.nYear, &era, &year);
      CheckRadioButton(kIdBC, kIdAD, era == 0 ? kIdBC : kIdAD);
      SetDlgItemText(kIdYear, QString::asprintf("%5d", year));
      SetDlgItemText(kIdMonth, QString::asprintf("%2d", shown.nMonth));
      SetDlgItemText(kIdDay, QString::asprintf("%2d", shown.nDay));
      SetDlgItemText(kIdHour, QString::asprintf("%2d", shown.nHour));
      SetDlgItemText(kIdMinute, QString::asprintf("%2d", shown.nMinute));
      SetDlgItemText(kIdSecond, QString::asprintf("%2d", CutToInt(std::floor(shown.dSecond))));
      break;
    }
    case kUTD:
      CheckRadioButton(kIdBC, kIdAD, m_nEra == 0 ? kIdBC : kIdAD);
      SetDlgItemText(kIdYear, QString::asprintf("%5d", m_nYear));
      SetDlgItemText(kIdMonth, QString::asprintf("%2d", m_nMonth));
      SetDlgItemText(kIdDay, QString::asprintf("%2d", m_nDay));
      SetDlgItemText(kIdRealDay, m_strDay);
      break;
    case kJD:
    case kMJD:
      SetDlgItemText(kIdJd, m_strJd);
      break;
    default:
      break;
  }
}

void CDlgSetTime::OnSelChangeTimeSys() {
  // A field that is no whole number has just been refused by the exchange
  // (message and focus): the list goes back and nothing is converted.
  if (!UpdateData(TRUE)) {
    m_cmbTimeSys.SetCurSel(m_nTimeSysIndex);
    return;
  }
  const int index = m_cmbTimeSys.GetCurSel();
  if (!AtDialog(index)) return;
  ConvertFields(CodeOfIndex(index));
  m_nTimeSysIndex = index;
  ShowFields();
}
