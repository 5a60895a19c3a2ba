#pragma once
// TEditLink: an application's own control as the editor of edCustom cells.
// A descendant makes its control, moves the value between it and the cell
// and wires the control's key-down event to EditKeyDown (and, in place, its
// exit event to EditExit); the link does the grid's side: placing the
// control in the cell or on a borderless popup form, letting it keep Tab
// and the arrows, leaving the cell with the navigation keys, reopening on a
// refused value, and writing the value back.

#include "platform/Component.h"
#include "platform/Control.h"

class TExStringGrid;
class TFont;
class TForm;

enum TEditStyle { esInplace, esPopup };

class TEditLink : public TComponent {
public:
    explicit TEditLink(TComponent* AOwner);
    ~TEditLink() override;
    QString ClassName() const override { return QStringLiteral("TEditLink"); }

    // The control's key-down handler: a key that leaves the cell ends the edit.
    virtual void EditKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    virtual TWinControl* GetEditControl() { return nullptr; }
    virtual void CreateEditor(TWinControl* AParent) {}
    virtual void DestroyEditor() {}
    // Shows and enables the control and focuses it (True) or the grid (False).
    virtual void SetFocus(bool Value);
    virtual void SetRect(TRect R);
    virtual void SetVisible(bool Value);
    virtual void SetProperties() {}
    virtual void SetCellProps(TColor AColor, TFont* AFont) {}
    virtual QString GetEditorValue() { return {}; }
    virtual void SetEditorValue(const QString& S) {}

    // The control's exit: the value into the cell and the edit closed.
    void EditExit(TObject* Sender);
    // The popup form lost the focus.
    void FormExit(TObject* Sender);
    TWinControl* GetParent() const;
    QString GetCellValue() const;
    void SetCellValue(const QString& S);
    void HideEditor();
    // The control gets its own window procedure back.
    void RestoreWinProc();

    TExStringGrid* Grid() const { return FOwner; }
    void SetGrid(TExStringGrid* Value) { FOwner = Value; }
    TPoint EditCell() const { return FEditCell; }
    void SetEditCell(TPoint Value) { FEditCell = Value; }
    TForm* PopupForm() const { return FPopupForm; }
    void SetPopupForm(TForm* Value) { FPopupForm = Value; }
    bool Subclassed() const { return FSubClassed; }
    bool ForcedExit() const { return FForcedExit; }

    bool AutoPopupWidth() const { return FAutoPopupWidth; }
    void SetAutoPopupWidth(bool Value) { FAutoPopupWidth = Value; }
    TEditStyle EditStyle() const { return FEditStyle; }
    void SetEditStyle(TEditStyle Value) { FEditStyle = Value; }
    Integer PopupLeft() const { return FPopupLeft; }
    void SetPopupLeft(Integer Value) { FPopupLeft = Value; }
    Integer PopupTop() const { return FPopupTop; }
    void SetPopupTop(Integer Value) { FPopupTop = Value; }
    Integer PopupWidth() const { return FPopupWidth; }
    void SetPopupWidth(Integer Value) { FPopupWidth = Value; }
    Integer PopupHeight() const { return FPopupHeight; }
    void SetPopupHeight(Integer Value) { FPopupHeight = Value; }
    bool WantKeyLeftRight() const { return FWantKeyLeftRight; }
    void SetWantKeyLeftRight(bool Value) { FWantKeyLeftRight = Value; }
    bool WantKeyUpDown() const { return FWantKeyUpDown; }
    void SetWantKeyUpDown(bool Value) { FWantKeyUpDown = Value; }
    bool WantKeyHomeEnd() const { return FWantKeyHomeEnd; }
    void SetWantKeyHomeEnd(bool Value) { FWantKeyHomeEnd = Value; }
    bool WantKeyPriorNext() const { return FWantKeyPriorNext; }
    void SetWantKeyPriorNext(bool Value) { FWantKeyPriorNext = Value; }
    bool WantKeyReturn() const { return FWantKeyReturn; }
    void SetWantKeyReturn(bool Value) { FWantKeyReturn = Value; }
    bool WantKeyEscape() const { return FWantKeyEscape; }
    void SetWantKeyEscape(bool Value) { FWantKeyEscape = Value; }
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool Value) { FWantReturns = Value; }
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool Value) { FWantTabs = Value; }
    Integer Tag() const { return FTag; }
    void SetTag(Integer Value) { FTag = Value; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    // The grid's procedure in the control's place while it edits in place.
    void GridWinProc(TMessage& Message);
    // The grid takes the focus with FForcedExit set for that moment.
    void FocusGrid();

    TExStringGrid* FOwner = nullptr;
    bool FWantKeyLeftRight = false;
    bool FWantKeyUpDown = false;
    bool FWantKeyHomeEnd = false;
    bool FWantKeyPriorNext = false;
    bool FWantKeyReturn = false;
    bool FWantKeyEscape = false;
    TEditStyle FEditStyle = esInplace;
    TForm* FPopupForm = nullptr;
    Integer FPopupWidth = 0;
    Integer FPopupHeight = 0;
    bool FForcedExit = false;
    TPoint FEditCell;
    Integer FTag = 0;
    bool FAutoPopupWidth = false;
    Integer FPopupLeft = -1;
    Integer FPopupTop = -1;
    bool FSubClassed = false;
    bool FWantReturns = false;
    bool FWantTabs = false;
    // The control whose procedure the grid's replaced, and that procedure.
    TWinControl* FSubclassedControl = nullptr;
    std::function<void(TMessage&)> FSavedProc;
};
