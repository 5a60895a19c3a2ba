// The walk over the data records of an M-Bus answer, and the meter made from
// the fixed header of a wired answer.
#include "mbus/MBusRecords.h"

#include "platform/Lists.h"
#include "platform/Text.h"
#include "shell/UComon.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int MaxChain = 10;     // DIFEs or VIFEs per record
constexpr int MaxUnitText = 192; // characters of a plain-text unit

QString HexByte(Byte b) { return QLatin1Char('$') + IntToHex(b, 2); }

struct TDataField {
    int bytes;
    const char* text;
};

// By data-field code; code 13 is sized by its LVAR byte, 8 and 15 carry no data.
constexpr TDataField DataFields[16] = {
    {0, ""},
    {1, "8 Bit Integer"},
    {2, "16 Bit Integer"},
    {3, "24 Bit Integer"},
    {4, "32 Bit Integer"},
    {4, "32 Bit Real"},
    {6, "48 Bit Integer"},
    {8, "64 Bit Integer"},
    {0, ""},
    {1, "2 Digit BCD"},
    {2, "4 Digit BCD"},
    {3, "6 Digit BCD"},
    {4, "8 Digit BCD"},
    {0, ""},
    {6, "12 Digit BCD"},
    {0, "Special Function"},
};

// Data size and text of a variable-length record by its LVAR byte, after
// the current standard: binary numbers of E0-EF, F0-F4 (4 x (LVAR - EC)
// bytes), F5 and F6. False for a reserved LVAR (F7-FF), whose data the
// parser cannot place.
bool VariableLength(Byte lvar, int& bytes, QString& text)
{
    auto binary = [&](int n) {
        bytes = n;
        text = QStringLiteral("Variable Length - Binary Number with ") + IntToStr(n) + QStringLiteral(" Bytes");
        return true;
    };
    if (lvar <= 0xBF) {
        bytes = lvar;
        text = QStringLiteral("Variable Length - ASCII String with ") + IntToStr(lvar) + QStringLiteral("characters");
    } else if (lvar <= 0xCF) {
        bytes = lvar - 0xC0;
        text = QStringLiteral("Variable Length - Positive BCD Number with ") + IntToStr(2 * bytes) + QStringLiteral(" digits");
    } else if (lvar <= 0xDF) {
        bytes = lvar - 0xD0;
        text = QStringLiteral("Variable Length - Negative BCD Number with ") + IntToStr(2 * bytes) + QStringLiteral(" digits");
    } else if (lvar <= 0xEF) {
        return binary(lvar - 0xE0);
    } else if (lvar <= 0xF4) {
        return binary(4 * (lvar - 0xEC));
    } else if (lvar == 0xF5) {
        return binary(48);
    } else if (lvar == 0xF6) {
        return binary(64);
    } else {
        bytes = 0;
        text = QStringLiteral("Variable Length - Reserved");
        return false;
    }
    return true;
}

const char* const FunctionTexts[4] = {"Istantaneous value", "Maximum value", "Minimum value", "Value during error state"};

} // namespace

bool TMBusRecordDecoder::Parse_Data_Records(TVariable_MBus_List& List, Integer LastIndex, Integer /*Spare*/, const Byte* Data)
{
    Integer p = 0;
    // Next byte of the record, or false when the record runs past the data.
    auto next = [&](Byte& b) {
        if (p + 1 > LastIndex)
            return false;
        b = Data[++p];
        return true;
    };

    while (p <= LastIndex) {
        const Byte dif = Data[p];
        const int dataField = dif & 0x0F;
        const int functionField = (dif >> 4) & 0x03;
        const int storageBit = (dif >> 6) & 0x01;
        const bool special = dif == 0x0F || dif == 0x1F || dif == 0x2F;

        Byte difes[MaxChain];
        int numDife = 0;
        Byte vif = 0;
        Byte vifes[MaxChain];
        int numVife = 0;
        QString unitText;
        Byte lvar = 0;
        int dataBytes = 0;
        QString dataFieldStr = QString::fromLatin1(DataFields[dataField].text);
        bool reserved = false;

        if (!special) {
            if (dif & 0x80) {
                Byte b;
                do {
                    if (numDife == MaxChain || !next(b))
                        return true;
                    difes[numDife++] = b;
                } while (b & 0x80);
            }
            if (!next(vif))
                return true;
            if ((vif & 0x7F) == 0x7C) {
                Byte n;
                if (!next(n) || n > MaxUnitText)
                    return true;
                for (int i = 0; i < n; ++i) {
                    Byte c;
                    if (!next(c))
                        return true;
                    unitText.prepend(QChar(c));
                }
            }
            if (vif & 0x80) {
                Byte b;
                do {
                    if (numVife == MaxChain || !next(b))
                        return true;
                    vifes[numVife++] = b;
                } while (b & 0x80);
            }
        }

        if (dataField == 13) {
            if (!next(lvar))
                return true;
            reserved = !VariableLength(lvar, dataBytes, dataFieldStr);
        } else {
            dataBytes = DataFields[dataField].bytes;
        }

        Byte data[256] = {};
        for (int i = 0; i < dataBytes; ++i)
            if (!next(data[i]))
                return true;

        auto var = std::make_unique<TVariable_MBus>();
        var->Is_BCD = (dataField >= 9 && dataField <= 12) || dataField == 14;
        var->DataFieldStr = dataFieldStr;
        const TDateTime now = Now();
        var->datagiorno = DateToStr(now);
        var->tempo = TimeToStr(now);
        var->Real_Wireless_Var = true;
        var->DIF = HexByte(dif);

        if (dif == 0x0F || dif == 0x1F)
            return dif != 0x1F;
        if (dif >= 0x3F && dif <= 0x7F && dataField == 15)
            return true;
        if (dataField == 15) {
            if (dif == 0x2F && MBusType == mtWireless) {
                var->Real_Wireless_Var = false;
                List.push_back(std::move(var));
            }
            ++p;
            continue;
        }
        if (dataField == 8)
            return true;

        var->dimension = Byte(dataField);
        var->descdim = dataFieldStr;
        var->nbyte = dataBytes;
        var->function_fild = Word(functionField);
        var->storage_number = storageBit;
        if (numDife > 0) {
            Int64 storage = 0;
            UInt64 tariff = 0, subunit = 0;
            for (int i = 0; i < numDife; ++i) {
                var->DIFE += HexByte(difes[i]) + QLatin1Char(' ');
                storage |= Int64(difes[i] & 0x0F) << (4 * i);
                tariff |= UInt64((difes[i] >> 4) & 0x03) << (2 * i);
                subunit |= UInt64((difes[i] >> 6) & 0x01) << i;
            }
            var->numdife = numDife;
            var->storage_number = (storage << 1) | storageBit;
            var->tarif = Word(tariff);
            var->device = Word(subunit);
        }
        var->VIF = vif;
        if ((vif & 0x7F) == 0x7E)
            return true;

        switch (vif & 0x7F) {
        case 0x7D: var->casovif = 1; break;
        case 0x7B: var->casovif = 2; break;
        case 0x7F: var->casovif = 100; break;
        case 0x7C: var->casovif = 101; break;
        default: var->casovif = 0; break;
        }
        if (var->casovif == 0)
            var->vifvalue = vif;
        else if ((var->casovif == 1 || var->casovif == 2) && numVife > 0)
            var->vifvalue = vifes[0];
        for (int i = 0; i < numVife; ++i)
            var->VIFE += HexByte(vifes[i]) + QLatin1Char(' ');
        var->PrinVIFE = numVife > 0 ? vifes[0] : 0;
        var->VIF_ASCII = unitText;
        if (reserved) {
            var->errata = true;
            var->sterror = QStringLiteral("Non analizabile");
        }
        UInt64 a = 0, bsum = 0;
        for (int i = 0; i < dataBytes; ++i) {
            var->totdati += IntToHex(data[i], 2);
            if (i < 4)
                a |= UInt64(data[i]) << (8 * i);
            else
                bsum += UInt64(data[i]) << ((8 * (i - 4)) % 32);
        }
        var->dato_A = Integer(LongWord(a));
        var->dato_B = Integer(LongWord(bsum));

        TVariable_MBus* v = var.get();
        List.push_back(std::move(var));
        std::memcpy(App_Data_Val, data, sizeof App_Data_Val);
        std::memset(App_Vife_Val, 0, sizeof App_Vife_Val);
        std::memcpy(App_Vife_Val, vifes, size_t(numVife));
        Decode_Record_Value(vif, v->PrinVIFE, v, dataBytes, lvar, Byte(dataField));
        v->FunctionFieldStr = QString::fromLatin1(FunctionTexts[functionField]);
        // A reserved length leaves no way to find the next record: the kept
        // record, marked and without a value, ends the list.
        if (reserved) {
            v->ValueStr.clear();
            return true;
        }
        ++p;
    }
    return true;
}

namespace {

// CI fields of the two answers a meter gives to REQ_UD2.
constexpr Byte CI_Variable = 0x72;
constexpr Byte CI_Fixed = 0x73;
// Bytes of a whole answer with the fixed data structure.
constexpr Integer Fixed_Answer_Size = 25;

LongWord LE32(const Byte* b) { return LongWord(b[0]) | (LongWord(b[1]) << 8) | (LongWord(b[2]) << 16) | (LongWord(b[3]) << 24); }

// The fixed structure's 4-bit medium as a medium code of the variable
// structure: 0-8 mean the same; A-E are gas, heat, hot water, water and
// heat cost allocator of the second mode; 9 and F are reserved.
Integer Fixed_Medium(Integer Code)
{
    static const Integer map[16] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 0, 3, 4, 6, 7, 8, 0};
    return map[Code & 0x0F];
}

} // namespace

Integer TMBusRecordDecoder::Add_Wired_Slave(Integer Index, bool& NoMore)
{
    const Integer len = std::clamp(Ans_Len, 0, Ans_Size);
    NoMore = true;
    const Byte ci = Ans_Array[6];
    if (ci == CI_Fixed)
        return Index < 0 ? Add_Fixed_Slave(len) : Index;
    // Another structure is not read: it makes no meter and adds no records.
    if (ci != CI_Variable)
        return Index < 0 ? -1 : Index;
    TSlave_MBus* slave = nullptr;
    if (Index < 0) {
        auto fresh = std::make_unique<TSlave_MBus>();
        fresh->Primary_Addresss = Ans_Array[5];
        fresh->Secondary_Addresss = IntToHex(LE32(&Ans_Array[7]), 2);
        fresh->Manufacture = Ans_Array[11] | (Ans_Array[12] << 8);
        fresh->Version = Ans_Array[13];
        fresh->Medium = Ans_Array[14];
        fresh->Status = Ans_Array[16];
        fresh->descmedium = Medium_Text(fresh->Medium);
        fresh->descManufacture = Trova_Man(fresh->Manufacture);
        slave = fresh.release();
        Index = Wired_Slave_List->Add(slave);
    } else if (Index < Wired_Slave_List->Count()) {
        slave = static_cast<TSlave_MBus*>(Wired_Slave_List->Items(Index));
    }
    if (slave != nullptr)
        NoMore = Parse_Data_Records(slave->List_Var, len - 22, 0, &Ans_Array[19]);
    return Index;
}

// The fixed data structure: identification number (BCD), access number,
// status, two bytes of medium and counter units, two 4-byte counters. It
// names no manufacturer or version. Status bit 0 says the counters are
// binary (else BCD), bit 1 that they are stored values; counter 2's unit
// 3E is counter 1's unit for a stored value.
Integer TMBusRecordDecoder::Add_Fixed_Slave(Integer Len)
{
    if (Len < Fixed_Answer_Size)
        return -1;
    const Byte* a = Ans_Array;
    auto fresh = std::make_unique<TSlave_MBus>();
    fresh->Primary_Addresss = a[5];
    fresh->Secondary_Addresss = IntToHex(LE32(&a[7]), 2);
    fresh->Status = a[12];
    fresh->Medium = Fixed_Medium(((a[14] >> 6) << 2) | (a[13] >> 6));
    fresh->descmedium = Medium_Text(fresh->Medium);
    const bool binary = a[12] & 0x01;
    const bool stored = a[12] & 0x02;
    const Byte unit1 = a[13] & 0x3F;
    Byte unit2 = a[14] & 0x3F;
    bool stored2 = stored;
    if (unit2 == 0x3E) {
        unit2 = unit1;
        stored2 = true;
    }
    const TDateTime now = Now();
    const struct {
        const Byte* data;
        Byte unit;
        bool stored;
    } counters[2] = {{&a[15], unit1, stored}, {&a[19], unit2, stored2}};
    for (const auto& c : counters) {
        auto var = std::make_unique<TVariable_MBus>();
        var->dimension = binary ? 4 : 12;
        var->Is_BCD = !binary;
        var->DataFieldStr = QString::fromLatin1(DataFields[var->dimension].text);
        var->descdim = var->DataFieldStr;
        var->nbyte = 4;
        var->storage_number = c.stored ? 1 : 0;
        var->FunctionFieldStr = QString::fromLatin1(FunctionTexts[0]);
        var->datagiorno = DateToStr(now);
        var->tempo = TimeToStr(now);
        var->Real_Wireless_Var = true;
        for (int i = 0; i < 4; ++i)
            var->totdati += IntToHex(c.data[i], 2);
        var->dato_A = Integer(LE32(c.data));
        std::memset(App_Data_Val, 0, sizeof App_Data_Val);
        std::memcpy(App_Data_Val, c.data, 4);
        std::memset(App_Vife_Val, 0, sizeof App_Vife_Val);
        Decode_Fixed_Value(c.unit, var.get(), binary);
        fresh->List_Var.push_back(std::move(var));
    }
    return Wired_Slave_List->Add(fresh.release());
}

QString Medium_Text(Integer Code)
{
    switch (Code) {
    case 1: return QStringLiteral("Oil");
    case 2: return QStringLiteral("Electricity");
    case 3: return QStringLiteral("Gas");
    case 4: return QStringLiteral("Heat (outlet)");
    case 5: return QStringLiteral("Steam");
    case 6: return QStringLiteral("Hot Water");
    case 7: return QStringLiteral("Water");
    case 8: return QStringLiteral("Heat Cost Allocator.");
    case 9: return QStringLiteral("Compressed Air");
    case 10: return QStringLiteral("Cooling load meter (outlet)");
    case 11: return QStringLiteral("Cooling load meter (inlet)");
    case 12: return QStringLiteral("Heat (inlet) ");
    case 13: return QStringLiteral("Heat/Cooling load meter");
    case 14: return QStringLiteral("Bus/System");
    case 15: return QStringLiteral("Unknown Medium");
    case 22: return QStringLiteral("Cold Water");
    case 23: return QStringLiteral("Dual Water");
    case 24: return QStringLiteral("Pressure");
    case 25: return QStringLiteral("A/D Converter");
    default: return QStringLiteral("Other");
    }
}

QString Trova_Man(Integer num)
{
    int c1 = 64;
    while ((c1 - 64) * 1024 < num)
        ++c1;
    const int r = num - (c1 - 65) * 1024;
    int c2 = 64;
    while ((c2 - 64) * 32 < r)
        ++c2;
    const int c3 = r - (c2 - 65) * 32 + 64;
    auto letter = [](int c) { return c >= 65 && c <= 90 ? QChar(c) : QLatin1Char('?'); };
    return QString(letter(c1 - 1)) + letter(c2 - 1) + letter(c3);
}

QString Two_Digit_Text(Integer Value)
{
    QString s = IntToStr(Value);
    if (s.size() == 1)
        s.prepend(QLatin1Char('0'));
    return s;
}

Int64 Power_Of_Ten(Integer K)
{
    Int64 r = 1;
    for (Integer i = 0; i < K; ++i)
        r *= 10;
    return r;
}

Int64 TMBusRecordDecoder::BCD_To_Int64(Integer N) const
{
    N = std::clamp(N, 0, 9); // more digits do not fit 64 bits
    Int64 sum = 0;
    for (Integer i = 0; i < N; ++i) {
        const Byte b = App_Data_Val[i];
        if (i == N - 1 && b >= 0xF0)
            return -(sum + (b & 0x0F) * Power_Of_Ten(2 * i));
        sum += (b & 0x0F) * Power_Of_Ten(2 * i) + (b >> 4) * Power_Of_Ten(2 * i + 1);
    }
    return sum;
}

bool BCD_Is_Number(const Byte* Data, Integer N)
{
    for (Integer i = 0; i < N; ++i) {
        const Byte b = Data[i];
        const bool sign = i == N - 1 && (b >> 4) == 0x0F;
        if ((b & 0x0F) > 9 || (!sign && (b >> 4) > 9))
            return false;
    }
    return true;
}

QString BCD_Digits(const Byte* Data, Integer N)
{
    QString s;
    for (Integer i = N - 1; i >= 0; --i)
        s += IntToHex(Data[i], 2);
    return s;
}
