#pragma once
// Pointer and object lists (TList, TObjectList) and collections of owned
// items (TCollection, TCollectionItem).

#include <QString>
#include <functional>
#include <stdexcept>
#include <vector>

#include "Object.h"
#include "Types.h"

// Raised for an index out of range.
class EListError : public std::runtime_error {
public:
    explicit EListError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

enum TListNotification { lnAdded, lnExtracted, lnDeleted };

// A list of untyped pointers; it owns nothing.
class TList : public TObject {
public:
    TList() = default;
    ~TList() override;
    QString ClassName() const override { return QStringLiteral("TList"); }

    Integer Add(void* Item);
    void Insert(Integer Index, void* Item);
    void Delete(Integer Index);
    // Deletes the first entry equal to Item; returns its index, -1 when absent.
    Integer Remove(void* Item);
    // Takes the first entry equal to Item out of the list without deleting
    // it (an owning list does not free it); returns it, or nullptr.
    void* Extract(void* Item);
    virtual void Clear();
    void Exchange(Integer Index1, Integer Index2);
    void Move(Integer CurIndex, Integer NewIndex);
    Integer IndexOf(const void* Item) const;
    void* First() const;
    void* Last() const;
    // Removes every nullptr entry.
    void Pack();
    // Sorts with Compare(a, b) < 0 when a comes before b.
    void Sort(const std::function<int(void* Item1, void* Item2)>& Compare);

    Integer Count() const { return Integer(items_.size()); }
    // Growing adds nullptr entries; shrinking deletes from the end.
    void SetCount(Integer NewCount);
    void* Items(Integer Index) const;
    void SetItems(Integer Index, void* Item);

protected:
    // Told of every entry added, extracted or deleted (not of nullptr ones).
    virtual void Notify(void* Ptr, TListNotification Action) {}
    [[noreturn]] static void Error(Integer Index);

private:
    void CheckIndex(Integer Index) const;
    std::vector<void*> items_;
};

// A list of objects that, when OwnsObjects (the default), deletes the
// objects it deletes, replaces or clears, and those it holds when it ends.
class TObjectList : public TList {
public:
    explicit TObjectList(bool OwnsObjects = true) : ownsObjects_(OwnsObjects) {}
    ~TObjectList() override;
    QString ClassName() const override { return QStringLiteral("TObjectList"); }

    Integer Add(TObject* AObject) { return TList::Add(AObject); }
    void Insert(Integer Index, TObject* AObject) { TList::Insert(Index, AObject); }
    Integer Remove(TObject* AObject) { return TList::Remove(AObject); }
    TObject* Extract(TObject* AObject) { return static_cast<TObject*>(TList::Extract(AObject)); }
    Integer IndexOf(const TObject* AObject) const { return TList::IndexOf(AObject); }
    TObject* Items(Integer Index) const { return static_cast<TObject*>(TList::Items(Index)); }
    void SetItems(Integer Index, TObject* AObject) { TList::SetItems(Index, AObject); }
    TObject* First() const { return static_cast<TObject*>(TList::First()); }
    TObject* Last() const { return static_cast<TObject*>(TList::Last()); }

    bool OwnsObjects() const { return ownsObjects_; }
    void SetOwnsObjects(bool Value) { ownsObjects_ = Value; }

protected:
    void Notify(void* Ptr, TListNotification Action) override;

private:
    bool ownsObjects_;
};

class TCollection;

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

// One item of a collection. Creating it with a collection appends it there;
// deleting it takes it out.
class TCollectionItem : public TPersistent {
public:
    explicit TCollectionItem(TCollection* Collection);
    ~TCollectionItem() override;
    QString ClassName() const override { return QStringLiteral("TCollectionItem"); }

    TCollection* Collection() const { return collection_; }
    // Moves the item to another collection (nullptr: to none).
    void SetCollection(TCollection* Value);
    // Position in the collection, -1 without one. Setting it moves the item.
    Integer Index() const;
    void SetIndex(Integer Value);
    // Number given by the collection when the item joined it; never reused.
    Integer ID() const { return id_; }
    QString DisplayName() const { return GetDisplayName(); }
    virtual QString GetDisplayName() const { return ClassName(); }

protected:
    // Reports a change of this item (or, with AllItems, of the whole
    // collection) to the collection's Update unless it is updating.
    void Changed(bool AllItems);

private:
    friend class TCollection;
    TCollection* collection_ = nullptr;
    Integer id_ = 0;
};

// A list of items it owns, all made by one item factory.
class TCollection : public TPersistent {
public:
    using TItemFactory = std::function<TCollectionItem*(TCollection* Collection)>;
    // Items are made by ItemClass; without one they are plain TCollectionItems.
    explicit TCollection(TItemFactory ItemClass = {});
    ~TCollection() override;
    QString ClassName() const override { return QStringLiteral("TCollection"); }

    // A new item at the end, or at Index. Notify (cnAdded) and Update run
    // once the item is fully made.
    TCollectionItem* Add();
    TCollectionItem* Insert(Integer Index);
    void Delete(Integer Index);
    void Clear();
    Integer Count() const { return Integer(items_.size()); }
    TCollectionItem* Items(Integer Index) const;
    template <class T> T* ItemsAs(Integer Index) const { return static_cast<T*>(Items(Index)); }
    // Copies Value into the item at Index.
    void SetItems(Integer Index, const TCollectionItem* Value);
    TCollectionItem* FindItemID(Integer ID) const;

    // Update runs once at the last EndUpdate instead of at every change.
    void BeginUpdate();
    void EndUpdate();
    Integer UpdateCount() const { return updateCount_; }

    // From another collection: this one's items replaced by new items, each
    // assigned from the source item at the same position.
    void Assign(const TPersistent* Source) override;
    virtual TPersistent* GetOwner() const { return nullptr; }

protected:
    // Told that Item (nullptr: every item) changed.
    virtual void Update(TCollectionItem* Item) {}
    virtual void Notify(TCollectionItem* Item, TCollectionNotification Action) {}
    void Changed();

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* Item);
    void RemoveItem(TCollectionItem* Item);
    TCollectionItem* MakeItem();

    std::vector<TCollectionItem*> items_;
    TItemFactory factory_;
    Integer nextID_ = 0;
    Integer updateCount_ = 0;
    bool destroying_ = false;
};
