#pragma once
// Checks and conversions of the values users type as text: integers,
// IPv4 addresses (with or without a port), device names, KNX addresses,
// SNMP object identifiers and security levels, decimal numbers and the list
// of serial ports. No function shows a message: every failure is the result,
// and each window picks its own message for it.

#include "platform/Types.h"

#include <QString>
#include <memory>

class TStringList;

// The one integer reading of the program. Accepted: any number of leading
// spaces, an optional "+" or "-", then decimal digits or a hexadecimal prefix
// ("$", "x", "X", "0x", "0X") with hexadecimal digits, and nothing after the
// digits. A decimal value must fit a signed 32-bit integer; a hexadecimal one
// is a 32-bit pattern ("$FFFFFFFF" is -1). Anything else does not convert.
bool Try_Text_To_Int(const QString& text, Integer& value);
// The same, giving fallback when the text does not convert.
Integer Text_To_Int(const QString& text, Integer fallback);
// The same reading for a signed 64-bit integer (a hexadecimal value is a
// 64-bit pattern).
bool Try_Text_To_Int64(const QString& text, Int64& value);
Int64 Text_To_Int64(const QString& text, Int64 fallback);
// The decimal reading of the checks that ask for decimal numbers: the same,
// without the hexadecimal forms ("$10" and "0x10" do not convert).
bool Try_Decimal_To_Int(const QString& text, Integer& value);
Integer Decimal_To_Int(const QString& text, Integer fallback);
bool Try_Decimal_To_Int64(const QString& text, Int64& value);

// True when text is four dot-separated parts, each 0..255 by the integer
// reading (parts trimmed, the fourth being everything after the third dot).
// The out parts are assigned as they are found.
bool Split_IP_Address(const QString& text, QString& part1, QString& part2, QString& part3, QString& part4);

// Converts "a.b.c.d" into four bytes, the text not trimmed; returns true on
// error (a part outside 0..255 or not a number makes its byte 0). An empty
// text is an error and leaves the bytes unchanged.
bool IP_Text_To_Bytes(const QString& text, Byte& b1, Byte& b2, Byte& b3, Byte& b4);

// Reads "a.b.c.d:port"; true when valid. On failure every output is 0.
bool Parse_IP_Port(const QString& text, Byte& b1, Byte& b2, Byte& b3, Byte& b4, Word& port);

// True when a character is not an ASCII letter or digit.
bool Has_Non_Alnum_Char(const QString& text);

// Checks a KNX group address (group true: a/b/c, a/b or a number) or an
// individual address (a.b.c, a.b or a number); returns true on error.
bool Check_KNX_Address(const QString& text, bool group, bool allow_zero);
// True when the text holds no "." (so it is read as a group address).
bool Is_KNX_Group_Address(const QString& text);

// Checks an SNMP object identifier: 0 when valid, else the first fault:
// 1 longer than 128 characters, 2 a character other than a digit or "." (an
// empty text counts here), 3 a leading dot, 4 a trailing dot, 5 two dots in a
// row, 6 a component above 4294967295.
Integer Check_OID(const QString& text);

// SNMPv3 message flags of a security level text: "AUTH NOPRIV" 1,
// "AUTH PRIV" 3 (either case, blanks around ignored), empty -1, other 0.
Integer SNMP_Security_Level_Code(const QString& text);

// The user's decimal separator, "," or ".".
QChar Get_Decimal_Separator();

// Converts a decimal number, first turning every "," or "." into separator;
// on failure value becomes 1.0 and the result is false.
bool Text_To_Float(const QString& text, QChar separator, float& value);

// Numbers of the serial ports present, ascending, as decimal texts ("1",
// "3", ...); the caller owns the list.
std::unique_ptr<TStringList> Get_COM_Port_List();
