// The pictures on the main window's buttons, drawn here so that the program
// needs no image files: small signs for the steps, larger ones for about,
// options and close.
#include "app/UArvintoFirmWare.h"

#include "controls/FxButton.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Graphics.h"

#include <cmath>
#include <functional>

namespace {

// The glyph's background: its bottom-left pixel, left out when drawn.
constexpr TColor Glyph_Background = clFuchsia;

void Set_Glyph(TFxButton* Button, Integer Size, const std::function<void(TCanvas*)>& Draw)
{
    TBitmap bitmap(Size, Size);
    TCanvas* c = bitmap.Canvas();
    c->Brush()->SetColor(Glyph_Background);
    c->FillRect(TRect{0, 0, Size, Size});
    c->Pen()->SetWidth(1);
    Draw(c);
    Button->SetGlyph(&bitmap);
}

void Disk(TCanvas* c, TColor Color, Integer Size)
{
    c->Pen()->SetColor(Color);
    c->Brush()->SetColor(Color);
    c->Ellipse(1, 1, Size - 1, Size - 1);
}

void Line(TCanvas* c, TPoint From, TPoint To)
{
    c->MoveTo(From.X, From.Y);
    c->LineTo(To.X, To.Y);
}

} // namespace

void TFArvintoFirmWare::Load_Glyphs()
{
    // Corner buttons, 32 pixels.
    Set_Glyph(Btn_Info, 32, [](TCanvas* c) {
        Disk(c, RGB(40, 110, 190), 32);
        c->Pen()->SetColor(clWhite);
        c->Brush()->SetColor(clWhite);
        c->Ellipse(14, 6, 19, 11);
        c->Rectangle(14, 13, 19, 26);
    });
    Set_Glyph(Btn_Opz, 32, [](TCanvas* c) {
        c->Pen()->SetColor(RGB(90, 90, 90));
        c->Pen()->SetWidth(6);
        for (Integer i = 0; i < 4; ++i) {
            const double a = 3.14159265 * i / 4;
            const Integer dx = Integer(12 * std::cos(a)), dy = Integer(12 * std::sin(a));
            Line(c, {16 - dx, 16 - dy}, {16 + dx, 16 + dy});
        }
        c->Pen()->SetWidth(1);
        Disk(c, RGB(90, 90, 90), 32 - 14);
        c->Brush()->SetColor(Glyph_Background);
        c->Pen()->SetColor(Glyph_Background);
        c->Ellipse(12, 12, 20, 20);
    });
    Set_Glyph(Btn_Close, 32, [](TCanvas* c) {
        Disk(c, RGB(200, 50, 45), 32);
        c->Pen()->SetColor(clWhite);
        c->Pen()->SetWidth(4);
        Line(c, {10, 10}, {22, 22});
        Line(c, {22, 10}, {10, 22});
    });

    // Step buttons, 20 pixels, text beside the picture.
    Set_Glyph(Btn_New, 20, [](TCanvas* c) {
        c->Pen()->SetColor(RGB(100, 100, 100));
        c->Brush()->SetColor(clWhite);
        c->Rectangle(3, 1, 15, 19);
        c->Pen()->SetColor(RGB(30, 150, 60));
        c->Pen()->SetWidth(3);
        Line(c, {13, 9}, {13, 19});
        Line(c, {8, 14}, {18, 14});
    });
    Set_Glyph(Btn_Open, 20, [](TCanvas* c) {
        c->Pen()->SetColor(RGB(170, 120, 20));
        c->Brush()->SetColor(RGB(240, 190, 60));
        c->Rectangle(1, 4, 9, 8);
        c->Rectangle(1, 6, 19, 17);
    });
    Set_Glyph(Btn_Prm_Gen, 20, [](TCanvas* c) {
        c->Pen()->SetColor(RGB(40, 90, 160));
        c->Brush()->SetColor(RGB(120, 170, 230));
        c->Rectangle(1, 2, 9, 8);
        c->Rectangle(11, 12, 19, 18);
        c->Pen()->SetWidth(2);
        Line(c, {5, 8}, {5, 15});
        Line(c, {5, 15}, {11, 15});
    });
    Set_Glyph(Btn_LoRaWAN_Access, 20, [](TCanvas* c) {
        c->Pen()->SetColor(RGB(30, 120, 120));
        c->Pen()->SetWidth(2);
        Line(c, {10, 8}, {10, 19});
        c->Brush()->SetStyle(bsClear);
        c->Ellipse(6, 4, 14, 12);
        c->Ellipse(2, 0, 18, 16);
    });
    Set_Glyph(Btn_BACnet_SetAccess, 20, [](TCanvas* c) {
        c->Pen()->SetColor(RGB(110, 70, 150));
        c->Brush()->SetColor(clWhite);
        c->Rectangle(1, 2, 19, 18);
        for (Integer y : {7, 12})
            Line(c, {1, y}, {19, y});
        Line(c, {8, 2}, {8, 18});
    });
    Set_Glyph(Btn_CreateBin, 20, [](TCanvas* c) {
        c->Pen()->SetColor(RGB(30, 150, 60));
        c->Brush()->SetColor(RGB(30, 150, 60));
        c->Rectangle(8, 1, 13, 10);
        c->Polygon({TPoint{3, 9}, TPoint{17, 9}, TPoint{10, 17}});
        c->Rectangle(2, 17, 19, 19);
    });
    for (TFxButton* b : {Btn_New, Btn_Open, Btn_Prm_Gen, Btn_LoRaWAN_Access, Btn_BACnet_SetAccess, Btn_CreateBin})
        b->SetAlignment(taLeftJustify);
}
