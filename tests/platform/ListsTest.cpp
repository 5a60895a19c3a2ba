#include <gtest/gtest.h>

#include <QStringList>

#include "platform/Lists.h"

namespace {

struct Tracked : TObject {
    static inline int alive = 0;
    Tracked() { ++alive; }
    ~Tracked() override { --alive; }
};

TEST(ListTest, PointerListOperations)
{
    int a = 1, b = 2, c = 3;
    TList l;
    l.Add(&a);
    l.Add(&b);
    l.Insert(0, &c);
    EXPECT_EQ(l.Count(), 3);
    EXPECT_EQ(l.First(), &c);
    EXPECT_EQ(l.Last(), &b);
    l.Move(0, 2);
    EXPECT_EQ(l.IndexOf(&c), 2);
    l.Exchange(0, 1);
    EXPECT_EQ(l.Items(0), &b);
    EXPECT_EQ(l.Remove(&a), 1);
    EXPECT_EQ(l.Remove(&a), -1);
    EXPECT_EQ(l.Extract(&b), &b);
    EXPECT_EQ(l.Count(), 1);

    l.SetCount(4); // grows with empty entries
    EXPECT_EQ(l.Items(3), nullptr);
    l.Pack();
    EXPECT_EQ(l.Count(), 1);

    l.Add(&a);
    l.Add(&b);
    l.Sort([](void* x, void* y) { return *static_cast<int*>(x) - *static_cast<int*>(y); });
    EXPECT_EQ(l.Items(0), &a);
    EXPECT_EQ(l.Items(2), &c);

    for (Integer bad : {-1, 3}) {
        EXPECT_THROW(l.Items(bad), EListError);
        EXPECT_THROW(l.Delete(bad), EListError);
    }
    EXPECT_THROW(l.Insert(4, &a), EListError);
    EXPECT_THROW(l.SetCount(-1), EListError);
    l.Clear();
    EXPECT_THROW(l.First(), EListError);
}

TEST(ListTest, ObjectListOwnsWhatItHolds)
{
    Tracked::alive = 0;
    {
        TObjectList l;
        l.Add(new Tracked);
        l.Add(new Tracked);
        l.Add(new Tracked);
        l.Delete(0);
        EXPECT_EQ(Tracked::alive, 2);
        std::unique_ptr<TObject> taken(l.Extract(l.Items(0)));
        EXPECT_EQ(Tracked::alive, 2);
        l.SetItems(0, new Tracked); // the replaced object is freed
        EXPECT_EQ(Tracked::alive, 2);
        l.SetCount(3);
        l.SetCount(0);
        EXPECT_EQ(Tracked::alive, 1);
        l.Add(new Tracked);
    }
    EXPECT_EQ(Tracked::alive, 0);

    Tracked kept;
    {
        TObjectList borrowed(false);
        borrowed.Add(&kept);
        borrowed.Remove(&kept);
        borrowed.Add(&kept);
    }
    EXPECT_EQ(Tracked::alive, 1);
}

// An item with a value, and a collection that records what it is told.
struct NamedItem : TCollectionItem {
    explicit NamedItem(TCollection* c) : TCollectionItem(c) {}
    QString Name;
    QString ClassName() const override { return QStringLiteral("NamedItem"); }
    QString GetDisplayName() const override { return Name.isEmpty() ? TCollectionItem::GetDisplayName() : Name; }
    void Assign(const TPersistent* Source) override
    {
        if (auto s = dynamic_cast<const NamedItem*>(Source)) {
            Name = s->Name;
            Changed(false);
            return;
        }
        TCollectionItem::Assign(Source);
    }
    void Rename(const QString& n)
    {
        Name = n;
        Changed(false);
    }
};

struct LoggingCollection : TCollection {
    LoggingCollection() : TCollection([](TCollection* c) { return new NamedItem(c); }) {}
    QStringList log;
    NamedItem* At(Integer i) const { return ItemsAs<NamedItem>(i); }

protected:
    void Update(TCollectionItem* item) override
    {
        log << (item ? QStringLiteral("update ") + static_cast<NamedItem*>(item)->Name : QStringLiteral("update all"));
    }
    void Notify(TCollectionItem* item, TCollectionNotification action) override
    {
        static const char* names[] = {"added", "extracting", "deleting"};
        log << QString::fromLatin1(names[action]) + QStringLiteral(" ") + QString::number(item->ID());
    }
};

QStringList Names(const LoggingCollection& c)
{
    QStringList r;
    for (Integer i = 0; i < c.Count(); ++i)
        r << c.At(i)->Name;
    return r;
}

TEST(CollectionTest, ItemsKnowTheirPlaceAndReportChanges)
{
    LoggingCollection c;
    auto* a = static_cast<NamedItem*>(c.Add());
    a->Name = QStringLiteral("a");
    auto* b = static_cast<NamedItem*>(c.Add());
    b->Name = QStringLiteral("b");
    auto* z = static_cast<NamedItem*>(c.Insert(0));
    z->Name = QStringLiteral("z");
    EXPECT_EQ(Names(c), QStringList({"z", "a", "b"}));
    EXPECT_EQ((std::vector<int>{a->ID(), b->ID(), z->ID()}), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(z->Index(), 0);
    EXPECT_EQ(c.FindItemID(1), b);
    EXPECT_EQ(c.FindItemID(7), nullptr);
    EXPECT_EQ(c.log, QStringList({"added 0", "update all", "added 1", "update all", "added 2", "update all"}));

    c.log.clear();
    b->Rename(QStringLiteral("B"));
    z->SetIndex(5); // clamped to the last place
    EXPECT_EQ(Names(c), QStringList({"a", "B", "z"}));
    c.Delete(0);
    EXPECT_EQ(c.log, QStringList({"update B", "update all", "deleting 0", "extracting 0", "update all"}));
    EXPECT_EQ(b->DisplayName(), QStringLiteral("B"));

    // Deleting an item directly takes it out of its collection.
    c.log.clear();
    delete b;
    EXPECT_EQ(Names(c), QStringList({"z"}));
    EXPECT_EQ(c.log, QStringList({"extracting 1", "update all"}));

    // A batch reports once.
    c.log.clear();
    c.BeginUpdate();
    c.Add();
    z->Rename(QStringLiteral("zz"));
    c.EndUpdate();
    EXPECT_EQ(c.log, QStringList({"added 3", "update all"}));
    EXPECT_THROW(c.Items(2), EListError);
}

TEST(CollectionTest, AssignCopiesAndItemsMoveBetweenCollections)
{
    LoggingCollection src, dst;
    for (const char* n : {"x", "y"})
        static_cast<NamedItem*>(src.Add())->Name = QString::fromLatin1(n);
    dst.Add();
    dst.Assign(&src);
    EXPECT_EQ(Names(dst), QStringList({"x", "y"}));
    EXPECT_NE(dst.Items(0), src.Items(0));

    NamedItem* moved = src.At(0);
    moved->SetCollection(&dst);
    EXPECT_EQ(Names(src), QStringList({"y"}));
    EXPECT_EQ(Names(dst), QStringList({"x", "y", "x"}));
    EXPECT_EQ(moved->Collection(), &dst);

    // A lone item has no place; the plain item cannot be assigned from others.
    NamedItem lone(nullptr);
    EXPECT_EQ(lone.Index(), -1);
    EXPECT_EQ(lone.DisplayName(), QStringLiteral("NamedItem"));
    TCollection plain;
    EXPECT_THROW(plain.Add()->Assign(&lone), EConvertError);
    EXPECT_THROW(dst.Assign(&lone), EConvertError);
    src.Clear();
    EXPECT_EQ(src.Count(), 0);
}

} // namespace
