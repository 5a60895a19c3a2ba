#include "grid/dropdown/ExItemSelector.h"

#include "grid/dropdown/ListStep.h"

#include "grid/EsgHTMLE.h"
#include "grid/ExUtil.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Form.h"
#include "platform/ImageList.h"
#include "platform/Text.h"

// ------------------------------------------------------------ items

TSelectorItem::TSelectorItem(TCollection* Collection)
    : TCollectionItem(Collection), FImage(std::make_unique<TPicture>())
{
}

TSelectorItem::~TSelectorItem() = default;

void TSelectorItem::NotifyChanged()
{
    if (auto* c = dynamic_cast<TSelectorItems*>(Collection()))
        c->DoChange();
}

void TSelectorItem::SetCaption(const QString& Value)
{
    if (Value == FCaption)
        return;
    FCaption = Value;
    NotifyChanged();
}

void TSelectorItem::SetColor(TColor Value)
{
    if (Value == FColor)
        return;
    FColor = Value;
    NotifyChanged();
}

void TSelectorItem::SetImageIndex(Integer Value)
{
    if (Value == FImageIndex)
        return;
    FImageIndex = Value;
    NotifyChanged();
}

void TSelectorItem::SetImage(const TPicture* Value)
{
    FImage->Assign(Value);
}

bool TSelectorItem::HasPicture() const
{
    return FImage->Graphic() != nullptr && !FImage->Graphic()->Empty();
}

void TSelectorItem::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TSelectorItem*>(Source);
    if (s == nullptr) {
        TCollectionItem::Assign(Source);
        return;
    }
    SetCaption(s->FCaption);
    SetColor(s->FColor);
    SetImageIndex(s->FImageIndex);
    FImage->Assign(s->FImage.get());
    FEnabled = s->FEnabled;
    FHint = s->FHint;
}

TSelectorItems::TSelectorItems(TPersistent* AOwner)
    : TCollection([](TCollection* c) { return new TSelectorItem(c); }), FMyOwner(AOwner)
{
}

// ------------------------------------------------------------ appearance

TItemAppearance::TItemAppearance(TPersistent* AOwner) : FOwner(AOwner), FFont(std::make_unique<TFont>())
{
    FFont->SetName(QStringLiteral("Tahoma"));
    SetColorStyle(scOffice2007);
    FColorHotText = clBlack;
    FColorSelectedText = clBlack;
    FBorderColorHot = clNone;
    FBorderColorSelected = clNone;
}

TItemAppearance::~TItemAppearance() = default;

void TItemAppearance::SetFont(const TFont* Value)
{
    FFont->Assign(Value);
}

void TItemAppearance::SetColorStyle(TSelectionColorStyle Value)
{
    if (Value == FColorStyle)
        return;
    FColorStyle = Value;
    struct TPreset {
        TColor Hot, HotTo, MirrorHot, MirrorHotTo, Selected, SelectedTo, MirrorSelected, MirrorSelectedTo;
        TColor Border, Top, Bottom, Edge;
    };
    TPreset p{};
    switch (Value) {
    case scOffice2007:
        p = {0xD7FFFD, 0x58D4FC, 0x58D4FC, 0xB3F1FC, 0xA6FFFB, 0x04B9F4, 0x15C1FB, 0x68E3F9, 0x8DD7D3, 0xF4FEFF, 0xCAF8FF, 0xC3D9DF};
        break;
    case scWindowsVista:
        p = {0xFDF8F1, 0xFCEFD5, clNone, clNone, 0xFAEEDE, 0xFAE3B4, clNone, clNone, 0xFDDE99, 0xFDFBF6, 0xFDF5E7, 0xFCEDCB};
        break;
    case scWindows7:
        p = {0xFCEBDC, 0xFCDBC1, clNone, clNone, 0xF9D8B9, 0xFBCAA2, clNone, clNone, 0xCEA27D, 0xFDF4EB, 0xFDEADB, 0xE0C5AE};
        break;
    case scCustom: return;
    }
    FColorHot = p.Hot;
    FColorHotTo = p.HotTo;
    FColorMirrorHot = p.MirrorHot;
    FColorMirrorHotTo = p.MirrorHotTo;
    FColorSelected = p.Selected;
    FColorSelectedTo = p.SelectedTo;
    FColorMirrorSelected = p.MirrorSelected;
    FColorMirrorSelectedTo = p.MirrorSelectedTo;
    FBorderColor = p.Border;
    FBorderColorTop = p.Top;
    FBorderColorBottom = p.Bottom;
    FEdgeColor = p.Edge;
}

void TItemAppearance::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TItemAppearance*>(Source);
    if (s == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    FColorHot = s->FColorHot;
    FColorHotTo = s->FColorHotTo;
    FColorMirrorHot = s->FColorMirrorHot;
    FColorMirrorHotTo = s->FColorMirrorHotTo;
    FColorSelected = s->FColorSelected;
    FColorSelectedTo = s->FColorSelectedTo;
    FColorMirrorSelected = s->FColorMirrorSelected;
    FColorMirrorSelectedTo = s->FColorMirrorSelectedTo;
    FBorderColor = s->FBorderColor;
    FBorderColorTop = s->FBorderColorTop;
    FBorderColorBottom = s->FBorderColorBottom;
    FEdgeColor = s->FEdgeColor;
    FFont->Assign(s->FFont.get());
    SetColorStyle(s->FColorStyle);
    FColorSelectedText = s->FColorSelectedText;
    FColorHotText = s->FColorHotText;
    FBorderColorHot = s->FBorderColorHot;
    FBorderColorSelected = s->FBorderColorSelected;
}

// ------------------------------------------------------------ panel

TCustomItemSelector::TCustomItemSelector(TComponent* AOwner) : TCustomControl(AOwner)
{
    FExItemSelector = dynamic_cast<TExCustomItemSelector*>(AOwner);
    if (FExItemSelector == nullptr)
        throw std::runtime_error("Invalid parent");
    SetParentColor(true);
}

Integer TCustomItemSelector::Count() const
{
    return FExItemSelector != nullptr ? FExItemSelector->Items()->Count() : 0;
}

TSelectorItem* TCustomItemSelector::Item(Integer Index) const
{
    return FExItemSelector->Items()->Items(Index);
}

TRect TCustomItemSelector::GetItemRect(Integer Index) const
{
    if (!ValidIndex(Index))
        return {-1, -1, -1, -1};
    return Item(Index)->Rect();
}

Integer TCustomItemSelector::ItemAtPos(Integer X, Integer Y) const
{
    for (Integer i = 0; i < Count(); ++i)
        if (Item(i)->Rect().Contains({X, Y}))
            return i;
    return -1;
}

void TCustomItemSelector::InvalidateItem(Integer Index)
{
    if (ValidIndex(Index))
        Invalidate();
}

void TCustomItemSelector::GetItemArea(TRect& Rect) const
{
    Rect = ClientRect();
    Rect.Left += FOffSetX;
    Rect.Right -= FOffSetX;
    Rect.Top += FOffSetY;
    Rect.Bottom -= FOffSetY;
}

TSize TCustomItemSelector::PictureSize(const TSelectorItem* It) const
{
    const TExCustomItemSelector* h = FExItemSelector;
    if (h->SelectorType() == stColor)
        return {h->ColorBoxWidth(), h->ColorBoxHeight()};
    if (It->HasPicture())
        return {It->Image()->Width(), It->Image()->Height()};
    if (h->Images() != nullptr && It->ImageIndex() >= 0)
        return {h->Images()->Width(), h->Images()->Height()};
    return {0, 0};
}

void TCustomItemSelector::GetItemSize(TSize& Size)
{
    TExCustomItemSelector* h = FExItemSelector;
    if (h->OnItemSize) {
        h->OnItemSize(this, Size);
        return;
    }
    Integer w = 0, hh = 0, cw = 0, ch = 0;
    if (h->SelectorType() == stColor) {
        w = h->ColorBoxWidth();
        hh = h->ColorBoxHeight();
    }
    TBitmap measure(1, 1);
    TCanvas* c = measure.Canvas();
    c->Font()->Assign(h->ItemAppearance()->Font());
    for (Integer i = 0; i < Count(); ++i) {
        const TSelectorItem* it = Item(i);
        if (h->SelectorType() == stImage) {
            if (it->HasPicture()) {
                w = std::max(w, it->Image()->Width());
                hh = std::max(hh, it->Image()->Height());
            } else if (h->Images() != nullptr && it->ImageIndex() >= 0) {
                w = std::max(w, h->Images()->Width());
                hh = std::max(hh, h->Images()->Height());
            }
        }
        TSize s;
        DrawItemCaption(c, it->Caption(), TRect(0, 0, 1000, 500), h->Images(), false,
                        HandleAllocated() ? Handle() : nullptr, s);
        cw = std::max(cw, s.cx);
        ch = std::max(ch, s.cy);
    }
    if (cw > 0)
        cw += 4;
    if (h->ItemLayout() == ilCaptionLeft || h->ItemLayout() == ilCaptionRight) {
        Size.cx = 2 * FItemOffSetX + (w > 0 ? w : 0) + (w > 0 && cw > 0 ? FCaptionGap : 0) + cw;
        Size.cy = std::max(ch, hh) + 2 * FItemOffSetY;
    } else {
        Size.cx = std::max(cw, w) + 2 * FItemOffSetX;
        Size.cy = 2 * FItemOffSetY + (hh > 0 ? hh : 0) + (hh > 0 && ch > 0 ? FCaptionGap : 0) + ch;
    }
}

void TCustomItemSelector::UpdateLayout()
{
    if (Count() == 0) {
        SetBounds(Left(), Top(), 100, 50);
        return;
    }
    FItemHot = -1;
    TSize size;
    GetItemSize(size);
    TRect a;
    GetItemArea(a);
    const Integer columns = std::max(1, FExItemSelector->Columns());
    Integer x = a.Left, y = a.Top, maxX = 0, k = 0;
    for (Integer i = 0; i < Count(); ++i) {
        Item(i)->SetRect(TRect(x, y, x + size.cx, y + size.cy));
        ++k;
        if (i == Count() - 1)
            break;
        if (k < columns) {
            x += size.cx;
        } else {
            maxX = std::max(maxX, x);
            x = a.Left;
            y += size.cy;
            k = 0;
        }
    }
    maxX = std::max(maxX, x);
    SetBounds(Left(), Top(), Width(), y + size.cy + a.Top);
    SetBounds(Left(), Top(), maxX + size.cx + a.Left, Height());
    Invalidate();
}

void TCustomItemSelector::SetItemIndex(Integer Value)
{
    if (ValidIndex(Value) && !Item(Value)->Enabled())
        return;
    if (FItemIndex >= 0 && Value != FItemIndex) {
        const Integer old = FItemIndex;
        FItemIndex = -1;
        InvalidateItem(old);
    }
    FItemIndex = Value;
    if (Value >= 0) {
        InvalidateItem(Value);
        if (OnItemSelect)
            OnItemSelect(this);
    }
}

void TCustomItemSelector::SetItemHot(Integer Value)
{
    if (Value == FItemHot || (ValidIndex(Value) && !Item(Value)->Enabled()))
        return;
    if (FItemHot >= 0) {
        const Integer old = FItemHot;
        FItemHot = -1;
        InvalidateItem(old);
    }
    FItemHot = Value;
    if (Value >= 0)
        InvalidateItem(Value);
}

void TCustomItemSelector::SelectFirst()
{
    StepChoice(*this, FItemIndex, Count(), TListStep::First);
}

void TCustomItemSelector::SelectLast()
{
    StepChoice(*this, FItemIndex, Count(), TListStep::Last);
}

void TCustomItemSelector::SelectNext()
{
    StepChoice(*this, FItemIndex, Count(), TListStep::Next);
}

void TCustomItemSelector::SelectPrevious()
{
    StepChoice(*this, FItemIndex, Count(), TListStep::Previous);
}

void TCustomItemSelector::HotNext()
{
    if (Count() == 0)
        return;
    if (FItemHot < 0)
        SetItemHot(0);
    else if (FItemHot < Count() - 1)
        SetItemHot(FItemHot + 1);
}

void TCustomItemSelector::HotPrevious()
{
    if (Count() == 0)
        return;
    if (FItemHot < 0)
        SetItemHot(0);
    else if (FItemHot > 0)
        SetItemHot(FItemHot - 1);
}

bool TCustomItemSelector::LookupItem(const QString& Text)
{
    for (Integer i = 0; i < Count(); ++i) {
        const QString caption = AnsiUpperCase(StripHTMLTags(Item(i)->Caption()).trimmed());
        if (caption.startsWith(Text)) {
            SetItemIndex(i);
            return true;
        }
    }
    return false;
}

void TCustomItemSelector::Paint()
{
    Canvas()->Brush()->SetStyle(bsSolid);
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(ClientRect());
    DrawItems(Canvas());
}

void TCustomItemSelector::DrawItems(TCanvas* Canvas)
{
    for (Integer i = 0; i < Count(); ++i)
        DrawItem(i, Canvas);
}

void TCustomItemSelector::DrawItem(Integer Index, TCanvas* Canvas)
{
    if (!ValidIndex(Index) || Canvas == nullptr || FExItemSelector == nullptr)
        return;
    TExCustomItemSelector* h = FExItemSelector;
    const TItemAppearance* a = h->ItemAppearance();
    const TSelectorItem* it = Item(Index);
    const TRect R = GetItemRect(Index);
    if (R.Left < 0 && R.Right < 0)
        return;
    TColor outer = a->BorderColor(), top = a->BorderColorTop(), bottom = a->BorderColorBottom(), corner = a->EdgeColor();
    TColor from = clNone, to = clNone, mirrorFrom = clNone, mirrorTo = clNone;
    const bool hot = Index == FItemHot, selected = Index == FItemIndex;
    if (hot) {
        from = a->ColorHot();
        to = a->ColorHotTo();
        mirrorFrom = a->ColorMirrorHot();
        mirrorTo = a->ColorMirrorHotTo();
        if (a->BorderColorHot() != clNone) {
            outer = a->BorderColorHot();
            top = bottom = corner = clNone;
        }
    }
    if (selected) {
        from = a->ColorSelected();
        to = a->ColorSelectedTo();
        mirrorFrom = a->ColorMirrorSelected();
        mirrorTo = a->ColorMirrorSelectedTo();
        if (a->BorderColorSelected() != clNone) {
            outer = a->BorderColorSelected();
            top = bottom = corner = clNone;
        }
    }
    if (!hot && !selected) {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(Color());
        Canvas->FillRect(R);
    } else if (top == clNone) {
        DrawRectBackground(Canvas, R, from, to, outer, 1, gdVertical);
    } else {
        DrawButtonFrame(Canvas, from, to, mirrorFrom, mirrorTo, top, bottom, outer, corner, Color(), R, 0);
    }
    if (h->OnDrawItem) {
        h->OnDrawItem(this, Canvas, R, Index);
        return;
    }
    const TSize pic = PictureSize(it);
    const Integer w = pic.cx, ph = pic.cy;
    TRect C = R;
    C.Left += FItemOffSetX;
    C.Right -= FItemOffSetX;
    C.Top += FItemOffSetY;
    C.Bottom -= FItemOffSetY;
    TRect P = C;
    Canvas->Font()->Assign(a->Font());
    if (hot)
        Canvas->Font()->SetColor(a->ColorHotText());
    if (selected)
        Canvas->Font()->SetColor(a->ColorSelectedText());
    const HWND wnd = HandleAllocated() ? Handle() : nullptr;
    const bool colorBox = h->SelectorType() == stColor;
    const bool picture = !colorBox && it->HasPicture();
    const bool listImage = !colorBox && !picture && h->Images() != nullptr && it->ImageIndex() >= 0;
    auto drawPicture = [&](Integer x, Integer y) {
        if (colorBox) {
            Canvas->Pen()->SetColor(clBlack);
            Canvas->Pen()->SetStyle(psSolid);
            Canvas->Brush()->SetStyle(bsSolid);
            Canvas->Brush()->SetColor(it->Color());
            Canvas->Rectangle(x, y, x + w, y + ph);
        } else if (picture) {
            Canvas->Draw(x, y, it->Image()->Graphic());
        } else if (listImage) {
            h->Images()->Draw(Canvas, x, y, it->ImageIndex(), it->Enabled());
        }
    };
    auto centredTop = [&]() { return P.Top + (P.Bottom - P.Top - ph) / 2; };
    auto centreHorizontally = [&]() { P.Left += (P.Right - P.Left - w) / 2; };
    TSize painted;
    auto captionCentred = [&]() {
        TSize measured;
        DrawItemCaption(Canvas, it->Caption(), C, h->Images(), false, wnd, measured);
        if (measured.cy < C.Height())
            C.Top += (C.Height() - measured.cy) / 2;
        Canvas->Brush()->SetStyle(bsClear);
        DrawItemCaption(Canvas, it->Caption(), C, h->Images(), true, wnd, painted);
    };
    auto captionFromTop = [&]() {
        Canvas->Brush()->SetStyle(bsClear);
        DrawItemCaption(Canvas, it->Caption(), C, h->Images(), true, wnd, painted);
    };
    const bool caption = !it->Caption().isEmpty();
    switch (h->ItemLayout()) {
    case ilCaptionLeft:
        if (caption) {
            C.Right -= w;
            captionCentred();
            P.Left = C.Left + painted.cx + FCaptionGap;
        }
        drawPicture(P.Left, colorBox ? P.Top : centredTop());
        break;
    case ilCaptionRight:
        if (colorBox || picture || listImage) {
            drawPicture(P.Left, colorBox ? P.Top : centredTop());
            C.Left = P.Left + w + FCaptionGap;
        }
        if (caption)
            captionCentred();
        break;
    case ilCaptionTop:
        if (caption) {
            C.Bottom -= ph;
            captionFromTop();
            P.Top = C.Top + painted.cy + FCaptionGap;
        } else {
            P.Top = centredTop();
        }
        centreHorizontally();
        drawPicture(P.Left, P.Top);
        break;
    case ilCaptionBottom:
        if (!caption)
            P.Top = centredTop();
        centreHorizontally();
        drawPicture(P.Left, P.Top);
        if (colorBox || picture || listImage)
            C.Top = P.Top + ph + FCaptionGap;
        if (caption)
            captionFromTop();
        break;
    }
}

void TCustomItemSelector::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    const Integer i = ItemAtPos(X, Y);
    if (i >= 0 && Item(i)->Enabled())
        SetItemIndex(i);
}

void TCustomItemSelector::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    const Integer i = ItemAtPos(X, Y);
    if (i >= 0) {
        if (i != FItemHot) {
            SetItemHot(Item(i)->Enabled() ? i : -1);
            SetHint(Item(i)->Hint());
            Application->CancelHint();
        }
    } else if (FItemHot >= 0) {
        SetItemHot(-1);
    }
}

void TCustomItemSelector::Dispatch(TMessage& Message)
{
    TCustomControl::Dispatch(Message);
    if (Message.Msg == CM_MOUSELEAVE && Message.LParam == LPARAM(this) && FItemHot >= 0)
        SetItemHot(-1);
}

// ------------------------------------------------------------ host

TExCustomItemSelector::TExCustomItemSelector(TComponent* AOwner)
    : TScrollingWinControl(AOwner), FItems(std::make_unique<TSelectorItems>(this)),
      FItemAppearance(std::make_unique<TItemAppearance>(this))
{
    FItems->OnChange = [this](TObject*) { UpdateSelectorPanel(); };
    FItemAppearance->OnChange = [](TObject*) {};
    SetColor(clWindow);
    CreateSelectorPanel();
    UpdateSelectorPanel();
}

TExCustomItemSelector::~TExCustomItemSelector()
{
    FItems->OnChange = nullptr;
    // The panel reads the items while it goes.
    delete FItemSelectorPanel;
    FItemSelectorPanel = nullptr;
}

void TExCustomItemSelector::CreateSelectorPanel()
{
    if (FItemSelectorPanel != nullptr)
        return;
    FItemSelectorPanel = new TCustomItemSelector(this);
    FItemSelectorPanel->SetParent(this);
    FItemSelectorPanel->OnItemSelect = [this](TObject*) { DoItemSelect(); };
}

void TExCustomItemSelector::UpdateSelectorPanel()
{
    if (FItemSelectorPanel != nullptr)
        FItemSelectorPanel->UpdateLayout();
}

void TExCustomItemSelector::SetSelectorType(TSelectorType Value)
{
    if (Value == FSelectorType)
        return;
    FSelectorType = Value;
    UpdateSelectorPanel();
}

void TExCustomItemSelector::SetColumns(Integer Value)
{
    if (Value == FColumns || Value <= 0)
        return;
    FColumns = Value;
    UpdateSelectorPanel();
}

void TExCustomItemSelector::SetColorBoxWidth(Integer Value)
{
    if (Value == FColorBoxWidth)
        return;
    FColorBoxWidth = Value;
    UpdateSelectorPanel();
}

void TExCustomItemSelector::SetColorBoxHeight(Integer Value)
{
    if (Value == FColorBoxHeight)
        return;
    FColorBoxHeight = Value;
    UpdateSelectorPanel();
}

void TExCustomItemSelector::SetImages(TCustomImageList* Value)
{
    if (Value == FImages)
        return;
    FImages = Value;
    UpdateSelectorPanel();
}

Integer TExCustomItemSelector::ItemIndex() const
{
    return FItemSelectorPanel != nullptr ? FItemSelectorPanel->FItemIndex : -1;
}

void TExCustomItemSelector::SetItemIndex(Integer Value)
{
    if (FItemSelectorPanel == nullptr)
        return;
    FItemSelectorPanel->SetItemIndex(Value);
    ScrollItemInView(Value);
}

Integer TExCustomItemSelector::ItemHot() const
{
    return FItemSelectorPanel != nullptr ? FItemSelectorPanel->FItemHot : -1;
}

void TExCustomItemSelector::PanelStep(void (TCustomItemSelector::*Step)(), bool Hot)
{
    if (FItemSelectorPanel == nullptr)
        return;
    (FItemSelectorPanel->*Step)();
    ScrollItemInView(Hot ? FItemSelectorPanel->FItemHot : FItemSelectorPanel->FItemIndex);
}

void TExCustomItemSelector::SelectFirst()
{
    PanelStep(&TCustomItemSelector::SelectFirst, false);
}

void TExCustomItemSelector::SelectLast()
{
    PanelStep(&TCustomItemSelector::SelectLast, false);
}

void TExCustomItemSelector::SelectNext()
{
    PanelStep(&TCustomItemSelector::SelectNext, false);
}

void TExCustomItemSelector::SelectPrevious()
{
    PanelStep(&TCustomItemSelector::SelectPrevious, false);
}

void TExCustomItemSelector::HotNext()
{
    PanelStep(&TCustomItemSelector::HotNext, true);
}

void TExCustomItemSelector::HotPrevious()
{
    PanelStep(&TCustomItemSelector::HotPrevious, true);
}

bool TExCustomItemSelector::LookupItem(const QString& Text)
{
    return FItemSelectorPanel != nullptr && FItemSelectorPanel->LookupItem(Text);
}

void TExCustomItemSelector::ScrollItemInView(Integer Index)
{
    if (FItemSelectorPanel == nullptr || !FItemSelectorPanel->ValidIndex(Index) || !VertScrollBar()->IsScrollBarVisible())
        return;
    TRect r = FItemSelectorPanel->GetItemRect(Index);
    // Panel coordinates to the host's client area.
    const Integer dy = FItemSelectorPanel->Top() - VertScrollBar()->Position();
    r.Top += dy;
    r.Bottom += dy;
    const Integer ch = ClientHeight();
    TControlScrollBar* bar = VertScrollBar();
    if (r.Top < 0) {
        bar->SetPosition(bar->Position() + r.Top);
    } else if (r.Bottom > ch) {
        if (r.Height() > ch)
            r.Bottom = ch + r.Top;
        bar->SetPosition(bar->Position() + r.Bottom - ch);
    }
}

Integer TExCustomItemSelector::GetVisibleItemCount() const
{
    if (FItemSelectorPanel == nullptr || FItems->Count() == 0)
        return 0;
    const Integer h = Height() - (HorzScrollBar()->IsScrollBarVisible() ? 20 : 0);
    const Integer itemHeight = FItemSelectorPanel->GetItemRect(0).Height();
    if (itemHeight <= 0)
        return 0;
    return h / itemHeight * FColumns;
}

TSize TExCustomItemSelector::GetPanelSize() const
{
    if (FItemSelectorPanel == nullptr)
        return {100, 50};
    return {FItemSelectorPanel->Width(), FItemSelectorPanel->Height()};
}

void TExCustomItemSelector::DoItemSelect()
{
    if (OnItemSelect)
        OnItemSelect(this);
}

void TExCustomItemSelector::Notification(TComponent* AComponent, TOperation Operation)
{
    TScrollingWinControl::Notification(AComponent, Operation);
}

void TExCustomItemSelector::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS | DLGC_WANTALLKEYS;
        return;
    case WM_VSCROLL:
        TScrollingWinControl::Dispatch(Message);
        if (LOWORD(Message.WParam) == SB_THUMBTRACK)
            VertScrollBar()->SetPosition(HIWORD(Message.WParam));
        return;
    default:
        TScrollingWinControl::Dispatch(Message);
        return;
    }
}
