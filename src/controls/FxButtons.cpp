#include "controls/FxButtons.h"

#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <QCoreApplication>

#include "platform/Form.h"
#include "platform/Messages.h"

// Shared between the thread, the object and the calls queued for the
// user-interface thread, so that a call that arrives after the object is
// gone finds the state still there and does nothing.
struct TFxButtonThread::TState {
    std::mutex Lock;
    std::condition_variable Wake;
    bool Suspended = true;
    bool Terminated = false;
    // Number of the last step handed to the user-interface thread, and of the last one done.
    unsigned long Posted = 0;
    unsigned long Done = 0;
    // Cleared by the destructor; read and written on the user-interface thread only.
    TFxButtonThread* Owner = nullptr;
};

TFxButtonThread::TFxButtonThread(TNotifyEvent notify) : FNotify(std::move(notify)), FState(std::make_shared<TState>())
{
    FState->Owner = this;
}

TFxButtonThread::~TFxButtonThread()
{
    FState->Owner = nullptr;
    Terminate();
    WaitFor();
}

void TFxButtonThread::Resume()
{
    {
        std::lock_guard<std::mutex> g(FState->Lock);
        if (FState->Terminated)
            return;
        FState->Suspended = false;
    }
    FState->Wake.notify_all();
    // The system thread starts with the first fade; most buttons never fade.
    if (!FThread.joinable())
        FThread = std::thread([this] { Execute(); });
}

void TFxButtonThread::Suspend()
{
    std::lock_guard<std::mutex> g(FState->Lock);
    FState->Suspended = true;
}

bool TFxButtonThread::Suspended() const
{
    std::lock_guard<std::mutex> g(FState->Lock);
    return FState->Suspended;
}

void TFxButtonThread::Terminate()
{
    {
        std::lock_guard<std::mutex> g(FState->Lock);
        FState->Terminated = true;
    }
    FState->Wake.notify_all();
}

bool TFxButtonThread::Terminated() const
{
    std::lock_guard<std::mutex> g(FState->Lock);
    return FState->Terminated;
}

void TFxButtonThread::WaitFor()
{
    if (FThread.joinable() && FThread.get_id() != std::this_thread::get_id())
        FThread.join();
}

void TFxButtonThread::Execute()
{
    std::shared_ptr<TState> s = FState;
    for (;;) {
        {
            std::unique_lock<std::mutex> g(s->Lock);
            s->Wake.wait(g, [&] { return s->Terminated || !s->Suspended; });
            if (s->Terminated)
                return;
            if (s->Wake.wait_for(g, std::chrono::milliseconds(TickMs), [&] { return s->Terminated; }))
                return;
        }
        Synchronize();
    }
}

void TFxButtonThread::Synchronize()
{
    std::shared_ptr<TState> s = FState;
    unsigned long step;
    {
        std::lock_guard<std::mutex> g(s->Lock);
        if (s->Terminated)
            return;
        step = ++s->Posted;
    }
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr)
        return;
    Post_To_Window_Thread([s, step](bool delivered) {
        bool run;
        {
            std::lock_guard<std::mutex> g(s->Lock);
            run = delivered && !s->Terminated && s->Owner != nullptr;
        }
        if (run) {
            try {
                s->Owner->DoEvent();
            } catch (const std::exception& e) {
                if (Application != nullptr)
                    Application->HandleException(nullptr, e);
            }
        }
        {
            std::lock_guard<std::mutex> g(s->Lock);
            s->Done = step;
        }
        s->Wake.notify_all();
    });
    std::unique_lock<std::mutex> g(s->Lock);
    s->Wake.wait(g, [&] { return s->Terminated || s->Done >= step; });
}

void TFxButtonThread::DoEvent()
{
    if (FNotify)
        FNotify(this);
}
