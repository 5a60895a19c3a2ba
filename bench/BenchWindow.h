#pragma once
// The window of the benchmarks that compare with Qt's item views: an
// 800 x 600 form shown without a screen, whose update requests are dropped
// so that nothing paints but the explicit render into one reused image.

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QImage>
#include <QWidget>
#include <memory>

#include "platform/Form.h"

namespace benchwindow {

class TDropUpdates : public QObject {
public:
    bool eventFilter(QObject*, QEvent* e) override { return e->type() == QEvent::UpdateRequest; }
};

inline void Settle()
{
    QCoreApplication::processEvents();
}

struct TBenchWindow {
    std::unique_ptr<TForm> Form;
    QWidget* Window = nullptr;
    QImage Image{800, 600, QImage::Format_ARGB32_Premultiplied};
    TDropUpdates Filter;

    explicit TBenchWindow(const QString& caption)
    {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetCaption(caption);
        Form->SetClientSize(800, 600);
        Form->HandleNeeded();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->windowTitle() == caption)
                Window = w;
        Window->setAttribute(Qt::WA_DontShowOnScreen);
        Window->installEventFilter(&Filter);
    }

    // Shows the form and renders it once. The font database is loaded once
    // per process, before any measurement (glyphs stay uncached until the
    // first render of text).
    void ShowAndWarm()
    {
        Form->Show();
        Settle();
        (void)QFontMetrics(QApplication::font()).ascent();
        Render();
    }

    void Render() { Window->render(&Image); }

    // Saves the last frame into the folder the environment variable names.
    void Keep(const char* variable, const char* name) const
    {
        const QString dir = qEnvironmentVariable(variable);
        if (!dir.isEmpty())
            Image.save(dir + u'/' + QLatin1String(name) + QStringLiteral(".png"));
    }
};

} // namespace benchwindow
