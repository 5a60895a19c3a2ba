#pragma once
// Receives what the desktop would open (web addresses and files), so that a
// test can read it and nothing leaves the machine. Catches while it lives.

#include <QList>
#include <QObject>
#include <QUrl>

namespace testsupport {

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    UrlCatcher();
    ~UrlCatcher() override;
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

} // namespace testsupport
