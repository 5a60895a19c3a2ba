// Wireless telegrams taken in while a wireless scan listens: each is filed
// under the meter that sent it, decrypted when the meter's key is known and
// the telegram uses security mode 5 or 7 behind an extended link layer, and
// its records are parsed when they are readable.
#include "mbus/UMBusScanDecode.h"

#include "mbus/AES.h"
#include "platform/Lists.h"
#include "platform/Streams.h"
#include "platform/Text.h"
#include "shell/UComon.h"

#include <cstring>
#include <map>
#include <vector>

namespace {

struct TTelegram {
    const Byte* b;
    Word Word16(int i) const { return Word(b[i] | (b[i + 1] << 8)); }
    LongWord Word32(int i) const
    {
        return LongWord(b[i]) | (LongWord(b[i + 1]) << 8) | (LongWord(b[i + 2]) << 16) | (LongWord(b[i + 3]) << 24);
    }
    bool Idle_Pair(int i) const { return b[i] == 0x2F && b[i + 1] == 0x2F; }
    // Security mode from a configuration word's high byte.
    bool Mode_0(int i) const { return (b[i] & 0x0F) == 0; }
    bool Mode_5(int i) const { return (b[i] & 0x0F) == 5; }
};

// Position of the next CI after an extended link layer (CI 0x8C..0x8F).
int Next_CI_Position(Byte ci)
{
    switch (ci) {
    case 0x8C: return 13;
    case 0x8D: return 19;
    case 0x8E: return 21;
    case 0x8F: return 27;
    default: return -1;
    }
}

// MAC length by authentication type.
int Mac_Length(int authType)
{
    switch (authType) {
    case 3: return 2;
    case 4: return 4;
    case 5: return 8;
    case 6: return 12;
    case 7: return 16;
    case 8: return 12;
    default: return 0;
    }
}

// A record's tick and tree node, under what makes it the same record in the
// meter's next telegram: its DIF, DIFE, VIF and VIFE, and how many records
// with those came before it.
struct TRecord_Tick {
    QString Key;
    bool Enable;
    void* Node;
};
using TRecord_Ticks = std::vector<TRecord_Tick>;

TRecord_Ticks Record_Ticks(const TVariable_MBus_List& Records)
{
    TRecord_Ticks ticks;
    std::map<QString, int> seen;
    for (const auto& r : Records) {
        const QString id = r->DIF + QLatin1Char('|') + r->DIFE + QLatin1Char('|') + QString::number(r->VIF)
                           + QLatin1Char('|') + r->VIFE;
        ticks.push_back({id + QLatin1Char('#') + QString::number(seen[id]++), r->Enable, r->Node});
    }
    return ticks;
}

void Keep_Record_Ticks(const TRecord_Ticks& Ticks, TVariable_MBus_List& Records)
{
    const TRecord_Ticks now = Record_Ticks(Records);
    for (size_t i = 0; i < now.size(); ++i)
        for (const TRecord_Tick& old : Ticks)
            if (old.Key == now[i].Key) {
                Records[i]->Enable = old.Enable;
                Records[i]->Node = old.Node;
                break;
            }
}

// CBC decryption of Count bytes at Data, in place.
void Decrypt_In_Place(Byte* Data, int Count, const TAESKey128& Key, const TAESBuffer& IV, QByteArray& Plain)
{
    const QByteArray cipher =
        TMBusScanDecode::Hex_Text_To_Bytes(QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(Data), Count).toHex()));
    TMemoryStream source;
    source.Write(cipher.constData(), cipher.size());
    source.Seek(0, soBeginning);
    TMemoryStream dest;
    AES_Decrypt_Stream_CBC(&source, Count, Key, &dest, IV);
    Plain = dest.Bytes();
}

} // namespace

Integer TMBusScanDecode::Find_Wireless_Slave(Word Manufacturer, LongWord Address, Byte DeviceType, Byte Version) const
{
    if (!Wireless_Slave_List)
        return -1;
    for (Integer i = 0; i < Wireless_Slave_List->Count(); ++i) {
        const auto* m = static_cast<const TSlave_wMBus*>(Wireless_Slave_List->Items(i));
        if (m->ALA_Manufacturer == Manufacturer && m->ALA_Address == Address && m->ALA_Version == Version
            && m->ALA_DeviceType == DeviceType)
            return i;
    }
    return -1;
}

void TMBusScanDecode::Receive_Wireless_Telegram(TRadioModule Module)
{
    if (!Wireless_Slave_List || Ans_Len < 1)
        return;
    const TDateTime now = Now();
    const TTelegram t {Ans_Array};
    Byte* b = Ans_Array;

    // Identity of the link layer, and of the application layer (the long
    // transport header's when there is one).
    const Byte cField = b[1];
    const Word llaMan = t.Word16(2);
    const LongWord llaAdd = t.Word32(4);
    const Byte llaVer = b[8];
    const Byte llaDev = b[9];
    const Byte ci = b[10];
    const bool sameIdentity = ci == 0x7A || ci == 0x8C || ci == 0x8D;
    const Word alaMan = sameIdentity ? llaMan : t.Word16(15);
    const LongWord alaAdd = sameIdentity ? llaAdd : t.Word32(11);
    const Byte alaVer = sameIdentity ? llaVer : b[17];
    const Byte alaDev = sameIdentity ? llaDev : b[18];

    const Byte level = b[Ans_Len - 1];
    const ShortInt rssi = Module == rmTelit ? ShortInt(-Integer(level) - 2) : ShortInt(ShortInt(level) / 2 + 1);

    Integer index = Find_Wireless_Slave(alaMan, alaAdd, alaDev, alaVer);
    TSlave_wMBus* meter;
    bool readable = true;
    if (index < 0) {
        meter = new TSlave_wMBus;
        meter->Message_Type = cField;
        meter->LLA_Manufacturer = llaMan;
        meter->LLA_Manu_str = Trova_Man(llaMan);
        meter->LLA_Address = llaAdd;
        meter->LLA_Version = llaVer;
        meter->LLA_DeviceType = llaDev;
        meter->ALA_Manufacturer = alaMan;
        meter->ALA_Manu_str = Trova_Man(alaMan);
        meter->ALA_Address = alaAdd;
        meter->ALA_Version = alaVer;
        meter->ALA_DeviceType = alaDev;
        meter->RSSI = rssi;
        meter->RadioCrafts_Ind_Tab_Decript = -1;
        index = Wireless_Slave_List->Add(meter);
    } else {
        meter = static_cast<TSlave_wMBus*>(Wireless_Slave_List->Items(index));
        const int afll = b[14];
        if (ci == 0x8C && b[13] == 0x7A && (b[17] & 0x05) == 0x05 && !t.Idle_Pair(18)) {
            // Mode 5: CBC under the meter's key, the initialisation vector
            // from the link-layer identity and the access number.
            const int count = b[16] & 0xF0;
            if (meter->Enable_Key && count > 0) {
                TAESBuffer iv {};
                std::memcpy(iv.data(), &b[2], 8);
                std::memset(iv.data() + 8, b[14], 8);
                QByteArray plain;
                Decrypt_In_Place(&b[18], count, meter->Key, iv, plain);
                std::memcpy(&b[18], plain.constData(), size_t(plain.size()));
            }
        } else if (ci == 0x8C && b[13] == 0x90 && b[15 + afll] == 0x7A && (b[19 + afll] & 0x07) == 0x07
                   && b[21 + afll] != 0x2F && b[22 + afll] != 0x2F && meter->Enable_Key) {
            // Mode 7: the authentication and fragmentation layer, then a
            // payload key derived by CMAC and CBC with a zero vector.
            int p = 15;
            const Word fcl = t.Word16(p);
            p += 2;
            int authType = -1;
            if (fcl & 0x2000)
                authType = b[p++] & 0x0F;
            if (fcl & 0x0200)
                p += 2;
            Byte counter[4] = {0, 0, 0, 0}; // none when the layer carries no counter
            if (fcl & 0x0800) {
                std::memcpy(counter, &b[p], 4);
                p += 4;
            }
            if (fcl & 0x0400)
                p += Mac_Length(authType);
            if (fcl & 0x1000)
                p += 2;
            if (b[p] == 0x7A) {
                p += 3; // CI, access number, status
                const Byte cfgLow = b[p++];
                const Byte cfgHigh = b[p++];
                if ((cfgHigh & 0x1F) == 7) {
                    ++p; // configuration extension
                    if (cfgHigh & 0x20)
                        p += 4;
                    const int count = (cfgLow >> 4) * 16;
                    Byte block[16];
                    block[0] = 0x00;
                    std::memcpy(&block[1], counter, 4);
                    std::memcpy(&block[5], &b[4], 4);
                    std::memset(&block[9], 0x07, 7);
                    TMemoryStream derivation;
                    derivation.Write(block, 16);
                    const TAESBuffer payloadKey = AES_CMAC_Stream(&derivation, 16, meter->Key);
                    QByteArray plain;
                    if (count > 0)
                        Decrypt_In_Place(&b[p], count, payloadKey, TAESBuffer {}, plain);
                    if (plain.size() >= 2 && Byte(plain[0]) == 0x2F && Byte(plain[1]) == 0x2F)
                        std::memcpy(&b[p], plain.constData(), size_t(plain.size()));
                    else
                        readable = false;
                }
            }
        }
    }

    if (readable) {
        // The records the user unticked stay unticked in the new telegram.
        const TRecord_Ticks ticks = Record_Ticks(meter->List_Var);
        meter->Cancel_Var();
        meter->DateTime = now;
        meter->RSSI = rssi;

        // Readable records and where they start.
        bool plain = false;
        int start = -1;
        const int c = Next_CI_Position(ci);
        if (ci == 0x7A) {
            plain = t.Mode_0(14) || (t.Mode_5(14) && t.Idle_Pair(15));
            start = 15;
        } else if (ci == 0x72) {
            plain = t.Idle_Pair(23);
            start = 23;
        } else if (c > 0) {
            const Byte next = b[c];
            if (next == 0x78) {
                plain = true;
                start = c + 1;
            } else if (next == 0x7A) {
                plain = t.Mode_0(c + 4) || (t.Mode_5(c + 4) && t.Idle_Pair(c + 5));
                start = c + 5;
            } else if (next == 0x72) {
                plain = t.Mode_0(c + 12) || (t.Mode_5(c + 12) && t.Idle_Pair(c + 13));
                start = c + 13;
            } else if (next == 0x90 && (ci == 0x8C || ci == 0x8D)) {
                const int afll = b[c + 1];
                plain = t.Idle_Pair(c + 8 + afll);
                if (ci == 0x8C)
                    start = c + 8 + afll;
            }
        }
        meter->Cripted = !plain;
        if (plain && start >= 0) {
            const Integer last = Ans_Len - start - (Module == rmTelit ? 3 : 2);
            Parse_Data_Records(meter->List_Var, last, 0, &Ans_Array[start]);
            Keep_Record_Ticks(ticks, meter->List_Var);
        }
    }
    Notify_Wireless_Slave(index, meter);
}
