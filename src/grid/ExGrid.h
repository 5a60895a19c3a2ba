#pragma once
// TExStringGrid: the program's string grid, on which every rule table is
// built. Its state is grouped by concern below; its sources are split the
// same way:
//   ExGridData.cpp      counts, current cell, plain properties
//   ExGridCreate.cpp    construction, destruction, window set-up, loading,
//                       copying, the grid timer and the owner form's resize
//   ExGridHidden.cpp    hidden columns and rows, real and display indexes
//   ExGridSettings.cpp  column sizes and positions, column states, visual
//                       properties and print settings files
//
// Index spaces: cell storage and the cell accessors take the real column
// and the display row; Col, Row, widths, heights, painting and the mouse use
// display indexes; RealColIndex and RealRowIndex convert.

#include <QString>
#include <array>
#include <functional>
#include <memory>

#include "grid/BaseGrid.h"
#include "grid/ExGridHelpers.h"
#include "grid/ExStyleIF.h"

class TBitmap;
class TCellGraphic;
class TCustomImageList;
class TGridItem;
class THTMLPictureCache;
class TInplaceEdit;
class TPictureContainer;
class TPopupMenu;
class TExStringGrid;

// Columns from this real index on always count as shown.
constexpr Integer MAX_COLUMNS = 512;
using TBoolArray = std::array<bool, MAX_COLUMNS + 1>;
using TWidthArray = std::array<SmallInt, MAX_COLUMNS + 1>;

enum TGridLook { glStandard, glSoft, glClassic, glKavro, glXP, glListView, glVista, glWin7, glOffice2007, glCustom };
enum TScrollType { ssNormal, ssFlat, ssEncarta, ssMetro };
enum TScrollHintType { shNone, shVertical, shHorizontal, shBoth };
enum THintShowLargeTextPos { hpCell, hpMouse };
enum THoverFixedCells { hfNone, hfAll, hfFixedRows, hfFixedColumns };
enum TIntelliPan { ipVertical, ipHorizontal, ipBoth, ipNone };
enum TScrollBarAlways { saNone, saVert, saHorz, saBoth };
enum TInvalidEntryIcon { ieNone, ieInfo, ieWarning, ieError };
enum TMouseSelectMode { msNormal, msColumn, msRow };
enum TFilterDropDownColumns { fdNormal, fdAll };
enum TSortDirection { sdAscending, sdDescending };
enum TClipOperation { coNone, coCut, coCopy };

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

// A property that only stores its value: Name() and SetName(), field FName.
#define EXGRID_PROPERTY(Type, Name, Default)                   \
public:                                                        \
    Type Name() const { return F##Name; }                      \
    void Set##Name(const Type& Value) { F##Name = Value; }     \
private:                                                       \
    Type F##Name = Default;

class TExStringGrid : public TBaseGrid {
    friend class TGridResizeHandler;

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
    void SetColCount(Integer Value);
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
    // Selects Count whole rows from FirstRow (cut to the rows there are),
    // from the first non-fixed column to the last.
    void SelectRows(Integer FirstRow, Integer Count);
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
    virtual void DisableEditing(TObject* Sender) {}
    // Fires OnCellsChanged.
    virtual void CellsChanged(TRect R);
    virtual void RecalcFooters() {}
    virtual void FilterDone() {}
    virtual Cardinal GetVersionNr() const { return 0; }
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
    TSyncGrid* SyncGrid() const { return FSyncGrid.get(); }
    TFocusHelper* FocusHelper() const { return FFocusHelper.get(); }
    TSortIndexList* SortIndexes() const { return FSortIndexes.get(); }
    TIntList* MergedColumns() const { return FMergedColumns.get(); }
    TStringList* FilterList() const { return FFilterList.get(); }
    THTMLPictureCache* ImageCache() const { return FImageCache.get(); }
    TControlList* ControlList() const { return FControlList.get(); }
    TArrowWindow* ArrowWindow(TArrowDirection Dir) const;

    // ================================================ look and behaviour
    TGridLook Look() const { return FLook; }
    void SetLook(TGridLook Value);
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
    void SetHighlightColor(TColor Value) { SetRepaint(FHighlightColor, Value); }
    TColor HighlightTextColor() const { return FHighLightTextColor; }
    void SetHighlightTextColor(TColor Value) { SetRepaint(FHighLightTextColor, Value); }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value) { SetRepaint(FBorderColor, Value); }
    TColor ScrollColor() const { return FScrollColor; }
    void SetScrollColor(TColor Value) { FScrollColor = Value; }
    Integer ScrollWidth() const { return FScrollWidth; }
    void SetScrollWidth(Integer Value) { FScrollWidth = Value; }
    TScrollType ScrollType() const { return FScrollType; }
    void SetScrollType(TScrollType Value) { FScrollType = Value; }
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
    EXGRID_PROPERTY(Integer, GroupColumn, -1)
    EXGRID_PROPERTY(bool, AutoSize, false)
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
    EXGRID_PROPERTY(bool, ScrollProportional, false)
    EXGRID_PROPERTY(bool, SelectionColorMixer, false)
    EXGRID_PROPERTY(Integer, SelectionColorMixerFactor, 50)
    EXGRID_PROPERTY(bool, SelectionRectangle, false)
    EXGRID_PROPERTY(bool, SelectionRTFKeep, false)
    EXGRID_PROPERTY(TVAlignment, VAlignment, vtaTop)
    EXGRID_PROPERTY(bool, URLShow, false)
    EXGRID_PROPERTY(bool, URLShowInText, false)
    EXGRID_PROPERTY(bool, URLUnderlineOnHover, false)
    EXGRID_PROPERTY(bool, URLFull, false)
    EXGRID_PROPERTY(bool, URLEdit, false)
    EXGRID_PROPERTY(TIntelliPan, IntelliPan, ipVertical)
    EXGRID_PROPERTY(bool, IntelliZoom, true)
    EXGRID_PROPERTY(bool, ScrollSynch, false)
    EXGRID_PROPERTY(TScrollHintType, ScrollHints, shNone)
    EXGRID_PROPERTY(bool, FixedAsButtons, false)
    EXGRID_PROPERTY(bool, HideFocusRect, false)
    EXGRID_PROPERTY(bool, FixedRowAlways, false)
    EXGRID_PROPERTY(bool, FixedColAlways, false)
    EXGRID_PROPERTY(Integer, FixedFooters, 0)
    EXGRID_PROPERTY(Integer, FixedRightCols, 0)
    EXGRID_PROPERTY(QChar, Delimiter, QChar(0))
    EXGRID_PROPERTY(bool, NoDefaultDraw, false)
    EXGRID_PROPERTY(QChar, PasswordChar, QChar(u'*'))
    EXGRID_PROPERTY(bool, JavaCSV, false)
    EXGRID_PROPERTY(QString, CheckTrue, QStringLiteral("Y"))
    EXGRID_PROPERTY(QString, CheckFalse, QStringLiteral("N"))
    EXGRID_PROPERTY(QString, EditMask, QString())
    EXGRID_PROPERTY(bool, EnableHTML, true)
    EXGRID_PROPERTY(bool, EnableWheel, true)
    EXGRID_PROPERTY(bool, Flat, false)
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
    EXGRID_PROPERTY(Integer, MaxEditLength, 0)
    EXGRID_PROPERTY(Integer, MaxComboLength, 0)
    EXGRID_PROPERTY(bool, FilterActive, false)
    EXGRID_PROPERTY(bool, FilterNormalCellsOnly, true)
    EXGRID_PROPERTY(bool, AutoFilterUpdate, true)
    EXGRID_PROPERTY(TPoint, XYOffset, (TPoint{2, 2}))
    EXGRID_PROPERTY(bool, XYOffsetTopLeftOnly, false)
    EXGRID_PROPERTY(bool, QuoteEmptyCells, true)
    EXGRID_PROPERTY(bool, AutoThemeAdapt, false)
    EXGRID_PROPERTY(bool, AlwaysQuotes, false)
    EXGRID_PROPERTY(TColor, SelectionRectangleColor, clBlack)
    EXGRID_PROPERTY(bool, IntegralHeight, false)
    EXGRID_PROPERTY(bool, ClearTextOnly, false)
    EXGRID_PROPERTY(bool, HTMLHint, false)
    EXGRID_PROPERTY(bool, AlwaysValidate, false)
    EXGRID_PROPERTY(bool, EnableBlink, false)
    EXGRID_PROPERTY(bool, SizeGrowOnly, false)
    EXGRID_PROPERTY(bool, SelectionResizer, false)
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
    EXGRID_PROPERTY(TAlignment, DefaultAlignment, taLeftJustify)
    EXGRID_PROPERTY(TColor, DisabledFontColor, clSilver)
    EXGRID_PROPERTY(TScrollBarAlways, ScrollBarAlways, saNone)
    EXGRID_PROPERTY(Integer, FindCol, 0)
    EXGRID_PROPERTY(Integer, FindRow, 0)
    EXGRID_PROPERTY(bool, NoImageAndText, false)
    EXGRID_PROPERTY(bool, UseDisabledFont, true)
    EXGRID_PROPERTY(bool, Modified, false)
    EXGRID_PROPERTY(QString, XMLEncoding, QStringLiteral("ISO-8859-1"))
    EXGRID_PROPERTY(Integer, FilterDropDownRow, 0)
    EXGRID_PROPERTY(bool, FilterDropDownAuto, false)
    EXGRID_PROPERTY(bool, FilterDropDownCheck, false)
    EXGRID_PROPERTY(TFilterDropDownColumns, FilterDropDownColumns, fdNormal)
    EXGRID_PROPERTY(bool, FilterIncremental, false)
    EXGRID_PROPERTY(QString, FilterDropDownClear, QStringLiteral("(All)"))
    EXGRID_PROPERTY(QString, InvalidEntryTitle, QString())
    EXGRID_PROPERTY(QString, InvalidEntryText, QString())
    EXGRID_PROPERTY(TInvalidEntryIcon, InvalidEntryIcon, ieWarning)
    EXGRID_PROPERTY(bool, ShowDesignHelper, true)
    EXGRID_PROPERTY(bool, IsPrintPreview, false)
    EXGRID_PROPERTY(QString, ValidChars, QString())
    EXGRID_PROPERTY(bool, UseInternalHintClass, true)
    EXGRID_PROPERTY(bool, FitCellsInGrid, true)
    EXGRID_PROPERTY(bool, ShowSelection, true)
    EXGRID_PROPERTY(bool, SpreadSheet, false)
    EXGRID_PROPERTY(QString, OriginalCellValue, QString())
    EXGRID_PROPERTY(bool, EditActive, false)
    EXGRID_PROPERTY(bool, FindBusy, false)
    EXGRID_PROPERTY(Integer, ZoomFactor, 0)
    EXGRID_PROPERTY(Integer, PrintPageWidth, 0)
    EXGRID_PROPERTY(Integer, PrintColStart, 0)
    EXGRID_PROPERTY(Integer, PrintColEnd, 0)
    EXGRID_PROPERTY(Integer, PreviewPage, 1)
    EXGRID_PROPERTY(Integer, PrintNrOfPages, 0)

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
    TNotifyEvent OnFilterDone;
    TNotifyEvent OnEditingDone;
    TNotifyEvent OnPainted;
    TNotifyEvent OnSearchFooterClose;
    TNotifyEvent OnRichEditSelectionChange;
    TNotifyEvent OnCreatedFloatingFooter;
    TNotifyEvent OnCreatedSearchFooter;

protected:
    void CreateWnd() override;
    void Loaded() override;
    void WndProc(TMessage& Message) override;
    void GetDisplText(Integer ACol, Integer ARow, QString& Value) const override;

    // The owner form was resized (the handler chained in front of the form's).
    void FormResize(TObject* Sender);
    // The timer message of the grid's own 500 ms timer.
    void GridTimer();

private:
    void SetRepaint(TColor& Field, TColor Value);
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
    TPoint FLastBalloonPos;
    std::unique_ptr<TBitmap> FRowIndicator;
    std::unique_ptr<TSortIndexList> FSortIndexes;
    std::unique_ptr<TBackGround> FBackGround;
    TGridRect FDropSelection;
    bool FOleDropTargetAssigned = false;
    TArrowWindow* ArwU = nullptr;  // owned through the component owner list
    TArrowWindow* ArwD = nullptr;
    TArrowWindow* ArwL = nullptr;
    TArrowWindow* ArwR = nullptr;
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
    TPoint SearchCell;
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
};

#undef EXGRID_PROPERTY
