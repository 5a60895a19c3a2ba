// Printed cells: the size a cell needs on paper, the height of a printed
// row, one row's cells drawn with their lines, background, text and
// graphics, and the placement of rotated text.

#include "grid/printing/ExGridPrintRun.h"

#include <QStringList>
#include <cmath>
#include <numbers>

#include "grid/EsgHTMLE.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/DrawText.h"
#include "platform/Printers.h"

namespace {

// Cells whose text is the data of their graphic print no text.
bool PrintsNoText(TCellType T)
{
    return T == ctDataCheckBox || T == ctDataImage || T == ctVirtCheckBox || T == ctRowCheckBox;
}

bool IsCheckBoxType(TCellType T)
{
    return T == ctCheckBox || T == ctDataCheckBox || T == ctVirtCheckBox || T == ctRowCheckBox
           || T == ctTriStateCheckBox;
}

// Keeps a canvas font and puts it back.
class TFontKeeper {
public:
    explicit TFontKeeper(TCanvas* C) : FCanvas(C) { FFont.Assign(C->Font()); }
    ~TFontKeeper() { FCanvas->Font()->Assign(&FFont); }

private:
    TCanvas* FCanvas;
    TFont FFont;
};

// A cell's look in its print form; the font is set to its size on paper.
struct TPrintLook {
    TBrush Brush;
    TColor ColorTo = clNone, Mirror = clNone, MirrorTo = clNone;
    TAlignment HA = taLeftJustify;
    TVAlignment VA = vtaTop;
    bool WW = false;
    TCellGradientDirection GD = GradientVertical;
    TGridDrawState State = 0;
};

void PrintLookOf(TExStringGrid* G, Integer RCol, Integer ARow, TFont* Font, TPrintLook& L)
{
    L.WW = G->WordWrap();
    G->GetVisualProperties(RCol, ARow, L.State, true, false, false, &L.Brush, L.ColorTo, L.Mirror, L.MirrorTo, Font,
                           L.HA, L.VA, L.WW, L.GD);
    G->GetCellWordWrap(RCol, ARow, L.WW);
    Font->SetHeight(G->MapFontHeight(Font->Size()));
}

} // namespace

// ------------------------------------------------------------ rotated text

void TExStringGrid::PlaceRotatedText(TRect& R, Byte HAlign, Byte VAlign, Integer Yc, Integer Xs, Integer Ys, Integer Xc,
                                     Integer Angle)
{
    const Integer q = Angle <= 90 ? 0 : Angle <= 180 ? 1 : Angle <= 270 ? 2 : 3;
    const Integer L = R.Left, Rt = R.Right, T = R.Top, Bm = R.Bottom;
    Integer x = L, y = T;
    switch (q) {
    case 0: x = HAlign == 0 ? L : HAlign == 1 ? Rt - Xc - Ys : L + (Rt - L - Ys - Xc) / 2; break;
    case 1: x = HAlign == 0 ? L + Xc : HAlign == 1 ? Rt - Ys : Rt - (Ys + Rt - L - Xc) / 2; break;
    case 2: x = HAlign == 0 ? L + Ys + Xc : HAlign == 1 ? Rt : Rt - (Rt - L - Ys - Xc) / 2; break;
    default: x = HAlign == 0 ? L + Ys : HAlign == 1 ? Rt - Xc : L + (Ys + Rt - L - Xc) / 2; break;
    }
    const Integer K = Xs + T + Yc - Bm;
    switch (q) {
    case 0: y = VAlign == 0 ? T + Xs : VAlign == 2 ? Bm - Yc : T + Xs - K / 2; break;
    case 1: y = VAlign == 0 ? T + Yc + Xs : VAlign == 2 ? Bm : T + Yc + Xs - K / 2; break;
    case 2: y = VAlign == 0 ? T + Yc : VAlign == 2 ? Bm - Xs : T + Yc - K / 2; break;
    default: y = VAlign == 0 ? T : VAlign == 2 ? Bm - Yc - Xs : T - K / 2; break;
    }
    R.Left = x;
    R.Top = y;
}

void TExStringGrid::DrawRotatedText(TCanvas* Canvas, TRect& R, Integer Angle, Integer VAlign, Integer HAlign,
                                    const QString& Text)
{
    const TSize ext = Canvas->TextExtent(Text);
    InflateRect(R, -2, -2);
    const double a = Angle * std::numbers::pi / 180.0;
    const Integer Xc = std::abs(Integer(std::trunc(std::cos(a) * ext.cx)));
    const Integer Xs = std::abs(Integer(std::trunc(std::sin(a) * ext.cx)));
    const Integer Yc = std::abs(Integer(std::trunc(std::cos(a) * ext.cy)));
    const Integer Ys = std::abs(Integer(std::trunc(std::sin(a) * ext.cy)));
    PlaceRotatedText(R, Byte(HAlign), Byte(VAlign), Yc, Xs, Ys, Xc, Angle);
}

// ------------------------------------------------------------ measuring

void TExStringGrid::CalcPrintCellSize(Integer ACol, Integer ARow, TPoint& Size)
{
    TPrintRun* run = FPrintRun;
    TCanvas* C = run ? run->Canvas : Canvas();
    const double stp = run ? run->ScreenToPrint : 254.0 / ScreenPixelsPerInch;
    const Integer e8 = run ? run->E8 : 0;
    TFontKeeper keepFont(C);
    const TCellType type = GetCellType(ACol, ARow);
    QString text = PrintsNoText(type) ? QString() : GetFormattedCell(ACol, ARow);
    Size = TPoint(0, 0);

    TPrintLook look;
    PrintLookOf(this, ACol, ARow, C->Font(), look);
    const bool ww = look.WW;

    const Integer kind = GetTextKind(text, EnableHTML());
    if (kind == 1) {
        C->Font()->Assign(FPrintSettings->Font());
        C->Font()->SetHeight(MapFontHeight(FPrintSettings->Font()->Size()));
        const Integer dc = DisplColIndex(ACol);
        const Integer width = FPrintSettings->NoAutoSize ? Integer(std::lround((ColWidths(dc) + 12) * stp)) : 65535;
        TMiniHTMLRequest request;
        request.MeasureOnly = true;
        request.Printing = true;
        request.Images = FGridImages;
        TMiniHTMLResult result;
        C->SetUpright(true);
        RenderMiniHTML(C, text, TRect(0, 0, width, 65535), request, result);
        C->SetUpright(false);
        Size = TPoint(result.Width, std::max(0, result.Height - e8));
    } else {
        if (kind == 2)
            text = StripHTMLTags(text);
        else if (kind == 3)
            text = GetFormulaCellText(ACol, ARow);
        Integer angle = 0;
        const bool rotated = IsRotated(ACol, ARow, angle);
        if (rotated)
            C->Font()->SetOrientation(angle * 10);
        TPoint g(0, 0);
        if (FPrintSettings->PrintGraphics) {
            const TPoint gs = GetCellGraphicSize(ACol, ARow);
            g = TPoint(Integer(std::lround(gs.X * Fontscalefactor * stp)), Integer(std::lround(gs.Y * Fontscalefactor * stp)));
        }
        if (text.isEmpty())
            text = QStringLiteral("gh");
        Integer widest = 0, lines = 0;
        const bool wrap = ww && FPrintSettings->NoAutoSize && !rotated;
        if (!wrap) {
            QString rest = text;
            do {
                QString line = ExtractLine(rest, MultilineCells());
                if (URLShow() && !URLFull() && IsURL(line))
                    StripURLProtocol(line);
                widest = std::max(widest, C->TextWidth(line));
                ++lines;
            } while (!rest.isEmpty());
            Size = TPoint(widest + g.X, C->TextHeight(QStringLiteral("gh")) * lines);
        } else {
            const Integer dc = DisplColIndex(ACol);
            const Integer width = CellSpan(ACol, ARow).X > 0 || dc > MAX_COLUMNS ? 65535 : MaxWidths[size_t(dc)];
            TRect r(0, 0, width, 0);
            C->SetUpright(true);
            const Integer h = DrawText(C, text, r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
            C->SetUpright(false);
            Size = TPoint(width, h);
        }
        if (rotated) {
            const double a = angle * std::numbers::pi / 180.0;
            const Integer x = Size.X, y = Size.Y;
            Size = TPoint(Integer(std::abs(std::lround(std::cos(a) * x)) + std::abs(std::lround(std::sin(a) * y))),
                          Integer(std::abs(std::lround(std::sin(a) * widest)) + std::abs(std::lround(std::cos(a) * y))));
        }
        Size.X = std::max(Size.X, g.X);
        Size.Y = std::max(Size.Y, g.Y);
    }
    if (OnCustomCellSize)
        OnCustomCellSize(this, C, ACol, ARow, Size, true);
}

Integer TExStringGrid::GetPrintRowHeight(Integer ARow)
{
    if (FPrintRowCacheRow == ARow)
        return FPrintRowCacheHeight;
    TPrintRun* run = FPrintRun;
    const double stp = run ? run->ScreenToPrint : 254.0 / ScreenPixelsPerInch;
    Integer height = 0;
    if (FPrintSettings->NoAutoSizeRow) {
        height = Integer(std::lround(RowHeights(ARow) * stp)) - 4;
    } else if (FPrintSettings->UseFixedHeight) {
        height = FPrintSettings->FixedHeight;
    } else {
        const double keep = Fontscalefactor;
        Fontscalefactor = run ? run->Scale : 1.0;
        Integer h = 0, lastMeasured = 0;
        const Integer lastCol = std::min(FPrintRect.Right, MAX_COLUMNS - 1);
        for (Integer c = FPrintRect.Left; c <= lastCol; ++c) {
            if (!IsPrintedCol(c))
                continue;
            const Integer rc = RealColIndex(c);
            if (CellSpan(rc, ARow).Y > 0 || IsYMergedCell(rc, ARow))
                continue; // cells of a taller merged area do not size the row
            TPoint size;
            CalcPrintCellSize(rc, ARow, size);
            h = std::max(h, size.Y);
            lastMeasured = size.Y;
        }
        Fontscalefactor = keep;
        if (h == 0)
            h = lastMeasured;
        height = h + h / 8;
        if (OnPrintSetRowHeight)
            OnPrintSetRowHeight(this, ARow, height);
    }
    FPrintRowCacheRow = ARow;
    FPrintRowCacheHeight = height;
    return height;
}

// ------------------------------------------------------------ drawing a row

void TExStringGrid::PrintCellGraphic(TCanvas* C, Integer ACol, Integer ARow, TCellGraphic* G, TRect& Box, TRect& TextBox)
{
    TPrintRun& run = *FPrintRun;
    const TPoint gs = GetCellGraphicSize(ACol, ARow);
    const Integer gw = Integer(std::lround(gs.X * Fontscalefactor * run.ScreenToPrint));
    const Integer gh = Integer(std::lround(gs.Y * Fontscalefactor * run.ScreenToPrint));
    if (gw <= 0 || gh <= 0)
        return;
    // The graphic's box on paper (y upward: Top > Bottom).
    const Integer margin = Integer(std::lround(XYOffset().X * run.ScreenToPrint));
    Integer left = Box.Left + margin;
    TCellHAlign ha = G->CellHAlign;
    TAlignment cellHA = taLeftJustify;
    if (IsCheckBoxType(G->CellType) && GetFormattedCell(ACol, ARow).isEmpty()) {
        cellHA = CalcCellAlignment(ACol, ARow).first;
        ha = cellHA == taCenter ? haCenter : cellHA == taRightJustify ? haRight : ha;
    }
    switch (ha) {
    case haRight: left = Box.Right - margin - gw; break;
    case haCenter: left = (Box.Left + Box.Right - gw) / 2; break;
    case haFull: left = Box.Left; break;
    default: break;
    }
    Integer top = Box.Top - run.E8;
    switch (G->CellVAlign) {
    case vaBottom: top = Box.Bottom + run.E8 + gh; break;
    case vaCenter: top = (Box.Top + Box.Bottom + gh) / 2; break;
    default: break;
    }
    TRect g(left, top, left + gw, top - gh);
    if (ha == haFull || G->CellVAlign == vaFull)
        g = ha == haFull && G->CellVAlign == vaFull ? Box : g;
    // The text gives way beside the graphic.
    if (ha == haLeft || ha == haBeforeText)
        TextBox.Left = std::max(TextBox.Left, g.Right + margin);
    else if (ha == haRight || ha == haAfterText)
        TextBox.Right = std::min(TextBox.Right, g.Left - margin);

    switch (G->CellType) {
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
    case ctTriStateCheckBox: {
        bool checked = false;
        GetCheckBoxState(ACol, ARow, checked);
        Cardinal state = DFCS_BUTTONCHECK | DFCS_FLAT;
        if (G->CellType == ctTriStateCheckBox && G->CellCheckBoxState == cbGrayed)
            state = DFCS_BUTTON3STATE | DFCS_CHECKED | DFCS_FLAT;
        else if (checked)
            state |= DFCS_CHECKED;
        TRect r = g;
        DrawFrameControl(C, r, DFC_BUTTON, state);
        break;
    }
    case ctBitmap:
        if (TBitmap* bmp = GetBitmap(ACol, ARow))
            C->StretchDraw(g, bmp);
        break;
    case ctPicture:
        if (TPicture* pic = GetPicture(ACol, ARow))
            if (pic->Graphic())
                C->StretchDraw(g, pic->Graphic());
        break;
    default: break;
    }
}

void TExStringGrid::PrintCellText(TCanvas* C, Integer ACol, Integer ARow, Integer BCol, Integer BRow, const QString& Text,
                                  TRect Box, Integer RowH, TAlignment HA, TVAlignment VA, bool WW)
{
    TPrintRun& run = *FPrintRun;
    const Integer M = run.M;
    // The text area: the box less the margin across and an eighth down.
    TRect inner(Box.Left + M, Box.Top - run.E8, Box.Right - M, Box.Bottom + run.E8);
    if (GetTextKind(Text, EnableHTML()) == 1) {
        TMiniHTMLRequest request;
        request.Printing = true;
        request.PrintScale = run.ScreenToPrint * Fontscalefactor;
        request.Images = FGridImages;
        request.PictureContainer = FContainer;
        request.PictureCache = FImageCache.get();
        TMiniHTMLResult result;
        C->SetUpright(true);
        RenderMiniHTML(C, Text, C->UprightRect(inner), request, result);
        C->SetUpright(false);
        return;
    }
    QString text = Text;
    Integer angle = 0;
    const bool rotated = IsRotated(BCol, BRow, angle);
    const Cardinal hFlag = HA == taRightJustify ? DT_RIGHT : HA == taCenter ? DT_CENTER : DT_LEFT;
    if (WW && FPrintSettings->NoAutoSize && !rotated) {
        DrawText(C, text, inner, DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_EDITCONTROL | hFlag);
        return;
    }
    QStringList lines;
    {
        QString rest = text;
        do {
            QString line = ExtractLine(rest, MultilineCells());
            if (URLShow() && !URLFull() && IsURL(line))
                StripURLProtocol(line);
            lines << line;
        } while (!rest.isEmpty());
    }
    if (lines.size() == 1) {
        if (rotated) {
            const Integer orientation = C->Font()->Orientation();
            Integer tenths = angle * 10;
            if (run.Mode == 1 && PrinterDriverFix() && GetPrinterLandscapeAngle() == 270)
                tenths = -tenths;
            C->Font()->SetOrientation(tenths);
            TRect u = C->UprightRect(Box);
            DrawRotatedText(C, u, angle, VA == vtaCenter ? 1 : VA == vtaBottom ? 2 : 0,
                            HA == taRightJustify ? 1 : HA == taCenter ? 2 : 0, lines[0]);
            C->SetUpright(true);
            C->TextOut(u.Left, u.Top, lines[0]);
            C->SetUpright(false);
            C->Font()->SetOrientation(orientation);
            return;
        }
        if (EnhTextSize() && FPrintSettings->NoAutoSize) {
            TRect r = inner;
            r.Left += Integer(std::lround(XYOffset().X * run.ScreenToPrint));
            DrawText(C, lines[0], r, DT_END_ELLIPSIS | DT_EDITCONTROL | DT_NOPREFIX | DT_SINGLELINE);
            return;
        }
        const Cardinal vFlag = VA == vtaCenter ? DT_VCENTER : VA == vtaBottom ? DT_BOTTOM : DT_TOP;
        DrawText(C, lines[0], inner, DT_EDITCONTROL | DT_NOPREFIX | DT_SINGLELINE | hFlag | vFlag);
        return;
    }
    // Several lines, each placed by the alignment.
    Integer lineH = C->TextHeight(QStringLiteral("gh")) + FPrintSettings->RowSpacing;
    lineH += lineH / 8;
    const Integer textH = C->TextHeight(QStringLiteral("gh"));
    Integer y = inner.Top;
    const bool merged = CellSpan(BCol, BRow).Y > 0;
    if (!merged && VA == vtaCenter)
        y = inner.Top - (RowH - (lineH - FPrintSettings->RowSpacing) * Integer(lines.size())) / 2;
    else if (!merged && VA == vtaBottom)
        y = inner.Bottom + lineH * Integer(lines.size()) - (lineH - textH);
    const Integer saved = C->SaveDC();
    C->IntersectClipRect(Box);
    for (const QString& line : lines) {
        const Integer w = C->TextWidth(line);
        const Integer x = HA == taRightJustify ? inner.Right - w : HA == taCenter ? (inner.Left + inner.Right - w) / 2
                                                                                   : inner.Left;
        C->TextOut(x, y, line);
        y -= lineH;
    }
    C->RestoreDC(saved);
    (void)ACol;
    (void)ARow;
}

Integer TExStringGrid::PrintRowCells(Integer Y, Integer FromCol, Integer ToCol, Integer ARow)
{
    TPrintRun& run = *FPrintRun;
    const TPrintSettings& ps = *FPrintSettings;
    const Integer h = GetPrintRowHeight(ARow);
    const Integer result = 2 * run.E8 + h + ps.RowSpacing;
    const Integer nr = run.PageNr();
    if (!run.Drawing() || nr < FPrintPageFrom || nr > FPrintPageTo)
        return result;
    TCanvas* C = run.Canvas;
    Fontscalefactor = run.Scale;
    const Integer lastCol = std::min(ToCol, MAX_COLUMNS - 1);
    for (Integer c = FromCol; c <= lastCol; ++c) {
        if (!IsPrintedCol(c))
            continue;
        const Integer rc = RealColIndex(c);
        if (!IsBaseCell(rc, ARow))
            continue; // drawn with the base cell of its merged area
        const TPoint span = CellSpan(rc, ARow);
        Integer right = Indents[size_t(c)];
        for (Integer cc = c; cc <= std::min(c + span.X, MAX_COLUMNS - 1); ++cc)
            if (IsPrintedCol(cc))
                right += MaxWidths[size_t(cc)] + run.S;
        Integer bottom = Y - result;
        for (Integer r = ARow + 1; r <= ARow + span.Y && r < RowCount(); ++r) {
            const Integer rh = Integer(std::lround((RowHeights(r) - 4) * run.ScreenToPrint));
            bottom -= rh + rh / 8 + 2 * run.E8 + ps.RowSpacing;
        }
        bool bottomLine = true;
        if (bottom < run.B + ps.FooterSize && span.Y > 0) {
            bottom = Y - result;
            bottomLine = false;
        }
        const TRect box(Indents[size_t(c)], Y, right, bottom);

        // Background and font in their print form.
        TPrintLook look;
        PrintLookOf(this, rc, ARow, C->Font(), look);
        const TColor colorTo = look.ColorTo;
        const TAlignment ha = look.HA;
        const TVAlignment va = look.VA;
        const bool ww = look.WW;
        C->Brush()->SetStyle(bsSolid);
        const TColor color = look.Brush.Color();
        if (color != clNone)
            DrawGradient(C, color, colorTo == clNone ? color : colorTo, 64, box, look.GD == GradientHorizontal);

        // Lines.
        TCellBorders sides = 0;
        switch (ps.Borders) {
        case pbSingle:
        case pbDouble:
            sides = CellBorderBit(cbLeft) | CellBorderBit(cbTop) | CellBorderBit(cbRight) | CellBorderBit(cbBottom);
            break;
        case pbHorizontal:
        case pbAroundHorizontal: sides = CellBorderBit(cbTop) | CellBorderBit(cbBottom); break;
        case pbVertical:
        case pbAroundVertical: sides = CellBorderBit(cbLeft) | CellBorderBit(cbRight); break;
        default: break;
        }
        TPen* pen = C->Pen();
        pen->SetColor(ps.BorderColor);
        pen->SetStyle(ps.BorderStyle);
        pen->SetWidth(1);
        GetCellPrintBorder(rc, ARow, pen, sides);
        if (run.Mode == 1)
            pen->SetWidth(std::max(1, Integer(std::lround(pen->Width() * run.ScreenToPrint))));
        if (!bottomLine)
            sides &= ~CellBorderBit(cbBottom);
        const Integer left = c > PrintColStart() ? box.Left - pen->Width() : box.Left;
        const auto line = [&](Integer X1, Integer Y1, Integer X2, Integer Y2) {
            C->MoveTo(X1, Y1);
            C->LineTo(X2, Y2);
        };
        if (sides & CellBorderBit(cbTop))
            line(left, box.Top, box.Right, box.Top);
        if (sides & CellBorderBit(cbBottom))
            line(left, box.Bottom, box.Right, box.Bottom);
        if (sides & CellBorderBit(cbLeft))
            line(left, box.Top, left, box.Bottom);
        if (sides & CellBorderBit(cbRight))
            line(box.Right, box.Top, box.Right, box.Bottom);

        // Graphic and text.
        const TCellType type = GetCellType(rc, ARow);
        QString text = PrintsNoText(type) ? QString() : GetFormattedCell(rc, ARow);
        if (text.startsWith(QLatin1Char('=')))
            text = GetFormulaCellText(rc, ARow);
        TRect textBox = box;
        if (ps.PrintGraphics)
            if (TCellGraphic* g = GetCellGraphic(rc, ARow)) {
                TRect graphicBox = box;
                PrintCellGraphic(C, rc, ARow, g, graphicBox, textBox);
            }
        C->Brush()->SetStyle(bsClear);
        if (!text.isEmpty())
            PrintCellText(C, rc, ARow, rc, ARow, text, textBox, box.Top - box.Bottom, ha, va, ww);
        C->Brush()->SetStyle(bsSolid);

        if (OnCustomCellDraw) {
            // Device units and the print font size while the handler draws.
            const TPoint tl = C->LPtoDP(box.TopLeft()), br = C->LPtoDP(box.BottomRight());
            const Integer mode = C->MapMode();
            const TPoint org = C->WindowOrg();
            TFontKeeper keep(C);
            C->SetMapMode(MM_TEXT);
            C->SetWindowOrg(TPoint(0, 0));
            C->Font()->SetSize(ps.Font()->Size());
            OnCustomCellDraw(this, C, rc, ARow, look.State, TRect(tl.X, tl.Y, br.X, br.Y), true);
            C->SetMapMode(mode);
            C->SetWindowOrg(org);
        }
    }
    Fontscalefactor = 1.0;
    return result;
}
