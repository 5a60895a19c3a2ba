#pragma once
// The dropdown editors as cell editors of the string grid: one thin class
// per dropdown (track bar, memo, calculator, time picker, detail list,
// multi-column list, grid, colour and image pickers) that ties it to the
// grid. They share one behaviour (TGridDropDownEditor): the keys that
// leave the cell commit the value through the grid's protocol, the typed
// keys reach the grid's OnKeyPress, a change reaches OnEditChange, and
// leaving the editor closes the edit. Each differs only where its class
// says so.

#include "grid/dropdown/ExCalculatorDropDown.h"
#include "grid/dropdown/ExColorPickerDropDown.h"
#include "grid/dropdown/ExDetailDropDown.h"
#include "grid/dropdown/ExGridDropDown.h"
#include "grid/dropdown/ExImagePickerDropDown.h"
#include "grid/dropdown/ExMemoDropDown.h"
#include "grid/dropdown/ExMultiColumnDropDown.h"
#include "grid/dropdown/ExTimePickerDropDown.h"
#include "grid/dropdown/ExTrackBarDropDown.h"

class TExStringGrid;

template <class TBase>
class TGridDropDownEditor : public TBase {
public:
    explicit TGridDropDownEditor(TExStringGrid* AGrid);
    // The grid the editor edits for.
    TExStringGrid* OwnerGrid() const { return FGrid; }
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void Change() override;
    // The value was completed (Forced) or typed since the last key.
    bool WasForced() const { return Forced; }

protected:
    void WMSetFocus(TMessage& Message) override;
    void CMWantSpecialKey(TMessage& Message) override;
    void DoExit() override;

    // What the members do differently.
    // Enter and Escape are claimed from the dialog (Tab always is with a validation).
    virtual bool WantsReturnAndEscape() const { return false; }
    // The caret goes under the pointer when a click started the edit.
    virtual bool CaretFromClick() const { return false; }
    // The edit's own change, not the dropdown's.
    virtual bool PlainChange() const { return false; }
    virtual bool IsSpecialKey(Word Key, TShiftState Shift) const;
    // Up and Down write and validate like Enter (else they leave at once).
    virtual bool CommitsUpDown() const { return true; }
    // Before Enter writes the value.
    virtual void BeforeReturn() {}

    bool Forced = false;
    bool WorkMode = true;
    TExStringGrid* FGrid;
};

class TGridTrackbarDropDown : public TGridDropDownEditor<TExTrackBarDropDown> {
public:
    explicit TGridTrackbarDropDown(TExStringGrid* AGrid) : TGridDropDownEditor(AGrid) {}
    QString ClassName() const override { return QStringLiteral("TGridTrackbarDropDown"); }
    // The lookup completion of the text editors: nothing for a track bar.
    void DoChange() {}

protected:
    bool WantsReturnAndEscape() const override { return true; }
    bool CaretFromClick() const override { return true; }
};

class TGridMemoDropDown : public TGridDropDownEditor<TExMemoDropDown> {
public:
    explicit TGridMemoDropDown(TExStringGrid* AGrid) : TGridDropDownEditor(AGrid) {}
    QString ClassName() const override { return QStringLiteral("TGridMemoDropDown"); }

protected:
    bool CaretFromClick() const override { return true; }
};

class TGridCalculatorDropDown : public TGridDropDownEditor<TExCalculatorDropdown> {
public:
    explicit TGridCalculatorDropDown(TExStringGrid* AGrid) : TGridDropDownEditor(AGrid) {}
    QString ClassName() const override { return QStringLiteral("TGridCalculatorDropDown"); }

protected:
    bool CaretFromClick() const override { return true; }
    bool PlainChange() const override { return true; }
    // A pending calculation is finished first.
    void BeforeReturn() override { CalcResult(); }
};

class TGridTimepickerDropDown : public TGridDropDownEditor<TExTimePickerDropDown> {
public:
    explicit TGridTimepickerDropDown(TExStringGrid* AGrid);
    QString ClassName() const override { return QStringLiteral("TGridTimepickerDropDown"); }
};

class TGridDetailPickerDropDown : public TGridDropDownEditor<TExDetailDropDown> {
public:
    explicit TGridDetailPickerDropDown(TExStringGrid* AGrid) : TGridDropDownEditor(AGrid) {}
    QString ClassName() const override { return QStringLiteral("TGridDetailPickerDropDown"); }
};

class TGridGridDropDown : public TGridDropDownEditor<TExMultiColumnDropDown> {
public:
    explicit TGridGridDropDown(TExStringGrid* AGrid) : TGridDropDownEditor(AGrid) {}
    QString ClassName() const override { return QStringLiteral("TGridGridDropDown"); }
};

class TGridExGridDropDown : public TGridDropDownEditor<TCustomExGridDropDown> {
public:
    explicit TGridExGridDropDown(TExStringGrid* AGrid) : TGridDropDownEditor(AGrid) {}
    QString ClassName() const override { return QStringLiteral("TGridExGridDropDown"); }
    // The list's own grid.
    TExStringGrid* Grid() const;
};

class TGridColorDropDown : public TGridDropDownEditor<TExColorPickerDropDown> {
public:
    explicit TGridColorDropDown(TExStringGrid* AGrid) : TGridDropDownEditor(AGrid) {}
    QString ClassName() const override { return QStringLiteral("TGridColorDropDown"); }

protected:
    bool WantsReturnAndEscape() const override { return true; }
    bool PlainChange() const override { return true; }
    bool IsSpecialKey(Word Key, TShiftState Shift) const override;
    // Only Enter validates; Up and Down leave the cell as they are.
    bool CommitsUpDown() const override { return false; }
};

class TGridImageDropDown : public TGridDropDownEditor<TExImagePickerDropDown> {
public:
    explicit TGridImageDropDown(TExStringGrid* AGrid) : TGridDropDownEditor(AGrid) {}
    QString ClassName() const override { return QStringLiteral("TGridImageDropDown"); }

protected:
    bool PlainChange() const override { return true; }
};

extern template class TGridDropDownEditor<TExTrackBarDropDown>;
extern template class TGridDropDownEditor<TExMemoDropDown>;
extern template class TGridDropDownEditor<TExCalculatorDropdown>;
extern template class TGridDropDownEditor<TExTimePickerDropDown>;
extern template class TGridDropDownEditor<TExDetailDropDown>;
extern template class TGridDropDownEditor<TExMultiColumnDropDown>;
extern template class TGridDropDownEditor<TCustomExGridDropDown>;
extern template class TGridDropDownEditor<TExColorPickerDropDown>;
extern template class TGridDropDownEditor<TExImagePickerDropDown>;
