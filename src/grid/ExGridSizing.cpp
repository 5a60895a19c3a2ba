// TExStringGrid: repaint and resize, the integral-height rule, which scroll
// bars show, the scroll-bar styles, the ranges that saving covers, the used
// cells, two hit tests and the setters of the appearance properties.

#include "grid/ExGrid.h"
#include "grid/features/ExGridPanels.h"

#include <QSet>
#include <cmath>

#include "grid/EsgHTMLE.h"
#include "grid/ExUtil.h"
#include "platform/Canvas.h"
#include "platform/Messages.h"
#include "platform/Text.h"

void TExStringGrid::Invalidate()
{
    // The cell selection switches goEditing by itself; the repaint that the
    // option change asks for is skipped once.
    if (FEditChange) {
        FEditChange = false;
        return;
    }
    TBaseGrid::Invalidate();
    // The footer strip shows cells too.
    if (!HasState(csLoading) && FFooterPanel != nullptr && FFloatingFooter != nullptr && FFloatingFooter->Visible())
        FFooterPanel->Invalidate();
}

void TExStringGrid::Resize()
{
    TBaseGrid::Resize();
    if (OnResize)
        OnResize(this);
    if ((FBackGround->Display == bdGradientHorz || FBackGround->Display == bdGradientVert)
        && FBackGround->ColorTo != clNone)
        Invalidate();
    UpdateScrollBars(false);
    if (IsDesigning())
        Invalidate();
}

void TExStringGrid::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight)
{
    if (IntegralHeight() && FUpdateCount == 0 && DefaultRowHeight() > 0) {
        const Integer h = VisibleColCount() + FixedCols() < ColCount() ? GetSystemMetrics(SM_CYHSCROLL) : 0;
        const Integer b = BorderStyle() == bsSingle ? 2 : 0;
        AHeight = h + DefaultRowHeight() * ((AHeight - h - b) / DefaultRowHeight()) + 2 * b;
    }
    TBaseGrid::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TExStringGrid::SetBorderColor(TColor Value)
{
    if (FBorderColor == Value)
        return;
    FBorderColor = Value;
    Invalidate();
    InvalidateFrame();
}

void TExStringGrid::PaintWindowFrame(TCanvas* ACanvas)
{
    if (FUpdateCount == 0)
        PaintBorder(ACanvas);
}

void TExStringGrid::PaintBorder(TCanvas* ACanvas)
{
    switch (FLook) {
    case glSoft: case glKavro: case glXP: case glListView: case glVista: case glWin7: case glOffice2007: break;
    default: return;
    }
    if (BorderStyle() == bsNone || FBorderColor == clNone || Flat())
        return;
    const Integer W = Width(), H = Height();
    TPen* pen = ACanvas->Pen();
    pen->SetStyle(psSolid);
    pen->SetWidth(1);
    pen->SetColor(FBorderColor);
    auto path = [ACanvas](Integer L, Integer T, Integer R, Integer B, Integer Start) {
        ACanvas->MoveTo(L, Start);
        ACanvas->LineTo(L, T);
        ACanvas->LineTo(R, T);
        ACanvas->LineTo(R, B);
        ACanvas->LineTo(L, B);
    };
    if (FitCellsInGrid()) {
        path(1, 1, W - 2, H - 2, H);
        // The outer pixel takes the parent's colour: the grid looks framed
        // by one line only.
        if (auto* parent = dynamic_cast<TWinControl*>(Parent())) {
            pen->SetColor(parent->Color());
            path(0, 0, W - 1, H - 1, H);
        }
    } else if (FIsComCtl6) {
        path(0, 0, W - 1, H - 1, H - 1);
    }
}

void TExStringGrid::UpdateScrollBars(bool Force)
{
    const bool rowsFit = VisibleRowCount() + FixedRows() >= RowCount();
    const bool colsFit = VisibleColCount() + FixedCols() >= ColCount();
    const TScrollBarAlways always = ScrollBarAlways();
    if (always != saNone) {
        if (rowsFit) {
            FVertBarVisible = always == saVert || always == saBoth;
            FVertBarEnabled = false;
        } else {
            FVertBarVisible = true;
            FVertBarEnabled = true;
        }
        if (colsFit) {
            FHorzBarVisible = always == saHorz || always == saBoth;
            FHorzBarEnabled = false;
        } else {
            FHorzBarVisible = true;
            FHorzBarEnabled = true;
        }
    } else {
        if (!rowsFit) {
            FVertBarVisible = true;
            FVertBarEnabled = true;
        } else if (Force) {
            FVertBarVisible = false;
        }
        if (!colsFit) {
            FHorzBarVisible = true;
            FHorzBarEnabled = true;
        } else if (Force) {
            FHorzBarVisible = false;
        }
    }
}

void TExStringGrid::SetScrollBarAlways(TScrollBarAlways Value)
{
    FScrollBarAlways = Value;
    UpdateScrollBars(true);
}

void TExStringGrid::SetScrollType(TScrollType Value)
{
    // Flat and Encarta bars are a facility of one platform; here they draw
    // the platform's scroll bars. Metro draws the grid's own thin ones.
    if (FScrollType == Value)
        return;
    FScrollType = Value;
    if (!HandleAllocated())
        return;
    if (Value == ssMetro) {
        CreateScrollControls();
        SetScrollBars(ssNone);
        // The thin controls take the edges the bars gave back.
        Realign();
    } else if (vscrlctrl != nullptr || hscrlctrl != nullptr) {
        FreeScrollControls();
        SetScrollBars(ssBoth);
    }
}

void TExStringGrid::SetScrollProportional(bool Value)
{
    FScrollProportional = Value;
    if (Value) {
        UpdateProportionalVScroll();
        UpdateProportionalHScroll();
    }
}

// ------------------------------------------------------------ save ranges

Integer TExStringGrid::SaveStartCol() const
{
    return SaveFixedCells() || SaveFixedCols() ? 0 : FixedCols();
}

Integer TExStringGrid::SaveEndCol() const
{
    return SaveFixedCells() || SaveFixedCols() ? ColCount() - 1 : ColCount() - FixedRightCols() - 1;
}

Integer TExStringGrid::SaveColCount() const
{
    return SaveFixedCells() || SaveFixedCols() ? ColCount() : ColCount() - FixedCols() - FixedRightCols();
}

Integer TExStringGrid::SaveStartRow() const
{
    return SaveFixedCells() || SaveFixedRows() ? 0 : FixedRows();
}

Integer TExStringGrid::SaveEndRow() const
{
    return SaveFixedCells() || SaveFixedRows() ? RowCount() - 1 : RowCount() - FixedFooters() - 1;
}

Integer TExStringGrid::SaveRowCount() const
{
    return SaveFixedCells() || SaveFixedRows() ? RowCount() : RowCount() - FixedRows() - FixedFooters();
}

TRect TExStringGrid::GetUsedCells()
{
    Integer left = -1, top = -1, right = -1, bottom = -1;
    for (Integer r = 0; r < RowCount(); ++r)
        for (Integer c = 0; c < ColCount(); ++c) {
            if (Cells(c, r).isEmpty())
                continue;
            left = left < 0 ? c : std::min(left, c);
            top = top < 0 ? r : std::min(top, r);
            right = std::max(right, c);
            bottom = std::max(bottom, r);
        }
    if (left < 0)
        return {0, 0, 0, 0};
    return {left, top, right, bottom};
}

// ------------------------------------------------------------ hit tests

void TExStringGrid::ScreenToCell(TPoint P, Integer& ACol, Integer& ARow) const
{
    const TPoint c = ScreenToClient(P);
    MouseToCell(c.X, c.Y, ACol, ARow);
}

bool TExStringGrid::IsOnSizingBorder(Integer X, Integer Y) const
{
    Integer col = -1, row = -1;
    MouseToCell(X, Y, col, row);
    if (col < 0 || row < 0)
        return false;
    const TRect r = CellRect(col, row);
    bool result = false;
    if (row <= FixedRows() && (Options() & goColSizing) != 0)
        result = std::abs(X - r.Left) < 4 || std::abs(X - r.Right) < 4;
    if (col <= FixedCols() && (Options() & goRowSizing) != 0)
        result = std::abs(Y - r.Top) < 4 || std::abs(Y - r.Bottom) < 4;
    return result;
}

// ------------------------------------------------------------ appearance setters

void TExStringGrid::SetHighlightColor(TColor Value)
{
    if (FHighlightColor == Value)
        return;
    FHighlightColor = Value;
    SetMiniHTMLHighlightColors(FHighlightColor, FHighLightTextColor);
    Invalidate();
}

void TExStringGrid::SetHighlightTextColor(TColor Value)
{
    if (FHighLightTextColor == Value)
        return;
    FHighLightTextColor = Value;
    SetMiniHTMLHighlightColors(FHighlightColor, FHighLightTextColor);
    Invalidate();
}

void TExStringGrid::SetXYOffset(const TPoint& Value)
{
    FXYOffset = Value;
    Invalidate();
}

void TExStringGrid::SetAutoThemeAdapt(bool Value)
{
    if (FAutoThemeAdapt == Value)
        return;
    FAutoThemeAdapt = Value;
    FSearchFooter->SetAutoThemeAdapt(Value);
    if (Value) {
        ApplyOfficeTheme();
        Invalidate();
    }
    // A window of a running program follows the theme's later changes.
    if (IsDesigning() || !HandleAllocated() || HasState(csLoading))
        return;
    TThemeNotifier* notifier = GetThemeNotifier(this);
    if (Value)
        notifier->RegisterWindow(Handle());
    else
        notifier->UnRegisterWindow(Handle());
}

void TExStringGrid::SetSelectionEx(const TGridRect& Value)
{
    SetSelection(Value);
    if (FActiveCellShow) {
        RepaintRow(0);
        RepaintCol(0);
    }
    if (ActiveRowShow())
        RepaintRow(Value.Bottom);
}
