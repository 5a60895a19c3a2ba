#pragma once
// TEsgComboBox: the platform's combo box with a frame and drop-down button of
// its own: a flat look with an optional underline, border colours for the
// normal and the focused state, a coloured button with its own arrow, a
// focus colour, focus on hover, and a caption label that follows the control.
// All behaviour is in TEsgCustomCombo; the grid's combo editors derive from it.
//
// The label placement and the frame rules are shared with the date pickers.

#include <functional>
#include <memory>
#include "controls/ButtonColors.h"
#include "platform/StdControls.h"

class TCanvas;
class TControlCanvas;
class TFont;
class TLabel;

enum TLabelPosition {
    lpLeftTop, lpLeftCenter, lpLeftBottom, lpTopLeft, lpBottomLeft, lpLeftTopLeft, lpLeftCenterLeft,
    lpLeftBottomLeft, lpTopCenter, lpBottomCenter, lpRightTop, lpRightCenter, lpRighBottom, lpTopRight, lpBottomRight
};

// Where a label of LabelWidth x LabelHeight whose text is TextWidth wide goes
// beside a control with the given bounds, Margin pixels away: its top-left.
TPoint LabelPlace(TLabelPosition Position, const TRect& ControlBounds, Integer TextWidth, Integer LabelWidth,
                  Integer LabelHeight, Integer Margin);
// The width of a label's text as placement measures it: single line, the
// accelerator character not interpreted.
Integer LabelTextWidth(const TLabel* Label);
// Moves the label to its place beside Control.
void PlaceLabel(TLabel* Label, const TControl* Control, TLabelPosition Position, Integer Margin);

// The caption label a control keeps beside itself: made by the first
// caption, owned by the control, put back in its place after every change,
// following the control's parent, visibility and (unless always enabled)
// enabled state, and bold while the control has the focus when asked.
class TAttachedLabel {
public:
    explicit TAttachedLabel(TControl* Control);
    ~TAttachedLabel();
    TAttachedLabel(const TAttachedLabel&) = delete;
    TAttachedLabel& operator=(const TAttachedLabel&) = delete;

    TLabel* Label() const { return FLabel; }
    QString Caption() const;
    void SetCaption(const QString& v);
    TLabelPosition Position() const { return FPosition; }
    void SetPosition(TLabelPosition v);
    Integer Margin() const { return FMargin; }
    void SetMargin(Integer v);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    bool AlwaysEnabled() const { return FAlwaysEnabled; }
    void SetAlwaysEnabled(bool v);
    bool FocusLabel() const { return FFocusLabel; }
    void SetFocusLabel(bool v) { FFocusLabel = v; }
    // The label's font while the control does not take its parent's font.
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* v);

    // Transparency and font as set, and the label in its place.
    void Update();
    // The control's enabled state, visibility or parent changed.
    void FollowEnabled();
    void FollowVisible();
    void FollowParent();
    // The control's font came from its parent.
    void FollowParentFont();
    // The control took or lost the focus.
    void Focused(bool focused);
    // The label went (freed by its parent).
    void Forget(const TComponent* c);
    // Frees the label (the control does so while it is still whole).
    void Free();

    // Runs when the label has just been made.
    std::function<void(TLabel*)> OnCreated;

private:
    TControl* FControl;
    TLabel* FLabel = nullptr;
    std::unique_ptr<TFont> FFont;
    TLabelPosition FPosition = lpLeftTop;
    Integer FMargin = 4;
    bool FTransparent = false;
    bool FAlwaysEnabled = false;
    bool FFocusLabel = false;
};

// The properties of a control's caption label (the combo box and the
// combined date-time picker have one).
class TLabelledControl {
public:
    // The label is made by the first caption.
    QString LabelCaption() const { return FLabel.Caption(); }
    void SetLabelCaption(const QString& v) { FLabel.SetCaption(v); }
    TLabelPosition LabelPosition() const { return FLabel.Position(); }
    void SetLabelPosition(TLabelPosition v) { FLabel.SetPosition(v); }
    Integer LabelMargin() const { return FLabel.Margin(); }
    void SetLabelMargin(Integer v) { FLabel.SetMargin(v); }
    bool LabelTransparent() const { return FLabel.Transparent(); }
    void SetLabelTransparent(bool v) { FLabel.SetTransparent(v); }
    bool LabelAlwaysEnabled() const { return FLabel.AlwaysEnabled(); }
    void SetLabelAlwaysEnabled(bool v) { FLabel.SetAlwaysEnabled(v); }
    // The label turns bold while the control has the focus.
    bool FocusLabel() const { return FLabel.FocusLabel(); }
    void SetFocusLabel(bool v) { FLabel.SetFocusLabel(v); }
    TFont* LabelFont() const { return FLabel.Font(); }
    void SetLabelFont(const TFont* v) { FLabel.SetFont(v); }
    TLabel* Label() const { return FLabel.Label(); }

protected:
    explicit TLabelledControl(TControl* Control) : FLabel(Control) {}
    ~TLabelledControl() = default;
    TAttachedLabel FLabel;
};

// Parent's colour (the control's own without a parent).
TColor ParentBrushColor(const TControl* Control);
// The look of a control the user works with: the mouse is over it, or it is
// the active control (at design time: it is enabled).
bool IsActiveLook(const TWinControl* Control, bool MouseInControl);

// What the combo box frame rules look at (the date pickers use them too).
struct TComboFrameLook {
    bool Enabled = true;
    bool Themed = true;           // the platform's common controls draw themed frames
    bool DisabledBorder = true;   // a disabled themed control keeps its normal frame
    bool Focused = false;
    bool UsesFocusBorder = false; // sunken focus frame while active
    bool Flat = false;
    TColor BorderColor = clNone;
    TColor FocusBorderColor = clNone;
    TColor FlatLineColor = clNone;
    TColor ParentColor = clBtnFace;
    TColor Color = clWindow;
    Integer ButtonWidth = 19;
};
// The frame of a combo-like control in R (its window rectangle at (0, 0)).
void DrawComboFrame(TCanvas* Canvas, TRect R, const TComboFrameLook& Look);
// The frame colour of a disabled control whose themed frame is replaced.
constexpr TColor DisabledFrameColor = 0xB99D7F;  // RGB(127, 157, 185)

// The four looks of a themed drop-down button (normal, hot, pressed, disabled).
Integer DropButtonThemeState(bool Enabled, bool MouseButtonDown, bool DroppedDown, bool ButtonHover);
// The drop-down button of a combo box (or, with Picker, of a date picker,
// whose coloured face and classic arrow sit a little differently) in R: a
// coloured face when the colours have one, else themed, else classic.
void DrawDropDownButton(TCanvas* Canvas, TRect R, const TButtonColors& Colors, bool Hover, bool Enabled, bool DroppedDown,
                        HWND Window, bool Picker);
// Left or right mouse button held now.
bool IsMouseButtonDown();

class TEsgCustomCombo : public TCustomComboBox, public TButtonColors, public TLabelledControl {
public:
    explicit TEsgCustomCombo(TComponent* AOwner);
    ~TEsgCustomCombo() override;
    QString ClassName() const override { return QStringLiteral("TEsgCustomCombo"); }

    bool AutoFocus() const { return FAutoFocus; }
    void SetAutoFocus(bool v) { FAutoFocus = v; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v);
    // 14 to 32; other values are ignored.
    Integer ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(Integer v);
    bool DisabledBorder() const { return FDisabledBorder; }
    void SetDisabledBorder(bool v) { FDisabledBorder = v; Invalidate(); }
    bool Flat() const { return FFlat; }
    void SetFlat(bool v);
    TColor FlatLineColor() const { return FFlatLineColor; }
    void SetFlatLineColor(TColor v) { FFlatLineColor = v; Invalidate(); }
    bool FlatParentColor() const { return FFlatParentColor; }
    void SetFlatParentColor(bool v) { FFlatParentColor = v; Invalidate(); }
    bool Etched() const { return FEtched; }
    void SetEtched(bool v);
    bool FocusBorder() const { return FFocusBorder; }
    void SetFocusBorder(bool v) { FFocusBorder = v; Invalidate(); }
    TColor FocusBorderColor() const { return FFocusBorderColor; }
    void SetFocusBorderColor(TColor v) { FFocusBorderColor = v; Invalidate(); }
    TColor FocusColor() const { return FFocusColor; }
    void SetFocusColor(TColor v) { FFocusColor = v; }
    // Width of the drop-down list; 0: the platform's.
    Integer DropWidth() const { return FDropWidth; }
    void SetDropWidth(Integer v);
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool v) { FCtl3D = v; Invalidate(); }

    // While the form loads the colour is also remembered for the flat look.
    void SetColor(TColor v);
    void SetEnabled(bool value) override;
    void SetVisible(bool value) override;
    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;


    // Set by the owner: XP look (repaint on hover) and Vista with themed controls.
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool v) { FIsWinXP = v; }
    bool IsVista() const { return FIsVista; }
    void SetIsVista(bool v) { FIsVista = v; }


    // Selects the first item equal to Text; nothing when there is none.
    void SelectItem(const QString& Text);
    // Remembers the current colour as the one restored after the focus.
    void Init();

    bool HasFocus() const { return FHasFocus; }
    bool MouseInControl() const { return FMouseInControl; }
    bool ButtonHover() const { return FButtonHover; }

    // The list closed.
    TNotifyEvent OnDropUp;

protected:
    void Loaded() override;
    void Dispatch(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void ButtonColorsChanged() override { Invalidate(); }
    // Paints the frame now (during a paint) or asks for a paint.
    void PaintBorders();
    void DrawDropButton(TCanvas* Canvas);
    void DrawFlatButtonBorder(TCanvas* Canvas);

private:
    void PaintMessage(TMessage& Message);
    void ApplyFocusLook(bool focused);
    bool NeedsOwnPaint() const;
    bool NeedsFrame() const;

    bool FAutoFocus = false;
    bool FFlat = false;
    bool FEtched = false;
    TColor FOldColor = clWindow;
    TColor FLoadedColor = clWindow;
    bool FOldParentColor = false;
    Integer FButtonWidth;
    bool FFocusBorder = false;
    bool FMouseInControl = false;
    Integer FDropWidth = 0;
    bool FIsWinXP = false;
    bool FIsThemed;
    bool FButtonHover = false;
    TColor FFlatLineColor = clNone;
    bool FFlatParentColor = true;
    TColor FFocusColor = clNone;
    TColor FFocusBorderColor = clNone;
    TColor FBorderColor = clNone;
    bool FDisabledBorder = true;
    TColor FNormalColor;
    bool FHasFocus = false;
    bool FIsVista = false;
    bool FCtl3D = true;
    bool FPainting = false;
    std::unique_ptr<TControlCanvas> FCanvas;
};

class TEsgComboBox : public TEsgCustomCombo {
public:
    explicit TEsgComboBox(TComponent* AOwner) : TEsgCustomCombo(AOwner) {}
    QString ClassName() const override { return QStringLiteral("TEsgComboBox"); }
};
