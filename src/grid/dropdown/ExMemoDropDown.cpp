#include "grid/dropdown/ExMemoDropDown.h"

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/StdControls.h"
#include "platform/StringList.h"

TExMemoDropDown::TExMemoDropDown(TComponent* AOwner)
    : TExCustomDropDown(AOwner), FMemoText(std::make_unique<TStringList>())
{
    FMemoText->OnChange = [this](TObject*) { MemoTextChange(); };
    // The base constructor made the popup before this class existed.
    if (!HasState(csDesigning))
        CreateDropDownForm();
}

TExMemoDropDown::~TExMemoDropDown()
{
    FMemoText->OnChange = nullptr;
}

void TExMemoDropDown::CreateDropDownForm()
{
    TExCustomDropDown::CreateDropDownForm();
    if (FMemo == nullptr) {
        FMemo = new TMemo(this);
        FMemo->SetParent(DropDownForm());
        FMemo->SetHeight(100);
        FMemo->OnChange = [this](TObject*) { MemoChange(); };
        FMemo->SetTabStop(true);
    }
    SetControl(FMemo);
    SetFocusControl(FMemo);
}

void TExMemoDropDown::SetMemoText(const TStrings* Value)
{
    FMemoText->Assign(Value);
    if (FMemo != nullptr)
        FMemo->Lines()->Assign(Value);
}

void TExMemoDropDown::SetMemoReadOnly(bool Value)
{
    FMemoReadOnly = Value;
    if (DroppedDown() && FMemo != nullptr)
        FMemo->SetReadOnly(Value);
}

void TExMemoDropDown::DoBeforeDropDown()
{
    TExCustomDropDown::DoBeforeDropDown();
    DropDownForm()->SetCancelOnDeActivate(false);
    if (FMemo == nullptr)
        return;
    FMemo->Lines()->SetText(FMemoText->Text());
    FMemo->SetPopupMenu(FMemoPopup);
    FMemo->SetMaxLength(MaxLength());
    // The memo remakes its window for new scroll bars: only on a change.
    if (FMemo->ScrollBars() != FMemoScrollBars)
        FMemo->SetScrollBars(FMemoScrollBars);
    FMemo->SetReadOnly(FMemoReadOnly);
}

void TExMemoDropDown::DoHideDropDown(bool Cancel)
{
    // The focus coming back to the edit must not open the popup again.
    const bool autoDrop = FAutoDrop;
    FAutoDrop = false;
    if (Cancel && FMemo != nullptr)
        FMemo->Lines()->SetText(FMemoText->Text());
    // A cancel restores the edit's old text; the lines stay those the memo
    // had at opening, and the edit shows them again.
    FInternalUpdate = Cancel;
    TExCustomDropDown::DoHideDropDown(Cancel);
    FInternalUpdate = false;
    if (Cancel)
        MemoTextChange();
    FAutoDrop = autoDrop;
}

void TExMemoDropDown::DropDownFormHide()
{
    TExCustomDropDown::DropDownFormHide();
    if (FMemo != nullptr)
        FMemoText->SetText(FMemo->Lines()->Text());
    MemoTextChange();
    SetSelStart(0);
    SetSelLength(0);
}

void TExMemoDropDown::DoEnter()
{
    TExCustomDropDown::DoEnter();
    if (FAutoDrop)
        DoShowDropDown();
}

void TExMemoDropDown::Change()
{
    if (!FInternalUpdate) {
        FMemoText->OnChange = nullptr;
        FMemoText->SetText(GetText());
        FMemoText->OnChange = [this](TObject*) { MemoTextChange(); };
    }
    TExCustomDropDown::Change();
}

void TExMemoDropDown::MemoChange()
{
    if (OnMemoChange)
        OnMemoChange(this);
}

bool TExMemoDropDown::MemoKeyDown(Word Key, TShiftState Shift)
{
    if (Key == VK_ESCAPE) {
        DoHideDropDown(true);
        return true;
    }
    if (Shift.Contains(ssAlt) && (Key == VK_UP || Key == VK_DOWN)) {
        if (DroppedDown())
            DoHideDropDown(true);
        else
            DoShowDropDown();
        return true;
    }
    return false;
}

void TExMemoDropDown::ControlKeyDown(Word& Key, TShiftState Shift)
{
    if (Shift.Contains(ssCtrl) && (Key == u'A' || Key == u'a') && FMemo != nullptr)
        FMemo->SelectAll();
    if (MemoKeyDown(Key, Shift))
        return;
    // Typing, Enter and the arrows stay in the memo.
    if (Shift.Contains(ssAlt) || Key == VK_F4)
        TExCustomDropDown::ControlKeyDown(Key, Shift);
}

void TExMemoDropDown::ControlKeyUp(Word& Key, TShiftState Shift)
{
    if (Shift.Contains(ssAlt) || Key == VK_ESCAPE || Key == VK_F4)
        TExCustomDropDown::ControlKeyUp(Key, Shift);
}

void TExMemoDropDown::ControlKeyPress(QChar& Key)
{
    if (GetKeyState(VK_MENU) < 0 || Key == QChar(27))
        TExCustomDropDown::ControlKeyPress(Key);
}

void TExMemoDropDown::MemoTextChange()
{
    QString text;
    if (FMemoText->Count() == 0 || EditorEnabled()) {
        text = FMemoText->Text();
    } else {
        text = FMemoText->Strings(0);
        TBitmap measure(1, 1);
        TCanvas* c = measure.Canvas();
        c->Font()->Assign(Font());
        TRect r = GetEditRect();
        // Before the edit has a window its text area is the client less the button.
        const Integer w = r.Width() > 0 ? r.Width() : Width() - DropDownButtonWidth() - 4;
        if (GetTextSize(c, text).cx < w) {
            if (FMemoText->Count() > 1)
                text += QStringLiteral("...");
        } else {
            text = FitText(c, text, w, true);
        }
    }
    const bool internal = FInternalUpdate;
    FInternalUpdate = true;
    SetRawText(text);
    FInternalUpdate = internal;
}
