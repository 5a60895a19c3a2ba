// TExStringGrid: how a cell looks before it is painted, printed, exported
// or edited. The sources override each other in this order: the grid's
// defaults, the cell's own properties, banding, the fixed-cell colours, the
// per-cell colour hook and its event, the gradient event, then selection.

#include "grid/ExGrid.h"

#include <cmath>

#include "grid/ExGridCellGraphic.h"
#include "grid/ExUtil.h"
#include "platform/Graphics.h"

namespace {

bool IsNumberText(const QString& Text)
{
    const Integer kind = NumericTextKind(Text.trimmed());
    return kind == 0 || kind == 1 || kind == 5;
}

} // namespace

TColor TExStringGrid::MixSelectionColor(TColor Sel, TColor Cell, bool Mixer, Integer Factor)
{
    if (!Mixer || Factor >= 100)
        return Sel;
    if (Factor < 1 || Sel == clNone)
        return Cell;
    if (Cell == clNone)
        return Sel;
    const double p = Factor / 100.0;
    const Cardinal s = Cardinal(ColorToRGB(Sel)), c = Cardinal(ColorToRGB(Cell));
    Cardinal result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const double v = p * ((s >> shift) & 0xFF) + (1 - p) * ((c >> shift) & 0xFF);
        result |= Cardinal(std::min(255L, std::lround(v))) << shift;
    }
    return TColor(result);
}

void TExStringGrid::GetVisualProperties(Integer ACol, Integer ARow, TGridDrawState& State, bool Printing, bool Flag,
                                        bool MapColumn, TBrush* ABrush, TColor& ColorTo, TColor& MirrorColor,
                                        TColor& MirrorColorTo, TFont* AFont, TAlignment& Alignment,
                                        TVAlignment& VAlignment, bool& WordWrap,
                                        TCellGradientDirection& GradientDirection)
{
    const bool print = Printing, select = Flag;
    const Integer rc = MapColumn ? RealColIndex(ACol) : ACol;
    const Integer dc = MapColumn ? ACol : DisplColIndex(ACol);
    const bool persistent = FMouseActions->DisjunctRowSelect() && FMouseActions->RowSelectPersistent();
    const Integer selRow = persistent || FUseEnabledRows ? RealRowIndex(ARow) : ARow;
    const bool printFont = print && !FPrintSettings->UseDisplayFont;

    // 1. Font.
    if (ACol >= FixedCols() && ARow >= FixedRows())
        AFont->Assign(printFont ? FPrintSettings->Font() : Font());
    else
        AFont->Assign(printFont ? FPrintSettings->FixedFont() : FFixedFont.get());

    // 2.-3. Colours start unset; the cell's own properties come first.
    ABrush->SetColor(clNone);
    ColorTo = clNone;
    MirrorColor = clNone;
    MirrorColorTo = clNone;
    bool keepCellColor = false;
    if (const TCellProperties* p = PropsOf(rc, ARow)) {
        const TCellType type = GetCellType(rc, ARow);
        if (type == ctNone || type == ctRotated || type == ctEmpty) {
            if (p->BrushColor() != clNone) {
                ABrush->SetColor(p->BrushColor());
                keepCellColor = true;
            }
        } else {
            ABrush->SetColor(p->BrushColor());
        }
        p->ApplyFont(AFont);
        WordWrap = p->WordWrap();
        ColorTo = p->BrushColorTo();
        GradientDirection = p->GradientDirection();
    }
    // 4.
    if ((State & gdSelected) != 0)
        GradientDirection = GradientVertical;
    // 5. Grid colour, bands, fixed parts.
    if (ABrush->Color() == clNone) {
        ABrush->SetColor(Color());
        if (FBands->Active() && (print == FBands->Print() || !print) && ACol >= FixedCols()
            && ACol < ColCount() + FNumHidden - FFixedRightCols && ARow >= FixedRows()
            && ARow < RowCount() - FFixedFooters && FBands->TotalLength() > 0)
            ABrush->SetColor((ARow - FixedRows()) % FBands->TotalLength() < FBands->PrimaryLength()
                                 ? FBands->PrimaryColor()
                                 : FBands->SecondaryColor());
        if (ACol < FixedCols() || ARow < FixedRows() || dc >= ColCount() - FFixedRightCols
            || ARow >= RowCount() - FFixedFooters)
            ABrush->SetColor(FixedColor());
    }
    // 6. Fixed cells.
    const bool fixed = IsFixed(dc, ARow) || ACol < FixedCols() || ARow < FixedRows();
    if (fixed && !print && !keepCellColor) {
        ABrush->SetColor(FixedColor());
        AFont->Assign(FFixedFont.get());
        State |= gdFixed;
    }
    if (fixed && !keepCellColor && FLook >= glKavro) {
        ABrush->SetColor(KavroGradientFrom());
        ColorTo = KavroGradientTo();
        MirrorColor = KavroGradientMirrorFrom();
        MirrorColorTo = KavroGradientMirrorTo();
    }
    // 7.-8. Hooks and events.
    if (print)
        GetCellPrintColor(rc, ARow, State, ABrush, AFont);
    else
        GetCellColor(rc, ARow, State, ABrush, AFont);
    if (OnGetCellGradient) {
        TColor color = ABrush->Color();
        OnGetCellGradient(this, ARow, rc, color, ColorTo, MirrorColor, MirrorColorTo, GradientDirection);
        ABrush->SetColor(color);
    }
    // 9.
    const TColor cellBrush = ABrush->Color();
    const TColor cellFont = AFont->Color();

    const auto applySelection = [&](bool Mix) {
        // An unset selection colour is never painted: the cell keeps its own.
        const TColor brush = ABrush->Color();
        if (FSelectionColor != clNone)
            ABrush->SetColor(!Mix || brush == Color()
                                 ? FSelectionColor
                                 : MixSelectionColor(FSelectionColor, brush, SelectionColorMixer(),
                                                     FSelectionColorMixerFactor));
        ColorTo = FSelectionColorTo;
        MirrorColor = FSelectionMirrorColor;
        MirrorColorTo = FSelectionMirrorColorTo;
        if (FSelectionTextColor != clNone)
            AFont->SetColor(FSelectionTextColor);
    };
    const bool selectable = select && !print && ShowSelection() && !fixed && ACol >= FixedCols() && ARow >= FixedRows();
    // 10. Disjunct row selection.
    if (selectable && FMouseActions->DisjunctRowSelect()) {
        const bool in = RowSelect(selRow);
        if ((!(FMouseDown && ARow == Row()) && in) || (FMouseDown && !in && (State & gdSelected) != 0)) {
            State = gdSelected;
            applySelection(false);
        } else {
            State &= ~TGridDrawState(gdSelected);
        }
    }
    // 11. Disjunct column selection.
    if (selectable && FMouseActions->DisjunctColSelect()) {
        const bool in = ColSelect(ACol);
        if ((!(FMouseDown && ACol == Col()) && in) || (FMouseDown && !in && (State & gdSelected) != 0)) {
            State = gdSelected;
            applySelection(false);
        }
    }
    // 12. Normal selection.
    const bool isSelected = Selection().Contains(dc, ARow);
    if ((select && !print && ShowSelection() && !fixed && isSelected && !FMouseActions->DisjunctRowSelect()
         && !FMouseActions->DisjunctColSelect())
        || ((State & gdSelected) != 0 && FMouseDown && ShowSelection())) {
        applySelection(true);
        State |= gdSelected;
    }
    // 13. Disjunct cell selection.
    if (FMouseActions->DisjunctCellSelect() && ShowSelection()) {
        if (FSelectedCells->HasValue((ARow << 16) | (ACol & 0xFFFF))) {
            applySelection(true);
            State |= gdSelected;
        } else if (dc == Col() && ARow == Row()) {
            State &= ~TGridDrawState(gdSelected);
            ABrush->SetColor(cellBrush);
            AFont->SetColor(cellFont);
        }
    }
    // 14. Disabled rows and grid.
    if (UseDisabledFont()) {
        if (FUseEnabledRows && !RowEnabled(selRow))
            AFont->SetColor(DisabledFontColor());
        if (!Enabled())
            AFont->SetColor(DisabledFontColor());
    }
    // 15. Rows of a disjunct selection other than the current one.
    if (isSelected && ARow != Row() && FMouseActions->DisjunctRowSelect() && FSelectionColorTo == clNone)
        ABrush->SetColor(ColorBrighten(ABrush->Color(), 7));
    // 16.
    GetCellWordWrap(rc, ARow, WordWrap);
    std::tie(Alignment, VAlignment) = CalcCellAlignment(rc, ARow);
}

void TExStringGrid::GetFontProperties(Integer ACol, Integer RCol, bool Remap, TBrush* ABrush, TFont* AFont,
                                      TGridDrawState& AState, Integer ARow)
{
    (void)Remap;
    if (IsFixed(ACol, ARow) || ACol < FixedCols() || ARow < FixedRows())
        AFont->Assign(FFixedFont.get());
    else
        AFont->Assign(Font());
    if (const TCellProperties* p = PropsOf(RCol, ARow)) {
        p->ApplyFont(AFont);
    }
    GetCellColor(RCol, ARow, AState, ABrush, AFont);
}

std::pair<TAlignment, TVAlignment> TExStringGrid::CalcCellAlignment(Integer ACol, Integer ARow)
{
    TAlignment ha = DefaultAlignment();
    TVAlignment va = VAlignment();
    bool formula = false;
    if (AutoNumAlign()) {
        QString text = Cells(ACol, ARow);
        formula = text.startsWith(QLatin1Char('='));
        const bool wideFormula = text.size() >= 4 && text.startsWith(QLatin1String("|\\")) && text.at(3) == u'=';
        if (formula || wideFormula)
            text = GetFormulaCellText(ACol, ARow);
        if (IsNumberText(text))
            ha = taRightJustify;
    }
    if (!formula)
        if (const TCellProperties* p = PropsOf(ACol, ARow))
            ha = p->Alignment();
    GetAlignment(ACol, ARow, ha, va);
    return {ha, va};
}
