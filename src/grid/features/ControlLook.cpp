// The look settings of in-cell controls and fixed cells, and the progress
// bar appearance.

#include "grid/ExGrid.h"
#include "platform/Bitmap.h"

TPersistent* TControlLook::OwnerOf(TExStringGrid* Grid)
{
    return Grid;
}

void TControlLook::Init()
{
    FColor = clBlack;
    FCommentColor = clRed;
    ProgressBorderColor = clGray;
    FFixedGradientFrom = clNone;
    FFixedGradientTo = clNone;
    FFixedGradientMirrorFrom = clNone;
    FFixedGradientMirrorTo = clNone;
    FFixedGradientHoverFrom = clGray;
    FFixedGradientHoverTo = clWhite;
    SetFixedGradientHoverMirrorFrom(clNone);
    SetFixedGradientHoverMirrorTo(clNone);
    FFixedGradientHoverBorder = clSilver;
    FFixedGradientDownFrom = clGray;
    FFixedGradientDownTo = clSilver;
    SetFixedGradientDownMirrorFrom(clNone);
    SetFixedGradientDownMirrorTo(clNone);
    FFixedGradientDownBorder = clGray;
}

QStringList TControlLook::StoredProperties() const
{
    struct Stored {
        const char* Name;
        Integer Value;
        Integer Default;
    };
    const Stored table[] = {
        {"Color", FColor, clBlack},
        {"CommentColor", FCommentColor, clRed},
        {"CheckSize", FCheckSize, 15},
        {"CheckAlwaysActive", CheckAlwaysActive, false},
        {"RadioSize", FRadioSize, 10},
        {"RadioAlwaysActive", RadioAlwaysActive, false},
        {"ControlStyle", FControlStyle, csTheme},
        {"DropDownAlwaysVisible", FDropDownAlwaysVisible, false},
        {"DropDownCount", DropDownCount, 8},
        {"SpinButtonsAlwaysVisible", FSpinButtonsAlwaysVisible, false},
        {"FlatButton", FFlatButton, false},
        {"NoDisabledCheckRadioLook", FNoDisabledCheckRadioLook, false},
        {"NoDisabledButtonLook", FNoDisabledButtonLook, false},
        {"ProgressBorderColor", ProgressBorderColor, clGray},
        {"ProgressMarginX", FProgressMarginX, 2},
        {"ProgressMarginY", FProgressMarginY, 2},
        {"ProgressXP", FProgressXP, false},
        {"FixedDropDownButton", FixedDropDownButton, false},
        {"HintMaxWidth", HintMaxWidth, 0},
        {"FixedGradientFrom", FFixedGradientFrom, clNone},
        {"FixedGradientTo", FFixedGradientTo, clNone},
        {"FixedGradientMirrorFrom", FFixedGradientMirrorFrom, clNone},
        {"FixedGradientMirrorTo", FFixedGradientMirrorTo, clNone},
        {"FixedGradientHoverFrom", FFixedGradientHoverFrom, clWhite},
        {"FixedGradientHoverTo", FFixedGradientHoverTo, clGray},
        {"FixedGradientHoverMirrorFrom", FFixedGradientHoverMirrorFrom, clNone},
        {"FixedGradientHoverMirrorTo", FFixedGradientHoverMirrorTo, clNone},
        {"FixedGradientHoverBorder", FFixedGradientHoverBorder, clSilver},
        {"FixedGradientDownFrom", FFixedGradientDownFrom, clSilver},
        {"FixedGradientDownTo", FFixedGradientDownTo, clGray},
        {"FixedGradientDownMirrorFrom", FFixedGradientDownMirrorFrom, clNone},
        {"FixedGradientDownMirrorTo", FFixedGradientDownMirrorTo, clNone},
        {"FixedGradientDownBorder", FFixedGradientDownBorder, clGray},
    };
    QStringList names;
    for (const Stored& p : table)
        if (p.Value != p.Default)
            names << QLatin1String(p.Name);
    // Pictures are carried when there are any.
    const std::pair<const char*, const TBitmap*> glyphs[] = {{"CheckedGlyph", FCheckedGlyph.get()},
                                                             {"UnCheckedGlyph", FUnCheckedGlyph.get()},
                                                             {"RadioOnGlyph", FRadioOnGlyph.get()},
                                                             {"RadioOffGlyph", FRadioOffGlyph.get()}};
    for (const auto& [name, glyph] : glyphs)
        if (!glyph->Empty())
            names << QLatin1String(name);
    return names;
}

void TControlLook::Changed()
{
    if (FGrid != nullptr)
        FGrid->Invalidate();
}

void TControlLook::SetColor(TColor Value) { Store(FColor, Value); }
void TControlLook::SetCommentColor(TColor Value) { Store(FCommentColor, Value); }
void TControlLook::SetCheckSize(Integer Value) { Store(FCheckSize, Value); }
void TControlLook::SetRadioSize(Integer Value) { Store(FRadioSize, Value); }
void TControlLook::SetControlStyle(TGridControlStyle Value) { Store(FControlStyle, Value); }
void TControlLook::SetDropDownAlwaysVisible(bool Value) { Store(FDropDownAlwaysVisible, Value); }
void TControlLook::SetSpinButtonsAlwaysVisible(bool Value) { Store(FSpinButtonsAlwaysVisible, Value); }
void TControlLook::SetFlatButton(bool Value) { Store(FFlatButton, Value); }
void TControlLook::SetNoDisabledCheckRadioLook(bool Value) { Store(FNoDisabledCheckRadioLook, Value); }
void TControlLook::SetNoDisabledButtonLook(bool Value) { Store(FNoDisabledButtonLook, Value); }
void TControlLook::SetProgressMarginX(Integer Value) { Store(FProgressMarginX, Value); }
void TControlLook::SetProgressMarginY(Integer Value) { Store(FProgressMarginY, Value); }
void TControlLook::SetProgressXP(bool Value) { Store(FProgressXP, Value); }

void TControlLook::SetCheckedGlyph(const TBitmap* Value)
{
    FCheckedGlyph->Assign(Value);
    Changed();
}

void TControlLook::SetUnCheckedGlyph(const TBitmap* Value)
{
    FUnCheckedGlyph->Assign(Value);
    Changed();
}

void TControlLook::SetRadioOnGlyph(const TBitmap* Value)
{
    FRadioOnGlyph->Assign(Value);
    Changed();
}

void TControlLook::SetRadioOffGlyph(const TBitmap* Value)
{
    FRadioOffGlyph->Assign(Value);
    Changed();
}

// The normal gradient goes to the grid as RGB and repaints it; clNone keeps
// the grid's colour.
void TControlLook::SetFixedGradientFrom(TColor Value)
{
    FFixedGradientFrom = Value;
    if (Value != clNone && FGrid != nullptr) {
        FGrid->SetKavroGradientFrom(ColorToRGB(Value));
        FGrid->Invalidate();
    }
}

void TControlLook::SetFixedGradientTo(TColor Value)
{
    FFixedGradientTo = Value;
    if (Value != clNone && FGrid != nullptr) {
        FGrid->SetKavroGradientTo(ColorToRGB(Value));
        FGrid->Invalidate();
    }
}

// Mirror colours always go to the grid, clNone included.
void TControlLook::SetFixedGradientMirrorFrom(TColor Value)
{
    FFixedGradientMirrorFrom = Value;
    if (FGrid != nullptr) {
        FGrid->SetKavroGradientMirrorFrom(Value);
        FGrid->Invalidate();
    }
}

void TControlLook::SetFixedGradientMirrorTo(TColor Value)
{
    FFixedGradientMirrorTo = Value;
    if (FGrid != nullptr) {
        FGrid->SetKavroGradientMirrorTo(Value);
        FGrid->Invalidate();
    }
}

// Hover and pressed colours are handed over as given, without repainting.
void TControlLook::SetFixedGradientHoverFrom(TColor Value)
{
    FFixedGradientHoverFrom = Value;
    if (Value != clNone && FGrid != nullptr)
        FGrid->SetKavroGradientHoverFrom(Value);
}

void TControlLook::SetFixedGradientHoverTo(TColor Value)
{
    FFixedGradientHoverTo = Value;
    if (Value != clNone && FGrid != nullptr)
        FGrid->SetKavroGradientHoverTo(Value);
}

void TControlLook::SetFixedGradientHoverMirrorFrom(TColor Value)
{
    FFixedGradientHoverMirrorFrom = Value;
    if (FGrid != nullptr)
        FGrid->SetKavroGradientHoverMirrorFrom(Value);
}

void TControlLook::SetFixedGradientHoverMirrorTo(TColor Value)
{
    FFixedGradientHoverMirrorTo = Value;
    if (FGrid != nullptr)
        FGrid->SetKavroGradientHoverMirrorTo(Value);
}

void TControlLook::SetFixedGradientHoverBorder(TColor Value)
{
    FFixedGradientHoverBorder = Value;
    if (Value != clNone && FGrid != nullptr)
        FGrid->SetKavroGradientHoverBorder(Value);
}

void TControlLook::SetFixedGradientDownFrom(TColor Value)
{
    FFixedGradientDownFrom = Value;
    if (Value != clNone && FGrid != nullptr)
        FGrid->SetKavroGradientDownFrom(Value);
}

void TControlLook::SetFixedGradientDownTo(TColor Value)
{
    FFixedGradientDownTo = Value;
    if (Value != clNone && FGrid != nullptr)
        FGrid->SetKavroGradientDownTo(Value);
}

void TControlLook::SetFixedGradientDownMirrorFrom(TColor Value)
{
    FFixedGradientDownMirrorFrom = Value;
    if (FGrid != nullptr)
        FGrid->SetKavroGradientDownMirrorFrom(Value);
}

void TControlLook::SetFixedGradientDownMirrorTo(TColor Value)
{
    FFixedGradientDownMirrorTo = Value;
    if (FGrid != nullptr)
        FGrid->SetKavroGradientDownMirrorTo(Value);
}

void TControlLook::SetFixedGradientDownBorder(TColor Value)
{
    FFixedGradientDownBorder = Value;
    if (Value != clNone && FGrid != nullptr)
        FGrid->SetKavroGradientDownBorder(Value);
}

void TControlLook::Assign(const TPersistent* Source)
{
    const auto* src = dynamic_cast<const TControlLook*>(Source);
    if (src == nullptr || src == this)
        return;
    FCheckSize = src->FCheckSize;
    FRadioSize = src->FRadioSize;
    FControlStyle = src->FControlStyle;
    FCheckedGlyph->Assign(src->FCheckedGlyph.get());
    FUnCheckedGlyph->Assign(src->FUnCheckedGlyph.get());
    FRadioOnGlyph->Assign(src->FRadioOnGlyph.get());
    FRadioOffGlyph->Assign(src->FRadioOffGlyph.get());
    FProgressMarginX = src->FProgressMarginX;
    FProgressMarginY = src->FProgressMarginY;
    FCommentColor = src->FCommentColor;
    FColor = src->FColor;
    ProgressBorderColor = src->ProgressBorderColor;
    CheckAlwaysActive = src->CheckAlwaysActive;
    RadioAlwaysActive = src->RadioAlwaysActive;
    FFixedGradientFrom = src->FFixedGradientFrom;
    FFixedGradientTo = src->FFixedGradientTo;
    FFixedGradientMirrorFrom = src->FFixedGradientMirrorFrom;
    FFixedGradientMirrorTo = src->FFixedGradientMirrorTo;
    FFixedGradientHoverFrom = src->FFixedGradientHoverFrom;
    FFixedGradientHoverTo = src->FFixedGradientHoverTo;
    FFixedGradientHoverMirrorFrom = src->FFixedGradientHoverMirrorFrom;
    FFixedGradientHoverMirrorTo = src->FFixedGradientHoverMirrorTo;
    FFixedGradientHoverBorder = src->FFixedGradientHoverBorder;
    FFixedGradientDownFrom = src->FFixedGradientDownFrom;
    FFixedGradientDownTo = src->FFixedGradientDownTo;
    FFixedGradientDownMirrorFrom = src->FFixedGradientDownMirrorFrom;
    FFixedGradientDownMirrorTo = src->FFixedGradientDownMirrorTo;
    FFixedGradientDownBorder = src->FFixedGradientDownBorder;
    FDropDownAlwaysVisible = src->FDropDownAlwaysVisible;
    FSpinButtonsAlwaysVisible = src->FSpinButtonsAlwaysVisible;
    DropDownCount = src->DropDownCount;
    AssignBars(src);
    HintMaxWidth = src->HintMaxWidth;
}

void TGridProgressAppearance::Assign(const TPersistent* Source)
{
    const auto* src = dynamic_cast<const TGridProgressAppearance*>(Source);
    if (src == nullptr)
        return;
    FUnCompleteFontColor = src->FUnCompleteFontColor;
    FCompleteColor = src->FCompleteColor;
    FUnCompleteColor = src->FUnCompleteColor;
    FCompleteFontColor = src->FCompleteFontColor;
    FStacked = src->FStacked;
    FShowPercentage = src->FShowPercentage;
    FShowBorder = src->FShowBorder;
    FCompletionSmooth = src->FCompletionSmooth;
    FShowGradient = src->FShowGradient;
    FLevel2Perc = src->FLevel2Perc;
    FLevel1Perc = src->FLevel1Perc;
    FSteps = src->FSteps;
    FLevel3Color = src->FLevel3Color;
    FLevel1Color = src->FLevel1Color;
    FLevel0Color = src->FLevel0Color;
    FLevel3ColorTo = src->FLevel3ColorTo;
    FLevel2ColorTo = src->FLevel2ColorTo;
    FLevel0ColorTo = src->FLevel0ColorTo;
    FLevel1ColorTo = src->FLevel1ColorTo;
    FBorderColor = src->FBorderColor;
    FLevel2Color = src->FLevel2Color;
    FStyle = src->FStyle;
    Changed();
}
