// Conversions of the configuration files' texts into bank fields, on
// in-memory rows.

#include <gtest/gtest.h>

#include <bit>
#include <vector>

#include "image/USaveBincc.h"
#include "image/USaveBinccValues.h"
#include "ImageTestSupport.h"

namespace {

using TRow = TMap_Values;

std::vector<Byte> Stored(const BACnet_Request_Entry& e)
{
    Clear_BACnet_Table();
    BACnet_Request_Table[0] = e;
    std::vector<Byte> buffer(BACnet_Area_Size);
    Store_BACnet_Table(buffer.data(), 0);
    return std::vector<Byte>(buffer.begin(), buffer.begin() + 48);
}

std::vector<Byte> Stored(const LoRaWAN_Entry& e)
{
    Clear_LoRaWAN_Block();
    LoRaWAN_Uplink_Table[0] = e;
    std::vector<Byte> buffer(LoRaWAN_Area_Size);
    Store_LoRaWAN_Bank(buffer.data(), 0);
    return std::vector<Byte>(buffer.begin() + 1024, buffer.begin() + 1036);
}

} // namespace

TEST(RowSelection, TickedOrWithoutEnable)
{
    const std::pair<const char*, bool> cases[] = {
        {"Y", true}, {" y ", true}, {"\tY\n", true}, {"N", false}, {"", false},
        {"YES", false}, {"n", false}, {"X", false}};
    for (auto [text, selected] : cases)
        EXPECT_EQ(Row_Selected(TRow{{"Enable", text}}), selected) << text;
    EXPECT_TRUE(Row_Selected(TRow{}));
}

TEST(LoRaWANEntry, UplinkFields)
{
    LoRaWAN_Entry e;
    Fill_Uplink_Entry(e, TRow{{"StartByte", "10"}, {"NumByte", "4"}, {"OnChange", "Y"}, {"OnCMD", "N"},
                              {"OnTimer", "Y"}, {"Time", "60"}, {"FPort", "5"}}, true);
    EXPECT_EQ(Stored(e), (std::vector<Byte>{0x0A, 0, 0x04, 0, 0x05, 0x05, 0, 0, 0x3C, 0, 0, 0}));

    // Conditions: upper-cased, not trimmed; the period is kept whatever OnTimer says.
    Fill_Uplink_Entry(e, TRow{{"OnChange", " Y"}, {"OnCMD", "y"}, {"OnTimer", "N"}, {"Time", "60"}}, true);
    EXPECT_EQ(e.Conditions, 2);
    EXPECT_EQ(e.Time, 60u);

    // A row without attributes: start 0, 0 bytes, no conditions, port 2, period 30.
    Fill_Uplink_Entry(e, TRow{}, true);
    EXPECT_EQ(Stored(e), (std::vector<Byte>{0, 0, 0, 0, 0, 2, 0, 0, 30, 0, 0, 0}));

    // Large values keep their low-order bits.
    Fill_Uplink_Entry(e, TRow{{"StartByte", "70000"}, {"Time", "$1FFFFFFFF"}}, false);
    EXPECT_EQ(e.Start_Byte, 70000 & 0xFFFF);
    EXPECT_EQ(e.Time, 30u); // nine hexadecimal digits do not convert
}

TEST(LoRaWANEntry, PortByMode)
{
    const std::tuple<const char*, bool, int> cases[] = {
        {"5", true, 5}, {"", true, 2}, {"300", true, 44}, {"abc", true, 2},
        {"5", false, 2}, {"300", false, 2}};
    for (auto [port, variable, expected] : cases) {
        LoRaWAN_Entry up, down;
        Fill_Uplink_Entry(up, TRow{{"FPort", port}}, variable);
        Fill_Downlink_Entry(down, TRow{{"FPort", port}, {"OnTimer", "Y"}, {"Time", "60"}}, variable);
        EXPECT_EQ(up.Port, expected) << port << variable;
        EXPECT_EQ(down.Port, expected) << port << variable;
        EXPECT_EQ(down.Conditions, 0);
        EXPECT_EQ(down.Time, 0u);
    }
}

TEST(BACnetEntry, ReadRowGoldenBytes)
{
    BACnet_Request_Entry e;
    Fill_BACnet_Read_Entry(e, TRow{{"Enable", "Y"}, {"IP_Address_Slave_ID", "192.168.0.15"},
                                   {"Object_Type", "Analog Input"}, {"Instance", "3"},
                                   {"Property", "Present Value (85)"}, {"NumByte", "4"},
                                   {"Enable_Destination", "N"}, {"Destination_Network", "1"},
                                   {"Destination_Length", "1"}, {"Destination_Address", ""},
                                   {"PollTime", "1000"}, {"MaxError", "3"}, {"Position", "0"},
                                   {"StartBit", "0"}, {"Swap", "N"}, {"FloatToInt", "N"}},
                           0, QLatin1Char('.'));
    EXPECT_EQ(Stored(e), (std::vector<Byte>{0x0F, 0x00, 0xA8, 0xC0, 0, 0, 0, 0, 0x0C, 0, 0, 0x04, 0x02, 0, 0, 0,
                                            0x55, 0, 0, 0, 0x03, 0, 0, 0, 0xE8, 0x03, 0, 0, 0x03, 0, 0, 0,
                                            0x01, 0, 0x01, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80, 0x3F}));
}

TEST(BACnetEntry, DefaultsOfAnEmptyRow)
{
    BACnet_Request_Entry read, write;
    Fill_BACnet_Read_Entry(read, TRow{}, 1, QLatin1Char('.'));
    Fill_BACnet_Write_Entry(write, TRow{}, 2, QLatin1Char('.'));
    EXPECT_EQ(read.Device_Address[0], 1);      // MS/TP address defaults to 1
    EXPECT_EQ(read.Request_Flags, 4);
    EXPECT_EQ(read.Poll_Time, 1000u);
    EXPECT_EQ(read.Destination_Network, 1);
    EXPECT_EQ(read.Destination_Length, 1);
    EXPECT_EQ(read.Factor, 1.0f);
    EXPECT_EQ(write.Service, 15);
    EXPECT_EQ(write.Request_Flags, 8);
    EXPECT_EQ(write.Poll_Time, 0u);
    EXPECT_EQ(write.Device_Address[0], 0);     // other link types carry no address
}

TEST(BACnetEntry, WriteRowTriggersAndConversion)
{
    struct Case {
        TRow Row;
        LongWord Poll;
        Byte Flags;
    };
    const Case cases[] = {
        {TRow{{"OnTimer", "N"}, {"PollTime", "2000"}}, 0, 2},
        {TRow{{"OnTimer", " y "}, {"PollTime", "2000"}}, 2000, 2},
        {TRow{{"OnTimer", "Y"}}, 0, 2},                        // no PollTime at all
        {TRow{{"OnTimer", "Y"}, {"PollTime", "2s"}}, 1000, 2}, // does not convert
        {TRow{{"OnChange", "Y"}}, 0, 0x12},
    };
    for (const Case& c : cases) {
        BACnet_Request_Entry e;
        Fill_BACnet_Write_Entry(e, c.Row, 0, QLatin1Char('.'));
        EXPECT_EQ(e.Poll_Time, c.Poll);
        EXPECT_EQ(e.Request_Flags, c.Flags);
    }

    const TRegional_Separator regional(".");
    BACnet_Request_Entry e;
    Fill_BACnet_Write_Entry(e, TRow{{"Data_Type", " real "}, {"Priority", "8"}, {"Swap", "y"},
                                    {"Enable_Destination", "Y"}, {"IntToFloat", "Y"},
                                    {"MultiplicationFactor", "0,5"}}, 0, QLatin1Char('.'));
    EXPECT_EQ(e.Data_Type, 4);
    EXPECT_EQ(e.Priority, 8);
    EXPECT_EQ(e.Value_Flags, 1 | 2 | 4);
    EXPECT_EQ(std::bit_cast<LongWord>(e.Factor), 0x3F000000u);
}

TEST(BACnetEntry, FactorOnlyWithExactConversionFlag)
{
    const TRegional_Separator regional(".");
    const std::tuple<const char*, const char*, float> cases[] = {
        {"Y", "0.5", 0.5f}, {"Y", "-2.5e1", -25.0f}, {"y", "0.5", 1.0f}, {" Y", "0.5", 1.0f},
        {"Y", "abc", 1.0f}, {"Y", "", 1.0f}, {"N", "0.5", 1.0f}};
    for (auto [flag, factor, expected] : cases) {
        BACnet_Request_Entry e;
        Fill_BACnet_Read_Entry(e, TRow{{"FloatToInt", flag}, {"MultiplicationFactor", factor}}, 0,
                               QLatin1Char('.'));
        EXPECT_EQ(e.Factor, expected) << flag << " " << factor;
    }
}

TEST(BACnetEntry, NumbersAndCodes)
{
    const std::pair<const char*, LongWord> instances[] = {
        {"3", 3}, {"2147483647", 2147483647u}, {"2147483648", 2147483648u},
        {"4294967295", 4294967295u}, {"4294967296", 0}, {" +4000000000", 4000000000u},
        {"-1", 0xFFFFFFFFu}, {"4000000000 ", 0}, {"", 0}};
    for (auto [text, value] : instances) {
        BACnet_Request_Entry e;
        Fill_BACnet_Read_Entry(e, TRow{{"Instance", text}}, 0, QLatin1Char('.'));
        EXPECT_EQ(e.Instance, value) << text;
    }

    EXPECT_EQ(Property_Code(" present value (85) "), 85);
    EXPECT_EQ(Property_Code("PreScale (185)"), 185);
    EXPECT_EQ(Property_Code("4184303"), 0xD8EF);
    EXPECT_EQ(Property_Code("Present Value"), 0);
    EXPECT_EQ(Object_Type_Code("multi-state value"), 19);
    EXPECT_EQ(Object_Type_Code("Positive Integer Value"), 48);
    EXPECT_EQ(Object_Type_Code(" 130 "), 130);
    EXPECT_EQ(Object_Type_Code("Device"), 0);
    EXPECT_EQ(BACnet_Data_Type_Code("Object ID"), 12);
    EXPECT_EQ(BACnet_Data_Type_Code("Character String"), 7);
    EXPECT_EQ(BACnet_Data_Type_Code("4"), 0);
}

TEST(BACnetEntry, RemoteDeviceAddress)
{
    const std::tuple<const char*, int, LongWord> cases[] = {
        {"192.168.0.15", 0, 0xC0A8000Fu}, {" 10 . 0 . 0 . 1 ", 0, 0x0A000001u},
        {"192.168.0", 0, 0}, {"", 0, 0}, {"1.2.3.4.5", 0, 0x01020300u}, {"$C0.168.0.1", 0, 0xC0A80001u},
        {"7", 1, 7}, {"", 1, 1}, {" 7", 1, 7}, {"7 ", 1, 1}, {"7", 2, 0}};
    for (auto [text, type, value] : cases)
        EXPECT_EQ(IP_Or_ID_Value(text, type), value) << text << " type " << type;

    BACnet_Request_Entry e;
    Fill_BACnet_Read_Entry(e, TRow{{"IP_Address_Slave_ID", "300"}}, 1, QLatin1Char('.'));
    EXPECT_EQ(std::vector<Byte>(e.Device_Address, e.Device_Address + 8),
              (std::vector<Byte>{44, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(BACnetEntry, Destination)
{
    struct Case {
        const char* Length;
        const char* Address;
        Byte Size;
        std::vector<Byte> Bytes;
    };
    const Case cases[] = {
        {"6", "192.168.0.15:47808", 6, {0xC0, 0xA8, 0x00, 0x0F, 0xBA, 0xC0, 0, 0}},
        {"6", "192.168.0.15", 6, {0, 0, 0, 0, 0, 0, 0, 0}},
        {"2", "1000", 2, {0x03, 0xE8, 0, 0, 0, 0, 0, 0}},
        {"2", "", 2, {0x00, 0x01, 0, 0, 0, 0, 0, 0}},
        {"1", "200", 1, {200, 0, 0, 0, 0, 0, 0, 0}},
        {"1", "", 1, {0, 0, 0, 0, 0, 0, 0, 0}},
        {"", "5", 1, {5, 0, 0, 0, 0, 0, 0, 0}},
        {"M3", "10, 300 ,12", 3, {0x0A, 0x00, 0x0C, 0, 0, 0, 0, 0}},
        {" m2 ", ",7", 2, {0, 7, 0, 0, 0, 0, 0, 0}},
        {"M", "1,2,", 1, {1, 2, 0, 0, 0, 0, 0, 0}},
        // More items than the field holds: the rest is dropped.
        {"M8", "1,2,3,4,5,6,7,8,9,10", 8, {1, 2, 3, 4, 5, 6, 7, 8}},
    };
    for (const Case& c : cases) {
        BACnet_Request_Entry e;
        Fill_BACnet_Read_Entry(e, TRow{{"Destination_Length", c.Length}, {"Destination_Address", c.Address}},
                               0, QLatin1Char('.'));
        EXPECT_EQ(e.Destination_Length, c.Size) << c.Length << " " << c.Address;
        EXPECT_EQ(std::vector<Byte>(e.Destination_Address, e.Destination_Address + 8), c.Bytes)
            << c.Length << " " << c.Address;
        EXPECT_EQ(e.Destination_Network, 1);
    }
}
