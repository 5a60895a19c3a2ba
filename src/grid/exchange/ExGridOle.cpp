// Drag and drop of the string grid: its settings, what a drop does to the
// grid, the feedback while it is the source, and the start of a drag of
// its selection or of a column.

#include "grid/ExGrid.h"

#include <QImage>

#include "grid/ExObj.h"
#include "platform/Messages.h"
#include "platform/StdControls.h"
#include "platform/Streams.h"
#include "platform/StringList.h"
#include "platform/WindowPicture.h"

Integer GridStreamID(const TExStringGrid* Grid);

// ------------------------------------------------------------ settings

void TDragDropSettings::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TDragDropSettings*>(Source);
    if (s == nullptr || s == this)
        return;
    FOleDropTarget = s->FOleDropTarget;
    FOleDropRTF = s->FOleDropRTF;
    OleDropSource = s->OleDropSource;
    OleAcceptText = s->OleAcceptText;
    OleAcceptFiles = s->OleAcceptFiles;
    OleAcceptURLs = s->OleAcceptURLs;
    OleEntireRows = s->OleEntireRows;
    OleInsertRows = s->OleInsertRows;
    OleAppendRows = s->OleAppendRows;
    OleRemoveRows = s->OleRemoveRows;
    OleCopyAlways = s->OleCopyAlways;
    OleColumnDragDrop = s->OleColumnDragDrop;
    OleColumnsOnly = s->OleColumnsOnly;
    OleColumnReorder = s->OleColumnReorder;
    ShowCells = s->ShowCells;
}

void TDragDropSettings::SetOleDropTarget(bool Value)
{
    FOleDropTarget = Value;
    if (FGrid == nullptr || FGrid->IsDesigning())
        return;
    if (Value) {
        // Registered when the window exists (CreateWnd registers it then).
        if (FGrid->FOleDropTargetAssigned || !FGrid->HandleAllocated())
            return;
        if (!FGrid->FOleDropTarget)
            FGrid->FOleDropTarget = std::make_unique<TGridDropTarget>(FGrid);
        TGridDropTarget* target = FGrid->FOleDropTarget.get();
        TDragDropSettings* self = this;
        FGrid->FOleDropTargetAssigned = RegisterDragDrop(FGrid->Handle(), [target, self](QEvent* Event, TPoint Origin) {
            target->SetAcceptText(self->OleAcceptText);
            target->SetAcceptFiles(self->OleAcceptFiles);
            target->SetAcceptURLs(self->OleAcceptURLs);
            target->SetAcceptCols(self->OleColumnDragDrop);
            return DispatchDragEvent(target, Event, Origin);
        });
    } else if (FGrid->FOleDropTargetAssigned) {
        RevokeDragDrop(FGrid->Handle());
        FGrid->FOleDropTargetAssigned = false;
    }
}

void TDragDropSettings::SetOleDropRTF(bool Value)
{
    FOleDropRTF = Value;
    SetOleDropRTFFlag(Value);
}

void TDragScrollDelays::Assign(const TPersistent* Source)
{
    if (const auto* s = dynamic_cast<const TDragScrollDelays*>(Source)) {
        InitialDelay = s->InitialDelay;
        RepeatDelay = s->RepeatDelay;
    }
}

void TDragScrollMargins::Assign(const TPersistent* Source)
{
    if (const auto* s = dynamic_cast<const TDragScrollMargins*>(Source)) {
        TopMargin = s->TopMargin;
        BottomMargin = s->BottomMargin;
        LeftMargin = s->LeftMargin;
        RightMargin = s->RightMargin;
    }
}

TDragScrollOptions::TDragScrollOptions()
    : FDelays(std::make_unique<TDragScrollDelays>()), FMargins(std::make_unique<TDragScrollMargins>())
{
}

TDragScrollOptions::~TDragScrollOptions() = default;

void TDragScrollOptions::Assign(const TPersistent* Source)
{
    if (const auto* s = dynamic_cast<const TDragScrollOptions*>(Source)) {
        FMargins->Assign(s->FMargins.get());
        FDelays->Assign(s->FDelays.get());
        Active = s->Active;
    }
}

void TExStringGrid::OleColumnDragStart(Integer ACol, Integer AIndex, TListBox* AList)
{
    FOleDragCol = ACol;
    FOleDragIndex = AIndex;
    FOleDragList = AList;
}

void TExStringGrid::HideDropArrows(bool All)
{
    for (TArrowWindow* a : {ArwL, ArwD})
        if (a != nullptr)
            a->SetVisible(false);
    if (All && ArwU != nullptr)
        ArwU->SetVisible(false);
}

// ----------------------------------------------------------- drop target

namespace {

// Places an arrow child of the grid at a point of the grid's client area
// (kept inside it) and shows it.
void ShowArrow(TArrowWindow* A, TPoint P)
{
    if (A == nullptr)
        return;
    A->SetBounds(std::max(0, P.X), std::max(0, P.Y), 10, 10);
    A->SetVisible(true);
    A->BringToFront();
}

// The cell under a screen point and, for drops on the space below the last
// row with OleEntireRows and OleAppendRows, the last row with AtEnd.
void DropCell(TExStringGrid* G, TPoint Pt, bool IsColumn, Integer& ACol, Integer& ARow, bool& AtEnd)
{
    G->ScreenToCell(Pt, ACol, ARow);
    AtEnd = false;
    const TDragDropSettings* s = G->DragDropSettings();
    if (ARow < 0 && !IsColumn && s->OleEntireRows && s->OleAppendRows && G->RowCount() > 0) {
        const TPoint c = G->ScreenToClient(Pt);
        const TRect last = G->CellRect(G->LeftCol(), G->RowCount() - 1);
        if (c.Y >= last.Bottom) {
            ACol = G->FixedCols();
            ARow = G->RowCount() - 1;
            AtEnd = true;
        }
    }
}

// Rows of a dropped text: its lines, a final line break ending the last.
Integer TextRowCount(const QString& S)
{
    QString t = S;
    Integer n = 0;
    while (!t.isEmpty()) {
        ExtractLine(t, true);
        ++n;
    }
    return std::max(n, 1);
}

} // namespace

void TGridDropTarget::DragMouseMove(TPoint Pt, bool& Allow, TDropFormats DropFormats)
{
    TExStringGrid* g = FGrid;
    const bool isCol = DropFormats.Contains(dfCol);
    Integer ACol = -1, ARow = -1;
    bool atEnd = false;
    DropCell(g, Pt, isCol, ACol, ARow, atEnd);
    const TPoint cp = g->ScreenToClient(Pt);
    Allow = ACol >= 0 && ARow >= 0;

    if (Allow && !isCol) {
        if ((ARow == 0 && g->TopRow() > g->FixedRows()) || (cp.Y < 8 && g->FixedRows() == 0 && g->TopRow() > 0))
            g->SetTopRow(g->TopRow() - 1);
        else if (ARow == g->TopRow() + g->VisibleRowCount() && g->TopRow() + g->VisibleRowCount() < g->RowCount())
            g->SetTopRow(g->TopRow() + 1);
        if (g->FTimerTicks % 2 == 0) {
            ++g->FTimerTicks;
            if (ACol == 0 && g->LeftCol() > g->FixedCols())
                g->SetLeftCol(g->LeftCol() - 1);
            else if (ACol == g->LeftCol() + g->VisibleColCount() && g->LeftCol() + g->VisibleColCount() < g->ColCount())
                g->SetLeftCol(g->LeftCol() + 1);
        }
    }
    if (!isCol) {
        if (Allow && ARow < g->FixedRows() && !(g->RowCount() == 1 && g->FixedRowAlways()))
            Allow = false;
    } else if (ACol < 0 || ARow < 0) {
        if (g->ColCount() > 0) {
            // Right of the last column: a new last place.
            const TRect last = g->CellRect(g->ColCount() - 1, 0);
            if (cp.X >= last.Right && cp.Y >= 0) {
                Allow = true;
                ACol = g->ColCount();
                ARow = 0;
            }
        }
    } else {
        Allow = ARow < g->FixedRows() && ACol >= g->FixedCols();
    }
    Allow = Allow || DropFormats.Contains(dfFile) || DropFormats.Contains(dfGridCells);
    if (g->OnOleDragOver)
        g->OnOleDragOver(g, ARow, ACol, Allow);
    Allow = Allow && ((ACol >= 0 && ARow >= 0) || DropFormats.Contains(dfFile));

    if (Allow && isCol) {
        TRect r = ACol < g->ColCount() ? g->CellRect(ACol, ARow) : g->CellRect(g->ColCount() - 1, 0);
        if (ACol >= g->ColCount())
            r.Left = r.Right;
        ShowArrow(g->Arrow(arrDown), TPoint(r.Left - 5, r.Top - 8 + 8));
        ShowArrow(g->Arrow(arrUp), TPoint(r.Left - 5, r.Bottom));
    } else if (Allow && ACol >= 0 && ARow >= 0) {
        if (ARow == 0 && g->FixedRowAlways()) {
            ++ARow;
            atEnd = false;
        }
        TRect r = g->CellRect(g->DragDropSettings()->OleEntireRows ? g->FixedCols() : ACol, ARow);
        if (atEnd)
            r.Top += g->RowHeights(ARow);
        ShowArrow(g->Arrow(arrLeft), TPoint(r.Left - 10, r.Top));
    } else {
        g->HideDropArrows(true);
    }
}

void TGridDropTarget::DragMouseLeave()
{
    FGrid->HideDropArrows(true);
}

void TGridDropTarget::DropText(TPoint Pt, const QString& S)
{
    FGrid->OleDropText(Pt, S);
}

void TExStringGrid::OleDropText(TPoint Pt, const QString& S)
{
    Integer ACol = -1, ARow = -1;
    bool atEnd = false;
    DropCell(this, Pt, false, ACol, ARow, atEnd);
    TPoint extent;
    GetClipTextExtent(S, extent);
    const Integer C = std::max(1, extent.X), R = TextRowCount(S);
    const bool rowSelect = (Options() & goRowSelect) != 0;
    if (rowSelect)
        ACol = FDragDropSettings->OleEntireRows ? 0 : FixedCols();
    bool allow = true;
    if (OnOleDrop)
        OnOleDrop(this, ARow, ACol, S, allow);
    TGridRect pasted = Selection();
    if (allow && ACol >= 0 && ARow >= 0) {
        if (FDropSelection.Left >= 0 && FDropSelection.Top >= ARow && FDragDropSettings->OleRemoveRows) {
            FDropSelection.Top += R;
            FDropSelection.Bottom += R;
        }
        if (ARow == 0 && FixedRowAlways() && RowCount() == 1)
            ++ARow;
        if (FDragDropSettings->OleInsertRows) {
            const Integer top = TopRow();
            if (atEnd) {
                SetRowCount(RowCount() + R);
                ++ARow;
            } else {
                InsertRows(ARow, R);
            }
            SetTopRow(top > FixedRows() ? std::min(top + 1, RowCount() - 1) : top);
        } else if (atEnd) {
            ++ARow;
        }
        Integer rowsPasted = 0, colsPasted = 0;
        PasteTextAt(ACol, ARow, rowsPasted, colsPasted, S);
        ACol = std::max(ACol, FixedCols());
        pasted.Left = ACol;
        pasted.Right = std::min(ColCount() - 1, rowSelect ? ACol + C - FixedCols() : ACol + C - 1);
        pasted.Top = ARow;
        pasted.Bottom = std::min(RowCount() - 1, ARow + R - 1);
        SetSelection(pasted);
    }
    HideDropArrows(false);
    if (OnOleDropped)
        OnOleDropped(this, pasted);
}

void TGridDropTarget::DropStream(TPoint Pt, std::unique_ptr<TMemoryStream> Stream)
{
    Stream->SetPosition(0);
    Integer ACol = -1, ARow = -1;
    FGrid->ScreenToCell(Pt, ACol, ARow);
    if (ACol >= 0 && ARow >= 0)
        FGrid->LoadAtPointFromBinStream(TPoint(ACol, ARow), Stream.get());
    FGrid->HideDropArrows(false);
    if (FGrid->OnOleDropped)
        FGrid->OnOleDropped(FGrid, FGrid->Selection());
}

void TGridDropTarget::DropRTF(TPoint Pt, const QString& S)
{
    Integer ACol = -1, ARow = -1;
    FGrid->ScreenToCell(Pt, ACol, ARow);
    bool allow = true;
    if (FGrid->OnOleDrop)
        FGrid->OnOleDrop(FGrid, ARow, ACol, S, allow);
    if (allow && ACol >= 0 && ARow >= 0)
        FGrid->SetCells(FGrid->RealColIndex(ACol), ARow, S);
    FGrid->HideDropArrows(false);
}

void TGridDropTarget::DropURL(TPoint Pt, const QString& S)
{
    Integer ACol = -1, ARow = -1;
    FGrid->ScreenToCell(Pt, ACol, ARow);
    bool allow = true;
    if (FGrid->OnOleDropURL)
        FGrid->OnOleDropURL(FGrid, ARow, ACol, S, allow);
    if (allow && ACol >= 0 && ARow >= 0)
        FGrid->SetCells(FGrid->RealColIndex(ACol), ARow, S);
    FGrid->HideDropArrows(false);
}

void TGridDropTarget::DropFiles(TPoint Pt, TStringList* Files)
{
    FGrid->HideDropArrows(false);
    if (Files == nullptr || Files->Count() != 1)
        return;
    const QString name = Files->Strings(0);
    Integer ACol = -1, ARow = -1;
    FGrid->ScreenToCell(Pt, ACol, ARow);
    bool allow = true;
    if (FGrid->OnOleDropFile)
        FGrid->OnOleDropFile(FGrid, ARow, ACol, name, allow);
    if (!allow)
        return;
    const QString upper = name.toUpper();
    const bool csv = upper.contains(QLatin1String(".CSV"));
    const bool xls = !csv && upper.contains(QLatin1String(".XLS"));
    if (!csv && !xls)
        return;
    if (FGrid->OnOleDrop)
        FGrid->OnOleDrop(FGrid, -1, -1, name, allow);
    if (!allow)
        return;
    if (csv)
        FGrid->LoadFromCSV(name);
    else
        FGrid->LoadFromXLS(name);
}

void TGridDropTarget::DropCol(TPoint Pt, Integer Col)
{
    TExStringGrid* g = FGrid;
    Integer ACol = -1, ARow = -1;
    g->ScreenToCell(Pt, ACol, ARow);
    if (ACol < 0)
        ACol = g->ColCount();
    g->HideDropArrows(true);
    auto moveTo = [g](Integer From, Integer To) {
        const bool enh = g->EnhRowColMove();
        g->SetEnhRowColMove(true);
        g->MoveColumn(From, std::min(To, g->ColCount() - 1));
        g->SetEnhRowColMove(enh);
    };
    if (g->FOleDragCol != -1) {
        if (g->FOleDragList != nullptr && g->FOleDragIndex >= 0 && g->FOleDragIndex < g->FOleDragList->Items()->Count())
            g->FOleDragList->Items()->Delete(g->FOleDragIndex);
        Integer p = 0;
        const TIntList* order = g->ColumnOrder();
        for (Integer i = 0; order != nullptr && i < order->Count(); ++i)
            if (order->Items(i) == g->FOleDragCol) {
                p = i;
                if (g->IsHiddenColumn(p))
                    g->UnHideColumn(p);
                break;
            }
        moveTo(g->RealToDisplCol(p), ACol);
        g->FOleDragCol = -1;
    } else if (g->DragDropSettings()->OleColumnReorder) {
        ACol = std::min(ACol, g->ColCount() - 1);
        if (g->RealToDisplCol(Col) != ACol)
            moveTo(g->RealToDisplCol(Col), ACol);
    }
    if (g->OnOleDropCol)
        g->OnOleDropCol(g, ARow, Col, ACol);
}

// ----------------------------------------------------------- drop source

void TGridDropSource::CurrentEffect(Integer Effect)
{
    if (Effect == DROPEFFECT_COPY || Effect == DROPEFFECT_MOVE)
        FLastEffect = Effect;
}

// The picture that follows the mouse is the drag's own (set when the drag
// starts), so that the window system moves it.
void TGridDropSource::QueryDrag() {}

void TGridDropSource::DragFinished()
{
    FGrid->HideDropArrows(true);
}

// ------------------------------------------------------------ drag start

bool TExStringGrid::StartOleDragFromMouse(TShiftState Shift, Integer X, Integer Y)
{
    Integer ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    // The button held, as the move reports it (or as the system knows it).
    const bool held = Shift.Contains(ssLeft) || (GetKeyState(VK_LBUTTON) & 0x8000) != 0;

    if (!FSelectionClick || ACol < 0 || ARow < 0 || !held
        || !(std::abs(Clickposx - X) > 3 || std::abs(Clickposy - Y) > 3) || !FDragDropSettings->OleDropSource
        || GridState() == gsColSizing || FMouseSelectMode == msResize)
        return false;
    FSelectionClick = false;
    bool allow = true;
    const Integer displCol = ACol;
    ACol = RealColIndex(ACol);
    if (FDragDropSettings->OleColumnsOnly && ARow >= FixedRows())
        allow = false;
    else if (OnOleDrag)
        OnOleDrag(this, ARow, ACol, Cells(ACol, ARow), allow);
    if (!allow) {
        if (FGridState == gsNormal)
            FGridState = gsSelecting;
        return false;
    }
    TGridDropSource source(this);
    if (OnOleDragStart)
        OnOleDragStart(this, ARow, ACol);
    StartBlockFocus();

    // The picture of the dragged cells.
    if (FDragDropSettings->ShowCells) {
        TGridRect r = Selection();
        if (ARow < FixedRows() && FDragDropSettings->OleColumnDragDrop)
            r = TGridRect{displCol, 0, displCol, std::min(RowCount() - 1, VisibleRowCount())};
        r.Left = std::max(LeftCol(), r.Left);
        r.Right = std::min(r.Right, LeftCol() + VisibleColCount() - 1);
        r.Top = std::max(TopRow(), r.Top);
        r.Bottom = std::min(r.Bottom, TopRow() + VisibleRowCount() - 1);
        if (r.Left <= r.Right && r.Top <= r.Bottom) {
            // The cells as the grid shows them.
            const TRect a = CellRect(r.Left, r.Top), b = CellRect(r.Right, r.Bottom);
            const QImage picture = WindowPicture(this, TRect(a.Left, a.Top, b.Right, b.Bottom));
            const TPoint cp = ClientToScreen(TPoint(X, Y));
            const TPoint org = ClientToScreen(TPoint(a.Left, a.Top));
            if (!picture.isNull())
                SetNextDragPicture(picture, TPoint(cp.X - org.X, cp.Y - org.Y));
        }
    }

    Integer effect = 0;
    const Integer ok = FDragDropSettings->OleCopyAlways ? DROPEFFECT_COPY : DROPEFFECT_COPY | DROPEFFECT_MOVE;
    if (ARow < FixedRows() && ACol >= 0 && FDragDropSettings->OleColumnDragDrop) {
        const HRESULT res = StartOleColumnDrag(&source, ACol, ok, effect);
        if (res != DRAGDROP_S_CANCEL && OnOleDragStop)
            OnOleDragStop(this, effect);
        HideDropArrows(true);
        return true;
    }
    FDropSelection = Selection();
    std::unique_ptr<TMemoryStream> cells;
    if (FNavigation->AllowFmtClipboard()) {
        cells = std::make_unique<TMemoryStream>();
        SaveRectToBinStream(TRect(FDropSelection.Left, FDropSelection.Top, FDropSelection.Right, FDropSelection.Bottom),
                            cells.get());
    }
    const HRESULT res = StartOleTextDrag(&source, SelectedText(), Cells(ACol, ARow), effect, ok, cells.get());
    if (res != DRAGDROP_S_CANCEL) {
        if (!FDragDropSettings->OleCopyAlways && effect == DROPEFFECT_MOVE) {
            if (FDragDropSettings->OleRemoveRows && (Options() & goRowSelect) != 0) {
                if (FMouseActions->DisjunctRowSelect())
                    RemoveSelectedRows();
                else
                    DoRemoveRows(FDropSelection.Top, FDropSelection.Bottom - FDropSelection.Top + 1);
            } else if (FMouseActions->DisjunctRowSelect()) {
                ClearSelection();
            } else {
                ClearRect(FDropSelection.Left, FDropSelection.Top, FDropSelection.Right, FDropSelection.Bottom);
            }
        }
        if (OnOleDragStop)
            OnOleDragStop(this, effect);
    }
    FDropSelection = TGridRect{-1, -1, -1, -1};
    return true;
}
