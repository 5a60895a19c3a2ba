#pragma once
// The meters a scan finds and their data records, as the scan window shows
// them and the scan writers store them.

#include "platform/Object.h"
#include "platform/Types.h"

#include <QString>
#include <memory>
#include <vector>

// One data record of a meter's answer.
class TVariable_MBus : public TObject {
public:
    QString ClassName() const override { return QStringLiteral("TVariable_MBus"); }

    Integer dato_A = 0;          // data bytes 0..3, little-endian
    Integer dato_B = 0;          // data bytes 4..7, later bytes added in
    Byte dimension = 0;          // data-field code (DIF bits 0-3)
    Word function_fild = 0;      // 0 instantaneous, 1 maximum, 2 minimum, 3 error state
    Int64 storage_number = 0;
    Word tarif = 0;
    Word device = 0;             // subunit
    Word type_data = 0;          // primary quantity code, 65535 for none
    Word scale = 0;
    bool errata = false;         // kept with a reserved variable length
    QString sterror;
    Integer nbyte = 0;           // number of data bytes
    QString descdim;
    Integer numdife = 0;
    Integer numvife = 0;
    Integer vifvalue = -1;       // the VIF, or the first VIFE after an extension VIF
    Integer PrinVIFE = 0;        // first VIFE byte
    Byte casovif = 0;            // 0 primary, 1 FD, 2 FB, 100 manufacturer, 101 plain text
    Integer numdato = 0;
    Byte VIF = 0;
    QString VIFE;                // "$3A $FF "
    QString DIF;                 // "$04"
    QString DIFE;                // "$01 "
    QString totdati;             // data bytes as hex pairs
    QString VIF_ASCII;           // plain-text unit
    QString Description;
    QString datagiorno, tempo;   // when the record was decoded
    QString icon;
    Integer Type_Data_Vife = 0;  // extension or combinable VIFE quantity code
    QString Desc_Type_Data;
    QString ValueStr;
    QString FunctionFieldStr;
    QString DataFieldStr;
    bool Enable = true;
    bool Real_Wireless_Var = false; // false for a wireless idle filler
    bool Is_BCD = false;
    void* Node = nullptr;        // the record's item in the scan window's tree
};

using TVariable_MBus_List = std::vector<std::unique_ptr<TVariable_MBus>>;

// One wired meter, built from the fixed header of its first answer.
class TSlave_MBus : public TObject {
public:
    TSlave_MBus() = default;
    ~TSlave_MBus() override;
    QString ClassName() const override { return QStringLiteral("TSlave_MBus"); }

    Word Primary_Addresss = 0;
    QString Secondary_Addresss; // identification number in hexadecimal
    Integer Manufacture = 0;
    Integer Version = 0;
    Integer Medium = 0;
    Integer Status = 0;
    QString descManufacture;
    QString descmedium;
    QString description;
    TVariable_MBus_List List_Var; // records in telegram order, over all telegrams
    void* Node = nullptr;         // the meter's item in the scan window's tree
};
