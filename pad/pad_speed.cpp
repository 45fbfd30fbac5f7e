// The time speed: a menu of rates, forward or backward, and stop.
//
// The bar's template has no room after the magnitude for the speed text
// (the widest, "-1恒星日/秒", is wider than what is left), so the host
// shows the menu's button and the text (SpeedText) on its own toolbar and
// opens the menu through ShowSpeedMenu.  A rate runs the engine's
// animation at that many seconds of simulated time per real second.
#include <QString>
#include <algorithm>
#include <cmath>
#include <string_view>

#include "pad/lumirapad.h"
#include "pad/pad_support.h"

namespace {

// One rate a second: the unit's length in seconds and its word.
struct SpeedUnit {
  const char* key;
  double seconds;
  const char* word;
};

// Forward rates in menu order; each also has a backward entry, its key
// prefixed with "-".  A second per second is real time.
constexpr SpeedUnit kSpeedUnits[] = {
    {"Second", 1.0, "秒"},
    {"Minute", 60.0, "分"},
    {"Hour", 3600.0, "時"},
    {"Day", 86400.0, "日"},
    {"SiderealDay", 86164.0905, "恒星日"},  // the Earth's turn against the stars
    {"Year", 31557600.0, "年"},             // the Julian year, 365.25 days
};
constexpr int kSpeedUnitCount = int(std::size(kSpeedUnits));
constexpr const char* kStopKey = "Stop";

// The signed unit of a rate that is exactly one unit a second, +n or -n
// (n from 1); 0 for a stop or any other rate.
int UnitOfRate(double secondsPerSecond) {
  for (int i = 0; i < kSpeedUnitCount; ++i) {
    if (std::abs(secondsPerSecond) == kSpeedUnits[i].seconds) return secondsPerSecond < 0 ? -(i + 1) : i + 1;
  }
  return 0;
}

double RateOfUnit(int signedUnit) {
  if (signedUnit == 0) return 0.0;
  const double seconds = kSpeedUnits[std::abs(signedUnit) - 1].seconds;
  return signedUnit < 0 ? -seconds : seconds;
}

// "1時/秒", "-1日/秒", "0/秒"; a rate of no unit (the step mode's mean
// rate) in the largest calendar unit it reaches, to four figures:
// "30秒/秒", "30.3分/秒", "-2.5日/秒".
QString RateText(double secondsPerSecond) {
  if (secondsPerSecond == 0.0) return PadText("0/秒");
  const int signedUnit = UnitOfRate(secondsPerSecond);
  if (signedUnit != 0) {
    return PadText("%1%2/秒").arg(QLatin1String(signedUnit < 0 ? "-1" : "1"),
                                  PadText(kSpeedUnits[std::abs(signedUnit) - 1].word));
  }
  const SpeedUnit* unit = &kSpeedUnits[0];
  for (const SpeedUnit& u : kSpeedUnits) {
    // The sidereal day is a day to within four figures: days read better.
    if (std::string_view(u.key) != "SiderealDay" && std::abs(secondsPerSecond) >= u.seconds) unit = &u;
  }
  const QString number = QString::number(secondsPerSecond / unit->seconds, 'g', 4);
  if (unit == &kSpeedUnits[0]) return PadText("%1秒/秒").arg(number);
  return PadText("%1%2/秒").arg(number, PadText(unit->word));
}

// The signed unit of a menu key: +n forward, -n backward (n from 1), 0
// for stop; false for a key the menu does not have.
bool UnitOfKey(const QString& key, int* signedUnit) {
  if (key == QLatin1String(kStopKey)) {
    *signedUnit = 0;
    return true;
  }
  const bool backward = key.startsWith('-');
  const QString name = backward ? key.mid(1) : key;
  for (int i = 0; i < kSpeedUnitCount; ++i) {
    if (name == QLatin1String(kSpeedUnits[i].key)) {
      *signedUnit = backward ? -(i + 1) : i + 1;
      return true;
    }
  }
  return false;
}

}  // namespace

QString CLumiraPad::SpeedText() const { return m_bPlaying ? m_strSpeed : RateText(0); }

QString CLumiraPad::WidestSpeedText() {
  const auto sidereal = std::find_if(std::begin(kSpeedUnits), std::end(kSpeedUnits),
                                     [](const SpeedUnit& u) { return u.key == std::string_view("SiderealDay"); });
  return RateText(-sidereal->seconds);
}

void CLumiraPad::ShowSpeedMenu() {
  if (!m_bEnable) return;  // input off: the pad takes no changes
  // m_nSpeedUnit marks the running rate: +n, -n, or 0 when stopped.
  const int marked = m_bPlaying ? m_nSpeedUnit : 0;
  auto append = [&](const QString& key, int signedUnit, const QString& text) {
    const char* mark = signedUnit == marked ? " * " : "   ";
    m_menuSpeed.Append(key, QString::fromUtf8(mark) + text);
  };
  m_menuSpeed.RemoveAll();
  append(QLatin1String(kStopKey), 0, PadText("停止"));
  for (int sign : {1, -1}) {
    for (int i = 0; i < kSpeedUnitCount; ++i) {
      const QString key = QString::fromLatin1(sign < 0 ? "-" : "") + QLatin1String(kSpeedUnits[i].key);
      const int signedUnit = sign * (i + 1);
      append(key, signedUnit, RateText(RateOfUnit(signedUnit)));
    }
  }
  // Under the bar's right end; the choice comes back as WM_CHANGESPEED.
  m_menuSpeed.TrackPopup(CPoint(m_rcMag.right, m_rcClient.bottom - 3), this, WM_CHANGESPEED);
}

LRESULT CLumiraPad::OnChangeSpeed(WPARAM wp, LPARAM lp) {
  const char* key = wp ? reinterpret_cast<const char*>(wp) : reinterpret_cast<const char*>(lp);
  int signedUnit = 0;
  if (!key || !UnitOfKey(QString::fromUtf8(key), &signedUnit)) return 0;
  if (signedUnit == 0) {
    StopAnimation();
    return 0;
  }
  // A locked time would not run: ask first, in the animation's words.
  if (!TurnOffSpecialTime(1)) return 0;
  const double rate = RateOfUnit(signedUnit);
  // The rate in the continuous mode; the host's mode variable follows, so
  // that a later stop keeps these switches.
  if (m_pAnimation) *m_pAnimation = kContinuous;
  ExecuteHost(std::string(AnimationModeCommand(kContinuous)) + "; Animation.Time.Speed = " +
              QString::number(rate, 'g', 15).toStdString() + "; Animation.Time = TRUE");
  m_nSpeedUnit = signedUnit;
  m_strSpeed = RateText(rate);
  m_bPlaying = TRUE;
  return 0;
}

void CLumiraPad::SetPlaying(BOOL playing, double secondsPerSecond) {
  m_bPlaying = playing ? TRUE : FALSE;
  const double rate = m_bPlaying ? secondsPerSecond : 0.0;
  m_nSpeedUnit = UnitOfRate(rate);
  m_strSpeed = RateText(rate);
}
