#pragma once
// TEsgDateTimePicker: the platform's date-time picker with border colours
// and, in the "metro" look, a drop-down button of its own drawn over the
// platform's. The grid's date cell editor derives from it.
//
// TFlatDateTimePicker holds what it shares with the auto-tab picker of
// ExDateTimePicker: the colours, the metro button, the frames and the
// mouse and focus tracking that repaint them.

#include <memory>
#include "controls/ButtonColors.h"
#include "platform/DateTimePicker.h"

class TCanvas;
class TControlCanvas;

class TFlatDateTimePicker : public TDateTimePicker, public TButtonColors {
public:
    ~TFlatDateTimePicker() override;
    QString ClassName() const override { return QStringLiteral("TFlatDateTimePicker"); }

    TBorderStyle BorderStyle() const { return FBorderStyle; }
    virtual void SetBorderStyle(TBorderStyle v);
    // Frame colour; none: no own frame.
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v);
    TColor FocusBorderColor() const { return FFocusBorderColor; }
    void SetFocusBorderColor(TColor v) { FFocusBorderColor = v; Invalidate(); }
    bool MetroStyle() const { return FMetroStyle; }
    void SetMetroStyle(bool v);
    // A disabled themed picker keeps its frame.
    bool DisabledBorder() const { return FDisabledBorder; }
    void SetDisabledBorder(bool v) { FDisabledBorder = v; Invalidate(); }
    bool FocusBorder() const { return FFocusBorder; }
    void SetFocusBorder(bool v) { FFocusBorder = v; Invalidate(); }
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool v);
    Integer ButtonWidth() const { return FButtonWidth; }
    bool IsWinXP() const { return FIsWinXP; }


    bool HasFocus() const { return FHasFocus; }
    bool MouseInControl() const { return FMouseInControl; }
    bool ButtonHover() const { return FButtonHover; }

protected:
    TFlatDateTimePicker(TComponent* AOwner, TColor BorderColor, bool Ctl3D);
    // The metro look is on for this picker now.
    virtual bool MetroActive() const = 0;
    // Where the platform's own button is covered before the metro button is drawn.
    virtual TRect MetroCover(bool VisualStyles) const = 0;
    // The plain one-pixel border around a picker without the 3D look.
    virtual bool PlainBorderWanted() const = 0;
    // The outline drawn over the client area of a picker without the 3D look.
    virtual bool DrawsOutline() const { return false; }
    void Dispatch(TMessage& Message) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void ButtonColorsChanged() override { Invalidate(); }
    // Paints the frame now (during a paint) or asks for a paint.
    void PaintBorders();
    void DrawDropButton(TCanvas* Canvas);

private:
    void PaintMessage(TMessage& Message);
    void PlainBorder(TCanvas* Canvas, bool inner);
    TColor PlainBorderColor() const;

    TBorderStyle FBorderStyle = bsNone;
    TColor FBorderColor;
    bool FIsThemed;
    Integer FButtonWidth;
    bool FButtonHover = false;
    bool FMouseInControl = false;
    bool FIsWinXP = true;
    bool FMetroStyle = false;
    TColor FFocusBorderColor = clNone;
    bool FDisabledBorder = false;
    bool FHasFocus = false;
    bool FFocusBorder = false;
    bool FCtl3D;
    bool FPainting = false;
    std::unique_ptr<TControlCanvas> FCanvas;
};

class TEsgDateTimePicker : public TFlatDateTimePicker {
public:
    explicit TEsgDateTimePicker(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TEsgDateTimePicker"); }

    // The version number's four bytes, highest first, joined by ".".
    QString Version() const;
    Integer GetVersionNr() const;

protected:
    bool MetroActive() const override;
    TRect MetroCover(bool VisualStyles) const override;
    bool PlainBorderWanted() const override;
};

// The four bytes of a version number, highest first, in decimal, joined by ".".
QString VersionText(Integer VersionNr);
