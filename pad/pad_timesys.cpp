// Time systems: reading the host's time in the chosen system, the
// 20-character date text with its label and era, switching the system,
// and the question that releases the host's time lock.
#include <climits>
#include <string>

#include "pad/lumirapad.h"
#include "pad/time_systems.h"
#include "pad/pad_support.h"
#include "pad/replies.h"

namespace {

using namespace timesys;

constexpr UINT kEra = 6232;
constexpr UINT kTimeSysLabel = 6234;
constexpr UINT kLockQuestionAnimation = 6100;
constexpr UINT kLockQuestionTimeChange = 6101;
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr int kDateCells = 20;

// 1 - year without overflowing at the bottom of the int range.
long long OneMinus(int year) { return 1LL - year; }

int ClampToInt(long long value) {
  return static_cast<int>(value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : value);
}

// "  " + the number right-aligned in 15 places with five decimals + "   ".
QString JulianText(double value) { return QStringLiteral("  ") + pad::NumberField("%15.5f", value, 15) + QStringLiteral("   "); }

}  // namespace

void CLumiraPad::ShowDate(int nTimeSys) {
  if (!Find(nTimeSys)) return;
  if (!m_pCorLmr || !IsWindow()) return;
  ShowDateText(ReadHostTime(nTimeSys));
}

CLumiraPad::DateText CLumiraPad::ReadHostTime(int timeSys) {
  auto ask = [this](const char* query) { return m_pCorLmr->Execute(query); };
  auto askNumber = [&](const char* query) { return replies::ReadNumber(ask(query)); };

  // Reads a date reply into the date fields, the label and the era.
  auto readDate = [&](const char* query, int labelMax) {
    const std::string reply = ask(query);
    replies::DateFields fields;
    fields.year = m_nYear;
    fields.month = m_nMonth;
    fields.day = m_nDay;
    fields.hour = m_nHour;
    fields.minute = m_nMinute;
    fields.second = m_nSecond;
    replies::ReadDate(reply, labelMax, &fields);
    m_nYear = fields.year;
    m_nMonth = fields.month;
    m_nDay = fields.day;
    m_nHour = fields.hour;
    m_nMinute = fields.minute;
    m_nSecond = fields.second;
    m_strTimeLabel = QString::fromStdString(fields.label);
    m_strEra = QString::fromStdString(fields.era);
    if (fields.era == "BC") m_nYear = ClampToInt(OneMinus(m_nYear));
  };

  // The shown year (a year of 0 or less is shown as 1 - year, "BC").
  auto shownYear = [this] { return m_nYear > 0 ? static_cast<long long>(m_nYear) : OneMinus(m_nYear); };
  auto newEra = [this] { return m_nYear > 0 ? QStringLiteral("AD") : QStringLiteral("BC"); };

  // Calendar text of the date fields; years above 99999 show as 00000.
  auto calendarText = [&] {
    const long long year = shownYear();
    const QString text =
        year <= 99999
            ? QString::asprintf("%5lld/%02d/%02d %02d:%02d:%02d", year, m_nMonth, m_nDay, m_nHour, m_nMinute, m_nSecond)
            : QString::asprintf("00000/%02d/%02d %02d:%02d:%02d", m_nMonth, m_nDay, m_nHour, m_nMinute, m_nSecond);
    return pad::FitCells(text, kDateCells);
  };

  switch (timeSys) {
    case kJST:
      readDate("? JST(Time)", 4);
      m_fTz = 9.0;
      return {calendarText(), "JST", newEra()};
    case kUT:
      readDate("? UT(Time)", 3);
      m_fTz = 0.0;
      return {calendarText(), "UT", newEra()};
    case kUTD: {
      readDate("? UT(Time)", 3);
      m_fTz = askNumber("? Time.Timezone");
      const double day = RealDayOf(m_nDay, m_nHour, m_nMinute, m_nSecond);
      const QString text = QString::asprintf("%5lld/%02d/%08.5f   ", shownYear(), m_nMonth, day);
      return {pad::FitCells(text, kDateCells), "UT", m_strEra};
    }
    case kJD:
    case kMJD: {
      const double jd = askNumber("? Time.jd");
      const bool mjd = timeSys == kMJD;
      m_strTimeLabel = mjd ? QStringLiteral("MJD") : QStringLiteral("JD");
      m_strEra.clear();
      DateText shown{JulianText(mjd ? jd - kMjdZero : jd), mjd ? "MJD" : "JD", QString()};
      m_fTz = askNumber("? Time.Timezone");
      return shown;
    }
    case kLST: {  // the host's zone time shifted into the zone the host keeps
      readDate("? LST(Time)", 4);
      m_fTz = askNumber("? Time.Timezone");
      const double target = pad::HostZone(m_pTimeZone);
      tagADATE date{m_nYear, m_nMonth, m_nDay, m_nHour, m_nMinute, static_cast<double>(m_nSecond), m_fTz};
      ChangeTimezone(&date, target);
      const tagADATEDIFF halfSecond{0, 0, 0, 0, 0, 0.5};
      ChangeDate(&date, &halfSecond, 0);  // with the truncation below: rounds to the second, carrying
      m_nYear = date.nYear;
      m_nMonth = date.nMonth;
      m_nDay = date.nDay;
      m_nHour = date.nHour;
      m_nMinute = date.nMinute;
      m_nSecond = pad::TruncToInt(date.dSecond);
      m_fTz = target;
      return {calendarText(), "LST", newEra()};
    }
    case kLMT:  // the host replies in local mean time already
      readDate("? LMT(Time)", 4);
      m_fTz = askNumber("? Time.Timezone");
      return {calendarText(), "LMT", newEra()};
    case kST: {  // sidereal time, seconds truncated
      const double st = askNumber("? Time.SiderealTime");
      m_strTimeLabel = QStringLiteral("ST");
      m_strEra.clear();
      const int h = pad::TruncToInt(st);
      const double minutes = (st - h) * 60;
      const int m = pad::TruncToInt(minutes);
      const int s = pad::TruncToInt((minutes - m) * 60);
      DateText shown{pad::FitCells(QString::asprintf("            %02d:%02d:%02d", h, m, s), kDateCells), "ST",
                     QString()};
      m_fTz = askNumber("? Time.Timezone");
      return shown;
    }
    default:
      return {};
  }
}

void CLumiraPad::ShowDateText(const DateText& shown) {
  const CString oldEra = GetDlgItemText(kEra);
  const CString oldLabel = GetDlgItemText(kTimeSysLabel);
  const pad::CScopedWindowDC dc(this);  // released (and its colour put back) however this ends

  m_stcDate.SetWindowTextA(shown.text);
  m_stcDate.Invalidate(TRUE);
  // The label's and the era's areas are wiped when they change.
  if (oldLabel != QLatin1String(shown.fixedLabel) && dc) dc->FillSolidRect(m_rcTimeSys, kBlack);
  pad::ShowText(GetDlgItem(kTimeSysLabel), m_strTimeLabel);
  if (oldEra != shown.era && dc) dc->FillSolidRect(m_rcEra, kBlack);
  pad::ShowText(GetDlgItem(kEra), shown.era);
}

void CLumiraPad::TellHostTimeSys(int timeSys) {
  const Info* system = Find(timeSys);
  if (!system) return;
  if (m_pTimeSys) *m_pTimeSys = system->hostCode;
  if (!m_pTimeZone) return;
  switch (timeSys) {
    case kJST: *m_pTimeZone = 9.0; break;
    case kLST: *m_pTimeZone = m_fTz; break;
    case kLMT: *m_pTimeZone = GetLMTTimezone(m_fLongitude); break;
    default: *m_pTimeZone = 0.0; break;  // the universal displays
  }
}

LRESULT CLumiraPad::OnChangeTz(WPARAM wp, LPARAM lp) {
  const char* label = wp ? reinterpret_cast<const char*>(wp) : reinterpret_cast<const char*>(lp);
  if (const Info* system = OfKey(label ? label : "")) {
    m_nTimeSys = system->code;
    // Local standard time keeps the zone the host has.
    if (m_nTimeSys == kLST && m_pCorLmr) m_fTz = replies::ReadNumber(m_pCorLmr->Execute("? Time.Timezone"));
    TellHostTimeSys(m_nTimeSys);
  }

  {
    const pad::CScopedWindowDC dc(this);
    if (dc) dc->FillSolidRect(m_rcTimeSys, kBlack);
  }
  ShowDate(m_nTimeSys);
  return 0;
}

BOOL CLumiraPad::TurnOffSpecialTime(int bAnimation) {
  if (!m_pCorLmr) return TRUE;  // no host, no lock
  if (!replies::ReadTruth(m_pCorLmr->Execute("? Time.Lock"))) return TRUE;

  // The flag is cleared however the question ends, a failing host call
  // included, so that a later step can still ask.
  struct AskingLock {
    BOOL& flag;
    explicit AskingLock(BOOL& f) : flag(f) { flag = TRUE; }
    ~AskingLock() { flag = FALSE; }
  } asking(m_bAskingLock);

  const CString question = LoadString(bAnimation ? kLockQuestionAnimation : kLockQuestionTimeChange);

  // No auto-repeat may step on while the question is open.
  StopHold(m_holdL);
  StopHold(m_holdR);

  if (MessageBox(question, MB_YESNO | MB_ICONEXCLAMATION) != IDYES) return FALSE;
  m_pCorLmr->Execute("Time.Lock = FALSE; Show Lumiral");
  return TRUE;
}
