#pragma once
// The string grid's cell editors: the text editor laid over a cell (the
// platform grid's in-place edit), the combo box of list cells and the check
// box of check-box cells here; the spin, date, edit-button, unit and button
// editors, the dropdown editors, the rich edit, the custom editor link and
// the fixed-cell and cell-control editors in editors/. Each grid owns one of
// each and reuses it for every cell; the grid places, fills and closes them.

#include "controls/EsgCombo.h"
#include "grid/ExObj.h"
#include "grid/editors/CellControls.h"
#include "grid/editors/EditLink.h"
#include "grid/editors/ExRichEdit.h"
#include "grid/editors/GridDropDownEditors.h"
#include "grid/editors/GridSpecialEditors.h"
#include "platform/InplaceEdit.h"
#include "platform/StdControls.h"

class TExStringGrid;

// The characters the text kinds take (edNumeric, edPositiveNumeric, edFloat,
// edPositiveFloat, the case kinds and edValidChars; the others take every
// one): Ch as typed into Text with the caret and selection given, possibly
// changed (case); false drops it, with a beep where the kind says so.
bool AcceptEditorChar(TExStringGrid* Grid, TEditorType Kind, QChar& Ch, const QString& Text, Integer SelStart,
                      const QString& SelText, bool Ctrl);
// Completes the text up to the edit's caret from the grid's lookup items
// (the completed part selected); true when an item matched.
bool CompleteFromLookup(TExStringGrid* Grid, TCustomEdit* Edit);

// The text editor of the text-like editor kinds: filters typed and pasted
// characters by the cell's kind, completes from the grid's lookup list,
// validates on the way out and walks to other cells with the cursor keys.
class TExInplaceEdit : public TInplaceEdit {
public:
    explicit TExInplaceEdit(TExStringGrid* AGrid);
    QString ClassName() const override { return QStringLiteral("TExInplaceEdit"); }
    TExStringGrid* Grid() const { return FGrid; }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    // Right-aligned text.
    bool VAlign() const { return FVAlign; }
    void SetVAlign(bool Value);
    SmallInt LengthLimit() const { return FLengthLimit; }
    void SetLengthLimit(SmallInt Value) { FLengthLimit = Value; }
    // Completes the text up to the caret from the grid's lookup items.
    void DoChange();

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void UpdateContents() override;
    void BoundsChanged() override;
    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void Change() override;

private:
    bool WantsLines() const;
    void WMKeyDown(TMessage& Message);
    void WMChar(TMessage& Message);
    void KillFocus(TMessage& Message);
    void SetFocusMessage(TMessage& Message);
    void Paste();
    // The character as the cell's kind takes it (possibly changed); false drops it.
    bool AcceptChar(QChar& Ch);
    // A refused value: the validation's text back, selected or caret at the end.
    void Refuse(const QString& OldText);
    bool WriteAndValidate();
    bool Validate();
    bool CaretOnFirstLine() const;
    bool CaretOnLastLine() const;

    Integer FSelKeyDown = 0;
    Integer FOldSelStart = 0;
    SmallInt FLengthLimit = 0;
    bool FVAlign = false;
    bool FWordWrap = false;
    bool GotKey = false;
    bool FGotFocus = false;
    bool Workmode = true;
    TExStringGrid* FGrid;
    Integer FColE = -1;
    Integer FRowE = -1;
    bool FAltBack = false;
    bool FEatReturn = false;
    bool FLoading = false;  // UpdateContents is loading the cell's text
};

// The combo box of edComboEdit (editable) and edComboList (list-only) cells:
// commits and validates on the keys that leave the cell, completes typed
// text from its items, and reports choices through OnComboChange.
class TGridCombo : public TEsgComboBox {
public:
    explicit TGridCombo(TExStringGrid* AGrid);
    QString ClassName() const override { return QStringLiteral("TGridCombo"); }
    TExStringGrid* Grid() const { return FGrid; }
    // Widens the list to its widest item.
    void SizeDropDownWidth();
    // Typed into the combo as the first key of an edit.
    void TypeChar(QChar Ch);
    // Completes the text up to the caret from the items, else from the
    // grid's lookup items.
    void DoChange();
    // A list cell whose text is no item opened on the first one: told as a change.
    void FirstItemForced();
    // Index of the item the last completion used.
    Integer LookupIndex() const { return ItemIdx; }
    bool LookupChanged() const { return ItemChange; }
    // Fired when Enter is typed.
    TNotifyEvent OnReturnKey;

protected:
    void WndProc(TMessage& Message) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void Change() override;
    void DoExit() override;
    void Dispatch(TMessage& Message) override;

private:
    void ReportChange();
    // Fires OnComboChange and OnComboObjectChange for the selected item.
    void ReportItem(Integer ACol);
    Integer CaretPos();
    bool Forced = false;
    bool WorkMode = true;
    Integer ItemIdx = -1;
    bool ItemChange = false;
    TExStringGrid* FGrid;
};

// The check box of edCheckBox cells: a press or Space toggles it; Enter,
// Escape and the navigation keys end the edit (the cell keeps its text).
class TGridCheckBox : public TCheckBox {
public:
    explicit TGridCheckBox(TExStringGrid* AGrid);
    QString ClassName() const override { return QStringLiteral("TGridCheckBox"); }
    TExStringGrid* Grid() const { return FGrid; }
    void ReCreate() { RecreateWnd(); }
    void Toggle();

protected:
    void Dispatch(TMessage& Message) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void DoExit() override;

private:
    TExStringGrid* FGrid;
};
