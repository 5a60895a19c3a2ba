#pragma once
// The columns of the BACnet client request tables: header text, editor,
// width, list items and the file attribute of each, and the real column
// index of every field the checks and the EDE import use. Also the grid
// setup, row blanking and Delete Row question that every BACnet table
// shares.

#include "bacnet/UBACnetAccess.h"
#include "grid/ExObj.h"

struct TBACnet_Column {
    Integer Header;         // text number of the header
    TEditorType Editor;
    Integer Width;
    const char* Attribute;  // attribute of the row element; nullptr: not stored
    const char* Missing;    // value for a row element without the attribute
    const char* const* Items = nullptr;
    Integer Item_Count = 0;
    bool Read_Only = false;
};

struct TBACnet_Columns {
    const char* Element;  // BACnet_Read or BACnet_Write
    const TBACnet_Column* Column;
    Integer Count;
};

TBACnet_Columns BACnet_Access_Columns(TBACnet_Table Table);

class TExColumnGrid;

// Gives a table grid its columns (headers come from Set_Lang), a fixed
// row-number column and header row, and Rows rows; cells are editable.
void Setup_BACnet_Grid(TExColumnGrid* Grid, const TBACnet_Column* Columns, Integer Count, Integer Rows);
// Data rows 1 to Rows: the row number in column 0, First in column 1 and
// the empty text in every other column, hidden ones included.
void Blank_BACnet_Rows(TExColumnGrid* Grid, Integer Rows, const QString& First);
// Delete Row of a table: asks text Question + the current row number
// (Yes/No) and on Yes deletes the grid's current row.
void Delete_Current_Row(TExColumnGrid* Grid, Integer Question);

// Fields shared by both tables sit in the same columns.
enum : Integer { Col_Enable = 1, Col_Address = 2, Col_Object_Type = 3 };

enum TRead_Col : Integer {
    Read_Col_Instance = 4,
    Read_Col_Property = 5,
    Read_Col_NByte = 6,
    Read_Col_En_Dest = 7,
    Read_Col_D_Net = 8,
    Read_Col_Poll_Time = 11,
    Read_Col_Max_Err = 12,
    Read_Col_Position = 13,
    Read_Col_Start_Bit = 14,
    Read_Col_Swap = 15,
    Read_Col_Convertion = 16,
    Read_Col_Float_To_Int = 17,
    Read_Col_Molt_Factor = 18,
    Read_Col_Mnemonic = 19,
};

enum TWrite_Col : Integer {
    Write_Col_Data_Type = 4,
    Write_Col_Instance = 5,
    Write_Col_Property = 6,
    Write_Col_Priority = 7,
    Write_Col_NByte = 8,
    Write_Col_En_Dest = 9,
    Write_Col_D_Net = 10,
    Write_Col_Change = 13,
    Write_Col_Timer = 14,
    Write_Col_Poll_Time = 15,
    Write_Col_Max_Err = 16,
    Write_Col_Position = 17,
    Write_Col_Start_Bit = 18,
    Write_Col_Swap = 19,
    Write_Col_Convertion = 20,
    Write_Col_Int_To_Float = 21,
    Write_Col_Molt_Factor = 22,
    Write_Col_Mnemonic = 23,
};
