#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "parameters/ParGenChecks.h"
#include "parameters/ParGenData.h"

namespace {

using TEdits = std::vector<std::pair<Integer, const char*>>;

TParGenValues With(TEdits edits)
{
    TParGenValues v = ParGen_New_Values();
    for (const auto& [e, text] : edits)
        v[e] = QString::fromUtf8(text);
    return v;
}

TEST(ParGenChecks, NewConfigurationPassesInBothBACnetTypes)
{
    EXPECT_FALSE(ParGen_First_Fault(With({})));
    EXPECT_FALSE(ParGen_First_Fault(With({{pgBACnet_Master_Type, "1"}})));
}

// One fault each: the check that fails and its message.
TEST(ParGenChecks, EachFaultGivesItsMessage)
{
    struct TCase {
        TEdits Edits;
        Integer Text;
    };
    const TCase cases[] = {
        {{{pgEth_Conn_Enable_DNS, "1"}, {pgEth_Conn_Primary_DNS1, "256"}}, 2925},
        {{{pgEth_Conn_Enable_DNS, "1"}, {pgEth_Conn_Primary_DNS4, ""}}, 2928},
        {{{pgEth_Conn_Enable_DNS, "1"}, {pgEth_Conn_Secondary_DNS1, "1.5"}}, 2929},
        {{{pgEth_Conn_Enable_DNS, "1"}, {pgEth_Conn_Secondary_DNS4, "7x"}}, 2932},
        {{{pgLoRa_RF_Band, ""}, {pgLoRa_DataRate, ""}, {pgLoRa_Payload_Size, "0"}}, 493},
        {{{pgLoRa_Network_Type, ""}}, 494},
        {{{pgLoRa_DataRate, ""}}, 495},
        {{{pgLoRa_Transmission_Type, " "}}, 496},
        {{{pgLoRa_Payload_Size, "231"}}, 497},
        {{{pgLoRa_Payload_Size, "0"}}, 497},
        {{{pgLoRa_Activation_Method, ""}}, 499},
        // Key texts that are not hexadecimal (pasted past the key filter),
        // for the activation method's keys and the JoinEUI.
        {{{pgLoRa_Device_Address, "26-0B-1F"}}, 500},
        {{{pgLoRa_JoinEUI, "70B3 D57E"}}, 501},
        {{{pgLoRa_Network_Session_Key, "2B7E151628AED2A6ABF7158809CF4F3g"}}, 502},
        {{{pgLoRa_Application_Session_Key, "0x2B7E"}}, 503},
        {{{pgLoRa_Activation_Method, "Over-the-Air Activation [OTAA]"}, {pgLoRa_Application_Key, "2B:7E"}}, 504},
        {{{pgLoRa_Activation_Method, " over-the-air activation [otaa] "}, {pgLoRa_JoinEUI, "\xc3\x80"}}, 501},
        {{{pgLoRa_LNCHECK, "4"}}, 2935},
        {{{pgLoRa_LNCHECK, "61"}}, 2935},
        {{{pgEthernet_IP1, "-1"}}, 465},
        {{{pgEthernet_IP4, "300"}}, 468},
        {{{pgEthernet_SM1, "abc"}}, 469},
        {{{pgEthernet_SM4, ""}}, 472},
        {{{pgEthernet_EN_GAT, "1"}, {pgEthernet_GAT1, "256"}}, 473},
        {{{pgEthernet_EN_GAT, "1"}, {pgEthernet_GAT4, ""}}, 476},
        // BACnet/IP
        {{{pgBACnet_Master_IP1, "256"}}, 589},
        {{{pgBACnet_Master_IP4, ""}}, 592},
        {{{pgBACnet_Master_SM1, "x"}}, 593},
        {{{pgBACnet_Master_SM4, "999"}}, 596},
        {{{pgBACnet_Master_EN_GAT, "1"}, {pgBACnet_Master_GAT1, ""}}, 597},
        {{{pgBACnet_Master_EN_GAT, "1"}, {pgBACnet_Master_GAT4, "256"}}, 600},
        {{{pgBACnet_Master_Port, "10000"}}, 601},
        {{{pgBACnet_Master_Port, "65536"}}, 601},
        {{{pgBACnet_Master_IP_Device_Name, "dev-1"}}, 602},
        {{{pgBACnet_Master_Dev_Instance, "4194304"}}, 603},
        {{{pgBACnet_Master_TimeOut_Polling, "1000000001"}}, 604},
        // MS/TP
        {{{pgBACnet_Master_Type, "1"}, {pgBACnet_Master_Ser_Device_Name, "my device"}}, 605},
        {{{pgBACnet_Master_Type, "1"}, {pgBACnet_Master_Ser_MAC_Address, "128"}}, 606},
        {{{pgBACnet_Master_Type, "1"}, {pgBACnet_Master_Ser_Max_Master, "0"}}, 607},
        {{{pgBACnet_Master_Type, "1"}, {pgBACnet_Master_Ser_Max_Info_Frames, "101"}}, 608},
        {{{pgBACnet_Master_Type, "1"}, {pgBACnet_Master_Ser_Dev_Instance, "4194304"}}, 609},
    };
    for (const TCase& c : cases) {
        const TParGenFault f = ParGen_First_Fault(With(c.Edits));
        EXPECT_EQ(f.Text, c.Text) << "first edit: element " << c.Edits.begin()->first << " = \""
                                  << c.Edits.begin()->second << "\"";
    }
}

TEST(ParGenChecks, BoundsAndSkippedFieldsPass)
{
    const TEdits passing[] = {
        {{pgEth_Conn_Primary_DNS1, "abc"}, {pgEth_Conn_Secondary_DNS4, ""}},  // DNS off
        {{pgEthernet_GAT1, "abc"}},  // gateway off
        {{pgBACnet_Master_GAT1, "abc"}},
        {{pgBACnet_Master_Port, "0"}, {pgLoRa_LNCHECK, "5"}},
        {{pgBACnet_Master_Port, "65535"}, {pgLoRa_LNCHECK, "60"}},
        {{pgBACnet_Master_Dev_Instance, "4194303"}, {pgBACnet_Master_TimeOut_Polling, "1000000000"}},
        {{pgBACnet_Master_IP_Device_Name, ""}},
        {{pgLoRa_Payload_Size, "1"}},
        // The BACnet type not chosen is not looked at.
        {{pgBACnet_Master_Type, "1"}, {pgBACnet_Master_Port, "10000"}, {pgBACnet_Master_IP1, "300"}},
        {{pgBACnet_Master_Ser_MAC_Address, "999"}},
        // Never validated.
        {{pgEth_Conn_Device_Name, "a b-c"}, {pgLoRa_FPort, ""}, {pgLoRa_Frequency_SubBand, ""}},
        // Keys: hexadecimal digits in either case, of any length; those of
        // the other activation method are not compiled and not looked at.
        {{pgLoRa_JoinEUI, "12"}, {pgLoRa_Device_Address, "26011f0A"}, {pgLoRa_Network_Session_Key, ""}},
        {{pgLoRa_Application_Key, "26-0B"}},
        {{pgLoRa_Activation_Method, "Over-the-Air Activation [OTAA]"}, {pgLoRa_Device_Address, "26-0B"},
         {pgLoRa_Network_Session_Key, "x"}, {pgLoRa_Application_Session_Key, "y"}, {pgLoRa_Application_Key, "ABCDEF"}},
    };
    for (const TEdits& edits : passing)
        EXPECT_FALSE(ParGen_First_Fault(With(edits))) << "element " << edits.begin()->first;
}

TEST(ParGenChecks, StopsAtTheFirstFaultInOrder)
{
    // The band comes before the payload, the Ethernet rows before BACnet.
    EXPECT_EQ(ParGen_First_Fault(With({{pgLoRa_Payload_Size, "999"}, {pgLoRa_RF_Band, ""}})).Text, 493);
    EXPECT_EQ(ParGen_First_Fault(With({{pgBACnet_Master_IP1, ""}, {pgEthernet_IP1, ""}})).Text, 465);
    EXPECT_EQ(ParGen_First_Fault(With({{pgLoRa_LNCHECK, "0"}, {pgLoRa_Payload_Size, "0"}})).Text, 497);

    // The payload message carries the maximum of the band and data rate.
    const TParGenFault f = ParGen_First_Fault(With({{pgLoRa_Payload_Size, "0"}}));
    EXPECT_EQ(f.Max_Payload, 230);
}

TEST(ParGenChecks, HexKeyFilter)
{
    for (QChar c : QStringLiteral("0123456789abcdefABCDEF \b\t\r\x1b\x03\x16"))
        EXPECT_TRUE(Hex_Key_Passes(c)) << int(c.unicode());
    for (QChar c : QStringLiteral("gG-.xZ!\x7f\u00e9"))
        EXPECT_FALSE(Hex_Key_Passes(c)) << int(c.unicode());
}

TEST(ParGenChecks, DotMovesAlongTheOctetChains)
{
    EXPECT_EQ(Next_Octet_Element(pgEth_Conn_Primary_DNS1), pgEth_Conn_Primary_DNS2);
    EXPECT_EQ(Next_Octet_Element(pgEth_Conn_Primary_DNS4), pgEth_Conn_Secondary_DNS1);
    EXPECT_EQ(Next_Octet_Element(pgEth_Conn_Secondary_DNS4), -1);
    EXPECT_EQ(Next_Octet_Element(pgEthernet_IP4), pgEthernet_SM1);
    EXPECT_EQ(Next_Octet_Element(pgEthernet_SM4), pgEthernet_GAT1);
    EXPECT_EQ(Next_Octet_Element(pgEthernet_GAT4), -1);
    EXPECT_EQ(Next_Octet_Element(pgBACnet_Master_IP1), -1);
    EXPECT_EQ(Next_Octet_Element(pgBACnet_Master_SM4), -1);
}

} // namespace
