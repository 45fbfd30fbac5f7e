#include "fake_stellarium.h"

#include <QHostAddress>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMetaObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrlQuery>
#include <algorithm>
#include <memory>

namespace {

constexpr const char* kMag = "StelSkyDrawer.customStarMagLimit";
constexpr const char* kMagOn = "StelSkyDrawer.flagStarMagnitudeLimit";

void DecodeInto(const QByteArray& text, QMap<QByteArray, QByteArray>* params) {
  for (const QByteArray& pair : text.split('&')) {
    if (pair.isEmpty()) continue;
    const int eq = pair.indexOf('=');
    QByteArray name = eq < 0 ? pair : pair.left(eq);
    QByteArray value = eq < 0 ? QByteArray() : pair.mid(eq + 1);
    // A form reader takes "+" for a blank, as Stellarium's does.
    name.replace('+', ' ');
    value.replace('+', ' ');
    params->insert(QByteArray::fromPercentEncoding(name), QByteArray::fromPercentEncoding(value));
  }
}

QByteArray Response(int status, const QByteArray& body, const QByteArray& type) {
  QByteArray out = "HTTP/1.1 " + QByteArray::number(status) + (status == 200 ? " OK" : " Error") + "\r\n";
  out += "Content-Type: " + type + "\r\n";
  out += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
  out += "Connection: keep-alive\r\n\r\n";
  return out + body;
}

}  // namespace

QByteArray FakeRequest::Line() const {
  QByteArray line = method + ' ' + path;
  for (auto it = params.constBegin(); it != params.constEnd(); ++it) line += ' ' + it.key() + '=' + it.value();
  return line;
}

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
      FakeRequest request;
      request.method = first.value(0);
      const QByteArray target = first.value(1);
      int length = 0;
      for (const QByteArray& raw : lines.mid(1)) {
        const QByteArray line = raw.trimmed();
        const int colon = line.indexOf(':');
        if (colon < 0) continue;
        const QByteArray name = line.left(colon).trimmed().toLower();
        const QByteArray value = line.mid(colon + 1).trimmed();
        if (name == "content-length") length = value.toInt();
        if (name == "authorization") request.authorization = value;
      }
      if (buffer->size() < headerEnd + 4 + length) return;
      const QByteArray body = buffer->mid(headerEnd + 4, length);
      buffer->remove(0, headerEnd + 4 + length);
      const int q = target.indexOf('?');
      request.path = q < 0 ? target : target.left(q);
      if (q >= 0) DecodeInto(target.mid(q + 1), &request.params);
      DecodeInto(body, &request.params);

      Mode mode;
      {
        std::lock_guard lock(m_mutex);
        m_requests.push_back(request);
        mode = m_mode;
      }
      if (mode == Mode::Hang) continue;
      if (mode == Mode::Close) {
        socket->abort();
        return;
      }
      int status = 200;
      const QByteArray answer = mode == Mode::Garbage ? QByteArray("<html>not here</html>") : Answer(request, &status);
      const bool json = answer.startsWith('{');
      socket->write(Response(status, answer, json ? "application/json" : "text/plain"));
    }
  });
}

QByteArray CFakeStellarium::Answer(const FakeRequest& r, int* status) {
  std::lock_guard lock(m_mutex);
  if (!m_password.isEmpty() && r.authorization != "Basic " + (":" + m_password).toBase64()) {
    *status = 401;
    return "HTTP 401 Not Authorized";
  }
  if (r.method == "GET" && r.path == "/api/main/status") {
    bool ok = false;
    const int propId = r.params.value("propId").toInt(&ok);
    return StatusBody(ok ? propId : -3);
  }
  if (r.method != "POST") {
    *status = 400;
    return "unsupported operation";
  }
  if (r.path == m_refusedPath) return "error: refused by the test";
  if (r.path == "/api/main/time") {
    bool any = false;
    if (r.params.contains("time")) {
      m_sky.jd = r.params.value("time").toDouble();
      any = true;
    }
    if (r.params.contains("timerate")) {
      m_sky.rate = r.params.value("timerate").toDouble();
      any = true;
    }
    return any ? "ok" : "error: invalid parameters, use time/timerate as double values";
  }
  if (r.path == "/api/location/setlocationfields") {
    if (r.params.contains("latitude")) m_sky.latitude = r.params.value("latitude").toFloat();
    if (r.params.contains("longitude")) m_sky.longitude = r.params.value("longitude").toFloat();
    return "ok";
  }
  if (r.path == "/api/stelproperty/set") {
    const QByteArray id = r.params.value("id");
    const QByteArray value = r.params.value("value");
    if (id == kMag) {
      m_sky.magLimit = value.toDouble();
    } else if (id == kMagOn) {
      m_sky.magLimitOn = value == "true";
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
  QJsonObject location{{"latitude", double(m_sky.latitude)}, {"longitude", double(m_sky.longitude)},
                       {"name", "Paris"}, {"planet", "Earth"}, {"altitude", 42}};
  QJsonObject time{{"jday", m_sky.jd}, {"timerate", m_sky.rate}, {"deltaT", 0.0007}, {"isTimeNow", false}};
  // Like Stellarium: every property for an id it does not know, else the
  // properties changed since that id (here only the magnitude limit's
  // can change).
  const int last = m_propertyChanges;
  QJsonObject changes;
  if (propId < -1 || propId > last) {
    changes.insert(kMag, m_sky.magLimit);
    changes.insert(kMagOn, m_sky.magLimitOn);
    changes.insert("StelCore.currentTimeZone", "UTC+01:00");
  } else if (propId < last) {
    changes.insert(kMag, m_sky.magLimit);
    changes.insert(kMagOn, m_sky.magLimitOn);
  }
  QJsonObject root{{"location", location},
                   {"time", time},
                   {"selectioninfo", ""},
                   {"propertyChanges", QJsonObject{{"id", last}, {"changes", changes}}}};
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
  std::lock_guard lock(m_mutex);
  m_mode = mode;
}

void CFakeStellarium::RefusePath(const QByteArray& path) {
  std::lock_guard lock(m_mutex);
  m_refusedPath = path;
}

void CFakeStellarium::RequirePassword(const QByteArray& password) {
  std::lock_guard lock(m_mutex);
  m_password = password;
}

std::vector<FakeRequest> CFakeStellarium::Requests() {
  std::lock_guard lock(m_mutex);
  return m_requests;
}

std::vector<QByteArray> CFakeStellarium::Changes() {
  std::vector<QByteArray> lines;
  for (const FakeRequest& r : Requests()) {
    if (r.method == "POST") lines.push_back(r.Line());
  }
  return lines;
}

int CFakeStellarium::StatusReads() {
  const std::vector<FakeRequest> all = Requests();
  return int(std::count_if(all.begin(), all.end(), [](const FakeRequest& r) { return r.path == "/api/main/status"; }));
}

void CFakeStellarium::ClearRequests() {
  std::lock_guard lock(m_mutex);
  m_requests.clear();
}

void CFakeStellarium::Stop() {
  QMetaObject::invokeMethod(m_context, [this] {
    m_server->close();
    for (QTcpSocket* socket : m_context->findChildren<QTcpSocket*>()) socket->abort();
  }, Qt::BlockingQueuedConnection);
}

bool CFakeStellarium::Start() {
  bool ok = false;
  QMetaObject::invokeMethod(m_context, [this, &ok] { ok = m_server->listen(QHostAddress::LocalHost, m_port); },
                            Qt::BlockingQueuedConnection);
  return ok;
}
