// The host control for a running Stellarium: the pad's command language
// carried to Stellarium's Remote Control HTTP API on 127.0.0.1.
//
// The commands themselves are carried out by a sky engine that serves as
// the mirror of Stellarium's state, so that every statement, reply form and
// error of the command language is the embedded engine's own.  Around each
// command the host
//   1. brings the mirror up to Stellarium's time, rate of time and place
//      (and its star magnitude limit) when the command reads or changes
//      any of them;
//   2. runs the command on the mirror;
//   3. sends what the command changed: the instant as a Julian date and
//      the rate of time, the place, the limiting magnitude.
// What Stellarium has no notion of (the zone of local standard time, the
// time lock, the catalogue names the pad asks for, track and trace) lives
// in the mirror only; the Moon's age and sidereal time are computed from
// Stellarium's instant and place with the engine's astronomy.
//
// Failures:
//  - Stellarium not running, not answering within the timeout, answering
//    something that is not its status, or refusing the password: Execute
//    throws CHostError, so that the operation that asked is abandoned and
//    nothing reads a missing number as 0.  The mirror keeps the state of
//    before the command.  For `retryAfterMs` after a failure, calls that
//    need Stellarium fail at once instead of waiting again.
//  - Stellarium answers but does not carry out a change ("error: ..."):
//    the reply is "ERROR: ..." naming what was refused, and the mirror
//    keeps that part as it was, so that the next refresh shows the truth.
//  - Commands that need nothing of Stellarium (the time lock, the zone,
//    the catalogues) are answered even while it is away.
//
// A status read less than `freshnessMs` ago is reused, moved on by
// Stellarium's rate of time: a pad refresh asks five or six questions in a
// row, and one status answers them all.
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "host/corlmr.h"
#include "sky/engine.h"
#include "stellarium/stel_api.h"

struct StellariumOptions {
  quint16 port = 8090;
  QString password;          // empty: Stellarium asks for none
  int timeoutMs = 3000;      // one request, while connected
  int reconnectTimeoutMs = 1000;  // one request, after a failure
  int retryAfterMs = 1000;   // after a failure, calls fail at once this long
  int freshnessMs = 500;     // a status younger than this is reused
};

// Reads "stellarium" or "stellarium:PORT" into `options` (the port only;
// the rest stays).  False with the reason for anything else.
bool ParseStellariumHost(const QString& hostArg, StellariumOptions* options, QString* why);

// Flags of what a poll found changed, the pad's refresh groups.
constexpr unsigned kStelChangedTime = 0x01;
constexpr unsigned kStelChangedPlace = 0x02;
constexpr unsigned kStelChangedMagnitude = 0x04;

class CStellariumHost : public CCorLmr {
 public:
  // `mirror` must outlive the host; its state is replaced by Stellarium's
  // at the first exchange.
  CStellariumHost(CSkyEngine& mirror, const StellariumOptions& options);
  ~CStellariumHost() override;

  std::string Execute(const char* command) override;
  std::string Execute(std::string_view command);

  // Reads Stellarium's status now, whatever its age.  Returns the refresh
  // groups that changed in the mirror (kStelChanged...), or throws
  // CHostError when Stellarium cannot be reached.
  unsigned Poll();

  bool IsConnected() const { return m_connection == Connection::Up; }
  // What the last failure said (empty before any).
  QString LastProblem() const { return m_problem; }
  // Told when the connection comes up or goes down (not while it stays).
  std::function<void(bool connected, const QString& why)> onConnectionChanged;

  CSkyEngine& Mirror() { return m_mirror; }
  const StellariumOptions& Options() const { return m_options; }

 private:
  // Stellarium's state as last read or set, and when.
  struct Known {
    bool valid = false;
    double jd = 0.0;
    double rate = 0.0;
    qint64 jdAtNs = 0;  // m_clock time at which `jd` held
    double longitude = 0.0;
    double latitude = 0.0;
    std::optional<double> magLimit;
    std::optional<bool> magLimitOn;
    qint64 fetchedAtNs = -1;
    int propertyId = -2;
    double JdNow(qint64 nowNs) const { return jd + rate * double(nowNs - jdAtNs) * 1e-9; }
  };
  enum class Connection { Unknown, Up, Down };
  // What a command may have to send, in the order it is sent.
  enum class Change { Time, Place, Magnitude };

  // Brings the mirror to Stellarium's state; reads the status when the
  // last one is older than the freshness (or `force`).
  unsigned Refresh(bool force);
  unsigned ApplyKnown();
  // Sends what the command changed; returns the refusal, if any.
  std::optional<QString> Push(const sky::SkyState& before);
  stel::StelOutcome SendChange(Change change, const sky::SkyState& before, const sky::SkyState& after);
  static QString ChangeName(Change change);
  static void RevertChange(Change change, const sky::SkyState& before, sky::SkyState* state);
  void Reached();
  [[noreturn]] void Lost(const QString& why);
  QString Where() const;

  CSkyEngine& m_mirror;
  StellariumOptions m_options;
  std::unique_ptr<stel::CStelHttp> m_http;
  std::unique_ptr<stel::CStelApi> m_api;
  QElapsedTimer m_clock;
  Known m_known;
  Connection m_connection = Connection::Unknown;
  QString m_problem;
  qint64 m_retryAtNs = 0;
};
