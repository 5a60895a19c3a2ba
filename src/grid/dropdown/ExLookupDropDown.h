#pragma once
// What the multi-column dropdown and the grid dropdown share: items shown in
// columns under a header in the popup's list grid; the edit showing the
// lookup column of the chosen item; typing completed from the lookup column
// (auto-completion); keys and the wheel stepping through the items; the
// popup cut to whole rows and its columns scaled to its width; and the
// header, line and selection colours of the component styles.

#include <memory>

#include "grid/dropdown/ExDropDown.h"

class TStringGrid;
class TStringList;

// Every column's width, the grid's borders and a scroll bar's width when
// not every row is in view.
Integer ListFullWidth(const TStringGrid* Grid);

class TExLookupDropDown : public TExCustomDropDown {
public:
    explicit TExLookupDropDown(TComponent* AOwner);
    ~TExLookupDropDown() override;

    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool Value) { FCaseSensitive = Value; }
    bool DropDownAutoWidth() const { return FDropDownAutoWidth; }
    void SetDropDownAutoWidth(bool Value) { FDropDownAutoWidth = Value; }
    // At least 1.
    Integer DropDownRowHeight() const { return FDropDownRowHeight; }
    void SetDropDownRowHeight(Integer Value) { FDropDownRowHeight = std::max<Integer>(Value, 1); }
    TColor LineColor() const { return FLineColor; }
    void SetLineColor(TColor Value) { FLineColor = Value; }
    TColor FixedLineColor() const { return FFixedLineColor; }
    void SetFixedLineColor(TColor Value) { FFixedLineColor = Value; }
    bool ColumnSizing() const { return FColumnSizing; }
    void SetColumnSizing(bool Value) { FColumnSizing = Value; }
    bool ColumnSizeWithDropDown() const { return FColumnSizeWithDropDown; }
    void SetColumnSizeWithDropDown(bool Value) { FColumnSizeWithDropDown = Value; }
    TColor HeaderColor() const { return FHeaderColor; }
    void SetHeaderColor(TColor Value) { FHeaderColor = Value; }
    TColor HeaderColorTo() const { return FHeaderColorTo; }
    void SetHeaderColorTo(TColor Value) { FHeaderColorTo = Value; }
    Integer HeaderHeight() const { return FHeaderHeight; }
    void SetHeaderHeight(Integer Value) { FHeaderHeight = Value; }
    TFont* HeaderFont() const { return FHeaderFont.get(); }
    void SetHeaderFont(const TFont* Value);
    Integer LookupColumn() const { return FLookupColumn; }
    void SetLookupColumn(Integer Value) { FLookupColumn = Value; }
    TColor SelectionTextColor() const { return FSelectionTextColor; }
    void SetSelectionTextColor(TColor Value) { FSelectionTextColor = Value; }
    bool MatchCase() const { return FMatchCase; }
    void SetMatchCase(bool Value) { FMatchCase = Value; }
    bool MatchStart() const { return FMatchStart; }
    void SetMatchStart(bool Value) { FMatchStart = Value; }
    const QString& LookupEntry() const { return FLookupEntry; }
    // One entry per item: its lookup-column text (rebuilt by EndUpdate).
    TStringList* LookupItems() const { return FLookupItems.get(); }

    Integer ItemIndex() const { return FItemIndex; }
    virtual void SetItemIndex(Integer Value) = 0;
    // The number of items.
    Integer RowCount() const { return LookupItemCount(); }
    void BeginUpdate() {}
    void EndUpdate() { UpdateLookupItems(); }

    TNotifyEvent OnSelect;

    // Auto-completion of the text before the caret from the lookup column.
    void Change() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void SetSelectionColorStyle(TSelectionColorStyle Value) override;
    void SetComponentStyle(TKavroStyle AStyle) override;

protected:
    // The items: how many there are and the text of an item's lookup
    // column (empty when the item has no such line).
    virtual Integer LookupItemCount() const = 0;
    virtual QString LookupLine(Integer Index) const = 0;
    // The rows the keys step through.
    virtual Integer GetItemCount() const { return LookupItemCount(); }
    // The popup's list grid.
    virtual TStringGrid* ListGrid() const = 0;
    // What the popup height adds below its last whole row.
    virtual Integer HeightMargin() const { return 2; }

    void Loaded() override;
    void AdjustDropDownHeight(Integer& Height) override;
    void UpdateDropDownSize() override;
    void DropDownFormSizing() override;
    void HandleMouseWheelDown() override;
    void HandleMouseWheelUp() override;
    void DropDownFormMouseWheelDown(TShiftState Shift, TPoint MousePos, bool& Handled) override;
    void DropDownFormMouseWheelUp(TShiftState Shift, TPoint MousePos, bool& Handled) override;
    void ControlKeyDown(Word& Key, TShiftState Shift) override;
    void ControlKeyUp(Word& Key, TShiftState Shift) override;

    void UpdateLookupItems();
    // Backspace in the popup search: the last typed character, or the
    // selected text, goes; the caret moves to the end.
    void LookupBackspace();
    // After a completing key: the text takes the item's own letter case and
    // the completed tail is selected again.
    void FinishCompletion();
    // The first item whose lookup text starts with Value (both upper-cased
    // unless CaseSensitive): its text and index.
    bool LookupInItems(const QString& Value, QString& Full, Integer& Index) const;
    // The lookup list's entry equal to the text (letter case ignored), or -1.
    Integer LookupIndexOfText() const;
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void SelectNextPage();
    void SelectPreviousPage();
    // The columns scaled to the popup's width (with ColumnSizeWithDropDown).
    void SizeColumnsToDropDown();
    // The key stays with the list grid (it pages or steps the list): Page
    // Up, Page Down, Up and Down without Alt.
    virtual bool KeptInList(Word Key, TShiftState Shift) const;
    // Whether the 2010 styles recolour the header and the selection.
    virtual bool StylesOffice2010() const { return true; }

    QString FLookupEntry;
    bool FWorkMode = true;
    bool FItemChange = false;
    Integer FItemIdx = -1;
    Integer FItemSel = 0;
    Integer FItemIndex = -1;
    Integer FOldItemIndex = -1;
    // The text when the popup opened.
    QString FOpenText;

private:
    bool FCaseSensitive = false;
    bool FDropDownAutoWidth = true;
    Integer FDropDownRowHeight = 22;
    TColor FLineColor = 0xC0C0C0;
    TColor FFixedLineColor = 0;
    bool FColumnSizing = false;
    bool FColumnSizeWithDropDown = true;
    TColor FHeaderColor = 0xFFFFFF;
    TColor FHeaderColorTo = 0x808080;
    Integer FHeaderHeight = 25;
    std::unique_ptr<TFont> FHeaderFont;
    Integer FLookupColumn = 0;
    TColor FSelectionTextColor = 0;
    bool FMatchCase = false;
    bool FMatchStart = true;
    std::unique_ptr<TStringList> FLookupItems;
    bool FCompleting = false;
};
