#pragma once
// The configuration compiler: turns the open configuration's ParGen.xml,
// LoRaWAN_SetAccess.xml and BACnet_Master_Access.xml into the two banks the
// converter loads, bank1.bin (the 2048-byte parameter block with its
// checksum) and bank2.bin (the 57344-byte LoRaWAN and BACnet request area),
// and writes them into the configuration's bin folder.
//
// The working images are unit-level state: every compile clears them first,
// so the banks depend only on the three files. The serialisers write every
// field byte by byte, little-endian unless a field says otherwise, so the
// bank files do not depend on the host or on the records' memory layout.

#include <QString>

#include "platform/Types.h"

// What a compile or write step reports: Ok, or the text of the error box the
// caller shows.
struct TBin_Result {
    bool Ok = true;
    QString Message;

    static TBin_Result Success() { return {}; }
    static TBin_Result Failure(const QString& message) { return {false, message}; }
};

// ---- Sizes and converter memory addresses ---------------------------------

inline constexpr Integer Param_Block_Size = 2048;
inline constexpr Integer Param_Checksum_Offset = 2044;
inline constexpr Integer LoRaWAN_Head_Size = 88;
inline constexpr Integer LoRaWAN_Entry_Size = 12;
inline constexpr Integer LoRaWAN_Table_Entries = 256;
inline constexpr Integer LoRaWAN_Area_Size = 8192;
inline constexpr Integer BACnet_Entry_Size = 48;
inline constexpr Integer BACnet_Table_Entries = 1024;
inline constexpr Integer BACnet_Area_Size = BACnet_Entry_Size * BACnet_Table_Entries;
inline constexpr Integer Bank1_Size = Param_Block_Size;
inline constexpr Integer Bank2_Size = LoRaWAN_Area_Size + BACnet_Area_Size;
inline constexpr Integer Bank_Buffer_Size = 131072;

// Where bank 2 and its areas lie in the converter's memory.
inline constexpr LongWord Bank2_Base_Address = 0x80000;
inline constexpr LongWord BACnet_Area_Address = 0x82000;
inline constexpr LongWord Uplink_Table_Offset = 0x400;
inline constexpr LongWord Downlink_Table_Offset = 0x1000;

// Parameter block offsets set by the compile sequence itself.
inline constexpr Integer PB_BACnet_Area_Address = 252;
inline constexpr Integer PB_BACnet_Request_Count = 260;
inline constexpr Integer PB_LoRaWAN_Area_Address = 1628;

// ---- Records --------------------------------------------------------------

// Head of the LoRaWAN area (88 bytes in the bank). The keys are byte strings
// in the order of their hexadecimal text.
struct LoRaWAN_Head_Record {
    Byte RF_Band = 0;               // 0
    Byte Network_Type = 0;          // 1: 0 private, 1 public
    Byte Activation_Method = 0;     // 2: 0 ABP, 1 OTAA
    Byte Data_Rate = 0;             // 3
    Byte Device_Address[4] = {};    // 4
    Byte JoinEUI[8] = {};           // 8
    Byte Network_Session_Key[16] = {};      // 16
    Byte Application_Session_Key[16] = {};  // 32
    Byte Application_Key[16] = {};  // 48
    Byte Adaptive_Data_Rate = 0;    // 64
    Byte Transmission_Type = 0;     // 65: 0 unconfirmed, 1 confirmed
    Byte Payload_Size = 0;          // 66
    Byte Port_Mode = 0;             // 67: 1 variable, 0 fixed
    LongWord Transmit_Interval = 0; // 68
    LongWord Uplink_Table_Address = 0;   // 72
    LongWord Downlink_Table_Address = 0; // 76
    Word Uplink_Count = 0;          // 80
    Word Downlink_Count = 0;        // 82
    Byte Frequency_SubBand = 0;     // 84
    Byte LNCHECK = 0;               // 85
};

// One LoRaWAN uplink or downlink rule (12 bytes in the bank).
struct LoRaWAN_Entry {
    Word Start_Byte = 0;            // 0
    Word Num_Byte = 0;              // 2
    Byte Conditions = 0;            // 4: 1 on change, 2 on command, 4 on timer
    Byte Port = 0;                  // 5
    LongWord Time = 0;              // 8
};

// One BACnet read or write request (48 bytes in the bank).
struct BACnet_Request_Entry {
    Byte Device_Address[8] = {};    // 0
    Byte Service = 0;               // 8: 12 read, 15 write
    Byte Data_Type = 0;             // 9
    Byte Priority = 0;              // 10
    Byte Num_Byte = 0;              // 11
    Byte Request_Flags = 0;         // 12: 2 IP, 4 MS/TP, 8 link type 2, 0x10 on change
    Byte Start_Bit = 0;             // 13
    Byte Value_Flags = 0;           // 14: 1 swap, 2 destination, 4 conversion
    Word Property = 0;              // 16
    Word Object_Type = 0;           // 18
    Word Max_Error = 0;             // 20
    Word Position = 0;              // 22
    LongWord Poll_Time = 0;         // 24
    LongWord Instance = 0;          // 28
    Word Destination_Network = 0;   // 32
    Byte Destination_Length = 0;    // 34
    Byte Destination_Address[8] = {}; // 35
    float Factor = 0.0f;            // 44
};

// ---- Working images (live as long as the program) --------------------------

extern Byte Param_Block[Param_Block_Size];
extern LoRaWAN_Head_Record LoRaWAN_Head;
extern LoRaWAN_Entry LoRaWAN_Uplink_Table[LoRaWAN_Table_Entries];
extern LoRaWAN_Entry LoRaWAN_Downlink_Table[LoRaWAN_Table_Entries];
extern BACnet_Request_Entry BACnet_Request_Table[BACnet_Table_Entries];
extern Integer Master_Type_Code;
extern Byte Bank1_Buffer[Bank_Buffer_Size];
extern Byte Bank2_Buffer[Bank_Buffer_Size];
extern Integer Bank1_Length;
extern Integer Bank2_Length;

// ---- Step 5 entry points ---------------------------------------------------

// Compiles the open configuration's three files into the bank buffers.
TBin_Result Create_Bin();
// Writes the buffers of the last compile as bin/bank1.bin and bin/bank2.bin.
TBin_Result Save_Bin();

TBin_Result Compile_Configuration();
TBin_Result Write_Bank_Files();

// ---- Parameter block (bank 1) ---------------------------------------------

void Clear_Param_Block();
TBin_Result Read_ParGen_To_Block();
// Closes the block with its checksum and appends it; returns the position after it.
Integer Store_Param_Block(Byte* buffer, Integer position);
// Sum of bytes 0..2043 of a parameter block, modulo 2^32.
LongWord Param_Block_Checksum(const Byte* block);

Byte RF_Band_Code(const QString& text);
Byte Network_Type_Code(const QString& text);
Byte Activation_Code(const QString& text);
Byte Transmission_Type_Code(const QString& text);
LongWord Baud_Rate_Of_Index(Integer index);
QString Pad_Hex_Text(const QString& text, Integer n);
// Pairs of hexadecimal digits into consecutive bytes, first pair first; never
// writes more than size bytes.
void Hex_Text_To_Bytes(const QString& text, Byte* destination, Integer size);
void Set_SW_Version_Bytes();

// ---- LoRaWAN area (bank 2, first 8192 bytes) ------------------------------

void Clear_LoRaWAN_Block();
TBin_Result Read_LoRaWAN_Access(LongWord base_address);
Integer Store_LoRaWAN_Bank(Byte* buffer, Integer position);

// ---- BACnet request area (bank 2, from offset 8192) ------------------------

void Clear_BACnet_Table();
// Fills the request table; count receives the number of entries filled.
TBin_Result Read_BACnet_Master_Access(Integer& count);
Integer Store_BACnet_Table(Byte* buffer, Integer position);

LongWord IP_Or_ID_Value(const QString& text, Integer master_type);
Word Property_Code(const QString& text);
Word Object_Type_Code(const QString& text);
Byte BACnet_Data_Type_Code(const QString& text);
// Destination length and address bytes of a request from the two cell texts.
void Set_BACnet_Destination(BACnet_Request_Entry& entry, const QString& length_text,
                            const QString& address_text);
