#pragma once
// Small synchronisation objects of the serial component: an event that a
// thread can wait on (with a descriptor that poll() can watch beside a
// device) and a re-entrant critical section.

#include "platform/Object.h"
#include "platform/Types.h"

#include <QString>
#include <mutex>

// Owns a descriptor; freeing the object closes it.
class THandleObject : public TObject {
public:
    ~THandleObject() override;
    QString ClassName() const override { return QStringLiteral("THandleObject"); }
    // The descriptor, -1 when none.
    int Handle() const { return FHandle; }
    // Last system error of a failed wait.
    Integer LastError() const { return FError; }

protected:
    int FHandle = -1;
    Integer FError = 0;
};

enum TEventWaitResult { wrSignaled, wrTimeout, wrAbandoned, wrError };

// Signalled or not; a manual-reset event stays signalled until reset, an
// auto-reset one is reset by the wait that sees it. Names have no meaning
// between processes here; they are accepted for the callers' sake.
class TEvent : public THandleObject {
public:
    TEvent(void* EventAttributes, bool ManualReset, bool InitialState, const QString& Name);
    QString ClassName() const override { return QStringLiteral("TEvent"); }

    // Timeout in milliseconds; INFINITE_WAIT waits for ever.
    TEventWaitResult WaitFor(LongWord Timeout);
    void SetEvent();
    void ResetEvent();

    static constexpr LongWord INFINITE_WAIT = 0xFFFFFFFF;

private:
    bool manualReset_;
};

// Unnamed, manual reset, not signalled at first.
class TSimpleEvent : public TEvent {
public:
    TSimpleEvent() : TEvent(nullptr, true, false, QString()) {}
    QString ClassName() const override { return QStringLiteral("TSimpleEvent"); }
};

class TCriticalSection : public TObject {
public:
    QString ClassName() const override { return QStringLiteral("TCriticalSection"); }
    void Acquire() { mutex_.lock(); }
    void Release() { mutex_.unlock(); }
    void Enter() { Acquire(); }
    void Leave() { Release(); }
    // For scoped locks.
    void lock() { Acquire(); }
    void unlock() { Release(); }

private:
    std::recursive_mutex mutex_;
};
