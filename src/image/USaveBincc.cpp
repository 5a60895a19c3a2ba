// The compile sequence, the working images and the writing of the bank files.

#include "image/USaveBincc.h"

Byte Param_Block[Param_Block_Size];
LoRaWAN_Head_Record LoRaWAN_Head;
LoRaWAN_Entry LoRaWAN_Uplink_Table[LoRaWAN_Table_Entries];
LoRaWAN_Entry LoRaWAN_Downlink_Table[LoRaWAN_Table_Entries];
BACnet_Request_Entry BACnet_Request_Table[BACnet_Table_Entries];
Integer Master_Type_Code = 0;
Byte Bank1_Buffer[Bank_Buffer_Size];
Byte Bank2_Buffer[Bank_Buffer_Size];
Integer Bank1_Length = 0;
Integer Bank2_Length = 0;
