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

// The text editor of the text-like editor kinds.
class TExInplaceEdit : public TInplaceEdit {
public:
    explicit TExInplaceEdit(TExStringGrid* AGrid);
    QString ClassName() const override { return QStringLiteral("TExInplaceEdit"); }
    TExStringGrid* Grid() const { return FGrid; }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value) { FWordWrap = Value; }
    bool VAlign() const { return FVAlign; }
    void SetVAlign(bool Value) { FVAlign = Value; }

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;

private:
    TExStringGrid* FGrid;
    bool FWordWrap = false;
    bool FVAlign = false;
};

// The combo box of edComboEdit (editable) and edComboList (list-only) cells.
class TGridCombo : public TEsgComboBox {
public:
    explicit TGridCombo(TExStringGrid* AGrid);
    QString ClassName() const override { return QStringLiteral("TGridCombo"); }
    TExStringGrid* Grid() const { return FGrid; }
    // Widens the list to its widest item.
    void SizeDropDownWidth();
    // Typed into the combo as the first key of an edit.
    void TypeChar(QChar Ch);

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void DoExit() override;
    void Dispatch(TMessage& Message) override;

private:
    void ReportChange();
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
