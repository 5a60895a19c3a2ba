// The floating footer: its settings, its strip (TFooterPanel) and the
// grid's footer calculations.

#include "grid/ExGrid.h"

#include <QRegularExpression>

#include "grid/EsgHTMLE.h"
#include "grid/features/ExGridPanels.h"
#include "platform/Canvas.h"
#include "platform/Form.h"
#include "platform/Messages.h"

// ============================================================ settings

void TFloatingFooter::Assign(const TPersistent* Source)
{
    const auto* src = dynamic_cast<const TFloatingFooter*>(Source);
    if (src == nullptr)
        return;
    CalculateHiddenRows = src->CalculateHiddenRows;
    FColor = src->FColor;
    FColumn = src->FColumn;
    FCustomTemplate = src->FCustomTemplate;
    FFooterStyle = src->FFooterStyle;
    SetVisible(src->FVisible);
    SetShowHint(src->FShowHint);
    Invalidate();
}

void TFloatingFooter::Invalidate()
{
    if (FGrid != nullptr && FGrid->FooterPanel() != nullptr)
        FGrid->FooterPanel()->Invalidate();
}

void TFloatingFooter::SetHeight(Integer Value)
{
    FHeight = Value;
    if (Value > 0 && FGrid != nullptr)
        FGrid->SetFooterStripHeight(Value - 1);
}

void TFloatingFooter::FollowRowHeight(Integer Value)
{
    FHeight = Value;
    if (FVisible && FGrid != nullptr)
        FGrid->SetFooterStripHeight(Value);
}

void TFloatingFooter::SetVisible(bool Value)
{
    FVisible = Value;
    if (FGrid == nullptr)
        return;
    const bool lastRow = Value && FFooterStyle == fsFixedLastRow;
    FGrid->ShowFooterStrip(Value, Value ? FHeight - 1 : 0);
    FGrid->SetFixedFooters(lastRow ? 1 : 0);
    FGrid->SetHideLastRow(lastRow);
    FGrid->Invalidate();
}

void TFloatingFooter::SetColor(TColor Value)
{
    FColor = Value;
    Invalidate();
}

void TFloatingFooter::SetBorderColor(TColor Value)
{
    if (FBorderColor == Value)
        return;
    FBorderColor = Value;
    Invalidate();
}

void TFloatingFooter::SetFooterStyle(TFooterStyle Value)
{
    FFooterStyle = Value;
    if (FGrid == nullptr)
        return;
    const bool lastRow = FVisible && Value == fsFixedLastRow;
    FGrid->SetHideLastRow(lastRow);
    FGrid->SetFixedFooters(lastRow ? 1 : 0);
    FGrid->Invalidate();
    Invalidate();
}

void TFloatingFooter::SetColumn(Integer Value)
{
    FColumn = Value;
    Invalidate();
}

void TFloatingFooter::SetCustomTemplate(const QString& Value)
{
    FCustomTemplate = Value;
    Invalidate();
}

void TFloatingFooter::SetShowHint(bool Value)
{
    FShowHint = Value;
    if (FGrid != nullptr && FGrid->FooterPanel() != nullptr)
        FGrid->FooterPanel()->SetShowHint(Value);
}

TColumnCalcType TFloatingFooter::ColumnCalc(Integer ACol) const
{
    if (FGrid == nullptr || FGrid->RowCount() == 0 || !FGrid->HasCellProperties(ACol, FGrid->RowCount() - 1))
        return acNONE;
    return FGrid->GetCellProperties(ACol, FGrid->RowCount() - 1)->CalcType();
}

void TFloatingFooter::SetColumnCalc(Integer ACol, TColumnCalcType Value)
{
    if (FGrid == nullptr || FGrid->RowCount() == 0)
        return;
    FGrid->GetCellProperties(ACol, FGrid->RowCount() - 1)->SetCalcType(Value);
    FGrid->RecalcFooterColumn(ACol);
}

// ============================================================ the strip

TFooterPanel::TFooterPanel(TComponent* AOwner) : TCustomControl(AOwner), FGrid(dynamic_cast<TExStringGrid*>(AOwner))
{
    SetBounds(0, 0, 100, 0);
    SetVisible(false);
    SetTabStop(false);
}

void TFooterPanel::CreateWnd()
{
    TCustomControl::CreateWnd();
    if (FGrid == nullptr)
        return;
    TFloatingFooter* ff = FGrid->FloatingFooter();
    SetBounds(Left(), Top(), Width(), ff->Visible() ? ff->Height() : 0);
    if (FGrid->OnCreatedFloatingFooter)
        FGrid->OnCreatedFloatingFooter(FGrid);
}

template <class F> void TFooterPanel::ForEachColumn(F&& Each) const
{
    Integer x = 0;
    const Integer h = ClientHeight();
    auto one = [&](Integer c) {
        const Integer w = FGrid->ColWidths(c);
        Each(c, TRect{x, 0, x + w, h});
        x += w;
    };
    for (Integer c = 0; c < FGrid->FixedCols(); ++c)
        one(c);
    for (Integer c = std::max(FGrid->LeftCol(), FGrid->FixedCols()); c < FGrid->ColCount(); ++c)
        one(c);
}

TRect TFooterPanel::Placed(const TRect& R) const
{
    if (FGrid == nullptr || !FGrid->UseRightToLeftReading())
        return R;
    const Integer w = ClientWidth();
    return {w - R.Right, R.Top, w - R.Left, R.Bottom};
}

Integer TFooterPanel::PaintedWidth() const
{
    Integer total = 0;
    ForEachColumn([&](Integer, const TRect& R) { total = R.Right; });
    return total;
}

Integer TFooterPanel::ColumnAt(Integer X) const
{
    if (FGrid == nullptr)
        return -1;
    if (FGrid->UseRightToLeftReading())
        X = ClientWidth() - X;
    Integer found = -1, sum = 0;
    bool more = true;
    ForEachColumn([&](Integer c, const TRect& R) {
        if (!more)
            return;
        if (sum < X) {
            sum = R.Right;
            found = c;
        } else {
            more = false;
        }
    });
    // Right of the last column there is none.
    return sum < X ? -1 : found;
}

QString TFooterPanel::ExpandTemplate(const QString& Template) const
{
    if (FGrid == nullptr)
        return Template;
    static const QRegularExpression placeholder(QStringLiteral("<#([^>]*)>"));
    QString out;
    qsizetype from = 0;
    for (auto it = placeholder.globalMatch(Template); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += Template.mid(from, m.capturedStart() - from);
        from = m.capturedEnd();
        bool ok = false;
        const Integer c = m.captured(1).toInt(&ok);
        if (ok && c >= 0 && c < FGrid->TotalColCount() && FGrid->Row() >= 0 && FGrid->Row() < FGrid->RowCount())
            out += FGrid->Cells(c, FGrid->Row());
    }
    out += Template.mid(from);
    return out;
}

void TFooterPanel::PaintLastRow(TCanvas* C, Integer Total)
{
    const Integer last = FGrid->RowCount() - 1;
    ForEachColumn([&](Integer c, TRect R) {
        const Integer real = FGrid->RealColIndex(c);
        if (!FGrid->IsBaseCell(real, last))
            return;
        // A merged footer cell spans its columns.
        const TPoint span = FGrid->CellSpan(real, last);
        for (Integer k = 1; k <= span.X && c + k < FGrid->ColCount(); ++k)
            R.Right += FGrid->ColWidths(c + k);
        R = Placed(R);
        if (c >= FGrid->FixedCols()) {
            if (FGrid->OnGetCellColor) {
                C->Brush()->SetColor(clNone);
                FGrid->OnGetCellColor(FGrid, last, real, gdFixed, C->Brush(), C->Font());
                if (C->Brush()->Color() != clNone)
                    C->FillRect(R);
            }
            const TColor cell = FGrid->Colors(real, last);
            if (cell != clNone) {
                C->Brush()->SetColor(cell);
                C->FillRect(R);
            }
            if (FGrid->OnFooterPaint) {
                FGrid->OnFooterPaint(this, c, C, R);
                return;
            }
        }
        FGrid->PaintCellAt(C, c, last, R, gdFixed);
    });
    (void)Total;
}

void TFooterPanel::PaintFramed(TCanvas* C, Integer Total)
{
    const Integer H = ClientHeight();
    const TRect frame = Placed({0, 0, Total, H});
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(FGrid->FloatingFooter()->Color());
    C->FillRect(frame);
    C->Pen()->SetColor(clGray);
    C->MoveTo(frame.Left, frame.Bottom - 1);
    C->LineTo(frame.Right - 1, frame.Bottom - 1);
    C->LineTo(frame.Right - 1, frame.Top - 1);
    C->Pen()->SetColor(clWhite);
    C->MoveTo(frame.Left, frame.Bottom - 1);
    C->LineTo(frame.Left, frame.Top);
    C->LineTo(frame.Right - 1, frame.Top);
    const TRect inner{frame.Left + 1, frame.Top + 1, frame.Right - 1, frame.Bottom - 1};
    TFloatingFooter* ff = FGrid->FloatingFooter();
    if (ff->FooterStyle() == fsColumnPreview) {
        const Integer col = ff->Column();
        if (col < 0 || col >= FGrid->ColCount() || FGrid->Row() < 0 || FGrid->Row() >= FGrid->RowCount())
            return;
        if (FGrid->OnFooterPaint) {
            FGrid->OnFooterPaint(this, col, C, inner);
            return;
        }
        FGrid->PaintCellAt(C, col, FGrid->Row(), inner, 0);
        return;
    }
    // fsCustomPreview: the template over the current row, as mini-HTML.
    const QString text = FGrid->IsDesigning() ? ff->CustomTemplate() : ExpandTemplate(ff->CustomTemplate());
    C->Font()->Assign(FGrid->Font());
    C->Brush()->SetStyle(bsClear);
    TMiniHTMLRequest req;
    req.Images = FGrid->GridImages();
    req.AnchorColor = FGrid->URLColor();
    req.PictureContainer = FGrid->PictureContainer();
    req.PictureCache = FGrid->ImageCache();
    TMiniHTMLResult result;
    TRect tr{inner.Left + 2, inner.Top + 1, inner.Right - 2, inner.Bottom};
    RenderMiniHTML(C, text, tr, req, result);
    C->Brush()->SetStyle(bsSolid);
}

void TFooterPanel::Paint()
{
    TCanvas* C = Canvas();
    const TRect client = ClientRect();
    if (FGrid == nullptr) {
        C->Brush()->SetColor(clBtnFace);
        C->FillRect(client);
        return;
    }
    TFloatingFooter* ff = FGrid->FloatingFooter();
    const Integer total = PaintedWidth();
    if (ff->FooterStyle() == fsCustomPaint) {
        C->Brush()->SetColor(FGrid->Color());
        C->FillRect(client);
        if (FGrid->OnFooterPaint)
            FGrid->OnFooterPaint(this, ff->Column(), C, client);
    } else {
        // Beyond the columns, the grid's own colour.
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(FGrid->Color());
        C->FillRect(client);
        if (ff->FooterStyle() == fsFixedLastRow) {
            C->Brush()->SetColor(ff->Color());
            C->FillRect(Placed({0, 0, total, client.Bottom}));
            PaintLastRow(C, total);
        } else {
            PaintFramed(C, total);
        }
    }
    if (ff->BorderColor() != clNone) {
        C->Pen()->SetColor(ff->BorderColor());
        const TRect line = Placed({0, 0, total, 1});
        C->MoveTo(line.Left, 0);
        C->LineTo(line.Right, 0);
    }
}

void TFooterPanel::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (FGrid == nullptr)
        return;
    if (FGrid->OnClick)
        FGrid->OnClick(FGrid);
    if (FGrid->OnClickCell)
        FGrid->OnClickCell(FGrid, FGrid->RowCount() - 1, ColumnAt(X));
}

void TFooterPanel::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    if (FGrid != nullptr && FGrid->FloatingFooter()->ShowHint() && ColumnAt(X) != FLastHintX
        && Application != nullptr)
        Application->CancelHint();
}

void TFooterPanel::Dispatch(TMessage& Message)
{
    if (Message.Msg == CM_HINTSHOW && FGrid != nullptr) {
        auto* info = reinterpret_cast<THintInfo*>(Message.LParam);
        const Integer col = info != nullptr ? ColumnAt(info->CursorPos.X) : -1;
        QString hint;
        if (FGrid->OnGridHint && col >= 0)
            FGrid->OnGridHint(FGrid, FGrid->RowCount() - 1, col, hint);
        const bool show = FGrid->FloatingFooter()->ShowHint() && !hint.isEmpty();
        FLastHintX = show ? col : -1;
        if (info != nullptr) {
            info->HintStr = show ? hint : QString();
            // The hint stays while the mouse stays over that column.
            info->CursorRect = ClientRect();
        }
        Message.Result = show ? 0 : 1;
        return;
    }
    if (Message.Msg == CM_MOUSELEAVE)
        FLastHintX = -1;
    TCustomControl::Dispatch(Message);
}

// ============================================================ the grid's side

void TExStringGrid::SetBiDiMode(TBiDiMode Value)
{
    if (FBiDiMode == Value)
        return;
    FBiDiMode = Value;
    if (FFooterPanel != nullptr)
        FFooterPanel->Invalidate();
    if (FSearchPanel != nullptr && FSearchPanel->HandleAllocated())
        FSearchPanel->PlaceControls();
    Invalidate();
}

void TExStringGrid::SetFloatingFooterVisible(bool Value)
{
    FFloatingFooter->SetVisible(Value);
}

void TExStringGrid::ShowFooterStrip(bool Show, Integer StripHeight)
{
    if (FFooterPanel == nullptr)
        return;
    FFooterPanel->SetVisible(Show);
    SetFooterStripHeight(StripHeight);
}

void TExStringGrid::SetFooterStripHeight(Integer StripHeight)
{
    if (FFooterPanel == nullptr)
        return;
    StripHeight = std::max<Integer>(StripHeight, 0);
    FFooterPanel->SetBounds(FFooterPanel->Left(), FFooterPanel->Top(), FFooterPanel->Width(), StripHeight);
    UpdateBottomReserve();
}

void TExStringGrid::UpdateBottomReserve()
{
    // The cells end above the footer strip and the search bar, so that no
    // row is ever hidden behind them.
    const Integer strip = FFooterPanel != nullptr && FFooterPanel->Visible() ? FFooterPanel->Height() : 0;
    const Integer bar = FSearchPanel != nullptr && FSearchFooter->Visible() ? SearchBarHeight : 0;
    if (strip + bar != BottomReserve()) {
        SetBottomReserve(strip + bar);
        // Controls aligned to the cells' edges follow them.
        Realign();
    }
    LayoutBottomReserve(BottomReserve() > 0 ? TRect{0, ClientHeight(), ClientWidth(), ClientHeight() + BottomReserve()}
                                            : TRect{});
}

void TExStringGrid::LayoutBottomReserve(const TRect& R)
{
    // The footer strip right below the cells, the search bar under it.
    Integer top = R.Top;
    if (FFooterPanel != nullptr && FFooterPanel->Visible()) {
        FFooterPanel->SetBounds(R.Left, top, R.Width(), FFooterPanel->Height());
        top += FFooterPanel->Height();
    }
    if (FSearchPanel == nullptr)
        return;
    if (FSearchFooter->Visible() && !R.IsEmpty()) {
        FSearchPanel->SetBounds(R.Left, top, R.Width(), SearchBarHeight);
        FSearchPanel->BringToFront();
    } else {
        FSearchPanel->SetBounds(FSearchPanel->Left(), FSearchPanel->Top(), FSearchPanel->Width(), 0);
    }
}

void TExStringGrid::UpdateFooter()
{
    if (FFloatingFooter->Visible() && !HasState(csLoading))
        FFloatingFooter->Invalidate();
}

void TExStringGrid::DoCalcFooter(Integer ACol)
{
    if (!FFloatingFooter->Visible() || FFloatingFooter->FooterStyle() != fsFixedLastRow
        || !FFloatingFooter->EnableCalculation)
        return;
    const Integer F = RowCount() - 1;
    const Integer H = FFloatingFooter->CalculateHiddenRows ? NumHiddenRows() : 0;
    // The data rows, the hidden ones counted in real rows; never the footer
    // row itself.
    const Integer from = FixedRows(), to = RowCount() - 2 + H;
    const Integer c1 = ACol == -1 ? 0 : ACol, c2 = ACol == -1 ? TotalColCount() - 1 : ACol;
    FFooterRealRows = H > 0;
    struct Reset {
        bool& Flag;
        ~Reset() { Flag = false; }
    } reset{FFooterRealRows};
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
