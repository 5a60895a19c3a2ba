#include "grid/dropdown/ExDetailDropDown.h"

#include "grid/dropdown/ListStep.h"

#include "grid/EsgHTMLE.h"
#include "grid/dropdown/ExPickerList.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/DrawText.h"
#include "platform/ImageList.h"
#include "platform/Text.h"

// ------------------------------------------------------------ items

void TDetailItem::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TDetailItem*>(Source);
    if (s == nullptr) {
        TCollectionItem::Assign(Source);
        return;
    }
    AssignPicture(s);
    FTag = s->FTag;
    FItemObject = s->FItemObject;
}

TDetailItems::TDetailItems(TPersistent* AOwner)
    : TPickerItems([](TCollection* c) { return new TDetailItem(c); }), FMyOwner(AOwner)
{
}

Integer TDetailItems::IndexOf(const QString& AValue) const
{
    for (Integer i = 0; i < Count(); ++i)
        if (Items(i)->Caption() == AValue)
            return i;
    return -1;
}

// ------------------------------------------------------------ the dropdown

TExDetailDropDown::TExDetailDropDown(TComponent* AOwner)
    : TExCustomDropDown(AOwner), FItems(std::make_unique<TDetailItems>(this)),
      FItemAppearance(std::make_unique<TItemAppearance>(this)), FSearch(std::make_unique<TPickerSearch>(this)),
      FCaptionFont(std::make_unique<TFont>()), FNotesFont(std::make_unique<TFont>())
{
    // The base constructor made the popup before this class existed.
    if (!HasState(csDesigning))
        CreateDropDownForm();
    FItems->OnChange = [](TObject*) {};
    FItemIndex = -1;
    FOldItemIndex = -1;
    SetEditorEnabled(true);
    SetDropDownEnabled(true);
    FCaptionFont->Assign(Font());
    FNotesFont->Assign(Font());
    FWorkMode = true;
}

TExDetailDropDown::~TExDetailDropDown()
{
    FItems->OnChange = nullptr;
}

void TExDetailDropDown::SetCaptionFont(const TFont* Value)
{
    FCaptionFont->Assign(Value);
}

void TExDetailDropDown::SetNotesFont(const TFont* Value)
{
    FNotesFont->Assign(Value);
}

const QString& TExDetailDropDown::CurSearch() const
{
    return FSearch->Text();
}

void TExDetailDropDown::CreateDropDownForm()
{
    TExCustomDropDown::CreateDropDownForm();
    if (FItemSelector == nullptr) {
        FItemSelector = new TExCustomItemSelector(this);
        FItemSelector->SetParent(DropDownForm());
        FItemSelector->SetSelectorType(stImage);
        FItemSelector->SetBounds(0, 0, FItemSelector->Width(), 150);
        FItemSelector->SetDoubleBuffered(true);
        FItemSelector->OnDrawItem = [this](TObject*, TCanvas* Canvas, TRect R, Integer Index) {
            DrawDetailItem(Canvas, R, Index);
        };
        FItemSelector->OnItemSize = [this](TObject*, TSize& ASize) { DetailItemSize(ASize); };
        FItemSelector->UpdateSelectorPanel();
        FItemSelector->OnResize = [this](TObject*) { FItemSelector->UpdateSelectorPanel(); };
    }
    FItemSelector->SetColor(DropDownColor());
    FItemSelector->UpdateSelectorPanel();
    SetControl(FItemSelector);
}

void TExDetailDropDown::LoadSelector()
{
    TExCustomItemSelector* l = FItemSelector;
    if (l == nullptr)
        return;
    l->OnItemSelect = nullptr;
    l->SetColumns(1);
    l->SetImages(Images());
    l->SetItemLayout(FLayout);
    l->SetColor(DropDownColor());
    l->SetItemAppearance(FItemAppearance.get());
    l->Items()->Clear();
    for (Integer i = 0; i < FItems->Count(); ++i) {
        const TDetailItem* d = FItems->Items(i);
        TSelectorItem* s = l->Items()->Add();
        s->SetCaption(d->Caption());
        s->SetImage(d->Image());
        s->SetImageIndex(d->ImageIndex());
    }
    l->UpdateSelectorPanel();
    l->SetItemIndex(FItemIndex);
    l->OnItemSelect = [this](TObject*) { SelectorItemSelect(); };
}

void TExDetailDropDown::DoBeforeDropDown()
{
    TExCustomDropDown::DoBeforeDropDown();
    LoadSelector();
    FOldItemIndex = FItemIndex;
    FOpenText = GetText();
}

void TExDetailDropDown::DoShowDropDown()
{
    TExCustomDropDown::DoShowDropDown();
    if (DropDownForm()->Visible() && FItemSelector != nullptr && FItemSelector->CanFocus())
        FItemSelector->SetFocus();
}

void TExDetailDropDown::UpdateDropDownSize()
{
    if (FItemSelector != nullptr) {
        FItemSelector->SetAlign(alNone);
        if (DropDownWidth() <= 0)
            FItemSelector->SetWidth(Width());
        if (DropDownHeight() <= 0)
            FItemSelector->SetHeight(100);
    }
    TExCustomDropDown::UpdateDropDownSize();
}

void TExDetailDropDown::DoHideDropDown(bool Cancel)
{
    TExCustomDropDown::DoHideDropDown(Cancel);
    if (!Cancel || FItemSelector == nullptr)
        return;
    if (FOldItemIndex != -1)
        SetItemIndex(FOldItemIndex);
    else
        FItemIndex = -1;
    // The text of the opening comes back, not the last choice made in the
    // list, and with it no item when none was chosen then.
    SetText(FOpenText);
}

void TExDetailDropDown::DropDownFormSizing()
{
    TExCustomDropDown::DropDownFormSizing();
    if (FItemSelector != nullptr)
        FItemSelector->UpdateSelectorPanel();
}

void TExDetailDropDown::SetSelectionColorStyle(TSelectionColorStyle Value)
{
    TExCustomDropDown::SetSelectionColorStyle(Value);
    if (FItemSelector != nullptr)
        FItemSelector->ItemAppearance()->SetColorStyle(Value);
}

void TExDetailDropDown::SetComponentStyle(TKavroStyle AStyle)
{
    TExCustomDropDown::SetComponentStyle(AStyle);
    SetItemAppearanceStyle(FItemAppearance.get(), AStyle);
}

// ------------------------------------------------------------ rows

void TExDetailDropDown::DrawDetailItem(TCanvas* Canvas, TRect R, Integer Index)
{
    if (OnDrawSelectedImage) {
        OnDrawSelectedImage(this, Canvas, R);
        return;
    }
    if (Index < 0 || Index >= FItems->Count())
        return;
    const TDetailItem* item = FItems->Items(Index);
    const bool caption = !item->Caption().isEmpty();
    if (!item->Image()->Empty()) {
        TGraphic* g = item->Image()->Graphic();
        const Integer x = caption ? R.Left + 2 : R.Left + (R.Width() - g->Width()) / 2;
        const Integer y = R.Top + (R.Height() - g->Height()) / 2;
        if (auto* b = dynamic_cast<TBitmap*>(g)) {
            b->SetTransparent(true);
            b->SetTransparentMode(tmAuto);
        }
        Canvas->Draw(x, y, g);
        R.Left += g->Width() + 4;
    } else if (Images() != nullptr && item->ImageIndex() >= 0) {
        const Integer x = caption ? R.Left + 2 : R.Left + (R.Width() - Images()->Width()) / 2;
        const Integer y = R.Top + (R.Height() - Images()->Height()) / 2;
        Images()->Draw(Canvas, x, y, item->ImageIndex(), true);
        R.Left += Images()->Width() + 4;
    }
    auto colourFont = [&](TFont* Font) {
        Canvas->Font()->Assign(Font);
        if (FItemSelector != nullptr && Index == FItemSelector->ItemHot())
            Canvas->Font()->SetColor(FItemAppearance->ColorHotText());
        if (Index == FItemIndex)
            Canvas->Font()->SetColor(FItemAppearance->ColorSelectedText());
    };
    colourFont(FCaptionFont.get());
    Canvas->Brush()->SetStyle(bsClear);
    R.Left += 4;
    R.Top += 2;
    R.Right -= 4;
    DrawText(Canvas, item->Caption(), R, DT_END_ELLIPSIS);
    if (item->Notes().isEmpty())
        return;
    R.Top += Canvas->TextHeight(QStringLiteral("gh"));
    colourFont(FNotesFont.get());
    TMiniHTMLRequest request;
    request.Images = Images();
    request.AnchorColor = RGB(0, 0, 255);
    TMiniHTMLResult result;
    RenderMiniHTML(Canvas, item->Notes(), R, request, result);
}

void TExDetailDropDown::DetailItemSize(TSize& ASize)
{
    const Integer w = DropDownWidth() > 0 ? DropDownWidth() : DropDownForm()->Width();
    const Integer s = FItemSelector != nullptr && FItemSelector->VertScrollBar()->IsScrollBarVisible()
                          ? GetSystemMetrics(SM_CXVSCROLL)
                          : 0;
    // Before the popup first has a size there is no row width yet.
    ASize.cx = std::max(w - s - 2 * GetSystemMetrics(SM_CXBORDER) - 4, 1);
    ASize.cy = FItemHeight;
}

// ------------------------------------------------------------ choosing

void TExDetailDropDown::SelectorItemSelect()
{
    SetItemIndex(FItemSelector->ItemIndex());
    if (FItemIndex >= 0 && FItemIndex < FItems->Count()) {
        SetText(FItems->Items(FItemIndex)->Caption());
        SetSelStart(0);
        SetSelLength(Integer(WindowText().size()));
    }
    if (!FInternalCall)
        DoHideDropDown(false);
}

void TExDetailDropDown::SetItemIndex(Integer Value)
{
    if (Value != FItemIndex && Value >= 0 && Value < FItems->Count()) {
        FItemIndex = Value;
        SetText(FItems->Items(Value)->Caption());
        SetSelStart(0);
        SetSelLength(Integer(WindowText().size()));
        Invalidate();
        if (FItemSelector != nullptr)
            FItemSelector->Invalidate();
        if (OnSelect)
            OnSelect(this);
    } else if (Value == -1 && FItemIndex != -1) {
        SetText(QString());
        FItemIndex = -1;
    }
}

void TExDetailDropDown::SelectFirst()
{
    StepChoice(*this, FItemIndex, FItems->Count(), TListStep::First);
}

void TExDetailDropDown::SelectLast()
{
    StepChoice(*this, FItemIndex, FItems->Count(), TListStep::Last);
}

void TExDetailDropDown::SelectNext()
{
    StepChoice(*this, FItemIndex, FItems->Count(), TListStep::Next);
}

void TExDetailDropDown::SelectPrevious()
{
    StepChoice(*this, FItemIndex, FItems->Count(), TListStep::Previous);
}

// ------------------------------------------------------------ typing

QString TExDetailDropDown::CaseFold(const QString& S) const
{
    return FMatchCase ? S : AnsiUpperCase(S);
}

void TExDetailDropDown::Change()
{
    FItemChange = false;
    TExCustomDropDown::Change();
    // Only typing completes: a text set by code is taken as it is (an edit
    // window has its caret at the start then).
    if (HasState(csDesigning) || !FWorkMode || FCompleting || !TypedChange())
        return;
    const QString text = GetText();
    const Integer caret = std::clamp(SelStart() - Integer(Prefix().size()), 0, Integer(text.size()));
    const QString typed = text.left(caret);
    const QString prefix = CaseFold(text).left(caret);
    // The completed text is written as the completion's own change.
    FCompleting = true;
    bool matched = false;
    if (FItems->Count() > 0 && !prefix.isEmpty()) {
        for (Integer i = 0; i < FItems->Count(); ++i) {
            const QString caption = FItems->Items(i)->Caption();
            if (!CaseFold(caption).startsWith(prefix))
                continue;
            FItemIndex = i;
            FItemIdx = i;
            FItemSel = Integer(prefix.size());
            FItemChange = true;
            const QString completed = text.left(prefix.size()) + caption.mid(prefix.size(), 255);
            SetText(completed);
            Perform(EM_SETSEL, WPARAM(Prefix().size() + completed.size()), LPARAM(Prefix().size() + prefix.size()));
            matched = true;
            break;
        }
    }
    if (FItems->Count() > 0 && !matched && !typed.isEmpty()) {
        SetText(typed);
        Perform(EM_SETSEL, WPARAM(Prefix().size() + typed.size()), LPARAM(Prefix().size() + typed.size()));
    }
    FCompleting = false;
    // Changed against the value the edit had when the focus came.
    SetModified(GetText() != FOldString);
}

void TExDetailDropDown::KeyDown(Word& Key, TShiftState Shift)
{
    if (FItems->Count() == 0) {
        TExCustomDropDown::KeyDown(Key, Shift);
        return;
    }
    if (Key == VK_BACK || Key == VK_ESCAPE || Key == VK_DELETE) {
        // Deleting does not complete again.
        FWorkMode = false;
    } else if (Key == VK_RETURN) {
        const Integer i = FItems->IndexOf(GetText());
        if (i >= 0) {
            SetText(FItems->Items(i)->Caption());
            SetItemIndex(i);
            Change();
        }
    } else {
        FWorkMode = true;
    }
    const Word key = Key;
    TExCustomDropDown::KeyDown(Key, Shift);
    if (key == VK_ESCAPE) {
        const Integer i = FItems->IndexOf(GetText());
        if (i >= 0)
            SetItemIndex(i);
    }
}

void TExDetailDropDown::KeyUp(Word& Key, TShiftState Shift)
{
    TExCustomDropDown::KeyUp(Key, Shift);
    FItemChange = false;
}

void TExDetailDropDown::Dispatch(TMessage& Message)
{
    if (Message.Msg != WM_KEYDOWN) {
        TExCustomDropDown::Dispatch(Message);
        return;
    }
    const Word key = Word(Message.WParam);
    const bool open = DroppedDown();
    TExCustomItemSelector* l = FItemSelector;
    if (Enabled() && GetKeyState(VK_MENU) >= 0) {
        switch (key) {
        case VK_PRIOR:
        case VK_NEXT:
            if (l != nullptr) {
                if (l->Items()->Count() != FItems->Count())
                    LoadSelector();
                PagePickerList(l, key == VK_NEXT, FItems->Count(), FInternalCall);
            }
            break;
        case VK_END:
        case VK_HOME:
            if (open && l != nullptr) {
                FInternalCall = true;
                key == VK_END ? l->SelectLast() : l->SelectFirst();
                FInternalCall = false;
            } else if (!open && !EditorEnabled()) {
                key == VK_END ? SelectLast() : SelectFirst();
            }
            break;
        case VK_LEFT:
        case VK_RIGHT:
            if (open && !EditorEnabled() && l != nullptr) {
                FInternalCall = true;
                key == VK_LEFT ? l->SelectPrevious() : l->SelectNext();
                FInternalCall = false;
            }
            break;
        case VK_UP:
        case VK_DOWN:
            if (open && l != nullptr) {
                const Integer target = l->ItemIndex() < 0 ? 0 : l->ItemIndex() + (key == VK_UP ? -1 : 1);
                MovePickerList(l, target, FInternalCall);
                Invalidate();
            } else if (!open) {
                key == VK_UP ? SelectPrevious() : SelectNext();
            }
            break;
        default:
            if (GetKeyState(VK_CONTROL) >= 0 && l != nullptr)
                FSearch->AddKey(key, l, FInternalCall);
            break;
        }
    }
    if (open && (key == VK_PRIOR || key == VK_NEXT || (key >= VK_LEFT && key <= VK_DOWN))) {
        Message.WParam = 0;
        Message.Result = 1;
        return;
    }
    TExCustomDropDown::Dispatch(Message);
}

void TExDetailDropDown::WheelStep(Integer Step)
{
    if (!DroppedDown() || FItemSelector == nullptr) {
        Step > 0 ? SelectNext() : SelectPrevious();
        return;
    }
    const Integer target = FItemSelector->ItemIndex() < 0 ? 0 : FItemSelector->ItemIndex() + Step;
    MovePickerList(FItemSelector, target, FInternalCall);
    Invalidate();
}

void TExDetailDropDown::HandleMouseWheelDown()
{
    TExCustomDropDown::HandleMouseWheelDown();
    WheelStep(1);
}

void TExDetailDropDown::HandleMouseWheelUp()
{
    TExCustomDropDown::HandleMouseWheelUp();
    WheelStep(-1);
}
