// Table-driven AES-128: four round tables per direction with the S-boxes for
// the last round, built once at compile time from the field arithmetic.
#include "mbus/AES.h"

#include "platform/Streams.h"

#include <cstring>

namespace {

const QString SInvalidBufferSize = QStringLiteral("Invalid buffer size for decryption");
const QString SReadError = QStringLiteral("Stream read error");
const QString SWriteError = QStringLiteral("Stream write error");

constexpr Byte XTime(Byte x) { return Byte((x << 1) ^ ((x & 0x80) ? 0x1B : 0)); }

constexpr Byte GMul(Byte a, Byte b)
{
    Byte r = 0;
    while (b) {
        if (b & 1)
            r ^= a;
        a = XTime(a);
        b >>= 1;
    }
    return r;
}

struct TTables {
    Byte SBox[256]{};
    Byte InvSBox[256]{};
    LongWord Te[4][256]{};
    LongWord Td[4][256]{};
};

constexpr LongWord Pack(Byte b0, Byte b1, Byte b2, Byte b3)
{
    return LongWord(b0) | (LongWord(b1) << 8) | (LongWord(b2) << 16) | (LongWord(b3) << 24);
}
constexpr LongWord RotL8(LongWord w) { return (w << 8) | (w >> 24); }

constexpr TTables MakeTables()
{
    TTables t;
    for (int x = 0; x < 256; ++x) {
        Byte inv = 0;
        if (x != 0)
            for (int y = 1; y < 256; ++y)
                if (GMul(Byte(x), Byte(y)) == 1) {
                    inv = Byte(y);
                    break;
                }
        Byte s = inv;
        Byte r = inv;
        for (int i = 0; i < 4; ++i) {
            r = Byte((r << 1) | (r >> 7));
            s ^= r;
        }
        s ^= 0x63;
        t.SBox[x] = s;
        t.InvSBox[s] = Byte(x);
    }
    for (int x = 0; x < 256; ++x) {
        const Byte s = t.SBox[x];
        const Byte i = t.InvSBox[x];
        t.Te[0][x] = Pack(GMul(s, 2), s, s, GMul(s, 3));
        t.Td[0][x] = Pack(GMul(i, 14), GMul(i, 9), GMul(i, 13), GMul(i, 11));
        for (int k = 1; k < 4; ++k) {
            t.Te[k][x] = RotL8(t.Te[k - 1][x]);
            t.Td[k][x] = RotL8(t.Td[k - 1][x]);
        }
    }
    return t;
}

constexpr TTables T = MakeTables();

inline LongWord LoadWord(const Byte* p) { return Pack(p[0], p[1], p[2], p[3]); }
inline void StoreWord(Byte* p, LongWord w)
{
    p[0] = Byte(w);
    p[1] = Byte(w >> 8);
    p[2] = Byte(w >> 16);
    p[3] = Byte(w >> 24);
}
inline Byte B(LongWord w, int r) { return Byte(w >> (8 * r)); }

LongWord InvMixColumn(LongWord w)
{
    const Byte a0 = B(w, 0), a1 = B(w, 1), a2 = B(w, 2), a3 = B(w, 3);
    return Pack(GMul(a0, 14) ^ GMul(a1, 11) ^ GMul(a2, 13) ^ GMul(a3, 9),
                GMul(a0, 9) ^ GMul(a1, 14) ^ GMul(a2, 11) ^ GMul(a3, 13),
                GMul(a0, 13) ^ GMul(a1, 9) ^ GMul(a2, 14) ^ GMul(a3, 11),
                GMul(a0, 11) ^ GMul(a1, 13) ^ GMul(a2, 9) ^ GMul(a3, 14));
}

} // namespace

TAESExpandedKey128 AES_Expand_Key(const TAESKey128& Key)
{
    static constexpr Byte Rcon[10] = {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80, 0x1B, 0x36};
    TAESExpandedKey128 w{};
    for (int i = 0; i < 4; ++i)
        w[i] = LoadWord(&Key[4 * i]);
    for (int i = 4; i < 44; ++i) {
        LongWord temp = w[i - 1];
        if (i % 4 == 0) {
            temp = (temp >> 8) | (temp << 24); // RotWord
            temp = Pack(T.SBox[B(temp, 0)], T.SBox[B(temp, 1)], T.SBox[B(temp, 2)], T.SBox[B(temp, 3)]);
            temp ^= Rcon[i / 4 - 1];
        }
        w[i] = w[i - 4] ^ temp;
    }
    return w;
}

void AES_Inv_Mix_Round_Keys(TAESExpandedKey128& ExpandedKey)
{
    for (int i = 4; i < 40; ++i)
        ExpandedKey[i] = InvMixColumn(ExpandedKey[i]);
}

TAESExpandedKey128 AES_Expand_Key_Decrypt(const TAESKey128& Key)
{
    TAESExpandedKey128 k = AES_Expand_Key(Key);
    AES_Inv_Mix_Round_Keys(k);
    return k;
}

TAESBuffer AES_Encrypt_Block(const TAESBuffer& InBuf, const TAESExpandedKey128& Key)
{
    LongWord s[4], t[4];
    for (int c = 0; c < 4; ++c)
        s[c] = LoadWord(&InBuf[4 * c]) ^ Key[c];
    for (int round = 1; round < 10; ++round) {
        for (int c = 0; c < 4; ++c)
            t[c] = T.Te[0][B(s[c], 0)] ^ T.Te[1][B(s[(c + 1) & 3], 1)] ^ T.Te[2][B(s[(c + 2) & 3], 2)]
                   ^ T.Te[3][B(s[(c + 3) & 3], 3)] ^ Key[4 * round + c];
        std::memcpy(s, t, sizeof s);
    }
    TAESBuffer out;
    for (int c = 0; c < 4; ++c)
        StoreWord(&out[4 * c], Pack(T.SBox[B(s[c], 0)], T.SBox[B(s[(c + 1) & 3], 1)], T.SBox[B(s[(c + 2) & 3], 2)],
                                    T.SBox[B(s[(c + 3) & 3], 3)])
                                   ^ Key[40 + c]);
    return out;
}

TAESBuffer AES_Decrypt_Block(const TAESBuffer& InBuf, const TAESExpandedKey128& DecryptKey)
{
    LongWord s[4], t[4];
    for (int c = 0; c < 4; ++c)
        s[c] = LoadWord(&InBuf[4 * c]) ^ DecryptKey[40 + c];
    for (int round = 9; round >= 1; --round) {
        for (int c = 0; c < 4; ++c)
            t[c] = T.Td[0][B(s[c], 0)] ^ T.Td[1][B(s[(c + 3) & 3], 1)] ^ T.Td[2][B(s[(c + 2) & 3], 2)]
                   ^ T.Td[3][B(s[(c + 1) & 3], 3)] ^ DecryptKey[4 * round + c];
        std::memcpy(s, t, sizeof s);
    }
    TAESBuffer out;
    for (int c = 0; c < 4; ++c)
        StoreWord(&out[4 * c], Pack(T.InvSBox[B(s[c], 0)], T.InvSBox[B(s[(c + 3) & 3], 1)],
                                    T.InvSBox[B(s[(c + 2) & 3], 2)], T.InvSBox[B(s[(c + 1) & 3], 3)])
                                   ^ DecryptKey[c]);
    return out;
}

void AES_Decrypt_Stream_CBC(TStream* Source, Int64 Count, const TAESKey128& Key, TStream* Dest, const TAESBuffer& InitVector)
{
    AES_Decrypt_Stream_CBC(Source, Count, AES_Expand_Key_Decrypt(Key), Dest, InitVector);
}

void AES_Decrypt_Stream_CBC(TStream* Source, Int64 Count, const TAESExpandedKey128& DecryptKey, TStream* Dest,
                            const TAESBuffer& InitVector)
{
    if (Count == 0) {
        Source->SetPosition(0);
        Count = Source->Size();
    } else {
        Count = std::min(Count, Source->Size() - Source->Position());
    }
    if (Count <= 0)
        return;
    if (Count % 16 != 0)
        throw EAESError(SInvalidBufferSize);
    TAESBuffer chain = InitVector;
    while (Count >= 16) {
        TAESBuffer cipher;
        if (Source->Read(cipher.data(), 16) < 16)
            throw EAESError(SReadError);
        const TAESBuffer plain = Block_Xor(AES_Decrypt_Block(cipher, DecryptKey), chain);
        if (Dest->Write(plain.data(), 16) < 16)
            throw EAESError(SWriteError);
        chain = cipher;
        Count -= 16;
    }
}

TAESBuffer Block_Xor(const TAESBuffer& A, const TAESBuffer& B)
{
    TAESBuffer r;
    for (int i = 0; i < 16; ++i)
        r[i] = A[i] ^ B[i];
    return r;
}

TAESBuffer Block_Shift_Left(const TAESBuffer& Block)
{
    TAESBuffer r;
    for (int i = 0; i < 16; ++i)
        r[i] = Byte((Block[i] << 1) | (i < 15 ? Block[i + 1] >> 7 : 0));
    return r;
}

TAESBuffer Block_Pad(const TAESBuffer& Block, Integer N)
{
    TAESBuffer r{};
    for (int i = 0; i < N && i < 16; ++i)
        r[i] = Block[i];
    if (N >= 0 && N < 16)
        r[N] = 0x80;
    return r;
}

Integer Min_Int(Integer A, Integer B) { return A < B ? A : B; }

void CMAC_Subkeys(const TAESExpandedKey128& Key, TAESBuffer& K1, TAESBuffer& K2)
{
    TAESBuffer rb{};
    rb[15] = 0x87;
    const TAESBuffer l = AES_Encrypt_Block(TAESBuffer{}, Key);
    K1 = Block_Shift_Left(l);
    if (l[0] & 0x80)
        K1 = Block_Xor(K1, rb);
    K2 = Block_Shift_Left(K1);
    if (K1[0] & 0x80)
        K2 = Block_Xor(K2, rb);
}

TAESBuffer AES_CMAC_Stream(TStream* Source, Int64 Length, const TAESKey128& Key)
{
    const TAESExpandedKey128 k = AES_Expand_Key(Key);
    TAESBuffer k1, k2;
    CMAC_Subkeys(k, k1, k2);

    Int64 n = (Length + 15) / 16;
    bool complete;
    if (n == 0) {
        n = 1;
        complete = false;
    } else {
        complete = Length % 16 == 0;
    }

    // A short read leaves zeros, so a message shorter than Length gives a
    // defined tag instead of stale bytes.
    TAESBuffer last{};
    Source->SetPosition((n - 1) * 16);
    Source->Read(last.data(), 16);
    last = complete ? Block_Xor(last, k1) : Block_Xor(Block_Pad(last, Integer(Length % 16)), k2);

    TAESBuffer x{};
    Source->SetPosition(0);
    for (Int64 i = 0; i < n - 1; ++i) {
        TAESBuffer block{};
        Source->Read(block.data(), 16);
        x = AES_Encrypt_Block(Block_Xor(x, block), k);
    }
    return AES_Encrypt_Block(Block_Xor(x, last), k);
}
