#include "fieldbus/UKNXAccess.h"

#include "grid/columns/ExColumnGrid.h"
#include "platform/StringList.h"
#include "platform/Text.h"
#include "shell/TextChecks.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

TFKNXAccess* FKNXAccess = nullptr;

namespace {

enum {
    Col_Source = 2, Col_Dest, Col_APCI, Col_Priority, Col_Format, Col_Factor, Col_Extended,
    Col_OnTimer = 12, Col_Poll, Col_Position, Col_BitMode, Col_Length, Col_TimeOut
};

constexpr Integer Data_Array_Size = 1500;
constexpr Integer Max_APCI = 1023;
constexpr Integer Max_Time = 100000000;

constexpr TRuleColumn Columns[] = {
    {"Enable", reCheck, 45, 4515, 4531, rmDefault, "Y"},
    {"Source_Address", reText, 80, 4516, 4532},
    {"Destination_Address", reText, 75, 4517, 4533},
    {"APCI", reComboEdit, 60, 4518, 4534},
    {"Priority", reCombo, 60, 4519, 4535, rmDefault, "Normal"},
    {"Format", reCombo, 85, 4520, 4536, rmDefault, "None"},
    {"MultiplicationFactor", reText, 70, 4561, 4563, rmDefault, ""},
    {"Extended", reCheck, 62, 4521, 4537},
    {"ReTest", reCheck, 55, 4522, 4538},
    {"On_Command", reCheck, 55, 4523, 4540, rmDefault, "N"},
    {"On_Change", reCheck, 65, 4524, 4541},
    {"On_Timer", reCheck, 55, 4525, 4542, rmDefault, "N"},
    {"Poll_Time", reText, 65, 4526, 4543},
    {"Position", reCombo, 55, 4527, 4544},
    {"Bit_Mode", reCombo, 55, 4528, 4545},
    {"Length", reText, 50, 4529, 4546},
    {"TimeOut", reText, 96, 4562, 4564, rmDefault, "0"},
    {"Mnemonic", reText, 100, 4530, 4547},
};

const TRuleTable Table{"KNX_in_Write", Columns, 4514, -1, Col_Source, true};
const TRuleGridLook Look{true, false, false, true, true};
const TRuleTexts Texts{4500, 4501, {4502, 4503, 4504, 4505, 4506, 4507}, {4508, 4509, 4510, 4511, 4512, 4513}, 4560, 4548};
const TRuleFile File{&KNX_SetAccess_File, "BACnet_to_KNX", "1.002"};

bool Is_Priority(const QString& text)
{
    return text == QLatin1String("System") || text == QLatin1String("Urgent") || text == QLatin1String("Normal") ||
           text == QLatin1String("Low");
}

} // namespace

TFKNXAccess::TFKNXAccess(TComponent* AOwner)
    : TRuleTableForm(AOwner, QStringLiteral("FKNXAccess"), 1250, 337, Texts, File)
{
    ACG_KNX_in_Write = Add_Grid(Table, Look, "ACG_KNX_in_Write", 1024);
    TExColumnGrid* g = ACG_KNX_in_Write;
    Set_Combo_Items(g, Col_APCI, {QStringLiteral("Read"), QStringLiteral("Write")});
    Set_Combo_Items(g, Col_Priority,
                    {QStringLiteral("System"), QStringLiteral("Urgent"), QStringLiteral("Normal"), QStringLiteral("Low")});
    Set_Combo_Items(g, Col_Format,
                    {QStringLiteral("None"), QStringLiteral("Swap16"), QStringLiteral("Swap32"),
                     QStringLiteral("Swap All"), QStringLiteral("Int to Float"), QStringLiteral("Float to Int"),
                     QStringLiteral("Float16 to Float32"), QStringLiteral("Float16 to Int")});
    Set_Combo_Items(g, Col_BitMode,
                    {QStringLiteral("No"), QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"),
                     QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6"),
                     QStringLiteral("7")});
}

TFKNXAccess::~TFKNXAccess()
{
    if (FKNXAccess == this)
        FKNXAccess = nullptr;
}

void TFKNXAccess::Set_Limits()
{
    Max_Num_Byte = Data_Array_Size;
    TStringList positions;
    for (Integer i = 0; i < Max_Num_Byte; ++i)
        positions.Add(QString::number(i));
    ACG_KNX_in_Write->Columns()->Items(Col_Position)->SetComboItems(&positions);
}

void TFKNXAccess::Row_Loaded(Integer, const TXMLNode&, Integer Row)
{
    if (!Is_Priority(Cell(0, Col_Priority, Row)))
        ACG_KNX_in_Write->SetCellEx(Col_Priority, Row, QStringLiteral("Normal"));
}

bool TFKNXAccess::Controllo_dati()
{
    const QChar separator = Get_Decimal_Separator();
    const Integer end = Table_End(0);
    for (Integer r = 1; r < end; ++r)
        if (Row_Enabled(0, r, false) && !Check_Row(r, separator))
            return false;
    return true;
}

bool TFKNXAccess::Check_Row(Integer r, QChar Separator)
{
    const auto fail = [&](const QString& text) {
        Row_Error(r, text);
        return false;
    };
    if (Check_KNX_Address(Trim(Cell(0, Col_Source, r)), false, true))
        return fail(Lang_Text(4549));
    const QString dest = Trim(Cell(0, Col_Dest, r));
    const bool group = Is_KNX_Group_Address(dest);
    if (Check_KNX_Address(dest, group, !group))
        return fail(Lang_Text(group ? 4551 : 4550));
    const QString apci = UpperCase(Cell(0, Col_APCI, r));
    if (apci != QLatin1String("READ") && apci != QLatin1String("WRITE")) {
        const Integer n = Cell_Int(0, Col_APCI, r);
        if (n < 0 || n > Max_APCI)
            return fail(Lang_Text(4552));
    }
    if (!Is_Priority(Cell(0, Col_Priority, r)))
        return fail(Lang_Text(4553));
    if (Trim(Cell(0, Col_Format, r)).isEmpty())
        return fail(Lang_Text(4554));
    float factor = 0;
    if (!Trim(Cell(0, Col_Factor, r)).isEmpty() && !Text_To_Float(Cell(0, Col_Factor, r), Separator, factor))
        return fail(Lang_Text(4565));
    if (UpperCase(Cell(0, Col_OnTimer, r)) == QLatin1String("Y") &&
        !Check_Range(0, r, Col_Poll, 1, Max_Time, 4555))
        return false;
    const Integer position = Cell_Int(0, Col_Position, r);
    if (position < 0 || position > Max_Num_Byte - 1)
        return fail(Lang_Text(4556) + QString::number(Max_Num_Byte - 1));
    // A start bit makes Length count bits from that bit of Position's byte.
    const bool byte_mode = UpperCase(Cell(0, Col_BitMode, r)) == QLatin1String("NO");
    const Integer start_bit = byte_mode ? 0 : Cell_Int(0, Col_BitMode, r);
    if (start_bit < 0 || start_bit > 7)
        return fail(Lang_Text(4557));
    const bool extended = UpperCase(Cell(0, Col_Extended, r)) == QLatin1String("Y");
    const Integer limit = byte_mode ? (extended ? 255 : 14) : (extended ? 2040 : 112);
    const Integer length = Cell_Int(0, Col_Length, r);
    if (length < 1 || length > limit)
        return fail(Lang_Text(4558) + QString::number(limit));
    const Integer bytes = byte_mode ? length : (length + start_bit + 7) / 8;
    if (position + bytes > Max_Num_Byte)
        return fail(Lang_Text(4559) + QString::number(Max_Num_Byte));
    return Check_Range(0, r, Col_TimeOut, 0, Max_Time, 4566);
}
