// The scan's results as files: M_Bus.xml from wired and wireless meters with
// their positions, and the two scan reports.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <cstring>

#include "ScanFixture.h"
#include "ScanTelegrams.h"
#include "SimConverter.h"
#include "mbus/UMBusScanDecode.h"
#include "platform/Lists.h"
#include "platform/XmlDocument.h"
#include "shell/UComon.h"

namespace {

QByteArray Hex(const char* text) { return QByteArray::fromHex(text); }

QByteArray Read_File(const QString& name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class ScanWriters : public ::testing::Test {
protected:
    void SetUp() override
    {
        Make_Slave_Lists();
        dir = QStringLiteral(TEST_BUILD_DIR "/scan-writers/") + QString::fromLatin1(
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        QDir(dir).removeRecursively();
        QDir().mkpath(dir);
        file = dir + QStringLiteral("/M_Bus.xml");
    }
    void TearDown() override { Free_Slave_Lists(); }
    // A wired meter from one RSP_UD around the records.
    TSlave_MBus* Wired(int primary, const char* id, const QByteArray& records)
    {
        const QByteArray t = Rsp_Ud(primary, QString::fromLatin1(id), records);
        std::memcpy(engine.Ans_Array, t.constData(), size_t(t.size()));
        engine.Ans_Len = Integer(t.size());
        bool noMore = true;
        return static_cast<TSlave_MBus*>(Wired_Slave_List->Items(engine.Add_Wired_Slave(-1, noMore)));
    }
    // A wireless meter from one plain telegram.
    TSlave_wMBus* Wireless(LongWord id, const QByteArray& records)
    {
        const QByteArray d = Wireless_Datagram(true, 0x44, 0x4024, id, 1, 7, Hex("7A01000000") + records);
        std::memcpy(engine.Ans_Array, d.constData(), size_t(d.size()));
        engine.Ans_Len = Integer(d.size());
        engine.MBusType = mtWireless;
        engine.Receive_Wireless_Telegram(rmTelit);
        return static_cast<TSlave_wMBus*>(Wireless_Slave_List->Last());
    }
    TSaveConfXML Options(Integer code = 0)
    {
        TSaveConfXML o;
        o.XML_Code_Dev = code;
        o.Mod_Start = 1;
        o.Cut_After = 3;
        o.File_Name = file;
        return o;
    }
    // The attribute of every element of that name, in document order.
    std::vector<QString> Values(const QString& element, const QString& attribute)
    {
        TXMLDocument xml;
        EXPECT_TRUE(xml.LoadFromFile(file));
        std::vector<QString> out;
        std::function<void(TXMLNode)> walk = [&](TXMLNode n) {
            for (Integer i = 0; i < n.ChildCount(); ++i) {
                TXMLNode c = n.Child(i);
                if (c.NodeName() == element)
                    out.push_back(c.HasAttribute(attribute) ? c.Attribute(attribute) : QStringLiteral("<none>"));
                walk(c);
            }
        };
        walk(xml.Root());
        return out;
    }
    void Expect_Fixture(const QString& written, const char* fixture)
    {
        const QByteArray actual = Read_File(written);
        const QByteArray expected = Read_File(QStringLiteral(TEST_DATA_DIR "/mbus/") + QString::fromLatin1(fixture));
        ASSERT_FALSE(expected.isEmpty()) << fixture;
        EXPECT_EQ(actual, expected) << actual.toStdString();
    }

    TMBusScanDecode engine;
    QString dir;
    QString file;
};

using V = std::vector<QString>;

// A 32-bit integer volume and a 4-digit BCD flow temperature.
const QByteArray Int_And_BCD = Hex("04132A000000" "0A5A4502");

TEST_F(ScanWriters, WiredNetworkFileHasOneNodePerMeterAndPositionsInTurn)
{
    Wired(1, "12345678", Int_And_BCD);
    Wired(7, "00000042", Int_And_BCD);
    TSaveConfXML o = Options();
    o.Node_ID_Type = 1;
    o.SND_NKE = 1;
    ASSERT_TRUE(engine.Save_XML_Conf_Wired(o, true));
    Expect_Fixture(file, "scan-wired-M_Bus.xml");
    EXPECT_EQ(Values(QStringLiteral("Variabile"), QStringLiteral("ModReg")), (V {"1", "3", "4", "6"}));
}

TEST_F(ScanWriters, WiredStartPositionsNodeStateAndUntickedRecords)
{
    TSlave_MBus* a = Wired(1, "12345678", Int_And_BCD + Hex("04132B000000"));
    Wired(2, "00000002", Int_And_BCD);
    // The tree: the first meter's second record is not ticked.
    int ticked = 1, unticked = 0;
    a->Node = &ticked;
    a->List_Var[0]->Node = &ticked;
    a->List_Var[1]->Node = &unticked;
    engine.Node_Ticked = [&](void* node) { return node == &ticked; };
    TSaveConfXML o = Options();
    o.StartModnode = 1;
    o.SMN_Array = {100}; // no entry for the second meter: it goes on from the first
    o.En_NodeState = true;
    o.En_IdeNum = true;
    ASSERT_TRUE(engine.Save_XML_Conf_Wired(o, false));
    EXPECT_EQ(Values(QStringLiteral("Nodo"), QStringLiteral("Node_State")), (V {"100", "107"}));
    EXPECT_EQ(Values(QStringLiteral("Nodo"), QStringLiteral("Ident_Num")), (V {"101", "108"}));
    EXPECT_EQ(Values(QStringLiteral("Variabile"), QStringLiteral("ModReg")), (V {"103", "105", "105", "110", "112"}));
    EXPECT_EQ(Values(QStringLiteral("Variabile"), QStringLiteral("Enable")), (V {"1", "0", "1", "1", "1"}));
    // The unticked record repeats the last Dim worked out.
    EXPECT_EQ(Values(QStringLiteral("Variabile"), QStringLiteral("Dim")), (V {"2", "2", "2", "2", "1"}));
    EXPECT_EQ(Values(QStringLiteral("Variabile"), QStringLiteral("BCDtoINT")), (V {"0", "0", "0", "0", "0"}));
}

TEST_F(ScanWriters, RecordsOfRealMetersAreWrittenAsTheyWereRead)
{
    // A password of 16 binary bytes (LVAR F0) is one variable, and the
    // volume after it takes the next positions; a record of reserved length
    // ends the meter's records.
    Wired(1, "00000001", Hex("0D7C025750F0" "96075B2A27A693013DB51AB3DCD13E17" "04132A000000" "0D13F7" "04132A000000"));
    ASSERT_TRUE(engine.Save_XML_Conf_Wired(Options(), false));
    EXPECT_EQ(Values(QStringLiteral("Variabile"), QStringLiteral("Desc")),
              (V {"Vif in following String (U0S0T0)", "Volume m3 (U0S0T0)", "Volume m3 (U0S0T0)"}));
    EXPECT_EQ(Values(QStringLiteral("Variabile"), QStringLiteral("VIF_ASCII")), (V {"PW", "", ""}));
    EXPECT_EQ(Values(QStringLiteral("Variabile"), QStringLiteral("Length")), (V {"16", "0", "0"}));
    EXPECT_EQ(Values(QStringLiteral("Variabile"), QStringLiteral("ModReg")), (V {"1", "9", "11"}));
}

TEST_F(ScanWriters, WiredAttributesFollowTheConverterModel)
{
    // A record of 6 ASCII bytes: variable length, 4 positions.
    Wired(5, "12345678", Hex("0D13" "06" "414243444546") + Hex("04132A000000"));
    struct Case {
        Integer code;
        V modReg, id, groupBaud, bacnet, mbusType;
    } cases[] = {
        {0, {"1", "5"}, {"<none>"}, {}, {"<none>", "<none>"}, {"<none>"}},
        {4, {"1", "5"}, {"5"}, {"3"}, {"<none>", "<none>"}, {"<none>"}},
        {12, {"<none>", "<none>"}, {"<none>"}, {}, {"95", "95"}, {"1"}},
        {13, {"1", "5"}, {"<none>"}, {}, {"<none>", "<none>"}, {"1"}},
    };
    for (const Case& c : cases) {
        TSaveConfXML o = Options(c.code);
        o.Index_Baud = 3;
        o.Index_Par = 1;
        ASSERT_TRUE(engine.Save_XML_Conf_Wired(o, true)) << c.code;
        EXPECT_EQ(Values(QStringLiteral("Variabile"), QStringLiteral("ModReg")), c.modReg) << c.code;
        EXPECT_EQ(Values(QStringLiteral("Nodo"), QStringLiteral("ID")), c.id) << c.code;
        EXPECT_EQ(Values(QStringLiteral("Group"), QStringLiteral("Baudrate")), c.groupBaud) << c.code;
        EXPECT_EQ(Values(QStringLiteral("Variabile"), QStringLiteral("BACnet_EngUnits")), c.bacnet) << c.code;
        EXPECT_EQ(Values(QStringLiteral("Nodo"), QStringLiteral("MBus_Type")), c.mbusType) << c.code;
        EXPECT_EQ(Values(QStringLiteral("Variabile"), QStringLiteral("Length")), (V {"6", "0"})) << c.code;
        EXPECT_EQ(Values(QStringLiteral("Variabile"), QStringLiteral("Dim")), (V {"7", "2"})) << c.code;
    }
    EXPECT_EQ(Values(QStringLiteral("Group"), QStringLiteral("Parity")), V {}); // code 13 has no group
}

TEST_F(ScanWriters, AppendingKeepsTheNodesAndAFailureLeavesTheFile)
{
    EXPECT_FALSE(engine.Save_XML_Conf_Wired(Options(), false)); // no meters: nothing written
    EXPECT_FALSE(QFile::exists(file));

    Wired(1, "12345678", Int_And_BCD);
    ASSERT_TRUE(engine.Save_XML_Conf_Wired(Options(), false));
    TSaveConfXML o = Options();
    o.Append = 1;
    ASSERT_TRUE(engine.Save_XML_Conf_Wired(o, false));
    Wireless(0x00000077, Hex("04132A000000"));
    ASSERT_TRUE(engine.Save_XML_Conf_Wireless(o, false));
    EXPECT_EQ(Values(QStringLiteral("Nodo"), QStringLiteral("MBus_Type")), (V {"<none>", "<none>", "0"}));
    EXPECT_EQ(Values(QStringLiteral("Nodo"), QStringLiteral("Descrizione")), (V {"PAD", "PAD", "PAD"}));

    // A file that cannot be read is not replaced.
    QFile bad(file);
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("<M-Bus_Network><Nodo");
    bad.close();
    EXPECT_THROW(engine.Save_XML_Conf_Wired(o, false), EScanFileError);
    EXPECT_THROW(engine.Save_XML_Conf_Wireless(o, false), EScanFileError);
    EXPECT_EQ(Read_File(file), QByteArray("<M-Bus_Network><Nodo"));
    // Nor is one written where no file can go.
    o = Options();
    o.File_Name = dir + QStringLiteral("/missing/M_Bus.xml");
    EXPECT_THROW(engine.Save_XML_Conf_Wired(o, false), EScanFileError);
}

TEST_F(ScanWriters, WirelessNetworkFile)
{
    // Records of data fields 4 and 13 (5 bytes), and a meter of fillers only.
    TSlave_wMBus* a = Wireless(0x80000001, Hex("04132A000000" "0D13" "05" "3132333435"));
    a->Key = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    a->Enable_Key = true;
    Wireless(0x00000002, Hex("2F2F"));
    Wireless(0x00000003, Hex("04132A000000"));
    ASSERT_TRUE(engine.Save_XML_Conf_Wireless(Options(), true));
    Expect_Fixture(file, "scan-wireless-M_Bus.xml");
    // The counter ends at 6 after the first meter.
    EXPECT_EQ(Values(QStringLiteral("Variabile"), QStringLiteral("ModReg")), (V {"1", "3", "6"}));
}

TEST_F(ScanWriters, WirelessStartPositionsAndModelCodes)
{
    TSlave_wMBus* a = Wireless(1, Hex("04132A000000" "04132B000000"));
    Wireless(2, Hex("04132A000000"));
    a->List_Var[1]->Enable = false;
    TSaveConfXML o = Options();
    o.StartModnode = 1;
    o.SMN_Array = {10, 20};
    o.En_NodeState = true;
    o.En_IdeNum = true;
    ASSERT_TRUE(engine.Save_XML_Conf_Wireless(o, false));
    EXPECT_EQ(Values(QStringLiteral("Nodo"), QStringLiteral("Node_State")), (V {"10", "20"}));
    EXPECT_EQ(Values(QStringLiteral("Nodo"), QStringLiteral("Ident_Num")), (V {"12", "22"}));
    EXPECT_EQ(Values(QStringLiteral("Variabile"), QStringLiteral("ModReg")), (V {"13", "15", "23"}));
    EXPECT_EQ(Values(QStringLiteral("Variabile"), QStringLiteral("Enable")), (V {"1", "0", "1"}));

    o = Options(12);
    ASSERT_TRUE(engine.Save_XML_Conf_Wireless(o, false));
    EXPECT_EQ(Values(QStringLiteral("Variabile"), QStringLiteral("ModReg")), (V {"<none>", "<none>", "<none>"}));
    EXPECT_EQ(Values(QStringLiteral("Variabile"), QStringLiteral("ModScale")), (V {"<none>", "<none>", "<none>"}));
    EXPECT_EQ(Values(QStringLiteral("Variabile"), QStringLiteral("BACnet_EngUnits")), (V {"95", "95", "95"}));
    EXPECT_EQ(Values(QStringLiteral("Nodo"), QStringLiteral("NS_VarType")), (V {"0", "0"}));
    EXPECT_EQ(Values(QStringLiteral("Nodo"), QStringLiteral("ID")), (V {"<none>", "<none>"}));
    o = Options(10);
    ASSERT_TRUE(engine.Save_XML_Conf_Wireless(o, false));
    EXPECT_EQ(Values(QStringLiteral("Nodo"), QStringLiteral("ID")), (V {"1", "1"}));
}

TEST_F(ScanWriters, ScanReports)
{
    Wired(1, "12345678", Int_And_BCD);
    engine.SaveXMLFile = dir + QStringLiteral("/wired-report.xml");
    engine.Save_XML_File_DLL();
    Expect_Fixture(engine.SaveXMLFile, "scan-report-wired.xml");

    Wireless(0x80000001, Hex("2F" "04132A000000"));
    engine.SaveXMLFile = dir + QStringLiteral("/wireless-report.xml");
    engine.Save_Wireless_XML_File_DLL();
    Expect_Fixture(engine.SaveXMLFile, "scan-report-wireless.xml");

    // A report that cannot be written says why.
    engine.SaveXMLFile = dir + QStringLiteral("/missing/report.xml");
    engine.Save_XML_File_DLL();
    EXPECT_FALSE(engine.LastError().isEmpty());
}

} // namespace
