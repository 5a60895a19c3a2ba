// Component ownership, names, free notification and the loading state.
#include <gtest/gtest.h>
#include "QtPrint.h"

#include <vector>
#include "platform/Component.h"

namespace {

std::vector<QString>* g_log = nullptr;

class TLogged : public TComponent {
public:
    TLogged(TComponent* owner, const QString& name) : TComponent(owner) { SetName(name); }
    ~TLogged() override
    {
        if (g_log) g_log->push_back(QStringLiteral("free ") + Name());
    }
    std::vector<std::pair<QString, TOperation>> heard;
    bool loadedSeen = false;

protected:
    void Notification(TComponent* c, TOperation op) override
    {
        TComponent::Notification(c, op);
        heard.emplace_back(c->Name(), op);
    }
    void Loaded() override
    {
        TComponent::Loaded();
        loadedSeen = true;
    }
};

TEST(Component, OwnerFreesOwnedLastFirstAndFreedChildLeavesOwner)
{
    std::vector<QString> log;
    g_log = &log;
    {
        TLogged owner(nullptr, QStringLiteral("Owner"));
        auto* a = new TLogged(&owner, QStringLiteral("A"));
        new TLogged(&owner, QStringLiteral("B"));
        auto* c = new TLogged(&owner, QStringLiteral("C"));
        EXPECT_EQ(owner.ComponentCount(), 3);
        EXPECT_EQ(c->ComponentIndex(), 2);
        delete a;  // freed on its own: leaves the owner's list
        EXPECT_EQ(owner.ComponentCount(), 2);
        EXPECT_EQ(owner.Components(0)->Name(), QStringLiteral("B"));
        log.clear();
    }
    g_log = nullptr;
    EXPECT_EQ(log, (std::vector<QString>{QStringLiteral("free Owner"), QStringLiteral("free C"), QStringLiteral("free B")}));
}

TEST(Component, NamesAreFoundCaseInsensitivelyAndMustBeUniqueAndValid)
{
    TComponent owner(nullptr);
    auto* a = new TLogged(&owner, QStringLiteral("Btn_OK"));
    EXPECT_EQ(owner.FindComponent(QStringLiteral("btn_ok")), a);
    EXPECT_EQ(owner.FindComponent(QStringLiteral("nothing")), nullptr);
    EXPECT_THROW(new TLogged(&owner, QStringLiteral("BTN_OK")), EComponentError);
    auto* b = new TLogged(&owner, QStringLiteral("Other"));
    EXPECT_THROW(b->SetName(QStringLiteral("2bad")), EComponentError);
    EXPECT_THROW(b->SetName(QStringLiteral("Btn_ok")), EComponentError);
    EXPECT_EQ(b->Name(), QStringLiteral("Other"));
    // An empty name is always allowed.
    b->SetName(QString());
    EXPECT_EQ(owner.ComponentCount(), 2);
}

TEST(Component, FreeNotificationTellsTheOtherSideOnce)
{
    TLogged watcher(nullptr, QStringLiteral("Watcher"));
    auto* other = new TLogged(nullptr, QStringLiteral("Other"));
    watcher.FreeNotification(other);
    delete other;
    ASSERT_EQ(watcher.heard.size(), 1u);
    EXPECT_EQ(watcher.heard[0].first, QStringLiteral("Other"));
    EXPECT_EQ(watcher.heard[0].second, opRemove);
    // The watcher going first leaves nothing dangling in the other.
    auto* watcher2 = new TLogged(nullptr, QStringLiteral("W2"));
    TLogged target(nullptr, QStringLiteral("T"));
    watcher2->FreeNotification(&target);
    delete watcher2;
    EXPECT_EQ(target.heard.size(), 1u);
}

TEST(Component, OwnerHearsInsertAndRemoveAndDestroyingStateReachesOwned)
{
    auto* owner = new TLogged(nullptr, QStringLiteral("Owner"));
    auto* child = new TLogged(owner, QStringLiteral("Child"));
    ASSERT_EQ(owner->heard.size(), 1u);
    EXPECT_EQ(owner->heard[0].second, opInsert);
    owner->RemoveComponent(child);
    EXPECT_EQ(child->Owner(), nullptr);
    EXPECT_EQ(owner->heard.back().second, opRemove);
    owner->InsertComponent(child);
    EXPECT_EQ(child->Owner(), owner);
    // A sibling hears another's removal (to drop references), not its arrival.
    child->heard.clear();
    auto* sibling = new TLogged(owner, QStringLiteral("Sibling"));
    EXPECT_TRUE(child->heard.empty());
    EXPECT_EQ(owner->heard.back().second, opInsert);
    delete sibling;
    ASSERT_EQ(child->heard.size(), 1u);
    EXPECT_EQ(child->heard[0].first, QStringLiteral("Sibling"));
    EXPECT_EQ(child->heard[0].second, opRemove);

    owner->BeginLoading();
    EXPECT_TRUE(owner->HasState(csLoading));
    owner->EndLoading();
    EXPECT_FALSE(owner->HasState(csLoading));
    EXPECT_TRUE(owner->loadedSeen);
    owner->SetDesigning(true);
    EXPECT_TRUE(child->HasState(csDesigning));
    delete owner;
}

} // namespace
