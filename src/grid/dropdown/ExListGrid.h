#pragma once
// What the popup lists of the multi-column and the grid dropdown share on
// top of their own grid class: the header and line look taken from the
// dropdown, the choice confirmed by a key or a click (a wheel turn only
// scrolls), Alt+Up/Down passed to the dropdown, and Tab kept in the list.

#include <memory>

#include "grid/dropdown/ExLookupDropDown.h"
#include "platform/Graphics.h"

class TCustomImageList;

template <class TGrid>
class TExListGrid : public TGrid {
public:
    explicit TExListGrid(TComponent* AOwner) : TGrid(AOwner), FHeaderFont(std::make_unique<TFont>()) {}

    TColor HeaderColor() const { return FHeaderColor; }
    TColor HeaderColorTo() const { return FHeaderColorTo; }
    Integer HeaderHeight() const { return FHeaderHeight; }
    TFont* HeaderFont() const { return FHeaderFont.get(); }
    TColor LineColor() const { return FLineColor; }
    TColor FixedLineColor() const { return FFixedLineColor; }
    TCustomImageList* Images() const { return FImages; }
    Integer OldRow() const { return FOldRow; }
    bool MouseWheelSelection() const { return FMouseWheelSelection; }
    bool ConfirmSelection() const { return FConfirmSelection; }
    void SetConfirmSelection(bool Value) { FConfirmSelection = Value; }

    TNotifyEvent OnSelect;
    virtual void DoSelect()
    {
        if (OnSelect)
            OnSelect(this);
    }

protected:
    // The header and line colours, the header font and the image list of
    // the dropdown; the header row takes its height.
    void TakeLook(const TExLookupDropDown* Dd)
    {
        FLineColor = Dd->LineColor();
        FFixedLineColor = Dd->FixedLineColor();
        FHeaderColor = Dd->HeaderColor();
        FHeaderColorTo = Dd->HeaderColorTo();
        FHeaderHeight = Dd->HeaderHeight();
        FHeaderFont->Assign(Dd->HeaderFont());
        FImages = Dd->Images();
    }
    // A key in the list confirms the row; Alt+Up/Down go to the dropdown
    // (which closes the popup): true when the key went there.
    bool ConfirmKey(Word Key, TShiftState Shift, TControl* Dd)
    {
        FConfirmSelection = true;
        if (!Shift.Contains(ssAlt) || (Key != VK_UP && Key != VK_DOWN))
            return false;
        if (Dd != nullptr)
            SendMessage(Dd, WM_KEYDOWN, Key);
        return true;
    }
    // Tab stays in the list, which wants the arrows and Tab: true when the
    // message is answered here.
    bool ListMessage(TMessage& Message)
    {
        if (Message.Msg == WM_KEYDOWN && Message.WParam == VK_TAB)
            return true;
        if (Message.Msg == WM_GETDLGCODE) {
            Message.Result = DLGC_WANTARROWS | DLGC_WANTTAB;
            return true;
        }
        return false;
    }

    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override
    {
        FConfirmSelection = true;
        FOldRow = this->Row();
        TGrid::MouseDown(Button, Shift, X, Y);
    }
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override
    {
        return WheelTurn([&] { return TGrid::DoMouseWheelDown(Shift, MousePos); });
    }
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override
    {
        return WheelTurn([&] { return TGrid::DoMouseWheelUp(Shift, MousePos); });
    }
    void Notification(TComponent* AComponent, TOperation Operation) override
    {
        TGrid::Notification(AComponent, Operation);
        if (Operation == opRemove && AComponent == reinterpret_cast<TComponent*>(FImages))
            FImages = nullptr;
    }

    TColor FHeaderColor = 0xFFFFFF;
    TColor FHeaderColorTo = 0x808080;
    Integer FHeaderHeight = 25;
    std::unique_ptr<TFont> FHeaderFont;
    TColor FLineColor = 0x808080;
    TColor FFixedLineColor = 0;
    TCustomImageList* FImages = nullptr;

private:
    // A wheel turn scrolls and moves the list without choosing.
    template <class F>
    bool WheelTurn(F&& Turn)
    {
        FMouseWheelSelection = true;
        FConfirmSelection = false;
        const bool handled = Turn();
        FMouseWheelSelection = false;
        return handled;
    }

    Integer FOldRow = 0;
    bool FMouseWheelSelection = false;
    bool FConfirmSelection = false;
};

// Makes the popup's list once (owned by the dropdown, a child of the popup)
// and, each time, puts it at the popup's top left, 180 high, in the
// dropdown's colour.
template <class TList, class TDropDown>
void PlaceListGrid(TList*& List, TDropDown* Dd)
{
    if (List == nullptr) {
        List = new TList(Dd);
        List->SetParent(Dd->DropDownForm());
    }
    List->SetExDropDown(Dd);
    List->SetBounds(0, 0, List->Width(), 180);
    List->SetColor(Dd->DropDownColor());
    List->SetDoubleBuffered(true);
}
