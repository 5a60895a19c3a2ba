// The column item of a column grid and its collection: the settings of one
// real column, the header and width that act on the grid, the copies that
// a new or moved column takes, and the default column order.

#include "grid/columns/ExColumnGrid.h"

#include "platform/Graphics.h"
#include "platform/StringList.h"

#include <vector>

// ============================================================ TGridColumnItem

TGridColumnItem::TGridColumnItem(TCollection* Collection)
    : TCollectionItem(Collection),
      FFont(std::make_unique<TFont>()),
      FComboItems(std::make_unique<TStringList>()),
      FPrintFont(std::make_unique<TFont>()),
      FBorderPen(std::make_unique<TPen>()),
      FPrintBorderPen(std::make_unique<TPen>()),
      FFilter(std::make_unique<TStringList>()),
      FHeaderFont(std::make_unique<TFont>())
{
    FBorderPen->SetWidth(1);
    FBorderPen->SetColor(clSilver);
    FPrintBorderPen->SetWidth(1);
    FPrintBorderPen->SetColor(clBlack);
    if (Collection == nullptr)
        return;
    if (TExColumnGrid* grid = Grid()) {
        FFont->Assign(grid->Font());
        FHeaderFont->Assign(grid->Font());
        FPrintFont->Assign(grid->Font());
        FColor = grid->Color();
    }
    FFont->OnChange = [this](TObject*) { NotifyChange(); };
    FHeaderFont->OnChange = [this](TObject*) { NotifyChange(); };
    FBorderPen->OnChange = [this](TObject*) { NotifyChange(); };
    FFilter->OnChange = [this](TObject*) { RepaintGrid(); };
}

TGridColumnItem::~TGridColumnItem()
{
    // No change notices from the objects being freed.
    FFont->OnChange = nullptr;
    FHeaderFont->OnChange = nullptr;
    FBorderPen->OnChange = nullptr;
    FFilter->OnChange = nullptr;
}

TExColumnGrid* TGridColumnItem::Grid() const
{
    const auto* c = dynamic_cast<const TGridColumnCollection*>(Collection());
    return c != nullptr ? c->Grid() : nullptr;
}

void TGridColumnItem::NotifyChange()
{
    Changed(false);
}

void TGridColumnItem::RepaintGrid()
{
    if (TExColumnGrid* grid = Grid())
        grid->Invalidate();
}

QString TGridColumnItem::GetDisplayName() const
{
    if (!FName.isEmpty())
        return QStringLiteral("Col %1: %2").arg(Index()).arg(FName);
    return QStringLiteral("Column %1").arg(Index());
}

void TGridColumnItem::SetHeader(const QString& Value)
{
    FColumnHeader = Value;
    TExColumnGrid* grid = Grid();
    if (grid == nullptr)
        return;
    const Integer puts = grid->HeaderPuts();
    if (grid->FixedRows() > 0 && !grid->ColMoving()) {
        grid->SetCells(Index(), 0, Value);
        NotifyChange();
    }
    // ColumnHeaders mirrors the headers of this item's collection (the
    // change notice did it already when it updated the grid's own columns,
    // and does it at the end of a batch of changes to them).
    if (Collection() == grid->Columns() && Collection()->UpdateCount() > 0)
        return;
    if (grid->HeaderPuts() == puts || Collection() != grid->Columns())
        grid->PutColumnHeaders(Collection());
}

Integer TGridColumnItem::Width() const
{
    const TExColumnGrid* grid = Grid();
    return grid != nullptr ? grid->AllColWidths(Index()) : 0;
}

void TGridColumnItem::SetWidth(Integer Value)
{
    FWidth = Value;
    if (TExColumnGrid* grid = Grid())
        grid->SetAllColWidths(Index(), Value);
}

void TGridColumnItem::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    RepaintGrid();
}

void TGridColumnItem::SetHeaderAlignment(TAlignment Value)
{
    FHeaderAlignment = Value;
    RepaintGrid();
}

void TGridColumnItem::SetColor(TColor Value)
{
    FColor = Value;
    NotifyChange();
}

void TGridColumnItem::SetFont(const TFont* Value)
{
    FFont->Assign(Value);  // its change notice reaches the collection
}

void TGridColumnItem::SetHeaderFont(const TFont* Value)
{
    FHeaderFont->Assign(Value);
    RepaintGrid();
}

void TGridColumnItem::SetBorders(TCellBorders Value)
{
    FBorders = Value;
    NotifyChange();
}

void TGridColumnItem::SetBorderPen(const TPen* Value)
{
    FBorderPen->Assign(Value);
}

void TGridColumnItem::SetFixed(bool Value)
{
    FFixed = Value;
    NotifyChange();
}

void TGridColumnItem::SetPassword(bool Value)
{
    FPassword = Value;
    NotifyChange();
}

void TGridColumnItem::SetShowBands(bool Value)
{
    FShowBands = Value;
    NotifyChange();
}

void TGridColumnItem::SetFloatFormat(const QString& Value)
{
    FFloatFormat = Value;
    RepaintGrid();
}

void TGridColumnItem::SetEditor(TEditorType Value)
{
    if (Value == FEditorType)
        return;
    const bool checkBoxChange = Value == edDataCheckBox || FEditorType == edDataCheckBox;
    FEditorType = Value;
    if (checkBoxChange)
        RepaintGrid();
}

void TGridColumnItem::SetComboItems(const TStrings* Value)
{
    FComboItems->Assign(Value);
}

void TGridColumnItem::SetFilter(const TStrings* Value)
{
    FFilter->Assign(Value);
}

void TGridColumnItem::SetPrintFont(const TFont* Value)
{
    FPrintFont->Assign(Value);
}

void TGridColumnItem::SetPrintBorderPen(const TPen* Value)
{
    FPrintBorderPen->Assign(Value);
}

QString TGridColumnItem::Rows(Integer idx) const
{
    return Grid()->Cells(Index(), idx);
}

void TGridColumnItem::SetRows(Integer idx, const QString& Value)
{
    Grid()->SetCells(Index(), idx, Value);
}

Integer TGridColumnItem::Ints(Integer idx) const
{
    return Grid()->Ints(Index(), idx);
}

void TGridColumnItem::SetInts(Integer idx, Integer Value)
{
    Grid()->SetInts(Index(), idx, Value);
}

double TGridColumnItem::Floats(Integer idx) const
{
    return Grid()->Floats(Index(), idx);
}

void TGridColumnItem::SetFloats(Integer idx, double Value)
{
    Grid()->SetFloats(Index(), idx, Value);
}

TDateTime TGridColumnItem::Dates(Integer idx) const
{
    return Grid()->Dates(Index(), idx);
}

void TGridColumnItem::SetDates(Integer idx, TDateTime Value)
{
    Grid()->SetDates(Index(), idx, Value);
}

TDateTime TGridColumnItem::Times(Integer idx) const
{
    return Grid()->Times(Index(), idx);
}

void TGridColumnItem::SetTimes(Integer idx, TDateTime Value)
{
    Grid()->SetTimes(Index(), idx, Value);
}

// Copies without firing the objects' change notices: a copy neither
// notifies the collection nor repaints.
template <class T> static void QuietAssign(T* Target, const T* Source)
{
    auto handler = std::move(Target->OnChange);
    Target->OnChange = nullptr;
    Target->Assign(Source);
    Target->OnChange = std::move(handler);
}

void TGridColumnItem::CopyCommon(const TGridColumnItem* S)
{
    FAlignment = S->FAlignment;
    FHeaderAlignment = S->FHeaderAlignment;
    FBorders = S->FBorders;
    QuietAssign(FBorderPen.get(), S->FBorderPen.get());
    FCheckFalse = S->FCheckFalse;
    FCheckTrue = S->FCheckTrue;
    FEditLength = S->FEditLength;
    FEditLink = S->FEditLink;
    FEditMask = S->FEditMask;
    FEditorType = S->FEditorType;
    FFixed = S->FFixed;
    FPassword = S->FPassword;
    QuietAssign(FPrintBorderPen.get(), S->FPrintBorderPen.get());
    FPrintBorders = S->FPrintBorders;
    FPrintColor = S->FPrintColor;
    QuietAssign(FPrintFont.get(), S->FPrintFont.get());
    FReadOnly = S->FReadOnly;
    FSortStyle = S->FSortStyle;
    FSortPrefix = S->FSortPrefix;
    FSortSuffix = S->FSortSuffix;
    FSpinMax = S->FSpinMax;
    FSpinMin = S->FSpinMin;
    FSpinStep = S->FSpinStep;
    FColumnPopup = S->FColumnPopup;
    FShowBands = S->FShowBands;
    FMinSize = S->FMinSize;
    FMaxSize = S->FMaxSize;
    FAutoMinSize = S->FAutoMinSize;
    FAutoMaxSize = S->FAutoMaxSize;
    QuietAssign(FFilter.get(), S->FFilter.get());
    FFilterCaseSensitive = S->FFilterCaseSensitive;
    FDefIdx = S->FDefIdx;
    FFloatFormat = S->FFloatFormat;
    FWidth = S->Width();
}

void TGridColumnItem::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TGridColumnItem*>(Source);
    if (s == nullptr)
        return;
    CopyCommon(s);
    FColor = s->FColor;
    QuietAssign(FFont.get(), s->FFont.get());
    QuietAssign(FHeaderFont.get(), s->FHeaderFont.get());
    FColumnHeader = s->FColumnHeader;
    FName = s->FName;
    FComboItems->Assign(s->FComboItems.get());
    FDropDownCount = s->FDropDownCount;
    FTag = s->FTag;
}

void TGridColumnItem::AssignVisuals(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TGridColumnItem*>(Source);
    if (s == nullptr)
        return;
    CopyCommon(s);
    if (const TExColumnGrid* grid = Grid()) {
        FColor = grid->Color();
        QuietAssign(FFont.get(), grid->Font());
    }
}

// ======================================================= TGridColumnCollection

TGridColumnCollection::TGridColumnCollection(TExColumnGrid* AOwner)
    : TCollection([](TCollection* c) { return new TGridColumnItem(c); }), FOwner(AOwner)
{
}

TPersistent* TGridColumnCollection::GetOwner() const
{
    return FOwner;
}

TGridColumnItem* TGridColumnCollection::Add()
{
    auto* item = static_cast<TGridColumnItem*>(TCollection::Add());
    if (Count() > 1)
        item->AssignVisuals(Items(Count() - 2));
    return item;
}

TGridColumnItem* TGridColumnCollection::Insert(Integer Index)
{
    return static_cast<TGridColumnItem*>(TCollection::Insert(Index));
}

void TGridColumnCollection::Update(TCollectionItem* Item)
{
    TCollection::Update(Item);
    if (UpdateCount() > 0 || FNoRecursiveUpdate || FOwner == nullptr || FOwner->HasState(csLoading)
        || FOwner->HasState(csDestroying))
        return;
    const Integer n = Count() - FOwner->NumHiddenColumns();
    if (n != FOwner->ColCount() && n > FOwner->FixedCols())
        FOwner->SetColCount(n);
    FOwner->SyncColumnHeaders();
    FOwner->Invalidate();
}

void TGridColumnCollection::SetOrganization()
{
    FNoRecursiveUpdate = true;
    if (FOwner != nullptr)
        FOwner->SyncColumnCount();
    FNoRecursiveUpdate = false;
    for (Integer i = 0; i < Count(); ++i)
        Items(i)->SetDefIdx(i);
}

void TGridColumnCollection::ResetOrganization()
{
    if (FOwner == nullptr)
        return;
    // The passes end only when the default indexes are the numbers
    // 0 .. Count - 1; any other set (a duplicate after columns were added)
    // leaves the columns where they are.
    std::vector<bool> seen(size_t(Count()), false);
    for (Integer i = 0; i < Count(); ++i) {
        const Integer d = Items(i)->DefIdx();
        if (d < 0 || d >= Count() || seen[size_t(d)])
            return;
        seen[size_t(d)] = true;
    }
    // A pass settles at least one more column; the bound only guards a grid
    // whose moves do not carry the items along.
    bool moved = true;
    for (Integer pass = 0; moved && pass <= Count(); ++pass) {
        moved = false;
        const Integer count = std::min(Count(), FOwner->ColCount());
        for (Integer i = 0; i < count; ++i) {
            const Integer target = Items(i)->DefIdx();
            if (target < i) {
                FOwner->MoveColumn(i, target);
                moved = true;
            }
        }
    }
}
