/* Day numbers of the library's calendar: the Julian calendar up to
 * 1582-10-04, the Gregorian calendar from 1582-10-15.
 *
 * A day number n is the Julian day number of the civil day, the day
 * whose noon is JD n; its 00:00 is JD n - 0.5.  Years are astronomical
 * (0 is 1 BC).
 *
 * Both directions use era arithmetic: the calendar repeats every 4
 * Julian years (1461 days) and every 400 Gregorian years (146097 days),
 * and a year counted from March puts the leap day at its end, so a date
 * maps to a day with a handful of multiplications and divisions by
 * constants, with no loops over years or months and no table.  Both
 * calendars are computed and one is selected, so that the switch costs
 * no branch misprediction.
 *
 * Reference:
 *   Hinnant, H., "chrono-Compatible Low-Level Date Algorithms"
 *   (days_from_civil, civil_from_days), adapted here to the Julian
 *   calendar before the switch.
 *   Neri, C. & Schneider, L., "Euclidean affine functions and their
 *   application to calendar algorithms", Softw. Pract. Exper. 53 (2023),
 *   for the month and day of a March-based day of the year.
 *   Meeus, J., "Astronomical Algorithms", 2nd ed. (1998), chapter 7,
 *   for the Julian day and the calendar switch of 1582.
 */
#ifndef QELACL_DAY_NUMBER_H
#define QELACL_DAY_NUMBER_H

#include <cstdint>
#include <limits>

namespace qelacl {

/* Day number of 1582-10-15, the first Gregorian day. */
inline constexpr int64_t kFirstGregorianDay = 2299161;

/* October 1582 as a month index (year * 12 + month - 1). */
inline constexpr int64_t kSwitchMonth = 1582 * 12 + 9;

/* Shifts a March-based year into the positive range before the unsigned
 * divisions by 100 and 400.  A multiple of 400 larger than any year that
 * reaches DayNumber (at most about 4.5e9 in size: an int32 year plus an
 * int32 offset of years plus an int32 offset of months / 12). */
inline constexpr int64_t kYearBias = int64_t{400} << 24;

/* Shifts a day count into the positive range before the division by the
 * Julian cycle; a multiple of 1461 larger than any day number that
 * reaches CivilFromDayNumber (at most about 7.9e11 in size). */
inline constexpr int64_t kJulianDayBias = int64_t{1461} << 30;

struct CivilDate {
  int64_t year;
  int32_t month; /* 1..12 */
  int32_t day;   /* 1..31 */
};

/* Leap year by year number alone: Gregorian rule after 1582, Julian rule
 * (signed remainder by 4 is 0, so 0 and -4 are leap years) up to 1582. */
constexpr bool IsLeapYear(int64_t year) {
  if (year > 1582) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
  }
  return (year & 3) == 0; /* two's complement: -4 & 3 == 0, -1 & 3 == 3 */
}

/* Number of days of a month (1..12).  October 1582 counts 31 days, as its
 * numbering runs to 31 even though ten of them were skipped. */
constexpr int32_t DaysInMonth(int64_t year, int32_t month) {
  if (month == 2) {
    return IsLeapYear(year) ? 29 : 28;
  }
  return (month == 4 || month == 6 || month == 9 || month == 11) ? 30 : 31;
}

/* Floor division by 12 of a month index (year * 12 + month - 1). */
constexpr int64_t FloorDiv12(int64_t monthIndex) {
  return monthIndex >= 0 ? monthIndex / 12 : -((-monthIndex + 11) / 12);
}

/* Day number of day `day` of month `month` (1..12) of `year`.
 *
 * The day may lie outside the month: it counts on in days from the first
 * of the month (April 31 is May 1, day 0 is the last day of the previous
 * month).  October 1582 is the one month of both calendars: days up to 14
 * are Julian, days from 15 on Gregorian, so the skipped numbers 5 to 14
 * are read as proleptic Julian dates (1582-10-05 is 1582-10-15).
 *
 * Valid for |year| up to about 4.5e9 and |day| up to about 2^40; all
 * intermediate values stay far inside int64. */
constexpr int64_t DayNumber(int64_t year, int32_t month, int64_t day) {
  const bool janFeb = month <= 2;
  const int64_t yearMar = year - (janFeb ? 1 : 0);     /* year that begins in March */
  const int32_t monthMar = janFeb ? month + 9 : month - 3; /* 0 = March .. 11 = February */
  /* Julian: 365 days a year, a leap day every 4th year (arithmetic shift
   * is floor division by 4, also for negative years). */
  const int64_t julian = 365 * yearMar + (yearMar >> 2) + (153 * monthMar + 2) / 5 + day + 1721117;
  /* Gregorian: the same minus the century leap days, plus every 400th;
   * 1721120 - 1721117 - 1 = 2 aligns the two counts at the switch. */
  const uint64_t biased = static_cast<uint64_t>(yearMar + kYearBias);
  const int64_t centuries = static_cast<int64_t>(biased / 100) - kYearBias / 100;
  const int64_t quads = static_cast<int64_t>(biased / 400) - kYearBias / 400;
  const int64_t gregorian = julian - centuries + quads + 2;
  /* Gregorian from October 1582 day 15 on, and in every later month. */
  const int64_t key = 2 * (year * 12 + month - 1) + (day >= 15 ? 1 : 0);
  return key > 2 * kSwitchMonth ? gregorian : julian;
}

/* Calendar date of a day number.  Valid for day numbers whose year fits
 * int32 (kDayNumberMin..kDayNumberMax below); unsigned arithmetic keeps
 * the discarded calendar free of overflow. */
constexpr CivilDate CivilFromDayNumber(int64_t n) {
  /* Julian: 4-year cycles counted from 0000-03-01 (Julian, day 1721118). */
  const uint64_t zj = static_cast<uint64_t>(n - 1721118 + kJulianDayBias);
  const uint64_t cycleJ = zj / 1461;
  const uint32_t docJ = static_cast<uint32_t>(zj - cycleJ * 1461); /* 0..1460 */
  const uint32_t yocJ = (docJ - docJ / 1460) / 365;                 /* 0..3 */
  const int64_t yearJ = static_cast<int64_t>(cycleJ) * 4 + yocJ - (kJulianDayBias / 1461) * 4;
  const uint32_t doyJ = docJ - 365 * yocJ;

  /* Gregorian: 400-year eras from 0000-03-01 (Gregorian, day 1721120);
   * only used from 1582-10-15 on, where the count is positive. */
  const uint64_t zg = static_cast<uint64_t>(n - 1721120);
  const uint64_t eraG = zg / 146097;
  const uint32_t doeG = static_cast<uint32_t>(zg - eraG * 146097); /* 0..146096 */
  const uint32_t yoeG = (doeG - doeG / 1460 + doeG / 36524 - doeG / 146096) / 365;
  const uint64_t yearG = eraG * 400 + yoeG;
  const uint32_t doyG = doeG - (365 * yoeG + yoeG / 4 - yoeG / 100);

  const bool gregorian = n >= kFirstGregorianDay;
  const int64_t yearMar = gregorian ? static_cast<int64_t>(yearG) : yearJ;
  const uint32_t doy = gregorian ? doyG : doyJ; /* 0 = March 1 .. 365 */

  /* Month 3..14 in the high half, day - 1 in the low half. */
  const uint32_t md = 2141 * doy + 197913;
  const uint32_t monthMar = md >> 16;
  const int32_t day = static_cast<int32_t>((md & 0xFFFF) / 2141) + 1;
  const bool janFeb = monthMar > 12;
  return CivilDate{yearMar + (janFeb ? 1 : 0),
                   static_cast<int32_t>(janFeb ? monthMar - 12 : monthMar), day};
}

/* The day numbers whose year fits int32: results beyond them saturate. */
inline constexpr int64_t kDayNumberMin = DayNumber(std::numeric_limits<int32_t>::min(), 1, 1);
inline constexpr int64_t kDayNumberMax = DayNumber(std::numeric_limits<int32_t>::max(), 12, 31);

static_assert(DayNumber(1582, 10, 4) == 2299160);
static_assert(DayNumber(1582, 10, 15) == kFirstGregorianDay);
static_assert(DayNumber(-4712, 1, 1) == 0);
static_assert(CivilFromDayNumber(kDayNumberMin).year == std::numeric_limits<int32_t>::min());
static_assert(CivilFromDayNumber(kDayNumberMax).year == std::numeric_limits<int32_t>::max());

} /* namespace qelacl */

#endif
