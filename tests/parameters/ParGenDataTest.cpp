#include <gtest/gtest.h>

#include "parameters/LoRaWAN_Rates.h"
#include "parameters/ParGenData.h"
#include "platform/XmlDocument.h"

namespace {

const QString AS923_DR6 = QStringLiteral("6\t- LoRa: SF7/250kHz 11000 [bit/s]");

// Reads a ParGen document given as the root's children.
TParGenValues Read_Children(const QString& children, const QString& root = QStringLiteral("Par_Gen"))
{
    TXMLDocument doc;
    const QString xml = QStringLiteral("<%1>%2</%1><!--SW_VERSION = 1.006-->").arg(root, children);
    EXPECT_TRUE(doc.LoadFromXML(xml)) << doc.ErrorMessage().toStdString();
    return ParGen_Read(doc.Root());
}

TEST(ParGenData, NewConfigurationDefaultsAndTheirFile)
{
    const TParGenValues v = ParGen_New_Values();
    EXPECT_EQ(v[pgLoRa_RF_Band], "AS923");
    EXPECT_EQ(v[pgLoRa_DataRate], AS923_DR6);
    EXPECT_EQ(v[pgLoRa_Payload_Size], "230");
    EXPECT_EQ(v[pgBACnet_Master_Type], "0");
    EXPECT_EQ(v[pgBACnet_Master_Port], "47808");
    EXPECT_EQ(v[pgEth_Conn_Secondary_DNS3], "4");
    EXPECT_EQ(v[pgLoRa_Activation_Method], "Activation by Personalization [ABP]");

    TXMLDocument doc;
    ParGen_Write(doc, v);
    ASSERT_EQ(doc.ChildCount(), 2);
    EXPECT_EQ(doc.Child(0).NodeName(), "Par_Gen");
    EXPECT_EQ(doc.Child(1).NodeType(), ntComment);
    EXPECT_EQ(doc.Child(1).Text(), "SW_VERSION = 1.006");
    const TXMLNode root = doc.Root();
    const char* const order[] = {
        "Eth_Conn_Device_Name", "Eth_Conn_DHCP_Cable", "Eth_Conn_DHCP_WiFi", "Eth_Conn_Enable_DNS",
        "Eth_Conn_Primary_DNS1", "Eth_Conn_Primary_DNS2", "Eth_Conn_Primary_DNS3", "Eth_Conn_Primary_DNS4",
        "Eth_Conn_Secondary_DNS1", "Eth_Conn_Secondary_DNS2", "Eth_Conn_Secondary_DNS3", "Eth_Conn_Secondary_DNS4",
        "LoRa_RF_Band", "LoRa_Network_Type", "LoRa_Adaptive_DataRate", "LoRa_DataRate", "LoRa_Transmission_Type",
        "LoRa_Payload_Size", "LoRa_Activation_Method", "LoRa_Device_Address", "LoRa_JoinEUI",
        "LoRa_Network_Session_Key", "LoRa_Application_Session_Key", "LoRa_Application_Key", "LoRa_FPort",
        "LoRa_Frequency_SubBand", "LoRa_LNCHECK", "Ethernet_IP1", "Ethernet_IP2", "Ethernet_IP3", "Ethernet_IP4",
        "Ethernet_SM1", "Ethernet_SM2", "Ethernet_SM3", "Ethernet_SM4", "Ethernet_GAT1", "Ethernet_GAT2",
        "Ethernet_GAT3", "Ethernet_GAT4", "Ethernet_EN_GAT", "BACnet_Master_Type", "BACnet_Master_IP1",
        "BACnet_Master_IP2", "BACnet_Master_IP3", "BACnet_Master_IP4", "BACnet_Master_SM1", "BACnet_Master_SM2",
        "BACnet_Master_SM3", "BACnet_Master_SM4", "BACnet_Master_EN_GAT", "BACnet_Master_GAT1", "BACnet_Master_GAT2",
        "BACnet_Master_GAT3", "BACnet_Master_GAT4", "BACnet_Master_Port", "BACnet_Master_IP_Device_Name",
        "BACnet_Master_Dev_Instance", "BACnet_Master_TimeOut_Polling", "BACnet_Master_Ser_Baud",
        "BACnet_Master_Ser_Par", "BACnet_Master_Ser_Device_Name", "BACnet_Master_Ser_MAC_Address",
        "BACnet_Master_Ser_Max_Master", "BACnet_Master_Ser_Max_Info_Frames", "BACnet_Master_Ser_Dev_Instance",
    };
    ASSERT_EQ(root.ChildCount(), 65);
    for (Integer i = 0; i < 65; ++i)
        EXPECT_EQ(root.Child(i).NodeName(), QString::fromLatin1(order[i])) << i;
    EXPECT_EQ(root.FindChild("LoRa_DataRate").Text(), AS923_DR6);
    EXPECT_EQ(root.FindChild("Eth_Conn_DHCP_Cable").Text(), "0");
    EXPECT_EQ(root.FindChild("Ethernet_IP4").Text(), "10");

    // What is written reads back the same.
    EXPECT_EQ(ParGen_Read(doc.Root()).V, v.V);
}

TEST(ParGenData, MissingDataRateTakesTheBandsFirstItem)
{
    const TParGenValues v = Read_Children("<LoRa_RF_Band>EU868</LoRa_RF_Band>");
    EXPECT_EQ(v[pgLoRa_DataRate], "0 -\tLoRa: SF12/125kHz 250 [bit/s]");
    EXPECT_EQ(v[pgLoRa_Payload_Size], "51");
    // Every other missing element has its default.
    EXPECT_EQ(v[pgLoRa_Network_Type], "Private");
    EXPECT_EQ(v[pgBACnet_Master_IP_Device_Name], "devicename1");
}

TEST(ParGenData, TextListsMatchIgnoringCaseAndStoreTheItemText)
{
    const TParGenValues v = Read_Children(
        "<LoRa_RF_Band>us915-hybrid</LoRa_RF_Band>"
        "<LoRa_DataRate>4  - lora: sf8/500khz 12500 [bit/s]</LoRa_DataRate>"
        "<LoRa_Activation_Method>over-the-air activation [otaa]</LoRa_Activation_Method>"
        "<LoRa_FPort>VARIABLE</LoRa_FPort>");
    EXPECT_EQ(v[pgLoRa_RF_Band], "US915-Hybrid");
    EXPECT_EQ(v[pgLoRa_DataRate], "4  - LoRa: SF8/500kHz 12500 [bit/s]");
    EXPECT_EQ(v[pgLoRa_Payload_Size], "242");
    EXPECT_EQ(v[pgLoRa_Activation_Method], "Over-the-Air Activation [OTAA]");
    EXPECT_EQ(v[pgLoRa_FPort], "Variable");
}

TEST(ParGenData, UnknownBandLeavesBandDataRateAndPayloadEmpty)
{
    const TParGenValues v = Read_Children("<LoRa_RF_Band>EU433</LoRa_RF_Band><LoRa_DataRate>" + AS923_DR6 +
                                          "</LoRa_DataRate>");
    EXPECT_EQ(v[pgLoRa_RF_Band], "");
    EXPECT_EQ(v[pgLoRa_DataRate], "");
    EXPECT_EQ(v[pgLoRa_Payload_Size], "0");
}

TEST(ParGenData, StoredPayloadIsReplacedByTheComputedMaximum)
{
    const TParGenValues v = Read_Children("<LoRa_RF_Band>AS923</LoRa_RF_Band><LoRa_DataRate>3\t- LoRa: SF9/125kHz "
                                          "1760 [bit/s]</LoRa_DataRate><LoRa_Payload_Size>100</LoRa_Payload_Size>");
    EXPECT_EQ(v[pgLoRa_Payload_Size], "123");
}

TEST(ParGenData, DataRateNotInTheBandsListSelectsTheFirstItem)
{
    // A space where the item has a tab.
    const TParGenValues v = Read_Children(
        "<LoRa_RF_Band>AS923</LoRa_RF_Band><LoRa_DataRate>6 - LoRa: SF7/250kHz 11000 [bit/s]</LoRa_DataRate>");
    EXPECT_EQ(v[pgLoRa_DataRate], "0\t- LoRa: SF12/125kHz 250 [bit/s]");
    EXPECT_EQ(v[pgLoRa_Payload_Size], "59");
}

TEST(ParGenData, CheckBoxesAndIndexLists)
{
    const TParGenValues v = Read_Children(
        "<Eth_Conn_DHCP_Cable>1</Eth_Conn_DHCP_Cable><Eth_Conn_DHCP_WiFi>1</Eth_Conn_DHCP_WiFi>"
        "<Eth_Conn_Enable_DNS></Eth_Conn_Enable_DNS><Ethernet_EN_GAT>yes</Ethernet_EN_GAT>"
        "<BACnet_Master_Type>1</BACnet_Master_Type><BACnet_Master_Ser_Baud>abc</BACnet_Master_Ser_Baud>"
        "<BACnet_Master_Ser_Par>7</BACnet_Master_Ser_Par>");
    EXPECT_EQ(v[pgEth_Conn_DHCP_Cable], "1");
    EXPECT_EQ(v[pgEth_Conn_DHCP_WiFi], "0");  // never read
    EXPECT_EQ(v[pgEth_Conn_Enable_DNS], "0");
    EXPECT_EQ(v[pgEthernet_EN_GAT], "0");
    EXPECT_EQ(v[pgBACnet_Master_Type], "1");
    EXPECT_EQ(v[pgBACnet_Master_Ser_Baud], "0");  // not a number: item 0
    EXPECT_EQ(v[pgBACnet_Master_Ser_Par], "-1");  // outside the list: none
    EXPECT_EQ(v.Item_Index(pgBACnet_Master_Ser_Par), -1);
}

TEST(ParGenData, FirstElementCountsAndOddContentsGetDefaults)
{
    const TParGenValues v = Read_Children(
        "<Ethernet_IP1>10</Ethernet_IP1><Ethernet_IP1>11</Ethernet_IP1>"
        "<Ethernet_IP2><x>1</x></Ethernet_IP2><Unknown>1</Unknown><BACnet_Master_Port>$BAC0</BACnet_Master_Port>");
    EXPECT_EQ(v[pgEthernet_IP1], "10");
    EXPECT_EQ(v[pgEthernet_IP2], "168");  // holds an element, not a text
    EXPECT_EQ(v[pgBACnet_Master_Port], "$BAC0");  // edits keep the text as typed

    // An unknown element is gone after the next write.
    TXMLDocument doc;
    ParGen_Write(doc, v);
    EXPECT_TRUE(doc.Root().FindChild("Unknown").IsNull());
}

TEST(ParGenData, TheDocumentElementIsTheRoot)
{
    // Another root name loads normally.
    EXPECT_EQ(Read_Children("<LoRa_LNCHECK>30</LoRa_LNCHECK>", "Other")[pgLoRa_LNCHECK], "30");

    // A comment before the root does not hide the root's elements.
    TXMLDocument doc;
    ASSERT_TRUE(doc.LoadFromXML("<!--x--><Par_Gen><LoRa_LNCHECK>30</LoRa_LNCHECK></Par_Gen>"));
    const TParGenValues v = ParGen_Read(doc.Root());
    EXPECT_EQ(v[pgLoRa_LNCHECK], "30");
}

} // namespace
