#pragma once
// Code tables between the texts shown in the OPC UA tables and the codes
// those windows store or hand to the browse library, and the per-build
// constants of the M-Bus scan.

#include "platform/Types.h"

#include <QString>

struct opcua_structure;

// Node-id type: 0 "Numeric", 3 "String", 4 "Guid", 5 "ByteString"; any other
// code gives the empty text. Names are compared upper-cased; an unknown name
// gives 0.
QString OPC_UA_Id_Type_Name(Integer code);
Byte OPC_UA_Id_Type_Code(const QString& name);

// The node's identifier as text, by its identifier type (empty for an
// unknown type).
QString OPC_UA_Id_Text(const opcua_structure& variable);

// Data type: 0 "Boolean" to 14 "ByteString"; any other code the empty text.
QString OPC_UA_Data_Type_Name(Integer code);

// Authentication: 0 "Anonymous", 1 "Username and Password", else "Certificate".
QString OPC_UA_Auth_Name(Integer code);
Byte OPC_UA_Auth_Code(const QString& name);

// Security mode: 0 "None", 1 "Sign", else "Sign and Encrypt".
QString OPC_UA_Security_Mode_Name(Integer code);
Byte OPC_UA_Security_Mode_Code(const QString& name);

// Security policy: 0 "None" to 4 "AES 128 SHA 256 RSA OAEP", else
// "AES 256 SHA 256 RSA PSS".
QString OPC_UA_Security_Policy_Name(Integer code);
Byte OPC_UA_Security_Policy_Code(const QString& name);

// The BACnet engineering unit stored for a scanned M-Bus variable: always 95,
// "no-units".
Integer Get_BACnet_Eng_Unit(Integer type_data, Integer Type_Data_Vife);
// The device code the scan window's XML writing keys on: 12, the BACnet
// models' code, under which every record carries its engineering unit.
Integer Get_Scan_Device_Code();
// The kind of scan window the main window asks for: 0, wired scanning.
Integer Get_Scan_Form_Type();
