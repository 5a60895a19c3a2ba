#include "plant/UOPC_UA_Client_AccessModel.h"

#include "platform/Text.h"
#include "shell/CodeTables.h"
#include "shell/OpcUaRecords.h"
#include "shell/TextChecks.h"

#include <limits>

namespace {

constexpr Integer kDataTypeCount = 15;

// One to eight hexadecimal digits and nothing else; 0 for any other text.
LongWord HexPart(const QString& part)
{
    if (part.isEmpty() || part.size() > 8)
        return 0;
    LongWord value = 0;
    for (const QChar ch : part) {
        const char16_t c = ch.unicode();
        LongWord digit;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else if (c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        else
            return 0;
        value = value * 16 + digit;
    }
    return value;
}

// The part of rest before the first "-", the rest continuing after it; the
// whole rest when it holds no "-".
QString TakeGroup(QString& rest)
{
    const qsizetype dash = rest.indexOf(u'-');
    QString part;
    if (dash < 0) {
        part = rest;
        rest.clear();
    } else {
        part = rest.left(dash);
        rest = rest.mid(dash + 1);
    }
    return part;
}

// Two characters of rest, which then continues skip characters later; the
// whole rest when it is shorter than three characters.
QString TakeByte(QString& rest, qsizetype skip)
{
    QString part;
    if (rest.size() < 3) {
        part = rest;
        rest.clear();
    } else {
        part = rest.left(2);
        rest = rest.mid(skip);
    }
    return part;
}

} // namespace

// ---------------------------------------------------------------------------
// TOPC_UA_Variable

QString TOPC_UA_Variable::NodeType() const
{
    return OPC_UA_Id_Type_Name(identifierType);
}

void TOPC_UA_Variable::SetNodeType(const QString& v)
{
    identifierType = OPC_UA_Id_Type_Code(v);
}

QString TOPC_UA_Variable::NodeID() const
{
    switch (identifierType) {
    case 0:
        return QString::number(numeric);
    case 3:
        return stringname;
    case 4: {
        // The same 8-4-4-4-12 text as a browsed node's.
        opcua_structure node{};
        node.identifierType = 4;
        node.guide1 = guide1;
        node.guide2 = guide2;
        node.guide3 = guide3;
        for (std::size_t i = 0; i < guide4.size(); ++i)
            node.guide4[i] = guide4[i];
        return OPC_UA_Id_Text(node);
    }
    case 5:
        return byteString;
    default:
        return {};
    }
}

void TOPC_UA_Variable::SetNodeID(const QString& v)
{
    switch (identifierType) {
    case 0: {
        Int64 value = 0;
        if (!Try_Decimal_To_Int64(v, value))
            value = 0;
        numeric = value >= 0 && value <= Int64(std::numeric_limits<LongWord>::max()) ? LongWord(value) : 0;
        break;
    }
    case 3:
        stringname = v;
        break;
    case 4: {
        QString rest = Trim(v);
        guide1 = HexPart(TakeGroup(rest));
        guide2 = Word(HexPart(TakeGroup(rest)));
        guide3 = Word(HexPart(TakeGroup(rest)));
        guide4[0] = Byte(HexPart(TakeByte(rest, 2)));
        // The character after the fourth group (its "-") is passed over.
        guide4[1] = Byte(HexPart(TakeByte(rest, 3)));
        for (std::size_t i = 2; i < guide4.size(); ++i)
            guide4[i] = Byte(HexPart(TakeByte(rest, 2)));
        break;
    }
    case 5:
        byteString = v;
        break;
    default:
        break;
    }
}

QString TOPC_UA_Variable::VarType() const
{
    if (dataType >= 1 && dataType < kDataTypeCount)
        return OPC_UA_Data_Type_Name(dataType);
    return OPC_UA_Data_Type_Name(0);
}

void TOPC_UA_Variable::SetVarType(const QString& v)
{
    const QString upper = UpperCase(v);
    dataType = 0;
    for (Integer code = 0; code < kDataTypeCount; ++code)
        if (upper == UpperCase(OPC_UA_Data_Type_Name(code))) {
            dataType = code;
            return;
        }
}

// ---------------------------------------------------------------------------
// TOPC_UA_Server

TOPC_UA_Server::~TOPC_UA_Server()
{
    while (!Var_List_R.empty())
        Var_List_R.pop_back();
    while (!Var_List_W.empty())
        Var_List_W.pop_back();
}
