#pragma once
// State that the mini-HTML line routine and its tag handlers share during
// one RenderMiniHTML call; private to the renderer's sources.

#include <QString>

#include <memory>

#include "EsgHTMLE.h"
#include "platform/Graphics.h"

namespace minihtml {

// Pixel sizes read from the markup (images, controls, indents) are held to
// this, so that no sum of them overflows.
constexpr Integer MaxPixelSize = 32767;
// Font sizes in points are held to this.
constexpr Integer MaxFontSize = 1000;

// A whole integer (leading blanks, optional sign, decimal digits or
// hexadecimal after "$" or "0x"); false when the text is not one.
bool ReadInteger(const QString& s, Integer& value);
// The integer the text starts with; 0 when it starts with none.
Integer LeadingInteger(const QString& s);
Integer ClampSize(Integer v);
// The text between the first two double quotes at or after From; empty
// when there are not two.
QString QuotedValueFrom(const QString& text, qsizetype from);
// Finds Name in UpperText and reads the quoted value after it from Text
// (same positions); false when the name is absent.
bool FindAttribute(const QString& upperText, const QString& text, const QString& name, QString& value);
// "&nbsp;", "&lt;" and "&gt;" (any case) as the characters they stand for.
QString ReplaceEntitiesOfSegment(const QString& segment);

enum TAlignment { taLeftAlign = 0, taRightAlign = 1, taCenterAlign = 2 };

// State of one call.
struct TCallState {
    TCanvas* Canvas = nullptr;
    const TMiniHTMLRequest* Req = nullptr;
    TMiniHTMLResult* Res = nullptr;
    TRect LayoutRect;               // the rectangle the caller passed
    std::unique_ptr<TFont> DefaultFont;

    Cardinal Format = 0;            // DT_ flags of every text draw and measure
    bool RightToLeft = false;       // Format reads right to left
    bool Themed = false;

    bool InAnchor = false;
    QString AnchorRef;
    QString AnchorTitle;
    Integer AnchorCounter = 0;
    Integer ImageCounter = 0;
    Integer HoveredImage = -1;
    Integer ListLevel = 0;
    bool Hidden = false;
    bool Shadow = false;
    bool ErrorMark = false;
    bool ParBackground = false;
    TAlignment Alignment = taLeftAlign;
    Integer Indent = 0;
    bool HoverPending = false;
    TPoint HoverStart;
    TRect FocusRect;

    TColor StartBrushColor = clNone;   // the brush the canvas had when the call began
    TColor AnchorKeptBrush = clNone;   // kept by an anchor with a hover background
    TColor AnchorKeptText = clNone;    // kept by an anchor with a hover text colour
    TColor FontBackground = clNone;    // kept by font and body background tags
    TColor ParColor = clNone;          // kept by paragraph background tags
    TColor HighlightKeptText = clNone; // kept by the highlight tag
    TColor HighlightKeptBrush = clNone;

    Integer ControlWidth = 0;          // also the width of the last image
    Integer ControlLayoutHeight = 0;   // also the height of the last image
    Integer ControlHeight = 25;

    bool Rotated = false;              // a rotation tag is open
    Integer RotationKept = 0;          // font orientation the rotation replaced
};

// State of one line; the two passes of a line share it.
struct TLineState {
    Integer LineHeight = 0;
    Integer Drop = 0;          // extra height below for subscripts
    Integer Rise = 0;          // extra height above for superscripts
    Integer Raise = 0;         // lift of the text set by image alignment
    bool Superscript = false;
    bool Subscript = false;
    Integer RunningWidth = 0;
    QString LineWords;
    Integer TrailingBlankWidth = 0;
    bool LineEnd = false;
    bool LineFull = false;
    bool OneListItem = false;

    // The pass's rectangle (A, B, C, D) and the text rectangle that moves
    // along the line while it is drawn.
    Integer A = 0, B = 0, C = 0, D = 0;
    TRect TextRect;
    bool Measuring = false;
    bool AnchorTextHit = false;
    bool ImageOrControlHit = false;
};

// The handler of the tag at the start of Text (Closing: "</" form; Name:
// its naming character, upper case).
void HandleTag(TCallState& s, TLineState& ln, const QString& text, bool closing, QChar name);

// Anchor tags, kept with the line routine.
void OpenAnchor(TCallState& s, TLineState& ln, const QString& text);
void CloseAnchor(TCallState& s, TLineState& ln);

// Text colour and brush helpers of the canvas.
TColor BrushColorOrNone(const TCanvas* canvas);
void SetBrushColorOrClear(TCanvas* canvas, TColor color);

} // namespace minihtml
