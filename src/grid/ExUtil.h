#pragma once
// Free routines of the grid library on colours, cell texts and cell
// painting: colour mixing and gradients, locale separators and character
// classes, searching, line-break conversions of the text file formats, the
// wide-text encoding and classification of cell texts, number and date
// reading, URLs and the HTML clipboard header, and the painters of cell
// backgrounds, buttons, progress displays, shapes and error marks.

#include <QString>
#include <stdexcept>

#include "ExStyleIF.h"
#include "platform/Messages.h"
#include "platform/Text.h"
#include "platform/Types.h"

class TCanvas;
class TBitmap;
class TFont;
class TStrings;
class TWinControl;

// ===================================================================== colours

// Each RGB component halved.
TColor HalfColor(TColor Color);
// Each component c becomes Round(c + c * Percent / 100), limited to 0..255.
TColor ColorBrighten(TColor Color, Integer Percent);
// Color + (ColorTo - Color) * Pos / (Max - Min) per component; Color itself
// when ColorTo is clNone; Color's RGB when Max equals Min.
TColor InterpolateColor(TColor Color, TColor ColorTo, Integer Min, Integer Max, Integer Pos);
// "RRGGBB" in upper-case hexadecimal.
QString ColorToHTMLHex(TColor Color);
void FillRectColor(TCanvas* Canvas, const TRect& Rect, TColor Color);
// Fills Rect with Steps + 1 bands from FromColor to ToColor (at most one band
// per pixel); Horizontal changes the colour from left to right. With either
// colour clNone the rectangle is filled with the other one.
void DrawGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, Integer Steps, TRect Rect, bool Horizontal);

// ================================================================= cell texts

QChar LocaleTimeSeparator();
QChar LocaleDateSeparator();
QChar LocaleThousandSeparator();
QChar LocaleDecimalSeparator();
QString LocaleShortDateFormat();

bool IsNumericChar(QChar Ch);
bool IsDigitOrMinus(QChar Ch);
bool IsNumberStartChar(QChar Ch);
bool IsNumberBodyChar(QChar Ch);
bool IsExponentFormChar(QChar Ch);
bool IsWordBreakChar(QChar Ch);

Integer Max(Integer A, Integer B);
Integer Min(Integer A, Integer B);
// True when Left <= Col <= Right and Top <= Row <= Bottom.
template <class TGridRect>
bool PointInGridRect(const TGridRect& Rect, Integer Col, Integer Row)
{
    return Col >= Rect.Left && Col <= Rect.Right && Row >= Rect.Top && Row <= Rect.Bottom;
}
Integer LimitAutoSize(Integer Value, Integer MinSize, Integer MaxSize);

// Positions count from 1; 0 means absent.
Integer PosIgnoreCase(const QString& SubText, const QString& Text);
Integer CharPos(QChar Ch, const QString& Text, Integer& Position);
Integer CharPosFirst(QChar Ch, const QString& Text);
Integer VarPos(const QString& SubText, const QString& Text, Integer& Position);
Integer WidePos(const QString& SubText, const QString& Text);
Integer CountChar(QChar Ch, const QString& Text);
// The first character of Text that is one of Chars while an even number of
// double quotes has been seen; QChar(0) and Position -1 when none.
QChar FirstOfOutsideQuotes(const QString& Chars, const QString& Text, Integer& Position);
Integer FindClosingQuote(QChar Q, const QString& Text, Integer& Position);
Integer CountClosingQuotes(QChar Q, const QString& Text);
// The part of Text before the first Delimiter, which Text loses together
// with the Delimiter; empty (Text unchanged) when there is no Delimiter.
QString SplitOff(QString& Text, const QString& Delimiter);
QString ConcatStrings(const TStrings* Strings);
void FillWithChar(QString& Text, QChar Ch);

// Line breaks and separators of the text file formats.
QString LineBreaksToHTML(const QString& Text);
QString BackslashNToCR(const QString& Text);
QString CRToBackslashN(const QString& Text);
void QuoteCSVLines(QString& Text);
void CRLFToLF(QString& Text);
void VTabToCRLF(QString& Text);
void LinesToTilde(QString& Text);
void TildeToLines(QString& Text);
QString EncodeLineBreaks(const QString& Text);
QString DecodeLineBreaks(const QString& Text, bool MultiLine);
QString ExtractLine(QString& Text, bool KeepRest);
Integer LineCount(const QString& Text, bool MultiLine);
QString RemoveCR(const QString& Text);
QString CRToLF(const QString& Text);
QString DoubleQuoteChars(const QString& Text);
QString UndoubleChar(QChar Ch, const QString& Text);
// Text in the OEM code page (850), each byte kept as one Windows-1252
// character; characters the code page lacks become "?".
void StringToOem(QString& Text);
// Text taken as Windows-1252 bytes and read as code page 850.
void OemToString(QString& Text);

// Cell-text kinds: 0 plain, 1 mini-HTML, 2 RTF, 3 formula, 5 wide-encoded.
// Number kinds: 0 integer, 1 decimal, 2 not a number, 5 with exponent.

// "|\" and, per UTF-16 unit, its high byte and then its low byte as characters.
QString EncodeWideCellText(const QString& WideText);
QString DecodeWideCellText(const QString& Text);
Integer GetTextKind(const QString& Text, bool AllowHTML);
Integer NumericTextKind(const QString& Text);
bool IsDateText(const QString& Text);

// A number text with "." as decimal point and an optional leading "-".
QString ExtractNumber(const QString& Text);
// Dates from month, day, year (or day, month, year) with "/", "." or "-"
// between; two-digit years 0..25 are 2000..2025, others of two digits
// 1900 + year. 0 when the text does not parse; a triple that is no date
// raises EConvertError.
TDateTime ParseDateMDY(const QString& Text);
TDateTime ParseDateDMY(const QString& Text);
// The next value of a date series: exactly one of Years, Months, Days set
// adds that unit; otherwise Date + Step.
TDateTime IncDateStep(Word Years, Word Months, Word Days, TDateTime Date, TDateTime Step);
QString ToMixedCase(const QString& Text);
// Reads a whole text as a signed 32-bit decimal integer (blanks around it
// allowed); false when it is not one.
bool TextToInteger(const QString& Text, Integer& Value);

bool IsURL(const QString& Text);
void StripURLProtocol(QString& Text);
// "R<row>C<col>" in any letter case.
bool ParseRCReference(const QString& Text, Integer& Col, Integer& Row);
bool LinkURLInText(const QString& Text, const QString& Prefix, QString& Dest);
void WrapClipboardHTML(QString& Fragment);

// ========================================================== filter expressions

// Filter conditions: simple conditions (">", ">=", "<", "<=", "!", wildcard
// patterns with "*" and "?") joined by "&" (and) and "|", ";", "^" (or),
// strictly left to right, with "(" ")" groups; nothing inside double quotes
// is an operator. Comparisons are numeric when both sides are numbers, by
// date when both are dates of the locale, else textual. None of them raises.

// True when Value satisfies Condition.
bool MatchFilter(const QString& Condition, const QString& Value, bool CaseSensitive);
// MatchFilterCondition on both texts, upper-cased unless CaseSensitive.
bool MatchFilterText(const QString& SimpleCondition, const QString& Value, bool CaseSensitive);
// True when Value satisfies one simple condition.
bool MatchFilterCondition(const QString& SimpleCondition, const QString& Value);
// Text without the blanks that stand outside double quotes.
QString RemoveBlanksOutsideQuotes(const QString& Text);
// Position (from 1) of the ")" that closes the "(" Text starts with: the
// first where as many ")" as "(" have been seen outside quotes; 0 when none.
Integer FindClosingParen(const QString& Text);
// The locale decimal separator becomes ".", the thousand separators go.
QString NormalizeNumberText(const QString& Text);
// A date in the order of the locale's short date format and its date
// separator, optionally followed by a blank and hours:minutes[:seconds].
// False for anything else, or a date or time that does not exist.
bool ParseLocaleDateTime(const QString& Text, TDateTime& Value);

// ================================================================ cell drawing

enum TCellShape {
    csRectangle, csCircle, csTriangleLeft, csTriangleRight, csTriangleUp, csTriangleDown,
    csDiamond, csLineVert, csLineHorz, csRoundRect, csEllips, csSquare, csRoundSquare,
    csStar, csArrowUp, csArrowDown, csArrowLeft, csArrowRight, csHalfStar,
};

struct TProgressAppearanceRec {
    TColor Level0Color = clNone;
    TColor Level0ColorTo = clNone;
    TColor Level1Color = clNone;
    TColor Level1ColorTo = clNone;
    TColor Level2Color = clNone;
    TColor Level2ColorTo = clNone;
    TColor Level3Color = clNone;
    TColor Level3ColorTo = clNone;
    Integer Level1Perc = 0;
    Integer Level2Perc = 0;
    TColor BorderColor = clNone;
    bool ShowBorder = false;
    bool Stacked = false;
    bool ShowPercentage = false;
    TFont* Font = nullptr; // not owned; the canvas's font when null
    TColor CompleteFontColor = clNone;
    bool CompletionSmooth = false;
    bool ShowGradient = false;
    Integer Steps = 0;
    TColor BackgroundColor = clNone;
    bool Vertical = false;
};

// The button routines take a state (0 normal, 1 hot, 2 down, 3 disabled)
// and a look (0 themed, 1 classic, 2 flat classic, 3 flat in the tones;
// any other draws nothing). Without theme services look 0 draws classic.

// Raised when a named picture is not among the program's resources.
class EResNotFound : public std::runtime_error {
public:
    explicit EResNotFound(const QString& Name);
};

// One part of a theme class drawn in R; false when no theme draws it.
bool DrawThemed(TCanvas* Canvas, HWND Window, const char* Class, Integer Part, Integer State, const TRect& R);
void DrawCellBackground(TCanvas* Canvas, TRect Rect, TColor Color, TColor ColorTo, TColor ColorMirror,
                        TColor ColorMirrorTo, bool Vertical, TColor BorderColor, bool SideLinesOnly, bool Fill);
void DrawButtonFrame(TCanvas* Canvas, TColor Color, TColor ColorTo, TColor ColorMirror, TColor ColorMirrorTo,
                     TColor InnerTopColor, TColor InnerBottomColor, TColor BorderColor, TColor InnerCornerColor,
                     TColor OuterCornerColor, TRect Rect, Integer Kind);
void DrawComboButton(TCanvas* Canvas, HWND Window, TRect Rect, Integer Look, Integer State, TColorTones Tones);
void DrawCellButton(TCanvas* Canvas, HWND Window, TRect Rect, Integer Look, Integer State, TColorTones Tones);
void DrawSpinButtons(TCanvas* Canvas, HWND Window, TRect Rect, Integer Look, Integer State, TColorTones Tones);
void DrawProgressBar(TCanvas* Canvas, TRect Rect, TColor Color, TColor FontColor, TColor ColorTo, TColor FontColorTo,
                     double Value, Integer MarginX, Integer MarginY, double Min, double Max, const QString& Format,
                     TColor BorderColor, bool TextBelow);
void DrawProgressPie(TCanvas* Canvas, TRect Rect, TColor Color, Integer Percent, bool SeedAbove);
void DrawRangeIndicator(TCanvas* Canvas, TRect Rect, Integer Value, Integer Range, bool ShowValue,
                        TColor NegativeColor, TColor PositiveColor);
void DrawCellProgress(TCanvas* Canvas, TRect Rect, Integer Percent, const TProgressAppearanceRec& Appearance);
void DrawShape(TCanvas* Canvas, Integer X, Integer Y, Integer Width, Integer Height, Integer Shape,
               TColor BrushColor, TColor PenColor);
void DrawTransparentBitmap(TCanvas* Canvas, TBitmap* Bitmap, TColor BackColor, TRect Rect);
// The bitmap named ResourceName among the program's resources; raises
// EResNotFound when there is none.
void DrawBitmapResource(TCanvas* Canvas, TColor BackColor, TRect Rect, const QString& ResourceName);
// Red zigzag under characters ErrFrom .. ErrFrom + ErrLen - 1 (counted from
// 0) of Text drawn from Rect's left edge in the canvas's font.
void DrawErrorUnderline(TWinControl* Parent, TCanvas* Canvas, const QString& Text, TRect Rect, Integer YOffset,
                        Integer ErrFrom, Integer ErrLen);
void DrawDownTriangle(TCanvas* Canvas, Integer X, Integer Y, TColor Color);

// Layered-window functions: this platform has none, so they do nothing and
// answer true, as on a system without them.
bool UpdateLayeredWindowDyn(HWND Window, TCanvas* Dest, const TPoint* Position, const TSize* Size,
                            TBitmap* Source, const TPoint* SourcePosition, TColor Key, Byte Alpha, LongWord Flags);
bool SetLayeredWindowAttributesDyn(HWND Window, TColor Key, Byte Alpha, LongWord Flags);

// The bytes of a resource of the program by name; false when there is none.
bool ReadResourceData(const QString& Name, QByteArray& Data);
