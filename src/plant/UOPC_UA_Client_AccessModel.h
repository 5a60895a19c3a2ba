#pragma once
// The OPC UA client configuration as the client window edits it: the servers
// the converter connects to, each with the variables it reads and the
// variables it writes, with the text forms of a variable's node type, node
// identifier and data type. Every conversion is silent: a text that does not
// fit gives a default value, never an error.

#include "platform/Object.h"
#include "platform/Types.h"

#include <QString>
#include <array>
#include <memory>
#include <vector>

// One variable read from or written to a server.
class TOPC_UA_Variable : public TObject {
public:
    QString ClassName() const override { return QStringLiteral("TOPC_UA_Variable"); }

    bool Enable() const { return FEnable; }
    void SetEnable(bool v) { FEnable = v; }
    // The node's display name: the key of a table row.
    const QString& DispalyName() const { return FDispalyName; }
    void SetDispalyName(const QString& v) { FDispalyName = v; }
    // Declared access text; nothing sets or reads it.
    const QString& ReadWrite() const { return FReadWrite; }
    void SetReadWrite(const QString& v) { FReadWrite = v; }
    // Write variables: "Y" to write on a change, on a command, periodically.
    const QString& OnChange() const { return FOnChange; }
    void SetOnChange(const QString& v) { FOnChange = v; }
    const QString& OnCMD() const { return FOnCMD; }
    void SetOnCMD(const QString& v) { FOnCMD = v; }
    const QString& OnTimer() const { return FOnTimer; }
    void SetOnTimer(const QString& v) { FOnTimer = v; }
    // Read variables: "Variable" or "Array", first element and count.
    const QString& VarArray() const { return FVarArray; }
    void SetVarArray(const QString& v) { FVarArray = v; }
    const QString& Start() const { return FStart; }
    void SetStart(const QString& v) { FStart = v; }
    const QString& Len() const { return FLen; }
    void SetLen(const QString& v) { FLen = v; }
    // Period in milliseconds, byte in the internal data array, bit 0..7 in it.
    const QString& Time() const { return FTime; }
    void SetTime(const QString& v) { FTime = v; }
    const QString& Position() const { return FPosition; }
    void SetPosition(const QString& v) { FPosition = v; }
    const QString& StartBit() const { return FStartBit; }
    void SetStartBit(const QString& v) { FStartBit = v; }
    bool Swap() const { return FSwap; }
    void SetSwap(bool v) { FSwap = v; }
    bool Swap_Word() const { return FSwap_Word; }
    void SetSwap_Word(bool v) { FSwap_Word = v; }
    bool Swap_All() const { return FSwap_All; }
    void SetSwap_All(bool v) { FSwap_All = v; }
    const QString& Mnemonic() const { return FMnemonic; }
    void SetMnemonic(const QString& v) { FMnemonic = v; }

    // The node, as the browse library reports it. Only the identifier field
    // that identifierType selects is meaningful.
    Word nameSpaceIndex = 0;
    Word identifierType = 0; // 0 numeric, 3 string, 4 GUID, 5 byte string
    LongWord numeric = 0;
    QString stringname;
    LongWord guide1 = 0;
    Word guide2 = 0;
    Word guide3 = 0;
    std::array<Byte, 8> guide4{}; // last eight GUID bytes in text order
    QString byteString;
    Integer dataType = 0; // 0 Boolean .. 14 ByteString

    // "Numeric", "String", "Guid", "ByteString" (empty for another code).
    // Writing compares upper-cased and gives 0 for an unknown text; the
    // identifier is left as it is.
    QString NodeType() const;
    void SetNodeType(const QString& v);
    // The identifier as text; writing parses it by the current
    // identifierType, so set NodeType first.
    QString NodeID() const;
    void SetNodeID(const QString& v);
    // The data type name; codes outside 1..14 read as "Boolean", and an
    // unknown name writes 0.
    QString VarType() const;
    void SetVarType(const QString& v);

private:
    bool FEnable = false;
    QString FDispalyName;
    QString FReadWrite;
    QString FOnChange;
    QString FOnCMD;
    QString FOnTimer;
    QString FVarArray;
    QString FStart;
    QString FLen;
    QString FTime;
    QString FPosition;
    QString FStartBit = QStringLiteral("0");
    bool FSwap = false;
    bool FSwap_Word = false;
    bool FSwap_All = false;
    QString FMnemonic;
};

using TOPC_UA_Variable_List = std::vector<std::unique_ptr<TOPC_UA_Variable>>;

// One server with its read and write variables, which it owns.
class TOPC_UA_Server : public TObject {
public:
    ~TOPC_UA_Server() override;
    QString ClassName() const override { return QStringLiteral("TOPC_UA_Server"); }

    bool Enable() const { return FEnable; }
    void SetEnable(bool v) { FEnable = v; }
    const QString& ServerAddress() const { return FServerAddress; }
    void SetServerAddress(const QString& v) { FServerAddress = v; }
    // "Anonymous", "Username and Password" or "Certificate".
    const QString& Authorization() const { return FAuthorization; }
    void SetAuthorization(const QString& v) { FAuthorization = v; }
    const QString& UserName() const { return FUserName; }
    void SetUserName(const QString& v) { FUserName = v; }
    const QString& Password() const { return FPassword; }
    void SetPassword(const QString& v) { FPassword = v; }
    const QString& Certificate() const { return FCertificate; }
    void SetCertificate(const QString& v) { FCertificate = v; }
    const QString& PrivateKey() const { return FPrivateKey; }
    void SetPrivateKey(const QString& v) { FPrivateKey = v; }
    // Security mode: "None", "Sign" or "Sign and Encrypt".
    const QString& SecurityType() const { return FSecurityType; }
    void SetSecurityType(const QString& v) { FSecurityType = v; }
    const QString& SecurityPolicy() const { return FSecurityPolicy; }
    void SetSecurityPolicy(const QString& v) { FSecurityPolicy = v; }
    const QString& Mnemonic() const { return FMnemonic; }
    void SetMnemonic(const QString& v) { FMnemonic = v; }

    TOPC_UA_Variable_List Var_List_R; // read variables, in table order
    TOPC_UA_Variable_List Var_List_W; // write variables, in table order

private:
    bool FEnable = false;
    QString FServerAddress;
    QString FAuthorization;
    QString FUserName;
    QString FPassword;
    QString FCertificate;
    QString FPrivateKey;
    QString FSecurityType;
    QString FSecurityPolicy;
    QString FMnemonic;
};

using TOPC_UA_Server_List = std::vector<std::unique_ptr<TOPC_UA_Server>>;

// ---------------------------------------------------------------------------
// The configuration file OPC_UA_Client.xml: servers, then their read and
// write variables, nested; Booleans "1"/"0"; no version comment.

// Replaces FileName with the servers of List, whole or not at all; false with
// Error when it cannot be written (the old file then stays).
bool Write_OPC_UA_Client_File(const QString& FileName, const TOPC_UA_Server_List& List, QString& Error);
// Appends the servers of FileName to List. A missing list element reads as
// no servers or no variables, a missing attribute as its default or the
// value at creation, and a NameSpaceIndex that is no integer as 0. False
// with Error when the file cannot be read or is not well-formed XML; List is
// then unchanged.
bool Read_OPC_UA_Client_File(const QString& FileName, TOPC_UA_Server_List& List, QString& Error);

// ---------------------------------------------------------------------------
// Checks before saving, and the automatic positions in the internal data
// array. Read and write variables each have positions 0 to 1499.

inline constexpr Integer OPC_UA_Max_Position = 1499;

// Checks every enabled variable of every server (reads, then writes, in
// list order); the first fault is shown in an error box and gives false.
bool Controllo_Dati(const TOPC_UA_Server_List& List);
// Bytes a value of the data type name takes (compared upper-cased); 0 for
// an unknown name.
Integer GetLenVarType(const QString& name);
// Where the automatic positions of the server at SelectedRow (table row,
// server index + 1) start: after the highest position + length used by the
// server before it, reads and writes apart; 0 for the first server.
void Start_Position(const TOPC_UA_Server_List& List, Integer SelectedRow, Integer& ReadStart, Integer& WriteStart);
// Gives the read and then the write variables of the server at SelectedRow
// consecutive positions from Start_Position, each growing by its type's
// length; nothing for a row that names no server.
void Auto_Position(TOPC_UA_Server_List& List, Integer SelectedRow);
