#pragma once
// The header and footer bars of a dropdown popup: their settings
// (THeaderAppearance, TFooterAppearance, also kept by the string grid's
// look settings), the button items they show, the bar controls built in the
// popup (TExHeader, TExFooter) and their buttons (TExButton) painted in the
// dropdown's TExButtonAppearance. The footer can carry a size grip that
// resizes the popup, and its buttons a modal result that closes it.

#include <functional>
#include <memory>

#include "platform/Control.h"
#include "platform/DrawText.h"
#include "platform/Lists.h"
#include "grid/ExButtonStyle.h"

class TCanvas;
class TCustomImageList;
class TFont;
class TTimer;
class TExCustomDropDown;

enum TButtonAlignment { baLeft, baRight };

// Custom bar background: when assigned, the bar paints nothing itself.
using TDrawBackGroundEvent = std::function<void(TObject* Sender, TCanvas* Canvas, TRect Rect)>;
// The caption a bar shows, asked for at every paint.
using TGetTextEvent = std::function<void(TObject* Sender, QString& Text)>;
// A bar button was clicked; ButtonIndex is its item's index.
using TDropDownButtonItemClick = std::function<void(TObject* Sender, Integer ButtonIndex)>;

// ---------------------------------------------------------------- buttons

// One button item of a header (and, with a modal result, of a footer).
class THeaderButton : public TCollectionItem {
public:
    explicit THeaderButton(TCollection* Collection);
    QString ClassName() const override { return QStringLiteral("THeaderButton"); }
    void Assign(const TPersistent* Source) override;

    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& Value);
    Integer ImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer Value) { FImageIndex = Value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    // 0: as wide (high) as caption and image need.
    Integer Width() const { return FWidth; }
    void SetWidth(Integer Value);
    Integer Height() const { return FHeight; }
    void SetHeight(Integer Value) { FHeight = Value; }

protected:
    void NotifyCollection();

private:
    QString FCaption;
    Integer FImageIndex = -1;
    bool FEnabled = true;
    Integer FWidth = 0;
    Integer FHeight = 0;
};

class TFooterButton : public THeaderButton {
public:
    explicit TFooterButton(TCollection* Collection) : THeaderButton(Collection) {}
    QString ClassName() const override { return QStringLiteral("TFooterButton"); }
    void Assign(const TPersistent* Source) override;
    // 1, 3, 6, 12, 14 close the popup keeping the value; 2, 5, 7, 13 cancel it.
    Integer ModalResult() const { return FModalResult; }
    void SetModalResult(Integer Value) { FModalResult = Value; }

private:
    Integer FModalResult = 0;
};

// The button items of a bar; OnChange fires when an item's caption, enabled
// state or width changes.
class TBarButtons : public TCollection {
public:
    TBarButtons(TPersistent* AOwner, TItemFactory Factory) : TCollection(std::move(Factory)), FOwner(AOwner) {}
    TPersistent* GetOwner() const override { return FOwner; }
    TNotifyEvent OnChange;
    void ItemChanged() { if (OnChange) OnChange(this); }

private:
    TPersistent* FOwner;
};

class THeaderButtons : public TBarButtons {
public:
    explicit THeaderButtons(TPersistent* AOwner);
    QString ClassName() const override { return QStringLiteral("THeaderButtons"); }
    THeaderButton* Add() { return static_cast<THeaderButton*>(TCollection::Add()); }
    THeaderButton* Insert(Integer Index) { return static_cast<THeaderButton*>(TCollection::Insert(Index)); }
    THeaderButton* Items(Integer Index) const { return ItemsAs<THeaderButton>(Index); }
};

class TFooterButtons : public TBarButtons {
public:
    explicit TFooterButtons(TPersistent* AOwner);
    QString ClassName() const override { return QStringLiteral("TFooterButtons"); }
    TFooterButton* Add() { return static_cast<TFooterButton*>(TCollection::Add()); }
    TFooterButton* Insert(Integer Index) { return static_cast<TFooterButton*>(TCollection::Insert(Index)); }
    TFooterButton* Items(Integer Index) const { return ItemsAs<TFooterButton>(Index); }
};

// ------------------------------------------------------------ appearances

// What the header and footer settings share.
class TBarAppearance : public TPersistent {
public:
    ~TBarAppearance() override;
    // From an appearance of the same class: every setting, Visible through
    // its setter, the buttons copied. Other sources are ignored.
    void Assign(const TPersistent* Source) override;
    // Colours, font and gradient direction only.
    void AssignColors(const TPersistent* Source);

    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value) { FColorTo = Value; }
    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& Value) { FCaption = Value; }
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* Value);
    TGradientDirection GradientDirection() const { return FGradientDirection; }
    void SetGradientDirection(TGradientDirection Value) { FGradientDirection = Value; }
    Integer Height() const { return FHeight; }
    void SetHeight(Integer Value) { FHeight = Value; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value) { FBorderColor = Value; }
    Integer BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(Integer Value) { FBorderWidth = Value; }
    Integer ImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer Value) { FImageIndex = Value; }
    TButtonAlignment ButtonAlignment() const { return FButtonAlignment; }
    void SetButtonAlignment(TButtonAlignment Value) { FButtonAlignment = Value; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    TBarButtons* BarButtons() const { return FButtons.get(); }
    TPersistent* Owner() const { return FOwner; }

    // Fires when Visible changes.
    TNotifyEvent OnChange;
    // Fires when a button item changes.
    TNotifyEvent OnButtonsChanged;

protected:
    TBarAppearance(TPersistent* AOwner, std::unique_ptr<TBarButtons> Buttons);
    virtual void AssignExtra(const TBarAppearance*) {}

private:
    TPersistent* FOwner;
    bool FVisible = true;
    Integer FHeight = 22;
    Integer FBorderWidth = 1;
    Integer FImageIndex = -1;
    QString FCaption;
    TColor FColorTo = clWhite;
    TColor FColor = clSilver;
    TColor FBorderColor = clBlack;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TBarButtons> FButtons;
    TGradientDirection FGradientDirection = gdVertical;
    TButtonAlignment FButtonAlignment = baRight;
};

class THeaderAppearance : public TBarAppearance {
public:
    explicit THeaderAppearance(TPersistent* AOwner);
    QString ClassName() const override { return QStringLiteral("THeaderAppearance"); }
    THeaderButtons* Buttons() const { return static_cast<THeaderButtons*>(BarButtons()); }
    void SetButtons(const THeaderButtons* Value);
};

class TFooterAppearance : public TBarAppearance {
public:
    explicit TFooterAppearance(TPersistent* AOwner);
    QString ClassName() const override { return QStringLiteral("TFooterAppearance"); }
    TFooterButtons* Buttons() const { return static_cast<TFooterButtons*>(BarButtons()); }
    void SetButtons(const TFooterButtons* Value);
    bool SizeGrip() const { return FSizeGrip; }
    void SetSizeGrip(bool Value) { FSizeGrip = Value; }

protected:
    void AssignExtra(const TBarAppearance* Source) override;

private:
    bool FSizeGrip = true;
};

// The colours of the bar buttons in each state; every change fires OnChange.
class TExButtonAppearance : public TPersistent {
public:
    TExButtonAppearance();
    ~TExButtonAppearance() override;
    QString ClassName() const override { return QStringLiteral("TExButtonAppearance"); }
    // Every colour and the gradient (through the setters); not the font.
    void Assign(const TPersistent* Source) override;

#define EX_BUTTON_COLOR(Name)                                                                                          \
    TColor Name() const { return F##Name; }                                                                          \
    void Set##Name(TColor Value) { SetColorField(F##Name, Value); }
    EX_BUTTON_COLOR(BorderColor)
    EX_BUTTON_COLOR(BorderColorHot)
    EX_BUTTON_COLOR(BorderColorDown)
    EX_BUTTON_COLOR(BorderColorDisabled)
    EX_BUTTON_COLOR(BorderColorChecked)
    EX_BUTTON_COLOR(Color)
    EX_BUTTON_COLOR(ColorTo)
    EX_BUTTON_COLOR(ColorDown)
    EX_BUTTON_COLOR(ColorDownTo)
    EX_BUTTON_COLOR(ColorHot)
    EX_BUTTON_COLOR(ColorHotTo)
    EX_BUTTON_COLOR(ColorCheckedTo)
    EX_BUTTON_COLOR(ColorDisabled)
    EX_BUTTON_COLOR(ColorDisabledTo)
    EX_BUTTON_COLOR(ColorChecked)
#undef EX_BUTTON_COLOR
    TGradientDirection Gradient() const { return FGradient; }
    void SetGradient(TGradientDirection Value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* Value);

    TNotifyEvent OnChange;

private:
    void SetColorField(TColor& Field, TColor Value);
    void Changed();

    TColor FBorderColor = clNone;
    TColor FBorderColorHot = 0x808080;
    TColor FBorderColorDown = 0x800000;
    TColor FBorderColorDisabled = 0x808080;
    TColor FBorderColorChecked = 0xFF0000;
    TColor FColor = clNone;
    TColor FColorTo = clNone;
    TColor FColorDown = 0xF5D8CA;
    TColor FColorDownTo = 0xF9BDA0;
    TColor FColorHot = 0xF5F0E1;
    TColor FColorHotTo = 0xF9D2B2;
    TColor FColorCheckedTo;
    TColor FColorDisabled = 0xF2F2F2;
    TColor FColorDisabledTo = clNone;
    TColor FColorChecked;
    TGradientDirection FGradient = gdVertical;
    std::unique_ptr<TFont> FFont;
};

// A list whose checked access raises on an index at or beyond the count.
class TBoundedList : public TList {
public:
    QString ClassName() const override { return QStringLiteral("TBoundedList"); }
    // Clears, then adds every item of ListA in order.
    void AssignList(const TList* ListA);
    void* ItemsEx(Integer Index) const;
    void SetItemsEx(Integer Index, void* Item);
};

// ---------------------------------------------------------------- controls

using TExButtonStyle = TExGridButtonStyle;
enum TExButtonState { absUp, absDisabled, absDown, absDropDown, absExclusive };

// A bar button: gradient face in the appearance's colours, image and caption.
class TExButton : public TCustomControl {
public:
    explicit TExButton(TComponent* AOwner);
    ~TExButton() override;
    QString ClassName() const override { return QStringLiteral("TExButton"); }

    TExButtonAppearance* Appearance() const { return FAppearance; }
    void SetAppearance(TExButtonAppearance* Value) { FAppearance = Value; Invalidate(); }
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value) { FImages = Value; Invalidate(); }
    Integer ImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer Value) { FImageIndex = Value; Invalidate(); }
    Integer ModalResult() const { return FModalResult; }
    void SetModalResult(Integer Value) { FModalResult = Value; }
    void SetExDropDown(TExCustomDropDown* Value) { FExDropDown = Value; }
    TExButtonStyle Style() const { return FStyle; }
    void SetStyle(TExButtonStyle Value) { FStyle = Value; }
    Integer GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(Integer Value) { FGroupIndex = Value; }
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }
    bool Down() const { return FDown; }
    void SetDown(bool Value);
    TExButtonState State() const { return FState; }
    bool MouseInControl() const { return FMouseInControl; }
    // Width and height from caption and image.
    void AutoSizeButton();
    void Click() override;

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    virtual void DrawButton(TCanvas* Canvas);
    void Paint() override;
    void Dispatch(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    bool InsideClient(Integer X, Integer Y) const;
    void UpdateTracking();
    void UpdateExclusive();
    void UnHotTimerTick();

    Integer FGroupIndex = 0;
    bool FDown = false;
    bool FAllowAllUp = false;
    bool FMouseInControl = false;
    bool FHot = false;
    TExButtonStyle FStyle = tasButton;
    TExButtonState FState = absUp;
    bool FMouseDownInControl = false;
    bool FDragging = false;
    std::unique_ptr<TTimer> FUnHotTimer;
    bool FInitialDown = false;
    bool FInternalClick = false;
    TExButtonAppearance* FAppearance = nullptr;
    TCustomImageList* FImages = nullptr;
    Integer FImageIndex = -1;
    Integer FModalResult = 0;
    TExCustomDropDown* FExDropDown = nullptr;
};

// What the header and footer bars share.
class TDropDownBar : public TCustomControl {
public:
    ~TDropDownBar() override;
    TBarAppearance* Appearance() const { return FAppearance.get(); }
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value) { FImages = Value; Invalidate(); }
    TExCustomDropDown* ExDropDown() const { return FExDropDown; }
    // Binds the bar to a dropdown: its images and a copy of its settings.
    void SetExDropDown(TExCustomDropDown* Value);
    // Builds the buttons when a dropdown is bound.
    void InitButtons();
    // The buttons built, in item order.
    TBoundedList* ButtonList() const { return FButtonList.get(); }
    // Where the buttons go, and the room the caption gets beside them.
    virtual TRect GetButtonArea() const;
    TRect GetCaptionLimit() const;
    // Paints the bar (background, border, image, caption) on any canvas in
    // bar coordinates; the buttons paint their background with it.
    void PaintBar(TCanvas* Canvas);

    TDrawBackGroundEvent OnDrawBackGround;
    TGetTextEvent OnGetText;

protected:
    TDropDownBar(TComponent* AOwner, std::unique_ptr<TBarAppearance> Appearance, bool Footer);
    virtual void CreateButtons();
    virtual void ClearButtons();
    virtual void ArrangeButtons();
    virtual void UpdateButtons();
    void Paint() override;
    void Dispatch(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // The dropdown's settings of this bar (header or footer).
    virtual TBarAppearance* DropDownAppearance() const = 0;
    virtual void FireButtonClick(Integer Index) = 0;
    virtual void PaintExtra(TCanvas*, const TRect&) {}
    void ButtonClick(TObject* Sender);

    std::unique_ptr<TBarAppearance> FAppearance;
    TCustomImageList* FImages = nullptr;
    TExCustomDropDown* FExDropDown = nullptr;
    std::unique_ptr<TBoundedList> FButtonList;

private:
    void AppearanceChanged();
    bool FFooter;
};

class TExHeader : public TDropDownBar {
public:
    explicit TExHeader(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TExHeader"); }
    THeaderAppearance* HeaderAppearance() const { return static_cast<THeaderAppearance*>(Appearance()); }
    // The dropdown's button items, or nullptr without a dropdown.
    THeaderButtons* Buttons() const;

protected:
    TBarAppearance* DropDownAppearance() const override;
    void FireButtonClick(Integer Index) override;
};

class TExFooter : public TDropDownBar {
public:
    explicit TExFooter(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TExFooter"); }
    TFooterAppearance* FooterAppearance() const { return static_cast<TFooterAppearance*>(Appearance()); }
    TFooterButtons* Buttons() const;
    TRect GetButtonArea() const override;
    // The grip shows when the settings ask for it and the popup is sizeable.
    bool HasSizeGrip() const;

protected:
    TBarAppearance* DropDownAppearance() const override;
    void FireButtonClick(Integer Index) override;
    void PaintExtra(TCanvas* Canvas, const TRect& R) override;
    void Dispatch(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

private:
    bool InGrip(Integer X, Integer Y) const;
    TCursor FOldCursor = 0;
    // A resize of the popup by the grip in progress: where it started.
    bool FSizing = false;
    TPoint FSizeStart;
    TSize FSizeFrom;
};

// Six 2 x 2 dots in the bottom-right corner of G, light and in Color.
void DrawSizeGrip(TCanvas* Canvas, TRect G, TColor Color);
