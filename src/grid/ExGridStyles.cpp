// TExStringGrid: the look presets, the sixteen component styles, colour
// tones, the older colour schemes, following the office suite's theme and
// the application's visual style, and the setters of the selection
// appearance and a few grid switches.

#include "grid/ExGrid.h"

#include <optional>

#include "controls/ButtonColors.h"
#include "controls/EsgCombo.h"
#include "controls/EsgDateTimePicker.h"
#include "grid/ExGridEditors.h"
#include "grid/dropdown/ExDropDown.h"
#include "grid/dropdown/ExTrackBarDropDown.h"
#include "grid/painting/GridGlyphs.h"
#include "platform/Bitmap.h"
#include "platform/InplaceEdit.h"
#include "platform/StdControls.h"

namespace {

// A colour the style leaves as it is.
constexpr TColor Keep = TColor(0x2FFFFFFF);

struct TStyleRow {
    TKavroStyle Style;
    std::optional<TGridLook> Look;
    TColor From, To, MirrorFrom, MirrorTo;  // the grid's header gradient
    TColor Active, ActiveTo;
    TColor Selection, SelectionText;
    TColor GridLine, FixedLine;
    TColor Footer, FooterTo;  // FooterTo Keep in tsOffice2007Silver: the grid's MirrorTo
    // The control look keeps the header gradient (else it ends as clNone).
    bool LookKeepsGradient;
};

const TStyleRow Styles[] = {
    {tsOffice2003Blue, glXP, TColor(0xFCE1CB), TColor(0xE0A57D), clNone, clNone, TColor(0x94E6FB), TColor(0x1595EE),
     TColor(0x94E6FB), clBlack, clSilver, clGray, TColor(0xFCE1CB), clNone, true},
    {tsOffice2003Silver, glXP, TColor(0xECE2E1), TColor(0xB39698), clNone, clNone, TColor(0x94E6FB), TColor(0x1595EE),
     TColor(0x94E6FB), clBlack, clSilver, clGray, TColor(0xECE2E1), clNone, true},
    {tsOffice2003Olive, glXP, TColor(0xCFF0EA), TColor(0x8CC0B1), clNone, clNone, TColor(0x94E6FB), TColor(0x1595EE),
     TColor(0x94E6FB), clBlack, clSilver, clGray, TColor(0xCFF0EA), clNone, true},
    {tsOffice2003Classic, glXP, clWhite, TColor(0xCCD4D8), clNone, clNone, TColor(0xD8D5D4), TColor(0xD8D5D4), clHighlight,
     clHighlightText, clSilver, clGray, clWhite, clNone, false},
    {tsOffice2007Luna, glOffice2007, TColor(0xFBF9F6), TColor(0xE8DBD2), clNone, clNone, TColor(0x9DD8F9),
     TColor(0x5EC1F1), TColor(0x5EC1F1), clBlack, TColor(0xF1EDEB), TColor(0xD1BBA4), TColor(0xFBF9F6), clNone, true},
    {tsOffice2007Obsidian, glOffice2007, TColor(0xF7F7F7), TColor(0xDEDEDE), clNone, clNone, TColor(0x9DD8F9),
     TColor(0x5EC1F1), TColor(0x5EC1F1), clBlack, TColor(0xE5D7D0), clGray, TColor(0xF7F7F7), clNone, true},
    {tsWindowsXP, glXP, clBtnFace, clBtnFace, clNone, clNone, clBtnFace, clBtnFace, clHighlight, clHighlightText, clSilver,
     clGray, clBtnFace, clNone, false},
    {tsWhidbey, std::nullopt, clWhite, clBtnFace, clNone, clNone, TColor(0x94E6FB), TColor(0x1595EE), clHighlight,
     clHighlightText, clSilver, clGray, clWhite, clNone, false},
    {tsCustom, std::nullopt, Keep, Keep, Keep, Keep, Keep, Keep, clHighlight, clHighlightText, Keep, Keep, Keep, Keep,
     false},
    {tsOffice2007Silver, glOffice2007, TColor(0xF3F3F1), TColor(0xCAC9C8), Keep, Keep, TColor(0x99CCFF),
     TColor(0x699CFF), TColor(0x95C7F5), clBlack, TColor(0xE5D7D0), clGray, TColor(0xF3F3F1), Keep, true},
    {tsWindowsVista, glVista, clWhite, clWhite, TColor(0xFAF8F7), TColor(0xF4F2F1), TColor(0xFDF8F1), TColor(0xFCEFD5),
     TColor(0xEACAB6), clBlack, TColor(0xECECF0), TColor(0xD4D2D1), clWhite, TColor(0xF4F2F1), false},
    {tsWindows7, glWin7, TColor(0xFDFCFA), TColor(0xFAF0E6), TColor(0xF4E6DC), TColor(0xF7E9DD), TColor(0xFCEBDC),
     TColor(0xFCDBC1), TColor(0xEACAB6), clBlack, TColor(0xECECF0), TColor(0xD4D2D1), TColor(0xFDFCFA),
     TColor(0xF7E9DD), false},
    {tsTerminal, glStandard, Keep, Keep, Keep, Keep, Keep, Keep, clHighlight, clHighlightText, Keep, Keep, Keep, Keep,
     false},
    {tsOffice2010Blue, glOffice2007, TColor(0xF5E7DA), TColor(0xF5E7DA), TColor(0xF5E7DA), TColor(0xF5E7DA),
     TColor(0x5BD5FF), TColor(0x71EFFF), TColor(0xFFDBB7), clBlack, clSilver, TColor(0xC7B0A0), TColor(0xF5E7DA),
     TColor(0xF5E7DA), false},
    {tsOffice2010Silver, glOffice2007, TColor(0xE8E3DF), TColor(0xE8E3DF), TColor(0xE8E3DF), TColor(0xE8E3DF),
     TColor(0x5BD5FF), TColor(0x71EFFF), TColor(0xFFDBB7), clBlack, clSilver, TColor(0xBAB5B1), TColor(0xE8E3DF),
     TColor(0xE8E3DF), false},
    {tsOffice2010Black, glOffice2007, TColor(0x6A6A6A), TColor(0x6A6A6A), TColor(0x6A6A6A), TColor(0x6A6A6A),
     TColor(0x5BD5FF), TColor(0x71EFFF), TColor(0xFFDBB7), clBlack, clSilver, TColor(0x444444), TColor(0x6A6A6A),
     TColor(0x6A6A6A), false},
};

void SetIfKept(TColor Value, const std::function<void(TColor)>& Set)
{
    if (Value != Keep)
        Set(Value);
}

// The control look's hover and pressed header gradients.
struct TStateColors {
    TColor From, To, MirrorFrom, MirrorTo, Border;
};

void SetHover(TControlLook* L, const TStateColors& C)
{
    L->SetFixedGradientHoverFrom(C.From);
    L->SetFixedGradientHoverTo(C.To);
    L->SetFixedGradientHoverMirrorFrom(C.MirrorFrom);
    L->SetFixedGradientHoverMirrorTo(C.MirrorTo);
    L->SetFixedGradientHoverBorder(C.Border);
}

void SetDown(TControlLook* L, const TStateColors& C)
{
    L->SetFixedGradientDownFrom(C.From);
    L->SetFixedGradientDownTo(C.To);
    L->SetFixedGradientDownMirrorFrom(C.MirrorFrom);
    L->SetFixedGradientDownMirrorTo(C.MirrorTo);
    L->SetFixedGradientDownBorder(C.Border);
}

void SetSortHeader(TSortSettings* S, TColor Color, TColor ColorTo, TColor Mirror, TColor MirrorTo)
{
    S->HeaderColor = Color;
    S->HeaderColorTo = ColorTo;
    S->HeaderMirrorColor = Mirror;
    S->HeaderMirrorColorTo = MirrorTo;
}

} // namespace

// ------------------------------------------------------------------ look presets

QString TExStringGrid::GridLookToString(TGridLook Value)
{
    static const char* const names[] = {"glStandard", "glSoft",     "glClassic", "glKavro",      "glXP",
                                        "glListView", "glVista",    "glWin7",    "glOffice2007"};
    return Value == glCustom ? QString() : QString::fromLatin1(names[Value]);
}

QString TExStringGrid::GridLookToCaption(TGridLook Value)
{
    static const char* const names[] = {"Standard", "Soft",          "Classic",   "Kavro",     "Windows XP",
                                        "ListView", "Windows Vista", "Windows 7", "Office2007"};
    return Value == glCustom ? QString() : QString::fromLatin1(names[Value]);
}

void TExStringGrid::SetLook(TGridLook Value)
{
    if (Value == FLook)
        return;
    ApplyLook(Value);
}

void TExStringGrid::ApplyLook(TGridLook Value)
{
    FLook = Value;
    const bool loading = HasState(csLoading);
    if (Value != glCustom) {
        FControlLook->SetFixedGradientMirrorFrom(clNone);
        FControlLook->SetFixedGradientMirrorTo(clNone);
        FControlLook->SetFixedGradientFrom(clNone);
        FControlLook->SetFixedGradientTo(clNone);
        SetKavroGradientFrom(clNone);
        SetKavroGradientTo(clNone);
        SetKavroGradientMirrorFrom(clNone);
        SetKavroGradientMirrorTo(clNone);
        FSortSettings->HeaderColor = clNone;
    }
    switch (Value) {
    case glVista:
    case glWin7:
    case glOffice2007: {
        const TKavroStyle style = Value == glVista  ? tsWindowsVista
                                  : Value == glWin7 ? tsWindows7
                                                    : tsOffice2007Luna;
        SetStyle(style);
        FStyle = style;
        SetSelectionStyle(Value == glVista ? ssVista : Value == glWin7 ? ssWin7 : ssOffice2007);
        break;
    }
    case glCustom:
        break;
    default: {
        if (!IsDesigning())
            SetEditorsStyle(tsWindowsXP);
        SetSelectionStyle(ssDefault);
        if (loading)
            break;
        const bool plain = Value == glStandard || Value == glSoft || Value == glClassic;
        if (plain) {
            SetFixedColor(clBtnFace);
            FControlLook->SetFixedGradientFrom(clBtnFace);
            FControlLook->SetFixedGradientTo(clNone);
        } else {
            FControlLook->SetFixedGradientFrom(clWhite);
            FControlLook->SetFixedGradientTo(clBtnFace);
        }
        SetGridFixedLineColor(clGray);
        FControlLook->SetFixedGradientMirrorFrom(clNone);
        FControlLook->SetFixedGradientMirrorTo(clNone);
        SetKavroGradientMirrorFrom(clNone);
        SetKavroGradientMirrorTo(clNone);
        SetGridLineColor(clSilver);
        if (Value == glKavro || Value == glXP) {
            SetActiveCellColor(TColor(0xEACAB6));
            SetActiveCellColorTo(clNone);
            SetSelectionColor(TColor(0xEACAB6));
            SetSelectionColorTo(clNone);
            SetSelectionTextColor(clBlack);
            FSearchFooter->SetColor(KavroGradientFrom());
            FSearchFooter->SetColorTo(KavroGradientTo());
            FControlLook->SetFixedGradientFrom(clWhite);
            FControlLook->SetFixedGradientTo(Value == glXP ? clBtnFace : clSilver);
            SetHover(FControlLook.get(),
                     {TColor(0xCFD0D1), TColor(0xBEC6C8), TColor(0xBEC6C8), TColor(0xABBCBF), FControlLook->FixedGradientHoverBorder()});
            SetDown(FControlLook.get(),
                    {TColor(0x868788), TColor(0x737C7E), TColor(0x737C7E), TColor(0x627376), FControlLook->FixedGradientDownBorder()});
        } else {
            SetActiveCellColor(clGray);
            SetActiveCellColorTo(clNone);
            SetSelectionColor(clHighlight);
            SetSelectionTextColor(clHighlightText);
            FSearchFooter->SetColor(clBtnFace);
            FSearchFooter->SetColorTo(clBtnFace);
        }
        break;
    }
    }
    SetScrollType(ssNormal);
    SetBorderStyle(bsSingle);
    SetBorderColor(TColor(0xB99D7F));
    Invalidate();
    InvalidateFrame();
    if (!loading)
        UpdateFooter();
}

// ------------------------------------------------------------------ component styles

void TExStringGrid::SetComponentStyle(TKavroStyle AStyle)
{
    FStyle = AStyle;
    SetStyle(AStyle);
    if (!IsDesigning())
        SetEditorsStyle(AStyle);
    if (AStyle != tsCustom && FScrollType == ssMetro)
        SetScrollType(ssNormal);
}

void TExStringGrid::SetEditorsStyle(TKavroStyle AStyle)
{
    // The dropdown editors the grid made so far; the track bar's keeps its own look.
    for (Integer i = 0; i < ComponentCount(); ++i) {
        auto* dropdown = dynamic_cast<TExCustomDropDown*>(Components(i));
        if (dropdown != nullptr && dynamic_cast<TExTrackBarDropDown*>(dropdown) == nullptr)
            dropdown->SetComponentStyle(AStyle);
    }
}

void TExStringGrid::SetStyle(TKavroStyle AStyle)
{
    SetSelectionColor(clHighlight);
    SetSelectionColorTo(clNone);
    SetSelectionTextColor(clHighlightText);
    SetSelectionStyle(ssDefault);
    SetSortHeader(FSortSettings.get(), clNone, clNone, clNone, clNone);
    FControlLook->Init();

    const TStyleRow* row = nullptr;
    for (const TStyleRow& r : Styles)
        if (r.Style == AStyle)
            row = &r;
    if (row == nullptr)
        return;
    if (row->Look)
        FLook = *row->Look;
    const TColor mirrorToBefore = KavroGradientMirrorTo();
    SetIfKept(row->From, [this](TColor c) { SetKavroGradientFrom(c); });
    SetIfKept(row->To, [this](TColor c) { SetKavroGradientTo(c); });
    SetIfKept(row->MirrorFrom, [this](TColor c) { SetKavroGradientMirrorFrom(c); });
    SetIfKept(row->MirrorTo, [this](TColor c) { SetKavroGradientMirrorTo(c); });
    SetIfKept(row->Active, [this](TColor c) { SetActiveCellColor(c); });
    SetIfKept(row->ActiveTo, [this](TColor c) { SetActiveCellColorTo(c); });
    if (AStyle == tsOffice2003Blue || AStyle == tsOffice2003Silver || AStyle == tsOffice2003Olive) {
        // These three write the selection straight into the fields.
        FSelectionColor = row->Selection;
        FSelectionColorTo = TColor(0x1595EE);
        FSelectionTextColor = row->SelectionText;
    } else {
        SetSelectionColor(row->Selection);
        SetSelectionTextColor(row->SelectionText);
    }
    SetIfKept(row->GridLine, [this](TColor c) { SetGridLineColor(c); });
    SetIfKept(row->FixedLine, [this](TColor c) { SetGridFixedLineColor(c); });
    SetIfKept(row->Footer, [this](TColor c) { FSearchFooter->SetColor(c); });
    if (row->FooterTo != Keep)
        FSearchFooter->SetColorTo(row->FooterTo);
    else if (AStyle == tsOffice2007Silver)
        FSearchFooter->SetColorTo(mirrorToBefore);

    TControlLook* L = FControlLook.get();
    const TColor from = KavroGradientFrom(), to = KavroGradientTo();
    const TColor mfrom = KavroGradientMirrorFrom(), mto = KavroGradientMirrorTo();
    switch (AStyle) {
    case tsOffice2007Luna:
        SetHover(L, {TColor(0xE4E2DF), TColor(0xDBD3CD), TColor(0xDBD3CD), TColor(0xD2C5BC), TColor(0xB79F87)});
        SetDown(L, {TColor(0xE4C19D), TColor(0xE4C19D), TColor(0xE4C19D), TColor(0xE4C19D), TColor(0xE4C19D)});
        if (FLook == glOffice2007)
            SetSelectionStyle(ssOffice2007);
        break;
    case tsWindowsVista: {
        const TStateColors hover{TColor(0xFFF7E3), TColor(0xFFF7E3), TColor(0xFFEDBD), TColor(0xFBE7B7),
                                 TColor(0xE3C993)};
        SetKavroGradientHoverFrom(hover.From);
        SetKavroGradientHoverTo(hover.To);
        SetKavroGradientHoverMirrorFrom(hover.MirrorFrom);
        SetKavroGradientHoverMirrorTo(hover.MirrorTo);
        SetKavroGradientHoverBorder(hover.Border);
        L->SetFixedGradientMirrorFrom(mfrom);
        L->SetFixedGradientMirrorTo(mto);
        SetHover(L, hover);
        SetDown(L, {TColor(0xF9E4BC), TColor(0xF9E4BC), TColor(0xF7D68D), TColor(0xF5D18A), TColor(0xAE904F)});
        SetSortHeader(FSortSettings.get(), TColor(0xFCF9F2), TColor(0xFCF9F2), TColor(0xF9F1E1), TColor(0xF6ECD8));
        SetSelectionStyle(ssVista);
        break;
    }
    case tsWindows7:
        SetKavroGradientHoverFrom(TColor(0xFDF8F3));
        SetKavroGradientHoverTo(TColor(0xF9F3EF));
        SetKavroGradientHoverMirrorFrom(clNone);
        SetKavroGradientHoverMirrorTo(clNone);
        SetKavroGradientHoverBorder(TColor(0xEEE8E3));
        L->SetFixedGradientMirrorFrom(mfrom);
        L->SetFixedGradientMirrorTo(mto);
        SetHover(L, {TColor(0xFEFBF8), TColor(0xFAF2ED), TColor(0xF4E4D7), TColor(0xE8D2C1),
                     L->FixedGradientHoverBorder()});
        SetDown(L, {TColor(0xF1E8DD), TColor(0xF1E4D8), TColor(0xECDBCF), TColor(0xEDDCCF), TColor(0xD5BCAA)});
        SetSortHeader(FSortSettings.get(), TColor(0xFCF9F2), TColor(0xFCF9F2), TColor(0xF9F1E1), TColor(0xF6ECD8));
        SetSelectionStyle(ssWin7);
        break;
    case tsOffice2010Blue:
    case tsOffice2010Silver:
    case tsOffice2010Black: {
        SetKavroGradientHoverFrom(clNone);
        SetKavroGradientHoverTo(clNone);
        SetKavroGradientHoverMirrorFrom(clNone);
        SetKavroGradientHoverMirrorTo(clNone);
        SetKavroGradientHoverBorder(clNone);
        L->SetFixedGradientMirrorFrom(mfrom);
        L->SetFixedGradientMirrorTo(mto);
        SetHover(L, {TColor(0x6BDFFF), TColor(0xAFEFFF), TColor(0xAFEFFF), TColor(0xE6FCFF), TColor(0x3ABFE8)});
        SetDown(L, {TColor(0x5BD5FF), TColor(0x64E0FF), TColor(0x64E0FF), TColor(0x71EFFF), TColor(0x308AC2)});
        const TColor header = AStyle == tsOffice2010Blue     ? TColor(0xD6CEC7)
                              : AStyle == tsOffice2010Silver ? TColor(0xAAAAAA)
                                                             : TColor(0xBABABA);
        SetSortHeader(FSortSettings.get(), header, header, header, header);
        SetSelectionStyle(ssDefault);
        break;
    }
    default:
        break;
    }
    if (AStyle != tsCustom && AStyle != tsTerminal) {
        // The control look passes the header gradient to the grid; it keeps
        // it only in the office 2003 and 2007 styles.
        L->SetFixedGradientFrom(from);
        L->SetFixedGradientTo(to);
        if (!row->LookKeepsGradient) {
            L->SetFixedGradientFrom(clNone);
            L->SetFixedGradientTo(clNone);
        }
        SetKavroGradientFrom(from);
        SetKavroGradientTo(to);
    }
    Invalidate();
}

void TExStringGrid::SetTheme(TXPColorScheme Scheme)
{
    TColor from = clWhite, to = clBtnFace, mfrom = clNone, mto = clNone, footer = clWhite, footerTo = TColor(0xFFD9B3);
    switch (Scheme) {
    case xpBlue: from = TColor(0xFCE1CB), to = TColor(0xE0A57D); break;
    case xpGreen: from = TColor(0xCFF0EA), to = TColor(0x8CC0B1); break;
    case xpGray: from = TColor(0xECE2E1), to = TColor(0xB39698); break;
    case vistaAero:
        from = clWhite, to = clWhite, mfrom = TColor(0xFAF8F7), mto = TColor(0xF4F2F1);
        footer = TColor(0xECE2E1), footerTo = TColor(0xB39698);
        break;
    case xpNone: break;
    }
    if (Scheme == xpBlue || Scheme == xpGreen || Scheme == xpGray)
        footer = from, footerTo = to;
    SetKavroGradientFrom(from);
    SetKavroGradientTo(to);
    SetKavroGradientMirrorFrom(mfrom);
    SetKavroGradientMirrorTo(mto);
    FSearchFooter->SetColor(footer);
    FSearchFooter->SetColorTo(footerTo);
    if (Scheme == xpNone) {
        SetActiveCellColor(clWhite);
        SetActiveCellColorTo(TColor(0xFFD9B3));
        FControlLook->SetFixedGradientFrom(clNone);
        FControlLook->SetFixedGradientTo(clNone);
    } else {
        SetActiveCellColor(TColor(0x94E6FB));
        SetActiveCellColorTo(TColor(0x1595EE));
        FControlLook->SetFixedGradientFrom(from);
        FControlLook->SetFixedGradientTo(to);
    }
    Invalidate();
}

void TExStringGrid::SetColorTones(const TColorTones& ATones)
{
    FTones = ATones;
    SetLook(glClassic);
    SetFlat(true);
    SetScrollType(ssMetro);
    SetFixedColor(ATones.Foreground.BrushColor);
    FFixedFont->SetColor(ATones.Foreground.TextColor);
    FFixedFont->SetName(DefaultUIFontName());
    Font()->SetName(DefaultUIFontName());
    SetColor(ATones.Background.BrushColor);
    Font()->SetColor(ATones.Background.TextColor);
    SetSelectionColor(ATones.Selected.BrushColor);
    SetSelectionTextColor(ATones.Selected.TextColor);
    SetSelectionColorTo(clNone);
    SetGridLineColor(TColor(0xE6E6E6));
    SetGridFixedLineColor(ColorBrighten(ATones.Foreground.BrushColor, -20));
    SetBorderStyle(bsNone);
    FControlLook->SetControlStyle(csGlyph);
    FControlLook->SetCheckedGlyph(GridGlyph(QStringLiteral("metrocheckon")));
    FControlLook->SetUnCheckedGlyph(GridGlyph(QStringLiteral("metrocheckoff")));
    FControlLook->SetRadioOffGlyph(GridGlyph(QStringLiteral("metroradiooff")));
    FControlLook->SetRadioOnGlyph(GridGlyph(QStringLiteral("metroradioon")));
    if (!IsDesigning()) {
        for (Integer i = 0; i < ComponentCount(); ++i) {
            TComponent* c = Components(i);
            if (auto* dropdown = dynamic_cast<TExCustomDropDown*>(c)) {
                dropdown->SetColorTones(ATones);
                continue;
            }
            // The button-carrying editors: combo, spin, edit with button, date picker.
            if (auto* b = dynamic_cast<TButtonColors*>(c)) {
                b->SetButtonColor(ATones.Background.BrushColor);
                b->SetButtonColorHot(ATones.Hover.BrushColor);
                b->SetButtonColorDown(ATones.Selected.BrushColor);
                b->SetButtonBorderColor(ATones.Background.BorderColor);
            }
            if (auto* combo = dynamic_cast<TEsgCustomCombo*>(c)) {
                combo->SetBorderColor(Color());
                combo->SetFlat(true);
            }
            if (auto* picker = dynamic_cast<TFlatDateTimePicker*>(c)) {
                picker->SetBorderColor(ATones.Background.BrushColor);
                picker->SetMetroStyle(true);
            }
        }
    }
    FControlLook->SetFlatButton(true);
    FFloatingFooter->SetColor(ATones.Foreground.BrushColor);
    FSearchFooter->SetColor(ATones.Foreground.BrushColor);
    FSearchFooter->SetColorTo(ATones.Foreground.BrushColor);
    Invalidate();
}

void TExStringGrid::ApplyOfficeTheme()
{
    if (IsDesigning())
        return;
    const TOfficeTheme theme = DetectSystemStyle();
    if (theme == FOldOfficeTheme)
        return;
    if (theme != otUnknown)
        SetComponentStyle(ComponentStyleFor(theme));
    FOldOfficeTheme = theme;
}

void TExStringGrid::ApplyVCLStyle()
{
    // The application draws with the platform's own style: no visual style
    // (skin) with colours of its own is ever active here.
    FUseVCLStyles = false;
}

// ------------------------------------------------------------------ setters

void TExStringGrid::SetSelectionColorMixerFactor(Integer Value)
{
    if (Value == FSelectionColorMixerFactor)
        return;
    FSelectionColorMixerFactor = std::clamp<Integer>(Value, 0, 100);
    Invalidate();
}

void TExStringGrid::SetSelectionColorMixer(bool Value)
{
    if (Value == FSelectionColorMixer)
        return;
    FSelectionColorMixer = Value;
    Invalidate();
}

void TExStringGrid::SetSelectionRectangle(bool Value)
{
    if (Value == FSelectionRectangle)
        return;
    FSelectionRectangle = Value;
    Invalidate();
}

void TExStringGrid::SetSelectionResizer(bool Value)
{
    if (Value == FSelectionResizer)
        return;
    FSelectionResizer = Value;
    Invalidate();
}

void TExStringGrid::SetShowSelection(bool Value)
{
    if (Value == FShowSelection)
        return;
    FShowSelection = Value;
    SetShowSel(Value);
    Invalidate();
}

void TExStringGrid::SetVAlignment(TVAlignment Value)
{
    FVAlignment = Value;
    FVAlign = Value == vtaCenter ? DT_VCENTER : Value == vtaBottom ? DT_BOTTOM : 0;
    if (FUpdateCount == 0)
        Invalidate();
}

void TExStringGrid::SetFlat(bool Value)
{
    FFlat = Value;
    if (!HasState(csLoading)) {
        Invalidate();
        InvalidateFrame();
    }
}

void TExStringGrid::SetAutoSize(bool Value)
{
    FAutoSize = Value;
    if (Value && !HasState(csLoading))
        AutoSizeColumns(false, 10);
}

void TExStringGrid::SetMaxEditLength(Integer Value)
{
    FMaxEditLength = Value;
    if (auto* edit = dynamic_cast<TCustomEdit*>(InplaceEditor()))
        edit->SetMaxLength(Value);
}

void TExStringGrid::SetSpreadSheet(bool Value)
{
    FSpreadSheet = Value;
    SetSelectionRectangle(true);
    SetSelectionResizer(true);
    FNavigation->SetAllowSmartClipboard(true);
    SetOptions(Options() | goRangeSelect | goEditing);
    FMouseActions->SetRangeSelectAndEdit(true);
}
