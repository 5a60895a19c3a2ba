#include "fieldbus/USet_PDO_Access.h"

#include "shell/UComon.h"

TFSet_PDO_Access* FSet_PDO_Access = nullptr;

namespace {

enum { cCOB_ID = 1, cDimension, cAddress_B1, cTime = 11 };

// Address byte k (1..8): column 2 + k.
#define PDO_ADDRESS(k, width, header, hint) {"Address_B" #k, reText, width, header + k, hint + k}

constexpr TRuleColumn Receive_Columns[] = {
    {"COB-ID", reText, 60, 3517, 3543},
    {"Dimension", reText, 70, 3518, 3544},
    PDO_ADDRESS(1, 55, 3518, 3544), PDO_ADDRESS(2, 55, 3518, 3544), PDO_ADDRESS(3, 55, 3518, 3544),
    PDO_ADDRESS(4, 55, 3518, 3544), PDO_ADDRESS(5, 55, 3518, 3544), PDO_ADDRESS(6, 55, 3518, 3544),
    PDO_ADDRESS(7, 55, 3518, 3544), PDO_ADDRESS(8, 55, 3518, 3544),
    {"TimeOut", reText, 65, 3527, 3553},
    {"Mnemonic", reText, 100, 3528, 3554},
};

constexpr TRuleColumn Transmit_Columns[] = {
    {"COB-ID", reText, 60, 3530, 3555},
    {"Dimension", reText, 70, 3531, 3556},
    PDO_ADDRESS(1, 45, 3531, 3556), PDO_ADDRESS(2, 45, 3531, 3556), PDO_ADDRESS(3, 45, 3531, 3556),
    PDO_ADDRESS(4, 45, 3531, 3556), PDO_ADDRESS(5, 45, 3531, 3556), PDO_ADDRESS(6, 45, 3531, 3556),
    PDO_ADDRESS(7, 45, 3531, 3556), PDO_ADDRESS(8, 45, 3531, 3556),
    {"Send_Time", reText, 70, 3540, 3565},
    {"On_Change", reCheck, 70, 3541, 3566},
    {"Mnemonic", reText, 80, 3542, 3567},
};
#undef PDO_ADDRESS

const TRuleTable Receive_PDO{"Receive_PDO", Receive_Columns, 3516, 3514, cCOB_ID, false};
const TRuleTable Transmit_PDO{"Transmit_PDO", Transmit_Columns, 3529, 3515, cCOB_ID, false};
const TRuleTexts Texts{3500, 3501, {3502, 3503, 3504, 3505, 3506, 3507}, {3508, 3509, 3510, 3511, 3512, 3513}, 3591, 3568};
const TRuleFile File{&PDO_CANopen_File, "PDO_CANopen", "1.000"};

} // namespace

TFSet_PDO_Access::TFSet_PDO_Access(TComponent* AOwner)
    : TCANopenTableForm(AOwner, QStringLiteral("FSet_PDO_Access"), 798, Texts, File, Receive_PDO, Transmit_PDO,
                        "TS_Receive_PDO", "TS_Transmit_PDO", 30)
{
    TS_Receive_PDO = Sheet(0);
    TS_Transmit_PDO = Sheet(1);
}

TFSet_PDO_Access::~TFSet_PDO_Access()
{
    if (FSet_PDO_Access == this)
        FSet_PDO_Access = nullptr;
}

bool TFSet_PDO_Access::Check_Row(Integer Index, Integer Row)
{
    const bool receive = Index == 0;
    const Integer first = receive ? 3569 : 3580;
    if (!Check_Range(Index, Row, cCOB_ID, 0, 2047, first) || !Check_Range(Index, Row, cDimension, 1, 8, first + 1))
        return false;
    // Only the bytes within the dimension name array positions.
    if (!Check_Addresses(Index, Row, cAddress_B1, Cell_Int(Index, cDimension, Row), first + 2,
                         receive ? PROFINET_NByte_IN : PROFINET_NByte_OUT))
        return false;
    return receive ? Check_Range(Index, Row, cTime, 0, 65535, 3579) : Check_Range(Index, Row, cTime, 0, 100000000, 3590);
}
