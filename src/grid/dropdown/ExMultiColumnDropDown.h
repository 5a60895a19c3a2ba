#pragma once
// TExMultiColumnDropDown: a dropdown edit whose popup lists items in
// several columns under a column header, drawn by its own list grid
// (TExColGrid, a plain string grid). The edit shows the lookup column of the
// chosen item; typing in the edit completes from the lookup column, typing
// in the list searches it.
//
// The column and item collections and the list grid live in this unit's
// namespace: the grid dropdown has twins of the same names of its own.

#include <functional>
#include <memory>

#include "grid/dropdown/ExListGrid.h"
#include "grid/dropdown/ExLookupDropDown.h"
#include "platform/DrawGrid.h"
#include "platform/Lists.h"

class TStringList;

namespace ExMultiColumnDropDown {

enum TColumnType { ctText, ctImage };

class TDropDownColumn : public TCollectionItem {
public:
    explicit TDropDownColumn(TCollection* Collection);
    ~TDropDownColumn() override;
    QString ClassName() const override { return QStringLiteral("TDropDownColumn"); }
    void Assign(const TPersistent* Source) override;

    Integer Width() const { return FWidth; }
    void SetWidth(Integer Value) { FWidth = Value; }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value) { FAlignment = Value; }
    bool Ellipsis() const { return FEllipsis; }
    void SetEllipsis(bool Value) { FEllipsis = Value; }
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* Value);
    TColumnType ColumnType() const { return FColumnType; }
    void SetColumnType(TColumnType Value) { FColumnType = Value; }
    const QString& Header() const { return FHeader; }
    void SetHeader(const QString& Value) { FHeader = Value; }
    bool Wordwrap() const { return FWordwrap; }
    void SetWordwrap(bool Value) { FWordwrap = Value; }
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value) { FAutoSize = Value; }

private:
    Integer FWidth = 80;
    TColor FColor = 0xFFFFFF;
    TAlignment FAlignment = taLeftJustify;
    bool FEllipsis = false;
    std::unique_ptr<TFont> FFont;
    TColumnType FColumnType = ctText;
    QString FHeader;
    bool FWordwrap = false;
    bool FAutoSize = false;
};

class TDropDownColumns : public TCollection {
public:
    explicit TDropDownColumns(TPersistent* AOwner);
    QString ClassName() const override { return QStringLiteral("TDropDownColumns"); }
    TPersistent* GetOwner() const override { return FOwner; }
    TDropDownColumn* Add() { return static_cast<TDropDownColumn*>(TCollection::Add()); }
    TDropDownColumn* Insert(Integer Index) { return static_cast<TDropDownColumn*>(TCollection::Insert(Index)); }
    TDropDownColumn* Items(Integer Index) const { return ItemsAs<TDropDownColumn>(Index); }
    void SetItem(Integer Index, const TDropDownColumn* Value) { SetItems(Index, Value); }
    TNotifyEvent OnChange;

private:
    TPersistent* FOwner;
};

// One item: line n of Text is its text in column n.
class TDropDownItem : public TCollectionItem {
public:
    explicit TDropDownItem(TCollection* Collection);
    ~TDropDownItem() override;
    QString ClassName() const override { return QStringLiteral("TDropDownItem"); }
    void Assign(const TPersistent* Source) override;

    Integer ImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer Value) { FImageIndex = Value; }
    TStringList* Text() const { return FText.get(); }
    void SetText(const TStrings* Value);
    // The item's text in a column; empty for a column it has no line for.
    QString Line(Integer Column) const;
    bool HasLine(Integer Column) const;

private:
    Integer FImageIndex = -1;
    std::unique_ptr<TStringList> FText;
};

class TDropDownItems : public TCollection {
public:
    explicit TDropDownItems(TPersistent* AOwner);
    QString ClassName() const override { return QStringLiteral("TDropDownItems"); }
    TPersistent* GetOwner() const override { return FOwner; }
    TDropDownItem* Add() { return static_cast<TDropDownItem*>(TCollection::Add()); }
    TDropDownItem* Insert(Integer Index) { return static_cast<TDropDownItem*>(TCollection::Insert(Index)); }
    TDropDownItem* Items(Integer Index) const { return ItemsAs<TDropDownItem>(Index); }
    void SetItem(Integer Index, const TDropDownItem* Value) { SetItems(Index, Value); }
    // The first item whose line Column equals Value exactly; -1 when none.
    Integer IndexInColumn(Integer Column, const QString& Value) const;
    TNotifyEvent OnChange;

private:
    TPersistent* FOwner;
};

using TGetCellTextEvent = std::function<void(TObject* Sender, Integer Column, Integer Row, QString& Text)>;
using TDrawCellEvent = std::function<void(TObject* Sender, Integer Column, Integer Row, TCanvas* ACanvas, TRect ARect)>;
using TGetCellPropEvent =
    std::function<void(TObject* Sender, Integer Column, Integer Row, TFont* AFont, TColor& AColor, TColor& AColorTo)>;

class TExMultiColumnDropDown;

// Measuring a popup list from its items (the grid dropdown's list too);
// nothing unless Grid sits in a popup. Columns holds TDropDownColumn
// objects, Items TDropDownItem objects. The AutoSize columns take their
// widest text, written to the grid, to Columns and to OwnerColumns.
void AutoSizeItemColumns(TStringGrid* Grid, TCollection* Columns, TCollection* OwnerColumns, const TCollection* Items,
                         TCustomImageList* Images);
// With word-wrapping columns every item row grows to fit its texts.
void UpdateWordWrapHeights(TStringGrid* Grid, const TCollection* Columns, const TCollection* Items,
                           TCustomImageList* Images);

// The popup's list: a header row and one row per item, drawn in the
// dropdown's column settings and selection colours.
class TExColGrid : public TExListGrid<TStringGrid> {
public:
    explicit TExColGrid(TComponent* AOwner);
    ~TExColGrid() override;
    QString ClassName() const override { return QStringLiteral("TExColGrid"); }

    TExMultiColumnDropDown* ExDropDown() const { return FExDropDown; }
    void SetExDropDown(TExMultiColumnDropDown* Value) { FExDropDown = Value; }
    // Loads columns, rows, colours and sizes from the dropdown.
    void ApplyDropDown();
    // Sums of the column widths, the borders and a scroll bar when needed.
    Integer GetFullWidth() const { return ListFullWidth(this); }
    // The cell's rectangle from its top-left corner, with its full size.
    TRect GetCellArea(Integer ACol, Integer ARow) const;

    TDropDownColumns* Columns() const { return FColumns.get(); }
    // The width of the lines this grid draws itself.
    Integer LineWidth() const { return FGridLineWidth; }

    TGetCellTextEvent OnGetCellText;
    TDrawCellEvent OnDrawCell;
    TGetCellPropEvent OnGetCellProp;

protected:
    void DrawCell(Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void Dispatch(TMessage& Message) override;

private:
    TExMultiColumnDropDown* FExDropDown = nullptr;
    std::unique_ptr<TDropDownColumns> FColumns;
    Integer FGridLineWidth = 1;
};

class TExMultiColumnDropDown : public TExLookupDropDown {
    friend class TExColGrid;
public:
    explicit TExMultiColumnDropDown(TComponent* AOwner);
    ~TExMultiColumnDropDown() override;
    QString ClassName() const override { return QStringLiteral("TExMultiColumnDropDown"); }

    TDropDownColumns* Columns() const { return FColumns.get(); }
    void SetColumns(const TDropDownColumns* Value) { FColumns->Assign(Value); }
    TDropDownItems* Items() const { return FItems.get(); }
    void SetItems(const TDropDownItems* Value) { FItems->Assign(Value); }
    TExColGrid* ListGridEx() const { return FGrid; }

    // The first item whose lookup column equals Value exactly; -1 when none.
    Integer GetItemIndex(const QString& Value) const;
    // A value at or above the item count is ignored; any other is kept and
    // the text becomes that item's lookup text (empty for a negative one).
    void SetItemIndex(Integer Value) override;
    // Copies the settings of another multi-column dropdown as well.
    void Assign(const TPersistent* Source) override;

    TGetCellTextEvent OnDropDownGetItemText;
    TDrawCellEvent OnDropDownDrawItem;
    TGetCellPropEvent OnDropDownGetItemProp;

protected:
    Integer LookupItemCount() const override;
    QString LookupLine(Integer Index) const override;
    TStringGrid* ListGrid() const override;

    void CreateDropDownForm() override;
    void DoBeforeDropDown() override;
    void DoShowDropDown() override;
    void AttachDropDownControl() override;
    void DoHideDropDown(bool Cancel) override;
    void ControlKeyPress(QChar& Key) override;
    void Dispatch(TMessage& Message) override;

private:
    void GridSelectCell(Integer ACol, Integer ARow, bool& CanSelect);
    void GridSelect();
    // The popup search: the list moves to the first item that starts with
    // the characters typed so far; -1 when none.
    Integer IncrementalLookup(QChar C);
    bool LookupText(const QString& Value, QString& Full, Integer& Index) const;

    std::unique_ptr<TDropDownItems> FItems;
    std::unique_ptr<TDropDownColumns> FColumns;
    TExColGrid* FGrid = nullptr;  // owned through the component owner list
    // From the popup's preparation until it shows.
    bool FShowing = false;
    // The popup search moves the list's row.
    bool FSearching = false;
};

} // namespace ExMultiColumnDropDown

using ExMultiColumnDropDown::TExMultiColumnDropDown;
