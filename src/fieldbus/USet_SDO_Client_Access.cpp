#include "fieldbus/USet_SDO_Client_Access.h"

#include "shell/UComon.h"

TFSet_SDO_Client_Access* FSet_SDO_Client_Access = nullptr;

namespace {

enum { cDevice = 1, cIndex, cSubIndex, cNByte, cPoll_Time };

constexpr TRuleColumn Read_Columns[] = {
    {"Device_ID", reText, 70, 3617, 3639},  {"Index", reText, 60, 3618, 3640},
    {"SubIndex", reText, 65, 3619, 3641},   {"NByte", reText, 55, 3620, 3642},
    {"Poll_Time", reText, 70, 3621, 3643},  {"Address_B1", reText, 70, 3622, 3644},
    {"Address_B2", reText, 70, 3623, 3645}, {"Address_B3", reText, 70, 3624, 3646},
    {"Address_B4", reText, 70, 3625, 3647}, {"Mnemonic", reText, 130, 3626, 3648},
};

constexpr TRuleColumn Write_Columns[] = {
    {"Device_ID", reText, 70, 3628, 3649},  {"Index", reText, 60, 3629, 3650},
    {"SubIndex", reText, 65, 3630, 3651},   {"NByte", reText, 55, 3631, 3652},
    {"Poll_Time", reText, 65, 3632, 3653},  {"On_Change", reCheck, 70, 3633, 3654},
    {"Address_B1", reText, 65, 3634, 3655}, {"Address_B2", reText, 65, 3635, 3656},
    {"Address_B3", reText, 65, 3636, 3657}, {"Address_B4", reText, 65, 3637, 3658},
    {"Mnemonic", reText, 80, 3638, 3659},
};

const TRuleTable SDO_Read{"SDO_Read", Read_Columns, 3616, 3614, cDevice, false};
const TRuleTable SDO_Write{"SDO_Write", Write_Columns, 3627, 3615, cDevice, false};
const TRuleTexts Texts{3600, 3601, {3602, 3603, 3604, 3605, 3606, 3607}, {3608, 3609, 3610, 3611, 3612, 3613}, 3679, 3660};
const TRuleFile File{&SDO_Client_CANopen_File, "SDO_Client_CANopen", "1.000"};

} // namespace

TFSet_SDO_Client_Access::TFSet_SDO_Client_Access(TComponent* AOwner)
    : TCANopenTableForm(AOwner, QStringLiteral("FSet_SDO_Client_Access"), 798, Texts, File, SDO_Read, SDO_Write,
                        "TS_SDO_Read", "TS_SDO_Write", 256)
{
    TS_SDO_Read = Sheet(0);
    TS_SDO_Write = Sheet(1);
}

TFSet_SDO_Client_Access::~TFSet_SDO_Client_Access()
{
    if (FSet_SDO_Client_Access == this)
        FSet_SDO_Client_Access = nullptr;
}

bool TFSet_SDO_Client_Access::Check_Row(Integer Index, Integer Row)
{
    const bool read = Index == 0;
    const Integer first = read ? 3661 : 3670;
    // Reads are polled, so their period cannot be 0; writes may go on a change only.
    return Check_Range(Index, Row, cDevice, 1, 127, first) &&
           Check_Range(Index, Row, cIndex, 0x1000, 0xFFFF, first + 1) &&
           Check_Range(Index, Row, cSubIndex, 0, 0xFF, first + 2) && Check_Byte_Count(Index, Row, cNByte, first + 3) &&
           Check_Range(Index, Row, cPoll_Time, read ? 1 : 0, 100000000, first + 4) &&
           Check_Addresses(Index, Row, read ? 6 : 7, Cell_Int(Index, cNByte, Row), first + 5,
                           read ? PROFINET_NByte_IN : PROFINET_NByte_OUT);
}
