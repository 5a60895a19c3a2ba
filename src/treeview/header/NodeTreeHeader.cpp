// The header object: its properties and their side effects, the height and
// its limits, the fixed-area constraints, sorting by the sort column,
// repainting, assignment, the header stream record, and the strip's window
// above the tree's client window.

#include <QtEndian>

#include "platform/Bitmap.h"
#include "platform/Graphics.h"
#include "platform/ImageList.h"
#include "platform/Streams.h"
#include "platform/Accessibility.h"
#include "treeview/NodeTreesPrivate.h"
#include "treeview/header/NodeTreeHeader.h"
#include "treeview/header/NodeTreeHeaderStream.h"
#include "treeview/header/NodeTreeHeaderWindow.h"
#include "treeview/transfer/NodeTreeDragImage.h"

namespace {
using nodetreeheader::ReadInt;
using nodetreeheader::ReadOrdinal;
using nodetreeheader::WriteInt;
} // namespace

// ---------------------------------------------------------------- constraints

void TNtFixedAreaConstraints::SetConstraint(Integer Index, TNtConstraintPercent Value)
{
    TNtConstraintPercent* fields[4] = {&FMaxHeightPercent, &FMaxWidthPercent, &FMinHeightPercent, &FMinWidthPercent};
    if (Index < 0 || Index > 3 || *fields[Index] == Value)
        return;
    *fields[Index] = Value;
    switch (Index) {
    case 0:
        if (Value > 0 && Value < FMinHeightPercent)
            FMinHeightPercent = Value;
        break;
    case 1:
        if (Value > 0 && Value < FMinWidthPercent)
            FMinWidthPercent = Value;
        break;
    case 2:
        if (FMaxHeightPercent > 0 && FMaxHeightPercent < Value)
            FMaxHeightPercent = Value;
        break;
    case 3:
        if (FMaxWidthPercent > 0 && FMaxWidthPercent < Value)
            FMaxWidthPercent = Value;
        break;
    }
    if (OnChange)
        OnChange(this);
}

void TNtFixedAreaConstraints::Assign(const TPersistent* Source)
{
    const auto* src = dynamic_cast<const TNtFixedAreaConstraints*>(Source);
    if (src == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    FMaxHeightPercent = src->FMaxHeightPercent;
    FMaxWidthPercent = src->FMaxWidthPercent;
    FMinHeightPercent = src->FMinHeightPercent;
    FMinWidthPercent = src->FMinWidthPercent;
    if (OnChange)
        OnChange(this);
}

// ---------------------------------------------------------------- header

TNtHeader::TNtHeader(TBaseNodeTree* AOwner)
    : FOwner(AOwner), FColumns(std::make_unique<TNodeTreeColumns>(this)), FFont(std::make_unique<TFont>()),
      FFixedAreaConstraints(std::make_unique<TNtFixedAreaConstraints>(this)), FImageChangeLink(std::make_unique<TChangeLink>())
{
    FFont->OnChange = [this](TObject*) { HeaderFontChanged(); };
    FImageChangeLink->OnChange = [this](TObject*) {
        if (!FOwner->FDestroying)
            Invalidate();
    };
    FFixedAreaConstraints->OnChange = [this](TObject*) { ConstraintsChanged(); };
    FDragImage = std::make_unique<TNtDragImage>(AOwner);
    FDragImage->SetPreBlendBias(-50);
    FDragImage->SetTransparency(140);
}

TNtHeader::~TNtHeader()
{
    FDragImage.reset();
    delete FWindow;
    FWindow = nullptr;
    if (FImages)
        FImages->UnRegisterChanges(FImageChangeLink.get());
    FFixedAreaConstraints.reset();
    FFont.reset();
    FColumns->Clear();
    FColumns.reset();
}

bool TNtHeader::TreeLoading() const
{
    return FOwner->HasState(csLoading);
}

TControl* TNtHeader::WindowControl() const
{
    return FWindow;
}

bool TNtHeader::AllowFocus(TColumnIndex ColumnIndex) const
{
    return FColumns->IsValidColumn(ColumnIndex) && (FColumns->Items(ColumnIndex)->Options() & coAllowFocus);
}

void TNtHeader::SetColumns(const TNodeTreeColumns* Value)
{
    FColumns->Assign(Value);
}

void TNtHeader::SetAutoSizeIndex(TColumnIndex Value)
{
    if (Value == FAutoSizeIndex)
        return;
    FAutoSizeIndex = Value;
    if (FOptions & hoAutoResize)
        FColumns->FitAutoSizeColumn();
}

void TNtHeader::SetBackground(TColor Value)
{
    if (Value == FBackgroundColor)
        return;
    FBackgroundColor = Value;
    Invalidate();
}

void TNtHeader::SetDefaultHeight(Integer Value)
{
    if (Value < FMinHeight)
        Value = FMinHeight;
    if (Value > FMaxHeight)
        Value = FMaxHeight;
    if (FHeight == FDefaultHeight)
        SetHeight(Value);
    FDefaultHeight = Value;
}

void TNtHeader::SetFont(const TFont* Value)
{
    FFont->Assign(Value);
    FParentFont = false;
}

void TNtHeader::SetFixedAreaConstraints(const TNtFixedAreaConstraints* Value)
{
    FFixedAreaConstraints->Assign(Value);
}

void TNtHeader::SetHeight(Integer Value)
{
    if (!FOwner->HandleAllocated()) {
        FHeight = Value;
        FStates |= hsNeedScaling;
        FOwner->UpdateHeaderRect();
        return;
    }
    const Integer total = FOwner->ClientHeight() + FHeight;
    const Integer maxP = total * FFixedAreaConstraints->FMaxHeightPercent / 100;
    const Integer minP = total * FFixedAreaConstraints->FMinHeightPercent / 100;
    const Integer lower = FFixedAreaConstraints->FMaxHeightPercent > 0 ? std::min(FMinHeight, maxP) : FMinHeight;
    const Integer upper = FFixedAreaConstraints->FMinHeightPercent > 0 ? std::max(FMaxHeight, minP) : FMaxHeight;
    Integer h = std::max(Value, lower);
    if (h >= upper)
        h = upper;
    if (FFixedAreaConstraints->FMinHeightPercent > 0 && h < minP)
        h = minP;
    if (FFixedAreaConstraints->FMaxHeightPercent > 0 && h > maxP)
        h = maxP;
    if (h == FHeight)
        return;
    FHeight = h;
    if (!TreeLoading() && !(FStates & hsScaling))
        UpdateHeaderFrame();
    FOwner->Invalidate();
    FOwner->Update();
}

void TNtHeader::SetImages(TCustomImageList* Value)
{
    if (Value == FImages)
        return;
    if (FImages)
        FImages->UnRegisterChanges(FImageChangeLink.get());
    FImages = Value;
    if (FImages)
        FImages->RegisterChanges(FImageChangeLink.get());
    if (!TreeLoading())
        Invalidate();
}

void TNtHeader::SetMainColumn(TColumnIndex Value)
{
    if (TreeLoading()) {
        FMainColumn = Value;
        return;
    }
    const Integer count = FColumns->Count();
    Value = count == 0 ? NoColumn : std::clamp<Integer>(Value, 0, count - 1);
    if (Value == FMainColumn)
        return;
    FMainColumn = Value;
    FOwner->MainColumnChanged();
    if (!(FOwner->FOptions->SelectionOptions() & toExtendedFocus))
        FOwner->FFocusedColumn = MainColumn();
    FOwner->Invalidate();
}

void TNtHeader::ValidateMainColumn()
{
    const Integer count = FColumns->Count();
    FMainColumn = count == 0 ? NoColumn : std::clamp<Integer>(FMainColumn, 0, count - 1);
}

void TNtHeader::SetMaxHeight(Integer Value)
{
    FMaxHeight = std::max(Value, FMinHeight);
    SetHeight(FHeight);
}

void TNtHeader::SetMinHeight(Integer Value)
{
    if (Value < 0)
        Value = 0;
    FMinHeight = std::min(Value, FMaxHeight);
    SetHeight(FHeight);
}

void TNtHeader::SetOptions(TNtHeaderOptions Value)
{
    const TNtHeaderOptions old = FOptions;
    FOptions = Value;
    if ((old ^ Value) & hoVisible)
        FOwner->UpdateHeaderRect();
    if (((old ^ Value) & hoAutoResize) && FColumns->Count() > 0) {
        FColumns->FitAutoSizeColumn();
        if (FOwner->HandleAllocated()) {
            FOwner->UpdateHorizontalScrollBar(false);
            if (Value & hoAutoResize)
                FOwner->Invalidate();
        }
    }
    if (!TreeLoading() && FOwner->HandleAllocated()) {
        if ((old ^ Value) & hoVisible)
            UpdateHeaderFrame();
        Invalidate();
        FOwner->Invalidate();
    }
}

void TNtHeader::SetParentFont(bool Value)
{
    if (Value == FParentFont)
        return;
    FParentFont = Value;
    if (Value)
        FFont->Assign(FOwner->Font());
}

void TNtHeader::SetSortColumn(TColumnIndex Value)
{
    if (TreeLoading())
        FSortColumn = Value;
    else
        InternalSetSortColumn(Value);
}

void TNtHeader::InternalSetSortColumn(TColumnIndex Index)
{
    if (Index < NoColumn)
        Index = NoColumn;
    if (Index > FColumns->Count() - 1)
        Index = FColumns->Count() - 1;
    if (Index == FSortColumn)
        return;
    if (FSortColumn >= 0)
        Invalidate(FColumns->Items(FSortColumn));
    FSortColumn = Index;
    if (Index >= 0)
        Invalidate(FColumns->Items(Index));
    AutoSort();
}

void TNtHeader::SetSortDirection(TSortDirection Value)
{
    if (Value == FSortDirection)
        return;
    FSortDirection = Value;
    Invalidate();
    AutoSort();
}

void TNtHeader::AutoSort()
{
    if (((FOwner->FOptions->AutoOptions() & toAutoSort) || (FOptions & hoHeaderClickAutoSort)) && FOwner->FUpdateCount == 0 && FOwner->OnCompareNodes)
        FOwner->SortTree(FSortColumn, FSortDirection, true);
}

void TNtHeader::SetStyle(TNtHeaderStyle Value)
{
    if (Value == FStyle)
        return;
    FStyle = Value;
    if (!TreeLoading())
        Invalidate();
}

void TNtHeader::HeaderFontChanged()
{
    if (FOwner->FOptions && (FOwner->FOptions->AutoOptions() & toAutoChangeScale)) {
        Integer s = 0;
        for (Integer i = 0; i < FColumns->Count(); ++i)
            s = std::max(s, FColumns->Items(i)->Spacing());
        TBitmap bm;
        bm.SetSize(1, 1);
        bm.Canvas()->SetFont(FFont.get());
        const Integer t = bm.Canvas()->TextHeight(QStringLiteral("Q"));
        // Held to the largest height a header stream takes back.
        SetHeight(std::min(std::max(FHeight, t + s + s / 2), 32767));
    }
    Invalidate();
}

void TNtHeader::ConstraintsChanged()
{
    if (FOwner->HandleAllocated())
        ApplyFixedAreaConstraints();
    else
        FStates |= hsNeedScaling;
}

void TNtHeader::ApplyFixedAreaConstraints()
{
    if (FOwner->HasState(csLoading) || FOwner->HasState(csReading) || FOwner->HasState(csWriting) || FOwner->FDestroying ||
        (FStates & hsLoading) || !FOwner->HandleAllocated())
        return;
    FStates |= hsScaling;
    struct Leave {
        TNtHeader* H;
        ~Leave() { H->FStates &= ~(hsScaling | hsNeedScaling); }
    } leave{this};
    SetHeight(FHeight);
    UpdateHeaderFrame();
    const TNtFixedAreaConstraints& c = *FFixedAreaConstraints;
    if (c.FMinHeightPercent > 0 || c.FMaxHeightPercent > 0) {
        for (Integer i = 0; i < FColumns->Count(); ++i) {
            TNodeTreeColumn* col = FColumns->Items(i);
            if ((col->FOptions & (coVisible | coFixed)) == (coVisible | coFixed) && col->FWidth < col->FMinWidth)
                col->FWidth = col->FMinWidth;
        }
        const Integer fixedWidth = FColumns->GetVisibleFixedWidth();
        const Integer cw = FOwner->ClientWidth();
        const Integer minW = cw * c.FMinWidthPercent / 100;
        const Integer maxW = cw * c.FMaxWidthPercent / 100;
        if (c.FMaxWidthPercent > 0 && fixedWidth > maxW)
            ResizeColumns(maxW - fixedWidth, 0, FColumns->Count() - 1, coVisible | coFixed);
        else if (c.FMinWidthPercent > 0 && fixedWidth < minW)
            ResizeColumns(minW - fixedWidth, 0, FColumns->Count() - 1, coVisible | coFixed);
        FColumns->RecomputeLayout(false);
    }
}

void TNtHeader::UpdateHeaderFrame()
{
    if (!FOwner->HandleAllocated())
        return;
    FOwner->UpdateHeaderRect();
    // The client window moves below the strip (or back up) and the scroll
    // bars follow the new client height.
    FOwner->LayoutWindow();
    FOwner->UpdateScrollBars(true);
}

void TNtHeader::ApplyScale(Integer M, Integer D)
{
    if (D == 0)
        return;
    SetHeight(Integer(Int64(FHeight) * M / D));
    if (!FParentFont)
        FFont->SetSize(Integer(Int64(FFont->Size()) * M / D));
    for (Integer i = 0; i < FColumns->Count(); ++i) {
        TNodeTreeColumn* c = FColumns->Items(i);
        c->SetWidth(Integer(Int64(c->FWidth) * M / D));
    }
}

void TNtHeader::Invalidate(const TNodeTreeColumn* Column, bool ExpandToBorder)
{
    if (!(FOptions & hoVisible) || !FOwner->HandleAllocated() || FWindow == nullptr)
        return;
    // In strip coordinates: the strip's window starts where FHeaderRect does.
    TRect r(0, 0, FOwner->FHeaderRect.Width(), FHeight);
    if (Column != nullptr) {
        r.Left = Column->FLeft;
        r.Right = r.Left + Column->FWidth;
        if (!((Column->FOptions & coVisible) && (Column->FOptions & coFixed)))
            OffsetRect(r, -FOwner->FEffectiveOffsetX, 0);
        if (ExpandToBorder) {
            if (FOptions & hoFullRepaintOnResize) {
                r.Left = 0;
                r.Right = FOwner->FHeaderRect.Width();
            } else {
                r.Right = FOwner->FHeaderRect.Width();
            }
        }
    }
    InvalidateClientRect(FWindow, r);
}

bool TNtHeader::InHeader(TPoint P) const
{
    if (!(FOptions & hoVisible))
        return false;
    const TRect r(0, -FHeight, FOwner->FHeaderRect.Width(), 0);
    return PtInRect(r, P);
}

bool TNtHeader::InHeaderSplitterArea(TPoint P) const
{
    if (!(FOptions & hoVisible) || P.Y < -2 || P.Y > 2)
        return false;
    const TRect r(0, -FHeight, FOwner->FHeaderRect.Width(), 2);
    return PtInRect(r, P);
}

void TNtHeader::Assign(const TPersistent* Source)
{
    const auto* src = dynamic_cast<const TNtHeader*>(Source);
    if (src == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    SetAutoSizeIndex(src->FAutoSizeIndex);
    SetBackground(src->FBackgroundColor);
    SetColumns(src->FColumns.get());
    SetFont(src->FFont.get());
    SetFixedAreaConstraints(src->FFixedAreaConstraints.get());
    SetHeight(src->FHeight);
    SetImages(src->FImages);
    SetMainColumn(src->MainColumn());
    SetOptions(src->FOptions);
    SetParentFont(src->FParentFont);
    FPopupMenu = src->FPopupMenu;
    SetSortColumn(src->FSortColumn);
    SetSortDirection(src->FSortDirection);
    SetStyle(src->FStyle);
    ApplyFixedAreaConstraints();
}

void TNtHeader::SaveToStream(TStream* Stream) const
{
    WriteInt(Stream, -1);
    WriteInt(Stream, 6);
    FColumns->SaveToStream(Stream);
    WriteInt(Stream, FAutoSizeIndex);
    WriteInt(Stream, Integer(FBackgroundColor));
    WriteInt(Stream, FHeight);
    WriteInt(Stream, Integer(FOptions));
    WriteInt(Stream, Integer(FStyle));
    WriteInt(Stream, Integer(FFont->Color()));
    WriteInt(Stream, FFont->Height());
    const QByteArray name = FFont->Name().toUtf8();
    WriteInt(Stream, Integer(name.size()));
    if (!name.isEmpty())
        Stream->WriteBuffer(name);
    WriteInt(Stream, Integer(FFont->Pitch()));
    {
        const TFontStyles st = FFont->Style();
        WriteInt(Stream, (st.Contains(fsBold) ? 1 : 0) | (st.Contains(fsItalic) ? 2 : 0) | (st.Contains(fsUnderline) ? 4 : 0) |
                             (st.Contains(fsStrikeOut) ? 8 : 0));
    }
    WriteInt(Stream, FMainColumn);
    WriteInt(Stream, FSortColumn);
    WriteInt(Stream, Integer(FSortDirection));
    WriteInt(Stream, FParentFont ? 1 : 0);
    WriteInt(Stream, FMaxHeight);
    WriteInt(Stream, FMinHeight);
    WriteInt(Stream, FDefaultHeight);
    WriteInt(Stream, FFixedAreaConstraints->FMaxHeightPercent);
    WriteInt(Stream, FFixedAreaConstraints->FMaxWidthPercent);
    WriteInt(Stream, FFixedAreaConstraints->FMinHeightPercent);
    WriteInt(Stream, FFixedAreaConstraints->FMinWidthPercent);
}

void TNtHeader::LoadFromStream(TStream* Stream)
{
    FStates |= hsLoading;
    const TNtHeaderOptions saved = FOptions;
    FOptions = 0;
    struct Leave {
        TNtHeader* H;
        ~Leave()
        {
            H->FStates &= ~hsLoading;
            H->FOwner->DoColumnResize(NoColumn);
        }
    } leave{this};
    Integer version = ReadInt(Stream);
    if (version < 0) {
        version = ReadInt(Stream);
    } else {
        Stream->Seek(-4, soCurrent);
        version = -1;
    }
    FColumns->LoadFromStream(Stream, version);
    SetAutoSizeIndex(ReadInt(Stream));
    SetBackground(TColor(ReadInt(Stream)));
    SetHeight(nodetreeheader::ReadPixels(Stream));
    const TNtHeaderOptions read = TNtHeaderOptions(ReadInt(Stream));
    FOptions = saved;
    SetOptions(read);
    SetStyle(ReadOrdinal(Stream, hsPlates));
    FFont->SetColor(TColor(ReadInt(Stream)));
    FFont->SetHeight(nodetreeheader::ReadPixels(Stream));
    const Integer n = nodetreeheader::ReadLength(Stream, 1);
    QByteArray name(n, Qt::Uninitialized);
    if (n > 0)
        Stream->ReadBuffer(name.data(), n);
    FFont->SetName(QString::fromUtf8(name));
    FFont->SetPitch(ReadOrdinal(Stream, fpFixed));
    {
        const Integer bits = ReadInt(Stream);
        TFontStyles st;
        for (TFontStyle f : {fsBold, fsItalic, fsUnderline, fsStrikeOut})
            if (bits & (1 << Integer(f)))
                st |= f;
        FFont->SetStyle(st);
    }
    if (version > 0) {
        SetMainColumn(ReadInt(Stream));
        SetSortColumn(ReadInt(Stream));
        SetSortDirection(ReadOrdinal(Stream, sdDescending));
    }
    if (version > 4) {
        SetParentFont(ReadInt(Stream) != 0);
        FMaxHeight = nodetreeheader::ReadPixels(Stream);
        FMinHeight = nodetreeheader::ReadPixels(Stream);
        FDefaultHeight = nodetreeheader::ReadPixels(Stream);
        FFixedAreaConstraints->FMaxHeightPercent = TNtConstraintPercent(ReadInt(Stream) & 0xFF);
        FFixedAreaConstraints->FMaxWidthPercent = TNtConstraintPercent(ReadInt(Stream) & 0xFF);
        FFixedAreaConstraints->FMinHeightPercent = TNtConstraintPercent(ReadInt(Stream) & 0xFF);
        FFixedAreaConstraints->FMinWidthPercent = TNtConstraintPercent(ReadInt(Stream) & 0xFF);
    }
}

// ---------------------------------------------------------------- the tree's header services

void TBaseNodeTree::SetHeader(const TNtHeader* Value)
{
    FHeader->Assign(Value);
}

void TBaseNodeTree::UpdateHeaderRect()
{
    const Integer b = FBorderStyle == bsSingle ? 2 : 0;
    FHeaderRect = TRect(b, b, std::max(b, Width() - b), b);
    if (FHeader->FOptions & hoVisible)
        FHeaderRect.Bottom += FHeader->FHeight;
    FHeaderInset = FHeaderRect.Height();
}

void TBaseNodeTree::MainColumnChanged()
{
    CancelEditNode();
    NotifyAccessible({EVENT_OBJECT_NAMECHANGE});
}
