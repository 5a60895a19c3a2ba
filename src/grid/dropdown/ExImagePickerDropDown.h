#pragma once
// TExImagePickerDropDown: chooses one image. Each item shows a picture of
// its own or an image of the editor's image list, with an optional caption
// and hint; the edit is not typed into and shows the chosen image centred.
// The popup shows the items in Columns columns.

#include <memory>

#include "grid/dropdown/ExDropDown.h"
#include "grid/dropdown/ExItemSelector.h"
#include "grid/dropdown/ExPickerList.h"

class TPicture;
class TPickerSearch;

class TImageItem : public TPickerImageItem {
public:
    using TPickerImageItem::TPickerImageItem;
    QString ClassName() const override { return QStringLiteral("TImageItem"); }
    void Assign(const TPersistent* Source) override;

    const QString& Hint() const { return FHint; }
    void SetHint(const QString& Value) { FHint = Value; }

private:
    friend class TExImagePickerDropDown;
    QString FHint;
};

class TImageItems : public TPickerItems {
public:
    explicit TImageItems(TPersistent* AOwner);
    QString ClassName() const override { return QStringLiteral("TImageItems"); }
    TPersistent* GetOwner() const override { return FMyOwner; }
    TImageItem* Add() { return static_cast<TImageItem*>(TCollection::Add()); }
    TImageItem* Insert(Integer Index) { return static_cast<TImageItem*>(TCollection::Insert(Index)); }
    TImageItem* GetItem(Integer Index) const { return ItemsAs<TImageItem>(Index); }
    TImageItem* Items(Integer Index) const { return GetItem(Index); }
    void SetItem(Integer Index, const TImageItem* Value) { SetItems(Index, Value); }


private:
    TPersistent* FMyOwner;
};

class TExImagePickerDropDown : public TExCustomDropDown {
public:
    explicit TExImagePickerDropDown(TComponent* AOwner);
    ~TExImagePickerDropDown() override;
    QString ClassName() const override { return QStringLiteral("TExImagePickerDropDown"); }

    Integer Columns() const { return FColumns; }
    void SetColumns(Integer Value) { FColumns = Value; }
    TImageItems* Items() const { return FItems.get(); }
    void SetItems(const TImageItems* Value) { FItems->Assign(Value); }
    Integer ItemIndex() const { return FItemIndex; }
    void SetItemIndex(Integer Value);
    TItemLayout Layout() const { return FLayout; }
    void SetLayout(TItemLayout Value) { FLayout = Value; }
    TItemAppearance* ItemAppearance() const { return FItemAppearance.get(); }
    void SetItemAppearance(const TItemAppearance* Value) { FItemAppearance->Assign(Value); }
    // The image-list index of the chosen item (-1: none); setting it
    // chooses the first item with that index.
    Integer GetImageIndex() const;
    void SetImageIndex(Integer Value);
    TExCustomItemSelector* ItemSelector() const { return FItemSelector; }
    const QString& CurSearch() const;

    // One item per image of Images.
    void AddImagesFromImageList();
    // One item per picture file found for a folder with a file-name mask;
    // a file that is no picture gives an item without picture or caption.
    void AddImagesFromFolder(const QString& AFolder, bool SetImageCaption);

    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();

    TNotifyEvent OnSelect;
    TOnDrawSelectedItem OnDrawSelectedImage;
    TDrawItemEvent OnDrawItem;

    void SetSelectionColorStyle(TSelectionColorStyle Value) override;
    void SetComponentStyle(TKavroStyle AStyle) override;

protected:
    void CreateDropDownForm() override;
    void DoBeforeDropDown() override;
    void UpdateDropDownSize() override;
    void DoHideDropDown(bool Cancel) override;
    void HandleMouseWheelDown() override;
    void HandleMouseWheelUp() override;
    void PaintFocusedText() override;
    void Dispatch(TMessage& Message) override;

private:
    void LoadSelector();
    void SelectorItemSelect();
    void PaintSelectedImage(TCanvas* Canvas);
    void AddImageFile(const QString& Path, bool SetImageCaption);
    void WheelStep(bool Down);

    TExCustomItemSelector* FItemSelector = nullptr;  // owned through the component owner list
    Integer FColumns = 1;
    TItemLayout FLayout = ilCaptionRight;
    std::unique_ptr<TImageItems> FItems;
    Integer FItemIndex = -1;
    std::unique_ptr<TItemAppearance> FItemAppearance;
    bool FInternalCall = false;
    std::unique_ptr<TPickerSearch> FSearch;
    Integer FOldItemIndex = -1;
};
