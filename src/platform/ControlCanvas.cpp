#include "platform/ControlCanvas.h"

#include <QPainter>

#include "platform/WidgetBridge.h"

TControlCanvas::~TControlCanvas()
{
    EndDrawNow();
    if (FJoined || FPainting)
        EndPaint();
    FToken.reset();
}

void TControlCanvas::SetControl(TControl* control)
{
    EndDrawNow();
    FControl = control;
}

void TControlCanvas::StartPaint(QPainter* painter)
{
    EndDrawNow();
    BeginPaint(painter);
    FPainting = true;
}

void TControlCanvas::StopPaint()
{
    EndPaint();
    FPainting = false;
}

void TControlCanvas::EndDrawNow()
{
    if (FDrawNow) {
        EndPaint();
        FDrawNow = false;
    }
}

void TControlCanvas::CreateHandle()
{
    if (FControl == nullptr || FPainting || FDrawNow || FJoined)
        return;
    // Inside the control's paint: its painter, for as long as the paint lasts.
    if (QPainter* p = TWidgetBridge::CurrentPainter(FControl)) {
        std::weak_ptr<int> alive = FToken;
        if (TWidgetBridge::JoinPaint(FControl, [this, alive] {
                if (alive.expired())
                    return;
                EndPaint();
                FJoined = false;
            })) {
            BeginPaint(p);
            FJoined = true;
            return;
        }
    }
    if (QPainter* p = TWidgetBridge::BackingPainter(FControl)) {
        BeginPaint(p);
        FDrawNow = true;
    }
}
