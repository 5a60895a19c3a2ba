#include "grid/dropdown/ExPickerList.h"

#include "grid/dropdown/ExDropDown.h"
#include "grid/dropdown/ExItemSelector.h"
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
