// The grid dropdown: its column and item collections, the list grid of its
// popup and the dropdown itself.
#include "grid/dropdown/ExGridDropDown.h"

#include <cstdint>

#include "grid/ExObj.h"
#include "platform/Graphics.h"
#include "platform/StringList.h"
#include "platform/Text.h"

namespace ExGridDropDown {

namespace {
// A list row keeps the item it shows in the object of its first cell.
TObject* IndexObject(Integer Index)
{
    return reinterpret_cast<TObject*>(static_cast<std::intptr_t>(Index));
}

Integer ObjectIndex(const TObject* Object)
{
    return Integer(reinterpret_cast<std::intptr_t>(Object));
}
} // namespace

// ------------------------------------------------------------ collections

TDropDownColumns::TDropDownColumns(TPersistent* AOwner)
    : TCollection([](TCollection* c) { return new TDropDownColumn(c); }), FOwner(AOwner)
{
}

TDropDownItems::TDropDownItems(TPersistent* AOwner)
    : TCollection([](TCollection* c) { return static_cast<TDropDownItems*>(c)->GetItemClass(c); }), FOwner(AOwner)
{
}

// ------------------------------------------------------------ the list grid

TExColGrid::TExColGrid(TComponent* AOwner)
    : TExListGrid<TExStringGrid>(AOwner), FColumns(std::make_unique<TDropDownColumns>(this))
{
    SetFixedRowAlways(true);
    SetFixedRowsEx(1);
    SetFixedCols(0);
    SetOptions((Options() & ~goRangeSelect) | goHorzLine | goRowSelect);
    SetBorderStyle(bsNone);
    SetLineWidth(1);
}

TExColGrid::~TExColGrid() = default;

void TExColGrid::SetLineWidth(Integer Value)
{
    FLineWidth = Value;
    SetGridLineWidth(0);
}

void TExColGrid::ApplyDropDown()
{
    TCustomExGridDropDown* dd = FExDropDown;
    if (dd == nullptr)
        return;
    FColumns->Assign(dd->Columns());
    if (ColCount() < FColumns->Count())
        SetColCount(FColumns->Count());
    if (dd->UseItems())
        SetRowCount(dd->Items()->Count() + 1);
    for (Integer c = 0; c < FColumns->Count(); ++c)
        SetColWidths(c, FColumns->Items(c)->Width());
    TakeLook(dd);
    SetHoverRow(dd->HoverRow());
    SetHoverRowColor(dd->HoverRowColor());
    SetHoverRowColorTo(dd->HoverRowColorTo());
    SetDefaultRowHeightEx(dd->DropDownRowHeight());
    SetRowHeights(0, FHeaderHeight);
    TGridOptions o = Options() & ~(goColSizing | goColMoving | goRowSizing | goRowMoving);
    if (dd->ColumnSizing())
        o |= goColSizing;
    if (dd->ColumnMoving())
        o |= goColMoving;
    if (dd->RowSizing())
        o |= goRowSizing;
    if (dd->RowMoving())
        o |= goRowMoving;
    SetOptions(o);
    // Measured from the items; a grid filled by the caller keeps its widths.
    if (dd->AutoSizeColumns() && dd->UseItems())
        ExMultiColumnDropDown::AutoSizeItemColumns(this, FColumns.get(), dd->Columns(), dd->Items(), FImages);
    ExMultiColumnDropDown::UpdateWordWrapHeights(this, FColumns.get(), dd->Items(), FImages);
}

void TExColGrid::LoadItems()
{
    TCustomExGridDropDown* dd = FExDropDown;
    if (dd == nullptr)
        return;
    const Integer cols = std::max<Integer>(FColumns->Count(), 1);
    if (ColCount() != cols)
        SetColCount(cols);
    for (Integer c = 0; c < FColumns->Count(); ++c) {
        SetCells(c, 0, FColumns->Items(c)->Header());
        SetObjectEx(c, 0, IndexObject(-1));
    }
    TDropDownItems* items = dd->Items();
    if (items->Count() > 0)
        SetRowCount(FixedRows() + items->Count());
    for (Integer i = 0; i < items->Count(); ++i) {
        const TDropDownItem* item = items->Items(i);
        for (Integer c = 0; c < ColCount(); ++c)
            SetCells(c, i + 1, item->Line(c));
        SetObjectEx(0, i + 1, IndexObject(i));
    }
}

void TExColGrid::KeyDown(Word& Key, TShiftState Shift)
{
    if (ConfirmKey(Key, Shift, FExDropDown))
        return;
    if (Key == VK_RETURN) {
        // The grid itself does nothing with it: Enter chooses the row.
        Key = 0;
        TExStringGrid::KeyDown(Key, Shift);
        DoSelect();
        return;
    }
    TExStringGrid::KeyDown(Key, Shift);
}

void TExColGrid::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TExStringGrid::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft)
        return;
    Integer col = -1, row = -1;
    MouseToCell(X, Y, col, row);
    // A click on a check box toggles it and leaves the choice alone.
    if (col >= 0 && row >= 0 && HasCheckBox(col, row))
        return;
    if (row >= FixedRows() && row <= RowCount() - 1)
        DoSelect();
}

void TExColGrid::WndProc(TMessage& Message)
{
    // Enter is the choice, not a character for the grid.
    if (ListMessage(Message) || (Message.Msg == WM_CHAR && Message.WParam == VK_RETURN))
        return;
    TExStringGrid::WndProc(Message);
}

// ------------------------------------------------------------ the dropdown

TCustomExGridDropDown::TCustomExGridDropDown(TComponent* AOwner)
    : TExLookupDropDown(AOwner), FBands(std::make_unique<TBands>()), FColumns(std::make_unique<TDropDownColumns>(this)),
      FMouseActions(std::make_unique<TMouseActions>(this)), FNavigation(std::make_unique<TNavigation>()),
      FSearchFooter(std::make_unique<TSearchFooter>(this, false))
{
    FItems.reset(CreateItems(this));
    // The base constructor made the popup before this class existed.
    if (!HasState(csDesigning))
        CreateDropDownForm();
    FNavigation->SetHomeEndKey(heFirstLastRow);
}

TCustomExGridDropDown::~TCustomExGridDropDown() = default;

Integer TCustomExGridDropDown::GetVersionNr() const
{
    return 0x06000101;  // 6.0.1.1
}

void TCustomExGridDropDown::SetStyle(TDropDownStyle Value)
{
    FStyle = Value;
    SetEditorEnabled(Value == dsDropDown);
}

void TCustomExGridDropDown::SetGridImages(TCustomImageList* Value)
{
    FGridImages = Value;
    if (FGrid != nullptr)
        FGrid->SetGridImages(Value);
}

void TCustomExGridDropDown::Notification(TComponent* AComponent, TOperation Operation)
{
    TExLookupDropDown::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == reinterpret_cast<TComponent*>(FGridImages))
        SetGridImages(nullptr);
}

Integer TCustomExGridDropDown::LookupItemCount() const
{
    return FItems->Count();
}

QString TCustomExGridDropDown::LookupLine(Integer Index) const
{
    return FItems->Items(Index)->Line(LookupColumn());
}

Integer TCustomExGridDropDown::GetItemCount() const
{
    if (FUseItems)
        return FItems->Count();
    return FGrid != nullptr ? FGrid->RowCount() - FGrid->FixedRows() : 0;
}

TStringGrid* TCustomExGridDropDown::ListGrid() const
{
    return FGrid;
}

bool TCustomExGridDropDown::KeptInList(Word Key, TShiftState Shift) const
{
    return Key >= VK_PRIOR && Key <= VK_DOWN && Key != VK_LEFT && Key != VK_RIGHT && !Shift.Contains(ssAlt);
}

QString TCustomExGridDropDown::GridLookupCell(Integer Row) const
{
    if (FGrid == nullptr || LookupColumn() < 0 || LookupColumn() >= FGrid->ColCount() || Row < 0 ||
        Row >= FGrid->RowCount())
        return QString();
    return FGrid->Cells(LookupColumn(), Row);
}

void TCustomExGridDropDown::Loaded()
{
    TExLookupDropDown::Loaded();
    if (FGrid != nullptr)
        FGrid->LoadItems();
}

void TCustomExGridDropDown::SetItemIndex(Integer Value)
{
    if (FUseItems) {
        if (Value >= FItems->Count())
            return;
        FItemIndex = Value;
        SetText(Value < 0 || LookupColumn() < 0 ? QString() : LookupLine(Value));
        return;
    }
    if (FGrid == nullptr) {
        FItemIndex = Value;
        return;
    }
    if (Value == FItemIndex || Value >= FGrid->RowCount())
        return;
    FItemIndex = Value;
    // A row index past the grid's last row shows no text.
    SetText(Value < 0 ? QString() : GridLookupCell(Value + 1));
}

Integer TCustomExGridDropDown::ItemOfRow(Integer Row) const
{
    if (FGrid != nullptr && Row >= 0 && Row < FGrid->RowCount())
        return ObjectIndex(FGrid->GetObjectEx(0, Row));
    return Row;
}

Integer TCustomExGridDropDown::RowOfItem(Integer Index) const
{
    if (Index < 0 || FGrid == nullptr)
        return FItemIndex;
    for (Integer r = FGrid->FixedRows(); r < FGrid->RowCount(); ++r)
        if (ObjectIndex(FGrid->GetObjectEx(0, r)) == Index)
            return r;
    return FItemIndex;
}

bool TCustomExGridDropDown::LookupText(const QString& Value, QString& Full, Integer& Row) const
{
    Row = -1;
    Full.clear();
    if (FUseItems)
        return LookupInItems(Value, Full, Row);
    if (FGrid == nullptr)
        return false;
    const QString v = CaseSensitive() ? Value : AnsiUpperCase(Value);
    for (Integer r = FGrid->FixedRows(); r < FGrid->RowCount(); ++r) {
        const QString cell = GridLookupCell(r);
        if ((CaseSensitive() ? cell : AnsiUpperCase(cell)).startsWith(v)) {
            Full = cell;
            Row = r;
            return true;
        }
    }
    return false;
}

// ------------------------------------------------------------ the popup

void TCustomExGridDropDown::CreateDropDownForm()
{
    TExCustomDropDown::CreateDropDownForm();
    PlaceListGrid(FGrid, this);
    FGrid->Navigation()->SetHomeEndKey(heFirstLastRow);
}

void TCustomExGridDropDown::AttachDropDownControl()
{
    SetControl(FGrid);
    TExCustomDropDown::AttachDropDownControl();
}

template <class F>
void TCustomExGridDropDown::Blocking(F&& Handler)
{
    DropDownForm()->SetBlockActivate(true);
    Handler();
    DropDownForm()->SetBlockActivate(false);
}

void TCustomExGridDropDown::BindGridEvents()
{
    TExColGrid* g = FGrid;
    // Passes an event on unchanged when the dropdown's handler is assigned.
#define PASS(GridEvent, OwnEvent)                                                                                      \
    g->GridEvent = [this](auto&&... a) {                                                                               \
        if (OwnEvent)                                                                                                  \
            OwnEvent(std::forward<decltype(a)>(a)...);                                                                 \
    }
    g->OnAnchorClick = [this](TObject* S, Integer R, Integer C, const QString& Anchor, bool& AutoHandle) {
        Blocking([&] {
            if (OnGridAnchorClick)
                OnGridAnchorClick(S, R, C, Anchor, AutoHandle);
        });
    };
    PASS(OnAnchorEnter, OnGridAnchorEnter);
    PASS(OnAnchorExit, OnGridAnchorExit);
    PASS(OnAnchorHint, OnGridAnchorHint);
    PASS(OnColumnSize, OnGridColumnSize);
    PASS(OnColumnSizing, OnGridColumnSizing);
    PASS(OnRowSize, OnGridRowSize);
    PASS(OnRowSizing, OnGridRowSizing);
    PASS(OnRowMove, OnGridRowMove);
    PASS(OnColumnMove, OnGridColumnMove);
    g->OnButtonClick = [this](TObject* S, Integer C, Integer R) {
        Blocking([&] {
            if (OnGridButtonClick)
                OnGridButtonClick(S, C, R);
        });
    };
    g->OnEllipsClick = [this](TObject* S, Integer C, Integer R, QString& Text) {
        Blocking([&] {
            if (OnGridEllipsClick)
                OnGridEllipsClick(S, C, R, Text);
        });
    };
    PASS(OnEndColumnSize, OnGridEndColumnSize);
    PASS(OnEndRowSize, OnGridEndRowSize);
    PASS(OnRowMoved, OnGridRowMoved);
    PASS(OnColumnMoved, OnGridColumnMoved);
    g->OnCustomCellDraw = nullptr;
    if (OnGridCustomCellDraw)
        PASS(OnCustomCellDraw, OnGridCustomCellDraw);
    g->OnCustomCellBkgDraw = nullptr;
    if (OnGridCustomCellBkgDraw)
        PASS(OnCustomCellBkgDraw, OnGridCustomCellBkgDraw);
    g->OnGetAlignment = [this](TObject* S, Integer R, Integer C, TAlignment& H, TVAlignment& V) {
        if (C < FColumns->Count())
            H = FColumns->Items(C)->Alignment();
        if (OnGridGetAlignment)
            OnGridGetAlignment(S, R, C, H, V);
    };
    g->OnGetCellColor = [this](TObject* S, Integer R, Integer C, TGridDrawState St, TBrush* B, TFont* F) {
        if (C < FColumns->Count())
            B->SetColor(FColumns->Items(C)->Color());
        if (OnGridGetCellColor)
            OnGridGetCellColor(S, R, C, St, B, F);
    };
    PASS(OnGetCellGradient, OnGridGetCellGradient);
    g->OnGetFloatFormat = [this](TObject* S, Integer C, Integer R, bool& IsFloat, QString& Format) {
        Format.clear();
        if (OnGridGetFloatFormat)
            OnGridGetFloatFormat(S, C, R, IsFloat, Format);
    };
    PASS(OnGetEditorType, OnGridGetEditorType);
    PASS(OnGetEditorPropInt, OnGridGetEditorProp);
    PASS(OnCanEditCell, OnGridCanEditCell);
    PASS(OnGetDisplText, OnGridGetDiplText);
    PASS(OnGetFormat, OnGridGetFormat);
    PASS(OnGridHint, OnGridHint);
    g->OnMouseMove = [this](TObject* S, TShiftState Shift, Integer X, Integer Y) {
        // The balloons of the list start anew once per opening.
        if (!FBalloonInit && FGrid->Balloon()->Enable()) {
            FGrid->Balloon()->SetEnable(false);
            FGrid->Balloon()->SetEnable(true);
        }
        FBalloonInit = true;
        if (OnGridMouseMove)
            OnGridMouseMove(S, Shift, X, Y);
    };
    PASS(OnMouseDown, OnGridMouseDown);
    PASS(OnMouseUp, OnGridMouseUp);
    PASS(OnRightClickCell, OnGridRightClickCell);
    PASS(OnScrollHint, OnGridScrollHint);
    g->OnTopLeftChanged = [this](TObject*) {
        if (OnGridTopLeftChanged)
            OnGridTopLeftChanged(this);
    };
    PASS(OnAutoAddRow, OnGridAutoAddRow);
    PASS(OnAutoInsertRow, OnGridInsertRow);
    PASS(OnAutoInsertCol, OnGridInsertCol);
    PASS(OnAutoDeleteRow, OnGridDeleteRow);
    PASS(OnCanAddRow, OnGridCanAddRow);
    PASS(OnCanInsertRow, OnGridCanInsertRow);
    PASS(OnCanDeleteRow, OnGridCanDeleteRow);
    PASS(OnCheckBoxClick, OnGridCheckBoxClick);
#undef PASS
}

void TCustomExGridDropDown::DoBeforeDropDown()
{
    DropDownForm()->SetCancelOnDeActivate(false);
    TExColGrid* g = FGrid;
    if (g != nullptr) {
        g->ApplyDropDown();
        g->SetColor(DropDownColor());
        TSortSettings* sort = g->SortSettings();
        sort->Show = FSorting != gsNone;
        sort->IndexShow = FSorting == gsMultiColumn;
        FBalloonInit = false;
        g->OnSelectCell = nullptr;
        g->OnSelect = [this](TObject*) { GridSelect(); };
        BindGridEvents();
        g->SearchFooter()->Assign(FSearchFooter.get());
        g->MouseActions()->Assign(FMouseActions.get());
        g->Navigation()->Assign(FNavigation.get());
        g->Bands()->Assign(FBands.get());
        TGridOptions o = g->Options() | goThumbTracking;
        o = FRowSelect ? o | goRowSelect : o & ~goRowSelect;
        o = FGridEditable ? o | goEditing : o & ~goEditing;
        g->SetOptions(o);
        g->SetGridImages(FGridImages);
        // A click sort keeps the chosen item selected in its new row.
        g->OnCanSort = [this](TObject* S, Integer ACol, bool& DoSort) {
            FTempItemIndex = FItemIndex;
            if (OnGridCanSort)
                OnGridCanSort(S, ACol, DoSort);
        };
        g->OnClickSort = [this](TObject* S, Integer ACol) {
            if (const Integer r = RowOfItem(FTempItemIndex); IsDataRow(r))
                FGrid->SetRow(r);
            if (OnGridClickSort)
                OnGridClickSort(S, ACol);
        };
        g->OnSelectCell = [this](TObject*, Integer, Integer ARow, bool&) { GridSelectCell(ARow); };
        g->SetComponentStyle(GetComponentStyle());
        if (FUseItems) {
            // The handler may still change the items.
            TExCustomDropDown::DoBeforeDropDown();
            g->SetRowCount(FItems->Count() + 1);
            g->SetFixedRowsEx(1);
            g->LoadItems();
        }
        // The list opens in the order the user last sorted it by; the
        // chosen row is looked for in that order.
        if (sort->Column >= 0 && sort->Show)
            g->QSort();
        if (FUseItems) {
            if (const Integer r = RowOfItem(FItemIndex); IsDataRow(r))
                g->SetRow(r);
        } else {
            QString full;
            Integer row = -1;
            if (LookupText(GetText(), full, row))
                g->SetRow(row);
            else if (g->RowCount() > g->FixedRows())
                g->SetRow(g->FixedRows());
        }
    }
    FOldItemIndex = FItemIndex;
    FOpenText = GetText();
    if (!FUseItems || g == nullptr)
        TExCustomDropDown::DoBeforeDropDown();
}

void TCustomExGridDropDown::DoShowDropDown()
{
    TExCustomDropDown::DoShowDropDown();
    TExColGrid* g = FGrid;
    if (g == nullptr)
        return;
    if (!FUseItems)
        while (FColumns->Count() < g->ColCount())
            FColumns->Add();
    if (DroppedDown())
        SizeColumnsToDropDown();
    if (g->VisibleRowCount() + g->FixedRows() < g->RowCount() &&
        (g->VisibleRowCount() + g->TopRow() < g->Row() || g->Row() < g->TopRow()))
        g->SetTopRow(g->Row());
    // Enter on the row the list opened at chooses that row.
    FSelRow = g->Row();
    g->SetTabStop(true);
    if (DroppedDown() && g->CanFocus())
        g->SetFocus();
}

void TCustomExGridDropDown::DoHideDropDown(bool Cancel)
{
    TExColGrid* g = FGrid;
    if (DropDownForm() != nullptr && DropDownForm()->Visible() && g != nullptr) {
        if (Cancel) {
            if (FOldItemIndex >= 0 || !FUseItems) {
                SetItemIndex(FOldItemIndex);
            } else {
                // Opened without an item: the text of the opening comes back.
                FItemIndex = FOldItemIndex;
                SetText(FOpenText);
            }
        } else if (g->ConfirmSelection() && IsDataRow(FSelRow)) {
            SetItemIndex(FUseItems ? ItemOfRow(FSelRow) : FSelRow - g->FixedRows());
        }
        FOldItemIndex = FItemIndex;
        g->SetConfirmSelection(false);
    }
    TExCustomDropDown::DoHideDropDown(Cancel);
}

bool TCustomExGridDropDown::IsDataRow(Integer Row) const
{
    return FGrid != nullptr && Row >= FGrid->FixedRows() && Row < FGrid->RowCount();
}

void TCustomExGridDropDown::GridSelectCell(Integer ARow)
{
    FSelRow = ARow;
    if (FGrid->MouseWheelSelection() || FSearching)
        return;
    if (FUseItems) {
        SetItemIndex(ItemOfRow(ARow));
    } else {
        SetText(GridLookupCell(ARow));
        SetItemIndex(ARow - FGrid->FixedRows());
    }
}

void TCustomExGridDropDown::GridSelect()
{
    TExColGrid* g = FGrid;
    // A list narrowed down to no row chooses nothing.
    if (g->ConfirmSelection() && IsDataRow(g->Row())) {
        FSelRow = g->Row();
        SetItemIndex(FUseItems ? ItemOfRow(g->Row()) : g->Row() - 1);
    }
    if (!FGridEditable)
        DoHideDropDown(false);
    if (OnSelect)
        OnSelect(this);
}

// ------------------------------------------------------------ search

Integer TCustomExGridDropDown::IncrementalLookup(QChar C)
{
    if (FLookupMethod == lmNone)
        return -1;
    if (C == u'\b') {
        LookupBackspace();
        return -1;
    }
    if (C != u'\t')
        FLookupEntry += C;
    const QString key = FLookupEntry.trimmed();
    TExColGrid* g = FGrid;
    auto selectTail = [this](const QString& Full) {
        SetSelStart(Integer(Prefix().size() + FLookupEntry.size()));
        SetSelLength(Integer(Full.size() - FLookupEntry.size()));
    };
    if (FLookupMethod == lmNarrowDown) {
        if (g == nullptr)
            return -1;
        if (key.isEmpty()) {
            g->RemoveAllFilters();
        } else {
            g->SetFixedRowAlways(true);
            g->NarrowDown(key, LookupColumn());
            if (FStyle == dsDropDown && g->RowCount() > g->FixedRows()) {
                const QString full = GridLookupCell(g->FixedRows());
                SetText(full);
                selectTail(full);
            }
        }
        return g->FixedRows();
    }
    QString full;
    Integer found = -1;
    if (LookupText(key, full, found)) {
        FItemIndex = FUseItems ? found : found - (g != nullptr ? g->FixedRows() : 0);
        SetText(full);
        if (FStyle == dsDropDown)
            selectTail(full);
        return found;
    }
    if (FStyle == dsDropDown)
        return -1;
    // A list not typed into starts a new search with this character alone.
    if (LookupText(QString(C), full, found)) {
        FItemIndex = FUseItems ? found : found - (g != nullptr ? g->FixedRows() : 0);
        SetText(full);
        FLookupEntry = QString(C);
        return found;
    }
    FLookupEntry.clear();
    return -1;
}

// ------------------------------------------------------------ keys

void TCustomExGridDropDown::KeyDown(Word& Key, TShiftState Shift)
{
    TExColGrid* g = FGrid;
    if (g != nullptr && (g->Options() & goEditing) && g->InEditMode() && Key == VK_RETURN && !Shift.Contains(ssShift)) {
        // Enter in an edited list cell takes that row's lookup cell.
        g->HideInplaceEdit();
        SetText(GridLookupCell(g->Row()));
        SetItemIndex(g->Row() - g->FixedRows());
        Key = 0;
        return;
    }
    if (Key == VK_ESCAPE || (Key >= VK_PRIOR && Key <= VK_DOWN))
        FLookupEntry.clear();
    TExLookupDropDown::KeyDown(Key, Shift);
}

void TCustomExGridDropDown::KeyUp(Word& Key, TShiftState Shift)
{
    if (!(Key == VK_RETURN && ReturnIsTab()))
        TExCustomDropDown::KeyUp(Key, Shift);
    TExColGrid* g = FGrid;
    if (g != nullptr && (g->Options() & goEditing) && g->InEditMode() && Key == VK_RETURN && !Shift.Contains(ssShift)) {
        if (g->Col() == LookupColumn())
            HideDropDown(false);
        else
            g->HideInplaceEdit();
    }
    FinishCompletion();
}

void TCustomExGridDropDown::Dispatch(TMessage& Message)
{
    if (Message.Msg == WM_CHAR) {
        TExLookupDropDown::Dispatch(Message);
        IncrementalLookup(QChar(char16_t(Message.WParam)));
        if (FAutoShowDropDown)
            ShowDropDown();
        return;
    }
    if (Message.Msg != WM_KEYDOWN) {
        TExLookupDropDown::Dispatch(Message);
        return;
    }
    const Word key = Word(Message.WParam);
    if (key == VK_RETURN && FGrid != nullptr)
        FGrid->SetConfirmSelection(true);
    TExLookupDropDown::Dispatch(Message);
    if (!Enabled() || GetKeyState(VK_MENU) < 0)
        return;
    if (KeptInList(key, {}))
        FLookupEntry.clear();
    switch (key) {
    case VK_PRIOR: SelectPreviousPage(); break;
    case VK_NEXT: SelectNextPage(); break;
    case VK_UP: SelectPrevious(); break;
    case VK_DOWN: SelectNext(); break;
    case VK_END:
    case VK_HOME:
        if (FStyle == dsDropDownList && GetKeyState(VK_SHIFT) >= 0)
            key == VK_END ? SelectLast() : SelectFirst();
        break;
    default: break;
    }
}

void TCustomExGridDropDown::DoEnter()
{
    TExLookupDropDown::DoEnter();
    if (FGrid != nullptr)
        FGrid->RemoveAllFilters();
    FLookupEntry.clear();
}

void TCustomExGridDropDown::ControlKeyDown(Word& Key, TShiftState Shift)
{
    TExLookupDropDown::ControlKeyDown(Key, Shift);
    if (OnGridKeyDown)
        OnGridKeyDown(this, Key, Shift);
}

void TCustomExGridDropDown::ControlKeyUp(Word& Key, TShiftState Shift)
{
    if (KeptInList(Key, Shift))
        FLookupEntry.clear();
    else
        TExCustomDropDown::ControlKeyUp(Key, Shift);
    if (OnGridKeyUp)
        OnGridKeyUp(this, Key, Shift);
}

void TCustomExGridDropDown::ControlKeyPress(QChar& Key)
{
    TExColGrid* g = FGrid;
    const bool alt = GetKeyState(VK_MENU) < 0;
    if (g == nullptr || ((Key == u'\r' || Key == QChar(27)) && !alt) || (g->Options() & goEditing)) {
        FLookupEntry.clear();
    } else {
        Integer r = IncrementalLookup(Key);
        if (r >= 0 && FUseItems && FLookupMethod == lmLookup)
            r += g->FixedRows();
        if (r < g->FixedRows() || r > g->RowCount() - 1) {
            // Backspace keeps the shortened entry for the next character.
            if (Key != u'\b')
                FLookupEntry.clear();
        } else {
            if (g->VisibleRowCount() + g->FixedRows() < g->RowCount())
                g->SetTopRow(r);
            // The row follows the search, which set the text already.
            FSearching = true;
            g->SetRow(r);
            g->SetCol(0);
            FSearching = false;
            g->RepaintRow(r);
        }
    }
    if (OnGridKeyPress)
        OnGridKeyPress(this, Key);
}

} // namespace ExGridDropDown
