// Checks of the OPC UA client model before it is saved, and the automatic
// positions of a server's variables in the internal data array.

#include "plant/UOPC_UA_Client_AccessModel.h"

#include "platform/Dialogs.h"
#include "platform/StringList.h"
#include "platform/Text.h"
#include "shell/TextChecks.h"
#include "shell/ULanguage.h"

#include <algorithm>
#include <limits>

namespace {

// Text n with the server and variable numbers (from 1) and the position
// bound. A language file's text with other placeholders is shown as it
// stands rather than failing.
QString FaultText(Integer n, Integer server, Integer variable)
{
    const QString text = Language_Texts->Strings(n);
    try {
        return Format(text, {server, variable, OPC_UA_Max_Position});
    } catch (const EConvertError&) {
        return text;
    }
}

Integer ToInt(const QString& text)
{
    return Decimal_To_Int(text, -1);
}

bool IsEmpty(const QString& text)
{
    return Trim(text).isEmpty();
}

bool IsStringType(const TOPC_UA_Variable& v)
{
    const QString type = v.VarType();
    return type == QLatin1String("String") || type == QLatin1String("ByteString");
}

// The number of the first text that the enabled read variable fails, 0 when
// it passes.
Integer ReadFault(const TOPC_UA_Variable& v)
{
    if (IsEmpty(v.VarArray()))
        return 5519;
    const bool array = UpperCase(Trim(v.VarArray())) == QLatin1String("ARRAY");
    if (!array && IsStringType(v)) {
        if (ToInt(v.Start()) < 0)
            return 5520;
        if (ToInt(v.Len()) < 0)
            return 5521;
    }
    if (array) {
        if (IsStringType(v))
            return 5522;
        if (ToInt(v.Start()) < 0)
            return 5523;
        if (ToInt(v.Len()) < 0)
            return 5524;
    }
    if (IsEmpty(v.Time()))
        return 5497;
    if (ToInt(v.Time()) < 1)
        return 5498;
    if (IsEmpty(v.Position()))
        return 5499;
    const Integer position = ToInt(v.Position());
    if (position < 0 || position > OPC_UA_Max_Position)
        return 5500;
    if (IsEmpty(v.StartBit()))
        return 5533;
    const Integer bit = ToInt(v.StartBit());
    if (bit < 0 || bit > 7)
        return 5534;
    return 0;
}

Integer WriteFault(const TOPC_UA_Variable& v)
{
    if (v.OnTimer() == QLatin1String("Y")) {
        if (IsEmpty(v.Time()))
            return 5501;
        if (ToInt(v.Time()) < 1)
            return 5502;
    }
    if (IsEmpty(v.Position()))
        return 5503;
    const Integer position = ToInt(v.Position());
    if (position < 0 || position > OPC_UA_Max_Position)
        return 5504;
    if (IsEmpty(v.StartBit()))
        return 5535;
    const Integer bit = ToInt(v.StartBit());
    if (bit < 0 || bit > 7)
        return 5536;
    return 0;
}

// Shows the first fault of the enabled variables of list; false when there
// was one.
bool CheckList(const TOPC_UA_Variable_List& list, Integer server, Integer (*Fault)(const TOPC_UA_Variable&))
{
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (!list[i]->Enable())
            continue;
        if (const Integer fault = Fault(*list[i])) {
            MessageDlg(FaultText(fault, server, Integer(i) + 1), mtError, mbOK);
            return false;
        }
    }
    return true;
}

// Where the positions after list end: the greatest position + length, kept
// within the integer range whatever was typed.
Integer EndOf(const TOPC_UA_Variable_List& list)
{
    Int64 end = 0;
    for (const auto& v : list)
        end = std::max(end, Int64(Decimal_To_Int(v->Position(), 0)) + GetLenVarType(v->VarType()));
    return Integer(std::min<Int64>(end, std::numeric_limits<Integer>::max()));
}

void Assign(TOPC_UA_Variable_List& list, Int64 position)
{
    for (const auto& v : list) {
        v->SetPosition(IntToStr(position));
        position += GetLenVarType(v->VarType());
    }
}

} // namespace

bool Controllo_Dati(const TOPC_UA_Server_List& List)
{
    for (std::size_t s = 0; s < List.size(); ++s) {
        const Integer server = Integer(s) + 1;
        if (!CheckList(List[s]->Var_List_R, server, ReadFault) || !CheckList(List[s]->Var_List_W, server, WriteFault))
            return false;
    }
    return true;
}

Integer GetLenVarType(const QString& name)
{
    static const struct { const char* name; Integer bytes; } lengths[] = {
        {"BOOLEAN", 1}, {"INT8", 1},     {"UINT8", 1},    {"INT16", 2},    {"UINT16", 2},
        {"INT32", 4},   {"UINT32", 4},   {"FLOAT", 4},    {"INT64", 8},    {"UINT64", 8},
        {"DOUBLE", 8},  {"DATETIME", 8}, {"GUID", 16},    {"STRING", 20},  {"BYTESTRING", 20},
    };
    const QString upper = UpperCase(name);
    for (const auto& l : lengths)
        if (upper == QLatin1String(l.name))
            return l.bytes;
    return 0;
}

void Start_Position(const TOPC_UA_Server_List& List, Integer SelectedRow, Integer& ReadStart, Integer& WriteStart)
{
    ReadStart = 0;
    WriteStart = 0;
    // Only the server just before the selected one counts.
    const Integer previous = SelectedRow - 2;
    if (SelectedRow <= 1 || previous >= Integer(List.size()))
        return;
    ReadStart = EndOf(List[previous]->Var_List_R);
    WriteStart = EndOf(List[previous]->Var_List_W);
}

void Auto_Position(TOPC_UA_Server_List& List, Integer SelectedRow)
{
    const Integer index = SelectedRow - 1;
    if (index < 0 || index >= Integer(List.size()))
        return;
    Integer readStart = 0;
    Integer writeStart = 0;
    Start_Position(List, SelectedRow, readStart, writeStart);
    Assign(List[index]->Var_List_R, readStart);
    Assign(List[index]->Var_List_W, writeStart);
}
