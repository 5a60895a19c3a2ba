#pragma once
// The state of one print engine run, private to the grid's printing sources.

#include "grid/ExGrid.h"

class TPrinter;

struct TExStringGrid::TPrintRun {
    TCanvas* Canvas = nullptr;
    TPrinter* Printer = nullptr; // the printer whose pages mode 1 turns; null when drawing elsewhere
    Byte Mode = 0;               // 0 preview, 1 print or draw, 2 count for print, 3 count for preview
    bool SelectedOnly = false;
    Integer Pages = -1;          // the counted pages (-1 while counting)
    Integer W = 0;               // page width
    Integer B = 0;               // page bottom (negative)
    Integer S = 0;               // column spacing
    Integer E8 = 0;              // an eighth of the body text height
    Integer Hh = 0;              // header line height
    Integer Hf = 0;              // footer line height
    Integer M = 0;               // the text margin: half the width of "g"
    Integer T = 0;               // top area
    Integer Bt = 0;              // bottom area
    Integer PageCount = 0;       // pages finished
    Integer PageAcross = 0;      // A: position of the page across
    Integer PageDown = 0;        // D: position of the page down within its page across
    bool TwoPartNumbers = false; // once a page across ended before the range's last column
    bool Cancelled = false;
    bool RepeatCols = false;     // the fixed columns repeat on this page across
    bool TitleIsHTML = false;
    Integer TitleHeight = 0;     // height of an HTML title
    double Scale = 1.0;          // fit-to-page factor
    double ScreenToPrint = 254.0 / 96.0;

    bool Drawing() const { return Mode == 0 || Mode == 1; }
    Integer PageNr() const { return PageCount + 1; }
};
