// Printing of the tree: the whole tree (and its header) rendered into one
// picture, cut into pages of the printer's size at the printer's text scale
// and stretched onto the pages.

#include "treeview/NodeTrees.h"
#include "treeview/NodeTreesUtils.h"
#include "treeview/header/NodeTreeHeader.h"

#include <QImage>
#include <cmath>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Printers.h"

void StretchBitmapToCanvas(TCanvas* Canvas, const TRect& DestRect, TBitmap* Bitmap)
{
    if (Canvas == nullptr || Bitmap == nullptr || Bitmap->Empty())
        return;
    const TCopyMode mode = Canvas->CopyMode();
    Canvas->SetCopyMode(cmSrcCopy);
    Canvas->StretchImage(DestRect, Bitmap->Image(), TRect(0, 0, Bitmap->Width(), Bitmap->Height()));
    Canvas->SetCopyMode(mode);
}

void TBaseNodeTree::Print(TPrinter* APrinter, bool PrintHeader)
{
    if (APrinter == nullptr)
        return;
    BeginUpdate();
    TFont savedFont;
    savedFont.Assign(Font());
    const TColor savedColor = Color();
    std::unique_ptr<TBitmap> image, page;
    try {
        image = std::make_unique<TBitmap>();
        image->SetPixelFormat(pf32bit);
        TRect treeRect = GetTreeRect();
        Integer targetY = 0;
        const bool header = PrintHeader && (Header()->Options() & hoVisible) != 0;
        if (header) {
            treeRect.Bottom += Header()->Height();
            targetY = Header()->Height();
        }
        image->SetSize(treeRect.Width(), treeRect.Height());
        TRect window(0, 0, image->Width(), 0);

        // Rendered on white.
        SetColor(clWhite);
        if (header) {
            window.Bottom = Header()->Height();
            Header()->Columns()->PaintHeader(image->Canvas(), window, TPoint(0, 0));
        }
        window.Bottom = image->Height() - targetY;
        PaintTree(image->Canvas(), window, TPoint(0, targetY), poGridLines);
        SetColor(savedColor);

        APrinter->BeginDoc();
        TCanvas* pc = APrinter->Canvas();
        pc->Font()->Assign(Font());
        const double scale = double(pc->TextHeight(QStringLiteral("Tj"))) / double(std::max(1, Canvas()->TextHeight(QStringLiteral("Tj"))));
        const Integer pageHeight = std::max(1, Integer(std::lround(APrinter->PageHeight() / scale)));
        const Integer pageWidth = std::max(1, Integer(std::lround(APrinter->PageWidth() / scale)));
        // Whole pages only: a picture exactly one page wide or high is one
        // page, not one and an empty one.
        const Integer pagesX = std::max(0, (image->Width() - 1) / pageWidth);
        const Integer pagesY = std::max(0, (image->Height() - 1) / pageHeight);
        page = std::make_unique<TBitmap>(pageWidth, pageHeight);
        for (Integer y = 0; y <= pagesY; ++y)
            for (Integer x = 0; x <= pagesX; ++x) {
                TCanvas* c = page->Canvas();
                c->Brush()->SetColor(clWhite);
                c->Brush()->SetStyle(bsSolid);
                c->FillRect(TRect(0, 0, pageWidth, pageHeight));
                c->CopyRect(TRect(0, 0, pageWidth, pageHeight), image->Canvas(),
                            TRect(x * pageWidth, y * pageHeight, x * pageWidth + pageWidth, y * pageHeight + pageHeight));
                StretchBitmapToCanvas(APrinter->Canvas(), TRect(0, 0, APrinter->PageWidth(), APrinter->PageHeight() - 1),
                                      page.get());
                if (x < pagesX || y < pagesY)
                    APrinter->NewPage();
            }
        Font()->Assign(&savedFont);
        APrinter->EndDoc();
    } catch (...) {
        SetColor(savedColor);
        Font()->Assign(&savedFont);
        if (APrinter->Printing())
            APrinter->Abort();
        EndUpdate();
        throw;
    }
    EndUpdate();
}
