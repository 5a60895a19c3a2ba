// TCellGraphic: what a cell carries besides its text.

#include "grid/ExGridCellGraphic.h"

#include <cmath>

#include "grid/ExObj.h"
#include "platform/Bitmap.h"
#include "platform/StringList.h"

TCellGraphic::~TCellGraphic()
{
    switch (CellType) {
    case ctBitmap:
    case ctPicture:
    case ctFilePicture:
    case ctBitButton:
    case ctRadio:
        if (CellCreated)
            delete FCellBitmap;
        break;
    case ctIcon:
        if (CellCreated)
            delete FCellIcon;
        break;
    case ctImages:
    case ctBalloon:
        delete FCellBitmap;
        break;
    case ctCheckBox:
    case ctDataCheckBox:
    case ctRadioButton:
        // A check box or radio button with a balloon owns its text list.
        if (CellAngle == 1)
            delete FCellBitmap;
        break;
    default:
        break;
    }
}

void TCellGraphic::Assign(const TPersistent* Source)
{
    const auto* src = dynamic_cast<const TCellGraphic*>(Source);
    if (src == nullptr || src == this)
        return;
    CellType = src->CellType;
    CellVAlign = src->CellVAlign;
    CellHAlign = src->CellHAlign;
    CellIndex = src->CellIndex;
    CellTransparent = src->CellTransparent;
    CellValue = src->CellValue;
    CellAngle = src->CellAngle;
    CellBoolean = src->CellBoolean;
    CellErrFrom = src->CellErrFrom;
    CellErrLen = src->CellErrLen;
    CellText = src->CellText;
    CellCreated = src->CellCreated;
    CellBitmapColor = src->CellBitmapColor;
    CellIconColor = src->CellIconColor;
}

void TCellGraphic::SetCheckBox(TCheckBoxState State, bool Transparent, TCellHAlign HAlign, TCellVAlign VAlign)
{
    CellType = ctTriStateCheckBox;
    CellCheckBoxState = State;
    CellBoolean = false;
    CellHAlign = HAlign;
    CellVAlign = VAlign;
    CellTransparent = Transparent;
}

void TCellGraphic::GetPictureSize(Integer& W, Integer& H) const
{
    Integer pw = 0, ph = 0;
    if (CellType == ctPicture) {
        const auto* picture = dynamic_cast<const TPicture*>(FCellBitmap);
        if (picture == nullptr)
            return;
        pw = picture->Width();
        ph = picture->Height();
    } else if (CellType == ctFilePicture) {
        const auto* picture = dynamic_cast<const TFilePicture*>(FCellBitmap);
        if (picture == nullptr)
            return;
        pw = picture->Width();
        ph = picture->Height();
    } else {
        return;
    }
    W -= CellIndex;
    H -= CellIndex;
    // Halves round to even.
    const auto round = [](double V) { return Integer(std::nearbyint(V)); };
    const auto aspect = [&](double Rx, double Ry) {
        if (Rx < Ry)
            H = round(ph * Rx);
        else
            W = round(pw * Ry);
    };
    switch (TStretchMode(CellAngle)) {
    case noStretch:
        W = pw;
        H = ph;
        break;
    case Stretch:
        break;
    case Shrink:
        if (pw <= W && ph <= H) {
            W = pw;
            H = ph;
        }
        break;
    case StretchWithAspectRatio:
        aspect(pw > 0 ? double(W) / pw : 1.0, ph > 0 ? double(H) / ph : 1.0);
        break;
    case ShrinkWithAspectRatio:
        if (pw <= W && ph <= H) {
            W = pw;
            H = ph;
        } else {
            aspect(std::min(1.0, pw > 0 ? double(W) / pw : 1.0), std::min(1.0, ph > 0 ? double(H) / ph : 1.0));
        }
        break;
    }
}
