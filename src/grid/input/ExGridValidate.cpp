// TExStringGrid: validation of an edited cell's new text before it is
// kept (the cell checker's correction and marks, OnCellValidate, modified
// marks, footer, undo, change notices) and the record of the cell's state
// when editing began.

#include "grid/ExGrid.h"

#include "grid/esgcheck.h"
#include "platform/InplaceEdit.h"

void TExStringGrid::StoreOldCellState(Integer ACol, Integer ARow)
{
    FOldCol = ACol;
    FOldRow = ARow;
    const Integer c = RealColIndex(ACol);
    FOldCellText = GetGridCell(c, ARow);
    FOldCellTextWide = FOldCellText;
    FOldModifiedValue = Modified();
}

namespace {

// Sets a flag for the life of the guard and puts the old value back after,
// also when an event handler raises.
class TFlagRestore {
public:
    TFlagRestore(std::function<void()> Restore) : FRestore(std::move(Restore)) {}
    ~TFlagRestore() { FRestore(); }
    TFlagRestore(const TFlagRestore&) = delete;
    TFlagRestore& operator=(const TFlagRestore&) = delete;

private:
    std::function<void()> FRestore;
};

} // namespace

void TExStringGrid::ReopenRefusedCell(Integer C, Integer R, const QString& Text, bool ResetFirst)
{
    if (ResetFirst)
        FValidating = false;
    HideEditor();
    SetCells(C, R, Text);
    // Moving back onto the cell may close a special editor, which writes
    // its (refused) text: the cell keeps the text just put there.
    MoveColRow(FOldCol, R, true, true);
    if (GetGridCell(C, R) != Text)
        SetCells(C, R, Text);
    FValidating = false;
    FEditing = true;
    ShowInplaceEdit();
    if (Col() != FOldCol)
        InvalidateEditor();
}

bool TExStringGrid::ValidateCell(const QString& NewValue)
{
    if (!FEditing || FValidating)
        return true;
    FEditing = false;
    FValidating = true;
    bool valid = true;
    const Integer c = RealColIndex(FOldCol);
    const Integer r = FOldRow;
    FNewCellText = NewValue;
    {
        // The old-state record and the re-entry guard are reset even when a
        // handler raises.
        TFlagRestore done([this] {
            StoreOldCellState(Col(), Row());
            FValidating = false;
        });
        if (NewValue != FOldCellText || AlwaysValidate()) {
            const bool changed = NewValue != FOldCellText;
            const bool advance = FNavigation->AdvanceOnEnter();
            TFlagRestore advanceBack([this, advance] { FNavigation->SetAdvanceOnEnter(advance); });
            FNavigation->SetAdvanceOnEnter(false);

            QString v = NewValue;
            if (FCellChecker != nullptr && FCellChecker->AutoCorrect())
                v = FCellChecker->Correct(c, r, v);
            if (OnCellValidate)
                OnCellValidate(this, c, r, v, valid);
            if (v != FOldCellText) {
                SetModified(true);
                if (FixedCols() > 0) {
                    SetRowModified(RealRowIndex(Row()), true);
                    if (FShowModified->Enabled())
                        RepaintCell(0, Row());
                }
            }
            if (valid)
                RecalcFooterColumn(c);
            if (FCellChecker != nullptr && FCellChecker->AutoMarkError())
                v = FCellChecker->MarkError(c, r, v);
            if (valid && UndoRedo() != nullptr)
                UndoRedo()->RegisterChange(c, r, v, FOldCellText);
            if (valid && changed)
                CellsChanged(TRect{c, r, c, r});
            FNavigation->SetAdvanceOnEnter(advance);
            FNewCellText = v;

            if (valid) {
                // A covered cell of a merged area stores into its base cell.
                SetCells(c, r, v);
                // The text editor, which writes its text back as it closes,
                // takes the value as validated.
                if (TInplaceEdit* ed = InplaceEditor(); ed != nullptr && EditorMode() && ed->Text() != v)
                    ed->SetText(v);
            } else {
                FLastValidation = false;
                // The handler's replacement, or the old text, goes back into
                // the cell and the editor opens on it again.
                if (v != NewValue)
                    ReopenRefusedCell(c, r, v, false);
                else
                    ReopenRefusedCell(c, r, FOldCellText, EditMode);
                SetModified(FOldModifiedValue);
                ShowInvalidEntryBalloon();
            }
            FOldCellText = GetGridCell(c, r);
        }
    }
    if (valid)
        HideFocusWindow();
    return valid;
}

bool TExStringGrid::ValidateCellWide(const QString& NewValue)
{
    if (!FEditing || FValidating)
        return true;
    FEditing = false;
    FValidating = true;
    bool valid = true;
    const Integer c = RealColIndex(FOldCol);
    const Integer r = FOldRow;
    {
        TFlagRestore done([this] {
            StoreOldCellState(Col(), Row());
            FValidating = false;
        });
        if (NewValue != FOldCellTextWide || AlwaysValidate()) {
            const bool changed = NewValue != FOldCellTextWide;
            QString v = NewValue;
            RecalcFooterColumn(c);
            if (OnCellValidateWide)
                OnCellValidateWide(this, c, r, v, valid);
            if (changed) {
                SetModified(true);
                if (FShowModified->Enabled() && FixedCols() > 0) {
                    SetRowModified(FOldRow, true);
                    RepaintCell(0, FOldRow);
                }
            }
            if (valid && changed)
                CellsChanged(TRect{c, r, c, r});
            if (valid) {
                SetWideCells(c, r, v);
            } else {
                FLastValidation = false;
                ReopenRefusedCell(c, r, v != NewValue ? v : FOldCellTextWide, false);
                SetModified(FOldModifiedValue);
            }
            FOldCellTextWide = GetGridCell(c, r);
        }
    }
    return valid;
}
