// A small stand-in for Stellarium's Remote Control server: HTTP on
// 127.0.0.1 at an ephemeral port, in a thread of its own (the host under
// test blocks its caller's thread while it waits), answering the calls the
// host makes the way Stellarium does, recording every request, and able to
// misbehave: refuse a change, answer garbage, hang, go away and come back.
#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <memory>
#include <mutex>
#include <vector>

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

  CFakeStellarium() {
    m_context->moveToThread(&m_thread);
    QObject::connect(&m_thread, &QThread::finished, m_context, &QObject::deleteLater);
    m_thread.start();
    InServerThread([this] {
      m_server = new QTcpServer(m_context);
      QObject::connect(m_server, &QTcpServer::newConnection, m_context, [this] {
        while (QTcpSocket* socket = m_server->nextPendingConnection()) Serve(socket);
      });
      m_server->listen(QHostAddress::LocalHost, 0);
      m_port = m_server->serverPort();
    });
  }
  ~CFakeStellarium() {
    m_thread.quit();
    m_thread.wait();
  }
  quint16 Port() const { return m_port; }

  FakeSky Sky() { return Locked([this] { return m_sky; }); }
  void SetSky(const FakeSky& sky) {
    std::lock_guard lock(m_mutex);
    if (sky.magLimit != m_sky.magLimit || sky.magLimitOn != m_sky.magLimitOn) ++m_propertyChanges;
    m_sky = sky;
  }
  // Leaving Down listens again on the same port.
  void SetMode(Mode mode) {
    std::unique_lock lock(m_mutex);
    const bool wasDown = m_mode == Mode::Down;
    m_mode = mode;
    lock.unlock();
    if (wasDown == (mode == Mode::Down)) return;
    InServerThread([this, wasDown] {
      if (wasDown) return void(m_server->listen(QHostAddress::LocalHost, m_port));
      m_server->close();
      for (QTcpSocket* socket : m_context->findChildren<QTcpSocket*>()) socket->abort();
    });
  }
  // POSTs to this path answer "error: ..." (empty: none).
  void RefusePath(const QByteArray& path) { Locked([&] { m_refusedPath = path; }); }

  // The requests that start with `prefix`, one a line with the fields in
  // name order: "POST /api/main/time time=2451545 timerate=0".
  std::vector<QByteArray> Requests(const char* prefix = "") {
    std::lock_guard lock(m_mutex);
    std::vector<QByteArray> lines;
    for (const QByteArray& line : m_requests) {
      if (line.startsWith(prefix)) lines.push_back(line);
    }
    return lines;
  }
  std::vector<QByteArray> Changes() { return Requests("POST"); }
  void ClearRequests() { Locked([this] { m_requests.clear(); }); }

 private:
  struct Request {
    QByteArray method, path, authorization;
    QMap<QByteArray, QByteArray> params;  // query and form fields, decoded

    void Decode(const QByteArray& text) {
      for (QByteArray pair : text.split('&')) {
        pair.replace('+', ' ');  // a form reader takes "+" for a blank, as Stellarium's does
        const int eq = pair.indexOf('=');
        if (eq < 1) continue;
        params[QByteArray::fromPercentEncoding(pair.left(eq))] = QByteArray::fromPercentEncoding(pair.mid(eq + 1));
      }
    }
    QByteArray Line() const {
      QByteArray line = method + ' ' + path;
      for (auto it = params.constBegin(); it != params.constEnd(); ++it) line += ' ' + it.key() + '=' + it.value();
      return line;
    }
  };
  static constexpr const char* kMag = "StelSkyDrawer.customStarMagLimit";
  static constexpr const char* kMagOn = "StelSkyDrawer.flagStarMagnitudeLimit";

  template <class F>
  auto Locked(F f) -> decltype(f()) {
    std::lock_guard lock(m_mutex);
    return f();
  }
  template <class F>
  void InServerThread(F f) { QMetaObject::invokeMethod(m_context, f, Qt::BlockingQueuedConnection); }

  void Serve(QTcpSocket* socket) {
    auto buffer = std::make_shared<QByteArray>();
    QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
      *buffer += socket->readAll();
      for (;;) {
        const int headerEnd = buffer->indexOf("\r\n\r\n");
        if (headerEnd < 0) return;
        const QList<QByteArray> lines = buffer->left(headerEnd).split('\n');
        QMap<QByteArray, QByteArray> headers;
        for (const QByteArray& line : lines.mid(1)) {
          headers[line.left(line.indexOf(':')).trimmed().toLower()] = line.mid(line.indexOf(':') + 1).trimmed();
        }
        const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
        Request request{first.value(0), first.value(1), headers.value("authorization"), {}};
        const int length = headers.value("content-length").toInt();
        if (buffer->size() < headerEnd + 4 + length) return;
        const int q = request.path.indexOf('?');
        if (q >= 0) request.Decode(request.path.mid(q + 1));
        request.path.truncate(q < 0 ? request.path.size() : q);
        request.Decode(buffer->mid(headerEnd + 4, length));
        buffer->remove(0, headerEnd + 4 + length);

        std::lock_guard lock(m_mutex);
        m_requests.push_back(request.Line());
        if (m_mode == Mode::Close) return socket->abort();
        if (m_mode != Mode::Hang) socket->write(Answer(request));
      }
    });
  }

  static QByteArray Response(const QByteArray& body, int status = 200) {
    const QByteArray type = body.startsWith('{') ? "application/json" : "text/plain";
    return "HTTP/1.1 " + QByteArray::number(status) + (status == 200 ? " OK" : " Error") + "\r\nContent-Type: " +
           type + "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\nConnection: keep-alive\r\n\r\n" +
           body;
  }

  // With m_mutex held.
  QByteArray Answer(const Request& r) {
    if (m_mode == Mode::Garbage) return Response("<html>not here</html>");
    if (m_mode == Mode::Locked && r.authorization != "Basic " + (QByteArray(":") + kPassword).toBase64()) {
      return Response("HTTP 401 Not Authorized", 401);
    }
    if (r.path == "/api/main/status") return Response(StatusBody(r.params.value("propId", "-2").toInt()));
    if (r.path == m_refusedPath) return Response("error: refused by the test");
    if (r.path == "/api/main/time") {
      if (r.params.contains("time")) m_sky.jd = r.params.value("time").toDouble();
      if (r.params.contains("timerate")) m_sky.rate = r.params.value("timerate").toDouble();
      return Response(r.params.isEmpty() ? "error: invalid parameters" : "ok");
    }
    if (r.path == "/api/location/setlocationfields") {
      if (r.params.contains("latitude")) m_sky.latitude = r.params.value("latitude").toFloat();
      if (r.params.contains("longitude")) m_sky.longitude = r.params.value("longitude").toFloat();
      return Response("ok");
    }
    const QByteArray id = r.params.value("id");
    if (r.path != "/api/stelproperty/set" || (id != kMag && id != kMagOn)) return Response("unsupported", 400);
    if (id == kMag) m_sky.magLimit = r.params.value("value").toDouble();
    if (id == kMagOn) m_sky.magLimitOn = r.params.value("value") == "true";
    ++m_propertyChanges;
    return Response("ok");
  }

  QByteArray StatusBody(int propId) const {
    const QJsonObject location{{"latitude", double(m_sky.latitude)}, {"longitude", double(m_sky.longitude)},
                               {"name", "Paris"}, {"planet", "Earth"}, {"altitude", 42}};
    const QJsonObject time{{"jday", m_sky.jd}, {"timerate", m_sky.rate}, {"deltaT", 0.0007}, {"isTimeNow", false}};
    // Like Stellarium: only the properties changed since `propId` (here only
    // the magnitude limit's can change).
    QJsonObject changes;
    if (propId != m_propertyChanges) changes = {{kMag, m_sky.magLimit}, {kMagOn, m_sky.magLimitOn}};
    const QJsonObject root{{"location", location}, {"time", time}, {"selectioninfo", ""},
                           {"propertyChanges", QJsonObject{{"id", m_propertyChanges}, {"changes", changes}}}};
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
  }

  QThread m_thread;
  QObject* m_context = new QObject;  // lives in m_thread, with the server and its sockets
  QTcpServer* m_server = nullptr;
  quint16 m_port = 0;

  std::mutex m_mutex;  // guards everything below
  FakeSky m_sky;
  Mode m_mode = Mode::Normal;
  QByteArray m_refusedPath;
  std::vector<QByteArray> m_requests;
  int m_propertyChanges = 0;  // like Stellarium's change counter
};
