// TExStringGrid: drawing the object a cell carries: its size and placement
// beside the text, then check boxes, radio buttons and groups, pictures,
// icons, images, progress bars, comments, buttons, shapes and ratings.

#include "grid/ExGrid.h"

#include <cmath>

#include "grid/ExGridCellGraphic.h"
#include "grid/ExObj.h"
#include "grid/ExUtil.h"
#include "grid/painting/ExGridPaintState.h"
#include "grid/painting/GridGlyphs.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/DrawText.h"
#include "platform/ImageList.h"
#include "platform/StringList.h"
#include "controls/ExXPVS.h"

namespace {

bool ThemesOn()
{
    TThemeServices& ts = ExXPVS();
    return ThemeActive(ts);
}

double CellNumber(const QString& Text)
{
    bool ok = false;
    const double v = ExtractNumber(Text).toDouble(&ok);
    return ok ? v : 0.0;
}

} // namespace

TCellGraphic* TExStringGrid::GetCellGraphicInfo(Integer ACol, Integer ARow, TCellVAlign& VA, TCellHAlign& HA,
                                                bool& ShowText, Integer& H, Integer& W)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    W = 0;
    H = 0;
    ShowText = true;
    HA = haLeft;
    VA = vaTop;
    if (g == nullptr)
        return nullptr;
    switch (g->CellType) {
    case ctBitmap:
        if (const auto* bmp = dynamic_cast<const TBitmap*>(g->CellBitmap())) {
            W = bmp->Width();
            H = bmp->Height();
        }
        break;
    case ctIcon:
        if (const auto* icon = dynamic_cast<const TIcon*>(g->CellIcon())) {
            W = icon->Width();
            H = icon->Height();
        }
        break;
    case ctImageList:
    case ctDataImage:
        if (FGridImages != nullptr) {
            W = FGridImages->Width();
            H = FGridImages->Height();
            if (g->CellType == ctDataImage)
                ShowText = false;
        }
        break;
    case ctCheckBox:
    case ctTriStateCheckBox:
        W = H = FControlLook->CheckSize();
        break;
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
        W = H = FControlLook->CheckSize();
        ShowText = false;
        break;
    case ctRotated:
    case ctRadio:
    case ctProgress:
    case ctRangeIndicator:
    case ctXPProgress:
        ShowText = false;
        break;
    case ctImages:
        if (const auto* list = dynamic_cast<const TIntList*>(g->CellBitmap()); list != nullptr && FGridImages) {
            if (g->CellBoolean) {
                W = list->Count() * FGridImages->Width();
                H = FGridImages->Height();
            } else {
                W = FGridImages->Width();
                H = list->Count() * FGridImages->Height();
            }
        }
        break;
    case ctPicture:
    case ctFilePicture: {
        const TPoint cell = CellSize(RealToDisplCol(ACol), ARow);
        W = cell.X;
        H = cell.Y;
        g->GetPictureSize(W, H);
        break;
    }
    case ctButton:
    case ctBitButton:
        W = Integer(Cardinal(g->CellIndex) & 0xFFFF);
        H = Integer(Cardinal(g->CellIndex) >> 16);
        break;
    case ctProgressPie:
        W = H = 20;
        break;
    case ctInterface:
        if (const ICellDraw* d = g->CellInterface()) {
            W = d->Width();
            H = d->Height();
        }
        break;
    case ctRadioButton:
        W = H = FControlLook->RadioSize() + 4;
        break;
    case ctShape:
        W = H = RowHeights(ARow) - 2 * XYOffset().Y;
        break;
    case ctRating:
        W = g->CellAngle * 18;
        H = 16;
        ShowText = false;
        break;
    default:
        break;
    }
    HA = g->CellHAlign;
    VA = g->CellVAlign;
    return g;
}

void TExStringGrid::DrawCellGraphic(TCanvas* C, TCellPaint& P, TRect R)
{
    TCellGraphic* g = P.Graphic;
    const Integer RCol = P.RCol, ARow = P.ARow;
    const TCellType type = g->CellType;
    TRect Rp = R;
    if (type != ctNode && type != ctProgress && type != ctRangeIndicator && type != ctXPProgress)
        InflateRect(Rp, 1 - XYOffset().X, 1 - XYOffset().Y);
    const Integer W = P.GW, H = P.GH;
    const Integer TW = P.TextWidth > 0 ? P.TextWidth + 2 : 0;
    const Integer width = Rp.Width();

    // Placement of the graphic rectangle G.
    TRect G;
    Integer left = Rp.Left + 1;
    switch (g->CellHAlign) {
    case haRight:
        left = Rp.Right - 1 - W;
        break;
    case haCenter:
        left = W < width ? Rp.Left + (width - W) / 2 : Rp.Left + 1;
        break;
    case haBeforeText:
        if (P.HA == taRightJustify)
            left = std::max(Rp.Right - TW - W, Rp.Left + 1);
        else if (P.HA == taCenter)
            left = std::max(Rp.Left + (width - TW - W) / 2, Rp.Left + 1);
        break;
    case haAfterText:
        if (P.HA == taRightJustify)
            left = Rp.Right - 1 - W;
        else if (P.HA == taCenter)
            left = std::max(Rp.Left + TW + (width - TW - W) / 2, Rp.Left + 1);
        else
            left = Rp.Left + TW;
        break;
    case haFull:
        left = Rp.Left;
        break;
    default:
        break;
    }
    G.Left = left;
    G.Right = g->CellHAlign == haFull ? Rp.Right : left + W;

    const bool checkLike = type == ctCheckBox || type == ctDataCheckBox || type == ctVirtCheckBox
                           || type == ctRowCheckBox || type == ctRadioButton || type == ctTriStateCheckBox;
    TCellVAlign va = g->CellVAlign;
    if (checkLike && P.VA != VAlignment())
        va = P.VA == vtaCenter ? vaCenter : P.VA == vtaBottom ? vaBottom : vaTop;
    switch (va) {
    case vaBottom:
        G.Top = Rp.Bottom - 1 - H;
        break;
    case vaCenter:
        G.Top = H < Rp.Height() ? Rp.Top + (Rp.Height() - H) / 2 : Rp.Top + 1;
        break;
    case vaUnderText:
        G.Top = Rp.Bottom - H;
        break;
    case vaFull:
        G.Top = Rp.Top;
        break;
    default:
        G.Top = Rp.Top + 1;
        break;
    }
    G.Bottom = va == vaFull ? Rp.Bottom : G.Top + H;

    const QString cellText = Cells(RCol, ARow);
    const TGridControlStyle style = FControlLook->ControlStyle();
    switch (type) {
    case ctBitmap:
        if (auto* bmp = dynamic_cast<TBitmap*>(g->CellBitmap())) {
            bmp->SetTransparent(g->CellTransparent);
            C->Draw(G.Left, G.Top, bmp);
        }
        break;
    case ctIcon:
        if (auto* icon = dynamic_cast<TIcon*>(g->CellIcon()))
            C->Draw(G.Left, G.Top, icon);
        break;
    case ctImageList:
        if (FGridImages != nullptr)
            FGridImages->Draw(C, G.Left, G.Top, g->CellIndex, true);
        break;
    case ctDataImage:
        if (FGridImages != nullptr) {
            bool ok = false;
            const Integer index = cellText.trimmed().toInt(&ok) + g->CellIndex;
            if (ok && index >= 0 && index < FGridImages->Count())
                FGridImages->Draw(C, G.Left, G.Top, index, true);
        }
        break;
    case ctImages:
        if (const auto* list = dynamic_cast<const TIntList*>(g->CellBitmap()); list != nullptr && FGridImages) {
            Integer x = G.Left, y = G.Top;
            for (Integer i = 0; i < list->Count(); ++i) {
                FGridImages->Draw(C, x, y, list->Items(i), true);
                if (g->CellBoolean)
                    x += FGridImages->Width();
                else
                    y += FGridImages->Height();
            }
        }
        break;
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
    case ctTriStateCheckBox:
    case ctRadioButton: {
        // The text alignment places check boxes and radio buttons.
        const bool dataKind = type == ctDataCheckBox || type == ctVirtCheckBox || type == ctRowCheckBox;
        if (P.HA == taLeftJustify) {
            G.Left = Rp.Left + 1;
        } else if (P.HA == taRightJustify) {
            G.Left = Rp.Right - (dataKind ? 0 : TW) - W - 1;
        } else if (dataKind || TW < 1) {
            G.Left = Rp.Left + std::max(0, width - W) / 2;
        } else {
            G.Left = Rp.Left + std::max(0, width - TW) / 2 - W;
        }
        G.Left = std::max(G.Left, Rp.Left + 1);
        G.Right = G.Left + W;
        bool enabled = true;
        DoCanEditCell(RCol, ARow, enabled);
        if (type == ctCheckBox || type == ctRowCheckBox) {
            DrawCheckBox(G, g->CellBoolean, enabled, g->CellAngle > 0, style, false, cbUnchecked);
        } else if (type == ctDataCheckBox || type == ctVirtCheckBox) {
            QString yes;
            GetCheckTrue(RCol, ARow, yes);
            DrawCheckBox(G, cellText == yes, enabled, false, style, false, cbUnchecked);
        } else if (type == ctTriStateCheckBox) {
            DrawCheckBox(G, false, enabled, g->CellAngle > 0, style, true, g->CellCheckBoxState);
        } else {
            G.Left += XYOffset().X;
            G.Right = G.Left + FControlLook->RadioSize();
            G.Bottom = G.Top + FControlLook->RadioSize();
            DrawRadioGroup(C, G, 1, g->CellBoolean ? 0 : -1, false, !enabled, nullptr, false, RCol, ARow, style, 1.0,
                           false);
        }
        break;
    }
    case ctRotated: {
        // The text turned about its placement point.
        const TRect box = R;
        const Integer angle = g->CellAngle;
        const Integer tw = C->TextWidth(cellText), th = C->TextHeight(cellText);
        const double a = angle * 3.14159265358979323846 / 180.0;
        // The rotated text's bounding box is centred in the cell.
        const double cx = box.Left + box.Width() / 2.0, cy = box.Top + box.Height() / 2.0;
        const double px = cx - (tw * std::cos(a) + th * std::sin(a)) / 2.0;
        const double py = cy + (tw * std::sin(a) - th * std::cos(a)) / 2.0;
        const Integer saved = C->SaveDC();
        TRect clip = box;
        InflateRect(clip, -2, -2);
        C->IntersectClipRect(clip);
        C->Brush()->SetStyle(bsClear);
        const Integer orientation = C->Font()->Orientation();
        C->Font()->SetOrientation(angle * 10);
        C->TextOut(Integer(std::lround(px)), Integer(std::lround(py)), cellText);
        C->Font()->SetOrientation(orientation);
        C->Brush()->SetStyle(bsSolid);
        C->RestoreDC(saved);
        // The sort indicator of a rotated sort header.
        const TSortSettings* sort = FSortSettings.get();
        const Integer sortIndex = FSortIndexes->FindIndex(RCol);
        if (IsSortIndicatorCell(P.ACol, ARow) && (RCol == sort->Column || sortIndex >= 0) && FixedRows() >= 1
            && (RCol >= FixedCols() || sort->FixedCols) && (sortIndex < 1 || sort->IndexShow))
            DrawSortIndicator(C, RCol, G.Right - 10, G.Top + 8);
        break;
    }
    case ctRadio: {
        bool enabled = true;
        DoCanEditCell(RCol, ARow, enabled);
        auto* items = dynamic_cast<TStrings*>(g->CellBitmap());
        DrawRadioGroup(C, Rp, items != nullptr ? items->Count() : 0, g->CellIndex, g->CellBoolean, !enabled, items,
                       (P.State & gdSelected) != 0, RCol, ARow, style, 1.0, false);
        break;
    }
    case ctPicture:
        if (auto* picture = dynamic_cast<TPicture*>(g->CellBitmap()); picture != nullptr && picture->Graphic()) {
            if (g->CellAngle != 0)
                C->StretchDraw(G, picture->Graphic());
            else
                C->Draw(G.Left, G.Top, picture->Graphic());
        }
        break;
    case ctFilePicture:
        if (const auto* picture = dynamic_cast<const TFilePicture*>(g->CellBitmap()))
            picture->DrawPicture(C, G);
        break;
    case ctProgress: {
        const double value = CellNumber(cellText);
        if ((style == csWinXP || style == csTheme) && ThemesOn() && FControlLook->ProgressXP()) {
            TRect bar = Rp;
            InflateRect(bar, -FControlLook->ProgressMarginX(), -FControlLook->ProgressMarginY());
            DrawThemed(C, Handle(), "Progress", PP_BAR, 0, bar);
            InflateRect(bar, -2, -2);
            bar.Right = bar.Left + Integer(std::lround(ClampPercent(value) * bar.Width() / 100.0));
            DrawThemed(C, Handle(), "Progress", PP_CHUNK, 1, bar);
        } else {
            TRect bar = Rp;
            InflateRect(bar, -2, -2);
            const TColor barText = g->CellBoolean ? TColor(g->CellIndex) : TColor(g->CellBitmapColor ^ 0x00FFFFFF);
            const TColor restText = g->CellBoolean ? TColor(g->CellAngle) : TColor(g->CellIconColor ^ 0x00FFFFFF);
            DrawProgressBar(C, bar, g->CellBitmapColor, barText, g->CellIconColor, restText, value,
                            FControlLook->ProgressMarginX(), FControlLook->ProgressMarginY(), g->CellErrFrom,
                            g->CellErrLen, g->CellText, FControlLook->ProgressBorderColor, false);
        }
        break;
    }
    case ctComment:
        if (FControlLook->CommentColor() != clNone) {
            C->Pen()->SetColor(TColor(g->CellIndex));
            C->Brush()->SetColor(TColor(g->CellIndex));
            const Integer x = Rp.Right + XYOffset().X, y = Rp.Top - XYOffset().Y;
            C->Polygon({TPoint(x - 8, y + 1), TPoint(x - 3, y + 1), TPoint(x - 3, y + 6)});
            C->Brush()->SetColor(Color());
        }
        break;
    case ctButton:
    case ctBitButton:
    case ctExpand: {
        const TRect cell = R;
        if (type == ctExpand)
            G = {Rp.Right - 13, Rp.Top, Rp.Right, Rp.Top + 13};
        g->CellValue = double(((G.Top - cell.Top) & 0xFFFF) * 65536 + ((G.Left - cell.Left) & 0xFFFF));
        bool enabled = true;
        if (!FControlLook->NoDisabledButtonLook())
            DoCanEditCell(RCol, ARow, enabled);
        Integer look = FControlLook->FlatButton() ? 2 : !FIsWinXP ? 1 : 0;
        if (Flat() && FTones.Background.BrushColor != clNone)
            look = 3;
        Integer state = g->CellBoolean ? 2 : (FHoverButton.X == P.ACol && FHoverButton.Y == ARow) ? 1 : 0;
        if (!enabled && type != ctExpand)
            state = 3;
        DrawCellButton(C, Handle(), G, look, state, FTones);
        if (g->CellBoolean)
            OffsetRect(G, 1, 1);
        if (type == ctExpand) {
            C->Pen()->SetColor(clBlack);
            C->Pen()->SetWidth(1);
            const Integer right = Rp.Right, top = Rp.Top;
            if (!g->CellVar.Bool)
                C->Polyline({TPoint(right - 10, top + 5), TPoint(right - 7, top + 8), TPoint(right - 3, top + 4)});
            else
                C->Polyline({TPoint(right - 10, top + 8), TPoint(right - 7, top + 5), TPoint(right - 3, top + 9)});
            break;
        }
        if (auto* glyph = type == ctBitButton ? dynamic_cast<TBitmap*>(g->CellBitmap()) : nullptr;
            glyph != nullptr && !glyph->Empty()) {
            glyph->SetTransparent(true);
            const Integer fw = G.Width() - glyph->Width();
            Integer dy = (G.Height() - glyph->Height()) / 2;
            if (dy < 1)
                dy = 3;
            if (fw > 0 && g->CellText.isEmpty()) {
                C->Draw(G.Left + fw / 2, G.Top + dy, glyph);
            } else {
                C->Draw(G.Left + 3, G.Top + dy, glyph);
                G.Left += glyph->Width() + 4;
            }
        }
        Cardinal flags = g->CellText.contains(QChar(13)) ? DT_WORDBREAK : DT_SINGLELINE;
        ++G.Left;
        C->SetBkMode(TRANSPARENT);
        if (look == 3) {
            const TColorTone& tone = state == 1 ? FTones.Hover : state == 2 ? FTones.Selected
                                     : state == 3 ? FTones.Disabled
                                                  : FTones.Background;
            C->Font()->SetColor(tone.TextColor);
        }
        C->Brush()->SetStyle(bsClear);
        DrawText(C, g->CellText, G, flags | DT_END_ELLIPSIS | DT_VCENTER | DT_CENTER);
        C->Brush()->SetStyle(bsSolid);
        break;
    }
    case ctProgressPie:
        DrawProgressPie(C, {G.Left, G.Top, G.Left + 20, G.Top + 20}, g->CellBitmapColor, g->CellAngle, false);
        break;
    case ctRangeIndicator: {
        TRect box = Rp;
        InflateRect(box, -FControlLook->ProgressMarginX(), -FControlLook->ProgressMarginY());
        DrawRangeIndicator(C, box, Integer(std::lround(CellNumber(cellText))), g->CellIndex, g->CellBoolean,
                           g->CellBitmapColor, g->CellIconColor);
        break;
    }
    case ctXPProgress: {
        const TGridProgressAppearance* pa = FProgressAppearance.get();
        TProgressAppearanceRec rec;
        rec.Level0Color = pa->Level0Color();
        rec.Level0ColorTo = pa->Level0ColorTo();
        rec.Level1Color = pa->Level1Color();
        rec.Level1ColorTo = pa->Level1ColorTo();
        rec.Level2Color = pa->Level2Color();
        rec.Level2ColorTo = pa->Level2ColorTo();
        rec.Level3Color = pa->Level3Color();
        rec.Level3ColorTo = pa->Level3ColorTo();
        rec.Level1Perc = pa->Level1Perc();
        rec.Level2Perc = pa->Level2Perc();
        rec.ShowBorder = pa->ShowBorder();
        rec.BorderColor = pa->BorderColor();
        rec.Stacked = pa->Stacked();
        rec.ShowPercentage = pa->ShowPercentage();
        rec.CompletionSmooth = pa->CompletionSmooth();
        rec.ShowGradient = pa->ShowGradient();
        rec.Font = Font();
        rec.CompleteFontColor = pa->CompleteFontColor();
        rec.Steps = pa->Steps();
        rec.BackgroundColor = pa->UnCompleteColor() != clNone ? pa->UnCompleteColor() : Color();
        TRect bar = Rp;
        InflateRect(bar, -FControlLook->ProgressMarginX(), -FControlLook->ProgressMarginY());
        --bar.Right;
        --bar.Bottom;
        const Integer range = g->CellErrLen - g->CellErrFrom;
        const double value = std::abs(std::lround(CellNumber(cellText)) - g->CellErrFrom);
        const Integer percent = range != 0 ? Integer(std::lround(value / range * 100.0)) : 0;
        DrawCellProgress(C, bar, percent, rec);
        break;
    }
    case ctShape:
        DrawShape(C, G.Left, G.Top, G.Width() - 1, G.Height() - 1, g->CellAngle, TColor(g->CellIndex),
                  g->CellBitmapColor);
        break;
    case ctRating: {
        const double v = std::round(CellNumber(cellText) * 2) / 2;
        Integer x = G.Left;
        for (Integer i = 0; i < g->CellAngle; ++i) {
            DrawShape(C, x, G.Top, 16, 16, csStar, i + 1 > v ? g->CellBitmapColor : TColor(g->CellIndex),
                      clNone);
            if (i < v && v < i + 1)
                DrawShape(C, x, G.Top, 16, 16, csHalfStar, TColor(g->CellIndex), clNone);
            x += 18;
        }
        break;
    }
    case ctNode:
        DrawNodeGraphic(C, P, Rp);
        break;
    default:
        break;
    }
}

void TExStringGrid::DrawCheckBox(TRect R, bool Checked, bool Enabled, bool Grayed, TGridControlStyle Style,
                                 bool TriState, TCheckBoxState State)
{
    TCanvas* C = Canvas();
    if (FControlLook->NoDisabledCheckRadioLook() || FControlLook->CheckAlwaysActive)
        Enabled = true;
    if (TriState) {
        Checked = State == cbChecked;
        Grayed = State == cbGrayed;
    }
    if (Style == csTheme && !(FIsComCtl6 && ThemesOn()))
        Style = csClassic;
    const Integer size = FControlLook->CheckSize();
    switch (Style) {
    case csWinXP:
        DrawGridGlyph(C, Checked ? (Enabled ? QStringLiteral("ESGCHK05") : QStringLiteral("ESGCHK07"))
                                 : (Enabled ? QStringLiteral("ESGCHK06") : QStringLiteral("ESGCHK08")),
                      R.Left, R.Top);
        break;
    case csKavro:
        DrawGridGlyph(C, Checked ? (Enabled ? QStringLiteral("ESGCHK01") : QStringLiteral("ESGCHK03"))
                                 : (Enabled ? QStringLiteral("ESGCHK02") : QStringLiteral("ESGCHK04")),
                      R.Left, R.Top);
        break;
    case csBorland: {
        C->Brush()->SetColor(Enabled ? clBtnFace : clBtnShadow);
        C->Pen()->SetColor(clBtnFace);
        C->Rectangle(R);
        C->Pen()->SetColor(clBtnHighlight);
        C->MoveTo(R.Left, R.Bottom - 1);
        C->LineTo(R.Left, R.Top);
        C->LineTo(R.Right - 1, R.Top);
        C->Pen()->SetColor(clBtnShadow);
        C->LineTo(R.Right - 1, R.Bottom - 1);
        C->LineTo(R.Left, R.Bottom - 1);
        if (Checked) {
            C->Pen()->SetColor(Enabled ? FControlLook->Color() : clGray);
            C->Pen()->SetWidth(1);
            const Integer top = R.Top - 1, bottom = R.Bottom - 1;
            const Integer mid = top + size / 2;
            C->MoveTo(R.Left + 2, mid);
            C->LineTo(R.Left + 2, bottom - 1);
            C->MoveTo(R.Left + 3, mid);
            C->LineTo(R.Left + 3, bottom - 2);
            C->MoveTo(R.Left + 2, bottom - 1);
            C->LineTo(R.Right - 2, top + 3);
            C->MoveTo(R.Left + 3, bottom - 1);
            C->LineTo(R.Right - 1, top + 3);
        }
        break;
    }
    case csGlyph: {
        TBitmap* glyph = Checked ? FControlLook->CheckedGlyph() : FControlLook->UnCheckedGlyph();
        if (!glyph->Empty()) {
            glyph->SetTransparent(true);
            C->Draw(R.Left, R.Top, glyph);
        }
        break;
    }
    case csTheme: {
        const Integer state = Grayed ? (Enabled ? CBS_MIXEDNORMAL : CBS_MIXEDNORMAL + 3)
                              : Checked ? (Enabled ? CBS_CHECKEDNORMAL : CBS_CHECKEDNORMAL + 3)
                                        : (Enabled ? CBS_UNCHECKEDNORMAL : CBS_UNCHECKEDNORMAL + 3);
        const TRect box(R.Left, R.Top, R.Left + size, R.Top + size);
        if (DrawThemed(C, Handle(), "button", BP_CHECKBOX, state, box))
            break;
        [[fallthrough]];
    }
    default: {
        Cardinal flags = DFCS_BUTTONCHECK;
        if (Checked)
            flags |= DFCS_CHECKED;
        if (Grayed)
            flags |= DFCS_CHECKED | DFCS_BUTTON3STATE;
        if (Style == csFlat)
            flags |= DFCS_FLAT;
        if (!Enabled)
            flags |= DFCS_INACTIVE;
        TRect box(R.Left + (R.Width() - size) / 2, R.Top + (R.Height() - size) / 2, 0, 0);
        box.Right = box.Left + size;
        box.Bottom = box.Top + size;
        DrawFrameControl(C, box, DFC_BUTTON, flags);
        break;
    }
    }
}

void TExStringGrid::DrawRadioGroup(TCanvas* C, TRect R, Integer Count, Integer Index, bool Horizontal, bool Disabled,
                                   TStrings* Items, bool Selected, Integer ACol, Integer ARow,
                                   TGridControlStyle Style, double Scale, bool Print)
{
    if (FControlLook->NoDisabledCheckRadioLook() || FControlLook->RadioAlwaysActive)
        Disabled = false;
    const Integer step = Print ? -1 : 1;
    Integer extra = 0;
    C->SetBkMode(TRANSPARENT);
    if (Count <= 0)
        return;
    if (Style == csTheme && !ThemesOn())
        Style = csClassic;
    const QString cellText = Cells(ACol, ARow);
    const Integer lineHeight = C->TextHeight(QStringLiteral("gh"));
    const Integer radio = FControlLook->RadioSize();
    for (Integer i = 1; i <= Count; ++i) {
        QString text;
        const bool hasText = Items != nullptr && i - 1 < Items->Count();
        if (hasText) {
            text = Items->Strings(i - 1);
            if (Selected && ShowSelection())
                C->Font()->SetColor(FSelectionTextColor);
        }
        const bool on = (Index == -1 && text == cellText && hasText) || i == Index + 1;
        if (Style == csClassic || Style == csFlat) {
            const Integer rs = Style == csFlat ? radio + 2 : radio;
            const Integer side = Integer(std::lround(Scale * rs));
            Integer left, top;
            if (Horizontal) {
                left = R.Left + 2 + (i - 1) * radio + extra;
                top = R.Top + (R.Height() - radio) / 2;
                if (hasText) {
                    C->TextOut(left + Integer(std::lround(Scale * radio)), top - 2, text);
                    extra += C->TextWidth(text);
                }
            } else if (hasText) {
                left = R.Left + 2;
                top = R.Top + (i - 1) * lineHeight * step + 2;
                C->TextOut(left + Integer(std::lround(Scale * (radio + 4))), top - 2, text);
            } else {
                left = R.Left + (R.Width() - side) / 2;
                top = R.Top + (i - 1) * lineHeight * step + 2;
            }
            TRect box(left, top, left + side, top + side);
            Cardinal flags = DFCS_BUTTONRADIO;
            if (Style == csFlat)
                flags |= DFCS_FLAT;
            if (Disabled)
                flags |= DFCS_INACTIVE;
            if (on)
                flags |= DFCS_CHECKED;
            DrawFrameControl(C, box, DFC_BUTTON, flags);
            continue;
        }
        const Integer lh = std::max(16, lineHeight);
        Integer left, top;
        if (Horizontal) {
            left = R.Left + extra + i * 16 - 14;
            top = R.Top + (R.Height() - 16) / 2;
        } else {
            left = hasText ? R.Left + 2 : R.Left + (R.Width() - 16) / 2;
            top = R.Top + (i - 1) * lh * step + 2;
        }
        const bool bitmapStyle = Style == csWinXP || Style == csKavro || Style == csGlyph;
        if (hasText) {
            const TPoint at = bitmapStyle ? (Horizontal ? TPoint(left + 16, top + 1) : TPoint(R.Left + 18, top + 1))
                                          : (Horizontal ? TPoint(left + 16, top - 2) : TPoint(R.Left + 20, top - 2));
            C->TextOut(at.X, at.Y, text);
            if (Horizontal)
                extra += C->TextWidth(text);
        }
        switch (Style) {
        case csBorland: {
            C->Brush()->SetColor(clBtnFace);
            C->Pen()->SetColor(clBtnFace);
            C->Polygon({TPoint(left + 2, top + 8), TPoint(left + 8, top + 2), TPoint(left + 14, top + 8),
                        TPoint(left + 8, top + 14)});
            C->Pen()->SetColor(on ? clGray : clWhite);
            C->Polyline({TPoint(left + 2, top + 8), TPoint(left + 8, top + 2), TPoint(left + 14, top + 8)});
            C->Pen()->SetColor(on ? clWhite : clGray);
            C->Polyline({TPoint(left + 14, top + 8), TPoint(left + 8, top + 14), TPoint(left + 2, top + 8)});
            if (on) {
                C->Brush()->SetColor(FControlLook->Color());
                C->Pen()->SetColor(FControlLook->Color());
                C->Polygon({TPoint(left + 6, top + 8), TPoint(left + 8, top + 6), TPoint(left + 10, top + 8),
                            TPoint(left + 8, top + 10)});
            }
            break;
        }
        case csTheme: {
            const Integer state = on ? (Disabled ? RBS_CHECKEDNORMAL + 3 : RBS_CHECKEDNORMAL)
                                     : (Disabled ? RBS_UNCHECKEDNORMAL + 3 : RBS_UNCHECKEDNORMAL);
            DrawThemed(C, Handle(), "button", BP_RADIOBUTTON, state, {left, top, left + 16, top + 16});
            break;
        }
        case csWinXP:
            DrawGridGlyph(C, on ? (Disabled ? QStringLiteral("ESGRAD07") : QStringLiteral("ESGRAD05"))
                                : (Disabled ? QStringLiteral("ESGRAD08") : QStringLiteral("ESGRAD06")),
                          left, top);
            break;
        case csKavro:
            DrawGridGlyph(C, on ? (Disabled ? QStringLiteral("ESGRAD03") : QStringLiteral("ESGRAD01"))
                                : (Disabled ? QStringLiteral("ESGRAD04") : QStringLiteral("ESGRAD02")),
                          left, top);
            break;
        case csGlyph: {
            TBitmap* glyph = on ? FControlLook->RadioOnGlyph() : FControlLook->RadioOffGlyph();
            if (!glyph->Empty()) {
                glyph->SetTransparent(true);
                C->Draw(left, top, glyph);
            }
            break;
        }
        default:
            break;
        }
    }
}
