#include "plant/USNMP_Trap_Access.h"

#include "controls/FxButton.h"
#include "grid/columns/ExColumnGrid.h"
#include "platform/ExtCtrls.h"
#include "platform/PageControl.h"
#include "platform/StdControls.h"
#include "platform/StringList.h"
#include "platform/Text.h"
#include "platform/XmlDocument.h"
#include "shell/TextChecks.h"
#include "shell/UComon.h"

TFSNMP_Trap_Access* FSNMP_Trap_Access = nullptr;

namespace {

using K = TCell_Kind;

constexpr unsigned Orange = 0xFFD8B0, Cyan = 0xE0FAFE, Green = 0xA8FFA8, Pink = 0xFCD6F4, Yellow = 0xFFFFA8,
                   Violet = 0xD5D5FF, Teal = 0xC9E4E4, White = 0xFFFFFF;
constexpr const char* Conversions = "None|Float|Float * 10|Float * 100|Float * 1000|Float / 10|Float / 100|"
                                    "Float / 1000|Int * 10|Int * 100|Int * 1000";

constexpr TTable_Column Read_Columns[] = {
    {"Enable", "Y", 50, 6217, 6239, K::Check, nullptr, Orange},
    {"Community_Name", "", 130, 6218, 6240, K::Edit_List, "Lumera|Vostrel", Cyan, 15},
    {"Type", "", 60, 6219, 6241, K::List, "Int|String", Cyan},
    {"On_Change", "N", 75, 6220, 6242, K::Check, nullptr, Green},
    {"On_Command", "N", 50, 6221, 6243, K::Check, nullptr, Green},
    {"On_Timer", "N", 60, 6222, 6244, K::Check, nullptr, Green},
    {"Time", "", 65, 6223, 6245, K::Text, nullptr, Green},
    {"Position", "", 60, 6224, 6246, K::List, nullptr, Pink},
    {"Bit", "", 60, 6225, 6247, K::List, "#8", Pink},
    {"NumBits", "", 95, 6226, 6248, K::Text, nullptr, Yellow},
    {"Description", "", 130, 6227, 6249, K::Text, nullptr, Violet, 15},
    {"IP_Address", "", 120, 6228, 6250, K::Text, nullptr, Teal},
    {"Conversion", "None", 100, 6281, 6283, K::List, Conversions, Orange},
    {"Mnemonic", "", 130, 6229, 6251, K::Text, nullptr, White},
};

constexpr TTable_Column Write_Columns[] = {
    {"Enable", "Y", 50, 6231, 6252, K::Check, nullptr, Orange},
    {"Community_Name", "", 130, 6232, 6253, K::Edit_List, "Lumera|Vostrel", Cyan, 15},
    {"Type", "", 60, 6233, 6254, K::List, "Int|String", Cyan},
    {"Position", "", 60, 6234, 6255, K::List, nullptr, Pink},
    {"Bit", "", 60, 6235, 6256, K::List, "#8", Pink},
    {"NumBits", "", 95, 6236, 6257, K::Text, nullptr, Yellow},
    {"Description", "", 130, 6237, 6258, K::Text, nullptr, Violet, 15},
    {"Conversion", "None", 100, 6282, 6284, K::List, Conversions, Orange},
    {"Mnemonic", "", 500, 6238, 6259, K::Text, nullptr, White},
};

constexpr Integer Rows = 256;
const TTable_Spec Read_Spec{"SNMP_Trap_Read", Read_Columns, 6216, 2, Rows};
const TTable_Spec Write_Spec{"SNMP_Trap_Write", Write_Columns, 6230, 2, Rows};

// Real columns and fault texts of one table; -1 where it has no such column.
struct TAgent_Checks {
    Integer On_Timer, Time, Position, Start_Bit, Num_Bits, Description, IP, Conversion;
    Integer Community_Fault, Type_Fault, Time_Fault, Position_Fault, Start_Bit_Fault, String_Bit_Fault,
        Int_Size_Fault, String_Size_Fault, Description_Fault, IP_Fault, Conversion_Fault;
};

constexpr TAgent_Checks Read_Checks{6, 7, 8, 9, 10, 11, 12, 13, 6276, 6261, 6262, 6263, 6264, 6265, 6266,
                                    6267, 6277, 6268, 6285};
constexpr TAgent_Checks Write_Checks{-1, -1, 4, 5, 6, 7, -1, 8, 6278, 6269, -1, 6270, 6271, 6272, 6273,
                                     6274, 6279, -1, 6286};

constexpr Integer cEnable = 1, cCommunity = 2, cType = 3;

bool Is_Digit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}
bool Is_Lower(QChar c)
{
    return c >= QLatin1Char('a') && c <= QLatin1Char('z');
}
bool Is_Upper(QChar c)
{
    return c >= QLatin1Char('A') && c <= QLatin1Char('Z');
}


} // namespace

TFSNMP_Trap_Access::TFSNMP_Trap_Access(TComponent* AOwner)
    : TTable_Window(AOwner, QStringLiteral("FSNMP_Trap_Access"), 1256, 337)
{
    Delete_Question = 6275;
    Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };

    PageControl1 = Make_Pages("PageControl1");
    TS_SNMP_Read = Make_Page(PageControl1, "TS_SNMP_Read");
    TS_SNMP_Write = Make_Page(PageControl1, "TS_SNMP_Write");
    ACG_SNMP_Read = Make_Grid(TS_SNMP_Read, Read_Spec, "ACG_SNMP_Read");
    ACG_SNMP_Write = Make_Grid(TS_SNMP_Write, Write_Spec, "ACG_SNMP_Write");
    for (TExColumnGrid* g : {ACG_SNMP_Read, ACG_SNMP_Write})
        g->OnCheckBoxClick = [this](TObject* s, Integer c, Integer r, bool v) { ACG_SNMP_ReadCheckBoxClick(s, c, r, v); };

    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
}

TFSNMP_Trap_Access::~TFSNMP_Trap_Access()
{
    if (FSNMP_Trap_Access == this)
        FSNMP_Trap_Access = nullptr;
}

void TFSNMP_Trap_Access::FormCreate(TObject*)
{
    Frame_Create();
    PageControl1->SetActivePage(TS_SNMP_Read);
    Hint_SNMP_Read = std::make_unique<TStringList>();
    Hint_SNMP_Write = std::make_unique<TStringList>();
    SL_Check_Desc = std::make_unique<TStringList>();
    FTables.clear();
    Add_Table(ACG_SNMP_Read, Read_Spec, Hint_SNMP_Read.get(), &Do_Copy_In_Read);
    Add_Table(ACG_SNMP_Write, Write_Spec, Hint_SNMP_Write.get(), &Do_Copy_In_Write);
    Set_Lang();
}

void TFSNMP_Trap_Access::FormShow(TObject*)
{
    Blank_Rows(ACG_SNMP_Read, Read_Spec);
    Blank_Rows(ACG_SNMP_Write, Write_Spec);
    NByte_IN = 1440;
    NByte_OUT = 1440;
    Fill_Positions(ACG_SNMP_Read, Read_Checks.Position, NByte_IN);
    Fill_Positions(ACG_SNMP_Write, Write_Checks.Position, NByte_OUT);
    if (Load_File(SNMP_Trap_File)) {
        const TXMLNode root = FXML1->Root();
        Fill_Rows(ACG_SNMP_Read, Read_Spec, root.FindChild(QLatin1String(Read_Spec.Element)));
        Fill_Rows(ACG_SNMP_Write, Write_Spec, root.FindChild(QLatin1String(Write_Spec.Element)));
    }
    Index_Row_Build(ACG_SNMP_Read);
    Index_Row_Build(ACG_SNMP_Write);
    Reset_Copies();
}

bool TFSNMP_Trap_Access::Check_Error_CommName_Desc(const QString& Text, Integer Kind)
{
    for (qsizetype i = 0; i < Text.size(); ++i) {
        const QChar c = Text[i];
        const bool ok = Kind == 1 && i == 0 ? Is_Lower(c) : Is_Digit(c) || Is_Lower(c) || Is_Upper(c);
        if (!ok)
            return true;
    }
    return false;
}

void TFSNMP_Trap_Access::Index_Row_Build(TExColumnGrid* Grid)
{
    Integer index = 0;
    for (Integer r = 1; r < Grid->GetRowCount(); ++r)
        Grid->SetCellEx(0, r, UpperCase(Grid->GetCellEx(cEnable, r)) == QLatin1String("Y") ? QString::number(++index)
                                                                                          : QString());
}

void TFSNMP_Trap_Access::ACG_SNMP_ReadCheckBoxClick(TObject* Sender, Integer ACol, Integer, bool)
{
    if (ACol == cEnable)
        Index_Row_Build(static_cast<TExColumnGrid*>(Sender));
}

bool TFSNMP_Trap_Access::Controllo_dati()
{
    SL_Check_Desc->Clear();
    const struct {
        TExColumnGrid* Grid;
        const TAgent_Checks& K;
    } tables[] = {{ACG_SNMP_Read, Read_Checks}, {ACG_SNMP_Write, Write_Checks}};
    for (const auto& t : tables) {
        TExColumnGrid* g = t.Grid;
        const TAgent_Checks& k = t.K;
        const Integer end = Table_End(g, Read_Spec);  // both tables end at a blank column 2
        for (Integer r = 1; r < end; ++r) {
            if (UpperCase(g->GetCellEx(cEnable, r)) != QLatin1String("Y"))
                continue;
            auto fault = [&](Integer text) { return Row_Fault(6260, r, Plant_Lang(text)); };
            if (Check_Error_CommName_Desc(g->GetCellEx(cCommunity, r), 0))
                return fault(k.Community_Fault);
            if (Cell_Trim(g, cType, r).isEmpty())
                return fault(k.Type_Fault);
            const bool is_int = UpperCase(g->GetCellEx(cType, r)) == QLatin1String("INT");
            if (k.On_Timer >= 0 && UpperCase(g->GetCellEx(k.On_Timer, r)) == QLatin1String("Y")) {
                const Integer time = Cell_Int(g, k.Time, r);
                if (time < 1 || time > 1000000000)
                    return fault(k.Time_Fault);
            }
            if (Cell_Trim(g, k.Position, r).isEmpty())
                return fault(k.Position_Fault);
            if (Cell_Trim(g, k.Start_Bit, r).isEmpty())
                return fault(k.Start_Bit_Fault);
            if (!is_int && Cell_Trim(g, k.Start_Bit, r) != QLatin1String("0"))
                return fault(k.String_Bit_Fault);
            const Integer size = Cell_Int(g, k.Num_Bits, r);
            if (is_int && (size < 1 || size > 64))
                return fault(k.Int_Size_Fault);
            if (!is_int && (size < 1 || size > 16))
                return fault(k.String_Size_Fault);
            const QString description = g->GetCellEx(k.Description, r);
            if (Check_Error_CommName_Desc(description, 1))
                return fault(k.Description_Fault);
            SL_Check_Desc->Add(description);
            QString p1, p2, p3, p4;
            if (k.IP >= 0 && !Split_IP_Address(g->GetCellEx(k.IP, r), p1, p2, p3, p4))
                return fault(k.IP_Fault);
            if (Cell_Trim(g, k.Conversion, r).isEmpty())
                return fault(k.Conversion_Fault);
        }
    }
    for (Integer i = 0; i < SL_Check_Desc->Count(); ++i)
        for (Integer j = i + 1; j < SL_Check_Desc->Count(); ++j)
            if (SL_Check_Desc->Strings(i) == SL_Check_Desc->Strings(j)) {
                Error_Box(Plant_Lang(6280));
                return false;
            }
    return true;
}

void TFSNMP_Trap_Access::Btn_OKClick(TObject*)
{
    if (!Controllo_dati())
        return;
    TXMLNode root = New_Document(QStringLiteral("SNMP_Trap"), QStringLiteral("1.000"));
    Write_Rows(root.AddChild(QLatin1String(Read_Spec.Element)), ACG_SNMP_Read, Read_Spec);
    Write_Rows(root.AddChild(QLatin1String(Write_Spec.Element)), ACG_SNMP_Write, Write_Spec);
    Save_And_Close(SNMP_Trap_File);
}

TExColumnGrid* TFSNMP_Trap_Access::Shown_Grid() const
{
    return PageControl1->ActivePage() == TS_SNMP_Read ? ACG_SNMP_Read : ACG_SNMP_Write;
}

void TFSNMP_Trap_Access::Set_Lang()
{
    SetCaption(Plant_Lang(6200));
    L_SW_Desc->SetCaption(Plant_Lang(6201));
    Buttons_Lang(6202, 6210);
    TS_SNMP_Read->SetCaption(Plant_Lang(6208));
    TS_SNMP_Write->SetCaption(Plant_Lang(6209));
    Table_Lang(ACG_SNMP_Read, Read_Spec, Hint_SNMP_Read.get());
    Table_Lang(ACG_SNMP_Write, Write_Spec, Hint_SNMP_Write.get());
}
