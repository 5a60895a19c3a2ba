#pragma once
// TExCalculatorDropdown: a number edit whose popup is a pocket calculator.
// The edit is the calculator's display; the 28 buttons of the popup's
// button panel (TCustomButtonPanel) and the typed keys run a four-function
// calculator with percent, sign change, square root, reciprocal and one
// memory register. Results are written into the edit formatted by its edit
// type and precision; a division by zero, a root of a negative number, the
// reciprocal of zero, an overflow or a display that is no number show
// "Error".

#include <functional>
#include <memory>

#include "grid/dropdown/ExDropDown.h"
#include "grid/dropdown/ExItemSelector.h"
#include "platform/Lists.h"

class TPicture;

// One button of the panel: caption, image, function code (Tag) and the
// rectangle the layout gives it.
class TButtonItem : public TCollectionItem {
    friend class TCustomButtonPanel;
public:
    explicit TButtonItem(TCollection* Collection);
    ~TButtonItem() override;
    QString ClassName() const override { return QStringLiteral("TButtonItem"); }
    void Assign(const TPersistent* Source) override;

    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& Value) { FCaption = Value; }
    TColor CaptionColor() const { return FCaptionColor; }
    void SetCaptionColor(TColor Value) { FCaptionColor = Value; }
    Integer ImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer Value) { FImageIndex = Value; }
    TPicture* Image() const { return FImage.get(); }
    void SetImage(const TPicture* Value);
    Integer Tag() const { return FTag; }
    void SetTag(Integer Value) { FTag = Value; }
    const QString& Name() const { return FName; }
    void SetName(const QString& Value) { FName = Value; }
    bool Enabled() const { return FEnabled; }
    bool Special() const { return FSpecial; }
    void SetSpecial(bool Value) { FSpecial = Value; }
    Integer Left() const { return FLeft; }
    Integer Top() const { return FTop; }
    Integer Width() const { return FWidth; }
    Integer Height() const { return FHeight; }
    TRect Rect() const { return TRect(FLeft, FTop, FLeft + FWidth, FTop + FHeight); }
    void SetRect(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight);

private:
    QString FCaption;
    Integer FImageIndex = -1;
    bool FEnabled = true;
    std::unique_ptr<TPicture> FImage;
    Integer FTag = 0;
    Integer FHeight = 0, FLeft = 0, FWidth = 0, FTop = 0;
    QString FName;
    TColor FCaptionColor = clWhite;
    bool FSpecial = false;
};

class TButtonItems : public TCollection {
public:
    explicit TButtonItems(TPersistent* AOwner);
    QString ClassName() const override { return QStringLiteral("TButtonItems"); }
    TPersistent* GetOwner() const override { return FOwner; }
    TButtonItem* Add() { return static_cast<TButtonItem*>(TCollection::Add()); }
    TButtonItem* Insert(Integer Index) { return static_cast<TButtonItem*>(TCollection::Insert(Index)); }
    TButtonItem* Items(Integer Index) const { return ItemsAs<TButtonItem>(Index); }
    void SetItem(Integer Index, const TButtonItem* Value) { SetItems(Index, Value); }

private:
    TPersistent* FOwner;
};

// Colours and font of the panel's buttons. The faces are drawn by the
// platform theme, so only the font and the two text colours are painted.
class TButtonAppearance : public TPersistent {
public:
    TButtonAppearance();
    ~TButtonAppearance() override;
    QString ClassName() const override { return QStringLiteral("TButtonAppearance"); }
    void Assign(const TPersistent* Source) override;

#define BUTTON_APPEARANCE_COLOR(Name)                                                                                  \
    TColor Name() const { return F##Name; }                                                                          \
    void Set##Name(TColor Value)                                                                                       \
    {                                                                                                                  \
        if (F##Name == Value)                                                                                          \
            return;                                                                                                    \
        F##Name = Value;                                                                                               \
        Changed();                                                                                                     \
    }
    BUTTON_APPEARANCE_COLOR(Color)
    BUTTON_APPEARANCE_COLOR(ColorTo)
    BUTTON_APPEARANCE_COLOR(ColorHot)
    BUTTON_APPEARANCE_COLOR(ColorHotTo)
    BUTTON_APPEARANCE_COLOR(ColorDown)
    BUTTON_APPEARANCE_COLOR(ColorDownTo)
    BUTTON_APPEARANCE_COLOR(BorderColor)
    BUTTON_APPEARANCE_COLOR(BorderColorHot)
    BUTTON_APPEARANCE_COLOR(BorderColorDown)
    BUTTON_APPEARANCE_COLOR(BorderColorChecked)
    BUTTON_APPEARANCE_COLOR(ColorChecked)
    BUTTON_APPEARANCE_COLOR(ColorCheckedTo)
    BUTTON_APPEARANCE_COLOR(ColorDisabled)
    BUTTON_APPEARANCE_COLOR(ColorDisabledTo)
    BUTTON_APPEARANCE_COLOR(TextColor)
    BUTTON_APPEARANCE_COLOR(SpecialTextColor)
#undef BUTTON_APPEARANCE_COLOR
    TColor ShineColor() const { return FShineColor; }
    void SetShineColor(TColor Value) { FShineColor = Value; }
    TColor GlowColorHot() const { return FGlowColorHot; }
    void SetGlowColorHot(TColor Value) { FGlowColorHot = Value; }
    TColor GlowColorDown() const { return FGlowColorDown; }
    void SetGlowColorDown(TColor Value) { FGlowColorDown = Value; }
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* Value);

    TNotifyEvent OnChange;

private:
    void Changed() { if (OnChange) OnChange(this); }

    TColor FColor, FColorTo, FColorHot, FColorHotTo, FColorDown, FColorDownTo;
    TColor FBorderColor = clBlack, FBorderColorHot = clBlack, FBorderColorDown = clBlack;
    TColor FBorderColorChecked, FColorChecked, FColorCheckedTo, FColorDisabled, FColorDisabledTo;
    TColor FTextColor = clBlack, FSpecialTextColor;
    TColor FShineColor = clWhite, FGlowColorHot, FGlowColorDown;
    std::unique_ptr<TFont> FFont;
};

enum TButtonPanelType { plCalculator, plCustom };

using TCalculatorButtonClickEvent = std::function<void(TObject* Sender, Integer Index)>;

// A panel of push buttons; as a calculator it lays its 28 buttons out in a
// fixed grid that follows the panel's size.
class TCustomButtonPanel : public TCustomControl {
public:
    explicit TCustomButtonPanel(TComponent* AOwner);
    ~TCustomButtonPanel() override;
    QString ClassName() const override { return QStringLiteral("TCustomButtonPanel"); }

    TButtonItems* Buttons() const { return FButtons.get(); }
    void SetButtons(const TButtonItems* Value) { FButtons->Assign(Value); }
    TButtonAppearance* ButtonAppearance() const { return FButtonAppearance.get(); }
    void SetButtonAppearance(const TButtonAppearance* Value) { FButtonAppearance->Assign(Value); }
    TItemLayout ButtonLayout() const { return FButtonLayout; }
    void SetButtonLayout(TItemLayout Value) { FButtonLayout = Value; }
    TButtonPanelType ButtonPanelType() const { return FButtonPanelType; }
    void SetButtonPanelType(TButtonPanelType Value);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    TSelectionColorStyle ItemColorStyle() const { return FItemColorStyle; }
    void SetItemColorStyle(TSelectionColorStyle Value) { FItemColorStyle = Value; }
    TCustomEdit* Edit() const { return FEdit; }
    void SetEdit(TCustomEdit* Value);
    TExCustomDropDown* ExDropDown() const { return FExDropDown; }
    void SetExDropDown(TExCustomDropDown* Value) { FExDropDown = Value; }
    Integer ButtonHot() const { return FButtonHot; }
    Integer ButtonDown() const { return FButtonDown; }

    virtual void DrawButton(Integer Index, TCanvas* Canvas);
    virtual void GetButtonArea(TRect& Rect) const;
    virtual void GetMaxButtonSize(Integer& Width, Integer& Height);
    virtual void ClearButtons();
    virtual void ResetButtons();
    virtual void BuildButtons();
    virtual void ArrangeButtons();
    virtual void InvalidateButton(Integer Index);
    virtual void DoButtonClick(Integer Index);
    // The first button whose rectangle holds the point; -1 when none.
    Integer ButtonAtPoint(Integer X, Integer Y) const;

    TCalculatorButtonClickEvent OnButtonClick;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void Dispatch(TMessage& Message) override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void SetButtonHot(Integer Index);
    void SetButtonDown(Integer Index);
    bool ValidIndex(Integer Index) const { return Index >= 0 && Index < FButtons->Count(); }
    // The picture or image-list image a button shows (0 x 0 for none).
    TSize ImageSize(const TButtonItem* Item) const;

    std::unique_ptr<TButtonItems> FButtons;
    TItemLayout FButtonLayout = ilCaptionRight;
    TSelectionColorStyle FItemColorStyle = scOffice2007;
    Integer FButtonHot = -1;
    Integer FOffSetX = 8, FOffSetY = 8;
    Integer FButtonOffSetX = 4, FButtonOffSetY = 4;
    TCustomImageList* FImages = nullptr;
    Integer FCaptionGap = 0;
    TCustomEdit* FEdit = nullptr;
    TButtonPanelType FButtonPanelType = plCalculator;
    std::unique_ptr<TButtonAppearance> FButtonAppearance;
    Integer FButtonDown = -1;
    TExCustomDropDown* FExDropDown = nullptr;
};

class TExCalculatorDropdown : public TExCustomDropDown {
public:
    explicit TExCalculatorDropdown(TComponent* AOwner);
    ~TExCalculatorDropdown() override;
    QString ClassName() const override { return QStringLiteral("TExCalculatorDropdown"); }

    TButtonAppearance* CalcButtonAppearance() const { return FCalcButtonAppearance.get(); }
    void SetCalcButtonAppearance(const TButtonAppearance* Value) { FCalcButtonAppearance->Assign(Value); }
    bool ShowThousandSeparator() const { return FShowThousandSeparator; }
    void SetShowThousandSeparator(bool Value);
    long double Value();
    void SetValue(long double Value);
    TCustomButtonPanel* ButtonPanel() const { return FExButtonPanel; }

    // The "=" of the calculator.
    void CalcResult() { CalcEquals(); }
    void SetComponentStyle(TKavroStyle AStyle) override;
    // The calculator's keys, ahead of the edit's own character rules.
    void KeyPress(QChar& Key) override;

protected:
    // Called before every button click and every key typed in the popup.
    virtual void BeforeCalculate() {}
    void CreateDropDownForm() override;
    void DoBeforeDropDown() override;
    void DropDownFormKeyPress(QChar& Key) override;
    void DropDownFormKeyDown(Word& Key, TShiftState Shift) override;
    void Dispatch(TMessage& Message) override;

private:
    void CalcButtonClick(Integer Index);
    // Applies the pending operation; false when the display was no number.
    bool DoCalc();
    void CalcAdd();
    void CalcSubtract();
    void CalcMultiply();
    void CalcDivide();
    void CalcEquals();
    void CalcPercent();
    void CalcOperator(Integer Op);
    // The display as a number; false (and "Error" shown) when it is none.
    bool ReadDisplay(long double& X);
    // A result into the display; one that is no finite number shows "Error".
    bool Show(long double X);
    void SetDisplay(const QString& S) { SetText(S); }
    QString Display() const { return GetText(); }
    bool DisplayFull() const;
    bool PopupHidden() const;

    TCustomButtonPanel* FExButtonPanel = nullptr;  // owned through the component owner list
    Integer FDecim = 0;
    bool FNewval = false;
    long double FPrevval = 0;
    Integer FPrevop = -1;
    bool FCalcClosed = true;
    std::unique_ptr<TButtonAppearance> FCalcButtonAppearance;
    long double FMVal = 0;
    bool FShowThousandSeparator = false;
    // A typed character already went through KeyPress.
    bool FKeyPressDone = false;
};
