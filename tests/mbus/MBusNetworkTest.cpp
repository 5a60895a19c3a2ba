// M_Bus.xml: the reader's defaults and failures, the writer's shape, and a
// network that comes back from the file as it went in.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "BrokenFiles.h"
#include "mbus/MBusNetwork.h"
#include "platform/FileSystem.h"
#include "platform/XmlDocument.h"

namespace {

class MBusNetwork : public ::testing::Test {
protected:
    QString Write(const QByteArray& xml)
    {
        const QString file = dir.filePath(QStringLiteral("M_Bus.xml"));
        EXPECT_TRUE(WriteWholeFile(file, xml));
        return file;
    }
    bool Load(const QByteArray& xml)
    {
        nodes.clear();
        return Load_MBus_Network(Write(xml), nodes, error);
    }

    QTemporaryDir dir;
    TNodo_List nodes;
    QString error;
};

TEST_F(MBusNetwork, NodeWithOnlyADescriptionTakesTheDefaults)
{
    ASSERT_TRUE(Load("<M-Bus_Network><Nodo Descrizione=\"Meter\"/></M-Bus_Network>")) << error.toStdString();
    ASSERT_EQ(nodes.size(), 1u);
    const TNodo& n = *nodes[0];
    EXPECT_EQ(n.Description, QStringLiteral("Meter"));
    EXPECT_EQ(n.Enable, 1);
    EXPECT_EQ(n.MBus_Type, 1);
    EXPECT_EQ(n.Node_Pri, 1);
    EXPECT_EQ(n.Node_Sec, 1);
    EXPECT_EQ(n.Node_ID_Type, 0);
    EXPECT_EQ(n.Send_SNK + n.Reset_App + n.Enable_NS + n.Enable_IN + n.Enable_MS + n.Enable_AN + n.wMBus_En_Key + n.Enable_RSSI, 0);
    EXPECT_EQ(n.Cut_After, 0);
    EXPECT_TRUE(n.wMBus_Key[15].isEmpty());
    EXPECT_TRUE(n.Var_List.empty());
}

TEST_F(MBusNetwork, AddressesFromId)
{
    struct TCase {
        const char* attrs;
        int pri, sec;
    };
    const TCase cases[] = {
        {"ID=\"7\" Node_ID_Type=\"1\" ID_Primary=\"3\" ID_Secondary=\"4\"", 1, 7},
        {"ID=\"7\" Node_ID_Type=\"0\" ID_Primary=\"3\" ID_Secondary=\"4\"", 7, 1},
        {"ID=\"x\" Node_ID_Type=\"1\" ID_Primary=\"3\" ID_Secondary=\"4\"", 3, 4},
        {"ID_Primary=\"abc\" ID_Secondary=\"12345678\"", 1, 12345678},
    };
    for (const TCase& c : cases) {
        ASSERT_TRUE(Load(QByteArray("<M-Bus_Network><Nodo Descrizione=\"d\" ") + c.attrs + "/></M-Bus_Network>")) << c.attrs;
        EXPECT_EQ(nodes[0]->Node_Pri, c.pri) << c.attrs;
        EXPECT_EQ(nodes[0]->Node_Sec, c.sec) << c.attrs;
    }
}

TEST_F(MBusNetwork, AttributeReadings)
{
    ASSERT_TRUE(Load("<M-Bus_Network><Nodo Descrizione=\"d\" Node_Enable=\"257\" MBus_Type=\"wire\" wMBus_En_Key=\"yes\""
                     " Extra=\"ignored\">"
                     "<Variabile Enable=\"Y\" Desc=\"a\" Type=\"2\" Fun_Field=\"0\" Dim=\"2\"/>"
                     "<Variabile Enable=\"true\" Desc=\"b\" Type=\"2\" Fun_Field=\"0\" Dim=\"2\" StoNumber=\"4294967295\""
                     " VIFE=\"255\" BCDtoINT=\"Y\" Conv_Float=\"1\"/>"
                     "<Variabile Enable=\"1\" Desc=\"c\" Type=\"$14\" Fun_Field=\"1\" Dim=\"7\" Position=\"oops\"/>"
                     "</Nodo></M-Bus_Network>"))
        << error.toStdString();
    const TNodo& n = *nodes[0];
    EXPECT_EQ(n.Enable, 1); // low 8 bits
    EXPECT_EQ(n.MBus_Type, 1);
    EXPECT_EQ(n.wMBus_En_Key, 0);
    ASSERT_EQ(n.Var_List.size(), 3u);
    EXPECT_FALSE(n.Var_List[0]->Enable);
    EXPECT_FALSE(n.Var_List[1]->Enable);
    EXPECT_TRUE(n.Var_List[2]->Enable);
    EXPECT_EQ(n.Var_List[1]->Storage_Number, 4294967295u);
    EXPECT_EQ(n.Var_List[1]->VIFE, 255);
    EXPECT_FALSE(n.Var_List[1]->BCDtoINT);
    EXPECT_TRUE(n.Var_List[1]->Conv_Float);
    EXPECT_EQ(n.Var_List[2]->Type_Of_Data, 20);
    EXPECT_EQ(n.Var_List[2]->Position, 1);
    EXPECT_EQ(n.Var_List[0]->Position, 1);

    // Saved back unchanged.
    const QString out = dir.filePath(QStringLiteral("out.xml"));
    ASSERT_TRUE(Save_MBus_Network(out, nodes, error));
    TXMLDocument xml;
    ASSERT_TRUE(xml.LoadFromFile(out));
    const TXMLNode v = xml.Root().Child(0).Child(1);
    EXPECT_EQ(v.Attribute(QStringLiteral("StoNumber")), QStringLiteral("4294967295"));
    EXPECT_EQ(v.Attribute(QStringLiteral("VIFE")), QStringLiteral("255"));
}

TEST_F(MBusNetwork, FailuresStopTheLoadAndKeepWhatWasRead)
{
    struct TCase {
        const char* xml;
        size_t nodes;
        size_t varsOfLast;
    };
    const TCase cases[] = {
        {"<M-Bus_Network><Nodo Descrizione=\"a\"/><Other ID_Primary=\"3\"/><Nodo Descrizione=\"c\"/></M-Bus_Network>", 1, 0},
        {"<M-Bus_Network><Nodo Descrizione=\"a\"><Variabile Enable=\"1\" Desc=\"v\" Type=\"1\" Fun_Field=\"0\" Dim=\"2\"/>"
         "<Variabile Desc=\"w\" Fun_Field=\"0\" Dim=\"2\"/></Nodo></M-Bus_Network>", 1, 1},
        {"<M-Bus_Network><Nodo Descrizione=\"a\"><Variabile Desc=\"w\" Type=\"1\" Fun_Field=\"0\" Dim=\"two\"/></Nodo>"
         "</M-Bus_Network>", 1, 0},
        {"<M-Bus_Network><Nodo Descrizione=\"a\"><Variabile Type=\"1\" Fun_Field=\"0\" Dim=\"2\"/></Nodo></M-Bus_Network>", 1, 0},
        {"<M-Bus_Network><Nodo Descrizione=\"a\"></M-Bus_Network>", 0, 0},
    };
    for (const TCase& c : cases) {
        EXPECT_FALSE(Load(c.xml)) << c.xml;
        EXPECT_FALSE(error.isEmpty()) << c.xml;
        ASSERT_EQ(nodes.size(), c.nodes) << c.xml;
        if (c.nodes) {
            EXPECT_EQ(nodes.back()->Var_List.size(), c.varsOfLast) << c.xml;
        }
    }
    // A root child of another name is read as a node when it can be.
    ASSERT_TRUE(Load("<M-Bus_Network><Meter Descrizione=\"m\"><Value Desc=\"v\" Type=\"1\" Fun_Field=\"0\" Dim=\"2\"/></Meter>"
                     "</M-Bus_Network>"));
    ASSERT_EQ(nodes.size(), 1u);
    EXPECT_EQ(nodes[0]->Var_List.size(), 1u);
    // No file: an empty network and no error.
    nodes.clear();
    EXPECT_TRUE(Load_MBus_Network(dir.filePath(QStringLiteral("none.xml")), nodes, error));
    EXPECT_TRUE(nodes.empty());
    EXPECT_TRUE(error.isEmpty());
}

TEST_F(MBusNetwork, EmptyTruncatedAndRandomFilesAreRefusedWithTheirError)
{
    QFile fixture(QStringLiteral(TEST_DATA_DIR "/mbus/editor/network.xml"));
    ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
    for (const TBrokenFile& b : BrokenFiles(fixture.readAll())) {
        SCOPED_TRACE(b.Name);
        EXPECT_FALSE(Load(b.Bytes));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_TRUE(nodes.empty());
    }
}

TEST_F(MBusNetwork, FileWrittenByTheEditorComesBackTheSame)
{
    // A wired node with two variables and a wireless node with its key, in
    // the writer's own shape: loading and saving it gives the same bytes.
    const QString fixture = QStringLiteral(TEST_DATA_DIR "/mbus/M_Bus.xml");
    ASSERT_TRUE(Load_MBus_Network(fixture, nodes, error)) << error.toStdString();
    ASSERT_EQ(nodes.size(), 2u);
    EXPECT_EQ(nodes[0]->Var_List.size(), 2u);
    EXPECT_EQ(nodes[1]->MBus_Type, 0);
    EXPECT_EQ(nodes[1]->wMBus_Key[2], QStringLiteral("255"));
    EXPECT_EQ(nodes[0]->Var_List[1]->VIF_ASCII, QStringLiteral("m³/h"));

    const QString out = dir.filePath(QStringLiteral("again.xml"));
    ASSERT_TRUE(Save_MBus_Network(out, nodes, error)) << error.toStdString();
    QByteArray expected, written;
    ASSERT_TRUE(ReadWholeFile(fixture, expected));
    ASSERT_TRUE(ReadWholeFile(out, written));
    EXPECT_EQ(QString::fromUtf8(written).toStdString(), QString::fromUtf8(expected).toStdString());

    // The shape: root, then the version comment; attributes in order.
    TXMLDocument xml;
    ASSERT_TRUE(xml.LoadFromFile(out));
    ASSERT_EQ(xml.ChildCount(), 2);
    EXPECT_EQ(xml.Root().NodeName(), QStringLiteral("M-Bus_Network"));
    EXPECT_EQ(xml.Child(1).NodeType(), ntComment);
    EXPECT_EQ(xml.Child(1).Text(), QStringLiteral("SW_VERSION = 1.002"));
    const TXMLNode node = xml.Root().Child(0);
    ASSERT_EQ(node.AttributeCount(), 45);
    EXPECT_EQ(node.AttributeName(0), QStringLiteral("Node_Enable"));
    EXPECT_EQ(node.AttributeName(3), QStringLiteral("Descrizione"));
    EXPECT_EQ(node.AttributeName(27), QStringLiteral("wMBus_Key_1"));
    EXPECT_EQ(node.AttributeName(44), QStringLiteral("wMBus_RSSI"));
    const TXMLNode var = node.Child(0);
    EXPECT_EQ(var.NodeName(), QStringLiteral("Variabile"));
    ASSERT_EQ(var.AttributeCount(), 19);
    EXPECT_EQ(var.AttributeName(18), QStringLiteral("Post_Operation"));

    // Loading the saved file again gives the same network.
    TNodo_List again;
    ASSERT_TRUE(Load_MBus_Network(out, again, error));
    ASSERT_EQ(again.size(), nodes.size());
    EXPECT_EQ(again[1]->wMBus_Add, nodes[1]->wMBus_Add);
    EXPECT_EQ(again[0]->Var_List[0]->Storage_Number, nodes[0]->Var_List[0]->Storage_Number);
}

TEST_F(MBusNetwork, FailedSaveLeavesNoFileBehind)
{
    nodes.push_back(std::make_unique<TNodo>());
    EXPECT_FALSE(Save_MBus_Network(dir.filePath(QStringLiteral("missing/M_Bus.xml")), nodes, error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(DirectoryExists(dir.filePath(QStringLiteral("missing"))));
}

TEST(MBusNetworkTexts, Vocabularies)
{
    EXPECT_STREQ(Type_Of_Data_Texts[19], "Type of  Data in VIFE");
    EXPECT_STREQ(VIFE_Texts[0], "Not Selected");
    EXPECT_STREQ(VIFE_Texts[1], "Credit of the nominal local legal currency units");
    EXPECT_STREQ(VIFE_Texts[151], "Overflow values");
    EXPECT_STREQ(Post_Operation_Texts[12], " * 1000000");
}

} // namespace
