// Value and unit of one data record: the raw number by data-field code, the
// primary VIF table, the two extension tables (VIF FD and FB), the
// combinable VIFEs and the date and time types.
#include "mbus/MBusRecords.h"

#include "platform/Text.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <initializer_list>

namespace {

constexpr int NoScale = 1000;

// A row of a VIF or VIFE table: codes First..Last share the quantity code;
// the label is the only one given or the one at (code - First); the value is
// scaled by 10^((code - First) + Exp) unless Exp is NoScale.
struct TVifRow {
    int First, Last;
    int Code;
    int Exp;
    std::initializer_list<const char*> Labels;
};

const TVifRow* FindRow(std::initializer_list<TVifRow> rows, int code)
{
    for (const TVifRow& r : rows)
        if (code >= r.First && code <= r.Last)
            return &r;
    return nullptr;
}

QString RowLabel(const TVifRow& r, int code)
{
    const size_t i = r.Labels.size() == 1 ? 0 : size_t(code - r.First);
    return QString::fromUtf8(r.Labels.begin()[i]);
}

// Main extension table (VIF FD).
const std::initializer_list<TVifRow> FDTable = {
    {0x00, 0x03, 1, -3, {"Credit of (currency units)"}},
    {0x04, 0x07, 2, -3, {"Debit of (currency units)"}},
    {0x08, 0x08, 3, NoScale, {"Unique message Identification"}},
    {0x09, 0x09, 4, NoScale, {"Device Type"}},
    {0x0A, 0x0A, 5, NoScale, {"Manufacturer"}},
    {0x0B, 0x0B, 6, NoScale, {"Parameter Set Identification"}},
    {0x0C, 0x0C, 7, NoScale, {"Model Version"}},
    {0x0D, 0x0D, 8, NoScale, {"Hardware Version Number"}},
    {0x0E, 0x0E, 9, NoScale, {"Metrology (Firmware) Version Number"}},
    {0x0F, 0x0F, 10, NoScale, {"Other Software Version Number"}},
    {0x10, 0x10, 11, NoScale, {"Customer LOcation"}},
    {0x11, 0x11, 12, NoScale, {"Customer"}},
    {0x12, 0x12, 13, NoScale, {"Access Code User"}},
    {0x13, 0x13, 14, NoScale, {"Access Code Operator"}},
    {0x14, 0x14, 15, NoScale, {"Access Code System Operator"}},
    {0x15, 0x15, 16, NoScale, {"Access Code Developer"}},
    {0x16, 0x16, 17, NoScale, {"Password"}},
    {0x17, 0x17, 18, NoScale, {"Error Flag (Binary)"}},
    {0x18, 0x18, 19, NoScale, {"Error Mask"}},
    {0x19, 0x19, 126, NoScale, {"Security Key"}},
    {0x1A, 0x1A, 20, NoScale, {"Digital Output (Binary)"}},
    {0x1B, 0x1B, 21, NoScale, {"Digital Input (Binary)"}},
    {0x1C, 0x1C, 22, NoScale, {"Baudrate [Baud]"}},
    {0x1D, 0x1D, 23, NoScale, {"Responce Delay Time [Bit-Times]"}},
    {0x1E, 0x1E, 24, NoScale, {"Retry"}},
    {0x1F, 0x1F, 127, NoScale, {"Remote Control (Device Specific e.g. Gas Value)"}},
    {0x20, 0x20, 25, NoScale, {"First Storage Number for Cyclic Storage"}},
    {0x21, 0x21, 26, NoScale, {"Last Storage Number for Cyclic Storage"}},
    {0x22, 0x22, 27, NoScale, {"Size of Storage Block"}},
    {0x24, 0x27, 28, NoScale, {"Storage Interval Second(s)", "Storage Interval Minute(s)", "Storage Interval Hour(s)", "Storage Interval Day(s)"}},
    {0x28, 0x28, 29, NoScale, {"Storage Interval Month(s)"}},
    {0x29, 0x29, 30, NoScale, {"Storage Interval Year(s)"}},
    {0x2A, 0x2A, 128, NoScale, {"Operator Specific Data"}},
    {0x2B, 0x2B, 129, NoScale, {"Time Point Second (0 to 59)"}},
    {0x2C, 0x2F, 31, NoScale,
     {"Duration Since Last Readout Second(s)", "Duration Since Last Readout Minute(s)", "Duration Since Last Readout Hour(s)",
      "Duration Since Last Readout Day(s)"}},
    {0x30, 0x30, 32, NoScale, {"Start (Date/Time) of Tariff"}},
    {0x31, 0x33, 33, NoScale, {"Duration of Tariff Minute(s)", "Duration of Tariff Hour(s)", "Duration of Tariff Day(s)"}},
    {0x34, 0x37, 34, NoScale,
     {"Period of Tariff Second(s)", "Period of Tariff Minute(s)", "Period of Tariff Hour(s)", "Period of Tariff Day(s)"}},
    {0x38, 0x38, 35, NoScale, {"Period of Tariff Month(s)"}},
    {0x39, 0x39, 36, NoScale, {"Period of Tariff Year(s)"}},
    {0x3A, 0x3A, 37, NoScale, {"Dimensionless / No VIF"}},
    {0x3B, 0x3B, 130, NoScale, {"Data Container for Wireless M-Bus Protocol"}},
    {0x3C, 0x3F, 131, NoScale,
     {"Period of Nominal Data Transmissions Second(s)", "Period of Nominal Data Transmissions Minute(s)",
      "Period of Nominal Data Transmissions Hour(s)", "Period of Nominal Data Transmissions Day(s)"}},
    {0x40, 0x4F, 38, -9, {"Electric Units Volts"}},
    {0x50, 0x5F, 39, -12, {"Electric Units A"}},
    {0x60, 0x60, 40, NoScale, {"Reset Counter"}},
    {0x61, 0x61, 41, NoScale, {"Cumulation Counter"}},
    {0x62, 0x62, 42, NoScale, {"Control Signal"}},
    {0x63, 0x63, 43, NoScale, {"Day of Week"}},
    {0x64, 0x64, 44, NoScale, {"Week Number"}},
    {0x65, 0x65, 45, NoScale, {"Time Point of Day Change"}},
    {0x66, 0x66, 46, NoScale, {"State of Parameter Activation"}},
    {0x67, 0x67, 47, NoScale, {"Special Supplier Information"}},
    {0x68, 0x6B, 48, NoScale,
     {"Duration Since Last Cumulation Hour(s)", "Duration Since Last Cumulation Day(s)", "Duration Since Last Cumulation Month(s)",
      "Duration Since Last Cumulation Year(s)"}},
    {0x6C, 0x6F, 49, NoScale,
     {"Operating Time Battery Hour(s)", "Operating Time Battery Day(s)", "Operating Time Battery Month(s)",
      "Operating Time Battery Year(s)"}},
    {0x70, 0x70, 50, NoScale, {"Date and Time of Battery Change"}},
    {0x71, 0x71, 132, NoScale, {"RF Level Units: dBm"}},
    {0x72, 0x72, 133, NoScale, {"Daylight Savings (Beginning, Ending, Deviation) Data Type K"}},
    {0x73, 0x73, 134, NoScale, {"Listening Window Management Data Type L"}},
    {0x74, 0x74, 135, NoScale, {"Remaining Battery Life Time (Days)"}},
    {0x75, 0x75, 136, NoScale, {"Number Times the Meter Was Stopped"}},
};

// Alternate extension table (VIF FB).
const std::initializer_list<TVifRow> FBTable = {
    {0x00, 0x01, 51, -1, {"Energy MWh"}},
    {0x02, 0x03, 137, 0, {"Reactive Energy kVARh"}},
    {0x04, 0x05, 138, 0, {"Apparent Energy kVAh"}},
    {0x08, 0x09, 52, -1, {"Energy GJ"}},
    {0x0C, 0x0F, 139, -1, {"Energy MCal"}},
    {0x10, 0x11, 53, 2, {"Volume m3"}},
    {0x14, 0x17, 140, -3, {"Reactive Power kVAR"}},
    {0x18, 0x19, 54, 2, {"Volume t"}},
    {0x1A, 0x1B, 141, -1, {"Relative Humidity %"}},
    {0x20, 0x20, 142, NoScale, {"Volume Feet 3"}},
    {0x21, 0x21, 55, NoScale, {"Volume 0,1 Feet 3"}},
    {0x22, 0x22, 56, NoScale, {"Volume 0,1 American Gallon"}},
    {0x23, 0x23, 57, NoScale, {"Volume 1 American Gallon"}},
    {0x24, 0x24, 58, NoScale, {"Volume Flow 0,001 American Gallon/min"}},
    {0x25, 0x25, 59, NoScale, {"Volume Flow 1 American Gallon/min"}},
    {0x26, 0x26, 60, NoScale, {"Volume Flow 1 American Gallon/h"}},
    {0x28, 0x29, 61, -1, {"Power MW"}},
    {0x2A, 0x2A, 143, NoScale, {"Phase U-U (Volt. to Volt.)"}},
    {0x2B, 0x2B, 144, NoScale, {"Phase U-I (Volt. to Current)"}},
    {0x2C, 0x2F, 145, -3, {"Frequency Hz"}},
    {0x30, 0x31, 62, -1, {"Power GJ/h"}},
    {0x34, 0x37, 146, -3, {"Apparent Power kVA"}},
    {0x58, 0x5B, 63, -3, {"Flow Temperature °F"}},
    {0x5C, 0x5F, 64, -3, {"Return Temperature °F"}},
    {0x60, 0x63, 65, -3, {"Temperature Difference °F"}},
    {0x64, 0x67, 66, -3, {"External Temperature °F"}},
    {0x70, 0x73, 67, -3, {"Cold / Warm Temperature Limit °F"}},
    {0x74, 0x77, 68, -3, {"Cold / Warm Temperature Limit °C"}},
    {0x78, 0x7F, 69, -3, {"Cum. Max. of Active Power W"}},
};

// Combinable VIFEs with a fixed text (the generated ones are handled apart).
const std::initializer_list<TVifRow> CombinableTable = {
    {0x00, 0x00, 108, NoScale, {" - None"}},
    {0x01, 0x01, 109, NoScale, {" - Too Many DIFEs"}},
    {0x02, 0x02, 110, NoScale, {" - Storage Number not Implemented"}},
    {0x03, 0x03, 111, NoScale, {" - Unit Number not Implemented"}},
    {0x04, 0x04, 112, NoScale, {" - Tariff Number not Implemented"}},
    {0x05, 0x05, 113, NoScale, {" - Function not Implemented"}},
    {0x06, 0x06, 114, NoScale, {" - Data Class not Implemented"}},
    {0x07, 0x07, 115, NoScale, {" - Data Size not Implemented"}},
    {0x0B, 0x0B, 116, NoScale, {" - Too Many VIFEs"}},
    {0x0C, 0x0C, 117, NoScale, {" - Illegal VIF-Group"}},
    {0x0D, 0x0D, 118, NoScale, {" - Illegal VIF-Exponent"}},
    {0x0E, 0x0E, 119, NoScale, {" - VIF / DIF Mismatch"}},
    {0x0F, 0x0F, 120, NoScale, {" - Unimplemented Action"}},
    {0x15, 0x15, 121, NoScale, {" - No Data Available (Undefined Value)"}},
    {0x16, 0x16, 122, NoScale, {" - Data Overflow"}},
    {0x17, 0x17, 123, NoScale, {" - Data Underflow"}},
    {0x18, 0x18, 124, NoScale, {" - Data Error"}},
    {0x1C, 0x1C, 125, NoScale, {" - Premature End of Record"}},
    {0x20, 0x20, 70, NoScale, {" - Per Second"}},
    {0x21, 0x21, 71, NoScale, {" - Per Minute"}},
    {0x22, 0x22, 72, NoScale, {" - Per Hour"}},
    {0x23, 0x23, 73, NoScale, {" - Per Day"}},
    {0x24, 0x24, 74, NoScale, {" - Per Week"}},
    {0x25, 0x25, 75, NoScale, {" - Per Month"}},
    {0x26, 0x26, 76, NoScale, {" - Per Year"}},
    {0x27, 0x27, 77, NoScale, {" - Per Revolution / Measurement"}},
    {0x28, 0x29, 78, NoScale,
     {" - Increment per Input Pulse on Input Channel 0", " - Increment per Input Pulse on Input Channel 1"}},
    {0x2A, 0x2B, 79, NoScale,
     {" - Increment per Output Pulse on Output Channel 0", " - Increment per Output Pulse on Output Channel 1"}},
    {0x2C, 0x2C, 80, NoScale, {" - Per Liter"}},
    {0x2D, 0x2D, 81, NoScale, {" - Per m3"}},
    {0x2E, 0x2E, 82, NoScale, {" - Per kg"}},
    {0x2F, 0x2F, 83, NoScale, {" - Per K (Kelvin)"}},
    {0x30, 0x30, 84, NoScale, {" - Per kWh"}},
    {0x31, 0x31, 85, NoScale, {" - Per GJ"}},
    {0x32, 0x32, 86, NoScale, {" - Per kW"}},
    {0x33, 0x33, 87, NoScale, {" - Per (K*l)(Kelvin * Litre)"}},
    {0x34, 0x34, 88, NoScale, {" - Per V (Volt)"}},
    {0x35, 0x35, 89, NoScale, {" - Per (A) (Ampere)"}},
    {0x36, 0x36, 90, NoScale, {" - Multiplied by s"}},
    {0x37, 0x37, 91, NoScale, {" - Multiplied by s / V"}},
    {0x38, 0x38, 92, NoScale, {" - Multiplied by s / A"}},
    {0x39, 0x39, 93, NoScale, {" - Start Date (/Time) of"}},
    {0x3A, 0x3A, 94, NoScale, {" - VIF Contains Uncorrect Unit or Value at Metering Conditions Instead of Converted Unit"}},
    {0x3B, 0x3B, 95, NoScale, {" - Accumulation Only if Positive Contributions (Forward Flow Contribution)"}},
    {0x3C, 0x3C, 96, NoScale, {" - Accumulation of abs Value Only if Negative Contributions (Backward Flow)"}},
    {0x3D, 0x3D, 147, NoScale, {" - Reserved for Alternate non-metric Unit System (according to Annex C)"}},
    {0x3E, 0x3E, 148, NoScale, {" - Value at Base Conditions"}},
    {0x40, 0x40, 97, NoScale, {" - Lower Limit Value"}},
    {0x48, 0x48, 97, NoScale, {" - Upper Limit Value"}},
    {0x41, 0x41, 98, NoScale, {" - # of Exceeds of Lower Limit"}},
    {0x49, 0x49, 98, NoScale, {" - # of Exceeds of Upper Limit"}},
    {0x42, 0x43, 99, NoScale, {" - Date(/Time) of Begin of First Lower Limit Exceed", " - Date(/Time) of End of First Lower Limit Exceed"}},
    {0x46, 0x47, 99, NoScale, {" - Date(/Time) of Begin of Last Lower Limit Exceed", " - Date(/Time) of End of Last Lower Limit Exceed"}},
    {0x4A, 0x4B, 99, NoScale, {" - Date(/Time) of Begin of First Upper Limit Exceed", " - Date(/Time) of End of First Upper Limit Exceed"}},
    {0x4E, 0x4F, 99, NoScale, {" - Date(/Time) of Begin of Last Upper Limit Exceed", " - Date(/Time) of End of Last Upper Limit Exceed"}},
    {0x68, 0x68, 149, NoScale, {" - Value During Lower Limit Exceed"}},
    {0x6C, 0x6C, 149, NoScale, {" - Value During Upper Limit Exceed"}},
    {0x69, 0x69, 150, NoScale, {" - Leakage Values"}},
    {0x6D, 0x6D, 151, NoScale, {" - Overflow Values"}},
    {0x6A, 0x6B, 102, NoScale, {" - Date(/Time) of Begin of First", " - Date(/Time) of End of First"}},
    {0x6E, 0x6F, 102, NoScale, {" - Date(/Time) of Begin of Last", " - Date(/Time) of End of Last"}},
    {0x7D, 0x7D, 105, 3, {" - Multiplicative Cerrection Factor: 10^(3)"}},
    {0x7E, 0x7E, 106, NoScale, {" - Future Value"}},
    {0x7F, 0x7F, 107, NoScale, {" - Next VIFEs and Data of This Block Are Manufacturer Specific"}},
};

// Second level after VIFE 7C: text only, no quantity code.
const char* SecondLevelText(int code)
{
    switch (code) {
    case 0x01: return " - At Phase L1";
    case 0x02: return " - At Phase L2";
    case 0x03: return " - At Phase L3";
    case 0x04: return " - At Neutral (N)";
    case 0x05: return " - Between Phase L1 and L2";
    case 0x06: return " - Between Phase L2 and L3";
    case 0x07: return " - Between Phase L3 and L1";
    case 0x10: return " - Accumulation of abs. Value for Both Positive and Negative Contribution (Absolute Count)";
    default: return "";
    }
}

bool IsDateVife(int code)
{
    switch (code) {
    case 0x42: case 0x43: case 0x46: case 0x47: case 0x4A: case 0x4B: case 0x4E: case 0x4F:
    case 0x6A: case 0x6B: case 0x6E: case 0x6F:
        return true;
    default:
        return false;
    }
}

const char* const TimeUnits[4] = {"Seconds", "Minutes", "Hours", "Days"};
const char* const WeekDays[8] = {"", "Monday ", "Tuesday ", "Wednesday ", "Thursday ", "Friday ", "Saturday ", "Sunday "};

// The signed little-endian integer in the first N (0..8) bytes.
Int64 Signed_LE(const Byte* d, int n)
{
    UInt64 v = 0;
    for (int i = 0; i < n; ++i)
        v |= UInt64(d[i]) << (8 * i);
    if (n > 0 && n < 8 && (d[n - 1] & 0x80))
        v |= ~UInt64(0) << (8 * n);
    return Int64(v);
}

// Multiplying by 10^k; a negative k divides, which keeps 42 * 10^-3 at 0.042.
void Scale(long double& value, int k)
{
    if (k >= 0)
        value *= std::pow(10.0L, k);
    else
        value /= std::pow(10.0L, -k);
}

} // namespace

void TMBusRecordDecoder::Decode_Record_Value(Byte VIF, Byte FirstVIFE, TVariable_MBus* Var, Integer nbyte, Byte LVAR, Byte DataField)
{
    const Byte* d = App_Data_Val;
    auto u = [&](int i) { return UInt64(d[i]); };
    nbyte = std::clamp(nbyte, 0, Integer(sizeof App_Data_Val));

    // 1. Raw value. A value that is not a number the value text can show (a
    // text, BCD digits A-F, a number longer than 64 bits) is kept as text.
    long double value = 0;
    QString rawText;
    bool isRawText = false;
    auto keepText = [&](const QString& t) {
        rawText = t;
        isRawText = true;
    };
    auto bcd = [&](int n) {
        if (!BCD_Is_Number(d, n))
            keepText(QStringLiteral("Not a Number (") + BCD_Digits(d, n) + QLatin1Char(')'));
        else
            value = BCD_To_Int64(n);
    };
    switch (DataField) {
    case 1: value = std::int8_t(d[0]); break;
    case 2: value = std::int16_t(u(0) | (u(1) << 8)); break;
    case 3: value = Signed_LE(d, 3); break;
    case 4: value = std::int32_t(LongWord(u(0) | (u(1) << 8) | (u(2) << 16) | (u(3) << 24))); break;
    case 5: {
        float f;
        const LongWord bits = LongWord(u(0) | (u(1) << 8) | (u(2) << 16) | (u(3) << 24));
        std::memcpy(&f, &bits, sizeof f);
        value = f;
        break;
    }
    case 6: value = Signed_LE(d, 6); break;
    case 7: value = Signed_LE(d, 8); break;
    case 9: bcd(1); break;
    case 10: bcd(2); break;
    case 11: bcd(3); break;
    case 12: bcd(4); break;
    case 14: bcd(6); break;
    case 13:
        if (LVAR <= 0xBF) {
            // Characters come last first.
            QString t;
            for (int i = nbyte - 1; i >= 0; --i)
                t += QChar(d[i]);
            keepText(t);
        } else if (LVAR <= 0xDF) {
            const int n = LVAR & 0x0F;
            const bool negative = LVAR >= 0xD0;
            if (n <= 9) {
                bcd(n);
                if (negative)
                    value = -value;
            } else {
                keepText((negative ? QStringLiteral("-") : QString()) + BCD_Digits(d, n));
            }
        } else if (LVAR <= 0xF6) {
            if (nbyte <= 8) {
                value = Signed_LE(d, nbyte);
            } else {
                QString t;
                for (int i = nbyte - 1; i >= 0; --i)
                    t += IntToHex(d[i], 2);
                keepText(t);
            }
        }
        break;
    default: break;
    }

    // 7. Date and time texts.
    auto typeG = [&] {
        const int year = ((d[0] >> 5) & 7) | (((d[1] >> 4) & 0x0F) << 3);
        return Two_Digit_Text(d[0] & 0x1F) + QLatin1Char('/') + Two_Digit_Text(d[1] & 0x0F) + QLatin1Char('/') + Two_Digit_Text(year);
    };
    auto dateFrom = [&](int dayByte) {
        const Byte a = d[dayByte], b = d[dayByte + 1];
        const int year = ((a >> 5) & 7) | (((b >> 4) & 0x0F) << 3);
        return Two_Digit_Text(a & 0x1F) + QLatin1Char('/') + Two_Digit_Text(b & 0x0F) + QLatin1Char('/') + Two_Digit_Text(year);
    };
    // Bit 7 of the minute byte says the time is not valid.
    auto typeF = [&] {
        if (d[0] & 0x80)
            return QStringLiteral("Invalid Time");
        return dateFrom(2) + QLatin1Char(' ') + Two_Digit_Text(d[1] & 0x1F) + QLatin1Char(':') + Two_Digit_Text(d[0] & 0x3F);
    };
    auto timeJ = [&] {
        return Two_Digit_Text(d[2] & 0x1F) + QLatin1Char(':') + Two_Digit_Text(d[1] & 0x3F) + QLatin1Char(':') + Two_Digit_Text(d[0] & 0x3F);
    };
    auto typeI = [&] {
        return QString::fromLatin1(WeekDays[(d[2] >> 5) & 7]) + dateFrom(3) + QLatin1Char(' ') + timeJ();
    };

    int typeData = -1;
    int typeDataVife = 0;
    bool vifeCodeSet = false;
    QString desc;
    QString text; // date or text value, when one is built
    bool hasText = false;
    int firstCombinable = -1; // index in App_Vife_Val where the combinable VIFEs start

    // 3. Primary VIF.
    const int v = VIF & 0x7F;
    const int n3 = v & 0x07;
    const int m2 = v & 0x03;
    auto scaled = [&](const char* label, int exp) {
        desc = QString::fromUtf8(label);
        Scale(value, exp);
    };
    auto timed = [&](const char* what) { desc = QString::fromLatin1(what) + QLatin1Char(' ') + QString::fromLatin1(TimeUnits[m2]); };
    if (v <= 0x07) { scaled("Energy Wh", n3 - 3); typeData = 0; }
    else if (v <= 0x0F) { scaled("Energy J", n3); typeData = 1; }
    else if (v <= 0x17) { scaled("Volume m3", n3 - 6); typeData = 2; }
    else if (v <= 0x1F) { scaled("Mass kg", n3 - 3); typeData = 3; }
    else if (v <= 0x23) { timed("On Time"); typeData = 4; }
    else if (v <= 0x27) { timed("Operating Time"); typeData = 5; }
    else if (v <= 0x2F) { scaled("Power W", n3 - 3); typeData = 6; }
    else if (v <= 0x37) { scaled("Power J/h", n3); typeData = 7; }
    else if (v <= 0x3F) { scaled("Volume Flow m3/h", n3 - 6); typeData = 8; }
    else if (v <= 0x47) { scaled("Volume Flow ext. m3/min", n3 - 7); typeData = 9; }
    else if (v <= 0x4F) { scaled("Volume Flow ext. m3/s", n3 - 9); typeData = 10; }
    else if (v <= 0x57) { scaled("Mass Flow kg/h", n3 - 3); typeData = 11; }
    else if (v <= 0x5B) { scaled("Flow Temperature °C", m2 - 3); typeData = 12; }
    else if (v <= 0x5F) { scaled("Return Temperature °C", m2 - 3); typeData = 13; }
    else if (v <= 0x63) { scaled("Temperature Difference K", m2 - 3); typeData = 14; }
    else if (v <= 0x67) { scaled("External Temperature °C", m2 - 3); typeData = 15; }
    else if (v <= 0x6B) { scaled("Pressure bar", m2 - 3); typeData = 16; }
    else if (v <= 0x6D) {
        typeData = 20;
        switch (DataField) {
        case 2: desc = QStringLiteral("Time Point Date (Type G)"); text = typeG(); hasText = true; break;
        case 4: desc = QStringLiteral("Time Point Date and Time (Type F)"); text = typeF(); hasText = true; break;
        case 3: desc = QStringLiteral("Time Point Extended Time Point (Type J)"); text = timeJ(); hasText = true; break;
        case 6: desc = QStringLiteral("Time Point Extended Date and Time Point (Type I)"); text = typeI(); hasText = true; break;
        default: break;
        }
    }
    else if (v == 0x6E) { desc = QStringLiteral("Units for H.C.A."); typeData = 22; }
    else if (v == 0x6F) { typeData = -1; }
    else if (v <= 0x73) { timed("Averaging Duration"); typeData = 17; }
    else if (v <= 0x77) { timed("Actuality Duration"); typeData = 18; }
    else if (v == 0x78) { desc = QStringLiteral("Fabrication No"); typeData = 23; }
    else if (v == 0x79) { desc = QStringLiteral("Identification"); typeData = 24; }
    else if (v == 0x7A) { desc = QStringLiteral("Bus Address"); typeData = 25; }
    else if ((v == 0x7B || v == 0x7D) && !(VIF & 0x80)) {
        // An extension VIF without its extension byte names no unit.
        desc = QStringLiteral("Unknown Unit");
        typeData = -1;
    }
    else if (v == 0x7B || v == 0x7D) {
        // 4. and 5. The first VIFE is looked up in an extension table.
        typeData = 19;
        const int code = FirstVIFE & 0x7F;
        const TVifRow* row = FindRow(v == 0x7D ? FDTable : FBTable, code);
        if (row != nullptr) {
            desc = RowLabel(*row, code);
            typeDataVife = row->Code;
            if (row->Exp != NoScale)
                Scale(value, code - row->First + row->Exp);
        } else {
            desc = QStringLiteral("Reserved");
            typeDataVife = -1;
        }
        vifeCodeSet = true;
        if (FirstVIFE & 0x80)
            firstCombinable = 1;
    }
    else if (v == 0x7C) {
        // The unit is the text before the data (VIF_ASCII); the value is
        // what the data field holds.
        desc = QStringLiteral("Vif in following String");
        typeData = 21;
    }
    else if (v == 0x7E) { desc = QStringLiteral("Any VIF"); typeData = -1; }
    else { desc = QStringLiteral("Manufacturer Specific"); typeData = -1; }

    if ((VIF & 0x80) && VIF != 0xFE && VIF != 0xFF && v != 0x7B && v != 0x7D)
        firstCombinable = 0;

    // 6. Combinable VIFEs.
    if (firstCombinable >= 0) {
        for (int i = firstCombinable; i < 10; ++i) {
            Byte cur = App_Vife_Val[i];
            const int code = cur & 0x7F;
            int foundCode = -1;
            if (const TVifRow* row = FindRow(CombinableTable, code)) {
                desc += RowLabel(*row, code);
                foundCode = row->Code;
                if (row->Exp != NoScale)
                    Scale(value, row->Exp);
            } else if (code >= 0x50 && code <= 0x5F) {
                desc += QStringLiteral(" - Duration ") + Two_Digit_Text(code & 0x03) + QStringLiteral(" of ")
                        + ((code & 0x04) ? QStringLiteral("Last") : QStringLiteral("First"))
                        + ((code & 0x08) ? QStringLiteral(" Upper") : QStringLiteral(" Lower")) + QStringLiteral(" Limit Exceed");
                foundCode = 100;
            } else if (code >= 0x60 && code <= 0x67) {
                desc += QStringLiteral(" - Duration ") + Two_Digit_Text(code & 0x03) + QStringLiteral(" of ")
                        + ((code & 0x04) ? QStringLiteral("Last") : QStringLiteral("First"));
                foundCode = 101;
            } else if (code >= 0x70 && code <= 0x77) {
                desc += QStringLiteral(" - Moltiplicative Correction Factor: 10^(") + IntToStr((code & 0x07) - 6) + QLatin1Char(')');
                Scale(value, (code & 0x07) - 6);
                foundCode = 103;
            } else if (code >= 0x78 && code <= 0x7B) {
                desc += QStringLiteral(" - Additive Correction Constant: 10^(") + IntToStr((code & 0x03) - 3)
                        + QStringLiteral(") * Unit of VIF");
                Scale(value, (code & 0x03) - 3);
                foundCode = 104;
            } else if (code == 0x7C) {
                if (i < 9) {
                    ++i;
                    cur = App_Vife_Val[i];
                    desc += QString::fromLatin1(SecondLevelText(cur & 0x7F));
                }
            } else {
                desc += QStringLiteral(" - Reserved");
            }
            if (foundCode >= 0 && !vifeCodeSet) {
                typeDataVife = foundCode;
                vifeCodeSet = true;
            }
            if (IsDateVife(code)) {
                hasText = false;
                text.clear();
                if (DataField == 2) {
                    text = typeG();
                    hasText = true;
                } else if (DataField == 4) {
                    text = typeF();
                    hasText = true;
                }
            }
            if (!(cur & 0x80))
                break;
        }
    }

    Var->type_data = Word(typeData);
    Var->Type_Data_Vife = typeDataVife;
    Var->Desc_Type_Data = desc;
    Var->ValueStr = hasText ? text : isRawText ? rawText : FloatToStr(value);
}

void TMBusRecordDecoder::Decode_Fixed_Value(Byte Unit, TVariable_MBus* Var, bool Binary)
{
    // Units of the fixed structure in decades of one quantity: the first
    // code of the group, its quantity code and label, and the power of ten
    // of that first code in the label's unit.
    struct TFixedUnit {
        int First, Last;
        int Code;
        int Exp;
        const char* Label;
    };
    static const TFixedUnit units[] = {
        {0x02, 0x0A, 0, 0, "Energy Wh"},          // Wh .. MWh x 100
        {0x0B, 0x13, 1, 3, "Energy J"},           // kJ .. GJ x 100
        {0x14, 0x1C, 6, 0, "Power W"},            // W .. MW x 100
        {0x1D, 0x25, 7, 3, "Power J/h"},          // kJ/h .. GJ/h x 100
        {0x26, 0x2E, 2, -6, "Volume m3"},         // ml .. m3 x 100
        {0x2F, 0x37, 8, -6, "Volume Flow m3/h"},  // ml/h .. m3/h x 100
        {0x38, 0x38, 15, -3, "External Temperature °C"},
        {0x39, 0x39, 22, 0, "Units for H.C.A."},
    };
    long double value = 0;
    QString text;
    if (Binary)
        value = LongWord(App_Data_Val[0] | (App_Data_Val[1] << 8) | (App_Data_Val[2] << 16) | (LongWord(App_Data_Val[3]) << 24));
    else if (BCD_Is_Number(App_Data_Val, 4))
        value = BCD_To_Int64(4);
    else
        text = QStringLiteral("Not a Number (") + BCD_Digits(App_Data_Val, 4) + QLatin1Char(')');

    int typeData = -1;
    int typeDataVife = 0;
    QString desc = QStringLiteral("Unknown Unit");
    if (Unit == 0x3F) {
        desc = QStringLiteral("Dimensionless / No VIF");
        typeData = 19;
        typeDataVife = 37;
    }
    for (const TFixedUnit& u : units)
        if (Unit >= u.First && Unit <= u.Last) {
            desc = QString::fromUtf8(u.Label);
            typeData = u.Code;
            Scale(value, Unit - u.First + u.Exp);
        }
    Var->type_data = Word(typeData);
    Var->Type_Data_Vife = typeDataVife;
    Var->Desc_Type_Data = desc;
    Var->ValueStr = text.isEmpty() ? FloatToStr(value) : text;
}
