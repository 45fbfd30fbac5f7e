#include "stellarium/stel_api.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <cmath>
#include <string>

#include "sky/reply_text.h"

namespace stel {
namespace {

StelOutcome Unreachable(const HttpResult& r) {
  return {StelOutcome::Kind::Unreachable, r.error};
}

// A finite number at `key` of `object`.
bool FiniteNumber(const QJsonObject& object, const char* key, double* out) {
  const QJsonValue v = object.value(key);
  if (!v.isDouble() || !std::isfinite(v.toDouble())) return false;
  *out = v.toDouble();
  return true;
}

}  // namespace

QByteArray CStelApi::Number(double value) {
  std::string text;
  sky::AppendNumber(text, value);
  return QByteArray::fromStdString(text);
}

bool CStelApi::ParseStatus(const QByteArray& body, StelStatus* out, QString* why) {
  QJsonParseError error;
  const QJsonDocument doc = QJsonDocument::fromJson(body, &error);
  if (!doc.isObject()) {
    *why = "the status is not a JSON object (" + error.errorString() + ")";
    return false;
  }
  const QJsonObject root = doc.object();
  const QJsonObject time = root.value("time").toObject();
  const QJsonObject location = root.value("location").toObject();
  StelStatus s;
  if (!FiniteNumber(time, "jday", &s.jd) || !FiniteNumber(time, "timerate", &s.rate)) {
    *why = "the status lacks time.jday or time.timerate";
    return false;
  }
  if (!FiniteNumber(location, "longitude", &s.longitude) || !FiniteNumber(location, "latitude", &s.latitude)) {
    *why = "the status lacks location.longitude or location.latitude";
    return false;
  }
  const QJsonObject changes = root.value("propertyChanges").toObject();
  s.propertyId = changes.value("id").toInt(-2);
  const QJsonObject changed = changes.value("changes").toObject();
  double mag = 0.0;
  if (FiniteNumber(changed, kMagLimitProperty, &mag)) s.magLimit = mag;
  if (changed.value(kMagLimitFlagProperty).isBool()) s.magLimitOn = changed.value(kMagLimitFlagProperty).toBool();
  *out = s;
  return true;
}

StelOutcome CStelApi::Status(int propertyId, StelStatus* out) {
  const HttpResult r = m_http.Get("/api/main/status?propId=" + QByteArray::number(propertyId));
  if (!r.Ok()) return Unreachable(r);
  QString why;
  if (!ParseStatus(r.body, out, &why)) return {StelOutcome::Kind::Unreachable, why};
  return {};
}

StelOutcome CStelApi::Post(const QByteArray& path, const FormFields& fields) {
  const HttpResult r = m_http.Post(path, fields);
  if (r.kind != HttpResult::Kind::Answered) return Unreachable(r);
  // A wrong password leaves every call unanswered: nothing can be done.
  if (r.status == 401) return {StelOutcome::Kind::Unreachable, "Stellarium refused the password"};
  const QByteArray body = r.body.trimmed();
  if (!r.Ok()) return {StelOutcome::Kind::Refused, r.error};
  if (body.startsWith("error")) return {StelOutcome::Kind::Refused, QString::fromUtf8(body.left(200))};
  // Stellarium confirms each of these changes with "ok": anything else
  // (a page of another server, an empty body) has not said the change was made.
  if (body != "ok") return {StelOutcome::Kind::Refused, "no confirmation: \"" + QString::fromUtf8(body.left(200)) + "\""};
  return {};
}

StelOutcome CStelApi::SetTime(std::optional<double> jd, double rate) {
  FormFields fields;
  if (jd) fields.emplace_back("time", Number(*jd));
  fields.emplace_back("timerate", Number(rate));
  return Post("/api/main/time", fields);
}

StelOutcome CStelApi::SetLocation(double longitude, double latitude, const QString& name) {
  return Post("/api/location/setlocationfields",
              {{"latitude", Number(latitude)}, {"longitude", Number(longitude)}, {"name", name.toUtf8()}});
}

StelOutcome CStelApi::SetProperty(const char* id, const QByteArray& value) {
  return Post("/api/stelproperty/set", {{"id", id}, {"value", value}});
}

}  // namespace stel
