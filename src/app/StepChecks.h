#pragma once
// What step 5 reads of the open configuration before it compiles: the
// payload check of the LoRaWAN uplink rules and the BACnet side type. Both
// load their files into the document they are lent (the main window's) and
// rely on nothing it held before.

#include "platform/Types.h"

class TXMLDocument;

// True when every enabled uplink rule of LoRaWAN_SetAccess_File has a Num.
// Byte from 0 to the payload size of ParGen_File minus 2 (payload 0 without
// that file). No rules file, or one without an uplink table, passes. A file
// that exists but cannot be read throws std::runtime_error with the reader's
// message.
bool Check_Config_LoraWAN(TXMLDocument& XML1);

// BACnet_Master_Type of ParGen_File (0 BACnet/IP, 1 MS/TP); 0 without the
// file, the element or a number in it. Throws like Check_Config_LoraWAN.
Integer Get_Type_BACnet(TXMLDocument& XML1);
