#include "grid/dropdown/ExImagePickerDropDown.h"

#include "grid/dropdown/ListStep.h"

#include "grid/dropdown/ExPickerList.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/FileSystem.h"
#include "platform/ImageList.h"

// ------------------------------------------------------------ items

void TImageItem::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TImageItem*>(Source);
    if (s == nullptr) {
        TCollectionItem::Assign(Source);
        return;
    }
    AssignPicture(s);
    FHint = s->FHint;
}

TImageItems::TImageItems(TPersistent* AOwner)
    : TPickerItems([](TCollection* c) { return new TImageItem(c); }), FMyOwner(AOwner)
{
}

// ------------------------------------------------------------ the dropdown

TExImagePickerDropDown::TExImagePickerDropDown(TComponent* AOwner)
    : TExCustomDropDown(AOwner), FItems(std::make_unique<TImageItems>(this)),
      FItemAppearance(std::make_unique<TItemAppearance>(this)), FSearch(std::make_unique<TPickerSearch>(this))
{
    // The base constructor made the popup before this class existed.
    if (!HasState(csDesigning))
        CreateDropDownForm();
    FItems->OnChange = [](TObject*) {};
    SetEditorEnabled(false);
    SetDropDownEnabled(true);
    SetCursor(crArrow);
}

TExImagePickerDropDown::~TExImagePickerDropDown()
{
    FItems->OnChange = nullptr;
}

const QString& TExImagePickerDropDown::CurSearch() const
{
    return FSearch->Text();
}

void TExImagePickerDropDown::CreateDropDownForm()
{
    TExCustomDropDown::CreateDropDownForm();
    if (FItemSelector == nullptr) {
        FItemSelector = new TExCustomItemSelector(this);
        FItemSelector->SetParent(DropDownForm());
        FItemSelector->SetSelectorType(stImage);
        FItemSelector->SetBounds(0, 0, FItemSelector->Width(), 150);
    }
    FItemSelector->SetColor(DropDownColor());
    FItemSelector->UpdateSelectorPanel();
    SetControl(FItemSelector);
}

void TExImagePickerDropDown::LoadSelector()
{
    TExCustomItemSelector* l = FItemSelector;
    if (l == nullptr)
        return;
    l->OnItemSelect = nullptr;
    l->SetColumns(FColumns);
    l->SetImages(Images());
    l->SetItemLayout(FLayout);
    l->SetColor(DropDownColor());
    l->SetItemAppearance(FItemAppearance.get());
    l->Items()->Clear();
    for (Integer i = 0; i < FItems->Count(); ++i) {
        const TImageItem* d = FItems->Items(i);
        TSelectorItem* s = l->Items()->Add();
        s->SetCaption(d->Caption());
        s->SetImage(d->Image());
        s->SetImageIndex(d->ImageIndex());
        s->SetHint(d->Hint());
    }
    l->UpdateSelectorPanel();
    l->SetItemIndex(FItemIndex);
    l->OnItemSelect = [this](TObject*) { SelectorItemSelect(); };
    l->SetShowHint(ShowHint());
}

void TExImagePickerDropDown::DoBeforeDropDown()
{
    TExCustomDropDown::DoBeforeDropDown();
    LoadSelector();
    if (FItemSelector != nullptr) {
        if (OnDrawItem)
            FItemSelector->OnDrawItem = [this](TObject*, TCanvas* Canvas, TRect R, Integer Index) {
                OnDrawItem(this, Canvas, R, Index);
            };
        else
            FItemSelector->OnDrawItem = nullptr;
    }
    FOldItemIndex = FItemIndex;
}

void TExImagePickerDropDown::UpdateDropDownSize()
{
    if (FItemSelector == nullptr) {
        TExCustomDropDown::UpdateDropDownSize();
        return;
    }
    FitPickerList(this, FItemSelector);
    TExCustomDropDown::UpdateDropDownSize();
    WidenPickerPopup(this, FItemSelector);
}

void TExImagePickerDropDown::DoHideDropDown(bool Cancel)
{
    TExCustomDropDown::DoHideDropDown(Cancel);
    if (Cancel && FItemSelector != nullptr)
        SetItemIndex(FOldItemIndex);
}

void TExImagePickerDropDown::SetSelectionColorStyle(TSelectionColorStyle Value)
{
    TExCustomDropDown::SetSelectionColorStyle(Value);
    if (FItemSelector != nullptr)
        FItemSelector->ItemAppearance()->SetColorStyle(Value);
}

void TExImagePickerDropDown::SetComponentStyle(TKavroStyle AStyle)
{
    TExCustomDropDown::SetComponentStyle(AStyle);
    SetItemAppearanceStyle(FItemAppearance.get(), AStyle);
}

// ------------------------------------------------------------ choosing

void TExImagePickerDropDown::SelectorItemSelect()
{
    if (FItemSelector == nullptr)
        return;
    SetItemIndex(FItemSelector->ItemIndex());
    if (!FInternalCall)
        DoHideDropDown(false);
}

void TExImagePickerDropDown::SetItemIndex(Integer Value)
{
    if (Value == FItemIndex || Value >= FItems->Count())
        return;
    FItemIndex = Value;
    Invalidate();
    if (OnChange)
        OnChange(this);
    if (OnSelect)
        OnSelect(this);
}

Integer TExImagePickerDropDown::GetImageIndex() const
{
    // An index left beyond the items (after items went) chooses nothing.
    if (FItemIndex < 0 || FItemIndex >= FItems->Count())
        return -1;
    return FItems->Items(FItemIndex)->ImageIndex();
}

void TExImagePickerDropDown::SetImageIndex(Integer Value)
{
    for (Integer i = 0; i < FItems->Count(); ++i)
        if (FItems->Items(i)->ImageIndex() == Value) {
            SetItemIndex(i);
            return;
        }
    SetItemIndex(-1);
}

void TExImagePickerDropDown::SelectFirst()
{
    StepChoice(*this, FItemIndex, FItems->Count(), TListStep::First);
}

void TExImagePickerDropDown::SelectLast()
{
    StepChoice(*this, FItemIndex, FItems->Count(), TListStep::Last);
}

void TExImagePickerDropDown::SelectNext()
{
    StepChoice(*this, FItemIndex, FItems->Count(), TListStep::Next);
}

void TExImagePickerDropDown::SelectPrevious()
{
    StepChoice(*this, FItemIndex, FItems->Count(), TListStep::Previous);
}

// ------------------------------------------------------------ filling

void TExImagePickerDropDown::AddImagesFromImageList()
{
    if (Images() == nullptr)
        return;
    for (Integer n = 0; n < Images()->Count(); ++n)
        FItems->Add()->SetImageIndex(n);
}

void TExImagePickerDropDown::AddImagesFromFolder(const QString& AFolder, bool SetImageCaption)
{
    TSearchRec f;
    if (FindFirst(AFolder, 0x1FF, f) == 0) {
        do {
            // A folder is no picture: it gives no item.
            if ((f.Attr & faDirectory) == 0)
                AddImageFile(ExtractFilePath(AFolder) + f.Name, SetImageCaption);
        } while (FindNext(f) == 0);
    }
    FindClose(f);
}

void TExImagePickerDropDown::AddImageFile(const QString& Path, bool SetImageCaption)
{
    TImageItem* item = FItems->Add();
    if (!item->FImage->LoadFromFile(Path)) {
        item->FImage->Assign(nullptr);
        return;
    }
    if (SetImageCaption)
        item->FCaption = ExtractFileName(Path);
}

// ------------------------------------------------------------ the edit

void TExImagePickerDropDown::PaintFocusedText()
{
    TExCustomDropDown::PaintFocusedText();
    if (TCanvas* c = PaintCanvas())
        PaintSelectedImage(c);
}

void TExImagePickerDropDown::PaintSelectedImage(TCanvas* Canvas)
{
    const TRect r = GetEditRect();
    if (OnDrawSelectedImage) {
        OnDrawSelectedImage(this, Canvas, r);
        return;
    }
    if (FItemIndex < 0 || FItemIndex >= FItems->Count())
        return;
    const TImageItem* item = FItems->Items(FItemIndex);
    if (!item->Image()->Empty()) {
        TGraphic* g = item->Image()->Graphic();
        Canvas->Draw(r.Left + (r.Width() - g->Width()) / 2, r.Top + (r.Height() - g->Height()) / 2, g);
    } else if (Images() != nullptr && item->ImageIndex() >= 0) {
        Images()->Draw(Canvas, r.Left + (r.Width() - Images()->Width()) / 2,
                       r.Top + (r.Height() - Images()->Height()) / 2, item->ImageIndex(), true);
    }
}

void TExImagePickerDropDown::Dispatch(TMessage& Message)
{
    if (Message.Msg != WM_KEYDOWN) {
        TExCustomDropDown::Dispatch(Message);
        return;
    }
    const Word key = Word(Message.WParam);
    const bool chosen = ChooseHotItem(this, FItemSelector, key);
    TExCustomDropDown::Dispatch(Message);
    const TPickerSteps steps{[this] { SelectFirst(); }, [this] { SelectLast(); }, [this] { SelectPrevious(); },
                             [this] { SelectNext(); }, [this] { LoadSelector(); }};
    PickerListKey(this, FItemSelector, key, FItems->Count(), FColumns, steps, chosen, OnSelect, FInternalCall, *FSearch);
}

void TExImagePickerDropDown::WheelStep(bool Down)
{
    if (!Enabled() || ReadOnly() || FItemSelector == nullptr)
        return;
    if (DroppedDown()) {
        // The hot item moves; Enter then chooses it.
        Down ? FItemSelector->HotNext() : FItemSelector->HotPrevious();
        return;
    }
    FInternalCall = true;
    Down ? FItemSelector->SelectNext() : FItemSelector->SelectPrevious();
    FInternalCall = false;
}

void TExImagePickerDropDown::HandleMouseWheelDown()
{
    TExCustomDropDown::HandleMouseWheelDown();
    WheelStep(true);
}

void TExImagePickerDropDown::HandleMouseWheelUp()
{
    TExCustomDropDown::HandleMouseWheelUp();
    WheelStep(false);
}
