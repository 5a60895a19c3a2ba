#include "grid/dropdown/ExTrackBarDropDown.h"

#include "platform/ExtCtrls.h"
#include "platform/Text.h"

TExTrackBarDropDown::TExTrackBarDropDown(TComponent* AOwner) : TExCustomDropDown(AOwner)
{
    // The base constructor made the popup before this class existed.
    if (!HasState(csDesigning))
        CreateDropDownForm();
    SetEditorEnabled(false);
    SetDropDownEnabled(true);
    SetEditType(etNumeric);
    DropDownHeader()->SetVisible(false);
    DropDownFooter()->SetVisible(false);
    SetForceShadow(true);
}

void TExTrackBarDropDown::CreateDropDownForm()
{
    TExCustomDropDown::CreateDropDownForm();
    if (FTrackBar == nullptr) {
        FTrackBar = new TTrackBar(this);
        FTrackBar->SetParent(DropDownForm());
        FTrackBar->SetBounds(0, 0, FTrackBar->Width(), 40);
    }
    FTrackBar->OnChange = [this](TObject*) { TrackBarChange(); };
}

void TExTrackBarDropDown::DoBeforeDropDown()
{
    TExCustomDropDown::DoBeforeDropDown();
    DropDownForm()->SetCancelOnDeActivate(false);
    if (FTrackBar != nullptr) {
        FTrackBar->SetMin(FMin);
        FTrackBar->SetMax(FMax);
        FTrackBar->SetPosition(FPosition);
        FTrackBar->SetPageSize(FPageSize);
        FTrackBar->SetFrequency(FFrequency);
        FTrackBar->SetWidth(Width());
    }
    SetControl(FTrackBar);
}

void TExTrackBarDropDown::TrackBarChange()
{
    if (FTrackBar == nullptr)
        return;
    FPosition = FTrackBar->Position();
    SetRawText(IntToStr(FPosition));
    if (OnTrackChange)
        OnTrackChange(this);
}

void TExTrackBarDropDown::Change()
{
    TExCustomDropDown::Change();
    // A text that is no integer (an editable edit being emptied, say) leaves
    // the position where it was.
    bool ok = false;
    const Integer v = GetText().trimmed().toInt(&ok);
    if (ok)
        SetPosition(v);
}

void TExTrackBarDropDown::SetMin(Integer Value)
{
    FMin = Value;
    if (FTrackBar != nullptr) {
        FTrackBar->SetMin(Value);
        FMin = FTrackBar->Min();
    }
}

void TExTrackBarDropDown::SetMax(Integer Value)
{
    FMax = Value;
    if (FTrackBar != nullptr) {
        FTrackBar->SetMax(Value);
        FMax = FTrackBar->Max();
    }
}

void TExTrackBarDropDown::SetPosition(Integer Value)
{
    FPosition = Value;
    if (FTrackBar != nullptr) {
        FTrackBar->SetPosition(Value);
        FPosition = FTrackBar->Position();
    }
}

void TExTrackBarDropDown::SetPageSize(Integer Value)
{
    FPageSize = Value;
    if (FTrackBar != nullptr)
        FTrackBar->SetPageSize(Value);
}

void TExTrackBarDropDown::SetFrequency(Integer Value)
{
    FFrequency = Value;
    if (FTrackBar != nullptr)
        FTrackBar->SetFrequency(Value);
}

void TExTrackBarDropDown::Dispatch(TMessage& Message)
{
    TExCustomDropDown::Dispatch(Message);
    if (Message.Msg != WM_KEYDOWN || EditorEnabled() || GetKeyState(VK_MENU) < 0)
        return;
    // Up lowers the value and Down raises it, within Min and Max.
    const Word key = Word(Message.WParam);
    if (key == VK_UP && FPosition - FFrequency >= FMin)
        SetPosition(FPosition - FFrequency);
    else if (key == VK_DOWN && FPosition + FFrequency <= FMax)
        SetPosition(FPosition + FFrequency);
}

void TExTrackBarDropDown::ControlKeyDown(Word& Key, TShiftState Shift)
{
    // The track bar steps itself on Up and Down; passed on to the edit they
    // would step the value a second time.
    if ((Key == VK_UP || Key == VK_DOWN) && !Shift.Contains(ssAlt))
        return;
    TExCustomDropDown::ControlKeyDown(Key, Shift);
}

void TExTrackBarDropDown::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TExCustomDropDown::MouseDown(Button, Shift, X, Y);
    if (DropDownEnabled() && !EditorEnabled()) {
        FMouseX = X;
        FMouseDraging = true;
    }
}

void TExTrackBarDropDown::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TExCustomDropDown::MouseMove(Shift, X, Y);
    if (!FMouseDraging || !DropDownEnabled() || EditorEnabled())
        return;
    // Each move counts on its own; a page size below 1 moves one per pixel.
    const Integer step = std::max<Integer>(FPageSize, 1);
    SetPosition(FPosition + (X - FMouseX) / step);
    FMouseX = X;
}

void TExTrackBarDropDown::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TExCustomDropDown::MouseUp(Button, Shift, X, Y);
    FMouseDraging = false;
}
