/* Calendar library: Julian dates, date offsets and zone shifts.
 *
 * Plain C declarations so that C and C++ programs can call the library.
 * Years are astronomical (0 is 1 BC, -1 is 2 BC).  The Julian calendar
 * runs up to 1582-10-04, the Gregorian calendar from 1582-10-15; the
 * skipped numbers 1582-10-05..14 read as proleptic Julian dates (10-05 is
 * 10-15).  The supported range is 99999 BC January 1 00:00 (year -99998,
 * JD -34803211.5) to 100000-01-01 00:00 (JD 38245309.5).  No input is
 * refused: fields outside their ranges count on, and absurd values (NaN,
 * infinities, years beyond int32) give saturated dates or a JD outside
 * the supported range.
 */
#ifndef QELACL_H
#define QELACL_H

#include <stdint.h>

#if defined(QELACL_BUILD)
#define QELACL_API __attribute__((visibility("default")))
#else
#define QELACL_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* The supported range as Julian dates of universal time, both included. */
#define QELACL_FIRST_JD (-34803211.5)
#define QELACL_LAST_JD 38245309.5

/* A date and time as local time in zone dTimeZone (hours east). */
typedef struct tagADATE {
  int32_t nYear;
  int32_t nMonth;
  int32_t nDay;
  int32_t nHour;
  int32_t nMinute;
  double dSecond;
  double dTimeZone;
} tagADATE;

/* An offset for ChangeDate; no zone. */
typedef struct tagADATEDIFF {
  int32_t nYears;
  int32_t nMonths;
  int32_t nDays;
  int32_t nHours;
  int32_t nMinutes;
  double dSeconds;
} tagADATEDIFF;

/* Julian date (UT) of the instant the fields denote in zone dTimeZone. */
QELACL_API double GetJd(const tagADATE* date);

/* Universal-time calendar date and time of a Julian date; dTimeZone is
 * left as it was (callers set 0.0). */
QELACL_API void JdToDate2(double jd, tagADATE* date);

/* Moves the date by the offset (direction 0 adds, 1 subtracts) and
 * normalises every field.  Years and months step the calendar date first,
 * keeping the day inside the target month (January 31 + 1 month is the
 * last day of February); days to seconds are then added as a time span.
 * A zero offset only normalises (April 31 is May 1). */
QELACL_API void ChangeDate(tagADATE* date, const tagADATEDIFF* diff, int direction);

/* Re-expresses the same instant in another zone. */
QELACL_API void ChangeTimezone(tagADATE* date, double newZone);

/* 1 when the year has a February 29 in this calendar, else 0: the
 * Gregorian rule after 1582, the Julian rule up to 1582 (0, -4, -8 ... are
 * leap years). */
QELACL_API int IsLeapYear(int32_t year);

#ifdef __cplusplus
}
#endif

#endif
