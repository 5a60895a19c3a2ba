#pragma once
// The CANopen SDO server object list: up to 500 objects other nodes read and
// 500 they write, each an Index 0x2000..0x5FFF with a SubIndex and 1, 2 or 4
// bytes tied to positions of the internal data array. Kept in the
// configuration's SDO_Server_CANopen.xml, which the EDS writer reads too.

#include "fieldbus/UCANopenTables.h"

class TFSet_SDO_Server_Access : public TCANopenTableForm {
public:
    explicit TFSet_SDO_Server_Access(TComponent* AOwner);
    ~TFSet_SDO_Server_Access() override;
    QString ClassName() const override { return QStringLiteral("TFSet_SDO_Server_Access"); }

    TTabSheet* TS_SDO_Read;
    TTabSheet* TS_SDO_Write;

    bool Do_Copy_SDO_Read() const { return Copied(sga); }
    bool Do_Copy_SDO_Write() const { return Copied(sgb); }

protected:
    bool Check_Row(Integer Index, Integer Row) override;
};

// The one instance, made at start-up.
extern TFSet_SDO_Server_Access* FSet_SDO_Server_Access;
