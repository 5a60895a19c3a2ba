#pragma once
// TComponent: a named object that may own others. An owner frees what it
// owns when it goes; owned components can also be freed on their own and then
// leave their owner's list. Components told of each other with
// FreeNotification hear (Notification) when the other goes. An owner hears
// (opInsert) of each component it takes; removals reach what it owns too.

#include <vector>
#include "platform/Object.h"
#include "platform/Types.h"

enum TComponentStateFlag : Word {
    csLoading = 1 << 0,
    csReading = 1 << 1,
    csWriting = 1 << 2,
    csDestroying = 1 << 3,
    csDesigning = 1 << 4,
    csUpdating = 1 << 5,
};
using TComponentState = Word;

enum TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;
    QString ClassName() const override { return QStringLiteral("TComponent"); }

    TComponent* Owner() const { return FOwner; }
    Integer ComponentCount() const { return Integer(FComponents.size()); }
    TComponent* Components(Integer index) const { return FComponents.at(size_t(index)); }
    // Position in the owner's list (-1 without an owner).
    Integer ComponentIndex() const;
    // Owned component by name, case-insensitive; nullptr when none.
    TComponent* FindComponent(const QString& name) const;

    const QString& Name() const { return FName; }
    virtual void SetName(const QString& value);
    Integer Tag() const { return FTag; }
    void SetTag(Integer value) { FTag = value; }
    TComponentState ComponentState() const { return FComponentState; }
    bool HasState(TComponentStateFlag f) const { return (FComponentState & f) != 0; }

    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);
    // Frees every owned component, the last one first.
    void DestroyComponents();
    // Asks to be told (Notification opRemove) when AComponent goes.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    // Runs after the whole object is built (the most derived constructor has
    // returned). Forms fire their creation event here.
    virtual void AfterConstruction() {}
    // Marks the start of a batch set-up; EndLoading calls Loaded.
    void BeginLoading() { FComponentState |= csLoading; }
    void EndLoading() { Loaded(); }
    void SetDesigning(bool value);

protected:
    // After a batch set-up: clears csLoading.
    virtual void Loaded() { FComponentState &= Word(~csLoading); }
    // After SetDesigning has changed csDesigning on this component.
    virtual void DesigningChanged() {}
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    // Sets csDestroying on this component and everything it owns.
    void Destroying();
    // Refuses a name that another component of the same owner already has.
    virtual void ValidateRename(TComponent* AComponent, const QString& CurName, const QString& NewName);

private:
    void Insert(TComponent* AComponent);
    void Remove(TComponent* AComponent);

    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    QString FName;
    Integer FTag = 0;
    TComponentState FComponentState = 0;
};

// Raised for a component name that is not a valid identifier or is taken.
class EComponentError : public std::runtime_error {
public:
    explicit EComponentError(const QString& message) : std::runtime_error(message.toStdString()) {}
};
