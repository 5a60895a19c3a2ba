#pragma once
// TSpeedButton: a windowless button with a glyph and a caption. It can stay
// down (GroupIndex), repaint as flat until the mouse is over it, and leave
// its background to the parent (Transparent).

#include <memory>
#include "platform/Control.h"

class TBitmap;

enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

class TSpeedButton : public TGraphicControl {
public:
    explicit TSpeedButton(TComponent* AOwner);
    ~TSpeedButton() override;
    QString ClassName() const override { return QStringLiteral("TSpeedButton"); }

    // A strip of NumGlyphs equal cells: up, disabled, down, exclusive.
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(const TBitmap* value);
    Integer NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(Integer v);
    // With a GroupIndex the button stays down; one button of a group is down.
    Integer GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(Integer v) { FGroupIndex = v; }
    bool Down() const { return FDown; }
    void SetDown(bool v);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool v) { FAllowAllUp = v; }
    bool Flat() const { return FFlat; }
    void SetFlat(bool v) { FFlat = v; Invalidate(); }
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v) { FTransparent = v; Invalidate(); }
    // Gap between glyph and caption (-1: centred together).
    Integer Spacing() const { return FSpacing; }
    void SetSpacing(Integer v) { FSpacing = v; Invalidate(); }
    TButtonState State() const { return FState; }
    // True while the mouse is over the button.
    bool MouseInControl() const { return FMouseInControl; }

    void Click() override;

protected:
    void Paint() override;
    void Dispatch(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    // Draws the glyph cell of the state at (X, Y).
    void DrawGlyph(Integer X, Integer Y, TButtonState state);

    TButtonState FState = bsUp;
    bool FDragging = false;
    bool FMouseInControl = false;

private:
    void UpdateExclusive();
    std::unique_ptr<TBitmap> FGlyph;
    Integer FNumGlyphs = 1;
    Integer FGroupIndex = 0;
    bool FDown = false;
    bool FAllowAllUp = false;
    bool FFlat = false;
    bool FTransparent = true;
    Integer FSpacing = 4;
};
