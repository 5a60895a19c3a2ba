#pragma once
// TFxButton: the owner-drawn push button of every window. It paints its face
// in one of six styles, takes a hover colour (at once, or fading out over
// eight steps of its own fade thread), a colour while pressed, a glyph strip
// and a caption; it offers colour presets, preset kinds, default and cancel
// keys, a modal result and a drop-down popup menu.

#include <memory>
#include "platform/Control.h"

class TBitmap;
class TCanvas;
class TFont;
class TFxButtonThread;
class TCustomForm;

enum TFxColorStyle {
    lcsCustom, lcsGold, lcsChrome, lcsBlue, lcsRed, lcsUltraFlat1, lcsUltraFlat2, lcsUltraFlatXP, lcsAqua, lcsDefault, lcsQuicken
};
enum TFxButtonStyle { bsNormal, bsEncarta, bsModern, bsOld, bsShape, bsQuicken };
enum TFxButtonKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
enum TFxButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// Magenta: the background of see-through faces in pictures of the button.
constexpr TColor FxTransparentColor = 0xFF00FF;

// Everything one face drawing needs (DrawFxButtonFace), in the button's terms.
struct TFxButtonFace {
    Integer W = 0;
    Integer H = 0;
    Integer HotTrackStep = 0;  // 0..8
    Integer NumGlyphs = 0;
    TBitmap* Glyph = nullptr;  // glyph strip, may be null or empty
    bool Pressed = false;
    bool Hot = false;
    bool Enabled = true;
    bool Flat = false;
    bool WordWrap = false;
    bool HasPopupMenu = false;
    TFxButtonStyle Style = bsNormal;
    TColor Color = clBtnFace;
    TColor ColorWhenDown = clNone;
    TColor HotTrackColor = clNone;
    TColor LightColor = clWhite;
    TColor ShadowColor = clGray;
    const TFont* Font = nullptr;
    TFxButtonLayout Layout = blGlyphLeft;
    QString Caption;
    TAlignment Alignment = taCenter;
};

// Paints one button face on the canvas (background, edges, caption, glyph
// cell, popup arrow). bsModern, bsQuicken and bsShape leave parts of the
// canvas untouched (bsShape all of its background): the caller makes the
// canvas see-through there.
void DrawFxButtonFace(TCanvas* Canvas, const TFxButtonFace& Face);
// Color mixed with HotTrackColor by step eighths (8: all HotTrackColor).
TColor BlendHotTrackColor(TColor Color, TColor HotTrackColor, Integer Step);
// Fills the rectangle with 32 horizontal bands from one colour to the other.
void FillGradient32(TCanvas* Canvas, TColor From, TColor To, Integer Left, Integer Top, Integer Right, Integer Bottom);
// Draws one cell of a glyph strip at (X, Y), leaving out its bottom-left
// pixel's colour; a cell beyond the strip shows the first cell.
void DrawGlyphCell(TCanvas* Canvas, TBitmap* Glyph, Integer X, Integer Y, Integer CellLeft, Integer CellHeight, Integer CellWidth,
                   Integer CellTop = 0);
// The button's own pictures by resource name ("LBOK" ... "LBALL", "LBARROW");
// an unknown name gives an empty bitmap.
std::unique_ptr<TBitmap> LoadFxButtonBitmap(const QString& Name);

class TFxButton : public TCustomControl {
public:
    explicit TFxButton(TComponent* AOwner);
    ~TFxButton() override;
    QString ClassName() const override { return QStringLiteral("TFxButton"); }

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool value) { FCancel = value; }
    bool Default() const { return FDefault; }
    void SetDefault(bool value) { FDefault = value; }
    // Always reads lcsCustom; writing a preset applies its colours and style.
    TFxColorStyle ColorStyle() const { return FDummyStyle; }
    void SetColorStyle(TFxColorStyle value);
    TColor ColorWhenDown() const { return FColorWhenDown; }
    void SetColorWhenDown(TColor value) { FColorWhenDown = value; }
    void SetEnabled(bool value) override;
    bool Flat() const { return FFlat; }
    void SetFlat(bool value);
    TBitmap* Glyph() const { return FGlyph.get(); }
    // Copies the bitmap (null or empty: no glyph); NumGlyphs becomes width div height.
    void SetGlyph(const TBitmap* value);
    TColor HotTrackColor() const { return FHotTrackColor; }
    void SetHotTrackColor(TColor value) { FHotTrackColor = value; }
    TFont* HotTrackFont() const { return FHTFont.get(); }
    void SetHotTrackFont(const TFont* value);
    TFxButtonKind Kind() const { return FKind; }
    void SetKind(TFxButtonKind value);
    TFxButtonLayout Layout() const { return FLayout; }
    void SetLayout(TFxButtonLayout value);
    TColor LightColor() const { return FLightColor; }
    void SetLightColor(TColor value);
    Integer ModalResult() const { return FModalResult; }
    void SetModalResult(Integer value);
    Integer NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(Integer value);
    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor value);
    bool SlowDecease() const { return FSlowDecease; }
    void SetSlowDecease(bool value);
    TFxButtonStyle Style() const { return FStyle; }
    void SetStyle(TFxButtonStyle value);
    bool UseHotTrackFont() const { return FUseHTFont; }
    void SetUseHotTrackFont(bool value) { FUseHTFont = value; }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);

    // Pressed (mouse or key held) and mouse-over state, hover intensity in eighths.
    bool Down() const { return bDown; }
    bool CursorOnButton() const { return bCursorOnButton; }
    Integer HotTrackStep() const { return FHotTrackStep; }
    // The fade ticker (null without SlowDecease).
    TFxButtonThread* FadeThread() const { return FThread.get(); }

    // Presses and clicks the button as a click by mouse or key does.
    void Click() override;

    // Fired after the mouse left an enabled, visible button (OnMouseEnter is the control's).
    TNotifyEvent OnMouseExit;

protected:
    void Paint() override;
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

private:
    // Runs OnClick, gives the form its modal result and opens the popup menu.
    void FireFxButtonClick();
    // A fade step, run on the user-interface thread.
    void HotTrackTick(TObject* Sender);
    // Paints at once (the setters, input and fade steps draw synchronously).
    void PaintNow();
    bool Hot() const;
    bool ParentShowing() const;
    // The first form up the owner chain.
    TCustomForm* FindOwnerForm() const;
    void StopThread();
    void UpdateTransparency();

    TAlignment FAlignment = taCenter;
    TColor FShadowColor = RGB(128, 128, 128);
    TColor FColorWhenDown = clNone;
    bool FEnabled = true;
    bool FFlat = false;
    bool FWordWrap = false;
    std::unique_ptr<TBitmap> FGlyph;
    TColor FHotTrackColor = clNone;
    std::unique_ptr<TFont> FHTFont;
    TFxButtonKind FKind = bkCustom;
    TFxButtonLayout FLayout = blGlyphLeft;
    TColor FLightColor = RGB(255, 255, 255);
    Integer FModalResult = 0;
    Integer FNumGlyphs = 0;
    bool FUseHTFont = false;
    TFxColorStyle FDummyStyle = lcsCustom;
    TFxButtonStyle FStyle = bsNormal;
    bool FDefault = false;
    bool FCancel = false;
    bool FSlowDecease = false;
    bool bDown = false;
    bool bCursorOnButton = false;
    bool FFocusDrawn = false;  // the focus state the face was last drawn with
    std::unique_ptr<TFxButtonThread> FThread;
    Integer FHotTrackStep = 0;
    bool FDestroying = false;
};
