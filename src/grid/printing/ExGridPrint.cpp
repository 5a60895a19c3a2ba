// Printing entry points of the string grid: print on the program's printer,
// preview one page on a canvas, draw the range into a rectangle; the font
// height mapping to paper and the page-number hook.

#include "grid/printing/ExGridPrintRun.h"

#include <climits>
#include <cmath>

#include "platform/Canvas.h"
#include "platform/Printers.h"

namespace {

// Saves a canvas's mapping mode and origin and puts them back, also when
// the run ends by an exception.
class TMapModeKeeper {
public:
    explicit TMapModeKeeper(TCanvas* C) : FCanvas(C), FMode(C->MapMode()), FOrg(C->WindowOrg()) {}
    ~TMapModeKeeper()
    {
        FCanvas->SetMapMode(FMode);
        FCanvas->SetWindowOrg(FOrg);
    }

private:
    TCanvas* FCanvas;
    Integer FMode;
    TPoint FOrg;
};

// Puts the canvas in MM_LOMETRIC with the device point Corner at logical (0, 0).
void PageOrigin(TCanvas* C, TPoint Corner)
{
    C->SetWindowOrg(TPoint(0, 0));
    C->SetMapMode(MM_LOMETRIC);
    C->SetWindowOrg(C->DPtoLP(TPoint(-Corner.X, -Corner.Y)));
}

} // namespace

Integer TExStringGrid::MapFontHeight(Integer pointsize) const
{
    return -Integer(std::trunc(pointsize * 254.0 / 72.0 * Fontscalefactor));
}

Integer TExStringGrid::MapFontSize(Integer Height)
{
    return Integer(std::trunc(Height * 72.0 / 254.0));
}

void TExStringGrid::PrintGetPageNum(Integer PageNum, Integer PageColNum, QString& PageNumString)
{
    if (OnPrintGetPageNum)
        OnPrintGetPageNum(this, PageNum, PageColNum, PageNumString);
}

Integer TExStringGrid::GetPrinterLandscapeAngle()
{
    return Printer()->LandscapeAngle();
}

TGridRect TExStringGrid::AllCellsRect() const
{
    return TGridRect{0, 0, ColCount() - 1, RowCount() - 1};
}

void TExStringGrid::Print() { RunPrint(AllCellsRect(), false); }
void TExStringGrid::PrintRect(const TGridRect& Gridrect) { RunPrint(Gridrect, false); }
void TExStringGrid::PrintSelection() { RunPrint(Selection(), false); }
void TExStringGrid::PrintSelectedRows() { RunPrint(AllCellsRect(), true); }
void TExStringGrid::PrintSelectedCols() { RunPrint(AllCellsRect(), true); }

void TExStringGrid::PrintPreview(TCanvas* Canvas, TRect Displayrect)
{
    RunPreview(Canvas, Displayrect, AllCellsRect(), false);
}
void TExStringGrid::PrintPreviewRect(TCanvas* Canvas, TRect Displayrect, const TGridRect& Gridrect)
{
    RunPreview(Canvas, Displayrect, Gridrect, false);
}
void TExStringGrid::PrintPreviewSelection(TCanvas* Canvas, TRect Displayrect)
{
    RunPreview(Canvas, Displayrect, Selection(), false);
}
void TExStringGrid::PrintPreviewSelectedRows(TCanvas* Canvas, TRect Displayrect)
{
    RunPreview(Canvas, Displayrect, AllCellsRect(), true);
}
void TExStringGrid::PrintPreviewSelectedCols(TCanvas* Canvas, TRect Displayrect)
{
    RunPreview(Canvas, Displayrect, AllCellsRect(), true);
}

void TExStringGrid::PrintDraw(TCanvas* Canvas, TRect DrawRect) { RunPrintDraw(Canvas, DrawRect, AllCellsRect()); }
void TExStringGrid::PrintDrawRect(TCanvas* Canvas, TRect DrawRect, const TGridRect& Gridrect)
{
    RunPrintDraw(Canvas, DrawRect, Gridrect);
}

void TExStringGrid::RunPrint(const TGridRect& Range, bool SelectedOnly)
{
    ExportNotification(esExportStart, -1);
    FPrintRect = Range;
    TPrinter* P = Printer();
    if (!FPrintSettings->UseDefaultOrientation)
        P->SetOrientation(FPrintSettings->Orientation);
    const Integer dpiX = P->GetDeviceCaps(LOGPIXELSX), dpiY = P->GetDeviceCaps(LOGPIXELSY);
    PrevRect = TRect(0, 0, Integer(std::lround(254.0 / dpiX * P->PageWidth())),
                     Integer(std::lround(254.0 / dpiY * P->PageHeight())));
    P->SetTitle(FPrintSettings->JobName);
    P->BeginDoc();
    try {
        Integer pages = INT_MAX;
        if (!FastPrint()) {
            P->Canvas()->SetMapMode(MM_LOMETRIC);
            pages = PrintGridPages(P->Canvas(), 2, SelectedOnly, -1);
        }
        FPrintPageFrom = 1;
        FPrintPageTo = pages;
        SetPrintNrOfPages(pages);
        if (OnPrintStart) {
            P->Abort();
            OnPrintStart(this, pages, FPrintPageFrom, FPrintPageTo);
            if (FPrintPageFrom == 0 || FPrintPageTo == 0 || FPrintPageTo < FPrintPageFrom)
                return;
            P->BeginDoc();
        }
        SetPrintNrOfPages(FPrintPageTo);
        P->Canvas()->SetMapMode(MM_LOMETRIC);
        PrintGridPages(P->Canvas(), 1, SelectedOnly, pages);
        P->Canvas()->SetMapMode(MM_TEXT);
        P->EndDoc();
    } catch (...) {
        // A failed run leaves no document behind.
        if (P->Printing())
            P->Abort();
        throw;
    }
    ExportNotification(esExportDone, -1);
}

void TExStringGrid::RunPreview(TCanvas* Canvas, TRect Displayrect, const TGridRect& Range, bool SelectedOnly)
{
    ExportNotification(esExportStart, -1);
    FPrintRect = Range;
    struct TPreviewEnd {
        TExStringGrid* G;
        ~TPreviewEnd() { G->SetIsPrintPreview(false); }
    } previewEnd{this};
    {
        TMapModeKeeper keep(Canvas);
        PageOrigin(Canvas, Displayrect.TopLeft());
        PrevRect = Displayrect;
        Integer pages = 1;
        if (!FastPrint()) {
            pages = PrintGridPages(Canvas, 3, SelectedOnly, -1);
            SetPrintNrOfPages(pages);
        }
        SetIsPrintPreview(true);
        Integer fromPage = 1, toPage = pages;
        if (OnPrintStart)
            OnPrintStart(this, pages, fromPage, toPage);
        if (fromPage > 0 && toPage > 0 && toPage >= fromPage) {
            PrevRect = Displayrect;
            PrintGridPages(Canvas, 0, SelectedOnly, pages);
        }
    }
    ExportNotification(esExportDone, -1);
}

void TExStringGrid::RunPrintDraw(TCanvas* Canvas, TRect DrawRect, const TGridRect& Range)
{
    FPrintRect = Range;
    PrevRect = DrawRect;
    FPrintPageFrom = 1;
    FPrintPageTo = 1;
    SetPrintNrOfPages(1);
    const Integer saved = Canvas->SaveDC();
    TMapModeKeeper keep(Canvas);
    // The rectangle is the page: its corner is the origin and it clips.
    Canvas->IntersectClipRect(DrawRect);
    PageOrigin(Canvas, DrawRect.TopLeft());
    struct TRestore {
        TCanvas* C;
        Integer N;
        ~TRestore() { C->RestoreDC(N); }
    } restore{Canvas, saved};
    PrintGridPages(Canvas, 1, false, 1);
}
