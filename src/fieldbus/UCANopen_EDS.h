#pragma once
// The CANopen electronic data sheet (EDS, version 4.0) of the converter as a
// CANopen slave: fixed communication objects, one communication parameter,
// mapping parameter and variable record for every receive and transmit PDO
// of PDO_CANopen.xml, and one manufacturer object for every object index of
// SDO_Server_CANopen.xml.

#include "platform/Text.h"
#include "platform/Types.h"

#include <QString>
#include <vector>

class TSaveDialog;
class TStrings;

struct EDS_PDO_Entry {
    Integer COB_ID = 0;
    Integer Dimension = 0;
};

struct SDO_Sub_Type {
    Byte Sub = 0;
    Byte Quantity = 0;      // object length in bytes: 1, 2 or 4
    bool Readonly = false;  // from the read table
    QString Mnemonic;       // left empty
};

struct SDO_Index {
    Word Index = 0;
    std::vector<SDO_Sub_Type> Sub_Indexs;
};

// Kept between writes and refilled by each: entries 0-29 the receive PDOs,
// 30-59 the transmit PDOs, in file order.
constexpr Integer EDS_Max_PDO = 30;
extern EDS_PDO_Entry EDS_PDO_Table[2 * EDS_Max_PDO];
extern Integer Num_Receive_PDO;
extern Integer Num_Transmit_PDO;
// The object indexes of the server objects, in order of first appearance.
extern std::vector<SDO_Index> SDO_Index_List;

extern const QString EDS_File_Name;
extern const QString EDS_Product_Description;
extern const QString EDS_Product_Number;
extern const QString EDS_Order_Code;
extern const char* const RPDO_Variable_Names[EDS_Max_PDO];
extern const char* const TPDO_Variable_Names[EDS_Max_PDO];

// Builds the whole file from the configuration's two files and saves it at
// Path, replacing any file there. A configuration file that cannot be read,
// a row without one of the attributes the file needs, or a PDO whose
// Dimension is a number outside 1 to 8, raises
// std::runtime_error and writes nothing; so does a failed save.
void Write_EDS_File(const QString& Path);
// The same with the creation date and time given.
void Write_EDS_File(const QString& Path, TDateTime When);

// Fills EDS_PDO_Table and the two counts from PDO_CANopen_File (none without
// the file; at most 30 per direction).
void Load_PDO_For_EDS();
// Fills SDO_Index_List from SDO_Server_CANopen_File (empty without the file).
void Load_SDO_Server_For_EDS();
// Position in SDO_Index_List of the object Index, -1 when absent.
Integer Find_SDO_Index(Integer Index);
// Every object's sub-indexes ascending; equal ones keep their order.
void Sort_SDO_Sub_Indexes();

// "MM-DD-YYYY" and the hour in the file's own AM/PM form ("12:00AM" at noon).
QString EDS_Date_Text(TDateTime When);
QString EDS_Time_Text(TDateTime When);

// The step behind the "EDS File" button: SaveEDS starts in the configuration
// folder and adds ".eds" to a name typed without an extension; the chosen
// file is written at once, without a question. Errors are shown in an error
// box.
void Build_EDS_File(TSaveDialog& SaveEDS);
