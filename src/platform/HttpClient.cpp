#include "HttpClient.h"

#include "Text.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QThread>
#include <QTimer>
#include <QUrl>

namespace {

struct Outcome {
    bool ok = false;
    int status = 0;
    QByteArray body;
    QByteArray contentType;
};

// Runs the request on the current thread's own event loop.
Outcome Fetch(const QUrl& url, int timeoutMs)
{
    Outcome out;
    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QNetworkReply* reply = manager.get(request);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(timeoutMs);
    if (!reply->isFinished())
        loop.exec();
    if (!reply->isFinished()) {
        reply->abort();
    } else {
        out.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        out.ok = reply->error() == QNetworkReply::NoError && out.status >= 200 && out.status < 300;
        out.body = reply->readAll();
        out.contentType = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray().toLower();
    }
    delete reply;
    return out;
}

} // namespace

QString THTTPClient::Get(const QString& URL)
{
    responseCode_ = 0;
    const QUrl url(URL);
    if (!url.isValid() || (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https")))
        return QString();
    // A thread of its own with its own event loop: the caller's events (its
    // timers and windows) do not run while it waits.
    Outcome out;
    const int timeout = std::max<Integer>(Timeout, 1);
    QThread* worker = QThread::create([&] { out = Fetch(url, timeout); });
    worker->start();
    worker->wait();
    delete worker;
    responseCode_ = out.status;
    if (!out.ok)
        return QString();
    if (out.contentType.contains("charset=utf-8"))
        return QString::fromUtf8(out.body);
    return DecodeText(out.body);
}
