// The row buttons and table conveniences that every rule table shares:
// delete, insert, copy and paste a row through the program-wide row
// clipboard, Enter to the next cell, and a header double click that sizes
// a column.

#include "shell/UComon.h"

#include "grid/columns/ExColumnGrid.h"
#include "platform/Dialogs.h"
#include "platform/Form.h"
#include "platform/StringList.h"
#include "platform/Text.h"
#include "shell/ULanguage.h"

namespace {

QString Lang(Integer n)
{
    return Language_Texts && n < Language_Texts->Count() ? Language_Texts->Strings(n) : QString();
}

QString Box_Caption()
{
    return Application ? Application->Title() : QString();
}

void Error_Box(Integer text)
{
    ShowMessageBox(Lang(text), Box_Caption(), MB_OK | MB_ICONERROR);
}

// All columns of a row, hidden ones included.
Integer All_Columns(const TExStringGrid* grid)
{
    return grid->GetColCount() + grid->NumHiddenColumns();
}

bool Is_Data_Row(const TExStringGrid* grid, Integer row)
{
    return row >= 1 && row < grid->GetRowCount();
}

TStringList& Clipboard()
{
    if (!Row_Clipboard)
        Row_Clipboard = std::make_unique<TStringList>();
    return *Row_Clipboard;
}

Integer Clipboard_Count()
{
    return Row_Clipboard ? Row_Clipboard->Count() : 0;
}

// The refusals shared by both pastes; true when the paste may go on.
bool Paste_Allowed(const TExStringGrid* grid, bool copied_here)
{
    if (!copied_here) {
        Error_Box(1102);
        return false;
    }
    if (All_Columns(grid) - 1 != Clipboard_Count()) {
        Error_Box(1101);
        return false;
    }
    return true;
}

// The overwrite question for a row that holds something; true for Yes.
bool Overwrite_Confirmed()
{
    return ShowMessageBox(Lang(1100), Box_Caption(), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

// A cell of the check-box grid: its check state when it has a check box.
bool Has_Check_Box(TExStringGrid* grid, Integer col, Integer row, bool& state)
{
    state = false;
    return grid->GetCheckBoxState(col, row, state);
}

// The state of a freshly emptied check-box-grid row: the check box of
// column 1 ticked when check_first, every other one cleared, texts empty.
void Empty_Check_Box_Row(TExStringGrid* grid, Integer row, bool check_first)
{
    bool state = false;
    for (Integer c = 1; c < All_Columns(grid); ++c) {
        if (Has_Check_Box(grid, c, row, state))
            grid->SetCheckBoxState(c, row, check_first && c == 1);
        else
            grid->SetCellEx(c, row, QString());
    }
}

// Copies cell (c, from) onto (c, to) in a check-box grid: the check state
// where the source has a check box, else the text; then the read-only mark.
void Move_Check_Box_Cell(TExStringGrid* grid, Integer c, Integer from, Integer to)
{
    bool state = false;
    if (Has_Check_Box(grid, c, from, state))
        grid->SetCheckBoxState(c, to, state);
    else
        grid->SetCellEx(c, to, grid->GetCellEx(c, from));
    grid->SetReadOnly(c, to, grid->ReadOnly(c, from));
}

} // namespace

// ------------------------------------------------------------ column grids

void Grid_Delete_Row(Integer row, TExColumnGrid* grid)
{
    if (!grid || !Is_Data_Row(grid, row))
        return;
    const Integer last = grid->GetRowCount() - 1;
    for (Integer r = row; r < last; ++r)
        for (Integer c = 1; c < All_Columns(grid); ++c)
            grid->SetCellEx(c, r, grid->GetCellEx(c, r + 1));
    for (Integer c = 1; c < All_Columns(grid); ++c)
        grid->SetCellEx(c, last, QString());
}

void Grid_Insert_Row(Integer row, TExColumnGrid* grid, bool set_enable)
{
    if (!grid || !Is_Data_Row(grid, row))
        return;
    for (Integer r = grid->GetRowCount() - 2; r >= row; --r)
        for (Integer c = 1; c < All_Columns(grid); ++c)
            grid->SetCellEx(c, r + 1, grid->GetCellEx(c, r));
    for (Integer c = 1; c < All_Columns(grid); ++c)
        grid->SetCellEx(c, row, c == 1 && set_enable ? QStringLiteral("Y") : QString());
}

void Grid_Copy_Row(TExColumnGrid* grid, Integer row)
{
    if (!grid || !Is_Data_Row(grid, row))
        return;
    TStringList& clip = Clipboard();
    clip.Clear();
    for (Integer c = 1; c < All_Columns(grid); ++c)
        clip.Add(grid->GetCellEx(c, row));
}

void Grid_Paste_Row(TExColumnGrid* grid, Integer row, bool copied_here)
{
    if (!grid || !Is_Data_Row(grid, row) || !Paste_Allowed(grid, copied_here))
        return;
    bool used = false;
    for (Integer c = 1; c < All_Columns(grid) && !used; ++c) {
        const TGridColumnItem* item = grid->Columns()->GetItem(c);
        used = (!item || item->Editor() != edDataCheckBox) && !Trim(grid->GetCellEx(c, row)).isEmpty();
    }
    if (used && !Overwrite_Confirmed())
        return;
    for (Integer c = 1; c < All_Columns(grid); ++c)
        grid->SetCellEx(c, row, Row_Clipboard->Strings(c - 1));
}

// ------------------------------------------------------------ check-box grids

void CheckBox_Grid_Copy_Row(TExStringGrid* grid, Integer row)
{
    if (!grid || !Is_Data_Row(grid, row))
        return;
    TStringList& clip = Clipboard();
    clip.Clear();
    Row_Clipboard_Checks.assign(size_t(All_Columns(grid) - 1), false);
    for (Integer c = 1; c < All_Columns(grid); ++c) {
        bool state = false;
        if (Has_Check_Box(grid, c, row, state)) {
            Row_Clipboard_Checks[size_t(c - 1)] = true;
            clip.Add(state ? QStringLiteral("Y") : QStringLiteral("N"));
        } else {
            clip.Add(grid->GetCellEx(c, row));
        }
    }
}

void CheckBox_Grid_Paste_Row(TExStringGrid* grid, Integer row, bool copied_here)
{
    if (!grid || !Is_Data_Row(grid, row) || !Paste_Allowed(grid, copied_here))
        return;
    bool used = false;
    for (Integer c = 1; c < All_Columns(grid) && !used; ++c) {
        bool state = false;
        used = !Has_Check_Box(grid, c, row, state) && !grid->GetCellEx(c, row).isEmpty();
    }
    if (used && !Overwrite_Confirmed())
        return;
    for (Integer c = 1; c < All_Columns(grid); ++c) {
        const QString& entry = Row_Clipboard->Strings(c - 1);
        // A column-grid copy may have replaced the clipboard since the last
        // check-box-grid copy left its flags: a column without a flag goes by
        // the target cell.
        bool state = false;
        const bool as_check = size_t(c - 1) < Row_Clipboard_Checks.size() ? bool(Row_Clipboard_Checks[size_t(c - 1)])
                                                                           : Has_Check_Box(grid, c, row, state);
        if (as_check)
            grid->SetCheckBoxState(c, row, entry == QLatin1String("Y"));
        else
            grid->SetCellEx(c, row, entry);
    }
}

void CheckBox_Grid_Delete_Row(Integer row, TExStringGrid* grid, bool check_first)
{
    if (!grid || !Is_Data_Row(grid, row))
        return;
    const Integer last = grid->GetRowCount() - 1;
    for (Integer r = row; r < last; ++r)
        for (Integer c = 1; c < All_Columns(grid); ++c)
            Move_Check_Box_Cell(grid, c, r + 1, r);
    Empty_Check_Box_Row(grid, last, check_first);
    for (Integer c = 1; c < All_Columns(grid); ++c)
        grid->SetReadOnly(c, last, true);
}

void CheckBox_Grid_Insert_Row(Integer row, TExStringGrid* grid, bool check_first)
{
    if (!grid || !Is_Data_Row(grid, row))
        return;
    for (Integer r = grid->GetRowCount() - 2; r >= row; --r)
        for (Integer c = 1; c < All_Columns(grid); ++c)
            Move_Check_Box_Cell(grid, c, r, r + 1);
    Empty_Check_Box_Row(grid, row, check_first);
    for (Integer c = 1; c < All_Columns(grid); ++c)
        grid->SetReadOnly(c, row, false);
}

// ------------------------------------------------------------ both kinds

void Grid_Auto_Size_Column(TExStringGrid* grid, Integer row, Integer column)
{
    if (grid && Double_Click_Auto_Size && row == 0)
        grid->AutoSizeCol(column, 0);
}

void Grid_Enter_Next_Cell(TExStringGrid* grid, QChar& key)
{
    if (!grid || !Enable_Jump_Field_Tables || key != QChar(13))
        return;
    const Integer col = grid->GetCol();
    const Integer row = grid->GetRowEx();
    if (col > 0 && row > 0) {
        if (col < grid->GetColCount() - 1) {
            grid->SetCol(col + 1);
        } else {
            grid->SetCol(1);
            grid->SetRowEx(row < grid->GetRowCount() - 1 ? row + 1 : 1);
        }
    }
    key = QChar(0);
}
