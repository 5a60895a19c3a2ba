// The checks the OK button runs over both tables, and the byte count that
// the read table's NByte hint shows.

#include "bacnet/UBACnetAccess.h"
#include "bacnet/UBACnetAccessColumns.h"

#include "shell/TextChecks.h"
#include "bacnet/BACnetLang.h"

#include "grid/columns/ExColumnGrid.h"
#include "platform/Dialogs.h"
#include "platform/Form.h"
#include "platform/StringList.h"

#include <iterator>

namespace {

// BACnet object-type numbers.
enum : Integer {
    otAnalog_Input = 0,
    otAnalog_Output = 1,
    otAnalog_Value = 2,
    otBinary_Input = 3,
    otBinary_Output = 4,
    otBinary_Value = 5,
    otMulti_State_Input = 13,
    otMulti_State_Output = 14,
    otMulti_State_Value = 19,
    otLife_Safety_Point = 21,
    otLife_Safety_Zone = 22,
    otAccumulator = 23,
    otInteger_Value = 45,
    otLarge_Analog_Value = 46,
    otPositive_Integer_Value = 48,
};

// BACnet property numbers.
enum : Integer {
    prEvent_State = 36,
    prNumber_Of_States = 74,
    prObject_Identifier = 75,
    prObject_Type = 79,
    prPolarity = 84,
    prPresent_Value = 85,
    prStatus_Flags = 111,
    prUnits = 117,
    prPreScale = 185,
    prScale = 187,
};

struct TNamed {
    const char* Name;  // upper case
    Integer Code;
};

// Every object type a request may name; the write table refuses the inputs
// and the accumulator.
const TNamed Object_Types[] = {
    {"ACCUMULATOR", otAccumulator},
    {"MULTI-STATE INPUT", otMulti_State_Input},
    {"MULTI-STATE OUTPUT", otMulti_State_Output},
    {"ANALOG INPUT", otAnalog_Input},
    {"ANALOG OUTPUT", otAnalog_Output},
    {"BINARY INPUT", otBinary_Input},
    {"BINARY OUTPUT", otBinary_Output},
    {"INTEGER VALUE", otInteger_Value},
    {"LARGE ANALOG VALUE", otLarge_Analog_Value},
    {"POSITIVE INTEGER VALUE", otPositive_Integer_Value},
    {"MULTI-STATE VALUE", otMulti_State_Value},
    {"ANALOG VALUE", otAnalog_Value},
    {"BINARY VALUE", otBinary_Value},
    {"LIFE SAFETY POINT", otLife_Safety_Point},
    {"LIFE SAFETY ZONE", otLife_Safety_Zone},
};

const TNamed Properties[] = {
    {"PRESENT VALUE (85)", prPresent_Value},     {"OBJECT IDENTIFIER (75)", prObject_Identifier},
    {"UNITS (117)", prUnits},                    {"SCALE (187)", prScale},
    {"PRESCALE (185)", prPreScale},              {"POLARITY (84)", prPolarity},
    {"EVENT STATE (36)", prEvent_State},         {"STATUS FLAGS (111)", prStatus_Flags},
    {"OBJECT TYPE (79)", prObject_Type},         {"NUMBER OF STATES (74)", prNumber_Of_States},
};

Integer Find(const TNamed* table, size_t count, const QString& text)
{
    const QString key = text.trimmed().toUpper();
    for (size_t i = 0; i < count; ++i)
        if (key == QLatin1String(table[i].Name))
            return table[i].Code;
    return -1;
}

bool Is_Proprietary_Object(Integer ObjType) { return ObjType >= 128 && ObjType <= 1023; }
bool Is_Multi_State(Integer t)
{
    return t == otMulti_State_Input || t == otMulti_State_Output || t == otMulti_State_Value;
}
bool Is_Binary(Integer t) { return t == otBinary_Input || t == otBinary_Output || t == otBinary_Value; }

// Whether a named property suits a read request of the object type.
bool Suits(Integer Property, Integer ObjType)
{
    switch (Property) {
    case prUnits: return !Is_Multi_State(ObjType) && !Is_Binary(ObjType);
    case prScale:
    case prPreScale: return ObjType == otAccumulator;
    case prPolarity: return Is_Binary(ObjType);
    case prNumber_Of_States: return Is_Multi_State(ObjType);
    default: return true;
    }
}

// Bytes of a named property other than Present Value; 0 for none.
Integer Property_Size(Integer Property)
{
    switch (Property) {
    case prObject_Identifier:
    case prUnits:
    case prEvent_State:
    case prNumber_Of_States: return 4;
    case prScale:
    case prPolarity:
    case prStatus_Flags: return 1;
    case prPreScale: return 5;
    case prObject_Type: return 2;
    default: return 0;
    }
}

// Bytes of an object type's Present Value; 0 for a proprietary type.
Integer Present_Value_Size(Integer ObjType)
{
    if (Is_Proprietary_Object(ObjType))
        return 0;
    if (Is_Binary(ObjType))
        return 1;
    if (ObjType == otLife_Safety_Point || ObjType == otLife_Safety_Zone)
        return 2;
    if (ObjType == otLarge_Analog_Value)
        return 8;
    return 4;
}

// The integer reading of a cell, -1 when it does not convert.
Integer Cell_Int(TExColumnGrid* Grid, Integer Col, Integer Row)
{
    return Text_To_Int(Grid->GetCellEx(Col, Row), -1);
}

bool In_Range(Integer Value, Integer Low, Integer High) { return Value >= Low && Value <= High; }

bool Is_Y(const QString& Text) { return Text.trimmed().toUpper() == QLatin1String("Y"); }

} // namespace

// ------------------------------------------------------------ the named rules

Integer TFBACnetAccess::Check_Object_Type(const QString& Text, TBACnet_Table Table)
{
    const Integer code = Find(Object_Types, std::size(Object_Types), Text);
    if (code >= 0) {
        const bool input = code == otAccumulator || code == otMulti_State_Input || code == otAnalog_Input ||
                           code == otBinary_Input;
        return Table == btWrite && input ? -1 : code;
    }
    const Integer number = Text_To_Int(Text.trimmed(), -1);
    return Is_Proprietary_Object(number) ? number : -1;
}

Integer TFBACnetAccess::Check_Property(const QString& Text, TBACnet_Table Table, Integer ObjType)
{
    const Integer code = Find(Properties, std::size(Properties), Text);
    if (code >= 0) {
        if (Table == btWrite)
            return code == prPresent_Value ? code : -1;
        return Suits(code, ObjType) ? code : -1;
    }
    const Integer number = Text_To_Int(Text.trimmed(), -1);
    return In_Range(number, 512, 4184303) ? number : -1;
}

QString TFBACnetAccess::Aspected_Data_Type_Value(Integer ObjType, Integer Property)
{
    if (Property != prPresent_Value)
        return QString();
    switch (ObjType) {
    case otMulti_State_Output:
    case otMulti_State_Value:
    case otPositive_Integer_Value: return QStringLiteral("Unsigned Int");
    case otInteger_Value: return QStringLiteral("Signed Int");
    case otAnalog_Output:
    case otAnalog_Value: return QStringLiteral("Real");
    case otLarge_Analog_Value: return QStringLiteral("Double");
    case otBinary_Output:
    case otBinary_Value: return QStringLiteral("Enumerated");
    default: return QString();
    }
}

Integer TFBACnetAccess::Check_Data_Type(const QString& Text, Integer ObjType, Integer Property)
{
    if (Property != prPresent_Value || Is_Proprietary_Object(ObjType))
        return 0;
    const QString expected = Aspected_Data_Type_Value(ObjType, Property);
    if (expected.isEmpty())
        return -1;  // the life safety types take no data type
    return Text.trimmed().toUpper() == expected.toUpper() ? 0 : -1;
}

Integer TFBACnetAccess::Check_Num_Byte_Max(const QString& DataType)
{
    const QString t = DataType.trimmed().toUpper();
    if (t == QLatin1String("NULL"))
        return 0;
    if (t == QLatin1String("BOOLEAN"))
        return 1;
    for (const char* four : {"UNSIGNED INT", "SIGNED INT", "REAL", "ENUMERATED", "DATE", "TIME", "OBJECT ID"})
        if (t == QLatin1String(four))
            return 4;
    if (t == QLatin1String("DOUBLE"))
        return 8;
    if (t == QLatin1String("BIT STRING"))
        return 120;
    return 255;
}

// ------------------------------------------------------------ the rows

void TFBACnetAccess::Row_Error(TBACnet_Table Table, Integer Row, const QString& Fault)
{
    const QString text = BACnet_Lang(Table == btRead ? 1337 : 1346) + QString::number(Row) + Fault;
    Application->MessageBox(text, Application->Title(), MB_OK | MB_ICONERROR);
}

bool TFBACnetAccess::Check_Dest_Add(const QString& Address, Integer N, TBACnet_Table Table, Integer Row)
{
    const bool read = Table == btRead;
    QString rest = Address.trimmed();
    Integer count = 0;
    while (!rest.isEmpty()) {
        const qsizetype comma = rest.indexOf(QLatin1Char(','));
        const QString part = (comma < 0 ? rest : rest.left(comma)).trimmed();
        if (!In_Range(Text_To_Int(part, -1), 0, 255)) {
            Row_Error(Table, Row, BACnet_Lang(read ? 1382 : 1383));
            return true;
        }
        if (++count > N) {
            Row_Error(Table, Row, BACnet_Lang(read ? 1384 : 1385));
            return true;
        }
        rest = comma < 0 ? QString() : rest.mid(comma + 1);
    }
    // An empty address has too few bytes as well.
    if (count < N) {
        Row_Error(Table, Row, BACnet_Lang(read ? 1388 : 1389));
        return true;
    }
    return false;
}

bool TFBACnetAccess::Check_Destination(TExColumnGrid* Grid, TBACnet_Table Table, Integer Row, Integer FirstCol)
{
    const bool read = Table == btRead;
    auto fail = [&](Integer read_text, Integer write_text) {
        Row_Error(Table, Row, BACnet_Lang(read ? read_text : write_text));
        return false;
    };
    if (!In_Range(Cell_Int(Grid, FirstCol, Row), 1, 65535))
        return fail(1370, 1375);
    const QString length = Grid->GetCellEx(FirstCol + 1, Row);
    const QString address = Grid->GetCellEx(FirstCol + 2, Row);
    Integer n = 0;
    if (Try_Text_To_Int(length, n)) {
        switch (n) {
        case 1: return In_Range(Text_To_Int(address, -1), 0, 255) || fail(1372, 1377);
        case 2: return In_Range(Text_To_Int(address, -1), 1, 65535) || fail(1373, 1378);
        case 6: {
            Byte b1, b2, b3, b4;
            Word port;
            return Parse_IP_Port(address.trimmed(), b1, b2, b3, b4, port) || fail(1374, 1379);
        }
        default: return fail(1371, 1376);
        }
    }
    const QString m = length.trimmed().toUpper();
    if (m.size() != 2 || m[0] != QLatin1Char('M') || m[1] < QLatin1Char('1') || m[1] > QLatin1Char('8'))
        return fail(1386, 1387);
    return !Check_Dest_Add(address, m[1].digitValue(), Table, Row);
}

bool TFBACnetAccess::Check_Read_Row(Integer r)
{
    TExColumnGrid* g = ACG1;
    auto fail = [&](Integer text) {
        Row_Error(btRead, r, BACnet_Lang(text));
        return false;
    };
    const QString key = g->GetCellEx(Col_Address, r);
    Byte b1, b2, b3, b4;
    if (App_BACnet_Type == 0 && IP_Text_To_Bytes(key, b1, b2, b3, b4))
        return fail(1338);
    if (App_BACnet_Type == 1 && !In_Range(Text_To_Int(key, -1), 0, 254))
        return fail(1339);
    const Integer type = Check_Object_Type(g->GetCellEx(Col_Object_Type, r), btRead);
    if (type < 0)
        return fail(1340);
    const Int64 instance = Text_To_Int64(g->GetCellEx(Read_Col_Instance, r), -1);
    if (instance < 0 || instance > 4294967295LL)
        return fail(1341);
    if (Check_Property(g->GetCellEx(Read_Col_Property, r), btRead, type) < 0)
        return fail(1342);
    if (!In_Range(Cell_Int(g, Read_Col_NByte, r), 0, 255))
        return fail(1343);
    if (Is_Y(g->GetCellEx(Read_Col_En_Dest, r)) && !Check_Destination(g, btRead, r, Read_Col_D_Net))
        return false;
    if (!In_Range(Cell_Int(g, Read_Col_Poll_Time, r), 0, 100000000))
        return fail(1344);
    if (!In_Range(Cell_Int(g, Read_Col_Max_Err, r), 0, 65535))
        return fail(1345);
    float factor = 0;
    if (g->GetCellEx(Read_Col_Float_To_Int, r).toUpper() == QLatin1String("Y") &&
        !Text_To_Float(g->GetCellEx(Read_Col_Molt_Factor, r), FSeparator, factor))
        return fail(1398);
    return true;
}

bool TFBACnetAccess::Check_Write_Row(Integer r)
{
    TExColumnGrid* g = ACG2;
    auto fail = [&](const QString& text) {
        Row_Error(btWrite, r, text);
        return false;
    };
    const QString key = g->GetCellEx(Col_Address, r);
    Byte b1, b2, b3, b4;
    if (App_BACnet_Type == 0 && IP_Text_To_Bytes(key, b1, b2, b3, b4))
        return fail(BACnet_Lang(1347));
    if (App_BACnet_Type == 1 && !In_Range(Text_To_Int(key, -1), 0, 254))
        return fail(BACnet_Lang(1348));
    const Integer type = Check_Object_Type(g->GetCellEx(Col_Object_Type, r), btWrite);
    if (type < 0)
        return fail(BACnet_Lang(1349));
    const Int64 instance = Text_To_Int64(g->GetCellEx(Write_Col_Instance, r), -1);
    if (instance < 0 || instance > 4294967295LL)
        return fail(BACnet_Lang(1350));
    const Integer property = Check_Property(g->GetCellEx(Write_Col_Property, r), btWrite, type);
    if (property < 0)
        return fail(BACnet_Lang(1351));
    const QString data_type = g->GetCellEx(Write_Col_Data_Type, r);
    if (Check_Data_Type(data_type, type, property) < 0) {
        const QString expected = Aspected_Data_Type_Value(type, property);
        return fail(expected.isEmpty() ? BACnet_Lang(1352) : BACnet_Lang(1358) + expected);
    }
    if (!In_Range(Cell_Int(g, Write_Col_Priority, r), 0, 16))
        return fail(BACnet_Lang(1353));
    const Integer max_bytes = Check_Num_Byte_Max(data_type);
    if (!In_Range(Cell_Int(g, Write_Col_NByte, r), 0, max_bytes))
        return fail(BACnet_Lang(1354) + QString::number(max_bytes));
    if (Is_Y(g->GetCellEx(Write_Col_En_Dest, r)) && !Check_Destination(g, btWrite, r, Write_Col_D_Net))
        return false;
    if (g->GetCellEx(Write_Col_Timer, r).toUpper() == QLatin1String("Y") &&
        !In_Range(Cell_Int(g, Write_Col_Poll_Time, r), 0, 100000000))
        return fail(BACnet_Lang(1355));
    if (!In_Range(Cell_Int(g, Write_Col_Max_Err, r), 0, 65535))
        return fail(BACnet_Lang(1356));
    float factor = 0;
    if (g->GetCellEx(Write_Col_Int_To_Float, r).toUpper() == QLatin1String("Y") &&
        !Text_To_Float(g->GetCellEx(Write_Col_Molt_Factor, r), FSeparator, factor))
        return fail(BACnet_Lang(1399));
    return true;
}

bool TFBACnetAccess::Controllo_dati()
{
    FSeparator = Get_Decimal_Separator();
    const Integer key = Key_Col();
    for (auto [grid, table] : {std::pair{ACG1, btRead}, std::pair{ACG2, btWrite}}) {
        for (Integer r = 1; r <= BACnet_Access_Rows; ++r) {
            if (grid->GetCellEx(key, r).trimmed().isEmpty())
                break;
            if (grid->GetCellEx(Col_Enable, r) != QLatin1String("Y"))
                continue;
            if (!(table == btRead ? Check_Read_Row(r) : Check_Write_Row(r)))
                return false;
        }
    }
    return true;
}

// ------------------------------------------------------------ the NByte hint

QString TFBACnetAccess::Str_Hint_Read(Integer ARow, Integer ACol)
{
    if (ARow < 1 || ACol != Read_Col_NByte)
        return QString();
    const QString type_text = ACG1->GetCellEx(Col_Object_Type, ARow).trimmed();
    const QString property_text = ACG1->GetCellEx(Read_Col_Property, ARow).trimmed();
    if (type_text.isEmpty() || property_text.isEmpty())
        return QString();
    const Integer type = Check_Object_Type(type_text, btRead);
    if (type < 0)
        return QString();
    const Integer property = Check_Property(property_text, btRead, type);
    const Integer size = property == prPresent_Value ? Present_Value_Size(type) : Property_Size(property);
    return size > 0 ? QString::number(size) : QString();
}
