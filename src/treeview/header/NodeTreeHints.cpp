// Hints: the tree's answer to the application's hint request (header
// column hints, per-cell hints and tooltips for clipped cell text), and the
// tree's hint window, which lays out and paints the text itself or lets the
// owner draw it.

#include <QPainter>

#include "platform/Bitmap.h"
#include "platform/DrawText.h"
#include "platform/Form.h"
#include "platform/HintWindow.h"
#include "platform/Timer.h"
#include "platform/WindowPicture.h"
#include "platform/GraphicsQt.h"
#include "treeview/NodeTreesPrivate.h"
#include "treeview/header/NodeTreeHeader.h"
#include "treeview/NodeTreesUtils.h"
#include "treeview/header/NodeTreeHintWindow.h"

namespace {
bool IsNodeTreeHintWindow(THintWindowClass Class)
{
    return Class == &HintWindowClassOf<TNodeTreeHintWindow>;
}

TAlignment Mirror(TAlignment A)
{
    return A == taLeftJustify ? taRightJustify : A == taRightJustify ? taLeftJustify : A;
}

// Ends hint animations at their next step: raised while no hint window
// exists, when one goes and when the animating tree's window goes; cleared
// by a new hint window and whenever one hides.
bool g_hintAnimationAbort = true;
} // namespace

void RaiseHintAnimationAbort()
{
    g_hintAnimationAbort = true;
}

// ---------------------------------------------------------------- the tree's side

THintWindowClass TBaseNodeTree::GetHintWindowClass()
{
    return &HintWindowClassOf<TNodeTreeHintWindow>;
}

THintAnimationType TBaseNodeTree::GetEffectiveHintAnimation()
{
    THintAnimationType result = FHintAnimation;
    // The system default follows the desktop's tool-tip effects.
    if (result == hatSystemDefault) {
        if (!SystemParametersInfo(SPI_GETTOOLTIPANIMATION))
            result = hatNone;
        else
            result = SystemParametersInfo(SPI_GETTOOLTIPFADE) ? hatFade : hatSlide;
    }
    if (result == hatFade && !CpuHasMMX())
        result = hatSlide;
    return result;
}

QString TBaseNodeTree::DoGetNodeHint(PDataNode, TColumnIndex, TNtTooltipLineBreakStyle& LineBreakStyle)
{
    LineBreakStyle = hlbDefault;
    return Hint();
}

QString TBaseNodeTree::DoGetNodeTooltip(PDataNode, TColumnIndex, TNtTooltipLineBreakStyle& LineBreakStyle)
{
    LineBreakStyle = hlbDefault;
    return Hint();
}

QString TCustomNodeStringTree::DoGetNodeHint(PDataNode Node, TColumnIndex Column, TNtTooltipLineBreakStyle& LineBreakStyle)
{
    QString result = TBaseNodeTree::DoGetNodeHint(Node, Column, LineBreakStyle);
    if (OnGetHint)
        OnGetHint(this, Node, Column, LineBreakStyle, result);
    return result;
}

QString TCustomNodeStringTree::DoGetNodeTooltip(PDataNode Node, TColumnIndex Column, TNtTooltipLineBreakStyle& LineBreakStyle)
{
    QString result = TBaseNodeTree::DoGetNodeTooltip(Node, Column, LineBreakStyle);
    if (OnGetHint)
        OnGetHint(this, Node, Column, LineBreakStyle, result);
    else
        result = GetText(Node, Column);
    return result;
}

void TBaseNodeTree::DoGetHintKind(PDataNode Node, TColumnIndex Column, TNtHintKind& Kind)
{
    Kind = vhkText;
    if (OnGetHintKind)
        OnGetHintKind(this, Node, Column, Kind);
}

void TBaseNodeTree::DoGetHintSize(PDataNode Node, TColumnIndex Column, TRect& R)
{
    if (OnGetHintSize)
        OnGetHintSize(this, Node, Column, R);
}

void TBaseNodeTree::DoDrawHint(TCanvas* HintCanvas, PDataNode Node, TRect R, TColumnIndex Column)
{
    if (OnDrawHint)
        OnDrawHint(this, HintCanvas, Node, R, Column);
}

void TBaseNodeTree::CMHintShowPause(TMessage& Message)
{
    auto* pause = reinterpret_cast<Integer*>(Message.LParam);
    if (pause == nullptr)
        return;
    const TPoint p = ScreenToClient(GetCursorPos());
    if (FHintMode == hmTooltip || (g_hintAnimationAbort && FHeader->UseColumns() && (FHeader->Options() & hoShowHint) && FHeader->InHeader(p)))
        *pause = 0;
}

void TBaseNodeTree::CMHintShow(TMessage& Message)
{
    auto* info = reinterpret_cast<THintInfo*>(Message.LParam);
    Message.Result = 1;
    if (info == nullptr)
        return;
    if (!FHintData)
        FHintData = std::make_unique<TNtHintData>();
    const TPoint cursor = info->CursorPos;
    if (!FLastHintRect.IsEmpty() && PtInRect(FLastHintRect, cursor))
        return;
    THitInfo hit;
    GetHitTestInfoAt(cursor.X, cursor.Y, true, hit);
    bool allowed;
    if (HasTreeState(tsEditing))
        allowed = hit.HitNode != FFocusedNode;
    else {
        TCustomForm* form = GetParentForm();
        allowed = Focused() || form == nullptr || Screen == nullptr || Screen->ActiveForm() == nullptr || Screen->ActiveForm() == form;
    }
    bool show = false;
    if (ShowHint() && !IsMouseSelecting() && !HasTreeState(tsScrolling) && FHeader->States() == 0 && allowed) {
        Message.Result = 0;
        TNodeTreeColumns* columns = FHeader->Columns();
        const bool ownWindow = IsNodeTreeHintWindow(GetHintWindowClass());
        info->HintStr = ownWindow ? QStringLiteral(" ") : Hint().section(u'|', 0, 0);
        if (FHeader->UseColumns() && (FHeader->Options() & hoShowHint) && FHeader->InHeader(cursor)) {
            // A column's hint, shown below the strip.
            Integer left = 0, right = 0;
            const TColumnIndex column = columns->GetColumnAtX(cursor.X, left, true, right);
            info->CursorRect = TRect(left, -FHeader->Height(), right, 0);
            hit.HitColumn = column;
            hit.HitNode = nullptr;
            info->HintPos.Y = std::max(info->HintPos.Y, ClientToScreen(TPoint(0, 0)).Y);
            if (column < 0 || GetKeyState(VK_LBUTTON) < 0) {
                Message.Result = 1;
            } else {
                FHintData->DefaultHint = columns->Items(column)->Hint();
                show = !FHintData->DefaultHint.isEmpty();
                if (!show)
                    Message.Result = 1;
                else if (!ownWindow)
                    info->HintStr = FHintData->DefaultHint;
            }
        } else if (FHintMode != hmDefault) {
            if (hit.HitNode && hit.HitColumn >= NoColumn) {
                TNtHintKind kind = vhkText;
                DoGetHintKind(hit.HitNode, hit.HitColumn, kind);
                FHintData->HintRect = TRect();
                if (kind == vhkOwnerDraw) {
                    DoGetHintSize(hit.HitNode, hit.HitColumn, FHintData->HintRect);
                    show = !FHintData->HintRect.IsEmpty();
                } else {
                    show = true;
                }
                Integer left = 0, right = ClientWidth();
                if (show) {
                    if (hit.HitColumn >= 0 && columns->IsValidColumn(hit.HitColumn)) {
                        columns->GetColumnBounds(hit.HitColumn, left, right);
                        if (FOptions->FAutoOptions & toAutoSpanColumns)
                            for (TColumnIndex next = columns->GetNextVisibleColumn(hit.HitColumn);
                                 next >= 0 && DoGetCellIsEmpty(hit.HitNode, next); next = columns->GetNextVisibleColumn(next)) {
                                Integer l = 0;
                                columns->GetColumnBounds(next, l, right);
                            }
                    }
                    FHintData->DefaultHint.clear();
                }
                if (FHintMode == hmTooltip) {
                    TRect r;
                    if (show && !(hit.HitNode->States & vsMultiline)) {
                        r = GetDisplayRect(hit.HitNode, hit.HitColumn, true, true, true);
                        const bool inside = PtInRect(TRect(r.Left, r.Top, r.Right + 1, r.Bottom), cursor) && left <= cursor.X && cursor.X <= right;
                        const bool clipped = std::min(right - 1, ClientWidth()) < r.Right || r.Left < std::max(left, 0) ||
                                             ClientHeight() < r.Bottom || r.Top < 0;
                        show = inside && clipped;
                    } else if (show) {
                        show = (hit.HitPositions & hiOnItemLabel) != 0;
                        r = GetDisplayRect(hit.HitNode, hit.HitColumn, true);
                    }
                    if (show) {
                        info->HintPos = ClientToScreen(r.TopLeft());
                        info->CursorRect = r;
                    } else {
                        Message.Result = 1;
                    }
                } else if (show) {
                    TRect r = GetDisplayRect(hit.HitNode, hit.HitColumn, false);
                    r.Left = left;
                    r.Right = right;
                    info->CursorRect = r;
                    info->HintPos.Y = std::max(ClientToScreen(TPoint(0, r.Bottom)).Y, info->HintPos.Y) + 2;
                }
                if (!show)
                    Message.Result = 1;
                else if (!ownWindow)
                    info->HintStr = FHintMode == hmTooltip ? DoGetNodeTooltip(hit.HitNode, hit.HitColumn, FHintData->LineBreakStyle)
                                                           : DoGetNodeHint(hit.HitNode, hit.HitColumn, FHintData->LineBreakStyle);
            } else if (FHintMode == hmHintAndDefault) {
                FHintData->DefaultHint = Hint().section(u'|', 0, 0);
                show = !FHintData->DefaultHint.isEmpty();
                if (!show)
                    Message.Result = 1;
                else
                    info->CursorRect = ClientRect();
            } else {
                Message.Result = 1;
            }
        } else {
            info->HintStr = Hint().section(u'|', 0, 0);
        }
    }
    if (!show || Message.Result != 0) {
        FLastHintRect = TRect();
    } else {
        info->HintWindowClass = GetHintWindowClass();
        FHintData->Tree = this;
        FHintData->Column = hit.HitColumn;
        FHintData->Node = hit.HitNode;
        FLastHintRect = info->CursorRect;
        info->HintData = FHintData.get();
    }
    if (Message.Result != 0)
        DoStateChange(0, tsHint);
    else
        DoStateChange(tsHint);
}

// ---------------------------------------------------------------- the hint window

TNodeTreeHintWindow::TNodeTreeHintWindow(TComponent* AOwner)
    : THintWindow(AOwner), FAnimationTimer(std::make_unique<TTimer>(nullptr))
{
    FAnimationTimer->SetEnabled(false);
    FAnimationTimer->OnTimer = [this](TObject*) { AnimationTimer(); };
    SetDoubleBuffered(false);
    g_hintAnimationAbort = false;
}

TNodeTreeHintWindow::~TNodeTreeHintWindow()
{
    FAnimationTimer->OnTimer = nullptr;
    EndAnimation();
    WatchTree(nullptr);
    g_hintAnimationAbort = true;
}

void TNodeTreeHintWindow::WatchTree(TBaseNodeTree* Tree)
{
    if (FWatchedTree == Tree)
        return;
    if (FWatchedTree)
        FWatchedTree->RemoveFreeNotification(this);
    FWatchedTree = Tree;
    if (Tree)
        Tree->FreeNotification(this);
}

void TNodeTreeHintWindow::Notification(TComponent* AComponent, TOperation Operation)
{
    THintWindow::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent != nullptr && AComponent == FWatchedTree) {
        // The tree goes: nothing of it may be touched any more.
        FAnimationTimer->SetEnabled(false);
        FAnimatedTree = nullptr;
        FWatchedTree = nullptr;
        FHintData = TNtHintData();
        FTarget = QImage();
    }
}

TRect TNodeTreeHintWindow::CalcHintRect(Integer MaxWidth, const QString& AHint, void* AData)
{
    if (AData == nullptr)
        return THintWindow::CalcHintRect(MaxWidth, AHint, AData);
    FHintData = *static_cast<TNtHintData*>(AData);
    TBaseNodeTree* tree = FHintData.Tree;
    if (tree == nullptr)
        return TRect();
    if (FHintData.Node && !FHintData.HintRect.IsEmpty())
        return FHintData.HintRect;
    TNodeTreeColumns* columns = tree->Header()->Columns();
    if (FHintData.Column < 0 || !columns->IsValidColumn(FHintData.Column)) {
        FHintData.BidiMode = tree->BiDiMode();
        FHintData.Alignment = tree->Alignment();
    } else {
        FHintData.BidiMode = columns->Items(FHintData.Column)->BiDiMode();
        FHintData.Alignment = columns->Items(FHintData.Column)->Alignment();
    }
    if (FHintData.BidiMode != bdLeftToRight)
        FHintData.Alignment = Mirror(FHintData.Alignment);
    TCanvas* canvas = Canvas();
    const bool tooltip = FHintData.Node && tree->HintMode() == hmTooltip;
    if (tooltip) {
        canvas->SetFont(tree->Font());
        if (auto* stringTree = dynamic_cast<TCustomNodeStringTree*>(tree))
            stringTree->DoPaintText(FHintData.Node, canvas, FHintData.Column, ttNormal);
        Font()->Assign(canvas->Font());
    } else {
        Font()->SetColor(clInfoText);
        canvas->SetFont(Font());
    }
    FTextHeight = canvas->TextHeight(QStringLiteral("Wg"));
    FHintData.LineBreakStyle = hlbDefault;
    if (!FHintData.DefaultHint.isEmpty())
        FHintData.HintText = FHintData.DefaultHint;
    else if (tree->HintMode() == hmTooltip)
        FHintData.HintText = tree->DoGetNodeTooltip(FHintData.Node, FHintData.Column, FHintData.LineBreakStyle);
    else
        FHintData.HintText = tree->DoGetNodeHint(FHintData.Node, FHintData.Column, FHintData.LineBreakStyle);
    if (FHintData.HintText.isEmpty())
        return TRect();
    if (!tooltip) {
        TRect r(0, 0, MaxWidth, FTextHeight);
        DrawText(canvas, FHintData.HintText, r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        r.Bottom += 6;
        r.Right += tree->TextMargin() + FTextHeight;
        return r;
    }
    if (FHintData.LineBreakStyle == hlbDefault)
        FHintData.LineBreakStyle = (FHintData.Node->States & vsMultiline) ? hlbForceMultiLine : hlbForceSingleLine;
    TRect r;
    if (FHintData.LineBreakStyle == hlbForceMultiLine) {
        r = tree->GetDisplayRect(FHintData.Node, FHintData.Column, true);
        TRect t = r;
        DrawText(canvas, FHintData.HintText, t, DT_CALCRECT | DT_WORDBREAK);
        if (FHintData.BidiMode != bdLeftToRight)
            r.Left = t.Left - tree->TextMargin() + 1;
        else
            r.Right = t.Right + tree->TextMargin();
        r.Bottom = t.Bottom;
        r.Right += 1;
        if (tree->Header()->UseColumns() && columns->IsValidColumn(FHintData.Column) &&
            Integer(tree->NodeHeight(FHintData.Node)) + 2 >= r.Height() && columns->Items(FHintData.Column)->Width() + 2 >= r.Width() &&
            r.Left >= 0 && r.Top >= 0 && r.Right <= tree->ClientWidth() + 3 && r.Bottom <= tree->ClientHeight() + 3)
            return TRect();
    } else {
        r = tree->LastHintRect();
        if (tree->TreeOptions()->PaintOptions() & toShowHorzGridLines)
            --r.Bottom;
    }
    InflateRect(r, 1, 1);
    OffsetRect(r, -1 - r.Left, -1 - r.Top);
    return r;
}

void TNodeTreeHintWindow::ActivateHintData(const TRect& Rect, const QString& AHint, void* AData)
{
    TBaseNodeTree* tree = FHintData.Tree;
    if (Rect.IsEmpty() || tree == nullptr) {
        if (Application)
            Application->CancelHint();
        return;
    }
    // A newer hint ends the animation of the one before.
    EndAnimation();
    tree->DoStateChange(0, tsInAnimation);
    TRect r = Rect;
    if (Screen) {
        const TRect desktop = Screen->WorkAreaRect();
        if (r.Bottom > desktop.Bottom)
            OffsetRect(r, 0, desktop.Bottom - r.Bottom);
        if (r.Right > desktop.Right)
            OffsetRect(r, desktop.Right - r.Right, 0);
        if (r.Top < desktop.Top)
            OffsetRect(r, 0, desktop.Top - r.Top);
        if (r.Left < desktop.Left)
            OffsetRect(r, desktop.Left - r.Left, 0);
    }
    // What the screen shows under the window, for the animation to start from.
    tree->Update();
    FBackground = ScreenPicture(r).convertToFormat(QImage::Format_RGB32);
    if (FBackground.size() != QSize(r.Width(), r.Height())) {
        FBackground = QImage(std::max<Integer>(r.Width(), 1), std::max<Integer>(r.Height(), 1), QImage::Format_RGB32);
        FBackground.fill(ToQColor(tree->Color()));
    }
    WatchTree(tree);
    THintWindow::ActivateHintData(r, AHint, AData);
    FAnimation = tree->GetEffectiveHintAnimation();
    const bool fade = FAnimation == hatFade;
    const Cardinal steps = fade ? 255u : Cardinal(std::max<Integer>(Height(), 0));
    const Cardinal duration = fade ? 2 * tree->AnimationDuration() : tree->AnimationDuration();
    // Without time or rows to animate the hint simply shows.
    if ((FAnimation != hatFade && FAnimation != hatSlide) || steps == 0 || duration == 0 || tree->HasTreeState(tsInAnimation))
        return;
    tree->DoStateChange(tsInAnimation);
    FAnimatedTree = tree;
    FPace = TNtAnimationPace(steps, duration);
    if (!HintAnimationStep(FPace.Step, FPace.StepSize)) {
        EndAnimation();
        return;
    }
    FStepClock.start();
    FAnimationTimer->SetInterval(Cardinal(std::max<Integer>(FPace.Interval(), 1)));
    FAnimationTimer->SetEnabled(true);
}

bool TNodeTreeHintWindow::Animating() const
{
    return FAnimationTimer->Enabled();
}

void TNodeTreeHintWindow::AnimationTimer()
{
    if (!Animating())
        return;
    FPace.StepTook(Integer(FStepClock.restart()));
    const bool terminating = Application != nullptr && Application->Terminated();
    if (FPace.Running() && !terminating && HintAnimationStep(FPace.Step, FPace.StepSize)) {
        FAnimationTimer->SetInterval(Cardinal(std::max<Integer>(FPace.Interval(), 1)));
        return;
    }
    if (!terminating)
        HintAnimationStep(0, 0);
    EndAnimation();
}

bool TNodeTreeHintWindow::HintAnimationStep(Integer Step, Integer StepSize)
{
    TBaseNodeTree* tree = FHintData.Tree;
    if (g_hintAnimationAbort || !IsShowing() || tree == nullptr || tree->HasTreeState(tsCancelHintAnimation))
        return false;
    PaintHint(Step, StepSize);
    return true;
}

void TNodeTreeHintWindow::EndAnimation()
{
    FAnimationTimer->SetEnabled(false);
    if (FAnimatedTree) {
        FAnimatedTree->DoStateChange(0, tsCancelHintAnimation | tsInAnimation);
        FAnimatedTree = nullptr;
    }
    FTarget = QImage();
    FShownStep = 0;
}

void TNodeTreeHintWindow::PaintHint(Integer Step, Integer StepSize)
{
    const Integer w = std::max<Integer>(Width(), 1), h = std::max<Integer>(Height(), 1);
    if (Step == 0 || FDrawBuffer.size() != QSize(w, h)) {
        TBitmap buffer(w, h);
        buffer.SetPixelFormat(pf32bit);
        DrawHint(buffer.Canvas(), TRect(0, 0, w, h));
        FDrawBuffer = buffer.Image().convertToFormat(QImage::Format_RGB32);
    }
    if (StepSize == 0) {
        // The end of an animation, or a plain paint: the finished hint.
        FTarget = QImage();
    } else {
        FTarget = FBackground.size() == FDrawBuffer.size() ? FBackground.copy() : FDrawBuffer.copy();
        if (FAnimation == hatFade) {
            AlphaBlendRect(&FDrawBuffer, &FTarget, TRect(0, 0, w, h), TPoint(0, 0), BlendConstant, MulDiv(Step, 256, 255), 0);
        } else {
            // The bottom Step rows of the hint at the top, the screen below.
            const Integer rows = std::clamp<Integer>(Step, 0, h);
            QPainter p(&FTarget);
            p.drawImage(QPoint(0, 0), FDrawBuffer, QRect(0, h - rows, w, rows));
        }
    }
    FShownStep = StepSize == 0 ? 0 : Step;
    Repaint();
}

void TNodeTreeHintWindow::ReleaseHandle()
{
    EndAnimation();
    FHintData = TNtHintData();
    WatchTree(nullptr);
    g_hintAnimationAbort = false;
    THintWindow::ReleaseHandle();
}

void TNodeTreeHintWindow::Paint()
{
    if (!FTarget.isNull()) {
        // An animation step: its picture, not the hint.
        TBitmap frame;
        frame.SetImage(FTarget);
        Canvas()->Draw(0, 0, &frame);
        return;
    }
    if (FHintData.Tree == nullptr) {
        THintWindow::Paint();
        return;
    }
    DrawHint(Canvas(), ClientRect());
}

void TNodeTreeHintWindow::DrawHint(TCanvas* canvas, TRect r)
{
    TBaseNodeTree* tree = FHintData.Tree;
    if (tree == nullptr)
        return;
    const bool tooltip = FHintData.Node && tree->HintMode() == hmTooltip;
    TNtHintKind kind = vhkText;
    if (FHintData.Node)
        tree->DoGetHintKind(FHintData.Node, FHintData.Column, kind);
    if (kind == vhkOwnerDraw) {
        tree->DoDrawHint(canvas, FHintData.Node, r, FHintData.Column);
        return;
    }
    canvas->SetFont(Font());
    if (!tooltip)
        canvas->Font()->SetColor(clInfoText);
    canvas->Pen()->SetColor(clBlack);
    canvas->Brush()->SetColor(clInfoBk);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Rectangle(r);
    Integer textTop = 2;
    if (tooltip) {
        const Integer textHeight = canvas->TextHeight(QStringLiteral("Wg"));
        textTop = FHintData.LineBreakStyle == hlbForceMultiLine ? 1 : (r.Height() - textHeight) / 2;
    }
    InflateRect(r, -1, -1);
    r.Top = textTop;
    r.Left += 3;
    canvas->SetBkMode(TRANSPARENT);
    Cardinal format = DT_NOPREFIX;
    if (FHintData.LineBreakStyle == hlbForceMultiLine || !tooltip)
        format |= DT_WORDBREAK;
    DrawText(canvas, FHintData.HintText, r, format);
}
