// TExStringGrid: repaint and resize, the integral-height rule, which scroll
// bars show, the scroll-bar styles, the floating footer row and its
// calculations, the ranges that saving covers, the used cells, two hit
// tests and the setters of the appearance properties.

#include "grid/ExGrid.h"

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
    if (FFloatingFooter->Visible && BottomReserve() > 0)
        PaintFooter(ACanvas, BottomReserveRect());
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
    // Flat and Encarta bars are a facility of one platform; here every
    // style draws the platform's scroll bars.
    FScrollType = Value;
}

void TExStringGrid::SetScrollProportional(bool Value)
{
    FScrollProportional = Value;
    if (Value) {
        UpdateProportionalVScroll();
        UpdateProportionalHScroll();
    }
}

// ------------------------------------------------------------ footer

void TExStringGrid::SetFloatingFooterVisible(bool Value)
{
    FFloatingFooter->Visible = Value;
    SetHideLastRow(Value && FFloatingFooter->FooterStyle == fsFixedLastRow);
    // The strip sits below the cells, so the rows above it stay reachable.
    const Integer height = FFloatingFooter->Height > 0 ? FFloatingFooter->Height : DefaultRowHeight();
    SetBottomReserve(Value ? height : 0);
    Invalidate();
    InvalidateFrame();
}

void TExStringGrid::PaintFooter(TCanvas* ACanvas, const TRect& R)
{
    ACanvas->Brush()->SetStyle(bsSolid);
    ACanvas->Brush()->SetColor(FFloatingFooter->Color);
    ACanvas->FillRect(R);
    ACanvas->SetFont(Font());
    ACanvas->Brush()->SetStyle(bsClear);
    const Integer b = R.Left;
    auto text = [&](const TRect& Cell, const QString& Value) {
        TRect t{Cell.Left + 2, Cell.Top, Cell.Right - 2, Cell.Bottom};
        ACanvas->TextRect(t, t.Left, t.Top + (t.Height() - ACanvas->TextHeight(QStringLiteral("gh"))) / 2,
                          EnableHTML() && Value.contains(QLatin1Char('<')) ? StripHTMLTags(Value) : Value);
    };
    switch (FFloatingFooter->FooterStyle) {
    case fsFixedLastRow: {
        // The last row's cells under their columns, split by grid lines.
        const Integer last = RowCount() - 1;
        const Integer top = RowCount() > FixedRows() ? TopRow() : 0;
        auto cell = [&](Integer c) {
            const TRect cr = CellRect(c, top);
            if (cr.IsEmpty())
                return;
            const TRect f{b + cr.Left, R.Top, b + cr.Right, R.Bottom};
            text(f, Cells(c, last));
            ACanvas->Pen()->SetColor(c < FixedCols() ? GridFixedLineColor() : GridLineColor());
            ACanvas->MoveTo(f.Right, R.Top);
            ACanvas->LineTo(f.Right, R.Bottom);
        };
        for (Integer c = 0; c < FixedCols(); ++c)
            cell(c);
        for (Integer c = LeftCol(); c < ColCount(); ++c)
            cell(c);
        break;
    }
    case fsColumnPreview:
        if (FFloatingFooter->Column >= 0 && FFloatingFooter->Column < ColCount() && Row() >= 0)
            text(R, Cells(FFloatingFooter->Column, Row()));
        break;
    default:
        break;
    }
    // A line parts the strip from the rows.
    ACanvas->Pen()->SetColor(FFloatingFooter->BorderColor != clNone ? FFloatingFooter->BorderColor
                                                                      : GridFixedLineColor());
    ACanvas->MoveTo(R.Left, R.Top);
    ACanvas->LineTo(R.Right, R.Top);
}

void TExStringGrid::UpdateFooter()
{
    if (FFloatingFooter->Visible)
        InvalidateFrame();
}

void TExStringGrid::DoCalcFooter(Integer ACol)
{
    if (!FFloatingFooter->Visible || FFloatingFooter->FooterStyle != fsFixedLastRow
        || !FFloatingFooter->EnableCalculation)
        return;
    const Integer F = RowCount() - 1;
    const Integer H = FFloatingFooter->CalculateHiddenRows ? NumHiddenRows() : 0;
    const Integer from = FixedRows(), to = RowCount() - 2 + H;
    const Integer c1 = ACol == -1 ? 0 : ACol, c2 = ACol == -1 ? TotalColCount() - 1 : ACol;
    for (Integer c = c1; c <= c2; ++c) {
        if (!HasCellProperties(c, F))
            continue;
        switch (PropsOf(c, F)->CalcType()) {
        case acSUM: SetFloats(c, F, ColumnSum(c, from, to)); break;
        case acAVG: SetFloats(c, F, ColumnAvg(c, from, to)); break;
        case acCOUNT: SetInts(c, F, RowCount() - FixedRows() - 1 + H); break;
        case acMIN: SetFloats(c, F, ColumnMin(c, from, to)); break;
        case acMAX: SetFloats(c, F, ColumnMax(c, from, to)); break;
        case acDISTINCT: SetFloats(c, F, ColumnDistinct(c, from, to)); break;
        case acSTDDEV: SetFloats(c, F, ColumnStdDev(c, from, to)); break;
        case acCUSTOM: {
            QString value;
            if (OnFooterCalc)
                OnFooterCalc(this, c, value, RowCount() - 1 + H);
            else if (FFloatingFooter->OnCalcFooter)
                FFloatingFooter->OnCalcFooter(this, c, value, RowCount() - 1 + H);
            SetCells(c, F, value);
            break;
        }
        default: break;
        }
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
