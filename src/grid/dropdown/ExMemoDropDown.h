#pragma once
// TExMemoDropDown: a multi-line text edit whose popup holds a memo. The
// lines live in MemoText; the memo edits a copy while the popup is open,
// which becomes the new MemoText on a normal close and is dropped on a
// cancelled one. A non-editable edit shows the first line, shortened to fit
// and followed by "..." when more lines follow.

#include <memory>

#include "grid/dropdown/ExDropDown.h"

class TMemo;
class TPopupMenu;
class TStringList;

class TExMemoDropDown : public TExCustomDropDown {
public:
    explicit TExMemoDropDown(TComponent* AOwner);
    ~TExMemoDropDown() override;
    QString ClassName() const override { return QStringLiteral("TExMemoDropDown"); }

    bool AutoDrop() const { return FAutoDrop; }
    void SetAutoDrop(bool Value) { FAutoDrop = Value; }
    TStringList* MemoText() const { return FMemoText.get(); }
    void SetMemoText(const TStrings* Value);
    TPopupMenu* MemoPopup() const { return FMemoPopup; }
    void SetMemoPopup(TPopupMenu* Value) { FMemoPopup = Value; }
    TScrollStyle MemoScrollBars() const { return FMemoScrollBars; }
    void SetMemoScrollBars(TScrollStyle Value) { FMemoScrollBars = Value; }
    bool MemoReadOnly() const { return FMemoReadOnly; }
    void SetMemoReadOnly(bool Value);
    TMemo* Memo() const { return FMemo; }

    TNotifyEvent OnMemoChange;

    // The edit's text changed: MemoText follows it.
    void Change() override;

protected:
    void CreateDropDownForm() override;
    void DoBeforeDropDown() override;
    void DoHideDropDown(bool Cancel) override;
    void DropDownFormHide() override;
    void DoEnter() override;
    void ControlKeyDown(Word& Key, TShiftState Shift) override;
    void ControlKeyUp(Word& Key, TShiftState Shift) override;
    void ControlKeyPress(QChar& Key) override;

private:
    void MemoChange();
    // Esc and Alt+Up/Down in the memo close the popup cancelling; true
    // when the key did so.
    bool MemoKeyDown(Word Key, TShiftState Shift);
    // Writes the edit text from MemoText.
    void MemoTextChange();

    TPopupMenu* FMemoPopup = nullptr;
    std::unique_ptr<TStringList> FMemoText;
    TMemo* FMemo = nullptr;  // owned through the component owner list
    TScrollStyle FMemoScrollBars = ssNone;
    bool FMemoReadOnly = false;
    bool FInternalUpdate = false;
    bool FAutoDrop = false;
};
