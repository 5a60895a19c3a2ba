// TExColumnGrid: one column item per real column kept in step with the
// grid (count, headers, moves, widths), and the per-cell questions answered
// from the column before the string grid's own rules and events.

#include "grid/columns/ExColumnGrid.h"

#include "grid/ExGridCellGraphic.h"
#include "grid/ExGridEditors.h"
#include "grid/ExUtil.h"
#include "platform/Graphics.h"
#include "platform/Locale.h"
#include "platform/Menus.h"
#include "platform/StringList.h"
#include "platform/Text.h"

namespace {

// An integer or a plain decimal number (no exponent), as a cell holds it.
bool IsPlainNumber(const QString& Text)
{
    const QString t = Text.trimmed();
    if (t.isEmpty())
        return false;
    const QChar sep = FormatSettings().DecimalSeparator;
    Integer i = 0;
    if (t[0] == u'-' || t[0] == u'+')
        ++i;
    bool digits = false, point = false;
    for (; i < Integer(t.size()); ++i) {
        const QChar ch = t[i];
        if (ch.isDigit())
            digits = true;
        else if (ch == sep && !point)
            point = true;
        else
            return false;
    }
    return digits;
}

// "Display=condition": the part shown and the condition (the whole entry
// when it has no "=").
void SplitEntry(const QString& Entry, QString& Display, QString& Condition)
{
    const qsizetype eq = Entry.indexOf(u'=');
    Display = eq < 0 ? Entry : Entry.left(eq);
    Condition = eq < 0 ? Entry : Entry.mid(eq + 1);
}

} // namespace

TExColumnGrid::TExColumnGrid(TComponent* AOwner) : TExStringGrid(AOwner)
{
    FColumnCollection = CreateColumns();
    FSaveCol = std::make_unique<TGridColumnItem>(nullptr);
    FCellGraphic = std::make_unique<TCellGraphic>();
    WithoutUpdates([this] { SyncColumnCount(); });
}

TExColumnGrid::~TExColumnGrid()
{
    TComponent::Destroying();
    FColumnCollection.reset();
    FCellGraphic.reset();
    FSaveCol.reset();
}

std::unique_ptr<TGridColumnCollection> TExColumnGrid::CreateColumns()
{
    return std::make_unique<TGridColumnCollection>(this);
}

void TExColumnGrid::WithoutUpdates(const std::function<void()>& Fn)
{
    const bool old = FColumnCollection->FNoRecursiveUpdate;
    FColumnCollection->FNoRecursiveUpdate = true;
    try {
        Fn();
    } catch (...) {
        FColumnCollection->FNoRecursiveUpdate = old;
        throw;
    }
    FColumnCollection->FNoRecursiveUpdate = old;
}

TGridColumnItem* TExColumnGrid::ItemAt(Integer ACol) const
{
    if (!FColumnCollection || ACol < 0 || ACol >= FColumnCollection->Count())
        return nullptr;
    return FColumnCollection->Items(ACol);
}

bool TExColumnGrid::IsNonFixedZone(Integer ACol, Integer ARow) const
{
    return ItemAt(ACol) != nullptr && ACol >= FixedCols() && ARow >= FixedRows();
}

bool TExColumnGrid::IsNormalZone(Integer ACol, Integer ARow) const
{
    return IsNonFixedZone(ACol, ARow) && ACol < ColCount() + NumHiddenColumns() - FixedRightCols()
           && ARow < RowCount() - FixedFooters();
}

void TExColumnGrid::SetColumns(const TGridColumnCollection* Value)
{
    FColumnCollection->Assign(Value);
}

// ------------------------------------------------------- count and headers

void TExColumnGrid::SetColCount(Integer Value)
{
    TExStringGrid::SetColCount(Value);
    if (FColumnCollection)
        WithoutUpdates([this] { SyncColumnCount(); });
}

void TExColumnGrid::SyncColumnCount()
{
    const Integer target = ColCount() + NumHiddenColumns();
    while (FColumnCollection->Count() < target)
        FColumnCollection->Add();
    while (FColumnCollection->Count() > target)
        FColumnCollection->Delete(FColumnCollection->Count() - 1);
    if (IsDesigning())
        for (Integer i = 0; i < ColCount(); ++i)
            SetCells(i, FixedRows(), QStringLiteral("Column %1").arg(i));
}

void TExColumnGrid::SyncColumnHeaders()
{
    if (FixedRows() == 0)
        return;
    for (Integer i = 0; i < FColumnCollection->Count(); ++i) {
        TGridColumnItem* item = FColumnCollection->Items(i);
        if (item->Header().isEmpty() && !Cells(i, 0).isEmpty())
            item->StoreHeader(Cells(i, 0));
    }
    PutColumnHeaders(FColumnCollection.get());
}

void TExColumnGrid::PutColumnHeaders(const TCollection* Items)
{
    auto header = [Items](Integer i) { return static_cast<const TGridColumnItem*>(Items->Items(i))->Header(); };
    TStringList* headers = ColumnHeaders();
    const Integer n = Items->Count();
    ++FHeaderPuts;
    if (headers->Count() == n && Items == FColumnCollection.get()) {
        // The list has an entry per column already: only the entries (or
        // header cells) that differ are written, not every header again.
        for (Integer i = 0; i < n; ++i) {
            const QString h = header(i);
            if (headers->Strings(i) != h
                || (FixedRows() > 0 && i < TotalColCount() && Cells(i, 0) != BackslashNToCR(h)))
                PutColumnHeader(i, h);
        }
        return;
    }
    bool shown = headers->Count() == n;
    for (Integer i = 0; shown && i < n; ++i)
        shown = headers->Strings(i) == header(i);
    if (FixedRows() > 0)
        for (Integer i = 0; shown && i < n && i < TotalColCount(); ++i)
            shown = Cells(i, 0) == BackslashNToCR(headers->Strings(i));
    if (shown)
        return;
    headers->BeginUpdate();
    headers->Clear();
    for (Integer i = 0; i < n; ++i)
        headers->Add(header(i));
    headers->EndUpdate();
}

void TExColumnGrid::ColumnHeadersChanging()
{
    if (!FColumnCollection)
        return;
    const TStringList* headers = ColumnHeaders();
    const Integer n = std::min(FColumnCollection->Count(), headers->Count());
    for (Integer i = 0; i < n; ++i)
        FColumnCollection->Items(i)->StoreHeader(headers->Strings(i));
}

void TExColumnGrid::RecalcFooters()
{
    TExStringGrid::RecalcFooters();
    if (FColumnCollection)
        WithoutUpdates([this] { SyncColumnCount(); });
}

void TExColumnGrid::Loaded()
{
    TExStringGrid::Loaded();
    WithoutUpdates([this] { SyncColumnCount(); });
    FColumnCollection->SetOrganization();
}

TGridColumnItem* TExColumnGrid::GetColumnByName(const QString& AValue) const
{
    for (Integer i = 0; i < FColumnCollection->Count(); ++i)
        if (FColumnCollection->Items(i)->Name() == AValue)
            return FColumnCollection->Items(i);
    return nullptr;
}

QString TExColumnGrid::GetVersionString() const
{
    const Cardinal v = GetVersionNr();
    return QStringLiteral("%1.%2.%3.%4 Aug, 2012")
        .arg((v >> 24) & 0xFF)
        .arg((v >> 16) & 0xFF)
        .arg((v >> 8) & 0xFF)
        .arg(v & 0xFF);
}

void TExColumnGrid::Notification(TComponent* AComponent, TOperation Operation)
{
    TExStringGrid::Notification(AComponent, Operation);
    if (Operation != opRemove || !FColumnCollection)
        return;
    for (Integer i = 0; i < FColumnCollection->Count(); ++i) {
        TGridColumnItem* item = FColumnCollection->Items(i);
        if (item->EditLink() != nullptr && static_cast<TComponent*>(item->EditLink()) == AComponent)
            item->SetEditLink(nullptr);
        if (item->ColumnPopup() != nullptr && static_cast<TComponent*>(item->ColumnPopup()) == AComponent)
            item->SetColumnPopup(nullptr);
    }
}

// ----------------------------------------------------------- moves, widths

void TExColumnGrid::ColumnMoved(Integer FromIndex, Integer ToIndex)
{
    FColumnCollection->FNoRecursiveUpdate = true;
    const Integer top = TopRow();
    const Integer realFrom = RealColIndex(FromIndex);
    const Integer realTo = RealColIndex(ToIndex);
    TExStringGrid::ColumnMoved(FromIndex, ToIndex);
    BeginUpdate();
    FColMoving = true;
    if (realFrom < FColumnCollection->Count() && realTo < FColumnCollection->Count()) {
        TGridColumnItem* spare = FColumnCollection->Add();
        spare->Assign(FColumnCollection->Items(realFrom));
        FColumnCollection->Delete(realFrom);
        FColumnCollection->Insert(realTo)->Assign(FColumnCollection->Items(FColumnCollection->Count() - 1));
        FColumnCollection->Delete(FColumnCollection->Count() - 1);
    }
    TExStringGrid::SetTopRow(top);
    FColMoving = false;
    EndUpdate();
    FColumnCollection->FNoRecursiveUpdate = false;
    if (OnAfterColumnMoved)
        OnAfterColumnMoved(this, realFrom, realTo);
}

void TExColumnGrid::ColWidthsChanged()
{
    TExStringGrid::ColWidthsChanged();
    if (!FColumnCollection || HasState(csLoading) || IsDestroying())
        return;
    for (Integer c = 0; c < ColCount(); ++c) {
        const Integer r = RealColIndex(c);
        if (r < FColumnCollection->Count())
            FColumnCollection->Items(r)->StoreWidth(ColWidths(c));
    }
}

void TExColumnGrid::UpdateColumnSize(Integer ACol, Integer& AWidth)
{
    if (const TGridColumnItem* item = ItemAt(ACol)) {
        if (item->MinSize() > 0 && AWidth < item->MinSize())
            AWidth = item->MinSize();
        if (item->MaxSize() > 0 && AWidth > item->MaxSize())
            AWidth = item->MaxSize();
    }
    TExStringGrid::UpdateColumnSize(ACol, AWidth);
}

void TExColumnGrid::UpdateAutoColumnSize(Integer ACol, Integer& AWidth)
{
    if (const TGridColumnItem* item = ItemAt(ACol)) {
        if (item->AutoMinSize() > 0 && AWidth < item->AutoMinSize())
            AWidth = item->AutoMinSize();
        if (item->AutoMaxSize() > 0 && AWidth > item->AutoMaxSize())
            AWidth = item->AutoMaxSize();
    }
    TExStringGrid::UpdateAutoColumnSize(ACol, AWidth);
}

void TExColumnGrid::ChangeScale(Integer M, Integer D)
{
    TExStringGrid::ChangeScale(M, D);
    if (IsDesigning() || M == D || D == 0)
        return;
    const Integer n = std::min(ColCount(), FColumnCollection->Count());
    for (Integer i = 0; i < n; ++i) {
        TGridColumnItem* item = FColumnCollection->Items(i);
        item->Font()->SetSize(MulDiv(item->Font()->Size(), M, D));
        item->HeaderFont()->SetSize(MulDiv(item->HeaderFont()->Size(), M, D));
    }
}

// ------------------------------------------------------------ per-cell hooks

void TExColumnGrid::GetCellColor(Integer ACol, Integer ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont)
{
    const TGridColumnItem* item = ItemAt(ACol);
    if (item != nullptr && ACol >= FixedCols() && ACol < ColCount() + NumHiddenColumns() - FixedRightCols()
        && ARow < RowCount() - FixedFooters()) {
        if (item->Fixed())
            ABrush->SetColor(FixedColor());
        else if (ARow >= FixedRows() && !(item->ShowBands() && Bands()->Active()))
            ABrush->SetColor(item->Color());
        AFont->Assign(ARow < FixedRows() ? item->HeaderFont() : item->Font());
        if (HasCellProperties(ACol, ARow)) {
            const TCellProperties* p = PropsOf(ACol, ARow);
            if (p->BrushColor() != clNone)
                ABrush->SetColor(p->BrushColor());
            if (p->FontColor() != clNone)
                AFont->SetColor(p->FontColor());
        }
    }
    TExStringGrid::GetCellColor(ACol, ARow, AState, ABrush, AFont);
}

void TExColumnGrid::GetCellPrintColor(Integer ACol, Integer ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont)
{
    if (const TGridColumnItem* item = ItemAt(ACol)) {
        if (!IsNormalZone(ACol, ARow)) {
            AFont->Assign(PrintSettings()->FixedFont());
        } else {
            const TCellProperties* p = HasCellProperties(ACol, ARow) ? PropsOf(ACol, ARow) : nullptr;
            if (item->Fixed()) {
                ABrush->SetColor(FixedColor());
            } else {
                if (!(item->ShowBands() && Bands()->Active() && Bands()->Print()))
                    ABrush->SetColor(item->PrintColor());
                if (p != nullptr && p->BrushColor() != clNone)
                    ABrush->SetColor(p->BrushColor());
            }
            if (item->PrintFontCustom()) {
                AFont->Assign(item->PrintFont());
                if (p != nullptr) {
                    p->ApplyFont(AFont);
                }
            } else {
                AFont->Assign(PrintSettings()->Font());
            }
        }
    }
    TExStringGrid::GetCellPrintColor(ACol, ARow, AState, ABrush, AFont);
}

void TExColumnGrid::GetCellBorder(Integer ACol, Integer ARow, TPen* APen, TCellBorders& Borders)
{
    if (IsNonFixedZone(ACol, ARow)) {
        const TGridColumnItem* item = ItemAt(ACol);
        Borders = item->Borders();
        APen->Assign(item->BorderPen());
    }
    TExStringGrid::GetCellBorder(ACol, ARow, APen, Borders);
}

void TExColumnGrid::GetCellPrintBorder(Integer ACol, Integer ARow, TPen* APen, TCellBorders& Borders)
{
    if (IsNonFixedZone(ACol, ARow) && ItemAt(ACol)->PrintBorderCustom()) {
        const TGridColumnItem* item = ItemAt(ACol);
        Borders = item->PrintBorders();
        APen->Assign(item->PrintBorderPen());
    }
    TExStringGrid::GetCellPrintBorder(ACol, ARow, APen, Borders);
}

void TExColumnGrid::GetAlignment(Integer ACol, Integer ARow, TAlignment& HAlign, TVAlignment& VAlign)
{
    if (const TGridColumnItem* item = ItemAt(ACol)) {
        HAlign = ARow < FixedRows() ? item->HeaderAlignment() : item->Alignment();
        if (HasCellProperties(ACol, ARow))
            HAlign = PropsOf(ACol, ARow)->Alignment();
    }
    TExStringGrid::GetAlignment(ACol, ARow, HAlign, VAlign);
}

void TExColumnGrid::GetFormat(Integer ACol, TSortStyle& AStyle, QString& Prefix, QString& Suffix)
{
    if (const TGridColumnItem* item = ItemAt(ACol)) {
        AStyle = item->SortStyle();
        Prefix = item->SortPrefix();
        Suffix = item->SortSuffix();
    }
    TExStringGrid::GetFormat(ACol, AStyle, Prefix, Suffix);
}

void TExColumnGrid::GetCellEditor(Integer ACol, Integer ARow, TEditorType& AEditor)
{
    if (const TGridColumnItem* item = ItemAt(ACol)) {
        if (IsNonFixedZone(ACol, ARow)) {
            AEditor = item->Editor();
            // While an editor is open the question only asks the kind (a
            // click elsewhere asks it): the open list, its items and the
            // editor link stay those of the cell being edited.
            if (!InEditMode()) {
                Combobox()->Items()->Assign(item->ComboItems());
                Combobox()->SetDropDownCount(item->DropDownCount());
                SetEditLink(item->EditLink());
                ControlLook()->DropDownCount = item->DropDownCount();
            }
        }
        if (!item->FloatFormat().isEmpty())
            SetFloatFormat(item->FloatFormat());
    }
    TExStringGrid::GetCellEditor(ACol, ARow, AEditor);
}

void TExColumnGrid::IsFixedCell(Integer ACol, Integer ARow, bool& IsFixed)
{
    const Integer r = RealColIndex(ACol);
    if (ItemAt(r) != nullptr && ACol >= FixedCols() && ARow >= FixedRows())
        IsFixed = ItemAt(r)->Fixed();
    TExStringGrid::IsFixedCell(ACol, ARow, IsFixed);
}

void TExColumnGrid::DoCanEditCell(Integer ACol, Integer ARow, bool& CanEdit)
{
    CanEdit = false;
    if (!HasState(csLoading) && IsNonFixedZone(ACol, ARow)) {
        const TGridColumnItem* item = ItemAt(ACol);
        CanEdit = !(item->ReadOnly() || item->Fixed());
    }
    if (CanEdit && HasCellProperties(ACol, ARow))
        CanEdit = !GetReadOnly(ACol, ARow);
    const TPoint b = BaseCell(ACol, ARow);
    CanEditCell(b.X, b.Y, CanEdit);
}

void TExColumnGrid::IsPasswordCell(Integer ACol, Integer ARow, bool& IsPassword)
{
    if (const TGridColumnItem* item = ItemAt(ACol))
        IsPassword = item->Password();
    TExStringGrid::IsPasswordCell(ACol, ARow, IsPassword);
}

bool TExColumnGrid::HasComboBox(Integer ACol, Integer ARow)
{
    bool has = false;
    if (IsNonFixedZone(ACol, ARow)) {
        const TEditorType kind = ItemAt(ACol)->Editor();
        has = kind == edComboEdit || kind == edComboList;
    }
    if (OnHasComboBox)
        OnHasComboBox(this, ACol, ARow, has);
    return has;
}

void TExColumnGrid::GetCheckTrue(Integer ACol, Integer ARow, QString& Value)
{
    TExStringGrid::GetCheckTrue(ACol, ARow, Value);
    if (IsNormalZone(ACol, ARow))
        Value = ItemAt(ACol)->CheckTrue();
}

void TExColumnGrid::GetCheckFalse(Integer ACol, Integer ARow, QString& Value)
{
    TExStringGrid::GetCheckFalse(ACol, ARow, Value);
    if (IsNormalZone(ACol, ARow))
        Value = ItemAt(ACol)->CheckFalse();
}

QString TExColumnGrid::GetEditMask(Integer ACol, Integer ARow)
{
    const Integer r = RealColIndex(ACol);
    QString mask;
    if (ItemAt(r) != nullptr && ACol >= FixedCols())
        mask = ItemAt(r)->EditMask();
    const QString grid = TExStringGrid::GetEditMask(ACol, ARow);
    return grid.isEmpty() ? mask : grid;
}

Integer TExColumnGrid::GetEditLimit()
{
    const Integer r = RealColIndex(Col());
    if (ItemAt(r) != nullptr && Col() >= FixedCols())
        return ItemAt(r)->EditLength();
    return TExStringGrid::GetEditLimit();
}

void TExColumnGrid::GetFloatFormat(Integer ACol, Integer ARow, QString& Format)
{
    if (const TGridColumnItem* item = ItemAt(ACol)) {
        Format = item->FloatFormat().isEmpty() ? FloatFormat() : item->FloatFormat();
        return;
    }
    TExStringGrid::GetFloatFormat(ACol, ARow, Format);
}

QString TExColumnGrid::GetFormattedCell(Integer ACol, Integer ARow)
{
    const TGridColumnItem* item = ItemAt(ACol);
    if (item == nullptr)
        return Cells(ACol, ARow);
    QString fmt = item->FloatFormat();
    const QString text = Cells(ACol, ARow);
    bool isFloat = IsPlainNumber(text);
    if (OnGetFloatFormat)
        OnGetFloatFormat(this, ACol, ARow, isFloat, fmt);
    if (!fmt.isEmpty() && isFloat) {
        // A format that does not fit the value (say "%d" for a fraction)
        // shows the text as stored rather than failing every paint.
        try {
            return Format(fmt, {Floats(ACol, ARow)});
        } catch (const EConvertError&) {
            return text;
        }
    }
    return text;
}

TCellType TExColumnGrid::GetCellType(Integer ACol, Integer ARow)
{
    const TCellType type = TExStringGrid::GetCellType(ACol, ARow);
    if (!IsDestroying() && type == ctEmpty && IsNormalZone(ACol, ARow) && ItemAt(ACol)->Editor() == edDataCheckBox)
        return ctDataCheckBox;
    return type;
}

TCellGraphic* TExColumnGrid::GetCellGraphic(Integer ACol, Integer ARow)
{
    TCellGraphic* g = TExStringGrid::GetCellGraphic(ACol, ARow);
    if (g == nullptr && !IsDestroying() && IsNormalZone(ACol, ARow) && ItemAt(ACol)->Editor() == edDataCheckBox) {
        // One descriptor lent to every data check-box cell.
        g = FCellGraphic.get();
        g->CellType = ctVirtCheckBox;
        g->CellTransparent = ControlLook()->ControlStyle() == csFlat;
    }
    return g;
}

TCellGraphic* TExColumnGrid::LentCellGraphic(Integer ACol, Integer ARow)
{
    if (TCellGraphic* g = TExStringGrid::LentCellGraphic(ACol, ARow))
        return g;
    // A normal cell of a data check-box column, ARow counted with the hidden rows.
    const TGridColumnItem* item = ItemAt(ACol);
    if (IsDestroying() || item == nullptr || item->Editor() != edDataCheckBox || ACol < FixedCols()
        || ACol >= ColCount() + NumHiddenColumns() - FixedRightCols() || ARow < FixedRows()
        || ARow >= TotalRowCount() - FixedFooters())
        return nullptr;
    TCellGraphic* g = FCellGraphic.get();
    g->CellType = ctVirtCheckBox;
    g->CellTransparent = ControlLook()->ControlStyle() == csFlat;
    return g;
}

void TExColumnGrid::GetDefaultCellProperties(Integer ACol, Integer ARow, TFont* AFont, TBrush* ABrush,
                                             TColor& ColorTo, TColor& MirrorColor, TColor& MirrorColorTo,
                                             TAlignment& Alignment, TVAlignment& VAlignment, bool& WordWrap,
                                             TCellGradientDirection& GradientDirection)
{
    const TGridColumnItem* item = ItemAt(ACol);
    if (item == nullptr) {
        TExStringGrid::GetDefaultCellProperties(ACol, ARow, AFont, ABrush, ColorTo, MirrorColor, MirrorColorTo,
                                                Alignment, VAlignment, WordWrap, GradientDirection);
        return;
    }
    AFont->Assign(item->Font());
    ABrush->SetColor(item->Color());
    ColorTo = clNone;
    Alignment = ARow < FixedRows() ? item->HeaderAlignment() : item->Alignment();
    VAlignment = TExStringGrid::VAlignment();
    WordWrap = TExStringGrid::WordWrap();
    GradientDirection = TCellGradientDirection(0);
    if (IsFixed(RealToDisplCol(ACol), ARow) || (Bands()->Active() && item->ShowBands())) {
        ABrush->SetColor(clNone);
        ColorTo = clNone;
    }
}

// ------------------------------------------------------------------ filters

bool TExColumnGrid::GetColumnFilter(Integer ACol)
{
    FilterList()->SetSorted(false);
    TExStringGrid::GetColumnFilter(ACol);
    const TGridColumnItem* item = ItemAt(ACol);
    if (item == nullptr || item->Filter()->Count() == 0)
        return false;
    FilterList()->Clear();
    for (Integer i = 0; i < item->Filter()->Count(); ++i) {
        QString display, condition;
        SplitEntry(item->Filter()->Strings(i), display, condition);
        FilterList()->Add(display);
    }
    return true;
}

void TExColumnGrid::FilterSelect(Integer ItemIndex)
{
    const Integer c = FilterCol();
    TGridColumnItem* item = ItemAt(c);
    if (item != nullptr && ItemIndex >= 0 && ItemIndex < item->Filter()->Count()) {
        QString display, condition;
        SplitEntry(item->Filter()->Strings(ItemIndex), display, condition);
        if (FAutoFilterDisplay)
            item->SetHeader(display);
        if (AutoFilterUpdate())
            SetFilterActive(false);
        if (OnFilterSelect)
            OnFilterSelect(this, c, ItemIndex, display, condition);
        TFilterData* data = Filter()->GetColFilter(c);
        data->Condition = condition;
        data->CaseSensitive = item->FilterCaseSensitive();
        if (AutoFilterUpdate()) {
            SetFilterActive(true);
            if (RowCount() > FixedRows() && !(FixedRowAlways() && RowCount() == 1))
                MoveColRow(std::max(Col(), FixedCols()), FixedRows(), true, true);
            FilterDone();
        }
    }
    SetFilterCol(-1);
}

// ------------------------------------------------------------ column popups

void TExColumnGrid::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TExStringGrid::MouseDown(Button, Shift, X, Y);
    Integer c = -1, r = -1;
    MouseToCell(X, Y, c, r);
    if (c < 0 || r < 0)
        return;
    // The item of the clicked column's real index, so that hidden columns
    // before it do not shift the popup to another column.
    TGridColumnItem* item = ItemAt(RealColIndex(c));
    if (item == nullptr || item->ColumnPopup() == nullptr)
        return;
    const TColumnPopupType t = item->ColumnPopupType();
    TColumnPopupType fixedType, normalType, allType;
    if (Button == mbLeft) {
        fixedType = cpFixedCellsLClick;
        normalType = cpNormalCellsLClick;
        allType = cpAllCellsLClick;
    } else if (Button == mbRight) {
        fixedType = cpFixedCellsRClick;
        normalType = cpNormalCellsRClick;
        allType = cpAllCellsRClick;
    } else {
        return;
    }
    if (t != fixedType && t != normalType && t != allType)
        return;
    const TRect cr = CellRect(c, r);
    const TPoint anchor = ClientToScreen({cr.Left, cr.Bottom});
    TPopupMenu* menu = item->ColumnPopup();
    if (OnColumnPopup)
        OnColumnPopup(this, c, r, menu);
    const bool fixedRow = r < FixedRows();
    if ((fixedRow && (t == fixedType || t == allType)) || (!fixedRow && (t == normalType || t == allType)))
        menu->Popup(anchor.X, anchor.Y);
}
