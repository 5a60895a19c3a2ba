// Painting: PaintTree composes each visible row in a row bitmap (erase,
// selection, lines, button, check image, images, content) and copies it to
// the target; only the rows inside the requested window are visited.

#include <QPainter>

#include "platform/Bitmap.h"
#include "platform/DrawText.h"
#include "platform/GraphicsQt.h"
#include "platform/ImageList.h"
#include "treeview/NodeTreesPrivate.h"
#include "treeview/header/NodeTreeHeader.h"

namespace {
QColor Q(TColor c)
{
    return ToQColor(ColorToRGB(c));
}
} // namespace

// ---------------------------------------------------------------- properties

void TBaseNodeTree::SetEmptyListMessage(const QString& Value)
{
    if (Value == FEmptyListMessage)
        return;
    FEmptyListMessage = Value;
    Invalidate();
}

void TBaseNodeTree::SetLineStyle(TNtLineStyle Value)
{
    if (Value == FLineStyle)
        return;
    FLineStyle = Value;
    if (!HasState(csLoading)) {
        BuildPaintResources(false, true);
        if (HandleAllocated())
            Invalidate();
    }
}

void TBaseNodeTree::SetLineMode(TNtLineMode Value)
{
    if (Value == FLineMode)
        return;
    FLineMode = Value;
    if (HandleAllocated() && !HasState(csLoading))
        Invalidate();
}

void TBaseNodeTree::SetButtonStyle(TNtButtonStyle Value)
{
    if (Value == FButtonStyle)
        return;
    FButtonStyle = Value;
    if (!HasState(csLoading)) {
        BuildPaintResources(true, false);
        if (HandleAllocated())
            Invalidate();
    }
}

void TBaseNodeTree::SetButtonFillMode(TNtButtonFillMode Value)
{
    if (Value == FButtonFillMode)
        return;
    FButtonFillMode = Value;
    if (!HasState(csLoading)) {
        BuildPaintResources(true, false);
        if (HandleAllocated())
            Invalidate();
    }
}

void TBaseNodeTree::SetBackground(const TPicture* Value)
{
    FBackground->Assign(Value);
    Invalidate();
}

void TBaseNodeTree::SetBackgroundOffset(Integer Index, Integer Value)
{
    Integer& field = Index == 0 ? FBackgroundOffsetX : FBackgroundOffsetY;
    if (field == Value)
        return;
    field = Value;
    Invalidate();
}

void TBaseNodeTree::TileBackgroundPicture(TCanvas* Canvas, const TRect& R, TPoint Offset)
{
    const QImage pic = FBackground->Graphic()->ToImage();
    if (pic.isNull() || R.IsEmpty())
        return;
    QPainter* p = Canvas->Painter();
    const Integer pw = pic.width(), ph = pic.height();
    auto wrap = [](Integer v, Integer m) { return ((v % m) + m) % m; };
    Integer y = R.Top;
    Integer y0 = wrap(R.Top + Offset.Y + FBackgroundOffsetY, ph);
    while (y < R.Bottom) {
        const Integer bandH = std::min(R.Bottom - y, ph - y0);
        Integer x = R.Left;
        Integer x0 = wrap(R.Left + Offset.X + FBackgroundOffsetX, pw);
        while (x < R.Right) {
            const Integer tileW = std::min(R.Right - x, pw - x0);
            p->drawImage(QPoint(x, y), pic, QRect(x0, y0, tileW, bandH));
            x += tileW;
            x0 = 0;
        }
        y += bandH;
        y0 = 0;
    }
}

void TBaseNodeTree::DrawBackgroundPicture(TCanvas* Canvas, const TRect& R, TPoint Offset)
{
    QPainter* p = Canvas->Painter();
    p->fillRect(QRect(R.Left, R.Top, R.Width(), R.Height()), ToQColor(ColorToRGB(Color())));
    const QImage pic = FBackground->Graphic()->ToImage();
    if (pic.isNull())
        return;
    const TRect picRect = Bounds(FBackgroundOffsetX, FBackgroundOffsetY, pic.width(), pic.height());
    TRect area = R;
    OffsetRect(area, Offset.X, Offset.Y);
    TRect d;
    if (!IntersectRect(d, picRect, area))
        return;
    p->drawImage(QPoint(d.Left - Offset.X, d.Top - Offset.Y), pic, QRect(d.Left - picRect.Left, d.Top - picRect.Top, d.Width(), d.Height()));
}

void TBaseNodeTree::SetSelectionCurveRadius(Cardinal Value)
{
    if (Value == FSelectionCurveRadius)
        return;
    FSelectionCurveRadius = Value;
    if (HandleAllocated() && !HasState(csLoading))
        Invalidate();
}

void TBaseNodeTree::FontChanged()
{
    TCustomControl::FontChanged();
    FWidestExtent.Valid = false;
    if (!HasState(csLoading)) {
        FitDefaultNodeHeightToFont();
        BuildPaintResources(true, false);
        Invalidate();
    }
}

// ---------------------------------------------------------------- window painting

void TBaseNodeTree::Paint()
{
    FInvalidBottom = {};
    TCanvas* canvas = Canvas();
    const TRect update = canvas->ClipRect();
    const TRect client = ClientRect();
    TRect r;
    if (!IntersectRect(r, update, client))
        return;
    TRect window = r;
    OffsetRect(window, FEffectiveOffsetX, -FOffsetY);
    PaintTree(canvas, window, r.TopLeft(), poBackground | poColumnColor | poDrawFocusRect | poDrawSelection | poDrawDropMark | poGridLines);
}

void TBaseNodeTree::RepaintNode(PDataNode Node)
{
    if (Node == nullptr || Node == FRoot || !HandleAllocated())
        return;
    InvalidateRectangle(GetDisplayRect(Node, NoColumn, false));
    Update();
}

// ---------------------------------------------------------------- images and cells

TCustomImageList* TBaseNodeTree::DoGetImageIndex(PDataNode Node, TNtImageKind Kind, TColumnIndex Column, bool& Ghosted, Integer& Index)
{
    if (OnGetImageIndexEx) {
        TCustomImageList* list = Kind == ikState ? FStateImages : FImages;
        OnGetImageIndexEx(this, Node, Kind, Column, Ghosted, Index, list);
        return list;
    }
    if (OnGetImageIndex)
        OnGetImageIndex(this, Node, Kind, Column, Ghosted, Index);
    return nullptr;
}

void TBaseNodeTree::GetImageIndex(TNtPaintInfo& Info, TNtImageKind Kind, TNtImageSlot Slot, TCustomImageList* DefaultImages)
{
    TNtImageInfo& slot = Info.ImageInfo[Slot];
    slot.Index = -1;
    slot.Ghosted = false;
    TCustomImageList* list = DoGetImageIndex(Info.Node, Kind, Info.Column, slot.Ghosted, slot.Index);
    slot.Images = list ? list : DefaultImages;
}

bool TBaseNodeTree::DoGetCellIsEmpty(PDataNode Node, TColumnIndex Column)
{
    bool isEmpty = true;
    if (OnGetCellIsEmpty)
        OnGetCellIsEmpty(this, Node, Column, isEmpty);
    return isEmpty;
}

void TBaseNodeTree::DoBeforeCellPaint(TCanvas* Canvas, PDataNode Node, TColumnIndex Column, TNtCellPaintMode Mode, TRect CellRect, TRect& ContentRect)
{
    if (!OnBeforeCellPaint)
        return;
    Canvas->SetFont(Font());
    OnBeforeCellPaint(this, Canvas, Node, Column, Mode, CellRect, ContentRect);
}

void TBaseNodeTree::PlaceImage(TCustomImageList* List, TNtImageInfo& Info, TRect& ContentRect, Integer VAlign, TBiDiMode BidiMode)
{
    if (List == nullptr)
        return;
    if (BidiMode == bdLeftToRight) {
        Info.XPos = ContentRect.Left - 1;
        ContentRect.Left += List->Width() + 2;
    } else {
        Info.XPos = ContentRect.Right - List->Width();
        ContentRect.Right -= List->Width() + 2;
    }
    Info.YPos = ContentRect.Top + VAlign - List->Height() / 2;
}

void TBaseNodeTree::EraseRow(TNtPaintInfo& PaintInfo, bool UseBackground, TRect R, bool Translate)
{
    TColor color = FColors->TreeBackgroundColor();
    TItemEraseAction action = eaDefault;
    TPoint backgroundOffset;
    if (Translate) {
        backgroundOffset = TPoint(-FEffectiveOffsetX, R.Top);
        OffsetRect(R, 0, -R.Top);
    }
    if (OnBeforeItemErase)
        OnBeforeItemErase(this, PaintInfo.Canvas, PaintInfo.Node, R, color, action);
    QPainter* p = PaintInfo.Canvas->Painter();
    if (action == eaColor) {
        p->fillRect(QRect(R.Left, R.Top, R.Width(), R.Height()), Q(color));
    } else if (action == eaDefault && UseBackground) {
        if (FOptions->FPaintOptions & toStaticBackground)
            DrawBackgroundPicture(PaintInfo.Canvas, R, backgroundOffset);
        else
            TileBackgroundPicture(PaintInfo.Canvas, R, backgroundOffset);
    } else if (action == eaDefault) {
        const TNtSelectionOptions sel = FOptions->FSelectionOptions;
        if ((PaintInfo.PaintOptions & poDrawSelection) && (sel & toFullRowSelect) && (PaintInfo.Node->States & vsSelected) &&
            !(FOptions->FPaintOptions & toUseBlendedSelection)) {
            const bool focused = Focused() || (FOptions->FPaintOptions & toPopupMode);
            const TColor fill = FColors->GetColor(focused ? TNtColors::FocusedSelectionColor : TNtColors::UnfocusedSelectionColor);
            const TColor frame = FColors->GetColor(focused ? TNtColors::FocusedSelectionBorderColor : TNtColors::UnfocusedSelectionBorderColor);
            p->fillRect(QRect(R.Left, R.Top, R.Width(), R.Height()), Q(fill));
            p->setPen(Q(frame));
            p->setBrush(Qt::NoBrush);
            p->drawRect(QRect(R.Left, R.Top, R.Width() - 1, R.Height() - 1));
        } else {
            p->fillRect(QRect(R.Left, R.Top, R.Width(), R.Height()), Q(color));
        }
    }
    if (OnAfterItemErase)
        OnAfterItemErase(this, PaintInfo.Canvas, PaintInfo.Node, R);
}

void TBaseNodeTree::PaintCellSelection(TNtPaintInfo& PaintInfo, Integer WindowOrgX, Integer MaxWidth)
{
    DoBeforeCellPaint(PaintInfo.Canvas, PaintInfo.Node, PaintInfo.Column, cpmPaint, PaintInfo.CellRect, PaintInfo.ContentRect);
    TRect inner = PaintInfo.ContentRect;
    const TNtMiscOptions misc = FOptions->FMiscOptions;
    const TNtSelectionOptions selOpts = FOptions->FSelectionOptions;
    if (!(misc & toGridExtensions)) {
        const Integer w = PaintInfo.NodeWidth;
        switch (PaintInfo.Alignment) {
        case taLeftJustify:
            if (inner.Left + w < inner.Right)
                inner.Right = inner.Left + w;
            break;
        case taRightJustify:
            if (w < inner.Width())
                inner.Left = inner.Right - w;
            break;
        case taCenter:
            if (w < inner.Width()) {
                inner.Left = (inner.Right + inner.Left - w) / 2;
                inner.Right = inner.Left + w;
            }
            break;
        }
    }
    PDataNode node = PaintInfo.Node;
    QPainter* p = PaintInfo.Canvas->Painter();
    const bool focused = Focused() || (FOptions->FPaintOptions & toPopupMode);
    const bool columnOk = PaintInfo.Column == FFocusedColumn || (selOpts & toFullRowSelect);
    const bool dropTarget = node == FDropTargetNode;
    if ((PaintInfo.PaintOptions & poDrawSelection) && columnOk && dropTarget && (FLastDropMode == dmOnNode || (node->States & vsSelected))) {
        // The node a drop would land on.
        if ((misc & toGridExtensions) || (selOpts & toFullRowSelect))
            inner = PaintInfo.CellRect;
        if (!inner.IsEmpty()) {
            const TColor fill = FColors->GetColor(TNtColors::DropTargetColor);
            const TColor frame = FColors->GetColor(TNtColors::DropTargetBorderColor);
            p->setPen(Q(frame));
            p->setBrush(Q(fill));
            if (FSelectionCurveRadius > 0)
                p->drawRoundedRect(QRect(inner.Left, inner.Top, inner.Width() - 1, inner.Height() - 1), FSelectionCurveRadius / 2.0,
                                   FSelectionCurveRadius / 2.0);
            else
                p->drawRect(QRect(inner.Left, inner.Top, inner.Width() - 1, inner.Height() - 1));
        }
    } else if ((PaintInfo.PaintOptions & poDrawSelection) && columnOk && !dropTarget && (node->States & vsSelected)) {
        if ((misc & toGridExtensions) || (selOpts & toFullRowSelect))
            inner = PaintInfo.CellRect;
        if (!inner.IsEmpty() && !(selOpts & toFullRowSelect)) {
            const TColor fill = FColors->GetColor(focused ? TNtColors::FocusedSelectionColor : TNtColors::UnfocusedSelectionColor);
            const TColor frame = FColors->GetColor(focused ? TNtColors::FocusedSelectionBorderColor : TNtColors::UnfocusedSelectionBorderColor);
            p->setPen(Q(frame));
            p->setBrush(Q(fill));
            if (FSelectionCurveRadius > 0) {
                p->setRenderHint(QPainter::Antialiasing, false);
                p->drawRoundedRect(QRect(inner.Left, inner.Top, inner.Width() - 1, inner.Height() - 1), FSelectionCurveRadius / 2.0,
                                   FSelectionCurveRadius / 2.0);
            } else {
                p->fillRect(QRect(inner.Left, inner.Top, inner.Width(), inner.Height()), Q(fill));
                if (frame != fill) {
                    p->setBrush(Qt::NoBrush);
                    p->drawRect(QRect(inner.Left, inner.Top, inner.Width() - 1, inner.Height() - 1));
                }
            }
        }
    }
    if (columnOk && (PaintInfo.PaintOptions & poDrawFocusRect) && focused && node == FFocusedNode && PaintInfo.Column == FFocusedColumn) {
        const TRect focusRect = (misc & toGridExtensions) ? PaintInfo.CellRect : inner;
        if (!focusRect.IsEmpty())
            DrawFocusRect(PaintInfo.Canvas, focusRect);
    }
}

// ---------------------------------------------------------------- PaintTree

TColumnIndex TBaseNodeTree::DetermineNextColumn(TNtPaintInfo& PaintInfo)
{
    return FHeader->Columns()->GetNextVisibleColumn(PaintInfo.Column);
}

void TBaseNodeTree::PaintTree(TCanvas* TargetCanvas, TRect Window, TPoint Target, TNtInternalPaintOptions PaintOptions)
{
    if (HasTreeState(tsPainting) || TargetCanvas == nullptr || !TargetCanvas->RequireHandle())
        return;
    DoStateChange(tsPainting);
    TRowBuffer& buffer = *FRowBuffer;
    struct Leave {
        TBaseNodeTree* T;
        ~Leave() { T->DoStateChange(0, tsPainting); }
    } leave{this};
    if (OnBeforePaint)
        OnBeforePaint(this, TargetCanvas);
    const TNtPaintOptions paint = FOptions->FPaintOptions;
    const TNtSelectionOptions selOpts = FOptions->FSelectionOptions;
    if ((paint & toAlwaysHideSelection) || (!Focused() && (paint & toHideSelection)))
        PaintOptions &= ~poDrawSelection;
    if (paint & toHideFocusRect)
        PaintOptions &= ~poDrawFocusRect;
    const Integer windowWidth = Window.Width();
    const Integer targetRight = Window.Right - Window.Left + Target.X;
    const Integer maximumBottom = Window.Bottom - Window.Top + Target.Y;
    QPainter* target = TargetCanvas->Painter();
    TargetCanvas->SetFont(Font());

    Integer nodeTop = Window.Top;
    PDataNode node = GetNodeAt(0, Window.Top, false, nodeTop);
    if (node == nullptr)
        nodeTop = Window.Top;
    TRect dest(Target.X, Target.Y - (Window.Top - nodeTop), targetRight, Target.Y - (Window.Top - nodeTop));
    const bool showImages = FImages != nullptr;
    const bool showStateImages = FStateImages != nullptr;
    const bool showChecks = ShowCheckImages();
    const bool showButtons = (paint & toShowButtons) != 0;
    const bool useBackground = (PaintOptions & poBackground) && (paint & toShowBackground) && !FBackground->Empty();
    const bool showLines = (paint & toShowTreeLines) && !((paint & toHideTreeLinesIfThemed) && HasTreeState(tsUseThemes));
    Integer buttonX = 0;
    const Integer plusWidth = FPlusBM->Width();
    TNodeTreeColumns* columns = FHeader->Columns();
    const bool useColumns = FHeader->UseColumns();
    const TColumnIndex mainColumn = FHeader->MainColumn();
    TNtPaintInfo info;
    TLineImage lineImage;
    lineImage.reserve(16);
    while (node && dest.Top < maximumBottom) {
        Integer selectLevel = BuildLineImage(node, lineImage);
        const Integer indentSize = Integer(lineImage.size());
        buttonX = Integer(std::lround(double(Integer(FIndent) - plusWidth) / 2.0)) + ((paint & toFixedIndent) ? 0 : (indentSize - 1) * Integer(FIndent)) + 1;
        if (!(node->States & vsInitialized))
            InitNode(node);
        if ((node->States & vsSelected) && !(paint & toChildrenAbove))
            ++selectLevel;
        MeasureItemHeight(&buffer.Canvas, node);
        const Integer rowHeight = Integer(GetNodeHeight(node));
        info.BrushOrigin = TPoint(Window.Left & 1, nodeTop & 1);
        nodeTop += rowHeight;
        dest.Bottom = dest.Top + rowHeight;
        if (rowHeight > 0 && (selectLevel > 0 || !(PaintOptions & poSelectedOnly))) {
            buffer.Resize(windowWidth, rowHeight);
            buffer.Canvas.SetWindowOrg(TPoint(Window.Left, 0));
            buffer.Canvas.SetBrushOrg(info.BrushOrigin);
            QPainter* p = &buffer.Painter;
            p->setBrushOrigin(0, info.BrushOrigin.Y);
            info.Canvas = &buffer.Canvas;
            info.Node = node;
            const TRect itemRect(0, 0, std::max<Integer>(Integer(FRangeX), ClientWidth()), rowHeight);
            Integer vAlign = 0, buttonY = 0;
            ComputeRowAlignment(showImages, showStateImages, node, vAlign, buttonY);
            bool customDraw = false;
            if (OnBeforeItemPaint)
                OnBeforeItemPaint(this, &buffer.Canvas, node, itemRect, customDraw);
            if (!customDraw) {
                info.PaintOptions = PaintOptions;
                EraseRow(info, useBackground, TRect(Window.Left, dest.Top, Window.Right, dest.Bottom), true);
                if (HasTreeState(tsEditing) && node == FFocusedNode)
                    info.PaintOptions &= ~poDrawSelection;
                // Without columns the whole row is one cell of the tree column;
                // with columns each visible column in display order is a cell.
                TColumnIndex column = useColumns ? columns->GetFirstVisibleColumn() : NoColumn;
                for (;;) {
                    const bool isMain = !useColumns || column == mainColumn;
                    const TNtPaintOptions cellOptions = info.PaintOptions;
                    if (useColumns) {
                        const TNodeTreeColumn* c = columns->Items(column);
                        Integer left = 0, right = 0;
                        c->GetColumnSpan(left, right);
                        if (left >= Window.Right)
                            break;
                        info.CellRect = TRect(left, 0, right, rowHeight);
                        info.Column = column;
                        info.Position = c->Position();
                        info.BidiMode = c->BiDiMode();
                        info.Alignment = c->Alignment();
                        if ((PaintOptions & poColumnColor) && !(c->Options() & coParentColor)) {
                            const QRect cell(left, 0, right - left, rowHeight);
                            p->fillRect(cell, Q(c->Color()));
                        }
                    } else {
                        info.CellRect = itemRect;
                        info.Column = NoColumn;
                        info.Position = 0;
                        info.BidiMode = FBiDiMode;
                        info.Alignment = FAlignment;
                    }
                    if (info.BidiMode != bdLeftToRight) {
                        if (info.Alignment == taLeftJustify)
                            info.Alignment = taRightJustify;
                        else if (info.Alignment == taRightJustify)
                            info.Alignment = taLeftJustify;
                    }
                    // The next column to paint; a cell may span empty cells after it.
                    const bool skipped = (PaintOptions & poMainOnly) && !isMain;
                    const TColumnIndex nextColumn = !useColumns ? ColumnNotFound
                                                    : skipped   ? columns->GetNextVisibleColumn(column)
                                                                : DetermineNextColumn(info);
                    if (!skipped && info.CellRect.Right > Window.Left) {
                        info.NodeWidth = GetNodeWidth(node, info.Column, &buffer.Canvas);
                        info.ContentRect = info.CellRect;
                        if (info.BidiMode == bdLeftToRight)
                            info.ContentRect.Left += FMargin;
                        else
                            info.ContentRect.Right -= FMargin;
                        TNtImageInfo& check = info.ImageInfo[slotCheck];
                        check.Index = -1;
                        if (showChecks && isMain) {
                            check.Index = GetCheckImage(node);
                            if (check.Index >= 0) {
                                check.Images = FCheckImages;
                                PlaceImage(FCheckImages, check, info.ContentRect, vAlign, info.BidiMode);
                                check.Ghosted = false;
                            }
                        }
                        info.ImageInfo[slotState].Index = -1;
                        if (showStateImages) {
                            GetImageIndex(info, ikState, slotState, FStateImages);
                            if (info.ImageInfo[slotState].Index >= 0)
                                PlaceImage(info.ImageInfo[slotState].Images, info.ImageInfo[slotState], info.ContentRect, vAlign, info.BidiMode);
                        }
                        info.ImageInfo[slotNormal].Index = -1;
                        if (showImages) {
                            GetImageIndex(info, (node->States & vsSelected) ? ikSelected : ikNormal, slotNormal, FImages);
                            if (info.ImageInfo[slotNormal].Index >= 0)
                                PlaceImage(info.ImageInfo[slotNormal].Images, info.ImageInfo[slotNormal], info.ContentRect, vAlign, info.BidiMode);
                        }
                        if (isMain)
                            ShiftContentByIndent(info, (paint & toFixedIndent) ? 1 : indentSize);
                        if ((PaintOptions & poGridLines) && (paint & toShowHorzGridLines)) {
                            buffer.Canvas.Font()->SetColor(FColors->GetColor(TNtColors::GridLineColor));
                            DrawHorzPatternLine(info, info.CellRect.Left, info.CellRect.Right, info.CellRect.Bottom - 1);
                            --info.CellRect.Bottom;
                            --info.ContentRect.Bottom;
                        }
                        if (useColumns && (PaintOptions & poGridLines) && (paint & toShowVertGridLines)) {
                            buffer.Canvas.Font()->SetColor(FColors->GetColor(TNtColors::GridLineColor));
                            DrawVertPatternLine(info, info.CellRect.Top, info.CellRect.Bottom, info.CellRect.Right - 1, false);
                            --info.CellRect.Right;
                            --info.ContentRect.Right;
                        }
                        PaintCellSelection(info, Window.Left, windowWidth);
                        if (isMain) {
                            if (showLines)
                                DrawTreeLines(info, vAlign, (paint & toFixedIndent) ? 1 : indentSize, lineImage);
                            if (showButtons && (node->States & vsHasChildren) &&
                                !((node->States & vsAllChildrenHidden) && (FOptions->FAutoOptions & toAutoHideButtons)))
                                DrawNodeButton(&buffer.Canvas, node, info.Column, info.CellRect, buttonX, buttonY, info.BidiMode);
                        }
                        if (check.Index >= 0)
                            PaintCheckImage(&buffer.Canvas, check, (node->States & vsSelected) != 0);
                        if (info.ImageInfo[slotState].Index >= 0)
                            DrawNodeImage(info, slotState, false);
                        if (info.ImageInfo[slotNormal].Index >= 0)
                            DrawNodeImage(info, slotNormal, true);
                        if (!(HasTreeState(tsEditing) && node == FFocusedNode && info.Column == FEditColumn))
                            PaintNodeContent(info);
                        if (OnAfterCellPaint)
                            OnAfterCellPaint(this, &buffer.Canvas, node, info.Column, info.CellRect);
                    }
                    info.PaintOptions = cellOptions;
                    if (!useColumns)
                        break;
                    column = nextColumn;
                    if (column < 0)
                        break;
                }
                if (OnAfterItemPaint)
                    OnAfterItemPaint(this, &buffer.Canvas, node, itemRect);
                if (node == FDropTargetNode && (paint & toShowDropmark) && (PaintOptions & poDrawDropMark))
                    DrawDropMark(&buffer.Canvas, node, itemRect);
            }
            // The row, composed off screen, goes to the target in one copy.
            buffer.Canvas.SetWindowOrg(TPoint(0, 0));
            const QPainter::CompositionMode mode = target->compositionMode();
            target->setCompositionMode(QPainter::CompositionMode_Source);
            const Integer h = std::min<Integer>(rowHeight, maximumBottom - dest.Top);
            target->drawImage(QPoint(dest.Left, dest.Top), buffer.Image, QRect(0, 0, windowWidth, h));
            target->setCompositionMode(mode);
        }
        dest.Top += rowHeight;
        if (dest.Top >= maximumBottom)
            break;
        node = GetNextVisible(node, true);
    }
    // Below the last row: the background.
    if (dest.Top < maximumBottom) {
        const TRect below(Target.X, dest.Top, targetRight, maximumBottom);
        bool handled = false;
        if (OnPaintBackground)
            OnPaintBackground(this, TargetCanvas, below, handled);
        if (!handled && useBackground) {
            // In client coordinates, as the rows above.
            const TPoint offset(Window.Left - Target.X - FEffectiveOffsetX, 0);
            if (paint & toStaticBackground)
                DrawBackgroundPicture(TargetCanvas, below, offset);
            else
                TileBackgroundPicture(TargetCanvas, below, offset);
        } else if (!handled) {
            target->fillRect(QRect(below.Left, below.Top, below.Width(), below.Height()), Q(FColors->TreeBackgroundColor()));
        }
    }
    if (FRoot->ChildCount == 0 && !FEmptyListMessage.isEmpty()) {
        TargetCanvas->SetBkMode(TRANSPARENT);
        TargetCanvas->Font()->SetColor(clGrayText);
        TRect r(FOffsetX + 2, 2, Width() + FOffsetX - 2, Height() - 2);
        DrawText(TargetCanvas, FEmptyListMessage, r, DT_LEFT | DT_NOCLIP | DT_WORDBREAK);
    }
    if (IsMouseSelecting() && HasTreeState(tsDrawSelecting)) {
        TRect sel = FNewSelRect;
        sel = TRect(std::min(sel.Left, sel.Right), std::min(sel.Top, sel.Bottom), std::max(sel.Left, sel.Right), std::max(sel.Top, sel.Bottom));
        OffsetRect(sel, -Window.Left + Target.X, -Window.Top + Target.Y);
        DrawRubberBand(TargetCanvas, 0, sel, TRect(Target.X, Target.Y, targetRight, maximumBottom));
    }
    if (OnAfterPaint)
        OnAfterPaint(this, TargetCanvas);
}
