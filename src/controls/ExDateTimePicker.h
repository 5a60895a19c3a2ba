#pragma once
// TCustomDateTimePicker: the flat picker plus auto-tab (a digit that
// completes a field moves on to the next field). It also serves as the time
// part of TExDateTimePicker.
//
// TExDateTimePicker: a picker of a date, a time, or a date and a time; for
// the last it holds a time part at its right end and keeps the two in step.
// It has a caption label like the combo box. The grid's combined date-time
// editor derives from it.

#include <functional>
#include "controls/EsgCombo.h"
#include "controls/EsgDateTimePicker.h"

class TTimer;

// The message a picker posts to itself after a digit, to move on when the
// digit completed a field; registered with the platform at program start.
extern const Cardinal DTPShiftFocus;

class TCustomDateTimePicker : public TFlatDateTimePicker {
public:
    explicit TCustomDateTimePicker(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TCustomDateTimePicker"); }

    bool AutoTab() const { return FAutoTab; }
    virtual void SetAutoTab(bool v);
    // True for the time part of a combined picker (this class), which never
    // takes the metro look.
    virtual bool IsTimePart() const { return true; }

protected:
    void WndProc(TMessage& Message) override;
    // Called by DTPShiftFocus: moves on when the last digit changed a field.
    virtual void ShiftFocusCheck();
    // Before a digit: the parts that ShiftFocusCheck compares with.
    virtual void RememberParts();
    bool MetroActive() const override;
    TRect MetroCover(bool VisualStyles) const override;
    bool PlainBorderWanted() const override;
    bool DrawsOutline() const override;
    void PostRight();

    bool FAutoTab = false;
    Word Fh = 0, Fm = 0, Fs = 0, Fms = 0;
};

enum TExDateTimeKind { dkDate, dkTime, dkDateTime };

class TExDateTimePicker : public TCustomDateTimePicker, public TLabelledControl {
public:
    explicit TExDateTimePicker(TComponent* AOwner);
    ~TExDateTimePicker() override;
    QString ClassName() const override { return QStringLiteral("TExDateTimePicker"); }

    TExDateTimeKind Kind() const { return FKind; }
    void SetKind(TExDateTimeKind v);
    // The date with the time part's time.
    TDateTime DateTime();
    // The value's date and its time of day without milliseconds, in both parts.
    void SetDateTime(TDateTime v);
    TDateTime Date() const { return TDateTimePicker::Date(); }
    // A new date; the time of day (to the second) stays.
    void SetDate(TDateTime v);
    TDateTime Time() const;
    void SetTime(TDateTime v);
    const QString& TimeFormat() const { return FTimeFormat; }
    void SetTimeFormat(const QString& v);
    void SetAutoTab(bool v) override;
    void SetBorderStyle(TBorderStyle v) override;
    bool IsTimePart() const override { return false; }
    // The time part (null unless the kind is date and time).
    TCustomDateTimePicker* TimePicker() const { return FTimePicker; }

    QString Version() const;
    Integer GetVersionNr() const;

    void SetParent(TWinControl* AParent) override;
    void SetVisible(bool value) override;
    void SetEnabled(bool value) override;
    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;


    // The time part's change (after OnChange).
    TNotifyEvent OnTimeChange;
    TNotifyEvent OnLabelClick;
    TNotifyEvent OnLabelDblClick;

protected:
    void Loaded() override;
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void ShiftFocusCheck() override;
    void RememberParts() override;
    virtual void DoChange();
    virtual void DoClick();
    // Characters typed in the time part.
    virtual void TimeKeyPress(QChar& Key);
    // Makes the time part (date and time only, once).
    void MakeTimePicker();
    // Brings the time part in step with the picker and puts it in place.
    void UpdateTimePicker();

private:
    void ApplyKind();
    void TimeChanged();

    TExDateTimeKind FKind = dkDateTime;
    TTimer* FFocusTimer;
    QString FTimeFormat;
    Word Fy = 0, FmDate = 0, Fd = 0;
    bool FParentFnt = true;
    bool FFirstRun = true;
    TCustomDateTimePicker* FTimePicker = nullptr;
};
