#pragma once
// Styled scroll bars of the string and draw trees. While a style of the
// style engine is active, each visible scroll bar of a tree is covered by a
// small window of the tree's parent painted in that style; the standard bar
// beneath keeps doing the scrolling (the covering windows let the mouse
// through), and the hook follows the tree's messages to repaint, to show
// hot and pressed parts, and to drag the thumb itself.

#include <array>

#include "platform/Themes.h"

class TCanvas;

// Sent by the tree to itself after its scroll bars changed.
constexpr Cardinal CM_REFRESHSTYLEDSCROLLBARS = 0xB802;

class TStyledScrollBarsHook : public TMouseTrackControlStyleHook {
public:
    // Covers one scroll bar and paints the hook's picture of it.
    class TStyledScrollBarWindow : public TCustomControl {
    public:
        explicit TStyledScrollBarWindow(TComponent* AOwner);
        QString ClassName() const override { return QStringLiteral("TStyledScrollBarWindow"); }
        TStyledScrollBarsHook* ScrollBarWindowOwner() const { return FScrollBarWindowOwner; }
        bool ScrollBarVertical() const { return FScrollBarVertical; }

    protected:
        void CreateParams(TCreateParams& Params) override;
        void WndProc(TMessage& Message) override;
        void Paint() override;

    private:
        friend class TStyledScrollBarsHook;
        TStyledScrollBarsHook* FScrollBarWindowOwner = nullptr;
        bool FScrollBarVertical = false;
        bool FScrollBarVisible = false;
        bool FScrollBarEnabled = false;
    };

    explicit TStyledScrollBarsHook(TWinControl* AControl);
    ~TStyledScrollBarsHook() override;

    TStyledScrollBarWindow* VertScrollBarWindow() const { return FVertScrollBarWindow; }
    TStyledScrollBarWindow* HorzScrollBarWindow() const { return FHorzScrollBarWindow; }
    TThemedScrollBar VertScrollBarSliderState() const { return FVertScrollBarSliderState; }
    TThemedScrollBar VertScrollBarUpButtonState() const { return FVertScrollBarUpButtonState; }
    TThemedScrollBar VertScrollBarDownButtonState() const { return FVertScrollBarDownButtonState; }
    TThemedScrollBar HorzScrollBarSliderState() const { return FHorzScrollBarSliderState; }
    TThemedScrollBar HorzScrollBarUpButtonState() const { return FHorzScrollBarUpButtonState; }
    TThemedScrollBar HorzScrollBarDownButtonState() const { return FHorzScrollBarDownButtonState; }
    // The bars and their parts as measured, in the tree's client coordinates.
    const TRect& VertScrollBarRect() const { return FVertScrollBarRect; }
    const TRect& VertScrollBarUpButtonRect() const { return FVertScrollBarUpButtonRect; }
    const TRect& VertScrollBarDownButtonRect() const { return FVertScrollBarDownButtonRect; }
    const TRect& HorzScrollBarRect() const { return FHorzScrollBarRect; }
    TRect VertSliderRect();
    TRect HorzSliderRect();

protected:
    void WndProc(TMessage& Message) override;
    void MouseLeave() override;
    virtual void MeasureScrollBars();
    virtual void PaintHorzScrollBar(TCanvas* DC);
    virtual void PaintVertScrollBar(TCanvas* DC);
    virtual void RepaintScrollBarWindows();

private:
    void PlaceScrollBarWindows();
    // The thumb in client coordinates; empty while the bar is hidden or disabled.
    TRect SliderRect(bool Vertical);
    // The states of a bar's two arrow buttons.
    std::array<TThemedScrollBar*, 2> Buttons(bool Vertical);
    // The thumb follows the cursor (Algorithm of the thumb drag).
    void DragThumb(bool Vertical);
    // The message's screen point in client coordinates, and moved as the
    // thumb rectangles are.
    TPoint ClientPoint(const TMessage& Message) const;
    TPoint EdgeOffset() const;
    bool InHeader(TPoint P) const;
    bool Paints() const;

    TRect FHorzScrollBarDownButtonRect;
    TThemedScrollBar FHorzScrollBarDownButtonState = tsArrowBtnRightNormal;
    TRect FHorzScrollBarRect;
    TThemedScrollBar FHorzScrollBarSliderState = tsThumbBtnHorzNormal;
    TRect FHorzScrollBarSliderTrackRect;
    TRect FHorzScrollBarUpButtonRect;
    TThemedScrollBar FHorzScrollBarUpButtonState = tsArrowBtnLeftNormal;
    TStyledScrollBarWindow* FHorzScrollBarWindow = nullptr;
    bool FLeftMouseButtonDown = false;
    Integer FPrevScrollPos = 0;
    float FScrollPos = 0;
    TRect FVertScrollBarDownButtonRect;
    TThemedScrollBar FVertScrollBarDownButtonState = tsArrowBtnDownNormal;
    TRect FVertScrollBarRect;
    TThemedScrollBar FVertScrollBarSliderState = tsThumbBtnVertNormal;
    TRect FVertScrollBarSliderTrackRect;
    TRect FVertScrollBarUpButtonRect;
    TThemedScrollBar FVertScrollBarUpButtonState = tsArrowBtnUpNormal;
    TStyledScrollBarWindow* FVertScrollBarWindow = nullptr;
};

// Registers the hook for TNodeStringTree and TNodeDrawTree (once); they are
// unregistered, in the same order, when the program ends.
void RegisterNodeTreeStyleHooks();
