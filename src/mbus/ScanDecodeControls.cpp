#include "mbus/ScanDecodeControls.h"

#include <algorithm>

#include "platform/Canvas.h"
#include "platform/DrawText.h"
#include "platform/Graphics.h"
#include "platform/StringList.h"

TScanDeviceList::TScanDeviceList(TComponent* AOwner)
    : TCustomControl(AOwner), FItems(std::make_unique<TStringList>())
{
    SetColor(clWindow);
}

TScanDeviceList::~TScanDeviceList() = default;

Integer TScanDeviceList::Count() const
{
    return FItems->Count();
}

QString TScanDeviceList::Line(Integer Index) const
{
    return FItems->Strings(Index);
}

void TScanDeviceList::Add(const QString& Text)
{
    FItems->Add(Text);
    Invalidate();
}

void TScanDeviceList::Clear()
{
    FItems->Clear();
    FTopIndex = 0;
    Invalidate();
}

void TScanDeviceList::SetTopIndex(Integer Value)
{
    FTopIndex = std::clamp(Value, 0, std::max(0, Count() - 1));
    Invalidate();
}

void TScanDeviceList::Paint()
{
    TCanvas* c = Canvas();
    c->Font()->Assign(Font());
    c->Brush()->SetColor(Color());
    c->FillRect(ClientRect());
    const TRect client = ClientRect();
    for (Integer i = FTopIndex, y = 0; i < Count() && y < client.Bottom; ++i, y += FItemHeight) {
        TOwnerDrawItem item;
        item.Canvas = c;
        item.Index = i;
        item.Rect = TRect(0, y, client.Right, y + FItemHeight);
        item.Text = Line(i);
        if (OnDrawItem) {
            OnDrawItem(item);
        } else {
            TRect r = item.Rect;
            DrawText(c, item.Text, r, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        }
    }
}

bool TScanDeviceList::DoMouseWheel(TShiftState, Integer WheelDelta, TPoint)
{
    SetTopIndex(FTopIndex - WheelDelta / 40);
    return true;
}

TScanSplitter::TScanSplitter(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetCursor(crVSplit);
}

void TScanSplitter::Paint()
{
    Canvas()->Brush()->SetColor(clBtnFace);
    Canvas()->FillRect(ClientRect());
}

void TScanSplitter::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Target)
        return;
    FDragging = true;
    FStartY = ClientToScreen(TPoint(X, Y)).Y;
    FStartHeight = Target->Height();
}

void TScanSplitter::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    if (!FDragging || !Target)
        return;
    const Integer moved = ClientToScreen(TPoint(X, Y)).Y - FStartY;
    Target->SetHeight(std::max(MinSize, FStartHeight + moved));
}

void TScanSplitter::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    FDragging = false;
}
