#include "plant/USNMPManagerAccess.h"

#include "grid/columns/ExColumnGrid.h"
#include "platform/StringList.h"
#include "platform/Text.h"
#include "shell/TextChecks.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

TFSNMPManagerAccess* FSNMPManagerAccess = nullptr;

namespace {


constexpr unsigned Orange = 0xFFD8B0, Cyan = 0xE0FAFE, Yellow = 0xFFFFA8, Green = 0xA8FFA8, Pink = 0xFCD6F4,
                   Violet = 0xD5D5FF, Blue = 0x91DEFF;

constexpr TRuleColumn Columns[] = {
    {"Enable", reCheck, 50, 6109, 6123, rmDefault, "Y", nullptr, Orange},
    {"IP_Address", reText, 90, 6110, 6124, rmDefault, "", nullptr, Cyan},
    {"Version", reCombo, 60, 6111, 6125, rmDefault, "", "1|2|3", Cyan},
    {"Community_String", reComboEdit, 106, 6112, 6126, rmDefault, "", "Lumera|Vostrel", Cyan},
    {"OID", reText, 100, 6113, 6127, rmDefault, "", nullptr, Cyan},
    {"Type", reCombo, 65, 6114, 6128, rmDefault, "", "String|Int", Yellow},
    {"Mode", reCombo, 65, 6115, 6129, rmDefault, "", "Get|Set|Trap", Yellow},
    {"On_Change", reCheck, 75, 6116, 6130, rmDefault, "N", nullptr, Green},
    {"On_Command", reCheck, 50, 6117, 6131, rmDefault, "N", nullptr, Green},
    {"On_Timer", reCheck, 65, 6118, 6132, rmDefault, "N", nullptr, Green},
    {"Time", reText, 65, 6119, 6133, rmDefault, "", nullptr, Green},
    {"Position", reCombo, 75, 6120, 6134, rmDefault, "", "#1440", Pink},
    {"Number_Bytes", reText, 75, 6121, 6135, rmDefault, "", nullptr, Pink},
    {"ConvertFrom", reCombo, 95, 6154, 6155, rmDefault, "None", "None|Float|Float * 10|Float * 100", Orange},
    {"Cancel", reCheck, 50, 6160, 6161, rmDefault, "N", nullptr, Violet},
    {"User", reText, 70, 6162, 6168, rmDefault, "", nullptr, Blue},
    {"Auth_Pass", reText, 70, 6163, 6169, rmDefault, "", nullptr, Blue},
    {"Priv_Pass", reText, 70, 6164, 6170, rmDefault, "", nullptr, Blue},
    {"Security_Level", reCombo, 100, 6165, 6171, rmDefault, "", "NoAuth NoPriv|Auth NoPriv|Auth Priv", Blue},
    {"Auth_Mode", reCombo, 75, 6166, 6172, rmDefault, "", "MD5|SHA", Blue},
    {"Priv_Mode", reCombo, 75, 6167, 6173, rmDefault, "", "DES|AES", Blue},
    {"Mnemonic", reText, 80, 6122, 6136, rmDefault},
};

constexpr Integer Rows = 512;
const TRuleTable Table{nullptr, Columns, 6108, -1, 2, true};
const TRuleGridLook Look{true, true, true, false, true};

const TRuleTexts Texts{6100, 6101, {6102, 6103, 6104, 6105, 6106, 6107}, {6148, 6149, 6150, 6151, 6152, 6153}, 6147,
                       6137};
const TRuleFile File{&SNMP_Manager_File, "SNMP_Manager_Access", "1.000"};

enum {
    cEnable = 1, cIP, cVersion, cCommunity, cOID, cType, cMode, cOnChange, cOnCMD, cOnTimer, cTime, cPosition,
    cNum_Bytes, cConversion, cCancel, cUser, cAuth_Pass, cPriv_Pass, cSecurity, cAuth_Mode, cPriv_Mode
};

constexpr Integer Max_Budget = 47104;

} // namespace

TFSNMPManagerAccess::TFSNMPManagerAccess(TComponent* AOwner)
    : TRuleTableForm(AOwner, QStringLiteral("FSNMPManagerAccess"), 1230, 337, Texts, File)
{
    Focus_On_Show = true;
    ACG_SNMP = Add_Grid(Table, Look, "ACG_SNMP", Rows, nullptr, &Do_Copy_SNMP);
    ACG_SNMP->SetDefaultRowHeight(22);
    Hint_SNMP = Hint_List(ACG_SNMP);
}

TFSNMPManagerAccess::~TFSNMPManagerAccess()
{
    if (FSNMPManagerAccess == this)
        FSNMPManagerAccess = nullptr;
}

bool TFSNMPManagerAccess::Controllo_dati()
{
    const Integer g = 0;
    const Integer end = Table_End(g);
    Integer budget = 1;
    auto count = [&](Integer c, Integer r) {
        const QString s = Cell(g, c, r);
        if (!s.isEmpty())
            budget += Integer(s.size()) + 1;
    };
    for (Integer r = 1; r < end; ++r) {
        if (!Row_Enabled(g, r, false))
            continue;
        auto fault = [&](Integer text) {
            Row_Error(r, Lang_Text(text));
            return false;
        };
        QString p1, p2, p3, p4;
        if (!Split_IP_Address(Cell(g, cIP, r), p1, p2, p3, p4))
            return fault(6138);
        // An empty OID is refused as a text that is no identifier.
        if (const Integer oid = Check_OID(Cell(g, cOID, r)); oid != 0)
            return fault(6138 + oid);
        count(cOID, r);
        if (Cell_Trim(g, cOnTimer, r) == QLatin1String("Y")) {
            const Integer time = Cell_Int(g, cTime, r);
            if (time < 1 || time > 100000000)
                return fault(6145);
        }
        const Integer bytes = Cell_Int(g, cNum_Bytes, r);
        if (bytes < 0 || bytes > 1024)
            return fault(6146);
        if (Cell_Trim(g, cConversion, r).isEmpty())
            return fault(6156);
        if (Cell_Int(g, cVersion, r) == 3) {
            count(cUser, r);
            const Integer level = SNMP_Security_Level_Code(Cell(g, cSecurity, r));
            if (level & 1) {
                count(cAuth_Pass, r);
                if (Cell_Trim(g, cAuth_Mode, r).isEmpty())
                    return fault(6184);
            }
            if (level & 2) {
                count(cPriv_Pass, r);
                if (Cell_Trim(g, cPriv_Mode, r).isEmpty())
                    return fault(6185);
            }
        }
    }
    for (Integer c = 1; c < end; ++c) {
        if (!Row_Enabled(g, c, false))
            continue;
        for (Integer f = c + 1; f < end; ++f) {
            if (Row_Enabled(g, f, false) && Cell_Trim(g, cIP, f) == Cell_Trim(g, cIP, c) &&
                Cell_Trim(g, cVersion, f) == Cell_Trim(g, cVersion, c) &&
                Cell_Trim(g, cOID, f) == Cell_Trim(g, cOID, c)) {
                Error_Box(Lang_Text(6186) + QString::number(c) + Lang_Text(6187) + QString::number(f) +
                          Lang_Text(6188));
                return false;
            }
        }
    }
    if (budget > Max_Budget) {
        Error_Box(Lang_Text(6189));
        return false;
    }
    return true;
}
