// TExStringGrid: the text step of the cell drawing (selection text colours,
// background picture and gradient, filter button, selection rectangle,
// mini-HTML, URLs, word wrap, ellipsis, password masking, error underline
// and sort indicator) and the measuring of a cell's text.

#include "grid/ExGrid.h"
#include "grid/ExGridEditors.h"

#include <cmath>
#include <numbers>

#include "grid/EsgHTMLE.h"
#include "grid/ExGridCellGraphic.h"
#include "grid/ExUtil.h"
#include "grid/painting/ExGridPaintState.h"
#include "grid/painting/GridGlyphs.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/DrawText.h"
#include "platform/Graphics.h"

namespace {

// Text kinds of GetTextKind.
constexpr Integer kPlain = 0, kHTML = 1, kRich = 2, kFormula = 3, kWide = 5;

} // namespace

void TExStringGrid::DrawCellText(TCanvas* Canvas, TCellPaint& P, TRect R)
{
    const Integer RCol = P.RCol, ARow = P.ARow;
    const bool fixed = P.FixedLook || (P.State & gdFixed) != 0;
    const bool normalCol = RCol >= FixedCols() && RCol < ColCount() - FFixedRightCols;

    // 1. Selection colours of the text.
    TColor linkColor = FURLColor;
    const bool disjunctRowSel = FMouseActions->DisjunctRowSelect() && (Options() & goRowSelect) != 0 && normalCol
                                && RowSelect(P.SelRow);
    if (((P.State & gdSelected) != 0 || disjunctRowSel) && !fixed) {
        if (ShowSelection()) {
            if (FSelectionColor != clNone)
                Canvas->Brush()->SetColor(FSelectionColor);
            if (FSelectionTextColor != clNone && Enabled())
                Canvas->Font()->SetColor(FSelectionTextColor);
            linkColor = FSelectionTextColor;
        } else if (!Focused() || HasCheckBox(RCol, ARow)) {
            Canvas->Brush()->SetColor(P.BrushColor);
            Canvas->Font()->SetColor(P.FontColor);
        }
    }

    // 2. The text to show.
    QString text = GetFormattedCell(RCol, ARow);
    Integer kind = GetTextKind(text, EnableHTML());
    if (kind == kFormula) {
        text = GetFormulaCellText(RCol, ARow);
        kind = GetTextKind(text, EnableHTML());
    }
    if (kind == kWide) {
        text = DecodeWideCellText(text);
        kind = kPlain;
    }
    Integer errFrom = 0, errLen = 0;
    GetMarker(RCol, ARow, errFrom, errLen);
    if (CellIsPassword(RCol, ARow))  // the real column, as every cell hook takes
        FillWithChar(text, PasswordChar());

    // 3. Text rectangle; an in-cell scroll bar scrolls the text up.
    TRect TR = R;
    if (fixed) {
        TR.Left += GridLineWidth();
        TR.Top += GridLineWidth();
    }
    Integer saved = -1;
    if (P.ScrollPos > 0) {
        saved = Canvas->SaveDC();
        Canvas->IntersectClipRect(R);
        TR.Top -= P.ScrollPos;
    }
    struct TClip {
        TCanvas* C;
        Integer& Saved;
        ~TClip()
        {
            if (Saved >= 0)
                C->RestoreDC(Saved);
        }
    } clip{Canvas, saved};

    // 4. Filter button.
    if (P.FilterButton)
        DrawGridGlyph(Canvas, QStringLiteral("ESGFILT"), TR.Right - 16, TR.Top);

    // 5. Cells outside a disjunct selection keep their own colours.
    if (RCol >= FixedCols() && ARow >= FixedRows() && !FMouseDown
        && ((FMouseActions->DisjunctRowSelect() && !RowSelect(P.SelRow))
            || (FMouseActions->DisjunctColSelect() && !ColSelect(P.ACol)))) {
        linkColor = FURLColor;
        Canvas->Brush()->SetColor(Color());
        Canvas->Font()->SetColor(Font()->Color());
        GetCellColor(RCol, ARow, P.State, Canvas->Brush(), Canvas->Font());
        Canvas->Font()->SetSize(Canvas->Font()->Size() + ZoomFactor());
    }

    // 6.-7. Background picture or gradient under cells without a colour.
    const TCellProperties* props = PropsOf(RCol, ARow);
    const bool ownColor = props != nullptr && props->BrushColor() != clNone;
    const bool kindMatches = FBackGround->Cells == bcAll || (FBackGround->Cells == bcFixed) == fixed;
    const bool inSelectionColor = (P.State & gdSelected) != 0 && ShowSelection();
    if (!FBackGround->Bitmap()->Empty() && !ownColor && kindMatches && !inSelectionColor) {
        TRect br = TR;
        OffsetRect(br, -(GridLineWidth() - 1), -(GridLineWidth() - 1));
        TBitmap* bmp = FBackGround->Bitmap();
        if (FBackGround->Display == bdTile && bmp->Width() > 0 && bmp->Height() > 0) {
            const Integer first = FBackGround->Cells == bcNormal ? FixedCols() : 0;
            const Integer firstRow = FBackGround->Cells == bcNormal ? FixedRows() : 0;
            Integer ox = 0, oy = 0;
            for (Integer c = first; c < P.ACol; ++c)
                ox += ColWidths(c);
            for (Integer r = firstRow; r < ARow; ++r)
                oy += RowHeights(r);
            ox %= bmp->Width();
            oy %= bmp->Height();
            for (Integer y = br.Top - 1, sy = oy; y < br.Bottom; y += bmp->Height() - sy, sy = 0)
                for (Integer x = br.Left - 1, sx = ox; x < br.Right; x += bmp->Width() - sx, sx = 0) {
                    const Integer w = std::min(bmp->Width() - sx, br.Right - x);
                    const Integer h = std::min(bmp->Height() - sy, br.Bottom - y);
                    Canvas->CopyRect({x, y, x + w, y + h}, bmp->Canvas(), {sx, sy, sx + w, sy + h});
                }
        } else {
            const TRect pic(FBackGround->Left, FBackGround->Top, FBackGround->Left + bmp->Width(),
                            FBackGround->Top + bmp->Height());
            const TRect meet(std::max(br.Left, pic.Left), std::max(br.Top, pic.Top), std::min(br.Right, pic.Right),
                             std::min(br.Bottom, pic.Bottom));
            if (meet.Left < meet.Right && meet.Top < meet.Bottom)
                Canvas->CopyRect(meet, bmp->Canvas(), {meet.Left - pic.Left, meet.Top - pic.Top,
                                                       meet.Right - pic.Left, meet.Bottom - pic.Top});
        }
    }
    const bool gradientDisplay = FBackGround->Display == bdGradientHorz || FBackGround->Display == bdGradientVert;
    const TCellType type = P.Graphic != nullptr ? P.Graphic->CellType : ctEmpty;
    const bool controlKind = type == ctCheckBox || type == ctDataCheckBox || type == ctRadio || type == ctButton
                             || type == ctRadioButton;
    const bool showsSelColor = ShowSelection() && (P.State & gdSelected) != 0
                               && ((P.State & gdFocused) == 0 || (Options() & goDrawFocusSelected) != 0);
    if (gradientDisplay && FBackGround->ColorTo != clNone && (!ownColor || controlKind) && kindMatches
        && !showsSelColor) {
        const TRect gr(TR.Left - 1, TR.Top - GridLineWidth(), TR.Right, TR.Bottom + GridLineWidth() - 1);
        const bool horz = FBackGround->Display == bdGradientHorz;
        const Integer extent = horz ? Width() : Height();
        const TColor from = InterpolateColor(FBackGround->Color, FBackGround->ColorTo, 0, extent,
                                             horz ? gr.Left : gr.Top);
        const TColor to = InterpolateColor(FBackGround->Color, FBackGround->ColorTo, 0, extent,
                                           horz ? gr.Right : gr.Bottom);
        DrawGradient(Canvas, from, to, 128, gr, horz);
        Canvas->Pen()->SetColor(to);
        Canvas->Brush()->SetColor(to);
    }

    // 8. Selection rectangle and its resize handle.
    const TGridRect sel = Selection();
    if (SelectionRectangle() && !fixed && sel.Contains(P.ACol, ARow)) {
        const Integer LW = GridLineWidth();
        Canvas->Pen()->SetColor(SelectionRectangleColor());
        Canvas->Pen()->SetWidth(2);
        const bool rightmost = P.ACol == sel.Right;
        const auto line = [&](Integer x1, Integer y1, Integer x2, Integer y2) {
            Canvas->MoveTo(x1, y1);
            Canvas->LineTo(x2, y2);
        };
        if (P.ACol == sel.Left)
            line(TR.Left - LW + 1, TR.Bottom, TR.Left - LW + 1, TR.Top - LW);
        if (rightmost)
            line(TR.Right - 1, TR.Bottom, TR.Right - 1, TR.Top - LW);
        if (ARow == sel.Top)
            line(TR.Left - LW, TR.Top - LW + 1, rightmost ? TR.Right - 1 : TR.Right, TR.Top - LW + 1);
        if (ARow == sel.Bottom)
            line(TR.Left - LW, TR.Bottom, rightmost ? TR.Right - 1 : TR.Right, TR.Bottom);
        if (SelectionResizer() && rightmost && ARow == sel.Bottom) {
            const TRect cell = CellRect(P.ACol, ARow);
            Canvas->Brush()->SetColor(SelectionRectangleColor());
            Canvas->FillRect({TR.Right - 4, TR.Bottom - 4, cell.Right, cell.Bottom});
        }
        Canvas->Pen()->SetWidth(1);
    }

    // 9. A graphic that leaves no room for text.
    if (!P.ShowText)
        return;

    // 10. Room for the margins and the graphic.
    if (!XYOffsetTopLeftOnly())
        TR.Right -= XYOffset().X;
    TR.Left += XYOffset().X;
    TR.Top += XYOffset().Y;
    if (P.HA == taLeftJustify && P.GHA == haBeforeText)
        TR.Left += P.GW;
    if (P.GHA == haAfterText)
        TR.Right -= P.GW;
    if (P.HA != taLeftJustify && P.GHA == haBeforeText)
        TR.Left += P.GW;
    if (P.GVA == vaAboveText)
        TR.Top += P.GH;
    if (P.GVA == vaUnderText)
        TR.Bottom -= P.GH;
    const Integer gShift = P.GHA == haLeft || (P.HA == taLeftJustify && P.GHA == haBeforeText) ? P.GW : 0;
    if (RCol == 0 && HasNodes() && !IsNodeRow(ARow))
        TR.Left += GetNodeIndent(ARow);

    // The sort indicator of the sort header.
    const TSortSettings* sort = FSortSettings.get();
    const Integer sortIndex = FSortIndexes->FindIndex(RCol);
    const bool showsSort = IsSortIndicatorCell(P.ACol, ARow) && (RCol == sort->Column || sortIndex >= 0)
                           && FixedRows() > 0 && (RCol >= FixedCols() || sort->FixedCols)
                           && (sortIndex < 1 || sort->IndexShow);
    const auto sortY = [&](const TRect& Box) {
        return P.VA == vtaCenter ? Box.Top + (Box.Bottom - Box.Top) / 2
               : P.VA == vtaBottom ? Box.Bottom - 8
                                   : Box.Top + 8;
    };

    if (kind == kHTML) {
        // 11. Mini-HTML.
        if (P.FilterButton)
            TR.Right -= 18;
        TR.Left -= 1;
        if (showsSort)
            TR.Right -= 10;
        TMiniHTMLRequest request;
        request.Images = FGridImages;
        request.AnchorColor = linkColor;
        request.HoverAnchor = P.ACol == FHoverCell.X && ARow == FHoverCell.Y ? FHoverlink : -1;
        request.HoverOnly = URLUnderlineOnHover();
        request.BlinkOn = FGridBlink;
        request.WordWrap = P.WW;
        request.PictureContainer = FContainer;
        request.PictureCache = FImageCache.get();
        TMiniHTMLResult result;
        RenderMiniHTML(Canvas, text, TR, request, result);
        if (showsSort)
            DrawSortIndicator(Canvas, RCol, TR.Right + 2, sortY(TR));
        P.TextWidth = result.Width + 2;
        return;
    }

    if (kind == kRich) {
        // 12. Rich text, rendered with its formats.
        const bool unpainted = (P.State & gdSelected) != 0 && !Focused() && FSelectionColor == clNone;
        if (!unpainted) {
            Canvas->Pen()->SetColor(Canvas->Brush()->Color());
            Canvas->FillRect(TR);
        }
        Canvas->Brush()->SetStyle(bsClear);
        DrawRichCell(RCol, ARow, TR, Canvas);
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Font()->SetColor(clBlack);
        return;
    }

    // 13. Plain text.
    if (P.HA == taCenter && ARow == sort->Row && sort->Show && RCol == sort->Column)
        TR.Left += 10;
    const bool url = URLShow() && IsURL(text);
    const TFontStyles styleBefore = Canvas->Font()->Style();
    if (url) {
        if (!URLFull())
            StripURLProtocol(text);
        Canvas->Font()->SetStyle(styleBefore | fsUnderline);
        Canvas->Font()->SetColor(linkColor);
    }
    Cardinal flags = DT_EDITCONTROL;
    if (LineCount(text, MultilineCells()) == 1 && !P.WW) {
        QString rest = text;
        text = ExtractLine(rest, false);
        flags = DT_SINGLELINE;
        if (EnhTextSize())
            flags |= DT_END_ELLIPSIS;
    }
    if (P.WW && !MultilineCells() && EnhTextSize())
        flags |= DT_END_ELLIPSIS;
    flags |= DT_EXPANDTABS | DT_NOPREFIX;
    flags |= P.HA == taRightJustify ? DT_RIGHT : P.HA == taCenter ? DT_CENTER : 0;
    const Cardinal vflag = P.VA == vtaCenter ? DT_VCENTER : P.VA == vtaBottom ? DT_BOTTOM : 0;
    flags |= vflag;
    FVAlign = vflag;
    flags |= P.WW || MultilineCells() ? DT_WORDBREAK | DT_EDITCONTROL : DT_SINGLELINE;
    Canvas->SetBkMode(TRANSPARENT);
    Canvas->Brush()->SetStyle(bsClear);
    if (P.FilterButton)
        TR.Right -= 16;
    if (P.Graphic != nullptr && !text.isEmpty()) {
        TRect calc = TR;
        DrawText(Canvas, text, calc, flags | DT_CALCRECT);
        P.TextWidth = calc.Right - TR.Left + 2;
    }
    TRect drawn = TR;
    DrawText(Canvas, text, drawn, flags);
    if (errLen > 0 && (type == ctEmpty || type == ctValue))
        DrawErrorUnderline(this, Canvas, text, TR, Canvas->TextHeight(QStringLiteral("hg")) - 2, errFrom, errLen);
    Canvas->Brush()->SetStyle(bsSolid);

    // 13.8 Sort indicator beside the text.
    TR = R;
    if (P.FilterButton)
        TR.Right -= 16;
    if (showsSort) {
        const Integer p = std::max(0, std::min(TR.Width() - 16, Canvas->TextWidth(text)));
        const Integer x = P.HA == taRightJustify ? TR.Right - p - 10
                          : P.HA == taCenter     ? TR.Left + 8
                                                 : TR.Left + p + gShift + 10;
        DrawSortIndicator(Canvas, RCol, x, sortY(TR));
    }
    if (url)
        Canvas->Font()->SetStyle(styleBefore);
}

TPoint TExStringGrid::GetCellTextSize(Integer ACol, Integer ARow, bool WithButton, bool LimitWidth)
{
    return CalcCellTextSize(ACol, RealToDisplCol(ACol), WithButton, LimitWidth, ARow);
}

TPoint TExStringGrid::CalcCellTextSize(Integer ACol, Integer DisplCol, bool WithButton, bool LimitWidth, Integer ARow)
{
    TCanvas* canvas = Canvas();
    QString text = GetFormattedCell(ACol, ARow);
    Integer kind = GetTextKind(text, EnableHTML());
    TGridDrawState state = 0;
    TBrush brush;
    GetFontProperties(DisplCol, ACol, true, &brush, canvas->Font(), state, ARow);
    if (FActiveCellShow && (DisplCol < FixedCols() || ARow < FixedRows()) && FActiveCellFont->Style().Contains(fsBold))
        canvas->Font()->SetStyle(canvas->Font()->Style() | fsBold);
    canvas->Font()->SetSize(canvas->Font()->Size() + ZoomFactor());
    if (kind == kFormula) {
        text = GetFormulaCellText(ACol, ARow);
        kind = GetTextKind(text, EnableHTML());
    }
    if (kind == kWide)
        text = DecodeWideCellText(text);

    TRect R = CellRect(DisplCol, ARow);
    if (XYOffsetTopLeftOnly()) {
        R.Left += XYOffset().X;
        R.Top += XYOffset().Y;
    } else {
        InflateRect(R, -XYOffset().X, -XYOffset().Y);
    }
    if (WithButton)
        R.Right -= 17;

    if (kind == kHTML) {
        R.Bottom = 65535;
        if (!LimitWidth)
            R.Right = 65535;
        TMiniHTMLRequest request;
        request.MeasureOnly = true;
        request.Images = FGridImages;
        request.WordWrap = LimitWidth;
        request.PictureContainer = FContainer;
        request.PictureCache = FImageCache.get();
        TMiniHTMLResult result;
        RenderMiniHTML(canvas, text, R, request, result);
        return {result.Width + 2, result.Height + 2};
    }
    TExRichEdit* rich = nullptr;
    if (kind == kRich && !IsDesigning()) {
        // Measured as its formatted text: the plain text in the font it starts with.
        rich = RichEdit();
        rich->Clear();
        rich->SetBounds(0, 0, 0, 0);
        rich->SetWordWrap(false);
        CellToRich(ACol, ARow, rich);
        canvas->Font()->SetName(rich->SelAttributes()->Name());
        canvas->Font()->SetSize(rich->SelAttributes()->Size());
        canvas->Font()->SetStyle(rich->SelAttributes()->Style());
        text = rich->Text();
    }
    Integer angle = 0;
    const bool rotated = IsRotated(ACol, ARow, angle);
    Integer width = 0, height = 0;
    if (LimitWidth) {
        InflateRect(R, -2, -2);
        if (EditMode && FEditing && RealColIndex(Col()) == ACol && Row() == ARow && text.endsWith(QChar(10)))
            text += QLatin1Char('w');
        width = R.Width();
        TRect calc = R;
        height = DrawText(canvas, text, calc,
                          DT_CALCRECT | DT_NOPREFIX | DT_EDITCONTROL | DT_EXPANDTABS
                              | (rotated ? DT_SINGLELINE : DT_WORDBREAK));
    } else {
        QString rest = text;
        Integer lines = 0;
        do {
            QString line = MultilineCells() ? ExtractLine(rest, true) : ExtractLine(rest, false);
            if (URLShow() && !URLFull() && IsURL(line))
                StripURLProtocol(line);
            width = std::max(width, canvas->TextWidth(line));
            ++lines;
        } while (!rest.isEmpty());
        height = canvas->TextHeight(QStringLiteral("gh")) * lines;
    }
    if (rotated) {
        const double a = angle * std::numbers::pi / 180.0;
        const auto term = [](double V) { return std::abs(std::lround(V)); };
        const Integer w = width, h = height;
        width = Integer(std::abs(term(h * std::sin(a)) - term(w * std::cos(a)))) + 12;
        height = Integer(std::abs(term(h * std::cos(a)) - term(w * std::sin(a)))) + 12;
    }
    if (rich != nullptr) {
        // The size the rich edit asks for at the cell's width.
        rich->SetBounds(0, 0, R.Width(), R.Height());
        rich->SetWordWrap(true);
        rich->SetWordWrap(false);
        rich->SetWordWrap(WordWrap());
        return {rich->ReqWidth(), rich->ReqHeight() + 4};
    }
    return {width, height};
}
