// The pad's time systems, under one table.
//
// A system's code is the number the pad keeps in m_nTimeSys and exchanges
// with the date/time dialog in _DATEPAD.nTimeSys; that record fixes the
// values (3 names no system).  Every other numbering comes from the
// table: the place in the time-system menu, the place in the date
// dialog's list, and the host's own coarser code in the variable that
// SetTimeSysPtr hands over.
#pragma once

#include <QString>
#include <string_view>

#include "host/qelacl.h"

namespace timesys {

enum Code : int {
  kJST = 0,   // Japan standard time (zone +9 h)
  kUT = 1,    // universal time
  kUTD = 2,   // universal time with a decimal day
  kNone = 3,  // no system
  kJD = 4,    // Julian date
  kMJD = 5,   // modified Julian date
  kLST = 6,   // local standard time (the host's zone)
  kLMT = 7,   // local mean time (the observer's longitude)
  kST = 8,    // sidereal time
};

// What the host's time-system variable says: the time its date commands
// and replies are in.
enum HostCode : int { kHostZoneTime = 0, kHostUniversalTime = 1, kHostLocalMeanTime = 2 };

struct Info {
  Code code;
  const char* key;    // the menu's key and the text WM_CHANGETZ carries
  const char* text;   // the name in the menu and in the dialog's list
  int menuIndex;      // place in the time-system menu
  int dialogIndex;    // place in the date dialog's list; -1: not listed
  HostCode hostCode;  // the host's variable while the pad shows the system
  bool calendar;      // shown as a calendar date with steppable digits
};

constexpr int kMenuEntries = 8;
constexpr int kDialogEntries = 7;

// Each lookup returns null where the table has no such system: code 3
// and unknown codes, places outside the menu or the list, other keys.
const Info* Find(int code);
const Info* AtMenu(int menuIndex);
const Info* AtDialog(int dialogIndex);
const Info* OfKey(std::string_view key);  // letter case counts

// A system's name in the application's language (context "timesys"):
// as the menu shows it, or as the date dialog's narrow list does.
enum class NameUse { Menu, List };
QString Name(const Info& info, NameUse use = NameUse::Menu);

inline bool IsCalendar(int code) {
  const Info* info = Find(code);
  return info && info->calendar;
}

// The Julian date of modified Julian date 0.
constexpr double kMjdZero = 2400000.5;

// The accepted dates, both included, as Julian dates of universal time:
// 99999 BC January 1 00:00 (Julian calendar) and 100000-01-01 00:00
// (Gregorian calendar), the calendar library's whole range.
constexpr double kFirstJd = QELACL_FIRST_JD;
constexpr double kLastJd = QELACL_LAST_JD;

// The real day of universal time with a decimal day: the day of the month
// and the fraction of it that the hour, minute and second make.
inline double RealDayOf(int day, int hour, int minute, int second) {
  constexpr double kDayPerSecond = 1.1574074074074073e-05;  // the nearest doubles to 1/86400,
  constexpr double kDayPerMinute = 0.0006944444444444445;   // 1/1440
  constexpr double kDayPerHour = 0.041666666666666664;      // and 1/24
  return second * kDayPerSecond + minute * kDayPerMinute + hour * kDayPerHour + day;
}

// The local-mean-time zone of a longitude: degrees east to hours east.
// Divided rather than multiplied by a rounded 1/15, so that it is the
// correctly rounded quotient, as the engine's own (exact) seconds are.
inline double LmtZoneOf(double longitude) { return longitude / 15.0; }

}  // namespace timesys
