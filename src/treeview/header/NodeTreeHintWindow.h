#pragma once
// The tree's hint window: it sizes and paints node and header hints from
// the hint data the tree hands it, or lets the owner draw them, and fades
// or slides them in from a timer.

#include <QElapsedTimer>
#include <QImage>
#include <memory>

#include "platform/HintWindow.h"
#include "treeview/NodeTrees.h"

class TTimer;

// The hint window of node and header hints.
class TNodeTreeHintWindow : public THintWindow {
public:
    explicit TNodeTreeHintWindow(TComponent* AOwner);
    ~TNodeTreeHintWindow() override;
    QString ClassName() const override { return QStringLiteral("TNodeTreeHintWindow"); }
    TRect CalcHintRect(Integer MaxWidth, const QString& AHint, void* AData) override;
    void ActivateHintData(const TRect& Rect, const QString& AHint, void* AData) override;
    void ReleaseHandle() override;
    const TNtHintData& HintData() const { return FHintData; }

    // A fade or slide in progress; the timer runs its steps.
    bool Animating() const;
    // The step the animation showed last (0 before the first and after the end).
    Integer AnimationStep() const { return FShownStep; }
    // Runs the animation's next step now, as its timer does.
    void AnimationTimer();
    // The screen under the window when the hint was activated.
    const QImage& Background() const { return FBackground; }

protected:
    void Paint() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    // Draws the finished hint into FDrawBuffer (Step 0) and presents Step.
    void PaintHint(Integer Step, Integer StepSize);
    void DrawHint(TCanvas* Canvas, TRect R);
    bool HintAnimationStep(Integer Step, Integer StepSize);
    // Stops the timer and gives the tree its animation state back.
    void EndAnimation();
    void WatchTree(TBaseNodeTree* Tree);

    TNtHintData FHintData;
    Integer FTextHeight = 0;
    // The screen under the window, the finished hint, and the picture an
    // animation step shows (shown instead of the hint while not null).
    QImage FBackground;
    QImage FDrawBuffer;
    QImage FTarget;
    THintAnimationType FAnimation = hatNone;
    TNtAnimationPace FPace;
    std::unique_ptr<TTimer> FAnimationTimer;
    QElapsedTimer FStepClock;
    Integer FShownStep = 0;
    // The tree this window holds in animation and is told the end of.
    TBaseNodeTree* FAnimatedTree = nullptr;
    TBaseNodeTree* FWatchedTree = nullptr;
};

// Ends any hint animation at its next step (the animating tree's window goes).
void RaiseHintAnimationAbort();
