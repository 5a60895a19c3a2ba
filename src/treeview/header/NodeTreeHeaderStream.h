#pragma once
// Reading and writing the header stream record and its columns block: 32-bit
// little-endian integers, and the lengths and ordinals in it checked before
// anything is taken from them.

#include <QtEndian>

#include "platform/Streams.h"
#include "platform/Types.h"

namespace nodetreeheader {

inline Integer ReadInt(TStream* Stream)
{
    qint32 v = 0;
    Stream->ReadBuffer(&v, 4);
    return Integer(qFromLittleEndian(v));
}

inline void WriteInt(TStream* Stream, Integer Value)
{
    const qint32 v = qToLittleEndian(qint32(Value));
    Stream->WriteBuffer(&v, 4);
}

// A count of items of ItemSize bytes that follow: one the stream cannot hold
// is a read error before anything is allocated for it.
inline Integer ReadLength(TStream* Stream, Integer ItemSize)
{
    const Integer n = ReadInt(Stream);
    if (n < 0 || Int64(n) * ItemSize > Stream->Size() - Stream->Position())
        throw EReadError(QStringLiteral("Stream read error"));
    return n;
}

// A size in pixels (a width, height, margin or spacing): one beyond what any
// screen shows is refused, so that the sums of the layout cannot overflow.
inline Integer ReadPixels(TStream* Stream)
{
    const Integer v = ReadInt(Stream);
    if (v < -32768 || v > 32767)
        throw EReadError(QStringLiteral("Invalid property value"));
    return v;
}

// An enumeration stored as an integer, from its low byte; a value beyond the
// enumeration's last one is refused.
template <class E>
E ReadOrdinal(TStream* Stream, E Last)
{
    const Integer v = ReadInt(Stream) & 0xFF;
    if (v > Integer(Last))
        throw EReadError(QStringLiteral("Invalid property value"));
    return E(v);
}

} // namespace nodetreeheader
