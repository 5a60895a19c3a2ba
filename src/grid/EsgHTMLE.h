#pragma once

// Mini-HTML: the small HTML-like markup that grid cells, hints, footers and
// dropdowns may hold instead of plain text. RenderMiniHTML lays such a text
// out in a rectangle and, in the same run, measures it, draws it and finds
// the anchor or embedded control under a point. The string routines below
// edit mini-HTML texts without drawing them.
//
// Text positions are one-based; tag and attribute names match in any letter
// case, the identifiers of embedded controls exactly.

#include "platform/BiDiMode.h"
#include <QString>

#include "platform/Types.h"

class TCanvas;
class TCustomImageList;
class TBitmap;
class TWinHandle;
class THTMLPictureCache;
class TPictureContainer;


// What a caller asks of one RenderMiniHTML call.
struct TMiniHTMLRequest {
    TCustomImageList* Images = nullptr;      // images of "IDX:" sources
    Integer PointX = -1;                     // point to test; -1 when none
    Integer PointY = -1;
    Integer FocusAnchor = -1;                // zero-based anchor that gets a focus rectangle
    Integer HoverAnchor = -1;                // one-based anchor under the mouse (with HoverOnly)
    Integer ShadowOffset = 1;                // distance of the shadow copy of shadowed text
    bool TestAgain = false;                  // second pass measures and tests instead of drawing
    bool MeasureOnly = false;                // first pass only: nothing is drawn
    bool Printing = false;                   // images and icons stretched by PrintScale
    bool KeepColors = false;                 // markup changes no text colour or background
    bool BlinkOn = false;                    // phase of blinking text
    bool HoverOnly = false;                  // only the hovered anchor is underlined and hover-coloured
    bool WordWrap = false;                   // break lines at blanks; else end in an ellipsis
    bool ButtonDown = false;                 // a mouse button is pressed (pressed buttons)
    double PrintScale = 0.0;
    TColor AnchorColor = RGB(0, 0, 255);
    TColor HoverBackground = clNone;
    TColor HoverTextColor = clNone;
    TColor ShadowColor = RGB(128, 128, 128);
    THTMLPictureCache* PictureCache = nullptr;       // pictures from internet addresses
    TPictureContainer* PictureContainer = nullptr;   // named pictures
    TWinHandle* Window = nullptr;                    // window whose theme draws controls
    TBiDiMode BiDiMode = bdLeftToRight;
};

// What one RenderMiniHTML call reports. AnchorUnderPoint, AnchorTitle and
// HoveredAnchorRect keep what the caller put in unless something is hit;
// ControlID is an input too when TestAgain is set.
struct TMiniHTMLResult {
    QString AnchorUnderPoint;    // reference of the anchor hit, or "ctrl" for a control
    QString PlainText;           // the laid-out text segments without tags
    QString FocusedAnchorRef;    // reference of the anchor with the focus rectangle
    QString AnchorTitle;         // title of the anchor hit
    Integer Width = 0;           // widest line without its trailing blank
    Integer Height = 0;          // sum of the line heights
    Integer AnchorCount = 0;
    Integer HoveredAnchor = -1;  // one-based number of the anchor hit
    TRect HoveredAnchorRect;
    TRect ControlRect;           // rectangle of the control hit; empty when none
    QString ControlID;
    QString ControlValue;
    QString ControlType;         // upper case
};

// Lays Text out in Rect on Canvas (see TMiniHTMLRequest for the modes). The
// canvas's font, pen colour and width and brush are as before on return; its
// background mode is left transparent. True when the point lies on the text
// of an anchor, on an image inside an anchor, or on a control.
bool RenderMiniHTML(TCanvas* Canvas, const QString& Text, const TRect& Rect, const TMiniHTMLRequest& Request,
                    TMiniHTMLResult& Result);

// Colours of the highlight tag, shared by every grid of the program.
void SetMiniHTMLHighlightColors(TColor Background, TColor TextColor);
TColor MiniHTMLHighlightBackground();
TColor MiniHTMLHighlightTextColor();

// ---- tags, colours and pictures

// Attributes of a control tag ("<CONTROL" and what follows it).
struct TControlTagAttrs {
    QString Type;    // upper case
    QString ID;
    QString Value;   // unescaped
    QString Width;
    QString Height;
    QString Prop;    // unescaped
    QString MaxLen;
};
TControlTagAttrs ParseControlTag(const QString& TagText);

// A colour name of the markup ("clred", "clbtnface", ...; lower case) as a
// colour; black for names outside the table.
TColor HTMLColorByName(const QString& LowerName);
// "#" and six hexadecimal digits, red first.
TColor HTMLHexToColor(const QString& Text);

// Draws the file icon of Path (an existing or imagined file, or a whole
// number naming a stock icon) at (X, Y), stretched by Scale when printing;
// nothing is drawn unless Draw. Returns the icon size, 16 or 32 pixels.
TSize DrawSystemIcon(TCanvas* Canvas, Integer X, Integer Y, double Scale, bool Printing, bool Draw, bool Large,
                     const QString& Path);

// Copies Bitmap stretched into Rect of Canvas.
void StretchBitmapToRect(TCanvas* Canvas, const TRect& Rect, TBitmap* Bitmap);

// ---- text routines

// "&", quotes, "<" and ">" as entities; with UseTable also the accented
// letters and signs of the named-character table.
QString EscapeHTML(const QString& Text, bool UseTable);
QString HTMLUnescape(const QString& Text, bool UseTable);
QString SpacesToNbsp(const QString& Text);
// Plain text: "<BR>" and "<HR>" become line breaks, other tags go.
QString StripHTMLTags(const QString& Text);
// The text outside tags.
QString HTMLVisibleText(const QString& Text);
// Position in Markup in front of its N-th visible character.
Integer HTMLVisibleToMarkupPos(const QString& Markup, Integer N);
// Position of Search in Text after its first Offset characters; 0 when none.
Integer PosFromOffset(const QString& Search, const QString& Text, Integer Offset, bool CaseSensitive);
// Replaces the first occurrence of Old (letters a-z in any case); true when found.
bool ReplaceFirstNoCase(const QString& Old, const QString& New, QString& Text);
// Wraps every visible occurrence of Search in "<Tag>" ... "</Tag>".
QString HighlightHTMLText(const QString& Markup, const QString& Search, const QString& Tag, bool CaseSensitive);
QString UnhighlightHTMLText(const QString& Markup, const QString& Tag);

// ---- embedded controls

bool HasHTMLControl(const QString& Text);
// The ID of the next edit-like control after the one with ID (the first
// when ID is empty); empty when there is none.
QString NextHTMLEditControl(const QString& Text, const QString& ID);
// Every radio button's VALUE set to "FALSE".
QString ResetHTMLRadios(const QString& Text);
bool GetHTMLControlValue(const QString& Text, const QString& ID, QString& Value);
QString GetHTMLControlProp(const QString& Text, const QString& ID);
Integer GetHTMLControlMaxLen(const QString& Text, const QString& ID);
// Rewrites the tag of the control with ID with a new VALUE; false (Text
// unchanged) when no control has that ID.
bool SetHTMLControlValue(QString& Text, const QString& ID, const QString& Value);
