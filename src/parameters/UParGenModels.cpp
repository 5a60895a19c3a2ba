// Which panels of the general parameters window each model of the series
// shows, in which order, and the layout of those panels. The program is built
// for one model (ARVINTO_MODEL); the dispatchers call only its members.
#include "parameters/UParGen.h"

#include "parameters/ParGenLayout.h"
#include "parameters/ParGenRows.h"
#include "platform/CategoryPanel.h"
#include "platform/StdControls.h"

#ifndef ARVINTO_MODEL
#error "ARVINTO_MODEL names the converter model the program is built for"
#endif

#define PARGEN_PASTE(a, b) a##b
#define PARGEN_MEMBER(prefix, model) PARGEN_PASTE(prefix, model)
#define PARGEN_QUOTE(m) #m
#define PARGEN_NAME(m) PARGEN_QUOTE(m)

QString ParGen_Served_Model()
{
    return QStringLiteral(PARGEN_NAME(ARVINTO_MODEL));
}

void TFParGen::Order_TAB_Panels()
{
    PARGEN_MEMBER(Order_TAB_Panels_, ARVINTO_MODEL)();
}

void TFParGen::Move_GroupBoxs()
{
    PARGEN_MEMBER(RePosition_Objects_, ARVINTO_MODEL)();
}

void TFParGen::Order_Panels(std::initializer_list<TCategoryPanel*> Panels)
{
    // The group takes the order from the tops set here, all at once.
    CPG->DisableAlign();
    Integer top = 0;
    Integer k = 1;
    for (TCategoryPanel* p : Panels) {
        p->SetVisible(true);
        p->SetTop(top);
        top += p->Height();
        p->SetCaption(QString::number(k) + QStringLiteral(". ") + ParGen_Text(p->Tag()));
        p->SetTabOrder(k - 1);
        ++k;
    }
    CPG->EnableAlign();
}

// ------------------------------------------------------------ Order_TAB_Panels members

void TFParGen::Order_TAB_Panels_59D01()
{
    Order_Panels({CP_Ethernet_Connection, CP_LoRa, CP_Modbus_Master, CP_Ethernet});
}

void TFParGen::Order_TAB_Panels_59D02()
{
    Order_Panels({CP_Ethernet_Connection, CP_LoRa, CP_Modbus_Slave, CP_Ethernet});
}

void TFParGen::Order_TAB_Panels_59D03()
{
    Order_Panels({CP_Ethernet_Connection, CP_LoRa, CP_Modbus_TCP_Master});
}

void TFParGen::Order_TAB_Panels_59D04()
{
    Order_Panels({CP_Ethernet_Connection, CP_LoRa, CP_Modbus_TCP_Slave});
}

void TFParGen::Order_TAB_Panels_59D05()
{
    Order_Panels({CP_Ethernet_Connection, CP_LoRa, CP_Serial, CP_Ethernet});
}

void TFParGen::Order_TAB_Panels_59D15()
{
    Order_Panels({CP_Ethernet_Connection, CP_LoRa, CP_MBus, CP_wMBus, CP_Ethernet});
}

void TFParGen::Order_TAB_Panels_59D16()
{
    Order_Panels({CP_Ethernet_Connection, CP_LoRa, CP_BACnet_Master, CP_Ethernet});
    // Ethernet is the fourth panel, shown only beside BACnet MS/TP.
    CP_Ethernet->SetVisible(Ethernet_Panel_Shown(CB_BACnet_Master_Type->ItemIndex()));
}

void TFParGen::Order_TAB_Panels_59D17()
{
    Order_Panels({CP_Ethernet_Connection, CP_LoRa, CP_BACnet_Slave, CP_Ethernet});
    CP_Ethernet->SetVisible(Ethernet_Panel_Shown(CB_BACnet_Slave_Type->ItemIndex()));
}

void TFParGen::Order_TAB_Panels_59D18()
{
    Order_Panels({CP_Ethernet_Connection, CP_LoRa, CP_Ethernet});
}

void TFParGen::Order_TAB_Panels_59D19()
{
    Order_Panels({CP_Ethernet_Connection, CP_LoRa, CP_CAN, CP_Ethernet});
}

void TFParGen::Order_TAB_Panels_59D20()
{
    Order_Panels({CP_Ethernet_Connection, CP_LoRa, CP_CANopen, CP_Ethernet});
}

void TFParGen::Order_TAB_Panels_59D21()
{
    Order_Panels({CP_Ethernet_Connection, CP_LoRa, CP_DeviceNet_Master, CP_Ethernet});
}

void TFParGen::Order_TAB_Panels_59D22()
{
    Order_Panels({CP_Ethernet_Connection, CP_LoRa, CP_DeviceNet_Slave, CP_Ethernet});
}

void TFParGen::Order_TAB_Panels_59D23()
{
    Order_Panels({CP_Ethernet_Connection, CP_LoRa, CP_DMX, CP_Ethernet});
}

void TFParGen::Order_TAB_Panels_59D24()
{
    Order_Panels({CP_Ethernet_Connection, CP_LoRa, CP_EtherNetIP_Master});
}

void TFParGen::Order_TAB_Panels_59D25()
{
    Order_Panels({CP_Ethernet_Connection, CP_LoRa, CP_EtherNetIP});
}

void TFParGen::Order_TAB_Panels_59D26()
{
    Order_Panels({CP_Ethernet_Connection, CP_LoRa, CP_J1939, CP_Ethernet});
}

void TFParGen::Order_TAB_Panels_59D27()
{
    Order_Panels({CP_Ethernet_Connection, CP_LoRa, CP_KNX, CP_Ethernet});
}

void TFParGen::Order_TAB_Panels_59D29()
{
    Order_Panels({CP_Ethernet_Connection, CP_LoRa, CP_NMEA2000, CP_Ethernet});
}

void TFParGen::Order_TAB_Panels_59D31()
{
    Order_Panels({CP_Ethernet_Connection, CP_LoRa, CP_PROFIBUS, CP_Ethernet});
}

void TFParGen::Order_TAB_Panels_59D33()
{
    Order_Panels({CP_Ethernet_Connection, CP_LoRa, CP_PROFINET});
}

void TFParGen::Order_TAB_Panels_59D34()
{
    Order_Panels({CP_Ethernet_Connection, CP_LoRa, CP_IEC61850_Client});
}

void TFParGen::Order_TAB_Panels_59D35()
{
    Order_Panels({CP_Ethernet_Connection, CP_LoRa, CP_IEC61850_Server, CP_TLS_Server, CP_NTP});
}

void TFParGen::Order_TAB_Panels_59D36()
{
    Order_Panels({CP_Ethernet_Connection, CP_LoRa, CP_MQTT, CP_Ethernet, CP_TLS, CP_NTP});
}

void TFParGen::Order_TAB_Panels_59D37()
{
    Order_Panels({CP_Ethernet_Connection, CP_LoRa, CP_OPC_UA_Client, CP_NTP});
}

void TFParGen::Order_TAB_Panels_59D38()
{
    Order_Panels({CP_Ethernet_Connection, CP_LoRa, CP_OPC_UA_Server, CP_NTP});
}

void TFParGen::Order_TAB_Panels_59D39()
{
    Order_Panels({CP_Ethernet_Connection, CP_LoRa, CP_S7_Protocol});
}

void TFParGen::Order_TAB_Panels_59D40()
{
    Order_Panels({CP_Ethernet_Connection, CP_LoRa, CP_SNMP_Manager});
}

void TFParGen::Order_TAB_Panels_59D41()
{
    Order_Panels({CP_Ethernet_Connection, CP_LoRa, CP_SNMP_Agent});
}

// ------------------------------------------------------------ RePosition_Objects members

void TFParGen::RePosition_Objects_59D01()
{
    RePosition_Object_Ethernet_Connection();
    RePosition_Object_LoRa();
    RePosition_Object_Modbus_Master();
    RePosition_Object_Ethernet();
}

void TFParGen::RePosition_Objects_59D02()
{
    RePosition_Object_Ethernet_Connection();
    RePosition_Object_LoRa();
    RePosition_Object_Modbus_Slave();
    RePosition_Object_Ethernet();
}

void TFParGen::RePosition_Objects_59D03()
{
    RePosition_Object_Ethernet_Connection();
    RePosition_Object_LoRa();
    RePosition_Object_Modbus_TCP_Master();
}

void TFParGen::RePosition_Objects_59D04()
{
    RePosition_Object_Ethernet_Connection();
    RePosition_Object_LoRa();
    RePosition_Object_Modbus_TCP_Slave();
}

void TFParGen::RePosition_Objects_59D05()
{
    RePosition_Object_Ethernet_Connection();
    RePosition_Object_LoRa();
    RePosition_Object_Serial();
    RePosition_Object_Ethernet();
}

void TFParGen::RePosition_Objects_59D15()
{
    RePosition_Object_Ethernet_Connection();
    RePosition_Object_LoRa();
    RePosition_Object_MBus();
    RePosition_Object_wMBus();
    RePosition_Object_Ethernet();
}

void TFParGen::RePosition_Objects_59D16()
{
    RePosition_Object_Ethernet_Connection();
    RePosition_Object_LoRa();
    RePosition_Object_BACnet_Master();
    RePosition_Object_Ethernet();
    CP_Ethernet->SetVisible(Ethernet_Panel_Shown(CB_BACnet_Master_Type->ItemIndex()));
}

void TFParGen::RePosition_Objects_59D17()
{
    RePosition_Object_Ethernet_Connection();
    RePosition_Object_LoRa();
    RePosition_Object_BACnet_Slave();
    RePosition_Object_Ethernet();
    CP_Ethernet->SetVisible(Ethernet_Panel_Shown(CB_BACnet_Slave_Type->ItemIndex()));
}

void TFParGen::RePosition_Objects_59D18()
{
    RePosition_Object_Ethernet_Connection();
    RePosition_Object_LoRa();
    RePosition_Object_Ethernet();
}

void TFParGen::RePosition_Objects_59D19()
{
    RePosition_Object_Ethernet_Connection();
    RePosition_Object_LoRa();
    RePosition_Object_CAN();
    RePosition_Object_Ethernet();
}

void TFParGen::RePosition_Objects_59D20()
{
    RePosition_Object_Ethernet_Connection();
    RePosition_Object_LoRa();
    RePosition_Object_CANopen();
    RePosition_Object_Ethernet();
}

void TFParGen::RePosition_Objects_59D21()
{
    RePosition_Object_Ethernet_Connection();
    RePosition_Object_LoRa();
    RePosition_Object_DeviceNet_Master();
    RePosition_Object_Ethernet();
}

void TFParGen::RePosition_Objects_59D22()
{
    RePosition_Object_Ethernet_Connection();
    RePosition_Object_LoRa();
    RePosition_Object_DeviceNet_Slave();
    RePosition_Object_Ethernet();
}

void TFParGen::RePosition_Objects_59D23()
{
    RePosition_Object_Ethernet_Connection();
    RePosition_Object_LoRa();
    RePosition_Object_DMX();
    RePosition_Object_Ethernet();
}

void TFParGen::RePosition_Objects_59D24()
{
    RePosition_Object_Ethernet_Connection();
    RePosition_Object_LoRa();
    RePosition_Object_EtherNetIP_Master();
}

void TFParGen::RePosition_Objects_59D25()
{
    RePosition_Object_Ethernet_Connection();
    RePosition_Object_LoRa();
    RePosition_Object_EtherNetIP();
}

void TFParGen::RePosition_Objects_59D26()
{
    RePosition_Object_Ethernet_Connection();
    RePosition_Object_LoRa();
    RePosition_Object_J1939();
    RePosition_Object_Ethernet();
}

void TFParGen::RePosition_Objects_59D27()
{
    RePosition_Object_Ethernet_Connection();
    RePosition_Object_LoRa();
    RePosition_Object_KNX();
    RePosition_Object_Ethernet();
}

void TFParGen::RePosition_Objects_59D29()
{
    RePosition_Object_Ethernet_Connection();
    RePosition_Object_LoRa();
    RePosition_Object_NMEA2000();
    RePosition_Object_Ethernet();
}

void TFParGen::RePosition_Objects_59D31()
{
    RePosition_Object_Ethernet_Connection();
    RePosition_Object_LoRa();
    RePosition_Object_PROFIBUS();
    RePosition_Object_Ethernet();
}

void TFParGen::RePosition_Objects_59D33()
{
    RePosition_Object_Ethernet_Connection();
    RePosition_Object_LoRa();
    RePosition_Object_PROFINET();
}

void TFParGen::RePosition_Objects_59D34()
{
    RePosition_Object_Ethernet_Connection();
    RePosition_Object_LoRa();
    RePosition_Object_IEC61850_Client();
}

void TFParGen::RePosition_Objects_59D35()
{
    RePosition_Object_Ethernet_Connection();
    RePosition_Object_LoRa();
    RePosition_Object_IEC61850_Server();
    RePosition_Object_TLS_Server();
    RePosition_Object_NTP();
}

void TFParGen::RePosition_Objects_59D36()
{
    RePosition_Object_Ethernet_Connection();
    RePosition_Object_LoRa();
    RePosition_Object_MQTT();
    RePosition_Object_Ethernet();
    RePosition_Object_TLS();
    RePosition_Object_NTP();
}

void TFParGen::RePosition_Objects_59D37()
{
    RePosition_Object_Ethernet_Connection();
    RePosition_Object_LoRa();
    RePosition_Object_OPC_UA_Client();
    RePosition_Object_NTP();
}

void TFParGen::RePosition_Objects_59D38()
{
    RePosition_Object_Ethernet_Connection();
    RePosition_Object_LoRa();
    RePosition_Object_OPC_UA_Server();
    RePosition_Object_NTP();
}

void TFParGen::RePosition_Objects_59D39()
{
    RePosition_Object_Ethernet_Connection();
    RePosition_Object_LoRa();
    RePosition_Object_S7_Protocol();
}

void TFParGen::RePosition_Objects_59D40()
{
    RePosition_Object_Ethernet_Connection();
    RePosition_Object_LoRa();
    RePosition_Object_SNMP_Manager();
}

void TFParGen::RePosition_Objects_59D41()
{
    RePosition_Object_Ethernet_Connection();
    RePosition_Object_LoRa();
    RePosition_Object_SNMP_Agent();
}
