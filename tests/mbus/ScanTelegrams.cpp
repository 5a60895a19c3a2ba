#include "ScanTelegrams.h"

#include "mbus/AES.h"
#include "platform/Streams.h"

#include <QFile>

#include <cstring>

QByteArray Wireless_Datagram(bool Telit, Byte C, Word Manufacturer, LongWord Id, Byte Version, Byte DeviceType,
                             const QByteArray& AfterId, Byte Rssi)
{
    QByteArray body;
    body += char(C);
    body += char(Manufacturer & 0xFF);
    body += char(Manufacturer >> 8);
    for (int i = 0; i < 4; ++i)
        body += char(Byte(Id >> (8 * i)));
    body += char(Version);
    body += char(DeviceType);
    body += AfterId;
    QByteArray d;
    d += char(Telit ? body.size() : body.size() + 1);
    d += body;
    if (Telit)
        d += char(0x00);
    d += char(Rssi);
    return d;
}

QByteArray Encrypt_CBC(const QByteArray& Plain, const TKey& Key, const QByteArray& IV)
{
    const TAESExpandedKey128 k = AES_Expand_Key(Key);
    TAESBuffer chain {};
    std::memcpy(chain.data(), IV.constData(), 16);
    QByteArray out;
    for (int b = 0; b + 16 <= Plain.size(); b += 16) {
        TAESBuffer block;
        std::memcpy(block.data(), Plain.constData() + b, 16);
        chain = AES_Encrypt_Block(Block_Xor(block, chain), k);
        out += QByteArray(reinterpret_cast<const char*>(chain.data()), 16);
    }
    return out;
}

QByteArray Mode5_Datagram(Word Manufacturer, LongWord Id, Byte Version, Byte DeviceType, Byte Access,
                          const QByteArray& Payload, const TKey& Key)
{
    QByteArray iv;
    iv += char(Manufacturer & 0xFF);
    iv += char(Manufacturer >> 8);
    for (int i = 0; i < 4; ++i)
        iv += char(Byte(Id >> (8 * i)));
    iv += char(Version);
    iv += char(DeviceType);
    iv += QByteArray(8, char(Access));
    QByteArray after("\x8C\x20", 2);
    after += char(Access);
    after += char(0x7A);
    after += char(Access);
    after += char(0x00);                        // status
    after += char(Byte((Payload.size() / 16) << 4)); // configuration low: blocks
    after += char(0x05);                        // configuration high: mode 5
    after += Encrypt_CBC(Payload, Key, iv);
    return Wireless_Datagram(true, 0x44, Manufacturer, Id, Version, DeviceType, after);
}

QByteArray Mode7_Datagram(Word Manufacturer, LongWord Id, Byte Version, Byte DeviceType, LongWord Counter,
                          const QByteArray& Payload, const TKey& Key, Byte Rssi)
{
    // Payload key: CMAC of 00, counter, identification, seven 07 bytes.
    Byte block[16] = {0x00};
    for (int i = 0; i < 4; ++i) {
        block[1 + i] = Byte(Counter >> (8 * i));
        block[5 + i] = Byte(Id >> (8 * i));
    }
    std::memset(block + 9, 0x07, 7);
    TMemoryStream s;
    s.Write(block, 16);
    const TAESBuffer payloadKey = AES_CMAC_Stream(&s, 16, Key);

    QByteArray afl;
    afl += char(0x00);
    afl += char(0x2C); // fragmentation control: message control, counter, MAC
    afl += char(0x05); // authentication type 5: 8-byte MAC
    for (int i = 0; i < 4; ++i)
        afl += char(Byte(Counter >> (8 * i)));
    afl += QByteArray(8, char(0x5A)); // MAC (not checked)
    QByteArray after("\x8C\x20\x11\x90", 4);
    after += char(afl.size());
    after += afl;
    after += char(0x7A);
    after += char(0x11); // access number
    after += char(0x00); // status
    after += char(Byte((Payload.size() / 16) << 4));
    after += char(0x07); // mode 7
    after += char(0x00); // configuration extension
    after += Encrypt_CBC(Payload, payloadKey, QByteArray(16, '\0'));
    return Wireless_Datagram(true, 0x44, Manufacturer, Id, Version, DeviceType, after, Rssi);
}

QByteArray Volume_Records(LongWord Value)
{
    QByteArray r("\x04\x13", 2);
    for (int i = 0; i < 4; ++i)
        r += char(Byte(Value >> (8 * i)));
    return r;
}

QByteArray Block_Payload(const QByteArray& Records)
{
    QByteArray p = QByteArray("\x2F\x2F", 2) + Records;
    while (p.size() % 16 != 0)
        p += char(0x2F);
    return p;
}

QByteArray Meter_Frame(const QString& Name)
{
    QFile f(QStringLiteral(TEST_DATA_DIR "/mbus/frames/") + Name + QStringLiteral(".hex"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QByteArray hex = f.readAll();
    hex.replace(' ', "").replace('\n', "").replace('\r', "");
    return QByteArray::fromHex(hex);
}
