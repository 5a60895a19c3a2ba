#pragma once
// The string grid's special cell editors over the edit controls: the spin
// edit of the four spin kinds, the date and the date-and-time pickers, the
// edit with a button, the unit edit and the push button. Each grid owns one
// of each, reuses it for every cell of its kinds and places, fills and
// closes it (ShowCellEditor, FinishCellEdit); each commits its value with
// the keys that leave the cell, validating it first.

#include "controls/ESGEdit.h"
#include "controls/EsgDateTimePicker.h"
#include "controls/ExDateTimePicker.h"
#include "controls/esgspin.h"
#include "platform/StdControls.h"

class TExStringGrid;

// The file version of a library as its version information gives it
// (major in the high word, minor in the low one), -1 without one. The
// platform's common controls ("comctl32.dll") answer the version of the
// controls this layer provides; files on disk carry no such information.
Integer GetDllFileVersion(const QString& FileName);
// The date and time editors exist (the common controls are 4.70 or later).
extern const bool DateEditorsAvailable;

// The spin edit of edSpinEdit, edFloatSpinEdit, edTimeSpinEdit and
// edDateSpinEdit cells.
class TGridSpin : public TEsgSpinEdit {
public:
    explicit TGridSpin(TExStringGrid* AGrid);
    QString ClassName() const override { return QStringLiteral("TGridSpin"); }
    TExStringGrid* Grid() const { return FGrid; }
    void ReCreate() { RecreateWnd(); }
    void UpClick(TObject* Sender) override;
    void DownClick(TObject* Sender) override;

protected:
    void Dispatch(TMessage& Message) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void Change() override;
    void DoExit() override;

private:
    void DoSpinClick(bool UpDown);
    // Page Up, Page Down, Home and End of the integer and real kinds.
    void PageKey(Word Key);
    TExStringGrid* FGrid;
};

// The date picker of edDateEdit, edDateEditUpDown and edTimeEdit cells; it
// moves on to the next field by itself once a typed digit completes one.
class TGridDatePicker : public TEsgDateTimePicker {
public:
    explicit TGridDatePicker(TExStringGrid* AGrid);
    QString ClassName() const override { return QStringLiteral("TGridDatePicker"); }
    TExStringGrid* Grid() const { return FGrid; }
    void ReCreate() { RecreateWnd(); }
    bool Weeknumbers() const { return FWeekNumbers; }
    void SetWeeknumbers(bool Value) { FWeekNumbers = Value; }
    bool ShowToday() const { return FShowToday; }
    void SetShowToday(bool Value) { FShowToday = Value; }
    bool ShowTodayCircle() const { return FShowTodayCircle; }
    void SetShowTodayCircle(bool Value) { FShowTodayCircle = Value; }
    // The calendar is dropped down (between its drop-down and close-up notifications).
    bool CalendarShown() const { return FOldDropped; }
    // Sends Right when the last digit changed a field that is not the last one.
    virtual void AdvanceField();

protected:
    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void DoExit() override;

private:
    Word Fy = 0, Fm = 0, Fd = 0;
    Word Fth = 0, Ftm = 0, Fts = 0, Ftms = 0;
    bool FOldDropped = false;
    bool FWeekNumbers = false;
    bool FShowToday = true;
    bool FShowTodayCircle = true;
    TExStringGrid* FGrid;
};

// The date-and-time picker of edDateTimeEdit cells.
class TGridDateTimePicker : public TExDateTimePicker {
public:
    explicit TGridDateTimePicker(TExStringGrid* AGrid);
    QString ClassName() const override { return QStringLiteral("TGridDateTimePicker"); }
    TExStringGrid* Grid() const { return FGrid; }

protected:
    void Dispatch(TMessage& Message) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void DoExit() override;

private:
    TExStringGrid* FGrid;
};

// The edit with a "..." button of edEditBtn, edNumericEditBtn,
// edFloatEditBtn and edMaskEditBtn cells.
class TGridEditBtn : public TEsgEditBtn {
public:
    explicit TGridEditBtn(TExStringGrid* AGrid);
    QString ClassName() const override { return QStringLiteral("TGridEditBtn"); }
    TExStringGrid* Grid() const { return FGrid; }
    void ReCreate() { RecreateWnd(); }
    // The edit ends once the button's chooser has answered.
    bool StopEditAfterClick() const { return FStopEditAfterClick; }
    void SetStopEditAfterClick(bool Value) { FStopEditAfterClick = Value; }
    void ClickButton() override;

protected:
    void Dispatch(TMessage& Message) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void Change() override;
    void DoExit() override;

private:
    void Paste();
    bool WorkMode = true;
    Integer FSelKeyDown = 0;
    TExStringGrid* FGrid;
    bool FStopEditAfterClick = false;
};

// The unit edit of edUnitEditBtn, edNumericUnitEditBtn and edFloatUnitEditBtn
// cells: the value and a unit chosen from its list.
class TGridUnitEditBtn : public TEsgUnitEditBtn {
public:
    explicit TGridUnitEditBtn(TExStringGrid* AGrid);
    QString ClassName() const override { return QStringLiteral("TGridUnitEditBtn"); }
    TExStringGrid* Grid() const { return FGrid; }
    void ReCreate() { RecreateWnd(); }
    void ClickButton() override;

protected:
    void Dispatch(TMessage& Message) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void DoExit() override;

private:
    TExStringGrid* FGrid;
};

// The push button of edButton cells.
class TGridButton : public TButton {
public:
    explicit TGridButton(TExStringGrid* AGrid);
    QString ClassName() const override { return QStringLiteral("TGridButton"); }
    TExStringGrid* Grid() const { return FGrid; }
    void ReCreate() { RecreateWnd(); }

protected:
    void Dispatch(TMessage& Message) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void DoExit() override;

private:
    // The caption through the grid's ellipsis, and into the cell.
    void RoundTrip();
    void HideButton();
    TExStringGrid* FGrid;
};
