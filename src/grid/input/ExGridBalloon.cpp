// TExStringGrid: balloon tips. The tip window exists while Balloon.Enable
// is on; each time it is about to show it asks the grid for the text of
// the cell under the mouse. A refused entry shows its warning balloon on
// the editor.

#include "grid/ExGrid.h"

#include "grid/EsgHTMLE.h"
#include "grid/ExGridEditors.h"
#include "platform/BalloonTip.h"
#include "platform/InplaceEdit.h"

namespace {

constexpr Integer MaxBalloonText = 2048;
constexpr Integer MaxBalloonTitle = 100;

} // namespace

void TExStringGrid::BalloonInit()
{
    // The tip covers the grid's window, so it waits for one (CreateWnd
    // calls again).
    if (FBalloonSettings->Init || !HandleAllocated())
        return;
    FBalloonSettings->Init = true;
    FBalloonTip = std::make_unique<TBalloonTip>(this);
    FBalloonTip->SetTitle(3, QStringLiteral("ToolTipText"));
    FBalloonTip->OnNeedText = [this](TPoint P, QString& Title, QString& Text, Integer& Icon) {
        BalloonText(P, Title, Text, Icon);
    };
    if (FBalloonSettings->InitialDelay != -1)
        FBalloonTip->SetInitialDelay(FBalloonSettings->InitialDelay);
    if (FBalloonSettings->ReshowDelay != -1)
        FBalloonTip->SetReshowDelay(FBalloonSettings->ReshowDelay);
    if (FBalloonSettings->AutoHideDelay != -1)
        FBalloonTip->SetAutoHideDelay(FBalloonSettings->AutoHideDelay);
    if (FBalloonSettings->Transparency > 0)
        FBalloonTip->SetAlpha(Byte(255 - FBalloonSettings->Transparency));
}

void TExStringGrid::BalloonDone()
{
    if (FBalloonSettings->Init)
        FBalloonTip.reset();
    FBalloonSettings->Init = false;
}

void TExStringGrid::BalloonEnableChanged()
{
    if (HasState(csLoading))
        return;
    if (FBalloonSettings->Enable())
        BalloonInit();
    else
        BalloonDone();
}

void TExStringGrid::BalloonText(TPoint ClientPos, QString& Title, QString& Text, Integer& Icon)
{
    Text.clear();
    if (!FBalloonSettings->Enable() || FBalloonTip == nullptr)
        return;
    Integer c = -1, r = -1;
    MouseToCell(ClientPos.X, ClientPos.Y, c, r);
    const bool inside = c >= 0 && r >= 0 && c < ColCount() && r < RowCount();
    Integer real = -1;
    QString text;
    if (inside) {
        const TPoint base = BaseCell(RealColIndex(c), r);
        real = base.X;
        r = base.Y;
        c = RealToDisplCol(real);
        text = GetGridCell(real, r);
        if (EnableHTML() && text.contains(QLatin1Char('<')))
            text = StripHTMLTags(text);
    }
    Integer from = 0;
    while (from < text.size()
           && (text[from] == QLatin1Char('\r') || text[from] == QLatin1Char('\n') || text[from] == QLatin1Char('\t')))
        ++from;
    text = text.mid(from);
    text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    if (text.size() > MaxBalloonText)
        text = text.left(MaxBalloonText - 3) + QStringLiteral("...");
    Icon = 1;
    Title.clear();
    if (inside) {
        TBalloonIcon icon = biInfo;
        if (IsBalloon(real, r, Title, text, icon))
            Icon = Integer(icon);
    }
    if (OnCellBalloon)
        OnCellBalloon(this, real, r, Title, text, Icon);
    FLastBalloonPos = {c, r};
    if (Title.isEmpty())
        Title = QStringLiteral(" ");
    else if (Title.size() > MaxBalloonTitle)
        Title = Title.left(MaxBalloonTitle - 3) + QStringLiteral("...");
    Text = text;
    FBalloonTip->SetMaxTipWidth(300);
    if (FBalloonSettings->TextColor != clNone)
        FBalloonTip->SetTextColor(FBalloonSettings->TextColor);
    if (FBalloonSettings->BackgroundColor != clNone)
        FBalloonTip->SetBackgroundColor(FBalloonSettings->BackgroundColor);
}

TPoint TExStringGrid::HoverBaseCell(Integer ACol, Integer ARow, bool Valid) const
{
    if (!Valid)
        return {ACol, ARow};
    const TPoint b = BaseCell(RealColIndex(ACol), ARow);
    return {RealToDisplCol(b.X), b.Y};
}

void TExStringGrid::PopBalloonOffCell(Integer ACol, Integer ARow, bool Valid)
{
    if (!FBalloonSettings->Enable() || FBalloonTip == nullptr || FLastBalloonPos.X < 0 || FLastBalloonPos.Y < 0)
        return;
    const TPoint b = HoverBaseCell(ACol, ARow, Valid);
    if (b.X != FLastBalloonPos.X || b.Y != FLastBalloonPos.Y) {
        FBalloonTip->Pop();
        FLastBalloonPos = {-1, -1};
    }
}

void TExStringGrid::ShowInvalidEntryBalloon()
{
    if (InvalidEntryText().isEmpty() && InvalidEntryTitle().isEmpty())
        return;
    // The text editor when one is open; else the active editor control.
    TWinControl* target = nullptr;
    if (IsTextEditor(EditControl) && EditorMode())
        target = InplaceEditor();
    else if (EditCombo != nullptr && EditCombo->Visible())
        target = EditCombo;
    else
        target = InplaceEditor();
    if (target == nullptr || !target->Visible())
        return;
    if (FEntryBalloon == nullptr)
        FEntryBalloon = std::make_unique<TBalloonTip>(nullptr);
    const TPoint spot = target->ClientToScreen({8, target->Height() - 2});
    FEntryBalloon->ShowAt(spot, InvalidEntryTitle(), InvalidEntryText(), Integer(InvalidEntryIcon()));
}
