// The building blocks of a row: the expand buttons (prepared once as
// bitmaps), the dotted tree and grid lines (a cached 8 x 8 pattern), the
// vertical placement inside a row, node images and the rubber band.

#include <QPainter>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/DrawText.h"
#include "platform/GraphicsQt.h"
#include "platform/ImageList.h"
#include "treeview/NodeTreesPrivate.h"

namespace {
QColor Q(TColor c)
{
    return ToQColor(ColorToRGB(c));
}

} // namespace

void TBaseNodeTree::BuildPaintResources(bool NeedButtons, bool NeedLines)
{
    if (NeedButtons) {
        const int size = 9;
        auto make = [&](bool plus) {
            QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
            img.fill(Qt::transparent);
            QPainter p(&img);
            if (FButtonStyle == bsTriangle) {
                p.setRenderHint(QPainter::Antialiasing, false);
                p.setPen(Qt::black);
                p.setBrush(Qt::black);
                if (plus) {
                    const QPoint pts[3] = {{2, 0}, {6, 4}, {2, 8}};
                    p.drawPolygon(pts, 3);
                } else {
                    const QPoint pts[3] = {{0, 2}, {8, 2}, {4, 6}};
                    p.drawPolygon(pts, 3);
                }
            } else {
                if (FButtonFillMode == fmTreeColor)
                    p.fillRect(0, 0, size, size, Q(FColors->TreeBackgroundColor()));
                else if (FButtonFillMode == fmWindowColor)
                    p.fillRect(0, 0, size, size, Q(clWindow));
                else if (FButtonFillMode == fmShaded) {
                    QLinearGradient g(0, 0, size, size);
                    g.setColorAt(0, Qt::white);
                    g.setColorAt(1, QColor(0xC6, 0xC6, 0xBD));
                    p.fillRect(0, 0, size, size, g);
                }
                p.setPen(Q(FColors->GetColor(TNtColors::TreeLineColor)));
                p.setBrush(Qt::NoBrush);
                p.drawRect(0, 0, size - 1, size - 1);
                p.setPen(Q(FColors->TreeFontColor()));
                p.drawLine(2, size / 2, size - 3, size / 2);
                if (plus)
                    p.drawLine(size / 2, 2, size / 2, size - 3);
            }
            p.end();
            return img;
        };
        const QImage plus = make(true);
        const QImage minus = make(false);
        FPlusBM->SetImage(plus);
        FHotPlusBM->SetImage(plus);
        FSelectedHotPlusBM->SetImage(plus);
        FMinusBM->SetImage(minus);
        FHotMinusBM->SetImage(minus);
        FSelectedHotMinusBM->SetImage(minus);
    }
    if (NeedLines) {
        for (int y = 0; y < 8; ++y)
            FDottedBrush->Bits[y] = FLineStyle == lsSolid ? 0x00 : ((y & 1) ? 0xAA : 0x55);
        FDottedBrush->Valid = false;
    }
}

void TBaseNodeTree::ComputeRowAlignment(bool ShowImages, bool ShowStateImages, PDataNode Node, Integer& VAlign, Integer& ButtonY)
{
    const Integer h = Integer(GetNodeHeight(Node));
    const Integer a = Node->Align;
    const Integer ph = FPlusBM->Height();
    switch (FNodeAlignment) {
    case naFromBottom: VAlign = h - a; break;
    case naFromTop: VAlign = a; break;
    case naProportional:
        if (ShowImages || ShowStateImages) {
            const Integer ih = ShowImages ? FImages->Height() : FStateImages->Height();
            VAlign = MulDiv(h - ih, a, 100) + ih / 2;
        } else if (FOptions->FPaintOptions & toShowButtons) {
            VAlign = MulDiv(h - ph, a, 100) + ph / 2;
        } else {
            VAlign = MulDiv(Node->NodeHeight, a, 100);
        }
        break;
    }
    ButtonY = VAlign - ph / 2 - (ph & 1);
}

void TBaseNodeTree::ShiftContentByIndent(TNtPaintInfo& PaintInfo, Integer Levels)
{
    const Integer d = Levels * Integer(FIndent);
    Integer offset;
    if (PaintInfo.BidiMode != bdLeftToRight) {
        PaintInfo.ContentRect.Right -= d;
        offset = -d;
    } else {
        PaintInfo.ContentRect.Left += d;
        offset = d;
    }
    for (TNtImageSlot s : {slotNormal, slotState, slotCheck})
        PaintInfo.ImageInfo[s].XPos += offset;
}

void TBaseNodeTree::DrawNodeButton(TCanvas* Canvas, PDataNode Node, TColumnIndex Column, const TRect& R, Integer ButtonX, Integer ButtonY, TBiDiMode BidiMode)
{
    const bool hot = Node == FCurrentHotNode && FHotNodeButtonHit;
    const bool selected = (Node->States & vsSelected) != 0;
    const Integer x = BidiMode == bdLeftToRight ? R.Left + ButtonX : R.Right - ButtonX - FPlusBM->Width();
    const Integer y = R.Top + ButtonY;
    TBitmap* bm;
    if (Node->States & vsExpanded)
        bm = hot ? (selected ? FSelectedHotMinusBM.get() : FHotMinusBM.get()) : FMinusBM.get();
    else
        bm = hot ? (selected ? FSelectedHotPlusBM.get() : FHotPlusBM.get()) : FPlusBM.get();
    Canvas->Draw(x, y, bm);
}

void TBaseNodeTree::DrawTreeLines(TNtPaintInfo& PaintInfo, Integer VAlignment, Integer IndentSize, const TLineImage& LineImage)
{
    const bool rtl = PaintInfo.BidiMode != bdLeftToRight;
    const Integer step = rtl ? -Integer(FIndent) : Integer(FIndent);
    Integer x = rtl ? PaintInfo.CellRect.Right + step : PaintInfo.CellRect.Left;
    const Integer h = Integer(GetNodeHeight(PaintInfo.Node));
    if (FLineMode == lmBands) {
        if (!(PaintInfo.PaintOptions & poGridLines))
            return;
        TLineImage bands(LineImage.size(), ltNone);
        for (Integer i = Integer(LineImage.size()) - 1; i >= 0; --i) {
            if ((PaintInfo.Node->States & vsExpanded) && !(PaintInfo.Node->States & vsAllChildrenHidden)) {
                bands[std::size_t(i)] = ltLeft;
                continue;
            }
            switch (LineImage[std::size_t(i)]) {
            case ltBottomRight:
            case ltTopDownRight:
            case ltRight:
            case ltTopRight: bands[std::size_t(i)] = ltLeftBottom; break;
            case ltNone:
            case ltTopDown: {
                const bool nextNone = std::size_t(i + 1) < LineImage.size() &&
                                      (LineImage[std::size_t(i + 1)] == ltNone || LineImage[std::size_t(i + 1)] == ltTopRight);
                bands[std::size_t(i)] = nextNone && std::size_t(i + 1) < bands.size() ? bands[std::size_t(i + 1)] : ltLeft;
                break;
            }
            default: bands[std::size_t(i)] = ltNone; break;
            }
        }
        PaintInfo.Canvas->Font()->SetColor(FColors->GetColor(TNtColors::GridLineColor));
        for (Integer i = 0; i < IndentSize && std::size_t(i) < bands.size(); ++i, x += step)
            DrawLineElement(PaintInfo, x, PaintInfo.CellRect.Top, h - 1, VAlignment - 1, bands[std::size_t(i)], rtl);
        return;
    }
    PaintInfo.Canvas->Font()->SetColor(FColors->GetColor(TNtColors::TreeLineColor));
    for (Integer i = 0; i < IndentSize && std::size_t(i) < LineImage.size(); ++i, x += step)
        DrawLineElement(PaintInfo, x, PaintInfo.CellRect.Top, h, VAlignment - 1, LineImage[std::size_t(i)], rtl);
}

void TBaseNodeTree::DrawLineElement(TNtPaintInfo& PaintInfo, Integer X, Integer Y, Integer H, Integer VAlign, TNtLineType Style, bool Reverse)
{
    const Integer half = Integer(std::lround(double(FIndent) / 2.0));
    const Integer targetX = Reverse ? 0 : Integer(FIndent);
    switch (Style) {
    case ltBottomRight:
        DrawVertPatternLine(PaintInfo, Y + VAlign, Y + H, X + half, false);
        DrawHorzPatternLine(PaintInfo, X + half, X + targetX, Y + VAlign);
        break;
    case ltTopDown: DrawVertPatternLine(PaintInfo, Y, Y + H, X + half, false); break;
    case ltTopDownRight:
        DrawVertPatternLine(PaintInfo, Y, Y + H, X + half, false);
        DrawHorzPatternLine(PaintInfo, X + half, X + targetX, Y + VAlign);
        break;
    case ltRight: DrawHorzPatternLine(PaintInfo, X + half, X + targetX, Y + VAlign); break;
    case ltTopRight:
        DrawVertPatternLine(PaintInfo, Y, Y + VAlign, X + half, false);
        DrawHorzPatternLine(PaintInfo, X + half, X + targetX, Y + VAlign);
        break;
    case ltLeft: DrawVertPatternLine(PaintInfo, Y, Y + H, Reverse ? X + Integer(FIndent) : X, false); break;
    case ltLeftBottom:
        DrawVertPatternLine(PaintInfo, Y, Y + H, Reverse ? X + Integer(FIndent) : X, false);
        DrawHorzPatternLine(PaintInfo, X, X + Integer(FIndent), Y + H);
        break;
    case ltNone: break;
    }
}

void TBaseNodeTree::DrawHorzPatternLine(TNtPaintInfo& PaintInfo, Integer Left, Integer Right, Integer Top)
{
    QPainter* p = PaintInfo.Canvas->Painter();
    if (p == nullptr)
        return;
    const QBrush& brush = FDottedBrush->For(Q(PaintInfo.Canvas->Font()->Color()).rgba(), Q(FColors->TreeBackgroundColor()).rgba());
    p->fillRect(QRect(std::min(Left, Right), Top, std::abs(Right - Left) + 1, 1), brush);
}

void TBaseNodeTree::DrawVertPatternLine(TNtPaintInfo& PaintInfo, Integer Top, Integer Bottom, Integer Left, bool UseSelectedBkColor)
{
    QPainter* p = PaintInfo.Canvas->Painter();
    if (p == nullptr)
        return;
    TColor back = FColors->TreeBackgroundColor();
    if (UseSelectedBkColor)
        back = FColors->GetColor((Focused() || (FOptions->FPaintOptions & toPopupMode)) ? TNtColors::FocusedSelectionColor
                                                                                         : TNtColors::UnfocusedSelectionColor);
    const QBrush& brush = FDottedBrush->For(Q(PaintInfo.Canvas->Font()->Color()).rgba(), Q(back).rgba());
    p->fillRect(QRect(Left, std::min(Top, Bottom), 1, std::abs(Bottom - Top) + 1), brush);
}

void TBaseNodeTree::DrawNodeImage(TNtPaintInfo& PaintInfo, TNtImageSlot Slot, bool DoOverlay)
{
    const TNtImageInfo& info = PaintInfo.ImageInfo[Slot];
    if (info.Images == nullptr)
        return;
    PDataNode node = PaintInfo.Node;
    const bool enabled = !(node->States & vsDisabled) && Enabled();
    const bool cutNode = (node->States & vsCutOrCopy) && HasTreeState(tsCutPending);
    const bool paintFocused = Focused() || (FOptions->FPaintOptions & toGhostedIfUnfocused);
    const bool blend = (FOptions->FPaintOptions & toUseBlendedImages) && paintFocused &&
                       (info.Ghosted || ((node->States & vsSelected) && !(FOptions->FSelectionOptions & toFullRowSelect) &&
                                         !(FOptions->FMiscOptions & toGridExtensions)) ||
                        cutNode);
    // A selected image blends with the highlight (the list's default blend
    // colour), a ghosted or cut one with the tree's colour.
    const TColor blendColor = ((node->States & vsSelected) && !info.Ghosted) ? clHighlight : Color();
    if (blend && enabled)
        info.Images->DrawBlended(PaintInfo.Canvas, info.XPos, info.YPos, info.Index, ColorToRGB(blendColor));
    else
        info.Images->Draw(PaintInfo.Canvas, info.XPos, info.YPos, info.Index, enabled);
    if (DoOverlay) {
        TNtPaintInfo overlay = PaintInfo;
        GetImageIndex(overlay, ikOverlay, slotOverlay, FImages);
        const TNtImageInfo& o = overlay.ImageInfo[slotOverlay];
        if (o.Index >= 0 && o.Images && !(o.Index == info.Index && o.Images == info.Images))
            o.Images->Draw(PaintInfo.Canvas, info.XPos, info.YPos, o.Index, enabled);
    }
}

void TBaseNodeTree::DrawRubberBand(TCanvas* Canvas, Integer WindowOrgX, TRect SelectionRect, TRect TargetRect)
{
    QPainter* p = Canvas->Painter();
    if (p == nullptr)
        return;
    OffsetRect(SelectionRect, -WindowOrgX, 0);
    if (FDrawSelectionMode == smBlendedRectangle) {
        TRect r;
        if (IntersectRect(r, SelectionRect, TargetRect)) {
            QColor c = Q(FColors->GetColor(TNtColors::SelectionRectangleBlendColor));
            c.setAlpha(FSelectionBlendFactor);
            p->fillRect(QRect(r.Left, r.Top, r.Width(), r.Height()), c);
        }
        p->setPen(Q(FColors->GetColor(TNtColors::SelectionRectangleBorderColor)));
        p->setBrush(Qt::NoBrush);
        p->drawRect(QRect(SelectionRect.Left, SelectionRect.Top, SelectionRect.Width() - 1, SelectionRect.Height() - 1));
    } else {
        DrawFocusRect(Canvas, SelectionRect);
    }
}

void TBaseNodeTree::DrawDropMark(TCanvas* Canvas, PDataNode, TRect R)
{
    if (FLastDropMode != dmAbove && FLastDropMode != dmBelow)
        return;
    const TPenStyle penStyle = Canvas->Pen()->Style();
    const TColor brushColor = Canvas->Brush()->Color();
    const TBrushStyle brushStyle = Canvas->Brush()->Style();
    Canvas->Pen()->SetStyle(psClear);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(FColors->GetColor(TNtColors::DropMarkColor));
    if (FLastDropMode == dmAbove)
        Canvas->Polygon({TPoint(R.Left + 2, R.Top), TPoint(R.Right - 2, R.Top), TPoint(R.Right - 2, R.Top + 6), TPoint(R.Right - 6, R.Top + 2),
                         TPoint(R.Left + 6, R.Top + 2), TPoint(R.Left + 2, R.Top + 6)});
    else
        Canvas->Polygon({TPoint(R.Left + 2, R.Bottom - 1), TPoint(R.Right - 2, R.Bottom - 1), TPoint(R.Right - 2, R.Bottom - 8),
                         TPoint(R.Right - 7, R.Bottom - 3), TPoint(R.Left + 7, R.Bottom - 3), TPoint(R.Left + 2, R.Bottom - 8)});
    Canvas->Brush()->SetColor(brushColor);
    Canvas->Brush()->SetStyle(brushStyle);
    Canvas->Pen()->SetStyle(penStyle);
}
