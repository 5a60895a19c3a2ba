#include "Lists.h"

#include <algorithm>

// ---------------------------------------------------------------------------
// TList

TList::~TList()
{
    items_.clear();
}

void TList::Error(Integer Index)
{
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
}

void TList::CheckIndex(Integer Index) const
{
    if (Index < 0 || Index >= Count())
        Error(Index);
}

Integer TList::Add(void* Item)
{
    items_.push_back(Item);
    if (Item)
        Notify(Item, lnAdded);
    return Count() - 1;
}

void TList::Insert(Integer Index, void* Item)
{
    if (Index < 0 || Index > Count())
        Error(Index);
    items_.insert(items_.begin() + Index, Item);
    if (Item)
        Notify(Item, lnAdded);
}

void TList::Delete(Integer Index)
{
    CheckIndex(Index);
    void* item = items_[size_t(Index)];
    items_.erase(items_.begin() + Index);
    if (item)
        Notify(item, lnDeleted);
}

Integer TList::Remove(void* Item)
{
    const Integer i = IndexOf(Item);
    if (i >= 0)
        Delete(i);
    return i;
}

void* TList::Extract(void* Item)
{
    const Integer i = IndexOf(Item);
    if (i < 0)
        return nullptr;
    items_.erase(items_.begin() + i);
    if (Item)
        Notify(Item, lnExtracted);
    return Item;
}

void TList::Clear()
{
    // Entries leave one by one from the end, so Notify sees a consistent list.
    while (!items_.empty())
        Delete(Count() - 1);
}

void TList::Exchange(Integer Index1, Integer Index2)
{
    CheckIndex(Index1);
    CheckIndex(Index2);
    std::swap(items_[size_t(Index1)], items_[size_t(Index2)]);
}

void TList::Move(Integer CurIndex, Integer NewIndex)
{
    if (CurIndex == NewIndex)
        return;
    CheckIndex(CurIndex);
    CheckIndex(NewIndex);
    void* item = items_[size_t(CurIndex)];
    items_.erase(items_.begin() + CurIndex);
    items_.insert(items_.begin() + NewIndex, item);
}

Integer TList::IndexOf(const void* Item) const
{
    const auto it = std::find(items_.begin(), items_.end(), Item);
    return it == items_.end() ? -1 : Integer(it - items_.begin());
}

void* TList::First() const
{
    return Items(0);
}

void* TList::Last() const
{
    return Items(Count() - 1);
}

void TList::Pack()
{
    items_.erase(std::remove(items_.begin(), items_.end(), nullptr), items_.end());
}

void TList::Sort(const std::function<int(void*, void*)>& Compare)
{
    if (Compare)
        std::stable_sort(items_.begin(), items_.end(), [&](void* a, void* b) { return Compare(a, b) < 0; });
}

void TList::SetCount(Integer NewCount)
{
    if (NewCount < 0)
        Error(NewCount);
    while (Count() > NewCount)
        Delete(Count() - 1);
    items_.resize(size_t(NewCount), nullptr);
}

void* TList::Items(Integer Index) const
{
    CheckIndex(Index);
    return items_[size_t(Index)];
}

void TList::SetItems(Integer Index, void* Item)
{
    CheckIndex(Index);
    void* old = items_[size_t(Index)];
    if (old == Item)
        return;
    items_[size_t(Index)] = Item;
    if (old)
        Notify(old, lnDeleted);
    if (Item)
        Notify(Item, lnAdded);
}

// ---------------------------------------------------------------------------
// TObjectList

TObjectList::~TObjectList()
{
    // Cleared here, while Notify still frees owned objects.
    Clear();
}

void TObjectList::Notify(void* Ptr, TListNotification Action)
{
    if (ownsObjects_ && Action == lnDeleted)
        delete static_cast<TObject*>(Ptr);
}

// ---------------------------------------------------------------------------
// TCollectionItem

TCollectionItem::TCollectionItem(TCollection* Collection)
{
    // Joins quietly: the collection notifies once the whole item is made
    // (TCollection::Add), never while only this base part exists.
    if (Collection) {
        collection_ = Collection;
        id_ = Collection->nextID_++;
        Collection->items_.push_back(this);
    }
}

TCollectionItem::~TCollectionItem()
{
    if (collection_ && !collection_->destroying_)
        collection_->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* Value)
{
    if (Value == collection_)
        return;
    if (collection_)
        collection_->RemoveItem(this);
    if (Value)
        Value->InsertItem(this);
}

Integer TCollectionItem::Index() const
{
    if (!collection_)
        return -1;
    const auto& v = collection_->items_;
    const auto it = std::find(v.begin(), v.end(), this);
    return it == v.end() ? -1 : Integer(it - v.begin());
}

void TCollectionItem::SetIndex(Integer Value)
{
    const Integer cur = Index();
    if (cur < 0 || Value == cur)
        return;
    auto& v = collection_->items_;
    Value = std::clamp<Integer>(Value, 0, Integer(v.size()) - 1);
    v.erase(v.begin() + cur);
    v.insert(v.begin() + Value, this);
    Changed(true);
}

void TCollectionItem::Changed(bool AllItems)
{
    if (collection_ && collection_->updateCount_ == 0)
        collection_->Update(AllItems ? nullptr : this);
}

// ---------------------------------------------------------------------------
// TCollection

TCollection::TCollection(TItemFactory ItemClass) : factory_(std::move(ItemClass)) {}

TCollection::~TCollection()
{
    destroying_ = true;
    std::vector<TCollectionItem*> items;
    items.swap(items_);
    for (TCollectionItem* item : items) {
        item->collection_ = nullptr;
        delete item;
    }
}

TCollectionItem* TCollection::MakeItem()
{
    TCollectionItem* item = factory_ ? factory_(this) : new TCollectionItem(this);
    if (item->collection_ != this) {
        // A factory that made its item without this collection.
        item->collection_ = this;
        item->id_ = nextID_++;
        items_.push_back(item);
    }
    return item;
}

TCollectionItem* TCollection::Add()
{
    TCollectionItem* item = MakeItem();
    Notify(item, cnAdded);
    Changed();
    return item;
}

TCollectionItem* TCollection::Insert(Integer Index)
{
    TCollectionItem* item = MakeItem();
    const Integer last = Count() - 1;
    const Integer at = std::clamp<Integer>(Index, 0, last);
    if (at != last) {
        items_.pop_back();
        items_.insert(items_.begin() + at, item);
    }
    Notify(item, cnAdded);
    Changed();
    return item;
}

void TCollection::InsertItem(TCollectionItem* Item)
{
    Item->collection_ = this;
    Item->id_ = nextID_++;
    items_.push_back(Item);
    Notify(Item, cnAdded);
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item)
{
    Notify(Item, cnExtracting);
    const auto it = std::find(items_.begin(), items_.end(), Item);
    if (it != items_.end())
        items_.erase(it);
    Item->collection_ = nullptr;
    Changed();
}

void TCollection::Delete(Integer Index)
{
    TCollectionItem* item = Items(Index);
    Notify(item, cnDeleting);
    delete item; // takes itself out
}

void TCollection::Clear()
{
    if (items_.empty())
        return;
    BeginUpdate();
    while (!items_.empty())
        Delete(Count() - 1);
    EndUpdate();
}

TCollectionItem* TCollection::Items(Integer Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return items_[size_t(Index)];
}

void TCollection::SetItems(Integer Index, const TCollectionItem* Value)
{
    Items(Index)->Assign(Value);
}

TCollectionItem* TCollection::FindItemID(Integer ID) const
{
    for (TCollectionItem* item : items_)
        if (item->id_ == ID)
            return item;
    return nullptr;
}

void TCollection::BeginUpdate()
{
    ++updateCount_;
}

void TCollection::EndUpdate()
{
    if (updateCount_ > 0 && --updateCount_ == 0)
        Changed();
}

void TCollection::Changed()
{
    if (updateCount_ == 0)
        Update(nullptr);
}

void TCollection::Assign(const TPersistent* Source)
{
    if (auto src = dynamic_cast<const TCollection*>(Source)) {
        if (src == this)
            return;
        BeginUpdate();
        Clear();
        for (TCollectionItem* item : src->items_)
            Add()->Assign(item);
        EndUpdate();
        return;
    }
    TPersistent::Assign(Source);
}
