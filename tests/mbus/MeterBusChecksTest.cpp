// The editor's checks, one fault each, through the add and modify buttons:
// the node panel's ranges and register pairs, wired address uniqueness,
// the variable panel's ranges, and the overlap of positions with the
// registers and variables of the enabled nodes.
#include "MeterBusFixture.h"

namespace {

struct TCheckCase {
    const char* name;
    std::function<void(TFMeter_Bus*)> fill;
    // The box's text: one text, or a composed overlap message.
    QString text;
};

QString L(Integer i)
{
    return Language_Texts->Strings(i);
}
QString Node_Msg(Integer first, const char* node)
{
    return L(first) + QString::fromLatin1(node) + L(first + 1);
}
QString Var_Msg(Integer first, const char* node, const char* var)
{
    return L(first) + QString::fromLatin1(node) + L(first + 1) + QString::fromLatin1(var) + L(first + 2);
}

// A valid new wired node in the panel: primary address 7, nothing checked.
void Wired(TFMeter_Bus* f)
{
    f->CB_MBus_Type->SetItemIndex(1);
    f->CB_MBus_TypeChange(f->CB_MBus_Type);
    f->CB_Node_En->SetChecked(true);
    f->E_New_Node_Desc->SetText(QStringLiteral("New"));
    f->RB_ID_Primary->SetChecked(true);
    f->E_New_Node_ID_Pri->SetText(QStringLiteral("7"));
    f->E_New_Node_ID_Sec->SetText(QStringLiteral("7"));
    for (TCheckBox* c : {f->CB_Node_State, f->CB_Ident_Num, f->CB_Manu_Spec_Data, f->CB_Access_Number})
        c->SetChecked(false);
    f->E_MSD_Length->SetText(QStringLiteral("1"));
    f->E_MSD_Offset->SetText(QStringLiteral("0"));
}
// A valid new wireless node: registers 0, no key.
void Wireless(TFMeter_Bus* f)
{
    Wired(f);
    f->CB_MBus_Type->SetItemIndex(0);
    f->CB_MBus_TypeChange(f->CB_MBus_Type);
    f->E_wMBus_ManID->SetText(QStringLiteral("0xFFFF"));
    f->E_wMBus_Add->SetText(QStringLiteral("4294967295"));
    f->E_wMBus_Ver->SetText(QStringLiteral("255"));
    f->E_wMBus_DevType->SetText(QStringLiteral("0"));
    f->CB_wMBus_EnKey->SetChecked(false);
    for (TEdit* e : {f->E_wMBus_NodeState, f->E_wMBus_Ident, f->E_wMBus_RSSI, f->E_wMBus_Access_Number})
        e->SetText(QStringLiteral("0"));
}
void Set(TEdit* e, const char* text)
{
    e->SetText(QString::fromLatin1(text));
}
void Tick(TCheckBox* c, TEdit* e, const char* text)
{
    c->SetChecked(true);
    Set(e, text);
}
// A valid new variable in the panel: position 50, By Type, no time point.
void Var(TFMeter_Bus* f)
{
    f->E_New_Var_Desc->SetText(QStringLiteral("V"));
    f->E_Var_MR->SetText(QStringLiteral("50"));
    f->E_Sto_Num->SetText(QStringLiteral("0"));
    f->E_Tariff->SetText(QStringLiteral("0"));
    f->E_Position->SetText(QStringLiteral("1"));
    f->CB_Var_Dim->SetItemIndex(0);
    f->CB_Var_ToD->SetItemIndex(0);
    f->CB_TP_MR->SetChecked(false);
}
void Time_Point(TFMeter_Bus* f, const char* year)
{
    f->CB_Var_ToD->SetItemIndex(20);
    f->CB_TP_MR->SetChecked(true);
    Set(f->E_TP_Year, year);
}

} // namespace

TEST_F(TMeterBusWindow, EveryNodeCheckRefusesItsFault)
{
    using F = TFMeter_Bus;
    const TCheckCase cases[] = {
        {"ManID", [](F* f) { Wireless(f); Set(f->E_wMBus_ManID, "65536"); }, L(1845)},
        {"Address", [](F* f) { Wireless(f); Set(f->E_wMBus_Add, "4294967296"); }, L(1846)},
        {"Address text", [](F* f) { Wireless(f); Set(f->E_wMBus_Add, "abc"); }, L(1846)},
        {"Version", [](F* f) { Wireless(f); Set(f->E_wMBus_Ver, "256"); }, L(1847)},
        {"DevType", [](F* f) { Wireless(f); Set(f->E_wMBus_DevType, "-1"); }, L(1848)},
        {"Key 5", [](F* f) { Wireless(f); f->CB_wMBus_EnKey->SetChecked(true);
                              for (TEdit* e : f->E_wMBus_K) Set(e, "0");
                              Set(f->E_wMBus_K[4], "300"); }, L(1853)},
        {"Key 16 empty", [](F* f) { Wireless(f); f->CB_wMBus_EnKey->SetChecked(true);
                                     for (TEdit* e : f->E_wMBus_K) Set(e, "0");
                                     Set(f->E_wMBus_K[15], ""); }, L(1864)},
        {"wNS", [](F* f) { Wireless(f); Set(f->E_wMBus_NodeState, "60000"); }, L(1865)},
        {"wIN", [](F* f) { Wireless(f); Set(f->E_wMBus_Ident, ""); }, L(1866)},
        {"wRSSI", [](F* f) { Wireless(f); Set(f->E_wMBus_RSSI, "-2"); }, L(1867)},
        {"wAN", [](F* f) { Wireless(f); Set(f->E_wMBus_Access_Number, "59999x"); }, L(1868)},
        {"IN=NS", [](F* f) { Wireless(f); Set(f->E_wMBus_Ident, "9"); Set(f->E_wMBus_NodeState, "9"); }, L(1869)},
        {"IN=RSSI", [](F* f) { Wireless(f); Set(f->E_wMBus_Ident, "9"); Set(f->E_wMBus_RSSI, "9"); }, L(1870)},
        {"IN=AN", [](F* f) { Wireless(f); Set(f->E_wMBus_Ident, "9"); Set(f->E_wMBus_Access_Number, "9"); }, L(1871)},
        {"NS=RSSI", [](F* f) { Wireless(f); Set(f->E_wMBus_NodeState, "7"); Set(f->E_wMBus_RSSI, "7"); }, L(1872)},
        {"NS=AN", [](F* f) { Wireless(f); Set(f->E_wMBus_NodeState, "7"); Set(f->E_wMBus_Access_Number, "7"); }, L(1873)},
        {"RSSI=AN", [](F* f) { Wireless(f); Set(f->E_wMBus_RSSI, "7"); Set(f->E_wMBus_Access_Number, "7"); }, L(1874)},
        {"wMSD=NS", [](F* f) { Wireless(f); Set(f->E_wMBus_NodeState, "7"); Tick(f->CB_Manu_Spec_Data, f->E_Manu_Spec_Data, "7"); }, L(1882)},
        {"Primary", [](F* f) { Wired(f); Set(f->E_New_Node_ID_Pri, "256"); }, L(1875)},
        {"Secondary", [](F* f) { Wired(f); f->RB_ID_Secondary->SetChecked(true); Set(f->E_New_Node_ID_Sec, "100000000"); }, L(1876)},
        {"Primary used", [](F* f) { Wired(f); Set(f->E_New_Node_ID_Pri, "5"); }, L(1892)},
        {"Secondary used", [](F* f) { Wired(f); f->RB_ID_Secondary->SetChecked(true);
                                       Set(f->E_New_Node_ID_Pri, "5"); Set(f->E_New_Node_ID_Sec, "6"); }, QString()},
        {"NS", [](F* f) { Wired(f); Tick(f->CB_Node_State, f->E_Node_State, "1537"); }, L(1877)},
        {"IN", [](F* f) { Wired(f); Tick(f->CB_Ident_Num, f->E_Iden, "abc"); }, L(1878)},
        {"NS=IN", [](F* f) { Wired(f); Tick(f->CB_Node_State, f->E_Node_State, "40"); Tick(f->CB_Ident_Num, f->E_Iden, "$28"); }, L(1879)},
        {"MSD", [](F* f) { Wired(f); Tick(f->CB_Manu_Spec_Data, f->E_Manu_Spec_Data, "2000"); }, L(1880)},
        {"MSD=IN", [](F* f) { Wired(f); Tick(f->CB_Ident_Num, f->E_Iden, "40"); Tick(f->CB_Manu_Spec_Data, f->E_Manu_Spec_Data, "40"); }, L(1881)},
        {"MSD=NS", [](F* f) { Wired(f); Tick(f->CB_Node_State, f->E_Node_State, "40"); Tick(f->CB_Manu_Spec_Data, f->E_Manu_Spec_Data, "40"); }, L(1882)},
        {"Length", [](F* f) { Wired(f); Tick(f->CB_Manu_Spec_Data, f->E_Manu_Spec_Data, "50"); Set(f->E_MSD_Length, "0"); }, L(1883)},
        {"Offset", [](F* f) { Wired(f); Tick(f->CB_Manu_Spec_Data, f->E_Manu_Spec_Data, "50"); Set(f->E_MSD_Offset, "241"); }, L(1884)},
        {"Length+Offset", [](F* f) { Wired(f); Tick(f->CB_Manu_Spec_Data, f->E_Manu_Spec_Data, "50");
                                      Set(f->E_MSD_Length, "200"); Set(f->E_MSD_Offset, "42"); }, L(1885)},
        {"MSD at 0 skips length", [](F* f) { Wired(f); Tick(f->CB_Manu_Spec_Data, f->E_Manu_Spec_Data, "0"); Set(f->E_MSD_Length, "0"); }, QString()},
        {"AN", [](F* f) { Wired(f); Tick(f->CB_Access_Number, f->E_Access_Number, "1537"); }, L(1886)},
        {"AN=IN", [](F* f) { Wired(f); Tick(f->CB_Ident_Num, f->E_Iden, "40"); Tick(f->CB_Access_Number, f->E_Access_Number, "40"); }, L(1887)},
        {"AN=NS", [](F* f) { Wired(f); Tick(f->CB_Node_State, f->E_Node_State, "40"); Tick(f->CB_Access_Number, f->E_Access_Number, "40"); }, L(1888)},
        {"AN=MSD", [](F* f) { Wired(f); Tick(f->CB_Manu_Spec_Data, f->E_Manu_Spec_Data, "40"); Tick(f->CB_Access_Number, f->E_Access_Number, "40"); }, L(1889)},
        {"wireless AN unchecked by wired rule", [](F* f) { Wireless(f); Tick(f->CB_Access_Number, f->E_Access_Number, "9999"); }, QString()},
    };
    Use_Network("network.xml");
    for (const TCheckCase& c : cases) {
        SCOPED_TRACE(c.name);
        Open();
        Click(form->NODE_ORIG);
        c.fill(form);
        const size_t before = form->Nodi_List.size();
        const QStringList boxes = Boxes([&] { TestInput::Click(form->btn_Add_Node); }, c.text.isEmpty() ? 0 : 1);
        if (c.text.isEmpty()) {
            EXPECT_EQ(boxes, QStringList());
            EXPECT_EQ(form->Nodi_List.size(), before + 1);
        } else {
            EXPECT_EQ(boxes, QStringList({c.text}));
            EXPECT_EQ(form->Nodi_List.size(), before);
            EXPECT_EQ(form->TW->Items()->Count(), 8);
        }
        EXPECT_EQ(DialogSeam::Shown().empty() ? 0u : DialogSeam::Shown()[0].Flags, c.text.isEmpty() ? 0u : Cardinal(MB_OK | MB_ICONERROR));
    }
}

TEST_F(TMeterBusWindow, AddressChecksCountTheSelectedNodeOnlyWhenAddingBesideIt)
{
    Use_Network("network.xml");
    Open();
    // Heat modified with its own address: no clash with itself.
    Click_Node(0);
    EXPECT_EQ(Boxes([&] { TestInput::Click(form->btn_Add_Node); }, 0), QStringList());
    // With Heat's variable selected the click adds a node: Heat counts.
    Click_Var(0, 0);
    EXPECT_EQ(form->btn_Add_Node->Caption(), "ADD NODE");
    EXPECT_EQ(Boxes([&] { TestInput::Click(form->btn_Add_Node); }), QStringList({L(1891)}));
    EXPECT_EQ(form->Nodi_List.size(), 3u);
    // A used address and a later fault: two boxes, nothing added.
    Click(form->NODE_ORIG);
    Wired(form);
    Set(form->E_New_Node_ID_Pri, "6");  // the disabled node Off still holds it
    Tick(form->CB_Node_State, form->E_Node_State, "5000");
    EXPECT_EQ(Boxes([&] { TestInput::Click(form->btn_Add_Node); }, 2), QStringList({L(1892), L(1877)}));
    EXPECT_EQ(form->Nodi_List.size(), 3u);
    // A wireless node never clashes: its primary address 1 stays free.
    Set(form->E_New_Node_ID_Pri, "1");
    form->CB_Node_State->SetChecked(false);
    EXPECT_EQ(Boxes([&] { TestInput::Click(form->btn_Add_Node); }, 0), QStringList());
    EXPECT_EQ(form->Nodi_List.size(), 4u);
}

TEST_F(TMeterBusWindow, EveryVariableCheckRefusesItsFault)
{
    using F = TFMeter_Bus;
    const TCheckCase cases[] = {
        {"Position Data 0", [](F* f) { Set(f->E_Var_MR, "0"); }, L(1835)},
        {"Position Data 1537", [](F* f) { Set(f->E_Var_MR, "1537"); }, L(1835)},
        {"Storage max", [](F* f) { Set(f->E_Sto_Num, "4294967295"); }, QString()},
        {"Storage over", [](F* f) { Set(f->E_Sto_Num, "4294967296"); }, L(1838)},
        {"Storage -1", [](F* f) { Set(f->E_Sto_Num, "-1"); }, L(1838)},
        {"Tariff", [](F* f) { Set(f->E_Tariff, "0x100000"); }, L(1839)},
        {"Length", [](F* f) { f->CB_Var_Dim->SetItemIndex(7); Set(f->E_Length, "192"); }, L(1840)},
        {"Length unused", [](F* f) { Set(f->E_Length, "192"); }, QString()},
        {"Year 0", [](F* f) { Time_Point(f, "0"); }, L(1841)},
        {"Year 59996", [](F* f) { Time_Point(f, "59996"); }, L(1841)},
        {"Year without Time Point type", [](F* f) { f->CB_TP_MR->SetChecked(true); Set(f->E_TP_Year, "0"); }, QString()},
        {"Own block", [](F* f) { Set(f->E_Var_MR, "12"); Time_Point(f, "7"); }, L(1842)},
        {"Block after", [](F* f) { Set(f->E_Var_MR, "12"); Time_Point(f, "13"); }, QString()},
        {"Position hidden", [](F* f) { Set(f->E_Position, "513"); }, L(1844)},
        {"Node State", [](F* f) { Set(f->E_Var_MR, "10"); }, Node_Msg(1787, "Heat")},
        {"Ident Num", [](F* f) { Set(f->E_Var_MR, "11"); }, Node_Msg(1789, "Heat")},
        {"RSSI", [](F* f) { Set(f->E_Var_MR, "22"); }, Node_Msg(1791, "Radio")},
        {"Disabled node", [](F* f) { Set(f->E_Var_MR, "30"); }, QString()},
        {"Block over Node State", [](F* f) { Time_Point(f, "8"); }, Node_Msg(1799, "Heat")},
        {"Block over Ident Num", [](F* f) { Time_Point(f, "11"); }, Node_Msg(1801, "Heat")},
        {"Block over RSSI", [](F* f) { Time_Point(f, "22"); }, Node_Msg(1803, "Radio")},
        {"Variable", [](F* f) { Set(f->E_Var_MR, "100"); }, Var_Msg(1805, "Heat", "Energy")},
        {"In a time point", [](F* f) { Set(f->E_Var_MR, "135"); }, Var_Msg(1811, "Heat", "Time")},
        {"Block over a variable", [](F* f) { Time_Point(f, "95"); }, Var_Msg(1823, "Heat", "Energy")},
        {"Block starting in one", [](F* f) { Time_Point(f, "135"); }, Var_Msg(1829, "Heat", "Time")},
        {"Block ending in one", [](F* f) { Time_Point(f, "125"); }, Var_Msg(1832, "Heat", "Time")},
        {"Block next to one", [](F* f) { Time_Point(f, "136"); }, QString()},
    };
    Use_Network("network.xml");
    for (const TCheckCase& c : cases) {
        SCOPED_TRACE(c.name);
        Open();
        Click_Node(0);
        Var(form);
        c.fill(form);
        const QStringList boxes = Boxes([&] { TestInput::Click(form->btn_Add_Var); }, c.text.isEmpty() ? 0 : 1);
        EXPECT_EQ(boxes, c.text.isEmpty() ? QStringList() : QStringList({c.text}));
        EXPECT_EQ(form->Nodi_List[0]->Var_List.size(), c.text.isEmpty() ? 3u : 2u);
    }
}

TEST_F(TMeterBusWindow, ModifyingAVariableSkipsOnlyItself)
{
    Use_Network("network.xml");
    Open();
    Click_Var(0, 0);
    EXPECT_EQ(Boxes([&] { TestInput::Click(form->btn_Add_Var); }, 0), QStringList());
    // Modified onto its neighbour's time point: refused.
    Set(form->E_Var_MR, "131");
    EXPECT_EQ(Boxes([&] { TestInput::Click(form->btn_Add_Var); }), QStringList({Var_Msg(1811, "Heat", "Time")}));
    EXPECT_EQ(form->Nodi_List[0]->Var_List[0]->PositionData, 100);
    // The same variable added again clashes with itself.
    Click_Node(0);
    Var(form);
    Set(form->E_Var_MR, "100");
    EXPECT_EQ(Boxes([&] { TestInput::Click(form->btn_Add_Var); }), QStringList({Var_Msg(1805, "Heat", "Energy")}));
    // A disabled node's registers are free: Off's Node State 30.
    Set(form->E_Var_MR, "30");
    EXPECT_EQ(Boxes([&] { TestInput::Click(form->btn_Add_Var); }, 0), QStringList());
    // A node added with the initial edits holds position 1 while enabled.
    Open();
    Click(form->NODE_ORIG);
    Wired(form);
    Set(form->E_Node_State, "1");
    EXPECT_EQ(Boxes([&] { TestInput::Click(form->btn_Add_Node); }, 0), QStringList());
    Click_Node(3);
    Var(form);
    Set(form->E_Var_MR, "1");
    EXPECT_EQ(Boxes([&] { TestInput::Click(form->btn_Add_Var); }), QStringList({Node_Msg(1787, "New")}));
}
