#include "plant/UMQTT_Set_Topic.h"

#include "grid/columns/ExColumnGrid.h"
#include "platform/PageControl.h"
#include "platform/XmlDocument.h"
#include "platform/StringList.h"
#include "platform/Text.h"
#include "plant/UTopicTemplate.h"
#include "shell/TextChecks.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

TFMQTT_Set_Topic* FMQTT_Set_Topic = nullptr;

namespace {

constexpr const char* Data_Types = "Int|Float|String|Base64";
constexpr const char* Channels = "0|1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|16|17|18|19|20|21|22|23|24|25|26|27|28|29|"
                                 "30|31|32|33|34|35|36|37|38|39|40|41|42|43|44|45|46|47|48|49|50|51|52|53|54|55|56|"
                                 "57|58|59|60|61|62|63|All";

constexpr TRuleColumn Pub_Columns[] = {
    {"Topic", reText, 250, 5215, 5219},
    {"Retained", reCheck, 60, 5216, 5220},
    {"QoS", reCombo, 45, 5217, 5221, rmRequired, "", "0|1|2"},
    {"DataType", reCombo, 75, 5237, 5240, rmDefault, "", Data_Types},
    {"Dimension", reText, 70, 5238, 5241, rmDefault},
    {"Position", reText, 65, 5239, 5242, rmDefault},
    {"IPAddress", reText, 100, 5262, 5264, rmDefault},
    {"InputTemplate", reText, 150, 5263, 5265, rmDefault},
    {"Template", reComboEdit, 150, 5235, 5236, rmDefault, "", "$VALUE$"},
    {"OnChange", reCheck, 65, 5281, 5282, rmDefault, "N"},
    {nullptr, reCheck, 55, 5283, 5286, rmDefault},
    {"OnTimer", reCheck, 60, 5284, 5287, rmDefault, "N"},
    {"Time", reText, 70, 5285, 5288, rmDefault},
    {nullptr, reCombo, 60, 5290, 5291, rmDefault, "", Channels},
    {nullptr, reCheck, 45, 5293, 5295, rmDefault, "N"},
    {nullptr, reCheck, 75, 5294, 5296, rmDefault, "N"},
    {"Mnemonic", reText, 150, 5218, 5222},
};

constexpr TRuleColumn Sub_Columns[] = {
    {"Topic", reText, 250, 5225, 5229},
    {"Retained", reCheck, 60, 5226, 5230},
    {"QoS", reCombo, 45, 5227, 5231, rmRequired, "", "0|1|2"},
    {"DataType", reCombo, 75, 5243, 5247, rmDefault, "", Data_Types},
    {"Dimension", reText, 70, 5244, 5248, rmDefault},
    {"Position", reText, 65, 5245, 5249, rmDefault},
    {"IPAddress", reText, 100, 5266, 5270, rmDefault},
    {"Port", reText, 55, 5267, 5271, rmDefault},
    {"EthType", reCombo, 55, 5268, 5272, rmDefault, "", "TCP|UDP"},
    {"InputTemplate", reText, 150, 5269, 5273, rmDefault},
    {"Template", reComboEdit, 150, 5246, 5250, rmDefault, "", "$VALUE$"},
    {nullptr, reCheck, 45, 5293, 5297, rmDefault, "N"},
    {nullptr, reCheck, 75, 5294, 5298, rmDefault, "N"},
    {"Mnemonic", reText, 200, 5228, 5232},
};

constexpr Integer Rows = 1024;
const TRuleTable Pub_Rules{"MQTT_Publish", Pub_Columns, 5214, 5233, 1, false};
const TRuleTable Sub_Rules{"MQTT_Subscribe", Sub_Columns, 5224, 5234, 1, false};
const TRuleGridLook Look{true, true, true, false, true};

const TRuleTexts Texts{5200, 5201, {5202, 5203, 5204, 5205, 5206, 5207}, {5208, 5209, 5210, 5211, 5212, 5213}, 5223,
                       5251};
const TRuleFile File{&MQTT_Set_Topic_File, "MQTT_Set_Topic", "1.003"};

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
    : TRuleTableForm(AOwner, QStringLiteral("FMQTT_Set_Topic"), 1100, 337, Texts, File)
{
    ACG_Pub = Add_Grid(Pub_Rules, Look, "ACG_Pub", Rows, "TS_MQTT_Publish", &Do_Copy_Pub);
    ACG_Sub = Add_Grid(Sub_Rules, Look, "ACG_Sub", Rows, "TS_MQTT_Subscribe", &Do_Copy_Sub);
    TS_MQTT_Publish = Sheet(0);
    TS_MQTT_Subscribe = Sheet(1);
    Hint_MQTT_Set_Topic_Pub = Hint_List(ACG_Pub);
    Hint_MQTT_Set_Topic_Sub = Hint_List(ACG_Sub);
    for (TExColumnGrid* g : {ACG_Pub, ACG_Sub}) {
        g->SetOptions(g->Options() | goRangeSelect);
        g->OnDblClickCell = [this](TObject* s, Integer r, Integer c) { ACG_MQTT_DblClickCell(s, r, c); };
    }
}

TFMQTT_Set_Topic::~TFMQTT_Set_Topic()
{
    if (FMQTT_Set_Topic == this)
        FMQTT_Set_Topic = nullptr;
}

void TFMQTT_Set_Topic::Prepare_Show()
{
    Working_Mode = 1;
    Byte_IN = 1500;
    Byte_OUT = 1500;
    const struct {
        TExColumnGrid* Grid;
        const TRuleTable& Table;
        const TTopic_Checks& Checks;
    } tables[] = {{ACG_Pub, Pub_Rules, Pub_Checks}, {ACG_Sub, Sub_Rules, Sub_Checks}};
    for (const auto& t : tables) {
        const Integer columns = Integer(t.Table.Columns.size()) + 1;
        t.Grid->UnHideColumns(0, columns - 1);
        for (Integer c : t.Checks.Hidden)
            t.Grid->HideColumn(c);
    }
    TS_MQTT_Subscribe->SetTabVisible(true);
    for (const auto& t : tables)
        t.Grid->SetRowCount(Rows + 1);
}

void TFMQTT_Set_Topic::Missing_Attribute(const TXMLNode& Table, Integer Row, const QString& Name)
{
    Error_Box(QStringLiteral("Row %1 of %2: the attribute \"%3\" is missing").arg(Row).arg(Table.NodeName(), Name));
}

bool TFMQTT_Set_Topic::Error_In_Topic_Template(const QString& Text)
{
    return Text.count(QLatin1Char('$')) % 2 != 0;
}

bool TFMQTT_Set_Topic::Controllo_dati()
{
    const struct {
        Integer Index;
        const TTopic_Checks& K;
        Integer Positions;
    } tables[] = {{0, Pub_Checks, Byte_IN}, {1, Sub_Checks, Byte_OUT}};
    for (const auto& t : tables) {
        const Integer g = t.Index;
        const TTopic_Checks& k = t.K;
        auto shown = [grid = Grid(g)](Integer c) { return c >= 0 && !grid->IsHiddenColumn(c); };
        const Integer end = Table_End(g);
        for (Integer r = 1; r < end; ++r) {
            auto fault = [&](Integer text, const QString& tail = QString()) {
                Row_Error(r, Lang_Text(text) + tail);
                return false;
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
