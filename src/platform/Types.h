#pragma once
// Basic value types shared by the whole platform layer and everything above
// it: integer aliases, points, sizes, rectangles, colours and input states.

#include <cstdint>
#include <algorithm>

using Integer = std::int32_t;
using Cardinal = std::uint32_t;
using Int64 = std::int64_t;
using UInt64 = std::uint64_t;
using Byte = std::uint8_t;
using Word = std::uint16_t;
using LongWord = std::uint32_t;
using SmallInt = std::int16_t;
using ShortInt = std::int8_t;

struct TPoint {
    Integer X = 0;
    Integer Y = 0;
    constexpr TPoint() = default;
    constexpr TPoint(Integer x, Integer y) : X(x), Y(y) {}
    friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
    Integer cx = 0;
    Integer cy = 0;
    constexpr TSize() = default;
    constexpr TSize(Integer w, Integer h) : cx(w), cy(h) {}
    friend constexpr bool operator==(const TSize&, const TSize&) = default;
};

// Right and Bottom are exclusive, as everywhere in the layer.
struct TRect {
    Integer Left = 0;
    Integer Top = 0;
    Integer Right = 0;
    Integer Bottom = 0;
    constexpr TRect() = default;
    constexpr TRect(Integer l, Integer t, Integer r, Integer b) : Left(l), Top(t), Right(r), Bottom(b) {}
    constexpr TRect(TPoint tl, TPoint br) : Left(tl.X), Top(tl.Y), Right(br.X), Bottom(br.Y) {}
    constexpr Integer Width() const { return Right - Left; }
    constexpr Integer Height() const { return Bottom - Top; }
    constexpr TPoint TopLeft() const { return {Left, Top}; }
    constexpr TPoint BottomRight() const { return {Right, Bottom}; }
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    constexpr bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
    friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

constexpr TPoint Point(Integer x, Integer y) { return {x, y}; }
constexpr TRect Rect(Integer l, Integer t, Integer r, Integer b) { return {l, t, r, b}; }
constexpr TRect Bounds(Integer l, Integer t, Integer w, Integer h) { return {l, t, l + w, t + h}; }
constexpr bool PtInRect(const TRect& r, TPoint p) { return r.Contains(p); }
constexpr bool IsRectEmpty(const TRect& r) { return r.IsEmpty(); }
constexpr bool EqualRect(const TRect& a, const TRect& b) { return a == b; }
constexpr void InflateRect(TRect& r, Integer dx, Integer dy) { r.Left -= dx; r.Top -= dy; r.Right += dx; r.Bottom += dy; }
constexpr void OffsetRect(TRect& r, Integer dx, Integer dy) { r.Left += dx; r.Right += dx; r.Top += dy; r.Bottom += dy; }
// Sets dst to the overlap of a and b; returns false (dst emptied) when they do not overlap.
constexpr bool IntersectRect(TRect& dst, const TRect& a, const TRect& b)
{
    dst = {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
    if (dst.IsEmpty()) { dst = {}; return false; }
    return true;
}
// Sets dst to the smallest rectangle holding a and b (empty ones ignored).
constexpr bool UnionRect(TRect& dst, const TRect& a, const TRect& b)
{
    if (a.IsEmpty()) dst = b;
    else if (b.IsEmpty()) dst = a;
    else dst = {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom)};
    return !dst.IsEmpty();
}

// Colours are 0x00BBGGRR; values with the high byte 0xFF name a system colour
// (its index in the low byte), resolved by ColorToRGB.
using TColor = std::int32_t;

constexpr TColor RGB(Byte r, Byte g, Byte b) { return TColor(r | (g << 8) | (b << 16)); }
constexpr Byte GetRValue(TColor c) { return Byte(c & 0xFF); }
constexpr Byte GetGValue(TColor c) { return Byte((c >> 8) & 0xFF); }
constexpr Byte GetBValue(TColor c) { return Byte((c >> 16) & 0xFF); }

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clLtGray = clSilver;
constexpr TColor clDkGray = clGray;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;

constexpr TColor clSystemColor = TColor(0xFF000000);
constexpr TColor clScrollBar = clSystemColor | 0;
constexpr TColor clBackground = clSystemColor | 1;
constexpr TColor clActiveCaption = clSystemColor | 2;
constexpr TColor clInactiveCaption = clSystemColor | 3;
constexpr TColor clMenu = clSystemColor | 4;
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowFrame = clSystemColor | 6;
constexpr TColor clMenuText = clSystemColor | 7;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clCaptionText = clSystemColor | 9;
constexpr TColor clActiveBorder = clSystemColor | 10;
constexpr TColor clInactiveBorder = clSystemColor | 11;
constexpr TColor clAppWorkSpace = clSystemColor | 12;
constexpr TColor clHighlight = clSystemColor | 13;
constexpr TColor clHighlightText = clSystemColor | 14;
constexpr TColor clBtnFace = clSystemColor | 15;
constexpr TColor clBtnShadow = clSystemColor | 16;
constexpr TColor clGrayText = clSystemColor | 17;
constexpr TColor clBtnText = clSystemColor | 18;
constexpr TColor clInactiveCaptionText = clSystemColor | 19;
constexpr TColor clBtnHighlight = clSystemColor | 20;
constexpr TColor cl3DDkShadow = clSystemColor | 21;
constexpr TColor cl3DLight = clSystemColor | 22;
constexpr TColor clInfoText = clSystemColor | 23;
constexpr TColor clInfoBk = clSystemColor | 24;
constexpr TColor clHotLight = clSystemColor | 26;
constexpr TColor clGradientActiveCaption = clSystemColor | 27;
constexpr TColor clGradientInactiveCaption = clSystemColor | 28;
constexpr TColor clMenuHighlight = clSystemColor | 29;
constexpr TColor clMenuBar = clSystemColor | 30;

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// Keyboard and mouse state carried with input events.
enum TShiftStateFlag : Word {
    ssShift = 1 << 0,
    ssAlt = 1 << 1,
    ssCtrl = 1 << 2,
    ssLeft = 1 << 3,
    ssRight = 1 << 4,
    ssMiddle = 1 << 5,
    ssDouble = 1 << 6,
};

// A set of TShiftStateFlag values: s.Contains(ssCtrl), s | ssShift.
class TShiftState {
public:
    constexpr TShiftState() = default;
    constexpr TShiftState(TShiftStateFlag f) : bits_(f) {}
    static constexpr TShiftState FromBits(Word b) { TShiftState s; s.bits_ = b; return s; }
    constexpr bool Contains(TShiftStateFlag f) const { return (bits_ & f) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr Word Bits() const { return bits_; }
    constexpr TShiftState& operator|=(TShiftState o) { bits_ |= o.bits_; return *this; }
    constexpr TShiftState& operator-=(TShiftState o) { bits_ &= Word(~o.bits_); return *this; }
    friend constexpr TShiftState operator|(TShiftState a, TShiftState b) { a |= b; return a; }
    friend constexpr TShiftState operator-(TShiftState a, TShiftState b) { a -= b; return a; }
    friend constexpr bool operator==(TShiftState, TShiftState) = default;
private:
    Word bits_ = 0;
};
constexpr TShiftState operator|(TShiftStateFlag a, TShiftStateFlag b) { return TShiftState(a) | TShiftState(b); }

enum TMouseButton { mbLeft, mbRight, mbMiddle };

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
