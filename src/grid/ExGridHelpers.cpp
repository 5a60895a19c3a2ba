// The string grid's settings objects and hidden-row record: creation and
// field-by-field copies.

#include "grid/ExGridHelpers.h"

#include <algorithm>

#include "grid/ExGrid.h"
#include "grid/ExGridCellGraphic.h"
#include "platform/Bitmap.h"

void TColumnSize::Assign(const TPersistent* Source)
{
    const auto* src = dynamic_cast<const TColumnSize*>(Source);
    if (src == nullptr)
        return;
    FSave = src->FSave;
    FKey = src->FKey;
    FSection = src->FSection;
    FStretch = src->FStretch;
    FStretchColumn = src->FStretchColumn;
    FSynchWithGrid = src->FSynchWithGrid;
    FSynchNormalCellsOnly = src->FSynchNormalCellsOnly;
    FLocation = src->FLocation;
    FRows = src->FRows;
}

TPrintSettings::TPrintSettings(TExStringGrid* AOwner)
    : FGrid(AOwner), FFont(std::make_unique<TFont>()), FHeaderFont(std::make_unique<TFont>()),
      FFooterFont(std::make_unique<TFont>()), FFixedFont(std::make_unique<TFont>()),
      FTitleLines(std::make_unique<TStringList>())
{
}

TPrintSettings::~TPrintSettings() = default;

void TPrintSettings::Assign(const TPersistent* Source)
{
    const auto* src = dynamic_cast<const TPrintSettings*>(Source);
    if (src == nullptr)
        return;
    Time = src->Time;
    Date = src->Date;
    PageNr = src->PageNr;
    PageNumSep = src->PageNumSep;
    DateFormat = src->DateFormat;
    Title = src->Title;
    Borders = src->Borders;
    BorderStyle = src->BorderStyle;
    TitleText = src->TitleText;
    Centered = src->Centered;
    RepeatFixedRows = src->RepeatFixedRows;
    RepeatFixedCols = src->RepeatFixedCols;
    FooterSize = src->FooterSize;
    HeaderSize = src->HeaderSize;
    LeftSize = src->LeftSize;
    RightSize = src->RightSize;
    ColumnSpacing = src->ColumnSpacing;
    RowSpacing = src->RowSpacing;
    TitleSpacing = src->TitleSpacing;
    Orientation = src->Orientation;
    PagePrefix = src->PagePrefix;
    PageSuffix = src->PageSuffix;
    FixedHeight = src->FixedHeight;
    UseFixedHeight = src->UseFixedHeight;
    FixedWidth = src->FixedWidth;
    UseFixedWidth = src->UseFixedWidth;
    FitToPage = src->FitToPage;
    NoAutoSize = src->NoAutoSize;
    PrintGraphics = src->PrintGraphics;
    JobName = src->JobName;
    NoAutoSizeRow = src->NoAutoSizeRow;
    PageNumberOffset = src->PageNumberOffset;
    MaxPagesOffset = src->MaxPagesOffset;
    UseDisplayFont = src->UseDisplayFont;
    UseDefaultOrientation = src->UseDefaultOrientation;
    BorderColor = src->BorderColor;
    FFont->Assign(src->FFont.get());
    FHeaderFont->Assign(src->FHeaderFont.get());
    FFooterFont->Assign(src->FFooterFont.get());
    FFixedFont->Assign(src->FFixedFont.get());
    FTitleLines->Assign(src->FTitleLines.get());
}

void TBalloonSettings::Assign(const TPersistent* Source)
{
    const auto* src = dynamic_cast<const TBalloonSettings*>(Source);
    if (src == nullptr)
        return;
    TextColor = src->TextColor;
    BackgroundColor = src->BackgroundColor;
    InitialDelay = src->InitialDelay;
    AutoHideDelay = src->AutoHideDelay;
    ReshowDelay = src->ReshowDelay;
    FEnable = src->FEnable;
}

void TBalloonSettings::SetEnable(bool Value)
{
    FEnable = Value;
    if (OnEnableChange)
        OnEnableChange(this);
}

void TGrouping::Assign(const TPersistent* Source)
{
    const auto* src = dynamic_cast<const TGrouping*>(Source);
    if (src == nullptr)
        return;
    GroupCountFormat = src->GroupCountFormat;
    HeaderColor = src->HeaderColor;
    HeaderColorTo = src->HeaderColorTo;
    HeaderTextColor = src->HeaderTextColor;
    HeaderUnderline = src->HeaderUnderline;
    MergeHeader = src->MergeHeader;
    MergeSummary = src->MergeSummary;
    ShowGroupCount = src->ShowGroupCount;
    SummaryColor = src->SummaryColor;
    SummaryColorTo = src->SummaryColorTo;
    SummaryTextColor = src->SummaryTextColor;
    SummaryLine = src->SummaryLine;
    AutoCheckGroup = src->AutoCheckGroup;
    AutoSelectGroup = src->AutoSelectGroup;
}

TBackGround::TBackGround(TExStringGrid* AOwner) : FGrid(AOwner), FBitmap(std::make_unique<TBitmap>())
{
}

TBackGround::~TBackGround() = default;

void TBackGround::Assign(const TPersistent* Source)
{
    const auto* src = dynamic_cast<const TBackGround*>(Source);
    if (src == nullptr)
        return;
    Top = src->Top;
    Left = src->Left;
    Display = src->Display;
    Cells = src->Cells;
    ColorTo = src->ColorTo;
    Color = src->Color;
    FBitmap->Assign(src->FBitmap.get());
}

TGridItem::TGridItem(TCollection* Collection) : TCollectionItem(Collection), FItems(std::make_unique<TStringList>())
{
}

TGridItem::~TGridItem() = default;

// ------------------------------------------------------------------ filters

TFilterData::TFilterData(TCollection* Collection) : TCollectionItem(Collection) {}

void TFilterData::Assign(const TPersistent* Source)
{
    const auto* src = dynamic_cast<const TFilterData*>(Source);
    if (src == nullptr)
        return;
    Column = src->Column;
    Condition = src->Condition;
    CaseSensitive = src->CaseSensitive;
    Prefix = src->Prefix;
    Suffix = src->Suffix;
    Operation = src->Operation;
    Data = src->Data;
}

TFilter::TFilter(TExStringGrid* AOwner)
    : TCollection([](TCollection* c) { return new TFilterData(c); }), FOwner(AOwner)
{
}

TFilterData* TFilter::Add()
{
    auto* item = static_cast<TFilterData*>(TCollection::Add());
    item->Operation = Count() == 1 ? foNONE : foAND;
    return item;
}

TFilterData* TFilter::Insert(Integer Index)
{
    return static_cast<TFilterData*>(TCollection::Insert(std::clamp(Index, 0, Count())));
}

bool TFilter::HasFilter(Integer Col) const
{
    return ColumnItem(Col) != nullptr;
}

void TFilter::RemoveColumnFilter(Integer Col)
{
    for (Integer i = Count() - 1; i >= 0; --i)
        if (Items(i)->Column == Col)
            Delete(i);
    if (FOwner != nullptr && FOwner->RowCount() > 0 && FOwner->ColCount() > 0)
        FOwner->RepaintCell(FOwner->RealToDisplCol(Col), 0);
}

TFilterData* TFilter::ColumnItem(Integer ACol) const
{
    for (Integer i = 0; i < Count(); ++i)
        if (Items(i)->Column == ACol)
            return Items(i);
    return nullptr;
}

TFilterData* TFilter::GetColFilter(Integer ACol)
{
    if (TFilterData* item = ColumnItem(ACol))
        return item;
    TFilterData* item = Add();
    item->Column = SmallInt(ACol);
    return item;
}
