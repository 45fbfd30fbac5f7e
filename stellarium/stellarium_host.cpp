#include "stellarium/stellarium_host.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "sky/instant.h"
#include "sky/statement.h"
#include "sky/text.h"

namespace {

using sky::Property;

constexpr qint64 kNsPerMs = 1000000;

// Whether a statement reads or changes something that Stellarium holds:
// the instant, the rate of time, the place, the magnitude limit.  The zone,
// the time lock's reading, the catalogues and the view marks are the
// mirror's alone.
bool TouchesStellarium(const sky::Statement& s) {
  switch (s.kind) {
    case sky::StatementKind::Stop: return true;
    case sky::StatementKind::Empty:
    case sky::StatementKind::Show: return false;
    case sky::StatementKind::Query:
    case sky::StatementKind::Assign: break;
  }
  if (s.kind == sky::StatementKind::Query && s.isTimeFunction) return true;
  switch (s.property) {
    case Property::Time:
    case Property::TimeJd:
    case Property::TimeSiderealTime:
    case Property::Location:
    case Property::LocationLongitude:
    case Property::LocationLatitude:
    case Property::StarMagnitudeLimit:
    case Property::MoonAge:
    case Property::Animation:
    case Property::AnimationRealtime:
    case Property::AnimationSpeedStep:
    case Property::AnimationSpeed:
    case Property::SkyAltitude:  // positions follow the instant and the place
    case Property::SkyAzimuth:
      return true;
    case Property::TimeLock:  // a lock stops Stellarium's running time
      return s.kind == sky::StatementKind::Assign;
    case Property::TimeTimezone:
    case Property::StarCatalog:
    case Property::StarCatalogSwitch:
    case Property::StarCatalogSwitchCatalog:
    case Property::ViewTrack:
    case Property::ViewTrace:
      return false;
  }
  return true;
}

// Whether any statement up to the first one that does not parse touches
// Stellarium.  A command the engine refuses unread touches nothing.
bool CommandTouchesStellarium(std::string_view command) {
  if (command.size() > CSkyEngine::kMaxCommandBytes || command.find('\0') != std::string_view::npos ||
      sky::FindInvalidUtf8(command) != std::string_view::npos) {
    return false;
  }
  for (size_t pos = 0;;) {
    const size_t end = sky::StatementEnd(command, pos);
    sky::Statement statement;
    std::string error;
    if (!sky::ParseStatement(command.substr(pos, end - pos), &statement, &error)) return false;
    if (TouchesStellarium(statement)) return true;
    if (end >= command.size()) return false;
    pos = end + 1;
  }
}

// Days of simulated time per real second that a state asks of Stellarium.
// Stellarium has no ticks: a fixed step per tick runs as that many seconds
// per real second.
double RateOf(const sky::SkyState& s) {
  if (!s.animation || s.timeLock) return 0.0;
  if (s.realtime) return stel::kRealTimeRate;
  return s.speed / 86400.0;
}

bool SameRate(double a, double b) { return std::fabs(a - b) <= 1e-12 * std::max(std::fabs(a), std::fabs(b)); }

// Stellarium keeps the place in single precision: a place it holds is the
// mirror's when they agree to that precision.
bool SamePlace(double a, double b) { return static_cast<float>(a) == static_cast<float>(b); }

double NormalLongitude(double longitude) {
  double l = std::fmod(longitude, 360.0);
  if (l > 180.0) l -= 360.0;
  if (l < -180.0) l += 360.0;
  return l;
}

sky::Instant InstantOfJd(double jd) {
  sky::Instant t;
  if (!sky::FromJulianDate(jd, &t)) return sky::RangeStart();
  if (t < sky::RangeStart()) return sky::RangeStart();
  if (sky::RangeEnd() < t) return sky::RangeEnd();
  return t;
}

QString PlaceName(double longitude, double latitude) {
  return QString::asprintf("Lumira %.4f%c %.4f%c", std::fabs(longitude), longitude < 0 ? 'W' : 'E',
                           std::fabs(latitude), latitude < 0 ? 'S' : 'N');
}

}  // namespace

bool ParseStellariumHost(const QString& hostArg, StellariumOptions* options, QString* why) {
  const QString name = hostArg.section(':', 0, 0);
  if (name != "stellarium") {
    *why = QString("unknown host \"%1\" (the hosts are the embedded engine and stellarium[:PORT])").arg(name);
    return false;
  }
  if (hostArg.contains(':')) {
    bool ok = false;
    const uint port = hostArg.section(':', 1).toUInt(&ok);
    if (!ok || port == 0 || port > 65535) {
      *why = QString("\"%1\" is not a port (1..65535)").arg(hostArg.section(':', 1));
      return false;
    }
    options->port = static_cast<quint16>(port);
  }
  return true;
}

CStellariumHost::CStellariumHost(CSkyEngine& mirror, const StellariumOptions& options)
    : m_mirror(mirror),
      m_options(options),
      m_http(std::make_unique<stel::CStelHttp>(options.port, options.password, options.timeoutMs)),
      m_api(std::make_unique<stel::CStelApi>(*m_http)) {
  m_clock.start();
}

CStellariumHost::~CStellariumHost() = default;

QString CStellariumHost::Where() const { return QString("Stellarium on 127.0.0.1:%1").arg(m_options.port); }

std::string CStellariumHost::Execute(const char* command) {
  if (command == nullptr) return "ERROR: no command";
  return Execute(std::string_view(command, strnlen(command, CSkyEngine::kMaxCommandBytes + 1)));
}

std::string CStellariumHost::Execute(std::string_view command) {
  if (!CommandTouchesStellarium(command)) return m_mirror.Execute(command);
  Refresh(false);
  const sky::SkyState before = m_mirror.State();
  std::string reply = m_mirror.Execute(command);
  if (const std::optional<QString> refusal = Push(before)) {
    return "ERROR: " + refusal->toStdString();
  }
  return reply;
}

unsigned CStellariumHost::Poll() { return Refresh(true); }

unsigned CStellariumHost::Refresh(bool force) {
  const qint64 now = m_clock.nsecsElapsed();
  const bool fresh = m_known.valid && m_known.fetchedAtNs >= 0 &&
                     now - m_known.fetchedAtNs < qint64(m_options.freshnessMs) * kNsPerMs;
  if (fresh && !force) return ApplyKnown();
  if (m_connection == Connection::Down && now < m_retryAtNs) {
    throw CHostError((Where() + " is not answering: " + m_problem).toStdString());
  }
  // Looking again for a Stellarium that went away waits less long.
  m_http->SetTimeout(m_connection == Connection::Down ? std::min(m_options.timeoutMs, m_options.reconnectTimeoutMs)
                                                      : m_options.timeoutMs);
  stel::StelStatus status;
  const stel::StelOutcome outcome = m_api->Status(m_known.propertyId, &status);
  if (!outcome.Done()) Lost(outcome.why);

  const qint64 at = m_clock.nsecsElapsed();
  m_known.valid = true;
  m_known.jd = status.jd;
  m_known.rate = status.rate;
  m_known.jdAtNs = at;
  m_known.fetchedAtNs = at;
  m_known.longitude = NormalLongitude(status.longitude);
  m_known.latitude = std::clamp(status.latitude, -90.0, 90.0);
  m_known.propertyId = status.propertyId;
  if (status.magLimit) m_known.magLimit = status.magLimit;
  if (status.magLimitOn) m_known.magLimitOn = status.magLimitOn;
  Reached();
  return ApplyKnown();
}

unsigned CStellariumHost::ApplyKnown() {
  sky::SkyState s = m_mirror.State();
  unsigned changed = 0;

  // The rate first: the time of a running clock moves on from the last
  // reading.
  const double rate = m_known.rate;
  if (!SameRate(RateOf(s), rate)) {
    if (rate == 0.0) {
      s.animation = false;
    } else {
      s.animation = true;
      s.timeLock = false;  // Stellarium's time runs: it is not held
      if (SameRate(rate, stel::kRealTimeRate)) {
        s.realtime = true;
      } else {
        s.realtime = false;
        s.speedStep = false;
        s.speed = std::clamp(rate * 86400.0, -sky::kMaxSpeed, sky::kMaxSpeed);
      }
    }
  }
  const double jd = m_known.JdNow(m_clock.nsecsElapsed());
  // A time that Stellarium holds as the mirror's own Julian date stays the
  // mirror's exact instant.
  if (rate != 0.0 || sky::ToJulianDate(s.time) != jd) {
    const sky::Instant t = InstantOfJd(jd);
    if (!(t == s.time)) {
      s.time = t;
      changed |= kStelChangedTime;
    }
  }
  if (!SamePlace(s.longitude, m_known.longitude) || !SamePlace(s.latitude, m_known.latitude)) {
    s.longitude = m_known.longitude;
    s.latitude = m_known.latitude;
    changed |= kStelChangedPlace;
  }
  if (m_known.magLimit) {
    const double limit = std::clamp(*m_known.magLimit, sky::kMinMagnitude, sky::kMaxMagnitude);
    if (limit != s.magnitudeLimit) {
      s.magnitudeLimit = limit;
      changed |= kStelChangedMagnitude;
    }
  }
  const sky::SkyState& old = m_mirror.State();
  if (changed || s.animation != old.animation || s.timeLock != old.timeLock || s.realtime != old.realtime ||
      s.speedStep != old.speedStep || s.speed != old.speed) {
    m_mirror.SetState(s);
  }
  return changed;
}

std::optional<QString> CStellariumHost::Push(const sky::SkyState& before) {
  const sky::SkyState after = m_mirror.State();
  sky::SkyState kept = after;  // what the mirror keeps when a change fails
  std::optional<QString> refusal;
  for (Change change : {Change::Time, Change::Place, Change::Magnitude}) {
    const stel::StelOutcome outcome = SendChange(change, before, after);
    if (outcome.Done()) continue;
    if (outcome.kind == stel::StelOutcome::Kind::Refused) {
      if (!refusal) refusal = "Stellarium did not take " + ChangeName(change) + ": " + outcome.why;
      RevertChange(change, before, &kept);
      continue;
    }
    // Not delivered: this change and the ones after it stay as they were.
    for (Change p : {Change::Time, Change::Place, Change::Magnitude}) {
      if (p >= change) RevertChange(p, before, &kept);
    }
    m_mirror.SetState(kept);
    Lost(outcome.why);
  }
  if (refusal) m_mirror.SetState(kept);
  return refusal;
}

stel::StelOutcome CStellariumHost::SendChange(Change change, const sky::SkyState& before, const sky::SkyState& after) {
  switch (change) {
    case Change::Time: {
      const bool timeChanged = !(after.time == before.time);
      const double rate = RateOf(after);
      if (!timeChanged && SameRate(rate, RateOf(before))) return {};
      const std::optional<double> jd =
          timeChanged ? std::optional(sky::ToJulianDate(after.time)) : std::nullopt;
      const stel::StelOutcome outcome = m_api->SetTime(jd, rate);
      if (outcome.Done()) {
        const qint64 now = m_clock.nsecsElapsed();
        m_known.jd = jd ? *jd : m_known.JdNow(now);
        m_known.jdAtNs = now;
        m_known.rate = rate;
      }
      return outcome;
    }
    case Change::Place: {
      if (after.longitude == before.longitude && after.latitude == before.latitude) return {};
      const stel::StelOutcome outcome =
          m_api->SetLocation(after.longitude, after.latitude, PlaceName(after.longitude, after.latitude));
      if (outcome.Done()) {
        m_known.longitude = after.longitude;
        m_known.latitude = after.latitude;
      }
      return outcome;
    }
    case Change::Magnitude: {
      if (after.magnitudeLimit == before.magnitudeLimit) return {};
      stel::StelOutcome outcome =
          m_api->SetProperty(stel::kMagLimitProperty, stel::CStelApi::Number(after.magnitudeLimit));
      if (!outcome.Done()) return outcome;
      m_known.magLimit = after.magnitudeLimit;
      // The limit acts only with its switch on.
      if (m_known.magLimitOn != true) {
        outcome = m_api->SetProperty(stel::kMagLimitFlagProperty, "true");
        if (outcome.Done()) m_known.magLimitOn = true;
      }
      return outcome;
    }
  }
  return {};
}

QString CStellariumHost::ChangeName(Change change) {
  switch (change) {
    case Change::Time: return "the time";
    case Change::Place: return "the place";
    case Change::Magnitude: return "the limiting magnitude";
  }
  return {};
}

void CStellariumHost::RevertChange(Change change, const sky::SkyState& before, sky::SkyState* state) {
  switch (change) {
    case Change::Time:
      state->time = before.time;
      state->animation = before.animation;
      state->timeLock = before.timeLock;
      state->realtime = before.realtime;
      state->speedStep = before.speedStep;
      state->speed = before.speed;
      break;
    case Change::Place:
      state->longitude = before.longitude;
      state->latitude = before.latitude;
      break;
    case Change::Magnitude:
      state->magnitudeLimit = before.magnitudeLimit;
      break;
  }
}

void CStellariumHost::Reached() {
  if (m_connection == Connection::Up) return;
  m_connection = Connection::Up;
  if (onConnectionChanged) onConnectionChanged(true, QString());
}

void CStellariumHost::Lost(const QString& why) {
  m_problem = why;
  m_retryAtNs = m_clock.nsecsElapsed() + qint64(m_options.retryAfterMs) * kNsPerMs;
  // Whatever Stellarium was, it is read afresh when it answers again (it
  // may have been restarted: its property changes start anew).
  m_known = Known{};
  const bool wasUp = m_connection != Connection::Down;
  m_connection = Connection::Down;
  if (wasUp && onConnectionChanged) onConnectionChanged(false, why);
  throw CHostError((Where() + " is not answering: " + why).toStdString());
}
