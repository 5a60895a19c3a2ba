#include "fieldbus/UEtherNetIP_Master_Access.h"

#include <stdexcept>

#include "controls/FxButton.h"
#include "fieldbus/UEtherNetIP_Data_Seg.h"
#include "fieldbus/UEtherNetIP_EDS.h"
#include "grid/columns/ExColumnGrid.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/FileSystem.h"
#include "platform/Object.h"
#include "platform/Text.h"
#include "platform/XmlDocument.h"
#include "shell/TextChecks.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

TFEtherNetIP_Master_Access* FEtherNetIP_Master_Access = nullptr;

namespace {

enum {
    Col_Enable = 1, Col_IP, Col_Start_In, Col_Num_In, Col_Start_Out, Col_Num_Out, Col_Time_Poll, Col_Instance_TO,
    Col_Point_TO, Col_Instance_OT, Col_Point_OT, Col_Header_TO, Col_Header_OT, Col_Key_Enable, Col_Key,
    Col_Segment_Enable, Col_Segment, Col_Reset_Data, Col_Mnemonic
};

constexpr Integer Rules = 10;
constexpr Integer Byte_Limit = 1438;
constexpr Integer Key_Bytes = 8;
constexpr Integer Max_Segment_Bytes = 510;

constexpr TRuleColumn Columns[] = {
    {"Enable", reCheck, 50, 4115, 4123, rmDefault, "N"},
    {"IP_Address", reText, 105, 4116, 4124, rmDefault},
    {"Start_Input", reText, 72, 4117, 4125, rmDefault},
    {"Num_Input", reText, 70, 4118, 4126, rmDefault},
    {"Start_Output", reText, 80, 4119, 4127, rmDefault},
    {"Num_Output", reText, 80, 4120, 4128, rmDefault},
    {"Time_Poll", reText, 65, 4121, 4129, rmDefault},
    {"Instance_T_O", reText, 95, 4141, 4143, rmDefault},
    {"Connection_Point_T_O", reText, 115, 4147, 4149, rmDefault},
    {"Instance_O_T", reText, 95, 4142, 4144, rmDefault},
    {"Connection_Point_O_T", reText, 115, 4148, 4150, rmDefault},
    {"Dim_Header_T_O", reComboEdit, 115, 4153, 4155, rmDefault, "Default", "Default"},
    {"Dim_Header_O_T", reComboEdit, 115, 4154, 4156, rmDefault, "Default", "Default"},
    {"EnableElectronicKey", reCheck, 50, 4161, 4163, rmDefault, "N"},
    {"ElectronicKey", reText, 260, 4162, 4164, rmDefault},
    {"EnableDataSegment", reCheck, 50, 4165, 4167, rmDefault, "N"},
    {"DataSegment", reText, 250, 4166, 4168, rmDefault},
    {"ResetData", reCheck, 75, 4175, 4176, rmDefault, "N"},
    {"Mnemonic", reText, 150, 4122, 4130, rmDefault},
};

const TRuleTable Table{nullptr, Columns, 4114, -1, Col_IP, true};
const TRuleGridLook Look{true, true, false, false, true};
const TRuleTexts Texts{4100, 4101, {4102, 4103, 4104, 4105, 4106, 4107}, {4108, 4109, 4110, 4111, 4112, 4113}, 4140, 4131};
const TRuleFile File{&EtherNetIP_Master_Rules_File, "EtherNetIP_Master_Access", "1.000"};

// The byte-list test: 1 for an item that is no integer 0 .. 255, else the
// number of items.
Integer Count_Byte_Items(const QString& Text, Integer& Count)
{
    Count = 0;
    for (const QString& item : Text.split(u',')) {
        const Integer v = Text_To_Int(Trim(item), -1);
        if (v < 0 || v > 255)
            return 1;
        ++Count;
    }
    return 0;
}

QString Hex_Byte(Integer Value)
{
    return QStringLiteral("0x") + QStringLiteral("%1").arg(Value, 2, 16, QLatin1Char('0')).toUpper();
}

// A required attribute of a stored configuration; throws when it is missing.
QString Required(const TXMLNode& Node, const char* Name)
{
    const QString name = QLatin1String(Name);
    if (!Node.HasAttribute(name))
        throw EConvertError(QStringLiteral("Attribute \"%1\" missing in %2").arg(name, Node.NodeName()));
    return Node.Attribute(name);
}

Int64 Required_Number(const TXMLNode& Node, const char* Name)
{
    Int64 v = 0;
    const QString text = Required(Node, Name);
    if (!Try_Text_To_Int64(text, v))
        throw EConvertError(QStringLiteral("\"%1\" is not a valid integer value (attribute \"%2\" of %3)")
                                .arg(text, QLatin1String(Name), Node.NodeName())
                                );
    return v;
}

std::unique_ptr<TTargetConfig> Read_Config(const TXMLNode& Node)
{
    auto tc = std::make_unique<TTargetConfig>();
    tc->FileName = Required(Node, "FileName");
    tc->Size = Required(Node, "Size");
    tc->Format = Required(Node, "Format");
    tc->AO_Name = Required(Node, "AO_Name");
    tc->AO_SizeBit = Required(Node, "AO_SizeBit");
    const TXMLNode params = Node.FindChild(QStringLiteral("ParamObjects"));
    for (TXMLNode n = params ? params.FirstChild() : TXMLNode(); n; n = n.NextSibling()) {
        if (n.NodeType() != ntElement)
            continue;
        TTC_ParamObj p;
        p.BitSize = Required(n, "BitSize");
        p.ParamName = Required(n, "ParamName");
        p.Name = Required(n, "Name");
        p.DataSizeByte = Integer(Required_Number(n, "DataSizeByte"));
        p.DataType = Integer(Required_Number(n, "DataType"));
        p.Min = Required_Number(n, "Min");
        p.Max = Required_Number(n, "Max");
        p.Default = Required_Number(n, "Default");
        p.Value = Required_Number(n, "Value");
        p.Enum = Required(n, "Enum") == QLatin1String("1");
        const TXMLNode list = n.FindChild(QStringLiteral("EnumList"));
        for (TXMLNode e = list ? list.FirstChild() : TXMLNode(); e; e = e.NextSibling()) {
            if (e.NodeType() != ntElement)
                continue;
            const TTC_EnumObj item{Integer(Required_Number(e, "Value")), Required(e, "Description")};
            p.ListEnum.push_back(item);
            p.EnumString.append(item.Description);
        }
        tc->ListParamObject.push_back(std::move(p));
    }
    return tc;
}

void Write_Config(const TTargetConfig& Tc, TXMLNode& Row)
{
    TXMLNode node = Row.AddChild(QStringLiteral("TargetCong"));
    node.SetAttribute(QStringLiteral("FileName"), Tc.FileName);
    node.SetAttribute(QStringLiteral("Size"), Tc.Size);
    node.SetAttribute(QStringLiteral("Format"), Tc.Format);
    node.SetAttribute(QStringLiteral("AO_Name"), Tc.AO_Name);
    node.SetAttribute(QStringLiteral("AO_SizeBit"), Tc.AO_SizeBit);
    TXMLNode params = node.AddChild(QStringLiteral("ParamObjects"));
    for (const TTC_ParamObj& p : Tc.ListParamObject) {
        TXMLNode n = params.AddChild(QStringLiteral("ParamObject"));
        n.SetAttribute(QStringLiteral("BitSize"), p.BitSize);
        n.SetAttribute(QStringLiteral("ParamName"), p.ParamName);
        n.SetAttribute(QStringLiteral("Name"), p.Name);
        n.SetAttribute(QStringLiteral("DataSizeByte"), QString::number(p.DataSizeByte));
        n.SetAttribute(QStringLiteral("DataType"), QString::number(p.DataType));
        n.SetAttribute(QStringLiteral("Min"), QString::number(p.Min));
        n.SetAttribute(QStringLiteral("Max"), QString::number(p.Max));
        n.SetAttribute(QStringLiteral("Default"), QString::number(p.Default));
        n.SetAttribute(QStringLiteral("Value"), QString::number(p.Value));
        n.SetAttribute(QStringLiteral("Enum"), p.Enum ? QStringLiteral("1") : QStringLiteral("0"));
        TXMLNode list = n.AddChild(QStringLiteral("EnumList"));
        for (const TTC_EnumObj& e : p.ListEnum) {
            TXMLNode item = list.AddChild(QStringLiteral("Enum"));
            item.SetAttribute(QStringLiteral("Value"), QString::number(e.Value));
            item.SetAttribute(QStringLiteral("Description"), e.Description);
        }
    }
}

} // namespace

TFEtherNetIP_Master_Access::TFEtherNetIP_Master_Access(TComponent* AOwner)
    : TRuleTableForm(AOwner, QStringLiteral("FEtherNetIP_Master_Access"), 1180, 337, Texts, File)
{
    ACG = Add_Grid(Table, Look, "ACG", Rules);
    ACG->OnDblClickCell = [this](TObject* s, Integer r, Integer c) { ACGDblClickCell(s, r, c); };

    Btn_Import_EDS = Make_Control<TFxButton>(this, P_Button, "Btn_Import_EDS");
    Btn_Import_EDS->SetBounds(400, 7, 100, 30);
    Btn_Import_EDS->SetShowHint(true);
    Btn_Import_EDS->SetCaption(QStringLiteral("Import EDS"));
    Btn_Import_EDS->OnClick = [this](TObject* s) { Btn_Import_EDSClick(s); };

    OD_EDS = new TOpenDialog(this);
    OD_EDS->SetName(QStringLiteral("OD_EDS"));
    OD_EDS->SetFilter(QStringLiteral("EtherNet/IP EDS (*.eds)|*.eds"));
}

TFEtherNetIP_Master_Access::~TFEtherNetIP_Master_Access()
{
    if (FEtherNetIP_Master_Access == this)
        FEtherNetIP_Master_Access = nullptr;
}

void TFEtherNetIP_Master_Access::Set_Lang()
{
    TRuleTableForm::Set_Lang();
    Btn_Import_EDS->SetCaption(Lang_Text(4159));
    Btn_Import_EDS->SetHint(Lang_Text(4160));
}

// ------------------------------------------------------------ show, file

void TFEtherNetIP_Master_Access::Prepare_Show()
{
    for (auto& tc : ArrTargetConf)
        tc.reset();
}

void TFEtherNetIP_Master_Access::Set_Limits()
{
    Num_Byte_In = Byte_Limit;
    Num_Byte_Out = Byte_Limit;
}

void TFEtherNetIP_Master_Access::Row_Loaded(Integer, const TXMLNode& Node, Integer Row)
{
    const TXMLNode conf = Node.FindChild(QStringLiteral("TargetCong"));
    if (!conf)
        return;
    try {
        ArrTargetConf[size_t(Row - 1)] = Read_Config(conf);
    } catch (const std::exception& e) {
        // Loading stops at this row, as at any missing attribute.
        Stop_Loading();
        Application->HandleException(this, std::runtime_error(QStringLiteral("%1 (row %2 of %3)")
                                                                  .arg(QString::fromStdString(e.what()))
                                                                  .arg(Row)
                                                                  .arg(ExtractFileName(EtherNetIP_Master_Rules_File))
                                                                  .toStdString()));
    }
}

void TFEtherNetIP_Master_Access::Row_Written(Integer, TXMLNode& Node, Integer Row)
{
    if (Row >= 1 && Row <= Rules && ArrTargetConf[size_t(Row - 1)])
        Write_Config(*ArrTargetConf[size_t(Row - 1)], Node);
}

void TFEtherNetIP_Master_Access::Btn_OKClick(TObject* Sender)
{
    TRuleTableForm::Btn_OKClick(Sender);
    if (ModalResult() == mrOk)
        for (auto& tc : ArrTargetConf)
            tc.reset();
}

// ------------------------------------------------------------ check

Integer TFEtherNetIP_Master_Access::CheckBytesElectronicKey(const QString& Text)
{
    Integer count = 0;
    if (Count_Byte_Items(Text, count) == 1)
        return 1;
    return count != Key_Bytes ? 2 : 0;
}

Integer TFEtherNetIP_Master_Access::CheckBytesDataSegment(const QString& Text)
{
    Integer count = 0;
    if (Count_Byte_Items(Text, count) == 1)
        return 1;
    return count > Max_Segment_Bytes ? 2 : 0;
}

bool TFEtherNetIP_Master_Access::Controllo_dati()
{
    Integer total_in = 0;
    Integer total_out = 0;
    for (Integer r = 1; r <= Rules; ++r) {
        if (!Row_Enabled(0, r, true))
            continue;
        if (Cell_Trim(0, Col_IP, r).isEmpty())
            break;
        QString p1, p2, p3, p4;
        if (!Split_IP_Address(Cell(0, Col_IP, r), p1, p2, p3, p4)) {
            Row_Error(r, Lang_Text(4132));
            return false;
        }
        if (!Check_Range(0, r, Col_Start_In, 0, 65535, 4133) || !Check_Range(0, r, Col_Num_In, 0, 65535, 4134))
            return false;
        total_in += Cell_Int(0, Col_Num_In, r);
        if (!Check_Range(0, r, Col_Start_Out, 0, 65535, 4135) || !Check_Range(0, r, Col_Num_Out, 0, 65535, 4136))
            return false;
        total_out += Cell_Int(0, Col_Num_Out, r);
        if (!Check_Range(0, r, Col_Time_Poll, 1, 100000000, 4137) ||
            !Check_Range(0, r, Col_Instance_TO, 0, 65535, 4145) || !Check_Range(0, r, Col_Point_TO, 0, 65535, 4151) ||
            !Check_Range(0, r, Col_Instance_OT, 0, 65535, 4146) || !Check_Range(0, r, Col_Point_OT, 0, 65535, 4152))
            return false;
        for (const auto& [col, text] : {std::pair{Col_Header_TO, 4157}, std::pair{Col_Header_OT, 4158}})
            if (UpperCase(Cell_Trim(0, col, r)) != QLatin1String("DEFAULT") && !Check_Range(0, r, col, 0, 7, text))
                return false;
        if (UpperCase(Cell(0, Col_Key_Enable, r)) == QLatin1String("Y")) {
            const QString key = Cell_Trim(0, Col_Key, r);
            const Integer result = key.isEmpty() ? -1 : CheckBytesElectronicKey(key);
            const Integer text = result == -1 ? 4171 : result == 1 ? 4169 : result == 2 ? 4170 : 0;
            if (text != 0) {
                Row_Error(r, Lang_Text(text));
                return false;
            }
        }
        if (UpperCase(Cell(0, Col_Segment_Enable, r)) == QLatin1String("Y")) {
            const QString segment = Cell_Trim(0, Col_Segment, r);
            const Integer result = segment.isEmpty() ? -1 : CheckBytesDataSegment(segment);
            const Integer text = result == -1 ? 4174 : result == 1 ? 4172 : result == 2 ? 4173 : 0;
            if (text != 0) {
                Row_Error(r, Lang_Text(text));
                return false;
            }
        }
    }
    if (Num_Byte_In < total_in) {
        Error_Box(Lang_Text(4138) + QString::number(Num_Byte_In));
        return false;
    }
    if (Num_Byte_Out < total_out) {
        Error_Box(Lang_Text(4139) + QString::number(Num_Byte_Out));
        return false;
    }
    return true;
}

// ------------------------------------------------------------ row buttons

void TFEtherNetIP_Master_Access::Btn_InsRowClick(TObject* Sender)
{
    const Integer row = ACG->GetRowEx();
    if (row >= 1 && row <= Rules) {
        // The configurations move down with their rows; the last one falls off.
        for (Integer i = Rules - 1; i > row - 1; --i)
            ArrTargetConf[size_t(i)] = std::move(ArrTargetConf[size_t(i - 1)]);
        ArrTargetConf[size_t(row - 1)].reset();
    }
    TRuleTableForm::Btn_InsRowClick(Sender);
}

void TFEtherNetIP_Master_Access::Btn_DelRowClick(TObject*)
{
    const Integer row = ACG->GetRowEx();
    if (Application->MessageBox(Lang_Text(4140) + QString::number(row), Application->Title(),
                                MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    if (row >= 1 && row <= Rules) {
        for (Integer i = row - 1; i < Rules - 1; ++i)
            ArrTargetConf[size_t(i)] = std::move(ArrTargetConf[size_t(i + 1)]);
        ArrTargetConf[size_t(Rules - 1)].reset();
    }
    Grid_Delete_Row(row, ACG);
}

// ------------------------------------------------------------ import, editing

void TFEtherNetIP_Master_Access::Btn_Import_EDSClick(TObject*)
{
    if (!OD_EDS->Execute() || FEtherNEtIP_EDS == nullptr)
        return;
    const QString path = OD_EDS->FileName();
    FEtherNEtIP_EDS->EDS_FileName = path;
    if (FEtherNEtIP_EDS->ShowModal() != mrOk)
        return;
    Integer row = 1;
    while (row <= Rules && !(Cell_Trim(0, Col_IP, row).isEmpty() && Cell_Trim(0, Col_Instance_TO, row).isEmpty()))
        ++row;
    const TFEtherNEtIP_EDS& eds = *FEtherNEtIP_EDS;
    const Integer chosen = eds.ACG->GetRowEx();
    if (row > Rules || chosen < 1 || chosen > Integer(eds.List_Conn.size()))
        return;
    const TConnData& conn = eds.List_Conn[size_t(chosen - 1)];
    // The reader's cells: instances, connection points, header sizes.
    const struct {
        Integer Col;
        Integer Eds_Col;
    } cells[] = {{Col_Instance_OT, 3}, {Col_Point_OT, 4}, {Col_Instance_TO, 5},
                 {Col_Point_TO, 6},    {Col_Header_TO, 8}, {Col_Header_OT, 7}};
    for (const auto& c : cells)
        ACG->SetCellEx(c.Col, row, eds.ACG->GetCellEx(c.Eds_Col, chosen));
    if (eds.VendCode || eds.ProdType || eds.ProdCode || eds.MajRev || eds.MinRev) {
        const Integer bytes[Key_Bytes] = {eds.VendCode & 0xFF, eds.VendCode >> 8, eds.ProdType & 0xFF,
                                          eds.ProdType >> 8,   eds.ProdCode & 0xFF, eds.ProdCode >> 8,
                                          eds.MajRev + 0x80,   eds.MinRev};
        QStringList key;
        for (const Integer b : bytes)
            key << Hex_Byte(b);
        ACG->SetCellEx(Col_Key, row, key.join(QStringLiteral(", ")));
    }
    ACG->SetCellEx(Col_Segment, row, QString());
    ArrTargetConf[size_t(row - 1)].reset();
    if (conn.TargetConfSize.isEmpty() || conn.TargetConfFormat.isEmpty())
        return;
    auto tc = std::make_unique<TTargetConfig>();
    tc->FileName = path;
    tc->Size = conn.TargetConfSize;
    tc->Format = conn.TargetConfFormat;
    try {
        tc->DecodeTargetConf();
    } catch (const std::exception& e) {
        // The cells written so far stay; the row has no configuration.
        Application->HandleException(this, e);
        return;
    }
    ACG->SetCellEx(Col_Segment, row, tc->GetConfigStrData());
    ArrTargetConf[size_t(row - 1)] = std::move(tc);
}

void TFEtherNetIP_Master_Access::ACGDblClickCell(TObject* Sender, Integer ARow, Integer ACol)
{
    DblClickCell(Sender, ARow, ACol);
    if (ARow < 1 || ARow > Rules || ACG->RealColIndex(ACol) != Col_Segment || FEtherNetIP_Data_Seg == nullptr)
        return;
    TTargetConfig* tc = ArrTargetConf[size_t(ARow - 1)].get();
    if (tc == nullptr)
        return;
    TFEtherNetIP_Data_Seg& editor = *FEtherNetIP_Data_Seg;
    editor.TC = TFEtherNetIP_Data_Seg::CopyTargetConf(*tc);
    if (editor.ShowModal() == mrOk) {
        // The values come back by position.
        const size_t n = std::min(tc->ListParamObject.size(), editor.TC->ListParamObject.size());
        for (size_t i = 0; i < n; ++i)
            tc->ListParamObject[i].Value = editor.TC->ListParamObject[i].Value;
        ACG->SetCellEx(Col_Segment, ARow, tc->GetConfigStrData());
    }
    editor.TC.reset();
}
