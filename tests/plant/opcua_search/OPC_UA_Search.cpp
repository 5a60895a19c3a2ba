// A stand-in of the OPC UA browse library for the tests: it answers both
// entry points from a small fixed address space chosen by the server
// address, and hands its texts out of buffers that the next call overwrites,
// as a library may.
//   "opc.tcp://plant:4840"  five variables, one of each identifier type
//   "opc.tcp://odd"         records the window must show with empty texts
//   "opc.tcp://echo"        one variable whose display name repeats the request
//   "opc.tcp://empty"       no variables; any other address: -1
// Built without STAND_IN_WITHOUT_RETURN_VARIABLE it exports both entry
// points; with it, only opcua_client_begin.
#include "shell/OpcUaRecords.h"

#include <cstdio>
#include <cstring>
#include <iterator>

namespace {

struct TNode {
    Word Namespace;
    Word Type;
    LongWord Numeric;
    const char* Text;  // string or byte-string identifier
    LongWord Guid1;
    Word Guid2, Guid3;
    Byte Guid4[8];
    const char* Name;
    Integer Data_Type;
    Byte Access;
};

const TNode Plant[] = {
    {2, 0, 1001, nullptr, 0, 0, 0, {}, "Temperature", 9, 1},
    {2, 3, 0, "Line1.Setpoint", 0, 0, 0, {}, "Setpoint", 3, 2},
    {3, 4, 0, nullptr, 0x0a1b2c3d, 0x4e5f, 0x6071, {0x82, 0x93, 0xa4, 0xb5, 0xc6, 0xd7, 0xe8, 0xf9}, "Batch", 13, 0},
    {1, 5, 0, "AQID", 0, 0, 0, {}, "Raw block", 14, 3},
    {0, 0, 4294967295u, nullptr, 0, 0, 0, {}, "Status", 6, 4},
};

const TNode Odd[] = {
    {7, 1, 5, nullptr, 0, 0, 0, {}, nullptr, 15, 1},
    {70, 3, 0, nullptr, 0, 0, 0, {}, "No identifier", -1, 2},
};

// Plain data only, so that the library unloads when the program lets it go.
TNode Answer[8];
Integer Answer_Count = 0;
char Echo[1024];

} // namespace

extern "C" __attribute__((visibility("default"))) Integer opcua_client_begin(opcua_server_to_discover server)
{
    const char* address = server.server_address ? server.server_address : "(null)";
    auto take = [](const TNode* nodes, Integer count) {
        std::memcpy(Answer, nodes, sizeof(TNode) * std::size_t(count));
        Answer_Count = count;
        return count;
    };
    Answer_Count = 0;
    if (std::strcmp(address, "opc.tcp://plant:4840") == 0)
        return take(Plant, Integer(std::size(Plant)));
    if (std::strcmp(address, "opc.tcp://odd") == 0)
        return take(Odd, Integer(std::size(Odd)));
    if (std::strcmp(address, "opc.tcp://echo") == 0) {
        auto text = [](const char* t) { return t ? t : "(null)"; };
        std::snprintf(Echo, sizeof Echo, "%s|%d|%s|%s|%s|%s|%d|%d", address, server.user_pass_auth_flag,
                      text(server.username), text(server.password), text(server.cert), text(server.priv_key),
                      server.security_type, server.security_policy);
        const TNode echo{0, 0, 1, nullptr, 0, 0, 0, {}, Echo, 0, 0};
        return take(&echo, 1);
    }
    if (std::strcmp(address, "opc.tcp://empty") == 0)
        return 0;
    return -1;
}

#ifndef STAND_IN_WITHOUT_RETURN_VARIABLE
namespace {

// The texts of the last record handed out.
char Name_Buffer[256];
char Id_Buffer[256];

const char* Hand_Out(char* buffer, const char* text)
{
    if (!text)
        return nullptr;
    std::snprintf(buffer, 256, "%s", text);
    return buffer;
}

} // namespace

extern "C" __attribute__((visibility("default"))) void opcua_return_variable(opcua_structure* variable, Integer index)
{
    if (!variable || index < 0 || index >= Answer_Count)
        return;
    const TNode& n = Answer[index];
    std::memset(variable, 0xA5, sizeof *variable);  // every field must be written below
    variable->nameSpaceIndex = n.Namespace;
    variable->identifierType = n.Type;
    variable->numeric = n.Numeric;
    variable->stringname = n.Type == 3 ? Hand_Out(Id_Buffer, n.Text) : nullptr;
    variable->stringLength = variable->stringname ? LongWord(std::strlen(variable->stringname)) : 0;
    variable->guide1 = n.Guid1;
    variable->guide2 = n.Guid2;
    variable->guide3 = n.Guid3;
    std::memcpy(variable->guide4, n.Guid4, sizeof n.Guid4);
    variable->byteString = n.Type == 5 ? Hand_Out(Id_Buffer, n.Text) : nullptr;
    variable->byteStringLength = variable->byteString ? LongWord(std::strlen(variable->byteString)) : 0;
    variable->displayName = Hand_Out(Name_Buffer, n.Name);
    variable->displayNameLength = variable->displayName ? LongWord(std::strlen(variable->displayName)) : 0;
    variable->dataType = n.Data_Type;
    variable->accessLevel = n.Access;
}
#endif
