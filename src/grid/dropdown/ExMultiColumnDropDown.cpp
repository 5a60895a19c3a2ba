// The multi-column dropdown: its column and item collections, the list grid
// of its popup and the dropdown itself.
#include "grid/dropdown/ExMultiColumnDropDown.h"

#include "grid/dropdown/ExDropDownDraw.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/DrawText.h"
#include "platform/ImageList.h"
#include "platform/StringList.h"
#include "platform/Text.h"

namespace ExMultiColumnDropDown {

// ------------------------------------------------------------ columns and items

TDropDownColumn::TDropDownColumn(TCollection* Collection)
    : TCollectionItem(Collection), FFont(std::make_unique<TFont>())
{
}

TDropDownColumn::~TDropDownColumn() = default;

void TDropDownColumn::SetFont(const TFont* Value)
{
    FFont->Assign(Value);
}

void TDropDownColumn::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TDropDownColumn*>(Source);
    if (s == nullptr) {
        TCollectionItem::Assign(Source);
        return;
    }
    FWidth = s->FWidth;
    FColor = s->FColor;
    FAlignment = s->FAlignment;
    FEllipsis = s->FEllipsis;
    FFont->Assign(s->FFont.get());
    FColumnType = s->FColumnType;
    FHeader = s->FHeader;
    FWordwrap = s->FWordwrap;
    FAutoSize = s->FAutoSize;
}

TDropDownColumns::TDropDownColumns(TPersistent* AOwner)
    : TCollection([](TCollection* c) { return new TDropDownColumn(c); }), FOwner(AOwner)
{
}

TDropDownItem::TDropDownItem(TCollection* Collection)
    : TCollectionItem(Collection), FText(std::make_unique<TStringList>())
{
}

TDropDownItem::~TDropDownItem() = default;

void TDropDownItem::SetText(const TStrings* Value)
{
    FText->Assign(Value);
}

bool TDropDownItem::HasLine(Integer Column) const
{
    return Column >= 0 && Column < FText->Count();
}

QString TDropDownItem::Line(Integer Column) const
{
    return HasLine(Column) ? FText->Strings(Column) : QString();
}

void TDropDownItem::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TDropDownItem*>(Source);
    if (s == nullptr) {
        TCollectionItem::Assign(Source);
        return;
    }
    FImageIndex = s->FImageIndex;
    FText->Assign(s->FText.get());
}

TDropDownItems::TDropDownItems(TPersistent* AOwner)
    : TCollection([](TCollection* c) { return new TDropDownItem(c); }), FOwner(AOwner)
{
}

Integer TDropDownItems::IndexInColumn(Integer Column, const QString& Value) const
{
    for (Integer i = 0; i < Count(); ++i)
        if (Items(i)->HasLine(Column) && Items(i)->Line(Column) == Value)
            return i;
    return -1;
}

// ------------------------------------------------------------ the list grid

TExColGrid::TExColGrid(TComponent* AOwner)
    : TExListGrid<TStringGrid>(AOwner), FColumns(std::make_unique<TDropDownColumns>(this))
{
    SetFixedRows(1);
    SetFixedCols(0);
    SetOptions((DefaultGridOptions & ~(goRangeSelect | goDrawFocusSelected)) | goHorzLine | goRowSelect);
    SetDefaultDrawing(false);
    SetGridLineWidth(0);
    SetBorderStyle(bsNone);
}

TExColGrid::~TExColGrid() = default;

void TExColGrid::ApplyDropDown()
{
    TExMultiColumnDropDown* dd = FExDropDown;
    if (dd == nullptr)
        return;
    FColumns->Assign(dd->Columns());
    const Integer items = dd->Items()->Count();
    SetColCount(std::max<Integer>(FColumns->Count(), 1));
    SetRowCount(items + 1);
    if (RowCount() > 1) {
        SetFixedRows(1);
        SetRow(1);
        SetRowCount(items + 1);
    }
    for (Integer c = 0; c < FColumns->Count(); ++c)
        SetColWidths(c, FColumns->Items(c)->Width());
    TakeLook(dd);
    SetDefaultRowHeight(dd->DropDownRowHeight());
    SetRowHeights(0, FHeaderHeight);
    SetOptions(dd->ColumnSizing() ? Options() | goColSizing : Options() & ~goColSizing);
    AutoSizeItemColumns(this, FColumns.get(), dd->Columns(), dd->Items(), FImages);
    UpdateWordWrapHeights(this, FColumns.get(), dd->Items(), FImages);
}

namespace {
bool InPopup(const TStringGrid* Grid)
{
    return dynamic_cast<TDropDownForm*>(Grid->Parent()) != nullptr;
}

bool HasImagePart(const TDropDownColumn* Column, const TDropDownItem* Item, Integer Col, TCustomImageList* Images)
{
    return Column->ColumnType() == ctImage && Item->HasLine(Col) && Item->ImageIndex() >= 0 && Images != nullptr;
}
} // namespace

void AutoSizeItemColumns(TStringGrid* Grid, TCollection* Columns, TCollection* OwnerColumns, const TCollection* Items,
                         TCustomImageList* Images)
{
    if (!InPopup(Grid))
        return;
    TBitmap measure(1, 1);
    TCanvas* c = measure.Canvas();
    for (Integer col = 0; col < Columns->Count(); ++col) {
        auto* column = Columns->ItemsAs<TDropDownColumn>(col);
        if (!column->AutoSize())
            continue;
        c->Font()->Assign(column->Font());
        Integer widest = 0;
        for (Integer r = 1; r < Grid->RowCount() && r - 1 < Items->Count(); ++r) {
            const auto* item = Items->ItemsAs<TDropDownItem>(r - 1);
            Integer w = HasImagePart(column, item, col, Images) ? Images->Width() + 4 : 0;
            if (!item->Line(col).isEmpty()) {
                TRect t(0, 0, 1000, 500);
                DrawText(c, item->Line(col), t, DT_CALCRECT | DT_SINGLELINE);
                w += t.Width() + 6;
            }
            widest = std::max(widest, w);
        }
        if (col < OwnerColumns->Count())
            OwnerColumns->ItemsAs<TDropDownColumn>(col)->SetWidth(widest);
        column->SetWidth(widest);
        Grid->SetColWidths(col, widest);
    }
}

void UpdateWordWrapHeights(TStringGrid* Grid, const TCollection* Columns, const TCollection* Items,
                           TCustomImageList* Images)
{
    if (!InPopup(Grid))
        return;
    bool wrapping = false;
    for (Integer col = 0; col < Columns->Count(); ++col)
        wrapping = wrapping || Columns->ItemsAs<TDropDownColumn>(col)->Wordwrap();
    if (!wrapping)
        return;
    TBitmap measure(1, 1);
    TCanvas* c = measure.Canvas();
    for (Integer r = 1; r < Grid->RowCount() && r - 1 < Items->Count(); ++r) {
        const auto* item = Items->ItemsAs<TDropDownItem>(r - 1);
        Integer height = 24;
        for (Integer col = 0; col < Columns->Count(); ++col) {
            const auto* column = Columns->ItemsAs<TDropDownColumn>(col);
            if (!column->Wordwrap())
                continue;
            Integer part = HasImagePart(column, item, col, Images) ? Images->Height() + 6 : 0;
            if (!item->Line(col).isEmpty()) {
                c->Font()->Assign(column->Font());
                TRect t(0, 0, Grid->ColWidths(col), 500);
                DrawText(c, item->Line(col), t, DT_CALCRECT | DT_WORDBREAK);
                part = std::max(part, t.Bottom + 6);
            }
            height = std::max(height, part);
        }
        Grid->SetRowHeights(r, height);
    }
}

TRect TExColGrid::GetCellArea(Integer ACol, Integer ARow) const
{
    const TRect r = CellRect(ACol, ARow);
    return TRect(r.Left, r.Top, r.Left + ColWidths(ACol), r.Top + RowHeights(ARow));
}

void TExColGrid::DrawCell(Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState)
{
    TExMultiColumnDropDown* dd = FExDropDown;
    TCanvas* c = Canvas();
    if (dd != nullptr && dd->OnDropDownDrawItem) {
        dd->OnDropDownDrawItem(dd, ACol, ARow, c, ARect);
        return;
    }
    TRect r = GetCellArea(ACol, ARow);
    const Integer kind = ColCount() == 1 ? 0 : ACol == FixedCols() ? 1 : ACol == ColCount() - 1 ? 2 : 3;
    QString text = ARow >= 0 ? Cells(ACol, ARow) : QString();
    Integer imageIndex = -1;
    TColor background = Color();
    TAlignment alignment = taLeftJustify;
    bool wrap = false, ellipsis = false;
    const bool fixed = (AState & gdFixed) != 0 || ARow < FixedRows();
    const bool column = ACol < FColumns->Count() && ACol >= FixedCols();
    if (column) {
        const TDropDownColumn* col = FColumns->Items(ACol);
        background = col->Color();
        alignment = col->Alignment();
        wrap = col->Wordwrap();
        ellipsis = col->Ellipsis();
        c->Font()->Assign(col->Font());
        if (dd != nullptr && ARow >= 1 && ARow <= dd->Items()->Count()) {
            const TDropDownItem* item = dd->Items()->Items(ARow - 1);
            if (col->ColumnType() == ctImage)
                imageIndex = item->ImageIndex();
            if (item->HasLine(ACol))
                text = item->Line(ACol);
        }
    } else {
        c->Font()->Assign(FHeaderFont.get());
    }
    if (dd != nullptr && dd->OnDropDownGetItemText)
        dd->OnDropDownGetItemText(dd, ACol, ARow, text);
    const bool selected = !fixed && (AState & gdSelected) != 0;
    if (fixed) {
        if (column) {
            text = FColumns->Items(ACol)->Header();
            imageIndex = -1;
        }
        if (FHeaderColor == clNone || FHeaderColorTo == clNone) {
            c->Brush()->SetStyle(bsSolid);
            c->Brush()->SetColor(FHeaderColor);
            c->FillRect(r);
        } else if (dd != nullptr) {
            dd->DrawGradient(c, FHeaderColor, FHeaderColorTo, 80, r, gdVertical);
        } else {
            DrawDropDownGradient(c, FHeaderColor, FHeaderColorTo, 80, r, false);
        }
    } else if (selected) {
        if (dd != nullptr) {
            dd->DrawSelectionBackground(c, r, background, Byte(kind));
        } else {
            c->Brush()->SetStyle(bsSolid);
            c->Brush()->SetColor(clHighlight);
            c->FillRect(r);
        }
    } else {
        c->Pen()->SetColor(background);
        c->Pen()->SetWidth(1);
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(background);
        c->Rectangle(r);
    }
    // The lines this grid draws itself.
    Integer lc = 0;
    if (fixed) {
        c->Pen()->SetColor(FFixedLineColor);
        c->Pen()->SetWidth(1);
        lc = 1;
    } else {
        if (FGridLineWidth > 0)
            c->Pen()->SetColor(FLineColor);
        c->Pen()->SetWidth(std::max<Integer>(FGridLineWidth, 1));
        lc = (FGridLineWidth + 1) / 2;
    }
    c->Pen()->SetStyle(psSolid);
    const TGridOptions o = Options();
    if (FGridLineWidth > 0 || fixed) {
        if ((!fixed && (o & goHorzLine)) || (fixed && (o & goFixedHorzLine))) {
            c->MoveTo(r.Left - lc + 1, r.Bottom - lc);
            c->LineTo(r.Right - lc + 1, r.Bottom - lc);
        }
        if ((!fixed && (o & goVertLine)) || (fixed && (o & goFixedVertLine))) {
            c->MoveTo(r.Right - lc, r.Bottom - lc);
            c->LineTo(r.Right - lc, r.Top - lc);
        }
    }
    c->Pen()->SetWidth(1);
    InflateRect(r, -FGridLineWidth, -FGridLineWidth);
    TCustomImageList* images = dd != nullptr ? dd->Images() : nullptr;
    if (images != nullptr && imageIndex >= 0) {
        const Integer y = images->Height() < r.Height() ? r.Top + (r.Height() - images->Height()) / 2 : r.Top;
        images->Draw(c, r.Left + 2, y, imageIndex, true);
        r.Left += images->Width() + 4;
    } else {
        r.Left += 2;
    }
    if (text.isEmpty())
        return;
    c->Brush()->SetStyle(bsClear);
    if (selected && dd != nullptr)
        c->Font()->SetColor(dd->SelectionTextColor());
    else if (fixed)
        c->Font()->Assign(FHeaderFont.get());
    Cardinal flags = DT_VCENTER | DT_EXPANDTABS | DT_NOPREFIX;
    flags |= wrap ? (DT_WORDBREAK | DT_EDITCONTROL) : DT_SINGLELINE;
    if (alignment == taRightJustify)
        flags |= DT_RIGHT;
    else if (alignment == taCenter)
        flags |= DT_CENTER;
    if (ellipsis)
        flags |= DT_END_ELLIPSIS;
    DrawText(c, text, r, flags);
}

void TExColGrid::KeyDown(Word& Key, TShiftState Shift)
{
    if (ConfirmKey(Key, Shift, FExDropDown))
        return;
    const Word key = Key;
    TStringGrid::KeyDown(Key, Shift);
    if (key == VK_RETURN)
        DoSelect();
}

void TExColGrid::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TStringGrid::MouseUp(Button, Shift, X, Y);
    Integer col = -1, row = -1;
    MouseToCell(X, Y, col, row);
    if (row >= FixedRows() && row <= RowCount() - 1)
        DoSelect();
}

void TExColGrid::Dispatch(TMessage& Message)
{
    if (!ListMessage(Message))
        TStringGrid::Dispatch(Message);
}

// ------------------------------------------------------------ the dropdown

TExMultiColumnDropDown::TExMultiColumnDropDown(TComponent* AOwner)
    : TExLookupDropDown(AOwner), FItems(std::make_unique<TDropDownItems>(this)),
      FColumns(std::make_unique<TDropDownColumns>(this))
{
    // The base constructor made the popup before this class existed.
    if (!HasState(csDesigning))
        CreateDropDownForm();
}

TExMultiColumnDropDown::~TExMultiColumnDropDown() = default;

Integer TExMultiColumnDropDown::LookupItemCount() const
{
    return FItems->Count();
}

QString TExMultiColumnDropDown::LookupLine(Integer Index) const
{
    return FItems->Items(Index)->Line(LookupColumn());
}

TStringGrid* TExMultiColumnDropDown::ListGrid() const
{
    return FGrid;
}

Integer TExMultiColumnDropDown::GetItemIndex(const QString& Value) const
{
    // An item without a lookup line reads as an empty text.
    for (Integer i = 0; i < FItems->Count(); ++i)
        if (LookupLine(i) == Value)
            return i;
    return -1;
}

void TExMultiColumnDropDown::SetItemIndex(Integer Value)
{
    if (Value >= FItems->Count())
        return;
    FItemIndex = Value;
    SetText(Value < 0 || LookupColumn() < 0 ? QString() : LookupLine(Value));
}

void TExMultiColumnDropDown::Assign(const TPersistent* Source)
{
    TExCustomDropDown::Assign(Source);
    const auto* s = dynamic_cast<const TExMultiColumnDropDown*>(Source);
    if (s == nullptr)
        return;
    SetCaseSensitive(s->CaseSensitive());
    SetDropDownAutoWidth(s->DropDownAutoWidth());
    SetDropDownRowHeight(s->DropDownRowHeight());
    SetLineColor(s->LineColor());
    SetFixedLineColor(s->FixedLineColor());
    SetColumnSizing(s->ColumnSizing());
    SetColumnSizeWithDropDown(s->ColumnSizeWithDropDown());
    FColumns->Assign(s->Columns());
    SetHeaderColor(s->HeaderColor());
    SetHeaderColorTo(s->HeaderColorTo());
    SetHeaderHeight(s->HeaderHeight());
    SetHeaderFont(s->HeaderFont());
    SetLookupColumn(s->LookupColumn());
    SetSelectionTextColor(s->SelectionTextColor());
    FItems->Assign(s->Items());
    FItemIndex = s->ItemIndex();
}

void TExMultiColumnDropDown::CreateDropDownForm()
{
    TExCustomDropDown::CreateDropDownForm();
    PlaceListGrid(FGrid, this);
}

void TExMultiColumnDropDown::AttachDropDownControl()
{
    SetControl(FGrid);
    TExCustomDropDown::AttachDropDownControl();
}

void TExMultiColumnDropDown::DoBeforeDropDown()
{
    TExCustomDropDown::DoBeforeDropDown();
    DropDownForm()->SetCancelOnDeActivate(false);
    FShowing = true;
    if (FGrid != nullptr) {
        FGrid->ApplyDropDown();
        FGrid->SetOptions(FGrid->Options() | goThumbTracking);
        FGrid->SetColor(DropDownColor());
        FGrid->OnSelectCell = [this](TObject*, Integer ACol, Integer ARow, bool& CanSelect) {
            GridSelectCell(ACol, ARow, CanSelect);
        };
        FGrid->OnSelect = [this](TObject*) { GridSelect(); };
        const Integer row = std::max(FItemIndex + 1, FGrid->FixedRows());
        if (row < FGrid->RowCount())
            FGrid->SetRow(row);
    }
    FOldItemIndex = FItemIndex;
    FOpenText = GetText();
}

void TExMultiColumnDropDown::DoShowDropDown()
{
    TExCustomDropDown::DoShowDropDown();
    SizeColumnsToDropDown();
    if (FGrid != nullptr && FGrid->RowCount() > 1) {
        FGrid->SetRow(FItemIndex < 0 ? 1 : std::min(FItemIndex + 1, FGrid->RowCount() - 1));
        const TRect r = FGrid->GetCellArea(0, FGrid->Row());
        if (r.Left <= 0 && r.Top <= 0)
            FGrid->SetTopRow(std::max(FGrid->Row() - FGrid->VisibleRowCount() + 1, FGrid->FixedRows()));
    }
    FShowing = false;
}

void TExMultiColumnDropDown::DoHideDropDown(bool Cancel)
{
    if (DropDownForm() == nullptr || !DropDownForm()->Visible()) {
        TExCustomDropDown::DoHideDropDown(Cancel);
        return;
    }
    TExCustomDropDown::DoHideDropDown(Cancel);
    if (Cancel) {
        if (FOldItemIndex >= 0) {
            SetItemIndex(FOldItemIndex);
        } else {
            // Opened without an item: the text of the opening comes back
            // (a typed text is not lost) and no item is chosen.
            FItemIndex = FOldItemIndex;
            SetText(FOpenText);
        }
    } else if (FGrid != nullptr && FGrid->ConfirmSelection()) {
        SetItemIndex(FGrid->Row() - 1);
    }
    FOldItemIndex = FItemIndex;
}

void TExMultiColumnDropDown::GridSelectCell(Integer, Integer ARow, bool&)
{
    if (FGrid->MouseWheelSelection() || FShowing || FSearching)
        return;
    SetItemIndex(ARow - 1);
}

void TExMultiColumnDropDown::GridSelect()
{
    if (FGrid->ConfirmSelection())
        SetItemIndex(FGrid->Row() - 1);
    DoHideDropDown(false);
    if (OnSelect)
        OnSelect(this);
}

// ------------------------------------------------------------ keys

void TExMultiColumnDropDown::Dispatch(TMessage& Message)
{
    TExCustomDropDown::Dispatch(Message);
    if (Message.Msg != WM_KEYDOWN || !Enabled() || GetKeyState(VK_MENU) < 0)
        return;
    switch (Word(Message.WParam)) {
    case VK_PRIOR: SelectPreviousPage(); break;
    case VK_NEXT: SelectNextPage(); break;
    case VK_END:
        if (!EditorEnabled())
            SelectLast();
        break;
    case VK_HOME:
        if (!EditorEnabled())
            SelectFirst();
        break;
    case VK_UP: SelectPrevious(); break;
    case VK_DOWN: SelectNext(); break;
    default: break;
    }
}

bool TExMultiColumnDropDown::LookupText(const QString& Value, QString& Full, Integer& Index) const
{
    Full.clear();
    Index = -1;
    return FGrid != nullptr && LookupInItems(Value, Full, Index);
}

Integer TExMultiColumnDropDown::IncrementalLookup(QChar C)
{
    if (C == u'\b') {
        LookupBackspace();
        return -1;
    }
    if (C != u'\t')
        FLookupEntry += C;
    QString full;
    Integer index = -1;
    if (LookupText(FLookupEntry, full, index)) {
        FItemIndex = index;
        SetText(full);
        SetSelStart(Integer(Prefix().size() + FLookupEntry.size()));
        SetSelLength(Integer(full.size() - FLookupEntry.size()));
        return index;
    }
    // The entry leads nowhere: a new search with this character alone.
    if (LookupText(QString(C), full, index)) {
        FItemIndex = index;
        SetText(full);
        FLookupEntry = QString(C);
        return index;
    }
    FLookupEntry.clear();
    return -1;
}

void TExMultiColumnDropDown::ControlKeyPress(QChar& Key)
{
    if (FGrid == nullptr)
        return;
    const bool alt = GetKeyState(VK_MENU) < 0;
    if (((Key == u'\r' || Key == QChar(27)) && !alt) || (FGrid->Options() & goEditing)) {
        FLookupEntry.clear();
        return;
    }
    const Integer r = IncrementalLookup(Key);
    if (r == -1) {
        FLookupEntry.clear();
        return;
    }
    const Integer row = r + FGrid->FixedRows();
    if (row > FGrid->TopRow() + FGrid->VisibleRowCount() || row < FGrid->TopRow())
        FGrid->SetTopRow(row);
    // The row follows the search, which chose the item and selected the
    // rest of its text already.
    FSearching = true;
    FGrid->SetRow(row);
    FGrid->SetCol(0);
    FSearching = false;
}

} // namespace ExMultiColumnDropDown
