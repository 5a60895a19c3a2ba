#pragma once
// THTMLHintWindow: the hint window that renders mini-HTML hint texts and
// wide texts; the grid names it for cell hints that hold either, and uses
// it for its sizing and scroll hints.

#include "platform/HintWindow.h"

class TCanvas;
class TCustomImageList;
struct TMiniHTMLResult;
class TPictureContainer;

class THTMLHintWindow : public THintWindow {
public:
    explicit THTMLHintWindow(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("THTMLHintWindow"); }

    void ActivateHint(const TRect& Rect, const QString& AHint) override;
    // AData may be the grid the hint comes from: its images and pictures
    // serve the hint's IMG tags.
    void ActivateHintData(const TRect& Rect, const QString& AHint, void* AData) override;
    // The bare size of the text (no margins).
    TRect CalcHintRect(Integer MaxWidth, const QString& AHint, void* AData) override;
    Integer TextWidth() const { return FTextWidth; }
    Integer TextHeight() const { return FTextHeight; }

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;

private:
    // Lays the mini-HTML hint out in R: measured only, or painted.
    void RenderHint(TCanvas* Canvas, const QString& AHint, const TRect& R, bool Measure, TMiniHTMLResult& Result);
    // Width and height of the text laid out in R (wide text on one line).
    TPoint MeasureText(const QString& AHint, TRect R);

    TCustomImageList* FImages = nullptr;
    TPictureContainer* FPictureContainer = nullptr;
    Integer FTextHeight = 0;
    Integer FTextWidth = 0;
    QString FWideCaption;
};

// The font face of the grid that last prepared a cell hint; wide hint
// texts are drawn in it.
QString& HintFontName();
