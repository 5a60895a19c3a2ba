#include "plant/US7_Protocol_Set_Access.h"

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

TFS7_Protocol_Set_Access* FS7_Protocol_Set_Access = nullptr;

namespace {

constexpr Integer Rows = 512;
constexpr const char* PLC_Types = "Logo0BA8|S7200|S7300|S7400|S71200|S71500";
constexpr const char* Data_Types = "Bit|Byte|Char|Word|Int|DWord|DInt|Real";
constexpr const char* Identifiers = "OB|DB|SDB|FC|SFC|FB|SFB";
constexpr const char* Areas = "Direct peripheral access (P)|Inputs (I)|Output (Q)|Flags (M) (Merker)";

using K = TCell_Kind;

constexpr TTable_Column Read_Columns[] = {
    {"Enable", "Y", 50, 5917, 5944, K::Check},
    {"PLC_Address", "", 110, 5918, 5945},
    {"PLC_Port", "", 65, 5919, 5946},
    {"PLC_Type", "", 80, 5920, 5947, K::List, PLC_Types},
    {"Rack", "0", 45, 6013, 6017},
    {"Slot", "0", 45, 6014, 6018},
    {"Data_Type", "", 75, 5921, 5948, K::List, Data_Types},
    {"Data_Identifier", "", 95, 5922, 5949, K::List, Identifiers},
    {"DB_Number", "", 75, 5989, 5997},
    {"PLC_Area", "", 160, 5990, 5998, K::List, Areas},
    {"PLC_Add", "", 65, 5991, 5999},
    {"PLC_Bit", "", 55, 5992, 6000, K::List, "#8"},
    {"PollTime", "", 70, 5923, 5950},
    {"Position", "", 65, 5924, 5951, K::List},
    {"Bit", "", 60, 5925, 5952, K::List, "#8"},
    {"Swap", "", 45, 5926, 5953, K::Check},
    {"SwapWord", "", 75, 5927, 5954, K::Check},
    {"Mnemonic", "", 150, 5928, 5955},
};

constexpr TTable_Column Write_Columns[] = {
    {"Enable", "Y", 50, 5930, 5956, K::Check},
    {"PLC_Address", "", 110, 5931, 5957},
    {"PLC_Port", "", 65, 5932, 5958},
    {"PLC_Type", "", 80, 5933, 5959, K::List, PLC_Types},
    {"Rack", "0", 45, 6015, 6019},
    {"Slot", "0", 45, 6016, 6020},
    {"Data_Type", "", 75, 5934, 5960, K::List, Data_Types},
    {"Data_Identifier", "", 95, 5935, 5961, K::List, Identifiers},
    {"DB_Number", "", 75, 5993, 6001},
    {"PLC_Area", "", 160, 5994, 6002, K::List, Areas},
    {"PLC_Add", "", 65, 5995, 6003},
    {"PLC_Bit", "", 55, 5996, 6004, K::List, "#8"},
    {"PollTime", "", 70, 5936, 5962},
    {"OnChange", "", 70, 5937, 5963, K::Check},
    {"OnCMD", "", 55, 5938, 5964, K::Check},
    {"Position", "", 65, 5939, 5965, K::List},
    {"Bit", "", 60, 5940, 5966, K::List, "#8"},
    {"Swap", "", 45, 5941, 5967, K::Check},
    {"SwapWord", "", 75, 5942, 5968, K::Check},
    {"Mnemonic", "", 150, 5943, 5969},
};

const TTable_Spec Read_Spec{"S7_Protocol_Read", Read_Columns, 5916, 2, Rows};
const TTable_Spec Write_Spec{"S7_Protocol_Write", Write_Columns, 5929, 2, Rows};

// Columns shared by both tables.
enum { cEnable = 1, cAddress, cPort, cType, cRack, cSlot, cData_Type, cIdentifier, cDB, cArea, cAdd, cBit, cPoll };

// What the checks of one table need besides the shared columns.
struct TS7_Checks {
    Integer Position_Col, Start_Bit_Col, Min_Poll;
    // Fault texts in the order of the checks.
    Integer Address, Port, Connections, Type, Rack, Slot, Data_Type, Identifier, DB, Area, Add, Bit, Poll, Position,
        Start_Bit;
};

constexpr TS7_Checks Read_Checks{14, 15, 1, 5971, 5972, 5987, 5973, 6021, 6022, 5974, 5975,
                                 6005, 6006, 6007, 6008, 5976, 5977, 5978};
constexpr TS7_Checks Write_Checks{16, 17, 0, 5979, 5980, 5988, 5981, 6023, 6024, 5982, 5983,
                                  6009, 6010, 6011, 6012, 5984, 5985, 5986};

bool Outside(Integer v, Integer lo, Integer hi)
{
    return v < lo || v > hi;
}


} // namespace

TFS7_Protocol_Set_Access::TFS7_Protocol_Set_Access(TComponent* AOwner)
    : TTable_Window(AOwner, QStringLiteral("FS7_Protocol_Set_Access"), 1350, 337)
{
    Delete_Question = 5493;
    Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };

    PageControl1 = Make_Pages("PageControl1");
    TS_S7_Read = Make_Page(PageControl1, "TS_S7_Read");
    TS_S7_Write = Make_Page(PageControl1, "TS_S7_Write");
    ACG_S7_Read = Make_Grid(TS_S7_Read, Read_Spec, "ACG_S7_Read");
    ACG_S7_Write = Make_Grid(TS_S7_Write, Write_Spec, "ACG_S7_Write");
    for (TExColumnGrid* g : {ACG_S7_Read, ACG_S7_Write})
        g->OnClickCell = [this](TObject* s, Integer r, Integer c) { ClickCell(s, r, c); };

    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
}

TFS7_Protocol_Set_Access::~TFS7_Protocol_Set_Access()
{
    if (FS7_Protocol_Set_Access == this)
        FS7_Protocol_Set_Access = nullptr;
}

void TFS7_Protocol_Set_Access::FormCreate(TObject*)
{
    Frame_Create();
    Hint_S7_Set_Access_Read = std::make_unique<TStringList>();
    Hint_S7_Set_Access_Write = std::make_unique<TStringList>();
    FTables.clear();
    Add_Table(ACG_S7_Read, Read_Spec, Hint_S7_Set_Access_Read.get(), &Do_Copy_In_Read);
    Add_Table(ACG_S7_Write, Write_Spec, Hint_S7_Set_Access_Write.get(), &Do_Copy_In_Write);
    Set_Lang();
}

void TFS7_Protocol_Set_Access::FormShow(TObject*)
{
    Blank_Rows(ACG_S7_Read, Read_Spec);
    Blank_Rows(ACG_S7_Write, Write_Spec);
    PageControl1->SetActivePage(TS_S7_Read);
    NByte_IN = 1500;
    NByte_OUT = 1500;
    Fill_Positions(ACG_S7_Read, Read_Checks.Position_Col, NByte_IN);
    Fill_Positions(ACG_S7_Write, Write_Checks.Position_Col, NByte_OUT);
    if (Load_File(S7_Protocol_File)) {
        const TXMLNode root = FXML1->Root();
        Fill_Rows(ACG_S7_Read, Read_Spec, root.FindChild(QLatin1String(Read_Spec.Element)));
        Fill_Rows(ACG_S7_Write, Write_Spec, root.FindChild(QLatin1String(Write_Spec.Element)));
    }
    Reset_Copies();
}

Integer TFS7_Protocol_Set_Access::Check_IP_Port(Integer IP1, Integer IP2, Integer IP3, Integer IP4, Integer Port)
{
    for (Integer i = 0; i < Integer(array_ip_Port.size()); ++i) {
        TIPPort& e = array_ip_Port[size_t(i)];
        if (e.IP1 == -1) {
            e = {IP1, IP2, IP3, IP4, Port};
            return i;
        }
        if (e.IP1 == IP1 && e.IP2 == IP2 && e.IP3 == IP3 && e.IP4 == IP4 && e.Port == Port)
            return i;
    }
    return -1;
}

bool TFS7_Protocol_Set_Access::Controllo_dati()
{
    array_ip_Port.fill(TIPPort{});
    const struct {
        TExColumnGrid* Grid;
        const TS7_Checks& Checks;
        Integer Positions;
    } tables[] = {{ACG_S7_Read, Read_Checks, NByte_IN}, {ACG_S7_Write, Write_Checks, NByte_OUT}};
    for (const auto& t : tables) {
        TExColumnGrid* g = t.Grid;
        const TS7_Checks& k = t.Checks;
        const Integer end = Table_End(g, Read_Spec);  // both tables end at a blank column 2
        for (Integer r = 1; r < end; ++r) {
            if (Cell_Trim(g, cEnable, r) != QLatin1String("Y"))
                continue;
            auto empty = [&](Integer c) { return Cell_Trim(g, c, r).isEmpty(); };
            auto fault = [&](Integer text, const QString& tail = QString()) {
                return Row_Fault(5970, r, Plant_Lang(text) + tail);
            };
            Byte b1 = 0, b2 = 0, b3 = 0, b4 = 0;
            if (IP_Text_To_Bytes(g->GetCellEx(cAddress, r), b1, b2, b3, b4))
                return fault(k.Address);
            const Integer port = Cell_Int(g, cPort, r);
            if (Outside(port, 0, 65535))
                return fault(k.Port);
            if (Check_IP_Port(b1, b2, b3, b4, port) < 0)
                return fault(k.Connections);
            if (empty(cType))
                return fault(k.Type);
            if (Outside(Cell_Int(g, cRack, r), 0, 3))
                return fault(k.Rack);
            if (Outside(Cell_Int(g, cSlot, r), 0, 31))
                return fault(k.Slot);
            if (empty(cData_Type))
                return fault(k.Data_Type);
            if (empty(cIdentifier))
                return fault(k.Identifier);
            if (Outside(Cell_Int(g, cDB, r), 0, 65535))
                return fault(k.DB);
            if (empty(cArea))
                return fault(k.Area);
            if (Outside(Cell_Int(g, cAdd, r), 0, 65535))
                return fault(k.Add);
            if (empty(cBit))
                return fault(k.Bit);
            if (Outside(Cell_Int(g, cPoll, r), k.Min_Poll, 100000000))
                return fault(k.Poll);
            if (Outside(Cell_Int(g, k.Position_Col, r), 0, t.Positions - 1))
                return fault(k.Position, QString::number(t.Positions - 1));
            if (empty(k.Start_Bit_Col))
                return fault(k.Start_Bit);
        }
    }
    return true;
}

void TFS7_Protocol_Set_Access::Btn_OKClick(TObject*)
{
    if (!Controllo_dati())
        return;
    TXMLNode root = New_Document(QStringLiteral("S7_Protocol"), QStringLiteral("1.001"));
    Write_Rows(root.AddChild(QLatin1String(Read_Spec.Element)), ACG_S7_Read, Read_Spec);
    Write_Rows(root.AddChild(QLatin1String(Write_Spec.Element)), ACG_S7_Write, Write_Spec);
    Save_And_Close(S7_Protocol_File);
}

TExColumnGrid* TFS7_Protocol_Set_Access::Shown_Grid() const
{
    return PageControl1->ActivePage() == TS_S7_Write ? ACG_S7_Write : ACG_S7_Read;
}

void TFS7_Protocol_Set_Access::Set_Lang()
{
    SetCaption(Plant_Lang(5900));
    L_SW_Desc->SetCaption(Plant_Lang(5901));
    Buttons_Lang(5902, 5908);
    TS_S7_Read->SetCaption(Plant_Lang(5914));
    TS_S7_Write->SetCaption(Plant_Lang(5915));
    Table_Lang(ACG_S7_Read, Read_Spec, Hint_S7_Set_Access_Read.get());
    Table_Lang(ACG_S7_Write, Write_Spec, Hint_S7_Set_Access_Write.get());
}
