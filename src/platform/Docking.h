#pragma once
// The windows of docking: the top-level window a floating control lives in,
// and the frame that shows, while a control is dragged to dock, where it
// would go.

#include "platform/Form.h"

// A small tool window holding one floating control over its whole client
// area. Its caption is the control's; hiding the control hides the window
// and closing the window hides the control. When the control docks
// elsewhere the window goes.
class TFloatDockForm : public TCustomForm {
public:
    explicit TFloatDockForm(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TFloatDockForm"); }

protected:
    void Dispatch(TMessage& Message) override;
    void DoAddDockClient(TControl* Client, const TRect& ARect) override;
    void DoRemoveDockClient(TControl* Client) override;
    void DoClose(TCloseAction& Action) override;
};

namespace DockFrame {
// Shows the feedback frame at the screen rectangle: thin over a dock site,
// thick where the control would float.
void Show(const TRect& ScreenRect, bool Floating);
void Hide();
// The frame on show now (for tests): false when hidden.
bool Visible();
TRect Rect();
// Width of the frame's border.
Integer Thickness(bool Floating);
} // namespace DockFrame
