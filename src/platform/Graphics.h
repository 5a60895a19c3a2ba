#pragma once
// Drawing attributes of the platform layer: system colours and their RGB
// values, and the font, pen and brush objects a canvas draws with.
//
// Properties follow one pattern throughout the layer: the getter carries the
// property's name (Font->Color()), the setter Set and the name
// (Font->SetColor(clRed)). Every change fires OnChange.

#include "Object.h"
#include "Types.h"

#include <initializer_list>

// ---------------------------------------------------------------- colours

// Indexes of the system colours (the low byte of a clSystemColor value).
enum : Integer {
    COLOR_SCROLLBAR = 0,
    COLOR_BACKGROUND = 1,
    COLOR_ACTIVECAPTION = 2,
    COLOR_INACTIVECAPTION = 3,
    COLOR_MENU = 4,
    COLOR_WINDOW = 5,
    COLOR_WINDOWFRAME = 6,
    COLOR_MENUTEXT = 7,
    COLOR_WINDOWTEXT = 8,
    COLOR_CAPTIONTEXT = 9,
    COLOR_ACTIVEBORDER = 10,
    COLOR_INACTIVEBORDER = 11,
    COLOR_APPWORKSPACE = 12,
    COLOR_HIGHLIGHT = 13,
    COLOR_HIGHLIGHTTEXT = 14,
    COLOR_BTNFACE = 15,
    COLOR_BTNSHADOW = 16,
    COLOR_GRAYTEXT = 17,
    COLOR_BTNTEXT = 18,
    COLOR_INACTIVECAPTIONTEXT = 19,
    COLOR_BTNHIGHLIGHT = 20,
    COLOR_3DDKSHADOW = 21,
    COLOR_3DLIGHT = 22,
    COLOR_INFOTEXT = 23,
    COLOR_INFOBK = 24,
    COLOR_HOTLIGHT = 26,
    COLOR_GRADIENTACTIVECAPTION = 27,
    COLOR_GRADIENTINACTIVECAPTION = 28,
    COLOR_MENUHILIGHT = 29,
    COLOR_MENUBAR = 30,
    COLOR_3DFACE = COLOR_BTNFACE,
    COLOR_3DSHADOW = COLOR_BTNSHADOW,
    COLOR_3DHILIGHT = COLOR_BTNHIGHLIGHT,
    COLOR_3DHIGHLIGHT = COLOR_BTNHIGHLIGHT,
};

// RGB value of a system colour index, from one fixed table of the classic
// desktop scheme, so that drawings are the same on every machine. An index
// outside the table gives black.
TColor GetSysColor(Integer index);

// A system colour (clBtnFace ...) becomes its RGB value; any other value is
// returned unchanged (clNone and clDefault included).
TColor ColorToRGB(TColor color);
// The colour's web name ("red", "navy" ...) when it has one, else its web
// colour string "#RRGGBB".
QString ColorToWebColorName(TColor color);

// ----------------------------------------------------------- base object

// Base of TFont, TPen and TBrush: a persistent object that reports changes.
class TGraphicsObject : public TPersistent {
public:
    TNotifyEvent OnChange;
    QString ClassName() const override { return QStringLiteral("TGraphicsObject"); }

    // Counts every change; a canvas compares it to know when to re-apply the object.
    Cardinal Revision() const { return revision_; }

protected:
    // Records a change and fires OnChange.
    void Changed();

private:
    Cardinal revision_ = 0;
};

// ------------------------------------------------------------------ font

enum TFontStyle : Byte { fsBold, fsItalic, fsUnderline, fsStrikeOut };

// A set of TFontStyle values: s.Contains(fsBold), s | fsItalic, s - fsBold.
class TFontStyles {
public:
    constexpr TFontStyles() = default;
    constexpr TFontStyles(TFontStyle f) : bits_(Byte(1u << f)) {}
    constexpr TFontStyles(std::initializer_list<TFontStyle> fs)
    {
        for (TFontStyle f : fs)
            bits_ |= Byte(1u << f);
    }
    constexpr bool Contains(TFontStyle f) const { return (bits_ & (1u << f)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr TFontStyles& operator|=(TFontStyles o) { bits_ |= o.bits_; return *this; }
    constexpr TFontStyles& operator-=(TFontStyles o) { bits_ &= Byte(~o.bits_); return *this; }
    friend constexpr TFontStyles operator|(TFontStyles a, TFontStyles b) { a |= b; return a; }
    friend constexpr TFontStyles operator-(TFontStyles a, TFontStyles b) { a -= b; return a; }
    friend constexpr bool operator==(TFontStyles, TFontStyles) = default;

private:
    Byte bits_ = 0;
};

enum TFontPitch { fpDefault, fpVariable, fpFixed };
using TFontCharset = Byte;
constexpr TFontCharset ANSI_CHARSET = 0;
constexpr TFontCharset DEFAULT_CHARSET = 1;

// Screen resolution the layer works at: font sizes in points convert to
// pixels at 96 pixels per inch everywhere, screens and bitmaps alike.
constexpr Integer ScreenPixelsPerInch = 96;

class TFont : public TGraphicsObject {
public:
    TFont();
    QString ClassName() const override { return QStringLiteral("TFont"); }

    // Copies every attribute of another TFont and fires one change.
    void Assign(const TPersistent* Source) override;

    QString Name() const { return name_; }
    void SetName(const QString& value);
    // Size in points; Height is the matching character height in pixels,
    // negative as the platform stores it (Height = -Size * 96 / 72).
    Integer Size() const;
    void SetSize(Integer value);
    Integer Height() const { return height_; }
    void SetHeight(Integer value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles value);
    TFontCharset Charset() const { return charset_; }
    void SetCharset(TFontCharset value);
    TFontPitch Pitch() const { return pitch_; }
    void SetPitch(TFontPitch value);
    // Angle of the text's base line in tenths of a degree, counter-clockwise.
    Integer Orientation() const { return orientation_; }
    void SetOrientation(Integer value);
    Integer PixelsPerInch() const { return ScreenPixelsPerInch; }

    friend bool operator==(const TFont& a, const TFont& b);

private:
    QString name_;
    Integer height_;
    TColor color_ = clWindowText;
    TFontStyles style_;
    TFontCharset charset_ = DEFAULT_CHARSET;
    TFontPitch pitch_ = fpDefault;
    Integer orientation_ = 0;
};

// ------------------------------------------------------------------- pen

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

// How the pen's colour combines with what is already drawn (P pen, D destination).
enum TPenMode {
    pmBlack,       // 0
    pmWhite,       // 1
    pmNop,         // D
    pmNot,         // not D
    pmCopy,        // P
    pmNotCopy,     // not P
    pmMergePenNot, // P or not D
    pmMaskPenNot,  // P and not D
    pmMergeNotPen, // not P or D
    pmMaskNotPen,  // not P and D
    pmMerge,       // P or D
    pmNotMerge,    // not (P or D)
    pmMask,        // P and D
    pmNotMask,     // not (P and D)
    pmXor,         // P xor D
    pmNotXor,      // not (P xor D)
};

class TPen : public TGraphicsObject {
public:
    QString ClassName() const override { return QStringLiteral("TPen"); }
    void Assign(const TPersistent* Source) override;

    TColor Color() const { return color_; }
    void SetColor(TColor value);
    Integer Width() const { return width_; }
    void SetWidth(Integer value);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle value);
    TPenMode Mode() const { return mode_; }
    void SetMode(TPenMode value);

private:
    TColor color_ = clBlack;
    Integer width_ = 1;
    TPenStyle style_ = psSolid;
    TPenMode mode_ = pmCopy;
};

// ----------------------------------------------------------------- brush

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBitmap;

class TBrush : public TGraphicsObject {
public:
    QString ClassName() const override { return QStringLiteral("TBrush"); }
    void Assign(const TPersistent* Source) override;

    TColor Color() const { return color_; }
    // A colour makes a clear brush solid; clNone makes it clear.
    void SetColor(TColor value);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle value);
    // Pattern bitmap (not owned): when set it replaces colour and style. In a
    // one-bit pattern, clear bits take the canvas font colour and set bits
    // the brush colour.
    TBitmap* Bitmap() const { return bitmap_; }
    void SetBitmap(TBitmap* value);

private:
    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
    TBitmap* bitmap_ = nullptr;
};

// Integer helpers the drawing code uses.
// a * b / c rounded to the nearest integer, computed in 64 bits; -1 when c is 0.
Integer MulDiv(Integer a, Integer b, Integer c);
constexpr TPoint CenterPoint(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }
