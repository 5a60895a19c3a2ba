#include "platform/Splitter.h"

#include "platform/Canvas.h"
#include "platform/Graphics.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

TSplitter::TSplitter(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetAlign(alLeft);
    SetBounds(0, 0, 3, 100);
    SetColor(clBtnFace);
    Update_Cursor();
}

void TSplitter::Update_Cursor()
{
    SetCursor(Vertical() ? crHSplit : crVSplit);
}

void TSplitter::Resize()
{
    // A new alignment reaches the splitter as new bounds.
    Update_Cursor();
    TCustomControl::Resize();
}

void TSplitter::Paint()
{
    TCanvas* c = Canvas();
    c->Brush()->SetColor(Color());
    c->FillRect(ClientRect());
    QPainter* p = c->Painter();
    if (p == nullptr)
        return;
    QStyleOption option;
    option.rect = QRect(0, 0, Width(), Height());
    option.palette = QApplication::palette();
    option.state = QStyle::State_Enabled;
    // A vertical bar is the handle of a splitter laid out horizontally.
    if (Vertical())
        option.state |= QStyle::State_Horizontal;
    QApplication::style()->drawControl(QStyle::CE_Splitter, &option, p);
}

TControl* TSplitter::FindControl() const
{
    const TWinControl* parent = Parent();
    if (parent == nullptr || Align() == alNone || Align() == alClient)
        return nullptr;
    for (Integer i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        if (c == this || !c->Visible() || c->Align() != Align())
            continue;
        bool touches = false;
        switch (Align()) {
        case alLeft: touches = c->Left() + c->Width() == Left(); break;
        case alRight: touches = c->Left() == Left() + Width(); break;
        case alTop: touches = c->Top() + c->Height() == Top(); break;
        case alBottom: touches = c->Top() == Top() + Height(); break;
        default: break;
        }
        if (touches)
            return c;
    }
    return nullptr;
}

Integer TSplitter::Axis_Pos(Integer X, Integer Y) const
{
    return Vertical() ? Left() + X : Top() + Y;
}

void TSplitter::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft)
        return;
    FControl = FindControl();
    if (FControl == nullptr)
        return;
    FStartPos = Axis_Pos(X, Y);
    FStartSize = Vertical() ? FControl->Width() : FControl->Height();
    FMoved = false;
    // The space the parent's client-aligned part has now is all the
    // resized control may take, less the least size left to that part.
    const TRect area = Parent()->ClientRect();
    Integer free = Vertical() ? area.Width() : area.Height();
    for (Integer i = 0; i < Parent()->ControlCount(); ++i) {
        const TControl* c = Parent()->Controls(i);
        if (!c->Visible())
            continue;
        if (Vertical() && (c->Align() == alLeft || c->Align() == alRight))
            free -= c->Width();
        else if (!Vertical() && (c->Align() == alTop || c->Align() == alBottom))
            free -= c->Height();
    }
    FLowest = std::min(FMinSize, FStartSize);
    FHighest = std::max(FStartSize + std::max<Integer>(free - FMinSize, 0), FLowest);
}

void TSplitter::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    if (FControl == nullptr)
        return;
    Integer moved = Axis_Pos(X, Y) - FStartPos;
    if (Align() == alRight || Align() == alBottom)
        moved = -moved;
    const Integer size = std::clamp(FStartSize + moved, FLowest, FHighest);
    const Integer now = Vertical() ? FControl->Width() : FControl->Height();
    if (size == now)
        return;
    if (Vertical())
        FControl->SetWidth(size);
    else
        FControl->SetHeight(size);
    FMoved = true;
}

void TSplitter::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft || FControl == nullptr)
        return;
    FControl = nullptr;
    if (FMoved && OnMoved)
        OnMoved(this);
}
