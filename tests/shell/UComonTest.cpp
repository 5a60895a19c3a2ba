#include "shell/UComon.h"

#include <gtest/gtest.h>

namespace {

TEST(SetFiles, EveryPathIsTheConfigurationFolderPlusItsFileName)
{
    const struct { const QString* path; const char* name; } files[] = {
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

    Exe_Folder = "/opt/arvinto";
    Projects_Folder = Exe_Folder + "/PROJECTS";
    Project_Name = "Plant A";
    Project_Folder = Projects_Folder + "/" + Project_Name;
    Set_Files();
    for (const auto& f : files)
        EXPECT_EQ(*f.path, "/opt/arvinto/PROJECTS/Plant A/" + QString::fromLatin1(f.name));

    // No configuration open: the bare file names after the separator.
    Project_Name.clear();
    Project_Folder.clear();
    Set_Files();
    for (const auto& f : files)
        EXPECT_EQ(*f.path, "/" + QString::fromLatin1(f.name));
}

} // namespace
