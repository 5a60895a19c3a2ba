#pragma once
// THintWindow: the small window that shows a control's hint. The application
// makes one of the class named by HintWindowClass (or by the control's answer
// to CM_HINTSHOW), so a program or a control can put its own in place.

#include "platform/Control.h"

class THintWindow : public TCustomControl {
public:
    explicit THintWindow(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("THintWindow"); }

    // Places the window at Rect (screen coordinates) with the text and shows it.
    virtual void ActivateHint(const TRect& Rect, const QString& AHint);
    virtual void ActivateHintData(const TRect& Rect, const QString& AHint, void* AData);
    // Size the text needs, wrapped at MaxWidth, as a rectangle at (0, 0).
    virtual TRect CalcHintRect(Integer MaxWidth, const QString& AHint, void* AData);
    // Hides the window.
    virtual void ReleaseHandle();
    bool IsShowing() const;

    THintWindowClass WindowClass() const { return FWindowClass; }
    void SetWindowClass(THintWindowClass c) { FWindowClass = c; }

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWindowHandle(const TCreateParams& Params) override;
    void Paint() override;

private:
    THintWindowClass FWindowClass = nullptr;
};

// The factory of a hint window class, for HintWindowClass and THintInfo.
template <class T>
THintWindow* HintWindowClassOf(TComponent* AOwner)
{
    return new T(AOwner);
}
