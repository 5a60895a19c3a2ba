#include "ScanFixture.h"

#include <QElapsedTimer>

#include <chrono>
#include <thread>

#include "mbus/UMBusScanDecode.h"
#include "platform/Lists.h"
#include "shell/UComon.h"

bool Wait_For(const std::function<bool()>& Done, int Milliseconds)
{
    QElapsedTimer t;
    t.start();
    while (!Done()) {
        if (t.elapsed() >= Milliseconds)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

std::unique_ptr<TMBusScanDecode> Fast_Engine()
{
    auto engine = std::make_unique<TMBusScanDecode>();
    engine->Timing.Step_Interval = 1;
    engine->Timing.Idle_Interval = 1;
    engine->Timing.Pause_Primary = 0;
    engine->Timing.Pause_Secondary = 0;
    engine->Timing.TimeOut_Margin = 0;
    engine->Set_Event_Run();
    return engine;
}

void Make_Slave_Lists()
{
    Wired_Slave_List = std::make_unique<TList>();
    Wireless_Slave_List = std::make_unique<TList>();
}

void Free_Slave_Lists()
{
    for (Integer i = 0; Wired_Slave_List && i < Wired_Slave_List->Count(); ++i)
        delete static_cast<TSlave_MBus*>(Wired_Slave_List->Items(i));
    for (Integer i = 0; Wireless_Slave_List && i < Wireless_Slave_List->Count(); ++i)
        delete static_cast<TSlave_wMBus*>(Wireless_Slave_List->Items(i));
    Wired_Slave_List.reset();
    Wireless_Slave_List.reset();
}
