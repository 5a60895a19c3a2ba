#pragma once
// The MIB module of the converter's SNMP agent: a fixed part (identity, node
// tree, hellostring, countin, countout and the eight input and output data
// blocks) and, from SNMP_Trap.xml, one object per enabled row of each table
// and one notification per enabled read row.

#include "platform/Types.h"

#include <QString>

class TSaveDialog;

// Per object of MIB_Read_List (0-255) and of MIB_Write_List (256 + 0-255):
// 1 for an integer type, 0 otherwise. The agent has 256 rows per table, so
// a side takes at most 256 objects.
constexpr Integer MIB_Side_Max = 256;
extern Byte MIB_Int_Flags[2 * MIB_Side_Max];

// The step behind the "SNMP MIB" button: SaveMIB starts in the configuration
// folder; an existing file is overwritten only after Yes to text 1105; then
// the lists are read and the file written. Errors are shown in an error box.
void Create_SNMP_MIB(TSaveDialog& SaveMIB);

// Fills MIB_Read_List, MIB_Write_List and MIB_Int_Flags from SNMP_Trap_File
// (empty without the file). A file that is not well-formed, or an enabled
// row whose Description holds a double quote, raises std::runtime_error.
void Read_SNMP_Trap_Lists();

// Writes the module from the lists at FileName, replacing any file there;
// std::runtime_error when it cannot.
void Write_SNMP_MIB(const QString& FileName);
