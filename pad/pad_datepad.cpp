// The pad's calendar rules and the record exchanged with the date/time
// dialog: leap years, month lengths, the accepted range of dates, and the
// conversions between the pad's date fields, _DATEPAD and tagADATE.
#include "pad/lumirapad.h"
#include "pad/pad_support.h"
#include "pad/replies.h"

namespace {

// 99999 BC January 1 00:00 (Julian calendar) and 100000-01-01 00:00
// (Gregorian calendar), both universal time, both accepted.
constexpr double kFirstJd = -34803211.5;
constexpr double kLastJd = 38245309.5;

constexpr double kSecondsPerDay = 1.1574074074074073e-5;  // 1/86400
constexpr double kMinutesPerDay = 0.0006944444444444445;  // 1/1440
constexpr double kHoursPerDay = 0.041666666666666664;     // 1/24

}  // namespace

int CLumiraPad::GetLeapYear(int year) const {
  if (year > 1582) return ((year % 4 == 0 && year % 100 != 0) || year % 400 == 0) ? 1 : 0;
  // Julian rule, also for year 0 and before: 0, -4, -8 ... are leap years.
  return year % 4 == 0 ? 1 : 0;
}

int CLumiraPad::GetDaysOfMonth(int month, int year) {
  switch (month) {
    case 1: case 3: case 5: case 7: case 8: case 10: case 12:
      return 31;
    case 4: case 6: case 9: case 11:
      return 30;
    case 2:
      return GetLeapYear(year) == 1 ? 29 : 28;
    default:
      MessageBox(QStringLiteral("CLumiraPad::GetDaysOfMonth(): nMonth out of range."), MB_OK);
      return -1;
  }
}

BOOL CLumiraPad::IsDateInRange(const tagADATE* date) const {
  tagADATE copy = *date;
  double jd = 0.0;
  switch (m_nTimeSys) {
    case 0: case 1: case 6:
      copy.dTimeZone = m_fTz;
      ChangeTimezone(&copy, 0.0);
      jd = GetJd(&copy);
      break;
    case 7:
      copy.dTimeZone = m_fLongitude * 0.06666666666666667;
      jd = GetJd(&copy);
      break;
    default:
      return TRUE;  // no calendar fields to judge
  }
  // Written so that a JD that is not a number fails.
  return (jd >= kFirstJd && jd <= kLastJd) ? TRUE : FALSE;
}

void CLumiraPad::SetDatePadData(_DATEPAD* record) {
  switch (m_nTimeSys) {
    case 0: case 1: case 6: case 7:
      record->nTimeSys = m_nTimeSys;
      record->nYear = m_nYear;
      record->nMonth = m_nMonth;
      record->nDay = m_nDay;
      record->nHour = m_nHour;
      record->nMinute = m_nMinute;
      record->nSecond = m_nSecond;
      break;
    case 2:
      record->nTimeSys = 2;
      record->nYear = m_nYear;
      record->nMonth = m_nMonth;
      record->dDay = m_nSecond * kSecondsPerDay + m_nMinute * kMinutesPerDay +
                     m_nHour * kHoursPerDay + m_nDay;
      break;
    case 4: case 5:
      // MJD too carries the Julian date; the dialog shows JD - 2400000.5.
      record->nTimeSys = m_nTimeSys;
      record->dJd = replies::ReadNumber(ExecuteHost("? Time.jd"));
      break;
    default:
      break;  // sidereal time and no time system: nothing to offer
  }
}

void CLumiraPad::GetDatePadData(_DATEPAD record, tagADATE* date) {
  // The dialog never returns code 3 (it has no label); such a record, or
  // one with an unknown code, changes nothing.
  const char* label = MenuLabel(MenuIndexOfTimeSys(record.nTimeSys));
  if (!label) return;
  OnChangeTz(0, reinterpret_cast<LPARAM>(label));

  switch (record.nTimeSys) {
    case 0: case 1: case 6: case 7:
      date->nYear = record.nYear;
      date->nMonth = record.nMonth;
      date->nDay = record.nDay;
      date->nHour = record.nHour;
      date->nMinute = record.nMinute;
      date->dSecond = record.nSecond;
      if (record.nTimeSys == 0) {
        date->dTimeZone = 9.0;
      } else if (record.nTimeSys == 1) {
        date->dTimeZone = 0.0;
      } else {
        date->dTimeZone = replies::ReadNumber(ExecuteHost("? Time.Timezone"));
      }
      break;
    case 2: {
      date->nYear = record.nYear;
      date->nMonth = record.nMonth;
      date->nDay = pad::TruncToInt(record.dDay);
      const double hours = (record.dDay - date->nDay) * 24;
      date->nHour = pad::TruncToInt(hours);
      const double minutes = (hours - date->nHour) * 60;
      date->nMinute = pad::TruncToInt(minutes);
      // Rounded to the nearest whole second, which may come out as 60.  A
      // record typed into the dialog can hold any real: the conversions
      // saturate rather than overflow.
      date->dSecond = pad::TruncToInt((minutes - date->nMinute) * 60 + 0.5);
      date->dTimeZone = 0.0;
      break;
    }
    case 4:
      JdToDate2(record.dJd, date);
      date->dTimeZone = 0.0;
      break;
    case 5:
      JdToDate2(record.dJd + 2400000.5, date);
      date->dTimeZone = 0.0;
      break;
    default:
      break;  // sidereal time: no calendar date to give
  }
}
