#pragma once
// TExColumnGrid: the string grid with per-column settings, the grid of every
// rule table. One TGridColumnItem per real column (hidden columns counted,
// item i describes real column i) carries the header, width, colours,
// fonts, alignment, editor kind, combo items, check texts, read-only and
// fixed flags; the grid answers its per-cell questions from the column
// first and keeps the items in step when columns are added, removed or
// moved. Sources:
//   ExColumnItem.cpp     the column item and its collection
//   ExColumnGrid.cpp     the grid: item count, headers, moves, widths, hooks
//   ExColumnGridIO.cpp   columns to and from a stream, column positions

#include <QString>
#include <functional>
#include <memory>

#include "grid/ExGrid.h"
#include "platform/Lists.h"

class TExColumnGrid;
class TFont;
class TPen;
class TPopupMenu;
class TStream;
class TStringList;

enum TColumnPopupType {
    cpFixedCellsRClick,
    cpFixedCellsLClick,
    cpNormalCellsRClick,
    cpNormalCellsLClick,
    cpAllCellsRClick,
    cpAllCellsLClick
};

// The settings of one real column.
class TGridColumnItem : public TCollectionItem {
public:
    explicit TGridColumnItem(TCollection* Collection);
    ~TGridColumnItem() override;
    QString ClassName() const override { return QStringLiteral("TGridColumnItem"); }

    // Every setting of another column item; any other source is ignored.
    // Stores straight into the fields: no notice, no repaint.
    void Assign(const TPersistent* Source) override;
    // The look and behaviour of another column item, with the grid's colour
    // and font; header, name, combo items and tag stay.
    void AssignVisuals(const TPersistent* Source);
    // "Column i", or "Col i: Name" once a name is set.
    QString GetDisplayName() const override;

    // The grid the item's collection belongs to (none for a spare item).
    TExColumnGrid* Grid() const;

    // ---- header and width (act on the grid)
    QString Header() const { return FColumnHeader; }
    void SetHeader(const QString& Value);
    // The grid's width of this real column (a hidden column's remembered one).
    Integer Width() const;
    void SetWidth(Integer Value);
    // The cached width the grid copies user and programmatic changes into.
    Integer CachedWidth() const { return FWidth; }

    // ---- look (store, then notify the collection or repaint the grid)
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TAlignment HeaderAlignment() const { return FHeaderAlignment; }
    void SetHeaderAlignment(TAlignment Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* Value);
    TFont* HeaderFont() const { return FHeaderFont.get(); }
    void SetHeaderFont(const TFont* Value);
    TCellBorders Borders() const { return FBorders; }
    void SetBorders(TCellBorders Value);
    TPen* BorderPen() const { return FBorderPen.get(); }
    void SetBorderPen(const TPen* Value);
    bool Fixed() const { return FFixed; }
    void SetFixed(bool Value);
    bool Password() const { return FPassword; }
    void SetPassword(bool Value);
    bool ShowBands() const { return FShowBands; }
    void SetShowBands(bool Value);
    QString FloatFormat() const { return FFloatFormat; }
    void SetFloatFormat(const QString& Value);

    // ---- editing
    TEditorType Editor() const { return FEditorType; }
    // Repaints the grid when the cells change between text and check box.
    void SetEditor(TEditorType Value);
    TStringList* ComboItems() const { return FComboItems.get(); }
    void SetComboItems(const TStrings* Value);
    TStringList* Filter() const { return FFilter.get(); }
    void SetFilter(const TStrings* Value);

    // ---- printing
    TFont* PrintFont() const { return FPrintFont.get(); }
    void SetPrintFont(const TFont* Value);
    TPen* PrintBorderPen() const { return FPrintBorderPen.get(); }
    void SetPrintBorderPen(const TPen* Value);

    // ---- typed cells of this column, by row
    QString Rows(Integer idx) const;
    void SetRows(Integer idx, const QString& Value);
    Integer Ints(Integer idx) const;
    void SetInts(Integer idx, Integer Value);
    double Floats(Integer idx) const;
    void SetFloats(Integer idx, double Value);
    TDateTime Dates(Integer idx) const;
    void SetDates(Integer idx, TDateTime Value);
    TDateTime Times(Integer idx) const;
    void SetTimes(Integer idx, TDateTime Value);

    // ---- settings that only take effect when the grid next asks
    Integer DefIdx() const { return FDefIdx; }
    void SetDefIdx(Integer Value) { FDefIdx = Value; }
    // Stores the header text without touching the grid.
    void StoreHeader(const QString& Value) { FColumnHeader = Value; }
    // Stores the width cache only.
    void StoreWidth(Integer Value) { FWidth = Value; }

#define COLITEM_FIELD(Type, Name, Field, Default)             \
public:                                                       \
    Type Name() const { return Field; }                       \
    void Set##Name(Type Value) { Field = std::move(Value); }  \
private:                                                      \
    Type Field = Default;
    COLITEM_FIELD(TSortStyle, SortStyle, FSortStyle, ssAutomatic)
    COLITEM_FIELD(QString, SortPrefix, FSortPrefix, QString())
    COLITEM_FIELD(QString, SortSuffix, FSortSuffix, QString())
    COLITEM_FIELD(QString, EditMask, FEditMask, QString())
    COLITEM_FIELD(Integer, EditLength, FEditLength, 0)
    COLITEM_FIELD(TEditLink*, EditLink, FEditLink, nullptr)
    COLITEM_FIELD(bool, ReadOnly, FReadOnly, false)
    COLITEM_FIELD(Integer, DropDownCount, FDropDownCount, 8)
    COLITEM_FIELD(Integer, SpinMin, FSpinMin, 0)
    COLITEM_FIELD(Integer, SpinMax, FSpinMax, 0)
    COLITEM_FIELD(Integer, SpinStep, FSpinStep, 1)
    COLITEM_FIELD(TColor, PrintColor, FPrintColor, clWhite)
    COLITEM_FIELD(TCellBorders, PrintBorders, FPrintBorders,
                  CellBorderBit(cbTop) | CellBorderBit(cbLeft) | CellBorderBit(cbRight) | CellBorderBit(cbBottom))
    COLITEM_FIELD(Integer, Tag, FTag, 0)
    COLITEM_FIELD(QString, Name, FName, QString())
    COLITEM_FIELD(QString, CheckFalse, FCheckFalse, QStringLiteral("N"))
    COLITEM_FIELD(QString, CheckTrue, FCheckTrue, QStringLiteral("Y"))
    COLITEM_FIELD(Integer, MaxSize, FMaxSize, 0)
    COLITEM_FIELD(Integer, MinSize, FMinSize, 0)
    COLITEM_FIELD(Integer, AutoMinSize, FAutoMinSize, 0)
    COLITEM_FIELD(Integer, AutoMaxSize, FAutoMaxSize, 0)
    COLITEM_FIELD(TColumnPopupType, ColumnPopupType, FColumnPopupType, cpFixedCellsRClick)
    COLITEM_FIELD(TPopupMenu*, ColumnPopup, FColumnPopup, nullptr)
    COLITEM_FIELD(bool, FilterCaseSensitive, FFilterCaseSensitive, false)
    COLITEM_FIELD(bool, PrintBorderCustom, FPrintBorderCustom, true)
    COLITEM_FIELD(bool, PrintFontCustom, FPrintFontCustom, true)
#undef COLITEM_FIELD

private:
    // The collection's update hook for this item.
    void NotifyChange();
    void RepaintGrid();
    // Copies what Assign and AssignVisuals share.
    void CopyCommon(const TGridColumnItem* S);

    Integer FWidth = 50;
    TAlignment FAlignment = taLeftJustify;
    QString FColumnHeader;
    std::unique_ptr<TFont> FFont;
    TColor FColor = 0;
    TEditorType FEditorType = edNormal;
    bool FFixed = false;
    std::unique_ptr<TStringList> FComboItems;
    bool FPassword = false;
    std::unique_ptr<TFont> FPrintFont;
    TCellBorders FBorders = 0;
    std::unique_ptr<TPen> FBorderPen;
    std::unique_ptr<TPen> FPrintBorderPen;
    Integer FDefIdx = 0;
    bool FShowBands = false;
    std::unique_ptr<TStringList> FFilter;
    QString FFloatFormat;
    TAlignment FHeaderAlignment = taLeftJustify;
    std::unique_ptr<TFont> FHeaderFont;
};

// The column items of a column grid, in real-column order.
class TGridColumnCollection : public TCollection {
public:
    explicit TGridColumnCollection(TExColumnGrid* AOwner);
    QString ClassName() const override { return QStringLiteral("TGridColumnCollection"); }

    // A new last item; from the second on it repeats the look and behaviour
    // of the item before it (AssignVisuals).
    TGridColumnItem* Add();
    // A new item at Index with the initial settings.
    TGridColumnItem* Insert(Integer Index);
    TGridColumnItem* Items(Integer Index) const { return ItemsAs<TGridColumnItem>(Index); }
    TGridColumnItem* GetItem(Integer Index) const { return Items(Index); }
    void SetItems(Integer Index, const TGridColumnItem* Value) { TCollection::SetItems(Index, Value); }
    TPersistent* GetOwner() const override;
    TExColumnGrid* Grid() const { return FOwner; }

    // Records the present order as the default one (DefIdx = index).
    void SetOrganization();
    // Moves the grid's columns until each stands at its DefIdx.
    void ResetOrganization();

    // While set, item changes do not reach the grid (structural changes).
    bool FNoRecursiveUpdate = false;

protected:
    void Update(TCollectionItem* Item) override;

private:
    friend class TGridColumnItem;
    TExColumnGrid* FOwner;
};

using TColumnPopupEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, TPopupMenu* PopupMenu)>;
using TAfterColumnMoved = std::function<void(TObject* Sender, Integer FromIndex, Integer ToIndex)>;
using TFloatFormatEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool& IsFloat, QString& FloatFormat)>;

class TExColumnGrid : public TExStringGrid {
public:
    explicit TExColumnGrid(TComponent* AOwner);
    ~TExColumnGrid() override;
    QString ClassName() const override { return QStringLiteral("TExColumnGrid"); }

    TGridColumnCollection* Columns() const { return FColumnCollection.get(); }
    TGridColumnCollection* GetColumns() const { return Columns(); }
    // Copies another collection's items into the grid's.
    void SetColumns(const TGridColumnCollection* Value);
    // Sets the count and keeps one item per real column.
    void SetColCount(Integer Value) override;
    TGridColumnItem* GetColumnByName(const QString& AValue) const;
    bool AutoFilterDisplay() const { return FAutoFilterDisplay; }
    void SetAutoFilterDisplay(bool Value) { FAutoFilterDisplay = Value; }
    bool ColMoving() const { return FColMoving; }
    // The spare item that keeps a grouped column's settings.
    TGridColumnItem* SaveCol() const { return FSaveCol.get(); }

    Cardinal GetVersionNr() const override { return 0x03010301; }
    QString GetVersionString() const;

    // Item count = ColCount + hidden columns: appends (repeating the last
    // column's settings) or frees trailing items.
    void SyncColumnCount();
    // Headers from the items (and empty ones from row 0) into ColumnHeaders.
    void SyncColumnHeaders();
    // The headers of a collection's items (the grid's own, or a carrier's
    // while a stream is read) into ColumnHeaders, whose change rewrites row 0.
    // Nothing is done when the list and row 0 hold them already: setting the
    // headers of a table one by one then writes each header cell once, and
    // an entry that differs alone is written alone.
    void PutColumnHeaders(const TCollection* Items);
    // Counts the calls of PutColumnHeaders: a header set sees whether the
    // change notice it sent brought the list up to date already.
    Integer HeaderPuts() const { return FHeaderPuts; }

    // ---- columns stream and column positions
    void SaveColumnsToStream(TStream* st);
    // Reads the stream's columns as the grid's; the reader's exceptions
    // reach the caller and leave the items as they were.
    void LoadColumnsFromStream(TStream* st);
    void SaveColumnPositions(const QString& Key, const QString& Section);
    void LoadColumnPositions(const QString& Key, const QString& Section);
    void SaveColPositions() override;
    void LoadColPositions() override;

    // ---- per-cell answers from the column first (index = item index)
    void GetCellColor(Integer ACol, Integer ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont) override;
    void GetCellPrintColor(Integer ACol, Integer ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont) override;
    void GetCellBorder(Integer ACol, Integer ARow, TPen* APen, TCellBorders& Borders) override;
    void GetCellPrintBorder(Integer ACol, Integer ARow, TPen* APen, TCellBorders& Borders) override;
    void GetAlignment(Integer ACol, Integer ARow, TAlignment& HAlign, TVAlignment& VAlign) override;
    void GetFormat(Integer ACol, TSortStyle& AStyle, QString& Prefix, QString& Suffix) override;
    void GetCellEditor(Integer ACol, Integer ARow, TEditorType& AEditor) override;
    // ACol displayed.
    void IsFixedCell(Integer ACol, Integer ARow, bool& IsFixed) override;
    void DoCanEditCell(Integer ACol, Integer ARow, bool& CanEdit) override;
    void IsPasswordCell(Integer ACol, Integer ARow, bool& IsPassword) override;
    bool HasComboBox(Integer ACol, Integer ARow) override;
    void GetCheckTrue(Integer ACol, Integer ARow, QString& Value) override;
    void GetCheckFalse(Integer ACol, Integer ARow, QString& Value) override;
    void GetFloatFormat(Integer ACol, Integer ARow, QString& Format) override;
    // The text a cell shows: a number formatted with the column's FloatFormat.
    virtual QString GetFormattedCell(Integer ACol, Integer ARow);
    TCellType GetCellType(Integer ACol, Integer ARow) override;
    TCellGraphic* GetCellGraphic(Integer ACol, Integer ARow) override;
    TCellGraphic* LentCellGraphic(Integer ACol, Integer ARow) override;
    void GetDefaultCellProperties(Integer ACol, Integer ARow, TFont* AFont, TBrush* ABrush, TColor& ColorTo,
                                  TColor& MirrorColor, TColor& MirrorColorTo, TAlignment& Alignment,
                                  TVAlignment& VAlignment, bool& WordWrap,
                                  TCellGradientDirection& GradientDirection) override;
    bool GetColumnFilter(Integer ACol) override;
    void FilterSelect(Integer ItemIndex) override;
    void UpdateColumnSize(Integer ACol, Integer& AWidth) override;
    void UpdateAutoColumnSize(Integer ACol, Integer& AWidth) override;
    void ColumnHeadersChanging() override;
    void RecalcFooters() override;
    QString GetEditMask(Integer ACol, Integer ARow) override;
    // Font sizes of the columns follow a rescaled window (M / D).
    void ChangeScale(Integer M, Integer D) override;

    TColumnPopupEvent OnColumnPopup;
    TAfterColumnMoved OnAfterColumnMoved;
    TFloatFormatEvent OnGetFloatFormat;

protected:
    virtual std::unique_ptr<TGridColumnCollection> CreateColumns();
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void ColumnMoved(Integer FromIndex, Integer ToIndex) override;
    void ColWidthsChanged() override;
    Integer GetEditLimit() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

private:
    // The item of a column index, nullptr outside the items.
    TGridColumnItem* ItemAt(Integer ACol) const;
    // Zones of a cell (column = item index).
    bool IsNormalZone(Integer ACol, Integer ARow) const;
    bool IsNonFixedZone(Integer ACol, Integer ARow) const;
    // Runs Fn with the collection's update hook switched off.
    void WithoutUpdates(const std::function<void()>& Fn);

    std::unique_ptr<TGridColumnCollection> FColumnCollection;
    std::unique_ptr<TGridColumnItem> FSaveCol;
    bool FColMoving = false;
    Integer FHeaderPuts = 0;
    std::unique_ptr<TCellGraphic> FCellGraphic;
    bool FAutoFilterDisplay = false;
};

// Carries a column collection through a stream.
class TExColumnGridIO : public TComponent {
public:
    explicit TExColumnGridIO(TComponent* AOwner);
    ~TExColumnGridIO() override;
    QString ClassName() const override { return QStringLiteral("TExColumnGridIO"); }
    TGridColumnCollection* Items() const { return FItems.get(); }

private:
    std::unique_ptr<TGridColumnCollection> FItems;
};
