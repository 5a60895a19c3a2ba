#pragma once
// TEsgSpinEdit: a one-line edit with a pair of arrow buttons that step its
// value up and down. The value is an integer, a real number, a date or a
// time of day (SpinType); the arrows, Up, Down, Page Up and Page Down step
// it, typed characters are filtered by the value type, and the value is
// clamped to its range when the edit loses the focus. Texts follow the
// platform's format settings. The grid's spin cell editor derives from it.
//
// TEsgSpinButton holds the two arrows, TExTimerSpeedButtons that repeat
// their click while held down.

#include "controls/ButtonColors.h"
#include "controls/EditWithButton.h"
#include "platform/Buttons.h"

class TControlCanvas;
class TTimer;

using TDateTime = double;

enum TSpinDirection { spVertical, spHorizontal };
enum TEsgSpinType { sptNormal, sptFloat, sptDate, sptTime };
enum TEditAlign { eaLeft, eaRight, eaCenter };
enum TButtonDirection { bdLeft, bdRight, bdUp, bdDown };
// TExTimerSpeedButton state flags.
enum TTimeBtnStateItem : Byte { tbFocusRect = 1, tbAllowTimer = 2 };
using TTimeBtnState = Byte;

class TEsgSpinButton;

class TExTimerSpeedButton : public TSpeedButton {
public:
    explicit TExTimerSpeedButton(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TExTimerSpeedButton"); }

    TTimeBtnState TimeBtnState() const { return FTimeBtnState; }
    void SetTimeBtnState(TTimeBtnState v);
    TButtonDirection ButtonDirection() const { return FButtonDirection; }
    void SetButtonDirection(TButtonDirection v);
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool v);
    bool HasMouse() const { return FHasMouse; }
    // Made at the first press (null before).
    TTimer* RepeatTimer() const { return FRepeatTimer; }

protected:
    void Paint() override;
    void Dispatch(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

private:
    void RepeatTick(TObject* Sender);
    bool PaintColoured(TEsgSpinButton* owner);
    bool PaintThemed(TEsgSpinButton* owner);

    TTimer* FRepeatTimer = nullptr;
    TTimeBtnState FTimeBtnState = 0;
    TButtonDirection FButtonDirection = bdUp;
    bool FIsWinXP = false;
    bool FHasMouse = false;
};

class TEsgSpinButton : public TWinControl, public TButtonColors {
public:
    explicit TEsgSpinButton(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TEsgSpinButton"); }

    TExTimerSpeedButton* UpButton() const { return FUpButton; }
    TExTimerSpeedButton* DownButton() const { return FDownButton; }
    // The arrow that shows the focus rectangle.
    TExTimerSpeedButton* FocusedButton() const { return FFocusedButton; }
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* v);
    TSpinDirection Direction() const { return FDirection; }
    void SetDirection(TSpinDirection v);
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool v);

    // Without a bitmap the built-in arrow is used.
    TBitmap* UpGlyph() const;
    void SetUpGlyph(const TBitmap* v);
    TBitmap* DownGlyph() const;
    void SetDownGlyph(const TBitmap* v);
    Integer UpNumGlyphs() const;
    void SetUpNumGlyphs(Integer v);
    Integer DownNumGlyphs() const;
    void SetDownNumGlyphs(Integer v);


    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;

    TNotifyEvent OnUpClick;
    TNotifyEvent OnDownClick;

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    // The face colours show on the arrows (the text and border colours are kept only).
    void ButtonColorsChanged() override { InvalidateArrows(); }

private:
    TExTimerSpeedButton* CreateButton(TButtonDirection direction);
    void ArrangeButtons();
    void SetFocusBtn(TExTimerSpeedButton* btn);
    void BtnClick(TObject* Sender);
    void BtnMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
    void InvalidateArrows();

    TExTimerSpeedButton* FUpButton;
    TExTimerSpeedButton* FDownButton;
    TExTimerSpeedButton* FFocusedButton;
    TWinControl* FFocusControl = nullptr;
    TSpinDirection FDirection = spVertical;
    bool FIsWinXP = false;
};

class TEsgSpinEdit : public TEmbeddedButtonEdit {
public:
    explicit TEsgSpinEdit(TComponent* AOwner);
    ~TEsgSpinEdit() override;
    QString ClassName() const override { return QStringLiteral("TEsgSpinEdit"); }

    TEsgSpinButton* Button() const { return FButton; }

    // The value in each type's terms; reading never fails (see the fallbacks).
    Integer Value();
    void SetValue(Integer v);
    double FloatValue();
    void SetFloatValue(double v);
    TDateTime DateValue();
    void SetDateValue(TDateTime v);
    TDateTime TimeValue();
    void SetTimeValue(TDateTime v);

    TEsgSpinType SpinType() const { return FSpinType; }
    void SetSpinType(TEsgSpinType v);
    // Decimals of a real value; 0: the shortest general form.
    Integer Precision() const { return FPrecision; }
    void SetPrecision(Integer v);
    TSpinDirection Direction() const { return FDirection; }
    void SetDirection(TSpinDirection v);
    bool ReturnIsTab() const { return FReturnIsTab; }
    void SetReturnIsTab(bool v) { FReturnIsTab = v; }
    bool ExcelStyleDecimalSeparator() const { return FExcelStyleDecimalSeparator; }
    void SetExcelStyleDecimalSeparator(bool v) { FExcelStyleDecimalSeparator = v; }
    bool ShowSeconds() const { return FShowSeconds; }
    void SetShowSeconds(bool v) { FShowSeconds = v; }
    bool SpinFlat() const { return FSpinFlat; }
    void SetSpinFlat(bool v);
    bool SpinTransparent() const { return FSpinTransparent; }
    void SetSpinTransparent(bool v);
    bool AllowEmptyValue() const { return FAllowEmptyValue; }
    void SetAllowEmptyValue(bool v) { FAllowEmptyValue = v; }
    TEditAlign EditAlign() const { return FEditAlign; }
    void SetEditAlign(TEditAlign v);
    // Set by the grid: themed arrows.
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool v);
    // Month before day in the locale's short date format (set by each date step).
    bool UsDates() const { return FUsDates; }

    Integer Increment() const { return FIncrement; }
    void SetIncrement(Integer v) { FIncrement = v; }
    double IncrementFloat() const { return FIncrementFloat; }
    void SetIncrementFloat(double v) { FIncrementFloat = v; }
    double IncrementFloatPage() const { return FIncrementFloatPage; }
    void SetIncrementFloatPage(double v) { FIncrementFloatPage = v; }
    Integer IncrementSeconds() const { return FIncrementSeconds; }
    void SetIncrementSeconds(Integer v) { FIncrementSeconds = v; }
    Integer IncrementMinutes() const { return FIncrementMinutes; }
    void SetIncrementMinutes(Integer v) { FIncrementMinutes = v; }
    Integer IncrementHours() const { return FIncrementHours; }
    void SetIncrementHours(Integer v) { FIncrementHours = v; }
    // Equal bounds mean no range.
    Integer MinValue() const { return FMinValue; }
    void SetMinValue(Integer v) { FMinValue = v; }
    Integer MaxValue() const { return FMaxValue; }
    void SetMaxValue(Integer v) { FMaxValue = v; }
    double MinFloatValue() const { return FMinFloatValue; }
    void SetMinFloatValue(double v) { FMinFloatValue = v; }
    double MaxFloatValue() const { return FMaxFloatValue; }
    void SetMaxFloatValue(double v) { FMaxFloatValue = v; }
    TDateTime MinDateValue() const { return FMinDateValue; }
    void SetMinDateValue(TDateTime v) { FMinDateValue = v; }
    TDateTime MaxDateValue() const { return FMaxDateValue; }
    void SetMaxDateValue(TDateTime v) { FMaxDateValue = v; }

    // One step of the value; Page Up and Page Down step by the page (real values only).
    virtual void StepUp(bool Page);
    virtual void StepDown(bool Page);
    // Whether the edit takes a typed character.
    virtual bool CharAllowed(QChar& Key);
    virtual void UpClick(TObject* Sender);
    virtual void DownClick(TObject* Sender);

protected:
    void Loaded() override;
    void Dispatch(TMessage& Message) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    TWinControl* EmbeddedButton() const override { return FButton; }
    Integer GetMinHeight() override;
    TRect EditRect() override;

private:
    void Step(int Direction, bool Page);

    Integer FMinValue = 0, FMaxValue = 100;
    double FMinFloatValue = 0.0, FMaxFloatValue = 100.0;
    TDateTime FMinDateValue = 0, FMaxDateValue = 0;
    TDateTime FDateValue = 0;
    TDateTime FTimeValue = 0;
    Integer FIncrement = 1;
    double FIncrementFloat = 0.1;
    TEsgSpinButton* FButton = nullptr;
    TSpinDirection FDirection = spVertical;
    TEsgSpinType FSpinType = sptNormal;
    Integer FPrecision = 0;
    bool FReturnIsTab = false;
    bool FIsWinXP = false;
    bool FExcelStyleDecimalSeparator = false;
    bool FUsDates = false;
    bool FShowSeconds = true;
    Integer FIncrementSeconds = 1, FIncrementMinutes = 1, FIncrementHours = 1;
    TEditAlign FEditAlign = eaLeft;
    bool FSpinFlat = false;
    bool FSpinTransparent = false;
    bool FAllowEmptyValue = false;
    double FIncrementFloatPage = 1.0;
    bool FKeypadDecimal = false;
};

// Number texts in the platform's format settings, as the spin edit writes
// and reads them: the shortest general form (15 significant digits), the
// fixed form rounded at 15 significant digits first, and the reading of a
// real number with the locale's decimal separator.
QString SpinFloatText(double Value, Integer Precision);
bool SpinTextToFloat(const QString& Text, double& Value);
