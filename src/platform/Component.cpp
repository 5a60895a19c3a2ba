#include "platform/Component.h"

#include <algorithm>

TComponent::TComponent(TComponent* AOwner)
{
    if (AOwner != nullptr)
        AOwner->InsertComponent(this);
}

TComponent::~TComponent()
{
    Destroying();
    // Tell everyone who asked that this component goes.
    const auto notifies = FFreeNotifies;
    FFreeNotifies.clear();
    for (TComponent* c : notifies) {
        auto& back = c->FFreeNotifies;
        back.erase(std::remove(back.begin(), back.end(), this), back.end());
        c->Notification(this, opRemove);
    }
    DestroyComponents();
    if (FOwner != nullptr)
        FOwner->RemoveComponent(this);
}

Integer TComponent::ComponentIndex() const
{
    if (FOwner == nullptr)
        return -1;
    const auto& list = FOwner->FComponents;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : Integer(it - list.begin());
}

TComponent* TComponent::FindComponent(const QString& name) const
{
    if (name.isEmpty())
        return nullptr;
    // Names are ASCII identifiers, so names of other lengths never match.
    for (TComponent* c : FComponents)
        if (c->FName.size() == name.size() && c->FName.compare(name, Qt::CaseInsensitive) == 0)
            return c;
    return nullptr;
}

static bool IsValidIdent(const QString& s)
{
    if (s.isEmpty())
        return false;
    for (int i = 0; i < s.size(); ++i) {
        const QChar ch = s[i];
        const bool ok = ch == u'_' || (ch.unicode() < 128 && ch.isLetter()) || (i > 0 && ch.unicode() < 128 && ch.isDigit());
        if (!ok)
            return false;
    }
    return true;
}

void TComponent::SetName(const QString& value)
{
    if (value == FName)
        return;
    if (!value.isEmpty() && !IsValidIdent(value))
        throw EComponentError(QStringLiteral("\"%1\" is not a valid component name").arg(value));
    if (FOwner != nullptr)
        FOwner->ValidateRename(this, FName, value);
    FName = value;
}

void TComponent::ValidateRename(TComponent* AComponent, const QString& CurName, const QString& NewName)
{
    if (NewName.isEmpty() || CurName.compare(NewName, Qt::CaseInsensitive) == 0)
        return;
    TComponent* other = FindComponent(NewName);
    if (other != nullptr && other != AComponent)
        throw EComponentError(QStringLiteral("A component named %1 already exists").arg(NewName));
}

void TComponent::SetDesigning(bool value)
{
    const TComponentState old = FComponentState;
    if (value)
        FComponentState |= csDesigning;
    else
        FComponentState &= Word(~csDesigning);
    if (FComponentState != old)
        DesigningChanged();
    for (TComponent* c : FComponents)
        c->SetDesigning(value);
}

void TComponent::Insert(TComponent* AComponent)
{
    FComponents.push_back(AComponent);
    AComponent->FOwner = this;
}

void TComponent::Remove(TComponent* AComponent)
{
    AComponent->FOwner = nullptr;
    FComponents.erase(std::remove(FComponents.begin(), FComponents.end(), AComponent), FComponents.end());
}

void TComponent::InsertComponent(TComponent* AComponent)
{
    if (AComponent == nullptr || AComponent->FOwner == this)
        return;
    if (AComponent->FOwner != nullptr)
        AComponent->FOwner->RemoveComponent(AComponent);
    ValidateRename(AComponent, QString(), AComponent->FName);
    Insert(AComponent);
    Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent)
{
    if (AComponent == nullptr || AComponent->FOwner != this)
        return;
    Notification(AComponent, opRemove);
    Remove(AComponent);
}

void TComponent::DestroyComponents()
{
    while (!FComponents.empty()) {
        TComponent* c = FComponents.back();
        Remove(c);
        delete c;
    }
}

void TComponent::Destroying()
{
    if (FComponentState & csDestroying)
        return;
    FComponentState |= csDestroying;
    for (TComponent* c : FComponents)
        c->Destroying();
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation)
{
    // Owned components hear of every removal so they can drop references.
    // An insertion is heard by the new owner alone: owned components only
    // drop references, which removals are for, and passing insertions on to
    // every sibling made filling a form quadratic in its components.
    if (Operation != opRemove)
        return;
    if (AComponent != nullptr)
        RemoveFreeNotification(AComponent);
    for (size_t i = 0; i < FComponents.size(); ++i)
        FComponents[i]->Notification(AComponent, Operation);
}

void TComponent::FreeNotification(TComponent* AComponent)
{
    if (AComponent == nullptr || AComponent == this)
        return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end())
        FFreeNotifies.push_back(AComponent);
    if (std::find(AComponent->FFreeNotifies.begin(), AComponent->FFreeNotifies.end(), this) == AComponent->FFreeNotifies.end())
        AComponent->FFreeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent)
{
    if (AComponent == nullptr)
        return;
    FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent), FFreeNotifies.end());
    auto& back = AComponent->FFreeNotifies;
    back.erase(std::remove(back.begin(), back.end(), this), back.end());
}
