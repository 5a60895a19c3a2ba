// The compile sequence, the working images and the writing of the bank files.

#include "image/USaveBincc.h"
#include "image/USaveBinccText.h"
#include "image/USaveBinccValues.h"

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

Integer Value_Int(const TNamed_Values& values, const char* name, Integer def)
{
    QString text;
    return values.Value(name, text) ? Bin_Int(text, def) : def;
}

bool Row_Selected(const TNamed_Values& row)
{
    // A row without Enable is ticked, as the tables load it.
    QString text;
    return !row.Value("Enable", text) || Bin_Trim_Upper(text) == QLatin1String("Y");
}
