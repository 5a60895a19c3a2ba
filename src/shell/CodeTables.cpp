#include "shell/CodeTables.h"

#include "shell/OpcUaRecords.h"

#include <array>
#include <iterator>

namespace {

// Names of a table whose unlisted codes show as its last name and whose
// unlisted names map to its last code.
template <std::size_t N>
QString NameOrLast(const std::array<const char*, N>& names, Integer code)
{
    const std::size_t i = code >= 0 && std::size_t(code) < N ? std::size_t(code) : N - 1;
    return QString::fromLatin1(names[i]);
}

template <std::size_t N>
Byte CodeOrLast(const std::array<const char*, N>& names, const QString& name)
{
    for (std::size_t i = 0; i + 1 < N; ++i)
        if (name == QLatin1String(names[i]))
            return Byte(i);
    return Byte(N - 1);
}

constexpr std::array<const char*, 3> kAuth = {"Anonymous", "Username and Password", "Certificate"};
constexpr std::array<const char*, 3> kSecurityMode = {"None", "Sign", "Sign and Encrypt"};
constexpr std::array<const char*, 6> kSecurityPolicy = {
    "None", "Basic 128 RSA 15", "Basic 256", "Basic 256 SHA 256", "AES 128 SHA 256 RSA OAEP",
    "AES 256 SHA 256 RSA PSS"};

constexpr const char* kDataTypes[] = {"Boolean", "Int8",   "UInt8",  "Int16",    "UInt16",
                                      "Int32",   "UInt32", "Int64",  "UInt64",   "Float",
                                      "Double",  "String", "DateTime", "Guid",   "ByteString"};

struct IdType { Integer code; const char* name; const char* upper; };
constexpr IdType kIdTypes[] = {
    {0, "Numeric", "NUMERIC"}, {3, "String", "STRING"}, {4, "Guid", "GUID"}, {5, "ByteString", "BYTESTRING"}};

QString Hex(quint64 value, int digits)
{
    return QString::number(value, 16).toUpper().rightJustified(digits, u'0');
}

} // namespace

QString OPC_UA_Id_Type_Name(Integer code)
{
    for (const IdType& t : kIdTypes)
        if (t.code == code)
            return QString::fromLatin1(t.name);
    return {};
}

Byte OPC_UA_Id_Type_Code(const QString& name)
{
    QString upper = name;
    for (QChar& c : upper)
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 32);
    for (const IdType& t : kIdTypes)
        if (upper == QLatin1String(t.upper))
            return Byte(t.code);
    return 0;
}

QString OPC_UA_Id_Text(const opcua_structure& v)
{
    switch (v.identifierType) {
    case 0:
        return QString::number(v.numeric);
    case 3:
        return QString::fromLocal8Bit(v.stringname);
    case 4: {
        QString s = Hex(v.guide1, 8) + u'-' + Hex(v.guide2, 4) + u'-' + Hex(v.guide3, 4) + u'-'
                    + Hex(v.guide4[0], 2) + Hex(v.guide4[1], 2) + u'-';
        for (int i = 2; i < 8; ++i)
            s += Hex(v.guide4[i], 2);
        return s;
    }
    case 5:
        return QString::fromLocal8Bit(v.byteString);
    default:
        return {};
    }
}

QString OPC_UA_Data_Type_Name(Integer code)
{
    if (code < 0 || code >= Integer(std::size(kDataTypes)))
        return {};
    return QString::fromLatin1(kDataTypes[code]);
}

QString OPC_UA_Auth_Name(Integer code) { return NameOrLast(kAuth, code); }
Byte OPC_UA_Auth_Code(const QString& name) { return CodeOrLast(kAuth, name); }
QString OPC_UA_Security_Mode_Name(Integer code) { return NameOrLast(kSecurityMode, code); }
Byte OPC_UA_Security_Mode_Code(const QString& name) { return CodeOrLast(kSecurityMode, name); }
QString OPC_UA_Security_Policy_Name(Integer code) { return NameOrLast(kSecurityPolicy, code); }
Byte OPC_UA_Security_Policy_Code(const QString& name) { return CodeOrLast(kSecurityPolicy, name); }

Integer Get_BACnet_Eng_Unit(Integer type_data, Integer Type_Data_Vife)
{
    return 95;
}

Integer Get_Scan_Device_Code()
{
    return 12;
}

Integer Get_Scan_Form_Type()
{
    return 0;
}
