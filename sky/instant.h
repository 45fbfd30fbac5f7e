// An instant of universal time, held exactly, and its calendar forms.
//
// A double Julian date carries only about a millisecond at the ends of the
// supported range, and a second lost there shows up as a wrong second on
// the pad.  The engine therefore keeps whole seconds as an integer and
// only the part below one second as a double.
#pragma once

#include <cstdint>

namespace sky {

constexpr int64_t kSecondsPerDay = 86400;

// Whole seconds since the midnight that begins Julian day number 0
// (JD -0.5), plus a fraction of a second in [0, 1).  Day number N (the
// Julian day number, whose noon is JD N) starts at N * 86400 seconds.
struct Instant {
  int64_t seconds = 0;
  double fraction = 0.0;

  friend bool operator==(const Instant&, const Instant&) = default;
};

// Calendar fields of a local time: astronomical year (0 is 1 BC), month
// 1..12, day, hour, minute, second.
struct CivilTime {
  int32_t year = 0;
  int32_t month = 1;
  int32_t day = 1;
  int32_t hour = 0;
  int32_t minute = 0;
  double second = 0.0;
};

// Brings the fraction into [0, 1), carrying whole seconds.
Instant Normalized(int64_t seconds, double fraction);

// The instant moved by `deltaSeconds` (any finite value).
Instant Shifted(const Instant& t, double deltaSeconds);

bool operator<(const Instant& a, const Instant& b);
inline bool operator<=(const Instant& a, const Instant& b) { return !(b < a); }

// The supported range, both ends included: 99999 BC January 1 00:00 UT
// (JD -34803211.5) to 100000-01-01 00:00 UT (JD 38245309.5).
Instant RangeStart();
Instant RangeEnd();
bool InRange(const Instant& t);

// Day number and the seconds since that day's midnight, [0, 86400).
int64_t DayNumber(const Instant& t);
double SecondsOfDay(const Instant& t);

// Julian date (UT) of the instant, to the double's precision.
double ToJulianDate(const Instant& t);
// The instant of a Julian date; false for a value that is not finite.
bool FromJulianDate(double jd, Instant* out);

// Why a calendar time was refused.
enum class CivilError { None, Field, Range };

// The instant at which the fields are the local time of a zone that is
// `zoneSeconds` ahead of UT.  Month must be 1..12, day 1..31, hour 0..23,
// minute 0..59 and second in [0, 60); a day that the month does not have
// counts on from the month's first day (April 31 is May 1, 1582 October 10
// is October 20 since the Gregorian calendar begins on October 15).  The
// result must lie in the supported range.
CivilError FromCivil(const CivilTime& local, double zoneSeconds, Instant* out);

// The local time of the instant in a zone `zoneSeconds` ahead of UT, the
// second rounded to the nearest whole second and carried into the minute,
// hour, day, month and year.
CivilTime ToCivilRounded(const Instant& t, double zoneSeconds);

}  // namespace sky
