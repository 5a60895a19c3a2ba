#pragma once
// Panels, shapes, images, scroll boxes and track bars.

#include <memory>
#include "platform/Control.h"
#include "platform/StdControls.h"

class TPen;
class TBrush;
class TPicture;

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };
enum TTrackBarOrientation { trHorizontal, trVertical };
enum TTickStyle { tsNone, tsAuto, tsManual };
enum TTickMark { tmBottomRight, tmTopLeft, tmBoth };

class TPanel : public TCustomControl {
public:
    explicit TPanel(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TPanel"); }
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut v) { FBevelOuter = v; Changed(); }
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut v) { FBevelInner = v; Changed(); }
    Integer BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(Integer v) { FBevelWidth = std::max<Integer>(v, 1); Changed(); }
    Integer BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(Integer v) { FBorderWidth = std::max<Integer>(v, 0); Changed(); }
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle v) { FBorderStyle = v; Changed(); }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v) { FAlignment = v; Invalidate(); }
    TVerticalAlignment VerticalAlignment() const { return FVerticalAlignment; }
    void SetVerticalAlignment(TVerticalAlignment v) { FVerticalAlignment = v; Invalidate(); }
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool v) { FShowCaption = v; Invalidate(); }
    bool ParentBackground() const { return FParentBackground; }
    void SetParentBackground(bool v) { FParentBackground = v; Invalidate(); }

protected:
    void Paint() override;
    TRect AlignRect() const override;
    void Changed() override;

private:
    TBevelCut FBevelOuter = bvRaised;
    TBevelCut FBevelInner = bvNone;
    Integer FBevelWidth = 1;
    Integer FBorderWidth = 0;
    TBorderStyle FBorderStyle = bsNone;
    TAlignment FAlignment = taCenter;
    TVerticalAlignment FVerticalAlignment = taVerticalCenter;
    bool FShowCaption = true;
    bool FParentBackground = true;
};

class TShape : public TGraphicControl {
public:
    explicit TShape(TComponent* AOwner);
    ~TShape() override;
    QString ClassName() const override { return QStringLiteral("TShape"); }
    TShapeType Shape() const { return FShape; }
    void SetShape(TShapeType v) { FShape = v; Invalidate(); }
    TPen* Pen() const { return FPen.get(); }
    TBrush* Brush() const { return FBrush.get(); }

protected:
    void Paint() override;

private:
    TShapeType FShape = stRectangle;
    std::unique_ptr<TPen> FPen;
    std::unique_ptr<TBrush> FBrush;
};

class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* AOwner);
    ~TImage() override;
    QString ClassName() const override { return QStringLiteral("TImage"); }
    TPicture* Picture() const { return FPicture.get(); }
    bool Stretch() const { return FStretch; }
    void SetStretch(bool v) { FStretch = v; Invalidate(); }
    bool Center() const { return FCenter; }
    void SetCenter(bool v) { FCenter = v; Invalidate(); }
    bool Proportional() const { return FProportional; }
    void SetProportional(bool v) { FProportional = v; Invalidate(); }
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v) { FTransparent = v; Invalidate(); }
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v) { FAutoSize = v; PictureChanged(); }
    // Where the picture is drawn in the client area.
    TRect DestRect() const;

protected:
    void Paint() override;

private:
    void PictureChanged();
    std::unique_ptr<TPicture> FPicture;
    bool FStretch = false, FCenter = false, FProportional = false, FTransparent = false, FAutoSize = false;
};

class TScrollingWinControl;

// One scroll bar of a scroll box: its range follows the children.
class TControlScrollBar {
public:
    explicit TControlScrollBar(TScrollingWinControl* owner, TScrollBarKind kind);
    Integer Position() const { return FPosition; }
    void SetPosition(Integer v);
    // The extent of the contents (0: the children decide).
    Integer Range() const;
    void SetRange(Integer v);
    Integer Increment() const { return FIncrement; }
    void SetIncrement(Integer v) { FIncrement = std::max<Integer>(v, 1); }
    bool Tracking() const { return FTracking; }
    void SetTracking(bool v) { FTracking = v; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool v);
    // The largest position (range minus the visible part).
    Integer MaxPosition() const;
    bool IsScrollBarVisible() const;

private:
    friend class TScrollingWinControl;
    TScrollingWinControl* FOwner;
    TScrollBarKind FKind;
    Integer FPosition = 0;
    Integer FRange = 0;
    Integer FIncrement = 8;
    bool FTracking = false;
    bool FVisible = true;
};

// A windowed control whose children lie on a surface that scrolls.
class TScrollingWinControl : public TWinControl {
    friend class TControlScrollBar;
public:
    explicit TScrollingWinControl(TComponent* AOwner);
    ~TScrollingWinControl() override;
    QString ClassName() const override { return QStringLiteral("TScrollingWinControl"); }
    TControlScrollBar* VertScrollBar() const { return FVert.get(); }
    TControlScrollBar* HorzScrollBar() const { return FHorz.get(); }
    // The size of the scrolled surface: the children's extent or the ranges.
    TSize ContentSize() const;
    void ScrollInView(TControl* AControl);
    TRect ClientRect() const override;

protected:
    void CreateWindowHandle(const TCreateParams& Params) override;
    void Dispatch(TMessage& Message) override;
    void ChildBoundsChanged(TControl* Child) override;
    void Resize() override;
    void UpdateView() override;
    void ScrollMessage(TMessage& Message, TControlScrollBar* bar);
    // Pushes the surface size and scroll positions to the widget.
    void UpdateScrollArea();

private:
    std::unique_ptr<TControlScrollBar> FVert;
    std::unique_ptr<TControlScrollBar> FHorz;
    bool FUpdating = false;
};

class TScrollBox : public TScrollingWinControl {
public:
    explicit TScrollBox(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TScrollBox"); }
};

class TTrackBar : public TWinControl {
public:
    explicit TTrackBar(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TTrackBar"); }
    Integer Min() const { return FMin; }
    void SetMin(Integer v) { SetRange(v, std::max(v, FMax)); }
    Integer Max() const { return FMax; }
    void SetMax(Integer v) { SetRange(std::min(FMin, v), v); }
    Integer Position() const { return FPosition; }
    void SetPosition(Integer v);
    TTrackBarOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TTrackBarOrientation v);
    Integer Frequency() const { return FFrequency; }
    void SetFrequency(Integer v) { FFrequency = v; UpdateView(); }
    TTickStyle TickStyle() const { return FTickStyle; }
    void SetTickStyle(TTickStyle v) { FTickStyle = v; UpdateView(); }
    TTickMark TickMarks() const { return FTickMarks; }
    void SetTickMarks(TTickMark v) { FTickMarks = v; UpdateView(); }
    Integer LineSize() const { return FLineSize; }
    void SetLineSize(Integer v) { FLineSize = v; UpdateView(); }
    Integer PageSize() const { return FPageSize; }
    void SetPageSize(Integer v) { FPageSize = v; UpdateView(); }
    // The user moved the slider (or code set Position).
    TNotifyEvent OnChange;

protected:
    void CreateWindowHandle(const TCreateParams& Params) override;
    void UpdateView() override;
    virtual void Changed();

private:
    void SetRange(Integer AMin, Integer AMax);
    Integer FMin = 0, FMax = 10, FPosition = 0, FFrequency = 1, FLineSize = 1, FPageSize = 2;
    TTrackBarOrientation FOrientation = trHorizontal;
    TTickStyle FTickStyle = tsAuto;
    TTickMark FTickMarks = tmBottomRight;
    bool FPushing = false;
};
