// TExRichEdit and the grid's rich-text cells: the conversions between a
// cell's RTF source and a rich edit, and the rendering of a cell.

#include "grid/editors/ExRichEdit.h"

#include "grid/ExGrid.h"
#include "grid/ExGridEditors.h"
#include "platform/Canvas.h"
#include "platform/Messages.h"

TExRichEdit::TExRichEdit(TExStringGrid* AGrid) : TRichEdit(AGrid), FGrid(AGrid) {}

void TExRichEdit::SelNormal()
{
    SelAttributes()->SetOffset(0);
}

void TExRichEdit::SelSubscript()
{
    SelAttributes()->SetOffset(-40);
}

void TExRichEdit::SelSuperscript()
{
    SelAttributes()->SetOffset(40);
}

bool TExRichEdit::IsSelNormal()
{
    return SelAttributes()->Offset() == 0;
}

bool TExRichEdit::IsSelSubscript()
{
    return SelAttributes()->Offset() == -40;
}

bool TExRichEdit::IsSelSuperscript()
{
    return SelAttributes()->Offset() == 40;
}

void TExRichEdit::KeyDown(Word& Key, TShiftState Shift)
{
    TRichEdit::KeyDown(Key, Shift);
    if (FGrid == nullptr || this != FGrid->FInplaceRichEdit)
        return;
    // Escape cancels: the cell keeps the text it had before the edit.
    if (Key == VK_ESCAPE && FGrid->EditMode) {
        Key = 0;
        FGrid->FCancelEdit = true;
        FGrid->HideInplaceEdit();
        FGrid->FCancelEdit = false;
        if (FGrid->CanFocus())
            FGrid->SetFocus();
        return;
    }
    if (Key == VK_TAB && (FGrid->Options() & goTabs) != 0) {
        Word tab = Key;
        Key = 0;
        if (FGrid->CanFocus())
            FGrid->SetFocus();
        FGrid->KeyDown(tab, Shift);
        FGrid->ShowInplaceEdit();
        return;
    }
    // A one-line cell lets Up and Down move to the next row.
    if ((Key == VK_UP || Key == VK_DOWN) && !FGrid->WordWrap() && !FGrid->Multilinecells()) {
        Word move = Key;
        Key = 0;
        if (FGrid->CanFocus())
            FGrid->SetFocus();
        FGrid->KeyDown(move, Shift);
    }
}

void TExRichEdit::ResizeRequest(const TRect& Requested)
{
    if (FGrid == nullptr || FGrid->IsDesigning())
        return;
    if (this == FGrid->FRichEdit) {
        FReqWidth = Requested.Width();
        FReqHeight = Requested.Height();
    }
    if (this != FGrid->FInplaceRichEdit || !FGrid->SizeWhileTyping()->Height() || FLocked)
        return;
    // The row grows with the lines typed, as far as the grid's bottom.
    const Integer h = Requested.Height();
    const Integer row = FGrid->Row();
    const TRect cell = FGrid->CellRect(FGrid->Col(), row);
    if (FGrid->RowHeights(row) < h + 5 && cell.Top + h + 5 <= FGrid->Height()) {
        SetBounds(Left(), Top(), Width(), h + 9);
        FGrid->SetRowHeights(row, h + 10);
        if (FGrid->OnEndRowSize)
            FGrid->OnEndRowSize(FGrid, row);
    }
}

void TExRichEdit::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_GETDLGCODE:
        TRichEdit::Dispatch(Message);
        Message.Result |= DLGC_WANTTAB;
        return;
    case WM_KILLFOCUS:
        if (FGrid != nullptr && FGrid->InvokedFocusChange)
            return;
        // The focus back on the grid ends the edit.
        if (FGrid != nullptr && this == FGrid->FInplaceRichEdit && FindControl(reinterpret_cast<HWND>(Message.WParam)) == FGrid
            && !FGrid->FBlockKill && FGrid->EditMode)
            FGrid->HideInplaceEdit();
        break;
    case CN_NOTIFY:
        if (const auto* hdr = reinterpret_cast<const TNMHdr*>(Message.LParam); hdr != nullptr && hdr->code == EN_REQUESTRESIZE)
            ResizeRequest(reinterpret_cast<const TReqSize*>(Message.LParam)->rc);
        break;
    default: break;
    }
    TRichEdit::Dispatch(Message);
}

// ============================================================ the grid's side

void TExStringGrid::CellToRich(Integer ACol, Integer ARow, TRichEdit* RichEdit)
{
    if (RichEdit == nullptr)
        return;
    // The cell's source as it is: every character, whatever its code.
    const QString source = Cells(ACol, ARow);
    if (source.isEmpty())
        RichEdit->Clear();
    else
        RichEdit->SetRichText(source);
}

QString TExStringGrid::RichToString(TRichEdit* RichEdit)
{
    if (IsDestroying() || RichEdit == nullptr)
        return {};
    return RichEdit->RichText();
}

void TExStringGrid::RichToCell(Integer ACol, Integer ARow, TRichEdit* RichEdit)
{
    SetCells(ACol, ARow, RichToString(RichEdit));
}

void TExStringGrid::DrawRichCell(Integer ACol, Integer ARow, TRect R, TCanvas* Canvas)
{
    if (IsDesigning() || Canvas == nullptr)
        return;
    TExRichEdit* re = RichEdit();
    CellToRich(ACol, ARow, re);
    const Integer dc = RealToDisplCol(ACol);
    const bool focusedCell = ARow == Row() && dc == Col() && Focused() && (Options() & goDrawFocusSelected) == 0;
    const TGridRect sel = Selection();
    const bool inSelection = dc >= sel.Left && dc <= sel.Right && ARow >= sel.Top && ARow <= sel.Bottom;
    const bool disjunctRows = FMouseActions->DisjunctRowSelect();
    bool selected = inSelection && !focusedCell && !disjunctRows;
    if (disjunctRows && RowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(ARow) : ARow))
        selected = true;
    if (FMouseActions->DisjunctColSelect() && ColSelect(dc))
        selected = true;
    if (selected && !SelectionRTFKeep() && Canvas->MapMode() == MM_TEXT && SelectionTextColor() != clNone) {
        re->SelectAll();
        re->SelAttributes()->SetColor(SelectionTextColor());
    }
    // The text keeps the cell's margins, in the canvas's units.
    const Integer mx = XYOffset().X * Canvas->DeviceDPIX() / 96, my = XYOffset().Y * Canvas->DeviceDPIY() / 96;
    const TPoint tl = Canvas->LPtoDP({R.Left, R.Top});
    const TPoint br = Canvas->LPtoDP({R.Right, R.Bottom});
    const TRect device{std::min(tl.X, br.X) + mx, std::min(tl.Y, br.Y) + my, std::max(tl.X, br.X) - mx,
                       std::max(tl.Y, br.Y) - my};
    const Integer mode = Canvas->MapMode();
    Canvas->SetMapMode(MM_TEXT);
    re->FormatRange(Canvas, device);
    Canvas->SetMapMode(mode);
}
