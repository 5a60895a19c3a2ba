#pragma once
#include <QString>

class QImage;

namespace testsupport {

// Folder where screenshots go: $SCREENSHOT_DIR, else screenshots/ in the build folder.
QString ScreenshotDir();

// Saves the image as <name>.png in the screenshot folder; returns the full path
// (empty when the image could not be written).
QString SaveScreenshot(const QImage& image, const QString& name);

} // namespace testsupport
