#pragma once
// The small edit controls the string grid uses outside its in-place
// editing: the edit box and combo box of fixed (header) cells, which write
// straight into the cell once OnCellValidate agrees; the search panel's
// edit that reports Enter and Ctrl+Enter; and the edit and combo laid over
// an EDIT, PASSWORD, MASK or COMBO control of a mini-HTML cell, which end on
// Enter and move to the cell's next control on Tab.

#include "controls/EsgCombo.h"
#include "platform/MaskEdit.h"
#include "platform/StdControls.h"

class TExStringGrid;

// An editor of a fixed cell over the control TBase: Enter types nothing,
// leaving it ends the edit.
template <class TBase> class TFixedCellControl : public TBase {
public:
    explicit TFixedCellControl(TExStringGrid* AGrid);
    // The edited cell (real column).
    Integer Col() const { return FCol; }
    void SetCol(Integer Value) { FCol = Value; }
    Integer Row() const { return FRow; }
    void SetRow(Integer Value) { FRow = Value; }
    // Ends the edit: false when the validation refused the text (the edit stays).
    bool StopEdit();

protected:
    void DoExit() override;
    void KeyPress(QChar& Key) override;

private:
    Integer FRow = 0;
    Integer FCol = 0;
    TExStringGrid* FGrid;
};

// The edit box of a fixed cell.
class TGridTransEdit : public TFixedCellControl<TCustomEdit> {
public:
    using TFixedCellControl::TFixedCellControl;
    QString ClassName() const override { return QStringLiteral("TGridTransEdit"); }
};

// The combo box of a fixed cell.
class TGridTransCombo : public TFixedCellControl<TCustomComboBox> {
public:
    using TFixedCellControl::TFixedCellControl;
    QString ClassName() const override { return QStringLiteral("TGridTransCombo"); }
};

// The search panel's edit: Enter fires OnReturn, Ctrl+Enter OnCtrlReturn,
// and neither types a line.
class TRetEdit : public TEdit {
public:
    explicit TRetEdit(TComponent* AOwner) : TEdit(AOwner) {}
    QString ClassName() const override { return QStringLiteral("TRetEdit"); }
    TNotifyEvent OnReturn;
    TNotifyEvent OnCtrlReturn;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Dispatch(TMessage& Message) override;
};

// The edit over an EDIT, PASSWORD or MASK control of a cell.
class TControlEdit : public TMaskEdit {
public:
    explicit TControlEdit(TComponent* AOwner) : TMaskEdit(AOwner) {}
    QString ClassName() const override { return QStringLiteral("TControlEdit"); }

protected:
    void Dispatch(TMessage& Message) override;
    void KeyPress(QChar& Key) override;
};

// The combo box over a COMBO control of a cell.
class TControlCombo : public TEsgComboBox {
public:
    explicit TControlCombo(TComponent* AOwner) : TEsgComboBox(AOwner) {}
    QString ClassName() const override { return QStringLiteral("TControlCombo"); }

protected:
    void Dispatch(TMessage& Message) override;
    void KeyPress(QChar& Key) override;
};

// Enter or Tab typed in a cell control: the control's exit ends its edit,
// and Tab goes on to the next cell or the cell's next control.
void CellControlKey(TWinControl* Control, QChar& Key);
