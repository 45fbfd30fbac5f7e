#include "sky/instant.h"

#include <cmath>

#include "host/qelacl.h"

namespace sky {
namespace {

constexpr int64_t kFirstDay = -34803211;  // day number of 99999 BC January 1
constexpr int64_t kLastDay = 38245310;    // day number of 100000-01-01

int64_t FloorDiv(int64_t a, int64_t b) {
  int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

// Splits a finite value into its floor and the remainder in [0, 1); the
// subtraction is exact for every double.
void SplitWhole(double value, int64_t* whole, double* part) {
  const double w = std::floor(value);
  *whole = static_cast<int64_t>(w);
  *part = value - w;
}

// Day number of a date, from the calendar library, which answers with the
// Julian date of that midnight, N - 0.5.
int64_t DayNumberOfDate(int32_t year, int32_t month, int32_t day) {
  tagADATE date{};
  date.nYear = year;
  date.nMonth = month;
  date.nDay = day;
  return std::llround(GetJd(&date) + 0.5);
}

bool IsDate(int64_t dayNumber, int32_t year, int32_t month, int32_t day) {
  tagADATE date{};
  JdToDate2(static_cast<double>(dayNumber), &date);  // noon of that day
  return date.nYear == year && date.nMonth == month && date.nDay == day;
}

// The day number of the fields; a day that the month does not have (April
// 31, February 29 of a common year, the days dropped in October 1582)
// counts on from the first of the month.
int64_t DayNumberOfFields(int32_t year, int32_t month, int32_t day) {
  const int64_t exact = DayNumberOfDate(year, month, day);
  if (IsDate(exact, year, month, day)) return exact;
  return DayNumberOfDate(year, month, 1) + (day - 1);
}

}  // namespace

Instant Normalized(int64_t seconds, double fraction) {
  int64_t whole = 0;
  double part = 0.0;
  SplitWhole(fraction, &whole, &part);
  if (part >= 1.0) {  // a remainder just below 1 that rounded up
    part = 0.0;
    ++whole;
  }
  return Instant{seconds + whole, part};
}

Instant Shifted(const Instant& t, double deltaSeconds) {
  // Far beyond the supported range either way; keeps the integer sound.
  constexpr double kLimit = 1e15;
  if (!(deltaSeconds > -kLimit)) deltaSeconds = -kLimit;
  if (!(deltaSeconds < kLimit)) deltaSeconds = kLimit;
  int64_t whole = 0;
  double part = 0.0;
  SplitWhole(deltaSeconds, &whole, &part);
  return Normalized(t.seconds + whole, t.fraction + part);
}

bool operator<(const Instant& a, const Instant& b) {
  return a.seconds != b.seconds ? a.seconds < b.seconds : a.fraction < b.fraction;
}

Instant RangeStart() { return Instant{kFirstDay * kSecondsPerDay, 0.0}; }
Instant RangeEnd() { return Instant{kLastDay * kSecondsPerDay, 0.0}; }

bool InRange(const Instant& t) { return RangeStart() <= t && t <= RangeEnd(); }

int64_t DayNumber(const Instant& t) { return FloorDiv(t.seconds, kSecondsPerDay); }

double SecondsOfDay(const Instant& t) {
  return static_cast<double>(t.seconds - DayNumber(t) * kSecondsPerDay) + t.fraction;
}

double ToJulianDate(const Instant& t) {
  return (static_cast<double>(DayNumber(t)) - 0.5) + SecondsOfDay(t) / 86400.0;
}

bool FromJulianDate(double jd, Instant* out) {
  // Beyond 1e12 days the seconds would not fit the integer.
  if (!std::isfinite(jd) || std::fabs(jd) > 1e12) return false;
  int64_t day = 0;
  double dayFraction = 0.0;
  SplitWhole(jd + 0.5, &day, &dayFraction);  // jd + 0.5 is exact here
  *out = Normalized(day * kSecondsPerDay, dayFraction * 86400.0);
  return true;
}

CivilError FromCivil(const CivilTime& local, double zoneSeconds, Instant* out) {
  if (local.month < 1 || local.month > 12 || local.day < 1 || local.day > 31 ||
      local.hour < 0 || local.hour > 23 || local.minute < 0 || local.minute > 59 ||
      !(local.second >= 0.0 && local.second < 60.0) || !std::isfinite(zoneSeconds)) {
    return CivilError::Field;
  }
  // Years this far out lie outside the range whatever the other fields;
  // the bound keeps the calendar library inside arithmetic it can do.
  if (local.year < -200000 || local.year > 200000) return CivilError::Range;

  const int64_t day = DayNumberOfFields(local.year, local.month, local.day);
  int64_t secondWhole = 0, zoneWhole = 0;
  double secondPart = 0.0, zonePart = 0.0;
  SplitWhole(local.second, &secondWhole, &secondPart);
  SplitWhole(zoneSeconds, &zoneWhole, &zonePart);
  const int64_t seconds = day * kSecondsPerDay + local.hour * int64_t{3600} +
                          local.minute * int64_t{60} + secondWhole - zoneWhole;
  const Instant t = Normalized(seconds, secondPart - zonePart);
  if (!InRange(t)) return CivilError::Range;
  *out = t;
  return CivilError::None;
}

CivilTime ToCivilRounded(const Instant& t, double zoneSeconds) {
  int64_t zoneWhole = 0;
  double zonePart = 0.0;
  SplitWhole(zoneSeconds, &zoneWhole, &zonePart);
  const Instant local = Normalized(t.seconds + zoneWhole, t.fraction + zonePart);
  const int64_t seconds = local.seconds + (local.fraction >= 0.5 ? 1 : 0);

  const int64_t day = FloorDiv(seconds, kSecondsPerDay);
  const int64_t ofDay = seconds - day * kSecondsPerDay;
  // Noon of the day: the calendar library's date there is safe from any
  // rounding near midnight.
  tagADATE date{};
  JdToDate2(static_cast<double>(day), &date);

  CivilTime civil;
  civil.year = date.nYear;
  civil.month = date.nMonth;
  civil.day = date.nDay;
  civil.hour = static_cast<int32_t>(ofDay / 3600);
  civil.minute = static_cast<int32_t>(ofDay / 60 % 60);
  civil.second = static_cast<double>(ofDay % 60);
  return civil;
}

}  // namespace sky
