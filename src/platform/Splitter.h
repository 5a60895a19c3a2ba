#pragma once
// TSplitter: a bar between two aligned controls of one parent. Dragging it
// resizes the control it stands against (the one aligned the same way and
// touching it), never below MinSize, and leaves at least MinSize to the
// client-aligned control on its other side.

#include "platform/Control.h"

class TSplitter : public TGraphicControl {
public:
    explicit TSplitter(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TSplitter"); }

    // Top and bottom splitters (Align) move up and down, left and right
    // ones sideways; the cursor over it says which.
    Integer MinSize() const { return FMinSize; }
    void SetMinSize(Integer value) { FMinSize = value < 1 ? 1 : value; }

    // After a drag has resized the control.
    TNotifyEvent OnMoved;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

private:
    bool Vertical() const { return Align() == alTop || Align() == alBottom; }
    // The splitter's place along its axis in the parent.
    Integer Position(Integer X, Integer Y) const;
    // The control the splitter resizes; nullptr when none touches it.
    TControl* FindControl() const;
    // The room the client-aligned sibling (or the parent) leaves over
    // MinSize.
    Integer Spare() const;
    void Resize_To(Integer Size);

    Integer FMinSize = 30;
    TControl* FControl = nullptr;  // while dragging
    Integer FDownPos = 0;
    Integer FDownSize = 0;
    Integer FMaxSize = 0;
};
