#pragma once
// The push button's fade ticker: a thread that, while resumed, wakes every
// 30 ms and has its notify handler run on the user-interface thread. It never
// touches the button itself; every step runs where the widgets live.

#include <memory>
#include <thread>
#include "platform/Object.h"

class TFxButtonThread : public TObject {
public:
    // Created suspended: no step runs until Resume.
    explicit TFxButtonThread(TNotifyEvent notify);
    // Terminates the thread and waits for its end; a step queued but not yet
    // run is dropped.
    ~TFxButtonThread() override;
    QString ClassName() const override { return QStringLiteral("TFxButtonThread"); }

    void Resume();
    // Takes effect after the step that is running now.
    void Suspend();
    bool Suspended() const;
    void Terminate();
    bool Terminated() const;
    // Waits for the thread's end (after Terminate).
    void WaitFor();

    // Milliseconds between two steps.
    static constexpr int TickMs = 30;

private:
    struct TState;
    void Execute();
    // Runs DoEvent on the user-interface thread and waits for it (or for
    // termination, which abandons the call).
    void Synchronize();
    void DoEvent();

    TNotifyEvent FNotify;
    std::shared_ptr<TState> FState;
    std::thread FThread;
};
