#pragma once
// Drawing routines of the platform on a TCanvas: formatted text (DrawText and
// its DT_ flags), 3D edges, frame controls (check boxes, radio buttons, push
// buttons, scroll arrows), the dotted focus rectangle and gradient fills.

#include "Types.h"

class QString;
class TCanvas;

// ---- DrawText flags
constexpr Cardinal DT_TOP = 0x0;
constexpr Cardinal DT_LEFT = 0x0;
constexpr Cardinal DT_CENTER = 0x1;
constexpr Cardinal DT_RIGHT = 0x2;
constexpr Cardinal DT_VCENTER = 0x4;   // single-line text only
constexpr Cardinal DT_BOTTOM = 0x8;    // single-line text only
constexpr Cardinal DT_WORDBREAK = 0x10;
constexpr Cardinal DT_SINGLELINE = 0x20;
constexpr Cardinal DT_EXPANDTABS = 0x40;
constexpr Cardinal DT_NOCLIP = 0x100;
constexpr Cardinal DT_EXTERNALLEADING = 0x200;
constexpr Cardinal DT_CALCRECT = 0x400;
constexpr Cardinal DT_NOPREFIX = 0x800;
constexpr Cardinal DT_EDITCONTROL = 0x2000;
constexpr Cardinal DT_END_ELLIPSIS = 0x8000;
constexpr Cardinal DT_RTLREADING = 0x20000;
constexpr Cardinal DT_HIDEPREFIX = 0x100000;

// Lays out Text in Rect with the canvas's font and draws it in the font
// colour (the text cells filled with the brush colour when the canvas's
// background mode is OPAQUE). Unless DT_NOPREFIX, "&x" underlines x and "&&"
// stands for "&". With DT_CALCRECT nothing is drawn and Rect's right and
// bottom move to bound the text. Returns the text height; with DT_VCENTER or
// DT_BOTTOM the distance from Rect.Top to the bottom of the text.
Integer DrawText(TCanvas* Canvas, const QString& Text, TRect& Rect, Cardinal Flags);

// ---- DrawEdge
constexpr Cardinal BDR_RAISEDOUTER = 0x1;
constexpr Cardinal BDR_SUNKENOUTER = 0x2;
constexpr Cardinal BDR_RAISEDINNER = 0x4;
constexpr Cardinal BDR_SUNKENINNER = 0x8;
constexpr Cardinal BDR_OUTER = 0x3;
constexpr Cardinal BDR_INNER = 0xC;
constexpr Cardinal EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
constexpr Cardinal EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr Cardinal EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
constexpr Cardinal EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;

constexpr Cardinal BF_LEFT = 0x1;
constexpr Cardinal BF_TOP = 0x2;
constexpr Cardinal BF_RIGHT = 0x4;
constexpr Cardinal BF_BOTTOM = 0x8;
constexpr Cardinal BF_TOPLEFT = BF_TOP | BF_LEFT;
constexpr Cardinal BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT;
constexpr Cardinal BF_RECT = 0xF;
constexpr Cardinal BF_MIDDLE = 0x800;
constexpr Cardinal BF_SOFT = 0x1000;
constexpr Cardinal BF_ADJUST = 0x2000;
constexpr Cardinal BF_FLAT = 0x4000;
constexpr Cardinal BF_MONO = 0x8000;

// Draws up to two one-pixel rings (outer, inner) on the sides named by
// Flags: raised rings are light at top-left and dark at bottom-right, sunken
// ones the other way. BF_MIDDLE fills the inside; BF_ADJUST moves Rect in by
// the drawn border.
void DrawEdge(TCanvas* Canvas, TRect& Rect, Cardinal Edge, Cardinal Flags);

// ---- DrawFrameControl
constexpr Cardinal DFC_SCROLL = 3;
constexpr Cardinal DFC_BUTTON = 4;

constexpr Cardinal DFCS_BUTTONCHECK = 0x0;
constexpr Cardinal DFCS_BUTTONRADIO = 0x4;
constexpr Cardinal DFCS_BUTTON3STATE = 0x8;
constexpr Cardinal DFCS_BUTTONPUSH = 0x10;
constexpr Cardinal DFCS_SCROLLUP = 0x0;
constexpr Cardinal DFCS_SCROLLDOWN = 0x1;
constexpr Cardinal DFCS_SCROLLLEFT = 0x2;
constexpr Cardinal DFCS_SCROLLRIGHT = 0x3;
constexpr Cardinal DFCS_SCROLLCOMBOBOX = 0x5;
constexpr Cardinal DFCS_INACTIVE = 0x100;
constexpr Cardinal DFCS_PUSHED = 0x200;
constexpr Cardinal DFCS_CHECKED = 0x400;
constexpr Cardinal DFCS_HOT = 0x1000;
constexpr Cardinal DFCS_ADJUSTRECT = 0x2000;
constexpr Cardinal DFCS_FLAT = 0x4000;
constexpr Cardinal DFCS_MONO = 0x8000;

// Draws a standard control in Rect: a check box (DFCS_BUTTON3STATE with
// DFCS_CHECKED is the grey, indeterminate mark), a radio button, a push
// button, or a scroll or combo-box arrow button, in the states named by the
// flags. DFCS_ADJUSTRECT moves Rect in by the frame. False for a kind it
// does not know (nothing is drawn).
bool DrawFrameControl(TCanvas* Canvas, TRect& Rect, Cardinal Type, Cardinal State);

// The dotted focus frame: every other pixel of Rect's border inverted, so
// that drawing it twice removes it.
void DrawFocusRect(TCanvas* Canvas, const TRect& Rect);

// ---- gradients
enum TGradientDirection { gdHorizontal, gdVertical };

// Fills Rect with a smooth two-colour gradient: gdHorizontal runs from Start
// at the left edge to Finish at the right edge, gdVertical from top to bottom.
void GradientFillCanvas(TCanvas* Canvas, TColor Start, TColor Finish, const TRect& Rect, TGradientDirection Direction);
