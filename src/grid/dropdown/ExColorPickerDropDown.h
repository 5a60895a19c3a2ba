#pragma once
// TExColorPickerDropDown: chooses a colour. The edit is not typed into: it
// shows a swatch of the selected colour and, optionally, a text for it. The
// popup holds one of four selectors: a list of named colours, the fixed
// palette, the colour cube or the spectrum with its eyedropper.

#include <memory>

#include "grid/dropdown/ExDropDown.h"
#include "grid/dropdown/ExItemSelector.h"
#include "grid/dropdown/ExPickerList.h"

class TCustomColorSelector;
class TExColorCubePanel;
class TExColorSpectrumPanel;
class TPickerSearch;

enum TColorValueText { cvtNone, cvtHex, cvtWebName, cvtRGB, cvtHTML };
enum TColorSelectionStyle { csList, csDiscrete, csColorCube, csSpectrum };

class TColorItem : public TCaptionItem {
public:
    using TCaptionItem::TCaptionItem;
    QString ClassName() const override { return QStringLiteral("TColorItem"); }
    void Assign(const TPersistent* Source) override;

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    const QString& Hint() const { return FHint; }
    void SetHint(const QString& Value) { FHint = Value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }

private:
    TColor FColor = clNone;
    QString FHint;
    bool FEnabled = true;
};

class TColorItems : public TPickerItems {
public:
    explicit TColorItems(TPersistent* AOwner);
    QString ClassName() const override { return QStringLiteral("TColorItems"); }
    TPersistent* GetOwner() const override { return FOwner; }
    TColorItem* Add() { return static_cast<TColorItem*>(TCollection::Add()); }
    TColorItem* Insert(Integer Index) { return static_cast<TColorItem*>(TCollection::Insert(Index)); }
    TColorItem* Items(Integer Index) const { return ItemsAs<TColorItem>(Index); }
    void SetItem(Integer Index, const TColorItem* Value) { SetItems(Index, Value); }
    // A caption or colour changed (Sender: the collection).

private:
    TPersistent* FOwner;
};

class TExColorPickerDropDown : public TExCustomDropDown {
public:
    explicit TExColorPickerDropDown(TComponent* AOwner);
    ~TExColorPickerDropDown() override;
    QString ClassName() const override { return QStringLiteral("TExColorPickerDropDown"); }

    Integer Columns() const { return FColumns; }
    void SetColumns(Integer Value) { FColumns = Value; }
    TColorItems* Colors() const { return FColors.get(); }
    void SetColors(const TColorItems* Value) { FColors->Assign(Value); }
    Integer ItemIndex() const { return FItemIndex; }
    void SetItemIndex(Integer Value);
    Integer ColorBoxHeight() const { return FColorBoxHeight; }
    void SetColorBoxHeight(Integer Value) { FColorBoxHeight = Value; }
    Integer ColorBoxWidth() const { return FColorBoxWidth; }
    void SetColorBoxWidth(Integer Value) { FColorBoxWidth = Value; }
    TItemLayout Layout() const { return FLayout; }
    void SetLayout(TItemLayout Value) { FLayout = Value; }
    TItemAppearance* ItemAppearance() const { return FItemAppearance.get(); }
    void SetItemAppearance(const TItemAppearance* Value) { FItemAppearance->Assign(Value); }
    TColorValueText ColorValueText() const { return FColorValueText; }
    void SetColorValueText(TColorValueText Value);
    TColorSelectionStyle ColorSelectionStyle() const { return FColorSelectionStyle; }
    void SetColorSelectionStyle(TColorSelectionStyle Value);
    bool ShowText() const { return FShowText; }
    void SetShowText(bool Value);

    TColor SelectedColor() const { return FSelectedColor; }
    void SetSelectedColor(TColor Value);
    // The colour's caption in the list style, else the text ColorValueText asks for.
    virtual QString GetSelectedColorText() const;
    QString SelectedColorText() const { return GetSelectedColorText(); }

    // Appends the 16 standard colours ("Black" ... "White").
    void AddDefaultColors();
    const QString& CurSearch() const;

    // The selectors, each made on first need (nullptr before).
    TExCustomItemSelector* ItemSelector() const { return FItemSelector; }
    TCustomColorSelector* ColorSelector() const { return FColorSelector; }
    TExColorCubePanel* ColorCubePanel() const { return FColorCubePanel; }
    TExColorSpectrumPanel* SpectrumPanel() const { return FSpectrumPanel; }

    TNotifyEvent OnSelect;
    TOnDrawSelectedItem OnDrawSelectedColor;
    TDrawItemEvent OnDrawColor;

    void SetSelectionColorStyle(TSelectionColorStyle Value) override;
    void SetComponentStyle(TKavroStyle AStyle) override;

protected:
    void CreateDropDownForm() override;
    void DoBeforeDropDown() override;
    void AttachDropDownControl() override;
    void UpdateDropDownSize() override;
    void DoHideDropDown(bool Cancel) override;
    void DropDownFormDestroy() override;
    void HandleMouseWheelDown() override;
    void HandleMouseWheelUp() override;
    void PaintFocusedText() override;
    void Dispatch(TMessage& Message) override;

private:
    void CreateItemSelector();
    void CreateColorSelector();
    void CreateCubePanel();
    void CreateSpectrumPanel();
    // Makes C the popup's control, at the popup's top left in its colour.
    void PlaceSelector(TControl* C);
    // Shows the control of the current style and hides the others; the
    // control takes the selected colour.
    void PrepareSelector();
    void UpdateItemSelector();
    void SizeListPopup();
    void ItemSelectorSelect();
    void PanelColorSelect(TColor Color, bool CanStayOpen);
    void PaintSelectedColor(TCanvas* Canvas);
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void WheelStep(bool Down);

    Integer FColumns = 1;
    std::unique_ptr<TColorItems> FColors;
    Integer FItemIndex = -1;
    Integer FColorBoxHeight = 14;
    Integer FColorBoxWidth = 14;
    TItemLayout FLayout = ilCaptionRight;
    std::unique_ptr<TItemAppearance> FItemAppearance;
    TColorValueText FColorValueText = cvtNone;
    TColorSelectionStyle FColorSelectionStyle = csList;
    bool FShowText = true;
    TColor FSelectedColor = clNone;
    // Owned through the component owner list, children of the popup.
    TExCustomItemSelector* FItemSelector = nullptr;
    TCustomColorSelector* FColorSelector = nullptr;
    TExColorCubePanel* FColorCubePanel = nullptr;
    TExColorSpectrumPanel* FSpectrumPanel = nullptr;
    bool FInternalCall = false;
    std::unique_ptr<TPickerSearch> FSearch;
    Integer FOldItemIndex = -1;
    TColor FOldSelectedColor = clNone;
};
