#pragma once
// Stateless drawing routines of the tree: rectangle and clipping helpers,
// text shortening and wrapping, alpha blending of 32-bit pixels in four
// modes, and the update rectangles of a moving drag image.

#include <QString>
#include "platform/Types.h"

class TCanvas;
class QImage;
class TBitmap;

enum TBlendMode : Byte { BlendConstant, BlendPerPixel, BlendPerPixelScaled, BlendWithColor };

// R with its corners ordered.
TRect NormalizeRect(const TRect& R);
// Clips the canvas to R (logical coordinates).
void ClipCanvasToRect(TCanvas* Canvas, const TRect& R);
// Measures Text as DrawText lays it out with Flags; R receives the extent.
void CalcTextRect(TCanvas* Canvas, const QString& Text, TRect& R, Cardinal Flags);
// The longest prefix of S that fits Width together with "..."; S itself
// when it fits; empty when not even the ellipsis fits. EllipsisWidth 0:
// measured here.
QString ShortenWithEllipsis(TCanvas* Canvas, const QString& S, Integer Width, Integer EllipsisWidth = 0);
// S broken into lines of at most R's width, joined by line feeds.
QString WrapTextToWidth(TCanvas* Canvas, const QString& S, const TRect& R, bool RightToLeft, Cardinal Flags);
// True on processors with MMX (the blending works without it as well).
bool CpuHasMMX();
// Blends R of Source (nullptr for BlendWithColor) into Destination at
// Target, in place. Both images must be 32 bits a pixel.
void AlphaBlendRect(const QImage* Source, QImage* Destination, const TRect& R, TPoint Target, TBlendMode Mode, Integer ConstantAlpha, Integer Bias);
// A colour as an image list takes it: clNone and clDefault map to the
// list's "none" and "default" values.
LongWord ImageListColor(TColor Color);
// The six update rectangles of a drag image of W x H moved by (DX, DY).
void DragImageRects(Integer W, Integer H, Integer DX, Integer DY, TRect& P1, TRect& P2, TRect& P3, TRect& P4, TRect& P5, TRect& P6);
// Stretches the whole bitmap onto DestRect of the canvas (printing).
void StretchBitmapToCanvas(TCanvas* Canvas, const TRect& DestRect, TBitmap* Bitmap);
