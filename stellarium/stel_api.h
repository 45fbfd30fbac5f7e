// The few calls of Stellarium's Remote Control API that carry the pad's
// commands, with their answers read into plain values.
//
//   GET  /api/main/status?propId=N          time, rate, place, property changes
//   POST /api/main/time                     time=<JD UT>, timerate=<days per second>
//   POST /api/location/setlocationfields    latitude, longitude, name
//   POST /api/stelproperty/set              id, value
//
// Stellarium answers a POST it cannot carry out with HTTP 200 and a body
// "error: ..."; a POST it carried out answers "ok".  Every POST sets
// absolute values, so one that the network stack sends again (it does when
// a kept-alive connection was closed under it) does no harm.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "stellarium/stel_http.h"

namespace stel {

// Property ids of the limiting magnitude of stars.
inline constexpr const char* kMagLimitProperty = "StelSkyDrawer.customStarMagLimit";
inline constexpr const char* kMagLimitFlagProperty = "StelSkyDrawer.flagStarMagnitudeLimit";

// Real time: one second of simulated time per second, in Stellarium's
// unit of days per second.
inline constexpr double kRealTimeRate = 1.0 / 86400.0;

// What one status answer says.
struct StelStatus {
  double jd = 0.0;         // Julian date, UT
  double rate = 0.0;       // days of simulated time per real second
  double longitude = 0.0;  // degrees, east positive
  double latitude = 0.0;   // degrees, north positive
  int propertyId = -2;     // the last property change the answer covers
  std::optional<double> magLimit;   // when the answer reported it
  std::optional<bool> magLimitOn;   // when the answer reported it
};

// How a call ended.
struct StelOutcome {
  enum class Kind {
    Done,         // carried out
    Refused,      // Stellarium answered, but did not carry it out
    Unreachable,  // no usable answer: not running, timed out, broken
  };
  Kind kind = Kind::Done;
  QString why;  // for Refused and Unreachable

  bool Done() const { return kind == Kind::Done; }
};

class CStelApi {
 public:
  explicit CStelApi(CStelHttp& http) : m_http(http) {}

  // The status with the property changes since `propertyId` (-2: all of
  // them).  An answer that is not the expected JSON, or lacks the time or
  // the place, is Unreachable too: the caller cannot use it.
  StelOutcome Status(int propertyId, StelStatus* out);

  // Sets the time (when `jd` is given) and the rate.
  StelOutcome SetTime(std::optional<double> jd, double rate);
  StelOutcome SetLocation(double longitude, double latitude, const QString& name);
  StelOutcome SetProperty(const char* id, const QByteArray& value);

  // A number as Stellarium reads it: plain decimal, never an exponent.
  static QByteArray Number(double value);
  // Reads a status body; false with the reason when it is not one.
  static bool ParseStatus(const QByteArray& body, StelStatus* out, QString* why);

 private:
  StelOutcome Post(const QByteArray& path, const FormFields& fields);

  CStelHttp& m_http;
};

}  // namespace stel
