#pragma once
// The M-Bus network of a configuration: the meters (nodes) the converter
// reads, the values (variables) taken from each and their positions in the
// internal data array, and the file M_Bus.xml that keeps them.

#include "platform/Object.h"
#include "platform/Types.h"

#include <QString>
#include <array>
#include <memory>
#include <vector>

// One value taken from a meter.
class TVariabile : public TObject {
public:
    QString ClassName() const override { return QStringLiteral("TVariabile"); }

    bool Enable = false;
    QString Description;
    Integer Type_Of_Data = 0;   // index into Type_Of_Data_Texts
    Integer Function_Field = 0; // index into Function_Field_Texts
    Integer Dimension = 0;      // index into Dimension_Texts
    Integer Unita = 0;          // unit number 0..10
    Integer PositionData = 0;
    LongWord Storage_Number = 0;
    Integer Tariff = 0;
    Byte VIFE = 0;              // index into VIFE_Texts; 255 for none
    bool BCDtoINT = false;
    Integer Length = 0;         // bytes of a variable-length value
    QString VIF_ASCII;
    bool Conv_Float = false;
    bool Force_Int32 = false;
    bool TP_Mod_Regs = false;   // a time point over six positions
    Integer TP_Mod_Year = 0;    // first of those positions
    Word Position = 0;          // ordinal of the record in the answer ("By Position")
    Byte Post_Operation = 0;    // index into Post_Operation_Texts
};

// One meter, wired or wireless, owning its variables.
class TNodo : public TObject {
public:
    QString ClassName() const override { return QStringLiteral("TNodo"); }

    Byte Enable = 0;            // 1 enabled
    QString Description;
    Integer Node_Pri = 0;
    Integer Node_Sec = 0;
    Byte Send_SNK = 0;
    Byte Reset_App = 0;
    std::vector<std::unique_ptr<TVariabile>> Var_List;
    Byte Enable_NS = 0;
    Integer Node_State = 0;
    Byte Enable_IN = 0;
    Integer Ident_Num = 0;
    Byte BCDtoINT_IN = 0;
    Integer Swap_Ident = 0;     // 0 "None", 1 "Type 1"
    Byte Node_ID_Type = 0;      // 0 by primary, 1 by secondary address
    Byte Var_List_Type = 0;     // 0 "By Type", 1 "By Position"
    Byte Cut_After = 0;         // the answer is cut after Cut_After + 1 frames
    Byte Enable_MS = 0;
    Integer Manufacturer_Spec = 0;
    Byte MSD_Length = 0;
    Byte MSD_Offset = 0;
    Byte MBus_Type = 0;         // 0 wireless, 1 wired
    QString wMBus_ManID;
    QString wMBus_Add;
    QString wMBus_Ver;
    QString wMBus_DevType;
    Byte wMBus_En_Key = 0;
    std::array<QString, 16> wMBus_Key; // key bytes 1..16 as typed, byte 1 first
    Byte Enable_RSSI = 0;
    Integer RSSI = 0;
    Byte Enable_AN = 0;
    Integer Access_Number = 0;
};

using TNodo_List = std::vector<std::unique_ptr<TNodo>>;

// Reads FileName into Nodi_List (appending). A missing file reads as an
// empty network. A file that is not well-formed, or a node or variable
// lacking a required attribute, stops the load: false with Error, and what
// was read before stays in the list.
bool Load_MBus_Network(const QString& FileName, TNodo_List& Nodi_List, QString& Error);
// Writes the whole network to FileName, replacing it; false with Error when
// it cannot be written, and the old file is then left as it was.
bool Save_MBus_Network(const QString& FileName, const TNodo_List& Nodi_List, QString& Error);

// The texts of the stored indexes, as the editor's choice lists show them
// (UTF-8).
extern const std::array<const char*, 26> Type_Of_Data_Texts;
extern const std::array<const char*, 4> Function_Field_Texts;
extern const std::array<const char*, 8> Dimension_Texts;
extern const std::array<const char*, 13> Post_Operation_Texts;
extern const std::array<const char*, 2> Swap_Ident_Texts;
extern const std::array<const char*, 2> Var_List_Type_Texts;
extern const std::array<const char*, 152> VIFE_Texts;
