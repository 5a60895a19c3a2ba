#include "grid/dropdown/ExPickerList.h"

#include "grid/dropdown/ExDropDown.h"
#include "grid/dropdown/ExItemSelector.h"
#include "platform/Bitmap.h"
#include "platform/Timer.h"

void MovePickerList(TExCustomItemSelector* List, Integer Target, bool& InternalCall)
{
    if (List == nullptr || Target < 0 || Target >= List->Items()->Count())
        return;
    InternalCall = true;
    List->SetItemIndex(Target);
    List->ScrollItemInView(List->ItemIndex());
    InternalCall = false;
}

void PagePickerList(TExCustomItemSelector* List, bool Down, Integer ItemCount, bool& InternalCall)
{
    if (List == nullptr)
        return;
    const Integer page = List->GetVisibleItemCount();
    if (page < 1 || (Down && ItemCount == 0))
        return;
    const Integer target = Down ? std::min(List->ItemIndex() + page, ItemCount - 1) : std::max(List->ItemIndex() - page, 0);
    MovePickerList(List, target, InternalCall);
}

void FitPickerList(TExCustomDropDown* Dd, TExCustomItemSelector* List)
{
    List->SetAlign(alNone);
    const TSize panel = List->GetPanelSize();
    if (Dd->DropDownWidth() <= 0)
        List->SetWidth(panel.cx);
    if (Dd->DropDownHeight() <= 0)
        List->SetHeight(panel.cy);
}

void WidenPickerPopup(TExCustomDropDown* Dd, TExCustomItemSelector* List)
{
    TDropDownForm* f = Dd->DropDownForm();
    const TSize panel = List->GetPanelSize();
    const Integer border = 2 * Dd->DropDownBorderWidth();
    Integer w = f->Width();
    if (Dd->DropDownWidth() <= 0)
        w = panel.cx + border;
    Integer listHeight = f->Height() - border;
    if (Dd->DropDownHeader()->Visible())
        listHeight -= Dd->DropDownHeader()->Height();
    if (Dd->DropDownFooter()->Visible())
        listHeight -= Dd->DropDownFooter()->Height();
    if (listHeight < panel.cy)
        w += GetSystemMetrics(SM_CXVSCROLL);
    f->SetWidth(w);
}

bool ChooseHotItem(TExCustomDropDown* Dd, TExCustomItemSelector* List, Word Key)
{
    if (!Dd->Enabled() || !Dd->DroppedDown() || Key != VK_RETURN || List == nullptr || List->ItemHot() < 0)
        return false;
    List->SetItemIndex(List->ItemHot());
    return true;
}

void PickerListKey(TExCustomDropDown* Dd, TExCustomItemSelector* List, Word Key, Integer ItemCount, Integer Columns,
                   const TPickerSteps& Steps, bool Chosen, const TNotifyEvent& OnSelect, bool& InternalCall,
                   TPickerSearch& Search)
{
    if (!Dd->Enabled() || GetKeyState(VK_MENU) < 0)
        return;
    const bool open = Dd->DroppedDown();
    // A selection the picker makes in its list leaves the popup open.
    auto inList = [&](void (TExCustomItemSelector::*Step)()) {
        InternalCall = true;
        (List->*Step)();
        InternalCall = false;
    };
    switch (Key) {
    case VK_RETURN:
        if (!Chosen && OnSelect)
            OnSelect(Dd);
        break;
    case VK_PRIOR:
    case VK_NEXT:
        if (List != nullptr) {
            if (List->Items()->Count() != ItemCount)
                Steps.Reload();
            PagePickerList(List, Key == VK_NEXT, ItemCount, InternalCall);
        }
        break;
    case VK_END:
    case VK_HOME:
        if (open && List != nullptr)
            inList(Key == VK_END ? &TExCustomItemSelector::SelectLast : &TExCustomItemSelector::SelectFirst);
        else if (!open)
            Key == VK_END ? Steps.Last() : Steps.First();
        break;
    case VK_LEFT:
    case VK_RIGHT:
        if (open && !Dd->EditorEnabled() && List != nullptr)
            inList(Key == VK_LEFT ? &TExCustomItemSelector::SelectPrevious : &TExCustomItemSelector::SelectNext);
        break;
    case VK_UP:
    case VK_DOWN:
        if (open && List != nullptr)
            MovePickerList(List, List->ItemIndex() < 0 ? 0 : List->ItemIndex() + (Key == VK_UP ? -Columns : Columns),
                           InternalCall);
        else if (!open)
            Key == VK_UP ? Steps.Previous() : Steps.Next();
        break;
    default:
        if (GetKeyState(VK_CONTROL) >= 0 && List != nullptr)
            Search.AddKey(Key, List, InternalCall);
        break;
    }
}

TPickerSearch::TPickerSearch(TComponent* Owner) : FKeyTimer(new TTimer(Owner))
{
    FKeyTimer->SetEnabled(false);
    FKeyTimer->SetInterval(500);
    FKeyTimer->OnTimer = [this](TObject*) { Clear(); };
}

void TPickerSearch::AddKey(Word Key, TExCustomItemSelector* List, bool& InternalCall)
{
    if (List == nullptr)
        return;
    FCurSearch += QChar(char16_t(Key));
    InternalCall = true;
    List->LookupItem(FCurSearch);
    InternalCall = false;
    // A running timer is not restarted: the series ends 500 ms after its first key.
    FKeyTimer->SetEnabled(true);
}

void TPickerSearch::Clear()
{
    FKeyTimer->SetEnabled(false);
    FCurSearch.clear();
}

// ------------------------------------------------------------ items

void TCaptionItem::Changed()
{
    auto* c = dynamic_cast<TPickerItems*>(Collection());
    if (c != nullptr && c->OnChange)
        c->OnChange(c);
}

void TCaptionItem::SetCaption(const QString& Value)
{
    if (Value == FCaption)
        return;
    FCaption = Value;
    Changed();
}

TPickerImageItem::TPickerImageItem(TCollection* Collection) : TCaptionItem(Collection), FImage(std::make_unique<TPicture>())
{
}

TPickerImageItem::~TPickerImageItem() = default;

void TPickerImageItem::SetImageIndex(Integer Value)
{
    if (Value == FImageIndex)
        return;
    FImageIndex = Value;
    Changed();
}

void TPickerImageItem::SetImage(const TPicture* Value)
{
    FImage->Assign(Value);
}

void TPickerImageItem::AssignPicture(const TPickerImageItem* Source)
{
    SetCaption(Source->FCaption);
    SetImageIndex(Source->FImageIndex);
    FImage->Assign(Source->FImage.get());
}
