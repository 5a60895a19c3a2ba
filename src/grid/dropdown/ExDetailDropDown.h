#pragma once
// TExDetailDropDown: chooses one of a list of detail items (a caption, a
// mini-HTML note under it and an image). The edit shows the chosen item's
// caption; the popup lists the items one per row. An item is chosen in the
// open list, with keys and the wheel on the closed edit, by typing (the
// text before the caret is completed with the first caption that starts
// with it) or by the incremental search of keys typed within 500 ms.

#include <memory>

#include "grid/dropdown/ExDropDown.h"
#include "grid/dropdown/ExItemSelector.h"
#include "grid/dropdown/ExPickerList.h"

class TPicture;
class TPickerSearch;

class TDetailItem : public TPickerImageItem {
public:
    using TPickerImageItem::TPickerImageItem;
    QString ClassName() const override { return QStringLiteral("TDetailItem"); }
    // Caption, image index, picture, tag and object; the notes stay.
    void Assign(const TPersistent* Source) override;

    const QString& Notes() const { return FNotes; }
    void SetNotes(const QString& Value) { FNotes = Value; }
    Integer Tag() const { return FTag; }
    void SetTag(Integer Value) { FTag = Value; }
    // Not owned.
    TObject* ItemObject() const { return FItemObject; }
    void SetItemObject(TObject* Value) { FItemObject = Value; }

private:
    QString FNotes;
    Integer FTag = 0;
    TObject* FItemObject = nullptr;
};

class TDetailItems : public TPickerItems {
public:
    explicit TDetailItems(TPersistent* AOwner);
    QString ClassName() const override { return QStringLiteral("TDetailItems"); }
    TPersistent* GetOwner() const override { return FMyOwner; }
    TDetailItem* Add() { return static_cast<TDetailItem*>(TCollection::Add()); }
    TDetailItem* Insert(Integer Index) { return static_cast<TDetailItem*>(TCollection::Insert(Index)); }
    TDetailItem* Items(Integer Index) const { return ItemsAs<TDetailItem>(Index); }
    void SetItem(Integer Index, const TDetailItem* Value) { SetItems(Index, Value); }
    // The first item whose caption equals AValue exactly; -1 when none.
    Integer IndexOf(const QString& AValue) const;


private:
    TPersistent* FMyOwner;
};

class TExDetailDropDown : public TExCustomDropDown {
public:
    explicit TExDetailDropDown(TComponent* AOwner);
    ~TExDetailDropDown() override;
    QString ClassName() const override { return QStringLiteral("TExDetailDropDown"); }

    TDetailItems* Items() const { return FItems.get(); }
    void SetItems(const TDetailItems* Value) { FItems->Assign(Value); }
    Integer ItemIndex() const { return FItemIndex; }
    void SetItemIndex(Integer Value);
    Integer ItemHeight() const { return FItemHeight; }
    void SetItemHeight(Integer Value) { FItemHeight = Value; }
    TItemLayout Layout() const { return FLayout; }
    void SetLayout(TItemLayout Value) { FLayout = Value; }
    TItemAppearance* ItemAppearance() const { return FItemAppearance.get(); }
    void SetItemAppearance(const TItemAppearance* Value) { FItemAppearance->Assign(Value); }
    TFont* CaptionFont() const { return FCaptionFont.get(); }
    void SetCaptionFont(const TFont* Value);
    TFont* NotesFont() const { return FNotesFont.get(); }
    void SetNotesFont(const TFont* Value);
    bool MatchCase() const { return FMatchCase; }
    void SetMatchCase(bool Value) { FMatchCase = Value; }
    bool MatchStart() const { return FMatchStart; }
    void SetMatchStart(bool Value) { FMatchStart = Value; }
    TExCustomItemSelector* ItemSelector() const { return FItemSelector; }
    const QString& CurSearch() const;

    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();

    TNotifyEvent OnSelect;
    TOnDrawSelectedItem OnDrawSelectedImage;

    // Auto-completion of the text before the caret.
    void Change() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void SetSelectionColorStyle(TSelectionColorStyle Value) override;
    void SetComponentStyle(TKavroStyle AStyle) override;

protected:
    void CreateDropDownForm() override;
    void DoBeforeDropDown() override;
    void DoShowDropDown() override;
    void UpdateDropDownSize() override;
    void DoHideDropDown(bool Cancel) override;
    void DropDownFormSizing() override;
    void HandleMouseWheelDown() override;
    void HandleMouseWheelUp() override;
    void Dispatch(TMessage& Message) override;

private:
    void LoadSelector();
    void DrawDetailItem(TCanvas* Canvas, TRect R, Integer Index);
    void DetailItemSize(TSize& ASize);
    void SelectorItemSelect();
    void WheelStep(Integer Step);
    QString CaseFold(const QString& S) const;

    TExCustomItemSelector* FItemSelector = nullptr;  // owned through the component owner list
    TItemLayout FLayout = ilCaptionRight;
    std::unique_ptr<TDetailItems> FItems;
    Integer FItemIndex = -1;
    std::unique_ptr<TItemAppearance> FItemAppearance;
    bool FInternalCall = false;
    std::unique_ptr<TPickerSearch> FSearch;
    Integer FOldItemIndex = -1;
    // The text when the popup opened: what a cancel shows again.
    QString FOpenText;
    Integer FItemHeight = 22;
    std::unique_ptr<TFont> FCaptionFont;
    std::unique_ptr<TFont> FNotesFont;
    bool FWorkMode = true;
    bool FItemChange = false;
    Integer FItemIdx = -1;
    Integer FItemSel = 0;
    bool FMatchCase = false;
    bool FMatchStart = false;
    // Auto-completion is writing the text it completed.
    bool FCompleting = false;
};
