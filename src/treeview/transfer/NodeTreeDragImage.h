#pragma once
// The translucent picture that follows the mouse while nodes or a header
// column are dragged. It keeps a copy of the screen under itself, blends
// the picture over that copy (with a constant alpha, or with an alpha that
// fades out towards the edges) and shows the result in a small popup
// window at the image's place; a move repairs only the strips that change.

#include <memory>

#include "platform/Graphics.h"
#include "platform/Types.h"

class QImage;
class QMimeData;
class TBaseNodeTree;
class TBitmap;
class TNtDragImageWindow;

using TNtTransparency = Byte;  // 0..255
using TNtBias = int;           // -128..127

enum TNtDragMoveRestriction { dmrNone, dmrHorizontalOnly, dmrVerticalOnly };

using TNtDragImageStates = Cardinal;
constexpr TNtDragImageStates disHidden = 1u << 0;
constexpr TNtDragImageStates disInDrag = 1u << 1;
constexpr TNtDragImageStates disPrepared = 1u << 2;
constexpr TNtDragImageStates disSystemSupport = 1u << 3;

class TNtDragImage {
public:
    explicit TNtDragImage(TBaseNodeTree* AOwner);
    ~TNtDragImage();
    TNtDragImage(const TNtDragImage&) = delete;
    TNtDragImage& operator=(const TNtDragImage&) = delete;

    // Takes the picture over; positions are in screen coordinates. Where the
    // desktop's drag shows the picture of DataObject's drag itself, the
    // image hands it over and draws nothing (disSystemSupport).
    void PrepareDrag(TBitmap* DragImage, TPoint ImagePosition, TPoint HotSpot, QMimeData* DataObject);
    void ShowDragImage();
    void HideDragImage();
    // Moves the image with the pointer; true when it moved or was repainted.
    bool DragTo(TPoint P, bool ForceRepaint);
    void EndDrag();
    TRect GetDragImageRect() const;
    bool WillMove(TPoint P) const;
    // Paints R of Tree (client coordinates) into the saved background, so
    // that the tree's new look under the image shows through it.
    void RecaptureBackground(TBaseNodeTree* Tree, TRect R, bool ReshowDragImage);

    TColor ColorKey() const { return FColorKey; }
    void SetColorKey(TColor Value) { FColorKey = Value; }
    bool Fade() const { return FFade; }
    void SetFade(bool Value) { FFade = Value; }
    TNtDragMoveRestriction MoveRestriction() const { return FRestriction; }
    void SetMoveRestriction(TNtDragMoveRestriction Value) { FRestriction = Value; }
    TNtBias PostBlendBias() const { return FPostBlendBias; }
    void SetPostBlendBias(TNtBias Value) { FPostBlendBias = Value; }
    TNtBias PreBlendBias() const { return FPreBlendBias; }
    void SetPreBlendBias(TNtBias Value) { FPreBlendBias = Value; }
    TNtTransparency Transparency() const { return FTransparency; }
    void SetTransparency(TNtTransparency Value) { FTransparency = Value; }
    bool Visible() const { return FStates == (disInDrag | disPrepared); }
    TNtDragImageStates States() const { return FStates; }

    // What the window shows (the background blended with the picture), the
    // picture with its alpha channel and the saved background.
    const QImage& AlphaImage() const { return *FAlphaImage; }
    const QImage& DragImage() const { return *FDragImage; }
    const QImage& BackImage() const { return *FBackImage; }

private:
    void BlendToScreen();
    void BuildFadeAlpha(const QImage& Source, QImage& Target) const;

    TBaseNodeTree* FOwner;
    std::unique_ptr<QImage> FBackImage;
    std::unique_ptr<QImage> FAlphaImage;
    std::unique_ptr<QImage> FDragImage;
    TPoint FImagePosition;
    TPoint FLastPosition;
    TNtTransparency FTransparency = 128;
    TNtBias FPreBlendBias = 0;
    TNtBias FPostBlendBias = 0;
    bool FFade = false;
    TNtDragMoveRestriction FRestriction = dmrNone;
    TColor FColorKey = clNone;
    TNtDragImageStates FStates = 0;
    // The popup that shows the blended picture; made on the first show.
    TNtDragImageWindow* FWindow = nullptr;
};
