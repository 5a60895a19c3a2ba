#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/XmlDocument.h"

namespace {

void Put(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray Get(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

TEST(XmlDocumentTest, ConfigurationFileRoundTrip)
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath("ParGen.xml");
    const QString dataRate = QStringLiteral("6\t- LoRa: SF7/250kHz 11000 [bit/s]");
    {
        TXMLDocument xml;
        xml.SetActive(true);
        TXMLNode root = xml.AddChild("Par_Gen");
        xml.AddComment("SW_VERSION = 1.006");
        root.AddChild("Eth_Conn_Device_Name").SetText("  spaced  ");
        root.AddChild("LoRa_DataRate").SetText(dataRate);
        root.AddChild("Empty");
        root.AddChild("Blank").SetText(" ");
        root.AddChild("Markup").SetText("a<b & \"c\" 'd' > e");
        ASSERT_TRUE(xml.SaveToFile(path)) << xml.ErrorMessage().toStdString();
    }
    EXPECT_EQ(Get(path),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<Par_Gen>\n"
              "  <Eth_Conn_Device_Name>  spaced  </Eth_Conn_Device_Name>\n"
              "  <LoRa_DataRate>6\t- LoRa: SF7/250kHz 11000 [bit/s]</LoRa_DataRate>\n"
              "  <Empty />\n"
              "  <Blank> </Blank>\n"
              "  <Markup>a&lt;b &amp; \"c\" 'd' &gt; e</Markup>\n"
              "</Par_Gen>\n"
              "<!--SW_VERSION = 1.006-->\n");

    TXMLDocument xml;
    ASSERT_TRUE(xml.LoadFromFile(path)) << xml.ErrorMessage().toStdString();
    EXPECT_TRUE(xml.Active());
    ASSERT_EQ(xml.ChildCount(), 2);
    const TXMLNode root = xml.Root();
    EXPECT_EQ(root.NodeName(), QStringLiteral("Par_Gen"));
    EXPECT_EQ(xml.Child(1).NodeType(), ntComment);
    EXPECT_EQ(xml.Child(1).Text(), QStringLiteral("SW_VERSION = 1.006"));
    EXPECT_EQ(root.ChildCount(), 5);
    EXPECT_EQ(root.FindChild("Eth_Conn_Device_Name").Text(), QStringLiteral("  spaced  "));
    EXPECT_EQ(root.FindChild("LoRa_DataRate").Text(), dataRate);
    EXPECT_TRUE(root.FindChild("Empty").IsTextElement());
    EXPECT_EQ(root.FindChild("Empty").Text(), QString());
    EXPECT_EQ(root.FindChild("Blank").Text(), QStringLiteral(" "));
    EXPECT_EQ(root.FindChild("Markup").Text(), QStringLiteral("a<b & \"c\" 'd' > e"));
    EXPECT_TRUE(root.FindChild("lora_datarate").IsNull()); // names match exactly
    EXPECT_FALSE(root.IsTextElement());
}

TEST(XmlDocumentTest, AttributesKeepTheirOrderAndTheirTabsAndLineBreaks)
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath("LoRaWAN_SetAccess.xml");
    const QString odd = QStringLiteral("tab\there\nnew line\r\nend <&\"'>");
    {
        TXMLDocument xml;
        TXMLNode up = xml.AddChild("LoRaWAN_Set_Access").AddChild("LoRaWAN_Uplink");
        TXMLNode row = up.AddChild("row");
        for (const char* name : {"Enable", "StartByte", "NumByte", "Mnemonic", "Able"})
            row.SetAttribute(name, QString::fromLatin1(name).toLower());
        row.SetAttribute("StartByte", "12"); // changed in place
        row.SetAttribute("Mnemonic", odd);
        ASSERT_TRUE(xml.SaveToFile(path));
    }
    TXMLDocument xml;
    ASSERT_TRUE(xml.LoadFromFile(path));
    const TXMLNode row = xml.Root().FindChild("LoRaWAN_Uplink").Child(0);
    ASSERT_EQ(row.AttributeCount(), 5);
    QStringList names;
    for (Integer i = 0; i < row.AttributeCount(); ++i)
        names << row.AttributeName(i);
    EXPECT_EQ(names, QStringList({"Enable", "StartByte", "NumByte", "Mnemonic", "Able"}));
    EXPECT_EQ(row.Attribute("StartByte"), QStringLiteral("12"));
    EXPECT_EQ(row.AttributeValue(3), odd);
    EXPECT_EQ(row.Attribute("Mnemonic"), odd);
    EXPECT_TRUE(row.HasAttribute("Able"));
    EXPECT_FALSE(row.HasAttribute("able"));
    EXPECT_EQ(row.Attribute("Missing"), QString());
    EXPECT_EQ(row.AttributeName(9), QString());
}

TEST(XmlDocumentTest, ChildNodesByIndexAndTheFirstNodeAsRoot)
{
    TXMLDocument xml;
    ASSERT_TRUE(xml.LoadFromXML(
        "<?xml version=\"1.0\"?>\n<!DOCTYPE x>\n"
        "<BACnet_Master_Access><BACnet_Read>\n"
        "  <row Position=\"0\"/>\n  <!-- note -->\n  <row Position=\"4\"/>\n  <other>t<b/>u</other>\n"
        "</BACnet_Read></BACnet_Master_Access>"));
    // The declaration and document type are not nodes: the root comes first.
    EXPECT_EQ(xml.Root().NodeName(), QStringLiteral("BACnet_Master_Access"));
    const TXMLNode table = xml.Root().FindChild("BACnet_Read");
    ASSERT_EQ(table.ChildCount(), 4);
    EXPECT_EQ(table.Child(0).Attribute("Position"), QStringLiteral("0"));
    EXPECT_EQ(table.Child(1).NodeType(), ntComment);
    EXPECT_EQ(table.Child(1).NodeName(), QStringLiteral("#comment"));
    EXPECT_EQ(table.Child(1).Attribute("Position"), QString());
    EXPECT_EQ(table.Child(2).Attribute("Position"), QStringLiteral("4"));
    EXPECT_FALSE(table.Child(3).IsTextElement()); // mixed content is no single text
    EXPECT_EQ(table.Child(3).Text(), QStringLiteral("tu"));
    EXPECT_EQ(table.Child(3).Child(0).NodeType(), ntText);
    EXPECT_TRUE(table.Child(4).IsNull());
    EXPECT_TRUE(table.Child(-1).IsNull());
    // Walking by siblings meets the same nodes in the same order.
    Integer walked = 0;
    for (TXMLNode n = table.FirstChild(); n; n = n.NextSibling(), ++walked)
        EXPECT_EQ(n, table.Child(walked));
    EXPECT_EQ(walked, 4);
    EXPECT_TRUE(table.Child(3).Child(0).NextSibling().NextSibling().NextSibling().IsNull());
    EXPECT_TRUE(TXMLNode().FirstChild().IsNull());

    // Comments and processing instructions before the root element are
    // nodes of the document, but the root is the document element.
    for (const char* text : {"<!-- first --><Par_Gen><LoRa_RF_Band>EU868</LoRa_RF_Band></Par_Gen>",
                             "<?app x?><!--a--><Par_Gen><LoRa_RF_Band>EU868</LoRa_RF_Band></Par_Gen><!--b-->"}) {
        SCOPED_TRACE(text);
        ASSERT_TRUE(xml.LoadFromXML(QString::fromLatin1(text)));
        EXPECT_NE(xml.Child(0).NodeType(), ntElement);
        EXPECT_EQ(xml.Root().NodeType(), ntElement);
        EXPECT_EQ(xml.Root().NodeName(), QStringLiteral("Par_Gen"));
        EXPECT_EQ(xml.Root().FindChild("LoRa_RF_Band").Text(), QStringLiteral("EU868"));
    }
    xml.Clear();
    EXPECT_TRUE(xml.Root().IsNull());
    // A root of another name is still the root.
    ASSERT_TRUE(xml.LoadFromXML("<Other><LoRa_RF_Band>us915-hybrid</LoRa_RF_Band><LoRa_RF_Band>x</LoRa_RF_Band></Other>"));
    EXPECT_EQ(xml.Root().FindChild("LoRa_RF_Band").Text(), QStringLiteral("us915-hybrid"));
}

TEST(XmlDocumentTest, BadFilesGiveAnErrorAndAnEmptyDocument)
{
    QTemporaryDir tmp;
    Put(tmp.filePath("empty.xml"), "");
    Put(tmp.filePath("blank.xml"), " \r\n\t");
    Put(tmp.filePath("broken.xml"), "<Par_Gen>\n  <a>1</a>\n  <b>2</c>\n</Par_Gen>");
    Put(tmp.filePath("two-roots.xml"), "<a/><b/>");
    Put(tmp.filePath("only-comment.xml"), "<!-- nothing -->");
    struct { const char* file; const char* says; } cases[] = {
        {"missing.xml", "does not exist"},
        {"empty.xml", "is empty"},
        {"blank.xml", "is empty"},
        {"broken.xml", "line 3, column"},
        {"two-roots.xml", "not well-formed"},
        {"only-comment.xml", "not well-formed"},
    };
    for (const auto& c : cases) {
        TXMLDocument xml;
        xml.AddChild("left-over");
        const QString path = tmp.filePath(QString::fromLatin1(c.file));
        EXPECT_FALSE(xml.LoadFromFile(path)) << c.file;
        EXPECT_TRUE(xml.ErrorMessage().contains(QString::fromLatin1(c.says))) << xml.ErrorMessage().toStdString();
        EXPECT_TRUE(xml.ErrorMessage().contains(path)) << c.file;
        EXPECT_EQ(xml.ChildCount(), 0) << c.file;
        EXPECT_TRUE(xml.Root().FindChild("a").Child(3).IsNull());
    }
    TXMLDocument folder;
    EXPECT_FALSE(folder.LoadFromFile(tmp.path()));
}

TEST(XmlDocumentTest, RebuildingAndSavingSafely)
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath("Arvinto.xml");
    TXMLDocument xml;
    xml.AddChild("Conf_Settings").AddChild("lastproj").AddChild("projectname").SetText("Plant A");
    ASSERT_TRUE(xml.SaveToFile(path));
    const QByteArray saved = Get(path);

    // Emptying drops every top-level node; the next user builds anew.
    xml.Clear();
    EXPECT_EQ(xml.ChildCount(), 0);
    TXMLNode root = xml.AddChild("Conf_Settings");
    TXMLNode leaf = root.AddChild("lastlang").AddChild("language");
    leaf.SetText("English");
    leaf.SetText("Italiano");
    EXPECT_EQ(leaf.ChildCount(), 1);
    leaf.SetText(QString());
    EXPECT_EQ(leaf.ChildCount(), 0);
    EXPECT_EQ(xml.SaveToXML(), QStringLiteral("<Conf_Settings>\n  <lastlang>\n    <language />\n  </lastlang>\n</Conf_Settings>\n"));

    // A read-only file or a missing folder: false, a message, the file intact.
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    EXPECT_FALSE(xml.SaveToFile(path));
    EXPECT_TRUE(xml.ErrorMessage().contains(path));
    EXPECT_EQ(Get(path), saved);
    EXPECT_FALSE(xml.SaveToFile(tmp.filePath("PROJECTS/x.xml")));

    // Deactivating empties; null nodes take writes without effect.
    xml.SetActive(false);
    EXPECT_FALSE(xml.Active());
    EXPECT_EQ(xml.ChildCount(), 0);
    TXMLNode none;
    none.SetText("x");
    none.SetAttribute("a", "b");
    EXPECT_TRUE(none.AddChild("c").IsNull());
    EXPECT_EQ(none.Text(), QString());
}

} // namespace
