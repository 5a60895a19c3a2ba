// Step 5's reading of the configuration: the payload check of the enabled
// uplink rules and the BACnet side type.
#include "app/StepChecks.h"

#include "shell/UComon.h"

#include "platform/XmlDocument.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

class StepChecksTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        Project_Folder = tmp.path();
        Set_Files();
    }
    static void Write(const QString& path, const QByteArray& text)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    }
    void ParGen(const QByteArray& elements)
    {
        Write(ParGen_File, "<Par_Gen>" + elements + "</Par_Gen>\n<!--SW_VERSION = 1.006-->\n");
    }
    void Uplink(const QByteArray& rows)
    {
        Write(LoRaWAN_SetAccess_File, "<LoRaWAN_Set_Access><LoRaWAN_Uplink>" + rows
                                          + "</LoRaWAN_Uplink><LoRaWAN_Downlink>"
                                            "<row Enable=\"Y\" NumByte=\"999\"/></LoRaWAN_Downlink>"
                                            "</LoRaWAN_Set_Access>\n<!--SW_VERSION = 1.006-->\n");
    }
    QTemporaryDir tmp;
    TXMLDocument XML1;
};

TEST_F(StepChecksTest, PayloadCheckOfTheEnabledUplinkRules)
{
    ParGen("<LoRa_Payload_Size>51</LoRa_Payload_Size>");
    const struct { const char* rows; bool passes; } cases[] = {
        {"<row Enable=\"Y\" NumByte=\"49\"/>", true},
        {"<row Enable=\"Y\" NumByte=\"0\"/>", true},
        {"<row Enable=\"Y\" NumByte=\"50\"/>", false},
        {"<row Enable=\"Y\" NumByte=\"-1\"/>", false},
        {"<row Enable=\"N\" NumByte=\"999\"/><row Enable=\"y\" NumByte=\"999\"/><row NumByte=\"999\"/>", true},
        {"<row Enable=\"Y\" NumByte=\"\"/>", false},
        {"<row Enable=\"Y\" NumByte=\"ten\"/>", false},
        {"<row Enable=\"Y\"/>", false},
        {"<row Enable=\"Y\" NumByte=\"$31\"/>", true},   // 49 by the integer reading
        {"<row Enable=\"Y\" NumByte=\"10\"/><row Enable=\"Y\" NumByte=\"50\"/>", false},
        {"", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rows);
        Uplink(c.rows);
        EXPECT_EQ(Check_Config_LoraWAN(XML1), c.passes);
    }
}

TEST_F(StepChecksTest, MissingFilesAndTables)
{
    // No rules file: nothing to check.
    EXPECT_TRUE(Check_Config_LoraWAN(XML1));
    // No ParGen.xml: payload 0, so any enabled rule fails.
    Uplink("<row Enable=\"Y\" NumByte=\"0\"/>");
    EXPECT_FALSE(Check_Config_LoraWAN(XML1));
    // A payload size that is no number counts as 0 too.
    ParGen("<LoRa_Payload_Size>big</LoRa_Payload_Size>");
    EXPECT_FALSE(Check_Config_LoraWAN(XML1));
    ParGen("<LoRa_Payload_Size>2</LoRa_Payload_Size>");
    EXPECT_TRUE(Check_Config_LoraWAN(XML1));
    // A rules file without its uplink table, or with an empty root, ends the check cleanly.
    Write(LoRaWAN_SetAccess_File, "<LoRaWAN_Set_Access><LoRaWAN_Downlink><row Enable=\"Y\" NumByte=\"99\"/>"
                                  "</LoRaWAN_Downlink></LoRaWAN_Set_Access>");
    EXPECT_TRUE(Check_Config_LoraWAN(XML1));
    Write(LoRaWAN_SetAccess_File, "<LoRaWAN_Set_Access/>\n<!--SW_VERSION = 1.006-->");
    EXPECT_TRUE(Check_Config_LoraWAN(XML1));
}

TEST_F(StepChecksTest, FilesThatAreNotWellFormedThrowTheReadersMessage)
{
    Write(ParGen_File, "<Par_Gen><LoRa_Payload_Size>51</Par_Gen>");
    try {
        Check_Config_LoraWAN(XML1);
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains("not well-formed")) << e.what();
    }
    EXPECT_THROW(Get_Type_BACnet(XML1), std::runtime_error);
    ParGen("<LoRa_Payload_Size>51</LoRa_Payload_Size>");
    Write(LoRaWAN_SetAccess_File, "<LoRaWAN_Set_Access><LoRaWAN_Uplink>");
    EXPECT_THROW(Check_Config_LoraWAN(XML1), std::runtime_error);
}

TEST_F(StepChecksTest, BACnetTypeFromParGen)
{
    EXPECT_EQ(Get_Type_BACnet(XML1), 0);
    const struct { const char* elements; Integer type; } cases[] = {
        {"<BACnet_Master_Type>1</BACnet_Master_Type>", 1},
        {"<BACnet_Master_Type>0</BACnet_Master_Type>", 0},
        {"<BACnet_Master_Type>MS/TP</BACnet_Master_Type>", 0},
        {"<LoRa_Payload_Size>51</LoRa_Payload_Size>", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.elements);
        // What the document held before must not leak into the answer.
        XML1.LoadFromXML("<Par_Gen><BACnet_Master_Type>7</BACnet_Master_Type></Par_Gen>");
        ParGen(c.elements);
        EXPECT_EQ(Get_Type_BACnet(XML1), c.type);
    }
}

} // namespace
