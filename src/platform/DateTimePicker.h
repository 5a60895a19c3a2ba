#pragma once
// TDateTimePicker: a date or a time shown in fields (day, month, year;
// hours, minutes, seconds) that the user edits one at a time: digits typed
// into the current field take effect once the field is complete (or left),
// the arrow keys step the field or move between fields, and dates drop down
// a month calendar (or show up-down arrows). An optional check box says
// whether the picker holds a value at all. The picker's own events come
// back to it as CN_NOTIFY notifications, so a derived picker can hook them.
//
// TMonthCalendar: one month's calendar to pick a date from.

#include <vector>
#include "platform/Control.h"

class QPainter;
class QWidget;
using TDateTime = double;

enum TDateTimeKind { dtkDate, dtkTime };
enum TDTDateMode { dmComboBox, dmUpDown };
enum TDTDateFormat { dfShort, dfLong };

// Notification codes of the picker (CN_NOTIFY; LParam points to the record).
constexpr Cardinal DTN_DATETIMECHANGE = Cardinal(-759);
constexpr Cardinal DTN_DROPDOWN = Cardinal(-754);
constexpr Cardinal DTN_CLOSEUP = Cardinal(-753);
// Whether a picker with a check box holds a value.
constexpr DWORD GDT_VALID = 0;
constexpr DWORD GDT_NONE = 1;

// A date and time by its parts; all zero for no value.
struct TSystemTime {
    Word wYear = 0, wMonth = 0, wDayOfWeek = 0, wDay = 0;
    Word wHour = 0, wMinute = 0, wSecond = 0, wMilliseconds = 0;
};

// The record of DTN_DATETIMECHANGE, which the picker sends its parent as
// WM_NOTIFY and then reflects to itself as CN_NOTIFY.
struct TNMDateTimeChange {
    TNMHdr hdr;
    DWORD dwFlags = GDT_VALID;
    TSystemTime st;
};

// Messages a picker answers: DTM_GETSYSTEMTIME (LParam: TDateTime* that
// receives the value; result GDT_VALID or GDT_NONE) and DTM_SETSYSTEMTIME
// (WParam GDT_VALID with LParam a const TDateTime*, or GDT_NONE to clear).
constexpr Cardinal DTM_GETSYSTEMTIME = 0x1001;
constexpr Cardinal DTM_SETSYSTEMTIME = 0x1002;

class TDateTimePicker : public TWinControl {
public:
    explicit TDateTimePicker(TComponent* AOwner);
    ~TDateTimePicker() override;
    QString ClassName() const override { return QStringLiteral("TDateTimePicker"); }

    TDateTimeKind Kind() const { return FKind; }
    void SetKind(TDateTimeKind v);
    TDateTime DateTime() const { return FDateTime; }
    void SetDateTime(TDateTime v);
    // The date part (the time of day is kept) and the time part (the date is kept).
    TDateTime Date() const;
    void SetDate(TDateTime v);
    TDateTime Time() const;
    void SetTime(TDateTime v);
    // A custom pattern: d dd ddd dddd, M MM MMM MMMM, y yy yyyy, h hh (12
    // hours), H HH, m mm, s ss, t tt (AM/PM), text in single quotes; any
    // other character stands for itself. Empty: the format settings' pattern.
    const QString& Format() const { return FFormat; }
    void SetFormat(const QString& v);
    TDTDateFormat DateFormat() const { return FDateFormat; }
    void SetDateFormat(TDTDateFormat v);
    TDTDateMode DateMode() const { return FDateMode; }
    void SetDateMode(TDTDateMode v);
    bool ShowCheckbox() const { return FShowCheckbox; }
    void SetShowCheckbox(bool v);
    // False only with a check box that is clear.
    bool Checked() const { return FChecked || !FShowCheckbox; }
    void SetChecked(bool v);
    // Limits; 0: none.
    TDateTime MinDate() const { return FMinDate; }
    void SetMinDate(TDateTime v);
    TDateTime MaxDate() const { return FMaxDate; }
    void SetMaxDate(TDateTime v);
    // The calendar is open.
    bool DroppedDown() const;
    void SetDroppedDown(bool v);
    // The calendar's week numbers, its "today" line and the mark on today's
    // date (on by default but the week numbers); the open calendar follows.
    void SetCalendarStyle(bool WeekNumbers, bool ShowToday, bool ShowTodayCircle);
    // The field being edited, counted from 0 among the fields that take input.
    Integer FieldIndex() const { return FFieldIndex; }

    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

protected:
    void CreateWindowHandle(const TCreateParams& Params) override;
    void DestroyWnd() override;
    void Dispatch(TMessage& Message) override;
    // The picker's own editing: keys, characters and clicks that the
    // handlers let through (sent messages included).
    void DefaultHandler(TMessage& Message) override;
    QString GetText() const override;
    virtual void Change();
    virtual void DropDown();
    virtual void CloseUp();

private:
    friend class TPickerWidget;
    struct TField;
    struct TLayout;
    // Makes the fields again when the pattern (or the settings it comes from) changed.
    void BuildFields() const;
    const TField* Editable(Integer index) const;
    Integer EditableCount() const;
    QString FieldText(const TField& f, bool withPending) const;
    TLayout Layout() const;
    void Paint(QPainter& painter, const QWidget& widget) const;
    void KeyMessage(TMessage& Message);
    void CharMessage(TMessage& Message);
    void MouseDownMessage(TMessage& Message);
    void MoveField(Integer delta);
    void StepField(Integer delta);
    // Home and End: the field's first or last value.
    void SetFieldValue(bool toEnd);
    void TypeDigit(Integer digit);
    void CommitPending();
    // A change made by the user: the value (clamped) and the notification.
    void UserSet(TDateTime v);
    void UserCheck(bool v);
    void NotifyChange();
    void Notify(Cardinal code);
    TDateTime Clamp(TDateTime v) const;
    void ShowCalendar();
    void CalendarPicked(TDateTime date);
    void CalendarClosed();

    TDateTimeKind FKind = dtkDate;
    TDateTime FDateTime;
    QString FFormat;
    TDTDateFormat FDateFormat = dfShort;
    TDTDateMode FDateMode = dmComboBox;
    bool FShowCheckbox = false;
    bool FChecked = true;
    TDateTime FMinDate = 0;
    TDateTime FMaxDate = 0;
    mutable std::vector<TField> FFields;
    // The pattern the fields were built from (rebuilt when the settings change).
    mutable QString FFieldPattern;
    mutable Integer FFieldIndex = 0;
    // Digits typed into the current field that do not complete it yet.
    mutable QString FPending;
    bool FDropped = false;
    bool FCalWeekNumbers = false;
    bool FCalShowToday = true;
    bool FCalShowTodayCircle = true;
    // The open calendar's window, a child of the picker's (null when none).
    QWidget* FPopup = nullptr;
};

class TMonthCalendar : public TWinControl {
public:
    explicit TMonthCalendar(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TMonthCalendar"); }

    TDateTime Date() const { return FDate; }
    void SetDate(TDateTime v);
    // Limits; 0: none.
    TDateTime MinDate() const { return FMinDate; }
    void SetMinDate(TDateTime v);
    TDateTime MaxDate() const { return FMaxDate; }
    void SetMaxDate(TDateTime v);
    bool WeekNumbers() const { return FWeekNumbers; }
    void SetWeekNumbers(bool v);

protected:
    void CreateWindowHandle(const TCreateParams& Params) override;
    void CreateWnd() override;

private:
    void UserPicked(TDateTime v);
    TDateTime FDate;
    TDateTime FMinDate = 0;
    TDateTime FMaxDate = 0;
    bool FWeekNumbers = false;
};
