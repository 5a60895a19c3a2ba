#include "mbus/MBusSlaves.h"

TSlave_MBus::~TSlave_MBus()
{
    // The records go last first.
    while (!List_Var.empty())
        List_Var.pop_back();
}
