#include "plant/UMQTT_Set_Topic.h"

#include "controls/FxButton.h"
#include "grid/columns/ExColumnGrid.h"
#include "platform/ExtCtrls.h"
#include "platform/PageControl.h"
#include "platform/StdControls.h"
#include "platform/StringList.h"
#include "platform/Text.h"
#include "platform/XmlDocument.h"
#include "plant/UTopicTemplate.h"
#include "shell/TextChecks.h"
#include "shell/UComon.h"

TFMQTT_Set_Topic* FMQTT_Set_Topic = nullptr;

namespace {

using K = TCell_Kind;
constexpr const char* Data_Types = "Int|Float|String|Base64";
constexpr const char* Channels = "0|1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|16|17|18|19|20|21|22|23|24|25|26|27|28|29|"
                                 "30|31|32|33|34|35|36|37|38|39|40|41|42|43|44|45|46|47|48|49|50|51|52|53|54|55|56|"
                                 "57|58|59|60|61|62|63|All";

constexpr TTable_Column Pub_Columns[] = {
    {"Topic", "", 250, 5215, 5219, K::Text, nullptr, 0, 0, true},
    {"Retained", "", 60, 5216, 5220, K::Check, nullptr, 0, 0, true},
    {"QoS", "", 45, 5217, 5221, K::List, "0|1|2", 0, 0, true},
    {"DataType", "", 75, 5237, 5240, K::List, Data_Types},
    {"Dimension", "", 70, 5238, 5241},
    {"Position", "", 65, 5239, 5242},
    {"IPAddress", "", 100, 5262, 5264},
    {"InputTemplate", "", 150, 5263, 5265},
    {"Template", "", 150, 5235, 5236, K::Edit_List, "$VALUE$"},
    {"OnChange", "N", 65, 5281, 5282, K::Check},
    {nullptr, "", 55, 5283, 5286, K::Check},
    {"OnTimer", "N", 60, 5284, 5287, K::Check},
    {"Time", "", 70, 5285, 5288},
    {nullptr, "", 60, 5290, 5291, K::List, Channels},
    {nullptr, "N", 45, 5293, 5295, K::Check},
    {nullptr, "N", 75, 5294, 5296, K::Check},
    {"Mnemonic", "", 150, 5218, 5222, K::Text, nullptr, 0, 0, true},
};

constexpr TTable_Column Sub_Columns[] = {
    {"Topic", "", 250, 5225, 5229, K::Text, nullptr, 0, 0, true},
    {"Retained", "", 60, 5226, 5230, K::Check, nullptr, 0, 0, true},
    {"QoS", "", 45, 5227, 5231, K::List, "0|1|2", 0, 0, true},
    {"DataType", "", 75, 5243, 5247, K::List, Data_Types},
    {"Dimension", "", 70, 5244, 5248},
    {"Position", "", 65, 5245, 5249},
    {"IPAddress", "", 100, 5266, 5270},
    {"Port", "", 55, 5267, 5271},
    {"EthType", "", 55, 5268, 5272, K::List, "TCP|UDP"},
    {"InputTemplate", "", 150, 5269, 5273},
    {"Template", "", 150, 5246, 5250, K::Edit_List, "$VALUE$"},
    {nullptr, "N", 45, 5293, 5297, K::Check},
    {nullptr, "N", 75, 5294, 5298, K::Check},
    {"Mnemonic", "", 200, 5228, 5232, K::Text, nullptr, 0, 0, true},
};

constexpr Integer Rows = 1024;
const TTable_Spec Pub_Spec{"MQTT_Publish", Pub_Columns, 5214, 1, Rows, false};
const TTable_Spec Sub_Spec{"MQTT_Subscribe", Sub_Columns, 5224, 1, Rows, false};

constexpr Integer cData_Type = 4, cDimension = 5, cPosition = 6, cIP = 7;
constexpr Integer Pub_Template = 9, Sub_Template = 11;

// Real columns (-1: none) and fault texts of one table's checks.
struct TTopic_Checks {
    Integer Input_Template, Template, Port, On_Timer, Time;
    Integer Type_Fault, Int_Fault, Float_Fault, Other_Fault, Position_Fault, IP_Fault, Port_Fault,
        Input_Template_Fault, Template_Fault, Time_Fault;
    std::initializer_list<Integer> Hidden;
};

const TTopic_Checks Pub_Checks{8, 9, -1, 12, 13, 5252, 5253, 5254, 5255, 5256, 5274, -1, 5277, 5278, 5289,
                               {7, 8, 11, 14, 15, 16}};
const TTopic_Checks Sub_Checks{10, 11, 8, -1, -1, 5257, 5258, 5259, 5260, 5261, 5275, 5276, 5279, 5280, -1,
                               {2, 7, 8, 9, 10, 12, 13}};

} // namespace

TFMQTT_Set_Topic::TFMQTT_Set_Topic(TComponent* AOwner)
    : TTable_Window(AOwner, QStringLiteral("FMQTT_Set_Topic"), 1100, 337)
{
    Delete_Question = 5223;
    Insert_Enabled = false;
    Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };

    PageControl1 = Make_Pages("PageControl1");
    TS_MQTT_Publish = Make_Page(PageControl1, "TS_MQTT_Publish");
    TS_MQTT_Subscribe = Make_Page(PageControl1, "TS_MQTT_Subscribe");
    ACG_Pub = Make_Grid(TS_MQTT_Publish, Pub_Spec, "ACG_Pub");
    ACG_Sub = Make_Grid(TS_MQTT_Subscribe, Sub_Spec, "ACG_Sub");
    for (TExColumnGrid* g : {ACG_Pub, ACG_Sub}) {
        g->SetOptions(g->Options() | goRangeSelect);
        g->OnDblClickCell = [this](TObject* s, Integer r, Integer c) { ACG_MQTT_DblClickCell(s, r, c); };
    }

    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
}

TFMQTT_Set_Topic::~TFMQTT_Set_Topic()
{
    if (FMQTT_Set_Topic == this)
        FMQTT_Set_Topic = nullptr;
}

void TFMQTT_Set_Topic::FormCreate(TObject*)
{
    Frame_Create();
    Hint_MQTT_Set_Topic_Pub = std::make_unique<TStringList>();
    Hint_MQTT_Set_Topic_Sub = std::make_unique<TStringList>();
    FTables.clear();
    Add_Table(ACG_Pub, Pub_Spec, Hint_MQTT_Set_Topic_Pub.get(), &Do_Copy_Pub);
    Add_Table(ACG_Sub, Sub_Spec, Hint_MQTT_Set_Topic_Sub.get(), &Do_Copy_Sub);
    Set_Lang();
}

void TFMQTT_Set_Topic::FormShow(TObject*)
{
    Working_Mode = 1;
    Byte_IN = 1500;
    Byte_OUT = 1500;
    const struct {
        TExColumnGrid* Grid;
        const TTable_Spec& Spec;
        const TTopic_Checks& Checks;
    } tables[] = {{ACG_Pub, Pub_Spec, Pub_Checks}, {ACG_Sub, Sub_Spec, Sub_Checks}};
    for (const auto& t : tables) {
        const Integer columns = Integer(t.Spec.Columns.size()) + 1;
        t.Grid->UnHideColumns(0, columns - 1);
        for (Integer c : t.Checks.Hidden)
            t.Grid->HideColumn(c);
    }
    TS_MQTT_Subscribe->SetTabVisible(true);
    for (const auto& t : tables) {
        t.Grid->SetRowCount(Rows + 1);
        Blank_Rows(t.Grid, t.Spec);
    }
    PageControl1->SetActivePage(TS_MQTT_Publish);
    if (Load_File(MQTT_Set_Topic_File)) {
        const TXMLNode root = FXML1->Root();
        if (Fill_Rows(ACG_Pub, Pub_Spec, root.FindChild(QLatin1String(Pub_Spec.Element))))
            Fill_Rows(ACG_Sub, Sub_Spec, root.FindChild(QLatin1String(Sub_Spec.Element)));
    }
    Reset_Copies();
}

bool TFMQTT_Set_Topic::Error_In_Topic_Template(const QString& Text)
{
    return Text.count(QLatin1Char('$')) % 2 != 0;
}

bool TFMQTT_Set_Topic::Controllo_dati()
{
    const struct {
        TExColumnGrid* Grid;
        const TTable_Spec& Spec;
        const TTopic_Checks& K;
        Integer Positions;
    } tables[] = {{ACG_Pub, Pub_Spec, Pub_Checks, Byte_IN}, {ACG_Sub, Sub_Spec, Sub_Checks, Byte_OUT}};
    for (const auto& t : tables) {
        TExColumnGrid* g = t.Grid;
        const TTopic_Checks& k = t.K;
        auto shown = [g](Integer c) { return c >= 0 && !g->IsHiddenColumn(c); };
        const Integer end = Table_End(g, t.Spec);
        for (Integer r = 1; r < end; ++r) {
            auto fault = [&](Integer text, const QString& tail = QString()) {
                return Row_Fault(5251, r, Plant_Lang(text) + tail);
            };
            if (shown(cData_Type)) {
                const QString type = UpperCase(Cell_Trim(g, cData_Type, r));
                const Integer size = Cell_Int(g, cDimension, r);
                if (type.isEmpty())
                    return fault(k.Type_Fault);
                if (type == QLatin1String("INT")) {
                    if (size != 1 && size != 2 && size != 4 && size != 8)
                        return fault(k.Int_Fault);
                } else if (type == QLatin1String("FLOAT")) {
                    if (size != 4 && size != 8)
                        return fault(k.Float_Fault);
                } else if (size <= 0) {
                    return fault(k.Other_Fault);
                }
            }
            if (shown(cPosition)) {
                const Integer position = Cell_Int(g, cPosition, r);
                if (position < 0 || position > t.Positions - 1)
                    return fault(k.Position_Fault, QString::number(t.Positions - 1));
            }
            QString p1, p2, p3, p4;
            if (shown(cIP) && !Split_IP_Address(Cell_Trim(g, cIP, r), p1, p2, p3, p4))
                return fault(k.IP_Fault);
            if (shown(k.Port)) {
                const Integer port = Cell_Int(g, k.Port, r);
                if (port < 0 || port > 65535)
                    return fault(k.Port_Fault);
            }
            if (shown(k.Input_Template) && Error_In_Topic_Template(Cell_Trim(g, k.Input_Template, r)))
                return fault(k.Input_Template_Fault);
            if (shown(k.Template) && Error_In_Topic_Template(Cell_Trim(g, k.Template, r)))
                return fault(k.Template_Fault);
            if (k.On_Timer >= 0 && UpperCase(Cell_Trim(g, k.On_Timer, r)) == QLatin1String("Y")) {
                const Integer time = Cell_Int(g, k.Time, r);
                if (time < 1 || time > 1000000000)
                    return fault(k.Time_Fault);
            }
        }
    }
    return true;
}

void TFMQTT_Set_Topic::Btn_OKClick(TObject*)
{
    if (!Controllo_dati())
        return;
    TXMLNode root = New_Document(QStringLiteral("MQTT_Set_Topic"), QStringLiteral("1.003"));
    Write_Rows(root.AddChild(QLatin1String(Pub_Spec.Element)), ACG_Pub, Pub_Spec);
    Write_Rows(root.AddChild(QLatin1String(Sub_Spec.Element)), ACG_Sub, Sub_Spec);
    Save_And_Close(MQTT_Set_Topic_File);
}

TExColumnGrid* TFMQTT_Set_Topic::Shown_Grid() const
{
    return PageControl1->ActivePage() == TS_MQTT_Subscribe ? ACG_Sub : ACG_Pub;
}

void TFMQTT_Set_Topic::ACG_MQTT_DblClickCell(TObject* Sender, Integer ARow, Integer ACol)
{
    auto* g = static_cast<TExColumnGrid*>(Sender);
    Grid_Auto_Size_Column(g, ARow, ACol);
    const Integer col = g->RealColIndex(g->Col());
    if (g->Row() >= 1 && col == (g == ACG_Pub ? Pub_Template : Sub_Template))
        Show_Form_Topic(g, g->Row(), col);
}

void TFMQTT_Set_Topic::Show_Form_Topic(TExColumnGrid* Grid, Integer ARow, Integer ACol)
{
    if (!FTopicTemplate)
        return;
    FTopicTemplate->TopicTemplate = ACol == (Grid == ACG_Pub ? Pub_Template : Sub_Template) ? 1 : 0;
    FTopicTemplate->Working_Mode = Working_Mode;
    FTopicTemplate->Pub_Sub = Grid == ACG_Pub ? 0 : 1;
    FTopicTemplate->RE_TopicTemplate->Clear();
    FTopicTemplate->RE_TopicTemplate->SetText(Grid->GetCellEx(ACol, ARow));
    if (FTopicTemplate->ShowModal() == mrOk)
        Grid->SetCellEx(ACol, ARow, FTopicTemplate->RE_TopicTemplate->Text());
}

void TFMQTT_Set_Topic::Set_Lang()
{
    SetCaption(Plant_Lang(5200));
    L_SW_Desc->SetCaption(Plant_Lang(5201));
    Buttons_Lang(5202, 5208);
    Table_Lang(ACG_Pub, Pub_Spec, Hint_MQTT_Set_Topic_Pub.get());
    Table_Lang(ACG_Sub, Sub_Spec, Hint_MQTT_Set_Topic_Sub.get());
    TS_MQTT_Publish->SetCaption(Plant_Lang(5233));
    TS_MQTT_Subscribe->SetCaption(Plant_Lang(5234));
}
