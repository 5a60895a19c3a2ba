#include "HttpClient.h"

#include "Modules.h"
#include "Text.h"

#include <QThread>
#include <QUrl>

QString THTTPClient::Get(const QString& URL)
{
    responseCode_ = 0;
    const QUrl url(URL);
    if (!url.isValid() || (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https")))
        return QString();
    // Qt Network is loaded with the first request, not with the program.
    auto fetch = reinterpret_cast<THttpFetch>(ModuleSymbol(HttpModule, HttpFetchSymbol));
    if (fetch == nullptr)
        return QString();
    // A thread of its own with its own event loop: the caller's events (its
    // timers and windows) do not run while it waits.
    THttpOutcome out;
    const int timeout = std::max<Integer>(Timeout, 1);
    QThread* worker = QThread::create([&] { fetch(url, timeout, out); });
    worker->start();
    worker->wait();
    delete worker;
    responseCode_ = out.Status;
    if (!out.Ok)
        return QString();
    if (out.ContentType.contains("charset=utf-8"))
        return QString::fromUtf8(out.Body);
    return DecodeText(out.Body);
}
