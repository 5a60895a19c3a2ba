#pragma once
// The colour picker's panels: a fixed palette of 60 colour boxes
// (TCustomColorSelector), a honeycomb of 127 colour cells
// (TExColorCubePanel) and a spectrum image with an eyedropper
// (TExColorSpectrumPanel). Each keeps its own selected colour and reports a
// choice through an event; the picker takes the colour from the panel.

#include <array>
#include <memory>

#include "grid/dropdown/ExDropDownDraw.h"
#include "platform/Control.h"
#include "platform/Lists.h"

class TBitmap;
class TImage;

// The eyedropper cursor's number among the screen's cursors.
constexpr TCursor crKavroPointer = 54;

// The "Kavro_SPECTRUM" picture: 128 x 128, the hue once around the colour
// circle from left to right, white at the top through the full colours in
// the middle rows to black at the bottom.
void LoadKavroSpectrum(TBitmap* Bitmap);
// The "Kavro_POINTER" cursor: a 32 x 32 eyedropper, its tip (the hot spot)
// at (1, 30).
void LoadKavroPointer(TBitmap* Bitmap);

class TExCustomColorSelectorPanel : public TCustomControl {
public:
    explicit TExCustomColorSelectorPanel(TComponent* AOwner) : TCustomControl(AOwner) {}
    // The popup may close: the cube and the spectrum fire it on mouse-up.
    TNotifyEvent OnShouldHide;

protected:
    void DoShouldHide()
    {
        if (OnShouldHide)
            OnShouldHide(this);
    }
};

// ------------------------------------------------------------ the palette

enum TItemPos { ipStandAlone, ipTop, ipMiddle, ipBottom };

class TColorBoxItem : public TCollectionItem {
public:
    explicit TColorBoxItem(TCollection* Collection) : TCollectionItem(Collection) {}
    QString ClassName() const override { return QStringLiteral("TColorBoxItem"); }
    void Assign(const TPersistent* Source) override;

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TItemPos ColorBoxPos() const { return FColorBoxPos; }
    void SetColorBoxPos(TItemPos Value) { FColorBoxPos = Value; }
    // A disabled box can be neither hot nor selected.
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    // Written by the layout.
    TRect Rect() const { return FRect; }
    void SetRect(const TRect& Value) { FRect = Value; }

private:
    TColor FColor = clNone;
    TItemPos FColorBoxPos = ipStandAlone;
    bool FEnabled = true;
    TRect FRect;
};

class TColorBoxItems : public TCollection {
public:
    explicit TColorBoxItems(TPersistent* AOwner);
    QString ClassName() const override { return QStringLiteral("TColorBoxItems"); }
    TPersistent* GetOwner() const override { return FOwner; }
    TColorBoxItem* Add() { return static_cast<TColorBoxItem*>(TCollection::Add()); }
    TColorBoxItem* Insert(Integer Index) { return static_cast<TColorBoxItem*>(TCollection::Insert(Index)); }
    TColorBoxItem* Items(Integer Index) const { return ItemsAs<TColorBoxItem>(Index); }
    void SetItem(Integer Index, const TColorBoxItem* Value) { SetItems(Index, Value); }
    // A box's colour changed (Sender: the collection).
    TNotifyEvent OnChange;

private:
    TPersistent* FOwner;
};

class TColorBoxAppearance : public TPersistent {
public:
    QString ClassName() const override { return QStringLiteral("TColorBoxAppearance"); }
    void Assign(const TPersistent* Source) override;

    TColor BorderColor = 0xC5C5C5;
    TColor OuterBorderColorHot = 0x3694F2;
    TColor InnerBorderColorHot = 0x94E2FF;
    TColor OuterBorderColorSelected = 0x0000FF;
    TColor InnerBorderColorSelected = 0x94E2FF;
    TNotifyEvent OnChange;
};

class TCustomColorSelector : public TExCustomColorSelectorPanel {
public:
    explicit TCustomColorSelector(TComponent* AOwner);
    ~TCustomColorSelector() override;
    QString ClassName() const override { return QStringLiteral("TCustomColorSelector"); }

    TColorBoxItems* Items() const { return FItems.get(); }
    void SetItems(const TColorBoxItems* Value) { FItems->Assign(Value); }
    Integer ItemIndex() const { return FItemIndex; }
    void SetItemIndex(Integer Index);
    Integer ItemHot() const { return FItemHot; }
    void SetItemHot(Integer Index);
    TColor SelectedColor() const { return FSelectedColor; }
    void SetSelectedColor(TColor Value);
    Integer Columns() const { return FColumns; }
    void SetColumns(Integer Value);
    Integer ColumnGap() const { return FColumnGap; }
    void SetColumnGap(Integer Value);
    Integer ColorBoxWidth() const { return FColorBoxWidth; }
    void SetColorBoxWidth(Integer Value);
    Integer ColorBoxHeight() const { return FColorBoxHeight; }
    void SetColorBoxHeight(Integer Value);
    TColorBoxAppearance* ColorBoxAppearance() const { return FAppearance.get(); }
    void SetColorBoxAppearance(const TColorBoxAppearance* Value) { FAppearance->Assign(Value); }
    TSelectionColorStyle ItemColorStyle() const { return FItemColorStyle; }
    void SetItemColorStyle(TSelectionColorStyle Value);

    // The 60 boxes of the palette, in 6 rows of 10.
    void FillPalette();
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void HotNext();
    void HotPrevious();
    // Page Up/Down, Home, End and the arrows, for the colour picker.
    void HandleKey(Word Key, bool EditorEnabled, bool DroppedDown);
    // (-1, -1, -1, -1) for an index outside the boxes.
    TRect GetItemRect(Integer Index) const;
    Integer ItemAtPos(Integer X, Integer Y) const;
    virtual void UpdateLayout();

    TNotifyEvent OnItemSelect;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void Dispatch(TMessage& Message) override;

    virtual void DrawItem(Integer Index, TCanvas* ACanvas);
    virtual void GetItemsRect(TRect& R) const;
    virtual void GetColorBoxSize(TSize& Size) const;
    virtual void InvalidateItem(Integer Index);

private:
    bool ValidIndex(Integer Index) const { return Index >= 0 && Index < FItems->Count(); }

    std::unique_ptr<TColorBoxItems> FItems;
    std::unique_ptr<TColorBoxAppearance> FAppearance;
    Integer FItemIndex = -1;
    Integer FItemHot = -1;
    TColor FSelectedColor = clNone;
    Integer FColumns = 10;
    Integer FColumnGap = 4;
    Integer FColorBoxWidth = 12;
    Integer FColorBoxHeight = 12;
    TSelectionColorStyle FItemColorStyle = scCustom;
    Integer FOffSetX = 4;
    Integer FOffSetY = 4;
};

// ------------------------------------------------------------ the cube

class TExColorCubePanel : public TExCustomColorSelectorPanel {
public:
    static constexpr Integer CellCount = 127;
    struct TCubeCell {
        TPoint Center;
        TColor Color = clNone;
    };

    explicit TExColorCubePanel(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TExColorCubePanel"); }

    TColor SelectedColor() const { return FSelectedColor; }
    void SetSelectedColor(TColor Value) { SelectCubeCell(Value, -1); }
    Integer SelectedIndex() const { return FSelectedIndex; }
    Integer HotIndex() const { return FHotIndex; }
    // Half a cell's width (X) and a quarter of its height (Y).
    TPoint CubeSize() const { return FCubeSize; }
    bool ShowRGBHint() const { return FShowRGBHint; }
    void SetShowRGBHint(bool Value);
    // Cells 1 to 127.
    const TCubeCell& Cell(Integer Index) const { return FCells[size_t(Index)]; }

    void BuildCells();
    // No hot cell, and the panel's own size again.
    void ResetHot();
    // With an index of 1-127 that cell is selected; otherwise the first cell
    // of the colour, or none.
    void SelectCubeCell(TColor Color, Integer Index);
    // The first cell whose centre lies within CubeSize.X of the point; -1 when none.
    Integer CellAtPos(Integer X, Integer Y) const;

    TNotifyEvent OnSelect;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

private:
    void DrawCubeCells(TCanvas* C);
    void DrawCubeCell(TCanvas* C, Integer Index);
    void InvalidateCell(Integer Index);

    std::array<TCubeCell, CellCount + 1> FCells{};
    TPoint FCubeSize{6, 3};
    TColor FSelectedColor = clNone;
    Integer FSelectedIndex = -1;
    Integer FHotIndex = -1;
    bool FShowRGBHint = true;
};

// ------------------------------------------------------------ the spectrum

class TExColorSpectrumPanel : public TExCustomColorSelectorPanel {
public:
    explicit TExColorSpectrumPanel(TComponent* AOwner);
    ~TExColorSpectrumPanel() override;
    QString ClassName() const override { return QStringLiteral("TExColorSpectrumPanel"); }

    TImage* SpectrumImage() const { return FSpectrumImage; }
    TColor HotColor() const { return FHotColor; }
    TColor SelectedColor() const { return FSelectedColor; }
    void SetSelectedColor(TColor Value);
    TRect HotRect() const { return FHotRect; }
    TRect SelectedRect() const { return FSelectedRect; }

    // Places the image and the two swatches; no hot colour.
    void ArrangeSpectrum();

    TNotifyEvent OnSelect;

protected:
    void Paint() override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

private:
    void DrawHot(TCanvas* C);
    void DrawSelected(TCanvas* C);
    void DrawSwatch(TCanvas* C, const TRect& R, TColor Color);
    void SpectrumMouseMove(Integer X, Integer Y);
    void SpectrumMouseDown();

    TImage* FSpectrumImage = nullptr;  // owned through the component owner list
    std::unique_ptr<TBitmap> FSpectrum;
    TColor FHotColor = clNone;
    TColor FSelectedColor = 0xFFFFFF;
    TRect FHotRect;
    TRect FSelectedRect;
};
