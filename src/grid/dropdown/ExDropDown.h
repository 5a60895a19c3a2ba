#pragma once
// TExCustomDropDown: the base of every dropdown editor. A one-line edit
// with a dropdown button at its right end; the button, Alt+Down/Up or F4
// open a borderless popup (TDropDownForm) that shows the control a concrete
// editor supplies, between an optional header and footer bar. The edit
// keeps its value as Prefix + value + Suffix, formatted and filtered by an
// edit type, carries an optional caption label and a coloured border, and
// takes component styles and colour tones from the string grid.
//
// The edit behaves as one window: typing, caret keys, mouse selection and
// the clipboard are done here (DefaultHandler), so that keys forwarded from
// the popup act exactly like keys typed into the edit.

#include <functional>
#include <memory>

#include "grid/ExStyleIF.h"
#include "grid/dropdown/ExDropDownBars.h"
#include "grid/dropdown/ExDropDownDraw.h"
#include "controls/ButtonColors.h"
#include "controls/EsgCombo.h"
#include "platform/Buttons.h"
#include "platform/Form.h"
#include "platform/MaskEdit.h"

class TBitmap;
class TControlCanvas;
class TExDropDownSpeedButton;
class TDropDownEditButton;
class TDropDownForm;
class TItemAppearance;
class TLabel;

enum TDropPosition { dpAuto, dpDown, dpUp };

// The value type of the text: what may be typed and pasted and how a value
// is formatted.
enum TDropDownEditType {
    etString, etNumeric, etFloat, etUppercase, etMixedCase, etLowerCase, etPassword, etMoney, etRange, etHex,
    etAlphaNumeric, etValidChars
};

// The popup may be refused by clearing AcceptDrop.
using TDropDown = std::function<void(TObject* Sender, bool& AcceptDrop)>;
using TDropUp = std::function<void(TObject* Sender, bool Cancelled)>;
using TClipboardEvent = std::function<void(TObject* Sender, QString& Value, bool& Allow)>;

// Kinds of a text: 0 integer, 1 decimal number, 2 anything else, 5 hexadecimal.
Integer ClassifyText(const QString& Text);
// A number text in the locale's format (thousand separators dropped); 0 when it is none.
double TextToFloat(QString Text);

class TExCustomDropDown : public TCustomMaskEdit, public IKavroStyle, public IKavroTones, public TLabelledControl {
    friend class TDropDownForm;
    friend class TDropDownEditButton;
    friend class TExButton;
public:
    explicit TExCustomDropDown(TComponent* AOwner);
    ~TExCustomDropDown() override;
    QString ClassName() const override { return QStringLiteral("TExCustomDropDown"); }

    // ---- popup
    void ShowDropDown() { DoShowDropDown(); }
    void HideDropDown(bool CancelChanges) { DoHideDropDown(CancelChanges); }
    bool DroppedDown() const { return FDroppedDown; }
    TDropDownForm* DropDownForm() const { return FDropDownForm; }
    TDropDownEditButton* Button() const { return FButton; }
    // The button or a click on a non-editable edit: opens unless the popup
    // is open or closed less than 250 ms ago.
    void DropDownButtonClick();

    Integer DropDownWidth() const { return FDropDownWidth; }
    void SetDropDownWidth(Integer Value);
    Integer DropDownHeight() const { return FDropDownHeight; }
    void SetDropDownHeight(Integer Value);
    TColor DropDownColor() const { return FDropDownColor; }
    void SetDropDownColor(TColor Value) { FDropDownColor = Value; }
    TColor DropDownColorTo() const { return FDropDownColorTo; }
    void SetDropDownColorTo(TColor Value) { FDropDownColorTo = Value; }
    TColor DropDownBorderColor() const { return FDropDownBorderColor; }
    void SetDropDownBorderColor(TColor Value) { FDropDownBorderColor = Value; }
    Integer DropDownBorderWidth() const { return FDropDownBorderWidth; }
    void SetDropDownBorderWidth(Integer Value) { FDropDownBorderWidth = Value; }
    TGradientDirection DropDownGradient() const { return FDropDownGradient; }
    void SetDropDownGradient(TGradientDirection Value) { FDropDownGradient = Value; }
    bool DropDownShadow() const { return FDropDownShadow; }
    void SetDropDownShadow(bool Value) { FDropDownShadow = Value; }
    bool DropDownSizeable() const { return FDropDownSizeable; }
    void SetDropDownSizeable(bool Value) { FDropDownSizeable = Value; }
    TDropPosition DropPosition() const { return FDropPosition; }
    void SetDropPosition(TDropPosition Value) { FDropPosition = Value; }
    bool DropDownEnabled() const { return FDropDownEnabled; }
    void SetDropDownEnabled(bool Value) { FDropDownEnabled = Value; }
    bool ForceShadow() const { return FForceShadow; }
    void SetForceShadow(bool Value) { FForceShadow = Value; }
    // The popup size the user last left by resizing (-1: none).
    Integer UserDropDownWidth() const { return FUserDropDownWidth; }
    Integer UserDropDownHeight() const { return FUserDropDownHeight; }

    Integer DropDownButtonWidth() const { return FButtonWidth; }
    void SetDropDownButtonWidth(Integer Value);
    const QString& DropDownButtonHint() const { return FButtonHint; }
    void SetDropDownButtonHint(const QString& Value);
    TBitmap* DropDownButtonGlyph() const;
    void SetDropDownButtonGlyph(const TBitmap* Value);

    THeaderAppearance* DropDownHeader() const { return FDropDownHeader.get(); }
    void SetDropDownHeader(const THeaderAppearance* Value) { FDropDownHeader->Assign(Value); }
    TFooterAppearance* DropDownFooter() const { return FDropDownFooter.get(); }
    void SetDropDownFooter(const TFooterAppearance* Value) { FDropDownFooter->Assign(Value); }
    TExButtonAppearance* ButtonAppearance() const { return FButtonAppearance.get(); }
    void SetButtonAppearance(const TExButtonAppearance* Value) { FButtonAppearance->Assign(Value); }
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value) { FImages = Value; }

    // The control shown in the popup (not owned).
    TControl* Control() const { return FControl; }
    void SetControl(TControl* Value);
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);

    // ---- the edit
    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool Value);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    TColor FocusBorderColor() const { return FFocusBorderColor; }
    void SetFocusBorderColor(TColor Value) { FFocusBorderColor = Value; }
    bool DisabledBorder() const { return FDisabledBorder; }
    void SetDisabledBorder(bool Value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool Value);
    bool Flat() const { return FFlat; }
    bool FocusDraw() const { return FFocusDraw; }
    void SetFocusDraw(bool Value) { FFocusDraw = Value; }
    bool ReturnIsTab() const { return FReturnIsTab; }
    void SetReturnIsTab(bool Value) { FReturnIsTab = Value; }
    bool DefaultHandling() const { return FDefaultHandling; }
    void SetDefaultHandling(bool Value) { FDefaultHandling = Value; }
    bool CanUndo() const { return FCanUndo; }
    void SetCanUndo(bool Value) { FCanUndo = Value; }
    QString Version() const;
    void SetVersion(const QString&) {}
    virtual Integer GetVersionNr() const;

    // The caption label (LabelCaption, LabelPosition, LabelMargin, LabelFont
    // and the rest) comes with TLabelledControl.

    // ---- typed value
    TDropDownEditType EditType() const { return FEditType; }
    void SetEditType(TDropDownEditType Value);
    SmallInt Precision() const { return FPrecision; }
    void SetPrecision(SmallInt Value);
    const QString& Prefix() const { return FPrefix; }
    void SetPrefix(const QString& Value) { FPrefix = Value; }
    const QString& Suffix() const { return FSuffix; }
    void SetSuffix(const QString& Value) { FSuffix = Value; }
    SmallInt LengthLimit() const { return FLengthLimit; }
    void SetLengthLimit(SmallInt Value) { FLengthLimit = Value; }
    bool Signed() const { return FSigned; }
    void SetSigned(bool Value) { FSigned = Value; }
    bool AllowNumericNullValue() const { return FAllowNumericNullValue; }
    void SetAllowNumericNullValue(bool Value) { FAllowNumericNullValue = Value; }
    bool ExcelStyleDecimalSeparator() const { return FExcelStyleDecimalSeparator; }
    void SetExcelStyleDecimalSeparator(bool Value) { FExcelStyleDecimalSeparator = Value; }
    bool AutoThousandSeparator() const { return FAutoThousandSeparator; }
    void SetAutoThousandSeparator(bool Value) { FAutoThousandSeparator = Value; }
    const QString& ValidChars() const { return FValidChars; }
    void SetValidChars(const QString& Value) { FValidChars = Value; }

    // The formatting setter of Text: the value by the edit type, between
    // prefix and suffix; remembered as the text a cancelled popup restores.
    virtual void SetText(const QString& Value);
    // The window text unchanged (no formatting, prefix or suffix).
    void SetRawText(const QString& Value);
    // The whole window text, prefix and suffix included.
    QString WindowText() const { return TCustomMaskEdit::GetText(); }
    double GetFloatValue() const;
    void SetFloatValue(double X);
    void SetIntValue(Integer N);
    void FormatMoney();
    // Selects the value without prefix and suffix.
    void SelectAll();
    void SelectBeforeDecimal();
    void SelectAfterDecimal();
    void SetModified(bool Value);
    bool IsModified() const { return FIsModified; }

    // ---- look
    TSelectionColorStyle SelectionColorStyle() const { return FSelectionColorStyle; }
    virtual void SetSelectionColorStyle(TSelectionColorStyle Value);
    TColor SelectionColor() const { return FSelectionColor; }
    void SetSelectionColor(TColor Value) { FSelectionColor = Value; }
    TColor SelectionColorTo() const { return FSelectionColorTo; }
    void SetSelectionColorTo(TColor Value) { FSelectionColorTo = Value; }
    TKavroStyle GetComponentStyle() const { return FKavroStyle; }
    void SetComponentStyle(TKavroStyle AStyle) override;
    void SetColorTones(const TColorTones& ATones) override;
    virtual void DrawSelectionBackground(TCanvas* Canvas, TRect Rect, TColor CornerColor, Byte Kind);
    virtual void DrawGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, Integer Steps, TRect Rect,
                              TGradientDirection Direction);
    // Recolours an item list's appearance for a component style.
    void SetItemAppearanceStyle(TItemAppearance* Appearance, TKavroStyle AStyle);

    Integer GetMinHeight() const;
    TRect GetEditRect() const { return FEditRect; }
    // Copies the settings of another dropdown; other sources are ignored.
    void Assign(const TPersistent* Source) override;

    // ---- events
    TDropDown OnDropDown;
    TDropUp OnDropUp;
    TNotifyEvent OnBeforeDropDown;
    TNotifyEvent OnBeforeDropUp;
    TDropDownButtonItemClick OnDropDownHeaderButtonClick;
    TDropDownButtonItemClick OnDropDownFooterButtonClick;
    TDrawBackGroundEvent OnDrawHeader;
    TDrawBackGroundEvent OnDrawFooter;
    TGetTextEvent OnGetHeaderText;
    TGetTextEvent OnGetFooterText;
    TClipboardEvent OnClipboardCopy;
    TClipboardEvent OnClipboardCut;
    TClipboardEvent OnClipboardPaste;
    TNotifyEvent OnLabelClick;
    TNotifyEvent OnLabelDblClick;

    // Called by the grid's editors.
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
    void SetParent(TWinControl* AParent) override;
    void WndProc(TMessage& Message) override;

protected:
    virtual void DoLabelClick();
    virtual void DoLabelDblClick();
    virtual void CreateDropDownForm();
    virtual void CreateDropDownButton();
    virtual void UpdateDropDownButton();
    virtual void DoBeforeDropDown();
    virtual void AdjustDropDownHeight(Integer& Height) {}
    virtual void FocusDropDownControl();
    virtual void DoShowDropDown();
    virtual void AttachDropDownControl();
    virtual void UpdateDropDownSize();
    virtual void DoHideDropDown(bool Cancel);
    virtual void DropDownFormHide();
    virtual void DropDownFormDestroy() {}
    virtual void DropDownFormMouseWheelDown(TShiftState Shift, TPoint MousePos, bool& Handled);
    virtual void DropDownFormMouseWheelUp(TShiftState Shift, TPoint MousePos, bool& Handled);
    virtual void DropDownFormKeyPress(QChar& Key);
    virtual void DropDownFormKeyDown(Word& Key, TShiftState Shift);
    virtual void DropDownFormKeyUp(Word& Key, TShiftState Shift);
    virtual void ControlKeyDown(Word& Key, TShiftState Shift);
    virtual void ControlKeyUp(Word& Key, TShiftState Shift);
    virtual void ControlKeyPress(QChar& Key);
    virtual void DropDownFormSizing() {}
    virtual void HandleMouseWheelDown() {}
    virtual void HandleMouseWheelUp() {}
    virtual void PaintFocusedText();
    virtual void SetEditRect();
    virtual void ResizeControl();

    QString GetText() const override;
    void SetTextValue(const QString& Value) override;
    void Change() override;
    void Dispatch(TMessage& Message) override;
    // The edit window's own handling of input: typing, caret keys, mouse
    // selection and the clipboard.
    void DefaultHandler(TMessage& Message) override;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DoEnter() override;
    bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // The focus arrives: the old value is remembered and the value selected
    // (the caret hidden and the value highlighted without the editor).
    virtual void WMSetFocus(TMessage& Message);
    // Whether the edit keeps Esc, Enter, Tab or an arrow from the dialog.
    virtual void CMWantSpecialKey(TMessage& Message);

    // The popup's hooks: the dropdown is told of a resize of the popup.
    void FormSizing() { DropDownFormSizing(); }
    void SetButtonDropDownLook();

    // The change being notified is one the user typed (not a text set by code).
    bool TypedChange() const { return FTypedChange; }
    // The canvas of the edit window while it paints (PaintFocusedText), else nullptr.
    TCanvas* PaintCanvas() const;

    TControl* FControl = nullptr;
    TDropDownForm* FDropDownForm = nullptr;
    TDropDownEditButton* FButton = nullptr;
    bool FDroppedDown = false;
    QString FOldText;
    QString FOldString;
    bool FBlockChange = false;

private:
    // Value rules (typed entry).
    void CharMessage(TMessage& Message);
    void KeyDownMessage(TMessage& Message);
    // Enter keeps the choice, Esc cancels, F4 toggles the popup.
    void PopupKey(Word Key);
    void ValueCharRules(TMessage& Message);
    bool ValueKeyRules(TMessage& Message);
    void TypeByEditType(TMessage& Message, QChar Ch);
    void NumericSignToggle(bool HoldPrecision);
    void LeftButtonDown(TMessage& Message);
    void LeftButtonUp(TMessage& Message);
    void KillFocusMessage(TMessage& Message);
    void CutMessage(TMessage& Message);
    void CopyMessage(TMessage& Message);
    void PasteMessage(TMessage& Message);
    bool PrecisionReached(const QString& S, Integer SelStart) const;
    bool SeparatorMisplaced(QString S, Integer SelStart) const;
    Integer GetIntegerPartLength(QString S) const;
    Integer GetDecimalPos() const;
    bool IsSignKey(QChar Ch) const;
    QString SelectedValuePart() const;
    void SetValueText(const QString& Value, Integer Caret);
    // The edit window's own input handling.
    void EditChar(QChar Ch);
    // Text and caret of an edit the user made; the change notification
    // comes after the caret is in place.
    void SetEditedText(const QString& Text, Integer Caret);
    void EditKey(Word Key, TShiftState Shift);
    void SetCaret(Integer Anchor, Integer Caret);
    Integer CaretPos() const;
    // Border, label.
    bool IsHot() const;
    bool IsButtonFocused() const;
    void RepaintBorder();
    void DrawBorder(TCanvas* Canvas);
    void HeaderChanged();
    void FooterChanged();
    // Points Field at Value, asking to hear when Value goes.
    template <class T>
    void Relink(T*& Field, T* Value)
    {
        if (Field != nullptr)
            Field->RemoveFreeNotification(this);
        Field = Value;
        if (Field != nullptr)
            Field->FreeNotification(this);
    }

    bool FParentFnt = false;
    Integer FDropDownWidth = 0;
    Integer FDropDownHeight = 0;
    Integer FUserDropDownWidth = -1;
    Integer FUserDropDownHeight = -1;
    bool FEditorEnabled = true;
    TDropPosition FDropPosition = dpAuto;
    bool FFlat = false;
    TCustomImageList* FImages = nullptr;
    bool FDropDownShadow = true;
    Integer FDropDownBorderWidth = 1;
    QString FButtonHint;
    TColor FDropDownColorTo = clNone;
    TColor FDropDownColor = clWhite;
    TColor FDropDownBorderColor = clBlack;
    Integer FButtonWidth = 17;
    bool FMouseInControl = false;
    bool FEtched = false;
    TWinControl* FFocusControl = nullptr;
    std::unique_ptr<THeaderAppearance> FDropDownHeader;
    std::unique_ptr<TExButtonAppearance> FButtonAppearance;
    std::unique_ptr<TFooterAppearance> FDropDownFooter;
    TGradientDirection FDropDownGradient = gdHorizontal;
    bool FDropDownSizeable = true;
    TColor FSelectionColor = 0xD7FFFD;
    TColor FSelectionColorTo = 0x58D4FC;
    TSelectionColorStyle FSelectionColorStyle = scOffice2007;
    TDropDownEditType FEditType = etString;
    SmallInt FLengthLimit = 0;
    SmallInt FPrecision = 0;
    QString FPrefix, FSuffix;
    bool FSigned = false;
    bool FReturnIsTab = false;
    bool FIsWinXP = true;
    bool FIsThemed = true;
    bool FAllowNumericNullValue = false;
    bool FDefaultHandling = true;
    bool FCanUndo = true;
    bool FExcelStyleDecimalSeparator = false;
    QString FValidChars;
    bool FBlockCopy = false;
    bool FButtonDown = false;
    bool FAutoThousandSeparator = true;
    bool FIsModified = false;
    TRect FEditRect;
    bool FDropDownEnabled = false;
    bool FFocusDraw = true;
    bool FForceShadow = false;
    TKavroStyle FKavroStyle = tsOffice2007Luna;
    TColor FBorderColor = clNone;
    TColor FFocusBorderColor = clNone;
    bool FDisabledBorder = true;
    TBorderStyle FBorderStyle = bsSingle;
    bool FCtl3D = true;
    std::unique_ptr<TControlCanvas> FWindowCanvas;
    // Own caret model: the selection's fixed end and the mouse selecting.
    Integer FAnchor = 0;
    bool FMouseSelecting = false;
    bool FResizing = false;
    // The last key down was the keypad's decimal key.
    bool FKeypadDecimal = false;
    // A paint of the edit is in progress (the border is drawn then).
    bool FPainting = false;
    bool FTypedChange = false;
};

// The popup: a borderless form over everything that carries the dropdown's
// control between its header and footer bars.
class TDropDownForm : public TForm {
    friend class TExCustomDropDown;
public:
    explicit TDropDownForm(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TDropDownForm"); }

    // Builds or refreshes the header and footer bars from the dropdown.
    void InitializeAndUpdate();
    virtual void UpdateSize() {}
    TExCustomDropDown* ExDropDown() const { return FExDropDown; }
    TExHeader* Header() const { return FHeader; }
    TExFooter* Footer() const { return FFooter; }
    bool CancelOnDeActivate() const { return FCancelOnDeActivate; }
    void SetCancelOnDeActivate(bool Value) { FCancelOnDeActivate = Value; }
    bool BlockActivate() const { return FBlockActivate; }
    void SetBlockActivate(bool Value) { FBlockActivate = Value; }
    bool Sizeable() const { return FSizeable; }
    void SetSizeable(bool Value) { FSizeable = Value; }
    bool Shadow() const { return FShadow; }
    // Tick count of the last deactivation while shown.
    DWORD DeActivateTick() const { return FDeActivate; }
    // Smallest size the popup takes.
    TSize MinSize() const { return FMinSize; }
    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;

    TNotifyEvent OnSizing;

protected:
    void Paint();
    void PaintBackground(TCanvas* Canvas);
    TRect AlignRect() const override;
    void Dispatch(TMessage& Message) override;
    void CreateParams(TCreateParams& Params) override;
    void PaintHandler(QPainter* painter) override;

private:
    void Deactivated();

    DWORD FDeActivate = 0;
    bool FShadow = true;
    TExFooter* FFooter = nullptr;
    TExHeader* FHeader = nullptr;
    TExCustomDropDown* FExDropDown = nullptr;
    bool FSizeable = false;
    bool FCancelOnDeActivate = true;
    bool FBlockActivate = false;
    TSize FMinSize;
    // The children are laid out from the first opening on.
    bool FAligned = false;
    std::unique_ptr<TControlCanvas> FCanvas;
};

enum TButtonStyle { bsButton, bsDropDown };

// The speed button inside the dropdown button's holder.
class TExDropDownSpeedButton : public TSpeedButton {
public:
    explicit TExDropDownSpeedButton(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TExDropDownSpeedButton"); }
    TButtonStyle ButtonStyle() const { return FButtonStyle; }
    void SetButtonStyle(TButtonStyle Value) { FButtonStyle = Value; Invalidate(); }
    bool Etched() const { return FEtched; }
    void SetEtched(bool Value);
    bool Focused() const { return FFocused; }
    void SetFocused(bool Value);
    bool Hot() const { return FHot; }
    // From now on the button is never drawn pressed.
    void SetUp() { FUp = true; }

protected:
    void Paint() override;
    void Dispatch(TMessage& Message) override;

private:
    void PaintDropDownStyle();
    void PaintButtonStyle();
    bool Pressed() const;
    bool UseThemes() const;
    TDropDownEditButton* Holder() const;

    bool FEtched = false;
    bool FFocused = false;
    bool FHot = false;
    bool FUp = false;
    bool FIsWinXP = true;
    TButtonStyle FButtonStyle = bsDropDown;
};

// The windowed holder of the dropdown button docked in the edit.
class TDropDownEditButton : public TWinControl, public TButtonColors {
    friend class TExDropDownSpeedButton;
    friend class TExCustomDropDown;
public:
    explicit TDropDownEditButton(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TDropDownEditButton"); }
    TExDropDownSpeedButton* SpeedButton() const { return FButton; }
    TBitmap* Glyph() const;
    void SetGlyph(const TBitmap* Value);
    QString ButtonCaption() const;
    void SetButtonCaption(const QString& Value);
    Integer NumGlyphs() const;
    void SetNumGlyphs(Integer Value);
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value) { FFocusControl = Value; }
    Integer ButtonWidth() const { return FBWidth; }
    void SetButtonWidth(Integer Value) { FBWidth = Value; }
    // The flat coloured look (ButtonColor set) comes with TButtonColors.
    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
    void Invalidate() override;

    TNotifyEvent OnClick;

protected:
    void Dispatch(TMessage& Message) override;
    void Loaded() override;

private:
    void AdjustWinSize(Integer& W, Integer& H);
    void BtnMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y);

    TExDropDownSpeedButton* FButton = nullptr;
    TWinControl* FFocusControl = nullptr;
    Integer FBWidth = 16;

    void ButtonColorsChanged() override { Invalidate(); }
};

// Work area of the monitor nearest to a screen point.
TRect DropDownWorkArea(TPoint P);
