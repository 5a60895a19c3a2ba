#pragma once
// What the readers of the compiler see of a configuration file: an element's
// named values (the root's child elements of ParGen.xml, the attributes of a
// table row), each of which may be missing. The conversions below fill the
// images from such values, so each field is read on its own with its default.

#include <QString>

#include "image/USaveBincc.h"

class TNamed_Values {
public:
    virtual ~TNamed_Values() = default;
    // The value's text; false when it is missing or cannot be read.
    virtual bool Value(const char* name, QString& text) const = 0;
};

// A value's text, or def when it is missing.
inline QString Value_Text(const TNamed_Values& values, const char* name, const QString& def = QString())
{
    QString text;
    return values.Value(name, text) ? text : def;
}

// A value read as an integer; def when it is missing or does not convert.
Integer Value_Int(const TNamed_Values& values, const char* name, Integer def);

// ParGen.xml into the parameter block, the LoRaWAN head's radio fields and
// Master_Type_Code.
void Fill_Param_Block(const TNamed_Values& pargen);

// Whether a rule or request row is compiled: ticked, or without Enable.
bool Row_Selected(const TNamed_Values& row);

// LoRaWAN rules.
void Fill_Uplink_Entry(LoRaWAN_Entry& entry, const TNamed_Values& row, bool variable_port);
void Fill_Downlink_Entry(LoRaWAN_Entry& entry, const TNamed_Values& row, bool variable_port);

// BACnet requests.
void Fill_BACnet_Read_Entry(BACnet_Request_Entry& entry, const TNamed_Values& row,
                            Integer master_type, QChar decimal_separator);
void Fill_BACnet_Write_Entry(BACnet_Request_Entry& entry, const TNamed_Values& row,
                             Integer master_type, QChar decimal_separator);
