// The drag image: the picture of dragged nodes or of a dragged column,
// blended over a copy of the screen under it and shown in a popup window
// that moves with the pointer. The tree's side builds the picture of the
// selected nodes and repaints the saved background under the image.

#include "treeview/transfer/NodeTreeDragImage.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <cmath>

#include "platform/WindowPicture.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/DragDrop.h"
#include "platform/HintWindow.h"
#include "treeview/NodeTreesPrivate.h"
#include "treeview/NodeTreesUtils.h"

// The popup that shows the blended picture. A hint window is the
// platform's borderless, non-activating popup; this one paints the image.
class TNtDragImageWindow : public THintWindow {
public:
    TNtDragImageWindow() : THintWindow(nullptr), FPicture(std::make_unique<TBitmap>()) {}
    QString ClassName() const override { return QStringLiteral("TNtDragImageWindow"); }
    void ShowAt(const TRect& R, const QImage& Picture)
    {
        FPicture->SetImage(Picture);
        ActivateHint(R, QString());
        Repaint();
    }

protected:
    void Paint() override { Canvas()->Draw(0, 0, FPicture.get()); }

private:
    std::unique_ptr<TBitmap> FPicture;
};

namespace {
QImage NewImage(Integer W, Integer H)
{
    QImage img(std::max<Integer>(W, 0), std::max<Integer>(H, 0), QImage::Format_ARGB32);
    img.fill(0);
    return img;
}

// What the screen shows at R (screen coordinates); black where nothing can be read.
QImage GrabScreen(const TRect& R)
{
    QImage img = NewImage(R.Width(), R.Height());
    img.fill(0xFF000000);
    const QImage shot = ScreenPicture(R);
    if (!shot.isNull()) {
        QPainter p(&img);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(0, 0, shot.convertToFormat(QImage::Format_ARGB32));
    }
    return img;
}

// Copies Source to Target at (X, Y), replacing what was there.
void Put(QImage& Target, Integer X, Integer Y, const QImage& Source)
{
    QPainter p(&Target);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(X, Y, Source);
}
} // namespace

TNtDragImage::TNtDragImage(TBaseNodeTree* AOwner)
    : FOwner(AOwner), FBackImage(std::make_unique<QImage>()), FAlphaImage(std::make_unique<QImage>()), FDragImage(std::make_unique<QImage>())
{
}

TNtDragImage::~TNtDragImage()
{
    EndDrag();
    delete FWindow;
}

void TNtDragImage::PrepareDrag(TBitmap* DragImage, TPoint ImagePosition, TPoint HotSpot, QMimeData* DataObject)
{
    FStates &= ~disSystemSupport;
    if (DragImage == nullptr)
        return;
    if (SetDragImage(DataObject, DragImage->Image(), TPoint(HotSpot.X - ImagePosition.X, HotSpot.Y - ImagePosition.Y))) {
        FStates |= disSystemSupport;
        return;
    }
    const QImage picture = DragImage->Image().convertToFormat(QImage::Format_ARGB32);
    const Integer W = picture.width(), H = picture.height();
    FLastPosition = HotSpot;
    *FDragImage = NewImage(W, H);
    *FAlphaImage = NewImage(W, H);
    *FBackImage = NewImage(W, H);
    if (FPreBlendBias != 0)
        AlphaBlendRect(&picture, FDragImage.get(), TRect(0, 0, W, H), TPoint(0, 0), BlendConstant, 255, FPreBlendBias);
    else
        *FDragImage = picture;
    BuildFadeAlpha(picture, *FDragImage);
    FImagePosition = ImagePosition;
    FStates |= disHidden | disInDrag | disPrepared;
}

void TNtDragImage::BuildFadeAlpha(const QImage& Source, QImage& Target) const
{
    const Integer W = Target.width(), H = Target.height();
    const double M = std::max(W, H);
    const Integer cx = W / 2, cy = H / 2;
    QRgb key = 0;
    if (FColorKey != clNone) {
        const LongWord c = ColorToRGB(FColorKey);
        key = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    }
    for (Integer y = 0; y < H; ++y) {
        auto* t = reinterpret_cast<QRgb*>(Target.scanLine(y));
        const auto* s = y < Source.height() ? reinterpret_cast<const QRgb*>(Source.constScanLine(y)) : nullptr;
        for (Integer x = 0; x < W; ++x) {
            Integer alpha;
            if (FColorKey != clNone && s != nullptr && x < Source.width() && (s[x] & 0xFFFFFF) == key) {
                alpha = 0;
            } else {
                const double dx = (x - cx) / M, dy = (y - cy) / M;
                alpha = Integer(std::lround(255.0 * std::exp(-8.0 * std::sqrt(dx * dx + dy * dy))));
            }
            t[x] = (QRgb(alpha) << 24) | (t[x] & 0xFFFFFF);
        }
    }
}

void TNtDragImage::BlendToScreen()
{
    *FAlphaImage = FBackImage->copy();
    const TBlendMode mode = (FFade || FColorKey != clNone) ? BlendPerPixelScaled : BlendConstant;
    AlphaBlendRect(FDragImage.get(), FAlphaImage.get(), TRect(0, 0, FDragImage->width(), FDragImage->height()), TPoint(0, 0), mode,
                   FTransparency, FPostBlendBias);
    if (FWindow == nullptr)
        FWindow = new TNtDragImageWindow();
    FWindow->ShowAt(Bounds(FImagePosition.X, FImagePosition.Y, FAlphaImage->width(), FAlphaImage->height()), *FAlphaImage);
}

void TNtDragImage::ShowDragImage()
{
    if (FStates != (disHidden | disInDrag | disPrepared))
        return;
    FStates &= ~disHidden;
    *FBackImage = GrabScreen(Bounds(FImagePosition.X, FImagePosition.Y, FBackImage->width(), FBackImage->height()));
    BlendToScreen();
}

void TNtDragImage::HideDragImage()
{
    if (!Visible())
        return;
    FStates |= disHidden;
    // The window goes; the screen under it shows again.
    if (FWindow != nullptr)
        FWindow->ReleaseHandle();
}

bool TNtDragImage::DragTo(TPoint P, bool ForceRepaint)
{
    Integer deltaX = FLastPosition.X - P.X;
    Integer deltaY = FLastPosition.Y - P.Y;
    if (FRestriction == dmrHorizontalOnly)
        deltaY = 0;
    else if (FRestriction == dmrVerticalOnly)
        deltaX = 0;
    const bool result = deltaX != 0 || deltaY != 0 || ForceRepaint;
    if (!result)
        return false;
    if (Visible()) {
        const Integer W = FBackImage->width(), H = FBackImage->height();
        if (std::abs(deltaX) >= W || std::abs(deltaY) >= H || ForceRepaint) {
            // Too far for shifting: the whole background is taken anew, with
            // the window out of the way and the owner repainted first.
            if (FWindow != nullptr)
                FWindow->ReleaseHandle();
            if (ForceRepaint && FOwner != nullptr)
                FOwner->Update();
            FImagePosition.X -= deltaX;
            FImagePosition.Y -= deltaY;
            *FBackImage = GrabScreen(Bounds(FImagePosition.X, FImagePosition.Y, W, H));
        } else {
            TRect clip, scroll, sample1, sample2, draw1, draw2;
            DragImageRects(W, H, deltaX, deltaY, clip, scroll, sample1, sample2, draw1, draw2);
            // The part still covered moves along; the strips newly covered
            // come from the screen.
            const QImage kept = FBackImage->copy(scroll.Left, scroll.Top, scroll.Width(), scroll.Height());
            Put(*FBackImage, scroll.Left + deltaX, scroll.Top + deltaY, kept);
            FImagePosition.X -= deltaX;
            FImagePosition.Y -= deltaY;
            for (const TRect& strip : {sample1, sample2})
                if (!strip.IsEmpty())
                    Put(*FBackImage, strip.Left, strip.Top,
                        GrabScreen(Bounds(FImagePosition.X + strip.Left, FImagePosition.Y + strip.Top, strip.Width(), strip.Height())));
        }
        BlendToScreen();
    }
    FLastPosition = P;
    return result;
}

void TNtDragImage::EndDrag()
{
    HideDragImage();
    FStates &= ~(disInDrag | disPrepared);
    *FBackImage = QImage();
    *FAlphaImage = QImage();
    *FDragImage = QImage();
}

TRect TNtDragImage::GetDragImageRect() const
{
    if (!Visible())
        return TRect(0, 0, 0, 0);
    return Bounds(FImagePosition.X, FImagePosition.Y, FBackImage->width(), FBackImage->height());
}

bool TNtDragImage::WillMove(TPoint P) const
{
    if (!Visible())
        return false;
    switch (FRestriction) {
    case dmrHorizontalOnly: return P.X != FLastPosition.X;
    case dmrVerticalOnly: return P.Y != FLastPosition.Y;
    default: return P.X != FLastPosition.X || P.Y != FLastPosition.Y;
    }
}

void TNtDragImage::RecaptureBackground(TBaseNodeTree* Tree, TRect R, bool ReshowDragImage)
{
    if (!Visible() || Tree == nullptr)
        return;
    const TRect D = GetDragImageRect();
    const TPoint origin = Tree->ClientToScreen(TPoint(0, 0));
    TRect S;
    OffsetRect(R, origin.X, origin.Y);
    if (!IntersectRect(S, R, D))
        return;
    const TPoint target(S.Left - D.Left, S.Top - D.Top);
    OffsetRect(S, -origin.X + Tree->EffectiveOffsetX(), -origin.Y - Tree->OffsetY());
    TBitmap part;
    part.SetPixelFormat(pf32bit);
    part.SetSize(S.Width(), S.Height());
    Tree->PaintTree(part.Canvas(), S, TPoint(0, 0),
                    poBackground | poColumnColor | poDrawFocusRect | poDrawSelection | poDrawDropMark | poGridLines);
    Put(*FBackImage, target.X, target.Y, part.Image().convertToFormat(QImage::Format_ARGB32));
    if (ReshowDragImage)
        BlendToScreen();
}

// ---------------------------------------------------------------- the tree's side

bool TBaseNodeTree::DragImageWanted()
{
    return FDragImageKind != diNoImage;
}

void TBaseNodeTree::PrepareDragImage(TPoint HotSpot, QMimeData* DataObject)
{
    if (!DragImageWanted())
        return;
    const TPoint p(HotSpot.X + FEffectiveOffsetX, HotSpot.Y - FOffsetY);
    TRect r(p.X - FDragWidth / 2, p.Y - FDragHeight / 2, p.X + FDragWidth / 2, p.Y + FDragHeight / 2);
    const TRect window(std::max<Integer>(r.Left, 0), std::max<Integer>(r.Top, 0), r.Right, r.Bottom);
    const TPoint paintTarget(r.Left < 0 ? -r.Left : 0, r.Top < 0 ? -r.Top : 0);
    const TColor background = FColors->TreeBackgroundColor();
    TBitmap picture;
    picture.SetPixelFormat(pf32bit);
    picture.SetSize(r.Width(), r.Height());
    picture.Canvas()->Brush()->SetColor(background);
    picture.Canvas()->Brush()->SetStyle(bsSolid);
    picture.Canvas()->FillRect(TRect(0, 0, r.Width(), r.Height()));
    TNtInternalPaintOptions options = poDrawSelection | poSelectedOnly;
    if (FDragImageKind == diMainColumnOnly)
        options |= poMainOnly;
    PaintTree(picture.Canvas(), window, paintTarget, options);
    OffsetRect(r, -FEffectiveOffsetX, FOffsetY);
    FDragImage->SetColorKey(background);
    FDragImage->PrepareDrag(&picture, ClientToScreen(r.TopLeft()), ClientToScreen(HotSpot), DataObject);
}

void TBaseNodeTree::RefreshUnderDragImage(TBaseNodeTree* DragSource, TRect TreeRect, bool ReshowDragImage)
{
    TRect r;
    if (DragSource == nullptr || !IntersectRect(r, TreeRect, ClientRect()))
        return;
    DragSource->DragImage()->RecaptureBackground(this, r, ReshowDragImage);
    // The image is a window of its own: the tree repaints under it without
    // leaving traces.
    Invalidate();
}
