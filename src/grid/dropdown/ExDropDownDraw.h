#pragma once
// Drawing routines of the dropdown editors: the banded gradient of popups,
// bars and buttons (also used by the string grid), colour blending and
// darkening, button and item backgrounds, text measuring and fitting, and
// the mini-HTML captions of list items. None of them raises.

#include <QString>

#include "platform/DrawText.h"
#include "platform/Messages.h"
#include "platform/Types.h"

class TCanvas;
class TCustomImageList;

// Preset families of the colours a selected list item is painted with.
enum TSelectionColorStyle { scCustom, scOffice2007, scWindowsVista, scWindows7 };

// Steps bands from FromColor toward ToColor (the last band stops one step
// short of it), left to right when Horizontal, else top to bottom.
void DrawDropDownGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, Integer Steps, TRect Rect,
                          bool Horizontal);
// Percent of Color1 and the rest of Color2; 100 or more gives Color1, 0 or
// less Color2, both unchanged.
TColor BlendColor(TColor Color1, TColor Color2, Integer Percent);
// Each non-zero channel scaled by min(100, 100 + percent) %; a zero channel
// becomes max(0, percent).
TColor AdjustColor(TColor Color, Integer RedPercent, Integer GreenPercent, Integer BluePercent);
// A gradient (ColorTo set) or plain fill, then a frame of BorderWidth.
void DrawRectBackground(TCanvas* Canvas, TRect Rect, TColor Color, TColor ColorTo, TColor BorderColor,
                        Integer BorderWidth, TGradientDirection Direction);
// An image at the left (centred vertically) and a one-line text after it,
// or the text centred when there is no image.
void DrawImageAndText(TCanvas* Canvas, TRect Rect, const QString& Text, TCustomImageList* Images, Integer ImageIndex);
// The size of Text on one line in the canvas font; (0, 0) when empty.
TSize GetTextSize(TCanvas* Canvas, const QString& Text);
// Text cut from the end (with "..." when AddEllipsis) until it is narrower
// than MaxWidth; Text itself when it fits or nothing fits.
QString FitText(TCanvas* Canvas, const QString& Text, Integer MaxWidth, bool AddEllipsis);
// Measures (Paint false) or paints a mini-HTML caption in Rect with an end
// ellipsis; Size receives its width and height ((0, 0) for no caption).
void DrawItemCaption(TCanvas* Canvas, const QString& Caption, TRect Rect, TCustomImageList* Images, bool Paint,
                     HWND WindowHandle, TSize& Size);
