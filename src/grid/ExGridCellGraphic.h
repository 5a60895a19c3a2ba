#pragma once
// The descriptor of the object a cell carries besides its text (check box,
// picture, node, ...), kept in the cell's properties. Only what the base
// grid needs of it is here: its kinds, placement and state fields and the
// check-box set-up; the kinds' own operations come with the cell-object
// features.

#include "platform/Object.h"
#include "platform/StdControls.h"

enum TCellType {
    ctNone, ctEmpty, ctBitmap, ctIcon, ctImageList, ctDataImage, ctImages, ctPicture, ctFilePicture, ctRotated,
    ctProgress, ctXPProgress, ctProgressPie, ctRangeIndicator, ctComment, ctShape, ctRating, ctScrollbar,
    ctButton, ctBitButton, ctExpand, ctBalloon, ctInterface, ctCheckBox, ctDataCheckBox, ctVirtCheckBox,
    ctRowCheckBox, ctTriStateCheckBox, ctRadio, ctRadioButton, ctNode, ctSummary,
};
enum TCellHAlign { haLeft, haRight, haCenter, haBeforeText, haAfterText, haFull };
enum TCellVAlign { vaTop, vaBottom, vaCenter, vaUnderText, vaAboveText, vaFull };

class TCellGraphic : public TPersistent {
public:
    TCellGraphic() = default;
    QString ClassName() const override { return QStringLiteral("TCellGraphic"); }

    // A tri-state check box: its state, the Boolean cleared, placement and look.
    void SetCheckBox(TCheckBoxState State, bool Transparent, TCellHAlign HAlign, TCellVAlign VAlign);

    TCellType CellType = ctNone;
    bool CellBoolean = false;
    TCheckBoxState CellCheckBoxState = cbUnchecked;
    TCellHAlign CellHAlign = haLeft;
    TCellVAlign CellVAlign = vaTop;
    bool CellTransparent = false;
    Integer CellIndex = 0;
    Integer CellAngle = 0;
};
