#include "GraphicsQt.h"

#include <algorithm>
#include <array>
#include <memory>
#include <vector>
#include <cmath>

namespace {

// The classic desktop colour scheme, indexed by COLOR_ constant.
constexpr std::array<TColor, 31> SysColors = {
    RGB(212, 208, 200), // scroll bar
    RGB(58, 110, 165),  // background
    RGB(10, 36, 106),   // active caption
    RGB(128, 128, 128), // inactive caption
    RGB(212, 208, 200), // menu
    RGB(255, 255, 255), // window
    RGB(0, 0, 0),       // window frame
    RGB(0, 0, 0),       // menu text
    RGB(0, 0, 0),       // window text
    RGB(255, 255, 255), // caption text
    RGB(212, 208, 200), // active border
    RGB(212, 208, 200), // inactive border
    RGB(128, 128, 128), // application work space
    RGB(10, 36, 106),   // highlight
    RGB(255, 255, 255), // highlight text
    RGB(212, 208, 200), // button face
    RGB(128, 128, 128), // button shadow
    RGB(128, 128, 128), // grey text
    RGB(0, 0, 0),       // button text
    RGB(212, 208, 200), // inactive caption text
    RGB(255, 255, 255), // button highlight
    RGB(64, 64, 64),    // 3D dark shadow
    RGB(212, 208, 200), // 3D light
    RGB(0, 0, 0),       // info text
    RGB(255, 255, 225), // info background
    RGB(181, 181, 181), // (unused index 25)
    RGB(0, 0, 128),     // hot light
    RGB(166, 202, 240), // gradient active caption
    RGB(192, 192, 192), // gradient inactive caption
    RGB(49, 106, 197),  // menu highlight
    RGB(236, 233, 216), // menu bar
};

} // namespace

TColor GetSysColor(Integer index)
{
    if (index < 0 || index >= Integer(SysColors.size()))
        return clBlack;
    return SysColors[std::size_t(index)];
}

TColor ColorToRGB(TColor color)
{
    if ((color & clSystemColor) == clSystemColor)
        return GetSysColor(color & 0xFF);
    return color;
}

QString ColorToWebColorName(TColor color)
{
    const QColor c = ToQColor(ColorToRGB(color));
    // The named colours in alphabetical order: of two names for one colour
    // ("aqua" and "cyan") the first is given.
    for (const QString& name : QColor::colorNames())
        if (QColor(name).rgb() == c.rgb() && name != QLatin1String("transparent"))
            return name;
    return QStringLiteral("#%1%2%3")
        .arg(c.red(), 2, 16, QLatin1Char('0'))
        .arg(c.green(), 2, 16, QLatin1Char('0'))
        .arg(c.blue(), 2, 16, QLatin1Char('0'))
        .toUpper();
}

Integer MulDiv(Integer a, Integer b, Integer c)
{
    if (c == 0)
        return -1;
    const Int64 p = Int64(a) * Int64(b);
    // Round half away from zero.
    Int64 q = (std::llabs(p) + std::llabs(Int64(c)) / 2) / std::llabs(Int64(c));
    if ((p < 0) != (c < 0))
        q = -q;
    return Integer(q);
}

QColor ToQColor(TColor color)
{
    if (color == clNone)
        return QColor(0, 0, 0, 0);
    const TColor rgb = ColorToRGB(color);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TColor FromQColor(const QColor& color)
{
    return RGB(Byte(color.red()), Byte(color.green()), Byte(color.blue()));
}

QFont ToQFont(const TFont& font)
{
    QFont f(font.Name());
    // A negative height is the character height without internal leading
    // (the em size); a positive one is the cell height, of which the em is
    // about four fifths for the usual interface fonts.
    // Heights read from files can be anything: the size is worked out in 64
    // bits and held to what a screen can show, so that no text is measured
    // or drawn at millions of pixels.
    constexpr Int64 maxPixels = 2048;
    const Int64 h = font.Height();
    const Int64 px = h < 0 ? -h : (h * 4 + 2) / 5;
    f.setPixelSize(int(std::clamp<Int64>(px, 1, maxPixels)));
    const TFontStyles s = font.Style();
    f.setBold(s.Contains(fsBold));
    f.setItalic(s.Contains(fsItalic));
    f.setUnderline(s.Contains(fsUnderline));
    f.setStrikeOut(s.Contains(fsStrikeOut));
    if (font.Pitch() == fpFixed)
        f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(font.Pitch() == fpFixed);
    // Crisp, unhinted-independent glyphs keep pixel tests and screenshots stable.
    f.setHintingPreference(QFont::PreferFullHinting);
    f.setKerning(false);
    return f;
}

namespace {

// One resolved QFont and its metrics per distinct font: what ToQFont reads
// (colour and character set do not change the glyphs).
struct TResolvedFont {
    QString Name;
    Integer Height;
    TFontStyles Style;
    TFontPitch Pitch;
    QFont Font;
    std::unique_ptr<QFontMetrics> Metrics;
};

TResolvedFont& Resolved(const TFont& font)
{
    static std::vector<std::unique_ptr<TResolvedFont>> cache;
    for (const auto& e : cache)
        if (e->Height == font.Height() && e->Style == font.Style() && e->Pitch == font.Pitch() && e->Name == font.Name())
            return *e;
    auto e = std::make_unique<TResolvedFont>();
    e->Name = font.Name();
    e->Height = font.Height();
    e->Style = font.Style();
    e->Pitch = font.Pitch();
    e->Font = ToQFont(font);
    cache.push_back(std::move(e));
    return *cache.back();
}

} // namespace

const QFont& QFontOf(const TFont& font)
{
    return Resolved(font).Font;
}

const QFontMetrics& FontMetricsOf(const TFont& font)
{
    TResolvedFont& e = Resolved(font);
    if (!e.Metrics)
        e.Metrics = std::make_unique<QFontMetrics>(e.Font);
    return *e.Metrics;
}

// ------------------------------------------------------------------ object

void TGraphicsObject::Changed()
{
    ++revision_;
    if (OnChange)
        OnChange(this);
}

// -------------------------------------------------------------------- font

TFont::TFont() : name_(QStringLiteral("Tahoma")), height_(-MulDiv(8, ScreenPixelsPerInch, 72)) {}

Integer TFont::Size() const
{
    return -MulDiv(height_, 72, ScreenPixelsPerInch);
}

void TFont::SetName(const QString& value)
{
    if (value.isEmpty() || value == name_)
        return;
    name_ = value;
    Changed();
}

void TFont::SetSize(Integer value)
{
    SetHeight(-MulDiv(value, ScreenPixelsPerInch, 72));
}

void TFont::SetHeight(Integer value)
{
    if (value == height_)
        return;
    height_ = value;
    Changed();
}

void TFont::SetColor(TColor value)
{
    if (value == color_)
        return;
    color_ = value;
    Changed();
}

void TFont::SetStyle(TFontStyles value)
{
    if (value == style_)
        return;
    style_ = value;
    Changed();
}

void TFont::SetCharset(TFontCharset value)
{
    if (value == charset_)
        return;
    charset_ = value;
    Changed();
}

void TFont::SetPitch(TFontPitch value)
{
    if (value == pitch_)
        return;
    pitch_ = value;
    Changed();
}

void TFont::SetOrientation(Integer value)
{
    if (value == orientation_)
        return;
    orientation_ = value;
    Changed();
}

bool operator==(const TFont& a, const TFont& b)
{
    return a.name_ == b.name_ && a.height_ == b.height_ && a.color_ == b.color_ && a.style_ == b.style_
        && a.charset_ == b.charset_ && a.pitch_ == b.pitch_ && a.orientation_ == b.orientation_;
}

void TFont::Assign(const TPersistent* Source)
{
    if (auto* src = dynamic_cast<const TFont*>(Source)) {
        if (src == this)
            return;
        if (*src == *this)
            return;
        name_ = src->name_;
        height_ = src->height_;
        color_ = src->color_;
        style_ = src->style_;
        charset_ = src->charset_;
        pitch_ = src->pitch_;
        orientation_ = src->orientation_;
        Changed();
        return;
    }
    TGraphicsObject::Assign(Source);
}


// --------------------------------------------------------------------- pen

void TPen::SetColor(TColor value)
{
    if (value == color_)
        return;
    color_ = value;
    Changed();
}

void TPen::SetWidth(Integer value)
{
    if (value < 0 || value == width_)
        return;
    width_ = value;
    Changed();
}

void TPen::SetStyle(TPenStyle value)
{
    if (value == style_)
        return;
    style_ = value;
    Changed();
}

void TPen::SetMode(TPenMode value)
{
    if (value == mode_)
        return;
    mode_ = value;
    Changed();
}

void TPen::Assign(const TPersistent* Source)
{
    if (auto* src = dynamic_cast<const TPen*>(Source)) {
        if (src == this)
            return;
        if (src->color_ == color_ && src->width_ == width_ && src->style_ == style_ && src->mode_ == mode_)
            return;
        color_ = src->color_;
        width_ = src->width_;
        style_ = src->style_;
        mode_ = src->mode_;
        Changed();
        return;
    }
    TGraphicsObject::Assign(Source);
}


// ------------------------------------------------------------------- brush

void TBrush::SetColor(TColor value)
{
    if (value == color_ && style_ != bsClear)
        return;
    color_ = value;
    // A colour makes a clear brush solid again; no colour makes it clear.
    if (value == clNone)
        style_ = bsClear;
    else if (style_ == bsClear)
        style_ = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle value)
{
    if (value == style_)
        return;
    style_ = value;
    Changed();
}

void TBrush::SetBitmap(TBitmap* value)
{
    if (value == bitmap_)
        return;
    bitmap_ = value;
    Changed();
}

void TBrush::Assign(const TPersistent* Source)
{
    if (auto* src = dynamic_cast<const TBrush*>(Source)) {
        if (src == this)
            return;
        if (src->color_ == color_ && src->style_ == style_ && src->bitmap_ == bitmap_)
            return;
        color_ = src->color_;
        style_ = src->style_;
        bitmap_ = src->bitmap_;
        Changed();
        return;
    }
    TGraphicsObject::Assign(Source);
}

