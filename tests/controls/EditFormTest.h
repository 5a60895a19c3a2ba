#pragma once
// What the tests of the edit controls share: a shown form to put them on,
// colour comparison of grabbed pixels, and the two format settings the
// conversions are checked under.
#include <gtest/gtest.h>

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QWidget>

#include "platform/Form.h"
#include "platform/Graphics.h"
#include "platform/Locale.h"

inline QColor Q(TColor c)
{
    c = ColorToRGB(c);
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

inline QColor Pixel(const QImage& img, int x, int y)
{
    return img.pixelColor(x, y).toRgb();
}

// Makes the shown form's window the active one, as a click on it would.
inline void ActivateForm(TForm* form)
{
    const QString title = form->Caption();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowTitle() == title) {
            w->activateWindow();
            QApplication::setActiveWindow(w);
        }
}

// A shown form; controls added with Add are its children.
class TEditForm : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = new TForm(nullptr);
        form->SetClientSize(420, 260);
        form->SetCaption(QString::fromLatin1(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        form->SetColor(RGB(236, 233, 216));
        form->Show();
        ActivateForm(form);
    }
    void TearDown() override
    {
        delete form;
        ResetFormatSettings();
    }
    template <class T>
    T* Add(Integer left, Integer top, Integer width = -1, Integer height = -1)
    {
        auto* c = new T(form);
        c->SetParent(form);
        c->SetBounds(left, top, width < 0 ? c->Width() : width, height < 0 ? c->Height() : height);
        return c;
    }

    TForm* form = nullptr;
};

namespace editform {
inline void UseSettings(QChar decimal, QChar thousand, QChar dateSep, const char* shortDate, const char* shortTime, const char* longTime)
{
    TFormatSettings& f = FormatSettings();
    f = TFormatSettings::Invariant();
    f.DecimalSeparator = decimal;
    f.ThousandSeparator = thousand;
    f.DateSeparator = dateSep;
    f.TimeSeparator = u':';
    f.ShortDateFormat = QString::fromLatin1(shortDate);
    f.ShortTimeFormat = QString::fromLatin1(shortTime);
    f.LongTimeFormat = QString::fromLatin1(longTime);
}
} // namespace editform

// Day-month-year with "." between and "," as decimal separator (the
// thousand separator is "." too).
inline void UseEuropeanSettings()
{
    editform::UseSettings(u',', u'.', u'.', "dd/mm/yyyy", "hh:nn", "hh:nn:ss");
}

// Month-day-year with "/" between, "." as decimal separator and hours
// without a leading zero.
inline void UseUsSettings()
{
    editform::UseSettings(u'.', u',', u'/', "m/d/yyyy", "h:nn", "h:nn:ss");
}
