#pragma once
// The descriptor of the object a cell carries besides its text (check box,
// picture, node, progress bar, button, comment, ...), kept in the cell's
// properties. One per cell at most; what each kind keeps in which field is
// written beside the grid's Add members.

#include <QString>

#include "platform/Object.h"
#include "platform/StdControls.h"

enum TCellType {
    ctNone, ctEmpty, ctBitmap, ctIcon, ctImageList, ctDataImage, ctImages, ctPicture, ctFilePicture, ctRotated,
    ctProgress, ctXPProgress, ctProgressPie, ctRangeIndicator, ctComment, ctShape, ctRating, ctScrollbar,
    ctButton, ctBitButton, ctExpand, ctBalloon, ctInterface, ctCheckBox, ctDataCheckBox, ctVirtCheckBox,
    ctRowCheckBox, ctTriStateCheckBox, ctRadio, ctRadioButton, ctNode, ctSummary, ctValue,
};
enum TCellHAlign { haLeft, haRight, haCenter, haBeforeText, haAfterText, haFull };
enum TCellVAlign { vaTop, vaBottom, vaCenter, vaUnderText, vaAboveText, vaFull };
enum TStretchMode { noStretch, Stretch, Shrink, StretchWithAspectRatio, ShrinkWithAspectRatio };
enum TBalloonIcon { biNone, biInfo, biWarning, biError };

class TCanvas;
class TExStringGrid;

// An object that draws a cell itself (ctInterface); the grid does not own it.
class ICellDraw {
public:
    virtual ~ICellDraw() = default;
    virtual Integer Width() const = 0;
    virtual Integer Height() const = 0;
    // Drawn under the cell text (true) or over it (false).
    virtual bool DrawFirst() const { return false; }
    virtual void Draw(TCanvas* Canvas, const TRect& R, Integer Col, Integer Row, bool Selected,
                      TExStringGrid* Grid) = 0;
};

// The expand state of an expand cell, or the last index chosen in a radio group.
struct TCellVar {
    bool Assigned = false;
    bool Bool = false;
    Integer Int = 0;
};

class TCellGraphic : public TPersistent {
public:
    TCellGraphic() = default;
    ~TCellGraphic() override;
    TCellGraphic(const TCellGraphic&) = delete;
    TCellGraphic& operator=(const TCellGraphic&) = delete;
    QString ClassName() const override { return QStringLiteral("TCellGraphic"); }
    // Copies the placement, state and text fields; never the objects, the
    // variant or the tri-state state.
    void Assign(const TPersistent* Source) override;

    // A tri-state check box: its state, the Boolean cleared, placement and look.
    void SetCheckBox(TCheckBoxState State, bool Transparent, TCellHAlign HAlign, TCellVAlign VAlign);
    // The size a picture takes in a W x H cell, by the stretch mode in
    // CellAngle and the padding in CellIndex; other kinds leave W and H.
    void GetPictureSize(Integer& W, Integer& H) const;
    // The object slots; which objects the descriptor frees depends on the
    // kind and CellCreated (see the destructor).
    TObject* CellBitmap() const { return FCellBitmap; }
    void SetCellBitmap(TObject* Value) { FCellBitmap = Value; }
    TObject* CellIcon() const { return FCellIcon; }
    void SetCellIcon(TObject* Value) { FCellIcon = Value; }
    // The interfaced object of a ctInterface cell.
    ICellDraw* CellInterface() const { return FInterface; }
    void SetCellInterface(ICellDraw* Value) { FInterface = Value; }

    TCellType CellType = ctNone;
    TCellVAlign CellVAlign = vaTop;
    TCellHAlign CellHAlign = haLeft;
    Integer CellIndex = 0;
    bool CellTransparent = false;
    bool CellCreated = false;
    bool CellBoolean = false;
    Integer CellAngle = 0;
    double CellValue = 0;
    Integer CellErrFrom = 0;
    Integer CellErrLen = 0;
    QString CellText;
    TCellVar CellVar;
    TCheckBoxState CellCheckBoxState = cbUnchecked;
    // The colours some kinds keep where others keep their objects.
    TColor CellBitmapColor = 0;
    TColor CellIconColor = 0;

private:
    TObject* FCellBitmap = nullptr;
    TObject* FCellIcon = nullptr;
    ICellDraw* FInterface = nullptr;
};
