#pragma once
// TExStringGrid: the program's string grid, on which every rule table is
// built. Its state is grouped by concern below; its sources are split the
// same way:
//   ExGridData.cpp      counts, current cell, plain properties
//   ExGridCreate.cpp    construction, destruction, window set-up, loading,
//                       copying and the owner form's resize
//   input/ExGridWndProc.cpp   window procedure, grid timer, focus, enter
//                       and exit, edit-done and combo notifications
//   input/ExGridAccessors.cpp cells by real row, all column widths, the
//                       per-cell look, row colours and the update lock
//   input/ExGridValidate.cpp  validation of edits and change tracking
//   features/ExGridRecords.cpp background, modified marking, column order
//   ExGridHidden.cpp    hidden columns and rows, real and display indexes
//   ExGridSettings.cpp  column sizes and positions, column states, visual
//                       properties and print settings files
//   ExGridTypes.cpp     cell types and graphics, typed cell access, headers
//   ExGridSelection.cpp text marking, cell checks, fills, row and column
//                       selection, row marks, cell movement and repaints
//   ExGridAppearance.cpp per-cell colour, border, alignment, editor-kind and
//                       editability hooks, check boxes
//   ExGridEditors.cpp   editor choice, showing a special editor and writing
//                       its value back, the combo list
//   ExGridSizing.cpp    repaint and resize, integral height, scroll bars,
//                       the footer row, save ranges and hit tests
//   ExGridScroll.cpp    scroll messages, drag scrolling, stretching, counts
//                       and fixed cells, listeners and change notifiers
//   ExGridNavigation.cpp moving the current cell, Enter advance, type-ahead
//   ExGridFilter.cpp    row filters
//
// Index spaces: cell storage and the cell accessors take the real column
// and the display row; Col, Row, widths, heights, painting and the mouse use
// display indexes; RealColIndex and RealRowIndex convert.

#include <QString>
#include <algorithm>
#include <array>
#include <initializer_list>
#include <functional>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

#include "grid/BaseGrid.h"
#include "platform/BiDiMode.h"
#include "grid/ExGridCellGraphic.h"
#include "grid/ExGridHelpers.h"
#include "grid/ExStyleIF.h"
#include "grid/ExUtil.h"
#include "grid/exchange/ExGridExchange.h"

class TBitmap;
class TFilePicture;
class TIcon;
class TPicture;
class TCellGraphic;
class TEditLink;
class TExInplaceEdit;
class TFilter;
class TFilterDropDown;
class TDropList;
class TDropCheckList;
class TCellNode;
class TGridCheckBox;
class TGridCombo;
class TGridSpin;
class TGridDatePicker;
class TGridDateTimePicker;
class TGridEditBtn;
class TGridUnitEditBtn;
class TGridButton;
class TGridTransEdit;
class TGridTransCombo;
class TControlEdit;
class TControlCombo;
class TExRichEdit;
class TRichEdit;
class TGridTrackbarDropDown;
class TGridMemoDropDown;
class TGridCalculatorDropDown;
class TGridTimepickerDropDown;
class TGridDetailPickerDropDown;
class TGridGridDropDown;
class TGridExGridDropDown;
class TGridColorDropDown;
class TGridImageDropDown;
class TExCustomDropDown;
class TBalloonTip;
class THintWindow;
class TPen;
class TTimer;
class DAriViziveVudaDodav;
class TCustomImageList;
class TGridItem;
class THTMLPictureCache;
class TInplaceEdit;
class TPictureContainer;
class TPopupMenu;
class TListBox;
class TForm;
class TStream;
class TExStringGrid;
class TFooterPanel;
class TSearchPanel;
class TScrollControl;
struct TMiniHTMLResult;

// The look-alike of a header cell that follows a column or row dragged by
// its header (the grid's MoveButton).
class THeaderDragButton : public TCustomControl {
public:
    explicit THeaderDragButton(TExStringGrid* AGrid);
    QString ClassName() const override { return QStringLiteral("THeaderDragButton"); }
    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value) { FFlat = Value; }

protected:
    void Paint() override;

private:
    TExStringGrid* FGrid;
    QString FCaption;
    bool FFlat = false;
};

// Columns from this real index on always count as shown.
constexpr Integer MAX_COLUMNS = 512;
using TBoolArray = std::array<bool, MAX_COLUMNS + 1>;
using TWidthArray = std::array<SmallInt, MAX_COLUMNS + 1>;

enum TXPColorScheme { xpNone, xpBlue, xpGreen, xpGray, vistaAero };
enum TGridLook { glStandard, glSoft, glClassic, glKavro, glXP, glListView, glVista, glWin7, glOffice2007, glCustom };
enum TScrollType { ssNormal, ssFlat, ssEncarta, ssMetro };
enum TScrollHintType { shNone, shVertical, shHorizontal, shBoth };
enum THintShowLargeTextPos { hpCell, hpMouse };
enum THoverFixedCells { hfNone, hfAll, hfFixedRows, hfFixedColumns };
enum TIntelliPan { ipVertical, ipHorizontal, ipBoth, ipNone };
enum TScrollBarAlways { saNone, saVert, saHorz, saBoth };
enum TInvalidEntryIcon { ieNone, ieInfo, ieWarning, ieError };
enum TMouseSelectMode { msNormal, msColumn, msRow, msAll, msURL, msResize };
enum TFilterDropDownColumns { fdNormal, fdAll };
enum TClipOperation { coNone, coCut, coCopy };
enum TSearchFooterAction { saFindFirst, saFindPrevious, saFindNext };
// The options of a find, a set of bits (FindParam).
enum TFindParameter {
    fnMatchCase, fnMatchFull, fnMatchRegular, fnDirectionLeftRight, fnMatchStart, fnFindInCurrentRow,
    fnFindInCurrentCol, fnIncludeFixed, fnAutoGoto, fnIgnoreHTMLTags, fnBackward, fnIncludeHiddenColumns,
    fnFindInPresetCol, fnFindInPresetRow, fnSelectedCells, fnIncludeHiddenRows,
};
using TFindParameters = Cardinal;
constexpr TFindParameters FindParam(TFindParameter P) { return 1u << Cardinal(P); }
// States an export, import or print run reports through ExportNotification.
enum TExportState { esExportStart, esExportNewRow, esExportNextRow, esExportSelRow, esExportDone, esExportFail };
// TDragState is the platform's (platform/Control.h).
enum TDragScrollDirections : Cardinal { dsdUp = 1u << 0, dsdDown = 1u << 1, dsdLeft = 1u << 2, dsdRight = 1u << 3 };
using TDragScrollDirection = Cardinal;
// A set of TCellBorder values, one bit each.
using TCellBorders = Cardinal;
constexpr TCellBorders CellBorderBit(TCellBorder B) { return 1u << Cardinal(B); }

// The grid's own error: an operation handed a cell or index outside the grid.
class DOzeDidoRivar : public std::runtime_error {
public:
    explicit DOzeDidoRivar(const QString& Msg) : std::runtime_error(Msg.toStdString()), FMessage(Msg) {}
    const QString& Message() const { return FMessage; }

private:
    QString FMessage;
};

// Follows the grid's cell changes; applications derive from it.
class TGridChangeNotifier : public TComponent {
public:
    explicit TGridChangeNotifier(TComponent* AOwner) : TComponent(AOwner) {}
    QString ClassName() const override { return QStringLiteral("TGridChangeNotifier"); }
    virtual void CellsChanged(TRect R) {}
};

// The one listener told of every move of the current cell.
class ITExStringGridSelect {
public:
    virtual ~ITExStringGridSelect() = default;
    virtual void CellSelect(Integer ACol, Integer ARow) = 0;
};

using TRowChangedEvent = std::function<void(TObject* Sender, Integer OldRow, Integer NewRow)>;
using TClickCellEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol)>;
using TDblClickCellEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol)>;
using TGridHintEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, QString& HintStr)>;
using TEditCellDoneEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow)>;
using TComboChangeEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, Integer AItemIndex, const QString& ASelection)>;
using TCheckBoxClickEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool State)>;
using TGetEditorTypeEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, TEditorType& AEditor)>;
using TCellsChangedEvent = std::function<void(TObject* Sender, TRect R)>;
using TCellValidateEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, QString& Value, bool& Valid)>;
using TEllipsClickEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, QString& S)>;
using TGetCellColorEvent =
    std::function<void(TObject* Sender, Integer ARow, Integer ACol, TGridDrawState AState, TBrush* ABrush, TFont* AFont)>;
using TGetCellBorderEvent =
    std::function<void(TObject* Sender, Integer ARow, Integer ACol, TPen* APen, TCellBorders& Borders)>;
using TGetAlignmentEvent =
    std::function<void(TObject* Sender, Integer ARow, Integer ACol, TAlignment& HAlign, TVAlignment& VAlign)>;
using TGetFormatEvent =
    std::function<void(TObject* Sender, Integer ACol, TSortStyle& AStyle, QString& APrefix, QString& ASuffix)>;
using TColRowBoolEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool& Value)>;
using TRowColBoolEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, bool& Value)>;
using TGetCheckEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, QString& Value)>;
using TGetColumnFilterEvent = std::function<void(TObject* Sender, Integer Column, TStrings* Filter)>;
using TGetCellCursorEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, Integer X, Integer Y, TCursor& ACursor)>;
using TSearchFooterActionEvent = std::function<void(TObject* Sender, const QString& Value, Integer ACol, Integer ARow,
                                                    TSearchFooterAction SearchAction)>;
using TColRowEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow)>;
using TRowColEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol)>;
using TExpandClickEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool Expanded)>;
// The balloon of a cell: title, text and icon (0 none, 1 info, 2 warning, 3 error) may be changed.
using TCellBalloonEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, QString& ATitle,
                                             QString& AText, Integer& AIcon)>;
using TDateTimeChangeEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, TDateTime ADateTime)>;
using TEditChangeEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, const QString& Value)>;
using TGetEditorPropEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, TEditLink* AEditLink)>;
using TComboObjectChangeEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, Integer AItemIndex,
                                                   const QString& ASelection, TObject* AObject)>;
using TCheckBoxClickStateEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, TCheckBoxState State)>;
using TScrollHintEvent = std::function<void(TObject* Sender, Integer ARowOrCol, QString& Hint)>;
using TDragScrollEvent = std::function<void(TObject* Sender, Integer TopRow, Integer LeftCol,
                                            TDragScrollDirection& Directions, bool& Allow)>;
using TIndexEvent = std::function<void(TObject* Sender, Integer Index)>;
using TUpdateColumnSizeEvent = std::function<void(TObject* Sender, Integer ACol, Integer& AWidth)>;
using TFooterCalcEvent = std::function<void(TObject* Sender, Integer ACol, QString& Value, Integer ARow)>;
using TCellChangingEvent = std::function<void(TObject* Sender, Integer OldRow, Integer OldCol, Integer NewRow,
                                              Integer NewCol, bool& Allow)>;
using TLineChangingEvent = std::function<void(TObject* Sender, Integer OldIndex, Integer NewIndex, bool& Allow)>;
using TAutoAdvanceEvent = std::function<void(TObject* Sender, Integer FromRow, Integer FromCol, Integer& ToRow,
                                             Integer& ToCol, bool& Allow)>;
using TAllowEvent = std::function<void(TObject* Sender, bool& Allow)>;
using TRowDisjunctSelectEvent = std::function<void(TObject* Sender, Integer ARow, bool Value, bool& Allow)>;
using TCustomFilterEvent = std::function<void(TObject* Sender, Integer ARow, bool& Allow)>;
using TFilterSelectEvent = std::function<void(TObject* Sender, Integer Column, Integer ItemIndex,
                                              const QString& FriendlyName, QString& FilterCondition)>;
using TFilterCheckEvent = std::function<void(TObject* Sender, Integer Column, Integer ItemIndex,
                                             const QString& FriendlyName, QString& FilterCondition, TStrings* CheckList)>;

using TCheckBoxChangeEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool State)>;
using TCustomCellDrawEvent = std::function<void(TObject* Sender, TCanvas* Canvas, Integer ACol, Integer ARow,
                                                TGridDrawState AState, TRect ARect, bool Printing)>;
using TGetCellBorderPropEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, TPen* LeftPen,
                                                   TPen* TopPen, TPen* RightPen, TPen* BottomPen)>;
using TGetCellGradientEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, TColor& Color,
                                                 TColor& ColorTo, TColor& ColorMirror, TColor& ColorMirrorTo,
                                                 TCellGradientDirection& GD)>;
using TGetFloatFormatEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool& IsFloat, QString& FloatFormat)>;
using TSelectionChangedEvent =
    std::function<void(TObject* Sender, Integer ALeft, Integer ATop, Integer ARight, Integer ABottom)>;
using TSaveCellEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, QString& Value)>;
using TCanInsertRowEvent = std::function<void(TObject* Sender, Integer ARow, bool& CanInsert)>;
using TRatingChangeEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, double Value, bool& Allow)>;
using TColorSelectEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, TColor Color, const QString& ColorText)>;
using TImageSelectEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, Integer ItemIndex)>;

// The special editors' events.
using TSpinClickEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, Integer AValue, bool UpDown)>;
using TFloatSpinClickEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, double AValue, bool UpDown)>;
using TDateSpinClickEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, TDateTime AValue, bool UpDown)>;
using TUnitChangedEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, const QString& NewUnit)>;
using TCustomStrToDateEvent = std::function<void(TObject* Sender, const QString& Value, TDateTime& ADate)>;
using TDropDownButtonClickEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, Integer ButtonIndex)>;
using TColorSelectedEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, TColor& Color, QString& Value)>;
using TImageSelectedEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, Integer& Index)>;
using TCellControlEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, const QString& CtrlID,
                                             const QString& CtrlType, const QString& CtrlVal)>;
using TCellComboControlEvent =
    std::function<void(TObject* Sender, Integer ARow, Integer ACol, const QString& CtrlID, const QString& CtrlType,
                       const QString& CtrlVal, TStrings* Values, bool& Edit, Integer& DropCount)>;
using TCellComboControlSelectEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol,
                                                        Integer ItemIndex, const QString& CtrlID, const QString& CtrlValue)>;
using TFixedEditEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, TGridFixedCellEditor& AEditor, TStrings* Values)>;

using TGridClipboardEvent = std::function<void(TObject* Sender, bool& Allow)>;
using TGridClipboardPasteCellEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, QString& Value, bool& Allow)>;
using TGridClipboardAfterPasteCellEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, const QString& Value)>;

// The page size and range of an in-cell scroll bar.
struct TScrollProp {
    Integer PageSize = 0;
    Integer Range = 0;
    bool operator==(const TScrollProp&) const = default;
};

// A property that only stores its value: Name() and SetName(), field FName.
#define EXGRID_PROPERTY(Type, Name, Default)                   \
public:                                                        \
    Type Name() const { return F##Name; }                      \
    void Set##Name(const Type& Value) { F##Name = Value; }     \
private:                                                       \
    Type F##Name = Default;
// The same with a setter of its own (declared with the concern it serves).
#define EXGRID_GETTER(Type, Name, Default)                     \
public:                                                        \
    Type Name() const { return F##Name; }                      \
private:                                                       \
    Type F##Name = Default;

class TExStringGrid : public TBaseGrid {
    friend class TGridResizeHandler;
    friend class TGridCombo;
    friend class TGridCheckBox;
    friend class TExInplaceEdit;
    friend class TGridSpin;
    friend class TGridDatePicker;
    friend class TGridDateTimePicker;
    friend class TGridEditBtn;
    friend class TGridUnitEditBtn;
    friend class TGridButton;
    friend class TGridTransEdit;
    friend class TGridTransCombo;
    friend class TExRichEdit;
    friend class TEditLink;
    template <class> friend class TGridDropDownEditor;

public:
    explicit TExStringGrid(TComponent* AOwner);
    ~TExStringGrid() override;
    QString ClassName() const override { return QStringLiteral("TExStringGrid"); }

    // ================================================ construction and copying
    // From another TExStringGrid only: settings, sizes, widths, heights and
    // the cells; any other source is ignored.
    void Assign(const TPersistent* Source) override;
    virtual void AssignCells(const TPersistent* Source);

    // ====================================================== counts and cells
    Integer GetRowCount() const { return RowCount(); }
    // Also records the largest count and the rows that take display hooks.
    void SetRowCount(Integer Value);
    Integer GetColCount() const { return ColCount(); }
    // The column grid keeps its column items in step here.
    virtual void SetColCount(Integer Value);
    Integer MaxRowCount() const { return FMaxRowCount; }
    Integer MaxColCount() const { return FMaxColCount; }
    // A cell by real column and real row, hidden rows included.
    QString GetCellsEx(Integer ACol, Integer ARow) const;
    void SetCellsEx(Integer ACol, Integer ARow, const QString& Value);
    QString AllCells(Integer ACol, Integer ARow) const { return GetCellsEx(ACol, ARow); }
    // Empties the cells of a rectangle (real columns, or display ones with
    // SaveHiddenCells) and frees their properties unless ClearTextOnly.
    virtual void ClearRect(Integer ACol1, Integer ARow1, Integer ACol2, Integer ARow2);

    // ===================================================== current cell
    Integer GetCol() const { return Col(); }
    void SetCol(Integer Value) { TCustomGrid::SetCol(Value); }
    // The current display row; setting it fires OnRowUpdate on a change.
    Integer GetRowEx() const { return Row(); }
    void SetRowEx(Integer Value) { SetRow(Value); }
    void SetRow(Integer Value);
    // Accepted only for FixedRows <= Value <= RowCount - 1.
    void SetTopRow(Integer Value);
    Integer RealCol() const { return RealColIndex(Col()); }
    Integer RealRow() const { return RealRowIndex(Row()); }

    // ============================================== hidden columns and rows
    Integer RealToDisplCol(Integer RealCol) const;
    Integer DisplToRealCol(Integer DisplCol) const;
    Integer DisplColIndex(Integer RealCol) const override { return RealToDisplCol(RealCol); }
    Integer RealColIndex(Integer DisplCol) const { return DisplToRealCol(DisplCol); }
    Integer RealRowIndex(Integer DisplRow) const;
    Integer DisplRowIndex(Integer RealRow) const;
    void SetColVisible(Integer RealCol, bool Visible) { FVisibleCol[size_t(RealCol)] = Visible; }
    bool GetColVisible(Integer RealCol) const { return FVisibleCol[size_t(RealCol)]; }

    void HideColumn(Integer RealCol) { HideColumns(RealCol, RealCol); }
    void HideColumns(Integer FromCol, Integer ToCol);
    void UnHideColumn(Integer RealCol) { UnHideColumns(RealCol, RealCol); }
    void UnHideColumns(Integer FromCol, Integer ToCol);
    void UnHideColumnsAll() { UnHideColumns(0, ColCount() + FNumHidden); }
    bool IsHiddenColumn(Integer RealCol) const;
    Integer NumHiddenColumns() const { return FNumHidden; }
    Integer TotalColCount() const override { return ColCount() + FNumHidden; }

    void HideRow(Integer ARow) { HideRows(ARow, ARow); }
    void HideRows(Integer FromRow, Integer ToRow);
    void HideRowsEx(Integer FromRow, Integer ToRow);
    // Display rows, ascending; one filter level.
    void HideRowList(TIntList* RowList);
    void UnHideRow(Integer ARow);
    void UnHideRows(Integer FromRow, Integer ToRow);
    void UnHideRowsAll();
    // Shows the rows of the latest filter level again.
    void UnHideRowList();
    bool IsHiddenRow(Integer ARow) const;
    // The same with a cache the caller owns (made and filled when empty).
    bool IsHiddenRow(Integer ARow, std::unique_ptr<TIntList>& ListHidden) const;
    Integer NumHiddenRows() const;
    Integer TotalRowCount() const { return RowCount() + NumHiddenRows(); }
    TCollection* GridItems() const { return FGridItems.get(); }
    Integer FilterLevel() const { return FFilterLevel; }
    void SetFilterLevel(Integer Value) { FFilterLevel = Value; }
    bool IsIgnoredColumn(Integer ACol) const;
    TIntList* IgnoreColumns() const { return FIgnoreColumns.get(); }

    // Row primitives the hiding relies on (display rows, hidden columns included).
    void DoDeleteRows(Integer ARow, Integer ACount, bool DropControls);
    void DoInsertRows(Integer ARow, Integer ACount);
    virtual void RemoveRowsEx(Integer RowIndex, Integer RCount);

    // ================================================= column order
    TIntList* ColumnOrder() const { return FColumnOrder.get(); }
    // Records the present order: FColumnOrder = 0 .. total - 1.
    void SetColumnOrder();
    // Shows every column and moves the columns to the recorded order.
    void ResetColumnOrder();
    // Present display position of the column first at ACol (ACol when no
    // order is recorded or the column is not in it).
    Integer ColumnPosition(Integer ACol) const;
    // First-order index of the column at display position ACol (records
    // the order when none is); a position outside the record raises the
    // list's index error.
    Integer ColumnAtPosition(Integer ACol);
    // The first column whose row-0 text equals AValue exactly, -1 for none.
    Integer ColumnByHeader(const QString& AValue) const;
    TShowModified* ShowModified() const { return FShowModified.get(); }

    // ================================================= update locking
    // Counted lock on painting; BeginUpdate and EndUpdate act only while the
    // grid is visible and also stop and restart the window's redrawing.
    void BeginUpdate();
    // The last EndUpdate repaints the whole grid and its border once.
    void EndUpdate();
    // Counter only (also on a hidden grid).
    void StartUpdate() { ++FUpdateCount; }
    // Sets the counter to 0 (ends any outer lock's effect on painting).
    void ResetUpdate() { FUpdateCount = 0; }
    bool LockUpdate() const { return FUpdateCount > 0; }
    void SetLockUpdate(bool Value);
    Integer UpdateCount() const { return FUpdateCount; }

    // ======================================== cell accessors (real columns)
    // By real row, hidden rows included; '' for a negative index.
    QString GetAllCells(Integer ACol, Integer ARow) const;
    // A hidden row's texts grow with empty entries until ACol exists.
    void SetAllCells(Integer ACol, Integer ARow, const QString& Value);
    // The raw stored text by real row (no hooks).
    QString AllGridCells(Integer ACol, Integer ARow) const;
    void SetAllGridCells(Integer ACol, Integer ARow, const QString& Value);
    QString AllWideCells(Integer ACol, Integer ARow) const { return GetAllCells(ACol, ARow); }
    void SetAllWideCells(Integer ACol, Integer ARow, const QString& Value) { SetAllCells(ACol, ARow, Value); }
    // The user object by real row; a hidden row's object or the user object
    // of the properties kept in its slot.
    TObject* AllObjects(Integer ACol, Integer ARow) const;
    void SetAllObjects(Integer ACol, Integer ARow, TObject* Value);
    // The raw object slot by real row, hidden rows included.
    TObject* GetAllGridObjects(Integer ACol, Integer ARow) const;
    // The texts of a hidden row (one per real column), nullptr when shown.
    TStringList* HiddenRowStrings(Integer ARow) const;
    // Cells at the present position of the column first at ACol.
    QString OriginalCells(Integer ACol, Integer ARow) const;
    void SetOriginalCells(Integer ACol, Integer ARow, const QString& Value);
    QString StrippedCells(Integer ACol, Integer ARow) const;
    Integer LinesInCell(Integer ACol, Integer ARow) const;
    // The width of a real column 0 .. 512: the remembered width of a hidden
    // one; writing a shown one also sets its displayed width. Raises
    // DOzeDidoRivar for a column outside the table.
    Integer AllColWidths(Integer ACol) const;
    void SetAllColWidths(Integer ACol, Integer Value);
    Integer AllColCount() const { return ColCount() + FNumHidden; }
    Integer AllRowCount() const { return RowCount() + NumHiddenRows(); }
    // Per-cell look kept in the cell's properties: the getters answer the
    // default and create nothing (WordWraps excepted), the setters create
    // the properties, store and repaint the cell.
    TColor Colors(Integer ACol, Integer ARow) const;
    void SetColors(Integer ACol, Integer ARow, TColor Value);
    TColor ColorsTo(Integer ACol, Integer ARow) const;
    void SetColorsTo(Integer ACol, Integer ARow, TColor Value);
    TCellGradientDirection Gradients(Integer ACol, Integer ARow) const;
    void SetGradients(Integer ACol, Integer ARow, TCellGradientDirection Value);
    TColor FontColors(Integer ACol, Integer ARow) const;
    void SetFontColors(Integer ACol, Integer ARow, TColor Value);
    TFontStyles FontStyles(Integer ACol, Integer ARow) const;
    void SetFontStyles(Integer ACol, Integer ARow, TFontStyles Value);
    Integer FontSizes(Integer ACol, Integer ARow) const;
    void SetFontSizes(Integer ACol, Integer ARow, Integer Value);
    QString FontNames(Integer ACol, Integer ARow) const;
    void SetFontNames(Integer ACol, Integer ARow, const QString& Value);
    // Name, size, style and colour of AFont.
    void SetFonts(Integer ACol, Integer ARow, const TFont* AFont);
    TAlignment Alignments(Integer ACol, Integer ARow) const;
    void SetAlignments(Integer ACol, Integer ARow, TAlignment Value);
    bool ReadOnly(Integer ACol, Integer ARow) const { return GetReadOnly(ACol, ARow); }
    void SetReadOnly(Integer ACol, Integer ARow, bool Value);
    bool WordWraps(Integer ACol, Integer ARow);
    void SetWordWraps(Integer ACol, Integer ARow, bool Value);
    // Row-wide colours over the columns FixedCols .. AllColCount - 1; clNone
    // takes that colour back (the cells keep their other settings) and frees
    // the properties left holding nothing.
    void SetRowColor(Integer ARow, TColor Value);
    void SetRowColorTo(Integer ARow, TColor Value);
    void SetRowFontColor(Integer ARow, TColor Value);
    // The wide text of a cell (cell texts are UTF-16 already).
    QString WideCells(Integer ACol, Integer ARow) const { return GetCellEx(ACol, ARow); }
    void SetWideCells(Integer ACol, Integer ARow, const QString& Value) { SetCellEx(ACol, ARow, Value); }
    // Also remembered as the cursor restored after hover changes.
    void SetGridCursor(TCursor Value);
    // Stored, then the present bounds applied again (whole rows).
    void SetIntegralHeightEx(bool Value);

    // ========================================= window procedure and focus
    // The registered message the end of an edit posts to the grid: WParam
    // real column, LParam row.
    static Cardinal GridEditDoneMessage();
    // Posts "GridEditDone" for a cell; the window procedure fires OnEditCellDone.
    void PostEditDone(Integer ACol, Integer ARow);
    bool IsHoverFixedCell(Integer ACol, Integer ARow) const;
    void ResetFixedCellHighlight();
    bool HasCellBorderEvent() override { return static_cast<bool>(OnGetCellBorder); }
    // The edit-button editors' ellipsis: S, or what OnEllipsClick leaves.
    virtual QString EllipsClick(const QString& S);
    virtual void InplaceEditKeyDown(Word& Key, TShiftState Shift) {}
    virtual void InplaceEditWMKeyDown(TMessage& Message) {}
    Integer PaintCount() const { return FPaintCount; }

    // ================================== validation and change tracking
    // Records the cell's state as editing begins (ACol displayed).
    virtual void StoreOldCellState(Integer ACol, Integer ARow);
    // Validates the pending edit's new text through OnCellValidate; true
    // when it was stored (or nothing needed validation). A refused value
    // puts the old text (or the handler's) back and reopens the editor.
    virtual bool ValidateCell(const QString& NewValue);
    virtual bool ValidateCellWide(const QString& NewValue);
    virtual void RecalcFooterColumn(Integer ACol) { CalcFooter(ACol); }
    bool EditPending() const { return FEditing; }
    QString OldCellText() const { return FOldCellText; }
    bool LastValidation() const { return FLastValidation; }

    // ================================================= settings files
    void SaveColSizes();
    void LoadColSizes();
    virtual void SaveColPositions();
    virtual void LoadColPositions();
    QString ColumnStatesToString();
    void StringToColumnStates(const QString& Value);
    // Raise "Cannot Create " / "Cannot open file " + FileName when the file
    // cannot be written or read.
    void SaveVisualProps(const QString& FileName);
    void LoadVisualProps(const QString& FileName);
    void SavePrintSettings(const QString& Key, const QString& Section);
    void LoadPrintSettings(const QString& Key, const QString& Section);

    // ============================================ hooks for later work
    virtual void CellSelectorClick(Integer ACol, Integer ARow) {}
    virtual void MouseActionsChanged(TObject* Sender) {}
    virtual void NavigationChanged(TObject* Sender) {}
    virtual bool IsDesigning() const { return HasState(csDesigning); }
    virtual void RefreshGrid(TObject* Sender) { Invalidate(); }
    // Removes goEditing from the options.
    virtual void DisableEditing(TObject* Sender);
    // Fires OnCellsChanged, tells every registered notifier in order and
    // recomputes the footer values.
    virtual void CellsChanged(TRect R);
    virtual void RecalcFooters() { CalcFooter(-1); }
    // Fires OnFilterDone.
    virtual void FilterDone();
    virtual Cardinal GetVersionNr() const { return 0x06020103; }
    // The text of a cell as a formula would show it (no formulas here).
    virtual QString GetFormulaCellText(Integer ACol, Integer ARow) { return Cells(ACol, ARow); }
    QString GetEditMask(Integer ACol, Integer ARow) override;
    // Cell look for painting: cell properties, fixed and selected colours.
    void GetVisualProperties(Integer ACol, Integer ARow, TGridDrawState& State, bool Printing, bool Flag,
                             bool MapColumn, TBrush* ABrush, TColor& ColorTo, TColor& MirrorColor,
                             TColor& MirrorColorTo, TFont* AFont, TAlignment& Alignment, TVAlignment& VAlignment,
                             bool& WordWrap, TCellGradientDirection& GradientDirection) override;
    // The cell's text at its real column, placed by its alignment.
    void DrawGridCell(TCanvas* Canvas, Integer ACol, Integer ARow, TRect Rect, TGridDrawState State) override;
    void GetDefaultCellProperties(Integer ACol, Integer ARow, TFont* AFont, TBrush* ABrush, TColor& ColorTo,
                                  TColor& MirrorColor, TColor& MirrorColorTo, TAlignment& Alignment,
                                  TVAlignment& VAlignment, bool& WordWrap,
                                  TCellGradientDirection& GradientDirection) override;

    // ====================================== cell types and typed cell access
    // The cell's TCellGraphic (real column); with HotmailRowSelect, column 0
    // answers the grid's shared row check box.
    virtual TCellGraphic* GetCellGraphic(Integer ACol, Integer ARow);
    TCellGraphic* CellGraphics(Integer ACol, Integer ARow) { return GetCellGraphic(ACol, ARow); }
    // The shared descriptor lent to a cell of real row ARow that has none of
    // its own (the row check box; the column grid's data check boxes), nil
    // when the cell gets none. Reached for hidden rows.
    virtual TCellGraphic* LentCellGraphic(Integer ACol, Integer ARow);
    virtual TCellType GetCellType(Integer ACol, Integer ARow);
    TCellType CellTypes(Integer ACol, Integer ARow) { return GetCellType(ACol, ARow); }
    TCellGraphic* CreateCellGraphic(Integer ACol, Integer ARow);
    bool RemoveCellGraphic(Integer ACol, Integer ARow);
    bool RemoveCellGraphicOfType(Integer ACol, Integer ARow, TCellType CellType);
    // Width (X) and height (Y) of the cell's graphic.
    TPoint GetCellGraphicSize(Integer ACol, Integer ARow);
    virtual TPoint CalcCellGraphicSize(Integer ACol, Integer ARow, Integer FreeHeight);
    // The graphic's size when measured in Width x Height at Scale (printing).
    virtual TPoint CalcCellGraphicSizeAt(Integer ACol, Integer ARow, Integer Width, Integer Height, double Scale);
    // The picture, icon or image-list index of a bitmap, icon or image-list
    // cell (a sort key of picture columns), -1 for the others.
    Integer GetCellImageKey(Integer ACol, Integer ARow);
    bool HasNodes() override { return FNumNodes > 0; }
    Integer GetNodeIndent(Integer ARow) override;
    bool IsSortIndicatorCell(Integer ACol, Integer ARow);
    // Typed views of the cell text; the getters raise DOzeDidoRivar for a
    // text that is no number, the date and time getters EConvertError.
    Integer Ints(Integer ACol, Integer ARow);
    void SetInts(Integer ACol, Integer ARow, Integer Value);
    Integer AllInts(Integer ACol, Integer ARow);
    void SetAllInts(Integer ACol, Integer ARow, Integer Value);
    double Floats(Integer ACol, Integer ARow);
    void SetFloats(Integer ACol, Integer ARow, double Value);
    double AllFloats(Integer ACol, Integer ARow);
    void SetAllFloats(Integer ACol, Integer ARow, double Value);
    TDateTime Dates(Integer ACol, Integer ARow);
    void SetDates(Integer ACol, Integer ARow, TDateTime Value);
    TDateTime Times(Integer ACol, Integer ARow);
    void SetTimes(Integer ACol, Integer ARow, TDateTime Value);
    QString CtrlVal(Integer ACol, Integer ARow, const QString& ID);
    void SetCtrlVal(Integer ACol, Integer ARow, const QString& ID, const QString& Value);
    virtual void GetFloatFormat(Integer ACol, Integer ARow, QString& Format);
    QString Version() const;
    Integer GetPrintColWidth(Integer ACol) const;
    Integer GetPrintColOffset(Integer ACol) const;
    void SetColumnHeaders(const TStrings* Value);
    void SetRowHeaders(const TStrings* Value);
    void ShowColumnHeaders();
    void ClearColumnHeaders();
    void ShowRowHeaders();
    void ClearRowHeaders();

    // ================================================== cell objects
    // Each Add gives the cell (real column, display row) a fresh descriptor;
    // objects handed in stay the caller's. Each Create makes the object,
    // which the descriptor owns, and returns it. Each Remove acts only on
    // its own kind. The image kinds do nothing without GridImages.
    void AddBitmap(Integer ACol, Integer ARow, TBitmap* ABmp, bool Transparent, TCellHAlign HAl, TCellVAlign VAl);
    TBitmap* CreateBitmap(Integer ACol, Integer ARow, bool Transparent, TCellHAlign HAl, TCellVAlign VAl);
    TBitmap* GetBitmap(Integer ACol, Integer ARow);
    bool HasBitmap(Integer ACol, Integer ARow) { return GetBitmap(ACol, ARow) != nullptr; }
    void RemoveBitmap(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctBitmap); }
    void AddPicture(Integer ACol, Integer ARow, TPicture* APicture, bool Transparent, TStretchMode StretchMode,
                    Integer Padding, TCellHAlign HAl, TCellVAlign VAl);
    TPicture* CreatePicture(Integer ACol, Integer ARow, bool Transparent, TStretchMode StretchMode, Integer Padding,
                            TCellHAlign HAl, TCellVAlign VAl);
    TPicture* GetPicture(Integer ACol, Integer ARow);
    bool HasPicture(Integer ACol, Integer ARow) { return GetPicture(ACol, ARow) != nullptr; }
    void RemovePicture(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctPicture); }
    void AddFilePicture(Integer ACol, Integer ARow, TFilePicture* APicture, bool Transparent,
                        TStretchMode StretchMode, Integer Padding, TCellHAlign HAl, TCellVAlign VAl);
    TFilePicture* CreateFilePicture(Integer ACol, Integer ARow, bool Transparent, TStretchMode StretchMode,
                                    Integer Padding, TCellHAlign HAl, TCellVAlign VAl);
    TFilePicture* GetFilePicture(Integer ACol, Integer ARow);
    void RemoveFilePicture(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctFilePicture); }
    void AddIcon(Integer ACol, Integer ARow, TIcon* AIcon, TCellHAlign HAl, TCellVAlign VAl);
    TIcon* CreateIcon(Integer ACol, Integer ARow, TCellHAlign HAl, TCellVAlign VAl);
    void RemoveIcon(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctIcon); }
    void AddImageIdx(Integer ACol, Integer ARow, Integer Idx, TCellHAlign HAl, TCellVAlign VAl);
    bool GetImageIdx(Integer ACol, Integer ARow, Integer& Idx);
    void SetImageIdx(Integer ACol, Integer ARow, Integer Idx);
    void RemoveImageIdx(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctImageList); }
    void AddDataImage(Integer ACol, Integer ARow, Integer Idx, TCellHAlign HAl, TCellVAlign VAl);
    bool HasDataImage(Integer ACol, Integer ARow) { return HasCellType(ACol, ARow, {ctDataImage}); }
    void RemoveDataImage(Integer ACol, Integer ARow);
    void AddMultiImage(Integer ACol, Integer ARow, Integer Dir, TCellHAlign HAl, TCellVAlign VAl);
    void RemoveMultiImage(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctImages); }
    // Angles are kept in 0 .. 360.
    void AddRotated(Integer ACol, Integer ARow, SmallInt AAngle, const QString& Text);
    bool IsRotated(Integer ACol, Integer ARow, Integer& AAngle);
    void SetRotated(Integer ACol, Integer ARow, SmallInt AAngle);
    void RemoveRotated(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctRotated); }
    void AddProgress(Integer ACol, Integer ARow, TColor BarColor, TColor RestColor);
    void AddProgressEx(Integer ACol, Integer ARow, TColor BarColor, TColor BarTextColor, TColor RestColor,
                       TColor RestTextColor);
    void AddProgressFormatted(Integer ACol, Integer ARow, TColor BarColor, TColor BarTextColor, TColor RestColor,
                              TColor RestTextColor, const QString& Fmt, Integer Min, Integer Max);
    bool HasProgress(Integer ACol, Integer ARow) { return HasCellType(ACol, ARow, {ctProgress}); }
    void RemoveProgress(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctProgress); }
    void AddExProgress(Integer ACol, Integer ARow, Integer Min, Integer Max);
    void RemoveExProgress(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctXPProgress); }
    void AddProgressPie(Integer ACol, Integer ARow, TColor Color, Integer Value);
    void SetProgressPie(Integer ACol, Integer ARow, Integer Value);
    void RemoveProgressPie(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctProgressPie); }
    void AddRangeIndicator(Integer ACol, Integer ARow, Integer Range, TColor NegColor, TColor PosColor,
                           bool ShowValue);
    void RemoveRangeIndicator(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctRangeIndicator); }
    void AddComment(Integer ACol, Integer ARow, const QString& Comment);
    void AddColorComment(Integer ACol, Integer ARow, const QString& Comment, TColor Color);
    bool IsComment(Integer ACol, Integer ARow, QString& Comment);
    QString GetComment(Integer ACol, Integer ARow);
    void SetComment(Integer ACol, Integer ARow, const QString& Comment);
    void RemoveComment(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctComment); }
    void RemoveAllComments();
    void AddShape(Integer ACol, Integer ARow, TCellShape Shape, TColor FillColor, TColor PenColor, TCellHAlign HAl,
                  TCellVAlign VAl);
    TColor GetShapeColor(Integer ACol, Integer ARow);
    void SetShapeColor(Integer ACol, Integer ARow, TColor FillColor);
    void RemoveShape(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctShape); }
    void AddRating(Integer ACol, Integer ARow, Integer Scale, TColor FillColor, TColor EmptyColor);
    bool HasRating(Integer ACol, Integer ARow) { return HasCellType(ACol, ARow, {ctRating}); }
    void RemoveRating(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctRating); }
    void AddScrollBar(Integer ACol, Integer ARow, bool AutoRange);
    bool HasScrollBar(Integer ACol, Integer ARow) { return HasCellType(ACol, ARow, {ctScrollbar}); }
    bool HasAutoRangeScrollBar(Integer ACol, Integer ARow);
    Integer GetScrollPosition(Integer ACol, Integer ARow);
    void SetScrollPosition(Integer ACol, Integer ARow, Integer Pos);
    TScrollProp GetScrollProp(Integer ACol, Integer ARow);
    void SetScrollProp(Integer ACol, Integer ARow, TScrollProp Prop);
    void RemoveScrollBar(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctScrollbar); }
    void AddButton(Integer ACol, Integer ARow, Integer BWidth, Integer BHeight, const QString& Caption,
                   TCellHAlign HAl, TCellVAlign VAl);
    void AddBitButton(Integer ACol, Integer ARow, Integer BWidth, Integer BHeight, const QString& Caption,
                      TBitmap* Glyph, TCellHAlign HAl, TCellVAlign VAl);
    TBitmap* CreateBitButton(Integer ACol, Integer ARow, Integer BWidth, Integer BHeight, const QString& Caption,
                             TCellHAlign HAl, TCellVAlign VAl);
    bool HasButton(Integer ACol, Integer ARow) { return HasCellType(ACol, ARow, {ctButton, ctBitButton}); }
    // Display column.
    QString GetButtonText(Integer ACol, Integer ARow);
    void SetButtonText(Integer ACol, Integer ARow, const QString& Caption);
    void PushButton(Integer ACol, Integer ARow, bool Pushed);
    TRect GetButtonRect(Integer ACol, Integer ARow);
    void RemoveButton(Integer ACol, Integer ARow);
    void RemoveBitButton(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctBitButton); }
    void RemoveAllButtons();
    void AddExpand(Integer ACol, Integer ARow, Integer ExpandedHeight);
    bool HasExpand(Integer ACol, Integer ARow) { return HasCellType(ACol, ARow, {ctExpand}); }
    bool ToggleExpand(Integer ACol, Integer ARow);
    bool GetExpandState(Integer ACol, Integer ARow);
    Integer GetExpandHeight(Integer ACol, Integer ARow, bool Expanded);
    TRect GetExpandRect(Integer ACol, Integer ARow);
    void RemoveExpand(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctExpand); }
    void AddBalloon(Integer ACol, Integer ARow, const QString& Title, const QString& Text, TBalloonIcon Icon);
    bool HasBalloon(Integer ACol, Integer ARow);
    bool IsBalloon(Integer ACol, Integer ARow, QString& Title, QString& Text, TBalloonIcon& Icon);
    void RemoveBalloon(Integer ACol, Integer ARow);
    void AddInterfacedCell(Integer ACol, Integer ARow, ICellDraw* AObject);
    ICellDraw* GetInterfacedCell(Integer ACol, Integer ARow);
    void RemoveInterfacedCell(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctInterface); }
    void AddMarker(Integer ACol, Integer ARow, Integer ErrPos, Integer ErrLen);
    void GetMarker(Integer ACol, Integer ARow, Integer& ErrPos, Integer& ErrLen);
    void RemoveMarker(Integer ACol, Integer ARow);
    void RemoveAllMarkers();
    // Whether the graphic of the base cell is of one of the kinds.
    bool HasCellType(Integer ACol, Integer ARow, std::initializer_list<TCellType> Types);
    virtual void CanInsertRow(Integer ARow, bool& CanInsert);
    virtual bool RatingChange(Integer ACol, Integer ARow, double Value);
    virtual void ColorSelect(Integer ACol, Integer ARow, TColor Color, const QString& ColorText);
    virtual void ImageSelect(Integer ACol, Integer ARow, Integer ItemIndex);

    // ======================================= check boxes and radio buttons
    // Data check boxes keep their state in the cell text (CheckTrue or
    // CheckFalse). Columns are real; rows are display rows, except that the
    // state getters and setters take the real row while rows are hidden.
    void AddCheckBox(Integer ACol, Integer ARow, bool State, bool Data);
    void AddCheckBoxColumn(Integer ACol, bool DefaultState, bool DataCheckBox);
    void RemoveCheckBox(Integer ACol, Integer ARow);
    void RemoveCheckBoxColumn(Integer ACol);
    bool HasDataCheckBox(Integer ACol, Integer ARow);
    bool GetCheckBoxState(Integer ACol, Integer ARow, bool& State);
    bool SetCheckBoxState(Integer ACol, Integer ARow, bool State);
    bool SetCheckBoxState(Integer ACol, Integer ARow, TCheckBoxState State);
    bool IsChecked(Integer ACol, Integer ARow);
    // A program's toggle: read-only cells toggle too.
    bool ToggleCheckBox(Integer ACol, Integer ARow) { return DoToggleCheckBox(ACol, ARow, false); }
    virtual bool DoToggleCheckBox(Integer ACol, Integer ARow, bool CheckCanEdit);
    bool ChangeCheckBoxState(Integer ACol, Integer ARow, bool State);
    void CheckAll(Integer ACol);
    void UnCheckAll(Integer ACol);
    // Whether the client point lies in the cell's check box.
    bool IsInCheckBox(Integer ACol, Integer ARow, Integer X, Integer Y);
    bool HasDataGraphic(Integer ACol, Integer ARow);
    void AddRadioButton(Integer ACol, Integer ARow, bool State);
    void RemoveRadioButton(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctRadioButton); }
    bool HasRadioButton(Integer ACol, Integer ARow) { return HasCellType(ACol, ARow, {ctRadioButton}); }
    bool IsRadioButtonChecked(Integer ACol, Integer ARow);
    bool SetRadioButtonState(Integer ACol, Integer ARow, bool State);
    void AddRadioButtonColumn(Integer ACol);
    void RemoveRadioButtonColumn(Integer ACol);
    void SetRadioButtonColumnIndex(Integer ACol, Integer Index);
    Integer GetRadioButtonColumnIndex(Integer ACol);
    virtual bool DoSelectRadioButton(Integer ACol, Integer ARow, bool CheckCanEdit);
    void AddRadio(Integer ACol, Integer ARow, Integer DirRadio, Integer IdxRadio, TStrings* Options);
    TStrings* CreateRadio(Integer ACol, Integer ARow, Integer DirRadio, Integer IdxRadio);
    void RemoveRadio(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctRadio); }
    bool IsRadio(Integer ACol, Integer ARow) { return HasCellType(ACol, ARow, {ctRadio}); }
    bool GetRadioIdx(Integer ACol, Integer ARow, Integer& IdxRadio);
    bool SetRadioIdx(Integer ACol, Integer ARow, Integer IdxRadio);
    TStrings* GetRadioStrings(Integer ACol, Integer ARow);
    void AdvanceRadio(Integer ACol, Integer ARow, bool CheckCanEdit);
    virtual void CheckBoxChange(Integer ACol, Integer ARow, bool State);

    // ================================================= painting
    void DrawSortIndicator(TCanvas* Canvas, Integer ACol, Integer X, Integer Y);
    // Xor guide lines: drawing the same line twice removes it.
    void DrawColSizingLine(Integer X);
    void DrawRowSizingLine(Integer Y);
    // The look of a cell: brush, gradient partners, font, alignment, word
    // wrap and the final drawing state (see the definition for the order).
    void GetFontProperties(Integer ACol, Integer RCol, bool Remap, TBrush* ABrush, TFont* AFont,
                           TGridDrawState& AState, Integer ARow);
    std::pair<TAlignment, TVAlignment> CalcCellAlignment(Integer ACol, Integer ARow);
    static TColor MixSelectionColor(TColor Sel, TColor Cell, bool Mixer, Integer Factor);
    // A changed factor is kept within 0 .. 100 and repaints.
    void SetSelectionColorMixerFactor(Integer Value);
    Integer SelectionColorMixerFactor() const { return FSelectionColorMixerFactor; }
    // Size, alignment and text room of the cell's graphic (real column);
    // nullptr when it has none.
    TCellGraphic* GetCellGraphicInfo(Integer ACol, Integer ARow, TCellVAlign& VA, TCellHAlign& HA, bool& ShowText,
                                     Integer& H, Integer& W);
    void DrawCheckBox(TRect R, bool Checked, bool Enabled, bool Grayed, TGridControlStyle Style, bool TriState,
                      TCheckBoxState State);
    void DrawRadioGroup(TCanvas* Canvas, TRect R, Integer Count, Integer Index, bool Horizontal, bool Disabled,
                        TStrings* Items, bool Selected, Integer ACol, Integer ARow, TGridControlStyle Style,
                        double Scale, bool Print);
    static double ClampPercent(double X) { return std::clamp(X, 0.0, 100.0); }
    // The pixel size of a cell's text (real column).
    TPoint GetCellTextSize(Integer ACol, Integer ARow, bool WithButton, bool LimitWidth);
    TPoint CalcCellTextSize(Integer ACol, Integer DisplCol, bool WithButton, bool LimitWidth, Integer ARow);
    TGridProgressAppearance* ProgressAppearance() const { return FProgressAppearance.get(); }
    bool URLShow() const { return FURLShow; }
    void SetURLShow(bool Value);
    bool URLShowInText() const { return FURLShowInText; }
    void SetURLShowInText(bool Value);
    bool URLFull() const { return FURLFull; }
    void SetURLFull(bool Value);

    // ===================================== formatted cell text and hooks
    // The display text through the number format of OnGetFloatFormat.
    virtual QString GetFormattedCell(Integer ACol, Integer ARow);
    virtual void SelectionChanged(Integer ALeft, Integer ATop, Integer ARight, Integer ABottom);
    virtual void InplaceEditCaretChanged(const QString& Text, Integer CaretPos) {}
    virtual void AutoInsertRow(Integer ARow);
    virtual void AutoDeleteRow(Integer ARow);
    // The text written to files, and a read text stored raw.
    virtual void SaveCell(Integer ACol, Integer ARow, QString& Value);
    virtual void LoadCell(Integer ACol, Integer ARow, const QString& Value);
    virtual void ExportNotification(Integer AState, Integer ARow) {}
    virtual void ImportNotification(Integer AState, Integer ARow) {}

    // ================================ text marking, checks, fills, selection
    static QString HilightText(bool DoCase, const QString& S, const QString& Text);
    static QString MarkText(bool DoCase, const QString& S, const QString& Text);
    static QString UnHilightText(const QString& S);
    static QString UnMarkText(const QString& S);
    void HilightInCell(Integer Col, Integer Row, const QString& HiText, bool DoCase);
    void HilightInCol(Integer Col, const QString& HiText, bool DoFixed, bool DoCase);
    void HilightInRow(Integer Row, const QString& HiText, bool DoFixed, bool DoCase);
    void HilightInGrid(const QString& HiText, bool DoFixed, bool DoCase);
    void UnHilightInCell(Integer Col, Integer Row);
    void UnHilightInCol(Integer Col, bool DoFixed);
    void UnHilightInRow(Integer Row, bool DoFixed);
    void UnHilightInGrid(bool DoFixed);
    void MarkInCell(Integer Col, Integer Row, const QString& HiText, bool DoCase);
    void MarkInCol(Integer Col, const QString& HiText, bool DoFixed, bool DoCase);
    void MarkInRow(Integer Row, const QString& HiText, bool DoFixed, bool DoCase);
    void MarkInGrid(const QString& HiText, bool DoFixed, bool DoCase);
    void UnMarkInCell(Integer Col, Integer Row);
    void UnMarkInCol(Integer Col, bool DoFixed);
    void UnMarkInRow(Integer Row, bool DoFixed);
    void UnMarkInGrid(bool DoFixed);
    DAriViziveVudaDodav* CellChecker() const { return FCellChecker; }
    void SetCellChecker(DAriViziveVudaDodav* Value);
    // True when no cell was changed by the checker.
    bool CheckCell(Integer Col, Integer Row);
    bool CheckCells(Integer FromCol, Integer FromRow, Integer ToCol, Integer ToRow);
    bool CheckCol(Integer Col, bool DoFixed);
    bool CheckRow(Integer Row, bool DoFixed);
    bool CheckGrid(bool DoFixed);
    void TextFill(bool DoFixed, const QString& Txt);
    void FormatFill(bool DoFixed, const QString& Fmt);
    void RandomFill(bool DoFixed, Integer Rnd);
    void LinearFill(bool DoFixed);
    bool RowSelect(Integer ARow);
    void SetRowSelect(Integer ARow, bool Value);
    bool ColSelect(Integer ACol);
    void SetColSelect(Integer ACol, bool Value);
    // Whole rows from RowIndex (cut to the rows there are): the selection,
    // or with DisjunctRowSelect each row's flag.
    void SelectRows(Integer RowIndex, Integer RCount);
    void UnSelectRows(Integer RowIndex, Integer RCount);
    void SelectCols(Integer ColIndex, Integer CCount);
    void UnSelectCols(Integer ColIndex, Integer CCount);
    void SelectRange(Integer FromCol, Integer ToCol, Integer FromRow, Integer ToRow);
    void ClearRowSelect();
    void ClearColSelect();
    void SelectionToRowSelect(bool AllRows);
    void SelectionToColSelect(bool AllCols);
    Integer RowSelectCount();
    Integer ColSelectCount();
    TIntList* SelectedRows() const { return FSelectedRows.get(); }
    bool RowModified(Integer ARow) const;
    void SetRowModified(Integer ARow, bool Value);
    Integer ModifiedRowCount() const;
    bool RowEnabled(Integer ARow) const;
    void SetRowEnabled(Integer ARow, bool Value);
    void GotoCell(Integer ACol, Integer ARow);
    void MoveToCell(Integer ACol, Integer ARow);
    void EditCell(Integer ACol, Integer ARow);
    void FocusCell(Integer ACol, Integer ARow);
    void SwapCells(TPoint FromCell, TPoint ToCell);
    void RepaintRow(Integer ARow);
    void RepaintCol(Integer ACol);
    void RepaintRect(TRect R);

    // ======================================= appearance and editing hooks
    virtual void CanEditCell(Integer ACol, Integer ARow, bool& CanEdit);
    virtual void SearchFooterAction(const QString& Value, Integer ACol, Integer ARow, TSearchFooterAction Action);
    virtual void ButtonClick(Integer ACol, Integer ARow);
    virtual void ExpandClick(Integer ACol, Integer ARow, bool Expanded);
    virtual void ComboCloseUp(Integer ACol, Integer ARow);
    virtual void ComboDropDown(Integer ACol, Integer ARow);
    virtual void GetCellCursor(Integer ACol, Integer ARow, Integer X, Integer Y);
    virtual void GridHint(Integer ACol, Integer ARow, QString& Hint, QString& WideHint);
    virtual void GetCellColor(Integer ACol, Integer ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont);
    virtual void GetCellPrintColor(Integer ACol, Integer ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont);
    virtual void GetCellBorder(Integer ACol, Integer ARow, TPen* APen, TCellBorders& Borders);
    virtual void GetCellPrintBorder(Integer ACol, Integer ARow, TPen* APen, TCellBorders& Borders);
    virtual void GetAlignment(Integer ACol, Integer ARow, TAlignment& HAlign, TVAlignment& VAlign);
    virtual void GetFormat(Integer ACol, TSortStyle& AStyle, QString& Prefix, QString& Suffix);
    virtual void GetCellEditorType(Integer ACol, Integer ARow, TEditorType& AEditor);
    virtual void GetCellEditor(Integer ACol, Integer ARow, TEditorType& AEditor);
    virtual bool IsEditorNone(Integer ACol, Integer ARow);
    virtual void IsFixedCell(Integer ACol, Integer ARow, bool& IsFixed);
    virtual void DoCanEditCell(Integer ACol, Integer ARow, bool& CanEdit);
    virtual void IsPasswordCell(Integer ACol, Integer ARow, bool& IsPassword);
    virtual void GetCellWordWrap(Integer ACol, Integer ARow, bool& WordWrap);
    virtual bool HasComboBox(Integer ACol, Integer ARow);
    virtual bool HasSpinEdit(Integer ACol, Integer ARow);
    virtual void GetCheckTrue(Integer ACol, Integer ARow, QString& Value);
    virtual void GetCheckFalse(Integer ACol, Integer ARow, QString& Value);
    // Fills FilterList with the values of a column's filter dropdown.
    virtual bool GetColumnFilter(Integer ACol);
    // The ReadOnly flag of the cell's properties (none: false).
    bool GetReadOnly(Integer ACol, Integer ARow) const;
    // The font a cell paints in (valid until the next call).
    TFont* GetCellFont(Integer ACol, Integer ARow);
    static TCheckBoxState BoolToCheckBoxState(bool Value) { return Value ? cbChecked : cbUnchecked; }
    // Raises DOzeDidoRivar "Invalid cell" outside the real grid.
    void AddCheckBox(Integer ACol, Integer ARow, TCheckBoxState State);
    void AddTriStateCheckBoxColumn(Integer ACol, TCheckBoxState State);
    bool GetCheckBoxState(Integer ACol, Integer ARow, TCheckBoxState& State);
    // Check box (any kind), radio or button in the base cell.
    bool IsControlCell(Integer ACol, Integer ARow);
    bool HasCheckBox(Integer ACol, Integer ARow);
    static TCustomForm* FindParentForm(TControl* Control);

    // ================================================ cell editors
    // The special editor of the displayed cell: placed, filled and shown.
    void ShowCellEditor(Integer ACol, Integer ARow);
    // Closes the special editor and writes its value (displayed column).
    void FinishCellEdit(Integer ACol, Integer ARow);
    void HideCellEdit() { FinishCellEdit(Col(), Row()); }
    // Starts editing as F2 does.
    void ShowCellEdit();
    // Closes whichever editor is open, writing its value back.
    void HideInplaceEdit();
    // Opens the editor of the current cell.
    void ShowInplaceEdit();
    bool IsEditable(Integer ACol, Integer ARow);
    bool IsCellEditable(Integer ACol, Integer ARow);
    bool IsFixed(Integer ACol, Integer ARow) override;
    bool CellIsPassword(Integer ACol, Integer ARow);
    virtual void SetEditorCellValue(Integer ACol, Integer ARow, const QString& Value);
    virtual void RestoreCellFromCache();
    bool EditorWantsTab() const;
    void ClearComboString();
    void AddComboString(const QString& S);
    void AddComboStringObject(const QString& S, TObject* AObject);
    bool RemoveComboString(const QString& S);
    bool SetComboSelectionString(const QString& S);
    void SetComboSelection(Integer Index) { FComboIdx = Index; }
    Integer GetComboCount() const;
    Integer GetComboIndex(Integer ACol, Integer ARow);
    void SetComboIndex(Integer ACol, Integer ARow, Integer Index);
    TExInplaceEdit* GetNormalEdit() const;
    TGridCombo* Combobox() const { return EditCombo; }
    TGridCheckBox* CheckBoxEditor() const { return EditCheck; }
    TWinControl* EditCtrlNow() const { return EditCtrl; }
    TEditorType EditControlKind() const { return EditControl; }
    bool InEditMode() const { return EditMode; }
    TEditLink* EditLink() const { return FEditLink; }
    void SetEditLink(TEditLink* Value) { FEditLink = Value; }
    QString CellCache() const { return FCellCache; }
    virtual void GetEditorProp(Integer ACol, Integer ARow, TEditLink* AEditLink);
    virtual void CheckBoxClick(Integer ACol, Integer ARow, TCheckBoxState State);
    // The kinds that the normal in-place edit serves.
    static bool IsTextEditor(TEditorType Kind);
    // The special editors made on first use (and kept by the grid).
    TGridSpin* SpinEdit();
    TGridDatePicker* DateTimePicker();
    TGridDateTimePicker* DateAndTimePicker();
    // The hidden rich edit that measures and renders rich-text cells, and
    // the editor of edRichEdit cells.
    TExRichEdit* RichEdit();
    TExRichEdit* InplaceRichEdit();
    TGridTrackbarDropDown* TrackbarDropDown();
    TGridMemoDropDown* MemoDropDown();
    TGridCalculatorDropDown* CalculatorDropDown();
    TGridTimepickerDropDown* TimePickerDropDown();
    TGridDetailPickerDropDown* DetailPickerDropDown();
    TGridGridDropDown* GridDropDown();
    TGridExGridDropDown* ExGridDropDown();
    TGridColorDropDown* ColorPickerDropDown();
    TGridImageDropDown* ImagePickerDropDown();
    // The other special editors, each made hidden the first time it is
    // needed (a cell opens it, or it is asked for).
    TGridEditBtn* BtnEdit();
    TGridUnitEditBtn* BtnUnitEdit();
    TGridButton* Btn();
    TGridTransEdit* FixedCellEdit();
    TGridTransCombo* FixedCellCombo();
    TControlEdit* CellControlEdit();
    TControlCombo* CellControlCombo();
    // The row or column of the edited cell grows with what is typed.
    TSizeWhileTyping* SizeWhileTyping() const { return FSizeWhileTyping.get(); }
    void SetSizeWhileTyping(const TSizeWhileTyping* Value) { FSizeWhileTyping->Assign(Value); }
    // Rich-text cells: the cell's source loaded into a rich edit (an empty
    // cell clears it), a rich edit's content as a cell's source, and both.
    void CellToRich(Integer ACol, Integer ARow, TRichEdit* RichEdit);
    QString RichToString(TRichEdit* RichEdit);
    void RichToCell(Integer ACol, Integer ARow, TRichEdit* RichEdit);
    // Renders the rich-text cell into R (a screen's or a printer's canvas).
    void DrawRichCell(Integer ACol, Integer ARow, TRect R, TCanvas* Canvas);
    // The controls of mini-HTML cells: the edit or combo over one control
    // (CtrlRect in client coordinates, ACol displayed, RealCol real), its
    // end, and the combo's choice.
    void StartControlEdit(const QString& HTML, const QString& CtrlType, const QString& CtrlID,
                          const QString& CtrlValue, TRect CtrlRect, Integer ACol, Integer RealCol, Integer ARow);
    void EndControlEdit(TObject* Sender);
    void ControlComboSelect(TObject* Sender);
    bool ControlEditing() const { return FCtrlEditing; }
    // The cell (real column) and the ID of the control being edited.
    TPoint ControlEditCell() const { return FCtrlXY; }
    const QString& ControlEditID() const { return FCtrlID; }
    // Opens the next editable control of a mini-HTML cell after the one
    // with ControlID (the first when it is empty); focuses the grid when none.
    void EditHTMLControl(Integer ACol, Integer ARow, const QString& ControlID);
    // The edit box or combo box of a fixed cell (displayed column).
    void StartFixedCellEdit(Integer ACol, Integer ARow);
    // OnEditChange with the fixed cell being edited.
    void FixedEditChange(TObject* Sender);
    // Fires OnFixedEdit; the kind and values it leaves are used.
    virtual void FixedEdit(Integer ACol, Integer ARow, TGridFixedCellEditor& AEditor, TStrings* Values);
    // The dropdown editors' header and footer buttons, for the current cell.
    void DropDownHeaderButtonClick(TObject* Sender, Integer ButtonIndex);
    void DropDownFooterButtonClick(TObject* Sender, Integer ButtonIndex);

    // =========================== sizing, scroll bars, footer and save ranges
    void Invalidate() override;
    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
    void UpdateScrollBars(bool Force);
    // Whether a scroll bar is shown and enabled as UpdateScrollBars left it.
    bool VertScrollBarShown() const { return FVertBarVisible; }
    bool VertScrollBarEnabled() const { return FVertBarEnabled; }
    bool HorzScrollBarShown() const { return FHorzBarVisible; }
    bool HorzScrollBarEnabled() const { return FHorzBarEnabled; }
    void SetScrollType(TScrollType Value);
    void SetScrollColor(TColor Value) { FScrollColor = Value; }
    void SetScrollWidth(Integer Value) { FScrollWidth = Value; }
    void SetScrollBarAlways(TScrollBarAlways Value);
    void SetScrollProportional(bool Value);
    void UpdateFooter();
    virtual void CalcFooter(Integer ACol) { DoCalcFooter(ACol); }
    virtual void DoCalcFooter(Integer ACol);
    void LastRowChanged() override { UpdateFooter(); }
    // FloatingFooter()->SetVisible: shows or hides the footer strip below
    // the rows; in the fixed-last-row style the last row is painted only in
    // the strip.
    void SetFloatingFooterVisible(bool Value);
    // The strip's window (features/ExGridFooter.cpp): shown or hidden at a
    // height; the cells end above it.
    void ShowFooterStrip(bool Show, Integer StripHeight);
    void SetFooterStripHeight(Integer StripHeight);
    TFooterPanel* FooterPanel() const { return FFooterPanel; }
    // The search bar (features/ExGridSearchPanel.cpp), made when first shown
    // or asked for.
    TSearchPanel* SearchPanel();
    // Lays the SearchFooter settings onto the search bar.
    void UpdateSearchPanel();
    // The thin scroll controls of ScrollType ssMetro (nullptr otherwise).
    TScrollControl* VertScrollControl() const { return vscrlctrl; }
    TScrollControl* HorzScrollControl() const { return hscrlctrl; }
    void CreateScrollControls();
    virtual void F2KeyPressed() {}
    Integer SaveStartCol() const;
    Integer SaveStartRow() const;
    Integer SaveEndCol() const;
    Integer SaveEndRow() const;
    Integer SaveColCount() const;
    Integer SaveRowCount() const;
    virtual TRect GetUsedCells();
    TRect UsedCells() { return GetUsedCells(); }
    void ScreenToCell(TPoint P, Integer& ACol, Integer& ARow) const;
    bool IsOnSizingBorder(Integer X, Integer Y) const;
    virtual Integer IncRowCount() { return RowCount() + 1; }
    // Column statistics over display rows FromRow .. ToRow (-1: all normal
    // rows; a ToRow past the displayed rows means real rows), in
    // exchange/ExGridStats.cpp.
    double ColumnSum(Integer ACol, Integer FromRow, Integer ToRow);
    double ColumnAvg(Integer ACol, Integer FromRow, Integer ToRow);
    double ColumnMin(Integer ACol, Integer FromRow, Integer ToRow);
    double ColumnMax(Integer ACol, Integer FromRow, Integer ToRow);
    double ColumnStdDev(Integer ACol, Integer FromRow, Integer ToRow);
    double ColumnDistinct(Integer ACol, Integer FromRow, Integer ToRow);
    void SetHighlightColor(TColor Value);
    void SetHighlightTextColor(TColor Value);
    void SetXYOffset(const TPoint& Value);
    void UpdateXYOffset(Integer X, Integer Y) { FXYOffset = {X, Y}; }
    // Repaints the window's border in the new colour.
    void SetBorderColor(TColor Value);
    // The one-pixel frame in BorderColor that the gradient looks draw over
    // the window's edge (not flat, not borderless, colour set).
    void PaintBorder(TCanvas* ACanvas);

    // ================================ focus frame and design-time box
    // The translucent frame floated around the edited cell while
    // FocusHelper is enabled: shown around a cell rectangle (client
    // coordinates), kept on the current cell whenever a window of the
    // program moves, hidden as editing ends. One grid shows it at a time.
    void ShowFocusWindow(const TRect& R);
    void MoveFocusWindow();
    void HideFocusWindow();
    TGridFocusWindow* FocusWindow() const { return FFocusWindow; }
    static TExStringGrid* FocusGrid();
    // The window hook that moves the shown frame along.
    static LRESULT FocusWindowHook(int Code, WPARAM wParam, LPARAM lParam);
    // The quick configuration box drawn in the bottom-right corner while the
    // grid is designed: its line under a client point (1 allow edit,
    // 2 column numbers, 3 set look, 4 close, -1 none), its painting and a
    // click on it.
    Integer DesignHelperHitTest(Integer X, Integer Y);
    virtual void PaintDesignHelper();
    virtual void DesignHelperClick(Integer X, Integer Y);
    void SetShowDesignHelper(bool Value);
    bool ShowColNrs() const { return FShowColNrs; }
    Integer LastDesignChoice() const { return FLastDesignChoice; }
    void SetSelectionEx(const TGridRect& Value);
    void SetAutoThemeAdapt(bool Value);
    bool UsesVCLStyles() override { return FUseVCLStyles; }
    void PaintWindowFrame(TCanvas* ACanvas) override;
    void LayoutBottomReserve(const TRect& R) override;

    // ================================ scrolling, counts and notifications
    bool ScrollHintShowing() const { return FScrollHintShow; }
    QString ScrollHintText() const { return FScrollHintText; }
    void UpdateProportionalHScroll();
    void UpdateProportionalVScroll();
    // Raises DOzeDidoRivar "Stretch column index out of range".
    void StretchColumn(Integer Index);
    void StretchRightColumn() { StretchColumn(-1); }
    virtual void UpdateColumnSize(Integer ACol, Integer& AWidth);
    virtual void UpdateAutoColumnSize(Integer ACol, Integer& AWidth);
    virtual void ColumnHeadersChanging() {}
    void RegisterSelListener(std::shared_ptr<ITExStringGridSelect> AListener) { FISelect = std::move(AListener); }
    void UnRegisterSelListener(const std::shared_ptr<ITExStringGridSelect>&) { FISelect.reset(); }
    void RegisterNotifier(TGridChangeNotifier* Item);
    void UnRegisterNotifier(TGridChangeNotifier* ANotifier);
    Integer NotifierCount() const;
    // Scrolling while something is dragged near the grid's edges, as
    // DragScrollOptions says, then the platform's handling (OnDragOver).
    void DragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept) override;
    bool DragScrollTimerRunning() const { return FDragTmr != nullptr; }
    Integer DragScrollInterval() const;
    // One tick of the drag-scroll timer.
    void DragScrollTick();
    Integer GetFixedRows() const;
    void SetFixedRowsEx(Integer Value);
    Integer GetFixedCols() const;
    void SetFixedColsEx(Integer Value);
    Integer FixedColWidth() const { return ColWidths(0); }
    void SetFixedColWidth(Integer Value);
    Integer FixedRowHeight() const { return FFixedRowHeight; }
    void SetFixedRowHeight(Integer Value);
    void SetDefaultRowHeightEx(Integer Value);
    void SetFixedFooters(Integer Value);
    void SetFixedRightCols(Integer Value);
    void SetDefaultAlignment(TAlignment Value);
    bool WordWrap() const { return FWordWrapEx; }
    void SetWordWrap(bool Value);
    void SetLookupItems(const TStrings* Value);
    TColor ArrowColor() const;
    void SetArrowColor(TColor Value);

    // ===================== cell navigation, Enter advance and type-ahead
    void AdvanceToNextCell(Integer ACol, Integer ARow, bool ShowEditor, bool Nested, bool Forward, bool AutoEdit,
                           bool Force);
    virtual void CellChanging(Integer ACol, Integer ARow, bool& Allow);
    void RepaintTwoCells(Integer OldCol, Integer OldRow, Integer NewRow, Integer NewCol);

    Integer FirstNormalCol();
    virtual void CanAddRow(bool& Allow);
    // Appends an empty row (before the footer row when one is shown).
    void AddRow();
    bool DisableChange() const { return FDisableChange; }
    void SetDisableChange(bool Value) { FDisableChange = Value; }

    // ============================== in-place editing (editors/ExInplaceEdit.cpp, ExGridEditors.cpp)
    // Tab is the editors' (to validate it) when goTabs is on or a validation event is set.
    bool HasCellValidation() const;
    // The text editor's length limit: MaxEditLength (0: none).
    Integer GetEditLimit() override { return MaxEditLength(); }
    // An editor left at its text's edge (CursorWalkEditor): onto the control
    // cell beside, else to the previous or next cell, its editor opened with
    // CursorWalkAlwaysEdit.
    void CursorWalkOut(bool Forward, const QString& EditorText);
    // Closes the editor because Key leaves the cell, then moves as Key says.
    void DoneInplaceEdit(Word Key, TShiftState Shift);
    // Hook for descendants: the text editor's text starts with "=".
    virtual void InplaceEditFormula(bool IsFormula) {}
    // Characters an edValidChars cell takes when ValidChars is empty (0-255).
    QString ValidCharSet() const { return FValidCharSet; }
    void SetValidCharSet(const QString& Value) { FValidCharSet = Value; }
    // Cells hold several lines: the text editor becomes a multi-line edit.
    // The other spelling of MultilineCells: one setting for editing and
    // painting alike.
    bool Multilinecells() const { return FMultilineCells; }
    void SetMultilinecells(bool Value) { FMultilineCells = Value; }
public:
    TGridClipboardEvent OnClipboardCopy;
    TGridClipboardEvent OnClipboardCut;
    TGridClipboardEvent OnClipboardPaste;
    TGridClipboardPasteCellEvent OnClipboardBeforePasteCell;
    TGridClipboardAfterPasteCellEvent OnClipboardAfterPasteCell;

    // ======================================= keyboard input (input/ExGridKeys.cpp)
    // The current row is the last data row (the floating footer's row excluded).
    bool IsLastDataRow() const;
    // Appends one empty data row (before the floating footer), if OnCanAddRow allows.
    void AutoAppendRow();
    TIndexEvent OnAutoInsertRow;
    TCanInsertRowEvent OnCanDeleteRow;

    // ============================================== Tab walk (input/ExGridTabWalk.cpp)
    // One Tab (or with Backwards a Shift+Tab) step over the cells that may be
    // entered; false when Tab went on to the parent form.
    bool TabToNextCell(bool Backwards);
    // Closes the open editor, gives the grid the focus and tabs on.
    void TabOutOfEditor(bool Backwards);
    // Right fixed columns that are shown.
    Integer VisibleFixedRightCols() const;
    // Editable (editing grid) or not fixed, as OnSelectCell leaves it.
    bool CanEnterCell(Integer ACol, Integer ARow);
    // First (last) column of the row that CanEnterCell accepts, -1 for none.
    Integer FirstEnterableCol(Integer ARow);
    Integer LastEnterableCol(Integer ARow);
    virtual void GotoFirstRow();
    // A click on the cell that the program's mouse events do not see.
    void SimulateCellClick(Integer ACol, Integer ARow);

    // ==================== selection queries and current cell (input/ExGridSelectionQueries.cpp)
    // In the disjunct cell selection (DisjunctCellSelect), else in the selected block.
    bool SelectedCells(Integer ACol, Integer ARow) const;
    void SetSelectedCells(Integer ACol, Integer ARow, bool Value);
    // Outside the disjunct mode the cell list is rebuilt from the block first.
    Integer SelectedCellsCount();
    TGridCoord SelectedCell(Integer Index) const;
    Integer SelectedRowCount();
    Integer SelectedColCount();
    // The I-th selected row, -1 past the last.
    Integer SelectedRow(Integer I);
    void ClearSelectedCells();
    void ClearModifiedRows();
    // The cell-selection check once more for the current cell.
    void Select();
    void InvalidateSelectionRect(const TGridRect& R);
    // The raw text of the current cell's base cell (real column).
    QString GetCurrentCell() const;
    void SetCurrentCell(const QString& Value);
    QString CurrentCell() const { return GetCurrentCell(); }
    // The same through the display hooks.
    virtual QString GetCurrentCellText();
    // Through the editing setter, at the base cell.
    virtual void SetCurrentCellEditText(const QString& Value);
    TEditorType CurrentEditor() const { return EditControl; }
    Cardinal VersionNr() const { return GetVersionNr(); }
    QString VersionString() const;

    // ============================================== row filters
    TFilter* Filter() const { return FFilter.get(); }
    virtual bool MatchFilterRow(Integer ARow);
    void FilterRow(Integer ARow);
    void ApplyFilter();
    bool RemoveLastFilter();
    void RemoveAllFilters();
    void NarrowDown(const QString& ACondition, Integer AColumn);
    void RemoveColumnFilter(Integer ACol);
    virtual void FilterSelect(Integer ItemIndex);
    virtual void FilterCheck();
    bool FilterActive() const { return FFilterActive; }
    void SetFilterActive(bool Value);
    Integer FilterDropDownRow() const { return FFilterRow; }
    void SetFilterDropDownRow(Integer Value);
    bool FilterDropDownAuto() const { return FFilterDropDownAuto; }
    void SetFilterDropDownAuto(bool Value);
    // The column whose filter dropdown is open (-1: none) and the dropdown's
    // check list, as the header painting opens them.
    Integer FilterCol() const { return FFilterCol; }
    void SetFilterCol(Integer Value) { FFilterCol = Value; }
    // The dropdown lists (features/ExGridFilterDropDown.cpp), made on first use.
    TDropList* DropList();
    TDropCheckList* FilterCheckList();
    bool FilterChecked(Integer Index);
    void SetFilterChecked(Integer Index, bool Value);
    TFilterDropDown* FilterDropDown() const { return FFilterDropDown.get(); }
    void SetFilterDropDown(const TFilterDropDown* Value);
    // A release at (X, Y) over the filter glyph of displayed cell (ACol,
    // ARow) of the filter row opens that column's dropdown; false otherwise.
    bool OpenFilterDropDown(Integer ACol, Integer ARow, Integer X, Integer Y);
    void CloseFilterDropDown();
    // Whether a header cell shows the fixed dropdown button (OnCanShowFixedDropDown).
    virtual bool CanShowFixedDropDown(Integer ACol);
    TPopupMenu* FixedDropDownMenu() const { return FFixedDropDownMenu; }
    void SetFixedDropDownMenu(TPopupMenu* Value) { FFixedDropDownMenu = Value; }
    std::function<void(TObject* Sender, Integer ACol, bool& Allow)> OnCanShowFixedDropDown;
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, TPopupMenu*& AMenu,
                       bool& KeepFixedCellHighlighted)>
        OnFixedDropDownClick;

    // ================ looks, scrolling into view, moving (features/ExGridLook.cpp)
    // The identifier and the display name of a look (glCustom: Text unchanged).
    // Scrolls a displayed cell into view, centring it.
    void ScrollInView(Integer ColIndex, Integer RowIndex);
    // Displayed indexes; the column order is recorded before the first
    // move, and controls placed in cells follow their columns and rows.
    void MoveColumn(Integer FromIndex, Integer ToIndex);
    void MoveRow(Integer FromIndex, Integer ToIndex);
    // Count rows from FromIndex (every real column) moved to ToIndex.
    void MoveRows(Integer FromIndex, Integer ToIndex, Integer Count);

    // ======= wheel, panning, zoom, cell controls (input/ExGridWheel.cpp)
    // Adds Delta to every column width and row height (ZoomFactor stays
    // within -10 .. 10).
    void Zoom(Integer Delta);
    void InitOrigColSizes();
    // The control placed in a cell (real column, displayed row); nil when none.
    TControl* CellControls(Integer ACol, Integer ARow) const;
    void SetCellControls(Integer ACol, Integer ARow, TControl* Value);
    // Places every cell control over its cell, hidden out of view.
    void CellControlsUpdate(bool RebuildList);
    void UpdateAutoRangeScrollBar(Integer ACol, Integer ARow) override;
    bool Panning() const { return wheelpan; }
    virtual void MouseWheelDone(Integer RowDelta, bool& Handled) {}
    std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)> OnMouseWheelDown;
    std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)> OnMouseWheelUp;

    // ==================== enhanced column and row moving (input/ExGridMove.cpp)
    THeaderDragButton* MoveButton();
    // Fire OnStartBlockFocus, OnEndBlockFocus.
    virtual void StartBlockFocus();
    virtual void EndBlockFocus();
    // A floating picture of the cells of ARect (displayed indexes) on a
    // form that never takes the activation; the caller owns the form.
    TForm* SelectionToForm(const TGridRect& ARect);
    std::function<void(TObject* Sender, Integer ACol, bool& Allow)> OnColumnMoving;
    std::function<void(TObject* Sender, Integer ARow, bool& Allow)> OnRowMoving;
    TNotifyEvent OnStartBlockFocus;
    TNotifyEvent OnEndBlockFocus;

    // ================================================== nodes (features/ExGridNodes.cpp)
    // A node row carries a ctNode graphic in column 0 (CellBoolean: the node
    // is contracted; CellIndex: its span of real rows, itself included, 0
    // for up to the next node; CellErrFrom: the rows added under it) and
    // covers the rows of its span, which contracting hides. Rows marked
    // (real) take real rows, the others displayed ones.
    TCellNode* CellNode() const { return FCellNode.get(); }
    void SetCellNode(const TCellNode* Value);
    Integer NodeIndent() const;
    void SetNodeIndent(Integer Value);
    void AddNode(Integer ARow, Integer Span);  // real
    void RemoveNode(Integer ARow);             // real
    void RemoveAllNodes();
    bool IsNode(Integer ARow);
    bool IsSummary(Integer ARow);
    // True for a contracted node.
    bool GetNodeState(Integer ARow);
    // True contracts, false expands a node whose state differs.
    void SetNodeState(Integer ARow, bool Value);
    Integer GetNodeLevel(Integer ARow);
    Integer GetNodeSpan(Integer ARow);
    void SetNodeSpan(Integer ARow, Integer Span);
    void UpdateNodeSpan(Integer ARow, Integer Delta);
    Integer GetSubNodeCount(Integer ARow);
    void UpdateSubNodeCount(Integer ARow, Integer Delta);
    void ExpandNode(Integer ARow);    // real
    void ContractNode(Integer ARow);  // real
    void ExpandAll();
    void ContractAll();
    Integer GetParentRow(Integer ARow);
    void InsertChildRow(Integer ARow, Integer InsertAt);  // real
    void RemoveChildRow(Integer ARow);                    // real
    void InsertNormalRow(Integer ARow);                   // real
    void RemoveNormalRow(Integer ARow);
    // 0 for a node row; 1 where the tree line ends; 2 inside a span.
    Integer GetNodeSpanType(Integer ARow);
    bool IsOnNodeGlyph(Integer ARow, Integer X);
    void MarkSummaryRow(Integer ARow);  // real
    // The displayed row after the span of node row ARow.
    Integer NodeSpanEnd(Integer ARow);
    Integer NumNodes() const { return FNumNodes; }
    std::function<void(TObject* Sender, Integer ARow, Integer ARowReal, bool& Allow)> OnBeforeExpandNode;
    std::function<void(TObject* Sender, Integer ARow, Integer ARowReal, bool& Allow)> OnBeforeContractNode;
    std::function<void(TObject* Sender, Integer ARow, Integer ARowReal)> OnExpandNode;
    std::function<void(TObject* Sender, Integer ARow, Integer ARowReal)> OnContractNode;

    // ======================================== find and replace (features/ExGridFind.cpp)
    // The first matching cell from one cell after StartCell ((-1, -1): from
    // the first) in the order the options say, (-1, -1) when none; no
    // wrap-around. Columns are displayed (real with fnIncludeHiddenColumns),
    // rows displayed (real with fnIncludeHiddenRows). A merged area counts
    // as its base cell.
    TPoint Find(TPoint StartCell, const QString& S, TFindParameters FindParams);
    TPoint FindWide(TPoint StartCell, const QString& S, TFindParameters FindParams);
    TPoint FindFirst(const QString& S, TFindParameters FindParams);
    TPoint FindNext();
    // Every occurrence replaced (case ignored) in every matching cell;
    // the number of cells changed.
    Integer Replace(const QString& OrigStr, const QString& NewStr, TFindParameters FindParams);
    // The first normal row whose text in the sort column (FixedCols when the
    // sort header is not shown) starts with Text (upper case); -1 when none,
    // when not sorted, or with fewer than 2 rows.
    Integer Search(const QString& Text);
    TPoint LastSearchCell() const { return SearchCell; }
    // What the search footer's panel calls with its edit text, match-case
    // box and highlight button. SearchEditChange answers the colour of the
    // edit box (clRed when nothing was found).
    TColor SearchEditChange(const QString& Text, bool MatchCase, bool Highlight);
    void SearchBackward(const QString& Text, bool MatchCase, bool Highlight);
    void SearchForward(const QString& Text, bool MatchCase, bool Highlight);
    void SearchFooterClose();
    void HiliteButtonClick(const QString& Text, bool Down, bool MatchCase);
    std::function<void(TObject* Sender, const QString& Value, bool& DefaultSearch)> OnSearchEditChange;

    // ================================================ grouping (features/ExGridGrouping.cpp)
    // Columns are real. Grouping sorts by the column (AutoSortForGrouping),
    // puts a header node above every run of equal values, takes the
    // column out and adds summary rows with Grouping.Summary.
    virtual void Group(Integer Colindex);
    virtual void UnGroup();
    virtual void SubGroup(Integer Colindex);
    virtual void SubUnGroup(Integer Colindex);
    Integer GroupColumn() const { return FGroupColumn; }
    // -1 ungroups, above 0 groups by that column, 0 does nothing.
    void SetGroupColumn(Integer Value);
    // One aggregate per expanded group into its summary row (header row
    // without summaries): 1 sum, 2 average, 3 minimum, 4 maximum, 5 count,
    // 6 OnGroupCalc, 7 distinct texts, 8 standard deviation.
    void GroupCalc(Integer ACol, Integer Method);
    void GroupSum(Integer Colindex);
    void GroupAvg(Integer Colindex);
    void GroupMin(Integer Colindex);
    void GroupMax(Integer Colindex);
    void GroupCount(Integer Colindex);
    void GroupCustomCalc(Integer Colindex);
    void GroupDistinct(Integer Colindex);
    void GroupStdDev(Integer Colindex);

    // ======== clearing, trimming, merging and splitting (exchange/ExGridClear.cpp)
    // Rows with every real column, columns over every row.
    void ClearRows(Integer RowIndex, Integer RCount);
    void ClearCols(Integer ColIndex, Integer CCount);
    // The same without fixed columns and rows (footer rows and right columns).
    void ClearNormalRows(Integer RowIndex, Integer RCount);
    void ClearNormalCols(Integer ColIndex, Integer CCount);
    void ClearNormalCells();
    void Clear();
    // Clear, and the texts kept for hidden rows too.
    void ClearAll();
    void ClearSelection();
    virtual void TrimRect(Integer ACol1, Integer ARow1, Integer ACol2, Integer ARow2);
    void TrimColumn(Integer ACol);
    void TrimRow(Integer ARow);
    void TrimAll();
    void ColorRect(Integer ACol1, Integer ARow1, Integer ACol2, Integer ARow2, TColor AColor);
    // Runs of equal texts in a column (row) become merged areas; without
    // MainMerge a run stops where the neighbours are merged differently.
    void MergeColumnCells(Integer ColIndex, bool MainMerge);
    void MergeRowCells(Integer RowIndex, bool MainMerge);
    void SplitColumnCells(Integer ColIndex);
    void SplitRowCells(Integer RowIndex);
    void SplitAllCells();
    // Every column split; the MergedColumns merged again.
    void SplitAllColumnCells();
    void RemergeColumnCells();
    // Column 2's texts appended to column 1's (with Separator); column 2 goes.
    void MergeCols(Integer ColIndex1, Integer ColIndex2, const QString& Separator);
    // The first cell whose stored text is SubStr.
    bool IsCell(const QString& SubStr, Integer& ACol, Integer& ARow);
    bool IsWideCell(Integer ACol, Integer ARow);
    // The number in a cell (0 when empty); raises DOzeDidoRivar
    // "Error at position: ..." for a text that is no number.
    double CellToReal(Integer ACol, Integer ARow);
    // The fixed and active-cell fonts follow a rescale by M / D.
    virtual void ChangeScale(Integer M, Integer D);

    // ================================================ sorting (features/ExGridSort.cpp)
    // Columns are real (hidden ones counted), rows displayed. A sort moves
    // whole rows (every real column, cell objects, heights, row marks) and
    // keeps rows that compare equal in their order.
    void Sort(Integer Column, TSortDirection Direction);
    // Only when RowCount > 1.
    void SortByColumn(Integer Col);
    // The data rows by SortSettings.Column (the following columns decide
    // ties with SortSettings.Full).
    virtual void QSort();
    // By SortIndexes; raises DOzeDidoRivar "No indexes specified for
    // indexed sort" when the list is empty.
    virtual void QSortIndexed();
    // Inside every expanded node of the deepest node level.
    virtual void QSortGroup();
    virtual void QSortGroupIndexed();
    // Back to the order recorded since the last InitSortXRef.
    virtual void QUnSort();
    // Rows Left .. Right only.
    void QuickSort(Integer Col, Integer Left, Integer Right);
    void QuickSortIndexed(Integer Left, Integer Right);
    // Swaps the two rows when they are in the wrong order for the present
    // direction, comparing from column Col on; true when they were swapped.
    bool SortLine(Integer Col, Integer Row1, Integer Row2);
    void InitSortXRef();
    Integer SortedRowIndex(Integer ARow) const;
    Integer UnSortedRowIndex(Integer ARow) const;
    QString UnSortedCells(Integer ACol, Integer ARow) const;
    // -1, 0 or 1: 1 when Row1's cell sorts after Row2's (ascending, blanks
    // placed as IgnoreBlanks and BlankPos say for Direction).
    Integer CompareCells(Integer ACol, Integer Row1, TSortDirection Direction, Integer Row2);
    // With SortSettings.Full equal cells go on to the next column.
    Integer CompareRows(Integer ACol, Integer Row1, Integer Row2);
    // From entry I of SortIndexes on, each entry in its own direction.
    Integer CompareRowsIndexed(Integer I, Integer Row1, Integer Row2);
    virtual void SortSwapRows(Integer ARow1, Integer ARow2);
    // Fires OnClickSort.
    virtual void ClickSort(Integer ACol);
    TIntList* SortRowXRef() const { return FSortRowXRef.get(); }
    // The comparisons and row moves of the last sorts, and the milliseconds
    // the last header-click sort took.
    Integer SortCompareCount() const { return Compares; }
    Integer SortSwapCount() const { return Swaps; }
    Cardinal SortTimeMs() const { return SortTime; }
    std::function<void(TObject* Sender, const QString& Str1, const QString& Str2, Integer& Res)> OnCustomCompare;
    std::function<void(TObject* Sender, Integer ACol, Integer Row1, Integer Row2, Integer& Res)> OnRawCompare;
    std::function<void(TObject* Sender, Integer ACol, bool& DoSort)> OnCanSort;
    TIndexEvent OnClickSort;

    // ============================================== owned settings objects
    TSearchFooter* SearchFooter() const { return FSearchFooter.get(); }
    TFloatingFooter* FloatingFooter() const { return FFloatingFooter.get(); }
    TPrintSettings* PrintSettings() const { return FPrintSettings.get(); }
    TSortSettings* SortSettings() const { return FSortSettings.get(); }
    TControlLook* ControlLook() const { return FControlLook.get(); }
    TNavigation* Navigation() const { return FNavigation.get(); }
    TColumnSize* ColumnSize() const { return FColumnSize.get(); }
    TBands* Bands() const { return FBands.get(); }
    TMouseActions* MouseActions() const { return FMouseActions.get(); }
    TGrouping* Grouping() const { return FGrouping.get(); }
    TStringList* ColumnHeaders() const { return FColumnHeaders.get(); }
    TStringList* RowHeaders() const { return FRowHeaders.get(); }
    TStringList* LookupItems() const { return FLookupItems.get(); }
    TFont* FixedFont() const { return FFixedFont.get(); }
    TFont* ActiveCellFont() const { return FActiveCellFont.get(); }
    TBitmap* RowIndicator() const { return FRowIndicator.get(); }
    TBackGround* BackGround() const { return FBackGround.get(); }
    TBalloonSettings* Balloon() const { return FBalloonSettings.get(); }
    // Makes the balloon tip of the grid's window (once; waits for the window).
    void BalloonInit();
    void BalloonDone();
    // The tip window while balloons are on, else nullptr.
    TBalloonTip* BalloonTip() const { return FBalloonTip.get(); }
    // The warning balloon of a refused entry, once shown.
    TBalloonTip* EntryBalloon() const { return FEntryBalloon.get(); }
    // What the balloon shows for a client point: the cell's plain text (or
    // its own balloon), then OnCellBalloon; the colours go to the tip.
    void BalloonText(TPoint ClientPos, QString& Title, QString& Text, Integer& Icon);
    TPoint LastBalloonPos() const { return FLastBalloonPos; }
    TSyncGrid* SyncGrid() const { return FSyncGrid.get(); }
    TFocusHelper* FocusHelper() const { return FFocusHelper.get(); }
    TSortIndexList* SortIndexes() const { return FSortIndexes.get(); }
    TIntList* MergedColumns() const { return FMergedColumns.get(); }
    TStringList* FilterList() const { return FFilterList.get(); }
    THTMLPictureCache* ImageCache() const { return FImageCache.get(); }
    TControlList* ControlList() const { return FControlList.get(); }
    TArrowWindow* ArrowWindow(TArrowDirection Dir) const;

    // ============================ mouse press, release, movement and hints
    // (input/ExGridMouse.cpp, input/ExGridHint.cpp)
    // Picks the option of a radio group under a press (real column; DX, DY
    // relative to the cell's top left corner).
    void RadioClickAt(Integer ACol, Integer ARow, Integer DX, Integer DY);
    // Called with the select-all rectangle before it becomes the selection.
    virtual void AdjustAllSelection(TGridRect& R) {}
    // Fills a hint request for the cell under HintInfo.CursorPos.
    void PrepareCellHint(QString& HintStr, bool& CanShow, THintInfo& HintInfo);
    TMouseSelectMode MouseSelectMode() const { return FMouseSelectMode; }
    TPoint LastHintPos() const { return FLastHintPos; }
    TPoint HoverFixedCell() const { return {FHoverFixedX, FHoverFixedY}; }
    bool SizeFixedBorder() const { return FSizeFixed; }
    // Lays a mini-HTML cell text out in R without painting and reports the
    // link or control under P; false when nothing is hit.
    bool HitTestMiniHTML(const QString& Text, const TRect& R, TPoint P, TMiniHTMLResult& Hit);
    // Moves the selection out of the grid and brings it back.
    void HideSelection();
    void UnHideSelection();
    bool SelectionHidden() const { return FSelHidden; }
    // Runs the cell-selection check again for the current cell.
    void UpdateEditMode() { SelectCell(Col(), Row()); }

    TRowColBoolEvent OnCanClickCell;
    TColRowEvent OnRadioButtonClick;
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, Integer AIdx)> OnRadioClick;
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, Integer AIdx)> OnRadioMouseUp;
    TCheckBoxClickEvent OnCheckBoxMouseUp;
    std::function<void(TObject* Sender, Integer ACol, bool& Allow)> OnColumnSize;
    std::function<void(TObject* Sender, Integer ARow, bool& Allow)> OnRowSize;
    std::function<void(TObject* Sender, Integer ACol, Integer ColumnSize)> OnColumnSizing;
    std::function<void(TObject* Sender, Integer ARow, Integer RowSize)> OnRowSizing;
    std::function<void(TObject* Sender, Integer ACol, bool& Allow)> OnColumnMove;
    std::function<void(TObject* Sender, Integer ARow, bool& Allow)> OnRowMove;
    std::function<void(TObject* Sender, Integer ARow, Integer ACol, const QString& Anchor, bool& AutoHandle)>
        OnAnchorClick;
    std::function<void(TObject* Sender, Integer ARow, Integer ACol, QString& Anchor)> OnAnchorHint;
    std::function<void(TObject* Sender, Integer ARow, Integer ACol, const QString& Anchor)> OnAnchorEnter;
    std::function<void(TObject* Sender, Integer ARow, Integer ACol, const QString& Anchor)> OnAnchorExit;
    std::function<void(TObject* Sender, Integer ARow, Integer ACol, const QString& CtrlID, const QString& CtrlType,
                       const QString& CtrlVal)>
        OnControlClick;

    // ====================== auto-sizing and numbering (exchange/ExGridAutoSize.cpp)
    void AutoSizeCol(Integer ACol, Integer Padding);
    void AutoSizeColumns(bool DoFixedCols, Integer Padding);
    void AutoSizeRow(Integer ARow, Integer Padding);
    void AutoSizeRows(bool DoFixedRows, Integer Padding);
    void AutoSizeCells(bool DoFixedCells, Integer PaddingX, Integer PaddingY);
    void AutoFitColumns(bool DoFixedCells);
    void SizeToCols();
    void SizeToRows();
    void SizeToCells();
    void AutoNumberCol(Integer ACol);
    void AutoNumberRow(Integer ARow);
    void DoAutoSizeCol(Integer ACol, bool GrowOnly);
    void DoAutoSizeRow(Integer ARow, bool GrowOnly, Integer Padding);
    void SizeRowToLines(Integer ARow, Integer Lines, Integer Extra);
    Integer GetRowLineCount(Integer ARow);
    Integer GetXPadding() const { return XYOffsetTopLeftOnly() ? XYOffset().X : 2 * XYOffset().X; }
    Integer GetYPadding() const { return XYOffsetTopLeftOnly() ? XYOffset().Y : 2 * XYOffset().Y; }
    Integer MaxColumnLineLength(Integer ACol);

    // ============ row and column insertion and removal (exchange/ExGridRowCol.cpp)
    // Display rows; columns are real (hidden ones counted).
    virtual void RemoveRows(Integer RowIndex, Integer RCount);
    virtual void DoRemoveRows(Integer RowIndex, Integer RCount);
    virtual void InsertRows(Integer RowIndex, Integer RCount, bool UpdateCellControls = true);
    virtual void InsertCols(Integer ColIndex, Integer CCount);
    virtual void RemoveCols(Integer ColIndex, Integer CCount);
    void AddColumn() { InsertCols(ColCount(), 1); }
    void RemoveCheckedRows(Integer CheckBoxColumn, bool RemoveChecked);
    void RemoveDuplicates(Integer ACol, bool DoCase);
    void RemoveSelectedRows();
    void RemoveUnSelectedRows();
    void RemoveSelectedCols();
    void RemoveUnSelectedCols();
    void HideSelectedRows();
    void HideUnSelectedRows();

    // ===================== data exchange (exchange/ExGridBinStream.cpp,
    // ExGridTextFiles.cpp, ExGridHTML.cpp, ExGridXML.cpp, ExGridCSV.cpp,
    // ExGridOffice.cpp, ExGridClipboard.cpp, ExGridPaste.cpp, ExGridOle.cpp,
    // ExGridStats.cpp, ExGridSwap.cpp). Every file is written whole or not
    // at all; readers raise DOzeDidoRivar (or the stream errors) and keep
    // what they read so far (the clearing they rely on is declared with
    // the other range operations).
    // The cell block stream of a rectangle (inclusive) and of the save range.
    void SaveRectToBinStream(TRect Rect, TStream* Stream);
    void SaveToBinStream(TStream* Stream);
    void SaveToBinFile(const QString& FileName);
    void LoadAtPointFromBinStream(TPoint Point, TStream* Stream);
    void LoadFromBinStream(TStream* Stream);
    void LoadFromBinFile(const QString& FileName);
    // The cell list, column-aligned and fixed-width texts.
    void SaveToFile(const QString& FileName, bool Unicode = false);
    void LoadFromFile(const QString& FileName);
    void SaveToStream(TStream* Stream);
    void LoadFromStream(TStream* Stream);
    void SaveToASCII(const QString& FileName, bool Unicode = false) { WriteASCIIFile(FileName, false, Unicode); }
    void AppendToASCII(const QString& FileName, bool Unicode = false) { WriteASCIIFile(FileName, true, Unicode); }
    void SaveToFixed(const QString& FileName, TIntList* Positions);
    void LoadFromFixed(const QString& FileName, TIntList* Positions, bool DoTrim = true, Integer MaxRows = -1);
    // HTML.
    QString SaveToHTMLString(const QString& Dir);
    void SaveToHTML(const QString& FileName, bool Show = false, bool Unicode = false);
    void AppendToHTML(const QString& FileName, bool Show = false, bool Unicode = false);
    THTMLSettings* HTMLSettings() const { return FHTMLSettings.get(); }
    // XML.
    void SaveToXML(const QString& FileName, const QString& ListDescr, const QString& RecordDescr,
                   TStrings* FieldDescr, bool ExportEmptyCells);
    void LoadFromXML(const QString& FileName, bool LevelToRow = false, bool LoadFieldDescr = false);
    // CSV.
    void SaveToCSV(const QString& FileName, bool Unicode = false) { WriteCSVFile(FileName, false, Unicode); }
    void AppendToCSV(const QString& FileName, bool Unicode = false) { WriteCSVFile(FileName, true, Unicode); }
    void LoadFromCSV(const QString& FileName, Integer MaxRows = -1) { ReadCSVFile(FileName, false, MaxRows); }
    void InsertFromCSV(const QString& FileName, Integer MaxRows = -1) { ReadCSVFile(FileName, true, MaxRows); }
    void LoadFromCSVStream(TStream* AStream, Integer MaxRows = -1) { ReadCSVStream(AStream, false, MaxRows); }
    // Spreadsheets, documents and databases through the office suite and
    // the Access database tools.
    std::unique_ptr<TStringList> GetXLSSheets(const QString& FileName);
    void LoadFromXLS(const QString& FileName) { ReadXLSFile(FileName, QString()); }
    void LoadFromXLSSheet(const QString& FileName, const QString& SheetName) { ReadXLSFile(FileName, SheetName); }
    void SaveToXLS(const QString& FileName, bool CreateNewSheet = true) { WriteXLSFile(FileName, QString(), CreateNewSheet); }
    void SaveToXLSSheet(const QString& FileName, const QString& SheetName) { WriteXLSFile(FileName, SheetName, true); }
    void SaveToDOC(const QString& FileName, bool CreateNewDocument = true)
    {
        WriteDOCFile(FileName, QString(), false, CreateNewDocument);
    }
    void AppendToDoc(const QString& FileName, const QString& Bookmark) { WriteDOCFile(FileName, Bookmark, true, false); }
    void LoadFromMDBSQL(const QString& FileName, const QString& SQL);
    void LoadFromMDBTable(const QString& FileName, const QString& Table)
    {
        LoadFromMDBSQL(FileName, QStringLiteral("SELECT * FROM ") + Table);
    }
    // Clipboard copy, cut and paste.
    void CopySelectionToClipboard();
    void CopyToClipBoard();
    void CutToClipboard();
    void CutSelectionToClipboard();
    void CopyToClipBoardAsHTML();
    QString GetSelectionAsText() { return GetRangeAsText(Selection(), false); }
    QString GetRangeAsText(const TGridRect& ARect, bool Disjunct);
    void CopyRangeToClipboard(const TGridRect& ARect, bool Disjunct);
    void CopyRangeAsCells(const TGridRect& ARect);
    void CopyCellAsRTF(Integer ACol, Integer ARow);
    void ExtendSelectionToMergedCells();
    virtual bool AllowFmtClipboard();
    void PasteFromClipboard();
    void PasteSelectionFromClipboard();
    Integer PasteFromClipboardAt(Integer ACol, Integer ARow, Integer& RowsPasted, Integer& ColsPasted);
    Integer PasteTextAt(Integer ACol, Integer ARow, Integer& RowsPasted, Integer& ColsPasted, const QString& Text);
    void SetSelectionAsText(const QString& Value);
    static void GetClipTextExtent(const QString& Text, TPoint& Extent);
    virtual void PasteCellValue(Integer ACol, Integer ARow, const QString& Value);
    virtual void MarkRowsModified(TPoint FromCell, const TGridRect& Range, TClipOperation Op);
    virtual void BeginPaste() {}
    virtual void EndPaste() {}
    TPoint ClipTopLeft() const { return FClipTopLeft; }
    TClipOperation ClipLastOp() const { return FClipLastOp; }
    // Statistics of a column (display rows, -1 for all normal rows) and of a row.
    double ColumnCustomCalc(Integer ACol, Integer FromRow, Integer ToRow);
    double CalcGroupRange(Integer ACol, Integer FromRow, Integer ToRow);
    double RowSum(Integer ARow, Integer FromCol, Integer ToCol);
    double RowAvg(Integer ARow, Integer FromCol, Integer ToCol);
    double RowMin(Integer ARow, Integer FromCol, Integer ToCol);
    double RowMax(Integer ARow, Integer FromCol, Integer ToCol);
    // Selection queries, the selected text and swapping.
    void SelectCells(Integer FromCol, Integer FromRow, Integer ToCol, Integer ToRow);
    bool IsSelected(Integer ACol, Integer ARow);
    QString SelectedText();
    void SwapColumns(Integer ACol1, Integer ACol2);
    void SwapRows(Integer ARow1, Integer ARow2);
    // Drag and drop.
    TDragDropSettings* DragDropSettings() const { return FDragDropSettings.get(); }
    TDragScrollOptions* DragScrollOptions() const { return FDragScrollOptions.get(); }
    TGridDropTarget* OleDropTargetObject() const { return FOleDropTarget.get(); }
    bool OleDropTargetRegistered() const { return FOleDropTargetAssigned; }
    void OleColumnDragStart(Integer ACol, Integer AIndex, TListBox* AList);
    TGridRect DropSelection() const { return FDropSelection; }
    // The OLE drag of the selection or a column that a press on it prepared
    // (the mouse moved with the left button down); true when one ran.
    bool StartOleDragFromMouse(TShiftState Shift, Integer X, Integer Y);
    TFileProgressEvent OnFileProgress;
    TColumnCalcEvent OnColumnCalc;
    TColumnCalcEvent OnGroupCalc;
    TGridClipboardPasteCellEvent OnClipboardBeforePasteWideCell;
    TGridClipboardAfterPasteCellEvent OnClipboardAfterPasteWideCell;
    TOleDragOverEvent OnOleDragOver;
    TOleDragDropEvent OnOleDrop;
    TOleDragDropEvent OnOleDropURL;
    TOleDragDropEvent OnOleDropFile;
    TOleDropColEvent OnOleDropCol;
    TOleDroppedEvent OnOleDropped;
    TOleDragDropEvent OnOleDrag;
    TOleDragStartEvent OnOleDragStart;
    TOleDragStopEvent OnOleDragStop;

    // ================================================ look and behaviour
    TGridLook Look() const { return FLook; }
    // A changed look applies its preset of colours and styles (glCustom
    // keeps the colours); the scroll type becomes normal and the border
    // single in the XP border colour.
    void SetLook(TGridLook Value);
    static QString GridLookToString(TGridLook Value);
    static QString GridLookToCaption(TGridLook Value);

    // ======================= styles, colour tones and themes (ExGridStyles.cpp)
    // Applies one of the sixteen component styles: look, header gradients,
    // active-cell, selection, grid-line and footer colours; other than
    // tsCustom it ends metro scrolling.
    void SetComponentStyle(TKavroStyle AStyle);
    virtual void SetStyle(TKavroStyle AStyle);
    // The style for the dropdown editors the grid has made so far.
    void SetEditorsStyle(TKavroStyle AStyle);
    // A five-part colour scheme with flat controls and metro scrolling.
    void SetColorTones(const TColorTones& ATones);
    void SetTheme(TXPColorScheme Scheme);
    // The component style of the office suite's (or the system's) theme,
    // when it changed since the last one applied.
    void ApplyOfficeTheme();
    // Takes the colours of the application's active visual style.
    void ApplyVCLStyle();
    void SetSelectionColorMixer(bool Value);
    void SetSelectionRectangle(bool Value);
    void SetSelectionResizer(bool Value);
    void SetShowSelection(bool Value);
    void SetVAlignment(TVAlignment Value);
    Cardinal VAlignFlag() const { return FVAlign; }
    void SetFlat(bool Value);
    // True sizes every column to its contents (10 pixels extra).
    void SetAutoSize(bool Value);
    void SetMaxEditLength(Integer Value);
    // Whatever the value: selection rectangle and resizer, smart clipboard,
    // range selection with editing.
    void SetSpreadSheet(bool Value);
    // Reading order: right to left mirrors the floating footer's strip and
    // the search bar's controls.
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode Value);
    bool UseRightToLeftReading() const { return FBiDiMode != bdLeftToRight; }
    void SetSortSettings(const TSortSettings* Value) { FSortSettings->Assign(Value); }
    void SetSyncGrid(const TSyncGrid* Value) { FSyncGrid->Assign(Value); }
    void SetDragScrollOptions(const TDragScrollOptions* Value) { FDragScrollOptions->Assign(Value); }
    TScrollStyle ScrollBarsSetting() const { return FScrollBars; }
    // Visual settings whose change repaints the grid.
    TColor SelectionColor() const { return FSelectionColor; }
    void SetSelectionColor(TColor Value) { SetRepaint(FSelectionColor, Value); }
    TColor SelectionColorTo() const { return FSelectionColorTo; }
    void SetSelectionColorTo(TColor Value) { SetRepaint(FSelectionColorTo, Value); }
    TColor SelectionMirrorColor() const { return FSelectionMirrorColor; }
    void SetSelectionMirrorColor(TColor Value) { SetRepaint(FSelectionMirrorColor, Value); }
    TColor SelectionMirrorColorTo() const { return FSelectionMirrorColorTo; }
    void SetSelectionMirrorColorTo(TColor Value) { SetRepaint(FSelectionMirrorColorTo, Value); }
    TColor SelectionTextColor() const { return FSelectionTextColor; }
    void SetSelectionTextColor(TColor Value) { SetRepaint(FSelectionTextColor, Value); }
    TColor ActiveCellColor() const { return FActiveCellColor; }
    void SetActiveCellColor(TColor Value) { SetRepaint(FActiveCellColor, Value); }
    TColor ActiveCellColorTo() const { return FActiveCellColorTo; }
    void SetActiveCellColorTo(TColor Value) { SetRepaint(FActiveCellColorTo, Value); }
    bool ActiveCellShow() const { return FActiveCellShow; }
    void SetActiveCellShow(bool Value);
    TColor URLColor() const { return FURLColor; }
    void SetURLColor(TColor Value) { SetRepaint(FURLColor, Value); }
    TColor HighlightColor() const { return FHighlightColor; }
    TColor HighlightTextColor() const { return FHighLightTextColor; }
    TColor BorderColor() const { return FBorderColor; }
    TColor ScrollColor() const { return FScrollColor; }
    Integer ScrollWidth() const { return FScrollWidth; }
    TScrollType ScrollType() const { return FScrollType; }
    QString IncrSearchText() const { return SearchInc; }
    void SetIncrSearchText(const QString& Value) { SearchInc = Value; }
    TPictureContainer* PictureContainer() const { return FContainer; }
    void SetPictureContainer(TPictureContainer* Value) { FContainer = Value; }
    TCustomImageList* GridImages() const { return FGridImages; }
    void SetGridImages(TCustomImageList* Value) { FGridImages = Value; }
    Integer GridTimerID() const { return FGridTimerID; }
    Integer TimerTicks() const { return FTimerTicks; }
    bool GridBlink() const { return FGridBlink; }
    bool Loaded_() const { return FLoaded; }
    bool IsWinXP() const { return FIsWinXP; }
    bool IsThemed() const { return FIsComCtl6; }
    TKavroStyle Style() const { return FStyle; }
    TOfficeTheme OldOfficeTheme() const { return FOldOfficeTheme; }
    TColorTones Tones() const { return FTones; }
    Integer PrevSizeX() const { return PrevSizeX_; }
    Integer PrevSizeY() const { return PrevSizeY_; }
    bool ResizeAssigned() const { return ResizeAssigned_; }

    // ------------------------------------------------ stored-only properties
    EXGRID_GETTER(bool, AutoSize, false)
    EXGRID_PROPERTY(bool, AutoNumAlign, false)
    EXGRID_PROPERTY(bool, EnhTextSize, false)
    EXGRID_PROPERTY(bool, EditWithTags, false)
    EXGRID_PROPERTY(bool, OemConvert, false)
    EXGRID_PROPERTY(bool, Lookup, false)
    EXGRID_PROPERTY(bool, LookupCaseSensitive, false)
    EXGRID_PROPERTY(bool, LookupHistory, false)
    EXGRID_PROPERTY(bool, EnhRowColMove, true)
    EXGRID_PROPERTY(bool, SizeWithForm, false)
    EXGRID_PROPERTY(bool, MultilineCells, false)
    EXGRID_PROPERTY(TColor, HintColor, clInfoBk)
    EXGRID_PROPERTY(bool, HintShowCells, false)
    EXGRID_PROPERTY(bool, HintShowLargeText, false)
    EXGRID_PROPERTY(THintShowLargeTextPos, HintShowLargeTextPos, hpCell)
    EXGRID_PROPERTY(bool, HintShowSizing, false)
    EXGRID_PROPERTY(bool, FastPrint, false)
    EXGRID_GETTER(bool, ScrollProportional, false)
    EXGRID_GETTER(bool, SelectionColorMixer, false)
    EXGRID_GETTER(bool, SelectionRectangle, false)
    EXGRID_PROPERTY(bool, SelectionRTFKeep, false)
    EXGRID_GETTER(TVAlignment, VAlignment, vtaTop)
    EXGRID_PROPERTY(bool, URLUnderlineOnHover, false)
    EXGRID_PROPERTY(bool, URLEdit, false)
    EXGRID_PROPERTY(TIntelliPan, IntelliPan, ipVertical)
    EXGRID_PROPERTY(bool, IntelliZoom, true)
    EXGRID_PROPERTY(bool, ScrollSynch, false)
    EXGRID_PROPERTY(TScrollHintType, ScrollHints, shNone)
    EXGRID_PROPERTY(bool, FixedAsButtons, false)
    EXGRID_PROPERTY(bool, HideFocusRect, false)
    EXGRID_PROPERTY(bool, FixedRowAlways, false)
    EXGRID_PROPERTY(bool, FixedColAlways, false)
    EXGRID_GETTER(Integer, FixedFooters, 0)
    EXGRID_GETTER(Integer, FixedRightCols, 0)
    EXGRID_PROPERTY(QChar, Delimiter, QChar(0))
    EXGRID_PROPERTY(bool, NoDefaultDraw, false)
    EXGRID_PROPERTY(QChar, PasswordChar, QChar(u'*'))
    EXGRID_PROPERTY(bool, JavaCSV, false)
    EXGRID_PROPERTY(QString, CheckTrue, QStringLiteral("Y"))
    EXGRID_PROPERTY(QString, CheckFalse, QStringLiteral("N"))
    EXGRID_PROPERTY(QString, EditMask, QString())
    EXGRID_PROPERTY(bool, EnableHTML, true)
    EXGRID_PROPERTY(bool, EnableWheel, true)
    EXGRID_GETTER(bool, Flat, false)
    EXGRID_PROPERTY(bool, AnchorHint, false)
    EXGRID_PROPERTY(bool, SaveFixedCells, true)
    EXGRID_PROPERTY(bool, SaveFixedCols, false)
    EXGRID_PROPERTY(bool, SaveFixedRows, false)
    EXGRID_PROPERTY(bool, LoadFirstRow, true)
    EXGRID_PROPERTY(bool, SaveHiddenCells, false)
    EXGRID_PROPERTY(bool, SaveVirtCells, true)
    EXGRID_PROPERTY(bool, SaveWithHTML, true)
    EXGRID_PROPERTY(bool, SaveWithRTF, false)
    EXGRID_PROPERTY(bool, ExcelStyleDecimalSeparator, false)
    EXGRID_PROPERTY(bool, Hovering, false)
    EXGRID_PROPERTY(THoverFixedCells, HoverFixedCells, hfNone)
    EXGRID_PROPERTY(QString, FloatFormat, QStringLiteral("%.2f"))
    EXGRID_PROPERTY(bool, PrinterDriverFix, false)
    EXGRID_PROPERTY(bool, ExcelClipboardFormat, false)
    EXGRID_GETTER(Integer, MaxEditLength, 0)
    EXGRID_PROPERTY(Integer, MaxComboLength, 0)
    EXGRID_PROPERTY(bool, FilterNormalCellsOnly, true)
    EXGRID_PROPERTY(bool, AutoFilterUpdate, true)
    EXGRID_GETTER(TPoint, XYOffset, (TPoint{2, 2}))
    EXGRID_PROPERTY(bool, XYOffsetTopLeftOnly, false)
    EXGRID_PROPERTY(bool, QuoteEmptyCells, true)
    EXGRID_GETTER(bool, AutoThemeAdapt, false)
    EXGRID_PROPERTY(bool, AlwaysQuotes, false)
    EXGRID_PROPERTY(TColor, SelectionRectangleColor, clBlack)
    EXGRID_PROPERTY(bool, IntegralHeight, false)
    EXGRID_PROPERTY(bool, ClearTextOnly, false)
    EXGRID_PROPERTY(bool, HTMLHint, false)
    EXGRID_PROPERTY(bool, AlwaysValidate, false)
    EXGRID_PROPERTY(bool, EnableBlink, false)
    EXGRID_PROPERTY(bool, SizeGrowOnly, false)
    EXGRID_GETTER(bool, SelectionResizer, false)
    EXGRID_PROPERTY(Integer, MaxColWidth, 0)
    EXGRID_PROPERTY(Integer, MinRowHeight, 0)
    EXGRID_PROPERTY(Integer, MinColWidth, 0)
    EXGRID_PROPERTY(Integer, MaxRowHeight, 0)
    EXGRID_PROPERTY(TColor, KavroGradientFrom, clWhite)
    EXGRID_PROPERTY(TColor, KavroGradientTo, clNone)
    EXGRID_PROPERTY(TColor, KavroGradientMirrorFrom, clNone)
    EXGRID_PROPERTY(TColor, KavroGradientMirrorTo, clNone)
    EXGRID_PROPERTY(TColor, KavroGradientHoverFrom, 0)
    EXGRID_PROPERTY(TColor, KavroGradientHoverTo, 0)
    EXGRID_PROPERTY(TColor, KavroGradientHoverMirrorFrom, 0)
    EXGRID_PROPERTY(TColor, KavroGradientHoverMirrorTo, 0)
    EXGRID_PROPERTY(TColor, KavroGradientHoverBorder, 0)
    EXGRID_PROPERTY(TColor, KavroGradientDownFrom, 0)
    EXGRID_PROPERTY(TColor, KavroGradientDownTo, 0)
    EXGRID_PROPERTY(TColor, KavroGradientDownMirrorFrom, 0)
    EXGRID_PROPERTY(TColor, KavroGradientDownMirrorTo, 0)
    EXGRID_PROPERTY(TColor, KavroGradientDownBorder, 0)
    EXGRID_PROPERTY(bool, UseHTMLHints, false)
    EXGRID_PROPERTY(bool, ShowNullDates, true)
    EXGRID_PROPERTY(TSortDirection, AutoNumberDirection, sdAscending)
    EXGRID_PROPERTY(Integer, AutoNumberOffset, 0)
    EXGRID_PROPERTY(Integer, AutoNumberStart, 0)
    EXGRID_PROPERTY(TEditorType, DefaultEditor, edNormal)
    EXGRID_GETTER(TAlignment, DefaultAlignment, taLeftJustify)
    EXGRID_PROPERTY(TColor, DisabledFontColor, clSilver)
    EXGRID_GETTER(TScrollBarAlways, ScrollBarAlways, saNone)
    EXGRID_PROPERTY(Integer, FindCol, 0)
    EXGRID_PROPERTY(Integer, FindRow, 0)
    EXGRID_PROPERTY(bool, NoImageAndText, false)
    EXGRID_PROPERTY(bool, UseDisabledFont, true)
    EXGRID_PROPERTY(bool, Modified, false)
    EXGRID_PROPERTY(QString, XMLEncoding, QStringLiteral("ISO-8859-1"))
    EXGRID_PROPERTY(bool, FilterDropDownCheck, false)
    EXGRID_PROPERTY(TFilterDropDownColumns, FilterDropDownColumns, fdNormal)
    EXGRID_PROPERTY(bool, FilterIncremental, false)
    EXGRID_PROPERTY(QString, FilterDropDownClear, QStringLiteral("(All)"))
    EXGRID_PROPERTY(QString, InvalidEntryTitle, QString())
    EXGRID_PROPERTY(QString, InvalidEntryText, QString())
    EXGRID_PROPERTY(TInvalidEntryIcon, InvalidEntryIcon, ieWarning)
    EXGRID_GETTER(bool, ShowDesignHelper, true)
    EXGRID_PROPERTY(bool, IsPrintPreview, false)
    EXGRID_PROPERTY(QString, ValidChars, QString())
    EXGRID_PROPERTY(bool, UseInternalHintClass, true)
    EXGRID_PROPERTY(bool, FitCellsInGrid, true)
    EXGRID_GETTER(bool, ShowSelection, true)
    EXGRID_GETTER(bool, SpreadSheet, false)
    EXGRID_PROPERTY(QString, OriginalCellValue, QString())
    EXGRID_PROPERTY(bool, EditActive, false)
    EXGRID_PROPERTY(bool, FindBusy, false)
    EXGRID_PROPERTY(Integer, ZoomFactor, 0)
    EXGRID_PROPERTY(Integer, PrintPageWidth, 0)
    EXGRID_PROPERTY(Integer, PrintColStart, 0)
    EXGRID_PROPERTY(Integer, PrintColEnd, 0)
    EXGRID_PROPERTY(Integer, PrintNrOfPages, 0)

public:
    // ==================================== printing (printing/ExGridPrint*.cpp)
    // Lengths on paper are tenths of a millimetre, y growing upward (the
    // page's top at 0). The program's printer (platform/Printers.h) prints.
    void Print();
    void PrintRect(const TGridRect& Gridrect);
    void PrintSelection();
    // Only the selected rows or columns, by the grid's selection mode.
    void PrintSelectedRows();
    void PrintSelectedCols();
    // One page (the one set by PreviewPage, else the first) drawn on a
    // canvas into Displayrect (device units).
    void PrintPreview(TCanvas* Canvas, TRect Displayrect);
    void PrintPreviewRect(TCanvas* Canvas, TRect Displayrect, const TGridRect& Gridrect);
    void PrintPreviewSelection(TCanvas* Canvas, TRect Displayrect);
    void PrintPreviewSelectedRows(TCanvas* Canvas, TRect Displayrect);
    void PrintPreviewSelectedCols(TCanvas* Canvas, TRect Displayrect);
    // The range drawn as one page into DrawRect, without events.
    void PrintDraw(TCanvas* Canvas, TRect DrawRect);
    void PrintDrawRect(TCanvas* Canvas, TRect DrawRect, const TGridRect& Gridrect);
    // The page the next preview draws.
    void SetPreviewPage(Integer Value)
    {
        FPrintPageFrom = Value;
        FPrintPageTo = Value;
    }
    // A font height in tenths of a millimetre from points (scaled by the
    // fit-to-page factor), and back.
    Integer MapFontHeight(Integer pointsize) const;
    static Integer MapFontSize(Integer Height);
    // Lays the print range out on pages and, in modes 0 (preview) and 1
    // (print), draws pages FPrintPageFrom .. FPrintPageTo; modes 2 and 3
    // only count. Returns the number of pages.
    Integer PrintGridPages(TCanvas* Canvas, Byte Mode, bool SelectedOnly, Integer Pages);
    // What a cell (real column) needs on paper, and a row's printed height.
    void CalcPrintCellSize(Integer ACol, Integer ARow, TPoint& Size);
    Integer GetPrintRowHeight(Integer ARow);
    // Moves R's top-left corner to where text rotated by Angle degrees
    // starts so that it lies in R as aligned (HAlign 0 left, 1 right, 2
    // centre; VAlign 0 top, 1 centre, 2 bottom); measured with the canvas font.
    void DrawRotatedText(TCanvas* Canvas, TRect& R, Integer Angle, Integer VAlign, Integer HAlign,
                         const QString& Text);
    static void PlaceRotatedText(TRect& R, Byte HAlign, Byte VAlign, Integer Yc, Integer Xs, Integer Ys, Integer Xc,
                                 Integer Angle);
    // The angle the printer turns landscape pages by (90 or 270; 0: none).
    Integer GetPrinterLandscapeAngle();
    virtual void PrintGetPageNum(Integer PageNum, Integer PageColNum, QString& PageNumString);
    TRect PrintPageRect() const { return FPrintPageRect; }
    Integer PrintPageFrom() const { return FPrintPageFrom; }
    Integer PrintPageTo() const { return FPrintPageTo; }
    double FontScaleFactor() const { return Fontscalefactor; }

    std::function<void(TObject* Sender, Integer NrOfPages, Integer& FromPage, Integer& ToPage)> OnPrintStart;
    std::function<void(TObject* Sender, Integer ACol, Integer& Width)> OnPrintSetColumnWidth;
    std::function<void(TObject* Sender, double& ScaleFactor, bool& Allow)> OnFitToPage;
    std::function<void(TObject* Sender, Integer ARow, Integer& Height)> OnPrintSetRowHeight;
    std::function<void(TObject* Sender, TCanvas* Canvas, Integer PageNr, Integer PageXSize, Integer PageYSize)>
        OnPrintPage;
    std::function<void(TObject* Sender, Integer ARow, bool& NewPage)> OnPrintNewPage;
    std::function<void(TObject* Sender, TCanvas* Canvas, Integer LastRow, Integer LastRowOffset, Integer LastPage,
                       Integer PageXSize, Integer PageYSize)>
        OnPrintPageDone;
    std::function<void(TObject* Sender, Integer PageNr, bool& Cancel)> OnPrintCancel;
    std::function<void(TObject* Sender, Integer PageNum, Integer PageColNum, QString& PageNumString)>
        OnPrintGetPageNum;
    std::function<void(TObject* Sender, TCanvas* Canvas, Integer ACol, Integer ARow, TPoint& ASize, bool Printing)>
        OnCustomCellSize;

private:
    struct TPrintRun;
    void RunPrint(const TGridRect& Range, bool SelectedOnly);
    void RunPreview(TCanvas* Canvas, TRect Displayrect, const TGridRect& Range, bool SelectedOnly);
    void RunPrintDraw(TCanvas* Canvas, TRect DrawRect, const TGridRect& Range);
    TGridRect AllCellsRect() const;
    bool IsPrintedRow(Integer ARow);
    bool IsPrintedCol(Integer ACol);
    void CalcPrintColumnWidths();
    Integer PrintRowCells(Integer Y, Integer FromCol, Integer ToCol, Integer ARow);
    Integer DrawPageTexts();
    QString GetPageNumberText();
    void DrawPageBorders(Integer FromCol, Integer ToCol, Integer Y);
    void StartNextPage();
    void CalcPageAreas(bool MeasureTitle);
    void PrintCellGraphic(TCanvas* C, Integer ACol, Integer ARow, TCellGraphic* G, TRect& Box, TRect& TextBox);
    void PrintCellText(TCanvas* C, Integer ACol, Integer ARow, Integer BCol, Integer BRow, const QString& Text,
                       TRect Box, Integer RowH, TAlignment HA, TVAlignment VA, bool WW);
    TPrintRun* FPrintRun = nullptr;
    Integer FPrintPageFrom = 1;
    Integer FPrintRowCacheRow = -1;
    Integer FPrintRowCacheHeight = 0;

public:
    // ------------------------------------------------------------- events
    TRowChangedEvent OnRowUpdate;
    TClickCellEvent OnClickCell;
    TClickCellEvent OnRightClickCell;
    TDblClickCellEvent OnDblClickCell;
    TGridHintEvent OnGridHint;
    TEditCellDoneEvent OnEditCellDone;
    TComboChangeEvent OnComboChange;
    TCheckBoxClickEvent OnCheckBoxClick;
    TGetEditorTypeEvent OnGetEditorType;
    TCellsChangedEvent OnCellsChanged;
    TCellValidateEvent OnCellValidate;
    TCellValidateEvent OnCellValidateWide;
    TEllipsClickEvent OnEllipsClick;
    TNotifyEvent OnFilterDone;
    TNotifyEvent OnEditingDone;
    TNotifyEvent OnPainted;
    TNotifyEvent OnSearchFooterClose;
    TNotifyEvent OnRichEditSelectionChange;
    // the special editors
    TSpinClickEvent OnSpinClick;
    TFloatSpinClickEvent OnFloatSpinClick;
    TDateSpinClickEvent OnDateSpinClick;
    TDateSpinClickEvent OnTimeSpinClick;
    TUnitChangedEvent OnUnitChanged;
    TCustomStrToDateEvent OnCustomStrToDate;
    TDropDownButtonClickEvent OnDropDownHeaderButtonClick;
    TDropDownButtonClickEvent OnDropDownFooterButtonClick;
    TColorSelectedEvent OnColorSelected;
    TImageSelectedEvent OnImageSelected;
    TCellControlEvent OnControlEditDone;
    TCellComboControlEvent OnControlComboList;
    TCellComboControlSelectEvent OnControlComboSelect;
    TFixedEditEvent OnFixedEdit;
    TNotifyEvent OnCreatedFloatingFooter;
    TNotifyEvent OnCreatedSearchFooter;
    // appearance and editing hooks
    TGetCellColorEvent OnGetCellColor;
    TGetCellColorEvent OnGetCellPrintColor;
    TGetCellBorderEvent OnGetCellBorder;
    TGetCellBorderEvent OnGetCellPrintBorder;
    TGetAlignmentEvent OnGetAlignment;
    TGetFormatEvent OnGetFormat;
    TColRowBoolEvent OnHasComboBox;
    TColRowBoolEvent OnHasSpinEdit;
    TRowColBoolEvent OnIsFixedCell;
    TRowColBoolEvent OnCanEditCell;
    TRowColBoolEvent OnIsPasswordCell;
    TColRowBoolEvent OnGetWordWrap;
    TGetCheckEvent OnGetCheckTrue;
    TGetCheckEvent OnGetCheckFalse;
    TGetColumnFilterEvent OnGetColumnFilter;
    TGridHintEvent OnGridWideHint;
    TGetCellCursorEvent OnGetCellCursor;
    TSearchFooterActionEvent OnSearchFooterAction;
    TColRowEvent OnButtonClick;
    TExpandClickEvent OnExpandClick;
    TRowColEvent OnComboCloseUp;
    TRowColEvent OnComboDropDown;
    TRowColEvent OnDatePickerCloseUp;
    TRowColEvent OnDatePickerDropDown;
    TDateTimeChangeEvent OnDateTimeChange;
    TCellBalloonEvent OnCellBalloon;
    TEditChangeEvent OnEditChange;
    // editors
    TGetEditorPropEvent OnGetEditorProp;
    TColRowEvent OnGetEditorPropInt;
    TComboObjectChangeEvent OnComboObjectChange;
    TCheckBoxClickStateEvent OnCheckBoxClickState;
    // cell objects, check boxes and painting
    TCheckBoxChangeEvent OnCheckBoxChange;
    TCustomCellDrawEvent OnCustomCellBkgDraw;
    TCustomCellDrawEvent OnCustomCellDraw;
    TDrawCellEvent OnDrawCell;
    TGetCellBorderPropEvent OnGetCellBorderProp;
    TGetCellGradientEvent OnGetCellGradient;
    TGetFloatFormatEvent OnGetFloatFormat;
    TSelectionChangedEvent OnSelectionChanged;
    TIndexEvent OnAutoDeleteRow;
    TSaveCellEvent OnSaveCell;
    TSaveCellEvent OnLoadCell;
    TCanInsertRowEvent OnCanInsertRow;
    TRatingChangeEvent OnRatingChange;
    TColorSelectEvent OnColorSelect;
    TImageSelectEvent OnImageSelect;
    // selection
    TRowDisjunctSelectEvent OnRowDisjunctSelect;
    TIndexEvent OnRowDisjunctSelected;
    // sizing, scrolling and footer
    TNotifyEvent OnResize;
    TFooterCalcEvent OnFooterCalc;
    // Paints a footer cell (Sender the strip, displayed column, canvas and
    // rectangle) in place of the grid's cell painter.
    std::function<void(TObject* Sender, Integer ACol, TCanvas* Canvas, TRect R)> OnFooterPaint;
    TScrollHintEvent OnScrollHint;
    TDragScrollEvent OnDragScroll;
    TIndexEvent OnEndColumnSize;
    TIndexEvent OnEndRowSize;
    TUpdateColumnSizeEvent OnUpdateColumnSize;
    // navigation
    TCellChangingEvent OnCellChanging;
    TLineChangingEvent OnRowChanging;
    TLineChangingEvent OnColChanging;
    TRowChangedEvent OnRowChanged;
    TAutoAdvanceEvent OnAutoAdvance;
    TIndexEvent OnAutoAddRow;
    TIndexEvent OnAutoInsertCol;
    TAllowEvent OnCanAddRow;
    // filters
    TCustomFilterEvent OnCustomFilter;
    TIndexEvent OnFilterProgress;
    TFilterSelectEvent OnFilterSelect;
    TFilterCheckEvent OnFilterCheck;

protected:
    // Writes entry Index of ColumnHeaders and its header cell alone, without
    // the rewrite of every header that a change of the list makes.
    void PutColumnHeader(Integer Index, const QString& Text);
    void Paint() override;
    void CreateWnd() override;
    void Loaded() override;
    void WndProc(TMessage& Message) override;
    void DoEnter() override;
    void DoExit() override;
    void Click() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    TInplaceEdit* CreateEditor() override;
    bool CanEditShow() override;
    bool SelectCell(Integer ACol, Integer ARow) override;
    void KeyPress(QChar& Key) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void CalcSizingState(Integer X, Integer Y, TGridState& State, Integer& Index, Integer& SizingPos,
                         Integer& SizingOfs, TGridDrawInfo& FixedInfo) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void TopLeftChanged() override;
    // The grid's own handling of the mouse messages (input/ExGridMouse.cpp).
    void WMLButtonDown(TMessage& Msg);
    void WMLButtonUp(TMessage& Msg);
    void WMLButtonDblClk(TMessage& Msg);
    void WMRButtonDown(TMessage& Msg);
    void WMRButtonUp(TMessage& Msg);
    void CMMouseLeave(TMessage& Msg);
    void CMHintShow(TMessage& Msg);
    // A date editor's change (OnDateTimeChange); the rest goes on.
    void WMNotify(TMessage& Msg);
    // The designer asks whether the mouse is over a line of the box.
    void CMDesignHitTest(TMessage& Msg);
    // The box's area and its line height.
    TRect DesignHelperRect(Integer& LH);
    // Editing shows the frame on the current cell (FocusHelper enabled);
    // a grid going away stops being the one that shows it.
    void ShowFocusFrameForEdit();
    void ForgetFocusFrame();
    void Resize() override;
    void SizeChanged(Integer OldColCount, Integer OldRowCount) override;
    void ColWidthsChanged() override;
    void RowHeightsChanged() override;
    // Cells move in the platform grid; everything kept by real column (the
    // visibility, the hidden rows' cells, the column order, the sort
    // column) follows the real column moved.
    void ColumnMoved(Integer FromIndex, Integer ToIndex) override;
    // The hidden rows keep their places among the rows shown.
    void RowMoved(Integer FromIndex, Integer ToIndex) override;
    QString GetEditText(Integer ACol, Integer ARow) override;
    void SetEditText(Integer ACol, Integer ARow, const QString& Value) override;
    // Scroll bar messages (Code, thumb position); answer the message result.
    LRESULT WMHScroll(Word Code, Integer Pos);
    LRESULT WMVScroll(Word Code, Integer Pos);
    void GetDisplText(Integer ACol, Integer ARow, QString& Value) const override;

    // The owner form was resized (the handler chained in front of the form's).
    void FormResize(TObject* Sender);
    // The timer message of the grid's own 500 ms timer.
    void GridTimer();

private:
    // WM_COMMAND from a child editor; true when it was handled here.
    bool CommandMessage(TMessage& Message);
    void SetFocusMessage(TMessage& Message);
    // A refused value: Text back into the cell and the editor open on it.
    void ReopenRefusedCell(Integer C, Integer R, const QString& Text, bool ResetFirst);
    void SetRepaint(TColor& Field, TColor Value);
    // Ranges (left, top, right, bottom cells) of a column, a row or the
    // grid: the normal cells, or all with DoFixed; Hidden adds the hidden
    // columns.
    TRect ColumnRange(Integer Col, bool DoFixed) const;
    TRect RowRange(Integer Row, bool DoFixed, bool Hidden) const;
    TRect GridRange(bool DoFixed, bool Hidden) const;
    // Marking: every base cell of a range gets Fn(its display or raw text).
    void MarkRange(const TRect& R, const std::function<QString(QString)>& Fn);
    void HiMark(const TRect& R, const QString& Text, const QString& Tag, bool DoCase);
    void UnHiMark(const TRect& R, const QString& Tag);
    bool CheckRange(const TRect& R);
    void FillRange(bool DoFixed, const std::function<void(Integer C, Integer R)>& Fn);
    QString StrippedCell(Integer ACol, Integer ARow) const;
    // The start character of an edit, typed into the editor just opened.
    void DeliverStartChar(TWinControl* Editor);
    // A special editor's leaving key: Text into the cell and validated;
    // true when it was taken. A refused text leaves the one to show in
    // FNewCellText and the editor open on the cell.
    bool CommitEditorText(TWinControl* Editor, const QString& Text);
    // The keys a special editor claims from the dialog: Enter, Escape, and
    // Tab when Tab says so.
    static bool EditorClaimsKey(WPARAM Key, bool Tab)
    {
        return Key == VK_RETURN || Key == VK_ESCAPE || (Key == VK_TAB && Tab);
    }
    // A special editor lost the focus: its edit ends, unless the grid is
    // closing it already.
    void SpecialEditorExit(TWinControl* Editor)
    {
        if (!FBlockKill && EditMode && EditCtrl == Editor)
            CloseEditorOnExit([this] { HideInplaceEdit(); });
    }
    // Closes an editor that lost the focus. When a press on the grid took
    // it, the edit stays pending with the value in the cell: the cell change
    // the press makes validates it as it does the text editor's, and a
    // refused value reopens the edit on its cell.
    void CloseEditorOnExit(const std::function<void()>& Close);
    // After a press: a pending edit the press did not validate by moving
    // is validated now.
    void ValidatePressedEdit();
    // The dropdown editor of the current kind: made, filled from the cell
    // and shown at R (null for another kind); and its value back into the cell.
    TExCustomDropDown* ShowDropDownEditor(Integer ACol, Integer ARow, const QString& EditText, TColor EditorColor,
                                          TRect R);
    void FinishDropDownEditor(Integer ACol, Integer ARow, bool Write);
    // Opens the custom editor link for the cell (real column); false when it made no editor.
    bool ShowEditLink(Integer ACol, Integer ARow, TRect R, const QString& EditText, TColor EditorColor, TFont* AFont);
    // What the grid's construction makes of its editors' settings.
    void CreateSpecialEditors();
    void ToggleDataCheckBox(Integer ACol, Integer ARow);
    Integer LastNormalRow() const { return RowCount() - FFixedFooters - 1; }
    Integer LastNormalCol() const { return ColCount() - FFixedRightCols - 1; }
    // The target of a dragged thumb: first scrollable column or row.
    Integer ThumbTarget(bool Vertical, Integer Pos) const;
    void ShowScrollHint(const QString& Text);
    void ReleaseScrollHint();
    void StopDragTimer();
    bool LastRowAboveSearchPanel();
    void KeepRowsAboveSearchPanel();
    void MakeSearchPanel();
    Integer SearchPanelHeight() const;
    void FooterRowMoved(Integer OldCount);
    // Copies the cells and height of display row From to display row To,
    // hidden columns included.
    void CopyRow(Integer From, Integer To);
    // A hidden-row record from display row ARow (cells, objects, height).
    void StoreRow(TGridItem* Item, Integer ARow);
    void RestoreRow(TGridItem* Item, Integer ARow);
    // Index in FGridItems of the item with real index ARow, -1 when none.
    Integer FindHiddenRow(Integer ARow) const;
    // Items with FIdx below ARow.
    Integer HiddenRowsBelow(Integer ARow) const;
    // The hidden-row records follow ACount display rows from DisplRow
    // removed, or ACount rows inserted at display row DisplRow.
    void ShiftHiddenRowsForRemoval(Integer DisplRow, Integer ACount);
    void ShiftHiddenRowsForInsertion(Integer DisplRow, Integer ACount);
    // Set while the row primitives move rows to make or close a gap: those
    // moves are no user's and leave the hidden rows alone.
    bool FRowGapMove = false;
    void MoveColumnsToOrder(const std::vector<Integer>& Order);
    void ReadColumnOrder(const std::vector<Integer>& Values, Integer Total);

    // ---- style and own scroll controls
    TKavroStyle FStyle = tsWindowsXP;
    // ---- filter, move and grouping state
    TPoint FLastKeyCell;
    Integer FFilterLevel = 0;
    QString FLastFilter;
    bool FForceSel = false;
    Integer FMoveColInd = 0;
    Integer FMoveRowInd = 0;
    QString FGroupCaption;
    QString FGroupFooter;
    Integer FGroupWidth = 0;
    bool FLoaded = false;
    bool FDeselectState = false;
    bool FSelectionClick = false;
    bool FMouseDown = false;
    bool FSelChange = false;
    bool FDoOnClick = false;
    bool FMouseKeepDown = false;
    bool FCtrlDown = false;
    bool FMouseResize = false;
    bool FMouseDownMove = false;
    // ---- index lists (owned, created empty)
    std::unique_ptr<TIntList> FSortRowXRef;
    std::unique_ptr<TIntList> FUnSortRowXRef;
    std::unique_ptr<TIntList> FMergedColumns;
    std::unique_ptr<TIntList> FSelectedCells;
    std::unique_ptr<TIntList> FSelectedRows;
    std::unique_ptr<TIntList> FModifiedRows;
    std::unique_ptr<TIntList> FEnabledRows;
    // ---- hints, highlighting, indicator, background, move arrows
    TColor FHighlightColor = clHighlight;
    TColor FHighLightTextColor = clHighlightText;
    TPoint FLastHintPos{-1, -1};
    TPoint FLastBalloonPos{-1, -1};
    std::unique_ptr<TBalloonTip> FBalloonTip, FEntryBalloon;
    void BalloonEnableChanged();
    // The displayed base cell of the cell under the mouse (itself when not Valid).
    TPoint HoverBaseCell(Integer ACol, Integer ARow, bool Valid) const;
    // The balloon goes when the mouse reaches another cell.
    void PopBalloonOffCell(Integer ACol, Integer ARow, bool Valid);
    // The invalid-entry balloon on the editor, when a title or text is set.
    void ShowInvalidEntryBalloon();
    std::unique_ptr<TBitmap> FRowIndicator;
    std::unique_ptr<TSortIndexList> FSortIndexes;
    std::unique_ptr<TBackGround> FBackGround;
    std::unique_ptr<TShowModified> FShowModified;
    TGridRect FDropSelection;
    bool FOleDropTargetAssigned = false;
    // The move and drop arrows, made when first shown (never while designing).
    TArrowWindow* ArwU = nullptr;  // owned through the component owner list
    TArrowWindow* ArwD = nullptr;
    TArrowWindow* ArwL = nullptr;
    TArrowWindow* ArwR = nullptr;
    bool FArrowsWanted = false;
    TColor FArrowColor = RGB(0, 255, 0);
    TArrowWindow* Arrow(TArrowDirection Dir);
    // ---- owned settings objects and border
    std::unique_ptr<TPrintSettings> FPrintSettings;
    TOfficeTheme FOldOfficeTheme = otUnknown;
    TGridFocusWindow* FFocusWindow = nullptr;  // owned through the owner list
    std::unique_ptr<TBands> FBands;
    TColor FBorderColor = TColor(0xB99D7F);
    std::unique_ptr<TNavigation> FNavigation;
    std::unique_ptr<TColumnSize> FColumnSize;
    std::unique_ptr<TMouseActions> FMouseActions;
    std::unique_ptr<TGrouping> FGrouping;
    // ---- column visibility and widths
    TBoolArray FVisibleCol;
    TWidthArray FAllColWidths{};
    // ---- counters, selection appearance, links, scroll bars
    Integer FUpdateCount = 0;
    bool FLastValidation = true;
    Integer FNumNodes = 0;
    Integer FNumHidden = 0;
    TColor FSelectionColor = TColor(0xEACAB6);
    TColor FSelectionColorTo = clNone;
    TColor FSelectionMirrorColor = clNone;
    TColor FSelectionMirrorColorTo = clNone;
    TColor FSelectionTextColor = clBlack;
    Cardinal FVAlign = 0;
    TColor FURLColor = TColor(0xFF0000);
    TCustomImageList* FGridImages = nullptr;
    TScrollType FScrollType = ssNormal;
    TColor FScrollColor = clNone;
    Integer FScrollWidth = 0;
    // ---- scroll hints, rich text, fixed cells, headers
    bool FIsFlat = false;
    TPopupMenu* FFixedDropDownMenu = nullptr;
    bool FFixedCellPushed = false;
    TRect FPushedFixedCell;
    TPoint FPushedCellButton{-1, -1};
    std::unique_ptr<TFont> FFixedFont;
    Integer FFixedRowsMin = 0;
    Integer FFixedColsMin = 0;
    Integer FFixedColEdit = 0;
    Integer FFixedRowEdit = 0;
    std::unique_ptr<TStringList> FColumnHeaders;
    bool FPuttingColumnHeader = false;  // PutColumnHeader: the list's change is not a rewrite
    std::unique_ptr<TStringList> FRowHeaders;
    std::unique_ptr<TStringList> FLookupItems;
    std::unique_ptr<TList> FRowSelect;
    std::unique_ptr<TList> FColSelect;
    // ---- text, file and editing options
    QString FLastAnchorHint;
    bool FWordWrapEx = true;
    bool FEditDisable = false;
    bool FEditChange = false;
    bool FNoMouseLeave = false;
    bool FDropDownDown = false;
    // ---- editing, mouse, search, wheel and printing state
    Integer FHoverFixedX = -1;
    Integer FHoverFixedY = -1;
    QString FOldCellText;
    QString FNewCellText;
    QString FOldCellTextWide;
    QChar FStartEditChar;
    Integer FOldCol = 0;
    Integer FOldRow = 0;
    Integer FOldRowSel = -1;
    bool FOldModifiedValue = false;
    TCursor FOldCursor = crDefault;
    bool FBlockFocus = false;
    bool FBlockKill = false;
    bool FDblClk = false;
    TGridRect FOldSelection;
    TGridRect FSizeSelection;
    TGridRect FMoveSelection;
    bool FEntered = false;
    bool FEditing = false;
    bool FSpecialEditor = false;
    bool FValidating = false;
    Integer FComboIdx = -1;
    Integer SortDir = 0;
    Integer SortRow = 0;
    TPoint SearchCell{-1, -1};
    bool ResizeAssigned_ = true;
    TGridRect FPrintRect;
    QString SearchCache;
    QString SearchCacheWide;
    QString SearchInc;
    Integer SearchTics = 0;
    QString FAnchor;
    bool FIsColChanging = false;
    bool ColchgFlg = true;
    bool ColMoveFlg = false;
    bool ColSizeFlg = false;
    bool ColSized = false;
    bool Rowsized = false;
    Integer Colclicked = -1;
    Integer Rowclicked = -1;
    Integer Colclickedsize = 0;
    Integer Rowclickedsize = 0;
    Integer Movecell = 0;
    Integer MoveOfsX = 0;
    Integer MoveOfsY = 0;
    Integer Clickposx = 0;
    Integer Clickposy = 0;
    Integer Clickposdx = 0;
    Integer Clickposdy = 0;
    bool Invokedchange = false;
    bool InvokedFocusChange = false;
    Cardinal wheelmsg = 0;
    Integer wheelscrl = 0;
    bool wheelpan = false;
    TPoint wheelpanpos;
    std::unique_ptr<TFont> cf;
    TMouseSelectMode FMouseSelectMode = msNormal;
    Integer FMouseSelectStart = -1;
    TRect PrevRect;
    double Fontscalefactor = 1.0;
    TRect FPrintPageRect;
    Integer FPrintPageTo = 1;
    Integer FGridTimerID = 0;
    bool FGridBlink = false;
    TGridLook FLook = glXP;
    TPictureContainer* FContainer = nullptr;
    std::unique_ptr<THTMLPictureCache> FImageCache;
    TPoint FCtrlXY;
    QString FCtrlID;
    QString FCtrlType;
    bool FCtrlEditing = false;
    bool FPasteAll = false;
    bool FSpinUpClick = false;
    bool FSpinDnClick = false;
    std::array<Integer, MAX_COLUMNS + 1> MaxWidths{};
    std::array<Integer, MAX_COLUMNS + 1> Indents{};
    // ---- editors
    TEditorType EditControl = edNormal;
    // ---- hidden rows and filtering
    std::unique_ptr<TCollection> FGridItems;
    Integer FFilterCol = -1;
    Integer FFilterFixedRows = 0;
    std::unique_ptr<TStringList> FFilterList;
    std::unique_ptr<TList> FNotifierList;
    // ---- active cell, sizing state, options, settings objects, platform flags
    bool FActiveCellShow = false;
    std::unique_ptr<TFont> FActiveCellFont;
    Integer FOldSize = -1;
    std::unique_ptr<TIntList> FOrigColSizes;
    bool FSizeFixed = false;
    Integer FSizingFixedCol = 0;
    bool FSizingFixed = false;
    Integer FSizingFixedRow = 0;
    bool FSizeFixedR = false;
    bool FSizingFixedR = false;
    Integer FSizeFixedX = 0;
    Integer FSizeFixedY = 0;
    bool FDisableChange = false;
    bool FNilObjects = false;
    std::unique_ptr<TSortSettings> FSortSettings;
    std::unique_ptr<TControlLook> FControlLook;
    std::unique_ptr<TSearchFooter> FSearchFooter;
    std::unique_ptr<TFloatingFooter> FFloatingFooter;
    // Owned through the component owner list.
    TFooterPanel* FFooterPanel = nullptr;
    TSearchPanel* FSearchPanel = nullptr;
    bool FSearchPanelStale = false;  // footer settings changed before the bar was made
    TBiDiMode FBiDiMode = bdLeftToRight;
    TScrollControl* vscrlctrl = nullptr;
    TScrollControl* hscrlctrl = nullptr;
    // The footer calculation counts real rows (hidden ones included).
    bool FFooterRealRows = false;
    void SearchPanelEditChange(TObject* Sender);
    // The footer strip and the search bar (32 pixels while shown) take the
    // room below the cells.
    static constexpr Integer SearchBarHeight = 32;
    void UpdateBottomReserve();
    void FreeScrollControls();
    bool FIsWinXP = true;
    bool FIsWin7 = true;
    bool FIsWinVista = true;
    bool FIsComCtl6 = true;
    // ---- editing, size and drawing state
    TColor FActiveCellColor = clGray;
    TColor FActiveCellColorTo = clNone;
    // ---- column order, numbering, scrolling, cell controls, balloons
    Integer FFixedRowHeight = 22;
    bool FSelHidden = false;
    std::unique_ptr<TIntList> FColumnOrder;
    Integer FOldLeftCol = 0;
    Integer FOldKeepLeftCol = 0;
    Integer FOldTopRow = 0;
    TScrollStyle FScrollBars = ssBoth;
    Integer FNumCellControls = 0;
    std::unique_ptr<TControlList> FControlList;
    bool FDisableSize = false;
    TPoint FHotFixedCell;
    bool FCellSelectorMode = false;
    Integer FAECol = 0;
    Integer FAERow = 0;
    bool FShowEditProcess = false;
    bool FEditStart = false;
    // An editor closed by a press on the grid left its edit to validate.
    bool FPressValidates = false;
    std::unique_ptr<TBalloonSettings> FBalloonSettings;
    // ---- footer, drag scrolling, limits, validation, synchronisation, sorting
    std::unique_ptr<TCellGraphic> FCellGraphic;
    Integer FTimerTicks = 0;
    Integer FMaxRowCount = 0;
    Integer FMaxColCount = 0;
    bool FUseEnabledRows = false;
    Integer FLastTabCol = -1;
    Integer FLastTabRow = -1;
    bool FScrollLock = false;
    Integer FPaintCount = 0;
    QString FEditText;
    QString FEditWideText;
    bool FNoEditChange = false;
    bool FNoAutoAdvance = false;
    std::unique_ptr<TIntList> FIgnoreColumns;
    Integer FScrollCol = 0;
    Integer FScrollRow = 0;
    bool FBlockCellChange = false;
    Integer FLastDesignChoice = -1;
    std::unique_ptr<TSyncGrid> FSyncGrid;
    TPoint FHoverCell;
    TPoint FHoverButton;
    Integer FHoverlink = -1;
    Integer FOleDragCol = -1;
    Integer FOleDragIndex = 0;
    TColorTones FTones;
    bool FShowColNrs = true;
    std::unique_ptr<TFocusHelper> FFocusHelper;
    bool FUseVCLStyles = false;
    TPoint FClipTopLeft{-1, -1};
    TClipOperation FClipLastOp = coNone;
    bool FScrollHintShow = false;
    bool FVirtualCells = false;
    bool FNoRTLOrientation = false;
    bool FIsGrouping = false;
    bool FIsDBVersion = false;
    bool FSyncedMove = false;
    bool LButFlg = false;
    Integer Compares = 0;
    Integer Swaps = 0;
    Cardinal SortTime = 0;
    std::unique_ptr<TStringList> Sortlist;
    Integer PrevSizeX_ = 0;
    Integer PrevSizeY_ = 0;
    bool EditMode = false;
    // ---- the owner form's resize chain
    std::shared_ptr<struct TResizeLink> FResizeLink;
    // ---- marking, checking and editors
    DAriViziveVudaDodav* FCellChecker = nullptr;
    TEditLink* FEditLink = nullptr;
    TGridCombo* EditCombo = nullptr;      // owned through the component owner list
    TGridCheckBox* EditCheck = nullptr;   // owned through the component owner list
    TWinControl* EditCtrl = nullptr;
    // The other special editors, owned through the component owner list:
    // made on first use (null until then).
    TGridEditBtn* EditBtn = nullptr;
    TGridUnitEditBtn* UnitEditBtn = nullptr;
    TGridButton* GridButton = nullptr;
    TGridTransEdit* EditTrans = nullptr;
    TGridTransCombo* ComboTrans = nullptr;
    TControlEdit* FEditControl = nullptr;
    TControlCombo* FComboControl = nullptr;
    TGridSpin* FEditSpin = nullptr;
    TGridDatePicker* FEditDate = nullptr;
    TGridDateTimePicker* FEditDateTime = nullptr;
    TExRichEdit* FRichEdit = nullptr;
    TExRichEdit* FInplaceRichEdit = nullptr;
    TGridTrackbarDropDown* FEditTrackBar = nullptr;
    TGridMemoDropDown* FEditMemo = nullptr;
    TGridCalculatorDropDown* FEditCalculator = nullptr;
    TGridTimepickerDropDown* FEditTimePicker = nullptr;
    TGridDetailPickerDropDown* FEditDetailPicker = nullptr;
    TGridGridDropDown* FEditGridPicker = nullptr;
    TGridExGridDropDown* FEditExGridPicker = nullptr;
    TGridColorDropDown* FEditColorPicker = nullptr;
    TGridImageDropDown* FEditImagePicker = nullptr;
    std::unique_ptr<TSizeWhileTyping> FSizeWhileTyping;
    // The value a date-and-time edit started with.
    TDateTime FOriginalDateTime = 0;
    // Escape ends the edit being closed: its editor writes nothing back.
    bool FCancelEdit = false;
    QString FCellCache;
    bool FReportComboChange = false;
    // ---- scroll bars as UpdateScrollBars left them
    bool FVertBarVisible = true;
    bool FVertBarEnabled = true;
    bool FHorzBarVisible = true;
    bool FHorzBarEnabled = true;
    // ---- scroll hints, drag scrolling, listeners
    THintWindow* FScrollHintWnd = nullptr;  // owned through the component owner list
    QString FScrollHintText;
    TTimer* FDragTmr = nullptr;             // owned through the component owner list
    TDragScrollDirection FDragScrollDirection = 0;
    std::shared_ptr<ITExStringGridSelect> FISelect;
    // ---- cell objects and painting
    bool FURLShow = false;
    bool FURLShowInText = false;
    bool FURLFull = false;
    Integer FSelectionColorMixerFactor = 50;
    std::unique_ptr<TGridProgressAppearance> FProgressAppearance;
    // ---- data exchange
    friend class TGridDropTarget;
    friend class TGridDropSource;
    friend class TDragDropSettings;
    std::unique_ptr<THTMLSettings> FHTMLSettings;
    std::unique_ptr<TDragDropSettings> FDragDropSettings;
    std::unique_ptr<TDragScrollOptions> FDragScrollOptions;
    std::unique_ptr<TGridDropTarget> FOleDropTarget;
    TListBox* FOleDragList = nullptr;
    Integer FLastProgress = -1;
    void FileProgress(Integer Progress);
    // Reads a cell block; without Apply it only checks that it reads.
    void ReadBlock(TPoint Point, TStream* Stream, bool Apply);
    void WriteASCIIFile(const QString& FileName, bool Append, bool Unicode);
    void WriteCSVFile(const QString& FileName, bool Append, bool Unicode);
    void ReadCSVFile(const QString& FileName, bool Insert, Integer MaxRows);
    void ReadCSVStream(TStream* Stream, bool Insert, Integer MaxRows);
    void WriteHTMLFile(const QString& FileName, bool Append, bool Unicode, bool Show);
    void ReadXLSFile(const QString& FileName, const QString& SheetName);
    void WriteXLSFile(const QString& FileName, const QString& SheetName, bool CreateNewSheet);
    void WriteDOCFile(const QString& FileName, const QString& Bookmark, bool Append, bool CreateNewDocument);
    // The text a cell gives the clipboard.
    QString ClipCellText(Integer C, Integer R);
    // The cells of the drop target's pasted range selected.
    void OleDropText(TPoint Pt, const QString& S);
    void HideDropArrows(bool All);
    // Column statistics: whether display or real rows are meant, and whether
    // a row counts.
    void StatRange(Integer& FromRow, Integer& ToRow, bool& RealRows) const;
    bool StatRowCounts(Integer ACol, Integer R, bool RealRows, std::unique_ptr<TIntList>& Hidden);
    // The cell DrawGridCell is drawing: what its steps hand to each other.
    struct TCellPaint;
    TCellPaint* FCellPaint = nullptr;
    void DrawCellText(TCanvas* Canvas, TCellPaint& P, TRect R);
    void DrawCellGraphic(TCanvas* Canvas, TCellPaint& P, TRect R);
    void DrawCellBorders(TCanvas* Canvas, TCellPaint& P, TRect R);
    void DrawNodeGraphic(TCanvas* Canvas, TCellPaint& P, TRect R);
    void DrawNodeTreeLines(TCanvas* Canvas, TCellPaint& P, TRect R);
    void DrawFixedCellBackground(TCanvas* Canvas, TCellPaint& P, TRect& R);
    void DrawFixedCellEdges(TCanvas* Canvas, TCellPaint& P, TRect R);
    void PaintBackground();
    void PaintBackgroundFixed(const TRect& R);
    void PaintBackgroundTiled(const TRect& R);
    bool IsNodeRow(Integer ARow);
    bool IsSummaryRow(Integer ARow);
    TCellGraphic* StateGraphic(Integer ACol, Integer ARow, bool& Full, QString& Text);
    // The cell's properties hold nothing but what the cell has without them.
    bool PropsHoldNothingOwn(Integer ACol, Integer ARow);
    void WriteCheckText(Integer ACol, Integer ARow, bool Full, bool State);
    void RepaintRealCell(Integer ACol, Integer ARow);
    TCellGraphic* NewGraphic(Integer ACol, Integer ARow, TCellType Kind, TCellHAlign HAl, TCellVAlign VAl);
    TCellVAlign GridCellVAlign() const;
    // A user's toggle of the check box in a display cell (editability asked),
    // then OnCheckBoxClick; false when nothing changed.
    bool ClickCheckBox(Integer ACol, Integer ARow);
    // ---- keyboard input
    void WMKeyDown(TMessage& Message);
    void WMChar(TMessage& Message);
    // Home and End as Navigation.HomeEndKey says; false for the platform's handling.
    bool HomeEndMove(Word Key, TShiftState Shift);
    // Arrows jump over cells IsFixed reports; false when no jump applies.
    bool WalkPastFixedCells(Word Key, TShiftState Shift);
    void FireKeyDown(Word Key, TShiftState Shift);
    // SelectionChanged when the selection moved since the key went down.
    void ReportSelectionMove();
    void MoveToCellBase();
    bool CellHasHTMLControl(Integer ACol, Integer ARow);
    // ---- in-place editing
    QString FValidCharSet;
    // ---- Tab walk
    Integer FTabSteps = 0;
    TPoint FTabStart;
    void SelectTabCell(Integer ACol, Integer ARow);
    void MoveToMergeBase();
    // ---- looks and moving
    THeaderDragButton* FMoveButton = nullptr;  // owned through the component owner list
    TForm* MoveForm = nullptr;                 // owned through the component owner list
    // One step of the feedback of a column or row dragged by its header.
    void EnhancedMoveFeedback(Integer X, Integer Y, Integer ACol, Integer ARow);
    // The release of such a drag: moves the line; false when none was dragged.
    bool EndEnhancedMove(Integer ACol, Integer ARow);
    // A press on the dropdown button of a hovered header cell; true when a
    // menu or handler took it.
    bool FixedDropDownPress(Integer ACol, Integer ARow, Integer X);
    // The press on a node button (the header's or a row's); true when taken.
    bool PressNodeGlyph(Integer ACol, Integer ARow, Integer X, Integer Y);
    void ApplyLook(TGridLook Value);
    void RenumberCellControls(bool Cols, Integer FromIndex, Integer ToIndex);
    // Cell controls at real rows from FromRow on move by Delta rows.
    void MoveCellControlRows(Integer FromRow, Integer Delta);
    // ---- wheel and panning
    bool WheelStep(bool Down, TShiftState Shift, TPoint MousePos);
    // The wheel message as the grid handles it; false leaves it to the platform.
    bool GridWheelMessage(TMessage& Message);
    // Middle-button panning: true when the message was taken.
    bool PanMessage(TMessage& Message);
    void StartPanning(TPoint At);
    void StopPanning();
    void PanStep();
    void DrawPanMark();
    void InvalidatePanMark();
    TCursor prevcurs = crDefault;
    bool FPanHints = true;
    bool FSyncedScroll = false;
    // ---- grouping
    Integer FGroupColumn = -1;
    void ColorGroupRow(Integer ARow, bool Header, bool AsStored);
    void ColorGroupCell(Integer ACol, Integer ARow, bool Header);
    void GroupFooterCalc(Integer Colindex, Integer Method, TColumnCalcType Calc);
    // ---- find
    TFindParameters FFindParams = 0;
    bool MatchFindCell(Integer ACol, Integer ARow, bool Wide);
    TPoint DoFind(TPoint StartCell, const QString& S, TFindParameters FindParams, bool Wide);
    TFindParameters FooterFindParams(bool Highlight, bool MatchCase) const;
    void FooterHighlight(const QString& Text, bool MatchCase);
    void FooterUnHighlight();
    void SearchStep(const QString& Text, bool MatchCase, bool Highlight, bool Backward);
    // ---- nodes
    std::unique_ptr<TCellNode> FCellNode;
    TCellGraphic* NodeGraphic(Integer ARow);
    void ExpandSingleNode(Integer ARow);
    // Hides the real rows From .. To for a node (kept apart from filter levels).
    void HideNodeRows(Integer From, Integer To);
    // Adds Delta to the column-0 node level of displayed rows From .. To.
    void RaiseNodeLevels(Integer From, Integer To, Integer Delta);
    // ---- sorting
    struct TSortRun;
    friend struct TSortRun;
    // Rows Left .. Right ordered by Less (stable) and moved in one pass.
    void SortRows(Integer Left, Integer Right, TSortRun& Run, bool Indexed);
    // Row Left + i takes what row Left + Order[i] held, with everything
    // that hangs on a row.
    void ApplyRowOrder(Integer Left, const std::vector<Integer>& Order);
    // The update lock and floating footer around a sort; Body sorts.
    void SortFrame(bool HideFooter, bool Indexed, const std::function<void()>& Body);
    // The header-click sort at the end of a left release.
    void HeaderClickSort(Integer X, Integer Y, Integer ACol, Integer ARow, bool MoveDone);
    // ---- filters
    std::unique_ptr<TFilter> FFilter;
    bool FFilterActive = false;
    Integer FFilterRow = 0;
    bool FFilterDropDownAuto = false;
    TDropList* FDropList = nullptr;            // owned through the component owner list
    TDropCheckList* FDropCheckList = nullptr;  // owned through the component owner list
    std::unique_ptr<TFilterDropDown> FFilterDropDown;
    // ---- mouse: the cursor shown is one the grid chose itself
    bool FCursorSetByGrid = false;
    void SetCursorByGrid(TCursor Value);
    // The fixed column (row) whose right (bottom) border lies within 2
    // pixels of Pos; -1 for none.
    Integer FixedBorderAt(bool Cols, Integer Pos) const;
};

#undef EXGRID_PROPERTY
#undef EXGRID_GETTER
