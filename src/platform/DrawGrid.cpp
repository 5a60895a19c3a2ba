// The grid's model: counts, sizes, the current cell and the selection,
// scrolling and its scroll bars, geometry, and the grid's window (a client
// widget that the grid paints, with a frame and scroll bars beside it).

#include "platform/DrawGrid.h"

#include <functional>

#include "platform/Canvas.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QStyle>

#include "platform/DrawGridWalk.h"
#include "platform/Form.h"
#include "platform/Graphics.h"
#include "platform/GraphicsQt.h"
#include "platform/InplaceEdit.h"
#include "platform/WidgetBridge.h"

// ------------------------------------------------------------ the window

namespace {

// The border and the scroll bars around the grid's client area. It lies
// under the client widget (a sibling of it in the parent's window), so that
// the client widget keeps client coordinates, as children and the mouse
// expect them.
class TGridFrameWidget : public QWidget {
public:
    explicit TGridFrameWidget(QWidget* parent) : QWidget(parent) {}
    Integer Border = 0;
    // The grid's own drawing over the edge.
    std::function<void(QPainter*)> PaintOver;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const QRect r = rect();
        p.fillRect(r, ToQColor(ColorToRGB(clBtnFace)));
        if (Border >= 2) {
            // A sunken edge two pixels deep.
            auto line = [&](TColor c, int x1, int y1, int x2, int y2) {
                p.setPen(ToQColor(ColorToRGB(c)));
                p.drawLine(x1, y1, x2, y2);
            };
            const int w = r.width(), h = r.height();
            line(clBtnShadow, 0, 0, w - 2, 0);
            line(clBtnShadow, 0, 0, 0, h - 2);
            line(clBtnHighlight, 0, h - 1, w - 1, h - 1);
            line(clBtnHighlight, w - 1, 0, w - 1, h - 1);
            line(cl3DDkShadow, 1, 1, w - 3, 1);
            line(cl3DDkShadow, 1, 1, 1, h - 3);
            line(cl3DLight, 1, h - 2, w - 2, h - 2);
            line(cl3DLight, w - 2, 1, w - 2, h - 2);
        }
        if (PaintOver)
            PaintOver(&p);
    }
    // A press on the frame is the grid's, not the parent's.
    void mousePressEvent(QMouseEvent* e) override { e->accept(); }
};

} // namespace

struct TGridWindowParts {
    QPointer<TGridFrameWidget> Frame;
    QPointer<QScrollBar> VBar;
    QPointer<QScrollBar> HBar;

    ~TGridWindowParts() { delete Frame.data(); }
};

namespace {

QString IndexError()
{
    return QStringLiteral("Grid index out of range");
}

} // namespace

// ------------------------------------------------------------ construction

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner)
{
    FColWidths.SetDefaultSize(64);
    FRowHeights.SetDefaultSize(24);
    FColWidths.SetCount(5);
    FRowHeights.SetCount(5);
    FControlStyle |= csOpaque | csDoubleClicks;
    SetTabStop(true);
    SetBounds(0, 0, 320, 120);
    UpdateScrollRange();
}

TCustomGrid::~TCustomGrid()
{
    Destroying();
    // The editor goes while the grid is whole (it calls back into it).
    delete FInplaceEdit;
    FInplaceEdit = nullptr;
    FWindow.reset();
}

// ------------------------------------------------------------ counts and sizes

void TCustomGrid::SetColCount(Integer Value)
{
    if (Value != ColCount())
        ChangeSize(Value, RowCount());
}

void TCustomGrid::SetRowCount(Integer Value)
{
    if (Value != RowCount())
        ChangeSize(ColCount(), Value);
}

void TCustomGrid::ChangeSize(Integer NewColCount, Integer NewRowCount)
{
    NewColCount = std::max<Integer>(NewColCount, 0);
    NewRowCount = std::max<Integer>(NewRowCount, 0);
    const Integer oldCols = ColCount(), oldRows = RowCount();
    // The editor's cell may go: write its text back while it is still there.
    if (FInplaceCol >= NewColCount || FInplaceRow >= NewRowCount)
        HideEdit();
    FColWidths.SetCount(NewColCount);
    FRowHeights.SetCount(NewRowCount);
    FFixedCols = std::min(FFixedCols, NewColCount);
    FFixedRows = std::min(FFixedRows, NewRowCount);
    SetCurrentRaw(FCurrent.X, FCurrent.Y);
    InvalidateGeometry();
    SizeChanged(oldCols, oldRows);
    UpdateScrollRange();
    Invalidate();
    if (FEditorMode)
        UpdateEdit();
}

// Keeps the current cell, the anchor and the top left cell inside the
// scrollable part of the grid (on the first scrollable index when there is
// none, so that the grid recovers once there is).
void TCustomGrid::SetCurrentRaw(Integer ACol, Integer ARow)
{
    auto clampIndex = [](Integer v, Integer fixed, Integer count) { return std::max(fixed, std::min(v, count - 1)); };
    FCurrent = {clampIndex(ACol, FFixedCols, ColCount()), clampIndex(ARow, FFixedRows, RowCount())};
    FAnchor = {clampIndex(FAnchor.X, FFixedCols, ColCount()), clampIndex(FAnchor.Y, FFixedRows, RowCount())};
    FTopLeft = {clampIndex(FTopLeft.X, FFixedCols, ColCount()), clampIndex(FTopLeft.Y, FFixedRows, RowCount())};
    InvalidateGeometry();
    if (FLayoutHold > 0) {
        FScrollRangeStale = true;  // EndLayout keeps the top left cell in range
        return;
    }
    const TGridCoord maxTL = CalcMaxTopLeft(FTopLeft, DrawInfo());
    if (maxTL.X != FTopLeft.X || maxTL.Y != FTopLeft.Y) {
        FTopLeft = maxTL;
        InvalidateGeometry();
    }
}

void TCustomGrid::SetFixedCols(Integer Value)
{
    if (Value < 0 || Value > ColCount())
        throw EInvalidGridOperation(QStringLiteral("Fixed column count must not exceed the column count"));
    if (Value == FFixedCols)
        return;
    HideEdit();
    FFixedCols = Value;
    SetCurrentRaw(FCurrent.X, FCurrent.Y);
    UpdateScrollRange();
    Invalidate();
    if (FEditorMode)
        UpdateEdit();
}

void TCustomGrid::SetFixedRows(Integer Value)
{
    if (Value < 0 || Value > RowCount())
        throw EInvalidGridOperation(QStringLiteral("Fixed row count must not exceed the row count"));
    if (Value == FFixedRows)
        return;
    HideEdit();
    FFixedRows = Value;
    SetCurrentRaw(FCurrent.X, FCurrent.Y);
    UpdateScrollRange();
    Invalidate();
    if (FEditorMode)
        UpdateEdit();
}

void TCustomGrid::SetDefaultColWidth(Integer Value)
{
    FColWidths.SetDefaultSize(Value);
    InvalidateGeometry();
    ColWidthsChanged();
}

void TCustomGrid::SetDefaultRowHeight(Integer Value)
{
    FRowHeights.SetDefaultSize(Value);
    InvalidateGeometry();
    RowHeightsChanged();
}

Integer TCustomGrid::ColWidths(Integer Index) const
{
    if (Index < 0 || Index >= ColCount())
        throw EInvalidGridOperation(IndexError());
    return FColWidths.Size(Index);
}

void TCustomGrid::SetColWidths(Integer Index, Integer Value)
{
    if (Index < 0 || Index >= ColCount())
        throw EInvalidGridOperation(IndexError());
    if (std::max<Integer>(Value, 0) == FColWidths.Size(Index))
        return;
    FColWidths.SetSize(Index, Value);
    InvalidateGeometry();
    ColWidthsChanged();
}

Integer TCustomGrid::RowHeights(Integer Index) const
{
    if (Index < 0 || Index >= RowCount())
        throw EInvalidGridOperation(IndexError());
    return FRowHeights.Size(Index);
}

void TCustomGrid::SetRowHeights(Integer Index, Integer Value)
{
    if (Index < 0 || Index >= RowCount())
        throw EInvalidGridOperation(IndexError());
    if (std::max<Integer>(Value, 0) == FRowHeights.Size(Index))
        return;
    FRowHeights.SetSize(Index, Value);
    InvalidateGeometry();
    RowHeightsChanged();
}

void TCustomGrid::SetGridLineWidth(Integer Value)
{
    Value = std::max<Integer>(Value, 0);
    if (Value == FGridLineWidth)
        return;
    FGridLineWidth = Value;
    InvalidateGeometry();
    UpdateScrollRange();
    InvalidateEditor();
    Invalidate();
}

Integer TCustomGrid::GridWidth() const
{
    return DrawInfo().Horz.GridBoundary;
}

Integer TCustomGrid::GridHeight() const
{
    return DrawInfo().Vert.GridBoundary;
}

void TCustomGrid::ColWidthsChanged()
{
    SetCurrentRaw(FCurrent.X, FCurrent.Y);
    UpdateScrollRange();
    InvalidateEditor();
    Invalidate();
}

void TCustomGrid::RowHeightsChanged()
{
    SetCurrentRaw(FCurrent.X, FCurrent.Y);
    UpdateScrollRange();
    InvalidateEditor();
    Invalidate();
}

void TCustomGrid::SizeChanged(Integer OldColCount, Integer OldRowCount)
{
}

// ------------------------------------------------------------ look

void TCustomGrid::SetOptions(TGridOptions Value)
{
    if (Value & goRowSelect)
        Value &= ~TGridOptions(goAlwaysShowEditor);
    if (Value == FOptions)
        return;
    const TGridOptions old = FOptions;
    FOptions = Value;
    if ((Value & goRowSelect) || !(Value & goEditing))
        HideEditor();
    else if ((Value & goAlwaysShowEditor) && !(old & goAlwaysShowEditor))
        ShowEditor();
    InvalidateGeometry();
    UpdateScrollRange();
    InvalidateEditor();
    Invalidate();
}

void TCustomGrid::SetFixedColor(TColor Value)
{
    if (Value == FFixedColor)
        return;
    FFixedColor = Value;
    Invalidate();
}

void TCustomGrid::SetScrollBars(TScrollStyle Value)
{
    if (Value == FScrollBars)
        return;
    FScrollBars = Value;
    UpdateScrollRange();
}

void TCustomGrid::SetBorderStyle(TBorderStyle Value)
{
    if (Value != bsNone)
        Value = bsSingle;
    if (Value == FBorderStyle)
        return;
    FBorderStyle = Value;
    InvalidateGeometry();
    UpdateScrollRange();
    LayoutWindow();
}

void TCustomGrid::SetDefaultDrawing(bool Value)
{
    if (Value == FDefaultDrawing)
        return;
    FDefaultDrawing = Value;
    Invalidate();
}

// ------------------------------------------------------------ geometry

Integer TCustomGrid::BorderWidth() const
{
    return FBorderStyle == bsSingle ? 2 : 0;
}

Integer TCustomGrid::ScrollBarExtent() const
{
    return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

TRect TCustomGrid::ClientRect() const
{
    const Integer b = BorderWidth();
    const Integer sb = ScrollBarExtent();
    const Integer w = Width() - 2 * b - (FVertBarShown ? sb : 0);
    const Integer h = Height() - 2 * b - (FHorzBarShown ? sb : 0) - FBottomReserve;
    return {0, 0, std::max<Integer>(w, 0), std::max<Integer>(h, 0)};
}

void TCustomGrid::InvalidateGeometry()
{
    FDrawInfoValid = false;
    FLastRowInView = std::numeric_limits<Integer>::max();
}

const TGridDrawInfo& TCustomGrid::DrawInfo() const
{
    if (!FDrawInfoValid) {
        CalcDrawInfo(FDrawInfoCache);
        FDrawInfoValid = true;
        const TGridAxisDrawInfo& v = FDrawInfoCache.Vert;
        FLastRowInView = std::max(v.LastFullVisibleCell + 1, v.FixedCellCount - 1);
    }
    return FDrawInfoCache;
}

namespace {

void CalcAxis(TGridAxisDrawInfo& A, const TGridAxisSizes& sizes, Integer lineWidth, Integer extent, Integer fixed, Integer first)
{
    A.Sizes = &sizes;
    A.EffectiveLineWidth = lineWidth;
    A.GridExtent = extent;
    A.FixedCellCount = fixed;
    A.FirstGridCell = first;
    A.GridCellCount = sizes.Count();
    const Int64 fixedEnd = sizes.Sum(0, fixed) + Int64(fixed) * lineWidth;
    A.FixedBoundary = Integer(std::min<Int64>(fixedEnd, Int64(INT32_MAX / 2)));
    A.GridBoundary = A.FixedBoundary;
    A.FullVisBoundary = A.FixedBoundary;
    A.LastFullVisibleCell = first;
    if (A.FixedBoundary > extent) {
        A.GridBoundary = extent;
        return;
    }
    Int64 pos = A.FixedBoundary;
    for (Integer i = first; i < A.GridCellCount; ++i) {
        pos += sizes.Size(i) + lineWidth;
        if (pos > Int64(extent) + lineWidth) {
            A.GridBoundary = extent;
            return;
        }
        A.LastFullVisibleCell = i;
        A.FullVisBoundary = Integer(pos);
        A.GridBoundary = Integer(pos);
    }
}

// Start of a cell in view; false for a cell scrolled out of view or beyond it.
bool CellStart(const TGridAxisDrawInfo& A, Integer index, Integer& start)
{
    if (index < 0 || index >= A.GridCellCount)
        return false;
    const Integer lw = A.EffectiveLineWidth;
    Int64 s;
    if (index < A.FixedCellCount)
        s = A.Sizes->Sum(0, index) + Int64(index) * lw;
    else if (index < A.FirstGridCell)
        return false;
    else
        s = A.FixedBoundary + A.Sizes->Sum(A.FirstGridCell, index) + Int64(index - A.FirstGridCell) * lw;
    if (s >= A.GridExtent)
        return false;
    start = Integer(s);
    return true;
}

Integer CellAt(const TGridAxisDrawInfo& A, Integer pos)
{
    if (pos < 0)
        return -1;
    const Integer lw = A.EffectiveLineWidth;
    if (pos < A.FixedBoundary) {
        const Integer i = A.Sizes->IndexAt(0, pos, lw);
        return i < A.FixedCellCount ? i : -1;
    }
    if (pos >= A.GridBoundary)
        return -1;
    const Integer i = A.Sizes->IndexAt(A.FirstGridCell, Int64(pos) - A.FixedBoundary, lw);
    return i < A.GridCellCount ? i : -1;
}

// Screen span of cells [lo, hi] in view, lines included; false when none is.
bool AxisSpan(const TGridAxisDrawInfo& A, Integer lo, Integer hi, Integer& s, Integer& e)
{
    lo = std::max<Integer>(lo, 0);
    hi = std::min<Integer>(hi, A.GridCellCount - 1);
    if (lo > hi)
        return false;
    bool any = false;
    auto take = [&](Integer a, Integer b) {
        Integer sa = 0, sb = 0;
        if (!CellStart(A, a, sa))
            return;
        if (!CellStart(A, b, sb)) {
            sb = A.GridExtent;
        } else {
            sb += A.Sizes->Size(b) + A.EffectiveLineWidth;
        }
        s = any ? std::min(s, sa) : sa;
        e = any ? std::max(e, sb) : sb;
        any = true;
    };
    if (lo < A.FixedCellCount)
        take(lo, std::min(hi, A.FixedCellCount - 1));
    const Integer a = std::max(lo, A.FirstGridCell);
    if (a <= hi)
        take(a, hi);
    if (any)
        e = std::min(e, A.GridExtent);
    return any && e > s;
}

} // namespace

void TCustomGrid::CalcDrawInfo(TGridDrawInfo& DrawInfo) const
{
    const TRect cr = ClientRect();
    const Integer hLine = (FOptions & (goFixedVertLine | goVertLine)) ? FGridLineWidth : 0;
    const Integer vLine = (FOptions & (goFixedHorzLine | goHorzLine)) ? FGridLineWidth : 0;
    CalcAxis(DrawInfo.Horz, FColWidths, hLine, cr.Width(), FFixedCols, FTopLeft.X);
    CalcAxis(DrawInfo.Vert, FRowHeights, vLine, cr.Height(), FFixedRows, FTopLeft.Y);
}

void TCustomGrid::CalcFixedInfo(TGridDrawInfo& DrawInfo) const
{
    CalcDrawInfo(DrawInfo);
    for (TGridAxisDrawInfo* A : {&DrawInfo.Horz, &DrawInfo.Vert}) {
        A->FirstGridCell = A->FixedCellCount;
        A->GridCellCount = A->FixedCellCount;
        A->GridBoundary = std::min(A->FixedBoundary, A->GridExtent);
        A->FullVisBoundary = A->GridBoundary;
        A->LastFullVisibleCell = A->FixedCellCount - 1;
    }
}

TRect TCustomGrid::CellRect(Integer ACol, Integer ARow) const
{
    const TGridDrawInfo& di = DrawInfo();
    Integer x = 0, y = 0;
    if (!CellStart(di.Horz, ACol, x) || !CellStart(di.Vert, ARow, y))
        return {};
    const Integer r = std::min(x + FColWidths.Size(ACol), di.Horz.GridExtent);
    const Integer b = std::min(y + FRowHeights.Size(ARow), di.Vert.GridExtent);
    return {x, y, r, b};
}

TRect TCustomGrid::BoxRect(Integer ALeft, Integer ATop, Integer ARight, Integer ABottom) const
{
    const TGridDrawInfo& di = DrawInfo();
    Integer l = 0, r = 0, t = 0, b = 0;
    if (!AxisSpan(di.Horz, std::min(ALeft, ARight), std::max(ALeft, ARight), l, r)
        || !AxisSpan(di.Vert, std::min(ATop, ABottom), std::max(ATop, ABottom), t, b))
        return {};
    return {l, t, r, b};
}

void TCustomGrid::MouseToCell(Integer X, Integer Y, Integer& ACol, Integer& ARow) const
{
    const TGridCoord c = MouseCoord(X, Y);
    ACol = c.X;
    ARow = c.Y;
}

TGridCoord TCustomGrid::MouseCoord(Integer X, Integer Y) const
{
    const TGridDrawInfo& di = DrawInfo();
    return {CellAt(di.Horz, X), CellAt(di.Vert, Y)};
}

Integer TCustomGrid::VisibleColCount() const
{
    const TGridAxisDrawInfo& h = DrawInfo().Horz;
    return h.FirstGridCell < h.GridCellCount ? h.LastFullVisibleCell - h.FirstGridCell + 1 : 0;
}

Integer TCustomGrid::VisibleRowCount() const
{
    const TGridAxisDrawInfo& v = DrawInfo().Vert;
    return v.FirstGridCell < v.GridCellCount ? v.LastFullVisibleCell - v.FirstGridCell + 1 : 0;
}

namespace {

// The first scrollable cell that shows cells up to `last` wholly (last
// itself when even it does not fit).
Integer FirstShowing(const TGridAxisDrawInfo& A, Integer last)
{
    const Int64 room = Int64(A.GridExtent) - A.FixedBoundary + A.EffectiveLineWidth;
    Integer first = last;
    Int64 used = 0;
    for (Integer i = last; i >= A.FixedCellCount; --i) {
        used += A.Sizes->Size(i) + A.EffectiveLineWidth;
        if (used > room)
            break;
        first = i;
    }
    return std::max(first, A.FixedCellCount);
}

} // namespace

TGridCoord TCustomGrid::CalcMaxTopLeft(TGridCoord Coord, const TGridDrawInfo& DI) const
{
    TGridCoord r = Coord;
    if (DI.Horz.GridCellCount > DI.Horz.FixedCellCount)
        r.X = std::min(r.X, FirstShowing(DI.Horz, DI.Horz.GridCellCount - 1));
    if (DI.Vert.GridCellCount > DI.Vert.FixedCellCount)
        r.Y = std::min(r.Y, FirstShowing(DI.Vert, DI.Vert.GridCellCount - 1));
    return r;
}

// ------------------------------------------------------------ current cell and selection

TGridRect TCustomGrid::Selection() const
{
    TGridRect r = GridRect(FAnchor, FCurrent);
    if (FOptions & goRowSelect) {
        r.Left = FFixedCols;
        r.Right = ColCount() - 1;
    }
    return r;
}

void TCustomGrid::SetSelection(const TGridRect& Value)
{
    const TGridRect old = Selection();
    const TGridRect v = GridRect(Value.TopLeft(), Value.BottomRight());
    auto inside = [this](Integer c, Integer r) { return c >= 0 && r >= 0 && c < ColCount() && r < RowCount(); };
    if (!inside(v.Left, v.Top) || !inside(v.Right, v.Bottom))
        throw EInvalidGridOperation(IndexError());
    FAnchor = v.TopLeft();
    FCurrent = v.BottomRight();
    SelectionMoved(old);
}

void TCustomGrid::SelectionMoved(const TGridRect& OldSel)
{
    if (!HandleAllocated())
        return;
    const TGridRect sel = Selection();
    if (sel == OldSel)
        return;
    InvalidateRect(OldSel);
    InvalidateRect(sel);
}

void TCustomGrid::SetCol(Integer Value)
{
    if (Value != Col())
        FocusCell(Value, Row(), true);
}

void TCustomGrid::SetRow(Integer Value)
{
    if (Value != Row())
        FocusCell(Col(), Value, true);
}

void TCustomGrid::FocusCell(Integer ACol, Integer ARow, bool MoveAnchor)
{
    MoveColRow(ACol, ARow, MoveAnchor, true);
    InvalidateEditor();
    Click();
}

void TCustomGrid::MoveColRow(Integer ACol, Integer ARow, bool MoveAnchor, bool Show)
{
    MoveCurrent(ACol, ARow, MoveAnchor, Show);
}

void TCustomGrid::MoveCurrent(Integer ACol, Integer ARow, bool MoveAnchor, bool Show)
{
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount())
        throw EInvalidGridOperation(IndexError());
    if (!SelectCell(ACol, ARow))
        return;
    const TGridRect oldSel = Selection();
    const TGridCoord oldCur = FCurrent;
    const bool moved = ACol != FCurrent.X || ARow != FCurrent.Y;
    // Leaving the cell ends its edit unless the editor always shows.
    if (moved && !(FOptions & goAlwaysShowEditor)) {
        FEditorMode = false;
        HideEdit();
    }
    FCurrent = {ACol, ARow};
    if (MoveAnchor || !(FOptions & goRangeSelect))
        FAnchor = FCurrent;
    if (Show)
        ClampInView(FCurrent);
    SelectionMoved(oldSel);
    if (moved) {
        InvalidateCell(oldCur.X, oldCur.Y);
        InvalidateCell(ACol, ARow);
    }
    if (FEditorMode)
        UpdateEdit();
}

void TCustomGrid::MoveAnchor(TGridCoord NewAnchor)
{
    if (!(FOptions & goRangeSelect)) {
        MoveCurrent(NewAnchor.X, NewAnchor.Y, true, true);
        return;
    }
    const TGridRect old = Selection();
    FAnchor = NewAnchor;
    ClampInView(NewAnchor);
    SelectionMoved(old);
}

bool TCustomGrid::SelectCell(Integer ACol, Integer ARow)
{
    return true;
}

void TCustomGrid::ClampInView(TGridCoord Coord)
{
    if (!HandleAllocated() && Width() <= 0)
        return;
    const TGridDrawInfo& di = DrawInfo();
    TGridCoord tl = FTopLeft;
    if (Coord.X >= FFixedCols && Coord.X < ColCount()) {
        if (Coord.X < tl.X)
            tl.X = Coord.X;
        else if (Coord.X > di.Horz.LastFullVisibleCell)
            tl.X = FirstShowing(di.Horz, Coord.X);
    }
    if (Coord.Y >= FFixedRows && Coord.Y < RowCount()) {
        if (Coord.Y < tl.Y)
            tl.Y = Coord.Y;
        else if (Coord.Y > di.Vert.LastFullVisibleCell)
            tl.Y = FirstShowing(di.Vert, Coord.Y);
    }
    MoveTopLeft(tl.X, tl.Y);
}

// ------------------------------------------------------------ scrolling

void TCustomGrid::SetLeftCol(Integer Value)
{
    MoveTopLeft(Value, FTopLeft.Y);
}

void TCustomGrid::SetTopRow(Integer Value)
{
    MoveTopLeft(FTopLeft.X, Value);
}

void TCustomGrid::MoveTopLeft(Integer ALeft, Integer ATop)
{
    ALeft = std::max(FFixedCols, std::min(ALeft, ColCount() - 1));
    ATop = std::max(FFixedRows, std::min(ATop, RowCount() - 1));
    const TGridCoord target = CalcMaxTopLeft({ALeft, ATop}, DrawInfo());
    if (target == FTopLeft)
        return;
    FTopLeft = target;
    InvalidateGeometry();
    UpdateScrollPos();
    Invalidate();
    TopLeftChanged();
}

void TCustomGrid::TopLeftChanged()
{
    if (FEditorMode && FInplaceEdit != nullptr)
        InvalidateEditor();
}

void TCustomGrid::ScrollMessage(bool Vertical, Word Code, Integer Pos)
{
    const Integer fixed = Vertical ? FFixedRows : FFixedCols;
    const Integer page = std::max<Integer>(Vertical ? VisibleRowCount() : VisibleColCount(), 1);
    const Integer cur = Vertical ? FTopLeft.Y : FTopLeft.X;
    Integer next = cur;
    switch (Code) {
    case SB_LINEUP: next = cur - 1; break;
    case SB_LINEDOWN: next = cur + 1; break;
    case SB_PAGEUP: next = cur - page; break;
    case SB_PAGEDOWN: next = cur + page; break;
    case SB_THUMBTRACK:
        if (!(FOptions & goThumbTracking))
            return;
        next = Pos;
        break;
    case SB_THUMBPOSITION: next = Pos; break;
    case SB_TOP: next = fixed; break;
    case SB_BOTTOM: next = Vertical ? RowCount() - 1 : ColCount() - 1; break;
    default: return;
    }
    next = std::max(next, fixed);
    if (Vertical)
        MoveTopLeft(FTopLeft.X, next);
    else
        MoveTopLeft(next, FTopLeft.Y);
}

void TCustomGrid::EndLayout()
{
    if (FLayoutHold > 0 && --FLayoutHold == 0 && FScrollRangeStale)
        UpdateScrollRange();
}

void TCustomGrid::UpdateScrollRange()
{
    if (FLayoutHold > 0) {
        InvalidateGeometry();
        FScrollRangeStale = true;
        return;
    }
    FScrollRangeStale = false;
    // From no bars on: a shown bar narrows the client area, which may call
    // for the other one (bars are only added, so this settles).
    FVertBarShown = false;
    FHorzBarShown = false;
    for (int pass = 0; pass < 3; ++pass) {
        InvalidateGeometry();
        const TGridDrawInfo& di = DrawInfo();
        const TGridCoord maxTL = CalcMaxTopLeft({ColCount() - 1, RowCount() - 1}, di);
        const bool needV = FVertBarShown || ((FScrollBars == ssVertical || FScrollBars == ssBoth) && maxTL.Y > FFixedRows);
        const bool needH = FHorzBarShown || ((FScrollBars == ssHorizontal || FScrollBars == ssBoth) && maxTL.X > FFixedCols);
        if (needV == FVertBarShown && needH == FHorzBarShown)
            break;
        FVertBarShown = needV;
        FHorzBarShown = needH;
    }
    InvalidateGeometry();
    const TGridCoord clamped = CalcMaxTopLeft(FTopLeft, DrawInfo());
    if (!(clamped == FTopLeft)) {
        FTopLeft = clamped;
        InvalidateGeometry();
        Invalidate();
        TopLeftChanged();
    }
    LayoutWindow();
}

void TCustomGrid::UpdateScrollPos()
{
    if (!FWindow)
        return;
    const TGridDrawInfo& di = DrawInfo();
    const TGridCoord maxTL = CalcMaxTopLeft({ColCount() - 1, RowCount() - 1}, di);
    FUpdatingScrollBars = true;
    if (QScrollBar* v = FWindow->VBar) {
        v->setRange(FFixedRows, std::max(maxTL.Y, FFixedRows));
        v->setPageStep(std::max<Integer>(VisibleRowCount(), 1));
        v->setValue(FTopLeft.Y);
    }
    if (QScrollBar* h = FWindow->HBar) {
        h->setRange(FFixedCols, std::max(maxTL.X, FFixedCols));
        h->setPageStep(std::max<Integer>(VisibleColCount(), 1));
        h->setValue(FTopLeft.X);
    }
    FUpdatingScrollBars = false;
}

// ------------------------------------------------------------ the window

void TCustomGrid::CreateWnd()
{
    TCustomControl::CreateWnd();
    QWidget* client = TWidgetBridge::Widget(this);
    QWidget* parent = client != nullptr ? client->parentWidget() : nullptr;
    if (parent == nullptr)
        return;
    FWindow = std::make_unique<TGridWindowParts>();
    auto* frame = new TGridFrameWidget(parent);
    FWindow->Frame = frame;
    frame->PaintOver = [this](QPainter* p) {
        TCanvas canvas;
        canvas.BeginPaint(p);
        PaintWindowFrame(&canvas);
        canvas.EndPaint();
    };
    auto makeBar = [&](Qt::Orientation o, bool vertical) {
        auto* bar = new QScrollBar(o, frame);
        bar->setFocusPolicy(Qt::NoFocus);
        QObject::connect(bar, &QAbstractSlider::actionTriggered, bar, [this, bar, vertical](int action) {
            if (FUpdatingScrollBars)
                return;
            Word code = SB_ENDSCROLL;
            switch (action) {
            case QAbstractSlider::SliderSingleStepAdd: code = SB_LINEDOWN; break;
            case QAbstractSlider::SliderSingleStepSub: code = SB_LINEUP; break;
            case QAbstractSlider::SliderPageStepAdd: code = SB_PAGEDOWN; break;
            case QAbstractSlider::SliderPageStepSub: code = SB_PAGEUP; break;
            case QAbstractSlider::SliderToMinimum: code = SB_TOP; break;
            case QAbstractSlider::SliderToMaximum: code = SB_BOTTOM; break;
            case QAbstractSlider::SliderMove: code = SB_THUMBTRACK; break;
            default: return;
            }
            TWidgetBridge::Guard(this, [&] {
                Perform(vertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, Word(bar->sliderPosition())), bar->sliderPosition());
            });
            // The slider shows where the grid really is.
            bar->setSliderPosition(vertical ? FTopLeft.Y : FTopLeft.X);
        });
        QObject::connect(bar, &QAbstractSlider::sliderReleased, bar, [this, bar, vertical] {
            TWidgetBridge::Guard(this, [&] {
                Perform(vertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, Word(bar->sliderPosition())), bar->sliderPosition());
            });
            FUpdatingScrollBars = true;
            bar->setValue(vertical ? FTopLeft.Y : FTopLeft.X);
            FUpdatingScrollBars = false;
        });
        return bar;
    };
    FWindow->VBar = makeBar(Qt::Vertical, true);
    FWindow->HBar = makeBar(Qt::Horizontal, false);
    frame->stackUnder(client);
    UpdateScrollRange();
}

void TCustomGrid::DestroyWnd()
{
    FWindow.reset();
    TCustomControl::DestroyWnd();
}

// Puts the client widget inside the border and the scroll bars, the frame
// under it. Runs after anything that set the widget's geometry.
void TCustomGrid::LayoutWindow()
{
    QWidget* client = TWidgetBridge::Widget(this);
    if (client == nullptr || !FWindow || !FWindow->Frame)
        return;
    TGridFrameWidget* frame = FWindow->Frame;
    const Integer b = BorderWidth();
    const Integer sb = ScrollBarExtent();
    const TRect cr = ClientRect();
    const bool framed = b > 0 || FVertBarShown || FHorzBarShown || FBottomReserve > 0;
    frame->Border = b;
    frame->setGeometry(Left(), Top(), std::max<Integer>(Width(), 0), std::max<Integer>(Height(), 0));
    frame->setVisible(framed && Visible());
    client->setGeometry(Left() + b, Top() + b, cr.Width(), cr.Height() + FBottomReserve);
    if (QScrollBar* v = FWindow->VBar) {
        v->setGeometry(b + cr.Width(), b, sb, cr.Height());
        v->setVisible(FVertBarShown);
    }
    if (QScrollBar* h = FWindow->HBar) {
        h->setGeometry(b, b + cr.Height() + FBottomReserve, cr.Width(), sb);
        h->setVisible(FHorzBarShown);
    }
    frame->update();
    UpdateScrollPos();
    LayoutBottomReserve(FBottomReserve > 0 ? TRect{0, cr.Height(), cr.Width(), cr.Height() + FBottomReserve} : TRect{});
}

void TCustomGrid::SetBottomReserve(Integer Value)
{
    Value = std::max<Integer>(Value, 0);
    if (Value == FBottomReserve)
        return;
    FBottomReserve = Value;
    InvalidateGeometry();
    UpdateScrollRange();
    LayoutWindow();
}

TRect TCustomGrid::BottomReserveRect() const
{
    if (FBottomReserve == 0)
        return {};
    const Integer b = BorderWidth();
    const TRect cr = ClientRect();
    return {b, b + cr.Height(), b + cr.Width(), b + cr.Height() + FBottomReserve};
}

void TCustomGrid::InvalidateFrame()
{
    if (FWindow && FWindow->Frame)
        FWindow->Frame->update();
}

QImage TCustomGrid::GrabWindow() const
{
    if (!FWindow || !FWindow->Frame || !FWindow->Frame->isVisible())
        return {};
    QWidget* frame = FWindow->Frame;
    QWidget* parent = frame->parentWidget();
    return parent->grab(frame->geometry()).toImage();
}

void TCustomGrid::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight)
{
    const bool sized = AWidth != Width() || AHeight != Height();
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (sized)
        UpdateScrollRange();
    else
        LayoutWindow();
}

void TCustomGrid::SetVisible(bool value)
{
    TCustomControl::SetVisible(value);
    LayoutWindow();
}

void TCustomGrid::SetEnabled(bool value)
{
    TCustomControl::SetEnabled(value);
    LayoutWindow();
}

void TCustomGrid::UpdateView()
{
    TCustomControl::UpdateView();
    LayoutWindow();
}

void TCustomGrid::Resize()
{
    InvalidateGeometry();
    TCustomControl::Resize();
}

void TCustomGrid::Loaded()
{
    TCustomControl::Loaded();
    UpdateScrollRange();
}

bool TCustomGrid::IsActiveControl() const
{
    TWinControl* active = nullptr;
    if (TCustomForm* form = GetParentForm())
        active = form->ActiveControl();
    else if (Focused())
        return true;
    return active != nullptr && (active == this || (FInplaceEdit != nullptr && active == static_cast<const TWinControl*>(FInplaceEdit)));
}

// ------------------------------------------------------------ invalidation

void TCustomGrid::PermuteRowHeights(Integer From, const std::vector<Integer>& Order)
{
    FRowHeights.Permute(From, Order);
    InvalidateGeometry();
}

void TCustomGrid::InvalidateRect(const TGridRect& ARect)
{
    QWidget* w = TWidgetBridge::Widget(this);
    if (w == nullptr)
        return;
    const TRect r = BoxRect(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom);
    if (!r.IsEmpty()) {
        EndDrawNow();
        TWidgetBridge::DropBacking(this);
        w->update(r.Left, r.Top, r.Width(), r.Height());
    }
}

void TCustomGrid::InvalidateCellInView(Integer ACol, Integer ARow)
{
    if (!HandleAllocated())
        return;
    const TGridDrawInfo& di = DrawInfo();
    if ((ARow >= di.Vert.FixedCellCount && (ARow < di.Vert.FirstGridCell || ARow > di.Vert.LastFullVisibleCell + 1)) ||
        (ACol >= di.Horz.FixedCellCount && (ACol < di.Horz.FirstGridCell || ACol > di.Horz.LastFullVisibleCell + 1)))
        return;
    InvalidateRect({ACol, ARow, ACol, ARow});
}

void TCustomGrid::InvalidateRow(Integer ARow)
{
    InvalidateRect({0, ARow, ColCount() - 1, ARow});
}

void TCustomGrid::InvalidateCol(Integer ACol)
{
    InvalidateRect({ACol, 0, ACol, RowCount() - 1});
}

// ------------------------------------------------------------ moving and deleting

void TCustomGrid::MoveColumn(Integer FromIndex, Integer ToIndex)
{
    MoveLine(true, FromIndex, ToIndex);
}

void TCustomGrid::MoveRow(Integer FromIndex, Integer ToIndex)
{
    MoveLine(false, FromIndex, ToIndex);
}

// Moves a column (row) with its size; the current cell and the anchor travel
// with their cells, and the descendant moves its data (ColumnMoved, RowMoved).
void TCustomGrid::MoveLine(bool Cols, Integer FromIndex, Integer ToIndex)
{
    const Integer count = Cols ? ColCount() : RowCount();
    if (FromIndex < 0 || ToIndex < 0 || FromIndex >= count || ToIndex >= count)
        throw EInvalidGridOperation(IndexError());
    if (FromIndex == ToIndex)
        return;
    HideEdit();
    (Cols ? FColWidths : FRowHeights).Move(FromIndex, ToIndex);
    InvalidateGeometry();
    if (Cols) {
        FCurrent.X = MovedIndex(FCurrent.X, FromIndex, ToIndex);
        FAnchor.X = MovedIndex(FAnchor.X, FromIndex, ToIndex);
    } else {
        FCurrent.Y = MovedIndex(FCurrent.Y, FromIndex, ToIndex);
        FAnchor.Y = MovedIndex(FAnchor.Y, FromIndex, ToIndex);
    }
    SetCurrentRaw(FCurrent.X, FCurrent.Y);
    if (Cols)
        ColumnMoved(FromIndex, ToIndex);
    else
        RowMoved(FromIndex, ToIndex);
    UpdateScrollRange();
    Invalidate();
    if (FEditorMode)
        UpdateEdit();
}

void TCustomGrid::ColumnMoved(Integer FromIndex, Integer ToIndex)
{
}

void TCustomGrid::RowMoved(Integer FromIndex, Integer ToIndex)
{
}

void TCustomGrid::DeleteColumn(Integer ACol)
{
    MoveColumn(ACol, ColCount() - 1);
    SetColCount(ColCount() - 1);
}

void TCustomGrid::DeleteRow(Integer ARow)
{
    MoveRow(ARow, RowCount() - 1);
    SetRowCount(RowCount() - 1);
}

// ------------------------------------------------------------ TCustomDrawGrid

void TCustomDrawGrid::DrawCell(Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState)
{
    if (OnDrawCell)
        OnDrawCell(this, ACol, ARow, ARect, AState);
}

bool TCustomDrawGrid::SelectCell(Integer ACol, Integer ARow)
{
    bool can = true;
    if (OnSelectCell)
        OnSelectCell(this, ACol, ARow, can);
    return can;
}

void TCustomDrawGrid::ColumnMoved(Integer FromIndex, Integer ToIndex)
{
    if (OnColumnMoved)
        OnColumnMoved(this, FromIndex, ToIndex);
}

void TCustomDrawGrid::RowMoved(Integer FromIndex, Integer ToIndex)
{
    if (OnRowMoved)
        OnRowMoved(this, FromIndex, ToIndex);
}

void TCustomDrawGrid::TopLeftChanged()
{
    TCustomGrid::TopLeftChanged();
    if (OnTopLeftChanged)
        OnTopLeftChanged(this);
}

QString TCustomDrawGrid::GetEditMask(Integer ACol, Integer ARow)
{
    QString mask;
    if (OnGetEditMask)
        OnGetEditMask(this, ACol, ARow, mask);
    return mask;
}

QString TCustomDrawGrid::GetEditText(Integer ACol, Integer ARow)
{
    QString text;
    if (OnGetEditText)
        OnGetEditText(this, ACol, ARow, text);
    return text;
}

void TCustomDrawGrid::SetEditText(Integer ACol, Integer ARow, const QString& Value)
{
    if (OnSetEditText)
        OnSetEditText(this, ACol, ARow, Value);
}
