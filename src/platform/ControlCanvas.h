#pragma once
// The canvas of a control. During the control's paint it draws on the
// window's painter (over a Qt widget's own face, once that is painted);
// outside a paint ("draw now") it draws into the control's backing image,
// which is shown at the next paint.

#include <memory>
#include "platform/Canvas.h"

class TControl;

class TControlCanvas : public TCanvas {
public:
    explicit TControlCanvas(TControl* control = nullptr) : FControl(control) {}
    ~TControlCanvas() override;
    QString ClassName() const override { return QStringLiteral("TControlCanvas"); }

    TControl* Control() const { return FControl; }
    void SetControl(TControl* control);

    // The control's own paint: draw on painter until StopPaint.
    void StartPaint(QPainter* painter);
    void StopPaint();
    // Lets go of the backing image (before a paint, an invalidation, or the window going).
    void EndDrawNow();

protected:
    void CreateHandle() override;

private:
    TControl* FControl;
    bool FDrawNow = false;
    bool FPainting = false;
    bool FJoined = false;
    // Lets a paint that ends after this canvas is gone know not to call it.
    std::shared_ptr<int> FToken = std::make_shared<int>(0);
};
