#include <gtest/gtest.h>

#include <vector>

#include "parameters/LoRaWAN_Rates.h"

namespace {

struct TBandPayloads {
    const char* Band;
    std::vector<Integer> Payloads;  // by data-rate item
};

// Maximum payload of every band and data-rate item.
const TBandPayloads Expected[] = {
    {"AS923", {59, 59, 59, 123, 230, 230, 230, 230}},
    {"AU915", {51, 51, 51, 115, 222, 222, 222, 33, 109, 222, 222, 222, 222}},
    {"EU868", {51, 51, 51, 115, 222, 222, 222, 222}},
    {"KR920", {51, 51, 51, 115, 222, 222}},
    {"IN865", {51, 51, 51, 115, 222, 222, 222}},
    {"US915", {11, 53, 125, 242, 242, 33, 109, 222, 222, 222, 222}},
    {"US915-Hybrid", {11, 53, 125, 242, 242, 33, 109, 222, 222, 222, 222}},
};

TEST(LoRaWANRates, EveryBandAndDataRateHasItsMaximumPayload)
{
    ASSERT_EQ(LoRa_Band_Count, Integer(std::size(Expected)));
    for (Integer b = 0; b < LoRa_Band_Count; ++b) {
        const TBandPayloads& e = Expected[b];
        const QString band = QString::fromLatin1(e.Band);
        EXPECT_EQ(LoRa_Band_Text(b), band);
        EXPECT_EQ(LoRa_Band_Index(band), b);
        ASSERT_EQ(LoRa_DataRate_Count(b), Integer(e.Payloads.size())) << e.Band;
        for (Integer i = 0; i < LoRa_DataRate_Count(b); ++i) {
            const QString rate = LoRa_DataRate_Text(b, i);
            EXPECT_EQ(LoRa_Max_Payload(band, rate), e.Payloads[size_t(i)]) << e.Band << " item " << i;
            EXPECT_EQ(LoRa_DataRate_Index(b, rate), i);
        }
    }
}

TEST(LoRaWANRates, ItemTextsKeepTheirOwnSeparators)
{
    struct {
        const char* Band;
        Integer Item;
        const char* Text;
    } const cases[] = {
        {"AS923", 6, "6\t- LoRa: SF7/250kHz 11000 [bit/s]"},
        {"AU915", 7, "8  - LoRa: SF12/500kHz 980 [bit/s]"},
        {"EU868", 0, "0 -\tLoRa: SF12/125kHz 250 [bit/s]"},
        {"EU868", 7, "7 - FSK: 50kbps 50000 [bit/s]"},
        {"KR920", 0, "0 - LoRa: SF12/125kHz 250 [bit/s]"},
        {"IN865", 6, "7 -\tFSK: 50kbps 50000 [bit/s]"},
        {"US915", 0, "0  -\tLoRa: SF10/125kHz 980 [bit/s]"},
        {"US915", 7, "10 - LoRa: SF10/500kHz 3900 [bit/s]"},
        {"US915-Hybrid", 0, "0  - LoRa: SF10/125kHz 980 [bit/s]"},
        {"US915-Hybrid", 10, "13 - LoRa: SF7/500kHz 21900 [bit/s]"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LoRa_DataRate_Text(LoRa_Band_Index(QString::fromLatin1(c.Band)), c.Item), QString::fromLatin1(c.Text))
            << c.Band << " item " << c.Item;
}

TEST(LoRaWANRates, ComparisonsAreExact)
{
    // A space where the item has a tab, another case, an unknown band: no match.
    EXPECT_EQ(LoRa_Max_Payload("AS923", "6 - LoRa: SF7/250kHz 11000 [bit/s]"), 0);
    EXPECT_EQ(LoRa_Max_Payload("as923", "6\t- LoRa: SF7/250kHz 11000 [bit/s]"), 0);
    EXPECT_EQ(LoRa_Max_Payload("EU433", "0 -\tLoRa: SF12/125kHz 250 [bit/s]"), 0);
    EXPECT_EQ(LoRa_Max_Payload("AS923", ""), 0);
    EXPECT_EQ(LoRa_Band_Index("us915-hybrid"), -1);
    EXPECT_EQ(LoRa_DataRate_Count(-1), 0);
    EXPECT_EQ(LoRa_DataRate_Text(0, 8), QString());
}

} // namespace
