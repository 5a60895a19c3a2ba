#pragma once
// The vocabulary by which the grid library's controls take a colour style
// (component styles, colour tones, the two style interfaces), detection of
// the user's office or system colour theme, the default interface font, and
// the list of windows that the theme-change notifier tells.

#include <QString>

#include "platform/Component.h"
#include "platform/Lists.h"
#include "platform/Messages.h"
#include "platform/Types.h"

enum TKavroStyle {
    tsOffice2003Blue,
    tsOffice2003Silver,
    tsOffice2003Olive,
    tsOffice2003Classic,
    tsOffice2007Luna,
    tsOffice2007Obsidian,
    tsWindowsXP,
    tsWhidbey,
    tsCustom,
    tsOffice2007Silver,
    tsWindowsVista,
    tsWindows7,
    tsTerminal,
    tsOffice2010Blue,
    tsOffice2010Silver,
    tsOffice2010Black,
};

struct TColorTone {
    TColor BrushColor = clNone;
    TColor BorderColor = clNone;
    TColor TextColor = clNone;
};

struct TColorTones {
    TColorTone Background;
    TColorTone Foreground;
    TColorTone Selected;
    TColorTone Hover;
    TColorTone Disabled;
};

enum TOfficeTheme {
    ot2003Blue,
    ot2003Silver,
    ot2003Olive,
    ot2003Classic,
    ot2007Blue,
    ot2007Silver,
    ot2007Black,
    ot2010Blue,
    ot2010Silver,
    ot2010Black,
    otUnknown,
};

// Implemented by controls that can take a component style.
class IKavroStyle {
public:
    virtual ~IKavroStyle() = default;
    virtual void SetComponentStyle(TKavroStyle AStyle) = 0;
};

// Implemented by controls that can take a set of colour tones.
class IKavroTones {
public:
    virtual ~IKavroTones() = default;
    virtual void SetColorTones(const TColorTones& ATones) = 0;
};

// A list of window handles, each at most once where callers use
// HasValue before Add.
class THandleList : public TList {
public:
    QString ClassName() const override { return QStringLiteral("THandleList"); }

    Integer Add(HWND Handle) { return TList::Add(Handle); }
    void Insert(Integer Index, HWND Handle) { TList::Insert(Index, Handle); }
    void Delete(Integer Index) { TList::Delete(Index); }
    HWND GetInteger(Integer Index) const { return static_cast<HWND>(Items(Index)); }
    void SetInteger(Integer Index, HWND Handle) { SetItems(Index, Handle); }
    bool HasValue(HWND Handle) const { return IndexOf(Handle) >= 0; }
    // Removes the first occurrence, when there is one.
    void DeleteValue(HWND Handle);
};

// What the platform offers. Themed common controls and locale names exist
// on every system this program runs on.
bool HasComCtl6();
bool HasGetLocaleInfoEx();
bool IsWinXPOrLater();

// The office suite installed: 2 for version 14, 1 for version 12, 0 for
// none. This platform keeps no office suite settings, so always 0.
Integer InstalledOfficeVersion();

// The office colour-theme value ("Theme": 1 blue, 2 silver, 3 black) kept
// under one of the suite's "Common" keys, or -1 when the key or the value is
// missing, as it always is on this platform.
Integer ReadOfficeThemeValue(const QString& Key);

// The system colour scheme: 1 "NormalColor", 2 "HomeStead", 3 "Metallic",
// 0 for any other or when themes are off. The style library names no colour
// scheme, so this platform answers 0.
Integer XPThemeScheme();

// The office theme for the theme values of the version 14 and version 12
// keys (-1 when missing) and the system colour scheme; the first found wins.
TOfficeTheme OfficeThemeFor(Integer Theme14, Integer Theme12, Integer Scheme);
// The user's office theme or system scheme as an office theme.
TOfficeTheme DetectSystemStyle();
// The component style a grid takes for an office theme.
TKavroStyle ComponentStyleFor(TOfficeTheme Theme);

// "Segoe UI" where locale names exist, else "Tahoma".
QString DefaultUIFontName();


// The message the notifier sends each registered window when the office
// suite's theme changed.
constexpr Cardinal WM_OFFICETHEMECHANGED = 2993;

// Tells registered windows when the office suite's colour theme changes, so
// that grids adapting to the theme restyle themselves. A watcher runs only
// where an office suite of version 12 or 14 keeps its settings; this
// platform has none, so the notifier starts no watcher, registering and
// unregistering do nothing and OnOfficeThemeChange never fires.
class TThemeNotifier : public TComponent {
public:
    explicit TThemeNotifier(TComponent* AOwner);
    ~TThemeNotifier() override;
    QString ClassName() const override { return QStringLiteral("TThemeNotifier"); }

    void RegisterWindow(HWND Handle);
    void UnRegisterWindow(HWND Handle);
    // True while a watcher runs: never on this platform.
    bool Watching() const { return false; }

    TNotifyEvent OnOfficeThemeChange;
};

// The program's one notifier, made on the first call, owned by the main
// form when that has its window, else by AComponent.
TThemeNotifier* GetThemeNotifier(TComponent* AComponent);
