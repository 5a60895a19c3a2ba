#pragma once
// TEsgEditBtn: a one-line edit with a small push button at its right end;
// the button (or F4) raises OnClickBtn, typically to open a chooser for the
// value. TEsgUnitEditBtn adds a physical unit shown right of the value: its
// button drops down a menu of units, and a text splits into number and unit
// and joins again. The grid's edit-button cell editors derive from them.
//
// The button is a TEsgEditButton (a windowed container) holding one
// TExSpeedButton that paints itself in a flat colour, themed, flat-edged or
// classic.

#include <functional>
#include <memory>
#include "controls/ButtonColors.h"
#include "controls/EditWithButton.h"
#include "platform/Buttons.h"

class TBitmap;
class TControlCanvas;
class TStringList;
class TStrings;

class TEsgEditButton;

class TExSpeedButton : public TSpeedButton {
public:
    explicit TExSpeedButton(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TExSpeedButton"); }

    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool v);
    // Its own flat flag (set with the container's Flat and by a coloured face).
    bool Flat() const { return FFlat; }
    void SetFlat(bool v);
    // The mouse is over it.
    bool Hot() const { return FHot; }

protected:
    void Paint() override;
    void Dispatch(TMessage& Message) override;

private:
    bool FIsWinXP = false;
    bool FFlat = false;
    bool FHot = false;
};

class TEsgEditButton : public TWinControl, public TButtonColors {
public:
    explicit TEsgEditButton(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TEsgEditButton"); }

    TExSpeedButton* Button() const { return FButton; }
    TBitmap* Glyph() const;
    void SetGlyph(const TBitmap* v);
    Integer NumGlyphs() const;
    void SetNumGlyphs(Integer v);
    QString ButtonCaption() const;
    void SetButtonCaption(const QString& v);
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* v);
    bool Flat() const { return FFlat; }
    void SetFlat(bool v);


    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // The face colours show on the speed button (the text and border colours are kept only).
    void ButtonColorsChanged() override { FButton->Invalidate(); }

private:
    void BtnMouseUp(TMouseButton Button);

    TExSpeedButton* FButton;
    TWinControl* FFocusControl = nullptr;
    bool FFlat = false;
};

class TEsgEditBtn : public TEmbeddedButtonEdit {
public:
    explicit TEsgEditBtn(TComponent* AOwner);
    ~TEsgEditBtn() override;
    QString ClassName() const override { return QStringLiteral("TEsgEditBtn"); }

    TEsgEditButton* Button() const { return FButton; }
    // The last width given; setting it sizes the button.
    Integer ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(Integer v);
    TBitmap* Glyph() const;
    void SetGlyph(const TBitmap* v);
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool v);
    QString ButtonCaption() const;
    void SetButtonCaption(const QString& v);
    bool RightAlign() const { return FRightAlign; }
    void SetRightAlign(bool v);

    // Runs what the button does (the button and F4 call it).
    virtual void ClickButton();

    TNotifyEvent OnClickBtn;

protected:
    void Dispatch(TMessage& Message) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    TWinControl* EmbeddedButton() const override { return FButton; }
    Integer GetMinHeight() override;
    TRect EditRect() override;

    Integer FUnitSize = 0;
    bool FRightAlign = false;

private:
    TEsgEditButton* FButton = nullptr;
    Integer FButtonWidth = 0;
    bool FIsWinXP = false;
};

using TUnitChangeEvent = std::function<void(TObject* Sender, const QString& NewUnit)>;

class TEsgUnitEditBtn : public TEsgEditBtn {
public:
    explicit TEsgUnitEditBtn(TComponent* AOwner);
    ~TEsgUnitEditBtn() override;
    QString ClassName() const override { return QStringLiteral("TEsgUnitEditBtn"); }

    // Copies the list; nothing is ignored.
    TStrings* Units() const;
    void SetUnits(const TStrings* v);
    const QString& UnitID() const { return FUnitID; }
    void SetUnitID(const QString& v);
    // Pixels kept for the unit text.
    Integer UnitSpace() const { return FUnitSize; }
    void SetUnitSpace(Integer v);

    // Splits a text ending in one of the units into Text and UnitID (the
    // first unit, in list order, whose first occurrence ends the text);
    // nothing changes when none does.
    void SetTextAndUnit(const QString& S);
    // Text followed directly by UnitID.
    QString GetTextAndUnit() const;

    // Fires OnClickBtn, then drops down the menu of units.
    void ClickButton() override;

    TUnitChangeEvent OnUnitChanged;

protected:
    void Dispatch(TMessage& Message) override;

private:
    void PaintUnit();
    QString FUnitID;
    std::unique_ptr<TStringList> FUnits;
    std::unique_ptr<TControlCanvas> FCanvas;
};
