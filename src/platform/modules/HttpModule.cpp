// The HTTP module: one GET over Qt Network, loaded by THTTPClient on its
// first request.

#include "platform/Modules.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

extern "C" Q_DECL_EXPORT void ArvintoHttpFetch(const QUrl& Url, int TimeoutMs, THttpOutcome& Out)
{
    Out = THttpOutcome();
    QNetworkAccessManager manager;
    QNetworkRequest request(Url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QNetworkReply* reply = manager.get(request);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(TimeoutMs);
    if (!reply->isFinished())
        loop.exec();
    if (!reply->isFinished()) {
        reply->abort();
    } else {
        Out.Status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        Out.Ok = reply->error() == QNetworkReply::NoError && Out.Status >= 200 && Out.Status < 300;
        Out.Body = reply->readAll();
        Out.ContentType = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray().toLower();
    }
    delete reply;
}
