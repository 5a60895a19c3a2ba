// The general parameters window's panels of the serial and field-bus sides:
// their controls at the form's places, their layout and their texts.
#include "parameters/ParGenLayout.h"
#include "parameters/ParGenRows.h"
#include "parameters/UParGen.h"
#include "platform/CategoryPanel.h"
#include "platform/StdControls.h"

namespace {

// The fixed lists of the form, the same in every language.
#define PARGEN_SERIAL_BAUDS "1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"
#define PARGEN_PARITIES "NONE", "ODD", "EVEN"

constexpr const char* Default_IP = "192.168.0.10";
constexpr const char* Default_SM = "255.255.255.0";
constexpr const char* Default_GAT = "192.168.0.1";

} // namespace

void TFParGen::Create_FieldBus_Panels()
{
    {
        TParGenRows r(this, CP_Modbus_Master = Make_Panel(658));
        r.Combo_Row(L_ModbusMaster_Baudrate, CB_ModbusMaster_Baudrate, {PARGEN_SERIAL_BAUDS}, 3);
        r.Combo_Row(L_ModbusMaster_Parity, CB_ModbusMaster_Parity, {PARGEN_PARITIES});
        r.Combo_Row(L_ModbusMaster_StopBits, CB_ModbusMaster_StopBits, {"1", "2"});
        r.Edit_Row(L_ModbusMaster_TimeOut, E_ModbusMaster_TimeOut, QStringLiteral("1000"));
        r.Edit_Row(L_ModbusMaster_Delay, E_ModbusMaster_Delay, QStringLiteral("10"));
        r.Edit_Row(L_ModbusMaster_CyclicDelay, E_ModbusMaster_CyclicDelay, QStringLiteral("1000"));
    }
    {
        TParGenRows r(this, CP_Modbus_Slave = Make_Panel(423));
        r.Combo_Row(L_ModbusSlave_Baudrate, CB_ModbusSlave_Baudrate, {PARGEN_SERIAL_BAUDS}, 3);
        r.Combo_Row(L_ModbusSlave_Parity, CB_ModbusSlave_Parity, {PARGEN_PARITIES});
        r.Combo_Row(L_ModbusSlave_StopBits, CB_ModbusSlave_StopBits, {"1", "2"});
        r.Edit_Row(L_ModbusSlave_Address, E_ModbusSlave_Address, QStringLiteral("1"));
        r.Edit_Row(L_ModbusSlave_Delay, E_ModbusSlave_Delay, QStringLiteral("0"));
        r.Check_Row(CB_ModbusSlave_ReadInput);
    }
    {
        TParGenRows r(this, CP_Modbus_TCP_Master = Make_Panel(674));
        r.Octet_Row(L_ModbusTCPMaster_IP, E_ModbusTCPMaster_IP, Default_IP);
        r.Octet_Row(L_ModbusTCPMaster_SM, E_ModbusTCPMaster_SM, Default_SM);
        r.Octet_Row(CB_ModbusTCPMaster_En_GAT, E_ModbusTCPMaster_GAT, Default_GAT);
        r.Edit_Row(L_ModbusTCPMaster_TimeOut, E_ModbusTCPMaster_TimeOut, QStringLiteral("1000"));
        r.Edit_Row(L_ModbusTCPMaster_CyclicDelay, E_ModbusTCPMaster_CyclicDelay, QStringLiteral("1000"));
    }
    {
        TParGenRows r(this, CP_Modbus_TCP_Slave = Make_Panel(709));
        r.Octet_Row(L_ModbusTCPSlave_IP, E_ModbusTCPSlave_IP, Default_IP);
        r.Octet_Row(L_ModbusTCPSlave_SM, E_ModbusTCPSlave_SM, Default_SM);
        r.Octet_Row(CB_ModbusTCPSlave_En_GAT, E_ModbusTCPSlave_GAT, Default_GAT);
        r.Edit_Row(L_ModbusTCPSlave_Port, E_ModbusTCPSlave_Port, QStringLiteral("502"));
        r.Check_Row(CB_ModbusTCPSlave_ReadInput);
    }
    {
        TParGenRows r(this, CP_Serial = Make_Panel(741));
        r.Combo_Row(L_Serial_Baudrate, CB_Serial_Baudrate, {PARGEN_SERIAL_BAUDS}, 3);
        r.Combo_Row(L_Serial_DataBits, CB_Serial_DataBits, {"7", "8"}, 1);
        r.Combo_Row(L_Serial_Parity, CB_Serial_Parity, {PARGEN_PARITIES});
        r.Combo_Row(L_Serial_StopBits, CB_Serial_StopBits, {"1", "2"});
    }
    {
        // The presence lists take their items from the language (Set_Lang).
        TParGenRows r(this, CP_MBus = Make_Panel(631));
        r.Combo_Row(L_MBus_OnWire_Present, CB_MBus_OnWire_Present);
        r.Combo_Row(L_MBus_Baudrate, CB_MBus_Baudrate, {"300", "2400", "9600"}, 1);
        r.Combo_Row(L_MBus_Parity, CB_MBus_Parity, {PARGEN_PARITIES}, 2);
        r.Edit_Row(L_MBus_CyclicDelay, E_MBus_CyclicDelay, QStringLiteral("1000"));
        r.Edit_Row(L_MBus_NodeState, E_MBus_NodeState, QStringLiteral("60"));
        r.Check_Combo_Row(CB_MBus_FixCField, CB_MBus_SelectCField, {"5B", "7B"});
    }
    {
        TParGenRows r(this, CP_wMBus = Make_Panel(644));
        r.Combo_Row(L_wMBus_Wireless_Present, CB_wMBus_Wireless_Present);
        r.Combo_Row(L_wMBus_Mode, CB_wMBus_Mode, {"S1", "T1", "C1", "T1+C1"}, 1);
        r.Combo_Row(L_wMBus_Radio_Channel, CB_wMBus_Radio_Channel, {"868.30 MHz", "868.95 MHz"}, 1);
    }
    {
        // The MS/TP rows lie in the form where the layout puts them for BACnet/IP.
        TParGenRows r(this, CP_BACnet_Slave = Make_Panel(546));
        r.Combo_Row(L_BACnet_Slave_Type, CB_BACnet_Slave_Type, {"BACnet/IP", "BACnet MS/TP"});
        TParGenRows ip = r;
        ip.Octet_Row(L_BACnet_IP_Slave_IP, E_BACnet_IP_Slave_IP, "192.168.0.5");
        ip.Octet_Row(L_BACnet_IP_Slave_SM, E_BACnet_IP_Slave_SM, Default_SM);
        ip.Octet_Row(CB_BACnet_IP_Slave_GAT, E_BACnet_IP_Slave_GAT, Default_GAT);
        ip.Edit_Row(L_BACnet_IP_Slave_Port, E_BACnet_IP_Slave_Port, QStringLiteral("47808"));
        ip.Edit_Row(L_BACnet_IP_Slave_Device_Name, E_BACnet_IP_Slave_Device_Name, QStringLiteral("devicename1"));
        ip.Edit_Row(L_BACnet_IP_Slave_Device_Identifier, E_BACnet_IP_Slave_Device_Identifier, QStringLiteral("0"));
        ip.Check_Row(CB_BACnet_Slave_Desc_32_Chars);
        r.Combo_Row(L_BACnet_MSTP_Slave_Baudrate, CB_BACnet_MSTP_Slave_Baudrate,
                    {"9600", "19200", "38400", "57600", "76800", "115200"});
        r.Combo_Row(L_BACnet_MSTP_Slave_Parity, CB_BACnet_MSTP_Slave_Parity, {PARGEN_PARITIES});
        r.Edit_Row(L_BACnet_MSTP_Slave_Device_Name, E_BACnet_MSTP_Slave_Device_Name, QStringLiteral("devicename1"));
        r.Edit_Row(L_BACnet_MSTP_Slave_MAC_Address, E_BACnet_MSTP_Slave_MAC_Address, QStringLiteral("0"));
        r.Edit_Row(L_BACnet_MSTP_Slave_Max_Master, E_BACnet_MSTP_Slave_Max_Master, QStringLiteral("1"));
        r.Edit_Row(L_BACnet_MSTP_Slave_Max_Info_Frame, E_BACnet_MSTP_Slave_Max_Info_Frame, QStringLiteral("1"));
        r.Edit_Row(L_BACnet_MSTP_Slave_Device_Instance, E_BACnet_MSTP_Slave_Device_Instance, QStringLiteral("0"));
        r.Edit_Row(L_BACnet_MSTP_Slave_Network, E_BACnet_MSTP_Slave_Network, QStringLiteral("1"));
        for (TEdit* e : {E_BACnet_IP_Slave_Device_Name, E_BACnet_MSTP_Slave_Device_Name}) {
            e->SetCharCase(ecLowerCase);
            e->SetMaxLength(15);
        }
    }
    {
        TParGenRows r(this, CP_CAN = Make_Panel(751));
        r.Combo_Row(L_CAN_Baudrate, CB_CAN_Baudrate,
                    {"10 kbit/s", "20 kbit/s", "50 kbit/s", "125 kbit/s", "250 kbit/s", "500 kbit/s", "800 kbit/s",
                     "1000 kbit/s"},
                    3);
    }
    {
        TParGenRows r(this, CP_CANopen = Make_Panel(754));
        r.Combo_Row(L_CANopen_Baudrate, CB_CANopen_Baudrate,
                    {"10 kbit/s", "20 kbit/s", "50 kbit/s", "125 kbit/s", "250 kbit/s", "500 kbit/s", "800 kbit/s",
                     "1000 kbit/s"},
                    3);
        r.Edit_Row(L_CANopen_Node_ID, E_CANopen_Node_ID, QStringLiteral("1"));
        r.Check_Edit_Row(CB_CANopen_En_Heartbeat, E_CANopen_Heartbeat, QStringLiteral("1000"));
        r.Edit_Row(L_CANopen_Sync_Period, E_CANopen_Sync_Period, QStringLiteral("0"));
        r.Edit_Row(L_CANopen_SDO_Timeout, E_CANopen_SDO_Timeout, QStringLiteral("1000"));
    }
    {
        TParGenRows r(this, CP_DeviceNet_Master = Make_Panel(769));
        r.Edit_Row(L_DeviceNet_Master_MAC_ID, E_DeviceNet_Master_MAC_ID, QStringLiteral("0"));
        r.Combo_Row(L_DeviceNet_Master_Baudrate, CB_DeviceNet_Master_Baudrate,
                    {"125 kbit/s", "250 kbit/s", "500 kbit/s"});
    }
    {
        TParGenRows r(this, CP_DeviceNet_Slave = Make_Panel(775));
        r.Edit_Row(L_DeviceNet_Slave_MAC_ID, E_DeviceNet_Slave_MAC_ID, QStringLiteral("1"));
        r.Combo_Row(L_DeviceNet_Slave_Baudrate, CB_DeviceNet_Slave_Baudrate, {"125 kbit/s", "250 kbit/s", "500 kbit/s"});
        r.Edit_Row(L_DeviceNet_Slave_NumByteIn, E_DeviceNet_Slave_NumByteIn, QStringLiteral("8"));
        r.Edit_Row(L_DeviceNet_Slave_NumByteOut, E_DeviceNet_Slave_NumByteOut, QStringLiteral("8"));
    }
    {
        TParGenRows r(this, CP_DMX = Make_Panel(787));
        r.Edit_Row(L_DMX_Refresh, E_DMX_Refresh, QStringLiteral("25"));
        r.Edit_Row(L_DMX_ChannelNum, E_DMX_ChannelNum, QStringLiteral("512"));
    }
    {
        TParGenRows r(this, CP_EtherNetIP_Master = Make_Panel(793));
        r.Octet_Row(L_EtherNetIP_Master_IP, E_EtherNetIP_Master_IP, Default_IP);
        r.Octet_Row(L_EtherNetIP_Master_SM, E_EtherNetIP_Master_SM, Default_SM);
        r.Octet_Row(CB_EtherNetIP_Master_En_GAT, E_EtherNetIP_Master_GAT, Default_GAT);
        r.Edit_Row(L_EtherNetIP_Master_Port, E_EtherNetIP_Master_Port, QStringLiteral("44818"));
    }
    {
        TParGenRows r(this, CP_EtherNetIP = Make_Panel(824));
        r.Octet_Row(L_EtherNetIP_IP, E_EtherNetIP_IP, Default_IP);
        r.Octet_Row(L_EtherNetIP_SM, E_EtherNetIP_SM, Default_SM);
        r.Octet_Row(CB_EtherNetIP_En_GAT, E_EtherNetIP_GAT, Default_GAT);
        r.Edit_Row(L_EtherNetIP_Product_Name, E_EtherNetIP_Product_Name);
        r.Edit_Row(L_EtherNetIP_NByte_In, E_EtherNetIP_NByte_In, QStringLiteral("32"));
        r.Edit_Row(L_EtherNetIP_NByte_Out, E_EtherNetIP_NByte_Out, QStringLiteral("32"));
    }
    {
        TParGenRows r(this, CP_J1939 = Make_Panel(866));
        r.Combo_Row(L_J1939_Baudrate, CB_J1939_Baudrate, {"250 kbit/s", "500 kbit/s"});
        r.Edit_Row(L_J1939_Priority, E_J1939_Priority, QStringLiteral("6"));
        r.Edit_Row(L_J1939_CyclicDelay, E_J1939_CyclicDelay, QStringLiteral("100"));
        r.Edit_Row(L_J1939_ID_Device, E_J1939_ID_Device, QStringLiteral("128"));
    }
    {
        TParGenRows r(this, CP_KNX = Make_Panel(877));
        r.Edit_Row(L_KNX_Delay, E_KNX_Delay, QStringLiteral("50"));
        r.Edit_Row(L_KNX_IDDevice, E_KNX_IDDevice, QStringLiteral("1.1.1"));
    }
    {
        TParGenRows r(this, CP_NMEA2000 = Make_Panel(883));
        r.Edit_Row(L_NMEA2000_Address, E_NMEA2000_Address, QStringLiteral("128"));
        r.Edit_Row(L_NMEA2000_Instance, E_NMEA2000_Instance, QStringLiteral("0"));
        r.Check_Row(CB_NMEA2000_Peer_To_Peer);
    }
    {
        TParGenRows r(this, CP_PROFIBUS = Make_Panel(891));
        r.Edit_Row(L_PROFIBUS_Address, E_PROFIBUS_Address, QStringLiteral("3"));
        r.Edit_Row(L_PROFIBUS_Watchdog, E_PROFIBUS_Watchdog, QStringLiteral("100"));
        r.Edit_Row(L_PROFIBUS_NByte_In, E_PROFIBUS_NByte_In, QStringLiteral("16"));
        r.Edit_Row(L_PROFIBUS_NByte_Out, E_PROFIBUS_NByte_Out, QStringLiteral("16"));
    }
    {
        TParGenRows r(this, CP_PROFINET = Make_Panel(903));
        r.Octet_Row(L_PROFINET_IP, E_PROFINET_IP, Default_IP);
        r.Octet_Row(L_PROFINET_SM, E_PROFINET_SM, Default_SM);
        r.Octet_Row(CB_PROFINET_En_GAT, E_PROFINET_GAT, Default_GAT);
        r.Edit_Row(L_PROFINET_Name_Station, E_PROFINET_Name_Station);
        r.Edit_Row(L_PROFINET_Watchdog, E_PROFINET_Watchdog, QStringLiteral("100"));
        r.Edit_Row(L_PROFINET_NByte_In, E_PROFINET_NByte_In, QStringLiteral("32"));
        r.Edit_Row(L_PROFINET_NByte_Out, E_PROFINET_NByte_Out, QStringLiteral("32"));
        r.Check_Edit_Row(CB_PROFINET_Diagnostic, E_PROFINET_Diagnostic, QStringLiteral("0"));
    }
}

// ------------------------------------------------------------ layout

void TFParGen::RePosition_Object_Modbus_Master()
{
    Fit_Panel(CP_Modbus_Master, E_ModbusMaster_CyclicDelay);
}

void TFParGen::RePosition_Object_Modbus_Slave()
{
    Fit_Panel(CP_Modbus_Slave, CB_ModbusSlave_ReadInput);
}

void TFParGen::RePosition_Object_Modbus_TCP_Master()
{
    Fit_Panel(CP_Modbus_TCP_Master, E_ModbusTCPMaster_CyclicDelay);
    Apply_DHCP({&E_ModbusTCPMaster_IP, &E_ModbusTCPMaster_SM, &E_ModbusTCPMaster_GAT}, CB_ModbusTCPMaster_En_GAT);
}

void TFParGen::RePosition_Object_Modbus_TCP_Slave()
{
    Fit_Panel(CP_Modbus_TCP_Slave, CB_ModbusTCPSlave_ReadInput);
    Apply_DHCP({&E_ModbusTCPSlave_IP, &E_ModbusTCPSlave_SM, &E_ModbusTCPSlave_GAT}, CB_ModbusTCPSlave_En_GAT);
}

void TFParGen::RePosition_Object_Serial()
{
    Fit_Panel(CP_Serial, CB_Serial_StopBits);
}

void TFParGen::RePosition_Object_MBus()
{
    // "Not Present" (item 0) leaves only the presence row.
    const bool present = CB_MBus_OnWire_Present->ItemIndex() != 0;
    Set_Shown({L_MBus_Baudrate, CB_MBus_Baudrate, L_MBus_Parity, CB_MBus_Parity, L_MBus_CyclicDelay,
               E_MBus_CyclicDelay, L_MBus_NodeState, E_MBus_NodeState, CB_MBus_FixCField, CB_MBus_SelectCField},
              present);
    Fit_Panel(CP_MBus, present ? static_cast<TControl*>(CB_MBus_SelectCField) : CB_MBus_OnWire_Present);
}

void TFParGen::RePosition_Object_wMBus()
{
    const bool present = CB_wMBus_Wireless_Present->ItemIndex() != 0;
    Set_Shown({L_wMBus_Mode, CB_wMBus_Mode, L_wMBus_Radio_Channel, CB_wMBus_Radio_Channel}, present);
    Fit_Panel(CP_wMBus, present ? CB_wMBus_Radio_Channel : CB_wMBus_Wireless_Present);
}

void TFParGen::RePosition_Object_BACnet_Slave()
{
    // The type row stays; BACnet/IP keeps its rows at the form's places, MS/TP
    // flows its rows from the IP address row down.
    const bool ip = CB_BACnet_Slave_Type->ItemIndex() == 0;
    Integer y = L_BACnet_Slave_Type->Top() + Row_Pitch;
    if (ip) {
        Flow_Octets(y, L_BACnet_IP_Slave_IP, E_BACnet_IP_Slave_IP);
        Flow_Octets(y, L_BACnet_IP_Slave_SM, E_BACnet_IP_Slave_SM);
        Flow_Octets(y, CB_BACnet_IP_Slave_GAT, E_BACnet_IP_Slave_GAT, true);
        Flow_Row(y, L_BACnet_IP_Slave_Port, {E_BACnet_IP_Slave_Port});
        Flow_Row(y, L_BACnet_IP_Slave_Device_Name, {E_BACnet_IP_Slave_Device_Name});
        Flow_Row(y, L_BACnet_IP_Slave_Device_Identifier, {E_BACnet_IP_Slave_Device_Identifier});
        Apply_DHCP({&E_BACnet_IP_Slave_IP, &E_BACnet_IP_Slave_SM, &E_BACnet_IP_Slave_GAT});
    } else {
        Hide_Octets(L_BACnet_IP_Slave_IP, E_BACnet_IP_Slave_IP);
        Hide_Octets(L_BACnet_IP_Slave_SM, E_BACnet_IP_Slave_SM);
        Hide_Octets(CB_BACnet_IP_Slave_GAT, E_BACnet_IP_Slave_GAT);
        Hide_Row(L_BACnet_IP_Slave_Port, {E_BACnet_IP_Slave_Port});
        Hide_Row(L_BACnet_IP_Slave_Device_Name, {E_BACnet_IP_Slave_Device_Name});
        Hide_Row(L_BACnet_IP_Slave_Device_Identifier, {E_BACnet_IP_Slave_Device_Identifier});
    }
    const auto mstp = [&](TControl* label, TControl* input) {
        if (ip)
            Hide_Row(label, {input});
        else
            Flow_Row(y, label, {input});
    };
    mstp(L_BACnet_MSTP_Slave_Baudrate, CB_BACnet_MSTP_Slave_Baudrate);
    mstp(L_BACnet_MSTP_Slave_Parity, CB_BACnet_MSTP_Slave_Parity);
    mstp(L_BACnet_MSTP_Slave_Device_Name, E_BACnet_MSTP_Slave_Device_Name);
    mstp(L_BACnet_MSTP_Slave_MAC_Address, E_BACnet_MSTP_Slave_MAC_Address);
    mstp(L_BACnet_MSTP_Slave_Max_Master, E_BACnet_MSTP_Slave_Max_Master);
    mstp(L_BACnet_MSTP_Slave_Max_Info_Frame, E_BACnet_MSTP_Slave_Max_Info_Frame);
    mstp(L_BACnet_MSTP_Slave_Device_Instance, E_BACnet_MSTP_Slave_Device_Instance);
    mstp(L_BACnet_MSTP_Slave_Network, E_BACnet_MSTP_Slave_Network);
    // 28 below the last label of either type.
    Flow_Row(y, CB_BACnet_Slave_Desc_32_Chars);
    Fit_Panel(CP_BACnet_Slave, CB_BACnet_Slave_Desc_32_Chars);
}

void TFParGen::RePosition_Object_CAN()
{
    Fit_Panel(CP_CAN, CB_CAN_Baudrate);
}

void TFParGen::RePosition_Object_CANopen()
{
    Fit_Panel(CP_CANopen, E_CANopen_SDO_Timeout);
}

void TFParGen::RePosition_Object_DeviceNet_Master()
{
    Fit_Panel(CP_DeviceNet_Master, CB_DeviceNet_Master_Baudrate);
}

void TFParGen::RePosition_Object_DeviceNet_Slave()
{
    Fit_Panel(CP_DeviceNet_Slave, E_DeviceNet_Slave_NumByteOut);
}

void TFParGen::RePosition_Object_DMX()
{
    Fit_Panel(CP_DMX, E_DMX_ChannelNum);
}

void TFParGen::RePosition_Object_EtherNetIP_Master()
{
    Fit_Panel(CP_EtherNetIP_Master, E_EtherNetIP_Master_Port);
    Apply_DHCP({&E_EtherNetIP_Master_IP, &E_EtherNetIP_Master_SM, &E_EtherNetIP_Master_GAT});
}

void TFParGen::RePosition_Object_EtherNetIP()
{
    Fit_Panel(CP_EtherNetIP, E_EtherNetIP_NByte_Out);
    Apply_DHCP({&E_EtherNetIP_IP, &E_EtherNetIP_SM, &E_EtherNetIP_GAT});
}

void TFParGen::RePosition_Object_J1939()
{
    Fit_Panel(CP_J1939, E_J1939_ID_Device);
}

void TFParGen::RePosition_Object_KNX()
{
    Fit_Panel(CP_KNX, E_KNX_IDDevice);
}

void TFParGen::RePosition_Object_NMEA2000()
{
    Fit_Panel(CP_NMEA2000, CB_NMEA2000_Peer_To_Peer);
}

void TFParGen::RePosition_Object_PROFIBUS()
{
    Fit_Panel(CP_PROFIBUS, E_PROFIBUS_NByte_Out);
}

void TFParGen::RePosition_Object_PROFINET()
{
    // The diagnostic row is never shown.
    Set_Shown({CB_PROFINET_Diagnostic, E_PROFINET_Diagnostic}, false);
    Fit_Panel(CP_PROFINET, E_PROFINET_NByte_Out);
    Apply_DHCP({&E_PROFINET_IP, &E_PROFINET_SM, &E_PROFINET_GAT});
}

// ------------------------------------------------------------ texts

void TFParGen::Set_Lang_FieldBus()
{
    Row_Texts(L_ModbusSlave_Baudrate, {CB_ModbusSlave_Baudrate}, 424);
    Row_Texts(L_ModbusSlave_Parity, {CB_ModbusSlave_Parity}, 426);
    Row_Texts(L_ModbusSlave_StopBits, {CB_ModbusSlave_StopBits}, 428);
    Row_Texts(L_ModbusSlave_Address, {E_ModbusSlave_Address}, 430);
    Row_Texts(L_ModbusSlave_Delay, {E_ModbusSlave_Delay}, 432);
    Box_Texts(CB_ModbusSlave_ReadInput, {}, 434);

    Row_Texts(L_BACnet_Slave_Type, {CB_BACnet_Slave_Type}, 547);
    Octet_Texts(L_BACnet_IP_Slave_IP, E_BACnet_IP_Slave_IP, 549);
    Octet_Texts(L_BACnet_IP_Slave_SM, E_BACnet_IP_Slave_SM, 554);
    Box_Octet_Texts(CB_BACnet_IP_Slave_GAT, E_BACnet_IP_Slave_GAT, 559);
    Row_Texts(L_BACnet_IP_Slave_Port, {E_BACnet_IP_Slave_Port}, 565);
    Row_Texts(L_BACnet_IP_Slave_Device_Name, {E_BACnet_IP_Slave_Device_Name}, 567);
    Row_Texts(L_BACnet_IP_Slave_Device_Identifier, {E_BACnet_IP_Slave_Device_Identifier}, 569);
    Row_Texts(L_BACnet_MSTP_Slave_Baudrate, {CB_BACnet_MSTP_Slave_Baudrate}, 571);
    Row_Texts(L_BACnet_MSTP_Slave_Parity, {CB_BACnet_MSTP_Slave_Parity}, 573);
    Row_Texts(L_BACnet_MSTP_Slave_Device_Name, {E_BACnet_MSTP_Slave_Device_Name}, 575);
    Row_Texts(L_BACnet_MSTP_Slave_MAC_Address, {E_BACnet_MSTP_Slave_MAC_Address}, 577);
    Row_Texts(L_BACnet_MSTP_Slave_Max_Master, {E_BACnet_MSTP_Slave_Max_Master}, 579);
    Row_Texts(L_BACnet_MSTP_Slave_Max_Info_Frame, {E_BACnet_MSTP_Slave_Max_Info_Frame}, 581);
    Row_Texts(L_BACnet_MSTP_Slave_Device_Instance, {E_BACnet_MSTP_Slave_Device_Instance}, 583);
    Row_Texts(L_BACnet_MSTP_Slave_Network, {E_BACnet_MSTP_Slave_Network}, 585);
    Box_Texts(CB_BACnet_Slave_Desc_32_Chars, {}, 587);

    // Presence: caption, the two items, then the hint.
    L_MBus_OnWire_Present->SetCaption(ParGen_Text(632));
    Combo_Texts(CB_MBus_OnWire_Present, 633, 2);
    CB_MBus_OnWire_Present->SetHint(ParGen_Text(635));
    Row_Texts(L_MBus_Baudrate, {CB_MBus_Baudrate}, 636);
    Row_Texts(L_MBus_Parity, {CB_MBus_Parity}, 638);
    Row_Texts(L_MBus_CyclicDelay, {E_MBus_CyclicDelay}, 640);
    Row_Texts(L_MBus_NodeState, {E_MBus_NodeState}, 642);
    Box_Texts(CB_MBus_FixCField, {CB_MBus_SelectCField}, 655);

    L_wMBus_Wireless_Present->SetCaption(ParGen_Text(645));
    Combo_Texts(CB_wMBus_Wireless_Present, 646, 2);
    CB_wMBus_Wireless_Present->SetHint(ParGen_Text(648));
    Row_Texts(L_wMBus_Mode, {CB_wMBus_Mode}, 649);
    Row_Texts(L_wMBus_Radio_Channel, {CB_wMBus_Radio_Channel}, 651);

    Row_Texts(L_ModbusMaster_Baudrate, {CB_ModbusMaster_Baudrate}, 659);
    Row_Texts(L_ModbusMaster_Parity, {CB_ModbusMaster_Parity}, 661);
    Row_Texts(L_ModbusMaster_StopBits, {CB_ModbusMaster_StopBits}, 663);
    Row_Texts(L_ModbusMaster_TimeOut, {E_ModbusMaster_TimeOut}, 665);
    Row_Texts(L_ModbusMaster_Delay, {E_ModbusMaster_Delay}, 667);
    Row_Texts(L_ModbusMaster_CyclicDelay, {E_ModbusMaster_CyclicDelay}, 669);

    Octet_Texts(L_ModbusTCPMaster_IP, E_ModbusTCPMaster_IP, 675);
    Octet_Texts(L_ModbusTCPMaster_SM, E_ModbusTCPMaster_SM, 680);
    Box_Octet_Texts(CB_ModbusTCPMaster_En_GAT, E_ModbusTCPMaster_GAT, 685);
    Row_Texts(L_ModbusTCPMaster_TimeOut, {E_ModbusTCPMaster_TimeOut}, 691);
    Row_Texts(L_ModbusTCPMaster_CyclicDelay, {E_ModbusTCPMaster_CyclicDelay}, 693);

    Octet_Texts(L_ModbusTCPSlave_IP, E_ModbusTCPSlave_IP, 710);
    Octet_Texts(L_ModbusTCPSlave_SM, E_ModbusTCPSlave_SM, 715);
    Box_Octet_Texts(CB_ModbusTCPSlave_En_GAT, E_ModbusTCPSlave_GAT, 720);
    Row_Texts(L_ModbusTCPSlave_Port, {E_ModbusTCPSlave_Port}, 726);
    Box_Texts(CB_ModbusTCPSlave_ReadInput, {}, 2894);

    Row_Texts(L_Serial_Baudrate, {CB_Serial_Baudrate}, 742);
    Row_Texts(L_Serial_DataBits, {CB_Serial_DataBits}, 744);
    Row_Texts(L_Serial_Parity, {CB_Serial_Parity}, 746);
    Row_Texts(L_Serial_StopBits, {CB_Serial_StopBits}, 748);

    Row_Texts(L_CAN_Baudrate, {CB_CAN_Baudrate}, 752);

    Row_Texts(L_CANopen_Baudrate, {CB_CANopen_Baudrate}, 755);
    Row_Texts(L_CANopen_Node_ID, {E_CANopen_Node_ID}, 757);
    Box_Texts(CB_CANopen_En_Heartbeat, {E_CANopen_Heartbeat}, 759);
    Row_Texts(L_CANopen_Sync_Period, {E_CANopen_Sync_Period}, 762);
    Row_Texts(L_CANopen_SDO_Timeout, {E_CANopen_SDO_Timeout}, 764);

    Row_Texts(L_DeviceNet_Master_MAC_ID, {E_DeviceNet_Master_MAC_ID}, 770);
    Row_Texts(L_DeviceNet_Master_Baudrate, {CB_DeviceNet_Master_Baudrate}, 772);

    Row_Texts(L_DeviceNet_Slave_MAC_ID, {E_DeviceNet_Slave_MAC_ID}, 776);
    Row_Texts(L_DeviceNet_Slave_Baudrate, {CB_DeviceNet_Slave_Baudrate}, 778);
    Row_Texts(L_DeviceNet_Slave_NumByteIn, {E_DeviceNet_Slave_NumByteIn}, 780);
    Row_Texts(L_DeviceNet_Slave_NumByteOut, {E_DeviceNet_Slave_NumByteOut}, 782);

    Row_Texts(L_DMX_Refresh, {E_DMX_Refresh}, 788);
    Row_Texts(L_DMX_ChannelNum, {E_DMX_ChannelNum}, 790);

    Octet_Texts(L_EtherNetIP_Master_IP, E_EtherNetIP_Master_IP, 794);
    Octet_Texts(L_EtherNetIP_Master_SM, E_EtherNetIP_Master_SM, 799);
    Box_Octet_Texts(CB_EtherNetIP_Master_En_GAT, E_EtherNetIP_Master_GAT, 804);
    Row_Texts(L_EtherNetIP_Master_Port, {E_EtherNetIP_Master_Port}, 810);

    Octet_Texts(L_EtherNetIP_IP, E_EtherNetIP_IP, 825);
    Octet_Texts(L_EtherNetIP_SM, E_EtherNetIP_SM, 830);
    Box_Octet_Texts(CB_EtherNetIP_En_GAT, E_EtherNetIP_GAT, 835);
    Row_Texts(L_EtherNetIP_Product_Name, {E_EtherNetIP_Product_Name}, 841);
    Row_Texts(L_EtherNetIP_NByte_In, {E_EtherNetIP_NByte_In}, 843);
    Row_Texts(L_EtherNetIP_NByte_Out, {E_EtherNetIP_NByte_Out}, 845);

    Row_Texts(L_J1939_Baudrate, {CB_J1939_Baudrate}, 867);
    Row_Texts(L_J1939_Priority, {E_J1939_Priority}, 869);
    Row_Texts(L_J1939_CyclicDelay, {E_J1939_CyclicDelay}, 871);
    Row_Texts(L_J1939_ID_Device, {E_J1939_ID_Device}, 873);

    Row_Texts(L_KNX_Delay, {E_KNX_Delay}, 878);
    Row_Texts(L_KNX_IDDevice, {E_KNX_IDDevice}, 880);

    Row_Texts(L_NMEA2000_Address, {E_NMEA2000_Address}, 884);
    Row_Texts(L_NMEA2000_Instance, {E_NMEA2000_Instance}, 886);
    Box_Texts(CB_NMEA2000_Peer_To_Peer, {}, 888);

    Row_Texts(L_PROFIBUS_Address, {E_PROFIBUS_Address}, 892);
    Row_Texts(L_PROFIBUS_Watchdog, {E_PROFIBUS_Watchdog}, 894);
    Row_Texts(L_PROFIBUS_NByte_In, {E_PROFIBUS_NByte_In}, 896);
    Row_Texts(L_PROFIBUS_NByte_Out, {E_PROFIBUS_NByte_Out}, 898);

    Octet_Texts(L_PROFINET_IP, E_PROFINET_IP, 904);
    Octet_Texts(L_PROFINET_SM, E_PROFINET_SM, 909);
    Box_Octet_Texts(CB_PROFINET_En_GAT, E_PROFINET_GAT, 914);
    Row_Texts(L_PROFINET_Name_Station, {E_PROFINET_Name_Station}, 920);
    Row_Texts(L_PROFINET_NByte_In, {E_PROFINET_NByte_In}, 922);
    Row_Texts(L_PROFINET_NByte_Out, {E_PROFINET_NByte_Out}, 924);
    Box_Texts(CB_PROFINET_Diagnostic, {E_PROFINET_Diagnostic}, 926);
    Row_Texts(L_PROFINET_Watchdog, {E_PROFINET_Watchdog}, 929);
}
