// Component styles, colour tones and selection colours of the dropdown edit.
#include "grid/dropdown/ExDropDown.h"

#include "grid/ExUtil.h"
#include "grid/dropdown/ExItemSelector.h"
#include "platform/Canvas.h"

namespace {

constexpr TColor Unchanged = TColor(0x7FFFFFFF);

struct TPopupStyle {
    TKavroStyle Style;
    TColor DropDownColor, DropDownColorTo, DropDownBorderColor;
    TColor HeaderColor, HeaderColorTo, FooterColor, FooterColorTo;
    TColor FontColor, HeaderBorder, FooterBorder;
};

// Popup and bar colours per style (Unchanged: the field is left as it is).
const TPopupStyle PopupStyles[] = {
    {tsOffice2003Blue, 0xFFFFFF, clNone, Unchanged, 0xFCE1CB, 0xE0A57D, 0xFCE1CB, 0xE0A57D, 0x000000, 0x000000, 0x962D00},
    {tsOffice2003Silver, 0xFFFFFF, clNone, Unchanged, 0xECE2E1, 0xB39698, 0xECE2E1, 0xB39698, 0x000000, 0x947C7C, 0x947C7C},
    {tsOffice2003Olive, 0xFFFFFF, clNone, clNone, 0xCFF0EA, 0x8CC0B1, 0xCFF0EA, 0x8CC0B1, 0x000000, 0x588060, 0x588060},
    {tsOffice2003Classic, 0xF2F2F2, 0xF2F2F2, clNone, 0x808080, 0x808080, 0x808080, 0x808080, 0xFFFFFF, 0x808080, 0x808080},
    {tsOffice2007Luna, 0xF3E5DA, 0xF0DED0, clNone, 0xFFEFE3, 0xFFD2AF, 0xFFEFE3, 0xFFD2AF, 0x723708, 0xFFD2AF, 0xFFD2AF},
    {tsOffice2007Obsidian, 0xFFFFFF, clNone, clNone, 0xF2F1F0, 0xC9C2BD, 0xF2F1F0, 0xC9C2BD, 0x433C37, 0x5C534C, 0x5C534C},
    {tsWindowsXP, 0xFFFFFF, clNone, Unchanged, 0xFFFFFF, clBtnFace, 0xFFFFFF, clBtnFace, 0x000000, 0x808080, 0x808080},
    {tsWhidbey, 0xF5F9FA, 0xF5F9FA, clNone, 0xEBEEEF, 0x7E9898, 0xEBEEEF, 0x7E9898, 0xFFFFFF, 0x962D00, 0x962D00},
    {tsOffice2007Silver, 0xF8F4F1, 0xF0E8E3, clNone, 0xF8F7F6, 0xE8E0DB, 0xF8F7F6, 0xE8E0DB, 0x8B4215, 0x74706F, 0x74706F},
    {tsWindowsVista, 0xFFFFFF, 0xFFFFFF, 0x979797, 0xFFFDF9, 0xFFFAF0, 0xFFFAF0, 0xFFFDF9, 0x000000, 0xFCF2DA, 0xFCF2DA},
    {tsWindows7, 0xFFFFFF, 0xFFFFFF, 0x979797, 0xFDFBFA, 0xFDF3EB, 0xFDFBFA, 0xFDF3EB, 0x000000, 0xFBD6B8, 0xFBD6B8},
    {tsTerminal, 0xFFFFFF, 0xFFFFFF, 0x808080, clBtnFace, clBtnFace, clBtnFace, clBtnFace, 0x000000, clNone, clNone},
    {tsOffice2010Blue, 0xFFFFFF, 0xF1EFED, 0xEDEDEC, 0xFDF6EF, 0xF0DAC7, 0xFDF6EF, 0xF0DAC7, 0x5B391E, 0xC7B29F, 0xC7B29F},
    {tsOffice2010Silver, 0xFFFFFF, 0xF1EFED, 0xEDEDEC, 0xFFFFFF, 0xEDE5E0, 0xFFFFFF, 0xEDE5E0, 0x5B391E, 0xD2CDC8, 0xD2CDC8},
    {tsOffice2010Black, 0xFFFFFF, 0xF1EFED, 0xEDEDEC, 0xBFBFBF, 0x919191, 0xBFBFBF, 0x919191, 0xD7D7D6, 0x6D6D6D, 0x6D6D6D},
};

// The bar buttons' colours: face, border, then hot, down, disabled and
// checked faces with their borders.
struct TButtonStyleColors {
    TKavroStyle Style;
    TColor Color, ColorTo, Border;
    TColor Hot, HotTo, HotBorder;
    TColor Down, DownTo, DownBorder;
    TColor Disabled, DisabledTo;
    TColor Checked, CheckedTo, CheckedBorder;
};

#define GROUP_A 0xEBFDFF, 0xACECFF, 0x99CEDB, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0xF2F2F2, 0xB6B6B6, 0x76AFF1, 0x4190F3, 0x45667B
#define OFFICE2010 0x8AE3FD, clNone, 0x58CAF1, 0x6CD0FF, clNone, 0x308AC2, 0xF2F2F2, 0xB6B6B6, 0x45E1FE, clNone, 0x4FA0CE

const TButtonStyleColors ButtonStyles[] = {
    {tsOffice2003Blue, 0xFCE1CB, 0xE0A57D, clNone, GROUP_A},
    {tsOffice2003Silver, 0xECE2E1, 0xB39698, clNone, GROUP_A},
    {tsOffice2003Olive, 0xCFF0EA, 0x8CC0B1, clNone, GROUP_A},
    {tsOffice2003Classic, 0xFFFFFF, 0xC9D1D5, clNone, 0xD2BDB6, 0xD2BDB6, 0x808080, 0xB59285, 0xB59285, 0x808080,
     0xD8D5D4, 0xD8D5D4, 0xD8D5D4, 0xD8D5D4, 0x808080},
    {tsOffice2007Luna, 0xFFEFE3, 0xFFDDC4, clNone, GROUP_A},
    {tsOffice2007Obsidian, 0xF2F1F0, 0xC9C2BD, clNone, GROUP_A},
    {tsWindowsXP, 0xFFFFFF, clBtnFace, clNone, 0xEFD3C6, 0xEFD3C6, clHighlight, clInactiveCaption, clInactiveCaption,
     clHighlight, 0xB6B6B6, 0xB6B6B6, 0xB9D8DC, 0xB9D8DC, 0x000000},
    {tsWhidbey, 0xFFFFFF, 0xDFEDF0, clNone, GROUP_A},
    {tsOffice2007Silver, 0xF9F8F8, 0xE4E2DF, clNone, GROUP_A},
    {tsWindowsVista, 0xFFFDF9, 0xFFFAF0, 0xFCF2DA, 0xFEF9F0, 0xFFFAF0, 0xFCF2DA, 0xFEF9F0, 0xFDF0D7, 0xFEDF9A, 0xFFFFFF,
     0xFFFFFF, 0xFEF9F0, 0xFDF0D7, 0xFEDF9A},
    {tsWindows7, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFCEBDC, 0xFCDBC1, 0xCEA27D, 0xFFFFFF,
     0xFFFFFF, 0xFEF9F0, 0xFCDBC1, 0xCEA27D},
    {tsTerminal, clBtnFace, clBtnFace, clNone, 0xC0C0C0, 0xC0C0C0, 0x808080, clHighlight, clHighlight, 0x808080,
     clBtnFace, clBtnFace, clBtnFace, clBtnFace, clHighlight},
    {tsOffice2010Blue, 0xFDF6EF, 0xF0DAC7, 0xC7B29F, OFFICE2010},
    {tsOffice2010Silver, 0xFFFFFF, 0xEDE5E0, 0xD2CDC8, OFFICE2010},
    {tsOffice2010Black, 0xBFBFBF, 0x919191, 0xD7D7D6, OFFICE2010},
};

#undef GROUP_A
#undef OFFICE2010

struct TSelectionFrame {
    TColor MirrorFrom, MirrorTo, InnerTop, InnerBottom, Border, InnerCorner;
};

TSelectionFrame SelectionFrameOf(TSelectionColorStyle Style)
{
    switch (Style) {
    case scWindowsVista: return {clNone, clNone, 0xFDFBF6, 0xFDF5E7, 0xFDDE99, 0xFCEDCB};
    case scWindows7: return {clNone, clNone, 0xFDF4EB, 0xFDEADB, 0xCEA27D, 0xE0C5AE};
    default: return {0x58D4FC, 0xB3F1FC, 0xF4FEFF, 0xCAF8FF, 0x8DD7D3, 0xC3D9DF};
    }
}

} // namespace

void TExCustomDropDown::SetSelectionColorStyle(TSelectionColorStyle Value)
{
    FSelectionColorStyle = Value;
    switch (Value) {
    case scOffice2007:
        FSelectionColor = 0xD7FFFD;
        FSelectionColorTo = 0x58D4FC;
        break;
    case scWindowsVista:
        FSelectionColor = 0xFDF8F1;
        FSelectionColorTo = 0xFCEFD5;
        break;
    case scWindows7:
        FSelectionColor = 0xFCEBDC;
        FSelectionColorTo = 0xFCDBC1;
        break;
    case scCustom: break;
    }
}

void TExCustomDropDown::DrawSelectionBackground(TCanvas* Canvas, TRect Rect, TColor CornerColor, Byte Kind)
{
    if (Canvas == nullptr)
        return;
    if (FSelectionColorStyle == scCustom) {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(FSelectionColor);
        Canvas->Pen()->SetColor(FSelectionColor);
        Canvas->FillRect(Rect);
        return;
    }
    const TSelectionFrame f = SelectionFrameOf(FSelectionColorStyle);
    DrawButtonFrame(Canvas, FSelectionColor, FSelectionColorTo, f.MirrorFrom, f.MirrorTo, f.InnerTop, f.InnerBottom,
                    f.Border, f.InnerCorner, CornerColor, Rect, Kind);
}

void TExCustomDropDown::DrawGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, Integer Steps, TRect Rect,
                                     TGradientDirection Direction)
{
    DrawDropDownGradient(Canvas, FromColor, ToColor, Steps, Rect, Direction == gdHorizontal);
}

void TExCustomDropDown::SetComponentStyle(TKavroStyle AStyle)
{
    FKavroStyle = AStyle;
    if (AStyle == tsCustom)
        return;
    for (const TPopupStyle& s : PopupStyles) {
        if (s.Style != AStyle)
            continue;
        SetDropDownColor(s.DropDownColor);
        FDropDownColorTo = s.DropDownColorTo;
        if (s.DropDownBorderColor != Unchanged)
            FDropDownBorderColor = s.DropDownBorderColor;
        if (FDropDownHeader) {
            FDropDownHeader->SetColor(s.HeaderColor);
            FDropDownHeader->SetColorTo(s.HeaderColorTo);
            FDropDownHeader->Font()->SetColor(s.FontColor);
            FDropDownHeader->SetBorderColor(s.HeaderBorder);
        }
        if (FDropDownFooter) {
            FDropDownFooter->SetColor(s.FooterColor);
            FDropDownFooter->SetColorTo(s.FooterColorTo);
            FDropDownFooter->Font()->SetColor(s.FontColor);
            FDropDownFooter->SetBorderColor(s.FooterBorder);
        }
    }
    if (!FButtonAppearance)
        return;
    for (const TButtonStyleColors& b : ButtonStyles) {
        if (b.Style != AStyle)
            continue;
        TExButtonAppearance* a = FButtonAppearance.get();
        a->SetColor(b.Color);
        a->SetColorTo(b.ColorTo);
        a->SetBorderColor(b.Border);
        a->SetColorHot(b.Hot);
        a->SetColorHotTo(b.HotTo);
        a->SetBorderColorHot(b.HotBorder);
        a->SetColorDown(b.Down);
        a->SetColorDownTo(b.DownTo);
        a->SetBorderColorDown(b.DownBorder);
        a->SetColorDisabled(b.Disabled);
        a->SetColorDisabledTo(b.DisabledTo);
        a->SetColorChecked(b.Checked);
        a->SetColorCheckedTo(b.CheckedTo);
        a->SetBorderColorChecked(b.CheckedBorder);
    }
}

void TExCustomDropDown::SetColorTones(const TColorTones& ATones)
{
    if (FButton != nullptr) {
        FButton->SetButtonColor(ATones.Background.BrushColor);
        FButton->SetButtonColorHot(ATones.Hover.BrushColor);
        FButton->SetButtonColorDown(ATones.Selected.BrushColor);
        FButton->SetButtonBorderColor(ATones.Background.BorderColor);
    }
    SetBorderColor(ATones.Background.BorderColor);
}

void TExCustomDropDown::SetItemAppearanceStyle(TItemAppearance* Appearance, TKavroStyle AStyle)
{
    if (Appearance == nullptr || AStyle == tsCustom)
        return;
    TItemAppearance* a = Appearance;
    a->SetBorderColorHot(clNone);
    a->SetBorderColorSelected(clNone);
    a->SetColorSelectedText(clBlack);
    a->SetColorHotText(clBlack);
    struct TItemColors {
        TColor Hot, HotTo, MirrorHot, MirrorHotTo, Selected, SelectedTo, MirrorSelected, MirrorSelectedTo, Border;
        TColor Top, Bottom, Edge, SelectedText;
    };
    TItemColors c{};
    switch (AStyle) {
    case tsOffice2003Blue:
    case tsOffice2003Silver:
    case tsOffice2003Olive:
    case tsWhidbey:
        c = {0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0x7AE1FE, 0x42AEFE, clNone, clNone, clNone, clBlack};
        break;
    case tsOffice2007Luna:
    case tsOffice2007Obsidian:
    case tsOffice2007Silver:
        c = {0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0x7AE1FE, 0x42AEFE, 0xF4FEFF, 0xCAF8FF, 0xC3D9DF, clBlack};
        break;
    case tsOffice2003Classic:
        c = {0xD2BDB6, 0xD2BDB6, clNone, clNone, 0xB59285, 0xB59285, clNone, clNone, 0x808080, clNone, clNone, clNone, clBlack};
        break;
    case tsWindowsXP:
        c = {0xEFD3C6, 0xEFD3C6, clNone, clNone, clHighlight, clNone, clNone, clNone, clHighlight, clNone, clNone, clNone, clHighlightText};
        break;
    case tsWindowsVista:
        c = {0xFFFDF9, 0xFFFAF0, clNone, clNone, 0xFEF9F0, 0xFDF0D7, clNone, clNone, 0xFEDF9A, 0xFDFBF6, 0xFDF5E7, 0xFCEDCB, clBlack};
        break;
    case tsWindows7:
        c = {0xFDFBFA, 0xFDF3EB, clNone, clNone, 0xFCEBDC, 0xFCDBC1, clNone, clNone, 0xCEA27D, 0xFDF4EB, 0xFDEADB, 0xE0C5AE, clBlack};
        break;
    case tsTerminal:
        c = {0xC0C0C0, 0xC0C0C0, clNone, clNone, clHighlight, clNone, clNone, clNone, 0x808080, clNone, clNone, clNone, clHighlightText};
        break;
    case tsOffice2010Blue:
    case tsOffice2010Silver:
    case tsOffice2010Black:
        c = {0xD9F9FD, 0x8AE3FD, 0x8AE3FD, 0xD9F9FD, 0x7BEEFF, 0x6CD0FF, 0x6CD0FF, 0x7BEEFF, 0x308AC2, clNone, clNone, clNone, clBlack};
        break;
    case tsCustom: return;
    }
    a->SetColorHot(c.Hot);
    a->SetColorHotTo(c.HotTo);
    a->SetColorMirrorHot(c.MirrorHot);
    a->SetColorMirrorHotTo(c.MirrorHotTo);
    a->SetColorSelected(c.Selected);
    a->SetColorSelectedTo(c.SelectedTo);
    a->SetColorMirrorSelected(c.MirrorSelected);
    a->SetColorMirrorSelectedTo(c.MirrorSelectedTo);
    a->SetBorderColor(c.Border);
    a->SetBorderColorTop(c.Top);
    a->SetBorderColorBottom(c.Bottom);
    a->SetEdgeColor(c.Edge);
    a->SetColorSelectedText(c.SelectedText);
}
