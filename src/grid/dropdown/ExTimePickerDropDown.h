#pragma once
// TExTimePickerDropDown: a time-of-day edit (hours, minutes and optionally
// seconds between the locale's time separators) whose popup holds an
// analogue clock and, optionally, a platform time picker below it. The
// edit, the clock and the picker show one time; Up and Down step the field
// under the caret.

#include <memory>

#include "grid/dropdown/ExDropDown.h"
#include "platform/Text.h"

class TDateTimePicker;
class TExWatch;
class TPanel;
class TWatchAppearance;
class TWatchSettings;

class TExTimePickerDropDown : public TExCustomDropDown {
public:
    explicit TExTimePickerDropDown(TComponent* AOwner);
    ~TExTimePickerDropDown() override;
    QString ClassName() const override { return QStringLiteral("TExTimePickerDropDown"); }

    bool Animation() const { return FAnimation; }
    void SetAnimation(bool Value) { FAnimation = Value; }
    Integer AnimationFactor() const { return FAnimationFactor; }
    void SetAnimationFactor(Integer Value) { FAnimationFactor = Value; }
    bool ShowWatchAMPM() const { return FShowWatchAMPM; }
    void SetShowWatchAMPM(bool Value) { FShowWatchAMPM = Value; }
    bool ShowWatchNumbers() const { return FShowWatchNumbers; }
    void SetShowWatchNumbers(bool Value) { FShowWatchNumbers = Value; }
    bool ShowTimePicker() const { return FShowTimePicker; }
    void SetShowTimePicker(bool Value) { FShowTimePicker = Value; }
    TWatchAppearance* WatchAppearance() const { return FWatchAppearance.get(); }
    void SetWatchAppearance(const TWatchAppearance* Value);
    TWatchSettings* WatchSettings() const { return FWatchSettings.get(); }
    void SetWatchSettings(const TWatchSettings* Value);
    TDateTime Time() const { return FTime; }
    void SetTime(TDateTime Value);
    bool ShowSeconds() const { return FShowSeconds; }
    void SetShowSeconds(bool Value);
    TExWatch* Watch() const { return FExWatch; }
    // Made on the first opening that shows it.
    TDateTimePicker* TimePicker() const { return FDateTimePicker; }
    TPanel* PanelCtrl() const { return FPanelCtrl; }

    void SetHourPart(Integer Value);
    void SetMinutePart(Integer Value);
    void SetSecondPart(Integer Value);

    TNotifyEvent OnTimeChange;

    void SetComponentStyle(TKavroStyle AStyle) override;
    // Up and Down step the field under the caret.
    void KeyDown(Word& Key, TShiftState Shift) override;
    // A complete typed time becomes Time.
    void Change() override;

protected:
    void CreateDropDownForm() override;
    void DoBeforeDropDown() override;
    void DoHideDropDown(bool Cancel) override;
    void DropDownFormHide() override;
    void DropDownFormKeyDown(Word& Key, TShiftState Shift) override;
    void DropDownFormKeyUp(Word& Key, TShiftState Shift) override;
    void ControlKeyDown(Word& Key, TShiftState Shift) override;
    void ControlKeyUp(Word& Key, TShiftState Shift) override;
    void ControlKeyPress(QChar& Key) override;

private:
    QString FormatTime(Word H, Word M, Word S) const;
    QString TimeMask() const;
    bool IsValidTimeText(const QString& Text) const;
    void WatchChange();
    void PickerChange();
    // The time with one field replaced (the others and the date kept).
    TDateTime WithPart(Integer Part, Word Value) const;
    void SetPart(Integer Part, Integer Value, Integer Limit);

    bool FShowTimePicker = false;
    TExWatch* FExWatch = nullptr;                 // owned through the component owner list
    TDateTimePicker* FDateTimePicker = nullptr;   // owned through the component owner list
    TPanel* FPanelCtrl = nullptr;                 // owned through the component owner list
    std::unique_ptr<TWatchAppearance> FWatchAppearance;
    bool FShowWatchAMPM = true, FShowWatchNumbers = true;
    bool FAnimation = true;
    Integer FAnimationFactor = 10;
    TDateTime FTime = 0;
    std::unique_ptr<TWatchSettings> FWatchSettings;
    bool FInternalCall = false;
    bool FShowSeconds = true;
};
