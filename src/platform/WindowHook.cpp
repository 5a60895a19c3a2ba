#include "platform/WindowHook.h"

#include <algorithm>
#include <vector>

struct THookRecord {
    HOOKPROC Proc = nullptr;
};

namespace {

// Newest first, as the chain is called.
std::vector<THookRecord*>& Chain()
{
    static std::vector<THookRecord*> chain;
    return chain;
}

bool Running = false;

} // namespace

HHOOK SetWindowsHookEx(int IdHook, HOOKPROC Proc)
{
    if (IdHook != WH_CALLWNDPROC || Proc == nullptr)
        return nullptr;
    auto* hook = new THookRecord{Proc};
    Chain().insert(Chain().begin(), hook);
    return hook;
}

bool UnhookWindowsHookEx(HHOOK Hook)
{
    auto& chain = Chain();
    const auto it = std::find(chain.begin(), chain.end(), Hook);
    if (it == chain.end())
        return false;
    chain.erase(it);
    delete Hook;
    return true;
}

LRESULT CallNextHookEx(HHOOK Hook, int Code, WPARAM wParam, LPARAM lParam)
{
    auto& chain = Chain();
    auto it = std::find(chain.begin(), chain.end(), Hook);
    if (it == chain.end() || ++it == chain.end())
        return 0;
    return (*it)->Proc(Code, wParam, lParam);
}

void CallWindowHooks(HWND Window, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    if (Running || Chain().empty())
        return;
    Running = true;
    struct TDone {
        ~TDone() { Running = false; }
    } done;
    CWPSTRUCT cwp;
    cwp.lParam = lParam;
    cwp.wParam = wParam;
    cwp.message = Msg;
    cwp.hwnd = Window;
    Chain().front()->Proc(HC_ACTION, 0, LPARAM(&cwp));
}
