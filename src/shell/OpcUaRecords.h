#pragma once
// Records exchanged with the external OPC UA browse library "OPC_UA_Search".
// Little-endian, natural alignment, texts are pointers to zero-terminated
// 8-bit texts owned by their writer. Field order and meaning are fixed by the
// library; the pointer fields take the platform's pointer size, so the
// offsets below differ between 32-bit and 64-bit builds (the library must be
// built for the same width as the program).

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

// The layouts the library expects, for 32-bit and 64-bit pointers.
namespace opcua_layout {
constexpr std::size_t P = sizeof(void*);
static_assert(P == 4 || P == 8);
constexpr std::size_t Align(std::size_t offset, std::size_t a) { return (offset + a - 1) / a * a; }
}

static_assert(offsetof(opcua_server_to_discover, server_address) == 0);
static_assert(offsetof(opcua_server_to_discover, user_pass_auth_flag) == opcua_layout::P);
static_assert(offsetof(opcua_server_to_discover, username) == 2 * opcua_layout::P);
static_assert(offsetof(opcua_server_to_discover, password) == 3 * opcua_layout::P);
static_assert(offsetof(opcua_server_to_discover, cert) == 4 * opcua_layout::P);
static_assert(offsetof(opcua_server_to_discover, priv_key) == 5 * opcua_layout::P);
static_assert(offsetof(opcua_server_to_discover, security_type) == 6 * opcua_layout::P);
static_assert(offsetof(opcua_server_to_discover, security_policy) == 6 * opcua_layout::P + 4);
static_assert(sizeof(opcua_server_to_discover) == (opcua_layout::P == 4 ? 32 : 56));

static_assert(offsetof(opcua_structure, nameSpaceIndex) == 0);
static_assert(offsetof(opcua_structure, identifierType) == 2);
static_assert(offsetof(opcua_structure, numeric) == 4);
static_assert(offsetof(opcua_structure, stringname) == 8);
static_assert(offsetof(opcua_structure, stringLength) == 8 + opcua_layout::P);
static_assert(offsetof(opcua_structure, guide1) == 12 + opcua_layout::P);
static_assert(offsetof(opcua_structure, guide2) == 16 + opcua_layout::P);
static_assert(offsetof(opcua_structure, guide3) == 18 + opcua_layout::P);
static_assert(offsetof(opcua_structure, guide4) == 20 + opcua_layout::P);
static_assert(offsetof(opcua_structure, byteString) == opcua_layout::Align(28 + opcua_layout::P, opcua_layout::P));
static_assert(offsetof(opcua_structure, byteStringLength) == offsetof(opcua_structure, byteString) + opcua_layout::P);
static_assert(offsetof(opcua_structure, displayName)
              == opcua_layout::Align(offsetof(opcua_structure, byteStringLength) + 4, opcua_layout::P));
static_assert(offsetof(opcua_structure, displayNameLength) == offsetof(opcua_structure, displayName) + opcua_layout::P);
static_assert(offsetof(opcua_structure, dataType) == offsetof(opcua_structure, displayNameLength) + 4);
static_assert(offsetof(opcua_structure, accessLevel) == offsetof(opcua_structure, dataType) + 4);
static_assert(offsetof(opcua_structure, spare) == offsetof(opcua_structure, accessLevel) + 1);
static_assert(sizeof(opcua_structure) == (opcua_layout::P == 4 ? 56 : 80));
