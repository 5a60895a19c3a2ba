// Bank 1: the parameter block, its cleared values, its reading from
// ParGen.xml and its checksum.

#include "image/USaveBincc.h"
#include "image/USaveBinccBytes.h"

namespace {

void Put_IPv4(Integer offset, int a, int b, int c, int d)
{
    Put_U8(Param_Block, offset, unsigned(a));
    Put_U8(Param_Block, offset + 1, unsigned(b));
    Put_U8(Param_Block, offset + 2, unsigned(c));
    Put_U8(Param_Block, offset + 3, unsigned(d));
}

} // namespace

void Clear_Param_Block()
{
    Put_Zeros(Param_Block, 0, Param_Block_Size);
    Put_U32(Param_Block, 0, 250000);
    Put_U32(Param_Block, 4, 250000);
    Put_U32(Param_Block, 12, 9600);
    Put_IPv4(40, 192, 168, 2, 205);
    Put_IPv4(44, 255, 255, 255, 0);
    Put_IPv4(48, 255, 255, 255, 255);
    Put_U16(Param_Block, 52, 10000);
    Put_U16(Param_Block, 54, 10001);
    Put_U16(Param_Block, 56, 10001);
    for (Integer k = 0; k < 6; ++k)
        Put_U8(Param_Block, 436 + k, 8);
    Put_U8(Param_Block, 442, 8);
    Put_U8(Param_Block, 443, 8);
    Master_Type_Code = 0;
}

LongWord Param_Block_Checksum(const Byte* block)
{
    LongWord sum = 0;
    for (Integer i = 0; i < Param_Checksum_Offset; ++i)
        sum += block[i];
    return sum;
}

Integer Store_Param_Block(Byte* buffer, Integer position)
{
    Put_U32(Param_Block, Param_Checksum_Offset, Param_Block_Checksum(Param_Block));
    return Put_Bytes(buffer, position, Param_Block, Param_Block_Size);
}

LongWord Baud_Rate_Of_Index(Integer index)
{
    static const LongWord rates[] = {9600, 19200, 38400, 57600, 76800, 115200};
    return index >= 0 && index < 6 ? rates[index] : 9600;
}

QString Pad_Hex_Text(const QString& text, Integer n)
{
    if (text.size() >= n)
        return text;
    return QString(n - text.size(), QLatin1Char('0')) + text;
}

void Set_SW_Version_Bytes()
{
    Put_Zeros(Param_Block, 1644, 8);
    const char version[] = "1.006";
    Put_Bytes(Param_Block, 1644, reinterpret_cast<const Byte*>(version), 5);
}
