// The file OPC_UA_Client.xml of the OPC UA client model.

#include "plant/UOPC_UA_Client_AccessModel.h"

#include "platform/XmlDocument.h"
#include "shell/TextChecks.h"

namespace {

QString Bit(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

// A Boolean attribute is true only when it is exactly "1".
bool IsOne(const TXMLNode& n, const char* name)
{
    return n.Attribute(QLatin1String(name)) == QLatin1String("1");
}

// "Y" when the attribute is "1", else "N".
QString YesNo(const TXMLNode& n, const char* name)
{
    return IsOne(n, name) ? QStringLiteral("Y") : QStringLiteral("N");
}

QString TextOr(const TXMLNode& n, const char* name, const QString& fallback)
{
    const QString key = QLatin1String(name);
    return n.HasAttribute(key) ? n.Attribute(key) : fallback;
}

void WriteVariable(TXMLNode list, const TOPC_UA_Variable& v, bool read)
{
    TXMLNode e = list.AddChild(QStringLiteral("Variable"));
    e.SetAttribute(QStringLiteral("Enable"), Bit(v.Enable()));
    e.SetAttribute(QStringLiteral("DisplayName"), v.DispalyName());
    e.SetAttribute(QStringLiteral("NodeType"), v.NodeType());
    e.SetAttribute(QStringLiteral("NodeID"), v.NodeID());
    e.SetAttribute(QStringLiteral("VarType"), v.VarType());
    e.SetAttribute(QStringLiteral("NameSpaceIndex"), QString::number(v.nameSpaceIndex));
    // A write variable has no array settings: fixed values stand in for them.
    e.SetAttribute(QStringLiteral("VarArray"), read ? v.VarArray() : QStringLiteral("Var"));
    e.SetAttribute(QStringLiteral("Start"), read ? v.Start() : QStringLiteral("0"));
    e.SetAttribute(QStringLiteral("Length"), read ? v.Len() : QStringLiteral("0"));
    e.SetAttribute(QStringLiteral("OnChange"), Bit(v.OnChange() == QLatin1String("Y")));
    e.SetAttribute(QStringLiteral("OnCMD"), Bit(v.OnCMD() == QLatin1String("Y")));
    e.SetAttribute(QStringLiteral("OnTimer"), Bit(v.OnTimer() == QLatin1String("Y")));
    e.SetAttribute(QStringLiteral("Time"), v.Time());
    e.SetAttribute(QStringLiteral("Position"), v.Position());
    e.SetAttribute(QStringLiteral("StartBit"), v.StartBit());
    e.SetAttribute(QStringLiteral("Swap"), Bit(v.Swap()));
    e.SetAttribute(QStringLiteral("Swap_Word"), Bit(v.Swap_Word()));
    e.SetAttribute(QStringLiteral("Swap_All"), Bit(v.Swap_All()));
    e.SetAttribute(QStringLiteral("Mnemonic"), v.Mnemonic());
}

std::unique_ptr<TOPC_UA_Variable> ReadVariable(const TXMLNode& e)
{
    auto v = std::make_unique<TOPC_UA_Variable>();
    v->SetEnable(IsOne(e, "Enable"));
    v->SetDispalyName(e.Attribute(QStringLiteral("DisplayName")));
    // The node type first: the identifier is parsed by it.
    v->SetNodeType(e.Attribute(QStringLiteral("NodeType")));
    v->SetNodeID(e.Attribute(QStringLiteral("NodeID")));
    v->SetVarType(e.Attribute(QStringLiteral("VarType")));
    v->nameSpaceIndex = Word(Text_To_Int(e.Attribute(QStringLiteral("NameSpaceIndex")), 0));
    v->SetVarArray(TextOr(e, "VarArray", QStringLiteral("Variable")));
    v->SetStart(TextOr(e, "Start", QStringLiteral("0")));
    v->SetLen(TextOr(e, "Length", QStringLiteral("0")));
    v->SetOnChange(YesNo(e, "OnChange"));
    v->SetOnCMD(YesNo(e, "OnCMD"));
    v->SetOnTimer(YesNo(e, "OnTimer"));
    v->SetTime(e.Attribute(QStringLiteral("Time")));
    v->SetPosition(e.Attribute(QStringLiteral("Position")));
    v->SetStartBit(TextOr(e, "StartBit", QStringLiteral("0")));
    v->SetSwap(IsOne(e, "Swap"));
    v->SetSwap_Word(IsOne(e, "Swap_Word"));
    v->SetSwap_All(IsOne(e, "Swap_All"));
    v->SetMnemonic(e.Attribute(QStringLiteral("Mnemonic")));
    return v;
}

// Every child element of list, whatever its name, is one variable.
void ReadVariables(const TXMLNode& list, TOPC_UA_Variable_List& into)
{
    for (TXMLNode c = list.FirstChild(); c; c = c.NextSibling())
        if (c.NodeType() == ntElement)
            into.push_back(ReadVariable(c));
}

} // namespace

bool Write_OPC_UA_Client_File(const QString& FileName, const TOPC_UA_Server_List& List, QString& Error)
{
    TXMLDocument xml;
    xml.Clear();
    TXMLNode serverList = xml.AddChild(QStringLiteral("OPC_UA_Client")).AddChild(QStringLiteral("OPC_UA_Server_List"));
    for (const auto& s : List) {
        TXMLNode e = serverList.AddChild(QStringLiteral("OPC_UA_Server"));
        e.SetAttribute(QStringLiteral("Enable"), Bit(s->Enable()));
        e.SetAttribute(QStringLiteral("ServerAddress"), s->ServerAddress());
        e.SetAttribute(QStringLiteral("Authorization"), s->Authorization());
        e.SetAttribute(QStringLiteral("UserName"), s->UserName());
        e.SetAttribute(QStringLiteral("Password"), s->Password());
        e.SetAttribute(QStringLiteral("Certificate"), s->Certificate());
        e.SetAttribute(QStringLiteral("PrivateKey"), s->PrivateKey());
        e.SetAttribute(QStringLiteral("SecurityType"), s->SecurityType());
        e.SetAttribute(QStringLiteral("SecurityPolicy"), s->SecurityPolicy());
        e.SetAttribute(QStringLiteral("Mnemonic"), s->Mnemonic());
        TXMLNode vars = e.AddChild(QStringLiteral("OPC_UA_Variables"));
        TXMLNode reads = vars.AddChild(QStringLiteral("OPC_UA_Read_Var"));
        for (const auto& v : s->Var_List_R)
            WriteVariable(reads, *v, true);
        TXMLNode writes = vars.AddChild(QStringLiteral("OPC_UA_Write_Var"));
        for (const auto& v : s->Var_List_W)
            WriteVariable(writes, *v, false);
    }
    if (!xml.SaveToFile(FileName)) {
        Error = xml.ErrorMessage();
        return false;
    }
    return true;
}

bool Read_OPC_UA_Client_File(const QString& FileName, TOPC_UA_Server_List& List, QString& Error)
{
    TXMLDocument xml;
    if (!xml.LoadFromFile(FileName)) {
        Error = xml.ErrorMessage();
        return false;
    }
    TXMLNode root;
    for (Integer i = 0; i < xml.ChildCount() && !root; ++i)
        if (xml.Child(i).NodeType() == ntElement && xml.Child(i).NodeName() == QLatin1String("OPC_UA_Client"))
            root = xml.Child(i);
    const TXMLNode serverList = root.FindChild(QStringLiteral("OPC_UA_Server_List"));
    for (TXMLNode e = serverList.FirstChild(); e; e = e.NextSibling()) {
        if (e.NodeType() != ntElement)
            continue;
        auto s = std::make_unique<TOPC_UA_Server>();
        s->SetEnable(IsOne(e, "Enable"));
        s->SetServerAddress(e.Attribute(QStringLiteral("ServerAddress")));
        s->SetAuthorization(e.Attribute(QStringLiteral("Authorization")));
        s->SetUserName(e.Attribute(QStringLiteral("UserName")));
        s->SetPassword(e.Attribute(QStringLiteral("Password")));
        s->SetCertificate(e.Attribute(QStringLiteral("Certificate")));
        s->SetPrivateKey(e.Attribute(QStringLiteral("PrivateKey")));
        s->SetSecurityType(e.Attribute(QStringLiteral("SecurityType")));
        s->SetSecurityPolicy(e.Attribute(QStringLiteral("SecurityPolicy")));
        s->SetMnemonic(e.Attribute(QStringLiteral("Mnemonic")));
        const TXMLNode vars = e.FindChild(QStringLiteral("OPC_UA_Variables"));
        ReadVariables(vars.FindChild(QStringLiteral("OPC_UA_Read_Var")), s->Var_List_R);
        ReadVariables(vars.FindChild(QStringLiteral("OPC_UA_Write_Var")), s->Var_List_W);
        List.push_back(std::move(s));
    }
    return true;
}
