#include "controls/ExPageControl.h"

#include <algorithm>
#include <exception>
#include <stdexcept>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Form.h"
#include "platform/Graphics.h"
#include "platform/ImageList.h"
#include "platform/Lists.h"
#include "platform/StringList.h"

// ------------------------------------------------------------ TTabMargin

void TTabMargin::Assign(const TPersistent* Source)
{
    if (auto* m = dynamic_cast<const TTabMargin*>(Source)) {
        FLeftMargin = m->FLeftMargin;
        FTopMargin = m->FTopMargin;
        FRightMargin = m->FRightMargin;
        return;
    }
    TPersistent::Assign(Source);
}

void TTabMargin::Change(Integer& field, Integer value, Integer index)
{
    if (field == value)
        return;
    if (FOnMarginChange)
        FOnMarginChange(value, field, index);
    field = value;
}

// ------------------------------------------------------------ TExTabSheet

TExTabSheet::TExTabSheet(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetAlign(alClient);
    TCustomControl::SetVisible(false);
}

TExTabSheet::~TExTabSheet()
{
    if (FExPageControl != nullptr && FExPageControl->FUndockingPage == this)
        FExPageControl->FUndockingPage = nullptr;
    if (FExPageControl != nullptr)
        FExPageControl->RemovePage(this);
}

void TExTabSheet::SetPageControl(TExPageControl* value)
{
    if (value == FExPageControl)
        return;
    if (FExPageControl != nullptr)
        FExPageControl->RemovePage(this);
    SetParent(value);
    if (value != nullptr)
        value->InsertPage(this);
}

void TExTabSheet::SetCaption(const QString& value)
{
    FTabCaption = FShowClose ? value + QLatin1Char(' ') : value.left(std::max<qsizetype>(0, value.size() - 2));
    SetText(value);
    if (FExPageControl != nullptr)
        FExPageControl->RefreshTabText(this);
}

Integer TExTabSheet::PageIndex() const
{
    if (FExPageControl == nullptr)
        return -1;
    const auto& pages = FExPageControl->FPages;
    auto it = std::find(pages.begin(), pages.end(), this);
    return it == pages.end() ? -1 : Integer(it - pages.begin());
}

void TExTabSheet::SetPageIndex(Integer value)
{
    if (FExPageControl == nullptr)
        return;
    const Integer last = FExPageControl->PageCount() - 1;
    if (value < 0 || value > last)
        throw EListError(QStringLiteral("%1 is an invalid PageIndex value.  PageIndex must be between 0 and %2").arg(value).arg(last));
    FExPageControl->MovePage(this, value);
}

Integer TExTabSheet::TabIndex() const
{
    if (!FTabShowing || FExPageControl == nullptr)
        return -1;
    Integer n = 0;
    for (TExTabSheet* p : FExPageControl->FPages) {
        if (p == this)
            return n;
        if (p->FTabShowing)
            ++n;
    }
    return -1;
}

void TExTabSheet::SetTabVisible(bool value)
{
    if (value == FTabVisible)
        return;
    FTabVisible = value;
    if (FExPageControl != nullptr)
        FExPageControl->ShowTab(this, value);
}

void TExTabSheet::SetTabEnable(bool value)
{
    if (value == FTabEnable)
        return;
    if (FExPageControl != nullptr && FExPageControl->FActivePage == this)
        throw std::runtime_error("Can not disable active tab.");
    FTabEnable = value;
    RepaintControl();
}

void TExTabSheet::SetHighlighted(bool value)
{
    if (!HasState(csLoading) && FExPageControl != nullptr) {
        const Integer i = TabIndex();
        if (i >= 0) {
            FExPageControl->FTabs[size_t(i)].Highlighted = value;
            FExPageControl->Invalidate();
        }
    }
    FHighlighted = value;
}

void TExTabSheet::SetShowClose(bool value)
{
    FShowClose = value;
    SetCaption(Caption());
    RepaintControl();
}

void TExTabSheet::SetImageIndex(Integer value)
{
    if (value < 0) {
        FImageIndex = -1;
        FImageIndexDummy = 0;
    } else {
        FImageIndex = value;
        FImageIndexDummy = value;
    }
    SetCaption(Caption());
}

void TExTabSheet::SetTextColor(TColor value)
{
    FTextColor = value;
    RepaintControl();
}

void TExTabSheet::SetTabColor(TColor value)
{
    FTabColor = value;
    // The tab is drawn by the page control.
    RepaintControl();
}

void TExTabSheet::SetTabColorTo(TColor value)
{
    FTabColorTo = value;
    RepaintControl();
}

void TExTabSheet::SetColorTo(TColor value)
{
    FColorTo = value;
    Invalidate();
    RepaintControl();
}

void TExTabSheet::SetTabGradientDirection(TGradientDirection value)
{
    if (value == FTabGradientDirection)
        return;
    FTabGradientDirection = value;
    RepaintControl();
}

void TExTabSheet::RepaintControl()
{
    if (FExPageControl != nullptr)
        FExPageControl->Invalidate();
}

void TExTabSheet::SetVisible(bool value)
{
    const bool was = Showing();
    TCustomControl::SetVisible(value);
    if (Showing() == was)
        return;
    try {
        if (Showing())
            FireShow();
        else
            FireHide();
    } catch (const std::exception& e) {
        // A failing handler does not stop the page switch.
        if (Application != nullptr)
            Application->HandleException(this, e);
    }
}

void TExTabSheet::FireHide()
{
    if (OnHide)
        OnHide(this);
}

void TExTabSheet::FireShow()
{
    if (OnShow)
        OnShow(this);
}

void TExTabSheet::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_TEXTCHANGED:
        if (FExPageControl != nullptr && FTabShowing)
            FExPageControl->RefreshTabText(this);
        break;
    case CM_COLORCHANGED:
        RepaintControl();
        break;
    default:
        break;
    }
    TCustomControl::Dispatch(Message);
}

// ------------------------------------------------------------ TExPageControl

TExPageControl::TExPageControl(TComponent* AOwner)
    : TCustomControl(AOwner),
      FTabMargin(std::make_unique<TTabMargin>()),
      FClosedTabList(std::make_unique<TStringList>()),
      FDummyImages(std::make_unique<TImageList>(0, 0)),
      FTabBackGround(std::make_unique<TBitmap>()),
      FTabBackGroundActive(std::make_unique<TBitmap>()),
      FActiveFont(std::make_unique<TFont>()),
      FCloseGlyph(std::make_unique<TBitmap>())
{
    FControlStyle |= csDoubleClicks;
    Font()->SetName(QStringLiteral("Tahoma"));
    FActiveFont->SetName(QStringLiteral("Tahoma"));
    FActiveFont->OnChange = [this](TObject*) {
        PadActiveTabText(FActivePage);
        Invalidate();
    };
    FImages = FDummyImages.get();
    FTabMargin->FOnMarginChange = [this](Integer n, Integer o, Integer i) { MarginChanged(n, o, i); };
    SetTabStop(true);
    SetBounds(Left(), Top(), 289, 193);
}

TExPageControl::~TExPageControl()
{
    FActiveFont->OnChange = nullptr;
    FTabMargin->FOnMarginChange = nullptr;
    // The pages belong to their owner: they are let go, not destroyed.
    std::vector<TExTabSheet*> pages = FPages;
    FPages.clear();
    FActivePage = nullptr;
    for (TExTabSheet* p : pages) {
        p->FExPageControl = nullptr;
        p->FTabShowing = false;
        p->SetParent(nullptr);
    }
    for (Integer i = 0; i < FClosedTabList->Count(); ++i)
        if (auto* p = dynamic_cast<TExTabSheet*>(FClosedTabList->Objects(i)))
            RemoveFreeNotification(p);
}

void TExPageControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomControl::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    // A closed page destroyed by its owner leaves the list.
    for (Integer i = FClosedTabList->Count() - 1; i >= 0; --i)
        if (FClosedTabList->Objects(i) == AComponent)
            FClosedTabList->Delete(i);
}

TExTabSheet* TExPageControl::GetPage(Integer index) const
{
    return index >= 0 && index < PageCount() ? FPages[size_t(index)] : nullptr;
}

Integer TExPageControl::ActivePageIndex() const
{
    return FActivePage != nullptr ? FActivePage->PageIndex() : -1;
}

void TExPageControl::SetActivePageIndex(Integer index)
{
    SetActivePage(GetPage(index));
}

QString TExPageControl::Version() const
{
    constexpr Cardinal version = 0x01040000;
    return QStringLiteral("%1.%2.%3.%4").arg(version >> 24).arg((version >> 16) & 0xFF).arg((version >> 8) & 0xFF).arg(version & 0xFF);
}

// ---- pages

void TExPageControl::InsertPage(TExTabSheet* page)
{
    page->FExPageControl = this;
    FPages.push_back(page);
    if (page->FTextColor == clBlack)
        page->FTextColor = FDefaultTextColor;
    if (page->FTabColor == clNone)
        page->FTabColor = FDefaultTabColor;
    if (page->FTabColorTo == clNone)
        page->FTabColorTo = FDefaultTabColorTo;
    if (page->FTabVisible)
        ShowTab(page, true);
    Invalidate();
}

void TExPageControl::RemovePage(TExTabSheet* page)
{
    auto it = std::find(FPages.begin(), FPages.end(), page);
    if (it == FPages.end())
        return;
    TExTabSheet* next = FindNextPage(page, true, !HasState(csDesigning));
    if (next == page)
        next = nullptr;
    ShowTab(page, false);
    page->FExPageControl = nullptr;
    FPages.erase(std::find(FPages.begin(), FPages.end(), page));
    if (FActivePage == page) {
        FActivePage = nullptr;
        page->SetVisible(false);
    }
    if (FHoverTab >= PageCount())
        FHoverTab = -1;
    SetActivePage(next);
    TabsChanged();
}

void TExPageControl::MovePage(TExTabSheet* page, Integer index)
{
    const Integer from = page->PageIndex();
    if (from < 0 || from == index)
        return;
    const Integer oldTab = page->TabIndex();
    TTabItem item;
    if (oldTab >= 0) {
        item = FTabs[size_t(oldTab)];
        FTabs.erase(FTabs.begin() + oldTab);
    }
    FPages.erase(FPages.begin() + from);
    FPages.insert(FPages.begin() + index, page);
    if (oldTab >= 0) {
        const Integer newTab = page->TabIndex();
        FTabs.insert(FTabs.begin() + newTab, item);
        if (FActivePage != nullptr)
            FTabIndex = FActivePage->TabIndex();
    }
    TabsChanged();
}

void TExPageControl::ShowTab(TExTabSheet* page, bool show)
{
    show = show && page->FExPageControl == this && page->FTabVisible;
    if (show == page->FTabShowing)
        return;
    if (show) {
        page->FTabShowing = true;
        InsertTabItem(page->TabIndex(), page);
        SyncActivePage();
    } else {
        const Integer index = page->TabIndex();
        const bool wasActive = page == FActivePage;
        DeleteTabItem(index);
        page->FTabShowing = false;
        if (wasActive) {
            FTabIndex = std::min<Integer>(index, Integer(FTabs.size()) - 1);
            SyncActivePage();
        }
    }
}

void TExPageControl::InsertTabItem(Integer index, TExTabSheet* page)
{
    TTabItem item;
    item.Text = FTabBorder3D ? page->Caption() : page->FTabCaption;
    item.Sheet = page;
    item.Highlighted = page->FHighlighted;
    const bool first = FTabs.empty();
    FTabs.insert(FTabs.begin() + index, item);
    // The first tab of an empty strip is selected, later ones move the selection along.
    if (first)
        FTabIndex = 0;
    else if (FTabIndex >= index)
        ++FTabIndex;
    TabsChanged();
}

void TExPageControl::DeleteTabItem(Integer index)
{
    if (index < 0 || index >= Integer(FTabs.size()))
        return;
    FTabs.erase(FTabs.begin() + index);
    if (FTabIndex == index)
        FTabIndex = -1;
    else if (FTabIndex > index)
        --FTabIndex;
    TabsChanged();
}

void TExPageControl::SetTabItemText(Integer index, const QString& text)
{
    if (index < 0 || index >= Integer(FTabs.size()) || FTabs[size_t(index)].Text == text)
        return;
    FTabs[size_t(index)].Text = text;
    TabsChanged();
}

QString TExPageControl::TabText(Integer TabIndex) const
{
    return TabIndex >= 0 && TabIndex < Integer(FTabs.size()) ? FTabs[size_t(TabIndex)].Text : QString();
}

bool TExPageControl::TabHighlighted(Integer TabIndex) const
{
    return TabIndex >= 0 && TabIndex < Integer(FTabs.size()) && FTabs[size_t(TabIndex)].Highlighted;
}

bool TExPageControl::CanShowTab(Integer PageIndex) const
{
    const TExTabSheet* p = GetPage(PageIndex);
    return p != nullptr && p->Enabled();
}

void TExPageControl::TabsChanged()
{
    Realign();
    Invalidate();
}

void TExPageControl::SetActivePage(TExTabSheet* page)
{
    if (page != nullptr && page->FExPageControl != this)
        return;
    SwitchPage(page);
    if (page == nullptr) {
        // No page without a tab stays on show.
        if (FActivePage != nullptr)
            FActivePage->SetVisible(false);
        FTabIndex = -1;
        FActivePage = nullptr;
    } else if (page == FActivePage) {
        FTabIndex = page->TabIndex();
    }
    Invalidate();
}

void TExPageControl::SwitchPage(TExTabSheet* page)
{
    if (page == nullptr || page == FActivePage)
        return;
    if (!HasState(csDesigning) && !page->FTabEnable)
        return;
    TCustomForm* form = GetParentForm();
    if (form != nullptr && FActivePage != nullptr && form->ActiveControl() != nullptr
        && FActivePage->ContainsControl(form->ActiveControl())) {
        form->SetActiveControl(FActivePage);
        if (form->ActiveControl() != FActivePage) {
            FTabIndex = FActivePage->TabIndex();
            return;
        }
    }
    page->BringToFront();
    page->SetVisible(true);
    if (form != nullptr && FActivePage != nullptr && form->ActiveControl() == FActivePage) {
        if (page->CanFocus())
            form->SetActiveControl(page);
        else
            form->SetActiveControl(this);
    }
    TExTabSheet* old = FActivePage;
    if (old != nullptr)
        old->SetVisible(false);
    FActivePage = page;
    if (old != nullptr)
        PadActiveTabText(old);
    PadActiveTabText(page);
    if (form != nullptr && form->ActiveControl() == page)
        if (TWinControl* first = page->FindNextControl(nullptr, true, true, false))
            first->SetFocus();
}

void TExPageControl::SyncActivePage()
{
    if (FTabIndex < 0 || FTabIndex >= Integer(FTabs.size()))
        SetActivePage(nullptr);
    else
        SetActivePage(FTabs[size_t(FTabIndex)].Sheet);
}

void TExPageControl::PadActiveTabText(TExTabSheet* page)
{
    if (page == nullptr || FTabBorder3D || !page->FTabShowing)
        return;
    QString text = page->FTabCaption;
    const TFontStyles st = FActiveFont->Style();
    if (page == FActivePage && (st.Contains(fsBold) || st.Contains(fsItalic))) {
        TCanvas active, normal;
        active.SetFont(FActiveFont.get());
        normal.SetFont(Font());
        const Integer diff = active.TextWidth(page->FTabCaption) - normal.TextWidth(page->FTabCaption);
        QString blanks;
        while (normal.TextWidth(blanks) < diff)
            blanks += QLatin1Char(' ');
        text += blanks;
    }
    SetTabItemText(page->TabIndex(), text);
}

void TExPageControl::RefreshTabText(TExTabSheet* page)
{
    if (page->FTabShowing)
        SetTabItemText(page->TabIndex(), FTabBorder3D ? page->Caption() : page->FTabCaption);
}

TExTabSheet* TExPageControl::FindNextPage(TExTabSheet* CurPage, bool GoForward, bool CheckTabVisible) const
{
    const Integer n = PageCount();
    if (n == 0)
        return nullptr;
    auto it = std::find(FPages.begin(), FPages.end(), CurPage);
    Integer i = it != FPages.end() ? Integer(it - FPages.begin()) : (GoForward ? n - 1 : 0);
    for (Integer k = 0; k < n; ++k) {
        i = GoForward ? (i + 1) % n : (i - 1 + n) % n;
        TExTabSheet* p = FPages[size_t(i)];
        if (!CheckTabVisible || p->FTabVisible)
            return p;
    }
    return nullptr;
}

void TExPageControl::SelectTab(Integer tabIndex)
{
    FTabIndex = tabIndex;
    Change();
}

void TExPageControl::SelectNextPage(bool GoForward)
{
    TExTabSheet* page = FindNextPage(FActivePage, GoForward, true);
    if (page == nullptr || page == FActivePage)
        return;
    bool allow = true;
    if (OnCanChange)
        OnCanChange(this, ActivePageIndex(), page->PageIndex(), allow);
    if (allow && CanChange())
        SelectTab(page->TabIndex());
}

bool TExPageControl::CanChange()
{
    bool allow = true;
    if (OnChanging)
        OnChanging(this, allow);
    return allow;
}

void TExPageControl::Change()
{
    SyncActivePage();
    if (OnChange)
        OnChange(this);
    Invalidate();
}

Integer TExPageControl::GetImageIndex(Integer TabIndex)
{
    Integer index = 0;
    if (OnGetImageIndex) {
        OnGetImageIndex(this, TabIndex, index);
        return index;
    }
    const TExTabSheet* p = GetPage(PageIndexOfTab(TabIndex));
    return p != nullptr ? p->FImageIndexDummy : 0;
}

bool TExPageControl::OpenClosedTab(const QString& Name)
{
    const Integer i = FClosedTabList->IndexOf(Name);
    if (i < 0)
        return false;
    if (auto* p = dynamic_cast<TExTabSheet*>(FClosedTabList->Objects(i)))
        p->SetPageControl(this);
    return true;
}

void TExPageControl::OpenAllClosedTabs()
{
    for (Integer i = 0; i < FClosedTabList->Count(); ++i)
        if (auto* p = dynamic_cast<TExTabSheet*>(FClosedTabList->Objects(i)))
            p->SetPageControl(this);
}

void TExPageControl::ClosePage(TExTabSheet* page)
{
    TExTabSheet* next = FindNextPage(page, true, true);
    bool allow = true;
    if (page->OnCanClose)
        page->OnCanClose(page, allow);
    if (!allow) {
        Invalidate();
        return;
    }
    if (page->OnClose)
        page->OnClose(page);
    SetActivePage(next == page ? nullptr : next);
    if (FFreeOnClose) {
        delete page;
    } else {
        if (FClosedTabList->IndexOfObject(page) < 0) {
            FClosedTabList->AddObject(page->Name(), page);
            FreeNotification(page);
        }
        page->SetPageControl(nullptr);
    }
    Invalidate();
}

// ---- properties

void TExPageControl::SetTabPosition(TTabPosition value)
{
    if (value == FTabPosition)
        return;
    FTabPosition = value;
    SizeDummyImages();
    TabsChanged();
}

void TExPageControl::SetTabStyle(TExTabStyle value)
{
    SetLook(FTabStyle, value);
}

void TExPageControl::SetTabHeight(Integer value)
{
    if (value == FTabHeight)
        return;
    FTabHeight = value;
    TabsChanged();
}

void TExPageControl::SetTabWidth(Integer value)
{
    if (value == FTabWidth)
        return;
    FTabWidth = value;
    TabsChanged();
}

void TExPageControl::SetMultiLine(bool value)
{
    if (value == FMultiLine)
        return;
    FMultiLine = value;
    TabsChanged();
}

void TExPageControl::SetRaggedRight(bool value)
{
    if (value == FRaggedRight)
        return;
    FRaggedRight = value;
    TabsChanged();
}

void TExPageControl::SetTabOverlap(Integer value)
{
    SetLook(FTabOverlap, std::clamp<Integer>(value, 0, 15));
}

void TExPageControl::SetTabMargin(const TTabMargin* value)
{
    if (value == nullptr)
        return;
    FTabMargin->SetLeftMargin(value->LeftMargin());
    FTabMargin->SetTopMargin(value->TopMargin());
    FTabMargin->SetRightMargin(value->RightMargin());
}

void TExPageControl::MarginChanged(Integer NewValue, Integer OldValue, Integer Index)
{
    // Windows built in code are never loaded: only a batch set-up waits for Loaded.
    if (HasState(csLoading))
        return;
    const bool horizontal = Horizontal();
    const Integer base = FImages != nullptr && FImages != FDummyImages.get() ? (horizontal ? FImages->Width() : FImages->Height()) : 0;
    const Integer left = Index == 0 ? NewValue : FTabMargin->LeftMargin();
    const Integer top = Index == 1 ? NewValue : FTabMargin->TopMargin();
    const Integer right = Index == 2 ? NewValue : FTabMargin->RightMargin();
    if (horizontal)
        FDummyImages->SetWidth(base + right + left);
    else
        FDummyImages->SetHeight(base + right + top);
    TabsChanged();
}

void TExPageControl::SizeDummyImages()
{
    const Integer w = FImages != nullptr && FImages != FDummyImages.get() ? FImages->Width() : 0;
    const Integer h = FImages != nullptr && FImages != FDummyImages.get() ? FImages->Height() : 0;
    if (Horizontal()) {
        FDummyImages->SetWidth(w + FTabMargin->RightMargin() + FTabMargin->LeftMargin());
        FDummyImages->SetHeight(h);
    } else {
        FDummyImages->SetHeight(h + FTabMargin->RightMargin() + FTabMargin->TopMargin());
        FDummyImages->SetWidth(w);
    }
}

void TExPageControl::Loaded()
{
    TCustomControl::Loaded();
    for (TExTabSheet* p : FPages)
        p->SetHighlighted(p->FHighlighted);
    SizeDummyImages();
    TabsChanged();
}

void TExPageControl::SetImages(TCustomImageList* value)
{
    if (value == nullptr)
        value = FDummyImages.get();
    if (value == FImages)
        return;
    FImages = value;
    SizeDummyImages();
    TabsChanged();
}

void TExPageControl::SetDefaultTextColor(TColor value)
{
    for (TExTabSheet* p : FPages)
        if (p->FTextColor == FDefaultTextColor)
            p->FTextColor = value;
    FDefaultTextColor = value;
    Invalidate();
}

void TExPageControl::SetDefaultTabColor(TColor value)
{
    for (TExTabSheet* p : FPages)
        if (p->FTabColor == FDefaultTabColor)
            p->FTabColor = value;
    FDefaultTabColor = value;
    Invalidate();
}

void TExPageControl::SetDefaultTabColorTo(TColor value)
{
    for (TExTabSheet* p : FPages)
        if (p->FTabColorTo == FDefaultTabColorTo)
            p->FTabColorTo = value;
    FDefaultTabColorTo = value;
    Invalidate();
}

void TExPageControl::SetTabBorder3D(bool value)
{
    if (value == FTabBorder3D)
        return;
    FTabBorder3D = value;
    for (Integer i = PageCount() - 1; i >= 0; --i)
        RefreshTabText(FPages[size_t(i)]);
    PadActiveTabText(FActivePage);
    TabsChanged();
}

void TExPageControl::SetTabSplitLine(bool value)
{
    if (value && FTabStyle == tsDotNet)
        throw std::runtime_error("TabSplitLine must be false when TabStyle is tsDotNet");
    SetLook(FTabSplitLine, value);
}

namespace {
// A copy of the picture, or no picture for none or an empty one.
void CopyPicture(TBitmap& target, const TBitmap* value)
{
    if (value != nullptr && !value->Empty())
        target.Assign(value);
    else
        target.SetHeight(0);
}
} // namespace

void TExPageControl::SetTabBackGround(const TBitmap* value)
{
    CopyPicture(*FTabBackGround, value);
    if (HasState(csDesigning) && !FTabBackGround->Empty())
        SetTabHeight(Horizontal() ? FTabBackGround->Height() - 3 : FTabBackGround->Width() - 3);
    Invalidate();
}

void TExPageControl::SetTabBackGroundActive(const TBitmap* value)
{
    CopyPicture(*FTabBackGroundActive, value);
    Invalidate();
}

void TExPageControl::SetCloseGlyph(const TBitmap* value)
{
    CopyPicture(*FCloseGlyph, value);
    Invalidate();
}

void TExPageControl::SetActiveFont(const TFont* value)
{
    if (value != nullptr)
        FActiveFont->Assign(value);
}

// ---- layout

Integer TExPageControl::TabThickness() const
{
    if (FTabHeight > 0)
        return FTabHeight;
    TCanvas measure;
    measure.SetFont(Font());
    return measure.TextHeight(QStringLiteral("Wg")) + 6;
}

std::vector<TRect> TExPageControl::TabRects() const
{
    const Integer n = Integer(FTabs.size());
    if (n == 0)
        return {};
    const bool horizontal = Horizontal();
    TCanvas measure;
    measure.SetFont(Font());
    const Integer T = TabThickness();
    const TCustomImageList* images = FTabBorder3D ? FImages : FDummyImages.get();
    const Integer image = images != nullptr ? (horizontal ? images->Width() : images->Height()) : 0;
    std::vector<Integer> length(static_cast<size_t>(n));
    for (Integer i = 0; i < n; ++i)
        length[size_t(i)] = FTabWidth > 0 ? FTabWidth : measure.TextWidth(FTabs[size_t(i)].Text) + 12 + (image > 0 ? image + 3 : 0);

    // Rows of tabs along the strip.
    const Integer avail = std::max<Integer>((horizontal ? Width() : Height()) - 4, 1);
    std::vector<Integer> rowOf(static_cast<size_t>(n));
    std::vector<Integer> rowStart{0};
    Integer used = 0;
    for (Integer i = 0; i < n; ++i) {
        if (FMultiLine && used > 0 && used + length[size_t(i)] > avail) {
            rowStart.push_back(i);
            used = 0;
        }
        rowOf[size_t(i)] = Integer(rowStart.size()) - 1;
        used += length[size_t(i)];
    }
    const Integer rows = Integer(rowStart.size());
    rowStart.push_back(n);
    if (rows > 1 && !FRaggedRight)
        for (Integer r = 0; r < rows; ++r) {
            Integer sum = 0;
            for (Integer i = rowStart[size_t(r)]; i < rowStart[size_t(r) + 1]; ++i)
                sum += length[size_t(i)];
            const Integer count = rowStart[size_t(r) + 1] - rowStart[size_t(r)];
            const Integer extra = avail - sum;
            if (extra <= 0)
                continue;
            for (Integer i = rowStart[size_t(r)]; i < rowStart[size_t(r) + 1]; ++i)
                length[size_t(i)] += extra / count + (i == rowStart[size_t(r) + 1] - 1 ? extra % count : 0);
        }
    // The row of the selected tab lies next to the page; the others follow it in turn.
    const Integer activeRow = FTabIndex >= 0 && FTabIndex < n ? rowOf[size_t(FTabIndex)] : 0;
    std::vector<TRect> rects(static_cast<size_t>(n));
    Integer along = 2;
    for (Integer i = 0; i < n; ++i) {
        if (i > 0 && rowOf[size_t(i)] != rowOf[size_t(i) - 1])
            along = 2;
        const Integer d = (rowOf[size_t(i)] - activeRow + rows) % rows;
        const Integer len = length[size_t(i)];
        switch (FTabPosition) {
        case tpTop: {
            const Integer y = 2 + (rows - 1 - d) * T;
            rects[size_t(i)] = TRect(along, y, along + len, y + T);
            break;
        }
        case tpBottom: {
            const Integer y = Height() - 2 - rows * T + d * T;
            rects[size_t(i)] = TRect(along, y, along + len, y + T);
            break;
        }
        case tpLeft: {
            const Integer x = 2 + (rows - 1 - d) * T;
            rects[size_t(i)] = TRect(x, along, x + T, along + len);
            break;
        }
        case tpRight: {
            const Integer x = Width() - 2 - rows * T + d * T;
            rects[size_t(i)] = TRect(x, along, x + T, along + len);
            break;
        }
        }
        along += len;
    }
    return rects;
}

Integer TExPageControl::PageIndexOfTab(Integer TabIndex) const
{
    Integer result = TabIndex;
    for (Integer i = 0; i <= result && i < PageCount(); ++i)
        if (!FPages[size_t(i)]->FTabVisible)
            ++result;
    return result;
}

TRect TExPageControl::PageTabRect(Integer PageIndex) const
{
    Integer tab = PageIndex;
    for (Integer i = 0; i < PageIndex && i < PageCount(); ++i)
        if (!FPages[size_t(i)]->FTabVisible)
            --tab;
    const std::vector<TRect> rects = TabRects();
    return tab >= 0 && tab < Integer(rects.size()) ? rects[size_t(tab)] : TRect();
}

Integer TExPageControl::TabAt(TPoint p) const
{
    const std::vector<TRect> rects = TabRects();
    for (size_t i = 0; i < rects.size(); ++i)
        if (rects[i].Contains(p))
            return Integer(i);
    return -1;
}

Integer TExPageControl::PageAt(TPoint p) const
{
    const Integer tab = TabAt(p);
    return tab < 0 ? -1 : PageIndexOfTab(tab);
}

TRect TExPageControl::AlignRect() const
{
    const Integer W = Width(), H = Height();
    // How far the tabs reach in from the edge they stand on, the frame
    // included. One row of tabs is one tab deep whatever the captions: their
    // text is measured only where the tabs themselves are wanted (paint, hit
    // tests).
    Integer reach = 2;
    if (!FMultiLine) {
        if (!FTabs.empty())
            reach += TabThickness();
    } else {
        for (const TRect& t : TabRects()) {
            switch (FTabPosition) {
            case tpTop: reach = std::max(reach, t.Bottom); break;
            case tpBottom: reach = std::max(reach, H - t.Top); break;
            case tpLeft: reach = std::max(reach, t.Right); break;
            case tpRight: reach = std::max(reach, W - t.Left); break;
            }
        }
    }
    TRect r;
    switch (FTabPosition) {
    case tpTop: r = TRect(4, reach + 4, W - 4, H - 4); break;
    case tpBottom: r = TRect(4, 4, W - 4, H - reach - 4); break;
    // The frame of side tabs lies one pixel further in on the far sides.
    case tpLeft: r = TRect(reach + 4, 4, W - 5, H - 5); break;
    case tpRight: r = TRect(5, 4, W - reach - 4, H - 5); break;
    }
    r.Right = std::max(r.Right, r.Left);
    r.Bottom = std::max(r.Bottom, r.Top);
    return r;
}

void TExPageControl::Resize()
{
    TCustomControl::Resize();
    Invalidate();
}

TRect TExPageControl::CloseButtonRect(Integer pageIndex) const
{
    const TRect R = PageTabRect(pageIndex);
    const TTabMargin& m = *FTabMargin;
    if (FTabPosition == tpLeft) {
        Integer x = R.Left + m.LeftMargin() + 2;
        Integer b = R.Bottom - m.TopMargin();
        if (!FTabBackGroundActive->Empty()) {
            x += 2;
            b += FTabOverlap;
        }
        return TRect(x, b - 13, x + 12, b - 2);
    }
    return TRect(R.Left + m.LeftMargin() + 2, R.Top + m.TopMargin() + 2, R.Left + m.LeftMargin() + 14, R.Top + m.TopMargin() + 13);
}

// ---- input

void TExPageControl::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_DIALOGKEY: {
        TCustomForm* form = GetParentForm();
        TWinControl* focused = form != nullptr ? form->ActiveControl() : nullptr;
        if (Word(Message.WParam) == VK_TAB && KeyDataToShiftState().Contains(ssCtrl)
            && (Focused() || (focused != nullptr && ContainsControl(focused)))) {
            SelectNextPage(!KeyDataToShiftState().Contains(ssShift));
            Message.Result = 1;
            return;
        }
        break;
    }
    case CM_DOCKCLIENT:
        CMDockClient(Message);
        return;
    case CM_UNDOCKCLIENT:
        CMUnDockClient(Message);
        return;
    case CM_DOCKNOTIFICATION:
        CMDockNotification(Message);
        break;
    case WM_LBUTTONDOWN: {
        TCustomControl::Dispatch(Message);
        // A press on a docked control's tab drags the control once the
        // pointer has moved far enough.
        if (DockSite())
            if (TControl* client = GetDockClientFromMousePos(PointFromLParam(Message.LParam)))
                client->BeginDrag(false, -1);
        return;
    }
    case WM_LBUTTONDBLCLK: {
        TCustomControl::Dispatch(Message);
        if (TControl* client = GetDockClientFromMousePos(PointFromLParam(Message.LParam)))
            client->ManualDock(nullptr);
        return;
    }
    case CM_MOUSELEAVE:
        if (Message.LParam == 0 || Message.LParam == LPARAM(this)) {
            if (FTabBackGround->Empty() && FHoverTab >= 0)
                Invalidate();
            FHoverTab = -1;
        }
        break;
    default:
        break;
    }
    TCustomControl::Dispatch(Message);
}

void TExPageControl::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    const TPoint p(X, Y);
    if (Button == mbLeft) {
        const Integer tab = TabAt(p);
        if (tab >= 0) {
            if (CanFocus())
                SetFocus();
            if (tab != FTabIndex) {
                const Integer to = PageIndexOfTab(tab);
                bool allow = true;
                if (OnCanChange)
                    OnCanChange(this, ActivePageIndex(), to, allow);
                if (allow && CanChange())
                    SelectTab(tab);
            }
        }
    }
    if (!FTabBorder3D && !HasState(csDesigning) && FActivePage != nullptr && FActivePage->FShowClose) {
        const Integer active = ActivePageIndex();
        if (CloseButtonRect(active).Contains(p)) {
            FClosePressed = active;
            DrawCloseButton(Canvas(), PageTabRect(active), cbPressed, true);
        }
    }
}

void TExPageControl::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    if (HasState(csDesigning) || FTabBorder3D || FTabHoverColor == clNone)
        return;
    const TPoint p(X, Y);
    const Integer page = PageAt(p);
    if (FTabBackGround->Empty() && page != FHoverTab) {
        FHoverTab = page;
        Invalidate();
    }
    if (FActivePage != nullptr && FActivePage->FShowClose) {
        const Integer active = ActivePageIndex();
        const bool over = CloseButtonRect(active).Contains(p);
        if (over != FHoverClosedButton) {
            FHoverClosedButton = over;
            DrawCloseButton(Canvas(), PageTabRect(active), over ? cbHover : cbNormal, true);
        }
    }
}

void TExPageControl::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    const Integer pressed = FClosePressed;
    FClosePressed = -1;
    if (Button != mbLeft || FTabBorder3D || HasState(csDesigning) || FActivePage == nullptr || !FActivePage->FShowClose)
        return;
    if (pressed == ActivePageIndex() && CloseButtonRect(pressed).Contains(TPoint(X, Y)))
        ClosePage(FActivePage);
    else if (pressed >= 0)
        Invalidate();
}
