// The string grid's print engine: column widths on paper, fitting to the
// page width, pages across (columns) and down (rows), repeated fixed rows
// and columns, the header and footer texts and the page lines.

#include "grid/printing/ExGridPrintRun.h"

#include <QStringList>
#include <cmath>

#include "grid/EsgHTMLE.h"
#include "platform/Canvas.h"
#include "platform/DrawText.h"
#include "platform/Printers.h"
#include "platform/Text.h"

namespace {

bool AtTop(TPrintPosition P) { return P == ppTopLeft || P == ppTopRight || P == ppTopCenter; }
bool AtBottom(TPrintPosition P) { return P == ppBottomLeft || P == ppBottomRight || P == ppBottomCenter; }

// Sets a font's height on paper from its point size.
void MapFont(TExStringGrid* G, TFont* F)
{
    F->SetHeight(G->MapFontHeight(F->Size()));
}

// The body font of the print: the grid's own or the print settings'.
void BodyFont(TExStringGrid* G, TFont* Out)
{
    Out->Assign(G->PrintSettings()->UseDisplayFont ? G->Font() : G->PrintSettings()->Font());
}

} // namespace

// ------------------------------------------------------------ selected only

bool TExStringGrid::IsPrintedRow(Integer ARow)
{
    if (!FPrintRun || !FPrintRun->SelectedOnly)
        return true;
    if (ARow < FixedRows() && FPrintSettings->FixedCellsAlways)
        return true;
    if (FMouseActions->DisjunctRowSelect()) {
        const Integer r = FMouseActions->RowSelectPersistent() ? RealRowIndex(ARow) : ARow;
        return RowSelect(r);
    }
    const TGridRect sel = Selection();
    return ARow >= sel.Top && ARow <= sel.Bottom;
}

bool TExStringGrid::IsPrintedCol(Integer ACol)
{
    if (!FPrintRun || !FPrintRun->SelectedOnly)
        return true;
    if (FMouseActions->DisjunctRowSelect())
        return true;
    if (ACol < FixedCols() && FPrintSettings->FixedCellsAlways)
        return true;
    if (FMouseActions->DisjunctColSelect())
        return ColSelect(ACol);
    const TGridRect sel = Selection();
    return ACol >= sel.Left && ACol <= sel.Right;
}

// ------------------------------------------------------------ column widths

void TExStringGrid::CalcPrintColumnWidths()
{
    TPrintRun& run = *FPrintRun;
    const Integer last = std::min(FPrintRect.Right, MAX_COLUMNS - 1);
    for (Integer c = 0; c <= MAX_COLUMNS; ++c)
        MaxWidths[size_t(c)] = 0;
    Fontscalefactor = 1.0;
    const auto measure = [&](Integer c) {
        if (!IsPrintedCol(c))
            return;
        if (FPrintSettings->NoAutoSize) {
            MaxWidths[size_t(c)] = Integer(std::lround(ColWidths(c) * run.ScreenToPrint));
            return;
        }
        Integer widest = 0;
        const auto row = [&](Integer r) {
            if (FPrintSettings->UseFixedWidth) {
                widest = std::max(widest, FPrintSettings->FixedWidth);
                return;
            }
            const Integer rc = RealColIndex(c);
            if (CellSpan(rc, r).X > 0 || !IsBaseCell(rc, r))
                return; // cells of a wider merged area are not measured
            TPoint size;
            CalcPrintCellSize(rc, r, size);
            widest = std::max(widest, size.X);
        };
        if (FPrintSettings->RepeatFixedRows)
            for (Integer r = 0; r < FixedRows() && r < FPrintRect.Top; ++r)
                row(r);
        for (Integer r = FPrintRect.Top; r <= FPrintRect.Bottom; ++r)
            if (IsPrintedRow(r))
                row(r);
        MaxWidths[size_t(c)] = widest;
    };
    if (FPrintSettings->RepeatFixedCols)
        for (Integer c = 0; c < FixedCols() && c < FPrintRect.Left; ++c)
            measure(c);
    for (Integer c = FPrintRect.Left; c <= last; ++c)
        measure(c);

    // Fit to the page width.
    run.Scale = 1.0;
    if (FPrintSettings->FitToPage != fpNever) {
        Integer sum = 0;
        for (Integer c = FPrintRect.Left; c <= last; ++c)
            if (IsPrintedCol(c))
                sum += MaxWidths[size_t(c)] + run.S;
        const Integer v = (last - FPrintRect.Left + 1) * run.S;
        if (sum != v) {
            double f = double(run.W - FPrintSettings->RightSize - FPrintSettings->LeftSize - v) / double(sum - v);
            if ((f > 1 && FPrintSettings->FitToPage == fpShrink) || (f < 1 && FPrintSettings->FitToPage == fpGrow))
                f = 1;
            if (FPrintSettings->FitToPage == fpCustom && f != 1) {
                bool allow = true;
                if (OnFitToPage)
                    OnFitToPage(this, f, allow);
                if (!allow)
                    f = 1;
            }
            if (f != 1 && f > 0) {
                for (Integer c = FPrintRect.Left; c <= last; ++c)
                    MaxWidths[size_t(c)] = Integer(std::trunc(MaxWidths[size_t(c)] * f));
                run.Scale = f;
            }
        }
    }
    if (OnPrintSetColumnWidth)
        for (Integer c = FPrintRect.Left; c <= last; ++c) {
            Integer w = MaxWidths[size_t(c)];
            OnPrintSetColumnWidth(this, c, w);
            MaxWidths[size_t(c)] = w;
        }
}

// ------------------------------------------------------------ page areas

void TExStringGrid::CalcPageAreas(bool MeasureTitle)
{
    TPrintRun& run = *FPrintRun;
    const TPrintSettings* ps = FPrintSettings.get();
    const Integer lines = ps->TitleLines()->Count();
    const bool top = AtTop(ps->Time) || AtTop(ps->Date) || AtTop(ps->PageNr) || AtTop(ps->Title);
    const bool bottom = AtBottom(ps->Time) || AtBottom(ps->Date) || AtBottom(ps->PageNr) || AtBottom(ps->Title);
    run.TitleHeight = 0;
    if (top) {
        run.T = run.E8 + run.Hh + ps->HeaderSize;
        if (lines > 0 && AtTop(ps->Title) && ps->TitleText.isEmpty()) {
            if (run.TitleIsHTML) {
                if (MeasureTitle) {
                    // The title's height in the header font, laid out across the page.
                    TFont* f = run.Canvas->Font();
                    TFont keep;
                    keep.Assign(f);
                    f->Assign(ps->HeaderFont());
                    MapFont(this, f);
                    TMiniHTMLRequest request;
                    request.MeasureOnly = true;
                    request.Printing = true;
                    TMiniHTMLResult result;
                    run.Canvas->SetUpright(true);
                    RenderMiniHTML(run.Canvas, ps->TitleLines()->Text().remove(QLatin1Char('\r')).remove(QLatin1Char('\n')),
                                   TRect(ps->LeftSize, 0, run.W, 65535), request, result);
                    run.Canvas->SetUpright(false);
                    f->Assign(&keep);
                    run.TitleHeight = result.Height;
                    run.T += run.TitleHeight + ps->HeaderSize;
                }
            } else {
                run.T += (lines - 1) * run.Hh;
            }
        }
    } else {
        run.T = ps->HeaderSize;
    }
    if (bottom) {
        run.Bt = 2 * (run.E8 + run.Hf) + ps->FooterSize;
        if (AtBottom(ps->Title) && ps->TitleText.isEmpty() && lines > 1)
            run.Bt += (lines - 1) * run.Hf;
    } else {
        run.Bt = run.E8 + run.Hf + ps->FooterSize;
    }
}

// ------------------------------------------------------------ page numbers and texts

QString TExStringGrid::GetPageNumberText()
{
    TPrintRun& run = *FPrintRun;
    QString text;
    if (run.TwoPartNumbers) {
        text = QString::number(run.PageDown) + QLatin1Char('-') + QString::number(run.PageAcross);
        PrintGetPageNum(run.PageDown, run.PageAcross, text);
        return text;
    }
    text = QString::number(run.PageNr() + FPrintSettings->PageNumberOffset);
    if (!FPrintSettings->PageNumSep.isEmpty() && run.Pages > 1)
        text += FPrintSettings->PageNumSep + QString::number(run.Pages + FPrintSettings->MaxPagesOffset);
    PrintGetPageNum(run.PageNr(), run.PageAcross, text);
    return text;
}

Integer TExStringGrid::DrawPageTexts()
{
    TPrintRun& run = *FPrintRun;
    const Integer nr = run.PageNr();
    if (!run.Drawing() || nr < FPrintPageFrom || nr > FPrintPageTo)
        return run.PageDown == 1 && run.PageAcross == 1 ? run.TitleHeight : 0;
    const TPrintSettings* ps = FPrintSettings.get();
    TCanvas* C = run.Canvas;
    // One text per position (index = TPrintPosition).
    QString texts[7];
    const auto add = [&](TPrintPosition P, const QString& Piece) {
        if (P == ppNone)
            return;
        QString& t = texts[P];
        if (P == ppTopLeft || P == ppBottomLeft)
            t = Piece + QLatin1Char(' ') + t;
        else
            t = t + QLatin1Char(' ') + Piece;
    };
    const TDateTime now = Now();
    add(ps->Time, FormatDateTime(QStringLiteral("hh:nn"), now));
    add(ps->Date, FormatDateTime(ps->DateFormat, now));
    add(ps->PageNr, ps->PagePrefix + QLatin1Char(' ') + GetPageNumberText() + QLatin1Char(' ') + ps->PageSuffix);
    if (!ps->TitleText.isEmpty())
        add(ps->Title, ps->TitleText);

    Integer htmlHeight = 0;
    const bool titleTop = AtTop(ps->Title);
    QStringList furtherLines;
    if (ps->TitleText.isEmpty() && ps->Title != ppNone && ps->TitleLines()->Count() > 0) {
        if (run.TitleIsHTML) {
            // The concatenated lines as one mini-HTML title band.
            QString html;
            for (Integer i = 0; i < ps->TitleLines()->Count(); ++i)
                html += ps->TitleLines()->Strings(i);
            C->Font()->Assign(ps->HeaderFont());
            MapFont(this, C->Font());
            const TRect band = titleTop ? TRect(ps->LeftSize, -ps->HeaderSize, run.W, -ps->HeaderSize - 65535)
                                        : TRect(ps->LeftSize, run.B + ps->FooterSize, run.W, run.B);
            TMiniHTMLRequest request;
            request.Printing = true;
            request.Images = FGridImages;
            TMiniHTMLResult result;
            C->SetUpright(true);
            RenderMiniHTML(C, html, C->UprightRect(band), request, result);
            C->SetUpright(false);
            htmlHeight = run.PageDown == 1 && run.PageAcross == 1 ? result.Height : 0;
        } else {
            QString& t = texts[ps->Title];
            const QString first = ps->TitleLines()->Strings(0);
            if (!t.isEmpty() && !first.isEmpty())
                t = (ps->Title == ppTopLeft || ps->Title == ppBottomLeft) ? first + QLatin1Char(' ') + t
                                                                          : t + QLatin1Char(' ') + first;
            else if (t.isEmpty())
                t = first;
            for (Integer i = 1; i < ps->TitleLines()->Count(); ++i)
                furtherLines << ps->TitleLines()->Strings(i);
        }
    }

    C->Brush()->SetStyle(bsClear);
    const auto xOf = [&](TPrintPosition P, const QString& Text) {
        const Integer w = C->TextWidth(Text);
        switch (P) {
        case ppTopLeft:
        case ppBottomLeft: return ps->LeftSize;
        case ppTopRight:
        case ppBottomRight: return run.W - w - ps->RightSize - 20;
        default: return (run.W - w) / 2;
        }
    };
    const auto write = [&](TPrintPosition P, Integer Y) {
        if (!texts[P].isEmpty())
            C->TextOut(xOf(P, texts[P]), Y, texts[P]);
    };
    C->Font()->Assign(ps->HeaderFont());
    MapFont(this, C->Font());
    const Integer topY = -ps->HeaderSize;
    for (TPrintPosition P : {ppTopLeft, ppTopRight, ppTopCenter})
        write(P, topY);
    if (titleTop)
        for (qsizetype i = 0; i < furtherLines.size(); ++i)
            C->TextOut(xOf(ps->Title, furtherLines[i]), topY - Integer(i + 1) * run.Hh, furtherLines[i]);
    C->Font()->Assign(ps->FooterFont());
    MapFont(this, C->Font());
    const Integer bottomY = run.B + ps->FooterSize + run.E8 + run.Hf;
    for (TPrintPosition P : {ppBottomLeft, ppBottomRight, ppBottomCenter})
        write(P, bottomY);
    if (AtBottom(ps->Title))
        for (qsizetype i = 0; i < furtherLines.size(); ++i)
            C->TextOut(xOf(ps->Title, furtherLines[i]), bottomY - Integer(i + 1) * run.Hf, furtherLines[i]);
    BodyFont(this, C->Font());
    MapFont(this, C->Font());
    C->Brush()->SetStyle(bsSolid);
    return htmlHeight;
}

// ------------------------------------------------------------ lines and page turns

void TExStringGrid::DrawPageBorders(Integer FromCol, Integer ToCol, Integer Y)
{
    TPrintRun& run = *FPrintRun;
    const Integer nr = run.PageNr();
    if (!run.Drawing() || nr < FPrintPageFrom || nr > FPrintPageTo)
        return;
    TCanvas* C = run.Canvas;
    const TPrintBorders b = FPrintSettings->Borders;
    const Integer left = run.RepeatCols ? Indents[0] : Indents[size_t(FromCol)];
    const Integer right = Indents[size_t(ToCol + 1)];
    const Integer top = -run.T - FPrintSettings->TitleSpacing;
    const Integer bottom = Y + run.E8 / 2;
    C->Pen()->SetColor(FPrintSettings->BorderColor);
    C->Pen()->SetStyle(FPrintSettings->BorderStyle);
    C->Pen()->SetWidth(b == pbDouble ? 10 : 2);
    if (b == pbAround || b == pbAroundVertical || b == pbAroundHorizontal) {
        C->Brush()->SetStyle(bsClear);
        C->Rectangle(left, top, right, bottom);
        C->Brush()->SetStyle(bsSolid);
    }
    if (b == pbDouble || b == pbHorizontal || b == pbAroundHorizontal) {
        C->MoveTo(left, bottom);
        C->LineTo(right, bottom);
    }
    if ((b == pbDouble || b == pbVertical || b == pbAroundVertical) && run.RepeatCols)
        for (Integer c = 0; c <= FixedCols(); ++c) {
            C->MoveTo(Indents[size_t(c)], top);
            C->LineTo(Indents[size_t(c)], bottom);
        }
}

void TExStringGrid::StartNextPage()
{
    TPrintRun& run = *FPrintRun;
    const Integer finished = run.PageNr(), next = finished + 1;
    if (next >= FPrintPageFrom && next <= FPrintPageTo && run.Mode == 1 && run.Printer != nullptr
        && finished >= FPrintPageFrom && finished <= FPrintPageTo)
        run.Printer->NewPage();
    run.Canvas->SetMapMode(MM_LOMETRIC);
}

// ------------------------------------------------------------ the run

Integer TExStringGrid::PrintGridPages(TCanvas* Canvas, Byte Mode, bool SelectedOnly, Integer Pages)
{
    TPrintRun run;
    run.Canvas = Canvas;
    run.Mode = Mode;
    run.SelectedOnly = SelectedOnly;
    run.Pages = Pages;
    run.ScreenToPrint = 254.0 / ScreenPixelsPerInch;
    if (Mode == 1 && Canvas == Printer()->Canvas() && Printer()->Printing())
        run.Printer = Printer();
    struct TRunScope {
        TExStringGrid* G;
        TPrintRun* Saved;
        ~TRunScope()
        {
            G->FPrintRun = Saved;
            G->Fontscalefactor = 1.0;
            G->FPrintRowCacheRow = -1;
        }
    } scope{this, FPrintRun};
    FPrintRun = &run;
    FPrintRowCacheRow = -1;
    Fontscalefactor = 1.0;

    // Page size in tenths of a millimetre.
    switch (Mode) {
    case 1: {
        const TRect clip = Canvas->ClipRect();
        run.W = clip.Right;
        run.B = clip.Bottom;
        break;
    }
    case 2:
        run.W = PrevRect.Right;
        run.B = -PrevRect.Bottom - PrevRect.Top;
        break;
    default: {
        const double kx = Canvas->DeviceDPIX() / 254.0, ky = Canvas->DeviceDPIY() / 254.0;
        run.W = Integer(std::lround(PrevRect.Width() / kx));
        run.B = -Integer(std::lround(PrevRect.Height() / ky));
        break;
    }
    }
    FPrintPageRect = TRect(0, 0, run.W, run.B);

    const TPrintSettings* ps = FPrintSettings.get();
    run.S = ps->UseFixedWidth ? 0 : ps->ColumnSpacing + 20;
    TFont* font = Canvas->Font();
    font->Assign(ps->HeaderFont());
    MapFont(this, font);
    run.Hh = Canvas->TextHeight(QStringLiteral("gh"));
    font->Assign(ps->FooterFont());
    MapFont(this, font);
    run.Hf = Canvas->TextHeight(QStringLiteral("gh"));
    BodyFont(this, font);
    MapFont(this, font);
    run.E8 = Canvas->TextHeight(QStringLiteral("gh")) >> 3;
    run.M = Canvas->TextWidth(QStringLiteral("g")) / 2;
    Canvas->Pen()->SetColor(clBlack);
    Canvas->Pen()->SetStyle(ps->BorderStyle);
    Canvas->Pen()->SetWidth(ps->Borders == pbDouble ? 10 : 2);
    if (ps->TitleText.isEmpty() && ps->TitleLines()->Count() > 0 && EnableHTML()) {
        QString joined;
        for (Integer i = 0; i < ps->TitleLines()->Count(); ++i)
            joined += ps->TitleLines()->Strings(i);
        run.TitleIsHTML = GetTextKind(joined, true) == 1;
    }

    CalcPrintColumnWidths();

    const bool allRows = FPrintRect.Top <= FixedRows() && FPrintRect.Bottom >= RowCount() - FixedFooters() - 1;
    const Integer rowState = allRows ? esExportNewRow : esExportSelRow;
    const Integer lastCol = std::min(FPrintRect.Right, MAX_COLUMNS - 1);
    const TPrintSettings& s = *ps;
    // Whether a printed row is left at or after R.
    const auto printedRowFrom = [&](Integer R) {
        for (; R <= FPrintRect.Bottom; ++R)
            if (IsPrintedRow(R))
                return true;
        return false;
    };

    Integer c0 = FPrintRect.Left;
    while (c0 <= lastCol && !run.Cancelled) {
        // ---- one page across
        ++run.PageAcross;
        run.PageDown = 1;
        run.RepeatCols = FixedCols() >= 1 && s.RepeatFixedCols && !(run.PageAcross == 1 && FPrintRect.Left <= FixedCols());
        Integer fw = 0;
        if (run.RepeatCols)
            for (Integer c = 0; c < FixedCols(); ++c)
                fw += MaxWidths[size_t(c)] + run.S;
        Integer used = fw;
        Integer last = c0 - 1;
        for (Integer c = c0; c <= lastCol; ++c) {
            const Integer w = IsPrintedCol(c) ? MaxWidths[size_t(c)] + run.S : 0;
            if (used + w > run.W - s.RightSize)
                break;
            used += w;
            last = c;
        }
        if (last < c0) {
            // Not even the first column fits: it makes a page of its own.
            last = c0;
            used += IsPrintedCol(c0) ? MaxWidths[size_t(c0)] + run.S : 0;
        }
        if (last < lastCol)
            run.TwoPartNumbers = true;
        SetPrintPageWidth(used);
        const Integer first = s.Centered ? 0 : s.LeftSize;
        Integer x = first;
        if (run.RepeatCols) {
            for (Integer c = 0; c < FixedCols(); ++c) {
                Indents[size_t(c)] = x;
                x += MaxWidths[size_t(c)] + run.S;
            }
            Indents[size_t(FixedCols())] = x;
        }
        x = first;
        for (Integer c = c0; c <= last; ++c) {
            Indents[size_t(c)] = x;
            if (IsPrintedCol(c))
                x += MaxWidths[size_t(c)] + run.S;
        }
        Indents[size_t(last + 1)] = x;
        const Integer shift = s.Centered && used < run.W ? (run.W - used) / 2 : 0;
        if (run.RepeatCols)
            for (Integer c = 0; c <= FixedCols(); ++c)
                Indents[size_t(c)] += shift;
        for (Integer c = c0; c <= last + 1; ++c)
            Indents[size_t(c)] += shift + fw;
        SetPrintColStart(c0);
        SetPrintColEnd(last);

        CalcPageAreas(run.PageAcross == 1);
        Integer R = FPrintRect.Top;
        if (run.Drawing() && OnPrintPage)
            OnPrintPage(this, Canvas, run.PageNr(), run.W, run.B);

        bool bordersDrawn = false;
        Integer y = 0;
        bool rowsDone = false;
        while (!rowsDone && !run.Cancelled) {
            // ---- one page down
            bordersDrawn = false;
            y = -run.T - s.TitleSpacing - DrawPageTexts();
            if (R > 0 && s.RepeatFixedRows && FixedRows() > 0 && (run.PageDown > 1 || FPrintRect.Top >= FixedRows()))
                for (Integer fr = 0; fr < FixedRows(); ++fr) {
                    if (run.RepeatCols)
                        PrintRowCells(y, 0, FixedCols() - 1, fr);
                    y -= PrintRowCells(y, c0, last, fr);
                }
            bool newPage = false;
            Integer rowsOnPage = 0;
            while (R <= FPrintRect.Bottom && !newPage) {
                ExportNotification(rowState, R);
                if (IsPrintedRow(R)) {
                    const Integer h = GetPrintRowHeight(R);
                    // A row taller than an empty page still gets that page.
                    if (!(y - h > run.B + run.Bt) && rowsOnPage > 0)
                        break;
                    if (run.RepeatCols)
                        PrintRowCells(y, 0, FixedCols() - 1, R);
                    y -= PrintRowCells(y, c0, last, R);
                    ++rowsOnPage;
                }
                ++R;
                if (OnPrintNewPage)
                    OnPrintNewPage(this, R, newPage);
            }
            if (run.Drawing()) {
                if (OnPrintPageDone)
                    OnPrintPageDone(this, Canvas, R, y, run.PageNr(), run.W, run.B);
                if (OnPrintCancel)
                    OnPrintCancel(this, run.PageNr(), run.Cancelled);
            }
            if (run.Cancelled || !printedRowFrom(R)) {
                rowsDone = true;
                break;
            }
            // A fast run lays out two pages beyond the first one asked for.
            if (FastPrint() && run.PageNr() > FPrintPageFrom + 1) {
                run.Cancelled = true;
                break;
            }
            DrawPageBorders(c0, last, y);
            bordersDrawn = true;
            StartNextPage();
            ++run.PageCount;
            ++run.PageDown;
            CalcPageAreas(false);
            if (run.Drawing() && OnPrintPage)
                OnPrintPage(this, Canvas, run.PageNr(), run.W, run.B);
        }
        if (!bordersDrawn)
            DrawPageBorders(c0, last, y);
        c0 = last + 1;
        if (c0 <= lastCol && !run.Cancelled)
            StartNextPage();
        ++run.PageCount;
    }
    return run.PageCount;
}
