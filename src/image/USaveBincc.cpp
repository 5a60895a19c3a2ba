// The compile sequence, the working images and the writing of the bank files.

#include "image/USaveBincc.h"
#include "image/USaveBinccText.h"
#include "image/USaveBinccValues.h"
#include "image/USaveBinccBytes.h"
#include "image/USaveBinccFile.h"
#include "platform/FileSystem.h"
#include "shell/UComon.h"

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
    return values.Value(name, text) ? Text_To_Int(text, def) : def;
}

bool Row_Selected(const TNamed_Values& row)
{
    // A row without Enable is ticked, as the tables load it.
    QString text;
    return !row.Value("Enable", text) || Trim_Upper(text) == QLatin1String("Y");
}

QString Missing_Table_Message(const QString& path, const char* table)
{
    return QStringLiteral("Error! The file %1 has no element %2").arg(path, QLatin1String(table));
}

TBin_Result Compile_Configuration()
{
    // Nothing of an earlier compile may be written should this one fail.
    Bank1_Length = 0;
    Bank2_Length = 0;

    Clear_Param_Block();
    Clear_LoRaWAN_Block();
    Clear_BACnet_Table();

    TBin_Result result = Read_ParGen_To_Block();
    if (!result.Ok)
        return result;
    Put_U32(Param_Block, PB_LoRaWAN_Area_Address, Bank2_Base_Address);
    Put_U32(Param_Block, PB_BACnet_Area_Address, BACnet_Area_Address);

    result = Read_LoRaWAN_Access(Bank2_Base_Address);
    if (!result.Ok)
        return result;
    Integer requests = 0;
    result = Read_BACnet_Master_Access(requests);
    if (!result.Ok)
        return result;
    Put_U32(Param_Block, PB_BACnet_Request_Count, LongWord(requests));

    Bank1_Length = Store_Param_Block(Bank1_Buffer, 0);
    Bank2_Length = Store_BACnet_Table(Bank2_Buffer, Store_LoRaWAN_Bank(Bank2_Buffer, 0));
    return TBin_Result::Success();
}

TBin_Result Write_Bank_Files()
{
    if (Bank1_Length != Bank1_Size || Bank2_Length != Bank2_Size)
        return TBin_Result::Failure(QStringLiteral("Error! The configuration has not been compiled."));
    const QString bin = Project_Folder + PathDelim + QStringLiteral("bin") + PathDelim;
    // The two banks belong together: both are written beside their files and
    // renamed over them only when both are whole, so that a bank that cannot
    // be written leaves the old pair as it was.
    const std::vector<TFileContent> banks = {
        {bin + QStringLiteral("bank1.bin"), QByteArray(reinterpret_cast<const char*>(Bank1_Buffer), Bank1_Length)},
        {bin + QStringLiteral("bank2.bin"), QByteArray(reinterpret_cast<const char*>(Bank2_Buffer), Bank2_Length)},
    };
    QString error;
    if (!WriteWholeFiles(banks, &error))
        return TBin_Result::Failure(error);
    return TBin_Result::Success();
}

TBin_Result Create_Bin()
{
    return Compile_Configuration();
}

TBin_Result Save_Bin()
{
    return Write_Bank_Files();
}
