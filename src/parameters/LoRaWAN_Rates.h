#pragma once
// The LoRaWAN radio bands the converter offers, the data rates of each band
// and the largest application payload each data rate allows. The texts are
// stored as they stand in ParGen.xml and read back by the compiler, so every
// comparison with them is exact, separators (tabs or spaces) included.

#include "platform/Types.h"

#include <QString>

// Bands, in the order of the band list: "AS923", "AU915", "EU868", "KR920",
// "IN865", "US915", "US915-Hybrid".
constexpr Integer LoRa_Band_Count = 7;
QString LoRa_Band_Text(Integer band);
// The band whose text equals text exactly, or -1.
Integer LoRa_Band_Index(const QString& text);

// Data-rate items of a band, in list order (none for a band outside the list).
Integer LoRa_DataRate_Count(Integer band);
QString LoRa_DataRate_Text(Integer band, Integer item);
// The item of the band whose text equals text exactly, or -1.
Integer LoRa_DataRate_Index(Integer band, const QString& text);

// Maximum payload in bytes of a band and data-rate text; 0 when either is
// not in the tables.
Integer LoRa_Max_Payload(const QString& band, const QString& dataRate);
