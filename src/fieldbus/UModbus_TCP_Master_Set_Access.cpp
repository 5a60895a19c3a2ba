#include "fieldbus/UModbus_TCP_Master_Set_Access.h"

#include "shell/UComon.h"

TFModbus_TCP_Master_Set_Access* FModbus_TCP_Master_Set_Access = nullptr;

namespace {

constexpr TRuleColumn Read_Columns[] = {
    {"Enable", reCheck, 50, 3109, 3169, rmDefault, "Y"},
    {"IP_Address", reText, 105, 3110, 3170},
    {"Port", reText, 50, 3111, 3171},
    {"Slave_ID", reText, 60, 3112, 3172},
    {"Type", reCombo, 115, 3113, 3173, rmRequired, "", Modbus_Read_Types},
    {"Address", reText, 65, 3114, 3174},
    {"NPoint", reText, 60, 3115, 3175},
    {"PollTime", reText, 65, 3116, 3176},
    {"MaxError", reText, 65, 3117, 3177},
    {"Position", reCombo, 60, 3118, 3178},
    {"Bit", reCombo, 55, 3119, 3179, rmRequired, "", "#8"},
    {"Swap", reCheck, 45, 3120, 3180, rmDefault, "N"},
    {"SwapWord", reCheck, 70, 3200, 3202, rmDefault, "N"},
    {"Index_Topic", reCombo, 100, 3162, 3181, rmKeep},
    {"Mnemonic", reText, 170, 3121, 3182},
};

constexpr TRuleColumn Write_Columns[] = {
    {"Enable", reCheck, 50, 3123, 3183, rmDefault, "Y"},
    {"IP_Address", reText, 105, 3124, 3184},
    {"Port", reText, 50, 3125, 3185},
    {"Slave_ID", reText, 60, 3126, 3186},
    {"Type", reCombo, 115, 3127, 3187, rmRequired, "", Modbus_Write_Types},
    {"Address", reText, 65, 3128, 3188},
    {"NPoint", reText, 60, 3129, 3189},
    {"PollTime", reText, 65, 3130, 3190},
    {"OnChange", reCheck, 65, 3131, 3191},
    {"OnCMD", reCheck, 55, 3132, 3192, rmDefault, "N"},
    {"MaxError", reText, 65, 3133, 3193},
    {"Position", reCombo, 60, 3134, 3194},
    {"Bit", reCombo, 55, 3135, 3195, rmRequired, "", "#8"},
    {"Swap", reCheck, 45, 3136, 3196, rmDefault, "N"},
    {"SwapWord", reCheck, 70, 3201, 3203, rmDefault, "N"},
    {"Mnemonic", reText, 80, 3137, 3197},
};

const TRuleTable Requests_Read{"Modbus_Read", Read_Columns, 3108, 3106, 2, true};
const TRuleTable Requests_Write{"Modbus_Write", Write_Columns, 3122, 3107, 2, true};
// Copy Row and Paste Row keep their built-in captions.
const TRuleTexts Texts{3100, 3101, {3102, 3103, 3104, 3105, -1, -1}, {3163, 3164, 3165, 3166, 3167, 3168}, 3161, 3138};
const TRuleFile File{&ModbusTCPM_SetAccess_File, "PROFINET_Master_to_Modbus_TCP_Master", "1.006"};

} // namespace

TFModbus_TCP_Master_Set_Access::TFModbus_TCP_Master_Set_Access(TComponent* AOwner)
    : TModbusMasterForm(AOwner, QStringLiteral("FModbus_TCP_Master_Set_Access"), 1150, Texts, File,
                        {Requests_Read,
                         Requests_Write,
                         {false, false, false, true, false},
                         {false, false, false, true, true},
                         {3139, 3140, 3141, 3142, 3143, 3144, 3199, 3146, 3147, 3148, 3149, 3198},
                         {3150, 3151, 3152, 3153, 3154, 3155, 3156, 3157, 3158, 3159, 3160, -1}},
                        true)
{
}

TFModbus_TCP_Master_Set_Access::~TFModbus_TCP_Master_Set_Access()
{
    if (FModbus_TCP_Master_Set_Access == this)
        FModbus_TCP_Master_Set_Access = nullptr;
}

QString TFModbus_TCP_Master_Set_Access::File_Value(Integer Index, Integer Col, Integer Row) const
{
    return Index == 0 && Col == Topic_Col() ? Topic_Index(Row) : TModbusMasterForm::File_Value(Index, Col, Row);
}
