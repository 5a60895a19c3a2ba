#include "grid/dropdown/ExColorPickerDropDown.h"

#include "grid/dropdown/ListStep.h"

#include "grid/dropdown/ExColorSelectors.h"
#include "grid/dropdown/ExPickerList.h"
#include "platform/Canvas.h"
#include "platform/DrawText.h"
#include "platform/Text.h"

// ------------------------------------------------------------ items

void TColorItem::SetColor(TColor Value)
{
    if (Value == FColor)
        return;
    FColor = Value;
    Changed();
}

void TColorItem::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TColorItem*>(Source);
    if (s == nullptr) {
        TCollectionItem::Assign(Source);
        return;
    }
    SetCaption(s->FCaption);
    SetColor(s->FColor);
    FEnabled = s->FEnabled;
    FHint = s->FHint;
}

TColorItems::TColorItems(TPersistent* AOwner)
    : TPickerItems([](TCollection* c) { return new TColorItem(c); }), FOwner(AOwner)
{
}

// ------------------------------------------------------------ the dropdown

TExColorPickerDropDown::TExColorPickerDropDown(TComponent* AOwner)
    : TExCustomDropDown(AOwner), FColors(std::make_unique<TColorItems>(this)),
      FItemAppearance(std::make_unique<TItemAppearance>(this)), FSearch(std::make_unique<TPickerSearch>(this))
{
    // The base constructor made the popup before this class existed: the
    // list selector of the first style comes now.
    if (!HasState(csDesigning))
        CreateDropDownForm();
    FColors->OnChange = [](TObject*) {};
    SetEditorEnabled(false);
    SetDropDownEnabled(true);
    SetDropDownHeight(200);
    DropDownHeader()->SetVisible(false);
    DropDownFooter()->SetVisible(false);
    SetCursor(crArrow);
}

TExColorPickerDropDown::~TExColorPickerDropDown()
{
    FColors->OnChange = nullptr;
}

const QString& TExColorPickerDropDown::CurSearch() const
{
    return FSearch->Text();
}

void TExColorPickerDropDown::AddDefaultColors()
{
    static const struct {
        const char* Name;
        TColor Color;
    } Defaults[] = {
        {"Black", 0x000000},  {"Maroon", 0x000080}, {"Green", 0x008000},  {"Olive", 0x008080},
        {"Navy", 0x800000},   {"Purple", 0x800080}, {"Teal", 0x808000},   {"Gray", 0x808080},
        {"Silver", 0xC0C0C0}, {"Red", 0x0000FF},    {"Lime", 0x00FF00},   {"Yellow", 0x00FFFF},
        {"Blue", 0xFF0000},   {"Fuchsia", 0xFF00FF}, {"Aqua", 0xFFFF00},  {"White", 0xFFFFFF},
    };
    for (const auto& d : Defaults) {
        TColorItem* item = FColors->Add();
        item->SetCaption(QString::fromLatin1(d.Name));
        item->SetColor(d.Color);
    }
}

void TExColorPickerDropDown::SetItemIndex(Integer Value)
{
    if (Value >= FColors->Count())
        return;
    FItemIndex = Value;
    if (Value >= 0)
        FSelectedColor = FColors->Items(Value)->Color();
    Invalidate();
    if (OnSelect)
        OnSelect(this);
}

void TExColorPickerDropDown::SetSelectedColor(TColor Value)
{
    if (Value == FSelectedColor)
        return;
    FSelectedColor = Value;
    for (Integer i = 0; i < FColors->Count(); ++i)
        if (FColors->Items(i)->Color() == Value) {
            SetItemIndex(i);
            Invalidate();
            return;
        }
    FItemIndex = -1;
    Invalidate();
}

void TExColorPickerDropDown::SetColorValueText(TColorValueText Value)
{
    FColorValueText = Value;
    Invalidate();
}

void TExColorPickerDropDown::SetShowText(bool Value)
{
    if (Value == FShowText)
        return;
    FShowText = Value;
    Invalidate();
}

QString TExColorPickerDropDown::GetSelectedColorText() const
{
    if (FColorSelectionStyle == csList && FItemIndex >= 0 && FItemIndex < FColors->Count())
        return FColors->Items(FItemIndex)->Caption();
    const TColor rgb = ColorToRGB(FSelectedColor);
    switch (FColorValueText) {
    case cvtHex: return IntToHex(FSelectedColor & 0xFFFFFF, 6).toUpper();
    case cvtWebName: return ColorToWebColorName(FSelectedColor);
    case cvtRGB:
        return QStringLiteral("Red:%1,Green:%2,Blue:%3").arg(GetRValue(rgb)).arg(GetGValue(rgb)).arg(GetBValue(rgb));
    case cvtHTML:
        return QStringLiteral("#") + IntToHex(GetRValue(rgb), 2).toUpper() + IntToHex(GetGValue(rgb), 2).toUpper() +
               IntToHex(GetBValue(rgb), 2).toUpper();
    default: return QString();
    }
}

// ------------------------------------------------------------ selectors

void TExColorPickerDropDown::PlaceSelector(TControl* C)
{
    C->SetLeft(0);
    C->SetTop(0);
    C->SetColor(DropDownColor());
    SetControl(C);
}

void TExColorPickerDropDown::CreateItemSelector()
{
    if (FItemSelector == nullptr) {
        FItemSelector = new TExCustomItemSelector(this);
        FItemSelector->SetParent(DropDownForm());
        FItemSelector->SetSelectorType(stColor);
        FItemSelector->SetHeight(150);
        FItemSelector->UpdateSelectorPanel();
    }
    PlaceSelector(FItemSelector);
}

void TExColorPickerDropDown::CreateColorSelector()
{
    if (FColorSelector == nullptr) {
        FColorSelector = new TCustomColorSelector(this);
        FColorSelector->SetParent(DropDownForm());
        FColorSelector->FillPalette();
    }
    FColorSelector->UpdateLayout();
    PlaceSelector(FColorSelector);
}

void TExColorPickerDropDown::CreateCubePanel()
{
    if (FColorCubePanel == nullptr) {
        FColorCubePanel = new TExColorCubePanel(this);
        FColorCubePanel->SetParent(DropDownForm());
    }
    PlaceSelector(FColorCubePanel);
}

void TExColorPickerDropDown::CreateSpectrumPanel()
{
    if (FSpectrumPanel == nullptr) {
        FSpectrumPanel = new TExColorSpectrumPanel(this);
        FSpectrumPanel->SetParent(DropDownForm());
    }
    PlaceSelector(FSpectrumPanel);
}

void TExColorPickerDropDown::CreateDropDownForm()
{
    TExCustomDropDown::CreateDropDownForm();
    switch (FColorSelectionStyle) {
    case csList: CreateItemSelector(); break;
    case csDiscrete: CreateColorSelector(); break;
    case csColorCube: CreateCubePanel(); break;
    case csSpectrum: CreateSpectrumPanel(); break;
    }
}

void TExColorPickerDropDown::UpdateItemSelector()
{
    TExCustomItemSelector* l = FItemSelector;
    if (l == nullptr)
        return;
    l->OnItemSelect = nullptr;
    l->SetColumns(FColumns);
    l->SetImages(Images());
    l->SetItemLayout(FLayout);
    l->SetColor(DropDownColor());
    l->Items()->Clear();
    for (Integer i = 0; i < FColors->Count(); ++i) {
        const TColorItem* c = FColors->Items(i);
        TSelectorItem* s = l->Items()->Add();
        s->SetCaption(c->Caption());
        s->SetColor(c->Color());
        s->SetHint(c->Hint());
    }
    l->SetColorBoxHeight(FColorBoxHeight);
    l->SetColorBoxWidth(FColorBoxWidth);
    l->SetItemAppearance(FItemAppearance.get());
    l->UpdateSelectorPanel();
    l->SetItemIndex(FItemIndex);
    l->OnItemSelect = [this](TObject*) { ItemSelectorSelect(); };
    l->SetShowHint(ShowHint());
}

void TExColorPickerDropDown::PrepareSelector()
{
    TControl* keep = nullptr;
    switch (FColorSelectionStyle) {
    case csList:
        CreateItemSelector();
        UpdateItemSelector();
        if (OnDrawColor)
            FItemSelector->OnDrawItem = [this](TObject*, TCanvas* Canvas, TRect R, Integer Index) {
                OnDrawColor(this, Canvas, R, Index);
            };
        else
            FItemSelector->OnDrawItem = nullptr;
        FOldItemIndex = FItemIndex;
        keep = FItemSelector;
        break;
    case csDiscrete:
        CreateColorSelector();
        // The palette takes the colour without choosing it again.
        FColorSelector->OnItemSelect = nullptr;
        FColorSelector->SetSelectedColor(FSelectedColor);
        FColorSelector->UpdateLayout();
        FColorSelector->OnItemSelect = [this](TObject*) { PanelColorSelect(FColorSelector->SelectedColor(), true); };
        FColorSelector->SetItemColorStyle(SelectionColorStyle());
        keep = FColorSelector;
        break;
    case csColorCube:
        CreateCubePanel();
        FColorCubePanel->SetSelectedColor(FSelectedColor);
        FColorCubePanel->BuildCells();
        FColorCubePanel->ResetHot();
        FColorCubePanel->OnSelect = [this](TObject*) { PanelColorSelect(FColorCubePanel->SelectedColor(), false); };
        keep = FColorCubePanel;
        break;
    case csSpectrum:
        CreateSpectrumPanel();
        FSpectrumPanel->SetSelectedColor(FSelectedColor);
        FSpectrumPanel->ArrangeSpectrum();
        FSpectrumPanel->OnSelect = [this](TObject*) { PanelColorSelect(FSpectrumPanel->SelectedColor(), false); };
        keep = FSpectrumPanel;
        break;
    }
    // The controls of the other styles stay hidden in the popup.
    for (TControl* c : std::initializer_list<TControl*>{FItemSelector, FColorSelector, FColorCubePanel, FSpectrumPanel})
        if (c != nullptr)
            c->SetVisible(c == keep);
}

void TExColorPickerDropDown::DoBeforeDropDown()
{
    TExCustomDropDown::DoBeforeDropDown();
    PrepareSelector();
    FOldSelectedColor = FSelectedColor;
}

void TExColorPickerDropDown::SetColorSelectionStyle(TColorSelectionStyle Value)
{
    if (Value == FColorSelectionStyle)
        return;
    FColorSelectionStyle = Value;
    if (HasState(csDesigning) || DropDownForm() == nullptr)
        return;
    PrepareSelector();
    FOldSelectedColor = FSelectedColor;
    if (TControl* c = Control()) {
        c->SetAlign(alNone);
        UpdateDropDownSize();
        c->SetAlign(alClient);
    }
    DropDownForm()->Invalidate();
}

void TExColorPickerDropDown::UpdateDropDownSize()
{
    TDropDownForm* f = DropDownForm();
    if (f == nullptr)
        return;
    if (FColorSelectionStyle == csList) {
        if (FItemSelector == nullptr) {
            TExCustomDropDown::UpdateDropDownSize();
            return;
        }
        FitPickerList(this, FItemSelector);
        TExCustomDropDown::UpdateDropDownSize();
        WidenPickerPopup(this, FItemSelector);
        return;
    }
    // A panel popup is exactly the panel's size and the border.
    const TControl* c = Control();
    const bool shown = c != nullptr && c->Visible();
    const Integer border = 2 * DropDownBorderWidth();
    Integer h = border + (shown ? c->Height() : 0);
    if (DropDownHeader()->Visible())
        h += DropDownHeader()->Height();
    if (DropDownFooter()->Visible())
        h += DropDownFooter()->Height();
    f->SetBounds(f->Left(), f->Top(), shown ? c->Width() + border : Width(), h);
}

void TExColorPickerDropDown::AttachDropDownControl()
{
    TExCustomDropDown::AttachDropDownControl();
    if (FColorSelectionStyle != csList && DropDownForm() != nullptr)
        DropDownForm()->SetSizeable(false);
}

void TExColorPickerDropDown::DoHideDropDown(bool Cancel)
{
    TExCustomDropDown::DoHideDropDown(Cancel);
    if (!Cancel)
        return;
    if (FColorSelectionStyle == csList) {
        if (FItemSelector == nullptr)
            return;
        SetItemIndex(FOldItemIndex);
        // Opened on a colour of no item: that colour comes back too.
        if (FOldItemIndex < 0) {
            FSelectedColor = FOldSelectedColor;
            Invalidate();
        }
        return;
    }
    if (FColorSelectionStyle == csDiscrete && FColorSelector != nullptr) {
        const TNotifyEvent chosen = FColorSelector->OnItemSelect;
        FColorSelector->OnItemSelect = nullptr;
        FColorSelector->SetSelectedColor(FOldSelectedColor);
        FColorSelector->OnItemSelect = chosen;
    }
    // A cancel gives back the colour of the opening, also after the keys
    // moved through the palette.
    SetSelectedColor(FOldSelectedColor);
}

void TExColorPickerDropDown::DropDownFormDestroy()
{
    TExCustomDropDown::DropDownFormDestroy();
    if (HasState(csDestroying))
        return;
    FItemSelector = nullptr;
    FColorSelector = nullptr;
    FColorCubePanel = nullptr;
    FSpectrumPanel = nullptr;
}

void TExColorPickerDropDown::SetSelectionColorStyle(TSelectionColorStyle Value)
{
    TExCustomDropDown::SetSelectionColorStyle(Value);
    if (FItemSelector != nullptr)
        FItemSelector->ItemAppearance()->SetColorStyle(Value);
}

void TExColorPickerDropDown::SetComponentStyle(TKavroStyle AStyle)
{
    TExCustomDropDown::SetComponentStyle(AStyle);
    SetItemAppearanceStyle(FItemAppearance.get(), AStyle);
}

// ------------------------------------------------------------ choosing

void TExColorPickerDropDown::ItemSelectorSelect()
{
    if (FItemSelector == nullptr)
        return;
    SetItemIndex(FItemSelector->ItemIndex());
    if (!FInternalCall)
        DoHideDropDown(false);
}

void TExColorPickerDropDown::PanelColorSelect(TColor Color, bool CanStayOpen)
{
    SetSelectedColor(Color);
    SetItemIndex(-1);
    if (!CanStayOpen || !FInternalCall)
        DoHideDropDown(false);
}

void TExColorPickerDropDown::SelectFirst()
{
    StepChoice(*this, FItemIndex, FColors->Count(), TListStep::First);
}

void TExColorPickerDropDown::SelectLast()
{
    StepChoice(*this, FItemIndex, FColors->Count(), TListStep::Last);
}

void TExColorPickerDropDown::SelectNext()
{
    StepChoice(*this, FItemIndex, FColors->Count(), TListStep::Next);
}

void TExColorPickerDropDown::SelectPrevious()
{
    StepChoice(*this, FItemIndex, FColors->Count(), TListStep::Previous);
}

// ------------------------------------------------------------ keys and wheel

void TExColorPickerDropDown::Dispatch(TMessage& Message)
{
    if (Message.Msg != WM_KEYDOWN) {
        TExCustomDropDown::Dispatch(Message);
        return;
    }
    const Word key = Word(Message.WParam);
    TCustomColorSelector* p = FColorSelector;
    bool chosen = false;
    if (FColorSelectionStyle == csList) {
        chosen = ChooseHotItem(this, FItemSelector, key);
    } else if (FColorSelectionStyle == csDiscrete && p != nullptr && Enabled() && DroppedDown() && key == VK_RETURN &&
               p->ItemHot() >= 0) {
        p->SetItemIndex(p->ItemHot());
        chosen = true;
    }
    TExCustomDropDown::Dispatch(Message);
    if (FColorSelectionStyle == csDiscrete && p != nullptr) {
        if (!Enabled() || GetKeyState(VK_MENU) < 0)
            return;
        FInternalCall = true;
        p->HandleKey(key, EditorEnabled(), DroppedDown());
        FInternalCall = false;
        if (key == VK_RETURN && !chosen && OnSelect)
            OnSelect(this);
        return;
    }
    if (FColorSelectionStyle != csList || FItemSelector == nullptr)
        return;
    const TPickerSteps steps{[this] { SelectFirst(); }, [this] { SelectLast(); }, [this] { SelectPrevious(); },
                             [this] { SelectNext(); }, [this] { UpdateItemSelector(); }};
    PickerListKey(this, FItemSelector, key, FColors->Count(), FColumns, steps, chosen, OnSelect, FInternalCall, *FSearch);
}

void TExColorPickerDropDown::WheelStep(bool Down)
{
    if (!Enabled() || ReadOnly())
        return;
    const bool open = DroppedDown();
    FInternalCall = !open;
    if (FColorSelectionStyle == csList && FItemSelector != nullptr) {
        if (open)
            Down ? FItemSelector->HotNext() : FItemSelector->HotPrevious();
        else
            Down ? FItemSelector->SelectNext() : FItemSelector->SelectPrevious();
    } else if (FColorSelectionStyle == csDiscrete && FColorSelector != nullptr) {
        if (open)
            Down ? FColorSelector->HotNext() : FColorSelector->HotPrevious();
        else
            Down ? FColorSelector->SelectNext() : FColorSelector->SelectPrevious();
    }
    FInternalCall = false;
}

void TExColorPickerDropDown::HandleMouseWheelDown()
{
    TExCustomDropDown::HandleMouseWheelDown();
    WheelStep(true);
}

void TExColorPickerDropDown::HandleMouseWheelUp()
{
    TExCustomDropDown::HandleMouseWheelUp();
    WheelStep(false);
}

// ------------------------------------------------------------ the edit

void TExColorPickerDropDown::PaintFocusedText()
{
    TExCustomDropDown::PaintFocusedText();
    if (TCanvas* c = PaintCanvas())
        PaintSelectedColor(c);
}

void TExColorPickerDropDown::PaintSelectedColor(TCanvas* Canvas)
{
    const TRect r(1, 1, Width() - DropDownButtonWidth() - 2, Height() - 2);
    if (OnDrawSelectedColor) {
        OnDrawSelectedColor(this, Canvas, r);
        return;
    }
    if (FSelectedColor == clNone)
        return;
    const Integer top = r.Top + (Height() - FColorBoxHeight) / 2;
    const TRect box(r.Left + 4, top, r.Left + 4 + FColorBoxWidth, top + FColorBoxHeight);
    Canvas->Pen()->SetColor(clBlack);
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(FSelectedColor);
    Canvas->Rectangle(box);
    if (!FShowText)
        return;
    Canvas->Font()->Assign(Font());
    if (!EditorEnabled() && Focused())
        Canvas->Font()->SetColor(clHighlightText);
    Canvas->Brush()->SetColor(Focused() ? clHighlight : Color());
    TRect t(box.Right + 4, r.Top, r.Right, r.Bottom);
    DrawText(Canvas, GetSelectedColorText(), t, DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER);
}
