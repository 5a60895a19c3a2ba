#pragma once
// What the steps of DrawGridCell hand to each other while one cell is drawn.

#include "grid/ExGrid.h"

struct TExStringGrid::TCellPaint {
    Integer ACol = 0;  // display column
    Integer RCol = 0;  // real column
    Integer ARow = 0;
    Integer SelRow = 0;
    TGridDrawState State = 0;
    TAlignment HA = taLeftJustify;
    TVAlignment VA = vtaTop;
    bool WW = true;
    TCellGradientDirection GD = GradientVertical;
    TColor ColorTo = clNone;
    TColor MirrorColor = clNone;
    TColor MirrorColorTo = clNone;
    // The cell's graphic and the room it takes.
    TCellGraphic* Graphic = nullptr;
    Integer GW = 0;
    Integer GH = 0;
    TCellHAlign GHA = haLeft;
    TCellVAlign GVA = vaTop;
    bool ShowText = true;
    bool FixedLook = false;
    // Brush and font colours as DrawGridCell found them.
    TColor BrushColor = clNone;
    TColor FontColor = clNone;
    bool FilterButton = false;
    Integer ScrollPos = 0;
    // The width of the text drawn, for the graphic placed beside it.
    Integer TextWidth = 0;
};
