#pragma once
// Wireless M-Bus telegrams as a converter forwards them, for the scan
// engine's tests, with the encryption the meters use.

#include <QByteArray>
#include <array>

#include "platform/Types.h"

using TKey = std::array<Byte, 16>;

// The datagram of one telegram: Telit (L-field, L bytes, one more byte and
// the signal strength) or RadioCrafts (the signal strength counted in L).
// AfterId starts with the CI field.
QByteArray Wireless_Datagram(bool Telit, Byte C, Word Manufacturer, LongWord Id, Byte Version, Byte DeviceType,
                             const QByteArray& AfterId, Byte Rssi = 80);

// CBC encryption of whole blocks.
QByteArray Encrypt_CBC(const QByteArray& Plain, const TKey& Key, const QByteArray& IV);

// Mode 5 behind an extended link layer (CI 0x8C, then 0x7A): the payload
// (whole blocks, starting 2F 2F) encrypted under Key.
QByteArray Mode5_Datagram(Word Manufacturer, LongWord Id, Byte Version, Byte DeviceType, Byte Access,
                          const QByteArray& Payload, const TKey& Key);

// Mode 7 behind an extended link layer and an authentication and
// fragmentation layer with message counter and an 8-byte MAC.
QByteArray Mode7_Datagram(Word Manufacturer, LongWord Id, Byte Version, Byte DeviceType, LongWord Counter,
                          const QByteArray& Payload, const TKey& Key, Byte Rssi = 80);

// One data record: a 32-bit volume of Value litres.
QByteArray Volume_Records(LongWord Value);

// 2F 2F, the records, and idle fillers up to whole blocks: a payload to encrypt.
QByteArray Block_Payload(const QByteArray& Records);

// A long frame captured from a real meter (tests/data/mbus/frames/Name.hex).
QByteArray Meter_Frame(const QString& Name);
