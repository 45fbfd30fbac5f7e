/* Calendar library: Julian dates, date offsets and zone shifts.
 *
 * Calendar.  Julian calendar up to 1582-10-04, Gregorian calendar from
 * 1582-10-15, in agreement with the leap-year rule "Gregorian rule for
 * years after 1582, Julian rule (signed remainder by 4 is 0, so 0 and -4
 * are leap years) for 1582 and earlier".  The skipped numbers 1582-10-05
 * to 1582-10-14 are read as proleptic Julian dates, so 1582-10-05 is the
 * same day as 1582-10-15 and 1582-10-14 the same as 1582-10-24; every
 * result is a real date.  Years are astronomical (0 is 1 BC).
 *
 * Range.  The dates the callers accept run from 99999 BC January 1 00:00
 * (year -99998, JD -34803211.5) to 100000-01-01 00:00 (JD 38245309.5).
 * The arithmetic itself is exact for every year that fits int32; a
 * result beyond that saturates at INT32_MIN-01-01 00:00:00 or
 * INT32_MAX-12-31 23:59:59, and a NaN moves the date to the late end.
 * No input makes a signed overflow or converts an out-of-range double to
 * an integer: doubles are range-checked before every conversion.
 *
 * Precision.  A date is held as a day number (int64) and seconds of the
 * day apart, never as one double JD, so whole seconds, carries and the
 * fractions the callers add survive exactly; only GetJd and JdToDate2
 * meet a double JD, whose spacing at the range ends (about 0.6 ms)
 * bounds their error.
 *
 * Speed.  No loops, no allocation and no libm calls on the hot path;
 * floors come from one truncation, and day numbers from a few
 * multiplications (see day_number.h).
 */
#include "host/qelacl.h"

#include <cmath>
#include <cstdint>

#include "qelacl/day_number.h"

namespace {

using qelacl::CivilDate;
using qelacl::kDayNumberMax;
using qelacl::kDayNumberMin;

constexpr int64_t kSecondsPerDay = 86400;

/* Seconds beyond this size move any date past the int32 years (4.3e9
 * years are 1.4e17 s), so they saturate; below it a double converts to
 * int64 safely and its floor is exact. */
constexpr double kSecondsLimit = 288230376151711744.0; /* 2^58 */

/* Year and month of a month index (year * 12 + month - 1), any size. */
struct YearMonth {
  int64_t year;
  int32_t month;
};

inline YearMonth SplitMonthIndex(int64_t monthIndex) {
  const int64_t year = qelacl::FloorDiv12(monthIndex);
  return YearMonth{year, static_cast<int32_t>(monthIndex - year * 12) + 1};
}

/* FieldsDayNumber for a month outside 1..12 or a far year. */
[[gnu::noinline]] int64_t FieldsDayNumberSlow(const tagADATE& date) {
  const YearMonth ym = SplitMonthIndex(int64_t{date.nYear} * 12 + date.nMonth - 1);
  return qelacl::DayNumber(ym.year, ym.month, date.nDay);
}

/* A month in 1..12 and a year of the 32-bit count: every record but
 * absurd ones. */
[[gnu::always_inline]] inline bool IsUsual(const tagADATE& date) {
  return (static_cast<uint32_t>(date.nMonth) - 1u < 12u) & qelacl::IsFastYear(date.nYear);
}

/* Day number of the record's fields with the month brought into 1..12;
 * the day counts on from the first of the month. */
[[gnu::always_inline]] inline int64_t FieldsDayNumber(const tagADATE& date) {
  if (IsUsual(date)) {
    return qelacl::DayNumberFast(date.nYear, date.nMonth, date.nDay);
  }
  return FieldsDayNumberSlow(date);
}

/* Whole seconds of the hour and minute fields (|result| < 2^44). */
inline int64_t FieldsSeconds(const tagADATE& date) {
  return int64_t{date.nHour} * 3600 + int64_t{date.nMinute} * 60;
}

/* JD of the record's time on a day number, less the zone. */
[[gnu::always_inline]] inline double JdOfDay(int64_t dayNumber, const tagADATE& date) {
  /* Seconds from the noon of the day; the whole ones are exact in a
   * double (|value| < 2^44). */
  const double seconds = static_cast<double>(FieldsSeconds(date) - 43200) + date.dSecond -
                         date.dTimeZone * 3600.0;
  return static_cast<double>(dayNumber) + seconds / 86400.0;
}

/* floor(x) as an integer for |x| < 2^63, shorter than std::floor and a
 * conversion: truncate, then step down when that went up. */
[[gnu::always_inline]] inline int64_t FloorToInt(double x) {
  const int64_t t = static_cast<int64_t>(x);
  return t - (static_cast<double>(t) > x ? 1 : 0);
}

/* Floor division by a positive divisor. */
inline int64_t FloorDiv(int64_t a, int64_t b) {
  const int64_t q = a / b;
  return q - (a - q * b < 0 ? 1 : 0);
}

[[gnu::always_inline]] inline void WriteDay(tagADATE* date, int64_t dayNumber) {
  const CivilDate c = qelacl::CivilFromDayNumber(dayNumber);
  date->nYear = static_cast<int32_t>(c.year);
  date->nMonth = c.month;
  date->nDay = c.day;
}

/* Hour, minute and whole second of a second of the day (0..86399). */
[[gnu::always_inline]] inline void WriteTime(tagADATE* date, uint32_t secondOfDay,
                                             double fraction) {
  const uint32_t hour = secondOfDay / 3600;
  const uint32_t rest = secondOfDay - hour * 3600;
  const uint32_t minute = rest / 60;
  date->nHour = static_cast<int32_t>(hour);
  date->nMinute = static_cast<int32_t>(minute);
  date->dSecond = static_cast<double>(rest - minute * 60) + fraction;
}

/* The earliest or latest instant the fields can hold. */
void Saturate(tagADATE* date, bool late) {
  static_assert(qelacl::CivilFromDayNumber(kDayNumberMax).month == 12);
  static_assert(qelacl::CivilFromDayNumber(kDayNumberMax).day == 31);
  static_assert(qelacl::CivilFromDayNumber(kDayNumberMin).month == 1);
  static_assert(qelacl::CivilFromDayNumber(kDayNumberMin).day == 1);
  *date = late ? tagADATE{INT32_MAX, 12, 31, 23, 59, 59.0, date->dTimeZone}
               : tagADATE{INT32_MIN, 1, 1, 0, 0, 0.0, date->dTimeZone};
}

/* Writes the instant dayNumber (00:00) + wholeSeconds + seconds into the
 * fields, every field in its range.  wholeSeconds carries the integer
 * parts exactly; seconds is split into whole seconds and a fraction in
 * [0, 1) that ends up unchanged in dSecond.
 * Valid for |dayNumber| < 2^42 and |wholeSeconds| < 2^60. */
[[gnu::always_inline]] inline void WriteInstant(tagADATE* date, int64_t dayNumber,
                                                int64_t wholeSeconds, double seconds) {
  if (!(std::fabs(seconds) < kSecondsLimit)) {
    Saturate(date, !(seconds < 0.0)); /* NaN counts as late */
    return;
  }
  const int64_t whole = FloorToInt(seconds);
  /* Exact, but 1.0 for a tiny negative value (carried below). */
  double fraction = seconds - static_cast<double>(whole);
  const int64_t total = wholeSeconds + whole;
  const int64_t days = FloorDiv(total, kSecondsPerDay);
  int64_t day = dayNumber + days;
  uint32_t secondOfDay = static_cast<uint32_t>(total - days * kSecondsPerDay);
  if (day < kDayNumberMin || day > kDayNumberMax) {
    Saturate(date, day > kDayNumberMax);
    return;
  }
  WriteTime(date, secondOfDay, fraction);
  if (date->dSecond >= 60.0) [[unlikely]] {
    /* 59 + a fraction within 2^-47 of 1 rounded to 60: carry instead */
    if (++secondOfDay == kSecondsPerDay) {
      secondOfDay = 0;
      if (++day > kDayNumberMax) {
        Saturate(date, true);
        return;
      }
    }
    WriteTime(date, secondOfDay, 0.0);
  }
  WriteDay(date, day);
}

/* JD of the 00:00 that starts the earliest and after the latest day. */
constexpr double kJdLow = static_cast<double>(kDayNumberMin) - 0.5;
constexpr double kJdHigh = static_cast<double>(kDayNumberMax) + 0.5;

} /* namespace */

/* GetJd: Julian date of a calendar date and time.
 *
 * Given:
 *   date   fields as local time in the zone date->dTimeZone (hours east):
 *          nYear (astronomical), nMonth, nDay, nHour, nMinute, dSecond.
 *          Fields may lie outside their ranges and count on (month 13 is
 *          January of the next year, day 0 the last day of the previous
 *          month, hour 30 is 06:00 of the next day, negative values
 *          borrow).
 * Returned (function value):
 *          Julian date (UT) of that instant: local time minus the zone.
 *          NaN for a NaN second or zone or a null pointer; a huge value
 *          (outside -34803211.5..38245309.5) for absurd fields.
 * Notes:
 *   1) Valid for every int32 field; exact to the spacing of doubles near
 *      the result (0.6 ms at the ends of the supported range).
 *   2) 1582-10-15 00:00 UT is JD 2299160.5, 1582-10-04 00:00 UT (Julian)
 *      is JD 2299159.5, -4712-01-01 12:00 UT (Julian) is JD 0.
 * Reference:
 *   Meeus, J., "Astronomical Algorithms", 2nd ed. (1998), chapter 7.
 */
extern "C" QELACL_API double GetJd(const tagADATE* date) {
  if (date == nullptr) {
    return std::nan("");
  }
  if (!IsUsual(*date)) {
    return JdOfDay(FieldsDayNumberSlow(*date), *date);
  }
  return JdOfDay(qelacl::DayNumberFast(date->nYear, date->nMonth, date->nDay), *date);
}

/* JdToDate2: calendar date and time of a Julian date.
 *
 * Given:
 *   jd     Julian date (UT).
 * Returned:
 *   date   nYear..dSecond: the UT calendar date and time, every field in
 *          its range (dSecond in [0, 60)).  dTimeZone is left as it was.
 * Notes:
 *   1) The day is split off the JD first (floor(jd + 0.5)) and only the
 *      fraction becomes seconds, so a JD made by GetJd from whole seconds
 *      comes back within a millisecond of them; add 0.5 s with ChangeDate
 *      and truncate to get the whole second back.
 *   2) A JD before INT32_MIN-01-01 or after INT32_MAX-12-31 saturates at
 *      that end (23:59:59 at the late end); NaN saturates at the late end.
 * Reference:
 *   Meeus, J., "Astronomical Algorithms", 2nd ed. (1998), chapter 7.
 */
extern "C" QELACL_API void JdToDate2(double jd, tagADATE* date) {
  if (date == nullptr) {
    return;
  }
  if (!(jd < kJdHigh) || jd < kJdLow) {
    Saturate(date, !(jd < kJdHigh));
    return;
  }
  /* Exact but across a power of two: 0.5 is a multiple of jd's spacing.
   * The fraction of the day is exact too; only the seconds round. */
  const double shifted = jd + 0.5;
  int64_t day = FloorToInt(shifted);
  const double seconds = (shifted - static_cast<double>(day)) * 86400.0;
  uint32_t secondOfDay = static_cast<uint32_t>(seconds);
  if (secondOfDay >= kSecondsPerDay) { /* defensive: the fraction is below 1 and
                                        * its product stays below 86400 */
    secondOfDay = 0;
    if (++day > kDayNumberMax) {
      Saturate(date, true);
      return;
    }
    WriteDay(date, day);
    WriteTime(date, 0, 0.0);
    return;
  }
  WriteDay(date, day);
  WriteTime(date, secondOfDay, seconds - static_cast<double>(secondOfDay)); /* exact */
}

/* ChangeDate: moves a date by an offset and normalises it.
 *
 * Given:
 *   date       the date (fields may lie outside their ranges).
 *   diff       the offset; null means a zero offset.
 *   direction  0 adds the offset, any other value (1) subtracts it.
 * Returned:
 *   date       the moved date, every field in its range: month 1..12,
 *              day within the month, hour 0..23, minute 0..59, dSecond in
 *              [0, 60) with its fraction kept.  dTimeZone is unchanged.
 * Notes:
 *   1) Years and months come first and move the calendar date: the year
 *      and month are stepped, and when the offset has a year or month
 *      part a day past the end of the target month becomes its last day,
 *      as a date editor does (January 31 + 1 month is February 28 or 29).
 *      Then days, hours, minutes and seconds are added as a time span and
 *      carried and borrowed through the real month lengths.  A zero offset
 *      only normalises: April 31 becomes May 1, hour 30 06:00 of the next
 *      day, second 60 the next minute, second -1 the previous minute.
 *   2) Results beyond the int32 years saturate (see the file comment).
 */
extern "C" QELACL_API void ChangeDate(tagADATE* date, const tagADATEDIFF* diff, int direction) {
  if (date == nullptr) {
    return;
  }
  static constexpr tagADATEDIFF kZero{};
  const tagADATEDIFF& d = diff != nullptr ? *diff : kZero;
  const int64_t sign = direction == 0 ? 1 : -1;

  /* Calendar step: |month index| < 2^36, |year| < 2^33. */
  int64_t dayNumber = 0;
  if ((d.nYears | d.nMonths) == 0) {
    dayNumber = FieldsDayNumber(*date);
  } else {
    const int64_t monthIndex = int64_t{date->nYear} * 12 + (date->nMonth - int64_t{1}) +
                               sign * (int64_t{d.nYears} * 12 + d.nMonths);
    const YearMonth ym = SplitMonthIndex(monthIndex);
    const int32_t length = qelacl::DaysInMonth(ym.year, ym.month);
    dayNumber = qelacl::DayNumber(ym.year, ym.month, date->nDay > length ? length : date->nDay);
  }

  /* Time span: |days| < 2^33, |whole seconds| < 2^46. */
  dayNumber += sign * d.nDays;
  const int64_t wholeSeconds =
      FieldsSeconds(*date) + sign * (int64_t{d.nHours} * 3600 + int64_t{d.nMinutes} * 60);
  const double seconds = sign > 0 ? date->dSecond + d.dSeconds : date->dSecond - d.dSeconds;
  WriteInstant(date, dayNumber, wholeSeconds, seconds);
}

/* ChangeTimezone: re-expresses a date in another zone.
 *
 * Given:
 *   date     the date as local time in zone date->dTimeZone (hours east).
 *   newZone  the target zone in hours east (e.g. 9.0, 5.75, -9.5).
 * Returned:
 *   date     the same instant as local time in newZone, normalised as by
 *            ChangeDate; dTimeZone = newZone.
 * Notes:
 *   1) The fields move by (newZone - dTimeZone) hours.  The shift's whole
 *      seconds are carried as integers and only its fraction meets
 *      dSecond, so zones in whole seconds (every quarter-hour zone) leave
 *      the seconds exactly as they were.
 *   2) A NaN or infinite zone saturates the fields (NaN at the late end);
 *      GetJd of the record is then NaN or far outside the supported range.
 */
extern "C" QELACL_API void ChangeTimezone(tagADATE* date, double newZone) {
  if (date == nullptr) {
    return;
  }
  const double shift = (newZone - date->dTimeZone) * 3600.0;
  date->dTimeZone = newZone;
  const int64_t dayNumber = FieldsDayNumber(*date);
  int64_t wholeSeconds = FieldsSeconds(*date);
  double seconds = date->dSecond;
  if (std::fabs(shift) < kSecondsLimit) {
    /* Whole seconds by truncation, the fraction in (-1, 1) exact. */
    const int64_t whole = static_cast<int64_t>(shift);
    wholeSeconds += whole;
    seconds += shift - static_cast<double>(whole);
  } else {
    seconds = shift; /* NaN or beyond every year: WriteInstant saturates */
  }
  WriteInstant(date, dayNumber, wholeSeconds, seconds);
}

extern "C" QELACL_API int IsLeapYear(int32_t year) { return qelacl::IsLeapYear(year) ? 1 : 0; }
