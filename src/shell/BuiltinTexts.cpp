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
    {300, u"Software Options"},
    {301, u"Software Options"},
    {302, u"Language"},
    {303, u"Connection Options"},
    {304, u"Selected Language : "},
    {305, u"Page "},
    {306, u" / "},
    {307, u"Previous"},
    {308, u"Next"},
    {309, u"Enable Internet Connection"},
    {310, u"Check Software Update at Start of Program"},
    {311, u"Check Available Update"},
    {312, u"OK"},
    {313, u"Cancel"},
    {314, u"New Version Available. Click Here for more Details"},
    {315, u"No Update Available"},
    {316, u"Do you want to change the Language from "},
    {317, u" to "},
    {318, u"?"},
    {319, u"Software Settings"},
    {320, u"Jump into next field in the tables by pressing the Enter Key"},
    {321, u"Enable Auto Size of Table Columns by Double Click"},

    // ---- 400-979: general parameters window TFParGen, first block
    {400, u"Set Communication"},
    {401, u"Set Communication Setting"},
    {402, u"OK"},
    {403, u"Cancel"},
    {404, u"Confirm and Save the current configuration"},
    {405, u"Exit and Discard the current configuration"},
    {406, u"LoRaWAN"},
    {407, u"RF Band"},
    {408, u"Select the RF band of the LoRaWAN network"},
    {409, u"Network Type"},
    {410, u"Select the type of the LoRaWAN network (Private or Public)"},
    {411, u"Activation Method"},
    {412, u"Select how the device joins the LoRaWAN network"},
    {413, u"Device Address"},
    {414, u"Device Address (DevAddr): 4 bytes in hexadecimal"},
    {415, u"JoinEUI"},
    {416, u"JoinEUI: 8 bytes in hexadecimal"},
    {417, u"Network Session Key"},
    {418, u"Network Session Key (NwkSKey): 16 bytes in hexadecimal"},
    {419, u"Application Session Key"},
    {420, u"Application Session Key (AppSKey): 16 bytes in hexadecimal"},
    {421, u"Application Key"},
    {422, u"Application Key (AppKey): 16 bytes in hexadecimal"},
    {423, u"Modbus Slave"},
    {436, u"Ethernet"},
    {437, u"IP Address"},
    {438, u"IP Address (Byte 1)"},
    {439, u"IP Address (Byte 2)"},
    {440, u"IP Address (Byte 3)"},
    {441, u"IP Address (Byte 4)"},
    {442, u"SubNet Mask"},
    {443, u"SubNet Mask (Byte 1)"},
    {444, u"SubNet Mask (Byte 2)"},
    {445, u"SubNet Mask (Byte 3)"},
    {446, u"SubNet Mask (Byte 4)"},
    {447, u"Gateway"},
    {448, u"Enable the default gateway"},
    {449, u"Gateway IP (Byte 1)"},
    {450, u"Gateway IP (Byte 2)"},
    {451, u"Gateway IP (Byte 3)"},
    {452, u"Gateway IP (Byte 4)"},
    {459, u"TCP Port"},
    {460, u"TCP port of the converter"},
    {461, u"UDP Port"},
    {462, u"UDP port of the converter"},
    {465, u"Error Ethernet!! IP Address 1 must be between 0 and 255"},
    {466, u"Error Ethernet!! IP Address 2 must be between 0 and 255"},
    {467, u"Error Ethernet!! IP Address 3 must be between 0 and 255"},
    {468, u"Error Ethernet!! IP Address 4 must be between 0 and 255"},
    {469, u"Error Ethernet!! SubNet Mask 1 must be between 0 and 255"},
    {470, u"Error Ethernet!! SubNet Mask 2 must be between 0 and 255"},
    {471, u"Error Ethernet!! SubNet Mask 3 must be between 0 and 255"},
    {472, u"Error Ethernet!! SubNet Mask 4 must be between 0 and 255"},
    {473, u"Error Ethernet!! GATEWAY IP 1 must be between 0 and 255"},
    {474, u"Error Ethernet!! GATEWAY IP 2 must be between 0 and 255"},
    {475, u"Error Ethernet!! GATEWAY IP 3 must be between 0 and 255"},
    {476, u"Error Ethernet!! GATEWAY IP 4 must be between 0 and 255"},
    {483, u"Adaptive DataRate"},
    {484, u"Enable the Adaptive Data Rate (ADR)"},
    {485, u"DataRate"},
    {486, u"Select the data rate of the uplink messages"},
    {487, u"Transmission Type"},
    {488, u"Select whether the uplink messages are confirmed"},
    {489, u"Max Payload Size (Byte)"},
    {490, u"Largest payload that the RF band and the data rate allow"},
    {491, u"Port Field"},
    {492, u"Select whether the port field (FPort) is fixed or variable"},
    {493, u"Error LoRa!! RF Band cannot be empty"},
    {494, u"Error LoRa!! Network Type cannot be empty"},
    {495, u"Error LoRa!! DataRate cannot be empty"},
    {496, u"Error LoRa!! Transmission Type cannot be empty"},
    {497, u"Error LoRa!! Payload Size must be between 1 and %d"},
    {499, u"Error LoRa!! Activation Method cannot be empty"},
    {500, u"Error LoRa!! Device Address must have 4 bytes"},
    {501, u"Error LoRa!! JoinEUI must have 8 bytes"},
    {502, u"Error LoRa!! Network Session Key must have 16 bytes"},
    {503, u"Error LoRa!! Application Session Key must have 16 bytes"},
    {504, u"Error LoRa!! Application Key must have 16 bytes"},
    {505, u"BACnet Master"},
    {506, u"BACnet Type"},
    {507, u"Select the BACnet side: BACnet/IP or BACnet MS/TP"},
    {508, u"IP Address"},
    {509, u"IP Address (Byte 1)"},
    {510, u"IP Address (Byte 2)"},
    {511, u"IP Address (Byte 3)"},
    {512, u"IP Address (Byte 4)"},
    {513, u"SubNet Mask"},
    {514, u"SubNet Mask (Byte 1)"},
    {515, u"SubNet Mask (Byte 2)"},
    {516, u"SubNet Mask (Byte 3)"},
    {517, u"SubNet Mask (Byte 4)"},
    {518, u"Gateway"},
    {519, u"Enable the default gateway"},
    {520, u"Gateway IP (Byte 1)"},
    {521, u"Gateway IP (Byte 2)"},
    {522, u"Gateway IP (Byte 3)"},
    {523, u"Gateway IP (Byte 4)"},
    {524, u"Port"},
    {525, u"UDP port of BACnet/IP"},
    {526, u"Device Name"},
    {527, u"BACnet device name: letters and digits only"},
    {528, u"Device Identifier"},
    {529, u"BACnet device instance (0 - 4194303)"},
    {530, u"TimeOut Polling (ms)"},
    {531, u"Time the converter waits for the answer to a request, in milliseconds"},
    {532, u"Baudrate"},
    {533, u"Baud rate of the MS/TP line"},
    {534, u"Parity"},
    {535, u"Parity of the MS/TP line"},
    {536, u"Device Name"},
    {537, u"BACnet device name: letters and digits only"},
    {538, u"MAC Address"},
    {539, u"MS/TP MAC address of the converter (0 - 127)"},
    {540, u"Max Master"},
    {541, u"Highest MAC address of a master on the MS/TP line (1 - 127)"},
    {542, u"Max Info Frames"},
    {543, u"Frames sent before the token is passed on (1 - 100)"},
    {544, u"Device Instance"},
    {545, u"BACnet device instance (0 - 4194303)"},
    {546, u"BACnet Slave"},
    {589, u"Error BACnet!! IP Address 1 must be between 0 and 255"},
    {590, u"Error BACnet!! IP Address 2 must be between 0 and 255"},
    {591, u"Error BACnet!! IP Address 3 must be between 0 and 255"},
    {592, u"Error BACnet!! IP Address 4 must be between 0 and 255"},
    {593, u"Error BACnet!! SubNet Mask 1 must be between 0 and 255"},
    {594, u"Error BACnet!! SubNet Mask 2 must be between 0 and 255"},
    {595, u"Error BACnet!! SubNet Mask 3 must be between 0 and 255"},
    {596, u"Error BACnet!! SubNet Mask 4 must be between 0 and 255"},
    {597, u"Error BACnet!! Gateway IP 1 must be between 0 and 255"},
    {598, u"Error BACnet!! Gateway IP 2 must be between 0 and 255"},
    {599, u"Error BACnet!! Gateway IP 3 must be between 0 and 255"},
    {600, u"Error BACnet!! Gateway IP 4 must be between 0 and 255"},
    {601, u"Error BACnet!! PORT must be between 0 and 65535 and different from 10000"},
    {602, u"Error BACnet!! Device Name must contain only letters and digits"},
    {603, u"Error BACnet!! Device Instance must be between 0 and 4194303"},
    {604, u"Error BACnet!! TimeOut Polling must be between 0 and 1000000000 ms"},
    {605, u"Error BACnet!! Device Name must contain only letters and digits"},
    {606, u"Error BACnet!! MAC Address must be between 0 and 127"},
    {607, u"Error BACnet!! Max Master must be between 1 and 127"},
    {608, u"Error BACnet!! Max Info Frames must be between 1 and 100"},
    {609, u"Error BACnet!! Device Instance must be between 0 and 4194303"},
    {631, u"M-Bus"},
    {633, u"Not Present"},
    {634, u"Present"},
    {644, u"M-Bus Wireless"},
    {646, u"Not Present"},
    {647, u"Present"},
    {658, u"Modbus Master"},
    {674, u"Modbus TCP Master"},
    {709, u"Modbus TCP Slave"},
    {741, u"Serial"},
    {751, u"CAN"},
    {754, u"CANopen"},
    {769, u"DeviceNet Master"},
    {775, u"DeviceNet Slave"},
    {787, u"DMX"},
    {793, u"EtherNet/IP Master"},
    {824, u"EtherNet/IP"},
    {866, u"J1939"},
    {877, u"KNX"},
    {883, u"NMEA 2000"},
    {891, u"PROFIBUS"},
    {903, u"PROFINET"},
    {947, u"IEC61850 Client"},

    // ---- 1000-1037: device update dialog TFBoot
    {1000, u"Update Device by Serial"},
    {1001, u"Update Device Using the Serial Port"},
    {1002, u"Update Device by Ethernet (UDP)"},
    {1003, u"Update Device Using the Ethernet Port"},
    {1004, u"Update Device by USB"},
    {1005, u"Update Device Using the USB Port"},
    {1006, u"Insert the IP Address of Device"},
    {1009, u"List of Devices Find in Network"},
    {1010, u"Search"},
    {1011, u"IP Address"},
    {1012, u"MAC Address"},
    {1013, u"Find all Velmora Devices"},
    {1014, u"Select Update Options"},
    {1015, u"Firmware + Configuration"},
    {1016, u"Firmware"},
    {1017, u"Configuration"},
    {1018, u"Read Back"},
    {1019, u"Cancel"},
    {1020, u"Execute Update Firmware"},
    {1021, u"Insert first byte of IP Address"},
    {1022, u"Insert second byte of IP Address"},
    {1023, u"Insert third byte of IP Address"},
    {1024, u"Insert fourth byte of IP Address"},
    {1026, u"Select the COM Port (USB) to use for the Update"},
    {1028, u"Update COM Ports (USB) List"},
    {1029, u"Serch Velmora Device in Network"},
    {1030, u"Select a device in the list"},
    {1031, u"Enable or disable the option to find all Velmora Devices"},
    {1032, u"Select the operation to do in update"},
    {1033, u"Enable or disable the possibility to read back the Firmware/Configuration"},
    {1034, u"Exit without to do the Update"},
    {1035, u"Start the update of Device"},
    {1036, u"Device Not Found!"},
    {1037, u"Error!!! Check the Ip Address"},

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
    {1600, u"Select the BACnet Engineering Unit"},
    {1601, u"Select the BACnet Engineering Unit"},
    {1602, u"OK"},
    {1603, u"Cancel"},
    {1604, u"Selected BACnet Engineering Unit"},
    {1605, u"Select a New BACnet Engineering Unit"},
    {1606, u"Select the Type"},
    {1607, u"Select Unit"},
    {1608, u"Select Engineering Unit"},

    // ---- 1700-1906: M-Bus network editor TFMeter_Bus

    // ---- 2000-2018: new node ID dialog TFNewIDNode

    // ---- 2100-2142: scan and decode window TFScanDecode

    // ---- 2200-2206: TFScanModbusStart

    // ---- 2300-2304: TFInsertKeyWireless

    // ---- 2400-2410: TFModbusStartAdd_SD

    // ---- 2500-2935: general parameters window TFParGen, second block
    {2500, u"IEC61850 Server"},
    {2544, u"TLS (Transport Layer Security) Server"},
    {2557, u"NTP (Network Time Protocol)"},
    {2563, u"MQTT"},
    {2590, u"Wi-Fi"},
    {2592, u""},
    {2593, u"Access Point"},
    {2594, u"Client Mode"},
    {2595, u"WiFi Direct"},
    {2630, u"Unsecured"},
    {2631, u"WPA"},
    {2632, u"WPA2"},
    {2633, u"WEP"},
    {2654, u"Auto Search"},
    {2655, u"1"},
    {2656, u"2"},
    {2657, u"3"},
    {2658, u"4"},
    {2659, u"5"},
    {2660, u"6"},
    {2661, u"7"},
    {2662, u"8"},
    {2663, u"9"},
    {2664, u"10"},
    {2665, u"11"},
    {2692, u"TLS (Transport Layer Security)"},
    {2707, u"OPC UA Client"},
    {2746, u"OPC UA Server"},
    {2784, u"S7comm"},
    {2813, u"SNMP Manager"},
    {2843, u"SNMP Agent"},
    {2904, u"Frequency Sub-Band"},
    {2905, u"Select the frequency sub-band of the network (1 - 8)"},
    {2906, u"Ethernet Connection"},
    {2907, u"Device Name"},
    {2908, u"Host name of the converter on the network"},
    {2909, u"Obtain an IP Address Automatically (DHCP for Cable Connection)"},
    {2910, u"The converter takes its IP address from a DHCP server on the cable"},
    {2911, u"Obtain an IP Address Automatically (DHCP for Wi-Fi Connection)"},
    {2912, u"The converter takes its IP address from a DHCP server on Wi-Fi"},
    {2913, u"Enable DNS"},
    {2914, u"Use the DNS servers below"},
    {2915, u"Primary DNS"},
    {2916, u"Primary DNS (Byte 1)"},
    {2917, u"Primary DNS (Byte 2)"},
    {2918, u"Primary DNS (Byte 3)"},
    {2919, u"Primary DNS (Byte 4)"},
    {2920, u"Secondary DNS"},
    {2921, u"Secondary DNS (Byte 1)"},
    {2922, u"Secondary DNS (Byte 2)"},
    {2923, u"Secondary DNS (Byte 3)"},
    {2924, u"Secondary DNS (Byte 4)"},
    {2925, u"Error Primary DNS!! DNS 1 must be between 0 and 255"},
    {2926, u"Error Primary DNS!! DNS 2 must be between 0 and 255"},
    {2927, u"Error Primary DNS!! DNS 3 must be between 0 and 255"},
    {2928, u"Error Primary DNS!! DNS 4 must be between 0 and 255"},
    {2929, u"Error Secondary DNS!! DNS 1 must be between 0 and 255"},
    {2930, u"Error Secondary DNS!! DNS 2 must be between 0 and 255"},
    {2931, u"Error Secondary DNS!! DNS 3 must be between 0 and 255"},
    {2932, u"Error Secondary DNS!! DNS 4 must be between 0 and 255"},
    {2933, u"LNCHECK every xx min"},
    {2934, u"Minutes between two link checks with the network (5 - 60)"},
    {2935, u"Error LoRa!! LNCHECK must be between 5 and 60 minutes"},

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
    {4800, u"PROFINET XML File Name"},
    {4801, u"Create the PROFINET XML GSD File"},
    {4802, u"Select the PROFINET XML File Name"},
    {4803, u"Fixed Part"},
    {4804, u"User Part"},
    {4805, u"Fixed Part"},
    {4806, u"OK"},
    {4807, u"Cancel"},
    {4808, u"File already exists! Do you want to overwrite the file?"},

    // ---- 4900-4967: TFIEC_61850_Access

    // ---- 5000-5045: TFIEC61850_Variables

    // ---- 5100-5121: TFTLS_Server_Known_Cert

    // ---- 5200-5298: TFMQTT_Set_Topic

    // ---- 5300-5374: TFTopicTemplate

    // ---- 5400-5536: TFOPC_UA_Client_Access
    {5497, u"Error in Server Number %d in Read Variable %d!! Time cannot be empty"},
    {5498, u"Error in Server Number %d in Read Variable %d!! Time must be major to 0"},
    {5499, u"Error in Server Number %d in Read Variable %d!! Position cannot be empty"},
    {5500, u"Error in Server Number %d in Read Variable %d!! Position must be between 0 and %d"},
    {5501, u"Error in Server Number %d in Write Variable %d!! Time cannot be empty"},
    {5502, u"Error in Server Number %d in Write Variable %d!! Time must be major to 0"},
    {5503, u"Error in Server Number %d in Write Variable %d!! Position cannot be empty"},
    {5504, u"Error in Server Number %d in Write Variable %d!! Position must be between 0 and %d"},

    // ---- 5600-5632: TFOPC_UA_Add_Server

    // ---- 5700-5731: TFOPC_UA_Scan_Server

    // ---- 5800-5830: TFOPC_UA_Server_Access

    // ---- 5900-6024: TFS7_Protocol_Set_Access

    // ---- 6100-6189: TFSNMPManagerAccess

    // ---- 6200-6286: TFSNMP_Trap_Access

    // ---- 6300-6315: TFEtherNetIP_Data_Seg
};

const std::size_t Builtin_Texts_Count = sizeof(Builtin_Texts) / sizeof(Builtin_Texts[0]);
