// TExStringGrid: the hooks through which the grid's own code asks for a
// cell's shown text and file text and reports selection changes and the
// keyboard's row insertion and deletion; each fires its event.

#include "grid/ExGrid.h"

#include <exception>

#include "grid/EsgHTMLE.h"
#include "grid/ExGridCellGraphic.h"
#include "grid/ExUtil.h"

QString TExStringGrid::GetFormattedCell(Integer ACol, Integer ARow)
{
    QString text = Cells(ACol, ARow);
    if (!OnGetFloatFormat)
        return text;
    const Integer kind = NumericTextKind(text.trimmed());
    bool isFloat = kind == 0 || kind == 1 || kind == 5;
    if (!isFloat)
        return text;
    QString fmt = FloatFormat();
    OnGetFloatFormat(this, ACol, ARow, isFloat, fmt);
    if (!isFloat || fmt.isEmpty())
        return text;
    // A format that does not fit the value leaves the text as it is.
    try {
        if (fmt.contains(QLatin1Char('d')))
            return Format(fmt, {Ints(ACol, ARow)});
        return Format(fmt, {Floats(ACol, ARow)});
    } catch (const std::exception&) {
        return text;
    }
}

void TExStringGrid::SelectionChanged(Integer ALeft, Integer ATop, Integer ARight, Integer ABottom)
{
    if (FLook == glVista || FLook == glWin7 || FLook == glOffice2007) {
        const TGridRect sel = Selection();
        for (Integer r = sel.Top; r <= sel.Bottom; ++r)
            for (Integer c = sel.Left; c <= sel.Right; ++c)
                RepaintCell(c, r);
    }
    FSelChange = true;
    if (OnSelectionChanged)
        OnSelectionChanged(this, ALeft, ATop, ARight, ABottom);
}

// ARow is the display row (the row the user sees); the events name its real row.

void TExStringGrid::AutoInsertRow(Integer ARow)
{
    if (FNumNodes == 0) {
        InsertRows(ARow, 1, true);
        return;
    }
    // In a grid with nodes a row inside a node is a child of it.
    if (GetParentRow(ARow) == -1)
        InsertNormalRow(RealRowIndex(ARow));
    else
        InsertChildRow(RealRowIndex(ARow), 0);
}

void TExStringGrid::AutoDeleteRow(Integer ARow)
{
    const Integer real = RealRowIndex(ARow);
    if (FNumNodes > 0) {
        if (GetParentRow(ARow) == -1)
            RemoveNormalRow(ARow);
        else
            RemoveChildRow(real);
    } else if (RowCount() - FixedRows() - FFixedFooters == 1 && !FixedRowAlways())
        // The last data row is emptied rather than removed.
        ClearRect(0, ARow, TotalColCount() - 1, ARow);
    else
        DoRemoveRows(ARow, 1);
    if (OnAutoDeleteRow)
        OnAutoDeleteRow(this, real);
}

void TExStringGrid::SaveCell(Integer ACol, Integer ARow, QString& Value)
{
    Value = SaveVirtCells() ? GetFormattedCell(ACol, ARow) : GetGridCell(ACol, ARow);
    if (Value.isEmpty()) {
        if (const TCellGraphic* g = GetCellGraphic(ACol, ARow);
            g != nullptr && (g->CellType == ctCheckBox || g->CellType == ctTriStateCheckBox)) {
            bool checked = false;
            if (g->CellType == ctCheckBox)
                GetCheckBoxState(ACol, NumHiddenRows() > 0 ? RealRowIndex(ARow) : ARow, checked);
            else
                checked = g->CellCheckBoxState == cbChecked;
            if (checked)
                GetCheckTrue(ACol, ARow, Value);
            else
                GetCheckFalse(ACol, ARow, Value);
        }
    }
    const Integer kind = GetTextKind(Value, true);
    if (kind == 1 && !SaveWithHTML())
        Value = StripHTMLTags(Value);
    else if (kind == 2 && SaveWithRTF())
        Value.remove(QChar(13)).remove(QChar(10));
    if (OnSaveCell)
        OnSaveCell(this, ACol, ARow, Value);
}

void TExStringGrid::LoadCell(Integer ACol, Integer ARow, const QString& Value)
{
    QString value = Value;
    if (OnLoadCell)
        OnLoadCell(this, ACol, ARow, value);
    SetGridCell(ACol, ARow, value);
}
