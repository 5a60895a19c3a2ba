// Header painting: the strip is composed in the collection's bitmap (fixed
// columns first, then the scrolling ones) and copied to the target; each
// column is a button with its caption, header glyph, sort glyph and drop
// mark. The look is the plain edge look: no theme is drawn here.

#include <QPainter>

#include "platform/Bitmap.h"
#include "platform/DrawText.h"
#include "platform/Graphics.h"
#include "platform/ImageList.h"
#include "treeview/NodeTreesPrivate.h"
#include "treeview/NodeTreesUtils.h"
#include "treeview/header/NodeTreeHeader.h"

namespace {
struct TEdges {
    Cardinal NormalEdge, NormalFlags, PressedEdge, PressedFlags, RaisedEdge, RaisedFlags;
};

const TEdges& EdgesFor(TNtHeaderStyle Style)
{
    static const TEdges table[3] = {
        {EDGE_RAISED, 0x380B, EDGE_RAISED, 0x780F, 0, 0},
        {BDR_RAISEDINNER, 0x280B, BDR_SUNKENOUTER, 0x280F, 0, 0},
        {BDR_RAISEDINNER, 0x380F, BDR_SUNKENOUTER, 0x280F, BDR_RAISEDINNER, 0x280B},
    };
    return table[Style];
}

TAlignment Mirrored(TAlignment A)
{
    return A == taLeftJustify ? taRightJustify : A == taRightJustify ? taLeftJustify : A;
}
} // namespace

// ---------------------------------------------------------------- the strip

void TNodeTreeColumns::PaintHeader(TCanvas* Target, const TRect& R, Integer HOffset)
{
    TBaseNodeTree* tree = FHeader->Treeview();
    const Integer width = std::max(R.Width(), tree->FHeaderRect.Width());
    const Integer height = std::max(FHeader->FHeight, 1);
    if (FHeaderBitmap->Width() != width || FHeaderBitmap->Height() != height)
        FHeaderBitmap->SetSize(width, height);
    TCanvas* canvas = FHeaderBitmap->Canvas();
    const Integer fixedWidth = GetVisibleFixedWidth();
    // The scrolling part first, so that the fixed columns cover what
    // scrolled underneath them.
    PaintHeader(canvas, TRect(fixedWidth - HOffset, 0, R.Right + fixedWidth - HOffset, R.Height()), TPoint(R.Left + fixedWidth, R.Top), 0);
    if (fixedWidth >= 1)
        PaintHeader(canvas, TRect(0, 0, std::min(R.Right, fixedWidth), R.Height()), TPoint(R.Left, R.Top), 0);
    Target->CopyRect(R, canvas, R);
}

void TNodeTreeColumns::PaintHeader(TCanvas* TargetCanvas, TRect R, TPoint Target, Integer RTLOffset)
{
    if (R.IsEmpty())
        return;
    TBaseNodeTree* tree = FHeader->Treeview();
    const bool designing = tree->HasState(csDesigning);
    const bool advancedOwnerDraw =
        (FHeader->FOptions & hoOwnerDraw) && tree->OnAdvancedHeaderDraw && tree->OnHeaderDrawQueryElements && !designing;
    const bool ownerDraw = (FHeader->FOptions & hoOwnerDraw) && tree->OnHeaderDraw && !designing && !advancedOwnerDraw;
    THeaderPaintInfo info;
    info.TargetCanvas = TargetCanvas;
    TargetCanvas->SetFont(FHeader->FFont.get());

    THeaderPaintElements elements = 0;
    if (advancedOwnerDraw) {
        info.PaintRectangle = R;
        info.Column = nullptr;
        tree->DoHeaderDrawQueryElements(info, elements);
    }
    const TRect clip(Target.X, Target.Y, Target.X + R.Width(), Target.Y + FHeader->FHeight);
    if (elements & hpeBackground) {
        info.PaintRectangle = clip;
        tree->DoAdvancedHeaderDraw(info, hpeBackground);
    } else {
        TargetCanvas->Brush()->SetColor(FHeader->FBackgroundColor);
        TargetCanvas->Brush()->SetStyle(bsSolid);
        TargetCanvas->FillRect(clip);
    }
    R.Left = std::max(R.Left, 0);
    R.Top = std::max(R.Top, 0);
    R.Right = std::min(R.Right, TotalWidth());
    R.Bottom = std::min(R.Bottom, FHeader->FHeight);
    const Integer maxX = Target.X + R.Right - R.Left;
    TColumnIndex column = ColumnFromPosition(TPoint(R.Left + RTLOffset, 0), false);
    if (column < 0)
        return;
    info.ShowRightBorder = FHeader->FStyle == hsThickButtons || !(FHeader->FOptions & hoAutoResize) || tree->BorderStyle() == bsNone;
    TRect cr(Items(column)->FLeft + Target.X + RTLOffset - R.Left, Target.Y, 0, Target.Y + R.Height());
    while (column >= 0 && cr.Left < maxX) {
        cr.Right = cr.Left + Items(column)->FWidth;
        const Integer saved = TargetCanvas->SaveDC();
        ClipCanvasToRect(TargetCanvas, TRect(std::max(Target.X, cr.Left), Target.Y + R.Top, std::min(maxX, cr.Right), cr.Bottom));
        PaintColumn(info, column, cr, advancedOwnerDraw, ownerDraw);
        TargetCanvas->RestoreDC(saved);
        cr.Left = cr.Right;
        column = GetNextVisibleColumn(column);
    }
}

void TNodeTreeColumns::PaintColumn(THeaderPaintInfo& PaintInfo, TColumnIndex I, const TRect& CR, bool AdvancedOwnerDraw, bool OwnerDraw)
{
    TBaseNodeTree* tree = FHeader->Treeview();
    TNodeTreeColumn* column = Items(I);
    TCanvas* canvas = PaintInfo.TargetCanvas;
    const TNtColumnOptions opts = column->FOptions;
    PaintInfo.Column = column;
    PaintInfo.IsHoverIndex = I == FHoverIndex && (FHeader->FOptions & hoHotTrack) && (opts & coEnabled);
    PaintInfo.IsDownIndex = I == FDownIndex && !FCheckBoxHit;
    PaintInfo.DropMark = ((opts & coShowDropMark) && I == FDropTarget && I != FDragIndex) ? (FDropBefore ? dmmLeft : dmmRight) : dmmNone;
    PaintInfo.IsEnabled = (opts & coEnabled) && tree->Enabled();
    PaintInfo.ShowHeaderGlyph =
        (FHeader->FOptions & hoShowImages) && ((FHeader->FImages && column->FImageIndex >= 0) || column->FCheckBox);
    PaintInfo.ShowSortGlyph = I == FHeader->FSortColumn && (FHeader->FOptions & hoShowSortGlyphs);
    const bool wrapCaption = (opts & coWrapCaption) != 0;
    PaintInfo.PaintRectangle = CR;
    if (column->FStyle == vsOwnerDraw && OwnerDraw) {
        tree->DoHeaderDraw(canvas, column, PaintInfo.PaintRectangle, PaintInfo.IsHoverIndex, PaintInfo.IsDownIndex, PaintInfo.DropMark);
        return;
    }
    THeaderPaintElements elements = 0;
    if (AdvancedOwnerDraw)
        tree->DoHeaderDrawQueryElements(PaintInfo, elements);
    const Cardinal rightFlag = (!PaintInfo.ShowRightBorder && I >= Count() - 1) ? 0 : BF_RIGHT;
    if (elements & hpeBackground) {
        tree->DoAdvancedHeaderDraw(PaintInfo, hpeBackground);
    } else {
        const TEdges& e = EdgesFor(FHeader->FStyle);
        canvas->Brush()->SetColor(FHeader->FBackgroundColor);
        canvas->Brush()->SetStyle(bsSolid);
        canvas->FillRect(PaintInfo.PaintRectangle);
        TRect r = PaintInfo.PaintRectangle;
        if (PaintInfo.IsDownIndex)
            DrawEdge(canvas, r, e.PressedEdge, e.PressedFlags);
        else if (FHeader->FStyle == hsPlates && PaintInfo.IsHoverIndex && (opts & coAllowClick) && (opts & coEnabled))
            DrawEdge(canvas, r, e.RaisedEdge, e.RaisedFlags | rightFlag);
        else
            DrawEdge(canvas, r, e.NormalEdge, (e.NormalFlags & ~BF_RIGHT) | rightFlag);
    }
    InflateRect(PaintInfo.PaintRectangle, -2, -2);
    const TAlignment align = column->GetCaptionAlignment();
    Cardinal drawFormat = DT_NOPREFIX | (align == taLeftJustify ? DT_LEFT : align == taRightJustify ? DT_RIGHT : DT_CENTER);
    if (column->UseRightToLeftReading())
        drawFormat |= DT_RTLREADING;
    TSize sortGlyphSize;
    column->ComputeCaptionLayout(canvas, PaintInfo.PaintRectangle, PaintInfo.ShowHeaderGlyph, PaintInfo.ShowSortGlyph, PaintInfo.GlyphPos,
                                 PaintInfo.SortGlyphPos, sortGlyphSize, PaintInfo.TextRectangle, drawFormat);
    if (PaintInfo.IsDownIndex) {
        OffsetRect(PaintInfo.TextRectangle, 1, 1);
        PaintInfo.GlyphPos = TPoint(PaintInfo.GlyphPos.X + 1, PaintInfo.GlyphPos.Y + 1);
        PaintInfo.SortGlyphPos = TPoint(PaintInfo.SortGlyphPos.X + 1, PaintInfo.SortGlyphPos.Y + 1);
    }
    const THeaderPaintElements ownerElements = elements & ~hpeBackground;
    column->FHasImage = false;
    if (!(ownerElements & hpeHeaderGlyph) && PaintInfo.ShowHeaderGlyph) {
        TCustomImageList* list = nullptr;
        if (column->FCheckBox) {
            list = TBaseNodeTree::GetCheckImageListFor(tree->CheckImageKind());
            if (list == nullptr)
                list = tree->CustomCheckImages();
        } else {
            list = FHeader->FImages;
        }
        const Integer listWidth = list ? list->Width() : 0;
        if (list && (!PaintInfo.ShowSortGlyph || column->FBiDiMode != bdLeftToRight ||
                     PaintInfo.GlyphPos.X + listWidth <= PaintInfo.SortGlyphPos.X)) {
            if (column->FCheckBox) {
                TNtImageInfo image;
                image.Images = list;
                image.XPos = PaintInfo.GlyphPos.X;
                image.YPos = PaintInfo.GlyphPos.Y;
                image.Index = tree->GetCheckImage(nullptr, column->FCheckType, column->FCheckState, PaintInfo.IsEnabled);
                tree->PaintCheckImage(canvas, image, false);
            } else {
                list->Draw(canvas, PaintInfo.GlyphPos.X, PaintInfo.GlyphPos.Y, column->FImageIndex, PaintInfo.IsEnabled);
            }
            column->FHasImage = true;
            column->FImageRect = TRect(PaintInfo.GlyphPos.X, PaintInfo.GlyphPos.Y, PaintInfo.GlyphPos.X + list->Width(),
                                       PaintInfo.GlyphPos.Y + list->Height());
        }
    }
    const QString text = wrapCaption ? column->FCaptionText : column->GetText();
    const bool hot = PaintInfo.IsHoverIndex && (FHeader->FOptions & hoHotTrack);
    if (!(ownerElements & hpeText) && !column->GetText().isEmpty())
        DrawCaption(canvas, text, PaintInfo.TextRectangle, wrapCaption, drawFormat, hot, PaintInfo.IsEnabled);
    TCustomImageList* utility = NodeTreesShared::UtilityImages();
    if (!(ownerElements & hpeSortGlyph) && PaintInfo.ShowSortGlyph && utility)
        utility->Draw(canvas, PaintInfo.SortGlyphPos.X, PaintInfo.SortGlyphPos.Y, FHeader->FSortDirection == sdAscending ? 3 : 2, true);
    if (!(ownerElements & hpeDropMark) && PaintInfo.DropMark != dmmNone && utility) {
        const Integer y = (PaintInfo.PaintRectangle.Top + PaintInfo.PaintRectangle.Bottom - 16) / 2;
        if (PaintInfo.DropMark == dmmLeft)
            utility->Draw(canvas, PaintInfo.PaintRectangle.Left, y, 0, true);
        else
            utility->Draw(canvas, PaintInfo.PaintRectangle.Right - 16, y, 1, true);
    }
    if (ownerElements != 0) {
        const Integer saved = canvas->SaveDC();
        tree->DoAdvancedHeaderDraw(PaintInfo, ownerElements);
        canvas->RestoreDC(saved);
    }
}

void TNodeTreeColumns::DrawCaption(TCanvas* Canvas, QString Caption, TRect Bounds, bool WrapCaption, Cardinal DrawFormat, bool Hot,
                                   bool Enabled)
{
    if (!WrapCaption && Canvas->TextWidth(Caption) > Bounds.Width())
        Caption = ShortenWithEllipsis(Canvas, Caption, Bounds.Width());
    Canvas->SetBkMode(TRANSPARENT);
    if (WrapCaption)
        DrawFormat |= DT_WORDBREAK;
    if (Enabled) {
        TBaseNodeTree* tree = FHeader->Treeview();
        Canvas->Font()->SetColor(Hot ? tree->Colors()->GetColor(TNtColors::HeaderHotColor) : FHeader->FFont->Color());
        DrawText(Canvas, Caption, Bounds, DrawFormat);
    } else {
        TRect shifted = Bounds;
        OffsetRect(shifted, 1, 1);
        Canvas->Font()->SetColor(clBtnHighlight);
        DrawText(Canvas, Caption, shifted, DrawFormat);
        Canvas->Font()->SetColor(clBtnShadow);
        DrawText(Canvas, Caption, Bounds, DrawFormat);
    }
}

// ---------------------------------------------------------------- the caption layout

void TNodeTreeColumn::ComputeCaptionLayout(TCanvas* Canvas, const TRect& Client, bool UseHeaderGlyph, bool UseSortGlyph, TPoint& HeaderGlyphPos,
                                           TPoint& SortGlyphPos, TSize& SortGlyphSize, TRect& TextBounds, Cardinal DrawFormat)
{
    TNtHeader* header = Header();
    TBaseNodeTree* tree = Tree();
    const bool hasText = !GetText().isEmpty();
    if (!hasText && !UseHeaderGlyph && !UseSortGlyph)
        return;
    const bool rtl = FBiDiMode != bdLeftToRight;
    TAlignment alignment = GetCaptionAlignment();
    if (rtl)
        alignment = Mirrored(alignment);
    const Integer w = Client.Width(), h = Client.Height();
    TSize glyphSize(0, 0);
    if (UseHeaderGlyph) {
        TCustomImageList* list = FCheckBox ? tree->CheckImages() : header->Images();
        if (list)
            glyphSize = TSize(list->Width(), list->Height());
    }
    SortGlyphSize = TSize(0, 0);
    HeaderGlyphPos = TPoint();
    SortGlyphPos = TPoint();
    if (UseSortGlyph) {
        if (TCustomImageList* utility = NodeTreesShared::UtilityImages())
            SortGlyphSize = TSize(utility->Width(), utility->Height());
        SortGlyphPos.Y = (h - SortGlyphSize.cy) / 2;
    }
    TSize textSize(0, 0);
    Integer gap = 0;
    if (hasText) {
        if (FOptions & coWrapCaption) {
            if (FCaptionText.isEmpty() || FCaptionText == GetText())
                FCaptionText = WrapTextToWidth(Canvas, GetText(), TRect(0, 0, w, h), rtl, DrawFormat);
            TRect r(0, 0, w, 0);
            CalcTextRect(Canvas, FCaptionText, r, DrawFormat | DT_WORDBREAK);
            textSize = TSize(w, r.Height());
        } else {
            FCaptionText = GetText();
            textSize = Canvas->TextExtent(GetText());
            textSize.cx += 2;
        }
        gap = FSpacing;
    }
    TextBounds = TRect(0, 0, textSize.cx, textSize.cy);
    Integer textX = 0, textY = 0;
    const bool glyph = UseHeaderGlyph;
    const bool sideLayout = FLayout == blGlyphLeft || FLayout == blGlyphRight;
    if (hasText || glyph || !UseSortGlyph) {
        if (sideLayout || !glyph) {
            HeaderGlyphPos.Y = (h - glyphSize.cy) / 2;
            textY = std::max((h - textSize.cy) / 2, -5);
        } else {
            const Integer g = (h - (glyphSize.cy + textSize.cy + gap)) / 2;
            if (FLayout == blGlyphTop) {
                HeaderGlyphPos.Y = g;
                textY = g + glyphSize.cy + gap;
            } else {
                textY = g;
                HeaderGlyphPos.Y = g + textSize.cy + gap;
            }
        }
        switch (alignment) {
        case taCenter: {
            if (sideLayout) {
                Integer l = (w - (glyphSize.cx + gap + textSize.cx)) / 2;
                if (FLayout == blGlyphLeft && glyph) {
                    HeaderGlyphPos.X = l;
                    l += gap + glyphSize.cx;
                }
                textX = l;
                if (FLayout == blGlyphRight && glyph)
                    HeaderGlyphPos.X = l + gap + textSize.cx;
            } else {
                HeaderGlyphPos.X = (w - glyphSize.cx) / 2;
                textX = (w - textSize.cx) / 2 - (UseSortGlyph ? SortGlyphSize.cx / 2 : 0);
            }
            Integer left = textX, right = textX + textSize.cx;
            if (glyph) {
                left = std::min(HeaderGlyphPos.X, textX);
                right = std::max(HeaderGlyphPos.X + glyphSize.cx, textX + textSize.cx);
            }
            if (UseSortGlyph)
                SortGlyphPos.X = rtl ? left - FSpacing - SortGlyphSize.cx : right + FSpacing;
            break;
        }
        case taRightJustify: {
            Integer right = w - FMargin;
            if (!rtl && UseSortGlyph) {
                SortGlyphPos.X = right - SortGlyphSize.cx;
                right = SortGlyphPos.X - FSpacing;
            }
            if (sideLayout) {
                if (FLayout == blGlyphRight && glyph) {
                    HeaderGlyphPos.X = right - glyphSize.cx;
                    right = HeaderGlyphPos.X - FSpacing;
                }
                textX = right - textSize.cx;
                right = textX - gap;
                if (FLayout == blGlyphLeft && glyph) {
                    HeaderGlyphPos.X = right - glyphSize.cx;
                    right = HeaderGlyphPos.X - FSpacing;
                }
            } else {
                textX = right - textSize.cx;
                if (!glyph) {
                    right = textX - gap;
                } else {
                    HeaderGlyphPos.X = (w - glyphSize.cx) / 2;
                    if (right < HeaderGlyphPos.X + glyphSize.cx + FSpacing)
                        HeaderGlyphPos.X = right - glyphSize.cx - FSpacing;
                    right = std::min(textX - gap, HeaderGlyphPos.X - FSpacing);
                }
            }
            if (rtl && UseSortGlyph)
                SortGlyphPos.X = right - SortGlyphSize.cx;
            break;
        }
        default: {
            Integer x = FMargin;
            if (rtl && UseSortGlyph) {
                SortGlyphPos.X = FMargin;
                x = FMargin + SortGlyphSize.cx + FSpacing;
            }
            if (sideLayout) {
                if (FLayout == blGlyphLeft && glyph) {
                    HeaderGlyphPos.X = x;
                    x += glyphSize.cx + FSpacing;
                }
                textX = x;
                x += gap + textSize.cx;
                if (FLayout == blGlyphRight && glyph) {
                    HeaderGlyphPos.X = x;
                    x += glyphSize.cx + FSpacing;
                }
            } else {
                textX = x;
                if (!glyph) {
                    x += textSize.cx + gap;
                } else {
                    HeaderGlyphPos.X = std::max((w - glyphSize.cx) / 2, x);
                    x = std::max(HeaderGlyphPos.X + glyphSize.cx + FSpacing, textX + textSize.cx + gap);
                }
            }
            if (!rtl && UseSortGlyph)
                SortGlyphPos.X = x;
            break;
        }
        }
    } else {
        SortGlyphPos = TPoint((w - SortGlyphSize.cx) / 2, (h - SortGlyphSize.cy) / 2);
    }
    Integer maxRight = w - FMargin;
    Integer minLeft = FMargin;
    if (UseSortGlyph) {
        if (!rtl) {
            if (maxRight < SortGlyphPos.X + SortGlyphSize.cx)
                SortGlyphPos.X = maxRight - SortGlyphSize.cx;
            maxRight = SortGlyphPos.X - FSpacing;
        }
        SortGlyphPos.X = std::max(SortGlyphPos.X, FMargin);
        if (rtl)
            minLeft = SortGlyphPos.X + SortGlyphSize.cx + FSpacing;
        SortGlyphPos = TPoint(SortGlyphPos.X + Client.Left, SortGlyphPos.Y + Client.Top);
    }
    if (glyph) {
        if (maxRight < HeaderGlyphPos.X + glyphSize.cx)
            HeaderGlyphPos.X = maxRight - glyphSize.cx;
        if (FLayout == blGlyphRight)
            maxRight = HeaderGlyphPos.X - FSpacing;
        HeaderGlyphPos.X = std::max(HeaderGlyphPos.X, minLeft);
        if (FLayout == blGlyphLeft)
            minLeft = HeaderGlyphPos.X + glyphSize.cx + FSpacing;
        if (!(Index() == header->MainColumn() && !FCheckBox))
            HeaderGlyphPos.X -= 2;
        HeaderGlyphPos = TPoint(HeaderGlyphPos.X + Client.Left, HeaderGlyphPos.Y + Client.Top);
    }
    if (hasText) {
        textX = std::max(textX, minLeft);
        OffsetRect(TextBounds, textX, textY);
        if (TextBounds.Right > maxRight)
            TextBounds.Right = maxRight;
        OffsetRect(TextBounds, Client.Left, Client.Top);
        if (FOptions & coWrapCaption)
            FCaptionText = WrapTextToWidth(Canvas, GetText(), TRect(0, 0, TextBounds.Width(), h), rtl, DrawFormat);
    }
}

// ---------------------------------------------------------------- owner drawing

void TBaseNodeTree::DoHeaderDrawQueryElements(THeaderPaintInfo& PaintInfo, Byte& Elements)
{
    if (OnHeaderDrawQueryElements)
        OnHeaderDrawQueryElements(FHeader.get(), PaintInfo, Elements);
}

void TBaseNodeTree::DoAdvancedHeaderDraw(THeaderPaintInfo& PaintInfo, Byte Elements)
{
    if (OnAdvancedHeaderDraw)
        OnAdvancedHeaderDraw(FHeader.get(), PaintInfo, Elements);
}

void TBaseNodeTree::DoHeaderDraw(TCanvas* Canvas, TNodeTreeColumn* Column, const TRect& R, bool Hover, bool Pressed, TNtDropMarkMode DropMark)
{
    if (OnHeaderDraw)
        OnHeaderDraw(FHeader.get(), Canvas, Column, R, Hover, Pressed, DropMark);
}
