#include "fake_stellarium.h"

#include <QHostAddress>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QMetaObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <memory>

namespace {

constexpr const char* kMag = "StelSkyDrawer.customStarMagLimit";
constexpr const char* kMagOn = "StelSkyDrawer.flagStarMagnitudeLimit";

void DecodeInto(const QByteArray& text, QMap<QByteArray, QByteArray>* params) {
  for (QByteArray pair : text.split('&')) {
    if (pair.isEmpty()) continue;
    pair.replace('+', ' ');  // a form reader takes "+" for a blank, as Stellarium's does
    const int eq = pair.indexOf('=');
    params->insert(QByteArray::fromPercentEncoding(pair.left(eq)),
                   eq < 0 ? QByteArray() : QByteArray::fromPercentEncoding(pair.mid(eq + 1)));
  }
}

QByteArray Response(int status, const QByteArray& body) {
  const QByteArray type = body.startsWith('{') ? "application/json" : "text/plain";
  return "HTTP/1.1 " + QByteArray::number(status) + (status == 200 ? " OK" : " Error") + "\r\nContent-Type: " +
         type + "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\nConnection: keep-alive\r\n\r\n" +
         body;
}

}  // namespace

struct CFakeStellarium::Request {
  QByteArray method, path, authorization;
  QMap<QByteArray, QByteArray> params;  // query and form fields, decoded

  QByteArray Line() const {
    QByteArray line = method + ' ' + path;
    for (auto it = params.constBegin(); it != params.constEnd(); ++it) line += ' ' + it.key() + '=' + it.value();
    return line;
  }
};

CFakeStellarium::CFakeStellarium() {
  m_context = new QObject;
  m_context->moveToThread(&m_thread);
  QObject::connect(&m_thread, &QThread::finished, m_context, &QObject::deleteLater);
  m_thread.start();
  QMetaObject::invokeMethod(m_context, [this] {
    m_server = new QTcpServer(m_context);
    QObject::connect(m_server, &QTcpServer::newConnection, m_context, [this] {
      while (QTcpSocket* socket = m_server->nextPendingConnection()) Serve(socket);
    });
    m_server->listen(QHostAddress::LocalHost, 0);
    m_port = m_server->serverPort();
  }, Qt::BlockingQueuedConnection);
}

CFakeStellarium::~CFakeStellarium() {
  m_thread.quit();
  m_thread.wait();
}

void CFakeStellarium::Serve(QObject* object) {
  auto* socket = static_cast<QTcpSocket*>(object);
  auto buffer = std::make_shared<QByteArray>();
  QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
  QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
    *buffer += socket->readAll();
    for (;;) {
      const int headerEnd = buffer->indexOf("\r\n\r\n");
      if (headerEnd < 0) return;
      const QList<QByteArray> lines = buffer->left(headerEnd).split('\n');
      const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
      Request request{first.value(0), first.value(1), {}, {}};
      int length = 0;
      for (const QByteArray& line : lines.mid(1)) {
        const int colon = line.indexOf(':');
        const QByteArray name = line.left(colon).trimmed().toLower();
        if (name == "content-length") length = line.mid(colon + 1).trimmed().toInt();
        if (name == "authorization") request.authorization = line.mid(colon + 1).trimmed();
      }
      if (buffer->size() < headerEnd + 4 + length) return;
      const QByteArray body = buffer->mid(headerEnd + 4, length);
      buffer->remove(0, headerEnd + 4 + length);
      const int q = request.path.indexOf('?');
      if (q >= 0) DecodeInto(request.path.mid(q + 1), &request.params);
      request.path.truncate(q < 0 ? request.path.size() : q);
      DecodeInto(body, &request.params);

      Mode mode;
      {
        std::lock_guard lock(m_mutex);
        m_requests.push_back(request.Line());
        mode = m_mode;
      }
      if (mode == Mode::Hang) continue;
      if (mode == Mode::Close) return socket->abort();
      int status = 200;
      const QByteArray answer = mode == Mode::Garbage ? QByteArray("<html>not here</html>") : Answer(request, &status);
      socket->write(Response(status, answer));
    }
  });
}

QByteArray CFakeStellarium::Answer(const Request& r, int* status) {
  std::lock_guard lock(m_mutex);
  if (m_mode == Mode::Locked && r.authorization != "Basic " + (QByteArray(":") + kPassword).toBase64()) {
    *status = 401;
    return "HTTP 401 Not Authorized";
  }
  if (r.path == "/api/main/status") return StatusBody(r.params.value("propId", "-2").toInt());
  if (r.path == m_refusedPath) return "error: refused by the test";
  if (r.path == "/api/main/time") {
    if (r.params.contains("time")) m_sky.jd = r.params.value("time").toDouble();
    if (r.params.contains("timerate")) m_sky.rate = r.params.value("timerate").toDouble();
    return r.params.contains("time") || r.params.contains("timerate") ? "ok" : "error: invalid parameters";
  }
  if (r.path == "/api/location/setlocationfields") {
    if (r.params.contains("latitude")) m_sky.latitude = r.params.value("latitude").toFloat();
    if (r.params.contains("longitude")) m_sky.longitude = r.params.value("longitude").toFloat();
    return "ok";
  }
  if (r.path == "/api/stelproperty/set") {
    const QByteArray id = r.params.value("id");
    if (id == kMag) {
      m_sky.magLimit = r.params.value("value").toDouble();
    } else if (id == kMagOn) {
      m_sky.magLimitOn = r.params.value("value") == "true";
    } else {
      return "error: unknown property";
    }
    ++m_propertyChanges;
    return "ok";
  }
  *status = 400;
  return "unsupported operation";
}

QByteArray CFakeStellarium::StatusBody(int propId) {
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

FakeSky CFakeStellarium::Sky() {
  std::lock_guard lock(m_mutex);
  return m_sky;
}

void CFakeStellarium::SetSky(const FakeSky& sky) {
  std::lock_guard lock(m_mutex);
  if (sky.magLimit != m_sky.magLimit || sky.magLimitOn != m_sky.magLimitOn) ++m_propertyChanges;
  m_sky = sky;
}

void CFakeStellarium::SetMode(Mode mode) {
  bool wasDown = false;
  {
    std::lock_guard lock(m_mutex);
    wasDown = m_mode == Mode::Down;
    m_mode = mode;
  }
  if (wasDown == (mode == Mode::Down)) return;
  QMetaObject::invokeMethod(m_context, [this, wasDown] {
    if (wasDown) {
      m_server->listen(QHostAddress::LocalHost, m_port);
      return;
    }
    m_server->close();
    for (QTcpSocket* socket : m_context->findChildren<QTcpSocket*>()) socket->abort();
  }, Qt::BlockingQueuedConnection);
}

void CFakeStellarium::RefusePath(const QByteArray& path) {
  std::lock_guard lock(m_mutex);
  m_refusedPath = path;
}

std::vector<QByteArray> CFakeStellarium::Requests(const char* prefix) {
  std::lock_guard lock(m_mutex);
  std::vector<QByteArray> lines;
  for (const QByteArray& line : m_requests) {
    if (line.startsWith(prefix)) lines.push_back(line);
  }
  return lines;
}

void CFakeStellarium::ClearRequests() {
  std::lock_guard lock(m_mutex);
  m_requests.clear();
}
