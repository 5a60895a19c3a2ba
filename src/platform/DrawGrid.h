#pragma once
// The platform's grids, owner-drawn on TCustomControl: TCustomGrid (cells,
// fixed rows and columns, the current cell and the selection, scrolling,
// sizing and moving by mouse, keyboard navigation, the in-place editor),
// TCustomDrawGrid and TDrawGrid (cells drawn by the OnDrawCell event) and
// TStringGrid (a text and an object per cell).
//
// Coordinates are client pixels; columns and rows count from 0 and the fixed
// ones come first. Column widths and row heights are kept so that a lookup
// stays logarithmic however many rows the grid has, and painting touches
// only the cells in view.

#include <limits>
#include <memory>
#include <stdexcept>
#include <unordered_map>
#include <vector>

#include <QImage>

#include "platform/GridCellTable.h"
#include "platform/Control.h"

class TInplaceEdit;
class TStrings;

// Raised for an index outside the grid or a count the grid cannot take.
class EInvalidGridOperation : public std::runtime_error {
public:
    explicit EInvalidGridOperation(const QString& message) : std::runtime_error(message.toStdString()) {}
};

enum TGridOption : Cardinal {
    goFixedVertLine = 1u << 0,
    goFixedHorzLine = 1u << 1,
    goVertLine = 1u << 2,
    goHorzLine = 1u << 3,
    goRangeSelect = 1u << 4,
    goDrawFocusSelected = 1u << 5,
    goRowSizing = 1u << 6,
    goColSizing = 1u << 7,
    goRowMoving = 1u << 8,
    goColMoving = 1u << 9,
    goEditing = 1u << 10,
    goTabs = 1u << 11,
    goRowSelect = 1u << 12,
    goAlwaysShowEditor = 1u << 13,
    goThumbTracking = 1u << 14,
};
using TGridOptions = Cardinal;
constexpr TGridOptions DefaultGridOptions = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;

enum TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };

enum TGridDrawStateFlag : Cardinal { gdSelected = 1u << 0, gdFocused = 1u << 1, gdFixed = 1u << 2 };
using TGridDrawState = Cardinal;

struct TGridCoord {
    Integer X = 0;
    Integer Y = 0;
    friend constexpr bool operator==(const TGridCoord&, const TGridCoord&) = default;
};

// A block of cells; Right and Bottom are the last column and row in it.
struct TGridRect {
    Integer Left = 0;
    Integer Top = 0;
    Integer Right = 0;
    Integer Bottom = 0;
    constexpr TGridCoord TopLeft() const { return {Left, Top}; }
    constexpr TGridCoord BottomRight() const { return {Right, Bottom}; }
    constexpr bool Contains(Integer ACol, Integer ARow) const { return ACol >= Left && ACol <= Right && ARow >= Top && ARow <= Bottom; }
    friend constexpr bool operator==(const TGridRect&, const TGridRect&) = default;
};

// The block spanned by two corner cells, in either order.
constexpr TGridRect GridRect(TGridCoord A, TGridCoord B)
{
    return {std::min(A.X, B.X), std::min(A.Y, B.Y), std::max(A.X, B.X), std::max(A.Y, B.Y)};
}

// The sizes of a grid's columns or rows: every one has the default size
// until it is given its own. Sums and the cell at a pixel offset cost
// O(log n) (constant time while all sizes are the default).
class TGridAxisSizes {
public:
    Integer Count() const { return FCount; }
    void SetCount(Integer Value);
    Integer DefaultSize() const { return FDefault; }
    // Gives every cell the new default size.
    void SetDefaultSize(Integer Value);
    Integer Size(Integer Index) const { return FSizes.empty() ? FDefault : FSizes[size_t(Index)]; }
    void SetSize(Integer Index, Integer Value);
    // Sum of the sizes of cells [From, To).
    Int64 Sum(Integer From, Integer To) const;
    // The cell k >= From whose span (its size plus LineWidth, cells laid
    // end to end from From) holds Offset pixels; Count when Offset lies
    // beyond the last cell.
    Integer IndexAt(Integer From, Int64 Offset, Integer LineWidth) const;
    // Moves the size of cell From to To, the cells between shifting by one.
    void Move(Integer From, Integer To);
    // Cell From + i takes the size cell From + Order[i] had (Order is a
    // permutation of 0 .. Order.size() - 1).
    void Permute(Integer From, const std::vector<Integer>& Order);

private:
    Int64 Prefix(Integer End) const;
    void Rebuild();

    Integer FCount = 0;
    Integer FDefault = 0;
    std::vector<Integer> FSizes;  // empty while every size is the default
    std::vector<Int64> FTree;     // Fenwick tree over FSizes
};

// Where the cells of one direction lie on screen (see CalcDrawInfo).
struct TGridAxisDrawInfo {
    Integer EffectiveLineWidth = 0;  // the grid line after every cell
    Integer FixedBoundary = 0;       // end of the fixed cells
    Integer GridBoundary = 0;        // end of the last cell in view (at most GridExtent)
    Integer GridExtent = 0;          // the client width or height
    Integer LastFullVisibleCell = 0; // last cell wholly in view (the first scrolled one at least)
    Integer FullVisBoundary = 0;     // end of that cell
    Integer FixedCellCount = 0;
    Integer FirstGridCell = 0;       // LeftCol or TopRow
    Integer GridCellCount = 0;       // ColCount or RowCount
    const TGridAxisSizes* Sizes = nullptr;
    Integer GetExtent(Integer Index) const { return Sizes->Size(Index); }
};

struct TGridDrawInfo {
    TGridAxisDrawInfo Horz;
    TGridAxisDrawInfo Vert;
};

struct TGridWindowParts;

class TCustomGrid : public TCustomControl {
    friend class TInplaceEdit;
    friend struct TGridWindowParts;

public:
    explicit TCustomGrid(TComponent* AOwner);
    ~TCustomGrid() override;
    QString ClassName() const override { return QStringLiteral("TCustomGrid"); }

    // ---- size of the grid
    Integer ColCount() const { return FColWidths.Count(); }
    void SetColCount(Integer Value);
    Integer RowCount() const { return FRowHeights.Count(); }
    void SetRowCount(Integer Value);
    Integer FixedCols() const { return FFixedCols; }
    void SetFixedCols(Integer Value);
    Integer FixedRows() const { return FFixedRows; }
    void SetFixedRows(Integer Value);
    Integer DefaultColWidth() const { return FColWidths.DefaultSize(); }
    // Gives every column the new width.
    void SetDefaultColWidth(Integer Value);
    Integer DefaultRowHeight() const { return FRowHeights.DefaultSize(); }
    void SetDefaultRowHeight(Integer Value);
    Integer ColWidths(Integer Index) const;
    void SetColWidths(Integer Index, Integer Value);
    Integer RowHeights(Integer Index) const;
    void SetRowHeights(Integer Index, Integer Value);
    // A batch of size changes (a grid's columns set up one by one): the
    // scroll bars and the top left cell are worked out once, at the last
    // EndLayout, instead of after every change. Counted.
    void BeginLayout() { ++FLayoutHold; }
    void EndLayout();
    Integer GridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(Integer Value);
    // Pixel width and height of the cells in view, lines included.
    Integer GridWidth() const;
    Integer GridHeight() const;

    // ---- look and behaviour
    TGridOptions Options() const { return FOptions; }
    void SetOptions(TGridOptions Value);
    TColor FixedColor() const { return FFixedColor; }
    void SetFixedColor(TColor Value);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    // The whole window as drawn (border, cells and scroll bars); empty
    // while it has no border or bars shown.
    QImage GrabWindow() const;
    // Repaints the border area.
    void InvalidateFrame();
    // A strip between the cells and the horizontal scroll bar: the cells
    // end above it. The client window reaches over it, so that a child
    // control placed by LayoutBottomReserve fills it.
    Integer BottomReserve() const { return FBottomReserve; }
    void SetBottomReserve(Integer Value);
    // The strip in window coordinates (empty without one).
    TRect BottomReserveRect() const;
    // False: cells are filled and framed by DrawCell alone.
    bool DefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool Value);
    TGridState GridState() const { return FGridState; }

    // ---- current cell, selection and scrolling
    Integer Col() const { return FCurrent.X; }
    void SetCol(Integer Value);
    Integer Row() const { return FCurrent.Y; }
    void SetRow(Integer Value);
    Integer LeftCol() const { return FTopLeft.X; }
    void SetLeftCol(Integer Value);
    Integer TopRow() const { return FTopLeft.Y; }
    void SetTopRow(Integer Value);
    // Scrollable columns and rows wholly in view (at least one when any is there).
    Integer VisibleColCount() const;
    Integer VisibleRowCount() const;
    // The selected block, anchor and current cell at its corners.
    TGridRect Selection() const;
    // Anchor at the top left, current cell at the bottom right; no SelectCell.
    void SetSelection(const TGridRect& Value);
    TGridCoord Anchor() const { return FAnchor; }

    // ---- geometry
    // The cell's rectangle without its grid lines; empty for a cell not in view.
    TRect CellRect(Integer ACol, Integer ARow) const;
    // The cell under a client point; -1 for a column or row outside the cells.
    void MouseToCell(Integer X, Integer Y, Integer& ACol, Integer& ARow) const;
    TGridCoord MouseCoord(Integer X, Integer Y) const;
    void CalcDrawInfo(TGridDrawInfo& DrawInfo) const;
    // Draw info for the fixed cells alone (nothing scrolled into view).
    void CalcFixedInfo(TGridDrawInfo& DrawInfo) const;

    // ---- the editor
    bool EditorMode() const { return FEditorMode; }
    void SetEditorMode(bool Value);
    TInplaceEdit* InplaceEditor() const { return FInplaceEdit; }
    void ShowEditor();
    void HideEditor();
    // Opens the editor and types Ch into it.
    void ShowEditorChar(QChar Ch);
    // Places the editor anew on its cell (after sizes or scrolling changed).
    void InvalidateEditor();

    // ---- changes
    void MoveColumn(Integer FromIndex, Integer ToIndex);
    void MoveRow(Integer FromIndex, Integer ToIndex);
    void DeleteColumn(Integer ACol);
    void DeleteRow(Integer ARow);
    void InvalidateCell(Integer ACol, Integer ARow)
    {
        // Rows below the view (most of a long grid being filled) cost one test.
        if (ARow > FLastRowInView)
            return;
        InvalidateCellInView(ACol, ARow);
    }
    void InvalidateRow(Integer ARow);
    void InvalidateCol(Integer ACol);
    void InvalidateGrid() { Invalidate(); }
    // Moves the current cell (through SelectCell), brings it into view and
    // fires Click.
    void FocusCell(Integer ACol, Integer ARow, bool MoveAnchor);
    // Moves the current cell through SelectCell; MoveAnchor collapses the
    // selection onto it, Show scrolls it into view.
    void MoveColRow(Integer ACol, Integer ARow, bool MoveAnchor, bool Show);

    TRect ClientRect() const override;
    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
    void SetVisible(bool value) override;
    void SetEnabled(bool value) override;

protected:
    // ---- hooks for descendants
    virtual TInplaceEdit* CreateEditor();
    virtual bool CanEditShow();
    virtual bool CanEditModify();
    virtual bool CanEditAcceptKey(QChar Key);
    virtual QString GetEditText(Integer ACol, Integer ARow);
    virtual void SetEditText(Integer ACol, Integer ARow, const QString& Value);
    virtual QString GetEditMask(Integer ACol, Integer ARow);
    virtual Integer GetEditLimit();
    virtual bool SelectCell(Integer ACol, Integer ARow);
    virtual void DrawCell(Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState) = 0;
    void Paint() override;
    virtual void ColumnMoved(Integer FromIndex, Integer ToIndex);
    virtual void RowMoved(Integer FromIndex, Integer ToIndex);
    virtual void ColWidthsChanged();
    virtual void RowHeightsChanged();
    virtual void TopLeftChanged();
    // Whether the point lies on a border that a drag would size: State
    // becomes gsColSizing or gsRowSizing with the cell's Index, the border's
    // position and the point's offset from it.
    virtual void CalcSizingState(Integer X, Integer Y, TGridState& State, Integer& Index, Integer& SizingPos, Integer& SizingOfs,
                                 TGridDrawInfo& FixedInfo);
    // Called after the column or row count changed (the old counts given).
    virtual void SizeChanged(Integer OldColCount, Integer OldRowCount);
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void DblClick() override;
    bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) override;
    virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
    virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
    void DoEnter() override;
    void DoExit() override;
    void Loaded() override;
    void Resize() override;
    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void UpdateView() override;

    // Draws over the window's border area (whole window, client and scroll
    // bars drawn above it) after its sunken edge: a control's own border.
    virtual void PaintWindowFrame(TCanvas* ACanvas) {}
    // Places what fills the bottom reserve; R in client coordinates (below
    // ClientRect), empty while there is none. Runs at every layout.
    virtual void LayoutBottomReserve(const TRect& R) {}
    // The grid or its editor has the keyboard focus.
    bool IsActiveControl() const;
    // Drops a drag under way (sizing, moving, selecting) without applying it.
    void CancelTracking() { StopTracking(); }
    // Writes the editor's text to its cell.
    void UpdateText();
    void InvalidateRect(const TGridRect& ARect);
    // Row From + i takes the height row From + Order[i] had.
    void PermuteRowHeights(Integer From, const std::vector<Integer>& Order);
    // Cell block in view to its screen rectangle (lines included).
    TRect BoxRect(Integer ALeft, Integer ATop, Integer ARight, Integer ABottom) const;

    TGridState FGridState = gsNormal;
    TInplaceEdit* FInplaceEdit = nullptr;
    TGridCoord FAnchor{1, 1};
    TGridCoord FCurrent{1, 1};
    TGridCoord FTopLeft{1, 1};
    Integer FSizingIndex = 0;
    Integer FSizingPos = 0;
    Integer FSizingOfs = 0;
    Integer FMoveIndex = -1;
    Integer FMovePos = -1;
    TPoint FHitTest;
    bool FEditorMode = false;
    bool FCanEditModify = false;
    Integer FInplaceCol = -1;
    Integer FInplaceRow = -1;

private:
    friend class TCustomDrawGrid;
    void InvalidateCellInView(Integer ACol, Integer ARow);
    void ChangeSize(Integer NewColCount, Integer NewRowCount);
    void MoveLine(bool Cols, Integer FromIndex, Integer ToIndex);
    void MoveCurrent(Integer ACol, Integer ARow, bool MoveAnchor, bool Show);
    void MoveAnchor(TGridCoord NewAnchor);
    void MoveTopLeft(Integer ALeft, Integer ATop);
    void ClampInView(TGridCoord Coord);
    void SelectionMoved(const TGridRect& OldSel);
    TGridCoord CalcMaxTopLeft(TGridCoord Coord, const TGridDrawInfo& DrawInfo) const;
    void UpdateScrollRange();
    void UpdateScrollPos();
    void LayoutWindow();
    void ScrollMessage(bool Vertical, Word Code, Integer Pos);
    void UpdateEdit();
    void HideEdit();
    void CancelEdit();
    void DrawSizingLine(const TGridDrawInfo& DrawInfo);
    void DrawMove();
    Integer BorderWidth() const;
    void UpdateCursorAt(Integer X, Integer Y);
    void TimedScroll();
    void StopTracking();
    Integer SizingStart(bool Cols) const;
    void InvalidateGeometry();
    const TGridDrawInfo& DrawInfo() const;
    Integer ScrollBarExtent() const;
    void SetCurrentRaw(Integer ACol, Integer ARow);

    TGridAxisSizes FColWidths;
    TGridAxisSizes FRowHeights;
    Integer FFixedCols = 1;
    Integer FFixedRows = 1;
    Integer FGridLineWidth = 1;
    TGridOptions FOptions = DefaultGridOptions;
    TColor FFixedColor = clBtnFace;
    TScrollStyle FScrollBars = ssBoth;
    TBorderStyle FBorderStyle = bsSingle;
    bool FDefaultDrawing = true;
    bool FVertBarShown = false;
    bool FHorzBarShown = false;
    Integer FLayoutHold = 0;
    bool FScrollRangeStale = false;  // a change while held awaits EndLayout
    bool FUpdatingScrollBars = false;
    bool FTracking = false;
    TPoint FLastMouse;
    QString FEditOriginal;  // the cell's text when its edit began
    bool FLoadingEditor = false;
    mutable bool FDrawInfoValid = false;
    mutable TGridDrawInfo FDrawInfoCache;
    // Rows past this one are out of view; the largest row while the draw
    // info is to be worked out again.
    mutable Integer FLastRowInView = std::numeric_limits<Integer>::max();
    std::unique_ptr<TGridWindowParts> FWindow;
    Integer FBottomReserve = 0;
};

using TDrawCellEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, TRect Rect, TGridDrawState State)>;
using TSelectCellEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool& CanSelect)>;
using TMovedEvent = std::function<void(TObject* Sender, Integer FromIndex, Integer ToIndex)>;
using TGetEditEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, QString& Value)>;
using TSetEditEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, const QString& Value)>;

// A grid whose cells are drawn by OnDrawCell; the other hooks fire events.
class TCustomDrawGrid : public TCustomGrid {
public:
    explicit TCustomDrawGrid(TComponent* AOwner) : TCustomGrid(AOwner) {}
    QString ClassName() const override { return QStringLiteral("TCustomDrawGrid"); }

    TDrawCellEvent OnDrawCell;
    TSelectCellEvent OnSelectCell;
    TMovedEvent OnColumnMoved;
    TMovedEvent OnRowMoved;
    TNotifyEvent OnTopLeftChanged;
    TGetEditEvent OnGetEditMask;
    TGetEditEvent OnGetEditText;
    TSetEditEvent OnSetEditText;

protected:
    void DrawCell(Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState) override;
    bool SelectCell(Integer ACol, Integer ARow) override;
    void ColumnMoved(Integer FromIndex, Integer ToIndex) override;
    void RowMoved(Integer FromIndex, Integer ToIndex) override;
    void TopLeftChanged() override;
    QString GetEditMask(Integer ACol, Integer ARow) override;
    QString GetEditText(Integer ACol, Integer ARow) override;
    void SetEditText(Integer ACol, Integer ARow, const QString& Value) override;
};

class TDrawGrid : public TCustomDrawGrid {
public:
    explicit TDrawGrid(TComponent* AOwner) : TCustomDrawGrid(AOwner) {}
    QString ClassName() const override { return QStringLiteral("TDrawGrid"); }
};

class TStringGridStrings;

// A grid of texts, each cell with an object (not owned). Cells outside the
// counts keep their contents: lowering ColCount or RowCount and raising it
// again brings them back.
class TStringGrid : public TDrawGrid {
public:
    explicit TStringGrid(TComponent* AOwner);
    ~TStringGrid() override;
    QString ClassName() const override { return QStringLiteral("TStringGrid"); }

    QString Cells(Integer ACol, Integer ARow) const;
    void SetCells(Integer ACol, Integer ARow, const QString& Value);
    void SetCells(Integer ACol, Integer ARow, QString&& Value)
    {
        // A cell the table already holds: no call but the repaint.
        if (QString* slot = FCells.Text(size_t(ACol), size_t(ARow))) {
            *slot = std::move(Value);
            InvalidateCell(ACol, ARow);
            return;
        }
        SetNewCell(ACol, ARow, std::move(Value));
    }
    TObject* Objects(Integer ACol, Integer ARow) const;
    // False while no cell has ever held an object.
    bool AnyObject() const { return FCells.HasObjects(); }
    void SetObjects(Integer ACol, Integer ARow, TObject* Value);
    // A row or column as a list of ColCount or RowCount strings with their
    // objects; writing to the list writes the cells. Owned by the grid.
    TStrings* Rows(Integer Index);
    TStrings* Cols(Integer Index);
    void SetRows(Integer Index, const TStrings* Value);
    void SetCols(Integer Index, const TStrings* Value);
    // Row From + i takes the texts, objects and height that row From +
    // Order[i] had (Order is a permutation of 0 .. Order.size() - 1): a
    // reordering of rows in one pass, whole rows moved, no cell copied.
    void PermuteRows(Integer From, const std::vector<Integer>& Order);

protected:
    void DrawCell(Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState) override;
    QString GetEditText(Integer ACol, Integer ARow) override;
    void SetEditText(Integer ACol, Integer ARow, const QString& Value) override;
    void ColumnMoved(Integer FromIndex, Integer ToIndex) override;
    void RowMoved(Integer FromIndex, Integer ToIndex) override;

private:
    friend class TStringGridStrings;
    static void CheckIndex(Integer ACol, Integer ARow)
    {
        if (ACol < 0 || ARow < 0)
            IndexError();
    }
    [[noreturn]] static void IndexError();
    // The slot a text goes to, null when an empty text needs none.
    QString* TextSlot(Integer ACol, Integer ARow, bool Empty);
    void SetNewCell(Integer ACol, Integer ARow, QString&& Value);
    // Makes the table hold the cell, and at least the grid's counts.
    void HoldCell(Integer ACol, Integer ARow);

    TGridCellTable FCells;
    std::unordered_map<Integer, std::unique_ptr<TStringGridStrings>> FRowLists;
    std::unordered_map<Integer, std::unique_ptr<TStringGridStrings>> FColLists;
};
