#include "grid/dropdown/ExColorSelectors.h"

#include <algorithm>
#include <cmath>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/ExtCtrls.h"
#include "platform/Form.h"
#include "platform/Text.h"

// ------------------------------------------------------------ pictures

void LoadKavroSpectrum(TBitmap* Bitmap)
{
    constexpr Integer Size = 128;
    Bitmap->SetPixelFormat(pf24bit);
    Bitmap->SetSize(Size, Size);
    for (Integer y = 0; y < Size; ++y) {
        Byte* line = Bitmap->ScanLine(y);
        for (Integer x = 0; x < Size; ++x) {
            // The full colour of this hue (six sectors of the circle).
            const double h = 6.0 * x / Size;
            const Integer sector = Integer(h) % 6;
            const double f = h - std::floor(h);
            double rgb[3] = {0, 0, 0};
            switch (sector) {
            case 0: rgb[0] = 1; rgb[1] = f; break;
            case 1: rgb[0] = 1 - f; rgb[1] = 1; break;
            case 2: rgb[1] = 1; rgb[2] = f; break;
            case 3: rgb[1] = 1 - f; rgb[2] = 1; break;
            case 4: rgb[0] = f; rgb[2] = 1; break;
            default: rgb[0] = 1; rgb[2] = 1 - f; break;
            }
            // White at the top, the full colour at row 64, black at the bottom.
            Byte out[3];
            for (int i = 0; i < 3; ++i) {
                const double v = y <= 64 ? 1.0 - (1.0 - rgb[i]) * y / 64.0 : rgb[i] * (Size - 1 - y) / double(Size - 1 - 64);
                out[i] = Byte(std::lround(std::clamp(v, 0.0, 1.0) * 255));
            }
            line[4 * x] = out[2];
            line[4 * x + 1] = out[1];
            line[4 * x + 2] = out[0];
            line[4 * x + 3] = 0xFF;
        }
    }
}

void LoadKavroPointer(TBitmap* Bitmap)
{
    constexpr TColor Clear = 0xFF00FF;
    Bitmap->SetPixelFormat(pf24bit);
    Bitmap->SetSize(32, 32);
    TCanvas* c = Bitmap->Canvas();
    c->Brush()->SetColor(Clear);
    c->FillRect(TRect(0, 0, 32, 32));
    // The pipette from its tip at the lower left up to the bulb.
    c->Pen()->SetColor(clBlack);
    c->Pen()->SetWidth(5);
    c->MoveTo(4, 27);
    c->LineTo(20, 11);
    c->Pen()->SetWidth(1);
    c->Brush()->SetColor(clBlack);
    c->Ellipse(19, 2, 30, 13);
    c->Polygon({TPoint{1, 30}, TPoint{2, 26}, TPoint{5, 29}});
    c->Pen()->SetColor(clWhite);
    c->MoveTo(4, 27);
    c->LineTo(19, 12);
    c->Pen()->SetWidth(3);
    c->MoveTo(16, 10);
    c->LineTo(22, 16);
    c->Pen()->SetWidth(1);
    Bitmap->SetTransparentColor(Clear);
    Bitmap->SetTransparent(true);
}

// ------------------------------------------------------------ palette items

void TColorBoxItem::SetColor(TColor Value)
{
    if (Value == FColor)
        return;
    FColor = Value;
    auto* c = dynamic_cast<TColorBoxItems*>(Collection());
    if (c != nullptr && c->OnChange)
        c->OnChange(c);
}

void TColorBoxItem::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TColorBoxItem*>(Source);
    if (s == nullptr) {
        TCollectionItem::Assign(Source);
        return;
    }
    SetColor(s->FColor);
    FEnabled = s->FEnabled;
}

TColorBoxItems::TColorBoxItems(TPersistent* AOwner)
    : TCollection([](TCollection* c) { return new TColorBoxItem(c); }), FOwner(AOwner)
{
}

void TColorBoxAppearance::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TColorBoxAppearance*>(Source);
    if (s == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    BorderColor = s->BorderColor;
    OuterBorderColorHot = s->OuterBorderColorHot;
    InnerBorderColorHot = s->InnerBorderColorHot;
    OuterBorderColorSelected = s->OuterBorderColorSelected;
    InnerBorderColorSelected = s->InnerBorderColorSelected;
}

// ------------------------------------------------------------ the palette

TCustomColorSelector::TCustomColorSelector(TComponent* AOwner)
    : TExCustomColorSelectorPanel(AOwner), FItems(std::make_unique<TColorBoxItems>(this)),
      FAppearance(std::make_unique<TColorBoxAppearance>())
{
    SetItemColorStyle(scOffice2007);
    SetParentColor(true);
}

TCustomColorSelector::~TCustomColorSelector() = default;

void TCustomColorSelector::SetItemColorStyle(TSelectionColorStyle Value)
{
    if (Value == FItemColorStyle)
        return;
    FItemColorStyle = Value;
    if (Value == scCustom)
        return;
    // The three selection styles share the palette's marks.
    TColorBoxAppearance preset;
    FAppearance->Assign(&preset);
}

void TCustomColorSelector::SetColumns(Integer Value)
{
    if (Value == FColumns)
        return;
    FColumns = Value;
    UpdateLayout();
}

void TCustomColorSelector::SetColumnGap(Integer Value)
{
    if (Value == FColumnGap)
        return;
    FColumnGap = Value;
    UpdateLayout();
}

void TCustomColorSelector::SetColorBoxWidth(Integer Value)
{
    if (Value == FColorBoxWidth)
        return;
    FColorBoxWidth = Value;
    UpdateLayout();
}

void TCustomColorSelector::SetColorBoxHeight(Integer Value)
{
    if (Value == FColorBoxHeight)
        return;
    FColorBoxHeight = Value;
    UpdateLayout();
}

void TCustomColorSelector::GetItemsRect(TRect& R) const
{
    R = ClientRect();
    R.Left += FOffSetX;
    R.Right -= FOffSetX;
    R.Top += FOffSetY;
    R.Bottom -= FOffSetY;
}

void TCustomColorSelector::GetColorBoxSize(TSize& Size) const
{
    Size.cx = FColorBoxWidth;
    Size.cy = FColorBoxHeight;
}

void TCustomColorSelector::UpdateLayout()
{
    if (FItems->Count() == 0) {
        SetBounds(Left(), Top(), 100, 50);
        return;
    }
    FItemHot = -1;
    TSize box;
    GetColorBoxSize(box);
    TRect area;
    GetItemsRect(area);
    Integer x = area.Left, y = area.Top, col = 0, maxX = 0;
    bool gap = false;
    for (Integer i = 0; i < FItems->Count(); ++i) {
        TColorBoxItem* item = FItems->Items(i);
        item->SetRect(TRect(x, y, x + box.cx, y + box.cy));
        ++col;
        if (i == FItems->Count() - 1)
            break;
        // A row holding a stand-alone box is followed by a gap; the other
        // rows touch and form continuous columns.
        if (item->ColorBoxPos() == ipStandAlone)
            gap = true;
        if (col >= FColumns) {
            maxX = std::max(maxX, x);
            x = area.Left;
            y += box.cy + (gap ? FColumnGap : 0);
            col = 0;
            gap = false;
        } else {
            x += box.cx + FColumnGap;
        }
    }
    maxX = std::max(maxX, x);
    SetBounds(Left(), Top(), maxX + box.cx + area.Left + 1, y + box.cy + area.Top);
    Invalidate();
}

void TCustomColorSelector::FillPalette()
{
    static const TColor Palette[6][10] = {
        {0xFFFFFF, 0x000000, 0xE1ECEE, 0x7D491F, 0xBD814F, 0x4D50C0, 0x59BB9B, 0xA26480, 0xC6AC4B, 0x4696F7},
        {0xF2F2F2, 0x7F7F7F, 0xC3D9DD, 0xDACEC2, 0xF1E5DB, 0xDBDCF2, 0xDDF1EB, 0xECE0E5, 0xF3EEDB, 0xDAEAFD},
        {0xD8D8D8, 0x595959, 0x97BDC4, 0xE2B38D, 0xE4CCB8, 0xB7B9E5, 0xBCE3D7, 0xD9C1CC, 0xE8DDB7, 0xB5D5FB},
        {0xBFBFBF, 0x3F3F3F, 0x538993, 0xD48D54, 0xD7B395, 0x9496D9, 0x9BD6C3, 0xC7A2B2, 0xDCCD92, 0x8FC0FA},
        {0xA5A5A5, 0x262626, 0x294449, 0x5D3617, 0x926036, 0x343795, 0x3C9276, 0x7A495F, 0x9B8531, 0x096CE3},
        {0x7F7F7F, 0x0C0C0C, 0x101B1D, 0x3E240F, 0x614024, 0x232463, 0x28614F, 0x51313F, 0x675820, 0x064897},
    };
    static const TItemPos Rows[6] = {ipStandAlone, ipTop, ipMiddle, ipMiddle, ipMiddle, ipBottom};
    FItems->Clear();
    for (Integer r = 0; r < 6; ++r)
        for (Integer c = 0; c < 10; ++c) {
            TColorBoxItem* item = FItems->Add();
            item->SetColor(Palette[r][c]);
            item->SetColorBoxPos(Rows[r]);
        }
}

TRect TCustomColorSelector::GetItemRect(Integer Index) const
{
    if (!ValidIndex(Index))
        return TRect(-1, -1, -1, -1);
    return FItems->Items(Index)->Rect();
}

Integer TCustomColorSelector::ItemAtPos(Integer X, Integer Y) const
{
    for (Integer i = 0; i < FItems->Count(); ++i) {
        const TRect r = FItems->Items(i)->Rect();
        if (X >= r.Left && X < r.Right && Y >= r.Top && Y < r.Bottom)
            return i;
    }
    return -1;
}

void TCustomColorSelector::InvalidateItem(Integer Index)
{
    if (ValidIndex(Index))
        Invalidate();
}

void TCustomColorSelector::DrawItem(Integer Index, TCanvas* ACanvas)
{
    if (!ValidIndex(Index) || ACanvas == nullptr)
        return;
    const TColorBoxItem* item = FItems->Items(Index);
    TRect r = item->Rect();
    if (r.IsEmpty())
        return;
    if (item->Color() != clNone) {
        ACanvas->Pen()->SetColor(item->Color());
        ACanvas->Brush()->SetStyle(bsSolid);
        ACanvas->Brush()->SetColor(item->Color());
        ACanvas->Rectangle(r);
    }
    const bool selected = Index == FItemIndex, hot = Index == FItemHot;
    if (selected || hot) {
        const TColor outer = selected ? FAppearance->OuterBorderColorSelected : FAppearance->OuterBorderColorHot;
        const TColor inner = selected ? FAppearance->InnerBorderColorSelected : FAppearance->InnerBorderColorHot;
        ACanvas->Brush()->SetStyle(bsClear);
        if (outer != clNone) {
            ACanvas->Pen()->SetColor(outer);
            ACanvas->Rectangle(r);
            InflateRect(r, -1, -1);
        }
        if (inner != clNone) {
            ACanvas->Pen()->SetColor(inner);
            ACanvas->Rectangle(r);
        }
        ACanvas->Brush()->SetStyle(bsSolid);
        return;
    }
    ACanvas->Pen()->SetColor(FAppearance->BorderColor);
    const Integer L = r.Left, T = r.Top, R = r.Right, B = r.Bottom;
    switch (item->ColorBoxPos()) {
    case ipStandAlone: ACanvas->Polyline({{L, B}, {L, T}, {R, T}, {R, B}, {L, B}}); break;
    case ipTop: ACanvas->Polyline({{L, B}, {L, T}, {R, T}, {R, B}}); break;
    case ipMiddle:
        ACanvas->Polyline({{L, T}, {L, B}});
        ACanvas->Polyline({{R, T}, {R, B}});
        break;
    case ipBottom:
        ACanvas->Polyline({{L, T}, {L, B}, {R, B}});
        ACanvas->Polyline({{R, T}, {R, B + 1}});
        break;
    }
}

void TCustomColorSelector::Paint()
{
    TCanvas* c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(ClientRect());
    for (Integer i = 0; i < FItems->Count(); ++i)
        DrawItem(i, c);
}

void TCustomColorSelector::SetItemIndex(Integer Index)
{
    // A box that does not exist or is disabled cannot be selected.
    if (Index >= FItems->Count() || (ValidIndex(Index) && !FItems->Items(Index)->Enabled()))
        return;
    if (FItemIndex >= 0 && FItemIndex != Index) {
        const Integer old = FItemIndex;
        FItemIndex = -1;
        InvalidateItem(old);
    }
    FItemIndex = Index;
    if (Index < 0)
        return;
    FSelectedColor = FItems->Items(Index)->Color();
    InvalidateItem(Index);
    if (OnItemSelect)
        OnItemSelect(this);
}

void TCustomColorSelector::SetItemHot(Integer Index)
{
    if (Index == FItemHot || (ValidIndex(Index) && !FItems->Items(Index)->Enabled()))
        return;
    const Integer old = FItemHot;
    FItemHot = Index;
    InvalidateItem(old);
    InvalidateItem(Index);
}

void TCustomColorSelector::SetSelectedColor(TColor Value)
{
    if (Value == FSelectedColor)
        return;
    FSelectedColor = Value;
    if (Value == clNone)
        SetItemIndex(-1);
    for (Integer i = 0; i < FItems->Count(); ++i)
        if (FItems->Items(i)->Color() == Value) {
            SetItemIndex(i);
            return;
        }
    SetItemIndex(-1);
}

void TCustomColorSelector::SelectFirst()
{
    if (FItems->Count() > 0)
        SetItemIndex(0);
}

void TCustomColorSelector::SelectLast()
{
    if (FItems->Count() > 0)
        SetItemIndex(FItems->Count() - 1);
}

void TCustomColorSelector::SelectNext()
{
    if (FItemIndex + 1 < FItems->Count())
        SetItemIndex(FItemIndex + 1);
}

void TCustomColorSelector::SelectPrevious()
{
    if (FItemIndex - 1 >= 0)
        SetItemIndex(FItemIndex - 1);
}

void TCustomColorSelector::HotNext()
{
    if (FItemHot + 1 < FItems->Count())
        SetItemHot(FItemHot + 1);
}

void TCustomColorSelector::HotPrevious()
{
    if (FItemHot - 1 >= 0)
        SetItemHot(FItemHot - 1);
}

void TCustomColorSelector::HandleKey(Word Key, bool EditorEnabled, bool DroppedDown)
{
    if (!Enabled() || Key < VK_PRIOR || Key > VK_DOWN)
        return;
    Integer target = -1;
    switch (Key) {
    case VK_PRIOR:
    case VK_HOME: SelectFirst(); return;
    case VK_NEXT:
    case VK_END: SelectLast(); return;
    case VK_LEFT:
        if (DroppedDown || !EditorEnabled)
            SelectPrevious();
        return;
    case VK_RIGHT:
        if (DroppedDown || !EditorEnabled)
            SelectNext();
        return;
    case VK_UP:
        if (!DroppedDown) {
            SelectPrevious();
            return;
        }
        target = FItemIndex < 0 ? 0 : FItemIndex - FColumns;
        break;
    case VK_DOWN:
        if (!DroppedDown) {
            SelectNext();
            return;
        }
        target = FItemIndex < 0 ? 0 : FItemIndex + FColumns;
        break;
    default: return;
    }
    if (ValidIndex(target))
        SetItemIndex(target);
}

void TCustomColorSelector::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TExCustomColorSelectorPanel::MouseDown(Button, Shift, X, Y);
    const Integer i = ItemAtPos(X, Y);
    if (ValidIndex(i) && FItems->Items(i)->Enabled())
        SetItemIndex(i);
}

void TCustomColorSelector::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TExCustomColorSelectorPanel::MouseMove(Shift, X, Y);
    Integer i = ItemAtPos(X, Y);
    if (ValidIndex(i) && !FItems->Items(i)->Enabled())
        i = -1;
    if (i != FItemHot) {
        const Integer old = FItemHot;
        FItemHot = i;
        InvalidateItem(old);
        InvalidateItem(i);
    }
}

void TCustomColorSelector::Dispatch(TMessage& Message)
{
    TExCustomColorSelectorPanel::Dispatch(Message);
    if (Message.Msg == CM_MOUSELEAVE && Message.LParam == LPARAM(this) && FItemHot >= 0) {
        const Integer old = FItemHot;
        FItemHot = -1;
        InvalidateItem(old);
    }
}

// ------------------------------------------------------------ the cube

namespace {

const TColor CubeColors[TExColorCubePanel::CellCount] = {
    // row 1
    0x663300, 0x996633, 0xCC6633, 0x993300, 0x990000, 0xCC0000, 0x660000,
    // row 2
    0x666600, 0x996600, 0xCC9900, 0xCC6600, 0xCC3300, 0xFF0000, 0xFF3333, 0x993333,
    // row 3
    0x808000, 0x999900, 0xCCCC33, 0xFFCC00, 0xFF9900, 0xFF6600, 0xFF6633, 0xCC3333, 0x996666,
    // row 4
    0x669933, 0x99CC00, 0xCCFF00, 0xFFFF00, 0xFFCC33, 0xFF9933, 0xFF9966, 0xFF6666, 0xFF0066, 0xCC0066,
    // row 5
    0x339933, 0x66CC00, 0x99FF00, 0xCCFF66, 0xFFFF66, 0xFFCC66, 0xFFCC99, 0xFF9999, 0xFF6699, 0xFF3399, 0xFF0099,
    // row 6
    0x006600, 0x00CC00, 0x00FF00, 0x99FF66, 0xCCFF99, 0xFFFFCC, 0xFFECCC, 0xFFCCCC, 0xFF99CC, 0xFF66CC, 0xFF00CC,
    0xCC0099,
    // row 7
    0x003300, 0x008000, 0x33CC33, 0x66FF66, 0x99FF99, 0xCCFFCC, 0xFFFFFF, 0xFFCCFF, 0xFF99FF, 0xFF66FF, 0xFF00FF,
    0xCC00CC, 0x660066,
    // row 8
    0x006633, 0x009900, 0x33FF66, 0x66FF99, 0x99FFCC, 0xCCFFFF, 0xCCCCFF, 0xCC99FF, 0xCC66FF, 0xCC33FF, 0x9900CC,
    0x800080,
    // row 9
    0x003333, 0x009966, 0x33FF99, 0x66FFCC, 0x99FFFF, 0x99CCFF, 0x9999FF, 0x9966FF, 0x9933FF, 0x9933CC, 0x990099,
    // row 10
    0x336666, 0x00CC99, 0x33FFCC, 0x66FFFF, 0x66CCFF, 0x6699FF, 0x807CFF, 0x6600FF, 0x9300D6, 0x663399,
    // row 11
    0x008080, 0x00CCCC, 0x00FFFF, 0x00CCFF, 0x3399FF, 0x0066FF, 0x5050FF, 0x6600CC, 0x330066,
    // row 12
    0x336699, 0x0099CC, 0x0099FF, 0x0066CC, 0x0033FF, 0x0000FF, 0x0000CC, 0x330099,
    // row 13
    0x003366, 0x006699, 0x0033CC, 0x003399, 0x000099, 0x000080, 0x2100A5,
};

// A hexagon with its points up and down around the centre.
void Hexagon(TCanvas* C, TPoint P, Integer A, Integer B)
{
    C->Polygon({TPoint{P.X - B, P.Y - A}, TPoint{P.X, P.Y - 2 * A}, TPoint{P.X + B, P.Y - A}, TPoint{P.X + B, P.Y + A},
                TPoint{P.X, P.Y + 2 * A}, TPoint{P.X - B, P.Y + A}});
}

} // namespace

TExColorCubePanel::TExColorCubePanel(TComponent* AOwner) : TExCustomColorSelectorPanel(AOwner)
{
    BuildCells();
    SetShowRGBHint(true);
    SetBounds(0, 0, 182, 160);
}

void TExColorCubePanel::SetShowRGBHint(bool Value)
{
    FShowRGBHint = Value;
    SetShowHint(Value);
}

void TExColorCubePanel::BuildCells()
{
    Integer index = 1;
    for (Integer n = 1; n <= 13; ++n) {
        const Integer count = n <= 7 ? n + 6 : 20 - n;
        Integer x = n <= 7 ? 55 - FCubeSize.X * (n - 1) : 19 + FCubeSize.X * (n - 7);
        const Integer y = 20 + 10 * (n - 1);
        for (Integer i = 0; i < count; ++i, ++index) {
            FCells[size_t(index)].Center = {x, y};
            FCells[size_t(index)].Color = CubeColors[index - 1];
            x += 2 * FCubeSize.X;
        }
    }
}

void TExColorCubePanel::ResetHot()
{
    FHotIndex = -1;
    SetBounds(Left(), Top(), 182, 160);
}

void TExColorCubePanel::SelectCubeCell(TColor Color, Integer Index)
{
    FSelectedColor = Color;
    if (Index >= 1 && Index <= CellCount) {
        FSelectedIndex = Index;
        return;
    }
    FSelectedIndex = -1;
    for (Integer i = 1; i <= CellCount; ++i)
        if (FCells[size_t(i)].Color == Color) {
            FSelectedIndex = i;
            break;
        }
}

Integer TExColorCubePanel::CellAtPos(Integer X, Integer Y) const
{
    const Integer r2 = FCubeSize.X * FCubeSize.X;
    for (Integer i = 1; i <= CellCount; ++i) {
        const Integer dx = X - FCells[size_t(i)].Center.X, dy = Y - FCells[size_t(i)].Center.Y;
        if (dx * dx + dy * dy <= r2)
            return i;
    }
    return -1;
}

void TExColorCubePanel::DrawCubeCell(TCanvas* C, Integer Index)
{
    if (Index < 1 || Index > CellCount)
        return;
    const TCubeCell& cell = FCells[size_t(Index)];
    C->Pen()->SetColor(cell.Color);
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(cell.Color);
    Hexagon(C, cell.Center, FCubeSize.Y, FCubeSize.X);
    const bool hot = Index == FHotIndex, selected = Index == FSelectedIndex;
    for (int mark = 0; mark < 2; ++mark) {
        if ((mark == 0 && !hot) || (mark == 1 && !selected))
            continue;
        // Hot: a red ring, selected: a black one, each with a white one inside.
        C->Brush()->SetStyle(bsClear);
        C->Pen()->SetColor(mark == 0 ? TColor(0x0000FF) : TColor(0));
        Hexagon(C, cell.Center, FCubeSize.Y, FCubeSize.X - 1);
        C->Pen()->SetColor(clWhite);
        Hexagon(C, cell.Center, FCubeSize.Y - 1, FCubeSize.X - 2);
        C->Brush()->SetStyle(bsSolid);
    }
}

void TExColorCubePanel::DrawCubeCells(TCanvas* C)
{
    for (Integer i = 1; i <= CellCount; ++i)
        DrawCubeCell(C, i);
}

void TExColorCubePanel::Paint()
{
    TCanvas* c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(ClientRect());
    DrawCubeCells(c);
}

void TExColorCubePanel::InvalidateCell(Integer Index)
{
    if (Index < 1 || Index > CellCount)
        return;
    Invalidate();
}

void TExColorCubePanel::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TExCustomColorSelectorPanel::MouseMove(Shift, X, Y);
    const Integer i = CellAtPos(X, Y);
    if (i > 0) {
        if (i == FHotIndex)
            return;
        const Integer old = FHotIndex;
        FHotIndex = i;
        InvalidateCell(old);
        InvalidateCell(i);
        if (FShowRGBHint) {
            const TColor c = FCells[size_t(i)].Color;
            SetHint(Format(QStringLiteral("Red: %d,  Green: %d,  Blue: %d"),
                           {Integer(c & 0xFF), Integer((c >> 8) & 0xFF), Integer((c >> 16) & 0xFF)}));
            Application->CancelHint();
        }
    } else if (FShowRGBHint) {
        SetHint(QString());
        Application->CancelHint();
    }
}

void TExColorCubePanel::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TExCustomColorSelectorPanel::MouseDown(Button, Shift, X, Y);
    const Integer i = CellAtPos(X, Y);
    if (i <= 0)
        return;
    InvalidateCell(FSelectedIndex);
    SelectCubeCell(FCells[size_t(i)].Color, i);
    InvalidateCell(i);
    if (OnSelect)
        OnSelect(this);
}

void TExColorCubePanel::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TExCustomColorSelectorPanel::MouseUp(Button, Shift, X, Y);
    DoShouldHide();
}

// ------------------------------------------------------------ the spectrum

TExColorSpectrumPanel::TExColorSpectrumPanel(TComponent* AOwner)
    : TExCustomColorSelectorPanel(AOwner), FSpectrum(std::make_unique<TBitmap>())
{
    LoadKavroSpectrum(FSpectrum.get());
    FSpectrumImage = new TImage(this);
    FSpectrumImage->SetParent(this);
    FSpectrumImage->SetBounds(0, 0, 128, 128);
    FSpectrumImage->Picture()->Assign(FSpectrum.get());
    FSpectrumImage->OnMouseMove = [this](TObject*, TShiftState, Integer X, Integer Y) { SpectrumMouseMove(X, Y); };
    FSpectrumImage->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, Integer, Integer) {
        SpectrumMouseDown();
    };
    FSpectrumImage->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, Integer, Integer) { DoShouldHide(); };
    TBitmap pointer;
    LoadKavroPointer(&pointer);
    Screen->SetCursorImage(crKavroPointer, &pointer, {1, 30});
    FSpectrumImage->SetCursor(crKavroPointer);
    SetBounds(0, 0, 150, 174);
}

TExColorSpectrumPanel::~TExColorSpectrumPanel() = default;

void TExColorSpectrumPanel::SetSelectedColor(TColor Value)
{
    FSelectedColor = Value;
}

void TExColorSpectrumPanel::ArrangeSpectrum()
{
    SetBounds(Left(), Top(), 150, 174);
    TImage* im = FSpectrumImage;
    im->SetBounds((150 - im->Width()) / 2, 10, im->Width(), im->Height());
    const Integer bottom = im->Top() + im->Height();
    FSelectedRect = TRect(im->Left() - 1, bottom + 8, im->Left() + im->Width() / 2 - 2, bottom + 28);
    FHotRect = TRect(FSelectedRect.Right + 4, FSelectedRect.Top, im->Left() + im->Width() + 1, FSelectedRect.Bottom);
    FHotColor = clNone;
    Invalidate();
}

void TExColorSpectrumPanel::DrawSwatch(TCanvas* C, const TRect& R, TColor Color)
{
    C->Brush()->SetStyle(bsClear);
    C->Pen()->SetColor(0x808080);
    C->Rectangle(R.Left - 1, R.Top - 1, R.Right + 1, R.Bottom + 1);
    C->Pen()->SetColor(clWhite);
    // Without a colour the swatch stays empty.
    if (Color != clNone) {
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(Color);
    }
    C->Rectangle(R);
    C->Brush()->SetStyle(bsSolid);
}

void TExColorSpectrumPanel::DrawHot(TCanvas* C)
{
    DrawSwatch(C, FHotRect, FHotColor);
}

void TExColorSpectrumPanel::DrawSelected(TCanvas* C)
{
    DrawSwatch(C, FSelectedRect, FSelectedColor);
}

void TExColorSpectrumPanel::Paint()
{
    TCanvas* c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(ClientRect());
    const TImage* im = FSpectrumImage;
    const TRect r(im->Left(), im->Top(), im->Left() + im->Width(), im->Top() + im->Height());
    c->Brush()->SetStyle(bsClear);
    c->Pen()->SetColor(clWhite);
    c->Rectangle(r.Left - 1, r.Top - 1, r.Right + 1, r.Bottom + 1);
    c->Pen()->SetColor(0x808080);
    c->Rectangle(r.Left - 2, r.Top - 2, r.Right + 2, r.Bottom + 2);
    c->Brush()->SetStyle(bsSolid);
    DrawSelected(c);
    DrawHot(c);
}

void TExColorSpectrumPanel::SpectrumMouseMove(Integer X, Integer Y)
{
    // The colour shown under the pointer: the image shows the picture 1:1.
    if (X < 0 || Y < 0 || X >= FSpectrum->Width() || Y >= FSpectrum->Height())
        return;
    FHotColor = FSpectrum->Canvas()->Pixels(X, Y);
    Invalidate();
}

void TExColorSpectrumPanel::SpectrumMouseDown()
{
    FSelectedColor = FHotColor;
    Invalidate();
    if (OnSelect)
        OnSelect(this);
}

void TExColorSpectrumPanel::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TExCustomColorSelectorPanel::MouseUp(Button, Shift, X, Y);
    DoShouldHide();
}
