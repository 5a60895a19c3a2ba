#include "bacnet/UBACnetAccessColumns.h"

#include "bacnet/BACnetLang.h"
#include "shell/UComon.h"

#include "grid/columns/ExColumnGrid.h"
#include "platform/Dialogs.h"
#include "platform/Form.h"
#include "platform/StringList.h"

#include <iterator>

namespace {

#define ITEMS(list) list, Integer(std::size(list))

const char* const Read_Object_Types[] = {
    "Accumulator",   "Multi-State Input", "Multi-State Output", "Multi-State Value",  "Analog Input",
    "Analog Output", "Analog Value",      "Binary Input",       "Binary Output",      "Binary Value",
    "Integer Value", "Large Analog Value", "Positive Integer Value", "Life Safety Point", "Life Safety Zone",
};

const char* const Write_Object_Types[] = {
    "Multi-State Output", "Multi-State Value", "Analog Output",      "Analog Value",           "Binary Output",
    "Binary Value",       "Integer Value",     "Large Analog Value", "Positive Integer Value",
};

const char* const Read_Properties[] = {
    "Present Value (85)", "Object Identifier (75)", "Units (117)",        "Scale (187)",       "PreScale (185)",
    "Polarity (84)",      "Event State (36)",       "Status Flags (111)", "Object Type (79)", "Number of States (74)",
};

const char* const Write_Properties[] = {"Present Value (85)"};

const char* const Data_Types[] = {
    "Null",         "Boolean",          "Unsigned Int", "Signed Int", "Real", "Double",   "Octet String",
    "Character String", "Bit String", "Enumerated",   "Date",       "Time", "Object ID",
};

const char* const Dest_Lengths[] = {"1", "2", "6", "M1", "M2", "M3", "M4", "M5", "M6", "M7", "M8"};

const char* const Start_Bits[] = {"0", "1", "2", "3", "4", "5", "6", "7"};

const char* const Read_Convertions[] = {"None", "Float to Int", "(Float to Int) * 10", "(Float to Int) * 100"};
const char* const Write_Convertions[] = {"None", "Int to Float", "(Int to Float) / 10", "(Int to Float) / 100"};

// The Position lists ("0" to "1439") are filled when the window opens.
const TBACnet_Column Read_Columns[] = {
    {1308, edNormal, 32, nullptr, ""},
    {1390, edDataCheckBox, 45, "Enable", "Y"},
    {1309, edNormal, 90, "IP_Address_Slave_ID", ""},
    {1311, edComboEdit, 125, "Object_Type", "", ITEMS(Read_Object_Types)},
    {1312, edNormal, 56, "Instance", ""},
    {1313, edComboEdit, 115, "Property", "", ITEMS(Read_Properties)},
    {1314, edNormal, 45, "NumByte", ""},
    {1362, edDataCheckBox, 50, "Enable_Destination", "N"},
    {1363, edNormal, 45, "Destination_Network", ""},
    {1364, edComboList, 45, "Destination_Length", "", ITEMS(Dest_Lengths)},
    {1365, edNormal, 60, "Destination_Address", ""},
    {1315, edNormal, 58, "PollTime", ""},
    {1316, edNormal, 50, "MaxError", ""},
    {1317, edComboList, 56, "Position", ""},
    {1318, edComboList, 56, "StartBit", "", ITEMS(Start_Bits)},
    {1360, edDataCheckBox, 38, "Swap", "N"},
    {1380, edComboList, 115, nullptr, "", ITEMS(Read_Convertions)},
    {1394, edDataCheckBox, 75, "FloatToInt", "N"},
    {1395, edNormal, 75, "MultiplicationFactor", ""},
    {1319, edNormal, 307, "Mnemonic", ""},
};

const TBACnet_Column Write_Columns[] = {
    {1320, edNormal, 32, nullptr, ""},
    {1391, edDataCheckBox, 45, "Enable", "Y"},
    {1321, edNormal, 90, "IP_Address_Slave_ID", ""},
    {1323, edComboEdit, 125, "Object_Type", "", ITEMS(Write_Object_Types)},
    {1324, edComboList, 100, "Data_Type", "", ITEMS(Data_Types)},
    {1325, edNormal, 56, "Instance", ""},
    {1326, edComboEdit, 100, "Property", "", ITEMS(Write_Properties)},
    {1327, edNormal, 56, "Priority", ""},
    {1328, edNormal, 45, "NumByte", ""},
    {1366, edDataCheckBox, 50, "Enable_Destination", "N"},
    {1367, edNormal, 45, "Destination_Network", ""},
    {1368, edComboList, 45, "Destination_Length", "", ITEMS(Dest_Lengths)},
    {1369, edNormal, 60, "Destination_Address", ""},
    {1329, edDataCheckBox, 55, "OnChange", "N"},
    {1330, edDataCheckBox, 45, "OnTimer", "N"},
    {1331, edNormal, 58, "PollTime", ""},
    {1332, edNormal, 50, "MaxError", ""},
    {1333, edComboList, 56, "Position", ""},
    {1334, edComboList, 56, "StartBit", "", ITEMS(Start_Bits)},
    {1361, edDataCheckBox, 38, "Swap", "N"},
    {1381, edComboList, 115, nullptr, "", ITEMS(Write_Convertions)},
    {1396, edDataCheckBox, 75, "IntToFloat", "N"},
    {1397, edNormal, 75, "MultiplicationFactor", ""},
    {1335, edNormal, 66, "Mnemonic", ""},
};

#undef ITEMS

} // namespace

TBACnet_Columns BACnet_Access_Columns(TBACnet_Table Table)
{
    if (Table == btRead)
        return {"BACnet_Read", Read_Columns, Integer(std::size(Read_Columns))};
    return {"BACnet_Write", Write_Columns, Integer(std::size(Write_Columns))};
}

void Setup_BACnet_Grid(TExColumnGrid* Grid, const TBACnet_Column* Columns, Integer Count, Integer Rows)
{
    Grid->SetAlign(alClient);
    Grid->SetColCount(Count);
    Grid->SetRowCount(Rows);
    Grid->SetFixedCols(1);
    Grid->SetFixedRows(1);
    Grid->SetDefaultRowHeight(20);
    Grid->SetOptions(Grid->Options() | goEditing);
    Grid->BeginLayout();  // the scroll range once, after every column is set
    for (Integer c = 0; c < Count; ++c) {
        const TBACnet_Column& col = Columns[c];
        TGridColumnItem* item = Grid->Columns()->Items(c);
        item->SetWidth(col.Width);
        item->SetEditor(col.Editor);
        item->SetReadOnly(col.Read_Only);
        if (col.Editor == edDataCheckBox) {
            item->SetCheckTrue(QStringLiteral("Y"));
            item->SetCheckFalse(QStringLiteral("N"));
            item->SetAlignment(taCenter);
        }
        item->ComboItems()->Clear();
        for (Integer i = 0; i < col.Item_Count; ++i)
            item->ComboItems()->Add(QString::fromLatin1(col.Items[i]));
    }
    Grid->EndLayout();
}

void Blank_BACnet_Rows(TExColumnGrid* Grid, Integer Rows, const QString& First)
{
    const Integer all = Grid->ColCount() + Grid->NumHiddenColumns();
    for (Integer r = 1; r <= Rows; ++r) {
        Grid->SetCellEx(0, r, QString::number(r));
        Grid->SetCellEx(1, r, First);
        for (Integer c = 2; c < all; ++c)
            Grid->SetCellEx(c, r, QString());
    }
}

void Delete_Current_Row(TExColumnGrid* Grid, Integer Question)
{
    const Integer row = Grid->GetRowEx();
    if (Application->MessageBox(BACnet_Lang(Question) + QString::number(row), Application->Title(),
                                MB_YESNO | MB_ICONQUESTION) == IDYES)
        Grid_Delete_Row(row, Grid);
}
