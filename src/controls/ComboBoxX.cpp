#include "controls/ComboBoxX.h"

#include <QString>
#include <array>
#include <memory>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Graphics.h"

namespace {

constexpr TColor Clear = 0xFF00FF;  // see-through

std::unique_ptr<TBitmap> Blank(Integer width)
{
    auto bmp = std::make_unique<TBitmap>(width, 11);
    bmp->SetPixelFormat(pf4bit);
    TCanvas* c = bmp->Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Clear);
    c->FillRect(TRect(0, 0, width, 11));
    bmp->SetTransparent(true);
    return bmp;
}

void Lines(TCanvas* c, TColor color, std::initializer_list<TRect> segments)
{
    c->Pen()->SetColor(color);
    for (const TRect& s : segments) {
        c->MoveTo(s.Left, s.Top);
        c->LineTo(s.Right, s.Bottom);
    }
}

void Triangle(TCanvas* c, Integer dx, bool up)
{
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetColor(clBlack);
    if (up)
        c->Polygon({TPoint{dx + 2, 7}, TPoint{dx + 10, 7}, TPoint{dx + 6, 3}});
    else
        c->Polygon({TPoint{dx + 2, 3}, TPoint{dx + 10, 3}, TPoint{dx + 6, 7}});
}

// A pin seen from the side (stuck in) or from above (loose), at cell dx.
void Pin(TCanvas* c, Integer dx, bool stuck, TColor head)
{
    c->Brush()->SetColor(head);
    c->Pen()->SetColor(clBlack);
    if (stuck) {
        c->Rectangle(dx + 4, 1, dx + 9, 6);
        Lines(c, clBlack, {{dx + 6, 6, dx + 6, 10}});
    } else {
        c->Rectangle(dx + 1, 4, dx + 6, 9);
        Lines(c, clBlack, {{dx + 6, 6, dx + 12, 6}});
    }
}

std::unique_ptr<TBitmap> Make(int index)
{
    auto bmp = Blank(index == 7 ? 52 : 13);
    TCanvas* c = bmp->Canvas();
    const TColor grey = clGray;
    switch (index) {
    case 0:  // edit: a pencil
        Lines(c, clBlack, {{2, 9, 10, 1}, {3, 9, 11, 1}, {2, 10, 4, 8}});
        Lines(c, clYellow, {{4, 8, 10, 2}});
        break;
    case 1:
    case 2:  // new: a plus
        Lines(c, index == 1 ? clGreen : grey, {{6, 1, 6, 10}, {7, 1, 7, 10}, {2, 5, 12, 5}, {2, 6, 12, 6}});
        break;
    case 3:
    case 4:  // delete: a cross
        Lines(c, index == 3 ? clRed : grey, {{2, 1, 11, 10}, {3, 1, 12, 10}, {10, 1, 1, 10}, {11, 1, 2, 10}});
        break;
    case 5: Triangle(c, 0, true); break;
    case 6: Triangle(c, 0, false); break;
    default:  // pins: loose, stuck, loose hot, stuck hot
        Pin(c, 0, false, clSilver);
        Pin(c, 13, true, clSilver);
        Pin(c, 26, false, clYellow);
        Pin(c, 39, true, clYellow);
        break;
    }
    return bmp;
}

constexpr std::array<const char*, 8> Names = {"CBX_BMP_EDIT", "CBX_BMP_NEW", "CBX_BMP_NEW_D", "CBX_BMP_DEL",
                                              "CBX_BMP_DEL_D", "CBX_BMP_UP", "CBX_BMP_DOWN", "CBX_BMP_PINS"};

} // namespace

TBitmap* ComboBoxXBitmap(const QString& Name)
{
    static const std::array<std::unique_ptr<TBitmap>, 8> bitmaps = [] {
        std::array<std::unique_ptr<TBitmap>, 8> all;
        for (int i = 0; i < 8; ++i)
            all[size_t(i)] = Make(i);
        return all;
    }();
    for (size_t i = 0; i < Names.size(); ++i)
        if (Name == QLatin1String(Names[i]))
            return bitmaps[i].get();
    return nullptr;
}
