// Blocking HTTP requests to Stellarium's Remote Control server on
// 127.0.0.1, with a bounded wait.
//
// The requests run on Qt's network stack in a thread of their own, and the
// caller waits for the answer without running its event loop.  A local
// event loop would be simpler, but it would deliver the caller's timers
// inside a request: the pad's 10 ms repeat timer would start a second step
// while the first one waits for Stellarium, and a held button would queue
// and double its steps.  Blocking, each step waits for its own answer, and
// the repeat timer (which the pad restarts after every step) fires again
// only once that step is done.
//
// Only loopback is ever addressed, and no proxy is used.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QThread>
#include <utility>
#include <vector>

class QNetworkAccessManager;

namespace stel {

struct HttpResult {
  enum class Kind {
    Answered,  // an HTTP answer arrived (any status; see `status`)
    Refused,   // nobody listens on the port
    TimedOut,  // no complete answer within the timeout
    Failed,    // the connection broke or could not be made
  };
  Kind kind = Kind::Failed;
  int status = 0;     // HTTP status when answered
  QByteArray body;    // the answer's body when answered
  QString error;      // what went wrong, for people

  bool Ok() const { return kind == Kind::Answered && status >= 200 && status < 300; }
};

// A form field of a POST request: name and value, sent percent-encoded.
using FormFields = std::vector<std::pair<QByteArray, QByteArray>>;

class CStelHttp {
 public:
  // `password` empty: no authorization header.  Every request gives up
  // after `timeoutMs`.
  CStelHttp(quint16 port, const QString& password, int timeoutMs);
  ~CStelHttp();
  CStelHttp(const CStelHttp&) = delete;
  CStelHttp& operator=(const CStelHttp&) = delete;

  // `path` starts with "/" and may carry a query ("/api/main/status?propId=-2").
  HttpResult Get(const QByteArray& path);
  HttpResult Post(const QByteArray& path, const FormFields& fields);

  void SetTimeout(int timeoutMs) { m_timeoutMs = timeoutMs; }
  int Timeout() const { return m_timeoutMs; }
  quint16 Port() const { return m_port; }

  // The form body of the fields: name=value pairs joined by "&", every
  // byte outside [A-Za-z0-9-._~] percent-encoded ("+" too, which a form
  // reader would take for a blank).
  static QByteArray EncodeForm(const FormFields& fields);

 private:
  HttpResult Send(bool post, const QByteArray& path, const QByteArray& body);

  quint16 m_port;
  QByteArray m_authorization;  // "Basic ..." or empty
  int m_timeoutMs;
  QThread m_thread;
  QObject* m_context = nullptr;            // lives in m_thread
  QNetworkAccessManager* m_nam = nullptr;  // created and used in m_thread only
};

}  // namespace stel
