#pragma once
// Theme services as the grid library sees them: a table of entries bound by
// name from the platform's themed-drawing library. On this platform that
// library is Qt's style: it draws push buttons, check boxes, radio buttons,
// combo and spin buttons and progress bars. Every other function of the
// classic theme interface has no counterpart here, so its entry stays empty
// and callers take their non-themed drawing, as on a system without themes.

#include <QString>

#include "platform/ComResult.h"
#include "platform/Messages.h"
#include "platform/Types.h"

class TCanvas;

// Theme data of one control class, opened by OpenThemeData; null when none.
using HTHEME = void*;

// Parts and states of the classes this library draws.
enum : Integer {
    BP_PUSHBUTTON = 1,
    BP_RADIOBUTTON = 2,
    BP_CHECKBOX = 3,
    PBS_NORMAL = 1, PBS_HOT = 2, PBS_PRESSED = 3, PBS_DISABLED = 4, PBS_DEFAULTED = 5,
    // Check boxes: unchecked 1-4, checked 5-8, mixed 9-12; radio buttons:
    // unchecked 1-4, checked 5-8; each group normal, hot, pressed, disabled.
    CBS_UNCHECKEDNORMAL = 1, CBS_CHECKEDNORMAL = 5, CBS_MIXEDNORMAL = 9,
    RBS_UNCHECKEDNORMAL = 1, RBS_CHECKEDNORMAL = 5,
    CP_DROPDOWNBUTTON = 1,
    CBXS_NORMAL = 1, CBXS_HOT = 2, CBXS_PRESSED = 3, CBXS_DISABLED = 4,
    SPNP_UP = 1, SPNP_DOWN = 2,
    UPS_NORMAL = 1, UPS_HOT = 2, UPS_PRESSED = 3, UPS_DISABLED = 4,
    DNS_NORMAL = 1, DNS_HOT = 2, DNS_PRESSED = 3, DNS_DISABLED = 4,
    PP_BAR = 1, PP_BARVERT = 2, PP_CHUNK = 3, PP_CHUNKVERT = 4,
};

// The number of functions the theme interface names, and their export names
// in binding order.
constexpr int UxThemeFunctionCount = 45;
extern const char* const UxThemeFunctionNames[UxThemeFunctionCount];

// One binding of the theme library: its loaded flag, library handle and
// entries. Entries are empty until bound and after the library is freed.
class TThemeServices {
public:
    // Binds the library when it is not bound yet: it is there while the
    // application has a widget style. Without one the flag stays false and
    // every entry empty. A second call keeps the first binding.
    void BindUxThemeFunctions();
    // Unbinds: clears the flag and every entry.
    void FreeUxThemeLibrary();

    bool Loaded() const { return loaded_; }
    // The library handle (null while not loaded).
    const void* Library() const { return library_; }
    // Whether the export of that name was bound (false for names the
    // library does not have).
    bool IsBound(const char* Name) const;

    // The entries the grid library calls.
    HTHEME (*OpenThemeData)(HWND Window, const QString& ClassList) = nullptr;
    HRESULT (*CloseThemeData)(HTHEME Theme) = nullptr;
    HRESULT (*DrawThemeBackground)(HTHEME Theme, TCanvas* Canvas, Integer PartId, Integer StateId,
                                   const TRect* Rect, const TRect* ClipRect) = nullptr;
    bool (*IsThemeActive)() = nullptr;
    bool (*IsAppThemed)() = nullptr;
    // The theme's file name, colour scheme and size names.
    HRESULT (*GetCurrentThemeName)(QString* ThemeFileName, QString* ColorBuff, QString* SizeBuff) = nullptr;

private:
    bool loaded_ = false;
    const void* library_ = nullptr;
};

// The binding of the grid, its cell painter, auxiliary controls, mini-HTML
// renderer and the spin, combo and date editors.
TThemeServices& ExXPVS();

// True when the binding is loaded and its IsThemeActive entry answers true;
// an empty entry counts as an inactive theme.
bool ThemeActive(TThemeServices& Services);
