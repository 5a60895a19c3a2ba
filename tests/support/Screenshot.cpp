#include "Screenshot.h"

#include <QDir>
#include <QImage>

namespace testsupport {

QString ScreenshotDir()
{
    QString dir = qEnvironmentVariable("SCREENSHOT_DIR");
    if (dir.isEmpty())
        dir = QStringLiteral(DEFAULT_SCREENSHOT_DIR);
    QDir().mkpath(dir);
    return dir;
}

QString SaveScreenshot(const QImage& image, const QString& name)
{
    const QString path = QDir(ScreenshotDir()).filePath(name + QStringLiteral(".png"));
    if (image.isNull() || !image.save(path, "PNG"))
        return {};
    return path;
}

} // namespace testsupport
