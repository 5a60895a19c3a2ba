#pragma once
// AES-128 for the wireless meters: the block cipher, CBC decryption of a
// stream and the AES-CMAC tag of a stream. Only what telegram decryption
// needs: single-block encryption exists for the CMAC.

#include "platform/Types.h"

#include <QString>
#include <array>
#include <stdexcept>

class TStream;

class EAESError : public std::runtime_error {
public:
    explicit EAESError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

using TAESBuffer = std::array<Byte, 16>;
using TAESKey128 = std::array<Byte, 16>;
// Round keys 0..10, four words each.
using TAESExpandedKey128 = std::array<LongWord, 44>;

TAESExpandedKey128 AES_Expand_Key(const TAESKey128& Key);
// InvMixColumns over round keys 1..9, turning an expanded key into the
// schedule of the equivalent inverse cipher.
void AES_Inv_Mix_Round_Keys(TAESExpandedKey128& ExpandedKey);
TAESExpandedKey128 AES_Expand_Key_Decrypt(const TAESKey128& Key);

TAESBuffer AES_Encrypt_Block(const TAESBuffer& InBuf, const TAESExpandedKey128& Key);
TAESBuffer AES_Decrypt_Block(const TAESBuffer& InBuf, const TAESExpandedKey128& DecryptKey);

// Decrypts Count bytes (0: the whole source from its start) from the
// source's position into Dest at its position. Raises EAESError for a
// count that is not whole blocks or a stream that moves fewer bytes.
void AES_Decrypt_Stream_CBC(TStream* Source, Int64 Count, const TAESKey128& Key, TStream* Dest, const TAESBuffer& InitVector);
void AES_Decrypt_Stream_CBC(TStream* Source, Int64 Count, const TAESExpandedKey128& DecryptKey, TStream* Dest,
                            const TAESBuffer& InitVector);

// The CMAC tag of the first Length bytes of Source, always from its start.
TAESBuffer AES_CMAC_Stream(TStream* Source, Int64 Length, const TAESKey128& Key);
void CMAC_Subkeys(const TAESExpandedKey128& Key, TAESBuffer& K1, TAESBuffer& K2);

TAESBuffer Block_Xor(const TAESBuffer& A, const TAESBuffer& B);
// One bit to the left, as a 128-bit big-endian number.
TAESBuffer Block_Shift_Left(const TAESBuffer& Block);
// Bytes 0..N-1 of Block, then 0x80, then zeros.
TAESBuffer Block_Pad(const TAESBuffer& Block, Integer N);
Integer Min_Int(Integer A, Integer B);
