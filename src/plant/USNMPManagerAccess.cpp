#include "plant/USNMPManagerAccess.h"

#include "controls/FxButton.h"
#include "grid/columns/ExColumnGrid.h"
#include "platform/ExtCtrls.h"
#include "platform/StdControls.h"
#include "platform/StringList.h"
#include "platform/Text.h"
#include "platform/XmlDocument.h"
#include "shell/TextChecks.h"
#include "shell/UComon.h"

TFSNMPManagerAccess* FSNMPManagerAccess = nullptr;

namespace {

using K = TCell_Kind;

constexpr unsigned Orange = 0xFFD8B0, Cyan = 0xE0FAFE, Yellow = 0xFFFFA8, Green = 0xA8FFA8, Pink = 0xFCD6F4,
                   Violet = 0xD5D5FF, Blue = 0x91DEFF;

constexpr TTable_Column Columns[] = {
    {"Enable", "Y", 50, 6109, 6123, K::Check, nullptr, Orange},
    {"IP_Address", "", 90, 6110, 6124, K::Text, nullptr, Cyan},
    {"Version", "", 60, 6111, 6125, K::List, "1|2|3", Cyan},
    {"Community_String", "", 106, 6112, 6126, K::Edit_List, "Lumera|Vostrel", Cyan},
    {"OID", "", 100, 6113, 6127, K::Text, nullptr, Cyan},
    {"Type", "", 65, 6114, 6128, K::List, "String|Int", Yellow},
    {"Mode", "", 65, 6115, 6129, K::List, "Get|Set|Trap", Yellow},
    {"On_Change", "N", 75, 6116, 6130, K::Check, nullptr, Green},
    {"On_Command", "N", 50, 6117, 6131, K::Check, nullptr, Green},
    {"On_Timer", "N", 65, 6118, 6132, K::Check, nullptr, Green},
    {"Time", "", 65, 6119, 6133, K::Text, nullptr, Green},
    {"Position", "", 75, 6120, 6134, K::List, "#1440", Pink},
    {"Number_Bytes", "", 75, 6121, 6135, K::Text, nullptr, Pink},
    {"ConvertFrom", "None", 95, 6154, 6155, K::List, "None|Float|Float * 10|Float * 100", Orange},
    {"Cancel", "N", 50, 6160, 6161, K::Check, nullptr, Violet},
    {"User", "", 70, 6162, 6168, K::Text, nullptr, Blue},
    {"Auth_Pass", "", 70, 6163, 6169, K::Text, nullptr, Blue},
    {"Priv_Pass", "", 70, 6164, 6170, K::Text, nullptr, Blue},
    {"Security_Level", "", 100, 6165, 6171, K::List, "NoAuth NoPriv|Auth NoPriv|Auth Priv", Blue},
    {"Auth_Mode", "", 75, 6166, 6172, K::List, "MD5|SHA", Blue},
    {"Priv_Mode", "", 75, 6167, 6173, K::List, "DES|AES", Blue},
    {"Mnemonic", "", 80, 6122, 6136},
};

constexpr Integer Rows = 512;
const TTable_Spec Spec{nullptr, Columns, 6108, 2, Rows};

enum {
    cEnable = 1, cIP, cVersion, cCommunity, cOID, cType, cMode, cOnChange, cOnCMD, cOnTimer, cTime, cPosition,
    cNum_Bytes, cConversion, cCancel, cUser, cAuth_Pass, cPriv_Pass, cSecurity, cAuth_Mode, cPriv_Mode
};

constexpr Integer Max_Budget = 47104;

bool Row_Enabled(const TExColumnGrid* g, Integer r)
{
    return Cell_Trim(g, cEnable, r) == QLatin1String("Y");
}

} // namespace

TFSNMPManagerAccess::TFSNMPManagerAccess(TComponent* AOwner)
    : TTable_Window(AOwner, QStringLiteral("FSNMPManagerAccess"), 1230, 337)
{
    Delete_Question = 6147;
    Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };
    ACG_SNMP = Make_Grid(this, Spec, "ACG_SNMP");
    ACG_SNMP->SetDefaultRowHeight(22);
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
}

TFSNMPManagerAccess::~TFSNMPManagerAccess()
{
    if (FSNMPManagerAccess == this)
        FSNMPManagerAccess = nullptr;
}

void TFSNMPManagerAccess::FormCreate(TObject*)
{
    Frame_Create();
    Hint_SNMP = std::make_unique<TStringList>();
    FTables.clear();
    Add_Table(ACG_SNMP, Spec, Hint_SNMP.get(), &Do_Copy_SNMP);
    ACG_SNMP->SetRowCount(Rows + 1);
    Set_Lang();
}

void TFSNMPManagerAccess::FormShow(TObject*)
{
    Blank_Rows(ACG_SNMP, Spec);
    if (Load_File(SNMP_Manager_File))
        Fill_Rows(ACG_SNMP, Spec, FXML1->Root());
    Reset_Copies();
    if (ACG_SNMP->CanFocus())
        ACG_SNMP->SetFocus();
}

bool TFSNMPManagerAccess::Controllo_dati()
{
    TExColumnGrid* g = ACG_SNMP;
    const Integer end = Table_End(g, Spec);
    Integer budget = 1;
    auto count = [&](Integer c, Integer r) {
        const QString s = g->GetCellEx(c, r);
        if (!s.isEmpty())
            budget += Integer(s.size()) + 1;
    };
    for (Integer r = 1; r < end; ++r) {
        if (!Row_Enabled(g, r))
            continue;
        auto fault = [&](Integer text) { return Row_Fault(6137, r, Plant_Lang(text)); };
        QString p1, p2, p3, p4;
        if (!Split_IP_Address(g->GetCellEx(cIP, r), p1, p2, p3, p4))
            return fault(6138);
        // An empty OID is refused as a text that is no identifier.
        if (const Integer oid = Check_OID(g->GetCellEx(cOID, r)); oid != 0)
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
            const Integer level = SNMP_Security_Level_Code(g->GetCellEx(cSecurity, r));
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
        if (!Row_Enabled(g, c))
            continue;
        for (Integer f = c + 1; f < end; ++f) {
            if (Row_Enabled(g, f) && Cell_Trim(g, cIP, f) == Cell_Trim(g, cIP, c) &&
                Cell_Trim(g, cVersion, f) == Cell_Trim(g, cVersion, c) &&
                Cell_Trim(g, cOID, f) == Cell_Trim(g, cOID, c)) {
                Error_Box(Plant_Lang(6186) + QString::number(c) + Plant_Lang(6187) + QString::number(f) +
                          Plant_Lang(6188));
                return false;
            }
        }
    }
    if (budget > Max_Budget) {
        Error_Box(Plant_Lang(6189));
        return false;
    }
    return true;
}

void TFSNMPManagerAccess::Btn_OKClick(TObject*)
{
    if (!Controllo_dati())
        return;
    Write_Rows(New_Document(QStringLiteral("SNMP_Manager_Access"), QStringLiteral("1.000")), ACG_SNMP, Spec);
    Save_And_Close(SNMP_Manager_File);
}

void TFSNMPManagerAccess::Set_Lang()
{
    SetCaption(Plant_Lang(6100));
    L_SW_Desc->SetCaption(Plant_Lang(6101));
    Buttons_Lang(6102, 6148);
    Table_Lang(ACG_SNMP, Spec, Hint_SNMP.get());
}
