#pragma once
// Little-endian byte writers shared by the bank serialisers: each writes at
// the position and returns the position after what it wrote.

#include <cstring>

#include "platform/Types.h"

inline Integer Put_U8(Byte* buffer, Integer position, unsigned value)
{
    buffer[position] = Byte(value & 0xFF);
    return position + 1;
}

inline Integer Put_U16(Byte* buffer, Integer position, unsigned value)
{
    buffer[position] = Byte(value & 0xFF);
    buffer[position + 1] = Byte((value >> 8) & 0xFF);
    return position + 2;
}

inline Integer Put_U32(Byte* buffer, Integer position, LongWord value)
{
    for (int i = 0; i < 4; ++i)
        buffer[position + i] = Byte((value >> (8 * i)) & 0xFF);
    return position + 4;
}

inline Integer Put_Bytes(Byte* buffer, Integer position, const Byte* bytes, Integer count)
{
    std::memcpy(buffer + position, bytes, size_t(count));
    return position + count;
}

inline Integer Put_Zeros(Byte* buffer, Integer position, Integer count)
{
    std::memset(buffer + position, 0, size_t(count));
    return position + count;
}
