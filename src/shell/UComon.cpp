#include "shell/UComon.h"

#include "platform/Lists.h"
#include "platform/StringList.h"

const QString Const_SW_Code = QStringLiteral("SW59D16");
const QString Const_SW_Desc = QStringLiteral("BACnet Master / LoRaWAN - Converter");
const QString Const_Update_SW_Code = QStringLiteral("SW59D16");
const QString Const_SW_Version = QStringLiteral("1.006");

QString Project_Name;
QString Project_Folder;
QString Projects_Folder;
QString Exe_Folder;
QString Data_Folder;
QString Master_Folder;
QString Language_Folder;
QString Main_Caption;
QString SW_Code;
QString SW_Desc;
QString Last_IP_Address;
Integer Update_Option = 0;
bool Read_Back = false;
QString Language_Name;
bool Enable_Internet = false;
bool Enable_Update = false;
bool Enable_Jump_Field_Tables = false;
bool Double_Click_Auto_Size = false;
QString Last_EDE_Folder;
std::unique_ptr<TStringList> Row_Clipboard;
std::vector<bool> Row_Clipboard_Checks;
std::unique_ptr<TList> Wired_Slave_List;
std::unique_ptr<TList> Wireless_Slave_List;
std::unique_ptr<TStringList> MIB_Read_List;
std::unique_ptr<TStringList> MIB_Write_List;

QString ParGen_File;
QString LoRaWAN_SetAccess_File;
QString ModbusM_SetAccess_File;
QString M_Bus_File;
QString ModbusTCPM_SetAccess_File;
QString CAN_Rec_Frames_File;
QString CAN_Send_Frames_File;
QString SDO_Server_CANopen_File;
QString SDO_Client_CANopen_File;
QString PDO_CANopen_File;
QString DNETM_Net_File;
QString DNETM_DefOff_File;
QString J1939_Rec_Frames_File;
QString J1939_Send_Frames_File;
QString NMEA_Rec_Frames_File;
QString NMEA_Send_Frames_File;
QString DMX_Default_Values_File;
QString KNX_SetAccess_File;
QString BACnet_Slave_SetAccess_File;
QString BACnet_Master_Access_File;
QString EtherNetIP_Master_Rules_File;
QString IEC_61850_Client_File;
QString TLS_Known_Cert_File;
QString IEC61850_Variables_File;
QString MQTT_Set_Topic_File;
QString OPC_UA_Client_File;
QString OPC_UA_Server_File;
QString S7_Protocol_File;
QString SNMP_Manager_File;
QString SNMP_Trap_File;

void Set_Files()
{
    static const struct { QString* path; const char* name; } files[] = {
        {&ParGen_File, "ParGen.xml"},
        {&LoRaWAN_SetAccess_File, "LoRaWAN_SetAccess.xml"},
        {&ModbusM_SetAccess_File, "ModbusM_SetAccess.xml"},
        {&M_Bus_File, "M_Bus.xml"},
        {&ModbusTCPM_SetAccess_File, "ModbusTCPM_SetAccess.xml"},
        {&CAN_Rec_Frames_File, "CAN_Rec_Frames.xml"},
        {&CAN_Send_Frames_File, "CAN_Send_Frames.xml"},
        {&SDO_Server_CANopen_File, "SDO_Server_CANopen.xml"},
        {&SDO_Client_CANopen_File, "SDO_Client_CANopen.xml"},
        {&PDO_CANopen_File, "PDO_CANopen.xml"},
        {&DNETM_Net_File, "DNETM_Net.xml"},
        {&DNETM_DefOff_File, "DNETM_DefOff.xml"},
        {&J1939_Rec_Frames_File, "J1939_Rec_Frames.xml"},
        {&J1939_Send_Frames_File, "J1939_Send_Frames.xml"},
        {&NMEA_Rec_Frames_File, "NMEA_Rec_Frames.xml"},
        {&NMEA_Send_Frames_File, "NMEA_Send_Frames.xml"},
        {&DMX_Default_Values_File, "DMX_Default_Values.xml"},
        {&KNX_SetAccess_File, "KNX_SetAccess.xml"},
        {&BACnet_Slave_SetAccess_File, "BACnet_Slave_SetAccess.xml"},
        {&BACnet_Master_Access_File, "BACnet_Master_Access.xml"},
        {&EtherNetIP_Master_Rules_File, "EtherNetIP_Master_Rules.xml"},
        {&IEC_61850_Client_File, "IEC_61850_Client.xml"},
        {&TLS_Known_Cert_File, "TLS_Known_Cert.xml"},
        {&IEC61850_Variables_File, "IEC61850_Variables.xml"},
        {&MQTT_Set_Topic_File, "MQTT_Set_Topic.xml"},
        {&OPC_UA_Client_File, "OPC_UA_Client.xml"},
        {&OPC_UA_Server_File, "OPC_UA_Server.xml"},
        {&S7_Protocol_File, "S7_Protocol.xml"},
        {&SNMP_Manager_File, "SNMP_Manager.xml"},
        {&SNMP_Trap_File, "SNMP_Trap.xml"},
    };
    for (const auto& f : files)
        *f.path = Project_Folder + u'/' + QLatin1String(f.name);
}
