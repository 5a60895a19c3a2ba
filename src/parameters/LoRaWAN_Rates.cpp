#include "parameters/LoRaWAN_Rates.h"

#include <array>
#include <span>

namespace {

struct TRate {
    const char16_t* Text;
    Byte MaxPayload;
};

constexpr TRate AS923[] = {
    {u"0\t- LoRa: SF12/125kHz 250 [bit/s]", 59}, {u"1\t- LoRa: SF11/125kHz 440 [bit/s]", 59},
    {u"2\t- LoRa: SF10/125kHz 980 [bit/s]", 59},  {u"3\t- LoRa: SF9/125kHz 1760 [bit/s]", 123},
    {u"4\t- LoRa: SF8/125kHz 3125 [bit/s]", 230}, {u"5\t- LoRa: SF7/125kHz 5470 [bit/s]", 230},
    {u"6\t- LoRa: SF7/250kHz 11000 [bit/s]", 230}, {u"7\t- FSK: 50kbps 50000 [bit/s]", 230},
};

constexpr TRate AU915[] = {
    {u"0  - LoRa: SF12/125kHz 250 [bit/s]", 51},  {u"1  - LoRa: SF11/125kHz 440 [bit/s]", 51},
    {u"2  - LoRa: SF10/125kHz 980 [bit/s]", 51},  {u"3  - LoRa: SF9/125kHz 1760 [bit/s]", 115},
    {u"4  - LoRa: SF8/125kHz 3125 [bit/s]", 222}, {u"5  - LoRa: SF7/125kHz 5470 [bit/s]", 222},
    {u"6  - LoRa: SF8/500kHz 12500 [bit/s]", 222}, {u"8  - LoRa: SF12/500kHz 980 [bit/s]", 33},
    {u"9  - LoRa: SF11/500kHz 1760 [bit/s]", 109}, {u"10 - LoRa: SF10/500kHz 3900 [bit/s]", 222},
    {u"11 - LoRa: SF9/500kHz 7000 [bit/s]", 222}, {u"12 - LoRa: SF8/500kHz 12500 [bit/s]", 222},
    {u"13 - LoRa: SF7/500kHz 21900 [bit/s]", 222},
};

constexpr TRate EU868[] = {
    {u"0 -\tLoRa: SF12/125kHz 250 [bit/s]", 51},  {u"1 -\tLoRa: SF11/125kHz 440 [bit/s]", 51},
    {u"2 -\tLoRa: SF10/125kHz 980 [bit/s]", 51},  {u"3 -\tLoRa: SF9/125kHz 1760 [bit/s]", 115},
    {u"4 -\tLoRa: SF8/125kHz 3125 [bit/s]", 222}, {u"5 -\tLoRa: SF7/125kHz 5470 [bit/s]", 222},
    {u"6 - LoRa: SF7/250kHz 11000 [bit/s]", 222}, {u"7 - FSK: 50kbps 50000 [bit/s]", 222},
};

constexpr TRate KR920[] = {
    {u"0 - LoRa: SF12/125kHz 250 [bit/s]", 51},   {u"1 -\tLoRa: SF11/125kHz 440 [bit/s]", 51},
    {u"2 -\tLoRa: SF10/125kHz 980 [bit/s]", 51},  {u"3 -\tLoRa: SF9/125kHz 1760 [bit/s]", 115},
    {u"4 -\tLoRa: SF8/125kHz 3125 [bit/s]", 222}, {u"5 -\tLoRa: SF7/125kHz 5470 [bit/s]", 222},
};

constexpr TRate IN865[] = {
    {u"0 - LoRa: SF12/125kHz 250 [bit/s]", 51},   {u"1 -\tLoRa: SF11/125kHz 440 [bit/s]", 51},
    {u"2 -\tLoRa: SF10/125kHz 980 [bit/s]", 51},  {u"3 -\tLoRa: SF9/125kHz 1760 [bit/s]", 115},
    {u"4 -\tLoRa: SF8/125kHz 3125 [bit/s]", 222}, {u"5 -\tLoRa: SF7/125kHz 5470 [bit/s]", 222},
    {u"7 -\tFSK: 50kbps 50000 [bit/s]", 222},
};

constexpr TRate US915[] = {
    {u"0  -\tLoRa: SF10/125kHz 980 [bit/s]", 11},  {u"1  -\tLoRa: SF9/125kHz 1760 [bit/s]", 53},
    {u"2  -\tLoRa: SF8/125kHz 3125 [bit/s]", 125}, {u"3  -\tLoRa: SF7/125kHz 5470 [bit/s]", 242},
    {u"4  -\tLoRa: SF8/500kHz 12500 [bit/s]", 242}, {u"8  -\tLoRa: SF12/500kHz 980 [bit/s]", 33},
    {u"9  -\tLoRa: SF11/500kHz 1760 [bit/s]", 109}, {u"10 - LoRa: SF10/500kHz 3900 [bit/s]", 222},
    {u"11 - LoRa: SF9/500kHz 7000 [bit/s]", 222},  {u"12 - LoRa: SF8/500kHz 12500 [bit/s]", 222},
    {u"13 - LoRa: SF7/500kHz 21900 [bit/s]", 222},
};

constexpr TRate US915_Hybrid[] = {
    {u"0  - LoRa: SF10/125kHz 980 [bit/s]", 11},  {u"1  - LoRa: SF9/125kHz 1760 [bit/s]", 53},
    {u"2  - LoRa: SF8/125kHz 3125 [bit/s]", 125}, {u"3  - LoRa: SF7/125kHz 5470 [bit/s]", 242},
    {u"4  - LoRa: SF8/500kHz 12500 [bit/s]", 242}, {u"8  - LoRa: SF12/500kHz 980 [bit/s]", 33},
    {u"9  - LoRa: SF11/500kHz 1760 [bit/s]", 109}, {u"10 - LoRa: SF10/500kHz 3900 [bit/s]", 222},
    {u"11 - LoRa: SF9/500kHz 7000 [bit/s]", 222}, {u"12 - LoRa: SF8/500kHz 12500 [bit/s]", 222},
    {u"13 - LoRa: SF7/500kHz 21900 [bit/s]", 222},
};

struct TBand {
    const char16_t* Text;
    std::span<const TRate> Rates;
};

constexpr std::array<TBand, LoRa_Band_Count> Bands = {{
    {u"AS923", AS923},
    {u"AU915", AU915},
    {u"EU868", EU868},
    {u"KR920", KR920},
    {u"IN865", IN865},
    {u"US915", US915},
    {u"US915-Hybrid", US915_Hybrid},
}};

std::span<const TRate> Rates_Of(Integer band)
{
    if (band < 0 || band >= LoRa_Band_Count)
        return {};
    return Bands[size_t(band)].Rates;
}

} // namespace

QString LoRa_Band_Text(Integer band)
{
    if (band < 0 || band >= LoRa_Band_Count)
        return QString();
    return QString::fromUtf16(Bands[size_t(band)].Text);
}

Integer LoRa_Band_Index(const QString& text)
{
    for (Integer b = 0; b < LoRa_Band_Count; ++b)
        if (text == QString::fromUtf16(Bands[size_t(b)].Text))
            return b;
    return -1;
}

Integer LoRa_DataRate_Count(Integer band)
{
    return Integer(Rates_Of(band).size());
}

QString LoRa_DataRate_Text(Integer band, Integer item)
{
    const auto rates = Rates_Of(band);
    if (item < 0 || item >= Integer(rates.size()))
        return QString();
    return QString::fromUtf16(rates[size_t(item)].Text);
}

Integer LoRa_DataRate_Index(Integer band, const QString& text)
{
    const auto rates = Rates_Of(band);
    for (size_t i = 0; i < rates.size(); ++i)
        if (text == QString::fromUtf16(rates[i].Text))
            return Integer(i);
    return -1;
}

Integer LoRa_Max_Payload(const QString& band, const QString& dataRate)
{
    const Integer b = LoRa_Band_Index(band);
    const Integer item = LoRa_DataRate_Index(b, dataRate);
    return item < 0 ? 0 : Rates_Of(b)[size_t(item)].MaxPayload;
}
