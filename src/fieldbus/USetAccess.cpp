#include "fieldbus/USetAccess.h"

#include "shell/UComon.h"

TFSetAccess* FSetAccess = nullptr;

namespace {

constexpr TRuleColumn Read_Columns[] = {
    {"Enable", reCheck, 50, 3017, 3043, rmDefault, "Y"},
    {"Slave_ID", reText, 60, 3018, 3044},
    {"Type", reCombo, 120, 3019, 3045, rmRequired, "", Modbus_Read_Types},
    {"Address", reText, 65, 3020, 3046},
    {"NPoint", reText, 60, 3021, 3047},
    {"PollTime", reText, 70, 3022, 3048},
    {"MaxError", reText, 70, 3023, 3049},
    {"Position", reCombo, 65, 3024, 3050},
    {"Bit", reCombo, 60, 3025, 3051, rmRequired, "", "#8"},
    {"Swap", reCheck, 50, 3026, 3052, rmDefault, "N"},
    {"SwapWord", reCheck, 70, 3090, 3092, rmDefault, "N"},
    {"Index_Topic", reCombo, 100, 3042, 3053, rmKeep},
    {"Mnemonic", reText, 190, 3027, 3054},
};

constexpr TRuleColumn Write_Columns[] = {
    {"Enable", reCheck, 50, 3029, 3055, rmDefault, "Y"},
    {"Slave_ID", reText, 60, 3030, 3056},
    {"Type", reCombo, 120, 3031, 3057, rmRequired, "", Modbus_Write_Types},
    {"Address", reText, 65, 3032, 3058},
    {"NPoint", reText, 60, 3033, 3059},
    {"PollTime", reText, 70, 3034, 3060},
    {"OnChange", reCheck, 65, 3035, 3061},
    {"OnCMD", reCheck, 60, 3036, 3062, rmDefault, "N"},
    {"MaxError", reText, 70, 3037, 3063},
    {"Position", reCombo, 65, 3038, 3064},
    {"Bit", reCombo, 60, 3039, 3065, rmRequired, "", "#8"},
    {"Swap", reCheck, 50, 3040, 3066, rmDefault, "N"},
    {"SwapWord", reCheck, 70, 3091, 3093, rmDefault, "N"},
    {"Mnemonic", reText, 100, 3041, 3067},
};

const TRuleTable Requests_Read{"Modbus_Read", Read_Columns, 3016, 3014, 2, true};
const TRuleTable Requests_Write{"Modbus_Write", Write_Columns, 3028, 3015, 2, true};
const TRuleTexts Texts{3000, 3001, {3002, 3003, 3004, 3005, 3006, 3007}, {3008, 3009, 3010, 3011, 3012, 3013}, 3088, 3068};
const TRuleFile File{&ModbusM_SetAccess_File, "EtherNetIP_to_Modbus", "1.002"};

} // namespace

TFSetAccess::TFSetAccess(TComponent* AOwner)
    : TModbusMasterForm(AOwner, QStringLiteral("FSetAccess"), 1040, Texts, File,
                        {Requests_Read,
                         Requests_Write,
                         {true, true, false, true, true},
                         {false, false, false, true, true},
                         {-1, -1, 3069, 3070, 3071, 3072, 3073, 3074, 3075, 3076, 3077, 3078},
                         {-1, -1, 3079, 3080, 3081, 3082, 3083, 3084, 3085, 3086, 3087, -1}},
                        false)
{
}

TFSetAccess::~TFSetAccess()
{
    if (FSetAccess == this)
        FSetAccess = nullptr;
}

QString TFSetAccess::File_Value(Integer Index, Integer Col, Integer Row) const
{
    return Index == 0 && Col == Topic_Col() ? QString() : TModbusMasterForm::File_Value(Index, Col, Row);
}
