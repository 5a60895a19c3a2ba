// The built-in English texts, in blocks of numbers, one block per window
// (or shared use) in ascending order. Each window adds its own texts under
// its block's heading, in number order, with their exact wording (leading
// and trailing blanks and doubled ampersands included); a number not listed
// holds the filler " ".
#include "shell/BuiltinTexts.h"

const TBuiltinText Builtin_Texts[] = {
    // ---- 0-85: main window TFArvintoFirmWare
    {0, u"Begin"},
    {1, u"Step 1"},
    {2, u"Step 2"},
    {3, u"Step 3"},
    {4, u"Step 4"},
    {5, u"Step 5"},
    {6, u"Step 6"},
    {7, u"Step 7"},
    {8, u"Step 8"},
    {9, u"None Configuration Opened "},
    {10, u"Use Step1 to open or create new configuration"},
    {11, u"Opened Configuration of the Converter : "},
    {12, u"Information"},
    {13, u"Options"},
    {14, u"Close Configurator"},
    {15, u"New Configuration"},
    {16, u"Open Configuration"},
    {17, u"Update Device UDP"},
    {18, u"Error! Project not Valid"},
    {19, u"New Version Available. Click Here for more Details"},
    {20, u"Set Communication"},
    {21, u"Set LoRaWAN Access"},
    {22, u"Create a new configuration for the device"},
    {23, u"Open an exists configuration"},
    {24, u"Set the main parameters of Protocols"},
    {25, u"Set the Rules in Uplink and Downlink for LoRaWAN"},
    {26, u"Update the actual Firmware and/or Configuration in the device"},
    {27, u"Set BACnet Access"},
    {28, u"Set the BACnet Slave Access Rules"},
    {29, u"Set the BACnet Master Access Rules"},
    {30, u"Error in configuration, Num. Byte not conformed with Max Payload Size"},
    {31, u"M-Bus"},
    {32, u"Set the Nodes and Variables for M-Bus Network"},
    {33, u"Scan && Decode"},
    {34, u"Possibility to scan the M-Bus Network"},
    {35, u"M_Bus network configuration already exists for this configuration. Do you want to continue?"},
    {36, u"Modbus Set Access"},
    {37, u"Set the Modbus Master Rules"},
    {38, u"Receive Frames"},
    {39, u"Set the CAN Receive Frames Rules"},
    {40, u"Send Frames"},
    {41, u"Set the CAN Send Frames Rules"},
    {42, u"Set the J1939 Receive Frames Rules"},
    {43, u"Set the J1939 Send Frames Rules"},
    {44, u"Set the NMEA 2000 Receive Frames Rules"},
    {45, u"Set the NMEA 2000 Send Frames Rules"},
    {46, u"Set SDO Server"},
    {47, u"Set the CANopen SDO Server Rules"},
    {48, u"Set SDO Client"},
    {49, u"Set the CANopen SDO Client Rules"},
    {50, u"Set PDO Access"},
    {51, u"Set the CANopen PDO Access Rules"},
    {52, u"EDS File"},
    {53, u"Create the CANopen EDS for Actual Configuration"},
    {54, u"DeviceNet Network"},
    {55, u"Set the List of DeviceNet Slaves Connected to Converter"},
    {56, u"Define Offset"},
    {57, u"Set the Bytes from LoRaWAN to DeviceNEt and back"},
    {58, u"DMX Default Value"},
    {59, u"Set the Default Values for the DMX Channels"},
    {60, u"EtherNet/IP Access"},
    {61, u"Set the Network of EtherNet/IP Slave"},
    {62, u"PROFIBUS GSD"},
    {63, u"Create the GSD File for PROFIBUS"},
    {64, u"PROFINET XML"},
    {65, u"Create the GSDML File for PROFINET"},
    {66, u"IEC 61850 Client"},
    {67, u"Set the Roles for IEC 61850 Client"},
    {68, u"IEC61850 Access"},
    {69, u"Set the List of Variables for IEC61850"},
    {70, u"TLS Known Certificates"},
    {71, u"Set the List of TLS Certificate accepted from IEC61850 Server"},
    {72, u"MQTT Set Topic"},
    {73, u"Set the Topics for MQTT"},
    {74, u"OPC UA Client Access"},
    {75, u"Set the List of OPC UA Variables"},
    {76, u"OPC UA Access"},
    {77, u"Set the List of OPC UA Variables"},
    {78, u"S7comm Access"},
    {79, u"Set the List of S7comm Access"},
    {80, u"SNMP Manager"},
    {81, u"Set the SNMP Manager Access Rules"},
    {82, u"Set SNMP Access"},
    {83, u"Set the SNMP Agent Access Rules"},
    {84, u"SNMP MIB"},
    {85, u"Create the SNMP MIB for Actual Configuration"},

    // ---- 100-110: new configuration dialog TFNew_Project
    {100, u"Create New Configuration"},
    {101, u"Create New Configuration"},
    {102, u"Name of the new Configuration"},
    {103, u"OK"},
    {104, u"Cancel"},
    {105, u"Error! Name project is not valid"},
    {106, u"Error! Name project is not valid because directory already exists"},
    {107, u"Error! Name Project is not valid"},
    {108, u"Insert here the name of new configuration"},
    {109, u"Confirm the Name of new Configuration"},
    {110, u"Cancel the New Configuration"},

    // ---- 200-207: open configuration dialog TFOpenConf
    {200, u"Open Configuration"},
    {201, u"Open an Existing Configuration"},
    {202, u"List of Avaliable Configurations"},
    {203, u"OK"},
    {204, u"Cancel"},
    {205, u"Select from this list the configuration to open"},
    {206, u"Open the Selected Configuration"},
    {207, u"Cancel open of Configuration"},

    // ---- 300-321: options dialog TFSoftOptions

    // ---- 400-979: general parameters window TFParGen, first block

    // ---- 1000-1037: device update dialog TFBoot

    // ---- 1100-1105: shared: row paste (1100-1102), GSD writer (1103-1104), MIB writer (1105)
    {1100, u"Row Already used. Do you want to overwrite the values?"},
    {1101, u"Error in the Copy values!!! Copy a valid row before Paste it"},
    {1102, u"Error!!! Copy a valid row before Paste it"},
    {1103, u"File already exists! Do you want to overwrite the file?"},
    {1104, u"Error! Please set the Set Communication Parameter before to create the GSD file"},
    {1105, u"File already exists. Do you want to overwrite?"},

    // ---- 1200-1255: LoRaWAN rule tables TFLoRa_Set_Access

    // ---- 1300-1399: BACnet client request tables TFBACnetAccess

    // ---- 1400-1421: EDE file import TFImportEDEFile

    // ---- 1500-1560: BACnet server object tables TFBACnetSlaveSetAccess

    // ---- 1600-1608: engineering-unit picker TFBACnet_Eng_Unit

    // ---- 1700-1906: M-Bus network editor TFMeter_Bus

    // ---- 2000-2018: new node ID dialog TFNewIDNode

    // ---- 2100-2142: scan and decode window TFScanDecode

    // ---- 2200-2206: TFScanModbusStart

    // ---- 2300-2304: TFInsertKeyWireless

    // ---- 2400-2410: TFModbusStartAdd_SD

    // ---- 2500-2935: general parameters window TFParGen, second block
    {2592, u""},

    // ---- 3000-3093: TFSetAccess

    // ---- 3100-3203: TFModbus_TCP_Master_Set_Access

    // ---- 3300-3359: TFReceiveCAN

    // ---- 3400-3463: TFTransmitCAN

    // ---- 3500-3591: TFSet_PDO_Access

    // ---- 3600-3679: TFSet_SDO_Client_Access

    // ---- 3700-3765: TFSet_SDO_Server_Access

    // ---- 3800-3827: TFDNet

    // ---- 3900-3925: TFDefOffset

    // ---- 4000-4012: TFDMXDefVal

    // ---- 4100-4176: TFEtherNetIP_Master_Access

    // ---- 4200-4215: TFEtherNEtIP_EDS

    // ---- 4300-4347: TFReceiveJ1939

    // ---- 4400-4443: TFTransmitJ1939

    // ---- 4500-4566: TFKNXAccess

    // ---- 4600-4643: TFReceiveNMEA

    // ---- 4700-4742: TFTransmitNMEA

    // ---- 4800-4808: TFProfinetFileName, and the GSDML writer's overwrite question (4808)

    // ---- 4900-4967: TFIEC_61850_Access

    // ---- 5000-5045: TFIEC61850_Variables

    // ---- 5100-5121: TFTLS_Server_Known_Cert

    // ---- 5200-5298: TFMQTT_Set_Topic

    // ---- 5300-5374: TFTopicTemplate

    // ---- 5400-5536: TFOPC_UA_Client_Access

    // ---- 5600-5632: TFOPC_UA_Add_Server

    // ---- 5700-5731: TFOPC_UA_Scan_Server

    // ---- 5800-5830: TFOPC_UA_Server_Access

    // ---- 5900-6024: TFS7_Protocol_Set_Access

    // ---- 6100-6189: TFSNMPManagerAccess

    // ---- 6200-6286: TFSNMP_Trap_Access

    // ---- 6300-6315: TFEtherNetIP_Data_Seg
};

const std::size_t Builtin_Texts_Count = sizeof(Builtin_Texts) / sizeof(Builtin_Texts[0]);
