#pragma once
// The general parameters window's panels of the serial and field-bus sides
// of the series' other models: Modbus, serial line, M-Bus, BACnet server,
// CAN, CANopen, DeviceNet, DMX, EtherNet/IP, J1939, KNX, NMEA 2000,
// PROFIBUS and PROFINET. ParGen.xml does not store them: they keep their
// values while the window is open.

#include "parameters/ParGenControls.h"

struct TParGenFieldBusPanels {
    TCategoryPanel* CP_Modbus_Master = nullptr;
    TLabel* L_ModbusMaster_Baudrate;
    TComboBox* CB_ModbusMaster_Baudrate;
    TLabel* L_ModbusMaster_Parity;
    TComboBox* CB_ModbusMaster_Parity;
    TLabel* L_ModbusMaster_StopBits;
    TComboBox* CB_ModbusMaster_StopBits;
    TLabel* L_ModbusMaster_TimeOut;
    TEdit* E_ModbusMaster_TimeOut;
    TLabel* L_ModbusMaster_Delay;
    TEdit* E_ModbusMaster_Delay;
    TLabel* L_ModbusMaster_CyclicDelay;
    TEdit* E_ModbusMaster_CyclicDelay;

    TCategoryPanel* CP_Modbus_Slave = nullptr;
    TLabel* L_ModbusSlave_Baudrate;
    TComboBox* CB_ModbusSlave_Baudrate;
    TLabel* L_ModbusSlave_Parity;
    TComboBox* CB_ModbusSlave_Parity;
    TLabel* L_ModbusSlave_StopBits;
    TComboBox* CB_ModbusSlave_StopBits;
    TLabel* L_ModbusSlave_Address;
    TEdit* E_ModbusSlave_Address;
    TLabel* L_ModbusSlave_Delay;
    TEdit* E_ModbusSlave_Delay;
    TCheckBox* CB_ModbusSlave_ReadInput;

    TCategoryPanel* CP_Modbus_TCP_Master = nullptr;
    TLabel* L_ModbusTCPMaster_IP;
    TOctetRow E_ModbusTCPMaster_IP;
    TLabel* L_ModbusTCPMaster_SM;
    TOctetRow E_ModbusTCPMaster_SM;
    TCheckBox* CB_ModbusTCPMaster_En_GAT;
    TOctetRow E_ModbusTCPMaster_GAT;
    TLabel* L_ModbusTCPMaster_TimeOut;
    TEdit* E_ModbusTCPMaster_TimeOut;
    TLabel* L_ModbusTCPMaster_CyclicDelay;
    TEdit* E_ModbusTCPMaster_CyclicDelay;

    TCategoryPanel* CP_Modbus_TCP_Slave = nullptr;
    TLabel* L_ModbusTCPSlave_IP;
    TOctetRow E_ModbusTCPSlave_IP;
    TLabel* L_ModbusTCPSlave_SM;
    TOctetRow E_ModbusTCPSlave_SM;
    TCheckBox* CB_ModbusTCPSlave_En_GAT;
    TOctetRow E_ModbusTCPSlave_GAT;
    TLabel* L_ModbusTCPSlave_Port;
    TEdit* E_ModbusTCPSlave_Port;
    TCheckBox* CB_ModbusTCPSlave_ReadInput;

    TCategoryPanel* CP_Serial = nullptr;
    TLabel* L_Serial_Baudrate;
    TComboBox* CB_Serial_Baudrate;
    TLabel* L_Serial_DataBits;
    TComboBox* CB_Serial_DataBits;
    TLabel* L_Serial_Parity;
    TComboBox* CB_Serial_Parity;
    TLabel* L_Serial_StopBits;
    TComboBox* CB_Serial_StopBits;

    TCategoryPanel* CP_MBus = nullptr;
    TLabel* L_MBus_OnWire_Present;
    TComboBox* CB_MBus_OnWire_Present;
    TLabel* L_MBus_Baudrate;
    TComboBox* CB_MBus_Baudrate;
    TLabel* L_MBus_Parity;
    TComboBox* CB_MBus_Parity;
    TLabel* L_MBus_CyclicDelay;
    TEdit* E_MBus_CyclicDelay;
    TLabel* L_MBus_NodeState;
    TEdit* E_MBus_NodeState;
    TCheckBox* CB_MBus_FixCField;
    TComboBox* CB_MBus_SelectCField;

    TCategoryPanel* CP_wMBus = nullptr;
    TLabel* L_wMBus_Wireless_Present;
    TComboBox* CB_wMBus_Wireless_Present;
    TLabel* L_wMBus_Mode;
    TComboBox* CB_wMBus_Mode;
    TLabel* L_wMBus_Radio_Channel;
    TComboBox* CB_wMBus_Radio_Channel;

    TCategoryPanel* CP_BACnet_Slave = nullptr;
    TLabel* L_BACnet_Slave_Type;
    TComboBox* CB_BACnet_Slave_Type;
    TLabel* L_BACnet_IP_Slave_IP;
    TOctetRow E_BACnet_IP_Slave_IP;
    TLabel* L_BACnet_IP_Slave_SM;
    TOctetRow E_BACnet_IP_Slave_SM;
    TCheckBox* CB_BACnet_IP_Slave_GAT;
    TOctetRow E_BACnet_IP_Slave_GAT;
    TLabel* L_BACnet_IP_Slave_Port;
    TEdit* E_BACnet_IP_Slave_Port;
    TLabel* L_BACnet_IP_Slave_Device_Name;
    TEdit* E_BACnet_IP_Slave_Device_Name;
    TLabel* L_BACnet_IP_Slave_Device_Identifier;
    TEdit* E_BACnet_IP_Slave_Device_Identifier;
    TLabel* L_BACnet_MSTP_Slave_Baudrate;
    TComboBox* CB_BACnet_MSTP_Slave_Baudrate;
    TLabel* L_BACnet_MSTP_Slave_Parity;
    TComboBox* CB_BACnet_MSTP_Slave_Parity;
    TLabel* L_BACnet_MSTP_Slave_Device_Name;
    TEdit* E_BACnet_MSTP_Slave_Device_Name;
    TLabel* L_BACnet_MSTP_Slave_MAC_Address;
    TEdit* E_BACnet_MSTP_Slave_MAC_Address;
    TLabel* L_BACnet_MSTP_Slave_Max_Master;
    TEdit* E_BACnet_MSTP_Slave_Max_Master;
    TLabel* L_BACnet_MSTP_Slave_Max_Info_Frame;
    TEdit* E_BACnet_MSTP_Slave_Max_Info_Frame;
    TLabel* L_BACnet_MSTP_Slave_Device_Instance;
    TEdit* E_BACnet_MSTP_Slave_Device_Instance;
    TLabel* L_BACnet_MSTP_Slave_Network;
    TEdit* E_BACnet_MSTP_Slave_Network;
    TCheckBox* CB_BACnet_Slave_Desc_32_Chars;

    TCategoryPanel* CP_CAN = nullptr;
    TLabel* L_CAN_Baudrate;
    TComboBox* CB_CAN_Baudrate;

    TCategoryPanel* CP_CANopen = nullptr;
    TLabel* L_CANopen_Baudrate;
    TComboBox* CB_CANopen_Baudrate;
    TLabel* L_CANopen_Node_ID;
    TEdit* E_CANopen_Node_ID;
    TCheckBox* CB_CANopen_En_Heartbeat;
    TEdit* E_CANopen_Heartbeat;
    TLabel* L_CANopen_Sync_Period;
    TEdit* E_CANopen_Sync_Period;
    TLabel* L_CANopen_SDO_Timeout;
    TEdit* E_CANopen_SDO_Timeout;

    TCategoryPanel* CP_DeviceNet_Master = nullptr;
    TLabel* L_DeviceNet_Master_MAC_ID;
    TEdit* E_DeviceNet_Master_MAC_ID;
    TLabel* L_DeviceNet_Master_Baudrate;
    TComboBox* CB_DeviceNet_Master_Baudrate;

    TCategoryPanel* CP_DeviceNet_Slave = nullptr;
    TLabel* L_DeviceNet_Slave_MAC_ID;
    TEdit* E_DeviceNet_Slave_MAC_ID;
    TLabel* L_DeviceNet_Slave_Baudrate;
    TComboBox* CB_DeviceNet_Slave_Baudrate;
    TLabel* L_DeviceNet_Slave_NumByteIn;
    TEdit* E_DeviceNet_Slave_NumByteIn;
    TLabel* L_DeviceNet_Slave_NumByteOut;
    TEdit* E_DeviceNet_Slave_NumByteOut;

    TCategoryPanel* CP_DMX = nullptr;
    TLabel* L_DMX_Refresh;
    TEdit* E_DMX_Refresh;
    TLabel* L_DMX_ChannelNum;
    TEdit* E_DMX_ChannelNum;

    TCategoryPanel* CP_EtherNetIP_Master = nullptr;
    TLabel* L_EtherNetIP_Master_IP;
    TOctetRow E_EtherNetIP_Master_IP;
    TLabel* L_EtherNetIP_Master_SM;
    TOctetRow E_EtherNetIP_Master_SM;
    TCheckBox* CB_EtherNetIP_Master_En_GAT;
    TOctetRow E_EtherNetIP_Master_GAT;
    TLabel* L_EtherNetIP_Master_Port;
    TEdit* E_EtherNetIP_Master_Port;

    TCategoryPanel* CP_EtherNetIP = nullptr;
    TLabel* L_EtherNetIP_IP;
    TOctetRow E_EtherNetIP_IP;
    TLabel* L_EtherNetIP_SM;
    TOctetRow E_EtherNetIP_SM;
    TCheckBox* CB_EtherNetIP_En_GAT;
    TOctetRow E_EtherNetIP_GAT;
    TLabel* L_EtherNetIP_Product_Name;
    TEdit* E_EtherNetIP_Product_Name;
    TLabel* L_EtherNetIP_NByte_In;
    TEdit* E_EtherNetIP_NByte_In;
    TLabel* L_EtherNetIP_NByte_Out;
    TEdit* E_EtherNetIP_NByte_Out;

    TCategoryPanel* CP_J1939 = nullptr;
    TLabel* L_J1939_Baudrate;
    TComboBox* CB_J1939_Baudrate;
    TLabel* L_J1939_Priority;
    TEdit* E_J1939_Priority;
    TLabel* L_J1939_CyclicDelay;
    TEdit* E_J1939_CyclicDelay;
    TLabel* L_J1939_ID_Device;
    TEdit* E_J1939_ID_Device;

    TCategoryPanel* CP_KNX = nullptr;
    TLabel* L_KNX_Delay;
    TEdit* E_KNX_Delay;
    TLabel* L_KNX_IDDevice;
    TEdit* E_KNX_IDDevice;

    TCategoryPanel* CP_NMEA2000 = nullptr;
    TLabel* L_NMEA2000_Address;
    TEdit* E_NMEA2000_Address;
    TLabel* L_NMEA2000_Instance;
    TEdit* E_NMEA2000_Instance;
    TCheckBox* CB_NMEA2000_Peer_To_Peer;

    TCategoryPanel* CP_PROFIBUS = nullptr;
    TLabel* L_PROFIBUS_Address;
    TEdit* E_PROFIBUS_Address;
    TLabel* L_PROFIBUS_Watchdog;
    TEdit* E_PROFIBUS_Watchdog;
    TLabel* L_PROFIBUS_NByte_In;
    TEdit* E_PROFIBUS_NByte_In;
    TLabel* L_PROFIBUS_NByte_Out;
    TEdit* E_PROFIBUS_NByte_Out;

    TCategoryPanel* CP_PROFINET = nullptr;
    TLabel* L_PROFINET_IP;
    TOctetRow E_PROFINET_IP;
    TLabel* L_PROFINET_SM;
    TOctetRow E_PROFINET_SM;
    TCheckBox* CB_PROFINET_En_GAT;
    TOctetRow E_PROFINET_GAT;
    TLabel* L_PROFINET_Name_Station;
    TEdit* E_PROFINET_Name_Station;
    TLabel* L_PROFINET_Watchdog;
    TEdit* E_PROFINET_Watchdog;
    TLabel* L_PROFINET_NByte_In;
    TEdit* E_PROFINET_NByte_In;
    TLabel* L_PROFINET_NByte_Out;
    TEdit* E_PROFINET_NByte_Out;
    TCheckBox* CB_PROFINET_Diagnostic;
    TEdit* E_PROFINET_Diagnostic;
};
