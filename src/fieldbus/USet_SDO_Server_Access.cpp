#include "fieldbus/USet_SDO_Server_Access.h"

#include "shell/UComon.h"

TFSet_SDO_Server_Access* FSet_SDO_Server_Access = nullptr;

namespace {

enum { cIndex = 1, cSubIndex, cNByte, cAddress_B1 };

// The same columns in both tables, header and hint texts counted from the
// table's own first ones.
#define SDO_SERVER_COLUMNS(header, hint)                                                                   \
    {"Index", reText, 60, header + 1, hint + 1}, {"SubIndex", reText, 65, header + 2, hint + 2},           \
        {"NByte", reText, 55, header + 3, hint + 3}, {"Address_B1", reText, 75, header + 4, hint + 4},     \
        {"Address_B2", reText, 75, header + 5, hint + 5}, {"Address_B3", reText, 75, header + 6, hint + 6}, \
        {"Address_B4", reText, 75, header + 7, hint + 7}, {"Mnemonic", reText, 200, header + 8, hint + 8}

constexpr TRuleColumn Read_Columns[] = {SDO_SERVER_COLUMNS(3716, 3733)};
constexpr TRuleColumn Write_Columns[] = {SDO_SERVER_COLUMNS(3725, 3741)};
#undef SDO_SERVER_COLUMNS

const TRuleTable SDO_Read{"SDO_Read", Read_Columns, 3716, 3714, cIndex, false};
const TRuleTable SDO_Write{"SDO_Write", Write_Columns, 3725, 3715, cIndex, false};
const TRuleTexts Texts{3700, 3701, {3702, 3703, 3704, 3705, 3706, 3707}, {3708, 3709, 3710, 3711, 3712, 3713}, 3765, 3750};
const TRuleFile File{&SDO_Server_CANopen_File, "SDO_Server_CANopen", "1.000"};

} // namespace

TFSet_SDO_Server_Access::TFSet_SDO_Server_Access(TComponent* AOwner)
    : TCANopenTableForm(AOwner, QStringLiteral("FSet_SDO_Server_Access"), 749, Texts, File, SDO_Read, SDO_Write,
                        "TS_SDO_Read", "TS_SDO_Write", 500)
{
    TS_SDO_Read = Sheet(0);
    TS_SDO_Write = Sheet(1);
}

TFSet_SDO_Server_Access::~TFSet_SDO_Server_Access()
{
    if (FSet_SDO_Server_Access == this)
        FSet_SDO_Server_Access = nullptr;
}

bool TFSet_SDO_Server_Access::Check_Row(Integer Index, Integer Row)
{
    const bool read = Index == 0;
    const Integer first = read ? 3751 : 3758;
    // Manufacturer-specific objects only.
    return Check_Range(Index, Row, cIndex, 0x2000, 0x5FFF, first) &&
           Check_Range(Index, Row, cSubIndex, 0, 0xFF, first + 1) && Check_Byte_Count(Index, Row, cNByte, first + 2) &&
           Check_Addresses(Index, Row, cAddress_B1, Cell_Int(Index, cNByte, Row), first + 3,
                           read ? PROFINET_NByte_IN : PROFINET_NByte_OUT);
}
