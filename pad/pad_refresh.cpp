// Bringing the pad up to date with the host: one group of values per
// flag bit, each re-read from the host control and shown again.
#include <climits>
#include <cmath>

#include "pad/lumirapad.h"
#include "pad/pad_support.h"
#include "pad/replies.h"

namespace {

constexpr int kObsCells = 16;
constexpr int kMagCells = 4;

// One half of the location text: degrees and rounded minutes, carrying a
// minute count of 60 into the degrees; negative values take the other
// hemisphere's letter.
struct Angle {
  int degrees;
  int minutes;
  const char* hemisphere;
};
Angle SplitAngle(double value, const char* positive, const char* negative) {
  const char* letter = positive;
  if (!(value >= 0)) {
    letter = negative;
    value = -value;
  }
  int degrees = pad::TruncToInt(value);
  int minutes = pad::TruncToInt((value - degrees) * 60 + 0.5);
  if (minutes == 60) {
    minutes = 0;
    if (degrees < INT_MAX) ++degrees;
  }
  return {degrees, minutes, letter};
}

}  // namespace

void CLumiraPad::OnUpdate(UINT flags) {
  if (!m_pCorLmr || !IsWindow()) return;
  ++m_nRefreshes;
  const pad::CScopedWindowDC dc(this);  // released however a host call ends

  if (flags & kRefreshTime) {
    switch (m_pTimeSys ? *m_pTimeSys : -1) {
      case timesys::kHostZoneTime:  // Japan's when the zone is +9 h exactly
        m_nTimeSys = pad::HostZone(m_pTimeZone) == 9.0 ? timesys::kJST : timesys::kLST;
        break;
      case timesys::kHostUniversalTime:  // UTD, JD, MJD and ST are universal too
        if (m_nTimeSys == timesys::kJST || m_nTimeSys == timesys::kLST || m_nTimeSys == timesys::kLMT) {
          m_nTimeSys = timesys::kUT;
        }
        break;
      case timesys::kHostLocalMeanTime:
        m_nTimeSys = timesys::kLMT;
        break;
      default:
        break;
    }
    ShowDate(m_nTimeSys);
    // The zone of local mean time follows the place.
    TellHostTimeSys(m_nTimeSys);
    // The picture is part of the bar's own paint: repaint only for a new age.
    const int age = MoonPictureIndex(replies::ReadNumber(m_pCorLmr->Execute("? Solar.Moon.age")));
    if (age != m_nMoonAge) {
      m_nMoonAge = age;
      const CRect moon(0, 0, 30, 30);
      InvalidateRect(&moon, TRUE);
    }
  }

  if (flags & kRefreshLocation) {
    replies::ReadNumberPair(m_pCorLmr->Execute("? Location.Longitude; ? Location.Latitude"), &m_fLongitude,
                            &m_fLatitude);
    const Angle lon = SplitAngle(m_fLongitude, "E", "W");
    const Angle lat = SplitAngle(m_fLatitude, "N", "S");
    const QString text = QString::asprintf("%03dd%02dm%s %02dd%02dm%s", lon.degrees, lon.minutes, lon.hemisphere,
                                           lat.degrees, lat.minutes, lat.hemisphere);
    m_stcObs.SetWindowTextA(pad::FitCells(text, kObsCells));
    m_stcObs.Invalidate(TRUE);
  }

  if (flags & kRefreshMagnitude) {
    m_fMagLimit = replies::ReadNumber(m_pCorLmr->Execute("? Star.AutoMagnitudeLimit.minimum"));
    pad::ShowText(&m_stcMag, pad::NumberField("%4.1f", m_fMagLimit, kMagCells));
  }

  if (flags & kRefreshTrack) {
    m_bTrackPrev = m_bTrack;
    m_bTrack = replies::ReadTruth(m_pCorLmr->Execute("? View.Track")) ? 1 : 0;
    if (m_bTrack != m_bTrackPrev && dc) DrawTTMark(dc.get());
  }

  if (flags & kRefreshTrace) {
    m_bTracePrev = m_bTrace;
    m_bTrace = replies::ReadTruth(m_pCorLmr->Execute("? View.Trace")) ? 1 : 0;
    if (m_bTrace != m_bTracePrev && dc) DrawTTMark(dc.get());
  }
}

int CLumiraPad::MoonPictureIndex(double age) {
  // Whole days, rounded: an age of 29.5 or more is the new Moon again.
  // Ages outside a lunation (negative, huge, NaN) wrap into 0..29 so that
  // the picture always comes from the strip of thirty.
  const double days = std::trunc(age + 0.5);
  if (!std::isfinite(days)) return 0;
  double wrapped = std::fmod(days, 30.0);
  if (wrapped < 0) wrapped += 30.0;
  return static_cast<int>(wrapped);
}
