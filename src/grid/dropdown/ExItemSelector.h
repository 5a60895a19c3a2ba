#pragma once
// The item selector: the list the detail, image and colour pickers show in
// their popups. Items (a mini-HTML caption with a picture, an image-list
// image or a colour box) are laid out in a fixed number of columns on an
// inner panel that scrolls in its host; the hot and the selected item get
// a gradient or button-like background in the colours of TItemAppearance.

#include <functional>
#include <memory>

#include "grid/dropdown/ExDropDownDraw.h"
#include "platform/ExtCtrls.h"
#include "platform/Lists.h"

class TCanvas;
class TCustomImageList;
class TFont;
class TPicture;
class TExCustomItemSelector;

enum TSelectorType { stImage, stColor };
enum TItemLayout { ilCaptionLeft, ilCaptionRight, ilCaptionTop, ilCaptionBottom };

using TDrawItemEvent = std::function<void(TObject* Sender, TCanvas* Canvas, TRect R, Integer Index)>;
using TItemSizeEvent = std::function<void(TObject* Sender, TSize& ASize)>;
// Paints a picker's chosen value in the edit area R (or, in the detail
// picker, a whole list row) in place of the built-in painting.
using TOnDrawSelectedItem = std::function<void(TObject* Sender, TCanvas* Canvas, TRect R)>;

class TSelectorItem : public TCollectionItem {
public:
    explicit TSelectorItem(TCollection* Collection);
    ~TSelectorItem() override;
    QString ClassName() const override { return QStringLiteral("TSelectorItem"); }
    void Assign(const TPersistent* Source) override;

    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    Integer ImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer Value);
    TPicture* Image() const { return FImage.get(); }
    void SetImage(const TPicture* Value);
    const QString& Hint() const { return FHint; }
    void SetHint(const QString& Value) { FHint = Value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    // The item's rectangle on the panel, set by the layout.
    TRect Rect() const { return FRect; }
    void SetRect(const TRect& Value) { FRect = Value; }
    // The item's own picture holds something to draw.
    bool HasPicture() const;

private:
    void NotifyChanged();
    QString FCaption;
    Integer FImageIndex = -1;
    bool FEnabled = true;
    TColor FColor = clNone;
    std::unique_ptr<TPicture> FImage;
    TRect FRect;
    QString FHint;
};

class TSelectorItems : public TCollection {
public:
    explicit TSelectorItems(TPersistent* AOwner);
    QString ClassName() const override { return QStringLiteral("TSelectorItems"); }
    TPersistent* GetOwner() const override { return FMyOwner; }
    TSelectorItem* Add() { return static_cast<TSelectorItem*>(TCollection::Add()); }
    TSelectorItem* Insert(Integer Index) { return static_cast<TSelectorItem*>(TCollection::Insert(Index)); }
    TSelectorItem* Items(Integer Index) const { return ItemsAs<TSelectorItem>(Index); }
    void SetItem(Integer Index, const TSelectorItem* Value) { SetItems(Index, Value); }
    // Fires for changes of an item's caption, colour or image index only.
    TNotifyEvent OnChange;
    void DoChange() { if (OnChange) OnChange(this); }

private:
    TPersistent* FMyOwner;
};

// Colours and font of the items.
class TItemAppearance : public TPersistent {
public:
    explicit TItemAppearance(TPersistent* AOwner);
    ~TItemAppearance() override;
    QString ClassName() const override { return QStringLiteral("TItemAppearance"); }
    void Assign(const TPersistent* Source) override;
    // Replaces the twelve preset colours for a selection colour style.
    void SetColorStyle(TSelectionColorStyle Value);
    TSelectionColorStyle ColorStyle() const { return FColorStyle; }

#define ITEM_COLOR(Name)                                                                                               \
    TColor Name() const { return F##Name; }                                                                          \
    void Set##Name(TColor Value) { F##Name = Value; }
    ITEM_COLOR(ColorMirrorHotTo)
    ITEM_COLOR(BorderColor)
    ITEM_COLOR(ColorMirrorHot)
    ITEM_COLOR(ColorSelectedTo)
    ITEM_COLOR(ColorSelected)
    ITEM_COLOR(EdgeColor)
    ITEM_COLOR(ColorHotTo)
    ITEM_COLOR(BorderColorBottom)
    ITEM_COLOR(ColorHot)
    ITEM_COLOR(BorderColorTop)
    ITEM_COLOR(ColorMirrorSelectedTo)
    ITEM_COLOR(ColorMirrorSelected)
    ITEM_COLOR(ColorSelectedText)
    ITEM_COLOR(ColorHotText)
    ITEM_COLOR(BorderColorHot)
    ITEM_COLOR(BorderColorSelected)
#undef ITEM_COLOR
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* Value);
    TPersistent* GetOwner() const { return FOwner; }

    // Never fired by the appearance itself.
    TNotifyEvent OnChange;

private:
    TPersistent* FOwner;
    TColor FColorMirrorHotTo = clNone, FBorderColor = clNone, FColorMirrorHot = clNone, FColorSelectedTo = clNone;
    TColor FColorSelected = clNone, FEdgeColor = clNone, FColorHotTo = clNone, FBorderColorBottom = clNone;
    TColor FColorHot = clNone, FBorderColorTop = clNone, FColorMirrorSelectedTo = clNone, FColorMirrorSelected = clNone;
    TColor FColorSelectedText = clBlack, FColorHotText = clBlack;
    TSelectionColorStyle FColorStyle = scCustom;
    std::unique_ptr<TFont> FFont;
    TColor FBorderColorHot = clNone, FBorderColorSelected = clNone;
};

// The inner panel: lays the items out, paints them and tracks the hot and
// the selected item. It lives only inside a TExCustomItemSelector.
class TCustomItemSelector : public TCustomControl {
    friend class TExCustomItemSelector;
public:
    // Raises "Invalid parent" unless AOwner is a TExCustomItemSelector.
    explicit TCustomItemSelector(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TCustomItemSelector"); }

    Integer ItemIndex() const { return FItemIndex; }
    void SetItemIndex(Integer Value);
    Integer ItemHot() const { return FItemHot; }
    void SetItemHot(Integer Value);
    TRect GetItemRect(Integer Index) const;
    Integer ItemAtPos(Integer X, Integer Y) const;
    virtual void InvalidateItem(Integer Index);
    virtual void UpdateLayout();
    virtual void DrawItem(Integer Index, TCanvas* Canvas);
    void DrawItems(TCanvas* Canvas);
    virtual void GetItemArea(TRect& Rect) const;
    virtual void GetItemSize(TSize& Size);
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void HotNext();
    void HotPrevious();
    bool LookupItem(const QString& Text);

    TNotifyEvent OnItemSelect;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void Dispatch(TMessage& Message) override;

private:
    Integer Count() const;
    TSelectorItem* Item(Integer Index) const;
    bool ValidIndex(Integer Index) const { return Index >= 0 && Index < Count(); }
    TSize PictureSize(const TSelectorItem* Item) const;

    Integer FItemIndex = -1;
    Integer FItemHot = -1;
    Integer FOffSetX = 2, FOffSetY = 2;
    Integer FItemOffSetX = 4, FItemOffSetY = 4;
    Integer FCaptionGap = 4;
    TExCustomItemSelector* FExItemSelector = nullptr;
};

// The scrolling host of the panel; it owns the items and the settings.
class TExCustomItemSelector : public TScrollingWinControl {
    friend class TCustomItemSelector;
public:
    explicit TExCustomItemSelector(TComponent* AOwner);
    ~TExCustomItemSelector() override;
    QString ClassName() const override { return QStringLiteral("TExCustomItemSelector"); }

    TSelectorItems* Items() const { return FItems.get(); }
    void SetItems(const TSelectorItems* Value) { FItems->Assign(Value); }
    TSelectorType SelectorType() const { return FSelectorType; }
    void SetSelectorType(TSelectorType Value);
    TItemLayout ItemLayout() const { return FItemLayout; }
    void SetItemLayout(TItemLayout Value) { FItemLayout = Value; }
    Integer Columns() const { return FColumns; }
    void SetColumns(Integer Value);
    Integer ColorBoxWidth() const { return FColorBoxWidth; }
    void SetColorBoxWidth(Integer Value);
    Integer ColorBoxHeight() const { return FColorBoxHeight; }
    void SetColorBoxHeight(Integer Value);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    TItemAppearance* ItemAppearance() const { return FItemAppearance.get(); }
    void SetItemAppearance(const TItemAppearance* Value) { FItemAppearance->Assign(Value); }
    Integer ItemIndex() const;
    void SetItemIndex(Integer Value);
    Integer ItemHot() const;
    TCustomItemSelector* Panel() const { return FItemSelectorPanel; }

    void UpdateSelectorPanel();
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void HotNext();
    void HotPrevious();
    bool LookupItem(const QString& Text);
    void ScrollItemInView(Integer Index);
    Integer GetVisibleItemCount() const;
    TSize GetPanelSize() const;

    TNotifyEvent OnItemSelect;
    TDrawItemEvent OnDrawItem;
    TItemSizeEvent OnItemSize;

protected:
    virtual void DoItemSelect();
    void Dispatch(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void CreateSelectorPanel();
    // One of the panel's steps, then the selected (or hot) item scrolled into view.
    void PanelStep(void (TCustomItemSelector::*Step)(), bool Hot);

    std::unique_ptr<TSelectorItems> FItems;
    TSelectorType FSelectorType = stImage;
    TItemLayout FItemLayout = ilCaptionRight;
    Integer FColumns = 1;
    Integer FColorBoxWidth = 14, FColorBoxHeight = 14;
    TCustomImageList* FImages = nullptr;
    TCustomItemSelector* FItemSelectorPanel = nullptr;
    std::unique_ptr<TItemAppearance> FItemAppearance;
};
