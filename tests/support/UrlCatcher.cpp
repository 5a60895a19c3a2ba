#include "UrlCatcher.h"

#include <QDesktopServices>

namespace testsupport {

namespace {
const char* const Schemes[] = {"http", "https", "file"};
}

UrlCatcher::UrlCatcher()
{
    for (const char* scheme : Schemes)
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "open");
}

UrlCatcher::~UrlCatcher()
{
    for (const char* scheme : Schemes)
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
}

} // namespace testsupport
