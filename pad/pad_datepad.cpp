// The pad's calendar rules and the record exchanged with the date/time
// dialog: leap years, month lengths, the accepted range of dates, and the
// conversions between the pad's date fields, _DATEPAD and tagADATE.
#include "pad/lumirapad.h"
#include "pad/pad_support.h"
#include "pad/replies.h"

using namespace timesys;

int CLumiraPad::GetLeapYear(int year) const { return IsLeapYear(year); }

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
    case kJST: case kUT: case kLST:
      copy.dTimeZone = m_fTz;
      ChangeTimezone(&copy, 0.0);
      jd = GetJd(&copy);
      break;
    case kLMT:
      copy.dTimeZone = GetLMTTimezone(m_fLongitude);
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
    case kJST: case kUT: case kLST: case kLMT:
      record->nTimeSys = m_nTimeSys;
      record->nYear = m_nYear;
      record->nMonth = m_nMonth;
      record->nDay = m_nDay;
      record->nHour = m_nHour;
      record->nMinute = m_nMinute;
      record->nSecond = m_nSecond;
      break;
    case kUTD:
      record->nTimeSys = kUTD;
      record->nYear = m_nYear;
      record->nMonth = m_nMonth;
      record->dDay = RealDayOf(m_nDay, m_nHour, m_nMinute, m_nSecond);
      break;
    case kJD: case kMJD:
      // MJD too carries the Julian date; the dialog shows it as MJD.
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
  const timesys::Info* system = timesys::Find(record.nTimeSys);
  if (!system) return;
  OnChangeTz(0, reinterpret_cast<LPARAM>(system->key));

  switch (record.nTimeSys) {
    case kJST: case kUT: case kLST: case kLMT:
      date->nYear = record.nYear;
      date->nMonth = record.nMonth;
      date->nDay = record.nDay;
      date->nHour = record.nHour;
      date->nMinute = record.nMinute;
      date->dSecond = record.nSecond;
      if (record.nTimeSys == kJST) {
        date->dTimeZone = 9.0;
      } else if (record.nTimeSys == kUT) {
        date->dTimeZone = 0.0;
      } else {
        date->dTimeZone = replies::ReadNumber(ExecuteHost("? Time.Timezone"));
      }
      break;
    case kUTD: {
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
    case kJD:
      JdToDate2(record.dJd, date);
      date->dTimeZone = 0.0;
      break;
    case kMJD:
      JdToDate2(record.dJd + kMjdZero, date);
      date->dTimeZone = 0.0;
      break;
    default:
      break;  // sidereal time: no calendar date to give
  }
}
