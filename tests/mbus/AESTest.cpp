// The cipher against the published AES-128 vectors: the block cipher and key
// schedule, CBC decryption of a stream and the CMAC tag.
#include <gtest/gtest.h>

#include "mbus/AES.h"
#include "platform/Streams.h"

namespace {

QByteArray Hex(const char* text) { return QByteArray::fromHex(text); }

TAESBuffer Block(const char* text)
{
    const QByteArray b = Hex(text);
    TAESBuffer r{};
    std::copy(b.begin(), b.begin() + 16, r.begin());
    return r;
}

QByteArray Bytes(const TAESBuffer& b) { return QByteArray(reinterpret_cast<const char*>(b.data()), 16); }

std::unique_ptr<TMemoryStream> Stream(const QByteArray& bytes)
{
    auto s = std::make_unique<TMemoryStream>();
    s->WriteBuffer(bytes);
    s->SetPosition(0);
    return s;
}

const char* const KeyA = "2b7e151628aed2a6abf7158809cf4f3c";
const char* const Plain64 = "6bc1bee22e409f96e93d7e117393172aae2d8a571e03ac9c9eb76fac45af8e51"
                            "30c81c46a35ce411e5fbc1191a0a52eff69f2445df4f9b17ad2b417be66c3710";
const char* const Cipher64 = "7649abac8119b246cee98e9b12e9197d5086cb9b507219ee95db113a917678b2"
                             "73bed6b8e3c1743b7116e69e222295163ff1caa1681fac09120eca307586e1a7";

TEST(AES, BlockCipherAndKeySchedulesMatchTheStandardExample)
{
    const TAESKey128 key = Block("000102030405060708090a0b0c0d0e0f");
    const TAESBuffer plain = Block("00112233445566778899aabbccddeeff");
    const TAESBuffer cipher = Block("69c4e0d86a7b0430d8cdb78070b4c55a");

    const TAESExpandedKey128 enc = AES_Expand_Key(key);
    // Last round key, its words loaded little-endian.
    EXPECT_EQ(enc[40], 0x7f1d1113u);
    EXPECT_EQ(enc[43], 0xc5302b4du);
    EXPECT_EQ(Bytes(AES_Encrypt_Block(plain, enc)), Bytes(cipher));

    const TAESExpandedKey128 dec = AES_Expand_Key_Decrypt(key);
    // Round keys 0 and 10 stay, the others are transformed.
    EXPECT_EQ(dec[0], enc[0]);
    EXPECT_EQ(dec[43], enc[43]);
    EXPECT_NE(dec[4], enc[4]);
    EXPECT_EQ(Bytes(AES_Decrypt_Block(cipher, dec)), Bytes(plain));
    // The caller's key is read only.
    EXPECT_EQ(Bytes(key), Hex("000102030405060708090a0b0c0d0e0f"));
}

TEST(AES, CbcDecryptionOfTheStandardExample)
{
    const TAESKey128 key = Block(KeyA);
    const TAESBuffer iv = Block("000102030405060708090a0b0c0d0e0f");

    // Whole stream (count 0) even when the source was moved on.
    auto src = Stream(Hex(Cipher64));
    src->SetPosition(32);
    TMemoryStream dst;
    AES_Decrypt_Stream_CBC(src.get(), 0, key, &dst, iv);
    EXPECT_EQ(dst.Bytes(), Hex(Plain64));
    EXPECT_EQ(Bytes(iv), Hex("000102030405060708090a0b0c0d0e0f"));

    // An exact count from the start, with a ready schedule.
    src->SetPosition(0);
    TMemoryStream two;
    AES_Decrypt_Stream_CBC(src.get(), 32, AES_Expand_Key_Decrypt(key), &two, iv);
    EXPECT_EQ(two.Bytes(), Hex(Plain64).left(32));

    // A count past the end takes only what remains: blocks 3 and 4, chained
    // from block 2 as their vector.
    src->SetPosition(32);
    TMemoryStream chained;
    AES_Decrypt_Stream_CBC(src.get(), 1000, key, &chained, Block("5086cb9b507219ee95db113a917678b2"));
    EXPECT_EQ(chained.Bytes(), Hex(Plain64).mid(32));
}

TEST(AES, CbcFaults)
{
    const TAESKey128 key = Block(KeyA);
    const TAESBuffer iv{};

    // 20 bytes are no whole blocks: nothing is written.
    auto src = Stream(Hex(Cipher64).left(20));
    TMemoryStream dst;
    try {
        AES_Decrypt_Stream_CBC(src.get(), 0, key, &dst, iv);
        FAIL() << "no error";
    } catch (const EAESError& e) {
        EXPECT_STREQ(e.what(), "Invalid buffer size for decryption");
    }
    EXPECT_EQ(dst.Size(), 0);

    // Nothing left after the position: nothing happens.
    src->SetPosition(20);
    EXPECT_NO_THROW(AES_Decrypt_Stream_CBC(src.get(), 16, key, &dst, iv));
    EXPECT_EQ(dst.Size(), 0);

    // A source that delivers less than it claims, and a destination that
    // takes less than it is given.
    struct TShortReader : TMemoryStream {
        Int64 Read(void* Buffer, Int64 Count) override { return Position() >= 16 ? 3 : TMemoryStream::Read(Buffer, Count); }
    } shortSrc;
    shortSrc.WriteBuffer(Hex(Cipher64));
    shortSrc.SetPosition(0);
    TMemoryStream out;
    try {
        AES_Decrypt_Stream_CBC(&shortSrc, 0, key, &out, Block("000102030405060708090a0b0c0d0e0f"));
        FAIL() << "no error";
    } catch (const EAESError& e) {
        EXPECT_STREQ(e.what(), "Stream read error");
    }
    EXPECT_EQ(out.Bytes(), Hex(Plain64).left(16)); // the first block stays

    struct TFullWriter : TMemoryStream {
        Int64 Write(const void*, Int64) override { return 8; }
    } fullDst;
    auto src2 = Stream(Hex(Cipher64));
    try {
        AES_Decrypt_Stream_CBC(src2.get(), 0, key, &fullDst, iv);
        FAIL() << "no error";
    } catch (const EAESError& e) {
        EXPECT_STREQ(e.what(), "Stream write error");
    }
}

TEST(AES, CmacOfTheStandardExamples)
{
    const TAESKey128 key = Block(KeyA);
    TAESBuffer k1, k2;
    CMAC_Subkeys(AES_Expand_Key(key), k1, k2);
    EXPECT_EQ(Bytes(k1), Hex("fbeed618357133667c85e08f7236a8de"));
    EXPECT_EQ(Bytes(k2), Hex("f7ddac306ae266ccf90bc11ee46d513b"));

    struct TCase {
        int length;
        const char* tag;
    };
    const TCase cases[] = {
        {0, "bb1d6929e95937287fa37d129b756746"},
        {16, "070a16b46b4d4144f79bdd9dd04a287c"},
        {40, "dfa66747de9ae63030ca32611497c827"},
        {64, "51f0bebf7e3b9d92fc49741779363cfe"},
    };
    for (const TCase& c : cases) {
        auto src = Stream(Hex(Plain64).left(c.length));
        // The tag covers the message from its start wherever the stream stood.
        src->SetPosition(src->Size());
        EXPECT_EQ(Bytes(AES_CMAC_Stream(src.get(), c.length, key)), Hex(c.tag)) << c.length;
    }
    // Only Length bytes count, whatever follows them in the stream.
    auto longer = Stream(Hex(Plain64));
    EXPECT_EQ(Bytes(AES_CMAC_Stream(longer.get(), 40, key)), Hex("dfa66747de9ae63030ca32611497c827"));
}

TEST(AES, BlockHelpers)
{
    EXPECT_EQ(Bytes(Block_Shift_Left(Block("80000000000000000000000000000001"))), Hex("00000000000000000000000000000002"));
    EXPECT_EQ(Bytes(Block_Shift_Left(Block("0180000000000000000000000000ff81"))), Hex("0300000000000000000000000001ff02"));
    EXPECT_EQ(Bytes(Block_Pad(Block("aabbccddeeff00112233445566778899"), 3)), Hex("aabbcc80000000000000000000000000"));
    EXPECT_EQ(Bytes(Block_Pad(Block("aabbccddeeff00112233445566778899"), 0)), Hex("80000000000000000000000000000000"));
    EXPECT_EQ(Bytes(Block_Xor(Block("ff00ff00ff00ff00ff00ff00ff00ff00"), Block("0f0f0f0f0f0f0f0f0f0f0f0f0f0f0f0f"))),
              Hex("f00ff00ff00ff00ff00ff00ff00ff00f"));
    EXPECT_EQ(Min_Int(3, -2), -2);
}

} // namespace
