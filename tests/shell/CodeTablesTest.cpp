#include "shell/CodeTables.h"
#include "shell/OpcUaRecords.h"

#include <gtest/gtest.h>

namespace {

TEST(OpcUaCodeTables, NodeIdType)
{
    const struct { Integer code; const char* name; } names[] = {
        {0, "Numeric"}, {1, ""}, {2, ""}, {3, "String"}, {4, "Guid"}, {5, "ByteString"}, {6, ""}, {-1, ""}};
    for (const auto& n : names)
        EXPECT_EQ(OPC_UA_Id_Type_Name(n.code), QString::fromLatin1(n.name)) << n.code;

    const struct { const char* name; Byte code; } codes[] = {
        {"Numeric", 0}, {"numeric", 0}, {"String", 3}, {"guid", 4}, {"GUID", 4},
        {"ByteString", 5}, {"bytestring", 5}, {"Opaque", 0}, {"", 0}, {" Guid", 0}};
    for (const auto& c : codes)
        EXPECT_EQ(OPC_UA_Id_Type_Code(QString::fromLatin1(c.name)), c.code) << c.name;
}

TEST(OpcUaCodeTables, DataTypeNames)
{
    const char* expected[] = {"Boolean", "Int8",   "UInt8",  "Int16",    "UInt16", "Int32", "UInt32", "Int64",
                              "UInt64",  "Float",  "Double", "String",   "DateTime", "Guid", "ByteString"};
    for (Integer i = 0; i < 15; ++i)
        EXPECT_EQ(OPC_UA_Data_Type_Name(i), QString::fromLatin1(expected[i])) << i;
    EXPECT_EQ(OPC_UA_Data_Type_Name(15), QString());
    EXPECT_EQ(OPC_UA_Data_Type_Name(-1), QString());
}

TEST(OpcUaCodeTables, UnlistedValuesGoToTheLastEntry)
{
    using NameFn = QString (*)(Integer);
    using CodeFn = Byte (*)(const QString&);
    const struct {
        const char* table; NameFn name; CodeFn code; std::vector<const char*> names;
    } tables[] = {
        {"auth", OPC_UA_Auth_Name, OPC_UA_Auth_Code, {"Anonymous", "Username and Password", "Certificate"}},
        {"mode", OPC_UA_Security_Mode_Name, OPC_UA_Security_Mode_Code, {"None", "Sign", "Sign and Encrypt"}},
        {"policy", OPC_UA_Security_Policy_Name, OPC_UA_Security_Policy_Code,
         {"None", "Basic 128 RSA 15", "Basic 256", "Basic 256 SHA 256", "AES 128 SHA 256 RSA OAEP",
          "AES 256 SHA 256 RSA PSS"}},
    };
    for (const auto& t : tables) {
        SCOPED_TRACE(t.table);
        const Integer last = Integer(t.names.size()) - 1;
        for (Integer i = 0; i <= last; ++i) {
            EXPECT_EQ(t.name(i), QString::fromLatin1(t.names[i]));
            EXPECT_EQ(t.code(QString::fromLatin1(t.names[i])), i);
        }
        EXPECT_EQ(t.name(last + 1), QString::fromLatin1(t.names[last]));
        EXPECT_EQ(t.name(9), QString::fromLatin1(t.names[last]));
        EXPECT_EQ(t.name(-1), QString::fromLatin1(t.names[last]));
        EXPECT_EQ(t.code("unknown"), last);
        EXPECT_EQ(t.code(""), last);
    }
    // Names are compared exactly.
    EXPECT_EQ(OPC_UA_Auth_Code("anonymous"), 2);
    EXPECT_EQ(OPC_UA_Auth_Name(7), "Certificate");
    EXPECT_EQ(OPC_UA_Security_Mode_Code("sign"), 2);
}

TEST(OpcUaIdText, EachIdentifierType)
{
    opcua_structure v{};
    v.identifierType = 0;
    v.numeric = 4294967295u;
    EXPECT_EQ(OPC_UA_Id_Text(v), "4294967295");

    v.identifierType = 3;
    v.stringname = "Plant.Temp";
    EXPECT_EQ(OPC_UA_Id_Text(v), "Plant.Temp");
    v.stringname = nullptr;
    EXPECT_EQ(OPC_UA_Id_Text(v), "");

    v.identifierType = 4;
    v.guide1 = 1;
    v.guide2 = 0xAB;
    v.guide3 = 0xFFFF;
    const Byte g4[8] = {0x0a, 0xb0, 0, 1, 2, 3, 0xfe, 0xff};
    std::copy(std::begin(g4), std::end(g4), v.guide4);
    EXPECT_EQ(OPC_UA_Id_Text(v), "00000001-00AB-FFFF-0AB0-00010203FEFF");

    v.identifierType = 5;
    v.byteString = "raw";
    EXPECT_EQ(OPC_UA_Id_Text(v), "raw");

    for (Word type : {1, 2, 6, 65535}) {
        v.identifierType = type;
        EXPECT_EQ(OPC_UA_Id_Text(v), "") << type;
    }
}

TEST(BuildConstants, FixedValues)
{
    for (Integer t : {0, 5, -1, 1000})
        EXPECT_EQ(Get_BACnet_Eng_Unit(t, t + 1), 95);
    EXPECT_EQ(Get_Scan_Form_Type(), 0);
}

} // namespace
