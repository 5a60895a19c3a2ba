// Bank 2, first area: the LoRaWAN head with the radio settings and the
// uplink and downlink rule tables.

#include "image/USaveBincc.h"
#include "image/USaveBinccBytes.h"
#include "image/USaveBinccFile.h"
#include "shell/UComon.h"
#include "image/USaveBinccText.h"
#include "image/USaveBinccValues.h"

void Clear_LoRaWAN_Block()
{
    LoRaWAN_Head = LoRaWAN_Head_Record{};
    LoRaWAN_Head.Data_Rate = 6;
    LoRaWAN_Head.Payload_Size = 1;
    LoRaWAN_Head.Transmit_Interval = 1;
    LoRaWAN_Head.LNCHECK = 5;
    for (Integer i = 0; i < LoRaWAN_Table_Entries; ++i) {
        LoRaWAN_Uplink_Table[i] = LoRaWAN_Entry{};
        LoRaWAN_Downlink_Table[i] = LoRaWAN_Entry{};
    }
}

namespace {

Integer Store_Head(Byte* b, Integer p)
{
    const LoRaWAN_Head_Record& h = LoRaWAN_Head;
    p = Put_U8(b, p, h.RF_Band);
    p = Put_U8(b, p, h.Network_Type);
    p = Put_U8(b, p, h.Activation_Method);
    p = Put_U8(b, p, h.Data_Rate);
    p = Put_Bytes(b, p, h.Device_Address, 4);
    p = Put_Bytes(b, p, h.JoinEUI, 8);
    p = Put_Bytes(b, p, h.Network_Session_Key, 16);
    p = Put_Bytes(b, p, h.Application_Session_Key, 16);
    p = Put_Bytes(b, p, h.Application_Key, 16);
    p = Put_U8(b, p, h.Adaptive_Data_Rate);
    p = Put_U8(b, p, h.Transmission_Type);
    p = Put_U8(b, p, h.Payload_Size);
    p = Put_U8(b, p, h.Port_Mode);
    p = Put_U32(b, p, h.Transmit_Interval);
    p = Put_U32(b, p, h.Uplink_Table_Address);
    p = Put_U32(b, p, h.Downlink_Table_Address);
    p = Put_U16(b, p, h.Uplink_Count);
    p = Put_U16(b, p, h.Downlink_Count);
    p = Put_U8(b, p, h.Frequency_SubBand);
    p = Put_U8(b, p, h.LNCHECK);
    return Put_Zeros(b, p, 2);
}

Integer Store_Entry(Byte* b, Integer p, const LoRaWAN_Entry& e)
{
    p = Put_U16(b, p, e.Start_Byte);
    p = Put_U16(b, p, e.Num_Byte);
    p = Put_U8(b, p, e.Conditions);
    p = Put_U8(b, p, e.Port);
    p = Put_Zeros(b, p, 2);
    return Put_U32(b, p, e.Time);
}

} // namespace

Integer Store_LoRaWAN_Bank(Byte* buffer, Integer position)
{
    Integer p = Store_Head(buffer, position);
    p = Put_Zeros(buffer, p, 1024 - LoRaWAN_Head_Size);
    for (const LoRaWAN_Entry& e : LoRaWAN_Uplink_Table)
        p = Store_Entry(buffer, p, e);
    for (const LoRaWAN_Entry& e : LoRaWAN_Downlink_Table)
        p = Store_Entry(buffer, p, e);
    return Put_Zeros(buffer, p, position + LoRaWAN_Area_Size - p);
}

namespace {

// A send condition counts when its text, upper-cased but not trimmed, is "Y".
bool Row_Flag(const TNamed_Values& row, const char* name)
{
    QString text;
    return row.Value(name, text) && UpperCase(text) == QLatin1String("Y");
}

Byte Row_Port(const TNamed_Values& row, bool variable_port)
{
    return variable_port ? Byte(Value_Int(row, "FPort", 2)) : 2;
}

} // namespace

void Fill_Uplink_Entry(LoRaWAN_Entry& entry, const TNamed_Values& row, bool variable_port)
{
    entry = LoRaWAN_Entry{};
    entry.Start_Byte = Word(Value_Int(row, "StartByte", 0));
    entry.Num_Byte = Word(Value_Int(row, "NumByte", 0));
    if (Row_Flag(row, "OnChange"))
        entry.Conditions |= 1;
    if (Row_Flag(row, "OnCMD"))
        entry.Conditions |= 2;
    if (Row_Flag(row, "OnTimer"))
        entry.Conditions |= 4;
    entry.Time = LongWord(Value_Int(row, "Time", 30));
    entry.Port = Row_Port(row, variable_port);
}

void Fill_Downlink_Entry(LoRaWAN_Entry& entry, const TNamed_Values& row, bool variable_port)
{
    entry = LoRaWAN_Entry{};
    entry.Start_Byte = Word(Value_Int(row, "StartByte", 0));
    entry.Num_Byte = Word(Value_Int(row, "NumByte", 0));
    entry.Port = Row_Port(row, variable_port);
}

namespace {

// Fills the selected rows of one table from entry 0, without gaps; rows
// beyond the table's 256 entries are dropped.
bool Read_Table(const TConfig_File& file, const char* name, LoRaWAN_Entry* table, Word& count,
                void (*fill)(LoRaWAN_Entry&, const TNamed_Values&, bool))
{
    const bool variable_port = LoRaWAN_Head.Port_Mode == 1;
    return file.Visit_Table(name, [&](const TNamed_Values& row) {
        if (Row_Selected(row) && count < LoRaWAN_Table_Entries)
            fill(table[count++], row, variable_port);
    });
}

} // namespace

TBin_Result Read_LoRaWAN_Access(LongWord base_address)
{
    LoRaWAN_Head.Uplink_Table_Address = base_address + Uplink_Table_Offset;
    LoRaWAN_Head.Uplink_Count = 0;
    LoRaWAN_Head.Downlink_Table_Address = base_address + Downlink_Table_Offset;
    LoRaWAN_Head.Downlink_Count = 0;
    if (!TConfig_File::Exists(LoRaWAN_SetAccess_File))
        return TBin_Result::Success();

    TConfig_File file;
    QString error;
    if (!file.Load(LoRaWAN_SetAccess_File, error))
        return TBin_Result::Failure(error);
    if (!Read_Table(file, "LoRaWAN_Uplink", LoRaWAN_Uplink_Table, LoRaWAN_Head.Uplink_Count, Fill_Uplink_Entry))
        return TBin_Result::Failure(Missing_Table_Message(LoRaWAN_SetAccess_File, "LoRaWAN_Uplink"));
    if (!Read_Table(file, "LoRaWAN_Downlink", LoRaWAN_Downlink_Table, LoRaWAN_Head.Downlink_Count,
                    Fill_Downlink_Entry))
        return TBin_Result::Failure(Missing_Table_Message(LoRaWAN_SetAccess_File, "LoRaWAN_Downlink"));
    return TBin_Result::Success();
}
