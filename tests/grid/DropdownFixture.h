#pragma once
// What the dropdown tests share: a shown form to put editors on, a panel as
// the popup's control, window activation as a click on another window
// makes it, pixel reads of grabbed controls and the two format settings.
#include <gtest/gtest.h>

#include <QApplication>
#include <QColor>
#include <QElapsedTimer>
#include <QImage>
#include <QThread>
#include <QWidget>

#include "grid/dropdown/ExDropDown.h"
#include "platform/ExtCtrls.h"
#include "platform/Form.h"
#include "platform/Graphics.h"
#include "platform/GraphicsQt.h"
#include "platform/Locale.h"
#include "platform/TestHooks.h"

#include "RunFor.h"
#include "Screenshot.h"

inline TColor PixelAt(const QImage& img, int x, int y)
{
    return FromQColor(img.pixelColor(x, y));
}

// Makes the window whose caption is Title the active one, as a click on it would.
inline void ActivateWindowTitled(const QString& Title)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowTitle() == Title) {
            w->activateWindow();
            QApplication::setActiveWindow(w);
        }
}

// The European settings ("," decimal, "." thousands) or the US ones.
inline void UseSeparators(QChar Decimal, QChar Thousand)
{
    TFormatSettings& f = FormatSettings();
    f = TFormatSettings::Invariant();
    f.DecimalSeparator = Decimal;
    f.ThousandSeparator = Thousand;
}

class TDropDownForm_ : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = new TForm(nullptr);
        form->SetBounds(100, 100, 460, 300);
        form->SetCaption(QStringLiteral("Dropdown host"));
        form->Show();
        ActivateWindowTitled(form->Caption());
        UseSeparators(u'.', u',');
    }
    void TearDown() override
    {
        delete form;
        ResetFormatSettings();
    }
    // A dropdown on the form with a 150 x 100 panel as its popup control.
    TExCustomDropDown* AddDropDown(Integer Left = 20, Integer Top = 20)
    {
        auto* dd = new TExCustomDropDown(form);
        dd->SetParent(form);
        dd->SetBounds(Left, Top, 200, 21);
        panel = new TPanel(form);
        panel->SetBounds(0, 0, 150, 100);
        panel->SetCaption(QStringLiteral("popup control"));
        dd->SetControl(panel);
        return dd;
    }
    // Makes the popup the active window, as it is once the system shows it.
    void ActivatePopup(TExCustomDropDown* dd)
    {
        dd->DropDownForm()->SetCaption(QStringLiteral("popup"));
        Application->ProcessMessages();
        ActivateWindowTitled(QStringLiteral("popup"));
    }
    // A click elsewhere: the host form becomes the active window.
    void ClickElsewhere() { ActivateWindowTitled(form->Caption()); }

    TForm* form = nullptr;
    TPanel* panel = nullptr;
};
