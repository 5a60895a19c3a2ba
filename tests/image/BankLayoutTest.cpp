// Layout of the two banks: cleared images, field order, little-endian
// packing and the parameter block checksum.

#include <gtest/gtest.h>

#include <vector>

#include "image/USaveBincc.h"

namespace {

LongWord U32At(const Byte* b, int offset)
{
    return LongWord(b[offset]) | LongWord(b[offset + 1]) << 8 | LongWord(b[offset + 2]) << 16
         | LongWord(b[offset + 3]) << 24;
}

std::vector<Byte> Bytes(const Byte* b, int offset, int count)
{
    return std::vector<Byte>(b + offset, b + offset + count);
}

} // namespace

TEST(ParamBlock, ChecksumSumsBytesBeforeItself)
{
    std::vector<Byte> block(Param_Block_Size, 0xFF);
    EXPECT_EQ(Param_Block_Checksum(block.data()), 521220u);
    block[17] = 0x10; // lowers the sum by the byte's difference
    EXPECT_EQ(Param_Block_Checksum(block.data()), 521220u - 0xEF);
    block[2044] = block[2047] = 0; // the checksum's own bytes do not count
    EXPECT_EQ(Param_Block_Checksum(block.data()), 521220u - 0xEF);
}

TEST(ParamBlock, StoreWritesChecksumLittleEndianAndAppends)
{
    Clear_Param_Block();
    std::vector<Byte> buffer(Param_Block_Size + 10, 0xAA);
    EXPECT_EQ(Store_Param_Block(buffer.data(), 10), 10 + Param_Block_Size);
    EXPECT_EQ(buffer[9], 0xAA);
    // Cleared block without the area addresses: 3506 - 40 - 8.
    EXPECT_EQ(U32At(buffer.data(), 10 + Param_Checksum_Offset), 3458u);
    EXPECT_EQ(Bytes(buffer.data(), 10, 16),
              (std::vector<Byte>{0x90, 0xD0, 0x03, 0, 0x90, 0xD0, 0x03, 0, 0, 0, 0, 0, 0x80, 0x25, 0, 0}));
    EXPECT_EQ(Bytes(buffer.data(), 10 + 40, 18),
              (std::vector<Byte>{192, 168, 2, 205, 255, 255, 255, 0, 255, 255, 255, 255,
                                 0x10, 0x27, 0x11, 0x27, 0x11, 0x27}));
    EXPECT_EQ(Bytes(buffer.data(), 10 + 436, 8), (std::vector<Byte>(8, 8)));
}

TEST(ParamBlock, PadAndBaudConversions)
{
    EXPECT_EQ(Pad_Hex_Text("ABC", 8), "00000ABC");
    EXPECT_EQ(Pad_Hex_Text("0123456789", 8), "0123456789");
    EXPECT_EQ(Pad_Hex_Text("", 4), "0000");
    const std::pair<int, LongWord> bauds[] = {
        {0, 9600}, {1, 19200}, {2, 38400}, {3, 57600}, {4, 76800}, {5, 115200}, {6, 9600}, {9, 9600}, {-1, 9600}};
    for (auto [index, rate] : bauds)
        EXPECT_EQ(Baud_Rate_Of_Index(index), rate) << index;
}

TEST(LoRaWANArea, ClearedHeadAndEntriesSerialise)
{
    Clear_LoRaWAN_Block();
    LoRaWAN_Head.Uplink_Table_Address = 0x80400;
    LoRaWAN_Head.Downlink_Table_Address = 0x81000;
    LoRaWAN_Head.Uplink_Count = 2;
    LoRaWAN_Head.Downlink_Count = 0x123;
    LoRaWAN_Head.JoinEUI[0] = 0x70;
    LoRaWAN_Head.JoinEUI[7] = 0x07;
    LoRaWAN_Uplink_Table[1] = {10, 4, 5, 5, 60};
    LoRaWAN_Downlink_Table[255] = {0x1234, 2, 0, 2, 0};

    std::vector<Byte> buffer(LoRaWAN_Area_Size + 4, 0xAA);
    EXPECT_EQ(Store_LoRaWAN_Bank(buffer.data(), 4), 4 + LoRaWAN_Area_Size);
    const Byte* area = buffer.data() + 4;

    std::vector<Byte> head(88, 0);
    head[3] = 6;
    head[8] = 0x70;
    head[15] = 0x07;
    head[66] = 1;
    head[68] = 1;
    head[72] = 0x00; head[73] = 0x04; head[74] = 0x08;
    head[76] = 0x00; head[77] = 0x10; head[78] = 0x08;
    head[80] = 2;
    head[82] = 0x23; head[83] = 0x01;
    head[85] = 5;
    EXPECT_EQ(Bytes(area, 0, 88), head);
    EXPECT_EQ(Bytes(area, 1024 + 12, 12), (std::vector<Byte>{0x0A, 0, 0x04, 0, 0x05, 0x05, 0, 0, 0x3C, 0, 0, 0}));
    EXPECT_EQ(Bytes(area, 4096 + 255 * 12, 12), (std::vector<Byte>{0x34, 0x12, 2, 0, 0, 2, 0, 0, 0, 0, 0, 0}));

    // Everything else of the area is zero: the gaps and the unused entries.
    int nonzero = 0;
    for (int i = 88; i < LoRaWAN_Area_Size; ++i)
        if (area[i] != 0 && !(i >= 1036 && i < 1048) && !(i >= 4096 + 255 * 12 && i < 7168))
            ++nonzero;
    EXPECT_EQ(nonzero, 0);
}

TEST(BACnetArea, EntrySerialisesFieldByField)
{
    Clear_BACnet_Table();
    BACnet_Request_Entry& e = BACnet_Request_Table[1023];
    const Byte address[8] = {0x0F, 0x00, 0xA8, 0xC0, 0, 0, 0, 0};
    std::copy(address, address + 8, e.Device_Address);
    e.Service = 12;
    e.Num_Byte = 4;
    e.Request_Flags = 2;
    e.Property = 85;
    e.Max_Error = 3;
    e.Poll_Time = 1000;
    e.Instance = 0xFFFFFFFE;
    e.Destination_Network = 1;
    e.Destination_Length = 1;
    e.Destination_Address[7] = 0x99;
    e.Factor = 1.0f;

    std::vector<Byte> buffer(BACnet_Area_Size, 0xAA);
    EXPECT_EQ(Store_BACnet_Table(buffer.data(), 0), BACnet_Area_Size);
    EXPECT_EQ(Bytes(buffer.data(), 1023 * 48, 48),
              (std::vector<Byte>{0x0F, 0x00, 0xA8, 0xC0, 0, 0, 0, 0, 0x0C, 0, 0, 0x04, 0x02, 0, 0, 0,
                                 0x55, 0, 0, 0, 0x03, 0, 0, 0, 0xE8, 0x03, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF,
                                 0x01, 0, 0x01, 0, 0, 0, 0, 0, 0, 0, 0x99, 0, 0, 0, 0x80, 0x3F}));
    EXPECT_EQ(Bytes(buffer.data(), 0, 1023 * 48), std::vector<Byte>(1023 * 48, 0));
}
