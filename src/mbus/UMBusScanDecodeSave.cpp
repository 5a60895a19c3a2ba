// The scan's results as files: the meters of the last wired or wireless scan
// written into M_Bus.xml (new, or appended to the nodes already there) with
// their positions in the internal data array, and the scan reports.
#include "mbus/UMBusScanDecode.h"

#include "platform/Lists.h"
#include "platform/Text.h"
#include "platform/XmlDocument.h"
#include "shell/CodeTables.h"
#include "shell/UComon.h"

namespace {

QString Num(Int64 Value) { return IntToStr(Value); }
QString Flag(bool Value) { return Value ? QStringLiteral("1") : QStringLiteral("0"); }

bool Code_In(Integer Code, std::initializer_list<Integer> Codes)
{
    for (Integer c : Codes)
        if (c == Code)
            return true;
    return false;
}

// Dim value and positions taken by a record, by its data field.
void Data_Field_Size(const TVariable_MBus& Var, Integer& Dim, Integer& Positions)
{
    switch (Var.dimension) {
    case 1: Dim = 0, Positions = 1; break;
    case 2: Dim = 1, Positions = 1; break;
    case 3: Dim = 4, Positions = 2; break;
    case 4: Dim = 2, Positions = 2; break;
    case 5: Dim = 6, Positions = 2; break;
    case 6: Dim = 5, Positions = 3; break;
    case 7: Dim = 3, Positions = 4; break;
    case 9: Dim = 0, Positions = 1; break;
    case 10: Dim = 1, Positions = 1; break;
    case 11: Dim = 4, Positions = 2; break;
    case 12: Dim = 2, Positions = 2; break;
    case 13: {
        // (nbyte + 1) / 2 rounded to the nearest integer, a half to the even one.
        const Integer n = Var.nbyte + 1;
        Integer q = n / 2;
        if (n % 2 != 0 && q % 2 != 0)
            ++q;
        Dim = 7, Positions = q;
        break;
    }
    case 14: Dim = 5, Positions = 3; break;
    default: Dim = 255, Positions = 0; break;
    }
}

// The running state of one save.
struct TPositions {
    Integer Counter = 0;
    Integer Last_Dim = 0;
};

QString UST(const TVariable_MBus& Var)
{
    return QStringLiteral("(U") + Num(Var.device) + QLatin1Char('S') + Num(Var.storage_number) + QLatin1Char('T')
           + Num(Var.tarif) + QLatin1Char(')');
}

// One "Variabile" of M_Bus.xml. A record that does not count keeps the
// counter, writes Length "0" and repeats the last Dim.
void Add_Variabile(TXMLNode Node, const TVariable_MBus& Var, Integer Position, bool Enabled, bool Counted,
                   const TSaveConfXML& DataIn, bool Check_BCD, TPositions& Pos)
{
    Integer dim = Pos.Last_Dim, positions = 0;
    if (Counted) {
        Data_Field_Size(Var, dim, positions);
        Pos.Last_Dim = dim;
    }
    const bool bacnet = DataIn.XML_Code_Dev == 12;
    TXMLNode v = Node.AddChild(QStringLiteral("Variabile"));
    v.SetAttribute(QStringLiteral("Enable"), Flag(Enabled));
    v.SetAttribute(QStringLiteral("Position"), Num(Position));
    v.SetAttribute(QStringLiteral("Desc"), Var.Desc_Type_Data + QLatin1Char(' ') + UST(Var));
    v.SetAttribute(QStringLiteral("Type"), Num(Var.type_data));
    v.SetAttribute(QStringLiteral("VIF_ASCII"), Var.type_data == 21 ? Var.VIF_ASCII : QString());
    const Integer fun = Var.function_fild == 1 ? 2 : Var.function_fild == 2 ? 1 : Var.function_fild;
    v.SetAttribute(QStringLiteral("Fun_Field"), Num(fun));
    v.SetAttribute(QStringLiteral("Length"), Num(Counted && Var.dimension == 13 ? Var.nbyte : 0));
    if (!bacnet)
        v.SetAttribute(QStringLiteral("ModReg"), Num(Pos.Counter));
    v.SetAttribute(QStringLiteral("Dim"), Num(dim));
    v.SetAttribute(QStringLiteral("Unit"), Num(Var.device));
    v.SetAttribute(QStringLiteral("StoNumber"), Num(Var.storage_number));
    v.SetAttribute(QStringLiteral("Tariff"), Num(Var.tarif));
    v.SetAttribute(QStringLiteral("VIFE"), Num(Var.Type_Data_Vife));
    if (bacnet) {
        v.SetAttribute(QStringLiteral("BACnet_EngUnits"), Num(Get_BACnet_Eng_Unit(Var.type_data, Var.Type_Data_Vife)));
        v.SetAttribute(QStringLiteral("BACnet_DataType"), QStringLiteral("0"));
        v.SetAttribute(QStringLiteral("Post_Operation"), QStringLiteral("0"));
    } else {
        v.SetAttribute(QStringLiteral("ModScale"), QStringLiteral("0"));
    }
    v.SetAttribute(QStringLiteral("BCDtoINT"), Flag(Var.Is_BCD && Check_BCD));
    v.SetAttribute(QStringLiteral("SWAP"), QStringLiteral("0"));
    Pos.Counter += positions;
}

// A new document with the root "M-Bus_Network", or the file to append to
// with its document element as the root.
TXMLNode Open_Network(TXMLDocument& Xml, const TSaveConfXML& DataIn)
{
    Xml.SetActive(true);
    Xml.Clear();
    if (DataIn.Append == 1) {
        if (!Xml.LoadFromFile(DataIn.File_Name))
            throw EScanFileError(Xml.ErrorMessage());
        // Nodes go under the document element, whatever stands before it.
        return Xml.Root();
    }
    return Xml.AddChild(QStringLiteral("M-Bus_Network"));
}

void Save_Document(TXMLDocument& Xml, const QString& FileName)
{
    if (!Xml.SaveToFile(FileName))
        throw EScanFileError(Xml.ErrorMessage());
}

// The node attributes that the BACnet converter model (code 12) writes as "0".
void Set_Zero_Node_Attributes(TXMLNode Node)
{
    for (const char* name : {"Node_State", "Ident_Num", "BCDtoINT_IN", "Swap_IN", "Var_List_Type", "NS_VarType", "IN_VarType"})
        Node.SetAttribute(QString::fromLatin1(name), QStringLiteral("0"));
}

// The start position of meter I; the counter stays where it is when the
// list of start positions has no entry for it.
void Meter_Start(const TSaveConfXML& DataIn, size_t I, TPositions& Pos)
{
    if (DataIn.StartModnode == 1 && I < DataIn.SMN_Array.size())
        Pos.Counter = DataIn.SMN_Array[I];
}

// The record in the reports: attributes and twelve text children.
void Add_Report_Variable(TXMLNode Node, const TVariable_MBus& Var)
{
    TXMLNode v = Node.AddChild(QStringLiteral("Variable"));
    v.SetAttribute(QStringLiteral("Value"), Var.ValueStr);
    v.SetAttribute(QStringLiteral("Type"), Var.Desc_Type_Data);
    v.SetAttribute(QStringLiteral("UST"), UST(Var));
    const std::pair<const char*, QString> texts[] = {
        {"Storage_Number", Num(Var.storage_number)},
        {"Tariff", Num(Var.tarif)},
        {"Unit", Num(Var.device)},
        {"Data_Field", Var.DataFieldStr},
        {"Function_Field", Var.FunctionFieldStr},
        {"Type", Var.Desc_Type_Data},
        {"Value", Var.ValueStr},
        {"DIF", Var.DIF},
        {"VIF", QLatin1Char('$') + IntToHex(Var.VIF, 2)},
        {"DIFE", Var.DIFE},
        {"VIFE", Var.VIFE},
        {"DATA", QLatin1Char('$') + Var.totdati},
    };
    for (const auto& [name, text] : texts)
        v.AddChild(QString::fromLatin1(name)).SetText(text);
}

} // namespace

bool TMBusScanDecode::Save_XML_Conf_Wired(const TSaveConfXML& DataIn, bool Check_BCD)
{
    if (!Wired_Slave_List || Wired_Slave_List->Count() == 0)
        return false;
    auto unticked = [this](void* node) { return node != nullptr && Node_Ticked && !Node_Ticked(node); };
    TXMLDocument xml;
    TXMLNode parent = Open_Network(xml, DataIn);
    const Integer code = DataIn.XML_Code_Dev;
    if (code == 4 || code == 7) {
        parent = parent.AddChild(QStringLiteral("Group"));
        parent.SetAttribute(QStringLiteral("Baudrate"), Num(DataIn.Index_Baud));
        parent.SetAttribute(QStringLiteral("Parity"), Num(DataIn.Index_Par));
    }
    TPositions pos;
    pos.Counter = DataIn.Mod_Start;
    for (Integer i = 0; i < Wired_Slave_List->Count(); ++i) {
        const auto* slave = static_cast<const TSlave_MBus*>(Wired_Slave_List->Items(i));
        Meter_Start(DataIn, size_t(i), pos);
        TXMLNode n = parent.AddChild(QStringLiteral("Nodo"));
        n.SetAttribute(QStringLiteral("Node_Enable"), Flag(!unticked(slave->Node)));
        if (Code_In(code, {2, 4, 5, 7, 8}))
            n.SetAttribute(QStringLiteral("ID"), Num(slave->Primary_Addresss));
        if (code == 4 || code == 7)
            n.SetAttribute(QStringLiteral("Secondary_address"), slave->Secondary_Addresss);
        n.SetAttribute(QStringLiteral("ID_Primary"), Num(slave->Primary_Addresss));
        n.SetAttribute(QStringLiteral("ID_Secondary"), slave->Secondary_Addresss);
        n.SetAttribute(QStringLiteral("Node_ID_Type"), Num(DataIn.Node_ID_Type));
        n.SetAttribute(QStringLiteral("Descrizione"), slave->descManufacture);
        n.SetAttribute(QStringLiteral("Send_SND_NKE"), Flag(DataIn.SND_NKE == 1));
        n.SetAttribute(QStringLiteral("Reset_App"), Flag(DataIn.Reset_App == 1));
        n.SetAttribute(QStringLiteral("Cut_After"), Num(DataIn.Cut_After));
        if (code == 12) {
            n.SetAttribute(QStringLiteral("MBus_Type"), QStringLiteral("1"));
            Set_Zero_Node_Attributes(n);
        }
        if (code == 13 || code == 14)
            n.SetAttribute(QStringLiteral("MBus_Type"), QStringLiteral("1"));
        if (DataIn.StartModnode == 1 && Code_In(code, {0, 1, 9, 13, 14})) {
            n.SetAttribute(QStringLiteral("Node_State"), DataIn.En_NodeState ? Num(pos.Counter) : QStringLiteral("0"));
            if (DataIn.En_NodeState)
                pos.Counter += 1;
            n.SetAttribute(QStringLiteral("Ident_Num"), DataIn.En_IdeNum ? Num(pos.Counter) : QStringLiteral("0"));
            if (DataIn.En_IdeNum)
                pos.Counter += 2;
        }
        for (size_t r = 0; r < slave->List_Var.size(); ++r) {
            const TVariable_MBus& var = *slave->List_Var[r];
            const bool off = unticked(var.Node);
            Add_Variabile(n, var, Integer(r + 1), !off, !(DataIn.StartModnode == 1 && off), DataIn, Check_BCD, pos);
        }
    }
    Save_Document(xml, DataIn.File_Name);
    return true;
}

bool TMBusScanDecode::Save_XML_Conf_Wireless(const TSaveConfXML& DataIn, bool Check_BCD)
{
    if (!Wireless_Slave_List || Wireless_Slave_List->Count() == 0)
        return false;
    TXMLDocument xml;
    TXMLNode root = Open_Network(xml, DataIn);
    const Integer code = DataIn.XML_Code_Dev;
    TPositions pos;
    pos.Counter = DataIn.Mod_Start;
    for (Integer i = 0; i < Wireless_Slave_List->Count(); ++i) {
        const auto* meter = static_cast<const TSlave_wMBus*>(Wireless_Slave_List->Items(i));
        Meter_Start(DataIn, size_t(i), pos);
        TXMLNode n = root.AddChild(QStringLiteral("Nodo"));
        n.SetAttribute(QStringLiteral("Node_Enable"), Flag(meter->Enable));
        if (Code_In(code, {2, 4, 5, 7, 8, 10}))
            n.SetAttribute(QStringLiteral("ID"), QStringLiteral("1"));
        if (code == 4 || code == 7)
            n.SetAttribute(QStringLiteral("Secondary_address"), QStringLiteral("1"));
        n.SetAttribute(QStringLiteral("ID_Primary"), QStringLiteral("1"));
        n.SetAttribute(QStringLiteral("ID_Secondary"), QStringLiteral("1"));
        n.SetAttribute(QStringLiteral("Node_ID_Type"), QStringLiteral("0"));
        n.SetAttribute(QStringLiteral("Descrizione"), meter->ALA_Manu_str);
        n.SetAttribute(QStringLiteral("Send_SND_NKE"), QStringLiteral("0"));
        n.SetAttribute(QStringLiteral("Reset_App"), QStringLiteral("0"));
        n.SetAttribute(QStringLiteral("Cut_After"), QStringLiteral("3"));
        if (code == 12) {
            Set_Zero_Node_Attributes(n);
        } else if (DataIn.StartModnode == 1 && Code_In(code, {0, 1, 9, 13, 14})) {
            n.SetAttribute(QStringLiteral("Node_State"), DataIn.En_NodeState ? Num(pos.Counter) : QStringLiteral("0"));
            if (DataIn.En_NodeState)
                pos.Counter += 2;
            n.SetAttribute(QStringLiteral("Ident_Num"), DataIn.En_IdeNum ? Num(pos.Counter) : QStringLiteral("0"));
            if (DataIn.En_IdeNum)
                pos.Counter += 1;
        }
        n.SetAttribute(QStringLiteral("MBus_Type"), QStringLiteral("0"));
        n.SetAttribute(QStringLiteral("wMBus_ManID"), Num(meter->ALA_Manufacturer));
        n.SetAttribute(QStringLiteral("wMBus_Add"), Num(Integer(meter->ALA_Address)));
        n.SetAttribute(QStringLiteral("wMBus_Ver"), Num(meter->ALA_Version));
        n.SetAttribute(QStringLiteral("wMBus_DevType"), Num(meter->ALA_DeviceType));
        n.SetAttribute(QStringLiteral("wMBus_En_Key"), Flag(meter->Enable_Key));
        for (size_t k = 0; k < meter->Key.size(); ++k)
            n.SetAttribute(QStringLiteral("wMBus_Key_") + Num(Int64(k + 1)), Num(meter->Key[k]));
        for (size_t r = 0; r < meter->List_Var.size(); ++r) {
            const TVariable_MBus& var = *meter->List_Var[r];
            if (!var.Real_Wireless_Var)
                continue;
            Add_Variabile(n, var, Integer(r + 1), var.Enable, !(DataIn.StartModnode == 1 && !var.Enable), DataIn, Check_BCD, pos);
        }
    }
    Save_Document(xml, DataIn.File_Name);
    return true;
}

void TMBusScanDecode::Save_XML_File_DLL()
{
    TXMLDocument xml;
    xml.SetActive(true);
    TXMLNode root = xml.AddChild(QStringLiteral("SCAN_M-Bus_Wired"));
    for (Integer i = 0; Wired_Slave_List && i < Wired_Slave_List->Count(); ++i) {
        const auto* slave = static_cast<const TSlave_MBus*>(Wired_Slave_List->Items(i));
        TXMLNode n = root.AddChild(QStringLiteral("Node"));
        n.SetAttribute(QStringLiteral("Primary_Address"), Num(slave->Primary_Addresss));
        n.SetAttribute(QStringLiteral("Secondary_Address"), slave->Secondary_Addresss);
        n.SetAttribute(QStringLiteral("Manufacturer"),
                       slave->descManufacture + QStringLiteral(" (") + Num(slave->Manufacture) + QLatin1Char(')'));
        n.SetAttribute(QStringLiteral("Version"), Num(slave->Version));
        n.SetAttribute(QStringLiteral("Type"), Num(slave->Medium));
        for (const auto& var : slave->List_Var)
            Add_Report_Variable(n, *var);
    }
    if (!xml.SaveToFile(SaveXMLFile))
        SetLastError(xml.ErrorMessage());
}

void TMBusScanDecode::Save_Wireless_XML_File_DLL()
{
    TXMLDocument xml;
    xml.SetActive(true);
    TXMLNode root = xml.AddChild(QStringLiteral("SCAN_M-Bus_Wireless"));
    for (Integer i = 0; Wireless_Slave_List && i < Wireless_Slave_List->Count(); ++i) {
        const auto* meter = static_cast<const TSlave_wMBus*>(Wireless_Slave_List->Items(i));
        TXMLNode n = root.AddChild(QStringLiteral("Node"));
        n.SetAttribute(QStringLiteral("Manufacturer"), meter->ALA_Manu_str);
        n.SetAttribute(QStringLiteral("Address"), IntToHex(meter->ALA_Address, 8));
        n.SetAttribute(QStringLiteral("Version"), Num(meter->ALA_Version));
        n.SetAttribute(QStringLiteral("Device_Type"), Num(meter->ALA_DeviceType));
        n.SetAttribute(QStringLiteral("Cripted"), meter->Cripted ? QStringLiteral("True") : QStringLiteral("False"));
        for (const auto& var : meter->List_Var)
            Add_Report_Variable(n, *var);
    }
    if (!xml.SaveToFile(SaveXMLFile))
        SetLastError(xml.ErrorMessage());
}
