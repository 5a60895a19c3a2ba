// The parameter block and the LoRaWAN radio fields filled from the values of
// ParGen.xml, on in-memory values.

#include <gtest/gtest.h>

#include <vector>

#include "image/USaveBincc.h"
#include "image/USaveBinccValues.h"
#include "ImageTestSupport.h"

namespace {

using TParGen = TMap_Values;

void Fill(const TParGen& values)
{
    Clear_Param_Block();
    Clear_LoRaWAN_Block();
    Fill_Param_Block(values);
}

std::vector<Byte> Block(int offset, int count)
{
    return std::vector<Byte>(Param_Block + offset, Param_Block + offset + count);
}

LongWord U32(int offset)
{
    return LongWord(Param_Block[offset]) | LongWord(Param_Block[offset + 1]) << 8
         | LongWord(Param_Block[offset + 2]) << 16 | LongWord(Param_Block[offset + 3]) << 24;
}

} // namespace

TEST(ParGenFill, EmptyRootGivesTheDefaults)
{
    Fill(TParGen{});
    EXPECT_EQ(Block(40, 12), (std::vector<Byte>{192, 168, 0, 5, 255, 255, 255, 0, 255, 255, 255, 255}));
    EXPECT_EQ(U32(58) & 0xFFFF, 47808u);
    EXPECT_EQ(Block(80, 16), (std::vector<Byte>{'d', 'e', 'v', 'i', 'c', 'e', 'n', 'a', 'm', 'e', '1', 0, 0, 0, 0, 0}));
    EXPECT_EQ(Param_Block[96], 4);
    EXPECT_EQ(Param_Block[97], 0);
    EXPECT_EQ(U32(264), 2000u);
    EXPECT_EQ(U32(308), 0u);
    EXPECT_EQ(Block(1644, 8), (std::vector<Byte>{'1', '.', '0', '0', '6', 0, 0, 0}));
    EXPECT_EQ(U32(420), 19200u);
    EXPECT_EQ(Block(429, 1)[0], 0);
    EXPECT_EQ(Param_Block[435], 1);
    EXPECT_EQ(Param_Block[441], 8);
    EXPECT_EQ(U32(400), 0u); // MS/TP settings stay cleared
    EXPECT_EQ(Master_Type_Code, 0);

    const LoRaWAN_Head_Record& h = LoRaWAN_Head;
    EXPECT_EQ(h.Data_Rate, 0);
    EXPECT_EQ(h.Payload_Size, 1);
    EXPECT_EQ(h.Transmit_Interval, 1u);
    EXPECT_EQ(h.Frequency_SubBand, 1);
    EXPECT_EQ(h.LNCHECK, 5);
    EXPECT_EQ(h.Port_Mode, 0);

    // With the area addresses and a request count of 0 the block sums to 5312.
    Param_Block[PB_BACnet_Area_Address + 1] = 0x20;
    Param_Block[PB_BACnet_Area_Address + 2] = 0x08;
    Param_Block[PB_LoRaWAN_Area_Address + 2] = 0x08;
    EXPECT_EQ(Param_Block_Checksum(Param_Block), 5312u);
}

TEST(ParGenFill, BACnetIPAndEthernetAddresses)
{
    Fill(TParGen{{"Ethernet_IP1", "10"}, {"BACnet_Master_IP1", "172"}, {"BACnet_Master_IP2", "16"},
                 {"BACnet_Master_IP3", "1"}, {"BACnet_Master_IP4", "300"}, {"BACnet_Master_EN_GAT", "1"},
                 {"BACnet_Master_GAT4", "254"}, {"BACnet_Master_Port", "47809"},
                 {"BACnet_Master_IP_Device_Name", "a-very-long-device-name"},
                 {"BACnet_Master_Dev_Instance", "4194303"}, {"BACnet_Master_TimeOut_Polling", "x"}});
    EXPECT_EQ(Block(40, 12), (std::vector<Byte>{172, 16, 1, 44, 255, 255, 255, 0, 192, 168, 0, 254}));
    EXPECT_EQ(U32(58) & 0xFFFF, 47809u);
    EXPECT_EQ(Block(80, 16), (std::vector<Byte>{'a', '-', 'v', 'e', 'r', 'y', '-', 'l', 'o', 'n', 'g', '-', 'd', 'e', 'v', 0}));
    EXPECT_EQ(U32(308), 4194303u);
    EXPECT_EQ(U32(264), 2000u);

    // Gateway off unless exactly "0"... or missing; any other text keeps it.
    for (const char* text : {"0", "yes"}) {
        Fill(TParGen{{"BACnet_Master_EN_GAT", text}});
        EXPECT_EQ(Block(48, 4), QString(text) == "0" ? std::vector<Byte>(4, 255)
                                                     : (std::vector<Byte>{192, 168, 0, 1}))
            << text;
    }
}

TEST(ParGenFill, MSTPKeepsEthernetAndClearsIPFields)
{
    Fill(TParGen{{"BACnet_Master_Type", "1"}, {"BACnet_Master_Port", "47808"},
                 {"BACnet_Master_TimeOut_Polling", "3000"}, {"Ethernet_IP4", "77"}, {"Ethernet_EN_GAT", "1"},
                 {"BACnet_Master_Ser_Baud", "5"}, {"BACnet_Master_Ser_Par", "2"},
                 {"BACnet_Master_Ser_MAC_Address", "12"}, {"BACnet_Master_Ser_Device_Name", ""},
                 {"BACnet_Master_Ser_Dev_Instance", "99"}});
    EXPECT_EQ(Master_Type_Code, 1);
    EXPECT_EQ(Block(40, 12), (std::vector<Byte>{192, 168, 0, 77, 255, 255, 255, 0, 192, 168, 0, 1}));
    EXPECT_EQ(Param_Block[96], 0);
    EXPECT_EQ(Param_Block[97], 0x20);
    EXPECT_EQ(U32(58) & 0xFFFF, 0u);
    EXPECT_EQ(U32(264), 0u);
    EXPECT_EQ(Block(400, 4), (std::vector<Byte>{0x00, 0xC2, 0x01, 0x00}));
    EXPECT_EQ(Block(412, 4), (std::vector<Byte>{0x00, 0xC2, 0x01, 0x00}));
    EXPECT_EQ(Param_Block[424], 2);
    EXPECT_EQ(Param_Block[427], 2);
    EXPECT_EQ(Block(430, 12), (std::vector<Byte>{0, 0, 0, 0, 0, 1, 8, 8, 8, 8, 8, 8}));
    EXPECT_EQ(Block(256, 3), (std::vector<Byte>{12, 1, 1}));
    EXPECT_EQ(Block(80, 16), std::vector<Byte>(16, 0)); // present but empty name
    EXPECT_EQ(U32(308), 99u);

    Fill(TParGen{{"BACnet_Master_Type", "1"}, {"BACnet_Master_Ser_Baud", "9"}});
    EXPECT_EQ(U32(400), 9600u);
    Fill(TParGen{{"BACnet_Master_Type", "2"}});
    EXPECT_EQ(Param_Block[97], 2);
    EXPECT_EQ(Param_Block[96], 0);
}

TEST(ParGenFill, ConnectionNameDHCPAndDNS)
{
    const QString forty = QString(40, QLatin1Char('h'));
    Fill(TParGen{{"Eth_Conn_Device_Name", forty}, {"Eth_Conn_DHCP_Cable", "1"}, {"Eth_Conn_DHCP_WiFi", "1"},
                 {"Eth_Conn_Enable_DNS", "1"}, {"Eth_Conn_Primary_DNS1", "1"}});
    EXPECT_EQ(Block(1300, 32), [] {
        std::vector<Byte> v(31, 'h');
        v.push_back(0);
        return v;
    }());
    EXPECT_EQ(Param_Block[1256], 3);
    EXPECT_EQ(Block(1420, 4), (std::vector<Byte>{1, 8, 8, 8}));
    EXPECT_EQ(Block(1340, 4), (std::vector<Byte>{8, 8, 4, 4}));

    // DNS off (any text but "1"): both addresses stay 0.0.0.0 after a compile with DNS on.
    Fill(TParGen{{"Eth_Conn_Enable_DNS", "true"}, {"Eth_Conn_DHCP_Cable", " 1"}});
    EXPECT_EQ(Block(1420, 4), std::vector<Byte>(4, 0));
    EXPECT_EQ(Block(1340, 4), std::vector<Byte>(4, 0));
    EXPECT_EQ(Param_Block[1256], 0);
}

TEST(ParGenFill, RadioCodesAndDataRate)
{
    const std::pair<const char*, int> bands[] = {
        {"AS923", 0}, {"AU915", 1}, {"eu868", 5}, {" KR920 ", 6}, {"IN865", 7}, {"US915", 8},
        {"US915-Hybrid", 9}, {"CN470", 0}, {"", 0}};
    for (auto [text, code] : bands)
        EXPECT_EQ(RF_Band_Code(text), code) << text;
    EXPECT_EQ(Network_Type_Code("Public"), 1);
    EXPECT_EQ(Network_Type_Code("Private"), 0);
    EXPECT_EQ(Activation_Code("Over-the-Air Activation [OTAA]"), 1);
    EXPECT_EQ(Activation_Code("Activation by Personalization [ABP]"), 0);
    EXPECT_EQ(Transmission_Type_Code("Confirmed"), 1);
    EXPECT_EQ(Transmission_Type_Code("confirmed"), 0);
    EXPECT_EQ(Transmission_Type_Code("Unconfirmed"), 0);

    const std::pair<const char*, int> rates[] = {
        {"10 - LoRa: SF10/500kHz 3900 [bit/s]", 10}, {"6\t- LoRa: SF7/250kHz 11000 [bit/s]", 6},
        {"- LoRa", 0}, {"12", 0}, {"x - y", 0}};
    for (auto [text, rate] : rates) {
        Fill(TParGen{{"LoRa_DataRate", text}});
        EXPECT_EQ(LoRaWAN_Head.Data_Rate, rate) << text;
    }

    Fill(TParGen{{"LoRa_RF_Band", "US915-Hybrid"}, {"LoRa_Network_Type", "Public"},
                 {"LoRa_Adaptive_DataRate", "1"}, {"LoRa_Transmission_Type", "Confirmed"},
                 {"LoRa_Payload_Size", "242"}, {"LoRa_FPort", " variable "}, {"LoRa_Frequency_SubBand", "2"},
                 {"LoRa_LNCHECK", "60"}, {"LoRa_Transmit_Interval", "70000"}});
    const LoRaWAN_Head_Record& h = LoRaWAN_Head;
    EXPECT_EQ(h.RF_Band, 9);
    EXPECT_EQ(h.Network_Type, 1);
    EXPECT_EQ(h.Adaptive_Data_Rate, 1);
    EXPECT_EQ(h.Transmission_Type, 1);
    EXPECT_EQ(h.Payload_Size, 242);
    EXPECT_EQ(h.Port_Mode, 1);
    EXPECT_EQ(h.Frequency_SubBand, 2);
    EXPECT_EQ(h.LNCHECK, 60);
    EXPECT_EQ(h.Transmit_Interval, 70000u);
}

TEST(ParGenFill, HexKeysByActivation)
{
    Fill(TParGen{{"LoRa_Device_Address", "0123ABCD"}, {"LoRa_JoinEUI", "70B3D57ED0000001"},
                 {"LoRa_Network_Session_Key", "ABC"}, {"LoRa_Application_Session_Key", "0G"},
                 {"LoRa_Application_Key", "FF"}});
    const LoRaWAN_Head_Record& h = LoRaWAN_Head;
    EXPECT_EQ(std::vector<Byte>(h.Device_Address, h.Device_Address + 4), (std::vector<Byte>{0x01, 0x23, 0xAB, 0xCD}));
    EXPECT_EQ(std::vector<Byte>(h.JoinEUI, h.JoinEUI + 8),
              (std::vector<Byte>{0x70, 0xB3, 0xD5, 0x7E, 0xD0, 0x00, 0x00, 0x01}));
    std::vector<Byte> nwk(16, 0);
    nwk[14] = 0x0A;
    nwk[15] = 0xBC;
    EXPECT_EQ(std::vector<Byte>(h.Network_Session_Key, h.Network_Session_Key + 16), nwk);
    EXPECT_EQ(std::vector<Byte>(h.Application_Session_Key, h.Application_Session_Key + 16),
              std::vector<Byte>(16, 0)); // "0G" is no hexadecimal pair
    EXPECT_EQ(std::vector<Byte>(h.Application_Key, h.Application_Key + 16), std::vector<Byte>(16, 0));

    // OTAA: only the application key; the ABP keys are not compiled.
    Fill(TParGen{{"LoRa_Activation_Method", "Over-the-Air Activation [OTAA]"},
                 {"LoRa_Device_Address", "0123ABCD"}, {"LoRa_Application_Key", "00112233445566778899AABBCCDDEEFF"}});
    EXPECT_EQ(h.Activation_Method, 1);
    EXPECT_EQ(std::vector<Byte>(h.Device_Address, h.Device_Address + 4), std::vector<Byte>(4, 0));
    EXPECT_EQ(h.Application_Key[0], 0x00);
    EXPECT_EQ(h.Application_Key[1], 0x11);
    EXPECT_EQ(h.Application_Key[15], 0xFF);

    // A key longer than its field never writes past the field.
    Fill(TParGen{{"LoRa_Device_Address", "0123456789AB"}});
    EXPECT_EQ(std::vector<Byte>(h.Device_Address, h.Device_Address + 4), (std::vector<Byte>{0x01, 0x23, 0x45, 0x67}));
    EXPECT_EQ(std::vector<Byte>(h.JoinEUI, h.JoinEUI + 8), std::vector<Byte>(8, 0));
    Byte field[3] = {0, 0, 0xEE};
    Hex_Text_To_Bytes("ABCDE", field, 2);
    EXPECT_EQ(field[0], 0xAB);
    EXPECT_EQ(field[1], 0xCD);
    EXPECT_EQ(field[2], 0xEE);
}
