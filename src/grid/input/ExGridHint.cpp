// TExStringGrid: the hint of the cell under the mouse (comment, link title,
// cell text, oversized text or the application's text, in that order of
// strength) and THTMLHintWindow, which shows mini-HTML and wide hint texts.

#include "grid/ExGrid.h"

#include "grid/EsgHTMLE.h"
#include "grid/input/HTMLHintWindow.h"
#include "platform/Canvas.h"
#include "platform/DrawText.h"
#include "platform/Form.h"
#include "platform/Messages.h"

QString& HintFontName()
{
    static QString name;
    return name;
}

// ------------------------------------------------------------- cell hints

bool TExStringGrid::HitTestMiniHTML(const QString& Text, const TRect& R, TPoint P, TMiniHTMLResult& Hit)
{
    TMiniHTMLRequest req;
    req.PointX = P.X;
    req.PointY = P.Y;
    req.TestAgain = true;  // measures and tests, draws nothing
    req.AnchorColor = URLColor();
    req.ShadowColor = clGray;
    req.PictureContainer = PictureContainer();
    req.PictureCache = ImageCache();
    req.Images = GridImages();
    Canvas()->Font()->Assign(Font());
    return RenderMiniHTML(Canvas(), Text, R, req, Hit);
}

void TExStringGrid::CMHintShow(TMessage& Msg)
{
    auto* info = reinterpret_cast<THintInfo*>(Msg.LParam);
    if (info != nullptr) {
        bool canShow = true;
        PrepareCellHint(info->HintStr, canShow, *info);
    }
    Msg.Result = 0;
}

void TExStringGrid::PrepareCellHint(QString& HintStr, bool& CanShow, THintInfo& HintInfo)
{
    Integer ACol = -1, ARow = -1;
    MouseToCell(HintInfo.CursorPos.X, HintInfo.CursorPos.Y, ACol, ARow);
    if (ControlLook()->HintMaxWidth > 0)
        HintInfo.HintMaxWidth = ControlLook()->HintMaxWidth;
    HintFontName() = Font()->Name();
    if (ACol >= 0 && ARow >= 0) {
        const TPoint b = BaseCell(RealColIndex(ACol), ARow);
        ACol = RealToDisplCol(b.X);
        ARow = b.Y;
        FLastHintPos = {ACol, ARow};
        const TRect R = CellRect(ACol, ARow);
        const Integer rc = b.X;
        TPoint pos;
        QString comment;
        if (IsComment(rc, ARow, comment)) {
            HintStr = comment;
            pos = {R.Right, R.Top};
        } else {
            pos = {HintInfo.CursorPos.X, R.Bottom + 6};
        }

        const QString s = Cells(rc, ARow);
        if (GetTextKind(s, EnableHTML()) == 1 && AnchorHint()) {
            TMiniHTMLResult hit;
            if (HitTestMiniHTML(s, R, HintInfo.CursorPos, hit) && !hit.AnchorUnderPoint.isEmpty()) {
                QString t = hit.AnchorTitle.isEmpty() ? hit.AnchorUnderPoint : hit.AnchorTitle;
                if (OnAnchorHint)
                    OnAnchorHint(this, ARow, rc, t);
                FLastAnchorHint = t;
                HintStr = t;
                pos = {HintInfo.CursorPos.X + 8, HintInfo.CursorPos.Y - 16};
            }
        }

        const Integer kind = GetTextKind(s, EnableHTML());
        auto cellText = [&] { return kind == 5 || HTMLHint() ? s : StrippedCells(rc, ARow); };
        if (HintShowCells() && ACol >= FixedCols() && ACol < ColCount() - FixedRightCols() && ARow >= FixedRows()
            && ARow < RowCount() - FixedFooters()) {
            pos.Y = R.Top;
            HintStr = cellText();
        }
        if (HintShowLargeText()) {
            const bool enh = EnhTextSize();
            SetEnhTextSize(false);
            const TPoint size = GetCellTextSize(rc, ARow, false, true);
            SetEnhTextSize(enh);
            if (size.X > R.Width() || size.Y > R.Height()) {
                if (HintShowLargeTextPos() == hpCell)
                    pos = {R.Left, R.Top};
                HintStr = kind == 1 && !HTMLHint() ? StrippedCells(rc, ARow) : s;
            }
        }
        if (!(FFloatingFooter->Visible() && ARow == RowCount() - 1)) {
            QString wide;
            GridHint(ACol, ARow, HintStr, wide);
        }
        const Integer hintKind = GetTextKind(HintStr, true);
        if ((hintKind == 1 || hintKind == 5) && UseInternalHintClass()) {
            HintInfo.HintWindowClass = &HintWindowClassOf<THTMLHintWindow>;
            HintInfo.HintData = this;
        }
        HintInfo.HintPos = ClientToScreen(pos);
    }
    HintInfo.HintColor = HintColor();
    (void)CanShow;
}

// --------------------------------------------------------- hint window

THTMLHintWindow::THTMLHintWindow(TComponent* AOwner) : THintWindow(AOwner) {}

void THTMLHintWindow::RenderHint(TCanvas* Canvas, const QString& AHint, const TRect& R, bool Measure,
                                 TMiniHTMLResult& Result)
{
    TMiniHTMLRequest req;
    req.MeasureOnly = Measure;
    req.WordWrap = true;
    req.PictureContainer = FPictureContainer;
    req.Images = FImages;
    req.AnchorColor = clBlue;
    req.ShadowColor = clGray;
    RenderMiniHTML(Canvas, AHint, R, req, Result);
}

void THTMLHintWindow::CreateParams(TCreateParams& Params)
{
    THintWindow::CreateParams(Params);
    Params.Style &= ~WS_BORDER;
}

TPoint THTMLHintWindow::MeasureText(const QString& AHint, TRect R)
{
    TCanvas* c = Canvas();
    c->SetFont(Font());
    if (GetTextKind(AHint, true) == 5) {
        if (!HintFontName().isEmpty())
            c->Font()->SetName(HintFontName());
        FWideCaption = DecodeWideCellText(AHint);
        c->TextRect(R, FWideCaption, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        return {R.Right - R.Left, R.Bottom - R.Top};
    }
    TMiniHTMLResult res;
    RenderHint(c, AHint, R, true, res);
    return {res.Width, res.Height};
}

TRect THTMLHintWindow::CalcHintRect(Integer MaxWidth, const QString& AHint, void*)
{
    const TPoint size = MeasureText(AHint, TRect{0, 0, MaxWidth, 0});
    return TRect{0, 0, size.X, size.Y};
}

void THTMLHintWindow::ActivateHintData(const TRect& Rect, const QString& AHint, void* AData)
{
    // The grid puts itself into the request's data.
    if (auto* grid = dynamic_cast<TExStringGrid*>(static_cast<TObject*>(AData))) {
        FImages = grid->GridImages();
        FPictureContainer = grid->PictureContainer();
    }
    ActivateHint(Rect, AHint);
}

void THTMLHintWindow::ActivateHint(const TRect& Rect, const QString& AHint)
{
    SetCaption(AHint);
    TRect R = Rect;
    R.Right = R.Left + 1008;
    R.Bottom = R.Top + 4096;
    const bool wide = GetTextKind(AHint, true) == 5;
    const TPoint size = MeasureText(AHint, R);
    const Integer margin = wide ? 8 : 16;
    FTextWidth = size.X;
    FTextHeight = size.Y;
    R.Right = R.Left + size.X + margin;
    R.Bottom = R.Top + size.Y + 4;
    // The window stays on the screen at its right and bottom edges.
    if (Screen != nullptr) {
        if (R.Right > Screen->Width()) {
            R.Left = Screen->Width() - (R.Right - R.Left) - 2;
            R.Right = R.Left + size.X + margin;
        }
        if (R.Bottom > Screen->Height()) {
            R.Bottom = Screen->Height() - 2;
            R.Top = R.Bottom - size.Y - 4;
        }
    }
    THintWindow::ActivateHint(R, AHint);
}

void THTMLHintWindow::Paint()
{
    TCanvas* c = Canvas();
    const TRect C = ClientRect();
    c->Brush()->SetColor(Color());
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(C);
    c->Pen()->SetColor(cl3DLight);
    c->MoveTo(C.Left, C.Bottom - 2);
    c->LineTo(C.Left, C.Top);
    c->LineTo(C.Right - 1, C.Top);
    c->Pen()->SetColor(cl3DDkShadow);
    c->MoveTo(C.Left, C.Bottom - 1);
    c->LineTo(C.Right - 1, C.Bottom - 1);
    c->LineTo(C.Right - 1, C.Top - 1);
    TRect T{C.Left + 4, C.Top + (C.Bottom - C.Top - FTextHeight) / 2, C.Right - 4, 0};
    T.Bottom = T.Top + FTextHeight + 8;
    c->SetFont(Font());
    if (GetTextKind(Caption(), true) == 5) {
        if (!HintFontName().isEmpty())
            c->Font()->SetName(HintFontName());
        c->Brush()->SetStyle(bsClear);
        c->TextRect(T, FWideCaption, DT_SINGLELINE | DT_NOPREFIX);
        return;
    }
    TMiniHTMLResult res;
    RenderHint(c, Caption(), T, false, res);
}
