#include <gtest/gtest.h>

#include "parameters/ParGenLayout.h"

namespace {

TEST(ParGenLayout, FixedPanels)
{
    const TEthConnLayout ec = Layout_Ethernet_Connection();
    EXPECT_EQ(ec.Height, 206);
    EXPECT_EQ(ec.Row[ecDHCP_WiFi].Label_Top, 68);
    EXPECT_EQ(ec.Row[ecPrimary_DNS].Control_Top, 121);

    for (bool dhcp : {false, true}) {
        const TEthernetLayout e = Layout_Ethernet(dhcp);
        EXPECT_EQ(e.Height, 123);
        EXPECT_EQ(e.Address_Enabled, !dhcp);
        EXPECT_EQ(e.Row[erGAT].Control_Top, 66);
        EXPECT_FALSE(e.Row[erTCP_Port].Visible);
        EXPECT_FALSE(e.Row[erUDP_Port].Visible);
    }
}

TEST(ParGenLayout, LoRaRowsFlowByBandAndActivation)
{
    struct {
        Integer Band, Activation, Height;
    } const cases[] = {
        {0, 0, 394}, {1, 0, 422}, {5, 0, 422}, {6, 0, 422}, {2, 1, 338}, {6, 1, 366}, {-1, -1, 338},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Layout_LoRa(c.Band, c.Activation).Height, c.Height) << c.Band << "/" << c.Activation;

    // The sub-band row goes in right below the band and moves the rest down.
    const TLoRaLayout plain = Layout_LoRa(0, 0), sub = Layout_LoRa(5, 0);
    EXPECT_FALSE(plain.Row[lrFrequencySubBand].Visible);
    EXPECT_EQ(sub.Row[lrFrequencySubBand].Label_Top, 37);
    EXPECT_EQ(sub.Row[lrFrequencySubBand].Control_Top, 34);
    EXPECT_EQ(plain.Row[lrNetwork_Type].Label_Top, 37);
    for (Integer r = lrNetwork_Type; r < LoRa_Row_Count; ++r) {
        if (plain.Row[r].Visible) {
            EXPECT_EQ(sub.Row[r].Label_Top, plain.Row[r].Label_Top + 28) << r;
        }
    }
    // The Adaptive DataRate box sits at the row's own place.
    EXPECT_EQ(plain.Row[lrAdaptive_DataRate].Control_Top, plain.Row[lrAdaptive_DataRate].Label_Top);

    // ABP shows three key rows, OTAA the application key in their place.
    const TLoRaLayout otaa = Layout_LoRa(0, 1);
    EXPECT_TRUE(plain.Row[lrNetwork_Session_Key].Visible);
    EXPECT_FALSE(plain.Row[lrApplication_Key].Visible);
    EXPECT_FALSE(otaa.Row[lrDevice_Address].Visible);
    EXPECT_EQ(otaa.Row[lrApplication_Key].Label_Top, plain.Row[lrDevice_Address].Label_Top);
    EXPECT_EQ(otaa.Row[lrLNCHECK].Label_Top, 289);
}

TEST(ParGenLayout, BACnetMasterByType)
{
    const TBACnetLayout ip = Layout_BACnet_Master(0, false), mstp = Layout_BACnet_Master(1, false);
    EXPECT_EQ(ip.Height, 262);
    EXPECT_EQ(mstp.Height, 262);
    EXPECT_TRUE(ip.Row[brIP].Visible);
    EXPECT_FALSE(ip.Row[brMSTP_Baudrate].Visible);
    EXPECT_EQ(ip.Row[brGAT].Label_Top, 96);
    EXPECT_EQ(ip.Row[brGAT].Control_Top, 94);
    EXPECT_EQ(ip.Row[brTimeOut_Polling].Label_Top, 208);
    for (Integer r = brIP; r <= brTimeOut_Polling; ++r)
        EXPECT_FALSE(mstp.Row[r].Visible) << r;
    // The baud-rate row takes the IP address row's place, the rest follow.
    EXPECT_EQ(mstp.Row[brMSTP_Baudrate].Label_Top, 40);
    EXPECT_EQ(mstp.Row[brMSTP_Baudrate].Control_Top, 37);
    EXPECT_EQ(mstp.Row[brMSTP_Device_Instance].Label_Top, 40 + 6 * 28);

    EXPECT_FALSE(Layout_BACnet_Master(0, true).Address_Enabled);
    EXPECT_TRUE(ip.Address_Enabled);
    EXPECT_FALSE(Ethernet_Panel_Shown(0));
    EXPECT_TRUE(Ethernet_Panel_Shown(1));
    EXPECT_TRUE(Ethernet_Panel_Shown(-1));
}

} // namespace
