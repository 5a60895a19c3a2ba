#pragma once
// TCustomExGridDropDown: a dropdown edit whose popup holds a full string
// grid. With UseItems (the default) the list is filled from Columns and
// Items, as in the multi-column dropdown; without it the caller fills the
// inner grid (GetGrid) and the dropdown only reads it. The edit shows the
// lookup column of the chosen row; typing completes the text and searches
// the list, by moving to the first match (lmLookup) or by filtering the
// grid down to the matching rows (lmNarrowDown). The inner grid's events
// are passed on as the dropdown's OnGrid... events.
//
// The column and item collections and the list grid are this unit's own
// types (twins of the multi-column dropdown's).

#include "grid/ExGrid.h"
#include "grid/ExObj.h"
#include "grid/dropdown/ExListGrid.h"
#include "grid/dropdown/ExLookupDropDown.h"
#include "grid/dropdown/ExMultiColumnDropDown.h"

namespace ExGridDropDown {

using ExMultiColumnDropDown::ctImage;
using ExMultiColumnDropDown::ctText;
using ExMultiColumnDropDown::TColumnType;

enum TLookupMethod { lmLookup, lmNarrowDown, lmNone };
enum TDropDownStyle { dsDropDown, dsDropDownList };
enum TGridSorting { gsNone, gsSingleColumn, gsMultiColumn };

class TDropDownColumn : public ExMultiColumnDropDown::TDropDownColumn {
public:
    using ExMultiColumnDropDown::TDropDownColumn::TDropDownColumn;
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

class TDropDownItem : public ExMultiColumnDropDown::TDropDownItem {
public:
    using ExMultiColumnDropDown::TDropDownItem::TDropDownItem;
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
    TNotifyEvent OnChange;

protected:
    // The kind of item the collection makes.
    virtual TDropDownItem* GetItemClass(TCollection* Collection) const { return new TDropDownItem(Collection); }

private:
    TPersistent* FOwner;
};

class TCustomExGridDropDown;

// The popup's list: a string grid with a header row.
class TExColGrid : public TExListGrid<TExStringGrid> {
public:
    explicit TExColGrid(TComponent* AOwner);
    ~TExColGrid() override;
    QString ClassName() const override { return QStringLiteral("TExColGrid"); }

    TCustomExGridDropDown* ExDropDown() const { return FExDropDown; }
    void SetExDropDown(TCustomExGridDropDown* Value) { FExDropDown = Value; }
    // Takes columns, sizes, colours and options from the dropdown.
    void ApplyDropDown();
    // Writes the header and the items into the cells; cell (0, row) keeps
    // the item's index.
    void LoadItems();

    TDropDownColumns* Columns() const { return FColumns.get(); }
    // Kept for the list's own lines; the string grid draws none of its own.
    Integer LineWidth() const { return FLineWidth; }
    void SetLineWidth(Integer Value);

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void WndProc(TMessage& Message) override;

private:
    TCustomExGridDropDown* FExDropDown = nullptr;
    std::unique_ptr<TDropDownColumns> FColumns;
    Integer FLineWidth = 1;
};

class TCustomExGridDropDown : public TExLookupDropDown {
    friend class TExColGrid;
public:
    explicit TCustomExGridDropDown(TComponent* AOwner);
    ~TCustomExGridDropDown() override;
    QString ClassName() const override { return QStringLiteral("TCustomExGridDropDown"); }
    Integer GetVersionNr() const override;

    bool AutoShowDropDown() const { return FAutoShowDropDown; }
    void SetAutoShowDropDown(bool Value) { FAutoShowDropDown = Value; }
    bool AutoSizeColumns() const { return FAutoSizeColumns; }
    void SetAutoSizeColumns(bool Value) { FAutoSizeColumns = Value; }
    TBands* Bands() const { return FBands.get(); }
    void SetBands(const TBands* Value) { FBands->Assign(Value); }
    bool ColumnMoving() const { return FColumnMoving; }
    void SetColumnMoving(bool Value) { FColumnMoving = Value; }
    bool RowSizing() const { return FRowSizing; }
    void SetRowSizing(bool Value) { FRowSizing = Value; }
    bool RowMoving() const { return FRowMoving; }
    void SetRowMoving(bool Value) { FRowMoving = Value; }
    TDropDownColumns* Columns() const { return FColumns.get(); }
    void SetColumns(const TDropDownColumns* Value) { FColumns->Assign(Value); }
    bool GridEditable() const { return FGridEditable; }
    void SetGridEditable(bool Value) { FGridEditable = Value; }
    TCustomImageList* GridImages() const { return FGridImages; }
    void SetGridImages(TCustomImageList* Value);
    bool HoverRow() const { return FHoverRow; }
    void SetHoverRow(bool Value) { FHoverRow = Value; }
    TColor HoverRowColor() const { return FHoverRowColor; }
    void SetHoverRowColor(TColor Value) { FHoverRowColor = Value; }
    TColor HoverRowColorTo() const { return FHoverRowColorTo; }
    void SetHoverRowColorTo(TColor Value) { FHoverRowColorTo = Value; }
    TDropDownItems* Items() const { return FItems.get(); }
    void SetItems(const TDropDownItems* Value) { FItems->Assign(Value); }
    TLookupMethod LookupMethod() const { return FLookupMethod; }
    void SetLookupMethod(TLookupMethod Value) { FLookupMethod = Value; }
    TMouseActions* MouseActions() const { return FMouseActions.get(); }
    void SetMouseActions(const TMouseActions* Value) { FMouseActions->Assign(Value); }
    TNavigation* Navigation() const { return FNavigation.get(); }
    void SetNavigation(const TNavigation* Value) { FNavigation->Assign(Value); }
    bool RowSelect() const { return FRowSelect; }
    void SetRowSelect(bool Value) { FRowSelect = Value; }
    TSearchFooter* SearchFooter() const { return FSearchFooter.get(); }
    void SetSearchFooter(const TSearchFooter* Value) { FSearchFooter->Assign(Value); }
    TGridSorting Sorting() const { return FSorting; }
    void SetSorting(TGridSorting Value) { FSorting = Value; }
    TDropDownStyle Style() const { return FStyle; }
    // dsDropDownList: the text is not typed.
    void SetStyle(TDropDownStyle Value);
    bool UseItems() const { return FUseItems; }
    void SetUseItems(bool Value) { FUseItems = Value; }

    // The list grid (the string grid's wrapper reads it as its Grid).
    TExColGrid* GetGrid() const { return FGrid; }
    // The first item (UseItems) or grid row whose lookup text starts with Value.
    bool LookupText(const QString& Value, QString& Full, Integer& Row) const;
    // With UseItems as the multi-column dropdown; in grid mode a row index
    // (grid row less one): the text becomes that row's lookup cell.
    void SetItemIndex(Integer Value) override;
    // The item a list row shows; the row that shows an item.
    Integer ItemOfRow(Integer Row) const;
    Integer RowOfItem(Integer Index) const;
    // The list row last selected in the grid.
    Integer SelRow() const { return FSelRow; }

    void SetSelectionColorStyle(TSelectionColorStyle Value) override { TExLookupDropDown::SetSelectionColorStyle(Value); }
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;

    // The list grid's events, passed on (Sender: the list grid unless said).
    std::function<void(TObject* Sender, Integer ARow, Integer ACol, const QString& Anchor, bool& AutoHandle)>
        OnGridAnchorClick;
    std::function<void(TObject* Sender, Integer ARow, Integer ACol, const QString& Anchor)> OnGridAnchorEnter;
    std::function<void(TObject* Sender, Integer ARow, Integer ACol, const QString& Anchor)> OnGridAnchorExit;
    std::function<void(TObject* Sender, Integer ARow, Integer ACol, QString& Anchor)> OnGridAnchorHint;
    std::function<void(TObject* Sender, Integer ACol, bool& Allow)> OnGridColumnSize;
    std::function<void(TObject* Sender, Integer ACol, Integer ColumnSize)> OnGridColumnSizing;
    std::function<void(TObject* Sender, Integer ARow, bool& Allow)> OnGridRowSize;
    std::function<void(TObject* Sender, Integer ARow, Integer RowSize)> OnGridRowSizing;
    std::function<void(TObject* Sender, Integer ARow, bool& Allow)> OnGridRowMove;
    std::function<void(TObject* Sender, Integer ACol, bool& Allow)> OnGridColumnMove;
    TColRowEvent OnGridButtonClick;
    TIndexEvent OnGridEndColumnSize;
    TIndexEvent OnGridEndRowSize;
    TMovedEvent OnGridRowMoved;
    TMovedEvent OnGridColumnMoved;
    TCustomCellDrawEvent OnGridCustomCellDraw;
    TCustomCellDrawEvent OnGridCustomCellBkgDraw;
    TGetAlignmentEvent OnGridGetAlignment;
    TGetCellColorEvent OnGridGetCellColor;
    TGetCellGradientEvent OnGridGetCellGradient;
    TGetFloatFormatEvent OnGridGetFloatFormat;
    TGetEditorTypeEvent OnGridGetEditorType;
    TColRowEvent OnGridGetEditorProp;
    TRowColBoolEvent OnGridCanEditCell;
    TEllipsClickEvent OnGridEllipsClick;
    TGetDisplTextEvent OnGridGetDiplText;
    TGetFormatEvent OnGridGetFormat;
    TGridHintEvent OnGridHint;
    TMouseMoveEvent OnGridMouseMove;
    TMouseEvent OnGridMouseDown;
    TMouseEvent OnGridMouseUp;
    TKeyEvent OnGridKeyDown;      // Sender: the dropdown
    TKeyEvent OnGridKeyUp;        // Sender: the dropdown
    TKeyPressEvent OnGridKeyPress;  // Sender: the dropdown
    TClickCellEvent OnGridRightClickCell;
    TScrollHintEvent OnGridScrollHint;
    TNotifyEvent OnGridTopLeftChanged;  // Sender: the dropdown
    TIndexEvent OnGridAutoAddRow;
    TIndexEvent OnGridInsertRow;
    TIndexEvent OnGridInsertCol;
    TIndexEvent OnGridDeleteRow;
    TAllowEvent OnGridCanAddRow;
    TCanInsertRowEvent OnGridCanInsertRow;
    TCanInsertRowEvent OnGridCanDeleteRow;
    TCheckBoxClickEvent OnGridCheckBoxClick;
    // A header click is to sort the list (DoSort may refuse it), and has.
    std::function<void(TObject* Sender, Integer ACol, bool& DoSort)> OnGridCanSort;
    TIndexEvent OnGridClickSort;

protected:
    Integer LookupItemCount() const override;
    QString LookupLine(Integer Index) const override;
    Integer GetItemCount() const override;
    TStringGrid* ListGrid() const override;
    Integer HeightMargin() const override { return 6; }
    bool KeptInList(Word Key, TShiftState Shift) const override;
    bool StylesOffice2010() const override { return false; }

    virtual TDropDownItems* CreateItems(TPersistent* AOwner) const { return new TDropDownItems(AOwner); }
    void Loaded() override;
    void CreateDropDownForm() override;
    void AttachDropDownControl() override;
    void DoBeforeDropDown() override;
    void DoShowDropDown() override;
    void DoHideDropDown(bool Cancel) override;
    void ControlKeyDown(Word& Key, TShiftState Shift) override;
    void ControlKeyUp(Word& Key, TShiftState Shift) override;
    void ControlKeyPress(QChar& Key) override;
    void DoEnter() override;
    void Dispatch(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void BindGridEvents();
    bool IsDataRow(Integer Row) const;
    void GridSelectCell(Integer ARow);
    void GridSelect();
    // The search typed in the edit or the list: the row it leads to, -1 when none.
    Integer IncrementalLookup(QChar C);
    QString GridLookupCell(Integer Row) const;
    // The popup's activation is kept while a grid handler may show a dialog.
    template <class F>
    void Blocking(F&& Handler);

    bool FAutoShowDropDown = false;
    bool FAutoSizeColumns = true;
    std::unique_ptr<TBands> FBands;
    bool FColumnMoving = false;
    bool FRowSizing = false;
    bool FRowMoving = false;
    std::unique_ptr<TDropDownColumns> FColumns;
    bool FGridEditable = false;
    TCustomImageList* FGridImages = nullptr;
    bool FHoverRow = false;
    TColor FHoverRowColor = clInfoBk;
    TColor FHoverRowColorTo = clNone;
    std::unique_ptr<TDropDownItems> FItems;
    TLookupMethod FLookupMethod = lmLookup;
    std::unique_ptr<TMouseActions> FMouseActions;
    std::unique_ptr<TNavigation> FNavigation;
    bool FRowSelect = true;
    std::unique_ptr<TSearchFooter> FSearchFooter;
    TGridSorting FSorting = gsNone;
    TDropDownStyle FStyle = dsDropDown;
    bool FUseItems = true;
    TExColGrid* FGrid = nullptr;  // owned through the component owner list
    Integer FSelRow = 0;
    // The item chosen when a sort starts.
    Integer FTempItemIndex = -1;
    bool FBalloonInit = false;
    // The popup search moves the list's row.
    bool FSearching = false;
};

} // namespace ExGridDropDown

using ExGridDropDown::TCustomExGridDropDown;
