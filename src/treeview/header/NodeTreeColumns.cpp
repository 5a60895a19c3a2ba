// The header's columns: each column's properties and their side effects,
// the display order (the position map), navigation and geometry queries,
// assignment, comparison and the columns block of the header stream.

#include <QtEndian>
#include <algorithm>
#include <cmath>

#include "platform/Bitmap.h"
#include "platform/Streams.h"
#include "treeview/NodeTreesPrivate.h"
#include "treeview/header/NodeTreeHeader.h"
#include "treeview/header/NodeTreeHeaderStream.h"

namespace {
using nodetreeheader::ReadInt;
using nodetreeheader::ReadOrdinal;
using nodetreeheader::ReadPixels;
using nodetreeheader::WriteInt;

QString ReadUtf16(TStream* Stream)
{
    const Integer n = nodetreeheader::ReadLength(Stream, 2);
    QByteArray bytes(qsizetype(n) * 2, Qt::Uninitialized);
    if (n > 0)
        Stream->ReadBuffer(bytes.data(), bytes.size());
    QString s(n, Qt::Uninitialized);
    for (Integer i = 0; i < n; ++i)
        s[i] = QChar(char16_t(uchar(bytes[2 * i]) | (uchar(bytes[2 * i + 1]) << 8)));
    return s;
}

void WriteUtf16(TStream* Stream, const QString& S)
{
    WriteInt(Stream, Integer(S.size()));
    QByteArray bytes(S.size() * 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < S.size(); ++i) {
        const char16_t c = S[i].unicode();
        bytes[2 * i] = char(c & 0xFF);
        bytes[2 * i + 1] = char(c >> 8);
    }
    if (!bytes.isEmpty())
        Stream->WriteBuffer(bytes);
}

bool VisibleFixed(const TNodeTreeColumn* c)
{
    return (c->Options() & (coVisible | coFixed)) == (coVisible | coFixed);
}
} // namespace

// ---------------------------------------------------------------- one column

TNodeTreeColumn::TNodeTreeColumn(TCollection* Collection) : TCollectionItem(Collection)
{
    if (auto* owner = dynamic_cast<TNodeTreeColumns*>(Collection)) {
        FWidth = owner->FDefaultWidth;
        FLastWidth = owner->FDefaultWidth;
        FPosition = TColumnPosition(std::max(owner->Count() - 1, 0));
        // The colour and reading order follow the tree.
        if (TBaseNodeTree* tree = owner->FHeader->Treeview()) {
            FBiDiMode = tree->BiDiMode();
            FColor = tree->Color();
        }
    }
}

TNodeTreeColumn::~TNodeTreeColumn()
{
    TNodeTreeColumns* owner = Owner();
    if (owner == nullptr || owner->FClearing)
        return;
    TNtHeader* header = owner->FHeader;
    TBaseNodeTree* tree = header->Treeview();
    const TColumnIndex index = Index();
    if (!tree->FDestroying)
        tree->CancelEditNode();
    owner->RemapPositions(index);
    owner->AdjustRemovedIndex(index, owner->FHoverIndex);
    owner->AdjustRemovedIndex(index, owner->FDownIndex);
    owner->AdjustRemovedIndex(index, owner->FTrackIndex);
    owner->AdjustRemovedIndex(index, owner->FClickIndex);
    owner->AdjustRemovedIndex(index, header->FAutoSizeIndex);
    owner->AdjustRemovedIndex(index, header->FSortColumn);
    if (header->FMainColumn == index)
        header->FMainColumn = owner->Count() > 1 ? 0 : NoColumn;
    else if (header->FMainColumn > index)
        --header->FMainColumn;
}

TNodeTreeColumns* TNodeTreeColumn::Owner() const
{
    return static_cast<TNodeTreeColumns*>(Collection());
}

TNtHeader* TNodeTreeColumn::Header() const
{
    return Owner() ? Owner()->FHeader : nullptr;
}

TBaseNodeTree* TNodeTreeColumn::Tree() const
{
    return Owner() ? Owner()->FHeader->Treeview() : nullptr;
}

bool TNodeTreeColumn::TreeLoading() const
{
    TBaseNodeTree* tree = Tree();
    return tree != nullptr && tree->HasState(csLoading);
}

QString TNodeTreeColumn::GetDisplayName() const
{
    const QString text = GetText();
    for (QChar c : text)
        if (c.unicode() > 255)
            return QStringLiteral("Column %1").arg(Index());
    return text;
}

Integer TNodeTreeColumn::GetLeft() const
{
    TBaseNodeTree* tree = Tree();
    if (VisibleFixed(this) || tree == nullptr)
        return FLeft;
    return FLeft - tree->FEffectiveOffsetX;
}

TRect TNodeTreeColumn::GetRect() const
{
    TBaseNodeTree* tree = Tree();
    TRect r = tree ? tree->FHeaderRect : TRect();
    r.Left += FLeft;
    r.Right = r.Left + FWidth;
    return r;
}

void TNodeTreeColumn::GetColumnSpan(Integer& Left, Integer& Right) const
{
    Left = FLeft;
    Right = FLeft + FWidth;
}

TAlignment TNodeTreeColumn::GetCaptionAlignment() const
{
    return (FOptions & coUseCaptionAlignment) ? FCaptionAlignment : FAlignment;
}

void TNodeTreeColumn::SetAlignment(TAlignment Value)
{
    if (Value == FAlignment)
        return;
    FAlignment = Value;
    Notify();
    if (TBaseNodeTree* tree = Tree())
        tree->Invalidate();
}

void TNodeTreeColumn::SetBiDiMode(TBiDiMode Value)
{
    if (Value == FBiDiMode)
        return;
    FBiDiMode = Value;
    FOptions &= ~coParentBidiMode;
    Notify();
    if (TBaseNodeTree* tree = Tree())
        tree->Invalidate();
}

void TNodeTreeColumn::SetCaptionAlignment(TAlignment Value)
{
    if ((FOptions & coUseCaptionAlignment) && Value == FCaptionAlignment)
        return;
    FCaptionAlignment = Value;
    FOptions |= coUseCaptionAlignment;
    if (TNtHeader* h = Header())
        h->Invalidate(this);
}

void TNodeTreeColumn::SetCheckBox(bool Value)
{
    if (Value == FCheckBox)
        return;
    FCheckBox = Value;
    Notify();
}

void TNodeTreeColumn::SetCheckState(TCheckState Value)
{
    if (Value == FCheckState)
        return;
    FCheckState = Value;
    Notify();
}

void TNodeTreeColumn::SetCheckType(TCheckType Value)
{
    if (Value == FCheckType)
        return;
    FCheckType = Value;
    Notify();
}

void TNodeTreeColumn::SetColor(TColor Value)
{
    if (Value == FColor)
        return;
    FColor = Value;
    FOptions &= ~coParentColor;
    Notify();
    if (TBaseNodeTree* tree = Tree())
        tree->Invalidate();
}

void TNodeTreeColumn::SetImageIndex(Integer Value)
{
    if (Value == FImageIndex)
        return;
    FImageIndex = Value;
    Notify();
}

void TNodeTreeColumn::SetLayout(TNtHeaderColumnLayout Value)
{
    if (Value == FLayout)
        return;
    FLayout = Value;
    Notify();
}

void TNodeTreeColumn::SetSpacing(Integer Value)
{
    if (Value == FSpacing)
        return;
    FSpacing = Value;
    Notify();
}

void TNodeTreeColumn::SetStyle(TNodeTreeColumnStyle Value)
{
    if (Value == FStyle)
        return;
    FStyle = Value;
    Notify();
}

void TNodeTreeColumn::SetMargin(Integer Value)
{
    if (Value < 0)
        Value = 4;
    if (Value == FMargin)
        return;
    FMargin = Value;
    Notify();
}

void TNodeTreeColumn::SetMaxWidth(Integer Value)
{
    FMaxWidth = std::max(Value, FMinWidth);
    SetWidth(FWidth);
}

void TNodeTreeColumn::SetMinWidth(Integer Value)
{
    if (Value < 0)
        Value = 0;
    FMinWidth = std::min(Value, FMaxWidth);
    SetWidth(FWidth);
}

void TNodeTreeColumn::SetText(const QString& Value)
{
    if (Value == FText)
        return;
    FText = Value;
    FCaptionText.clear();
    Notify();
}

void TNodeTreeColumn::SetWidth(Integer Value)
{
    TNodeTreeColumns* owner = Owner();
    TNtHeader* header = owner ? owner->FHeader : nullptr;
    TBaseNodeTree* tree = header ? header->Treeview() : nullptr;
    if (header && !(header->FStates & hsScaling)) {
        if (VisibleFixed(this) && tree) {
            const Integer cw = tree->ClientWidth();
            const Integer f = owner->GetVisibleFixedWidth();
            Integer sumMax = 0, sumMin = 0;
            for (Integer i = 0; i < owner->Count(); ++i) {
                const TNodeTreeColumn* c = owner->Items(i);
                if (VisibleFixed(c)) {
                    sumMax += c->FMaxWidth;
                    sumMin += c->FMinWidth;
                }
            }
            const Integer minP = header->FFixedAreaConstraints->MinWidthPercent();
            const Integer maxP = header->FFixedAreaConstraints->MaxWidthPercent();
            Integer upper = ((minP > 0 && sumMax < cw * minP / 100) ? cw * minP / 100 : sumMax) + FWidth - f;
            upper = std::min(upper, FMaxWidth);
            Integer lower = ((maxP > 0 && cw * maxP / 100 < sumMin) ? cw * maxP / 100 : sumMin) + FWidth - f;
            lower = std::max(lower, FMinWidth);
            Value = std::max(Value, lower);
            if (Value >= upper)
                Value = upper;
            if (minP > 0)
                Value = std::max(Value, cw * minP / 100 + FWidth - f);
            if (maxP > 0)
                Value = std::min(Value, cw * maxP / 100 + FWidth - f);
        } else {
            Value = std::min(std::max(Value, FMinWidth), FMaxWidth);
        }
    }
    if (Value == FWidth)
        return;
    FLastWidth = FWidth;
    if (!header || !(header->FStates & hsResizing))
        FBonusPixel = false;
    const bool isAutoSize = header && (header->FOptions & hoAutoResize) && Index() == header->FAutoSizeIndex;
    if (!isAutoSize) {
        FWidth = Value;
        if (owner)
            owner->RecomputeLayout(false);
    }
    if (owner && tree && !tree->HasState(csLoading) && owner->UpdateCount() == 0) {
        if (header->FOptions & hoAutoResize)
            owner->FitAutoSizeColumn(Index());
        tree->DoColumnResize(Index());
    }
}

void TNodeTreeColumn::SetOptions(TNtColumnOptions Value)
{
    if (Value == FOptions)
        return;
    const TNtColumnOptions added = Value & ~FOptions;
    const TNtColumnOptions removed = FOptions & ~Value;
    FOptions = Value;
    if (added & coParentBidiMode)
        ParentBiDiModeChanged();
    if (added & coParentColor)
        ParentColorChanged();
    if (added & coAutoSpring)
        FSpringRest = 0;
    TNtHeader* header = Header();
    if (((added | removed) & coFixed) && (FOptions & coVisible) && header)
        header->ApplyFixedAreaConstraints();
    Notify();
    TBaseNodeTree* tree = Tree();
    if (tree && !tree->HasState(csLoading) && (((added | removed) & coVisible) || (added & coParentColor)) && tree->UpdateCount() == 0 &&
        tree->HandleAllocated()) {
        tree->Invalidate();
        if ((added | removed) & coVisible)
            tree->UpdateHorizontalScrollBar(false);
    }
}

void TNodeTreeColumn::SetPosition(TColumnPosition Value)
{
    if (TreeLoading()) {
        FPosition = Value;
        return;
    }
    TNodeTreeColumns* owner = Owner();
    if (owner == nullptr)
        return;
    if (Integer(Value) >= owner->Count())
        Value = TColumnPosition(std::max(owner->Count() - 1, 0));
    if (Value == FPosition)
        return;
    owner->SyncPositionArray();
    TBaseNodeTree* tree = Tree();
    tree->CancelEditNode();
    owner->MovePosition(this, Value);
    Notify();
    if (owner->UpdateCount() == 0 && tree->HandleAllocated()) {
        owner->FHeader->Invalidate(this);
        tree->Invalidate();
    }
    // The column joins the fixed or scrolling part it now borders on.
    const Integer n = ((FOptions & coFixed) && FPosition > 0) ? Integer(FPosition) - 1 : Integer(FPosition) + 1;
    if (n >= 0 && n < owner->Count()) {
        const TNodeTreeColumn* neighbour = owner->Items(owner->FPositionToIndex[size_t(n)]);
        if (neighbour->FOptions & coFixed)
            SetOptions(FOptions | coFixed);
        else
            SetOptions(FOptions & ~coFixed);
    }
}

void TNodeTreeColumn::ParentBiDiModeChanged()
{
    TBaseNodeTree* tree = Tree();
    if ((FOptions & coParentBidiMode) && tree && tree->BiDiMode() != FBiDiMode) {
        FBiDiMode = tree->BiDiMode();
        Notify();
    }
}

void TNodeTreeColumn::ParentColorChanged()
{
    TBaseNodeTree* tree = Tree();
    if ((FOptions & coParentColor) && tree && tree->Color() != FColor) {
        FColor = tree->Color();
        Notify();
    }
}

void TNodeTreeColumn::RestoreLastWidth()
{
    if (TNodeTreeColumns* owner = Owner())
        owner->AnimatedResize(Index(), FLastWidth);
}

void TNodeTreeColumn::Assign(const TPersistent* Source)
{
    const auto* src = dynamic_cast<const TNodeTreeColumn*>(Source);
    if (src == nullptr) {
        TCollectionItem::Assign(Source);
        return;
    }
    const TNtColumnOptions saved = FOptions;
    FOptions = 0;
    SetBiDiMode(src->FBiDiMode);
    SetImageIndex(src->FImageIndex);
    SetLayout(src->FLayout);
    SetMargin(src->FMargin);
    SetMaxWidth(src->FMaxWidth);
    SetMinWidth(src->FMinWidth);
    SetPosition(src->FPosition);
    SetSpacing(src->FSpacing);
    SetStyle(src->FStyle);
    SetText(src->GetText());
    FHint = src->FHint;
    SetWidth(src->FWidth);
    SetAlignment(src->FAlignment);
    SetCaptionAlignment(src->GetCaptionAlignment());
    SetColor(src->FColor);
    FTag = src->FTag;
    FOptions = saved;
    SetOptions(src->FOptions);
    Notify();
}

bool TNodeTreeColumn::Equals(const TNodeTreeColumn* Other) const
{
    return Other != nullptr && FBiDiMode == Other->FBiDiMode && FImageIndex == Other->FImageIndex && FLayout == Other->FLayout &&
           FMargin == Other->FMargin && FMaxWidth == Other->FMaxWidth && FMinWidth == Other->FMinWidth && FPosition == Other->FPosition &&
           FSpacing == Other->FSpacing && FStyle == Other->FStyle && GetText() == Other->GetText() && FHint == Other->FHint &&
           FWidth == Other->FWidth && FAlignment == Other->FAlignment && GetCaptionAlignment() == Other->GetCaptionAlignment() &&
           FColor == Other->FColor && FTag == Other->FTag && FOptions == Other->FOptions;
}

void TNodeTreeColumn::LoadFromStream(TStream* Stream, Integer Version)
{
    SetText(ReadUtf16(Stream));
    FHint = ReadUtf16(Stream);
    SetWidth(ReadPixels(Stream));
    SetMinWidth(ReadPixels(Stream));
    SetMaxWidth(ReadPixels(Stream));
    SetStyle(ReadOrdinal(Stream, vsOwnerDraw));
    SetImageIndex(ReadInt(Stream));
    SetLayout(ReadOrdinal(Stream, blGlyphBottom));
    SetMargin(ReadPixels(Stream));
    SetSpacing(ReadPixels(Stream));
    SetBiDiMode(ReadOrdinal(Stream, bdRightToLeftReadingOnly));
    const Integer v = ReadInt(Stream);
    if (Version >= 3)
        SetOptions(TNtColumnOptions(v & 0xFFFF));
    else if (Version == 2)
        SetOptions(TNtColumnOptions(v & 0xFF));
    else
        // Older records lack coParentColor: the bits above it move up one.
        SetOptions(TNtColumnOptions(((v & 0x0F) | ((v >> 4) << 5)) & 0xFF));
    if (Version > 0) {
        FTag = ReadInt(Stream);
        SetAlignment(ReadOrdinal(Stream, taCenter));
    }
    if (Version > 1)
        SetColor(TColor(ReadInt(Stream)));
    if (Version > 5 && (FOptions & coUseCaptionAlignment))
        SetCaptionAlignment(ReadOrdinal(Stream, taCenter));
}

void TNodeTreeColumn::SaveToStream(TStream* Stream) const
{
    WriteUtf16(Stream, GetText());
    WriteUtf16(Stream, FHint);
    for (Integer v : {FWidth, FMinWidth, FMaxWidth, Integer(FStyle), FImageIndex, Integer(FLayout), FMargin, FSpacing, Integer(FBiDiMode),
                      Integer(FOptions), Integer(FTag), Integer(FAlignment), Integer(FColor)})
        WriteInt(Stream, v);
    if (FOptions & coUseCaptionAlignment)
        WriteInt(Stream, Integer(FCaptionAlignment));
}

// ---------------------------------------------------------------- the collection

TNodeTreeColumns::TNodeTreeColumns(TNtHeader* AOwner)
    : TCollection([](TCollection* c) { return new TNodeTreeColumn(c); }), FHeader(AOwner), FHeaderBitmap(std::make_unique<TBitmap>())
{
}

TNodeTreeColumns::~TNodeTreeColumns()
{
    delete FColumnPopupMenu;
    FColumnPopupMenu = nullptr;
    FClearing = true;
}

void TNodeTreeColumns::Clear()
{
    FClearing = true;
    TBaseNodeTree* tree = FHeader->Treeview();
    if (!tree->FDestroying)
        tree->CancelEditNode();
    FHoverIndex = FDownIndex = FTrackIndex = FClickIndex = NoColumn;
    FCheckBoxHit = false;
    if (!(FHeader->FStates & hsLoading)) {
        FHeader->FAutoSizeIndex = NoColumn;
        FHeader->FMainColumn = NoColumn;
        FHeader->FSortColumn = NoColumn;
    }
    if (!tree->HasState(csLoading))
        tree->FFocusedColumn = NoColumn;
    try {
        TCollection::Clear();
    } catch (...) {
        FClearing = false;
        throw;
    }
    FClearing = false;
}

void TNodeTreeColumns::Assign(const TPersistent* Source)
{
    TCollection::Assign(Source);
    if (const auto* src = dynamic_cast<const TNodeTreeColumns*>(Source)) {
        FPositionToIndex = src->FPositionToIndex;
        FNeedPositionsFix = false;
        RecomputeLayout(true);
    }
}

bool TNodeTreeColumns::Equals(const TNodeTreeColumns* Other) const
{
    if (Other == nullptr || Other->Count() != Count() || Other->FPositionToIndex != FPositionToIndex)
        return false;
    for (Integer i = 0; i < Count(); ++i)
        if (!Items(i)->Equals(Other->Items(i)))
            return false;
    return true;
}

void TNodeTreeColumns::Notify(TCollectionItem* Item, TCollectionNotification Action)
{
    TBaseNodeTree* tree = FHeader->Treeview();
    if ((Action == cnExtracting || Action == cnDeleting) && !tree->HasState(csLoading) && tree->FFocusedColumn == Item->Index())
        tree->FFocusedColumn = NoColumn;
}

void TNodeTreeColumns::Update(TCollectionItem* Item)
{
    TBaseNodeTree* tree = FHeader->Treeview();
    if (tree->FDestroying)
        return;
    SyncPositionArray();
    if (tree->HasState(csLoading))
        FNeedPositionsFix = true;
    else
        RecomputeLayout(false);
    if (Count() > 0 && FHeader->FMainColumn < 0) {
        FHeader->FMainColumn = 0;
        // The focus moves into the tree column that the columns now have.
        if (tree->FFocusedColumn < 0 && !tree->HasState(csLoading))
            tree->FFocusedColumn = 0;
    }
    // A focused column beyond the collection points at nothing now.
    if (tree->FFocusedColumn >= Count())
        tree->FFocusedColumn = Count() > 0 ? FHeader->FMainColumn : NoColumn;
    if (tree->HasState(csLoading) || (FHeader->FStates & hsLoading))
        return;
    if (FHeader->FOptions & hoAutoResize)
        FitAutoSizeColumn();
    if (Item != nullptr) {
        FHeader->Invalidate(static_cast<TNodeTreeColumn*>(Item));
    } else if (tree->HandleAllocated()) {
        tree->UpdateHorizontalScrollBar(false);
        FHeader->Invalidate();
        tree->Invalidate();
    }
}

// ---------------------------------------------------------------- position map

void TNodeTreeColumns::SyncPositionArray()
{
    const size_t count = size_t(Count());
    const size_t old = FPositionToIndex.size();
    if (old == count)
        return;
    FPositionToIndex.resize(count);
    for (size_t p = old; p < count; ++p)
        FPositionToIndex[p] = TColumnIndex(p);
    if (count < old) {
        bool again = true;
        while (again) {
            again = false;
            for (TColumnIndex& i : FPositionToIndex)
                if (i >= TColumnIndex(count)) {
                    --i;
                    again = true;
                }
        }
    }
}

void TNodeTreeColumns::MovePosition(TNodeTreeColumn* Column, TColumnPosition To)
{
    const TColumnIndex index = Column->Index();
    auto it = std::find(FPositionToIndex.begin(), FPositionToIndex.end(), index);
    if (it == FPositionToIndex.end())
        return;
    FPositionToIndex.erase(it);
    FPositionToIndex.insert(FPositionToIndex.begin() + std::min<size_t>(To, FPositionToIndex.size()), index);
    RecomputeLayout(false);
}

void TNodeTreeColumns::RemapPositions(TColumnIndex Removed)
{
    auto it = std::find(FPositionToIndex.begin(), FPositionToIndex.end(), Removed);
    if (it != FPositionToIndex.end())
        FPositionToIndex.erase(it);
    for (TColumnIndex& i : FPositionToIndex)
        if (i > Removed)
            --i;
}

void TNodeTreeColumns::AdjustRemovedIndex(TColumnIndex Removed, TColumnIndex& Index) const
{
    if (Index == Removed)
        Index = NoColumn;
    else if (Index > Removed)
        --Index;
}

void TNodeTreeColumns::RebuildPositionIndex()
{
    SyncPositionArray();
    for (Integer i = 0; i < Count(); ++i) {
        const TColumnPosition p = Items(i)->FPosition;
        if (p < FPositionToIndex.size())
            FPositionToIndex[p] = i;
    }
    FNeedPositionsFix = false;
    RecomputeLayout(true);
}

void TNodeTreeColumns::ResetPositionOrder(bool Reverse)
{
    SyncPositionArray();
    const Integer n = Count();
    for (Integer p = 0; p < n; ++p)
        FPositionToIndex[size_t(p)] = Reverse ? n - 1 - p : p;
    RecomputeLayout(true);
}

void TNodeTreeColumns::RecomputeLayout(bool Force)
{
    TBaseNodeTree* tree = FHeader->Treeview();
    if (tree->FDestroying || FNeedPositionsFix || (!Force && UpdateCount() > 0))
        return;
    Integer sum = 0;
    for (size_t p = 0; p < FPositionToIndex.size(); ++p) {
        TNodeTreeColumn* c = Items(FPositionToIndex[p]);
        c->FPosition = TColumnPosition(p);
        c->FLeft = sum;
        if (c->FOptions & coVisible)
            sum += c->FWidth;
    }
    tree->UpdateHorizontalScrollBar(false);
}

// ---------------------------------------------------------------- queries

TColumnIndex TNodeTreeColumns::GetFirstColumn() const
{
    return FPositionToIndex.empty() ? ColumnNotFound : FPositionToIndex[0];
}

TColumnIndex TNodeTreeColumns::GetNextColumn(TColumnIndex Column) const
{
    if (!IsValidColumn(Column))
        return ColumnNotFound;
    const TColumnPosition p = Items(Column)->FPosition + 1;
    return p < FPositionToIndex.size() ? FPositionToIndex[p] : ColumnNotFound;
}

TColumnIndex TNodeTreeColumns::GetPreviousColumn(TColumnIndex Column) const
{
    if (!IsValidColumn(Column))
        return ColumnNotFound;
    const TColumnPosition p = Items(Column)->FPosition;
    return p > 0 && p - 1 < FPositionToIndex.size() ? FPositionToIndex[p - 1] : ColumnNotFound;
}

namespace {
bool Qualifies(const TNodeTreeColumn* c, bool ConsiderAllowFocus)
{
    return (c->Options() & coVisible) && (!ConsiderAllowFocus || (c->Options() & coAllowFocus));
}
} // namespace

TColumnIndex TNodeTreeColumns::GetFirstVisibleColumn(bool ConsiderAllowFocus) const
{
    for (TColumnIndex i : FPositionToIndex)
        if (Qualifies(Items(i), ConsiderAllowFocus))
            return i;
    return ColumnNotFound;
}

TColumnIndex TNodeTreeColumns::GetLastVisibleColumn(bool ConsiderAllowFocus) const
{
    for (auto it = FPositionToIndex.rbegin(); it != FPositionToIndex.rend(); ++it)
        if (Qualifies(Items(*it), ConsiderAllowFocus))
            return *it;
    return ColumnNotFound;
}

TColumnIndex TNodeTreeColumns::GetNextVisibleColumn(TColumnIndex Column, bool ConsiderAllowFocus) const
{
    TColumnIndex c = Column;
    do
        c = GetNextColumn(c);
    while (c >= 0 && !Qualifies(Items(c), ConsiderAllowFocus));
    return c;
}

TColumnIndex TNodeTreeColumns::GetPreviousVisibleColumn(TColumnIndex Column, bool ConsiderAllowFocus) const
{
    TColumnIndex c = Column;
    do
        c = GetPreviousColumn(c);
    while (c >= 0 && !Qualifies(Items(c), ConsiderAllowFocus));
    return c;
}

std::vector<TNodeTreeColumn*> TNodeTreeColumns::GetVisibleColumns() const
{
    std::vector<TNodeTreeColumn*> result;
    for (TColumnIndex i : FPositionToIndex)
        if (Items(i)->FOptions & coVisible)
            result.push_back(Items(i));
    return result;
}

Integer TNodeTreeColumns::GetVisibleFixedWidth() const
{
    Integer w = 0;
    for (Integer i = 0; i < Count(); ++i)
        if (VisibleFixed(Items(i)))
            w += Items(i)->FWidth;
    return w;
}

Integer TNodeTreeColumns::GetScrollWidth() const
{
    Integer sum = 0, n = 0;
    for (Integer i = 0; i < Count(); ++i) {
        const TNodeTreeColumn* c = Items(i);
        if ((c->FOptions & coVisible) && !(c->FOptions & coFixed)) {
            sum += c->FWidth;
            ++n;
        }
    }
    if (n == 0)
        return Integer(FHeader->Treeview()->Indent());
    return Integer(std::nearbyint(double(sum) / n));
}

Integer TNodeTreeColumns::TotalWidth() const
{
    for (auto it = FPositionToIndex.rbegin(); it != FPositionToIndex.rend(); ++it) {
        const TNodeTreeColumn* c = Items(*it);
        if (c->FOptions & coVisible)
            return c->FLeft + c->FWidth;
    }
    return 0;
}

TColumnIndex TNodeTreeColumns::ColumnFromPosition(TColumnPosition PositionIndex) const
{
    return PositionIndex < FPositionToIndex.size() ? FPositionToIndex[PositionIndex] : ColumnNone;
}

TColumnIndex TNodeTreeColumns::ColumnFromPosition(TPoint P, bool Relative) const
{
    TBaseNodeTree* tree = FHeader->Treeview();
    if (P.X < 0 || P.Y < 0 || P.Y > tree->Height())
        return ColumnNotFound;
    Integer left = 0, right = 0;
    return GetColumnAtX(P.X, left, Relative, right);
}

TColumnIndex TNodeTreeColumns::GetColumnAtX(Integer X, Integer& Left, bool Relative, Integer& Right) const
{
    TBaseNodeTree* tree = FHeader->Treeview();
    Integer start = 0;
    if (Relative && X >= GetVisibleFixedWidth())
        start = -tree->FEffectiveOffsetX;
    for (TColumnIndex i : FPositionToIndex) {
        const TNodeTreeColumn* c = Items(i);
        if (!(c->FOptions & coVisible))
            continue;
        Left = start;
        start += c->FWidth;
        if (X < start) {
            Right = start;
            return i;
        }
    }
    return ColumnNotFound;
}

void TNodeTreeColumns::GetColumnBounds(TColumnIndex Column, Integer& Left, Integer& Right) const
{
    if (Column < 0 || !IsValidColumn(Column)) {
        Left = 0;
        Right = FHeader->Treeview()->ClientWidth();
        return;
    }
    Left = Items(Column)->GetLeft();
    Right = Left + Items(Column)->FWidth;
}

// ---------------------------------------------------------------- stream

void TNodeTreeColumns::LoadFromStream(TStream* Stream, Integer Version)
{
    Clear();
    const Integer n = ReadInt(Stream);
    if (n > 0) {
        BeginUpdate();
        try {
            for (Integer i = 0; i < n; ++i)
                Add()->LoadFromStream(Stream, Version);
            SyncPositionArray();
            for (Integer p = 0; p < n; ++p) {
                const Integer index = ReadInt(Stream);
                if (index < 0 || index >= n)
                    throw EReadError(QStringLiteral("Stream read error"));
                FPositionToIndex[size_t(p)] = index;
            }
        } catch (...) {
            // Whatever was read stays, in reading order.
            ResetPositionOrder(false);
            EndUpdate();
            throw;
        }
        // A map that is no permutation would lose columns: fall back to reading order.
        std::vector<TColumnIndex> check = FPositionToIndex;
        std::sort(check.begin(), check.end());
        for (Integer i = 0; i < n; ++i)
            if (check[size_t(i)] != i) {
                ResetPositionOrder(false);
                break;
            }
        EndUpdate();
        RecomputeLayout(true);
    }
    if (Version > 4)
        FDefaultWidth = ReadInt(Stream);
}

void TNodeTreeColumns::SaveToStream(TStream* Stream) const
{
    WriteInt(Stream, Count());
    if (Count() > 0) {
        for (Integer i = 0; i < Count(); ++i)
            Items(i)->SaveToStream(Stream);
        for (TColumnIndex i : FPositionToIndex)
            WriteInt(Stream, i);
    }
    WriteInt(Stream, FDefaultWidth);
}

// ---------------------------------------------------------------- the tree's column services

void TBaseNodeTree::InvalidateColumn(TColumnIndex Column)
{
    TNodeTreeColumns* columns = FHeader->Columns();
    if (FUpdateCount != 0 || !HandleAllocated() || !columns->IsValidColumn(Column))
        return;
    TRect r = ClientRect();
    columns->GetColumnBounds(Column, r.Left, r.Right);
    InvalidateRectangle(r);
}

void TBaseNodeTree::GetCellSpan(TColumnIndex Column, Integer& Left, Integer& Right) const
{
    const TNodeTreeColumns* columns = FHeader->Columns();
    if (Column < 0 || !columns->IsValidColumn(Column)) {
        Left = 0;
        Right = std::max<Integer>(ClientWidth(), Integer(FRangeX));
        return;
    }
    columns->Items(Column)->GetColumnSpan(Left, Right);
}

void TBaseNodeTree::ToggleColumnCheckState(TColumnIndex Column)
{
    TNodeTreeColumns* columns = FHeader->Columns();
    if (!columns->IsValidColumn(Column))
        return;
    TNodeTreeColumn* c = columns->Items(Column);
    c->SetCheckState(DetermineNextCheckState(c->CheckType(), c->CheckState()));
}
