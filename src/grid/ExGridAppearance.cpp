// TExStringGrid: the per-cell decisions that painting and editing ask for:
// colours and fonts, borders, alignment, word wrap, editor kind, fixed,
// editable and password cells, always-visible combo and spin buttons,
// check-box texts, a column's filter values, hints and cursors. Each first
// applies the grid's own settings, then lets the application decide through
// its event; descendants override them.

#include "grid/ExGrid.h"

#include "grid/ExGridCellGraphic.h"
#include "grid/ExUtil.h"
#include "platform/Form.h"
#include "platform/Graphics.h"

void TExStringGrid::CanEditCell(Integer ACol, Integer ARow, bool& CanEdit)
{
    if (OnCanEditCell)
        OnCanEditCell(this, ARow, ACol, CanEdit);
}

void TExStringGrid::SearchFooterAction(const QString& Value, Integer ACol, Integer ARow, TSearchFooterAction Action)
{
    if (OnSearchFooterAction)
        OnSearchFooterAction(this, Value, ACol, ARow, Action);
}

void TExStringGrid::ButtonClick(Integer ACol, Integer ARow)
{
    if (OnButtonClick)
        OnButtonClick(this, ACol, ARow);
}

void TExStringGrid::ExpandClick(Integer ACol, Integer ARow, bool Expanded)
{
    if (OnExpandClick)
        OnExpandClick(this, ACol, ARow, Expanded);
    // A node keeps its expanded height in the angle, its contracted one in the index.
    if (const TCellGraphic* g = GetCellGraphic(ACol, ARow); g != nullptr && g->CellType == ctExpand)
        SetRowHeights(ARow, Expanded ? g->CellAngle : g->CellIndex);
}

void TExStringGrid::ComboCloseUp(Integer ACol, Integer ARow)
{
    if (OnComboCloseUp)
        OnComboCloseUp(this, ARow, ACol);
}

void TExStringGrid::ComboDropDown(Integer ACol, Integer ARow)
{
    if (OnComboDropDown)
        OnComboDropDown(this, ARow, ACol);
}

void TExStringGrid::GetCellCursor(Integer ACol, Integer ARow, Integer X, Integer Y)
{
    if (!OnGetCellCursor)
        return;
    TCursor cursor = Cursor();
    OnGetCellCursor(this, ACol, ARow, X, Y, cursor);
    SetCursor(cursor);
}

void TExStringGrid::GridHint(Integer ACol, Integer ARow, QString& Hint, QString& WideHint)
{
    if (OnGridHint)
        OnGridHint(this, ARow, ACol, Hint);
    if (OnGridWideHint) {
        OnGridWideHint(this, ARow, ACol, WideHint);
        if (!WideHint.isEmpty())
            Hint = EncodeWideCellText(WideHint);
    }
}

void TExStringGrid::GetCellColor(Integer ACol, Integer ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont)
{
    if (FActiveCellShow) {
        const Integer d = RealToDisplCol(ACol);
        if ((ARow == Row() && d == FixedCols() - 1 && FixedCols() > 0)
            || (d == Col() && ARow == FixedRows() - 1 && FixedRows() > 0)) {
            AFont->Assign(FActiveCellFont.get());
            ABrush->SetColor(FActiveCellColor);
        }
    }
    if (const TCellProperties* p = PropsOf(ACol, ARow)) {
        switch (GetCellType(ACol, ARow)) {
        case ctIcon:
        case ctNone:
        case ctImageList:
        case ctEmpty:
        case ctImages:
        case ctComment:
            if (p->BrushColor() != clNone)
                ABrush->SetColor(p->BrushColor());
            break;
        default:
            break;
        }
        p->ApplyFont(AFont);
    }
    if (OnGetCellColor)
        OnGetCellColor(this, ARow, ACol, AState, ABrush, AFont);
}

void TExStringGrid::GetCellPrintColor(Integer ACol, Integer ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont)
{
    if (OnGetCellPrintColor)
        OnGetCellPrintColor(this, ARow, ACol, AState, ABrush, AFont);
}

void TExStringGrid::GetCellBorder(Integer ACol, Integer ARow, TPen* APen, TCellBorders& Borders)
{
    // Node and summary rows come with the grouping features; plain rows
    // only go to the event.
    if (OnGetCellBorder)
        OnGetCellBorder(this, ARow, ACol, APen, Borders);
}

void TExStringGrid::GetCellPrintBorder(Integer ACol, Integer ARow, TPen* APen, TCellBorders& Borders)
{
    if (OnGetCellPrintBorder)
        OnGetCellPrintBorder(this, ARow, ACol, APen, Borders);
}

void TExStringGrid::GetAlignment(Integer ACol, Integer ARow, TAlignment& HAlign, TVAlignment& VAlign)
{
    if (ACol == 0 && FMouseActions->HotmailRowSelect())
        HAlign = taCenter;
    if (OnGetAlignment)
        OnGetAlignment(this, ARow, ACol, HAlign, VAlign);
}

void TExStringGrid::GetFormat(Integer ACol, TSortStyle& AStyle, QString& Prefix, QString& Suffix)
{
    if (OnGetFormat)
        OnGetFormat(this, ACol, AStyle, Prefix, Suffix);
}

void TExStringGrid::GetCellEditorType(Integer ACol, Integer ARow, TEditorType& AEditor)
{
    if (OnGetEditorType)
        OnGetEditorType(this, ACol, ARow, AEditor);
}

void TExStringGrid::GetCellEditor(Integer ACol, Integer ARow, TEditorType& AEditor)
{
    if (OnGetEditorType)
        OnGetEditorType(this, ACol, ARow, AEditor);
}

bool TExStringGrid::IsEditorNone(Integer ACol, Integer ARow)
{
    if (!OnGetEditorType)
        return false;
    TEditorType kind = edNormal;
    OnGetEditorType(this, ACol, ARow, kind);
    return kind == edNone;
}

void TExStringGrid::IsFixedCell(Integer ACol, Integer ARow, bool& IsFixed)
{
    if (IsFixed)
        return;
    IsFixed = (FixedRowAlways() && RowCount() == FFixedRowsMin) || (FixedColAlways() && ColCount() == FFixedColsMin)
              || ACol < FixedCols() || ARow < FixedRows();
    if (!IsFixed && OnIsFixedCell)
        OnIsFixedCell(this, ARow, ACol, IsFixed);
}

void TExStringGrid::DoCanEditCell(Integer ACol, Integer ARow, bool& CanEdit)
{
    const TPoint b = BaseCell(ACol, ARow);
    if (HasCellProperties(b.X, b.Y) && CanEdit) {
        CanEdit = !GetReadOnly(b.X, b.Y);
        if ((Options() & goEditing) == 0 && !FEditDisable && !FMouseActions->RangeSelectAndEdit())
            CanEdit = false;
    }
    if (b.X < TotalColCount())
        CanEditCell(b.X, b.Y, CanEdit);
    else
        CanEdit = true;
}

void TExStringGrid::IsPasswordCell(Integer ACol, Integer ARow, bool& IsPassword)
{
    if (OnIsPasswordCell)
        OnIsPasswordCell(this, ARow, ACol, IsPassword);
}

void TExStringGrid::GetCellWordWrap(Integer ACol, Integer ARow, bool& WordWrap)
{
    if (OnGetWordWrap)
        OnGetWordWrap(this, ACol, ARow, WordWrap);
}

bool TExStringGrid::HasComboBox(Integer ACol, Integer ARow)
{
    if (OnHasComboBox) {
        bool has = false;
        OnHasComboBox(this, ACol, ARow, has);
        return has;
    }
    if (!FControlLook->DropDownAlwaysVisible())
        return false;
    TEditorType kind = DefaultEditor();
    GetCellEditor(ACol, ARow, kind);
    return kind == edComboEdit || kind == edComboList;
}

bool TExStringGrid::HasSpinEdit(Integer ACol, Integer ARow)
{
    if (ACol < FixedCols() || ARow < FixedRows())
        return false;
    if (OnHasSpinEdit) {
        bool has = false;
        OnHasSpinEdit(this, ACol, ARow, has);
        return has;
    }
    if (!FControlLook->SpinButtonsAlwaysVisible())
        return false;
    TEditorType kind = DefaultEditor();
    GetCellEditorType(ACol, ARow, kind);
    return kind == edSpinEdit || kind == edFloatSpinEdit || kind == edTimeSpinEdit || kind == edDateSpinEdit;
}

void TExStringGrid::GetCheckTrue(Integer ACol, Integer ARow, QString& Value)
{
    Value = CheckTrue();
    if (OnGetCheckTrue)
        OnGetCheckTrue(this, ACol, ARow, Value);
}

void TExStringGrid::GetCheckFalse(Integer ACol, Integer ARow, QString& Value)
{
    Value = CheckFalse();
    if (OnGetCheckFalse)
        OnGetCheckFalse(this, ACol, ARow, Value);
}

bool TExStringGrid::GetColumnFilter(Integer ACol)
{
    FFilterList->Clear();
    if (FFilterDropDownAuto && (ACol >= FixedCols() || FilterDropDownColumns() == fdAll)) {
        FFilterList->SetSorted(true);
        FFilterList->SetDuplicates(dupIgnore);
        // A value with a blank filters as a quoted phrase.
        auto add = [this](const QString& Text) {
            if (Text.contains(QLatin1Char(' ')))
                FFilterList->Add(Text + QLatin1Char('=') + QLatin1Char('"') + Text + QLatin1Char('"'));
            else
                FFilterList->Add(Text);
        };
        for (Integer r = FixedRows(); r <= RowCount() - FixedFooters() - 1; ++r)
            add(Cells(ACol, r).trimmed());
        if (!FilterIncremental())
            for (Integer i = 0; i < FGridItems->Count(); ++i) {
                const TStringList* cells = FGridItems->ItemsAs<TGridItem>(i)->Items();
                add(ACol < cells->Count() ? cells->Strings(ACol) : QString());
            }
        FFilterList->SetSorted(false);
        if (!FilterDropDownClear().isEmpty())
            FFilterList->Insert(0, FilterDropDownClear());
    }
    if (OnGetColumnFilter)
        OnGetColumnFilter(this, ACol, FFilterList.get());
    return FFilterList->Count() > 0;
}

bool TExStringGrid::GetReadOnly(Integer ACol, Integer ARow) const
{
    const TCellProperties* p = PropsOf(ACol, ARow);
    return p != nullptr && p->ReadOnly();
}

TFont* TExStringGrid::GetCellFont(Integer ACol, Integer ARow)
{
    const TCellProperties* p = PropsOf(ACol, ARow);
    if (p == nullptr)
        return Font();
    cf->Assign(Font());
    if (!p->FontName().isEmpty())
        cf->SetName(p->FontName());
    if (p->FontSize() != 0)
        cf->SetSize(p->FontSize());
    cf->SetStyle(p->FontStyle());
    if (p->FontColor() != clNone)
        cf->SetColor(p->FontColor());
    return cf.get();
}

TCustomForm* TExStringGrid::FindParentForm(TControl* Control)
{
    for (TControl* c = Control; c != nullptr; c = c->Parent())
        if (auto* form = dynamic_cast<TCustomForm*>(c))
            return form;
    return nullptr;
}
