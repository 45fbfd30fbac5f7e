#include "stellarium/stel_http.h"

#include <QMetaObject>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>
#include <chrono>
#include <future>
#include <memory>

namespace stel {
namespace {

// Past the request's own timeout (which Qt enforces in the network
// thread), the caller waits this much longer before it stops waiting.
constexpr int kGraceMs = 250;

HttpResult Finish(QNetworkReply* reply) {
  HttpResult r;
  const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
  if (status.isValid()) {
    r.kind = HttpResult::Kind::Answered;
    r.status = status.toInt();
    r.body = reply->readAll();
    if (!r.Ok()) r.error = QString("HTTP %1 %2").arg(r.status).arg(QString::fromUtf8(r.body.left(200)).trimmed());
    return r;
  }
  switch (reply->error()) {
    case QNetworkReply::ConnectionRefusedError:
      r.kind = HttpResult::Kind::Refused;
      r.error = "connection refused";
      break;
    case QNetworkReply::OperationCanceledError:  // the transfer timeout aborts the reply
    case QNetworkReply::TimeoutError:
      r.kind = HttpResult::Kind::TimedOut;
      r.error = "no answer in time";
      break;
    default:
      r.kind = HttpResult::Kind::Failed;
      r.error = reply->errorString();
      break;
  }
  return r;
}

}  // namespace

CStelHttp::CStelHttp(quint16 port, const QString& password, int timeoutMs)
    : m_port(port), m_timeoutMs(timeoutMs) {
  // Stellarium checks HTTP basic authorization with an empty user name.
  if (!password.isEmpty()) m_authorization = "Basic " + (":" + password.toUtf8()).toBase64();
  m_thread.setObjectName("stellarium-http");
  m_context = new QObject;
  m_context->moveToThread(&m_thread);
  QObject::connect(&m_thread, &QThread::finished, m_context, &QObject::deleteLater);
  m_thread.start();
}

CStelHttp::~CStelHttp() {
  // The manager and its replies belong to the network thread: the
  // context (their parent) is deleted there when the thread finishes.
  m_thread.quit();
  m_thread.wait();
}

QByteArray CStelHttp::EncodeForm(const FormFields& fields) {
  QByteArray body;
  for (const auto& [name, value] : fields) {
    if (!body.isEmpty()) body += '&';
    body += name.toPercentEncoding() + '=' + value.toPercentEncoding();
  }
  return body;
}

HttpResult CStelHttp::Get(const QByteArray& path) { return Send(false, path, {}); }

HttpResult CStelHttp::Post(const QByteArray& path, const FormFields& fields) {
  return Send(true, path, EncodeForm(fields));
}

HttpResult CStelHttp::Send(bool post, const QByteArray& path, const QByteArray& body) {
  auto promise = std::make_shared<std::promise<HttpResult>>();
  std::future<HttpResult> answer = promise->get_future();
  const int timeoutMs = m_timeoutMs;
  const QUrl url(QString("http://127.0.0.1:%1").arg(m_port) + QString::fromLatin1(path));

  QMetaObject::invokeMethod(m_context, [this, promise, post, url, body, timeoutMs] {
    if (!m_nam) {
      m_nam = new QNetworkAccessManager(m_context);
      m_nam->setProxy(QNetworkProxy::NoProxy);
    }
    QNetworkRequest request(url);
    request.setTransferTimeout(timeoutMs);
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    if (!m_authorization.isEmpty()) request.setRawHeader("Authorization", m_authorization);
    QNetworkReply* reply = nullptr;
    if (post) {
      request.setHeader(QNetworkRequest::ContentTypeHeader, "application/x-www-form-urlencoded");
      reply = m_nam->post(request, body);
    } else {
      reply = m_nam->get(request);
    }
    QObject::connect(reply, &QNetworkReply::finished, reply, [reply, promise] {
      promise->set_value(Finish(reply));
      reply->deleteLater();
    });
  }, Qt::QueuedConnection);

  // Blocks without running this thread's event loop (see the header).
  if (answer.wait_for(std::chrono::milliseconds(timeoutMs + kGraceMs)) != std::future_status::ready) {
    HttpResult r;
    r.kind = HttpResult::Kind::TimedOut;
    r.error = "no answer in time";
    return r;
  }
  return answer.get();
}

}  // namespace stel
