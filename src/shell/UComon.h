#pragma once
// The application state that every window reads directly: the open
// configuration, the program's folders, the code texts, the last values of
// the update dialog, the language name, the option flags and the full path of
// every configuration file. One instance of each for the whole process, used
// on the user-interface thread only.

#include "platform/Types.h"

#include <QString>
#include <memory>
#include <vector>

class QChar;
class TExColumnGrid;
class TExStringGrid;
class TList;
class TStringList;

// Fixed texts of this build.
extern const QString Const_SW_Code;         // "SW59D16"
extern const QString Const_SW_Desc;         // "BACnet Master / LoRaWAN - Converter"
extern const QString Const_Update_SW_Code;  // code sent by the version check
extern const QString Const_SW_Version;      // "1.006", this software's version

// The open configuration: its name (a folder under Projects_Folder) and its
// folder; both empty when none is open.
extern QString Project_Name;
extern QString Project_Folder;

// The program's folders, none with a trailing separator: Exe_Folder holds
// the program; Data_Folder is where it keeps what it writes (the settings
// file and PROJECTS): Exe_Folder itself where that can be written, else the
// per-user data folder. MASTER and LANGUAGE are beside the program where
// they can be (see Make_Program_Folders).
extern QString Projects_Folder;
extern QString Exe_Folder;
extern QString Data_Folder;
extern QString Master_Folder;
extern QString Language_Folder;

extern QString Main_Caption;
extern QString SW_Code;
extern QString SW_Desc;

// Update dialog: converter address last reached, update option (0 firmware +
// configuration, 1 firmware, 2 configuration) and read-back box.
extern QString Last_IP_Address;
extern Integer Update_Option;
extern bool Read_Back;

// Language in use (name of LANGUAGE/<name>.lng without the extension).
extern QString Language_Name;

// Options: internet use, version check, Enter moves to the next table cell,
// a double click on a table header sizes the column.
extern bool Enable_Internet;
extern bool Enable_Update;
extern bool Enable_Jump_Field_Tables;
extern bool Double_Click_Auto_Size;

// Folder of the EDE file imported last (not kept between runs).
extern QString Last_EDE_Folder;

// Program-wide lists, created empty by the main window at start-up and kept
// until the program ends.
// Cell texts of the copied table row, and which columns were check boxes.
extern std::unique_ptr<TStringList> Row_Clipboard;
extern std::vector<bool> Row_Clipboard_Checks;
// Meters found by the M-Bus scans (wired and wireless).
extern std::unique_ptr<TList> Wired_Slave_List;
extern std::unique_ptr<TList> Wireless_Slave_List;
// Objects of the SNMP MIB writer.
extern std::unique_ptr<TStringList> MIB_Read_List;
extern std::unique_ptr<TStringList> MIB_Write_List;

// Full paths of the configuration files, set by Set_Files.
extern QString ParGen_File;
extern QString LoRaWAN_SetAccess_File;
extern QString ModbusM_SetAccess_File;
extern QString M_Bus_File;
extern QString ModbusTCPM_SetAccess_File;
extern QString CAN_Rec_Frames_File;
extern QString CAN_Send_Frames_File;
extern QString SDO_Server_CANopen_File;
extern QString SDO_Client_CANopen_File;
extern QString PDO_CANopen_File;
extern QString DNETM_Net_File;
extern QString DNETM_DefOff_File;
extern QString J1939_Rec_Frames_File;
extern QString J1939_Send_Frames_File;
extern QString NMEA_Rec_Frames_File;
extern QString NMEA_Send_Frames_File;
extern QString DMX_Default_Values_File;
extern QString KNX_SetAccess_File;
extern QString BACnet_Slave_SetAccess_File;
extern QString BACnet_Master_Access_File;
extern QString EtherNetIP_Master_Rules_File;
extern QString IEC_61850_Client_File;
extern QString TLS_Known_Cert_File;
extern QString IEC61850_Variables_File;
extern QString MQTT_Set_Topic_File;
extern QString OPC_UA_Client_File;
extern QString OPC_UA_Server_File;
extern QString S7_Protocol_File;
extern QString SNMP_Manager_File;
extern QString SNMP_Trap_File;

// Sets every configuration file path to Project_Folder + "/" + its file
// name. With no configuration open the paths are "/" + file name, which
// nothing may use: every step tests Project_Folder first.
void Set_Files();

// ---- Row helpers of the rule tables (sources in UComonRows.cpp)
//
// Every helper works on the columns 1 .. N - 1 of a row, N being the grid's
// visible plus hidden columns, by real column index: column 0 (the row
// number) is never touched, hidden columns travel like shown ones. Rows are
// the grid's row indexes (0 is the header row); a row outside 1 .. RowCount
// - 1 changes nothing.

// Column grids, whose check-box columns keep "Y"/"N" as the cell text.
// Rows below move up one; the last row is emptied.
void Grid_Delete_Row(Integer row, TExColumnGrid* grid);
// Rows from row move down one (the last row's contents are lost); row is
// emptied, with "Y" in column 1 when set_enable.
void Grid_Insert_Row(Integer row, TExColumnGrid* grid, bool set_enable);
// The row's cell texts into Row_Clipboard.
void Grid_Copy_Row(TExColumnGrid* grid, Integer row);
// Row_Clipboard into the row. Refuses with an error box when copied_here is
// false (text 1102) or the clipboard holds another column count (text 1101);
// asks before overwriting a row with text in a non-check-box column (1100).
void Grid_Paste_Row(TExColumnGrid* grid, Integer row, bool copied_here);

// String grids whose check boxes are cell objects and whose cells may be
// read-only one by one: as above, also carrying check states (and, for
// delete and insert, the read-only marks). The emptied bottom row of a
// delete is read-only, an inserted row editable; check_first ticks the
// check box of column 1 in that row.
void CheckBox_Grid_Copy_Row(TExStringGrid* grid, Integer row);
void CheckBox_Grid_Paste_Row(TExStringGrid* grid, Integer row, bool copied_here);
void CheckBox_Grid_Delete_Row(Integer row, TExStringGrid* grid, bool check_first);
void CheckBox_Grid_Insert_Row(Integer row, TExStringGrid* grid, bool check_first);

// A double click on a header cell (row 0) sizes that column to its content
// while Double_Click_Auto_Size is on.
void Grid_Auto_Size_Column(TExStringGrid* grid, Integer row, Integer column);
// While Enable_Jump_Field_Tables is on, Enter (key 13) moves to the next
// visible cell (after the last column: column 1 of the next row, from the
// last row back to row 1) and is then swallowed (key := 0).
void Grid_Enter_Next_Cell(TExStringGrid* grid, QChar& key);
