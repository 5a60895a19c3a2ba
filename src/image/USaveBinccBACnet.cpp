// Bank 2, second area: the BACnet read and write requests the converter
// sends as a BACnet client.

#include <bit>
#include <utility>

#include "image/USaveBincc.h"
#include "image/USaveBinccBytes.h"
#include "image/USaveBinccFile.h"
#include "shell/UComon.h"
#include "image/USaveBinccText.h"
#include "image/USaveBinccValues.h"

void Clear_BACnet_Table()
{
    for (BACnet_Request_Entry& e : BACnet_Request_Table)
        e = BACnet_Request_Entry{};
}

namespace {

Integer Store_Entry(Byte* b, Integer p, const BACnet_Request_Entry& e)
{
    p = Put_Bytes(b, p, e.Device_Address, 8);
    p = Put_U8(b, p, e.Service);
    p = Put_U8(b, p, e.Data_Type);
    p = Put_U8(b, p, e.Priority);
    p = Put_U8(b, p, e.Num_Byte);
    p = Put_U8(b, p, e.Request_Flags);
    p = Put_U8(b, p, e.Start_Bit);
    p = Put_U8(b, p, e.Value_Flags);
    p = Put_Zeros(b, p, 1);
    p = Put_U16(b, p, e.Property);
    p = Put_U16(b, p, e.Object_Type);
    p = Put_U16(b, p, e.Max_Error);
    p = Put_U16(b, p, e.Position);
    p = Put_U32(b, p, e.Poll_Time);
    p = Put_U32(b, p, e.Instance);
    p = Put_U16(b, p, e.Destination_Network);
    p = Put_U8(b, p, e.Destination_Length);
    p = Put_Bytes(b, p, e.Destination_Address, 8);
    p = Put_Zeros(b, p, 1);
    return Put_U32(b, p, std::bit_cast<LongWord>(e.Factor));
}

} // namespace

Integer Store_BACnet_Table(Byte* buffer, Integer position)
{
    Integer p = position;
    for (const BACnet_Request_Entry& e : BACnet_Request_Table)
        p = Store_Entry(buffer, p, e);
    return p;
}

namespace {

template <typename Code, size_t N>
bool Find_Code(const std::pair<const char*, Code> (&table)[N], const QString& text, Code& code)
{
    for (const auto& [name, value] : table)
        if (text == QLatin1String(name)) {
            code = value;
            return true;
        }
    return false;
}

const std::pair<const char*, Word> Properties[] = {
    {"PRESENT VALUE (85)", 85}, {"OBJECT IDENTIFIER (75)", 75}, {"UNITS (117)", 117},
    {"SCALE (187)", 187}, {"PRESCALE (185)", 185}, {"POLARITY (84)", 84},
    {"EVENT STATE (36)", 36}, {"STATUS FLAGS (111)", 111}, {"OBJECT TYPE (79)", 79},
    {"NUMBER OF STATES (74)", 74}};

const std::pair<const char*, Word> Object_Types[] = {
    {"ANALOG INPUT", 0}, {"ANALOG OUTPUT", 1}, {"ANALOG VALUE", 2}, {"BINARY INPUT", 3},
    {"BINARY OUTPUT", 4}, {"BINARY VALUE", 5}, {"MULTI-STATE INPUT", 13},
    {"MULTI-STATE OUTPUT", 14}, {"MULTI-STATE VALUE", 19}, {"LIFE SAFETY POINT", 21},
    {"LIFE SAFETY ZONE", 22}, {"ACCUMULATOR", 23}, {"INTEGER VALUE", 45},
    {"LARGE ANALOG VALUE", 46}, {"POSITIVE INTEGER VALUE", 48}};

const std::pair<const char*, Byte> Data_Types[] = {
    {"NULL", 0}, {"BOOLEAN", 1}, {"UNSIGNED INT", 2}, {"SIGNED INT", 3}, {"REAL", 4},
    {"DOUBLE", 5}, {"OCTET STRING", 6}, {"CHARACTER STRING", 7}, {"BIT STRING", 8},
    {"ENUMERATED", 9}, {"DATE", 10}, {"TIME", 11}, {"OBJECT ID", 12}};

// A named code, else the text as a number (a proprietary code).
template <size_t N>
Word Named_Or_Number(const std::pair<const char*, Word> (&table)[N], const QString& text)
{
    const QString t = Trim_Upper(text);
    Word code = 0;
    if (Find_Code(table, t, code))
        return code;
    return Word(Text_To_Int(t, 0));
}

// Yes/no cells: "Y" after upper-casing and trimming; missing is no.
bool Row_Yes(const TNamed_Values& row, const char* name)
{
    QString text;
    return row.Value(name, text) && Trim_Upper(text) == QLatin1String("Y");
}

// The conversion switches count only when exactly "Y".
bool Row_Exactly_Y(const TNamed_Values& row, const char* name)
{
    QString text;
    return row.Value(name, text) && text == QLatin1String("Y");
}

// Instance numbers go up to 4294967295, beyond the signed integer reading:
// plain decimal digits above its range keep their unsigned 32-bit value.
LongWord Row_Instance(const TNamed_Values& row)
{
    QString text;
    if (!row.Value("Instance", text))
        return 0;
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;
    if (i < text.size() && text[i] == QLatin1Char('+'))
        ++i;
    const QString digits = text.mid(i);
    bool all_digits = !digits.isEmpty() && digits.size() <= 10;
    for (QChar c : digits)
        all_digits = all_digits && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    if (all_digits) {
        const qulonglong value = digits.toULongLong();
        if (value > 0x7FFFFFFFull && value <= 0xFFFFFFFFull)
            return LongWord(value);
    }
    return LongWord(Text_To_Int(text, 0));
}

Byte Link_Flag(Integer master_type)
{
    switch (master_type) {
    case 0: return 2;
    case 1: return 4;
    case 2: return 8;
    default: return 0;
    }
}

void Set_Device_Address(BACnet_Request_Entry& entry, const TNamed_Values& row, Integer master_type)
{
    const LongWord value = IP_Or_ID_Value(Value_Text(row, "IP_Address_Slave_ID"), master_type);
    if (master_type == 0)
        Put_U32(entry.Device_Address, 0, value);
    else if (master_type == 1)
        entry.Device_Address[0] = Byte(value & 0xFF);
}

float Row_Factor(const TNamed_Values& row, QChar separator)
{
    QString text;
    float factor = 1.0f;
    if (row.Value("MultiplicationFactor", text)
        && !Text_To_Float(Trim_Upper(text), separator, factor))
        factor = 1.0f;
    return factor;
}

// The fields read and write requests share.
void Fill_Common(BACnet_Request_Entry& entry, const TNamed_Values& row, Integer master_type,
                 QChar separator, const char* conversion)
{
    Set_Device_Address(entry, row, master_type);
    entry.Num_Byte = Byte(Value_Int(row, "NumByte", 0));
    entry.Request_Flags |= Link_Flag(master_type);
    entry.Property = Property_Code(Value_Text(row, "Property"));
    entry.Object_Type = Object_Type_Code(Value_Text(row, "Object_Type"));
    entry.Max_Error = Word(Value_Int(row, "MaxError", 0));
    entry.Position = Word(Value_Int(row, "Position", 0));
    entry.Start_Bit = Byte(Value_Int(row, "StartBit", 0));
    entry.Instance = Row_Instance(row);
    if (Row_Yes(row, "Swap"))
        entry.Value_Flags |= 1;
    if (Row_Exactly_Y(row, conversion))
        entry.Value_Flags |= 4;
    entry.Factor = (entry.Value_Flags & 4) ? Row_Factor(row, separator) : 1.0f;
    if (Row_Yes(row, "Enable_Destination"))
        entry.Value_Flags |= 2;
    entry.Destination_Network = Word(Value_Int(row, "Destination_Network", 1));
    Set_BACnet_Destination(entry, Trim_Upper(Value_Text(row, "Destination_Length")),
                           Value_Text(row, "Destination_Address"));
}

} // namespace

Word Property_Code(const QString& text) { return Named_Or_Number(Properties, text); }

Word Object_Type_Code(const QString& text) { return Named_Or_Number(Object_Types, text); }

Byte BACnet_Data_Type_Code(const QString& text)
{
    Byte code = 0;
    Find_Code(Data_Types, Trim_Upper(text), code);
    return code;
}

LongWord IP_Or_ID_Value(const QString& text, Integer master_type)
{
    if (master_type == 1)
        return LongWord(Text_To_Int(text, 1));
    if (master_type != 0)
        return 0;
    QString s = Trim(text);
    if (s.count(QLatin1Char('.')) < 3)
        return 0;
    LongWord value = 0;
    for (int i = 0; i < 3; ++i) {
        const qsizetype dot = s.indexOf(QLatin1Char('.'));
        value = value * 256 + LongWord(Text_To_Int(Trim(s.left(dot)), 0));
        s = s.mid(dot + 1);
    }
    return value * 256 + LongWord(Text_To_Int(Trim(s), 0));
}

void Set_BACnet_Destination(BACnet_Request_Entry& entry, const QString& length_text,
                            const QString& address_text)
{
    const Integer address_size = Integer(sizeof entry.Destination_Address);
    const qsizetype m = length_text.indexOf(QLatin1Char('M'));
    if (m >= 0) {
        // "Mn": n bytes given one by one, separated by ",".
        entry.Destination_Length = Byte(Text_To_Int(Trim(length_text.mid(m + 1)), 1));
        QString rest = address_text;
        for (Integer k = 0; !rest.isEmpty() && k < address_size; ++k) {
            const qsizetype comma = rest.indexOf(QLatin1Char(','));
            const QString item = comma < 0 ? rest : rest.left(comma);
            rest = comma < 0 ? QString() : rest.mid(comma + 1);
            const Integer value = Text_To_Int(Trim(item), -1);
            if (value >= 0 && value <= 255)
                entry.Destination_Address[k] = Byte(value);
        }
        return;
    }
    entry.Destination_Length = Byte(Text_To_Int(length_text, 1));
    if (entry.Destination_Length == 1) {
        entry.Destination_Address[0] = Byte(Text_To_Int(address_text, 0));
    } else if (entry.Destination_Length == 2) {
        const Integer value = Text_To_Int(address_text, 1);
        entry.Destination_Address[0] = Byte((value >> 8) & 0xFF);
        entry.Destination_Address[1] = Byte(value & 0xFF);
    } else {
        Byte a, b, c, d;
        Word port;
        if (Parse_IP_Port(address_text, a, b, c, d, port)) {
            const Byte bytes[6] = {a, b, c, d, Byte(port >> 8), Byte(port & 0xFF)};
            std::copy(bytes, bytes + 6, entry.Destination_Address);
        }
    }
}

void Fill_BACnet_Read_Entry(BACnet_Request_Entry& entry, const TNamed_Values& row,
                            Integer master_type, QChar decimal_separator)
{
    entry = BACnet_Request_Entry{};
    entry.Service = 12;
    entry.Poll_Time = LongWord(Value_Int(row, "PollTime", 1000));
    Fill_Common(entry, row, master_type, decimal_separator, "FloatToInt");
}

void Fill_BACnet_Write_Entry(BACnet_Request_Entry& entry, const TNamed_Values& row,
                             Integer master_type, QChar decimal_separator)
{
    entry = BACnet_Request_Entry{};
    entry.Service = 15;
    entry.Data_Type = BACnet_Data_Type_Code(Value_Text(row, "Data_Type"));
    entry.Priority = Byte(Value_Int(row, "Priority", 0));
    if (Row_Yes(row, "OnChange"))
        entry.Request_Flags |= 0x10;
    QString poll;
    if (Row_Yes(row, "OnTimer") && row.Value("PollTime", poll))
        entry.Poll_Time = LongWord(Text_To_Int(poll, 1000));
    Fill_Common(entry, row, master_type, decimal_separator, "IntToFloat");
}

TBin_Result Read_BACnet_Master_Access(Integer& count)
{
    count = 0;
    if (!TConfig_File::Exists(BACnet_Master_Access_File))
        return TBin_Result::Success();

    const QChar separator = Get_Decimal_Separator();
    TConfig_File file;
    QString error;
    if (!file.Load(BACnet_Master_Access_File, error))
        return TBin_Result::Failure(error);

    // Read requests first, then write requests, without gaps; rows beyond
    // the table's 1024 entries are dropped.
    const auto table = [&](const char* name, auto fill) {
        return file.Visit_Table(name, [&](const TNamed_Values& row) {
            if (Row_Selected(row) && count < BACnet_Table_Entries)
                fill(BACnet_Request_Table[count++], row, Master_Type_Code, separator);
        });
    };
    if (!table("BACnet_Read", Fill_BACnet_Read_Entry))
        return TBin_Result::Failure(Missing_Table_Message(BACnet_Master_Access_File, "BACnet_Read"));
    if (!table("BACnet_Write", Fill_BACnet_Write_Entry))
        return TBin_Result::Failure(Missing_Table_Message(BACnet_Master_Access_File, "BACnet_Write"));
    return TBin_Result::Success();
}
