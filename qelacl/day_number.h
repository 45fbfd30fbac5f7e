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
 * calendars are computed and one is selected by a mask, so that random
 * dates on either side of the switch cost no branch misprediction.
 *
 * Each direction has a 32-bit path for the million years around the
 * epoch (every date the callers accept) and a 64-bit path for every
 * year that fits int32; the 64-bit path only runs for absurd input.
 *
 * Reference:
 *   Hinnant, H., "chrono-Compatible Low-Level Date Algorithms"
 *   (days_from_civil, civil_from_days): the 64-bit paths, adapted here
 *   to the Julian calendar before the switch.
 *   Neri, C. & Schneider, L., "Euclidean affine functions and their
 *   application to calendar algorithms", Software: Practice and
 *   Experience (2023): the 32-bit paths and the month and day of a
 *   March-based day of the year.
 *   Meeus, J., "Astronomical Algorithms", 2nd ed. (1998), chapter 7:
 *   the Julian day and the calendar switch of 1582.
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

/* Years of the 32-bit fast path of DayNumber: shifted by whole 400-year
 * eras so that 1461 * year stays below 2^32 (about 1.2 million years
 * before and 1.7 million after the epoch). */
inline constexpr int64_t kFastYearBias = 400 * 3000;
inline constexpr int64_t kFastYearSpan = 2939000;

/* DayNumber for years from 1 - kFastYearBias to kFastYearSpan - kFastYearBias - 1
 * in 32-bit arithmetic (Neri & Schneider's form of the same counts). */
[[gnu::always_inline]] constexpr int64_t DayNumberFast(int64_t year, int32_t month, int64_t day) {
  /* 1 for January and February (month - 3 < 0), else 0; no jump */
  const uint32_t janFeb = (static_cast<uint32_t>(month) - 3u) >> 31;
  const uint32_t yearMar = static_cast<uint32_t>(year + kFastYearBias) - janFeb;
  const uint32_t monthMar = static_cast<uint32_t>(month) + 12 * janFeb; /* 3..14 */
  /* Julian: 365.25 days a year, floored; days before the month from March. */
  const int64_t beforeMonth = int64_t{1461 * yearMar / 4} + (979 * monthMar - 2919) / 32 +
                              (1721117 - 1461 * kFastYearBias / 4);
  const int64_t julian = beforeMonth + day;
  /* Gregorian: less the century leap days, plus every 400th. */
  const uint32_t century = yearMar / 100;
  const int64_t correction =
      int64_t{century / 4} - int64_t{century} + (kFastYearBias / 100 - kFastYearBias / 400 + 2);
  /* Gregorian from October 1582 day 15 on, and in every later month.  The
   * Julian count of the day before the first of the month orders the
   * months (it is 2299156 for October 1582); adding 15 for days from 15 on
   * tells the halves of October apart without reaching the next month.
   * The sign of the difference is the mask. */
  const int64_t key = beforeMonth + (day >= 15 ? 15 : 0);
  const uint64_t mask = static_cast<uint64_t>((2299156 + 14 - key) >> 63);
  return julian + static_cast<int64_t>(static_cast<uint64_t>(correction) & mask);
}

/* DayNumber in 64-bit arithmetic, for every year. */
[[gnu::noinline]] constexpr int64_t DayNumberWide(int64_t year, int32_t month, int64_t day) {
  /* 0 = March .. 9 = December, 10 = January, 11 = February */
  const uint32_t monthMar = (static_cast<uint32_t>(month) + 9) % 12;
  const int64_t yearMar = year - (monthMar >= 10 ? 1 : 0); /* year that begins in March */
  /* Julian: 365 days a year, a leap day every 4th year (arithmetic shift
   * is floor division by 4, also for negative years). */
  const int64_t julian = 365 * yearMar + (yearMar >> 2) + (153 * monthMar + 2) / 5 + day + 1721117;
  /* Gregorian: the same minus the century leap days, plus every 400th;
   * the 2 aligns the two counts at the switch. */
  const uint64_t biased = static_cast<uint64_t>(yearMar + kYearBias);
  const int64_t centuries = static_cast<int64_t>(biased / 100) - kYearBias / 100;
  const int64_t quads = static_cast<int64_t>(biased / 400) - kYearBias / 400;
  const int64_t correction = quads - centuries + 2;
  /* Gregorian from October 1582 day 15 on, and in every later month;
   * added through a mask, as random dates fall on either calendar. */
  const int64_t key = 2 * (year * 12 + month - 1) + (day >= 15 ? 1 : 0);
  const uint64_t mask = uint64_t{0} - static_cast<uint64_t>(key > 2 * kSwitchMonth);
  return julian + static_cast<int64_t>(static_cast<uint64_t>(correction) & mask);
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
/* Whether DayNumberFast takes the year. */
constexpr bool IsFastYear(int64_t year) {
  return static_cast<uint64_t>(year + kFastYearBias - 1) < static_cast<uint64_t>(kFastYearSpan - 1);
}

[[gnu::always_inline]] constexpr int64_t DayNumber(int64_t year, int32_t month, int64_t day) {
  if (IsFastYear(year)) {
    return DayNumberFast(year, month, day);
  }
  return DayNumberWide(year, month, day);
}

/* Month and day of a March-based day of the year (0 = March 1 .. 365),
 * with the year moved on for January and February: the month lies in the
 * high half of one product, the day - 1 in its low half. */
[[gnu::always_inline]] constexpr CivilDate CivilFromMarchYear(int64_t yearMar, uint32_t doy) {
  const uint32_t md = 2141 * doy + 197913;
  const uint32_t monthMar = md >> 16; /* 3..14 */
  const int32_t day = static_cast<int32_t>((md & 0xFFFF) / 2141) + 1;
  const uint32_t janFeb = doy >= 306 ? 1 : 0; /* arithmetic, not a jump: 1 in 6 */
  return CivilDate{yearMar + janFeb, static_cast<int32_t>(monthMar - 12 * janFeb), day};
}

/* Picks a or b by a flag without a branch: random dates fall on either
 * calendar, and a mispredicted jump would cost more than both counts. */
[[gnu::always_inline]] constexpr uint64_t Select(bool first, uint64_t a, uint64_t b) {
  const uint64_t mask = uint64_t{0} - static_cast<uint64_t>(first);
  return (a & mask) | (b & ~mask);
}

/* Day numbers of the 32-bit fast path (about 1.05 million years before
 * and 1.9 million years after the epoch); the supported range lies well
 * inside. */
inline constexpr int64_t kJulianFastBias = int64_t{1461} << 18; /* whole 4-year cycles */
inline constexpr int64_t kFastDayMin = 1721118 - kJulianFastBias;
inline constexpr int64_t kFastDayMax = 1721120 + (int64_t{1} << 30) - 1;

/* Calendar date of a day number, 32-bit arithmetic for day numbers in
 * kFastDayMin..kFastDayMax.  The year of a 4-year cycle (Julian) or of a
 * century (Gregorian) and the day of that year come from one scaled
 * division each (Neri & Schneider). */
[[gnu::always_inline]] constexpr CivilDate CivilFromDayNumberFast(int64_t n) {
  /* Julian: days since 0000-03-01 (Julian) shifted by whole cycles. */
  const uint32_t zj = static_cast<uint32_t>(n - kFastDayMin);
  const uint32_t nj = 4 * zj + 3;
  const uint32_t yearJ = nj / 1461;
  const uint32_t doyJ = nj % 1461 / 4;

  /* Gregorian: days since 0000-03-01 (Gregorian); wraps harmlessly before
   * 1582, where the result is not used. */
  const uint32_t zg = static_cast<uint32_t>(n - 1721120);
  const uint32_t n1 = 4 * zg + 3;
  const uint32_t century = n1 / 146097;
  const uint32_t n2 = (n1 % 146097) | 3; /* 4 * day of the century + 3 */
  const uint64_t p2 = uint64_t{2939745} * n2;
  const uint32_t yearOfCentury = static_cast<uint32_t>(p2 >> 32);
  const uint32_t doyG = static_cast<uint32_t>(p2) / 2939745 / 4;
  const uint32_t yearG = 100 * century + yearOfCentury;

  const bool gregorian = n >= kFirstGregorianDay;
  const int64_t yearMarJ = static_cast<int64_t>(yearJ) - 4 * (kJulianFastBias / 1461);
  const int64_t yearMar = static_cast<int64_t>(
      Select(gregorian, yearG, static_cast<uint64_t>(yearMarJ))); /* two's complement */
  return CivilFromMarchYear(yearMar, static_cast<uint32_t>(Select(gregorian, doyG, doyJ)));
}

/* Calendar date of any day number whose year fits int32 (kDayNumberMin..
 * kDayNumberMax below), in 64-bit arithmetic; unsigned arithmetic keeps
 * the discarded calendar free of overflow. */
[[gnu::noinline]] constexpr CivilDate CivilFromDayNumberWide(int64_t n) {
  /* Julian: 4-year cycles counted from 0000-03-01 (Julian, day 1721118). */
  const uint64_t zj = static_cast<uint64_t>(n - 1721118 + kJulianDayBias);
  const uint64_t cycleJ = zj / 1461;
  const uint32_t docJ = static_cast<uint32_t>(zj - cycleJ * 1461); /* 0..1460 */
  const uint32_t yocJ = (docJ - docJ / 1460) / 365;                /* 0..3 */
  const int64_t yearJ = static_cast<int64_t>(cycleJ) * 4 + yocJ - (kJulianDayBias / 1461) * 4;
  const uint32_t doyJ = docJ - 365 * yocJ;

  /* Gregorian: 400-year eras from 0000-03-01 (Gregorian, day 1721120). */
  const uint64_t zg = static_cast<uint64_t>(n - 1721120);
  const uint64_t eraG = zg / 146097;
  const uint32_t doeG = static_cast<uint32_t>(zg - eraG * 146097); /* 0..146096 */
  const uint32_t yoeG = (doeG - doeG / 1460 + doeG / 36524 - doeG / 146096) / 365;
  const uint64_t yearG = eraG * 400 + yoeG;
  const uint32_t doyG = doeG - (365 * yoeG + yoeG / 4 - yoeG / 100);

  const bool gregorian = n >= kFirstGregorianDay;
  const int64_t yearMar = gregorian ? static_cast<int64_t>(yearG) : yearJ;
  return CivilFromMarchYear(yearMar, gregorian ? doyG : doyJ);
}

/* The hot path inline, the far years out of line. */
[[gnu::always_inline]] constexpr CivilDate CivilFromDayNumber(int64_t n) {
  if (n >= kFastDayMin && n <= kFastDayMax) {
    return CivilFromDayNumberFast(n);
  }
  return CivilFromDayNumberWide(n);
}

/* The day numbers whose year fits int32: results beyond them saturate. */
inline constexpr int64_t kDayNumberMin = DayNumber(std::numeric_limits<int32_t>::min(), 1, 1);
inline constexpr int64_t kDayNumberMax = DayNumber(std::numeric_limits<int32_t>::max(), 12, 31);

static_assert(DayNumber(1582, 10, 4) == 2299160);
static_assert(DayNumberFast(-99998, 1, 1) == DayNumberWide(-99998, 1, 1));
static_assert(DayNumberFast(1582, 10, 14) == DayNumberWide(1582, 10, 14));
static_assert(DayNumberFast(1582, 10, 15) == DayNumberWide(1582, 10, 15));
static_assert(DayNumberFast(1582, 8, 80) == DayNumberWide(1582, 8, 80));
static_assert(DayNumberFast(1582, 11, -20) == DayNumberWide(1582, 11, -20));
static_assert(DayNumberFast(99999, 12, 31) == DayNumberWide(99999, 12, 31));
static_assert(DayNumberFast(1 - kFastYearBias, 1, 1) == DayNumberWide(1 - kFastYearBias, 1, 1));
static_assert(DayNumberFast(kFastYearSpan - kFastYearBias - 1, 12, 31) ==
              DayNumberWide(kFastYearSpan - kFastYearBias - 1, 12, 31));
static_assert(DayNumber(1582, 10, 15) == kFirstGregorianDay);
static_assert(DayNumber(-4712, 1, 1) == 0);
static_assert(CivilFromDayNumber(kDayNumberMin).year == std::numeric_limits<int32_t>::min());
static_assert(CivilFromDayNumberFast(kFastDayMin).year == CivilFromDayNumberWide(kFastDayMin).year);
static_assert(CivilFromDayNumberFast(kFastDayMax).day == CivilFromDayNumberWide(kFastDayMax).day);
static_assert(CivilFromDayNumber(kDayNumberMax).year == std::numeric_limits<int32_t>::max());

} /* namespace qelacl */

#endif
