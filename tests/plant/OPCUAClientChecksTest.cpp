// Checks of the OPC UA client model before saving (one fault at a time,
// shown in an error box) and the automatic positions.

#include "plant/UOPC_UA_Client_AccessModel.h"

#include "platform/Dialogs.h"
#include "platform/StringList.h"
#include "shell/ULanguage.h"

#include <QStringList>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Texts the built-in list leaves blank get words here, as a language file
// would give them, so that each fault can be told apart.
class OPCUAClientChecksTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Load_Default_Texts();
        for (Integer n : {5519, 5520, 5521, 5522, 5523, 5524, 5533, 5534, 5535, 5536})
            Language_Texts->Put(n, QStringLiteral("T%1 server %d variable %d").arg(n));
    }
    void TearDown() override { Load_Default_Texts(); }
};

// A read or write variable that passes every check.
std::unique_ptr<TOPC_UA_Variable> Good(bool read)
{
    auto v = std::make_unique<TOPC_UA_Variable>();
    v->SetEnable(true);
    v->SetDispalyName("V");
    v->SetVarType("Int16");
    if (read) {
        v->SetVarArray("Variable");
        v->SetTime("100");
    } else {
        v->SetOnTimer("N");
    }
    v->SetPosition("0");
    v->SetStartBit("0");
    return v;
}

// Runs the checks; the text of the one box shown, or empty when all passed.
QString Check(const TOPC_UA_Server_List& list)
{
    DialogSeam::Clear();
    DialogSeam::QueueAnswer(IDOK);
    const bool passed = Controllo_Dati(list);
    const auto& shown = DialogSeam::Shown();
    if (passed) {
        EXPECT_TRUE(shown.empty());
        DialogSeam::Clear();
        return {};
    }
    EXPECT_EQ(shown.size(), 1u);
    if (shown.empty())
        return QStringLiteral("(no box)");
    EXPECT_EQ(shown[0].Flags & MB_ICONMASK, MB_ICONERROR);
    EXPECT_EQ(shown[0].Flags & MB_TYPEMASK, MB_OK);
    return shown[0].Text;
}

struct TFault {
    const char* name;
    bool read;
    std::function<void(TOPC_UA_Variable&)> edit;
    const char* message; // empty: passes
};

TEST_F(OPCUAClientChecksTest, OneFaultAtATime)
{
    const TFault faults[] = {
        {"good read", true, [](TOPC_UA_Variable&) {}, ""},
        {"good write", false, [](TOPC_UA_Variable&) {}, ""},
        {"no var/array", true, [](TOPC_UA_Variable& v) { v.SetVarArray("  "); }, "T5519 server 1 variable 1"},
        {"string without start", true, [](TOPC_UA_Variable& v) { v.SetVarType("String"); }, "T5520 server 1 variable 1"},
        {"byte string without length", true,
         [](TOPC_UA_Variable& v) { v.SetVarType("ByteString"); v.SetStart("0"); }, "T5521 server 1 variable 1"},
        {"string with start and length", true,
         [](TOPC_UA_Variable& v) { v.SetVarType("String"); v.SetStart("0"); v.SetLen("4"); }, ""},
        {"array of strings", true,
         [](TOPC_UA_Variable& v) { v.SetVarArray("Array"); v.SetVarType("String"); }, "T5522 server 1 variable 1"},
        {"array without start", true, [](TOPC_UA_Variable& v) { v.SetVarArray(" array "); }, "T5523 server 1 variable 1"},
        {"array with bad length", true,
         [](TOPC_UA_Variable& v) { v.SetVarArray("ARRAY"); v.SetStart("1"); v.SetLen("x"); }, "T5524 server 1 variable 1"},
        {"array", true, [](TOPC_UA_Variable& v) { v.SetVarArray("Array"); v.SetStart("1"); v.SetLen("0"); }, ""},
        {"read time empty", true, [](TOPC_UA_Variable& v) { v.SetTime(" "); },
         "Error in Server Number 1 in Read Variable 1!! Time cannot be empty"},
        {"read time 0", true, [](TOPC_UA_Variable& v) { v.SetTime("0"); },
         "Error in Server Number 1 in Read Variable 1!! Time must be major to 0"},
        {"read position empty", true, [](TOPC_UA_Variable& v) { v.SetPosition(""); },
         "Error in Server Number 1 in Read Variable 1!! Position cannot be empty"},
        {"read position 1499", true, [](TOPC_UA_Variable& v) { v.SetPosition("1499"); }, ""},
        {"read position 1500", true, [](TOPC_UA_Variable& v) { v.SetPosition("1500"); },
         "Error in Server Number 1 in Read Variable 1!! Position must be between 0 and 1499"},
        {"read position abc", true, [](TOPC_UA_Variable& v) { v.SetPosition("abc"); },
         "Error in Server Number 1 in Read Variable 1!! Position must be between 0 and 1499"},
        {"read position in hexadecimal", true, [](TOPC_UA_Variable& v) { v.SetPosition("0x10"); },
         "Error in Server Number 1 in Read Variable 1!! Position must be between 0 and 1499"},
        {"read time in hexadecimal", true, [](TOPC_UA_Variable& v) { v.SetTime("$10"); },
         "Error in Server Number 1 in Read Variable 1!! Time must be major to 0"},
        {"array start in hexadecimal", true,
         [](TOPC_UA_Variable& v) { v.SetVarArray("Array"); v.SetStart("$1"); v.SetLen("1"); }, "T5523 server 1 variable 1"},
        {"read start bit empty", true, [](TOPC_UA_Variable& v) { v.SetStartBit(""); }, "T5533 server 1 variable 1"},
        {"read start bit 8", true, [](TOPC_UA_Variable& v) { v.SetStartBit("8"); }, "T5534 server 1 variable 1"},
        {"read start bit 7", true, [](TOPC_UA_Variable& v) { v.SetStartBit("7"); }, ""},
        {"disabled and empty", true,
         [](TOPC_UA_Variable& v) {
             v.SetEnable(false);
             for (auto set : {&TOPC_UA_Variable::SetVarArray, &TOPC_UA_Variable::SetTime,
                              &TOPC_UA_Variable::SetPosition, &TOPC_UA_Variable::SetStartBit})
                 (v.*set)(QString());
         },
         ""},
        {"write time empty, no timer", false, [](TOPC_UA_Variable& v) { v.SetTime(""); }, ""},
        {"write time empty, on timer", false, [](TOPC_UA_Variable& v) { v.SetOnTimer("Y"); },
         "Error in Server Number 1 in Write Variable 1!! Time cannot be empty"},
        {"write time 0, on timer", false, [](TOPC_UA_Variable& v) { v.SetOnTimer("Y"); v.SetTime("0"); },
         "Error in Server Number 1 in Write Variable 1!! Time must be major to 0"},
        {"write position empty", false, [](TOPC_UA_Variable& v) { v.SetPosition(""); },
         "Error in Server Number 1 in Write Variable 1!! Position cannot be empty"},
        {"write position -1", false, [](TOPC_UA_Variable& v) { v.SetPosition("-1"); },
         "Error in Server Number 1 in Write Variable 1!! Position must be between 0 and 1499"},
        {"write start bit empty", false, [](TOPC_UA_Variable& v) { v.SetStartBit(""); }, "T5535 server 1 variable 1"},
        {"write position in hexadecimal", false, [](TOPC_UA_Variable& v) { v.SetPosition("$10"); },
         "Error in Server Number 1 in Write Variable 1!! Position must be between 0 and 1499"},
        {"write start bit in hexadecimal", false, [](TOPC_UA_Variable& v) { v.SetStartBit("0x1"); },
         "T5536 server 1 variable 1"},
        {"write start bit -1", false, [](TOPC_UA_Variable& v) { v.SetStartBit("-1"); }, "T5536 server 1 variable 1"},
    };
    for (const TFault& f : faults) {
        TOPC_UA_Server_List list;
        list.push_back(std::make_unique<TOPC_UA_Server>());
        auto v = Good(f.read);
        f.edit(*v);
        (f.read ? list[0]->Var_List_R : list[0]->Var_List_W).push_back(std::move(v));
        EXPECT_EQ(Check(list).toStdString(), std::string(f.message)) << f.name;
    }
}

// Servers and variables are numbered from 1; reads are checked before
// writes, servers in order, and only the first fault is shown.
TEST_F(OPCUAClientChecksTest, FirstFaultNumbersItsServerAndVariable)
{
    TOPC_UA_Server_List list;
    for (int s = 0; s < 3; ++s) {
        auto server = std::make_unique<TOPC_UA_Server>();
        server->Var_List_R.push_back(Good(true));
        server->Var_List_R.push_back(Good(true));
        server->Var_List_W.push_back(Good(false));
        list.push_back(std::move(server));
    }
    EXPECT_EQ(Check(list), QString());

    list[2]->Var_List_W[0]->SetPosition("");
    list[2]->Var_List_R[1]->SetPosition("1500");
    EXPECT_EQ(Check(list), QStringLiteral("Error in Server Number 3 in Read Variable 2!! Position must be between 0 and 1499"));
    list[2]->Var_List_R[1]->SetPosition("1");
    EXPECT_EQ(Check(list), QStringLiteral("Error in Server Number 3 in Write Variable 1!! Position cannot be empty"));
    list[1]->Var_List_R[0]->SetTime("");
    EXPECT_EQ(Check(list), QStringLiteral("Error in Server Number 2 in Read Variable 1!! Time cannot be empty"));
}

// A language file's text with a placeholder of another kind is shown as it
// stands instead of failing.
TEST_F(OPCUAClientChecksTest, MessageWithForeignPlaceholdersIsShownAsItStands)
{
    Language_Texts->Put(5499, QStringLiteral("Server %s, variable %s: position?"));
    TOPC_UA_Server_List list;
    list.push_back(std::make_unique<TOPC_UA_Server>());
    list[0]->Var_List_R.push_back(Good(true));
    list[0]->Var_List_R[0]->SetPosition("");
    EXPECT_EQ(Check(list), QStringLiteral("Server %s, variable %s: position?"));
}

TEST(OPCUAClientPositionsTest, DataTypeLengths)
{
    const struct {
        const char* name;
        Integer bytes;
    } cases[] = {
        {"Boolean", 1}, {"Int8", 1},   {"UInt8", 1},    {"Int16", 2},      {"uint16", 2},  {"Int32", 4},
        {"UInt32", 4},  {"FLOAT", 4},  {"Int64", 8},    {"UInt64", 8},     {"Double", 8},  {"DateTime", 8},
        {"Guid", 16},   {"String", 20}, {"ByteString", 20}, {"Date Time", 0}, {"", 0},     {"Float32", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetLenVarType(c.name), c.bytes) << c.name;
}

std::unique_ptr<TOPC_UA_Variable> Typed(const char* type, const char* position)
{
    auto v = std::make_unique<TOPC_UA_Variable>();
    v->SetVarType(type);
    v->SetPosition(position);
    return v;
}

QStringList Positions(const TOPC_UA_Variable_List& list)
{
    QStringList out;
    for (const auto& v : list)
        out << v->Position();
    return out;
}

TEST(OPCUAClientPositionsTest, StartAfterThePreviousServer)
{
    TOPC_UA_Server_List list;
    auto first = std::make_unique<TOPC_UA_Server>();
    first->Var_List_R.push_back(Typed("Int32", "0"));
    first->Var_List_R.push_back(Typed("Double", "10"));
    first->Var_List_R.push_back(Typed("Int8", "3"));
    list.push_back(std::move(first));
    auto second = std::make_unique<TOPC_UA_Server>();
    second->Var_List_R.push_back(Typed("Boolean", "900"));
    second->Var_List_R.push_back(Typed("DateTime", ""));
    second->Var_List_R.push_back(Typed("String", "x"));
    second->Var_List_R[1]->SetEnable(true); // enabled or not, all get positions
    second->Var_List_W.push_back(Typed("UInt16", "5"));
    second->Var_List_W.push_back(Typed("Guid", "5"));
    list.push_back(std::move(second));
    auto third = std::make_unique<TOPC_UA_Server>();
    third->Var_List_R.push_back(Typed("Int8", "0"));
    third->Var_List_W.push_back(Typed("Int8", "0"));
    list.push_back(std::move(third));

    Integer readStart = -1, writeStart = -1;
    Start_Position(list, 2, readStart, writeStart);
    EXPECT_EQ(readStart, 18);
    EXPECT_EQ(writeStart, 0); // the first server has no write variables
    Auto_Position(list, 2);
    EXPECT_EQ(Positions(list[1]->Var_List_R).join(u','), QStringLiteral("18,19,27"));
    EXPECT_EQ(Positions(list[1]->Var_List_W).join(u','), QStringLiteral("0,2"));
    EXPECT_EQ(list[1]->Var_List_R[2]->VarType(), QStringLiteral("String")); // nothing else changes

    // The first server starts at 0, whatever its neighbours hold.
    for (Integer row : {1, 0, -3}) {
        Start_Position(list, row, readStart, writeStart);
        EXPECT_EQ(readStart, 0);
        EXPECT_EQ(writeStart, 0);
    }
    Auto_Position(list, 1);
    EXPECT_EQ(Positions(list[0]->Var_List_R).join(u','), QStringLiteral("0,4,12"));

    // Only the server just before counts; an empty position ends at its length.
    list[1]->Var_List_W[1]->SetPosition("");
    Start_Position(list, 3, readStart, writeStart);
    EXPECT_EQ(readStart, 47);  // String at 27 + 20
    EXPECT_EQ(writeStart, 16); // Guid with no position
    // A position is read as a decimal number: "$30" counts as none.
    list[1]->Var_List_W[1]->SetPosition("$30");
    Start_Position(list, 3, readStart, writeStart);
    EXPECT_EQ(writeStart, 16);
    Auto_Position(list, 3);
    EXPECT_EQ(Positions(list[2]->Var_List_R).join(u','), QStringLiteral("47"));
    EXPECT_EQ(Positions(list[2]->Var_List_W).join(u','), QStringLiteral("16"));

    // A row that names no server changes nothing.
    Auto_Position(list, 4);
    Auto_Position(list, 0);
    EXPECT_EQ(Positions(list[2]->Var_List_R).join(u','), QStringLiteral("47"));
    EXPECT_EQ(Positions(list[0]->Var_List_R).join(u','), QStringLiteral("0,4,12"));
}

} // namespace
