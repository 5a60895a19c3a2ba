#pragma once
// The splitter: a thin bar aligned among its parent's aligned controls.
// Dragging it with the left button moves the border between the control
// aligned on the same side right before it and the rest of the parent,
// resizing that control as the mouse moves. Drawn with the style's splitter
// handle.

#include "platform/Control.h"

class TSplitter : public TCustomControl {
public:
    explicit TSplitter(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TSplitter"); }

    // The least size of the resized control and of the space left to the
    // parent's other controls.
    Integer MinSize() const { return FMinSize; }
    void SetMinSize(Integer v) { FMinSize = std::max<Integer>(v, 1); }
    // The control a drag resizes: the visible sibling with the splitter's
    // alignment whose edge touches it; nullptr when there is none.
    TControl* FindControl() const;
    // Runs when a drag that moved the border ends.
    TNotifyEvent OnMoved;

protected:
    void Paint() override;
    void Resize() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

private:
    bool Vertical() const { return Align() == alLeft || Align() == alRight; }
    void Update_Cursor();
    // The mouse position along the splitter's axis, in the parent's client
    // coordinates.
    Integer Axis_Pos(Integer X, Integer Y) const;

    Integer FMinSize = 30;
    TControl* FControl = nullptr;
    Integer FStartPos = 0;
    Integer FStartSize = 0;
    Integer FLowest = 0;
    Integer FHighest = 0;
    bool FMoved = false;
};
