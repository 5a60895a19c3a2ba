#include "plant/US7_Protocol_Set_Access.h"

#include "platform/StringList.h"
#include "platform/Text.h"
#include "shell/TextChecks.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

TFS7_Protocol_Set_Access* FS7_Protocol_Set_Access = nullptr;

namespace {

constexpr Integer Rows = 512;
constexpr const char* PLC_Types = "Logo0BA8|S7200|S7300|S7400|S71200|S71500";
constexpr const char* Data_Types = "Bit|Byte|Char|Word|Int|DWord|DInt|Real";
constexpr const char* Identifiers = "OB|DB|SDB|FC|SFC|FB|SFB";
constexpr const char* Areas = "Direct peripheral access (P)|Inputs (I)|Output (Q)|Flags (M) (Merker)";


constexpr TRuleColumn Read_Columns[] = {
    {"Enable", reCheck, 50, 5917, 5944, rmDefault, "Y"},
    {"PLC_Address", reText, 110, 5918, 5945, rmDefault},
    {"PLC_Port", reText, 65, 5919, 5946, rmDefault},
    {"PLC_Type", reCombo, 80, 5920, 5947, rmDefault, "", PLC_Types},
    {"Rack", reText, 45, 6013, 6017, rmDefault, "0"},
    {"Slot", reText, 45, 6014, 6018, rmDefault, "0"},
    {"Data_Type", reCombo, 75, 5921, 5948, rmDefault, "", Data_Types},
    {"Data_Identifier", reCombo, 95, 5922, 5949, rmDefault, "", Identifiers},
    {"DB_Number", reText, 75, 5989, 5997, rmDefault},
    {"PLC_Area", reCombo, 160, 5990, 5998, rmDefault, "", Areas},
    {"PLC_Add", reText, 65, 5991, 5999, rmDefault},
    {"PLC_Bit", reCombo, 55, 5992, 6000, rmDefault, "", "#8"},
    {"PollTime", reText, 70, 5923, 5950, rmDefault},
    {"Position", reCombo, 65, 5924, 5951, rmDefault},
    {"Bit", reCombo, 60, 5925, 5952, rmDefault, "", "#8"},
    {"Swap", reCheck, 45, 5926, 5953, rmDefault},
    {"SwapWord", reCheck, 75, 5927, 5954, rmDefault},
    {"Mnemonic", reText, 150, 5928, 5955, rmDefault},
};

constexpr TRuleColumn Write_Columns[] = {
    {"Enable", reCheck, 50, 5930, 5956, rmDefault, "Y"},
    {"PLC_Address", reText, 110, 5931, 5957, rmDefault},
    {"PLC_Port", reText, 65, 5932, 5958, rmDefault},
    {"PLC_Type", reCombo, 80, 5933, 5959, rmDefault, "", PLC_Types},
    {"Rack", reText, 45, 6015, 6019, rmDefault, "0"},
    {"Slot", reText, 45, 6016, 6020, rmDefault, "0"},
    {"Data_Type", reCombo, 75, 5934, 5960, rmDefault, "", Data_Types},
    {"Data_Identifier", reCombo, 95, 5935, 5961, rmDefault, "", Identifiers},
    {"DB_Number", reText, 75, 5993, 6001, rmDefault},
    {"PLC_Area", reCombo, 160, 5994, 6002, rmDefault, "", Areas},
    {"PLC_Add", reText, 65, 5995, 6003, rmDefault},
    {"PLC_Bit", reCombo, 55, 5996, 6004, rmDefault, "", "#8"},
    {"PollTime", reText, 70, 5936, 5962, rmDefault},
    {"OnChange", reCheck, 70, 5937, 5963, rmDefault},
    {"OnCMD", reCheck, 55, 5938, 5964, rmDefault},
    {"Position", reCombo, 65, 5939, 5965, rmDefault},
    {"Bit", reCombo, 60, 5940, 5966, rmDefault, "", "#8"},
    {"Swap", reCheck, 45, 5941, 5967, rmDefault},
    {"SwapWord", reCheck, 75, 5942, 5968, rmDefault},
    {"Mnemonic", reText, 150, 5943, 5969, rmDefault},
};

const TRuleTable Read_Rules{"S7_Protocol_Read", Read_Columns, 5916, 5914, 2, true};
const TRuleTable Write_Rules{"S7_Protocol_Write", Write_Columns, 5929, 5915, 2, true};
const TRuleGridLook Look{true, true, true, true, true};

const TRuleTexts Texts{5900, 5901, {5902, 5903, 5904, 5905, 5906, 5907}, {5908, 5909, 5910, 5911, 5912, 5913}, 5493,
                       5970};
const TRuleFile File{&S7_Protocol_File, "S7_Protocol", "1.001"};

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
    : TRuleTableForm(AOwner, QStringLiteral("FS7_Protocol_Set_Access"), 1350, 337, Texts, File)
{
    ACG_S7_Read = Add_Grid(Read_Rules, Look, "ACG_S7_Read", Rows, "TS_S7_Read", &Do_Copy_In_Read);
    ACG_S7_Write = Add_Grid(Write_Rules, Look, "ACG_S7_Write", Rows, "TS_S7_Write", &Do_Copy_In_Write);
    TS_S7_Read = Sheet(0);
    TS_S7_Write = Sheet(1);
    Hint_S7_Set_Access_Read = Hint_List(ACG_S7_Read);
    Hint_S7_Set_Access_Write = Hint_List(ACG_S7_Write);
}

TFS7_Protocol_Set_Access::~TFS7_Protocol_Set_Access()
{
    if (FS7_Protocol_Set_Access == this)
        FS7_Protocol_Set_Access = nullptr;
}

void TFS7_Protocol_Set_Access::Set_Limits()
{
    NByte_IN = 1500;
    NByte_OUT = 1500;
    Number_Items(ACG_S7_Read, Read_Checks.Position_Col, NByte_IN);
    Number_Items(ACG_S7_Write, Write_Checks.Position_Col, NByte_OUT);
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
        Integer Index;
        const TS7_Checks& Checks;
        Integer Positions;
    } tables[] = {{0, Read_Checks, NByte_IN}, {1, Write_Checks, NByte_OUT}};
    for (const auto& t : tables) {
        const Integer g = t.Index;
        const TS7_Checks& k = t.Checks;
        const Integer end = Table_End(g);
        for (Integer r = 1; r < end; ++r) {
            if (!Row_Enabled(g, r, false))
                continue;
            auto empty = [&](Integer c) { return Cell_Trim(g, c, r).isEmpty(); };
            // The numbers of these rows are decimal.
            auto number = [&](Integer c) { return Decimal_To_Int(Cell(g, c, r), -1); };
            auto fault = [&](Integer text, const QString& tail = QString()) {
                Row_Error(r, Lang_Text(text) + tail);
                return false;
            };
            Byte b1 = 0, b2 = 0, b3 = 0, b4 = 0;
            if (IP_Text_To_Bytes(Cell(g, cAddress, r), b1, b2, b3, b4))
                return fault(k.Address);
            const Integer port = number(cPort);
            if (Outside(port, 0, 65535))
                return fault(k.Port);
            if (Check_IP_Port(b1, b2, b3, b4, port) < 0)
                return fault(k.Connections);
            if (empty(cType))
                return fault(k.Type);
            if (Outside(number(cRack), 0, 3))
                return fault(k.Rack);
            if (Outside(number(cSlot), 0, 31))
                return fault(k.Slot);
            if (empty(cData_Type))
                return fault(k.Data_Type);
            if (empty(cIdentifier))
                return fault(k.Identifier);
            if (Outside(number(cDB), 0, 65535))
                return fault(k.DB);
            if (empty(cArea))
                return fault(k.Area);
            if (Outside(number(cAdd), 0, 65535))
                return fault(k.Add);
            if (empty(cBit))
                return fault(k.Bit);
            if (Outside(number(cPoll), k.Min_Poll, 100000000))
                return fault(k.Poll);
            if (Outside(number(k.Position_Col), 0, t.Positions - 1))
                return fault(k.Position, QString::number(t.Positions - 1));
            if (empty(k.Start_Bit_Col))
                return fault(k.Start_Bit);
        }
    }
    return true;
}
