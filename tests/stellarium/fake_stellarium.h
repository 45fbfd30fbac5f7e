// A small stand-in for Stellarium's Remote Control server: HTTP on
// 127.0.0.1 at an ephemeral port, in a thread of its own (the host under
// test blocks its caller's thread while it waits), answering the calls the
// host makes the way Stellarium does, recording every request, and able to
// misbehave: refuse a change, answer garbage, hang, go away and come back.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QThread>
#include <mutex>
#include <vector>

class QTcpServer;

// What Stellarium holds.
struct FakeSky {
  double jd = 2453827.0210069446;  // 2006-04-01 12:30:15 UT
  double rate = 0.0;
  float longitude = 2.3488f;  // Stellarium keeps the place in floats
  float latitude = 48.8534f;
  double magLimit = 6.5;
  bool magLimitOn = false;
};

class CFakeStellarium {
 public:
  enum class Mode {
    Normal,
    Down,     // not listening, every connection dropped: a Stellarium that quit
    Hang,     // reads requests, never answers
    Close,    // closes each connection as soon as a request arrives
    Garbage,  // answers every request with a body that is no status
    Locked,   // answers only requests that carry kPassword
  };
  static constexpr const char* kPassword = "sesame";

  CFakeStellarium();
  ~CFakeStellarium();
  quint16 Port() const { return m_port; }

  FakeSky Sky();
  void SetSky(const FakeSky& sky);
  // Leaving Down listens again on the same port.
  void SetMode(Mode mode);
  // POSTs to this path answer "error: ..." (empty: none).
  void RefusePath(const QByteArray& path);

  // The requests that start with `prefix`, one a line with the fields in
  // name order: "POST /api/main/time time=2451545 timerate=0".
  std::vector<QByteArray> Requests(const char* prefix = "");
  std::vector<QByteArray> Changes() { return Requests("POST"); }
  void ClearRequests();

 private:
  struct Request;
  void Serve(QObject* socket);
  QByteArray Answer(const Request& request, int* status);
  QByteArray StatusBody(int propId);

  QThread m_thread;
  QObject* m_context = nullptr;
  QTcpServer* m_server = nullptr;
  quint16 m_port = 0;

  std::mutex m_mutex;  // guards everything below
  FakeSky m_sky;
  Mode m_mode = Mode::Normal;
  QByteArray m_refusedPath;
  std::vector<QByteArray> m_requests;
  int m_propertyChanges = 0;  // like Stellarium's change counter
};
