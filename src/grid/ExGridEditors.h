#pragma once
// The string grid's cell editors that exist so far: the text editor laid
// over a cell (the platform grid's in-place edit), the combo box of list
// cells, the check box of check-box cells, and the link through which an
// application supplies an editor of its own. Each grid owns one of each and
// reuses it for every cell; the grid places, fills and closes them.

#include "controls/EsgCombo.h"
#include "platform/InplaceEdit.h"
#include "platform/StdControls.h"

class TExStringGrid;

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

// The check box of edCheckBox cells.
class TGridCheckBox : public TCheckBox {
public:
    explicit TGridCheckBox(TExStringGrid* AGrid);
    QString ClassName() const override { return QStringLiteral("TGridCheckBox"); }
    TExStringGrid* Grid() const { return FGrid; }
    void ReCreate() { RecreateWnd(); }

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void DoExit() override;

private:
    TExStringGrid* FGrid;
};

enum TEditStyle { esInplace, esPopup };

// An application's own editor for edCustom cells: the grid asks the link
// to make, place, fill, show and read its editor.
class TEditLink : public TComponent {
public:
    explicit TEditLink(TComponent* AOwner) : TComponent(AOwner) {}
    QString ClassName() const override { return QStringLiteral("TEditLink"); }

    virtual void CreateEditor(TWinControl* AParent) {}
    virtual void SetRect(TRect R) {}
    virtual void SetVisible(bool Value) {}
    virtual void SetCellProps(TColor AColor, TFont* AFont) {}
    virtual void SetProperties() {}
    virtual void SetEditorValue(const QString& S) {}
    virtual QString GetEditorValue() { return {}; }
    virtual void SetFocus(bool Value) {}
    virtual TWinControl* GetEditControl() { return nullptr; }
    virtual void RestoreWinProc() {}

    TExStringGrid* Grid = nullptr;
    TPoint EditCell;
    TEditStyle EditStyle = esInplace;
};
