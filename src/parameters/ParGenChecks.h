#pragma once
// The checks the general parameters pass before ParGen.xml is written, and
// the two key filters of the window's edits.

#include "platform/Types.h"

#include <QChar>

struct TParGenValues;

// The first check that fails, in the fixed order of the window: its message's
// text number (0 when every check passes) and, for the payload message, the
// maximum that goes in place of its %d.
struct TParGenFault {
    Integer Text = 0;
    Integer Max_Payload = 0;
    explicit operator bool() const { return Text != 0; }
};
TParGenFault ParGen_First_Fault(const TParGenValues& values);

// Address and key edits: hexadecimal digits and every control key (code 32
// or below: space, backspace, tab, enter, escape, clipboard shortcuts) pass.
bool Hex_Key_Passes(QChar key);

// The octet edit that "." moves to from an element's edit: the next one of
// the DNS chain (primary 1..4, secondary 1..4) or of the Ethernet chain
// (address, mask, gateway); -1 for the last of a chain and any other edit.
Integer Next_Octet_Element(Integer element);
