#include "ExStyleIF.h"

#include "controls/ExXPVS.h"
#include "platform/Form.h"

void THandleList::DeleteValue(HWND Handle)
{
    const Integer i = IndexOf(Handle);
    if (i >= 0)
        Delete(i);
}

bool HasComCtl6()
{
    return true;
}

bool HasGetLocaleInfoEx()
{
    return true;
}

bool IsWinXPOrLater()
{
    return true;
}

Integer InstalledOfficeVersion()
{
    return 0;
}

Integer ReadOfficeThemeValue(const QString&)
{
    return -1;
}

Integer XPThemeScheme()
{
    if (!IsWinXPOrLater())
        return 0;
    // The library is bound for this call only.
    TThemeServices services;
    services.BindUxThemeFunctions();
    Integer scheme = 0;
    if (ThemeActive(services) && HasComCtl6() && services.GetCurrentThemeName) {
        QString file, color, size;
        if (services.GetCurrentThemeName(&file, &color, &size) == S_OK) {
            if (color.contains(QLatin1String("NormalColor")))
                scheme = 1;
            else if (color.contains(QLatin1String("HomeStead")))
                scheme = 2;
            else if (color.contains(QLatin1String("Metallic")))
                scheme = 3;
        }
    }
    services.FreeUxThemeLibrary();
    return scheme;
}

TOfficeTheme OfficeThemeFor(Integer Theme14, Integer Theme12, Integer Scheme)
{
    if (Theme14 != -1) {
        switch (Theme14) {
        case 1: return ot2010Blue;
        case 2: return ot2010Silver;
        case 3: return ot2010Black;
        default: return ot2003Blue;
        }
    }
    if (Theme12 != -1) {
        switch (Theme12) {
        case 1: return ot2007Blue;
        case 2: return ot2007Silver;
        case 3: return ot2007Black;
        default: return ot2003Blue;
        }
    }
    switch (Scheme) {
    case 1: return ot2003Blue;
    case 2: return ot2003Olive;
    case 3: return ot2003Silver;
    default: return ot2003Classic;
    }
}

TOfficeTheme DetectSystemStyle()
{
    const Integer t14 = ReadOfficeThemeValue(QStringLiteral("Software\\Microsoft\\Office\\14.0\\Common"));
    const Integer t12 = t14 == -1 ? ReadOfficeThemeValue(QStringLiteral("Software\\Microsoft\\Office\\12.0\\Common")) : -1;
    return OfficeThemeFor(t14, t12, t14 == -1 && t12 == -1 ? XPThemeScheme() : 0);
}

TKavroStyle ComponentStyleFor(TOfficeTheme Theme)
{
    switch (Theme) {
    case ot2003Blue: return tsOffice2003Blue;
    case ot2003Silver: return tsOffice2003Silver;
    case ot2003Olive: return tsOffice2003Olive;
    case ot2003Classic: return tsOffice2003Classic;
    case ot2007Blue: return tsOffice2007Luna;
    case ot2007Silver: return tsOffice2007Silver;
    case ot2007Black: return tsOffice2007Obsidian;
    case ot2010Blue: return tsOffice2010Blue;
    case ot2010Silver: return tsOffice2010Silver;
    case ot2010Black: return tsOffice2010Black;
    default: return tsOffice2003Classic;
    }
}

QString DefaultUIFontName()
{
    return HasGetLocaleInfoEx() ? QStringLiteral("Segoe UI") : QStringLiteral("Tahoma");
}

// ------------------------------------------------------------- notifier

namespace {
TThemeNotifier* TheNotifier = nullptr;
}

TThemeNotifier::TThemeNotifier(TComponent* AOwner) : TComponent(AOwner)
{
}

TThemeNotifier::~TThemeNotifier()
{
    if (TheNotifier == this)
        TheNotifier = nullptr;
}

void TThemeNotifier::RegisterWindow(HWND)
{
}

void TThemeNotifier::UnRegisterWindow(HWND)
{
}

TThemeNotifier* GetThemeNotifier(TComponent* AComponent)
{
    if (!TheNotifier) {
        TComponent* owner = AComponent;
        if (Application && Application->MainForm() && Application->MainForm()->HandleAllocated())
            owner = Application->MainForm();
        TheNotifier = new TThemeNotifier(owner);
    }
    return TheNotifier;
}
