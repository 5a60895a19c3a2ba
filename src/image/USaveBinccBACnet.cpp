// Bank 2, second area: the BACnet read and write requests the converter
// sends as a BACnet client.

#include <bit>

#include "image/USaveBincc.h"
#include "image/USaveBinccBytes.h"

void Clear_BACnet_Table()
{
    for (BACnet_Request_Entry& e : BACnet_Request_Table)
        e = BACnet_Request_Entry{};
}

namespace {

Integer Store_Entry(Byte* b, Integer p, const BACnet_Request_Entry& e)
{
    p = Put_Bytes(b, p, e.Device_Address, 8);
    p = Put_U8(b, p, e.Service);
    p = Put_U8(b, p, e.Data_Type);
    p = Put_U8(b, p, e.Priority);
    p = Put_U8(b, p, e.Num_Byte);
    p = Put_U8(b, p, e.Request_Flags);
    p = Put_U8(b, p, e.Start_Bit);
    p = Put_U8(b, p, e.Value_Flags);
    p = Put_Zeros(b, p, 1);
    p = Put_U16(b, p, e.Property);
    p = Put_U16(b, p, e.Object_Type);
    p = Put_U16(b, p, e.Max_Error);
    p = Put_U16(b, p, e.Position);
    p = Put_U32(b, p, e.Poll_Time);
    p = Put_U32(b, p, e.Instance);
    p = Put_U16(b, p, e.Destination_Network);
    p = Put_U8(b, p, e.Destination_Length);
    p = Put_Bytes(b, p, e.Destination_Address, 8);
    p = Put_Zeros(b, p, 1);
    return Put_U32(b, p, std::bit_cast<LongWord>(e.Factor));
}

} // namespace

Integer Store_BACnet_Table(Byte* buffer, Integer position)
{
    Integer p = position;
    for (const BACnet_Request_Entry& e : BACnet_Request_Table)
        p = Store_Entry(buffer, p, e);
    return p;
}
