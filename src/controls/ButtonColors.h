#pragma once
// The seven colours of a control's coloured button: its face as it is,
// under the mouse and pressed, its border line, and its text or arrow in the
// same three states. A face colour of none means no coloured button.

#include "platform/Types.h"

class TButtonColors {
public:
    virtual ~TButtonColors() = default;

    TColor ButtonColor() const { return FButtonColor; }
    void SetButtonColor(TColor v) { Set(FButtonColor, v); }
    TColor ButtonColorHot() const { return FButtonColorHot; }
    void SetButtonColorHot(TColor v) { Set(FButtonColorHot, v); }
    TColor ButtonColorDown() const { return FButtonColorDown; }
    void SetButtonColorDown(TColor v) { Set(FButtonColorDown, v); }
    TColor ButtonBorderColor() const { return FButtonBorderColor; }
    void SetButtonBorderColor(TColor v) { Set(FButtonBorderColor, v); }
    TColor ButtonTextColor() const { return FButtonTextColor; }
    void SetButtonTextColor(TColor v) { Set(FButtonTextColor, v); }
    TColor ButtonTextColorHot() const { return FButtonTextColorHot; }
    void SetButtonTextColorHot(TColor v) { Set(FButtonTextColorHot, v); }
    TColor ButtonTextColorDown() const { return FButtonTextColorDown; }
    void SetButtonTextColorDown(TColor v) { Set(FButtonTextColorDown, v); }

protected:
    // A colour changed: the control repaints what shows it.
    virtual void ButtonColorsChanged() {}

    TColor FButtonColorDown = clNone;
    TColor FButtonBorderColor = clNone;
    TColor FButtonTextColor = clNone;
    TColor FButtonTextColorHot = clNone;
    TColor FButtonColor = clNone;
    TColor FButtonColorHot = clNone;
    TColor FButtonTextColorDown = clNone;

private:
    void Set(TColor& field, TColor v)
    {
        field = v;
        ButtonColorsChanged();
    }
};
