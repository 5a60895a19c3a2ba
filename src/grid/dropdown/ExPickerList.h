#pragma once
// What the list pickers (detail, image and colour) share in driving their
// popup's item selector from the edit's keys: moving the list's selection
// as the picker's own move (which leaves the popup open), paging by the
// rows in view, and the incremental search of keys typed within 500 ms;
// and their items: a caption, and for the detail and image pickers an image.

#include <functional>
#include <memory>

#include <QString>

#include "platform/Lists.h"
#include "platform/Object.h"
#include "platform/Types.h"

class TComponent;
class TPicture;
class TExCustomDropDown;
class TExCustomItemSelector;
class TTimer;

// Selects Target in the list (when it is one of its items) with InternalCall
// raised, so that the picker follows without closing, and scrolls it into view.
void MovePickerList(TExCustomItemSelector* List, Integer Target, bool& InternalCall);

// PgUp (Down false) or PgDn: a page of rows in view from the list's
// selection, kept within 0 .. ItemCount - 1; nothing when no row is in view.
void PagePickerList(TExCustomItemSelector* List, bool Down, Integer ItemCount, bool& InternalCall);

// Before the popup's sizing: the list takes its panel's size (unless the
// dropdown fixes the popup's width or height).
void FitPickerList(TExCustomDropDown* Dd, TExCustomItemSelector* List);
// After it: without a fixed width the popup is as wide as the items plus
// its border, and a scroll bar's width wider when the rows do not fit.
void WidenPickerPopup(TExCustomDropDown* Dd, TExCustomItemSelector* List);

class TPickerSearch;

// Enter on the open popup of a list picker chooses the list's hot item:
// true when it did.
bool ChooseHotItem(TExCustomDropDown* Dd, TExCustomItemSelector* List, Word Key);

// How a closed list picker steps through its own items, and how it fills
// its list again.
struct TPickerSteps {
    std::function<void()> First, Last, Previous, Next, Reload;
};

// The keys of a list picker after the edit's own handling: Enter fires
// OnSelect unless the hot item was Chosen; Page Up/Down move a page of the
// list; Home, End and the arrows move the open list (Left and Right only
// when the text is not typed) or step the closed picker; other keys (Ctrl
// not held) search.
void PickerListKey(TExCustomDropDown* Dd, TExCustomItemSelector* List, Word Key, Integer ItemCount, Integer Columns,
                   const TPickerSteps& Steps, bool Chosen, const TNotifyEvent& OnSelect, bool& InternalCall,
                   TPickerSearch& Search);

// The incremental search: each key's virtual-key code, as a character, is
// added to the search text, which the list looks up; the text is emptied
// 500 ms after the first key of a series.
class TPickerSearch {
public:
    explicit TPickerSearch(TComponent* Owner);
    void AddKey(Word Key, TExCustomItemSelector* List, bool& InternalCall);
    // The timer's tick: the search ends.
    void Clear();
    const QString& Text() const { return FCurSearch; }
    TTimer* KeyTimer() const { return FKeyTimer; }

private:
    TTimer* FKeyTimer;  // owned through the component owner list
    QString FCurSearch;
};

// The item lists of the pickers: a collection that tells its OnChange when
// an item's shown value changes.
class TPickerItems : public TCollection {
public:
    using TCollection::TCollection;
    TNotifyEvent OnChange;
};

// A picker item with its caption; a changed caption tells the collection.
class TCaptionItem : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& Value);

protected:
    // Fires the owning collection's OnChange.
    void Changed();
    QString FCaption;
};

// A picker item with an image: an index into the picker's image list or a
// picture of its own.
class TPickerImageItem : public TCaptionItem {
public:
    explicit TPickerImageItem(TCollection* Collection);
    ~TPickerImageItem() override;
    Integer ImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer Value);
    TPicture* Image() const { return FImage.get(); }
    void SetImage(const TPicture* Value);

protected:
    // Caption, image index and picture of Source.
    void AssignPicture(const TPickerImageItem* Source);
    Integer FImageIndex = -1;
    std::unique_ptr<TPicture> FImage;
};
