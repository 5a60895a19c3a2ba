// Text forms of an OPC UA variable's node type, node identifier and data
// type, written and read back.

#include "plant/UOPC_UA_Client_AccessModel.h"

#include <gtest/gtest.h>

namespace {

TEST(OPCUAVariableTest, ValuesAtCreation)
{
    const TOPC_UA_Variable v;
    EXPECT_FALSE(v.Enable());
    EXPECT_EQ(v.StartBit(), QStringLiteral("0"));
    EXPECT_TRUE(v.Position().isEmpty());
    EXPECT_TRUE(v.VarArray().isEmpty());
    EXPECT_EQ(v.NodeType(), QStringLiteral("Numeric"));
    EXPECT_EQ(v.NodeID(), QStringLiteral("0"));
    EXPECT_EQ(v.VarType(), QStringLiteral("Boolean"));
    const TOPC_UA_Server s;
    EXPECT_FALSE(s.Enable());
    EXPECT_TRUE(s.Var_List_R.empty() && s.Var_List_W.empty());
}

struct TNodeTypeCase {
    const char* text;
    Word code;
    const char* readBack;
};

TEST(OPCUAVariableTest, NodeTypeTextAndCode)
{
    const TNodeTypeCase cases[] = {
        {"Numeric", 0, "Numeric"}, {"String", 3, "String"},  {"Guid", 4, "Guid"},
        {"ByteString", 5, "ByteString"}, {"guid", 4, "Guid"}, {"bYtEsTrInG", 5, "ByteString"},
        {"Opaque", 0, "Numeric"},  {"", 0, "Numeric"},      {" String", 0, "Numeric"},
    };
    for (const auto& c : cases) {
        TOPC_UA_Variable v;
        v.identifierType = 9;
        v.SetNodeType(c.text);
        EXPECT_EQ(v.identifierType, c.code) << c.text;
        EXPECT_EQ(v.NodeType(), QString::fromUtf8(c.readBack)) << c.text;
    }
    // Codes without a name read as the empty text, and their identifier too.
    for (Word code : {1, 2, 6, 65535}) {
        TOPC_UA_Variable v;
        v.identifierType = code;
        EXPECT_TRUE(v.NodeType().isEmpty()) << code;
        EXPECT_TRUE(v.NodeID().isEmpty()) << code;
        v.SetNodeID("123");
        EXPECT_EQ(v.numeric, 0u);
        EXPECT_TRUE(v.stringname.isEmpty() && v.byteString.isEmpty());
    }
}

struct TNumericCase {
    const char* text;
    LongWord value;
};

TEST(OPCUAVariableTest, NumericIdentifiers)
{
    const TNumericCase cases[] = {
        {"4294967295", 4294967295u}, {"4294967296", 0}, {"-1", 0}, {"abc", 0}, {"", 0}, {"$10", 0}, {"0x10", 0},
        {"  42", 42},                {"42 ", 0},        {"+7", 7}, {"0", 0},   {"99999999999999999999", 0},
        {"12x", 0},                  {"-0", 0},
    };
    for (const auto& c : cases) {
        TOPC_UA_Variable v;
        v.numeric = 555;
        v.SetNodeID(c.text);
        EXPECT_EQ(v.numeric, c.value) << c.text;
        // Never a sign when read.
        EXPECT_EQ(v.NodeID(), QString::number(c.value)) << c.text;
    }
}

struct TGuidCase {
    const char* text;
    const char* readBack;
};

TEST(OPCUAVariableTest, GuidIdentifiers)
{
    const TGuidCase cases[] = {
        // Lower-case digits read back upper-case, in the same groups.
        {"72962b91-fa75-4ae6-8d28-b404dc7daf63", "72962B91-FA75-4AE6-8D28-B404DC7DAF63"},
        {"  00000001-0002-0003-0405-060708090A0B  ", "00000001-0002-0003-0405-060708090A0B"},
        // Without the dash after the fourth group, the character after its
        // second byte is passed over and the last digit stands alone.
        {"72962B91-FA75-4AE6-8D28B404DC7DAF63", "72962B91-FA75-4AE6-8D28-404DC7DAF603"},
        // Nine digits, or a blank before the dash, give 0 in that field.
        {"172962B91-FA75-4AE6-8D28-B404DC7DAF63", "00000000-FA75-4AE6-8D28-B404DC7DAF63"},
        {"72962B91 -FA75-4AE6-8D28-B404DC7DAF63", "00000000-FA75-4AE6-8D28-B404DC7DAF63"},
        // Groups keep their low bits; short and missing parts give what is there.
        {"1-12345-3", "00000001-2345-0003-0000-000000000000"},
        {"", "00000000-0000-0000-0000-000000000000"},
        {"zz-0x1-G-AB-CD", "00000000-0000-0000-AB00-000000000000"},
        {"1-2-3-4", "00000001-0002-0003-0400-000000000000"},
    };
    for (const auto& c : cases) {
        TOPC_UA_Variable v;
        v.SetNodeType("Guid");
        v.guide4.fill(0x77);
        v.SetNodeID(c.text);
        EXPECT_EQ(v.NodeID().toStdString(), std::string(c.readBack)) << c.text;
    }
    TOPC_UA_Variable v;
    v.SetNodeType("GUID");
    v.SetNodeID("01020304-0506-0708-090A-0B0C0D0E0F10");
    EXPECT_EQ(v.guide1, 0x01020304u);
    EXPECT_EQ(v.guide2, 0x0506);
    EXPECT_EQ(v.guide3, 0x0708);
    EXPECT_EQ(v.guide4, (std::array<Byte, 8>{0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x10}));
}

TEST(OPCUAVariableTest, TextIdentifiersAndTheOrderOfWriting)
{
    TOPC_UA_Variable v;
    v.SetNodeType("String");
    v.SetNodeID(" Line 1.Temp ");
    EXPECT_EQ(v.NodeID(), QStringLiteral(" Line 1.Temp "));
    v.SetNodeType("ByteString");
    v.SetNodeID("AQID/w==");
    EXPECT_EQ(v.NodeID(), QStringLiteral("AQID/w=="));
    EXPECT_EQ(v.stringname, QStringLiteral(" Line 1.Temp ")); // the other fields stay

    // The identifier is parsed by the type it had when written.
    TOPC_UA_Variable w;
    w.SetNodeID("Tank.Level");
    w.SetNodeType("String");
    EXPECT_TRUE(w.stringname.isEmpty());
    EXPECT_TRUE(w.NodeID().isEmpty());
    EXPECT_EQ(w.numeric, 0u);
}

struct TVarTypeCase {
    const char* text;
    Integer code;
    const char* readBack;
};

TEST(OPCUAVariableTest, DataTypeNames)
{
    const char* names[] = {"Boolean", "Int8",   "UInt8", "Int16",  "UInt16", "Int32",    "UInt32",    "Int64",
                           "UInt64",  "Float",  "Double", "String", "DateTime", "Guid", "ByteString"};
    for (Integer code = 0; code < 15; ++code) {
        TOPC_UA_Variable v;
        v.SetVarType(names[code]);
        EXPECT_EQ(v.dataType, code);
        EXPECT_EQ(v.VarType(), QString::fromUtf8(names[code]));
    }
    const TVarTypeCase cases[] = {
        {"DATETIME", 12, "DateTime"}, {"uint64", 8, "UInt64"}, {"Date Time", 0, "Boolean"},
        {"Float ", 0, "Boolean"},     {"", 0, "Boolean"},
    };
    for (const auto& c : cases) {
        TOPC_UA_Variable v;
        v.dataType = 7;
        v.SetVarType(c.text);
        EXPECT_EQ(v.dataType, c.code) << c.text;
        EXPECT_EQ(v.VarType(), QString::fromUtf8(c.readBack)) << c.text;
    }
    for (Integer code : {-1, 15, 1000}) {
        TOPC_UA_Variable v;
        v.dataType = code;
        EXPECT_EQ(v.VarType(), QStringLiteral("Boolean")) << code;
    }
}

} // namespace
