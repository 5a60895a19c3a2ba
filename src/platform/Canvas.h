#pragma once
// TCanvas: the drawing surface every control, bitmap and printer page paints
// on. It draws through a QPainter owned by someone else (a window while it
// paints, a bitmap's image) with the canvas's Font, Pen and Brush, in the
// platform's pixel rules: rectangles exclude their right and bottom edge,
// lines exclude their end point, text is placed by its top-left corner.
//
// Coordinates: drawing takes logical coordinates; the window origin
// (SetWindowOrg) maps logical to device coordinates (device = logical -
// origin). Clip regions are in device coordinates, as the platform has them.

#include "Graphics.h"

#include <initializer_list>
#include <memory>
#include <span>

class QPainter;
class QImage;
class QRegion;
class QFont;
class QRect;
class TGraphic;
class TBitmap;
class TCanvas;

// A set of pixels in device coordinates, used to clip a canvas.
class TRegion {
public:
    TRegion();
    TRegion(const TRegion& other);
    TRegion& operator=(const TRegion& other);
    ~TRegion();

    static TRegion FromRect(const TRect& r);
    // The ellipse inscribed in r.
    static TRegion FromEllipse(const TRect& r);
    // r with corners rounded by an ellipse of w x h.
    static TRegion FromRoundRect(const TRect& r, Integer w, Integer h);

    bool IsEmpty() const;
    TRect Bounds() const;
    bool Contains(TPoint p) const;
    void Offset(Integer dx, Integer dy);

    friend TRegion operator&(const TRegion& a, const TRegion& b); // both
    friend TRegion operator|(const TRegion& a, const TRegion& b); // either
    friend TRegion operator-(const TRegion& a, const TRegion& b); // a without b
    friend TRegion operator^(const TRegion& a, const TRegion& b); // one of them only
    friend bool operator==(const TRegion& a, const TRegion& b);

    const QRegion& ToQRegion() const;
    static TRegion FromQRegion(const QRegion& r);

private:
    std::unique_ptr<QRegion> r_;
};

// Raster operations of CopyRect and Draw (source S, destination D).
using TCopyMode = Cardinal;
constexpr TCopyMode cmBlackness = 0x00000042;
constexpr TCopyMode cmDstInvert = 0x00550009;  // not D
constexpr TCopyMode cmMergePaint = 0x00BB0226; // not S or D
constexpr TCopyMode cmNotSrcCopy = 0x00330008; // not S
constexpr TCopyMode cmNotSrcErase = 0x001100A6; // not (S or D)
constexpr TCopyMode cmSrcAnd = 0x008800C6;     // S and D
constexpr TCopyMode cmSrcCopy = 0x00CC0020;    // S
constexpr TCopyMode cmSrcErase = 0x00440328;   // S and not D
constexpr TCopyMode cmSrcInvert = 0x00660046;  // S xor D
constexpr TCopyMode cmSrcPaint = 0x00EE0086;   // S or D
constexpr TCopyMode cmWhiteness = 0x00FF0062;
constexpr TCopyMode SRCCOPY = cmSrcCopy;
constexpr TCopyMode SRCAND = cmSrcAnd;
constexpr TCopyMode SRCPAINT = cmSrcPaint;
constexpr TCopyMode SRCINVERT = cmSrcInvert;

// Background mode of text: OPAQUE fills the text cell with the brush colour.
constexpr Integer TRANSPARENT = 1;
constexpr Integer OPAQUE = 2;

// Text output options a canvas carries for its users (TextFlags).
constexpr Integer ETO_OPAQUE = 2;
constexpr Integer ETO_CLIPPED = 4;
constexpr Integer ETO_RTLREADING = 0x80;

enum TFillStyle { fsSurface, fsBorder };

// Mapping modes. MM_TEXT: one unit is a device pixel and y grows downward.
// MM_LOMETRIC: one unit is a tenth of a millimetre at the device's
// resolution and y grows upward (the top of the device is y 0, everything
// below it negative); text and pictures stay upright.
constexpr Integer MM_TEXT = 1;
constexpr Integer MM_LOMETRIC = 2;

class TCanvas : public TPersistent {
public:
    TCanvas();
    ~TCanvas() override;
    QString ClassName() const override { return QStringLiteral("TCanvas"); }

    // ---- the painter
    // Attaches a painter owned by the caller; the canvas draws through it
    // until EndPaint, which must come before the painter ends. The painter's
    // own state (pen, clip, transform) is restored at EndPaint.
    void BeginPaint(QPainter* painter);
    void EndPaint();
    bool HandleAllocated() const;
    QPainter* Painter() const;
    // The image the attached painter draws on, when it draws on one (pixel
    // reads, flood fill and copies from this canvas need it); else null.
    QImage* DeviceImage() const;
    // Runs CreateHandle when no painter is attached; true when one is.
    bool RequireHandle();

    // ---- drawing objects (owned by the canvas; the setters copy)
    TFont* Font() const { return font_.get(); }
    void SetFont(const TFont* value) { font_->Assign(value); }
    TPen* Pen() const { return pen_.get(); }
    void SetPen(const TPen* value) { pen_->Assign(value); }
    TBrush* Brush() const { return brush_.get(); }
    void SetBrush(const TBrush* value) { brush_->Assign(value); }
    TPoint PenPos() const { return penPos_; }
    void SetPenPos(TPoint p) { penPos_ = p; }
    TCopyMode CopyMode() const { return copyMode_; }
    void SetCopyMode(TCopyMode value) { copyMode_ = value; }
    // Extra text output options (ETO_ flags) that painting code reads back.
    Integer TextFlags() const { return textFlags_; }
    void SetTextFlags(Integer value) { textFlags_ = value; }
    // Text background: follows the brush (clear brush: TRANSPARENT) until set
    // here; the next brush change makes it follow the brush again.
    Integer BkMode() const;
    void SetBkMode(Integer mode);

    // ---- shapes
    void MoveTo(Integer X, Integer Y);
    void LineTo(Integer X, Integer Y);
    void Rectangle(Integer X1, Integer Y1, Integer X2, Integer Y2);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void RoundRect(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3);
    void Ellipse(Integer X1, Integer Y1, Integer X2, Integer Y2);
    void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
    void Polygon(std::span<const TPoint> points);
    void Polygon(std::initializer_list<TPoint> points) { Polygon(std::span<const TPoint>(points.begin(), points.size())); }
    void Polyline(std::span<const TPoint> points);
    void Polyline(std::initializer_list<TPoint> points) { Polyline(std::span<const TPoint>(points.begin(), points.size())); }
    // Brush only, no pen, not touched by the pen mode.
    void FillRect(const TRect& r);
    // A one-pixel frame in the brush colour.
    void FrameRect(const TRect& r);
    // Fills the area around (X, Y): fsBorder up to pixels of Color,
    // fsSurface over pixels of Color. Needs a canvas on an image.
    void FloodFill(Integer X, Integer Y, TColor Color, TFillStyle FillStyle);
    TColor Pixels(Integer X, Integer Y);
    void SetPixels(Integer X, Integer Y, TColor Color);

    // ---- text
    void TextOut(Integer X, Integer Y, const QString& Text);
    // Text at (X, Y) clipped to Rect; a non-clear brush fills Rect first.
    void TextRect(const TRect& Rect, Integer X, Integer Y, const QString& Text);
    // Text laid out in Rect by DrawText's DT_ flags; Rect receives the
    // measured size with DT_CALCRECT.
    void TextRect(TRect& Rect, const QString& Text, Cardinal Format);
    TSize TextExtent(const QString& Text) const;
    // The Qt font the canvas draws its Font with (for text layout code).
    const QFont& QtFont() const;
    Integer TextWidth(const QString& Text) const { return TextExtent(Text).cx; }
    Integer TextHeight(const QString& Text) const { return TextExtent(Text).cy; }

    // ---- pictures and copies
    // Draws a graphic at (X, Y) in its own size, or scaled to Rect.
    void Draw(Integer X, Integer Y, TGraphic* Graphic);
    void StretchDraw(const TRect& Rect, TGraphic* Graphic);
    // Copies the Source rectangle of a canvas that draws on an image (this
    // one or another) into Dest, scaled to it and combined by CopyMode.
    void CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source);
    // Copies Source of Bitmap into Dest with its pixels of Color replaced
    // by the brush colour.
    void BrushCopy(const TRect& Dest, TBitmap* Bitmap, const TRect& Source, TColor Color);
    // Draws Source of an image scaled to Dest, combined by CopyMode; pixels
    // with alpha blend over the canvas.
    void StretchImage(const TRect& Dest, const QImage& Image, const TRect& Source);

    // ---- clipping and origin
    // Bounds of the drawable area in logical coordinates: the clip region's,
    // or the whole device when nothing clips.
    TRect ClipRect();
    // Replaces the clip region (device coordinates); null removes clipping.
    void SelectClipRgn(const TRegion* region);
    // The current clip region; false when nothing clips.
    bool GetClipRgn(TRegion& region) const;
    // Narrow the clip region by a rectangle in logical coordinates.
    void IntersectClipRect(const TRect& r);
    void ExcludeClipRect(const TRect& r);
    TPoint WindowOrg() const;
    void SetWindowOrg(TPoint origin);
    TPoint LPtoDP(TPoint p) const;
    TPoint DPtoLP(TPoint p) const;
    // The mapping mode (MM_TEXT or MM_LOMETRIC); kept by SaveDC.
    Integer MapMode() const;
    void SetMapMode(Integer mode);
    // Resolution of the device drawn on, in dots per inch (96 without one).
    Integer DeviceDPIX() const;
    Integer DeviceDPIY() const;
    // The resolution at which the font's Height (screen pixels) is realised
    // in MM_TEXT: a printer's canvas sets its own, so that a 10-point font
    // prints 10 points high. 96 by default.
    Integer FontPixelsPerInch() const;
    void SetFontPixelsPerInch(Integer ppi);
    // For drawing code that lays text or pictures out with its own painter
    // calls: in MM_LOMETRIC, true switches to the upright frame (same unit and
    // origin, y growing downward, so logical y is -y there), false back.
    void SetUpright(bool on);
    // A logical rectangle as the upright frame has it (top above bottom).
    TRect UprightRect(const TRect& r) const;
    TPoint BrushOrg() const;
    void SetBrushOrg(TPoint origin);
    // Saves clip region, origins and background mode; RestoreDC(n) returns
    // to the state saved by the call that gave n (-1: the last one).
    Integer SaveDC();
    void RestoreDC(Integer saved);

    // ---- threads
    // Serialises use of a canvas shared between threads.
    void Lock();
    void Unlock();
    bool TryLock();

    // Forgets the cached painter state so that it is set again.
    void Refresh();

protected:
    // Called when a drawing operation finds no painter attached. A canvas
    // that can make one (a bitmap's, a control's outside a paint) attaches
    // it here with BeginPaint; the default makes none and the operation then
    // draws nothing.
    virtual void CreateHandle();

private:
    struct State;
    bool Ready();
    void ApplyPen();
    void ApplyBrush();
    void ApplyFill();
    void ApplyFont();
    void ApplyClip();
    QRect DeviceRect(const TRect& r) const;
    static TRect NormalizedRect(const TRect& r);
    void StrokeAndFill(int kind, Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3 = 0, Integer Y3 = 0);

    std::unique_ptr<TFont> font_;
    std::unique_ptr<TPen> pen_;
    std::unique_ptr<TBrush> brush_;
    TPoint penPos_;
    TCopyMode copyMode_ = cmSrcCopy;
    Integer textFlags_ = 0;
    std::unique_ptr<State> d_;
};
