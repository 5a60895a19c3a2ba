#pragma once
// Records exchanged with the external OPC UA browse library "OPC_UA_Search".
// Little-endian, natural alignment, texts are pointers to zero-terminated
// 8-bit texts owned by their writer. Field order and meaning are fixed; the
// pointer fields take the platform's pointer size, so a library for this
// program must be built for the same width. On a 64-bit build (this one on
// x86-64 and arm64) the library must use:
//
//   opcua_server_to_discover, 56 bytes      opcua_structure, 80 bytes
//    0 server_address       pointer          0 nameSpaceIndex     u16
//    8 user_pass_auth_flag  i32              2 identifierType     u16
//   12 (padding)            4 bytes          4 numeric            u32
//   16 username             pointer          8 stringname         pointer
//   24 password             pointer         16 stringLength       u32
//   32 cert                 pointer         20 guide1             u32
//   40 priv_key             pointer         24 guide2             u16
//   48 security_type        i32             26 guide3             u16
//   52 security_policy      i32             28 guide4             8 bytes
//                                           36 (padding)          4 bytes
//                                           40 byteString         pointer
//                                           48 byteStringLength   u32
//                                           52 (padding)          4 bytes
//                                           56 displayName        pointer
//                                           64 displayNameLength  u32
//                                           68 dataType           i32
//                                           72 accessLevel        u8
//                                           73 spare              3 bytes
//                                           76 (padding)          4 bytes
//
// A 32-bit build has no padding: 32 and 56 bytes, every field after a
// pointer 4 bytes earlier. The request is passed by value and the result by
// address, both with the C calling convention. The static assertions below
// hold both layouts.

#include "platform/Types.h"

#include <cstddef>

extern "C" {

// One OPC UA server to browse.
struct opcua_server_to_discover {
    const char* server_address;   // endpoint address
    Integer user_pass_auth_flag;  // authentication code 0, 1 or 2
    const char* username;
    const char* password;
    const char* cert;             // client certificate
    const char* priv_key;         // private key
    Integer security_type;        // security mode code 0, 1 or 2
    Integer security_policy;      // security policy code 0 to 5
};

// One variable (node) found on the server. The length fields are carried,
// but the texts are read up to their terminating zero.
struct opcua_structure {
    Word nameSpaceIndex;
    Word identifierType;          // 0 numeric, 3 string, 4 GUID, 5 byte string
    LongWord numeric;             // identifier of type 0
    const char* stringname;       // identifier of type 3
    LongWord stringLength;
    LongWord guide1;              // GUID of type 4
    Word guide2;
    Word guide3;
    Byte guide4[8];
    const char* byteString;       // identifier of type 5, zero-terminated
    LongWord byteStringLength;
    const char* displayName;
    LongWord displayNameLength;
    Integer dataType;             // data type code
    Byte accessLevel;             // bit 0 readable, bit 1 writable
    Byte spare[3];
};

// The library's two entry points, C calling convention.
// Browses the server and returns the number of variables found.
using opcua_client_begin_proc = Integer (*)(opcua_server_to_discover server);
// Fills the record with the variable of the zero-based index.
using opcua_return_variable_proc = void (*)(opcua_structure* variable, Integer index);

} // extern "C"

// A GUID as the compiler's OPC UA variable record holds it.
struct TOPC_UA_Guid {
    LongWord data1;
    Word data2;
    Word data3;
    Byte data4[8];
};

static_assert(sizeof(TOPC_UA_Guid) == 16);
static_assert(offsetof(TOPC_UA_Guid, data4) == 8);

// The layouts above: offset on a 32-bit build, offset on a 64-bit build.
namespace opcua_layout {
static_assert(sizeof(void*) == 4 || sizeof(void*) == 8);
constexpr std::size_t At(std::size_t narrow, std::size_t wide) { return sizeof(void*) == 4 ? narrow : wide; }
}

static_assert(offsetof(opcua_server_to_discover, server_address) == 0);
static_assert(offsetof(opcua_server_to_discover, user_pass_auth_flag) == opcua_layout::At(4, 8));
static_assert(offsetof(opcua_server_to_discover, username) == opcua_layout::At(8, 16));
static_assert(offsetof(opcua_server_to_discover, password) == opcua_layout::At(12, 24));
static_assert(offsetof(opcua_server_to_discover, cert) == opcua_layout::At(16, 32));
static_assert(offsetof(opcua_server_to_discover, priv_key) == opcua_layout::At(20, 40));
static_assert(offsetof(opcua_server_to_discover, security_type) == opcua_layout::At(24, 48));
static_assert(offsetof(opcua_server_to_discover, security_policy) == opcua_layout::At(28, 52));
static_assert(sizeof(opcua_server_to_discover) == opcua_layout::At(32, 56));

static_assert(offsetof(opcua_structure, nameSpaceIndex) == 0);
static_assert(offsetof(opcua_structure, identifierType) == 2);
static_assert(offsetof(opcua_structure, numeric) == 4);
static_assert(offsetof(opcua_structure, stringname) == 8);
static_assert(offsetof(opcua_structure, stringLength) == opcua_layout::At(12, 16));
static_assert(offsetof(opcua_structure, guide1) == opcua_layout::At(16, 20));
static_assert(offsetof(opcua_structure, guide2) == opcua_layout::At(20, 24));
static_assert(offsetof(opcua_structure, guide3) == opcua_layout::At(22, 26));
static_assert(offsetof(opcua_structure, guide4) == opcua_layout::At(24, 28));
static_assert(offsetof(opcua_structure, byteString) == opcua_layout::At(32, 40));
static_assert(offsetof(opcua_structure, byteStringLength) == opcua_layout::At(36, 48));
static_assert(offsetof(opcua_structure, displayName) == opcua_layout::At(40, 56));
static_assert(offsetof(opcua_structure, displayNameLength) == opcua_layout::At(44, 64));
static_assert(offsetof(opcua_structure, dataType) == opcua_layout::At(48, 68));
static_assert(offsetof(opcua_structure, accessLevel) == opcua_layout::At(52, 72));
static_assert(offsetof(opcua_structure, spare) == opcua_layout::At(53, 73));
static_assert(sizeof(opcua_structure) == opcua_layout::At(56, 80));
