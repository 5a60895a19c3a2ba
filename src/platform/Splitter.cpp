#include "platform/Splitter.h"

#include <algorithm>

#include "platform/Canvas.h"

TSplitter::TSplitter(TComponent* AOwner) : TGraphicControl(AOwner)
{
    SetAlign(alLeft);
    SetBounds(0, 0, 3, 100);
    SetCursor(crHSplit);
}

void TSplitter::Paint()
{
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(ClientRect());
}

Integer TSplitter::Position(Integer X, Integer Y) const
{
    return Vertical() ? Top() + Y : Left() + X;
}

TControl* TSplitter::FindControl() const
{
    if (Parent() == nullptr)
        return nullptr;
    for (Integer i = 0; i < Parent()->ControlCount(); ++i) {
        TControl* c = Parent()->Controls(i);
        if (c == this || !c->Visible() || c->Align() != Align())
            continue;
        const bool touches = (Align() == alTop && c->Top() + c->Height() == Top())
                             || (Align() == alBottom && c->Top() == Top() + Height())
                             || (Align() == alLeft && c->Left() + c->Width() == Left())
                             || (Align() == alRight && c->Left() == Left() + Width());
        if (touches)
            return c;
    }
    return nullptr;
}

Integer TSplitter::Spare() const
{
    for (Integer i = 0; i < Parent()->ControlCount(); ++i) {
        const TControl* c = Parent()->Controls(i);
        if (c->Visible() && c->Align() == alClient)
            return (Vertical() ? c->Height() : c->Width()) - FMinSize;
    }
    // Without a client control the room up to the parent's far edge.
    if (Align() == alTop)
        return Parent()->ClientHeight() - (Top() + Height()) - FMinSize;
    if (Align() == alBottom)
        return Top() - FMinSize;
    if (Align() == alLeft)
        return Parent()->ClientWidth() - (Left() + Width()) - FMinSize;
    return Left() - FMinSize;
}

void TSplitter::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || (!Vertical() && Align() != alLeft && Align() != alRight))
        return;
    FControl = FindControl();
    if (FControl == nullptr)
        return;
    FDownPos = Position(X, Y);
    FDownSize = Vertical() ? FControl->Height() : FControl->Width();
    FMaxSize = FDownSize + std::max(Spare(), 0);
}

void TSplitter::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TGraphicControl::MouseMove(Shift, X, Y);
    SetCursor(Vertical() ? crVSplit : crHSplit);
    if (FControl == nullptr)
        return;
    Integer delta = Position(X, Y) - FDownPos;
    if (Align() == alBottom || Align() == alRight)
        delta = -delta;
    Resize_To(std::clamp(FDownSize + delta, std::min(FMinSize, FDownSize), FMaxSize));
}

void TSplitter::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (FControl == nullptr || Button != mbLeft)
        return;
    FControl = nullptr;
    if (OnMoved)
        OnMoved(this);
}

void TSplitter::Resize_To(Integer Size)
{
    // The control's position moves with it so that the splitter, laid out
    // after it, keeps touching it.
    if (Vertical()) {
        if (Align() == alBottom)
            FControl->SetBounds(FControl->Left(), FControl->Top() + FControl->Height() - Size, FControl->Width(), Size);
        else
            FControl->SetHeight(Size);
    } else {
        if (Align() == alRight)
            FControl->SetBounds(FControl->Left() + FControl->Width() - Size, FControl->Top(), Size, FControl->Height());
        else
            FControl->SetWidth(Size);
    }
}
