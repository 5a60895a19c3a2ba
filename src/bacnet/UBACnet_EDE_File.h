#pragma once
// The converter's own BACnet EDE file (layout 2): a semicolon-separated text
// that describes the converter as a BACnet device and lists one line per
// server object of BACnet_Slave_SetAccess.xml.

#include "platform/Object.h"
#include "platform/Text.h"
#include "platform/Types.h"

#include <QString>
#include <memory>
#include <vector>

class TSaveDialog;

// One object line of the file, its fields in column order.
class TBACnet_EDE_Obj : public TObject {
public:
    QString ClassName() const override { return QStringLiteral("TBACnet_EDE_Obj"); }
    QString Keyname;
    QString DevObjInstance;
    QString ObjectName;
    QString ObjectType;
    QString ObjectInstance;
    QString Description;
    QString UnitCode;
};

// The objects of the write under way, in file order.
extern std::vector<std::unique_ptr<TBACnet_EDE_Obj>> EDE_Object_List;
// The device's object instance from ParGen.xml for the current write; empty
// when that file lacks it (nothing of an earlier configuration is kept).
extern QString EDE_Dev_Instance;
// Object names of 32 characters instead of 16 for the current write.
extern bool EDE_Long_Names;
constexpr Integer EDE_Type_Count = 18;
extern Integer EDE_Instance_Counters[EDE_Type_Count];

// Builds and writes the file at Path, replacing it. A configuration file
// that cannot be read, a row without Data_Type, Eng_Unit or Mnemonic, a
// BACnet_Slave_SetAccess.xml without one of its tables, or a failed save
// raises std::runtime_error and writes nothing.
void Write_EDE_File(const QString& Path);
// The same with the time of the write given.
void Write_EDE_File(const QString& Path, TDateTime When);

// The steps of a write, in their order. Reset_EDE_Instances also empties
// the device instance.
void Reset_EDE_Instances();
void Read_EDE_ParGen();
void Read_EDE_Objects();
void Write_EDE_Lines(const QString& Path, TDateTime When);

// The BACnet object-type number of a Data_Type text (trimmed, any letter
// case); 0 for a text of no known type.
Integer EDE_Object_Type_Code(const QString& Data_Type);
// The next instance number of an object type (counted from 0 per write).
Integer EDE_Next_Instance(Integer Object_Type);
// "hh:nn:ss dd/mm/yyyy".
QString EDE_Timestamp_Text(TDateTime When);
// A field as the file can hold it: a ";" would start another column and a
// line break another line, so each becomes a blank.
QString EDE_Field_Text(const QString& Text);

// The step behind the "BACnet EDE File" button: SD1 starts in the
// configuration folder; ".csv" is added unless the name ends in it (any
// letter case); an existing file is overwritten only after Yes to the
// question (Yes, No, Cancel). Errors are shown in an error box.
void BACnet_EDE_File(TSaveDialog& SD1);
// The file name a chosen name stands for.
QString EDE_File_Path(const QString& Chosen);
